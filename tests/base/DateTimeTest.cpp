// COleDateTime: serial values, the rule before 1899-12-30, parsing and formatting.
#include "base/DateTime.h"

#include <gtest/gtest.h>

namespace {

struct Expect {
    int y, m, d, h, mi, s;
};

void ExpectParts(const COleDateTime& t, const Expect& e, const char* what)
{
    EXPECT_EQ(t.GetStatus(), COleDateTime::valid) << what;
    EXPECT_EQ(t.GetYear(), e.y) << what;
    EXPECT_EQ(t.GetMonth(), e.m) << what;
    EXPECT_EQ(t.GetDay(), e.d) << what;
    EXPECT_EQ(t.GetHour(), e.h) << what;
    EXPECT_EQ(t.GetMinute(), e.mi) << what;
    EXPECT_EQ(t.GetSecond(), e.s) << what;
}

}  // namespace

TEST(DateTime, SerialValues)
{
    struct Case {
        Expect parts;
        double serial;
        int dayOfWeek;
        int dayOfYear;
    } cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0, 7, 364},
        {{1900, 1, 1, 0, 0, 0}, 2.0, 2, 1},
        {{2024, 3, 5, 0, 0, 0}, 45356.0, 3, 65},
        {{2024, 3, 5, 12, 0, 0}, 45356.5, 3, 65},
        {{2000, 2, 29, 6, 0, 0}, 36585.25, 3, 60},
        {{1899, 12, 29, 6, 0, 0}, -1.25, 6, 363},     // fraction counts forward from the negative day
        {{1800, 1, 1, 18, 0, 0}, -36522.75, 4, 1},
        {{100, 1, 1, 0, 0, 0}, -657434.0, 6, 1},
        {{9999, 12, 31, 0, 0, 0}, 2958465.0, 6, 365},
    };
    for (const auto& c : cases) {
        COleDateTime t(c.parts.y, c.parts.m, c.parts.d, c.parts.h, c.parts.mi, c.parts.s);
        EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(t.m_dt, c.serial) << c.serial;
        COleDateTime back(c.serial);
        ExpectParts(back, c.parts, "from serial");
        EXPECT_EQ(back.GetDayOfWeek(), c.dayOfWeek) << c.serial;
        EXPECT_EQ(back.GetDayOfYear(), c.dayOfYear) << c.serial;
    }
    // -0.5 and 0.5 are the same moment by the OLE rule.
    ExpectParts(COleDateTime(-0.5), {1899, 12, 30, 12, 0, 0}, "-0.5");
    // Seconds are rounded to the nearest; 23:59:59.9 rolls into the next day.
    ExpectParts(COleDateTime(45356.0 + 86399.9 / 86400.0), {2024, 3, 6, 0, 0, 0}, "rounding");
}

