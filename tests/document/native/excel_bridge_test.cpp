// The workbook bridge against the stand-in spreadsheet server in process:
// what the export sends (read from the server's call log) and what the
// import makes of a workbook (fixtures in tests/document/standin/).
#include "base/CFile.h"
#include "base/WinConstants.h"
#include "cells/InPlaceEditHooks.h"
#include "document/ExcelBridge.h"
#include "document/standin/ExcelStandIn.h"
#include "grid/GridCellBase.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCtrl.h"
#include "platform/Automation.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::string Fixture(const char* name)
{
    const char* root = std::getenv("KIVO_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/tests/document/standin/" + name;
}

class ExcelBridgeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        Headless::Reset();
        m_dir = "/tmp/kivo_xl_bridge_" + std::to_string(::getpid());
        std::system(("mkdir -p " + m_dir).c_str());
        m_created = 0;
        SetPlatformAutomationHandler([this](LPCTSTR progId) -> AutomationObjectPtr {
            ++m_created;
            // A copy runs, so that the function may replace itself.
            std::function<void()> onCreate = m_onCreate;
            if (onCreate)
                onCreate();
            return std::string(progId) == "Excel.Application" && m_serverThere ? CreateStandInApplication(&m_log)
                                                                                : nullptr;
        });
    }
    void TearDown() override
    {
        SetPlatformAutomationHandler(PlatformAutomationHandler());
        std::system(("rm -rf " + m_dir).c_str());
        Headless::Reset();
    }

    // A 4 x 4 sheet, one fixed row and column, fixed texts and data texts.
    std::unique_ptr<CGridCtrl> MakeGrid()
    {
        auto grid = std::make_unique<CGridCtrl>(4, 4, 1, 1);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                grid->SetCellText(r, c, ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
        return grid;
    }

    std::string Path(const char* name) const { return m_dir + "/" + name; }

    StandInLog m_log;
    std::string m_dir;
    bool m_serverThere = true;
    int m_created = 0;
    std::function<void()> m_onCreate;
};

TEST_F(ExcelBridgeTest, CellNamesFollowTheFixedAreasIncluded)
{
    struct Case {
        short flags;
        const char* a1;      // what lands in A1
        const char* b2;
    } cases[] = {
        {0, "r1c1", "r2c2"}, {1, "r0c1", "r1c2"}, {2, "r1c0", "r2c1"}, {3, "r0c0", "r1c1"}, {7, "r1c1", "r2c2"},
    };
    for (const Case& c : cases) {
        auto grid = MakeGrid();
        grid->SetSaveExcelFlags(c.flags);
        m_log.lines.clear();
        ASSERT_EQ(1, ExportExcelViaAutomation(*grid, Path("names.xls").c_str(), "")) << c.flags;
        EXPECT_TRUE(m_log.Has(std::string("put Range(A1).FormulaR1C1 s:") + c.a1)) << c.flags;
        EXPECT_TRUE(m_log.Has(std::string("put Range(B2).FormulaR1C1 s:") + c.b2)) << c.flags;
        // Fixed cells get no fill.
        EXPECT_EQ(c.flags == 0 || c.flags == 7, m_log.Has("put Range(A1).Interior")) << c.flags;
    }
    // The order of the closing calls, and the program quits.
    const std::vector<std::string>& lines = m_log.lines;
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ("call Sheet(Sheet1).Calculate()", lines[lines.size() - 5]);
    EXPECT_EQ(0u, lines[lines.size() - 4].find("call Workbook.SaveAs(s:" + Path("names.xls") +
                                               ",missing,s:,missing,missing,missing,i:0,missing,missing,missing,missing)"));
    EXPECT_EQ("call Workbook.Close(b:0,missing,missing)", lines[lines.size() - 3]);
    EXPECT_EQ("call Workbooks.Close()", lines[lines.size() - 2]);
    EXPECT_EQ("call Application.Quit()", lines.back());
    EXPECT_EQ("put Application.Visible b:0", lines[0]);
    EXPECT_EQ("put Application.DisplayAlerts b:0", lines[1]);
}

