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
