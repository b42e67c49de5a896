// The parts of CWnd shared by both builds: the handle maps, temporary objects,
// message decoding into the virtual handlers, and members built on others.
#include "platform/Wnd.h"

#include "base/OwnerDraw.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"
#include "platform/WndInternal.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct HandleMaps {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMaps& Maps()
{
    static HandleMaps maps;
    return maps;
}

}  // namespace

int& PlatformDispatchDepth()
{
    static thread_local int depth = 0;
    return depth;
}

int PlatformWindowProcDepth()
{
    return PlatformDispatchDepth();
}

void WndAccess::Bind(CWnd* pWnd, HWND hWnd)
{
    std::unique_ptr<CWnd> oldTemporary;
    {
        HandleMaps& maps = Maps();
        std::lock_guard<std::mutex> guard(maps.lock);
        maps.permanent[hWnd] = pWnd;
        auto it = maps.temporary.find(hWnd);
        if (it != maps.temporary.end()) {
            oldTemporary = std::move(it->second);
            maps.temporary.erase(it);
        }
        pWnd->m_hWnd = hWnd;
    }
    if (oldTemporary)
        oldTemporary->m_hWnd = nullptr;  // deleted outside the lock, never destroying the window
}

void WndAccess::Unbind(CWnd* pWnd)
{
    if (pWnd->m_hWnd == nullptr)
        return;
    HandleMaps& maps = Maps();
    std::lock_guard<std::mutex> guard(maps.lock);
    auto it = maps.permanent.find(pWnd->m_hWnd);
    if (it != maps.permanent.end() && it->second == pWnd)
        maps.permanent.erase(it);
    pWnd->m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    HandleMaps& maps = Maps();
    std::lock_guard<std::mutex> guard(maps.lock);
    auto it = maps.permanent.find(hWnd);
    return it == maps.permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    HandleMaps& maps = Maps();
    std::lock_guard<std::mutex> guard(maps.lock);
    auto it = maps.permanent.find(hWnd);
    if (it != maps.permanent.end())
        return it->second;
    std::unique_ptr<CWnd>& temp = maps.temporary[hWnd];
    if (!temp) {
        temp.reset(new CWnd);
        temp->m_hWnd = hWnd;
    }
    return temp.get();
}

// Temporary CDC and GDI objects live in maps of their own (DC.cpp, Gdi.cpp).
void PlatformDeleteTempDCs();
void PlatformDeleteTempGdiObjects();

void PlatformDeleteTempObjects()
{
    std::unordered_map<HWND, std::unique_ptr<CWnd>> doomed;
    {
        HandleMaps& maps = Maps();
        std::lock_guard<std::mutex> guard(maps.lock);
        doomed.swap(maps.temporary);
    }
    for (auto& entry : doomed)
        entry.second->m_hWnd = nullptr;  // a temporary object never destroys its window
    doomed.clear();
    PlatformDeleteTempDCs();
    PlatformDeleteTempGdiObjects();
}

CScrollBar::CScrollBar() = default;

CWnd::CWnd(HWND hWndPosition) : m_hWnd(hWndPosition), m_current{0, 0, 0}, m_pfnSuper(nullptr) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// ---------------------------------------------------------------- messages

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

