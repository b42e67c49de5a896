// A button cell with a picture and a text, painted into a memory bitmap and
// its pixels read back: picture and text stay inside the cell's rectangle at
// any row height and in each arrangement; the picture shrinks to the room it
// has and keeps its own size where it fits.
#include "grid/cellpaint_util.h"

#include "grid/GridCellButton.h"
#include "grid/GridCellTypes.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cellpainttest;

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 red 24-bit BMP file.
std::vector<BYTE> RedBmp()
{
    const int side = 16;
    const int rowBytes = side * 3;
    std::vector<BYTE> b;
    auto u16 = [&b](int v) { b.push_back(BYTE(v & 0xFF)); b.push_back(BYTE((v >> 8) & 0xFF)); };
    auto u32 = [&u16](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
    b.push_back('B');
    b.push_back('M');
    for (int v : {14 + 40 + rowBytes * side, 0, 14 + 40, 40, side, side})
        u32(v);
    u16(1);
    u16(24);
    for (int v : {0, rowBytes * side, 2835, 2835, 0, 0})
        u32(v);
    for (int i = 0; i < side * side; ++i) {
        b.push_back(0);
        b.push_back(0);
        b.push_back(255);
    }
    return b;
}

int CountPixels(const Canvas& canvas, const CRect& area, COLORREF colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += canvas.At(x, y) == colour ? 1 : 0;
    return n;
}

// The caption's colour (dark), not the canvas's own.
bool IsTextColour(COLORREF c)
{
    return c != kUnpainted && GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

TEST(ButtonCellPaint, StackedPictureAndTextStayInsideTheCellAtAnyRowHeight)
{
    const struct {
        int position;      // 2 text above the picture, 4 picture above the text
        int height;        // the cell's height
        bool wholePicture; // room for the picture at its own size
    } kCases[] = {
        {2, 20, false}, {4, 20, false}, {2, 14, false}, {4, 14, false},
        {2, 80, true},  {4, 80, true},  {1, 20, false}, {3, 20, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE("position " + std::to_string(c.position) + ", height " + std::to_string(c.height));
        auto grid = MakePaintGrid();
        const std::vector<BYTE> bmp = RedBmp();
        ASSERT_EQ(0, grid->GetPictureList().AddPictureData(bmp.data(), static_cast<int>(bmp.size())));
        ASSERT_NE(nullptr, grid->GetPictureList().GetBitmap(0));
        ASSERT_TRUE(grid->SetCellType(2, 2, GCT_BUTTON));
        CGridCellButton* cell = dynamic_cast<CGridCellButton*>(grid->GetCell(2, 2));
        ASSERT_NE(nullptr, cell);
        const std::string control = "<control controltype = \"button\" btntext = \"Go\" btnimgindex = \"0\" "
                                    "textimagepos = \"" + std::to_string(c.position) + "\" ></control>";
        cell->SetControl(control.c_str());
        cell->SetBackColor(RGB(255, 255, 255));

        Canvas canvas(200, 160);
        ASSERT_TRUE(canvas.Ok());
        const CRect rect(10, 40, 69, 40 + c.height - 1);
        ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, rect, TRUE));

        const int inside = CountPixels(canvas, rect, kRed);
        EXPECT_GT(inside, 0) << "the picture is shown";
        if (c.wholePicture) {
            EXPECT_EQ(16 * 16, inside) << "at its own size";
        }
        // Nothing of the face lies above, below or beside the cell.
        EXPECT_EQ(0, CountPixels(canvas, CRect(0, 0, 200, rect.top), kRed)) << "above";
        EXPECT_EQ(0, CountPixels(canvas, CRect(0, rect.bottom + 1, 200, 160), kRed)) << "below";
        EXPECT_EQ(0, CountPixels(canvas, CRect(rect.right + 1, 0, 200, 160), kRed)) << "beside";
#ifdef _WIN32
        // Where the platform renders text: the caption's pixels are in the
        // cell and none are in the rows around it.
        int text = 0;
        int outside = 0;
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (!IsTextColour(canvas.At(x, y)))
                    continue;
                if (rect.PtInRect(CPoint(x, y)))
                    ++text;
                else if (y < rect.top || y > rect.bottom)
                    ++outside;
            }
        }
        EXPECT_GT(text, 5) << "the caption is shown";
        EXPECT_EQ(0, outside) << "no caption pixel in the rows around";
#else
        (void)&IsTextColour;
#endif
    }
}

}  // namespace
