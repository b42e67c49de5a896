// The system's automation: a server made from its program identifier
// through the class store, and every call a late-bound IDispatch::Invoke.
// Names are looked up once per interface of the server (once per object
// when the object describes no interface).
#include "platform/Automation.h"

#include "platform/win32/AutomationVariant.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <utility>

namespace {

// Holds COM initialised on the thread while any object made here lives.
class ComApartment {
public:
    ComApartment()
    {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_bInitialised = SUCCEEDED(hr);
    }
    ~ComApartment()
    {
        if (m_bInitialised)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_bInitialised = false;
};

// Names already looked up, by interface identity and name.
std::map<std::pair<std::string, std::string>, DISPID>& NameCache()
{
    static std::map<std::pair<std::string, std::string>, DISPID> cache;
    return cache;
}

std::string InterfaceKey(IDispatch* p)
{
    UINT count = 0;
    if (FAILED(p->GetTypeInfoCount(&count)) || count == 0)
        return std::string();
    ITypeInfo* info = nullptr;
    if (FAILED(p->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || info == nullptr)
        return std::string();
    std::string key;
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr)) && attr != nullptr) {
        key.assign(reinterpret_cast<const char*>(&attr->guid), sizeof(GUID));
        info->ReleaseTypeAttr(attr);
    }
    info->Release();
    return key;
}

class DispatchObject : public IAutomationObject, public std::enable_shared_from_this<DispatchObject> {
public:
    DispatchObject(IDispatch* p, std::shared_ptr<ComApartment> apartment)
        : m_p(p), m_apartment(std::move(apartment)), m_interfaceKey(InterfaceKey(p))
    {
        m_p->AddRef();
    }
    ~DispatchObject() override
    {
        m_p->Release();
    }

    HRESULT GetProperty(LPCTSTR szName, const std::vector<AutomationValue>& args, AutomationValue& result) override
    {
        return Invoke(szName, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, &result);
    }
    HRESULT PutProperty(LPCTSTR szName, const AutomationValue& value) override
    {
        return Invoke(szName, DISPATCH_PROPERTYPUT, std::vector<AutomationValue>(1, value), nullptr);
    }
    HRESULT CallMethod(LPCTSTR szName, const std::vector<AutomationValue>& args, AutomationValue& result) override
    {
        return Invoke(szName, DISPATCH_METHOD, args, &result);
    }
    AutomationFault GetLastFault() const override { return m_fault; }

private:
    HRESULT Lookup(LPCTSTR szName, DISPID* pId)
    {
        const std::string name = szName != nullptr ? szName : "";
        std::map<std::string, DISPID>::const_iterator own = m_ownNames.find(name);
        if (own != m_ownNames.end()) {
            *pId = own->second;
            return S_OK;
        }
        const auto shared = std::make_pair(m_interfaceKey, name);
        if (!m_interfaceKey.empty()) {
            auto it = NameCache().find(shared);
            if (it != NameCache().end()) {
                *pId = it->second;
                return S_OK;
            }
        }
        BSTR wide = AutomationTextToBstr(CString(name));
        if (wide == nullptr)
            return E_OUTOFMEMORY;
        LPOLESTR names[1] = {wide};
        const HRESULT hr = m_p->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, pId);
        ::SysFreeString(wide);
        if (FAILED(hr))
            return hr;
        if (m_interfaceKey.empty())
            m_ownNames[name] = *pId;
        else
            NameCache()[shared] = *pId;
        return S_OK;
    }

    HRESULT Invoke(LPCTSTR szName, WORD flags, const std::vector<AutomationValue>& args, AutomationValue* pResult)
    {
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = Lookup(szName, &id);
        if (FAILED(hr))
            return hr;
        std::shared_ptr<ComApartment> apartment = m_apartment;
        AutomationObjectToDispatch toDispatch = [](const AutomationObjectPtr& o) -> IDispatch* {
            DispatchObject* d = dynamic_cast<DispatchObject*>(o.get());
            if (d == nullptr)
                return nullptr;
            d->m_p->AddRef();
            return d->m_p;
        };
        // Arguments go in reverse order.
        std::vector<VARIANT> vars(args.size());
        for (VARIANT& v : vars)
            ::VariantInit(&v);
        bool ok = true;
        for (size_t i = 0; i < args.size() && ok; ++i)
            ok = AutomationValueToVariant(args[i], &vars[args.size() - 1 - i], toDispatch) != FALSE;
        if (!ok) {
            for (VARIANT& v : vars)
                ::VariantClear(&v);
            return DISP_E_TYPEMISMATCH;
        }
        DISPPARAMS params = {};
        params.rgvarg = vars.empty() ? nullptr : vars.data();
        params.cArgs = static_cast<UINT>(vars.size());
        DISPID named = DISPID_PROPERTYPUT;
        if (flags == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO excep = {};
        UINT argErr = 0;
        hr = m_p->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, pResult != nullptr ? &result : nullptr,
                         &excep, &argErr);
        if (hr == DISP_E_EXCEPTION) {
            // The server's own code and texts: a deferred fill first.
            if (excep.pfnDeferredFillIn != nullptr)
                excep.pfnDeferredFillIn(&excep);
            m_fault.hr = excep.scode != 0 ? excep.scode : (excep.wCode != 0 ? MAKE_HRESULT(1, FACILITY_ITF, excep.wCode)
                                                                             : E_FAIL);
            m_fault.strSource = AutomationTextFromBstr(excep.bstrSource);
            m_fault.strDescription = AutomationTextFromBstr(excep.bstrDescription);
        } else if (FAILED(hr)) {
            m_fault = AutomationFault();
            m_fault.hr = hr;
        }
        ::SysFreeString(excep.bstrSource);
        ::SysFreeString(excep.bstrDescription);
        ::SysFreeString(excep.bstrHelpFile);
        for (VARIANT& v : vars)
            ::VariantClear(&v);
        if (SUCCEEDED(hr) && pResult != nullptr) {
            *pResult = AutomationValueFromVariant(result, [apartment](IDispatch* p) -> AutomationObjectPtr {
                return std::make_shared<DispatchObject>(p, apartment);
            });
        }
        ::VariantClear(&result);
        return hr;
    }

    IDispatch* m_p;
    std::shared_ptr<ComApartment> m_apartment;
    std::string m_interfaceKey;
    std::map<std::string, DISPID> m_ownNames;
    AutomationFault m_fault;
};

}  // namespace

AutomationObjectPtr PlatformSystemCreateAutomationObject(LPCTSTR szProgId)
{
    if (szProgId == nullptr || *szProgId == '\0')
        return nullptr;
    auto apartment = std::make_shared<ComApartment>();
    BSTR wide = AutomationTextToBstr(CString(szProgId));
    if (wide == nullptr)
        return nullptr;
    CLSID clsid;
    HRESULT hr = szProgId[0] == '{' ? ::CLSIDFromString(wide, &clsid) : ::CLSIDFromProgID(wide, &clsid);
    ::SysFreeString(wide);
    if (FAILED(hr))
        return nullptr;
    IDispatch* p = nullptr;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(&p));
    if (FAILED(hr) || p == nullptr)
        return nullptr;
    AutomationObjectPtr object = std::make_shared<DispatchObject>(p, apartment);
    p->Release();
    return object;
}
