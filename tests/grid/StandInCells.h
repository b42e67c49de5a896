// Stand-ins for the typed cell classes (combo box, check box, image ...) in
// tests of the grid, which sees those classes only by their names.
//
// A stand-in is a CGridCell whose run-time record carries a typed class's
// name and keeps its control attributes in its control text. It is
// registered by name the first time a test asks for it, unless the program
// has the real class; it creates cells only while a ScopedStandIn for its
// type is alive, so outside such a scope a request for the type fails as it
// does when the class is missing.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"
#include "grid/GridCellTypes.h"
#include "grid/RuntimeClass.h"

namespace gridtest {

template <int Type>
class CStandInCell : public CGridCell {
public:
    static bool& Enabled()
    {
        static bool enabled = false;
        return enabled;
    }
    static const CRuntimeClass& Record()
    {
        static const CRuntimeClass record = {GetCellTypeClassName(Type), static_cast<int>(sizeof(CStandInCell)),
                                             0xFFFF, &Create, RUNTIME_CLASS(CGridCell)};
        return record;
    }
    static CObject* Create() { return Enabled() ? new CStandInCell : nullptr; }
    const CRuntimeClass* GetRuntimeClass() const override { return &Record(); }

    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override
    {
        CXmlElement element(GetControl(), "control");
        if (element.SetAttribute(szKey, szValue) < 0)
            return FALSE;
        SetControl(element.GetXmlText());
        return TRUE;
    }
    CString GetControlProperty(LPCTSTR szKey) override
    {
        return CXmlElement(GetControl(), "control").GetAttribute(szKey);
    }
    BOOL DelControlProperty(LPCTSTR szKey) override
    {
        CXmlElement element(GetControl(), "control");
        if (!element.DeleteAttribute(szKey))
            return FALSE;
        SetControl(element.GetXmlText());
        return TRUE;
    }
};

// Makes cells of the type creatable for the scope's lifetime.
template <int Type>
class ScopedStandIn {
public:
    ScopedStandIn()
    {
        if (CRuntimeClass::FromName(GetCellTypeClassName(Type)) == nullptr)
            CRuntimeClass::Register(&CStandInCell<Type>::Record());
        CStandInCell<Type>::Enabled() = true;
    }
    ~ScopedStandIn() { CStandInCell<Type>::Enabled() = false; }
    ScopedStandIn(const ScopedStandIn&) = delete;
    ScopedStandIn& operator=(const ScopedStandIn&) = delete;

    // TRUE when the program has the real class and the stand-in is not used.
    static bool RealClassPresent()
    {
        const CRuntimeClass* p = CRuntimeClass::FromName(GetCellTypeClassName(Type));
        return p != nullptr && p != &CStandInCell<Type>::Record();
    }
};

}  // namespace gridtest
