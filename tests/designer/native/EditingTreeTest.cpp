// Row-tree commands that work through the control's tree members: which
// cells belong to a tree, adding a sibling node, deleting the tree, and the
// update states that follow the focus.
#include "designer/DesignerFixture.h"

#include "designer/commands/TreeMembership.h"
#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/TreeValueReaders.h"
#include "base/WinConstants.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>

using namespace designertest;

namespace {

class EditingTree : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

// A tree in column 1 from row 2: levels 1, 2, 2, 3 on rows 2 to 5 (the end
// row the tree answers is 6).
void MakeTree(Designer& d)
{
    d.grid.RowSetCount(12);
    ASSERT_NE(nullptr, d.ctl.GridAddTree(2, 1));
    ASSERT_TRUE(d.grid.ColumnSetControlTree(2, 1, CString("<control treerow = \"1,2,2,3\" ></control>")));
    ASSERT_EQ("6", std::string(d.grid.ColumnGetControlTreeProperty(2, 1, CString("getrowcount")).Str()));
    d.doc.SetModifiedFlag(FALSE);
}

TEST_F(EditingTree, MembershipEndsBeforeTheTreesEndRow)
{
    Designer d;
    MakeTree(d);
    struct Case {
        LONG row, col;
        bool in;
    } cases[] = {
        {1, 1, false}, {2, 1, true}, {3, 1, true}, {5, 1, true},   // the last row of the tree
        {6, 1, false},                                             // the row after it
        {3, 2, false}, {7, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        EXPECT_EQ(c.in, IsInRowTree(d.grid, c.row, c.col));
        d.grid.CellSetFocus(c.row, c.col);
        for (UINT id : {32777u, 32911u})
            if (!c.in)
                EXPECT_FALSE(d.State(id).enabled) << id;
        EXPECT_EQ(c.in, d.State(32777).enabled != FALSE);
    }
}

TEST_F(EditingTree, SiblingNodesBelowTheFirstLevel)
{
    Designer d;
    MakeTree(d);
    d.grid.CellSetFocus(2, 1);   // the root, level 1
    EXPECT_FALSE(d.State(32911).enabled);
    d.grid.CellSetFocus(3, 1);   // level 2
    EXPECT_TRUE(d.State(32911).enabled);
    EXPECT_EQ("\"2\" , 7", std::string(SiblingInsertValue(2, 7).Str()));
    const LONG rows = d.grid.RowGetCount();
    ASSERT_TRUE(d.Run(32911));
    EXPECT_EQ(rows + 1, d.grid.RowGetCount());
    EXPECT_EQ("7", std::string(d.grid.ColumnGetControlTreeProperty(2, 1, CString("getrowcount")).Str()));
    EXPECT_TRUE(d.doc.IsModified());
    LONG row = 0, col = 0;
    ASSERT_TRUE(d.grid.CellGetFocus(row, col));
    EXPECT_EQ(3, row);
    EXPECT_EQ(1, col);

    // Deleting the tree: the focus's tree goes, the commands follow.
    ASSERT_TRUE(d.Run(32777));
    EXPECT_EQ(0, d.grid.GridGetColumnTreeCount());
    EXPECT_FALSE(d.State(32777).enabled);
}

TEST_F(EditingTree, RootRowRefusesNodeCommandsWithTheirMessages)
{
    struct Case {
        UINT id;
        const char* message;
    } cases[] = {
        {33005, "根节点无法升级!"},
        {33002, "根节点无法降级!"},
        {33003, "根节点无法上移!"},
        {33004, "根节点无法下移!"},
        {32916, "根节点无法删除.请使用删除树的方式将根节点及其子节点移除!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Designer d;
        MakeTree(d);
        const std::string before = d.grid.ColumnGetControlTree(2, 1).Str();
        d.grid.CellSetFocus(2, 1);
        ASSERT_TRUE(d.Run(c.id));
        ASSERT_EQ(1u, d.ui.boxes.size());
        EXPECT_EQ(c.message, d.ui.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK), d.ui.boxes[0].type);
        EXPECT_EQ(before, std::string(d.grid.ColumnGetControlTree(2, 1).Str()));
        EXPECT_FALSE(d.doc.IsModified());
        // Outside every tree the node commands are greyed.
        d.grid.CellSetFocus(6, 1);
        EXPECT_FALSE(d.State(c.id).enabled);
        EXPECT_FALSE(d.State(32802).enabled);
    }
}

TEST_F(EditingTree, NodeCommandsBelowTheRoot)
{
    auto levels = [](Designer& d) {
        std::string s;
        const long end = ReadTreeNumber(d.grid.ColumnGetControlTreeProperty(2, 1, CString("getrowcount")));
        for (LONG r = 2; r < end; ++r) {
            CString q;
            q.Format("gettreelevel(%d)", static_cast<int>(r));
            s += d.grid.ColumnGetControlTreeProperty(2, 1, q).Str();
        }
        return s;
    };
    struct Case {
        const char* name;
        UINT id;
        LONG focus;
        const char* after;   // levels of the tree's rows afterwards (from 1223)
    } cases[] = {
        {"降级节点 on the second child, with its child", 33002, 4, "1234"},
        {"升级节点 on the grandchild", 33005, 5, "1222"},
        {"上移节点 on the second child", 33003, 4, "1232"},
        {"添加子节点 on the root", 32802, 2, "12232"},
        {"删除节点 with its children", 32916, 4, "12"},
        {"删除节点 on a leaf", 32916, 5, "122"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        MakeTree(d);
        ASSERT_EQ("1223", levels(d));
        d.grid.CellSetFocus(c.focus, 1);
        ASSERT_TRUE(d.Run(c.id));
        EXPECT_EQ(c.after, levels(d));
        EXPECT_TRUE(d.ui.boxes.empty());
        EXPECT_TRUE(d.doc.IsModified());
    }
}

TEST_F(EditingTree, ExpandAndCollapseFollowTheNodesState)
{
    Designer d;
    MakeTree(d);
    d.grid.CellSetFocus(4, 1);   // has a child
    EXPECT_FALSE(d.State(32778).enabled);
    EXPECT_TRUE(d.State(32779).enabled);
    ASSERT_TRUE(d.Run(32779));
    EXPECT_EQ(0, d.grid.RowGetHeight(5));
    EXPECT_TRUE(d.State(32778).enabled);
    EXPECT_FALSE(d.State(32779).enabled);
    ASSERT_TRUE(d.Run(32778));
    EXPECT_GT(d.grid.RowGetHeight(5), 0);
    // The root folds everything; "全部展开" opens it all again.
    d.grid.CellSetFocus(2, 1);
    ASSERT_TRUE(d.Run(32779));
    EXPECT_EQ(0, d.grid.RowGetHeight(3));
    ASSERT_TRUE(d.Run(32914));
    for (LONG r = 3; r <= 5; ++r)
        EXPECT_GT(d.grid.RowGetHeight(r), 0) << r;
    // A new tree where there is none.
    d.grid.CellSetFocus(8, 2);
    EXPECT_TRUE(d.State(32776).enabled);
    ASSERT_TRUE(d.Run(32776));
    EXPECT_EQ(2, d.grid.GridGetColumnTreeCount());
    EXPECT_FALSE(d.State(32776).enabled);
}

TEST_F(EditingTree, PropertiesDialogReadsAndWritesTheTreesLook)
{
    Designer d;
    MakeTree(d);
    ASSERT_TRUE(d.grid.ColumnSetControlTreeProperty(2, 1, CString("linecolor"), CString("rgb(1,2,3)")));
    d.grid.CellSetFocus(4, 1);
    CRowTreePropertiesDlg shown;
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(186u, dlg.DialogId());
        auto& props = static_cast<CRowTreePropertiesDlg&>(dlg);
        shown = props;
        props.m_nBoxSize = 20;
        props.m_crBoxBg = RGB(9, 8, 7);
        props.m_bShowLine = FALSE;
        return IDOK;
    });
    ASSERT_TRUE(d.Run(32915));
    EXPECT_EQ(RGB(1, 2, 3), shown.m_crLine);
    EXPECT_EQ("20", std::string(d.grid.ColumnGetControlTreeProperty(2, 1, CString("boxsize")).Str()));
    EXPECT_EQ(RGB(9, 8, 7), ReadTreeColour(d.grid.ColumnGetControlTreeProperty(2, 1, CString("boxbgcolor"))));
    EXPECT_EQ(0, ReadTreeNumber(d.grid.ColumnGetControlTreeProperty(2, 1, CString("showline"))));
    EXPECT_EQ(RGB(1, 2, 3), ReadTreeColour(d.grid.ColumnGetControlTreeProperty(2, 1, CString("linecolor"))));
    EXPECT_TRUE(d.doc.IsModified());
    // Outside every tree the command is disabled.
    d.grid.CellSetFocus(8, 1);
    EXPECT_FALSE(d.Run(32915));
}

TEST_F(EditingTree, TreeTextsReadSafely)
{
    struct Case {
        const char* text;
        long number;
        COLORREF colour;
    } cases[] = {
        {"13", 13, 13},
        {"rgb(132,130,132)", 0, RGB(132, 130, 132)},
        {"RGB(1, 2, 3)", 0, RGB(1, 2, 3)},
        {"Rgb(300,-5", 0, RGB(255, 0, 0)},
        {"rgb", 0, 0},
        {"8684164", 8684164, 8684164},
        {"", 0, 0},
        {"  -7x", -7, 0xFFFFFFF9},
        {"99999999999999999999", 2147483647, 0xFFFFFFFF},
        {"abc", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (std::string(c.text).compare(0, 3, "rgb") != 0 && std::string(c.text).compare(0, 3, "RGB") != 0 &&
            std::string(c.text).compare(0, 3, "Rgb") != 0)
            EXPECT_EQ(c.number, ReadTreeNumber(CString(c.text)));
        EXPECT_EQ(c.colour, ReadTreeColour(CString(c.text)));
    }
}

}  // namespace
