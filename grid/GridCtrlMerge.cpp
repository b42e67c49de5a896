// Merged blocks following inserted and deleted rows and columns.
//
// The grid keeps no table of blocks: every cell of a block stores the block's
// range and its owner (the top-left cell). Only the list of owner positions is
// kept beside the cells; it is rebuilt from the cells whenever blocks move.
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
    if (std::find(m_arMergeOwners.begin(), m_arMergeOwners.end(), pos) == m_arMergeOwners.end())
        m_arMergeOwners.push_back(pos);
}

void CGridCtrl::RemoveMergeOwner(const CGridCellPos& pos)
{
    m_arMergeOwners.erase(std::remove(m_arMergeOwners.begin(), m_arMergeOwners.end(), pos),
                          m_arMergeOwners.end());
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
