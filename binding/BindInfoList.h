// The grid's binding model: a list of named binds (CBindInfo), each saying
// how one data set fills an area of the grid, with its field bindings
// (CBindFieldInfo) and its group-row settings (CBindGroupRowInfo).
//
// The three records are stored as tagged records (BindRecordFraming.h) inside
// the template body. The fill itself is CBindInfo::FillData (BindFill.cpp).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "binding/BindRecordset.h"
#include "cellcontent/GridDefaultSetting.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CArchive;
class CGridCtrl;

// Field bind types.
enum FieldBindType { FBT_DEFVALUE = 0, FBT_SERIAL = 1, FBT_FIELD = 2 };
// Statistics of a field in subtotal and total rows.
enum StatisticsType { ST_NULL = 0, ST_SUM = 1, ST_AVE = 2, ST_MAX = 3, ST_MIN = 4, ST_COUNT = 5 };
// Where a bind writes: fixed cells above, one row per record, fixed cells after a body.
enum BindFillType { BFT_HEADER = 0, BFT_BODY = 1, BFT_BOTTOM = 2 };

// Raw bytes of items that have no behaviour, kept so they are written back.
typedef std::map<int, std::vector<std::uint8_t>> CBindReservedItems;

// One field binding: which recordset field goes to which cell, with the cell
// settings it gets.
struct CBindFieldInfo {
    CString strFieldName;                    // at most 59 bytes
    int nRow = -1;
    int nCol = -1;
    short emFieldBindType = FBT_FIELD;
    CString strControlXml;                   // control attribute text
    CString strFormatXml;                    // format attribute text
    CString strFontXml;                      // font attribute text
    int bReadOnly = 0;
    int crBgColor = -1;
    int crTextColor = -1;
    short emCellBorderFlags = 0;             // 1 left, 2 top, 4 right, 8 bottom
    CBorderBlock arBorders[4];               // left, top, right, bottom
    int nAlign = 0;
    int bWrap = 0;
    int bEllipsis = 0;
    int nColWidth = -1;
    int nDefDataType = -1;
    CString strDefValue;
    double dbDefValue = 0.0;
    short emStatisticsType = ST_NULL;
    int bMergeData = 0;
    short iGroup = 0;
    CString strConnName;                     // drop-down list source, at most 15 bytes
    CString strDataSetName;
    CBindReservedItems reserved;
    // Unstored: a recordset serving as the drop-down list source.
    std::shared_ptr<IBindRecordset> pListSource;

    void SetFieldName(LPCTSTR szName);
    void SetKivoSource(LPCTSTR szConnName, LPCTSTR szDataSetName);

    std::vector<std::uint8_t> GetRecord() const;     // empty when every item is at its default
    bool ReadRecord(const std::uint8_t* p, size_t n);
};

// How the subtotal and total rows of a bind look.
struct CBindGroupRowInfo {
    CBindGroupRowInfo();
    CString sGroupDefaultName;               // caption, at most 63 bytes
    int bGroupAddColValue = 0;
    int crGroupRowBgColor = -1;
    int crGroupRowTextColor = -1;
    CString strGroupRowFormatXml;
    CString strGroupRowFontXml;
    int bGroupRowReadOnly = 0;
    int nGroupNameDefCol = -1;               // the caption column
    short emCellBorderFlags = 0;
    CBorderBlock arBorders[4];
    CBindReservedItems reserved;

    static CString DefaultCaption();
    void SetCaption(LPCTSTR szCaption);

    std::vector<std::uint8_t> GetRecord() const;
    bool ReadRecord(const std::uint8_t* p, size_t n);
};

class CBindFieldInfoList {
public:
    // Appends a copy; answers its index.
    int AddField(const CBindFieldInfo& field);
    // A copy of the field at nIndex; FALSE when out of range.
    BOOL GetField(int nIndex, CBindFieldInfo& field) const;
    const CBindFieldInfo* GetFieldPtr(int nIndex) const;
    BOOL SetField(int nIndex, const CBindFieldInfo& field);
    BOOL DeleteField(int nIndex);
    void RemoveAll() { m_fields.clear(); }
    int GetCount() const { return static_cast<int>(m_fields.size()); }

    // int32 count, then per field int32 size and its record; empty when no field.
    std::vector<std::uint8_t> GetStored() const;
    bool ReadStored(const std::uint8_t* p, size_t n);

private:
    std::vector<CBindFieldInfo> m_fields;
};

class CBindInfo {
public:
    explicit CBindInfo(LPCTSTR szName = nullptr);
    virtual ~CBindInfo();

    // A copy of the stored settings (not the grid, links, recordset or fill results).
    void CopySettings(const CBindInfo& other);

    CString GetName() const { return m_strName; }
    void SetName(LPCTSTR szName);
    CGridCtrl* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    // 1: the bind fills automatically after a template is opened.
    short GetOpenType() const { return m_nOpenType; }
    void SetOpenType(short nOpenType) { m_nOpenType = nOpenType; }

    CString GetBodyBindName() const { return m_strBodyBindName; }
    void SetBodyBindName(LPCTSTR szName);
    // Links the body bind and copies its name; NULL unlinks.
    void SetBodyBind(CBindInfo* pBody);
    CBindInfo* GetBodyBind() const { return m_pBodyBind; }
    void SetDataSource(LPCTSTR szConnName, LPCTSTR szDataSetName);
    CString GetConnName() const { return m_strConnName; }
    CString GetDataSetName() const { return m_strDataSetName; }

