// The table menu and toolbar commands on the control core.
#include "designer/DesignerFixture.h"

#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/ToolDialogs.h"

#include <gtest/gtest.h>

using namespace designertest;

TEST(TableCommands, FixedRowsAndColumnsFromTheFocusReachTheEndOfItsMergedBlocks)
{
    const struct {
        UINT id;
        LONG r1, c1, r2, c2;   // a merged block (none when r1 < 0)
        LONG focusRow, focusCol;
        LONG fixedRows, fixedCols;   // the counts passed to RowToFixed / ColumnToFixed
    } cases[] = {
        // rows 3 to 5 merged in column 2, focus on its first cell: 5, not 3.
        {32977, 3, 2, 5, 2, 3, 2, 5, 1},
        // another column's block on the focus row reaches further.
        {32977, 3, 4, 7, 5, 3, 4, 7, 1},
        {32977, -1, 0, 0, 0, 4, 2, 4, 1},
        {32980, 2, 3, 2, 6, 2, 3, 1, 6},
        {32980, -1, 0, 0, 0, 2, 3, 1, 3},
    };
    for (const auto& c : cases) {
        Designer d;
        d.grid.RowSetCount(20);
        if (c.r1 >= 0) {
            ASSERT_TRUE(d.grid.GridMergeCells(c.r1, c.c1, c.r2, c.c2));
        }
        if (c.id == 32977 && c.r1 == 3 && c.c1 == 4) {
            ASSERT_TRUE(d.grid.GridMergeCells(3, 2, 5, 2));
        }
        d.grid.CellSetFocus(c.focusRow, c.focusCol);
        d.Run(c.id);
        EXPECT_EQ(c.fixedRows, d.grid.RowGetFixedCount()) << c.id << " focus " << c.focusRow;
        EXPECT_EQ(c.fixedCols, d.grid.ColumnGetFixedCount()) << c.id << " focus " << c.focusRow;
        EXPECT_TRUE(d.doc.IsModified());
    }
}

// The fixed row and column counts through their dialogs: shown with the
// present count, a cancel changes nothing, OK sets the count.
TEST(TableCommands, FixedCountDialogs)
{
    const struct {
        UINT command;
        bool rows;
    } cases[] = {{32931, true}, {32932, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Designer d;
        auto fixed = [&] { return c.rows ? d.grid.RowGetFixedCount() : d.grid.ColumnGetFixedCount(); };
        const LONG before = fixed();
        long shown = -1;
        d.ui.dialogs = {[&](CDesignerDialog& dlg) {
                            auto& r = static_cast<CIntValueDlg&>(dlg);
                            shown = r.m_nValue;
                            r.m_nValue = 3;
                            return IDCANCEL;
                        },
                        [](CDesignerDialog& dlg) {
                            static_cast<CIntValueDlg&>(dlg).m_nValue = 3;
                            return IDOK;
                        }};
        d.Run(c.command);
        EXPECT_EQ(before, shown);
        EXPECT_EQ(before, fixed());
        EXPECT_FALSE(d.doc.IsModified());
        d.Run(c.command);
        EXPECT_EQ(3, fixed());
        EXPECT_TRUE(d.doc.IsModified());
        EXPECT_EQ((std::vector<UINT>{c.rows ? CRowCountDlg::IDD : CColumnCountDlg::IDD,
                                     c.rows ? CRowCountDlg::IDD : CColumnCountDlg::IDD}),
                  d.ui.dialogsShown);
    }
    Designer d;
    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        static_cast<CIntValueDlg&>(dlg).m_nValue = 3;
        return IDOK;
    }};
    d.Run(32931);
    d.Run(32981);
    EXPECT_EQ(1, d.grid.RowGetFixedCount());
}

TEST(TableCommands, FreezeDialogAndToggles)
{
    Designer d;
    d.grid.RowSetCount(30);
    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        auto& f = static_cast<CFreezeDlg&>(dlg);
        EXPECT_EQ(0, f.m_nTop + f.m_nBottom + f.m_nLeft + f.m_nRight);
        f.m_nTop = 2;
        f.m_nBottom = 3;
        f.m_nLeft = 1;
        f.m_nRight = 4;
        return IDOK;
    }};
    d.Run(33017);
    EXPECT_EQ(2, d.grid.GridGetFreezeTopRows());
    EXPECT_EQ(3, d.grid.GridGetFreezeBottomRows());
    EXPECT_EQ(1, d.grid.GridGetFreezeLeftCols());
    EXPECT_EQ(4, d.grid.GridGetFreezeRightCols());
    // The dialog opens with the frozen edges; 0 everywhere unfreezes.
    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        auto& f = static_cast<CFreezeDlg&>(dlg);
        EXPECT_EQ(2, f.m_nTop);
        EXPECT_EQ(4, f.m_nRight);
        f.m_nTop = f.m_nBottom = f.m_nLeft = f.m_nRight = 0;
        return IDOK;
    }};
    d.Run(33017);
    EXPECT_EQ(0, d.grid.GridGetFreezeTopRows() + d.grid.GridGetFreezeRightCols());

    // The top-left toggle freezes above and left of the focus and is checked
    // then; a second click unfreezes.
    d.grid.CellSetFocus(5, 3);
    ASSERT_GT(d.grid.GridGetSelectedCount(), 0);
    EXPECT_FALSE(d.State(33013).checked);
    EXPECT_TRUE(d.State(33013).enabled);
    d.Run(33013);
    EXPECT_EQ(4, d.grid.GridGetFreezeTopRows());
    EXPECT_EQ(2, d.grid.GridGetFreezeLeftCols());
    EXPECT_TRUE(d.State(33013).checked);
    EXPECT_FALSE(d.State(33015).checked);
    d.Run(33013);
    EXPECT_EQ(0, d.grid.GridGetFreezeTopRows() + d.grid.GridGetFreezeLeftCols());
    EXPECT_FALSE(d.State(33013).checked);

    // On the first scrollable cell nothing is frozen.
    d.grid.CellSetFocus(1, 1);
    d.Run(33013);
    EXPECT_EQ(0, d.grid.GridGetFreezeTopRows() + d.grid.GridGetFreezeLeftCols());

    // The bottom-right side includes the focus row and column.
    d.grid.CellSetFocus(25, 17);
    d.Run(33015);
    EXPECT_EQ(5, d.grid.GridGetFreezeBottomRows());
    EXPECT_EQ(3, d.grid.GridGetFreezeRightCols());
    EXPECT_TRUE(d.State(33015).checked);
    d.Run(33015);
    EXPECT_EQ(0, d.grid.GridGetFreezeBottomRows() + d.grid.GridGetFreezeRightCols());
}

