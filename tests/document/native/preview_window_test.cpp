// The preview windows as host windows: the in-control preview and the pop-up
// host, the bar's place under a title and its greyed buttons by mode, the
// pages painted white and framed, the wheel, and Esc closing the host with
// one message 1058 to the grid window.
#include "document/KivoPreviewCtrl.h"
#include "document/PageSetupDlg.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessPrinter.h"

#include "grid/native/window_test_util.h"

#include <gtest/gtest.h>

namespace {

// A grid that counts the 1058 messages it receives.
class CountingGrid : public CGridCtrl {
public:
    int closeMessages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CLOSEPREVIEW)
            ++closeMessages;
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }
};

// A left click on one of the bar's buttons.
void ClickButton(CPreviewToolBarDlg* bar, int id)
{
    CWnd* button = bar->GetButton(id);
    ASSERT_NE(nullptr, button) << id;
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    button->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class PreviewWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(parent.CreateTopLevel(800, 600));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 800, 600), &parent, 81220));
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(120);
        grid.SetColumnCount(4);
        grid.SetCellText(1, 1, "cell");
        HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("Recorder")}, "Recorder");
    }
    void TearDown() override
    {
        grid.ClosePreview();
        grid.DestroyWindow();
        parent.DestroyWindow();
        Headless::Reset();
    }
    // Opens the in-control preview and lets its opening animation end.
    bool Preview()
    {
        const bool opened = grid.PrintPreview() != FALSE;
        Headless::AdvanceTime(1000);
        return opened;
    }
    gridwindowtest::RecordingParent parent;
    CountingGrid grid;
};

TEST_F(PreviewWindows, InControlPreviewShowsWhiteFramedPages)
{
    ASSERT_TRUE(Preview());
    PlatformPumpMessages();
    EXPECT_EQ(1, parent.Count(WM_GRID_BEGINPREVIEW));
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    CPreviewPageView* view = frame->GetView();
    ASSERT_GT(view->GetPageCount(), 1);
    EXPECT_EQ(grid.GetPrintPageCount(), view->GetPageCount());
    Headless::KeepWindowPixels(view->GetSafeHwnd());
    view->RedrawWindow();
    const CRect page = view->GetPageRects()[0];
    EXPECT_EQ(CPreviewPageView::kOffset, page.left);
    EXPECT_EQ(0xFFFFFFu, Headless::WindowPixel(view->GetSafeHwnd(), page.left + 5, page.top + 5));
    EXPECT_EQ(0x000000u, Headless::WindowPixel(view->GetSafeHwnd(), page.left, page.top + 5));
    EXPECT_EQ(0x808080u, Headless::WindowPixel(view->GetSafeHwnd(), 3, 3));

    // The page view's commands through the frame.
    frame->SendMessage(WM_PREVIEW_NEXTPAGE, 2, 0);
    EXPECT_EQ(1, view->GetCurPage());
    frame->SendMessage(WM_PREVIEW_MULTIPAGE, 3, 0);
    EXPECT_EQ(PREVIEW_PAGES_PER_ROW, view->GetMode());
    EXPECT_EQ(3, view->GetPerRow());

    // The bar's close button closes the preview and shows the grid again.
    ClickButton(frame->GetBar(), IDC_PREVIEW_CLOSE);
    EXPECT_EQ(nullptr, grid.GetPreviewWnd());
    EXPECT_EQ(1, grid.closeMessages);
    EXPECT_FALSE(grid.IsPrinting());
}

