// How a cell gets its in-place editor, and the grid its title tip.
//
// The editor and title-tip windows belong to the layer above the grid, so the
// grid asks for them through hooks that layer installs once. Without hooks no
// editor is made (Edit leaves the cell as it was) and no tip is shown. An
// editor object owns itself: it is destroyed with its window (it deletes
// itself after its last message), so a cell only forgets its pointer and never
// deletes it. A title tip object is owned by the grid that asked for it.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"

class CFont;
class CGridCell;
class CGridCtrl;
class CWnd;

// Everything an editor needs to open over a cell.
struct CellEditorRequest {
    CGridCtrl* pGrid = nullptr;
    CGridCell* pCell = nullptr;
    CRect rect;                  // client rectangle of the editor in the grid
    DWORD dwStyle = 0;           // ES_* alignment and line style
    UINT nID = 0;
    int nRow = -1;
    int nCol = -1;
    CString strText;
    COLORREF crText = 0;
    COLORREF crBack = 0;
    CFont* pFont = nullptr;
    UINT nChar = 0;              // the character that started the edit
    int nInputType = 0;
    BOOL bLimit = FALSE;
    double dMin = 0.0;
    double dMax = 0.0;
    BOOL bBoldFont = FALSE;      // edit in bold whatever the font's weight (formula cells)
    BOOL bWrapText = FALSE;      // the cell wraps its text: the editor measures it word-wrapped
    int nWrapWidth = 0;          // ... in this width (the column's width)
};

struct CellEditorHooks {
    // Opens the editor; NULL when none could be made.
    CWnd* (*pfnCreate)(const CellEditorRequest& request) = nullptr;
    // Ends the editor's edit (it reports the result to the grid and closes).
    void (*pfnEndEdit)(CWnd* pEditor) = nullptr;
};

void SetCellEditorHooks(const CellEditorHooks& hooks);
const CellEditorHooks& GetCellEditorHooks();

// What the grid asks of its title tip.
struct GridTitleTipRequest {
    CRect rectScreen;            // where the tip goes (screen coordinates)
    CString strText;
    int nXOffset = 0;            // the tip shows only when this is 0 or more
    CRect rectHover;             // the area (grid client coordinates) the mouse may move in
    const LOGFONT* pFont = nullptr;   // NULL: the grid's font
    COLORREF crText = 0;
    COLORREF crBack = 0;
};

struct GridTitleTipHooks {
    // Makes a tip for the grid (its window may be created later); NULL when
    // none could be made. The grid owns and deletes the object.
    CWnd* (*pfnCreate)(CGridCtrl* pGrid) = nullptr;
    void (*pfnShow)(CWnd* pTip, const GridTitleTipRequest& request) = nullptr;
    void (*pfnHide)(CWnd* pTip) = nullptr;
};

void SetGridTitleTipHooks(const GridTitleTipHooks& hooks);
const GridTitleTipHooks& GetGridTitleTipHooks();
