// Frozen-pane layout: where rows and columns lie in the client area.
//
// Rows from the top: the fixed rows, the frozen top rows, the scrolled rows
// (from the top-left cell on), and the frozen bottom rows against the client
// bottom. Columns likewise with the frozen left and right bands. Widths and
// heights are multiplied by the zoom factors and truncated one by one, so
// every origin is the sum of the truncated sizes before it.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

inline int Zoomed(int nSize, double dZoom)
{
    return dZoom == 1.0 ? nSize : static_cast<int>(nSize * dZoom);
}

}  // namespace

// --- frozen bands -------------------------------------------------------------------
// The frozen counts in effect: a frozen top band that would reach the last row
// is ignored, and the bottom band keeps clear of the fixed and frozen top rows.

static void EffectiveBands(int nCount, int nFixed, int nFrontBand, int nBackBand, int& nFront, int& nBack)
{
    nFront = (nFixed + nFrontBand < nCount) ? nFrontBand : 0;
    nBack = (nBackBand < nCount) ? nBackBand : 0;
    if (nFixed + nFront + nBack > nCount)
        nBack = std::max(0, nCount - nFixed - nFront);
}

int CGridCtrl::GetFrozenTopHeight() const
{
    int nTop, nBottom;
    EffectiveBands(m_nRows, m_nFixedRows, m_nFreezeTopRows, m_nFreezeBottomRows, nTop, nBottom);
    int nHeight = 0;
    for (int r = m_nFixedRows; r < m_nFixedRows + nTop; ++r)
        nHeight += Zoomed(GetRowHeight(r), m_dZoomY);
    return nHeight;
}

int CGridCtrl::GetFrozenBottomHeight() const
{
    int nTop, nBottom;
    EffectiveBands(m_nRows, m_nFixedRows, m_nFreezeTopRows, m_nFreezeBottomRows, nTop, nBottom);
    int nHeight = 0;
    for (int r = m_nRows - nBottom; r < m_nRows; ++r)
        nHeight += Zoomed(GetRowHeight(r), m_dZoomY);
    return nHeight;
}

int CGridCtrl::GetFrozenLeftWidth() const
{
    int nLeft, nRight;
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, nLeft, nRight);
    int nWidth = 0;
    for (int c = m_nFixedCols; c < m_nFixedCols + nLeft; ++c)
        nWidth += Zoomed(GetColumnWidth(c), m_dZoomX);
    return nWidth;
}

int CGridCtrl::GetFrozenRightWidth() const
{
    int nLeft, nRight;
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, nLeft, nRight);
    int nWidth = 0;
    for (int c = m_nCols - nRight; c < m_nCols; ++c)
        nWidth += Zoomed(GetColumnWidth(c), m_dZoomX);
    return nWidth;
}

BOOL CGridCtrl::IsCellFrozen(int nRow, int nCol) const
{
    int nTop, nBottom, nLeft, nRight;
    EffectiveBands(m_nRows, m_nFixedRows, m_nFreezeTopRows, m_nFreezeBottomRows, nTop, nBottom);
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, nLeft, nRight);
    if (nTop > 0 && nRow >= m_nFixedRows && nRow < m_nFixedRows + nTop)
        return TRUE;
    if (nBottom > 0 && nRow >= m_nRows - nBottom && nRow < m_nRows)
        return TRUE;
    if (nLeft > 0 && nCol >= m_nFixedCols && nCol < m_nFixedCols + nLeft)
        return TRUE;
    if (nRight > 0 && nCol >= m_nCols - nRight && nCol < m_nCols)
        return TRUE;
    return FALSE;
}

GridBands CGridCtrl::GetBands() const
{
    GridBands b;
    EffectiveBands(m_nRows, m_nFixedRows, m_nFreezeTopRows, m_nFreezeBottomRows, b.nTop, b.nBottom);
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, b.nLeft, b.nRight);
    b.nFirstScrollRow = m_nFixedRows + b.nTop;
    b.nEndScrollRow = m_nRows - b.nBottom;
    b.nFirstScrollCol = m_nFixedCols + b.nLeft;
    b.nEndScrollCol = m_nCols - b.nRight;
    return b;
}

