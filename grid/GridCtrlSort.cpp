// Sorting rows by the cells of one column.
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include "base/Cp936.h"
#include "base/NumberText.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace {

// Whether a merged block taller than one row has a cell among rows nLow ..
// nHigh: sorting them would leave the block on rows it no longer covers.
// Every cell of a block holds the block's range, so looking at the rows'
// own cells finds also a block that reaches in from outside.
bool RowsCutABlock(CGridCtrl& grid, int nLow, int nHigh)
{
    const int cols = grid.GetColumnCount();
    for (int row = nLow; row <= nHigh; ++row) {
        for (int col = 0; col < cols; ++col) {
            CGridCellBase* pCell = grid.GetCell(row, col);
            if (pCell == nullptr || !pCell->GetMergeRange().IsValid())
                continue;
            const CGridCellRange block = pCell->GetMergeRange();
            if (block.GetMinRow() != row || block.GetMaxRow() != row)
                return true;
        }
    }
    return false;
}

double SortValue(CGridCellBase* pCell)
{
    if (pCell->IsNumber())
        return pCell->GetValue();
    LPCTSTR text = pCell->GetText();
    return AToF(text != nullptr ? text : "");
}

}  // namespace

int CGridCtrl::CompareCellsNumeric(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM)
{
    if (pCell1 == nullptr || pCell2 == nullptr)
        return 0;
    double a = SortValue(pCell1);
    double b = SortValue(pCell2);
    if (a < b)
        return -1;
    if (a > b)
        return 1;
    return 0;
}

int CGridCtrl::CompareCellsText(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM)
{
    if (pCell1 == nullptr || pCell2 == nullptr)
        return 0;
    return cp936::MbsCompare(pCell1->GetText(), pCell2->GetText());
}

BOOL CGridCtrl::SetColumnSortType(int nCol, BOOL bNumeric)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    int index = FindColumnSortType(nCol);
    if (index >= 0)
        m_arColumnSortTypes[static_cast<size_t>(index)].bNumeric = bNumeric;
    else
        m_arColumnSortTypes.push_back(GridColumnSortType{nCol, bNumeric});
    return TRUE;
}

// Like the column widths: the entries of deleted columns go, those of later
// columns move with them.
void CGridCtrl::ShiftColumnSortTypes(int nFirst, int nCount)
{
    if (nCount < 0) {
        const long long last = static_cast<long long>(nFirst) - nCount - 1;
        m_arColumnSortTypes.erase(std::remove_if(m_arColumnSortTypes.begin(), m_arColumnSortTypes.end(),
                                                 [&](const GridColumnSortType& e) {
                                                     return e.col >= nFirst && e.col <= last;
                                                 }),
                                  m_arColumnSortTypes.end());
    }
    for (GridColumnSortType& entry : m_arColumnSortTypes) {
        if (entry.col >= nFirst)
            entry.col += nCount;
    }
}

void CGridCtrl::MoveColumnSortType(int nSource, int nTarget)
{
    const int target = FindColumnSortType(nTarget);
    if (target >= 0)
        m_arColumnSortTypes.erase(m_arColumnSortTypes.begin() + target);
    const int source = FindColumnSortType(nSource);
    if (source >= 0)
        m_arColumnSortTypes[static_cast<size_t>(source)].col = nTarget;
}

int CGridCtrl::FindColumnSortType(int nCol) const
{
    for (size_t i = 0; i < m_arColumnSortTypes.size(); ++i) {
        if (m_arColumnSortTypes[i].col == nCol)
            return static_cast<int>(i);
    }
    return -1;
}

void CGridCtrl::SetSortColumn(int nCol)
{
    // The header cells of the old and the new sort column show the sort
    // arrow; they are repainted with the grid.
    m_nSortColumn = nCol;
    Refresh();
}

