// The right-click menu: message 1073 with the cell and the area clicked,
// items the parent adds while it handles 1073, the menu shown only with
// items, and the chosen command reported as message 1074.
#include "window_test_util.h"

#include "platform/PopupMenu.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A parent that adds its items while it handles 1073.
class MenuParent : public gridwindowtest::RecordingParent {
public:
    CGridCtrl* grid = nullptr;
    std::vector<UINT> items;
    std::vector<BOOL> added;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_MENUSTART && grid != nullptr) {
            for (UINT id : items)
                added.push_back(grid->AddPopupMenuItem(MF_STRING, id, id == 20001 ? "first" : "second"));
        }
        return RecordingParent::WindowProc(message, wParam, lParam);
    }
};

struct MenuGrid {
    MenuParent parent;
    CGridCtrl grid;
    MenuGrid()
    {
        Headless::Reset();
        parent.CreateTopLevel(404, 304);
        gridwindowtest::LayOut(grid, 10, 6, 1, 1);
        grid.Create(CRect(0, 0, 404, 304), &parent, 77, WS_CHILD | WS_VISIBLE);
        parent.grid = &grid;
        parent.messages.clear();
    }
    std::vector<gridwindowtest::ParentMessage> Of(UINT message) const
    {
        std::vector<gridwindowtest::ParentMessage> some;
        for (const gridwindowtest::ParentMessage& m : parent.messages)
            if (m.message == message)
                some.push_back(m);
        return some;
    }
};

class ContextMenu : public ::testing::Test {
protected:
    void TearDown() override { Headless::Reset(); }
};

// Columns: 0 [0,40) 1 [40,90) ... 5 [240,290); rows: 0 [0,25) 1 [25,45) ...
TEST_F(ContextMenu, MenuStartTellsTheCellAndTheArea)
{
    struct Case {
        const char* name;
        CPoint point;
        int row, col;
        LPARAM area;
    } cases[] = {
        {"a body cell (selected by the click)", {100, 50}, 2, 2, 1},
        {"a cell of the selection", {60, 30}, 1, 1, 1},
        {"a column header", {100, 10}, 0, 2, 2},
        {"a row header", {20, 50}, 2, 0, 3},
        {"the corner", {20, 10}, 0, 0, 4},
        {"beyond the last column", {350, 50}, -1, -1, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuGrid g;
        g.grid.SetSelectedRange(1, 1, 1, 3);
        g.grid.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(c.point.x, c.point.y));
        const std::vector<gridwindowtest::ParentMessage> starts = g.Of(WM_GRID_MENUSTART);
        ASSERT_EQ(1u, starts.size());
        EXPECT_EQ(static_cast<WPARAM>(MAKELONG(static_cast<WORD>(c.row), static_cast<WORD>(c.col))),
                  starts[0].wParam);
        EXPECT_EQ(c.area, starts[0].lParam);
        // No item was added: no menu is shown and no command comes.
        EXPECT_TRUE(Headless::MenusShown().empty());
        EXPECT_TRUE(g.Of(WM_GRID_MENUCOMMAND).empty());
    }
}

// The two items the parent adds are shown at the click, and the choice comes
// back with the clicked cell; only identifiers 20000..30000 are reported.
TEST_F(ContextMenu, TheChosenItemArrivesAsMenuCommand)
{
    struct Case {
        const char* name;
        std::vector<UINT> items;
        UINT choice;
        bool reported;
    } cases[] = {
        {"the second item", {20001, 20002}, 20002, true},
        {"the first item", {20001, 20002}, 20001, true},
        {"none chosen", {20001, 20002}, 0, false},
        {"an identifier outside the host's range", {20001, 19999}, 19999, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuGrid g;
        g.parent.items = c.items;
        Headless::QueueMenuChoice(c.choice);
        g.grid.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(150, 70));
        EXPECT_EQ(std::vector<BOOL>(c.items.size(), TRUE), g.parent.added);
        const std::vector<Headless::MenuShown> shown = Headless::MenusShown();
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ(g.grid.GetSafeHwnd(), shown[0].owner);
        EXPECT_EQ(c.items.size(), shown[0].ids.size());
        POINT screen = {150, 70};
        g.grid.ClientToScreen(&screen);
        EXPECT_EQ(screen.x, shown[0].screen.x);
        EXPECT_EQ(screen.y, shown[0].screen.y);
        const std::vector<gridwindowtest::ParentMessage> commands = g.Of(WM_GRID_MENUCOMMAND);
        if (c.reported) {
            ASSERT_EQ(1u, commands.size());
            EXPECT_EQ(static_cast<WPARAM>(MAKELONG(3, 3)), commands[0].wParam);   // row 3, column 3
            EXPECT_EQ(static_cast<LPARAM>(c.choice), commands[0].lParam);
        } else {
            EXPECT_TRUE(commands.empty());
        }
    }
}

// Items can be added only while a menu is being built.
TEST_F(ContextMenu, ItemsAreAddedOnlyDuringMenuStart)
{
    MenuGrid g;
    EXPECT_FALSE(g.grid.AddPopupMenuItem(MF_STRING, 20001, "late"));
    g.parent.items = {20001};
    g.grid.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(150, 70));
    EXPECT_EQ(std::vector<BOOL>{TRUE}, g.parent.added);
    EXPECT_FALSE(g.grid.AddPopupMenuItem(MF_STRING, 20002, "after"));
}

}  // namespace
