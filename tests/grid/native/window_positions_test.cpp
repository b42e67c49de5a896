// The layout of a grid window against a reference that adds sizes up line by
// line: after long random sequences of size changes, hidden lines, inserted
// and deleted rows and columns, count changes, sorts, frozen bands, zoom,
// window sizes and scroll positions, every answer the layout gives (top-left
// cell, cell origins, visible range and its rectangle, band sizes, hit tests
// along both axes, scroll maxima, line steps and EnsureVisible) must be the
// one the plain sums give. Fixed seeds: each run is the same.
#include "window_test_util.h"

#include "grid/GridTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

using gridtest::Lcg;
using gridwindowtest::RecordingParent;

// The page a line step clamps against is not public.
class PageGrid : public CGridCtrl {
public:
    using CGridCtrl::GetScrollPage;
};

// Every answer computed from the sizes by adding them one at a time, the way
// the layout is defined.
struct Summing {
    PageGrid& g;

    int RowH(int r) const
    {
        int n = g.GetRowHeight(r);
        return g.GetZoomY() == 1.0 ? n : static_cast<int>(n * g.GetZoomY());
    }
    int ColW(int c) const
    {
        int n = g.GetColumnWidth(c);
        return g.GetZoomX() == 1.0 ? n : static_cast<int>(n * g.GetZoomX());
    }
    int Size(bool rows, int i) const { return rows ? RowH(i) : ColW(i); }
    long long Sum(bool rows, int first, int end) const
    {
        long long s = 0;
        for (int i = first; i < end; ++i)
            s += Size(rows, i);
        return s;
    }
    int Count(bool rows) const { return rows ? g.GetRowCount() : g.GetColumnCount(); }
    int Fixed(bool rows) const { return rows ? g.GetFixedRowCount() : g.GetFixedColumnCount(); }
    int FirstScroll(bool rows) const { return rows ? g.GetBands().nFirstScrollRow : g.GetBands().nFirstScrollCol; }
    int EndScroll(bool rows) const { return rows ? g.GetBands().nEndScrollRow : g.GetBands().nEndScrollCol; }
    int ClientEnd(bool rows) const
    {
        CRect rc;
        g.GetClientRect(&rc);
        return rows ? rc.bottom : rc.right;
    }
    long long FixedExtent(bool rows) const { return Sum(rows, 0, Fixed(rows)); }
    long long NearFrozen(bool rows) const { return Sum(rows, Fixed(rows), FirstScroll(rows)); }
    long long FarFrozen(bool rows) const { return Sum(rows, EndScroll(rows), Count(rows)); }

