// The format element's dispatch and the simple value formats: numeric,
// percentage, scientific and boolean, with the colour rule.
#include "cellcontent/FormatElement.h"
#include "cellcontent/SimpleFormats.h"
#include "platform/DC.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FormatCase {
    const char* attributes;  // placed inside "<format ... ></format>"
    const char* value;
    const char* expected;
    int colour;  // chosen colour, -1 = none
};

std::string FormatText(const char* attributes)
{
    return std::string("<format ") + attributes + " ></format>";
}

// `formats`: whether a value format applies, whose result then replaces the
// value text; otherwise the value text stays as it was.
void ExpectFormats(const FormatCase* cases, size_t count, bool formats = true)
{
    for (size_t i = 0; i < count; ++i) {
        const FormatCase& c = cases[i];
        CFormatElement element(FormatText(c.attributes).c_str(), c.value, nullptr);
        CString result = element.FormatValue();
        EXPECT_EQ(result.Str(), c.expected) << c.attributes << " / " << c.value;
        EXPECT_EQ(element.GetChosenColour(), c.colour) << c.attributes << " / " << c.value;
        EXPECT_EQ(element.GetValueString().Str(), formats ? c.expected : c.value) << c.attributes;
    }
}

TEST(FormatElement, FormatsOnlyKnownDatatypes)
{
    const FormatCase cases[] = {
        {"decimal = \"2\"", "3", "", -1},
        {"datatype = \"Numeric\" decimal = \"2\"", "3", "", -1},
        {"datatype = \"text\"", "3", "", -1},
        {"datatype = \"\"", "3", "", -1},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]), false);

    // A format text of another element formats nothing either.
    CFormatElement other("<font datatype = \"numeric\" >", "3", nullptr);
    EXPECT_EQ(other.FormatValue(), "");
    // GetValueText is the formatting entry of the element.
    CFormatElement element("<format datatype = \"percentage\" >", "0.5", nullptr);
    EXPECT_EQ(element.GetValueText(), "50%");
}

TEST(FormatElement, ValueFormatOfAnotherDatatypeKeepsTheValue)
{
    CFormatElement element("<format datatype = \"currency\" decimal = \"2\" >", "3", nullptr);
    CNumericFormat numeric(element);
    EXPECT_EQ(numeric.GetValueText(), "3");
    CBooleanFormat boolean(element);
    EXPECT_EQ(boolean.GetValueText(), "3");
}

