#include "control/win32/Registry.h"

#include "control/KivoGuids.gen.h"
#include "control/KivoObjects.gen.h"
#include "control/win32/ComModule.h"

#include <oleauto.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kControlProgId[] = L"KIVOSHEET.KivoSheetCtrl.1";
const wchar_t kControlName[] = L"KivoSheet Control";
const wchar_t kPageProgId[] = L"KIVOSHEET.KivoSheetPropPage.1";
const wchar_t kPageName[] = L"KivoSheet Property Page";
// Recompose on resize | can't link inside | inside-out | activate when visible
// | set client site first.
const wchar_t kControlMiscStatus[] = L"131473";

std::wstring Widen(const char* s)
{
    std::wstring w;
    for (; *s != '\0'; ++s)
        w.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*s)));
    return w;
}

// Keys written by one registration, so that a failure can remove them again.
class CRegistryWriter {
public:
    // Creates (or opens) HKCR\path and sets one string value ("" = the default
    // value) when value is not NULL.
    bool Set(const std::wstring& path, const wchar_t* name, const wchar_t* value)
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                              nullptr, &key, &disposition) != ERROR_SUCCESS)
            return false;
        if (disposition == REG_CREATED_NEW_KEY)
            m_created.push_back(path);
        bool ok = true;
        if (value != nullptr) {
            const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
            ok = ::RegSetValueExW(key, (name && *name) ? name : nullptr, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
        }
        ::RegCloseKey(key);
        return ok;
    }
    bool Set(const std::wstring& path, const wchar_t* name, const std::wstring& value)
    {
        return Set(path, name, value.c_str());
    }
    // Removes every key this writer created, newest first.
    void Undo()
    {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, it->c_str());
        m_created.clear();
    }

private:
    std::vector<std::wstring> m_created;
};

void DeleteKey(const std::wstring& path)
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
}

std::wstring ClsidKey(const KivoGuid& g)
{
    return L"CLSID\\" + Widen(g.text);
}

bool RegisterControl(CRegistryWriter& w)
{
    const std::wstring path = KivoModulePath();
    const std::wstring clsid = Widen(kGuid_KivoSheet.text);
    const std::wstring key = ClsidKey(kGuid_KivoSheet);
    DeleteKey(key);   // registering again leaves one set of keys
    return w.Set(kControlProgId, L"", kControlName) &&
           w.Set(std::wstring(kControlProgId) + L"\\CLSID", L"", clsid) &&
           w.Set(key, L"", kControlName) &&
           w.Set(key + L"\\ProgID", L"", kControlProgId) &&
           w.Set(key + L"\\InprocServer32", L"", path) &&
           w.Set(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           w.Set(key + L"\\ToolboxBitmap32", L"", path + L", 1") &&
           w.Set(key + L"\\Control", L"", nullptr) &&
           w.Set(key + L"\\MiscStatus", L"", L"0") &&
           w.Set(key + L"\\MiscStatus\\1", L"", kControlMiscStatus) &&
           w.Set(key + L"\\TypeLib", L"", Widen(kGuid_KIVOSHEETLib.text)) &&
           w.Set(key + L"\\Version", L"", L"1.0");
}

bool RegisterPropertyPage(CRegistryWriter& w)
{
    const std::wstring clsid = Widen(kGuid_KivoSheetPropPage.text);
    const std::wstring key = ClsidKey(kGuid_KivoSheetPropPage);
    DeleteKey(key);
    return w.Set(kPageProgId, L"", kPageName) &&
           w.Set(std::wstring(kPageProgId) + L"\\CLSID", L"", clsid) &&
           w.Set(key, L"", kPageName) &&
           w.Set(key + L"\\ProgID", L"", kPageProgId) &&
           w.Set(key + L"\\InprocServer32", L"", std::wstring(KivoModulePath())) &&
           w.Set(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
}

bool RegisterAutomationClass(CRegistryWriter& w, int index)
{
    const std::wstring name = Widen(KivoClassName(index));
    const std::wstring progId = L"KivoSheet." + name + L".1";
    const std::wstring indep = L"KivoSheet." + name;
    const std::wstring title = name + L" Class";
    const std::wstring clsid = Widen(kKivoClassGuids[index]->text);
    const std::wstring key = ClsidKey(*kKivoClassGuids[index]);
    DeleteKey(key);
    return w.Set(progId, L"", title) &&
           w.Set(progId + L"\\CLSID", L"", clsid) &&
           w.Set(indep, L"", title) &&
           w.Set(indep + L"\\CLSID", L"", clsid) &&
           w.Set(indep + L"\\CurVer", L"", progId) &&
           w.Set(key, L"", title) &&
           w.Set(key + L"\\ProgID", L"", progId) &&
           w.Set(key + L"\\VersionIndependentProgID", L"", indep) &&
           w.Set(key + L"\\Programmable", L"", nullptr) &&
           w.Set(key + L"\\InprocServer32", L"", std::wstring(KivoModulePath())) &&
           // The objects take no locks: they live in the apartment that made them.
           w.Set(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           w.Set(key + L"\\TypeLib", L"", Widen(kGuid_KIVOSHEETLib.text));
}

void UnregisterClasses()
{
    DeleteKey(kControlProgId);
    DeleteKey(ClsidKey(kGuid_KivoSheet));
    DeleteKey(kPageProgId);
    DeleteKey(ClsidKey(kGuid_KivoSheetPropPage));
    for (int i = 0; i < kKivoClassCount; ++i) {
        const std::wstring name = Widen(KivoClassName(i));
        DeleteKey(L"KivoSheet." + name + L".1");
        DeleteKey(L"KivoSheet." + name);
        DeleteKey(ClsidKey(*kKivoClassGuids[i]));
    }
}

HRESULT UnregisterTypeLib()
{
    GUID libid;
    static_assert(sizeof(libid) == sizeof(kGuid_KIVOSHEETLib.bytes), "GUID is 16 bytes");
    std::memcpy(&libid, kGuid_KIVOSHEETLib.bytes, sizeof(libid));
#ifdef _WIN64
    const SYSKIND kind = SYS_WIN64;
#else
    const SYSKIND kind = SYS_WIN32;
#endif
    return ::UnRegisterTypeLib(libid, 1, 0, 0, kind);
}

}  // namespace

HRESULT KivoRegisterServer()
{
    const wchar_t* path = KivoModulePath();
    if (path[0] == L'\0')
        return kSelfRegTypeLibFailed;
    ITypeLib* lib = nullptr;
    if (FAILED(::LoadTypeLibEx(path, REGKIND_REGISTER, &lib)) || lib == nullptr)
        return kSelfRegTypeLibFailed;
    lib->Release();

    CRegistryWriter writer;
    bool ok = RegisterControl(writer) && RegisterPropertyPage(writer);
    for (int i = 0; ok && i < kKivoClassCount; ++i)
        ok = RegisterAutomationClass(writer, i);
    if (!ok) {
        // Leave nothing half-registered behind.
        writer.Undo();
        UnregisterClasses();
        UnregisterTypeLib();
        return kSelfRegClassFailed;
    }
    return S_OK;
}

HRESULT KivoUnregisterServer()
{
    // A type library that is not registered is no failure of unregistration.
    HRESULT typeLib = S_OK;
    HKEY key = nullptr;
    const std::wstring libKey = L"TypeLib\\" + Widen(kGuid_KIVOSHEETLib.text) + L"\\1.0";
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, libKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ::RegCloseKey(key);
        typeLib = UnregisterTypeLib();
    }
    UnregisterClasses();
    return FAILED(typeLib) ? kSelfRegTypeLibFailed : S_OK;
}
