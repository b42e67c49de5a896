// Keyboard navigation of the grid window, driven through WM_KEYDOWN / WM_CHAR.
#include "input_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using gridinputtest::InputGrid;

namespace {

struct KeyCase {
    const char* name;
    std::function<void(InputGrid&)> setup;   // may be empty
    CGridCellPos start;
    UINT key;
    bool shift;
    bool ctrl;
    CGridCellPos expected;
};

void HideRow(InputGrid& g, int row) { g.Grid().SetRowHeight(row, 0); }
void HideCol(InputGrid& g, int col) { g.Grid().SetColumnWidth(col, 0); }

class KeyboardNavigation : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

}  // namespace

// 10 rows x 6 columns, one fixed row and column: cells (1..9, 1..5).
TEST_F(KeyboardNavigation, EveryKeyOfTheTable)
{
    const KeyCase cases[] = {
        {"right", nullptr, {2, 2}, VK_RIGHT, false, false, {2, 3}},
        {"right at the last column stays", nullptr, {2, 5}, VK_RIGHT, false, false, {2, 5}},
        {"right over a hidden column", [](InputGrid& g) { HideCol(g, 3); }, {2, 2}, VK_RIGHT, false, false, {2, 4}},
        {"left", nullptr, {2, 3}, VK_LEFT, false, false, {2, 2}},
        {"left stops at the fixed column", nullptr, {2, 1}, VK_LEFT, false, false, {2, 1}},
        {"left over a hidden column", [](InputGrid& g) { HideCol(g, 2); }, {2, 3}, VK_LEFT, false, false,
         {2, 1}},
        {"up", nullptr, {3, 2}, VK_UP, false, false, {2, 2}},
        {"up stops at the fixed row", nullptr, {1, 2}, VK_UP, false, false, {1, 2}},
        {"up over hidden rows into the fixed row stays",
         [](InputGrid& g) { HideRow(g, 1); HideRow(g, 2); }, {3, 2}, VK_UP, false, false, {3, 2}},
        {"down", nullptr, {2, 2}, VK_DOWN, false, false, {3, 2}},
        {"down over a hidden row", [](InputGrid& g) { HideRow(g, 3); }, {2, 2}, VK_DOWN, false, false, {4, 2}},
        {"down at the last row stays", nullptr, {9, 2}, VK_DOWN, false, false, {9, 2}},
        {"down onto hidden last rows stays", [](InputGrid& g) { HideRow(g, 9); }, {8, 2}, VK_DOWN, false, false,
         {8, 2}},
        {"tab", nullptr, {2, 2}, VK_TAB, false, false, {2, 3}},
        {"tab wraps to the next row", nullptr, {2, 5}, VK_TAB, false, false, {3, 1}},
        {"tab wraps over a hidden row", [](InputGrid& g) { HideRow(g, 3); }, {2, 5}, VK_TAB, false, false, {4, 1}},
        {"tab on the last cell leaves the focus to the dialog", nullptr, {9, 5}, VK_TAB, false, false, {9, 5}},
        {"shift+tab", nullptr, {2, 3}, VK_TAB, true, false, {2, 2}},
        {"shift+tab wraps to the previous row", nullptr, {3, 1}, VK_TAB, true, false, {2, 5}},
        {"shift+tab on the first cell stays", nullptr, {1, 1}, VK_TAB, true, false, {1, 1}},
        {"enter moves down", nullptr, {2, 2}, VK_RETURN, false, false, {3, 2}},
        {"enter at the last row goes to the next column's top", nullptr, {9, 2}, VK_RETURN, false, false, {1, 3}},
        {"enter rightwards", [](InputGrid& g) { GridInputAccess::SetEnterDirection(g.Grid(), 1); }, {2, 2},
         VK_RETURN, false, false, {2, 3}},
        {"enter rightwards wraps", [](InputGrid& g) { GridInputAccess::SetEnterDirection(g.Grid(), 1); }, {2, 5},
         VK_RETURN, false, false, {3, 1}},
        {"home", nullptr, {5, 4}, VK_HOME, false, false, {5, 1}},
        {"home skips a hidden first column", [](InputGrid& g) { HideCol(g, 1); }, {5, 4}, VK_HOME, false, false,
         {5, 2}},
        {"ctrl+home", nullptr, {5, 4}, VK_HOME, false, true, {1, 1}},
        {"end", nullptr, {5, 2}, VK_END, false, false, {5, 5}},
        {"end skips a hidden last column", [](InputGrid& g) { HideCol(g, 5); }, {5, 2}, VK_END, false, false, {5, 4}},
        {"ctrl+end", nullptr, {2, 2}, VK_END, false, true, {9, 5}},
        {"ctrl+end over a hidden last row", [](InputGrid& g) { HideRow(g, 9); }, {2, 2}, VK_END, false, true, {8, 5}},
        {"page down when all rows fit goes to the last row", nullptr, {2, 2}, VK_NEXT, false, false, {9, 2}},
        {"page up when all rows fit goes to the first row", nullptr, {6, 2}, VK_PRIOR, false, false, {1, 2}},
        {"an unknown key does nothing", nullptr, {2, 2}, VK_F5, false, false, {2, 2}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        if (c.setup)
            c.setup(g);
        g.Grid().SetFocusCell(c.start);
        Headless::SetKeyDown(VK_SHIFT, c.shift);
        Headless::SetKeyDown(VK_CONTROL, c.ctrl);
        g.Key(c.key);
        Headless::ReleaseAllKeys();
        EXPECT_EQ(g.Focus().row, c.expected.row);
        EXPECT_EQ(g.Focus().col, c.expected.col);
    }
}

TEST_F(KeyboardNavigation, MergedBlockIsEnteredAtItsOwnerAndLeftInOneStep)
{
    InputGrid g;
    g.Build(10, 6);
    g.Merge(3, 2, 4, 3);   // owner (3, 2)

    g.Grid().SetFocusCell(4, 1);
    g.Key(VK_RIGHT);
    EXPECT_EQ(g.Focus(), CGridCellPos(3, 2));
    g.Key(VK_RIGHT);
    EXPECT_EQ(g.Focus(), CGridCellPos(3, 4));

    g.Grid().SetFocusCell(2, 3);
    g.Key(VK_DOWN);
    EXPECT_EQ(g.Focus(), CGridCellPos(3, 2));
    g.Key(VK_DOWN);
    EXPECT_EQ(g.Focus(), CGridCellPos(5, 2));

    g.Grid().SetFocusCell(5, 3);
    g.Key(VK_UP);   // the block's last row stops the move upwards
    EXPECT_EQ(g.Focus(), CGridCellPos(3, 2));
}

TEST_F(KeyboardNavigation, PageDownMovesByTheScrolledRowsAndStopsAtTheLastRow)
{
    InputGrid g;
    g.Build(100, 6);
    g.Grid().SetFocusCell(2, 2);
    int topBefore = g.Grid().GetTopLeftCell(TRUE).row;
    g.Key(VK_NEXT);
    int topAfter = g.Grid().GetTopLeftCell(TRUE).row;
    ASSERT_GT(topAfter, topBefore);
    EXPECT_EQ(g.Focus().row, 2 + (topAfter - topBefore));
    EXPECT_TRUE(g.Grid().IsCellVisible(g.Focus().row, 2));

    g.Key(VK_PRIOR);
    EXPECT_EQ(g.Focus().row, 2);

    for (int i = 0; i < 20; ++i)
        g.Key(VK_NEXT);
    EXPECT_EQ(g.Focus().row, 99);
    EXPECT_TRUE(g.Grid().IsCellVisible(99, 2));
}

TEST_F(KeyboardNavigation, HostSeesEveryKeyAndMayRewriteIt)
{
    InputGrid g;
    g.Build(10, 6);
    g.Grid().SetFocusCell(2, 2);
    g.host.rewriteKeyTo = VK_TAB;   // Enter becomes Tab
    g.Key(VK_RETURN);
    EXPECT_EQ(g.Focus(), CGridCellPos(2, 3));
    ASSERT_EQ(g.host.keys.size(), 1u);
    EXPECT_EQ(g.host.keys[0], static_cast<UINT>(VK_RETURN));

    g.host.rewriteKeyTo = VK_F24;   // swallowed: an unknown key
    g.Key(VK_DOWN);
    EXPECT_EQ(g.Focus(), CGridCellPos(2, 3));
}

TEST_F(KeyboardNavigation, ArrowsRestartTheSelectionAndShiftExtendsIt)
{
    InputGrid g;
    g.Build(10, 6);
    g.Grid().SetFocusCell(2, 2);
    g.Key(VK_RIGHT);
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 3, 2, 3));
    std::vector<int> expected = {GVN_SELCHANGING, GVN_SELCHANGED};
    EXPECT_EQ(g.host.Codes(), expected);
    EXPECT_EQ(g.host.notifies[0].row, 2);
    EXPECT_EQ(g.host.notifies[0].col, 3);

    Headless::SetKeyDown(VK_SHIFT, true);
    g.Key(VK_DOWN);
    g.Key(VK_DOWN);
    g.Key(VK_RIGHT);
    Headless::ReleaseAllKeys();
    EXPECT_EQ(g.Focus(), CGridCellPos(4, 4));
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 3, 4, 4));
    EXPECT_TRUE(g.Grid().IsCellSelected(3, 3));

    g.Key(VK_LEFT);   // without Shift the selection starts again
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(4, 3, 4, 3));
}

