// Printing the grid: the print job, the page metrics and breaks, laying out
// and drawing one page with its title lines, and the header and footer lines.
//
// Pages are split by the zoomed running sums of the row heights and column
// widths (the grid's zoom is the printer's pixels per screen pixel while a
// job runs), so the breaks are found by search, not by walking every line. A
// page never breaks before its first line: a line larger than the printable
// area gets a page of its own.
#include "grid/GridCtrl.h"

#include "grid/GridCellBase.h"
#include "grid/GridMessages.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cmath>

namespace {

// The first line of every page and the end line, for lines [nFirst, nCount):
// each page holds what fits in nAvail, less nTail on every page and less
// nHead on every page after the first. At least one page.
std::vector<int> Paginate(const CGridPositionIndex& sizes, int nFirst, int nCount, long long nAvail,
                          long long nHead, long long nTail)
{
    std::vector<int> starts{nFirst};
    int pos = nFirst;
    bool firstPage = true;
    while (pos < nCount) {
        const long long cap = nAvail - nTail - (firstPage ? 0 : nHead);
        int end = pos;
        if (cap >= 0)
            end = sizes.LowerBound(sizes.Prefix(pos) + cap + 1) - 1;
        end = std::min(end, nCount);
        if (end <= pos)
            end = pos + 1;
        starts.push_back(end);
        pos = end;
        firstPage = false;
    }
    if (starts.size() == 1)
        starts.push_back(nFirst);
    return starts;
}

// A title range clipped to the lines of the sheet.
GridLineSpan ClipSpan(int nFirst, int nLast, int nCount)
{
    GridLineSpan span;
    if (nFirst < 0 || nLast < nFirst || nFirst >= nCount)
        return span;
    span.nFirst = nFirst;
    span.nLast = std::min(nLast, nCount - 1);
    return span;
}

int ScreenDpi(int nIndex)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return 96;
    const int dpi = dc.GetDeviceCaps(nIndex);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int GridScreenDpi()
{
    return ScreenDpi(LOGPIXELSX);
}

namespace {

int Clamp(long long v)
{
    return static_cast<int>(std::max<long long>(-0x3FFFFFFF, std::min<long long>(v, 0x3FFFFFFF)));
}

}  // namespace

void CGridCtrl::OnBeginPrinting(const PrinterMetrics& metrics, BOOL bPreview, int nScreenDpi)
{
    GridPrintState& st = m_PrintState;
    if (!st.bPrinting) {
        st.dSavedZoomX = m_dZoomX;
        st.dSavedZoomY = m_dZoomY;
    }
    st.bPrinting = true;
    st.bPreview = bPreview != FALSE;
    st.nCurPage = 0;
    const int screenDpi = nScreenDpi > 0 ? nScreenDpi : 96;
    // Pages are laid out once, in printer units, for a job and a preview
    // alike, so that the preview shows exactly the printed pages.
    const int dpiX = metrics.nDpiX > 0 ? metrics.nDpiX : screenDpi;
    const int dpiY = metrics.nDpiY > 0 ? metrics.nDpiY : screenDpi;
    st.nLayoutDpiX = dpiX;
    st.nLayoutDpiY = dpiY;
    st.nScreenDpi = screenDpi;
    const PrintDevMode* mode = m_PrintSettings.m_pDevMode.get();
    const bool devicePage = metrics.nPageWidth > 0 && metrics.nPageHeight > 0;
    if (mode != nullptr && mode->dmPaperWidth > 0 && mode->dmPaperLength > 0) {
        st.nPageWidth = TenthsMmToUnits(mode->dmPaperWidth, dpiX);
        st.nPageHeight = TenthsMmToUnits(mode->dmPaperLength, dpiY);
        // Never larger than the paper the printer really has under the
        // merged mode (a driver may give a smaller paper than the stored
        // measures say): what is laid out always comes out on paper.
        if (devicePage) {
            st.nPageWidth = std::min(st.nPageWidth, metrics.nPageWidth);
            st.nPageHeight = std::min(st.nPageHeight, metrics.nPageHeight);
        }
    } else if (devicePage) {
        // Unset measures: the printer's own page under the merged mode.
        st.nPageWidth = metrics.nPageWidth;
        st.nPageHeight = metrics.nPageHeight;
    } else {
        st.nPageWidth = 0;
        st.nPageHeight = 0;
    }
    st.nOffsetX = metrics.nOffsetX;
    st.nOffsetY = metrics.nOffsetY;
    st.dUnitsPerMmX = dpiX / 25.4;
    st.dUnitsPerMmY = dpiY / 25.4;
    const PrintLayoutBlock& lay = m_PrintSettings.m_layout;
    st.nPrintableWidth = st.nPageWidth - 2 * st.nOffsetX - MillimetresToUnits(lay.nMarginLeft, dpiX) -
                         MillimetresToUnits(lay.nMarginRight, dpiX);
    st.nPrintableHeight = st.nPageHeight - 2 * st.nOffsetY - MillimetresToUnits(lay.nMarginTop, dpiY) -
                          MillimetresToUnits(lay.nMarginBottom, dpiY);
    // Printer pixels per screen pixel. The stored print scale is kept with
    // the settings and in templates but never sizes the cells: pages are
    // always laid out at the screen's size.
    const double zoomX = static_cast<double>(dpiX) / screenDpi;
    const double zoomY = static_cast<double>(dpiY) / screenDpi;
    st.dLayoutZoomX = zoomX;
    st.dLayoutZoomY = zoomY;
    m_dZoomX = zoomX;
    m_dZoomY = zoomY;
    m_arColWidths.SetZoom(zoomX);
    m_arRowHeights.SetZoom(zoomY);
    m_bPrintGridLines = m_PrintSettings.m_nPrintOptions[3] != 0 ? TRUE : FALSE;

    const int firstRow = GetPrintOption(1) ? 0 : std::min(m_nFixedRows, m_nRows);
    const int firstCol = GetPrintOption(2) ? 0 : std::min(m_nFixedCols, m_nCols);
    ParseRepeatRanges();
    st.titles[0] = ClipSpan(m_nPrintRanges[0], m_nPrintRanges[1], m_nRows);
    st.titles[1] = ClipSpan(m_nPrintRanges[2], m_nPrintRanges[3], m_nRows);
    st.titles[2] = ClipSpan(m_nPrintRanges[4], m_nPrintRanges[5], m_nCols);
    st.titles[3] = ClipSpan(m_nPrintRanges[6], m_nPrintRanges[7], m_nCols);
    auto spanSize = [](const CGridPositionIndex& sizes, const GridLineSpan& span) {
        return span.IsSet() ? sizes.Sum(span.nFirst, span.nLast + 1) : 0LL;
    };
    st.rowStarts = Paginate(m_arRowHeights, firstRow, m_nRows, std::max(0, st.nPrintableHeight),
                            spanSize(m_arRowHeights, st.titles[0]), spanSize(m_arRowHeights, st.titles[1]));
    st.colStarts = Paginate(m_arColWidths, firstCol, m_nCols, std::max(0, st.nPrintableWidth),
                            spanSize(m_arColWidths, st.titles[2]), spanSize(m_arColWidths, st.titles[3]));
    if (st.bPreview) {
        // While a preview is open the grid keeps its own zoom; the preview
        // sets the zoom of its scale only while it draws a page.
        m_dZoomX = st.dSavedZoomX;
        m_dZoomY = st.dSavedZoomY;
        m_arColWidths.SetZoom(m_dZoomX);
        m_arRowHeights.SetZoom(m_dZoomY);
    }
}

void CGridCtrl::OnEndPrinting()
{
    GridPrintState& st = m_PrintState;
    if (st.bPrinting) {
        m_dZoomX = st.dSavedZoomX;
        m_dZoomY = st.dSavedZoomY;
        m_arColWidths.SetZoom(m_dZoomX);
        m_arRowHeights.SetZoom(m_dZoomY);
    }
    st.bPrinting = false;
    st.bPreview = false;
}

void CGridCtrl::LayoutPrintPage(int nPage, int x, int y, GridPrintPage& page) const
{
    const GridPrintState& st = m_PrintState;
    page = GridPrintPage();
    const int colPages = st.ColPages();
    if (colPages <= 0 || nPage < 0 || nPage >= st.PageCount())
        return;
    const int rp = nPage / colPages;
    const int cp = nPage % colPages;
    auto build = [](std::vector<int>& lines, int start, int end, const GridLineSpan& head,
                    const GridLineSpan& tail) {
        if (head.IsSet() && start > head.nFirst) {
            for (int line = head.nFirst; line <= std::min(head.nLast, start - 1); ++line)
                lines.push_back(line);
        }
        for (int line = start; line < end; ++line)
            lines.push_back(line);
        if (tail.IsSet() && end <= tail.nLast) {
            for (int line = std::max(tail.nFirst, end); line <= tail.nLast; ++line)
                lines.push_back(line);
        }
    };
    build(page.rows, st.rowStarts[static_cast<size_t>(rp)], st.rowStarts[static_cast<size_t>(rp) + 1],
          st.titles[0], st.titles[1]);
    build(page.cols, st.colStarts[static_cast<size_t>(cp)], st.colStarts[static_cast<size_t>(cp) + 1],
          st.titles[2], st.titles[3]);
    long long pos = y;
    page.ys.push_back(Clamp(pos));
    for (int row : page.rows) {
        pos += CGridPositionIndex::Zoom(m_arRowHeights.GetAt(row), m_dZoomY);
        page.ys.push_back(Clamp(pos));
    }
    pos = x;
    page.xs.push_back(Clamp(pos));
    for (int col : page.cols) {
        pos += CGridPositionIndex::Zoom(m_arColWidths.GetAt(col), m_dZoomX);
        page.xs.push_back(Clamp(pos));
    }
}

void CGridCtrl::DrawPrintPage(CDC* pDC, int nPage, const CRect& rcPage)
{
    if (pDC == nullptr)
        return;
    GridPrintPage page;
    LayoutPrintPage(nPage, 0, 0, page);
    if (page.rows.empty() || page.cols.empty())
        return;
    auto place = [](int nAlign, int nSpace, int nUsed) {
        const int free = nSpace - nUsed;
        if (free <= 0)
            return 0;
        return nAlign == 1 ? free / 2 : nAlign == 2 ? free : 0;
    };
    const PrintLayoutBlock& lay = m_PrintSettings.m_layout;
    const int dx = rcPage.left + place(lay.nPlacement[0], rcPage.Width(), page.Width());
    const int dy = rcPage.top + place(lay.nPlacement[1], rcPage.Height(), page.Height());
    if (GetPrintOption(kPrintOptionOffscreen)) {
        // Off-screen: the block is drawn into a white bitmap of its size (with
        // the closing line) and copied to the page one unit right of and
        // below its corner. Without memory for the bitmap it is drawn directly.
        const int w = page.Width() + 1;
        const int h = page.Height() + 1;
        CDC mem;
        CBitmap bitmap;
        if (mem.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, w, h)) {
            CBitmap* pOld = mem.SelectObject(&bitmap);
            mem.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
            for (int i = 0; i < static_cast<int>(page.rows.size()); ++i)
                PrintRow(&mem, page, i);
            pDC->BitBlt(dx + 1, dy + 1, w, h, &mem, 0, 0, SRCCOPY);
            mem.SelectObject(pOld);
            return;
        }
    }
    for (int& v : page.xs)
        v += dx;
    for (int& v : page.ys)
        v += dy;
    const int saved = pDC->SaveDC();
    // The block with the closing line its last cells draw one pixel beyond.
    pDC->IntersectClipRect(page.xs.front(), page.ys.front(), page.xs.back() + 1, page.ys.back() + 1);
    for (int i = 0; i < static_cast<int>(page.rows.size()); ++i)
        PrintRow(pDC, page, i);
    pDC->RestoreDC(saved);
}

