// Merged blocks and column fitting in a real grid window under Wine: a block
// is painted as one cell (pixels read back), a click inside it selects it,
// text typed into it reaches every cell of it, and a double click on a column
// divider fits the column to the real font.
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PlatformPumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

LPARAM At(const CPoint& p)
{
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

class GridCellsWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInPlaceEditHooks();
        s_host = new CWnd;
        ASSERT_TRUE(s_host->CreateEx(0, "KivoCellsWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(60, 60, 660, 500), nullptr, 0));
        s_host->ShowWindow(SW_SHOW);
        s_host->UpdateWindow();
        PumpFor(100);
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_host);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(12);
        grid.SetColumnCount(6);
        for (int r = 0; r < 12; ++r)
            grid.SetRowHeight(r, 24);
        for (int c = 0; c < 6; ++c)
            grid.SetColumnWidth(c, c == 0 ? 40 : 70);
        RECT client;
        ::GetClientRect(s_host->GetSafeHwnd(), &client);
        ASSERT_TRUE(grid.Create(client, s_host, 78, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        grid.SetFocus();
        PumpFor(50);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }

    void Repaint()
    {
        grid.Invalidate(TRUE);
        grid.UpdateWindow();
        PumpFor(60);
    }
    COLORREF Pixel(int x, int y)
    {
        CClientDC dc(&grid);
        return dc.GetPixel(x, y);
    }
    CRect Rect(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        return rect;
    }
    CPoint Centre(int row, int col)
    {
        CRect rect = Rect(row, col);
        return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Post(UINT message, WPARAM wParam, const CPoint& p)
    {
        ::PostMessageA(grid.GetSafeHwnd(), message, wParam, At(p));
        PumpFor(20);
    }
    void TypeChar(UINT ch)
    {
        ::PostMessageA(::GetFocus(), WM_CHAR, ch, 1);
        PumpFor(20);
    }

    static CWnd* s_host;
    CGridCtrl grid;
};

CWnd* GridCellsWineTest::s_host = nullptr;

}  // namespace

TEST_F(GridCellsWineTest, AMergedBlockIsPaintedAsOneCell)
{
    const COLORREF fill = RGB(250, 200, 40);
    for (int r = 2; r <= 5; ++r)
        for (int c = 2; c <= 3; ++c)
            grid.SetCellBackColor(r, c, fill);
    grid.MergeCells(2, 2, 3, 3);
    grid.ClearSelection();
    Repaint();

    // Inside the block there is no grid line between its columns or rows;
    // below it, cells of the same colour keep the lines between them (a line
    // lies one pixel beyond a cell's right and bottom edges).
    const CRect owner = Rect(2, 2);
    const CRect single = Rect(4, 2);
    EXPECT_EQ(owner, Rect(3, 3)) << "a merged cell's rectangle is its block's";
    const int columnLine = single.right + 1;
    const int rowLine = Rect(2, 1).bottom + 1;
    EXPECT_EQ(fill, Pixel(owner.left + 5, owner.top + 5));
    EXPECT_EQ(fill, Pixel(columnLine, owner.top + 10)) << "no line between the block's columns";
    EXPECT_EQ(fill, Pixel(single.left + 10, rowLine)) << "nor between its rows";
    EXPECT_EQ(grid.GetGridLineColor(), Pixel(columnLine, single.top + 10)) << "unmerged cells have their lines";
    EXPECT_EQ(grid.GetGridLineColor(), Pixel(single.left + 10, single.bottom + 1));
    EXPECT_EQ(fill, Pixel(single.left + 10, single.top + 10));
}

TEST_F(GridCellsWineTest, AClickInsideABlockSelectsIt)
{
    grid.MergeCells(3, 2, 4, 4);
    grid.ClearSelection();
    Repaint();
    const CPoint inside = Centre(4, 4);   // the block's centre, away from its owner's corner
    Post(WM_MOUSEMOVE, 0, inside);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    Post(WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(CGridCellPos(3, 2), grid.GetFocusCell());
    for (int r = 3; r <= 4; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_TRUE(grid.IsCellSelected(r, c)) << r << "," << c;
    EXPECT_FALSE(grid.IsCellSelected(5, 2));
    EXPECT_FALSE(grid.IsCellSelected(3, 5));
}

TEST_F(GridCellsWineTest, TextTypedIntoABlockReachesEveryCell)
{
    grid.MergeCells(2, 1, 3, 2);
    grid.SetFocusCell(2, 1);
    grid.SetFocus();
    PumpFor(20);
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
    TypeChar('o');
    ASSERT_TRUE(grid.IsCellEditing(2, 1));
    TypeChar('k');
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    PumpFor(40);
    EXPECT_FALSE(grid.IsCellEditing(2, 1));
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ("ok", std::string(grid.GetCellText(r, c))) << r << "," << c;
    EXPECT_EQ("", std::string(grid.GetCellText(4, 1)));
}

TEST_F(GridCellsWineTest, DoubleClickOnAColumnDividerFitsTheColumnToTheRealFont)
{
    const char* text = "一段比列宽更长的中文文字 with Latin";
    grid.SetCellText(3, 1, text);
    grid.SetCellText(4, 1, "short");
    const int fitted = grid.GetCellTextExtent(3, 1, text).cx;
    ASSERT_GT(fitted, 70);
    // The divider after column 1, in the header row.
    const CRect header = Rect(0, 1);
    const CPoint divider(header.right, header.top + 8);
    Post(WM_MOUSEMOVE, 0, divider);
    ASSERT_EQ(GMM_OVER_COL_DIVIDE, grid.GetMouseMode());
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, divider);
    Post(WM_LBUTTONUP, 0, divider);
    EXPECT_EQ(fitted, grid.GetColumnWidth(1));

    // The same text measured on a screen context with the cell's font.
    CClientDC dc(&grid);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(grid.GetCellFont(3, 1)));
    CFont* old = dc.SelectObject(&font);
    const CSize extent = dc.GetTextExtent(CString(text));
    dc.SelectObject(old);
    EXPECT_GE(grid.GetColumnWidth(1), extent.cx);
    EXPECT_LE(grid.GetColumnWidth(1), extent.cx + 20) << "only the cell's margins beyond the text";
}
