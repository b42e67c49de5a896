// Colour routines shared by cell painting, borders and drag images.
#pragma once

#include "base/WinTypes.h"

// The colour half way between a and b: each of red, green and blue is the
// average of the two channels with the fraction dropped; the top byte is 0.
// White and black give 0x7F7F7F.
COLORREF MixColours(COLORREF a, COLORREF b);
