// The control object's connection-point enumeration and property-bag
// persistence, as a container walks and uses them.
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace comtest;

namespace {

// A sink that only counts its references; it answers IUnknown and IDispatch
// but not the event interface.
class CountedSink : public SinkBase {
public:
    CountedSink() { answersEvents = false; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return S_OK;
    }
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

// A container's error log: the names and codes of the values a load refused.
class ErrorLog : public IErrorLog {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IErrorLog)) {
            *ppv = static_cast<IErrorLog*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR name, EXCEPINFO* info) override
    {
        entries.emplace_back(name, info != nullptr ? info->scode : S_OK);
        return S_OK;
    }
    std::vector<std::pair<std::wstring, HRESULT>> entries;
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
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(control, &cp));

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

    // Bags from elsewhere: a page's parameters arrive as text, other
    // containers keep other kinds of numbers; a value that is not the version
    // number is refused and named in the container's error log.
    struct Case {
        const char* what;
        VARTYPE vt;          // VT_EMPTY: nothing under the name
        const wchar_t* text;
        double number;
        HRESULT hr;
    };
    const Case cases[] = {
        {"nothing under the name", VT_EMPTY, nullptr, 0, S_OK},
        {"the number as text", VT_BSTR, L"65536", 0, S_OK},
        {"the number as a double", VT_R8, nullptr, 65536.0, S_OK},
        {"the number as an unsigned", VT_UI4, nullptr, 65536.0, S_OK},
        {"another version", VT_I4, nullptr, 65537.0, E_FAIL},
        {"a fraction", VT_R8, nullptr, 65536.5, DISP_E_TYPEMISMATCH},
        {"text that is no number", VT_BSTR, L"not a number", 0, DISP_E_TYPEMISMATCH},
        {"a boolean", VT_BOOL, nullptr, 0, DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBag from;
        if (c.vt != VT_EMPTY) {
            VARIANT v;
            ::VariantInit(&v);
            v.vt = c.vt;
            if (c.vt == VT_BSTR)
                v.bstrVal = ::SysAllocString(c.text);
            else if (c.vt == VT_R8)
                v.dblVal = c.number;
            else if (c.vt == VT_UI4)
                v.ulVal = static_cast<ULONG>(c.number);
            else if (c.vt == VT_I4)
                v.lVal = static_cast<LONG>(c.number);
            else
                v.boolVal = VARIANT_TRUE;
            from.Write(L"_Version", &v);
            ::VariantClear(&v);
        }
        ErrorLog log;
        EXPECT_EQ(persist->Load(&from, &log), c.hr);
        if (c.hr == S_OK) {
            EXPECT_TRUE(log.entries.empty());
        } else {
            ASSERT_EQ(log.entries.size(), 1u);
            EXPECT_EQ(log.entries[0].first, L"_Version");
            EXPECT_EQ(log.entries[0].second, c.hr);
        }
        // Without a log the answer is the same.
        EXPECT_EQ(persist->Load(&from, nullptr), c.hr);
    }
    EXPECT_EQ(persist->Load(nullptr, nullptr), E_POINTER);
    persist->Release();
}

