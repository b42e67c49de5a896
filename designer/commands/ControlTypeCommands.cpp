// The control-type commands: each opens its type's dialog, filled from the
// first selected cell when that cell already has the type, and gives every
// selected cell the control text the dialog built.
#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/commands/CellControlFamily.h"
#include "designer/commands/CellSelection.h"
#include "designer/dialogs/ControlTypeDialogs.h"

using namespace cellcmd;

namespace {

// Control types as the control numbers them.
const LONG kTypeCombo = 1, kTypeCheck = 2, kTypeComboCheck = 3, kTypeDateTime = 4, kTypeNumeric = 5, kTypeButton = 6,
           kTypeUrl = 9, kTypeRichText = 10;

void SetControlOnSelection(CDesignerContext& ctx, const CString& text)
{
    IGridControl& grid = ctx.Grid();
    ctx.view.ForEachSelectedCell([&](LONG r, LONG c) { grid.CellSetControl(r, c, text); });
    ctx.Changed();
}

// Runs a control dialog: pre-filled from the first selected cell when it has
// the dialog's type, applied to the selection on OK.
template <class Dialog>
void RunControlDialog(CDesignerContext& ctx, LONG type, Dialog& dlg)
{
    IGridControl& grid = ctx.Grid();
    LONG row = 0, col = 0;
    if (FirstSelectedCell(grid, row, col) && grid.CellGetControlType(row, col) == type)
        dlg.Read(ControlAttributes(grid, row, col));
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    const CString text = dlg.GetAttributeText();
    if (text.IsEmpty())
        return;
    SetControlOnSelection(ctx, text);
    grid.GridSetFocus();
}

template <class Dialog>
CDesignerCommands::Handler DialogCommand(LONG type)
{
    return [type](CDesignerContext& ctx) {
        Dialog dlg;
        RunControlDialog(ctx, type, dlg);
    };
}

CDesignerCommands::Updater CheckedWhenType(const char* word)
{
    const CString expected(word);
    return [expected](CDesignerContext& ctx, CCmdState& state) {
        IGridControl& grid = ctx.Grid();
        state.enabled = grid.GridGetSelectedCount() > 0;
        state.checked = EverySelectedCell(grid, [&](LONG r, LONG c) {
            const CString type = grid.CellGetControlProperty(r, c, CString("controltype"));
            return expected.IsEmpty() ? (type.IsEmpty() || type == "edit") : type == expected;
        });
    };
}

}  // namespace

void RegisterControlTypeCommands(CDesignerCommands& table)
{
    table.Add(
        kControlEdit,
        [](CDesignerContext& ctx) {
            SetControlOnSelection(ctx, CString(kEditControlText));
            ctx.Grid().GridSetFocus();
        },
        CheckedWhenType(""));
    table.Add(kControlNumeric, DialogCommand<CNumericControlDlg>(kTypeNumeric), CheckedWhenType("numeric"));
    table.Add(
        kControlButton,
        [](CDesignerContext& ctx) {
            CButtonControlDlg dlg;
            dlg.LoadPictures(ctx.Grid());
            RunControlDialog(ctx, kTypeButton, dlg);
        },
        CheckedWhenType("button"));
    table.Add(kControlCheckBox, DialogCommand<CCheckBoxControlDlg>(kTypeCheck), CheckedWhenType("checkbox"));
    table.Add(kControlCombo, DialogCommand<CComboBoxControlDlg>(kTypeCombo), CheckedWhenType("combobox"));
    table.Add(kControlComboCheck, DialogCommand<CComboCheckControlDlg>(kTypeComboCheck), CheckedWhenType("combocheck"));
    table.Add(kControlDateTime, DialogCommand<CDateTimeControlDlg>(kTypeDateTime), CheckedWhenType("datetime"));
    table.Add(
        kControlUrl,
        [](CDesignerContext& ctx) {
            IGridControl& grid = ctx.Grid();
            CUrlControlDlg dlg;
            LONG row = 0, col = 0;
            if (FirstSelectedCell(grid, row, col) && grid.CellGetControlType(row, col) == kTypeUrl)
                dlg.Read(ControlAttributes(grid, row, col));
            if (ctx.ui.DoModal(dlg) != IDOK || dlg.GetAttributeText().IsEmpty())
                return;
            const CString text = dlg.GetAttributeText();
            ctx.view.ForEachSelectedCell([&](LONG r, LONG c) {
                if (grid.CellSetControl(r, c, text) && !dlg.m_strDisplay.IsEmpty())
                    grid.CellSetValue(r, c, dlg.m_strDisplay);
            });
            ctx.Changed();
            grid.GridSetFocus();
        },
        CheckedWhenType("url"));
    table.Add(
        kControlRichText,
        [](CDesignerContext& ctx) {
            IGridControl& grid = ctx.Grid();
            ctx.view.ForEachSelectedCell([&](LONG r, LONG c) { grid.CellSetControlType(r, c, kTypeRichText); });
            ctx.Changed();
            grid.GridSetFocus();
        },
        [](CDesignerContext& ctx, CCmdState& state) {
            IGridControl& grid = ctx.Grid();
            state.enabled = grid.GridGetSelectedCount() > 0;
            state.checked =
                EverySelectedCell(grid, [&](LONG r, LONG c) { return grid.CellGetControlType(r, c) == kTypeRichText; });
        });
}
