#include "binding/BindInfoList.h"

#include "base/CArchive.h"
#include "binding/BindNames.h"
#include "binding/BindRecordFraming.h"

#include <algorithm>

using bindrec::Bytes;
using bindrec::Item;
using bindrec::ItemWriter;
using bindrec::Reader;

namespace {

const int kBindEnd = 8999;
const int kFieldEnd = 6999;
const int kGroupEnd = 7022;

bool IsReserved(int tag, int first, int last)
{
    return tag >= first && tag <= last;
}

void WriteReserved(ItemWriter& w, const CBindReservedItems& items)
{
    for (const auto& item : items)
        w.Raw(item.first, item.second);
}

void WriteBorders(ItemWriter& w, int firstTag, short flags, const CBorderBlock (&borders)[4])
{
    for (int i = 0; i < 4; ++i) {
        if ((flags & (1 << i)) == 0)
            continue;
        Bytes b;
        bindrec::PutInt(b, borders[i].colour);
        bindrec::PutInt(b, borders[i].lineStyle);
        bindrec::PutInt(b, borders[i].lineWidth);
        w.Raw(firstTag + i, b);
    }
}

void ReadBorder(const Item& item, CBorderBlock& block)
{
    Reader r(item.data, static_cast<size_t>(item.length));
    std::int32_t v[3] = {0, 0, 0};
    for (auto& x : v)
        r.Int(x);
    block.colour = v[0];
    block.lineStyle = v[1];
    block.lineWidth = v[2];
}

int Int(const Item& item, int fallback)
{
    std::int32_t v = fallback;
    return item.AsInt(v) ? v : fallback;
}

short Short(const Item& item, short fallback)
{
    std::int16_t v = fallback;
    return item.AsShort(v) ? v : fallback;
}

}  // namespace

// --- field binding -------------------------------------------------------------------

void CBindFieldInfo::SetFieldName(LPCTSTR szName)
{
    strFieldName = bindrec::CutText(CString(szName != nullptr ? szName : ""), 59);
}

void CBindFieldInfo::SetKivoSource(LPCTSTR szConnName, LPCTSTR szDataSetName)
{
    strConnName = CutBindName(szConnName);
    strDataSetName = CutBindName(szDataSetName);
}

std::vector<std::uint8_t> CBindFieldInfo::GetRecord() const
{
    ItemWriter w;
    if (!strFieldName.IsEmpty())
        w.Fixed(6001, strFieldName, 60);
    if (nRow >= 0)
        w.Int(6002, nRow);
    if (nCol >= 0)
        w.Int(6003, nCol);
    if (emFieldBindType != FBT_FIELD)
        w.Short(6004, emFieldBindType);
    if (!strControlXml.IsEmpty())
        w.Text(6005, strControlXml);
    if (!strFormatXml.IsEmpty())
        w.Text(6006, strFormatXml);
    if (!strFontXml.IsEmpty())
        w.Text(6007, strFontXml);
    if (bReadOnly != 0)
        w.Int(6008, bReadOnly);
    if (crBgColor >= 0)
        w.Int(6009, crBgColor);
    if (crTextColor >= 0)
        w.Int(6010, crTextColor);
    if (emCellBorderFlags != 0)
        w.Short(6011, emCellBorderFlags);
    WriteBorders(w, 6012, emCellBorderFlags, arBorders);
    if (nAlign > 0)
        w.Int(6016, nAlign);
    if (bWrap != 0)
        w.Int(6017, bWrap);
    if (bEllipsis != 0)
        w.Int(6018, bEllipsis);
    if (nColWidth >= 0)
        w.Int(6019, nColWidth);
    if (nDefDataType >= 0)
        w.Int(6020, nDefDataType);
    if (!strDefValue.IsEmpty())
        w.Text(6021, strDefValue);
    if (dbDefValue != 0.0)
        w.Double(6022, dbDefValue);
    if (emStatisticsType != 0)
        w.Short(6023, emStatisticsType);
    if (bMergeData != 0)
        w.Int(6024, bMergeData);
    if (iGroup > 0)
        w.Short(6025, iGroup);
    WriteReserved(w, reserved);
    if (!strConnName.IsEmpty())
        w.Fixed(6038, strConnName, 16);
    if (!strDataSetName.IsEmpty())
        w.Fixed(6039, strDataSetName, 16);
    return w.Frame(kFieldEnd);
}

