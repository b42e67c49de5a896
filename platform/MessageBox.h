// A message box with its own caption and, optionally, no owner window.
//
// AfxMessageBox (System.h) shows the program's caption over the active
// window; this one takes the caption and the owner from the caller (NULL: no
// owner). The host build never blocks: it records the box with the others
// (Headless::MessageBoxes) and answers the next queued answer, else the
// type's first button.
#pragma once

#include "base/WinTypes.h"

int PlatformMessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
