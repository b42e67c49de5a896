// Windows of the host build: in-process records with the system's rules for
// creation, destruction, messages, focus, capture, timers, invalid areas,
// positions and scroll bars.
#include "platform/headless/HeadlessInternal.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"
#include "platform/WndInternal.h"

#include <algorithm>
#include <cctype>
#include <cstring>

void PlatformForgetTempDC(HDC hDC);

namespace headless {

namespace {

std::string LowerName(LPCTSTR name)
{
    std::string lower = name ? name : "";
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool Empty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersect(const RECT& a, const RECT& b)
{
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (Empty(r))
        r = RECT{0, 0, 0, 0};
    return r;
}

RECT Union(const RECT& a, const RECT& b)
{
    if (Empty(a))
        return b;
    if (Empty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// Widths of the frame around the client area, each side.
RECT NonClient(const Window* w)
{
    RECT nc = {0, 0, 0, 0};
    auto add = [&nc](int n) {
        nc.left += n;
        nc.top += n;
        nc.right += n;
        nc.bottom += n;
    };
    DWORD style = w->style;
    if (style & WS_THICKFRAME)
        add(GetSystemMetrics(SM_CXFRAME));
    else if (style & WS_DLGFRAME)
        add(GetSystemMetrics(SM_CXDLGFRAME));
    else if (style & WS_BORDER)
        add(GetSystemMetrics(SM_CXBORDER));
    if ((style & WS_CAPTION) == WS_CAPTION)
        nc.top += GetSystemMetrics(SM_CYCAPTION);
    if (w->exStyle & WS_EX_CLIENTEDGE)
        add(GetSystemMetrics(SM_CXEDGE));
    if (w->exStyle & WS_EX_STATICEDGE)
        add(GetSystemMetrics(SM_CXBORDER));
    if (style & WS_VSCROLL)
        nc.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        nc.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return nc;
}

POINT WindowOriginOnScreen(const Window* w)
{
    POINT p = {w->rect.left, w->rect.top};
    if ((w->style & WS_CHILD) && w->parent) {
        if (const Window* parent = FindWindow(w->parent)) {
            POINT origin = ClientOriginOnScreen(parent);
            p.x += origin.x;
            p.y += origin.y;
        }
    }
    return p;
}

void SendSizeIfChanged(HWND hwnd, int oldWidth, int oldHeight)
{
    Window* w = FindWindow(hwnd);
    if (!w)
        return;
    RECT client = ClientRectOf(w);
    if (client.right != oldWidth || client.bottom != oldHeight) {
        w->pixels.Resize(w->keepPixels ? client.right : 0, w->keepPixels ? client.bottom : 0);
        Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
}

std::vector<HWND>& SiblingList(Window* w)
{
    if ((w->style & WS_CHILD) && w->parent) {
        if (Window* parent = FindWindow(w->parent))
            return parent->children;
    }
    return S().topLevel;
}

void Unlink(Window* w)
{
    std::vector<HWND>& list = SiblingList(w);
    list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
}

const ClassInfo* EnsureClass(LPCTSTR name)
{
    State& s = S();
    std::string key = LowerName(name);
    auto it = s.classes.find(key);
    if (it != s.classes.end())
        return it->second.get();
    PlatformRegisterWindowClass(name, CS_DBLCLKS, PlatformLoadCursor(IDC_ARROW), COLOR_WINDOW + 1);
    return s.classes[key].get();
}

HWND HitTestChildren(HWND parent, POINT screen)
{
    Window* w = FindWindow(parent);
    if (!w)
        return nullptr;
    for (HWND child : w->children) {
        Window* c = FindWindow(child);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        POINT o = WindowOriginOnScreen(c);
        if (screen.x >= o.x && screen.x < o.x + (c->rect.right - c->rect.left) && screen.y >= o.y &&
            screen.y < o.y + (c->rect.bottom - c->rect.top)) {
            HWND deeper = HitTestChildren(child, screen);
            return deeper ? deeper : child;
        }
    }
    return nullptr;
}

}  // namespace

Window* FindWindow(HWND hwnd)
{
    if (hwnd == nullptr)
        return nullptr;
    State& s = S();
    auto it = s.byHandle.find(hwnd);
    return it == s.byHandle.end() ? nullptr : it->second;
}

RECT ClientRectOf(const Window* w)
{
    RECT nc = NonClient(w);
    int width = (w->rect.right - w->rect.left) - nc.left - nc.right;
    int height = (w->rect.bottom - w->rect.top) - nc.top - nc.bottom;
    return RECT{0, 0, std::max(0, width), std::max(0, height)};
}

POINT ClientOriginOnScreen(const Window* w)
{
    POINT p = WindowOriginOnScreen(w);
    RECT nc = NonClient(w);
    p.x += nc.left;
    p.y += nc.top;
    return p;
}

bool IsShown(const Window* w)
{
    while (w) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (!(w->style & WS_CHILD))
            return true;
        w = FindWindow(w->parent);
    }
    return false;
}

Surface* WindowSurface(Window* w)
{
    if (!w || !w->keepPixels)
        return nullptr;
    RECT client = ClientRectOf(w);
    if (w->pixels.width != client.right || w->pixels.height != client.bottom)
        w->pixels.Resize(client.right, client.bottom);
    return &w->pixels;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!FindWindow(hwnd))
        return 0;
    int& depth = PlatformDispatchDepth();
    ++depth;
    LRESULT result;
    if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd))
        result = wnd->WindowProc(message, wParam, lParam);
    else
        result = DefProc(hwnd, message, wParam, lParam);
    --depth;
    return result;
}

void Invalidate(Window* w, const RECT* rect, bool erase)
{
    RECT client = ClientRectOf(w);
    RECT area = rect ? Intersect(*rect, client) : client;
    w->invalidations.push_back({area, erase});
    if (!w->redraw || !IsShown(w) || Empty(area))
        return;
    w->update = w->hasUpdate ? Union(w->update, area) : area;
    w->hasUpdate = true;
    w->updateErase = w->updateErase || erase;
}

void PaintNow(Window* w)
{
    if (!w->hasUpdate || !IsShown(w))
        return;
    ++w->paints;
    Send(w->handle, WM_PAINT, 0, 0);
}

HDC BeginPaintDC(HWND hwnd, PAINTSTRUCT* ps)
{
    Window* w = FindWindow(hwnd);
    if (!w || !ps)
        return nullptr;
    std::memset(ps, 0, sizeof(*ps));
    RECT area = w->hasUpdate ? w->update : RECT{0, 0, 0, 0};
    bool erase = w->hasUpdate && w->updateErase;
    w->hasUpdate = false;
    w->updateErase = false;
    w->update = RECT{0, 0, 0, 0};
    DCImpl* dc = NewDC(DCImpl::Kind::Window, hwnd, ClientRectOf(w));
    dc->attr.hasClip = true;
    dc->attr.clip = area;
    ps->hdc = reinterpret_cast<HDC>(dc);
    ps->rcPaint = area;
    ps->fErase = FALSE;
    if (erase)
        ps->fErase = Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) == 0;
    return ps->hdc;
}

