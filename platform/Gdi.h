// Drawing objects: pens, brushes, fonts, bitmaps and rectangular regions.
//
// Each object owns its handle: the destructor deletes it unless it was made by
// FromHandle (a temporary view of a handle owned elsewhere) or given away with
// Detach. Objects cannot be copied.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "base/Geometry.h"
#include "platform/PlatformTypes.h"

class CDC;

class CGdiObject {
public:
    CGdiObject();
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);          // takes ownership; FALSE when one is held or hObject is NULL
    HGDIOBJ Detach();                      // gives the handle away
    BOOL DeleteObject();                   // deletes the held object; FALSE when there is none
    BOOL CreateStockObject(int nIndex);    // a stock object (never deleted)
    // Fills lpObject with the object's description (LOGPEN, LOGBRUSH, LOGFONT,
    // BITMAP) and answers the bytes written, 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;

    // A temporary object for the handle (see PlatformDeleteTempObjects).
    static CGdiObject* FromHandle(HGDIOBJ hObject);

protected:
    bool m_bOwned;
    friend void PlatformDeleteTempObjects();
};

class CPen : public CGdiObject {
public:
    CPen();
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
    // An extended pen (the system's ExtCreatePen): nPenStyle carries the pen
    // type (PS_COSMETIC or PS_GEOMETRIC), the line style, end caps and joins;
    // the brush gives the colour (solid brushes only on the headless
    // platform). With PS_USERSTYLE, lpStyle holds nStyleCount lengths of
    // dashes and gaps, starting with a dash.
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = nullptr);
    int GetLogPen(LOGPEN* pLogPen) const;
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush();
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);  // hatched (HS_*)
    explicit CBrush(CBitmap* pBitmap);     // pattern
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CFont : public CGdiObject {
public:
    CFont();
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // nPointSize in tenths of a point, converted with the device's (or the
    // screen's) vertical resolution.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont);
};

class CBitmap : public CGdiObject {
public:
    CBitmap();
    // A bitmap that can be selected into a memory DC made compatible with pDC.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // nBitcount 1 (rows padded to 16 bits, set bits white) or 32 (BGRA bytes).
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    // A bitmap from top-down rows of COLORREF values (nWidth x nHeight of them).
    BOOL CreateFromPixels(int nWidth, int nHeight, const COLORREF* pPixels);
    // A bitmap resource of the module that holds this code.
    BOOL LoadBitmap(UINT nIDResource);
    // A .bmp file; FALSE when it cannot be read or is not a bitmap.
    BOOL LoadFromFile(LPCTSTR lpszPath);
    int GetBitmap(BITMAP* pBitMap) const;
    CSize GetSize() const;                 // (0, 0) without a bitmap
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

// A rectangular region (clip regions are rectangles in this system).
class CRgn : public CGdiObject {
public:
    CRgn();
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    int GetRgnBox(LPRECT lpRect) const;    // NULLREGION / SIMPLEREGION, ERROR without a region
    BOOL PtInRegion(int x, int y) const;
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN hRgn);
};
