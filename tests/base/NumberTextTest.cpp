// Number text: printing against exact-decimal expectations (ties away from
// zero), parsing, MulDiv rounding and the classic random sequence.
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

struct PrintCase {
    double value;
    char conversion;
    int precision;
    const char* expected;
};

// Expected texts are the exact decimal values rounded half away from zero.
const PrintCase kFixedCases[] = {
    {2.5, 'f', 0, "3"},
    {3.5, 'f', 0, "4"},
    {-2.5, 'f', 0, "-3"},
    {0.5, 'f', 0, "1"},
    {1.5, 'f', 0, "2"},
    {1234.5, 'f', 0, "1235"},
    {0.125, 'f', 2, "0.13"},
    {0.375, 'f', 2, "0.38"},
    {0.0625, 'f', 3, "0.063"},
    {1.005, 'f', 2, "1.00"},      // exact value lies below the tie
    {2.675, 'f', 2, "2.67"},
    {0.045, 'f', 2, "0.04"},
    {9.995, 'f', 2, "9.99"},
    {9.5, 'f', 0, "10"},           // carry into a new digit
    {99.5, 'f', 0, "100"},
    {0.95, 'f', 1, "0.9"},         // 0.95 is below the tie in binary
    {0.25, 'f', 1, "0.3"},
    {-0.25, 'f', 1, "-0.3"},
    {1.0000005, 'f', 6, "1.000001"},
    {5e-7, 'f', 6, "0.000000"},
    {123456.789, 'f', 1, "123456.8"},
    {0.1, 'f', 20, "0.10000000000000000555"},
    {1e22, 'f', 0, "10000000000000000000000"},
    {0.0, 'f', -1, "0.000000"},
    {-0.0, 'f', -1, "-0.000000"},
    {-0.0, 'f', 0, "-0"},
    {3.14159, 'f', -1, "3.141590"},
    {-1e-300, 'f', 2, "-0.00"},
    {4.9406564584124654e-324, 'f', 3, "0.000"},
    {1.5, 'F', 1, "1.5"},
};

const PrintCase kScientificCases[] = {
    {1000.0, 'e', -1, "1.000000e+003"},
    {1000.0, 'E', 2, "1.00E+003"},
    {0.00012345, 'e', 3, "1.234e-004"},
    {2.5, 'e', 0, "3e+000"},
    {25.0, 'e', 0, "3e+001"},        // whole-number tie
    {35.0, 'e', 0, "4e+001"},
    {125.0, 'e', 1, "1.3e+002"},
    {9.5, 'e', 0, "1e+001"},
    {99.5, 'e', 1, "1.0e+002"},
    {-1234.5, 'e', 3, "-1.235e+003"},
    {0.0, 'e', -1, "0.000000e+000"},
    {-0.0, 'e', 2, "-0.00e+000"},
    {1.5e300, 'e', 2, "1.50e+300"},
    {1e-310, 'e', 3, "1.000e-310"},  // subnormal
    {123456789.0, 'e', 2, "1.23e+008"},
    {1e100, 'e', 0, "1e+100"},
};

const PrintCase kGeneralCases[] = {
    {100000.0, 'g', -1, "100000"},
    {1000000.0, 'g', -1, "1e+006"},
    {0.0001, 'g', -1, "0.0001"},
    {0.00001, 'g', -1, "1e-005"},
    {123.456, 'g', -1, "123.456"},
    {2.5, 'g', 1, "3"},
    {0.5, 'g', -1, "0.5"},
    {999999.5, 'g', -1, "1e+006"},   // rounding moves it to the exponent form
    {0.0, 'g', -1, "0"},
    {-0.0, 'g', -1, "-0"},
    {1e-10, 'G', -1, "1E-010"},
    {1234567.0, 'g', 0, "1e+006"},   // precision 0 acts as 1
    {0.000123456, 'g', 3, "0.000123"},
};

void CheckTable(const PrintCase* cases, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const PrintCase& c = cases[i];
        EXPECT_EQ(FormatNumberText(c.value, c.conversion, c.precision), c.expected)
            << "value " << c.value << " conv " << c.conversion << " prec " << c.precision;
    }
}

}  // namespace

