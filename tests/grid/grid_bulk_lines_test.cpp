// Rows and columns in bulk: insertion and deletion of many lines at once
// (appends, refusals, renumbered headers, and what follows the lines: merged
// blocks, cell ids, format lists, hidden lines, the shift hooks), clearing
// ranges and the range measures.
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using gridtest::MakeSheet;
using gridtest::SetText;
using gridtest::Text;

namespace {

// Column 0 of every row at or below the fixed rows, as the headers read.
std::vector<std::string> RowHeaders(CGridCtrl& grid)
{
    std::vector<std::string> out;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        out.push_back(Text(grid, row, 0));
    return out;
}

std::vector<std::string> ColumnHeaders(CGridCtrl& grid)
{
    std::vector<std::string> out;
    for (int col = grid.GetFixedColumnCount(); col < grid.GetColumnCount(); ++col)
        out.push_back(Text(grid, 0, col));
    return out;
}

// Marks every data cell with its original row.
void MarkRows(CGridCtrl& grid)
{
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        SetText(grid, row, 1, ("r" + std::to_string(row)).c_str());
}

std::vector<std::string> ColumnTexts(CGridCtrl& grid, int col)
{
    std::vector<std::string> out;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        out.push_back(Text(grid, row, col));
    return out;
}

std::vector<std::string> Numbers(int from, int to)
{
    std::vector<std::string> out;
    for (int n = from; n <= to; ++n)
        out.push_back(std::to_string(n));
    return out;
}

TEST(GridBulkInsert, RowsTable)
{
    struct Case {
        int fixedRows;
        int row;
        int count;
        BOOL after;
        bool ok;
        std::vector<std::string> marks;   // column 1 of the data rows afterwards
    } cases[] = {
        // 1 fixed row, data rows 1..4.
        {1, -1, 3, FALSE, true, {"r1", "r2", "r3", "r4", "", "", ""}},       // -1 appends
        {1, 9, 2, TRUE, true, {"r1", "r2", "r3", "r4", "", ""}},             // beyond the end appends
        {1, 2, 2, FALSE, true, {"r1", "", "", "r2", "r3", "r4"}},
        {1, 2, 2, TRUE, true, {"r1", "r2", "", "", "r3", "r4"}},
        {1, 0, 1, TRUE, true, {"", "r1", "r2", "r3", "r4"}},                 // the first data row
        {1, 4, 1, TRUE, true, {"r1", "r2", "r3", "r4", ""}},                 // after the last
        {1, 0, 1, FALSE, false, {"r1", "r2", "r3", "r4"}},                   // inside the fixed rows
        {1, 2, 0, FALSE, false, {"r1", "r2", "r3", "r4"}},
        {1, -2, 1, FALSE, false, {"r1", "r2", "r3", "r4"}},
        // 2 fixed rows, data rows 2..4.
        {2, 0, 1, FALSE, false, {"r2", "r3", "r4"}},
        {2, 0, 1, TRUE, false, {"r2", "r3", "r4"}},
        {2, 1, 1, FALSE, false, {"r2", "r3", "r4"}},
        {2, 1, 1, TRUE, true, {"", "r2", "r3", "r4"}},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(5, 4, c.fixedRows, 1);
        MarkRows(*grid);
        const std::string label = std::to_string(c.row) + "/" + std::to_string(c.count) + "/" +
                                  std::to_string(c.after) + " fixed " + std::to_string(c.fixedRows);
        EXPECT_EQ(c.ok, grid->InsertRows(c.row, c.count, c.after) != FALSE) << label;
        EXPECT_EQ(c.marks, ColumnTexts(*grid, 1)) << label;
        // Headers numbered from 1 without a gap, whatever was inserted where.
        EXPECT_EQ(Numbers(1, grid->GetRowCount() - c.fixedRows), RowHeaders(*grid)) << label;
        EXPECT_EQ(c.fixedRows, grid->GetFixedRowCount()) << label;
        for (int row = 0; row < grid->GetRowCount(); ++row)
            for (int col = 0; col < grid->GetColumnCount(); ++col)
                ASSERT_NE(nullptr, grid->GetCell(row, col)) << label;
    }
}

TEST(GridBulkInsert, ColumnsTable)
{
    struct Case {
        int col;
        int count;
        BOOL right;
        bool ok;
        std::vector<std::string> marks;   // row 1 of the data columns
    } cases[] = {
        {-1, 2, FALSE, true, {"c1", "c2", "c3", "", ""}},
        {3, 1, TRUE, true, {"c1", "c2", "c3", ""}},
        {2, 2, FALSE, true, {"c1", "", "", "c2", "c3"}},
        {2, 1, TRUE, true, {"c1", "c2", "", "c3"}},
        {1, 1, FALSE, true, {"", "c1", "c2", "c3"}},
        {0, 1, FALSE, false, {"c1", "c2", "c3"}},      // column 0 is refused
        {0, 1, TRUE, false, {"c1", "c2", "c3"}},
        {2, -1, FALSE, false, {"c1", "c2", "c3"}},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(4, 4, 1, 1);
        for (int col = 1; col < 4; ++col)
            SetText(*grid, 1, col, ("c" + std::to_string(col)).c_str());
        grid->SetColumnWidth(2, 99);
        // New columns take the default width even where a neighbour is copied.
        grid->SetColumnInsertFormatMode(GIF_BEFORE);
        const std::string label = std::to_string(c.col) + "/" + std::to_string(c.count);
        EXPECT_EQ(c.ok, grid->InsertColumns(c.col, c.count, c.right) != FALSE) << label;
        std::vector<std::string> marks;
        for (int col = 1; col < grid->GetColumnCount(); ++col)
            marks.push_back(Text(*grid, 1, col));
        EXPECT_EQ(c.marks, marks) << label;
        std::vector<std::string> letters;
        for (int col = 1; col < grid->GetColumnCount(); ++col)
            letters.push_back(CGridCtrl::ColumnToLetters(col).Str());
        EXPECT_EQ(letters, ColumnHeaders(*grid)) << label;
        const int defaultWidth = grid->GetDefaultCell(FALSE, FALSE)->GetWidth();
        for (int col = 1; col < grid->GetColumnCount(); ++col) {
            if (marks[static_cast<size_t>(col - 1)].empty()) {
                EXPECT_EQ(defaultWidth, grid->GetColumnWidth(col)) << label << " col " << col;
            }
        }
    }
    auto fixed = MakeSheet(3, 5, 1, 2);
    EXPECT_FALSE(fixed->InsertColumns(1, 1, TRUE));     // inside the fixed columns
    EXPECT_TRUE(fixed->InsertColumns(2, 1, FALSE));
}

TEST(GridBulkInsert, MergedBlocksFollow)
{
    struct Case {
        int row;
        int count;
        CGridCellRange block;   // the block of rows 3..4, columns 1..2, afterwards
    } cases[] = {
        {2, 2, CGridCellRange(5, 1, 6, 2)},    // before the block: it moves
        {3, 2, CGridCellRange(5, 1, 6, 2)},    // at its first row: it moves
        {4, 2, CGridCellRange(3, 1, 6, 2)},    // inside: it grows
        {5, 2, CGridCellRange(3, 1, 4, 2)},    // below: unchanged
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(8, 4, 1, 1);
        SetText(*grid, 3, 1, "owner");
        grid->MergeCells(3, 1, 4, 2);
        ASSERT_TRUE(grid->InsertRows(c.row, c.count, FALSE));
        const CGridCellPos owner = c.block.GetTopLeft();
        EXPECT_EQ("owner", Text(*grid, owner.row, owner.col)) << c.row;
        for (int row = c.block.GetMinRow(); row <= c.block.GetMaxRow(); ++row) {
            for (int col = 1; col <= 2; ++col) {
                CGridCellBase* cell = grid->GetCell(row, col);
                EXPECT_EQ(c.block, cell->GetMergeRange()) << c.row << " at " << row << "," << col;
                EXPECT_EQ(owner, cell->GetMergeOwner()) << c.row;
                EXPECT_EQ(CGridCellPos(row, col) == owner, cell->IsMergeOwnerCell() != FALSE) << c.row;
            }
        }
        ASSERT_EQ(1, grid->GetMergeOwners().size()) << c.row;
        EXPECT_EQ(owner, grid->GetMergeOwners()[0]) << c.row;
    }

    // Columns: a block of columns 2..3 grows by an insertion at its second column.
    auto grid = MakeSheet(4, 6, 1, 1);
    grid->MergeCells(1, 2, 2, 3);
    ASSERT_TRUE(grid->InsertColumns(3, 2, FALSE));
    EXPECT_EQ(CGridCellRange(1, 2, 2, 5), grid->GetCell(2, 5)->GetMergeRange());
    ASSERT_TRUE(grid->InsertColumns(1, 1, FALSE));
    EXPECT_EQ(CGridCellRange(1, 3, 2, 6), grid->GetCell(1, 3)->GetMergeRange());
    EXPECT_TRUE(grid->GetCell(1, 3)->IsMergeOwnerCell());
}

TEST(GridBulkInsert, IdsFormatListsAndFocusFollow)
{
    auto grid = MakeSheet(8, 6, 1, 1);
    ASSERT_TRUE(grid->SetCellId(5, 2, "total"));
    ASSERT_TRUE(grid->SetCellId(1, 4, "head"));
    grid->AddFormatRow(5);
    grid->AddFormatColumn(4);
    grid->SetFocusCell(6, 4);

    ASSERT_TRUE(grid->InsertRows(3, 4, FALSE));
    int row = -1, col = -1;
    ASSERT_TRUE(grid->FindCellById("total", row, col));
    EXPECT_EQ(CGridCellPos(9, 2), CGridCellPos(row, col));
    EXPECT_EQ(CString("total"), grid->GetCellId(9, 2));
    ASSERT_TRUE(grid->FindCellById("head", row, col));
    EXPECT_EQ(CGridCellPos(1, 4), CGridCellPos(row, col));
    EXPECT_GE(grid->FindFormatRow(9), 0);
    EXPECT_EQ(-1, grid->FindFormatRow(5));
    EXPECT_EQ(CGridCellPos(10, 4), grid->GetFocusCell());

    ASSERT_TRUE(grid->InsertColumns(2, 3, TRUE));   // after column 2: column 4 moves to 7
    EXPECT_GE(grid->FindFormatColumn(7), 0);
    ASSERT_TRUE(grid->FindCellById("head", row, col));
    EXPECT_EQ(CGridCellPos(1, 7), CGridCellPos(row, col));
    ASSERT_TRUE(grid->FindCellById("total", row, col));
    EXPECT_EQ(CGridCellPos(9, 2), CGridCellPos(row, col));
    EXPECT_EQ(CGridCellPos(10, 7), grid->GetFocusCell());

    // Deleting the rows again brings everything back; deleting a named
    // cell's row takes its name out of the table.
    EXPECT_EQ(4, grid->DeleteRows(3, 4));
    ASSERT_TRUE(grid->FindCellById("total", row, col));
    EXPECT_EQ(CGridCellPos(5, 2), CGridCellPos(row, col));
    EXPECT_GE(grid->FindFormatRow(5), 0);
    EXPECT_EQ(CGridCellPos(6, 7), grid->GetFocusCell());
    EXPECT_EQ(2, grid->DeleteRows(4, 2));
    EXPECT_FALSE(grid->FindCellById("total", row, col));
    EXPECT_EQ(1u, grid->GetCellIdTable().size());
    EXPECT_EQ(-1, grid->FindFormatRow(5));
    EXPECT_EQ(CGridCellPos(4, 7), grid->GetFocusCell());   // the row that moved up into its place
}

// A hidden line keeps its place in the hidden list when lines before it are
// inserted or deleted, so showing it gives its size back.
TEST(GridBulkInsert, HiddenLinesFollow)
{
    auto grid = MakeSheet(10, 8, 1, 1);
    grid->SetRowHeight(6, 33);
    grid->SetColumnWidth(5, 77);
    ASSERT_TRUE(grid->SetRowHide(6, TRUE));
    ASSERT_TRUE(grid->SetColumnHide(5, TRUE));

    ASSERT_TRUE(grid->InsertRows(2, 2, FALSE));
    ASSERT_TRUE(grid->InsertColumns(2, 1, FALSE));
    EXPECT_TRUE(grid->IsRowHide(8));
    EXPECT_TRUE(grid->IsColumnHide(6));
    EXPECT_EQ(1, grid->DeleteRows(1, 1));
    EXPECT_TRUE(grid->DeleteRow(1));          // one at a time too
    EXPECT_TRUE(grid->DeleteColumn(1));
    EXPECT_TRUE(grid->IsRowHide(6));
    EXPECT_TRUE(grid->IsColumnHide(5));
    ASSERT_TRUE(grid->SetRowHide(6, FALSE));
    ASSERT_TRUE(grid->SetColumnHide(5, FALSE));
    EXPECT_EQ(33, grid->GetRowHeight(6));
    EXPECT_EQ(77, grid->GetColumnWidth(5));

    // Deleting the hidden line itself forgets it.
    ASSERT_TRUE(grid->SetRowHide(3, TRUE));
    EXPECT_EQ(1, grid->DeleteRows(3, 1));
    GridHiddenLine entry{};
    EXPECT_EQ(-1, grid->FindHiddenRow(3, &entry));
}

// The hooks other parts of the grid fill: called with the first line and the
// signed count, after an insertion and before a deletion.
class HookedGrid : public CGridCtrl {
public:
    struct Call {
        std::string what;
        int first;
        int count;
        int rowsThen;
        int colsThen;
        bool operator==(const Call& o) const
        {
            return std::tie(what, first, count, rowsThen, colsThen) ==
                   std::tie(o.what, o.first, o.count, o.rowsThen, o.colsThen);
        }
    };
    std::vector<Call> calls;

