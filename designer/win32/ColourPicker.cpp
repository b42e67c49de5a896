// The colour button and its pop-up palette on the system's windows.
#include "designer/win32/ColourPicker.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace {

const char kPopupClass[] = "KivoColourPopup";
const char kPickerProp[] = "KivoColourPicker";
const char kLabelProp[] = "KivoColourLabel";
const int kCell = 18;

// The palette window: cells in rows of eight, the "Custom..." button under
// them, a tool tip per cell. It lives for one drop-down; the picker's loop
// feeds it the messages.
class CXColourPopup {
public:
    CXColourPopup(CColourPickerState& state, const CString& customText) : m_palette(state.CustomColours()),
        m_state(state), m_customText(customText) {}
    ~CXColourPopup()
    {
        if (m_tips != nullptr)
            ::DestroyWindow(m_tips);
        if (m_hwnd != nullptr)
            ::DestroyWindow(m_hwnd);
        if (m_font != nullptr)
            ::DeleteObject(m_font);
    }

    bool Create(HWND owner, const RECT& under)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc = {};
            wc.style = CS_SAVEBITS;
            wc.lpfnWndProc = ::DefWindowProcA;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
            wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
            wc.lpszClassName = kPopupClass;
            registered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        }
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            m_font = ::CreateFontIndirectA(&ncm.lfMessageFont);
        m_margin = CColourPalette::Margin(::GetSystemMetrics(SM_CXEDGE));
        const int rows = m_palette.Rows();
        const int width = CColourPalette::kColumns * kCell + 2 * m_margin + 4;
        m_customRect = {m_margin + 2, m_margin + 2 + rows * kCell + m_margin, width - m_margin - 2,
                        m_margin + 2 + rows * kCell + m_margin + 22};
        const int height = m_customRect.bottom + m_margin + 2;
        int x = under.left, y = under.bottom;
        const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
        if (x + width > screenW)
            x = std::max(0, screenW - width);
        if (y + height > screenH)
            y = std::max(0, static_cast<int>(under.top) - height);
        m_hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP | WS_VISIBLE, x, y,
                                   width, height, owner, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (m_hwnd == nullptr)
            return false;
        m_tips = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                   m_hwnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (m_tips != nullptr) {
            for (int i = 0; i <= m_palette.Count(); ++i) {
                TOOLINFOA ti = {};
                ti.cbSize = TTTOOLINFOA_V1_SIZE;
                ti.uFlags = TTF_SUBCLASS;
                ti.hwnd = m_hwnd;
                ti.uId = static_cast<UINT_PTR>(i + 1);
                ti.rect = i < m_palette.Count() ? CellRect(i) : m_customRect;
                ti.lpszText = const_cast<char*>(i < m_palette.Count() ? m_palette.Entry(i).name
                                                                      : "Selects a custom color");
                ::SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            }
        }
        m_selection = m_palette.Find(m_state.GetColour());
        ::SetCapture(m_hwnd);
        Paint();
        return true;
    }

    HWND Hwnd() const { return m_hwnd; }

    // Handles one message of the drop-down loop; false when the palette ended.
    bool Handle(MSG& msg)
    {
        if (m_tips != nullptr && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            MSG relay = msg;
            relay.hwnd = m_hwnd;
            ::SendMessageA(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            const int hit = HitTest(ClientPoint(msg));
            if (hit != -1 && hit != m_selection)
                Select(hit);
            return true;
        }
        case WM_LBUTTONUP: {
            POINT pt = ClientPoint(msg);
            RECT rc;
            ::GetClientRect(m_hwnd, &rc);
            if (!::PtInRect(&rc, pt)) {
                if (m_armed) {
                    m_state.Cancel();
                    return false;
                }
                return true;
            }
            const int hit = HitTest(pt);
            if (hit == CColourPalette::kCustomButton)
                return Custom();
            if (hit >= 0) {
                m_state.Confirm(m_palette.Entry(hit).colour);
                return false;
            }
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            m_armed = true;
            POINT pt = ClientPoint(msg);
            RECT rc;
            ::GetClientRect(m_hwnd, &rc);
            if (!::PtInRect(&rc, pt)) {
                m_state.Cancel();
                return false;
            }
            return true;
        }
        case WM_KEYDOWN:
            switch (msg.wParam) {
            case VK_ESCAPE: m_state.Cancel(); return false;
            case VK_RETURN:
            case VK_SPACE:
                if (m_selection == CColourPalette::kCustomButton)
                    return Custom();
                m_state.Confirm(m_selection >= 0 ? m_palette.Entry(m_selection).colour : m_state.GetColour());
                return false;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN: Select(m_palette.Move(m_selection, static_cast<UINT>(msg.wParam))); return true;
            default: return true;
            }
        case WM_CANCELMODE:
            m_state.Cancel();
            return false;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (msg.message == WM_PAINT && msg.hwnd == m_hwnd)
                Paint();
            return true;
        }
    }

    void Paint()
    {
        HDC dc = ::GetDC(m_hwnd);
        RECT rc;
        ::GetClientRect(m_hwnd, &rc);
        ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
        ::DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
        for (int i = 0; i < m_palette.Count(); ++i) {
            RECT cell = CellRect(i);
            if (i == m_selection) {
                ::DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
            } else if (m_palette.Entry(i).colour == m_state.GetColour()) {
                ::DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
            }
            RECT swatch = cell;
            ::InflateRect(&swatch, -m_margin - 1, -m_margin - 1);
            ::FrameRect(dc, &swatch, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            ::InflateRect(&swatch, -1, -1);
            const COLORREF c = m_palette.Entry(i).colour;
            if (c != kColourUnset) {
                HBRUSH b = ::CreateSolidBrush(c);
                ::FillRect(dc, &swatch, b);
                ::DeleteObject(b);
            }
        }
        RECT custom = m_customRect;
        ::DrawEdge(dc, &custom, m_selection == CColourPalette::kCustomButton ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        HGDIOBJ old = m_font != nullptr ? ::SelectObject(dc, m_font) : nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextA(dc, m_customText, -1, &custom, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old != nullptr)
            ::SelectObject(dc, old);
        ::ReleaseDC(m_hwnd, dc);
        ::ValidateRect(m_hwnd, nullptr);
    }

private:
    RECT CellRect(int i) const
    {
        const int x = m_margin + 2 + (i % CColourPalette::kColumns) * kCell;
        const int y = m_margin + 2 + (i / CColourPalette::kColumns) * kCell;
        return {x, y, x + kCell, y + kCell};
    }
    POINT ClientPoint(const MSG& msg) const
    {
        POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd != m_hwnd)
            ::MapWindowPoints(msg.hwnd, m_hwnd, &pt, 1);
        return pt;
    }
    int HitTest(POINT pt) const
    {
        if (::PtInRect(&m_customRect, pt))
            return CColourPalette::kCustomButton;
        for (int i = 0; i < m_palette.Count(); ++i) {
            RECT cell = CellRect(i);
            if (::PtInRect(&cell, pt))
                return i;
        }
        return -1;
    }
    void Select(int index)
    {
        m_selection = index;
        if (index >= 0)
            m_state.Hover(m_palette.Entry(index).colour);
        Paint();
    }
    bool Custom()
    {
        ::ReleaseCapture();
        ::ShowWindow(m_hwnd, SW_HIDE);
        CHOOSECOLORA cc = {};
        cc.lStructSize = sizeof(cc);
        cc.hwndOwner = ::GetParent(m_hwnd) != nullptr ? ::GetParent(m_hwnd) : ::GetWindow(m_hwnd, GW_OWNER);
        cc.rgbResult = m_state.GetColour();
        cc.lpCustColors = m_state.CustomColours();
        cc.Flags = CC_FULLOPEN | CC_RGBINIT;
        if (::ChooseColorA(&cc))
            m_state.Confirm(cc.rgbResult);
        else
            m_state.Cancel();
        return false;
    }

    CColourPalette m_palette;
    CColourPickerState& m_state;
    CString m_customText;
    HWND m_hwnd = nullptr;
    HWND m_tips = nullptr;
    HFONT m_font = nullptr;
    RECT m_customRect = {0, 0, 0, 0};
    int m_margin = 2;
    int m_selection = -1;
    bool m_armed = false;
};

}  // namespace

