// Row trees in a real grid object: the attribute text, commands and queries,
// structure edits with the grid's rows, cells and heights, folding, sums,
// rows and columns around a tree, and the records.
#include "GridTestUtil.h"
#include "RecordBytes.h"

#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridtest::MakeSheet;

namespace {

// A sheet of 12 rows and 4 columns (1 fixed row and column) holding, from
// row 1 in column 1, a tree of the given levels; each tree row's cells carry
// "r<row>" in column 1 and "c<row>" in column 2, and row heights 20 + row.
struct TreeSheet {
    std::unique_ptr<CGridCtrl> grid = MakeSheet(12, 4, 1, 1);
    CTreeColumn* tree = nullptr;

    explicit TreeSheet(const char* levels, int rows = 12)
    {
        grid = MakeSheet(rows, 4, 1, 1);
        tree = grid->AddTree(1, 1);
        std::string text = std::string("<control treerow = \"") + levels + "\" ></control>";
        EXPECT_TRUE(tree->SetControl(text.c_str()));
        for (int r = 1; r < grid->GetRowCount(); ++r) {
            grid->SetCellText(r, 1, ("r" + std::to_string(r)).c_str());
            grid->SetCellText(r, 2, ("c" + std::to_string(r)).c_str());
            grid->SetRowHeight(r, 20 + r);
        }
    }
    std::string Levels() const
    {
        std::string s;
        for (int r = tree->GetStartRow(); r < tree->GetEndRow(); ++r)
            s += (s.empty() ? "" : ",") + std::to_string(tree->GetLevel(r));
        return s;
    }
    // The texts of column nCol from row 1 to the end of the tree.
    std::string Column(int nCol) const
    {
        std::string s;
        for (int r = 1; r < tree->GetEndRow(); ++r)
            s += (s.empty() ? "" : " ") + std::string(static_cast<LPCTSTR>(grid->GetCellText(r, nCol)));
        return s;
    }
    std::string Heights() const
    {
        std::string s;
        for (int r = 1; r < tree->GetEndRow(); ++r)
            s += (s.empty() ? "" : " ") + std::to_string(grid->GetRowHeight(r));
        return s;
    }
    bool AllTreeCells() const
    {
        for (int r = tree->GetStartRow(); r < tree->GetEndRow(); ++r) {
            CGridCellBase* cell = grid->GetCell(r, tree->GetTreeColumn());
            if (cell == nullptr || !cell->IsKindOf(RUNTIME_CLASS(CGridTreeCell)) ||
                static_cast<CGridTreeCell*>(cell)->GetTree() != tree)
                return false;
        }
        return true;
    }
};

const char* const kDefaultText =
    "<control treerow = \"1,2,3\"  startrow =\"1\"  treecolumn =\"1\"  linecolor =\"8684164\"  linestyle =\"2\"  "
    "boxsize = \"13\"  boxlinecolor = \"8684164\"  boxlinestyle = \"0\"  showrectangle = \"1\"  showline = \"1\"  "
    "boxbgcolor = \"16777215\"  ></control>";

}  // namespace

TEST(TreeColumn, AddTreeMakesOneRootAndWritesTheTextByteForByte)
{
    auto grid = MakeSheet(10, 3, 1, 1);
    EXPECT_EQ(grid->AddTree(0, 1), nullptr);     // row 0
    EXPECT_EQ(grid->AddTree(10, 1), nullptr);    // past the rows
    EXPECT_EQ(grid->AddTree(2, 3), nullptr);     // past the columns
    CTreeColumn* tree = grid->AddTree(2, 1);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(grid->AddTree(2, 2), nullptr);     // the row is taken, whatever the column
    EXPECT_EQ(grid->GetTreeCount(), 1);
    EXPECT_EQ(tree->GetEndRow(), 3);
    EXPECT_EQ(std::string(tree->GetControlProperty("getrowcount")), "3");
    EXPECT_EQ(std::string(tree->GetControlProperty("haschild(2)")), "0");   // a root without children
    EXPECT_TRUE(grid->GetCell(2, 1)->IsKindOf(RUNTIME_CLASS(CGridTreeCell)));

    tree->AddChild(2);
    tree->AddChild(3);
    std::string expected = kDefaultText;
    expected.replace(expected.find("startrow =\"1\""), 13, "startrow =\"2\"");
    EXPECT_EQ(std::string(tree->GetAttributeText()), expected);
    EXPECT_EQ(tree->GetRecordSize(), static_cast<int>(expected.size()) + 25);
    EXPECT_EQ(std::string(grid->GetColumnControlTree(3, 1)), expected);
    EXPECT_EQ(std::string(grid->GetColumnControlTree(3, 2)), "");
}

