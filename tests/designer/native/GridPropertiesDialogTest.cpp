// "表格属性": every setting read from the control, changed and written back
// through the view's command, then read again.
#include "designer/DesignerFixture.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/dialogs/GridPropertiesDialog.h"

#include <gtest/gtest.h>

using namespace designertest;

TEST(GridPropertiesDialog, SettingsComeBackAfterOk)
{
    Designer d;
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CGridPropertiesDlg&>(base);
        EXPECT_EQ(0, dlg.m_nDisplayStyle);  // the view's new sheet is flat
        dlg.m_bClickHeaderSort = !dlg.m_bClickHeaderSort;
        dlg.m_bAllowCut = !dlg.m_bAllowCut;
        dlg.m_bAllowDragRow = !dlg.m_bAllowDragRow;
        dlg.m_crBack = RGB(1, 2, 3);
        dlg.m_crSelBack = RGB(4, 5, 6);
        dlg.m_crVirtualLine = RGB(7, 8, 9);
        dlg.m_crCellBack = RGB(250, 250, 200);
        dlg.m_crCellText = RGB(0, 0, 128);
        dlg.m_nDisplayStyle = 1;
        dlg.m_nVirtualLineStyle = 3;
        dlg.m_nSelectMode = 2;
        dlg.m_nSelBoxWidth = 1;  // width 2
        dlg.m_nDisplayMode = 1;
        EXPECT_TRUE(dlg.EditableKnown());
        EXPECT_EQ(0, dlg.m_bReadOnly);
        dlg.m_bReadOnly = 1;
        return IDOK;
    });
    CGridPropertiesDlg before;
    before.Load(&d.grid);
    EXPECT_TRUE(d.Run(cellcmd::kGridProperties));
    CGridPropertiesDlg after;
    after.Load(&d.grid);
    EXPECT_NE(before.m_bClickHeaderSort, after.m_bClickHeaderSort);
    EXPECT_NE(before.m_bAllowCut, after.m_bAllowCut);
    EXPECT_NE(before.m_bAllowDragRow, after.m_bAllowDragRow);
    EXPECT_EQ(before.m_bAllowCopy, after.m_bAllowCopy);
    EXPECT_EQ(RGB(1, 2, 3), after.m_crBack);
    EXPECT_EQ(RGB(4, 5, 6), after.m_crSelBack);
    EXPECT_EQ(RGB(7, 8, 9), after.m_crVirtualLine);
    EXPECT_EQ(RGB(250, 250, 200), after.m_crCellBack);
    EXPECT_EQ(RGB(0, 0, 128), after.m_crCellText);
    EXPECT_EQ(1, after.m_nDisplayStyle);
    EXPECT_EQ(3, after.m_nVirtualLineStyle);
    EXPECT_EQ(2, after.m_nSelectMode);
    EXPECT_EQ(2, d.grid.GridGetSelBoxLineWidth());
    EXPECT_EQ(1, after.m_nDisplayMode);
    EXPECT_EQ(1, after.m_bReadOnly);  // "全表只读": the record's editable flag off
    EXPECT_EQ(0, d.grid.GridGetDefaultSetting()->GetbEditable());
    EXPECT_TRUE(d.doc.IsModified());

    // The selection colour survives the display mode chosen with it.
    // Cancel writes nothing.
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        dynamic_cast<CGridPropertiesDlg&>(base).m_crBack = RGB(9, 9, 9);
        return IDCANCEL;
    });
    d.Run(cellcmd::kGridProperties);
    EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(d.grid.GridGetBackColor()));

    // Without a control the dialog only shows its defaults.
    CGridPropertiesDlg none;
    none.Load(nullptr);
    none.Apply();
    EXPECT_EQ(0xFFFFFFu, none.m_crCellBack);
}
