// Windows of the dialogs of the file, table and help menus and the tools.
#include "designer/win32/DialogWindows.h"

void RegisterFileTableHelpDialogWindows()
{
}
