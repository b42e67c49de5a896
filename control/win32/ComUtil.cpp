#include "control/win32/ComUtil.h"

#include "base/Cp936.h"
#include "control/win32/ComObjects.h"

#include <string>

CString ComString(BSTR value)
{
    if (value == nullptr)
        return CString();
    const UINT length = ::SysStringLen(value);
    std::string bytes = cp936::FromUtf16(reinterpret_cast<const char16_t*>(value), static_cast<int>(length));
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

BSTR ComNewString(const CString& value)
{
    std::u16string wide = cp936::ToUtf16(value.GetString(), value.GetLength());
    return ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

CKivoObject* ComObject(IUnknown* value)
{
    if (value == nullptr)
        return nullptr;
    IKivoObjectPrivate* priv = nullptr;
    if (FAILED(value->QueryInterface(IID_IKivoObjectPrivate, reinterpret_cast<void**>(&priv))) || priv == nullptr)
        return nullptr;
    CKivoObject* object = priv->GetKivoObject();
    priv->Release();   // the caller's reference keeps the object alive
    return object;
}

namespace {

VARTYPE VarTypeOf(DispType type)
{
    switch (type) {
    case DispType::Short:
    case DispType::RefShort:
    case DispType::Bool:
        return VT_I2;
    case DispType::Long:
    case DispType::RefLong:
        return VT_I4;
    case DispType::Double:
    case DispType::RefDouble:
        return VT_R8;
    case DispType::Float:
        return VT_R4;
    case DispType::String:
    case DispType::RefString:
        return VT_BSTR;
    case DispType::Object:
        return VT_DISPATCH;
    default:
        return VT_EMPTY;
    }
}

void StoreValue(const VARIANT& v, DispType type, CDispArg& arg)
{
    switch (VarTypeOf(type)) {
    case VT_I2: arg.s = v.iVal; break;
    case VT_I4: arg.l = v.lVal; break;
    case VT_R8: arg.d = v.dblVal; break;
    case VT_R4: arg.f = v.fltVal; break;
    case VT_BSTR: arg.str = ComString(v.bstrVal); break;
    case VT_DISPATCH: arg.obj = ComObject(v.pdispVal); break;
    default: break;
    }
}

// Bytes of a VARIANT that holds a one-dimensional array of bytes (directly,
// by reference, or as an array of VARIANTs holding numbers).
HRESULT BytesFromVariant(const VARIANT& in, CDispBytes& out)
{
    const VARIANT* v = &in;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal != nullptr)
        v = v->pvarVal;
    SAFEARRAY* sa = nullptr;
    VARTYPE elem = VT_EMPTY;
    if ((v->vt & VT_ARRAY) != 0) {
        sa = (v->vt & VT_BYREF) ? (v->pparray ? *v->pparray : nullptr) : v->parray;
        elem = v->vt & VT_TYPEMASK;
    }
    out.clear();
    if (sa == nullptr)
        return (v->vt == VT_EMPTY || v->vt == VT_NULL) ? S_OK : DISP_E_TYPEMISMATCH;
    if (::SafeArrayGetDim(sa) != 1)
        return DISP_E_TYPEMISMATCH;
    LONG lo = 0, hi = -1;
    ::SafeArrayGetLBound(sa, 1, &lo);
    ::SafeArrayGetUBound(sa, 1, &hi);
    if (hi < lo)
        return S_OK;
    if (elem == VT_UI1 || elem == VT_I1) {
        void* data = nullptr;
        if (FAILED(::SafeArrayAccessData(sa, &data)))
            return DISP_E_TYPEMISMATCH;
        const BYTE* p = static_cast<const BYTE*>(data);
        out.assign(p, p + (static_cast<size_t>(hi) - static_cast<size_t>(lo) + 1));
        ::SafeArrayUnaccessData(sa);
        return S_OK;
    }
    if (elem == VT_VARIANT) {
        for (LONG i = lo; i <= hi; ++i) {
            VARIANT item;
            ::VariantInit(&item);
            if (FAILED(::SafeArrayGetElement(sa, &i, &item)))
                return DISP_E_TYPEMISMATCH;
            VARIANT b;
            ::VariantInit(&b);
            HRESULT hr = ::VariantChangeType(&b, &item, 0, VT_UI1);
            ::VariantClear(&item);
            if (FAILED(hr))
                return DISP_E_TYPEMISMATCH;
            out.push_back(b.bVal);
        }
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT ComArgFromVariant(const VARIANT& v, DispType type, CDispArg& arg)
{
    arg.type = type;
    if (type == DispType::Bytes)
        return BytesFromVariant(v, arg.bytes);
    const VARTYPE want = VarTypeOf(type);
    const VARIANT* src = &v;
    if (IsByRef(type)) {
        if (v.vt == (VT_BYREF | VT_VARIANT)) {
            src = v.pvarVal;
            if (src == nullptr)
                return DISP_E_TYPEMISMATCH;
        } else if (v.vt == (VT_BYREF | want)) {
            switch (want) {
            case VT_I2: arg.s = *v.piVal; break;
            case VT_I4: arg.l = *v.plVal; break;
            case VT_R8: arg.d = *v.pdblVal; break;
            case VT_BSTR: arg.str = ComString(*v.pbstrVal); break;
            default: break;
            }
            return S_OK;
        } else {
            return DISP_E_TYPEMISMATCH;
        }
        // A script's variable may still be empty: it starts from the zero value.
        if (src->vt == VT_EMPTY || src->vt == VT_NULL)
            return S_OK;
    }
    if (type == DispType::String && (src->vt == VT_EMPTY || src->vt == VT_NULL || src->vt == VT_ERROR)) {
        arg.str.Empty();   // a missing string is the empty text
        return S_OK;
    }
    if (type == DispType::Object && (src->vt == VT_EMPTY || src->vt == VT_NULL)) {
        arg.obj = nullptr;
        return S_OK;
    }
    if (type == DispType::Object && (src->vt == VT_UNKNOWN || src->vt == (VT_BYREF | VT_UNKNOWN))) {
        arg.obj = ComObject(src->vt == VT_UNKNOWN ? src->punkVal : *src->ppunkVal);
        return S_OK;
    }
    VARIANT converted;
    ::VariantInit(&converted);
    HRESULT hr = ::VariantChangeType(&converted, const_cast<VARIANT*>(src), 0, want);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    StoreValue(converted, type, arg);
    ::VariantClear(&converted);
    return S_OK;
}

void ComArgToVariant(const CDispArg& arg, VARIANT& v)
{
    if (!IsByRef(arg.type))
        return;
    const VARTYPE want = VarTypeOf(arg.type);
    if (v.vt == (VT_BYREF | VT_VARIANT)) {
        VARIANT* dst = v.pvarVal;
        if (dst == nullptr)
            return;
        ::VariantClear(dst);
        dst->vt = want;
        switch (want) {
        case VT_I2: dst->iVal = arg.s; break;
        case VT_I4: dst->lVal = arg.l; break;
        case VT_R8: dst->dblVal = arg.d; break;
        case VT_BSTR: dst->bstrVal = ComNewString(arg.str); break;
        default: break;
        }
        return;
    }
    if (v.vt != (VT_BYREF | want))
        return;
    switch (want) {
    case VT_I2: *v.piVal = arg.s; break;
    case VT_I4: *v.plVal = arg.l; break;
    case VT_R8: *v.pdblVal = arg.d; break;
    case VT_BSTR:
        ::SysFreeString(*v.pbstrVal);
        *v.pbstrVal = ComNewString(arg.str);
        break;
    default: break;
    }
}

HRESULT ComResultToVariant(CDispResult& r, VARIANT* out)
{
    if (out == nullptr)
        return S_OK;
    ::VariantInit(out);
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        out->vt = VT_I2;
        out->iVal = r.s;
        break;
    case DispType::Long:
        out->vt = VT_I4;
        out->lVal = r.l;
        break;
    case DispType::Double:
        out->vt = VT_R8;
        out->dblVal = r.d;
        break;
    case DispType::String:
        out->vt = VT_BSTR;
        out->bstrVal = ComNewString(r.str);
        if (out->bstrVal == nullptr) {
            out->vt = VT_EMPTY;
            return E_OUTOFMEMORY;
        }
        break;
    case DispType::Object:
        out->vt = VT_DISPATCH;
        out->pdispVal = CreateKivoComObject(std::move(r.obj));
        break;
    default:
        break;
    }
    return S_OK;
}