void EndPaintDC(HWND, const PAINTSTRUCT* ps)
{
    if (!ps || !ps->hdc)
        return;
    PlatformForgetTempDC(ps->hdc);
    FreeDC(reinterpret_cast<DCImpl*>(ps->hdc));
}

LRESULT DefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindWindow(hwnd);
    if (!w)
        return 0;
    bool child = (w->style & WS_CHILD) && w->parent;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaintDC(hwnd, &ps);
        EndPaintDC(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (!w->cls || w->cls->background == 0 || wParam == 0)
            return 0;
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        RECT area;
        dc->GetClipBox(&area);
        CBrush* brush = CBrush::FromHandle(GetSysColorBrush(w->cls->background - 1));
        dc->FillRect(&area, brush);
        return 1;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        int size = static_cast<int>(wParam);
        if (!buffer || size <= 0)
            return 0;
        int n = std::min<int>(size - 1, static_cast<int>(w->text.size()));
        std::memcpy(buffer, w->text.data(), static_cast<size_t>(n));
        buffer[n] = '\0';
        return n;
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        Destroy(hwnd);
        return 0;
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        return 0;
    case WM_NCHITTEST: {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        POINT origin = ClientOriginOnScreen(w);
        RECT client = ClientRectOf(w);
        if (p.x >= origin.x && p.x < origin.x + client.right && p.y >= origin.y && p.y < origin.y + client.bottom)
            return HTCLIENT;
        POINT wo = WindowOriginOnScreen(w);
        if (p.x >= wo.x && p.x < wo.x + (w->rect.right - w->rect.left) && p.y >= wo.y &&
            p.y < wo.y + (w->rect.bottom - w->rect.top))
            return HTBORDER;
        return HTNOWHERE;
    }
    case WM_SETCURSOR:
        if (child && Send(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT && w->cls && w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (child)
            return Send(w->parent, message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        if (child) {
            LRESULT r = Send(w->parent, message, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam))) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW
                                                                                                  : COLOR_BTNFACE));
        }
        int index = (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) ? COLOR_WINDOW : COLOR_BTNFACE;
        return reinterpret_cast<LRESULT>(GetSysColorBrush(index));
    }
    default:
        return 0;
    }
}

