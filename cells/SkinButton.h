// CSkinButton: a push button that paints itself from its grid's BUTTON skin
// when the grid uses skins, and follows the mouse to show a hot face.
//
// The skin holds five faces of equal height stacked from the top: 0 normal,
// 1 focused, 2 pressed, 3 hot (the mouse over it), 4 disabled. A face is
// drawn as its left and right 2-pixel columns at the button's edges and its
// middle repeated between them (the last piece cut to fit), one row short of
// the button's height; the caption is centred on one line over it,
// transparent, moved 2 pixels right and down on the focused and hot faces,
// and drawn once more in grey (0x808080), 1 pixel in, when disabled.
//
// The button becomes owner-drawn when it is created (or given its grid
// before that) while the grid's skin style is 1; otherwise it is a plain
// push button. The grid is a back reference: once the grid's window is gone
// the button paints nothing from it.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "cells/Button.h"

class CDC;
class CGridCtrl;

// The face to draw: pressed 2, else hot 3, else focused (ODS_FOCUS) 1, else
// disabled (ODS_DISABLED or ODS_GRAYED) 4, else 0.
int SkinButtonFace(BOOL bHover, BOOL bPressed, UINT nItemState);

class CSkinButton : public CButton {
public:
    enum Face { kNormal = 0, kFocused = 1, kPressed = 2, kHot = 3, kDisabled = 4, kFaceCount = 5 };

    CSkinButton();

    // The grid whose skin the button paints; set it before Create.
    void SetGrid(CGridCtrl* pGrid);
    CGridCtrl* GetGrid() const;            // NULL once the grid's window is gone

    void Enable() { EnableWindow(TRUE); }
    void Disable() { EnableWindow(FALSE); }

    BOOL IsHovering() const { return m_bHover; }
    BOOL IsPressed() const { return m_bPressed; }
    // Whether it paints from the skin (it is owner-drawn).
    BOOL IsSkinned() const;

    // Paints a face of the skin and the caption into the rectangle.
    void DrawFace(CDC* pDC, const CRect& rect, int nFace);

protected:
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    BOOL UsesSkin() const;

    int m_bHover;
    int m_bPressed;
    CGridCtrl* m_pGrid;
    HWND m_hGrid;              // the grid's window when it was set, to notice it going
};
