#include "designer/win32/HoverButton.h"

#include <shellapi.h>

#include <algorithm>
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

HoverRect ToHover(const RECT& r)
{
    HoverRect h;
    h.left = r.left;
    h.top = r.top;
    h.right = r.right;
    h.bottom = r.bottom;
    return h;
}

bool LeftDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

}  // namespace

void COwnerDrawButton::TakeOver(HWND hwnd)
{
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
    m_base.TakeType(static_cast<unsigned long>(style));
    ::SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(0x1F)) | BS_OWNERDRAW);
}

CHoverButton::~CHoverButton()
{
    if (m_hwnd != nullptr) {
        Buttons().erase(m_hwnd);
        if (::IsWindow(m_hwnd)) {
            ::KillTimer(m_hwnd, kHoverTimer);
            if (::GetCapture() == m_hwnd)
                ::ReleaseCapture();
            ::RemoveWindowSubclass(m_hwnd, Proc, kSubclassId);
        }
    }
    Release();
}

void CHoverButton::Release()
{
    if (m_tooltip != nullptr && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    if (m_imageList != nullptr)
        ::ImageList_Destroy(m_imageList);
    m_imageList = nullptr;
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    if (m_icon != nullptr)
        ::DestroyIcon(m_icon);
    m_icon = nullptr;
    if (m_menu != nullptr)
        ::DestroyMenu(m_menu);
    m_menu = nullptr;
}

BOOL CHoverButton::SubclassDlgItem(int id, HWND dialog, DWORD style)
{
    HWND hwnd = ::GetDlgItem(dialog, id);
    if (hwnd == nullptr || m_hwnd != nullptr)
        return FALSE;
    m_hwnd = hwnd;
    m_state.m_dwStyle = style;
    const BOOL wasChecked = ::SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    TakeOver(hwnd);
    m_state.m_bChecked = m_state.m_bPressed = (m_state.IsCheckType() || m_state.IsRadioType()) && wasChecked;
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

BOOL CHoverButton::SetBitmap(UINT id, COLORREF crMask)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap != nullptr && SetBitmap(bitmap, crMask);
}

BOOL CHoverButton::SetBitmap(HBITMAP bitmap, COLORREF crMask)
{
    BITMAP info = {};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmHeight <= 0) {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    const int side = info.bmHeight;
    HIMAGELIST list = ::ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (list == nullptr || ::ImageList_AddMasked(list, bitmap, crMask) < 0) {
        if (list != nullptr)
            ::ImageList_Destroy(list);
        ::DeleteObject(bitmap);
        return FALSE;
    }
    if (m_imageList != nullptr)
        ::ImageList_Destroy(m_imageList);
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_imageList = list;
    m_bitmap = bitmap;
    m_imageW = m_imageH = side;
    if ((m_state.m_dwStyle & kAutoSize) != 0)
        FitToContent();
    Repaint();
    return TRUE;
}

void CHoverButton::SetIcon(HICON icon)
{
    if (m_icon != nullptr)
        ::DestroyIcon(m_icon);
    m_icon = icon;
    if (icon != nullptr && m_imageList == nullptr) {
        ICONINFO ii = {};
        if (::GetIconInfo(icon, &ii)) {
            BITMAP bm = {};
            ::GetObjectA(ii.hbmMask, sizeof bm, &bm);
            m_imageW = bm.bmWidth;
            m_imageH = ii.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
            if (ii.hbmColor != nullptr)
                ::DeleteObject(ii.hbmColor);
            ::DeleteObject(ii.hbmMask);
        }
    }
    Repaint();
}

void CHoverButton::SetCursor(HCURSOR cursor)
{
    m_cursor = cursor;
}

void CHoverButton::SetMenu(HMENU menu)
{
    if (m_menu != nullptr)
        ::DestroyMenu(m_menu);
    m_menu = menu;
}

void CHoverButton::SetURL(const CString& url)
{
    // The link is kept to the length of a path.
    m_szURL = url.GetLength() < MAX_PATH ? url : url.Left(MAX_PATH - 1);
}

void CHoverButton::Enable()
{
    if (m_hwnd != nullptr)
        ::EnableWindow(m_hwnd, TRUE);
}

void CHoverButton::Disable()
{
    if (m_hwnd != nullptr)
        ::EnableWindow(m_hwnd, FALSE);
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
    }
    if (::SendMessageA(m_tooltip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
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
        if (self != nullptr) {
            self->m_hwnd = nullptr;
            self->m_tooltip = nullptr;   // a child-owned tip went with the window
        }
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (self == nullptr)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    // Every message passing the button reaches the tool tip.
    if (self->m_tooltip != nullptr && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = {hwnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::GetCursorPos(&msg.pt);
        ::SendMessageA(self->m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    bool handled = false;
    const LRESULT result = self->OnMessage(message, wParam, lParam, handled);
    return handled ? result : ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void CHoverButton::Apply(const CHoverButtonState::Effect& e)
{
    if (m_hwnd == nullptr)
        return;
    if (e.startTimer)
        ::SetTimer(m_hwnd, kHoverTimer, 100, nullptr);
    if (e.killTimer)
        ::KillTimer(m_hwnd, kHoverTimer);
    if (e.takeCapture)
        ::SetCapture(m_hwnd);
    if (e.releaseCapture && ::GetCapture() == m_hwnd)
        ::ReleaseCapture();
    if (e.checkGroup)
        CheckGroup();
    if (e.openLink)
        ::ShellExecuteA(::GetParent(m_hwnd), "open", m_szURL, nullptr, nullptr, SW_SHOWMAXIMIZED);
    if (e.repaint)
        Repaint();
}

LRESULT CHoverButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case BM_GETCHECK:
        handled = true;
        return m_state.GetCheck() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        handled = true;
        Apply(m_state.SetCheck(wParam == BST_CHECKED));
        return 0;
    case BM_SETSTYLE:
        // The button stays owner-drawn; a push type decides whether it is the default.
        m_state.StyleSet(static_cast<int>(wParam));
        handled = true;
        return ::DefSubclassProc(m_hwnd, BM_SETSTYLE, (wParam & ~0x1FU) | BS_OWNERDRAW, lParam);
    case WM_GETDLGCODE:
        handled = true;
        return m_state.DialogCode();
    case WM_MOUSEMOVE: {
        POINT at;
        ::GetCursorPos(&at);
        const bool hadCapture = ::GetCapture() == m_hwnd;
        Apply(m_state.MouseMove(LeftDown(), hadCapture, ::WindowFromPoint(at) == m_hwnd));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        RECT rc;
        ::GetClientRect(m_hwnd, &rc);
        const bool onArrow =
            m_state.HitsArrow(ToHover(rc), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        const bool arrowWasDown = m_state.m_bArrowPressed != FALSE;
        const CHoverButtonState::Effect e = m_state.LButtonDown(onArrow);
        Apply(e);
        handled = true;
        if (e.showMenu) {
            ShowMenu();
            return 0;
        }
        m_down = !arrowWasDown;
        // A quick second click is a click as well: the button proc sees a
        // press either way.
        return arrowWasDown ? 0 : ::DefSubclassProc(m_hwnd, WM_LBUTTONDOWN, wParam, lParam);
    }
    case WM_LBUTTONUP: {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT rc;
        ::GetClientRect(m_hwnd, &rc);
        // The state changes before the parent hears of the click; the
        // button proc, which tells it, still holds its capture here.
        if (m_down && ::PtInRect(&rc, at))
            Apply(m_state.Clicked(m_szURL));
        m_down = false;
        handled = true;
        const LRESULT result = ::DefSubclassProc(m_hwnd, message, wParam, lParam);
        Apply(m_state.LButtonUp());
        return result;
    }
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Apply(m_state.Clicked(m_szURL));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        return 0;
    case WM_SETCURSOR:
        if (m_cursor != nullptr) {
            ::SetCursor(m_cursor);
            handled = true;
            return TRUE;
        }
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            handled = true;
            POINT at;
            ::GetCursorPos(&at);
            ::ScreenToClient(m_hwnd, &at);
            RECT rc;
            ::GetClientRect(m_hwnd, &rc);
            Apply(m_state.Timer(::PtInRect(&rc, at) != FALSE));
        }
        return 0;
    default:
        return 0;
    }
}

void CHoverButton::ShowMenu()
{
    HMENU sub = m_menu != nullptr ? ::GetSubMenu(m_menu, 0) : nullptr;
    if (sub != nullptr) {
        if (::GetCapture() == m_hwnd)
            ::ReleaseCapture();
        RECT rc;
        ::GetWindowRect(m_hwnd, &rc);
        ::TrackPopupMenu(sub, TPM_RIGHTBUTTON, rc.left, rc.bottom, 0, ::GetParent(m_hwnd), nullptr);
    }
    Apply(m_state.MenuClosed());
}

void CHoverButton::CheckGroup()
{
    // Clears the other buttons of its group, both ways.
    HWND parent = ::GetParent(m_hwnd);
    for (BOOL previous : {FALSE, TRUE})
        for (HWND h = ::GetNextDlgGroupItem(parent, m_hwnd, previous); h != nullptr && h != m_hwnd;
             h = ::GetNextDlgGroupItem(parent, h, previous))
            ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
}

void CHoverButton::FitToContent()
{
    if (m_hwnd == nullptr)
        return;
    char text[256] = {0};
    ::GetWindowTextA(m_hwnd, text, sizeof text);
    HDC dc = ::GetDC(m_hwnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hwnd, WM_GETFONT, 0, 0)));
    RECT caption = {0, 0, 0, 0};
    if (text[0] != '\0')
        ::DrawTextA(dc, text, -1, &caption, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hwnd, dc);
    int cx = 0, cy = 0;
    CHoverButtonState::AutoSize(m_imageW, m_imageH, caption.right, caption.bottom, m_state.HasArrow(), &cx, &cy);
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    const int state = m_state.ColourState();
    HBRUSH back = ::CreateSolidBrush(enabled ? m_crBack[state] : ::GetSysColor(COLOR_BTNFACE));
    ::FillRect(dc, &rc, back);
    ::DeleteObject(back);

    switch (m_state.BorderKind()) {
    case CHoverButtonState::Border::Sunken:
        ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
        break;
    case CHoverButtonState::Border::PushFrame:
        ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
        break;
    case CHoverButtonState::Border::Raised:
        ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
        break;
    case CHoverButtonState::Border::None:
        break;
    }

    const bool arrow = m_state.HasArrow();
    const HoverRect client = ToHover(rc);
    if (m_imageList != nullptr || m_icon != nullptr) {
        int x = 0, y = 0;
        CHoverButtonState::ImagePosition(client, m_imageW, m_imageH, m_dwImageAlign, arrow, &x, &y);
        const UINT flags = enabled ? DSS_NORMAL : DSS_DISABLED;
        if (m_imageList != nullptr) {
            HICON icon = ::ImageList_GetIcon(m_imageList, 0, ILD_TRANSPARENT);
            if (icon != nullptr) {
                ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, m_imageW, m_imageH,
                             DST_ICON | flags);
                ::DestroyIcon(icon);
            }
        } else {
            ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_icon), 0, x, y, m_imageW, m_imageH,
                         DST_ICON | flags);
        }
    }

    char text[256] = {0};
    ::GetWindowTextA(m_hwnd, text, sizeof text);
    RECT textRect = rc;
    ::InflateRect(&textRect, -3, -2);
    if (arrow)
        textRect.right -= CHoverButtonState::kArrowWidth;
    if (m_state.m_bPressed)
        ::OffsetRect(&textRect, 1, 1);
    // Vertical placement needs a single line.
    UINT format = m_dwTextAlign;
    if ((format & (DT_VCENTER | DT_BOTTOM)) != 0 && std::find(text, text + sizeof text, '\n') == text + sizeof text)
        format |= DT_SINGLELINE;
    ::SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        ::SetTextColor(dc, m_crText[state]);
        ::DrawTextA(dc, text, -1, &textRect, format);
    } else {
        RECT shadow = textRect;
        ::OffsetRect(&shadow, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::DrawTextA(dc, text, -1, &shadow, format);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
        ::DrawTextA(dc, text, -1, &textRect, format);
    }

    if (arrow) {
        // The separator and the down-pointing triangle of the arrow part.
        const HoverRect part = CHoverButtonState::ArrowRect(client);
        HPEN shadowPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        HPEN lightPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        HGDIOBJ old = ::SelectObject(dc, shadowPen);
        ::MoveToEx(dc, part.left, rc.top + 3, nullptr);
        ::LineTo(dc, part.left, rc.bottom - 3);
        ::SelectObject(dc, lightPen);
        ::MoveToEx(dc, part.left + 1, rc.top + 3, nullptr);
        ::LineTo(dc, part.left + 1, rc.bottom - 3);
        ::SelectObject(dc, old);
        ::DeleteObject(shadowPen);
        ::DeleteObject(lightPen);
        HBRUSH ink = ::CreateSolidBrush(::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        for (const auto& row : CHoverButtonState::Triangle(client)) {
            RECT r = {row.x + (m_state.m_bArrowPressed ? 1 : 0), row.y + (m_state.m_bArrowPressed ? 1 : 0), 0, 0};
            r.right = r.left + row.length;
            r.bottom = r.top + 1;
            ::FillRect(dc, &r, ink);
        }
        ::DeleteObject(ink);
    }

    if ((item->itemState & ODS_FOCUS) != 0) {
        RECT focus = rc;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}
