// CObject and CRuntimeClass: the run-time class records that let the grid
// create a cell (or any other object of this system) from its class record or
// its class name, and test an object's class with IsKindOf.
//
// A class opts in with DECLARE_DYNAMIC / DECLARE_DYNCREATE in its declaration
// and IMPLEMENT_DYNAMIC / IMPLEMENT_DYNCREATE in exactly one .cpp file.
// DYNCREATE classes need a default constructor; their record creates new
// objects and is registered by name, so CRuntimeClass::FromName finds it once
// the object file that implements the class is part of the program.
// RUNTIME_CLASS(name) is the address of a class's record.
#pragma once

#include "base/WinTypes.h"

class CArchive;
class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;                    // the class name, e.g. "CGridCell"
    int m_nObjectSize;                         // sizeof the class
    UINT m_wSchema;                            // 0xFFFF: the object is not stored by the archive's object map
    CObject* (*m_pfnCreateObject)();           // NULL for a class that cannot be created by its record
    const CRuntimeClass* m_pBaseClass;         // NULL for CObject

    // A new object of the class; NULL when the class has no creator or
    // allocation fails. The caller owns the object.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered creatable class of that exact name (case counts); NULL
    // when none is registered.
    static const CRuntimeClass* FromName(LPCSTR lpszClassName);
    // Registers a creatable class (done by IMPLEMENT_DYNCREATE).
    static void Register(const CRuntimeClass* pClass);
};

class CObject {
public:
    CObject() = default;
    virtual ~CObject();
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump() const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                   \
public:                                                               \
    static const CRuntimeClass class##class_name;                     \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                 \
    DECLARE_DYNAMIC(class_name)                                       \
    static CObject* CreateObject();

#define KIVO_RUNTIME_CLASS_BODY(class_name, base_name, creator)       \
    const CRuntimeClass class_name::class##class_name = {             \
        #class_name, static_cast<int>(sizeof(class_name)), 0xFFFF,    \
        creator, RUNTIME_CLASS(base_name)};                           \
    const CRuntimeClass* class_name::GetRuntimeClass() const          \
    {                                                                 \
        return RUNTIME_CLASS(class_name);                             \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_name)                      \
    KIVO_RUNTIME_CLASS_BODY(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                    \
    CObject* class_name::CreateObject() { return new class_name; }    \
    KIVO_RUNTIME_CLASS_BODY(class_name, base_name, &class_name::CreateObject) \
    namespace {                                                       \
    struct KivoRegister##class_name {                                 \
        KivoRegister##class_name()                                    \
        {                                                             \
            CRuntimeClass::Register(RUNTIME_CLASS(class_name));       \
        }                                                             \
    } g_kivoRegister##class_name;                                     \
    }