TEST(TreeColumn, ReadsBothSeparatorsAndWritesTheDefaultsBack)
{
    const char* const texts[] = {"<control treerow = \"1,2,3\" ></control>",
                                 "<control treerow = \"1 , 2 , 3\" ></control>"};
    for (const char* text : texts) {
        auto grid = MakeSheet(10, 3, 1, 1);
        CTreeColumn* tree = grid->AddTree(1, 1);
        ASSERT_TRUE(tree->SetControl(text)) << text;
        EXPECT_EQ(std::string(tree->GetAttributeText()), kDefaultText) << text;
        const std::string control = static_cast<LPCTSTR>(tree->GetControl());
        for (const char* piece : {"startrow", "treecolumn", "linecolor = \"RGB(132,130,132)\"", "linestyle = \"2\"",
                                  "boxsize = \"13\"", "showrectangle = \"1\"", "boxbgcolor = \"RGB(255,255,255)\""})
            EXPECT_NE(control.find(piece), std::string::npos) << piece;
    }
    // Colours as decimal or RGB, flags as "true".
    auto grid = MakeSheet(10, 3, 1, 1);
    CTreeColumn* tree = grid->AddTree(1, 1);
    ASSERT_TRUE(tree->SetControl("<control treerow = \"1,2\" linecolor = \"RGB(1,2,3)\" boxbgcolor = \"255\" "
                                 "showline = \"TRUE\" showrectangle = \"no\" linestyle = \"0\" ></control>"));
    EXPECT_EQ(tree->GetLineColor(), RGB(1, 2, 3));
    EXPECT_EQ(tree->GetBoxBackColor(), static_cast<COLORREF>(255));
    EXPECT_TRUE(tree->GetShowLine());
    EXPECT_FALSE(tree->GetShowRectangle());
    EXPECT_EQ(tree->GetLineStyle(), 0);
}

TEST(TreeColumn, RefusesTextsTheGridCannotHold)
{
    auto grid = MakeSheet(10, 3, 1, 1);
    CTreeColumn* first = grid->AddTree(1, 1);
    ASSERT_TRUE(first->SetControl("<control treerow = \"1,2,2\" ></control>"));   // rows 1..3
    CTreeColumn* second = grid->AddTree(5, 2);
    ASSERT_NE(second, nullptr);
    const std::string before = static_cast<LPCTSTR>(second->GetAttributeText());
    const char* const refused[] = {
        "<control treerow = \"1\" startrow = \"3\" ></control>",       // into the first tree
        "<control treerow = \"1\" startrow = \"99\" ></control>",      // past the rows
        "<control treerow = \"1\" treecolumn = \"7\" ></control>",     // past the columns
        "<control treerow = \"\" ></control>",                           // no rows
    };
    for (const char* text : refused) {
        EXPECT_FALSE(second->SetControl(text)) << text;
        EXPECT_EQ(std::string(second->GetAttributeText()), before) << text;
    }
    // A text without "treerow" leaves the tree as it was.
    EXPECT_TRUE(second->SetControl("<control linestyle = \"1\" ></control>"));
    EXPECT_EQ(std::string(second->GetAttributeText()), before);
    EXPECT_EQ(grid->GetRowCount(), 10);
}

