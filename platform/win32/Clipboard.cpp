// The system clipboard on Windows: blocks copied in and out.
#include "platform/Clipboard.h"

#include <cstring>

UINT PlatformRegisterClipboardFormat(LPCTSTR szName)
{
    if (szName == nullptr || *szName == '\0')
        return 0;
    return ::RegisterClipboardFormatA(szName);
}

CClipboard::CClipboard(HWND hOwner)
{
    // Another program may have the clipboard open for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::OpenClipboard(hOwner)) {
            m_bOpen = true;
            return;
        }
        ::Sleep(20);
    }
}

CClipboard::~CClipboard()
{
    Close();
}

BOOL CClipboard::Close()
{
    if (!m_bOpen)
        return FALSE;
    m_bOpen = false;
    return ::CloseClipboard();
}

BOOL CClipboard::Empty()
{
    return m_bOpen && ::EmptyClipboard() ? TRUE : FALSE;
}

BOOL CClipboard::SetData(UINT nFormat, const void* pData, size_t nLength)
{
    if (!m_bOpen || nFormat == 0 || (pData == nullptr && nLength != 0))
        return FALSE;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nLength != 0 ? nLength : 1);
    if (block == nullptr)
        return FALSE;
    void* target = ::GlobalLock(block);
    if (target == nullptr) {
        ::GlobalFree(block);
        return FALSE;
    }
    if (nLength != 0)
        std::memcpy(target, pData, nLength);
    ::GlobalUnlock(block);
    if (::SetClipboardData(nFormat, block) == nullptr) {
        ::GlobalFree(block);
        return FALSE;
    }
    return TRUE;
}

UINT CClipboard::EnumFormats(UINT nAfter) const
{
    return m_bOpen ? ::EnumClipboardFormats(nAfter) : 0;
}

BOOL CClipboard::IsFormatAvailable(UINT nFormat) const
{
    return ::IsClipboardFormatAvailable(nFormat);
}

BOOL CClipboard::GetData(UINT nFormat, std::vector<BYTE>& bytes) const
{
    bytes.clear();
    if (!m_bOpen)
        return FALSE;
    HANDLE block = ::GetClipboardData(nFormat);
    if (block == nullptr)
        return FALSE;
    const SIZE_T size = ::GlobalSize(block);
    const void* source = ::GlobalLock(block);
    if (source == nullptr)
        return FALSE;
    const BYTE* first = static_cast<const BYTE*>(source);
    bytes.assign(first, first + size);
    ::GlobalUnlock(block);
    return TRUE;
}
