// The numbers of the decimal spin button: the text it writes into its buddy,
// the up-down positions of a range and the value after an arrow click.
#include "cells/NumericSpinButton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(SpinValue, TextOfAValue)
{
    struct Case {
        double value;
        int decimals;
        BOOL trim;
        const char* format;
        const char* text;
    } cases[] = {
        {2.5, -1, TRUE, nullptr, "2.5"},
        {3.0, -1, TRUE, nullptr, "3"},
        {-0.25, -1, FALSE, nullptr, "-0.25"},       // free format always trims
        {2.5, 2, TRUE, nullptr, "2.5"},             // 2.50
        {3.0, 2, TRUE, nullptr, "3"},               // 3.00
        {2.5, 2, FALSE, nullptr, "2.50"},
        {1.26, 1, FALSE, nullptr, "1.3"},
        {100.0, 0, TRUE, nullptr, "100"},           // no point: the zeros stay
        {0.1, 3, TRUE, "", "0.1"},                  // an empty format is none
        {1.5, 2, TRUE, "%.3f cm", "1.500 cm"},      // the caller's format as it stands
        {1.5, 2, TRUE, "%s", "1.5"},                // a format that does not take a double is not used
        {1.5, 2, TRUE, "%f %f", "1.5"},
        {1.5, 2, TRUE, "%d", "1.5"},
        {1.5, 2, TRUE, "%%%.1f", "%1.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.text), FormatSpinValue(c.value, c.decimals, c.trim, c.format, '.').Str())
            << c.value << " decimals " << c.decimals << " format " << (c.format ? c.format : "(none)");
}

TEST(SpinValue, StepsAndPositions)
{
    EXPECT_EQ(100, SpinStepsOf(0, 10, 0.1));
    EXPECT_EQ(100, SpinStepsOf(0, std::nextafter(10.0, 0.0), 0.1));  // a quotient a step short of 100
    EXPECT_EQ(32767, SpinStepsOf(0, 1e6, 1));
    EXPECT_EQ(10, SpinStepsOf(10, 0, 1));       // the distance either way
    EXPECT_EQ(0, SpinStepsOf(0, 10, 0));
    EXPECT_EQ(32767, SpinStepsOf(0, 1e308, 1e-308));

    struct Case {
        double value;
        int pos;
    } cases[] = {{-1, 0}, {0, 0}, {2.5, 25}, {2.54, 25}, {2.56, 26}, {10, 100}, {11, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(c.pos, SpinPositionOf(c.value, 0, 10, 100)) << c.value;
    EXPECT_EQ(-1, SpinPositionOf(5, 3, 3, 100)) << "an empty range moves nothing";
}

TEST(SpinValue, ArrowClicksClampOrWrap)
{
    struct Case {
        double value;
        int direction;
        BOOL wrap;
        double next;
    } cases[] = {
        {5, 1, FALSE, 6},     {5, -1, FALSE, 4},
        {10, 1, FALSE, 10},   {10, 1, TRUE, 0},      // up from the maximum
        {0, -1, FALSE, 0},    {0, -1, TRUE, 10},     // down from the minimum
        {9.5, 1, FALSE, 10},  {9.5, 1, TRUE, 0},     // past the end by half a step
        {0.3, -1, FALSE, 0},
        {5, 3, FALSE, 8},                            // an accelerated click
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.next, SpinStepValue(c.value, c.direction, 0, 10, 1, c.wrap))
            << c.value << " by " << c.direction << (c.wrap ? " wrapping" : "");
    // A value past the end by less than the tolerance (rounding) is kept, not wrapped.
    EXPECT_DOUBLE_EQ(1.0, SpinStepValue(0.9, 1, 0, 1.0 - 1e-11, 0.1, TRUE));
    EXPECT_DOUBLE_EQ(0.0, SpinStepValue(0.9, 1, 0, 1.0 - 1e-6, 0.1, TRUE));
}

}  // namespace