TEST_F(KeyboardNavigation, DeleteShowsTheKeyAgainAndClearsTheSelection)
{
    InputGrid g;
    g.Build(10, 6);
    g.Grid().GetCell(2, 2)->SetText("gone");
    g.Grid().SetFocusCell(2, 2);
    g.Grid().SetSelectedRange(2, 2, 2, 2);
    g.Key(VK_DELETE);
    EXPECT_STREQ(g.Grid().GetCell(2, 2)->GetText(), "");
    std::vector<UINT> keys = {VK_DELETE, VK_DELETE};
    EXPECT_EQ(g.host.keys, keys);
}

TEST_F(KeyboardNavigation, WithoutAFocusCellKeysOnlyReachTheDefault)
{
    InputGrid g;
    g.Build(10, 6);
    g.Grid().SetFocusCell(-1, -1);
    g.Key(VK_DOWN);
    EXPECT_EQ(g.Focus(), CGridCellPos(-1, -1));
    EXPECT_TRUE(g.host.keys.empty());
}

TEST_F(KeyboardNavigation, CharactersAndF2AskToEditTheFocusCell)
{
    struct Case {
        const char* name;
        bool useF2;
        UINT ch;
        bool readOnly;
        bool ctrl;
        bool expectAsk;
    } cases[] = {
        {"a letter", false, 'a', false, false, true},
        {"F2", true, 0, false, false, true},
        {"a letter on a read-only cell", false, 'a', true, false, false},
        {"Esc", false, VK_ESCAPE, false, false, false},
        {"Tab while the grid moves by Tab", false, VK_TAB, false, false, false},
        {"Ctrl+letter", false, 'c' - 'a' + 1, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        g.Grid().SetFocusCell(3, 3);
        g.Grid().GetCell(3, 3)->SetReadOnly(c.readOnly);
        Headless::SetKeyDown(VK_CONTROL, c.ctrl);
        if (c.useF2)
            g.Key(VK_F2);
        else
            g.Char(c.ch);
        Headless::ReleaseAllKeys();
        ASSERT_EQ(g.host.startEdits.size(), c.expectAsk ? 1u : 0u);
        if (c.expectAsk) {
            EXPECT_EQ(g.host.startEdits[0].row, 3);
            EXPECT_EQ(g.host.startEdits[0].col, 3);
            EXPECT_EQ(g.host.startEdits[0].type, GCT_EDIT);
        }
        EXPECT_EQ(g.Focus(), CGridCellPos(3, 3));
    }
}

TEST_F(KeyboardNavigation, DialogCodeAsksForTabOnlyWithoutCtrl)
{
    InputGrid g;
    g.Build(5, 5);
    EXPECT_EQ(g.Grid().SendMessage(WM_GETDLGCODE),
              static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB));
    Headless::SetKeyDown(VK_CONTROL, true);
    EXPECT_EQ(g.Grid().SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS));
    Headless::ReleaseAllKeys();
}