bool CBindFieldInfo::ReadRecord(const std::uint8_t* p, size_t n)
{
    Reader in(p, n);
    return bindrec::ParseRecord(in, kFieldEnd, [this](const Item& item) {
        if (item.length <= 0)
            return true;
        switch (item.tag) {
        case 6001: strFieldName = item.AsFixed(60); break;
        case 6002: nRow = Int(item, nRow); break;
        case 6003: nCol = Int(item, nCol); break;
        case 6004: emFieldBindType = Short(item, emFieldBindType); break;
        case 6005: strControlXml = item.AsText(); break;
        case 6006: strFormatXml = item.AsText(); break;
        case 6007: strFontXml = item.AsText(); break;
        case 6008: bReadOnly = Int(item, bReadOnly); break;
        case 6009: crBgColor = Int(item, crBgColor); break;
        case 6010: crTextColor = Int(item, crTextColor); break;
        case 6011: emCellBorderFlags = Short(item, emCellBorderFlags); break;
        case 6012: case 6013: case 6014: case 6015: ReadBorder(item, arBorders[item.tag - 6012]); break;
        case 6016: nAlign = Int(item, nAlign); break;
        case 6017: bWrap = Int(item, bWrap); break;
        case 6018: bEllipsis = Int(item, bEllipsis); break;
        case 6019: nColWidth = Int(item, nColWidth); break;
        case 6020: nDefDataType = Int(item, nDefDataType); break;
        case 6021: strDefValue = item.AsText(); break;
        case 6022: item.AsDouble(dbDefValue); break;
        case 6023: emStatisticsType = Short(item, emStatisticsType); break;
        case 6024: bMergeData = Int(item, bMergeData); break;
        case 6025: iGroup = Short(item, iGroup); break;
        case 6038: strConnName = item.AsFixed(16); break;
        case 6039: strDataSetName = item.AsFixed(16); break;
        default:
            if (IsReserved(item.tag, 6026, 6037))
                reserved[item.tag] = item.AsBytes();
            break;
        }
        return true;
    });
}

// --- group-row settings ------------------------------------------------------------

CBindGroupRowInfo::CBindGroupRowInfo() : sGroupDefaultName(DefaultCaption())
{
}

CString CBindGroupRowInfo::DefaultCaption()
{
    return CString(" 分组合计 ");
}

void CBindGroupRowInfo::SetCaption(LPCTSTR szCaption)
{
    sGroupDefaultName = bindrec::CutText(CString(szCaption != nullptr ? szCaption : ""), 63);
}

std::vector<std::uint8_t> CBindGroupRowInfo::GetRecord() const
{
    ItemWriter w;
    if (sGroupDefaultName != DefaultCaption())
        w.Fixed(7001, sGroupDefaultName, 64);
    if (bGroupAddColValue != 0)
        w.Int(7002, bGroupAddColValue);
    if (crGroupRowBgColor >= 0)
        w.Int(7003, crGroupRowBgColor);
    if (crGroupRowTextColor >= 0)
        w.Int(7004, crGroupRowTextColor);
    if (!strGroupRowFormatXml.IsEmpty())
        w.Text(7005, strGroupRowFormatXml);
    if (!strGroupRowFontXml.IsEmpty())
        w.Text(7006, strGroupRowFontXml);
    if (bGroupRowReadOnly != 0)
        w.Int(7007, bGroupRowReadOnly);
    if (nGroupNameDefCol != -1)
        w.Int(7008, nGroupNameDefCol);
    if (emCellBorderFlags != 0)
        w.Short(7009, emCellBorderFlags);
    WriteBorders(w, 7010, emCellBorderFlags, arBorders);
    WriteReserved(w, reserved);
    return w.Frame(kGroupEnd);
}

