// Template files and strings: golden bytes of the header and the sections,
// round trips of every part of a sheet, and damaged input that must leave the
// shown sheet exactly as it was.
#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/CMemFile.h"
#include "cellcontent/FontElement.h"
#include "cells/InPlaceEditHooks.h"
#include "document/DefaultSettingArchive.h"
#include "document/PrintSettingsArchive.h"
#include "document/TemplateArchive.h"
#include "document/TemplateBase64.h"
#include "document/TemplateFile.h"
#include "document/TemplateGridBody.h"
#include "document/TemplatePassword.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes SaveBytes(CGridCtrl& grid, const char* password = "")
{
    Bytes bytes;
    EXPECT_TRUE(SaveTemplateBytes(grid, password, bytes));
    return bytes;
}

Bytes FileBytes(const char* path)
{
    Bytes bytes;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return bytes;
    int ch;
    while ((ch = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<BYTE>(ch));
    std::fclose(f);
    return bytes;
}

void WriteFileBytes(const char* path, const Bytes& bytes)
{
    std::FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string Hex(const BYTE* p, size_t n)
{
    std::string s;
    char buf[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", p[i]);
        s += buf;
    }
    return s;
}

// Where two byte forms first differ (their common length when one is a prefix).
size_t FirstDifference(const Bytes& a, const Bytes& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i == a.size() && i == b.size() ? std::string::npos : i;
}

int ReadInt(const Bytes& b, size_t at)
{
    int v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// A small sheet with something of every part a template carries.
std::unique_ptr<CGridCtrl> MakeSheet()
{
    auto grid = std::make_unique<CGridCtrl>(8, 6, 1, 1);
    grid->SetCellText(1, 1, "\xD6\xD0\xCE\xC4");        // Chinese
    grid->SetCellValue(2, 3, 42.5);
    grid->SetCellText(3, 2, "plain");
    grid->SetCellBackColor(3, 2, RGB(1, 2, 3));
    grid->SetCellTextFont(4, 4, "<font name=\"Arial\" size=\"12\"/>");
    grid->SetCellId(2, 3, "price");
    grid->SetCellId(5, 5, "total");
    grid->SetColumnWidth(2, 111);
    grid->SetRowHeight(3, 33);
    grid->MergeCells(6, 1, 7, 2);
    grid->SetCellFormula(5, 5, "=C3*2");
    grid->SetColumnSortType(3, TRUE);
    grid->SetRowOddBkColor(RGB(9, 9, 9));
    grid->SetRowRefFlags(3);
    grid->SetFreezeTopRows(2);
    grid->AddUserFunction("MYFN", 2);
    grid->AddUserConstant("RATE", 0.25);
    const BYTE picture[] = {'B', 'M', 1, 2, 3, 4, 5};
    grid->GetPictureList().AddPictureData(picture, sizeof picture);
    grid->GetDefaultSettingRecord().m_nRowHeight = 21;
    grid->GetDefaultSettingRecord().m_strSecondText = "second";
    grid->GetDefaultSettingRecord().m_bEditable = 0;
    grid->GetPrintSettings().m_strPrintTexts[1] = "print text";
    grid->GetPrintSettings().m_header.entries[0].strText = "\xD2\xB3\xC3\xBC";
    grid->GetPrintSettings().m_dPrintScale = 0.75;
    grid->GetFileInfo().strAuthor = "author";
    grid->GetFileInfo().nInfoValue2 = 7;
    return grid;
}

class TemplateFileTest : public ::testing::Test {
protected:
    void SetUp() override { InstallInPlaceEditHooks(); }
};

void AppendInt(Bytes& b, int v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<BYTE>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF));
}

// A sheet of two tree columns: rows 1-4 of column 1 and rows 6-7 of column 2.
std::unique_ptr<CGridCtrl> MakeTreeSheet()
{
    auto grid = std::make_unique<CGridCtrl>(10, 4, 1, 1);
    EXPECT_TRUE(grid->SetColumnControlTree(1, 1, "<control treerow = \"1,2,2,3\" ></control>"));
    EXPECT_TRUE(grid->SetColumnControlTree(6, 2, "<control treerow = \"1,2\" linecolor = \"RGB(1,2,3)\" ></control>"));
    for (int row = 1; row < 8; ++row)
        grid->SetCellText(row, row < 6 ? 1 : 2, ("node" + std::to_string(row)).c_str());
    return grid;
}

// The tree-column list of the body: int32 count, then per tree its size and
// its record (the size again, the text item, the position item, the end tag).
Bytes TreeListBytes(const CGridCtrl& grid)
{
    Bytes b;
    AppendInt(b, grid.GetTreeCount());
    for (int i = 0; i < grid.GetTreeCount(); ++i) {
        const CTreeColumn* tree = grid.GetTreeAt(i);
        const CString text = tree->GetAttributeText();
        AppendInt(b, text.GetLength() + 25);
        AppendInt(b, text.GetLength() + 25);
        AppendInt(b, 4101);
        AppendInt(b, text.GetLength() + 1);
        b.insert(b.end(), static_cast<LPCTSTR>(text), static_cast<LPCTSTR>(text) + text.GetLength() + 1);
        AppendInt(b, 4102);
        AppendInt(b, 8);
        AppendInt(b, tree->GetStartRow());
        AppendInt(b, tree->GetTreeColumn());
        AppendInt(b, 4300);
    }
    return b;
}

size_t Find(const Bytes& haystack, const Bytes& needle)
{
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    return it == haystack.end() ? std::string::npos : static_cast<size_t>(it - haystack.begin());
}

// ---- golden bytes -------------------------------------------------------------------

TEST_F(TemplateFileTest, FreshGridHeaderIs71GoldenBytes)
{
    CGridCtrl grid;
    const Bytes bytes = SaveBytes(grid);
    ASSERT_GE(bytes.size(), 71u);
    const std::string expected =
        "4b49564f00"                    // "KIVO" NUL
        "30342e303100"                  // "04.01" padded to 6
        "58000000"                      // format 88
        "01000000" "00000000"           // values A, B
        "0000000000000000"              // the 14-digit number, 0
        "00000000" "00" "0000" "00000000" "00000000"
        "0000000000000000"              // value H
        "000000" "0000000000" "000000000000000000";
    EXPECT_EQ(expected, Hex(bytes.data(), 71));
    EXPECT_EQ(1, bytes[71]);            // section 1 follows
}

TEST_F(TemplateFileTest, SectionSizesCountTheBytesWritten)
{
    auto grid = MakeSheet();
    const Bytes b = SaveBytes(*grid);
    size_t at = 71;
    ASSERT_EQ(1, b[at]);
    const int combined = ReadInt(b, at + 1);
    at += 5;
    ASSERT_EQ(2, b[at]);
    const int body = ReadInt(b, at + 1);
    at += 5 + static_cast<size_t>(body);
    ASSERT_EQ(3, b[at]);
    const int print = ReadInt(b, at + 1);
    EXPECT_EQ(combined, body + print);
    EXPECT_EQ(print, GetPrintSettingsSectionSize(grid->GetPrintSettings()));
    at += 5 + static_cast<size_t>(print);
    EXPECT_EQ(4, b[at]);
}

TEST_F(TemplateFileTest, EmptyPrintSettingsSectionIs958Bytes)
{
    CGridPrintSettings settings;
    EXPECT_EQ(958, GetPrintSettingsSectionSize(settings));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WritePrintSettingsSection(ar, settings);
    }
    EXPECT_EQ(962u, file.GetLength());
    settings.m_strPrintTexts[0] = "abc";
    settings.m_header.entries[2].strText = "xy";
    EXPECT_EQ(963, GetPrintSettingsSectionSize(settings));
}