namespace {

void PrintLine(CGridCtrl& grid, CDC* pDC, const HeaderFooterSet& set, int nLeft, int nY, int nRight, int nPage,
               bool bHeader, double dZoom)
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    for (int slot = 0; slot < HeaderFooterSet::SlotCount; ++slot) {
        const CString text = grid.ExpandHeaderFooterFields(set.entries[slot].strText, nPage);
        if (text.IsEmpty())
            continue;
        LOGFONT lf = set.entries[slot].logFont;
        lf.lfHeight = static_cast<LONG>(lf.lfHeight * dZoom);
        CFont font;
        const bool haveFont = font.CreateFontIndirect(&lf) != FALSE;
        CFont* pOld = haveFont ? pDC->SelectObject(&font) : nullptr;
        const CSize size = pDC->GetTextExtent(text);
        const int space = nRight - nLeft;
        int x = nLeft;
        if (slot == HeaderFooterSet::Center)
            x = size.cx > space ? nLeft + space / 2 : nLeft + (space - size.cx) / 2;
        else if (slot == HeaderFooterSet::Right)
            x = std::max(nLeft, nRight - static_cast<int>(size.cx));
        const int y = bHeader ? nY : nY - size.cy;
        pDC->TextOut(x, y, text);
        if (haveFont)
            pDC->SelectObject(pOld);
    }
}

}  // namespace

