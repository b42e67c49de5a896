// The designer's data-source picker, behind the connection dialogs'
// "创建": the user picks an installed ODBC driver or data source and a
// database (a file or a name), and the picker builds the connection string.
// Editing a string starts from what the string already says.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"
#include "designer/dialogs/DialogCheck.h"

#include <utility>
#include <vector>

enum : UINT {
    kDlgDataSourcePick = 195,
    kIdcPickKind = 1201,       // 0 driver, 1 data source
    kIdcPickSource = 1202,     // the driver or data-source name
    kIdcPickDatabase = 1203,
    kIdcPickBrowse = 1204,
    kIdcPickResult = 1205,
};

// The "key=value" pairs of an ODBC connection string in order: keys
// trimmed, values trimmed unless braced ("{...}", "}}" standing for "}");
// pieces without "=" and empty keys are dropped. Never fails: any text
// gives some list.
std::vector<std::pair<CString, CString>> ReadConnectionString(const CString& text);
// The value of a key (compared ignoring case); "" when absent.
CString ConnectionStringValue(const std::vector<std::pair<CString, CString>>& pairs, const char* key);
// "Driver={name};Database=path;" or "DSN=name;Database=path;" (no Database
// part when the database is empty). A name or path holding ';', '{' or '}'
// is braced so that it reads back the same.
CString BuildConnectionString(bool dataSource, const CString& name, const CString& database);

class CDataSourcePickDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgDataSourcePick; }
    // Starts from a connection string (empty: a new one).
    void Preset(const CString& connection);
    CString Result() const { return BuildConnectionString(m_bDataSource, m_strSource, m_strDatabase); }
    // "请选择驱动程序或数据源!" when no driver or data source is chosen.
    CDialogCheck Check() const;

    BOOL m_bDataSource = FALSE;
    CString m_strSource;
    CString m_strDatabase;
    // Filled by the caller from the access layer before the dialog runs.
    std::vector<CString> m_drivers;
    std::vector<CString> m_dataSources;
};
