// The selection frame: a thick outline around the part of the selected range
// that is on screen, painted over the cells in skin style 1.
//
// The selected range is first cut to what is shown. A range of more than one
// line that starts above (left of) the scrolled lines shown keeps a frozen
// first line, starts at the first non-fixed line when it starts in the fixed
// lines, and otherwise starts at the first scrolled line shown; a range that ends
// after the scrolled lines shown ends at the last one, unless it ends in the
// frozen bottom (right) band. Every shown cell of the cut range then adds its
// rectangle (a merged cell the rectangle of its block, cut to the same range)
// and the frame's lines are laid along the outer edges only.
#include "grid/GridCtrl.h"

#include "platform/DC.h"

#include <algorithm>
#include <vector>

namespace {

// The rows (or columns) of one direction: fixed lines [0, nFixed), frozen
// front lines [nFixed, nFirstScroll), scrolled lines [nFirstScroll, nEndScroll)
// of which [nVisMin, nVisMax] are shown, frozen back lines [nEndScroll, n).
struct Axis {
    int nFixed;
    int nFirstScroll;
    int nEndScroll;
    int nVisMin;
    int nVisMax;

    bool InScroll(int n) const { return n >= nFirstScroll && n < nEndScroll; }

    // Cuts [nMin, nMax] of the selection to the lines on screen.
    void ClipSelection(int& nMin, int& nMax) const
    {
        if (nMax > nMin && nMin < nVisMin) {
            if (nMin < nFirstScroll)
                nMin = std::max(nMin, nFixed);   // a frozen start stays, a fixed one moves past the fixed lines
            else
                nMin = nVisMin;
        }
        if (nMax > nVisMax && nMax < nEndScroll)
            nMax = nVisMax;
    }

    // Cuts a merged block's span to [nLo, nHi] and to the lines on screen: its
    // scrolled lines out of view are dropped at either end.
    void ClipBlock(int& nMin, int& nMax, int nLo, int nHi) const
    {
        nMin = std::max(nMin, nLo);
        nMax = std::min(nMax, nHi);
        if (InScroll(nMin) && nMin < nVisMin)
            nMin = nVisMin;
        else if (InScroll(nMin) && nMin > nVisMax)
            nMin = nEndScroll;
        if (InScroll(nMax) && nMax > nVisMax)
            nMax = nVisMax;
        else if (InScroll(nMax) && nMax < nVisMin)
            nMax = nFirstScroll - 1;
    }

    // The lines of [nMin, nMax] that are on screen (frozen or scrolled into
    // view), in order; fixed lines are not part of a selection.
    std::vector<int> Shown(int nMin, int nMax, int nCount) const
    {
        std::vector<int> lines;
        auto add = [&](int nFrom, int nTo) {
            for (int n = std::max(nFrom, nMin); n <= std::min(nTo, nMax); ++n)
                lines.push_back(n);
        };
        add(nFixed, nFirstScroll - 1);
        add(std::max(nVisMin, nFirstScroll), std::min(nVisMax, nEndScroll - 1));
        add(nEndScroll, nCount - 1);
        return lines;
    }
};

bool SameRange(const CGridCellRange& a, const CGridCellRange& b)
{
    return a.GetMinRow() == b.GetMinRow() && a.GetMinCol() == b.GetMinCol() && a.GetMaxRow() == b.GetMaxRow() &&
           a.GetMaxCol() == b.GetMaxCol();
}

void FillBand(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr)
{
    if (x1 >= x0 && y1 >= y0)
        pDC->FillSolidRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, clr);
}

}  // namespace