TEST_F(PreviewWindows, BarGreysButtonsByModeAndMovesUnderATitle)
{
    ASSERT_TRUE(Preview());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    CPreviewToolBarDlg* bar = frame->GetBar();
    auto barTop = [&]() {
        CRect r;
        bar->GetWindowRect(&r);
        frame->ScreenToClient(&r);
        return static_cast<int>(r.top);
    };
    EXPECT_EQ(0, barTop());
    grid.SetPreviewTitle("title");
    EXPECT_EQ(20, barTop());

    struct Case {
        int button;
        bool prev, next, one, all;
    } cases[] = {{IDC_PREVIEW_ALL, false, false, true, false}, {IDC_PREVIEW_ONE, true, true, false, true},
                 {IDC_PREVIEW_MULTI, false, false, true, true}};
    for (const Case& c : cases) {
        ClickButton(bar, c.button);
        EXPECT_EQ(c.prev, bar->IsButtonEnabled(IDC_PREVIEW_PREV)) << c.button;
        EXPECT_EQ(c.next, bar->IsButtonEnabled(IDC_PREVIEW_NEXT)) << c.button;
        EXPECT_EQ(c.one, bar->IsButtonEnabled(IDC_PREVIEW_ONE)) << c.button;
        EXPECT_EQ(c.all, bar->IsButtonEnabled(IDC_PREVIEW_ALL)) << c.button;
        // The button windows follow: a greyed button is a disabled window.
        EXPECT_EQ(c.prev, bar->GetButton(IDC_PREVIEW_PREV)->IsWindowEnabled() != FALSE) << c.button;
        EXPECT_EQ(c.all, bar->GetButton(IDC_PREVIEW_ALL)->IsWindowEnabled() != FALSE) << c.button;
    }
    // A greyed button does nothing.
    const int perRow = frame->GetView()->GetPerRow();
    frame->GetView()->SetMode(PREVIEW_ALL_PAGES, 0);
    bar->SendMessage(WM_PREVIEW_ALLPAGES, 0, 0);
    bar->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_MULTI, BN_CLICKED),
                     reinterpret_cast<LPARAM>(bar->GetButton(IDC_PREVIEW_MULTI)->GetSafeHwnd()));
    EXPECT_EQ(PREVIEW_PAGES_PER_ROW, frame->GetView()->GetMode());
    EXPECT_EQ(perRow, frame->GetView()->GetPerRow());
}

TEST_F(PreviewWindows, OpeningGrowsTheFrameByStepsThenShowsViewAndBar)
{
    for (BOOL hideBar : {FALSE, TRUE}) {
        grid.SetHideViewBar(hideBar);
        ASSERT_TRUE(grid.PrintPreview());
        CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
        ASSERT_NE(nullptr, frame);
        auto width = [&]() {
            CRect r;
            frame->GetWindowRect(&r);
            return static_cast<int>(r.Width());
        };
        // The grid's client width (796) to grow: 100 a tick, the eighth
        // tick ends it.
        CRect target;
        grid.GetClientRect(&target);
        ASSERT_GT(target.Width(), 700);
        ASSERT_LE(target.Width(), 800);
        EXPECT_TRUE(frame->IsOpening());
        EXPECT_EQ(0, width());
        EXPECT_FALSE(frame->GetView()->IsWindowVisible());
        EXPECT_FALSE(frame->GetBar()->IsWindowVisible());
        for (int tick = 1; tick < 8; ++tick) {
            ASSERT_TRUE(Headless::FireTimer(frame->GetSafeHwnd(), CKivoPreviewCtrl::kOpeningTimer));
            EXPECT_EQ(tick * 100, width()) << tick;
            EXPECT_FALSE(frame->GetView()->IsWindowVisible()) << tick;
        }
        ASSERT_TRUE(Headless::FireTimer(frame->GetSafeHwnd(), CKivoPreviewCtrl::kOpeningTimer));
        EXPECT_EQ(target.Width(), width());
        EXPECT_FALSE(frame->IsOpening());
        EXPECT_FALSE(Headless::HasTimer(frame->GetSafeHwnd(), CKivoPreviewCtrl::kOpeningTimer));
        EXPECT_TRUE(frame->GetView()->IsWindowVisible());
        EXPECT_EQ(!hideBar, frame->GetBar()->IsWindowVisible() != FALSE);
        EXPECT_EQ(frame->GetView(), CWnd::GetFocus());
        grid.ClosePreview();
    }
}

TEST_F(PreviewWindows, EscClosesThePopupHostOnce)
{
    ASSERT_EQ(1, grid.PopupPreview());
    CWnd* host = grid.GetPreviewHost();
    ASSERT_NE(nullptr, host);
    EXPECT_TRUE(host->IsWindowVisible());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    frame->GetView()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(1, grid.closeMessages);
    EXPECT_EQ(nullptr, grid.GetPreviewHost());
    EXPECT_EQ(nullptr, grid.GetPreviewWnd());
    // A later preview opens again in a new host window.
    ASSERT_EQ(1, grid.PopupPreview());
    EXPECT_NE(nullptr, grid.GetPreviewHost());
}

