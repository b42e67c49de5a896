// CWnd: a window of the system with virtual message handlers.
//
// A CWnd object and its window are tied together from creation (CreateEx,
// Create) or Attach until the window is destroyed or Detach is called. Every
// message for the window reaches the virtual WindowProc, whose default decodes
// the message and calls the matching virtual handler (OnCreate, OnPaint,
// OnLButtonDown, ...); a handler that is not overridden passes the message on
// to DefWindowProc (through Default). A class that handles private messages
// (WM_USER + n) overrides WindowProc and calls CWnd::WindowProc for the rest.
//
// Coordinates of mouse messages are signed: a point left of or above the window
// while the mouse is captured arrives negative.
//
// The host build keeps windows as in-process objects: SendMessage calls the
// window procedure at once, PostMessage queues (PlatformPumpMessages delivers),
// and timers, capture, focus, invalid areas, scroll bars and positions are
// recorded so tests can read and drive them (platform/headless/Headless.h).
// Non-client sizes there: WS_BORDER 1, WS_DLGFRAME 3, WS_THICKFRAME 4 on each
// side, the caption 22 high, WS_EX_CLIENTEDGE 2 and WS_EX_STATICEDGE 1 more,
// a shown standard scroll bar 17. A hidden window gets no WM_PAINT.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "base/Geometry.h"
#include "base/CString.h"
#include "platform/PlatformTypes.h"

class CDC;
class CFont;
class CRgn;
class CScrollBar;

// Registers a window class (once per module; FALSE when the name is taken).
// nBackgroundColor is a COLOR_* index + 1, or 0 for no background brush.
BOOL PlatformRegisterWindowClass(LPCTSTR lpszClassName, UINT nClassStyle, HCURSOR hCursor,
                                 int nBackgroundColor);
BOOL PlatformIsWindowClassRegistered(LPCTSTR lpszClassName);
// How many window procedures of this module's windows are running on this
// thread (0: none). An object that a message handler may let go of for good
// frees itself only once this is 0 again.
int PlatformWindowProcDepth();

class CWnd {
public:
    CWnd();
    virtual ~CWnd();                       // destroys a window still attached
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd;

    // Z-order positions for SetWindowPos (their m_hWnd is HWND_TOP, ...).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // --- creation and destruction ------------------------------------------
    // A child (WS_CHILD, pParentWnd required) or a top-level window (WS_POPUP
    // or overlapped; pParentWnd, when given, is its owner). A class name that is
    // not registered yet is registered with CS_DBLCLKS, the arrow cursor and the
    // window colour. nID is the child identifier. FALSE when creation fails or
    // OnCreate answers -1.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();
    BOOL Attach(HWND hWndNew);             // ties an existing window to this object (no message routing)
    HWND Detach();
    // The object of a window: the one tied to it, else a temporary object (see
    // PlatformDeleteTempObjects). NULL for NULL.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);  // NULL when no object is tied to it

    // Called when the window has been tied to this object during creation,
    // before WM_CREATE.
    virtual void PreSubclassWindow();
    // Called after the window's last message (WM_NCDESTROY); the object is
    // already untied and may delete itself here.
    virtual void PostNcDestroy();

    // --- messages ----------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The current message to DefWindowProc (for handlers that want the default).
    LRESULT Default();
    // Called by the message loop for a posted message to this window or one of
    // its children before it is dispatched; TRUE stops it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // --- relations ---------------------------------------------------------
    CWnd* GetParent() const;               // the parent of a child, the owner of a popup, else NULL
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;       // the first ancestor that is not a child (this when none)
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    BOOL IsChild(const CWnd* pWnd) const;  // pWnd is a descendant
    CString GetWindowClassName() const;
    static CWnd* WindowFromPoint(POINT point);  // screen coordinates; the deepest visible window there

    // --- timers, capture, focus --------------------------------------------
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);  // 0 on failure
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();                    // answers the previous capture window
    static CWnd* GetCapture();
    CWnd* SetFocus();                      // answers the window that had the focus
    static CWnd* GetFocus();

    // --- painting ----------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);  // NULL: the whole client area
    void ValidateRect(LPCRECT lpRect);                         // NULL: the whole client area
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);    // FALSE when nothing is invalid
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    // A DC for the client area; give it back with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);

    // --- position and state ------------------------------------------------
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;   // screen coordinates
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    // Points from this window's client coordinates to pWndTo's (the screen when NULL).
    void MapWindowPoints(CWnd* pWndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pWndTo, LPRECT lpRect) const;
    // x, y in the parent's client coordinates (screen for a top-level window).
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);         // answers whether it was visible before
    BOOL IsWindowVisible() const;          // this window and all its ancestors are shown
    BOOL EnableWindow(BOOL bEnable = TRUE);  // answers whether it was disabled before
    BOOL IsWindowEnabled() const;

    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Changes the style bits; with nFlags, SetWindowPos(nFlags | SWP_NOSIZE |
    // SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) follows (SWP_FRAMECHANGED to
    // recompute the frame). Answers whether the style changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // --- standard scroll bars (SB_HORZ, SB_VERT) -----------------------------
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);  // answers the previous position
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    int GetScrollLimit(int nBar);          // the largest position: max - (page - 1)

    // --- font (WM_SETFONT / WM_GETFONT) ------------------------------------
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;                // temporary object; NULL when the window answers none

protected:
    // Decodes one message and calls its handler; FALSE when no handler takes it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // --- handlers (each default passes the message to DefWindowProc) ---------
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);      // -1 stops the creation
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnEnable(BOOL bEnable);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);  // WM_IME_CHAR
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    virtual void OnMButtonDblClk(UINT nFlags, CPoint point);
    // pt in screen coordinates; zDelta a multiple of WHEEL_DELTA (120) per notch.
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void OnMouseLeave();
    virtual void OnMouseHover(UINT nFlags, CPoint point);
    virtual int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    // pScrollBar: the scroll-bar control that sent the message when it is a
    // CScrollBar object, NULL for the window's own scroll bars.
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual UINT OnGetDlgCode();
    virtual LRESULT OnNcHitTest(CPoint point);
    // FALSE (not handled) passes the message to DefWindowProc.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // WM_NOTIFY and WM_DRAWITEM that this window, as a child, sent its parent
    // are offered to it first (reflection); TRUE, with *pResult, handles them.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnSysColorChange();
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);      // pos in screen coordinates
    virtual LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);  // WM_SETFONT: wParam the HFONT
    virtual LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);  // WM_GETFONT: answer an HFONT
    // WM_CTLCOLOR* from a child: the child's CtlColor answers first (reflection);
    // when it answers NULL, the parent's OnCtlColor.
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

private:
    explicit CWnd(HWND hWndPosition);       // the z-order position objects
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current;
    void* m_pfnSuper;                      // the class's own window procedure (Windows build)
    friend struct WndAccess;
};

// A scroll-bar control window. Scroll messages from a CScrollBar reach the
// parent's OnHScroll/OnVScroll with the object; other controls give NULL.
class CScrollBar : public CWnd {
public:
    CScrollBar();
};
