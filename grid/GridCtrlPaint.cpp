// Painting the grid: the background areas, the cells of sixteen regions formed
// by the fixed, frozen and scrolled rows and columns (later regions over
// earlier ones), the lines that separate frozen areas, and the overlays (drop
// rectangle, selection frame, a dragged header's feedback). Each cell draws
// itself, its grid lines too; the grid decides which cell is drawn where and
// in which order.
#include "grid/GridCtrl.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>

namespace {

// A band of rows or columns: [first, end) starting at pixel start.
struct Band {
    int first;
    int end;
    int start;
};

}  // namespace

// --- WM_PAINT -------------------------------------------------------------------------

void CGridCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC != nullptr && m_bAllowDraw && m_bShowContent) {
        CRect rc;
        GetClientRect(&rc);
        BOOL bDrawn = FALSE;
        if (m_bDoubleBuffer && !rc.IsRectEmpty()) {
            BOOL bWhole = FALSE;
            if (rc.right != m_rcBuffer.right || rc.bottom != m_rcBuffer.bottom ||
                m_bmpBuffer.GetSafeHandle() == nullptr) {
                m_rcBuffer = rc;
                m_bmpBuffer.DeleteObject();
                m_bmpBuffer.CreateCompatibleBitmap(pDC, rc.Width(), rc.Height());
                bWhole = TRUE;
            }
            CDC memDC;
            if (m_bmpBuffer.GetSafeHandle() != nullptr && memDC.CreateCompatibleDC(pDC)) {
                CBitmap* pOld = memDC.SelectObject(&m_bmpBuffer);
                // A new bitmap is drawn whole; otherwise only what is invalid.
                if (!bWhole)
                    memDC.IntersectClipRect(&ps.rcPaint);
                OnDraw(&memDC);
                memDC.SelectClipRgn(nullptr);
                if (IsProgressShown())
                    DrawProgressBar(&memDC, rc);
                pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
                memDC.SelectObject(pOld);
                bDrawn = TRUE;
            }
        }
        if (!bDrawn)
            OnDraw(pDC);
    }
    EndPaint(&ps);
}

// --- the whole picture ------------------------------------------------------------------

void CGridCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw || pDC == nullptr)
        return;
    CRect rcClip;
    if (pDC->GetClipBox(&rcClip) == ERROR)
        return;

    EraseBkgnd(pDC);

    CRect rcDraw;
    GetLayoutClientRect(&rcDraw);
    GridBands b = GetBands();
    int nFixedH = GetZoomedFixedRowHeight();
    int nFixedW = GetZoomedFixedColumnWidth();
    int nTopH = GetFrozenTopHeight();
    int nBottomH = GetFrozenBottomHeight();
    int nLeftW = GetFrozenLeftWidth();
    int nRightW = GetFrozenRightWidth();
    CRect rcVisible;
    CGridCellRange visible = GetVisibleRange(&rcVisible);

    if (m_bVirtualMode)
        SendCacheHint(visible);

    const Band fixedRows = {0, m_nFixedRows, 0};
    const Band topRows = {m_nFixedRows, b.nFirstScrollRow, nFixedH};
    const Band scrollRows = {visible.GetMinRow(), visible.GetMaxRow() + 1, nFixedH + nTopH};
    const Band bottomRows = {b.nEndScrollRow, m_nRows, static_cast<int>(rcDraw.bottom) - nBottomH};
    const Band fixedTopRows = {0, b.nFirstScrollRow, 0};
    const Band fixedCols = {0, m_nFixedCols, 0};
    const Band leftCols = {m_nFixedCols, b.nFirstScrollCol, nFixedW};
    const Band scrollCols = {visible.GetMinCol(), visible.GetMaxCol() + 1, nFixedW + nLeftW};
    const Band rightCols = {b.nEndScrollCol, m_nCols, static_cast<int>(rcDraw.right) - nRightW};

    auto region = [&](const Band& rows, const Band& cols) {
        DrawRegion(pDC, rcClip, rows.first, rows.end - 1, rows.start, cols.first, cols.end - 1, cols.start);
    };
    region(scrollRows, scrollCols);
    if (b.nTop > 0) {
        region(topRows, scrollCols);
        region(topRows, fixedCols);
        region(topRows, leftCols);
        region(topRows, rightCols);
    }
    region(bottomRows, scrollCols);
    region(scrollRows, fixedCols);
    region(bottomRows, fixedCols);
    region(scrollRows, leftCols);
    region(scrollRows, rightCols);
    region(fixedRows, scrollCols);
    region(fixedRows, leftCols);
    region(bottomRows, leftCols);
    region(fixedTopRows, rightCols);
    region(bottomRows, rightCols);
    region(fixedRows, fixedCols);

    if (m_bDrawFreezeGridLines)
        DrawFrozenGridLines(pDC, rcDraw);
    if (m_bDrawFreezeLine)
        DrawFreezeLines(pDC, rcDraw);

    if (m_bVirtualMode)
        SendCacheHint(CGridCellRange(-1, -1, -1, -1));

    if (m_PrevSelectedCellMap.empty()) {
        if (IsRangeValid(m_DropRange))
            DrawDropRect(pDC);
        if (m_nSkinStyle == 1)
            DrawSelectionFrame(pDC);
    }
    // A header being dragged to move its line (GridCtrlMoveLines.cpp).
    DrawMoveDragFeedback(pDC);
}