    // Looks up the named connection and data set in the grid; when the data
    // set is open, binds its recordset. 1 when attached, else 0.
    short AttachDataSource();
    // Attaches a recordset (NULL detaches), storing its record count and,
    // when filling in blocks, the number of column blocks.
    void BindSource(std::shared_ptr<IBindRecordset> pRecordset);
    IBindRecordset* GetRecordset() const { return m_pRecordset.get(); }
    // Fills the grid from the attached recordset: the rows the bind now
    // occupies, or -1 without a grid.
    int FillData();

    // Index of the first field bound to (nRow, nCol); -1 when none.
    int FindField(int nRow, int nCol) const;
    CBindFieldInfoList& GetFieldList() { return m_fields; }
    const CBindFieldInfoList& GetFieldList() const { return m_fields; }
    CBindGroupRowInfo& GetGroupRowInfo() { return m_groupRow; }
    const CBindGroupRowInfo& GetGroupRowInfo() const { return m_groupRow; }

    // The drop-down list text of a data set of the grid: each record's first
    // column followed by a newline; "" when either name is empty or unknown.
    CString GetListText(LPCTSTR szConnName, LPCTSTR szDataSetName);
    static CString GetListText(IBindRecordset& recordset);

    int GetFillCount() const { return m_nFillCount; }
    int GetFilledRows() const { return m_nFilledRows; }
    int GetRecordCount() const { return m_nRecordCount; }
    int GetColumnBlocks() const { return m_nColumnBlocks; }

    std::vector<std::uint8_t> GetRecord() const;
    bool ReadRecord(const std::uint8_t* p, size_t n);

    // The bind after nCount rows (bRows) or columns were inserted at nFirst
    // (nCount > 0) or before -nCount were deleted from nFirst
    // (BindFollowLines.cpp): its start, its fields and its caption column
    // move with their lines, the rows its last fill wrote grow over rows
    // inserted among them and shrink by the ones deleted; a field whose own
    // cell goes is dropped. A bottom bind that follows a body counts its
    // field rows below the body's filled rows: nBodyFillBefore is the body's
    // fill count before the change (the body has followed already).
    void FollowLines(bool bRows, int nFirst, int nCount, int nBodyFillBefore);

    // A token that lives exactly as long as this bind: objects that point at
    // the bind keep it weakly and stop using the bind once it has expired.
    std::weak_ptr<const void> GetLiveness() const { return m_alive; }

    // Stored settings.
    int nFillStartRow = -1;
    int nFillStartCol = -1;
    short FillType = BFT_BODY;
    int bBlock = 0;                 // fill in blocks of nRowsPerBlock records
    int nRowsPerBlock = 0;
    int bAutoRow = 1;
    int bAutoCol = 0;
    CBindReservedItems reserved;

private:
    friend class CBindFill;

    // When the bind's data set closes after a fill, lets the recordset go and closes it.
    void CloseAfterFill();

    CString m_strName;
    CString m_strBodyBindName;
    CString m_strConnName;
    CString m_strDataSetName;
    CGridCtrl* m_pGrid = nullptr;
    short m_nOpenType = 0;
    CBindFieldInfoList m_fields;
    CBindGroupRowInfo m_groupRow;

    CBindInfo* m_pBodyBind = nullptr;
    std::shared_ptr<IBindRecordset> m_pRecordset;
    int m_nRecordCount = 0;
    int m_nColumnBlocks = 0;
    int m_nFillCount = 0;
    int m_nFilledRows = 0;
    std::shared_ptr<const void> m_alive = std::make_shared<int>(0);
};

class CBindInfoList {
public:
    CBindInfoList();
    ~CBindInfoList();

    CBindInfoList(const CBindInfoList&) = delete;
    CBindInfoList& operator=(const CBindInfoList&) = delete;

    void SetGrid(CGridCtrl* pGrid);
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
    // TRUE while pBind is one of this list's binds (automation objects ask
    // before they touch a bind they were handed).
    BOOL Contains(const CBindInfo* pBind) const;

    // Every bind after nCount rows or columns were inserted at nFirst
    // (nCount > 0) or before -nCount were deleted from nFirst. Nothing moves
    // while a fill runs: the fill places its own rows and the rows of the
    // binds it feeds.
    void FollowRows(int nFirst, int nCount) { FollowLines(true, nFirst, nCount); }
    void FollowColumns(int nFirst, int nCount) { FollowLines(false, nFirst, nCount); }
    // A line moved from nSource to nTarget (the insertion and deletion that
    // carry the move out follow as they do): the field cells and the caption
    // column that named the source name the target.
    void RetargetLine(bool bRows, int nSource, int nTarget);
    // Held by a running fill (CBindInfo::FillData).
    void BeginFill() { ++m_nFilling; }
    void EndFill() { --m_nFilling; }
    bool IsFilling() const { return m_nFilling > 0; }

    // Fill the grid from every bind (header and body binds first, then bottom
    // binds after their body), or from those whose open type is 1; the number
    // of binds that filled from a recordset.
    short FillAllBinds();
    int FillAutoBinds();

    // int32 count, then per bind int32 size and its record.
    void Serialize(CArchive& ar);
    int GetStoredSize() const;
    // Reads what Serialize wrote; on a malformed list the binds are left as
    // they were and FALSE is answered (the archive marked failed).
    BOOL Load(CArchive& ar);

private:
    int FillPasses(bool bAutoOnly);
    void FollowLines(bool bRows, int nFirst, int nCount);

    int m_nFilling = 0;
    CGridCtrl* m_pGrid = nullptr;
    std::vector<std::unique_ptr<CBindInfo>> m_binds;
};
