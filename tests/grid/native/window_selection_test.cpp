// Selection and focus of a grid window, and what the parent hears of them.
#include "window_test_util.h"

#include <gtest/gtest.h>

using gridwindowtest::WindowGrid;

namespace {

int CountSelectedBits(CGridCtrl& grid)
{
    int n = 0;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            n += grid.GetCell(r, c)->IsSelected() ? 1 : 0;
    return n;
}

TEST(FocusTest, FocusIsRaisedOutOfTheFixedCells)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    struct {
        int row, col;
        CGridCellPos focus;
    } cases[] = {{0, 0, {1, 1}}, {3, 0, {3, 1}}, {0, 4, {1, 4}}, {-1, -1, {-1, -1}}, {10, 1, {-1, -1}}};
    for (const auto& c : cases) {
        w.grid.SetFocusCell(c.row, c.col);
        EXPECT_EQ(c.focus, w.grid.GetFocusCell()) << c.row << "," << c.col;
        if (c.focus.row >= 0)
            EXPECT_TRUE(w.grid.GetCell(c.focus.row, c.focus.col)->IsFocused());
    }
}

TEST(FocusTest, MovingTheFocusMovesTheBitAndRedrawsTheHeaders)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetFocusCell(2, 2);
    Headless::ClearInvalidations(w.grid.GetSafeHwnd());
    CGridCellPos old = w.grid.SetFocusCell(3, 4);
    EXPECT_EQ(CGridCellPos(2, 2), old);
    EXPECT_FALSE(w.grid.GetCell(2, 2)->IsFocused());
    EXPECT_TRUE(w.grid.GetCell(3, 4)->IsFocused());
    // Old cell, its column header, its row header; the same for the new one.
    EXPECT_EQ(6u, Headless::Invalidations(w.grid.GetSafeHwnd()).size());
}

TEST(SelectionTest, SetSelectedRangeMarksCellsAndReportsTheRange)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetSelectedRange(2, 1, 4, 3, FALSE, TRUE);
    EXPECT_EQ(9, CountSelectedBits(w.grid));
    EXPECT_EQ(CGridCellRange(2, 1, 4, 3), w.grid.GetSelectedRange());
    ASSERT_EQ(1, w.parent.Count(WM_GRID_SELECTRANGE));
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(2, 4)), w.parent.messages[0].wParam);
    EXPECT_EQ(static_cast<LPARAM>(MAKELONG(1, 3)), w.parent.messages[0].lParam);
    // Bounds inside the fixed part are raised out of it.
    w.grid.SetSelectedRange(0, 0, 1, 1, FALSE, TRUE);
    EXPECT_EQ(CGridCellRange(1, 1, 1, 1), w.grid.GetSelectedRange());
}

TEST(SelectionTest, KindsAndTheirRanges)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetSelectionAnchor(CGridCellPos(3, 2));
    w.grid.SelectRowBand(CGridCellPos(5, 4));
    EXPECT_EQ(GSK_ROWS, w.grid.GetSelectionKind());
    EXPECT_EQ(CGridCellRange(3, 0, 5, 5), w.grid.GetSelectedRange());
    EXPECT_EQ(CGridCellPos(3, 1), w.grid.GetFocusCell());
    EXPECT_TRUE(w.grid.IsCellInSelectedBand(4, 3));
    EXPECT_FALSE(w.grid.IsCellInSelectedBand(6, 3));

    w.grid.SelectColumnBand(CGridCellPos(7, 4));
    EXPECT_EQ(GSK_COLUMNS, w.grid.GetSelectionKind());
    EXPECT_EQ(CGridCellRange(0, 2, 9, 4), w.grid.GetSelectedRange());
    EXPECT_EQ(CGridCellPos(1, 2), w.grid.GetFocusCell());

    w.grid.SelectCells(CGridCellPos(5, 5));
    EXPECT_EQ(GSK_CELLS, w.grid.GetSelectionKind());
    EXPECT_EQ(CGridCellRange(3, 2, 5, 5), w.grid.GetSelectedRange());

    // Selecting everything marks one cell but answers the whole grid.
    w.grid.SelectAllCells();
    EXPECT_EQ(CGridCellRange(0, 0, 9, 5), w.grid.GetSelectedRange());
    EXPECT_EQ(1, CountSelectedBits(w.grid));
    EXPECT_EQ(CGridCellPos(1, 1), w.grid.GetFocusCell());
}

TEST(SelectionTest, SingleBandStartsAtTheClickedLine)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetSingleBand(TRUE);
    w.grid.SetSelectionAnchor(CGridCellPos(2, 2));
    w.grid.SelectRowBand(CGridCellPos(6, 2));
    EXPECT_EQ(CGridCellRange(6, 0, 6, 5), w.grid.GetSelectedRange());
}

TEST(SelectionTest, ExtendSelectionFollowsTheMouseMode)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetSelectionAnchor(CGridCellPos(2, 2));
    struct {
        int mode;
        int kind;
        CGridCellRange range;
    } cases[] = {{4, GSK_CELLS, {2, 2, 4, 3}}, {3, GSK_ROWS, {2, 0, 4, 5}}, {2, GSK_COLUMNS, {0, 2, 9, 3}},
                 {1, GSK_ALL, {0, 0, 9, 5}}};
    for (const auto& c : cases) {
        w.grid.SetMouseMode(c.mode);
        w.grid.ExtendSelection(CGridCellPos(4, 3));
        EXPECT_EQ(c.kind, w.grid.GetSelectionKind()) << "mode " << c.mode;
        EXPECT_EQ(c.range, w.grid.GetSelectedRange()) << "mode " << c.mode;
        EXPECT_EQ(c.mode, w.grid.GetLastSelectionMode());
    }
}

