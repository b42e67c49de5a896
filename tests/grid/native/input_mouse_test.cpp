// Mouse input of the grid window: selection in each mouse mode, divider
// dragging with the host's consent, the wheel, auto-scroll and title tips.
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridinputtest::InputGrid;

namespace {

class MouseInput : public gridinputtest::HookRestoringTest {};

// Columns: 0 [0,40) 1 [40,90) 2 [90,140) 3 [140,190) 4 [190,240) 5 [240,290)
// Rows:    0 [0,25) 1 [25,45) 2 [45,65) 3 [65,85) 4 [85,105) ...

int InvertCount()
{
    int n = 0;
    for (const Headless::DrawOp& op : Headless::DrawLog())
        n += op.kind == Headless::DrawKind::InvertRect ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(MouseInput, HitTestsAnswerCellsOwnersAndDividers)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(100, 50)), CGridCellPos(2, 2));
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(10, 10)), CGridCellPos(0, 0));
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(10, 10), FALSE), CGridCellPos(-1, -1));
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(-3, 50)), CGridCellPos(-1, -1));
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(350, 50)), CGridCellPos(-1, -1));   // right of the last column
    grid.SetSelectedRange(5, 2, 6, 3);   // client (90,105)-(189,144)
    EXPECT_TRUE(grid.IsOverSelectionBorder(CPoint(90, 120)));
    EXPECT_TRUE(grid.IsOverSelectionBorder(CPoint(150, 146)));
    EXPECT_FALSE(grid.IsOverSelectionBorder(CPoint(120, 120)));
    g.Merge(3, 2, 4, 3);
    EXPECT_EQ(grid.GetCellFromPoint(CPoint(160, 90)), CGridCellPos(3, 2));

    EXPECT_TRUE(grid.IsOverColumnDivide(CPoint(89, 10)));
    EXPECT_TRUE(grid.IsOverColumnDivide(CPoint(91, 10)));
    EXPECT_FALSE(grid.IsOverColumnDivide(CPoint(110, 10)));
    EXPECT_FALSE(grid.IsOverColumnDivide(CPoint(89, 50)));   // only in the header rows
    EXPECT_TRUE(grid.IsOverRowDivide(CPoint(20, 44)));
    EXPECT_FALSE(grid.IsOverRowDivide(CPoint(20, 35)));
    EXPECT_FALSE(grid.IsOverRowDivide(CPoint(60, 44)));      // only in the header columns

}

TEST_F(MouseInput, ClickSelectsTheCellAndReportsToTheHost)
{
    InputGrid g;
    g.Build(10, 6);
    g.Click(100, 50);
    EXPECT_EQ(g.Focus(), CGridCellPos(2, 2));
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 2, 2, 2));
    std::vector<int> codes = {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK};
    EXPECT_EQ(g.host.Codes(), codes);
    EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
    EXPECT_FALSE(Headless::HasTimer(g.Grid().GetSafeHwnd(), GRID_AUTOSCROLL_TIMER));
    PlatformPumpMessages();
    EXPECT_EQ(g.host.Count(WM_GRID_LCLICKUP), 1);
    EXPECT_EQ(g.host.commands, 1);
    EXPECT_EQ(g.host.Count(WM_GRID_MOUSEMOVE), 1);
}

