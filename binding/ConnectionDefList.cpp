#include "binding/ConnectionDefList.h"

#include "binding/BindNames.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

const int kDataSetEnd = 9499;
const int kConnectionEnd = 9999;
const int kDataSetsTag = 9510;
const int kNameWidth = 16;

// Writes items (or only counts them with pAr NULL) in the tagged framing.
class ItemWriter {
public:
    explicit ItemWriter(CArchive* pAr) : m_pAr(pAr) {}
    int Bytes() const { return m_nBytes; }
    void Head(int tag, int length)
    {
        if (m_pAr != nullptr)
            *m_pAr << tag << length;
        m_nBytes += 8 + length;
    }
    void Name(int tag, const CString& name)
    {
        if (name.IsEmpty())
            return;
        Head(tag, kNameWidth);
        if (m_pAr != nullptr)
            m_pAr->WritePaddedText(name, kNameWidth);
    }
    void Text(int tag, const CString& text)
    {
        if (text.IsEmpty())
            return;
        const int length = text.GetLength() + 1;
        Head(tag, length);
        if (m_pAr != nullptr)
            m_pAr->Write(static_cast<LPCTSTR>(text), static_cast<UINT>(length));
    }
    void Int32(int tag, int value, bool write)
    {
        if (!write)
            return;
        Head(tag, 4);
        if (m_pAr != nullptr)
            *m_pAr << value;
    }
    void Int16(int tag, short value, bool write)
    {
        if (!write)
            return;
        Head(tag, 2);
        if (m_pAr != nullptr)
            *m_pAr << value;
    }
    CArchive* Archive() const { return m_pAr; }
    void AddBytes(int n) { m_nBytes += n; }

private:
    CArchive* m_pAr;
    int m_nBytes = 0;
};

bool Bad(CArchive& ar)
{
    ar.SetFailed(CArchive::statusBadCount);
    return false;
}

// One item's data as read; fields take it by type.
struct ItemData {
    std::vector<char> bytes;
    int Length() const { return static_cast<int>(bytes.size()); }
    void Name(CString& name) const
    {
        char field[kNameWidth + 1] = {};
        if (!bytes.empty())
            std::memcpy(field, bytes.data(), std::min<size_t>(bytes.size(), kNameWidth));
        name = CutBindName(field);
    }
    void Text(CString& text) const
    {
        // Up to the first zero; a text without one keeps all its bytes.
        size_t n = 0;
        while (n < bytes.size() && bytes[n] != '\0')
            ++n;
        text = CString(bytes.data(), static_cast<int>(n));
    }
    void Int32(int& value) const
    {
        if (bytes.size() == 4)
            std::memcpy(&value, bytes.data(), 4);
    }
    void Int16(short& value) const
    {
        if (bytes.size() == 2)
            std::memcpy(&value, bytes.data(), 2);
    }
};

// Reads a record of nSize bytes (its owner's size word read): calls onItem
// for each item, onSpecial for a tag it claims (which reads its own data and
// answers the bytes it took, or -1 on a failure). Stops at the end tag or at
// the declared size; every length is bounded by both.
bool ReadItems(CArchive& ar, int nSize, int endTag, const std::function<void(int, const ItemData&)>& onItem,
               const std::function<int(int tag, int length, int room)>& onSpecial)
{
    if (nSize == 0)
        return true;
    if (nSize < 8 || static_cast<ULONGLONG>(nSize) > ar.GetRemaining())
        return Bad(ar);
    // The record repeats its size as its first word.
    int inner = 0;
    ar >> inner;
    if (ar.IsFailed() || inner != nSize)
        return Bad(ar);
    int consumed = 4;
    while (consumed < nSize) {
        if (consumed + 4 > nSize)
            return Bad(ar);
        int tag = 0;
        ar >> tag;
        consumed += 4;
        if (ar.IsFailed())
            return false;
        if (tag == endTag) {
            // Whatever the declared size holds past the end tag is skipped,
            // so the next record starts where its owner put it.
            std::vector<char> rest(static_cast<size_t>(nSize - consumed));
            if (!rest.empty() && ar.Read(rest.data(), static_cast<UINT>(rest.size())) != rest.size())
                return Bad(ar);
            return true;
        }
        if (consumed + 4 > nSize)
            return Bad(ar);
        int length = 0;
        ar >> length;
        consumed += 4;
        if (ar.IsFailed())
            return false;
        if (onSpecial) {
            const int taken = onSpecial(tag, length, nSize - consumed);
            if (taken < 0)
                return ar.IsFailed() ? false : Bad(ar);
            if (taken > 0 || tag == kDataSetsTag) {
                consumed += taken;
                continue;
            }
        }
        if (length < 0 || length > nSize - consumed)
            return Bad(ar);
        ItemData data;
        data.bytes.resize(static_cast<size_t>(length));
        if (length > 0 && ar.Read(data.bytes.data(), static_cast<UINT>(length)) != static_cast<UINT>(length))
            return Bad(ar);
        consumed += length;
        onItem(tag, data);
    }
    return true;
}

}  // namespace

