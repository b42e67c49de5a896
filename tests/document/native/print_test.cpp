// Printing the grid through the recording printer: pagination with titles,
// page placement, merged blocks cut at page edges, header and footer lines,
// the repeat-range and paper settings, the mode merge, and the print job's
// failures and messages.
#include "document/PrintDevMode.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/DC.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessPrinter.h"

#include "grid/GridTestUtil.h"
#include "grid/native/window_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using gridtest::MakeSheet;

namespace {

// Metrics that make one device unit one tenth of a millimetre and leave the
// zoom at 1.0 (the printer's resolution equals the screen's).
PrinterMetrics TenthMmMetrics()
{
    PrinterMetrics m;
    m.nDpiX = m.nDpiY = 254;
    return m;
}

// A sheet of nRows rows (row 0 fixed, not printed) and nCols columns, all 300
// units high and wide, on a page whose printable area is 1000 x 1000.
std::unique_ptr<CGridCtrl> PagedSheet(int nRows, int nCols)
{
    auto grid = MakeSheet(nRows, nCols, 1, 1);
    for (int r = 0; r < nRows; ++r)
        grid->SetRowHeight(r, 300);
    for (int c = 0; c < nCols; ++c)
        grid->SetColumnWidth(c, 300);
    CGridPrintSettings& ps = grid->GetPrintSettings();
    ps.InitDevMode();
    ps.m_pDevMode->dmPaperWidth = 1000;
    ps.m_pDevMode->dmPaperLength = 1000;
    ps.m_layout.nMarginLeft = ps.m_layout.nMarginTop = ps.m_layout.nMarginRight = ps.m_layout.nMarginBottom = 0;
    grid->SetPrintOption(1, FALSE);
    grid->SetPrintOption(2, FALSE);
    return grid;
}

TEST(GridPrinting, RowPagesFollowHeightsTitlesAndOversizedRows)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> heights;   // row, height
        const char* topTitle;
        const char* bottomTitle;
        std::vector<int> starts;
    } cases[] = {
        {"ten rows of 300", {}, nullptr, nullptr, {1, 4, 7, 10, 11}},
        {"row 1 of 200 as top title", {{1, 200}}, "1", nullptr, {1, 4, 6, 8, 10, 11}},
        {"a row taller than the page", {{2, 1500}}, nullptr, nullptr, {1, 2, 3, 6, 9, 11}},
        {"the first row taller than the page", {{1, 1200}}, nullptr, nullptr, {1, 2, 5, 8, 11}},
        {"row 10 as bottom title", {}, nullptr, "10", {1, 3, 5, 7, 9, 11}},
        {"hidden rows ride along", {{2, 0}, {3, 0}}, nullptr, nullptr, {1, 6, 9, 11}},
    };
    for (const Case& c : cases) {
        auto grid = PagedSheet(11, 2);
        for (const auto& h : c.heights)
            grid->SetRowHeight(h.first, h.second);
        if (c.topTitle != nullptr) {
            ASSERT_TRUE(grid->SetRepeatRange(c.topTitle, 1));
        }
        if (c.bottomTitle != nullptr) {
            ASSERT_TRUE(grid->SetRepeatRange(c.bottomTitle, 2));
        }
        grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
        EXPECT_EQ(1000, grid->GetPrintState().nPrintableHeight) << c.name;
        EXPECT_EQ(c.starts, grid->GetPrintState().rowStarts) << c.name;
        grid->OnEndPrinting();
    }
}

TEST(GridPrinting, PagesRunAcrossBeforeDownAndCarryTheirTitles)
{
    auto grid = PagedSheet(11, 6);            // columns 1..5: pages 1-3, 4-5
    grid->SetRowHeight(1, 200);
    ASSERT_TRUE(grid->SetRepeatRange("1", 1));
    ASSERT_TRUE(grid->SetRepeatRange("1", 4));
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    EXPECT_EQ((std::vector<int>{1, 4, 6}), grid->GetPrintState().colStarts);
    EXPECT_EQ(10, grid->GetPrintPageCount());
    struct Case {
        int page;
        std::vector<int> rows;
        std::vector<int> cols;
    } cases[] = {
        {0, {1, 2, 3}, {1, 2, 3}},
        {1, {1, 2, 3}, {1, 4, 5}},          // the title column leads the second column page
        {2, {1, 4, 5}, {1, 2, 3}},          // the title row leads the second row page
        {9, {1, 10}, {1, 4, 5}},
    };
    for (const Case& c : cases) {
        GridPrintPage page;
        grid->LayoutPrintPage(c.page, 10, 20, page);
        EXPECT_EQ(c.rows, page.rows) << c.page;
        EXPECT_EQ(c.cols, page.cols) << c.page;
        EXPECT_EQ(10, page.xs.front());
        EXPECT_EQ(20, page.ys.front());
    }
    grid->OnEndPrinting();
}

