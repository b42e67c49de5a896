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
    const CGridCellPos cell = ReadCell(*grid);
    return grid->IsCellValid(cell.row, cell.col);
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
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellBackColor(cell.row, cell.col);
}

CString CCellAccessor::GetControl() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellControl(cell.row, cell.col);
}

COLORREF CCellAccessor::GetTextColor() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellTextColor(cell.row, cell.col);
}

CString CCellAccessor::GetFont() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellTextFont(cell.row, cell.col);
}

CString CCellAccessor::GetFormat() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellTextFormat(cell.row, cell.col);
}

CString CCellAccessor::GetText() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return CString();
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellText(cell.row, cell.col);
}

double CCellAccessor::GetValue() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0.0;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellValue(cell.row, cell.col);
}

BOOL CCellAccessor::GetWrap() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->IsCellTextWrap(cell.row, cell.col);
}

BOOL CCellAccessor::GetReadOnly() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->IsCellReadOnly(cell.row, cell.col);
}

BOOL CCellAccessor::GetHide() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->IsCellHide(cell.row, cell.col);
}

int CCellAccessor::GetBorderFlags() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellBorderFlags(cell.row, cell.col);
}

UINT CCellAccessor::GetAlign() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return 0;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellAlign(cell.row, cell.col);
}

BOOL CCellAccessor::IsMerged() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->IsCellMerged(cell.row, cell.col);
}

int CCellAccessor::GetCellType() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return -1;
    const CGridCellPos cell = ReadCell(*grid);
    return grid->GetCellType(cell.row, cell.col);
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

CGridCellPos CColumnAccessor::ReadCell(CGridCtrl& grid) const
{
    return CGridCellPos(grid.GetFixedRowCount(), m_nColumn);
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

CGridCellPos CRowAccessor::ReadCell(CGridCtrl& grid) const
{
    return CGridCellPos(m_nRow, grid.GetFixedColumnCount());
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

CGridCellPos CRangeAccessor::ReadCell(CGridCtrl&) const
{
    return CGridCellPos(m_nMinRow, m_nMinCol);
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