TEST(NumberText, FixedRoundsExactValueWithTiesAwayFromZero)
{
    CheckTable(kFixedCases, sizeof kFixedCases / sizeof kFixedCases[0]);
}

TEST(NumberText, ScientificHasThreeDigitExponent)
{
    CheckTable(kScientificCases, sizeof kScientificCases / sizeof kScientificCases[0]);
}

TEST(NumberText, GeneralPicksFormAndStripsZeros)
{
    CheckTable(kGeneralCases, sizeof kGeneralCases / sizeof kGeneralCases[0]);
}

// Reference for "%.Nf": the complete exact expansion of the double, rounded at
// N places by hand (half away from zero).
std::string ExactFixed(double v, int prec)
{
    static char buf[2000];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, 1100);
    std::string s(buf, r.ptr);
    size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1, static_cast<size_t>(prec));
    bool up = s[point + 1 + static_cast<size_t>(prec)] >= '5';
    if (up) {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    std::string out = digits.substr(0, digits.size() - static_cast<size_t>(prec));
    if (prec > 0)
        out += "." + digits.substr(digits.size() - static_cast<size_t>(prec));
    return (std::signbit(v) ? "-" : "") + out;
}

TEST(NumberText, FixedMatchesTheExactExpansion)
{
    std::mt19937_64 gen(12345);
    for (int i = 0; i < 20000; ++i) {
        double v;
        switch (i % 4) {
        case 0: {    // any bit pattern of moderate magnitude
            std::uint64_t bits = gen();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v) || std::fabs(v) > 1e30 || std::fabs(v) < 1e-30)
                v = static_cast<double>(static_cast<std::int64_t>(gen() >> 20)) / 1024.0;
            break;
        }
        case 1: v = static_cast<double>(static_cast<std::int64_t>(gen() % 2000001) - 1000000) / 1000.0; break;
        case 2: v = static_cast<double>(gen() % 100000) / 8.0 + 0.5 / 1024.0; break;    // many exact ties
        default: v = std::ldexp(static_cast<double>(gen() >> 11), static_cast<int>(gen() % 140) - 100); break;
        }
        int prec = static_cast<int>(gen() % 20);
        ASSERT_EQ(FormatNumberText(v, 'f', prec), ExactFixed(v, prec)) << v << " %." << prec << "f";
    }
}

// Reference for "%.Ne": the exact expansion rounded at N + 1 significant digits by hand.
std::string ExactScientific(double v, int prec)
{
    static char buf[2000];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, 1100);
    std::string s(buf, r.ptr);
    size_t point = s.find('.');
    std::string all = s.substr(0, point) + s.substr(point + 1);
    size_t first = all.find_first_not_of('0');
    int exp10 = static_cast<int>(point) - 1 - static_cast<int>(first);
    std::string digits = all.substr(first, static_cast<size_t>(prec) + 1);
    bool up = all[first + static_cast<size_t>(prec) + 1] >= '5';
    if (up) {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exp10;
        } else {
            ++digits[i - 1];
        }
    }
    std::string out = digits.substr(0, 1);
    if (prec > 0)
        out += "." + digits.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "e%c%03d", exp10 < 0 ? '-' : '+', exp10 < 0 ? -exp10 : exp10);
    return (std::signbit(v) ? "-" : "") + out + e;
}

TEST(NumberText, ScientificMatchesTheExactExpansion)
{
    std::mt19937_64 gen(777);
    for (int i = 0; i < 20000; ++i) {
        double v;
        switch (i % 3) {
        case 0: v = std::ldexp(static_cast<double>(gen() >> 11), static_cast<int>(gen() % 200) - 120); break;
        case 1: v = static_cast<double>(gen() % 100000) * 5.0;  break;    // whole-number ties
        default: v = static_cast<double>(gen() % 100000) / 16.0 - 3000.0; break;
        }
        if (v == 0)
            continue;
        int prec = static_cast<int>(gen() % 12);
        ASSERT_EQ(FormatNumberText(v, 'e', prec), ExactScientific(v, prec)) << v << " %." << prec << "e";
    }
}

