// The grid's workbook export: its limits, merged blocks, texts that begin
// with "=", shared formats, and the same bytes on every build.
#include "XlsGridFixture.h"
#include "XlsTestUtil.h"

#include "document/CompoundFile.h"
#include "document/GridXlsExport.h"
#include "document/XlsWorkbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using xlsgrid::MakeFormattedGrid;
using xlsgrid::MakeSheet;
using xlstest::Rec;
using xlstest::U16;
using xlstest::U32;
using xlstest::Walk;

namespace {

std::vector<Rec> SheetRecords(const XlsBytes& s)
{
    std::vector<Rec> globals = Walk(s);
    return Walk(s, globals.back().pos + 4);
}

uint64_t Fnv1a(const std::vector<uint8_t>& b)
{
    uint64_t h = 1469598103934665603ull;
    for (uint8_t c : b) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

TEST(GridXlsExport, DataAreaBeyondTheFormatsLimitsIsRefused)
{
    struct Case {
        int rows, cols, fixedRows, fixedCols;
        BOOL ok;
    } cases[] = {
        {257, 2, 0, 0, TRUE},           // 257 rows, 2 columns
        {2, 256, 0, 0, TRUE},
        {2, 257, 0, 0, FALSE},
        {2, 257, 0, 1, TRUE},           // the fixed column is not exported
        {65537, 1, 0, 0, FALSE},
        {65537, 1, 1, 0, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cols));
        auto grid = MakeSheet(c.rows, c.cols, c.fixedRows, c.fixedCols);
        XlsWorkbook book;
        EXPECT_EQ(c.ok, BuildGridWorkbook(*grid, book, ""));
        EXPECT_EQ(c.ok ? 1 : 0, book.GetSheetCount());
    }
    auto grid = MakeSheet(2, 257, 0, 0);
    const std::string path = "kivo_refused.xls";
    std::remove(path.c_str());
    EXPECT_EQ(0, SaveExcelFile(*grid, path.c_str(), ""));
    EXPECT_EQ(nullptr, std::fopen(path.c_str(), "rb")) << "no file written";
}

TEST(GridXlsExport, FixedAreaLeftOutAndMergedBlocksAddedOnceInWorkbookCoordinates)
{
    auto grid = MakeSheet(8, 8, 2, 1);
    grid->GetCell(2, 1)->SetText("first");
    grid->MergeCells(3, 2, 5, 4);
    grid->MergeCells(6, 1, 6, 3);
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, ""));
    std::vector<Rec> recs = SheetRecords(book.BuildStream());
    std::vector<std::string> merges;
    const Rec* first = nullptr;
    for (const Rec& r : recs) {
        if (r.type == XLS_MERGEDCELLS)
            for (uint16_t i = 0; i < U16(r.data, 0); ++i)
                merges.push_back(std::to_string(U16(r.data, 2 + 8 * i)) + "-" + std::to_string(U16(r.data, 4 + 8 * i)) +
                                 "," + std::to_string(U16(r.data, 6 + 8 * i)) + "-" +
                                 std::to_string(U16(r.data, 8 + 8 * i)));
        if (r.type == XLS_LABELSST && first == nullptr)
            first = &r;
    }
    EXPECT_EQ((std::vector<std::string>{"1-3,1-3", "4-4,0-2"}), merges);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, U16(first->data, 0));
    EXPECT_EQ(0, U16(first->data, 2)) << "grid (2, 1) is A1";
}

TEST(GridXlsExport, TextsThatBeginWithEqualsAreKeptAsTexts)
{
    auto grid = MakeSheet(2, 2, 0, 0);
    grid->GetCell(0, 0)->SetText("=A2*2");
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, ""));
    XlsBytes s = book.BuildStream();
    int labels = 0;
    for (const Rec& r : SheetRecords(s))
        if (r.type == XLS_LABELSST && U16(r.data, 0) == 0 && U16(r.data, 2) == 0)
            ++labels;
    EXPECT_EQ(1, labels);
    EXPECT_EQ(2u, book.GetSharedStringCount()) << "the formula text and the empty text";
}

TEST(GridXlsExport, EqualCellFormatsShareOneXfAndEqualFontsOneFont)
{
    auto grid = MakeSheet(200, 10, 0, 0);
    for (int r = 0; r < 200; ++r)
        grid->GetCell(r, r % 10)->SetBackColor(RGB(255, 0, 0));
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, ""));
    EXPECT_EQ(21 + 2, book.GetFormatCount());
    EXPECT_EQ(4 + 1, book.GetFontCount());
}

TEST(GridXlsExport, PasswordProtectsTheSheet)
{
    auto grid = MakeSheet(2, 2, 0, 0);
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, "password"));
    std::vector<Rec> recs = SheetRecords(book.BuildStream());
    bool found = false;
    for (const Rec& r : recs)
        if (r.type == XLS_PASSWORD)
            found = U16(r.data, 0) == 0x83AF;
    EXPECT_TRUE(found);
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::vector<uint8_t> b;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return b;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        b.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return b;
}

TEST(GridXlsExport, SaveReplacesAnOldWorkbookWholeAndAFailedSaveKeepsIt)
{
    const std::string path = "kivo_replace.xls";
    std::remove(path.c_str());
    auto small = MakeSheet(2, 2, 0, 0);
    ASSERT_EQ(1, SaveExcelFile(*small, path.c_str(), ""));
    auto grid = MakeFormattedGrid();
    ASSERT_EQ(1, SaveExcelFile(*grid, path.c_str(), ""));
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, ""));
    EXPECT_EQ(BuildCompoundFile("Workbook", book.BuildStream()), ReadFile(path));
    EXPECT_TRUE(ReadFile(path + ".kivo-tmp").empty());
    EXPECT_TRUE(ReadFile(path + ".kivo-old").empty());

    // Refused (too many columns) and unwritable (missing folder): the old one stays.
    const std::vector<uint8_t> before = ReadFile(path);
    auto wide = MakeSheet(2, 300, 0, 0);
    EXPECT_EQ(0, SaveExcelFile(*wide, path.c_str(), ""));
    EXPECT_EQ(0, SaveExcelFile(*small, "kivo_no_such_folder/x.xls", ""));
    EXPECT_EQ(before, ReadFile(path));
    std::remove(path.c_str());
}

// Pinned on the native build; the Windows build must write the same bytes.
TEST(GridXlsExport, EveryBuildWritesTheSameBytes)
{
    auto grid = MakeFormattedGrid();
    XlsWorkbook book;
    ASSERT_TRUE(BuildGridWorkbook(*grid, book, ""));
    XlsBytes stream = book.BuildStream();
    std::vector<uint8_t> file = BuildCompoundFile("Workbook", stream);
    EXPECT_EQ(2230u, stream.size());
    EXPECT_EQ(0x9091c551c626d8d0ull, Fnv1a(stream));
    EXPECT_EQ(4608u, file.size());
    EXPECT_EQ(0x953c7e85a2772710ull, Fnv1a(file));
}

}  // namespace