TEST_F(ExcelBridgeTest, SizesContentAndFormats)
{
    InstallInPlaceEditHooks();
    auto grid = MakeGrid();
    grid->SetColumnWidth(1, 64);
    grid->SetRowHeight(1, 20);
    grid->SetCellValue(1, 2, 42.5);
    ASSERT_TRUE(grid->SetCellType(1, 3, 2));   // check box
    dynamic_cast<CGridCellCheck*>(grid->GetCell(1, 3))->SetCheck(TRUE);
    grid->SetCellText(2, 1, "2024-01-02");
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    std::strcpy(lf.lfFaceName, "\xCB\xCE\xCC\xE5");   // 宋体
    grid->GetCell(2, 2)->SetFont(&lf);
    grid->GetCell(2, 2)->SetTextColor(RGB(1, 2, 3));
    grid->GetCell(2, 2)->SetBackColor(RGB(255, 255, 255));
    grid->GetCell(2, 2)->SetAlign(DT_RIGHT | DT_BOTTOM);
    grid->GetCell(2, 2)->SetWrapText(TRUE);
    grid->SetCellBorder(2, 2, 1, PS_DASH, RGB(0, 0, 255), 1);
    grid->SetCellBorder(2, 2, 8, PS_SOLID, RGB(0, 0, 0), 3);
    grid->SetCellBorder(2, 2, 2, PS_SOLID, RGB(0, 0, 0), 2);
    grid->SetCellBorder(2, 2, 4, PS_DASHDOTDOT, RGB(0, 0, 0), 1);
    grid->MergeCells(3, 1, 3, 3);

    ASSERT_EQ(1, ExportExcelViaAutomation(*grid, Path("formats.xls").c_str(), "pw"));
    const char* expected[] = {
        "put Range(A1).ColumnWidth i:8",
        "put Range(A1).RowHeight i:15",
        "put Range(B1).NumberFormat s:@",
        "put Range(B1).Value2 d:42.5",
        "put Range(C1).NumberFormat s:@",
        "put Range(C1).FormulaR1C1 i:1",
        "put Range(A2).NumberFormat s:yyyy-MM-dd",
        "put Range(A2).FormulaR1C1 s:2024-01-02",
        "put Range(B2).Font.Name s:\xCB\xCE\xCC\xE5",
        "put Range(B2).Font.Size i:9",
        "put Range(B2).Font.Bold b:1",
        "put Range(B2).Font.Italic b:1",
        "put Range(B2).Font.Strikethrough b:0",
        "put Range(B2).Font.Underline i:2",
        "put Range(B2).Font.Color i:197121",
        "put Range(B2).Interior.ColorIndex i:2",
        "put Range(B2).HorizontalAlignment i:4",
        "put Range(B2).VerticalAlignment i:3",
        "put Range(B2).WrapText b:1",
        "put Range(B2).Borders.Item(1).LineStyle i:-4115",
        "put Range(B2).Borders.Item(1).Weight i:2",
        "put Range(B2).Borders.Item(4).LineStyle i:1",
        "put Range(B2).Borders.Item(4).Weight i:4",
        "put Range(B2).Borders.Item(3).LineStyle i:1",
        "put Range(B2).Borders.Item(3).Weight i:-4138",
        "put Range(B2).Borders.Item(2).LineStyle i:5",
        "put Range(B2).Borders.Item(2).Weight i:2",
        "call Range(A3:C3).Merge(b:0)",
    };
    for (const char* line : expected)
        EXPECT_TRUE(m_log.Has(line)) << line;
    EXPECT_FALSE(m_log.Has("REFUSED"));
    EXPECT_EQ(1, m_log.Count(".Merge("));   // each block once
    // Only the owner of the block sends content.
    EXPECT_FALSE(m_log.Has("put Range(B3).FormulaR1C1"));
    std::ifstream saved(Path("formats.xls").c_str());
    EXPECT_TRUE(saved.good());
}

TEST_F(ExcelBridgeTest, FormulaReferencesFollowTheExportedArea)
{
    auto grid = MakeGrid();
    ASSERT_TRUE(grid->SetCellFormula(3, 3, "=A1+B2"));
    struct Case {
        short flags;
        const char* sent;
        const char* range;
    } cases[] = {
        {0, "s:=A1+B2", "Range(C3)"}, {3, "s:=B2+C3", "Range(D4)"}, {1, "s:=A2+B3", "Range(C4)"},
    };
    for (const Case& c : cases) {
        grid->SetSaveExcelFlags(c.flags);
        m_log.lines.clear();
        ASSERT_EQ(1, ExportExcelViaAutomation(*grid, Path("formula.xls").c_str(), "")) << c.flags;
        EXPECT_TRUE(m_log.Has(std::string("put ") + c.range + ".Formula " + c.sent)) << c.flags;
        EXPECT_TRUE(m_log.Has(std::string("call ") + c.range + ".Calculate()")) << c.flags;
        EXPECT_STREQ("=A1+B2", grid->GetCellFormula(3, 3)) << c.flags;
    }
}