TEST(GridPrinting, FixedLinesPrintOnlyWhenAsked)
{
    auto grid = PagedSheet(4, 3);
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    EXPECT_EQ(1, grid->GetPrintState().rowStarts.front());
    EXPECT_EQ(1, grid->GetPrintState().colStarts.front());
    grid->OnEndPrinting();
    grid->SetPrintOption(1, TRUE);
    grid->SetPrintOption(2, TRUE);
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    EXPECT_EQ(0, grid->GetPrintState().rowStarts.front());
    EXPECT_EQ(0, grid->GetPrintState().colStarts.front());
    grid->OnEndPrinting();
}

TEST(GridPrinting, StaleOrMalformedTitleRangesAreLeftOut)
{
    auto grid = PagedSheet(11, 2);
    grid->GetPrintSettings().m_strPrintTexts[2] = "50:60";     // beyond the sheet
    grid->GetPrintSettings().m_strPrintTexts[3] = " 2";        // not digits only
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    EXPECT_FALSE(grid->GetPrintState().titles[0].IsSet());
    EXPECT_FALSE(grid->GetPrintState().titles[1].IsSet());
    EXPECT_EQ((std::vector<int>{1, 4, 7, 10, 11}), grid->GetPrintState().rowStarts);
    grid->OnEndPrinting();
    grid->GetPrintSettings().m_strPrintTexts[2] = "9:40";      // clipped to the last row
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    EXPECT_EQ(9, grid->GetPrintState().titles[0].nFirst);
    EXPECT_EQ(10, grid->GetPrintState().titles[0].nLast);
    grid->OnEndPrinting();
}

// The DrawText operations of the draw log whose text is given.
std::vector<Headless::DrawOp> TextOps(const std::string& text)
{
    std::vector<Headless::DrawOp> ops;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if ((op.kind == Headless::DrawKind::DrawText || op.kind == Headless::DrawKind::TextOut) && op.text == text)
            ops.push_back(op);
    }
    return ops;
}

TEST(GridPrinting, PageBlockIsPlacedByTheAlignment)
{
    auto grid = PagedSheet(3, 3);               // one page of 2 x 2 cells: 600 x 600
    grid->SetCellText(1, 1, "A");
    struct Case {
        int hAlign;
        int vAlign;
        int left;
        int top;
    } cases[] = {{0, 0, 100, 50}, {1, 1, 100 + 200, 50 + 200}, {2, 2, 100 + 400, 50 + 400}};
    for (const Case& c : cases) {
        grid->GetPrintSettings().m_layout.nPlacement[0] = c.hAlign;
        grid->GetPrintSettings().m_layout.nPlacement[1] = c.vAlign;
        grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
        Headless::Reset();
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        grid->DrawPrintPage(&dc, 0, CRect(100, 50, 1100, 1050));
        ASSERT_EQ(1u, TextOps("A").size()) << c.hAlign;
        // The first cell's background fills its rectangle inside its lines.
        int fills = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.kind == Headless::DrawKind::FillRect && op.rect.left == c.left + 1 && op.rect.top == c.top + 1 &&
                op.rect.right == c.left + 300 && op.rect.bottom == c.top + 300)
                ++fills;
        }
        EXPECT_EQ(1, fills) << c.hAlign;
        grid->OnEndPrinting();
    }
}

