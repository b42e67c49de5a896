#include "cells/NumericInput.h"

#include "base/NumberText.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

// strtol in base 10 as the Windows C runtime does it (32-bit long): white
// space, an optional sign, digits; saturates at the 32-bit limits. *end is the
// position after the digits, or the start when there are none.
long long ParseWhole(const char* text, const char** end)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (!std::isdigit(static_cast<unsigned char>(*p))) {
        *end = text;
        return 0;
    }
    long long value = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (*p - '0');
        ++p;
    }
    *end = p;
    if (negative)
        value = -value;
    return std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value));
}

}  // namespace

bool NumericTextAcceptable(const CString& text, const NumericInputRule& rule)
{
    if (rule.nInputType != kInputWholeNumber && rule.nInputType != kInputDecimal)
        return true;
    const char* start = text.GetString();
    const char* end = start;
    double value;
    if (rule.nInputType == kInputDecimal)
        value = StrToD(start, &end);
    else
        value = static_cast<double>(ParseWhole(start, &end));
    if (rule.bLimit) {
        // Typing more digits only moves a number away from zero: a text that
        // is not negative can still grow up to the minimum, and a negative
        // one down to the maximum. Only a text that no further digits can
        // bring into the range is refused.
        const char* p = start;
        while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
            ++p;
        const bool negative = *p == '-';
        if (negative ? value < rule.dMin : value > rule.dMax)
            return false;
    }
    if (*end == '\0')
        return true;
    // A lone minus sign is the start of a negative number. A sign left over
    // behind a number ("5-") is not a number and is refused.
    return end == start && CString(end) == "-";
}

bool NumericCharAcceptable(const CString& current, int nSelStart, int nSelEnd, UINT nChar,
                           const NumericInputRule& rule)
{
    if (rule.nInputType != kInputWholeNumber && rule.nInputType != kInputDecimal)
        return true;
    if (nChar == 8)
        return true;
    if (nChar != '-' && nChar != '.' && (nChar < '0' || nChar > '9'))
        return false;
    int length = current.GetLength();
    nSelStart = std::max(0, std::min(nSelStart, length));
    nSelEnd = std::max(nSelStart, std::min(nSelEnd, length));
    CString candidate = current.Left(nSelStart);
    candidate += static_cast<char>(nChar);
    candidate += current.Mid(nSelEnd);
    return NumericTextAcceptable(candidate, rule);
}
