// CMemFile: a growable file in memory, or a view over a caller's buffer.
#include "base/CMemFile.h"

#include <cstdlib>
#include <cstring>

namespace {
const size_t kMaxMemFileSize = 0x7FFFFFFF;
}

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes ? nGrowBytes : 1024) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) { Attach(lpBuffer, nBufferSize, nGrowBytes); }

CMemFile::~CMemFile() { Release(); }

void CMemFile::Release()
{
    if (m_bOwnsBuffer && m_pBuffer)
        std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_nCapacity = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bOwnsBuffer = true;
    if (m_nGrowBytes == 0)
        m_nGrowBytes = 1024;    // a fixed caller's buffer is gone: grow like a fresh file
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Release();
    if (!lpBuffer)
        nBufferSize = 0;
    m_pBuffer = lpBuffer;
    m_nCapacity = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_bOwnsBuffer = false;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* p = m_pBuffer;
    m_pBuffer = nullptr;    // handed over: not freed by Release
    m_nCapacity = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bOwnsBuffer = true;
    if (m_nGrowBytes == 0)
        m_nGrowBytes = 1024;
    return p;
}

const BYTE* CMemFile::GetBufferPtr() const { return m_nFileSize ? m_pBuffer : nullptr; }

BOOL CMemFile::Open(LPCTSTR, UINT) { return FALSE; }

BOOL CMemFile::IsOpen() const { return TRUE; }

bool CMemFile::GrowTo(size_t needed)
{
    if (needed <= m_nCapacity)
        return true;
    if (needed > kMaxMemFileSize || m_nGrowBytes == 0)
        return false;
    size_t step = m_nGrowBytes;
    size_t cap = m_nCapacity;
    // Grow in steps, at least doubling, so many small writes stay cheap.
    size_t target = cap * 2 > needed ? cap * 2 : needed;
    target = (target + step - 1) / step * step;
    if (target > kMaxMemFileSize)
        target = needed;
    BYTE* p;
    if (m_bOwnsBuffer) {
        p = static_cast<BYTE*>(std::realloc(m_pBuffer, target));
        if (!p)
            return false;
    } else {
        // Never reallocate the caller's memory: move into a buffer of our own.
        p = static_cast<BYTE*>(std::malloc(target));
        if (!p)
            return false;
        if (m_nFileSize)
            std::memcpy(p, m_pBuffer, m_nFileSize);
        m_bOwnsBuffer = true;
    }
    m_pBuffer = p;
    m_nCapacity = target;
    return true;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (!lpBuf || nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    size_t n = m_nFileSize - m_nPosition;
    if (n > nCount)
        n = nCount;
    std::memcpy(lpBuf, m_pBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

BOOL CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return TRUE;
    if (!lpBuf)
        return FALSE;
    if (m_nPosition > kMaxMemFileSize || nCount > kMaxMemFileSize - m_nPosition)
        return FALSE;
    size_t end = m_nPosition + nCount;
    if (!GrowTo(end))
        return FALSE;
    if (m_nPosition > m_nFileSize)
        std::memset(m_pBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_pBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
    return TRUE;
}

LONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    if (nFrom == begin)
        base = 0;
    else if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    else
        return -1;
    if (lOff < -base || lOff > static_cast<LONGLONG>(kMaxMemFileSize) - base)
        return -1;
    m_nPosition = static_cast<size_t>(base + lOff);
    return static_cast<LONGLONG>(m_nPosition);
}

ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }

BOOL CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > kMaxMemFileSize)
        return FALSE;
    size_t n = static_cast<size_t>(dwNewLen);
    if (n > m_nFileSize) {
        if (!GrowTo(n))
            return FALSE;
        std::memset(m_pBuffer + m_nFileSize, 0, n - m_nFileSize);
    }
    m_nFileSize = n;
    return TRUE;
}

BOOL CMemFile::Flush() { return TRUE; }

BOOL CMemFile::Close()
{
    Release();
    return TRUE;
}