void CGridCtrl::PrintHeader(CDC* pDC, int nLeft, int nY, int nRight, int nPage)
{
    if (pDC == nullptr)
        return;
    if (nPage != -1)
        m_PrintState.nCurPage = nPage;
    PrintLine(*this, pDC, m_PrintSettings.m_header, nLeft, nY, nRight, m_PrintState.nCurPage, true, m_dZoomX);
}

void CGridCtrl::PrintFooter(CDC* pDC, int nLeft, int nY, int nRight, int nPage)
{
    if (pDC == nullptr)
        return;
    if (nPage != -1)
        m_PrintState.nCurPage = nPage;
    PrintLine(*this, pDC, m_PrintSettings.m_footer, nLeft, nY, nRight, m_PrintState.nCurPage, false, m_dZoomX);
}

BOOL CGridCtrl::Print()
{
    if (!ResolvePrinter("没有按装打印机,不能打印!"))
        return FALSE;
    CGridPrintSettings& ps = m_PrintSettings;
    LoadPrinterInfo(ps.m_strPrinterName.GetString());
    CPrinterJob job;
    if (!CreatePrinterDC(job))
        return FALSE;
    // An open preview keeps its pages, its zoom and its state: the job's
    // layout replaces them only while the job runs.
    const GridPrintState kept = m_PrintState;
    // Sent, so that the host hears of the job before it ends.
    SendGridMessage(WM_GRID_BEGINPRINT, 0, 0);
    CDC* pDC = job.GetDC();

    CString docName = GetTemplateState().strFileName;
    const int slash = docName.ReverseFind('\\');
    if (slash >= 0)
        docName = docName.Mid(slash + 1);
    if (docName.IsEmpty())
        docName = "卡沃文档";
    bool aborted = job.StartDoc(docName) <= 0;
    const PrinterMetrics metrics = job.GetMetrics();
    OnBeginPrinting(metrics, FALSE, ScreenDpi(LOGPIXELSX));
    // The device context's origin is the printable area's corner: the
    // paper's corner lies at minus the unprintable border.
    const CPoint paper(-m_PrintState.nOffsetX, -m_PrintState.nOffsetY);
    const int pages = m_PrintState.PageCount();
    for (int page = 0; page < pages && !aborted; ++page) {
        if (job.StartPage() <= 0) {
            aborted = true;
            break;
        }
        DrawPaperPage(pDC, page, paper);
        if (job.EndPage() <= 0)
            aborted = true;
    }
    if (aborted)
        job.AbortDoc();
    else if (job.EndDoc() <= 0)
        aborted = true;
    OnEndPrinting();
    if (kept.bPrinting) {
        m_PrintState = kept;
        m_dZoomX = kept.bPreview ? kept.dSavedZoomX : kept.dLayoutZoomX;
        m_dZoomY = kept.bPreview ? kept.dSavedZoomY : kept.dLayoutZoomY;
        m_arColWidths.SetZoom(m_dZoomX);
        m_arRowHeights.SetZoom(m_dZoomY);
        m_bPrintGridLines = ps.m_nPrintOptions[3] != 0 ? TRUE : FALSE;
    }
    SendGridMessage(WM_GRID_FINISHPRINT, 0, 0);
    return aborted ? FALSE : TRUE;
}