int CGridCtrl::GetZoomedFixedRowHeight() const
{
    int nHeight = 0;
    for (int r = 0; r < m_nFixedRows; ++r)
        nHeight += Zoomed(GetRowHeight(r), m_dZoomY);
    return nHeight;
}

int CGridCtrl::GetZoomedFixedColumnWidth() const
{
    int nWidth = 0;
    for (int c = 0; c < m_nFixedCols; ++c)
        nWidth += Zoomed(GetColumnWidth(c), m_dZoomX);
    return nWidth;
}

int CGridCtrl::ZoomedRowHeight(int nRow) const { return Zoomed(GetRowHeight(nRow), m_dZoomY); }
int CGridCtrl::ZoomedColumnWidth(int nCol) const { return Zoomed(GetColumnWidth(nCol), m_dZoomX); }

void CGridCtrl::SetZoom(double dZoomX, double dZoomY)
{
    m_dZoomX = dZoomX > 0.0 ? dZoomX : 1.0;
    m_dZoomY = dZoomY > 0.0 ? dZoomY : 1.0;
    m_idTopLeftCell = CGridCellPos();
    Refresh();
}

void CGridCtrl::GetLayoutClientRect(LPRECT pRect) const
{
    if (GetSafeHwnd() != nullptr)
        GetClientRect(pRect);
    else
        *pRect = m_rcPage;
}

// --- the top-left cell ----------------------------------------------------------------
// The scroll positions count pixels over the scrolled rows and columns only,
// so the walk starts after the frozen bands: frozen rows of another size than
// the scrolled ones do not shift it.

CGridCellPos CGridCtrl::GetTopLeftCell(BOOL bForceRecalculation)
{
    if (!bForceRecalculation && m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0)
        return m_idTopLeftCell;
    GridBands b = GetBands();

    int nHPos = GetScrollPosition(SB_HORZ);
    int nCol = b.nFirstScrollCol;
    long long nRight = 0;
    while (nRight < nHPos && nCol < b.nEndScrollCol - 1) {
        nRight += ZoomedColumnWidth(nCol);
        ++nCol;
    }
    int nVPos = GetScrollPosition(SB_VERT);
    int nRow = b.nFirstScrollRow;
    long long nBottom = 0;
    while (nBottom < nVPos && nRow < b.nEndScrollRow - 1) {
        nBottom += ZoomedRowHeight(nRow);
        ++nRow;
    }
    m_idTopLeftCell.Set(nRow, nCol);
    return m_idTopLeftCell;
}

// --- origins --------------------------------------------------------------------------

int CGridCtrl::ColumnOriginX(int nCol)
{
    GridBands b = GetBands();
    int x = 0;
    if (nCol < m_nFixedCols || nCol < b.nFirstScrollCol) {
        // fixed and frozen left columns: everything before it
        for (int c = 0; c < nCol; ++c)
            x += ZoomedColumnWidth(c);
        return x;
    }
    if (nCol >= b.nEndScrollCol) {
        CRect rc;
        GetLayoutClientRect(&rc);
        x = rc.right;
        for (int c = m_nCols - 1; c >= nCol; --c)
            x -= ZoomedColumnWidth(c);
        return x;
    }
    int nStart = GetZoomedFixedColumnWidth() + GetFrozenLeftWidth();
    int nLeft = GetTopLeftCell().col;
    x = nStart;
    if (nCol >= nLeft) {
        for (int c = nLeft; c < nCol; ++c)
            x += ZoomedColumnWidth(c);
    } else {
        for (int c = nCol; c < nLeft; ++c)
            x -= ZoomedColumnWidth(c);
    }
    return x;
}

int CGridCtrl::RowOriginY(int nRow)
{
    GridBands b = GetBands();
    int y = 0;
    if (nRow < m_nFixedRows || nRow < b.nFirstScrollRow) {
        for (int r = 0; r < nRow; ++r)
            y += ZoomedRowHeight(r);
        return y;
    }
    if (nRow >= b.nEndScrollRow) {
        CRect rc;
        GetLayoutClientRect(&rc);
        y = rc.bottom;
        for (int r = m_nRows - 1; r >= nRow; --r)
            y -= ZoomedRowHeight(r);
        return y;
    }
    int nStart = GetZoomedFixedRowHeight() + GetFrozenTopHeight();
    int nTop = GetTopLeftCell().row;
    y = nStart;
    if (nRow >= nTop) {
        for (int r = nTop; r < nRow; ++r)
            y += ZoomedRowHeight(r);
    } else {
        for (int r = nRow; r < nTop; ++r)
            y -= ZoomedRowHeight(r);
    }
    return y;
}