TEST_F(PreviewWindows, NoPrinterMeansNoPreview)
{
    HeadlessPrinter::SetPrinters({}, "");
    EXPECT_FALSE(Preview());
    EXPECT_EQ(0, grid.PopupPreview());
    ASSERT_EQ(2u, Headless::MessageBoxes().size());
    EXPECT_EQ("没有按装打印机,不能预览!", Headless::MessageBoxes()[0].text);
    EXPECT_EQ(nullptr, grid.GetPreviewWnd());
    PlatformPumpMessages();
    EXPECT_EQ(0, parent.Count(WM_GRID_BEGINPREVIEW));
}

TEST_F(PreviewWindows, WheelScrollsUpOrDownByItsSign)
{
    // The view's own bars, and the skin's bars beside it in the skinned display.
    for (int style : {0, 1}) {
        grid.SetSkinStyle(style);
        ASSERT_TRUE(Preview());
        CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
        CPreviewPageView* view = frame->GetView();
        view->SetMode(PREVIEW_ALL_PAGES, 0);
        if (style == 0)
            ASSERT_TRUE(Headless::ScrollBarShown(view->GetSafeHwnd(), SB_VERT));
        else
            ASSERT_TRUE(frame->GetSkinScrollBar(SB_VERT)->IsWindowVisible());
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
        PlatformPumpMessages();
        const int down = view->GetScrollPosition(SB_VERT);
        EXPECT_GT(down, 0) << style;
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
        PlatformPumpMessages();
        EXPECT_EQ(down, view->GetScrollPosition(SB_VERT)) << style;    // half a notch: nothing yet
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
        PlatformPumpMessages();
        EXPECT_LT(view->GetScrollPosition(SB_VERT), down) << style;    // a whole notch up
        grid.ClosePreview();
    }
}

}  // namespace

TEST_F(PreviewWindows, SkinnedBarTilesItsBackgroundAndDrawsAThreeToneFrame)
{
    for (int style : {0, 1}) {
        grid.SetSkinStyle(style);
        ASSERT_TRUE(Preview());
        CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
        ASSERT_NE(nullptr, frame);
        CPreviewToolBarDlg* bar = frame->GetBar();
        CRect client;
        bar->GetClientRect(&client);
        Headless::ClearDrawLog();
        bar->RedrawWindow();
        std::vector<Headless::DrawOp> tiles, rings;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.target != bar->GetSafeHwnd())
                continue;
            if (op.kind == Headless::DrawKind::StretchBlt)
                tiles.push_back(op);
            if (op.kind == Headless::DrawKind::FrameRect)
                rings.push_back(op);
        }
        // The frame around the bar and view: grey, or the skin's colour.
        Headless::ClearDrawLog();
        frame->RedrawWindow();
        bool frameFilled = false;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.target == frame->GetSafeHwnd() && op.kind == Headless::DrawKind::FillRect)
                frameFilled = frameFilled || op.color == (style == 1 ? 0xEBC3A4u : 0x808080u);
        }
        EXPECT_TRUE(frameFilled) << style;
        // Every button is owner-drawn from the skin, or a plain push button.
        for (int id : {IDC_PREVIEW_PRINT, IDC_PREVIEW_ALL, IDC_PREVIEW_CLOSE})
            EXPECT_EQ(style == 1, bar->GetButton(id)->IsSkinned() != FALSE) << style << " " << id;
        if (style == 0) {
            EXPECT_TRUE(tiles.empty());
            EXPECT_TRUE(rings.empty());
            grid.ClosePreview();
            continue;
        }
        const CSize tile = grid.GetSkinBitmap(SKIN_PREVIEWTOOLBARBG)->GetSize();
        ASSERT_GT(tile.cx, 0);
        const int count = (client.Width() + tile.cx - 1) / tile.cx;
        ASSERT_EQ(static_cast<size_t>(count), tiles.size());
        for (int i = 0; i < count; ++i) {
            const int w = std::min<int>(tile.cx, client.Width() - i * tile.cx);
            EXPECT_EQ(i * tile.cx, tiles[i].rect.left) << i;
            EXPECT_EQ(w, tiles[i].rect.right - tiles[i].rect.left) << i;
            EXPECT_EQ(client.Height(), tiles[i].rect.bottom - tiles[i].rect.top) << i;
            EXPECT_EQ(w, tiles[i].source.right - tiles[i].source.left) << i;   // cut, not squeezed
        }
        const COLORREF colours[] = {RGB(150, 170, 196), RGB(166, 188, 217), RGB(177, 200, 231)};
        ASSERT_EQ(static_cast<size_t>(::GetSystemMetrics(SM_CYFRAME)), rings.size());
        for (size_t i = 0; i < rings.size(); ++i) {
            EXPECT_EQ(colours[std::min<size_t>(i, 2)], rings[i].color) << i;
            EXPECT_EQ(static_cast<LONG>(i), rings[i].rect.left) << i;
        }
        grid.ClosePreview();
    }
}