TEST(NumberText, HugeValuePrintsAllExactDigits)
{
    std::string s = FormatNumberText(1e300, 'f', -1);
    ASSERT_EQ(s.size(), 301u + 7u);
    EXPECT_EQ(s.substr(0, 40), "1000000000000000052504760255204420248704");
    EXPECT_EQ(s.substr(s.size() - 7), ".000000");
    std::string m = FormatNumberText(-std::numeric_limits<double>::max(), 'f', 0);
    EXPECT_EQ(m.size(), 310u);
    EXPECT_EQ(m.substr(0, 10), "-179769313");
}

TEST(NumberText, PrecisionAndWidthAreClamped)
{
    EXPECT_EQ(FormatNumberText(1.0, 'f', 100000).size(), 2u + kNumberTextMaxPrecision);
    NumberTextSpec spec;
    spec.width = 1 << 30;
    std::string out;
    AppendNumberText(out, 1.0, spec);
    EXPECT_EQ(out.size(), static_cast<size_t>(kNumberTextMaxWidth));
}

TEST(NumberText, FlagsAndWidth)
{
    struct Case {
        double value;
        char conv;
        int precision;
        int width;
        unsigned flags;
        const char* expected;
    } cases[] = {
        {3.14159, 'f', 2, 8, 0, "    3.14"},
        {3.14159, 'f', 2, 8, ntLeftAlign, "3.14    "},
        {-3.14159, 'f', 2, 8, ntZeroPad, "-0003.14"},
        {3.0, 'f', 0, 0, ntAlternate, "3."},
        {3.0, 'e', 0, 0, ntAlternate, "3.e+000"},
        {1.0, 'g', -1, 0, ntAlternate, "1.00000"},
        {2.5, 'f', 1, 0, ntPlusSign, "+2.5"},
        {2.5, 'f', 1, 0, ntSpaceSign, " 2.5"},
        {-2.5, 'f', 1, 0, ntPlusSign, "-2.5"},
    };
    for (const Case& c : cases) {
        NumberTextSpec spec;
        spec.conversion = c.conv;
        spec.precision = c.precision;
        spec.width = c.width;
        spec.flags = c.flags;
        std::string out = "[";
        AppendNumberText(out, c.value, spec);
        EXPECT_EQ(out, std::string("[") + c.expected) << c.value;
    }
}

TEST(NumberText, InfinityAndNanUseTheClassicForms)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double qnan = std::fabs(std::nan(""));
    const double ind = -qnan;
    EXPECT_EQ(FormatNumberText(inf, 'f', -1), "1.#INF00");
    EXPECT_EQ(FormatNumberText(-inf, 'f', -1), "-1.#INF00");
    EXPECT_EQ(FormatNumberText(ind, 'f', -1), "-1.#IND00");
    EXPECT_EQ(FormatNumberText(qnan, 'f', -1), "1.#QNAN0");
    EXPECT_EQ(FormatNumberText(inf, 'e', -1), "1.#INF00e+000");
    EXPECT_EQ(FormatNumberText(inf, 'g', -1), "1.#INF");
    EXPECT_EQ(FormatNumberText(inf, 'f', 0), "1");
    EXPECT_EQ(FormatNumberText(inf, 'f', 2), "1.#I");
    EXPECT_EQ(FormatNumberText(inf, 'f', 8), "1.#INF0000");
}

TEST(NumberText, StrToDParsesClassicForms)
{
    struct Case {
        const char* text;
        double value;
        int consumed;
    } cases[] = {
        {"1.5", 1.5, 3},
        {"  1.5abc", 1.5, 5},
        {"\t\n42", 42.0, 4},
        {"+.5", 0.5, 3},
        {"5.", 5.0, 2},
        {"-12.25e1x", -122.5, 8},
        {"1e5", 1e5, 3},
        {"1E-2", 0.01, 4},
        {"1d2", 100.0, 3},         // classic runtime exponent letter
        {"1D+2", 100.0, 4},
        {"1e", 1.0, 1},            // exponent without digits is not consumed
        {"1e+", 1.0, 1},
        {"0x1A", 0.0, 1},          // no hexadecimal form
        {"1,5", 1.0, 1},
        {"0.1", 0.1, 3},
        {"2.2250738585072011e-308", 2.2250738585072011e-308, 23},
        {"4.9e-324", 4.9406564584124654e-324, 8},
        {"1e-400", 0.0, 6},
        {"123456789012345678901234567890", 1.2345678901234568e29, 30},
    };
    for (const auto& c : cases) {
        const char* end = nullptr;
        double v = StrToD(c.text, &end);
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(end - c.text, c.consumed) << c.text;
        EXPECT_EQ(AToF(c.text), c.value) << c.text;
    }
}

