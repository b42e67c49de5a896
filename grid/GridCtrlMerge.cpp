// Merged blocks: making and dissolving them, the queries on them, and blocks
// following inserted and deleted rows and columns.
//
// The grid keeps no table of blocks: every cell of a block stores the block's
// range and its owner (the top-left cell). Only the list of owner positions is
// kept beside the cells; merging and dissolving keep it in step entry by
// entry, and it is rebuilt from the cells whenever blocks move.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

// New first and last line of a block after n lines from a were deleted;
// false when the block goes with them.
bool ShrinkSpan(int minLine, int maxLine, int a, int n, int& newMin, int& newMax)
{
    int g = a + n - 1;
    newMin = minLine;
    newMax = maxLine;
    if (maxLine < a)
        return true;                         // ends above the deleted lines
    if (minLine > g) {                       // starts below them
        newMin -= n;
        newMax -= n;
        return true;
    }
    if (minLine >= a && maxLine <= g)
        return false;                        // wholly inside
    if (minLine < a && maxLine <= g) {       // ends inside
        newMax = a - 1;
        return true;
    }
    if (minLine > a && maxLine > g) {        // starts inside, ends below
        newMin = a;
        newMax -= n;
        return true;
    }
    newMax -= n;                             // covers all of them and more
    return true;
}

// The line a surviving line moves to; -1 for a deleted one.
int LineAfterDelete(int line, int a, int n)
{
    if (line < a)
        return line;
    if (line >= a + n)
        return line - n;
    return -1;
}

}  // namespace

void CGridCtrl::AddMergeOwner(const CGridCellPos& pos)
{
    m_arMergeOwners.Add(pos);
}

int CGridCtrl::RemoveMergeOwner(const CGridCellPos& pos)
{
    return m_arMergeOwners.Remove(pos);
}

void CGridCtrl::RebuildMergeOwners()
{
    m_arMergeOwners.clear();
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row) {
        const GridRow& cells = m_RowData[static_cast<size_t>(row)];
        for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
            CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
            if (pCell != nullptr && pCell->IsMergeOwnerCell() && pCell->IsMerged())
                AddMergeOwner(pCell->GetMergeOwner());
        }
    }
}

void CGridCtrl::ShrinkMerges(BOOL bRows, int nFirst, int nCount)
{
    if (m_bVirtualMode || nCount <= 0)
        return;
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row) {
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
            CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
            if (pCell == nullptr)
                continue;
            CGridCellRange range = pCell->GetMergeRange();
            if (!range.IsValid())
                continue;
            int minLine = bRows ? range.GetMinRow() : range.GetMinCol();
            int maxLine = bRows ? range.GetMaxRow() : range.GetMaxCol();
            int newMin = 0;
            int newMax = 0;
            if (!ShrinkSpan(minLine, maxLine, nFirst, nCount, newMin, newMax))
                continue;                        // its rows go with the block
            if (newMin == minLine && newMax == maxLine)
                continue;
            int newLine = LineAfterDelete(bRows ? row : col, nFirst, nCount);
            if (newLine < 0)
                continue;                        // this cell is deleted
            if (bRows) {
                range.SetMinRow(newMin);
                range.SetMaxRow(newMax);
            } else {
                range.SetMinCol(newMin);
                range.SetMaxCol(newMax);
            }
            if (range.GetCellCount() <= 1) {
                pCell->ClearMerge();             // one cell is no block
                continue;
            }
            pCell->SetMergeRange(range);
            CGridCellPos owner = range.GetTopLeft();
            pCell->SetMergeOwner(owner.row, owner.col);
            CGridCellPos here = bRows ? CGridCellPos(newLine, col) : CGridCellPos(row, newLine);
            if (here == owner) {
                pCell->SetMergeOwnerCell(TRUE);
                pCell->SetVisible(TRUE);
            } else {
                pCell->SetMergeOwnerCell(FALSE);
            }
        }
    }
}

void CGridCtrl::ShrinkMergesForRows(int nFirst, int nCount)
{
    ShrinkMerges(TRUE, nFirst, nCount);
}

void CGridCtrl::ShrinkMergesForColumns(int nFirst, int nCount)
{
    ShrinkMerges(FALSE, nFirst, nCount);
}

