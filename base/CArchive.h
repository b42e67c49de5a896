// CArchive: a little-endian binary stream over a CFile (or CMemFile), in the
// byte forms of the classic class library, so stored files are byte-exact.
//
// Integral and floating operators write the value's bytes little-endian:
// BYTE/char/signed char 1 byte, WORD/short 2, int/UINT (and LONG/DWORD) 4,
// LONGLONG/ULONGLONG 8, float 4 and double 8 (IEEE).
//
// Failure is a status, never an exception or a crash. A read past the end, a
// length or count that exceeds what remains, a write that fails, or an
// operation that does not match the mode (reading while storing, writing while
// loading, no file) sets the archive's failed state. The value being read then
// becomes 0 (or the empty string), and from then on every read yields 0/empty
// without touching the file and every write is dropped. Check IsFailed() or
// GetStatus() after reading a structure.
//
// By default the archive reads and writes the file directly (the buffer size
// is not used), so the file position always matches what the archive has
// consumed. Flush and Close pass on to the file's Flush (which for a disk
// file waits for the disk; a refusal sets the failed state). With the mode flag bBuffered the
// archive keeps a buffer of nBufSize bytes (at least 4096) instead: bytes
// stored reach the file at Flush, Close or destruction (a refusal then sets
// the failed state), and a loading archive reads the file ahead, so the
// file's own position runs ahead of the archive's (GetRemaining still counts
// from the archive's position). Only the archive may touch the file while a
// buffered archive is open on it.
#pragma once

#include "base/CFile.h"
#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4, bBuffered = 8 };
    enum Status : int {
        statusOk = 0,
        statusEndOfFile = 1,      // a read needed more bytes than remain
        statusBadCount = 2,       // a stored length/count exceeds what remains or is malformed
        statusWriteFailed = 3,    // the file refused bytes
        statusWrongMode = 4,      // read while storing, write while loading, or no file
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const;
    bool IsStoring() const;
    CFile* GetFile() const;

    bool IsFailed() const;                  // true once any failure happened
    int GetStatus() const;                  // the first failure (Status), statusOk when none
    void SetFailed(int nStatus);            // lets a reader of a structure report a malformed value

    // Bytes between the current position and the end of the file (0 when the
    // archive has failed or has no file). Every stored count is checked against it.
    // A loading archive takes the file's length once, at the first call.
    ULONGLONG GetRemaining() const;

    // Reads up to nMax bytes; answers the bytes delivered. A short read zero-fills
    // the rest of lpBuf and sets the failed state.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();                           // the archive no longer reads or writes (the file stays open)

    // --- storing --------------------------------------------------------------
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch);
    CArchive& operator<<(signed char ch);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short w);
    CArchive& operator<<(int i);
    CArchive& operator<<(unsigned int u);
    CArchive& operator<<(LONGLONG ll);
    CArchive& operator<<(ULONGLONG ull);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
#ifdef _WIN32
    CArchive& operator<<(long l);           // LONG on Windows; 4 bytes
    CArchive& operator<<(unsigned long dw); // DWORD on Windows; 4 bytes
#endif

    // --- loading --------------------------------------------------------------
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(signed char& ch);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& w);
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned int& u);
    CArchive& operator>>(LONGLONG& ll);
    CArchive& operator>>(ULONGLONG& ull);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
#ifdef _WIN32
    CArchive& operator>>(long& l);
    CArchive& operator>>(unsigned long& dw);
#endif

    // --- texts --------------------------------------------------------------
    // Counted text: int32 byte count, then that many bytes, no terminator.
    void WriteCountedText(const CString& s);
    // Reads a counted text; a negative count or one larger than what remains
    // fails (statusBadCount) and gives the empty string. Answers !IsFailed().
    BOOL ReadCountedText(CString& s);

    // Fixed-width text field: exactly nWidth bytes, the text cut to fit and
    // padded with NUL bytes.
    void WritePaddedText(const char* psz, UINT nWidth);
    // Reads nWidth bytes and keeps the bytes before the first NUL.
    BOOL ReadPaddedText(CString& s, UINT nWidth);

private:
    bool CanRead();
    bool CanWrite();
    void ReadExact(void* p, UINT n);         // zero-fills and fails on a short read
    void WriteRaw(const void* p, UINT n);
    bool FlushBuffer();
    // The fixed-size value paths: straight into (or out of) the buffer when
    // it has room (holds the bytes), else through WriteRaw / ReadExact.
    void PutBytes(const BYTE* p, UINT n);
    void GetBytes(BYTE* p, UINT n);

    CFile* m_pFile;
    // The buffer of a bBuffered archive (empty otherwise): when storing, bytes
    // [0, m_nBufEnd) wait for the file; when loading, [m_nBufPos, m_nBufEnd)
    // were read ahead.
    std::vector<BYTE> m_buffer;
    size_t m_nBufPos = 0;
    size_t m_nBufEnd = 0;
    UINT m_nMode;
    int m_nStatus = statusOk;
    bool m_bClosed = false;
    mutable bool m_bLengthKnown = false;
    mutable ULONGLONG m_nLength = 0;
};

// The class library's string form: length prefix, then the bytes.
//   length < 255:        one byte
//   length < 0xFFFE:     0xFF, then a WORD
//   otherwise:           0xFF, 0xFFFF, then a DWORD
// Reading also accepts the wide form (0xFF, 0xFFFE, then a length prefix
// counting UTF-16 units, then the units), converted to code page 936, and the
// 64-bit form (0xFF, 0xFFFF, 0xFFFFFFFF, 8 bytes); every length is checked
// against what remains.
CArchive& operator<<(CArchive& ar, const CString& s);
CArchive& operator>>(CArchive& ar, CString& s);
