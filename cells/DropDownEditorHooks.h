// How the drop-down cells open their in-place editors.
//
// The cells are portable; their editors are windows. A cell asks through the
// hooks below, which the editors' code installs (InstallDropDownEditorHooks);
// without them no editor opens and Edit answers FALSE.
//
// An editor deletes itself after its window is destroyed. Before it goes it
// calls the cell's forget function (through the grid, by row and column,
// so a cell deleted in the meantime is never touched), so no cell keeps a
// pointer to a closed editor.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"

#include <vector>

class CGridCtrl;
class CWnd;

struct DropDownEditorRequest {
    CGridCtrl* pGrid = nullptr;
    CRect rect;                       // the cell rectangle in the grid
    DWORD dwStyle = 0;                // combo style word (CBS_*)
    UINT nID = 0;
    int nRow = -1;
    int nCol = -1;
    COLORREF crText = 0;
    COLORREF crBack = 0xFFFFFF;
    std::vector<CString> items;
    CString strText;                  // the cell's text
    UINT nChar = 0;                   // the key that started the edit
    int nListHeight = 0;
    BOOL bAutoDropDown = TRUE;
    int nInitialIndex = -1;           // single choice: the item selected on opening
    // Multi-check editors only.
    BOOL bMultiCheck = FALSE;
    CString strSeparator = ",";
    BOOL bMatch = TRUE;
    int nSelectionCommand = -1;
};

struct DateTimeEditorRequest {
    CGridCtrl* pGrid = nullptr;
    CRect rect;
    UINT nID = 0;
    int nRow = -1;
    int nCol = -1;
    COLORREF crText = 0;
    COLORREF crBack = 0xFFFFFF;
    int nMode = 0;
    int nStyle = 0;
    int nZeroFill = 0;
    double dtStart = 0.0;             // the value the fields open on
    UINT nChar = 0;
};

// What the editor hands back when the cell asks (the combo cells' EndEdit
// and OnEndEdit).
struct DropDownEditorState {
    int nFirstSelected = -1;
    CString strFirstText;
    CString strSelectionText;         // multi-check: checked items in check order
    CString strCheckedIndexes;        // multi-check: ascending, joined by the separator
    int nCheckedCount = 0;
};

struct DropDownEditorHooks {
    CWnd* (*pfnCreateCombo)(const DropDownEditorRequest& request) = nullptr;
    CWnd* (*pfnCreateDateTime)(const DateTimeEditorRequest& request) = nullptr;
    // Reads the editor's choice; FALSE when the editor is gone.
    BOOL (*pfnGetState)(CWnd* pEditor, DropDownEditorState* pState) = nullptr;
    // Ends the editor's edit (it notifies the grid and closes).
    void (*pfnEndEdit)(CWnd* pEditor) = nullptr;
    // Closes the editor without a report and without looking for its cell
    // again (the cell is going).
    void (*pfnDiscard)(CWnd* pEditor) = nullptr;
    // Forwards a key to an open editor (a second Edit while editing).
    void (*pfnForwardChar)(CWnd* pEditor, UINT nChar) = nullptr;
    // The date/time editor after a click on the cell's button: show the
    // calendar (date mode) or focus the first field.
    void (*pfnDropDown)(CWnd* pEditor) = nullptr;
};

void SetDropDownEditorHooks(const DropDownEditorHooks& hooks);
const DropDownEditorHooks& GetDropDownEditorHooks();
