// The platform's own ActiveX host window places the control in a window; the
// grid window appears and paints, and grid notifications reach an event sink
// with their by-reference answers travelling back.
#include "ContainerHost.h"

#include "control/GridNotify.h"

#include <gtest/gtest.h>

#include <vector>

using namespace comtest;

namespace {

// A host's event sink: records each event and answers GridCellStartEdit and
// GridKeyPress.
class EventSink : public RecordingSink {
public:
    void Answer(DISPID id, DISPPARAMS* p) override
    {
        if (id == 18 && p->cArgs == 4 && p->rgvarg[0].vt == (VT_BYREF | VT_I2) && refuseEdit)
            *p->rgvarg[0].piVal = 0;        // bCanEdit: keep the editor closed
        if (id == 6 && p->cArgs == 2 && p->rgvarg[1].vt == (VT_BYREF | VT_I4)) {
            // nChar: replace the key (the arrow down by Delete, 'a' by 'Z')
            LONG& key = *p->rgvarg[1].plVal;
            if (key == VK_DOWN)
                key = VK_DELETE;
            else if (key == 'a')
                key = 'Z';
        }
    }

    bool refuseEdit = true;
};

// A host's event sink that closes its form when a chosen event arrives: it
// drops its own reference to the control and destroys the window the control
// sits in, which makes the container let go of its reference too.
class ClosingSink : public SinkBase {
public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        if (closed) {
            ++afterClose;
            return S_OK;
        }
        if (id != trigger)
            return S_OK;
        closed = true;
        control->Release();
        control = nullptr;
        ::DestroyWindow(frame);
        return S_OK;
    }

    DISPID trigger = 0;
    IUnknown* control = nullptr;   // the host's own reference, dropped on closing
    HWND frame = nullptr;
    bool closed = false;
    int afterClose = 0;            // events that arrived after the form was closed
};

}  // namespace

TEST(Container, HostWindowPlacesTheControlAndEventsReachTheSink)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(10, 10, 400, 300));
    HWND host = ax.host;
    IUnknown* unknown = ax.control;

    // The control window sits in the host window and the grid window, of the
    // grid's own class, inside it over the whole control.
    HWND grid = ax.Grid();
    ASSERT_NE(grid, nullptr) << "no grid window";
    HWND control = ::GetParent(grid);
    EXPECT_EQ(::GetParent(control), host);
    wchar_t className[64] = {};
    ::GetClassNameW(grid, className, 64);
    EXPECT_STREQ(className, L"KivoSheet");
    // The grid and the scroll bars it shows beside it fill the control.
    RECT covered = {0, 0, 0, 0};
    for (HWND part = ::GetWindow(control, GW_CHILD); part != nullptr; part = ::GetWindow(part, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(part))
            continue;
        RECT rc;
        ::GetWindowRect(part, &rc);
        ::MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&rc), 2);
        ::UnionRect(&covered, &covered, &rc);
    }
    EXPECT_EQ(covered.left, 0);
    EXPECT_EQ(covered.top, 0);
    EXPECT_EQ(covered.right, 400);
    EXPECT_EQ(covered.bottom, 300);

    // It paints: the header row and a body cell come out in different colours.
    ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = ::GetDC(grid);
    const COLORREF header = ::GetPixel(dc, 200, 3);
    const COLORREF body = ::GetPixel(dc, 200, 150);
    ::ReleaseDC(grid, dc);
    EXPECT_NE(header, CLR_INVALID);
    EXPECT_NE(body, header);

    // Connect an event sink through the connection point.
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(unknown, &cp));
    EventSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    // A real click and key in the grid window: the grid reports them and the
    // sink's answer to the key is the key the grid acts on.
    const POINT inBody = {200, 150};
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inBody.x, inBody.y));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(inBody.x, inBody.y));
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Pump();
    const std::vector<EventSink::Fired> clicks = sink.Of(4);   // GridLClickUp
    ASSERT_EQ(clicks.size(), 2u);
    POINT bodyScreen = inBody;
    ::ClientToScreen(grid, &bodyScreen);
    ASSERT_EQ(clicks[0].args.size(), 5u);
    EXPECT_EQ(clicks[0].args[1], bodyScreen.x);
    EXPECT_EQ(clicks[0].args[2], bodyScreen.y);
    EXPECT_GE(clicks[0].args[3], 1);   // a body cell, below and right of the headers
    EXPECT_GE(clicks[0].args[4], 1);
    EXPECT_EQ(clicks[1].args[3], 0);   // the corner header cell
    EXPECT_EQ(clicks[1].args[4], 0);

    // The arrow down, answered with Delete, makes the grid act on Delete,
    // which it reports once more with the key's flags.
    sink.fired.clear();
    ::SendMessageW(grid, WM_KEYDOWN, VK_DOWN, 0x00500001);
    Pump();
    const std::vector<EventSink::Fired> keys = sink.Of(6);   // GridKeyPress
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].args, (std::vector<LONG>{VK_DOWN, 1}));
    EXPECT_EQ(keys[1].args, (std::vector<LONG>{VK_DELETE, 0x00500001}));

    // F2 asks the host before the editor opens: refused, no editor window
    // appears in the grid; allowed, one does.
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inBody.x - 80, inBody.y - 40));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(inBody.x - 80, inBody.y - 40));
    Pump();
    for (const bool refuse : {true, false}) {
        sink.refuseEdit = refuse;
        sink.fired.clear();
        ::SendMessageW(grid, WM_KEYDOWN, VK_F2, 1);
        Pump();
        EXPECT_EQ(sink.Of(18).size(), 1u) << refuse;   // GridCellStartEdit
        HWND editor = ::GetWindow(grid, GW_CHILD);
        EXPECT_EQ(editor != nullptr && ::IsWindowVisible(editor), !refuse) << refuse;
        if (editor != nullptr)
            ::SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 1);
        Pump();
    }
    sink.refuseEdit = true;
    sink.fired.clear();

    // The grid's reports as they arrive at the control window: a click, a
    // key, an edit start and the wheel.
    ::SendMessageW(control, gridnotify::kLClickUp, MK_LBUTTON, MAKELPARAM(3, 3));
    UINT key = 'a';
    ::SendMessageW(control, gridnotify::kKeyPress, reinterpret_cast<WPARAM>(&key), 0x1E0001);
    BOOL allow = 1;
    gridnotify::CStartEditRecord edit{3, 4, 0, &allow};
    ::SendMessageW(control, gridnotify::kCellStartEdit, reinterpret_cast<WPARAM>(&edit), 0);
    ::SendMessageW(control, gridnotify::kMouseWheel, 0, static_cast<WORD>(-120));

    ASSERT_EQ(sink.fired.size(), 4u);
    EXPECT_EQ(sink.fired[0].id, 4);   // GridLClickUp
    POINT screen = {3, 3};
    ::ClientToScreen(control, &screen);
    EXPECT_EQ(sink.fired[0].args, (std::vector<LONG>{MK_LBUTTON, screen.x, screen.y, 0, 0}));
    EXPECT_EQ(sink.fired[1].id, 6);   // GridKeyPress
    EXPECT_EQ(key, static_cast<UINT>('Z'));
    EXPECT_EQ(sink.fired[2].id, 18);  // GridCellStartEdit
    // The sink saw the grid's flag (1) and its answer (0) reached the grid.
    EXPECT_EQ(sink.fired[2].args, (std::vector<LONG>{3, 4, 0, 1}));
    EXPECT_EQ(allow, 0);
    EXPECT_EQ(sink.fired[3].id, 7);   // GridMouseWheel
    EXPECT_EQ(sink.fired[3].args, (std::vector<LONG>{0, -120}));

    // After Unadvise nothing more reaches the sink.
    EXPECT_EQ(cp->Unadvise(cookie), S_OK);
    ::SendMessageW(control, gridnotify::kLClickUp, 0, 0);
    EXPECT_EQ(sink.fired.size(), 4u);

    cp->Release();
}

