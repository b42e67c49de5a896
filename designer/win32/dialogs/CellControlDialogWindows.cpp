// Windows of the dialogs of the cell controls, display formats and cell properties.
#include "designer/win32/DialogWindows.h"

void RegisterCellControlDialogWindows()
{
}