TEST_F(PreviewWindows, SkinnedFrameShowsSkinBarsAndTheirCornerSquare)
{
    struct Case {
        int style;
        int mode;
        int state;      // skin bars shown: 1 horizontal, 2 vertical
    } cases[] = {{1, PREVIEW_ALL_PAGES, 3}, {1, PREVIEW_ONE_PAGE, 1}, {0, PREVIEW_ALL_PAGES, 0}};
    for (const Case& c : cases) {
        grid.SetSkinStyle(c.style);
        ASSERT_TRUE(Preview());
        CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
        ASSERT_NE(nullptr, frame);
        frame->SendMessage(c.mode == PREVIEW_ONE_PAGE ? WM_PREVIEW_ONEPAGE : WM_PREVIEW_ALLPAGES, 0, 0);
        // A frame tall enough for one page but narrower than it.
        frame->MoveWindow(0, 0, 600, 1400);
        EXPECT_EQ(c.state, frame->GetScrollBarState()) << c.style << " " << c.mode;
        CRect client, view;
        frame->GetClientRect(&client);
        frame->GetView()->GetWindowRect(&view);
        frame->ScreenToClient(&view);
        // The view gives up 15 pixels on each side a skin bar takes.
        EXPECT_EQ(client.right - ((c.state & 2) ? 15 : 0), view.right) << c.style << " " << c.mode;
        EXPECT_EQ(client.bottom - ((c.state & 1) ? 15 : 0), view.bottom) << c.style << " " << c.mode;
        if (c.style == 0)
            EXPECT_EQ(nullptr, frame->GetSkinScrollBar(SB_VERT));

        Headless::ClearDrawLog();
        frame->RedrawWindow();
        int corners = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog()) {
            if (op.target != frame->GetSafeHwnd() || op.kind != Headless::DrawKind::BitBlt)
                continue;
            ++corners;
            EXPECT_EQ(CRect(client.right - 16, client.bottom - 16, client.right, client.bottom), CRect(op.rect));
            EXPECT_EQ(128, op.source.left);
            EXPECT_EQ(0, op.source.top);
        }
        EXPECT_EQ(c.state == 3 ? 1 : 0, corners) << c.style << " " << c.mode;
        grid.ClosePreview();
    }
}

TEST_F(PreviewWindows, AnOpenPreviewFollowsTheDisplayMode)
{
    grid.SetSkinStyle(0);
    ASSERT_TRUE(Preview());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    CPreviewPageView* view = frame->GetView();
    frame->SendMessage(WM_PREVIEW_ALLPAGES, 0, 0);
    struct Step {
        int style;
        bool skinBars;
    } steps[] = {{1, true}, {0, false}, {1, true}};
    for (const Step& st : steps) {
        grid.SetSkinStyle(st.style);
        EXPECT_EQ(st.skinBars, frame->GetSkinScrollBar(SB_VERT) != nullptr) << st.style;
        EXPECT_EQ(st.skinBars ? 3 : 0, frame->GetScrollBarState()) << st.style;
        // The view's own bars give way to the skin's, and come back.
        EXPECT_EQ(!st.skinBars, Headless::ScrollBarShown(view->GetSafeHwnd(), SB_VERT)) << st.style;
        EXPECT_EQ(st.skinBars, frame->GetBar()->GetButton(IDC_PREVIEW_PRINT)->IsSkinned() != FALSE) << st.style;
        // Scrolling goes to whichever bars show.
        view->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_GT(view->GetScrollPosition(SB_VERT), 0) << st.style;
        view->SendMessage(WM_VSCROLL, SB_TOP, 0);
    }
}