// A host may close its form inside an event handler: on a click, a right
// click or a key it lets go of the control and destroys the window the control
// sits in, while the control's own window procedures are still on the stack.
// The control lives on until they have returned, reports nothing more, and is
// then freed.
TEST(Container, AHostMayCloseItsFormInsideAnEventHandler)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());

    struct Case {
        const char* name;
        DISPID event;
        UINT down, up;     // the input the grid window receives (up 0: none)
        WPARAM wParam;
    };
    const Case cases[] = {
        {"left click", 4, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},      // GridLClickUp
        {"right click", 8, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},     // GridRClickUp
        {"key", 6, WM_KEYDOWN, 0, VK_DOWN},                               // GridKeyPress
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(ax.Place(10, 10, 400, 300));
        HMODULE module = ::GetModuleHandleW(L"KivoSheet.dll");
        ASSERT_NE(module, nullptr);
        auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_NE(canUnloadNow, nullptr);

        IUnknown* unknown = ax.control;
        HWND frame = ax.frame;
        HWND grid = ax.Grid();
        ASSERT_NE(grid, nullptr);
        IConnectionPoint* cp = nullptr;
        ASSERT_NO_FATAL_FAILURE(FindEventPoint(unknown, &cp));
        ClosingSink sink;
        sink.trigger = c.event;
        sink.control = unknown;   // the sink holds the host's reference and its form now
        sink.frame = frame;
        ax.control = nullptr;
        ax.frame = nullptr;
        DWORD cookie = 0;
        ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
        cp->Release();
        EXPECT_EQ(canUnloadNow(), S_FALSE);

        // Real input in the grid window, as the host's loop delivers it.
        const LPARAM at = c.down == WM_KEYDOWN ? 0x00500001 : MAKELPARAM(200, 150);
        ::SendMessageW(grid, c.down, c.wParam, at);
        if (c.up != 0)
            ::SendMessageW(grid, c.up, 0, at);
        Pump();

        EXPECT_TRUE(sink.closed);
        EXPECT_FALSE(::IsWindow(frame));
        EXPECT_EQ(sink.afterClose, 0);
        // Once its handlers have returned the control is freed: it lets go of
        // the sink and the module may unload.
        EXPECT_TRUE(PumpUntil([&] { return sink.refs == 1; }, 2000)) << sink.refs;
        EXPECT_EQ(canUnloadNow(), S_OK);
        if (!sink.closed) {
            sink.control->Release();
            ::DestroyWindow(frame);
            Pump();
        }
    }
}
