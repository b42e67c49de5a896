// Row, column and fixed counts with the header texts the grid writes.
#include "cellcontent/formula/FormulaMessages.h"
#include "grid/GridCell.h"
#include "grid/GridSysColours.h"
#include "grid/RuntimeClass.h"
#include "platform/System.h"

#include "GridTestUtil.h"
#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::Text;

namespace {

TEST(GridCounts, ConstructionDefaults)
{
    CGridCtrl grid(4, 3, 1, 1);
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(3, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ(1, grid.GetFixedColumnCount());
    EXPECT_EQ(CString("4.5.1.2"), grid.GetVersion());
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(CGridCellPos(), grid.GetFocusCell());
    EXPECT_EQ(RUNTIME_CLASS(CGridCell), grid.GetDefaultCellType());
    EXPECT_EQ(GIF_PLAIN, grid.GetRowInsertFormatMode());
    EXPECT_EQ(1, grid.GetDefaultSettingRecord().m_bEditable);
    EXPECT_EQ(0xF5ECEA, grid.GetDefaultSettingRecord().m_crSelColor);
    EXPECT_EQ(0x8824, grid.GetDefaultSettingRecord().m_dwTextAlign);
    EXPECT_EQ(GetDefaultBackColour(), grid.GetDefaultCell(FALSE, FALSE)->GetBackColor());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), grid.GetDefaultCell(TRUE, FALSE)->GetBackColor());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), grid.GetDefaultCell(TRUE, TRUE)->GetBackColor());
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetHeight(), grid.GetRowHeight(row));
    EXPECT_EQ(-1, grid.GetRowHeight(-1));
    EXPECT_EQ(-1, grid.GetColumnWidth(3));
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_TRUE(grid.SetRowHeight(1, 0));
}

TEST(GridCounts, UnchangedCountChangesNothing)
{
    auto grid = MakeSheet(5, 4, 1, 1);
    grid->MarkModified(FALSE);
    CGridCellBase* cell = grid->GetCell(4, 3);
    EXPECT_TRUE(grid->SetRowCount(5));
    EXPECT_TRUE(grid->SetColumnCount(4));
    EXPECT_TRUE(grid->SetFixedRowCount(1));
    EXPECT_FALSE(grid->GetModified());
    EXPECT_EQ(cell, grid->GetCell(4, 3));
    EXPECT_FALSE(grid->SetRowCount(-1));
}

TEST(GridCounts, ShrinkingToNoRowsDropsTheFixedRows)
{
    auto grid = MakeSheet(5, 4, 2, 1);
    EXPECT_TRUE(grid->SetRowCount(0));
    EXPECT_EQ(0, grid->GetFixedRowCount());
    EXPECT_EQ(nullptr, grid->GetCell(0, 0));
    EXPECT_TRUE(grid->SetColumnCount(0));
    EXPECT_EQ(0, grid->GetFixedColumnCount());
}

TEST(GridCounts, HeaderTextsGoWhereTheHeadersAre)
{
    struct Case {
        int fixedRows;
        int fixedCols;
        const char* rowHeader;     // text of (2, 0)
        const char* colHeader;     // text of (0, 2)
    } cases[] = {
        {1, 1, "2", "B"},
        {1, 0, "", "C"},   // no header column: column 0 keeps its data
        {0, 1, "3", ""},   // no header row: row 0 keeps its data
        {0, 0, "", ""},
        {2, 2, "1", "A"},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(6, 5, c.fixedRows, c.fixedCols);
        EXPECT_EQ(c.rowHeader, Text(*grid, 2, 0)) << c.fixedRows << "/" << c.fixedCols;
        EXPECT_EQ(c.colHeader, Text(*grid, 0, 2)) << c.fixedRows << "/" << c.fixedCols;
        if (*c.rowHeader != '\0') {
            EXPECT_EQ(GRID_HEADER_ALIGN, grid->GetCell(2, 0)->GetAlign());
        }
    }
    // The corner cell holds neither.
    auto grid = MakeSheet(6, 5, 1, 1);
    EXPECT_EQ("", Text(*grid, 0, 0));
    EXPECT_EQ("5", Text(*grid, 5, 0));
    EXPECT_EQ("D", Text(*grid, 0, 4));
    // Growing keeps numbering and lettering.
    grid->SetRowCount(8);
    grid->SetColumnCount(30);
    EXPECT_EQ("7", Text(*grid, 7, 0));
    EXPECT_EQ("AC", Text(*grid, 0, 29));
}

