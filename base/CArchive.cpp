// CArchive: little-endian values and strings over a CFile, failures as status.
#include "base/CArchive.h"

#include "base/Cp936.h"

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf) : m_pFile(pFile), m_nMode(nMode)
{
    (void)lpBuf;
    if ((nMode & bBuffered) != 0)
        m_buffer.resize(static_cast<size_t>(nBufSize > 4096 ? nBufSize : 4096));
}

CArchive::~CArchive()
{
    if (!m_bClosed && IsStoring())
        FlushBuffer();
}

bool CArchive::FlushBuffer()
{
    if (m_nBufEnd == 0 || !IsStoring())
        return true;
    const size_t n = m_nBufEnd;
    m_nBufEnd = 0;
    if (IsFailed() || m_pFile == nullptr)
        return false;
    if (!m_pFile->Write(m_buffer.data(), static_cast<UINT>(n))) {
        SetFailed(statusWriteFailed);
        return false;
    }
    return true;
}

bool CArchive::IsLoading() const { return (m_nMode & load) != 0; }
bool CArchive::IsStoring() const { return (m_nMode & load) == 0; }
CFile* CArchive::GetFile() const { return m_pFile; }
bool CArchive::IsFailed() const { return m_nStatus != statusOk; }
int CArchive::GetStatus() const { return m_nStatus; }

void CArchive::SetFailed(int nStatus)
{
    if (m_nStatus == statusOk)
        m_nStatus = nStatus == statusOk ? statusBadCount : nStatus;
}

ULONGLONG CArchive::GetRemaining() const
{
    if (IsFailed() || !m_pFile || m_bClosed)
        return 0;
    ULONGLONG len;
    if (!m_buffer.empty() && IsStoring())
        const_cast<CArchive*>(this)->FlushBuffer();
    if (IsFailed())
        return 0;
    if (IsLoading()) {
        // Nothing writes to the file while it is being loaded; asking a disk
        // file for its length repositions it, which costs its read buffer.
        if (!m_bLengthKnown) {
            m_nLength = m_pFile->GetLength();
            m_bLengthKnown = true;
        }
        len = m_nLength;
    } else {
        len = m_pFile->GetLength();
    }
    ULONGLONG pos = m_pFile->GetPosition();
    // Bytes read ahead are still to come for the archive.
    const ULONGLONG ahead = IsLoading() ? m_nBufEnd - m_nBufPos : 0;
    return (len > pos ? len - pos : 0) + ahead;
}

bool CArchive::CanRead()
{
    if (IsFailed())
        return false;
    if (!m_pFile || m_bClosed || !IsLoading()) {
        SetFailed(statusWrongMode);
        return false;
    }
    return true;
}

bool CArchive::CanWrite()
{
    if (IsFailed())
        return false;
    if (!m_pFile || m_bClosed || !IsStoring()) {
        SetFailed(statusWrongMode);
        return false;
    }
    return true;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!lpBuf || nMax == 0)
        return 0;
    BYTE* p = static_cast<BYTE*>(lpBuf);
    UINT got = 0;
    if (CanRead() && !m_buffer.empty()) {
        while (got < nMax) {
            if (m_nBufPos == m_nBufEnd) {
                // A long read goes straight to the caller's memory.
                if (nMax - got >= m_buffer.size()) {
                    const UINT n = m_pFile->Read(p + got, nMax - got);
                    if (n == 0)
                        break;
                    got += n;
                    continue;
                }
                m_nBufPos = 0;
                m_nBufEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
                if (m_nBufEnd == 0)
                    break;
            }
            size_t n = m_nBufEnd - m_nBufPos;
            if (n > nMax - got)
                n = nMax - got;
            std::memcpy(p + got, m_buffer.data() + m_nBufPos, n);
            m_nBufPos += n;
            got += static_cast<UINT>(n);
        }
    } else if (CanRead()) {
        while (got < nMax) {
            UINT n = m_pFile->Read(p + got, nMax - got);
            if (n == 0)
                break;
            got += n;
        }
    }
    if (got < nMax) {
        std::memset(p + got, 0, nMax - got);
        SetFailed(statusEndOfFile);
    }
    return got;
}

void CArchive::ReadExact(void* p, UINT n) { Read(p, n); }

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (!lpBuf) {
        SetFailed(statusWriteFailed);
        return;
    }
    WriteRaw(lpBuf, nMax);
}