TEST(SelectionTest, CellModeTakesInTheWholeMergedBlock)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.GetCell(3, 3)->SetMergeRange(CGridCellRange(3, 3, 5, 4));
    w.grid.AddMergeOwner(CGridCellPos(3, 3));
    w.grid.SetMouseMode(4);
    w.grid.SetSelectedRange(2, 2, 3, 3, FALSE, TRUE);
    EXPECT_EQ(CGridCellRange(2, 2, 5, 4), w.grid.GetSelectedRange());
    EXPECT_TRUE(w.grid.IsCellSelected(5, 4));
}

TEST(SelectionTest, ClearSelectionSendsNoRangeMessage)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetSelectedRange(2, 2, 3, 3, FALSE, TRUE);
    w.grid.SetFocusCell(2, 2);
    w.parent.messages.clear();
    w.grid.ClearSelection();
    EXPECT_EQ(0, w.parent.Count(WM_GRID_SELECTRANGE));
    EXPECT_EQ(0, CountSelectedBits(w.grid));
    EXPECT_EQ(CGridCellPos(-1, -1), w.grid.GetFocusCell());
    EXPECT_FALSE(w.grid.IsRangeValid(w.grid.GetSelectedRange()));
}

// Rows and columns beyond 65,535 keep distinct selected cells.
TEST(SelectionTest, FarCellsKeepDistinctEntries)
{
    CGridCtrl grid(70000, 3, 1, 1);
    grid.SetSelectedRange(65537, 1, 65537, 1, FALSE, TRUE);
    grid.SetSelectedRange(1, 1, 1, 1, FALSE, FALSE);
    EXPECT_TRUE(grid.IsCellSelected(65537, 1));
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(CGridCellRange(65537, 1, 65537, 1), grid.GetSelectedRange());
}

TEST(SelectionTest, ClearingTextAsksTheParentAndSkipsReadOnlyCells)
{
    WindowGrid w;
    w.Build(6, 4, 1, 1);
    w.grid.GetCell(1, 1)->SetText("a");
    w.grid.GetCell(1, 2)->SetText("b");
    w.grid.GetCell(1, 2)->SetReadOnly(TRUE);
    w.grid.SetSelectedRange(1, 1, 1, 2, FALSE, TRUE);
    w.parent.notifies.clear();
    w.grid.ClearSelectedText();
    EXPECT_STREQ("", w.grid.GetCell(1, 1)->GetText());
    EXPECT_STREQ("b", w.grid.GetCell(1, 2)->GetText());
    ASSERT_EQ(2u, w.parent.notifies.size());  // -105 and -106 for the editable cell only
    EXPECT_EQ(GVN_BEGINLABELEDIT, w.parent.notifies[0].code);
    EXPECT_EQ(GVN_ENDLABELEDIT, w.parent.notifies[1].code);
    EXPECT_EQ(1, w.parent.notifies[0].row);
    EXPECT_EQ(1, w.parent.notifies[0].col);

    // A parent that refuses the start keeps the text and gets its answer back.
    w.grid.GetCell(2, 1)->SetText("c");
    w.parent.notifyAnswer = -1;
    EXPECT_EQ(-1, w.grid.SetCellTextChecked(2, 1, ""));
    EXPECT_STREQ("c", w.grid.GetCell(2, 1)->GetText());
}

TEST(ParentMessageTest, NotifyRecordCarriesTheGridAndTheCell)
{
    WindowGrid w;
    w.Build(6, 4, 1, 1);
    w.grid.SendMessageToParent(3, 2, GVN_CLICK);
    ASSERT_EQ(1u, w.parent.notifies.size());
    const auto& n = w.parent.notifies[0];
    EXPECT_EQ(w.grid.GetSafeHwnd(), n.hwndFrom);
    EXPECT_EQ(77u, n.idFrom);
    EXPECT_EQ(GVN_CLICK, n.code);
    EXPECT_EQ(3, n.row);
    EXPECT_EQ(2, n.col);

    CGridCtrl orphan(3, 3, 1, 1);
    EXPECT_EQ(0, orphan.SendMessageToParent(1, 1, GVN_CLICK));
}

TEST(ParentMessageTest, PrivateMessagesAndCommands)
{
    WindowGrid w;
    w.Build(6, 4, 1, 1);
    // A user-function evaluation goes on to the parent unchanged.
    w.grid.SendMessage(WM_GRID_CALCUSERFUNCTION, 1234, 5678);
    ASSERT_EQ(1, w.parent.Count(WM_GRID_CALCUSERFUNCTION));
    EXPECT_EQ(1234u, w.parent.messages.back().wParam);
    // A context-menu command reports the focus cell and the item.
    w.grid.SetFocusCell(2, 3);
    w.grid.SendMessage(WM_COMMAND, 20005, 0);
    ASSERT_EQ(1, w.parent.Count(WM_GRID_MENUCOMMAND));
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(2, 3)), w.parent.messages.back().wParam);
    EXPECT_EQ(20005, w.parent.messages.back().lParam);
    // Erasing the background is left to the paint pass.
    EXPECT_EQ(1, w.grid.SendMessage(WM_ERASEBKGND, 0, 0));
}

TEST(WindowTest, TwoGridsRegisterTheClassOnce)
{
    WindowGrid a, b;
    a.Build(3, 3, 1, 1);
    b.parent.CreateTopLevel(100, 100);
    b.grid.Create(CRect(0, 0, 50, 50), &b.parent, 5, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(1, Headless::ClassRegistrations("KivoSheet"));
    EXPECT_EQ(CString("KivoSheet"), a.grid.GetWindowClassName());
    EXPECT_TRUE(a.grid.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(a.grid.GetStyle() & WS_BORDER);
}

}  // namespace
