// The two forms of a copied range: the private stream (golden bytes, paste
// kinds, blocks, sizes, truncated and hostile streams) and tab-separated
// text pasted into the grid.
#include "GridTestUtil.h"
#include "RecordBytes.h"
#include "StandInCells.h"

#include "grid/GridClipStream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using gridtest::ByteBuilder;
using gridtest::Bytes;
using gridtest::MakeSheet;
using gridtest::SetText;
using gridtest::Text;

namespace {

const CGridCellRange kNone;

Bytes Stream(CGridCtrl& grid, int r1, int c1, int r2, int c2)
{
    std::vector<BYTE> bytes;
    const int length = grid.WriteClipRecords(r1, c1, r2, c2, bytes);
    EXPECT_EQ(static_cast<int>(bytes.size()), length);
    return Bytes(bytes.begin(), bytes.end());
}

CGridCellRange Paste(CGridCtrl& grid, int row, int col, const Bytes& bytes)
{
    return grid.PasteClipRecords(row, col, bytes.data(), static_cast<UINT>(bytes.size()));
}

// Everything a paste could change, as text.
std::string Snapshot(CGridCtrl& grid)
{
    std::ostringstream out;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        out << grid.GetRowHeight(row) << ":";
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            CGridCellBase* cell = grid.GetCell(row, col);
            const CGridCellRange m = cell->GetMergeRange();
            out << cell->GetRuntimeClass()->m_lpszClassName << "'" << Text(grid, row, col) << "'" << cell->GetState()
                << "/" << cell->GetBackColor() << "/" << cell->GetBorderMask() << "/" << m.GetMinRow() << ","
                << m.GetMinCol() << "," << m.GetMaxRow() << "," << m.GetMaxCol() << " ";
        }
        out << "\n";
    }
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        out << grid.GetColumnWidth(col) << " ";
    out << "owners " << grid.GetMergeOwners().size() << " selected " << grid.GetSelectedCount();
    return out.str();
}

// The record of a plain cell holding only a text: declared size 4 + 0 + items
// + 4, then the empty base level (its size word 0 and end tag), the text item
// and the end tag, so 8 bytes more follow than the size declares.
Bytes TextRecord(const std::string& text)
{
    const int items = 8 + static_cast<int>(text.size()) + 1;
    return ByteBuilder()
        .Int(items + 8)
        .Ints({0, 1999})
        .Ints({2010, static_cast<int>(text.size()) + 1})
        .Text(text)
        .Int(2999)
        .Get();
}

TEST(GridClipStream, GoldenTwoPlainCellsWithoutSizes)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    SetText(*grid, 1, 1, "a");
    SetText(*grid, 1, 2, "b");
    const Bytes expected = ByteBuilder()
                               .Ints({0, 1, 1, 18})
                               .Raw(TextRecord("a"))
                               .Ints({0, 1, 2, 18})
                               .Raw(TextRecord("b"))
                               .Ints({1024, 2051, 2051, 2051, 2112})
                               .Get();
    EXPECT_EQ(expected, Stream(*grid, 1, 1, 1, 2));
    EXPECT_EQ(26u, TextRecord("a").size());
}

TEST(GridClipStream, GoldenOneCellWithBothSizes)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    SetText(*grid, 2, 2, "xy");
    grid->SetColumnWidth(2, 80);
    grid->SetRowHeight(2, 30);
    grid->SetClipSizeOption(3);
    const Bytes expected = ByteBuilder()
                               .Ints({0, 2, 2, 19})
                               .Raw(TextRecord("xy"))
                               .Ints({1024, 2048})
                               .Ints({2049, 0, 2, 80, 1})
                               .Ints({2050, 0, 2, 30, 1})
                               .Int(2112)
                               .Get();
    EXPECT_EQ(expected, Stream(*grid, 2, 2, 2, 2));
}

