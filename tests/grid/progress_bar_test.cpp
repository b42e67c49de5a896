// The grid's progress bar: placement, the range it keeps, the filled part and
// the percentage measured from the lower bound, its paint over a memory
// bitmap (skin pixels), and the grid's messages 1062 to 1065.
#include "grid/GridProgressBar.h"

#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "grid/SkinBitmaps.h"
#include "grid/cellpaint_util.h"

#include <gtest/gtest.h>

using namespace cellpainttest;

namespace {

TEST(ProgressBar, PlacementHalfWidthCentred)
{
    CGridProgressBar bar;
    bar.SetPlacement(CRect(0, 0, 400, 127));
    EXPECT_EQ(100, bar.GetBarRect().left);
    EXPECT_EQ(300, bar.GetBarRect().right);
    EXPECT_EQ(50, bar.GetBarRect().top);
    EXPECT_EQ(77, bar.GetBarRect().bottom);
    bar.SetPlacement(CRect(10, 20, 111, 60));   // odd width 101: bar 50 wide
    EXPECT_EQ(10 + 25, bar.GetBarRect().left);
    EXPECT_EQ(50, bar.GetBarRect().Width());
    EXPECT_EQ(20 + 6, bar.GetBarRect().top);
}

TEST(ProgressBar, RangeFractionAndPercent)
{
    struct Case {
        int lower, upper, pos;
        int percent;
        int filled;   // of a 200-pixel bar
    } cases[] = {
        {0, 100, 0, 0, 0},
        {0, 100, 50, 50, 100},
        {0, 100, 100, 100, 200},
        {0, 100, 250, 100, 200},     // above the upper bound: full
        {0, 100, -5, 0, 0},          // below the lower bound: empty
        {50, 150, 100, 50, 100},     // measured from the lower bound
        {50, 150, 0, 0, 0},
        {0, 3, 1, 33, 66},           // truncated
        {-2147483647 - 1, 2147483647, 0, 50, 100},   // no overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lower) + ".." + std::to_string(c.upper) + " @" + std::to_string(c.pos));
        CGridProgressBar bar;
        bar.SetPlacement(CRect(0, 0, 400, 100));
        bar.SetRange(c.lower, c.upper);
        bar.SetPos(c.pos);
        EXPECT_EQ(c.percent, bar.GetPercent());
        EXPECT_EQ(c.filled, bar.GetFilledWidth());
    }
    // Equal or reversed bounds keep the previous range.
    CGridProgressBar bar;
    bar.SetRange(10, 20);
    bar.SetRange(5, 5);
    bar.SetRange(9, 3);
    EXPECT_EQ(10, bar.GetLower());
    EXPECT_EQ(20, bar.GetUpper());
}

TEST(ProgressBar, ForegroundStaysInsideTheFrame)
{
    CGridProgressBar bar;
    bar.SetPlacement(CRect(0, 0, 400, 100));   // bar x 100..300
    int first = 0, last = 0;
    bar.SetPos(0);
    ASSERT_TRUE(bar.GetForegroundSpan(&first, &last));
    EXPECT_EQ(102, first);
    EXPECT_EQ(102, last);   // x = 0 is drawn too
    bar.SetPos(50);
    ASSERT_TRUE(bar.GetForegroundSpan(&first, &last));
    EXPECT_EQ(202, last);
    bar.SetPos(1000);
    ASSERT_TRUE(bar.GetForegroundSpan(&first, &last));
    EXPECT_EQ(297, last);   // ends at right - 2
    bar.SetPlacement(CRect(0, 0, 8, 100));   // 4 wide: no room inside
    EXPECT_FALSE(bar.GetForegroundSpan(&first, &last));
}

TEST(ProgressBar, PaintsTheSkinOverAMemoryBitmap)
{
    CGridCtrl grid;
    CBitmap* back = grid.GetSkinBitmap(SKIN_PROCESSBG);
    CBitmap* fore = grid.GetSkinBitmap(SKIN_PROCESSFG);
    ASSERT_NE(nullptr, back);
    ASSERT_NE(nullptr, fore);
    CDC probe;
    ASSERT_TRUE(probe.CreateCompatibleDC(nullptr));
    CBitmap* old = probe.SelectObject(fore);
    const COLORREF strip = probe.GetPixel(0, 5);
    probe.SelectObject(back);
    const COLORREF frame = probe.GetPixel(0, 10);
    probe.SelectObject(old);

    Canvas canvas(200, 60);
    ASSERT_TRUE(canvas.Ok());
    CGridProgressBar bar;
    bar.SetPlacement(CRect(0, 0, 200, 60));   // bar x 50..150, y 16..43
    bar.SetPos(25);
    bar.Draw(&canvas.dc, back, fore);
    EXPECT_EQ(frame, canvas.At(50, 16 + 10)) << "the frame's left edge";
    EXPECT_EQ(strip, canvas.At(55, 16 + 3 + 5)) << "filled";
    EXPECT_EQ(strip, canvas.At(52 + 25, 16 + 3 + 5)) << "filled up to a quarter";
    EXPECT_NE(strip, canvas.At(52 + 30, 16 + 3 + 5)) << "not beyond";
    EXPECT_EQ(kUnpainted, canvas.At(49, 30)) << "nothing outside the bar";
}

TEST(ProgressBar, GridMessagesSetRangePositionAndShownFlag)
{
    auto grid = MakePaintGrid();
    ASSERT_TRUE(GiveWindow(*grid));
    EXPECT_FALSE(grid->IsProgressShown());
    grid->SendMessage(WM_GRID_PROGRESSRANGE, 10, 30);
    grid->SendMessage(WM_GRID_PROGRESSRANGE, 5, 5);      // kept only when high > low
    grid->SendMessage(WM_GRID_PROGRESSPOS, 20, 0);
    const CGridProgressBar bar = grid->GetProgressBar(CRect(0, 0, 400, 100));
    EXPECT_EQ(10, bar.GetLower());
    EXPECT_EQ(30, bar.GetUpper());
    EXPECT_EQ(50, bar.GetPercent());
    // 1065 shows the bar (its flag -1), 1064 hides it.
    grid->SendMessage(WM_GRID_PROGRESSSHOW, 0, 0);
    EXPECT_TRUE(grid->IsProgressShown());
    grid->SendMessage(WM_GRID_PROGRESSHIDE, 0, 0);
    EXPECT_FALSE(grid->IsProgressShown());
}

}  // namespace
