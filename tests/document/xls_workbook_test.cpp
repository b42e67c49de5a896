// The workbook and sheet streams, the shared string table and the compound
// file around them.
#include "XlsTestUtil.h"

#include "document/CompoundFile.h"
#include "document/XlsHeaderFooterText.h"
#include "document/XlsWorkbook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using xlstest::Hex;
using xlstest::Rec;
using xlstest::ToHex;
using xlstest::U16;
using xlstest::U32;
using xlstest::Walk;

namespace {

std::vector<uint16_t> Types(const std::vector<Rec>& recs)
{
    std::vector<uint16_t> t;
    for (const Rec& r : recs)
        t.push_back(r.type);
    return t;
}

const Rec* Find(const std::vector<Rec>& recs, uint16_t type)
{
    for (const Rec& r : recs)
        if (r.type == type)
            return &r;
    return nullptr;
}

TEST(XlsWorkbookTest, OneEmptySheetGoldenBytes)
{
    XlsWorkbook book;
    book.SetDefaultFont("Tahoma", 10);
    book.AddSheet("Sheet1");
    XlsBytes s = book.BuildStream();
    std::vector<Rec> globals = Walk(s);

    std::vector<uint16_t> want = {XLS_BOF, XLS_WINDOW1};
    want.insert(want.end(), 4, XLS_FONT);
    want.insert(want.end(), 8, XLS_FORMAT);
    want.insert(want.end(), 21, XLS_XF);
    want.insert(want.end(), 6, XLS_STYLE);
    want.insert(want.end(), {XLS_BOUNDSHEET, XLS_SUPBOOK, XLS_EXTERNSHEET, XLS_EOF});
    EXPECT_EQ(want, Types(globals));
    EXPECT_EQ("C8 00 00 00 FF 7F 90 01 00 00 00 00 00 00 06 01 54 00 61 00 68 00 6F 00 6D 00 61 00",
              ToHex(globals[2].data));
    EXPECT_EQ("00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 C0 20", ToHex(globals[2 + 4 + 8 + 15].data))
        << "the default cell XF 15";

    const Rec* bound = Find(globals, XLS_BOUNDSHEET);
    ASSERT_NE(nullptr, bound);
    const uint32_t offset = U32(bound->data, 0);
    EXPECT_EQ(globals.back().pos + 4, offset) << "the sheet's BOF follows the globals' EOF";
    ASSERT_EQ(s.size(), offset + 194u);
    EXPECT_EQ("09 08 10 00 00 06 10 00 F3 27 CD 07 C9 40 00 00 06 01 00 00 "   // BOF
              "0B 02 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "   // INDEX
              "0C 00 02 00 64 00 0D 00 02 00 01 00 "                           // CALCCOUNT, CALCMODE
              "2A 00 02 00 00 00 2B 00 02 00 00 00 82 00 02 00 01 00 81 00 02 00 C1 04 "
              "14 00 00 00 15 00 00 00 83 00 02 00 00 00 84 00 02 00 00 00 "  // header, footer, centring
              "26 00 08 00 00 00 00 00 00 00 E8 3F 27 00 08 00 00 00 00 00 00 00 E8 3F "
              "28 00 08 00 00 00 00 00 00 00 F0 3F 29 00 08 00 00 00 00 00 00 00 F0 3F "
              "55 00 02 00 08 00 "                                             // DEFCOLWIDTH
              "00 02 0E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "         // DIMENSION 0..0
              "3E 02 12 00 16 00 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00 "  // WINDOW2
              "0A 00 00 00",
              ToHex(XlsBytes(s.begin() + offset, s.end())));
}

TEST(XlsWorkbookTest, DefaultFontIsSetOnceAndArialWhenNeverSet)
{
    XlsWorkbook book;
    book.AddSheet("S");
    std::vector<Rec> recs = Walk(book.BuildStream());
    ASSERT_EQ(XLS_FONT, recs[2].type);
    EXPECT_EQ("C8 00 00 00 FF 7F 90 01 00 00 00 00 00 00 05 01 41 00 72 00 69 00 61 00 6C 00", ToHex(recs[2].data));

    XlsWorkbook twice;
    twice.SetDefaultFont("Tahoma", 12);
    twice.SetDefaultFont("Arial", 8);
    twice.AddSheet("S");
    recs = Walk(twice.BuildStream());
    EXPECT_EQ(240, U16(recs[5].data, 0));
    EXPECT_EQ('T', recs[5].data[16]);
}

TEST(XlsWorkbookTest, SharedStringsAreSharedAndCounted)
{
    XlsWorkbook book;
    XlsSheet* sheet = book.AddSheet("S");
    sheet->SetCellText(0, 0, "a", -1);
    sheet->SetCellText(1, 0, "b", -1);
    sheet->SetCellText(0, 1, "a", -1);
    sheet->SetCellText(1, 1, "=1+1", -1);   // kept as a text
    sheet->SetCellValue(2, 1, XLS_VALUE_TEXT_OR_BLANK, "", 0, -1);
    sheet->SetCellValue(3, 1, XLS_VALUE_RK, "", 2.0, -1);
    sheet->SetCellValue(4, 1, XLS_VALUE_RK, "", 1.0 / 3.0, -1);   // not an RK: a NUMBER
    sheet->SetCellNumber(5, 1, 7.25, -1);
    sheet->SetCellText(6, 1, "b", -1);
    sheet->SetCellText(6, 1, "c", -1);   // the last value of a cell counts
    XlsBytes s = book.BuildStream();
    EXPECT_EQ(5u, book.GetSharedStringTotal());
    EXPECT_EQ(4u, book.GetSharedStringCount());

    std::vector<Rec> globals = Walk(s);
    const Rec* sst = Find(globals, XLS_SST);
    ASSERT_NE(nullptr, sst);
    EXPECT_EQ("05 00 00 00 04 00 00 00 01 00 00 61 01 00 00 62 04 00 00 3D 31 2B 31 01 00 00 63", ToHex(sst->data));
    ASSERT_NE(nullptr, Find(globals, XLS_EXTSST));

    std::vector<Rec> sheetRecs = Walk(s, globals.back().pos + 4);
    std::vector<std::string> cells;
    for (const Rec& r : sheetRecs) {
        if (r.type == XLS_LABELSST)
            cells.push_back("L" + std::to_string(U16(r.data, 0)) + "," + std::to_string(U16(r.data, 2)) + "=" +
                            std::to_string(U32(r.data, 6)));
        else if (r.type == XLS_BLANK)
            cells.push_back("B" + std::to_string(U16(r.data, 2)));
        else if (r.type == XLS_RK)
            cells.push_back("R" + std::to_string(U16(r.data, 2)));
        else if (r.type == XLS_NUMBER)
            cells.push_back("N" + std::to_string(U16(r.data, 2)));
    }
    EXPECT_EQ((std::vector<std::string>{"L0,0=0", "L0,1=1", "L1,0=0", "L1,1=2", "B2", "R3", "N4", "N5", "L1,6=3"}),
              cells);
}

TEST(XlsWorkbookTest, LongStringTableContinuesInContinueRecords)
{
    XlsWorkbook book;
    XlsSheet* sheet = book.AddSheet("S");
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string t = "string number " + std::to_string(i);
        if (i % 5 == 0)
            t += " \xD6\xD0";   // UTF-16
        if (i == 1000)
            t = std::string(20000, 'x');   // longer than one record
        texts.push_back(t);
        sheet->SetCellText(i % 10, i / 10, t, -1);
    }
    XlsBytes s = book.BuildStream();
    std::vector<Rec> globals = Walk(s);
    // Join the SST and its CONTINUE records back into the strings.
    std::vector<std::string> read;
    size_t k = 0;
    for (; k < globals.size() && globals[k].type != XLS_SST; ++k) {
    }
    ASSERT_LT(k, globals.size());
    EXPECT_EQ(3000u, U32(globals[k].data, 0));
    EXPECT_EQ(3000u, U32(globals[k].data, 4));
    XlsBytes cur = globals[k].data;
    size_t pos = 8;
    auto next = [&]() {
        ++k;
        EXPECT_EQ(XLS_CONTINUE, globals[k].type);
        cur = globals[k].data;
        pos = 0;
    };
    for (int i = 0; i < 3000; ++i) {
        if (pos >= cur.size())
            next();
        uint16_t cch = U16(cur, pos);
        uint8_t flag = cur[pos + 2];
        pos += 3;
        std::string text;
        size_t left = cch;
        while (left > 0) {
            if (pos >= cur.size()) {
                next();
                flag = cur[pos++];
            }
            size_t unit = flag ? 2 : 1;
            size_t take = std::min(left, (cur.size() - pos) / unit);
            for (size_t c = 0; c < take; ++c) {
                uint16_t ch = unit == 2 ? U16(cur, pos + 2 * c) : cur[pos + c];
                text += ch < 0x80 ? static_cast<char>(ch) : '?';
            }
            pos += take * unit;
            left -= take;
        }
        std::string want = texts[static_cast<size_t>(i)];
        if (i % 5 == 0 && i != 1000)
            want = want.substr(0, want.size() - 2) + "?";
        ASSERT_EQ(want, text) << i;
    }
    for (const Rec& r : globals)
        EXPECT_LE(r.data.size(), kXlsMaxRecordData);
}

