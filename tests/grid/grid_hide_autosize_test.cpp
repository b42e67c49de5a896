// Hidden rows and columns with their saved sizes; row and column sizes; and
// fitting sizes to the cells (hidden lines, merged cells, header labels),
// which works before the grid has a window.
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;

namespace {

TEST(GridHide, ColumnSequences)
{
    // Each step: hide (1) / show (0) / widen (2, by dragging: SetColumnWidth 120);
    // then the width and whether the column counts as hidden.
    struct Step {
        int action;
        int width;
        bool hidden;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"hide and show", {{1, 0, true}, {0, 80, false}}},
        {"hide twice keeps the first size", {{1, 0, true}, {1, 0, true}, {0, 80, false}}},
        {"show without hide", {{0, 80, false}}},
        {"widened again", {{1, 0, true}, {2, 120, false}, {1, 0, true}, {0, 120, false}}},
        {"shown twice", {{1, 0, true}, {0, 80, false}, {0, 80, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(4, 6, 1, 1);
        grid->SetColumnWidth(3, 80);
        int n = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(n++);
            if (s.action == 2)
                grid->SetColumnWidth(3, 120);
            else
                EXPECT_TRUE(grid->SetColumnHide(3, s.action == 1));
            EXPECT_EQ(s.width, grid->GetColumnWidth(3));
            EXPECT_EQ(s.hidden, grid->IsColumnHide(3) != FALSE);
        }
    }
}

TEST(GridHide, RowsLikeColumnsAndTheListsAnswerQueries)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->SetRowHeight(2, 33);
    EXPECT_TRUE(grid->SetRowHide(2, TRUE));
    EXPECT_TRUE(grid->IsRowHide(2));
    EXPECT_EQ(0, grid->GetRowHeight(2));
    GridHiddenLine entry = {-1, -1};
    EXPECT_EQ(0, grid->FindHiddenRow(2, &entry));
    EXPECT_EQ(2, entry.index);
    EXPECT_EQ(33, entry.size);
    EXPECT_EQ(-1, grid->FindHiddenRow(2, nullptr));
    EXPECT_EQ(-1, grid->FindHiddenRow(3, &entry));
    EXPECT_TRUE(grid->SetRowHide(2, FALSE));
    EXPECT_EQ(33, grid->GetRowHeight(2));
    EXPECT_FALSE(grid->IsRowHide(2));

    EXPECT_FALSE(grid->SetRowHide(6, TRUE));
    EXPECT_FALSE(grid->SetRowHide(-1, TRUE));
    EXPECT_FALSE(grid->SetColumnHide(4, TRUE));
    EXPECT_FALSE(grid->IsColumnHide(1));
    // The header row and column can be hidden too.
    EXPECT_TRUE(grid->SetColumnHide(0, TRUE));
    EXPECT_EQ(0, grid->GetColumnWidth(0));
    EXPECT_EQ(0, grid->FindHiddenColumn(0, &entry));
}

TEST(GridSizes, GettersSettersAndSums)
{
    auto grid = MakeSheet(4, 3, 2, 1);
    for (int r = 0; r < 4; ++r)
        grid->SetRowHeight(r, 10 * (r + 1));
    for (int c = 0; c < 3; ++c)
        grid->SetColumnWidth(c, 5 * (c + 1));
    EXPECT_EQ(-1, grid->GetRowHeight(-1));
    EXPECT_EQ(-1, grid->GetRowHeight(4));
    EXPECT_EQ(-1, grid->GetColumnWidth(3));
    EXPECT_FALSE(grid->SetRowHeight(1, -1));
    EXPECT_EQ(20, grid->GetRowHeight(1));
    EXPECT_FALSE(grid->SetColumnWidth(3, 10));
    EXPECT_EQ(30, grid->GetFixedRowHeight());
    EXPECT_EQ(5, grid->GetFixedColumnWidth());
    EXPECT_EQ(100, grid->GetTotalRowHeight());
    EXPECT_EQ(30, grid->GetTotalColumnWidth());
    CGridCtrl empty;
    EXPECT_EQ(0, empty.GetTotalRowHeight());
}

TEST(GridAutoSize, AColumnTakesItsWidestShownCell)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->SetCellText(1, 2, "ab");
    grid->SetCellText(2, 2, "a much longer text");
    grid->SetCellText(3, 2, "mid text");
    const int expected = grid->GetCellTextExtent(2, 2, "a much longer text").cx;
    ASSERT_GT(expected, 0);
    EXPECT_TRUE(grid->AutoSizeColumn(2));
    EXPECT_EQ(expected, grid->GetColumnWidth(2));

    // A hidden row's text does not widen it.
    grid->SetCellText(4, 2, "an even longer text that is hidden away");
    grid->SetRowHide(4, TRUE);
    EXPECT_TRUE(grid->AutoSizeColumn(2));
    EXPECT_EQ(expected, grid->GetColumnWidth(2));

