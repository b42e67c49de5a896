#include "designer/dialogs/ConnectionDlg.h"

CDialogCheck CConnectionFields::Check() const
{
    if (strName.IsEmpty())
        return CDialogCheck::Fail("链接名称不能为空!", kIdcConnName);
    if (strConnectionString.IsEmpty())
        return CDialogCheck::Fail("链接字符串不能为空!", kIdcConnString);
    return CDialogCheck();
}
