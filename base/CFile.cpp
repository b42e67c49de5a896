// CFile over the C runtime's streams. On Windows the code page 936 path is
// converted to UTF-16 and opened with the wide-character functions.
#include "base/CFile.h"

#ifdef _WIN32
#include "base/Cp936.h"
#include <io.h>
#include <string>
#else
#include <sys/types.h>
#include <unistd.h>
#endif

#include <algorithm>

#include <cstdio>

namespace {

#ifdef _WIN32
std::wstring WidePath(LPCTSTR path)
{
    std::u16string u = cp936::ToUtf16(path ? path : "");
    return std::wstring(u.begin(), u.end());
}

std::FILE* OpenStream(LPCTSTR path, const char* mode)
{
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(WidePath(path).c_str(), wmode.c_str());
}

int SeekStream(std::FILE* fp, LONGLONG off, int origin) { return _fseeki64(fp, off, origin); }
LONGLONG TellStream(std::FILE* fp) { return _ftelli64(fp); }
bool TruncateStream(std::FILE* fp, ULONGLONG len) { return _chsize_s(_fileno(fp), static_cast<__int64>(len)) == 0; }
bool SyncToDisk(std::FILE* fp) { return _commit(_fileno(fp)) == 0; }
// This runtime's positioning call writes out pending bytes and drops buffered input.
void SyncStream(std::FILE* fp, LONGLONG here) { _fseeki64(fp, here < 0 ? 0 : here, SEEK_SET); }
#else
std::FILE* OpenStream(LPCTSTR path, const char* mode) { return std::fopen(path, mode); }
int SeekStream(std::FILE* fp, LONGLONG off, int origin) { return fseeko(fp, static_cast<off_t>(off), origin); }
LONGLONG TellStream(std::FILE* fp) { return static_cast<LONGLONG>(ftello(fp)); }
bool TruncateStream(std::FILE* fp, ULONGLONG len) { return ftruncate(fileno(fp), static_cast<off_t>(len)) == 0; }
bool SyncToDisk(std::FILE* fp) { return fsync(fileno(fp)) == 0; }
// A positioning call may keep buffered input here; fflush writes out pending
// bytes or drops buffered input, leaving the descriptor at the stream position.
void SyncStream(std::FILE* fp, LONGLONG) { std::fflush(fp); }
#endif

CFile::FaultPlan* g_faultPlan = nullptr;

}  // namespace

void CFile::SetFaultPlan(FaultPlan* plan) { g_faultPlan = plan; }

CFile::FaultPlan* CFile::GetFaultPlan() { return g_faultPlan; }

CFile::CFile() = default;

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) { Open(lpszFileName, nOpenFlags); }

CFile::~CFile()
{
    if (m_fp)
        std::fclose(m_fp);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    Close();
    if (!lpszFileName || !*lpszFileName)
        return FALSE;
    UINT access = nOpenFlags & 3;
    bool create = (nOpenFlags & modeCreate) != 0;
    bool keep = (nOpenFlags & modeNoTruncate) != 0;
    std::FILE* fp = nullptr;
    if (create) {
        if (keep)
            fp = OpenStream(lpszFileName, "r+b");
        if (!fp)
            fp = OpenStream(lpszFileName, "w+b");
    } else {
        fp = OpenStream(lpszFileName, access == modeRead ? "rb" : "r+b");
    }
    if (!fp)
        return FALSE;
    m_fp = fp;
    m_nOpenFlags = nOpenFlags;
    m_lastOp = 0;
    m_bLost = false;
    m_strFilePath = lpszFileName;
    return TRUE;
}

BOOL CFile::IsOpen() const { return m_fp != nullptr; }

void CFile::PrepareFor(bool writing)
{
    // The C runtime needs a positioning call between reading and writing.
    int op = writing ? 2 : 1;
    if (m_lastOp != 0 && m_lastOp != op)
        SeekStream(m_fp, 0, SEEK_CUR);
    m_lastOp = op;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (!m_fp || !lpBuf || nCount == 0 || (m_nOpenFlags & 3) == modeWrite)
        return 0;
    PrepareFor(false);
    return static_cast<UINT>(std::fread(lpBuf, 1, nCount, m_fp));
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return m_fp != nullptr;
    if (!m_fp || !lpBuf || (m_nOpenFlags & 3) == modeRead)
        return FALSE;
    PrepareFor(true);
    UINT nTaken = nCount;
    if (g_faultPlan != nullptr && g_faultPlan->nWriteBudget >= 0) {
        nTaken = static_cast<UINT>(std::min<LONGLONG>(nCount, g_faultPlan->nWriteBudget));
        g_faultPlan->nWriteBudget -= nTaken;
        if (nTaken < nCount)
            m_bLost = true;
        if (nTaken == 0)
            return TRUE;
    }
    return std::fwrite(lpBuf, 1, nTaken, m_fp) == nTaken ? TRUE : FALSE;
}

LONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (!m_fp)
        return -1;
    LONGLONG base;
    if (nFrom == begin)
        base = 0;
    else if (nFrom == current)
        base = static_cast<LONGLONG>(GetPosition());
    else if (nFrom == end)
        base = static_cast<LONGLONG>(GetLength());
    else
        return -1;
    if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && base > 0x7FFFFFFFFFFFFFFFLL - lOff))
        return -1;
    LONGLONG target = base + lOff;
    if (SeekStream(m_fp, target, SEEK_SET) != 0)
        return -1;
    m_lastOp = 0;
    return target;
}

void CFile::SeekToBegin() { Seek(0, begin); }

ULONGLONG CFile::SeekToEnd()
{
    LONGLONG pos = Seek(0, end);
    return pos < 0 ? 0 : static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    if (!m_fp)
        return 0;
    // Positioning calls write out pending bytes; fflush is not used because on
    // a stream being read it throws away buffered input on some runtimes.
    LONGLONG here = TellStream(m_fp);
    if (here < 0 || SeekStream(m_fp, 0, SEEK_END) != 0)
        return 0;
    LONGLONG len = TellStream(m_fp);
    SeekStream(m_fp, here, SEEK_SET);
    const_cast<CFile*>(this)->m_lastOp = 0;
    return len < 0 ? 0 : static_cast<ULONGLONG>(len);
}

ULONGLONG CFile::GetPosition() const
{
    if (!m_fp)
        return 0;
    LONGLONG pos = TellStream(m_fp);
    return pos < 0 ? 0 : static_cast<ULONGLONG>(pos);
}

BOOL CFile::SetLength(ULONGLONG dwNewLen)
{
    if (!m_fp || (m_nOpenFlags & 3) == modeRead || dwNewLen > 0x7FFFFFFFFFFFFFFFULL)
        return FALSE;
    LONGLONG here = TellStream(m_fp);
    SyncStream(m_fp, here);    // no pending bytes and no stale buffered input afterwards
    bool ok = TruncateStream(m_fp, dwNewLen);
    SeekStream(m_fp, here < 0 ? 0 : here, SEEK_SET);
    m_lastOp = 0;
    return ok ? TRUE : FALSE;
}

BOOL CFile::Flush()
{
    if (!m_fp)
        return FALSE;
    if ((m_nOpenFlags & 3) == modeRead)
        return TRUE;
    bool ok = !m_bLost && !(g_faultPlan != nullptr && g_faultPlan->bFailFlush);
    if (m_lastOp == 2 || m_lastOp == 0)
        ok = std::fflush(m_fp) == 0 && ok;
    ok = std::ferror(m_fp) == 0 && ok;
    ok = SyncToDisk(m_fp) && ok;
    return ok ? TRUE : FALSE;
}

BOOL CFile::Close()
{
    bool ok = true;
    if (m_fp) {
        const bool writing = (m_nOpenFlags & 3) != modeRead;
        ok = std::ferror(m_fp) == 0;
        ok = std::fclose(m_fp) == 0 && ok;
        if (writing && (m_bLost || (g_faultPlan != nullptr && g_faultPlan->bFailClose)))
            ok = false;
        m_fp = nullptr;
    }
    m_nOpenFlags = 0;
    m_lastOp = 0;
    m_bLost = false;
    return ok ? TRUE : FALSE;
}

CString CFile::GetFilePath() const { return m_strFilePath; }

CString CFile::GetFileName() const
{
    int slash = -1;
    const std::string& s = m_strFilePath.Str();
    // Two-byte characters may hold '\\' as their trail byte: step by characters.
    int n = static_cast<int>(s.size());
    int pos = 0;
    while (pos < n) {
        unsigned char c = static_cast<unsigned char>(s[static_cast<size_t>(pos)]);
        if (c >= 0x81 && c <= 0xFE && pos + 1 < n) {
            pos += 2;
            continue;
        }
        if (c == '\\' || c == '/')
            slash = pos;
        ++pos;
    }
    return m_strFilePath.Mid(slash + 1);
}

BOOL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!lpszFileName)
        return FALSE;
#ifdef _WIN32
    return _wremove(WidePath(lpszFileName).c_str()) == 0 ? TRUE : FALSE;
#else
    return std::remove(lpszFileName) == 0 ? TRUE : FALSE;
#endif
}

BOOL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!lpszOldName || !lpszNewName)
        return FALSE;
#ifdef _WIN32
    return _wrename(WidePath(lpszOldName).c_str(), WidePath(lpszNewName).c_str()) == 0 ? TRUE : FALSE;
#else
    return std::rename(lpszOldName, lpszNewName) == 0 ? TRUE : FALSE;
#endif
}
