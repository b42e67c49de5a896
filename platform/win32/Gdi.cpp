// Drawing objects over the system's GDI objects.
#include "platform/Gdi.h"

#include "platform/DC.h"
#include "platform/win32/Module.h"

#include <cstring>
#include <vector>

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::GetStockObject(nIndex);
    m_bOwned = false;  // stock objects are never deleted
    return m_hObject != nullptr;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == nullptr || lpObject == nullptr)
        return 0;
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreatePen(nPenStyle, nWidth, crColor);
    return m_hObject != nullptr;
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    if (m_hObject != nullptr || lpLogPen == nullptr)
        return FALSE;
    m_hObject = ::CreatePenIndirect(lpLogPen);
    return m_hObject != nullptr;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (m_hObject != nullptr || pLogBrush == nullptr || nStyleCount < 0)
        return FALSE;
    m_hObject = ::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                               static_cast<DWORD>(nStyleCount), nStyleCount > 0 ? lpStyle : nullptr);
    return m_hObject != nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreateSolidBrush(crColor);
    return m_hObject != nullptr;
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreateHatchBrush(nIndex, crColor);
    return m_hObject != nullptr;
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (m_hObject != nullptr || pBitmap == nullptr || pBitmap->m_hObject == nullptr)
        return FALSE;
    m_hObject = ::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject));
    return m_hObject != nullptr;
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreateSolidBrush(::GetSysColor(nIndex));
    return m_hObject != nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject != nullptr || lpLogFont == nullptr)
        return FALSE;
    m_hObject = ::CreateFontIndirectA(lpLogFont);
    return m_hObject != nullptr;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf = {};
    int dpi;
    if (pDC && pDC->m_hDC) {
        dpi = pDC->GetDeviceCaps(LOGPIXELSY);
    } else {
        HDC screen = ::GetDC(nullptr);
        dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    long long pixels = (static_cast<long long>(nPointSize) * dpi * 2 + 720) / 1440;
    lf.lfHeight = -static_cast<LONG>(pixels);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        ::lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != nullptr || pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    m_hObject = ::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight);
    return m_hObject != nullptr;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits);
    return m_hObject != nullptr;
}

BOOL CBitmap::CreateFromPixels(int nWidth, int nHeight, const COLORREF* pPixels)
{
    if (m_hObject != nullptr || nWidth <= 0 || nHeight <= 0 || pPixels == nullptr)
        return FALSE;
    if (static_cast<long long>(nWidth) * nHeight > 64LL * 1024 * 1024)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
        return FALSE;
    DWORD* out = static_cast<DWORD*>(bits);
    size_t count = static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight);
    for (size_t i = 0; i < count; ++i) {
        COLORREF c = pPixels[i];
        out[i] = (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
    }
    ::GdiFlush();
    m_hObject = bitmap;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::LoadBitmapA(PlatformModuleInstance(), MAKEINTRESOURCEA(nIDResource));
    return m_hObject != nullptr;
}

BOOL CBitmap::LoadFromFile(LPCTSTR lpszPath)
{
    if (m_hObject != nullptr || lpszPath == nullptr)
        return FALSE;
    m_hObject = ::LoadImageA(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    return m_hObject != nullptr;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::CreateRectRgn(x1, y1, x2, y2);
    return m_hObject != nullptr;
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    if (m_hObject == nullptr || lpRect == nullptr)
        return ERROR;
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}