void CGridCtrl::GetPaperPageRects(CPoint paper, CRect& rcBody, int& nHeaderY, int& nFooterY, double dScaleX,
                                  double dScaleY) const
{
    const GridPrintState& st = m_PrintState;
    const PrintLayoutBlock& lay = m_PrintSettings.m_layout;
    // Printer units (from the paper's corner) to device units.
    auto x = [&](double units) { return paper.x + static_cast<int>(std::lround(units * dScaleX)); };
    auto y = [&](double units) { return paper.y + static_cast<int>(std::lround(units * dScaleY)); };
    auto mmX = [&](int mm) { return static_cast<double>(std::lround(mm * st.dUnitsPerMmX)); };
    auto mmY = [&](int mm) { return static_cast<double>(std::lround(mm * st.dUnitsPerMmY)); };
    rcBody = CRect(x(st.nOffsetX + mmX(lay.nMarginLeft)), y(st.nOffsetY + mmY(lay.nMarginTop)),
                   x(st.nPageWidth - st.nOffsetX - mmX(lay.nMarginRight)),
                   y(st.nPageHeight - st.nOffsetY - mmY(lay.nMarginBottom)));
    nHeaderY = y(st.nOffsetY + mmY(lay.nHeaderDistance));
    nFooterY = y(st.nPageHeight - st.nOffsetY - mmY(lay.nFooterDistance));
}

