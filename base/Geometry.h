// CPoint, CSize and CRect: the value types over POINT, SIZE and RECT with the
// members the drawing and layout code uses.
//
// A rectangle is "empty" when its width or height is not positive and "null"
// when all four coordinates are 0. Arithmetic is on LONG and wraps like the
// platform's (computed in 64 bits and truncated, so it never overflows in C++).
//
// On the host build this header also provides the free rectangle routines of
// the platform (SetRect, SetRectEmpty, CopyRect, IsRectEmpty, PtInRect,
// IntersectRect, UnionRect, OffsetRect, InflateRect, EqualRect); on Windows they
// come from the system.
#pragma once

#include "base/WinTypes.h"

#ifndef _WIN32
BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL SetRectEmpty(LPRECT lprc);
BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
BOOL IsRectEmpty(const RECT* lprc);                                // NULL counts as empty
BOOL PtInRect(const RECT* lprc, POINT pt);                        // left/top inside, right/bottom outside
BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);  // empty result: FALSE, dst zeroed
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);      // empty inputs ignored
BOOL OffsetRect(LPRECT lprc, int dx, int dy);
BOOL InflateRect(LPRECT lprc, int dx, int dy);
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
#endif

class CSize;
class CRect;

class CPoint : public tagPOINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT pt) { x = pt.x; y = pt.y; }
    CPoint(SIZE size) { x = size.cx; y = size.cy; }
    explicit CPoint(DWORD dwPoint);                 // x from the low word, y from the high word (signed)

    void Offset(int xOffset, int yOffset);
    void Offset(POINT pt);
    void Offset(SIZE size);
    void SetPoint(int X, int Y) { x = X; y = Y; }

    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    void operator+=(SIZE size);
    void operator-=(SIZE size);
    void operator+=(POINT pt);
    void operator-=(POINT pt);
    CPoint operator+(SIZE size) const;
    CPoint operator-(SIZE size) const;
    CPoint operator-() const;
    CPoint operator+(POINT pt) const;
    CSize operator-(POINT pt) const;                // difference of two points
    CRect operator+(const RECT* lpRect) const;      // the rectangle moved by this point
    CRect operator-(const RECT* lpRect) const;
};

class CSize : public tagSIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE s) { cx = s.cx; cy = s.cy; }
    CSize(POINT pt) { cx = pt.x; cy = pt.y; }
    explicit CSize(DWORD dwSize);                   // cx low word, cy high word (signed)

    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    void operator+=(SIZE s);
    void operator-=(SIZE s);
    CSize operator+(SIZE s) const;
    CSize operator-(SIZE s) const;
    CSize operator-() const;
    CPoint operator+(POINT pt) const;
    CPoint operator-(POINT pt) const;
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& src) { left = src.left; top = src.top; right = src.right; bottom = src.bottom; }
    CRect(const RECT* lpSrc);                       // NULL gives the null rectangle
    CRect(POINT point, SIZE size);
    CRect(POINT topLeft, POINT bottomRight);

    int Width() const;
    int Height() const;
    CSize Size() const;
    CPoint& TopLeft();
    CPoint& BottomRight();
    const CPoint& TopLeft() const;
    const CPoint& BottomRight() const;
    CPoint CenterPoint() const;                     // (left + right) / 2, (top + bottom) / 2

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const;                       // width or height <= 0
    BOOL IsRectNull() const;                        // all four 0
    BOOL PtInRect(POINT point) const;               // left/top inclusive, right/bottom exclusive

    void SetRect(int x1, int y1, int x2, int y2);
    void SetRect(POINT topLeft, POINT bottomRight);
    void SetRectEmpty();
    void CopyRect(const RECT* lpSrcRect);           // NULL: ignored
    BOOL EqualRect(const RECT* lpRect) const;       // NULL: FALSE

    void InflateRect(int x, int y);
    void InflateRect(SIZE size);
    void InflateRect(const RECT* lpRect);           // each side moved outwards by the given amount
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int x, int y);
    void DeflateRect(SIZE size);
    void DeflateRect(const RECT* lpRect);
    void DeflateRect(int l, int t, int r, int b);
    void OffsetRect(int x, int y);
    void OffsetRect(POINT point);
    void OffsetRect(SIZE size);
    void MoveToX(int x);
    void MoveToY(int y);
    void MoveToXY(int x, int y);
    void NormalizeRect();                           // swaps sides so that left <= right and top <= bottom

    // Set this rectangle to the intersection / union of the two; answer whether
    // the result is non-empty. An empty intersection leaves the null rectangle;
    // empty operands are ignored by the union.
    BOOL IntersectRect(const RECT* lpRect1, const RECT* lpRect2);
    BOOL UnionRect(const RECT* lpRect1, const RECT* lpRect2);
    // The part of rect 1 not covered by rect 2, when that part is a rectangle;
    // otherwise rect 1 itself. Answers whether the result is non-empty.
    BOOL SubtractRect(const RECT* lpRectSrc1, const RECT* lpRectSrc2);

    CRect& operator=(const RECT& src)
    {
        left = src.left; top = src.top; right = src.right; bottom = src.bottom;
        return *this;
    }
    bool operator==(const RECT& rect) const;
    bool operator!=(const RECT& rect) const;
    void operator+=(POINT point);                   // offset
    void operator+=(SIZE size);
    void operator+=(const RECT* lpRect);            // inflate by each side
    void operator-=(POINT point);
    void operator-=(SIZE size);
    void operator-=(const RECT* lpRect);            // deflate by each side
    void operator&=(const RECT& rect);              // intersection
    void operator|=(const RECT& rect);              // union

    CRect operator+(POINT point) const;
    CRect operator-(POINT point) const;
    CRect operator+(SIZE size) const;
    CRect operator-(SIZE size) const;
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
    CRect operator&(const RECT& rect2) const;
    CRect operator|(const RECT& rect2) const;
};
