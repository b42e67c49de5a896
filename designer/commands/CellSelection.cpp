#include "designer/commands/CellSelection.h"

#include "designer/GridControl.gen.h"

BOOL FirstSelectedCell(IGridControl& grid, LONG& row, LONG& col)
{
    if (grid.GridGetSelectedCount() <= 0)
        return FALSE;
    return grid.GridGetSelectedCell(0, row, col) ? TRUE : FALSE;
}

BOOL EverySelectedCell(IGridControl& grid, const std::function<bool(LONG, LONG)>& test)
{
    const LONG n = grid.GridGetSelectedCount();
    if (n <= 0)
        return FALSE;
    for (LONG i = 0; i < n; ++i) {
        LONG row = 0, col = 0;
        if (grid.GridGetSelectedCell(i, row, col) && !test(row, col))
            return FALSE;
    }
    return TRUE;
}
