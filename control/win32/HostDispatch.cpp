#include "control/win32/HostDispatch.h"

#include "control/win32/ComUtil.h"

#include <dispex.h>
#include <oleauto.h>

#include <cmath>
#include <vector>

namespace {

// IDispatchEx's identifier (not in the MinGW uuid library).
const IID kIIDDispatchEx = {0xa6ef9860, 0xc720, 0x11d0, {0x93, 0x37, 0x00, 0xa0, 0xc9, 0x0d, 0xca, 0xa9}};

// A script's own objects (a VBScript class instance) are reached through
// IDispatchEx: Wine's script engine answers E_NOTIMPL to GetIDsOfNames on
// them, and a name looked up by GetDispID is called by InvokeEx. Other
// objects go through IDispatch. Names are matched without regard to case,
// as script engines and data-access libraries match them.
class CMemberCaller {
public:
    explicit CMemberCaller(IDispatch* object) : m_object(object)
    {
        if (object != nullptr &&
            FAILED(object->QueryInterface(kIIDDispatchEx, reinterpret_cast<void**>(&m_ex))))
            m_ex = nullptr;
    }
    ~CMemberCaller()
    {
        if (m_ex != nullptr)
            m_ex->Release();
    }
    CMemberCaller(const CMemberCaller&) = delete;
    CMemberCaller& operator=(const CMemberCaller&) = delete;

    BOOL Find(const wchar_t* name, DISPID& id) const
    {
        if (m_object == nullptr)
            return FALSE;
        if (m_ex != nullptr) {
            BSTR bstr = ::SysAllocString(name);
            const HRESULT hr = bstr != nullptr ? m_ex->GetDispID(bstr, fdexNameCaseInsensitive, &id) : E_OUTOFMEMORY;
            ::SysFreeString(bstr);
            if (SUCCEEDED(hr))
                return TRUE;
        }
        LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
        return SUCCEEDED(m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    }

    // Calls member id with up to one argument (copied: the callee may not
    // change the caller's key). result may be NULL.
    BOOL Call(DISPID id, WORD flags, const VARIANT* arg, VARIANT* result) const
    {
        if (m_object == nullptr)
            return FALSE;
        DISPPARAMS params = {};
        VARIANT argCopy;
        if (arg != nullptr) {
            argCopy = *arg;
            params.rgvarg = &argCopy;
            params.cArgs = 1;
        }
        VARIANT dummy;
        ::VariantInit(&dummy);
        VARIANT* out = result != nullptr ? result : &dummy;
        HRESULT hr = E_NOTIMPL;
        if (m_ex != nullptr)
            hr = m_ex->InvokeEx(id, LOCALE_USER_DEFAULT, flags, &params, out, nullptr, nullptr);
        if (hr == E_NOTIMPL)
            hr = m_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out, nullptr, nullptr);
        ::VariantClear(&dummy);
        return SUCCEEDED(hr);
    }

private:
    IDispatch* m_object;
    IDispatchEx* m_ex = nullptr;
};

// Calls a member by name: a property get or a method, with up to one
// argument. FALSE when the object has no such member or the call fails.
BOOL CallByName(IDispatch* object, const wchar_t* name, WORD flags, const VARIANT* arg, VARIANT* result)
{
    CMemberCaller caller(object);
    DISPID id = 0;
    return caller.Find(name, id) && caller.Call(id, flags, arg, result);
}

// The default member called with one argument (a collection's item).
BOOL CallDefault(IDispatch* object, const VARIANT& arg, VARIANT* result)
{
    return CMemberCaller(object).Call(DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &arg, result);
}

// The type code of a value by its variant type, for a field without a Type.
int TypeOfVariant(VARTYPE vt)
{
    switch (vt & VT_TYPEMASK) {
    case VT_I2: return 2;
    case VT_I4: case VT_INT: return 3;
    case VT_R4: return 4;
    case VT_R8: return 5;
    case VT_CY: return 6;
    case VT_DATE: return 7;
    case VT_BSTR: return 8;
    case VT_BOOL: return 11;
    case VT_DECIMAL: return 14;
    case VT_I1: return 16;
    case VT_UI1: return 17;
    case VT_UI2: return 18;
    case VT_UI4: case VT_UINT: return 19;
    case VT_I8: return 20;
    case VT_UI8: return 21;
    default: return 200;
    }
}

CBindValue ValueOfVariant(const VARIANT& in)
{
    VARIANT v;
    ::VariantInit(&v);
    // By-reference values (a script's variables) are read through.
    if (FAILED(::VariantCopyInd(&v, const_cast<VARIANT*>(&in))))
        return CBindValue();
    CBindValue out;
    switch (v.vt) {
    case VT_EMPTY: break;
    case VT_NULL: out = CBindValue::MakeNull(); break;
    case VT_I1: out = CBindValue::MakeInteger(v.cVal); break;
    case VT_I2: out = CBindValue::MakeInteger(v.iVal); break;
    case VT_I4: out = CBindValue::MakeInteger(v.lVal); break;
    case VT_INT: out = CBindValue::MakeInteger(v.intVal); break;
    case VT_I8: out = CBindValue::MakeInteger(v.llVal); break;
    case VT_UI1: out = CBindValue::MakeUnsigned(v.bVal); break;
    case VT_UI2: out = CBindValue::MakeUnsigned(v.uiVal); break;
    case VT_UI4: out = CBindValue::MakeUnsigned(v.ulVal); break;
    case VT_UINT: out = CBindValue::MakeUnsigned(v.uintVal); break;
    case VT_UI8: out = CBindValue::MakeUnsigned(v.ullVal); break;
    case VT_R4: out = CBindValue::MakeReal(v.fltVal); break;
    case VT_R8: out = CBindValue::MakeReal(v.dblVal); break;
    // Currency and decimals convert in full, never through locale text.
    case VT_CY: out = CBindValue::MakeReal(static_cast<double>(v.cyVal.int64) / 10000.0); break;
    case VT_DECIMAL: {
        const DECIMAL& d = v.decVal;
        double mantissa = static_cast<double>(d.Hi32) * 18446744073709551616.0 + static_cast<double>(d.Lo64);
        double value = mantissa / std::pow(10.0, d.scale);
        out = CBindValue::MakeReal((d.sign & 0x80) != 0 ? -value : value);
        break;
    }
    case VT_DATE: out = CBindValue::MakeDate(v.date); break;
    case VT_BOOL: out = CBindValue::MakeBoolean(v.boolVal != VARIANT_FALSE); break;
    case VT_BSTR: out = CBindValue::MakeText(ComString(v.bstrVal)); break;
    default: {
        VARIANT text;
        ::VariantInit(&text);
        if (SUCCEEDED(::VariantChangeType(&text, &v, 0, VT_BSTR)))
            out = CBindValue::MakeText(ComString(text.bstrVal));
        ::VariantClear(&text);
        break;
    }
    }
    ::VariantClear(&v);
    return out;
}

class CDispatchRecordset : public IBindRecordset {
public:
    explicit CDispatchRecordset(IDispatch* dispatch) : m_dispatch(dispatch) { m_dispatch->AddRef(); }
    ~CDispatchRecordset() override { m_dispatch->Release(); }

