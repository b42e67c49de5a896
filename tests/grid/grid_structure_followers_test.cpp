// What follows rows and columns through every structural change, single or
// bulk: merged blocks (their owner keeps the text), row trees, the sort
// column; sorts over row trees; no edit in a folded row.
#include "GridTestUtil.h"

#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using gridtest::MakeSheet;
using gridtest::SetText;
using gridtest::Text;

namespace {

// The block the cell belongs to, as "(r1,c1)-(r2,c2) <owner text>", after
// checking that every cell of it carries the range and the owner and only
// the top-left cell is the owner; "none" when the cell is not merged.
std::string Block(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    if (cell == nullptr || !cell->IsMerged())
        return "none";
    const CGridCellRange range = cell->GetMergeRange();
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
            CGridCellBase* member = grid.GetCell(r, c);
            if (member == nullptr || !(member->GetMergeRange() == range) ||
                !(member->GetMergeOwner() == range.GetTopLeft()))
                return "member (" + std::to_string(r) + "," + std::to_string(c) + ") disagrees";
            const bool topLeft = r == range.GetMinRow() && c == range.GetMinCol();
            if ((member->IsMergeOwnerCell() != FALSE) != topLeft)
                return "owner flag wrong at (" + std::to_string(r) + "," + std::to_string(c) + ")";
        }
    }
    return "(" + std::to_string(range.GetMinRow()) + "," + std::to_string(range.GetMinCol()) + ")-(" +
           std::to_string(range.GetMaxRow()) + "," + std::to_string(range.GetMaxCol()) + ") " +
           Text(grid, range.GetMinRow(), range.GetMinCol());
}

}  // namespace

// A block (3,1)-(5,2) owned by "block" through each single and bulk change
// that cuts through it, moves it or leaves it; afterwards unmerging leaves
// the text in the block's first cell.
TEST(StructureFollowers, MergedBlocksKeepTheirOwnerTextThroughEveryInsertAndDelete)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> change;
        const char* block;     // the block afterwards, read at its first cell
        int row, col;          // where the block starts afterwards
    };
    const Case cases[] = {
        {"single row inside", [](CGridCtrl& g) { g.InsertRow("", 4); }, "(3,1)-(6,2) block", 3, 1},
        {"single row above", [](CGridCtrl& g) { g.InsertRow("", 3); }, "(4,1)-(6,2) block", 4, 1},
        {"bulk rows inside", [](CGridCtrl& g) { g.InsertRows(3, 2, TRUE); }, "(3,1)-(7,2) block", 3, 1},
        {"single owner row deleted", [](CGridCtrl& g) { g.DeleteRow(3); }, "(3,1)-(4,2) block", 3, 1},
        {"bulk deletion through the top", [](CGridCtrl& g) { g.DeleteRows(2, 2); }, "(2,1)-(3,2) block", 2, 1},
        {"single middle row deleted", [](CGridCtrl& g) { g.DeleteRow(4); }, "(3,1)-(4,2) block", 3, 1},
        {"single row below deleted", [](CGridCtrl& g) { g.DeleteRow(6); }, "(3,1)-(5,2) block", 3, 1},
        {"single column inside", [](CGridCtrl& g) { g.InsertColumn("", 0, 2); }, "(3,1)-(5,3) block", 3, 1},
        {"single owner column deleted", [](CGridCtrl& g) { g.DeleteColumn(1); }, "(3,1)-(5,1) block", 3, 1},
        {"bulk columns before", [](CGridCtrl& g) { g.InsertColumns(1, 2, FALSE); }, "(3,3)-(5,4) block", 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(10, 5, 1, 1);
        grid->MergeCells(3, 1, 5, 2);
        SetText(*grid, 3, 1, "block");
        c.change(*grid);
        EXPECT_EQ(c.block, Block(*grid, c.row, c.col));
        ASSERT_EQ(1u, grid->GetMergeOwners().size());
        EXPECT_EQ(CGridCellPos(c.row, c.col), grid->GetMergeOwners()[0]);
        // No cell outside the block claims it.
        int claimed = 0;
        for (int r = 0; r < grid->GetRowCount(); ++r)
            for (int col = 0; col < grid->GetColumnCount(); ++col)
                claimed += grid->GetCell(r, col)->IsMerged() ? 1 : 0;
        CGridCellRange block = grid->GetCell(c.row, c.col)->GetMergeRange();
        EXPECT_EQ(block.GetCellCount(), claimed);
        grid->UnMergeCells(block.GetMinRow(), block.GetMinCol(), block.GetMaxRow(), block.GetMaxCol());
        EXPECT_EQ("block", Text(*grid, c.row, c.col));
        EXPECT_EQ("none", Block(*grid, c.row, c.col));
    }
}

