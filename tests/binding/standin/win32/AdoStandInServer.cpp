// The stand-in ADO as a Windows local server: the model of AdoStandIn.cpp
// behind IDispatch, registered as "ADODB.Connection", "ADODB.Recordset" and
// "ADODB.Command" for a test's duration, so that the access layer's calls
// cross a process boundary as they would to the system's ADO. Registering
// keeps the classes the names stood for (the prefix's own ADO) and removing
// puts them back. Every call is appended to the log file named on the
// command line; a refusal is raised as an exception with ADO's code and
// text.
//
//   kivo_ado_standin /regserver LOGFILE   registers (the log file in the command)
//   kivo_ado_standin /unregserver         removes the registration, restoring the names
//   kivo_ado_standin /log LOGFILE -Embedding   what COM starts
#include "binding/standin/AdoStandIn.h"
#include "platform/win32/AutomationVariant.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct ClassEntry {
    CLSID clsid;
    const wchar_t* clsidText;
    const wchar_t* progId;
    const char* narrowProgId;
};

// {3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6A01} .. 03
const ClassEntry kClasses[] = {
    {{0x3f6a2c11, 0x7b4d, 0x4e58, {0xa1, 0xc9, 0x5d, 0x2e, 0x8b, 0x7f, 0x6a, 0x01}},
     L"{3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6A01}", L"ADODB.Connection", "ADODB.Connection"},
    {{0x3f6a2c11, 0x7b4d, 0x4e58, {0xa1, 0xc9, 0x5d, 0x2e, 0x8b, 0x7f, 0x6a, 0x02}},
     L"{3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6A02}", L"ADODB.Recordset", "ADODB.Recordset"},
    {{0x3f6a2c11, 0x7b4d, 0x4e58, {0xa1, 0xc9, 0x5d, 0x2e, 0x8b, 0x7f, 0x6a, 0x03}},
     L"{3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6A03}", L"ADODB.Command", "ADODB.Command"},
};
// Where registering keeps the class a name stood for before.
const wchar_t kSavedValue[] = L"KivoStandInSaved";

// The interface a Dispatch of this server answers with itself, so that an
// object handed back (a connection given to Recordset.Open) is known again.
// {3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6AFF}
const IID kIidStandIn = {0x3f6a2c11, 0x7b4d, 0x4e58, {0xa1, 0xc9, 0x5d, 0x2e, 0x8b, 0x7f, 0x6a, 0xff}};

AdoStandInLog g_log;
LONG g_objects = 0;
LONG g_locks = 0;
DWORD g_mainThread = 0;

void ObjectGone()
{
    if (::InterlockedDecrement(&g_objects) == 0 && g_locks == 0)
        ::PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
}

std::vector<std::string>& Names()
{
    static std::vector<std::string> names;
    return names;
}

class Dispatch : public IDispatch {
public:
    explicit Dispatch(AutomationObjectPtr object) : m_object(std::move(object)) { ::InterlockedIncrement(&g_objects); }
    virtual ~Dispatch() { ObjectGone(); }
    const AutomationObjectPtr& Object() const { return m_object; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIidStandIn)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (names == nullptr || ids == nullptr)
            return E_POINTER;
        for (UINT i = 0; i < count; ++i) {
            BSTR copy = ::SysAllocString(names[i]);
            const std::string name = AutomationTextFromBstr(copy).GetString();
            ::SysFreeString(copy);
            std::vector<std::string>& table = Names();
            size_t at = 0;
            while (at < table.size() && table[at] != name)
                ++at;
            if (at == table.size())
                table.push_back(name);
            ids[i] = static_cast<DISPID>(at + 1);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT*) override
    {
        if (id < 1 || static_cast<size_t>(id) > Names().size())
            return DISP_E_MEMBERNOTFOUND;
        const CString name(Names()[static_cast<size_t>(id - 1)].c_str());
        // An object of this server comes back as its model; another as none.
        auto known = [](IDispatch* p) -> AutomationObjectPtr {
            IDispatch* self = nullptr;
            if (p == nullptr || FAILED(p->QueryInterface(kIidStandIn, reinterpret_cast<void**>(&self))) ||
                self == nullptr)
                return nullptr;
            AutomationObjectPtr object = static_cast<Dispatch*>(self)->Object();
            self->Release();
            return object;
        };
        std::vector<AutomationValue> args;
        AutomationValue putValue;
        bool hasPut = false;
        if (params != nullptr) {
            for (UINT i = 0; i < params->cArgs; ++i) {
                const bool named = i < params->cNamedArgs;
                if (named && params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) {
                    putValue = AutomationValueFromVariant(params->rgvarg[i], known);
                    hasPut = true;
                } else if (!named) {
                    args.insert(args.begin(), AutomationValueFromVariant(params->rgvarg[i], known));
                }
            }
        }
        AutomationValue out;
        HRESULT hr;
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
            if (!hasPut)
                return DISP_E_PARAMNOTOPTIONAL;
            hr = m_object->PutProperty(name, putValue);
        } else if ((flags & DISPATCH_PROPERTYGET) != 0) {
            hr = m_object->GetProperty(name, args, out);
            // A member that is no property may be a method (Execute, MoveNext).
            if (hr == kAutomationUnknownName && (flags & DISPATCH_METHOD) != 0)
                hr = m_object->CallMethod(name, args, out);
        } else {
            hr = m_object->CallMethod(name, args, out);
        }
        if (hr == kAutomationUnknownName)
            return DISP_E_MEMBERNOTFOUND;
        if (FAILED(hr)) {
            const AutomationFault fault = m_object->GetLastFault();
            if (excep == nullptr || fault.hr == kAutomationOk)
                return hr;
            std::memset(excep, 0, sizeof *excep);
            excep->scode = fault.hr;
            excep->bstrSource = AutomationTextToBstr(fault.strSource);
            excep->bstrDescription = AutomationTextToBstr(fault.strDescription);
            return DISP_E_EXCEPTION;
        }
        if (result != nullptr) {
            ::VariantInit(result);
            AutomationValueToVariant(out, result, [](const AutomationObjectPtr& o) -> IDispatch* {
                return o ? new Dispatch(o) : nullptr;
            });
            // ADO gives a 64-bit integer field as such.
            if (out.kind == AutomationValue::kInt && (out.nInt < INT32_MIN || out.nInt > INT32_MAX)) {
                V_VT(result) = VT_I8;
                V_I8(result) = out.nInt;
            }
        }
        return S_OK;
    }