BOOL CGridCtrl::SortColumn(int nCol, BOOL bAscending, LPARAM lParamExtra)
{
    if (m_bVirtualMode || nCol < 0 || nCol >= m_nCols)
        return FALSE;
    // A sort that would split a merged block is refused before the sort
    // column, the selection or the focus change.
    const int nLow = m_nFixedRows + m_nFreezeTopRows;
    const int nHigh = m_nRows - m_nFreezeBottomRows - 1;
    if (nLow < nHigh && RowsCutABlock(*this, nLow, nHigh))
        return FALSE;
    BOOL bNumeric = FALSE;
    int index = FindColumnSortType(nCol);
    if (index >= 0) {
        bNumeric = m_arColumnSortTypes[static_cast<size_t>(index)].bNumeric;
    } else {
        CGridCellBase* pFirst = GetCell(m_nFixedRows, nCol);
        bNumeric = pFirst != nullptr && pFirst->IsNumber();
    }
    GridCompareFunc pfnCompare = bNumeric ? CompareCellsNumeric : CompareCellsText;
    // A sort the row trees cannot follow is refused as a block-cutting one.
    if (nLow < nHigh && !TreesFollowSort(nLow, SortOrder(pfnCompare, nCol, bAscending, lParamExtra, nLow, nHigh), FALSE))
        return FALSE;
    EndEditBeforeStructuralChange();
    SetSortColumn(nCol);
    m_bSortAscending = bAscending;
    ClearSelection();

    BOOL bResult = SortRowRange(pfnCompare, nCol, bAscending, lParamExtra, nLow, -1);
    Refresh();
    return bResult;
}

namespace {

// Stable merge sort of the row indices in order[first, last) by lessThan,
// with buf as scratch space of the same size as order. Short runs are sorted
// by insertion; two runs already in order are not merged. Rows that compare
// equal keep their order, and the sort takes O(n log n) comparisons whatever
// the order of the rows (n - 1 for rows already sorted).
template <typename Less>
void MergeSortRows(std::vector<int>& order, std::vector<int>& buf, size_t first, size_t last, Less& lessThan)
{
    const size_t kInsertionRun = 16;
    if (last - first <= kInsertionRun) {
        for (size_t i = first + 1; i < last; ++i) {
            int item = order[i];
            size_t j = i;
            for (; j > first && lessThan(item, order[j - 1]); --j)
                order[j] = order[j - 1];
            order[j] = item;
        }
        return;
    }
    size_t mid = first + (last - first) / 2;
    MergeSortRows(order, buf, first, mid, lessThan);
    MergeSortRows(order, buf, mid, last, lessThan);
    if (!lessThan(order[mid], order[mid - 1]))
        return;
    std::copy(order.begin() + static_cast<std::ptrdiff_t>(first), order.begin() + static_cast<std::ptrdiff_t>(mid),
              buf.begin() + static_cast<std::ptrdiff_t>(first));
    size_t left = first;
    size_t right = mid;
    size_t out = first;
    // An element of the right run goes first only when it is strictly
    // before the left one: equal rows keep their order.
    while (left < mid && right < last) {
        if (lessThan(order[right], buf[left]))
            order[out++] = order[right++];
        else
            order[out++] = buf[left++];
    }
    while (left < mid)
        order[out++] = buf[left++];
}

}  // namespace