    void ShiftBindingRows(int f, int n) override { calls.push_back({"bind rows", f, n, m_nRows, m_nCols}); }
    void ShiftBindingColumns(int f, int n) override { calls.push_back({"bind cols", f, n, m_nRows, m_nCols}); }
};

void PrintTo(const HookedGrid::Call& c, std::ostream* os)
{
    *os << c.what << "(" << c.first << ", " << c.count << ") at " << c.rowsThen << "x" << c.colsThen;
}

TEST(GridBulkInsert, FollowerHooksSeeFirstLineAndCount)
{
    HookedGrid grid;
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(6);
    grid.SetColumnCount(5);
    ASSERT_TRUE(grid.InsertRows(2, 3, TRUE));
    EXPECT_EQ(3, grid.DeleteRows(3, 3));
    ASSERT_TRUE(grid.InsertColumns(2, 2, FALSE));
    EXPECT_EQ(1, grid.DeleteColumns(4, 1));
    ASSERT_TRUE(grid.InsertRows(-1, 2, FALSE));   // appending moves no line: no shift
    using Call = HookedGrid::Call;
    const std::vector<Call> expected = {
        {"bind rows", 3, 3, 9, 5},       // after the insertion
        {"bind rows", 3, -3, 9, 5},      // before the deletion
        {"bind cols", 2, 2, 6, 7},
        {"bind cols", 4, -1, 6, 7},
    };
    EXPECT_EQ(expected, grid.calls);
}

TEST(GridBulkDelete, RowsAndColumnsInOneStep)
{
    auto grid = MakeSheet(9, 6, 1, 1);
    MarkRows(*grid);
    grid->MergeCells(3, 1, 6, 2);          // rows 3..6: two of its rows go
    EXPECT_EQ(3, grid->DeleteRows(2, 3));
    // The owner's row went: the cell that becomes the owner takes its text.
    EXPECT_EQ((std::vector<std::string>{"r1", "r3", "r6", "r7", "r8"}), ColumnTexts(*grid, 1));
    EXPECT_EQ(Numbers(1, 5), RowHeaders(*grid));
    // The block kept its rows 5 and 6, now rows 2 and 3; its first
    // remaining row holds the owner.
    EXPECT_EQ(CGridCellRange(2, 1, 3, 2), grid->GetCell(3, 2)->GetMergeRange());
    EXPECT_TRUE(grid->GetCell(2, 1)->IsMergeOwnerCell());
    ASSERT_EQ(1, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(2, 1), grid->GetMergeOwners()[0]);

    EXPECT_EQ(0, grid->DeleteRows(6, 1));      // outside
    EXPECT_EQ(0, grid->DeleteRows(2, 0));
    EXPECT_EQ(0, grid->DeleteRows(-1, 2));
    EXPECT_EQ(2, grid->DeleteRows(4, 10));     // cut to what is there
    EXPECT_EQ(4, grid->GetRowCount());

    EXPECT_EQ(2, grid->DeleteColumns(1, 2));   // the block goes with its columns
    EXPECT_TRUE(grid->GetMergeOwners().empty());
    EXPECT_FALSE(grid->GetCell(2, 1)->IsMerged());
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), ColumnHeaders(*grid));
}

