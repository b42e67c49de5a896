// Repeat ranges (title rows and columns printed on every page), custom paper,
// and the printed row and cell of a laid-out page.
#include "grid/GridCtrl.h"

#include "grid/GridCellBase.h"
#include "platform/DC.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace {

// The slot of a repeat-range flag (1, 2, 4, 8 -> 0..3); -1 for another flag.
int RangeSlot(int nFlag)
{
    switch (nFlag) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    default: return -1;
    }
}

// The print text that holds a slot's range.
const int kFirstRangeText = 2;
const int kRangeTextSize = 64;

// A decimal number of digits only, within int; FALSE for anything else.
bool ParseNumber(const char* begin, const char* end, int& nValue)
{
    if (begin == end)
        return false;
    long long value = 0;
    for (const char* p = begin; p != end; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            return false;
    }
    nValue = static_cast<int>(value);
    return true;
}

}  // namespace

BOOL CGridCtrl::SetRepeatRange(LPCTSTR szRange, int nFlag)
{
    const int slot = RangeSlot(nFlag);
    if (slot < 0 || szRange == nullptr || *szRange == '\0' ||
        std::strlen(szRange) >= static_cast<size_t>(kRangeTextSize))
        return FALSE;
    m_PrintSettings.m_strPrintTexts[kFirstRangeText + slot] = szRange;
    return TRUE;
}

CString CGridCtrl::GetRepeatRange(int nFlag) const
{
    const int slot = RangeSlot(nFlag);
    return slot < 0 ? CString() : m_PrintSettings.m_strPrintTexts[kFirstRangeText + slot];
}

BOOL CGridCtrl::ParseRange(LPCTSTR szText, int& nFirst, int& nLast)
{
    nFirst = -1;
    nLast = -1;
    if (szText == nullptr || *szText == '\0')
        return FALSE;
    const char* begin = szText;
    const char* end = begin + std::strlen(begin);
    const char* colon = std::find(begin, end, ':');
    int first = -1;
    if (!ParseNumber(begin, colon, first))
        return FALSE;
    nFirst = first;
    if (colon == end) {
        nLast = first;
        return TRUE;
    }
    int last = -1;
    if (!ParseNumber(colon + 1, end, last))
        return FALSE;
    if (last < first)
        return FALSE;
    nLast = last;
    return TRUE;
}

void CGridCtrl::ParseRepeatRanges()
{
    for (int slot = 0; slot < 4; ++slot) {
        int first = -1, last = -1;
        if (!ParseRange(m_PrintSettings.m_strPrintTexts[kFirstRangeText + slot].GetString(), first, last))
            first = last = -1;
        m_nPrintRanges[slot * 2] = first;
        m_nPrintRanges[slot * 2 + 1] = last;
    }
}

BOOL CGridCtrl::SetUserPaper(int nWidth, int nLength)
{
    PrintDevMode* mode = m_PrintSettings.m_pDevMode.get();
    if (mode == nullptr || nWidth <= 0 || nLength <= 0 || nWidth > SHRT_MAX || nLength > SHRT_MAX)
        return FALSE;
    mode->dmPaperSize = 256;
    mode->dmFields |= 0xF;
    // The measures describe the page as it lies: a landscape page is the
    // wider way round, whichever way the sizes were given.
    if (mode->dmOrientation == 2 && nWidth < nLength)
        std::swap(nWidth, nLength);
    mode->dmPaperWidth = static_cast<short>(nWidth);
    mode->dmPaperLength = static_cast<short>(nLength);
    if (!m_arPrinterPapers.empty() && m_arPrinterPapers.back().nNumber == 256) {
        m_arPrinterPapers.back().nWidth = mode->dmPaperWidth;
        m_arPrinterPapers.back().nLength = mode->dmPaperLength;
    }
    return TRUE;
}

BOOL CGridCtrl::GetUserPaper(int& nWidth, int& nLength) const
{
    const PrintDevMode* mode = m_PrintSettings.m_pDevMode.get();
    if (mode == nullptr || mode->dmPaperSize != 256)
        return FALSE;
    nWidth = mode->dmPaperWidth;
    nLength = mode->dmPaperLength;
    return TRUE;
}

void CGridCtrl::SetPaper(int nPaper)
{
    if (m_PrintSettings.m_pDevMode == nullptr)
        m_PrintSettings.InitDevMode();
    PrintDevMode& mode = *m_PrintSettings.m_pDevMode;
    mode.dmPaperSize = static_cast<short>(nPaper);
    // The measures follow the paper number: the printer's size of that paper
    // (the custom entry's for 256), as the page lies; a paper the printer
    // does not list leaves them unset, and the printer's own page for that
    // number is used. Stale measures would lay the pages out on another
    // paper than the one printed on.
    mode.dmPaperWidth = -1;
    mode.dmPaperLength = -1;
    for (const PrinterPaper& paper : m_arPrinterPapers) {
        if (paper.nNumber != nPaper || paper.nWidth <= 0 || paper.nLength <= 0)
            continue;
        short width = paper.nWidth;
        short length = paper.nLength;
        if (mode.dmOrientation == 2 ? width < length : mode.dmOrientation == 1 && nPaper != 256 && width > length)
            std::swap(width, length);
        mode.dmPaperWidth = width;
        mode.dmPaperLength = length;
        break;
    }
}

void CGridCtrl::PrintRow(CDC* pDC, GridPrintPage& page, int nRowIndex)
{
    for (int j = 0; j < static_cast<int>(page.cols.size()); ++j)
        PrintCell(pDC, page, nRowIndex, j);
}