BOOL Destroy(HWND hwnd, bool sendDestroy)
{
    Window* w = FindWindow(hwnd);
    if (!w || w->destroying)
        return FALSE;
    w->destroying = true;
    w->style &= ~WS_VISIBLE;
    State& s = S();
    if (s.capture == hwnd) {
        s.capture = nullptr;
        Send(hwnd, WM_CAPTURECHANGED, 0, 0);
    }
    if (s.focus == hwnd) {
        s.focus = nullptr;
        Send(hwnd, WM_KILLFOCUS, 0, 0);
    }
    if (sendDestroy)
        Send(hwnd, WM_DESTROY, 0, 0);

    // Owned windows and children go too (their WM_DESTROY after this one's).
    std::vector<HWND> owned;
    for (auto& entry : s.windows) {
        if (entry.second->owner == hwnd)
            owned.push_back(entry.second->handle);
    }
    for (HWND h : owned)
        Destroy(h);
    if ((w = FindWindow(hwnd)) != nullptr) {
        std::vector<HWND> children = w->children;
        for (HWND h : children)
            Destroy(h);
    }

    s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                  s.queue.end());
    if (s.focus == hwnd)
        s.focus = nullptr;
    if (s.capture == hwnd)
        s.capture = nullptr;
    Send(hwnd, WM_NCDESTROY, 0, 0);

    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    w = FindWindow(hwnd);
    if (w) {
        Unlink(w);
        unsigned long long serial = w->serial;
        s.byHandle.erase(hwnd);
        s.windows.erase(serial);
    }
    if (wnd) {
        WndAccess::Unbind(wnd);
        wnd->PostNcDestroy();
    }
    return TRUE;
}

}  // namespace headless

using namespace headless;

// ------------------------------------------------------------ free functions

BOOL PlatformRegisterWindowClass(LPCTSTR lpszClassName, UINT nClassStyle, HCURSOR hCursor, int nBackgroundColor)
{
    if (lpszClassName == nullptr || lpszClassName[0] == '\0')
        return FALSE;
    State& s = S();
    std::string key = LowerName(lpszClassName);
    if (s.classes.count(key))
        return FALSE;
    std::unique_ptr<ClassInfo> info(new ClassInfo);
    info->name = lpszClassName;
    info->style = nClassStyle;
    info->cursor = hCursor;
    info->background = nBackgroundColor;
    s.classes[key] = std::move(info);
    ++s.classRegistrations[key];
    return TRUE;
}

BOOL PlatformIsWindowClassRegistered(LPCTSTR lpszClassName)
{
    return lpszClassName != nullptr && S().classes.count(LowerName(lpszClassName)) != 0;
}

