// What the aggregate functions need of a range, read on numbers: the sum, the
// sum of squares, the extremes and the counts of the range's values, each
// value read exactly as the text it would travel as (a number as its "%f"
// text read back with atof, so at most six decimals), and added in the order
// the joined range value lists them (row by row, column by column). A
// function over one range alone gives from it the same value, and the same
// messages, as from the joined text.
//
// A summary can be kept and brought up to date when one cell changes: a value
// after the last one read is added at the end, as a new reading would; a
// change elsewhere is applied by its difference only while every value is a
// whole number small enough that every sum is exact; anything else asks for a
// new reading.
#pragma once

#include <cfloat>

// One value of a range as the functions see it.
struct FormulaRangePiece {
    bool bEmpty = true;      // no value: no cell, covered, or empty text
    bool bUsable = true;     // false: only the joined text gives the right answer
    double dValue = 0.0;     // atof of the value's text
    bool bWhole = false;     // strtod reads the whole text (COUNT)
    bool bZero = false;      // the text is exactly "0" (AND, OR)
    bool bInteger = false;   // dValue is a whole number below 2^53 in size
};

struct FormulaRangeSummary {
    long long nValues = 0;   // non-empty values
    long long nWhole = 0;
    long long nZero = 0;
    double dSum = 0.0;
    double dSumSquares = 0.0;
    double dMax = -DBL_MAX;  // as MAX and MIN start
    double dMin = DBL_MAX;
    bool bExtremesKnown = true;
    // Every value whole, and bounds on the sums of their sizes and squares:
    // while these stay below 2^53 every sum in any order is exact.
    bool bIntegers = true;
    double dSizeBound = 0.0;
    double dSquareBound = 0.0;
    // Index (row-major within the range) of the last value; -1: none.
    long long nLast = -1;
    bool bLastKnown = true;

    // Adds a value read at index nAt, after every value read so far.
    void Append(const FormulaRangePiece& piece, long long nAt);
    // The value at nAt changed from before to after; false when the summary
    // can no longer give the result a new reading would.
    bool Update(const FormulaRangePiece& before, const FormulaRangePiece& after, long long nAt);
};
