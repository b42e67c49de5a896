#include "cells/SkinScrollBar.h"

#include "base/WinConstants.h"
#include "cells/OffscreenDC.h"
#include "platform/DC.h"
#include "platform/System.h"

#include <algorithm>
#include <climits>

namespace {

const char kClassName[] = "KivoSkinScrollBar";
const int kVerticalPartWidth = 15;     // across a vertical bar
const int kArrowExtent = 17;           // along the bar
const int kHorizontalThickness = 15;   // across a horizontal bar
const int kHorizontalSkinStart = 60;   // x of the horizontal parts in the skin
const int kTrackColumn = 3;
const int kThumbColumn = 2;
const COLORREF kGripColour = RGB(129, 135, 144);

// One piece of a block transfer: a plain copy when the sizes agree.
void CopyPiece(CDC* pDC, const CRect& dest, CDC* pSkin, const CRect& src)
{
    if (dest.IsRectEmpty() || src.IsRectEmpty())
        return;
    if (dest.Width() == src.Width() && dest.Height() == src.Height())
        pDC->BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), pSkin, src.left, src.top, SRCCOPY);
    else
        pDC->StretchBlt(dest.left, dest.top, dest.Width(), dest.Height(), pSkin, src.left, src.top, src.Width(),
                        src.Height(), SRCCOPY);
}

// Repeats src along the bar over dest; the last copy is cut.
void Tile(CDC* pDC, const CRect& dest, CDC* pSkin, const CRect& src, bool vertical)
{
    const int step = vertical ? src.Height() : src.Width();
    const int length = vertical ? dest.Height() : dest.Width();
    if (step <= 0)
        return;
    for (int done = 0; done < length; done += step) {
        const int n = std::min(step, length - done);
        if (vertical)
            CopyPiece(pDC, CRect(dest.left, dest.top + done, dest.right, dest.top + done + n), pSkin,
                      CRect(src.left, src.top, src.right, src.top + n));
        else
            CopyPiece(pDC, CRect(dest.left + done, dest.top, dest.left + done + n, dest.bottom), pSkin,
                      CRect(src.left, src.top, src.left + n, src.bottom));
    }
}

}  // namespace

CSkinScrollBar::CSkinScrollBar()
    : m_pNotifyWnd(nullptr), m_pSkin(nullptr), m_nPartWidth(0), m_nPartHeight(0), m_nLength(0), m_nMin(0),
      m_nMax(100), m_nPage(0), m_nPos(0), m_nTrackPos(-1), m_bDragging(FALSE), m_nDragBasePos(0),
      m_nPressedPart(kScrollPartNone), m_nHotPart(kScrollPartNone), m_bRepeating(FALSE),
      m_bRepeatSuspended(TRUE), m_bTrackingLeave(FALSE), m_nFirstArrowState(0), m_nSecondArrowState(0),
      m_nThumbState(0), m_bReleasing(FALSE)
{
}