TEST_F(TemplateFileTest, EmptyCellListIsTheEndWordAlone)
{
    CGridCtrl grid;
    const Bytes b = SaveBytes(grid);
    size_t at = 71 + 5;
    const int body = ReadInt(b, at + 1);
    at += 5 + static_cast<size_t>(body);
    const int print = ReadInt(b, at + 1);
    at += 5 + static_cast<size_t>(print);
    ASSERT_EQ(4, b[at]);
    EXPECT_EQ("00040000", Hex(b.data() + at + 1, 4));
    EXPECT_EQ(5, b[at + 5]);
}

TEST_F(TemplateFileTest, DefaultSettingRecordGoldenBytes)
{
    struct Case {
        const char* name;
        void (*setup)(CGridDefaultSetting&);
        const char* hex;
    } cases[] = {
        {"nothing set", [](CGridDefaultSetting& s) { s.m_dwTextAlign = -1; }, "00000000"},
        {"row height and alignment",
         [](CGridDefaultSetting& s) {
             s.m_dwTextAlign = 0x24;
             s.m_nRowHeight = 20;
         },
         // size 32; 10006 (0x2716) len 4 = 20; 10013 (0x271d) len 4 = 0x24; end 10199 (0x27d7)
         "20000000" "16270000" "04000000" "14000000" "1d270000" "04000000" "24000000" "d7270000"},
        {"left border and font text",
         [](CGridDefaultSetting& s) {
             s.m_dwTextAlign = -1;
             s.m_wBorderFlags = 1;
             s.m_borders[0] = {0x112233, 1, 2};
             s.m_strFontXml = "ab";
         },
         // size 8 + 10 + 20 + 11 = 49
         "31000000" "11270000" "02000000" "0100" "12270000" "0c000000" "33221100" "01000000" "02000000"
         "1a270000" "03000000" "616200" "d7270000"},
    };
    for (const Case& c : cases) {
        CGridDefaultSetting s;
        c.setup(s);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            WriteDefaultSettingRecord(ar, s);
        }
        EXPECT_EQ(c.hex, Hex(file.GetBufferPtr(), static_cast<size_t>(file.GetLength()))) << c.name;
        if (file.GetLength() > 4)
            EXPECT_EQ(static_cast<int>(file.GetLength()), GetDefaultSettingRecordSize(s)) << c.name;
        // and back
        CMemFile in(const_cast<BYTE*>(file.GetBufferPtr()), static_cast<UINT>(file.GetLength()));
        CArchive ar(&in, CArchive::load);
        CGridDefaultSetting back;
        back.m_dwTextAlign = -1;
        EXPECT_TRUE(ReadDefaultSettingRecord(ar, back)) << c.name;
        EXPECT_EQ(s.m_nRowHeight, back.m_nRowHeight) << c.name;
        EXPECT_EQ(s.m_strFontXml, back.m_strFontXml) << c.name;
        EXPECT_EQ(s.m_wBorderFlags, back.m_wBorderFlags) << c.name;
        EXPECT_EQ(s.m_borders[0].colour, back.m_borders[0].colour) << c.name;
        EXPECT_EQ(0u, in.GetLength() - in.GetPosition()) << c.name;
    }
}

