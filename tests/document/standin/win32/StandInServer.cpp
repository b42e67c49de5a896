// The stand-in spreadsheet server as a Windows local server: the model of
// ExcelStandIn.cpp behind IDispatch, registered as "Excel.Application" in
// the test prefix only, so the bridge's calls cross a process boundary as
// they would with the real program. Every call is appended to the log file
// named on the command line.
//
//   kivo_excel_standin /regserver LOGFILE   registers (the log file in the command)
//   kivo_excel_standin /unregserver         removes the registration
//   kivo_excel_standin /log LOGFILE -Embedding   what COM starts
#include "document/standin/ExcelStandIn.h"
#include "platform/win32/AutomationVariant.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// {6B1D2E90-5A43-4C8E-9F21-7E5C3A1B0D42}
const CLSID kStandInClsid = {0x6b1d2e90, 0x5a43, 0x4c8e, {0x9f, 0x21, 0x7e, 0x5c, 0x3a, 0x1b, 0x0d, 0x42}};
const wchar_t kClsidText[] = L"{6B1D2E90-5A43-4C8E-9F21-7E5C3A1B0D42}";
const wchar_t kProgId[] = L"Excel.Application";

StandInLog g_log;
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
    explicit Dispatch(AutomationObjectPtr object) : m_object(std::move(object))
    {
        ::InterlockedIncrement(&g_objects);
    }
    virtual ~Dispatch() { ObjectGone(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
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
            // Names arrive as plain strings, not length-prefixed ones.
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
                                     EXCEPINFO*, UINT*) override
    {
        if (id < 1 || static_cast<size_t>(id) > Names().size())
            return DISP_E_MEMBERNOTFOUND;
        const CString name(Names()[static_cast<size_t>(id - 1)].c_str());
        auto noObjects = [](IDispatch*) -> AutomationObjectPtr { return nullptr; };
        std::vector<AutomationValue> args;
        AutomationValue putValue;
        bool hasPut = false;
        if (params != nullptr) {
            for (UINT i = 0; i < params->cArgs; ++i) {
                const bool named = i < params->cNamedArgs;
                if (named && params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) {
                    putValue = AutomationValueFromVariant(params->rgvarg[i], noObjects);
                    hasPut = true;
                } else if (!named) {
                    args.insert(args.begin(), AutomationValueFromVariant(params->rgvarg[i], noObjects));
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
        } else {
            hr = m_object->CallMethod(name, args, out);
        }
        if (FAILED(hr))
            return hr;
        if (result != nullptr) {
            ::VariantInit(result);
            AutomationValueToVariant(out, result, [](const AutomationObjectPtr& o) -> IDispatch* {
                return o ? new Dispatch(o) : nullptr;
            });
        }
        return S_OK;
    }

private:
    LONG m_refs = 1;
    AutomationObjectPtr m_object;
};

class Factory : public IClassFactory {
public:
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
        Dispatch* app = new Dispatch(CreateStandInApplication(&g_log));
        const HRESULT hr = app->QueryInterface(riid, ppv);
        app->Release();
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
};

bool SetValue(const std::wstring& key, const std::wstring& value)
{
    HKEY h = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG rc = ::RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

int Register(const std::wstring& logFile)
{
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    const std::wstring command = L"\"" + std::wstring(exe) + L"\" /log \"" + logFile + L"\"";
    const bool ok = SetValue(kProgId, L"Stand-in spreadsheet server") &&
                    SetValue(std::wstring(kProgId) + L"\\CLSID", kClsidText) &&
                    SetValue(clsidKey, L"Stand-in spreadsheet server") &&
                    SetValue(clsidKey + L"\\ProgID", kProgId) && SetValue(clsidKey + L"\\LocalServer32", command);
    return ok ? 0 : 1;
}

int Unregister()
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClsidText).c_str());
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
    static Factory factory;
    DWORD cookie = 0;
    if (FAILED(::CoRegisterClassObject(kStandInClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie))) {
        ::CoUninitialize();
        return 3;
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
    ::CoRevokeClassObject(cookie);
    ::CoUninitialize();
    return 0;
}