TEST(GridClipStream, GoldenOneColumnRange)
{
    // Row 0 is fixed and left out; an empty cell has size 0 and no record.
    auto grid = MakeSheet(4, 4, 1, 1);
    SetText(*grid, 2, 3, "x");
    grid->SetColumnWidth(3, 55);
    grid->SetClipSizeOption(2);
    const Bytes expected = ByteBuilder()
                               .Ints({0, 1, 3, 0})
                               .Ints({0, 2, 3, 18})
                               .Raw(TextRecord("x"))
                               .Ints({1024, 2048})
                               .Ints({2049, 0, 3, 55, 1})
                               .Int(2051)
                               .Int(2112)
                               .Get();
    EXPECT_EQ(expected, Stream(*grid, 0, 3, 2, 3));
    // Heights only: the column count of the height section is rows - 1.
    grid->SetClipSizeOption(1);
    const Bytes heights = Stream(*grid, 0, 3, 2, 3);
    const Bytes tail = ByteBuilder()
                           .Ints({1024, 2048, 2051, 2050, 2})
                           .Ints({0, grid->GetRowHeight(0), 1, 1, grid->GetRowHeight(1), 1, 2, grid->GetRowHeight(2), 1})
                           .Int(2112)
                           .Get();
    ASSERT_GE(heights.size(), tail.size());
    EXPECT_EQ(tail, Bytes(heights.end() - static_cast<long>(tail.size()), heights.end()));
    std::vector<BYTE> bytes{1, 2, 3};
    EXPECT_EQ(0, grid->WriteClipRecords(2, 2, 1, 1, bytes));
    EXPECT_TRUE(bytes.empty());
}

// A stream that holds sizes but no cell (a range of fixed cells) pastes
// nothing: no width or height changes either.
TEST(GridClipStream, AStreamWithoutCellsChangesNothing)
{
    auto source = MakeSheet(4, 4, 1, 1);
    source->SetColumnWidth(3, 55);
    source->SetRowHeight(0, 40);
    source->SetClipSizeOption(3);
    const Bytes bytes = Stream(*source, 0, 3, 0, 3);
    auto target = MakeSheet(4, 4, 1, 1);
    const std::string before = Snapshot(*target);
    EXPECT_EQ(kNone, Paste(*target, 2, 2, bytes));
    EXPECT_EQ(before, Snapshot(*target));
}

// A range copied from one grid and pasted into another at a different place:
// content, format, borders and blocks arrive, every pasted cell selected.
TEST(GridClipStream, RoundTripIntoAnotherGrid)
{
    auto source = MakeSheet(8, 8, 1, 1);
    SetText(*source, 2, 2, "text");
    source->SetCellValue(2, 3, 12.5);
    source->SetCellBackColor(3, 2, RGB(10, 20, 30));
    source->SetCellTextFormat(3, 3, "<format type=\"1\"/>");
    source->SetCellBorder(3, 3, CBF_RIGHT, 0, RGB(200, 0, 0), 2);
    SetText(*source, 4, 2, "block");
    source->MergeCells(4, 2, 5, 3);
    source->SetClipSizeOption(3);
    source->SetColumnWidth(3, 91);
    source->SetRowHeight(5, 44);
    const Bytes bytes = Stream(*source, 2, 2, 5, 3);

    auto target = MakeSheet(10, 10, 1, 1);
    target->MergeCells(6, 5, 7, 6);          // an old block under the paste goes
    const CGridCellRange pasted = Paste(*target, 4, 4, bytes);
    EXPECT_EQ(CGridCellRange(4, 4, 7, 5), pasted);
    EXPECT_EQ("text", Text(*target, 4, 4));
    EXPECT_EQ(12.5, target->GetCellValue(4, 5));
    EXPECT_EQ(RGB(10, 20, 30), target->GetCellBackColor(5, 4));
    EXPECT_EQ(CString("<format type=\"1\"/>"), target->GetCellTextFormat(5, 5));
    EXPECT_EQ(static_cast<int>(CBF_RIGHT), target->GetCellBorderFlags(5, 5));
    EXPECT_NE(0, target->GetCellBorderFlags(5, 6) & CBF_LEFT);      // the neighbour's facing side
    EXPECT_EQ("block", Text(*target, 6, 4));
    for (int row = 6; row <= 7; ++row) {
        for (int col = 4; col <= 5; ++col) {
            EXPECT_EQ(CGridCellRange(6, 4, 7, 5), target->GetCell(row, col)->GetMergeRange()) << row << col;
            EXPECT_EQ(CGridCellPos(6, 4), target->GetCell(row, col)->GetMergeOwner());
        }
    }
    EXPECT_FALSE(target->GetCell(6, 6)->IsMerged());              // the old block was dissolved
    ASSERT_EQ(1, target->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(6, 4), target->GetMergeOwners()[0]);
    EXPECT_EQ(8, target->GetSelectedCount());
    for (int row = 4; row <= 7; ++row)
        for (int col = 4; col <= 5; ++col)
            EXPECT_TRUE(target->IsCellSelected(row, col));
    EXPECT_EQ(91, target->GetColumnWidth(5));
    EXPECT_EQ(44, target->GetRowHeight(7));
    EXPECT_TRUE(target->GetModified());
}