TEST_F(MouseInput, SelectionInEachMouseMode)
{
    struct Case {
        const char* name;
        bool listMode;
        CPoint down;
        CPoint drag;
        UINT flags;
        int kind;
        CGridCellRange range;
    } cases[] = {
        {"cells by dragging", false, {100, 50}, {200, 90}, 0, GSK_CELLS, {2, 2, 4, 4}},
        {"columns by their header", false, {100, 10}, {200, 10}, 0, GSK_COLUMNS, {0, 2, 9, 4}},
        {"rows by their header", false, {20, 50}, {20, 90}, 0, GSK_ROWS, {2, 0, 4, 5}},
        {"everything by the corner", false, {10, 10}, {10, 10}, 0, GSK_ALL, {0, 0, 9, 5}},
        {"rows in list mode", true, {100, 50}, {100, 70}, 0, GSK_ROWS, {2, 0, 3, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        GridInputAccess::SetListMode(g.Grid(), c.listMode);
        g.Mouse(WM_MOUSEMOVE, c.down.x, c.down.y);
        g.Mouse(WM_LBUTTONDOWN, c.down.x, c.down.y, MK_LBUTTON | c.flags);
        g.Mouse(WM_MOUSEMOVE, c.drag.x, c.drag.y, MK_LBUTTON | c.flags);
        g.Mouse(WM_LBUTTONUP, c.drag.x, c.drag.y, c.flags);
        EXPECT_EQ(g.Grid().GetSelectionKind(), c.kind);
        EXPECT_EQ(g.Grid().GetSelectedRange(), c.range);
        EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
    }
}

TEST_F(MouseInput, CtrlAddsCellsAndShiftExtendsFromTheAnchor)
{
    InputGrid g;
    g.Build(10, 6);
    g.Click(100, 50);                       // (2, 2)
    g.Click(210, 90, MK_CONTROL);           // (4, 4)
    EXPECT_TRUE(g.Grid().IsCellSelected(2, 2));
    EXPECT_TRUE(g.Grid().IsCellSelected(4, 4));
    EXPECT_FALSE(g.Grid().IsCellSelected(3, 3));

    g.Click(100, 50);                       // (2, 2) alone again
    g.Click(160, 70, MK_SHIFT);             // to (3, 3)
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 2, 3, 3));
    EXPECT_FALSE(g.Grid().IsCellSelected(4, 4));
}

TEST_F(MouseInput, PointsLeftOfTheGridDuringCaptureStaySigned)
{
    InputGrid g;
    g.Build(10, 6);
    g.Mouse(WM_LBUTTONDOWN, 100, 50, MK_LBUTTON);
    g.host.Clear();
    g.Mouse(WM_MOUSEMOVE, -5, -7, MK_LBUTTON);
    ASSERT_EQ(g.host.Count(WM_GRID_MOUSEMOVE), 1);
    LPARAM packed = g.host.messages[0].lParam;
    EXPECT_EQ(static_cast<short>(LOWORD(packed)), -5);
    EXPECT_EQ(static_cast<short>(HIWORD(packed)), -7);
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 2, 2, 2));
    g.Mouse(WM_LBUTTONUP, -5, -7);
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 2, 2, 2));
}

TEST_F(MouseInput, AutoScrollTimerMovesAndExtendsTheSelection)
{
    InputGrid g;
    g.Build(100, 6);
    g.Mouse(WM_LBUTTONDOWN, 100, 50, MK_LBUTTON);   // (2, 2)
    HWND hwnd = g.Grid().GetSafeHwnd();
    ASSERT_TRUE(Headless::HasTimer(hwnd, GRID_AUTOSCROLL_TIMER));
    CPoint below(100, 320);                          // under the client area
    g.Grid().ClientToScreen(&below);
    SetCursorPos(below.x, below.y);
    g.host.Clear();
    Headless::FireTimer(hwnd, GRID_AUTOSCROLL_TIMER);
    ASSERT_EQ(g.host.keys.size(), 1u);
    EXPECT_EQ(g.host.keys[0], static_cast<UINT>(VK_DOWN));
    CGridCellRange range = g.Grid().GetSelectedRange();
    EXPECT_EQ(range.GetMinRow(), 2);
    EXPECT_GE(range.GetMaxRow(), 14);   // the row at the bottom edge
    g.Mouse(WM_LBUTTONUP, 100, 320);
    EXPECT_FALSE(Headless::HasTimer(hwnd, GRID_AUTOSCROLL_TIMER));
}

