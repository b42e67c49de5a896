// Rows and columns (sizes, counts, insertion, deletion, hiding), merging and
// sorting. Row and column indices are the control's, counted from 0
// including the fixed ones.
#include "designer/commands/EditingFamily.h"

#include "designer/DesignerCommands.h"
#include "designer/DesignerUi.h"
#include "designer/dialogs/SizeDialogs.h"

#include <set>

using namespace designer_cmd;

namespace {

// The distinct columns (or rows) of the selection: the range's when the
// selection is a range, else those of the listed cells. Sizing works once
// per line, whatever the number of selected cells in it.
std::set<LONG> SelectedLines(IGridControl& grid, bool columns)
{
    std::set<LONG> lines;
    if (grid.GridGetCurSelectType() != 0) {
        const CSelRange r = GetSelRange(grid);
        if (r.ok)
            for (LONG i = columns ? r.c1 : r.r1; i <= (columns ? r.c2 : r.r2); ++i)
                lines.insert(i);
        return lines;
    }
    WalkSelection(grid, [&](LONG row, LONG col) {
        lines.insert(columns ? col : row);
        return true;
    });
    return lines;
}

// The size dialog over the range's columns (or rows): mixed sizes show 0; OK
// sets every line of the range.
void SizeDialogOverRange(CDesignerContext& ctx, bool columns)
{
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!r.ok)
        return;
    const LONG first = columns ? r.c1 : r.r1, last = columns ? r.c2 : r.r2;
    auto size = [&](LONG i) { return columns ? g.ColumnGetWidth(i) : g.RowGetHeight(i); };
    long start = size(first);
    for (LONG i = first; i < last; ++i)
        if (size(i + 1) != size(i)) {
            start = 0;
            break;
        }
    CColumnWidthDlg widthDlg;
    CRowHeightDlg heightDlg;
    CIntValueDlg& dlg = columns ? static_cast<CIntValueDlg&>(widthDlg) : static_cast<CIntValueDlg&>(heightDlg);
    dlg.m_nValue = start;
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    for (LONG i = first; i <= last; ++i) {
        if (columns)
            g.ColumnSetWidth(i, dlg.m_nValue);
        else
            g.RowSetHeight(i, dlg.m_nValue);
    }
    ctx.Changed();
}

void FitLines(CDesignerContext& ctx, bool columns)
{
    IGridControl& g = ctx.Grid();
    const std::set<LONG> lines = SelectedLines(g, columns);
    for (LONG i : lines) {
        if (columns)
            g.GridAutoSizeCol(i);
        else
            g.GridAutoSizeRow(i);
    }
    if (!lines.empty())
        ctx.Changed();
}

void InsertOrDelete(CDesignerContext& ctx, bool columns, bool insert)
{
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!r.ok || !g.CellIsValid(r.r1, r.c1))
        return;
    if (columns && insert)
        g.ColumnInsert(r.c1, 1, 0);
    else if (columns)
        g.ColumnDelete(r.c1, r.c2 - r.c1 + 1);
    else if (insert)
        g.RowInsert(r.r1, 1, 0);
    else
        g.RowDelete(r.r1, r.r2 - r.r1 + 1);
    ctx.Changed();
}

void HideLines(CDesignerContext& ctx, bool columns, SHORT hide)
{
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!r.ok)
        return;
    for (LONG i = columns ? r.c1 : r.r1; i <= (columns ? r.c2 : r.r2); ++i) {
        if (columns)
            g.ColumnSetHide(i, hide);
        else
            g.RowSetHide(i, hide);
    }
    ctx.Changed();
}

// The focus-cell forms bound in the view without a menu item.
void OnFocus(CDesignerContext& ctx, void (*fn)(IGridControl&, LONG, LONG))
{
    LONG row = 0, col = 0;
    if (!GetValidFocus(ctx.Grid(), row, col))
        return;
    fn(ctx.Grid(), row, col);
    ctx.Changed();
}