// A block cut back to one cell is no block any more.
TEST(GridBulkDelete, ABlockLeftWithOneCellIsDissolved)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->MergeCells(2, 1, 3, 1);
    grid->MergeCells(2, 2, 4, 3);
    EXPECT_EQ(1, grid->DeleteRows(3, 1));
    CGridCellBase* left = grid->GetCell(2, 1);
    EXPECT_FALSE(left->IsMerged());
    EXPECT_FALSE(left->HasMergeOwner());
    EXPECT_FALSE(left->GetMergeRange().IsValid());
    EXPECT_EQ(CGridCellRange(2, 2, 3, 3), grid->GetCell(3, 3)->GetMergeRange());
    ASSERT_EQ(1, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(2, 2), grid->GetMergeOwners()[0]);
}

TEST(GridBulkDelete, FixedLinesDeletedInBulkLowerTheFixedCount)
{
    auto grid = MakeSheet(6, 6, 3, 2);
    EXPECT_EQ(4, grid->DeleteRows(1, 4));
    EXPECT_EQ(1, grid->GetFixedRowCount());
    EXPECT_EQ(2, grid->GetRowCount());
    EXPECT_EQ(3, grid->DeleteColumns(0, 3));
    EXPECT_EQ(0, grid->GetFixedColumnCount());
}