bool CBindGroupRowInfo::ReadRecord(const std::uint8_t* p, size_t n)
{
    Reader in(p, n);
    return bindrec::ParseRecord(in, kGroupEnd, [this](const Item& item) {
        if (item.length <= 0)
            return true;
        switch (item.tag) {
        case 7001: sGroupDefaultName = item.AsFixed(64); break;
        case 7002: bGroupAddColValue = Int(item, bGroupAddColValue); break;
        case 7003: crGroupRowBgColor = Int(item, crGroupRowBgColor); break;
        case 7004: crGroupRowTextColor = Int(item, crGroupRowTextColor); break;
        case 7005: strGroupRowFormatXml = item.AsText(); break;
        case 7006: strGroupRowFontXml = item.AsText(); break;
        case 7007: bGroupRowReadOnly = Int(item, bGroupRowReadOnly); break;
        case 7008: nGroupNameDefCol = Int(item, nGroupNameDefCol); break;
        case 7009: emCellBorderFlags = Short(item, emCellBorderFlags); break;
        case 7010: case 7011: case 7012: case 7013: ReadBorder(item, arBorders[item.tag - 7010]); break;
        default:
            if (IsReserved(item.tag, 7014, 7021))
                reserved[item.tag] = item.AsBytes();
            break;
        }
        return true;
    });
}

// --- field list -----------------------------------------------------------------

int CBindFieldInfoList::AddField(const CBindFieldInfo& field)
{
    m_fields.push_back(field);
    return GetCount() - 1;
}

BOOL CBindFieldInfoList::GetField(int nIndex, CBindFieldInfo& field) const
{
    const CBindFieldInfo* p = GetFieldPtr(nIndex);
    if (p == nullptr)
        return FALSE;
    field = *p;
    return TRUE;
}

const CBindFieldInfo* CBindFieldInfoList::GetFieldPtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return &m_fields[static_cast<size_t>(nIndex)];
}

BOOL CBindFieldInfoList::SetField(int nIndex, const CBindFieldInfo& field)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_fields[static_cast<size_t>(nIndex)] = field;
    return TRUE;
}

BOOL CBindFieldInfoList::DeleteField(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_fields.erase(m_fields.begin() + nIndex);
    return TRUE;
}