    BOOL IsOpen() const override { return TRUE; }
    BOOL IsEOF() const override
    {
        VARIANT v;
        ::VariantInit(&v);
        BOOL eof = TRUE;      // a recordset that cannot tell is treated as empty
        if (CallByName(m_dispatch, L"EOF", DISPATCH_PROPERTYGET, nullptr, &v)) {
            VARIANT b;
            ::VariantInit(&b);
            if (SUCCEEDED(::VariantChangeType(&b, &v, 0, VT_BOOL)))
                eof = b.boolVal != VARIANT_FALSE;
        }
        ::VariantClear(&v);
        return eof;
    }
    void MoveFirst() override { CallByName(m_dispatch, L"MoveFirst", DISPATCH_METHOD, nullptr, nullptr); }
    void MoveNext() override { CallByName(m_dispatch, L"MoveNext", DISPATCH_METHOD, nullptr, nullptr); }
    int GetRecordCount() override { return static_cast<int>(LongOf(m_dispatch, L"RecordCount", -1)); }
    int GetFieldCount() override
    {
        IDispatch* fields = Fields();
        const long count = LongOf(fields, L"Count", 0);
        if (fields != nullptr)
            fields->Release();
        return static_cast<int>(count);
    }
    BOOL GetFieldType(int nIndex, int& nType) override { return TypeOf(Index(nIndex), nType); }
    BOOL GetFieldType(LPCTSTR szName, int& nType) override { return TypeOf(Name(szName), nType); }
    BOOL GetFieldValue(int nIndex, CBindValue& value) override { return ValueOf(Index(nIndex), value); }
    BOOL GetFieldValue(LPCTSTR szName, CBindValue& value) override { return ValueOf(Name(szName), value); }

private:
    struct Key {
        VARIANT v;
        Key() { ::VariantInit(&v); }
        ~Key() { ::VariantClear(&v); }
    };
    static std::unique_ptr<Key> Index(int n)
    {
        auto k = std::make_unique<Key>();
        k->v.vt = VT_I4;
        k->v.lVal = n;
        return k;
    }
    static std::unique_ptr<Key> Name(LPCTSTR s)
    {
        auto k = std::make_unique<Key>();
        k->v.vt = VT_BSTR;
        k->v.bstrVal = ComNewString(CString(s != nullptr ? s : ""));
        return k;
    }