// --- data set ------------------------------------------------------------------

CDataSetDef::CDataSetDef(LPCTSTR szName, CConnectionDef* pConnection)
    : m_strName(CutBindName(szName)), m_pConnection(nullptr)
{
    SetConnection(pConnection);
}

CDataSetDef::~CDataSetDef()
{
    Close();
}

void CDataSetDef::SetConnection(CConnectionDef* pConnection)
{
    m_pConnection = pConnection;
    m_recordset.SetConnection(pConnection != nullptr ? &pConnection->GetAdoConnection() : nullptr);
}

BOOL CDataSetDef::Open()
{
    m_bOpen = FALSE;
    if (m_pConnection == nullptr || !m_pConnection->IsOpen())
        return FALSE;
    m_bOpen = m_recordset.Open(&m_pConnection->GetAdoConnection(), m_strSql, m_nCommandType);
    return m_bOpen;
}

BOOL CDataSetDef::Close()
{
    const BOOL wasOpen = m_recordset.IsOpen() || m_bOpen;
    m_recordset.Close();
    m_bOpen = FALSE;
    return wasOpen;
}

CAdoRecordset* CDataSetDef::GetRecordset()
{
    if (m_pConnection != nullptr)
        m_recordset.SetConnection(&m_pConnection->GetAdoConnection());
    return &m_recordset;
}

int CDataSetDef::Items(CArchive* pAr) const
{
    ItemWriter w(pAr);
    w.Name(9001, m_strName);
    w.Text(9002, m_strSql);
    w.Int16(9003, m_nCommandType, m_nCommandType != 1);
    w.Int16(9004, m_nOpenType, m_nOpenType != 0);
    w.Int16(9005, m_nCloseType, m_nCloseType != 0);
    w.Int16(9006, m_nReserved6, m_nReserved6 != 0);
    w.Text(9007, m_strReserved7);
    w.Text(9008, m_strReserved8);
    w.Int32(9009, m_nReserved9, m_nReserved9 >= 0);
    w.Int16(9010, m_nReserved10, m_nReserved10 >= 0);
    return w.Bytes();
}

int CDataSetDef::GetStoredSize() const
{
    const int items = Items(nullptr);
    return items == 0 ? 0 : items + 8;
}

void CDataSetDef::Write(CArchive& ar) const
{
    const int size = GetStoredSize();
    if (size == 0)
        return;
    ar << size;
    Items(&ar);
    ar << kDataSetEnd;
}

BOOL CDataSetDef::Read(CArchive& ar, int nSize)
{
    return ReadItems(ar, nSize, kDataSetEnd,
                     [this](int tag, const ItemData& d) {
                         switch (tag) {
                         case 9001: d.Name(m_strName); break;
                         case 9002: d.Text(m_strSql); break;
                         case 9003: d.Int16(m_nCommandType); break;
                         case 9004: d.Int16(m_nOpenType); break;
                         case 9005: d.Int16(m_nCloseType); break;
                         case 9006: d.Int16(m_nReserved6); break;
                         case 9007: d.Text(m_strReserved7); break;
                         case 9008: d.Text(m_strReserved8); break;
                         case 9009: d.Int32(m_nReserved9); break;
                         case 9010: d.Int16(m_nReserved10); break;
                         default: break;   // unknown: skipped
                         }
                     },
                     nullptr)
               ? TRUE
               : FALSE;
}

// --- connection -------------------------------------------------------------------

CConnectionDef::CConnectionDef(LPCTSTR szName) : m_strName(CutBindName(szName))
{
}

CConnectionDef::~CConnectionDef()
{
    Close();
    while (!m_dataSets.empty())
        m_dataSets.pop_back();
}

BOOL CConnectionDef::Open()
{
    m_bOpen = FALSE;
    m_connection.SetConnectionTimeout(m_nTimeOut > 0 ? m_nTimeOut : 0);
    m_bOpen = m_connection.Open(m_strConnectionString, m_strUserName, m_strPassword);
    return m_bOpen;
}

