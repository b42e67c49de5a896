// Fitting the whole sheet's columns at once, with fonts kept for the pass,
// gives exactly the widths column-by-column fitting gives; the font cache
// shares a font per description and is gone once the pass is over; a loaded
// CSV file's columns come out as a fresh fit of the same sheet.
#include "GridTestUtil.h"

#include "base/CFile.h"
#include "grid/GridCtrl.h"
#include "grid/GridMeasureDC.h"
#include "grid/GridMeasureFonts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using gridtest::MakeSheet;

namespace {

LOGFONT FontOf(int height, int weight)
{
    LOGFONT lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", "Arial");
    return lf;
}

// A sheet with cells in three fonts, wrapped and multi-line texts, a block
// across columns, a block inside a column, hidden lines and changed headers.
std::unique_ptr<CGridCtrl> MixedSheet(double zoom)
{
    auto grid = MakeSheet(14, 7, 1, 1);
    const LOGFONT big = FontOf(-24, 400);
    const LOGFONT bold = FontOf(-13, 700);
    const char* const texts[] = {"a", "wider text", "中文表格数据", "x y z w", "two\nlines here", "", "1234.5"};
    for (int row = 1; row < 14; ++row) {
        for (int col = 1; col < 7; ++col) {
            grid->SetCellText(row, col, texts[(row * 3 + col) % 7]);
            if ((row + col) % 4 == 0)
                grid->GetCell(row, col)->SetFont(&big);
            else if ((row + col) % 4 == 1)
                grid->GetCell(row, col)->SetFont(&bold);
        }
    }
    grid->SetCellText(0, 2, "a header wider than its cells");
    grid->SetColumnWidth(3, 45);
    grid->SetCellTextWrap(5, 3, TRUE);
    grid->SetCellText(5, 3, "words that wrap over several lines in a narrow column");
    grid->SetCellText(7, 1, "a block over two columns, very wide indeed");
    grid->MergeCells(7, 1, 7, 2);
    grid->SetCellText(9, 4, "a block inside one column");
    grid->MergeCells(9, 4, 10, 4);
    grid->SetCellText(11, 5, "a hidden row's text that is very long");
    grid->SetRowHide(11, TRUE);
    grid->SetColumnHide(6, TRUE);
    grid->SetZoom(zoom, zoom);
    return grid;
}

std::vector<int> Widths(CGridCtrl& grid)
{
    std::vector<int> widths;
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        widths.push_back(grid.GetColumnWidth(col));
    return widths;
}

TEST(GridAutoSizeFonts, TheWholeSheetFitsAsColumnByColumn)
{
    for (double zoom : {1.0, 1.5}) {
        for (UINT style : {0u, 1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "zoom " << zoom << " style " << style);
            auto whole = MixedSheet(zoom);
            auto oneByOne = MixedSheet(zoom);
            whole->AutoSizeColumns(style);
            for (int col = 0; col < oneByOne->GetColumnCount(); ++col)
                oneByOne->AutoSizeColumn(col, style == 0 ? oneByOne->GetAutoSizeStyle() : style, FALSE);
            EXPECT_EQ(Widths(*oneByOne), Widths(*whole));
            EXPECT_EQ(0, whole->GetColumnWidth(6));                  // still hidden
            EXPECT_EQ(nullptr, whole->GetMeasureFonts());            // the pass's fonts are gone
        }
    }
    // The sizes differ between the fonts, so the fit did use them.
    auto grid = MixedSheet(1.0);
    EXPECT_NE(grid->GetCellTextExtent(1, 3, "wider text").cx, grid->GetCellTextExtent(1, 1, "wider text").cx);
}

TEST(GridAutoSizeFonts, ExtentsInsideAPassEqualThoseOutside)
{
    auto grid = MixedSheet(1.25);
    std::vector<long> outside;
    for (int row = 0; row < grid->GetRowCount(); ++row)
        for (int col = 0; col < grid->GetColumnCount(); ++col) {
            const CSize size = grid->GetCell(row, col)->GetCellExtent(nullptr, col);
            outside.push_back(size.cx);
            outside.push_back(size.cy);
        }
    CGridMeasureDC dc(nullptr, grid.get());
    ASSERT_NE(nullptr, dc.Get());
    std::vector<long> inside;
    {
        CGridMeasurePass pass(grid.get(), dc.Get());
        ASSERT_NE(nullptr, grid->GetMeasureFonts());
        {
            CGridMeasurePass nested(grid.get(), dc.Get());   // the outer pass's cache serves
        }
        ASSERT_NE(nullptr, grid->GetMeasureFonts());
        for (int row = 0; row < grid->GetRowCount(); ++row)
            for (int col = 0; col < grid->GetColumnCount(); ++col) {
                const CSize size = grid->GetCell(row, col)->GetCellExtent(dc.Get(), col);
                inside.push_back(size.cx);
                inside.push_back(size.cy);
            }
        // The default font, the big one and the bold one.
        EXPECT_EQ(3u, grid->GetMeasureFonts()->GetCount());
    }
    EXPECT_EQ(nullptr, grid->GetMeasureFonts());
    EXPECT_EQ(outside, inside);
}

TEST(GridAutoSizeFonts, OneFontPerDescription)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CGridMeasureFonts fonts(&dc);
    const LOGFONT a = FontOf(-13, 400);
    LOGFONT b = a;
    b.lfItalic = 1;
    CGridMeasureFonts::Entry* first = fonts.Find(a);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, fonts.Find(a));
    CGridMeasureFonts::Entry* italic = fonts.Find(b);
    ASSERT_NE(nullptr, italic);
    EXPECT_NE(first, italic);
    EXPECT_EQ(first, fonts.Find(a));   // back to the first after another
    EXPECT_EQ(2u, fonts.GetCount());
    LOGFONT got = {};
    ASSERT_GT(italic->font.GetLogFont(&got), 0);
    EXPECT_EQ(1, got.lfItalic);
}

