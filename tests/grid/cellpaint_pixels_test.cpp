// One cell painted into a real memory bitmap, its pixels read back: the back
// colour inside, the grid line and the cell's own border on its edges, and
// (where the platform renders text) the text's pixels.
#include "grid/cellpaint_util.h"

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

using namespace cellpainttest;

namespace {

TEST(CellPaintPixels, OneCellInAMemoryBitmap)
{
    auto grid = MakePaintGrid();
    ASSERT_TRUE(GiveWindow(*grid));
    const COLORREF back = RGB(200, 230, 250);
    const COLORREF red = RGB(255, 0, 0);
    CGridCellBase* cell = grid->GetCell(2, 2);
    cell->SetBackColor(back);
    cell->SetText("WW");
    cell->SetAlign(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ASSERT_TRUE(cell->SetBorder(CBF_BOTTOM, red, PS_SOLID, 1));

    Canvas canvas;
    ASSERT_TRUE(canvas.Ok());
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, FALSE));
    EXPECT_EQ(back, canvas.At(60, 20));
    EXPECT_EQ(back, canvas.At(11, 11));
    EXPECT_EQ(grid->GetGridLineColor(), canvas.At(70, 20)) << "right grid line";
    EXPECT_EQ(grid->GetGridLineColor(), canvas.At(10, 20)) << "left grid line";
    EXPECT_EQ(red, canvas.At(40, 30)) << "own bottom border";
    EXPECT_EQ(kUnpainted, canvas.At(80, 20)) << "nothing outside the cell";

#ifdef _WIN32
    // The text is drawn from the left margin, vertically centred.
    int textPixels = 0;
    for (int y = 11; y < 29; ++y)
        for (int x = 13; x < 45; ++x)
            if (canvas.At(x, y) != back)
                ++textPixels;
    EXPECT_GT(textPixels, 10);
#endif
}

}  // namespace
