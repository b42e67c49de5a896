// CGridCellCheck: a cell that shows a check box, optionally followed by the
// cell's text.
//
// The box is set up by the cell's control text (element "control"): "setcheck"
// (1/yes checked), "size" (side in pixels, at least 10), "displaystyle"
// ("2K3D", "2KFLAT", "XP" or 0..2), "enablecheck" (1/yes, 0/no), "align" (box
// position bits, see ComputeBoxRect), "showtext", and for the XP style
// "sidecolor", "tickcolor" and "bgcolor". Applying a control text writes the
// values it lacks back into it, so the text read back names every setting.
//
// A click on the box, or the space bar on the focus cell, toggles it, unless
// the cell is read-only or "enablecheck" is off; every toggle posts 1070
// (WM_GRID_CELLCHECKBOXCHECKED) to the grid's parent with MAKELONG(row, col)
// and the new state.
//
// Record level (end tag 3100), after CGridCell's: 3001 the control text with
// its NUL, refreshed before writing so it carries the current check state;
// loading applies it.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"

const int CELL_RECORD_CHECK_END = 3100;
const int CELL_RECORD_CHECK_CONTROL = 3001;

// Box styles of the "displaystyle" attribute.
enum GridCheckStyle : int {
    GCHK_STYLE_3D = 0,     // "2K3D": the system's check box
    GCHK_STYLE_FLAT = 1,   // "2KFLAT": white box, black frame and tick
    GCHK_STYLE_XP = 2,     // "XP": coloured frame and tick
};

class CGridCellCheck : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCheck)

public:
    CGridCellCheck();

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    void SetValue(double dValue) override;
    void SetText(LPCTSTR szText) override;
    void CopyFormat(CGridCellBase* pSrc) override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    BOOL GetTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override {}
    void OnEndEdit() override {}
    void OnClick(CPoint ptCellRelative) override;

    // Any non-zero value checks the box; answers the state stored (0 or 1).
    BOOL SetCheck(BOOL bChecked);
    BOOL GetCheck() const { return m_bChecked; }

    int GetBoxSize() const { return m_nBoxSize; }
    int GetDisplayStyle() const { return m_nStyle; }
    BOOL IsCheckEnabled() const { return m_bEnableCheck; }
    UINT GetBoxAlign() const { return m_nBoxAlign; }
    COLORREF GetBoxBackColor() const { return m_crBoxBack; }
    COLORREF GetSideColor() const { return m_crSide; }
    COLORREF GetTickColor() const { return m_crTick; }

    // The box inside a cell rectangle, margin m, side s and zoom factors:
    // align bit 0x04 right, else 0x02 centred, else left; 0x10 bottom, else
    // 0x08 centred, else top. A box that does not lie wholly inside the cell
    // is empty (0, 0, 0, 0): it is neither drawn nor clicked.
    static CRect ComputeBoxRect(const CRect& cell, int nMargin, int nSize, UINT nAlign, double dZoomX,
                                double dZoomY);
    // The box of this cell in rect, with its margin and the grid's zoom.
    CRect GetBoxRect(const CRect& rect);

private:
    void ApplyAttributes();
    void Toggle(const CRect& rcInvalidate, int nRow, int nCol);
    void InvalidateBox(const CRect& rect);
    void DrawBox(CDC* pDC, const CRect& box);
    BOOL DrawCheckCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd, BOOL bPrinting);

    CXmlElement m_element;
    BOOL m_bChecked = FALSE;
    CRect m_rcDrawn;
    int m_nBoxSize = 13;
    int m_nStyle = GCHK_STYLE_XP;
    BOOL m_bEnableCheck = TRUE;
    UINT m_nBoxAlign = 1;
    COLORREF m_crBoxBack = RGB(222, 235, 255);
    COLORREF m_crSide = RGB(99, 130, 165);
    COLORREF m_crTick = RGB(90, 113, 148);
};
