// Cell borders with the facing borders of their neighbours, and finding
// cells by id and by cell name.
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;

namespace {

struct Side {
    int row;
    int col;
    UINT bit;
};

bool HasSide(CGridCtrl& grid, const Side& s)
{
    return (static_cast<UINT>(grid.GetCellBorderFlags(s.row, s.col)) & s.bit) != 0;
}

TEST(GridBorders, EachSideReachesTheFacingSideOfItsNeighbour)
{
    struct Case {
        UINT mask;
        Side neighbour;
    } cases[] = {
        {CBF_LEFT, {3, 2, CBF_RIGHT}},
        {CBF_TOP, {2, 3, CBF_BOTTOM}},
        {CBF_RIGHT, {3, 4, CBF_LEFT}},
        {CBF_BOTTOM, {4, 3, CBF_TOP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        auto grid = MakeSheet(7, 7, 1, 1);
        ASSERT_TRUE(grid->SetCellBorder(3, 3, static_cast<int>(c.mask), 0, RGB(10, 20, 30), 2));
        EXPECT_EQ(static_cast<int>(c.mask), grid->GetCellBorderFlags(3, 3));
        EXPECT_TRUE(HasSide(*grid, c.neighbour));
        int style = -1, width = -1;
        COLORREF clr = 0;
        ASSERT_TRUE(grid->GetCellBorder(c.neighbour.row, c.neighbour.col, c.neighbour.bit, &style, &clr, &width));
        EXPECT_EQ(0, style);
        EXPECT_EQ(RGB(10, 20, 30), clr);
        EXPECT_EQ(2, width);

        ASSERT_TRUE(grid->DeleteCellBorder(3, 3, static_cast<int>(c.mask)));
        EXPECT_EQ(0, grid->GetCellBorderFlags(3, 3));
        EXPECT_FALSE(HasSide(*grid, c.neighbour));
        EXPECT_FALSE(grid->DeleteCellBorder(3, 3, static_cast<int>(c.mask))) << "nothing left to remove";
    }
}

TEST(GridBorders, FixedNeighboursAndRowZeroAreLeftAlone)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    // (1, 1) touches the header row above and the header column to the left.
    ASSERT_TRUE(grid->SetCellBorder(1, 1, CBF_EDGES, 0, RGB(1, 1, 1), 1));
    EXPECT_EQ(0, grid->GetCellBorderFlags(0, 1));
    EXPECT_EQ(0, grid->GetCellBorderFlags(1, 0));
    EXPECT_TRUE(HasSide(*grid, {1, 2, CBF_LEFT}));
    EXPECT_TRUE(HasSide(*grid, {2, 1, CBF_TOP}));

    // Row 0 of a grid without fixed rows: nothing above it to change.
    auto bare = MakeSheet(4, 4, 0, 0);
    ASSERT_TRUE(bare->SetCellBorder(0, 0, CBF_TOP | CBF_LEFT, 0, RGB(1, 1, 1), 1));
    EXPECT_EQ(static_cast<int>(CBF_TOP | CBF_LEFT), bare->GetCellBorderFlags(0, 0));
    ASSERT_TRUE(bare->SetCellBorder(3, 3, CBF_BOTTOM | CBF_RIGHT, 0, RGB(1, 1, 1), 1));
}

TEST(GridBorders, AMergedCellBordersTheWholeOutlineOfItsBlock)
{
    auto grid = MakeSheet(8, 8, 1, 1);
    grid->MergeCells(3, 3, 4, 5);
    ASSERT_TRUE(grid->SetCellBorder(4, 4, CBF_EDGES, 0, RGB(5, 5, 5), 1));
    for (int c = 3; c <= 5; ++c) {
        EXPECT_TRUE(HasSide(*grid, {2, c, CBF_BOTTOM})) << c;
        EXPECT_TRUE(HasSide(*grid, {5, c, CBF_TOP})) << c;
    }
    for (int r = 3; r <= 4; ++r) {
        EXPECT_TRUE(HasSide(*grid, {r, 2, CBF_RIGHT})) << r;
        EXPECT_TRUE(HasSide(*grid, {r, 6, CBF_LEFT})) << r;
    }
    EXPECT_EQ(0, grid->GetCellBorderFlags(2, 2)) << "diagonal neighbours are not touched";
    // The block's cells share the border.
    EXPECT_EQ(static_cast<int>(CBF_EDGES), grid->GetCellBorderFlags(3, 3));
    EXPECT_EQ(static_cast<int>(CBF_EDGES), grid->GetCellBorderFlags(4, 5));

    ASSERT_TRUE(grid->DeleteCellBorder(3, 3, CBF_TOP | CBF_RIGHT));
    for (int c = 3; c <= 5; ++c)
        EXPECT_FALSE(HasSide(*grid, {2, c, CBF_BOTTOM})) << c;
    for (int r = 3; r <= 4; ++r) {
        EXPECT_FALSE(HasSide(*grid, {r, 6, CBF_LEFT})) << r;
        EXPECT_TRUE(HasSide(*grid, {r, 2, CBF_RIGHT})) << r;
    }
    EXPECT_EQ(static_cast<int>(CBF_LEFT | CBF_BOTTOM), grid->GetCellBorderFlags(4, 5));
}

TEST(GridBorders, RefusedMasksAndValues)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    EXPECT_FALSE(grid->SetCellBorder(2, 2, 0, 0, 0, 1));
    EXPECT_FALSE(grid->SetCellBorder(2, 2, -1, 0, 0, 1));
    EXPECT_FALSE(grid->SetCellBorder(2, 2, 256, 0, 0, 1));
    EXPECT_FALSE(grid->SetCellBorder(2, 2, 1, 9, 0, 1)) << "no such line style";
    EXPECT_FALSE(grid->SetCellBorder(2, 2, 1, 0, 0, 0)) << "no width";
    EXPECT_FALSE(grid->SetCellBorder(9, 9, 1, 0, 0, 1));
    EXPECT_EQ(0, grid->GetCellBorderFlags(2, 2));
    EXPECT_EQ(0, grid->GetCellBorderFlags(2, 1));
    EXPECT_FALSE(grid->DeleteCellBorder(2, 2, 0));
    // The inner lines are the cell's own: no neighbour has them.
    ASSERT_TRUE(grid->SetCellBorder(2, 2, CBF_DIAGONAL_DOWN, 0, 0, 1));
    EXPECT_EQ(0, grid->GetCellBorderFlags(1, 2) | grid->GetCellBorderFlags(3, 2) |
                     grid->GetCellBorderFlags(2, 1) | grid->GetCellBorderFlags(2, 3));
}

TEST(GridCellIds, TheIdTableFollowsEveryChange)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    int row = 0, col = 0;
    // A sequence of steps and what the table must answer after each.
    ASSERT_TRUE(grid->SetCellId(2, 3, "price"));
    EXPECT_TRUE(grid->FindCellById("price", row, col));
    EXPECT_EQ(2, row);
    EXPECT_EQ(3, col);
    EXPECT_FALSE(grid->SetCellId(4, 4, "price")) << "ids are unique";
    EXPECT_FALSE(grid->SetCellId(2, 3, "price")) << "even for the same cell";
    ASSERT_TRUE(grid->SetCellId(2, 3, "cost"));
    EXPECT_FALSE(grid->FindCellById("price", row, col));
    EXPECT_EQ(-1, row);
    EXPECT_EQ(-1, col);
    EXPECT_TRUE(grid->FindCellById("cost", row, col));
    EXPECT_EQ(1u, grid->GetCellIdTable().size());
    EXPECT_FALSE(grid->FindCellById("Cost", row, col)) << "exact text";
    EXPECT_FALSE(grid->FindCellById("", row, col));
    ASSERT_TRUE(grid->SetCellId(2, 3, ""));
    EXPECT_TRUE(grid->GetCellIdTable().empty());
    EXPECT_EQ("", std::string(grid->GetCellId(2, 3)));
    ASSERT_TRUE(grid->SetCellId(2, 3, "cost"));
    EXPECT_TRUE(grid->FindCellById("cost", row, col));

