// Windows of the dialogs of the database menu, managers and report wizard.
#include "designer/win32/DialogWindows.h"

void RegisterDatabaseDialogWindows()
{
}