TEST_F(TemplateFileTest, WholeSmallFileGoldenBytes)
{
    // A 1 x 1 sheet with one text: the header, the empty body values, the
    // cell list with one record and the document information.
    CGridCtrl grid(1, 1, 0, 0);
    grid.SetCellText(0, 0, "A");
    const Bytes b = SaveBytes(grid);
    // Reading it back gives the same bytes, and the cell list names the cell.
    CGridCtrl back;
    ASSERT_EQ(1, OpenTemplateBytes(back, b.data(), b.size(), ""));
    EXPECT_EQ(std::string::npos, FirstDifference(b, SaveBytes(back)));
    size_t at = 71 + 5;
    at += 5 + static_cast<size_t>(ReadInt(b, at + 1));
    at += 5 + static_cast<size_t>(ReadInt(b, at + 1));
    ASSERT_EQ(4, b[at]);
    EXPECT_EQ("00000000" "00000000" "00000000", Hex(b.data() + at + 1, 12));   // type 0 at (0, 0)
    // The document information closes the file.
    const std::string tail = Hex(b.data() + b.size() - 8, 8);
    EXPECT_EQ("0000000000000000", tail);     // int32 value 2, empty tail text
}

// ---- round trips ----------------------------------------------------------------

TEST_F(TemplateFileTest, EveryPartOfASheetSurvivesSaveAndOpen)
{
    auto grid = MakeSheet();
    const Bytes saved = SaveBytes(*grid, "secret");
    CGridCtrl back(3, 3);
    back.SetCellText(1, 1, "old");
    ASSERT_EQ(1, OpenTemplateBytes(back, saved.data(), saved.size(), "secret"));
    EXPECT_EQ(std::string::npos, FirstDifference(saved, SaveBytes(back, "secret")));

    EXPECT_EQ(8, back.GetRowCount());
    EXPECT_EQ(6, back.GetColumnCount());
    EXPECT_EQ(1, back.GetFixedRowCount());
    EXPECT_EQ(1, back.GetFixedColumnCount());
    EXPECT_STREQ("\xD6\xD0\xCE\xC4", back.GetCellText(1, 1));
    EXPECT_DOUBLE_EQ(42.5, back.GetCellValue(2, 3));
    EXPECT_EQ(RGB(1, 2, 3), back.GetCellBackColor(3, 2));
    EXPECT_EQ(111, back.GetColumnWidth(2));
    EXPECT_EQ(33, back.GetRowHeight(3));
    int row = -1, col = -1;
    EXPECT_TRUE(back.FindCellById("price", row, col));
    EXPECT_EQ(2, row);
    EXPECT_EQ(3, col);
    EXPECT_TRUE(back.FindCellById("total", row, col));
    EXPECT_EQ(5, row);
    EXPECT_TRUE(back.IsCellMerged(7, 2));
    EXPECT_STREQ("=C3*2", back.GetCellFormula(5, 5));
    EXPECT_EQ(GCT_FORMULA, back.GetCellType(5, 5));
    EXPECT_EQ(1u, back.GetFormulaCells().size());
    EXPECT_EQ(0, back.FindColumnSortType(3) < 0 ? 1 : 0);
    EXPECT_EQ(3, back.GetRowRefFlags());
    EXPECT_EQ(2, back.GetFreezeTopRows());
    EXPECT_TRUE(back.GetRowOddSetting());
    CString name;
    double value = 0;
    EXPECT_TRUE(back.GetUserConstant(0, &name, &value));
    EXPECT_STREQ("RATE", name);
    EXPECT_EQ(1, back.GetPictureList().GetCount());
    EXPECT_EQ(21, back.GetDefaultSettingRecord().m_nRowHeight);
    EXPECT_EQ(0, back.GetDefaultSettingRecord().m_bEditable);
    EXPECT_STREQ("print text", back.GetPrintSettings().m_strPrintTexts[1]);
    EXPECT_STREQ("\xD2\xB3\xC3\xBC", back.GetPrintSettings().m_header.entries[0].strText);
    EXPECT_DOUBLE_EQ(0.75, back.GetPrintSettings().m_dPrintScale);
    EXPECT_STREQ("author", back.GetFileInfo().strAuthor);
    EXPECT_EQ(7, back.GetFileInfo().nInfoValue2);
}