CSkinScrollBar::~CSkinScrollBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSkinScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!PlatformIsWindowClassRegistered(kClassName))
        PlatformRegisterWindowClass(kClassName, CS_DBLCLKS, PlatformLoadCursor(IDC_ARROW), 0);
    return CreateEx(0, kClassName, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CSkinScrollBar::SetSkinBitmap(CBitmap* pBitmap)
{
    m_pSkin = pBitmap;
    // Once the bar has its size its parts have the sizes the skin is laid out
    // in; a ninth and a third of the bitmap stand only until then.
    if (m_nLength == 0 && pBitmap != nullptr && pBitmap->GetSafeHandle() != nullptr) {
        CSize size = pBitmap->GetSize();
        m_nPartWidth = size.cx / 9;
        m_nPartHeight = size.cy / 3;
    }
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
    return IsVertical() ? 1 : 0;
}

BOOL CSkinScrollBar::IsVertical() const
{
    return m_hWnd != nullptr && (GetStyle() & SBS_VERT) != 0;
}

ScrollBarLayout CSkinScrollBar::GetLayout() const
{
    const int arrow = IsVertical() ? m_nPartHeight : m_nPartWidth;
    const int pos = m_bDragging ? m_nTrackPos : m_nPos;
    return ComputeScrollBarLayout(m_nLength, arrow, m_nMin, m_nMax, m_nPage, pos);
}

int CSkinScrollBar::GetPartState(int nPart) const
{
    switch (nPart) {
    case kScrollPartFirstArrow:
        return m_nFirstArrowState;
    case kScrollPartSecondArrow:
        return m_nSecondArrowState;
    case kScrollPartThumb:
        return m_nThumbState;
    default:
        return 0;
    }
}

int CSkinScrollBar::HitTest(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return kScrollPartNone;
    return GetLayout().HitTest(Along(point));
}

void CSkinScrollBar::Notify(int nCode, int nPos)
{
    CWnd* target = m_pNotifyWnd != nullptr ? m_pNotifyWnd : GetParent();
    if (target == nullptr)
        return;
    target->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(nCode, nPos),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CSkinScrollBar::StopTimers()
{
    KillTimer(kDelayTimer);
    KillTimer(kRepeatTimer);
    m_bRepeating = FALSE;
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case SBM_SETSCROLLINFO: {
        const SCROLLINFO* info = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (info == nullptr)
            return 0;
        if (info->fMask & SIF_PAGE)
            m_nPage = static_cast<int>(std::min<UINT>(info->nPage, INT_MAX));
        if (info->fMask & SIF_POS)
            m_nPos = info->nPos;
        if (info->fMask & SIF_RANGE) {
            m_nMin = info->nMin;
            m_nMax = info->nMax;
        }
        m_nPos = std::max(m_nMin, std::min(m_nPos, std::max(m_nMin, m_nMax)));
        if (wParam)
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 1;
    }
    case SBM_GETSCROLLINFO: {
        SCROLLINFO* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (info == nullptr)
            return 0;
        if (info->fMask & SIF_PAGE)
            info->nPage = static_cast<UINT>(m_nPage);
        if (info->fMask & SIF_POS)
            info->nPos = m_nPos;
        if (info->fMask & SIF_TRACKPOS)
            info->nTrackPos = m_nTrackPos;
        if (info->fMask & SIF_RANGE) {
            info->nMin = m_nMin;
            info->nMax = m_nMax;
        }
        return 1;
    }
    case WM_LBUTTONDBLCLK:
        // The second press of a double click does not scroll again.
        return 1;
    default:
        return CScrollBar::WindowProc(message, wParam, lParam);
    }
}

void CSkinScrollBar::OnSize(UINT nType, int cx, int cy)
{
    CScrollBar::OnSize(nType, cx, cy);
    if (IsVertical()) {
        m_nLength = cy;
        m_nPartWidth = kVerticalPartWidth;
        m_nPartHeight = kArrowExtent;
    } else {
        m_nLength = cx;
        m_nPartWidth = kArrowExtent;
        m_nPartHeight = kHorizontalThickness;
    }
    Invalidate(FALSE);
}

BOOL CSkinScrollBar::OnEraseBkgnd(CDC*)
{
    return TRUE;  // every pixel is painted by OnPaint
}

void CSkinScrollBar::OnPaint()
{
    CPaintDC dc(this);
    COffscreenDC buffer(&dc);
    Draw(&buffer);
}

void CSkinScrollBar::DrawPart(CDC* pDC, CDC* pSkin, int nColumn, int nState, const CRect& dest)
{
    const int start = IsVertical() ? 0 : kHorizontalSkinStart;
    CRect src(start + nColumn * m_nPartWidth, nState * m_nPartHeight, start + (nColumn + 1) * m_nPartWidth,
              (nState + 1) * m_nPartHeight);
    CopyPiece(pDC, dest, pSkin, src);
}

void CSkinScrollBar::DrawThumb(CDC* pDC, CDC* pSkin, const CRect& dest)
{
    const bool vertical = IsVertical() != FALSE;
    const int start = vertical ? 0 : kHorizontalSkinStart;
    const int sx = start + kThumbColumn * m_nPartWidth;
    const int sy = m_nThumbState * m_nPartHeight;
    const int pw = m_nPartWidth;
    const int ph = m_nPartHeight;
    if (vertical) {
        // A 3-pixel cap from the top of the picture, its middle repeated, a
        // 3-pixel cap from its bottom.
        CopyPiece(pDC, CRect(dest.left, dest.top, dest.right, dest.top + 3), pSkin, CRect(sx, sy, sx + pw, sy + 3));
        Tile(pDC, CRect(dest.left, dest.top + 3, dest.right, dest.bottom - 3), pSkin,
             CRect(sx, sy + 3, sx + pw, sy + ph - 3), true);
        CopyPiece(pDC, CRect(dest.left, dest.bottom - 3, dest.right, dest.bottom), pSkin,
                  CRect(sx, sy + ph - 3, sx + pw, sy + ph));
    } else {
        // A 3-pixel left cap, the middle repeated, the last two columns as the right end.
        CopyPiece(pDC, CRect(dest.left, dest.top, dest.left + 3, dest.bottom), pSkin, CRect(sx, sy, sx + 3, sy + ph));
        Tile(pDC, CRect(dest.left + 3, dest.top, dest.right - 2, dest.bottom), pSkin,
             CRect(sx + 3, sy, sx + pw - 2, sy + ph), false);
        CopyPiece(pDC, CRect(dest.right - 2, dest.top, dest.right, dest.bottom), pSkin,
                  CRect(sx + pw - 2, sy, sx + pw, sy + ph));
    }
}

void CSkinScrollBar::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBitmap* skin = m_pSkin;
    if (skin == nullptr || skin->GetSafeHandle() == nullptr || m_nPartWidth <= 0 || m_nPartHeight <= 0) {
        pDC->FillSolidRect(&client, GetSysColor(COLOR_SCROLLBAR));
        return;
    }
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return;
    CBitmap* oldBitmap = source.SelectObject(skin);

    const bool vertical = IsVertical() != FALSE;
    const ScrollBarLayout layout = GetLayout();
    const int length = layout.nLength;
    const int across = vertical ? m_nPartWidth : kHorizontalThickness;
    auto along = [&](int from, int to) {
        return vertical ? CRect(0, from, across, to) : CRect(from, 0, to, across);
    };

    // The track over the whole bar, then the arrows and the thumb on it.
    const int start = vertical ? 0 : kHorizontalSkinStart;
    Tile(pDC, along(0, length), &source,
         CRect(start + kTrackColumn * m_nPartWidth, 0, start + (kTrackColumn + 1) * m_nPartWidth, m_nPartHeight),
         vertical);
    DrawPart(pDC, &source, kScrollPartFirstArrow, m_nFirstArrowState, along(0, layout.nArrow));
    DrawPart(pDC, &source, kScrollPartSecondArrow, m_nSecondArrowState, along(length - layout.nArrow, length));

    if (layout.nThumb > 0) {
        int thumbStart = layout.ThumbStart();
        const int arrow = vertical ? m_nPartHeight : m_nPartWidth;
        if (thumbStart + layout.nThumb > length - arrow)
            thumbStart = length - arrow - layout.nThumb;
        DrawThumb(pDC, &source, along(thumbStart, thumbStart + layout.nThumb));
        if (layout.nThumb > 15) {
            CPen pen(PS_SOLID, 1, kGripColour);
            CPen* oldPen = pDC->SelectObject(&pen);
            const int first = thumbStart + (layout.nThumb - 7) / 2;
            for (int i = 0; i < 4; ++i) {
                const int at = first + 2 * i;
                if (vertical) {
                    pDC->MoveTo(4, at);
                    pDC->LineTo(12, at);
                } else {
                    pDC->MoveTo(at, 4);
                    pDC->LineTo(at, 12);
                }
            }
            pDC->SelectObject(oldPen);
        }
    }
    source.SelectObject(oldBitmap);
}