TEST(GridCounts, RaisingTheFixedRowsClearsTheGridsOwnNumbers)
{
    auto grid = MakeSheet(6, 3, 1, 1);
    ASSERT_EQ("1", Text(*grid, 1, 0));
    gridtest::SetText(*grid, 1, 1, "kept");
    ASSERT_TRUE(grid->SetFixedRowCount(2));
    EXPECT_EQ(2, grid->GetFixedRowCount());
    EXPECT_EQ("", Text(*grid, 1, 0));
    EXPECT_EQ("kept", Text(*grid, 1, 1));
    EXPECT_EQ("1", Text(*grid, 2, 0));           // data rows renumbered
    EXPECT_EQ("4", Text(*grid, 5, 0));
    EXPECT_EQ(static_cast<UINT>(GCS_FIXED | GCS_FIXEDROW), grid->GetCell(1, 1)->GetState() & 0x70);

    // A header text of the user's own stays.
    auto named = MakeSheet(6, 3, 1, 1);
    gridtest::SetText(*named, 1, 0, "Total");
    named->SetFixedRowCount(2);
    EXPECT_EQ("Total", Text(*named, 1, 0));
}

TEST(GridCounts, RaisingTheFixedColumnsClearsOnlyTheGridsOwnLetters)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"A", ""},         // the letter the grid wrote there
        {"NAME", "NAME"},  // capitals of the user's own
        {"B", "B"},
        {"", ""},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(4, 5, 1, 1);
        gridtest::SetText(*grid, 0, 1, c.before);
        ASSERT_TRUE(grid->SetFixedColumnCount(2));
        EXPECT_EQ(c.after, Text(*grid, 0, 1)) << c.before;
        EXPECT_EQ("A", Text(*grid, 0, 2)) << c.before;    // data columns relettered
        EXPECT_EQ("C", Text(*grid, 0, 4)) << c.before;
    }
}

TEST(GridCounts, NewFixedColumnsGetTheirStateAndDefaultColours)
{
    auto grid = MakeSheet(4, 5, 1, 1);
    CGridCell* cell = static_cast<CGridCell*>(grid->GetCell(2, 1));
    cell->SetBackColor(RGB(9, 9, 9));
    cell->SetTextColor(RGB(8, 8, 8));
    grid->SetFixedColumnCount(2);
    EXPECT_EQ(static_cast<UINT>(GCS_FIXED | GCS_FIXEDCOL), cell->GetState() & 0x70);
    EXPECT_FALSE(cell->HasOwnBackColor());
    EXPECT_FALSE(cell->HasOwnTextColor());
    EXPECT_EQ(grid->GetDefaultCell(FALSE, TRUE)->GetWidth() / 2, grid->GetColumnWidth(0));
}

TEST(GridCounts, LoweringTheFixedRowsRemovesHeaderRows)
{
    auto grid = MakeSheet(7, 3, 3, 1);
    gridtest::SetText(*grid, 0, 1, "h0");
    gridtest::SetText(*grid, 1, 1, "h1");
    gridtest::SetText(*grid, 2, 1, "h2");
    ASSERT_TRUE(grid->SetFixedRowCount(1));
    EXPECT_EQ(1, grid->GetFixedRowCount());
    EXPECT_EQ(5, grid->GetRowCount());
    EXPECT_EQ("h2", Text(*grid, 0, 1));
    EXPECT_TRUE(grid->GetCell(0, 1)->IsFixedRow());
    EXPECT_FALSE(grid->GetCell(1, 1)->IsFixedRow());
    EXPECT_EQ("1", Text(*grid, 1, 0));
    EXPECT_EQ("4", Text(*grid, 4, 0));

    auto cols = MakeSheet(3, 6, 1, 2);
    gridtest::SetText(*cols, 1, 1, "c1");
    ASSERT_TRUE(cols->SetFixedColumnCount(1));
    EXPECT_EQ(5, cols->GetColumnCount());
    EXPECT_EQ("c1", Text(*cols, 1, 0));
    EXPECT_TRUE(cols->GetCell(1, 0)->IsFixedCol());
    EXPECT_EQ("A", Text(*cols, 0, 1));
}

