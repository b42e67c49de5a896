// The page set-up dialog's rules on the recording printer: printer, paper,
// bin and custom sizes; copies and collation; field codes in the header and
// footer texts; margins in centimetres; option and range texts; and the
// grid's ShowPageSetup, which writes back only on OK.
#include "document/PageSetupDlg.h"
#include "document/PrintDevMode.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessPrinter.h"

#include "grid/GridTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace {

// Two printers; "Second" is the default and offers its own paper 20 and bin 3.
void InstallPrinters()
{
    Headless::Reset();
    HeadlessPrinter::Installed first = HeadlessPrinter::MakePrinter("First");
    HeadlessPrinter::Installed second = HeadlessPrinter::MakePrinter("Second");
    second.info.strDriver = "Second Driver";
    second.info.strPort = "LPT2:";
    second.info.strComment = "upstairs";
    second.info.dwStatus = 5;
    second.papers.push_back(PrinterPaper{20, 1050, 2410, "Envelope"});
    second.bins.push_back(PrinterBin{3, "Tray 3"});
    HeadlessPrinter::SetPrinters({first, second}, "Second");
}

struct Settings {
    CGridPrintSettings ps;
    Settings()
    {
        ps.InitDevMode();
        ps.InitPrintMargins();
        ps.InitPrintOptions();
        ps.m_strPrinterName = "Second";
    }
    PageSetupTarget Target()
    {
        PageSetupTarget t;
        t.pDevMode = ps.m_pDevMode.get();
        t.pPrinterName = &ps.m_strPrinterName;
        t.pDriverName = &ps.m_strDriverName;
        t.pHeader = &ps.m_header;
        t.pFooter = &ps.m_footer;
        t.pLayout = &ps.m_layout;
        t.pOptions = &ps.m_nPrintOptions[1];
        t.pRangeTexts = &ps.m_strPrintTexts[2];
        return t;
    }
};

