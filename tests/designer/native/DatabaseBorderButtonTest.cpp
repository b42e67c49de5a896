// The "边框" button of the binding and bound-field dialogs and of the wizard's
// pages: the border popup gets the four sides of the group rows or the field,
// what its OK answers becomes the borders the binding model stores, a cancel
// changes nothing, and a field that loses a side loses it in the template.
#include "designer/dialogs/DatabaseBorders.h"

#include "designer/dialogs/CellPropertyPages.h"
#include "designer/dialogs/DbObjectSaves.h"
#include "tests/designer/DesignerFixture.h"

#include <gtest/gtest.h>

using namespace designertest;

namespace {

CBorderSet LeftAndBottom()
{
    CBorderSet b;
    b.nFlags = 1 | 8;
    b.sides[0] = {2, 0, 1, RGB(9, 9, 9)};   // left: the popup's line 2
    b.sides[3] = {1, 2, 3, RGB(7, 7, 7)};   // bottom: line 1
    return b;
}

// A popup answer that works the page as a user would: the left line off,
// the top line on in style 1 and a chosen colour, and a diagonal on.
int TopOnLeftOffWithADiagonal(CDesignerDialog& base)
{
    auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
    popup.Begin();
    popup.m_page.SetLine(2, FALSE);
    popup.m_page.m_nStyleIndex = 1;
    popup.m_page.m_crLine = RGB(1, 2, 3);
    popup.m_page.SetLine(0, TRUE);
    popup.m_page.SetLine(4, TRUE);
    popup.Accept();
    return IDOK;
}

int AllFourSides(CDesignerDialog& base)
{
    auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
    popup.Begin();
    popup.m_page.m_crLine = RGB(0, 0, 255);
    popup.m_page.Outer();
    popup.Accept();
    return IDOK;
}

int DropTheLeftSide(CDesignerDialog& base)
{
    auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
    popup.Begin();
    popup.m_page.SetLine(2, FALSE);
    popup.Accept();
    return IDOK;
}

}  // namespace

TEST(DatabaseBorderButton, PopupGetsTheFourSidesAndGivesBackWhatOkAnswers)
{
    ScriptedUi ui;
    CBorderSet borders = LeftAndBottom();
    EXPECT_EQ("左下边框", SideBordersCaption(borders).Str());
    ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        EXPECT_EQ(9, popup.m_nMask);
        EXPECT_EQ(2, popup.m_records[0].line);
        EXPECT_EQ(RGB(9, 9, 9), popup.m_records[0].colour);
        EXPECT_EQ(1, popup.m_records[3].line);
        EXPECT_EQ(3, popup.m_records[3].width);
        for (int i = 4; i < CBorderPage::kLineCount; ++i)
            EXPECT_EQ(-1, popup.m_records[i].line) << "diagonal record " << i;
        popup.Begin();
        EXPECT_TRUE(popup.m_page.IsChecked(2));
        EXPECT_TRUE(popup.m_page.IsChecked(1));
        EXPECT_FALSE(popup.m_page.IsChecked(0));
        return TopOnLeftOffWithADiagonal(base);
    });
    ASSERT_TRUE(EditSideBorders(ui, borders));
    ASSERT_EQ(1u, ui.dialogsShown.size());
    EXPECT_EQ(kDlgBorderPopup, ui.dialogsShown[0]);

    // Top and bottom; the diagonal has no place in a binding.
    EXPECT_EQ(2 | 8, borders.nFlags);
    EXPECT_EQ("上下边框", SideBordersCaption(borders).Str());
    EXPECT_EQ(-1, borders.sides[0].nSide);
    EXPECT_EQ(0, borders.sides[1].nSide);
    EXPECT_EQ(2, borders.sides[1].nWidth);   // style 1: solid of width 2
    EXPECT_EQ(RGB(1, 2, 3), borders.sides[1].crColor);
    EXPECT_EQ(1, borders.sides[3].nSide);
    EXPECT_EQ(2, borders.sides[3].nStyle);
    EXPECT_EQ(RGB(7, 7, 7), borders.sides[3].crColor);
}