TEST_F(TemplateFileTest, TreeColumnsAreStoredInTheBodyAndComeBackWhole)
{
    auto grid = MakeTreeSheet();
    grid->GetTreeAt(0)->Collapse(2);
    const Bytes saved = SaveBytes(*grid);
    // The list sits in the body right after the last check piece, whose two
    // bytes follow the corner default cell's record.
    const Bytes list = TreeListBytes(*grid);
    const size_t at = Find(saved, list);
    ASSERT_NE(std::string::npos, at);
    const int bodySize = ReadInt(saved, 71 + 6);
    EXPECT_LT(at, 71u + 10 + static_cast<size_t>(bodySize));
    EXPECT_EQ(2, ReadInt(saved, at));

    CGridCtrl back(3, 3);
    back.SetColumnControlTree(1, 0, "<control treerow = \"1,2\" ></control>");
    ASSERT_EQ(1, OpenTemplateBytes(back, saved.data(), saved.size(), ""));
    EXPECT_EQ(std::string::npos, FirstDifference(saved, SaveBytes(back)));
    ASSERT_EQ(2, back.GetTreeCount());
    const CTreeColumn* first = back.GetTreeAt(0);
    const CTreeColumn* second = back.GetTreeAt(1);
    EXPECT_EQ(1, first->GetStartRow());
    EXPECT_EQ(1, first->GetTreeColumn());
    EXPECT_EQ(5, first->GetEndRow());
    EXPECT_EQ(6, second->GetStartRow());
    EXPECT_EQ(2, second->GetTreeColumn());
    EXPECT_EQ(RGB(1, 2, 3), second->GetLineColor());
    const int levels[] = {1, 2, 2, 3};
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(levels[row - 1], first->GetLevel(row)) << row;
        // The folded node's rows are shown again: folds are not stored.
        EXPECT_TRUE(first->IsRowShown(row)) << row;
        EXPECT_GT(back.GetRowHeight(row), 0) << row;
    }
    for (int row = 1; row < 8; ++row) {
        if (row == 5)
            continue;
        const int col = row < 6 ? 1 : 2;
        CGridCellBase* cell = back.GetCell(row, col);
        ASSERT_TRUE(cell != nullptr && cell->IsKindOf(RUNTIME_CLASS(CGridTreeCell))) << row;
        EXPECT_EQ(row < 6 ? first : second, static_cast<CGridTreeCell*>(cell)->GetTree()) << row;
        EXPECT_EQ("node" + std::to_string(row), std::string(back.GetCellText(row, col))) << row;
    }
    // A tree without rows has no record and is not stored.
    CGridCtrl empty(4, 4, 1, 1);
    const Bytes none = SaveBytes(empty);
    CGridCtrl emptyBack;
    ASSERT_EQ(1, OpenTemplateBytes(emptyBack, none.data(), none.size(), ""));
    EXPECT_EQ(0, emptyBack.GetTreeCount());
}