private:
    LONG m_refs = 1;
    AutomationObjectPtr m_object;
};

class Factory : public IClassFactory {
public:
    explicit Factory(const char* progId) : m_progId(progId) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        g_log.Add(std::string("create ") + m_progId);
        Dispatch* object = new Dispatch(CreateAdoStandInObject(m_progId, &g_log));
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ::InterlockedIncrement(&g_locks);
        else if (::InterlockedDecrement(&g_locks) == 0 && g_objects == 0)
            ::PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
        return S_OK;
    }

private:
    const char* m_progId;
};

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY h = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG rc = ::RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

bool GetValue(const std::wstring& key, const wchar_t* name, std::wstring& value)
{
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[256] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LONG rc = ::RegQueryValueExW(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(h);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return false;
    value = buffer;
    return true;
}

int Register(const std::wstring& logFile)
{
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring command = L"\"" + std::wstring(exe) + L"\" /log \"" + logFile + L"\"";
    bool ok = true;
    for (const ClassEntry& c : kClasses) {
        const std::wstring progKey = std::wstring(c.progId) + L"\\CLSID";
        std::wstring old;
        // The class the name stood for, kept once (a second registration
        // keeps the first one's).
        if (GetValue(progKey, nullptr, old) && old != c.clsidText && !GetValue(progKey, kSavedValue, old))
            ok = ok && SetValue(progKey, kSavedValue, old);
        const std::wstring clsidKey = std::wstring(L"CLSID\\") + c.clsidText;
        ok = ok && SetValue(progKey, nullptr, c.clsidText) && SetValue(clsidKey, nullptr, L"Stand-in ADO") &&
             SetValue(clsidKey + L"\\ProgID", nullptr, c.progId) &&
             SetValue(clsidKey + L"\\LocalServer32", nullptr, command);
    }
    return ok ? 0 : 1;
}

int Unregister()
{
    for (const ClassEntry& c : kClasses) {
        const std::wstring progKey = std::wstring(c.progId) + L"\\CLSID";
        std::wstring old;
        if (GetValue(progKey, kSavedValue, old)) {
            SetValue(progKey, nullptr, old);
            HKEY h = nullptr;
            if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, progKey.c_str(), 0, KEY_WRITE, &h) == ERROR_SUCCESS) {
                ::RegDeleteValueW(h, kSavedValue);
                ::RegCloseKey(h);
            }
        } else {
            // The name was ours alone.
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, c.progId);
        }
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + c.clsidText).c_str());
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    ::LocalFree(argv);
    if (!args.empty() && args[0] == L"/regserver")
        return Register(args.size() > 1 ? args[1] : L"");
    if (!args.empty() && args[0] == L"/unregserver")
        return Unregister();
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == L"/log") {
            BSTR wide = ::SysAllocString(args[i + 1].c_str());
            g_log.file = AutomationTextFromBstr(wide).GetString();
            ::SysFreeString(wide);
        }
    }
    g_mainThread = ::GetCurrentThreadId();
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    // One process serves every class: a recordset must know the connection
    // it is given.
    static Factory factories[] = {Factory(kClasses[0].narrowProgId), Factory(kClasses[1].narrowProgId),
                                  Factory(kClasses[2].narrowProgId)};
    DWORD cookies[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (FAILED(::CoRegisterClassObject(kClasses[i].clsid, &factories[i], CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                           &cookies[i]))) {
            ::CoUninitialize();
            return 3;
        }
    }
    // Ends when the last object is released, or after a minute without any.
    ::SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && g_objects == 0)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    for (DWORD cookie : cookies)
        ::CoRevokeClassObject(cookie);
    ::CoUninitialize();
    return 0;
}
