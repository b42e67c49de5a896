// Scroll bars and scrolling.
//
// In skin style 1 the grid keeps its scroll state itself and shows it in two
// skinned scroll-bar windows of its own, siblings of the grid in the control
// window (horizontal id 1000, vertical id 1001, 15 pixels thick), made through
// the scroll-bar hooks. In any other style the window's standard scroll bars
// hold the state.
#include "grid/GridCtrl.h"
#include "grid/GridScrollBarHooks.h"

#include "platform/System.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace {

GridScrollBarHooks g_scrollBarHooks;

const int kSkinBarThickness = 15;
const UINT kHScrollId = 1000;
const UINT kVScrollId = 1001;

int ClampToInt(long long n)
{
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

// Shows a bar window at rcTarget (parent client coordinates) or hides it;
// a bar already in place and in that state is left alone, so recomputing the
// bars after every size change moves nothing.
void PlaceWindow(CWnd* pBar, CWnd* pParent, BOOL bShow, const CRect& rcTarget)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    BOOL bShown = (pBar->GetStyle() & WS_VISIBLE) != 0;
    if (!bShow) {
        if (bShown)
            pBar->ShowWindow(SW_HIDE);
        return;
    }
    CRect rcNow;
    pBar->GetWindowRect(&rcNow);
    pParent->ScreenToClient(&rcNow);
    if (rcNow != rcTarget)
        pBar->MoveWindow(rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(), TRUE);
    if (!bShown)
        pBar->ShowWindow(SW_SHOWNA);
}

}  // namespace

void SetGridScrollBarHooks(const GridScrollBarHooks& hooks) { g_scrollBarHooks = hooks; }
const GridScrollBarHooks& GetGridScrollBarHooks() { return g_scrollBarHooks; }

// --- positions ----------------------------------------------------------------------

int CGridCtrl::GetScrollPosition(int nBar, BOOL bGetTrackPos)
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return 0;
    if (m_nSkinStyle == 1) {
        if (bGetTrackPos) {
            CWnd* pBar = nBar == SB_VERT ? m_pVScroll.get() : m_pHScroll.get();
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
                SCROLLINFO si = {};
                si.cbSize = sizeof(si);
                si.fMask = SIF_TRACKPOS;
                if (pBar->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si)) && si.nTrackPos >= 0)
                    return si.nTrackPos;
            }
        }
        return m_siBar[nBar].nPos;
    }
    if (GetSafeHwnd() == nullptr)
        return m_siBar[nBar].nPos;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!CWnd::GetScrollInfo(nBar, &si, si.fMask))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

int CGridCtrl::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return 0;
    m_idTopLeftCell = CGridCellPos();
    int nOld = m_siBar[nBar].nPos;
    m_siBar[nBar].nPos = nPos;
    if (m_nSkinStyle == 1) {
        CWnd* pBar = nBar == SB_VERT ? m_pVScroll.get() : m_pHScroll.get();
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
            SCROLLINFO si = {};
            si.cbSize = sizeof(si);
            si.fMask = SIF_POS;
            si.nPos = nPos;
            pBar->SendMessage(SBM_SETSCROLLINFO, bRedraw, reinterpret_cast<LPARAM>(&si));
        }
        return nOld;
    }
    if (GetSafeHwnd() != nullptr)
        return CWnd::SetScrollPos(nBar, nPos, bRedraw);
    return nOld;
}

int CGridCtrl::GetScrollPage(int nBar) { return static_cast<int>(m_siBar[nBar].nPage); }