// Single insertions and deletions carry row trees as the bulk ones do.
TEST(StructureFollowers, SingleInsertAndDeleteCarryRowTrees)
{
    auto grid = MakeSheet(10, 4, 1, 1);
    CTreeColumn* tree = grid->AddTree(3, 1);
    ASSERT_NE(nullptr, tree);
    ASSERT_TRUE(tree->SetControl("<control treerow = \"1,2,2\" ></control>"));   // rows 3..5
    grid->InsertRow("", 2);
    EXPECT_EQ(4, tree->GetStartRow());
    EXPECT_EQ(7, tree->GetEndRow());
    grid->InsertRow("", 5);                    // inside: the tree grows
    EXPECT_EQ(8, tree->GetEndRow());
    EXPECT_TRUE(grid->DeleteRow(1));
    EXPECT_EQ(3, tree->GetStartRow());
    EXPECT_EQ(7, tree->GetEndRow());
    grid->InsertColumn("", 0, 1);
    EXPECT_EQ(2, tree->GetTreeColumn());
    EXPECT_TRUE(grid->DeleteColumn(1));
    EXPECT_EQ(1, tree->GetTreeColumn());
}

// The sort column keeps naming its column when columns come, go or move.
TEST(StructureFollowers, SortColumnFollowsItsColumn)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> change;
        int sortColumn;
    };
    const Case cases[] = {
        {"column inserted before", [](CGridCtrl& g) { g.InsertColumns(1, 2, FALSE); }, 5},
        {"single column inserted before", [](CGridCtrl& g) { g.InsertColumn("", 0, 2); }, 4},
        {"column inserted after", [](CGridCtrl& g) { g.InsertColumns(4, 1, FALSE); }, 3},
        {"column deleted before", [](CGridCtrl& g) { g.DeleteColumns(1, 1); }, 2},
        {"the sort column deleted", [](CGridCtrl& g) { g.DeleteColumn(3); }, -1},
        {"the sort column moved", [](CGridCtrl& g) { g.MoveColumn(3, 1); }, 2},   // lands after column 1
        {"another column moved over it", [](CGridCtrl& g) { g.MoveColumn(1, 4); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(6, 6, 1, 1);
        ASSERT_TRUE(grid->SortColumn(3, TRUE));
        ASSERT_EQ(3, grid->GetSortColumn());
        c.change(*grid);
        EXPECT_EQ(c.sortColumn, grid->GetSortColumn());
    }
}

namespace {

// Rows 1..7 of column 1 hold a tree of the given levels from row 2; column 2
// holds the sort keys; each row's column 3 names the row it started in.
struct SortedTree {
    std::unique_ptr<CGridCtrl> grid = MakeSheet(9, 4, 1, 1);
    CTreeColumn* tree = nullptr;
    SortedTree(const char* levels, const char* keys)
    {
        tree = grid->AddTree(2, 1);
        EXPECT_TRUE(tree->SetControl((std::string("<control treerow = \"") + levels + "\" ></control>").c_str()));
        for (int r = 1; r < 9; ++r) {
            SetText(*grid, r, 2, std::string(1, keys[r - 1]).c_str());
            SetText(*grid, r, 3, ("r" + std::to_string(r)).c_str());
        }
    }
    std::string Column(int col) const
    {
        std::string s;
        for (int r = 1; r < 9; ++r)
            s += (r > 1 ? " " : "") + Text(*grid, r, col);
        return s;
    }
    std::string Levels() const
    {
        std::string s;
        for (int r = tree->GetStartRow(); r < tree->GetEndRow(); ++r)
            s += (s.empty() ? "" : ",") + std::to_string(tree->GetLevel(r));
        return s;
    }
};

}  // namespace

// A sort over a tree's rows moves each row's level with it when every row
// stays in the tree under its own parent; otherwise it is refused and
// nothing changes.
TEST(StructureFollowers, SortsOverRowTreesKeepTheOutlineOrAreRefused)
{
    struct Case {
        const char* name;
        const char* levels;   // tree from row 2
        const char* keys;     // column 2, rows 1..8
        int low, high;        // rows sorted (high -1: to the last row)
        bool sorted;
        const char* rowsAfter;     // column 3 afterwards
        const char* levelsAfter;
    };
    const Case cases[] = {
        // Children of the root reordered among themselves.
        {"leaves of one node", "1,2,2,2", "zzdbaqqq", 3, 5, true, "r1 r2 r5 r4 r3 r6 r7 r8", "1,2,2,2"},
        {"leaves of one node, descending", "1,2,2,2", "zzabdqqq", 3, 5, true, "r1 r2 r5 r4 r3 r6 r7 r8",
         "1,2,2,2"},
        // A node would end below its own children.
        {"a node below its children", "1,2,3,3,2", "zzmcbnqq", 3, 5, false, "r1 r2 r3 r4 r5 r6 r7 r8",
         "1,2,3,3,2"},
        // Levels travel with their rows when the parents stay.
        {"grandchildren of one node", "1,2,3,3,2", "zzmcbnqq", 4, 5, true, "r1 r2 r3 r5 r4 r6 r7 r8", "1,2,3,3,2"},
        // A leaf would end under another node.
        {"a child leaves its parent", "1,2,3,2,3", "zzbxayqq", 3, 6, false, "r1 r2 r3 r4 r5 r6 r7 r8",
         "1,2,3,2,3"},
        // Rows would leave the tree or enter it.
        {"across the tree's first row", "1,2,2", "cbaqqqqq", 1, 3, false, "r1 r2 r3 r4 r5 r6 r7 r8", "1,2,2"},
        {"across the tree's last row", "1,2,2", "qqqcbaqq", 3, 6, false, "r1 r2 r3 r4 r5 r6 r7 r8", "1,2,2"},
        {"the whole sheet", "1,2,2", "hgfedcba", 1, -1, false, "r1 r2 r3 r4 r5 r6 r7 r8", "1,2,2"},
        // Rows outside the tree sort freely; the tree stays.
        {"beside the tree", "1,2,2", "qqqqdcba", 5, -1, true, "r1 r2 r3 r4 r8 r7 r6 r5", "1,2,2"},
        // Rows that keep their places change nothing in the tree.
        {"across a tree already in order", "1,2,2", "abcdeffg", 1, -1, true, "r1 r2 r3 r4 r5 r6 r7 r8", "1,2,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SortedTree sheet(c.levels, c.keys);
        const BOOL descending = std::string(c.name).find("descending") != std::string::npos;
        EXPECT_EQ(c.sorted, sheet.grid->SortRowRange(CGridCtrl::CompareCellsText, 2, !descending, 0, c.low, c.high) !=
                                FALSE);
        EXPECT_EQ(c.rowsAfter, sheet.Column(3));
        EXPECT_EQ(c.levelsAfter, sheet.Levels());
        EXPECT_EQ(2, sheet.tree->GetStartRow());
    }
}

// SortColumn refuses a sort the tree cannot follow before it changes the
// sort column, the selection or any cell; the folded rows of a sorted node
// stay hidden with their rows.
TEST(StructureFollowers, SortColumnOverATreeIsRefusedWholeOrFollowedWithTheFolds)
{
    SortedTree sheet("1,2,2", "hgfedcba");
    sheet.grid->SetSortColumn(1);
    EXPECT_FALSE(sheet.grid->SortColumn(2, TRUE));
    EXPECT_EQ(1, sheet.grid->GetSortColumn());
    EXPECT_EQ("r1 r2 r3 r4 r5 r6 r7 r8", sheet.Column(3));

    // A node of two leaves, folded, reordered with its hidden children.
    SortedTree folded("1,2,3,3", "zzzyxqqq");
    folded.tree->Collapse(3);
    folded.tree->ApplyRowVisibility();
    ASSERT_EQ(0, folded.grid->GetRowHeight(4));
    EXPECT_TRUE(folded.grid->SortRowRange(CGridCtrl::CompareCellsText, 2, TRUE, 0, 4, 5));
    EXPECT_EQ("r1 r2 r3 r5 r4 r6 r7 r8", folded.Column(3));
    EXPECT_EQ(0, folded.grid->GetRowHeight(4));
    EXPECT_EQ(0, folded.grid->GetRowHeight(5));
    EXPECT_FALSE(folded.tree->IsRowShown(4));
    folded.tree->Expand(3);
    folded.tree->ApplyRowVisibility();
    EXPECT_GT(folded.grid->GetRowHeight(4), 0);
}

// Folding a node moves the focus out of the rows it hides to the nearest
// shown ancestor, and no edit starts in a hidden row.
TEST(StructureFollowers, FoldingMovesTheFocusToTheShownAncestorAndHiddenRowsAreNotEdited)
{
    SortedTree sheet("1,2,3,2", "qqqqqqqq");    // rows 2..5
    sheet.grid->SetFocusCell(4, 2);               // level 3, under row 3
    sheet.tree->Collapse(2);                      // hides rows 3..5
    sheet.tree->ApplyRowVisibility();
    EXPECT_EQ(CGridCellPos(2, 2), sheet.grid->GetFocusCell());

    sheet.tree->ExpandSubtree(2);
    sheet.tree->ApplyRowVisibility();
    sheet.grid->SetFocusCell(4, 2);
    sheet.tree->Collapse(3);                      // hides row 4 only
    sheet.tree->ApplyRowVisibility();
    EXPECT_EQ(CGridCellPos(3, 2), sheet.grid->GetFocusCell());

    // A focus left in a hidden row (hidden by code) opens no editor.
    ASSERT_EQ(0, sheet.grid->GetRowHeight(4));
    EXPECT_FALSE(sheet.grid->EditCell(4, 2));
    sheet.grid->OnEditCell(4, 2, CPoint(0, 0), 'x');
    EXPECT_FALSE(sheet.grid->IsCellEditing(4, 2));
    ASSERT_TRUE(sheet.grid->SetColumnHide(2, TRUE));
    EXPECT_FALSE(sheet.grid->EditCell(3, 2));
}

// A row moved into a tree takes its place there with a tree cell in the
// tree's column; one whose cell there is of another kind (a formula) is
// refused, and a tree cell moved out of the tree becomes a plain cell.
TEST(StructureFollowers, RowsMovedIntoAndOutOfATreeMatchIt)
{
    SortedTree sheet("1,2,2", "qqqqqqqq");      // rows 2..4, column 1
    ASSERT_TRUE(sheet.grid->MoveRow(6, 2));      // lands at 3, inside the tree
    EXPECT_EQ(6, sheet.tree->GetEndRow());
    EXPECT_TRUE(sheet.grid->GetCell(3, 1)->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)));
    EXPECT_EQ("r6", Text(*sheet.grid, 3, 3));

    ASSERT_TRUE(sheet.grid->SetCellFormula(7, 1, "=C1+0"));
    EXPECT_FALSE(sheet.grid->MoveRow(7, 2));
    EXPECT_EQ("=C1+0", std::string(sheet.grid->GetCellFormula(7, 1).Str()));
    EXPECT_EQ(6, sheet.tree->GetEndRow());

    ASSERT_TRUE(sheet.grid->MoveRow(4, 7));      // a leaf carried out
    EXPECT_EQ(5, sheet.tree->GetEndRow());
    EXPECT_FALSE(sheet.grid->GetCell(7, 1)->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)));
}