TEST(GridPrinting, OffscreenOptionCopiesAWhiteBitmapOfTheBlock)
{
    auto grid = PagedSheet(3, 3);               // one page of 2 x 2 cells: 600 x 600
    grid->SetCellText(1, 1, "A");
    for (bool offscreen : {false, true}) {
        grid->SetPrintOption(CGridCtrl::kPrintOptionOffscreen, offscreen);
        grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
        Headless::Reset();
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap paper;
        ASSERT_TRUE(paper.CreateCompatibleBitmap(&dc, 1200, 1200));
        CBitmap* old = dc.SelectObject(&paper);
        Headless::ClearDrawLog();
        grid->DrawPrintPage(&dc, 0, CRect(100, 50, 1100, 1050));
        dc.SelectObject(old);
        const std::vector<Headless::DrawOp> texts = TextOps("A");
        ASSERT_EQ(1u, texts.size()) << offscreen;
        std::vector<Headless::DrawOp> blits;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.kind == Headless::DrawKind::BitBlt)
                blits.push_back(op);
        }
        if (!offscreen) {
            EXPECT_TRUE(blits.empty());
            grid->OnEndPrinting();
            continue;
        }
        // The cell was drawn into the bitmap at the block's own corner, and
        // the bitmap lands one unit right of and below the placed block.
        const void* bitmap = texts[0].target;
        ASSERT_EQ(1u, blits.size());
        EXPECT_EQ(bitmap, blits[0].sourceTarget);
        EXPECT_NE(bitmap, blits[0].target);
        EXPECT_EQ(101, blits[0].rect.left);
        EXPECT_EQ(51, blits[0].rect.top);
        EXPECT_EQ(101 + 601, blits[0].rect.right);   // 600 and the closing line
        EXPECT_EQ(51 + 601, blits[0].rect.bottom);
        EXPECT_EQ(static_cast<UINT>(SRCCOPY), blits[0].flags);
        int whiteFills = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.target == bitmap && op.kind == Headless::DrawKind::FillRect && op.rect.left == 0 &&
                op.rect.top == 0 && op.rect.right == 601 && op.rect.bottom == 601 && op.color == RGB(255, 255, 255))
                ++whiteFills;
        }
        EXPECT_EQ(1, whiteFills);
        grid->OnEndPrinting();
    }
}

TEST(GridPrinting, MergedBlockIsCutAtThePageEdge)
{
    auto grid = PagedSheet(11, 2);
    grid->MergeCells(2, 1, 5, 1);              // rows 2-5; the page breaks after row 3
    grid->SetCellText(2, 1, "M");
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    ASSERT_EQ(4, grid->GetPrintState().rowStarts[1]);
    // The rows the block's fill paints on each page: from inside its top
    // line (or from the page's edge where the block is cut) to its closing
    // line (or through the last line where it is cut).
    struct Case {
        int page;
        int top;
        int bottom;
    } cases[] = {{0, 301, 901}, {1, 0, 600}};
    for (const Case& c : cases) {
        Headless::Reset();
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap paper;
        ASSERT_TRUE(paper.CreateCompatibleBitmap(&dc, 1200, 1200));
        CBitmap* old = dc.SelectObject(&paper);
        grid->DrawPrintPage(&dc, c.page, CRect(0, 0, 1000, 1000));
        dc.SelectObject(old);
        int fills = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            // The block's one background fill paints the rows of this page:
            // the fill of the whole block, clipped to the page's part.
            if (op.kind != Headless::DrawKind::FillRect)
                continue;
            const long top = std::max(op.rect.top, op.clip.top);
            const long bottom = std::min(op.rect.bottom, op.clip.bottom);
            if (top == c.top && bottom == c.bottom)
                ++fills;
        }
        EXPECT_EQ(1, fills) << c.page;
    }
    grid->OnEndPrinting();
}

TEST(GridPrinting, HeaderAndFooterFieldsExpand)
{
    auto grid = PagedSheet(11, 2);
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    ASSERT_EQ(4, grid->GetPrintPageCount());
    struct Case {
        const char* text;
        int page;
        const char* expected;
    } cases[] = {
        {"第&[页码]页 共&[总页数]页", 1, "第2页 共4页"},
        {"&[页码]/&[页码]", 3, "4/4"},
        {"&[总页数]", 0, "4"},
        {"no codes", 0, "no codes"},
        {"&[页码", 0, "&[页码"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, grid->ExpandHeaderFooterFields(c.text, c.page).GetString()) << c.text;
    const CString date = grid->ExpandHeaderFooterFields("&[日期] &[时间]", 0);
    EXPECT_EQ(16, date.GetLength()) << date.GetString();      // "YYYY-MM-DD HH:MM"
    EXPECT_EQ('-', date.GetString()[4]);
    EXPECT_EQ(':', date.GetString()[13]);
    grid->OnEndPrinting();
}

TEST(GridPrinting, HeaderTextsHangFromTheLineAndFootersStandOnIt)
{
    auto grid = PagedSheet(3, 2);
    CGridPrintSettings& ps = grid->GetPrintSettings();
    for (HeaderFooterSet* set : {&ps.m_header, &ps.m_footer}) {
        for (HeaderFooterEntry& e : set->entries) {
            std::memset(&e.logFont, 0, sizeof(e.logFont));
            e.logFont.lfHeight = -20;          // 20 high, 10 wide per character
        }
    }
    ps.m_header.entries[0].strText = "L";
    ps.m_header.entries[2].strText = "RR";
    ps.m_footer.entries[1].strText = "CCCC";
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    Headless::Reset();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    grid->PrintHeader(&dc, 100, 50, 500, 0);
    grid->PrintFooter(&dc, 100, 900, 500, 0);
    struct Case {
        const char* text;
        int x;
        int y;
    } cases[] = {{"L", 100, 50}, {"RR", 480, 50}, {"CCCC", 280, 880}};
    for (const Case& c : cases) {
        const auto ops = TextOps(c.text);
        ASSERT_EQ(1u, ops.size()) << c.text;
        EXPECT_EQ(c.x, ops[0].from.x) << c.text;
        EXPECT_EQ(c.y, ops[0].from.y) << c.text;
    }
    EXPECT_EQ(3u, TextOps("L").size() + TextOps("RR").size() + TextOps("CCCC").size());
    grid->OnEndPrinting();
}

// The border lines a drawing pass made in a pen of the colour and width.
int LinesIn(COLORREF clr, int nWidth)
{
    int lines = 0;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind == Headless::DrawKind::Line && op.penColor == clr && op.penWidth == nWidth)
            ++lines;
    }
    return lines;
}

