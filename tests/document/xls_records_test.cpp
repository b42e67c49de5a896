// The workbook writer's records, byte for byte, and its encodings.
#include "XlsTestUtil.h"

#include "base/WinConstants.h"
#include "document/XlsCellFormat.h"
#include "document/XlsRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using xlstest::Hex;
using xlstest::ToHex;

namespace {

TEST(XlsRecords, FixedRecordsMatchTheirGoldenBytes)
{
    struct Case {
        const char* name;
        XlsRecord rec;
        const char* hex;
    } cases[] = {
        {"BOF globals", XlsBofRecord(XLS_BOF_GLOBALS), "09 08 10 00 00 06 05 00 F3 27 CD 07 C9 40 00 00 06 01 00 00"},
        {"BOF sheet", XlsBofRecord(XLS_BOF_WORKSHEET), "09 08 10 00 00 06 10 00 F3 27 CD 07 C9 40 00 00 06 01 00 00"},
        {"EOF", XlsEofRecord(), "0A 00 00 00"},
        {"WINDOW1", XlsWindow1Record(), "3D 00 12 00 00 00 00 00 00 3C 00 2D 38 00 00 00 00 00 01 00 58 02"},
        {"CALCCOUNT", XlsCalcCountRecord(), "0C 00 02 00 64 00"},
        {"CALCMODE", XlsCalcModeRecord(), "0D 00 02 00 01 00"},
        {"PASSWORD", XlsU16Record(XLS_PASSWORD, XlsPasswordVerifier("password")), "13 00 02 00 AF 83"},
        {"FONT default", XlsFontRecord(XlsFontSpec()),
         "31 00 1C 00 C8 00 00 00 FF 7F 90 01 00 00 00 00 00 00 06 01 54 00 61 00 68 00 6F 00 6D 00 61 00"},
        {"LABELSST", XlsLabelSstRecord(1, 2, 21, 0x00012345), "FD 00 0A 00 01 00 02 00 15 00 45 23 01 00"},
        {"NUMBER", XlsNumberRecord(0, 0, 15, 1.5), "03 02 0E 00 00 00 00 00 0F 00 00 00 00 00 00 00 F8 3F"},
        {"RK", XlsRkRecord(3, 4, 15, 6), "7E 02 0A 00 03 00 04 00 0F 00 06 00 00 00"},
        {"BLANK", XlsBlankRecord(2, 1, 15), "01 02 06 00 02 00 01 00 0F 00"},
        {"DIMENSION", XlsDimensionRecord(0, 3, 1, 4), "00 02 0E 00 00 00 00 00 03 00 00 00 01 00 04 00 00 00"},
        {"COLINFO", XlsColInfoRecord(2, 2, 2340, 15), "7D 00 0C 00 02 00 02 00 24 09 0F 00 00 00 00 00"},
        {"BOUNDSHEET", XlsBoundSheetRecord(0x1234, "Sheet1"),
         "85 00 0E 00 34 12 00 00 00 00 06 00 53 68 65 65 74 31"},
        {"HEADER", XlsHeaderFooterRecord(XLS_HEADER, "&R&8A&&B"), "14 00 0B 00 08 00 00 26 52 26 38 41 26 26 42"},
        {"HEADER without section", XlsHeaderFooterRecord(XLS_HEADER, "Hi"), "14 00 07 00 04 00 00 26 4C 48 69"},
        {"HEADER empty", XlsHeaderFooterRecord(XLS_HEADER, ""), "14 00 00 00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hex, ToHex(c.rec)) << c.name;
}

TEST(XlsRecords, MergedCellsHoldEachRangeAndSplitAtTheRecordLimit)
{
    std::vector<XlsRecord> one = XlsMergedCellsRecords({{1, 2, 0, 3}, {5, 5, 1, 2}});
    ASSERT_EQ(1u, one.size());
    EXPECT_EQ("E5 00 12 00 02 00 01 00 02 00 00 00 03 00 05 00 05 00 01 00 02 00", ToHex(one[0]));

    std::vector<XlsRange> many;
    for (uint16_t i = 0; i < 2000; ++i)
        many.push_back({i, i, 0, 1});
    std::vector<XlsRecord> split = XlsMergedCellsRecords(many);
    ASSERT_EQ(2u, split.size());
    EXPECT_EQ(1027, xlstest::U16(split[0].data, 0));
    EXPECT_EQ(2000 - 1027, xlstest::U16(split[1].data, 0));
    EXPECT_LE(split[0].data.size(), kXlsMaxRecordData);
    EXPECT_TRUE(XlsMergedCellsRecords({}).empty());
}

TEST(XlsRecords, StoredFormatAndStyleRecords)
{
    std::vector<XlsRecord> formats = XlsStoredFormatRecords();
    ASSERT_EQ(8u, formats.size());
    EXPECT_EQ("1E 04 18 00 05 00 13 00 00 22 A3 22 23 2C 23 23 30 3B 5C 2D 22 A3 22 23 2C 23 23 30",
              ToHex(formats[0]));
    EXPECT_EQ("1E 04 34 00 2B 00 2F 00 00 5F 2D 2A 20 23 2C 23 23 30 2E 30 30 5F 2D 3B 5C 2D 2A 20 23 2C 23 23 30 "
              "2E 30 30 5F 2D 3B 5F 2D 2A 20 22 2D 22 3F 3F 5F 2D 3B 5F 2D 40 5F 2D",
              ToHex(formats[7]));
    const uint16_t order[] = {5, 6, 7, 8, 42, 41, 44, 43};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(order[i], xlstest::U16(formats[i].data, 0));

    std::vector<XlsRecord> styles = XlsStoredStyleRecords();
    std::string all;
    for (const XlsRecord& s : styles)
        all += ToHex(s) + " | ";
    EXPECT_EQ("93 02 04 00 10 80 03 FF | 93 02 04 00 11 80 06 FF | 93 02 04 00 12 80 04 FF | "
              "93 02 04 00 13 80 07 FF | 93 02 04 00 00 80 00 FF | 93 02 04 00 14 80 05 FF | ",
              all);
    EXPECT_EQ(21u, XlsBuiltInXfRecords().size());
}

TEST(XlsRecords, FontRecordCarriesItsSettingsAndAUtf16Name)
{
    XlsFontSpec f;
    f.height = 240;
    f.options = 0x02;
    f.colour = 10;
    f.weight = 700;
    f.underline = 1;
    f.charset = 134;
    f.name = "\xCB\xCE\xCC\xE5";   // the Song face name in code page 936
    EXPECT_EQ("31 00 14 00 F0 00 02 00 0A 00 BC 02 00 00 01 00 86 00 02 01 8B 5B 53 4F", ToHex(XlsFontRecord(f)));
}

TEST(XlsRecords, StringsAreEightBitWhenPlainElseUtf16)
{
    EXPECT_EQ("03 00 00 61 26 62", ToHex(XlsUnicodeString("a&b")));
    EXPECT_EQ("00 00 00", ToHex(XlsUnicodeString("")));
    EXPECT_EQ("03 00 01 2D 4E 87 65 41 00", ToHex(XlsUnicodeString("\xD6\xD0\xCE\xC4" "A")));
}

TEST(XlsRecords, HexToBytesRefusesBadTextAndKeepsTheOutput)
{
    XlsBytes out = {1};
    EXPECT_FALSE(HexToBytes("0A0", out));
    EXPECT_FALSE(HexToBytes("0G", out));
    EXPECT_FALSE(HexToBytes(nullptr, out));
    EXPECT_EQ(XlsBytes{1}, out);
    EXPECT_TRUE(HexToBytes("0a00ff", out));
    EXPECT_EQ((XlsBytes{1, 0x0A, 0, 0xFF}), out);
}

TEST(XlsRk, EncodingTable)
{
    struct Case {
        double value;
        bool ok;
        uint32_t rk;
    } cases[] = {
        {0.0, true, 0x00000002},
        {1.0, true, 0x00000006},
        {-1.0, true, 0xFFFFFFFE},
        {536870911.0, true, 0x7FFFFFFE},
        {-536870912.0, true, 0x80000002},
        {536870912.0, true, 0x41C00000},   // beyond 30 bits: the double's upper bits
        {1.5, true, 0x3FF80000},           // the double itself
        {12.34, true, 0x0000134B},         // 1234 / 100
        {0.1, true, 0x0000002B},           // 10 / 100
        {0.07, true, 0x0000001F},          // 7 / 100, though 0.07 * 100 is 7.000000000000001
        {0.5, true, 0x3FE00000},
        {1e10, false, 0},
        {1.0 / 3.0, false, 0},
        {std::numeric_limits<double>::quiet_NaN(), false, 0},
        {std::numeric_limits<double>::infinity(), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        uint32_t rk = 0;
        ASSERT_EQ(c.ok, XlsEncodeRk(c.value, rk));
        if (c.ok) {
            EXPECT_EQ(c.rk, rk);
            EXPECT_EQ(c.value, XlsDecodeRk(rk));
        }
    }
}

TEST(XlsPassword, VerifierTable)
{
    EXPECT_EQ(0x83AF, XlsPasswordVerifier("password"));
    EXPECT_EQ(0, XlsPasswordVerifier(""));
    EXPECT_NE(XlsPasswordVerifier("a"), XlsPasswordVerifier("b"));
}

TEST(XlsCellFormatTest, BitLayout)
{
    XlsCellFormat xf;
    xf.SetFont(5);
    xf.SetHorizontalAlign(2);
    xf.SetVerticalAlign(1);
    xf.SetWrap(true);
    xf.SetBottomBorder(5, 0);
    xf.SetSolidFill(1);
    EXPECT_EQ("E0 00 14 00 05 00 00 00 01 00 1A 00 00 78 00 50 00 00 00 20 00 04 81 20", ToHex(xf.Record()));

    struct Case {
        const char* name;
        void (*set)(XlsCellFormat&);
        uint32_t border;
        uint32_t second;
    } cases[] = {
        {"left", [](XlsCellFormat& f) { f.SetLeftBorder(2, 10); }, 0x2u | (10u << 16), 0},
        {"right", [](XlsCellFormat& f) { f.SetRightBorder(3, 12); }, (3u << 4) | (12u << 23), 0},
        {"top", [](XlsCellFormat& f) { f.SetTopBorder(4, 17); }, 4u << 8, 17u},
        {"bottom", [](XlsCellFormat& f) { f.SetBottomBorder(11, 18); }, 11u << 12, 18u << 7},
        {"colour 0 is 64", [](XlsCellFormat& f) { f.SetLeftBorder(1, 0); }, 1u | (64u << 16), 0},
        {"fill", [](XlsCellFormat& f) { f.SetSolidFill(22); }, 0, 1u << 26},
    };
    for (const Case& c : cases) {
        XlsCellFormat f;
        c.set(f);
        EXPECT_EQ(c.border, f.GetBorderWord()) << c.name;
        EXPECT_EQ(c.second, f.GetSecondWord()) << c.name;
        bool border = std::string(c.name) != "fill";
        EXPECT_EQ(border ? 0x20 : 0x40, f.GetUsedAttributes()) << c.name;
    }
    XlsCellFormat fill;
    fill.SetSolidFill(22);
    EXPECT_EQ(0x2080 | 22, fill.GetPatternColours());

    struct AlignCase {
        int h, v;
        bool wrap;
        uint8_t byte;
    } aligns[] = {{1, 0, false, 0x01}, {3, 2, false, 0x23}, {2, 1, true, 0x1A}};
    for (const AlignCase& a : aligns) {
        XlsCellFormat f;
        f.SetHorizontalAlign(a.h);
        f.SetVerticalAlign(a.v);
        f.SetWrap(a.wrap);
        EXPECT_EQ(a.byte, f.GetAlignByte());
    }
}

TEST(XlsMapping, PixelsToPointsTable)
{
    struct Case {
        int pixels, dpi, points;
    } cases[] = {
        {16, 96, 12}, {13, 96, 10}, {14, 96, 11}, {0, 96, 0}, {1, 96, 1},
        {2, 96, 2}, {20, 120, 12}, {16, 0, 12}, {-16, 96, -12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.points, PixelsToPoints(c.pixels, c.dpi)) << c.pixels << " px at " << c.dpi;
}

TEST(XlsMapping, NearestColourIsNearestInRedGreenBlue)
{
    struct Case {
        COLORREF clr;
        int index;
    } cases[] = {
        {RGB(0, 0, 0), 0},        {RGB(0, 0, 1), 0},       {RGB(255, 255, 255), 1},
        {0xFFFFFE, 1},            {RGB(250, 250, 250), 1}, {RGB(255, 0, 0), 2},
        {RGB(0, 0, 255), 4},      {RGB(255, 255, 0), 5},   {RGB(0x80, 0, 0), 16},
        {RGB(0xC0, 0xC0, 0xC0), 22}, {RGB(0x99, 0x33, 0x66), 25}, {RGB(0x00, 0x33, 0x66), 56},
        {RGB(0x7F, 0x01, 0x00), 16},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, GetExcelColourIndex(c.clr)) << std::hex << c.clr;
}

TEST(XlsMapping, BorderStyleTable)
{
    struct Case {
        int pen, width, style;
    } cases[] = {
        {PS_SOLID, 1, 1}, {PS_SOLID, 2, 2}, {PS_SOLID, 3, 5}, {PS_SOLID, 0, 1},
        {PS_DASH, 1, 3},  {PS_DOT, 1, 4},   {PS_DASHDOT, 1, 9}, {PS_DASHDOTDOT, 2, 11},
        {PS_NULL, 1, 0},  {PS_INSIDEFRAME, 1, 0}, {99, 1, 0}, {-1, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.style, MapBorderStyleToExcel(c.pen, c.width)) << c.pen << "/" << c.width;
}

}  // namespace