void CArchive::WriteRaw(const void* p, UINT n)
{
    if (!CanWrite())
        return;
    if (!m_buffer.empty()) {
        if (m_nBufEnd + n <= m_buffer.size()) {
            std::memcpy(m_buffer.data() + m_nBufEnd, p, n);
            m_nBufEnd += n;
            return;
        }
        if (!FlushBuffer())
            return;
        if (n < m_buffer.size()) {
            std::memcpy(m_buffer.data(), p, n);
            m_nBufEnd = n;
            return;
        }
    }
    if (!m_pFile->Write(p, n))
        SetFailed(statusWriteFailed);
}

void CArchive::PutBytes(const BYTE* p, UINT n)
{
    if (m_nBufEnd + n <= m_buffer.size() && m_nStatus == statusOk && !m_bClosed && IsStoring() && m_pFile) {
        std::memcpy(m_buffer.data() + m_nBufEnd, p, n);
        m_nBufEnd += n;
        return;
    }
    WriteRaw(p, n);
}

void CArchive::GetBytes(BYTE* p, UINT n)
{
    if (m_nBufPos + n <= m_nBufEnd && m_nStatus == statusOk && !m_bClosed && IsLoading()) {
        std::memcpy(p, m_buffer.data() + m_nBufPos, n);
        m_nBufPos += n;
        return;
    }
    ReadExact(p, n);
}

void CArchive::Flush()
{
    if (m_pFile && !m_bClosed && IsStoring()) {
        FlushBuffer();
        if (!m_pFile->Flush() && !IsFailed())
            SetFailed(statusWriteFailed);
    }
}

void CArchive::Close()
{
    Flush();
    m_bClosed = true;
}

// --- integral and floating values ----------------------------------------------

namespace {

template <class T>
void ToLittleEndian(T value, BYTE* out)
{
    typedef typename std::make_unsigned<T>::type U;
    U u = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<BYTE>((u >> (8 * i)) & 0xFF);
}

template <class T>
T FromLittleEndian(const BYTE* in)
{
    typedef typename std::make_unsigned<T>::type U;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u = static_cast<U>(u | (static_cast<U>(in[i]) << (8 * i)));
    return static_cast<T>(u);
}

}  // namespace

#define KIVO_ARCHIVE_INTEGRAL(T, W)                      \
    CArchive& CArchive::operator<<(T v)                  \
    {                                                    \
        BYTE b[W];                                       \
        ToLittleEndian<T>(v, b);                         \
        PutBytes(b, W);                                  \
        return *this;                                    \
    }                                                    \
    CArchive& CArchive::operator>>(T& v)                 \
    {                                                    \
        BYTE b[W];                                       \
        GetBytes(b, W);                                  \
        v = IsFailed() ? static_cast<T>(0) : FromLittleEndian<T>(b); \
        return *this;                                    \
    }

KIVO_ARCHIVE_INTEGRAL(BYTE, 1)
KIVO_ARCHIVE_INTEGRAL(char, 1)
KIVO_ARCHIVE_INTEGRAL(signed char, 1)
KIVO_ARCHIVE_INTEGRAL(WORD, 2)
KIVO_ARCHIVE_INTEGRAL(short, 2)
KIVO_ARCHIVE_INTEGRAL(int, 4)
KIVO_ARCHIVE_INTEGRAL(unsigned int, 4)
KIVO_ARCHIVE_INTEGRAL(LONGLONG, 8)
KIVO_ARCHIVE_INTEGRAL(ULONGLONG, 8)
#ifdef _WIN32
KIVO_ARCHIVE_INTEGRAL(long, 4)
KIVO_ARCHIVE_INTEGRAL(unsigned long, 4)
#endif
#undef KIVO_ARCHIVE_INTEGRAL

static_assert(sizeof(float) == 4 && sizeof(double) == 8, "IEEE single and double");

CArchive& CArchive::operator<<(float f)
{
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return *this << static_cast<unsigned int>(u);
}

CArchive& CArchive::operator<<(double d)
{
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    return *this << static_cast<ULONGLONG>(u);
}

