// Frozen-pane layout: where rows and columns lie in the client area, and
// which cell lies under a point.
//
// Rows from the top: the fixed rows, the frozen top rows, the scrolled rows
// (from the top-left cell on), and the frozen bottom rows against the client
// bottom. Columns likewise with the frozen left and right bands. Widths and
// heights are multiplied by the zoom factors and truncated one by one, so
// every origin is the sum of the truncated sizes before it.
//
// Every such sum comes from the position index of the axis (running sums of
// the zoomed sizes, hidden lines counting 0), so no answer here walks the
// lines one by one: a grid of a million rows lays out as fast as one of ten.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

inline int ClampToInt(long long n)
{
    return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
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
    return ClampToInt(m_arRowHeights.Sum(m_nFixedRows, m_nFixedRows + nTop));
}

int CGridCtrl::GetFrozenBottomHeight() const
{
    int nTop, nBottom;
    EffectiveBands(m_nRows, m_nFixedRows, m_nFreezeTopRows, m_nFreezeBottomRows, nTop, nBottom);
    return ClampToInt(m_arRowHeights.Sum(m_nRows - nBottom, m_nRows));
}

int CGridCtrl::GetFrozenLeftWidth() const
{
    int nLeft, nRight;
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, nLeft, nRight);
    return ClampToInt(m_arColWidths.Sum(m_nFixedCols, m_nFixedCols + nLeft));
}

int CGridCtrl::GetFrozenRightWidth() const
{
    int nLeft, nRight;
    EffectiveBands(m_nCols, m_nFixedCols, m_nFreezeLeftCols, m_nFreezeRightCols, nLeft, nRight);
    return ClampToInt(m_arColWidths.Sum(m_nCols - nRight, m_nCols));
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

int CGridCtrl::GetZoomedFixedRowHeight() const { return ClampToInt(m_arRowHeights.Prefix(m_nFixedRows)); }
int CGridCtrl::GetZoomedFixedColumnWidth() const { return ClampToInt(m_arColWidths.Prefix(m_nFixedCols)); }

// A line outside the grid answers the zoomed -1 of GetRowHeight (GetColumnWidth).
int CGridCtrl::ZoomedRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return CGridPositionIndex::Zoom(-1, m_dZoomY);
    return m_arRowHeights.GetZoomedAt(nRow);
}

int CGridCtrl::ZoomedColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return CGridPositionIndex::Zoom(-1, m_dZoomX);
    return m_arColWidths.GetZoomedAt(nCol);
}

