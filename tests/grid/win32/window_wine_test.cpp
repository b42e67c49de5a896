// The grid as a real child window under Wine: created in a control window,
// painted, its pixels read back, and scrolled by messages.
#include "cells/GridScrollBarHooks.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

using gridwine::PumpFor;

namespace {

// The control window is made once: Wine is slow to hide top-level windows.
class GridWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallGridScrollBarHooks();
        s_control = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_control, "KivoTestGridControl", "control", WS_POPUP | WS_VISIBLE,
                                           CRect(20, 20, 620, 470)));
    }
    static void TearDownTestSuite()
    {
        delete s_control;
        s_control = nullptr;
    }

    void SetUp() override
    {
        gridwine::LayOut(grid, 60, 12, 20, 40, 60);
        grid.SetRowHeight(0, 25);
        for (int r = 1; r < 60; ++r)
            grid.GetCell(r, 1)->SetText("文字");
        grid.SetFreezeTopRows(1);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 600, 450), s_control, 1, WS_CHILD | WS_VISIBLE));
        grid.UpdateScrollBars();
        Repaint();
    }

    void Repaint() { gridwine::Repaint(grid); }
    COLORREF Pixel(int x, int y) { return gridwine::Pixel(grid, x, y); }

    static CWnd* s_control;
    CGridCtrl grid;
};

CWnd* GridWineTest::s_control = nullptr;

TEST_F(GridWineTest, IsARealChildWindowWithItsOwnScrollBars)
{
    EXPECT_EQ(s_control->GetSafeHwnd(), ::GetParent(grid.GetSafeHwnd()));
    char name[32] = {0};
    ::GetClassNameA(grid.GetSafeHwnd(), name, sizeof(name));
    EXPECT_STREQ("KivoSheet", name);
    ASSERT_NE(nullptr, grid.GetSkinScrollBar(TRUE));
    EXPECT_TRUE(grid.GetSkinScrollBar(TRUE)->IsWindowVisible());
    EXPECT_EQ(1001, grid.GetSkinScrollBar(TRUE)->GetDlgCtrlID());
    EXPECT_EQ(1000, grid.GetSkinScrollBar(FALSE)->GetDlgCtrlID());
    CRect bar;
    grid.GetSkinScrollBar(TRUE)->GetWindowRect(&bar);
    EXPECT_EQ(15, bar.Width());
}

TEST_F(GridWineTest, PaintsHeadersGridLinesSelectionAndFreezeLine)
{
    grid.SetSelectedRange(3, 2, 3, 2, FALSE, TRUE);
    Repaint();
    CRect cell, plain;
    ASSERT_TRUE(grid.GetCellRect(3, 2, &cell));
    ASSERT_TRUE(grid.GetCellRect(3, 3, &plain));
    COLORREF plainBack = Pixel(plain.left + 5, plain.top + 5);
    COLORREF selectedBack = Pixel(cell.left + 5, cell.top + 5);
    EXPECT_NE(plainBack, selectedBack) << "the selected cell is tinted";
    EXPECT_NE(CLR_INVALID, selectedBack);

    CRect header;
    ASSERT_TRUE(grid.GetCellRect(0, 3, &header));
    COLORREF headerPixel = Pixel(header.left + 10, header.top + 8);
    EXPECT_NE(plainBack, headerPixel) << "the header row is painted from its skin";
    EXPECT_NE(grid.GetGridBkColor(), headerPixel);

    // The grid line on the boundary between two plain cells.
    COLORREF onRight = Pixel(plain.right, plain.top + 10);
    COLORREF pastRight = Pixel(plain.right + 1, plain.top + 10);
    EXPECT_TRUE(onRight == grid.GetGridLineColor() || pastRight == grid.GetGridLineColor())
        << std::hex << onRight << " " << pastRight;

    // The freeze line under the frozen top row: 25 + 20.
    EXPECT_EQ(RGB(0, 0, 0), Pixel(200, 45));
}

TEST_F(GridWineTest, ScrollsByMessages)
{
    CRect before;
    ASSERT_TRUE(grid.GetCellRect(5, 1, &before));
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    Repaint();
    EXPECT_EQ(40, grid.GetScrollPosition(SB_VERT));
    EXPECT_EQ(CGridCellPos(4, 1), grid.GetTopLeftCell());
    CRect after;
    ASSERT_TRUE(grid.GetCellRect(5, 1, &after));
    EXPECT_EQ(before.top - 40, after.top);
    // The frozen row stays and the freeze line with it.
    EXPECT_EQ(RGB(0, 0, 0), Pixel(200, 45));
    // The own scroll bar shows the new position.
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    grid.GetSkinScrollBar(TRUE)->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
    EXPECT_EQ(40, si.nPos);
}

}  // namespace
