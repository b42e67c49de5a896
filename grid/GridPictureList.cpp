#include "grid/GridPictureList.h"

#include "base/FileReplace.h"
#include "base/PictureHeader.h"

#include "base/CArchive.h"
#include "base/CFile.h"
#include "cellcontent/PathUtil.h"
#include "platform/Gdi.h"
#include "platform/Picture.h"

#include <algorithm>
#include <cstring>

namespace {

enum PictureRecordTag {
    TAG_ID = 10401,
    TAG_BYTE_COUNT = 10402,
    TAG_BYTES = 10403,
    TAG_OPTION1 = 10404,
    TAG_OPTION2 = 10405,
    TAG_OPTION_INT = 10406,
    TAG_OPTION_SHORT = 10407,
    TAG_NAME = 10408,
    TAG_END = 10599,
};

// Skips n bytes of the archive (the caller has checked they are there).
void SkipBytes(CArchive& ar, long long n)
{
    char scratch[256];
    while (n > 0 && !ar.IsFailed()) {
        UINT chunk = static_cast<UINT>(std::min<long long>(n, sizeof(scratch)));
        ar.Read(scratch, chunk);
        n -= chunk;
    }
}

}  // namespace

// --- one entry -----------------------------------------------------------------

int GridPictureEntry::GetRecordSize() const
{
    int items = 0;
    if (wId != 0xFFFF)
        items += 8 + 2;
    if (nByteCount != 0)
        items += 8 + 4;
    if (!bytes.empty())
        items += 8 + static_cast<int>(bytes.size());
    if (static_cast<signed char>(byOption1) >= 0)
        items += 8 + 1;
    if (static_cast<signed char>(byOption2) >= 0)
        items += 8 + 1;
    if (nOption >= 0)
        items += 8 + 4;
    if (nOptionShort >= 0)
        items += 8 + 2;
    if (!strName.IsEmpty())
        items += 8 + strName.GetLength() + 1;
    return items == 0 ? 0 : items + 8;
}

void GridPictureEntry::WriteRecord(CArchive& ar) const
{
    int total = GetRecordSize();
    ar << total;
    if (total == 0)
        return;
    if (wId != 0xFFFF)
        ar << static_cast<int>(TAG_ID) << 2 << wId;
    if (nByteCount != 0)
        ar << static_cast<int>(TAG_BYTE_COUNT) << 4 << nByteCount;
    if (!bytes.empty()) {
        ar << static_cast<int>(TAG_BYTES) << static_cast<int>(bytes.size());
        ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    if (static_cast<signed char>(byOption1) >= 0)
        ar << static_cast<int>(TAG_OPTION1) << 1 << byOption1;
    if (static_cast<signed char>(byOption2) >= 0)
        ar << static_cast<int>(TAG_OPTION2) << 1 << byOption2;
    if (nOption >= 0)
        ar << static_cast<int>(TAG_OPTION_INT) << 4 << nOption;
    if (nOptionShort >= 0)
        ar << static_cast<int>(TAG_OPTION_SHORT) << 2 << nOptionShort;
    if (!strName.IsEmpty()) {
        ar << static_cast<int>(TAG_NAME) << strName.GetLength() + 1;
        ar.Write(static_cast<LPCTSTR>(strName), static_cast<UINT>(strName.GetLength() + 1));
    }
    ar << static_cast<int>(TAG_END);
}

BOOL GridPictureEntry::ReadRecord(CArchive& ar)
{
    int total = 0;
    ar >> total;
    if (ar.IsFailed())
        return FALSE;
    if (total == 0)
        return TRUE;
    if (total < 8) {
        ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    // Bytes the items may take: the total less the length word and the end tag.
    long long room = static_cast<long long>(total) - 8;
    long long consumed = 0;
    for (;;) {
        int tag = 0;
        ar >> tag;
        if (ar.IsFailed())
            return FALSE;
        if (tag == TAG_END)
            return TRUE;
        int length = 0;
        ar >> length;
        if (ar.IsFailed() || length < 0 || consumed + 8 + length > room ||
            static_cast<ULONGLONG>(length) > ar.GetRemaining()) {
            ar.SetFailed(CArchive::statusBadCount);
            return FALSE;
        }
        consumed += 8 + length;
        if (length == 0)
            continue;
        // The fixed-size items take their value from the first bytes.
        int fixed = 0;
        switch (tag) {
        case TAG_ID:
            fixed = 2;
            break;
        case TAG_BYTE_COUNT:
        case TAG_OPTION_INT:
            fixed = 4;
            break;
        case TAG_OPTION1:
        case TAG_OPTION2:
            fixed = 1;
            break;
        case TAG_OPTION_SHORT:
            fixed = 2;
            break;
        default:
            break;
        }
        if (fixed > 0 && length < fixed) {
            SkipBytes(ar, length);
            continue;
        }
        switch (tag) {
        case TAG_ID:
            ar >> wId;
            break;
        case TAG_BYTE_COUNT:
            ar >> nByteCount;
            break;
        case TAG_OPTION1:
            ar >> byOption1;
            break;
        case TAG_OPTION2:
            ar >> byOption2;
            break;
        case TAG_OPTION_INT:
            ar >> nOption;
            break;
        case TAG_OPTION_SHORT:
            ar >> nOptionShort;
            break;
        case TAG_BYTES:
            bytes.assign(static_cast<size_t>(length), 0);
            ar.Read(bytes.data(), static_cast<UINT>(length));
            break;
        case TAG_NAME: {
            std::vector<char> name(static_cast<size_t>(length) + 1, '\0');
            ar.Read(name.data(), static_cast<UINT>(length));
            strName = name.data();
            break;
        }
        default:
            SkipBytes(ar, length);
            break;
        }
        if (fixed > 0)
            SkipBytes(ar, length - fixed);
        if (ar.IsFailed())
            return FALSE;
    }
}

// --- the list ---------------------------------------------------------------------

namespace {

// The entry's bitmap from its bytes (none when the platform cannot decode
// them). Only a picture whose header fits its bytes reaches the decoder; the
// bytes of any other stay in the list, undecoded, as they came.
void Decode(GridPictureEntry& entry)
{
    if (!entry.bytes.empty() &&
        CheckPictureHeader(entry.bytes.data(), entry.bytes.size()) == PictureHeaderResult::fits)
        entry.hBitmap = PlatformDecodePicture(entry.bytes.data(), static_cast<int>(entry.bytes.size()));
}

void FreeBitmap(GridPictureEntry& entry)
{
    if (entry.hBitmap != nullptr) {
        CBitmap owner;
        owner.Attach(entry.hBitmap);   // deleted with owner
        entry.hBitmap = nullptr;
    }
}

}  // namespace

CGridPictureList::CGridPictureList() = default;

CGridPictureList::~CGridPictureList()
{
    DeleteAll();
}

int CGridPictureList::Append(std::vector<BYTE> bytes, bool bMustDecode)
{
    if (m_nNextId < 0 || m_nNextId >= 0xFFFF)
        return -1;   // every id a cell can name is taken
    GridPictureEntry entry;
    entry.wId = static_cast<WORD>(m_nNextId);
    entry.nByteCount = static_cast<int>(bytes.size());
    entry.bytes = std::move(bytes);
    Decode(entry);
    if (bMustDecode && entry.hBitmap == nullptr)
        return -1;   // nothing kept, no id spent
    m_entries.push_back(std::move(entry));
    return m_nNextId++;
}

namespace {

// The whole file; FALSE for an empty path, a missing, empty or unreadable file.
bool ReadPictureFile(LPCTSTR szPath, std::vector<BYTE>& bytes)
{
    if (szPath == nullptr || *szPath == '\0' || !FileExists(szPath))
        return false;
    CFile file;
    if (!file.Open(szPath, CFile::modeRead | CFile::typeBinary))
        return false;
    ULONGLONG length = file.GetLength();
    if (length == 0 || length > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<size_t>(length));
    return file.Read(bytes.data(), static_cast<UINT>(length)) == length;
}

}  // namespace

int CGridPictureList::AddPictureFile(LPCTSTR szPath)
{
    std::vector<BYTE> bytes;
    return ReadPictureFile(szPath, bytes) ? Append(std::move(bytes), false) : -1;
}

int CGridPictureList::AddDecodablePictureFile(LPCTSTR szPath)
{
    std::vector<BYTE> bytes;
    return ReadPictureFile(szPath, bytes) ? Append(std::move(bytes), true) : -1;
}

int CGridPictureList::AddPictureData(const BYTE* pBytes, int nByteCount)
{
    if (pBytes == nullptr || nByteCount <= 0)
        return -1;
    return Append(std::vector<BYTE>(pBytes, pBytes + nByteCount), false);
}

HBITMAP CGridPictureList::GetBitmap(int nId) const
{
    int index = FindPicture(nId);
    return index >= 0 ? m_entries[static_cast<size_t>(index)].hBitmap : nullptr;
}

int CGridPictureList::FindPicture(int nId) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].wId == nId)
            return static_cast<int>(i);
    }
    return -1;
}

