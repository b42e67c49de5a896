// Row, column and fixed counts with the header texts the grid writes.
#include "grid/GridSysColours.h"
#include "platform/System.h"

#include "GridTestUtil.h"

#include <gtest/gtest.h>

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

}  // namespace