void CGridCtrl::PrintCell(CDC* pDC, GridPrintPage& page, int nRowIndex, int nColIndex)
{
    const int row = page.rows[static_cast<size_t>(nRowIndex)];
    const int col = page.cols[static_cast<size_t>(nColIndex)];
    if (page.ys[static_cast<size_t>(nRowIndex) + 1] <= page.ys[static_cast<size_t>(nRowIndex)] ||
        page.xs[static_cast<size_t>(nColIndex) + 1] <= page.xs[static_cast<size_t>(nColIndex)])
        return;
    CGridCellBase* pCell = GetCell(row, col);
    if (pCell == nullptr)
        return;
    int i0 = nRowIndex, i1 = nRowIndex, j0 = nColIndex, j1 = nColIndex;
    int drawRow = row, drawCol = col;
    const CGridCellRange block = pCell->IsMerged() ? pCell->GetMergeRange() : CGridCellRange(-1, -1, -1, -1);
    if (IsRangeValid(block)) {
        // The part of the block this page shows around the cell: neighbouring
        // lines of the page that are the block's next lines.
        const int nRows = static_cast<int>(page.rows.size());
        const int nCols = static_cast<int>(page.cols.size());
        while (i0 > 0 && page.rows[static_cast<size_t>(i0) - 1] == page.rows[static_cast<size_t>(i0)] - 1 &&
               page.rows[static_cast<size_t>(i0) - 1] >= block.GetMinRow())
            --i0;
        while (i1 + 1 < nRows && page.rows[static_cast<size_t>(i1) + 1] == page.rows[static_cast<size_t>(i1)] + 1 &&
               page.rows[static_cast<size_t>(i1) + 1] <= block.GetMaxRow())
            ++i1;
        while (j0 > 0 && page.cols[static_cast<size_t>(j0) - 1] == page.cols[static_cast<size_t>(j0)] - 1 &&
               page.cols[static_cast<size_t>(j0) - 1] >= block.GetMinCol())
            --j0;
        while (j1 + 1 < nCols && page.cols[static_cast<size_t>(j1) + 1] == page.cols[static_cast<size_t>(j1)] + 1 &&
               page.cols[static_cast<size_t>(j1) + 1] <= block.GetMaxCol())
            ++j1;
        const long long key = (static_cast<long long>(i0) << 32) | static_cast<unsigned>(j0);
        if (std::find(page.drawnBlocks.begin(), page.drawnBlocks.end(), key) != page.drawnBlocks.end())
            return;
        page.drawnBlocks.push_back(key);
        const CGridCellPos owner = block.GetTopLeft();
        CGridCellBase* pOwner = GetCell(owner.row, owner.col);
        if (pOwner == nullptr)
            return;
        // The owner draws over the whole block, as if the lines of the block
        // this page does not show lay beside the part it shows, and only
        // that part is painted: a block cut by a page break shows its text
        // once across the pages, the way the screen shows a block partly
        // scrolled out.
        const CRect part(page.xs[static_cast<size_t>(j0)], page.ys[static_cast<size_t>(i0)],
                         page.xs[static_cast<size_t>(j1) + 1] - 1, page.ys[static_cast<size_t>(i1) + 1] - 1);
        auto outside = [](const CGridPositionIndex& sizes, int nFirst, int nEnd, double dZoom) {
            if (nEnd <= nFirst)
                return 0LL;
            if (sizes.GetZoom() == dZoom)
                return sizes.Sum(nFirst, nEnd);
            long long sum = 0;
            for (int line = nFirst; line < nEnd; ++line)
                sum += CGridPositionIndex::Zoom(static_cast<int>(sizes.GetAt(line)), dZoom);
            return sum;
        };
        const long long left = part.left - outside(m_arColWidths, block.GetMinCol(),
                                                   page.cols[static_cast<size_t>(j0)], m_dZoomX);
        const long long top = part.top - outside(m_arRowHeights, block.GetMinRow(),
                                                 page.rows[static_cast<size_t>(i0)], m_dZoomY);
        const long long right = part.right + outside(m_arColWidths, page.cols[static_cast<size_t>(j1)] + 1,
                                                     block.GetMaxCol() + 1, m_dZoomX);
        const long long bottom = part.bottom + outside(m_arRowHeights, page.rows[static_cast<size_t>(i1)] + 1,
                                                       block.GetMaxRow() + 1, m_dZoomY);
        auto clamp = [](long long v) {
            return static_cast<int>(std::max<long long>(-0x3FFFFFFF, std::min<long long>(v, 0x3FFFFFFF)));
        };
        const CRect whole(clamp(left), clamp(top), clamp(right), clamp(bottom));
        pOwner->SetCoords(owner.row, owner.col);
        if (whole == part) {
            pOwner->DrawContent(pDC, owner.row, owner.col, part);
            return;
        }
        const int saved = pDC->SaveDC();
        // The part with the closing line its cells draw one unit beyond
        // (inclusive: one more for the clip's open edge).
        pDC->IntersectClipRect(part.left, part.top, part.right + 2, part.bottom + 2);
        pOwner->DrawContent(pDC, owner.row, owner.col, whole);
        pDC->RestoreDC(saved);
        return;
    }
    const CRect rect(page.xs[static_cast<size_t>(j0)], page.ys[static_cast<size_t>(i0)],
                     page.xs[static_cast<size_t>(j1) + 1] - 1, page.ys[static_cast<size_t>(i1) + 1] - 1);
    pCell->SetCoords(drawRow, drawCol);
    pCell->DrawContent(pDC, drawRow, drawCol, rect);
}