namespace {

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// Restores the current message when a handler returns (messages nest).
struct CurrentMessageScope {
    CurrentMessageScope(UINT& message, WPARAM& wParam, LPARAM& lParam, UINT m, WPARAM w, LPARAM l)
        : rMessage(message), rWParam(wParam), rLParam(lParam), oldMessage(message), oldWParam(wParam),
          oldLParam(lParam)
    {
        rMessage = m;
        rWParam = w;
        rLParam = l;
    }
    ~CurrentMessageScope()
    {
        rMessage = oldMessage;
        rWParam = oldWParam;
        rLParam = oldLParam;
    }
    UINT& rMessage;
    WPARAM& rWParam;
    LPARAM& rLParam;
    UINT oldMessage;
    WPARAM oldWParam;
    LPARAM oldLParam;
};

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CurrentMessageScope scope(m_current.message, m_current.wParam, m_current.lParam, message, wParam, lParam);
    LRESULT result = 0;
    const UINT keyRepeat = LOWORD(lParam);
    const UINT keyFlags = HIWORD(lParam);
    switch (message) {
    case WM_CREATE:
        result = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)) == -1 ? -1 : 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_MOVE:
        OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_ERASEBKGND:
        result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_SETFOCUS:
        OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_KILLFOCUS:
        OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_SYSKEYUP:
        OnSysKeyUp(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_SYSCHAR:
        OnSysChar(static_cast<UINT>(wParam), keyRepeat, keyFlags);
        break;
    case WM_IME_CHAR:
        result = OnImeChar(wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_MBUTTONDOWN:
        OnMButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_MBUTTONUP:
        OnMButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_MBUTTONDBLCLK:
        OnMButtonDblClk(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointFromLParam(lParam));
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(static_cast<UINT>(wParam), PointFromLParam(lParam));
        break;
    case WM_MOUSEACTIVATE:
        result = OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                 HIWORD(lParam));
        break;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        CScrollBar* bar = dynamic_cast<CScrollBar*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
        if (message == WM_HSCROLL)
            OnHScroll(LOWORD(wParam), HIWORD(wParam), bar);
        else
            OnVScroll(LOWORD(wParam), HIWORD(wParam), bar);
        break;
    }
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        break;
    case WM_SETCURSOR:
        result = OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_GETDLGCODE:
        result = OnGetDlgCode();
        break;
    case WM_NCHITTEST:
        result = OnNcHitTest(PointFromLParam(lParam));
        break;
    case WM_NOTIFY: {
        // The notifying child answers first when it handles its own
        // notification (reflection); otherwise the parent's OnNotify.
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        CWnd* child = header != nullptr ? CWnd::FromHandlePermanent(header->hwndFrom) : nullptr;
        if (child != nullptr && child != this && child->OnChildNotify(message, wParam, lParam, &result))
            break;
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
        break;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* child = item != nullptr ? CWnd::FromHandlePermanent(item->hwndItem) : nullptr;
        if (child == nullptr || child == this || !child->OnChildNotify(message, wParam, lParam, &result))
            return FALSE;
        break;
    }
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        break;
    case WM_SETTINGCHANGE:
        OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
        break;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), PointFromLParam(lParam));
        break;
    case WM_SETFONT:
        result = OnSetFont(wParam, lParam);
        break;
    case WM_GETFONT:
        result = OnGetFont(wParam, lParam);
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        UINT kind = message - WM_CTLCOLORMSGBOX;
        HBRUSH brush = nullptr;
        CWnd* child = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (child != nullptr && child != this)
            brush = child->CtlColor(dc, kind);
        if (brush == nullptr)
            brush = OnCtlColor(dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), kind);
        result = reinterpret_cast<LRESULT>(brush);
        break;
    }
    default:
        return FALSE;
    }
    *pResult = result;
    return TRUE;
}

// Default handlers: the message goes to DefWindowProc.
int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
LRESULT CWnd::OnImeChar(WPARAM, LPARAM) { return Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
LRESULT CWnd::OnSetFont(WPARAM, LPARAM) { return Default(); }
LRESULT CWnd::OnGetFont(WPARAM, LPARAM) { return Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
HBRUSH CWnd::CtlColor(CDC*, UINT) { return nullptr; }

// ------------------------------------------------ members built on others

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam)
{
    RECT rect = {x, y, x + nWidth, y + nHeight};
    if (nWidth == CW_USEDEFAULT)
        rect.right = CW_USEDEFAULT;
    if (nHeight == CW_USEDEFAULT)
        rect.bottom = CW_USEDEFAULT;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect, CWnd::FromHandle(hWndParent), nID,
                    lpParam);
}

void CWnd::GetWindowText(CString& rString) const
{
    int length = GetWindowTextLength();
    if (length <= 0) {
        rString.Empty();
        return;
    }
    char* buffer = rString.GetBuffer(length + 1);
    int copied = GetWindowText(buffer, length + 1);
    rString.ReleaseBuffer(copied < 0 ? 0 : copied);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MapWindowPoints(CWnd* pWndTo, LPPOINT lpPoint, UINT nCount) const
{
    for (UINT i = 0; i < nCount; ++i) {
        ClientToScreen(&lpPoint[i]);
        if (pWndTo != nullptr)
            pWndTo->ScreenToClient(&lpPoint[i]);
    }
}

void CWnd::MapWindowPoints(CWnd* pWndTo, LPRECT lpRect) const
{
    MapWindowPoints(pWndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT font = reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT));
    return font ? CFont::FromHandle(font) : nullptr;
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!GetScrollInfo(nBar, &info, info.fMask))
        return 0;
    int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    int limit = info.nMax - page;
    return limit < info.nMin ? info.nMin : limit;
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    ShowScrollBar(nBar, bEnable);
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* wnd = this;
    while (wnd != nullptr && (wnd->GetStyle() & WS_CHILD)) {
        CWnd* parent = wnd->GetParent();
        if (parent == nullptr)
            break;
        wnd = parent;
    }
    return const_cast<CWnd*>(wnd);
}