BOOL CGridCtrl::SortRowRange(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM lParamSort, int nLow,
                             int nHigh)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (pfnCompare == nullptr || m_bVirtualMode || nCol < 0 || nCol >= m_nCols)
        return FALSE;
    int first = m_nFixedRows + m_nFreezeTopRows;
    int last = m_nRows - m_nFreezeBottomRows - 1;
    if (nHigh == -1)
        nHigh = last;
    if (nLow < first || nHigh > last || nLow >= nHigh)
        return FALSE;
    if (RowsCutABlock(*this, nLow, nHigh))
        return FALSE;
    EndEditBeforeStructuralChange();

    const std::vector<int> newPosOf = SortOrder(pfnCompare, nCol, bAscending, lParamSort, nLow, nHigh);
    if (!TreesFollowSort(nLow, newPosOf, FALSE))
        return FALSE;
    // Whole rows move, by following the cycles of the permutation (order[i]
    // is the position whose row goes to i): cells, heights, and the names of
    // their cells.
    const size_t count = newPosOf.size();
    std::vector<int> order(count);
    for (size_t i = 0; i < count; ++i)
        order[static_cast<size_t>(newPosOf[i])] = static_cast<int>(i);
    // Formula references follow the rows, decided while the cells still
    // stand where the formula index knows them.
    ReorderFormulaRows(nLow, newPosOf);
    bool bMovedBlock = false;
    auto place = [&](size_t to, GridRow&& cells, UINT height) {
        int row = nLow + static_cast<int>(to);
        GridRow& slot = m_RowData[static_cast<size_t>(row)];
        slot = std::move(cells);
        m_arRowHeights.SetAt(row, height);
        for (size_t col = 0; col < slot.size(); ++col) {
            CGridCellBase* pCell = slot[col].get();
            if (pCell == nullptr)
                continue;
            pCell->SetCoords(row, static_cast<int>(col));
            // A block inside the row goes with it.
            CGridCellRange block = pCell->GetMergeRange();
            if (block.IsValid() && block.GetMinRow() != row) {
                block.SetMinRow(row);
                block.SetMaxRow(row);
                pCell->SetMergeRange(block);
                const CGridCellPos owner = pCell->GetMergeOwner();
                if (owner.row >= 0)
                    pCell->SetMergeOwner(row, owner.col);
                bMovedBlock = true;
            }
        }
    };
    for (size_t start = 0; start < count; ++start) {
        if (order[start] == static_cast<int>(start))
            continue;
        GridRow held = std::move(m_RowData[static_cast<size_t>(nLow) + start]);
        UINT heldHeight = m_arRowHeights.GetAt(nLow + static_cast<int>(start));
        size_t to = start;
        for (;;) {
            size_t from = static_cast<size_t>(order[to]);
            order[to] = static_cast<int>(to);           // placed
            if (from == start) {
                place(to, std::move(held), heldHeight);
                break;
            }
            place(to, std::move(m_RowData[static_cast<size_t>(nLow) + from]),
                  m_arRowHeights.GetAt(nLow + static_cast<int>(from)));
            to = from;
        }
    }
    // What names the sorted rows by index follows them: cell ids, hidden
    // rows (with their saved heights) and format rows.
    auto follow = [&](int row) {
        return row >= nLow && row <= nHigh ? nLow + newPosOf[static_cast<size_t>(row - nLow)] : row;
    };
    for (GridCellIdEntry& entry : m_arCellIds)
        entry.row = follow(entry.row);
    for (GridHiddenLine& entry : m_arHiddenRows)
        entry.index = follow(entry.index);
    for (int& row : m_arFormatRows)
        row = follow(row);
    if (bMovedBlock)
        RebuildMergeOwners();
    TreesFollowSort(nLow, newPosOf, TRUE);
    RecalcAfterFormulaShift();
    return TRUE;
}

std::vector<int> CGridCtrl::SortOrder(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM lParamSort,
                                      int nLow, int nHigh)
{
    // The cells compared, by position in the range; the sort orders positions.
    const size_t count = static_cast<size_t>(nHigh - nLow + 1);
    std::vector<CGridCellBase*> keys(count);
    for (size_t i = 0; i < count; ++i)
        keys[i] = GetCell(nLow + static_cast<int>(i), nCol);
    std::vector<int> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = static_cast<int>(i);
    auto lessThan = [&](int a, int b) {
        int r = pfnCompare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)], lParamSort);
        return bAscending ? r < 0 : r > 0;
    };
    std::vector<int> buf(count);
    MergeSortRows(order, buf, 0, count, lessThan);
    // order[i] is the position whose row goes to i; the answer maps old
    // positions to new ones.
    for (size_t i = 0; i < count; ++i)
        buf[static_cast<size_t>(order[i])] = static_cast<int>(i);
    return buf;
}

BOOL CGridCtrl::TreesFollowSort(int nLow, const std::vector<int>& newPosOf, BOOL bApply)
{
    for (const std::unique_ptr<CTreeColumn>& pTree : m_arTrees) {
        if (!pTree->FollowReorder(nLow, newPosOf, bApply))
            return FALSE;
    }
    return TRUE;
}
