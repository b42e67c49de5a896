// Fitting column widths and row heights to what their cells show.
//
// Cells are measured on the grid window's device context, or, before the
// window exists, on a memory context compatible with the screen (as cell
// measuring does), so a sheet filled and fitted before it is shown gets the
// same sizes. Lines of size 0 are hidden: they are never fitted, and their
// cells do not widen a column or heighten a row.
#include "grid/GridCtrl.h"

#include "grid/GridColumnFitter.h"
#include "grid/GridMeasureDC.h"
#include "grid/GridMeasureFonts.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The text the cell paints. Asking for it also makes a formatted cell's
// text, which the cell's extent then measures.
CString ShownText(CGridCellBase* pCell, CDC* pDC)
{
    int colour = -1;
    return pCell->GetTextToDraw(pDC, &colour);
}

// What the cell adds to its column's fitted width: 0 when it adds nothing
// (empty, part of a block across columns, or a header cell that still holds
// the letters the grid wrote into it).
int ColumnCellWidth(CGridCtrl& grid, CDC* pDC, int nRow, int nCol, const CString& label)
{
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    if (pCell == nullptr)
        return 0;
    if (pCell->IsMerged() && pCell->GetMergeRange().GetMinCol() != pCell->GetMergeRange().GetMaxCol())
        return 0;
    const CString shown = ShownText(pCell, pDC);
    if (shown.IsEmpty() &&
        CGridCtrl::GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName) != GCT_IMAGE)
        return 0;
    if (grid.IsCellFixed(nRow, nCol) && shown == label)
        return 0;
    return static_cast<int>(pCell->GetCellExtent(pDC, nCol).cx);
}

}  // namespace

BOOL CGridCtrl::AutoSizeColumnOn(CDC* pDC, int nCol, UINT nAutoSizeStyle)
{
    if (nAutoSizeStyle == 0)
        nAutoSizeStyle = static_cast<UINT>(m_nAutoSizeStyle);
    const int nFirst = (nAutoSizeStyle & 0x01) != 0 ? 0 : m_nFixedRows;
    const int nLast = (nAutoSizeStyle & 0x02) != 0 ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        SendCacheHint(CGridCellRange(nFirst, nCol, nLast, nCol));

    // The letters the grid writes into a header cell of this column; a
    // header that still holds them does not widen the column.
    const CString label = ColumnToLetters(nCol - m_nFixedCols + 1);
    int widest = 0;
    for (int row = nFirst; row <= nLast; ++row) {
        if (GetRowHeight(row) > 0)
            widest = std::max(widest, ColumnCellWidth(*this, pDC, row, nCol, label));
    }
    if (m_bVirtualMode)
        SendCacheHint(CGridCellRange(-1, -1, -1, -1));
    if (widest > 0)
        SetColumnWidth(nCol, widest);
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRowOn(CDC* pDC, int nRow)
{
    if (m_bVirtualMode)
        SendCacheHint(CGridCellRange(nRow, 0, nRow, m_nCols - 1));
    int tallest = 0;
    for (int col = 0; col < m_nCols; ++col) {
        if (GetColumnWidth(col) <= 0)
            continue;
        CGridCellBase* pCell = GetCell(nRow, col);
        if (pCell == nullptr)
            continue;
        if (pCell->IsMerged() && pCell->GetMergeRange().GetMinRow() != pCell->GetMergeRange().GetMaxRow())
            continue;
        ShownText(pCell, pDC);
        tallest = std::max(tallest, static_cast<int>(pCell->GetCellExtent(pDC, col).cy));
    }
    if (m_bVirtualMode)
        SendCacheHint(CGridCellRange(-1, -1, -1, -1));
    if (tallest > 0)
        SetRowHeight(nRow, tallest);
    return TRUE;
}

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) <= 0)
        return FALSE;
    CGridMeasureDC dc(nullptr, this);
    if (dc.Get() == nullptr)
        return FALSE;
    CGridMeasurePass pass(this, dc.Get());
    AutoSizeColumnOn(dc.Get(), nCol, nAutoSizeStyle);
    if (bResetScroll)
        UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) <= 0)
        return FALSE;
    CGridMeasureDC dc(nullptr, this);
    if (dc.Get() == nullptr)
        return FALSE;
    CGridMeasurePass pass(this, dc.Get());
    AutoSizeRowOn(dc.Get(), nRow);
    if (bResetScroll)
        UpdateScrollBars();
    return TRUE;
}

// The fitter measures on a memory context compatible with the screen even
// when the grid has a window: the sizes are the same, and a memory context
// does not pay the window context's cost for every font selected on it.
CGridColumnFitter::CGridColumnFitter(CGridCtrl& grid, UINT nAutoSizeStyle) : m_grid(grid), m_dc(nullptr, nullptr)
{
    if (m_dc.Get() == nullptr)
        return;
    m_pPass = std::make_unique<CGridMeasurePass>(&grid, m_dc.Get());
    if (nAutoSizeStyle == 0)
        nAutoSizeStyle = grid.GetAutoSizeStyle();
    const int nFixedRows = grid.GetFixedRowCount();
    const int nFixedCols = grid.GetFixedColumnCount();
    m_nFirst = (nAutoSizeStyle & 0x01) != 0 ? 0 : nFixedRows;
    m_nLast = (nAutoSizeStyle & 0x02) != 0 ? grid.GetRowCount() - 1 : nFixedRows - 1;
    for (int col = 0; col < grid.GetColumnCount(); ++col) {
        if (grid.GetColumnWidth(col) > 0) {
            m_columns.push_back(col);
            m_labels.push_back(CGridCtrl::ColumnToLetters(col - nFixedCols + 1));
        }
    }
    m_widest.assign(m_columns.size(), 0);
}

void CGridColumnFitter::MeasureRow(int nRow)
{
    if (m_dc.Get() == nullptr || nRow < m_nFirst || nRow > m_nLast || m_grid.GetRowHeight(nRow) <= 0)
        return;
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_widest[i] = std::max(m_widest[i], ColumnCellWidth(m_grid, m_dc.Get(), nRow, m_columns[i], m_labels[i]));
}

void CGridColumnFitter::Finish()
{
    if (m_dc.Get() == nullptr)
        return;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_widest[i] > 0)
            m_grid.SetColumnWidth(m_columns[i], m_widest[i]);
    }
    m_grid.UpdateScrollBars();
}

// Fitting every column measures the sheet row by row, in the order its cells
// lie in memory (see CGridColumnFitter). A virtual grid is still fitted a
// column at a time: its cache hints name one column each.
void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    if (!m_bVirtualMode) {
        CGridColumnFitter fitter(*this, nAutoSizeStyle);
        for (int row = 0; row < m_nRows; ++row)
            fitter.MeasureRow(row);
        fitter.Finish();
        return;
    }
    CGridMeasureDC dc(nullptr, this);
    if (dc.Get() == nullptr)
        return;
    CGridMeasurePass pass(this, dc.Get());
    for (int col = 0; col < m_nCols; ++col) {
        if (GetColumnWidth(col) > 0)
            AutoSizeColumnOn(dc.Get(), col, nAutoSizeStyle);
    }
    UpdateScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    CGridMeasureDC dc(nullptr, this);
    if (dc.Get() == nullptr)
        return;
    CGridMeasurePass pass(this, dc.Get());
    for (int row = 0; row < m_nRows; ++row) {
        if (GetRowHeight(row) > 0)
            AutoSizeRowOn(dc.Get(), row);
    }
    UpdateScrollBars();
}

void CGridCtrl::AutoSize()
{
    AutoSizeColumns(0);
    AutoSizeRows();
}
