// The window families of the file, table and help dialogs, registered by
// RegisterFileTableHelpDialogWindows.
#pragma once

void RegisterValueDialogWindows();
void RegisterBatchDialogWindows();
void RegisterSelectPathWindow();
