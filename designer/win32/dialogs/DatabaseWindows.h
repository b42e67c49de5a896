// Windows of the database dialogs, registered by DatabaseDialogWindows.cpp.
#pragma once

#include "designer/win32/DialogWindows.h"

int RunReportWizardWindow(HWND owner, CDesignerDialog& model);
int RunTemplateTestWindow(HWND owner, CDesignerDialog& model);
int RunDataSourcePickWindow(HWND owner, CDesignerDialog& model);
// The managers and the connection, data-set and query condition dialogs.
void RegisterDatabaseManagerWindows();
// The binding and bound-field dialogs.
void RegisterBindDialogWindows();
// The colour check boxes of the binding dialogs: 1150 enables the background
// button 1021, 1151 the text button 1144; a button asks for its colour with
// the system's colour dialog. Answers TRUE when the command was one of them.
BOOL ColorCommand(HWND dialog, UINT id, BOOL& backOn, COLORREF& back, BOOL& textOn, COLORREF& text);
void ShowColorChecks(HWND dialog, BOOL backOn, BOOL textOn);
// The system's colour dialog with its custom area open, starting at color.
BOOL PickSystemColor(HWND owner, COLORREF& color);
