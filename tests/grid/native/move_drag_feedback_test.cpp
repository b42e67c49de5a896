// A column (row) header dragged in a recorded window: the paint pass tints
// the line, blends its picture (taken once per drag) at the pointer's offset
// and sets the insertion arrow's pixels; the release moves the line.
#include "window_test_util.h"

#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using gridwindowtest::WindowGrid;

namespace {

LPARAM At(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The arrow's pixels, relative to its top-left corner, pointing down.
std::set<std::pair<int, int>> DownArrow()
{
    const int halfWidth[9] = {1, 1, 1, 1, 4, 3, 2, 1, 0};
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < 9; ++y)
        for (int x = 4 - halfWidth[y]; x <= 4 + halfWidth[y]; ++x)
            pixels.insert({x, y});
    return pixels;
}

// Paints the grid into a memory bitmap of its client size.
struct Painted {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;

    explicit Painted(CGridCtrl& grid)
    {
        CRect client;
        grid.GetClientRect(&client);
        CClientDC screen(&grid);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
        old = dc.SelectObject(&bitmap);
        grid.OnDraw(&dc);
    }
    ~Painted() { dc.SelectObject(old); }
    HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap.GetSafeHandle()); }
};

void MovePointer(CGridCtrl& grid, int x, int y, UINT flags)
{
    CPoint screen(x, y);
    grid.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    grid.SendMessage(WM_MOUSEMOVE, flags, At(x, y));
}

// Rows 20 px (row 0: 25), columns 50 px (column 0: 40): column c spans
// x = 40 + 50 (c - 1) .. + 49.
class HeaderDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.Build(6, 7, 1, 1);
        for (int col = 1; col < 7; ++col)
            w.grid.GetCell(1, col)->SetText(std::to_string(col).c_str());
        w.grid.SetMoveColumnsByHeader(TRUE);
        w.grid.SetMoveRowsByHeader(TRUE);
    }
    std::vector<Headless::DrawOp> Ops(Headless::DrawKind kind, HBITMAP target)
    {
        std::vector<Headless::DrawOp> ops;
        for (const Headless::DrawOp& op : Headless::DrawLog())
            if (op.kind == kind && op.target == target)
                ops.push_back(op);
        return ops;
    }

    WindowGrid w;
};

