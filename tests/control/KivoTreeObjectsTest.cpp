// KivoTree and KivoTreeNode through the portable control core, and the
// control's tree members: the objects over a tree in a 12 x 4 sheet (one
// fixed row and column), empty objects, and objects whose tree is gone.
#include "control/KivoObjectFactory.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoTreeObjects.h"
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Sheet {
    Sheet()
    {
        ctl.RowSetCount(12);
        ctl.ColumnSetCount(4);
        ctl.RowSetFixedCount(1);
        ctl.ColumnSetFixedCount(1);
    }
    CGridCtrl& grid() { return *ctl.GetGrid()->GetGridCtrl(); }
    CKivoSheetCtrl ctl;
};

CKivoTree* AsTree(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoTree*>(p.get());
}

CKivoTreeNode* AsNode(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoTreeNode*>(p.get());
}

LONG Row(CKivoTreeNode* node)
{
    LONG row = -7;
    node->get_RowIndex(row);
    return row;
}

LONG Level(CKivoTreeNode* node)
{
    LONG level = -7;
    node->get_Level(level);
    return level;
}

std::string Levels(CTreeColumn& tree)
{
    std::string s;
    for (int r = tree.GetStartRow(); r < tree.GetEndRow(); ++r)
        s += (s.empty() ? "" : ",") + std::to_string(tree.GetLevel(r));
    return s;
}

}  // namespace

TEST(KivoTreeMembers, AddFindCountAndDeleteTrees)
{
    Sheet s;
    EXPECT_EQ(s.ctl.GridAddTree(0, 1), nullptr);
    CKivoObjectPtr tree = s.ctl.GridAddTree(2, 1);
    ASSERT_NE(AsTree(tree), nullptr);
    EXPECT_EQ(s.ctl.GridAddTree(2, 2), nullptr);       // the row is taken
    EXPECT_EQ(s.ctl.GridGetTreeCount(), 1);
    EXPECT_EQ(s.ctl.GridGetColumnTreeCount(), 1);
    EXPECT_EQ(s.ctl.GridGetColumnTreeStartJ(0, 0), 2);
    EXPECT_EQ(s.ctl.GridGetColumnTreeStartJ(0, 1), 1);
    EXPECT_EQ(s.ctl.GridGetColumnTreeStartJ(1, 0), -1);
    EXPECT_NE(AsTree(s.ctl.GridGetTreeEx(2, 1)), nullptr);
    EXPECT_EQ(s.ctl.GridGetTreeEx(3, 1), nullptr);
    // Out of range: an object that holds no tree.
    CKivoObjectPtr empty = s.ctl.GridGetTree(5);
    ASSERT_NE(AsTree(empty), nullptr);
    EXPECT_EQ(AsTree(empty)->GetTree(), nullptr);

    EXPECT_TRUE(s.ctl.ColumnSetControlTree(2, 1, "<control treerow = \"1,2,2\" ></control>"));
    EXPECT_EQ(std::string(s.ctl.ColumnGetControlTreeProperty(3, 1, "getrowcount")), "5");
    EXPECT_TRUE(s.ctl.ColumnSetControlTreeProperty(2, 1, "collapsetree", "2"));
    EXPECT_EQ(s.grid().GetRowHeight(3), 0);
    EXPECT_FALSE(s.ctl.ColumnSetControlTreeProperty(2, 1, "deletetree", "2,1"));   // the root
    EXPECT_TRUE(s.ctl.ColumnSetControlTreeProperty(2, 1, "linestyle", "1"));
    EXPECT_NE(std::string(s.ctl.ColumnGetControlTree(2, 1)).find("linestyle =\"1\""), std::string::npos);
    EXPECT_FALSE(s.ctl.ColumnDelControlTreeProperty(2, 1, "treerow"));
    EXPECT_EQ(s.ctl.GridDeleteTree(9, 1), 0);
    EXPECT_EQ(s.ctl.GridDeleteTree(3, 1), 1);
    EXPECT_EQ(s.ctl.GridGetTreeCount(), 0);
    EXPECT_GT(s.grid().GetRowHeight(3), 0);
    EXPECT_FALSE(s.ctl.ColumnDelControlTree(2, 1));
}