void CGridCtrl::SetScrollInfoOfBar(int nBar, const SCROLLINFO& info)
{
    SCROLLINFO si = info;
    m_siBar[nBar].nMin = si.nMin;
    m_siBar[nBar].nMax = si.nMax;
    m_siBar[nBar].nPage = si.nPage;
    // The position stays inside what the new range can reach (0 without a range).
    int nLimit = si.nMax > 0 ? ClampToInt(std::max(0LL, static_cast<long long>(si.nMax) - si.nPage + 1)) : 0;
    if (m_siBar[nBar].nPos > nLimit)
        m_siBar[nBar].nPos = nLimit;
    if (m_siBar[nBar].nPos < 0)
        m_siBar[nBar].nPos = 0;
    si.fMask |= SIF_POS;
    si.nPos = m_siBar[nBar].nPos;
    if (m_nSkinStyle == 1) {
        CWnd* pBar = nBar == SB_VERT ? m_pVScroll.get() : m_pHScroll.get();
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
            // A bar that holds this range already is left alone.
            SCROLLINFO now = {};
            now.cbSize = sizeof(now);
            now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (pBar->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&now)) && now.nMin == si.nMin &&
                now.nMax == si.nMax && now.nPage == si.nPage && now.nPos == si.nPos)
                return;
            // The bar shows the new range with the next paint rather than at
            // once: a host setting a hundred thousand row heights in a loop
            // would otherwise have it drawn a hundred thousand times.
            pBar->SendMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&si));
            // A hidden bar paints whole when shown; a shown one already
            // waiting for a paint of all of it needs nothing more.
            CRect rcBar, rcWaiting;
            if (pBar->IsWindowVisible()) {
                pBar->GetClientRect(&rcBar);
                if (!pBar->GetUpdateRect(&rcWaiting) || rcWaiting != rcBar)
                    pBar->Invalidate(FALSE);
            }
        }
        return;
    }
    if (GetSafeHwnd() != nullptr)
        CWnd::SetScrollInfo(nBar, &si, TRUE);
}

// --- the scroll bars --------------------------------------------------------------------

void CGridCtrl::UpdateScrollBars()
{
    m_idTopLeftCell = CGridCellPos();
    if (!m_bAllowDraw || !m_bShowContent || GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;

    // The area as if no scroll bar were shown: what a shown bar takes is added
    // back (the grid's own bars sit beside the grid and shrink it by their
    // thickness; the standard bars take the system's width from the client).
    if (m_nSkinStyle == 1) {
        if ((m_nBarState & 2) && m_pVScroll && m_pVScroll->GetSafeHwnd() != nullptr)
            rc.right += kSkinBarThickness;
        if ((m_nBarState & 1) && m_pHScroll && m_pHScroll->GetSafeHwnd() != nullptr)
            rc.bottom += kSkinBarThickness;
    } else {
        if (m_nBarState & 2)
            rc.right += GetSystemMetrics(SM_CXVSCROLL);
        if (m_nBarState & 1)
            rc.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }

    // Sizes are added in 64 bits: a grid's total height may pass int.
    long long nFixedH = GetZoomedFixedRowHeight();
    long long nFixedW = GetZoomedFixedColumnWidth();
    long long nAvailH = static_cast<long long>(rc.bottom) - GetFrozenBottomHeight() - (nFixedH + GetFrozenTopHeight());
    long long nScrollH = m_arRowHeights.Sum(m_nFixedRows, m_nRows);
    long long nAvailW = static_cast<long long>(rc.right) - GetFrozenRightWidth() - (nFixedW + GetFrozenLeftWidth());
    if (nScrollH > nAvailH)
        nAvailW -= GetSystemMetrics(SM_CXVSCROLL);
    long long nScrollW = m_arColWidths.Sum(m_nFixedCols, m_nCols);
    if (nScrollW > nAvailW)
        nAvailH -= GetSystemMetrics(SM_CYHSCROLL);
    nAvailH = std::max(0LL, nAvailH);
    nAvailW = std::max(0LL, nAvailW);

    BOOL bShowV = nAvailH < nScrollH;
    BOOL bShowH = nAvailW < nScrollW;
    m_nVScrollMax = bShowV ? ClampToInt(ZoomedRowHeight(m_nRows - 1) + nScrollH + 17) : 0;
    m_nHScrollMax = bShowH ? ClampToInt(ZoomedColumnWidth(m_nCols - 1) + nScrollW + 64) : 0;

    if (m_nSkinStyle == 1) {
        // The grid's own bars are placed together, once, from both bits.
        if (bShowV)
            m_nBarState |= 2;
        else
            m_nBarState &= ~2;
        ShowGridScrollBar(SB_HORZ, bShowH);
    } else {
        ShowGridScrollBar(SB_VERT, bShowV);
        ShowGridScrollBar(SB_HORZ, bShowH);
    }

    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = m_nVScrollMax;
    si.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(ClampToInt(nAvailH)) : 0;
    SetScrollInfoOfBar(SB_VERT, si);
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nMax = m_nHScrollMax;
    si.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(ClampToInt(nAvailW)) : 0;
    SetScrollInfoOfBar(SB_HORZ, si);
    m_idTopLeftCell = CGridCellPos();
}

void CGridCtrl::CreateScrollBarWindows()
{
    if (m_nSkinStyle != 1 || g_scrollBarHooks.pfnCreate == nullptr || GetSafeHwnd() == nullptr)
        return;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    CRect rc(0, 0, 0, 0);
    if (!m_pHScroll)
        m_pHScroll.reset(g_scrollBarHooks.pfnCreate(pParent, this, FALSE, rc, kHScrollId,
                                                     m_SkinBitmaps.Get(SKIN_SCROLL)));
    if (!m_pVScroll)
        m_pVScroll.reset(g_scrollBarHooks.pfnCreate(pParent, this, TRUE, rc, kVScrollId,
                                                     m_SkinBitmaps.Get(SKIN_SCROLL)));
    for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->ShowWindow(SW_HIDE);
    }
}

