#include "cells/win32/ColourPickerWnd.h"

#include "cells/ColourPalette.h"
#include "cells/win32/FormatWindows.h"

#include <string>

namespace {

const char kPickerProp[] = "KivoSheet.ColourPicker";

}  // namespace

CColourPicker::CColourPicker() : m_model(::GetSysColor(COLOR_BTNTEXT)) {}

CColourPicker::~CColourPicker()
{
    if (m_popup != nullptr && ::IsWindow(m_popup))
        ::DestroyWindow(m_popup);     // it tells a window that no longer listens
    Release();
}

void CColourPicker::Release()
{
    if (m_hwnd == nullptr)
        return;
    if (::IsWindow(m_hwnd) && FromHandle(m_hwnd) == this) {
        ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_super));
        ::RemovePropA(m_hwnd, kPickerProp);
    }
    m_hwnd = nullptr;
    m_super = nullptr;
}

CColourPicker* CColourPicker::FromHandle(HWND hwnd)
{
    return hwnd != nullptr ? static_cast<CColourPicker*>(::GetPropA(hwnd, kPickerProp)) : nullptr;
}

BOOL CColourPicker::SubclassDlgItem(UINT nID, HWND hwndParent)
{
    HWND hwnd = ::GetDlgItem(hwndParent, static_cast<int>(nID));
    if (m_hwnd != nullptr || hwnd == nullptr || FromHandle(hwnd) != nullptr)
        return FALSE;
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (::lstrcmpiA(name, "Button") != 0)
        return FALSE;
    m_hwnd = hwnd;
    ::SetPropA(hwnd, kPickerProp, this);
    m_super = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CColourPicker::Proc)));
    // Owner-drawn, and large enough for the arrow and some colour.
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    ::SetWindowLongA(hwnd, GWL_STYLE, (style & ~0x0F) | BS_OWNERDRAW);
    RECT client;
    ::GetClientRect(hwnd, &client);
    const palette::PickerGeometry g =
        palette::PickerLayout(CRect(client), ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE),
                              ::GetSystemMetrics(SM_CXHTHUMB), ::GetSystemMetrics(SM_CYVTHUMB));
    if (client.right < g.minimum.cx || client.bottom < g.minimum.cy)
        ::SetWindowPos(hwnd, nullptr, 0, 0, client.right > g.minimum.cx ? client.right : g.minimum.cx,
                       client.bottom > g.minimum.cy ? client.bottom : g.minimum.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

void CColourPicker::SetColour(COLORREF cr)
{
    m_model.SetColour(cr);
    if (m_hwnd != nullptr)
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

BOOL CColourPicker::Reflect(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM && lParam != 0) {
        const DRAWITEMSTRUCT* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CColourPicker* picker = di->CtlType == ODT_BUTTON ? FromHandle(di->hwndItem) : nullptr;
        if (picker == nullptr)
            return FALSE;
        picker->Draw(*di);
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        CColourPicker* picker = FromHandle(reinterpret_cast<HWND>(lParam));
        if (picker == nullptr)
            return FALSE;
        picker->OnClicked();
        return TRUE;
    }
    return FALSE;
}

void CColourPicker::Tell(const palette::Notices& notices)
{
    const HWND hwnd = m_hwnd;
    for (const palette::Notice& n : notices) {
        // The parent may end the picker in answer to one of them.
        if (hwnd == nullptr || !::IsWindow(hwnd) || FromHandle(hwnd) != this)
            return;
        ::SendMessageA(::GetParent(hwnd), n.message, n.colour, n.lParam);
    }
}

void CColourPicker::OnClicked()
{
    if (m_hwnd == nullptr)
        return;
    const palette::Notices opened = m_model.Click(::GetDlgCtrlID(m_hwnd));
    if (opened.empty())
        return;
    RECT r;
    ::GetWindowRect(m_hwnd, &r);
    ::InvalidateRect(m_hwnd, nullptr, FALSE);       // the arrow shows pushed
    m_popup = OpenColourPopup(POINT{r.left, r.bottom}, m_model.GetColour(), m_hwnd, 0,
                              m_model.strDefaultText.Str(), m_model.strCustomText.Str());
    if (m_popup == nullptr) {
        // No popup: the picker is idle again, as after a cancel.
        m_model.bPopupOpen = false;
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        return;
    }
    Tell(opened);
}

void CColourPicker::Draw(const DRAWITEMSTRUCT& di)
{
    HDC dc = di.hDC;
    const CRect client(di.rcItem);
    const bool disabled = (di.itemState & ODS_DISABLED) != 0;
    const palette::PickerGeometry g =
        palette::PickerLayout(client, ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE),
                              ::GetSystemMetrics(SM_CXHTHUMB), ::GetSystemMetrics(SM_CYVTHUMB));
    ::FillRect(dc, &di.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT arrow = g.arrow;
    ::DrawFrameControl(dc, &arrow, DFC_SCROLL,
                       DFCS_SCROLLDOWN | (m_model.bPopupOpen ? DFCS_PUSHED | DFCS_FLAT : 0) |
                           (disabled ? DFCS_INACTIVE : 0));
    RECT area = g.colour;
    ::DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH brush = ::CreateSolidBrush(palette::PickerFill(m_model.GetColour(), disabled, ::GetSysColor(COLOR_WINDOW),
                                                          ::GetSysColor(COLOR_BTNFACE)));
    ::FillRect(dc, &area, brush);
    ::DeleteObject(brush);

    wchar_t text[256] = {};
    ::GetWindowTextW(m_hwnd, text, 256);
    if (text[0] != L'\0') {
        const std::wstring w(text);
        ::SetBkMode(dc, TRANSPARENT);
        RECT t = area;
        const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (disabled) {
            ::OffsetRect(&t, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
            ::DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &t, flags);
            ::OffsetRect(&t, -1, -1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_3DSHADOW));
        } else {
            ::SetTextColor(dc, palette::PickerCaptionColour(m_model.crText, ::GetSysColor(COLOR_WINDOWTEXT)));
        }
        ::DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &t, flags);
    }
    if (di.itemState & ODS_FOCUS) {
        RECT focus = di.rcItem;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(dc, &focus);
    }
}

