// The layout arithmetic of the skinned scroll bar: arrows, track, thumb size
// and offset, hit testing, and the position while the thumb is dragged.
#include "cells/ScrollBarLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct LayoutCase {
    const char* name;
    int length, arrow, min, max, page, pos;
    int expArrow, expTrack, expThumb, expOffset;
};

}  // namespace

TEST(ScrollBarLayoutTest, ArrowsTrackAndThumb)
{
    const std::vector<LayoutCase> cases = {
        // L 200, arrows 17: track 166.
        {"thumb in proportion to the page", 200, 17, 0, 99, 50, 0, 17, 166, 83, 0},
        {"thumb at the middle position", 200, 17, 0, 99, 50, 25, 17, 166, 83, 41},
        {"thumb at the last position", 200, 17, 0, 99, 50, 50, 17, 166, 83, 83},
        {"a small page keeps the thumb 6 long", 200, 17, 0, 9999, 1, 0, 17, 166, 6, 0},
        {"no page gives the smallest thumb", 200, 17, 0, 99, 0, 99, 17, 166, 6, 158},
        {"a page covering the range: no thumb", 200, 17, 0, 99, 100, 0, 17, 166, 0, 83},
        {"a page larger than the range: no thumb", 200, 17, 0, 99, 500, 0, 17, 166, 0, 83},
        {"an empty range never divides by zero", 200, 17, 0, -1, 0, 0, 17, 166, 0, 83},
        {"an empty range with a page", 200, 17, 5, 4, 10, 5, 17, 166, 0, 83},
        {"a track shorter than 6: no thumb", 39, 17, 0, 99, 10, 0, 17, 5, 0, 0},
        {"no track: the arrows share the length", 30, 17, 0, 99, 10, 0, 15, 0, 0, 0},
        {"length 0", 0, 17, 0, 99, 10, 0, 0, 0, 0, 0},
        {"a minimum other than 0 counts from the minimum", 200, 17, 100, 199, 50, 125, 17, 166, 83, 41},
        {"a position past the limit stays on the track", 200, 17, 0, 99, 50, 99, 17, 166, 83, 83},
        {"a position below the minimum stays on the track", 200, 17, 10, 99, 50, 0, 17, 166, 92, 0},
        {"huge ranges do not overflow", 200, 17, INT_MIN / 2, INT_MAX / 2, 1000, 0, 17, 166, 6, 80},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollBarLayout layout = ComputeScrollBarLayout(c.length, c.arrow, c.min, c.max, c.page, c.pos);
        EXPECT_EQ(c.expArrow, layout.nArrow);
        EXPECT_EQ(c.expTrack, layout.nTrack);
        EXPECT_EQ(c.expThumb, layout.nThumb);
        EXPECT_EQ(c.expOffset, layout.nThumbOffset);
    }
}

TEST(ScrollBarLayoutTest, HitTestFollowsThePartBoundaries)
{
    // L 200, arrows 17, thumb 83 long at offset 41: thumb [58, 141).
    ScrollBarLayout layout = ComputeScrollBarLayout(200, 17, 0, 99, 50, 25);
    const struct {
        int along;
        int part;
    } cases[] = {
        {-1, kScrollPartNone},          {0, kScrollPartFirstArrow},   {16, kScrollPartFirstArrow},
        {17, kScrollPartTrackBefore},   {57, kScrollPartTrackBefore}, {58, kScrollPartThumb},
        {140, kScrollPartThumb},        {141, kScrollPartTrackAfter}, {182, kScrollPartTrackAfter},
        {183, kScrollPartSecondArrow},  {199, kScrollPartSecondArrow}, {200, kScrollPartNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.along);
        EXPECT_EQ(c.part, layout.HitTest(c.along));
    }
    // Without a track the two arrows meet in the middle.
    ScrollBarLayout tiny = ComputeScrollBarLayout(30, 17, 0, 99, 10, 0);
    EXPECT_EQ(kScrollPartFirstArrow, tiny.HitTest(14));
    EXPECT_EQ(kScrollPartSecondArrow, tiny.HitTest(15));
}

TEST(ScrollBarLayoutTest, DragPositionScalesTheMovement)
{
    ScrollBarLayout layout = ComputeScrollBarLayout(200, 17, 0, 99, 50, 0);  // free track 166 - 83 = 83
    const struct {
        const char* name;
        int base, delta, min, max, page, expected;
    } cases[] = {
        {"no movement", 10, 0, 0, 99, 50, 10},
        {"half the free track", 0, 41, 0, 99, 50, 24},
        {"the whole free track", 0, 83, 0, 99, 50, 50},
        {"past the end stops at the limit", 0, 500, 0, 99, 50, 50},
        {"before the start stops at the minimum", 10, -500, 0, 99, 50, 0},
        {"one pixel that does not reach a position", 0, 1, 0, 99, 50, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ScrollBarDragPosition(layout, c.base, c.delta, c.min, c.max, c.page));
    }
    // A thumb that fills the free track cannot be dragged: no division by zero.
    ScrollBarLayout full = ComputeScrollBarLayout(40, 17, 0, 99, 10, 0);
    EXPECT_EQ(full.nTrack, full.nThumb);
    EXPECT_EQ(3, ScrollBarDragPosition(full, 3, 50, 0, 99, 10));
}

TEST(ScrollBarLayoutTest, LimitIsTheLastReachablePosition)
{
    EXPECT_EQ(50, ScrollBarLimit(0, 99, 50));
    EXPECT_EQ(99, ScrollBarLimit(0, 99, 0));
    EXPECT_EQ(99, ScrollBarLimit(0, 99, 1));
    EXPECT_EQ(0, ScrollBarLimit(0, 99, 500));
    EXPECT_EQ(5, ScrollBarLimit(5, 4, 0));
}
