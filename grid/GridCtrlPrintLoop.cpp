// The page-by-page path of a host's own print loop: after OnBeginPrinting,
// OnPrint draws page n (counted from 1) in the print font's character and
// line units of the seven print layout values, with the fixed rows above
// and the fixed columns beside the page's cells.
#include "grid/GridCtrl.h"

#include "grid/GridCellBase.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <vector>

namespace {

// The print font's average character width and line height (at least 1).
void CharCell(CDC* pDC, int& cx, int& cy)
{
    TEXTMETRIC tm = {};
    cx = cy = 1;
    if (pDC->GetTextMetrics(&tm)) {
        cx = std::max<int>(1, tm.tmAveCharWidth);
        cy = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    }
}

}  // namespace

CRect CGridCtrl::GetPrintLoopArea(CDC* pDC) const
{
    int cx = 1, cy = 1;
    if (pDC != nullptr)
        CharCell(pDC, cx, cy);
    const GridPrintState& st = m_PrintState;
    const int left = m_nPrintLayout[2] * cx;
    const int top = (m_nPrintLayout[0] + m_nPrintLayout[6]) * cy;
    const int right = std::max(left, st.nPageWidth - m_nPrintLayout[3] * cx);
    return CRect(left, top, right, std::max(top, st.nPageHeight));
}

namespace {

// The first line of every page along one direction, then the end line:
// lines from nFirst, each as large as size(line), at most nRoom per page; a
// line larger than that gets a page of its own.
template <typename Size>
std::vector<int> LoopBreaks(int nFirst, int nCount, int nRoom, Size size)
{
    std::vector<int> starts{nFirst};
    long long sum = 0;
    for (int line = nFirst; line < nCount; ++line) {
        const int s = size(line);
        if (sum > 0 && sum + s > nRoom) {
            starts.push_back(line);
            sum = 0;
        }
        sum += s;
    }
    starts.push_back(std::max(nFirst, nCount));
    return starts;
}

}  // namespace

BOOL CGridCtrl::GetPrintLoopBreaks(CDC* pDC, std::vector<int>& rowStarts, std::vector<int>& colStarts) const
{
    if (pDC == nullptr || !m_PrintState.bPrinting)
        return FALSE;
    const CRect area = GetPrintLoopArea(pDC);
    rowStarts = LoopBreaks(GetFixedRowCount(), GetRowCount(), area.Height() - FixedHeight(),
                           [this](int row) { return m_arRowHeights.GetZoomedAt(row); });
    colStarts = LoopBreaks(GetFixedColumnCount(), GetColumnCount(), area.Width() - FixedWidth(),
                           [this](int col) { return m_arColWidths.GetZoomedAt(col); });
    return TRUE;
}

int CGridCtrl::GetPrintLoopPageCount(CDC* pDC) const
{
    std::vector<int> rows, cols;
    if (!GetPrintLoopBreaks(pDC, rows, cols))
        return 0;
    return static_cast<int>(rows.size() - 1) * static_cast<int>(cols.size() - 1);
}

BOOL CGridCtrl::GetPrintLoopPage(CDC* pDC, int nPage, int& nFirstRow, int& nEndRow, int& nFirstCol,
                                 int& nEndCol) const
{
    std::vector<int> rows, cols;
    if (!GetPrintLoopBreaks(pDC, rows, cols))
        return FALSE;
    const int across = static_cast<int>(cols.size()) - 1;
    const int down = static_cast<int>(rows.size()) - 1;
    if (nPage < 1 || nPage > across * down)
        return FALSE;
    // Page n: row page ceil(n / across), column page n mod across (across
    // when the remainder is 0); counted here from 0.
    const int rp = (nPage - 1) / across;
    const int cp = (nPage - 1) % across;
    nFirstRow = rows[static_cast<size_t>(rp)];
    nEndRow = rows[static_cast<size_t>(rp) + 1];
    nFirstCol = cols[static_cast<size_t>(cp)];
    nEndCol = cols[static_cast<size_t>(cp) + 1];
    return TRUE;
}

int CGridCtrl::PrintRowCells(int nFirstCol, int nEndCol, int nRow, const CRect& rect, CDC* pDC)
{
    if (pDC == nullptr || nRow < 0 || nRow >= GetRowCount())
        return rect.left;
    GridPrintPage page;
    page.rows.push_back(nRow);
    page.ys.push_back(rect.top);
    page.ys.push_back(rect.top + m_arRowHeights.GetZoomedAt(nRow));
    page.xs.push_back(rect.left);
    const int last = std::min(nEndCol, GetColumnCount());
    int x = rect.left;
    for (int col = std::max(0, nFirstCol); col < last; ++col) {
        const int w = m_arColWidths.GetZoomedAt(col);
        // A cell that would end past the printable width is left for the
        // next page.
        if (x + w > rect.right)
            break;
        x += w;
        page.cols.push_back(col);
        page.xs.push_back(x);
    }
    if (!page.cols.empty())
        PrintRow(pDC, page, 0);
    return x;
}

