// Merged blocks and auto-sizing in a (headless) grid window: merging copies
// the owner over its block, a click inside a block selects it, a commit into
// it fills it, and a double click on a column divider fits the column.
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <string>

using gridinputtest::InputGrid;

namespace {

class CellsWindow : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override
    {
        InstallInPlaceEditHooks();
        Headless::Reset();
    }
    static std::string Text(CGridCtrl& grid, int r, int c) { return std::string(grid.GetCellText(r, c)); }
};

// Columns: 0 [0,40) 1 [40,90) 2 [90,140) 3 [140,190) ...; rows: 0 [0,25) 1 [25,45) 2 [45,65) ...

TEST_F(CellsWindow, MergingWithAWindowCopiesTheOwnerOverTheBlock)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.SetCellText(2, 2, "owner");
    grid.SetCellBackColor(2, 2, RGB(200, 10, 10));
    grid.SetCellText(3, 3, "other");
    grid.MergeCells(2, 2, 3, 3);
    for (int r = 2; r <= 3; ++r) {
        for (int c = 2; c <= 3; ++c) {
            EXPECT_EQ("owner", Text(grid, r, c)) << r << "," << c;
            EXPECT_EQ(RGB(200, 10, 10), grid.GetCellBackColor(r, c));
        }
    }
    // Dissolving keeps the owner's content only.
    EXPECT_TRUE(grid.UnMergeCellAt(3, 2));
    EXPECT_EQ("owner", Text(grid, 2, 2));
    EXPECT_EQ("", Text(grid, 3, 3));
}

TEST_F(CellsWindow, AClickInsideABlockSelectsTheBlock)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.MergeCells(3, 2, 4, 4);
    grid.ClearSelection();
    CPoint inside = g.Centre(4, 4);
    g.Click(inside.x, inside.y);
    EXPECT_EQ(CGridCellPos(3, 2), g.Focus());
    for (int r = 3; r <= 4; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_TRUE(grid.IsCellSelected(r, c)) << r << "," << c;
    EXPECT_FALSE(grid.IsCellSelected(5, 2));
}

TEST_F(CellsWindow, ACommitIntoABlockReachesEveryCellOfIt)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.MergeCells(2, 1, 3, 2);
    grid.OnEndEditCell(2, 1, CString("typed"), CString(), 0, 0);
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ("typed", Text(grid, r, c)) << r << "," << c;
    EXPECT_EQ("", Text(grid, 4, 1));
}

TEST_F(CellsWindow, DoubleClickOnAColumnDividerFitsTheColumn)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.SetCellText(2, 1, "a text wider than fifty pixels");
    const int fitted = grid.GetCellTextExtent(2, 1, "a text wider than fifty pixels").cx;
    ASSERT_GT(fitted, 50);
    // The divider after column 1 lies at x 90.
    g.Mouse(WM_MOUSEMOVE, 90, 10);
    ASSERT_EQ(GMM_OVER_COL_DIVIDE, grid.GetMouseMode());
    g.Mouse(WM_LBUTTONDBLCLK, 90, 10, MK_LBUTTON);
    EXPECT_EQ(fitted, grid.GetColumnWidth(1));
}

TEST_F(CellsWindow, SelectingTheWholeSheetAcrossBlocksReadsBackInRowOrder)
{
    InputGrid g;
    g.Build(7, 6);
    CGridCtrl& grid = g.Grid();
    grid.MergeCells(2, 2, 3, 3);
    grid.MergeCells(5, 1, 6, 5);
    grid.ClearSelection();
    grid.SetMouseMode(4);
    grid.SetSelectedRange(1, 1, 6, 5);
    grid.SetMouseMode(0);
    ASSERT_EQ(30, grid.GetSelectedCount());
    CGridCellPos previous(-1, -1);
    for (int i = 0; i < 30; ++i) {
        CGridCellPos cell;
        grid.GetSelectedCell(cell, i);
        EXPECT_TRUE(cell.row > previous.row || (cell.row == previous.row && cell.col > previous.col)) << i;
        previous = cell;
    }
}

}  // namespace