BOOL CConnectionDef::Close()
{
    CloseDataSets();
    const BOOL wasOpen = m_connection.Close();
    m_bOpen = FALSE;
    return wasOpen;
}

int CConnectionDef::OpenAutoDataSets(bool& bFailed)
{
    bFailed = false;
    int opened = 0;
    for (auto& pDataSet : m_dataSets) {
        if (pDataSet->m_nOpenType != 1)
            continue;
        if (pDataSet->Open())
            ++opened;
        else
            bFailed = true;
    }
    return opened;
}

void CConnectionDef::CloseDataSets()
{
    for (auto& pDataSet : m_dataSets)
        pDataSet->Close();
}

int CConnectionDef::Items(CArchive* pAr) const
{
    ItemWriter w(pAr);
    w.Name(9501, m_strName);
    w.Text(9502, m_strConnectionString);
    w.Text(9503, m_strPassword);
    w.Text(9504, m_strUserName);
    w.Int32(9505, m_nTimeOut, m_nTimeOut != 15);
    w.Int16(9506, m_nOpenType, m_nOpenType != 0);
    w.Int16(9507, m_nCloseType, m_nCloseType != 0);
    w.Int16(9508, m_nReserved8, m_nReserved8 != 3);
    w.Int16(9509, m_nCursorLocation, m_nCursorLocation != 3);
    if (!m_dataSets.empty()) {
        // The one item whose length field holds a count.
        if (pAr != nullptr)
            *pAr << kDataSetsTag << static_cast<int>(m_dataSets.size());
        int share = 8;
        for (const auto& pDataSet : m_dataSets) {
            const int size = pDataSet->GetStoredSize();
            if (pAr != nullptr) {
                *pAr << size;
                pDataSet->Write(*pAr);
            }
            share += size + 4;
        }
        w.AddBytes(share);
    }
    w.Text(9511, m_strReserved11);
    w.Text(9512, m_strReserved12);
    w.Int32(9513, m_nReserved13, m_nReserved13 >= 0);
    w.Int16(9514, m_nReserved14, m_nReserved14 >= 0);
    return w.Bytes();
}

int CConnectionDef::GetStoredSize() const
{
    const int items = Items(nullptr);
    return items == 0 ? 0 : items + 8;
}

void CConnectionDef::Write(CArchive& ar) const
{
    const int size = GetStoredSize();
    if (size == 0)
        return;
    ar << size;
    Items(&ar);
    ar << kConnectionEnd;
}

BOOL CConnectionDef::Read(CArchive& ar, int nSize)
{
    auto onItem = [this](int tag, const ItemData& d) {
        switch (tag) {
        case 9501: d.Name(m_strName); break;
        case 9502: d.Text(m_strConnectionString); break;
        case 9503: d.Text(m_strPassword); break;
        case 9504: d.Text(m_strUserName); break;
        case 9505: d.Int32(m_nTimeOut); break;
        case 9506: d.Int16(m_nOpenType); break;
        case 9507: d.Int16(m_nCloseType); break;
        case 9508: d.Int16(m_nReserved8); break;
        case 9509: d.Int16(m_nCursorLocation); break;
        case 9511: d.Text(m_strReserved11); break;
        case 9512: d.Text(m_strReserved12); break;
        case 9513: d.Int32(m_nReserved13); break;
        case 9514: d.Int16(m_nReserved14); break;
        default: break;
        }
    };
    // Item 9510: the count in the length field, then sized data-set records,
    // bounded by what the record has left.
    auto onDataSets = [this, &ar](int tag, int count, int room) -> int {
        if (tag != kDataSetsTag)
            return 0;
        if (count < 0 || static_cast<long long>(count) * 4 > room)
            return -1;
        int taken = 0;
        for (int i = 0; i < count; ++i) {
            int size = 0;
            ar >> size;
            taken += 4;
            if (ar.IsFailed() || size < 0 || size > room - taken)
                return -1;
            auto pDataSet = std::make_unique<CDataSetDef>("", this);
            if (size != 0 && !pDataSet->Read(ar, size))
                return -1;
            taken += size;
            m_dataSets.push_back(std::move(pDataSet));
        }
        return taken;
    };
    m_dataSets.clear();
    if (!ReadItems(ar, nSize, kConnectionEnd, onItem, onDataSets)) {
        m_dataSets.clear();
        return FALSE;
    }
    return TRUE;
}

