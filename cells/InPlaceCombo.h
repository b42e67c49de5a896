// CInPlaceCombo: the in-place editor of the combo box cell, and in
// multi-check mode of the multi-check combo cell: a drop-down host over the
// cell, filled with the cell's items.
//
// Opening: the rectangle widened by 2 pixels right and below; a drop-down
// list makes the edit read-only; the starting text is the cell's text (a
// read-only edit selects the items it names; a multi-check list is checked
// from it either way, and a pending select-all, clear-all or invert is then
// applied). The first key: 1 (mouse), 8, 9 and Up/Down put the caret at the
// end, 32-37 select the whole text and do nothing more, anything else
// selects the whole text; a character is then typed.
//
// Keys: PgUp, PgDn and the arrows with Ctrl end the edit and move; PgUp,
// PgDn, Up and Down end it while the list is closed; End/Right and
// Home/Left move the caret until it reaches the end or start of an editable
// text, then end the edit; Enter puts the list's item into the edit and ends
// it (multi-check: refreshes the text from the checks); any other key is
// shown to the control window (message 1030) first. Esc restores the starting
// text and ends; Tab ends. A pick sends 1050 (GridCellComboSelChange: row,
// column, index, text) to the control window (single choice only).
//
// The end of the edit (focus leaving the editor's windows, or the cell's
// EndEdit) sends WM_NOTIFY (-106) with the edit's text and the end key to the
// grid, then closes the window; the object deletes itself afterwards. A
// multi-check editor in editable style stays open when the focus leaves it,
// until the grid ends it.
#pragma once

#include "cells/DropDownEditorHooks.h"
#include "cells/DropDownWnd.h"

class CInPlaceCombo : public CDropDownWnd {
public:
    CInPlaceCombo();
    ~CInPlaceCombo() override;

    BOOL Create(const DropDownEditorRequest& request);
    // Reports the edit to the grid and closes (see above).
    void EndEdit();
    void ForwardChar(UINT nChar);
    // Closes without a report, forgetting the cell.
    void Discard();
    void GetState(DropDownEditorState* pState);
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }
    UINT GetEndKey() const { return m_nEndKey; }

    // TRUE when the object is a live drop-down editor.
    static BOOL IsLive(const CWnd* pEditor);

protected:
    void OnEditKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnEditKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnEditFocusLost(CWnd* pNewWnd) override;
    void OnPicked() override;
    void PostNcDestroy() override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }

private:
    void EndAndMove(UINT nChar, UINT nRepCnt, UINT nFlags);
    void StartKey(UINT nChar);
    void RestoreStartText();
    CWnd* GetControlWnd() const;

    int m_nRow = -1;
    int m_nCol = -1;
    UINT m_nEndKey = 0;
    CString m_strStartText;
    BOOL m_bNotifyingPick = FALSE;
    BOOL m_bEnding = FALSE;
    BOOL m_bDiscarded = FALSE;
    int m_nDepth = 0;
    BOOL m_bDeletePending = FALSE;
};

// Installs the drop-down editors' hooks (the cells open them through these).
void InstallDropDownEditorHooks();