TEST_F(TemplateFileTest, AnOpenReplacesEverythingTheShownSheetHeld)
{
    // A shown sheet with a tree, a formula, tables, a picture, ids, a block,
    // a freeze and a hidden row of its own.
    auto shown = MakeTreeSheet();
    shown->SetCellFormula(8, 3, "=B2+1");
    shown->AddUserConstant("OLD", 1.0);
    const BYTE picture[] = {9, 9};
    shown->GetPictureList().AddPictureData(picture, sizeof picture);
    shown->SetCellId(9, 3, "old id");
    shown->MergeCells(8, 1, 9, 2);
    shown->SetFreezeLeftCols(1);
    shown->SetRowHide(9, TRUE);
    auto grid = MakeSheet();
    const Bytes saved = SaveBytes(*grid);
    ASSERT_EQ(1, OpenTemplateBytes(*shown, saved.data(), saved.size(), ""));
    EXPECT_EQ(std::string::npos, FirstDifference(saved, SaveBytes(*shown)));
    EXPECT_EQ(0, shown->GetTreeCount());
    int row = -1, col = -1;
    EXPECT_FALSE(shown->FindCellById("old id", row, col));
    EXPECT_EQ(0, shown->GetFreezeLeftCols());
    // The cells now belong to the shown sheet: a change there reaches its formulas.
    for (int r = 0; r < shown->GetRowCount(); ++r)
        for (int c = 0; c < shown->GetColumnCount(); ++c)
            ASSERT_EQ(shown.get(), shown->GetCell(r, c)->GetGrid()) << r << "," << c;
    EXPECT_EQ(1u, shown->GetFormulaCells().size());
    shown->SetCellValue(3, 3, 10.0);
    shown->CalcAll();
    EXPECT_STREQ("20", shown->GetCellText(5, 5));
}

TEST_F(TemplateFileTest, HeaderFieldsBelongToTheGridThatReadThem)
{
    auto grid = MakeSheet();
    Bytes bytes = SaveBytes(*grid);
    // Values a writer of another kind left in the header.
    const int valueA = 77;
    std::memcpy(bytes.data() + 15, &valueA, 4);
    bytes[70] = 0x5A;
    CGridCtrl reader;
    ASSERT_EQ(1, OpenTemplateBytes(reader, bytes.data(), bytes.size(), ""));
    const Bytes again = SaveBytes(reader);
    EXPECT_EQ(77, ReadInt(again, 15));
    EXPECT_EQ(0x5A, again[70]);
    // Another grid of the process keeps its own fields.
    CGridCtrl other;
    const Bytes fresh = SaveBytes(other);
    EXPECT_EQ(1, ReadInt(fresh, 15));
    EXPECT_EQ(0, fresh[70]);
}

TEST_F(TemplateFileTest, OlderVersionsReadThroughTheirGates)
{
    // A plain sheet (no cell whose record depends on the version) with a
    // picture, user tables and a freeze: each gate decides what is taken.
    CGridCtrl grid(4, 4, 1, 1);
    grid.SetCellText(2, 2, "x");
    grid.AddUserConstant("K", 2.0);
    const BYTE picture[] = {1, 2, 3};
    grid.GetPictureList().AddPictureData(picture, sizeof picture);
    grid.SetFreezeTopRows(1);
    grid.SetRowRefFlags(5);
    const Bytes saved = SaveBytes(grid);
    struct Case {
        const char* version;
        short refFlags;
        int constants;
        int pictures;
        int freeze;
    } cases[] = {
        {"03.41", 0, 0, 0, 0}, {"03.51", 5, 0, 0, 0}, {"03.61", 5, 1, 0, 0},
        {"03.71", 5, 1, 1, 0}, {"03.81", 5, 1, 1, 1},
    };
    for (const Case& c : cases) {
        Bytes b = saved;
        std::memcpy(b.data() + 5, c.version, 5);
        CGridCtrl back;
        ASSERT_EQ(1, OpenTemplateBytes(back, b.data(), b.size(), "")) << c.version;
        EXPECT_STREQ("x", back.GetCellText(2, 2)) << c.version;
        EXPECT_EQ(c.refFlags, back.GetRowRefFlags()) << c.version;
        CString name;
        double v = 0;
        EXPECT_EQ(c.constants == 1, back.GetUserConstant(0, &name, &v) != FALSE) << c.version;
        EXPECT_EQ(c.pictures, back.GetPictureList().GetCount()) << c.version;
        EXPECT_EQ(c.freeze, back.GetFreezeTopRows()) << c.version;
    }
}