TEST(GridClipStream, PasteKinds)
{
    auto grid = MakeSheet(4, 8, 1, 1);
    SetText(*grid, 1, 1, "old");
    grid->SetCellBackColor(1, 2, RGB(1, 1, 1));
    grid->SetSelectedRange(1, 1, 1, 6);
    const Bytes stream = ByteBuilder()
                             .Ints({7, 5, 5, 40})                   // a tree cell: no record follows
                             .Ints({20, 5, 6, 8}).Ints({77, 88})    // an unknown kind: 8 bytes dropped
                             .Ints({8, 5, 7, 4}).Int(5)             // a kind without a class
                             .Ints({-3, 5, 8, 0})
                             .Ints({0, 5, 9, 18}).Raw(TextRecord("z"))
                             .Ints({1024, 2051, 2051, 2051, 2112})
                             .Get();
    EXPECT_EQ(CGridCellRange(1, 1, 1, 5), Paste(*grid, 1, 1, stream));
    for (int col = 1; col <= 4; ++col) {
        EXPECT_EQ(RUNTIME_CLASS(CGridCell), grid->GetCell(1, col)->GetRuntimeClass()) << col;
        EXPECT_EQ("", Text(*grid, 1, col)) << col;
        EXPECT_FALSE(grid->IsCellSelected(1, col)) << col;
        EXPECT_FALSE(grid->GetCell(1, col)->IsSelected()) << col;
    }
    EXPECT_NE(RGB(1, 1, 1), grid->GetCellBackColor(1, 2));
    EXPECT_EQ("z", Text(*grid, 1, 5));
    EXPECT_TRUE(grid->IsCellSelected(1, 5));
    EXPECT_TRUE(grid->IsCellSelected(1, 6));          // outside the paste: untouched
}

TEST(GridClipStream, TypedCellsKeepTheirClassAndFormatsOnlyEmptiesTexts)
{
    gridtest::ScopedStandIn<GCT_CHECKBOX> check;
    auto source = MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(source->SetCellType(1, 1, GCT_CHECKBOX));
    SetText(*source, 1, 1, "ticked");
    SetText(*source, 1, 2, "plain");
    source->SetCellBackColor(1, 2, RGB(4, 5, 6));
    const Bytes bytes = Stream(*source, 1, 1, 1, 2);

    auto target = MakeSheet(4, 4, 1, 1);
    EXPECT_EQ(CGridCellRange(2, 1, 2, 2), Paste(*target, 2, 1, bytes));
    EXPECT_EQ(GCT_CHECKBOX, target->GetCellType(2, 1));
    EXPECT_EQ("ticked", Text(*target, 2, 1));

    target->SetPasteFlags(2);
    EXPECT_EQ(CGridCellRange(3, 1, 3, 2), Paste(*target, 3, 1, bytes));
    EXPECT_EQ(GCT_CHECKBOX, target->GetCellType(3, 1));
    EXPECT_EQ("", Text(*target, 3, 1));
    EXPECT_EQ("", Text(*target, 3, 2));
    EXPECT_EQ(RGB(4, 5, 6), target->GetCellBackColor(3, 2));
}