TEST_F(PreviewWindows, PageSetupFromTheBarLaysTheOpenPreviewOutAgain)
{
    // The user turns the paper in the dialog and presses OK; a second time
    // cancels.
    static INT_PTR answer = IDOK;
    SetPageSetupRunner([](CWnd*, CPageSetupDlg& dialog) -> INT_PTR {
        dialog.PrinterPage().SetLandscape(true);
        return answer == IDOK && dialog.Save() < 0 ? IDOK : IDCANCEL;
    });
    ASSERT_TRUE(Preview());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    const CRect upright = frame->GetView()->GetPageRects()[0];
    ASSERT_GT(upright.Height(), upright.Width());
    const int pagesUpright = frame->GetView()->GetPageCount();

    answer = IDCANCEL;
    EXPECT_EQ(0, frame->SendMessage(WM_PREVIEW_PAGESETUP, 0, 0));
    EXPECT_EQ(upright, frame->GetView()->GetPageRects()[0]);

    answer = IDOK;
    EXPECT_NE(0, frame->SendMessage(WM_PREVIEW_PAGESETUP, 0, 0));
    const CRect turned = frame->GetView()->GetPageRects()[0];
    EXPECT_EQ(upright.Width(), turned.Height());
    EXPECT_EQ(upright.Height(), turned.Width());
    EXPECT_NE(pagesUpright, frame->GetView()->GetPageCount());   // fewer rows fit a page
    EXPECT_EQ(grid.GetPrintPageCount(), frame->GetView()->GetPageCount());
    EXPECT_TRUE(grid.IsPrinting());
    SetPageSetupRunner(nullptr);
}

namespace {

// The rows and columns of every page of the grid's present layout.
std::vector<std::pair<std::vector<int>, std::vector<int>>> LaidOutPages(const CGridCtrl& grid)
{
    std::vector<std::pair<std::vector<int>, std::vector<int>>> pages;
    for (int p = 0; p < grid.GetPrintPageCount(); ++p) {
        GridPrintPage page;
        grid.LayoutPrintPage(p, 0, 0, page);
        pages.emplace_back(page.rows, page.cols);
    }
    return pages;
}

// A sheet whose rows and columns are of uneven sizes, so that pages laid out
// at the screen's size and at the printer's break at other lines.
void UnevenSheet(CGridCtrl& grid)
{
    grid.SetRowCount(401);
    grid.SetColumnCount(13);
    for (int r = 1; r < 401; ++r)
        grid.SetRowHeight(r, 17 + r % 5);
    for (int c = 1; c < 13; ++c)
        grid.SetColumnWidth(c, 63 + 7 * (c % 3));
}

}  // namespace

// The preview's pages hold exactly the rows and columns of the printed
// pages, for A4 and A5, upright and turned, with and without titles.
TEST_F(PreviewWindows, PreviewPagesHoldThePrintedRowsAndColumns)
{
    HeadlessPrinter::Installed printer = HeadlessPrinter::MakePrinter("Recorder");
    printer.papers.push_back({11, 1480, 2100, "A5"});
    HeadlessPrinter::SetPrinters({printer}, "Recorder");
    ASSERT_TRUE(grid.LoadPrinterInfo("Recorder"));
    UnevenSheet(grid);
    struct Case {
        int paper;
        short orientation;
        bool titles;
    } cases[] = {{9, 1, false}, {9, 2, false}, {11, 1, false}, {11, 2, false},
                 {9, 1, true},  {9, 2, true},  {11, 1, true},  {11, 2, true}};
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.paper) + "/" + std::to_string(c.orientation) +
                                 (c.titles ? " titles" : "");
        grid.SetPrintOrientation(c.orientation);
        grid.SetPaper(c.paper);
        CGridPrintSettings& ps = grid.GetPrintSettings();
        for (int i = 2; i < 6; ++i)
            ps.m_strPrintTexts[i] = "";
        if (c.titles) {
            ASSERT_TRUE(grid.SetRepeatRange("1:2", 1));
            ASSERT_TRUE(grid.SetRepeatRange("1", 4));
        }
        ASSERT_TRUE(Preview()) << name;
        const auto previewed = LaidOutPages(grid);
        CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
        ASSERT_NE(nullptr, frame) << name;
        EXPECT_EQ(static_cast<int>(previewed.size()), frame->GetView()->GetPageCount()) << name;
        grid.ClosePreview();
        ASSERT_TRUE(grid.Print()) << name;
        const auto printed = LaidOutPages(grid);
        ASSERT_GT(printed.size(), 1u) << name;
        ASSERT_EQ(printed.size(), previewed.size()) << name;
        for (size_t p = 0; p < printed.size(); ++p) {
            EXPECT_EQ(printed[p].first, previewed[p].first) << name << " page " << p;
            EXPECT_EQ(printed[p].second, previewed[p].second) << name << " page " << p;
        }
    }
}