// The stream form is the version number in four bytes, and a load reads
// those four and nothing after them.
TEST_F(ControlObject, StreamKeepsTheVersionNumber)
{
    IPersistStreamInit* persist = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
    EXPECT_EQ(persist->InitNew(), S_OK);
    ULARGE_INTEGER size;
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 4u);

    IStream* saved = nullptr;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &saved), S_OK);
    ASSERT_EQ(persist->Save(saved, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    HGLOBAL memory = nullptr;
    ASSERT_EQ(::GetHGlobalFromStream(saved, &memory), S_OK);
    STATSTG stat = {};
    ASSERT_EQ(saved->Stat(&stat, STATFLAG_NONAME), S_OK);
    ASSERT_EQ(stat.cbSize.QuadPart, 4u);
    const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(memory));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 4), (std::vector<BYTE>{0x00, 0x00, 0x01, 0x00}));
    ::GlobalUnlock(memory);
    saved->Release();

    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        HRESULT hr;
    };
    const Case cases[] = {
        {"the version, then the container's next bytes", {0x00, 0x00, 0x01, 0x00, 0xAB, 0xCD}, S_OK},
        {"empty", {}, S_OK},
        {"short", {0x00, 0x00, 0x01}, E_FAIL},
        {"another version", {0x01, 0x00, 0x01, 0x00}, E_FAIL},
        {"garbage", {'K', 'I', 'V', 'O', 'S', 'H'}, E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IStream* stream = nullptr;
        ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
        if (!c.bytes.empty()) {
            ASSERT_EQ(stream->Write(c.bytes.data(), static_cast<ULONG>(c.bytes.size()), nullptr), S_OK);
        }
        LARGE_INTEGER zero = {};
        ASSERT_EQ(stream->Seek(zero, STREAM_SEEK_SET, nullptr), S_OK);
        EXPECT_EQ(persist->Load(stream), c.hr);
        ULARGE_INTEGER at = {};
        ASSERT_EQ(stream->Seek(zero, STREAM_SEEK_CUR, &at), S_OK);
        EXPECT_EQ(at.QuadPart, std::min<ULONGLONG>(c.bytes.size(), 4u));
        stream->Release();
    }
    EXPECT_EQ(persist->Load(static_cast<IStream*>(nullptr)), E_POINTER);
    persist->Release();
}

