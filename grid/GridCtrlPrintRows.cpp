// Repeat ranges (title rows and columns printed on every page), custom paper,
// and the printed row and cell of a laid-out page.
#include "grid/GridCtrl.h"

#include "grid/GridCellBase.h"

#include <algorithm>
#include <climits>
#include <cstring>

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
    m_PrintSettings.m_pDevMode->dmPaperSize = static_cast<short>(nPaper);
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
        pCell = pOwner;
        drawRow = owner.row;
        drawCol = owner.col;
    }
    const CRect rect(page.xs[static_cast<size_t>(j0)], page.ys[static_cast<size_t>(i0)],
                     page.xs[static_cast<size_t>(j1) + 1] - 1, page.ys[static_cast<size_t>(i1) + 1] - 1);
    pCell->SetCoords(drawRow, drawCol);
    pCell->DrawContent(pDC, drawRow, drawCol, rect);
}
