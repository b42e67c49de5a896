// Which cells belong to a row tree. A tree column starts at (startRow,
// startCol) and its "getrowcount" property answers the tree's end row: a
// cell belongs to the tree when it lies in that column from the start row up
// to, not including, that end row.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "designer/GridControl.gen.h"

bool IsInRowTree(IGridControl& grid, LONG row, LONG col);

// A tree property of (row, col) read as an integer (0 when it is not a
// number; values beyond the integer range are clamped).
long TreePropertyNumber(IGridControl& grid, LONG row, LONG col, const CString& name);

// The value of the "inserttree" property that adds a sibling after a node:
// the level in decimal in double quotes, a blank, a comma, a blank and the
// row ("\"2\" , 7" for level 2 and row 7).
CString SiblingInsertValue(long level, LONG row);
