// Number text that is the same on every build: printing doubles the way the
// classic Windows C runtime does, parsing number texts in the C locale, the
// platform's MulDiv rounding and the classic C-runtime random generator.
//
// Printing (%f, %e, %E, %g, %G):
//  - The result is the exact decimal value of the double rounded to the asked
//    precision, ties (exactly half way) rounded away from zero: 2.5 at "%.0f"
//    gives "3", 0.125 at "%.2f" gives "0.13", while 1.005 at "%.2f" gives "1.00"
//    because its exact value lies below the tie.
//  - Exponents have at least three digits: 1000.0 at "%e" is "1.000000e+003".
//  - Negative zero keeps its sign: "-0.000000".
//  - Huge values print every digit of their exact value (1e300 at "%f" gives
//    301 integer digits).
//  - Infinity prints as "1.#INF", a NaN with the sign bit as "-1.#IND" and any
//    other NaN as "1.#QNAN", with the sign when negative; for %f/%e the part after
//    the point is padded with zeros to the precision or cut to it ("1.#INF00" at
//    the default precision, "1" at precision 0), %e appends "e+000"; %g prints the
//    bare form.
//  - The precision is clamped to 0..kNumberTextMaxPrecision and the width to
//    0..kNumberTextMaxWidth, so no format can demand unbounded memory.
//
// Parsing (StrToD, AToF): leading white space, an optional sign, digits with an
// optional '.', an optional exponent introduced by 'e', 'E', 'd' or 'D' (the
// classic runtime accepts the last two as well). "inf", "nan" and hexadecimal
// forms are not numbers: "0x1A" reads as 0 and stops at the 'x'. The result is
// correctly rounded; a value too large for a double gives +/-HUGE_VAL (infinity),
// one too small gives +/-0.
#pragma once

#include "base/WinTypes.h"    // MulDiv comes from the system on Windows

#include <string>

// Flags of a number conversion, as in a printf conversion.
enum NumberTextFlag : unsigned {
    ntLeftAlign = 1,     // '-'
    ntPlusSign = 2,      // '+'
    ntSpaceSign = 4,     // ' '
    ntAlternate = 8,     // '#': always a point; %g keeps trailing zeros
    ntZeroPad = 16,      // '0'
};

const int kNumberTextMaxPrecision = 99;
const int kNumberTextMaxWidth = 4096;

struct NumberTextSpec {
    char conversion = 'f';    // 'f', 'F', 'e', 'E', 'g' or 'G' (anything else acts as 'f')
    int precision = -1;       // negative: the default 6
    int width = 0;            // minimum field width
    unsigned flags = 0;       // NumberTextFlag bits
};

// Appends value printed by spec to out.
void AppendNumberText(std::string& out, double value, const NumberTextSpec& spec);
// Shorthand: value printed with one conversion and precision, no width or flags.
std::string FormatNumberText(double value, char conversion = 'f', int precision = -1);

// strtod in the C locale (see above). When end is not NULL it receives the
// position after the number, or str itself when there is no number. NULL str gives 0.
double StrToD(const char* str, const char** end);
// atof: StrToD without the end position.
double AToF(const char* str);
// atol/atoi: white space, optional sign, decimal digits; 32 bits, saturating at
// INT32_MIN/INT32_MAX on overflow; no digits (or NULL) gives 0.
int AToL(const char* str);
int AToI(const char* str);

// A quotient or product that is a whole number on paper (10 / 0.1, 12.34 * 100)
// can come out a rounding step away from it; counting or encoding it by
// truncation would then lose one. Values within a relative 1e-9 of a whole
// number are answered as that number, others unchanged.
double SnapToWhole(double x);

#ifndef _WIN32
// The platform's MulDiv: a * b / c with a 64-bit product, rounded half away from
// zero; -1 when c is 0 or the result does not fit in 32 bits. (On Windows the
// system's MulDiv is used.)
int MulDiv(int nNumber, int nNumerator, int nDenominator);
#endif

// The classic C-runtime random generator (state * 214013 + 2531011, answering
// (state >> 16) & 0x7FFF). One process-wide state, seeded with 1 at start; after
// KivoSrand(1) the sequence is 41, 18467, 6334, 26500, ...
const int KIVO_RAND_MAX = 32767;
void KivoSrand(unsigned int seed);
int KivoRand();