    int TopLeft(bool rows) const
    {
        int pos = g.GetScrollPosition(rows ? SB_VERT : SB_HORZ);
        int i = FirstScroll(rows);
        long long end = 0;
        while (end < pos && i < EndScroll(rows) - 1) {
            end += Size(rows, i);
            ++i;
        }
        return i;
    }
    long long Origin(bool rows, int i) const
    {
        if (i < Fixed(rows) || i < FirstScroll(rows))
            return Sum(rows, 0, i);
        if (i >= EndScroll(rows))
            return ClientEnd(rows) - Sum(rows, i, Count(rows));
        long long start = FixedExtent(rows) + NearFrozen(rows);
        int lead = TopLeft(rows);
        return i >= lead ? start + Sum(rows, lead, i) : start - Sum(rows, i, lead);
    }
    // The last scrolled line shown and where the lines shown end.
    int LastShown(bool rows, long long* reached) const
    {
        long long bandEnd = ClientEnd(rows) - FarFrozen(rows);
        long long at = FixedExtent(rows) + NearFrozen(rows);
        int lead = TopLeft(rows);
        int last = lead - 1;
        for (int i = lead; i < EndScroll(rows) && at < bandEnd; ++i) {
            at += Size(rows, i);
            last = i;
        }
        *reached = at;
        return last;
    }
    // The line under pos on one axis, -1 for none, -2 when the whole point misses.
    int Hit(bool rows, int pos, BOOL allowFixed) const
    {
        long long fixedExtent = FixedExtent(rows);
        if (pos < 0 || (!allowFixed && pos < fixedExtent))
            return -1;
        long long edge = 0;
        for (int i = 0; i < FirstScroll(rows); ++i) {
            edge += Size(rows, i);
            if (pos < edge)
                return i;
        }
        if (EndScroll(rows) < Count(rows)) {
            long long farEdge = ClientEnd(rows);
            for (int i = Count(rows) - 1; i >= EndScroll(rows); --i) {
                long long nearEdge = farEdge - Size(rows, i);
                if (pos >= nearEdge && pos < farEdge)
                    return i;
                farEdge = nearEdge;
            }
        }
        if (!rows && !allowFixed && !g.IsValid(TopLeft(true), TopLeft(false)))
            return -2;
        edge = fixedExtent + NearFrozen(rows);
        for (int i = std::max(TopLeft(rows), FirstScroll(rows)); i < EndScroll(rows); ++i) {
            edge += Size(rows, i);
            if (pos < edge)
                return i;
        }
        return -1;
    }
    CGridCellPos CellFromPoint(CPoint pt, BOOL allowFixed) const
    {
        if (g.GetRowCount() <= 0 || g.GetColumnCount() <= 0)
            return CGridCellPos();
        int col = Hit(false, pt.x, allowFixed);
        if (col == -2)
            return CGridCellPos();
        int row = Hit(true, pt.y, allowFixed);
        if (row < 0 || col < 0)
            return CGridCellPos();
        return CGridCellPos(row, col);
    }
    // The position one line step gives (SB_LINEDOWN when down).
    int LineStep(bool rows, bool down) const
    {
        int bar = rows ? SB_VERT : SB_HORZ;
        int max = rows ? g.GetVScrollMax() : g.GetHScrollMax();
        int pos = g.GetScrollPosition(bar);
        if (max < 1)
            return pos;
        int limit = std::max(0, max - g.GetScrollPage(bar) + 1);
        int lead = TopLeft(rows);
        if (!down) {
            if (lead <= FirstScroll(rows))
                return pos;
            int n = lead - 1;
            while (n > FirstScroll(rows) && Size(rows, n) < 1)
                --n;
            return std::max(0, pos - Size(rows, n));
        }
        if (pos >= limit)
            return pos;
        int n = lead;
        while (n < EndScroll(rows) - 1 && Size(rows, n) < 1)
            ++n;
        return std::min(limit, pos + Size(rows, n));
    }
    // The position EnsureVisible gives for line i.
    int Ensure(bool rows, int i) const
    {
        int bar = rows ? SB_VERT : SB_HORZ;
        int max = rows ? g.GetVScrollMax() : g.GetHScrollMax();
        int pos = g.GetScrollPosition(bar);
        if (i < FirstScroll(rows) || i >= EndScroll(rows) || max <= 0)
            return pos;
        long long offset = Sum(rows, FirstScroll(rows), i);
        long long nearEnd = FixedExtent(rows) + NearFrozen(rows);
        long long farEnd = ClientEnd(rows) - FarFrozen(rows);
        int limit = std::max(0, max - g.GetScrollPage(bar) + 1);
        long long next = pos;
        if (offset < pos)
            next = offset;
        else if (offset + Size(rows, i) > pos + (farEnd - nearEnd))
            next = offset + Size(rows, i) - (farEnd - nearEnd);
        return static_cast<int>(std::min<long long>(std::max<long long>(0, next), limit));
    }
};

struct PositionGrid {
    RecordingParent parent;
    PageGrid grid;

