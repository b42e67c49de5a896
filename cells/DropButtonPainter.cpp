#include "cells/DropButtonPainter.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>

namespace {

const int kSkinRows = 17;

}  // namespace

int DropButtonFrameWidth(CBitmap* pSkin)
{
    if (pSkin == nullptr || pSkin->GetSafeHandle() == nullptr)
        return 17;
    return std::max(1, static_cast<int>(pSkin->GetSize().cx / 4));
}

int DropButtonArrowTop(int nHeight, double zy)
{
    const int rowHeight = std::max(1, static_cast<int>(zy));
    const int top = (nHeight - 5 * rowHeight) / 2;
    return std::max(rowHeight, top);
}

void DrawDropButton(CDC* pDC, CBitmap* pSkin, const CRect& rect, int nState, double zx, double zy)
{
    if (pDC == nullptr || pSkin == nullptr || pSkin->GetSafeHandle() == nullptr || rect.IsRectEmpty())
        return;
    const CSize size = pSkin->GetSize();
    if (size.cy < kSkinRows || size.cx < 4)
        return;
    const int frame = static_cast<int>(size.cx / 4);
    const int width = std::max(1, static_cast<int>(size.cx * zx / 4));
    const int state = (nState >= 0 && nState <= 3) ? nState : DBS_NORMAL;
    const int left = std::max(static_cast<int>(rect.left), static_cast<int>(rect.right) - width);
    const int height = rect.Height();
    const int rowHeight = std::max(1, static_cast<int>(zy));
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = source.SelectObject(pSkin);
    pDC->SetStretchBltMode(COLORONCOLOR);
    auto rows = [&](int y, int count, int sourceRow, int sourceCount) {
        if (count <= 0)
            return;
        pDC->StretchBlt(left, rect.top + y, rect.right - left, count, &source, state * frame, sourceRow, frame,
                        sourceCount, SRCCOPY);
    };
    const int arrowTop = DropButtonArrowTop(height, zy);
    const int arrowRows = 6 * rowHeight;
    const int last = height - rowHeight;
    rows(0, std::min(rowHeight, height), 0, 1);
    // Filler above the arrow: source row 3, one row at a time as stretched.
    if (arrowTop > rowHeight)
        rows(rowHeight, std::min(arrowTop, last) - rowHeight, 3, 1);
    if (arrowTop < last)
        rows(arrowTop, std::min(arrowRows, last - arrowTop), 6, 6);
    if (arrowTop + arrowRows < last)
        rows(arrowTop + arrowRows, last - arrowTop - arrowRows, 13, 1);
    if (height > rowHeight)
        rows(last, rowHeight, 16, 1);
    source.SelectObject(pOld);
}