int IndexOfPaper(const CPageSetupPrinterPage& page, short number)
{
    for (size_t i = 0; i < page.GetPapers().size(); ++i) {
        if (page.GetPapers()[i].nNumber == number)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

TEST(PageSetupPrinter, NamedPrinterIsSelectedWithItsPapersBinsAndTexts)
{
    InstallPrinters();
    Settings s;
    CPageSetupDlg dlg(s.Target());
    CPageSetupPrinterPage& page = dlg.PrinterPage();
    ASSERT_EQ(2u, page.GetPrinters().size());
    EXPECT_EQ(1, page.GetPrinterIndex());
    EXPECT_EQ("不正常", page.GetStatusText());
    EXPECT_EQ("Second Driver", page.GetTypeText());
    EXPECT_EQ("LPT2:", page.GetWhereText());
    EXPECT_EQ("upstairs", page.GetCommentText());
    // The printer's papers, then the custom entry; the printer's own paper
    // (A4) chosen, the sizes read-only.
    const auto& papers = page.GetPapers();
    ASSERT_EQ(5u, papers.size());
    EXPECT_EQ(256, papers.back().nNumber);
    EXPECT_EQ("自定义纸张", papers.back().strName);
    EXPECT_EQ(2100, papers.back().nWidth);
    EXPECT_EQ(2970, papers.back().nLength);
    EXPECT_EQ(IndexOfPaper(page, 9), page.GetPaperIndex());
    EXPECT_FALSE(page.IsSizeEditable());
    EXPECT_EQ(2100, page.GetWidthText());
    // Bins: the printer's current bin (7, "Auto") when the sheet set none.
    ASSERT_GE(page.GetBinIndex(), 0);
    EXPECT_EQ(7, page.GetBins()[page.GetBinIndex()].nNumber);
    EXPECT_FALSE(page.IsLandscape());
    EXPECT_EQ(1, page.GetCopies());

    // The other printer: its texts; the status word 0 reads "正常".
    page.SelectPrinter(0);
    EXPECT_EQ("正常", page.GetStatusText());
    EXPECT_EQ(4u, page.GetPapers().size());
}

TEST(PageSetupPrinter, StoredSettingsChooseThePaperBinAndOptions)
{
    InstallPrinters();
    Settings s;
    s.ps.m_pDevMode->dmPaperSize = 20;
    s.ps.m_pDevMode->dmDefaultSource = 3;
    s.ps.m_pDevMode->dmOrientation = 2;
    s.ps.m_pDevMode->dmCopies = 4;
    s.ps.m_pDevMode->dmCollate = 0;
    CPageSetupDlg dlg(s.Target());
    CPageSetupPrinterPage& page = dlg.PrinterPage();
    EXPECT_EQ(IndexOfPaper(page, 20), page.GetPaperIndex());
    EXPECT_EQ(3, page.GetBins()[page.GetBinIndex()].nNumber);
    EXPECT_TRUE(page.IsLandscape());
    EXPECT_EQ(4, page.GetCopies());
    EXPECT_FALSE(page.GetCollate());
    // The driver dialog starts from the printer's mode with these choices.
    const PrintDevMode forDriver = page.GetModeForDriver();
    EXPECT_EQ(2, forDriver.dmOrientation);
    EXPECT_EQ(20, forDriver.dmPaperSize);
    EXPECT_EQ(2410, forDriver.dmPaperWidth);   // landscape: turned
    EXPECT_EQ(1050, forDriver.dmPaperLength);
    EXPECT_EQ(3, forDriver.dmDefaultSource);
    EXPECT_STREQ("Second", forDriver.dmDeviceName);
}

TEST(PageSetupPrinter, CustomPaperIsEditableAndStoredAsItLies)
{
    InstallPrinters();
    Settings s;
    CPageSetupDlg dlg(s.Target());
    CPageSetupPrinterPage& page = dlg.PrinterPage();
    page.SelectPaper(static_cast<int>(page.GetPapers().size()) - 1);
    EXPECT_TRUE(page.IsSizeEditable());
    page.SetCustomSize(1500, 2000);
    page.SetLandscape(true);
    ASSERT_EQ(-1, dlg.Save());
    const PrintDevMode& m = *s.ps.m_pDevMode;
    EXPECT_EQ(256, m.dmPaperSize);
    EXPECT_EQ(2, m.dmOrientation);
    EXPECT_EQ(2000, m.dmPaperWidth);
    EXPECT_EQ(1500, m.dmPaperLength);
    EXPECT_EQ("Second", s.ps.m_strPrinterName);
    EXPECT_EQ("Second Driver", s.ps.m_strDriverName);

    // Opened again the custom entry shows the paper upright, so OK without a
    // change keeps the sizes (they are not turned a second time).
    for (int round = 0; round < 2; ++round) {
        CPageSetupDlg again(s.Target());
        CPageSetupPrinterPage& p = again.PrinterPage();
        EXPECT_TRUE(p.IsSizeEditable());
        EXPECT_EQ(1500, p.GetWidthText());
        EXPECT_EQ(2000, p.GetHeightText());
        ASSERT_EQ(-1, again.Save());
        EXPECT_EQ(2000, s.ps.m_pDevMode->dmPaperWidth) << round;
        EXPECT_EQ(1500, s.ps.m_pDevMode->dmPaperLength) << round;
    }

    // A driver that numbers a paper of its own 256: the sheet's 256 is still
    // the custom entry.
    {
        HeadlessPrinter::Installed own = HeadlessPrinter::MakePrinter("Second");
        own.papers.insert(own.papers.begin(), PrinterPaper{256, 2794, 3556, "11x14"});
        HeadlessPrinter::SetPrinters({own}, "Second");
        CPageSetupDlg again(s.Target());
        EXPECT_EQ(static_cast<int>(again.PrinterPage().GetPapers().size()) - 1, again.PrinterPage().GetPaperIndex());
        EXPECT_EQ(1500, again.PrinterPage().GetWidthText());
        InstallPrinters();
    }

    // Back to a printer paper: the sizes are read-only again and show it.
    CPageSetupDlg third(s.Target());
    third.PrinterPage().SelectPaper(IndexOfPaper(third.PrinterPage(), 20));
    EXPECT_FALSE(third.PrinterPage().IsSizeEditable());
    third.PrinterPage().SetCustomSize(10, 10);   // ignored: not the custom entry
    EXPECT_EQ(1050, third.PrinterPage().GetWidthText());
}

TEST(PageSetupPrinter, CopiesOutsideTheCheckKeepTheDialogOpenAndStoreNothing)
{
    struct Case {
        int copies;
        int answer;       // -1 stored, else the tab that refused
    } cases[] = {{0, 0}, {-3, 0}, {65536, 0}, {1, -1}, {100, -1}, {32767, -1}, {32768, -1}, {65535, -1}};
    for (const Case& c : cases) {
        InstallPrinters();
        Settings s;
        s.ps.m_layout.nMarginTop = 33;
        const PrintDevMode before = *s.ps.m_pDevMode;
        CPageSetupDlg dlg(s.Target());
        dlg.PrinterPage().SetCopies(c.copies);
        dlg.MarginsPage().SetText(CPageSetupMarginsPage::Top, "5.0");
        EXPECT_EQ(c.answer, dlg.Save()) << c.copies;
        if (c.answer >= 0) {
            EXPECT_EQ(0, std::memcmp(&before, s.ps.m_pDevMode.get(), sizeof(before))) << c.copies;
            EXPECT_EQ(33, s.ps.m_layout.nMarginTop) << c.copies;
        } else {
            // More than the mode's signed count holds is stored as its most.
            EXPECT_EQ(std::min(c.copies, 32767), s.ps.m_pDevMode->dmCopies) << c.copies;
            EXPECT_EQ(50, s.ps.m_layout.nMarginTop) << c.copies;
        }
    }
}

TEST(PageSetupPrinter, CollatePicturesAndRangeEdits)
{
    InstallPrinters();
    Settings s;
    CPageSetupDlg dlg(s.Target());
    CPageSetupPrinterPage& page = dlg.PrinterPage();
    page.SetCollate(true);
    CPageSetupPrinterPage::CollatePictures on = page.GetCollatePictures();
    EXPECT_EQ(251, on.nPicture258);
    EXPECT_EQ(0, on.nPicture259);
    EXPECT_EQ(252, on.nPicture260);
    page.SetCollate(false);
    CPageSetupPrinterPage::CollatePictures off = page.GetCollatePictures();
    EXPECT_EQ(253, off.nPicture258);
    EXPECT_EQ(254, off.nPicture259);
    EXPECT_EQ(255, off.nPicture260);

    EXPECT_EQ(CPageSetupPrinterPage::RangeAll, page.GetRange());
    EXPECT_FALSE(page.IsPagesEditEnabled());
    EXPECT_FALSE(page.IsSelectionEditEnabled());
    page.SetRange(CPageSetupPrinterPage::RangePages);
    EXPECT_TRUE(page.IsPagesEditEnabled());
    EXPECT_FALSE(page.IsSelectionEditEnabled());
    page.SetRange(CPageSetupPrinterPage::RangeSelection);
    EXPECT_FALSE(page.IsPagesEditEnabled());
    EXPECT_TRUE(page.IsSelectionEditEnabled());
}

TEST(PageSetupPrinter, NoPrinterLeavesTheNamesAndTheDriverAnswerIsTaken)
{
    Headless::Reset();
    Settings s;
    s.ps.m_strDriverName = "Old Driver";
    {
        CPageSetupDlg dlg(s.Target());
        EXPECT_TRUE(dlg.PrinterPage().GetPrinters().empty());
        EXPECT_EQ(-1, dlg.PrinterPage().GetPrinterIndex());
        EXPECT_EQ("", dlg.PrinterPage().GetStatusText());
        EXPECT_TRUE(dlg.PrinterPage().GetPapers().empty());
        dlg.PrinterPage().SetLandscape(true);
        ASSERT_EQ(-1, dlg.Save());
    }
    EXPECT_EQ("Second", s.ps.m_strPrinterName);
    EXPECT_EQ("Old Driver", s.ps.m_strDriverName);
    EXPECT_EQ(2, s.ps.m_pDevMode->dmOrientation);

    // What the driver's own dialog answered becomes the page's choice.
    InstallPrinters();
    CPageSetupDlg dlg(s.Target());
    PrintDevMode fromDriver = dlg.PrinterPage().GetModeForDriver();
    fromDriver.dmPaperSize = 20;
    fromDriver.dmOrientation = 1;
    fromDriver.dmDefaultSource = 3;
    fromDriver.dmCopies = 7;
    dlg.PrinterPage().TakeDriverMode(fromDriver);
    EXPECT_EQ(IndexOfPaper(dlg.PrinterPage(), 20), dlg.PrinterPage().GetPaperIndex());
    EXPECT_FALSE(dlg.PrinterPage().IsLandscape());
    EXPECT_EQ(3, dlg.PrinterPage().GetBins()[dlg.PrinterPage().GetBinIndex()].nNumber);
    EXPECT_EQ(7, dlg.PrinterPage().GetCopies());

    // A driver with a paper 256 of its own: the custom entry the user chose
    // stays chosen when the driver echoes 256, with the typed size.
    HeadlessPrinter::Installed clash = HeadlessPrinter::MakePrinter("Clash");
    clash.papers.insert(clash.papers.begin(), PrinterPaper{256, 2794, 3556, "11x14"});
    HeadlessPrinter::SetPrinters({clash}, "Clash");
    s.ps.m_strPrinterName = "Clash";
    CPageSetupDlg custom(s.Target());
    CPageSetupPrinterPage& page = custom.PrinterPage();
    const int customIndex = static_cast<int>(page.GetPapers().size()) - 1;
    page.SelectPaper(customIndex);
    page.SetCustomSize(1500, 2000);
    page.TakeDriverMode(page.GetModeForDriver());
    EXPECT_EQ(customIndex, page.GetPaperIndex());
    EXPECT_TRUE(page.IsSizeEditable());
    EXPECT_EQ(1500, page.GetWidthText());
    // Chosen in the driver's dialog, its own 256 is taken as the number says.
    page.SelectPaper(IndexOfPaper(page, 9));
    PrintDevMode own = page.GetModeForDriver();
    own.dmPaperSize = 256;
    page.TakeDriverMode(own);
    EXPECT_EQ(0, page.GetPaperIndex());
}

TEST(PageSetupHeaderFooter, FieldButtonsReplaceTheRememberedSelection)
{
    struct Case {
        const char* name;
        const char* text;
        int start, end;
        int button;
        const char* result;
        int caret;
    } cases[] = {
        {"part of the centre text", "Page X of Y", 5, 6, 232, "Page &[页码] of Y", 12},
        {"selection given backwards", "Page X of Y", 6, 5, 232, "Page &[页码] of Y", 12},
        {"caret only", "ab", 1, 1, 233, "a&[总页数]b", 10},
        {"past the end", "ab", 9, 12, 234, "ab&[日期]", 9},
        {"inside a Chinese character", "第页", 1, 3, 236, "&[时间]", 7},
    };
    for (const Case& c : cases) {
        HeaderFooterSet header{}, footer{};
        footer.entries[HeaderFooterSet::Center].strText = c.text;
        CPageSetupHeaderFooterPage page;
        page.Init(&header, &footer);
        EXPECT_EQ(-1, page.InsertField("&[页码]")) << "no edit had the focus";
        page.RememberSelection(4, c.start, c.end);
        EXPECT_EQ(c.caret, page.InsertField(CPageSetupHeaderFooterPage::FieldCodeOf(c.button))) << c.name;
        EXPECT_EQ(c.result, page.GetText(4)) << c.name;
        page.Save();
        EXPECT_EQ(c.result, footer.entries[HeaderFooterSet::Center].strText) << c.name;
    }
    EXPECT_EQ(nullptr, CPageSetupHeaderFooterPage::FieldCodeOf(231));
}

TEST(PageSetupHeaderFooter, EachEditKeepsItsTextAndFont)
{
    HeaderFooterSet header{}, footer{};
    for (int i = 0; i < 3; ++i) {
        header.entries[i].strText.Format("H%d", i);
        footer.entries[i].strText.Format("F%d", i);
        header.entries[i].logFont.lfHeight = -10 - i;
        footer.entries[i].logFont.lfHeight = -20 - i;
    }
    CPageSetupHeaderFooterPage page;
    page.Init(&header, &footer);
    EXPECT_EQ("H2", page.GetText(2));
    EXPECT_EQ("F0", page.GetText(3));
    EXPECT_EQ(-21, page.GetFont(4).lfHeight);
    LOGFONT lf = page.GetFont(5);
    lf.lfWeight = 700;
    page.SetFont(5, lf);
    page.SetText(0, "新页眉");
    page.Save();
    EXPECT_EQ("新页眉", header.entries[0].strText);
    EXPECT_EQ(700, footer.entries[2].logFont.lfWeight);
    EXPECT_EQ(0, footer.entries[1].logFont.lfWeight);
}

TEST(PageSetupMargins, CentimetreTextsAndSpins)
{
    struct Case {
        const char* text;
        bool ok;
        int mm;
    } cases[] = {{"2.3", true, 23},  {" 2.3 ", true, 23}, {"0", true, 0},     {"100", true, 1000},
                 {"2.34", true, 23}, {"2.36", true, 24},  {"100.1", false, 0}, {"-0.5", false, 0},
                 {"abc", false, 0},  {"", false, 0},      {"2,3", false, 0},  {"1e1", false, 0}};
    for (const Case& c : cases) {
        int mm = -7;
        EXPECT_EQ(c.ok ? TRUE : FALSE, CPageSetupMarginsPage::FromText(c.text, mm)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.mm, mm) << c.text;
        }
    }
    EXPECT_EQ("2.3", CPageSetupMarginsPage::ToText(23));
    EXPECT_EQ("0.0", CPageSetupMarginsPage::ToText(0));

    PrintLayoutBlock layout{};
    layout.nMarginTop = 20;
    layout.nMarginLeft = 995;
    layout.nMarginBottom = 0;
    layout.nPlacement[0] = 1;
    layout.nPlacement[1] = 2;
    CPageSetupMarginsPage page;
    page.Init(&layout);
    EXPECT_EQ("2.0", page.GetText(CPageSetupMarginsPage::Top));
    EXPECT_EQ(1, page.GetHorzAlign());
    EXPECT_EQ(2, page.GetVertAlign());
    page.Spin(CPageSetupMarginsPage::Top, 1);
    EXPECT_EQ("2.1", page.GetText(CPageSetupMarginsPage::Top));
    page.Spin(CPageSetupMarginsPage::Left, 1);      // steps by a whole centimetre, stops at 100
    EXPECT_EQ("100.0", page.GetText(CPageSetupMarginsPage::Left));
    page.Spin(CPageSetupMarginsPage::Bottom, -1);   // stops at 0
    EXPECT_EQ("0.0", page.GetText(CPageSetupMarginsPage::Bottom));
    page.SetText(CPageSetupMarginsPage::Footer, "2.3");
    page.SetHorzAlign(-1);                          // nothing chosen: kept
    page.SetVertAlign(0);
    page.Save();
    EXPECT_EQ(21, layout.nMarginTop);
    EXPECT_EQ(1000, layout.nMarginLeft);
    EXPECT_EQ(23, layout.nFooterDistance);
    EXPECT_EQ(1, layout.nPlacement[0]);
    EXPECT_EQ(0, layout.nPlacement[1]);

    // Shown again: "2.3".
    CPageSetupMarginsPage again;
    again.Init(&layout);
    EXPECT_EQ("2.3", again.GetText(CPageSetupMarginsPage::Footer));
    // No layout handed in: nothing shown, nothing stored.
    CPageSetupMarginsPage none;
    none.Init(nullptr);
    EXPECT_FALSE(none.IsShown());
    EXPECT_EQ(-1, none.FirstInvalid());
}

TEST(PageSetupOptions, FlagsAndRangeTextsCutToTheirField)
{
    std::int32_t options[3] = {1, 0, 1};
    CString ranges[4] = {"1", "", "2:3", ""};
    CPageSetupOptionsPage page;
    page.Init(options, ranges);
    EXPECT_TRUE(page.GetOption(CPageSetupOptionsPage::RowHeaders));
    EXPECT_FALSE(page.GetOption(CPageSetupOptionsPage::ColumnHeaders));
    EXPECT_EQ("2:3", page.GetRangeText(CPageSetupOptionsPage::Left));
    page.SetOption(CPageSetupOptionsPage::ColumnHeaders, true);
    page.SetOption(CPageSetupOptionsPage::GridLines, false);
    // 62 ASCII bytes and a Chinese character: the character does not fit.
    page.SetRangeText(CPageSetupOptionsPage::Right, CString(std::string(62, '9').c_str()) + "行");
    page.Save();
    EXPECT_EQ(1, options[1]);
    EXPECT_EQ(0, options[2]);
    EXPECT_EQ(62, ranges[3].GetLength());
    EXPECT_EQ("1", ranges[0]);
}

// ShowPageSetup through a runner that acts as the user.
class ShowPageSetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallPrinters();
        grid = gridtest::MakeSheet(5, 5, 1, 1);
        grid->GetPrintSettings().InitDevMode();
    }
    void TearDown() override { SetPageSetupRunner(nullptr); }

    static std::function<INT_PTR(CPageSetupDlg&)>& Act()
    {
        static std::function<INT_PTR(CPageSetupDlg&)> act;
        return act;
    }
    static INT_PTR Runner(CWnd*, CPageSetupDlg& dialog) { return Act()(dialog); }

    std::unique_ptr<CGridCtrl> grid;
};

