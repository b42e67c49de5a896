#include "designer/win32/DockManager.h"

#include <commctrl.h>

namespace {

// Thickness of the gripper strip at a bar's start.
const int kGripper = 8;

// The frame's client area below the menu, as the bars see it: the whole
// client rectangle less the status bar's strip at the bottom.
RECT DockArea(HWND frame)
{
    RECT rc;
    ::GetClientRect(frame, &rc);
    for (HWND h = ::GetWindow(frame, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char cls[64] = {0};
        ::GetClassNameA(h, cls, sizeof(cls));
        if (lstrcmpiA(cls, STATUSCLASSNAMEA) == 0 && ::IsWindowVisible(h)) {
            RECT sr;
            ::GetWindowRect(h, &sr);
            rc.bottom -= sr.bottom - sr.top;
        }
    }
    return rc;
}

}  // namespace

const char* const CDockManager::kBarClass = "KivoDesignerDockBar";
const char* const CDockManager::kFloatClass = "KivoDesignerFloatBar";

bool CDockManager::RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BarProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBarClass;
    if (!::RegisterClassExA(&wc))
        return false;
    wc.lpfnWndProc = FloatProc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kFloatClass;
    return ::RegisterClassExA(&wc) != 0;
}

void CDockManager::Attach(HWND frame, HINSTANCE instance, std::function<void()> relayout)
{
    m_frame = frame;
    m_instance = instance;
    m_relayout = std::move(relayout);
}

bool CDockManager::AddBar(UINT id, HWND toolbar, int row)
{
    HWND host = ::CreateWindowExA(0, kBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                                  0, 0, m_frame, nullptr, m_instance, nullptr);
    if (host == nullptr)
        return false;
    ::SetWindowLongPtrA(host, 0, reinterpret_cast<LONG_PTR>(this));
    ::SetParent(toolbar, host);
    BarWnd bar = {id, host, toolbar, nullptr, DockSide::Top, false, {}};
    const int n = static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        TBBUTTON b = {};
        ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        RECT r = {};
        ::SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        bar.widths.push_back((b.fsStyle & BTNS_SEP) != 0 ? static_cast<int>(r.right - r.left) : 0);
    }
    CDockLayout::Bar model;
    model.id = id;
    model.row = row;
    model.horizontal = Measure(bar);
    SetVertical(bar, true);
    model.vertical = Measure(bar);
    SetVertical(bar, false);
    m_layout.Add(model);
    m_bars.push_back(bar);
    return true;
}