TEST_F(TemplateFileTest, FileSaveAndOpenThroughATemporaryName)
{
    const char* path = "kivo_template_test.kvx";
    std::remove(path);
    auto grid = MakeSheet();
    ASSERT_EQ(1, SaveTemplateFile(*grid, path, "pw"));
    EXPECT_EQ(SaveBytes(*grid, "pw"), FileBytes(path));
    EXPECT_TRUE(FileBytes("kivo_template_test.kvx.~kv0").empty());
    CGridCtrl back;
    EXPECT_EQ(1, OpenTemplateFile(back, path, "pw"));
    EXPECT_STREQ(path, back.GetTemplateState().strFileName);
    EXPECT_EQ(CGridCellPos(2, 2), back.GetFocusCell());
    EXPECT_STREQ("\xD6\xD0\xCE\xC4", back.GetCellText(1, 1));
    std::remove(path);
}

TEST_F(TemplateFileTest, AFailedSaveLeavesTheOldFile)
{
    auto grid = MakeSheet();
    // The target's folder is a file: nothing can be made there.
    const char* blocker = "kivo_template_blocker";
    WriteFileBytes(blocker, Bytes{1, 2, 3});
    EXPECT_EQ(-1, SaveTemplateFile(*grid, "kivo_template_blocker/x.kvx", ""));
    EXPECT_EQ((Bytes{1, 2, 3}), FileBytes(blocker));
    EXPECT_EQ(-1, SaveTemplateFile(*grid, "", ""));
    std::remove(blocker);
}

// ---- strings ---------------------------------------------------------------------

TEST_F(TemplateFileTest, Base64CoderIsStandardAndStrict)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
                 {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xff\xfe\xfd", "//79"}};
    for (const Case& c : cases) {
        const std::string text = CBase64::Encode(reinterpret_cast<const BYTE*>(c.in), std::strlen(c.in));
        EXPECT_EQ(c.out, text);
        std::vector<BYTE> back;
        EXPECT_TRUE(CBase64::Decode(text.c_str(), back));
        EXPECT_EQ(std::string(c.in), std::string(back.begin(), back.end()));
    }
    std::vector<BYTE> bytes;
    EXPECT_TRUE(CBase64::Decode("Zm=9v", bytes));               // '=' skipped anywhere
    EXPECT_EQ("foo", std::string(bytes.begin(), bytes.end()));
    for (const char* bad : {"Zm9v\n", "Zm 9v", "Zm9v!", "\x80Zm9v"}) {
        EXPECT_FALSE(CBase64::Decode(bad, bytes)) << bad;
        EXPECT_TRUE(bytes.empty());
    }
}

TEST_F(TemplateFileTest, StringFormIsTheFileInBase64)
{
    CGridCtrl fresh;
    const CString text = SaveTemplateToBase64(fresh, "");
    EXPECT_EQ(0, std::strncmp(text, "S0lWTwAwNC4wMQBYAAAA", 20));
    const Bytes bytes = SaveBytes(fresh);
    EXPECT_EQ(CBase64::Encode(bytes.data(), bytes.size()), std::string(text));

    auto grid = MakeSheet();
    const CString sheet = SaveTemplateToBase64(*grid, "k");
    CGridCtrl back;
    ASSERT_EQ(1, OpenTemplateFromBase64(back, sheet, "k"));
    EXPECT_EQ(std::string::npos, FirstDifference(SaveBytes(*grid, "k"), SaveBytes(back, "k")));
}

// ---- damaged input leaves the sheet as it was ---------------------------------------

class TemplateBadInputTest : public TemplateFileTest {
protected:
    void SetUp() override
    {
        TemplateFileTest::SetUp();
        shown = std::make_unique<CGridCtrl>(3, 3, 1, 1);
        shown->SetCellText(1, 1, "keep me");
        shown->SetCellId(2, 2, "kept");
        before = SaveBytes(*shown);
    }
    void ExpectUnchanged(const std::string& why)
    {
        EXPECT_EQ(before, SaveBytes(*shown)) << why;
        EXPECT_STREQ("keep me", shown->GetCellText(1, 1)) << why;
    }
    std::unique_ptr<CGridCtrl> shown;
    Bytes before;
};