BOOL CGridCtrl::AttachSkinScrollBars(CBitmap* pBitmap)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent == nullptr || g_scrollBarHooks.pfnCreate == nullptr)
        return FALSE;
    if (pBitmap == nullptr)
        pBitmap = m_SkinBitmaps.Get(SKIN_SCROLL);
    CRect none(0, 0, 0, 0);
    std::unique_ptr<CWnd> pH(g_scrollBarHooks.pfnCreate(pParent, this, FALSE, none, kHScrollId, pBitmap));
    std::unique_ptr<CWnd> pV(g_scrollBarHooks.pfnCreate(pParent, this, TRUE, none, kVScrollId, pBitmap));
    if (!pH || !pV || pH->GetSafeHwnd() == nullptr || pV->GetSafeHwnd() == nullptr)
        return FALSE;
    // The frame the bars replace: the window gives up what it took on each side.
    int nFrame = 0;
    if ((GetStyle() & WS_BORDER) != 0)
        nFrame += GetSystemMetrics(SM_CXBORDER);
    if ((GetExStyle() & WS_EX_CLIENTEDGE) != 0)
        nFrame += GetSystemMetrics(SM_CXEDGE);
    ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    if (nFrame > 0) {
        CRect rc;
        GetWindowRect(&rc);
        pParent->ScreenToClient(&rc);
        MoveWindow(rc.left, rc.top, std::max(0, static_cast<int>(rc.Width()) - 2 * nFrame),
                   std::max(0, static_cast<int>(rc.Height()) - 2 * nFrame), TRUE);
    }
    m_pHScroll = std::move(pH);
    m_pVScroll = std::move(pV);
    for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()})
        pBar->ShowWindow(SW_HIDE);
    UpdateScrollBars();
    return TRUE;
}

// The grid and its own bars share the control window: the bars along the right
// and bottom edges, the grid in the rest.
void CGridCtrl::PlaceScrollBars()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect frame;
    pParent->GetClientRect(&frame);
    BOOL bH = (m_nBarState & 1) != 0;
    BOOL bV = (m_nBarState & 2) != 0;
    int nGridW = std::max(0, frame.Width() - (bV ? kSkinBarThickness : 0));
    int nGridH = std::max(0, frame.Height() - (bH ? kSkinBarThickness : 0));
    PlaceWindow(m_pHScroll.get(), pParent, bH,
                CRect(frame.left, frame.bottom - kSkinBarThickness, frame.left + nGridW, frame.bottom));
    PlaceWindow(m_pVScroll.get(), pParent, bV,
                CRect(frame.right - kSkinBarThickness, frame.top, frame.right, frame.top + nGridH));
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    pParent->ScreenToClient(&rcWnd);
    if (rcWnd.left != frame.left || rcWnd.top != frame.top || rcWnd.Width() != nGridW || rcWnd.Height() != nGridH)
        MoveWindow(frame.left, frame.top, nGridW, nGridH, TRUE);
}

void CGridCtrl::ShowGridScrollBar(int nWhich, BOOL bShow)
{
    int nBits = nWhich == SB_HORZ ? 1 : nWhich == SB_VERT ? 2 : 3;
    if (bShow)
        m_nBarState |= nBits;
    else
        m_nBarState &= ~nBits;
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_nSkinStyle == 1) {
        CWnd::ShowScrollBar(SB_BOTH, FALSE);
        BOOL bHaveBars = (m_pHScroll && m_pHScroll->GetSafeHwnd()) || (m_pVScroll && m_pVScroll->GetSafeHwnd());
        if (bHaveBars)
            PlaceScrollBars();
        return;
    }
    for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->ShowWindow(SW_HIDE);
    }
    if (nWhich == SB_HORZ || nWhich == SB_BOTH)
        CWnd::ShowScrollBar(SB_HORZ, (m_nBarState & 1) != 0);
    if (nWhich == SB_VERT || nWhich == SB_BOTH)
        CWnd::ShowScrollBar(SB_VERT, (m_nBarState & 2) != 0);
}