void CGridCtrl::PrintFixedRows(CDC* pDC, int nPage)
{
    int firstRow = 0, endRow = 0, firstCol = 0, endCol = 0;
    if (pDC == nullptr || !GetPrintLoopPage(pDC, nPage, firstRow, endRow, firstCol, endCol))
        return;
    const CRect area = GetPrintLoopArea(pDC);
    int y = area.top;
    for (int row = 0; row < GetFixedRowCount(); ++row) {
        int x = area.left;
        // The corner goes with the page that starts at the first
        // scrollable column.
        if (firstCol <= GetFixedColumnCount())
            x = PrintRowCells(0, GetFixedColumnCount(), row, CRect(x, y, area.right, area.bottom), pDC);
        else
            x += FixedWidth();
        PrintRowCells(firstCol, endCol, row, CRect(x, y, area.right, area.bottom), pDC);
        y += m_arRowHeights.GetZoomedAt(row);
    }
}

void CGridCtrl::PrintFixedColumns(CDC* pDC, int nPage)
{
    int firstRow = 0, endRow = 0, firstCol = 0, endCol = 0;
    if (pDC == nullptr || !GetPrintLoopPage(pDC, nPage, firstRow, endRow, firstCol, endCol))
        return;
    const CRect area = GetPrintLoopArea(pDC);
    const int left = area.left;
    const int right = left + FixedWidth();
    int y = area.top + FixedHeight();
    const int top = y;
    CPen pen(PS_SOLID, 1, GetGridLineColor());
    CPen* pOld = pDC->SelectObject(&pen);
    const int mode = GetGridLineMode();
    for (int row = firstRow; row < endRow && y < area.bottom; ++row) {
        PrintRowCells(0, GetFixedColumnCount(), row, CRect(left, y, area.right, area.bottom), pDC);
        y += m_arRowHeights.GetZoomedAt(row);
        if (mode == 1 || mode == 3) {
            pDC->MoveTo(left, y - 1);
            pDC->LineTo(right, y - 1);
        }
    }
    if (mode == 2 || mode == 3) {
        int x = left;
        for (int col = 0; col < GetFixedColumnCount(); ++col) {
            x += m_arColWidths.GetZoomedAt(col);
            pDC->MoveTo(x - 1, top);
            pDC->LineTo(x - 1, y);
        }
    }
    pDC->SelectObject(pOld);
}

int CGridCtrl::FixedWidth() const
{
    int w = 0;
    for (int col = 0; col < GetFixedColumnCount(); ++col)
        w += m_arColWidths.GetZoomedAt(col);
    return w;
}

int CGridCtrl::FixedHeight() const
{
    int h = 0;
    for (int row = 0; row < GetFixedRowCount(); ++row)
        h += m_arRowHeights.GetZoomedAt(row);
    return h;
}

void CGridCtrl::OnPrint(CDC* pDC, int nPage)
{
    if (pDC == nullptr)
        return;
    // The print font: the sheet's font at the print zoom; the page's area
    // is measured in it.
    LOGFONT lf = {};
    const LOGFONT* pGridFont = GetGridLogFont();
    if (pGridFont != nullptr)
        lf = *pGridFont;
    lf.lfHeight = static_cast<LONG>(lf.lfHeight * m_dZoomY);
    CFont font;
    const bool haveFont = font.CreateFontIndirect(&lf) != FALSE;
    CFont* pOldFont = haveFont ? pDC->SelectObject(&font) : nullptr;
    int firstRow = 0, endRow = 0, firstCol = 0, endCol = 0;
    if (!GetPrintLoopPage(pDC, nPage, firstRow, endRow, firstCol, endCol)) {
        if (haveFont)
            pDC->SelectObject(pOldFont);
        return;
    }
    m_PrintState.nCurPage = nPage - 1;

    PrintFixedColumns(pDC, nPage);
    PrintFixedRows(pDC, nPage);
    // The body: the page's rows and columns as far as the area holds them;
    // a merged block is drawn once over the part of it the page shows.
    const CRect area = GetPrintLoopArea(pDC);
    GridPrintPage page;
    int y = area.top + FixedHeight();
    page.ys.push_back(y);
    for (int row = firstRow; row < endRow; ++row) {
        const int h = m_arRowHeights.GetZoomedAt(row);
        if (y + h > area.bottom && !page.rows.empty())
            break;
        y += h;
        page.rows.push_back(row);
        page.ys.push_back(y);
    }
    int x = area.left + FixedWidth();
    page.xs.push_back(x);
    for (int col = firstCol; col < endCol; ++col) {
        const int w = m_arColWidths.GetZoomedAt(col);
        if (x + w > area.right && !page.cols.empty())
            break;
        x += w;
        page.cols.push_back(col);
        page.xs.push_back(x);
    }
    if (!page.cols.empty()) {
        for (int i = 0; i < static_cast<int>(page.rows.size()); ++i)
            PrintRow(pDC, page, i);
    }
    if (haveFont)
        pDC->SelectObject(pOldFont);
}
