#include "cells/Button.h"

#include "base/Geometry.h"
#include "platform/DC.h"
#include "platform/System.h"

bool CButton::IsSystemControl()
{
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

CButton::CButton() : m_bPushed(FALSE) {}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    return CreateEx(0, "BUTTON", lpszCaption != nullptr ? lpszCaption : "", dwStyle | WS_CHILD, rect, pParentWnd,
                    nID);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsSystemControl())
        return CWnd::DefWindowProc(message, wParam, lParam);
    return OwnProc(message, wParam, lParam);
}

LRESULT CButton::OwnProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if ((GetStyle() & 0x0F) == BS_OWNERDRAW) {
            PaintOwnerDrawn();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled()) {
            m_bPushed = TRUE;
            SetCapture();
            Invalidate(FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!m_bPushed)
            return 0;
        m_bPushed = FALSE;
        HWND hSelf = m_hWnd;
        if (GetCapture() == this)
            ReleaseCapture();
        Invalidate(FALSE);
        CRect client;
        GetClientRect(&client);
        const CPoint at(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        CWnd* parent = GetParent();
        if (client.PtInRect(at) && parent != nullptr && CWnd::FromHandlePermanent(hSelf) == this)
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(hSelf));
        return 0;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CButton::PaintOwnerDrawn()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    CWnd* parent = GetParent();
    if (dc != nullptr && parent != nullptr) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID());
        item.itemAction = ODA_DRAWENTIRE;
        if (m_bPushed)
            item.itemState |= ODS_SELECTED;
        if (GetFocus() == this)
            item.itemState |= ODS_FOCUS;
        if (!IsWindowEnabled())
            item.itemState |= ODS_DISABLED;
        item.hwndItem = m_hWnd;
        item.hDC = dc->GetSafeHdc();
        CRect client;
        GetClientRect(&client);
        item.rcItem = client;
        parent->SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
    EndPaint(&ps);
}