void CountDialog(CDesignerContext& ctx, bool columns)
{
    IGridControl& g = ctx.Grid();
    CColumnCountDlg colDlg;
    CRowCountDlg rowDlg;
    CIntValueDlg& dlg = columns ? static_cast<CIntValueDlg&>(colDlg) : static_cast<CIntValueDlg&>(rowDlg);
    const LONG current = columns ? g.ColumnGetCount() : g.RowGetCount();
    dlg.m_nValue = current;
    if (ctx.ui.DoModal(dlg) != IDOK || dlg.m_nValue == current)
        return;
    if (columns)
        g.ColumnSetCount(dlg.m_nValue);
    else
        g.RowSetCount(dlg.m_nValue);
    ctx.Changed();
}

void ColumnWidthOfFocus(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!GetValidFocus(g, row, col))
        return;
    CColumnWidthDlg dlg;
    dlg.m_nValue = g.ColumnGetWidth(col);
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    g.ColumnSetWidth(col, dlg.m_nValue);
    ctx.Changed();
}

// Merging.
void Merge(CDesignerContext& ctx, int how)
{
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!r.ok)
        return;
    switch (how) {
    case 0:
        g.GridMergeCells(r.r1, r.c1, r.r2, r.c2);
        break;
    case 1:
        g.GridUnMergeCells(r.r1, r.c1, r.r2, r.c2);
        break;
    case 2: {
        g.GridMergeCells(r.r1, r.c1, r.r2, r.c2);
        // Centred across: the horizontal part becomes centre, the vertical
        // part stays.
        const LONG align = g.CellGetAlign(r.r1, r.c1);
        g.CellSetAlign(r.r1, r.c1, (align & ~3L) | 1L);
        break;
    }
    case 3:
        if (!g.CellIsValid(r.r1, r.c1))
            return;
        for (LONG row = r.r1; row <= r.r2; ++row)
            g.GridMergeCells(row, r.c1, row, r.c2);
        break;
    case 4:
        if (!g.CellIsValid(r.r1, r.c1))
            return;
        for (LONG col = r.c1; col <= r.c2; ++col)
            g.GridMergeCells(r.r1, col, r.r2, col);
        break;
    default:
        return;
    }
    ctx.Changed();
}

void SortFocus(CDesignerContext& ctx, SHORT ascending)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!GetValidFocus(g, row, col))
        return;
    g.GridSortColumn(col, ascending);
    g.CellSetFocus(row, col);
    ctx.Changed();
}

void SortRange(CDesignerContext& ctx, SHORT ascending)
{
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!r.ok || !g.CellIsValid(r.r1, r.c1))
        return;
    g.GridSortColumn(r.c1, ascending);
    ctx.Changed();
}

void SortType(CDesignerContext& ctx, SHORT numeric)
{
    IGridControl& g = ctx.Grid();
    const std::set<LONG> cols = SelectedLines(g, true);
    for (LONG c : cols)
        g.GridSetColumnSortType(c, numeric);
    if (!cols.empty())
        ctx.Changed();
}

}  // namespace

