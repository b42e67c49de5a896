// The control's windows in the platform's own ActiveX host window (atl.dll),
// whose message loop is the container's and never offers anything to our
// pre-translation: the grid's skinned scroll bars come back when the
// container deactivates the control in place (destroying its window) and
// activates it again, and a real click on a title tip over the grid reaches
// the cell under it.
#include "ContainerHost.h"

#include "cells/TitleTip.h"
#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <oleidl.h>

#include <vector>

using namespace comtest;

namespace {

const DISPID kGridLClickUp = 4;

// A skinned scroll bar of the control window, as the container sees it.
struct BarWindow {
    HWND hwnd;
    RECT rect;     // in the control window's client coordinates
    bool visible;
    bool vertical;
};

std::vector<BarWindow> ScrollBarsOf(HWND control)
{
    std::vector<BarWindow> bars;
    for (HWND bar = ::FindWindowExW(control, nullptr, L"KivoSkinScrollBar", nullptr); bar != nullptr;
         bar = ::FindWindowExW(control, bar, L"KivoSkinScrollBar", nullptr)) {
        BarWindow b;
        b.hwnd = bar;
        ::GetWindowRect(bar, &b.rect);
        ::MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&b.rect), 2);
        b.visible = ::IsWindowVisible(bar) != FALSE;
        b.vertical = (::GetWindowLongW(bar, GWL_STYLE) & SBS_VERT) != 0;
        bars.push_back(b);
    }
    return bars;
}

// The control placed in an ActiveX host window (400 x 300) inside a frame.
class ContainerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(10, 10, 400, 300));
    }

    HWND GridWindow() const { return ax.Grid(); }

    AxHost ax;
};

// Two visible bars, 15 pixels thick, along the right and bottom edges of a
// 400 x 300 control, the grid in the rest.
void ExpectBarsBesideTheGrid(HWND control)
{
    std::vector<BarWindow> bars = ScrollBarsOf(control);
    ASSERT_EQ(2u, bars.size());
    for (const BarWindow& b : bars) {
        SCOPED_TRACE(b.vertical ? "vertical" : "horizontal");
        EXPECT_TRUE(b.visible);
        const RECT expected = b.vertical ? RECT{385, 0, 400, 285} : RECT{0, 285, 385, 300};
        EXPECT_EQ(expected.left, b.rect.left);
        EXPECT_EQ(expected.top, b.rect.top);
        EXPECT_EQ(expected.right, b.rect.right);
        EXPECT_EQ(expected.bottom, b.rect.bottom);
    }
    EXPECT_TRUE(bars[0].vertical != bars[1].vertical);
}

}  // namespace

TEST_F(ContainerWindow, TheScrollBarsComeBackWhenTheContainerReactivatesTheControl)
{
    HWND grid = GridWindow();
    ASSERT_NE(grid, nullptr);
    HWND control = ::GetParent(grid);
    {
        SCOPED_TRACE("first activation");
        ExpectBarsBesideTheGrid(control);
    }

    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)), S_OK);
    IOleObject* object = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(testing::Message() << "reactivation " << round);
        // In-place deactivation destroys the control's window, and the grid's
        // window and bars with it.
        EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
        Pump();
        EXPECT_FALSE(::IsWindow(control));
        EXPECT_EQ(nullptr, GridWindow());

        RECT pos = {0, 0, 400, 300};
        EXPECT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, ax.host, &pos), S_OK);
        Pump();
        grid = GridWindow();
        ASSERT_NE(grid, nullptr);
        control = ::GetParent(grid);
        ExpectBarsBesideTheGrid(control);

        // The new bars paint: the vertical bar's pixels are not the grid's.
        ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        HDC dc = ::GetDC(control);
        const COLORREF inBar = ::GetPixel(dc, 392, 150);
        const COLORREF inGrid = ::GetPixel(dc, 300, 150);
        ::ReleaseDC(control, dc);
        EXPECT_NE(CLR_INVALID, inBar);
        EXPECT_NE(inGrid, inBar);
    }
    object->Release();
    inPlace->Release();
}

// A title tip shown over a cell of the grid, in the container: a real click on
// it (the system's input, dispatched by the container's loop) reaches the
// grid, which reports a click on the cell under the tip. The tip is the cell
// library's own window over the control's grid window.
TEST_F(ContainerWindow, ARealClickOnATitleTipReachesTheCellUnderIt)
{
    HWND grid = GridWindow();
    ASSERT_NE(grid, nullptr);

    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    // The cell under a point of the grid, as the grid itself reports a click there.
    const POINT at = {230, 140};
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(PumpUntil([&] { return sink.Of(kGridLClickUp).size() == 1; }));
    const LONG row = sink.Of(kGridLClickUp)[0].args[3];
    const LONG col = sink.Of(kGridLClickUp)[0].args[4];
    ASSERT_GE(row, 1);
    ASSERT_GE(col, 1);
    // Another cell takes the focus, so that the click on the tip moves it back.
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x - 120, at.y - 60));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(at.x - 120, at.y - 60));
    ASSERT_TRUE(PumpUntil([&] { return sink.Of(kGridLClickUp).size() == 2; }));
    ASSERT_TRUE(sink.Of(kGridLClickUp)[1].args[3] != row || sink.Of(kGridLClickUp)[1].args[4] != col);
    ::SetFocus(grid);
    Pump();
    sink.fired.clear();

    // The tip over that point, its hover area covering it as over its own cell.
    CWnd gridWnd;
    ASSERT_TRUE(gridWnd.Attach(grid));
    {
        CTitleTip tip;
        tip.SetParentWnd(&gridWnd);
        RECT hover = {at.x - 60, at.y - 40, at.x + 60, at.y + 20};
        RECT shown = {at.x - 50, at.y + 10, at.x + 50, at.y + 30};
        ::MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&shown), 2);
        tip.Show(shown, "a text wider than its column", 0, &hover, nullptr, RGB(0, 0, 0), RGB(255, 255, 225));
        ASSERT_TRUE(tip.IsWindowVisible());
        Pump();
        POINT screen = at;
        ::ClientToScreen(grid, &screen);
        ASSERT_EQ(tip.GetSafeHwnd(), ::WindowFromPoint(screen)) << "the tip lies over the point";

        ::SetCursorPos(screen.x, screen.y);
        Pump();
        ASSERT_TRUE(tip.IsWindowVisible()) << "the mouse stays in the hover area";
        INPUT press[2] = {};
        press[0].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].type = INPUT_MOUSE;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(2u, ::SendInput(2, press, sizeof(INPUT)));
        EXPECT_TRUE(PumpUntil([&] { return !sink.Of(kGridLClickUp).empty(); })) << "the click did not reach the grid";
        EXPECT_FALSE(tip.IsWindowVisible());
        EXPECT_NE(tip.GetSafeHwnd(), ::GetActiveWindow()) << "the click activated the tip";
        std::vector<RecordingSink::Fired> clicks = sink.Of(kGridLClickUp);
        ASSERT_EQ(1u, clicks.size());
        ASSERT_EQ(5u, clicks[0].args.size());
        EXPECT_EQ(screen.x, clicks[0].args[1]);
        EXPECT_EQ(screen.y, clicks[0].args[2]);
        EXPECT_EQ(row, clicks[0].args[3]);
        EXPECT_EQ(col, clicks[0].args[4]);
    }
    gridWnd.Detach();

    EXPECT_EQ(cp->Unadvise(cookie), S_OK);
    cp->Release();
}
