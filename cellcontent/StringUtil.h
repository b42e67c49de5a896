// Small string routines shared by the attribute texts, the value formats, the
// formula engine, the cells and the path helpers.
#pragma once

#include "base/CString.h"
#include "base/CStringArray.h"
#include "base/WinTypes.h"

// Cuts `text` at every occurrence of `delimiter` and at its end, appends the
// non-empty pieces to `pieces` in order and returns how many were appended
// (0 for an empty or NULL text). Empty pieces between two delimiters or at
// either end are dropped. The text is walked character by character in the
// code page: a delimiter byte that is the trail byte of a two-byte character
// (a "\" inside a Chinese file name) does not cut. An empty or NULL delimiter
// never matches, so a non-empty text gives one piece.
int SplitString(LPCTSTR text, LPCTSTR delimiter, CStringArray& pieces);

// Trims the fixed-point text of a number ("%f" output): removes trailing bytes
// other than the digits 1-9, never going left of the decimal point, and
// removes the point too when nothing but zeros followed it.
// "12.500000" becomes "12.5", "12.000000" becomes "12", "-0.000000" becomes
// "-0". A text without a decimal point is left as it is ("100" stays "100").
void TrimTrailingZeros(CString& text);
