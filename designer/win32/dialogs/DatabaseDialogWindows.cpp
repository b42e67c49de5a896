// Windows of the dialogs of the database menu, managers and report wizard.
#include "designer/win32/DialogWindows.h"

#include "designer/dialogs/ConnectionStringPick.h"
#include "designer/dialogs/ReportWizard.h"
#include "designer/dialogs/TemplateTestDlg.h"
#include "designer/win32/dialogs/DatabaseWindows.h"

void RegisterDatabaseDialogWindows()
{
    RegisterDialogWindow(kDlgReportWizard, RunReportWizardWindow);
    RegisterDialogWindow(kDlgTemplateTest, RunTemplateTestWindow);
    RegisterDialogWindow(kDlgDataSourcePick, RunDataSourcePickWindow);
    RegisterDatabaseManagerWindows();
    RegisterBindDialogWindows();
}