void CGridCtrl::DrawPaperPage(CDC* pDC, int nPage, CPoint paper, double dScaleX, double dScaleY)
{
    if (pDC == nullptr || !(dScaleX > 0.0) || !(dScaleY > 0.0))
        return;
    CRect body;
    int headerY = 0, footerY = 0;
    GetPaperPageRects(paper, body, headerY, footerY, dScaleX, dScaleY);
    // The cells, fonts and lines at the layout's zoom times the scale; the
    // grid's own zoom comes back afterwards.
    const double zoomX = m_dZoomX;
    const double zoomY = m_dZoomY;
    m_dZoomX = m_PrintState.dLayoutZoomX * dScaleX;
    m_dZoomY = m_PrintState.dLayoutZoomY * dScaleY;
    m_PrintState.nCurPage = nPage;
    PrintHeader(pDC, body.left, headerY, body.right, -1);
    const int saved = pDC->SaveDC();
    DrawPrintPage(pDC, nPage, body);
    pDC->RestoreDC(saved);
    PrintFooter(pDC, body.left, footerY, body.right, -1);
    m_dZoomX = zoomX;
    m_dZoomY = zoomY;
}

void CGridCtrl::SetPrintLayout(int n1, int n2, int n3, int n4, int n5, int n6, int n7)
{
    const int values[7] = {n1, n2, n3, n4, n5, n6, n7};
    for (int i = 0; i < 7; ++i) {
        if (values[i] >= 0)
            m_nPrintLayout[i] = values[i];
    }
}

int CGridCtrl::GetPrintLayoutValue(int nIndex) const
{
    return nIndex >= 0 && nIndex < 7 ? m_nPrintLayout[nIndex] : -1;
}
