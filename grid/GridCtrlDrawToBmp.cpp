// Drawing a range of the sheet into a device context the host gives: the
// cells are painted as the grid paints them, into a picture of the range's
// own size, which is then copied (or stretched) into the host's rectangle.
#include "grid/GridCtrl.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

// Where a line begins, counted from the range's first line (lines before it
// give negative offsets): the zoomed sizes in between, hidden lines 0.
long long LineOffset(const CGridPositionIndex& sizes, int nFirst, int nLine)
{
    return nLine >= nFirst ? sizes.Sum(nFirst, nLine) : -sizes.Sum(nLine, nFirst);
}

int ClampPixel(long long v)
{
    return static_cast<int>(std::max<long long>(-0x3FFFFFFF, std::min<long long>(v, 0x3FFFFFFF)));
}

}  // namespace

BOOL CGridCtrl::DrawToBmp(CDC* pDC, const RECT& rcTarget, const CGridCellRange& range, BOOL bStretch)
{
    if (pDC == nullptr || !IsRangeValid(range))
        return FALSE;
    const int minRow = range.GetMinRow();
    const int minCol = range.GetMinCol();
    const int maxRow = range.GetMaxRow();
    const int maxCol = range.GetMaxCol();
    // The cells' extent, plus the closing line a cell draws one pixel past
    // its rectangle and one pixel to spare.
    const long long llWidth = m_arColWidths.Sum(minCol, maxCol + 1) + 2;
    const long long llHeight = m_arRowHeights.Sum(minRow, maxRow + 1) + 2;
    const int cx = static_cast<int>(std::min<long long>(llWidth, 0x7FFF));
    const int cy = static_cast<int>(std::min<long long>(llHeight, 0x7FFF));

    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap picture;
    if (!picture.CreateCompatibleBitmap(pDC, cx, cy))
        return FALSE;
    CBitmap* pOldBitmap = memDC.SelectObject(&picture);
    memDC.FillSolidRect(0, 0, cx, cy, m_cellDefault.GetBackColor());

    auto xOf = [&](int col) { return ClampPixel(LineOffset(m_arColWidths, minCol, col)); };
    auto yOf = [&](int row) { return ClampPixel(LineOffset(m_arRowHeights, minRow, row)); };
    // Owners of the merged blocks already drawn.
    std::set<std::pair<int, int>> drawnBlocks;
    auto drawCell = [&](int row, int col, int x, int y, int w, int h) {
        CGridCellBase* pCell = GetCell(row, col);
        if (pCell == nullptr)
            return;
        int drawRow = row;
        int drawCol = col;
        CRect rect(x, y, x + w - 1, y + h - 1);
        // Every cell of a block knows the block; its top-left cell owns it.
        const CGridCellRange block = pCell->IsMerged() ? pCell->GetMergeRange() : CGridCellRange(-1, -1, -1, -1);
        if (IsRangeValid(block)) {
            const CGridCellPos owner = block.GetTopLeft();
            if (!drawnBlocks.insert(std::make_pair(owner.row, owner.col)).second)
                return;
            CGridCellBase* pOwner = GetCell(owner.row, owner.col);
            if (pOwner != nullptr) {
                rect = CRect(xOf(block.GetMinCol()), yOf(block.GetMinRow()), xOf(block.GetMaxCol() + 1) - 1,
                             yOf(block.GetMaxRow() + 1) - 1);
                pCell = pOwner;
                drawRow = owner.row;
                drawCol = owner.col;
            }
        }
        pCell->SetCoords(drawRow, drawCol);
        pCell->Draw(&memDC, drawRow, drawCol, rect, TRUE);
    };
    // The areas in the order the grid paints them, so the lines where they
    // meet come out the same: the body, the fixed columns beside it, the
    // fixed rows above it, the corner last.
    for (int pass = 0; pass < 4; ++pass) {
        const bool fixedRowsPass = pass >= 2;
        const bool fixedColsPass = pass == 1 || pass == 3;
        for (int row = minRow; row <= maxRow; ++row) {
            if ((row < m_nFixedRows) != fixedRowsPass)
                continue;
            const int h = ZoomedRowHeight(row);
            if (h <= 0)
                continue;
            const int y = yOf(row);
            if (y >= cy)
                break;
            for (int col = minCol; col <= maxCol; ++col) {
                if ((col < m_nFixedCols) != fixedColsPass)
                    continue;
                const int w = ZoomedColumnWidth(col);
                if (w <= 0)
                    continue;
                const int x = xOf(col);
                if (x >= cx)
                    break;
                drawCell(row, col, x, y, w, h);
            }
        }
    }

    const CRect target(rcTarget);
    BOOL bDone;
    if (bStretch) {
        pDC->SetStretchBltMode(COLORONCOLOR);
        bDone = pDC->StretchBlt(target.left, target.top, target.Width(), target.Height(), &memDC, 0, 0, cx, cy,
                                SRCCOPY);
    } else {
        bDone = pDC->BitBlt(target.left, target.top, std::min(cx, static_cast<int>(target.Width())),
                            std::min(cy, static_cast<int>(target.Height())), &memDC, 0, 0, SRCCOPY);
    }
    memDC.SelectObject(pOldBitmap);
    return bDone ? TRUE : FALSE;
}