void CSkinScrollBar::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    const int part = HitTest(point);
    if (part == kScrollPartThumb) {
        m_nThumbState = 2;
        m_bDragging = TRUE;
        m_ptDrag = point;
        m_nDragBasePos = m_nPos;
        m_nTrackPos = m_nPos;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    }
    if (part == kScrollPartNone) {
        m_bReleasing = TRUE;
        ReleaseCapture();
        m_bReleasing = FALSE;
        return;
    }
    if (part == kScrollPartFirstArrow)
        m_nFirstArrowState = 2;
    else if (part == kScrollPartSecondArrow)
        m_nSecondArrowState = 2;
    m_nPressedPart = part;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Notify(part);
    if (m_hWnd == nullptr)
        return;
    SetTimer(kDelayTimer, kRepeatMs);
    m_bRepeatSuspended = FALSE;
}

void CSkinScrollBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kDelayTimer) {
        KillTimer(kDelayTimer);
        SetTimer(kRepeatTimer, kRepeatMs);
        m_bRepeating = TRUE;
        return;
    }
    if (nIDEvent != kRepeatTimer) {
        CScrollBar::OnTimer(nIDEvent);
        return;
    }
    if (m_bRepeatSuspended || m_nPressedPart == kScrollPartNone)
        return;
    switch (m_nPressedPart) {
    case kScrollPartFirstArrow:
        if (m_nPos <= m_nMin)
            return;
        break;
    case kScrollPartSecondArrow:
        // The last position reachable: with a page the maximum itself never is.
        if (m_nPos >= ScrollBarLimit(m_nMin, m_nMax, m_nPage))
            return;
        break;
    default: {
        // The track repeats while the cursor is still on the pressed side of
        // the thumb; it stops once the thumb has reached the cursor.
        CPoint cursor;
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        if (HitTest(cursor) != m_nPressedPart)
            return;
        break;
    }
    }
    Notify(m_nPressedPart);
}