// Cells that land beyond the grid's edge are passed over record by record:
// the cells inside are pasted and the size sections still read; a block is
// cut at the edge.
TEST(GridClipStream, CutAtTheGridsEdge)
{
    auto source = MakeSheet(6, 8, 1, 1);
    for (int col = 1; col <= 4; ++col)
        SetText(*source, 1, col, std::string(1, static_cast<char>('a' + col - 1)).c_str());
    SetText(*source, 2, 1, "own");
    source->MergeCells(2, 1, 3, 4);
    source->SetClipSizeOption(2);
    for (int col = 1; col <= 4; ++col)
        source->SetColumnWidth(col, 60 + col);
    const Bytes bytes = Stream(*source, 1, 1, 3, 4);

    auto target = MakeSheet(3, 5, 1, 1);          // rows 1..2, columns 1..4
    EXPECT_EQ(CGridCellRange(1, 3, 2, 4), Paste(*target, 1, 3, bytes));
    EXPECT_EQ("a", Text(*target, 1, 3));
    EXPECT_EQ("b", Text(*target, 1, 4));
    EXPECT_EQ("own", Text(*target, 2, 3));
    EXPECT_EQ(CGridCellRange(2, 3, 2, 4), target->GetCell(2, 4)->GetMergeRange());
    EXPECT_TRUE(target->GetCell(2, 3)->IsMergeOwnerCell());
    EXPECT_EQ(61, target->GetColumnWidth(3));
    EXPECT_EQ(62, target->GetColumnWidth(4));
    ASSERT_EQ(1, target->GetMergeOwners().size());

    // A block cut to one cell is no block.
    auto narrow = MakeSheet(4, 4, 1, 1);
    EXPECT_EQ(CGridCellRange(3, 3, 3, 3), Paste(*narrow, 3, 3, Stream(*source, 2, 1, 3, 4)));
    EXPECT_FALSE(narrow->GetCell(3, 3)->IsMerged());
    EXPECT_FALSE(narrow->GetCell(3, 3)->HasMergeOwner());
    EXPECT_TRUE(narrow->GetMergeOwners().empty());
}

// Cells of a block whose owner the stream does not hold join no block.
TEST(GridClipStream, BlockCellsWithoutTheirOwnerArePlain)
{
    auto source = MakeSheet(6, 6, 1, 1);
    source->MergeCells(1, 1, 2, 3);
    auto target = MakeSheet(6, 6, 1, 1);
    EXPECT_EQ(CGridCellRange(1, 1, 2, 2), Paste(*target, 1, 1, Stream(*source, 1, 2, 2, 3)));
    for (int row = 1; row <= 2; ++row)
        for (int col = 1; col <= 2; ++col)
            EXPECT_FALSE(target->GetCell(row, col)->HasMergeOwner()) << row << col;
    EXPECT_TRUE(target->GetMergeOwners().empty());
}

class ClipStreamHostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto source = MakeSheet(6, 6, 1, 1);
        SetText(*source, 1, 1, "first");
        source->SetCellValue(1, 2, 3.25);
        source->SetCellBorder(2, 1, CBF_EDGES, 0, RGB(1, 2, 3), 1);
        SetText(*source, 2, 2, "中文");
        source->MergeCells(3, 1, 3, 2);
        source->SetClipSizeOption(3);
        valid = Stream(*source, 1, 1, 3, 2);

        grid = MakeSheet(6, 6, 1, 1);
        SetText(*grid, 2, 2, "keep");
        grid->MergeCells(4, 3, 5, 4);
        grid->SetSelectedRange(1, 1, 1, 1);
        before = Snapshot(*grid);
    }

    // Pastes nothing and leaves the grid as it was.
    void ExpectRefused(const Bytes& bytes, const std::string& label)
    {
        EXPECT_EQ(kNone, Paste(*grid, 2, 2, bytes)) << label;
        EXPECT_EQ(before, Snapshot(*grid)) << label;
    }

    Bytes valid;
    std::unique_ptr<CGridCtrl> grid;
    std::string before;
};

