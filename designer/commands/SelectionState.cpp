#include "designer/commands/SelectionState.h"

#include "designer/commands/TreeMembership.h"

CSelRange GetSelRange(IGridControl& grid)
{
    CSelRange r;
    r.ok = grid.GridGetSelectRange(r.r1, r.c1, r.r2, r.c2) != FALSE && r.r2 >= r.r1 && r.c2 >= r.c1;
    return r;
}

bool GetValidFocus(IGridControl& grid, LONG& row, LONG& col)
{
    row = col = -1;
    return grid.CellGetFocus(row, col) && grid.CellIsValid(row, col);
}

bool WalkSelection(IGridControl& grid, const std::function<bool(LONG, LONG)>& fn)
{
    if (grid.GridGetCurSelectType() == 0) {
        const LONG n = grid.GridGetSelectedCount();
        for (LONG i = 0; i < n; ++i) {
            LONG row = 0, col = 0;
            if (grid.GridGetSelectedCell(i, row, col) && !fn(row, col))
                return false;
        }
        return true;
    }
    const CSelRange r = GetSelRange(grid);
    if (!r.ok)
        return true;
    for (LONG row = r.r1; row <= r.r2; ++row)
        for (LONG col = r.c1; col <= r.c2; ++col)
            if (!fn(row, col))
                return false;
    return true;
}

void CSelectionState::Forget()
{
    m_valid = false;
}

void CSelectionState::Sync()
{
    Signature sig;
    sig.kind = m_grid.GridGetCurSelectType();
    sig.count = m_grid.GridGetSelectedCount();
    // A list's range costs a walk of the list: its first and last cells
    // (kept in order by the control) stand for it here.
    if (sig.kind == 0) {
        if (sig.count > 0) {
            m_grid.GridGetSelectedCell(0, sig.r1, sig.c1);
            m_grid.GridGetSelectedCell(sig.count - 1, sig.r2, sig.c2);
        }
    } else {
        m_grid.GridGetSelectRange(sig.r1, sig.c1, sig.r2, sig.c2);
    }
    if (!m_grid.CellGetFocus(sig.fr, sig.fc))
        sig.fr = sig.fc = -1;
    sig.rows = m_grid.RowGetCount();
    sig.cols = m_grid.ColumnGetCount();
    if (m_valid && sig == m_sig)
        return;
    m_sig = sig;
    m_valid = true;
    m_range = GetSelRange(m_grid);
    m_any = m_startValid = m_unmerged = m_merged = m_inTree = -1;
    m_all.clear();
}

const CSelRange& CSelectionState::Range()
{
    Sync();
    return m_range;
}

bool CSelectionState::AnySelected()
{
    Sync();
    if (m_any < 0)
        m_any = WalkSelection(m_grid, [](LONG, LONG) { return false; }) ? 0 : 1;
    return m_any == 1;
}

bool CSelectionState::RangeStartValid()
{
    Sync();
    if (m_startValid < 0)
        m_startValid = m_range.ok && m_grid.CellIsValid(m_range.r1, m_range.c1) ? 1 : 0;
    return m_startValid == 1;
}

bool CSelectionState::RangeHasUnmerged()
{
    Sync();
    if (m_unmerged < 0) {
        m_unmerged = 0;
        for (LONG r = m_range.r1; m_range.ok && r <= m_range.r2 && m_unmerged == 0; ++r)
            for (LONG c = m_range.c1; c <= m_range.c2; ++c)
                if (!m_grid.CellIsMerged(r, c)) {
                    m_unmerged = 1;
                    break;
                }
    }
    return m_unmerged == 1;
}

bool CSelectionState::AnySelectedMerged()
{
    Sync();
    if (m_merged < 0)
        m_merged = WalkSelection(m_grid, [this](LONG r, LONG c) { return !m_grid.CellIsMerged(r, c); }) ? 0 : 1;
    return m_merged == 1;
}

bool CSelectionState::All(int key, const std::function<bool(LONG, LONG)>& cond)
{
    if (!AnySelected())
        return false;
    const auto it = m_all.find(key);
    if (it != m_all.end())
        return it->second;
    const bool all = WalkSelection(m_grid, cond);
    m_all[key] = all;
    return all;
}

bool CSelectionState::FocusInTree(LONG& row, LONG& col)
{
    Sync();
    if (m_inTree < 0) {
        m_focusRow = m_focusCol = -1;
        m_inTree = m_grid.CellGetFocus(m_focusRow, m_focusCol) && IsInRowTree(m_grid, m_focusRow, m_focusCol) ? 1 : 0;
    }
    row = m_focusRow;
    col = m_focusCol;
    return m_inTree == 1;
}