TEST(GridClearRange, KeepsStateButReadOnlyAndTheHeaders)
{
    auto grid = MakeSheet(6, 5, 1, 1);
    SetText(*grid, 2, 2, "text");
    grid->SetCellValue(2, 3, 12.5);
    grid->SetCellBackColor(2, 3, RGB(9, 9, 9));
    grid->SetCellBorder(2, 2, CBF_EDGES, 0, RGB(1, 1, 1), 1);
    grid->SetCellReadOnly(2, 2, TRUE);
    ASSERT_TRUE(grid->SetCellId(2, 3, "keep"));
    grid->SetSelectedRange(2, 2, 2, 3);
    SetText(*grid, 2, 0, "custom");
    SetText(*grid, 0, 2, "");

    CGridCellBase* before = grid->GetCell(2, 2);
    const UINT state = before->GetState();
    ASSERT_TRUE((state & GCS_READONLY) != 0);
    EXPECT_EQ(9, grid->ClearRange(CGridCellRange(0, 0, 2, 2)));
    CGridCellBase* after = grid->GetCell(2, 2);
    EXPECT_EQ(state & ~static_cast<UINT>(GCS_READONLY), after->GetState());
    EXPECT_TRUE(after->IsSelected());
    EXPECT_EQ("", Text(*grid, 2, 2));
    EXPECT_EQ(0u, after->GetBorderMask());
    EXPECT_FALSE(grid->IsCellReadOnly(2, 2));
    EXPECT_EQ("2", Text(*grid, 2, 0));           // header cells written again
    EXPECT_EQ("B", Text(*grid, 0, 2));
    EXPECT_EQ(GRID_HEADER_ALIGN, grid->GetCell(2, 0)->GetAlign());
    EXPECT_EQ("", Text(*grid, 0, 0));            // the corner is no header
    EXPECT_TRUE(grid->GetCell(0, 1)->IsFixed());
    EXPECT_EQ(12.5, grid->GetCellValue(2, 3));   // outside the range

    EXPECT_EQ(1, grid->ClearRange(CGridCellRange(2, 3, 2, 3)));
    EXPECT_EQ(0.0, grid->GetCellValue(2, 3));
    EXPECT_FALSE(grid->GetCell(2, 3)->IsNumber());
    EXPECT_EQ(CString("keep"), grid->GetCellId(2, 3));   // the name stays with the position
    int row = -1, col = -1;
    EXPECT_TRUE(grid->FindCellById("keep", row, col));

    EXPECT_EQ(0, grid->ClearRange(CGridCellRange(2, 2, 1, 1)));
    EXPECT_EQ(0, grid->ClearRange(CGridCellRange(0, 0, 6, 4)));
    EXPECT_EQ(30, grid->ClearAllData());
}

