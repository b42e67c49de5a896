// CWnd over real windows: creation through a creation hook that ties the new
// window to its object and routes its messages through one window procedure.
#include "platform/Wnd.h"

#include "platform/DC.h"
#include "platform/DialogWnd.h"
#include "platform/System.h"
#include "platform/WndInternal.h"
#include "platform/win32/Module.h"

#include <string>

void PlatformForgetTempDC(HDC hDC);

namespace {

const char kSuperProp[] = "KivoSheet.SuperProc";

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        WNDPROC super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kSuperProp));
        LRESULT result = super ? ::CallWindowProcA(super, hwnd, message, wParam, lParam)
                               : ::DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            ::RemovePropA(hwnd, kSuperProp);
        return result;
    }
    int& depth = PlatformDispatchDepth();
    ++depth;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    --depth;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kSuperProp);
        if (CWnd::FromHandlePermanent(hwnd) == wnd) {
            WndAccess::Unbind(wnd);
            WndAccess::Super(wnd) = nullptr;
            wnd->PostNcDestroy();
        }
    }
    return result;
}

// The window being created by CreateEx on this thread, and its class.
thread_local CWnd* t_creating = nullptr;
thread_local const char* t_creatingClass = nullptr;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_creating != nullptr) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char name[256] = {};
        ::GetClassNameA(hwnd, name, sizeof(name));
        // Other windows (an input-method window, say) may be created first.
        if (t_creatingClass && ::lstrcmpiA(name, t_creatingClass) == 0) {
            CWnd* wnd = t_creating;
            t_creating = nullptr;
            WndAccess::Bind(wnd, hwnd);
            WNDPROC old = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
            if (old != &StaticWindowProc) {
                ::SetPropA(hwnd, kSuperProp, reinterpret_cast<HANDLE>(old));
                WndAccess::Super(wnd) = reinterpret_cast<void*>(old);
            }
            wnd->PreSubclassWindow();
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

BOOL PlatformRegisterWindowClass(LPCTSTR lpszClassName, UINT nClassStyle, HCURSOR hCursor, int nBackgroundColor)
{
    if (lpszClassName == nullptr || lpszClassName[0] == '\0')
        return FALSE;
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = PlatformModuleInstance();
    wc.hCursor = hCursor;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(nBackgroundColor));
    wc.lpszClassName = lpszClassName;
    return ::RegisterClassA(&wc) != 0;
}

BOOL PlatformIsWindowClassRegistered(LPCTSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return FALSE;
    WNDCLASSA wc;
    return ::GetClassInfoA(PlatformModuleInstance(), lpszClassName, &wc) ||
           ::GetClassInfoA(nullptr, lpszClassName, &wc);
}

CWnd::CWnd() : m_hWnd(nullptr), m_current{0, 0, 0}, m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // Untie first: the window's last messages go to its class procedure.
        HWND hwnd = m_hWnd;
        WndAccess::Unbind(this);
        ::DestroyWindow(hwnd);
    }
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_hWnd != nullptr || lpszClassName == nullptr)
        return FALSE;
    if (!PlatformIsWindowClassRegistered(lpszClassName))
        PlatformRegisterWindowClass(lpszClassName, CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), COLOR_WINDOW + 1);
    int x = rect.left, y = rect.top;
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        x = y = CW_USEDEFAULT;
    if (rect.right == CW_USEDEFAULT || rect.bottom == CW_USEDEFAULT)
        cx = cy = CW_USEDEFAULT;
    HMENU idOrMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;

    CWnd* outerCreating = t_creating;
    const char* outerClass = t_creatingClass;
    t_creating = this;
    t_creatingClass = lpszClassName;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    HWND hwnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                                  pParentWnd ? pParentWnd->m_hWnd : nullptr, idOrMenu, PlatformModuleInstance(),
                                  lpParam);
    if (hook)
        ::UnhookWindowsHookEx(hook);
    t_creating = outerCreating;
    t_creatingClass = outerClass;
    return hwnd != nullptr && m_hWnd == hwnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
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
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(reinterpret_cast<WNDPROC>(m_pfnSuper), m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetOwner() const
{
    if (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD)
        return FromHandle(::GetParent(m_hWnd));
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd);
}

