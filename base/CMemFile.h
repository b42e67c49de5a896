// CMemFile: a file held in memory, with the same interface as CFile.
//
// It either owns a buffer that grows in steps of nGrowBytes (allocated with
// malloc, so a buffer handed out by Detach is released with free), or works over
// a caller's buffer (Attach / the buffer constructor). A caller's buffer with
// nGrowBytes 0 is fixed: its whole size is the file's content and a write that
// does not fit fails. A caller's buffer with nGrowBytes > 0 starts empty; when a
// write needs more room the content moves into a malloc'ed buffer of our own
// (the caller's memory is never reallocated or freed).
//
// The position may be set past the end; writing there fills the gap with zeros.
// The size is limited to 0x7FFFFFFF bytes; a write or SetLength beyond that fails.
#pragma once

#include "base/CFile.h"
#include "base/WinTypes.h"

class CMemFile : public CFile {
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Works over lpBuffer from now on (the previous content is released).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the buffer and returns it (NULL when empty); the file is then empty.
    // A buffer this file allocated must be released by the caller with free().
    BYTE* Detach();

    const BYTE* GetBufferPtr() const;                     // the content (GetLength() bytes); NULL when empty

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags) override;  // not meaningful: answers FALSE
    BOOL IsOpen() const override;                         // always TRUE
    UINT Read(void* lpBuf, UINT nCount) override;
    BOOL Write(const void* lpBuf, UINT nCount) override;
    LONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    ULONGLONG GetPosition() const override;
    BOOL SetLength(ULONGLONG dwNewLen) override;
    BOOL Flush() override;
    BOOL Close() override;                                // releases the content; the file is empty again

private:
    bool GrowTo(size_t needed);
    void Release();

    BYTE* m_pBuffer = nullptr;
    size_t m_nCapacity = 0;
    size_t m_nFileSize = 0;
    size_t m_nPosition = 0;
    UINT m_nGrowBytes = 1024;
    bool m_bOwnsBuffer = true;
};