TEST(NumberText, StrToDWithoutNumberConsumesNothing)
{
    for (const char* text : {"", "   ", ".", "-", "+.", "inf", "nan", "INF", "e5", "abc"}) {
        const char* end = nullptr;
        EXPECT_EQ(StrToD(text, &end), 0.0) << text;
        EXPECT_EQ(end, text) << text;
    }
    EXPECT_EQ(StrToD(nullptr, nullptr), 0.0);
}

TEST(NumberText, StrToDOverflowAndSignedZero)
{
    EXPECT_EQ(AToF("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(AToF("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
    double negZero = AToF("-0.0");
    EXPECT_EQ(negZero, 0.0);
    EXPECT_TRUE(std::signbit(negZero));
    EXPECT_TRUE(std::signbit(AToF("-1e-400")));
    // A long mantissa whose digits cancel against the exponent.
    std::string longText = "1" + std::string(400, '0') + "e-400";
    EXPECT_EQ(AToF(longText.c_str()), 1.0);
    std::string tinyText = "0." + std::string(400, '0') + "1e400";
    EXPECT_EQ(AToF(tinyText.c_str()), 0.1);
}

TEST(NumberText, AToLSaturates)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"123", 123},
        {" -123xyz", -123},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"99999999999999999999", 2147483647},
        {"12.9", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AToL(c.text), c.value) << c.text;
        EXPECT_EQ(AToI(c.text), c.value) << c.text;
    }
    EXPECT_EQ(AToL(nullptr), 0);
}

// On Windows this is the system's MulDiv: the table holds on both builds.
TEST(NumberText, MulDivRoundsHalfAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {10, 3, 4, 8},       // 7.5
        {-10, 3, 4, -8},
        {10, -3, 4, -8},
        {10, 3, -4, -8},
        {-10, -3, 4, 8},
        {-10, 3, -4, 8},
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {1, 1, -2, -1},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {-2, 1, 3, -1},
        {0, -5, 3, 0},
        {96, 72, 96, 72},
        {12, 96, 72, 16},
        {5, 1, 0, -1},       // zero divisor
        {0, 0, 0, -1},
        {2147483647, 2, 1, -1},           // overflow
        {2147483647, 2147483647, 2147483647, 2147483647},
        {65536, 65536, 2, -1},
        {65536, 32768, 2, 1073741824},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(NumberText, SnapToWholeTakesNearMissesAsTheWholeNumber)
{
    // The near misses are what 80-bit intermediates or a product's rounding
    // leave of a whole number: 10 / 0.1 a step below 100, 0.07 * 100 above 7.
    struct Case { double in, out; };
    const Case cases[] = {
        {std::nextafter(100.0, 0.0), 100.0},
        {0.07 * 100.0, 7.0},
        {std::nextafter(-3.0, 0.0), -3.0},
        {99.5, 99.5},
        {7.4999, 7.4999},
        {0.0, 0.0},
        {1e6 + 0.5, 1e6 + 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(c.out, SnapToWhole(c.in));
    }
}

TEST(NumberText, RandFollowsTheClassicSequence)
{
    KivoSrand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int e : expected)
        EXPECT_EQ(KivoRand(), e);
    KivoSrand(1);
    EXPECT_EQ(KivoRand(), 41);
    KivoSrand(0);
    EXPECT_EQ(KivoRand(), 38);
    for (int i = 0; i < 1000; ++i) {
        int r = KivoRand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, KIVO_RAND_MAX);
    }
}
