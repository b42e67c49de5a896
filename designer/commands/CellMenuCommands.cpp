// The cell menu's own commands: the picture control, memos, the picture
// list, showing a cell's control or format text, and the diagonal and full
// borders drawn with the border toolbar's line style and colour.
#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/LineStyles.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/commands/CellControlFamily.h"
#include "designer/commands/CellSelection.h"
#include "designer/dialogs/CellToolDialogs.h"
#include "designer/dialogs/ControlTypeDialogs.h"

using namespace cellcmd;

namespace {

const LONG kTypeImage = 12;
const LONG kFullBorderFlags = 63;  // the four edges and both single diagonals

void InsertImage(CDesignerContext& ctx)
{
    IGridControl& grid = ctx.Grid();
    CImageControlDlg dlg;
    dlg.LoadPictures(grid);
    LONG row = 0, col = 0;
    if (FirstSelectedCell(grid, row, col) && grid.CellGetControlType(row, col) == kTypeImage)
        dlg.Read(ControlAttributes(grid, row, col));
    if (ctx.ui.DoModal(dlg) == IDOK && !dlg.GetAttributeText().IsEmpty()) {
        const CString text = dlg.GetAttributeText();
        ctx.view.ForEachSelectedCell([&](LONG r, LONG c) { grid.CellSetControl(r, c, text); });
        ctx.Changed();
    }
    grid.GridSetFocus();
}

void InsertMemo(CDesignerContext& ctx)
{
    IGridControl& grid = ctx.Grid();
    LONG row = 0, col = 0;
    if (!FirstSelectedCell(grid, row, col))
        return;
    grid.CellSetFocus(row, col);
    CFootnoteDlg dlg;
    dlg.m_strText = grid.CellGetMemo(row, col);
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    grid.CellSetMemo(row, col, dlg.m_strText);
    grid.GridRefresh();
    ctx.Changed();
}

void DeleteMemo(CDesignerContext& ctx)
{
    IGridControl& grid = ctx.Grid();
    if (grid.GridGetCurSelectType() != 0) {
        ctx.view.ForEachSelectedCell([&](LONG r, LONG c) { grid.CellSetMemo(r, c, CString()); });
    } else {
        LONG row = 0, col = 0;
        if (!FirstSelectedCell(grid, row, col))
            return;
        grid.CellSetFocus(row, col);
        grid.CellSetMemo(row, col, CString());
    }
    grid.GridRefresh();
    ctx.Changed();
}

// Shows the focus cell's control or format text, ready to be copied.
void ShowText(CDesignerContext& ctx, bool control)
{
    IGridControl& grid = ctx.Grid();
    LONG row = -1, col = -1;
    if (grid.CellGetFocus(row, col) && grid.CellIsValid(row, col)) {
        const CString text = control ? grid.CellGetControl(row, col) : grid.CellGetTextFormat(row, col);
        if (!text.IsEmpty())
            ctx.ui.MessageBox(text, CString("直接按下: [Ctrl + C] 即可复制提示框内容!!"), MB_OK | MB_ICONQUESTION);
    }
    if (control)
        grid.GridSetFocus();
}

// The line of the border toolbar: FALSE when no line style is chosen.
BOOL ToolbarLine(CDesignerContext& ctx, int& style, int& width, COLORREF& colour)
{
    const int index = ctx.ui.LineStyleIndex();
    if (index < 0 || !CComboBoxLine::StyleToPen(index, &style, &width))
        return FALSE;
    colour = ctx.ui.LineColor();
    return TRUE;
}

BOOL EveryCellHasBits(IGridControl& grid, LONG bits)
{
    return EverySelectedCell(grid, [&](LONG r, LONG c) { return (grid.CellGetBorderFlags(r, c) & bits) == bits; });
}

// A diagonal command turns its line on unless every selected cell has it
// already (as its toolbar button shows checked), and off then.
CDesignerCommands::Handler Diagonal(LONG bit)
{
    return [bit](CDesignerContext& ctx) {
        IGridControl& grid = ctx.Grid();
        const bool on = !EveryCellHasBits(grid, bit);
        int style = 0, width = 0;
        COLORREF colour = 0;
        if (!ToolbarLine(ctx, style, width, colour))
            return;
        ctx.view.ForEachSelectedCell([&](LONG r, LONG c) {
            if (on)
                grid.CellSetBorder(r, c, bit, style, static_cast<LONG>(colour), width);
            else
                grid.CellDelBorder(r, c, bit);
        });
        grid.GridRefresh();
        ctx.Changed();
    };
}

CDesignerCommands::Updater DiagonalState(LONG bit)
{
    return [bit](CDesignerContext& ctx, CCmdState& state) {
        IGridControl& grid = ctx.Grid();
        state.enabled = grid.GridGetSelectedCount() > 0;
        state.checked = EveryCellHasBits(grid, bit);
    };
}

void FullBorder(CDesignerContext& ctx)
{
    IGridControl& grid = ctx.Grid();
    int style = 0, width = 0;
    COLORREF colour = 0;
    if (!ToolbarLine(ctx, style, width, colour))
        return;
    ctx.view.ForEachSelectedCell(
        [&](LONG r, LONG c) { grid.CellSetBorder(r, c, kFullBorderFlags, style, static_cast<LONG>(colour), width); });
    grid.GridRefresh();
    ctx.Changed();
}

void EnabledWithSelection(CDesignerContext& ctx, CCmdState& state)
{
    state.enabled = ctx.Grid().GridGetSelectedCount() > 0;
}

}  // namespace

void RegisterCellMenuCommands(CDesignerCommands& table)
{
    table.Add(kInsertImage, InsertImage, [](CDesignerContext& ctx, CCmdState& state) {
        IGridControl& grid = ctx.Grid();
        state.enabled = grid.GridGetSelectedCount() > 0;
        state.checked =
            EverySelectedCell(grid, [&](LONG r, LONG c) { return grid.CellGetControlType(r, c) == kTypeImage; });
    });
    table.Add(kInsertMemo, InsertMemo, EnabledWithSelection);
    table.Add(kDeleteMemo, DeleteMemo, EnabledWithSelection);
    table.Add(kPictureList, [](CDesignerContext& ctx) {
        CImageListDlg dlg(&ctx.Grid(), ctx.ui);
        ctx.ui.DoModal(dlg);
        ctx.Changed();
    });
    table.Add(kShowControlText, [](CDesignerContext& ctx) { ShowText(ctx, true); });
    table.Add(kShowFormatText, [](CDesignerContext& ctx) { ShowText(ctx, false); });
    const struct {
        UINT id;
        LONG bit;
    } diagonals[] = {{kDiagonalRight, 16}, {kDiagonalLeft, 32}, {kDoubleDiagonalRight, 64}, {kDoubleDiagonalLeft, 128}};
    for (const auto& d : diagonals)
        table.Add(d.id, Diagonal(d.bit), DiagonalState(d.bit));
    table.Add(kFullBorder, FullBorder);
}
