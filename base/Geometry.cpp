// CPoint, CSize, CRect and, on the host build, the free rectangle routines.
#include "base/Geometry.h"

#include <cstdint>

namespace {

// Coordinates are computed in 64 bits and kept to 32, wrapping like the platform.
inline LONG Wrap(long long v) { return static_cast<LONG>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v))); }

inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline void SetAll(RECT& r, long long l, long long t, long long rr, long long b)
{
    r.left = Wrap(l);
    r.top = Wrap(t);
    r.right = Wrap(rr);
    r.bottom = Wrap(b);
}

bool Intersect(RECT& dst, const RECT& a, const RECT& b)
{
    RECT r;
    r.left = a.left > b.left ? a.left : b.left;
    r.top = a.top > b.top ? a.top : b.top;
    r.right = a.right < b.right ? a.right : b.right;
    r.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (Empty(a) || Empty(b) || Empty(r)) {
        dst.left = dst.top = dst.right = dst.bottom = 0;
        return false;
    }
    dst = r;
    return true;
}

bool Union(RECT& dst, const RECT& a, const RECT& b)
{
    bool ea = Empty(a), eb = Empty(b);
    if (ea && eb) {
        dst.left = dst.top = dst.right = dst.bottom = 0;
        return false;
    }
    if (ea) {
        dst = b;
        return true;
    }
    if (eb) {
        dst = a;
        return true;
    }
    RECT r;
    r.left = a.left < b.left ? a.left : b.left;
    r.top = a.top < b.top ? a.top : b.top;
    r.right = a.right > b.right ? a.right : b.right;
    r.bottom = a.bottom > b.bottom ? a.bottom : b.bottom;
    dst = r;
    return true;
}

bool Subtract(RECT& dst, const RECT& a, const RECT& b)
{
    RECT cut;
    RECT r = a;
    if (Intersect(cut, a, b)) {
        if (cut.left == a.left && cut.top == a.top && cut.right == a.right && cut.bottom == a.bottom) {
            dst.left = dst.top = dst.right = dst.bottom = 0;
            return false;
        }
        if (cut.left == a.left && cut.right == a.right) {
            if (cut.top == a.top)
                r.top = cut.bottom;
            else if (cut.bottom == a.bottom)
                r.bottom = cut.top;
        } else if (cut.top == a.top && cut.bottom == a.bottom) {
            if (cut.left == a.left)
                r.left = cut.right;
            else if (cut.right == a.right)
                r.right = cut.left;
        }
    }
    dst = r;
    return !Empty(r);
}

}  // namespace

#ifndef _WIN32
BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (!lprc)
        return FALSE;
    SetAll(*lprc, xLeft, yTop, xRight, yBottom);
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (!lprcDst || !lprcSrc)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return (!lprc || Empty(*lprc)) ? TRUE : FALSE; }

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    if (!lprc)
        return FALSE;
    return (pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom) ? TRUE : FALSE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    return Intersect(*lprcDst, *lprcSrc1, *lprcSrc2) ? TRUE : FALSE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    return Union(*lprcDst, *lprcSrc1, *lprcSrc2) ? TRUE : FALSE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    SetAll(*lprc, static_cast<long long>(lprc->left) + dx, static_cast<long long>(lprc->top) + dy,
           static_cast<long long>(lprc->right) + dx, static_cast<long long>(lprc->bottom) + dy);
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    SetAll(*lprc, static_cast<long long>(lprc->left) - dx, static_cast<long long>(lprc->top) - dy,
           static_cast<long long>(lprc->right) + dx, static_cast<long long>(lprc->bottom) + dy);
    return TRUE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2)
{
    if (!lprc1 || !lprc2)
        return FALSE;
    return (lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
            lprc1->bottom == lprc2->bottom)
               ? TRUE
               : FALSE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    return Subtract(*lprcDst, *lprcSrc1, *lprcSrc2) ? TRUE : FALSE;
}
#endif

// --- CPoint -------------------------------------------------------------------

CPoint::CPoint(DWORD dwPoint)
{
    x = static_cast<short>(dwPoint & 0xFFFF);
    y = static_cast<short>((dwPoint >> 16) & 0xFFFF);
}

void CPoint::Offset(int xOffset, int yOffset)
{
    x = Wrap(static_cast<long long>(x) + xOffset);
    y = Wrap(static_cast<long long>(y) + yOffset);
}
void CPoint::Offset(POINT pt) { Offset(pt.x, pt.y); }
void CPoint::Offset(SIZE size) { Offset(size.cx, size.cy); }
void CPoint::operator+=(SIZE size) { Offset(size.cx, size.cy); }
void CPoint::operator-=(SIZE size) { Offset(Wrap(-static_cast<long long>(size.cx)), Wrap(-static_cast<long long>(size.cy))); }
void CPoint::operator+=(POINT pt) { Offset(pt.x, pt.y); }
void CPoint::operator-=(POINT pt) { Offset(Wrap(-static_cast<long long>(pt.x)), Wrap(-static_cast<long long>(pt.y))); }

