#include "designer/commands/TreeMembership.h"

#include "designer/dialogs/TreeValueReaders.h"

long TreePropertyNumber(IGridControl& grid, LONG row, LONG col, const CString& name)
{
    return ReadTreeNumber(grid.ColumnGetControlTreeProperty(row, col, name));
}

bool IsInRowTree(IGridControl& grid, LONG row, LONG col)
{
    const LONG n = grid.GridGetColumnTreeCount();
    for (LONG i = 0; i < n; ++i) {
        LONG treeRow = -1, treeCol = -1;
        if (!grid.GridGetColumnTreeStart(i, treeRow, treeCol) || treeCol != col)
            continue;
        const long endRow = TreePropertyNumber(grid, treeRow, treeCol, CString("getrowcount"));
        if (row >= treeRow && row < endRow)
            return true;
    }
    return false;
}

CString SiblingInsertValue(long level, LONG row)
{
    CString value;
    value.Format("\"%ld\" , %d", level, static_cast<int>(row));
    return value;
}