    // A type change keeps the cell's id with the cell.
    ASSERT_TRUE(grid->SetCellType(2, 3, RUNTIME_CLASS(CGridDefaultCell)));
    EXPECT_EQ("cost", std::string(grid->GetCellId(2, 3)));

    CGridCtrl virt;
    virt.SetVirtualMode(TRUE);
    virt.SetRowCount(3);
    virt.SetColumnCount(3);
    EXPECT_FALSE(virt.SetCellId(1, 1, "x"));
    EXPECT_EQ("", std::string(virt.GetCellId(1, 1)));
}

TEST(GridCellIds, CellNamesReadAsPositionsInsideTheGrid)
{
    auto grid = MakeSheet(13, 5, 1, 1);
    struct Case {
        const char* name;
        bool found;
        int row;
        int col;
    } cases[] = {
        {"B12", true, 12, 2}, {"b12", true, 12, 2}, {"A1", true, 1, 1},  {"D0", true, 0, 4},
        {"E1", false, -1, -1}, {"B13", false, -1, -1}, {"12B", false, -1, -1}, {"B", false, -1, -1},
        {"", false, -1, -1},  {"B-1", false, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int row = 7, col = 7;
        EXPECT_EQ(c.found, grid->GetCellFromId(c.name, row, col) != FALSE);
        EXPECT_EQ(c.row, row);
        EXPECT_EQ(c.col, col);
    }
    int row = 7, col = 7;
    EXPECT_FALSE(grid->GetCellFromId(nullptr, row, col));
}

}  // namespace