// Named arguments as a caller writing GridRGB(nBlue:=..., nRed:=...) passes
// them: the names resolved by GetIDsOfNames, the named values first in rgvarg
// and the positional ones after them, last first.
TEST_F(ControlObject, InvokeTakesNamedArgumentsInAnyOrder)
{
    IDispatch* ctl = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);

    LPOLESTR names[4] = {const_cast<LPOLESTR>(L"GridRGB"), const_cast<LPOLESTR>(L"nblue"),
                         const_cast<LPOLESTR>(L"NGREEN"), const_cast<LPOLESTR>(L"nRed")};
    DISPID ids[4] = {};
    ASSERT_EQ(ctl->GetIDsOfNames(IID_NULL, names, 4, 0, ids), S_OK);
    const DISPID rgb = ids[0], blue = ids[1], green = ids[2], red = ids[3];
    EXPECT_EQ(rgb, 125);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(green, 1);
    EXPECT_EQ(blue, 2);

    const SHORT r = 0x12, g = 0x34, b = 0x56;
    const LONG expected = r | (g << 8) | (b << 16);
    struct Call {
        const char* what;
        std::vector<VARIANT> rgvarg;   // named first, then positional last first
        std::vector<DISPID> named;
    };
    const Call calls[] = {
        {"all named, reversed", {Short(b), Short(g), Short(r)}, {blue, green, red}},
        {"all named, in order", {Short(r), Short(g), Short(b)}, {red, green, blue}},
        {"all named, mixed", {Short(g), Short(b), Short(r)}, {green, blue, red}},
        {"one positional, two named", {Short(b), Short(g), Short(r)}, {blue, green}},
        {"two positional, one named", {Short(b), Short(g), Short(r)}, {blue}},
        {"positional only", {Short(b), Short(g), Short(r)}, {}},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.what);
        std::vector<VARIANT> args = c.rgvarg;
        std::vector<DISPID> named = c.named;
        DISPPARAMS params = {args.data(), named.empty() ? nullptr : named.data(), static_cast<UINT>(args.size()),
                             static_cast<UINT>(named.size())};
        VARIANT result;
        ::VariantInit(&result);
        EXPECT_EQ(ctl->Invoke(rgb, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result, nullptr,
                              nullptr),
                  S_OK);
        EXPECT_EQ(result.vt, VT_I4);
        EXPECT_EQ(result.lVal, expected);
    }

    // Names that fit no free position are reported with their slot; counts
    // that do not fit are reported as such; a value that is no number names
    // its slot.
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"not a number");
    struct Bad {
        const char* what;
        std::vector<VARIANT> rgvarg;
        std::vector<DISPID> named;
        HRESULT hr;
        UINT argErr;   // 99: not set
    };
    const Bad bad[] = {
        {"no such position", {Short(b), Short(g), Short(r)}, {3, green, red}, DISP_E_PARAMNOTFOUND, 0},
        {"a negative position", {Short(b), Short(g), Short(r)}, {blue, -5, red}, DISP_E_PARAMNOTFOUND, 1},
        {"named twice", {Short(b), Short(g), Short(r)}, {blue, green, blue}, DISP_E_PARAMNOTFOUND, 2},
        {"named and positional", {Short(b), Short(g), Short(r)}, {blue, red}, DISP_E_PARAMNOTFOUND, 1},
        {"the put name on a method", {Short(b), Short(g), Short(r)}, {DISPID_PROPERTYPUT}, DISP_E_PARAMNOTFOUND, 0},
        {"one missing", {Short(b), Short(r)}, {blue, red}, DISP_E_BADPARAMCOUNT, 99},
        {"one too many", {Short(b), Short(g), Short(r), Short(r)}, {}, DISP_E_BADPARAMCOUNT, 99},
        {"a named text", {Short(b), text, Short(r)}, {blue, green, red}, DISP_E_TYPEMISMATCH, 1},
    };
    for (const Bad& c : bad) {
        SCOPED_TRACE(c.what);
        std::vector<VARIANT> args = c.rgvarg;
        std::vector<DISPID> named = c.named;
        DISPPARAMS params = {args.data(), named.data(), static_cast<UINT>(args.size()),
                             static_cast<UINT>(named.size())};
        VARIANT result;
        ::VariantInit(&result);
        UINT argErr = 99;
        EXPECT_EQ(ctl->Invoke(rgb, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, &argErr), c.hr);
        EXPECT_EQ(argErr, c.argErr);
    }
    ::VariantClear(&text);

    // Malformed parameter blocks are refused, not read.
    DISPPARAMS noValues = {nullptr, nullptr, 3, 0};
    EXPECT_EQ(ctl->Invoke(rgb, IID_NULL, 0, DISPATCH_METHOD, &noValues, nullptr, nullptr, nullptr), E_INVALIDARG);
    VARIANT one = Short(1);
    DISPPARAMS moreNamedThanGiven = {&one, ids + 1, 1, 2};
    EXPECT_EQ(ctl->Invoke(rgb, IID_NULL, 0, DISPATCH_METHOD, &moreNamedThanGiven, nullptr, nullptr, nullptr),
              E_INVALIDARG);

    // A property put still names its value DISPID_PROPERTYPUT; any other
    // name, on a put or a get, is not found.
    VARIANT colour;
    ::VariantInit(&colour);
    colour.vt = VT_I4;
    colour.lVal = 0x00ABCDEF;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS putParams = {&colour, &put, 1, 1};
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, nullptr), S_OK);
    DISPID wrong = 0;
    DISPPARAMS wrongPut = {&colour, &wrong, 1, 1};
    UINT argErr = 99;
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &wrongPut, nullptr, nullptr, &argErr),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argErr, 0u);
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYGET, &wrongPut, &result, nullptr, nullptr),
              DISP_E_PARAMNOTFOUND);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 0x00ABCDEF);
    ctl->Release();
}

// What the timer that closes a modal property frame saw.
struct FrameWatch {
    bool sawFrame = false;
    bool sawPage = false;
    int ticks = 0;
};
FrameWatch* g_watch = nullptr;