void CGridCtrl::SendCacheHint(const CGridCellRange& range)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    GridCacheHintRecord record;
    std::memset(&record, 0, sizeof(record));
    record.hdr.hwndFrom = GetSafeHwnd();
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    record.hdr.code = static_cast<UINT>(GVN_ODCACHEHINT);
    record.nMinRow = range.GetMinRow();
    record.nMinCol = range.GetMinCol();
    record.nMaxRow = range.GetMaxRow();
    record.nMaxCol = range.GetMaxCol();
    pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(record.hdr.idFrom), reinterpret_cast<LPARAM>(&record));
}

// One region: the rows walked from the top starting one pixel above the band's
// start, the columns likewise from the left; lines of size 0 cost nothing and
// the walks stop at the clip box.
void CGridCtrl::DrawRegion(CDC* pDC, const CRect& rcClip, int nFirstRow, int nLastRow, int nTop, int nFirstCol,
                           int nLastCol, int nLeft)
{
    if (nLastRow < nFirstRow || nLastCol < nFirstCol)
        return;
    int yPrev = nTop - 1;
    for (int row = nFirstRow; row <= nLastRow; ++row) {
        int h = ZoomedRowHeight(row);
        if (h <= 0)
            continue;
        int yTop = yPrev + 1;
        int yBottom = yPrev + h;
        yPrev = yBottom;
        if (yTop > rcClip.bottom)
            break;
        if (yBottom < rcClip.top)
            continue;
        int xPrev = nLeft - 1;
        for (int col = nFirstCol; col <= nLastCol; ++col) {
            int w = ZoomedColumnWidth(col);
            if (w <= 0)
                continue;
            int xLeft = xPrev + 1;
            int xRight = xPrev + w;
            xPrev = xRight;
            if (xLeft > rcClip.right)
                break;
            if (xRight < rcClip.left)
                continue;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            CRect rect(xLeft, yTop, xRight, yBottom);
            int nDrawRow = row;
            int nDrawCol = col;
            if (pCell->IsMerged()) {
                CRect rcMerge;
                if (GetRangeRect(pCell->GetMergeRange(), &rcMerge))
                    rect = rcMerge;
            } else if (pCell->HasMergeOwner()) {
                CGridCellPos owner = pCell->GetMergeOwner();
                CGridCellBase* pOwner = GetCell(owner.row, owner.col);
                if (pOwner != nullptr) {
                    CRect rcMerge;
                    if (GetRangeRect(pOwner->GetMergeRange(), &rcMerge))
                        rect = rcMerge;
                    pCell = pOwner;
                    nDrawRow = owner.row;
                    nDrawCol = owner.col;
                }
            }
            pCell->SetCoords(nDrawRow, nDrawCol);
            pCell->Draw(pDC, nDrawRow, nDrawCol, rect, TRUE);
        }
    }
}

