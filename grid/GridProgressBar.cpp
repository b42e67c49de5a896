#include "grid/GridProgressBar.h"

#include "base/CString.h"
#include "grid/GridCtrl.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>

void CGridProgressBar::SetRange(int nLower, int nUpper)
{
    if (nLower < nUpper) {
        m_nLower = nLower;
        m_nUpper = nUpper;
    }
}

void CGridProgressBar::SetPlacement(const CRect& rect)
{
    const int width = rect.Width();
    const int left = rect.left + (width - width / 2) / 2;
    const int top = rect.top + (rect.Height() - kBarHeight) / 2;
    m_rcBar = CRect(left, top, left + width / 2, top + kBarHeight);
}

double CGridProgressBar::GetFraction() const
{
    // The range is never empty (SetRange keeps only lower < upper); the
    // difference is taken in 64 bits so extreme bounds cannot overflow.
    const long long span = static_cast<long long>(m_nUpper) - m_nLower;
    if (span <= 0)
        return 1.0;
    const double fraction = static_cast<double>(static_cast<long long>(m_nPos) - m_nLower) / static_cast<double>(span);
    return std::min(1.0, std::max(0.0, fraction));
}

int CGridProgressBar::GetPercent() const
{
    return static_cast<int>(GetFraction() * 100.0);
}

int CGridProgressBar::GetFilledWidth() const
{
    return static_cast<int>(m_rcBar.Width() * GetFraction());
}

BOOL CGridProgressBar::GetForegroundSpan(int* pnFirst, int* pnLast) const
{
    // One copy per column from left + 2 up to and including the filled
    // width, each held so that it ends at right - 2.
    const int first = m_rcBar.left + 2;
    const int lastStart = m_rcBar.right - 2 - m_nCopyWidth;
    if (lastStart < first)
        return FALSE;
    *pnFirst = first;
    *pnLast = std::min(first + GetFilledWidth(), lastStart) + m_nCopyWidth - 1;
    return TRUE;
}

void CGridProgressBar::Draw(CDC* pDC, CBitmap* pBackground, CBitmap* pForeground) const
{
    if (pDC == nullptr || m_rcBar.IsRectEmpty())
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    const CRect& bar = m_rcBar;
    const int height = bar.Height();

    const CSize back = pBackground != nullptr ? pBackground->GetSize() : CSize(0, 0);
    if (back.cx > 4 && back.cy > 0 && bar.Width() > 4) {
        CBitmap* old = memory.SelectObject(pBackground);
        const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
        // The frame's two edge columns at each end, the middle repeated
        // between them, the last copy cut short.
        pDC->StretchBlt(bar.left, bar.top, 2, height, &memory, 0, 0, 2, back.cy, SRCCOPY);
        pDC->StretchBlt(bar.right - 2, bar.top, 2, height, &memory, back.cx - 2, 0, 2, back.cy, SRCCOPY);
        const int middle = back.cx - 4;
        for (int x = bar.left + 2; x < bar.right - 2; x += middle) {
            const int width = std::min(middle, static_cast<int>(bar.right - 2 - x));
            pDC->StretchBlt(x, bar.top, width, height, &memory, 2, 0, width, back.cy, SRCCOPY);
        }
        pDC->SetStretchBltMode(oldMode);
        memory.SelectObject(old);
    }

    const CSize fore = pForeground != nullptr ? pForeground->GetSize() : CSize(0, 0);
    int first = 0;
    int last = 0;
    if (fore.cx >= m_nCopyWidth && fore.cy > 0 && GetForegroundSpan(&first, &last)) {
        // Every copy is the strip's first column, so the run of copies is
        // that column stretched across the span.
        CBitmap* old = memory.SelectObject(pForeground);
        const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(first, bar.top + 3, last - first + 1, fore.cy, &memory, 0, 0, m_nCopyWidth, fore.cy, SRCCOPY);
        pDC->SetStretchBltMode(oldMode);
        memory.SelectObject(old);
    }

    CString text;
    text.Format("%d%%", GetPercent());
    CRect rect = bar;
    const int oldBk = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(kTextColour);
    pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldBk);
}

// --- the grid's bar -------------------------------------------------------------------------


CGridProgressBar CGridCtrl::GetProgressBar(const CRect& rcClient) const
{
    CGridProgressBar bar;
    bar.SetRange(m_nProgressLow, m_nProgressHigh);
    bar.SetPos(m_nProgressPos);
    bar.SetPlacement(rcClient);
    return bar;
}

void CGridCtrl::DrawProgressBar(CDC* pDC, const CRect& rcClient)
{
    GetProgressBar(rcClient).Draw(pDC, GetSkinBitmap(SKIN_PROCESSBG), GetSkinBitmap(SKIN_PROCESSFG));
}
