// CInPlaceEdit: the text editor that a cell opens over itself while it is
// edited (plain text, formula, numeric and tree cells).
//
// The editor is a child of the grid window. It keeps the grid's keyboard
// navigation: the keys that leave the cell (Enter, Tab, Esc, Page Up/Down,
// Up/Down, and Left/Right/Home/End at the ends of the text) go to the grid,
// which ends the edit and moves. Every other key and every character is shown
// to the control window (the grid's parent) first: a key with message
// kGridKeyPress (its answer is not used here), a character with message
// kGridOnChar, whose answer replaces the character (a two-byte character is
// shown once, whole, however it arrives). Numeric cells filter the characters
// (see NumericInput.h). The window grows to fit its text.
//
// The edit ends when the window loses the focus (or EndEdit is called): the
// editor sends WM_NOTIFY with a CellEditNotifyInfo (code -106, the row and
// column, the text and the key that ended the edit) to the grid and closes its
// window. Only one end runs at a time in the process, so focus changes caused
// by the grid's handling of that notification produce no second one.
//
// Lifetime: the end of an edit runs inside the editor's own messages (the
// grid is told from the editor's focus loss), and the grid's handling of it
// closes the editor. So the object is never deleted with delete while it may
// be handling a message: either it owns itself (SetAutoDelete: it deletes
// itself once its window is gone and its last message has returned), or its
// owner hands it to Discard. An editor whose window is closed from outside
// (DestroyWindow by its cell or the grid) reports nothing: only an end the
// editor runs itself sends the notification.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "cells/CellEditNotifyInfo.h"
#include "cells/Edit.h"
#include "cells/NumericInput.h"
#include "platform/Gdi.h"

// How an in-place editor shows its text.
struct InPlaceEditOptions {
    const LOGFONT* pFont = nullptr;     // the cell's font; NULL keeps the window's default font
    BOOL bBold = FALSE;                 // edit in bold whatever the font's weight (formula cells)
    BOOL bWrapText = FALSE;             // the cell wraps its text: the text is measured word-wrapped
    int nWrapWidth = 0;                 // ... in this width (the column's width)
};

class CInPlaceEdit : public CEdit {
public:
    // Grid messages to the control window: wParam is the address of a 32-bit
    // copy of the key (the character), lParam 1 (for an IME character, the
    // message's own lParam). The control may change the word; the editor goes
    // on with the character it leaves there.
    static constexpr UINT kGridKeyPress = 1030;
    static constexpr UINT kGridOnChar = 1072;

    // First characters with a meaning of their own.
    static constexpr UINT kStartByMouse = 1;    // a click, a double click or F2: the caret goes to the end

    typedef InPlaceEditOptions Options;

    CInPlaceEdit();
    ~CInPlaceEdit() override;

    // Opens the editor over rect (in the grid's client coordinates) with the
    // extra edit styles dwStyle (ES_RIGHT, ES_CENTER, ES_WANTRETURN,
    // ES_AUTOHSCROLL), shows sInitText, takes the focus and starts with the
    // key nFirstChar: 1 (mouse), 8 (Backspace) and 9 (Tab) put the caret at
    // the end of the text, anything else selects the whole text; a first
    // character above 7 is then typed into the editor (posted), so a letter
    // replaces the text and Backspace removes its last character.
    // FALSE when the window cannot be created (nothing else happens then).
    BOOL Create(CWnd* pParent, const RECT& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                const CString& sInitText, UINT nFirstChar, COLORREF crBack, COLORREF crText,
                const InPlaceEditOptions& options = InPlaceEditOptions());

    // Numeric input (copied from the cell before characters arrive).
    void SetInputType(int nInputType) { m_rule.nInputType = nInputType; }
    void SetInputLimit(BOOL bLimit, double dMin, double dMax);
    int GetInputType() const { return m_rule.nInputType; }

    // When set, Left and Right always leave the cell.
    void SetExitOnArrows(BOOL bExit) { m_bExitOnArrows = bExit; }

    // Ends the edit: notifies the grid and closes the window (see above).
    void EndEdit();

    // Closes the window and deletes the editor, at once or, when called from
    // inside one of its messages, when that message returns. NULL is ignored.
    static void Discard(CInPlaceEdit* pEdit);
    // The editor deletes itself once its window is destroyed.
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // Closes the window without reporting the edit.
    BOOL DestroyWindow() override;

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    UINT GetLastChar() const { return m_nLastChar; }
    const CString& GetInitialText() const { return m_sInitText; }
    CRect GetCurrentRect() const { return m_Rect; }
    CRect GetCreationRect() const { return m_rectCreate; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

private:
    // What a character does after Tab and Esc are handled: the host sees it,
    // the numeric filter judges what the host left, and it is typed. TRUE
    // when it was typed, FALSE when it was dropped.
    BOOL TypeChar(UINT nChar, LPARAM lParamChar, LPARAM lParamForHost);
    void PassToGrid(UINT nChar, UINT nRepCnt, UINT nFlags);
    DWORD AskControl(UINT message, DWORD value, LPARAM lParam);
    void FitToText();
    void DeleteWhenIdle();

    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar;
    BOOL m_bExitOnArrows;
    CRect m_Rect;              // the window's rectangle, grown with the text
    CRect m_rectCreate;        // the rectangle it was created over
    CFont m_font;
    COLORREF m_crBack;
    COLORREF m_crText;
    CBrush m_brushBack;
    NumericInputRule m_rule;
    BOOL m_bWrapText;
    int m_nWrapWidth;
    UINT m_nPendingLead;       // the first byte of a two-byte character typed as two characters

    int m_nMessageDepth;       // messages of this window being handled
    bool m_bDeletePending;     // to be deleted when they have returned
    bool m_bDiscarding;        // closed from outside: a focus loss reports nothing
    BOOL m_bAutoDelete;        // deleted with its window
};