// A control without a window (a script's) prints and draws to a bitmap with
// its borders: 5 x 4 cells framed in black lines of width 2 give four lines
// each on paper and in the bitmap.
TEST(GridPrinting, WindowlessSheetPrintsAndDrawsItsBorders)
{
    auto grid = PagedSheet(6, 5);              // rows 1-5, columns 1-4 on one 1000 x 1000 page
    for (int r = 1; r < 6; ++r)
        grid->SetRowHeight(r, 100);
    for (int c = 1; c < 5; ++c)
        grid->SetColumnWidth(c, 100);
    for (int r = 1; r < 6; ++r)
        for (int c = 1; c < 5; ++c)
            ASSERT_TRUE(grid->SetCellBorder(r, c, CBF_LEFT | CBF_TOP | CBF_RIGHT | CBF_BOTTOM, PS_SOLID,
                                            RGB(0, 0, 0), 2));
    ASSERT_EQ(nullptr, grid->GetSafeHwnd());
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    ASSERT_EQ(1, grid->GetPrintPageCount());
    Headless::Reset();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    grid->DrawPrintPage(&dc, 0, CRect(0, 0, 1000, 1000));
    EXPECT_EQ(5 * 4 * 4, LinesIn(RGB(0, 0, 0), 2));
    grid->OnEndPrinting();

    Headless::ClearDrawLog();
    CDC target;
    ASSERT_TRUE(target.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(grid->DrawToBmp(&target, CRect(0, 0, 400, 500), CGridCellRange(1, 1, 5, 4), FALSE));
    EXPECT_EQ(5 * 4 * 4, LinesIn(RGB(0, 0, 0), 2));
}

// A merged title cut by a column page break: the owner draws its text once
// over the whole block on each page, clipped to the page's part, so the
// parts join into one text.
TEST(GridPrinting, MergedTitleCutByAColumnBreakDrawsOverTheWholeBlock)
{
    auto grid = PagedSheet(4, 6);              // columns 1-3 | 4-5 of 300
    grid->MergeCells(1, 1, 1, 5);
    grid->SetCellText(1, 1, "TITLE");
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    ASSERT_EQ((std::vector<int>{1, 4, 6}), grid->GetPrintState().colStarts);
    struct Case {
        int page;
        int blockLeft;     // the whole block's left on this page
        int partLeft;
        int partRight;     // the clip: the page's part with its closing line
    } cases[] = {{0, 0, 0, 900}, {1, -900, 0, 600}};
    for (const Case& c : cases) {
        Headless::Reset();
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap paper;
        ASSERT_TRUE(paper.CreateCompatibleBitmap(&dc, 1200, 1200));
        CBitmap* old = dc.SelectObject(&paper);
        grid->DrawPrintPage(&dc, c.page, CRect(0, 0, 1000, 1000));
        dc.SelectObject(old);
        const std::vector<Headless::DrawOp> ops = TextOps("TITLE");
        ASSERT_EQ(1u, ops.size()) << c.page;
        // Formatted over all five columns (1500 wide), whichever page.
        EXPECT_LT(ops[0].rect.left, c.blockLeft + 30) << c.page;
        EXPECT_GE(ops[0].rect.left, c.blockLeft) << c.page;
        EXPECT_GT(ops[0].rect.right, c.blockLeft + 1500 - 30) << c.page;
        EXPECT_EQ(c.partLeft, ops[0].clip.left) << c.page;
        EXPECT_EQ(c.partRight + 1, ops[0].clip.right) << c.page;
    }
    grid->OnEndPrinting();
}

TEST(GridPrintSettings, RangeTextsParseDigitsOnly)
{
    struct Case {
        const char* text;
        BOOL ok;
        int first;
        int last;
    } cases[] = {
        {"1:3", TRUE, 1, 3}, {"5", TRUE, 5, 5},    {"2:x", FALSE, 2, -1}, {"a:3", FALSE, -1, -1},
        {"", FALSE, -1, -1}, {"3:1", FALSE, 3, -1}, {" 2", FALSE, -1, -1}, {"+2", FALSE, -1, -1},
        {"2:", FALSE, 2, -1}, {":2", FALSE, -1, -1}, {"1:2:3", FALSE, 1, -1}, {"99999999999", FALSE, -1, -1},
    };
    for (const Case& c : cases) {
        int first = 7, last = 7;
        EXPECT_EQ(c.ok, CGridCtrl::ParseRange(c.text, first, last)) << c.text;
        EXPECT_EQ(c.first, first) << c.text;
        EXPECT_EQ(c.last, last) << c.text;
    }
}

TEST(GridPrintSettings, RepeatRangesAndUserPaper)
{
    auto grid = MakeSheet(5, 5, 1, 1);
    EXPECT_TRUE(grid->SetRepeatRange("1:3", 1));
    EXPECT_STREQ("1:3", grid->GetRepeatRange(1).GetString());
    EXPECT_FALSE(grid->SetRepeatRange("1:3", 3));
    EXPECT_FALSE(grid->SetRepeatRange("", 2));
    EXPECT_FALSE(grid->SetRepeatRange(std::string(64, '1').c_str(), 2));
    EXPECT_TRUE(grid->SetRepeatRange(std::string(63, '1').c_str(), 8));
    EXPECT_STREQ("", grid->GetRepeatRange(16).GetString());

    grid->GetPrintSettings().m_pDevMode.reset();
    EXPECT_FALSE(grid->SetUserPaper(2100, 2970));             // no printer mode yet
    grid->GetPrintSettings().InitDevMode();
    const PrintDevMode before = *grid->GetPrintSettings().m_pDevMode;
    EXPECT_FALSE(grid->SetUserPaper(0, 2970));
    EXPECT_FALSE(grid->SetUserPaper(2100, -1));
    EXPECT_FALSE(grid->SetUserPaper(40000, 2970));            // beyond the record's field
    EXPECT_EQ(0, std::memcmp(&before, grid->GetPrintSettings().m_pDevMode.get(), sizeof(before)));
    int w = 0, l = 0;
    EXPECT_FALSE(grid->GetUserPaper(w, l));
    EXPECT_TRUE(grid->SetUserPaper(1500, 1000));
    const PrintDevMode& mode = *grid->GetPrintSettings().m_pDevMode;
    EXPECT_EQ(256, mode.dmPaperSize);
    EXPECT_EQ(0xFu, mode.dmFields & 0xF);
    EXPECT_TRUE(grid->GetUserPaper(w, l));
    EXPECT_EQ(1500, w);
    EXPECT_EQ(1000, l);
    grid->SetPaper(9);
    EXPECT_FALSE(grid->GetUserPaper(w, l));
}

TEST(GridPrintSettings, ModeMergeKeepsWhatTheSheetSet)
{
    PrintDevMode stored;
    InitPrintDevMode(&stored);
    EXPECT_EQ(1, stored.dmCollate);
    EXPECT_EQ(-1, stored.dmOrientation);
    EXPECT_EQ(-1, stored.dmPaperWidth);
    EXPECT_EQ(0u, stored.dmFields);
    const PrintDevMode printer = HeadlessPrinter::MakePrinter("P").defaultMode;

    PrintDevMode unset = stored;
    unset.dmCollate = -1;
    const PrintDevMode all = MergePrintModes(unset, printer);
    EXPECT_EQ(0, std::memcmp(&all, &printer, sizeof(all)));    // every field the printer's

    stored.dmOrientation = 2;
    stored.dmPaperSize = 256;
    stored.dmPaperWidth = 1500;                                 // length unset: sizes stay the printer's
    const PrintDevMode merged = MergePrintModes(stored, printer);
    EXPECT_EQ(2, merged.dmOrientation);
    EXPECT_EQ(printer.dmColor, merged.dmColor);
    EXPECT_EQ(1, merged.dmCollate);
    EXPECT_EQ(256, merged.dmPaperSize);
    EXPECT_EQ(printer.dmPaperWidth, merged.dmPaperWidth);
    EXPECT_STREQ("P", merged.dmDeviceName);
    stored.dmPaperLength = 1000;
    const PrintDevMode both = MergePrintModes(stored, printer);
    EXPECT_EQ(1500, both.dmPaperWidth);
    EXPECT_EQ(1000, both.dmPaperLength);
}

// A windowed grid under a recording parent, with one recording printer.
class PrintJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(parent.CreateTopLevel(400, 300));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 81220));
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(31);
        grid.SetColumnCount(3);
        grid.SetCellText(1, 1, "body");
        HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("Recorder")}, "Recorder");
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        parent.DestroyWindow();
        Headless::Reset();
    }
    std::vector<UINT> PrintMessages() const
    {
        std::vector<UINT> list;
        for (const auto& m : parent.messages) {
            if (m.message == WM_GRID_BEGINPRINT || m.message == WM_GRID_FINISHPRINT)
                list.push_back(m.message);
        }
        return list;
    }
    gridwindowtest::RecordingParent parent;
    CGridCtrl grid;
};

