// Windows of the dialogs of the file, table and help menus and the tools.
#include "designer/win32/DialogWindows.h"

#include "designer/win32/dialogs/FileTableHelpWindows.h"

void RegisterFileTableHelpDialogWindows()
{
    RegisterValueDialogWindows();
    RegisterBatchDialogWindows();
    RegisterSelectPathWindow();
}
