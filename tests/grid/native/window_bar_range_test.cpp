// The grid's own scroll bars follow size changes: each change hands the bar
// its new range at once, the bar repaints with the next paint (once, however
// many changes came before it), and recomputing the bars when nothing about
// their place changed leaves the bar windows where they are.
#include <gtest/gtest.h>

#include "cells/GridScrollBarHooks.h"
#include "grid/GridScrollBarHooks.h"
#include "platform/System.h"
#include "window_test_util.h"

namespace {

struct ScopedScrollBarHooks {
    GridScrollBarHooks saved = GetGridScrollBarHooks();
    ScopedScrollBarHooks() { InstallGridScrollBarHooks(); }
    ~ScopedScrollBarHooks() { SetGridScrollBarHooks(saved); }
};

SCROLLINFO BarInfo(CWnd* pBar)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    pBar->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
    return si;
}

}  // namespace

TEST(GridOwnScrollBarRange, EachSizeChangeReachesTheBarWhichPaintsOnceAfterwards)
{
    ScopedScrollBarHooks hooks;
    gridwindowtest::WindowGrid g;
    g.Build(200, 5, 1, 1);
    CWnd* pV = g.grid.GetSkinScrollBar(TRUE);
    ASSERT_TRUE(pV != nullptr && pV->IsWindowVisible());
    PlatformPumpMessages();
    const int paintsBefore = Headless::PaintCount(pV->GetSafeHwnd());

    for (int r = 1; r < 200; ++r) {
        g.grid.SetRowHeight(r, 20 + r % 7);
        SCROLLINFO si = BarInfo(pV);
        ASSERT_EQ(g.grid.GetVScrollMax(), si.nMax) << "row " << r;
    }
    // Nothing painted the bar while the sizes changed; it waits, whole, for
    // the next paint, and that paint draws it once.
    EXPECT_EQ(paintsBefore, Headless::PaintCount(pV->GetSafeHwnd()));
    CRect client, waiting;
    pV->GetClientRect(&client);
    ASSERT_TRUE(pV->GetUpdateRect(&waiting));
    EXPECT_EQ(client, waiting);
    PlatformPumpMessages();
    EXPECT_EQ(paintsBefore + 1, Headless::PaintCount(pV->GetSafeHwnd()));
    EXPECT_FALSE(pV->GetUpdateRect(nullptr));
}

TEST(GridOwnScrollBarRange, RecomputingLeavesBarsInPlace)
{
    ScopedScrollBarHooks hooks;
    gridwindowtest::WindowGrid g;
    g.Build(200, 40, 1, 1);
    CWnd* pV = g.grid.GetSkinScrollBar(TRUE);
    CWnd* pH = g.grid.GetSkinScrollBar(FALSE);
    ASSERT_TRUE(pV != nullptr && pH != nullptr);
    ASSERT_EQ(3, g.grid.GetScrollBarsVisible());
    PlatformPumpMessages();
    Headless::ClearInvalidations(pV->GetSafeHwnd());
    Headless::ClearInvalidations(pH->GetSafeHwnd());
    CRect rcV, rcH;
    pV->GetWindowRect(&rcV);
    pH->GetWindowRect(&rcH);

    // The range stays: neither bar is moved, shown again or invalidated.
    g.grid.UpdateScrollBars();
    g.grid.UpdateScrollBars();
    EXPECT_TRUE(Headless::Invalidations(pV->GetSafeHwnd()).empty());
    EXPECT_TRUE(Headless::Invalidations(pH->GetSafeHwnd()).empty());

    // A bar that goes away and comes back takes its place again.
    g.grid.SetColumnCount(3);
    EXPECT_EQ(2, g.grid.GetScrollBarsVisible());
    EXPECT_FALSE(pH->IsWindowVisible());
    g.grid.SetColumnCount(40);
    EXPECT_EQ(3, g.grid.GetScrollBarsVisible());
    EXPECT_TRUE(pH->IsWindowVisible());
    CRect rcNow;
    pH->GetWindowRect(&rcNow);
    EXPECT_EQ(rcH, rcNow);
    pV->GetWindowRect(&rcNow);
    EXPECT_EQ(rcV, rcNow);
}