TEST_F(PrintJob, PrintsEveryPageOnTheDefaultPrinter)
{
    ASSERT_TRUE(grid.Print());
    const HeadlessPrinter::JobRecord& rec = HeadlessPrinter::Record();
    EXPECT_STREQ("Recorder", rec.strPrinter.GetString());
    EXPECT_STREQ("Recorder", grid.GetPrinterName().GetString());
    EXPECT_STREQ("卡沃文档", rec.strDocName.GetString());
    EXPECT_EQ(1, rec.nDocsStarted);
    EXPECT_EQ(1, rec.nDocsEnded);
    EXPECT_GE(grid.GetPrintPageCount(), 1);
    EXPECT_EQ(grid.GetPrintPageCount(), rec.nPagesEnded);
    EXPECT_EQ((std::vector<UINT>{WM_GRID_BEGINPRINT, WM_GRID_FINISHPRINT}), PrintMessages());
    EXPECT_FALSE(grid.IsPrinting());
    EXPECT_EQ(1.0, grid.GetZoomX());
    // A4 portrait at 300 dpi, unset measures taken from the printer.
    EXPECT_EQ(2480, grid.GetPrintState().nPageWidth);
    EXPECT_EQ(3508, grid.GetPrintState().nPageHeight);
    EXPECT_FALSE(TextOps("body").empty());
}