TEST_F(MouseInput, DividerDragResizesWithTheHostsConsent)
{
    struct Case {
        const char* name;
        bool column;
        bool allow;
        int releaseAt;      // x for a column, y for a row
        int index;
        int expected;
        bool lineDrawn;
    } cases[] = {
        {"column wider", true, true, 130, 1, 90, true},
        {"column refused", true, false, 130, 1, 50, false},
        {"column released where pressed", true, true, 90, 1, 50, true},
        {"column dragged left of its start", true, true, 20, 1, 0, true},
        {"row taller", false, true, 75, 1, 50, true},
        {"row refused", false, false, 75, 1, 20, false},
        {"row dragged above its top", false, true, 5, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        g.host.allowResize = c.allow;
        // Press just inside the divider after column 1 (x 90) or row 1 (y 45).
        CPoint press = c.column ? CPoint(90, 10) : CPoint(20, 45);
        CPoint move = c.column ? CPoint(c.releaseAt, 10) : CPoint(20, c.releaseAt);
        g.Mouse(WM_MOUSEMOVE, press.x, press.y);
        EXPECT_EQ(g.Grid().GetMouseMode(), c.column ? GMM_OVER_COL_DIVIDE : GMM_OVER_ROW_DIVIDE);
        EXPECT_EQ(Headless::CursorId(), static_cast<UINT_PTR>(c.column ? 32644 : 32645));
        Headless::ClearDrawLog();
        g.Mouse(WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
        EXPECT_EQ(g.Grid().GetMouseMode(), c.column ? GMM_SIZING_COL : GMM_SIZING_ROW);
        g.Mouse(WM_MOUSEMOVE, move.x + 3, move.y + 3, MK_LBUTTON);
        g.Mouse(WM_MOUSEMOVE, move.x, move.y, MK_LBUTTON);
        g.Mouse(WM_LBUTTONUP, move.x, move.y);
        UINT message = c.column ? WM_GRID_COLUMNRESIZE : WM_GRID_ROWRESIZE;
        ASSERT_GE(g.host.Count(message), 1);
        for (const gridinputtest::Message& m : g.host.messages) {
            if (m.message == message) {
                EXPECT_EQ(m.wParam, static_cast<WPARAM>(c.index));
            }
        }
        int size = c.column ? g.Grid().GetColumnWidth(c.index) : g.Grid().GetRowHeight(c.index);
        EXPECT_EQ(size, c.expected);
        EXPECT_EQ(InvertCount() > 0, c.lineDrawn);
        EXPECT_EQ(InvertCount() % 2, 0);   // every line drawn is erased
        EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
        RECT clip;
        EXPECT_FALSE(Headless::CursorClip(&clip));
    }
}

TEST_F(MouseInput, ResizeAfterSelectingWholeColumnsSizesEveryColumnOfTheSelection)
{
    InputGrid g;
    g.Build(10, 6);
    // Select columns 2..4 by their headers, then drag the divider after column 3.
    g.Mouse(WM_LBUTTONDOWN, 100, 10, MK_LBUTTON);
    g.Mouse(WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
    g.Mouse(WM_LBUTTONUP, 200, 10);
    g.Mouse(WM_MOUSEMOVE, 189, 10);
    g.Mouse(WM_LBUTTONDOWN, 189, 10, MK_LBUTTON);
    g.Mouse(WM_MOUSEMOVE, 170, 10, MK_LBUTTON);
    g.Mouse(WM_LBUTTONUP, 170, 10);
    EXPECT_EQ(g.Grid().GetColumnWidth(2), 30);
    EXPECT_EQ(g.Grid().GetColumnWidth(3), 30);
    EXPECT_EQ(g.Grid().GetColumnWidth(4), 30);
    EXPECT_EQ(g.Grid().GetColumnWidth(5), 50);
}

TEST_F(MouseInput, WheelScrollsByThePlatformStepAndNeverDividesByZero)
{
    struct Case {
        const char* name;
        UINT step;
        short delta;
        int expectedTopRow;   // first scrolled row after the wheel
    } cases[] = {
        {"three lines down", 3, -120, 4},
        {"two notches of one line", 1, -240, 3},
        {"no lines", 0, -120, 1},
        {"a page per notch", static_cast<UINT>(-1), -120, -1},   // -1: more than 10 rows
        {"a huge setting stops at the end", 100000, -120, -2},   // -2: the last page
        {"up at the top stays", 3, 120, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        Headless::SetWheelScrollLines(c.step);
        InputGrid g;
        g.Build(100, 6);
        EXPECT_EQ(g.Grid().GetMouseWheelStep(), c.step);
        g.Grid().SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), MAKELPARAM(50, 50));
        PlatformPumpMessages();
        ASSERT_EQ(g.host.Count(WM_GRID_MOUSEWHEEL), 1);
        EXPECT_EQ(static_cast<short>(g.host.messages[0].lParam), c.delta);
        int top = g.Grid().GetTopLeftCell(TRUE).row;
        if (c.expectedTopRow == -1) {
            EXPECT_GT(top, 10);
        } else if (c.expectedTopRow == -2) {
            EXPECT_GT(top, 80);
        } else {
            EXPECT_EQ(top, c.expectedTopRow);
        }
    }
}

// --- title tips ------------------------------------------------------------------------

namespace {

struct TipLog {
    int created = 0;
    std::vector<std::string> shown;
    std::vector<GridTitleTipRequest> requests;
    int hidden = 0;
};
TipLog* g_tips = nullptr;

CWnd* FakeCreate(CGridCtrl*)
{
    ++g_tips->created;
    return new CWnd;
}
void FakeShow(CWnd*, const GridTitleTipRequest& request)
{
    g_tips->shown.push_back(static_cast<const char*>(request.strText));
    g_tips->requests.push_back(request);
}
void FakeHide(CWnd*)
{
    ++g_tips->hidden;
}

}  // namespace

TEST_F(MouseInput, TitleTipShowsForCellsWithATipAndHidesWhenLeaving)
{
    TipLog log;
    g_tips = &log;
    GridTitleTipHooks hooks;
    hooks.pfnCreate = &FakeCreate;
    hooks.pfnShow = &FakeShow;
    hooks.pfnHide = &FakeHide;
    SetGridTitleTipHooks(hooks);

    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    CGridCellBase* tipped = grid.GetCell(2, 2);
    tipped->SetTipText("a long text");
    tipped->SetDisplayTip(TRUE);
    grid.GetCell(2, 3)->SetTipText("not shown");   // tips off for this cell
    grid.GetCell(2, 3)->SetDisplayTip(FALSE);

    g.Mouse(WM_MOUSEMOVE, 100, 50);
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0], "a long text");
    CRect cell;
    grid.GetCellRect(2, 2, &cell);
    EXPECT_EQ(log.requests[0].rectHover, cell);
    CPoint right(cell.right, cell.top);
    grid.ClientToScreen(&right);
    EXPECT_EQ(log.requests[0].rectScreen.left, right.x);
    EXPECT_EQ(log.requests[0].rectScreen.top, right.y);
    EXPECT_GT(log.requests[0].rectScreen.Width(), 0);

    g.Mouse(WM_MOUSEMOVE, 105, 52);   // same cell: shown once
    EXPECT_EQ(log.shown.size(), 1u);

    int hiddenBefore = log.hidden;
    g.Mouse(WM_MOUSEMOVE, 150, 50);   // (2, 3): hidden, nothing shown
    EXPECT_GT(log.hidden, hiddenBefore);
    EXPECT_EQ(log.shown.size(), 1u);

    tipped->SetTipText("");           // no tip text: nothing shown
    g.Mouse(WM_MOUSEMOVE, 100, 50);
    EXPECT_EQ(log.shown.size(), 1u);

    tipped->SetTipText("again");
    grid.SetTitleTips(FALSE);         // tips switched off
    g.Mouse(WM_MOUSEMOVE, 150, 50);
    g.Mouse(WM_MOUSEMOVE, 100, 50);
    EXPECT_EQ(log.shown.size(), 1u);
    grid.SetTitleTips(TRUE);
    g.Mouse(WM_MOUSEMOVE, 150, 50);
    g.Mouse(WM_MOUSEMOVE, 100, 50);
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[1], "again");
    EXPECT_EQ(log.created, 1);
    g_tips = nullptr;
}

