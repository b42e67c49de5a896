// The system's file dialog for hosts that have none of their own.
//
// PlatformFileDialog calls the current handler: the system's open or save
// dialog on Windows; on the headless platform a dialog the user cancels. A
// test may put in its own handler.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// bOpen: an open dialog, else a save dialog. szFilter is the "|"-separated
// form ("Templates (*.kvx)|*.kvx|All files|*.*|"). The chosen path, or ""
// when the dialog was cancelled.
typedef CString (*PlatformFileDialogHandler)(BOOL bOpen, LPCTSTR szFilter, LPCTSTR szDefFileName);

CString PlatformFileDialog(BOOL bOpen, LPCTSTR szFilter, LPCTSTR szDefFileName);
// Replaces the handler; NULL restores the platform's own. Answers the one replaced.
PlatformFileDialogHandler SetPlatformFileDialogHandler(PlatformFileDialogHandler pfnHandler);
// The platform's own dialog (options: hide read-only, prompt before overwriting).
CString PlatformSystemFileDialog(BOOL bOpen, LPCTSTR szFilter, LPCTSTR szDefFileName);