TEST(TreeColumn, QueriesAnswerAsTheTreeStands)
{
    // Rows 1..6: 1 / 2 (3 3) / 2 (3)
    TreeSheet s("1,2,3,3,2,3");
    struct Case {
        const char* query;
        const char* answer;
    } cases[] = {
        {"getrowcount", "7"},   {"getstartrow", "1"},    {"gettreelevel(3)", "3"}, {"gettreelevel(9)", "-1"},
        {"haschild(1)", "1"},   {"haschild(2)", "1"},    {"haschild(3)", "0"},     {"haschild(6)", "0"},
        {"haschild(1", "-1"},   {"haschild(99)", "-1"},  {"getstate(2)", "0"},     {"ischild(3,2)", "1"},
        {"ischild(4,2)", "1"},  {"ischild(4,1)", "0"},   {"ischild(6,2)", "0"},    {"ischild(2,3)", "-1"},
        {"ischild(9,1)", "-1"}, {"ischild(2", "-1"},     {"linestyle", "2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(s.tree->GetControlProperty(c.query)), c.answer) << c.query;
    EXPECT_EQ(s.tree->SetControlProperty("collapsetree", "2"), 1);
    EXPECT_EQ(std::string(s.tree->GetControlProperty("getstate(2)")), "1");
    EXPECT_EQ(std::string(s.tree->GetControlProperty("getstate(5)")), "0");

    EXPECT_EQ(s.tree->GetChildCount(1), 2);
    EXPECT_EQ(s.tree->GetChildCount(2), 2);
    EXPECT_EQ(s.tree->GetChildCount(3), 0);
    EXPECT_EQ(s.tree->GetDescendantCount(1), 5);
    EXPECT_EQ(s.tree->GetDescendantCount(2), 2);
    EXPECT_EQ(s.tree->GetChildRow(1, 2), 5);
    EXPECT_EQ(s.tree->GetChildRow(1, 3), -1);
    EXPECT_EQ(s.tree->GetChildRow(1, 0), -1);
    EXPECT_EQ(s.tree->GetChildIndex(4), 2);
    EXPECT_EQ(s.tree->GetChildIndex(5), 2);
    EXPECT_EQ(s.tree->GetChildIndex(1), 1);
    EXPECT_EQ(s.tree->GetParentRow(4), 2);
    EXPECT_EQ(s.tree->GetParentRow(6), 5);
    EXPECT_EQ(s.tree->GetParentRow(1), 0);
    EXPECT_EQ(s.tree->GetLevel(7), -1);
    EXPECT_EQ(s.tree->DelControlProperty("treerow"), FALSE);
}

TEST(TreeColumn, AddAndInsertChildMoveTheGridRows)
{
    TreeSheet s("1,2,3,3,2,3");
    // After node 2's subtree: a grid row is inserted at 5.
    EXPECT_EQ(s.tree->AddChild(2), 5);
    EXPECT_EQ(s.Levels(), "1,2,3,3,3,2,3");
    EXPECT_EQ(s.Column(2), "c1 c2 c3 c4  c5 c6");
    EXPECT_EQ(s.grid->GetRowCount(), 13);
    EXPECT_TRUE(s.AllTreeCells());

    // Insert before child 1 and after child 1's subtree.
    EXPECT_EQ(s.tree->InsertChild(2, 1, FALSE), 3);
    EXPECT_EQ(s.Levels(), "1,2,3,3,3,3,2,3");
    EXPECT_EQ(s.tree->InsertChild(1, 1, TRUE), 7);          // after node 2's whole subtree
    EXPECT_EQ(s.Levels(), "1,2,3,3,3,3,2,2,3");
    EXPECT_EQ(s.tree->InsertChild(1, 0, TRUE), 2);          // first child
    EXPECT_EQ(s.Levels(), "1,2,2,3,3,3,3,2,2,3");
    EXPECT_EQ(s.tree->InsertChild(1, 9, FALSE), -1);        // n above child count + 1
    EXPECT_EQ(s.tree->InsertChild(1, 5, FALSE), 11);        // count + 1: after the last child
    EXPECT_EQ(s.Levels(), "1,2,2,3,3,3,3,2,2,3,2");
    EXPECT_EQ(s.tree->AddChild(99), -1);
    EXPECT_TRUE(s.AllTreeCells());
}

TEST(TreeColumn, AppendingAtTheEndTakesTheNextRowOrGrowsTheGrid)
{
    TreeSheet s("1,2", 4);      // rows 1, 2 of a 4-row grid
    EXPECT_EQ(s.tree->AddChild(2), 3);   // row 3 joins the tree
    EXPECT_EQ(s.grid->GetRowCount(), 4);
    EXPECT_EQ(s.Column(2), "c1 c2 c3");
    EXPECT_EQ(s.tree->AddChild(1), 4);   // the grid grows by one row
    EXPECT_EQ(s.grid->GetRowCount(), 5);
    EXPECT_EQ(s.Levels(), "1,2,3,2");
    EXPECT_TRUE(s.AllTreeCells());

    // A tree right below: the row is inserted, and the other tree moves down.
    auto grid = MakeSheet(8, 3, 1, 1);
    CTreeColumn* upper = grid->AddTree(1, 1);
    CTreeColumn* lower = grid->AddTree(2, 2);
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(upper->AddChild(1), 2);
    EXPECT_EQ(lower->GetStartRow(), 3);
    EXPECT_EQ(grid->GetRowCount(), 9);
}

TEST(TreeColumn, DeleteChildAndDeleteTreeRemoveWholeSubtrees)
{
    TreeSheet s("1,2,3,3,2,3");
    EXPECT_FALSE(s.tree->DeleteChild(1, 3));
    EXPECT_TRUE(s.tree->DeleteChild(1, 1));
    EXPECT_EQ(s.Levels(), "1,2,3");
    EXPECT_EQ(s.Column(2), "c1 c5 c6");
    EXPECT_EQ(s.grid->GetRowCount(), 9);
    EXPECT_EQ(s.Heights(), "21 25 26");

    TreeSheet t("1,2,3,3,2,3,2");
    EXPECT_EQ(t.tree->SetControlProperty("deletetree", "1,1"), 0);    // at the root
    EXPECT_EQ(t.tree->DeleteTree(2, 2), 5);                            // node 2, then node 5
    EXPECT_EQ(t.Levels(), "1,2");
    EXPECT_EQ(t.Column(2), "c1 c7");
    EXPECT_EQ(t.tree->SetControlProperty("deletetree", "2,9"), 1);    // stops at the end
    EXPECT_EQ(t.Levels(), "1");
    EXPECT_TRUE(t.AllTreeCells());
}

TEST(TreeColumn, InsertTreeCommand)
{
    TreeSheet s("1,2,3,2");
    EXPECT_EQ(s.tree->SetControlProperty("inserttree", "\"1\",1"), 0);          // a root below the root
    EXPECT_EQ(s.tree->SetControlProperty("inserttree", "\"\",2"), 0);
    EXPECT_EQ(s.tree->SetControlProperty("inserttree", "\"3 , 4\",2"), 1);     // after node 2's subtree
    EXPECT_EQ(s.Levels(), "1,2,3,3,4,2");
    EXPECT_EQ(s.Column(2), "c1 c2 c3   c4");
    EXPECT_EQ(s.tree->SetControlProperty("inserttree", "\"2\",1"), 1);         // at the end of the tree
    EXPECT_EQ(s.Levels(), "1,2,3,3,4,2,2");
    EXPECT_TRUE(s.AllTreeCells());
}

TEST(TreeColumn, MovesCarryCellsAndHeightsWithTheSubtree)
{
    // 1 / 2 a (3) / 2 b (3 3)
    TreeSheet s("1,2,3,2,3,3");
    EXPECT_EQ(s.tree->MoveNodeUp(1), -1);       // the root
    EXPECT_EQ(s.tree->MoveNodeUp(2), -1);       // no earlier row of level 2
    EXPECT_EQ(s.tree->MoveNodeUp(4), 2);        // b above a
    EXPECT_EQ(s.Levels(), "1,2,3,3,2,3");
    EXPECT_EQ(s.Column(2), "c1 c4 c5 c6 c2 c3");
    EXPECT_EQ(s.Heights(), "21 24 25 26 22 23");
    EXPECT_EQ(s.tree->MoveNodeDown(2), 4);      // b back below a
    EXPECT_EQ(s.Column(2), "c1 c2 c3 c4 c5 c6");
    EXPECT_EQ(s.Heights(), "21 22 23 24 25 26");
    // Across the parent's border: a's child goes below b's first child.
    EXPECT_EQ(s.tree->MoveNodeDown(3), 5);
    EXPECT_EQ(s.Levels(), "1,2,2,3,3,3");
    EXPECT_EQ(s.Column(2), "c1 c2 c4 c5 c3 c6");
    EXPECT_EQ(s.tree->MoveNodeDown(6), -1);
    EXPECT_TRUE(s.AllTreeCells());
}

TEST(TreeColumn, LevelChangesTakeTheSubtreeAlong)
{
    TreeSheet s("1,2,2,3,4,2");
    EXPECT_FALSE(s.tree->UpLevel(1));
    EXPECT_FALSE(s.tree->UpLevel(2));           // a child of the root
    EXPECT_FALSE(s.tree->DownLevel(2));         // no earlier sibling
    EXPECT_TRUE(s.tree->DownLevel(3));          // under node 2, with its subtree
    EXPECT_EQ(s.Levels(), "1,2,3,4,5,2");
    EXPECT_TRUE(s.tree->UpLevel(4));
    EXPECT_EQ(s.Levels(), "1,2,3,3,4,2");
    EXPECT_EQ(s.Column(2), "c1 c2 c3 c4 c5 c6");
}

TEST(TreeColumn, FoldingHidesRowsAndGivesBackTheirHeights)
{
    TreeSheet s("1,2,3,3,2");
    s.grid->SetRowHeight(3, 7);     // shorter than the default
    s.grid->SetRowHeight(4, 40);
    s.tree->ToggleNode(1);          // no window: nobody refuses
    EXPECT_EQ(s.Heights(), "21 0 0 0 0");
    EXPECT_EQ(std::string(s.tree->GetControlProperty("getstate(1)")), "1");
    s.tree->ToggleNode(1);          // the whole branch
    EXPECT_EQ(s.Heights(), "21 22 7 40 25");
    s.tree->Collapse(2);
    s.tree->ApplyRowVisibility();
    EXPECT_EQ(s.Heights(), "21 22 0 0 25");
    s.tree->Expand(1);              // one level: node 2's children stay hidden
    s.tree->ApplyRowVisibility();
    EXPECT_EQ(s.Heights(), "21 22 0 0 25");
    EXPECT_EQ(s.tree->SetControlProperty("expandsubtrees", "1"), 1);
    EXPECT_EQ(s.Heights(), "21 22 7 40 25");
    // A row that was at 0 before any fold comes back at the default height.
    s.grid->SetRowHeight(5, 0);
    s.tree->SetControlProperty("expandsubtrees", "1");
    EXPECT_EQ(s.grid->GetRowHeight(5), s.grid->GetDefaultCell(FALSE, FALSE)->GetHeight());
    // The last tree row and a leaf cannot fold.
    s.tree->ToggleNode(5);
    s.tree->ToggleNode(3);
    EXPECT_EQ(s.Heights(), "21 22 7 40 " + std::to_string(s.grid->GetRowHeight(5)));
}

TEST(TreeColumn, BoxSizeBelowTenIsIgnored)
{
    TreeSheet s("1,2");
    s.tree->SetBoxSize(9);
    EXPECT_EQ(s.tree->GetBoxSize(), 13);
    s.tree->SetBoxSize(0x1000A);                // only the low 16 bits count
    EXPECT_EQ(s.tree->GetBoxSize(), 10);
    EXPECT_EQ(s.tree->GetIndent(), 10);
    EXPECT_EQ(static_cast<CGridTreeCell*>(s.grid->GetCell(2, 1))->GetBoxSize(), 10);
}

TEST(TreeColumn, SumsAndAveragesIntoTheTreeColumnAndAnother)
{
    TreeSheet s("1,2,3,2,2");
    s.grid->SetCellValue(2, 1, 1.5);
    s.grid->SetCellText(4, 1, "2.25");
    s.grid->SetCellValue(5, 1, 3);
    EXPECT_DOUBLE_EQ(s.tree->SumChildren(1), 6.75);
    EXPECT_EQ(std::string(s.grid->GetCellText(1, 1)), "6.75");
    EXPECT_DOUBLE_EQ(s.tree->AverageChildren(1), 2.25);
    EXPECT_EQ(std::string(s.grid->GetCellText(1, 1)), "2.25");
    s.grid->SetCellText(3, 1, "keep");
    EXPECT_DOUBLE_EQ(s.tree->AverageChildren(3), 0.0);       // no children: nothing written
    EXPECT_EQ(std::string(s.grid->GetCellText(3, 1)), "keep");

    s.grid->SetCellValue(2, 3, 10);
    s.grid->SetCellValue(4, 3, 5);
    s.grid->SetCellText(5, 3, "x");
    EXPECT_DOUBLE_EQ(s.tree->SumChildrenInColumn(1, 3), 15.0);
    EXPECT_EQ(std::string(s.grid->GetCellText(1, 3)), "15");
    EXPECT_DOUBLE_EQ(s.tree->AverageChildrenInColumn(1, 3), 5.0);
    EXPECT_DOUBLE_EQ(s.tree->SumChildrenInColumn(1, 9), 0.0);
}

TEST(TreeColumn, FollowsRowsAndColumnsAroundIt)
{
    TreeSheet s("1,2,3,2");
    s.grid->InsertRows(1, 2);                   // above: the tree moves down
    EXPECT_EQ(s.tree->GetStartRow(), 3);
    EXPECT_EQ(s.tree->GetEndRow(), 7);
    s.grid->InsertRows(5, 1);                   // inside: the row joins beside the one it pushed
    EXPECT_EQ(s.Levels(), "1,2,3,3,2");
    EXPECT_TRUE(s.AllTreeCells());
    s.grid->InsertRows(8, 1);                   // below: nothing
    EXPECT_EQ(s.tree->GetEndRow(), 8);
    s.grid->DeleteRows(2, 2);                   // one row above and the root
    EXPECT_EQ(s.tree->GetStartRow(), 2);
    EXPECT_EQ(s.Levels(), "1,2,3,2");          // the rest stays a tree
    s.grid->InsertColumns(1, 1);
    EXPECT_EQ(s.tree->GetTreeColumn(), 2);
    EXPECT_TRUE(s.AllTreeCells());
    s.grid->DeleteColumns(1, 1);
    EXPECT_EQ(s.tree->GetTreeColumn(), 1);
    EXPECT_NE(std::string(s.tree->GetAttributeText()).find("treecolumn =\"1\""), std::string::npos);

    std::weak_ptr<const void> alive = s.tree->GetLiveness();
    s.grid->DeleteColumns(1, 1);                // the tree column goes: so does the tree
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(s.grid->GetTreeCount(), 0);

    TreeSheet t("1,2");
    alive = t.tree->GetLiveness();
    t.grid->DeleteRows(1, 2);
    EXPECT_TRUE(alive.expired());
}

TEST(TreeColumn, TheGridsListFindsAndDeletesTrees)
{
    auto grid = MakeSheet(12, 4, 1, 1);
    CTreeColumn* a = grid->AddTree(1, 1);
    a->SetControl("<control treerow = \"1,2,2\" ></control>");
    CTreeColumn* b = grid->AddTree(6, 2);
    EXPECT_EQ(grid->FindTreeIndex(3, 1), 0);
    EXPECT_EQ(grid->FindTreeIndex(6, 2), 1);
    EXPECT_EQ(grid->FindTreeIndex(6, 1), -1);
    EXPECT_EQ(grid->FindColumnControlTree(2, 1), a);
    int row = 0, col = 0;
    EXPECT_TRUE(grid->GetColumnTreeStart(1, row, col));
    EXPECT_EQ(row, 6);
    EXPECT_EQ(col, 2);
    EXPECT_FALSE(grid->GetColumnTreeStart(2, row, col));
    EXPECT_EQ(row, -1);
    EXPECT_EQ(grid->SetColumnControlTreeProperty(2, 1, "linestyle", "3"), 4);   // its index in the text
    EXPECT_EQ(a->GetLineStyle(), 3);
    EXPECT_EQ(std::string(grid->GetColumnControlTreeProperty(2, 1, "getrowcount")), "4");
    EXPECT_EQ(grid->SetColumnControlTreeProperty(2, 1, "", "3"), 0);

    a->Collapse(1);
    a->ApplyRowVisibility();
    EXPECT_EQ(grid->GetRowHeight(2), 0);
    EXPECT_FALSE(grid->DeleteColumnControlTree(2, 2));
    EXPECT_TRUE(grid->DeleteColumnControlTree(2, 1));
    EXPECT_EQ(grid->GetTreeCount(), 1);
    EXPECT_EQ(grid->GetTreeAt(0), b);
    EXPECT_FALSE(grid->GetCell(2, 1)->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)));
    EXPECT_GT(grid->GetRowHeight(2), 0);        // folded rows are shown again

    // A text places a new tree; the tree starting there takes the next one.
    EXPECT_TRUE(grid->SetColumnControlTree(1, 1, "<control treerow = \"1,2\" ></control>"));
    EXPECT_EQ(grid->GetTreeCount(), 2);
    EXPECT_TRUE(grid->SetColumnControlTree(1, 1, "<control treerow = \"1,2,2\" ></control>"));
    EXPECT_EQ(grid->GetTreeCount(), 2);
    EXPECT_FALSE(grid->SetColumnControlTree(6, 1, "<control treerow = \"1\" ></control>"));   // b's row
}

