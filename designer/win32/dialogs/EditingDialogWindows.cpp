// Windows of the dialogs of the editing commands.
#include "designer/win32/DialogWindows.h"

void RegisterEditingDialogWindows()
{
}