TEST_F(HeaderDrag, ColumnFeedbackAndMove)
{
    CRect source, target;
    ASSERT_TRUE(w.grid.GetCellRect(0, 2, &source));
    ASSERT_TRUE(w.grid.GetCellRect(0, 5, &target));
    const int pressX = (source.left + source.right) / 2;
    w.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pressX, 10));
    const int dropX = (target.left + target.right) / 2;
    MovePointer(w.grid, dropX, 10, MK_LBUTTON);

    Headless::ClearDrawLog();
    {
        Painted painted(w.grid);
        const HBITMAP bitmap = painted.Handle();
        // The arrow: 37 pixels in the marker colour at the target's left edge
        // less 4, on the top of the header.
        std::set<std::pair<int, int>> arrow;
        for (const Headless::DrawOp& op : Ops(Headless::DrawKind::SetPixel, bitmap))
            if (op.color == CGridCtrl::kMoveMarkerColour)
                arrow.insert({op.from.x - (target.left - 4), op.from.y - target.top});
        EXPECT_EQ(DownArrow(), arrow);
        // The column's picture blended at the pointer's offset, alpha 200 of 255.
        std::vector<Headless::DrawOp> blends = Ops(Headless::DrawKind::AlphaBlend, bitmap);
        ASSERT_EQ(1u, blends.size());
        EXPECT_EQ(200u, blends[0].param);
        EXPECT_EQ(source.left + (dropX - pressX), blends[0].rect.left);
        EXPECT_EQ(source.Width() + 2, blends[0].rect.right - blends[0].rect.left);
        CRect client;
        w.grid.GetClientRect(&client);
        EXPECT_EQ(client.bottom - source.top, blends[0].rect.bottom - blends[0].rect.top);
        // The picture was taken from the painted column once, before the tint.
        std::vector<Headless::DrawOp> snapshots;
        for (const Headless::DrawOp& op : Headless::DrawLog())
            if (op.kind == Headless::DrawKind::BitBlt && op.sourceTarget == bitmap)
                snapshots.push_back(op);
        ASSERT_EQ(1u, snapshots.size());
        EXPECT_EQ(source.left, snapshots[0].source.left);
        // The column tinted in place: a pixel left of the blended copy is the
        // mix of its colour in the picture and silver.
        const HBITMAP picture = static_cast<HBITMAP>(const_cast<void*>(snapshots[0].target));
        for (int y : {5, 30, 70, 150}) {
            const COLORREF before = Headless::BitmapPixel(picture, 3, y - source.top);
            ASSERT_NE(CLR_INVALID, before) << y;
            EXPECT_EQ(MixColours(before, 0xC0C0C0), painted.dc.GetPixel(source.left + 3, y)) << y;
        }
    }
    // A second paint of the same drag blends the same picture and takes none.
    Headless::ClearDrawLog();
    {
        Painted painted(w.grid);
        size_t snapshots = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog())
            if (op.kind == Headless::DrawKind::BitBlt && op.sourceTarget == painted.Handle())
                ++snapshots;
        EXPECT_EQ(0u, snapshots);
        EXPECT_EQ(1u, Ops(Headless::DrawKind::AlphaBlend, painted.Handle()).size());
    }

    // Releasing over column 5 moves column 2 there; the feedback ends.
    w.grid.SendMessage(WM_LBUTTONUP, 0, At(dropX, 10));
    EXPECT_EQ("5", std::string(w.grid.GetCell(1, 4)->GetText()));
    EXPECT_EQ("2", std::string(w.grid.GetCell(1, 5)->GetText()));
    const size_t objectsDuringDrag = Headless::GdiObjectCount();
    Headless::ClearDrawLog();
    {
        Painted painted(w.grid);
        EXPECT_TRUE(Ops(Headless::DrawKind::AlphaBlend, painted.Handle()).empty());
        for (const Headless::DrawOp& op : Ops(Headless::DrawKind::SetPixel, painted.Handle()))
            EXPECT_NE(CGridCtrl::kMoveMarkerColour, op.color);
    }
    // The picture and its context are gone with the drag.
    EXPECT_LT(Headless::GdiObjectCount(), objectsDuringDrag);
}

TEST_F(HeaderDrag, RowFeedbackPointsRightAndTheReleaseMovesTheRow)
{
    w.grid.GetCell(2, 1)->SetText("second");
    CRect source, target;
    ASSERT_TRUE(w.grid.GetCellRect(2, 0, &source));
    ASSERT_TRUE(w.grid.GetCellRect(4, 0, &target));
    const int pressY = (source.top + source.bottom) / 2;
    w.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(10, pressY));
    const int dropY = (target.top + target.bottom) / 2;
    MovePointer(w.grid, 10, dropY, MK_LBUTTON);
    Headless::ClearDrawLog();
    {
        Painted painted(w.grid);
        std::set<std::pair<int, int>> arrow;
        for (const Headless::DrawOp& op : Ops(Headless::DrawKind::SetPixel, painted.Handle()))
            if (op.color == CGridCtrl::kMoveMarkerColour)
                arrow.insert({op.from.y - (target.top - 4), op.from.x - target.left});   // turned back
        EXPECT_EQ(DownArrow(), arrow);
        std::vector<Headless::DrawOp> blends = Ops(Headless::DrawKind::AlphaBlend, painted.Handle());
        ASSERT_EQ(1u, blends.size());
        EXPECT_EQ(source.top + (dropY - pressY), blends[0].rect.top);
    }
    w.grid.SendMessage(WM_LBUTTONUP, 0, At(10, dropY));
    EXPECT_EQ("second", std::string(w.grid.GetCell(4, 1)->GetText()));
}

// Releasing over the source line moves nothing.
TEST_F(HeaderDrag, ReleaseOverTheSourceMovesNothing)
{
    CRect source;
    ASSERT_TRUE(w.grid.GetCellRect(0, 3, &source));
    const int x = (source.left + source.right) / 2;
    w.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, 10));
    MovePointer(w.grid, x + 3, 10, MK_LBUTTON);
    w.grid.SendMessage(WM_LBUTTONUP, 0, At(x + 3, 10));
    for (int col = 1; col < 7; ++col)
        EXPECT_EQ(std::to_string(col), std::string(w.grid.GetCell(1, col)->GetText()));
}

}  // namespace