TEST(XlsWorkbookTest, RowsMergesColumnsAndProtection)
{
    XlsWorkbook book;
    XlsSheet* sheet = book.AddSheet("S");
    XlsCellFormat thick;
    thick.SetBottomBorder(5, 0);
    int xf = book.AddFormat(thick);
    EXPECT_EQ(21, xf);
    EXPECT_EQ(21, book.AddFormat(thick)) << "equal formats share one XF";
    sheet->SetCellNumber(2, 1, 1.0, xf);
    sheet->GetRow(1).height = 300;
    sheet->GetRow(1).options = 0x40;
    sheet->SetColumnWidth(2, 2, 2340, -1);
    sheet->AddMergedRange(1, 2, 3, 4);
    sheet->AddMergedRange(1, 2, 3, 4);
    sheet->Protect("password");
    XlsBytes s = book.BuildStream();
    std::vector<Rec> globals = Walk(s);
    std::vector<Rec> recs = Walk(s, globals.back().pos + 4);

    const Rec* row = Find(recs, XLS_ROW);
    ASSERT_NE(nullptr, row);
    EXPECT_EQ("01 00 02 00 03 00 2C 01 00 00 00 00 40 01 0F 20", ToHex(row->data)) << "thick bottom sets 0x2000";
    const Rec* merged = Find(recs, XLS_MERGEDCELLS);
    ASSERT_NE(nullptr, merged);
    EXPECT_EQ("01 00 01 00 03 00 02 00 04 00", ToHex(merged->data));
    ASSERT_NE(nullptr, Find(recs, XLS_PROTECT));
    EXPECT_EQ("AF 83", ToHex(Find(recs, XLS_PASSWORD)->data));
    EXPECT_EQ("02 00 02 00 24 09 0F 00 00 00 00 00", ToHex(Find(recs, XLS_COLINFO)->data));
    EXPECT_EQ("01 00 00 00 02 00 00 00 02 00 03 00 00 00", ToHex(Find(recs, XLS_DIMENSION)->data));

    // INDEX points at the DBCELL, which points back at the ROW record.
    const Rec* index = Find(recs, XLS_INDEX);
    const Rec* dbcell = Find(recs, XLS_DBCELL);
    ASSERT_NE(nullptr, index);
    ASSERT_NE(nullptr, dbcell);
    EXPECT_EQ(dbcell->pos, U32(index->data, 16));
    EXPECT_EQ(row->pos, dbcell->pos - U32(dbcell->data, 0));
}

