// The picture of an empty sheet: header box, row numbers, column letters and
// grid lines, which the control shows in design mode; and the one square the
// control paints itself in user mode.
#pragma once

#include "base/WinTypes.h"

class CDC;
class CGridPort;

// Cell size of the picture, which is also a new sheet's default cell size:
// the text extent of "XXXXXXXXX" in the grid's default font plus the default
// cell margin m (height + m, width + 2m).
SIZE SheetPictureCellSize(CDC& dc, const CGridPort& grid);

// Draws the picture into bounds (off screen, then copied).
void DrawSheetPicture(CDC& dc, const RECT& bounds, const CGridPort& grid);

// The square between the two scroll bars at the bottom-right corner of
// bounds, from the grid's scroll-bar skin; nothing unless both bars show.
void DrawScrollBarCorner(CDC& dc, const RECT& bounds, const CGridPort& grid);

