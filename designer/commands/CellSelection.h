// Small questions about the selection that the cell-control commands share.
#pragma once

#include "base/WinTypes.h"

#include <functional>

class IGridControl;

// The first selected cell (index 0); FALSE when there is none.
BOOL FirstSelectedCell(IGridControl& grid, LONG& row, LONG& col);
// TRUE when at least one cell is selected and every selected cell
// (by GridGetSelectedCell) that can be read passes the test.
BOOL EverySelectedCell(IGridControl& grid, const std::function<bool(LONG, LONG)>& test);