void CGridCtrl::SetSkinStyle(int nStyle)
{
    if (nStyle == m_nSkinStyle)
        return;
    m_nSkinStyle = nStyle;
    if (nStyle == 1) {
        CreateScrollBarWindows();
        if (GetSafeHwnd() != nullptr)
            CWnd::ShowScrollBar(SB_BOTH, FALSE);
    } else if (GetSafeHwnd() != nullptr) {
        for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
                pBar->ShowWindow(SW_HIDE);
        }
        CWnd* pParent = GetParent();
        if (pParent != nullptr) {
            CRect frame;
            pParent->GetClientRect(&frame);
            MoveWindow(&frame, TRUE);
        }
    }
    UpdateScrollBars();
    Refresh();
    UpdatePreviewDisplayMode();
}

void CGridCtrl::ShowGridContent(BOOL bShow)
{
    m_bShowContent = bShow;
    if (GetSafeHwnd() == nullptr)
        return;
    if (!bShow) {
        CWnd::ShowScrollBar(SB_BOTH, FALSE);
        for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
                pBar->ShowWindow(SW_HIDE);
        }
    } else {
        UpdateScrollBars();
    }
    Invalidate(TRUE);
}

// --- scrolling --------------------------------------------------------------------------

void CGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    (void)nPos;
    ScrollBy(SB_VERT, nSBCode);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    (void)nPos;
    ScrollBy(SB_HORZ, nSBCode);
}