TEST_F(MouseInput, RightClickSelectsAnUnselectedCellAndReportsToTheHost)
{
    InputGrid g;
    g.Build(10, 6);
    g.Grid().SetSelectedRange(2, 2, 3, 3);
    g.Mouse(WM_RBUTTONUP, 160, 70);   // (3, 3): inside the selection, kept
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 2, 3, 3));
    EXPECT_EQ(g.host.Count(WM_GRID_RCLICKUP), 1);

    g.host.Clear();
    g.Mouse(WM_RBUTTONUP, 210, 130);   // (6, 4): becomes the only selection
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(6, 4, 6, 4));
    EXPECT_EQ(g.Focus(), CGridCellPos(6, 4));
    EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
    std::vector<int> codes = {GVN_SELCHANGING, GVN_RCLICK};
    EXPECT_EQ(g.host.Codes(), codes);

    g.host.Clear();
    g.Mouse(WM_RBUTTONUP, 350, 280);   // outside every cell
    ASSERT_EQ(g.host.notifies.size(), 1u);
    EXPECT_EQ(g.host.notifies[0].code, GVN_RCLICK);
    EXPECT_EQ(g.host.notifies[0].row, -1);
    EXPECT_EQ(g.host.notifies[0].col, -1);
    EXPECT_EQ(g.host.Count(WM_GRID_RCLICKUP), 1);
}