TEST(KivoTreeObjects, TreeMembersOverTheRoot)
{
    Sheet s;
    CKivoObjectPtr object = s.ctl.GridAddTree(1, 1);
    CKivoTree* tree = AsTree(object);
    ASSERT_NE(tree, nullptr);
    LONG n = -7;
    tree->get_RowIndex(n);
    EXPECT_EQ(n, 1);
    tree->get_ColIndex(n);
    EXPECT_EQ(n, 1);

    CKivoObjectPtr a, b, c, none;
    tree->AddNode(a);
    tree->AddNode(b);
    ASSERT_NE(AsNode(a), nullptr);
    EXPECT_EQ(Row(AsNode(a)), 2);
    EXPECT_EQ(Row(AsNode(b)), 3);
    tree->InsertNode(1, c);                      // before child 1
    EXPECT_EQ(Row(AsNode(c)), 2);
    tree->InsertNodeAfter(3, c);                 // after child 3's subtree
    EXPECT_EQ(Row(AsNode(c)), 5);
    tree->InsertNode(9, none);
    EXPECT_EQ(none, nullptr);
    tree->get_Children(n);
    EXPECT_EQ(n, 4);
    tree->get_Nodes(n);
    EXPECT_EQ(n, 5);

    CKivoObjectPtr got;
    tree->GetNode(0, got);
    EXPECT_EQ(got, nullptr);
    tree->GetNode(5, got);
    EXPECT_EQ(got, nullptr);
    tree->GetNode(2, got);
    EXPECT_EQ(Row(AsNode(got)), 3);
    tree->GetNodeEx(1, got);                     // the root itself
    EXPECT_EQ(got, nullptr);
    tree->GetNodeEx(6, got);                     // the end row
    EXPECT_EQ(got, nullptr);
    tree->GetNodeEx(4, got);
    EXPECT_EQ(Row(AsNode(got)), 4);

    for (int r = 2; r <= 5; ++r)
        s.grid().SetCellValue(r, 1, r);
    tree->Sum();
    CString text;
    tree->get_Value(text);
    EXPECT_EQ(std::string(text), "14");
    tree->Average();
    tree->get_Value(text);
    EXPECT_EQ(std::string(text), "3.5");
    tree->put_ValueEx(2.5);
    double v = 0;
    tree->get_ValueEx(v);
    EXPECT_DOUBLE_EQ(v, 2.5);
    tree->put_Value("root");
    EXPECT_EQ(std::string(s.grid().GetCellText(1, 1)), "root");
    s.grid().SetCellValue(2, 3, 8);
    tree->SumEx(3);
    EXPECT_EQ(std::string(s.grid().GetCellText(1, 3)), "8");
    tree->SumEx(-1);                             // nothing

    tree->Collapse();
    EXPECT_EQ(s.grid().GetRowHeight(2), 0);
    tree->ExpandAll();
    EXPECT_GT(s.grid().GetRowHeight(2), 0);
    tree->DeleteNode(1);
    tree->get_Nodes(n);
    EXPECT_EQ(n, 4);

    SHORT sh = 0;
    tree->put_Boxsize(9);
    tree->get_Boxsize(sh);
    EXPECT_EQ(sh, 13);
    tree->put_Boxsize(10);
    tree->get_Boxsize(sh);
    EXPECT_EQ(sh, 10);
    tree->put_LineColor(0x123456);
    tree->put_BoxLineStyle(3);
    tree->put_ShowBox(0);
    CString xml;
    tree->get_XML(xml);
    const std::string x = static_cast<LPCTSTR>(xml);
    EXPECT_NE(x.find("linecolor =\"1193046\""), std::string::npos) << x;
    EXPECT_NE(x.find("boxlinestyle = \"3\""), std::string::npos) << x;
    EXPECT_NE(x.find("showrectangle = \"0\""), std::string::npos) << x;
    EXPECT_NE(x.find("boxsize = \"10\""), std::string::npos) << x;
}

TEST(KivoTreeObjects, NodeMembers)
{
    Sheet s;
    CKivoObjectPtr object = s.ctl.GridAddTree(1, 1);
    CKivoTree* tree = AsTree(object);
    CKivoObjectPtr a, b, a1, a2;
    tree->AddNode(a);
    tree->AddNode(b);
    AsNode(a)->AddNode(a1);
    AsNode(a)->AddNode(a2);
    CTreeColumn& column = *tree->GetTree();
    EXPECT_EQ(Levels(column), "1,2,3,3,2");
    CKivoTreeNode* na2 = AsNode(a2);
    EXPECT_EQ(Row(na2), 4);
    LONG n = 0;
    na2->get_ChildIndex(n);
    EXPECT_EQ(n, 2);
    AsNode(a)->get_Children(n);
    EXPECT_EQ(n, 2);
    AsNode(a)->get_Nodes(n);
    EXPECT_EQ(n, 2);

    CKivoObjectPtr parent, root;
    AsNode(a)->GetParent(parent);                // a first-level node: the root
    EXPECT_EQ(Row(AsNode(parent)), 1);
    AsNode(parent)->GetParent(root);             // the root: nothing
    EXPECT_EQ(root, nullptr);
    na2->GetRoot(root);
    ASSERT_NE(AsTree(root), nullptr);
    EXPECT_EQ(AsTree(root)->GetTree(), &column);

    s.grid().SetCellText(4, 1, "moving");
    na2->MoveUp();                               // the object follows its node
    EXPECT_EQ(Row(na2), 3);
    CString text;
    na2->get_Value(text);
    EXPECT_EQ(std::string(text), "moving");
    na2->MoveDown();
    EXPECT_EQ(Row(na2), 4);
    na2->UpLevel();                              // a child of a level-2 node may rise
    EXPECT_EQ(Row(na2), 4);
    EXPECT_EQ(Level(na2), 2);
    AsNode(a)->UpLevel();                        // the root's children are refused
    EXPECT_EQ(Level(AsNode(a)), 2);
    na2->DownLevel();
    EXPECT_EQ(Level(na2), 3);
    EXPECT_EQ(Levels(column), "1,2,3,3,2");

    AsNode(a)->Collapse();
    EXPECT_EQ(s.grid().GetRowHeight(3), 0);
    AsNode(a)->Expand();
    EXPECT_GT(s.grid().GetRowHeight(3), 0);
    AsNode(a)->DelNode(1);
    EXPECT_EQ(Levels(column), "1,2,3,2");
    CKivoObjectPtr got;
    AsNode(a)->GetNodeEx(1, got);
    EXPECT_EQ(got, nullptr);
    AsNode(a)->GetNodeEx(3, got);
    EXPECT_EQ(Row(AsNode(got)), 3);
}

