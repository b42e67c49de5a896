// The grid's progress bar in a real window under Wine: shown by message 1065,
// following 1063 on the screen (the skin strip's pixels up to the
// percentage), gone after 1064.
#include "grid/GridMessages.h"
#include "grid/SkinBitmaps.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

using gridwine::PumpFor;

namespace {

class ProgressWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(host, "KivoProgressWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           CRect(60, 60, 560, 400)));
        gridwine::LayOut(grid, 12, 6, 24, 40, 70);
        ASSERT_TRUE(gridwine::CreateFilling(grid, host, 80));
        // The strip's colour a few rows down its first column.
        CDC probe;
        ASSERT_TRUE(probe.CreateCompatibleDC(nullptr));
        CBitmap* old = probe.SelectObject(grid.GetSkinBitmap(SKIN_PROCESSFG));
        strip = probe.GetPixel(0, 5);
        probe.SelectObject(old);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        delete host;
        PumpFor(20);
    }

    COLORREF Pixel(int x, int y) { return gridwine::Pixel(grid, x, y); }

    CWnd* host = nullptr;
    CGridCtrl grid;
    COLORREF strip = 0;
};

TEST_F(ProgressWineTest, FollowsItsPositionOnTheScreen)
{
    CRect client;
    grid.GetClientRect(&client);
    const CRect bar = grid.GetProgressBar(client).GetBarRect();
    const int y = bar.top + 3 + 5;
    const int quarter = bar.left + 2 + bar.Width() / 4;
    const int threeQuarters = bar.left + 2 + bar.Width() * 3 / 4;

    ::SendMessageA(grid.GetSafeHwnd(), WM_GRID_PROGRESSRANGE, 100, 300);
    ::SendMessageA(grid.GetSafeHwnd(), WM_GRID_PROGRESSSHOW, 0, 0);
    ::SendMessageA(grid.GetSafeHwnd(), WM_GRID_PROGRESSPOS, 150, 0);   // 25 %
    PumpFor(30);
    EXPECT_EQ(strip, Pixel(bar.left + 4, y));
    EXPECT_EQ(strip, Pixel(quarter - 2, y));
    EXPECT_NE(strip, Pixel(quarter + 6, y));

    ::SendMessageA(grid.GetSafeHwnd(), WM_GRID_PROGRESSPOS, 250, 0);   // 75 %
    PumpFor(30);
    EXPECT_EQ(strip, Pixel(threeQuarters - 2, y));
    EXPECT_NE(strip, Pixel(threeQuarters + 6, y));

    // The percentage is drawn in its colour somewhere in the bar's middle.
    int textPixels = 0;
    for (int yy = bar.top; yy < bar.bottom; ++yy)
        for (int x = bar.left + bar.Width() / 2 - 20; x < bar.left + bar.Width() / 2 + 20; ++x)
            if (Pixel(x, yy) == RGB(242, 149, 54))
                ++textPixels;
    EXPECT_GT(textPixels, 5);

    ::SendMessageA(grid.GetSafeHwnd(), WM_GRID_PROGRESSHIDE, 0, 0);
    gridwine::Repaint(grid);
    EXPECT_NE(strip, Pixel(bar.left + 4, y));
}

}  // namespace
