// The rules of the print preview that need no window: where the pages lie in
// each display mode, which scroll bars the page view needs, which buttons of
// the bar and which commands of the right-click menu apply, and how wheel
// turns become scroll lines.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"

#include <vector>

// Display modes of the page view.
enum PreviewMode { PREVIEW_ONE_PAGE = 0, PREVIEW_PAGES_PER_ROW = 1, PREVIEW_ALL_PAGES = 2 };

const int kPreviewPageGapX = 20;     // between pages side by side
const int kPreviewPageGapY = 30;     // below a row of pages

// The page rectangles (one per page) from origin and the extent (the
// right-most and bottom-most page edges). Mode 0 puts every page at the
// origin; mode 1 places nPerRow pages side by side, rows stacked; mode 2 one
// column.
std::vector<CRect> LayoutPreviewPages(int nMode, int nPerRow, int nPages, CSize pageSize, CPoint origin,
                                      CSize& extent);

// The factor (at most 1.0) the pages at their natural size (pageSize) are
// shrunk by in the view's client area with nMargin on every side: several
// pages per row fit their row into the width and a page into the height, so
// that a row of pages is seen whole without scrolling; the one-page and
// all-pages modes show the pages at their natural size (1.0), as does an
// area too small to say.
double PreviewFitScale(int nMode, int nPerRow, CSize client, CSize pageSize, int nMargin);

// What the page view's scroll bars need for a client area and an extent: the
// vertical bar when the height is below extent + 100 (range extent + 99), the
// horizontal one when the width is below extent + 50 (range extent + 49), each
// with the visible size as its page.
struct PreviewScrollNeeds {
    bool bVertical = false;
    bool bHorizontal = false;
    int nVertMax = 0;
    int nHorzMax = 0;
    int nVertPage = 0;
    int nHorzPage = 0;
};
PreviewScrollNeeds ComputePreviewScroll(CSize client, CSize extent);

// The buttons of the bar that are enabled in a mode.
struct PreviewBarButtons {
    bool bOnePage = true;
    bool bMultiPage = true;
    bool bAllPages = true;
    bool bPrevPage = true;
    bool bNextPage = true;
};
PreviewBarButtons PreviewBarButtonsFor(int nMode);

// The right-click menu's commands.
const UINT ID_PREVIEW_NEXTPAGE = 32813;
const UINT ID_PREVIEW_PREVPAGE = 32814;
const UINT ID_PREVIEW_ONEPAGE = 32816;
const UINT ID_PREVIEW_2PAGES = 32817;        // 32817..32820: 2 to 5 pages per row
const UINT ID_PREVIEW_ALLPAGES = 32821;
struct PreviewMenuItem {
    UINT nId;
    bool bEnabled;
    bool bChecked;
};
std::vector<PreviewMenuItem> PreviewMenuFor(int nMode, int nPerRow, int nCurPage, int nPages);

// Wheel turns: deltas add up, and every whole notch (120) gives one line in
// the direction of its sign (positive: up).
class CPreviewWheel {
public:
    // The lines to scroll: > 0 up, < 0 down.
    int Add(int nDelta);
private:
    int m_nRest = 0;
};
