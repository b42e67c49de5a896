// Fitting column widths and row heights to what their cells show.
//
// Cells are measured on the grid window's device context, or, before the
// window exists, on a memory context compatible with the screen (as cell
// measuring does), so a sheet filled and fitted before it is shown gets the
// same sizes. Lines of size 0 are hidden: they are never fitted, and their
// cells do not widen a column or heighten a row.
#include "grid/GridCtrl.h"

#include "platform/DC.h"

#include <algorithm>
#include <memory>

namespace {

// The device context to measure on.
class MeasuringDC {
public:
    explicit MeasuringDC(CGridCtrl* pGrid)
    {
        if (pGrid->GetSafeHwnd() != nullptr) {
            m_pClient = std::make_unique<CClientDC>(pGrid);
            if (m_pClient->GetSafeHdc() != nullptr) {
                m_pDC = m_pClient.get();
                return;
            }
        }
        if (m_memory.CreateCompatibleDC(nullptr))
            m_pDC = &m_memory;
    }
    CDC* Get() const { return m_pDC; }

private:
    CDC* m_pDC = nullptr;
    std::unique_ptr<CClientDC> m_pClient;
    CDC m_memory;
};

// The text the cell paints. Asking for it also makes a formatted cell's
// text, which the cell's extent then measures.
CString ShownText(CGridCellBase* pCell, CDC* pDC)
{
    int colour = -1;
    return pCell->GetTextToDraw(pDC, &colour);
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
        if (GetRowHeight(row) <= 0)
            continue;
        CGridCellBase* pCell = GetCell(row, nCol);
        if (pCell == nullptr)
            continue;
        if (pCell->IsMerged() && pCell->GetMergeRange().GetMinCol() != pCell->GetMergeRange().GetMaxCol())
            continue;
        const CString shown = ShownText(pCell, pDC);
        const bool image = GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName) == GCT_IMAGE;
        if (shown.IsEmpty() && !image)
            continue;
        if (IsCellFixed(row, nCol) && shown == label)
            continue;
        widest = std::max(widest, static_cast<int>(pCell->GetCellExtent(pDC, nCol).cx));
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
    MeasuringDC dc(this);
    if (dc.Get() == nullptr)
        return FALSE;
    AutoSizeColumnOn(dc.Get(), nCol, nAutoSizeStyle);
    if (bResetScroll)
        UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) <= 0)
        return FALSE;
    MeasuringDC dc(this);
    if (dc.Get() == nullptr)
        return FALSE;
    AutoSizeRowOn(dc.Get(), nRow);
    if (bResetScroll)
        UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    MeasuringDC dc(this);
    if (dc.Get() == nullptr)
        return;
    for (int col = 0; col < m_nCols; ++col) {
        if (GetColumnWidth(col) > 0)
            AutoSizeColumnOn(dc.Get(), col, nAutoSizeStyle);
    }
    UpdateScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    MeasuringDC dc(this);
    if (dc.Get() == nullptr)
        return;
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
