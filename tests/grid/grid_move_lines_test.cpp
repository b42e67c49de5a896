// Moving a column or a row: where it lands, what goes with it (class, text,
// format, size, id, hidden state, a block inside it), and the moves that are
// refused because they would cut through a merged block.
#include "GridTestUtil.h"
#include "StandInCells.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::ScopedStandIn;
using gridtest::SetText;
using gridtest::Text;

namespace {

// Row 1 of every data column, and the column headers.
std::vector<std::string> RowTexts(CGridCtrl& grid, int row)
{
    std::vector<std::string> out;
    for (int col = 1; col < grid.GetColumnCount(); ++col)
        out.push_back(Text(grid, row, col));
    return out;
}

std::string Snapshot(CGridCtrl& grid)
{
    std::ostringstream out;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        out << grid.GetRowHeight(row) << ":";
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const CGridCellRange m = grid.GetCell(row, col)->GetMergeRange();
            out << Text(grid, row, col) << "/" << m.GetMinRow() << "," << m.GetMinCol() << "," << m.GetMaxRow()
                << "," << m.GetMaxCol() << " ";
        }
        out << "\n";
    }
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        out << grid.GetColumnWidth(col) << " ";
    return out.str();
}

// Columns 1..6 hold "c1".."c6"; column 5 is a check cell with a format, a
// width and an id, column 2 a plain cell with its own.
class MoveColumns : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = MakeSheet(4, 7, 1, 1);
        for (int col = 1; col <= 6; ++col) {
            SetText(*grid, 1, col, ("c" + std::to_string(col)).c_str());
            grid->SetColumnWidth(col, 50 + col);
        }
        ASSERT_TRUE(grid->SetCellType(1, 5, GCT_CHECKBOX));
        SetText(*grid, 1, 5, "c5");
        grid->SetCellTextFormat(1, 5, "<format type=\"5\"/>");
        ASSERT_TRUE(grid->SetCellId(1, 5, "five"));
        ASSERT_TRUE(grid->SetCellId(2, 2, "two"));
        grid->SetCellTextFormat(2, 2, "<format type=\"2\"/>");
    }
    CGridCellPos Find(const char* id)
    {
        int row = -1, col = -1;
        grid->FindCellById(id, row, col);
        return CGridCellPos(row, col);
    }

    ScopedStandIn<GCT_CHECKBOX> check;
    std::unique_ptr<CGridCtrl> grid;
};

TEST_F(MoveColumns, FiveOntoTwoLandsRightAfterTwo)
{
    ASSERT_TRUE(grid->MoveColumn(5, 2));
    EXPECT_EQ((std::vector<std::string>{"c1", "c2", "c5", "c3", "c4", "c6"}), RowTexts(*grid, 1));
    EXPECT_EQ(GCT_CHECKBOX, grid->GetCellType(1, 3));
    EXPECT_EQ(GCT_EDIT, grid->GetCellType(1, 5));
    EXPECT_EQ(CString("<format type=\"5\"/>"), grid->GetCellTextFormat(1, 3));
    EXPECT_EQ(55, grid->GetColumnWidth(3));
    EXPECT_EQ(53, grid->GetColumnWidth(4));
    EXPECT_EQ(CGridCellPos(1, 3), Find("five"));
    EXPECT_EQ(CString("five"), grid->GetCellId(1, 3));
    EXPECT_EQ(CGridCellPos(2, 2), Find("two"));
    EXPECT_EQ(7, grid->GetColumnCount());
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "D", "E", "F"}), RowTexts(*grid, 0));
}

TEST_F(MoveColumns, TwoOntoFiveLandsAtFive)
{
    ASSERT_TRUE(grid->MoveColumn(2, 5));
    EXPECT_EQ((std::vector<std::string>{"c1", "c3", "c4", "c5", "c2", "c6"}), RowTexts(*grid, 1));
    EXPECT_EQ(GCT_CHECKBOX, grid->GetCellType(1, 4));
    EXPECT_EQ(CString("<format type=\"2\"/>"), grid->GetCellTextFormat(2, 5));
    EXPECT_EQ(52, grid->GetColumnWidth(5));
    EXPECT_EQ(CGridCellPos(2, 5), Find("two"));
    EXPECT_EQ(CGridCellPos(1, 4), Find("five"));
    EXPECT_EQ(grid->GetCellIdTable().size(), 2u);
}

TEST_F(MoveColumns, RefusalsChangeNothing)
{
    const std::string before = Snapshot(*grid);
    struct Case {
        int from;
        int to;
    } cases[] = {{0, 3}, {3, 0}, {3, 3}, {7, 2}, {2, 7}, {-1, 2}};
    for (const Case& c : cases)
        EXPECT_FALSE(grid->MoveColumn(c.from, c.to)) << c.from << " onto " << c.to;
    EXPECT_EQ(before, Snapshot(*grid));
}

