// Values that cross the control's automation boundary, in portable form.
//
// The COM layer (control/win32) turns each VARIANT argument into a CDispArg of
// the member's declared kind (strings converted from UTF-16 to code page 936
// there and nowhere else), calls the member through the generated invoker and
// turns the CDispResult and the by-reference arguments back into VARIANTs. The
// native tests drive the same invoker with hand-made arguments.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

// Kinds of arguments and results. Ref* kinds are by-reference arguments: the
// member reads and writes the same field, and the caller copies it back.
enum class DispType : std::uint8_t {
    Void,
    Bool,       // result only: declared short, answered -1 (true) or 0 (false)
    Short,
    Long,
    Double,
    Float,
    String,
    Object,     // an automation object of this library (or none)
    Bytes,      // a byte array (a VARIANT holding an array of bytes)
    RefShort,
    RefLong,
    RefDouble,
    RefString,
};

inline bool IsByRef(DispType t)
{
    return t == DispType::RefShort || t == DispType::RefLong || t == DispType::RefDouble ||
           t == DispType::RefString;
}

// Status of every automation object member: success, also when it did
// nothing. A member reports failure only through its result value.
const HRESULT kKivoOk = 0;

// The portable side of an automation object (tree, binding, font, ...). The
// COM layer wraps one in the COM class of its KivoClass; the control's
// members hand them out and take them in as CKivoObject pointers, so records
// move between objects of this library without passing through an address
// that a script could forge.
class CKivoObject {
public:
    virtual ~CKivoObject() = default;
    virtual int GetKivoClass() const = 0;
};
typedef std::unique_ptr<CKivoObject> CKivoObjectPtr;

typedef std::vector<BYTE> CDispBytes;

// One argument. Only the field of its kind is meaningful.
struct CDispArg {
    DispType type = DispType::Void;
    SHORT s = 0;
    LONG l = 0;
    double d = 0.0;
    float f = 0.0f;
    CString str;
    CKivoObject* obj = nullptr;   // not owned
    CDispBytes bytes;
};

// The result of one member.
struct CDispResult {
    DispType type = DispType::Void;
    SHORT s = 0;
    LONG l = 0;
    double d = 0.0;
    CString str;
    CKivoObjectPtr obj;

    void SetVoid() { type = DispType::Void; }
    // Any non-zero value of the operation is true: -1.
    void SetBool(BOOL v) { type = DispType::Bool; s = v ? -1 : 0; }
    // The low 16 bits of the operation's integer result.
    void SetShort(int v) { type = DispType::Short; s = static_cast<SHORT>(static_cast<std::uint16_t>(v & 0xFFFF)); }
    void SetLong(LONG v) { type = DispType::Long; l = v; }
    void SetDouble(double v) { type = DispType::Double; d = v; }
    void SetString(const CString& v) { type = DispType::String; str = v; }
    void SetObject(CKivoObjectPtr v) { type = DispType::Object; obj = std::move(v); }
};

// One entry of a member or event table.
struct CMemberInfo {
    LONG dispid;
    const char* name;
    DispType result;
    int argc;
    const DispType* args;        // argc kinds, in declaration order
    const char* const* argNames;
    bool property;               // a property with get and put (one Long argument when put)
};
