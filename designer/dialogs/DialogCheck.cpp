#include "designer/dialogs/DialogCheck.h"

#include "designer/DesignerUi.h"

bool ReportCheck(IDesignerUi& ui, const CDialogCheck& check)
{
    if (check.Passed())
        return true;
    ShowHint(ui, check.message);
    return false;
}

void ShowHint(IDesignerUi& ui, const CString& text)
{
    ui.MessageBox(text, CString("提示"), MB_OK | MB_ICONINFORMATION);
}