    static long LongOf(IDispatch* object, const wchar_t* name, long fallback)
    {
        VARIANT v;
        ::VariantInit(&v);
        long result = fallback;
        if (CallByName(object, name, DISPATCH_PROPERTYGET, nullptr, &v)) {
            VARIANT l;
            ::VariantInit(&l);
            if (SUCCEEDED(::VariantChangeType(&l, &v, 0, VT_I4)))
                result = l.lVal;
        }
        ::VariantClear(&v);
        return result;
    }

    IDispatch* Fields() const
    {
        VARIANT v;
        ::VariantInit(&v);
        IDispatch* fields = nullptr;
        if (CallByName(m_dispatch, L"Fields", DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, &v) && v.vt == VT_DISPATCH
            && v.pdispVal != nullptr) {
            fields = v.pdispVal;
            fields->AddRef();
        }
        ::VariantClear(&v);
        return fields;
    }

    // The field object for a key (Fields(key), else Fields.Item(key)); one reference for the caller.
    IDispatch* Field(const Key& key) const
    {
        IDispatch* fields = Fields();
        if (fields == nullptr)
            return nullptr;
        VARIANT v;
        ::VariantInit(&v);
        IDispatch* field = nullptr;
        if ((CallDefault(fields, key.v, &v)
             || CallByName(fields, L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, &key.v, &v))
            && v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
            field = v.pdispVal;
            field->AddRef();
        }
        ::VariantClear(&v);
        fields->Release();
        return field;
    }

    BOOL ValueOf(const std::unique_ptr<Key>& key, CBindValue& value) const
    {
        IDispatch* field = Field(*key);
        if (field == nullptr)
            return FALSE;
        VARIANT v;
        ::VariantInit(&v);
        const BOOL ok = CallByName(field, L"Value", DISPATCH_PROPERTYGET, nullptr, &v);
        if (ok)
            value = ValueOfVariant(v);
        ::VariantClear(&v);
        field->Release();
        return ok;
    }

    BOOL TypeOf(const std::unique_ptr<Key>& key, int& type) const
    {
        IDispatch* field = Field(*key);
        if (field == nullptr)
            return FALSE;
        long t = LongOf(field, L"Type", -1);
        if (t < 0) {
            // Without a Type, the current value's kind tells it.
            VARIANT v;
            ::VariantInit(&v);
            t = CallByName(field, L"Value", DISPATCH_PROPERTYGET, nullptr, &v) ? TypeOfVariant(v.vt) : 200;
            ::VariantClear(&v);
        }
        type = static_cast<int>(t);
        field->Release();
        return TRUE;
    }

    IDispatch* m_dispatch;
};

class CHostDispatch : public CHostObject {
public:
    explicit CHostDispatch(IDispatch* dispatch) : m_dispatch(dispatch) {}
    std::shared_ptr<IBindRecordset> AsRecordset() override { return CreateDispatchRecordset(m_dispatch); }

private:
    IDispatch* m_dispatch;      // the caller's reference lasts the call
};

}  // namespace

std::shared_ptr<IBindRecordset> CreateDispatchRecordset(IDispatch* dispatch)
{
    if (dispatch == nullptr)
        return nullptr;
    return std::make_shared<CDispatchRecordset>(dispatch);
}

ComArgObject::ComArgObject(IUnknown* value)
{
    m_object = ComObject(value);
    if (m_object != nullptr || value == nullptr)
        return;
    IDispatch* dispatch = nullptr;
    if (FAILED(value->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || dispatch == nullptr)
        return;
    dispatch->Release();   // the caller's reference keeps the object alive for the call
    m_host = std::make_unique<CHostDispatch>(dispatch);
    m_object = m_host.get();
}
