#include "cells/SpinButtonCtrl.h"

#include "base/Geometry.h"

namespace {

const char kUpDownClass[] = "msctls_updown32";

}  // namespace

bool CSpinButtonCtrl::IsSystemControl()
{
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

CSpinButtonCtrl::CSpinButtonCtrl() : m_nLower(100), m_nUpper(0), m_nPos(0), m_hBuddy(nullptr) {}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    PlatformEnsureUpDownClass();
    return CreateEx(0, kUpDownClass, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), static_cast<LPARAM>(nUpper));
}

void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const
{
    nLower = nUpper = 0;
    const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower),
                                                    reinterpret_cast<LPARAM>(&nUpper));
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(nPos)));
}

int CSpinButtonCtrl::GetPos32() const
{
    return static_cast<int>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETPOS32, 0, 0));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    HWND hBuddy = pWndBuddy != nullptr ? pWndBuddy->GetSafeHwnd() : nullptr;
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(hBuddy), 0)));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETBUDDY, 0, 0)));
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsSystemControl())
        return CWnd::DefWindowProc(message, wParam, lParam);
    return OwnProc(message, wParam, lParam);
}

LRESULT CSpinButtonCtrl::OwnProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case UDM_SETRANGE:
        m_nUpper = static_cast<short>(LOWORD(lParam));
        m_nLower = static_cast<short>(HIWORD(lParam));
        return 0;
    case UDM_SETRANGE32:
        m_nLower = static_cast<int>(wParam);
        m_nUpper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(m_nUpper), static_cast<WORD>(m_nLower));
    case UDM_GETRANGE32:
        if (wParam != 0)
            *reinterpret_cast<int*>(wParam) = m_nLower;
        if (lParam != 0)
            *reinterpret_cast<int*>(lParam) = m_nUpper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int previous = m_nPos;
        int pos = message == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : static_cast<int>(lParam);
        const int low = m_nLower < m_nUpper ? m_nLower : m_nUpper;
        const int high = m_nLower < m_nUpper ? m_nUpper : m_nLower;
        m_nPos = pos < low ? low : (pos > high ? high : pos);
        return previous;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32:
        return m_nPos;
    case UDM_SETBUDDY: {
        HWND previous = m_hBuddy;
        m_hBuddy = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(m_hBuddy);
    case WM_LBUTTONDOWN: {
        if (!IsWindowEnabled())
            return 0;
        CRect client;
        GetClientRect(&client);
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        const bool up = (GetStyle() & UDS_HORZ) ? x >= (client.left + client.right) / 2
                                                : y < (client.top + client.bottom) / 2;
        Step(up ? 1 : -1);
        return 0;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

// One arrow click: the parent may refuse or change the step, then the
// position moves within the range (round at its ends with UDS_WRAP) and the
// parent hears of it.
void CSpinButtonCtrl::Step(int nDirection)
{
    HWND hSelf = m_hWnd;
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    NMUPDOWN info = {};
    info.hdr.hwndFrom = hSelf;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = UDN_DELTAPOS;
    info.iPos = m_nPos;
    info.iDelta = m_nLower <= m_nUpper ? nDirection : -nDirection;
    if (parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)) == 0 &&
        CWnd::FromHandlePermanent(hSelf) == this) {
        const int low = m_nLower < m_nUpper ? m_nLower : m_nUpper;
        const int high = m_nLower < m_nUpper ? m_nUpper : m_nLower;
        long long pos = static_cast<long long>(m_nPos) + info.iDelta;
        if (pos > high)
            pos = (GetStyle() & UDS_WRAP) ? low : high;
        else if (pos < low)
            pos = (GetStyle() & UDS_WRAP) ? high : low;
        m_nPos = static_cast<int>(pos);
    }
    if (CWnd::FromHandlePermanent(hSelf) != this)
        return;
    parent->SendMessage((GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_nPos),
                        reinterpret_cast<LPARAM>(hSelf));
}