CPoint CPoint::operator+(SIZE size) const
{
    CPoint p(*this);
    p += size;
    return p;
}
CPoint CPoint::operator-(SIZE size) const
{
    CPoint p(*this);
    p -= size;
    return p;
}
CPoint CPoint::operator-() const { return CPoint(Wrap(-static_cast<long long>(x)), Wrap(-static_cast<long long>(y))); }
CPoint CPoint::operator+(POINT pt) const
{
    CPoint p(*this);
    p += pt;
    return p;
}
CSize CPoint::operator-(POINT pt) const
{
    return CSize(Wrap(static_cast<long long>(x) - pt.x), Wrap(static_cast<long long>(y) - pt.y));
}
CRect CPoint::operator+(const RECT* lpRect) const
{
    CRect r(lpRect);
    r.OffsetRect(x, y);
    return r;
}
CRect CPoint::operator-(const RECT* lpRect) const
{
    CRect r(lpRect);
    r.OffsetRect(Wrap(-static_cast<long long>(x)), Wrap(-static_cast<long long>(y)));
    return r;
}

// --- CSize --------------------------------------------------------------------

CSize::CSize(DWORD dwSize)
{
    cx = static_cast<short>(dwSize & 0xFFFF);
    cy = static_cast<short>((dwSize >> 16) & 0xFFFF);
}

void CSize::operator+=(SIZE s)
{
    cx = Wrap(static_cast<long long>(cx) + s.cx);
    cy = Wrap(static_cast<long long>(cy) + s.cy);
}
void CSize::operator-=(SIZE s)
{
    cx = Wrap(static_cast<long long>(cx) - s.cx);
    cy = Wrap(static_cast<long long>(cy) - s.cy);
}
CSize CSize::operator+(SIZE s) const
{
    CSize r(*this);
    r += s;
    return r;
}
CSize CSize::operator-(SIZE s) const
{
    CSize r(*this);
    r -= s;
    return r;
}
CSize CSize::operator-() const { return CSize(Wrap(-static_cast<long long>(cx)), Wrap(-static_cast<long long>(cy))); }
CPoint CSize::operator+(POINT pt) const { return CPoint(Wrap(static_cast<long long>(cx) + pt.x), Wrap(static_cast<long long>(cy) + pt.y)); }
CPoint CSize::operator-(POINT pt) const { return CPoint(Wrap(static_cast<long long>(cx) - pt.x), Wrap(static_cast<long long>(cy) - pt.y)); }
CRect CSize::operator+(const RECT* lpRect) const
{
    CRect r(lpRect);
    r.OffsetRect(cx, cy);
    return r;
}
CRect CSize::operator-(const RECT* lpRect) const
{
    CRect r(lpRect);
    r.OffsetRect(Wrap(-static_cast<long long>(cx)), Wrap(-static_cast<long long>(cy)));
    return r;
}

// --- CRect --------------------------------------------------------------------

CRect::CRect(const RECT* lpSrc)
{
    if (lpSrc) {
        left = lpSrc->left;
        top = lpSrc->top;
        right = lpSrc->right;
        bottom = lpSrc->bottom;
    } else {
        left = top = right = bottom = 0;
    }
}

CRect::CRect(POINT point, SIZE size)
{
    left = point.x;
    top = point.y;
    right = Wrap(static_cast<long long>(point.x) + size.cx);
    bottom = Wrap(static_cast<long long>(point.y) + size.cy);
}

CRect::CRect(POINT topLeft, POINT bottomRight)
{
    left = topLeft.x;
    top = topLeft.y;
    right = bottomRight.x;
    bottom = bottomRight.y;
}

int CRect::Width() const { return Wrap(static_cast<long long>(right) - left); }
int CRect::Height() const { return Wrap(static_cast<long long>(bottom) - top); }
CSize CRect::Size() const { return CSize(Width(), Height()); }
CPoint& CRect::TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
CPoint& CRect::BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
const CPoint& CRect::TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
const CPoint& CRect::BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
CPoint CRect::CenterPoint() const
{
    return CPoint(static_cast<int>((static_cast<long long>(left) + right) / 2),
                  static_cast<int>((static_cast<long long>(top) + bottom) / 2));
}

BOOL CRect::IsRectEmpty() const { return Empty(*this) ? TRUE : FALSE; }
BOOL CRect::IsRectNull() const { return (left == 0 && top == 0 && right == 0 && bottom == 0) ? TRUE : FALSE; }
BOOL CRect::PtInRect(POINT point) const
{
    return (point.x >= left && point.x < right && point.y >= top && point.y < bottom) ? TRUE : FALSE;
}

void CRect::SetRect(int x1, int y1, int x2, int y2)
{
    left = x1;
    top = y1;
    right = x2;
    bottom = y2;
}
void CRect::SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
void CRect::SetRectEmpty() { left = top = right = bottom = 0; }
void CRect::CopyRect(const RECT* lpSrcRect)
{
    if (lpSrcRect)
        *this = *lpSrcRect;
}
BOOL CRect::EqualRect(const RECT* lpRect) const { return (lpRect && *this == *lpRect) ? TRUE : FALSE; }

