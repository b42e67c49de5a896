// The table menu and table toolbar: fixed rows and columns, frozen edges,
// paste options, the skin, trimming the grid to the focus cell, automatic
// sizes and the reference flags of the frame's boxes.
#include "designer/commands/FileTableHelp.h"

#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/ToolDialogs.h"

namespace {

bool Focus(CDesignerContext& ctx, LONG& row, LONG& col)
{
    row = col = 0;
    return ctx.Grid().CellGetFocus(row, col) != FALSE;
}

void FixedRowCount(CDesignerContext& ctx)
{
    CRowCountDlg dlg;
    dlg.m_nValue = ctx.Grid().RowGetFixedCount();
    if (ctx.ui.DoModal(dlg) != IDOK || dlg.m_nValue == ctx.Grid().RowGetFixedCount())
        return;
    ctx.Grid().RowSetFixedCount(dlg.m_nValue);
    ctx.Changed();
}

void FixedColumnCount(CDesignerContext& ctx)
{
    CColumnCountDlg dlg;
    dlg.m_nValue = ctx.Grid().ColumnGetFixedCount();
    if (ctx.ui.DoModal(dlg) != IDOK || dlg.m_nValue == ctx.Grid().ColumnGetFixedCount())
        return;
    ctx.Grid().ColumnSetFixedCount(dlg.m_nValue);
    ctx.Changed();
}

// The focus row, or the last row of the merged blocks the focus row's cells
// belong to, becomes the last fixed row.
void RowsToFixed(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!Focus(ctx, row, col))
        return;
    LONG n = row;
    if (g.CellIsMerged(row, col)) {
        for (LONG c = g.ColumnGetFixedCount(); c < g.ColumnGetCount(); ++c) {
            LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
            if (g.CellIsMerged(row, c) && g.CellGetMergeRange(row, c, r1, c1, r2, c2) && r2 > n)
                n = r2;
        }
    }
    g.RowToFixed(n);
    ctx.Changed();
}

void ColumnsToFixed(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!Focus(ctx, row, col))
        return;
    LONG n = col;
    if (g.CellIsMerged(row, col)) {
        for (LONG r = g.RowGetFixedCount(); r < g.RowGetCount(); ++r) {
            LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
            if (g.CellIsMerged(r, col) && g.CellGetMergeRange(r, col, r1, c1, r2, c2) && c2 > n)
                n = c2;
        }
    }
    g.ColumnToFixed(n);
    ctx.Changed();
}

void Freeze(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    CFreezeDlg dlg;
    dlg.m_nBottom = g.GridGetFreezeBottomRows();
    dlg.m_nTop = g.GridGetFreezeTopRows();
    dlg.m_nLeft = g.GridGetFreezeLeftCols();
    dlg.m_nRight = g.GridGetFreezeRightCols();
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    g.GridSetFreezeBottomRows(dlg.m_nBottom);
    g.GridSetFreezeTopRows(dlg.m_nTop);
    g.GridSetFreezeLeftCols(dlg.m_nLeft);
    g.GridSetFreezeRightCols(dlg.m_nRight);
    g.GridRefresh();
    ctx.Changed();
}

bool TopLeftFrozen(IGridControl& g)
{
    return g.GridGetFreezeLeftCols() != 0 || g.GridGetFreezeTopRows() != 0;
}

bool BottomRightFrozen(IGridControl& g)
{
    return g.GridGetFreezeRightCols() != 0 || g.GridGetFreezeBottomRows() != 0;
}

// The toolbar's check button toggles: checked while the side is frozen, so a
// click on a checked button unfreezes the side and a click on an unchecked
// one freezes it at the focus cell.
void ToggleTopLeft(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    if (TopLeftFrozen(g)) {
        g.GridSetFreezeTopRows(0);
        g.GridSetFreezeLeftCols(0);
    } else {
        LONG row = 0, col = 0;
        Focus(ctx, row, col);
        const LONG fixedRows = g.RowGetFixedCount(), fixedCols = g.ColumnGetFixedCount();
        if (row > fixedRows)
            g.GridSetFreezeTopRows(row - fixedRows);
        if (col > fixedCols)
            g.GridSetFreezeLeftCols(col - fixedCols);
    }
    g.GridRefresh();
    ctx.Changed();
}

void ToggleBottomRight(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    if (BottomRightFrozen(g)) {
        g.GridSetFreezeBottomRows(0);
        g.GridSetFreezeRightCols(0);
    } else {
        LONG row = 0, col = 0;
        Focus(ctx, row, col);
        g.GridSetFreezeBottomRows(g.RowGetCount() - row);
        g.GridSetFreezeRightCols(g.ColumnGetCount() - col);
    }
    g.GridRefresh();
    ctx.Changed();
}