TEST_F(ExcelBridgeTest, PictureGoesThroughAFileOfItsOwn)
{
    auto grid = MakeGrid();
    // A tiny BMP: 1 x 1, 24 bits.
    const BYTE bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                        1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0, 0, 255, 0};
    const int id = grid->GetPictureList().AddPictureData(bmp, sizeof bmp);
    ASSERT_EQ(0, id);
    ASSERT_TRUE(grid->SetCellType(2, 2, 12));
    // A user's file named after the picture index sits in the target folder.
    const std::string users = Path("0");
    { std::ofstream(users.c_str()) << "user data"; }
    ASSERT_EQ(1, ExportExcelViaAutomation(*grid, Path("picture.xls").c_str(), ""));
    EXPECT_EQ(1, m_log.Count("call Sheet(Sheet1).Shapes.AddPicture("));
    EXPECT_TRUE(m_log.Has("get Range(B2).Left()"));
    EXPECT_TRUE(m_log.Has("get Range(B2).Height()"));
    std::string line;
    for (const std::string& l : m_log.lines)
        if (l.find("AddPicture") != std::string::npos)
            line = l;
    EXPECT_EQ(std::string::npos, line.find(m_dir)) << line;   // not in the target folder
    const size_t from = line.find("(s:") + 3;
    const std::string file = line.substr(from, line.find(',', from) - from);
    EXPECT_FALSE(std::ifstream(file.c_str()).good()) << file;   // removed afterwards
    std::ifstream kept(users.c_str());
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ("user data", text);
}

TEST_F(ExcelBridgeTest, FailuresAnswerZero)
{
    auto grid = MakeGrid();
    // Empty path, missing folder: nothing is made, no message.
    EXPECT_EQ(0, ExportExcelViaAutomation(*grid, "", ""));
    EXPECT_EQ(0, ExportExcelViaAutomation(*grid, (m_dir + "/no/such.xls").c_str(), ""));
    EXPECT_EQ(0, ImportExcelViaAutomation(*grid, (m_dir + "/missing.book").c_str(), "", 1));
    EXPECT_EQ(0, m_created);
    EXPECT_TRUE(Headless::MessageBoxes().empty());

    // No server: the message, and the sheet is unchanged.
    m_serverThere = false;
    EXPECT_EQ(0, ExportExcelViaAutomation(*grid, Path("x.xls").c_str(), ""));
    EXPECT_EQ(0, ImportExcelViaAutomation(*grid, Fixture("c5_to_e9.book").c_str(), "", 1));
    ASSERT_EQ(2u, Headless::MessageBoxes().size());
    EXPECT_EQ("\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8" "EXCEL\xCA\xB5\xC0\xFD", Headless::MessageBoxes()[0].text);
    EXPECT_EQ("\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8" "EXCEL\xCA\xB5\xC0\xFD!", Headless::MessageBoxes()[1].text);
    EXPECT_EQ("", Headless::MessageBoxes()[0].caption);
    EXPECT_EQ(4, grid->GetRowCount());
    m_serverThere = true;

    // A second transfer on the same grid while one runs is refused.
    short nested = -1;
    m_onCreate = [&]() {
        m_onCreate = nullptr;
        nested = ExportExcelViaAutomation(*grid, Path("nested.xls").c_str(), "");
    };
    EXPECT_EQ(1, ExportExcelViaAutomation(*grid, Path("outer.xls").c_str(), ""));
    EXPECT_EQ(0, nested);
}