TEST(XlsWorkbookTest, FormatTableHasALimitAndFontsSkipIndexFour)
{
    XlsWorkbook book;
    XlsFontSpec a, b;
    b.weight = 700;
    EXPECT_EQ(5, book.AddFont(a));
    EXPECT_EQ(6, book.AddFont(b));
    EXPECT_EQ(5, book.AddFont(a));
    for (int i = 0; i < 5000; ++i) {
        XlsCellFormat f;
        f.SetFont(static_cast<uint16_t>(i));
        int xf = book.AddFormat(f);
        EXPECT_EQ(i < kXlsMaxFormats - 21 ? 21 + i : 15, xf);
        if (xf == 15)
            break;
    }
    EXPECT_EQ(kXlsMaxFormats, book.GetFormatCount());
}

TEST(XlsHeaderFooter, SectionsSizesAndDoubledAmpersands)
{
    XlsHeaderFooterText t;
    t.AppendRightSection();
    t.AppendFontSize(8);
    t.AppendText("R&D & more");
    EXPECT_EQ("&R&8R&&D && more", t.GetText());
}

TEST(CompoundFileTest, SmallFileGoldenBytes)
{
    std::vector<uint8_t> f = BuildCompoundFile("Workbook", {'A', 'B', 'C'});
    ASSERT_EQ(5u * 512, f.size());
    XlsBytes want = Hex("D0CF11E0A1B11AE1 00000000000000000000000000000000 3E00 0300 FEFF 0900 0600 000000000000"
                        "00000000 01000000 02000000 00000000 00100000 01000000 01000000 FEFFFFFF 00000000"
                        "03000000");
    want.resize(512, 0xFF);
    // Sector 0: the mini stream (one 64-byte mini sector holding "ABC").
    XlsBytes s0 = {'A', 'B', 'C'};
    s0.resize(512, 0);
    // Sector 1: the mini FAT.
    XlsBytes s1 = Hex("FEFFFFFF");
    s1.resize(512, 0xFF);
    // Sector 2: the directory: root, "Workbook", two unused entries.
    XlsBytes s2(512, 0);
    XlsBytes root = Hex("52006F006F007400200045006E00740072007900");
    std::copy(root.begin(), root.end(), s2.begin());
    XlsBytes rootMeta = Hex("1600 05 01 FFFFFFFF FFFFFFFF 01000000");
    std::copy(rootMeta.begin(), rootMeta.end(), s2.begin() + 64);
    XlsBytes rootStream = Hex("00000000 40000000");
    std::copy(rootStream.begin(), rootStream.end(), s2.begin() + 116);
    XlsBytes name = Hex("57006F0072006B0062006F006F006B00");
    std::copy(name.begin(), name.end(), s2.begin() + 128);
    XlsBytes meta = Hex("1200 02 01 FFFFFFFF FFFFFFFF FFFFFFFF");
    std::copy(meta.begin(), meta.end(), s2.begin() + 128 + 64);
    XlsBytes stream = Hex("00000000 03000000");
    std::copy(stream.begin(), stream.end(), s2.begin() + 128 + 116);
    for (int e = 2; e < 4; ++e) {
        XlsBytes links = Hex("FFFFFFFF FFFFFFFF FFFFFFFF");
        std::copy(links.begin(), links.end(), s2.begin() + 128 * e + 68);
    }
    // Sector 3: the FAT: mini stream, mini FAT and directory one sector each, then itself.
    XlsBytes s3 = Hex("FEFFFFFF FEFFFFFF FEFFFFFF FDFFFFFF");
    s3.resize(512, 0xFF);
    for (const XlsBytes* part : {&s0, &s1, &s2, &s3})
        want.insert(want.end(), part->begin(), part->end());
    EXPECT_EQ(want, f);
}

TEST(CompoundFileTest, LargeStreamsUseRegularSectorsAndDifat)
{
    std::vector<uint8_t> data(4096, 0x5A);
    std::vector<uint8_t> f = BuildCompoundFile("Workbook", data);
    EXPECT_EQ(0xFFFFFFFEu, U32(f, 60)) << "no mini FAT";
    // Beyond 109 FAT sectors (109 * 128 sectors) the DIFAT chain starts.
    std::vector<uint8_t> big(110u * 128 * 512, 1);
    f = BuildCompoundFile("Workbook", big);
    EXPECT_EQ(1u, U32(f, 72)) << "one DIFAT sector";
    EXPECT_EQ(111u, U32(f, 44)) << "FAT sectors";
    EXPECT_TRUE(BuildCompoundFile("", data).empty());
    EXPECT_TRUE(BuildCompoundFile(std::string(32, 'x'), data).empty());
}

}  // namespace
