// The shared shape of the grid's one-cell setters (internal to grid/*.cpp):
// refuse in virtual mode and without a cell, change the cell, copy a merged
// cell over its block, answer TRUE.
#pragma once

#include "grid/GridCtrl.h"

namespace gridcell {

template <class Change>
BOOL SetOnCell(CGridCtrl& grid, int nRow, int nCol, Change&& change)
{
    if (grid.GetVirtualMode())
        return FALSE;
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    change(pCell);
    if (pCell->IsMerged())
        grid.CopyCellToRange(pCell->GetMergeRange(), pCell);
    return TRUE;
}

// The cell a getter reads: NULL in virtual mode (where the grid holds no
// cells of its own) or without a cell.
inline CGridCellBase* StoredCell(CGridCtrl& grid, int nRow, int nCol)
{
    return grid.GetVirtualMode() ? nullptr : grid.GetCell(nRow, nCol);
}

}  // namespace gridcell