void CGridCtrl::ShiftMerges(BOOL bRows, int nPos, int nCount)
{
    if (m_bVirtualMode || nCount <= 0)
        return;
    // The owners as the layout stands after the insertion.
    std::vector<CGridCellPos> owners;
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row) {
        const GridRow& cells = m_RowData[static_cast<size_t>(row)];
        for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
            CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
            if (pCell != nullptr && pCell->IsMergeOwnerCell() && pCell->GetMergeRange().IsValid())
                owners.emplace_back(row, col);
        }
    }
    for (const CGridCellPos& pos : owners) {
        CGridCellBase* pOwner = GetCell(pos.row, pos.col);
        CGridCellRange range = pOwner->GetMergeRange();
        int minLine = bRows ? range.GetMinRow() : range.GetMinCol();
        int maxLine = bRows ? range.GetMaxRow() : range.GetMaxCol();
        if (maxLine <= nPos)
            continue;
        if (minLine > nPos)
            minLine += nCount;
        maxLine += nCount;
        if (bRows) {
            range.SetMinRow(minLine);
            range.SetMaxRow(maxLine);
        } else {
            range.SetMinCol(minLine);
            range.SetMaxCol(maxLine);
        }
        CGridCellPos owner = range.GetTopLeft();
        for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
            for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
                CGridCellBase* pCell = GetCell(row, col);
                if (pCell == nullptr)
                    continue;
                pCell->SetMergeRange(range);
                pCell->SetMergeOwner(owner.row, owner.col);
                pCell->SetMergeOwnerCell(CGridCellPos(row, col) == owner);
            }
        }
    }
    RebuildMergeOwners();
}

void CGridCtrl::ShiftMergesForRows(int nPos, int nCount)
{
    ShiftMerges(TRUE, nPos, nCount);
}

void CGridCtrl::ShiftMergesForColumns(int nPos, int nCount)
{
    ShiftMerges(FALSE, nPos, nCount);
}

// --- making and dissolving blocks ------------------------------------------------------

namespace {

// The rectangle clipped to the grid's rows [0, nRows) and columns [0, nCols).
CGridCellRange ClipToGrid(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, int nRows, int nCols)
{
    return CGridCellRange(std::max(nMinRow, 0), std::max(nMinCol, 0), std::min(nMaxRow, nRows - 1),
                          std::min(nMaxCol, nCols - 1));
}

}  // namespace

void CGridCtrl::MergeCells(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    CGridCellRange result(nMinRow, nMinCol, nMaxRow, nMaxCol);
    if (m_bVirtualMode || !IsRangeValid(result))
        return;

    // Widen over every block that has a cell inside, until none lies partly
    // inside: a block that only the widened part reaches is taken in too, so
    // blocks never overlap.
    for (;;) {
        CGridCellRange grown = result;
        for (int row = result.GetMinRow(); row <= result.GetMaxRow(); ++row) {
            for (int col = result.GetMinCol(); col <= result.GetMaxCol(); ++col) {
                CGridCellBase* pCell = GetCell(row, col);
                if (pCell == nullptr || !pCell->IsMerged())
                    continue;
                CGridCellRange block = pCell->GetMergeRange();
                if (!IsRangeValid(block))
                    continue;
                grown.SetMinRow(std::min(grown.GetMinRow(), block.GetMinRow()));
                grown.SetMinCol(std::min(grown.GetMinCol(), block.GetMinCol()));
                grown.SetMaxRow(std::max(grown.GetMaxRow(), block.GetMaxRow()));
                grown.SetMaxCol(std::max(grown.GetMaxCol(), block.GetMaxCol()));
            }
        }
        if (grown == result)
            break;
        result = grown;
    }

    const CGridCellPos owner = result.GetTopLeft();
    const bool merged = result.GetCellCount() > 1;
    for (int row = result.GetMinRow(); row <= result.GetMaxRow(); ++row) {
        for (int col = result.GetMinCol(); col <= result.GetMaxCol(); ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            if (pCell->IsMerged())
                RemoveMergeOwner(pCell->GetMergeRange().GetTopLeft());   // a block taken in
            pCell->SetVisible(TRUE);
            SelectCell(row, col, TRUE);
            if (merged) {
                pCell->SetMergeRange(result);
                pCell->SetMergeOwner(owner.row, owner.col);
                pCell->SetMergeOwnerCell(CGridCellPos(row, col) == owner);
            } else {
                pCell->ClearMerge();          // a single cell is no block
            }
        }
    }
    if (!merged)
        return;
    AddMergeOwner(owner);
    if (GetSafeHwnd() != nullptr) {
        CGridCellBase* pOwner = GetCell(owner.row, owner.col);
        if (pOwner != nullptr)
            CopyCellToRange(result, pOwner);
        Invalidate(TRUE);
    }
}