    // A block over two columns does not count; one inside the column does.
    grid->SetCellText(5, 1, "merged over two columns, very wide indeed");
    grid->MergeCells(5, 1, 5, 2);
    EXPECT_TRUE(grid->AutoSizeColumn(2));
    EXPECT_EQ(expected, grid->GetColumnWidth(2));

    // An empty column keeps its width; a hidden one stays hidden.
    const int before = grid->GetColumnWidth(3);
    EXPECT_TRUE(grid->AutoSizeColumn(3));
    EXPECT_EQ(before, grid->GetColumnWidth(3));
    grid->SetColumnHide(2, TRUE);
    EXPECT_FALSE(grid->AutoSizeColumn(2));
    EXPECT_EQ(0, grid->GetColumnWidth(2));
    EXPECT_FALSE(grid->AutoSizeColumn(4));
    EXPECT_FALSE(grid->AutoSizeColumn(-1));
}

TEST(GridAutoSize, AHeaderCountsUnlessItIsTheLabelTheGridWrote)
{
    struct Case {
        int fixedCols;
        int col;
        const char* header;   // nullptr: the grid's own label stays
        bool widens;
    } cases[] = {
        {1, 1, nullptr, false},                  // "A"
        {2, 2, nullptr, false},                  // "A" again, though column 2's letters are "B"
        {2, 3, nullptr, false},                  // "B"
        {1, 1, "A wide column header", true},
        {2, 2, "B", true},                       // not what the grid wrote there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fixedCols << " " << c.col);
        auto grid = MakeSheet(4, 5, 1, c.fixedCols);
        if (c.header != nullptr)
            grid->SetCellText(0, c.col, c.header);
        grid->SetColumnWidth(c.col, 300);
        EXPECT_TRUE(grid->AutoSizeColumn(c.col, 3));
        EXPECT_EQ(c.widens, grid->GetColumnWidth(c.col) != 300);
        if (c.widens)
            EXPECT_EQ(grid->GetCellTextExtent(0, c.col, c.header).cx, grid->GetColumnWidth(c.col));
    }
    // Style 2 leaves the fixed rows out, style 1 the other rows.
    auto grid = MakeSheet(4, 3, 1, 1);
    grid->SetCellText(0, 1, "A long header text");
    grid->SetCellText(1, 1, "x");
    EXPECT_TRUE(grid->AutoSizeColumn(1, 2));
    EXPECT_EQ(grid->GetCellTextExtent(1, 1, "x").cx, grid->GetColumnWidth(1));
    EXPECT_TRUE(grid->AutoSizeColumn(1, 1));
    EXPECT_EQ(grid->GetCellTextExtent(0, 1, "A long header text").cx, grid->GetColumnWidth(1));
}

TEST(GridAutoSize, ARowTakesItsTallestCell)
{
    auto grid = MakeSheet(5, 4, 1, 1);
    grid->SetColumnWidth(2, 40);
    grid->SetCellTextWrap(2, 2, TRUE);
    grid->SetCellText(2, 2, "words that wrap over several lines");
    const int wrapped = grid->GetCellTextExtent(2, 2, "words that wrap over several lines").cy;
    const int single = grid->GetCellTextExtent(2, 1, "x").cy;
    ASSERT_GT(wrapped, 2 * single);
    EXPECT_TRUE(grid->AutoSizeRow(2));
    EXPECT_EQ(wrapped, grid->GetRowHeight(2));

    // Cells merged over two rows do not count.
    grid->SetCellTextWrap(3, 2, TRUE);
    grid->SetCellText(3, 2, "words that wrap over several lines");
    grid->MergeCells(3, 2, 4, 2);
    EXPECT_TRUE(grid->AutoSizeRow(3));
    EXPECT_LT(grid->GetRowHeight(3), wrapped);

    // A cell in a hidden column does not either.
    grid->SetColumnHide(2, TRUE);
    EXPECT_TRUE(grid->AutoSizeRow(2));
    EXPECT_LT(grid->GetRowHeight(2), wrapped);

    grid->SetRowHide(1, TRUE);
    EXPECT_FALSE(grid->AutoSizeRow(1));
    EXPECT_EQ(0, grid->GetRowHeight(1));
    EXPECT_FALSE(grid->AutoSizeRow(5));
}

TEST(GridAutoSize, TheWholeSheetLeavesHiddenLinesAlone)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    grid->SetCellText(1, 1, "first column text");
    grid->SetCellText(2, 3, "third");
    grid->SetColumnHide(2, TRUE);
    grid->SetRowHide(3, TRUE);
    grid->AutoSize();
    EXPECT_EQ(grid->GetCellTextExtent(1, 1, "first column text").cx, grid->GetColumnWidth(1));
    EXPECT_EQ(grid->GetCellTextExtent(2, 3, "third").cx, grid->GetColumnWidth(3));
    EXPECT_EQ(0, grid->GetColumnWidth(2));
    EXPECT_EQ(0, grid->GetRowHeight(3));
    EXPECT_EQ(grid->GetCellTextExtent(1, 1, "first column text").cy, grid->GetRowHeight(1));
}

}  // namespace
