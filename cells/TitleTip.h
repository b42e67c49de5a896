// CTitleTip: the small borderless popup that shows a cell's whole text over
// the grid when the text does not fit in its cell.
//
// It never takes the focus nor the activation. Keys that reach it go to the
// grid; mouse presses go to the window underneath it (as a double click when
// a second left press follows within the double-click time), so the user
// clicks through it, under our own message loop and under a container's
// alike; it hides as soon as the mouse leaves the area it was shown for.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "platform/Wnd.h"

class CDC;

class CTitleTip : public CWnd {
public:
    // A colour argument that asks for the system's tooltip colour.
    static constexpr COLORREF kDefaultColour = 0xFF000000;

    CTitleTip();
    ~CTitleTip() override;

    // Creates the popup window once (later calls answer TRUE at once).
    // pParentWnd is the grid: it receives the keys and is the window below
    // the tip when nothing else is. FALSE when the window cannot be created.
    BOOL Create(CWnd* pParentWnd);
    // Names the parent without creating the window (Show creates it lazily).
    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

    // Shows sTitleText (with one blank on each side) in a popup of the width
    // of rectTitle (screen coordinates) placed just above it, 3 pixels right.
    // The tip shows only when xOffset >= 0 or bForce is set. lpHoverRect (the
    // parent's client coordinates; NULL: rectTitle) is the area the mouse may
    // move in before the tip hides. lpLogFont NULL uses the parent's font;
    // kDefaultColour colours use the system's tooltip colours. Nothing happens
    // for an empty rectangle (not even the window's creation), nor while no
    // window of the process has the focus.
    void Show(const RECT& rectTitle, LPCTSTR lpszTitleText, int xOffset = 0, LPCRECT lpHoverRect = nullptr,
              const LOGFONT* lpLogFont = nullptr, COLORREF crTextClr = kDefaultColour,
              COLORREF crBackClr = kDefaultColour, BOOL bForce = FALSE);
    void Hide();

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The hover area in screen coordinates, and what is shown.
    CRect GetHoverRect() const { return m_rectHover; }
    const CString& GetShownText() const { return m_sText; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void Paint(CDC* pDC);
    // Hands a key or a mouse press that reached the tip on (TRUE), or leaves
    // the message alone (FALSE).
    BOOL PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    // The window under a screen point (the parent when it is the tip itself).
    CWnd* WindowBelow(POINT screen) const;

    CWnd* m_pParentWnd;
    CRect m_rectHover;          // screen coordinates
    DWORD m_dwLastLButtonDown;  // (DWORD)-1: none yet
    DWORD m_dwDblClickMsecs;

    // What the last Show drew, kept for repainting.
    CString m_sText;
    LOGFONT m_logFont;
    BOOL m_bHasFont;
    COLORREF m_crText;
    COLORREF m_crBack;
    UINT m_nFormat;
};