TEST_F(TemplateBadInputTest, HeaderAndPasswordFailures)
{
    auto grid = MakeSheet();
    const Bytes good = SaveBytes(*grid, "right");
    struct Case {
        const char* name;
        size_t offset;
        BYTE value;
        const char* password;
        int result;
    } cases[] = {
        {"wrong magic", 0, 'X', "right", -2},
        {"magic without its NUL", 4, 'X', "right", -2},
        {"format 87", 11, 87, "right", -3},
        {"wrong password", 0, 'K', "wrong", -2},
        {"empty password for a protected file", 0, 'K', "", -2},
        {"section marker 7", 71, 7, "right", -1},
    };
    for (const Case& c : cases) {
        Bytes b = good;
        b[c.offset] = c.value;
        EXPECT_EQ(c.result, OpenTemplateBytes(*shown, b.data(), b.size(), c.password)) << c.name;
        ExpectUnchanged(c.name);
    }
    // A file saved without a password opens only without one.
    const Bytes open = SaveBytes(*grid, "");
    EXPECT_EQ(-2, OpenTemplateBytes(*shown, open.data(), open.size(), "any"));
    ExpectUnchanged("password for an open file");
}

TEST_F(TemplateBadInputTest, EveryTruncationFailsAndChangesNothing)
{
    auto grid = MakeSheet();
    const Bytes good = SaveBytes(*grid);
    for (size_t length = 0; length < good.size(); ++length) {
        const int result = OpenTemplateBytes(*shown, good.data(), length, "");
        EXPECT_EQ(-1, result) << "cut at " << length;
        if (result != -1)
            break;
    }
    ExpectUnchanged("truncations");
}

TEST_F(TemplateBadInputTest, DamagedCountsAndTypesAreFormatErrors)
{
    CGridCtrl grid(2, 2);
    grid.SetCellText(1, 1, "v");
    grid.SetCellId(1, 1, "id");
    const Bytes good = SaveBytes(grid);
    const size_t body = 71 + 5 + 5;   // first byte of the body
    // Offsets inside the body: V0 4, P1 4, P2 2, V1 4, P3 6, counts at 20.
    const size_t counts = body + 20;
    const size_t widths = counts + 16;
    const size_t ids = widths + 4 + 8 + 6 + 4 + 8 + 8;
    ASSERT_EQ(40, ReadInt(good, ids));             // one cell id
    ASSERT_EQ(40, ReadInt(good, ids + 4));
    struct Case {
        const char* name;
        size_t at;
        int value;
    } cases[] = {
        {"negative rows", counts, -1},
        {"huge rows", counts, 0x7FFFFFF0},
        {"fixed rows above rows", counts + 8, 5},
        {"width length beyond the file", widths, 0x40000000},
        {"cell id entry of 41 bytes", ids + 4, 41},
        {"cell id entry of 0 bytes", ids + 4, 0},
        {"cell id table beyond the file", ids, 40 * 1000000},
    };
    for (const Case& c : cases) {
        Bytes b = good;
        std::memcpy(b.data() + c.at, &c.value, 4);
        EXPECT_EQ(-1, OpenTemplateBytes(*shown, b.data(), b.size(), "")) << c.name;
        ExpectUnchanged(c.name);
    }
    // An unknown cell type in the cell list.
    size_t at = 71 + 5;
    at += 5 + static_cast<size_t>(ReadInt(good, at + 1));
    at += 5 + static_cast<size_t>(ReadInt(good, at + 1));
    for (int type : {8, 13, -1, 1023}) {
        Bytes b = good;
        std::memcpy(b.data() + at + 1, &type, 4);
        EXPECT_EQ(-1, OpenTemplateBytes(*shown, b.data(), b.size(), "")) << "type " << type;
        ExpectUnchanged("cell type");
    }
}

TEST_F(TemplateBadInputTest, DamagedTreeRecordsAreFormatErrors)
{
    auto grid = MakeTreeSheet();
    const Bytes good = SaveBytes(*grid);
    const size_t at = Find(good, TreeListBytes(*grid));
    ASSERT_NE(std::string::npos, at);
    const int size = ReadInt(good, at + 4);
    const size_t position = at + 12 + 8 + static_cast<size_t>(size - 24);   // the first tree's position item
    ASSERT_EQ(4102, ReadInt(good, position));
    struct Case {
        const char* name;
        size_t at;
        int value;
    } cases[] = {
        {"negative tree count", at, -1},
        {"tree count beyond the file", at, 0x10000000},
        {"record size 0", at + 4, 0},
        {"inner size differs", at + 8, size + 1},
        {"record size beyond the file", at + 4, 0x7FFFFFF0},
        {"text length beyond the record", at + 16, size},
        {"negative text length", at + 16, -5},
        {"start row outside the sheet", position + 8, 1000},
        {"column outside the sheet", position + 12, 9},
        {"end tag missing", position + 16, 4101},
    };
    for (const Case& c : cases) {
        Bytes b = good;
        std::memcpy(b.data() + c.at, &c.value, 4);
        EXPECT_EQ(-1, OpenTemplateBytes(*shown, b.data(), b.size(), "")) << c.name;
        ExpectUnchanged(c.name);
        EXPECT_EQ(0, shown->GetTreeCount()) << c.name;
    }
    // The second tree's own text moves it onto the rows of the first.
    Bytes b = good;
    const std::string start = "startrow =\"6\"";
    const size_t text = Find(b, Bytes(start.begin(), start.end()));
    ASSERT_NE(std::string::npos, text);
    b[text + start.size() - 2] = '2';
    EXPECT_EQ(-1, OpenTemplateBytes(*shown, b.data(), b.size(), ""));
    ExpectUnchanged("overlapping trees");
}

