#include "control/GridAccessors.h"

#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

bool IsEmpty(const CCellSpan& span)
{
    return span.minRow > span.maxRow || span.minCol > span.maxCol;
}

}  // namespace

// Each step re-reads the covered cells and the link: a cell operation may
// reach the host (a formula recalculated after a text change calls out),
// which may change the sheet or let the control go.
template <typename Op>
void CCellAccessor::ForEachCell(Op op)
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return;
    for (int row = Covered(*grid).minRow;; ++row) {
        const CCellSpan span = Covered(*grid);
        if (IsEmpty(span) || row > span.maxRow)
            return;
        for (int col = span.minCol; col <= span.maxCol; ++col) {
            grid = GetGrid();
            if (grid == nullptr)
                return;
            op(*grid, row, col);
        }
        grid = GetGrid();
        if (grid == nullptr)
            return;
    }
}

bool CCellAccessor::HasReadCell() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return false;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->IsCellValid(row, col);
}

// ---- setters ------------------------------------------------------------------

void CCellAccessor::SetBackColor(COLORREF colour)
{
    ForEachCell([colour](CGridCtrl& g, int r, int c) { g.SetCellBackColor(r, c, colour); });
}

void CCellAccessor::SetControl(const CString& text)
{
    ForEachCell([&text](CGridCtrl& g, int r, int c) { g.SetCellControl(r, c, text); });
}

void CCellAccessor::SetTextColor(COLORREF colour)
{
    ForEachCell([colour](CGridCtrl& g, int r, int c) { g.SetCellTextColor(r, c, colour); });
}

void CCellAccessor::SetFont(const CString& text)
{
    ForEachCell([&text](CGridCtrl& g, int r, int c) { g.SetCellTextFont(r, c, text); });
}

void CCellAccessor::SetFormat(const CString& text)
{
    ForEachCell([&text](CGridCtrl& g, int r, int c) { g.SetCellTextFormat(r, c, text); });
}

void CCellAccessor::SetText(const CString& text)
{
    ForEachCell([&text](CGridCtrl& g, int r, int c) { g.SetCellText(r, c, text); });
}

void CCellAccessor::SetValue(double value)
{
    ForEachCell([value](CGridCtrl& g, int r, int c) { g.SetCellValue(r, c, value); });
}

void CCellAccessor::SetWrap(BOOL wrap)
{
    ForEachCell([wrap](CGridCtrl& g, int r, int c) { g.SetCellTextWrap(r, c, wrap); });
}

void CCellAccessor::SetReadOnly(BOOL readOnly)
{
    ForEachCell([readOnly](CGridCtrl& g, int r, int c) { g.SetCellReadOnly(r, c, readOnly); });
}

void CCellAccessor::SetHide(BOOL hide)
{
    ForEachCell([hide](CGridCtrl& g, int r, int c) { g.SetCellHide(r, c, hide); });
}

void CCellAccessor::SetBorder(int mask, int lineStyle, COLORREF colour, int width)
{
    ForEachCell([=](CGridCtrl& g, int r, int c) { g.SetCellBorder(r, c, mask, lineStyle, colour, width); });
}

void CCellAccessor::SetAlign(UINT format)
{
    ForEachCell([format](CGridCtrl& g, int r, int c) { g.SetCellAlign(r, c, format); });
}

void CCellAccessor::Merge()
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return;
    const CCellSpan span = MergeBounds(*grid);
    if (!IsEmpty(span))
        grid->MergeCells(span.minRow, span.minCol, span.maxRow, span.maxCol);
}

// ---- getters ------------------------------------------------------------------

COLORREF CCellAccessor::GetBackColor() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellBackColor(row, col);
}

CString CCellAccessor::GetControl() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellControl(row, col);
}

COLORREF CCellAccessor::GetTextColor() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellTextColor(row, col);
}

CString CCellAccessor::GetFont() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellTextFont(row, col);
}

