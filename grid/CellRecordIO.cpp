#include "grid/CellRecordIO.h"

#include "grid/LogFontUtil.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

// --- writing -------------------------------------------------------------------

void CCellRecordWriter::Head(int nTag, int nLength)
{
    m_nBytes += 8 + nLength;
    if (m_pAr != nullptr)
        *m_pAr << nTag << nLength;
}

void CCellRecordWriter::Int(int nTag, int nValue)
{
    Head(nTag, 4);
    if (m_pAr != nullptr)
        *m_pAr << nValue;
}

void CCellRecordWriter::Ints(int nTag, const int* pValues, int nCount)
{
    Head(nTag, 4 * nCount);
    if (m_pAr != nullptr) {
        for (int i = 0; i < nCount; ++i)
            *m_pAr << pValues[i];
    }
}

void CCellRecordWriter::Double(int nTag, double dValue)
{
    Head(nTag, 8);
    if (m_pAr != nullptr)
        *m_pAr << dValue;
}

void CCellRecordWriter::Text(int nTag, const CString& strText)
{
    int length = strText.GetLength() + 1;
    Head(nTag, length);
    if (m_pAr != nullptr)
        m_pAr->Write(static_cast<LPCTSTR>(strText), static_cast<UINT>(length));
}

void CCellRecordWriter::Bytes(int nTag, const void* pData, int nLength)
{
    Head(nTag, nLength);
    if (m_pAr != nullptr && nLength > 0)
        m_pAr->Write(pData, static_cast<UINT>(nLength));
}

void CCellRecordWriter::LogFont(int nTag, const LOGFONT& lf)
{
    Head(nTag, LOGFONT_ARCHIVE_SIZE);
    if (m_pAr != nullptr) {
        LOGFONT copy = lf;
        SerializeLogFont(*m_pAr, &copy);
    }
}

// --- reading -------------------------------------------------------------------

namespace {

// Adds to a 32-bit counter without overflowing it: stored sizes come from
// outside and may be anything.
void AddSaturated(int& counter, long long delta)
{
    long long sum = static_cast<long long>(counter) + delta;
    if (sum > INT_MAX)
        sum = INT_MAX;
    if (sum < INT_MIN)
        sum = INT_MIN;
    counter = static_cast<int>(sum);
}

}  // namespace

CCellRecordReader::CCellRecordReader(CArchive& ar, int* pnCallerCounter) : m_ar(ar)
{
    m_ar >> m_nLevelSize;
    if (pnCallerCounter != nullptr)
        AddSaturated(*pnCallerCounter, m_nLevelSize);
}

BOOL CCellRecordReader::ReadEndOfEmptyLevel()
{
    if (m_nLevelSize > 8)
        return FALSE;
    int endTag = 0;
    m_ar >> endTag;
    return TRUE;
}