int CGridPictureList::DeletePicture(int nId)
{
    int index = FindPicture(nId);
    if (index >= 0) {
        FreeBitmap(m_entries[static_cast<size_t>(index)]);
        m_entries.erase(m_entries.begin() + index);
    }
    return index;
}

int CGridPictureList::DeleteAll()
{
    int count = GetCount();
    while (!m_entries.empty()) {
        FreeBitmap(m_entries.back());
        m_entries.pop_back();
    }
    m_nNextId = 0;
    return count;
}

int CGridPictureList::GetPictureId(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return -1;
    return m_entries[static_cast<size_t>(nIndex)].wId;
}

const GridPictureEntry* CGridPictureList::GetEntryAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return &m_entries[static_cast<size_t>(nIndex)];
}

BOOL CGridPictureList::SavePictureFile(int nId, LPCTSTR szPath) const
{
    int index = FindPicture(nId);
    if (index < 0 || szPath == nullptr || *szPath == '\0')
        return FALSE;
    const GridPictureEntry& entry = m_entries[static_cast<size_t>(index)];
    if (entry.bytes.empty())
        return FALSE;
    const FileWriteResult result = WriteFileReplacing(szPath, [&](CFile& file) {
        return file.Write(entry.bytes.data(), static_cast<UINT>(entry.bytes.size())) != FALSE;
    });
    return result == FileWriteResult::ok ? TRUE : FALSE;
}

void CGridPictureList::Serialize(CArchive& ar, int nCount)
{
    if (ar.IsStoring()) {
        for (const GridPictureEntry& entry : m_entries) {
            if (entry.GetRecordSize() != 0)
                entry.WriteRecord(ar);
        }
        ar << m_nNextId;
        return;
    }
    DeleteAll();
    // Every record takes at least its 4-byte length, and the counter follows.
    if (nCount < 0 || static_cast<ULONGLONG>(nCount) * 4 + 4 > ar.GetRemaining()) {
        ar.SetFailed(CArchive::statusBadCount);
        return;
    }
    for (int i = 0; i < nCount; ++i) {
        GridPictureEntry entry;
        if (!entry.ReadRecord(ar))
            return;
        Decode(entry);
        m_entries.push_back(std::move(entry));
    }
    int nextId = 0;
    ar >> nextId;
    if (!ar.IsFailed())
        m_nNextId = nextId;
}
