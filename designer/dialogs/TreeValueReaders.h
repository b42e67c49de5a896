// Readers of the texts a row tree answers for its properties: numbers
// ("13", "-1") and colours ("rgb(132,130,132)" in any case, or a decimal
// colour value). Any text is accepted: what is not a number reads as 0, and
// values outside the 32-bit range are clamped.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// The leading decimal integer of the text (blanks and a sign allowed), 0
// when there is none.
long ReadTreeNumber(const CString& text);
// "rgb(" red, green, blue ")" (the parts after the fourth character split at
// commas, each read as a number and held to 0..255; missing parts are 0), or
// the text as a decimal colour value.
COLORREF ReadTreeColour(const CString& text);