TEST_F(ExcelBridgeTest, QuitDuringATransferEndsItAndStaysPosted)
{
    auto grid = MakeGrid();
    CGridCtrl untouched(4, 4, 1, 1);
    untouched.SetCellText(1, 1, "keep");
    PlatformPostQuit(7);
    EXPECT_EQ(0, ExportExcelViaAutomation(*grid, Path("quit.xls").c_str(), ""));
    int code = 0;
    EXPECT_TRUE(Headless::QuitPosted(&code));
    EXPECT_EQ(7, code);
    EXPECT_TRUE(m_log.Has("call Application.Quit()"));
    EXPECT_FALSE(m_log.Has("SaveAs"));
    EXPECT_EQ(0, ImportExcelViaAutomation(untouched, Fixture("c5_to_e9.book").c_str(), "", 1));
    EXPECT_STREQ("keep", untouched.GetCellText(1, 1));
    EXPECT_EQ(4, untouched.GetRowCount());
}

TEST_F(ExcelBridgeTest, ImportPlacesTheUsedRangeAndReadsFormats)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetColumnWidth(0, 33);
    ASSERT_EQ(1, ImportExcelViaAutomation(grid, Fixture("c5_to_e9.book").c_str(), "", 1));
    EXPECT_EQ(10, grid.GetRowCount());
    EXPECT_EQ(6, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ(1, grid.GetFixedColumnCount());
    EXPECT_EQ(33, grid.GetColumnWidth(0));
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 6; ++c)
            EXPECT_STREQ("", grid.GetCellText(r, c)) << r << "," << c;
    EXPECT_EQ(64, grid.GetColumnWidth(3));
    EXPECT_EQ(80, grid.GetColumnWidth(4));
    EXPECT_EQ(19, grid.GetRowHeight(5));
    EXPECT_EQ(39, grid.GetRowHeight(6));

    // The merged block C5:D6 and its owner's text, font, colours and alignment.
    int r1, c1, r2, c2;
    ASSERT_TRUE(grid.GetMergeRange(6, 4, r1, c1, r2, c2));
    EXPECT_EQ(5, r1);
    EXPECT_EQ(3, c1);
    EXPECT_EQ(6, r2);
    EXPECT_EQ(4, c2);
    EXPECT_STREQ("\xBA\xCF\xB2\xA2", grid.GetCellText(5, 3));   // 合并
    CGridCellBase* owner = grid.GetCell(5, 3);
    EXPECT_STREQ("Arial", owner->GetFont()->lfFaceName);
    EXPECT_EQ(16, std::abs(static_cast<int>(owner->GetFont()->lfHeight)));
    EXPECT_EQ(FW_BOLD, owner->GetFont()->lfWeight);
    EXPECT_EQ(RGB(255, 0, 0), owner->GetTextColor());
    EXPECT_EQ(RGB(255, 255, 0), owner->GetBackColor());
    EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER), owner->GetAlign());

    // A number with an empty font name, italic, underlined, right and top, wrapped, three borders.
    CGridCellBase* number = grid.GetCell(5, 5);
    EXPECT_TRUE(number->IsNumber());
    EXPECT_DOUBLE_EQ(42.5, number->GetValue());
    EXPECT_STREQ("\xCB\xCE\xCC\xE5", number->GetFont()->lfFaceName);
    EXPECT_EQ(12, std::abs(static_cast<int>(number->GetFont()->lfHeight)));
    EXPECT_TRUE(number->GetFont()->lfItalic);
    EXPECT_TRUE(number->GetFont()->lfUnderline);
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), number->GetAlign());
    EXPECT_TRUE(number->GetWrapText());
    int style = -1, width = -1;
    COLORREF clr = 0;
    EXPECT_EQ(1 | 2 | 4 | 8, grid.GetCellBorderFlags(5, 5));
    ASSERT_TRUE(grid.GetCellBorder(5, 5, 1, &style, &clr, &width));
    EXPECT_EQ(PS_SOLID, style);
    EXPECT_EQ(1, width);
    EXPECT_EQ(RGB(255, 0, 0), clr);
    ASSERT_TRUE(grid.GetCellBorder(5, 5, 4, &style, &clr, &width));
    EXPECT_EQ(PS_DASH, style);   // the grid draws dashed lines one pixel wide
    ASSERT_TRUE(grid.GetCellBorder(5, 5, 2, &style, &clr, &width));
    EXPECT_EQ(PS_SOLID, style);
    EXPECT_EQ(2, width);         // medium
    ASSERT_TRUE(grid.GetCellBorder(5, 5, 8, &style, &clr, &width));
    EXPECT_EQ(3, width);         // thick
    EXPECT_EQ(RGB(0, 255, 0), clr);

    EXPECT_STREQ("=E5*2", grid.GetCellFormula(7, 3));
    EXPECT_STREQ("85", grid.GetCellText(7, 3));
    EXPECT_STREQ("2", grid.GetCellText(6, 5));   // reads a cell filled after it
    EXPECT_STREQ("text", grid.GetCellText(8, 4));
    EXPECT_TRUE(grid.GetCell(8, 4)->GetFont()->lfStrikeOut);
    EXPECT_TRUE(grid.GetCell(9, 5)->IsNumber());

    // The second sheet by its index; a third does not exist.
    ASSERT_EQ(1, ImportExcelViaAutomation(grid, Fixture("c5_to_e9.book").c_str(), "", 2));
    EXPECT_STREQ("second", grid.GetCellText(1, 1));
    EXPECT_EQ(2, grid.GetRowCount());
    grid.SetCellText(1, 1, "kept");
    m_log.lines.clear();
    EXPECT_EQ(0, ImportExcelViaAutomation(grid, Fixture("c5_to_e9.book").c_str(), "", 3));
    EXPECT_EQ(0, ImportExcelViaAutomation(grid, Fixture("c5_to_e9.book").c_str(), "", 0));
    EXPECT_STREQ("kept", grid.GetCellText(1, 1));
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(2, m_log.Count("call Application.Quit()"));
}

