// Frozen-pane layout of a grid window: cell rectangles, the top-left cell,
// the visible range, scroll maxima and pages, with and without frozen bands
// on each side, with zoom, and scrolled.
#include "window_test_util.h"

#include <gtest/gtest.h>

using gridwindowtest::WindowGrid;

namespace {

struct Freeze {
    int top, bottom, left, right;
};

struct LayoutCase {
    const char* name;
    Freeze freeze;
    int vpos;                 // vertical scroll position (pixels)
    int hpos;
    double zoom;
    int row, col;             // a cell and its expected rectangle
    RECT rect;
    CGridCellPos topLeft;
    CGridCellRange visible;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, CellRectTopLeftAndVisibleRange)
{
    const LayoutCase& c = GetParam();
    WindowGrid w;
    w.Build(20, 10, 1, 1);
    w.grid.SetFreezeTopRows(c.freeze.top);
    w.grid.SetFreezeBottomRows(c.freeze.bottom);
    w.grid.SetFreezeLeftCols(c.freeze.left);
    w.grid.SetFreezeRightCols(c.freeze.right);
    w.grid.SetZoom(c.zoom, c.zoom);
    w.grid.UpdateScrollBars();
    w.grid.SetScrollPos(SB_VERT, c.vpos, FALSE);
    w.grid.SetScrollPos(SB_HORZ, c.hpos, FALSE);

    CRect rc;
    ASSERT_TRUE(w.grid.GetCellRect(c.row, c.col, &rc));
    EXPECT_EQ(CRect(c.rect), rc);
    EXPECT_EQ(c.topLeft, w.grid.GetTopLeftCell(TRUE));
    EXPECT_EQ(c.visible, w.grid.GetVisibleRange(nullptr, TRUE));
}

// Client 400 x 300; row 0 is 25 high, others 20; column 0 is 40 wide, others 50.
INSTANTIATE_TEST_SUITE_P(
    Bands, LayoutTest,
    ::testing::Values(
        LayoutCase{"plain", {0, 0, 0, 0}, 0, 0, 1.0, 1, 1, {40, 25, 89, 44}, {1, 1}, {1, 1, 14, 8}},
        LayoutCase{"fixed_corner", {0, 0, 0, 0}, 0, 0, 1.0, 0, 0, {0, 0, 39, 24}, {1, 1}, {1, 1, 14, 8}},
        LayoutCase{"scrolled_two_rows", {0, 0, 0, 0}, 40, 100, 1.0, 3, 3, {40, 25, 89, 44}, {3, 3}, {3, 3, 16, 10 - 1}},
        LayoutCase{"scrolled_out_above", {0, 0, 0, 0}, 40, 0, 1.0, 1, 1, {40, -15, 89, 4}, {3, 1}, {3, 1, 16, 8}},
        LayoutCase{"frozen_top_scrolled", {2, 0, 0, 0}, 40, 0, 1.0, 2, 1, {40, 45, 89, 64}, {5, 1}, {5, 1, 16, 8}},
        LayoutCase{"frozen_bottom", {0, 1, 0, 0}, 0, 0, 1.0, 19, 1, {40, 280, 89, 299}, {1, 1}, {1, 1, 13, 8}},
        LayoutCase{"frozen_left", {0, 0, 2, 0}, 0, 100, 1.0, 2, 2, {90, 45, 139, 64}, {1, 5}, {1, 5, 14, 9}},
        LayoutCase{"frozen_right", {0, 0, 0, 1}, 0, 0, 1.0, 1, 9, {350, 25, 399, 44}, {1, 1}, {1, 1, 14, 7}},
        LayoutCase{"all_four", {2, 1, 1, 1}, 0, 0, 1.0, 3, 2, {90, 65, 139, 84}, {3, 2}, {3, 2, 13, 7}},
        LayoutCase{"all_four_scrolled", {2, 1, 1, 1}, 20, 50, 1.0, 4, 3, {90, 65, 139, 84}, {4, 3}, {4, 3, 14, 8}},
        LayoutCase{"zoom", {0, 0, 0, 0}, 0, 0, 1.5, 1, 1, {60, 37, 134, 66}, {1, 1}, {1, 1, 9, 5}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

// The scroll position counts pixels of the scrolled rows only: frozen rows of
// another height than the scrolled ones do not shift the top-left cell.
TEST(LayoutTest, TopLeftCellIgnoresSizesOfFrozenRowsAndColumns)
{
    WindowGrid w;
    w.Build(40, 20, 1, 1);
    w.grid.SetFreezeTopRows(2);
    w.grid.SetFreezeLeftCols(2);
    w.grid.SetRowHeight(1, 60);
    w.grid.SetRowHeight(2, 60);
    w.grid.SetColumnWidth(1, 120);
    w.grid.SetColumnWidth(2, 120);
    w.grid.UpdateScrollBars();
    w.grid.SetScrollPos(SB_VERT, 40, FALSE);
    w.grid.SetScrollPos(SB_HORZ, 100, FALSE);
    EXPECT_EQ(CGridCellPos(5, 5), w.grid.GetTopLeftCell(TRUE));
    // The first shown scrolled row starts right under the frozen rows.
    POINT pt;
    ASSERT_TRUE(w.grid.GetCellTopLeft(5, 5, &pt));
    EXPECT_EQ(25 + 120, pt.y);
    EXPECT_EQ(40 + 240, pt.x);
}

TEST(LayoutTest, FrozenSizesAndMembership)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    w.grid.SetFreezeTopRows(2);
    w.grid.SetFreezeBottomRows(1);
    w.grid.SetFreezeLeftCols(1);
    w.grid.SetFreezeRightCols(2);
    EXPECT_EQ(40, w.grid.GetFrozenTopHeight());
    EXPECT_EQ(20, w.grid.GetFrozenBottomHeight());
    EXPECT_EQ(50, w.grid.GetFrozenLeftWidth());
    EXPECT_EQ(100, w.grid.GetFrozenRightWidth());
    struct {
        int row, col;
        BOOL frozen;
    } cases[] = {{1, 3, TRUE}, {2, 3, TRUE}, {3, 3, FALSE}, {9, 3, TRUE}, {5, 1, TRUE},
                 {5, 2, FALSE}, {5, 4, TRUE}, {5, 5, TRUE}, {0, 0, FALSE}};
    for (const auto& c : cases)
        EXPECT_EQ(c.frozen, w.grid.IsCellFrozen(c.row, c.col)) << c.row << "," << c.col;

    // A frozen top band that would reach the last row counts for nothing.
    w.grid.SetFreezeTopRows(9);
    EXPECT_EQ(0, w.grid.GetFrozenTopHeight());
}

TEST(LayoutTest, InvalidCellsHaveNoRectangle)
{
    WindowGrid w;
    w.Build(5, 5, 1, 1);
    CRect rc;
    POINT pt;
    EXPECT_FALSE(w.grid.GetCellRect(-1, 0, &rc));
    EXPECT_FALSE(w.grid.GetCellRect(5, 0, &rc));
    EXPECT_FALSE(w.grid.GetCellTopLeft(0, 5, &pt));
    EXPECT_FALSE(w.grid.GetRangeRect(CGridCellRange(1, 1, 5, 1), &rc));
}

TEST(LayoutTest, MergedCellAnswersItsBlock)
{
    WindowGrid w;
    w.Build(10, 6, 1, 1);
    CGridCellBase* owner = w.grid.GetCell(2, 2);
    owner->SetMergeRange(CGridCellRange(2, 2, 3, 4));
    CRect rc;
    ASSERT_TRUE(w.grid.GetCellRect(2, 2, &rc));
    EXPECT_EQ(CRect(90, 45, 239, 84), rc);
    ASSERT_TRUE(w.grid.GetRangeRect(CGridCellRange(1, 1, 2, 2), &rc));
    EXPECT_EQ(CRect(40, 25, 139, 64), rc);
}

// --- scroll maxima and pages ---------------------------------------------------------------

struct ScrollCase {
    const char* name;
    int rows, cols;
    Freeze freeze;
    int skinStyle;
    int vmax, hmax;
    UINT vpage, hpage;
};

class ScrollBarsTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollBarsTest, MaximaAndPages)
{
    const ScrollCase& c = GetParam();
    WindowGrid w;
    w.Build(c.rows, c.cols, 1, 1);
    w.grid.SetSkinStyle(c.skinStyle);
    w.grid.SetFreezeTopRows(c.freeze.top);
    w.grid.SetFreezeBottomRows(c.freeze.bottom);
    w.grid.SetFreezeLeftCols(c.freeze.left);
    w.grid.SetFreezeRightCols(c.freeze.right);
    w.grid.UpdateScrollBars();
    EXPECT_EQ(c.vmax, w.grid.GetVScrollMax());
    EXPECT_EQ(c.hmax, w.grid.GetHScrollMax());
    EXPECT_EQ((c.vmax > 0 ? 2 : 0) | (c.hmax > 0 ? 1 : 0), w.grid.GetScrollBarsVisible());
    if (c.skinStyle != 1) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        w.grid.GetScrollInfo(SB_VERT, &si);
        EXPECT_EQ(c.vpage, si.nPage);
        w.grid.GetScrollInfo(SB_HORZ, &si);
        EXPECT_EQ(c.hpage, si.nPage);
    }
}

// Scrollable height 19 x 20 = 380 over 275 available: shown, with the last
// row's height and 17 more; the horizontal bar then takes 17 from the height.
INSTANTIATE_TEST_SUITE_P(
    Grids, ScrollBarsTest,
    ::testing::Values(ScrollCase{"both", 20, 10, {0, 0, 0, 0}, 1, 20 + 380 + 17, 50 + 450 + 64, 258, 343},
                      ScrollCase{"both_standard_bars", 20, 10, {0, 0, 0, 0}, 0, 20 + 380 + 17, 50 + 450 + 64, 258,
                                 343},
                      ScrollCase{"all_fit", 5, 5, {0, 0, 0, 0}, 1, 0, 0, 0, 0},
                      ScrollCase{"rows_only", 30, 5, {0, 0, 0, 0}, 0, 20 + 580 + 17, 0, 275, 0},
                      ScrollCase{"frozen_bands_shrink_the_page", 20, 10, {2, 1, 1, 1}, 0, 20 + 380 + 17,
                                 50 + 450 + 64, 258 - 60, 343 - 100}),
    [](const ::testing::TestParamInfo<ScrollCase>& info) { return std::string(info.param.name); });

// --- scrolling by messages -------------------------------------------------------------------

struct StepCase {
    const char* name;
    int bar;              // SB_VERT / SB_HORZ
    int start;
    UINT code;
    int expected;
};

class ScrollStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(ScrollStepTest, PositionAfterOneMessage)
{
    const StepCase& c = GetParam();
    WindowGrid w;
    w.Build(20, 10, 1, 1);
    w.grid.SetScrollPos(c.bar, c.start, FALSE);
    w.grid.SendMessage(c.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, c.code, 0);
    EXPECT_EQ(c.expected, w.grid.GetScrollPosition(c.bar));
}

// Vertical: max 417, page 258, so the last position is 160. Horizontal: max
// 564, page 343, last position 222.
INSTANTIATE_TEST_SUITE_P(
    Codes, ScrollStepTest,
    ::testing::Values(StepCase{"line_down", SB_VERT, 0, SB_LINEDOWN, 20}, StepCase{"line_up_at_top", SB_VERT, 0, SB_LINEUP, 0},
                      StepCase{"line_up", SB_VERT, 40, SB_LINEUP, 20},
                      StepCase{"line_down_at_end", SB_VERT, 160, SB_LINEDOWN, 160},
                      StepCase{"page_down_clamped", SB_VERT, 100, SB_PAGEDOWN, 160},
                      StepCase{"page_up", SB_VERT, 160, SB_PAGEUP, 0}, StepCase{"top", SB_VERT, 100, SB_TOP, 0},
                      StepCase{"bottom", SB_VERT, 0, SB_BOTTOM, 160},
                      StepCase{"line_right", SB_HORZ, 0, SB_LINERIGHT, 50},
                      StepCase{"line_left", SB_HORZ, 100, SB_LINELEFT, 50},
                      StepCase{"page_right", SB_HORZ, 0, SB_PAGERIGHT, 222}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST(ScrollTest, ReportsToParentWithTopLeftBeforeTheScroll)
{
    WindowGrid w;
    w.Build(20, 10, 1, 1);
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);  // sent to the parent
    ASSERT_EQ(1, w.parent.Count(WM_GRID_HSCROLL));
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(1, 1)), w.parent.messages.back().wParam);
    EXPECT_EQ(static_cast<LPARAM>(SB_LINERIGHT), w.parent.messages.back().lParam);

    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);   // posted
    bool posted = false;
    for (const MSG& m : Headless::QueuedMessages()) {
        if (m.message == WM_GRID_VSCROLL && m.hwnd == w.parent.GetSafeHwnd()) {
            EXPECT_EQ(static_cast<WPARAM>(MAKELONG(1, 2)), m.wParam);
            EXPECT_EQ(static_cast<LPARAM>(SB_LINEDOWN), m.lParam);
            posted = true;
        }
    }
    EXPECT_TRUE(posted);
}