BOOL CCellRecordReader::NextItem(int nEndTag, int& nTag, int& nLength)
{
    if (m_nItemLeft > 0)
        SkipItem();
    if (m_ar.IsFailed())
        return FALSE;
    m_ar >> nTag;
    if (m_ar.IsFailed() || m_nCounter >= m_nLevelSize)
        return FALSE;
    AddSaturated(m_nCounter, 4);
    if (nTag == nEndTag)
        return FALSE;
    m_ar >> nLength;
    AddSaturated(m_nCounter, 4);
    long long room = static_cast<long long>(m_nLevelSize) - 4 - m_nCounter;
    if (m_ar.IsFailed() || nLength < 0 || nLength > room ||
        static_cast<ULONGLONG>(nLength) > m_ar.GetRemaining()) {
        m_ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    m_nItemLeft = nLength;
    AddSaturated(m_nCounter, nLength);
    return TRUE;
}

BOOL CCellRecordReader::ReadInt(int& nValue)
{
    int value = 0;
    if (m_nItemLeft < 4) {
        SkipItem();
        return FALSE;
    }
    m_ar >> value;
    m_nItemLeft -= 4;
    SkipItem();
    if (m_ar.IsFailed())
        return FALSE;
    nValue = value;
    return TRUE;
}

BOOL CCellRecordReader::ReadInts(int* pValues, int nCount)
{
    if (nCount < 0 || m_nItemLeft < 4 * nCount) {
        SkipItem();
        return FALSE;
    }
    // Read as one block of little-endian integers (a short block on the stack).
    BYTE small[64];
    std::vector<BYTE> large;
    BYTE* bytes = small;
    const size_t nBytes = 4 * static_cast<size_t>(nCount);
    if (nBytes > sizeof(small)) {
        large.resize(nBytes);
        bytes = large.data();
    }
    if (nBytes > 0)
        m_ar.Read(bytes, static_cast<UINT>(nBytes));
    m_nItemLeft -= 4 * nCount;
    SkipItem();
    if (m_ar.IsFailed())
        return FALSE;
    for (int i = 0; i < nCount; ++i) {
        const BYTE* b = bytes + 4 * i;
        pValues[i] = static_cast<int>(static_cast<unsigned>(b[0]) | static_cast<unsigned>(b[1]) << 8 |
                                      static_cast<unsigned>(b[2]) << 16 | static_cast<unsigned>(b[3]) << 24);
    }
    return TRUE;
}

BOOL CCellRecordReader::ReadDouble(double& dValue)
{
    double value = 0.0;
    if (m_nItemLeft < 8) {
        SkipItem();
        return FALSE;
    }
    m_ar >> value;
    m_nItemLeft -= 8;
    SkipItem();
    if (m_ar.IsFailed())
        return FALSE;
    dValue = value;
    return TRUE;
}

BOOL CCellRecordReader::ReadBytes(std::string& strBytes)
{
    std::string bytes(static_cast<size_t>(m_nItemLeft), '\0');
    if (!bytes.empty())
        m_ar.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    m_nItemLeft = 0;
    if (m_ar.IsFailed())
        return FALSE;
    strBytes.swap(bytes);
    return TRUE;
}

BOOL CCellRecordReader::ReadText(CString& strText)
{
    std::string bytes;
    if (!ReadBytes(bytes))
        return FALSE;
    strText = bytes.c_str();   // up to the first NUL
    return TRUE;
}

BOOL CCellRecordReader::ReadLogFont(LOGFONT& lf)
{
    if (m_nItemLeft < LOGFONT_ARCHIVE_SIZE) {
        SkipItem();
        return FALSE;
    }
    LOGFONT value;
    std::memset(&value, 0, sizeof(value));
    SerializeLogFont(m_ar, &value);
    m_nItemLeft -= LOGFONT_ARCHIVE_SIZE;
    SkipItem();
    if (m_ar.IsFailed())
        return FALSE;
    lf = value;
    return TRUE;
}

void CCellRecordReader::SkipItem()
{
    Drop(m_nItemLeft);
    m_nItemLeft = 0;
}

void CCellRecordReader::Drop(long long nSize)
{
    char scratch[256];
    while (nSize > 0 && !m_ar.IsFailed()) {
        UINT chunk = static_cast<UINT>(std::min<long long>(nSize, sizeof(scratch)));
        m_ar.Read(scratch, chunk);
        nSize -= chunk;
    }
}

void CCellRecordReader::CountRead(int nSize)
{
    AddSaturated(m_nCounter, nSize);
}

void CCellRecordReader::SkipRestOfLevel()
{
    long long rest = static_cast<long long>(m_nLevelSize) - m_nCounter;
    if (rest <= 0 || m_ar.IsFailed())
        return;
    if (static_cast<ULONGLONG>(rest) > m_ar.GetRemaining()) {
        m_ar.SetFailed(CArchive::statusBadCount);
        return;
    }
    Drop(rest);
    m_nCounter = m_nLevelSize;
}
