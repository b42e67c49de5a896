// CGridCellButton: a cell that shows a push button beside or instead of its
// text.
//
// The button is set up by the cell's control text (element "control"):
// "btntext", "align" (0 left, 1 the whole cell, 2 right), "btnwidth",
// "disable", "btntextalign" (a DrawText format, single-line always added),
// "textimagepos" (1 text left of the picture, 2 above, 3 right, 4 below),
// "leavetype" (1 a face on every cell, 0 only on the focus cell) and the five
// picture indexes "btnimgindex", "btnimgfocusedindex", "btnimgpressedindex",
// "btnimghotindex", "btnimgdisabledindex". Applying a control text writes
// every value it lacks back into it. An older text keeps its settings in one
// "style" attribute (pieces split by "\n"); it is converted to the named
// attributes and "style" is emptied.
//
// Pressing the button posts 1040 (WM_GRID_CELLBTNLCLICKDOWN) to the grid's
// parent, releasing it over the button 1039 (WM_GRID_CELLBTNLCLICKUP), with
// MAKELONG(row, col) and MAKELONG(0, 2) or MAKELONG(0, 1). A disabled button
// posts neither.
//
// Record level (end tag 3900), after CGridCell's: 3801 the control text with
// its NUL (refreshed first), 3802 row and 3803 column when not negative.
// Templates of version "03.81" and older hold a shorter level: its size, the
// CGridCellBase level, items of which only 3801 is read, 3900.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"

const int CELL_RECORD_BUTTON_END = 3900;
const int CELL_RECORD_BUTTON_CONTROL = 3801;
const int CELL_RECORD_BUTTON_ROW = 3802;
const int CELL_RECORD_BUTTON_COL = 3803;

// States of the button, and the faces of the button skin in this order.
enum GridButtonState : int {
    GBS_NORMAL = 0,
    GBS_RELEASED = 1,   // drawn with the focused face
    GBS_PRESSED = 2,
    GBS_HOT = 3,
    GBS_DISABLED = 4,
};

class CGridCellButton : public CGridCell {
    DECLARE_DYNCREATE(CGridCellButton)

public:
    CGridCellButton() = default;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;
    void SetCoords(int nRow, int nCol) override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;
    int GetTextAreaWidth(CDC* pDC, int nCol) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;

    void OnMouseOver() override;
    void OnMouseLeave() override;
    void OnClickDown(CPoint ptCellRelative) override;
    void OnClick(CPoint ptCellRelative) override;

    int GetButtonState() const { return m_nState; }
    int GetButtonWidth() const { return m_nButtonWidth; }
    int GetButtonAlign() const { return m_nButtonAlign; }
    UINT GetButtonTextAlign() const { return m_nTextAlign; }
    int GetTextImagePos() const { return m_nTextImagePos; }
    int GetLeaveType() const { return m_nLeaveType; }
    int GetImageIndex(int nState) const { return nState >= 0 && nState < 5 ? m_nImages[nState] : -1; }
    CString GetButtonText() const { return m_strButtonText; }
    BOOL IsDisabled() const { return m_bDisabled; }
    int GetButtonRow() const { return m_nButtonRow; }
    int GetButtonCol() const { return m_nButtonCol; }

    // The button and text rectangles of a cell rectangle: align 0 the button
    // at the left (nWidth wide) and the text beside it, 2 at the right, 1
    // (or any other value) both the whole cell.
    static void ComputeRects(const CRect& cell, int nAlign, int nWidth, CRect* pButton, CRect* pText);

private:
    void ApplyAttributes();
    BOOL ConvertStyle();
    BOOL ClientPoint(CPoint ptCellRelative, CPoint* pPoint, CRect* pButton);
    void PostToParent(UINT message, int nCode);
    void DrawFace(CDC* pDC, CRect rect);
    BOOL DrawButtonCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd, BOOL bPrinting);
    void WriteButtonItems(class CCellRecordWriter& w);

    CXmlElement m_element;
    int m_nState = GBS_NORMAL;
    int m_nButtonWidth = 0;
    int m_nButtonAlign = 1;
    UINT m_nTextAlign = 37;
    int m_nTextImagePos = 3;
    int m_nLeaveType = 1;
    int m_nImages[5] = {-1, -1, -1, -1, -1};
    CString m_strButtonText = "...";
    BOOL m_bDisabled = FALSE;
    int m_nButtonRow = -1;
    int m_nButtonCol = -1;
    CRect m_rcDrawn;
};
