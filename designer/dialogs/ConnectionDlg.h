// The connection dialog (one connection of the template: name, connection
// string, user, password, time-out, automatic open and close) and the
// fields the report wizard's data-source page shares with it.
#pragma once

#include "designer/DesignerDialog.h"
#include "designer/dialogs/DialogCheck.h"

class IGridControl;

enum : UINT {
    kDlgConnectionManager = 190,
    kDlgConnection = 192,
    kIdcConnName = 1122,
    kIdcConnString = 1123,
    kIdcConnCreate = 1124,
    kIdcConnTest = 1125,
    kIdcConnUser = 1126,
    kIdcConnPassword = 1127,
    kIdcConnTimeOut = 1128,
    kIdcConnAutoOpen = 1131,
    kIdcConnAutoClose = 1132,
    kIdcConnTimeOutSpin = 1134,
};

struct CConnectionFields {
    CString strName;
    CString strConnectionString;
    CString strUsername;
    CString strPwd;       // exactly as typed
    LONG nTimeOut = 15;   // stored as typed; the spin steps within 0 to 1000
    BOOL bAutoOpen = TRUE;
    BOOL bAutoClose = TRUE;

    // "链接名称不能为空!" (name), then "链接字符串不能为空!" (string).
    CDialogCheck Check() const;
};

class CConnectionDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgConnection; }
    int m_nMode = 1;      // 1 new, 0 change (the name cannot be edited)
    CConnectionFields m_data;
};

class CConnectionManagerDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgConnectionManager; }
};