LRESULT CColourPicker::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int id = ::GetDlgCtrlID(m_hwnd);
    switch (msg) {
    case palette::MSG_SELCHANGE:
        if (m_model.bPopupOpen) {
            const COLORREF before = m_model.GetColour();
            const palette::Notices n = m_model.PopupMoved(static_cast<COLORREF>(wParam), id);
            if (m_model.GetColour() != before)
                ::InvalidateRect(m_hwnd, nullptr, FALSE);
            Tell(n);
        }
        return 0;
    case palette::MSG_SELENDOK:
    case palette::MSG_SELENDCANCEL:
        if (!m_model.bPopupOpen)
            return 0;
        m_popup = nullptr;
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        Tell(msg == palette::MSG_SELENDOK ? m_model.PopupChose(static_cast<COLORREF>(wParam), lParam != 0, id)
                                          : m_model.PopupCancelled(static_cast<COLORREF>(wParam), id));
        return 0;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button answers a quick second click with
        // BN_DOUBLECLICKED and no press; the picker wants every click to
        // press it and open the palette on its release.
        return ::CallWindowProcA(m_super, m_hwnd, WM_LBUTTONDOWN, wParam, lParam);
    default:
        break;
    }
    return ::CallWindowProcA(m_super, m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CColourPicker::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CColourPicker* self = FromHandle(hwnd);
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window goes first: hand it back and forget it.
        WNDPROC super = self->m_super;
        self->Release();
        if (self->m_popup != nullptr && ::IsWindow(self->m_popup))
            ::DestroyWindow(self->m_popup);
        self->m_popup = nullptr;
        self->m_model.bPopupOpen = false;
        return ::CallWindowProcA(super, hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}
