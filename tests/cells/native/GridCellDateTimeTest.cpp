// The date/time cell: attributes, write-backs, the value its editor opens
// on, and its record.
#include "cells/GridCellDateTime.h"

#include "grid/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

std::string S(const CString& s)
{
    return s.Str();
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(DateTimeCell, Attributes)
{
    struct Case {
        const char* name;
        const char* attributes;
        int type;
        int format;
        int separator;
        int leave;
    } cases[] = {
        {"defaults", "", 0, 0, 0, 1},
        {"time", "dttype = \"1\"", 1, 0, 0, 1},
        {"type 5 is a date", "dttype = \"5\"", 0, 0, 0, 1},
        {"style 0 is long", "datetimestyle = \"0\"", 0, 1, 0, 1},
        {"style 1 is short", "datetimestyle = \"1\"", 0, 0, 0, 1},
        {"style longdate", "datetimestyle = \"longdate\"", 0, 1, 0, 1},
        {"style shortdate", "datetimestyle = \"ShortDate\"", 0, 0, 0, 1},
        {"style other text is long", "datetimestyle = \"x\"", 0, 1, 0, 1},
        {"format 0 is short", "dataformat = \"0\"", 0, 0, 0, 1},
        {"format 1 is long", "dataformat = \"1\"", 0, 1, 0, 1},
        {"format 7 is long", "dataformat = \"7\"", 0, 1, 0, 1},
        {"style wins over format", "datetimestyle = \"1\" dataformat = \"1\"", 0, 0, 0, 1},
        {"separator 2", "splitertype = \"2\"", 0, 0, 2, 1},
        {"separator 3 is 0", "splitertype = \"3\"", 0, 0, 0, 1},
        {"leave type 0", "leavetype = \"0\"", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellDateTime cell;
        const std::string text = std::string("<control controltype = \"datetime\" ") + c.attributes + " ></control>";
        EXPECT_TRUE(cell.SetControl(text.c_str()));
        EXPECT_EQ(c.type, cell.GetDateTimeType());
        EXPECT_EQ(c.format, cell.GetDateFormat());
        EXPECT_EQ(c.separator, cell.GetSeparatorType());
        EXPECT_EQ(c.leave, cell.GetLeaveType());
    }
}

TEST(DateTimeCell, WriteBacks)
{
    CGridCellDateTime cell;
    cell.SetControl("<control controltype = \"datetime\" ></control>");
    EXPECT_EQ("<control leavetype = \"1\"  splitertype = \"0\"  dataformat = \"0\"  dttype = \"0\"  controltype = "
              "\"datetime\" ></control>",
              S(cell.GetControl()));
    // With "datetimestyle" present nothing is written for the format.
    CGridCellDateTime styled;
    styled.SetControl("<control datetimestyle = \"0\" ></control>");
    EXPECT_EQ("", S(styled.GetControlProperty("dataformat")));
}

TEST(DateTimeCell, PropertiesGoThroughTheElement)
{
    CGridCellDateTime cell;
    cell.SetControl("<control controltype = \"datetime\" ></control>");
    EXPECT_TRUE(cell.SetControlProperty("dttype", "1"));
    EXPECT_EQ(1, cell.GetDateTimeType());
    EXPECT_FALSE(cell.SetControlProperty("nosuchword", "1"));
    EXPECT_EQ("1", S(cell.GetControlProperty("dttype")));
    EXPECT_TRUE(cell.DelControlProperty("dttype"));
    EXPECT_EQ(1, cell.GetDateTimeType()) << "the current type is written back";
    EXPECT_EQ("1", S(cell.GetControlProperty("dttype")));
}

TEST(DateTimeCell, StartValue)
{
    const COleDateTime reference(2011, 2, 3, 4, 5, 6);
    struct Case {
        const char* name;
        const char* control;
        const char* text;
        COleDateTime value;
    } cases[] = {
        {"empty cell", "", "", reference},
        {"date text", "", "2024年03月05日", COleDateTime(2024, 3, 5, 0, 0, 0)},
        {"time cell with a date only", "dttype = \"1\"", "2024-03-05", reference},
        {"time cell at midnight", "dttype = \"1\"", "00:00:00", COleDateTime(1899, 12, 30, 0, 0, 0)},
        {"time cell style 2", "dttype = \"1\"", "9/8/7", COleDateTime(1899, 12, 30, 9, 8, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellDateTime cell;
        cell.SetReferenceTime(reference);
        cell.SetControl((std::string("<control ") + c.control + " ></control>").c_str());
        cell.SetText(c.text);
        EXPECT_EQ(c.value, cell.GetStartValue());
    }
}

TEST(DateTimeCell, ReferenceTimeIsTheCreationTime)
{
    const COleDateTime before = COleDateTime::GetCurrentTime();
    CGridCellDateTime cell;
    EXPECT_EQ(COleDateTime::valid, cell.GetReferenceTime().GetStatus());
    EXPECT_GE(cell.GetReferenceTime().m_dt + 1.0 / 86400, before.m_dt);
}

TEST(DateTimeCell, GoldenRecordAndReload)
{
    CGridCellDateTime plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3400}).Get(), Store(plain));
    CGridCellDateTime cell;
    cell.SetControl("<control dttype = \"1\" splitertype = \"1\" ></control>");
    cell.SetText("07:05:09");
    const std::string control = S(cell.GetControl());
    const int n = static_cast<int>(control.size()) + 1;
    const Bytes nested = gridtest::StoreBytes([&](CArchive& ar) { cell.CGridCell::SerializeRecord(ar, nullptr); });
    const Bytes bytes = Store(cell);
    EXPECT_EQ(ByteBuilder().Int(4 + cell.CGridCell::GetRecordSize() + 8 + n + 4).Raw(nested).Ints({3301, n}).Text(control).Int(3400).Get(),
              bytes);
    EXPECT_EQ(4 + cell.CGridCell::GetRecordSize() + 8 + n + 4, cell.GetRecordSize());
    CGridCellDateTime loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(1, loaded.GetDateTimeType());
    EXPECT_EQ(1, loaded.GetSeparatorType());
    EXPECT_EQ("07:05:09", std::string(loaded.GetText()));
    EXPECT_EQ(bytes, Store(loaded));
}

}  // namespace
