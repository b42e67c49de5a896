// Row heights and column widths. They live in the position index of each
// axis (m_arRowHeights, m_arColWidths), which keeps the layout's running sums
// in step with every write.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <climits>

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return static_cast<int>(std::min<UINT>(m_arRowHeights.GetAt(nRow), INT_MAX));
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return static_cast<int>(std::min<UINT>(m_arColWidths.GetAt(nCol), INT_MAX));
}

BOOL CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (nRow < 0 || nRow >= m_nRows || nHeight < 0)
        return FALSE;
    m_arRowHeights.SetAt(nRow, static_cast<UINT>(nHeight));
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0 || nCol >= m_nCols || nWidth < 0)
        return FALSE;
    m_arColWidths.SetAt(nCol, static_cast<UINT>(nWidth));
    UpdateScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

long long CGridCtrl::GetTotalRowHeight() const
{
    long long height = 0;
    for (int row = 0; row < m_nRows; ++row)
        height += GetRowHeight(row);
    return height;
}

long long CGridCtrl::GetTotalColumnWidth() const
{
    long long width = 0;
    for (int col = 0; col < m_nCols; ++col)
        width += GetColumnWidth(col);
    return width;
}