CXColourPicker::CXColourPicker()
    : m_state([this](UINT message, COLORREF colour) { Notify(message, colour); }), m_customText("Custom...")
{
}

CXColourPicker::~CXColourPicker()
{
    if (m_hwnd != nullptr && ::IsWindow(m_hwnd)) {
        ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        ::RemovePropA(m_hwnd, kPickerProp);
    }
}

BOOL CXColourPicker::SubclassDlgItem(UINT id, HWND dialog)
{
    HWND hwnd = ::GetDlgItem(dialog, static_cast<int>(id));
    if (hwnd == nullptr || m_hwnd != nullptr)
        return FALSE;
    m_hwnd = hwnd;
    ::SetPropA(hwnd, kPickerProp, this);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CXColourPicker::Proc)));
    m_state.Enable(::IsWindowEnabled(hwnd) != FALSE);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

void CXColourPicker::SetColour(COLORREF colour)
{
    m_state.SetColour(colour);
    if (m_hwnd != nullptr)
        ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CXColourPicker::Notify(UINT message, COLORREF colour)
{
    if (m_hwnd == nullptr)
        return;
    HWND parent = ::GetParent(m_hwnd);
    if (parent != nullptr)
        ::SendMessageA(parent, message, static_cast<WPARAM>(colour),
                       static_cast<LPARAM>(::GetDlgCtrlID(m_hwnd)));
}

void CXColourPicker::DropDown()
{
    if (m_hwnd == nullptr || m_dropped || !m_state.IsEnabled())
        return;
    m_dropped = true;
    RECT rc;
    ::GetWindowRect(m_hwnd, &rc);
    CXColourPopup popup(m_state, m_customText);
    if (!popup.Create(::GetParent(m_hwnd), rc)) {
        m_dropped = false;
        return;
    }
    m_state.Opened();
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    MSG msg;
    bool open = true;
    while (open) {
        if (::GetCapture() != popup.Hwnd()) {
            // Another window took the mouse (a system dialog, a switch away).
            m_state.Cancel();
            break;
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            m_state.Cancel();
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        const bool own = msg.hwnd == popup.Hwnd() || msg.hwnd == m_hwnd;
        const bool input = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                           (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST);
        if (input || own || msg.message == WM_CANCELMODE) {
            open = popup.Handle(msg);
            if (m_state.GetTrackSelection())
                ::InvalidateRect(m_hwnd, nullptr, TRUE);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (::GetCapture() == popup.Hwnd())
        ::ReleaseCapture();
    m_dropped = false;
    if (m_state.IsOpen())
        m_state.Cancel();
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CXColourPicker::Paint(HDC dc)
{
    RECT rc;
    ::GetClientRect(m_hwnd, &rc);
    const bool pushed = m_dropped;
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &rc, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int arrow = std::max(::GetSystemMetrics(SM_CXHTHUMB) / 3 + 2, ::GetSystemMetrics(SM_CYVTHUMB) / 3 + 2);
    RECT swatch = rc;
    ::InflateRect(&swatch, -4, -4);
    swatch.right -= arrow + 4;
    if (swatch.right > swatch.left) {
        ::DrawEdge(dc, &swatch, EDGE_SUNKEN, BF_RECT);
        ::InflateRect(&swatch, -2, -2);
        HBRUSH b = ::CreateSolidBrush(m_state.ShownColour());
        ::FillRect(dc, &swatch, b);
        ::DeleteObject(b);
    }
    // The drop arrow: a small filled triangle right of the swatch.
    const int cx = rc.right - 4 - arrow / 2 - 2, cy = (rc.top + rc.bottom) / 2;
    POINT tri[3] = {{cx - arrow / 2, cy - arrow / 4}, {cx + arrow / 2, cy - arrow / 4}, {cx, cy + arrow / 4}};
    const COLORREF ink = m_state.IsEnabled() ? ::GetSysColor(COLOR_BTNTEXT) : ::GetSysColor(COLOR_GRAYTEXT);
    HBRUSH b = ::CreateSolidBrush(ink);
    HPEN p = ::CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ ob = ::SelectObject(dc, b), op = ::SelectObject(dc, p);
    ::Polygon(dc, tri, 3);
    ::SelectObject(dc, ob);
    ::SelectObject(dc, op);
    ::DeleteObject(b);
    ::DeleteObject(p);
    if (::GetFocus() == m_hwnd) {
        RECT focus = rc;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}

LRESULT CXColourPicker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hwnd, &ps);
        Paint(dc);
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT rc;
        ::GetClientRect(m_hwnd, &rc);
        HBRUSH b = ::CreateSolidBrush(m_state.ShownColour());
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
        ::DeleteObject(b);
        return TRUE;
    }
    case WM_ENABLE:
        m_state.Enable(wParam != 0);
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hwnd);
        DropDown();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN || wParam == VK_F4) {
            DropDown();
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN) {
            DropDown();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_WANTALLKEYS * (m_dropped ? 1 : 0);
    case BM_CLICK:
        DropDown();
        return 0;
    case WM_NCDESTROY: {
        WNDPROC old = m_oldProc;
        HWND hwnd = m_hwnd;
        ::RemovePropA(hwnd, kPickerProp);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        m_hwnd = nullptr;
        return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
    }
    default: break;
    }
    return ::CallWindowProcA(m_oldProc, m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CXColourPicker::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CXColourPicker*>(::GetPropA(hwnd, kPickerProp));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

BOOL CColourLabel::SubclassDlgItem(UINT id, HWND dialog)
{
    HWND hwnd = ::GetDlgItem(dialog, static_cast<int>(id));
    if (hwnd == nullptr || m_hwnd != nullptr)
        return FALSE;
    m_hwnd = hwnd;
    ::SetPropA(hwnd, kLabelProp, this);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CColourLabel::Proc)));
    return TRUE;
}

