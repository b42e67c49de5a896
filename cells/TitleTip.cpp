#include "cells/TitleTip.h"

#include "base/WinConstants.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

namespace {

const char kTipClassName[] = "ZTitleTip";

}  // namespace

CTitleTip::CTitleTip()
    : m_pParentWnd(nullptr), m_dwLastLButtonDown(static_cast<DWORD>(-1)), m_dwDblClickMsecs(GetDoubleClickTime()),
      m_logFont(), m_bHasFont(FALSE), m_crText(0), m_crBack(0), m_nFormat(0)
{
    if (!PlatformIsWindowClassRegistered(kTipClassName))
        PlatformRegisterWindowClass(kTipClassName, CS_SAVEBITS, PlatformLoadCursor(IDC_ARROW), COLOR_INFOBK + 1);
}

CTitleTip::~CTitleTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return TRUE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    if (!PlatformIsWindowClassRegistered(kTipClassName))
        return FALSE;
    // Show gives the window its place and size.
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClassName, nullptr, WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0),
                    nullptr, 0);
}

BOOL CTitleTip::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::Hide()
{
    if (m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
}

void CTitleTip::Show(const RECT& rectTitle, LPCTSTR lpszTitleText, int xOffset, LPCRECT lpHoverRect,
                     const LOGFONT* lpLogFont, COLORREF crTextClr, COLORREF crBackClr, BOOL bForce)
{
    const CRect rect(rectTitle);
    if (rect.IsRectEmpty())
        return;
    if (m_hWnd == nullptr && !Create(m_pParentWnd))
        return;

    // The hover area, one pixel larger to the right and bottom, kept in screen
    // coordinates so that it stays right wherever the tip itself is placed.
    if (lpHoverRect != nullptr) {
        m_rectHover = *lpHoverRect;
        if (m_pParentWnd != nullptr)
            m_pParentWnd->ClientToScreen(&m_rectHover);
    } else {
        m_rectHover = rect;
    }
    m_rectHover.right += 1;
    m_rectHover.bottom += 1;

    // Another application is active.
    if (CWnd::GetFocus() == nullptr)
        return;
    if (xOffset < 0 && !bForce)
        return;

    m_sText = CString(" ") + CString(lpszTitleText) + " ";
    m_bHasFont = lpLogFont != nullptr;
    if (lpLogFont != nullptr)
        m_logFont = *lpLogFont;
    m_crText = crTextClr == kDefaultColour ? GetSysColor(COLOR_INFOTEXT) : crTextClr;
    m_crBack = crBackClr == kDefaultColour ? GetSysColor(COLOR_INFOBK) : crBackClr;
    m_nFormat = m_sText.Find("\r\n") >= 0 ? (DT_NOPREFIX | DT_WORDBREAK) : 0;

    SetWindowPos(nullptr, rect.left + 3, 2 * rect.top - rect.bottom - 1, rect.Width(), rect.Height() + 1,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    CClientDC dc(this);
    Paint(&dc);
}

void CTitleTip::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBack);

    CFont created;
    CFont* font = nullptr;
    if (m_bHasFont) {
        if (created.CreateFontIndirect(&m_logFont))
            font = &created;
    } else if (m_pParentWnd != nullptr) {
        font = m_pParentWnd->GetFont();
    }
    CFont* oldFont = font != nullptr ? pDC->SelectObject(font) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText);
    CRect text(0, 0, client.Width() + 6, client.Height());
    pDC->DrawText(m_sText, &text, m_nFormat);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

BOOL CTitleTip::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the paint fills the whole tip
}

CWnd* CTitleTip::WindowBelow(POINT screen) const
{
    CWnd* below = CWnd::WindowFromPoint(screen);
    if (below == nullptr || below->GetSafeHwnd() == m_hWnd)
        below = m_pParentWnd;
    return below;
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_rectHover.PtInRect(screen))
        return;
    Hide();
    CWnd* below = WindowBelow(screen);
    if (below == nullptr)
        return;
    const LRESULT hit = below->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        CPoint client = screen;
        below->ScreenToClient(&client);
        below->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(client.x, client.y));
    } else {
        below->PostMessage(WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    }
}

// A tip never takes the focus, so what reaches it is handed on: keys to the
// grid, presses to the window under the point. Our own message loop offers
// these before dispatch (PreTranslateMessage); a container's loop knows
// nothing of the tip and dispatches them, so the window procedure hands them
// on as well. Either way each message is handed on once.
BOOL CTitleTip::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != nullptr)
            m_pParentWnd->PostMessage(message, wParam, lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (message == WM_LBUTTONDOWN) {
            const DWORD now = GetTickCount();
            if (m_dwLastLButtonDown != static_cast<DWORD>(-1) && now - m_dwLastLButtonDown <= m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = now;
        }
        CPoint screen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&screen);
        Hide();
        CWnd* below = WindowBelow(screen);
        if (below == nullptr)
            return TRUE;
        const LRESULT hit = below->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (hit == HTCLIENT) {
            CPoint client = screen;
            below->ScreenToClient(&client);
            below->PostMessage(message, wParam, MAKELPARAM(client.x, client.y));
        } else {
            UINT nc = message == WM_RBUTTONDOWN   ? WM_NCRBUTTONDOWN
                      : message == WM_MBUTTONDOWN ? WM_NCMBUTTONDOWN
                                                  : WM_NCLBUTTONDOWN;
            below->PostMessage(nc, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    if (PassOn(pMsg->message, pMsg->wParam, pMsg->lParam))
        return TRUE;
    if (CWnd::GetFocus() == nullptr)
        Hide();
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CTitleTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A click on the tip leaves the activation where it is: the grid's
    // window keeps the focus and the click goes through.
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (PassOn(message, wParam, lParam))
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}
