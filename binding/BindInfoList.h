// The grid's binding model: a list of named binds (CBindInfo), each with its
// field bindings (CBindFieldInfo).
//
// This is the part of the model the grid owns and calls today: creating,
// finding, replacing and deleting binds by name or position. Filling the grid
// from a data source, the binds' archive form and their group-row settings
// come with the database binding; until then a fill fills nothing.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/GridDefaultSetting.h"

#include <memory>
#include <vector>

class CGridCtrl;

// One field binding: which recordset field goes to which cell, with the cell
// settings it gets.
struct CBindFieldInfo {
    CString strFieldName;          // at most 60 bytes
    int nRow = -1;
    int nCol = -1;
    int nBindType = 0;
    CString strControl;            // "control" element text
    CString strFormat;             // "format" element text
    CString strFont;               // "font" element text
    UINT nBorderFlags = 0;
    CBorderBlock borders[4];       // left, top, right, bottom
};

class CBindFieldInfoList {
public:
    // Appends a copy; answers its index.
    int AddField(const CBindFieldInfo& field);
    // A copy of the field at nIndex; FALSE when out of range.
    BOOL GetField(int nIndex, CBindFieldInfo& field) const;
    BOOL SetField(int nIndex, const CBindFieldInfo& field);
    BOOL DeleteField(int nIndex);
    int GetCount() const { return static_cast<int>(m_fields.size()); }

private:
    std::vector<CBindFieldInfo> m_fields;
};

class CBindInfo {
public:
    explicit CBindInfo(LPCTSTR szName = nullptr);
    virtual ~CBindInfo();

    CString GetName() const { return m_strName; }
    void SetName(LPCTSTR szName);
    CGridCtrl* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    // 1: the bind fills automatically after a template is opened.
    short GetOpenType() const { return m_nOpenType; }
    void SetOpenType(short nOpenType) { m_nOpenType = nOpenType; }

    // Index of the first field bound to (nRow, nCol); -1 when none.
    int FindField(int nRow, int nCol) const;
    CBindFieldInfoList& GetFieldList() { return m_fields; }
    const CBindFieldInfoList& GetFieldList() const { return m_fields; }

private:
    CString m_strName;
    CGridCtrl* m_pGrid = nullptr;
    short m_nOpenType = 0;
    CBindFieldInfoList m_fields;
};

class CBindInfoList {
public:
    CBindInfoList();
    ~CBindInfoList();

    CBindInfoList(const CBindInfoList&) = delete;
    CBindInfoList& operator=(const CBindInfoList&) = delete;

    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    CGridCtrl* GetGrid() const { return m_pGrid; }

    // A new bind of that name for the grid, appended; NULL when the name is
    // empty or a bind of that name exists. The list owns it.
    CBindInfo* AddBind(LPCTSTR szName, CGridCtrl* pGrid);
    CBindInfo* GetBind(LPCTSTR szName) const;      // NULL when absent
    CBindInfo* GetBindAt(int nIndex) const;        // NULL out of range
    // Replace the named or indexed bind by pBind, deleting the old one; FALSE
    // (pBind deleted) when there is none to replace or pBind is NULL.
    BOOL SetBind(LPCTSTR szName, std::unique_ptr<CBindInfo> pBind);
    BOOL SetBindAt(int nIndex, std::unique_ptr<CBindInfo> pBind);
    // Index of the bind of that exact name; -1 when absent or the name is empty.
    int FindBind(LPCTSTR szName) const;
    BOOL DeleteBind(LPCTSTR szName);
    BOOL DeleteBindAt(int nIndex);
    // Deletes every bind from the last to the first; answers how many there were.
    short DeleteAllBinds();
    int GetCount() const { return static_cast<int>(m_binds.size()); }

    // Fill the grid from every bind, or from those whose open type is 1; the
    // number of binds filled (none can fill yet: 0).
    short FillAllBinds();
    int FillAutoBinds();

private:
    CGridCtrl* m_pGrid = nullptr;
    std::vector<std::unique_ptr<CBindInfo>> m_binds;
};