TEST(TableCommands, TableSizeAutoSizesPasteOptionsAndSkin)
{
    Designer d;
    d.grid.CellSetFocus(9, 4);
    d.Run(32950);
    EXPECT_EQ(10, d.grid.RowGetCount());
    EXPECT_EQ(5, d.grid.ColumnGetCount());

    // Automatic heights and widths over the selected range only.
    Designer s;
    s.grid.CellSetValue(2, 2, "a long line of text that is wider than a column");
    s.grid.CellSetValue(4, 2, "x\ny\nz");
    const LONG w = s.grid.ColumnGetWidth(2), h = s.grid.RowGetHeight(4);
    s.grid.GridSetSelectRange(2, 2, 3, 2);
    s.Run(32984);
    EXPECT_GT(s.grid.ColumnGetWidth(2), w);
    s.Run(32983);
    EXPECT_EQ(h, s.grid.RowGetHeight(4));
    s.grid.GridSetSelectRange(4, 2, 4, 2);
    s.Run(32983);
    EXPECT_GT(s.grid.RowGetHeight(4), h);

    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        auto& p = static_cast<CPasteOptionsDlg&>(dlg);
        EXPECT_EQ(0, p.m_nChoice);
        p.m_nChoice = 2;
        return IDOK;
    }};
    d.Run(33030);
    EXPECT_EQ(2, d.grid.GridGetPasteFlags());

    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        auto& k = static_cast<CGridSkinDlg&>(dlg);
        k.m_crFixedBack = 0x112233;
        k.m_crFixedSelBack = 0x445566;
        k.m_crFixedLine = 0x778899;
        k.m_crFixedSelLine = 0xAABBCC;
        return IDOK;
    }};
    d.Run(33041);
    EXPECT_EQ(0x112233, d.grid.GridGetFixedColBgColor());
    EXPECT_EQ(0x445566, d.grid.GridGetFixedColSelColor());
    EXPECT_EQ(0x778899, d.grid.GridGetFixedLineColor());
    EXPECT_EQ(0xAABBCC, d.grid.GridGetFixedSelLineColor());

    // The cell-value dialog changes nothing however it ends.
    d.ui.dialogs = {[](CDesignerDialog&) { return IDOK; }};
    d.Run(32958);
    EXPECT_EQ(219u, d.ui.dialogsShown.back());

    // The frame's reference boxes reach the grid.
    d.view.SetRowRefFlags(2);
    d.view.SetColumnRefFlags(1);
    EXPECT_EQ(2, d.grid.RowGetRefFlags());
    EXPECT_EQ(1, d.grid.ColumnGetRefFlags());
}

TEST(TableCommands, RightClickPasteWithOptionsSetsTheChoiceThenPastes)
{
    Designer d;
    d.grid.CellSetValue(1, 1, "copied");
    d.grid.GridSetSelectRange(1, 1, 1, 1);
    d.grid.GridCopy();
    d.grid.CellSetFocus(3, 2);
    d.grid.GridSetSelectRange(3, 2, 3, 2);
    d.ui.canPaste = true;
    d.ui.dialogs = {[](CDesignerDialog&) { return IDCANCEL; }};
    d.view.OnGridMenuCommand(3, 2, 20003);
    EXPECT_TRUE(d.grid.CellGetValue(3, 2).IsEmpty());
    EXPECT_FALSE(d.doc.IsModified());
    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        EXPECT_EQ(267u, dlg.DialogId());
        static_cast<CPasteOptionsDlg&>(dlg).m_nChoice = 1;
        return IDOK;
    }};
    d.view.OnGridMenuCommand(3, 2, 20003);
    EXPECT_EQ(1, d.grid.GridGetPasteFlags());
    EXPECT_EQ("copied", std::string(d.grid.CellGetValue(3, 2).Str()));
    EXPECT_TRUE(d.doc.IsModified());
}