void CRect::InflateRect(int x, int y) { InflateRect(x, y, x, y); }
void CRect::InflateRect(SIZE size) { InflateRect(size.cx, size.cy, size.cx, size.cy); }
void CRect::InflateRect(const RECT* lpRect)
{
    if (lpRect)
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
void CRect::InflateRect(int l, int t, int r, int b)
{
    SetAll(*this, static_cast<long long>(left) - l, static_cast<long long>(top) - t, static_cast<long long>(right) + r,
           static_cast<long long>(bottom) + b);
}
void CRect::DeflateRect(int x, int y) { DeflateRect(x, y, x, y); }
void CRect::DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy, size.cx, size.cy); }
void CRect::DeflateRect(const RECT* lpRect)
{
    if (lpRect)
        DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
void CRect::DeflateRect(int l, int t, int r, int b)
{
    SetAll(*this, static_cast<long long>(left) + l, static_cast<long long>(top) + t, static_cast<long long>(right) - r,
           static_cast<long long>(bottom) - b);
}
void CRect::OffsetRect(int x, int y)
{
    SetAll(*this, static_cast<long long>(left) + x, static_cast<long long>(top) + y, static_cast<long long>(right) + x,
           static_cast<long long>(bottom) + y);
}
void CRect::OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
void CRect::OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
void CRect::MoveToX(int x)
{
    right = Wrap(static_cast<long long>(x) + Width());
    left = x;
}
void CRect::MoveToY(int y)
{
    bottom = Wrap(static_cast<long long>(y) + Height());
    top = y;
}
void CRect::MoveToXY(int x, int y)
{
    MoveToX(x);
    MoveToY(y);
}
void CRect::NormalizeRect()
{
    if (left > right) {
        LONG t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        LONG t = top;
        top = bottom;
        bottom = t;
    }
}

BOOL CRect::IntersectRect(const RECT* lpRect1, const RECT* lpRect2)
{
    if (!lpRect1 || !lpRect2) {
        SetRectEmpty();
        return FALSE;
    }
    RECT a = *lpRect1, b = *lpRect2;    // either may be this rectangle
    return Intersect(*this, a, b) ? TRUE : FALSE;
}

BOOL CRect::UnionRect(const RECT* lpRect1, const RECT* lpRect2)
{
    if (!lpRect1 || !lpRect2) {
        SetRectEmpty();
        return FALSE;
    }
    RECT a = *lpRect1, b = *lpRect2;
    return Union(*this, a, b) ? TRUE : FALSE;
}

BOOL CRect::SubtractRect(const RECT* lpRectSrc1, const RECT* lpRectSrc2)
{
    if (!lpRectSrc1 || !lpRectSrc2) {
        SetRectEmpty();
        return FALSE;
    }
    RECT a = *lpRectSrc1, b = *lpRectSrc2;
    return Subtract(*this, a, b) ? TRUE : FALSE;
}

bool CRect::operator==(const RECT& rect) const
{
    return left == rect.left && top == rect.top && right == rect.right && bottom == rect.bottom;
}
bool CRect::operator!=(const RECT& rect) const { return !(*this == rect); }
void CRect::operator+=(POINT point) { OffsetRect(point.x, point.y); }
void CRect::operator+=(SIZE size) { OffsetRect(size.cx, size.cy); }
void CRect::operator+=(const RECT* lpRect) { InflateRect(lpRect); }
void CRect::operator-=(POINT point) { OffsetRect(Wrap(-static_cast<long long>(point.x)), Wrap(-static_cast<long long>(point.y))); }
void CRect::operator-=(SIZE size) { OffsetRect(Wrap(-static_cast<long long>(size.cx)), Wrap(-static_cast<long long>(size.cy))); }
void CRect::operator-=(const RECT* lpRect) { DeflateRect(lpRect); }
void CRect::operator&=(const RECT& rect) { IntersectRect(this, &rect); }
void CRect::operator|=(const RECT& rect) { UnionRect(this, &rect); }

CRect CRect::operator+(POINT point) const
{
    CRect r(*this);
    r += point;
    return r;
}
CRect CRect::operator-(POINT point) const
{
    CRect r(*this);
    r -= point;
    return r;
}
CRect CRect::operator+(SIZE size) const
{
    CRect r(*this);
    r += size;
    return r;
}
CRect CRect::operator-(SIZE size) const
{
    CRect r(*this);
    r -= size;
    return r;
}
CRect CRect::operator+(const RECT* lpRect) const
{
    CRect r(*this);
    r.InflateRect(lpRect);
    return r;
}
CRect CRect::operator-(const RECT* lpRect) const
{
    CRect r(*this);
    r.DeflateRect(lpRect);
    return r;
}
CRect CRect::operator&(const RECT& rect2) const
{
    CRect r;
    r.IntersectRect(this, &rect2);
    return r;
}
CRect CRect::operator|(const RECT& rect2) const
{
    CRect r;
    r.UnionRect(this, &rect2);
    return r;
}