    PositionGrid()
    {
        Headless::Reset();
        parent.CreateTopLevel(404, 304);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(40);
        grid.SetColumnCount(12);
        grid.Create(CRect(0, 0, 404, 304), &parent, 77, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
    }
};

UINT RandomSize(Lcg& rnd)
{
    return rnd.Below(4) == 0 ? 0u : static_cast<UINT>(1 + rnd.Below(45));
}

// One random change of the kind a user or a host makes.
const char* RandomChange(Lcg& rnd, CGridCtrl& g)
{
    const int rows = g.GetRowCount();
    const int cols = g.GetColumnCount();
    switch (rnd.Below(16)) {
    case 0:
    case 1:
        g.SetRowHeight(rnd.Below(rows), static_cast<int>(RandomSize(rnd)));
        return "row height";
    case 2:
        g.SetColumnWidth(rnd.Below(cols), static_cast<int>(RandomSize(rnd)));
        return "column width";
    case 3:
        g.SetRowHeight(rnd.Below(rows), 0);
        return "row hidden";
    case 4:
        g.InsertRow(rnd.Below(2) ? "" : "x", g.GetFixedRowCount() + rnd.Below(rows - g.GetFixedRowCount() + 1));
        return "row inserted";
    case 5:
        if (rows > 3)
            g.DeleteRow(1 + rnd.Below(rows - 1));
        return "row deleted";
    case 6:
        g.InsertColumn("", 0, g.GetFixedColumnCount() + rnd.Below(cols - g.GetFixedColumnCount() + 1));
        return "column inserted";
    case 7:
        if (cols > 3)
            g.DeleteColumn(1 + rnd.Below(cols - 1));
        return "column deleted";
    case 8:
        g.SetRowCount(3 + rnd.Below(70));
        return "row count";
    case 9:
        g.SetColumnCount(3 + rnd.Below(20));
        return "column count";
    case 10:
        g.SetFreezeTopRows(rnd.Below(3));
        g.SetFreezeBottomRows(rnd.Below(3));
        g.SetFreezeLeftCols(rnd.Below(3));
        g.SetFreezeRightCols(rnd.Below(3));
        g.UpdateScrollBars();
        return "frozen bands";
    case 11: {
        const double zooms[] = {1.0, 1.0, 0.5, 0.75, 1.3, 2.0};
        g.SetZoom(zooms[rnd.Below(6)], zooms[rnd.Below(6)]);
        g.UpdateScrollBars();
        return "zoom";
    }
    case 12:
        g.MoveWindow(0, 0, 120 + rnd.Below(400), 90 + rnd.Below(300), TRUE);
        return "window size";
    case 13: {
        // Sorting moves whole rows, heights with them.
        char text[16];
        for (int r = g.GetFixedRowCount(); r < rows; ++r) {
            std::snprintf(text, sizeof(text), "%d", rnd.Below(50));
            if (CGridCellBase* pCell = g.GetCell(r, 1 < cols ? 1 : 0))
                pCell->SetText(text);
        }
        g.SortColumn(1 < cols ? 1 : 0, rnd.Below(2));
        g.UpdateScrollBars();
        return "sorted";
    }
    default:
        g.SetScrollPos(SB_VERT, rnd.Below(g.GetVScrollMax() + 1), FALSE);
        g.SetScrollPos(SB_HORZ, rnd.Below(g.GetHScrollMax() + 1), FALSE);
        return "scrolled";
    }
}

void ExpectLayoutAsSummed(PageGrid& g, const Summing& ref)
{
    const int rows = g.GetRowCount();
    const int cols = g.GetColumnCount();
    CGridCellPos topLeft = g.GetTopLeftCell(TRUE);
    ASSERT_EQ(CGridCellPos(ref.TopLeft(true), ref.TopLeft(false)), topLeft);
    ASSERT_EQ(ref.FixedExtent(true), g.GetZoomedFixedRowHeight());
    ASSERT_EQ(ref.FixedExtent(false), g.GetZoomedFixedColumnWidth());
    ASSERT_EQ(ref.NearFrozen(true), g.GetFrozenTopHeight());
    ASSERT_EQ(ref.FarFrozen(true), g.GetFrozenBottomHeight());
    ASSERT_EQ(ref.NearFrozen(false), g.GetFrozenLeftWidth());
    ASSERT_EQ(ref.FarFrozen(false), g.GetFrozenRightWidth());

    for (int r = 0; r < rows; ++r) {
        CPoint pt;
        ASSERT_TRUE(g.GetCellTopLeft(r, 0, &pt));
        ASSERT_EQ(ref.Origin(true, r), pt.y) << "row " << r;
    }
    for (int c = 0; c < cols; ++c) {
        CPoint pt;
        ASSERT_TRUE(g.GetCellTopLeft(0, c, &pt));
        ASSERT_EQ(ref.Origin(false, c), pt.x) << "column " << c;
    }

    CRect shown;
    CGridCellRange visible = g.GetVisibleRange(&shown, TRUE);
    long long bottom = 0;
    long long right = 0;
    int lastRow = ref.LastShown(true, &bottom);
    int lastCol = ref.LastShown(false, &right);
    CRect client;
    g.GetClientRect(&client);
    ASSERT_EQ(CGridCellRange(topLeft.row, topLeft.col, lastRow, lastCol), visible);
    ASSERT_EQ(CRect(client.left, client.top, static_cast<int>(std::min<long long>(right, client.right)),
                    static_cast<int>(std::min<long long>(bottom, client.bottom))),
              shown);

    // Hit tests along each axis through the middle of the other, a few
    // pixels beyond the client on every side, with and without fixed cells.
    for (BOOL allowFixed : {TRUE, FALSE}) {
        for (int x = -2; x <= client.right + 2; ++x) {
            CPoint pt(x, client.bottom / 2);
            ASSERT_EQ(ref.CellFromPoint(pt, allowFixed), g.GetCellFromPoint(pt, allowFixed)) << "x " << x;
        }
        for (int y = -2; y <= client.bottom + 2; ++y) {
            CPoint pt(client.right / 2, y);
            ASSERT_EQ(ref.CellFromPoint(pt, allowFixed), g.GetCellFromPoint(pt, allowFixed)) << "y " << y;
        }
    }

    if (g.GetVScrollMax() != 0) {
        ASSERT_EQ(ref.RowH(rows - 1) + ref.Sum(true, g.GetFixedRowCount(), rows) + 17, g.GetVScrollMax());
    }
    if (g.GetHScrollMax() != 0) {
        ASSERT_EQ(ref.ColW(cols - 1) + ref.Sum(false, g.GetFixedColumnCount(), cols) + 64, g.GetHScrollMax());
    }
}

TEST(LayoutPositions, RandomChangesLayOutAsSummed)
{
    for (std::uint32_t seed : {3u, 41u, 777u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Lcg rnd(seed);
        PositionGrid w;
        PageGrid& g = w.grid;
        Summing ref{g};
        for (int step = 0; step < 150; ++step) {
            const char* change = RandomChange(rnd, g);
            SCOPED_TRACE(testing::Message() << "step " << step << ": " << change);
            ExpectLayoutAsSummed(g, ref);
            if (HasFatalFailure())
                return;

            // Line steps both ways on both bars, then EnsureVisible of a
            // random cell, each from the position the last one left.
            for (bool rowsAxis : {true, false}) {
                UINT message = rowsAxis ? WM_VSCROLL : WM_HSCROLL;
                int bar = rowsAxis ? SB_VERT : SB_HORZ;
                for (bool down : {true, false, true}) {
                    int expected = ref.LineStep(rowsAxis, down);
                    g.SendMessage(message, MAKEWPARAM(down ? SB_LINEDOWN : SB_LINEUP, 0), 0);
                    ASSERT_EQ(expected, g.GetScrollPosition(bar)) << (rowsAxis ? "rows " : "columns ")
                                                                  << (down ? "down" : "up");
                }
            }
            int row = rnd.Below(g.GetRowCount());
            int col = rnd.Below(g.GetColumnCount());
            int expectedV = ref.Ensure(true, row);
            int expectedH = ref.Ensure(false, col);
            g.EnsureVisible(row, col);
            ASSERT_EQ(expectedV, g.GetScrollPosition(SB_VERT)) << "ensure row " << row;
            ASSERT_EQ(expectedH, g.GetScrollPosition(SB_HORZ)) << "ensure column " << col;
        }
    }
}

}  // namespace

// Rows and columns whose sizes add up beyond int: positions are added in 64
// bits and held at the largest int instead of wrapping (which made origins
// negative and is undefined behaviour), and a factor that is not finite is no
// zoom at all.
TEST(LayoutPositions, SumsBeyondIntStayWithinIt)
{
    gridwindowtest::WindowGrid w;
    w.Build(6, 4, 1, 1);
    const int kHuge = 0x40000000;  // 2^30: three of them pass INT_MAX
    for (int r = 1; r < 6; ++r)
        w.grid.SetRowHeight(r, kHuge);
    w.grid.SetColumnWidth(2, kHuge);
    w.grid.SetColumnWidth(3, kHuge);
    w.grid.UpdateScrollBars();

    CPoint pt;
    ASSERT_TRUE(w.grid.GetCellTopLeft(2, 1, &pt));
    EXPECT_EQ(25 + kHuge, pt.y);
    ASSERT_TRUE(w.grid.GetCellTopLeft(5, 3, &pt));
    EXPECT_EQ(INT_MAX, pt.y);
    EXPECT_EQ(40 + 50 + kHuge, pt.x);
    CRect rc;
    ASSERT_TRUE(w.grid.GetCellRect(4, 1, &rc));
    EXPECT_EQ(INT_MAX, rc.top);
    EXPECT_EQ(CGridCellPos(1, 1), w.grid.GetCellFromPoint(CPoint(45, 30)));
    EXPECT_EQ(INT_MAX, w.grid.GetVScrollMax());

    // Scrolled as far as a position goes: row 3 is the first whose end
    // reaches it, and row 1 lies two huge rows above the band.
    w.grid.SetScrollPos(SB_VERT, INT_MAX, FALSE);
    EXPECT_EQ(3, w.grid.GetTopLeftCell(TRUE).row);
    ASSERT_TRUE(w.grid.GetCellTopLeft(1, 1, &pt));
    EXPECT_EQ(static_cast<int>(25LL - 2LL * kHuge), pt.y);

    w.grid.SetZoom(HUGE_VAL, 2.0);
    EXPECT_EQ(1.0, w.grid.GetZoomX());
    EXPECT_EQ(2.0, w.grid.GetZoomY());
    ASSERT_TRUE(w.grid.GetCellTopLeft(0, 3, &pt));
    EXPECT_EQ(40 + 50 + kHuge, pt.x);
}