void CSkinScrollBar::OnMouseMove(UINT nFlags, CPoint point)
{
    const int hit = HitTest(point);
    if (!(nFlags & MK_LBUTTON)) {
        if (m_bDragging || m_nPressedPart != kScrollPartNone)
            StopTimers();
        m_bDragging = FALSE;
        m_nTrackPos = -1;
        m_nPressedPart = kScrollPartNone;
    }
    m_nHotPart = hit;

    const int oldStates[3] = {m_nFirstArrowState, m_nSecondArrowState, m_nThumbState};
    auto stateOf = [&](int part) {
        if (part == kScrollPartThumb && m_bDragging)
            return 2;
        if (hit != part)
            return 0;
        if (m_nPressedPart == part)
            return 2;
        return (m_nPressedPart == kScrollPartNone && !m_bDragging) ? 1 : 0;
    };
    m_nFirstArrowState = stateOf(kScrollPartFirstArrow);
    m_nSecondArrowState = stateOf(kScrollPartSecondArrow);
    m_nThumbState = stateOf(kScrollPartThumb);
    m_bRepeatSuspended = m_nPressedPart == kScrollPartNone || hit != m_nPressedPart;

    if ((m_nFirstArrowState || m_nSecondArrowState || m_nThumbState) && !m_bTrackingLeave) {
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        m_bTrackingLeave = TrackMouseEvent(&track) ? TRUE : FALSE;
    }

    bool redraw = oldStates[0] != m_nFirstArrowState || oldStates[1] != m_nSecondArrowState ||
                  oldStates[2] != m_nThumbState;
    if (m_bDragging) {
        const int pos = ScrollBarDragPosition(GetLayout(), m_nDragBasePos, Along(point) - Along(m_ptDrag), m_nMin,
                                              m_nMax, m_nPage);
        if (pos != m_nTrackPos) {
            m_nTrackPos = pos;
            Notify(SB_THUMBTRACK, pos);
            redraw = true;
        }
    }
    if (redraw && m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CSkinScrollBar::OnLButtonUp(UINT, CPoint)
{
    m_bReleasing = TRUE;
    ReleaseCapture();
    m_bReleasing = FALSE;
    m_nFirstArrowState = m_nSecondArrowState = m_nThumbState = 0;
    if (m_bDragging) {
        m_bDragging = FALSE;
        Notify(SB_THUMBPOSITION, m_nTrackPos);
        m_nTrackPos = -1;
    } else {
        StopTimers();
    }
    m_nPressedPart = kScrollPartNone;
    m_bRepeatSuspended = TRUE;
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CSkinScrollBar::OnMouseLeave()
{
    if (!m_bDragging)
        m_nThumbState = 0;
    m_nFirstArrowState = m_nSecondArrowState = 0;
    m_bTrackingLeave = FALSE;
    m_bRepeatSuspended = TRUE;
    m_nHotPart = kScrollPartNone;
    Invalidate(FALSE);
}

void CSkinScrollBar::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse in the middle of a press or a drag: the
    // press ends without a report, so no repeat keeps running.
    if (!m_bReleasing && (pWnd == nullptr || pWnd->GetSafeHwnd() != m_hWnd) &&
        (m_bDragging || m_nPressedPart != kScrollPartNone)) {
        StopTimers();
        m_bDragging = FALSE;
        m_nTrackPos = -1;
        m_nPressedPart = kScrollPartNone;
        m_nFirstArrowState = m_nSecondArrowState = m_nThumbState = 0;
        m_bRepeatSuspended = TRUE;
        Invalidate(FALSE);
    }
    CScrollBar::OnCaptureChanged(pWnd);
}
