// CEdit: a text editing window (a child window of the class "EDIT").
//
// On Windows the window is the system's edit control and CEdit only wraps its
// messages: a derived class sees every message in WindowProc and its handlers,
// and whatever it leaves to DefWindowProc is done by the system control.
//
// The host build has no system edit control. There CEdit's DefWindowProc does
// the control's work itself over a CEditBuffer: the text messages (WM_SETTEXT,
// WM_GETTEXT, WM_GETTEXTLENGTH), the selection messages (EM_GETSEL, EM_SETSEL,
// EM_REPLACESEL, EM_SCROLLCARET), typing (WM_CHAR, WM_IME_CHAR), the editing
// keys of WM_KEYDOWN, the font (WM_SETFONT, WM_GETFONT), WM_GETDLGCODE, and
// painting: the background and colours come from the parent's answer to
// WM_CTLCOLOREDIT, as with the system control. Tests drive it with the same
// messages a user's typing produces.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "platform/Wnd.h"

#include <memory>

class CEditBuffer;

class CEdit : public CWnd {
public:
    CEdit();
    ~CEdit() override;

    // A child edit window; dwStyle takes the ES_* styles. FALSE on failure.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void GetSel(int& nStartChar, int& nEndChar) const;
    DWORD GetSel() const;                   // start in the low word, end in the high word
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);

    // Whether this build's edit windows are the system's control (Windows) or
    // the buffer kept by CEdit itself (host build).
    static bool IsSystemControl();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT BufferProc(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintBuffer();

    std::unique_ptr<CEditBuffer> m_pBuffer;  // host build only
    HFONT m_hFont;                           // host build only: the font given by WM_SETFONT
};