TEST_F(ClipStreamHostile, EveryTruncationPastesNothing)
{
    for (size_t length = 1; length < valid.size(); ++length)
        ExpectRefused(Bytes(valid.begin(), valid.begin() + static_cast<long>(length)), std::to_string(length));
    EXPECT_EQ(kNone, grid->PasteClipRecords(2, 2, nullptr, 10));
    EXPECT_EQ(kNone, grid->PasteClipRecords(2, 2, valid.data(), 0));
    EXPECT_EQ(kNone, grid->PasteClipRecords(9, 2, valid.data(), static_cast<UINT>(valid.size())));
    EXPECT_EQ(before, Snapshot(*grid));
    // The whole stream, and one with bytes after its end, paste.
    Bytes padded = valid;
    padded.push_back(0);
    EXPECT_EQ(CGridCellRange(2, 2, 4, 3), Paste(*grid, 2, 2, padded));
}

TEST_F(ClipStreamHostile, MalformedStreamsPasteNothing)
{
    const Bytes cell = ByteBuilder().Ints({0, 1, 1, 18}).Raw(TextRecord("a")).Get();
    struct Case {
        const char* label;
        Bytes bytes;
    } cases[] = {
        {"negative size", ByteBuilder().Ints({0, 1, 1, -4}).Ints({1024, 2051, 2051, 2051, 2112}).Get()},
        {"size past the end", ByteBuilder().Ints({20, 1, 1, 1000}).Ints({1024, 2051, 2051, 2051, 2112}).Get()},
        {"record size too small", ByteBuilder().Ints({0, 1, 1, 18}).Ints({40, 0, 1999, 2010, 100}).Text("a")
                                      .Ints({1024, 2051, 2051, 2051, 2112}).Get()},
        {"end of cells wrong", ByteBuilder().Raw(cell).Ints({1025, 2051, 2051, 2051, 2112}).Get()},
        {"no sizes marker", ByteBuilder().Raw(cell).Ints({1024, 7}).Get()},
        {"widths count negative", ByteBuilder().Raw(cell).Ints({1024, 2048, 2049, -1, 2051, 2112}).Get()},
        {"widths count too large", ByteBuilder().Raw(cell).Ints({1024, 2048, 2049, 0x7FFFFFFF, 1, 50, 1}).Get()},
        {"widths entries short", ByteBuilder().Raw(cell).Ints({1024, 2048, 2049, 1, 1, 50, 1, 2051, 2112}).Get()},
        {"heights before widths", ByteBuilder().Raw(cell).Ints({1024, 2048, 2050, 0, 1, 20, 1, 2049, 0, 1, 50, 1, 2112})
                                      .Get()},
        {"missing end", ByteBuilder().Raw(cell).Ints({1024, 2051, 2051, 2051}).Get()},
        {"wrong end", ByteBuilder().Raw(cell).Ints({1024, 2051, 2051, 2051, 2111}).Get()},
        {"no sections but 2051 once", ByteBuilder().Raw(cell).Ints({1024, 2051, 2112}).Get()},
        {"only a kind", ByteBuilder().Int(0).Get()},
    };
    for (const Case& c : cases)
        ExpectRefused(c.bytes, c.label);
}

// Many records for the one position keep one cell, the last.
TEST(GridClipStream, RepeatedPositionKeepsTheLastRecord)
{
    ByteBuilder builder;
    for (int i = 0; i < 50; ++i)
        builder.Ints({0, 1, 1, 18}).Raw(TextRecord(std::string(1, static_cast<char>('a' + i % 26))));
    builder.Ints({1024, 2051, 2051, 2051, 2112});
    auto grid = MakeSheet(3, 3, 1, 1);
    EXPECT_EQ(CGridCellRange(1, 1, 1, 1), Paste(*grid, 1, 1, builder.Get()));
    EXPECT_EQ("x", Text(*grid, 1, 1));    // the 50th letter, counted round the alphabet
}

