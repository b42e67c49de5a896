// The title tip on the host build: when it shows, where and how it draws, and
// how the mouse and keys that reach it are handed on.
#include "cells/TitleTip.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "cells/WidgetTestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using cellstest::FakeGrid;
using cellstest::RecordingControl;

namespace {

const COLORREF kTipText = RGB(10, 20, 30);
const COLORREF kTipBack = RGB(250, 240, 200);

class TitleTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(cellstest::OpenControlAndGrid(control, grid, WS_BORDER));
        tip.reset(new CTitleTip);
        tip->SetParentWnd(&grid);
    }

    void TearDown() override { tip.reset(); }

    // A cell at (90, 40)-(190, 60) of the grid's client area, in screen coordinates.
    CRect CellOnScreen() const
    {
        CRect cell(90, 40, 190, 60);
        grid.ClientToScreen(&cell);
        return cell;
    }

    void ShowOverCell(const char* text = "abc")
    {
        CRect hover(90, 10, 190, 60);  // reaches up over the tip
        tip->Show(CellOnScreen(), text, 0, &hover, nullptr, kTipText, kTipBack);
        ASSERT_TRUE(tip->IsWindowVisible());
    }

    // Posts a message to the tip at a point of its client area and delivers it.
    void PostToTip(UINT message, CPoint point, WPARAM wParam = 0)
    {
        tip->PostMessage(message, wParam, MAKELPARAM(point.x, point.y));
        PlatformPumpMessages();
    }

    // A point of the tip's client area as the grid's client coordinates.
    CPoint TipToGrid(CPoint point) const
    {
        tip->ClientToScreen(&point);
        grid.ScreenToClient(&point);
        return point;
    }

    RecordingControl control;
    FakeGrid grid;
    std::unique_ptr<CTitleTip> tip;
};

}  // namespace