// A move that would carry part of a block, or open the new column inside
// one, is refused and changes nothing.
TEST(MoveLines, AcrossABlockIsRefused)
{
    auto grid = MakeSheet(6, 8, 1, 1);
    for (int col = 1; col < 8; ++col)
        SetText(*grid, 2, col, std::to_string(col).c_str());
    grid->MergeCells(2, 3, 3, 4);            // columns 3..4, rows 2..3
    const std::string before = Snapshot(*grid);
    struct Case {
        int from;
        int to;
    } cases[] = {
        {3, 6},   // the block's first column would leave it
        {4, 1},   // its last column
        {6, 3},   // the new column would open between columns 3 and 4
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(grid->MoveColumn(c.from, c.to)) << c.from << " onto " << c.to;
        EXPECT_EQ(before, Snapshot(*grid)) << c.from << " onto " << c.to;
    }
    EXPECT_FALSE(grid->MoveRow(2, 5));        // the block's first row
    EXPECT_FALSE(grid->MoveRow(5, 2));        // a new row between its rows
    EXPECT_EQ(before, Snapshot(*grid));
    // Next to the block, moves go on.
    EXPECT_TRUE(grid->MoveColumn(6, 4));      // after the block's last column
    EXPECT_EQ("6", Text(*grid, 2, 5));
    EXPECT_EQ(CGridCellRange(2, 3, 3, 4), grid->GetCell(3, 4)->GetMergeRange());
    EXPECT_TRUE(grid->MoveColumn(1, 6));
    EXPECT_EQ(CGridCellRange(2, 2, 3, 3), grid->GetCell(2, 2)->GetMergeRange());
    ASSERT_EQ(1, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(2, 2), grid->GetMergeOwners()[0]);
}

// A block that lies wholly in the moved line goes with it.
TEST(MoveLines, ABlockInsideTheLineMovesWithIt)
{
    auto grid = MakeSheet(7, 6, 1, 1);
    SetText(*grid, 2, 4, "tall");
    grid->MergeCells(2, 4, 4, 4);
    ASSERT_TRUE(grid->MoveColumn(4, 1));
    EXPECT_EQ("tall", Text(*grid, 2, 2));
    for (int row = 2; row <= 4; ++row) {
        EXPECT_EQ(CGridCellRange(2, 2, 4, 2), grid->GetCell(row, 2)->GetMergeRange()) << row;
        EXPECT_EQ(CGridCellPos(2, 2), grid->GetCell(row, 2)->GetMergeOwner()) << row;
    }
    EXPECT_FALSE(grid->GetCell(3, 4)->IsMerged());
    ASSERT_EQ(1, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(2, 2), grid->GetMergeOwners()[0]);
}

TEST(MoveLines, RowsMoveWithHeightIdAndHiddenState)
{
    auto grid = MakeSheet(8, 4, 1, 1);
    for (int row = 1; row <= 7; ++row) {
        SetText(*grid, row, 1, ("r" + std::to_string(row)).c_str());
        grid->SetRowHeight(row, 20 + row);
    }
    ASSERT_TRUE(grid->SetCellId(6, 2, "six"));
    ASSERT_TRUE(grid->SetRowHide(3, TRUE));
    ASSERT_TRUE(grid->MoveRow(6, 1));
    std::vector<std::string> column;
    for (int row = 1; row <= 7; ++row)
        column.push_back(Text(*grid, row, 1));
    EXPECT_EQ((std::vector<std::string>{"r1", "r6", "r2", "r3", "r4", "r5", "r7"}), column);
    EXPECT_EQ(26, grid->GetRowHeight(2));
    int row = -1, col = -1;
    ASSERT_TRUE(grid->FindCellById("six", row, col));
    EXPECT_EQ(CGridCellPos(2, 2), CGridCellPos(row, col));
    // The row numbers follow the rows' places, not the rows.
    EXPECT_EQ("2", Text(*grid, 2, 0));
    // The hidden row moved on and is shown at its height.
    EXPECT_TRUE(grid->IsRowHide(4));
    ASSERT_TRUE(grid->MoveRow(4, 6));
    EXPECT_TRUE(grid->IsRowHide(6));
    ASSERT_TRUE(grid->SetRowHide(6, FALSE));
    EXPECT_EQ(23, grid->GetRowHeight(6));
    EXPECT_EQ("r3", Text(*grid, 6, 1));
}

// A moved line takes the references to its cells along; the lines it passes
// shift by one, and the values stay.
TEST(MoveLines, FormulaReferencesFollowTheMovedLine)
{
    auto grid = MakeSheet(8, 4, 1, 1);
    SetText(*grid, 2, 1, "10");
    SetText(*grid, 5, 1, "5");
    ASSERT_TRUE(grid->SetCellFormula(7, 3, "=A2+A5"));
    EXPECT_EQ("15", Text(*grid, 7, 3));

    ASSERT_TRUE(grid->MoveRow(2, 6));          // down: row 2 lands at 6, rows 3..6 move up
    EXPECT_EQ("=A6+A4", std::string(grid->GetCellFormula(7, 3)));
    EXPECT_EQ("15", Text(*grid, 7, 3));
    ASSERT_TRUE(grid->MoveRow(6, 1));          // up: row 6 lands after row 1
    EXPECT_EQ("=A2+A5", std::string(grid->GetCellFormula(7, 3)));
    ASSERT_TRUE(grid->MoveRow(7, 3));          // the formula's own row moves too
    EXPECT_EQ("=A2+A6", std::string(grid->GetCellFormula(4, 3)));
    EXPECT_EQ("15", Text(*grid, 4, 3));
    ASSERT_TRUE(grid->MoveColumn(1, 2));       // column A lands at B
    EXPECT_EQ("=B2+B6", std::string(grid->GetCellFormula(4, 3)));
    ASSERT_TRUE(grid->SetCellText(2, 2, "1"));
    EXPECT_EQ("6", Text(*grid, 4, 3));
}

}  // namespace