SIZE CDockManager::Measure(const BarWnd& bar) const
{
    SIZE size = {0, 0};
    ::SendMessageA(bar.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    if (bar.vertical)
        return SIZE{size.cx + 6, size.cy + kGripper + 4};
    return SIZE{size.cx + kGripper + 6, std::max<LONG>(size.cy + 4, 26)};
}

void CDockManager::SetVertical(BarWnd& bar, bool vertical)
{
    if (bar.vertical == vertical)
        return;
    bar.vertical = vertical;
    // Laid along a vertical side every item ends its own row; the boxes over
    // separators do not fit there and are hidden.
    const int n = static_cast<int>(::SendMessageA(bar.toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STATE | TBIF_STYLE | TBIF_SIZE;
        ::SendMessageA(bar.toolbar, TB_GETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        if (vertical)
            info.fsState |= TBSTATE_WRAP;
        else
            info.fsState &= static_cast<BYTE>(~TBSTATE_WRAP);
        if ((info.fsStyle & BTNS_SEP) != 0 && i < static_cast<int>(bar.widths.size()) && bar.widths[i] > 8) {
            info.dwMask |= TBIF_SIZE;
            info.cx = static_cast<WORD>(vertical ? 6 : bar.widths[i]);
        }
        ::SendMessageA(bar.toolbar, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
    for (HWND child = ::GetWindow(bar.toolbar, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {0};
        ::GetClassNameA(child, cls, sizeof(cls));
        if (lstrcmpiA(cls, "COMBOBOX") == 0)
            ::ShowWindow(child, vertical ? SW_HIDE : SW_SHOWNA);
    }
    ::SendMessageA(bar.toolbar, TB_AUTOSIZE, 0, 0);
}

RECT CDockManager::Arrange(const RECT& client)
{
    std::vector<CDockLayout::Placed> placed;
    const RECT rest = m_layout.Arrange(client, placed);
    for (BarWnd& bar : m_bars) {
        const CDockLayout::Bar* model = m_layout.Find(bar.id);
        if (model == nullptr || model->side == DockSide::Floating)
            continue;
        bool shown = false;
        for (const CDockLayout::Placed& p : placed) {
            if (p.id != bar.id)
                continue;
            const bool vertical = p.side == DockSide::Left || p.side == DockSide::Right;
            SetVertical(bar, vertical);
            ::MoveWindow(bar.host, p.rect.left, p.rect.top, p.rect.right - p.rect.left, p.rect.bottom - p.rect.top,
                         TRUE);
            ::MoveWindow(bar.toolbar, vertical ? 3 : kGripper + 3, vertical ? kGripper + 2 : 2,
                         p.rect.right - p.rect.left - (vertical ? 6 : kGripper + 6),
                         p.rect.bottom - p.rect.top - (vertical ? kGripper + 4 : 4), TRUE);
            shown = true;
        }
        ::ShowWindow(bar.host, shown ? SW_SHOWNA : SW_HIDE);
    }
    return rest;
}

void CDockManager::ShowBars(bool show)
{
    m_shown = show;
    m_layout.SetVisible(show);
    for (BarWnd& bar : m_bars)
        if (bar.floating != nullptr)
            ::ShowWindow(bar.floating, show ? SW_SHOWNA : SW_HIDE);
}

HWND CDockManager::BarWindow(UINT id) const
{
    for (const BarWnd& bar : m_bars)
        if (bar.id == id)
            return bar.host;
    return nullptr;
}

void CDockManager::Dock(UINT id, DockSide side)
{
    if (side == DockSide::Floating)
        return;
    for (BarWnd& bar : m_bars) {
        if (bar.id != id)
            continue;
        if (bar.floating != nullptr) {
            HWND floating = bar.floating;
            bar.floating = nullptr;
            ::SetParent(bar.host, m_frame);
            ::DestroyWindow(floating);
        }
        bar.lastDocked = side;
        m_layout.Move(id, side);
    }
    if (m_relayout)
        m_relayout();
}

void CDockManager::Float(UINT id, POINT at)
{
    for (BarWnd& bar : m_bars) {
        if (bar.id != id || bar.floating != nullptr)
            continue;
        CDockLayout::Bar* model = m_layout.Find(id);
        if (model == nullptr)
            return;
        if (model->side != DockSide::Floating)
            bar.lastDocked = model->side;
        SetVertical(bar, false);
        const SIZE size = Measure(bar);
        RECT frame = {0, 0, size.cx, size.cy};
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        const DWORD exStyle = WS_EX_TOOLWINDOW;
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        char caption[128] = {0};
        ::GetWindowTextA(bar.toolbar, caption, sizeof(caption));
        HWND floating = ::CreateWindowExA(exStyle, kFloatClass, caption, style, at.x, at.y, frame.right - frame.left,
                                          frame.bottom - frame.top, m_frame, nullptr, m_instance, nullptr);
        if (floating == nullptr)
            return;
        ::SetWindowLongPtrA(floating, 0, reinterpret_cast<LONG_PTR>(this));
        bar.floating = floating;
        model->side = DockSide::Floating;
        ::SetParent(bar.host, floating);
        ::MoveWindow(bar.host, 0, 0, size.cx, size.cy, TRUE);
        ::MoveWindow(bar.toolbar, kGripper + 3, 2, size.cx - kGripper - 6, size.cy - 4, TRUE);
        ::ShowWindow(bar.host, SW_SHOWNA);
        ::ShowWindow(floating, m_shown ? SW_SHOWNA : SW_HIDE);
    }
    if (m_relayout)
        m_relayout();
}

CDockManager::BarWnd* CDockManager::FromHost(HWND host)
{
    for (BarWnd& bar : m_bars)
        if (bar.host == host)
            return &bar;
    return nullptr;
}

CDockManager::BarWnd* CDockManager::FromFloat(HWND floating)
{
    for (BarWnd& bar : m_bars)
        if (bar.floating == floating)
            return &bar;
    return nullptr;
}

void CDockManager::EndDrag(BarWnd& bar)
{
    POINT screen;
    ::GetCursorPos(&screen);
    POINT client = screen;
    ::ScreenToClient(m_frame, &client);
    const DockSide side = CDockLayout::DropSide(DockArea(m_frame), client);
    if (side == DockSide::Floating)
        Float(bar.id, screen);
    else
        Dock(bar.id, side);
}

LRESULT CALLBACK CDockManager::BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CDockManager*>(::GetWindowLongPtrA(hwnd, 0));
    BarWnd* bar = self != nullptr ? self->FromHost(hwnd) : nullptr;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        // The gripper: two raised lines across the bar's start.
        for (int i = 0; i < 2; ++i) {
            RECT g = bar != nullptr && bar->vertical ? RECT{2, 2 + i * 3, rc.right - 2, 5 + i * 3}
                                                     : RECT{2 + i * 3, 2, 5 + i * 3, rc.bottom - 2};
            ::DrawEdge(dc, &g, BDR_RAISEDINNER, BF_RECT);
        }
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (self != nullptr && bar != nullptr) {
            ::SetCapture(hwnd);
            self->m_dragging = hwnd;
        }
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL)));
        return TRUE;
    case WM_LBUTTONUP:
        if (self != nullptr && self->m_dragging == hwnd) {
            self->m_dragging = nullptr;
            ::ReleaseCapture();
            if (bar != nullptr)
                self->EndDrag(*bar);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (self != nullptr && self->m_dragging == hwnd)
            self->m_dragging = nullptr;
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // The toolbar's buttons, tips and drop-downs are the frame's.
        if (self != nullptr)
            return ::SendMessageA(self->m_frame, message, wParam, lParam);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CDockManager::FloatProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CDockManager*>(::GetWindowLongPtrA(hwnd, 0));
    switch (message) {
    case WM_CLOSE:
    case WM_NCLBUTTONDBLCLK:
        // Closing or double clicking the caption docks the bar where it was.
        if (message == WM_NCLBUTTONDBLCLK && wParam != HTCAPTION)
            break;
        if (self != nullptr) {
            if (BarWnd* bar = self->FromFloat(hwnd))
                self->Dock(bar->id, bar->lastDocked);
        }
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        if (self != nullptr)
            return ::SendMessageA(self->m_frame, message, wParam, lParam);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