TEST_F(ShowPageSetup, OkStoresEveryPageAndCancelNothing)
{
    // The user changes every page.
    auto changeAll = [](CPageSetupDlg& d) {
        CPageSetupPrinterPage& p = d.PrinterPage();
        p.SelectPaper(static_cast<int>(p.GetPapers().size()) - 1);
        p.SetCustomSize(1800, 2400);
        p.SetLandscape(true);
        d.HeaderFooterPage().RememberSelection(1, 0, 0);
        d.HeaderFooterPage().InsertField("&[页码]");
        d.MarginsPage().SetText(CPageSetupMarginsPage::Left, "2.3");
        d.OptionsPage().SetOption(CPageSetupOptionsPage::GridLines, true);
        d.OptionsPage().SetRangeText(CPageSetupOptionsPage::Top, "1");
    };
    SetPageSetupRunner(&Runner);
    const CGridPrintSettings& ps = grid->GetPrintSettings();

    Act() = [&](CPageSetupDlg& d) {
        changeAll(d);
        return static_cast<INT_PTR>(IDCANCEL);
    };
    ASSERT_TRUE(grid->GetPrintSettings().m_pDevMode != nullptr);
    const PrintDevMode modeBefore = *ps.m_pDevMode;
    EXPECT_FALSE(grid->ShowPageSetup());
    EXPECT_EQ(-1, ps.m_pDevMode->dmPaperSize);
    EXPECT_EQ(modeBefore.dmOrientation, ps.m_pDevMode->dmOrientation);
    EXPECT_EQ(20, ps.m_layout.nMarginLeft);
    EXPECT_EQ("", ps.m_header.entries[1].strText);
    EXPECT_EQ(0, ps.m_nPrintOptions[3]);
    EXPECT_EQ("", ps.m_strPrintTexts[2]);

    Act() = [&](CPageSetupDlg& d) {
        changeAll(d);
        return static_cast<INT_PTR>(d.Save() < 0 ? IDOK : IDCANCEL);
    };
    EXPECT_TRUE(grid->ShowPageSetup());
    EXPECT_EQ(256, ps.m_pDevMode->dmPaperSize);
    EXPECT_EQ(2400, ps.m_pDevMode->dmPaperWidth);
    EXPECT_EQ(1800, ps.m_pDevMode->dmPaperLength);
    EXPECT_EQ(23, ps.m_layout.nMarginLeft);
    EXPECT_EQ("&[页码]", ps.m_header.entries[1].strText);
    EXPECT_EQ(1, ps.m_nPrintOptions[3]);
    EXPECT_TRUE(grid->GetPrintOption(3));
    EXPECT_EQ("1", grid->GetRepeatRange(1));
    EXPECT_EQ("Second", ps.m_strPrinterName);   // the default printer, found for the dialog
}