TEST_F(PrintJob, LandscapeTurnsThePrintersOwnPage)
{
    grid.SetPrintOrientation(2);
    ASSERT_TRUE(grid.Print());
    EXPECT_EQ(3508, grid.GetPrintState().nPageWidth);
    EXPECT_EQ(2480, grid.GetPrintState().nPageHeight);
    EXPECT_EQ(2, HeadlessPrinter::Record().mode.dmOrientation);
}

TEST_F(PrintJob, CustomLandscapePaperReachesTheDriverUpright)
{
    grid.SetPrintOrientation(2);
    ASSERT_TRUE(grid.SetUserPaper(2000, 1000));
    ASSERT_TRUE(grid.Print());
    EXPECT_EQ(2362, grid.GetPrintState().nPageWidth);          // 200 mm at 300 dpi
    EXPECT_EQ(1181, grid.GetPrintState().nPageHeight);
    EXPECT_EQ(1000, HeadlessPrinter::Record().mode.dmPaperWidth);
    EXPECT_EQ(2000, HeadlessPrinter::Record().mode.dmPaperLength);
}

// Paper number, measures and orientation are one setting: each member that
// changes one keeps the others consistent, the job's page is the paper the
// printer was given, and every row is printed once.
TEST_F(PrintJob, PaperNumberMeasuresAndOrientationStayOneSetting)
{
    HeadlessPrinter::Installed printer = HeadlessPrinter::MakePrinter("Recorder");
    printer.papers.push_back({11, 1480, 2100, "A5"});
    HeadlessPrinter::SetPrinters({printer}, "Recorder");
    ASSERT_TRUE(grid.LoadPrinterInfo("Recorder"));
    grid.SetRowCount(120);
    for (int r = 1; r < 120; ++r)
        grid.SetCellText(r, 1, ("row" + std::to_string(r)).c_str());
    // A confirmed page set-up: landscape A4.
    PrintDevMode& mode = *grid.GetPrintSettings().m_pDevMode;
    mode.dmPaperSize = 9;
    mode.dmOrientation = 2;
    mode.dmPaperWidth = 2970;
    mode.dmPaperLength = 2100;
    struct Step {
        const char* name;
        std::function<void()> change;
        short paper, orientation, width, length;
    } steps[] = {
        {"to portrait", [&] { grid.SetPrintOrientation(1); }, 9, 1, 2100, 2970},
        {"A5", [&] { grid.SetPaper(11); }, 11, 1, 1480, 2100},
        {"A5 turned", [&] { grid.SetPrintOrientation(2); }, 11, 2, 2100, 1480},
        {"A4 while turned", [&] { grid.SetPaper(9); }, 9, 2, 2970, 2100},
        {"custom given upright while turned", [&] { grid.SetUserPaper(1000, 2000); }, 256, 2, 2000, 1000},
        {"custom to portrait", [&] { grid.SetPrintOrientation(1); }, 256, 1, 1000, 2000},
        {"a paper the printer does not list", [&] { grid.SetPaper(70); }, 70, 1, -1, -1},
    };
    for (const Step& st : steps) {
        st.change();
        EXPECT_EQ(st.paper, mode.dmPaperSize) << st.name;
        EXPECT_EQ(st.orientation, mode.dmOrientation) << st.name;
        EXPECT_EQ(st.width, mode.dmPaperWidth) << st.name;
        EXPECT_EQ(st.length, mode.dmPaperLength) << st.name;
        Headless::ClearDrawLog();
        ASSERT_TRUE(grid.Print()) << st.name;
        // The driver got the paper upright and turns it itself.
        const PrintDevMode& given = HeadlessPrinter::Record().mode;
        if (st.width > 0) {
            EXPECT_EQ(std::min(st.width, st.length), given.dmPaperWidth) << st.name;
            EXPECT_EQ(std::max(st.width, st.length), given.dmPaperLength) << st.name;
        }
        int width = given.dmPaperWidth > 0 ? given.dmPaperWidth : 2100;
        int length = given.dmPaperLength > 0 ? given.dmPaperLength : 2970;
        if (given.dmOrientation == 2)
            std::swap(width, length);
        EXPECT_EQ(TenthsMmToUnits(width, HeadlessPrinter::kDpi), grid.GetPrintState().nPageWidth) << st.name;
        EXPECT_EQ(TenthsMmToUnits(length, HeadlessPrinter::kDpi), grid.GetPrintState().nPageHeight) << st.name;
        for (int r = 1; r < 120; ++r)
            EXPECT_EQ(1u, TextOps("row" + std::to_string(r)).size()) << st.name << " row " << r;
    }
}