CArchive& CArchive::operator>>(float& f)
{
    unsigned int u = 0;
    *this >> u;
    std::uint32_t v = u;
    std::memcpy(&f, &v, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    ULONGLONG u = 0;
    *this >> u;
    std::uint64_t v = u;
    std::memcpy(&d, &v, 8);
    return *this;
}

// --- texts --------------------------------------------------------------------

void CArchive::WriteCountedText(const CString& s)
{
    *this << static_cast<int>(s.GetLength());
    WriteRaw(s.GetString(), static_cast<UINT>(s.GetLength()));
}

BOOL CArchive::ReadCountedText(CString& s)
{
    s.Empty();
    int count = 0;
    *this >> count;
    if (IsFailed())
        return FALSE;
    if (count < 0 || static_cast<ULONGLONG>(count) > GetRemaining()) {
        SetFailed(statusBadCount);
        return FALSE;
    }
    if (count > 0) {
        char* p = s.GetBufferSetLength(count);
        ReadExact(p, static_cast<UINT>(count));
        if (IsFailed()) {
            s.Empty();
            return FALSE;
        }
    }
    return TRUE;
}

void CArchive::WritePaddedText(const char* psz, UINT nWidth)
{
    int len = psz ? static_cast<int>(std::strlen(psz)) : 0;
    // Cut at a character boundary so no half character is stored.
    int keep = 0;
    while (keep < len) {
        int next = cp936::NextChar(psz, len, keep);
        if (static_cast<UINT>(next) > nWidth)
            break;
        keep = next;
    }
    std::vector<BYTE> field(nWidth, 0);
    if (keep > 0)
        std::memcpy(field.data(), psz, static_cast<size_t>(keep));
    if (nWidth)
        WriteRaw(field.data(), nWidth);
}

BOOL CArchive::ReadPaddedText(CString& s, UINT nWidth)
{
    s.Empty();
    if (nWidth == 0)
        return !IsFailed();
    if (!CanRead())
        return FALSE;
    if (nWidth > GetRemaining()) {
        SetFailed(statusEndOfFile);
        return FALSE;
    }
    std::vector<char> field(nWidth, 0);
    ReadExact(field.data(), nWidth);
    if (IsFailed())
        return FALSE;
    size_t n = 0;
    while (n < nWidth && field[n] != '\0')
        ++n;
    s = CString(field.data(), static_cast<int>(n));
    return TRUE;
}

// --- the class library's string form ----------------------------------------------

CArchive& operator<<(CArchive& ar, const CString& s)
{
    UINT len = static_cast<UINT>(s.GetLength());
    if (len < 0xFF) {
        ar << static_cast<BYTE>(len);
    } else if (len < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(len);
    } else {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<unsigned int>(len);
    }
    ar.Write(s.GetString(), len);
    return ar;
}

namespace {

// Reads the length prefix; sets wide when the wide marker precedes it.
ULONGLONG ReadStringLength(CArchive& ar, bool& wide)
{
    wide = false;
    for (int pass = 0; pass < 2; ++pass) {
        BYTE b = 0;
        ar >> b;
        if (b < 0xFF)
            return b;
        WORD w = 0;
        ar >> w;
        if (w == 0xFFFE) {
            if (wide)
                break;    // two markers: malformed
            wide = true;
            continue;
        }
        if (w < 0xFFFF)
            return w;
        unsigned int d = 0;
        ar >> d;
        if (d < 0xFFFFFFFFu)
            return d;
        ULONGLONG q = 0;
        ar >> q;
        return q;
    }
    ar.SetFailed(CArchive::statusBadCount);
    return 0;
}

}  // namespace

CArchive& operator>>(CArchive& ar, CString& s)
{
    s.Empty();
    bool wide = false;
    ULONGLONG len = ReadStringLength(ar, wide);
    if (ar.IsFailed() || len == 0)
        return ar;
    ULONGLONG remaining = ar.GetRemaining();
    if (len > remaining || (wide && len > remaining / 2)) {
        ar.SetFailed(CArchive::statusBadCount);
        return ar;
    }
    if (!wide) {
        char* p = s.GetBufferSetLength(static_cast<int>(len));
        ar.Read(p, static_cast<UINT>(len));
    } else {
        std::vector<BYTE> bytes(static_cast<size_t>(len) * 2);
        ar.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        std::u16string units(static_cast<size_t>(len), u'\0');
        for (size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        s = CString(cp936::FromUtf16(units));
    }
    if (ar.IsFailed())
        s.Empty();
    return ar;
}
