// CColourPopup: the palette popup of 40 colours with its default and custom
// boxes (the layout, navigation and chosen entry come from
// cells/ColourPalette.h). It captures the mouse while it is open, ends on a
// release, Enter, Space or Esc, and runs the system's colour dialog for the
// custom box.
#include "cells/win32/FormatWindows.h"

#include "base/Cp936.h"
#include "cells/ColourPalette.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <memory>

const char kColourPopupClass[] = "KivoColourPopup";

namespace {

class CColourPopup {
public:
    CColourPopup(COLORREF initial, HWND owner, COLORREF defaultValue, const std::string& defaultText,
                 const std::string& customText)
        : m_initial(initial), m_current(initial), m_defaultValue(defaultValue), m_owner(owner),
          m_defaultText(defaultText), m_customText(customText)
    {
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = sizeof ncm;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            m_font = ::CreateFontIndirectW(&ncm.lfMessageFont);
    }
    ~CColourPopup()
    {
        if (m_font != nullptr)
            ::DeleteObject(m_font);
    }

    HWND Create(POINT topLeft);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void DrawEntry(HDC dc, int entry);
    CRect EntryRect(int entry) const;
    void SetCurrent(int entry);
    void End(UINT msg);

    HWND m_hwnd = nullptr;
    HWND m_tip = nullptr;
    COLORREF m_initial;
    COLORREF m_current;
    COLORREF m_defaultValue;
    HWND m_owner;
    std::string m_defaultText;
    std::string m_customText;
    HFONT m_font = nullptr;
    palette::Layout m_layout;
    int m_nCurrent = palette::kNoEntry;
    int m_nChosen = palette::kNoEntry;
    bool m_bDialogOpen = false;
    bool m_bEnded = false;
    // Expires when the popup is deleted (with its window, which may go with
    // its owner while one of its own messages or the colour dialog runs).
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

std::wstring Wide(const std::string& ansi)
{
    const std::u16string u = cp936::ToUtf16(ansi);
    return std::wstring(u.begin(), u.end());
}

HWND CColourPopup::Create(POINT topLeft)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.style = CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &CColourPopup::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kColourPopupClass;
        registered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    // Texts are measured in the popup's font.
    int textWidth = 0, textHeight = 0;
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, m_font != nullptr ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    for (const std::string* text : {&m_defaultText, &m_customText}) {
        if (text->empty())
            continue;
        const std::wstring w = Wide(*text);
        SIZE size = {};
        ::GetTextExtentPoint32W(screen, w.c_str(), static_cast<int>(w.size()), &size);
        textWidth = size.cx > textWidth ? size.cx : textWidth;
        textHeight = size.cy > textHeight ? size.cy : textHeight;
    }
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    m_layout = palette::MakeLayout(::GetSystemMetrics(SM_CXEDGE), !m_defaultText.empty(), !m_customText.empty(),
                                   textWidth, textHeight);

    RECT ownerRect = {topLeft.x, topLeft.y, topLeft.x, topLeft.y};
    if (m_owner != nullptr)
        ::GetWindowRect(m_owner, &ownerRect);
    const CRect screenRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CRect placed = palette::Place(CPoint(topLeft.x, topLeft.y),
                                        CSize(m_layout.window.Width(), m_layout.window.Height()), screenRect,
                                        ownerRect.top);
    m_hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kColourPopupClass, "", WS_POPUP, placed.left, placed.top,
                               placed.Width(), placed.Height(), m_owner, nullptr, ::GetModuleHandleA(nullptr), this);
    if (m_hwnd == nullptr)
        return nullptr;

