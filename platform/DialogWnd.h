// Windows made from the library's dialog resources.
//
// On Windows the window is the dialog template compiled into the module: its
// size, font, styles and controls come from the template, and the template's
// window class (its CLASS line) is registered here as a dialog class (the
// dialog manager's procedure, the button-face background). The object is tied
// to the window as CWnd::CreateEx ties its windows, so every message reaches
// its WindowProc; what the object leaves to DefWindowProc gets the dialog
// manager's handling.
//
// The host build has no resources: it makes the window alone, of the class,
// styles and size in dialog units given here, and the controls are the
// caller's to add (PlatformDialogHasTemplateControls says which applies).
#pragma once

#include "platform/Wnd.h"

struct DialogResourceInfo {
    UINT nId = 0;                      // the dialog resource
    LPCTSTR lpszClass = nullptr;       // the template's window class
    // The host build's stand-in for the template (Windows reads its own).
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    int cxDlu = 0;
    int cyDlu = 0;
};

// Creates pWnd's window from the dialog resource, a child of pParent when the
// template has WS_CHILD, else a top-level window owned by pParent. FALSE when
// the resource or the class is missing or the window could not be made.
BOOL PlatformCreateDialogWindow(CWnd* pWnd, const DialogResourceInfo& info, CWnd* pParent);

// Whether dialog windows arrive with the template's controls (Windows) or
// without them (the host build).
bool PlatformDialogHasTemplateControls();

// Dialog units of the dialog's font to pixels, in place.
void PlatformMapDialogRect(const CWnd* pDialog, RECT* pRect);

// Ties pWnd to an existing window (a control a dialog template made) and
// routes the window's messages through pWnd's WindowProc; the window's own
// procedure becomes pWnd's DefWindowProc. FALSE when pWnd already has a
// window or hWnd already has an object.
BOOL PlatformSubclassWindow(CWnd* pWnd, HWND hWnd);