TEST_F(TitleTipTest, ShowsOnlyForARectangleWithFocusAndAFittingOffset)
{
    const struct {
        const char* name;
        bool emptyRect;
        bool focus;
        int offset;
        BOOL force;
        bool created;
        bool visible;
    } cases[] = {
        {"an empty rectangle does not even create the window", true, true, 0, FALSE, false, false},
        {"another application is active", false, false, 0, FALSE, true, false},
        {"a negative offset", false, true, -1, FALSE, true, false},
        {"a negative offset when forced", false, true, -1, TRUE, true, true},
        {"an offset of 0", false, true, 0, FALSE, true, true},
        {"a positive offset", false, true, 4, FALSE, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tip.reset(new CTitleTip);
        tip->SetParentWnd(&grid);
        grid.SetFocus();
        if (!c.focus) {
            // The focus leaves with a window of this process that goes away.
            CWnd focused;
            ASSERT_TRUE(focused.CreateEx(0, "KivoTestFocus", "", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
            focused.SetFocus();
            focused.DestroyWindow();
            ASSERT_EQ(nullptr, CWnd::GetFocus());
        }
        const size_t windows = Headless::WindowCount();
        CRect rect = c.emptyRect ? CRect(200, 150, 200, 170) : CellOnScreen();
        tip->Show(rect, "text", c.offset, nullptr, nullptr, kTipText, kTipBack, c.force);
        EXPECT_EQ(c.created, tip->GetSafeHwnd() != nullptr);
        EXPECT_EQ(windows + (c.created ? 1 : 0), Headless::WindowCount());
        EXPECT_EQ(c.visible, tip->GetSafeHwnd() != nullptr && tip->IsWindowVisible() != FALSE);
        grid.SetFocus();
    }
}

TEST_F(TitleTipTest, SitsAboveTheRectangleAndDrawsTheTextPaddedWithBlanks)
{
    LOGFONT lf = {};
    lf.lfHeight = -14;
    const struct {
        const char* name;
        const char* text;
        UINT flags;
    } cases[] = {
        {"one line is drawn unwrapped", "abc", 0u},
        {"a text with line breaks is word-wrapped", "ab\r\ncd", static_cast<UINT>(DT_NOPREFIX | DT_WORDBREAK)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::ClearDrawLog();
        const CRect cell = CellOnScreen();  // 100 x 20
        tip->Show(cell, c.text, 0, nullptr, &lf, kTipText, kTipBack);

        CRect placed;
        tip->GetWindowRect(&placed);
        EXPECT_EQ(CRect(cell.left + 3, 2 * cell.top - cell.bottom - 1, cell.left + 3 + 100, cell.top), placed);
        CRect client;
        tip->GetClientRect(&client);

        bool filled = false, drawn = false;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.target != tip->GetSafeHwnd())
                continue;
            if (op.kind == Headless::DrawKind::FillRect && op.color == kTipBack && op.rect.right == client.right &&
                op.rect.bottom == client.bottom)
                filled = true;
            if (op.kind == Headless::DrawKind::DrawText) {
                drawn = true;
                EXPECT_EQ(" " + std::string(c.text) + " ", op.text);
                EXPECT_EQ(c.flags, op.flags);
                EXPECT_EQ(kTipText, op.textColor);
                EXPECT_EQ(TRANSPARENT, op.bkMode);
                EXPECT_EQ(-14, op.font.lfHeight);
                EXPECT_EQ(client.Width() + 6, op.rect.right - op.rect.left);
            }
        }
        EXPECT_TRUE(filled);
        EXPECT_TRUE(drawn);
    }
}

TEST_F(TitleTipTest, TheHoverAreaIsOnePixelLargerAndFollowsTheGrid)
{
    CRect hover(90, 10, 190, 60);
    tip->Show(CellOnScreen(), "abc", 0, &hover);
    CRect expected = hover;
    grid.ClientToScreen(&expected);
    expected.right += 1;
    expected.bottom += 1;
    EXPECT_EQ(expected, tip->GetHoverRect());

    // Without a hover rectangle the shown rectangle (screen coordinates) is the area.
    const CRect cell = CellOnScreen();
    tip->Show(cell, "abc", 0, nullptr);
    EXPECT_EQ(CRect(cell.left, cell.top, cell.right + 1, cell.bottom + 1), tip->GetHoverRect());
}

TEST_F(TitleTipTest, LeavingTheHoverAreaHidesTheTipAndMovesTheMouseBelow)
{
    ShowOverCell();
    // Inside the hover area: nothing happens.
    tip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_TRUE(Headless::QueuedMessages().empty());

    // Outside it: the tip hides and the grid below gets the move.
    const CPoint outside(99, 1);  // the tip's right edge is 1 past the hover area
    CRect hover = tip->GetHoverRect();
    CPoint screen = outside;
    tip->ClientToScreen(&screen);
    ASSERT_FALSE(hover.PtInRect(screen));
    tip->SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(outside.x, outside.y));
    EXPECT_FALSE(tip->IsWindowVisible());
    PlatformPumpMessages();
    ASSERT_EQ(1u, grid.mouse.size());
    EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), grid.mouse[0].message);
    EXPECT_EQ(static_cast<WPARAM>(MK_SHIFT), grid.mouse[0].wParam);
    const CPoint expected = TipToGrid(outside);
    EXPECT_EQ(expected.x, GET_X_LPARAM(grid.mouse[0].lParam));
    EXPECT_EQ(expected.y, GET_Y_LPARAM(grid.mouse[0].lParam));
}

TEST_F(TitleTipTest, KeysAreHandedToTheGrid)
{
    ShowOverCell();
    tip->PostMessage(WM_KEYDOWN, VK_DOWN, 1);
    PlatformPumpMessages();
    EXPECT_FALSE(tip->IsWindowVisible());
    ASSERT_EQ(1u, grid.keys.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_DOWN), grid.keys[0].wParam);
}

TEST_F(TitleTipTest, ClicksGoThroughToTheCellBelow)
{
    const struct {
        const char* name;
        UINT second;
        DWORD gap;
        UINT expected;
    } cases[] = {
        {"a second left press soon after is a double click", WM_LBUTTONDOWN, 300, WM_LBUTTONDBLCLK},
        {"a second left press later is a press", WM_LBUTTONDOWN, 600, WM_LBUTTONDOWN},
        {"a right press", WM_RBUTTONDOWN, 100, WM_RBUTTONDOWN},
    };
    const CPoint at(20, 10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tip.reset(new CTitleTip);
        tip->SetParentWnd(&grid);
        grid.mouse.clear();
        ShowOverCell();
        PostToTip(WM_LBUTTONDOWN, at, MK_LBUTTON);
        EXPECT_FALSE(tip->IsWindowVisible());
        ShowOverCell();
        Headless::AdvanceTime(c.gap);
        PostToTip(c.second, at, MK_LBUTTON);
        ASSERT_EQ(2u, grid.mouse.size());
        EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), grid.mouse[0].message);
        EXPECT_EQ(c.expected, grid.mouse[1].message);
        const CPoint expected = TipToGrid(at);
        EXPECT_EQ(expected.x, GET_X_LPARAM(grid.mouse[1].lParam));
        EXPECT_EQ(expected.y, GET_Y_LPARAM(grid.mouse[1].lParam));
    }
}