CString CWnd::GetWindowClassName() const
{
    char name[256] = {};
    if (m_hWnd == nullptr || ::GetClassNameA(m_hWnd, name, sizeof(name)) == 0)
        return CString();
    return CString(name);
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (nIDEvent == 0)
        return 0;
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    HRGN rgn = prgnUpdate ? static_cast<HRGN>(prgnUpdate->m_hObject) : nullptr;
    return ::RedrawWindow(m_hWnd, lpRectUpdate, rgn, flags);
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}

CDC* CWnd::GetDC()
{
    HDC hdc = ::GetDC(m_hWnd);
    return hdc ? CDC::FromHandle(hdc) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return 0;
    HDC hdc = pDC->m_hDC;
    PlatformForgetTempDC(hdc);
    return ::ReleaseDC(m_hWnd, hdc);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    HDC hdc = ::BeginPaint(m_hWnd, lpPaint);
    return hdc ? CDC::FromHandle(hdc) : nullptr;
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    if (lpPaint && lpPaint->hdc)
        PlatformForgetTempDC(lpPaint->hdc);
    ::EndPaint(m_hWnd, lpPaint);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!::GetClientRect(m_hWnd, lpRect))
        *lpRect = RECT{0, 0, 0, 0};
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!::GetWindowRect(m_hWnd, lpRect))
        *lpRect = RECT{0, 0, 0, 0};
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~dwRemove) | dwAdd;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD changed = (style & ~dwRemove) | dwAdd;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(changed));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    int minPos = 0, maxPos = 0;
    ::GetScrollRange(m_hWnd, nBar, &minPos, &maxPos);
    if (lpMinPos)
        *lpMinPos = minPos;
    if (lpMaxPos)
        *lpMaxPos = maxPos;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, static_cast<UINT>(nSBFlags), nArrowFlags);
}

// ---- windows made from dialog resources (platform/DialogWnd.h) ----

namespace {

INT_PTR CALLBACK TiedDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    // The object sees every message first; the dialog manager asks here only
    // whether to set the first focus.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool RegisterDialogClass(LPCTSTR lpszClass)
{
    WNDCLASSA wc;
    if (::GetClassInfoA(PlatformModuleInstance(), lpszClass, &wc))
        return true;
    wc = WNDCLASSA{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = PlatformModuleInstance();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = lpszClass;
    return ::RegisterClassA(&wc) != 0;
}

}  // namespace

BOOL PlatformCreateDialogWindow(CWnd* pWnd, const DialogResourceInfo& info, CWnd* pParent)
{
    if (pWnd == nullptr || pWnd->m_hWnd != nullptr || info.lpszClass == nullptr || !RegisterDialogClass(info.lpszClass))
        return FALSE;
    CWnd* outerCreating = t_creating;
    const char* outerClass = t_creatingClass;
    t_creating = pWnd;
    t_creatingClass = info.lpszClass;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    HWND hwnd = ::CreateDialogParamA(PlatformModuleInstance(), MAKEINTRESOURCEA(info.nId),
                                     pParent != nullptr ? pParent->m_hWnd : nullptr, &TiedDialogProc, 0);
    if (hook)
        ::UnhookWindowsHookEx(hook);
    t_creating = outerCreating;
    t_creatingClass = outerClass;
    if (hwnd != nullptr && pWnd->m_hWnd != hwnd) {
        ::DestroyWindow(hwnd);   // made, but not as the template's class: not ours
        return FALSE;
    }
    return hwnd != nullptr;
}

bool PlatformDialogHasTemplateControls()
{
    return true;
}

void PlatformMapDialogRect(const CWnd* pDialog, RECT* pRect)
{
    if (pDialog != nullptr && pRect != nullptr)
        ::MapDialogRect(pDialog->m_hWnd, pRect);
}

BOOL PlatformSubclassWindow(CWnd* pWnd, HWND hWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd != nullptr || hWnd == nullptr || !::IsWindow(hWnd) ||
        CWnd::FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    WndAccess::Bind(pWnd, hWnd);
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
    if (old != &StaticWindowProc) {
        ::SetPropA(hWnd, kSuperProp, reinterpret_cast<HANDLE>(old));
        WndAccess::Super(pWnd) = reinterpret_cast<void*>(old);
    }
    pWnd->PreSubclassWindow();
    return TRUE;
}