CColourLabel::~CColourLabel()
{
    if (m_hwnd != nullptr && ::IsWindow(m_hwnd)) {
        ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        ::RemovePropA(m_hwnd, kLabelProp);
    }
}

void CColourLabel::Invalidate()
{
    if (m_hwnd != nullptr)
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

LRESULT CALLBACK CColourLabel::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CColourLabel*>(::GetPropA(hwnd, kLabelProp));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        HBRUSH b = ::CreateSolidBrush(self->m_back);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
        ::DeleteObject(b);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        HBRUSH b = ::CreateSolidBrush(self->m_back);
        ::FillRect(dc, &rc, b);
        ::DeleteObject(b);
        if (self->m_icon != nullptr) {
            const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
            ::DrawIconEx(dc, (rc.right - cx) / 2, (rc.bottom - cy) / 2, self->m_icon, cx, cy, 0, nullptr,
                         DI_NORMAL);
        } else {
            char text[1024] = {0};
            ::GetWindowTextA(hwnd, text, sizeof(text));
            const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
            UINT format = DT_LEFT;
            if ((style & 3) == SS_CENTER)
                format = DT_CENTER;
            else if ((style & 3) == SS_RIGHT)
                format = DT_RIGHT;
            format |= (style & SS_CENTERIMAGE) != 0 ? (DT_VCENTER | DT_SINGLELINE) : DT_WORDBREAK;
            HGDIOBJ old = self->m_font != nullptr ? ::SelectObject(dc, self->m_font) : nullptr;
            ::SetTextColor(dc, self->m_text);
            ::SetBkColor(dc, self->m_back);
            ::SetBkMode(dc, OPAQUE);
            ::DrawTextA(dc, text, -1, &rc, format);
            if (old != nullptr)
                ::SelectObject(dc, old);
        }
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY: {
        WNDPROC old = self->m_oldProc;
        ::RemovePropA(hwnd, kLabelProp);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        self->m_hwnd = nullptr;
        return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
    }
    default: return ::CallWindowProcA(self->m_oldProc, hwnd, message, wParam, lParam);
    }
}
