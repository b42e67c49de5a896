#include "designer/dialogs/DataSetDlg.h"

CDialogCheck CDataSetDlg::Check() const
{
    if (m_strConnName.IsEmpty())
        return CDialogCheck::Fail("链接名称不能为空!");
    if (m_strName.IsEmpty())
        return CDialogCheck::Fail("数据集名称不能为空!", kIdcDsName);
    if (m_strSql.IsEmpty())
        return CDialogCheck::Fail("SQL语句不能为空!", kIdcDsSql);
    if (m_nSqlType < 0)
        return CDialogCheck::Fail("SQL类型不能为空!", kIdcDsSqlType);
    return CDialogCheck();
}
