// The control object's connection-point enumeration and property-bag
// persistence, as a container walks and uses them.
#include "ComTestSupport.h"

#include "control/KivoGuids.gen.h"

#include <gtest/gtest.h>

#include <ocidl.h>

#include <cstring>
#include <map>
#include <string>

using namespace comtest;

namespace {

GUID Guid(const KivoGuid& g)
{
    GUID guid;
    std::memcpy(&guid, g.bytes, sizeof(guid));
    return guid;
}

// A sink that only counts its references.
class CountedSink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return S_OK;
    }
    ULONG refs = 1;
};

// A property bag in memory, as a container that saves to text keeps one.
class MemoryBag : public IPropertyBag {
public:
    ~MemoryBag()
    {
        for (auto& entry : values)
            ::VariantClear(&entry.second);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
            *ppv = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        ++reads;
        auto it = values.find(name);
        if (it == values.end())
            return E_INVALIDARG;
        const VARTYPE wanted = value->vt;
        ::VariantInit(value);
        if (wanted == VT_EMPTY)
            return ::VariantCopy(value, &it->second);
        return ::VariantChangeType(value, &it->second, 0, wanted);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT copy;
        ::VariantInit(&copy);
        HRESULT hr = ::VariantCopy(&copy, value);
        if (FAILED(hr))
            return hr;
        auto it = values.find(name);
        if (it != values.end())
            ::VariantClear(&it->second);
        values[name] = copy;
        return S_OK;
    }
    std::map<std::wstring, VARIANT> values;
    int reads = 0;
};

class ControlObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        module = ::LoadLibraryW(DllPath().c_str());
        ASSERT_NE(module, nullptr);
        auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*)>(
            reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
        ASSERT_NE(getClassObject, nullptr);
        IClassFactory* factory = nullptr;
        ASSERT_EQ(getClassObject(Guid(kGuid_KivoSheet), IID_IClassFactory, reinterpret_cast<void**>(&factory)),
                  S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)), S_OK);
        factory->Release();
    }
    void TearDown() override
    {
        if (control != nullptr)
            control->Release();
        ::FreeLibrary(module);
        ::CoUninitialize();
    }

    HMODULE module = nullptr;
    IUnknown* control = nullptr;
};

TEST_F(ControlObject, ConnectionPointsAreEnumerated)
{
    IConnectionPointContainer* cpc = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)), S_OK);
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(cpc->EnumConnectionPoints(&points), S_OK);
    ASSERT_NE(points, nullptr);

    // One point, the event interface's; asking for more reports how many came.
    IConnectionPoint* got[2] = {nullptr, nullptr};
    ULONG fetched = 99;
    EXPECT_EQ(points->Next(2, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    IID iid;
    ASSERT_EQ(got[0]->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, Guid(kGuid_DKivoSheetEvents)));
    got[0]->Release();
    EXPECT_EQ(points->Next(1, got, nullptr), S_FALSE);
    // Without a count only one item may be asked for.
    EXPECT_EQ(points->Next(2, got, nullptr), E_INVALIDARG);

    // Reset, Skip and Clone keep their places apart.
    EXPECT_EQ(points->Reset(), S_OK);
    IEnumConnectionPoints* clone = nullptr;
    ASSERT_EQ(points->Clone(&clone), S_OK);
    EXPECT_EQ(points->Skip(1), S_OK);
    EXPECT_EQ(points->Skip(1), S_FALSE);
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 1u);
    got[0]->Release();
    clone->Release();
    points->Release();
    cpc->Release();
}

TEST_F(ControlObject, ConnectionsAreEnumeratedAsTheyStoodWhenAsked)
{
    IConnectionPointContainer* cpc = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)), S_OK);
    IConnectionPoint* cp = nullptr;
    ASSERT_EQ(cpc->FindConnectionPoint(Guid(kGuid_DKivoSheetEvents), &cp), S_OK);

    IEnumConnections* none = nullptr;
    ASSERT_EQ(cp->EnumConnections(&none), S_OK);
    CONNECTDATA data[3];
    ULONG fetched = 99;
    EXPECT_EQ(none->Next(3, data, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    none->Release();

    CountedSink a, b;
    DWORD cookieA = 0, cookieB = 0;
    ASSERT_EQ(cp->Advise(&a, &cookieA), S_OK);
    ASSERT_EQ(cp->Advise(&b, &cookieB), S_OK);
    IEnumConnections* both = nullptr;
    ASSERT_EQ(cp->EnumConnections(&both), S_OK);
    // The snapshot holds its own reference on every sink.
    EXPECT_EQ(a.refs, 3u);
    ASSERT_EQ(cp->Unadvise(cookieA), S_OK);
    EXPECT_EQ(a.refs, 2u);

    EXPECT_EQ(both->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, cookieA);
    EXPECT_EQ(data[1].dwCookie, cookieB);
    EXPECT_EQ(data[0].pUnk, static_cast<IUnknown*>(&a));
    EXPECT_EQ(data[1].pUnk, static_cast<IUnknown*>(&b));
    data[0].pUnk->Release();
    data[1].pUnk->Release();
    both->Release();
    EXPECT_EQ(a.refs, 1u);

    ASSERT_EQ(cp->Unadvise(cookieB), S_OK);
    EXPECT_EQ(b.refs, 1u);
    cp->Release();
    cpc->Release();
}

TEST_F(ControlObject, PropertyBagKeepsTheVersionNumber)
{
    IPersistPropertyBag* persist = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist)), S_OK);
    EXPECT_EQ(persist->InitNew(), S_OK);

    MemoryBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
    ASSERT_EQ(bag.values.count(L"_Version"), 1u);
    EXPECT_EQ(bag.values[L"_Version"].vt, VT_I4);
    EXPECT_EQ(bag.values[L"_Version"].lVal, 0x10000);
    EXPECT_EQ(persist->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(bag.reads, 1);

    // A bag from elsewhere: nothing under the name, or text that is no number.
    MemoryBag empty;
    EXPECT_EQ(persist->Load(&empty, nullptr), S_OK);
    MemoryBag odd;
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"not a number");
    odd.Write(L"_Version", &text);
    ::VariantClear(&text);
    EXPECT_EQ(persist->Load(&odd, nullptr), S_OK);
    EXPECT_EQ(persist->Load(nullptr, nullptr), E_POINTER);
    persist->Release();
}

INT_PTR CALLBACK PlainDialog(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(ControlObject, AboutBoxShowsTheControlsIcon)
{
    HWND about = ::CreateDialogParamW(module, MAKEINTRESOURCEW(1), nullptr, PlainDialog, 0);
    ASSERT_NE(about, nullptr);
    wchar_t caption[32] = {};
    ::GetWindowTextW(about, caption, 32);
    EXPECT_STREQ(caption, L"\x5173\x4E8E");   // "关于"
    HICON shown = nullptr;
    for (HWND child = ::GetWindow(about, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            shown = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    }
    EXPECT_NE(shown, nullptr);
    ::DestroyWindow(about);
}

}  // namespace