void PasteOptions(CDesignerContext& ctx)
{
    CPasteOptionsDlg dlg;
    dlg.m_nChoice = ctx.Grid().GridGetPasteFlags();
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    ctx.Grid().GridSetPasteFlags(static_cast<SHORT>(dlg.m_nChoice));
}

// The right-click "选择粘贴": the choice, then the paste with it.
void PasteWithOptions(CDesignerContext& ctx)
{
    CPasteOptionsDlg dlg;
    dlg.m_nChoice = ctx.Grid().GridGetPasteFlags();
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    ctx.Grid().GridSetPasteFlags(static_cast<SHORT>(dlg.m_nChoice));
    ctx.Grid().GridPaste();
    ctx.Changed();
}

void Skin(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    CGridSkinDlg dlg;
    dlg.m_ui = &ctx.ui;
    dlg.m_crFixedBack = static_cast<COLORREF>(g.GridGetFixedColBgColor());
    dlg.m_crFixedSelBack = static_cast<COLORREF>(g.GridGetFixedColSelColor());
    dlg.m_crFixedLine = static_cast<COLORREF>(g.GridGetFixedLineColor());
    dlg.m_crFixedSelLine = static_cast<COLORREF>(g.GridGetFixedSelLineColor());
    dlg.m_strSkinDir = g.GridGetSkinDir();
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    g.GridSetFixedColBgColor(static_cast<LONG>(dlg.m_crFixedBack));
    g.GridSetFixedColSelColor(static_cast<LONG>(dlg.m_crFixedSelBack));
    g.GridSetFixedLineColor(static_cast<LONG>(dlg.m_crFixedLine));
    g.GridSetFixedSelLineColor(static_cast<LONG>(dlg.m_crFixedSelLine));
    g.GridSetSkinDir(dlg.m_strSkinDir);
    ctx.Changed();
}

void TableSize(CDesignerContext& ctx)
{
    LONG row = 0, col = 0;
    if (!Focus(ctx, row, col) || !ctx.Grid().CellIsValid(row, col))
        return;
    ctx.Grid().RowSetCount(row + 1);
    ctx.Grid().ColumnSetCount(col + 1);
    ctx.Changed();
}

void AutoSize(CDesignerContext& ctx, bool rows)
{
    LONG r1 = 0, c1 = 0, r2 = -1, c2 = -1;
    if (!ctx.Grid().GridGetSelectRange(r1, c1, r2, c2))
        return;
    if (rows)
        for (LONG r = r1; r <= r2; ++r)
            ctx.Grid().GridAutoSizeRow(r);
    else
        for (LONG c = c1; c <= c2; ++c)
            ctx.Grid().GridAutoSizeCol(c);
    ctx.Changed();
}

}  // namespace

void RegisterTableCommands(CDesignerCommands& table)
{
    table.Add(32931, FixedRowCount);
    table.Add(32932, FixedColumnCount);
    table.Add(32977, RowsToFixed);
    table.Add(32980, ColumnsToFixed);
    table.Add(32981, [](CDesignerContext& ctx) {
        ctx.Grid().RowResetFixed();
        ctx.Changed();
    });
    table.Add(32982, [](CDesignerContext& ctx) {
        ctx.Grid().ColumnResetFixed();
        ctx.Changed();
    });
    table.Add(33017, Freeze);
    table.Add(33013, ToggleTopLeft, [](CDesignerContext& ctx, CCmdState& s) {
        const bool any = ctx.Grid().GridGetSelectedCount() > 0;
        s.enabled = any;
        s.checked = any && TopLeftFrozen(ctx.Grid());
    });
    table.Add(33015, ToggleBottomRight, [](CDesignerContext& ctx, CCmdState& s) {
        const bool any = ctx.Grid().GridGetSelectedCount() > 0;
        s.enabled = any;
        s.checked = any && BottomRightFrozen(ctx.Grid());
    });
    table.Add(33030, PasteOptions);
    table.Add(33041, Skin);
    table.Add(20003, PasteWithOptions);
    table.Add(32950, TableSize);
    table.Add(32983, [](CDesignerContext& ctx) { AutoSize(ctx, true); });
    table.Add(32984, [](CDesignerContext& ctx) { AutoSize(ctx, false); });
    table.Add(32958, [](CDesignerContext& ctx) {
        CCellValueDlg dlg;
        ctx.ui.DoModal(dlg);
    });
}
