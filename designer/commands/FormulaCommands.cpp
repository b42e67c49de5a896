// The formula menu: quick insertion of the common functions into the focus
// cell, insertion of a function picked from the list, the user function and
// constant dialogs, and recalculation. After inserting, the focus cell is put
// into edit mode so that the user completes the formula there.
#include "designer/commands/EditingFamily.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/FormulaDialogs.h"

namespace {

// "=Fn(" followed by the focus column from the first visible scrollable row
// down to the row above the focus, and ")". A focus at or above that first
// row has no rows above it to take: the range stays empty then, as it does
// when the control has no scrollable cell on screen.
void QuickFunction(CDesignerContext& ctx, const char* prefix)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    CString range;
    LONG topRow = 0, topCol = 0;
    if (g.GridGetTopLeft(topRow, topCol) && row - 1 >= topRow) {
        const CString letters = g.ColumnIdToMark(col);
        range.Format("%s%d:%s%d", letters, static_cast<int>(topRow), letters, static_cast<int>(row - 1));
    }
    g.CellSetFormula(row, col, CString(prefix) + range + ")");
    g.GridSetCellEdit(row, col);
    ctx.Changed();
}

void InsertIf(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    g.CellSetFormula(row, col, CString("=If("));
    g.GridSetCellEdit(row, col);
    ctx.Changed();
}

void PickFunction(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    CFormulaListDlg dlg(&g);
    LONG row = 0, col = 0;
    const bool chosen = ctx.ui.DoModal(dlg) == IDOK && !dlg.m_strSelected.IsEmpty();
    // The keyboard goes back to the control whatever the answer; the editor
    // opens after that, so that it keeps the focus inside the control.
    g.GridSetFocus();
    if (chosen && g.CellGetFocus(row, col)) {
        g.CellSetFormula(row, col, CString("=") + dlg.m_strSelected + "(");
        g.GridSetCellEdit(row, col);
        ctx.Changed();
    }
}

}  // namespace

void RegisterFormulaCommands(CDesignerCommands& t)
{
    using Ctx = CDesignerContext;
    t.Add(32966, [](Ctx& c) { QuickFunction(c, "=Sum("); });
    t.Add(32967, [](Ctx& c) { QuickFunction(c, "=Average("); });
    t.Add(32968, [](Ctx& c) { QuickFunction(c, "=Count("); });
    t.Add(32969, [](Ctx& c) { QuickFunction(c, "=Max("); });
    t.Add(32970, [](Ctx& c) { QuickFunction(c, "=Min("); });
    t.Add(32971, InsertIf);
    t.Add(32972, PickFunction);
    t.Add(32963, PickFunction);
    t.Add(32960, PickFunction);
    // The user function and constant dialogs change the template's formula
    // engine; whatever they added makes the document modified.
    t.Add(32965, [](Ctx& c) {
        IGridControl& g = c.Grid();
        const LONG before = g.FormulaGetUserFunCount();
        CAddUserFunctionDlg dlg(&g, c.ui);
        c.ui.DoModal(dlg);
        if (g.FormulaGetUserFunCount() != before)
            c.Changed();
    });
    t.Add(32974, [](Ctx& c) {
        IGridControl& g = c.Grid();
        const LONG before = g.FormulaGetUserConstCount();
        CAddUserConstDlg dlg(&g, c.ui);
        c.ui.DoModal(dlg);
        if (g.FormulaGetUserConstCount() != before)
            c.Changed();
    });
    t.Add(32973, [](Ctx& c) {
        CConstantListDlg dlg(&c.Grid());
        c.ui.DoModal(dlg);
    });
    t.Add(32975, [](Ctx& c) {
        LONG row = 0, col = 0;
        if (c.Grid().CellGetFocus(row, col))
            c.Grid().FormulaCalcCell(row, col);
    });
    t.Add(32964, [](Ctx& c) { c.Grid().FormulaCalcAll(); });
    t.Add(32959, [](Ctx& c) { c.Grid().GridSetFocus(); });
}
