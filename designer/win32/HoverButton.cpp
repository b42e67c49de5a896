#include "designer/win32/HoverButton.h"

#include <commctrl.h>

#include <map>

namespace {

const UINT_PTR kSubclassId = 0x4B48;  // "KH"
const UINT_PTR kHoverTimer = 1;

// The hover buttons by window; all live on the user-interface thread.
std::map<HWND, CHoverButton*>& Buttons()
{
    static auto* buttons = new std::map<HWND, CHoverButton*>;
    return *buttons;
}

}  // namespace

void COwnerDrawButton::TakeOver(HWND hwnd)
{
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
    m_nButtonType = static_cast<int>(style & 0x1F);
    if (m_nButtonType == BS_DEFPUSHBUTTON) {
        m_nButtonType = BS_PUSHBUTTON;
        m_bDefault = TRUE;
    }
    ::SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(0x1F)) | BS_OWNERDRAW);
}

CHoverButton::~CHoverButton()
{
    if (m_hwnd != nullptr) {
        Buttons().erase(m_hwnd);
        if (::IsWindow(m_hwnd))
            ::RemoveWindowSubclass(m_hwnd, Proc, kSubclassId);
    }
    if (m_tooltip != nullptr && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
}

BOOL CHoverButton::SubclassDlgItem(int id, HWND dialog, DWORD style)
{
    HWND hwnd = ::GetDlgItem(dialog, id);
    if (hwnd == nullptr)
        return FALSE;
    m_hwnd = hwnd;
    m_dwStyle = style;
    const BOOL wasChecked = ::SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    TakeOver(hwnd);
    m_bChecked = m_bPressed = (IsCheckType() || IsRadioType()) && wasChecked;
    ResetColours(FALSE);
    ::SetWindowSubclass(hwnd, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Buttons()[hwnd] = this;
    Repaint();
    return TRUE;
}

CHoverButton* CHoverButton::FromHwnd(HWND hwnd)
{
    const auto it = Buttons().find(hwnd);
    return it == Buttons().end() ? nullptr : it->second;
}

void CHoverButton::SetImageAlign(DWORD align)
{
    m_dwImageAlign = align;
    Repaint();
}

void CHoverButton::SetTextAlign(DWORD align)
{
    m_dwTextAlign = align;
    Repaint();
}

void CHoverButton::ResetColours(BOOL repaint)
{
    for (int i = 0; i < 3; ++i) {
        m_crBack[i] = ::GetSysColor(COLOR_BTNFACE);
        m_crText[i] = ::GetSysColor(COLOR_BTNTEXT);
    }
    if (repaint)
        Repaint();
}

void CHoverButton::SetTooltipText(const CString& text, BOOL activate)
{
    if (m_hwnd == nullptr)
        return;
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.hwnd = m_hwnd;
    info.uId = 1;
    if (m_tooltip == nullptr) {
        m_tooltip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, nullptr, nullptr);
        if (m_tooltip == nullptr)
            return;
        ::SendMessageA(m_tooltip, TTM_ACTIVATE, FALSE, 0);
        ::SendMessageA(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
        info.uFlags = TTF_SUBCLASS;
        ::GetClientRect(m_hwnd, &info.rect);
        info.lpszText = const_cast<char*>(text.GetString());
        ::SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    info.lpszText = const_cast<char*>(text.GetString());
    ::SendMessageA(m_tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(m_tooltip, TTM_ACTIVATE, activate, 0);
}

LRESULT CALLBACK CHoverButton::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CHoverButton*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, Proc, kSubclassId);
        Buttons().erase(hwnd);
        if (self != nullptr)
            self->m_hwnd = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    bool handled = false;
    const LRESULT result = self != nullptr ? self->OnMessage(message, wParam, lParam, handled) : 0;
    return handled ? result : ::DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CHoverButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case BM_GETCHECK:
        handled = true;
        return (IsCheckType() || IsRadioType()) && m_bChecked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        handled = true;
        m_bChecked = m_bPressed = wParam == BST_CHECKED ? TRUE : FALSE;
        Repaint();
        return 0;
    case BM_SETSTYLE: {
        // The button stays owner-drawn; a push type decides whether it is the default.
        const DWORD type = static_cast<DWORD>(wParam) & 0x1F;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            m_bDefault = type == BS_DEFPUSHBUTTON;
        handled = true;
        return ::DefSubclassProc(m_hwnd, BM_SETSTYLE, (wParam & ~0x1FU) | BS_OWNERDRAW, lParam);
    }
    case WM_GETDLGCODE:
        handled = true;
        if (IsRadioType())
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (!m_bCanBeDefault || IsCheckType())
            return DLGC_BUTTON;
        return DLGC_BUTTON | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_LBUTTONDOWN:
        if (!IsCheckType() && !IsRadioType()) {
            m_bPressed = TRUE;
            Repaint();
        }
        return 0;
    case WM_LBUTTONUP: {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT rc;
        ::GetClientRect(m_hwnd, &rc);
        // The state changes before the parent hears of the click.
        if (::PtInRect(&rc, at) && ::GetCapture() == m_hwnd)
            Clicked();
        if (!IsCheckType() && !IsRadioType() && m_bPressed) {
            m_bPressed = FALSE;
            Repaint();
        }
        return 0;
    }
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Clicked();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            handled = true;
            POINT at;
            ::GetCursorPos(&at);
            ::ScreenToClient(m_hwnd, &at);
            RECT rc;
            ::GetClientRect(m_hwnd, &rc);
            if (!::PtInRect(&rc, at)) {
                m_bHover = FALSE;
                ::KillTimer(m_hwnd, kHoverTimer);
                Repaint();
            }
        }
        return 0;
    default:
        return 0;
    }
}

