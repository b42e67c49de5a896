// CFile: a binary file on disk with the open flags and seek origins of the
// classic class library; the base of CMemFile (base/CMemFile.h).
//
// Results are status values, never exceptions: Open answers FALSE, Read answers
// the number of bytes it delivered (0 at the end or on error), Write answers
// FALSE when not every byte was written, Seek answers -1 and leaves the position
// alone when the new position would be negative or the file is not open.
//
// Paths are code page 936 bytes. On the host build they are used as they stand
// (no '\\' to '/' mapping). On Windows they are converted to UTF-16 and opened
// with the wide-character runtime, so every character of the code page works.
// Share flags are accepted and not enforced.
//
// Flush and Close answer whether every byte written reached the disk: a full
// disk often accepts a write into the stream's buffer and refuses it only when
// the buffer goes out, so a writer checks both. Flush also asks the system to
// put the bytes on the disk itself (fsync / _commit).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstdio>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,    // accepted; files are always binary
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile();
    // Opens at once; check IsOpen() for the result.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();                                     // closes the file

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file for reading. modeWrite/modeReadWrite open an
    // existing file, or with modeCreate create it (emptying an existing one unless
    // modeNoTruncate is given). Closes a file that is already open first.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual BOOL IsOpen() const;

    virtual UINT Read(void* lpBuf, UINT nCount);          // bytes read; 0 at the end / on error / write-only file
    virtual BOOL Write(const void* lpBuf, UINT nCount);   // TRUE when all nCount bytes were written
    virtual LONGLONG Seek(LONGLONG lOff, UINT nFrom);     // new position, or -1 (position unchanged)
    void SeekToBegin();
    ULONGLONG SeekToEnd();                                // the length
    virtual ULONGLONG GetLength() const;                  // 0 when not open
    virtual ULONGLONG GetPosition() const;                // 0 when not open
    virtual BOOL SetLength(ULONGLONG dwNewLen);           // truncates or extends with zeros; position unchanged
    virtual BOOL Flush();                                 // FALSE when pending bytes could not be written
    virtual BOOL Close();                                 // FALSE when the last bytes were lost; closed either way

    CString GetFilePath() const;                          // the path given to Open; empty for memory files
    CString GetFileName() const;                          // the part after the last '\\' or '/'

    // Deletes / renames a file on disk; FALSE on failure.
    static BOOL Remove(LPCTSTR lpszFileName);
    static BOOL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    // A stand-in disk for tests, shared by every CFile while set (nullptr: the
    // real disk). nWriteBudget is the number of bytes the disk still takes
    // (-1: no limit); the bytes past it are lost while Write still answers
    // TRUE, and the next Flush or Close answers FALSE, as a buffered stream on
    // a full disk does. The other members make that step fail outright.
    struct FaultPlan {
        LONGLONG nWriteBudget = -1;
        BOOL bFailFlush = FALSE;
        BOOL bFailClose = FALSE;
        BOOL bFailRename = FALSE;   // the replacing rename of base/FileReplace.h
    };
    static void SetFaultPlan(FaultPlan* plan);
    static FaultPlan* GetFaultPlan();

protected:
    // Lets CMemFile remember a display path without touching the disk.
    void SetFilePathText(const CString& path) { m_strFilePath = path; }

private:
    void PrepareFor(bool writing);

    std::FILE* m_fp = nullptr;
    UINT m_nOpenFlags = 0;
    int m_lastOp = 0;   // 0 none / seek, 1 read, 2 write: stdio needs a seek between the two
    bool m_bLost = false;   // bytes were lost on the stand-in disk; the next Flush/Close fails
    CString m_strFilePath;
};