// The preview's own print button prints and leaves the preview as it was:
// its pages, their scale, the grid's zoom and the preview's state, so that a
// page set-up afterwards lays it out again.
TEST_F(PreviewWindows, PrintingFromTheOpenPreviewLeavesItAsItWas)
{
    UnevenSheet(grid);
    ASSERT_TRUE(Preview());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    CPreviewPageView* view = frame->GetView();
    const GridPrintState before = grid.GetPrintState();
    const auto pagesBefore = LaidOutPages(grid);
    const std::vector<CRect> rectsBefore = view->GetPageRects();
    const double scaleBefore = view->GetScaleX();
    const double zoomBefore = grid.GetZoomX();
    const int docsBefore = HeadlessPrinter::Record().nDocsEnded;

    EXPECT_NE(0, frame->SendMessage(WM_PREVIEW_PRINT, 0, 0));
    EXPECT_EQ(docsBefore + 1, HeadlessPrinter::Record().nDocsEnded);
    const GridPrintState& after = grid.GetPrintState();
    EXPECT_TRUE(after.bPrinting);
    EXPECT_TRUE(after.bPreview);
    EXPECT_EQ(before.nPageWidth, after.nPageWidth);
    EXPECT_EQ(before.nOffsetX, after.nOffsetX);
    EXPECT_EQ(before.rowStarts, after.rowStarts);
    EXPECT_EQ(before.colStarts, after.colStarts);
    EXPECT_EQ(zoomBefore, grid.GetZoomX());
    EXPECT_EQ(pagesBefore, LaidOutPages(grid));
    EXPECT_EQ(grid.GetPreviewWnd(), frame);
    view->RedrawWindow();
    EXPECT_EQ(rectsBefore, view->GetPageRects());
    EXPECT_EQ(scaleBefore, view->GetScaleX());

    // What a page set-up's OK does next: the same pages again, not an
    // empty preview.
    grid.RelayoutPreview();
    EXPECT_EQ(pagesBefore, LaidOutPages(grid));
    EXPECT_EQ(static_cast<int>(pagesBefore.size()), view->GetPageCount());
}

// Several pages per row are shrunk to fit the view: a row of three pages
// lies within the view's width and a page within its height.
TEST_F(PreviewWindows, PagesPerRowFitTheView)
{
    UnevenSheet(grid);
    ASSERT_TRUE(Preview());
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(grid.GetPreviewWnd());
    ASSERT_NE(nullptr, frame);
    CPreviewPageView* view = frame->GetView();
    const CSize natural = view->GetPageRects()[0].Size();
    CRect client;
    view->GetClientRect(&client);
    ASSERT_GT(natural.cy, client.Height());     // one page alone needs scrolling
    for (int perRow : {2, 3, 5}) {
        frame->SendMessage(WM_PREVIEW_MULTIPAGE, static_cast<WPARAM>(perRow), 0);
        view->GetClientRect(&client);
        const std::vector<CRect>& rects = view->GetPageRects();
        ASSERT_GE(rects.size(), static_cast<size_t>(perRow)) << perRow;
        EXPECT_LE(rects[static_cast<size_t>(perRow) - 1].right, client.right) << perRow;
        EXPECT_LE(rects[0].bottom, client.bottom) << perRow;
        EXPECT_EQ(rects[0].top, rects[static_cast<size_t>(perRow) - 1].top) << perRow;
        // The page keeps its shape.
        EXPECT_NEAR(static_cast<double>(natural.cx) / natural.cy,
                    static_cast<double>(rects[0].Width()) / rects[0].Height(), 0.01)
            << perRow;
    }
    // One page is shown at its natural size again.
    frame->SendMessage(WM_PREVIEW_ONEPAGE, 0, 0);
    EXPECT_EQ(natural, view->GetPageRects()[0].Size());
}