TEST(GridCounts, RaisingTheFixedCountBeyondTheGridGrowsIt)
{
    CGridCtrl grid;
    ASSERT_TRUE(grid.SetColumnCount(2));
    ASSERT_TRUE(grid.SetFixedRowCount(3));
    EXPECT_EQ(3, grid.GetRowCount());
    for (int col = 0; col < 2; ++col)
        EXPECT_TRUE(grid.GetCell(2, col)->IsFixedRow());
}

TEST(GridCounts, NewRowsTakeTheAlternateColours)
{
    auto grid = MakeSheet(1, 3, 1, 1);
    grid->SetRowOddBkColor(RGB(255, 0, 0));
    grid->SetRowCount(5);
    EXPECT_EQ(RGB(255, 0, 0), grid->GetCell(1, 1)->GetBackColor());
    EXPECT_EQ(RGB(255, 0, 0), grid->GetCell(3, 2)->GetBackColor());
    EXPECT_EQ(GetDefaultBackColour(), grid->GetCell(2, 1)->GetBackColor());
    grid->SetRowEvenBkColor(RGB(0, 0, 255));
    grid->SetRowCount(7);
    EXPECT_EQ(RGB(0, 0, 255), grid->GetCell(6, 1)->GetBackColor());
    EXPECT_EQ(GetDefaultBackColour(), grid->GetCell(4, 1)->GetBackColor());
}

// A cell class whose construction runs out of memory after a number of
// cells, as a sheet growing past what the process can hold does.
class CRationedCell : public CGridCell {
public:
    static int& Left()
    {
        static int left = 0;
        return left;
    }
    static CObject* Create()
    {
        if (Left()-- <= 0)
            throw std::bad_alloc();
        return new CRationedCell;
    }
    static const CRuntimeClass* Record()
    {
        static const CRuntimeClass record = {"CRationedCell", static_cast<int>(sizeof(CRationedCell)), 0xFFFF,
                                             &Create, RUNTIME_CLASS(CGridCell)};
        return &record;
    }
};

// What a test compares before and after a failed change: every line's size,
// every cell's text and that every cell is there.
std::vector<std::string> Snapshot(CGridCtrl& grid)
{
    std::vector<std::string> out;
    out.push_back(std::to_string(grid.GetRowCount()) + "x" + std::to_string(grid.GetColumnCount()) + " fixed " +
                  std::to_string(grid.GetFixedRowCount()) + "," + std::to_string(grid.GetFixedColumnCount()));
    for (int row = 0; row <= grid.GetRowCount(); ++row)
        out.push_back("h" + std::to_string(grid.GetRowHeight(row)));
    for (int col = 0; col <= grid.GetColumnCount(); ++col)
        out.push_back("w" + std::to_string(grid.GetColumnWidth(col)));
    for (int row = 0; row <= grid.GetRowCount(); ++row)
        for (int col = 0; col <= grid.GetColumnCount(); ++col)
            out.push_back(grid.GetCell(row, col) == nullptr ? "-" : Text(grid, row, col));
    return out;
}