// A right click inside the selection keeps it, so the menu that follows acts
// on every selected row, column or cell; outside it the clicked cell, row or
// column becomes the selection. A header counts as inside only when its whole
// row or column lies in the selected range.
TEST_F(MouseInput, RightClickKeepsASelectionItFallsInside)
{
    struct Case {
        const char* name;
        CPoint down, drag;   // the selection, made by dragging
        CPoint right;        // the right click
        int kind;
        CGridCellRange range;
    } cases[] = {
        {"row header inside selected rows", {20, 50}, {20, 90}, {20, 75}, GSK_ROWS, {2, 0, 4, 5}},
        {"row header below selected rows", {20, 50}, {20, 90}, {20, 135}, GSK_ROWS, {6, 0, 6, 5}},
        {"column header inside selected columns", {100, 10}, {200, 10}, {160, 10}, GSK_COLUMNS, {0, 2, 9, 4}},
        {"column header right of selected columns", {100, 10}, {200, 10}, {260, 10}, GSK_COLUMNS, {0, 5, 9, 5}},
        {"column header over selected rows", {20, 50}, {20, 90}, {160, 10}, GSK_COLUMNS, {0, 3, 9, 3}},
        {"row header beside a block of cells", {100, 50}, {200, 90}, {20, 75}, GSK_ROWS, {3, 0, 3, 5}},
        {"row header with everything selected", {10, 10}, {10, 10}, {20, 75}, GSK_ALL, {0, 0, 9, 5}},
        {"cell inside a block of cells", {100, 50}, {200, 90}, {160, 70}, GSK_CELLS, {2, 2, 4, 4}},
        {"cell inside selected rows", {20, 50}, {20, 90}, {160, 70}, GSK_ROWS, {2, 0, 4, 5}},
        {"cell outside a block of cells", {100, 50}, {200, 90}, {210, 130}, GSK_CELLS, {6, 4, 6, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        g.Mouse(WM_MOUSEMOVE, c.down.x, c.down.y);
        g.Mouse(WM_LBUTTONDOWN, c.down.x, c.down.y, MK_LBUTTON);
        g.Mouse(WM_MOUSEMOVE, c.drag.x, c.drag.y, MK_LBUTTON);
        g.Mouse(WM_LBUTTONUP, c.drag.x, c.drag.y);
        g.host.Clear();
        g.Mouse(WM_RBUTTONDOWN, c.right.x, c.right.y, MK_RBUTTON);
        g.Mouse(WM_RBUTTONUP, c.right.x, c.right.y);
        EXPECT_EQ(g.Grid().GetSelectionKind(), c.kind);
        EXPECT_EQ(g.Grid().GetSelectedRange(), c.range);
        EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
        EXPECT_EQ(g.host.Count(WM_GRID_RCLICKUP), 1);
    }
}