BOOL CALLBACK FindShownDialog(HWND h, LPARAM l)
{
    wchar_t name[16] = {};
    ::GetClassNameW(h, name, 16);
    if (::IsWindowVisible(h) && ::lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(l) = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindPageText(HWND h, LPARAM l)
{
    wchar_t name[16] = {}, text[32] = {};
    ::GetClassNameW(h, name, 16);
    ::GetWindowTextW(h, text, 32);
    if (::lstrcmpiW(name, L"Static") == 0 && ::lstrcmpW(text, L"KivoSheet") == 0) {
        *reinterpret_cast<bool*>(l) = true;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the frame's modal loop: notes the frame and the control's page
// in it (the page's one text), then cancels the frame.
void CALLBACK CloseShownFrame(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_watch->ticks;
    HWND frame = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&frame));
    if (frame == nullptr)
        return;
    g_watch->sawFrame = true;
    ::EnumChildWindows(frame, FindPageText, reinterpret_cast<LPARAM>(&g_watch->sawPage));
    ::PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
}

// The standard Properties verb is offered on the container's menu and shows
// the control's property page in a modal frame.
TEST_F(ControlObject, PropertiesVerbShowsThePropertyPage)
{
    ScopedRegistration registration;   // the frame makes the page from its class identifier
    ASSERT_TRUE(registration.ok());
    IOleObject* ole = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)), S_OK);

    IEnumOLEVERB* verbs = nullptr;
    ASSERT_EQ(ole->EnumVerbs(&verbs), S_OK);
    ASSERT_NE(verbs, nullptr);
    OLEVERB got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(verbs->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].lVerb, OLEIVERB_PROPERTIES);
    EXPECT_NE(got[0].grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU, 0u);
    ASSERT_NE(got[0].lpszVerbName, nullptr);
    EXPECT_STREQ(got[0].lpszVerbName, L"&Properties...");
    ::CoTaskMemFree(got[0].lpszVerbName);
    // A clone starts where its original stands.
    EXPECT_EQ(verbs->Reset(), S_OK);
    IEnumOLEVERB* clone = nullptr;
    ASSERT_EQ(verbs->Clone(&clone), S_OK);
    verbs->Release();
    EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_STREQ(got[0].lpszVerbName, L"&Properties...");
    ::CoTaskMemFree(got[0].lpszVerbName);
    clone->Release();

    FrameWatch watch;
    g_watch = &watch;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseShownFrame);
    EXPECT_EQ(ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
    ::KillTimer(nullptr, timer);
    g_watch = nullptr;
    EXPECT_TRUE(watch.sawFrame);
    EXPECT_TRUE(watch.sawPage);
    ole->Release();
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

namespace {

struct AboutWatch {
    bool seen = false;
    std::wstring line;
};
AboutWatch* g_about = nullptr;

BOOL CALLBACK FindAbout(HWND hwnd, LPARAM)
{
    wchar_t caption[32] = {};
    ::GetWindowTextW(hwnd, caption, 32);
    if (!::IsWindowVisible(hwnd) || std::wstring(caption) != L"\x5173\x4E8E")   // "关于"
        return TRUE;
    g_about->seen = true;
    wchar_t line[128] = {};
    ::GetDlgItemTextW(hwnd, 268, line, 128);
    g_about->line = line;
    // OK, as a click would press it.
    ::SendMessageW(::GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
    return FALSE;
}

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_about != nullptr && !g_about->seen)
        ::EnumThreadWindows(::GetCurrentThreadId(), FindAbout, 0);
}

TEST_F(ControlObject, AboutBoxMethodShowsTheVersionLineAndClosesWithOk)
{
    IDispatch* ctl = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"AboutBox");
    DISPID id = 0;
    ASSERT_EQ(ctl->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    AboutWatch watch;
    g_about = &watch;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
    DISPPARAMS none = {};
    EXPECT_EQ(ctl->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    ::KillTimer(nullptr, timer);
    g_about = nullptr;
    EXPECT_TRUE(watch.seen);
    EXPECT_EQ(L"KivoSheet, Version 4.5.1.2", watch.line);
    ctl->Release();
}

}  // namespace
