// Where docked toolbars stand and where a released bar goes.
#include "designer/DockLayout.h"

#include <gtest/gtest.h>

namespace {

CDockLayout::Bar MakeBar(UINT id, DockSide side, int row, LONG length, LONG thick = 26)
{
    CDockLayout::Bar b;
    b.id = id;
    b.side = side;
    b.row = row;
    b.horizontal = SIZE{length, thick};
    b.vertical = SIZE{thick, length / 2};
    return b;
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(DockLayout, RowsOnEverySideAndWhatIsLeft)
{
    CDockLayout layout;
    layout.Add(MakeBar(1, DockSide::Top, 0, 300));
    layout.Add(MakeBar(2, DockSide::Top, 1, 200));
    layout.Add(MakeBar(3, DockSide::Top, 1, 250));          // same row as 2, fits beside it
    layout.Add(MakeBar(4, DockSide::Top, 1, 400));          // does not fit: wraps onto a row of its own
    layout.Add(MakeBar(5, DockSide::Left, 0, 200, 30));     // upright: 30 wide, 100 tall
    layout.Add(MakeBar(6, DockSide::Bottom, 0, 100, 20));
    layout.Add(MakeBar(7, DockSide::Floating, 0, 100));     // not laid out
    std::vector<CDockLayout::Placed> placed;
    const RECT rest = layout.Arrange(RECT{0, 0, 800, 600}, placed);

    ASSERT_EQ(6u, placed.size());
    const struct {
        UINT id;
        RECT rect;
    } expected[] = {
        {1, {0, 0, 300, 26}},   {2, {0, 26, 200, 52}},    {3, {200, 26, 450, 52}},
        {4, {0, 52, 400, 78}},  {6, {0, 580, 100, 600}},  {5, {0, 78, 30, 178}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        bool found = false;
        for (const auto& p : placed)
            if (p.id == e.id) {
                found = true;
                EXPECT_TRUE(Same(e.rect, p.rect)) << p.rect.left << "," << p.rect.top << "," << p.rect.right << ","
                                                  << p.rect.bottom;
            }
        EXPECT_TRUE(found);
    }
    EXPECT_TRUE(Same(RECT{30, 78, 800, 580}, rest));

    // Hidden bars give their room back.
    layout.SetVisible(false);
    placed.clear();
    EXPECT_TRUE(Same(RECT{0, 0, 800, 600}, layout.Arrange(RECT{0, 0, 800, 600}, placed)));
    EXPECT_TRUE(placed.empty());
}

TEST(DockLayout, ReleasePointsAndMoves)
{
    const RECT client = {0, 0, 800, 600};
    const struct {
        POINT p;
        DockSide side;
    } cases[] = {
        {{400, 5}, DockSide::Top},       {{5, 5}, DockSide::Top},          // corners go to top and bottom
        {{400, 590}, DockSide::Bottom},  {{5, 300}, DockSide::Left},
        {{795, 300}, DockSide::Right},   {{400, 300}, DockSide::Floating},
        {{-10, 300}, DockSide::Left},    {{-100, 300}, DockSide::Floating},   // just outside still docks
        {{400, 700}, DockSide::Floating},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.side, CDockLayout::DropSide(client, c.p)) << c.p.x << "," << c.p.y;

    CDockLayout layout;
    layout.Add(MakeBar(1, DockSide::Top, 0, 100));
    layout.Add(MakeBar(2, DockSide::Top, 3, 100));
    layout.Add(MakeBar(3, DockSide::Left, 0, 100));
    layout.Move(3, DockSide::Top);       // a row inside every top row
    EXPECT_EQ(4, layout.Find(3)->row);
    layout.Move(1, DockSide::Right);     // first bar on an empty side
    EXPECT_EQ(DockSide::Right, layout.Find(1)->side);
    EXPECT_EQ(0, layout.Find(1)->row);
    layout.Move(99, DockSide::Left);     // unknown bars are ignored
    EXPECT_EQ(nullptr, layout.Find(99));
}