std::string TempPath(const char* name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/" + name;
}

// Loading fits the columns while it fills the rows: the widths are those a
// fit of the loaded sheet gives, header row included.
TEST(GridAutoSizeFonts, ALoadedFileFitsAsAFreshFit)
{
    const std::string path = TempPath("kivo_autosize_fonts.csv");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        const std::string bytes = "a,\"a much longer field, with a comma\",x\r\n"
                                  "wide text here,b,\"two\r\nlines\"\r\n"
                                  "c,,the widest field of the third column\r\n";
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    for (int fixedRows : {0, 1, 2}) {
        SCOPED_TRACE(fixedRows);
        auto grid = MakeSheet(3, 3, fixedRows, 1);
        grid->SetCellText(0, 0, "a corner text wider than anything");
        ASSERT_TRUE(grid->LoadCSVFile(path.c_str(), ','));
        ASSERT_EQ(4, grid->GetRowCount());
        const std::vector<int> loaded = Widths(*grid);
        for (int col = 0; col < grid->GetColumnCount(); ++col)
            grid->SetColumnWidth(col, 7);
        grid->AutoSizeColumns(0);
        EXPECT_EQ(Widths(*grid), loaded);
        EXPECT_EQ(grid->GetCellTextExtent(0, 0, "a corner text wider than anything").cx, loaded[0]);
    }
    CFile::Remove(path.c_str());
}

// A formula left in the corner reads the loaded cells once the load is over.
TEST(GridAutoSizeFonts, AFormulaInTheCornerReadsTheLoadedCells)
{
    const std::string path = TempPath("kivo_autosize_formula.csv");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        const std::string bytes = "5,7\r\n11,13\r\n";
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    auto grid = MakeSheet(3, 3, 0, 0);
    ASSERT_TRUE(grid->SetCellFormula(0, 0, "=A1+B2"));
    ASSERT_TRUE(grid->LoadCSVFile(path.c_str(), ','));
    EXPECT_EQ("18", gridtest::Text(*grid, 0, 0));
    CFile::Remove(path.c_str());
}

}  // namespace