// Clearing part of a block dissolves it: no cell outside the range is left
// naming cells that were replaced.
TEST(GridClearRange, DissolvesTheBlocksItTouches)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    SetText(*grid, 2, 2, "owner");
    grid->MergeCells(2, 2, 3, 4);
    ASSERT_EQ(1, grid->GetMergeOwners().size());
    EXPECT_EQ(1, grid->ClearRange(CGridCellRange(3, 4, 3, 4)));
    for (int row = 2; row <= 3; ++row)
        for (int col = 2; col <= 4; ++col)
            EXPECT_FALSE(grid->GetCell(row, col)->IsMerged()) << row << "," << col;
    EXPECT_TRUE(grid->GetMergeOwners().empty());
    EXPECT_EQ("owner", Text(*grid, 2, 2));      // an owner outside the range keeps its text

    grid->MergeCells(1, 1, 2, 2);
    EXPECT_EQ(4, grid->ClearRange(CGridCellRange(1, 1, 2, 2)));
    EXPECT_TRUE(grid->GetMergeOwners().empty());
    EXPECT_FALSE(grid->GetCell(1, 1)->IsMerged());
}

TEST(GridClearRange, NothingInVirtualMode)
{
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    EXPECT_EQ(0, grid.ClearRange(CGridCellRange(0, 0, 1, 1)));
}