// One scroll step of either direction. Rows and heights for the vertical bar,
// columns and widths for the horizontal one.
void CGridCtrl::ScrollBy(int nBar, UINT nSBCode)
{
    BOOL bVert = nBar == SB_VERT;
    int nMax = bVert ? m_nVScrollMax : m_nHScrollMax;
    if (nMax < 1)
        return;
    EndEditing();
    HideTitleTip();

    GridBands b = GetBands();
    int nFirst = bVert ? b.nFirstScrollRow : b.nFirstScrollCol;
    int nEnd = bVert ? b.nEndScrollRow : b.nEndScrollCol;
    const CGridPositionIndex& index = bVert ? m_arRowHeights : m_arColWidths;
    auto size = [&](int n) { return bVert ? ZoomedRowHeight(n) : ZoomedColumnWidth(n); };

    int nPos = GetScrollPosition(nBar);
    CGridCellPos tl = GetTopLeftCell();
    int nLead = bVert ? tl.row : tl.col;
    int nPage = GetScrollPage(nBar);
    int nLimit = ClampToInt(std::max(0LL, static_cast<long long>(nMax) - nPage + 1));
    int nNew = nPos;
    BOOL bRedrawAll = FALSE;

    switch (nSBCode) {
    case SB_LINEUP:  // SB_LINELEFT
        // The previous line that has a size (hidden ones are passed over),
        // not before the first scrolled line.
        if (nLead > nFirst) {
            int n = nLead - 1;
            if (n > nFirst)
                n = std::max(nFirst, index.LowerBound(index.Prefix(nLead)) - 1);
            nNew = ClampToInt(std::max(0LL, static_cast<long long>(nPos) - size(n)));
        }
        break;
    case SB_LINEDOWN:  // SB_LINERIGHT
        // The top-left line or, when it is hidden, the next one with a size,
        // at most the last scrolled line.
        if (nPos < nLimit) {
            int n = nLead;
            if (n < nEnd - 1)
                n = std::min(nEnd - 1, index.LowerBound(index.Prefix(nLead) + 1) - 1);
            nNew = ClampToInt(std::min<long long>(nLimit, static_cast<long long>(nPos) + size(n)));
        }
        break;
    case SB_PAGEUP: {
        CRect rc;
        GetClientRect(&rc);
        long long nStep = bVert ? static_cast<long long>(rc.Height()) - GetZoomedFixedRowHeight()
                                : static_cast<long long>(rc.Width()) - GetZoomedFixedColumnWidth();
        nNew = ClampToInt(std::max<long long>(0, nPos - std::max<long long>(1, nStep)));
        break;
    }
    case SB_PAGEDOWN:
        nNew = ClampToInt(std::min<long long>(nLimit, static_cast<long long>(nPos) + std::max(1, nPage)));
        break;
    case SB_TOP:
        nNew = 0;
        bRedrawAll = TRUE;
        break;
    case SB_BOTTOM:
        nNew = nLimit;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int nTrack = GetScrollPosition(nBar, TRUE);
        if (nTrack >= 0 && nTrack <= nLimit)
            nNew = nTrack;
        m_idTopLeftCell = CGridCellPos();
        break;
    }
    default:
        break;
    }

    if (nNew != nPos || bRedrawAll) {
        SetScrollPos(nBar, nNew, TRUE);
        m_idTopLeftCell = CGridCellPos();
        if (GetSafeHwnd() != nullptr) {
            CRect rc;
            GetClientRect(&rc);
            if (bRedrawAll) {
                Invalidate(TRUE);
            } else {
                if (bVert)
                    rc.top = GetZoomedFixedRowHeight() - 1;
                else
                    rc.left = GetZoomedFixedColumnWidth() - 1;
                InvalidateRect(&rc, TRUE);
            }
        }
    }
    WPARAM wTopLeft = MAKELONG(static_cast<WORD>(tl.row), static_cast<WORD>(tl.col));
    const GridEventLines lines{tl.row, tl.col};
    if (bVert)
        PostGridMessage(WM_GRID_VSCROLL, wTopLeft, nSBCode, lines);
    else
        SendGridMessage(WM_GRID_HSCROLL, wTopLeft, nSBCode, lines);
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol) || GetSafeHwnd() == nullptr)
        return;
    GridBands b = GetBands();
    CRect rc;
    GetClientRect(&rc);
    // Rows: move the vertical position so the row's band slot holds it.
    if (nRow >= b.nFirstScrollRow && nRow < b.nEndScrollRow && m_nVScrollMax > 0) {
        long long nOffset = m_arRowHeights.Sum(b.nFirstScrollRow, nRow);
        long long nTop = static_cast<long long>(GetZoomedFixedRowHeight()) + GetFrozenTopHeight();
        long long nBottom = static_cast<long long>(rc.bottom) - GetFrozenBottomHeight();
        int nPos = GetScrollPosition(SB_VERT);
        int nLimit = ClampToInt(std::max(0LL, static_cast<long long>(m_nVScrollMax) - GetScrollPage(SB_VERT) + 1));
        long long nNew = nPos;
        if (nOffset < nPos)
            nNew = nOffset;
        else if (nOffset + ZoomedRowHeight(nRow) > nPos + (nBottom - nTop))
            nNew = nOffset + ZoomedRowHeight(nRow) - (nBottom - nTop);
        nNew = std::min<long long>(std::max<long long>(0, nNew), nLimit);
        if (nNew != nPos) {
            SetScrollPos(SB_VERT, ClampToInt(nNew), TRUE);
            Invalidate(TRUE);
        }
    }
    if (nCol >= b.nFirstScrollCol && nCol < b.nEndScrollCol && m_nHScrollMax > 0) {
        long long nOffset = m_arColWidths.Sum(b.nFirstScrollCol, nCol);
        long long nLeft = static_cast<long long>(GetZoomedFixedColumnWidth()) + GetFrozenLeftWidth();
        long long nRight = static_cast<long long>(rc.right) - GetFrozenRightWidth();
        int nPos = GetScrollPosition(SB_HORZ);
        int nLimit = ClampToInt(std::max(0LL, static_cast<long long>(m_nHScrollMax) - GetScrollPage(SB_HORZ) + 1));
        long long nNew = nPos;
        if (nOffset < nPos)
            nNew = nOffset;
        else if (nOffset + ZoomedColumnWidth(nCol) > nPos + (nRight - nLeft))
            nNew = nOffset + ZoomedColumnWidth(nCol) - (nRight - nLeft);
        nNew = std::min<long long>(std::max<long long>(0, nNew), nLimit);
        if (nNew != nPos) {
            SetScrollPos(SB_HORZ, ClampToInt(nNew), TRUE);
            Invalidate(TRUE);
        }
    }
    m_idTopLeftCell = CGridCellPos();
}
