// CHoverButton: the designer's owner-drawn button. It takes over an existing
// push button, check box or radio button of a dialog (remembering which kind
// it was), draws it flat or 3-D, lights it up with a raised edge while the
// mouse is over it, and keeps the check state of check boxes and radio
// buttons itself. The parent hands it WM_DRAWITEM through DrawItem.
#pragma once

#include "base/CString.h"

#include <windows.h>

class COwnerDrawButton {
public:
    virtual ~COwnerDrawButton() = default;
    // The kind the button had before it became owner-drawn (BS_PUSHBUTTON,
    // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, ...); a default push
    // button is kept as a push button that is the default.
    int GetButtonType() const { return m_nButtonType; }
    BOOL IsDefault() const { return m_bDefault; }

protected:
    // Makes the window owner-drawn and remembers its kind.
    void TakeOver(HWND hwnd);
    BOOL IsCheckType() const { return m_nButtonType == BS_CHECKBOX || m_nButtonType == BS_AUTOCHECKBOX; }
    BOOL IsRadioType() const { return m_nButtonType == BS_RADIOBUTTON || m_nButtonType == BS_AUTORADIOBUTTON; }

    int m_nButtonType = BS_PUSHBUTTON;
    BOOL m_bCanBeDefault = TRUE;
    BOOL m_bDefault = FALSE;
};

class CHoverButton : public COwnerDrawButton {
public:
    // Style bits.
    static const DWORD kFlat = 1;

    CHoverButton() = default;
    ~CHoverButton() override;
    CHoverButton(const CHoverButton&) = delete;
    CHoverButton& operator=(const CHoverButton&) = delete;

    // Takes over the dialog's button `id`; FALSE when there is none.
    BOOL SubclassDlgItem(int id, HWND dialog, DWORD style = kFlat);
    HWND Hwnd() const { return m_hwnd; }

    void SetImageAlign(DWORD align);
    void SetTextAlign(DWORD align);
    void SetTooltipText(const CString& text, BOOL activate = TRUE);
    void ResetColours(BOOL repaint = TRUE);
    void Enable() { ::EnableWindow(m_hwnd, TRUE); }
    void Disable() { ::EnableWindow(m_hwnd, FALSE); }

    BOOL IsHover() const { return m_bHover; }
    BOOL GetCheck() const { return m_bChecked; }

    // Draws the button for the parent's WM_DRAWITEM; FALSE when the item is
    // not a hover button.
    static BOOL DrawItem(const DRAWITEMSTRUCT* item);
    // The hover button of a window; null when it is none.
    static CHoverButton* FromHwnd(HWND hwnd);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void OnMouseMove();
    void Clicked();
    void Draw(const DRAWITEMSTRUCT* item);
    void Repaint() { ::InvalidateRect(m_hwnd, nullptr, FALSE); }

    HWND m_hwnd = nullptr;
    HWND m_tooltip = nullptr;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bChecked = FALSE;
    DWORD m_dwStyle = kFlat;
    DWORD m_dwImageAlign = 0;
    DWORD m_dwTextAlign = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    COLORREF m_crBack[3] = {0, 0, 0};
    COLORREF m_crText[3] = {0, 0, 0};
    int m_nColourState = 0;
};
