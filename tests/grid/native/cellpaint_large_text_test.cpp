// Measuring and painting texts that need more pixels than an int holds: a
// large font in a narrow column, a font turned upright, an extreme zoom. The
// host build's metrics: a font of height h has h-pixel lines and
// (h + 1) / 2-pixel single-byte characters; the margin is 3.
#include "grid/cellpaint_util.h"

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace cellpainttest;

namespace {

// 1000 points at 96 pixels per inch: 1333 pixels high, 667 pixels a character.
const char kLargeFont[] = "<font fontname = \"Arial\" fontsize = \"1000\" ></font>";

struct LargeCase {
    const char* name;
    std::string text;
    int columnWidth;
    std::function<void(CGridCtrl&, CGridCellBase&)> setup;
    LONG cx;
    LONG cy;
};

TEST(CellLargeText, ExtentsAreSummedWithoutOverflowAndClamped)
{
    const std::string line3000(3000, 'x');
    auto large = [](CGridCtrl&, CGridCellBase& c) { c.SetFontXml(kLargeFont); };
    auto largeTurned = [](CGridCtrl&, CGridCellBase& c) {
        c.SetFontXml(kLargeFont);
        LOGFONT lf = *c.GetFont();
        lf.lfEscapement = 900;
        c.SetFont(&lf);
    };
    const LONG kMax = GRID_MAX_TEXT_EXTENT;
    // Column 9 wide: 8 for the text, 1 once the margins are off, so each
    // character of the line takes a line of its own (667 x 1333 pixels).
    const std::vector<LargeCase> cases = {
        {"a 3,000-byte line after a line feed in a narrow column", "a\n" + line3000, 9, large, 3000 * 667 + 9, kMax},
        {"the same in a wide column fits", "a\n" + line3000, 2000, large, 3000 * 667 + 9,
         // One line of 1333 for "a", 1004 + 1 for the long line in 1,992 pixels.
         1333 + 1333 * (3000 * 667 / 1992 + 1) + 3},
        {"turned upright, the clamped height becomes the width", "a\n" + line3000, 9, largeTurned, kMax,
         3000 * 667 + 9 + 6},
        {"a zoom beyond any screen", "abc", 100,
         [](CGridCtrl& g, CGridCellBase&) { g.SetZoom(1e12, 1e12); }, kMax, kMax},
        {"wrapped at every character", line3000, 9,
         [](CGridCtrl&, CGridCellBase& c) {
             c.SetFontXml(kLargeFont);
             c.SetWrapText(TRUE);
         },
         667 + 9, 3000 * 1333 + 3},
    };
    for (const LargeCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        Headless::Reset();
        auto grid = MakePaintGrid();
        grid->SetColumnWidth(2, tc.columnWidth);
        CGridCellBase* cell = grid->GetCell(2, 2);
        tc.setup(*grid, *cell);
        Canvas canvas;
        CSize size = cell->GetTextExtent(tc.text.c_str(), &canvas.dc, 2);
        EXPECT_EQ(tc.cx, size.cx);
        EXPECT_EQ(tc.cy, size.cy);
    }
}

TEST(CellLargeText, AWrappedLargeTextIsPaintedInAGridWindow)
{
    // Vertical centring measures the text first; a height past any int must
    // not turn the text rectangle inside out.
    Headless::Reset();
    auto grid = MakePaintGrid();
    ASSERT_TRUE(GiveWindow(*grid));
    grid->SetColumnWidth(2, 9);
    CGridCellBase* cell = grid->GetCell(2, 2);
    cell->SetFontXml(kLargeFont);
    cell->SetText(("a\n" + std::string(3000, 'x')).c_str());
    cell->SetAlign(DT_LEFT | DT_VCENTER);
    Canvas canvas;
    Headless::ClearDrawLog();
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE));
    bool drawn = false;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind != Headless::DrawKind::DrawText)
            continue;
        drawn = true;
        // Nothing to centre, the text being taller: the top moves by one.
        EXPECT_EQ(op.rect.top, kCellRect.top + 3 / 2 + 1);
        EXPECT_EQ(op.font.lfHeight, -1333);
    }
    EXPECT_TRUE(drawn);
}

}  // namespace