TEST_F(PrintJob, NoPrinterShowsTheMessageAndSendsNothing)
{
    HeadlessPrinter::SetPrinters({}, "");
    EXPECT_FALSE(grid.Print());
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    EXPECT_EQ("没有按装打印机,不能打印!", Headless::MessageBoxes()[0].text);
    EXPECT_EQ("提示", Headless::MessageBoxes()[0].caption);
    EXPECT_TRUE(PrintMessages().empty());
    EXPECT_EQ(0, HeadlessPrinter::Record().nDocsStarted);
}

TEST_F(PrintJob, FailuresAbortTheJobAndStillFinish)
{
    struct Case {
        const char* name;
        bool failStartDoc;
        int failEndPage;
        int pagesStarted;
    } cases[] = {{"StartDoc", true, 0, 0}, {"second EndPage", false, 2, 2}};
    for (const Case& c : cases) {
        grid.SetRowCount(200);
        HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("Recorder")}, "Recorder");
        HeadlessPrinter::FailStartDoc(c.failStartDoc);
        HeadlessPrinter::FailEndPage(c.failEndPage);
        parent.messages.clear();
        const int docsAbortedBefore = HeadlessPrinter::Record().nDocsAborted;
        const int pagesBefore = HeadlessPrinter::Record().nPagesStarted;
        EXPECT_FALSE(grid.Print()) << c.name;
        EXPECT_EQ(c.pagesStarted, HeadlessPrinter::Record().nPagesStarted - pagesBefore) << c.name;
        EXPECT_EQ(0, HeadlessPrinter::Record().nDocsEnded) << c.name;
        if (!c.failStartDoc) {
            EXPECT_EQ(docsAbortedBefore + 1, HeadlessPrinter::Record().nDocsAborted) << c.name;
        }
        EXPECT_EQ((std::vector<UINT>{WM_GRID_BEGINPRINT, WM_GRID_FINISHPRINT}), PrintMessages()) << c.name;
        EXPECT_EQ(1.0, grid.GetZoomY()) << c.name;
        HeadlessPrinter::FailStartDoc(false);
        HeadlessPrinter::FailEndPage(0);
    }
}

