// The format's limits on texts: a cell text over 32,767 characters and a
// header or footer over 255 are refused (the save answers 0 and the old
// file stays) rather than cut; a sheet name is cut to its first 31
// characters, whole characters, and a Chinese name is written in UTF-16.
#include "XlsGridFixture.h"
#include "XlsTestUtil.h"

#include "document/GridXlsExport.h"
#include "document/XlsWorkbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using xlstest::Rec;
using xlstest::Walk;

namespace {

const char kWord[] = "表";   // one character, two bytes

std::string Repeat(const std::string& piece, size_t n)
{
    std::string s;
    s.reserve(piece.size() * n);
    for (size_t i = 0; i < n; ++i)
        s += piece;
    return s;
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::vector<uint8_t> b;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return b;
    for (int c; (c = std::fgetc(f)) != EOF;)
        b.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return b;
}

const std::string kPath = "kivo_text_limits.xls";

// Saves over an existing workbook; answers the save's result and checks
// that a refused save left the old file as it was.
int SaveOverOld(XlsWorkbook& book, XlsWorkbook::SaveStatus* status)
{
    XlsWorkbook old;
    old.AddSheet("Old")->SetCellText(0, 0, "old", -1);
    EXPECT_EQ(1, old.Save(kPath.c_str()));
    const std::vector<uint8_t> before = ReadFile(kPath);
    const int result = book.Save(kPath.c_str());
    *status = book.GetSaveStatus();
    if (result == 0)
        EXPECT_EQ(before, ReadFile(kPath));
    else
        EXPECT_NE(before, ReadFile(kPath));
    EXPECT_TRUE(ReadFile(kPath + ".kivo-tmp").empty());
    std::remove(kPath.c_str());
    return result;
}

TEST(XlsTextLimits, CellTextsOverTheLimitAreRefused)
{
    struct Case {
        const char* what;
        std::string text;
        int result;
        XlsWorkbook::SaveStatus status;
    } cases[] = {
        {"plain at the limit", std::string(32767, 'a'), 1, XlsWorkbook::SAVE_OK},
        {"plain one over", std::string(32768, 'a'), 0, XlsWorkbook::SAVE_TEXT_TOO_LONG},
        {"Chinese at the limit (65,534 bytes)", Repeat(kWord, 32767), 1, XlsWorkbook::SAVE_OK},
        {"Chinese one over", Repeat(kWord, 32768), 0, XlsWorkbook::SAVE_TEXT_TOO_LONG},
        {"mixed: more bytes than the limit, fewer characters", Repeat(std::string(kWord) + "a", 20000), 0,
         XlsWorkbook::SAVE_TEXT_TOO_LONG},
        {"mixed under the limit", Repeat(std::string(kWord) + "a", 16000), 1, XlsWorkbook::SAVE_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        XlsWorkbook book;
        XlsSheet* sheet = book.AddSheet("Sheet1");
        sheet->SetCellText(0, 0, "short", -1);
        sheet->SetCellText(1, 3, c.text, -1);
        XlsWorkbook::SaveStatus status = XlsWorkbook::SAVE_OK;
        EXPECT_EQ(c.result, SaveOverOld(book, &status));
        EXPECT_EQ(c.status, status);
    }
    // A long text no cell uses any more does not count.
    XlsWorkbook book;
    XlsSheet* sheet = book.AddSheet("Sheet1");
    sheet->SetCellText(0, 0, std::string(40000, 'x'), -1);
    sheet->SetCellText(0, 0, "replaced", -1);
    XlsWorkbook::SaveStatus status = XlsWorkbook::SAVE_OK;
    EXPECT_EQ(1, SaveOverOld(book, &status));
}

TEST(XlsTextLimits, HeadersOverTheLimitAreRefused)
{
    struct Case {
        std::string header;
        int result;
    } cases[] = {
        {std::string(253, 'h'), 1},                      // "&L" + 253 characters: 255
        {std::string(254, 'h'), 0},
        {"&C" + Repeat(kWord, 253), 1},                  // names its section: nothing added
        {"&C" + Repeat(kWord, 254), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header.size());
        XlsWorkbook book;
        book.AddSheet("Sheet1")->SetHeaderFooter(c.header);
        XlsWorkbook::SaveStatus status = XlsWorkbook::SAVE_OK;
        EXPECT_EQ(c.result, SaveOverOld(book, &status));
        EXPECT_EQ(c.result == 1 ? XlsWorkbook::SAVE_OK : XlsWorkbook::SAVE_HEADER_TOO_LONG, status);
    }
}

// The name in the BOUNDSHEET record: its length, flag and characters.
struct SheetName {
    int length = -1;
    int flag = -1;
    std::u16string chars;
};

SheetName BoundSheetName(const std::string& name)
{
    XlsWorkbook book;
    book.AddSheet(name);
    SheetName n;
    for (const Rec& r : Walk(book.BuildStream())) {
        if (r.type != XLS_BOUNDSHEET || r.data.size() < 8)
            continue;
        n.length = r.data[6];
        n.flag = r.data[7];
        const size_t unit = n.flag ? 2 : 1;
        for (size_t at = 8; at + unit <= r.data.size(); at += unit)
            n.chars.push_back(static_cast<char16_t>(unit == 2 ? (r.data[at] | (r.data[at + 1] << 8)) : r.data[at]));
    }
    return n;
}

TEST(XlsTextLimits, SheetNamesAreCutToWholeCharacters)
{
    SheetName plain = BoundSheetName(std::string(40, 'n'));
    EXPECT_EQ(31, plain.length);
    EXPECT_EQ(0, plain.flag);
    EXPECT_EQ(std::u16string(31, u'n'), plain.chars);

    SheetName chinese = BoundSheetName("数据表");
    EXPECT_EQ(3, chinese.length);
    EXPECT_EQ(1, chinese.flag);
    EXPECT_EQ(u"数据表", chinese.chars);

    // 20 two-byte characters are 40 bytes: cut to 31 characters, never
    // inside one.
    SheetName mixed = BoundSheetName("ab" + Repeat(kWord, 40));
    EXPECT_EQ(31, mixed.length);
    EXPECT_EQ(1, mixed.flag);
    EXPECT_EQ(u"ab" + std::u16string(29, u'表'), mixed.chars);
}

// Through the grid: a cell text over the limit makes the export answer 0.
TEST(XlsTextLimits, TheGridsExportRefusesATooLongCellText)
{
    auto grid = xlsgrid::MakeSheet(3, 3, 1, 1);
    grid->SetCellText(1, 1, std::string(32768, 'a').c_str());
    EXPECT_EQ(0, SaveExcelFile(*grid, kPath.c_str(), ""));
    EXPECT_TRUE(ReadFile(kPath).empty());
    grid->SetCellText(1, 1, std::string(32767, 'a').c_str());
    EXPECT_EQ(1, SaveExcelFile(*grid, kPath.c_str(), ""));
    std::remove(kPath.c_str());
}

}  // namespace