// Growing a count that runs out of memory answers FALSE and leaves the sheet
// as it was: no half-grown count, no lines without cells, no longer size lists.
TEST(GridCounts, AGrowingCountThatRunsOutOfMemoryChangesNothing)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->SetCellText(2, 2, "kept");
    grid->SetRowHeight(3, 40);
    const std::vector<std::string> before = Snapshot(*grid);
    grid->SetDefaultCellType(CRationedCell::Record());
    const struct {
        bool rows;
        int count;
        int cellsLeft;
    } cases[] = {
        {true, 30, 0}, {true, 30, 7}, {true, 30, 90}, {true, 7, 3},   // 30 rows need 96 cells
        {false, 12, 0}, {false, 12, 5}, {false, 12, 40}, {false, 5, 5},
    };
    for (const auto& c : cases) {
        CRationedCell::Left() = c.cellsLeft;
        EXPECT_FALSE(c.rows ? grid->SetRowCount(c.count) : grid->SetColumnCount(c.count))
            << (c.rows ? "rows " : "columns ") << c.count << " with cells for " << c.cellsLeft;
        EXPECT_EQ(before, Snapshot(*grid)) << (c.rows ? "rows " : "columns ") << c.count;
    }
    // With memory enough the same change succeeds.
    CRationedCell::Left() = 1000;
    EXPECT_TRUE(grid->SetRowCount(30));
    EXPECT_TRUE(grid->SetColumnCount(12));
    EXPECT_NE(nullptr, grid->GetCell(29, 11));
    EXPECT_EQ("29", Text(*grid, 29, 0));
    EXPECT_EQ("K", Text(*grid, 0, 11));
    EXPECT_EQ("kept", Text(*grid, 2, 2));
}

// Counts are bounded: a count above the bound, or a change that would pass it,
// is refused before anything is allocated.
TEST(GridCounts, CountsAboveTheirBoundsAreRefusedAtOnce)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->SetCellText(2, 2, "kept");
    const std::vector<std::string> before = Snapshot(*grid);
    EXPECT_FALSE(grid->SetColumnCount(INT_MAX));
    EXPECT_FALSE(grid->SetColumnCount(GRID_MAX_COLUMNS + 1));
    EXPECT_FALSE(grid->SetRowCount(INT_MAX));
    EXPECT_FALSE(grid->SetRowCount(GRID_MAX_ROWS + 1));
    EXPECT_FALSE(grid->SetFixedColumnCount(INT_MAX));
    EXPECT_FALSE(grid->SetFixedRowCount(INT_MAX));
    EXPECT_FALSE(grid->ColumnsToFixed(INT_MAX));
    EXPECT_FALSE(grid->ColumnsToFixed(INT_MAX - 1));
    EXPECT_FALSE(grid->InsertColumns(2, GRID_MAX_COLUMNS, FALSE));
    EXPECT_FALSE(grid->InsertRows(2, GRID_MAX_ROWS, FALSE));
    EXPECT_FALSE(grid->InsertColumns(-1, INT_MAX - 4, FALSE));
    EXPECT_EQ(before, Snapshot(*grid));

    // The bound itself is a count like any other.
    CGridCtrl wide;
    ASSERT_TRUE(wide.SetRowCount(2));
    EXPECT_TRUE(wide.SetColumnCount(GRID_MAX_COLUMNS));
    EXPECT_EQ(GRID_MAX_COLUMNS, wide.GetColumnCount());
    EXPECT_FALSE(wide.InsertColumns(-1, 1, FALSE));
    EXPECT_EQ(GRID_MAX_COLUMNS, wide.GetColumnCount());
}

TEST(GridCounts, FocusFollowsShrinking)
{
    auto grid = MakeSheet(8, 6, 1, 1);
    grid->SetFocusCell(6, 4);
    ASSERT_EQ(CGridCellPos(6, 4), grid->GetFocusCell());
    EXPECT_TRUE(grid->GetCell(6, 4)->IsFocused());
    grid->SetRowCount(4);
    EXPECT_EQ(CGridCellPos(3, 4), grid->GetFocusCell());
    EXPECT_TRUE(grid->GetCell(3, 4)->IsFocused());
    grid->SetColumnCount(3);
    EXPECT_EQ(CGridCellPos(3, 2), grid->GetFocusCell());
    EXPECT_EQ(1, grid->GetSelectedCount());
    // Focus never rests in the headers.
    grid->SetFocusCell(0, 0);
    EXPECT_EQ(CGridCellPos(1, 1), grid->GetFocusCell());
}