void CHoverButton::Clicked()
{
    if (IsCheckType()) {
        m_bChecked = m_bPressed = !m_bChecked;
        Repaint();
    } else if (IsRadioType()) {
        // Checks itself and clears the other buttons of its group, both ways.
        HWND parent = ::GetParent(m_hwnd);
        for (HWND h = ::GetNextDlgGroupItem(parent, m_hwnd, FALSE); h != nullptr && h != m_hwnd;
             h = ::GetNextDlgGroupItem(parent, h, FALSE))
            ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
        for (HWND h = ::GetNextDlgGroupItem(parent, m_hwnd, TRUE); h != nullptr && h != m_hwnd;
             h = ::GetNextDlgGroupItem(parent, h, TRUE))
            ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
        m_bChecked = m_bPressed = TRUE;
        Repaint();
    }
}

void CHoverButton::OnMouseMove()
{
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0 && !m_bHover)
        return;
    if (::GetCapture() != m_hwnd) {
        m_bHover = TRUE;
        ::SetTimer(m_hwnd, kHoverTimer, 100, nullptr);
        ::SetCapture(m_hwnd);
        Repaint();
        return;
    }
    POINT at;
    ::GetCursorPos(&at);
    if (::WindowFromPoint(at) != m_hwnd) {
        if (m_bHover) {
            m_bHover = FALSE;
            Repaint();
        }
        if ((::GetKeyState(VK_LBUTTON) & 0x8000) == 0)
            ::ReleaseCapture();
    }
}

BOOL CHoverButton::DrawItem(const DRAWITEMSTRUCT* item)
{
    CHoverButton* self = item != nullptr ? FromHwnd(item->hwndItem) : nullptr;
    if (self == nullptr)
        return FALSE;
    self->Draw(item);
    return TRUE;
}

void CHoverButton::Draw(const DRAWITEMSTRUCT* item)
{
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    const int state = m_nColourState >= 0 && m_nColourState < 3 ? m_nColourState : 0;
    HBRUSH back = ::CreateSolidBrush(m_crBack[state]);
    ::FillRect(dc, &rc, back);
    ::DeleteObject(back);

    const bool pressed = m_bPressed || (item->itemState & ODS_SELECTED) != 0;
    if (pressed) {
        ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    } else if ((m_dwStyle & kFlat) == 0) {
        ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
    } else if (m_bHover) {
        ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
    }

    char text[256] = {0};
    ::GetWindowTextA(m_hwnd, text, sizeof text);
    RECT textRect = rc;
    ::InflateRect(&textRect, -3, -2);
    if (pressed)
        ::OffsetRect(&textRect, 1, 1);
    ::SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        ::SetTextColor(dc, m_crText[state]);
        ::DrawTextA(dc, text, -1, &textRect, m_dwTextAlign);
    } else {
        RECT shadow = textRect;
        ::OffsetRect(&shadow, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::DrawTextA(dc, text, -1, &shadow, m_dwTextAlign);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
        ::DrawTextA(dc, text, -1, &textRect, m_dwTextAlign);
    }
    if ((item->itemState & ODS_FOCUS) != 0) {
        RECT focus = rc;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}