BOOL CGridCtrl::GetCellTopLeft(int nRow, int nCol, LPPOINT p)
{
    if (p == nullptr || !IsValid(nRow, nCol))
        return FALSE;
    p->x = ColumnOriginX(nCol);
    p->y = RowOriginY(nRow);
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    if (pRect == nullptr || !IsValid(nRow, nCol))
        return FALSE;
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (pCell != nullptr && pCell->IsMerged()) {
        CGridCellRange range = pCell->GetMergeRange();
        if (IsValid(range.GetMinRow(), range.GetMinCol()) && IsValid(range.GetMaxRow(), range.GetMaxCol())) {
            if (!GetRangeRect(range, pRect))
                return FALSE;
            pCell->SetCellRect(pRect);
            return TRUE;
        }
    }
    CPoint pt;
    GetCellTopLeft(nRow, nCol, &pt);
    pRect->left = pt.x;
    pRect->top = pt.y;
    pRect->right = pt.x + ZoomedColumnWidth(nCol) - 1;
    pRect->bottom = pt.y + ZoomedRowHeight(nRow) - 1;
    if (pCell != nullptr)
        pCell->SetCellRect(pRect);
    return TRUE;
}

BOOL CGridCtrl::GetRangeRect(const CGridCellRange& range, LPRECT pRect)
{
    if (pRect == nullptr || !IsValid(range.GetMinRow(), range.GetMinCol()) ||
        !IsValid(range.GetMaxRow(), range.GetMaxCol()))
        return FALSE;
    CPoint first, last;
    GetCellTopLeft(range.GetMinRow(), range.GetMinCol(), &first);
    GetCellTopLeft(range.GetMaxRow(), range.GetMaxCol(), &last);
    pRect->left = first.x;
    pRect->top = first.y;
    pRect->right = last.x + ZoomedColumnWidth(range.GetMaxCol()) - 1;
    pRect->bottom = last.y + ZoomedRowHeight(range.GetMaxRow()) - 1;
    return TRUE;
}

// --- the visible range ------------------------------------------------------------------

CGridCellRange CGridCtrl::GetVisibleRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect rc;
    GetLayoutClientRect(&rc);
    GridBands b = GetBands();
    CGridCellPos tl = GetTopLeftCell(bForceRecalculation);

    // The scrolled band ends where the frozen bottom rows (right columns) begin.
    int nBandBottom = rc.bottom - GetFrozenBottomHeight();
    int nBandRight = rc.right - GetFrozenRightWidth();

    int y = GetZoomedFixedRowHeight() + GetFrozenTopHeight();
    int nLastRow = tl.row - 1;
    for (int r = tl.row; r < b.nEndScrollRow && y < nBandBottom; ++r) {
        y += ZoomedRowHeight(r);
        nLastRow = r;
    }
    int x = GetZoomedFixedColumnWidth() + GetFrozenLeftWidth();
    int nLastCol = tl.col - 1;
    for (int c = tl.col; c < b.nEndScrollCol && x < nBandRight; ++c) {
        x += ZoomedColumnWidth(c);
        nLastCol = c;
    }
    if (pRect != nullptr) {
        pRect->left = rc.left;
        pRect->top = rc.top;
        pRect->right = std::min(x, static_cast<int>(rc.right));
        pRect->bottom = std::min(y, static_cast<int>(rc.bottom));
    }
    return CGridCellRange(tl.row, tl.col, nLastRow, nLastCol);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    GridBands b = GetBands();
    BOOL bRowShown = nRow < b.nFirstScrollRow || nRow >= b.nEndScrollRow;
    BOOL bColShown = nCol < b.nFirstScrollCol || nCol >= b.nEndScrollCol;
    if (bRowShown && bColShown)
        return TRUE;
    CGridCellRange visible = GetVisibleRange();
    if (!bRowShown && (nRow < visible.GetMinRow() || nRow > visible.GetMaxRow()))
        return FALSE;
    if (!bColShown && (nCol < visible.GetMinCol() || nCol > visible.GetMaxCol()))
        return FALSE;
    return TRUE;
}