int CConnectionDef::NewDataSet(LPCTSTR szName)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || LookupDataSet(name) >= 0)
        return -1;
    m_dataSets.push_back(std::make_unique<CDataSetDef>(name, this));
    return GetDataSetCount() - 1;
}

int CConnectionDef::LookupDataSet(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_dataSets.size(); ++i) {
        if (m_dataSets[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CDataSetDef* CConnectionDef::GetDataSet(LPCTSTR szName) const
{
    return GetDataSetAt(LookupDataSet(szName));
}

CDataSetDef* CConnectionDef::GetDataSetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetDataSetCount())
        return nullptr;
    return m_dataSets[static_cast<size_t>(nIndex)].get();
}

int CConnectionDef::DeleteDataSet(LPCTSTR szName)
{
    return DeleteDataSetAt(LookupDataSet(szName));
}

int CConnectionDef::DeleteDataSetAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetDataSetCount())
        return -1;
    m_dataSets.erase(m_dataSets.begin() + nIndex);
    return nIndex;
}

// --- the list -------------------------------------------------------------------------

CConnectionDefList::CConnectionDefList() = default;

CConnectionDefList::~CConnectionDefList()
{
    DeleteAll();
}

void CConnectionDefList::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    for (auto& pConnection : m_connections)
        pConnection->SetGrid(pGrid);
}

int CConnectionDefList::AddConnection(LPCTSTR szName)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || FindConnection(name) >= 0)
        return -1;
    auto pConnection = std::make_unique<CConnectionDef>(name);
    pConnection->SetGrid(m_pGrid);
    m_connections.push_back(std::move(pConnection));
    return GetCount() - 1;
}

int CConnectionDefList::DeleteConnection(LPCTSTR szName)
{
    return DeleteConnectionAt(FindConnection(szName));
}

int CConnectionDefList::DeleteConnectionAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return -1;
    m_connections.erase(m_connections.begin() + nIndex);
    return nIndex;
}

int CConnectionDefList::FindConnection(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_connections.size(); ++i) {
        if (m_connections[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CConnectionDef* CConnectionDefList::GetConnection(LPCTSTR szName) const
{
    return GetConnectionAt(FindConnection(szName));
}

CConnectionDef* CConnectionDefList::GetConnectionAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_connections[static_cast<size_t>(nIndex)].get();
}

int CConnectionDefList::OpenAll()
{
    int count = 0;
    for (auto& pConnection : m_connections) {
        if (!pConnection->Open())
            continue;
        bool failed = false;
        if (pConnection->OpenAutoDataSets(failed) > 0)
            ++count;
    }
    return count;
}

int CConnectionDefList::CloseAll()
{
    int count = 0;
    for (auto& pConnection : m_connections) {
        if (pConnection->Close())
            ++count;
    }
    return count;
}

int CConnectionDefList::OpenAutoConnections()
{
    int count = 0;
    for (auto& pConnection : m_connections) {
        if (pConnection->m_nOpenType != 1 || !pConnection->Open())
            continue;
        bool failed = false;
        if (pConnection->OpenAutoDataSets(failed) == 0 || failed) {
            CloseAll();
            return -1;
        }
        ++count;
    }
    return count;
}

int CConnectionDefList::GetStoredSize() const
{
    if (m_connections.empty())
        return 0;
    int size = 4;
    for (const auto& pConnection : m_connections)
        size += pConnection->GetStoredSize() + 4;
    return size;
}

void CConnectionDefList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << GetCount();
        for (const auto& pConnection : m_connections) {
            const int size = pConnection->GetStoredSize();
            ar << size;
            pConnection->Write(ar);
        }
        return;
    }
    DeleteAll();
    int count = 0;
    ar >> count;
    if (ar.IsFailed())
        return;
    if (count < 0 || static_cast<ULONGLONG>(count) * 4 > ar.GetRemaining()) {
        ar.SetFailed(CArchive::statusBadCount);
        return;
    }
    for (int i = 0; i < count; ++i) {
        int size = 0;
        ar >> size;
        if (ar.IsFailed())
            break;
        auto pConnection = std::make_unique<CConnectionDef>("");
        if (size != 0 && !pConnection->Read(ar, size))
            break;
        pConnection->SetGrid(m_pGrid);
        m_connections.push_back(std::move(pConnection));
    }
    if (ar.IsFailed())
        DeleteAll();
}

void CConnectionDefList::DeleteAll()
{
    while (!m_connections.empty())
        m_connections.pop_back();
}
