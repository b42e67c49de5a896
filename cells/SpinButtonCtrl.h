// CSpinButtonCtrl: an up-down control (a pair of arrows stepping an integer
// position), a child window of the class "msctls_updown32".
//
// On Windows the window is the system's common control. The host build has
// none; there CSpinButtonCtrl's DefWindowProc does the control's work itself:
// the range, position and buddy messages (UDM_SETRANGE, UDM_SETRANGE32,
// UDM_GETRANGE32, UDM_SETPOS, UDM_SETPOS32, UDM_GETPOS32, UDM_SETBUDDY,
// UDM_GETBUDDY) and a left click on an arrow (the upper or left half steps
// up): the parent is asked with WM_NOTIFY UDN_DELTAPOS (an answer of 0 lets
// the step happen, clamped at the range's ends or wrapped with UDS_WRAP),
// then told with WM_VSCROLL (WM_HSCROLL for UDS_HORZ) SB_THUMBPOSITION, as
// the system control does.
#pragma once

#include "base/WinConstants.h"
#include "base/WinTypes.h"
#include "platform/Wnd.h"

#include "base/UpDown.h"

class CSpinButtonCtrl : public CWnd {
public:
    CSpinButtonCtrl();

    // A child up-down window; dwStyle takes the UDS_* styles. FALSE on failure.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& nLower, int& nUpper) const;
    int SetPos32(int nPos);                 // answers the previous position
    int GetPos32() const;
    CWnd* SetBuddy(CWnd* pWndBuddy);        // answers the previous buddy (temporary object)
    CWnd* GetBuddy() const;                 // NULL when none

    // Whether this build's up-down windows are the system's control.
    static bool IsSystemControl();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The host build's control.
    LRESULT OwnProc(UINT message, WPARAM wParam, LPARAM lParam);
    void Step(int nDirection);

    int m_nLower;
    int m_nUpper;
    int m_nPos;
    HWND m_hBuddy;
};

// Makes the system's up-down class available (Windows); the host build's
// control needs nothing.
void PlatformEnsureUpDownClass();
