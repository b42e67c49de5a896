// The designer's road to the control's automation objects, in process: the
// objects the control hands out come back as the designer's interfaces, the
// objects made by ProgID are filled and handed back to members, and objects
// of another class or from another road are refused, never misread.
#include "designer/DesignerFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using designertest::Designer;

TEST(DesignerObjects, TreeBuiltThroughTheInterfaces)
{
    Designer d;
    IGridControl& grid = d.grid;
    EXPECT_EQ(nullptr, grid.GridAddTree(0, 1));      // a fixed row holds no tree
    std::unique_ptr<IKivoTree> tree = grid.GridAddTree(1, 1);
    ASSERT_NE(nullptr, tree);
    EXPECT_EQ(1, tree->GetRowIndex());
    EXPECT_EQ(1, tree->GetColIndex());

    std::unique_ptr<IKivoTreeNode> first = tree->AddNode();
    std::unique_ptr<IKivoTreeNode> second = tree->AddNode();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(2, first->GetRowIndex());
    EXPECT_EQ(3, second->GetRowIndex());
    std::unique_ptr<IKivoTreeNode> child = first->AddNode();
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(3, child->GetRowIndex());                // under the first node, before the second
    EXPECT_EQ(3, child->GetLevel());                   // the root is level 1
    EXPECT_EQ(2, tree->GetChildren());
    EXPECT_EQ(4, tree->GetNodes());                 // the root counts

    child->SetValue(CString("leaf"));
    EXPECT_EQ("leaf", grid.CellGetValue(3, 1).Str());
    EXPECT_EQ("leaf", child->GetValue().Str());

    // Objects handed out by objects come back as their own classes.
    std::unique_ptr<IKivoTreeNode> parent = child->GetParent();
    ASSERT_NE(nullptr, parent);
    EXPECT_EQ(2, parent->GetRowIndex());
    std::unique_ptr<IKivoTree> root = child->GetRoot();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(1, root->GetRowIndex());
    EXPECT_EQ(nullptr, tree->GetNode(7));              // no such child: no object
    std::unique_ptr<IKivoTree> again = grid.GridGetTreeEx(1, 1);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(4, again->GetNodes());

    // Deleting the tree leaves every object holding it empty: failure values.
    EXPECT_EQ(1, grid.GridDeleteTree(1, 1));
    EXPECT_EQ(-1, tree->GetRowIndex());
    EXPECT_EQ(-1, child->GetLevel());
    EXPECT_EQ(nullptr, tree->AddNode());
    EXPECT_EQ("", child->GetValue().Str());
}

TEST(DesignerObjects, ObjectsMadeByProgIdAreFilledAndHandedBack)
{
    Designer d;
    IGridControl& grid = d.grid;
    std::unique_ptr<IKivoBind> bind = grid.DBAddBind(CString("body"));
    ASSERT_NE(nullptr, bind);

    std::unique_ptr<IKivoBindField> field = grid.CreateKivo<IKivoBindField>();
    ASSERT_NE(nullptr, field);
    field->SetsFieldName(CString("name"));
    field->SetnRow(1);
    field->SetnCol(2);
    EXPECT_EQ(0, bind->AddField(field.get()));
    EXPECT_EQ(1, bind->GetnFieldCount());
    std::unique_ptr<IKivoBindField> stored = bind->GetField(0);
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ("name", stored->GetsFieldName().Str());
    EXPECT_EQ(2, stored->GetnCol());
    EXPECT_EQ(nullptr, grid.DBGetBindField(CString("body"), 1, 3));
    // Found again through the control by name and cell.
    std::unique_ptr<IKivoBindField> found = grid.DBGetBindField(CString("body"), 1, 2);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ("name", found->GetsFieldName().Str());

    // No object, and an object of another class, add nothing.
    bind->AddField(nullptr);
    std::unique_ptr<IKivoObject> stranger = grid.CreateKivoObject(CString("KivoSheet.KivoTree.1"));
    ASSERT_NE(nullptr, stranger);
    EXPECT_EQ(0, grid.CellSetControlEx(1, 1, stranger.get()));     // a tree is no cell control
    EXPECT_EQ(0, bind->SetBodyBind(nullptr));
    EXPECT_EQ(1, bind->GetnFieldCount());
    // A bind set back through the control by name keeps its field.
    EXPECT_EQ(1, grid.DBSetBind(CString("body"), bind.get()));
    EXPECT_EQ(1, grid.DBGetBind(CString("body"))->GetnFieldCount());
}

TEST(DesignerObjects, ProgIdsAndClasses)
{
    Designer d;
    IGridControl& grid = d.grid;
    struct Case {
        const char* progId;
        int kind;   // -1: no object
    } const cases[] = {
        {"KivoSheet.KivoTree.1", KivoKind_KivoTree},
        {"KivoSheet.KivoTreeNode.1", KivoKind_KivoTreeNode},
        {"kivosheet.kivobindfield.1", KivoKind_KivoBindField},     // ProgIDs ignore case
        {"KivoSheet.KivoFont.1", KivoKind_KivoFont},
        {"KivoSheet.KivoURL.1", KivoKind_KivoURL},
        {"KivoSheet.KivoTree.2", -1},
        {"KivoSheet.KivoTree.1 ", -1},
        {"KivoSheet.KivoTree", -1},
        {"KivoSheet.KivoSheetCtrl.1", -1},
        {"", -1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<IKivoObject> o = grid.CreateKivoObject(CString(c.progId));
        EXPECT_EQ(c.kind, o ? o->GetKivoKind() : -1) << c.progId;
    }
    for (int k = 0; k < kKivoObjectKinds; ++k)
        EXPECT_EQ(k, KivoObjectKindOfProgId(CString(KivoObjectProgId(k))));
    EXPECT_EQ(nullptr, KivoObjectProgId(kKivoObjectKinds));

    // An object of one class is never taken for another.
    EXPECT_EQ(nullptr, KivoObjectAs<IKivoBind>(grid.CreateKivoObject(CString("KivoSheet.KivoTree.1"))));
    // A border filled here reaches the default setting the control keeps.
    std::unique_ptr<IKivoGridDefaultSetting> setting = grid.GridGetDefaultSetting();
    ASSERT_NE(nullptr, setting);
    std::unique_ptr<IKivoCellBorder> border = grid.CreateKivo<IKivoCellBorder>();
    ASSERT_NE(nullptr, border);
    border->SetcrLineColor(0x0000FF);
    border->SetnLineWidth(2);
    setting->SetarCellBorder(2, border.get());       // put takes side flags: 2 is the top
    setting->SetnRowHeight(31);
    grid.GridSetDefautSetting(setting.get());
    std::unique_ptr<IKivoGridDefaultSetting> back = grid.GridGetDefaultSetting();
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(31, back->GetnRowHeight());
    std::unique_ptr<IKivoCellBorder> top = back->GetarCellBorder(1);   // get takes the side: 1 is the top
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(0x0000FF, top->GetcrLineColor());
    EXPECT_EQ(2, top->GetnLineWidth());

    // Row, column and range objects, and the generic object of a cell control.
    std::unique_ptr<IKivoRow> row = grid.RowGetObject(4);
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(4, row->GetnRowIndex());
    std::unique_ptr<IKivoRange> range = grid.GridGetRangeObject(1, 1, 2, 3);
    ASSERT_NE(nullptr, range);
    EXPECT_EQ(3, range->GetnMaxCol());
    EXPECT_EQ(nullptr, grid.GridGetRangeObject(3, 1, 2, 999));   // the control's range check
}