CString CCellAccessor::GetFormat() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellTextFormat(row, col);
}

CString CCellAccessor::GetText() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellText(row, col);
}

double CCellAccessor::GetValue() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0.0;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellValue(row, col);
}

BOOL CCellAccessor::GetWrap() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->IsCellTextWrap(row, col);
}

BOOL CCellAccessor::GetReadOnly() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->IsCellReadOnly(row, col);
}

BOOL CCellAccessor::GetHide() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->IsCellHide(row, col);
}

int CCellAccessor::GetBorderFlags() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellBorderFlags(row, col);
}

UINT CCellAccessor::GetAlign() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellAlign(row, col);
}

BOOL CCellAccessor::IsMerged() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->IsCellMerged(row, col);
}

int CCellAccessor::GetCellType() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return -1;
    int row = -1, col = -1;
    ReadCell(*grid, row, col);
    return grid->GetCellType(row, col);
}

// ---- column ---------------------------------------------------------------------

void CColumnAccessor::RegisterFormatColumn()
{
    if (CGridCtrl* grid = GetGrid())
        grid->AddFormatColumn(m_nColumn);
}

CCellSpan CColumnAccessor::Covered(CGridCtrl& grid) const
{
    CCellSpan span;
    if (m_nColumn < 0 || m_nColumn >= grid.GetColumnCount())
        return span;
    span.minRow = grid.GetFixedRowCount();
    span.maxRow = grid.GetRowCount() - 1;
    span.minCol = span.maxCol = m_nColumn;
    return span;
}

void CColumnAccessor::ReadCell(CGridCtrl& grid, int& row, int& col) const
{
    row = grid.GetFixedRowCount();
    col = m_nColumn;
}

// ---- row ---------------------------------------------------------------------------

void CRowAccessor::RegisterFormatRow()
{
    if (CGridCtrl* grid = GetGrid())
        grid->AddFormatRow(m_nRow);
}

CCellSpan CRowAccessor::Covered(CGridCtrl& grid) const
{
    CCellSpan span;
    if (m_nRow < 0 || m_nRow >= grid.GetRowCount())
        return span;
    span.minRow = span.maxRow = m_nRow;
    span.minCol = grid.GetFixedColumnCount();
    span.maxCol = grid.GetColumnCount() - 1;
    return span;
}

void CRowAccessor::ReadCell(CGridCtrl& grid, int& row, int& col) const
{
    row = m_nRow;
    col = grid.GetFixedColumnCount();
}

// ---- range -------------------------------------------------------------------------

void CRangeAccessor::SetRange(int minRow, int minCol, int maxRow, int maxCol)
{
    m_nMinRow = minRow;
    m_nMinCol = minCol;
    m_nMaxRow = maxRow;
    m_nMaxCol = maxCol;
}

CCellSpan CRangeAccessor::Covered(CGridCtrl& grid) const
{
    // The rectangle as far as it lies inside the sheet: the cells outside it
    // do not exist, so the grid would refuse each of them anyway.
    CCellSpan span;
    if (m_nMinRow > m_nMaxRow || m_nMinCol > m_nMaxCol)
        return span;
    span.minRow = std::max(m_nMinRow, 0);
    span.minCol = std::max(m_nMinCol, 0);
    span.maxRow = std::min(m_nMaxRow, grid.GetRowCount() - 1);
    span.maxCol = std::min(m_nMaxCol, grid.GetColumnCount() - 1);
    return span;
}

void CRangeAccessor::ReadCell(CGridCtrl&, int& row, int& col) const
{
    row = m_nMinRow;
    col = m_nMinCol;
}

CCellSpan CRangeAccessor::MergeBounds(CGridCtrl&) const
{
    CCellSpan span;
    span.minRow = m_nMinRow;
    span.minCol = m_nMinCol;
    span.maxRow = m_nMaxRow;
    span.maxCol = m_nMaxCol;
    return span;
}
