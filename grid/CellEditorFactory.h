// How a cell gets its in-place editor.
//
// The editor windows belong to the layer above the grid, so the grid asks for
// one through hooks that layer installs once. Without hooks no editor is made
// and Edit leaves the cell as it was. The editor object owns itself: it is
// destroyed with its window (it deletes itself after its last message), so a
// cell only forgets its pointer.
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
};

struct CellEditorHooks {
    // Opens the editor; NULL when none could be made.
    CWnd* (*pfnCreate)(const CellEditorRequest& request) = nullptr;
    // Ends the editor's edit (it reports the result to the grid and closes).
    void (*pfnEndEdit)(CWnd* pEditor) = nullptr;
};

void SetCellEditorHooks(const CellEditorHooks& hooks);
const CellEditorHooks& GetCellEditorHooks();