TEST_F(ExcelBridgeTest, DamagedWorkbookLeavesTheSheet)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetCellText(1, 1, "kept");
    const std::string cut = Path("cut.book");
    {
        std::ifstream in(Fixture("c5_to_e9.book").c_str());
        std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(cut.c_str()) << all.substr(0, all.size() / 2);
    }
    EXPECT_EQ(0, ImportExcelViaAutomation(grid, cut.c_str(), "", 1));
    EXPECT_EQ(0, ImportExcelViaAutomation(grid, Fixture("c5_to_e9.book").c_str(), "wrong password", 1));
    EXPECT_STREQ("kept", grid.GetCellText(1, 1));
    EXPECT_EQ(3, grid.GetRowCount());
}

TEST_F(ExcelBridgeTest, RoundTripKeepsValuesMergesFontsAndSizes)
{
    auto grid = MakeGrid();
    grid->SetRowCount(6);
    grid->SetCellText(1, 1, "\xD6\xD0\xCE\xC4");   // 中文
    grid->SetCellValue(1, 2, 7);
    ASSERT_TRUE(grid->SetCellFormula(2, 1, "=B1*3"));
    grid->SetCellText(3, 1, "block");
    grid->MergeCells(3, 1, 4, 2);
    grid->SetColumnWidth(1, 96);
    grid->SetRowHeight(2, 40);
    ASSERT_EQ(1, ExportExcelViaAutomation(*grid, Path("round.book").c_str(), ""));
    CGridCtrl back(2, 2, 1, 1);
    ASSERT_EQ(1, ImportExcelViaAutomation(back, Path("round.book").c_str(), "", 1));
    EXPECT_STREQ("\xD6\xD0\xCE\xC4", back.GetCellText(1, 1));
    EXPECT_DOUBLE_EQ(7.0, back.GetCell(1, 2)->GetValue());
    EXPECT_STREQ("=B1*3", back.GetCellFormula(2, 1));
    EXPECT_STREQ("21", back.GetCellText(2, 1));
    int r1, c1, r2, c2;
    ASSERT_TRUE(back.GetMergeRange(4, 2, r1, c1, r2, c2));
    EXPECT_EQ(3, r1);
    EXPECT_EQ(1, c1);
    EXPECT_STREQ("block", back.GetCellText(3, 1));
    EXPECT_NEAR(96, back.GetColumnWidth(1), 1);
    EXPECT_NEAR(40, back.GetRowHeight(2), 2);
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 3; ++c) {
            const LOGFONT* a = grid->GetCell(r, c)->GetFont();
            const LOGFONT* b = back.GetCell(r, c)->GetFont();
            ASSERT_TRUE(a != nullptr && b != nullptr);
            EXPECT_STREQ(a->lfFaceName, b->lfFaceName) << r << "," << c;
            EXPECT_NEAR(std::abs(a->lfHeight), std::abs(b->lfHeight), 1) << r << "," << c;
        }
}

}  // namespace
