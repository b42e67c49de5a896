// CSkinScrollBar: a scroll bar that paints itself from a skin bitmap and does
// the scroll bar's work itself.
//
// It keeps its own range, page and position (SBM_SETSCROLLINFO,
// SBM_GETSCROLLINFO), shows its arrows and thumb normal, hot or pressed,
// repeats while an arrow or the track is held (timer 200 once after 100 ms,
// then timer 100 every 100 ms) and drags the thumb. It reports like a system
// scroll bar: WM_VSCROLL (SBS_VERT style) or WM_HSCROLL to the notify window,
// with the scroll code in the low word of wParam (the position in the high
// word for SB_THUMBPOSITION and SB_THUMBTRACK) and the bar's window in lParam.
//
// The skin: one row per display state (0 normal, 1 hot, 2 pressed), each row
// a part high; a vertical bar's parts start at x 0, a horizontal bar's at
// x 60; columns of one part width hold the first arrow, the second arrow, the
// thumb and the track. Once the bar has a size its parts are 15 x 17 pixels
// (vertical) or 17 x 15 (horizontal).
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "cells/ScrollBarLayout.h"
#include "platform/Gdi.h"
#include "platform/Wnd.h"

class CDC;

class CSkinScrollBar : public CScrollBar {
public:
    static constexpr UINT_PTR kDelayTimer = 200;   // first repeat
    static constexpr UINT_PTR kRepeatTimer = 100;  // the repeats after it
    static constexpr UINT kRepeatMs = 100;

    CSkinScrollBar();
    ~CSkinScrollBar() override;

    // A child scroll-bar window; SBS_VERT in dwStyle makes it vertical.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The skin owner's bitmap, read each time the bar paints (so a skin the
    // owner replaces later is used); it stays the owner's and is never
    // deleted here. Before the bar has a size its parts are taken as a ninth
    // of the bitmap's width and a third of its height. Answers 1 for a
    // vertical bar, 0 for a horizontal one.
    int SetSkinBitmap(CBitmap* pBitmap);

    // The window that receives the scroll messages (the parent when NULL); not owned.
    CWnd* m_pNotifyWnd;

    BOOL IsVertical() const;
    ScrollBarLayout GetLayout() const;
    // Display state (0 normal, 1 hot, 2 pressed) of kScrollPartFirstArrow,
    // kScrollPartSecondArrow or kScrollPartThumb.
    int GetPartState(int nPart) const;
    int GetPressedPart() const { return m_nPressedPart; }
    BOOL IsDragging() const { return m_bDragging; }
    int GetScrollPosition() const { return m_nPos; }
    int GetTrackPosition() const { return m_nTrackPos; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    int Along(CPoint point) const { return IsVertical() ? point.y : point.x; }
    int HitTest(CPoint point) const;
    void Notify(int nCode, int nPos = 0);
    void StopTimers();
    void EndPress();
    void Draw(CDC* pDC);
    void DrawPart(CDC* pDC, CDC* pSkin, int nColumn, int nState, const CRect& dest);
    void DrawThumb(CDC* pDC, CDC* pSkin, const CRect& dest);

    CBitmap* m_pSkin;
    int m_nPartWidth;
    int m_nPartHeight;
    int m_nLength;

    int m_nMin;
    int m_nMax;
    int m_nPage;
    int m_nPos;
    int m_nTrackPos;           // -1 unless dragging

    BOOL m_bDragging;
    CPoint m_ptDrag;
    int m_nDragBasePos;

    int m_nPressedPart;        // kScrollPartNone when none
    int m_nHotPart;
    BOOL m_bRepeating;         // the repeat timer runs
    BOOL m_bRepeatSuspended;   // the mouse is off the pressed part
    BOOL m_bTrackingLeave;

    int m_nFirstArrowState;
    int m_nSecondArrowState;
    int m_nThumbState;
    BOOL m_bReleasing;         // this bar is letting the mouse go itself
};
