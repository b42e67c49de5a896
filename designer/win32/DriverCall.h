// One call of a dispatch member by its identifier: the arguments pushed in
// declaration order (texts converted from code page 936 to BSTR here and
// nowhere else in the designer), the call, by-reference values written back
// to the caller's variables, and the result read as the member's type. A call
// without an object, or one that fails, answers 0, "" or nothing and leaves
// by-reference variables unchanged.
#pragma once

#include "base/CString.h"

#include <windows.h>
#include <oaidl.h>

#include <vector>

class CDriverCall {
public:
    CDriverCall(IDispatch* target, DISPID id);
    ~CDriverCall();
    CDriverCall(const CDriverCall&) = delete;
    CDriverCall& operator=(const CDriverCall&) = delete;

    void Long(LONG v);
    void Short(SHORT v);
    void Double(double v);
    void Float(float v);
    void Text(const CString& v);
    // An automation object (or none); the call holds a reference meanwhile.
    void Object(IDispatch* v);
    void RefLong(LONG& v);
    void RefShort(SHORT& v);
    void RefDouble(double& v);
    void RefText(CString& v);

    bool Method() { return Invoke(DISPATCH_METHOD); }
    bool Get() { return Invoke(DISPATCH_PROPERTYGET); }
    bool Put() { return Invoke(DISPATCH_PROPERTYPUT); }

    BOOL AnswerBool();
    int AnswerShort();
    LONG AnswerLong();
    double AnswerDouble();
    CString AnswerText();
    // The object the member answered, with a reference of the caller's own;
    // NULL for none or a failed call.
    IDispatch* AnswerObject();

private:
    bool Invoke(WORD flags);

    struct Ref {
        size_t index;
        VARTYPE type;
        void* target;
    };
    IDispatch* m_target;
    DISPID m_id;
    std::vector<VARIANT> m_args;     // declaration order
    std::vector<Ref> m_refs;
    // Storage of by-reference values (stable addresses).
    std::vector<LONG> m_longs;
    std::vector<SHORT> m_shorts;
    std::vector<double> m_doubles;
    std::vector<BSTR> m_texts;
    VARIANT m_result;
    bool m_ok = false;
};

// Conversions at the COM boundary.
BSTR AllocBstrFromCp936(const CString& text);
CString Cp936FromBstr(BSTR text);