TEST_F(PrintJob, MissingStoredPrinterFallsBackToTheDefault)
{
    HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("Gone"), HeadlessPrinter::MakePrinter("Recorder")},
                                 "Recorder");
    ASSERT_TRUE(grid.LoadPrinterInfo("Gone"));
    HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("Recorder")}, "Recorder");
    EXPECT_TRUE(grid.Print());
    EXPECT_STREQ("Recorder", HeadlessPrinter::Record().strPrinter.GetString());
    HeadlessPrinter::FailCreate(true);
    EXPECT_FALSE(grid.Print());
}

}  // namespace

// A host's own print loop: OnPrint page by page with the fixed row above and
// the fixed column beside each page's cells.
TEST(GridPrintLoop, PagesCarryTheFixedLinesAndTheCornerGoesWithTheFirstColumns)
{
    // 5 x 4 cells of 300 with one fixed row and column on a 1000 x 1000
    // page: 700 x 700 are left for the body, rows 1-2 | 3-4 and columns
    // 1-2 | 3, across before down.
    auto grid = PagedSheet(5, 4);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            grid->SetCellText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
    grid->SetPrintLayout(0, -1, 0, 0, -1, -1, 0);
    grid->OnBeginPrinting(TenthMmMetrics(), FALSE, 254);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(4, grid->GetPrintLoopPageCount(&dc));
    struct Case {
        int page;
        std::vector<std::string> texts;   // with the cell's left and top
        std::vector<std::pair<int, int>> at;
    } cases[] = {
        {1,
         {"0,0", "0,1", "0,2", "1,0", "2,0", "1,1", "2,2"},
         {{0, 0}, {300, 0}, {600, 0}, {0, 300}, {0, 600}, {300, 300}, {600, 600}}},
        {2, {"0,3", "1,0", "2,0", "1,3", "2,3"}, {{300, 0}, {0, 300}, {0, 600}, {300, 300}, {300, 600}}},
        {3, {"0,0", "0,1", "3,0", "4,0", "3,1", "4,2"}, {{0, 0}, {300, 0}, {0, 300}, {0, 600}, {300, 300}, {600, 600}}},
        {4, {"0,3", "3,0", "4,0", "3,3", "4,3"}, {{300, 0}, {0, 300}, {0, 600}, {300, 300}, {300, 600}}},
    };
    const std::vector<std::string> all = {"0,0", "0,1", "0,2", "0,3", "1,0", "1,1", "1,2", "1,3", "2,0", "2,1",
                                          "2,2", "2,3", "3,0", "3,1", "3,2", "3,3", "4,0", "4,1", "4,2", "4,3"};
    for (const Case& c : cases) {
        Headless::ClearDrawLog();
        grid->OnPrint(&dc, c.page);
        for (size_t i = 0; i < c.texts.size(); ++i) {
            const std::vector<Headless::DrawOp> ops = TextOps(c.texts[i]);
            ASSERT_EQ(1u, ops.size()) << "page " << c.page << " " << c.texts[i];
            EXPECT_GE(ops[0].rect.left, c.at[i].first) << "page " << c.page << " " << c.texts[i];
            EXPECT_LT(ops[0].rect.left, c.at[i].first + 30) << "page " << c.page << " " << c.texts[i];
            EXPECT_GE(ops[0].rect.top, c.at[i].second) << "page " << c.page << " " << c.texts[i];
            EXPECT_LT(ops[0].rect.top, c.at[i].second + 30) << "page " << c.page << " " << c.texts[i];
        }
        // Nothing else: in particular the corner only on the first columns'
        // pages and no body line twice.
        int printed = 0;
        for (const std::string& t : all)
            printed += static_cast<int>(TextOps(t).size());
        int expected = static_cast<int>(c.texts.size());
        if (c.page == 1 || c.page == 3)
            expected += 2;   // the rest of the 2 x 2 body
        if (c.page == 3)
            expected += 1;   // "0,2"
        EXPECT_EQ(expected, printed) << "page " << c.page;
    }
    // No such page: nothing drawn.
    Headless::ClearDrawLog();
    grid->OnPrint(&dc, 5);
    grid->OnPrint(&dc, 0);
    EXPECT_TRUE(TextOps("1,1").empty());

    // A narrower area leaves out the cell that would end past it.
    CRect row(0, 0, 700, 300);
    Headless::ClearDrawLog();
    EXPECT_EQ(600, grid->PrintRowCells(1, 4, 1, row, &dc));
    EXPECT_EQ(1u, TextOps("1,1").size());
    EXPECT_EQ(1u, TextOps("1,2").size());
    EXPECT_TRUE(TextOps("1,3").empty());
    grid->OnEndPrinting();
}