TEST(ScrollTest, GridThatFitsIgnoresScrollMessages)
{
    WindowGrid w;
    w.Build(5, 5, 1, 1);
    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    w.grid.SendMessage(WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(0, w.grid.GetScrollPosition(SB_VERT));
    EXPECT_EQ(0, w.grid.GetScrollPosition(SB_HORZ));
    EXPECT_TRUE(w.parent.messages.empty());
}

TEST(ScrollTest, FrozenLeftColumnsStayWhileScrollingSideways)
{
    WindowGrid w;
    w.Build(20, 12, 1, 1);
    w.grid.SetFreezeLeftCols(2);
    w.grid.UpdateScrollBars();
    CRect before1, before2;
    w.grid.GetCellRect(1, 1, &before1);
    w.grid.GetCellRect(1, 2, &before2);
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    CRect after1, after2, first;
    w.grid.GetCellRect(1, 1, &after1);
    w.grid.GetCellRect(1, 2, &after2);
    EXPECT_EQ(before1, after1);
    EXPECT_EQ(before2, after2);
    EXPECT_EQ(CGridCellPos(1, 5), w.grid.GetTopLeftCell());
    w.grid.GetCellRect(1, 5, &first);
    EXPECT_EQ(140, first.left);
}

TEST(ScrollTest, EnsureVisibleBringsARowIntoView)
{
    WindowGrid w;
    w.Build(40, 10, 1, 1);
    w.grid.EnsureVisible(30, 1);
    CGridCellRange visible = w.grid.GetVisibleRange();
    EXPECT_LE(visible.GetMinRow(), 30);
    EXPECT_GE(visible.GetMaxRow(), 30);
    w.grid.EnsureVisible(2, 1);
    EXPECT_LE(w.grid.GetVisibleRange().GetMinRow(), 2);
}

}  // namespace