TEST(TreeColumn, RecordGoldenBytesAndReload)
{
    TreeSheet s("1,2");
    const std::string text = static_cast<LPCTSTR>(s.tree->GetAttributeText());
    const gridtest::Bytes bytes = gridtest::StoreBytes([&](CArchive& ar) { s.tree->Serialize(ar); });
    const gridtest::Bytes expected = gridtest::ByteBuilder()
                                         .Int(static_cast<int>(text.size()) + 25)
                                         .Ints({4101, static_cast<int>(text.size()) + 1})
                                         .Text(text)
                                         .Ints({4102, 8, 1, 1, 4300})
                                         .Get();
    EXPECT_EQ(bytes, expected);

    auto grid = MakeSheet(8, 3, 1, 1);
    EXPECT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { EXPECT_TRUE(grid->SetColumnControlTree(1, 1, ar)); }));
    ASSERT_EQ(grid->GetTreeCount(), 1);
    EXPECT_EQ(std::string(grid->GetTreeAt(0)->GetAttributeText()), text);
    EXPECT_TRUE(grid->GetCell(2, 1)->IsKindOf(RUNTIME_CLASS(CGridTreeCell)));

    // Fields in another order, with a field the reader does not know.
    const std::string reordered = "<control treerow = \"1,2,2\" ></control>";
    const gridtest::Bytes other = gridtest::ByteBuilder()
                                      .Int(static_cast<int>(reordered.size()) + 25 + 12)
                                      .Ints({4102, 8, 2, 2, 4999, 4, 7, 4101, static_cast<int>(reordered.size()) + 1})
                                      .Text(reordered)
                                      .Int(4300)
                                      .Get();
    auto third = MakeSheet(8, 3, 1, 1);
    EXPECT_TRUE(gridtest::LoadBytes(other, [&](CArchive& ar) { EXPECT_TRUE(third->SetColumnControlTree(2, 2, ar)); }));
    ASSERT_EQ(third->GetTreeCount(), 1);
    EXPECT_EQ(third->GetTreeAt(0)->GetStartRow(), 2);
    EXPECT_EQ(third->GetTreeAt(0)->GetTreeColumn(), 2);
    EXPECT_EQ(third->GetTreeAt(0)->GetRowCount(), 3);

    // A position in the header row is not taken: the tree lands where asked
    // and writes that position back.
    const gridtest::Bytes header = gridtest::ByteBuilder()
                                       .Int(static_cast<int>(reordered.size()) + 25)
                                       .Ints({4101, static_cast<int>(reordered.size()) + 1})
                                       .Text(reordered)
                                       .Ints({4102, 8, 0, 0, 4300})
                                       .Get();
    auto fourth = MakeSheet(8, 3, 1, 1);
    EXPECT_TRUE(gridtest::LoadBytes(header, [&](CArchive& ar) { EXPECT_TRUE(fourth->SetColumnControlTree(1, 1, ar)); }));
    ASSERT_EQ(fourth->GetTreeCount(), 1);
    EXPECT_EQ(fourth->GetTreeAt(0)->GetStartRow(), 1);
    EXPECT_EQ(fourth->GetTreeAt(0)->GetTreeColumn(), 1);

    // Truncated records and lengths beyond what remains are refused.
    gridtest::Bytes longer = expected;
    longer[8] = 0x7F;                              // the text's length
    for (const gridtest::Bytes& bad :
         {gridtest::Bytes(expected.begin(), expected.begin() + 3), gridtest::Bytes(expected.begin(), expected.begin() + 12),
          gridtest::Bytes(expected.begin(), expected.end() - 4), longer}) {
        auto sheet = MakeSheet(8, 3, 1, 1);
        EXPECT_FALSE(gridtest::LoadBytes(bad, [&](CArchive& ar) { EXPECT_FALSE(sheet->SetColumnControlTree(1, 1, ar)); }));
        EXPECT_EQ(sheet->GetTreeCount(), 0);
    }
    const gridtest::Bytes empty = gridtest::ByteBuilder().Ints({0, 4300}).Get();
    auto sheet = MakeSheet(8, 3, 1, 1);
    ULONGLONG remaining = 1;
    gridtest::LoadBytes(empty, [&](CArchive& ar) { EXPECT_FALSE(sheet->SetColumnControlTree(1, 1, ar)); }, &remaining);
    EXPECT_EQ(remaining, 0u);
    EXPECT_EQ(sheet->GetTreeCount(), 0);
}