    // One tool tip per colour cell: the colour's name.
    m_tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, m_hwnd,
                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_tip != nullptr) {
        for (int i = 0; i < palette::kColours; ++i) {
            TOOLINFOA ti = {};
            ti.cbSize = sizeof ti;
            ti.uFlags = 0;
            ti.hwnd = m_hwnd;
            ti.uId = static_cast<UINT_PTR>(i + 1);
            const CRect r = m_layout.CellRect(i);
            ti.rect = r;
            ti.lpszText = const_cast<char*>(palette::At(i).name);
            ::SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    m_nChosen = palette::ChosenEntry(m_initial, ::GetSysColor(COLOR_WINDOW), !m_defaultText.empty(),
                                     !m_customText.empty());
    m_nCurrent = m_nChosen;
    if (m_nCurrent == palette::kDefaultBox)
        m_current = m_defaultValue;            // Enter at once chooses the default
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::SetFocus(m_hwnd);
    ::SetCapture(m_hwnd);
    return m_hwnd;
}

LRESULT CALLBACK CColourPopup::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CColourPopup* self = reinterpret_cast<CColourPopup*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<CColourPopup*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (self->m_tip != nullptr && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        MSG m = {hwnd, msg, wParam, lParam, 0, {0, 0}};
        ::SendMessageA(self->m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    }
    const std::weak_ptr<int> alive = self->m_alive;
    const LRESULT result = self->Handle(msg, wParam, lParam);
    if (alive.expired())
        return result;                            // the popup went while handling the message
    // The popup keeps the mouse while it is open.
    if (::IsWindow(hwnd) && !self->m_bEnded && !self->m_bDialogOpen && ::GetCapture() != hwnd &&
        msg != WM_DESTROY && ::IsWindowVisible(hwnd))
        ::SetCapture(hwnd);
    return result;
}

CRect CColourPopup::EntryRect(int entry) const
{
    if (entry == palette::kDefaultBox)
        return m_layout.defaultBox;
    if (entry == palette::kCustomBox)
        return m_layout.customBox;
    return m_layout.CellRect(entry);
}

void CColourPopup::DrawEntry(HDC dc, int entry)
{
    CRect r = EntryRect(entry);
    if (r.IsRectEmpty())
        return;
    const bool current = entry == m_nCurrent;
    const bool chosen = entry == m_nChosen;
    const bool box = entry == palette::kDefaultBox || entry == palette::kCustomBox;
    const int fill = chosen && !current ? (box ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT) : COLOR_BTNFACE;
    ::FillRect(dc, &r, ::GetSysColorBrush(fill));
    RECT edge = r;
    if (current)
        ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    const int inset = m_layout.nMargin + 1;
    if (box) {
        if (entry == palette::kDefaultBox) {
            HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
            HGDIOBJ oldPen = ::SelectObject(dc, pen);
            HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
            ::Rectangle(dc, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
            ::SelectObject(dc, oldBrush);
            ::SelectObject(dc, oldPen);
            ::DeleteObject(pen);
        }
        const std::wstring text = Wide(entry == palette::kDefaultBox ? m_defaultText : m_customText);
        HGDIOBJ oldFont = ::SelectObject(dc, m_font != nullptr ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        RECT t = r;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
        return;
    }
    HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HBRUSH brush = ::CreateSolidBrush(palette::At(entry).colour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(brush);
    ::DeleteObject(pen);
}

void CColourPopup::Paint(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hwnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    for (int i = 0; i < palette::kColours; ++i)
        DrawEntry(dc, i);
    DrawEntry(dc, palette::kDefaultBox);
    if (!m_layout.customBox.IsRectEmpty()) {
        RECT line = {m_layout.customBox.left, m_layout.customBox.top - m_layout.nMargin,
                     m_layout.customBox.right, m_layout.customBox.top - m_layout.nMargin + 2};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        DrawEntry(dc, palette::kCustomBox);
    }
}

void CColourPopup::SetCurrent(int entry)
{
    if (entry == m_nCurrent || (entry == palette::kDefaultBox && m_layout.defaultBox.IsRectEmpty()) ||
        (entry == palette::kCustomBox && m_layout.customBox.IsRectEmpty()))
        return;
    const int previous = m_nCurrent;
    m_nCurrent = entry;
    HDC dc = ::GetDC(m_hwnd);
    if (previous != palette::kNoEntry)
        DrawEntry(dc, previous);
    DrawEntry(dc, entry);
    ::ReleaseDC(m_hwnd, dc);
    const palette::CurrentColours c =
        palette::ColoursForEntry(entry, m_current, m_initial, m_defaultValue, ::GetSysColor(COLOR_WINDOW));
    m_current = c.current;
    if (m_owner != nullptr)
        ::SendMessageA(m_owner, palette::MSG_SELCHANGE, c.notified, 0);
}

void CColourPopup::End(UINT msg)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    ::ReleaseCapture();
    if (msg == palette::MSG_SELENDOK && m_nCurrent == palette::kCustomBox) {
        m_bDialogOpen = true;
        static COLORREF custom[16] = {};
        CHOOSECOLORA cc = {};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = m_hwnd;
        cc.rgbResult = m_initial;
        cc.lpCustColors = custom;
        cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
        const std::weak_ptr<int> alive = m_alive;
        const BOOL chosen = ::ChooseColorA(&cc);
        if (alive.expired())
            return;                               // the popup went with its owner while the dialog ran
        if (chosen)
            m_current = cc.rgbResult;
        else
            msg = palette::MSG_SELENDCANCEL;
        m_bDialogOpen = false;
    }
    const HWND hwnd = m_hwnd;
    if (m_owner != nullptr && ::IsWindow(m_owner)) {
        if (msg == palette::MSG_SELENDOK)
            ::SendMessageA(m_owner, msg, m_current, m_nCurrent == palette::kDefaultBox ? 1 : 0);
        else
            ::SendMessageA(m_owner, msg, m_initial, 0);
    }
    if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}

LRESULT CColourPopup::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hwnd, &ps);
        Paint(dc);
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_MOUSEMOVE: {
        const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        const int entry = m_layout.HitTest(pt);
        if (entry != palette::kNoEntry)
            SetCurrent(entry);
        return 0;
    }
    case WM_LBUTTONUP: {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(m_hwnd, &pt);
        RECT window;
        ::GetWindowRect(m_hwnd, &window);
        End(::PtInRect(&window, pt) ? palette::MSG_SELENDOK : palette::MSG_SELENDCANCEL);
        return 0;
    }
    case WM_KEYDOWN: {
        const bool def = !m_layout.defaultBox.IsRectEmpty();
        const bool custom = !m_layout.customBox.IsRectEmpty();
        const int from = m_nCurrent == palette::kNoEntry ? 0 : m_nCurrent;
        switch (wParam) {
        case VK_DOWN: SetCurrent(palette::Navigate(palette::Key::Down, from, def, custom)); return 0;
        case VK_UP: SetCurrent(palette::Navigate(palette::Key::Up, from, def, custom)); return 0;
        case VK_RIGHT: SetCurrent(palette::Navigate(palette::Key::Right, from, def, custom)); return 0;
        case VK_LEFT: SetCurrent(palette::Navigate(palette::Key::Left, from, def, custom)); return 0;
        case VK_RETURN:
        case VK_SPACE: End(palette::MSG_SELENDOK); return 0;
        case VK_ESCAPE:
            m_current = m_initial;
            End(palette::MSG_SELENDCANCEL);
            return 0;
        default: break;
        }
        break;
    }
    case WM_KILLFOCUS:
        ::ReleaseCapture();
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            End(palette::MSG_SELENDCANCEL);
        return 0;
    case WM_QUERYNEWPALETTE:
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != m_hwnd)
            ::InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

}  // namespace

HWND OpenColourPopup(POINT topLeft, COLORREF initial, HWND owner, COLORREF defaultValue,
                     const std::string& defaultText, const std::string& customText)
{
    CColourPopup* popup = new CColourPopup(initial, owner, defaultValue, defaultText, customText);
    HWND hwnd = popup->Create(topLeft);
    if (hwnd == nullptr)
        delete popup;       // no window: nothing else owns it
    return hwnd;
}
