// The date/time editor's fields: typing rules, day limits and leap years,
// FormatText in every mode, style and fill, reading a cell text back, and
// GetDateTime.
#include "cells/DateTimeFields.h"

#include "base/WinConstants.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string S(const CString& s)
{
    return s.Str();
}

CDateTimeFields Date(const char* y, const char* m, const char* d, int zeroFill = 0, int style = 1)
{
    CDateTimeFields f(DTM_DATE, style, zeroFill);
    f.SetField(0, y);
    f.SetField(1, m);
    f.SetField(2, d);
    return f;
}

// Types the keys one by one, each at the end of the field (a refused key
// leaves the field and the caret as they were).
std::string TypeAtEnd(CDateTimeFields& f, int field, const char* keys)
{
    for (const char* k = keys; *k != '\0'; ++k) {
        const int end = f.GetField(field).GetLength();
        f.TypeChar(field, *k == '<' ? VK_BACK : static_cast<UINT>(*k), end, end);
    }
    return S(f.GetField(field));
}

TEST(DateTimeFields, Typing)
{
    struct Case {
        const char* name;
        int mode;
        int zeroFill;
        int field;
        const char* start;   // the field's text before, all of it selected
        const char* keys;    // '<' is Backspace
        const char* result;
    } cases[] = {
        {"month 13 refused", DTM_DATE, 0, 1, "", "13", "1"},
        {"month 12", DTM_DATE, 0, 1, "", "12", "12"},
        {"month 0 refused", DTM_DATE, 0, 1, "", "0", ""},
        {"zero-filled month then 2", DTM_DATE, 1, 1, "", "12", "12"},
        {"zero-filled month 13 refused", DTM_DATE, 1, 1, "", "13", "01"},
        {"zero-filled minute 7", DTM_TIME, 1, 1, "", "7", "07"},
        {"zero-filled minute 73 refused", DTM_TIME, 1, 1, "", "73", "07"},
        {"zero-filled minute 0 then 5", DTM_TIME, 1, 1, "", "05", "05"},
        {"minute three digits refused", DTM_TIME, 0, 1, "", "123", "12"},
        {"hour 23", DTM_TIME, 0, 0, "", "23", "23"},
        {"hour 24 refused", DTM_TIME, 0, 0, "", "24", "2"},
        {"second 0 valid", DTM_TIME, 0, 2, "", "0", "0"},
        {"year four digits at most", DTM_DATE, 1, 0, "", "20245", "2024"},
        {"year not zero-filled while typed", DTM_DATE, 1, 0, "", "7", "7"},
        {"year 0 refused", DTM_DATE, 0, 0, "", "0", ""},
        {"letters refused", DTM_DATE, 0, 1, "", "a1-", "1"},
        {"backspace", DTM_TIME, 0, 1, "", "45<", "4"},
        {"backspace zero-filled", DTM_TIME, 1, 1, "", "45<", "04"},
        {"backspace to nothing refused for a month", DTM_DATE, 0, 1, "", "1<", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDateTimeFields f(c.mode, 1, c.zeroFill);
        f.SetDateTime(c.mode == DTM_DATE ? COleDateTime(2024, 3, 5, 0, 0, 0) : COleDateTime(1899, 12, 30, 8, 9, 10));
        f.SetField(c.field, c.start);
        // The field that gains the focus has all its text selected.
        const char* keys = c.keys;
        if (*keys != '\0') {
            const int len = f.GetField(c.field).GetLength();
            f.TypeChar(c.field, static_cast<UINT>(*keys), 0, len);
            ++keys;
        }
        EXPECT_EQ(c.result, TypeAtEnd(f, c.field, keys));
    }
}

TEST(DateTimeFields, ARefusedKeyLeavesTheFieldAsItWas)
{
    CDateTimeFields f = Date("2024", "1", "");
    int caret = -1;
    EXPECT_FALSE(f.TypeChar(1, '3', 1, 1, &caret));
    EXPECT_EQ("1", S(f.GetField(1)));
    EXPECT_EQ(-1, caret);
    EXPECT_TRUE(f.TypeChar(1, '2', 1, 1, &caret));
    EXPECT_EQ(2, caret);
    EXPECT_FALSE(f.TypeChar(5, '1', 0, 0)) << "no field 5";
}

TEST(DateTimeFields, DayLimitsAndLeapYears)
{
    struct Case {
        const char* year;
        const char* month;
        const char* day;
        BOOL accepted;
    } cases[] = {
        {"2000", "2", "29", TRUE},   {"1900", "2", "29", FALSE}, {"2024", "2", "29", TRUE},
        {"2023", "2", "29", FALSE},  {"2023", "2", "28", TRUE},  {"2024", "4", "31", FALSE},
        {"2024", "4", "30", TRUE},   {"2024", "12", "31", TRUE}, {"2024", "1", "32", FALSE},
        {"2024", "13", "31", TRUE},  // no month yet: up to 31, and no table lookup
        {"2024", "0", "31", TRUE},   {"2024", "99", "32", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "-" + c.month + "-" + c.day);
        CDateTimeFields f = Date(c.year, c.month, "");
        EXPECT_EQ(c.accepted, f.IsValueValid(2, atol(c.day)));
    }
    EXPECT_TRUE(CDateTimeFields::IsLeapYear(2000));
    EXPECT_FALSE(CDateTimeFields::IsLeapYear(1900));
    EXPECT_TRUE(CDateTimeFields::IsLeapYear(2024));
    EXPECT_FALSE(CDateTimeFields::IsLeapYear(2023));
    for (long month : {-5L, 0L, 13L, 100000L})
        EXPECT_EQ(31, CDateTimeFields::DaysInMonth(month, 2024));
}

TEST(DateTimeFields, LeavingTheMonthLowersTheDay)
{
    struct Case {
        const char* year;
        const char* month;
        const char* day;
        int zeroFill;
        const char* after;
    } cases[] = {
        {"2023", "2", "31", 0, "28"}, {"2024", "02", "31", 1, "29"}, {"2024", "4", "31", 0, "30"},
        {"2024", "5", "31", 0, "31"}, {"2024", "3", "15", 0, "15"},
    };
    for (const Case& c : cases) {
        CDateTimeFields f = Date(c.year, c.month, c.day, c.zeroFill);
        f.ClampDay();
        EXPECT_EQ(c.after, S(f.GetField(2))) << c.year << "-" << c.month;
        EXPECT_EQ(COleDateTime::valid, f.GetDateTime().GetStatus());
    }
}

TEST(DateTimeFields, FormatTextInEveryModeStyleAndFill)
{
    const COleDateTime date(2024, 3, 5, 0, 0, 0);
    const COleDateTime time(1899, 12, 30, 7, 5, 9);
    struct Case {
        int mode;
        int style;
        int zeroFill;
        const char* text;
    } cases[] = {
        {DTM_DATE, 0, 1, "2024年03月05日"}, {DTM_DATE, 0, 0, "2024年3月5日"}, {DTM_DATE, 1, 1, "2024-03-05"},
        {DTM_DATE, 1, 0, "2024-3-5"},       {DTM_DATE, 2, 1, "2024/03/05"},   {DTM_DATE, 2, 0, "2024/3/5"},
        {DTM_TIME, 0, 1, "07时05分09秒"},   {DTM_TIME, 0, 0, "7时5分9秒"},     {DTM_TIME, 1, 1, "07:05:09"},
        {DTM_TIME, 1, 0, "7:5:9"},          {DTM_TIME, 2, 1, "07/05/09"},     {DTM_TIME, 2, 0, "7/5/9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CDateTimeFields f(c.mode, c.style, c.zeroFill);
        const COleDateTime& value = c.mode == DTM_DATE ? date : time;
        f.SetDateTime(value);
        EXPECT_EQ(c.text, S(f.FormatText()));
        EXPECT_EQ(value, f.GetDateTime());
        // What the editor writes reads back to the same value, whatever the
        // reading editor's own style and fill.
        EXPECT_EQ(value, CDateTimeFields::ReadStartValue(c.text, c.mode, COleDateTime(2001, 1, 1, 1, 1, 1)));
    }
    CDateTimeFields year(DTM_DATE, 1, 1);
    year.SetDateTime(COleDateTime(987, 1, 2, 0, 0, 0));
    EXPECT_EQ("0987-01-02", S(year.FormatText()));
}

TEST(DateTimeFields, StartValue)
{
    const COleDateTime reference(2011, 2, 3, 4, 5, 6);
    struct Case {
        const char* name;
        const char* text;
        int mode;
        COleDateTime value;
    } cases[] = {
        {"empty text", "", DTM_DATE, reference},
        {"not a date", "hello", DTM_DATE, reference},
        {"midnight is a time", "00:00:00", DTM_TIME, COleDateTime(1899, 12, 30, 0, 0, 0)},
        {"midnight in Chinese", "0时0分0秒", DTM_TIME, COleDateTime(1899, 12, 30, 0, 0, 0)},
        {"a date in a time cell", "2024-03-05", DTM_TIME, reference},
        {"a time in a date cell", "14:07", DTM_DATE, reference},
        {"date and time in a time cell", "2024-03-05 14:07:09", DTM_TIME, COleDateTime(2024, 3, 5, 14, 7, 9)},
        {"time with slashes is no date", "14/07/09", DTM_TIME, COleDateTime(1899, 12, 30, 14, 7, 9)},
        {"blanks around", "  2024年3月5日 ", DTM_DATE, COleDateTime(2024, 3, 5, 0, 0, 0)},
        {"month 13", "2024-13-05", DTM_DATE, reference},
        {"30 February", "2024/2/30", DTM_DATE, reference},
        {"hour 24", "24:00:00", DTM_TIME, reference},
        {"general form", "2024.03.05", DTM_DATE, COleDateTime(2024, 3, 5, 0, 0, 0)},
        {"huge numbers", "99999999999-1-1", DTM_DATE, reference},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value, CDateTimeFields::ReadStartValue(c.text, c.mode, reference));
    }
    EXPECT_EQ(reference, CDateTimeFields::ReadStartValue(nullptr, DTM_DATE, reference));
}

TEST(DateTimeFields, GetDateTimeOfInvalidFieldsIsInvalid)
{
    CDateTimeFields f = Date("2023", "2", "30");
    EXPECT_NE(COleDateTime::valid, f.GetDateTime().GetStatus());
    CDateTimeFields t(DTM_TIME, 1, 0);
    t.SetDateTime(COleDateTime(1899, 12, 30, 23, 59, 59));
    EXPECT_EQ(COleDateTime(1899, 12, 30, 23, 59, 59), t.GetDateTime());
}

}  // namespace
