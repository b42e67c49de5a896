// The date-time format: the six parts of a parsed date and time, ordered,
// shown or hidden, and written in digits, Chinese numerals or month names.
#include "cellcontent/DateTimeFormat.h"
#include "cellcontent/FormatElement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DateCase {
    const char* label;
    const char* attributes;
    const char* value;
    const char* expected;
};

const char kAllParts[] =
    "yeardisplay = \"1\" monthdisplay = \"1\" daydisplay = \"1\" hourdisplay = \"1\" minutedisplay = \"1\" "
    "yeardecimal = \"2\" monthdecimal = \"2\" daydecimal = \"2\" hourdecimal = \"2\" minutedecimal = \"2\" "
    "yearsymbol = \"年\" monthsymbol = \"月\" daysymbol = \"日\" hoursymbol = \"时\" minutesymbol = \"分\" "
    "dayhoursymbol = \" \"";

const char kDateParts[] =
    "yeardisplay = \"1\" monthdisplay = \"1\" daydisplay = \"1\" yearsymbol = \"年\" monthsymbol = \"月\" "
    "daysymbol = \"日\"";

TEST(DateTimeFormat, RebuildsTheDateFromItsParts)
{
    const std::string date = kDateParts;
    const std::string capital = date + " chinesecaption = \"1\" yeardecimal = \"6\"";
    const std::string ordinary = date + " chinesecaption = \"2\"";
    const std::string symbolsOnly = date + " chinesecaption = \"3\"";
    const DateCase cases[] = {
        {"the usual Chinese form", kAllParts, "2024-03-05 14:07:09", "2024年03月05日 14时07分"},
        {"a Chinese date text", kAllParts, "2024年3月5日 14:07:09", "2024年03月05日 14时07分"},
        {"nothing displayed", "", "2024-03-05 14:07:09", ""},
        {"not a date", kAllParts, "hello", "hello"},
        {"an invalid date", kAllParts, "2024-02-30", "2024-02-30"},
        {"empty value", kAllParts, "", ""},
        {"seq reorders", "yearseq = \"3\" monthseq = \"2\" dayseq = \"1\" yeardisplay = \"1\" monthdisplay = \"1\" "
                         "daydisplay = \"1\" yearsymbol = \"\" monthsymbol = \"/\" daysymbol = \"/\" "
                         "monthdecimal = \"2\" daydecimal = \"2\"",
         "2024-03-05", "05/03/2024"},
        {"seq 0 keeps the natural place", "monthseq = \"1\" yeardisplay = \"1\" monthdisplay = \"1\" "
                                          "yearsymbol = \"-\" monthsymbol = \"-\"",
         "2024-03-05", "2024-3-"},
        {"time parts ordered, the day-hour symbol before the fourth place", "hourseq = \"3\" minuteseq = \"2\" secondseq = \"1\" hourdisplay = \"1\" "
                               "minutedisplay = \"1\" seconddisplay = \"1\" hoursymbol = \"h\" minutesymbol = \"m\" "
                               "secondsymbol = \"s\" dayhoursymbol = \"T\"",
         "2024-03-05 14:07:09", "T9s7m14h"},
        {"day-hour symbol before a shown fourth part", "daydisplay = \"1\" hourdisplay = \"1\" dayhoursymbol = \"T\"",
         "2024-03-05 14:07:09", "5T14"},
        {"day-hour symbol not before a hidden fourth part",
         "daydisplay = \"1\" minutedisplay = \"1\" dayhoursymbol = \"T\" minutesymbol = \"分\"",
         "2024-03-05 14:07:09", "57分"},
        {"width pads with zeros", "daydisplay = \"1\" daydecimal = \"4\"", "2024-03-05", "0005"},
        {"width 0 writes 0 as nothing", "hourdisplay = \"1\" hoursymbol = \"时\"", "2024-03-05", "时"},
        {"width is clamped", "daydisplay = \"1\" daydecimal = \"99\"", "2024-03-05", "00000000000000000005"},
        {"width is a whole number", "daydisplay = \"1\" daydecimal = \"%s\"", "2024-03-05", "5"},
        {"display is a number", "daydisplay = \"yes\" monthdisplay = \"2\"", "2024-03-05", "3"},
        {"capital numerals", capital.c_str(), "2024-03-05",
         "贰零贰肆年叁月伍日"},
        {"ordinary numerals", ordinary.c_str(), "2024-10-05", "二○二四年一○月五日"},
        {"numerals of a zero", "hourdisplay = \"1\" chinesecaption = \"1\"", "2024-10-05", "零"},
        {"full month name", "monthdisplay = \"1\" yeardisplay = \"1\" yeardecimal = \"4\" chinesecaption = \"4\" "
                            "monthsymbol = \" \"",
         "2024-12-05", "2024December "},
        {"short month name", "monthdisplay = \"1\" daydisplay = \"1\" daydecimal = \"2\" chinesecaption = \"8\" "
                             "monthsymbol = \"-\"",
         "2024-01-09", "Jan-09"},
        {"unknown style shows symbols only", symbolsOnly.c_str(), "2024-03-05", "年月日"},
        {"a time alone", "hourdisplay = \"1\" minutedisplay = \"1\" hourdecimal = \"2\" minutedecimal = \"2\" "
                         "hoursymbol = \":\"",
         "09:30", "09:30"},
    };
    for (const DateCase& c : cases) {
        CFormatElement element((std::string("<format datatype = \"datetime\" ") + c.attributes + " >").c_str(),
                               c.value, nullptr);
        EXPECT_EQ(element.FormatValue().Str(), c.expected) << c.label;
        EXPECT_EQ(element.GetChosenColour(), -1) << c.label;
    }
}

TEST(DateTimeFormat, WritesOneNumberPerStyle)
{
    CDateTimePart month;
    month.kind = 1;
    month.value = 12;
    month.decimal = 3;
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 0), "012");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 1), "壹贰");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 2), "一二");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 4), "December");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 8), "Dec");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(month, 16), "");
    CDateTimePart year = month;
    year.kind = 0;
    year.value = 2024;
    year.decimal = 0;
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(year, 4), "2024");
    EXPECT_EQ(CDateTimeFormat::FormatPartNumber(year, 8), "2024");
}

}  // namespace