// A sheet not yet on a printer first takes the printer's defaults for every
// setting it leaves unset: the dialog opens on them. Cancel puts the unset
// settings back; a sheet already on its own printer keeps its settings as
// they are.
TEST_F(ShowPageSetup, FirstUseMergesThePrintersDefaults)
{
    SetPageSetupRunner(&Runner);
    const CGridPrintSettings& ps = grid->GetPrintSettings();
    const PrintDevMode printer = HeadlessPrinter::MakePrinter("Second").defaultMode;
    PrintDevMode seen;
    Act() = [&](CPageSetupDlg&) {
        seen = *ps.m_pDevMode;
        return static_cast<INT_PTR>(IDCANCEL);
    };
    grid->GetPrintSettings().m_pDevMode->dmCopies = 3;            // set by the sheet: kept
    EXPECT_FALSE(grid->ShowPageSetup());
    EXPECT_EQ(printer.dmPaperSize, seen.dmPaperSize);
    EXPECT_EQ(printer.dmPaperWidth, seen.dmPaperWidth);
    EXPECT_EQ(printer.dmOrientation, seen.dmOrientation);
    EXPECT_EQ(printer.dmColor, seen.dmColor);
    EXPECT_EQ(3, seen.dmCopies);
    EXPECT_STREQ("Second", seen.dmDeviceName);
    EXPECT_EQ(-1, ps.m_pDevMode->dmPaperSize);
    EXPECT_EQ(-1, ps.m_pDevMode->dmOrientation);
    EXPECT_EQ(3, ps.m_pDevMode->dmCopies);

    // On its own printer (a device name stored) nothing is merged.
    Act() = [&](CPageSetupDlg&) {
        seen = *ps.m_pDevMode;
        return static_cast<INT_PTR>(IDCANCEL);
    };
    EXPECT_FALSE(grid->ShowPageSetup());
    EXPECT_EQ(-1, seen.dmPaperSize);
}

TEST_F(ShowPageSetup, NoPrinterOrNoWindowOpensNothing)
{
    int runs = 0;
    SetPageSetupRunner(&Runner);
    Act() = [&](CPageSetupDlg&) {
        ++runs;
        return static_cast<INT_PTR>(IDOK);
    };
    HeadlessPrinter::SetPrinters({}, "");
    EXPECT_FALSE(grid->ShowPageSetup());
    EXPECT_EQ(0, runs);
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    EXPECT_EQ("没有按装打印机,不能打印!", Headless::MessageBoxes()[0].text);

    // A program without a dialog window answers FALSE and changes nothing.
    InstallPrinters();
    SetPageSetupRunner(nullptr);
    EXPECT_FALSE(grid->ShowPageSetup());
}
