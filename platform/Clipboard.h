// The system clipboard: formats registered by name, and an open clipboard
// whose formats are read and written as bytes.
//
// Windows: the real clipboard (RegisterClipboardFormat, OpenClipboard, ...),
// every block copied in and out, so no caller holds a system handle. The host
// build keeps one in-process clipboard whose formats stay in the order they
// were put; tests read and fill it, and make a format's data unobtainable or
// the clipboard busy, through platform/headless/Headless.h.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"

#include <cstddef>
#include <vector>

// The number of a format registered by name (the same name gives every
// program the same number); 0 when it cannot be registered.
UINT PlatformRegisterClipboardFormat(LPCTSTR szName);

// The clipboard, opened for a window while the object lives. Every operation
// of an object that did not open it fails.
class CClipboard {
public:
    // Opens the clipboard for the window (NULL: for this thread). Another
    // program may hold it for a moment: a few short retries are made.
    explicit CClipboard(HWND hOwner);
    ~CClipboard();
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    BOOL IsOpen() const { return m_bOpen ? TRUE : FALSE; }
    // Removes every format; the clipboard then belongs to the owner window.
    BOOL Empty();
    // Puts a copy of the bytes under the format, replacing what it held.
    BOOL SetData(UINT nFormat, const void* pData, size_t nLength);
    // The format after nAfter in the clipboard's own order (0: the first);
    // 0 after the last.
    UINT EnumFormats(UINT nAfter) const;
    BOOL IsFormatAvailable(UINT nFormat) const;
    // The bytes of the format (a system block may be longer than what was
    // put); FALSE, bytes empty, when the data cannot be had.
    BOOL GetData(UINT nFormat, std::vector<BYTE>& bytes) const;
    BOOL Close();

private:
    bool m_bOpen = false;
};