namespace {

// The hit test and the layout agree for every cell shown, in every band.
TEST(LayoutTest, HitTestAgreesWithCellOrigins)
{
    WindowGrid w;
    w.Build(30, 12, 1, 1);
    w.grid.SetFreezeTopRows(2);
    w.grid.SetFreezeBottomRows(1);
    w.grid.SetFreezeLeftCols(1);
    w.grid.SetFreezeRightCols(1);
    w.grid.UpdateScrollBars();
    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    CGridCellRange visible = w.grid.GetVisibleRange();
    std::vector<int> rows = {0, 1, 2, 29}, cols = {0, 1, 11};
    for (int r = visible.GetMinRow(); r <= visible.GetMaxRow(); ++r)
        rows.push_back(r);
    for (int c = visible.GetMinCol(); c <= visible.GetMaxCol(); ++c)
        cols.push_back(c);
    for (int r : rows) {
        for (int c : cols) {
            POINT pt;
            ASSERT_TRUE(w.grid.GetCellTopLeft(r, c, &pt));
            if (pt.x >= 400 || pt.y >= 300)
                continue;  // a partly shown last row or column may start beyond a frozen band
            EXPECT_EQ(CGridCellPos(r, c), w.grid.GetCellFromPoint(CPoint(pt.x + 1, pt.y + 1))) << r << "," << c;
        }
    }
}

}  // namespace