std::vector<std::uint8_t> CBindFieldInfoList::GetStored() const
{
    Bytes out;
    if (m_fields.empty())
        return out;
    bindrec::PutInt(out, GetCount());
    for (const CBindFieldInfo& field : m_fields) {
        Bytes record = field.GetRecord();
        bindrec::PutInt(out, static_cast<std::int32_t>(record.size()));
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

bool CBindFieldInfoList::ReadStored(const std::uint8_t* p, size_t n)
{
    Reader in(p, n);
    std::int32_t count = 0;
    if (!in.Int(count) || count < 0 || static_cast<size_t>(count) > in.Remaining() / 4)
        return false;
    std::vector<CBindFieldInfo> fields;
    for (int i = 0; i < count; ++i) {
        Reader entry(nullptr, 0);
        bool present = false;
        if (!bindrec::TakeSizedEntry(in, entry, present))
            return false;
        CBindFieldInfo field;
        if (present && !field.ReadRecord(entry.Data(), entry.Remaining()))
            return false;
        fields.push_back(field);
    }
    m_fields.swap(fields);
    return true;
}

// --- one bind ---------------------------------------------------------------------

CBindInfo::CBindInfo(LPCTSTR szName) : m_strName(CutBindName(szName))
{
}

CBindInfo::~CBindInfo() = default;

void CBindInfo::CopySettings(const CBindInfo& other)
{
    if (&other == this)
        return;
    m_strName = other.m_strName;
    m_strBodyBindName = other.m_strBodyBindName;
    m_strConnName = other.m_strConnName;
    m_strDataSetName = other.m_strDataSetName;
    m_nOpenType = other.m_nOpenType;
    m_fields = other.m_fields;
    m_groupRow = other.m_groupRow;
    nFillStartRow = other.nFillStartRow;
    nFillStartCol = other.nFillStartCol;
    FillType = other.FillType;
    bBlock = other.bBlock;
    nRowsPerBlock = other.nRowsPerBlock;
    bAutoRow = other.bAutoRow;
    bAutoCol = other.bAutoCol;
    reserved = other.reserved;
}

void CBindInfo::SetName(LPCTSTR szName)
{
    m_strName = CutBindName(szName);
}

void CBindInfo::SetBodyBindName(LPCTSTR szName)
{
    m_strBodyBindName = CutBindName(szName);
}

void CBindInfo::SetBodyBind(CBindInfo* pBody)
{
    m_pBodyBind = pBody;
    if (pBody != nullptr)
        m_strBodyBindName = pBody->GetName();
}

void CBindInfo::SetDataSource(LPCTSTR szConnName, LPCTSTR szDataSetName)
{
    m_strConnName = CutBindName(szConnName);
    m_strDataSetName = CutBindName(szDataSetName);
}

void CBindInfo::BindSource(std::shared_ptr<IBindRecordset> pRecordset)
{
    m_pRecordset = std::move(pRecordset);
    m_nRecordCount = m_pRecordset ? m_pRecordset->GetRecordCount() : 0;
    if (m_nRecordCount < 0)
        m_nRecordCount = 0;
    m_nColumnBlocks = 0;
    if (bBlock != 0 && nRowsPerBlock > 1)
        m_nColumnBlocks = (m_nRecordCount + nRowsPerBlock - 1) / nRowsPerBlock;
}

int CBindInfo::FindField(int nRow, int nCol) const
{
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        const CBindFieldInfo* field = m_fields.GetFieldPtr(i);
        if (field->nRow == nRow && field->nCol == nCol)
            return i;
    }
    return -1;
}

CString CBindInfo::GetListText(IBindRecordset& recordset)
{
    CString text;
    if (!recordset.IsOpen())
        return text;
    recordset.MoveFirst();
    while (!recordset.IsEOF()) {
        CBindValue value;
        if (recordset.GetFieldValue(0, value))
            text += value.AsText();
        text += "\n";
        recordset.MoveNext();
    }
    recordset.MoveFirst();
    return text;
}

std::vector<std::uint8_t> CBindInfo::GetRecord() const
{
    ItemWriter w;
    if (!m_strName.IsEmpty())
        w.Fixed(8001, m_strName, 16);
    if (!m_strBodyBindName.IsEmpty())
        w.Fixed(8002, m_strBodyBindName, 16);
    if (!m_strConnName.IsEmpty())
        w.Fixed(8003, m_strConnName, 16);
    if (!m_strDataSetName.IsEmpty())
        w.Fixed(8004, m_strDataSetName, 16);
    if (nFillStartRow >= 0)
        w.Int(8005, nFillStartRow);
    if (nFillStartCol >= 0)
        w.Int(8006, nFillStartCol);
    Bytes fields = m_fields.GetStored();
    if (!fields.empty())
        w.Raw(8008, fields);
    if (FillType != BFT_BODY)
        w.Short(8009, FillType);
    if (bBlock != 0)
        w.Int(8010, bBlock);
    if (nRowsPerBlock != 0)
        w.Int(8011, nRowsPerBlock);
    if (bAutoRow != 1)
        w.Int(8012, bAutoRow);
    if (bAutoCol != 0)
        w.Int(8013, bAutoCol);
    Bytes group = m_groupRow.GetRecord();
    if (!group.empty())
        w.Raw(8014, group);
    WriteReserved(w, reserved);
    if (m_nOpenType > 0)
        w.Short(8023, m_nOpenType);
    return w.Frame(kBindEnd);
}

bool CBindInfo::ReadRecord(const std::uint8_t* p, size_t n)
{
    Reader in(p, n);
    return bindrec::ParseRecord(in, kBindEnd, [this](const Item& item) {
        if (item.length <= 0)
            return true;
        switch (item.tag) {
        case 8001: m_strName = item.AsFixed(16); break;
        case 8002: m_strBodyBindName = item.AsFixed(16); break;
        case 8003: m_strConnName = item.AsFixed(16); break;
        case 8004: m_strDataSetName = item.AsFixed(16); break;
        case 8005: nFillStartRow = Int(item, nFillStartRow); break;
        case 8006: nFillStartCol = Int(item, nFillStartCol); break;
        case 8008: return m_fields.ReadStored(item.data, static_cast<size_t>(item.length));
        case 8009: FillType = Short(item, FillType); break;
        case 8010: bBlock = Int(item, bBlock); break;
        case 8011: nRowsPerBlock = Int(item, nRowsPerBlock); break;
        case 8012: bAutoRow = Int(item, bAutoRow); break;
        case 8013: bAutoCol = Int(item, bAutoCol); break;
        case 8014: return m_groupRow.ReadRecord(item.data, static_cast<size_t>(item.length));
        case 8023: m_nOpenType = Short(item, m_nOpenType); break;
        default:
            if (item.tag == 8007 || IsReserved(item.tag, 8015, 8022))
                reserved[item.tag] = item.AsBytes();
            break;
        }
        return true;
    });
}

// --- the list -----------------------------------------------------------------------

CBindInfoList::CBindInfoList() = default;

CBindInfoList::~CBindInfoList()
{
    DeleteAllBinds();
}

void CBindInfoList::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    for (auto& bind : m_binds)
        bind->SetGrid(pGrid);
}

