// The access layer's recordset: the result of one query, statement, table
// or stored procedure, read whole when it opens, with a cursor over its rows.
//
// A recordset opens on a CAdoConnection (the data set's), or is loaded with
// rows held in memory (Load) for a host's own data and for tests. Field
// reads of an unknown field or off the rows show the recordset error box and
// answer FALSE.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "platform/Database.h"

#include <vector>

class CAdoConnection;

// Command types of a data set (SQLCmdType).
enum SQLCmdType : short {
    SQLUnknown = 0,
    SQLQuery = 1,
    SQLTable = 2,
    SQLStoredProc = 3,
};

// Field type codes (the data type enumeration of the access layer).
enum AdoDataType : short {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// The type code of an ODBC SQL type number.
short AdoTypeOfSqlType(int nSqlType);

// Attribute bits of a field.
const long adFldMayBeNull = 0x40;
const long adFldIsNullable = 0x20;

struct AdoFieldInfo {
    char m_strName[30] = {};   // at most 29 bytes kept
    short m_nType = adEmpty;
    long m_lSize = 0;          // the current value's size; read only off the end
    long m_lDefinedSize = 0;
    long m_lAttributes = 0;
};

class CAdoRecordset {
public:
    CAdoRecordset();
    ~CAdoRecordset();

    CAdoRecordset(const CAdoRecordset&) = delete;
    CAdoRecordset& operator=(const CAdoRecordset&) = delete;

    // Closes first; a non-empty query replaces the stored one; attaches the
    // connection when none is attached; runs it by command type (SQLCmdType):
    // 0 and 1 the text as it stands, 2 every row of the table named, 3 the
    // procedure named (through ODBC's call escape, or an ADO command).
    // Another type: FALSE, closed.
    BOOL Open(CAdoConnection* pConnection, LPCTSTR szQuery, int nCommandType);
    // Opens on rows held in memory, without a connection.
    void Load(std::vector<CDbColumn> columns, std::vector<std::vector<CDbValue>> rows);
    void Close();
    // Open with its rows, and its connection (when it has one) still open.
    BOOL IsOpen() const;
    // The attached connection's state; -1 when not open.
    int GetState() const;

    BOOL IsEOF() const;
    BOOL IsBOF() const;
    void MoveNext();
    void MoveFirst();
    int GetRecordCount() const;
    int GetFieldCount() const;
    // The field's index (names compare without regard to case); -1 when the
    // recordset has no such field. No error box.
    int FindField(LPCTSTR szName) const;

    BOOL GetFieldValue(LPCTSTR szName, CDbValue& value);
    BOOL GetFieldValue(int nIndex, CDbValue& value);
    BOOL GetFieldType(LPCTSTR szName, AdoFieldInfo* pInfo);
    BOOL GetFieldInfo(int nIndex, AdoFieldInfo* pInfo);
    const CDbColumn* GetColumn(int nIndex) const;

    void SetConnection(CAdoConnection* pConnection) { m_pConnection = pConnection; }
    CAdoConnection* GetConnection() const { return m_pConnection; }
    CString GetQuery() const { return m_strQuery; }
    CString GetLastErrorText() const { return m_strLastError; }
    HRESULT GetLastErrorCode() const { return m_hrLastError; }

    // The statement a command type runs for the query text.
    static CString StatementFor(LPCTSTR szQuery, int nCommandType);

private:
    void Fail(const CDbError& error);
    bool CurrentRowOk(int nIndex);

    CAdoConnection* m_pConnection = nullptr;   // not owned
    CString m_strQuery;
    CString m_strLastError;
    HRESULT m_hrLastError = 0;
    BOOL m_bEditPending = FALSE;
    bool m_bOpen = false;
    bool m_bInMemory = false;
    CDbResult m_result;
    size_t m_nPos = 0;
};