// --- background ---------------------------------------------------------------------------

void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rcClip;
    if (pDC->GetClipBox(&rcClip) == ERROR)
        return;
    CRect rcClient;
    GetLayoutClientRect(&rcClient);
    CRect rcVisible;
    GetVisibleRange(&rcVisible);
    int nFixedW = GetZoomedFixedColumnWidth();
    int nFixedH = GetZoomedFixedRowHeight();
    // The cells reach the client edge where a frozen right (bottom) band lies against it.
    int nRight = GetFrozenRightWidth() > 0 ? static_cast<int>(rcClient.right) : static_cast<int>(rcVisible.right);
    int nBottom = GetFrozenBottomHeight() > 0 ? static_cast<int>(rcClient.bottom) : static_cast<int>(rcVisible.bottom);
    if (m_nRows == 0 || m_nCols == 0) {
        nRight = rcClient.left;
        nBottom = rcClient.top;
    }

    COLORREF crCorner = m_cellFixedRowColDef.GetBackColor();
    COLORREF crFixedRow = m_cellFixedRowDef.GetBackColor();
    COLORREF crFixedCol = m_cellFixedColDef.GetBackColor();
    COLORREF crNormal = m_cellDefault.GetBackColor();
    int x0 = rcClient.left;
    int y0 = rcClient.top;
    if (nRight > x0 && nBottom > y0) {
        if (nFixedW > 0 && nFixedH > 0)
            pDC->FillSolidRect(x0, y0, nFixedW, nFixedH, crCorner);
        if (nFixedW > 0 && nBottom > y0 + nFixedH)
            pDC->FillSolidRect(x0, y0 + nFixedH, nFixedW, nBottom - (y0 + nFixedH), crFixedCol);
        if (nFixedH > 0 && nRight > x0 + nFixedW)
            pDC->FillSolidRect(x0 + nFixedW, y0, nRight - (x0 + nFixedW), nFixedH, crFixedRow);
        if (nRight > x0 + nFixedW && nBottom > y0 + nFixedH)
            pDC->FillSolidRect(x0 + nFixedW, y0 + nFixedH, nRight - (x0 + nFixedW), nBottom - (y0 + nFixedH),
                               crNormal);
    }
    // Outside the cells: the grid's background colour.
    int nRightEdge = std::max(nRight, static_cast<int>(rcClient.left));
    int nBottomEdge = std::max(nBottom, static_cast<int>(rcClient.top));
    if (rcClient.right > nRightEdge)
        pDC->FillSolidRect(nRightEdge, rcClient.top, rcClient.right - nRightEdge, rcClient.Height(), m_crGridBack);
    if (rcClient.bottom > nBottomEdge)
        pDC->FillSolidRect(rcClient.left, nBottomEdge, nRightEdge - rcClient.left, rcClient.bottom - nBottomEdge,
                           m_crGridBack);
}

// --- lines ------------------------------------------------------------------------------------

void CGridCtrl::DrawFreezeLines(CDC* pDC, const CRect& rcDraw)
{
    GridBands b = GetBands();
    if (b.nTop == 0 && b.nBottom == 0 && b.nLeft == 0 && b.nRight == 0)
        return;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOld = pDC->SelectObject(&pen);
    if (b.nTop > 0) {
        int y = GetZoomedFixedRowHeight() + GetFrozenTopHeight();
        pDC->MoveTo(rcDraw.left, y);
        pDC->LineTo(rcDraw.right, y);
    }
    if (b.nLeft > 0) {
        int x = GetZoomedFixedColumnWidth() + GetFrozenLeftWidth();
        pDC->MoveTo(x, rcDraw.top);
        pDC->LineTo(x, rcDraw.bottom);
    }
    if (b.nBottom > 0) {
        int y = rcDraw.bottom - GetFrozenBottomHeight();
        pDC->MoveTo(rcDraw.left, y);
        pDC->LineTo(rcDraw.right, y);
    }
    if (b.nRight > 0) {
        int x = rcDraw.right - GetFrozenRightWidth();
        pDC->MoveTo(x, rcDraw.top);
        pDC->LineTo(x, rcDraw.bottom);
    }
    pDC->SelectObject(pOld);
}

