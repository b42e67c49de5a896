// CGridProgressBar: the bar a grid paints over its own picture while a long
// operation runs (its messages 1062 range, 1063 position, 1064 hide, 1065
// show). Not a window: a painter over the grid's PROCESSBG and PROCESSFG
// skin bitmaps, with the percentage as text.
//
// The bar is half the given rectangle's width, 27 pixels high, centred both
// ways. The filled part and the percentage measure the position from the
// lower bound: (position - lower) / (upper - lower), held within 0 to 100 %.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"

class CBitmap;
class CDC;

class CGridProgressBar {
public:
    static const int kBarHeight = 27;
    static const COLORREF kTextColour = RGB(242, 149, 54);

    // Kept only when nLower < nUpper.
    void SetRange(int nLower, int nUpper);
    void SetPos(int nPos) { m_nPos = nPos; }
    void SetPlacement(const CRect& rect);

    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }
    int GetPos() const { return m_nPos; }
    const CRect& GetBarRect() const { return m_rcBar; }

    // The share filled, 0.0 to 1.0.
    double GetFraction() const;
    // The percentage shown (truncated).
    int GetPercent() const;
    // The pixels from the bar's left the foreground covers (before it is
    // held inside the frame).
    int GetFilledWidth() const;
    // The columns the foreground covers, left to right inclusive; FALSE
    // when the bar is too narrow for any.
    BOOL GetForegroundSpan(int* pnFirst, int* pnLast) const;

    // Background, foreground, then the percentage. Either bitmap may be
    // missing; its part is then left out.
    void Draw(CDC* pDC, CBitmap* pBackground, CBitmap* pForeground) const;

private:
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    int m_nCopyWidth = 1;
    CRect m_rcBar;
};
