// Resetting and converting the fixed (header) rows and columns, and small
// conversions the automation interface and the workbook export use.
#include "grid/GridCtrl.h"

BOOL CGridCtrl::ColumnsToFixed(int nCount)
{
    // Compared without adding, so that a count near INT_MAX cannot wrap.
    if (nCount < 0 || nCount >= m_nCols - m_nFixedCols || m_nRows <= 0)
        return FALSE;
    if (m_nFixedCols > 0)
        DeleteColumns(0, m_nFixedCols);
    SetFixedColumnCount(nCount);
    return TRUE;
}

// A sheet with header rows keeps one of them; one without gets its first row
// as the header. The data rows stay as they are either way.
BOOL CGridCtrl::ResetFixedRows()
{
    if (m_nFixedRows != 1)
        SetFixedRowCount(1);
    if (!m_bVirtualMode) {
        for (int col = 0; col < m_nCols; ++col) {
            if (CGridCellBase* pCell = GetCell(0, col))
                pCell->SetText("");
        }
    }
    RenumberColumnHeaders(m_nFixedCols, m_nCols - 1);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::ResetFixedColumns()
{
    if (m_nFixedCols != 1)
        SetFixedColumnCount(1);
    if (!m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            if (CGridCellBase* pCell = GetCell(row, 0))
                pCell->SetText("");
        }
    }
    RenumberRowHeaders(m_nFixedRows, m_nRows - 1);
    Refresh();
    return TRUE;
}

CString CGridCtrl::ColumnIdToMark(int nCol) const
{
    if (nCol <= 0 || nCol >= m_nCols)
        return CString();
    return ColumnToLetters(nCol);
}

int CGridCtrl::BorderWidthToExcelWeight(int nWidth)
{
    switch (nWidth) {
    case 2:
    case 3:
        return 2;
    case 4:
        return 3;
    case 5:
        return 4;
    default:
        return 0;
    }
}

void CGridCtrl::OffsetRange(CGridCellRange& result, const CGridCellPos& from, const CGridCellPos& to,
                            const CGridCellRange& range)
{
    result = range;
    if (!IsValid(from.row, from.col) || !IsValid(to.row, to.col) || !IsRangeValid(range))
        return;
    const int dRow = to.row - from.row;
    const int dCol = to.col - from.col;
    result.Set(range.GetMinRow() + dRow, range.GetMinCol() + dCol, range.GetMaxRow() + dRow,
               range.GetMaxCol() + dCol);
}