TEST_F(TemplateFileTest, PasswordCheckHasNoNulForANonEmptyPassword)
{
    char check[kTemplatePasswordCheckSize];
    MakePasswordCheck("", check);
    for (char ch : check)
        EXPECT_EQ(0, ch);
    MakePasswordCheck("abc", check);
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
              std::string(check, kTemplatePasswordCheckSize));
    char other[kTemplatePasswordCheckSize];
    MakePasswordCheck("abd", other);
    EXPECT_FALSE(PasswordChecksMatch(check, other));
    // 56 bytes: the padding spills into a second block.
    EXPECT_EQ(std::string("\x24\x8d\x6a\x61", 4),
              Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 56).substr(0, 4));
}

}  // namespace

// A tree record whose start row is unusable keeps the column it names; one
// that names no column takes the first one after the fixed columns, never
// the fixed column itself. Saved and read again, the tree stays there.
TEST_F(TemplateFileTest, ATreeRecordIsReadIntoTheColumnItNames)
{
    struct Case {
        const char* text;
        int row, col;            // the record's position item (none when col is -2)
        int wantRow, wantCol;
    } cases[] = {
        {"<control treerow=\"1,2\" ></control>", 0, 1, 1, 1},
        {"<control treerow=\"1,2\" ></control>", -1, 1, 1, 1},
        {"<control treerow=\"1,2\" ></control>", 2, 1, 2, 1},
        {"<control treerow=\"1,2\" startrow=\"2\" ></control>", 0, 1, 2, 1},
        {"<control treerow=\"1,2\" ></control>", 0, 2, 1, 2},
        {"<control treerow=\"1,2\" ></control>", 0, -2, 1, 1},
        {"<control treerow=\"1,2\" ></control>", 1, 0, 1, 1},   // column 0 is no place for a tree
    };
    for (const Case& c : cases) {
        const std::string text(c.text);
        Bytes items;
        AppendInt(items, TREE_RECORD_TEXT);
        AppendInt(items, static_cast<int>(text.size() + 1));
        items.insert(items.end(), text.begin(), text.end());
        items.push_back(0);
        TemplateTreeRecord record;
        if (c.col != -2) {
            AppendInt(items, TREE_RECORD_POSITION);
            AppendInt(items, 8);
            AppendInt(items, c.row);
            AppendInt(items, c.col);
            record.nStartRow = c.row;
            record.nCol = c.col;
        }
        AppendInt(record.bytes, static_cast<int>(items.size()));
        record.bytes.insert(record.bytes.end(), items.begin(), items.end());
        AppendInt(record.bytes, TREE_RECORD_END);
        CGridCtrl grid(5, 4, 1, 1);
        ASSERT_TRUE(AttachTemplateTrees(grid, {record})) << c.text << " " << c.row << "," << c.col;
        ASSERT_EQ(1, grid.GetTreeCount());
        EXPECT_EQ(c.wantRow, grid.GetTreeAt(0)->GetStartRow()) << c.text << " " << c.row << "," << c.col;
        EXPECT_EQ(c.wantCol, grid.GetTreeAt(0)->GetTreeColumn()) << c.text << " " << c.row << "," << c.col;
        const Bytes saved = SaveBytes(grid);
        CGridCtrl back;
        ASSERT_EQ(1, OpenTemplateBytes(back, saved.data(), saved.size(), ""));
        ASSERT_EQ(1, back.GetTreeCount());
        EXPECT_EQ(c.wantRow, back.GetTreeAt(0)->GetStartRow());
        EXPECT_EQ(c.wantCol, back.GetTreeAt(0)->GetTreeColumn());
    }
}
