// Column numbers to column letters and back, and cell names such as "B12".
// Shared by the formula engine, the grid and the workbook export.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class CCellNameConverter {
public:
    CCellNameConverter() = default;
    virtual ~CCellNameConverter() = default;

    // Letters of a 1-based column number in bijective base 26: 1 "A", 26 "Z",
    // 27 "AA", 702 "ZZ", 703 "AAA". The empty text for a column below 1.
    CString ColumnToLetters(int nColumn) const;
    // Number of letters ColumnToLetters gives (0 for a column below 1).
    int GetLetterCount(int nColumn) const;
    // The text upper-cased, then the sum over its bytes of (byte - 64) times 26
    // to the power of the byte's distance from the last one; bytes of 64 or
    // less add nothing. A value beyond the 32-bit range answers INT_MAX.
    int LettersToColumn(LPCTSTR pszLetters) const;
    // Reads letters "A"-"Z" (either case) followed by digits "0"-"9". Both
    // outputs are set to -1 first; answers 0 for any other byte, a letter after
    // a digit, a missing letter or digit part, or a row or column beyond the
    // 32-bit range; otherwise sets the column (as LettersToColumn) and the row
    // (the digits' value) and answers 1.
    BOOL ParseCellName(LPCTSTR pszName, int& nRow, int& nColumn) const;
};
