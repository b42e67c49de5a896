#include "designer/win32/DriverCall.h"

#include "base/Cp936.h"

BSTR AllocBstrFromCp936(const CString& text)
{
    const std::u16string wide = cp936::ToUtf16(text.Str());
    return ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

CString Cp936FromBstr(BSTR text)
{
    if (text == nullptr)
        return CString();
    return CString(cp936::FromUtf16(reinterpret_cast<const char16_t*>(text), static_cast<int>(::SysStringLen(text))));
}

CDriverCall::CDriverCall(IDispatch* target, DISPID id) : m_target(target), m_id(id)
{
    ::VariantInit(&m_result);
    // Reserve so that the addresses of by-reference storage stay put.
    m_longs.reserve(8);
    m_shorts.reserve(8);
    m_doubles.reserve(8);
    m_texts.reserve(8);
}

CDriverCall::~CDriverCall()
{
    for (VARIANT& v : m_args) {
        if (v.vt == VT_BSTR || v.vt == VT_DISPATCH)
            ::VariantClear(&v);
    }
    for (BSTR b : m_texts)
        ::SysFreeString(b);
    ::VariantClear(&m_result);
}

void CDriverCall::Long(LONG v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I4;
    x.lVal = v;
    m_args.push_back(x);
}

void CDriverCall::Short(SHORT v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I2;
    x.iVal = v;
    m_args.push_back(x);
}

void CDriverCall::Double(double v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_R8;
    x.dblVal = v;
    m_args.push_back(x);
}

void CDriverCall::Float(float v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_R4;
    x.fltVal = v;
    m_args.push_back(x);
}

void CDriverCall::Text(const CString& v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BSTR;
    x.bstrVal = AllocBstrFromCp936(v);
    m_args.push_back(x);
}

void CDriverCall::Object(IDispatch* v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_DISPATCH;
    x.pdispVal = v;
    if (v != nullptr)
        v->AddRef();
    m_args.push_back(x);
}

void CDriverCall::RefLong(LONG& v)
{
    m_longs.push_back(v);
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BYREF | VT_I4;
    x.plVal = &m_longs.back();
    m_refs.push_back({m_args.size(), VT_I4, &v});
    m_args.push_back(x);
}

void CDriverCall::RefShort(SHORT& v)
{
    m_shorts.push_back(v);
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BYREF | VT_I2;
    x.piVal = &m_shorts.back();
    m_refs.push_back({m_args.size(), VT_I2, &v});
    m_args.push_back(x);
}

void CDriverCall::RefDouble(double& v)
{
    m_doubles.push_back(v);
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BYREF | VT_R8;
    x.pdblVal = &m_doubles.back();
    m_refs.push_back({m_args.size(), VT_R8, &v});
    m_args.push_back(x);
}

void CDriverCall::RefText(CString& v)
{
    m_texts.push_back(AllocBstrFromCp936(v));
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BYREF | VT_BSTR;
    x.pbstrVal = &m_texts.back();
    m_refs.push_back({m_args.size(), VT_BSTR, &v});
    m_args.push_back(x);
}

bool CDriverCall::Invoke(WORD flags)
{
    if (m_target == nullptr)
        return false;
    // DISPPARAMS hold the arguments last first.
    std::vector<VARIANT> reversed(m_args.rbegin(), m_args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                         0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    ::VariantClear(&m_result);
    UINT argErr = 0;
    const HRESULT hr = m_target->Invoke(m_id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                        flags == DISPATCH_PROPERTYPUT ? nullptr : &m_result, nullptr, &argErr);
    m_ok = SUCCEEDED(hr);
    if (!m_ok)
        return false;
    for (const Ref& r : m_refs) {
        const VARIANT& v = m_args[r.index];
        switch (r.type) {
        case VT_I4: *static_cast<LONG*>(r.target) = *v.plVal; break;
        case VT_I2: *static_cast<SHORT*>(r.target) = *v.piVal; break;
        case VT_R8: *static_cast<double*>(r.target) = *v.pdblVal; break;
        case VT_BSTR: *static_cast<CString*>(r.target) = Cp936FromBstr(*v.pbstrVal); break;
        default: break;
        }
    }
    return true;
}

namespace {

bool Convert(const VARIANT& from, VARTYPE to, VARIANT& out)
{
    ::VariantInit(&out);
    return SUCCEEDED(::VariantChangeType(&out, const_cast<VARIANT*>(&from), 0, to));
}

}  // namespace

BOOL CDriverCall::AnswerBool()
{
    VARIANT v;
    if (!m_ok || !Convert(m_result, VT_I4, v))
        return FALSE;
    return v.lVal != 0 ? TRUE : FALSE;
}

int CDriverCall::AnswerShort()
{
    VARIANT v;
    if (!m_ok || !Convert(m_result, VT_I2, v))
        return 0;
    return v.iVal;
}

LONG CDriverCall::AnswerLong()
{
    VARIANT v;
    if (!m_ok || !Convert(m_result, VT_I4, v))
        return 0;
    return v.lVal;
}

double CDriverCall::AnswerDouble()
{
    VARIANT v;
    if (!m_ok || !Convert(m_result, VT_R8, v))
        return 0.0;
    return v.dblVal;
}

CString CDriverCall::AnswerText()
{
    if (!m_ok || m_result.vt != VT_BSTR)
        return CString();
    return Cp936FromBstr(m_result.bstrVal);
}

IDispatch* CDriverCall::AnswerObject()
{
    if (!m_ok)
        return nullptr;
    IDispatch* object = nullptr;
    if (m_result.vt == VT_DISPATCH)
        object = m_result.pdispVal;
    else if (m_result.vt == VT_UNKNOWN && m_result.punkVal != nullptr) {
        m_result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
        return object;
    }
    if (object != nullptr)
        object->AddRef();
    return object;
}