TEST(GridClipText, PasteTable)
{
    struct Case {
        const char* text;
        CGridCellRange result;
        std::vector<std::string> row1;   // columns 1..4 of rows 1 and 2 afterwards
        std::vector<std::string> row2;
    } cases[] = {
        {"a\tb\nc\td", CGridCellRange(1, 1, 2, 2), {"a", "b", "", ""}, {"c", "d", "", ""}},
        {"a\tb\n", CGridCellRange(1, 1, 1, 2), {"a", "b", "", ""}, {"", "", "", ""}},          // one trailing break
        {"a\r\nb\r\n", CGridCellRange(1, 1, 2, 1), {"a", "", "", ""}, {"b", "", "", ""}},
        {"a\n\n", CGridCellRange(1, 1, 2, 1), {"a", "", "", ""}, {"", "", "", ""}},            // only one ignored
        {"  x \t\ty  ", CGridCellRange(1, 1, 1, 3), {"x", "", "y", ""}, {"", "", "", ""}},
        {"中文\t表格", CGridCellRange(1, 1, 1, 2), {"中文", "表格", "", ""}, {"", "", "", ""}},
        {"1\t2\t3\t4\t5\t6", CGridCellRange(1, 1, 1, 4), {"1", "2", "3", "4"}, {"", "", "", ""}}, // cut at the edge
        {"", CGridCellRange(1, 1, -1, -1), {"", "", "", ""}, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(3, 5, 1, 1);
        grid->SetSelectedRange(1, 1, 2, 4);
        EXPECT_EQ(c.result, grid->PasteTextAtCell(1, 1, c.text)) << c.text;
        std::vector<std::string> row1, row2;
        for (int col = 1; col <= 4; ++col) {
            row1.push_back(Text(*grid, 1, col));
            row2.push_back(Text(*grid, 2, col));
        }
        EXPECT_EQ(c.row1, row1) << c.text;
        EXPECT_EQ(c.row2, row2) << c.text;
        // Cells written lose the selected mark; the others keep it.
        if (c.result.GetMaxRow() >= 0) {
            EXPECT_FALSE(grid->IsCellSelected(1, 1)) << c.text;
            EXPECT_FALSE(grid->GetCell(1, 1)->IsSelected()) << c.text;
        }
        EXPECT_TRUE(grid->IsCellSelected(2, 4)) << c.text;
    }
}

TEST(GridClipText, ReadOnlyCellsKeepTheirText)
{
    auto grid = MakeSheet(3, 4, 1, 1);
    SetText(*grid, 1, 2, "locked");
    grid->SetCellReadOnly(1, 2, TRUE);
    EXPECT_EQ(CGridCellRange(1, 1, 1, 3), grid->PasteTextAtCell(1, 1, "a\tb\tc"));
    EXPECT_EQ("a", Text(*grid, 1, 1));
    EXPECT_EQ("locked", Text(*grid, 1, 2));
    EXPECT_EQ("c", Text(*grid, 1, 3));
    EXPECT_TRUE(grid->GetModified());
    EXPECT_EQ(CGridCellRange(5, 1, -1, -1), grid->PasteTextAtCell(5, 1, "x"));
}

// Text written by GetRangeText pastes back as the same cells.
TEST(GridClipText, RangeTextRoundTrip)
{
    auto source = MakeSheet(4, 4, 1, 1);
    SetText(*source, 1, 1, "一");
    source->SetCellValue(1, 2, 7);
    SetText(*source, 2, 3, "end");
    CString text;
    ASSERT_GT(source->GetRangeText(CGridCellRange(1, 1, 2, 3), text), 0);
    auto target = MakeSheet(5, 5, 1, 1);
    EXPECT_EQ(CGridCellRange(2, 2, 3, 4), target->PasteTextAtCell(2, 2, text));
    EXPECT_EQ("一", Text(*target, 2, 2));
    EXPECT_EQ("7", Text(*target, 2, 3));
    EXPECT_EQ("end", Text(*target, 3, 4));
}

}  // namespace
