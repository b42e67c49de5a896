// Painting of a grid window: the order of the sixteen regions, the freeze
// lines, the background of an empty grid, and painting switched off.
#include "window_test_util.h"

#include "platform/DC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwindowtest::WindowGrid;

namespace {

std::vector<CGridCellPos> g_drawn;

// A cell that notes where it is drawn.
class NotingCell : public CGridCell {
public:
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd) override
    {
        g_drawn.emplace_back(nRow, nCol);
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    }
};

void FillWithNotingCells(CGridCtrl& grid)
{
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            grid.PutCell(r, c, new NotingCell);
}

// Bands of a 6 x 6 grid with one fixed, one frozen-top (left) and one
// frozen-bottom (right) line: F fixed, T top/left, S scrolled, B bottom/right.
char Band(int n, bool frozen) { return n == 0 ? 'F' : !frozen ? 'S' : n == 1 ? 'T' : n == 5 ? 'B' : 'S'; }

std::vector<std::string> RegionSequence(bool frozen = true)
{
    std::vector<std::string> seq;
    for (const CGridCellPos& p : g_drawn) {
        std::string region{Band(p.row, frozen), Band(p.col, frozen)};
        if (seq.empty() || seq.back() != region)
            seq.push_back(region);
    }
    return seq;
}

TEST(PaintTest, RegionsPaintInTheirOrder)
{
    WindowGrid w;
    w.Build(6, 6, 1, 1);
    w.grid.SetFreezeTopRows(1);
    w.grid.SetFreezeBottomRows(1);
    w.grid.SetFreezeLeftCols(1);
    w.grid.SetFreezeRightCols(1);
    FillWithNotingCells(w.grid);
    w.grid.UpdateScrollBars();

    g_drawn.clear();
    CClientDC dc(&w.grid);
    w.grid.OnDraw(&dc);
    // Body first, the frozen-top regions, then the rest, the corner last.
    std::vector<std::string> expected = {"SS", "TS", "TF", "TT", "TB", "BS", "SF", "BF", "ST",
                                         "SB", "FS", "FT", "BT", "FB", "TB", "BB", "FF"};
    // Fixed and frozen-top rows x frozen right is one region: FB then TB.
    EXPECT_EQ(expected, RegionSequence());
    EXPECT_EQ(36u, g_drawn.size() - 1);  // TB is drawn twice (frozen top x right, then with the fixed rows)
}

TEST(PaintTest, WithoutFrozenBandsOnlyFixedAndBodyRegionsPaintAndNoFreezeLine)
{
    WindowGrid w;
    w.Build(6, 6, 1, 1);
    FillWithNotingCells(w.grid);
    g_drawn.clear();
    Headless::ClearDrawLog();
    CClientDC dc(&w.grid);
    w.grid.OnDraw(&dc);
    std::vector<std::string> expected = {"SS", "SF", "FS", "FF"};
    EXPECT_EQ(expected, RegionSequence(false));
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind == Headless::DrawKind::Line)
            EXPECT_NE(RGB(0, 0, 0), op.penColor) << "a freeze line was drawn";
    }
}

TEST(PaintTest, FreezeLinesLieAtTheBandEdges)
{
    WindowGrid w;
    w.Build(20, 10, 1, 1);
    w.grid.SetFreezeTopRows(2);
    w.grid.SetFreezeLeftCols(1);
    w.grid.SetFreezeBottomRows(1);
    w.grid.SetFreezeRightCols(1);
    w.grid.SetSelFrameThickness(0);
    Headless::ClearDrawLog();
    CClientDC dc(&w.grid);
    w.grid.OnDraw(&dc);
    std::vector<std::pair<POINT, POINT>> black;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind == Headless::DrawKind::Line && op.penColor == RGB(0, 0, 0) && op.penStyle == PS_SOLID)
            black.push_back({op.from, op.to});
    }
    auto has = [&](POINT a, POINT b) {
        for (const auto& l : black)
            if (l.first.x == a.x && l.first.y == a.y && l.second.x == b.x && l.second.y == b.y)
                return true;
        return false;
    };
    EXPECT_TRUE(has({0, 65}, {400, 65}));    // under the frozen top rows: 25 + 2 x 20
    EXPECT_TRUE(has({90, 0}, {90, 300}));    // right of the frozen left column: 40 + 50
    EXPECT_TRUE(has({0, 280}, {400, 280}));  // above the frozen bottom row
    EXPECT_TRUE(has({350, 0}, {350, 300}));  // left of the frozen right column
}

TEST(PaintTest, EmptyGridPaintsOnlyTheBackground)
{
    WindowGrid w;
    w.Build(0, 0, 0, 0);
    Headless::ClearDrawLog();
    CClientDC dc(&w.grid);
    w.grid.OnDraw(&dc);
    ASSERT_FALSE(Headless::DrawLog().empty());
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        EXPECT_EQ(Headless::DrawKind::FillRect, op.kind);
        EXPECT_EQ(w.grid.GetGridBkColor(), op.color);
    }
}

TEST(PaintTest, PaintWhileDrawingIsOffOnlyValidates)
{
    WindowGrid w;
    w.Build(6, 6, 1, 1);
    w.grid.SetAllowDraw(FALSE);
    w.grid.Invalidate(TRUE);
    Headless::ClearDrawLog();
    w.grid.UpdateWindow();
    EXPECT_TRUE(Headless::DrawLog().empty());
    RECT rc;
    EXPECT_FALSE(w.grid.GetUpdateRect(&rc));
}

TEST(PaintTest, DoubleBufferedPaintEndsInOneBlockTransfer)
{
    WindowGrid w;
    w.Build(6, 6, 1, 1);
    w.grid.Invalidate(TRUE);
    Headless::ClearDrawLog();
    w.grid.UpdateWindow();
    int blits = 0, onWindow = 0;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.target == static_cast<const void*>(w.grid.GetSafeHwnd())) {
            ++onWindow;
            blits += op.kind == Headless::DrawKind::BitBlt ? 1 : 0;
        }
    }
    EXPECT_EQ(1, blits);
    EXPECT_EQ(1, onWindow);
}

TEST(PaintTest, RedrawCellInvalidatesItsRectangleGrownByOne)
{
    WindowGrid w;
    w.Build(20, 10, 1, 1);
    Headless::ClearInvalidations(w.grid.GetSafeHwnd());
    EXPECT_TRUE(w.grid.RedrawCell(1, 1));
    auto inv = Headless::Invalidations(w.grid.GetSafeHwnd());
    ASSERT_EQ(1u, inv.size());
    EXPECT_EQ(CRect(40, 25, 90, 45), CRect(inv[0].rect));
    EXPECT_FALSE(w.grid.RedrawCell(19, 1));   // scrolled out of view
    EXPECT_FALSE(w.grid.RedrawCell(20, 1));   // no such cell
}

}  // namespace
