// CGridDropButtonCell: what the cells with a drop-down button at their right
// edge (combo box, multi-check combo and date/time cells) share: the button's
// rectangle, its hot state while the mouse is over it, and a press on it
// starting the edit with the editor's drop-down open.
#pragma once

#include "base/Geometry.h"
#include "grid/GridCell.h"

class CBitmap;
class CWnd;

class CGridDropButtonCell : public CGridCell {
public:
    void OnMouseOver() override;
    void OnMouseLeave() override;
    void OnClickDown(CPoint ptCellRelative) override;

    // The button rectangle of the cell drawn at rect: the button's width at
    // the right edge, one pixel down.
    CRect GetButtonRect(const CRect& rect);
    int GetButtonState() const { return m_nButtonState; }
    // The open editor (NULL when none).
    CWnd* GetEditor() const { return m_pEditor; }

protected:
    // The skin picture the button is drawn from (NULL without a grid).
    virtual CBitmap* GetButtonBitmap() = 0;
    int GetButtonWidth();

    int m_nButtonState = 0;   // DBS_NORMAL or DBS_HOT
    CRect m_rcLastDrawn;      // where the cell was last drawn
    CWnd* m_pEditor = nullptr;
};
