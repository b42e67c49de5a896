// The grid's database model: named connection definitions (CConnectionDef),
// each holding named data-set definitions (CDataSetDef).
//
// A connection definition opens a CAdoConnection; each of its data sets opens
// a CAdoRecordset on it. Both are stored as tagged records (connection
// 9501-9514 with its data sets in item 9510, data set 9001-9010); reserved
// items keep a loaded value and write it back. Each definition carries a
// liveness token so that automation objects viewing it notice its deletion.
#pragma once

#include "base/CArchive.h"
#include "base/CString.h"
#include "base/WinTypes.h"
#include "binding/AdoConnection.h"
#include "binding/AdoRecordset.h"

#include <memory>
#include <vector>

class CGridCtrl;
class CConnectionDef;

class CDataSetDef {
public:
    CDataSetDef(LPCTSTR szName, CConnectionDef* pConnection);
    virtual ~CDataSetDef();

    CString GetName() const { return m_strName; }
    CConnectionDef* GetConnection() const { return m_pConnection; }
    // Sets the owner and hands its connection to the recordset.
    void SetConnection(CConnectionDef* pConnection);

    // Opens the recordset on the owning connection; FALSE (not open) when
    // the connection is not open or the query fails.
    BOOL Open();
    BOOL Close();                  // FALSE when it was not open
    BOOL IsOpen() const { return m_bOpen; }
    // The recordset, its connection attached (rows only while open).
    CAdoRecordset* GetRecordset();
    std::weak_ptr<const void> GetLiveness() const { return m_alive; }

    // Tagged record: size 0 when nothing would be written.
    int GetStoredSize() const;
    void Write(CArchive& ar) const;
    // Reads a record of the size its owner wrote ahead of it; FALSE and the
    // archive failed on a damaged record.
    BOOL Read(CArchive& ar, int nSize);

    CString m_strSql;
    short m_nCommandType = 1;      // a query
    short m_nOpenType = 0;         // 1: opened with its connection
    short m_nCloseType = 0;        // 1: closed after a bind that reads it has filled
    // Reserved items: no behaviour; kept and written back.
    short m_nReserved6 = 0;
    CString m_strReserved7;
    CString m_strReserved8;
    int m_nReserved9 = -1;
    short m_nReserved10 = -1;

private:
    int Items(CArchive* pAr) const;

    CString m_strName;
    CConnectionDef* m_pConnection;
    CAdoRecordset m_recordset;
    BOOL m_bOpen = FALSE;
    std::shared_ptr<const void> m_alive = std::make_shared<int>(0);
};

class CConnectionDef {
public:
    explicit CConnectionDef(LPCTSTR szName);
    virtual ~CConnectionDef();

    CConnectionDef(const CConnectionDef&) = delete;
    CConnectionDef& operator=(const CConnectionDef&) = delete;

    CString GetName() const { return m_strName; }
    CGridCtrl* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }

    // A new data set of that name; its index, or -1 for an empty or existing name.
    int NewDataSet(LPCTSTR szName);
    int LookupDataSet(LPCTSTR szName) const;       // -1 when absent or empty
    CDataSetDef* GetDataSet(LPCTSTR szName) const; // NULL for an empty or unknown name
    CDataSetDef* GetDataSetAt(int nIndex) const;   // NULL out of range
    int DeleteDataSet(LPCTSTR szName);             // the index removed, or -1
    int DeleteDataSetAt(int nIndex);
    int GetDataSetCount() const { return static_cast<int>(m_dataSets.size()); }

    // Opens the connection with its string, user name and password (the
    // time-out bounds the login); FALSE, not open, on a failure.
    BOOL Open();
    BOOL Close();                  // FALSE when it was not open
    BOOL IsOpen() const { return m_bOpen; }
    CAdoConnection& GetAdoConnection() { return m_connection; }
    // Opens the data sets whose open type is 1; how many opened, and
    // whether one failed.
    int OpenAutoDataSets(bool& bFailed);
    void CloseDataSets();
    std::weak_ptr<const void> GetLiveness() const { return m_alive; }

    int GetStoredSize() const;
    void Write(CArchive& ar) const;
    BOOL Read(CArchive& ar, int nSize);

    CString m_strConnectionString;
    CString m_strUserName;
    CString m_strPassword;
    int m_nTimeOut = 15;
    short m_nOpenType = 0;         // 1: opened automatically
    short m_nCloseType = 0;
    short m_nCursorLocation = 3;
    // Reserved items: no behaviour; kept and written back.
    short m_nReserved8 = 3;
    CString m_strReserved11;
    CString m_strReserved12;
    int m_nReserved13 = -1;
    short m_nReserved14 = -1;

private:
    int Items(CArchive* pAr) const;

    CString m_strName;
    CGridCtrl* m_pGrid = nullptr;
    CAdoConnection m_connection;
    BOOL m_bOpen = FALSE;
    std::vector<std::unique_ptr<CDataSetDef>> m_dataSets;
    std::shared_ptr<const void> m_alive = std::make_shared<int>(0);
};

class CConnectionDefList {
public:
    CConnectionDefList();
    ~CConnectionDefList();

    CConnectionDefList(const CConnectionDefList&) = delete;
    CConnectionDefList& operator=(const CConnectionDefList&) = delete;

    void SetGrid(CGridCtrl* pGrid);
    CGridCtrl* GetGrid() const { return m_pGrid; }

    // Appends a new definition; its index, or -1 for an empty or existing name.
    int AddConnection(LPCTSTR szName);
    int DeleteConnection(LPCTSTR szName);          // the index removed, or -1
    int DeleteConnectionAt(int nIndex);
    int FindConnection(LPCTSTR szName) const;      // -1 when absent or empty
    CConnectionDef* GetConnection(LPCTSTR szName) const;  // NULL for an empty or unknown name
    CConnectionDef* GetConnectionAt(int nIndex) const;    // NULL out of range
    int GetCount() const { return static_cast<int>(m_connections.size()); }

    // Opens every connection and its automatic data sets; the number of
    // connections with at least one data set open.
    int OpenAll();
    // Closes every data set and connection; the number of connections open.
    int CloseAll();
    // Opens every connection whose open type is 1 and its automatic data
    // sets; -1 (everything closed) when such a connection has none that
    // opens or one fails; else how many opened.
    int OpenAutoConnections();
    // Archive form: int32 count, then per connection int32 size and its
    // record (which starts with the same size). Loading replaces every connection; a damaged list leaves the
    // archive failed and the list empty.
    int GetStoredSize() const;
    void Serialize(CArchive& ar);
    // Closes and deletes every definition, from the last to the first.
    void DeleteAll();

private:
    CGridCtrl* m_pGrid = nullptr;
    std::vector<std::unique_ptr<CConnectionDef>> m_connections;
};
