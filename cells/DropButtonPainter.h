// The drop button of the combo, multi-check combo and date/time cells and of
// their editors: one frame of a skin bitmap that holds four frames side by
// side (normal, hot, pressed, disabled), 17 rows high, stretched to any height
// row by row: the first row from source row 0, the last from row 16, the
// arrow (source rows 6-11) in the middle, the rows above it repeating source
// row 3 and those below it source row 13.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"

class CBitmap;
class CDC;

enum DropButtonState {
    DBS_NORMAL = 0,
    DBS_HOT = 1,
    DBS_PRESSED = 2,
    DBS_DISABLED = 3,
};

// The frame width of the skin (bitmap width / 4); 17 without a bitmap.
int DropButtonFrameWidth(CBitmap* pSkin);

// The first row of the arrow block in a button h rows high at zoom zy.
int DropButtonArrowTop(int nHeight, double zy);

// Draws the button of that state into the rightmost frame width (zoomed by
// zx) of rect, its rows zy times higher. Nothing without a bitmap.
void DrawDropButton(CDC* pDC, CBitmap* pSkin, const CRect& rect, int nState, double zx, double zy);