void CGridCtrl::SetZoom(double dZoomX, double dZoomY)
{
    // Only finite factors above 0; anything else is 1.0.
    m_dZoomX = dZoomX > 0.0 && std::isfinite(dZoomX) ? dZoomX : 1.0;
    m_dZoomY = dZoomY > 0.0 && std::isfinite(dZoomY) ? dZoomY : 1.0;
    m_arColWidths.SetZoom(m_dZoomX);
    m_arRowHeights.SetZoom(m_dZoomY);
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
// so the count starts after the frozen bands: frozen rows of another size than
// the scrolled ones do not shift it. The top-left line is the first one whose
// end (counted from the first scrolled line) reaches the position, at most
// the last scrolled line.

static int FirstLineReaching(const CGridPositionIndex& index, int nFirst, int nEnd, int nPos)
{
    if (nFirst >= nEnd - 1 || nPos <= 0)
        return nFirst;
    int nLine = index.LowerBound(index.Prefix(nFirst) + nPos);
    return std::min(std::max(nLine, nFirst), nEnd - 1);
}

CGridCellPos CGridCtrl::GetTopLeftCell(BOOL bForceRecalculation)
{
    if (!bForceRecalculation && m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0)
        return m_idTopLeftCell;
    GridBands b = GetBands();
    int nCol = FirstLineReaching(m_arColWidths, b.nFirstScrollCol, b.nEndScrollCol, GetScrollPosition(SB_HORZ));
    int nRow = FirstLineReaching(m_arRowHeights, b.nFirstScrollRow, b.nEndScrollRow, GetScrollPosition(SB_VERT));
    m_idTopLeftCell.Set(nRow, nCol);
    return m_idTopLeftCell;
}

// --- origins --------------------------------------------------------------------------

// Fixed and near frozen lines: everything before the line. Far frozen lines:
// the client edge less the line and everything after it. Scrolled lines: the
// band's start plus (or, scrolled out before the top-left line, less) the
// lines between the top-left line and this one.

int CGridCtrl::ColumnOriginX(int nCol)
{
    GridBands b = GetBands();
    if (nCol < m_nFixedCols || nCol < b.nFirstScrollCol)
        return ClampToInt(m_arColWidths.Prefix(nCol));
    if (nCol >= b.nEndScrollCol) {
        CRect rc;
        GetLayoutClientRect(&rc);
        return ClampToInt(rc.right - m_arColWidths.Sum(nCol, m_nCols));
    }
    long long llStart = static_cast<long long>(GetZoomedFixedColumnWidth()) + GetFrozenLeftWidth();
    int nLeft = GetTopLeftCell().col;
    return ClampToInt(llStart + m_arColWidths.Prefix(nCol) - m_arColWidths.Prefix(nLeft));
}

int CGridCtrl::RowOriginY(int nRow)
{
    GridBands b = GetBands();
    if (nRow < m_nFixedRows || nRow < b.nFirstScrollRow)
        return ClampToInt(m_arRowHeights.Prefix(nRow));
    if (nRow >= b.nEndScrollRow) {
        CRect rc;
        GetLayoutClientRect(&rc);
        return ClampToInt(rc.bottom - m_arRowHeights.Sum(nRow, m_nRows));
    }
    long long llStart = static_cast<long long>(GetZoomedFixedRowHeight()) + GetFrozenTopHeight();
    int nTop = GetTopLeftCell().row;
    return ClampToInt(llStart + m_arRowHeights.Prefix(nRow) - m_arRowHeights.Prefix(nTop));
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
    pRect->right = ClampToInt(static_cast<long long>(pt.x) + ZoomedColumnWidth(nCol) - 1);
    pRect->bottom = ClampToInt(static_cast<long long>(pt.y) + ZoomedRowHeight(nRow) - 1);
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
    pRect->right = ClampToInt(static_cast<long long>(last.x) + ZoomedColumnWidth(range.GetMaxCol()) - 1);
    pRect->bottom = ClampToInt(static_cast<long long>(last.y) + ZoomedRowHeight(range.GetMaxRow()) - 1);
    return TRUE;
}

// --- the visible range ------------------------------------------------------------------

// The scrolled lines shown from nLead on: lines are taken while the band's
// far edge is not reached, the one that reaches it included, at most up to
// nEnd - 1. Answers the last line taken (nLead - 1 for none) and, in
// llReached, where the lines taken end.
static int LastLineShown(const CGridPositionIndex& index, int nLead, int nEnd, long long llStart, long long llBandEnd,
                         long long& llReached)
{
    llReached = llStart;
    if (nLead >= nEnd || llStart >= llBandEnd)
        return nLead - 1;
    long long llBefore = index.Prefix(nLead);
    int nLast = std::min(index.LowerBound(llBandEnd - llStart + llBefore) - 1, nEnd - 1);
    llReached = llStart + index.Prefix(nLast + 1) - llBefore;
    return nLast;
}

CGridCellRange CGridCtrl::GetVisibleRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect rc;
    GetLayoutClientRect(&rc);
    GridBands b = GetBands();
    CGridCellPos tl = GetTopLeftCell(bForceRecalculation);

    // The scrolled band ends where the frozen bottom rows (right columns) begin.
    long long llBandBottom = static_cast<long long>(rc.bottom) - GetFrozenBottomHeight();
    long long llBandRight = static_cast<long long>(rc.right) - GetFrozenRightWidth();

    long long y = 0;
    long long x = 0;
    int nLastRow = LastLineShown(m_arRowHeights, tl.row, b.nEndScrollRow,
                                 static_cast<long long>(GetZoomedFixedRowHeight()) + GetFrozenTopHeight(), llBandBottom,
                                 y);
    int nLastCol = LastLineShown(m_arColWidths, tl.col, b.nEndScrollCol,
                                 static_cast<long long>(GetZoomedFixedColumnWidth()) + GetFrozenLeftWidth(), llBandRight,
                                 x);
    if (pRect != nullptr) {
        pRect->left = rc.left;
        pRect->top = rc.top;
        pRect->right = ClampToInt(std::min<long long>(x, rc.right));
        pRect->bottom = ClampToInt(std::min<long long>(y, rc.bottom));
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

// --- hit test ----------------------------------------------------------------------------
// One axis at a time (columns, then rows): the fixed band from 0, the near
// frozen band after it, the far frozen band ending at the client edge, and
// the scrolled band from the top-left line after the near frozen band. A
// line of size 0 is never hit.

namespace {

struct AxisLayout {
    const CGridPositionIndex* pIndex;
    int nFixed;            // fixed count
    int nFirstScroll;      // first scrolled index (after the near frozen band)
    int nEndScroll;        // first index of the far frozen band
    int nCount;            // row or column count
    bool bFarFrozen;       // a far frozen band is shown
    long long llClientEnd; // client right or bottom
};

// The whole point misses (not only this axis).
const int kAxisMissAll = -2;

// The line under pos on one axis, -1 when none, kAxisMissAll when
// scrolledStart refuses. scrolledStart(&first) gives the top-left line of the
// scrolled band and answers whether that band may be hit.
template <class ScrolledStart>
int HitTestAxis(int pos, BOOL bAllowFixedCellCheck, const AxisLayout& a, ScrolledStart scrolledStart)
{
    const CGridPositionIndex& index = *a.pIndex;
    const long long llFixedExtent = index.Prefix(a.nFixed);
    if (pos < 0 || (!bAllowFixedCellCheck && pos < llFixedExtent))
        return -1;
    // Fixed and near frozen lines lie at their offsets from 0.
    if (pos < index.Prefix(a.nFirstScroll)) {
        int nLine = index.LineAt(pos);
        return nLine < a.nFirstScroll ? nLine : -1;
    }
    if (a.bFarFrozen && pos < a.llClientEnd) {
        // The far band ends at the client edge: offset pos there is offset
        // (pos - edge + total) from the first line.
        long long llOffset = pos - a.llClientEnd + index.Prefix(a.nCount);
        if (llOffset >= index.Prefix(a.nEndScroll)) {
            int nLine = index.LineAt(llOffset);
            if (nLine >= a.nEndScroll && nLine < a.nCount)
                return nLine;
        }
    }
    int nFirst = 0;
    if (!scrolledStart(&nFirst))
        return kAxisMissAll;
    int nStart = std::max(nFirst, a.nFirstScroll);
    if (nStart >= a.nEndScroll)
        return -1;
    long long llOffset = pos - index.Prefix(a.nFirstScroll) + index.Prefix(nStart);
    int nLine = std::max(index.LineAt(llOffset), nStart);
    return nLine < a.nEndScroll ? nLine : -1;
}

}  // namespace

CGridCellPos CGridCtrl::GetCellFromPoint(CPoint point, BOOL bAllowFixedCellCheck)
{
    CGridCellPos cell;
    if (m_nRows <= 0 || m_nCols <= 0)
        return cell;
    GridBands b = GetBands();
    CRect client;
    GetLayoutClientRect(&client);

    // Column, then row; a scrolled column without a valid top-left cell makes
    // the whole point miss when fixed cells are not to be hit.
    AxisLayout colAxis = {&m_arColWidths, m_nFixedCols, b.nFirstScrollCol, b.nEndScrollCol, m_nCols, b.nRight > 0,
                          client.right};
    cell.col = HitTestAxis(point.x, bAllowFixedCellCheck, colAxis, [&](int* pnFirst) {
        CGridCellPos topLeft = GetTopLeftCell();
        *pnFirst = topLeft.col;
        return bAllowFixedCellCheck || IsValid(topLeft.row, topLeft.col);
    });
    if (cell.col == kAxisMissAll)
        return CGridCellPos();
    AxisLayout rowAxis = {&m_arRowHeights, m_nFixedRows, b.nFirstScrollRow, b.nEndScrollRow, m_nRows, b.nBottom > 0,
                          client.bottom};
    cell.row = HitTestAxis(point.y, bAllowFixedCellCheck, rowAxis, [&](int* pnFirst) {
        *pnFirst = GetTopLeftCell().row;
        return true;
    });

    if (cell.row < 0 || cell.col < 0)
        return CGridCellPos();
    if (!m_bVirtualMode) {
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (pCell != nullptr && pCell->HasMergeOwner()) {
            CGridCellPos owner = pCell->GetMergeOwner();
            if (IsValid(owner.row, owner.col))
                return owner;
        }
    }
    return cell;
}
