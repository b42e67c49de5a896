// The character filter of numeric input in the in-place editors.
//
// Input type 0 is free text, 1 a whole number, 2 a decimal number. For types 1
// and 2 a typed character passes only when it is '-', '.' or a digit and the
// text it would make still reads as a number of that type (the parse must use
// the whole text); a text that is only "-" is the start of a negative number
// and passes (it reads as 0). With the limit on, a text is refused when no
// further typing can bring it into the range: a number that is not negative
// only grows as digits follow, so it is refused above the maximum; a negative
// one only falls, so it is refused below the minimum. A range of 10 to 100
// thus takes "1" on the way to "15", but never "101" or "-".
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

enum CellInputType {
    kInputFreeText = 0,
    kInputWholeNumber = 1,
    kInputDecimal = 2,
};

struct NumericInputRule {
    int nInputType = kInputFreeText;
    BOOL bLimit = FALSE;
    double dMin = 0.0;
    double dMax = 0.0;
};

// Whether the text (the editor's text with the typed character already in
// place) is acceptable under the rule. Free text always is.
bool NumericTextAcceptable(const CString& text, const NumericInputRule& rule);

// Whether typing nChar over the selection [nSelStart, nSelEnd) of the current
// text is acceptable. Backspace (8) always is.
bool NumericCharAcceptable(const CString& current, int nSelStart, int nSelEnd, UINT nChar,
                           const NumericInputRule& rule);
