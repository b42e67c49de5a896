// The grid's own (skinned) scroll bars share the parent's client area with the
// grid: when the parent sizes the grid window to its whole client, the bars go
// to the right and bottom edges and the grid keeps the rest.
#include <gtest/gtest.h>

#include "cells/GridScrollBarHooks.h"
#include "grid/GridScrollBarHooks.h"
#include "window_test_util.h"

namespace {

// The hooks are process-wide: the other grid tests here run without bar
// windows, so the hooks this test installs are taken back when it ends.
struct ScopedScrollBarHooks {
    GridScrollBarHooks saved = GetGridScrollBarHooks();
    ScopedScrollBarHooks() { InstallGridScrollBarHooks(); }
    ~ScopedScrollBarHooks() { SetGridScrollBarHooks(saved); }
};

CRect RectInParent(CWnd& wnd, CWnd& parent)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST(GridOwnScrollBars, FollowTheParentSizingTheGrid)
{
    ScopedScrollBarHooks hooks;
    gridwindowtest::WindowGrid g;
    g.Build(200, 40, 1, 1);
    ASSERT_EQ(1, g.grid.GetSkinStyle());
    struct { int cx, cy; } sizes[] = {{600, 500}, {300, 220}, {640, 480}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        g.parent.MoveWindow(0, 0, size.cx, size.cy, TRUE);
        CRect client;
        g.parent.GetClientRect(&client);
        g.grid.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(3, g.grid.GetScrollBarsVisible());
        EXPECT_EQ(CRect(0, 0, client.Width() - 15, client.Height() - 15), RectInParent(g.grid, g.parent));
        CWnd* pV = g.grid.GetSkinScrollBar(TRUE);
        CWnd* pH = g.grid.GetSkinScrollBar(FALSE);
        ASSERT_TRUE(pV != nullptr && pH != nullptr);
        EXPECT_EQ(CRect(client.Width() - 15, 0, client.Width(), client.Height() - 15), RectInParent(*pV, g.parent));
        EXPECT_EQ(CRect(0, client.Height() - 15, client.Width() - 15, client.Height()), RectInParent(*pH, g.parent));
    }
}
