// The designer's own road to databases, beside the control's: testing a
// connection, the tables of a connection, the columns a query gives, and
// the installed drivers and data sources for the data-source picker. ODBC on
// both builds; text arrives as UTF-16 and is code page 936 here. Connection
// strings are the control's: handed to the driver manager as they stand,
// with the user name and password added as its own keywords.
#pragma once

#include "base/CString.h"

#include <memory>
#include <vector>

struct CDesignerDbLogin {
    CString strConnection;
    CString strUser;
    CString strPassword;
    int nTimeOut = 15;
};

class IDesignerDatabase {
public:
    virtual ~IDesignerDatabase() = default;
    // Whether the connection opens and its catalogue (the tables) can be
    // read; it is closed again at once.
    virtual bool Test(const CDesignerDbLogin& login, CString& error) = 0;
    // Names of the tables of type "TABLE".
    virtual bool ListTables(const CDesignerDbLogin& login, std::vector<CString>& tables, CString& error) = 0;
    // Names of the columns of a query's result (the rows are not read).
    virtual bool ListQueryColumns(const CDesignerDbLogin& login, const CString& sql, std::vector<CString>& columns,
                                  CString& error) = 0;
    // The columns of one table.
    virtual bool ListTableColumns(const CDesignerDbLogin& login, const CString& table, std::vector<CString>& columns,
                                  CString& error) = 0;
    virtual std::vector<CString> Drivers() = 0;
    virtual std::vector<CString> DataSources() = 0;
};

// The ODBC implementation.
std::unique_ptr<IDesignerDatabase> CreateDesignerDatabase();
// The connection string with "UID=" and "PWD=" added for a given user name
// and password.
CString DesignerDbFullConnection(const CDesignerDbLogin& login);
