// The selection frame painted over the grid in skin style 1: which part of
// the selection it goes round once frozen bands, scrolling, whole-line
// selections and merged blocks come in, and how thick lines meet.
//
// Layout of the test grid (one fixed row and column): row 0 is 25 px, every
// other row 20 px; column 0 is 40 px, every other column 50 px. Unscrolled,
// row r >= 1 starts at y = 25 + 20 (r - 1) and column c >= 1 at
// x = 40 + 50 (c - 1).
#include "window_test_util.h"

#include "platform/DC.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using gridwindowtest::WindowGrid;

namespace {

const COLORREF kFrame = RGB(0x12, 0x34, 0x56);

typedef std::set<std::pair<int, int>> PixelSet;

// Inclusive pixel box.
struct Box {
    int x0, y0, x1, y1;
};

PixelSet Union(const std::vector<Box>& boxes)
{
    PixelSet px;
    for (const Box& b : boxes)
        for (int y = b.y0; y <= b.y1; ++y)
            for (int x = b.x0; x <= b.x1; ++x)
                px.insert({x, y});
    return px;
}

// Every pixel filled in the frame colour while the grid drew itself.
PixelSet PaintedFrame(CGridCtrl& grid)
{
    Headless::ClearDrawLog();
    CClientDC dc(&grid);
    grid.OnDraw(&dc);
    PixelSet px;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind != Headless::DrawKind::FillRect || op.color != kFrame)
            continue;
        for (int y = op.rect.top; y < op.rect.bottom; ++y)
            for (int x = op.rect.left; x < op.rect.right; ++x)
                px.insert({x, y});
    }
    return px;
}

std::string Difference(const PixelSet& expected, const PixelSet& actual)
{
    std::ostringstream out;
    auto report = [&](const char* what, const PixelSet& a, const PixelSet& b) {
        int n = 0;
        Box box = {1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
        for (const auto& p : a) {
            if (b.count(p) != 0)
                continue;
            ++n;
            box = {std::min(box.x0, p.first), std::min(box.y0, p.second), std::max(box.x1, p.first),
                   std::max(box.y1, p.second)};
        }
        if (n > 0)
            out << n << " pixels " << what << " within (" << box.x0 << "," << box.y0 << ")-(" << box.x1 << ","
                << box.y1 << "); ";
    };
    report("missing", expected, actual);
    report("extra", actual, expected);
    return out.str();
}

void Merge(CGridCtrl& grid, const CGridCellRange& range)
{
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
            CGridCellBase* cell = grid.GetCell(r, c);
            cell->SetMergeRange(range);
            cell->SetMergeOwner(range.GetMinRow(), range.GetMinCol());
            cell->SetMergeOwnerCell(r == range.GetMinRow() && c == range.GetMinCol());
        }
    grid.AddMergeOwner(range.GetTopLeft());
}

enum SelKind { CELLS, ROWS, COLUMNS, NONE };

struct FrameSetup {
    int rows, cols, clientH;
    int freezeTop, freezeBottom;
    int vScroll, hScroll;            // scroll positions in pixels
    CGridCellPos topLeft;            // the first scrolled cell shown, as a check of the layout
    std::vector<CGridCellRange> merges;
    SelKind kind;
    CGridCellRange sel;              // CELLS: the range; ROWS/COLUMNS: the band's first and last lines
    int thickness;
};

void Prepare(WindowGrid& w, const FrameSetup& s)
{
    w.Build(s.rows, s.cols, 1, 1, 400, s.clientH);
    w.grid.SetFreezeTopRows(s.freezeTop);
    w.grid.SetFreezeBottomRows(s.freezeBottom);
    w.grid.SetScrollPos(SB_VERT, s.vScroll, FALSE);
    w.grid.SetScrollPos(SB_HORZ, s.hScroll, FALSE);
    for (const CGridCellRange& m : s.merges)
        Merge(w.grid, m);
    w.grid.SetSelFrameThickness(s.thickness);
    w.grid.SetSelFrameColor(kFrame);
    switch (s.kind) {
    case CELLS:
        w.grid.SetSelectedRange(s.sel, FALSE, TRUE);
        break;
    case ROWS:
        w.grid.SetSelectionAnchor(CGridCellPos(s.sel.GetMinRow(), 1));
        w.grid.SelectRowBand(CGridCellPos(s.sel.GetMaxRow(), 1));
        break;
    case COLUMNS:
        w.grid.SetSelectionAnchor(CGridCellPos(1, s.sel.GetMinCol()));
        w.grid.SelectColumnBand(CGridCellPos(1, s.sel.GetMaxCol()));
        break;
    case NONE:
        break;
    }
}

TEST(SelectionFrameTest, FreshGridHasAThreePixelBlackFrame)
{
    CGridCtrl grid(5, 5, 1, 1);
    EXPECT_EQ(3, grid.GetSelFrameThickness());
    EXPECT_EQ(RGB(0, 0, 0), grid.GetSelFrameColor());
    EXPECT_EQ(1, grid.GetSkinStyle());
}

