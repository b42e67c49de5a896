#include "document/PreviewLayout.h"

#include <algorithm>

std::vector<CRect> LayoutPreviewPages(int nMode, int nPerRow, int nPages, CSize pageSize, CPoint origin,
                                      CSize& extent)
{
    std::vector<CRect> rects;
    const int count = std::max(0, nPages);
    const int perRow = nMode == PREVIEW_PAGES_PER_ROW ? std::max(1, nPerRow) : 1;
    int right = origin.x + pageSize.cx;
    int bottom = origin.y + pageSize.cy;
    int rowTop = origin.y;
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (nMode == PREVIEW_ONE_PAGE) {
            rect = CRect(origin.x, origin.y, origin.x + pageSize.cx, origin.y + pageSize.cy);
        } else {
            const int column = i % perRow;
            if (i > 0 && column == 0)
                rowTop += pageSize.cy + kPreviewPageGapY;
            const int x = column * (pageSize.cx + kPreviewPageGapX) + origin.x;
            rect = CRect(x, rowTop, x + pageSize.cx, rowTop + pageSize.cy);
        }
        right = std::max(right, static_cast<int>(rect.right));
        bottom = std::max(bottom, static_cast<int>(rect.bottom));
        rects.push_back(rect);
    }
    extent = CSize(right, bottom);
    return rects;
}

double PreviewFitScale(int nMode, int nPerRow, CSize client, CSize pageSize, int nMargin)
{
    if (nMode != PREVIEW_PAGES_PER_ROW || pageSize.cx <= 0 || pageSize.cy <= 0)
        return 1.0;
    const int perRow = std::max(1, nPerRow);
    const long long width = static_cast<long long>(client.cx) - 2LL * nMargin - (perRow - 1LL) * kPreviewPageGapX;
    const long long height = static_cast<long long>(client.cy) - 2LL * nMargin;
    if (width <= 0 || height <= 0)
        return 1.0;
    double fit = static_cast<double>(width) / (static_cast<double>(perRow) * pageSize.cx);
    fit = std::min(fit, static_cast<double>(height) / pageSize.cy);
    // A page never shrinks to nothing.
    return std::max(0.05, std::min(1.0, fit));
}

PreviewScrollNeeds ComputePreviewScroll(CSize client, CSize extent)
{
    PreviewScrollNeeds needs;
    needs.bVertical = client.cy < extent.cy + 100;
    needs.bHorizontal = client.cx < extent.cx + 50;
    needs.nVertMax = extent.cy + 99;
    needs.nHorzMax = extent.cx + 49;
    needs.nVertPage = std::max(0, static_cast<int>(client.cy));
    needs.nHorzPage = std::max(0, static_cast<int>(client.cx));
    return needs;
}

PreviewBarButtons PreviewBarButtonsFor(int nMode)
{
    PreviewBarButtons b;
    switch (nMode) {
    case PREVIEW_ONE_PAGE:
        b.bOnePage = false;
        break;
    case PREVIEW_PAGES_PER_ROW:
        b.bMultiPage = b.bNextPage = b.bPrevPage = false;
        break;
    case PREVIEW_ALL_PAGES:
        b.bAllPages = b.bNextPage = b.bPrevPage = false;
        break;
    default:
        break;
    }
    return b;
}

std::vector<PreviewMenuItem> PreviewMenuFor(int nMode, int nPerRow, int nCurPage, int nPages)
{
    std::vector<PreviewMenuItem> items;
    items.push_back({ID_PREVIEW_PREVPAGE, nMode == PREVIEW_ONE_PAGE && nCurPage > 0, false});
    items.push_back({ID_PREVIEW_NEXTPAGE, nMode == PREVIEW_ONE_PAGE && nCurPage + 1 < nPages, false});
    items.push_back({ID_PREVIEW_ONEPAGE, true, nMode == PREVIEW_ONE_PAGE});
    for (int n = 2; n <= 5; ++n)
        items.push_back({ID_PREVIEW_2PAGES + static_cast<UINT>(n - 2), true,
                         nMode == PREVIEW_PAGES_PER_ROW && nPerRow == n});
    items.push_back({ID_PREVIEW_ALLPAGES, true, nMode == PREVIEW_ALL_PAGES});
    return items;
}

int CPreviewWheel::Add(int nDelta)
{
    m_nRest += nDelta;
    const int notches = m_nRest / 120;       // towards zero: the rest keeps its sign
    m_nRest -= notches * 120;
    return notches;
}