TEST(KivoTreeObjects, EmptyAndStaleObjectsDoNothing)
{
    Sheet s;
    CKivoObjectPtr byProgId = CreateKivoObjectOfClass(KivoClass_KivoTree);
    CKivoObjectPtr nodeByProgId = CreateKivoObjectOfClass(KivoClass_KivoTreeNode);
    ASSERT_NE(AsTree(byProgId), nullptr);
    ASSERT_NE(AsNode(nodeByProgId), nullptr);

    CKivoObjectPtr object = s.ctl.GridAddTree(1, 1);
    CKivoObjectPtr node;
    AsTree(object)->AddNode(node);
    ASSERT_NE(AsNode(node), nullptr);
    EXPECT_EQ(s.ctl.GridDeleteTree(1, 1), 1);

    for (CKivoTree* tree : {AsTree(byProgId), AsTree(object)}) {
        LONG n = 5;
        tree->get_RowIndex(n);
        EXPECT_EQ(n, -1);
        tree->get_Nodes(n);
        EXPECT_EQ(n, 0);
        CKivoObjectPtr out = CreateKivoObjectOfClass(KivoClass_KivoFont);
        tree->AddNode(out);
        EXPECT_EQ(out, nullptr);
        CString xml("x");
        tree->get_XML(xml);
        EXPECT_TRUE(xml.IsEmpty());
        EXPECT_EQ(tree->Collapse(), kKivoOk);
        EXPECT_EQ(tree->put_Value("v"), kKivoOk);
    }
    for (CKivoTreeNode* n : {AsNode(nodeByProgId), AsNode(node)}) {
        LONG v = 5;
        n->get_ChildIndex(v);
        EXPECT_EQ(v, -1);
        n->get_Level(v);
        EXPECT_EQ(v, -1);
        EXPECT_EQ(n->MoveUp(), kKivoOk);
        EXPECT_EQ(n->put_Value("v"), kKivoOk);
        CKivoObjectPtr out;
        n->GetRoot(out);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(std::string(s.grid().GetCellText(1, 1)), "");

    // The grid emptied, and the control released.
    CKivoObjectPtr kept;
    {
        Sheet t;
        kept = t.ctl.GridAddTree(1, 1);
        CKivoObjectPtr other = t.ctl.GridAddTree(3, 1);
        t.grid().SetRowCount(3);                 // cuts the second tree away
        LONG n = 5;
        AsTree(other)->get_Nodes(n);
        EXPECT_EQ(n, 0);
    }
    LONG n = 5;
    AsTree(kept)->get_ColIndex(n);
    EXPECT_EQ(n, -1);
    AsTree(kept)->ExpandAll();
}

// A tree that cannot add a row hands out no node (it answered a node for
// row -1 before).
TEST(KivoTreeObjects, AddNodeThatCannotAddARowGivesNoObject)
{
    Sheet s;
    CKivoObjectPtr object = s.ctl.GridAddTree(1, 1);
    CTreeColumn& column = *AsTree(object)->GetTree();
    // A node at the deepest level cannot have a child.
    std::string levels = "1";
    for (int l = 2; l <= 127; ++l)
        levels += "," + std::to_string(l);
    ASSERT_TRUE(column.SetControl(("<control treerow = \"" + levels + "\" ></control>").c_str()));
    CKivoObjectPtr deepest;
    AsTree(object)->GetNodeEx(127, deepest);
    ASSERT_NE(AsNode(deepest), nullptr);
    EXPECT_EQ(Level(AsNode(deepest)), 127);
    CKivoObjectPtr child = CreateKivoObjectOfClass(KivoClass_KivoFont);
    AsNode(deepest)->AddNode(child);
    EXPECT_EQ(child, nullptr);
}