TEST_F(TitleTipTest, AClickOverTheGridsBorderArrivesAsANonClientPress)
{
    // A tip whose left end lies over the grid's 1-pixel border.
    CRect gridWindow;
    grid.GetWindowRect(&gridWindow);
    // The tip window sits 3 pixels right of the rectangle and has a 1-pixel border.
    const CRect rect(gridWindow.left - 4, gridWindow.top + 40, gridWindow.left + 96, gridWindow.top + 60);
    tip->Show(rect, "abc", 0, nullptr, nullptr, kTipText, kTipBack);
    ASSERT_TRUE(tip->IsWindowVisible());
    PostToTip(WM_LBUTTONDOWN, CPoint(0, 5), MK_LBUTTON);
    ASSERT_EQ(1u, grid.mouse.size());
    EXPECT_EQ(static_cast<UINT>(WM_NCLBUTTONDOWN), grid.mouse[0].message);
    EXPECT_EQ(static_cast<WPARAM>(HTBORDER), grid.mouse[0].wParam);
    EXPECT_EQ(gridWindow.left, GET_X_LPARAM(grid.mouse[0].lParam)) << "screen coordinates";
}

TEST_F(TitleTipTest, DestroyingTheWindowAllowsANewOne)
{
    ShowOverCell();
    EXPECT_TRUE(tip->DestroyWindow());
    EXPECT_EQ(nullptr, tip->GetSafeHwnd());
    EXPECT_FALSE(tip->DestroyWindow());
    ShowOverCell();
    EXPECT_NE(nullptr, tip->GetSafeHwnd());
    EXPECT_EQ(1, Headless::ClassRegistrations("ZTitleTip"));
}

// A container's message loop dispatches what reaches the tip straight to its
// window procedure, with no pre-translation: presses and keys go through all
// the same, each once, and a click never activates the tip.
TEST_F(TitleTipTest, WithoutPreTranslationTheWindowProcedureHandsPressesAndKeysOn)
{
    const CPoint at(20, 10);
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool toMouse;          // the grid records it among the mouse messages (else the keys)
    } cases[] = {
        {"a left press", WM_LBUTTONDOWN, MK_LBUTTON, true},
        {"a right press", WM_RBUTTONDOWN, MK_RBUTTON, true},
        {"a middle press", WM_MBUTTONDOWN, MK_MBUTTON, true},
        {"a key", WM_KEYDOWN, VK_DOWN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tip.reset(new CTitleTip);
        tip->SetParentWnd(&grid);
        grid.mouse.clear();
        grid.keys.clear();
        ShowOverCell();
        EXPECT_EQ(MA_NOACTIVATE, tip->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(tip->GetSafeHwnd()),
                                                  MAKELPARAM(HTCLIENT, c.message)));
        tip->SendMessage(c.message, c.wParam, c.toMouse ? MAKELPARAM(at.x, at.y) : 1);
        EXPECT_FALSE(tip->IsWindowVisible());
        PlatformPumpMessages();
        const std::vector<cellstest::Received>& got = c.toMouse ? grid.mouse : grid.keys;
        ASSERT_EQ(1u, got.size());
        EXPECT_EQ(c.message, got[0].message);
        EXPECT_EQ(c.wParam, got[0].wParam);
        if (c.toMouse) {
            const CPoint expected = TipToGrid(at);
            EXPECT_EQ(expected.x, GET_X_LPARAM(got[0].lParam));
            EXPECT_EQ(expected.y, GET_Y_LPARAM(got[0].lParam));
        }
        EXPECT_EQ(c.toMouse ? 0u : 1u, grid.keys.size());
    }

    // Two left presses in quick succession reach the cell as a double click.
    grid.mouse.clear();
    ShowOverCell();
    tip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ShowOverCell();
    Headless::AdvanceTime(100);
    tip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PlatformPumpMessages();
    ASSERT_EQ(2u, grid.mouse.size());
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDBLCLK), grid.mouse[1].message);
}
