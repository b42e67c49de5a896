// The display-format commands: each opens its format's dialog, filled from
// the first selected cell when that cell already has the format, and gives
// every selected cell the format text the dialog built.
#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/commands/CellControlFamily.h"
#include "designer/commands/CellSelection.h"
#include "designer/dialogs/FormatDialogs.h"

#include <memory>

using namespace cellcmd;

namespace {

CString DataType(IGridControl& grid, LONG row, LONG col)
{
    CString type = grid.CellGetTextFormatProperty(row, col, CString("datatype"));
    type.MakeLower();
    return type;
}

template <class Dialog>
void Register(CDesignerCommands& table, UINT id)
{
    table.Add(
        id,
        [](CDesignerContext& ctx) {
            IGridControl& grid = ctx.Grid();
            Dialog dlg;
            LONG row = 0, col = 0;
            if (FirstSelectedCell(grid, row, col) && grid.CellIsValid(row, col) &&
                DataType(grid, row, col) == dlg.TypeWord())
                dlg.Read(FormatAttributes(grid, row, col));
            if (ctx.ui.DoModal(dlg) != IDOK)
                return;
            const CString text = dlg.GetAttributeText();
            if (text.IsEmpty())
                return;
            ctx.view.ForEachSelectedCell([&](LONG r, LONG c) { grid.CellSetTextFormat(r, c, text); });
            ctx.Changed();
        },
        [](CDesignerContext& ctx, CCmdState& state) {
            IGridControl& grid = ctx.Grid();
            const CString word(Dialog().TypeWord());
            state.enabled = grid.GridGetSelectedCount() > 0;
            state.checked = EverySelectedCell(grid, [&](LONG r, LONG c) {
                return grid.CellGetTextFormatProperty(r, c, CString("datatype")) == word;
            });
        });
}

}  // namespace

void RegisterFormatTypeCommands(CDesignerCommands& table)
{
    Register<CNumericFormatDlg>(table, kFormatNumeric);
    Register<CCurrencyFormatDlg>(table, kFormatCurrency);
    Register<CDateTimeFormatDlg>(table, kFormatDateTime);
    Register<CBooleanFormatDlg>(table, kFormatBoolean);
    Register<CPercentageFormatDlg>(table, kFormatPercentage);
    Register<CScientificFormatDlg>(table, kFormatScientific);
}
