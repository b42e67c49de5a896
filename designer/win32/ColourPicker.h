// The designer's colour button and its pop-up palette. CXColourPicker takes
// over a button of a dialog (an owner-drawn "Button" child of the dialog
// resource) and draws the current colour with a drop arrow; a click, Space,
// Enter or Alt+Down opens CXColourPopup under it, a top-level palette that
// holds the mouse capture, shows a tool tip per cell and ends on a click,
// Enter or Esc. The state and the notification sequence are the portable
// CColourPickerState; the parent receives 2025-2029 with the colour in wParam
// and the button's identifier in lParam.
#pragma once

#include "base/CString.h"
#include "designer/ColourPalette.h"

#include <windows.h>

class CXColourPicker {
public:
    CXColourPicker();
    ~CXColourPicker();
    CXColourPicker(const CXColourPicker&) = delete;
    CXColourPicker& operator=(const CXColourPicker&) = delete;

    // Takes over the dialog's child id; FALSE when there is no such child.
    BOOL SubclassDlgItem(UINT id, HWND dialog);
    HWND GetSafeHwnd() const { return m_hwnd; }

    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_state.GetColour(); }
    void SetTrackSelection(BOOL track) { m_state.SetTrackSelection(track != FALSE); }
    void SetCustomText(const CString& text) { m_customText = text; }
    COLORREF* CustomColours() { return m_state.CustomColours(); }

    // Opens the palette and returns when it closed (also used by tests).
    void DropDown();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void Notify(UINT message, COLORREF colour);

    HWND m_hwnd = nullptr;
    WNDPROC m_oldProc = nullptr;
    CColourPickerState m_state;
    CString m_customText;
    bool m_dropped = false;
};

// A static text drawn with its own colours and font.
class CColourLabel {
public:
    BOOL SubclassDlgItem(UINT id, HWND dialog);
    void SetTextColour(COLORREF c) { m_text = c; Invalidate(); }
    void SetBackgroundColour(COLORREF c) { m_back = c; Invalidate(); }
    void SetFont(HFONT font) { m_font = font; Invalidate(); }
    void SetIcon(HICON icon) { m_icon = icon; Invalidate(); }
    ~CColourLabel();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    void Invalidate();
    HWND m_hwnd = nullptr;
    WNDPROC m_oldProc = nullptr;
    COLORREF m_text = 0;
    COLORREF m_back = 0xFFFFFF;
    HFONT m_font = nullptr;
    HICON m_icon = nullptr;
};
