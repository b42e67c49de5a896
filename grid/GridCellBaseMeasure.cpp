// Measuring a cell's text: what automatic row heights and column widths and
// the in-place editor's height are made from.
#include "grid/GridCellBase.h"

#include "grid/GridCtrl.h"
#include "grid/GridMeasureDC.h"
#include "grid/GridMeasureFonts.h"
#include "grid/LogFontUtil.h"
#include "platform/DC.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Calls fn for every line of the text, split at "\n" (a "\r" before it
// belongs to the break).
void ForEachLine(const CString& text, const std::function<void(const CString&)>& fn)
{
    int start = 0;
    const int length = text.GetLength();
    while (start <= length) {
        int end = text.Find('\n', start);
        if (end < 0)
            end = length;
        int stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        fn(text.Mid(start, stop - start));
        if (end >= length)
            break;
        start = end + 1;
    }
}

const long long kMaxExtent = GRID_MAX_TEXT_EXTENT;

// A computed size as an extent: never negative, never past the limit.
LONG ClampExtent(long long value)
{
    return static_cast<LONG>(std::max(0LL, std::min(value, kMaxExtent)));
}

// A scaled size in pixels, truncated toward zero (rounded to the nearest by
// RoundExtent), kept well inside 64 bits; 0 for a value that is not a number.
double BoundScaled(double value)
{
    if (value != value)
        return 0.0;
    const double limit = 4.0 * GRID_MAX_TEXT_EXTENT;
    return std::max(-limit, std::min(value, limit));
}
long long TruncateExtent(double value)
{
    return static_cast<long long>(BoundScaled(value));
}
long long RoundExtent(double value)
{
    return std::llround(BoundScaled(value));
}

}  // namespace

BOOL CGridCellBase::GetTextRect(LPRECT)
{
    // Cells carry no images until the grid has an image list.
    return TRUE;
}

int CGridCellBase::GetTextAreaWidth(CDC*, int nCol)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr)
        return 0;
    int width = pGrid->GetColumnWidth(nCol);
    return width > 0 ? width - 1 : 0;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC, int nCol)
{
    if (!GetFormatXml().IsEmpty())
        return GetTextExtent(GetFormattedText(), pDC, nCol);
    return GetTextExtent(GetDisplayText(), pDC, nCol);
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC, int nCol)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefault =
        pGrid != nullptr ? pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
    if (szText == nullptr || *szText == '\0')
        return pDefault != nullptr ? CSize(pDefault->GetWidth(), pDefault->GetHeight()) : CSize(0, 0);

    CGridMeasureDC measure(pDC, pGrid);
    CDC* dc = measure.Get();
    if (dc == nullptr)
        return pDefault != nullptr ? CSize(pDefault->GetWidth(), pDefault->GetHeight()) : CSize(0, 0);

    const double zx = pGrid != nullptr ? pGrid->GetZoomX() : 1.0;
    const double zy = pGrid != nullptr ? pGrid->GetZoomY() : 1.0;
    const LOGFONT* plf = GetFont();
    LOGFONT lf = {};
    CFont font;
    HGDIOBJ hOldFont = nullptr;
    // During a measuring pass the font comes from the pass's cache.
    CGridMeasureFonts* fonts = pGrid != nullptr ? pGrid->GetMeasureFonts() : nullptr;
    CGridMeasureFonts::Entry* cached = nullptr;
    if (plf != nullptr) {
        lf = *plf;
        lf.lfHeight = ScaleFontHeight(lf.lfHeight, zy);
        if (fonts != nullptr && fonts->GetDC() == dc)
            cached = fonts->Find(lf);
        if (cached != nullptr)
            hOldFont = dc->SelectObject(cached->font.GetSafeHandle());
        else if (font.CreateFontIndirect(&lf))
            hOldFont = dc->SelectObject(font.GetSafeHandle());
        if (hOldFont == nullptr)
            cached = nullptr;
    }

    // Sizes are summed in 64 bits: a large font in a narrow column easily
    // needs more lines than an int holds pixels.
    const double margin = GetMargin();
    const long long available =
        RoundExtent(static_cast<double>(GetTextAreaWidth(dc, nCol)) * zx - (2 * margin + 1) * zx);
    long long cx = 0;
    long long cy = 0;
    if (GetWrapText()) {
        CRect rc(0, 0, static_cast<int>(std::max(0LL, available)), 0);
        dc->DrawText(CString(szText), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        cx = static_cast<long long>(rc.right) - rc.left;
        cy = static_cast<long long>(rc.bottom) - rc.top;
    } else if (std::strchr(szText, '\n') != nullptr) {
        // Each line takes as many lines as it needs in the available width;
        // a column too narrow to hold anything counts each line once.
        ForEachLine(CString(szText), [&](const CString& line) {
            CSize extent = dc->GetTextExtent(line.IsEmpty() ? CString(" ") : line);
            const long long wraps = available > 0 ? extent.cx / available : 0;
            cy = std::min(cy + (wraps + 1) * extent.cy, kMaxExtent);
            cx = std::max(cx, static_cast<long long>(extent.cx));
        });
    } else {
        CSize extent = dc->GetTextExtent(szText, static_cast<int>(std::strlen(szText)));
        cx = extent.cx;
        cy = extent.cy;
    }

    TEXTMETRIC tm = {};
    if (cached != nullptr) {
        if (!cached->bMetrics)
            cached->bMetrics = dc->GetTextMetrics(&cached->tm);
        tm = cached->tm;
    } else {
        dc->GetTextMetrics(&tm);
    }
    cx += TruncateExtent(tm.tmOverhang * zx + 3 * margin * zx);
    cy += TruncateExtent(margin * zy);

    if (hOldFont != nullptr)
        dc->SelectObject(hOldFont);

    if (plf != nullptr && (lf.lfEscapement == 900 || lf.lfEscapement == -900))
        return CSize(ClampExtent(cy + TruncateExtent(margin * zy)), ClampExtent(cx + TruncateExtent(2 * margin * zy)));
    return CSize(ClampExtent(cx), ClampExtent(cy));
}