CBindInfo* CBindInfoList::AddBind(LPCTSTR szName, CGridCtrl* pGrid)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || FindBind(name) >= 0)
        return nullptr;
    auto pBind = std::make_unique<CBindInfo>(name);
    pBind->SetGrid(pGrid);
    m_binds.push_back(std::move(pBind));
    return m_binds.back().get();
}

int CBindInfoList::FindBind(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_binds.size(); ++i) {
        if (m_binds[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CBindInfo* CBindInfoList::GetBind(LPCTSTR szName) const
{
    return GetBindAt(FindBind(szName));
}

CBindInfo* CBindInfoList::GetBindAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_binds[static_cast<size_t>(nIndex)].get();
}

BOOL CBindInfoList::Contains(const CBindInfo* pBind) const
{
    if (pBind == nullptr)
        return FALSE;
    for (const auto& bind : m_binds) {
        if (bind.get() == pBind)
            return TRUE;
    }
    return FALSE;
}

BOOL CBindInfoList::SetBind(LPCTSTR szName, std::unique_ptr<CBindInfo> pBind)
{
    return SetBindAt(FindBind(szName), std::move(pBind));
}

BOOL CBindInfoList::SetBindAt(int nIndex, std::unique_ptr<CBindInfo> pBind)
{
    if (!pBind || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    CBindInfo* pOld = m_binds[static_cast<size_t>(nIndex)].get();
    for (auto& bind : m_binds) {
        if (bind->GetBodyBind() == pOld)
            bind->SetBodyBind(nullptr);
    }
    m_binds[static_cast<size_t>(nIndex)] = std::move(pBind);
    return TRUE;
}

BOOL CBindInfoList::DeleteBind(LPCTSTR szName)
{
    return DeleteBindAt(FindBind(szName));
}

BOOL CBindInfoList::DeleteBindAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    CBindInfo* pOld = m_binds[static_cast<size_t>(nIndex)].get();
    // A bottom bind must not keep a link to a body that is gone (its name
    // stays and is looked up again at the next fill).
    for (auto& bind : m_binds) {
        if (bind->GetBodyBind() == pOld)
            bind->SetBodyBind(nullptr);
    }
    m_binds.erase(m_binds.begin() + nIndex);
    return TRUE;
}

short CBindInfoList::DeleteAllBinds()
{
    short count = static_cast<short>(m_binds.size());
    while (!m_binds.empty())
        m_binds.pop_back();
    return count;
}

int CBindInfoList::GetStoredSize() const
{
    if (m_binds.empty())
        return 0;
    int size = 4;
    for (const auto& bind : m_binds)
        size += static_cast<int>(bind->GetRecord().size()) + 4;
    return size;
}

void CBindInfoList::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        Load(ar);
        return;
    }
    ar << static_cast<int>(m_binds.size());
    for (const auto& bind : m_binds) {
        Bytes record = bind->GetRecord();
        ar << static_cast<int>(record.size());
        if (!record.empty())
            ar.Write(record.data(), static_cast<UINT>(record.size()));
    }
}

BOOL CBindInfoList::Load(CArchive& ar)
{
    int count = 0;
    ar >> count;
    if (ar.IsFailed() || count < 0 || static_cast<ULONGLONG>(count) * 4 > ar.GetRemaining()) {
        ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    std::vector<std::unique_ptr<CBindInfo>> binds;
    for (int i = 0; i < count; ++i) {
        int size = 0;
        ar >> size;
        if (ar.IsFailed() || size < 0 || static_cast<ULONGLONG>(size) > ar.GetRemaining()) {
            ar.SetFailed(CArchive::statusBadCount);
            return FALSE;
        }
        auto pBind = std::make_unique<CBindInfo>();
        pBind->SetGrid(m_pGrid);
        if (size > 0) {
            Bytes record(static_cast<size_t>(size));
            if (ar.Read(record.data(), static_cast<UINT>(size)) != static_cast<UINT>(size) || ar.IsFailed()
                || !pBind->ReadRecord(record.data(), record.size())) {
                ar.SetFailed(CArchive::statusBadCount);
                return FALSE;
            }
        }
        binds.push_back(std::move(pBind));
    }
    DeleteAllBinds();
    m_binds.swap(binds);
    return TRUE;
}
