// The grid's own title tip as a real popup under Wine: the mouse resting on a
// cell with a tip text shows it, and its text can be read (its pixels are not
// all the back colour).
#include "cells/InPlaceEditHooks.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

using gridwine::PumpUntil;

TEST(GridTitleTipWine, TheMouseOnACellShowsItsTipInReadableColours)
{
    InstallInPlaceEditHooks();
    CWnd control;
    ASSERT_TRUE(control.CreateEx(0, "KivoTestTipControl", "control", WS_POPUP | WS_VISIBLE, CRect(40, 80, 540, 480),
                                 nullptr, 0));
    CGridCtrl grid;
    gridwine::LayOut(grid, 20, 6, 24, 70, 70);
    grid.GetCell(4, 2)->SetText("12");
    grid.GetCell(4, 2)->SetTipText("WWWW MMMM WWWW");
    grid.GetCell(4, 2)->SetDisplayTip(TRUE);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 500, 400), &control, 1, WS_CHILD | WS_VISIBLE));
    control.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(control.GetSafeHwnd());
    grid.SetFocus();
    PumpUntil([] { return false; }, 100);

    CRect cell;
    ASSERT_TRUE(grid.GetCellRect(4, 2, &cell));
    POINT onCell = {cell.left + 10, cell.top + 8};
    ::ClientToScreen(grid.GetSafeHwnd(), &onCell);
    ::SetCursorPos(onCell.x - 30, onCell.y);
    PumpUntil([] { return false; }, 50);
    ::SetCursorPos(onCell.x, onCell.y);
    CWnd* tip = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        tip = grid.GetInputState().pTitleTip.get();
        return tip != nullptr && tip->IsWindowVisible();
    })) << "no tip for the cell under the mouse";
    PumpUntil([] { return false; }, 100);

    // The tip's pixels: its back colour, and the text in another colour.
    const COLORREF back = ::GetSysColor(COLOR_WINDOW);
    HWND hwnd = tip->GetSafeHwnd();
    RECT client;
    ::GetClientRect(hwnd, &client);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(hwnd);
    int backPixels = 0, textPixels = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            if (c == back)
                ++backPixels;
            else if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128)
                ++textPixels;
        }
    }
    ::ReleaseDC(hwnd, dc);
    EXPECT_GT(backPixels, 0);
    EXPECT_GT(textPixels, 20) << "the tip's text does not show";

    grid.HideTitleTip();
    grid.DestroyWindow();
    control.DestroyWindow();
}
