// The picture of an empty sheet: header box, row numbers, column letters and
// grid lines. The control draws it in design mode; the stand-in grid window
// paints it too.
#pragma once

#include "base/WinTypes.h"

class CDC;
class CGridPort;

// Cell size of the picture: the text extent of "XXXXXXXXX" in the grid's
// default font plus the default cell margin (height + m, width + 2m).
SIZE SheetPictureCellSize(CDC& dc, const CGridPort& grid);

// Draws the picture into bounds.
void DrawSheetPicture(CDC& dc, const RECT& bounds, const CGridPort& grid);

// The row and column of the picture cell under a point (0-based, header row and
// column included), or (-1, -1) outside the picture's cells.
void SheetPictureCellFromPoint(const SIZE& cell, POINT point, LONG& row, LONG& col);
