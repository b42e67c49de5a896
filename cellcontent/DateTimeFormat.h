// CDateTimeFormat: the value format of "datatype" "datetime". The value text
// is read as a date and time and rebuilt from its six parts (year, month, day,
// hour, minute, second). Each part has four attributes, named after the part:
// "<part>display" (not 0: shown), "<part>seq" (its place in the output; 0 keeps
// the natural place), "<part>decimal" (the width of the number) and
// "<part>symbol" (written after it). "dayhoursymbol" is written before the part
// at the fourth place when that part is shown, and "chinesecaption" chooses
// how numbers are written:
//   0  digits, zero-padded to the width ("%.<width>d": width 0 shows 0 as nothing)
//   1  capital numerals, one per digit (2024 -> 贰零贰肆)
//   2  ordinary numerals, one per digit (2024 -> 二○二四)
//   4  the month as its English name ("December"), other parts as 0
//   8  the month as its short English name ("Dec"), other parts as 0
//   other values: no number, the symbol alone.
// A value text that is not a date and time is given back unchanged.
#pragma once

#include "cellcontent/ValueFormat.h"

// One part of the date and time being written.
struct CDateTimePart {
    int kind = 0;        // 0 year, 1 month, 2 day, 3 hour, 4 minute, 5 second
    int seq = 0;         // place in the output; 0 = natural place
    int value = 0;       // the part of the parsed date and time
    CString symbol;      // written after the part
    int display = 0;     // 0 hides the part
    short decimal = 0;   // width of the number, 0..20
};

class CDateTimeFormat : public CValueFormat {
public:
    explicit CDateTimeFormat(const CXmlElement& source) : CValueFormat(source, "datetime") {}

    // A part's number written in a numeral style (see above).
    static CString FormatPartNumber(const CDateTimePart& part, int style);

protected:
    CString Format() override;
};
