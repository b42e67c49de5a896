// The designer's seven border line styles (index 0 to 6: solid of width 1, 2
// and 3, dash, dot, dash-dot, dash-dot-dot) and the names of the four-bit
// border masks.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

const int kLineStyleCount = 7;

class CComboBoxLine {
public:
    // The pen style and width of a line style; FALSE, leaving the outputs
    // unchanged, for an index outside 0 to 6 (or a null output).
    static BOOL StyleToPen(int index, int* penStyle, int* width);
};

// The name of a mask of left 1, top 2, right 4 and bottom 8; "" for any
// other value.
CString GetBorderFlagName(int mask);
