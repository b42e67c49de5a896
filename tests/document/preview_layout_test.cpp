// The print preview's window-free rules: page placement per display mode,
// scroll needs, bar buttons and menu states per mode and page, and wheel
// turns adding up to lines.
#include "document/PreviewLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewLayout, PagesPerModeAndExtents)
{
    struct Case {
        int mode;
        int perRow;
        int pages;
        std::vector<CPoint> corners;
        CSize extent;
    } cases[] = {
        {PREVIEW_PAGES_PER_ROW, 2, 3, {{10, 10}, {230, 10}, {10, 340}}, {430, 640}},
        {PREVIEW_PAGES_PER_ROW, 3, 2, {{10, 10}, {230, 10}}, {430, 310}},
        {PREVIEW_ALL_PAGES, 2, 3, {{10, 10}, {10, 340}, {10, 670}}, {210, 970}},
        {PREVIEW_ONE_PAGE, 2, 3, {{10, 10}, {10, 10}, {10, 10}}, {210, 310}},
        {PREVIEW_ALL_PAGES, 2, 0, {}, {210, 310}},
    };
    for (const Case& c : cases) {
        CSize extent;
        const std::vector<CRect> rects = LayoutPreviewPages(c.mode, c.perRow, c.pages, CSize(200, 300), CPoint(10, 10),
                                                            extent);
        ASSERT_EQ(c.corners.size(), rects.size()) << c.mode;
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(c.corners[i].x, rects[i].left) << c.mode << " page " << i;
            EXPECT_EQ(c.corners[i].y, rects[i].top) << c.mode << " page " << i;
            EXPECT_EQ(200, rects[i].Width());
            EXPECT_EQ(300, rects[i].Height());
        }
        EXPECT_EQ(c.extent.cx, extent.cx) << c.mode;
        EXPECT_EQ(c.extent.cy, extent.cy) << c.mode;
    }
}

TEST(PreviewLayout, ScrollBarsFollowTheExtent)
{
    struct Case {
        CSize client;
        bool vertical;
        bool horizontal;
    } cases[] = {{{500, 800}, false, false}, {{479, 739}, true, true}, {{480, 739}, true, false},
                 {{479, 740}, false, true}};
    for (const Case& c : cases) {
        const PreviewScrollNeeds needs = ComputePreviewScroll(c.client, CSize(430, 640));
        EXPECT_EQ(c.vertical, needs.bVertical) << c.client.cx << "x" << c.client.cy;
        EXPECT_EQ(c.horizontal, needs.bHorizontal) << c.client.cx << "x" << c.client.cy;
        EXPECT_EQ(739, needs.nVertMax);
        EXPECT_EQ(479, needs.nHorzMax);
        EXPECT_EQ(c.client.cy, needs.nVertPage);
    }
}

TEST(PreviewLayout, BarButtonsAndMenuFollowModeAndPage)
{
    struct Case {
        int mode;
        bool one, multi, all, prev, next;
    } cases[] = {{0, false, true, true, true, true}, {1, true, false, true, false, false},
                 {2, true, true, false, false, false}};
    for (const Case& c : cases) {
        const PreviewBarButtons b = PreviewBarButtonsFor(c.mode);
        EXPECT_EQ(c.one, b.bOnePage) << c.mode;
        EXPECT_EQ(c.multi, b.bMultiPage) << c.mode;
        EXPECT_EQ(c.all, b.bAllPages) << c.mode;
        EXPECT_EQ(c.prev, b.bPrevPage) << c.mode;
        EXPECT_EQ(c.next, b.bNextPage) << c.mode;
    }
    struct MenuCase {
        int mode, perRow, page, pages;
        bool prev, next;
        UINT checked;
    } menus[] = {
        {0, 2, 0, 3, false, true, ID_PREVIEW_ONEPAGE},  {0, 2, 1, 3, true, true, ID_PREVIEW_ONEPAGE},
        {0, 2, 2, 3, true, false, ID_PREVIEW_ONEPAGE},  {1, 4, 1, 3, false, false, ID_PREVIEW_2PAGES + 2},
        {2, 2, 1, 3, false, false, ID_PREVIEW_ALLPAGES}, {0, 2, 0, 1, false, false, ID_PREVIEW_ONEPAGE},
    };
    for (const MenuCase& m : menus) {
        const std::vector<PreviewMenuItem> items = PreviewMenuFor(m.mode, m.perRow, m.page, m.pages);
        ASSERT_EQ(8u, items.size());
        EXPECT_EQ(ID_PREVIEW_PREVPAGE, items[0].nId);
        EXPECT_EQ(m.prev, items[0].bEnabled) << m.mode << " " << m.page;
        EXPECT_EQ(m.next, items[1].bEnabled) << m.mode << " " << m.page;
        int checked = 0;
        for (const PreviewMenuItem& item : items) {
            if (item.bChecked) {
                ++checked;
                EXPECT_EQ(m.checked, item.nId);
            }
        }
        EXPECT_EQ(1, checked);
    }
}

TEST(PreviewLayout, WheelDeltasAddUpToLinesBySign)
{
    CPreviewWheel wheel;
    struct Step {
        int delta;
        int lines;
    } steps[] = {{40, 0}, {40, 0}, {40, 1}, {-120, -1}, {-60, 0}, {-60, -1}, {240, 2}, {30, 0}, {-30, 0}, {-120, -1}};
    for (const Step& s : steps)
        EXPECT_EQ(s.lines, wheel.Add(s.delta)) << s.delta;
}

}  // namespace