TEST(DateTime, SettersValidateParts)
{
    COleDateTime t;
    EXPECT_EQ(t.SetDateTime(2024, 2, 29, 23, 59, 59), 0);
    struct Case {
        int y, m, d, h, mi, s;
    } bad[] = {
        {2023, 2, 29, 0, 0, 0}, {2024, 13, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0}, {2024, 4, 31, 0, 0, 0},
        {2024, 1, 0, 0, 0, 0},  {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
        {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, -1, 0, 0}, {1900, 2, 29, 0, 0, 0},
    };
    for (const auto& c : bad) {
        COleDateTime u;
        EXPECT_EQ(u.SetDateTime(c.y, c.m, c.d, c.h, c.mi, c.s), 1) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(u.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(u.GetYear(), -1);
        EXPECT_EQ(u.Format("%Y"), "");
    }
    EXPECT_EQ(t.SetDate(2024, 3, 5), 0);
    EXPECT_DOUBLE_EQ(t.m_dt, 45356.0);
    EXPECT_EQ(t.SetTime(6, 0, 0), 0);
    EXPECT_DOUBLE_EQ(t.m_dt, 0.25);
    EXPECT_EQ(COleDateTime(1e10).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(-1e10).GetStatus(), COleDateTime::invalid);
}

TEST(DateTime, ParsesTheSystemsDateTexts)
{
    struct Case {
        const char* text;
        Expect parts;
    } cases[] = {
        {"2024-03-05", {2024, 3, 5, 0, 0, 0}},
        {"2024-3-5", {2024, 3, 5, 0, 0, 0}},
        {"2024/03/05", {2024, 3, 5, 0, 0, 0}},
        {"2024.3.5", {2024, 3, 5, 0, 0, 0}},
        {"2024-03-05 14:07:09", {2024, 3, 5, 14, 7, 9}},
        {"2024-03-05 14:07", {2024, 3, 5, 14, 7, 0}},
        {"2024-03-05T14:07:09", {2024, 3, 5, 14, 7, 9}},
        {"  2024-03-05   14:07:09 \t", {2024, 3, 5, 14, 7, 9}},
        {"14:07:09", {1899, 12, 30, 14, 7, 9}},
        {"12:30", {1899, 12, 30, 12, 30, 0}},
        {"2:07 PM", {1899, 12, 30, 14, 7, 0}},
        {"12:00 am", {1899, 12, 30, 0, 0, 0}},
        {"12:15PM", {1899, 12, 30, 12, 15, 0}},
        {"下午2:07", {1899, 12, 30, 14, 7, 0}},
        {"2024年3月5日", {2024, 3, 5, 0, 0, 0}},
        {"2024年03月05日 14:07:09", {2024, 3, 5, 14, 7, 9}},
        {"2024年03月05日14时07分09秒", {2024, 3, 5, 14, 7, 9}},
        {"2024年03月05日 14时07分", {2024, 3, 5, 14, 7, 0}},
        {"3/5/2024", {2024, 3, 5, 0, 0, 0}},          // month/day/year when the year comes last
        {"5/3/2024", {2024, 5, 3, 0, 0, 0}},
        {"2000-02-29", {2000, 2, 29, 0, 0, 0}},
        {"1899-12-29 06:00:00", {1899, 12, 29, 6, 0, 0}},
    };
    for (const auto& c : cases) {
        COleDateTime t;
        EXPECT_TRUE(t.ParseDateTime(c.text)) << c.text;
        ExpectParts(t, c.parts, c.text);
    }
    COleDateTime t;
    ASSERT_TRUE(t.ParseDateTime("1899-12-29 06:00:00"));
    EXPECT_DOUBLE_EQ(t.m_dt, -1.25);
}

TEST(DateTime, RejectsGarbageAndInvalidDates)
{
    const char* cases[] = {
        "", "   ", "abc", "2024", "2024-02-30", "2023-02-29", "2024-13-01", "2024-00-10", "2024-01-32",
        "2024-03-05 24:00", "2024-03-05 14:60", "14:07:61", "2024-03-05x", "2024-03-05 14:07:09 extra",
        "2024-03/05", "24-03-05", "12345-01-01", "2024-03-0514:07", "13:00 PM", "0:30 AM", "2024年13月1日",
        "2024年3月", "1:2:3:4", "99-1-1", "2024-1-1-1", "-2024-01-01", nullptr,
    };
    for (const char* text : cases) {
        COleDateTime t(2024, 1, 1, 0, 0, 0);
        EXPECT_FALSE(t.ParseDateTime(text)) << (text ? text : "(null)");
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid) << (text ? text : "(null)");
    }
}

TEST(DateTime, ParseFlagsKeepOnePart)
{
    COleDateTime t;
    ASSERT_TRUE(t.ParseDateTime("2024-03-05 12:00:00", VAR_DATEVALUEONLY));
    EXPECT_DOUBLE_EQ(t.m_dt, 45356.0);
    ASSERT_TRUE(t.ParseDateTime("2024-03-05 12:00:00", VAR_TIMEVALUEONLY));
    EXPECT_DOUBLE_EQ(t.m_dt, 0.5);
}

TEST(DateTime, FormatTable)
{
    COleDateTime t(2024, 3, 5, 14, 7, 9);
    struct Case {
        const char* format;
        const char* expected;
    } cases[] = {
        {"%Y-%m-%d %H:%M:%S", "2024-03-05 14:07:09"},
        {"%y/%#m/%#d", "24/3/5"},
        {"%b %B %a %A", "Mar March Tue Tuesday"},
        {"%j %w", "065 2"},
        {"%I:%M %p", "02:07 PM"},
        {"%Y年%m月%d日", "2024年03月05日"},
        {"100%%", "100%"},
        {"%Q%", "%Q%"},           // unknown conversion and a lone '%' are copied
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.Format(c.format), c.expected) << c.format;
    EXPECT_EQ(t.Format(), "2024-03-05 14:07:09");
    EXPECT_EQ(COleDateTime(2024, 3, 5, 0, 0, 0).Format(), "2024-03-05");
    EXPECT_EQ(COleDateTime(0.25).Format(), "06:00:00");
    EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).Format("%Y %I %p"), "0100 12 AM");
    EXPECT_EQ(t.Format(nullptr), "");
}

TEST(DateTime, ComparisonAndCurrentTime)
{
    COleDateTime a(2024, 3, 5, 0, 0, 0), b(2024, 3, 6, 0, 0, 0);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a <= a);
    EXPECT_TRUE(a != b);
    // Before the epoch serial values do not order by size: -1.25 (29th 06:00)
    // is later than -1.0 (29th 00:00).
    EXPECT_TRUE(COleDateTime(-1.0) < COleDateTime(-1.25));
    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(bad == bad);
    EXPECT_FALSE(bad < a);

    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_GE(now.GetYear(), 2024);
}
