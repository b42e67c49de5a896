// CDC: a device context to draw into (a window, a memory bitmap, a printer),
// with CPaintDC (the paint context of WM_PAINT) and CClientDC (the client area
// of a window at any time).
//
// Coordinates are logical; the mapping is always the identity plus the window
// and viewport origins (device = logical - window origin + viewport origin).
// Rectangles exclude their right and bottom edges and lines exclude their end
// point, as the platform's drawing does.
//
// FillSolidRect and Draw3dRect leave the background colour set to the last
// colour they filled with, as the class library's versions do.
//
// The host build draws into nothing real. It RECORDS every drawing operation
// (see platform/headless/Headless.h for the record and how to read it) and
// paints memory bitmaps as 32-bit pixel buffers so that tests can read pixels
// back with GetPixel: fills, frames, lines in the five pen styles, single
// pixels, inversions and block transfers are painted; text is recorded with the
// rectangle it occupies but not painted (an opaque text background is).
//
// Text metrics on the host build are fixed, so tests know every measure:
//   h  = |lfHeight| of the selected font, or 16 when lfHeight is 0 (the system
//        font is 16 high);
//   a single-byte character is w = (h + 1) / 2 pixels wide, a two-byte (code
//        page 936) character 2 * w; no overhang, no kerning, bold changes
//        nothing;
//   a line is h pixels high: ascent h - h / 5, descent h / 5, no leading.
// DrawText lays out with these: lines break at "\r\n", "\n" or "\r" unless
// DT_SINGLELINE; DT_WORDBREAK wraps after blanks and before or after two-byte
// characters, and a word wider than the line is cut between characters only
// with DT_EDITCONTROL; '&' marks a prefix unless DT_NOPREFIX ("&&" shows one
// '&'); DT_END_ELLIPSIS shortens a line that does not fit to the longest start
// that fits with "..." after it; DT_VCENTER/DT_BOTTOM act on single lines.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "base/Geometry.h"
#include "base/CString.h"
#include "platform/PlatformTypes.h"
#include "platform/Gdi.h"

class CWnd;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC;
    HDC m_hAttribDC;
    BOOL m_bPrinting;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC hDC);                  // takes ownership (deleted by the destructor)
    HDC Detach();
    static CDC* FromHandle(HDC hDC);       // temporary object, see PlatformDeleteTempObjects

    // A memory DC compatible with pDC (the screen when NULL). It starts with a
    // 1 x 1 bitmap; select a CBitmap to draw into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    BOOL IsPrinting() const { return m_bPrinting; }

    // --- state -------------------------------------------------------------
    int SaveDC();                          // the saved level, 0 on failure
    BOOL RestoreDC(int nSavedDC);          // a level, or -1 for the last one

    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn);          // like SelectClipRgn
    CGdiObject* SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CGdiObject* SelectStockObject(int nIndex);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);            // TRANSPARENT or OPAQUE
    int GetBkMode() const;
    UINT SetTextAlign(UINT nFlags);        // TA_*
    UINT GetTextAlign() const;
    int SetROP2(int nDrawMode);            // R2_*
    int GetROP2() const;
    int SetStretchBltMode(int nStretchMode);
    int SetMapMode(int nMapMode);          // MM_TEXT is the only mode used
    int GetMapMode() const;

    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point);
    CPoint GetWindowOrg() const;
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point);
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;

    // --- clipping ----------------------------------------------------------
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int SelectClipRgn(CRgn* pRgn);         // NULL removes the clip region
    int GetClipBox(LPRECT lpRect) const;   // NULLREGION, SIMPLEREGION or ERROR; logical coordinates
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT lpRect) const;

    // --- lines and shapes --------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);

    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    // Inverts the frame of lpRect (thickness size) after inverting the frame of
    // lpRectLast (thickness sizeLast) when given: moving a drag rectangle.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                      CBrush* pBrush = nullptr, CBrush* pLastBrush = nullptr);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);

    COLORREF SetPixel(int x, int y, COLORREF crColor);  // the colour set, or CLR_INVALID outside
    COLORREF SetPixel(POINT point, COLORREF crColor);
    BOOL SetPixelV(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;              // CLR_INVALID outside or without pixels
    COLORREF GetPixel(POINT point) const;

    // --- text --------------------------------------------------------------
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
    // nCount -1: up to the NUL. Answers the height of the text (with DT_VCENTER
    // or DT_BOTTOM: the offset of its bottom from lpRect->top); with
    // DT_CALCRECT only measures, setting lpRect's right and bottom.
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
    int GetDeviceCaps(int nIndex) const;

    // --- block transfers ---------------------------------------------------
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                        int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent);

protected:
    bool m_bOwned;      // the destructor deletes the DC
    friend void PlatformDeleteTempObjects();
};

// The paint context of a WM_PAINT handler: begins painting in the constructor
// (the clip box is the area to repaint) and ends it in the destructor.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// The client area of a window, for drawing outside WM_PAINT.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