void CGridCtrl::UnMergeCells(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    if (m_bVirtualMode)
        return;
    const CGridCellRange rect = ClipToGrid(nMinRow, nMinCol, nMaxRow, nMaxCol, m_nRows, m_nCols);
    if (!IsRangeValid(rect))
        return;
    for (int row = rect.GetMinRow(); row <= rect.GetMaxRow(); ++row) {
        for (int col = rect.GetMinCol(); col <= rect.GetMaxCol(); ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            const CGridCellRange block = pCell->GetMergeRange();
            if (!pCell->IsMerged() || !IsRangeValid(block)) {
                pCell->ClearMerge();
                continue;
            }
            const CGridCellPos owner = pCell->GetMergeOwner();
            const CGridCellPos topLeft = block.GetTopLeft();
            for (int r = block.GetMaxRow(); r >= block.GetMinRow(); --r) {
                for (int c = block.GetMaxCol(); c >= block.GetMinCol(); --c) {
                    const CGridCellPos here(r, c);
                    CGridCellBase* pMember = GetCell(r, c);
                    if (pMember == nullptr || here == owner || here == topLeft)
                        continue;
                    if (pMember->GetDataType() != 0)
                        pMember->SetValue(0.0);
                    else
                        pMember->SetText("");
                    pMember->ClearMerge();
                    if (pMember->GetRuntimeClass() != RUNTIME_CLASS(CGridCell) &&
                        SetCellType(r, c, RUNTIME_CLASS(CGridCell)))
                        pMember = GetCell(r, c);
                    if (pMember == nullptr)
                        continue;
                    // The selection map follows the selected bit; the focus
                    // bit stays on the grid's focus cell.
                    SelectCell(r, c, FALSE);
                    if (here != m_idCurrentCell)
                        pMember->SetState(pMember->GetState() & ~static_cast<UINT>(GCS_FOCUSED));
                }
            }
            for (int r = block.GetMinRow(); r <= block.GetMaxRow(); ++r) {
                for (int c = block.GetMinCol(); c <= block.GetMaxCol(); ++c) {
                    if (CGridCellBase* pMember = GetCell(r, c))
                        pMember->ClearMerge();
                }
            }
            RemoveMergeOwner(owner);
            RemoveMergeOwner(topLeft);
            if (GetSafeHwnd() != nullptr) {
                CRect area;
                if (GetRangeRect(block, &area)) {
                    area.left -= 2;
                    area.top -= 2;
                    area.right += 3;
                    area.bottom += 3;
                    InvalidateRect(&area, TRUE);
                }
            }
        }
    }
}

BOOL CGridCtrl::UnMergeCellAt(int nRow, int nCol)
{
    BOOL bResult = FALSE;
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (pCell != nullptr && pCell->IsMerged()) {
        const CGridCellRange block = pCell->GetMergeRange();
        UnMergeCells(block.GetMinRow(), block.GetMinCol(), block.GetMaxRow(), block.GetMaxCol());
        bResult = TRUE;
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    return bResult;
}

// --- queries ------------------------------------------------------------------------------

BOOL CGridCtrl::IsCellMerged(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->IsMerged();
}

BOOL CGridCtrl::GetMergeRange(int nRow, int nCol, int& nMinRow, int& nMinCol, int& nMaxRow, int& nMaxCol)
{
    nMinRow = nMinCol = nMaxRow = nMaxCol = -1;
    if (!IsValid(nRow, nCol))
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || !pCell->IsMerged())
        return FALSE;
    const CGridCellRange block = pCell->GetMergeRange();
    nMinRow = block.GetMinRow();
    nMinCol = block.GetMinCol();
    nMaxRow = block.GetMaxRow();
    nMaxCol = block.GetMaxCol();
    return TRUE;
}

void CGridCtrl::GetMergeOwnerCell(CGridCellPos& owner, int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr && pCell->HasMergeOwner())
        owner = pCell->GetMergeOwner();
    else
        owner.Set(nRow, nCol);
}

int CGridCtrl::GetMergeWidth(int nRow, int nCol)
{
    CGridCellPos owner;
    GetMergeOwnerCell(owner, nRow, nCol);
    CGridCellBase* pOwner = GetCell(owner.row, owner.col);
    if (pOwner == nullptr || !pOwner->IsMerged())
        return GetColumnWidth(nCol);
    const CGridCellRange block = pOwner->GetMergeRange();
    int width = 0;
    for (int col = block.GetMinCol(); col <= block.GetMaxCol(); ++col)
        width += std::max(0, GetColumnWidth(col));
    return width;
}

int CGridCtrl::GetMergeHeight(int nRow, int nCol)
{
    CGridCellPos owner;
    GetMergeOwnerCell(owner, nRow, nCol);
    CGridCellBase* pOwner = GetCell(owner.row, owner.col);
    if (pOwner == nullptr || !pOwner->IsMerged())
        return GetRowHeight(nRow);
    const CGridCellRange block = pOwner->GetMergeRange();
    int height = 0;
    for (int row = block.GetMinRow(); row <= block.GetMaxRow(); ++row)
        height += std::max(0, GetRowHeight(row));
    return height;
}
