// "属性" from the view's cell-properties command and from the grid's
// right-click menu ("单元格属性..."). The command repeats the dialog's
// changes on the focus cell; the right-click item leaves it to the dialog.
// The right-click "超连接" runs the link command; "表格属性..." opens the
// grid-properties dialog.
#include "designer/DesignerCommand.h"
#include "designer/DesignerCommands.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/commands/CellControlFamily.h"
#include "designer/dialogs/CellPropertiesDialog.h"
#include "designer/dialogs/GridPropertiesDialog.h"

namespace {

void CellProperties(CDesignerContext& ctx, bool repeatOnFocus)
{
    IGridControl& grid = ctx.Grid();
    CCellPropertiesDlg dlg(&grid, ctx.ui);
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    LONG row = -1, col = -1;
    if (repeatOnFocus && grid.CellGetFocus(row, col) && grid.CellIsValid(row, col))
        dlg.ApplyToCell(row, col);
    ctx.Changed();
}

}  // namespace

void RegisterCellPropertiesCommands(CDesignerCommands& table)
{
    table.Add(cellcmd::kCellProperties, [](CDesignerContext& ctx) { CellProperties(ctx, true); });
    table.Add(designer_cmd::kMenuCellProperties, [](CDesignerContext& ctx) { CellProperties(ctx, false); });
    // "表格属性...": the dialog writes its own settings.
    table.Add(cellcmd::kGridProperties, [](CDesignerContext& ctx) {
        CGridPropertiesDlg dlg;
        dlg.Load(&ctx.Grid());
        if (ctx.ui.DoModal(dlg) == IDOK) {
            dlg.Apply();
            ctx.Changed();
        }
    });
    // The right-click "超连接" is the link command.
    table.Add(designer_cmd::kMenuLink, [](CDesignerContext& ctx) {
        CDesignerCommands::Instance().Run(cellcmd::kControlUrl, ctx);
    });
}