// Grid lines across the frozen bottom and right bands, at every row and
// column boundary that crosses them.
void CGridCtrl::DrawFrozenGridLines(CDC* pDC, const CRect& rcDraw)
{
    GridBands b = GetBands();
    if (b.nBottom == 0 && b.nRight == 0)
        return;
    CRect rcVisible;
    CGridCellRange visible = GetVisibleRange(&rcVisible);
    CPen pen(PS_SOLID, 1, m_crGridLine);
    CPen* pOld = pDC->SelectObject(&pen);
    if (b.nBottom > 0) {
        int yTop = rcDraw.bottom - GetFrozenBottomHeight();
        int yEnd = rcDraw.bottom;
        auto vline = [&](int x) {
            pDC->MoveTo(x, yTop);
            pDC->LineTo(x, yEnd);
        };
        int x = GetZoomedFixedColumnWidth() - 1;
        vline(x);
        for (int c = m_nFixedCols; c < b.nFirstScrollCol; ++c)
            vline(x += ZoomedColumnWidth(c));
        for (int c = visible.GetMinCol(); c <= visible.GetMaxCol() && c >= 0; ++c)
            vline(x += ZoomedColumnWidth(c));
        x = rcDraw.right - GetFrozenRightWidth() - 1;
        for (int c = b.nEndScrollCol; c < m_nCols; ++c)
            vline(x += ZoomedColumnWidth(c));
    }
    if (b.nRight > 0) {
        int xLeft = rcDraw.right - GetFrozenRightWidth();
        int xEnd = rcDraw.right;
        auto hline = [&](int y) {
            pDC->MoveTo(xLeft, y);
            pDC->LineTo(xEnd, y);
        };
        int y = GetZoomedFixedRowHeight() - 1;
        for (int r = m_nFixedRows; r < b.nFirstScrollRow; ++r)
            hline(y += ZoomedRowHeight(r));
        for (int r = visible.GetMinRow(); r <= visible.GetMaxRow() && r >= 0; ++r)
            hline(y += ZoomedRowHeight(r));
        y = rcDraw.bottom - GetFrozenBottomHeight() - 1;
        for (int r = b.nEndScrollRow; r < m_nRows; ++r)
            hline(y += ZoomedRowHeight(r));
    }
    pDC->SelectObject(pOld);
}

// --- overlays -------------------------------------------------------------------------------

// The selection frame is drawn in GridCtrlSelectionFrame.cpp.

void CGridCtrl::DrawDropRect(CDC* pDC)
{
    CRect rc;
    if (!GetRangeRect(m_DropRange, &rc))
        return;
    rc.InflateRect(2, 2);
    SIZE size = {3, 3};
    pDC->DrawDragRect(&rc, size, nullptr, size);
}

// --- invalidation -----------------------------------------------------------------------------

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* /*pDC*/)
{
    if (GetSafeHwnd() == nullptr || !m_bAllowDraw || !IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rc;
    if (!GetCellRect(nRow, nCol, &rc))
        return FALSE;
    rc.right++;
    rc.bottom++;
    InvalidateRect(&rc, TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateRange(const CGridCellRange& range)
{
    if (GetSafeHwnd() == nullptr || !m_bAllowDraw || !IsRangeValid(range))
        return FALSE;
    CRect rcFirst, rcLast;
    if (!GetCellRect(range.GetMinRow(), range.GetMinCol(), &rcFirst) ||
        !GetCellRect(range.GetMaxRow(), range.GetMaxCol(), &rcLast))
        return FALSE;
    CRect rc(std::min(rcFirst.left, rcLast.left), std::min(rcFirst.top, rcLast.top),
             std::max(rcFirst.right, rcLast.right) + 1, std::max(rcFirst.bottom, rcLast.bottom) + 1);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rc.IntersectRect(&rc, &rcClient))
        return FALSE;
    InvalidateRect(&rc, TRUE);
    return TRUE;
}