TEST(GridCounts, ShrinkingCutsMergedBlocksBack)
{
    auto grid = MakeSheet(8, 5, 1, 1);
    auto merge = [&](int r1, int c1, int r2, int c2) {
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                CGridCellBase* cell = grid->GetCell(r, c);
                cell->SetMergeRange(CGridCellRange(r1, c1, r2, c2));
                cell->SetMergeOwner(r1, c1);
                cell->SetMergeOwnerCell(r == r1 && c == c1);
            }
        }
        grid->AddMergeOwner(CGridCellPos(r1, c1));
    };
    merge(2, 1, 6, 2);
    merge(6, 3, 7, 4);
    grid->SetRowCount(5);
    EXPECT_EQ(CGridCellRange(2, 1, 4, 2), grid->GetCell(4, 2)->GetMergeRange());
    EXPECT_EQ(CGridCellRange(2, 1, 4, 2), grid->GetCell(2, 1)->GetMergeRange());
    EXPECT_TRUE(grid->GetCell(2, 1)->IsMergeOwnerCell());
    ASSERT_EQ(1u, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(2, 1), grid->GetMergeOwners()[0]);
}

}  // namespace

namespace {

// Cells cut by a lower count lose their names, which are free again.
TEST(GridCounts, LoweringACountFreesTheCutCellsIds)
{
    struct Case {
        const char* name;
        bool rows;
        int count;
        std::vector<std::string> kept;
    } cases[] = {
        {"rows", true, 4, {"inside", "right"}},
        {"columns", false, 4, {"inside", "below"}},
        {"rows to nothing", true, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(8, 8, 1, 1);
        ASSERT_TRUE(grid->SetCellId(2, 2, "inside"));
        ASSERT_TRUE(grid->SetCellId(6, 2, "below"));
        ASSERT_TRUE(grid->SetCellId(2, 6, "right"));
        ASSERT_TRUE(grid->SetCellId(6, 6, "corner"));
        ASSERT_TRUE(c.rows ? grid->SetRowCount(c.count) : grid->SetColumnCount(c.count));
        std::vector<std::string> kept;
        for (const GridCellIdEntry& entry : grid->GetCellIdTable()) {
            kept.push_back(entry.szId);
            EXPECT_LT(entry.row, grid->GetRowCount());
            EXPECT_LT(entry.col, grid->GetColumnCount());
        }
        EXPECT_EQ(kept, c.kept);
        // A cut name may name another cell now.
        ASSERT_TRUE(c.rows ? grid->SetRowCount(8) : grid->SetColumnCount(8));
        EXPECT_TRUE(grid->SetCellId(7, 7, "corner"));
        EXPECT_EQ(grid->GetCellId(7, 7), CString("corner"));
    }
}

// Lowering a count cuts lines as deleting them does: references to cut
// lines turn invalid, ranges over them shrink, and the values show it at once.
TEST(GridCounts, LoweringACountInvalidatesReferencesToTheCutLines)
{
    using namespace formulatest;
    struct Case {
        const char* name;
        bool rows;
        int count;                 // the new row or column count
        const char* cell;
        const char* before;
        const char* formula;       // after the cut
        const char* value;
    } cases[] = {
        {"a cell on a cut row", true, 6, "B2", "=A7+1", "=#引用无效!+1", FORMULA_MSG_INVALID_REFERENCE},
        {"a range losing its last rows", true, 6, "B2", "=SUM(A3:A8)", "=SUM(A3:A5)", "12"},
        {"a range wholly cut", true, 6, "B2", "=SUM(A6:A9)", "=SUM(#引用无效!)", FORMULA_MSG_INVALID_REFERENCE},
        {"a cell above the cut stays", true, 6, "B2", "=A5*2", "=A5*2", "10"},
        {"every row but the first", true, 2, "B1", "=SUM(A1:A9)", "=SUM(A1:A1)", "1"},
        {"a cell on a cut column", false, 4, "A2", "=E3+1", "=#引用无效!+1", FORMULA_MSG_INVALID_REFERENCE},
        {"a column range shrinks", false, 4, "A2", "=SUM(B3:F3)", "=SUM(B3:C3)", "3"},
        {"a column left of the cut stays", false, 4, "A2", "=C3", "=C3", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(10, 8, 1, 1);
        for (int row = 1; row < 10; ++row)
            grid->SetCellText(row, 1, std::to_string(row).c_str());
        for (int col = 2; col < 8; ++col)
            grid->SetCellText(3, col, std::to_string(col - 1).c_str());
        ASSERT_TRUE(SetFormula(*grid, c.cell, c.before));
        ASSERT_TRUE(c.rows ? grid->SetRowCount(c.count) : grid->SetColumnCount(c.count));
        EXPECT_EQ(Formula(*grid, c.cell), c.formula);
        EXPECT_EQ(Text(*grid, c.cell), c.value);
        // The lines grow back empty: nothing refers to them.
        ASSERT_TRUE(c.rows ? grid->SetRowCount(10) : grid->SetColumnCount(8));
        EXPECT_EQ(Formula(*grid, c.cell), c.formula);
        for (const CGridCellPos& pos : grid->GetFormulaCells())
            EXPECT_EQ(grid->GetCellType(pos.row, pos.col), GCT_FORMULA);
    }
}

// Formula cells on the cut lines go with them: the formula list forgets them
// and a change no longer reaches them.
TEST(GridCounts, FormulaCellsOnCutLinesLeaveTheList)
{
    using namespace formulatest;
    auto grid = MakeSheet(10, 6, 1, 1);
    SetText(*grid, "A1", "4");
    ASSERT_TRUE(SetFormula(*grid, "B8", "=A1*2"));
    ASSERT_TRUE(SetFormula(*grid, "E2", "=A1*3"));
    ASSERT_TRUE(SetFormula(*grid, "B2", "=B8+E2"));
    EXPECT_EQ(Text(*grid, "B2"), "20");
    ASSERT_TRUE(grid->SetRowCount(5));
    ASSERT_TRUE(grid->SetColumnCount(4));
    EXPECT_EQ(std::vector<CGridCellPos>{At("B2")}, grid->GetFormulaCells());
    EXPECT_EQ(Formula(*grid, "B2"), "=#引用无效!+#引用无效!");
    EXPECT_EQ(Text(*grid, "B2"), FORMULA_MSG_INVALID_REFERENCE);
    ASSERT_TRUE(grid->SetRowCount(10));
    ASSERT_TRUE(grid->SetColumnCount(6));
    EXPECT_EQ(1, grid->CalcAll());
    SetText(*grid, "A1", "5");
    EXPECT_EQ(Text(*grid, "B8"), "");
    EXPECT_EQ(Formula(*grid, "E2"), "");
}

// A hidden or format line that a lowered count cut leaves no trace: the line
// made there later shows at its own height and passes no format on.
TEST(GridCounts, CutLinesLeaveNoHiddenOrFormatMarks)
{
    auto grid = MakeSheet(10, 6, 1, 1);
    grid->SetRowHeight(8, 40);
    ASSERT_TRUE(grid->SetRowHide(8, TRUE));
    grid->AddFormatRow(9);
    grid->SetColumnWidth(5, 90);
    ASSERT_TRUE(grid->SetColumnHide(5, TRUE));
    grid->AddFormatColumn(5);
    ASSERT_TRUE(grid->SetRowCount(6));
    ASSERT_TRUE(grid->SetColumnCount(4));
    ASSERT_TRUE(grid->SetRowCount(10));
    ASSERT_TRUE(grid->SetColumnCount(6));
    const int height = grid->GetRowHeight(8);
    const int width = grid->GetColumnWidth(5);
    EXPECT_FALSE(grid->IsRowHide(8));
    ASSERT_TRUE(grid->SetRowHide(8, FALSE));
    EXPECT_EQ(height, grid->GetRowHeight(8));
    ASSERT_TRUE(grid->SetColumnHide(5, FALSE));
    EXPECT_EQ(width, grid->GetColumnWidth(5));
    EXPECT_EQ(-1, grid->FindFormatRow(9));
    EXPECT_EQ(-1, grid->FindFormatColumn(5));
}

}  // namespace
