// The four exported entry points of the COM server and the class factories.
#include "base/NumberText.h"
#include "control/KivoGuids.gen.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoObjects.gen.h"
#include "control/win32/ComModule.h"
#include "control/win32/ComObjects.h"
#include "control/win32/KivoSheetControl.h"
#include "control/win32/PropPage.h"
#include "control/win32/Registry.h"

#include <cstring>
#include <ctime>
#include <new>

namespace {

GUID ToGuid(const KivoGuid& g)
{
    GUID guid;
    std::memcpy(&guid, g.bytes, sizeof(guid));
    return guid;
}

typedef HRESULT (*CreateFunction)(int index, REFIID riid, void** ppv);

HRESULT CreateControl(int, REFIID riid, void** ppv)
{
    return CKivoSheetControl::Create(nullptr, riid, ppv);
}

HRESULT CreatePropPage(int, REFIID riid, void** ppv)
{
    return CKivoSheetPropPage::Create(riid, ppv);
}

HRESULT CreateAutomationObject(int index, REFIID riid, void** ppv)
{
    IDispatch* object = CreateKivoComObject(CreateKivoObjectOfClass(index));
    if (object == nullptr)
        return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

// A class factory that lives as long as the module; its references do not
// count, its locks do.
class CClassFactory : public IClassFactory {
public:
    CClassFactory(CreateFunction create, int index) : m_create(create), m_index(index) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
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
        return m_create(m_index, riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        KivoModuleLockServer(fLock);
        return S_OK;
    }

private:
    CreateFunction m_create;
    int m_index;
};

CClassFactory g_controlFactory(&CreateControl, 0);
CClassFactory g_pageFactory(&CreatePropPage, 0);

CClassFactory* AutomationFactory(int index)
{
    static CClassFactory* factories[kKivoClassCount] = {};
    if (index < 0 || index >= kKivoClassCount)
        return nullptr;
    if (factories[index] == nullptr)
        factories[index] = new (std::nothrow) CClassFactory(&CreateAutomationObject, index);
    return factories[index];
}

// The library's own random sequence, seeded once from the time; the host's
// C run-time generator is left alone.
void SeedOnce()
{
    static bool seeded = false;
    if (!seeded) {
        seeded = true;
        KivoSrand(static_cast<unsigned int>(std::time(nullptr)));
    }
}

}  // namespace

const IID IID_IKivoObjectPrivate = ToGuid(kGuid_IKivoObjectPrivate);
const CLSID CLSID_KivoSheetPropPage = ToGuid(kGuid_KivoSheetPropPage);

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    SeedOnce();
    IClassFactory* factory = nullptr;
    if (IsEqualCLSID(rclsid, ToGuid(kGuid_KivoSheet)))
        factory = &g_controlFactory;
    else if (IsEqualCLSID(rclsid, CLSID_KivoSheetPropPage))
        factory = &g_pageFactory;
    else {
        for (int i = 0; i < kKivoClassCount && factory == nullptr; ++i) {
            if (IsEqualCLSID(rclsid, ToGuid(*kKivoClassGuids[i])))
                factory = AutomationFactory(i);
        }
    }
    if (factory == nullptr)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    // A control its host let go of inside an event handler counts until it is
    // freed; free it now if its handlers have returned.
    CKivoSheetControl::FreeReleasedControls();
    if (KivoModuleUseCount() != 0)
        return S_FALSE;
    KivoReleaseTypeLib();
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return KivoRegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return KivoUnregisterServer();
}
