// Helpers of the Windows tests that use the control as a container does: the
// control's event sinks, the platform's ActiveX host window (atl.dll) with
// the control placed in it, the host's message loop and automation values.
#pragma once

#include "ComTestSupport.h"

#include "control/KivoGuids.gen.h"

#include <gtest/gtest.h>

#include <ocidl.h>

#include <cstring>
#include <vector>

namespace comtest {

// The grid window's id among the control window's children.
const int kGridWindowId = 81220;

inline GUID Guid(const KivoGuid& g)
{
    GUID guid;
    std::memcpy(&guid, g.bytes, sizeof(guid));
    return guid;
}

// A host's event sink: answers IUnknown, IDispatch and (unless answersEvents
// is cleared) the control's event interface, and counts its references. What
// it does with an event is the derived sink's Invoke.
class SinkBase : public IDispatch {
public:
    virtual ~SinkBase() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            (answersEvents && IsEqualIID(riid, Guid(kGuid_DKivoSheetEvents)))) {
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

    ULONG refs = 1;
    bool answersEvents = true;
};

// A sink that records each event's DISPID and its numeric arguments in
// declaration order (-999 for an argument of another type); Answer lets a
// derived sink write its by-reference answers.
class RecordingSink : public SinkBase {
public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        Fired e;
        e.id = id;
        for (UINT i = p->cArgs; i-- > 0;) {
            const VARIANT& v = p->rgvarg[i];
            switch (v.vt) {
            case VT_I4: e.args.push_back(v.lVal); break;
            case VT_I2: e.args.push_back(v.iVal); break;
            case VT_BYREF | VT_I4: e.args.push_back(*v.plVal); break;
            case VT_BYREF | VT_I2: e.args.push_back(*v.piVal); break;
            default: e.args.push_back(-999); break;
            }
        }
        fired.push_back(e);
        Answer(id, p);
        return S_OK;
    }
    virtual void Answer(DISPID, DISPPARAMS*) {}

    struct Fired {
        DISPID id;
        std::vector<LONG> args;
    };
    // The recorded events of one DISPID, in the order they came.
    std::vector<Fired> Of(DISPID id) const
    {
        std::vector<Fired> some;
        for (const Fired& e : fired)
            if (e.id == id)
                some.push_back(e);
        return some;
    }
    std::vector<Fired> fired;
};

namespace detail {

struct ChildSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchChild(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<ChildSearch*>(l);
    if (::GetDlgCtrlID(h) == s->id) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace detail

inline HWND FindChildById(HWND parent, int id)
{
    detail::ChildSearch s = {id, nullptr};
    ::EnumChildWindows(parent, detail::MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The container's loop: what arrives is translated and dispatched, nothing is
// offered to the control's pre-translation.
inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Runs the container's loop until the condition holds or the time is up;
// answers the condition.
template <typename Condition>
bool PumpUntil(Condition done, DWORD ms = 3000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (done())
            return true;
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(10);
    }
}

// The control's connection point of its event interface; the caller releases
// it. Call inside ASSERT_NO_FATAL_FAILURE.
inline void FindEventPoint(IUnknown* control, IConnectionPoint** cp)
{
    *cp = nullptr;
    IConnectionPointContainer* cpc = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)), S_OK);
    const HRESULT hr = cpc->FindConnectionPoint(Guid(kGuid_DKivoSheetEvents), cp);
    cpc->Release();
    ASSERT_EQ(hr, S_OK);
}

// The platform's ActiveX host in one test: the server registered, COM
// started, the host's window classes registered, and (after Place) a frame
// window with a host window in it that holds the control. The destructor lets
// go of what is still held, unregisters the host's classes, so that a later
// test of the process can register them again, ends COM and unregisters the
// server. Call Start and Place inside ASSERT_NO_FATAL_FAILURE.
class AxHost {
public:
    typedef BOOL(WINAPI* AtlAxWinInitFn)();
    typedef HRESULT(WINAPI* AtlAxGetControlFn)(HWND, IUnknown**);

    AxHost() = default;
    AxHost(const AxHost&) = delete;
    AxHost& operator=(const AxHost&) = delete;
    ~AxHost()
    {
        Close();
        for (const wchar_t* name : {L"AtlAxWin", L"AtlAxWinLic"}) {
            for (HINSTANCE instance : {::GetModuleHandleW(nullptr), atl})
                ::UnregisterClassW(name, instance);
        }
        if (m_comStarted)
            ::CoUninitialize();
    }

    void Start()
    {
        ASSERT_TRUE(m_registration.ok());
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        m_comStarted = true;
        atl = ::LoadLibraryW(L"atl.dll");
        ASSERT_NE(atl, nullptr) << "the platform's ActiveX host (atl.dll) is missing";
        auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
        getControl =
            reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
        ASSERT_NE(init, nullptr);
        ASSERT_NE(getControl, nullptr);
        // Wine's host refuses a second registration of its window classes in
        // a process: a class left by an earlier test will do.
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        ASSERT_TRUE(init() || ::GetClassInfoExW(nullptr, L"AtlAxWin", &wc) ||
                    ::GetClassInfoExW(atl, L"AtlAxWin", &wc));
    }

    // A 640 x 480 frame and in it a host window of the given place and size
    // holding a new control, its IUnknown in `control`.
    void Place(int x, int y, int width, int height)
    {
        Close();
        frame = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        host = ::CreateWindowExW(0, L"AtlAxWin", L"KIVOSHEET.KivoSheetCtrl.1", WS_CHILD | WS_VISIBLE, x, y, width,
                                 height, frame, nullptr, nullptr, nullptr);
        ASSERT_NE(host, nullptr);
        Pump();
        ASSERT_EQ(getControl(host, &control), S_OK);
        ASSERT_NE(control, nullptr);
    }

    // Lets go of the control and destroys the frame, as far as they are
    // still held (a test that hands them on clears them).
    void Close()
    {
        if (control != nullptr)
            control->Release();
        control = nullptr;
        if (frame != nullptr)
            ::DestroyWindow(frame);
        frame = nullptr;
        host = nullptr;
        Pump();
    }

    // The grid window inside the host.
    HWND Grid() const { return FindChildById(host, kGridWindowId); }

    HMODULE atl = nullptr;
    AtlAxGetControlFn getControl = nullptr;
    HWND frame = nullptr;
    HWND host = nullptr;
    IUnknown* control = nullptr;

private:
    ScopedRegistration m_registration;   // undone after the destructor's body
    bool m_comStarted = false;
};

// Automation arguments.
inline VARIANT Long(LONG v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I4;
    x.lVal = v;
    return x;
}

inline VARIANT Short(SHORT v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I2;
    x.iVal = v;
    return x;
}

inline VARIANT Text(const wchar_t* v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BSTR;
    x.bstrVal = ::SysAllocString(v);
    return x;
}

}  // namespace comtest
