// The access layer's connection: one data-source connection behind the small
// interface the connection definitions use. It runs on the platform's
// database service (platform/Database.h), which opens a provider's string
// ("Provider=...") through the system's ADO where there is one and every
// other string through ODBC. An open failure shows the connection error box
// (caption "错误") with the provider's or driver's own text and answers
// FALSE; nothing else leaves the layer.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "platform/Database.h"

#include <memory>

class CAdoConnection {
public:
    CAdoConnection();
    ~CAdoConnection();

    CAdoConnection(const CAdoConnection&) = delete;
    CAdoConnection& operator=(const CAdoConnection&) = delete;

    // Closes first when open; a non-empty string replaces the stored one;
    // then opens the stored string with the user name and password.
    BOOL Open(LPCTSTR szConnection, LPCTSTR szUser, LPCTSTR szPassword);
    BOOL IsOpen() const;
    // Closes when open; FALSE when it was not.
    BOOL Close();
    // 1 while open (the state "open"), -1 when not.
    int GetState() const;

    // Seconds to wait for the data source; 0 leaves the driver's own.
    void SetConnectionTimeout(int nSeconds) { m_nTimeOut = nSeconds; }
    int GetConnectionTimeout() const { return m_nTimeOut; }
    CString GetConnectionString() const { return m_strConnection; }
    CString GetLastErrorText() const { return m_strLastError; }
    CString GetErrorDescription() const { return m_strErrorDescription; }
    HRESULT GetLastErrorCode() const { return m_hrLastError; }

    // The service connection statements run on (NULL when not open).
    IDbConnection* GetDb() const { return IsOpen() ? m_pDb.get() : nullptr; }
    // The back end of the last Open (ADO or ODBC).
    DbBackEnd GetBackEnd() const { return m_pDb != nullptr ? m_pDb->GetBackEnd() : DbBackEnd::Odbc; }

private:
    std::unique_ptr<IDbConnection> m_pDb;
    CString m_strConnection;
    CString m_strLastError;
    CString m_strErrorDescription;
    HRESULT m_hrLastError = 0;
    int m_nTimeOut = 0;
};

// The error box text of the access layer: the head line ("数据库链接异常!",
// "数据库记录集异常! Error"), then the code, its meaning, the source and the
// description, each on a tab-indented line.
CString FormatAdoErrorText(LPCTSTR szHead, HRESULT hr, const CDbError& error);
// Shows text in the layer's error box: no owner, caption "错误", error icon.
void ShowAdoErrorBox(const CString& strText);
// The code an access failure reports when the back end gave none (the
// generic failure, 0x80004005).
const HRESULT kAdoErrorCode = static_cast<HRESULT>(0x80004005L);
// The code of a failure: the provider's (an ADO error) or the generic one.
HRESULT AdoErrorCode(const CDbError& error);