TEST(NumericFormat, FormatsDecimalsGroupingAndSign)
{
    const FormatCase cases[] = {
        {"datatype = \"numeric\" decimal = \"2\"", "3", "3.00", -1},
        {"datatype = \"numeric\" decimal = \"0\"", "2.5", "3", -1},
        {"datatype = \"numeric\" decimal = \"2\"", "1.005", "1.00", -1},
        {"datatype = \"numeric\"", "3.14159", "3.14159", -1},
        {"datatype = \"numeric\"", "007", "007", -1},
        {"datatype = \"numeric\" decimal = \"1\"", "abc", "0.0", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "123456", "123,456", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "12345.5", "12,345.5", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "123", "123", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "1234", "1,234", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", ".5", ".5", -1},
        {"datatype = \"numeric\" seplen = \"0\" separator = \",\"", "123456", "123456", -1},
        {"datatype = \"numeric\" seplen = \"3\"", "123456", "123456", -1},
        {"datatype = \"numeric\" seplen = \"1\" separator = \",\"", "123", "1,2,3", -1},
        {"datatype = \"numeric\" seplen = \"4\" separator = \"，\"", "123456789", "1，2345，6789", -1},
        {"datatype = \"numeric\" decimal = \"2\" seplen = \"3\" separator = \",\" displayminus = \"1\"", "-1234567",
         "-1,234,567.00", -1},
        {"datatype = \"numeric\" decimal = \"2\" seplen = \"3\" separator = \",\"", "-1234567", "1,234,567.00", -1},
        // Only number texts are grouped.
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "abcdef", "abcdef", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", "12345e5", "12345e5", -1},
        {"datatype = \"numeric\" seplen = \"3\" separator = \",\"", " 12345", " 12345", -1},
        {"datatype = \"numeric\"", "-5", "5", -1},
        {"datatype = \"numeric\" displayminus = \"YES\"", "-5", "-5", -1},
        {"datatype = \"numeric\" displayminus = \"0\"", "-5", "5", -1},
        {"datatype = \"numeric\" displayminus = \"true\"", "-5", "5", -1},
        // Precisions are whole numbers from 0 to 20.
        {"datatype = \"numeric\" decimal = \"99\"", "1", "1.00000000000000000000", -1},
        {"datatype = \"numeric\" decimal = \"-3\"", "3.7", "4", -1},
        {"datatype = \"numeric\" decimal = \"%s%n\"", "3.14159", "3", -1},
        {"datatype = \"numeric\" decimal = \"2abc\"", "3.14159", "3.14", -1},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(NumericFormat, ColourRuleChoosesTheFirstRuleThatHolds)
{
    const FormatCase cases[] = {
        {"datatype = \"numeric\" morethan = \"100\" morethancolor = \"RGB(255,0,0)\"", "100.5", "100.5", 0x0000FF},
        {"datatype = \"numeric\" morethan = \"100\" morethancolor = \"RGB(255,0,0)\"", "100", "100", -1},
        {"datatype = \"numeric\" morethan = \"100\"", "200", "200", -1},
        {"datatype = \"numeric\" morethancolor = \"RGB(255,0,0)\"", "200", "200", -1},
        {"datatype = \"numeric\" lessthan = \"0\" lessthancolor = \"RGB(0,0,255)\"", "-1", "1", 0xFF0000},
        {"datatype = \"numeric\" lessthan = \"0\" lessthancolor = \"RGB(0,0,255)\"", "0", "0", -1},
        {"datatype = \"numeric\" same = \"0\" samecolor = \"RGB(0,255,0)\"", "0", "0", 0x00FF00},
        {"datatype = \"numeric\" same = \"0\" samecolor = \"RGB(0,255,0)\"", "0.0", "0.0", 0x00FF00},
        {"datatype = \"numeric\" same = \"0\" samecolor = \"RGB(0,255,0)\"", "abc", "abc", 0x00FF00},
        // "same" compares the numbers as they are.
        {"datatype = \"numeric\" same = \"5.5\" samecolor = \"RGB(0,255,0)\"", "5.5", "5.5", 0x00FF00},
        {"datatype = \"numeric\" same = \"5.5\" samecolor = \"RGB(0,255,0)\"", "5", "5", -1},
        {"datatype = \"numeric\" same = \"-3\" samecolor = \"RGB(0,255,0)\" displayminus = \"1\"", "-3", "-3",
         0x00FF00},
        {"datatype = \"numeric\" morethan = \"0\" morethancolor = \"RGB(1,0,0)\" lessthan = \"10\" "
         "lessthancolor = \"RGB(2,0,0)\"",
         "5", "5", 0x000001},
        {"datatype = \"numeric\" lessthan = \"10\" lessthancolor = \"RGB(2,0,0)\" same = \"5\" samecolor = \"255\"",
         "5", "5", 0x000002},
        {"datatype = \"numeric\" same = \"5\" samecolor = \"255\"", "5", "5", 255},
        // The rule sees the value before it is formatted.
        {"datatype = \"numeric\" decimal = \"0\" morethan = \"2\" morethancolor = \"RGB(9,9,9)\"", "2.4", "2",
         0x090909},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(NumericFormat, ChosenColourBecomesTheTextColourOfTheContext)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const char* text =
        "<format datatype = \"numeric\" morethan = \"0\" morethancolor = \"RGB(255,0,0)\" ></format>";
    dc.SetTextColor(RGB(1, 1, 1));
    CFormatElement quiet(text, "-5", &dc);
    quiet.FormatValue();
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 1, 1));  // no rule holds: the context keeps its colour
    CFormatElement red(text, "5", &dc);
    EXPECT_EQ(red.FormatValue(), "5");
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(red.GetChosenColour(), static_cast<int>(RGB(255, 0, 0)));
}

TEST(PercentageFormat, ShowsHundredthsWithTheirSign)
{
    const FormatCase cases[] = {
        {"datatype = \"percentage\" decimal = \"1\"", "0.125", "12.5%", -1},
        {"datatype = \"percentage\"", "0.125", "12.5%", -1},
        {"datatype = \"percentage\"", "1", "100%", -1},
        {"datatype = \"percentage\"", "-0.5", "-50%", -1},
        {"datatype = \"percentage\"", "abc", "0%", -1},
        {"datatype = \"percentage\"", "0.333333333", "33.333333%", -1},
        {"datatype = \"percentage\" decimal = \"2\"", "0.5", "50.00%", -1},
        {"datatype = \"percentage\" decimal = \"0\"", "0.5", "50%", -1},
        {"datatype = \"percentage\" decimal = \"0.5\"", "0.5", "50%", -1},
        {"datatype = \"percentage\" decimal = \"%d\"", "0.5", "50%", -1},
        {"datatype = \"percentage\" decimal = \"1\" morethan = \"0\" morethancolor = \"RGB(1,2,3)\"", "0.5",
         "50.0%", -1},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(ScientificFormat, UsesThreeDigitExponents)
{
    const FormatCase cases[] = {
        {"datatype = \"scientific\"", "1500", "1.500000e+003", -1},
        {"datatype = \"scientific\" decimal = \"2\"", "1500", "1.50e+003", -1},
        {"datatype = \"scientific\" decimal = \"3\"", "-0.00015", "-1.500e-004", -1},
        {"datatype = \"scientific\" decimal = \"0\"", "1500", "1.500000e+003", -1},
        {"datatype = \"scientific\"", "0", "0.000000e+000", -1},
        {"datatype = \"scientific\"", "x", "0.000000e+000", -1},
        {"datatype = \"scientific\" decimal = \"e%e\"", "1500", "1.500000e+003", -1},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(BooleanFormat, ChoosesTheTrueOrFalseText)
{
    const FormatCase cases[] = {
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "1", "是", -1},
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "0", "否", -1},
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "0.9", "否", -1},
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "-2", "是", -1},
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "", "否", -1},
        {"datatype = \"boolean\" truevalue = \"是\" falsevalue = \"否\"", "yes", "否", -1},
        {"datatype = \"boolean\" truevalue = \"是\"", "0", "", -1},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(ValueFormat, GroupsOnlyPlainNumberTexts)
{
    const struct {
        const char* text;
        int length;
        const char* separator;
        const char* expected;
    } cases[] = {
        {"-1234567.00", 3, ",", "-1,234,567.00"},
        {"1234567", 3, "'", "1'234'567"},
        {"-123", 3, ",", "-123"},
        {"-", 3, ",", "-"},
        {"", 3, ",", ""},
        {"1234.", 3, ",", "1,234."},
        {"1.2.3", 1, ",", "1.2.3"},
        {"1.#INF00", 1, ",", "1.#INF00"},
        {"123456", 2, "--", "12--34--56"},
        {"123456", -1, ",", "123456"},
    };
    for (const auto& c : cases) {
        CString text(c.text);
        CValueFormat::GroupDigits(text, c.length, c.separator);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

}  // namespace