BOOL ReleaseCapture()
{
    State& s = S();
    HWND old = s.capture;
    if (old == nullptr)
        return TRUE;
    s.capture = nullptr;
    Send(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    return S().capture;
}

HWND GetFocus()
{
    return S().focus;
}

BOOL IsWindow(HWND hWnd)
{
    Window* w = FindWindow(hWnd);
    return w != nullptr && !w->destroying;
}

// -------------------------------------------------------------------- CWnd

CWnd::CWnd() : m_hWnd(nullptr), m_current{0, 0, 0}, m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        HWND hwnd = m_hWnd;
        WndAccess::Unbind(this);
        Destroy(hwnd);
    }
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_hWnd != nullptr || lpszClassName == nullptr)
        return FALSE;
    HWND parentHandle = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    Window* parent = FindWindow(parentHandle);
    if ((dwStyle & WS_CHILD) && !parent)
        return FALSE;
    State& s = S();
    const ClassInfo* cls = EnsureClass(lpszClassName);

    std::unique_ptr<Window> w(new Window);
    w->serial = s.nextSerial++;
    w->handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10000 + w->serial * 16));
    w->cls = cls;
    w->text = lpszWindowName ? lpszWindowName : "";
    w->style = dwStyle;
    w->exStyle = dwExStyle;
    w->id = nID;
    RECT r = rect;
    bool child = (dwStyle & WS_CHILD) != 0;
    if (r.left == CW_USEDEFAULT) {
        r.left = 0;
        r.top = 0;
    }
    if (r.right == CW_USEDEFAULT || r.bottom == CW_USEDEFAULT) {
        bool popup = (dwStyle & WS_POPUP) || child;
        r.right = r.left + (popup ? 0 : 640);
        r.bottom = r.top + (popup ? 0 : 480);
    }
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    w->rect = r;
    HWND hwnd = w->handle;
    if (child) {
        w->parent = parentHandle;
        parent->children.insert(parent->children.begin(), hwnd);
    } else {
        if (parent) {
            Window* top = parent;
            while ((top->style & WS_CHILD) && FindWindow(top->parent))
                top = FindWindow(top->parent);
            w->owner = top->handle;
        }
        s.topLevel.insert(s.topLevel.begin(), hwnd);
    }
    Window* raw = w.get();
    s.byHandle[hwnd] = raw;
    s.windows[raw->serial] = std::move(w);

    WndAccess::Bind(this, hwnd);
    PreSubclassWindow();

    CREATESTRUCT cs = {};
    cs.lpCreateParams = lpParam;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID));
    cs.hwndParent = parentHandle;
    cs.x = r.left;
    cs.y = r.top;
    cs.cx = r.right - r.left;
    cs.cy = r.bottom - r.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        Destroy(hwnd, false);  // a refused window gets only WM_NCDESTROY
        return FALSE;
    }
    Window* created = FindWindow(hwnd);
    if (!created)
        return FALSE;
    RECT client = ClientRectOf(created);
    Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    if ((created = FindWindow(hwnd)) == nullptr)
        return FALSE;
    POINT origin = ClientOriginOnScreen(created);
    if (child) {
        if (Window* p = FindWindow(created->parent)) {
            POINT po = ClientOriginOnScreen(p);
            origin.x -= po.x;
            origin.y -= po.y;
        }
    }
    Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if ((created = FindWindow(hwnd)) == nullptr)
        return FALSE;
    if (created->style & WS_VISIBLE)
        headless::Invalidate(created, nullptr, true);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return Destroy(m_hWnd);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    WndAccess::Bind(this, hWndNew);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    WndAccess::Unbind(this);
    return hwnd;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Send(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!FindWindow(m_hWnd))
        return FALSE;
    State& s = S();
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = s.now;
    msg.pt = s.cursorPos;
    s.queue.push_back(msg);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefProc(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetParent() const
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return nullptr;
    if (w->style & WS_CHILD)
        return FromHandle(w->parent);
    if (w->style & WS_POPUP)
        return FromHandle(w->owner);
    return nullptr;
}

CWnd* CWnd::GetOwner() const
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return nullptr;
    return FromHandle((w->style & WS_CHILD) ? w->parent : w->owner);
}

int CWnd::GetDlgCtrlID() const
{
    Window* w = FindWindow(m_hWnd);
    return w ? static_cast<int>(w->id) : 0;
}

int CWnd::SetDlgCtrlID(int nID)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return 0;
    int old = static_cast<int>(w->id);
    w->id = static_cast<UINT>(nID);
    return old;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return nullptr;
    for (HWND h : w->children) {
        Window* c = FindWindow(h);
        if (c && static_cast<int>(c->id) == nID)
            return FromHandle(h);
    }
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    if (!pWnd)
        return FALSE;
    Window* w = FindWindow(pWnd->m_hWnd);
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == m_hWnd)
            return TRUE;
        w = FindWindow(w->parent);
    }
    return FALSE;
}

CString CWnd::GetWindowClassName() const
{
    Window* w = FindWindow(m_hWnd);
    return (w && w->cls) ? CString(w->cls->name.c_str()) : CString();
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    State& s = S();
    std::vector<HWND> order;
    for (HWND h : s.topLevel) {
        Window* w = FindWindow(h);
        if (w && (w->exStyle & WS_EX_TOPMOST))
            order.push_back(h);
    }
    for (HWND h : s.topLevel) {
        Window* w = FindWindow(h);
        if (w && !(w->exStyle & WS_EX_TOPMOST))
            order.push_back(h);
    }
    for (HWND h : order) {
        Window* w = FindWindow(h);
        if (!w || !(w->style & WS_VISIBLE))
            continue;
        if (point.x >= w->rect.left && point.x < w->rect.right && point.y >= w->rect.top &&
            point.y < w->rect.bottom) {
            HWND deeper = HitTestChildren(h, point);
            return FromHandle(deeper ? deeper : h);
        }
    }
    return nullptr;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    Window* w = FindWindow(m_hWnd);
    if (!w || nIDEvent == 0)
        return 0;
    State& s = S();
    UINT elapse = std::max<UINT>(nElapse, 10);  // the system's shortest interval
    for (TimerState& t : w->timers) {
        if (t.id == nIDEvent) {
            t.elapse = elapse;
            t.due = s.now + elapse;
            t.order = s.nextTimerOrder++;
            return nIDEvent;
        }
    }
    w->timers.push_back({nIDEvent, elapse, s.now + elapse, s.nextTimerOrder++});
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    auto it = std::find_if(w->timers.begin(), w->timers.end(),
                           [nIDEvent](const TimerState& t) { return t.id == nIDEvent; });
    if (it == w->timers.end())
        return FALSE;
    w->timers.erase(it);
    return TRUE;
}