TEST(DatabaseBorderButton, CancelOrTheColourButtonWithoutAnAnswerChangeNothing)
{
    ScriptedUi ui;
    CBorderSet borders = LeftAndBottom();
    ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        popup.Begin();
        // The popup's colour button asks the caller's user interface.
        COLORREF colour = 0;
        EXPECT_FALSE(popup.PickColour(colour));
        popup.m_page.Clear();
        popup.Accept();
        return IDCANCEL;
    });
    EXPECT_FALSE(EditSideBorders(ui, borders));
    EXPECT_EQ(9, borders.nFlags);
    EXPECT_EQ(RGB(9, 9, 9), borders.sides[0].crColor);

    // No window for the popup at all answers a cancel too.
    EXPECT_FALSE(EditSideBorders(ui, borders));
    EXPECT_EQ(9, borders.nFlags);

    // The colour the popup's button picks comes from the caller's colour dialog.
    ui.colors.push_back(RGB(200, 0, 0));
    ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        popup.Begin();
        COLORREF colour = 0;
        EXPECT_TRUE(popup.PickColour(colour));
        popup.m_page.m_crLine = colour;
        popup.m_page.SetLine(3, TRUE);   // the right side
        popup.Accept();
        return IDOK;
    });
    ASSERT_TRUE(EditSideBorders(ui, borders));
    EXPECT_EQ(1 | 4 | 8, borders.nFlags);
    EXPECT_EQ(RGB(200, 0, 0), borders.sides[2].crColor);
}

TEST(DatabaseBorderButton, GroupRowsAndFieldsStoreThePopupsSidesAndLoseRemovedOnes)
{
    Designer d;
    CBindFields bind;
    bind.strName = "b1";
    d.ui.dialogs.push_back(AllFourSides);
    ASSERT_TRUE(EditSideBorders(d.ui, bind.group.borders));
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, bind, BindSave::New));
    CBindFields back;
    ASSERT_TRUE(LoadBind(d.grid, "b1", back));
    EXPECT_EQ(15, back.group.borders.nFlags);
    EXPECT_EQ(RGB(0, 0, 255), back.group.borders.sides[2].crColor);

    // The group rows are replaced as a whole: a removed side is gone.
    d.ui.dialogs.push_back(DropTheLeftSide);
    ASSERT_TRUE(EditSideBorders(d.ui, back.group.borders));
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, back, BindSave::Change));
    ASSERT_TRUE(LoadBind(d.grid, "b1", back));
    EXPECT_EQ(2 | 4 | 8, back.group.borders.nFlags);

    // A field: all four sides, then the left one removed in a change.
    CFieldFields field;
    field.strBindName = "b1";
    field.strFieldName = "NAME";
    field.nRow = 2;
    field.nCol = 3;
    field.strFormat = "<format datatype=\"numeric\" ></format>";
    field.nDefType = 1;
    field.strDefValue = "none";
    field.strSourceConn = "";
    d.ui.dialogs.push_back(AllFourSides);
    ASSERT_TRUE(EditSideBorders(d.ui, field.borders));
    ASSERT_TRUE(SaveField(&d.grid, d.ui, field, FieldSave::New));
    CFieldFields loaded;
    ASSERT_TRUE(LoadField(d.grid, "b1", 2, 3, loaded));
    EXPECT_EQ(15, loaded.borders.nFlags);
    EXPECT_TRUE(loaded.bBorder);

    d.ui.dialogs.push_back(DropTheLeftSide);
    ASSERT_TRUE(EditSideBorders(d.ui, loaded.borders));
    ASSERT_TRUE(SaveField(&d.grid, d.ui, loaded, FieldSave::Change));
    CFieldFields changed;
    ASSERT_TRUE(LoadField(d.grid, "b1", 2, 3, changed));
    EXPECT_EQ(2 | 4 | 8, changed.borders.nFlags);
    EXPECT_EQ(RGB(0, 0, 255), changed.borders.sides[3].crColor);
    // Everything else of the field stays.
    EXPECT_EQ("NAME", changed.strFieldName.Str());
    EXPECT_EQ(field.strFormat.Str(), changed.strFormat.Str());
    EXPECT_EQ(1, changed.nDefType);
    EXPECT_EQ("none", changed.strDefValue.Str());
    auto b = d.grid.DBGetBind("b1");
    ASSERT_TRUE(b);
    EXPECT_EQ(1, b->GetnFieldCount());

    // The wizard's field page changes a field the same way, keeping the
    // settings it does not show (its format text).
    changed.borders.nFlags = 8;
    changed.nOrigRow = -1;
    changed.nOrigCol = -1;
    ASSERT_TRUE(SaveField(&d.grid, d.ui, changed, FieldSave::Wizard));
    ASSERT_TRUE(LoadField(d.grid, "b1", 2, 3, loaded));
    EXPECT_EQ(8, loaded.borders.nFlags);
    EXPECT_EQ(field.strFormat.Str(), loaded.strFormat.Str());
}