TEST(GridRangeMeasures, SizeSkipsHiddenLines)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    grid->SetColumnWidth(2, 50);
    grid->SetColumnWidth(3, 30);
    grid->SetRowHeight(2, 20);
    grid->SetRowHeight(3, 25);
    grid->SetRowHeight(4, 10);
    struct Case {
        CGridCellRange range;
        LONG cx;
        LONG cy;
    } cases[] = {
        {CGridCellRange(2, 2, 3, 3), 49 + 29, 19 + 24},
        {CGridCellRange(2, 2, 2, 2), 49, 19},
        {CGridCellRange(3, 3, 2, 2), 0, 0},
        {CGridCellRange(2, 2, 6, 3), 0, 0},
        {CGridCellRange(-1, 2, 2, 3), 0, 0},
    };
    for (const Case& c : cases) {
        CSize size(7, 7);
        grid->GetRangeSize(size, c.range);
        EXPECT_EQ(c.cx, size.cx) << c.range.GetMinRow() << "," << c.range.GetMaxRow();
        EXPECT_EQ(c.cy, size.cy) << c.range.GetMinRow() << "," << c.range.GetMaxRow();
    }
    ASSERT_TRUE(grid->SetColumnHide(3, TRUE));
    ASSERT_TRUE(grid->SetRowHide(3, TRUE));
    CSize size;
    grid->GetRangeSize(size, CGridCellRange(2, 2, 4, 3));
    EXPECT_EQ(49, size.cx);
    EXPECT_EQ(19 + 9, size.cy);
}

TEST(GridRangeMeasures, RangeTextBytes)
{
    auto grid = MakeSheet(5, 5, 1, 1);
    SetText(*grid, 1, 1, "a");
    grid->SetCellValue(1, 2, 2.5);
    SetText(*grid, 1, 3, "中文");
    SetText(*grid, 2, 1, "x y");
    SetText(*grid, 3, 1, "owner");
    grid->MergeCells(3, 1, 3, 2);     // the covered cell copies as empty
    struct Case {
        CGridCellRange range;
        std::string text;
    } cases[] = {
        {CGridCellRange(1, 1, 1, 3), "a\t2.5\t中文"},
        {CGridCellRange(1, 1, 2, 2), "a\t2.5\nx y\t"},
        {CGridCellRange(3, 1, 3, 2), "owner\t"},
        {CGridCellRange(4, 4, 4, 4), ""},
        {CGridCellRange(0, 1, 0, 2), "A\tB"},
    };
    for (const Case& c : cases) {
        CString text("junk");
        EXPECT_EQ(static_cast<int>(c.text.size()) + 1, grid->GetRangeText(c.range, text)) << c.text;
        EXPECT_EQ(c.text, text.Str());
    }
    CString text("junk");
    EXPECT_EQ(0, grid->GetRangeText(CGridCellRange(1, 1, 9, 9), text));
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