void RegisterRowColumnCommands(CDesignerCommands& t)
{
    using Ctx = CDesignerContext;
    using State = CCmdState;
    // Rows and columns.
    t.Add(32787, [](Ctx& c) { FitLines(c, true); }, EnableWhenSelected);
    t.Add(32782, [](Ctx& c) { FitLines(c, false); }, EnableWhenSelected);
    t.Add(32857, [](Ctx& c) { SizeDialogOverRange(c, true); }, EnableWhenRangeStartValid);
    t.Add(32855, [](Ctx& c) { SizeDialogOverRange(c, false); }, EnableWhenRangeStartValid);
    t.Add(32792, [](Ctx& c) { SizeDialogOverRange(c, false); });
    t.Add(32841, [](Ctx& c) { InsertOrDelete(c, true, true); }, EnableWhenRangeStartValid);
    t.Add(32839, [](Ctx& c) { InsertOrDelete(c, true, false); }, EnableWhenRangeStartValid);
    t.Add(32840, [](Ctx& c) { InsertOrDelete(c, false, true); }, EnableWhenRangeStartValid);
    t.Add(32819, [](Ctx& c) { InsertOrDelete(c, false, false); }, EnableWhenRangeStartValid);
    t.Add(32790, [](Ctx& c) { HideLines(c, true, 1); }, EnableWhenSelected);
    t.Add(32795, [](Ctx& c) { HideLines(c, true, 0); }, EnableWhenSelected);
    t.Add(32785, [](Ctx& c) { HideLines(c, false, 1); }, EnableWhenSelected);
    t.Add(32786, [](Ctx& c) { HideLines(c, false, 0); }, EnableWhenSelected);
    t.Add(32799, [](Ctx& c) { CountDialog(c, true); });
    t.Add(32798, [](Ctx& c) { CountDialog(c, false); });
    t.Add(32783, [](Ctx& c) { OnFocus(c, [](IGridControl& g, LONG r, LONG) { g.RowInsert(r, 1, 1); }); });
    t.Add(32784, [](Ctx& c) { OnFocus(c, [](IGridControl& g, LONG r, LONG) { g.RowDelete(r, 1); }); });
    t.Add(32788, [](Ctx& c) { OnFocus(c, [](IGridControl& g, LONG, LONG col) { g.ColumnInsert(col, 1, 1); }); });
    t.Add(32794, [](Ctx& c) { OnFocus(c, [](IGridControl& g, LONG, LONG col) { g.ColumnDelete(col, 1); }); });
    t.Add(32796, ColumnWidthOfFocus);
    // The right-click sizes over the range.
    t.Add(kMenuColumnWidth, [](Ctx& c) { SizeDialogOverRange(c, true); });
    t.Add(kMenuRowHeight, [](Ctx& c) { SizeDialogOverRange(c, false); });

    // Merging.
    auto mergeable = [](Ctx& c, State& s) {
        CSelectionState& sel = Selection(c);
        s.enabled = sel.Range().Rows() * sel.Range().Cols() > 1 && sel.RangeHasUnmerged();
    };
    t.Add(32816, [](Ctx& c) { Merge(c, 0); }, mergeable);
    t.Add(32853, [](Ctx& c) { Merge(c, 2); }, mergeable);
    t.Add(32817, [](Ctx& c) { Merge(c, 1); }, [](Ctx& c, State& s) { s.enabled = Selection(c).AnySelectedMerged(); });
    t.Add(32844, [](Ctx& c) { Merge(c, 3); }, [](Ctx& c, State& s) {
        s.enabled = Selection(c).Range().Cols() > 1 && Selection(c).RangeHasUnmerged();
    });
    t.Add(32847, [](Ctx& c) { Merge(c, 4); }, [](Ctx& c, State& s) {
        s.enabled = Selection(c).Range().Rows() > 1 && Selection(c).RangeHasUnmerged();
    });

    // Sorting.
    t.Add(32775, [](Ctx& c) { SortFocus(c, 1); }, EnableWhenSelected);
    t.Add(32797, [](Ctx& c) { SortFocus(c, 0); }, EnableWhenSelected);
    t.Add(32837, [](Ctx& c) { SortRange(c, 1); });
    t.Add(32843, [](Ctx& c) { SortRange(c, 0); });
    t.Add(32906, [](Ctx& c) { SortType(c, 0); }, EnableWhenSelected);
    t.Add(32907, [](Ctx& c) { SortType(c, 1); }, EnableWhenSelected);
    t.Add(
        32864,
        [](Ctx& c) {
            IGridControl& g = c.Grid();
            g.GridSetClickHeaderSort(g.GridGetClickHeaderSort() ? 0 : 1);
            c.Changed();
        },
        [](Ctx& c, State& s) {
            s.enabled = Selection(c).AnySelected();
            s.checked = s.enabled && c.Grid().GridGetClickHeaderSort() != 0;
        });
}
