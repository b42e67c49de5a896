// Sorting rows by the cells of one column.
#include "grid/GridCtrl.h"

#include "base/Cp936.h"
#include "base/NumberText.h"

#include <unordered_map>
#include <utility>

namespace {

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
    EndEditBeforeStructuralChange();
    SetSortColumn(nCol);
    m_bSortAscending = bAscending;
    ClearSelection();

    BOOL bNumeric = FALSE;
    int index = FindColumnSortType(nCol);
    if (index >= 0) {
        bNumeric = m_arColumnSortTypes[static_cast<size_t>(index)].bNumeric;
    } else {
        CGridCellBase* pFirst = GetCell(m_nFixedRows, nCol);
        bNumeric = pFirst != nullptr && pFirst->IsNumber();
    }

    int low = m_nFixedRows + m_nFreezeTopRows;
    int high = m_nRows - m_nFreezeBottomRows - 1;
    // Cells carry their ids with them: remember which cell each named
    // position holds, so the id table follows the rows.
    std::vector<std::pair<size_t, CGridCellBase*>> named;
    for (size_t i = 0; i < m_arCellIds.size(); ++i) {
        const GridCellIdEntry& entry = m_arCellIds[i];
        if (entry.row >= low && entry.row <= high) {
            CGridCellBase* pCell = GetCell(entry.row, entry.col);
            if (pCell != nullptr)
                named.emplace_back(i, pCell);
        }
    }

    BOOL bResult = SortRowRange(bNumeric ? CompareCellsNumeric : CompareCellsText, nCol, bAscending,
                                lParamExtra, low, -1);

    if (bResult && !named.empty()) {
        std::unordered_map<CGridCellBase*, int> rowOf;
        for (int row = low; row <= high; ++row) {
            for (const auto& item : named) {
                int col = m_arCellIds[item.first].col;
                CGridCellBase* pCell = GetCell(row, col);
                if (pCell != nullptr)
                    rowOf[pCell] = row;
            }
        }
        for (const auto& item : named) {
            auto found = rowOf.find(item.second);
            if (found != rowOf.end())
                m_arCellIds[item.first].row = found->second;
        }
    }
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SortRowRange(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM lParamSort, int nLow,
                             int nHigh)
{
    if (pfnCompare == nullptr || m_bVirtualMode || nCol < 0 || nCol >= m_nCols)
        return FALSE;
    int first = m_nFixedRows + m_nFreezeTopRows;
    int last = m_nRows - m_nFreezeBottomRows - 1;
    if (nHigh == -1)
        nHigh = last;
    if (nLow < first || nHigh > last || nLow >= nHigh)
        return FALSE;
    EndEditBeforeStructuralChange();

    auto cell = [&](int row) { return GetCell(row, nCol); };
    // Below the pivot in the sort order (above it when descending).
    auto before = [&](CGridCellBase* a, CGridCellBase* b) {
        int r = pfnCompare(a, b, lParamSort);
        return bAscending ? r < 0 : r > 0;
    };
    auto swapRows = [&](int a, int b) {
        std::swap(m_RowData[static_cast<size_t>(a)], m_RowData[static_cast<size_t>(b)]);
        UINT height = m_arRowHeights.GetAt(a);
        m_arRowHeights.SetAt(a, m_arRowHeights.GetAt(b));
        m_arRowHeights.SetAt(b, height);
    };

    // Quicksort with a middle pivot. The smaller part is sorted first by
    // recursion and the larger one by the loop, so the stack stays shallow
    // however the rows are ordered.
    struct Sorter {
        static void Sort(int lo, int hi, decltype(cell)& cellAt, decltype(before)& less, decltype(swapRows)& swapAt,
                         CGridCtrl::GridCompareFunc compare, LPARAM lParam)
        {
            while (lo < hi) {
                CGridCellBase* pivot = cellAt((lo + hi) / 2);
                int i = hi;
                int j = lo;
                while (i >= j) {
                    while (j < hi && less(cellAt(j), pivot))
                        ++j;
                    while (i > lo && less(pivot, cellAt(i)))
                        --i;
                    if (i < j)
                        break;
                    if (compare(cellAt(j), cellAt(i), lParam) != 0)
                        swapAt(j, i);
                    --i;
                    ++j;
                }
                if (i - lo < hi - j) {
                    if (lo < i)
                        Sort(lo, i, cellAt, less, swapAt, compare, lParam);
                    lo = j;
                } else {
                    if (j < hi)
                        Sort(j, hi, cellAt, less, swapAt, compare, lParam);
                    hi = i;
                }
            }
        }
    };
    Sorter::Sort(nLow, nHigh, cell, before, swapRows, pfnCompare, lParamSort);

    for (int row = nLow; row <= nHigh; ++row) {
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
            if (cells[static_cast<size_t>(col)])
                cells[static_cast<size_t>(col)]->SetCoords(row, col);
        }
    }
    return TRUE;
}