TEST(SelectionFrameTest, FrameGoesRoundTheShownPartOfTheSelection)
{
    struct Case {
        const char* name;
        FrameSetup setup;
        std::vector<Box> frame;
    };
    // A block at x 90..189, y 45..104 framed 3 px thick: lines centred on the
    // edges, meeting at the corners, the right and bottom lines running on by
    // 3 px past the bottom-right corner.
    const std::vector<Box> block3 = {
        {89, 44, 190, 46}, {89, 44, 91, 105}, {188, 44, 190, 107}, {89, 103, 192, 105}};
    const Case cases[] = {
        {"cells, thickness 3", {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 3}, block3},
        {"cells, thickness 1: lines on the edges, no corner shifts",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 1},
         {{90, 45, 189, 45}, {90, 104, 189, 104}, {90, 45, 90, 104}, {189, 45, 189, 104}}},
        {"cells, thickness 4",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 4},
         {{88, 43, 190, 46}, {88, 43, 91, 105}, {187, 43, 190, 108}, {88, 102, 193, 105}}},
        {"a merged block selected by one of its cells",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {{2, 2, 4, 3}}, CELLS, {2, 2, 2, 2}, 3}, block3},
        // Scrolled to row 6 and column 3: rows 6..19 (y 25..304) and columns
        // 3..10 (x 40..439) are shown; the frame closes at their edges.
        {"scrolled both ways: cut to the first and last rows and columns shown",
         {40, 20, 300, 0, 0, 100, 100, {6, 3}, {}, CELLS, {3, 2, 30, 15}, 3},
         {{39, 24, 440, 26}, {39, 24, 41, 305}, {438, 24, 440, 307}, {39, 303, 442, 305}}},
        // Frozen rows 1..2, scrolled to row 10 (y 65): the frame starts at the
        // selected frozen row 2, not at unselected row 1; rows 3..9 are out
        // of view and add nothing.
        {"starts in a frozen row, rows scrolled away in between",
         {40, 6, 300, 2, 0, 140, 0, {10, 1}, {}, CELLS, {2, 2, 12, 3}, 3},
         {{89, 44, 190, 46}, {89, 44, 91, 125}, {188, 44, 190, 127}, {89, 123, 192, 125}}},
        // Frozen bottom row 19 at y 280..299; scrolled rows 1..13 are shown
        // (row 13 at 265..284, under the frozen row), rows 14..18 are not.
        {"ends in the frozen bottom row",
         {20, 6, 300, 0, 1, 0, 0, {1, 1}, {}, CELLS, {5, 2, 19, 3}, 3},
         {{89, 104, 190, 106}, {89, 104, 91, 300}, {188, 104, 190, 302}, {89, 298, 192, 300}}},
        // Rows 3..4 (y 65..104), columns 1..5 (x 40..289): the fixed column is
        // left out, and blocks reaching into rows 2 and 5..6 are cut at the
        // selected rows.
        {"whole rows with merged blocks reaching outside",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {{2, 2, 3, 3}, {4, 4, 6, 5}}, ROWS, {3, -1, 4, -1}, 3},
         {{39, 64, 290, 66}, {39, 64, 41, 105}, {288, 64, 290, 107}, {39, 103, 292, 105}}},
        // Columns 2..3 over rows 1..9 (y 25..204): the fixed row is left out,
        // a block reaching into column 1 is cut at column 2.
        {"whole columns with a merged block reaching outside",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {{5, 1, 6, 2}}, COLUMNS, {-1, 2, -1, 3}, 3},
         {{89, 24, 190, 26}, {89, 24, 91, 205}, {188, 24, 190, 207}, {89, 203, 192, 205}}},
        // Scrolled to row 5 (y 25): the block of rows 3..6 is framed from row 5.
        {"a merged block cut where scrolling cuts the selection",
         {40, 6, 300, 0, 0, 80, 0, {5, 1}, {{3, 2, 6, 3}}, CELLS, {3, 2, 8, 3}, 3},
         {{89, 24, 190, 26}, {89, 24, 91, 105}, {188, 24, 190, 107}, {89, 103, 192, 105}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowGrid w;
        Prepare(w, c.setup);
        ASSERT_EQ(c.setup.topLeft, w.grid.GetTopLeftCell());
        PixelSet expected = Union(c.frame);
        PixelSet actual = PaintedFrame(w.grid);
        EXPECT_TRUE(expected == actual) << Difference(expected, actual);
    }
}

TEST(SelectionFrameTest, NoFrameWhenNothingOfTheSelectionIsShown)
{
    struct Case {
        const char* name;
        FrameSetup setup;
        void (*extra)(CGridCtrl&);
    };
    const Case cases[] = {
        {"no selection", {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, NONE, {}, 3}, nullptr},
        {"thickness 0", {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 0}, nullptr},
        {"rows scrolled away above", {40, 6, 300, 0, 0, 180, 0, {10, 1}, {}, CELLS, {2, 2, 3, 3}, 3}, nullptr},
        {"one row scrolled away above", {40, 6, 300, 0, 0, 180, 0, {10, 1}, {}, CELLS, {2, 2, 2, 3}, 3}, nullptr},
        {"rows below the shown ones", {40, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {30, 2, 35, 3}, 3}, nullptr},
        {"other skin style",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 3},
         [](CGridCtrl& g) { g.SetSkinStyle(0); }},
        {"while cells are added to a kept selection",
         {10, 6, 300, 0, 0, 0, 0, {1, 1}, {}, CELLS, {2, 2, 4, 3}, 3},
         [](CGridCtrl& g) { g.SavePreviousSelection(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowGrid w;
        Prepare(w, c.setup);
        if (c.extra != nullptr)
            c.extra(w.grid);
        ASSERT_EQ(c.setup.topLeft, w.grid.GetTopLeftCell());
        EXPECT_TRUE(PaintedFrame(w.grid).empty());
    }
}

}  // namespace
