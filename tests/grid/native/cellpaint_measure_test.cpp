// Measuring a cell's text with the host build's fixed metrics: a font of
// height h has h-pixel lines and (h + 1) / 2-pixel single-byte characters.
// The default font is 12 high (6-pixel characters) and the margin 3, so a
// text's extent is its width + 9 by its height + 3.
#include "grid/cellpaint_util.h"

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace cellpainttest;

namespace {

struct ExtentCase {
    const char* name;
    const char* text;
    int columnWidth;
    std::function<void(CGridCtrl&, CGridCellBase&)> setup;
    CSize expected;
};

TEST(CellMeasure, TextExtents)
{
    const std::string twenty(20, 'x');   // 120 pixels
    const std::string longLine = "a\n" + twenty;
    auto none = [](CGridCtrl&, CGridCellBase&) {};
    // Column 100 wide: 99 for the text area, 92 once the margins are off.
    const std::vector<ExtentCase> cases = {
        {"one line", "abc", 100, none, CSize(18 + 9, 12 + 3)},
        {"two-byte characters count double", "中文", 100, none, CSize(24 + 9, 12 + 3)},
        {"lines of a line feed, an empty one counted as a blank", "ab\n\ncd", 100, none, CSize(12 + 9, 36 + 3)},
        {"a carriage return belongs to the break", "ab\r\ncd", 100, none, CSize(12 + 9, 24 + 3)},
        {"a line wider than the column takes two lines", longLine.c_str(), 100, none, CSize(120 + 9, 36 + 3)},
        {"a column with no room left never divides by zero", "ab\ncd", 8, none, CSize(12 + 9, 24 + 3)},
        {"a hidden column never divides by zero", "ab\ncd", 0, none, CSize(12 + 9, 24 + 3)},
        {"a wrapping cell breaks at blanks", "aaaa bbbb", 100, [](CGridCtrl&, CGridCellBase& c) { c.SetWrapText(TRUE); },
         CSize(54 + 9, 12 + 3)},
        {"a wrapping cell in a narrow column", "aaaa bbbb", 38,
         [](CGridCtrl&, CGridCellBase& c) { c.SetWrapText(TRUE); }, CSize(24 + 9, 24 + 3)},
        {"zoomed twice", "abc", 100, [](CGridCtrl& g, CGridCellBase&) { g.SetZoom(2.0, 2.0); },
         CSize(36 + 18, 24 + 6)},
        {"a font turned upright swaps the axes", "abc", 100,
         [](CGridCtrl&, CGridCellBase& c) {
             LOGFONT lf = *c.GetFont();
             lf.lfEscapement = 900;
             c.SetFont(&lf);
         },
         CSize(15 + 3, 27 + 6)},
    };
    for (const ExtentCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        Headless::Reset();
        auto grid = MakePaintGrid();
        grid->SetColumnWidth(2, tc.columnWidth);
        CGridCellBase* cell = grid->GetCell(2, 2);
        tc.setup(*grid, *cell);
        Canvas canvas;
        CSize size = cell->GetTextExtent(tc.text, &canvas.dc, 2);
        EXPECT_EQ(tc.expected.cx, size.cx);
        EXPECT_EQ(tc.expected.cy, size.cy);
    }
}

TEST(CellMeasure, EmptyTextAnswersTheDefaultCellSize)
{
    Headless::Reset();
    auto grid = MakePaintGrid();
    CGridDefaultCell* normal = grid->GetDefaultCell(FALSE, FALSE);
    CSize size = grid->GetCell(2, 2)->GetTextExtent("", nullptr, 2);
    EXPECT_EQ(normal->GetWidth(), size.cx);
    EXPECT_EQ(normal->GetHeight(), size.cy);
    CGridCell detached;
    EXPECT_EQ(CSize(0, 0), detached.GetTextExtent(nullptr, nullptr, 0));
}

TEST(CellMeasure, WithoutADeviceContextTheGridWindowsIsUsedAndGivenBack)
{
    Headless::Reset();
    auto grid = MakePaintGrid();
    CGridCellBase* cell = grid->GetCell(2, 2);
    // No window: a memory context stands in.
    EXPECT_EQ(CSize(27, 15), cell->GetTextExtent("abc", nullptr, 2));
    ASSERT_TRUE(GiveWindow(*grid));
    const size_t before = Headless::DCCount();
    EXPECT_EQ(CSize(27, 15), cell->GetTextExtent("abc", nullptr, 2));
    EXPECT_EQ(before, Headless::DCCount());
}

TEST(CellMeasure, CellExtentMeasuresWhatTheCellShows)
{
    Headless::Reset();
    auto grid = MakePaintGrid();
    CGridCellBase* cell = grid->GetCell(2, 2);
    cell->SetValue(1234.5);
    Canvas canvas;
    EXPECT_EQ(CSize(36 + 9, 15), cell->GetCellExtent(&canvas.dc, 2)) << "1234.5";
    cell->SetFormatXml("<format datatype = \"numeric\" decimal = \"2\" seplen = \"3\" separator = \",\" ></format>");
    cell->SetFormattedText("1,234.50", -1);
    EXPECT_EQ(CSize(48 + 9, 15), cell->GetCellExtent(&canvas.dc, 2)) << "the formatted text";
    EXPECT_EQ(59, cell->GetTextAreaWidth(&canvas.dc, 2));
    grid->SetColumnWidth(2, 0);
    EXPECT_EQ(0, cell->GetTextAreaWidth(&canvas.dc, 2));
}

}  // namespace