TEST(TreeColumn, TreeCellRecords)
{
    auto grid = MakeSheet(4, 3, 1, 1);
    grid->AddTree(1, 1);
    CGridCellBase* cell = grid->GetCell(1, 1);
    auto bytesOf = [](CGridCellBase* c) {
        return gridtest::StoreBytes([&](CArchive& ar) { c->SerializeRecord(ar, nullptr); });
    };
    // Empty: neither 4001 nor 4002; the ordinary cell's level is not written.
    ASSERT_EQ(cell->CGridCellBase::GetRecordSize(), 0);
    EXPECT_EQ(bytesOf(cell), gridtest::ByteBuilder().Ints({0, 0, 0, 1999, 4000, 4100}).Get());

    cell->SetValue(2.5);
    const int base = cell->CGridCellBase::GetRecordSize();
    const gridtest::Bytes baseBytes = gridtest::StoreBytes([&](CArchive& ar) { cell->CGridCellBase::SerializeRecord(ar, nullptr); });
    const int treeBase = base + 8;
    gridtest::ByteBuilder numeric;
    numeric.Int(treeBase + 16 + 8).Int(treeBase).Raw(baseBytes).Int(4000).Ints({4001, 8}).Double(2.5).Int(4100);
    EXPECT_EQ(bytesOf(cell), numeric.Get());
    EXPECT_EQ(cell->GetRecordSize(), treeBase + 16 + 8);

    cell->SetText("ab");
    const gridtest::Bytes textBytes = bytesOf(cell);
    const gridtest::Bytes textTail = gridtest::ByteBuilder().Ints({4002, 3}).Text("ab").Int(4100).Get();
    ASSERT_GE(textBytes.size(), textTail.size());
    EXPECT_EQ(gridtest::Bytes(textBytes.end() - static_cast<std::ptrdiff_t>(textTail.size()), textBytes.end()), textTail);

    cell->SetBackColor(RGB(1, 2, 3));
    const gridtest::Bytes coloured = bytesOf(cell);
    auto reloaded = std::make_unique<CGridTreeCell>();
    reloaded->SetGrid(grid.get());
    reloaded->SetCoords(1, 1);
    EXPECT_TRUE(gridtest::LoadBytes(coloured, [&](CArchive& ar) { reloaded->SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(std::string(reloaded->GetText()), "ab");
    EXPECT_EQ(reloaded->GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(bytesOf(reloaded.get()), coloured);
    // A truncated record leaves the archive failed, never read past.
    gridtest::Bytes cut(coloured.begin(), coloured.end() - 6);
    auto broken = std::make_unique<CGridTreeCell>();
    EXPECT_FALSE(gridtest::LoadBytes(cut, [&](CArchive& ar) { broken->SerializeRecord(ar, nullptr); }));
}

TEST(TreeColumn, CellsOfADeletedTreeForgetIt)
{
    auto grid = MakeSheet(6, 3, 1, 1);
    CTreeColumn* tree = grid->AddTree(1, 1);
    tree->AddChild(1);
    // A tree cell carried elsewhere keeps no tie to its tree.
    auto stray = std::make_unique<CGridTreeCell>();
    stray->SetGrid(grid.get());
    stray->SetCoords(2, 1);
    stray->AttachTree(tree);
    EXPECT_EQ(stray->GetTree(), tree);
    stray->SetCoords(4, 1);
    EXPECT_EQ(stray->GetTree(), nullptr);
    stray->SetCoords(2, 1);
    grid->DeleteAllCells();
    EXPECT_EQ(stray->GetTree(), nullptr);
    EXPECT_EQ(stray->GetLevelByte(), 0x80);
    stray->OnClickDown(CPoint(5, 5));          // nothing to fold, nothing touched
}

// Reading a text shows every row of the tree, whatever its length (the row
// count cut to a byte hid a tree of 256 rows).
TEST(TreeColumn, ReadingATextShowsEveryRow)
{
    for (int rows : {127, 128, 256, 300}) {
        auto grid = MakeSheet(4, 3, 1, 1);
        CTreeColumn* tree = grid->AddTree(1, 1);
        std::string levels = "1";
        for (int i = 1; i < rows; ++i)
            levels += i % 3 == 0 ? ",2" : ",3";
        levels[2] = '2';
        ASSERT_TRUE(tree->SetControl(("<control treerow = \"" + levels + "\" ></control>").c_str())) << rows;
        EXPECT_EQ(tree->GetRowCount(), rows);
        EXPECT_EQ(grid->GetRowCount(), 1 + rows);
        int hidden = 0;
        for (int r = 1; r <= rows; ++r)
            hidden += grid->GetRowHeight(r) == 0 || !tree->IsRowShown(r) ? 1 : 0;
        EXPECT_EQ(hidden, 0) << rows;
    }
}

// A tree text whose rows have no top-level node: deleting its node would
// remove every row of the tree; the tree keeps its row and the grid its rows.
TEST(TreeColumn, DeletingNeverEmptiesATree)
{
    CGridCtrl grid(10, 5, 1, 1);
    grid.AddTree(1, 1);
    grid.SetColumnControlTree(1, 1, "<control treerow = \"2\" boxsize = \"5\" ></cont|ol>");
    ASSERT_EQ(1, grid.GetTreeCount());
    CTreeColumn* tree = grid.GetTreeAt(0);
    const int rows = grid.GetRowCount();
    EXPECT_EQ(0, tree->SetControlProperty("deletetree", "1,2"));
    EXPECT_GE(tree->GetRowCount(), 1);
    EXPECT_EQ(rows, grid.GetRowCount());
}