CWnd* CWnd::SetCapture()
{
    State& s = S();
    HWND old = s.capture;
    if (!FindWindow(m_hWnd))
        return FromHandle(old);
    s.capture = m_hWnd;
    if (old && old != m_hWnd)
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    return FromHandle(old);
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(S().capture);
}

CWnd* CWnd::SetFocus()
{
    State& s = S();
    HWND old = s.focus;
    if (!FindWindow(m_hWnd) || old == m_hWnd)
        return FromHandle(old);
    s.focus = m_hWnd;
    if (old)
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hWnd), 0);
    if (s.focus == m_hWnd)
        Send(m_hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return FromHandle(old);
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(S().focus);
}

// ------------------------------------------------------------------ painting

void CWnd::Invalidate(BOOL bErase)
{
    if (Window* w = FindWindow(m_hWnd))
        headless::Invalidate(w, nullptr, bErase != FALSE);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (Window* w = FindWindow(m_hWnd))
        headless::Invalidate(w, lpRect, bErase != FALSE);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    Window* w = FindWindow(m_hWnd);
    if (!w || !w->hasUpdate)
        return;
    if (lpRect == nullptr) {
        w->hasUpdate = false;
        w->updateErase = false;
        return;
    }
    // The update area is kept as one rectangle: what remains of it.
    CRect remaining;
    remaining.SubtractRect(&w->update, lpRect);
    if (remaining.IsRectEmpty()) {
        w->hasUpdate = false;
        w->updateErase = false;
    } else {
        w->update = remaining;
    }
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    Window* w = FindWindow(m_hWnd);
    if (!w || !w->hasUpdate) {
        if (lpRect)
            *lpRect = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (lpRect)
        *lpRect = w->update;
    if (bErase && w->updateErase) {
        CClientDC dc(this);
        w->updateErase = false;
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    }
    return TRUE;
}

void CWnd::UpdateWindow()
{
    if (Window* w = FindWindow(m_hWnd))
        PaintNow(w);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    RECT area;
    const RECT* target = lpRectUpdate;
    if (target == nullptr && prgnUpdate != nullptr && prgnUpdate->GetRgnBox(&area) != ERROR)
        target = &area;
    if (flags & RDW_INVALIDATE)
        headless::Invalidate(w, target, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
        ValidateRect(target);
    std::vector<HWND> children;
    if (flags & RDW_ALLCHILDREN)
        children = w->children;
    for (HWND h : children) {
        if (CWnd* c = FromHandle(h))
            c->RedrawWindow(nullptr, nullptr, flags);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        if ((w = FindWindow(m_hWnd)) != nullptr)
            PaintNow(w);
    }
    return TRUE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw, 0);
}

CDC* CWnd::GetDC()
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return nullptr;
    DCImpl* dc = NewDC(DCImpl::Kind::Window, m_hWnd, ClientRectOf(w));
    return CDC::FromHandle(reinterpret_cast<HDC>(dc));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return 0;
    HDC hdc = pDC->m_hDC;
    PlatformForgetTempDC(hdc);
    FreeDC(reinterpret_cast<DCImpl*>(hdc));
    return 1;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    HDC hdc = BeginPaintDC(m_hWnd, lpPaint);
    return hdc ? CDC::FromHandle(hdc) : nullptr;
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    EndPaintDC(m_hWnd, lpPaint);
}

// ------------------------------------------------------- position and state

