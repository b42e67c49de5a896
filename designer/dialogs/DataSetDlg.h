// The data-set dialog (one data set of a connection: name, SQL type and
// text, automatic open and close), the data-set manager and the query
// condition dialog that replaces one data set's SQL.
#pragma once

#include "designer/DesignerDialog.h"
#include "designer/dialogs/DialogCheck.h"

class IGridControl;

enum : UINT {
    kDlgDataSet = 194,
    kDlgDataSetManager = 197,
    kDlgQueryCondition = 218,
    kIdcDsSqlType = 1103,
    kIdcDsName = 1123,
    kIdcDsSql = 1124,
    kIdcDsAutoOpen = 1131,
    kIdcDsAutoClose = 1132,
    kIdcDsConnName = 1137,
    kIdcQcConnection = 1103,
    kIdcQcDataSet = 1104,
    kIdcQcSql = 1124,
};

class CDataSetDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgDataSet; }
    BOOL m_bAdd = TRUE;          // add mode; in change mode the name is read-only
    CString m_strConnName;       // read-only, set by the caller
    CString m_strName;
    int m_nSqlType = 0;          // 0 any, 1 query, 2 table, 3 stored procedure; -1 none chosen
    CString m_strSql;
    BOOL m_bAutoOpen = TRUE;
    BOOL m_bAutoClose = TRUE;

    // "链接名称不能为空!", "数据集名称不能为空!" (name), "SQL语句不能为空!"
    // (SQL), "SQL类型不能为空!" (type), in this order.
    CDialogCheck Check() const;
};

class CDataSetManagerDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgDataSetManager; }
};

class CQueryConditionDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgQueryCondition; }
};
