// CHoverButton: the designer's owner-drawn button. It takes over an existing
// push button, check box or radio button of a dialog (remembering which kind
// it was), draws it flat or 3-D, lights it up with a raised edge while the
// mouse is over it, and keeps the check state of check boxes and radio
// buttons itself. It can show a picture from an image list (greyed when
// disabled), a tool tip, a drop-down arrow part with a pop-up menu, its own
// cursor, and open a link when a push button is clicked. The rules live in
// CHoverButtonState (designer/HoverButtonState.h); the parent hands it
// WM_DRAWITEM through DrawItem.
#pragma once

#include "base/CString.h"
#include "designer/HoverButtonState.h"

#include <windows.h>
#include <commctrl.h>

class COwnerDrawButton {
public:
    virtual ~COwnerDrawButton() = default;
    // The kind the button had before it became owner-drawn (BS_PUSHBUTTON,
    // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, ...); a default push
    // button is kept as a push button that is the default.
    int GetButtonType() const { return m_base.GetButtonType(); }
    BOOL IsDefault() const { return m_base.IsDefault(); }

protected:
    explicit COwnerDrawButton(COwnerDrawButtonState& base) : m_base(base) {}
    // Makes the window owner-drawn and remembers its kind.
    void TakeOver(HWND hwnd);

    COwnerDrawButtonState& m_base;
};

class CHoverButton : public COwnerDrawButton {
public:
    // Style bits.
    static const DWORD kFlat = CHoverButtonState::kFlat;
    static const DWORD kDropDown = CHoverButtonState::kDropDown;
    static const DWORD kAutoSize = CHoverButtonState::kAutoSize;

    CHoverButton() : COwnerDrawButton(m_state) {}
    ~CHoverButton() override;
    CHoverButton(const CHoverButton&) = delete;
    CHoverButton& operator=(const CHoverButton&) = delete;

    // Takes over the dialog's button `id`; FALSE when there is none. Once
    // the window is gone the button keeps its settings and touches no window.
    BOOL SubclassDlgItem(int id, HWND dialog, DWORD style = kFlat);
    HWND Hwnd() const { return m_hwnd; }

    // Loads bitmap resource `id` of the program into the image list (square
    // pictures as wide as the bitmap is high), crMask transparent.
    BOOL SetBitmap(UINT id, COLORREF crMask);
    // The same from a bitmap the button then owns.
    BOOL SetBitmap(HBITMAP bitmap, COLORREF crMask);
    void SetIcon(HICON icon);      // owned
    void SetCursor(HCURSOR cursor);
    void SetMenu(HMENU menu);      // owned; its first sub-menu drops down
    void SetURL(const CString& url);
    void SetImageAlign(DWORD align);
    void SetTextAlign(DWORD align);
    void SetTooltipText(const CString& text, BOOL activate = TRUE);
    void ResetColours(BOOL repaint = TRUE);
    void Enable();
    void Disable();

    BOOL IsHover() const { return m_state.m_bHover; }
    BOOL GetCheck() const { return m_state.GetCheck(); }
    const CHoverButtonState& State() const { return m_state; }

    // Draws the button for the parent's WM_DRAWITEM; FALSE when the item is
    // not a hover button.
    static BOOL DrawItem(const DRAWITEMSTRUCT* item);
    // The hover button of a window; null when it is none.
    static CHoverButton* FromHwnd(HWND hwnd);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void Apply(const CHoverButtonState::Effect& e);
    void ShowMenu();
    void CheckGroup();
    void FitToContent();
    void Draw(const DRAWITEMSTRUCT* item);
    void Repaint() { if (m_hwnd != nullptr) ::InvalidateRect(m_hwnd, nullptr, FALSE); }
    void Release();

    CHoverButtonState m_state;
    HWND m_hwnd = nullptr;
    HWND m_tooltip = nullptr;
    DWORD m_dwImageAlign = 0;
    DWORD m_dwTextAlign = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    COLORREF m_crBack[3] = {0, 0, 0};
    COLORREF m_crText[3] = {0, 0, 0};
    CString m_szURL;
    HMENU m_menu = nullptr;
    HIMAGELIST m_imageList = nullptr;
    HBITMAP m_bitmap = nullptr;
    HICON m_icon = nullptr;
    HCURSOR m_cursor = nullptr;
    int m_imageW = 0;
    int m_imageH = 0;
    bool m_down = false;   // the left button went down on the button itself
};