void CWnd::GetClientRect(LPRECT lpRect) const
{
    Window* w = FindWindow(m_hWnd);
    *lpRect = w ? ClientRectOf(w) : RECT{0, 0, 0, 0};
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    Window* w = FindWindow(m_hWnd);
    if (!w) {
        *lpRect = RECT{0, 0, 0, 0};
        return;
    }
    POINT o = WindowOriginOnScreen(w);
    *lpRect = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (Window* w = FindWindow(m_hWnd)) {
        POINT o = ClientOriginOnScreen(w);
        lpPoint->x += o.x;
        lpPoint->y += o.y;
    }
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (Window* w = FindWindow(m_hWnd)) {
        POINT o = ClientOriginOnScreen(w);
        lpPoint->x -= o.x;
        lpPoint->y -= o.y;
    }
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    SetWindowPos(nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    HWND hwnd = m_hWnd;
    RECT oldClient = ClientRectOf(w);
    RECT oldRect = w->rect;
    RECT r = w->rect;
    if (!(nFlags & SWP_NOMOVE)) {
        r.right = x + (r.right - r.left);
        r.bottom = y + (r.bottom - r.top);
        r.left = x;
        r.top = y;
    }
    if (!(nFlags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, cx);
        r.bottom = r.top + std::max(0, cy);
    }
    w->rect = r;
    if (!(nFlags & SWP_NOZORDER)) {
        HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP;
        std::vector<HWND>& list = SiblingList(w);
        list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        if (after == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (after == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
        auto pos = list.begin();
        if (after == HWND_BOTTOM)
            pos = list.end();
        else if (after != HWND_TOP && after != HWND_TOPMOST && after != HWND_NOTOPMOST) {
            auto found = std::find(list.begin(), list.end(), after);
            pos = found == list.end() ? list.begin() : found + 1;
        }
        list.insert(pos, hwnd);
    }
    bool becameVisible = false;
    if ((nFlags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        becameVisible = true;
    }
    if (nFlags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    SendSizeIfChanged(hwnd, oldClient.right, oldClient.bottom);
    if ((w = FindWindow(hwnd)) == nullptr)
        return TRUE;
    if (oldRect.left != w->rect.left || oldRect.top != w->rect.top) {
        POINT origin = ClientOriginOnScreen(w);
        if ((w->style & WS_CHILD) && FindWindow(w->parent)) {
            POINT po = ClientOriginOnScreen(FindWindow(w->parent));
            origin.x -= po.x;
            origin.y -= po.y;
        }
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
        if ((w = FindWindow(hwnd)) == nullptr)
            return TRUE;
    }
    RECT newClient = ClientRectOf(w);
    bool sizeChanged = newClient.right != oldClient.right || newClient.bottom != oldClient.bottom;
    if (becameVisible || (!(nFlags & SWP_NOREDRAW) && (sizeChanged || (nFlags & SWP_FRAMECHANGED))))
        headless::Invalidate(w, nullptr, true);
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = nCmdShow != SW_HIDE;
    if (show == wasVisible)
        return wasVisible;
    HWND hwnd = m_hWnd;
    Send(hwnd, WM_SHOWWINDOW, show, 0);
    if ((w = FindWindow(hwnd)) == nullptr)
        return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        headless::Invalidate(w, nullptr, true);
    } else {
        w->style &= ~WS_VISIBLE;
        w->hasUpdate = false;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    Window* w = FindWindow(m_hWnd);
    return w && IsShown(w);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !bEnable)
        return wasDisabled;
    if (bEnable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    SendMessage(WM_ENABLE, bEnable, 0);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    Window* w = FindWindow(m_hWnd);
    return w && !(w->style & WS_DISABLED);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString));
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                                                 reinterpret_cast<LPARAM>(lpszStringBuf)));
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

DWORD CWnd::GetStyle() const
{
    Window* w = FindWindow(m_hWnd);
    return w ? w->style : 0;
}

DWORD CWnd::GetExStyle() const
{
    Window* w = FindWindow(m_hWnd);
    return w ? w->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    DWORD style = (w->style & ~dwRemove) | dwAdd;
    if (style == w->style)
        return FALSE;
    RECT oldClient = ClientRectOf(w);
    w->style = style;
    if (nFlags != 0) {
        SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if ((nFlags & SWP_FRAMECHANGED) == 0)
            SendSizeIfChanged(m_hWnd, oldClient.right, oldClient.bottom);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    Window* w = FindWindow(m_hWnd);
    if (!w)
        return FALSE;
    DWORD style = (w->exStyle & ~dwRemove) | dwAdd;
    if (style == w->exStyle)
        return FALSE;
    w->exStyle = style;
    if (nFlags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// ------------------------------------------------------------- scroll bars

namespace {

ScrollBarState* BarOf(HWND hwnd, int nBar)
{
    Window* w = FindWindow(hwnd);
    if (!w || (nBar != SB_HORZ && nBar != SB_VERT))
        return nullptr;
    return &w->bars[nBar];
}

void SetBarShown(HWND hwnd, int nBar, bool show)
{
    Window* w = FindWindow(hwnd);
    if (!w)
        return;
    DWORD bit = nBar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (((w->style & bit) != 0) == show)
        return;
    RECT oldClient = ClientRectOf(w);
    if (show)
        w->style |= bit;
    else
        w->style &= ~bit;
    SendSizeIfChanged(hwnd, oldClient.right, oldClient.bottom);
    if ((w = FindWindow(hwnd)) != nullptr)
        headless::Invalidate(w, nullptr, true);
}

}  // namespace

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL)
{
    ScrollBarState* bar = BarOf(m_hWnd, nBar);
    if (!bar || !lpScrollInfo)
        return FALSE;
    SCROLLINFO& info = bar->info;
    const SCROLLINFO before = info;
    UINT mask = lpScrollInfo->fMask;
    if (mask & SIF_RANGE) {
        info.nMin = lpScrollInfo->nMin;
        info.nMax = lpScrollInfo->nMax;
    }
    if (mask & SIF_PAGE)
        info.nPage = lpScrollInfo->nPage;
    if (mask & SIF_POS)
        info.nPos = lpScrollInfo->nPos;
    // The page never exceeds the range; the position stays in [min, max - page + 1].
    long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    if (range < 0)
        range = 0;
    if (static_cast<long long>(info.nPage) > range)
        info.nPage = static_cast<UINT>(range);
    long long highest = static_cast<long long>(info.nMax) - (info.nPage > 0 ? info.nPage - 1 : 0);
    if (info.nPos > highest)
        info.nPos = static_cast<int>(highest);
    if (info.nPos < info.nMin)
        info.nPos = info.nMin;
    // Showing and hiding follow the system: a bar that is no longer needed goes
    // when its range or page changed, or is only disabled with
    // SIF_DISABLENOSCROLL (which never brings back a hidden bar); a needed bar
    // comes back unless only the page was given.
    if (mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        bool scrolls = info.nMin < highest;
        bool changed = info.nMin != before.nMin || info.nMax != before.nMax || info.nPage != before.nPage;
        if (!scrolls) {
            if (mask & SIF_DISABLENOSCROLL)
                bar->arrows = ESB_DISABLE_BOTH;
            else if (changed)
                SetBarShown(m_hWnd, nBar, false);
        } else if (mask != SIF_PAGE) {
            bar->arrows = ESB_ENABLE_BOTH;
            if (changed)
                SetBarShown(m_hWnd, nBar, true);
        }
    }
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    ScrollBarState* bar = BarOf(m_hWnd, nBar);
    if (!bar || !lpScrollInfo)
        return FALSE;
    const SCROLLINFO& info = bar->info;
    lpScrollInfo->fMask = nMask;
    if (nMask & SIF_RANGE) {
        lpScrollInfo->nMin = info.nMin;
        lpScrollInfo->nMax = info.nMax;
    }
    if (nMask & SIF_PAGE)
        lpScrollInfo->nPage = info.nPage;
    if (nMask & SIF_POS)
        lpScrollInfo->nPos = info.nPos;
    if (nMask & SIF_TRACKPOS)
        lpScrollInfo->nTrackPos = bar->trackSet ? info.nTrackPos : info.nPos;
    return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    ScrollBarState* bar = BarOf(m_hWnd, nBar);
    if (!bar)
        return 0;
    int old = bar->info.nPos;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = nPos;
    SetScrollInfo(nBar, &info, bRedraw);
    return old;
}

int CWnd::GetScrollPos(int nBar) const
{
    ScrollBarState* bar = BarOf(m_hWnd, nBar);
    return bar ? bar->info.nPos : 0;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    info.nMin = nMinPos;
    info.nMax = nMaxPos;
    SetScrollInfo(nBar, &info, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ScrollBarState* bar = BarOf(m_hWnd, nBar);
    if (lpMinPos)
        *lpMinPos = bar ? bar->info.nMin : 0;
    if (lpMaxPos)
        *lpMaxPos = bar ? bar->info.nMax : 0;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        SetBarShown(m_hWnd, SB_HORZ, bShow != FALSE);
    if (nBar == SB_VERT || nBar == SB_BOTH)
        SetBarShown(m_hWnd, SB_VERT, bShow != FALSE);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    bool any = false;
    if (nSBFlags == SB_HORZ || nSBFlags == SB_BOTH) {
        if (ScrollBarState* bar = BarOf(m_hWnd, SB_HORZ)) {
            bar->arrows = nArrowFlags;
            any = true;
        }
    }
    if (nSBFlags == SB_VERT || nSBFlags == SB_BOTH) {
        if (ScrollBarState* bar = BarOf(m_hWnd, SB_VERT)) {
            bar->arrows = nArrowFlags;
            any = true;
        }
    }
    return any ? TRUE : FALSE;
}

// ------------------------------------------------------------- test access

namespace Headless {

void AdvanceTime(DWORD milliseconds)
{
    State& s = S();
    DWORD target = s.now + milliseconds;
    for (;;) {
        Window* best = nullptr;
        TimerState* bestTimer = nullptr;
        for (auto& entry : s.windows) {
            for (TimerState& t : entry.second->timers) {
                if (static_cast<int>(t.due - target) > 0)
                    continue;
                if (!bestTimer || static_cast<int>(t.due - bestTimer->due) < 0 ||
                    (t.due == bestTimer->due && t.order < bestTimer->order)) {
                    best = entry.second.get();
                    bestTimer = &t;
                }
            }
        }
        if (!bestTimer)
            break;
        s.now = bestTimer->due;
        bestTimer->due += bestTimer->elapse;
        Send(best->handle, WM_TIMER, bestTimer->id, 0);
    }
    s.now = target;
}

BOOL FireTimer(HWND hwnd, UINT_PTR id)
{
    if (!HasTimer(hwnd, id))
        return FALSE;
    Send(hwnd, WM_TIMER, id, 0);
    return TRUE;
}

std::vector<TimerInfo> Timers()
{
    std::vector<TimerInfo> list;
    for (auto& entry : S().windows) {
        for (const TimerState& t : entry.second->timers)
            list.push_back({entry.second->handle, t.id, t.elapse, t.due});
    }
    return list;
}

bool HasTimer(HWND hwnd, UINT_PTR id)
{
    Window* w = FindWindow(hwnd);
    if (!w)
        return false;
    for (const TimerState& t : w->timers) {
        if (t.id == id)
            return true;
    }
    return false;
}

std::vector<InvalidateRecord> Invalidations(HWND hwnd)
{
    Window* w = FindWindow(hwnd);
    return w ? w->invalidations : std::vector<InvalidateRecord>();
}

void ClearInvalidations(HWND hwnd)
{
    if (Window* w = FindWindow(hwnd))
        w->invalidations.clear();
}

bool UpdateArea(HWND hwnd, RECT* rect, bool* erase)
{
    Window* w = FindWindow(hwnd);
    if (!w || !w->hasUpdate)
        return false;
    if (rect)
        *rect = w->update;
    if (erase)
        *erase = w->updateErase;
    return true;
}

int PaintCount(HWND hwnd)
{
    Window* w = FindWindow(hwnd);
    return w ? w->paints : 0;
}

bool ScrollBarShown(HWND hwnd, int bar)
{
    Window* w = FindWindow(hwnd);
    if (!w)
        return false;
    return (w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

UINT ScrollBarArrows(HWND hwnd, int bar)
{
    ScrollBarState* state = BarOf(hwnd, bar);
    return state ? state->arrows : ESB_DISABLE_BOTH;
}

void SetScrollTrackPos(HWND hwnd, int bar, int pos)
{
    if (ScrollBarState* state = BarOf(hwnd, bar)) {
        state->trackSet = true;
        state->info.nTrackPos = pos;
    }
}

void KeepWindowPixels(HWND hwnd)
{
    if (Window* w = FindWindow(hwnd)) {
        w->keepPixels = true;
        WindowSurface(w);
    }
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    Window* w = FindWindow(hwnd);
    Surface* surface = WindowSurface(w);
    if (!surface || x < 0 || y < 0 || x >= surface->width || y >= surface->height)
        return CLR_INVALID;
    return surface->Row(y)[x] & 0x00FFFFFF;
}

size_t WindowCount()
{
    return S().windows.size();
}

int ClassRegistrations(LPCTSTR className)
{
    const State& s = S();
    auto it = s.classRegistrations.find(LowerName(className));
    return it == s.classRegistrations.end() ? 0 : it->second;
}

}  // namespace Headless
