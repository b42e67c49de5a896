// Merged blocks: making them (overlaps widen the block until none lies
// partly inside), dissolving them, the queries on them, the owner list, and
// copying a cell over a range.
#include "GridTestUtil.h"
#include "StandInCells.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;
using gridtest::ScopedStandIn;
using gridtest::Text;

namespace {

CGridCellRange BlockOf(CGridCtrl& grid, int r, int c)
{
    int r1, c1, r2, c2;
    if (!grid.GetMergeRange(r, c, r1, c1, r2, c2))
        return CGridCellRange();
    return CGridCellRange(r1, c1, r2, c2);
}

// Every cell of the block names the block and its owner; only the owner has the flag.
void ExpectBlock(CGridCtrl& grid, const CGridCellRange& block)
{
    for (int r = block.GetMinRow(); r <= block.GetMaxRow(); ++r) {
        for (int c = block.GetMinCol(); c <= block.GetMaxCol(); ++c) {
            SCOPED_TRACE(testing::Message() << r << "," << c);
            CGridCellBase* cell = grid.GetCell(r, c);
            EXPECT_EQ(block, cell->GetMergeRange());
            EXPECT_EQ(block.GetTopLeft(), cell->GetMergeOwner());
            EXPECT_EQ(CGridCellPos(r, c) == block.GetTopLeft(), cell->IsMergeOwnerCell() != FALSE);
            EXPECT_TRUE(grid.IsCellMerged(r, c));
            EXPECT_TRUE(grid.IsCellSelected(r, c));
        }
    }
}

TEST(GridMerge, OverlappingRequestsWidenUntilNoBlockLiesPartlyInside)
{
    struct Case {
        const char* name;
        std::vector<CGridCellRange> before;   // blocks made first
        CGridCellRange request;
        CGridCellRange result;
        size_t owners;                       // live blocks afterwards
    } cases[] = {
        {"plain", {}, {2, 2, 3, 3}, {2, 2, 3, 3}, 1},
        {"one corner inside", {{3, 3, 5, 5}}, {2, 2, 3, 3}, {2, 2, 5, 5}, 1},
        {"a block wholly inside", {{3, 3, 3, 4}}, {2, 2, 4, 5}, {2, 2, 4, 5}, 1},
        // The first widening reaches (5, 2), which belongs to a block further
        // down: that block is taken in too.
        {"a chain of blocks", {{3, 3, 5, 3}, {5, 2, 6, 2}}, {2, 2, 3, 3}, {2, 2, 6, 3}, 1},
        {"a block beside it stays", {{2, 5, 3, 6}}, {2, 2, 3, 4}, {2, 2, 3, 4}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(9, 9, 1, 1);
        for (const CGridCellRange& b : c.before)
            grid->MergeCells(b.GetMinRow(), b.GetMinCol(), b.GetMaxRow(), b.GetMaxCol());
        grid->MergeCells(c.request.GetMinRow(), c.request.GetMinCol(), c.request.GetMaxRow(),
                         c.request.GetMaxCol());
        EXPECT_EQ(c.result, BlockOf(*grid, c.request.GetMinRow(), c.request.GetMinCol()));
        ExpectBlock(*grid, c.result);
        EXPECT_EQ(c.owners, grid->GetMergeOwners().size());
        EXPECT_NE(-1, grid->GetMergeOwners().Find(c.result.GetTopLeft()));
        // No cell anywhere is in two blocks: each lies wholly inside its range.
        for (int r = 0; r < 9; ++r) {
            for (int col = 0; col < 9; ++col) {
                CGridCellRange b = BlockOf(*grid, r, col);
                if (b.IsValid())
                    EXPECT_EQ(b, BlockOf(*grid, b.GetMinRow(), b.GetMinCol())) << r << "," << col;
            }
        }
    }
}

TEST(GridMerge, ASingleCellIsNoBlockButIsSelected)
{
    auto grid = MakeSheet(5, 5, 1, 1);
    grid->MergeCells(2, 2, 2, 2);
    EXPECT_FALSE(grid->IsCellMerged(2, 2));
    EXPECT_TRUE(grid->IsCellSelected(2, 2));
    EXPECT_TRUE(grid->GetMergeOwners().empty());
    grid->MergeCells(3, 3, 1, 1);                 // reversed: nothing
    grid->MergeCells(2, 2, 9, 9);                 // outside the grid: nothing
    EXPECT_TRUE(grid->GetMergeOwners().empty());
}

TEST(GridMerge, DissolvingKeepsTheOwnersContentAndEmptiesTheRest)
{
    ScopedStandIn<GCT_NUMERIC> numeric;
    auto grid = MakeSheet(8, 8, 1, 1);
    grid->SetCellText(2, 2, "owner");
    grid->SetCellValue(2, 3, 5.5);
    grid->SetCellText(3, 2, "lost");
    grid->SetCellType(3, 3, GCT_NUMERIC);
    grid->MergeCells(2, 2, 3, 3);
    grid->MergeCells(5, 5, 6, 6);
    ASSERT_EQ(2u, grid->GetMergeOwners().size());

    grid->UnMergeCells(3, 3, 3, 3);               // one cell of the block names it
    EXPECT_EQ("owner", Text(*grid, 2, 2));
    EXPECT_EQ("", Text(*grid, 3, 2));
    EXPECT_EQ(1, grid->GetCellDataType(2, 3)) << "a number cell is emptied to 0";
    EXPECT_EQ(0.0, grid->GetCellValue(2, 3));
    EXPECT_EQ(GCT_EDIT, grid->GetCellType(3, 3)) << "members become plain cells";
    for (int r = 2; r <= 3; ++r) {
        for (int c = 2; c <= 3; ++c) {
            EXPECT_FALSE(grid->IsCellMerged(r, c));
            EXPECT_FALSE(grid->GetCell(r, c)->HasMergeOwner());
            const bool owner = r == 2 && c == 2;
            EXPECT_EQ(owner, grid->IsCellSelected(r, c) != FALSE) << r << "," << c;
        }
    }
    EXPECT_EQ(1u, grid->GetMergeOwners().size());
    EXPECT_EQ(grid->GetSelectedCount(), [&] {
        int n = 0;
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                n += (grid->GetCellState(r, c) & GCS_SELECTED) != 0;
        return n;
    }()) << "the selection map and the cells' selected bits agree";

    EXPECT_FALSE(grid->UnMergeCellAt(2, 2));
    EXPECT_TRUE(grid->UnMergeCellAt(6, 5));
    EXPECT_FALSE(grid->IsCellMerged(5, 5));
    EXPECT_TRUE(grid->GetMergeOwners().empty());
    grid->UnMergeCells(-5, -5, 100, 100);         // clipped to the grid; nothing left
}

TEST(GridMerge, QueriesOnBlocks)
{
    auto grid = MakeSheet(8, 8, 1, 1);
    for (int c = 0; c < 8; ++c)
        grid->SetColumnWidth(c, 10 + c);
    for (int r = 0; r < 8; ++r)
        grid->SetRowHeight(r, 20 + r);
    grid->MergeCells(2, 3, 4, 5);
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    EXPECT_TRUE(grid->GetMergeRange(4, 5, r1, c1, r2, c2));
    EXPECT_EQ(CGridCellRange(2, 3, 4, 5), CGridCellRange(r1, c1, r2, c2));
    EXPECT_FALSE(grid->GetMergeRange(1, 1, r1, c1, r2, c2));
    EXPECT_EQ(CGridCellRange(), CGridCellRange(r1, c1, r2, c2));
    EXPECT_FALSE(grid->GetMergeRange(99, 1, r1, c1, r2, c2));

    CGridCellPos owner;
    grid->GetMergeOwnerCell(owner, 3, 4);
    EXPECT_EQ(CGridCellPos(2, 3), owner);
    grid->GetMergeOwnerCell(owner, 6, 6);
    EXPECT_EQ(CGridCellPos(6, 6), owner);

    EXPECT_EQ(13 + 14 + 15, grid->GetMergeWidth(4, 4));
    EXPECT_EQ(22 + 23 + 24, grid->GetMergeHeight(3, 5));
    EXPECT_EQ(16, grid->GetMergeWidth(1, 6));
    EXPECT_EQ(21, grid->GetMergeHeight(1, 6));
}

TEST(GridMerge, ABlockCopiedOverItselfKeepsOneOwnerAndMovesOnce)
{
    auto grid = MakeSheet(12, 6, 1, 1);
    grid->MergeCells(3, 2, 5, 3);
    grid->SetCellText(3, 2, "x");                 // copied over the block
    ASSERT_EQ("x", Text(*grid, 5, 3));
    int owners = 0;
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 6; ++c)
            owners += grid->GetCell(r, c)->IsMergeOwnerCell() ? 1 : 0;
    EXPECT_EQ(1, owners);
    // Two rows come in after row 3, inside the block: it grows by two, once.
    grid->ShiftMergesForRows(3, 2);
    EXPECT_EQ(CGridCellRange(3, 2, 7, 3), BlockOf(*grid, 3, 2));
    EXPECT_EQ(1u, grid->GetMergeOwners().size());
}

TEST(GridRangeCopy, TypeFormatAndContentReachEveryCell)
{
    ScopedStandIn<GCT_COMBOBOX> combo;
    auto grid = MakeSheet(6, 6, 1, 1);
    ASSERT_TRUE(grid->SetCellControl(1, 1, "<control controltype = \"combobox\" datasource = \"a|b\" ></control>"));
    grid->SetCellText(1, 1, "a");
    grid->SetCellBackColor(1, 1, RGB(3, 3, 3));
    grid->SetCellTipText(1, 1, "tip");
    grid->SetCellId(1, 1, "source");
    grid->SetCellId(2, 2, "target");
    grid->SetCellValue(3, 3, 4.0);
    grid->SetFocusCell(2, 2);

    EXPECT_TRUE(grid->CopyCellToRange(CGridCellRange(1, 1, 3, 3), grid->GetCell(1, 1)));
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
            SCOPED_TRACE(testing::Message() << r << "," << c);
            EXPECT_EQ(GCT_COMBOBOX, grid->GetCellType(r, c));
            EXPECT_EQ("a", Text(*grid, r, c));
            EXPECT_EQ(0, grid->GetCellDataType(r, c));
            EXPECT_EQ(RGB(3, 3, 3), grid->GetCellBackColor(r, c));
            EXPECT_EQ("tip", std::string(grid->GetCellTipText(r, c)));
            EXPECT_EQ("a|b", std::string(grid->GetCellControlProperty(r, c, "datasource")));
            EXPECT_FALSE(grid->IsCellMerged(r, c));
        }
    }
    // Ids and the focus stay with their cells.
    EXPECT_EQ("target", std::string(grid->GetCellId(2, 2)));
    EXPECT_EQ("", std::string(grid->GetCellId(3, 3)));
    EXPECT_TRUE(grid->GetCell(2, 2)->IsFocused());
    EXPECT_FALSE(grid->GetCell(3, 3)->IsFocused());
    EXPECT_EQ(GCT_EDIT, grid->GetCellType(4, 4)) << "outside the range";

    // A number source gives numbers.
    grid->SetCellValue(4, 1, 2.25);
    EXPECT_TRUE(grid->CopyCellToRange(CGridCellRange(4, 2, 4, 3), grid->GetCell(4, 1)));
    EXPECT_EQ(2.25, grid->GetCellValue(4, 3));
    EXPECT_NE(0, grid->GetCellDataType(4, 3));

    EXPECT_FALSE(grid->CopyCellToRange(CGridCellRange(3, 3, 2, 2), grid->GetCell(1, 1)));
    EXPECT_FALSE(grid->CopyCellToRange(CGridCellRange(1, 1, 9, 9), grid->GetCell(1, 1)));
    EXPECT_FALSE(grid->CopyCellToRange(CGridCellRange(1, 1, 2, 2), nullptr));
}

}  // namespace