void CGridCtrl::DrawSelectionFrame(CDC* pDC)
{
    const int t = m_nSelFrameThickness;
    if (pDC == nullptr || t <= 0)
        return;
    CGridCellRange sel = GetSelectedRange();
    if (!IsRangeValid(sel))
        return;
    GridBands b = GetBands();
    CGridCellRange visible = GetVisibleRange();
    const Axis rows = {m_nFixedRows, b.nFirstScrollRow, b.nEndScrollRow, visible.GetMinRow(), visible.GetMaxRow()};
    const Axis cols = {m_nFixedCols, b.nFirstScrollCol, b.nEndScrollCol, visible.GetMinCol(), visible.GetMaxCol()};

    int nMinRow = sel.GetMinRow(), nMaxRow = sel.GetMaxRow();
    int nMinCol = sel.GetMinCol(), nMaxCol = sel.GetMaxCol();
    rows.ClipSelection(nMinRow, nMaxRow);
    cols.ClipSelection(nMinCol, nMaxCol);
    if (nMinRow > nMaxRow || nMinCol > nMaxCol)
        return;

    // A line of the frame is a band t pixels wide centred on a cell edge.
    const int h = t / 2;
    const bool bJoin = t >= 3;
    std::vector<CGridCellRange> blocksDone;
    const std::vector<int> shownRows = rows.Shown(nMinRow, nMaxRow, m_nRows);
    const std::vector<int> shownCols = cols.Shown(nMinCol, nMaxCol, m_nCols);
    for (int row : shownRows) {
        for (int col : shownCols) {
            CGridCellRange part(row, col, row, col);
            CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(row, col);
            if (pCell != nullptr && pCell->IsMerged() && IsRangeValid(pCell->GetMergeRange())) {
                // The block without its lines outside the cut selection (in a
                // whole-row or whole-column selection: the unselected ones).
                CGridCellRange block = pCell->GetMergeRange();
                int r0 = block.GetMinRow(), r1 = block.GetMaxRow();
                int c0 = block.GetMinCol(), c1 = block.GetMaxCol();
                rows.ClipBlock(r0, r1, nMinRow, nMaxRow);
                cols.ClipBlock(c0, c1, nMinCol, nMaxCol);
                if (r0 > r1 || c0 > c1)
                    continue;
                part.Set(r0, c0, r1, c1);
                bool bDone = false;
                for (const CGridCellRange& done : blocksDone)
                    bDone = bDone || SameRange(done, part);
                if (bDone)
                    continue;
                blocksDone.push_back(part);
            }
            CRect rc;
            if (!GetRangeRect(part, &rc))
                continue;
            const bool bTop = part.GetMinRow() == nMinRow;
            const bool bBottom = part.GetMaxRow() == nMaxRow;
            const bool bLeft = part.GetMinCol() == nMinCol;
            const bool bRight = part.GetMaxCol() == nMaxCol;
            if (!bTop && !bBottom && !bLeft && !bRight)
                continue;
            // Where the lines meet, each runs on to the other's outer side;
            // at the bottom-right corner both run on by the thickness.
            int x0 = bJoin && bLeft ? rc.left - h : rc.left;
            int y0 = bJoin && bTop ? rc.top - h : rc.top;
            int xTopEnd = bJoin && bRight ? rc.right - h + t - 1 : rc.right;
            int xBottomEnd = bJoin && bRight ? rc.right + t : rc.right;
            int yLeftEnd = bJoin && bBottom ? rc.bottom - h + t - 1 : rc.bottom;
            int yRightEnd = bJoin && bBottom ? rc.bottom + t : rc.bottom;
            if (bRight)
                FillBand(pDC, rc.right - h, y0, rc.right - h + t - 1, yRightEnd, m_crSelFrame);
            if (bLeft)
                FillBand(pDC, rc.left - h, y0, rc.left - h + t - 1, yLeftEnd, m_crSelFrame);
            if (bBottom)
                FillBand(pDC, x0, rc.bottom - h, xBottomEnd, rc.bottom - h + t - 1, m_crSelFrame);
            if (bTop)
                FillBand(pDC, x0, rc.top - h, xTopEnd, rc.top - h + t - 1, m_crSelFrame);
        }
    }
}
