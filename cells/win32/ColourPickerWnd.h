// CColourPicker: an owner-drawn push button that shows a colour with a
// drop-down arrow and opens the palette popup below itself when clicked.
//
// It takes over a button of a dialog (SubclassDlgItem): the button becomes
// owner-drawn and at least as large as its arrow needs. The popup's
// notifications come back to the button and go on to the parent with the
// picker's control id in lParam: 2026 when the popup opens, 2025 while its
// current entry moves, and when it ends 2027 followed by 2028 (a colour or the
// default box chosen; then 2025 when the colour changed) or 2029 (cancelled).
//
// The parent's dialog procedure passes its WM_DRAWITEM and WM_COMMAND to
// CColourPicker::Reflect first. A quick second click is a click like the
// first, not a double click. The object and its window may end in either
// order: the object gives the button back its own procedure when it goes
// first, and forgets the window when the window goes first.
#pragma once

#include "cells/ColourPicker.h"

#include <windows.h>

class CColourPicker {
public:
    CColourPicker();
    ~CColourPicker();
    CColourPicker(const CColourPicker&) = delete;
    CColourPicker& operator=(const CColourPicker&) = delete;

    // Takes over the button nID of hwndParent. FALSE when there is no such
    // button or this object already has one.
    BOOL SubclassDlgItem(UINT nID, HWND hwndParent);
    HWND GetSafeHwnd() const { return m_hwnd; }

    COLORREF GetColour() const { return m_model.GetColour(); }
    void SetColour(COLORREF cr);
    COLORREF GetDefaultColour() const { return m_model.crDefault; }
    void SetDefaultColour(COLORREF cr) { m_model.crDefault = cr; }
    void SetDefaultText(LPCSTR text) { m_model.SetDefaultText(text); }
    void SetCustomText(LPCSTR text) { m_model.SetCustomText(text); }
    void SetSelectionMode(int nMode) { m_model.nSelectionMode = nMode; }
    void SetTrackSelection(bool bTrack) { m_model.bTrackSelection = bTrack; }
    // Whether the default box was the last choice.
    bool IsDefaultChosen() const { return m_model.bDefaultChosen; }
    bool IsPopupOpen() const { return m_model.bPopupOpen; }
    // The popup, while it is open.
    HWND GetPopup() const { return m_popup != nullptr && ::IsWindow(m_popup) ? m_popup : nullptr; }

    // For a parent whose procedure is a plain dialog procedure: a picker's
    // WM_DRAWITEM and its BN_CLICKED are handled by the picker. TRUE when the
    // message was a picker's.
    static BOOL Reflect(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static CColourPicker* FromHandle(HWND hwnd);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Draw(const DRAWITEMSTRUCT& di);
    void OnClicked();
    void Tell(const palette::Notices& notices);
    void Release();

    HWND m_hwnd = nullptr;
    HWND m_popup = nullptr;
    WNDPROC m_super = nullptr;
    palette::PickerModel m_model;
};
