// The grid's database model: named connection definitions (CConnectionDef),
// each holding named data-set definitions (CDataSetDef).
//
// This is the part the grid owns and calls today: adding, finding and deleting
// definitions by name, and the texts the grid replaces (a connection string,
// a data set's SQL text). Opening connections, their archive form and the
// data sets' recordsets come with the database binding; until then nothing
// opens.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

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

    CString m_strSql;
    short m_nCommandType = 1;      // a query
    short m_nOpenType = 0;         // 1: opened with its connection
    short m_nCloseType = 0;        // 1: closed after a bind that reads it has filled

private:
    CString m_strName;
    CConnectionDef* m_pConnection;
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

    // Nothing opens yet: the definition is never open.
    BOOL IsOpen() const { return FALSE; }

    CString m_strConnectionString;
    CString m_strUserName;
    CString m_strPassword;
    int m_nTimeOut = 15;
    short m_nOpenType = 0;         // 1: opened automatically
    short m_nCloseType = 0;
    short m_nCursorLocation = 3;

private:
    CString m_strName;
    CGridCtrl* m_pGrid = nullptr;
    std::vector<std::unique_ptr<CDataSetDef>> m_dataSets;
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

    // Opens every definition whose open type is 1 with its data sets; the
    // number opened (none can open yet: 0).
    int OpenAutoConnections();
    // Closes and deletes every definition, from the last to the first.
    void DeleteAll();

private:
    CGridCtrl* m_pGrid = nullptr;
    std::vector<std::unique_ptr<CConnectionDef>> m_connections;
};
