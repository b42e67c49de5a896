// CButton: a push button (a child window of the class "BUTTON").
//
// On Windows the window is the system's button control. The host build has
// none; there CButton's DefWindowProc does the little a push button needs:
// a left click pressed inside and released inside sends WM_COMMAND
// BN_CLICKED to the parent, and an owner-drawn button (BS_OWNERDRAW) has its
// parent paint it through WM_DRAWITEM (ODS_SELECTED while pressed,
// ODS_FOCUS with the focus, ODS_DISABLED when disabled).
#pragma once

#include "base/OwnerDraw.h"
#include "base/WinConstants.h"
#include "base/WinTypes.h"
#include "platform/Wnd.h"

class CButton : public CWnd {
public:
    CButton();

    // A child button window with the caption; dwStyle takes the BS_* styles.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    static bool IsSystemControl();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OwnProc(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintOwnerDrawn();

    BOOL m_bPushed;            // host build: the mouse went down on the button
};
