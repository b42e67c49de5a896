// The character filter of numeric in-place editing.
#include "cells/NumericInput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

NumericInputRule Rule(int type, BOOL limit = FALSE, double min = 0, double max = 0)
{
    NumericInputRule rule;
    rule.nInputType = type;
    rule.bLimit = limit;
    rule.dMin = min;
    rule.dMax = max;
    return rule;
}

struct FilterCase {
    const char* name;
    NumericInputRule rule;
    const char* text;
    int selStart;
    int selEnd;
    UINT ch;
    bool accepted;
};

}  // namespace

TEST(NumericInputTest, TypedCharactersAgainstTheRule)
{
    const NumericInputRule decimal10to100 = Rule(kInputDecimal, TRUE, 10, 100);
    const NumericInputRule decimal0to100 = Rule(kInputDecimal, TRUE, 0, 100);
    const std::vector<FilterCase> cases = {
        {"free text takes anything", Rule(kInputFreeText), "abc", 3, 3, 'x', true},
        {"a letter is no number", Rule(kInputDecimal), "", 0, 0, 'a', false},
        {"a digit", Rule(kInputWholeNumber), "12", 2, 2, '3', true},
        {"backspace always passes", Rule(kInputWholeNumber), "12", 2, 2, 8, true},
        {"a point in a whole number", Rule(kInputWholeNumber), "12", 2, 2, '.', false},
        {"a point in a decimal", Rule(kInputDecimal), "12", 2, 2, '.', true},
        {"a second point", Rule(kInputDecimal), "1.2", 3, 3, '.', false},
        {"a lone minus sign", Rule(kInputWholeNumber), "", 0, 0, '-', true},
        {"a minus sign before digits", Rule(kInputDecimal), "5", 0, 0, '-', true},
        {"a minus sign behind a number", Rule(kInputDecimal), "5", 1, 1, '-', false},
        {"two minus signs", Rule(kInputDecimal), "-", 1, 1, '-', false},
        {"a point alone is no number", Rule(kInputDecimal), "", 0, 0, '.', false},
        {"the typed digit replaces the selection", Rule(kInputWholeNumber), "a1", 0, 1, '2', true},
        {"a first digit below the minimum can still grow into the range", decimal10to100, "", 0, 0, '5', true},
        {"a digit that keeps a number below the minimum growing", decimal10to100, "5", 1, 1, '5', true},
        {"inside the range", decimal10to100, "1", 1, 1, '5', true},
        {"a lone minus reads as 0 inside the range", decimal0to100, "", 0, 0, '-', true},
        {"a minus sign when no negative number is in the range", decimal10to100, "", 0, 0, '-', false},
        {"a negative number below the minimum", Rule(kInputWholeNumber, TRUE, -100, 0), "-10", 3, 3, '1', false},
        {"a negative number above the maximum can still fall into the range", Rule(kInputWholeNumber, TRUE, -100, -10),
         "-", 1, 1, '5', true},
        {"a number that is not negative above a negative maximum", Rule(kInputWholeNumber, TRUE, -100, -10), "", 0,
         0, '5', false},
        {"a decimal fraction beyond the maximum", decimal0to100, "100.", 4, 4, '5', false},
        {"a third digit that makes 101", decimal0to100, "10", 2, 2, '1', false},
        {"the maximum itself", decimal0to100, "10", 2, 2, '0', true},
        {"one point five: the point", decimal0to100, "1", 1, 1, '.', true},
        {"one point five: the five", decimal0to100, "1.", 2, 2, '5', true},
        {"a whole number beyond 32 bits saturates", Rule(kInputWholeNumber, TRUE, 0, 2147483647.0), "999999999", 9,
         9, '9', true},
        {"a two-byte character", Rule(kInputDecimal), "1", 1, 1, 0xD6D0, false},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.accepted, NumericCharAcceptable(CString(c.text), c.selStart, c.selEnd, c.ch, c.rule));
    }
}
