// CEditBuffer: the text and selection of a text editing field, with the
// editing keys of the system's edit control.
//
// Positions are byte offsets into code-page 936 text and always fall on
// character boundaries: a two-byte character is inserted, deleted and stepped
// over as one. The selection runs between an anchor and the caret; GetSel
// answers it ordered. Lines of a multi-line field are separated by "\r\n".
//
// The host build's edit window keeps its text here (see CEdit); on Windows the
// system's edit control does this work itself.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class CEditBuffer {
public:
    CEditBuffer();

    const CString& GetText() const { return m_text; }
    int GetLength() const { return m_text.GetLength(); }
    // Replaces the whole text; the caret goes to 0 with nothing selected.
    void SetText(LPCTSTR lpszText);

    // The selection, ordered (start <= end).
    void GetSel(int& nStart, int& nEnd) const;
    int GetCaret() const { return m_caret; }
    // As EM_SETSEL: nStart -1 removes the selection (the caret stays where it
    // is); a negative or too large nEnd means the end of the text; nStart may
    // lie after nEnd (the caret is at nEnd either way).
    void SetSel(int nStart, int nEnd);
    // Replaces the selection by the text (NULL: nothing; a lead byte at its
    // end, which has lost its second byte, is left out) and puts the caret
    // after it. Answers whether the text changed.
    bool ReplaceSel(LPCTSTR lpszText);

    // A character message (WM_CHAR): printable bytes are inserted (a lead byte
    // waits for its trail byte; a byte that cannot be one drops it and counts
    // as itself), Backspace deletes, Enter and line feed break the line in a
    // multi-line field; other control characters are ignored. Answers whether
    // the text changed.
    bool Char(UINT nChar, bool bMultiLine, bool bReadOnly = false);
    // An IME character (WM_IME_CHAR): a two-byte character as lead << 8 |
    // trail (ignored unless both bytes are valid), or a single byte.
    bool ImeChar(UINT nChar, bool bReadOnly = false);
    // A key (WM_KEYDOWN): Left, Right, Home, End (Ctrl: the whole text), Up,
    // Down (multi-line), Delete; Shift extends the selection. Answers whether
    // the key was one of these.
    bool KeyDown(UINT nVirtKey, bool bShift, bool bCtrl, bool bReadOnly = false);

private:
    int Snap(int nPos) const;          // clamped to the text and moved to a character start
    int Prev(int nPos) const;
    int Next(int nPos) const;
    int LineStart(int nPos) const;
    int LineEnd(int nPos) const;
    void MoveCaret(int nPos, bool bExtend);
    bool DeleteRange(int nStart, int nEnd);

    CString m_text;
    int m_anchor;
    int m_caret;
    int m_pendingLead;                 // a lead byte waiting for its trail byte, -1 none
};
