#include "control/win32/ComModule.h"

#include "platform/win32/Module.h"

namespace {

volatile LONG g_objects = 0;
volatile LONG g_locks = 0;
ITypeLib* g_typeLib = nullptr;
wchar_t g_path[MAX_PATH * 2] = {};

}  // namespace

HINSTANCE KivoModuleInstance()
{
    return PlatformModuleInstance();
}

const wchar_t* KivoModulePath()
{
    if (g_path[0] == L'\0') {
        DWORD n = ::GetModuleFileNameW(KivoModuleInstance(), g_path, sizeof(g_path) / sizeof(g_path[0]));
        if (n == 0 || n >= sizeof(g_path) / sizeof(g_path[0]))
            g_path[0] = L'\0';
    }
    return g_path;
}

void KivoModuleObjectCreated()
{
    ::InterlockedIncrement(&g_objects);
}

void KivoModuleObjectDestroyed()
{
    ::InterlockedDecrement(&g_objects);
}

void KivoModuleLockServer(BOOL lock)
{
    if (lock)
        ::InterlockedIncrement(&g_locks);
    else
        ::InterlockedDecrement(&g_locks);
}

LONG KivoModuleUseCount()
{
    return g_objects + g_locks;
}

HRESULT KivoTypeLib(ITypeLib** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (g_typeLib == nullptr) {
        const wchar_t* path = KivoModulePath();
        if (path[0] == L'\0')
            return TYPE_E_CANTLOADLIBRARY;
        HRESULT hr = ::LoadTypeLibEx(path, REGKIND_NONE, &g_typeLib);
        if (FAILED(hr)) {
            g_typeLib = nullptr;
            return hr;
        }
    }
    g_typeLib->AddRef();
    *out = g_typeLib;
    return S_OK;
}

HRESULT KivoTypeInfo(REFGUID guid, ITypeInfo** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    ITypeLib* lib = nullptr;
    HRESULT hr = KivoTypeLib(&lib);
    if (FAILED(hr))
        return hr;
    hr = lib->GetTypeInfoOfGuid(guid, out);
    lib->Release();
    return hr;
}

void KivoReleaseTypeLib()
{
    if (g_typeLib != nullptr) {
        g_typeLib->Release();
        g_typeLib = nullptr;
    }
}
