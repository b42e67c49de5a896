// Operations on a range of cells at once: clearing it and measuring it.
#include "grid/GridCtrl.h"

#include <algorithm>

int CGridCtrl::ClearRange(const CGridCellRange& range)
{
    if (!IsRangeValid(range))
        return 0;
    int cleared = 0;
    if (!m_bVirtualMode) {
        // A block with a cell in the range is dissolved first, so that no
        // cell is left naming a block whose cells are gone.
        UnMergeCells(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol());
        for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
            for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
                CGridCellBase* pOld = GetCell(row, col);
                if (pOld == nullptr)
                    continue;
                const UINT state = pOld->GetState() & ~static_cast<UINT>(GCS_READONLY);
                // The id names the position, not the content: the id table
                // keeps naming this cell.
                const CString id(pOld->GetId());
                DestroyCell(row, col);
                CGridCellBase* pCell = CreateCell(row, col);
                if (pCell == nullptr || !PutCell(row, col, pCell)) {
                    delete pCell;
                    continue;
                }
                pCell->SetState(state);
                if (!id.IsEmpty())
                    pCell->SetId(id);
                DeleteCellBorder(row, col, CBF_EDGES);
                if (col == 0 && m_nFixedCols > 0 && row >= m_nFixedRows) {
                    CString number;
                    number.Format("%ld", static_cast<LONG>(row - m_nFixedRows + 1));
                    pCell->SetText(number);
                    pCell->SetAlign(GRID_HEADER_ALIGN);
                } else if (row == 0 && m_nFixedRows > 0 && col >= m_nFixedCols) {
                    pCell->SetText(ColumnToLetters(col - m_nFixedCols + 1));
                    pCell->SetAlign(GRID_HEADER_ALIGN);
                }
                RecalcDependents(CGridCellPos(row, col));
                ++cleared;
            }
        }
    }
    m_idTopLeftCell = CGridCellPos();
    UpdateScrollBars();
    Refresh();
    return cleared;
}

int CGridCtrl::ClearAllData()
{
    return ClearRange(CGridCellRange(0, 0, m_nRows - 1, m_nCols - 1));
}

void CGridCtrl::GetRangeSize(CSize& size, const CGridCellRange& range)
{
    size = CSize(0, 0);
    if (!IsRangeValid(range))
        return;
    // A hidden line has size 0 and adds nothing (it would take one pixel
    // off otherwise).
    long long width = 0;
    for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col)
        width += std::max(0, GetColumnWidth(col) - 1);
    long long height = 0;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row)
        height += std::max(0, GetRowHeight(row) - 1);
    size.cx = static_cast<LONG>(std::min<long long>(width, 0x7FFFFFFF));
    size.cy = static_cast<LONG>(std::min<long long>(height, 0x7FFFFFFF));
}
