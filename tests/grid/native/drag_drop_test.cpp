// Dragging the selection with the headless platform's scripted drags: the
// drop target registered once per window, drop ranges and effects (a move, a
// Ctrl copy, a drop onto the selection itself, overlapping moves, refused
// targets), drags into another grid, data dragged from another program, and
// the user's clipboard left alone.
#include "window_test_util.h"

#include "platform/DragDrop.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwindowtest::WindowGrid;

namespace {

// A 10 x 6 grid (one fixed row and column) in a window, cells (r, c) of rows
// 1..2 and columns 1..2 holding "rc".
struct DragGrid : WindowGrid {
    void Fill()
    {
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                grid.SetCellText(r, c, (std::to_string(r) + std::to_string(c)).c_str());
    }
    std::string Text(int r, int c) { return std::string(grid.GetCellText(r, c)); }
    // A point inside the cell, in the grid's client coordinates.
    POINT At(int r, int c)
    {
        POINT p = {0, 0};
        grid.GetCellTopLeft(r, c, &p);
        return {p.x + 5, p.y + 5};
    }
    // The texts of rows 1..6, columns 1..4, row by row, "." for an empty cell.
    std::string Sheet()
    {
        std::string out;
        for (int r = 1; r <= 6; ++r) {
            for (int c = 1; c <= 4; ++c) {
                const std::string t = Text(r, c);
                out += t.empty() ? "." : t;
                out += c < 4 ? " " : "";
            }
            out += r < 6 ? "|" : "";
        }
        return out;
    }
};

class DragDrop : public ::testing::Test {
protected:
    void TearDown() override { Headless::Reset(); }
};

TEST_F(DragDrop, TheWindowIsRegisteredOnceAsADropTarget)
{
    DragGrid g;
    g.Build(10, 6, 1, 1);
    const HWND hwnd = g.grid.GetSafeHwnd();
    EXPECT_EQ(&g.grid.GetDropTarget(), Headless::DropTargetOf(hwnd));
    EXPECT_TRUE(g.grid.GetDropTarget().IsRegistered());
    // A second registration, of the grid or of another window, is refused.
    EXPECT_FALSE(g.grid.GetDropTarget().Register(&g.grid));
    CGridDropTarget other;
    EXPECT_FALSE(other.Register(&g.parent)) << "the parent is no grid";
    EXPECT_FALSE(other.Register(&g.grid)) << "the window has its target";
    EXPECT_EQ(1u, Headless::DropTargetCount());
    // Resizing registers nothing anew; destroying the window ends it.
    g.grid.MoveWindow(CRect(0, 0, 300, 200));
    EXPECT_EQ(1u, Headless::DropTargetCount());
    g.grid.DestroyWindow();
    EXPECT_EQ(nullptr, Headless::DropTargetOf(hwnd));
    EXPECT_FALSE(g.grid.GetDropTarget().IsRegistered());
    // A new window of the grid is registered again, once.
    ASSERT_TRUE(g.grid.Create(CRect(0, 0, 200, 200), &g.parent, 78, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(&g.grid.GetDropTarget(), Headless::DropTargetOf(g.grid.GetSafeHwnd()));
    EXPECT_EQ(1u, Headless::DropTargetCount());
}

// A grid object that goes while its window is still registered takes the
// registration with it: no drag finds a stale target.
TEST_F(DragDrop, AGridThatGoesEndsItsRegistration)
{
    Headless::Reset();
    gridwindowtest::RecordingParent parent;
    parent.CreateTopLevel(300, 300);
    HWND hwnd = nullptr;
    {
        CGridCtrl grid;
        gridwindowtest::LayOut(grid, 5, 5, 1, 1);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 200, 200), &parent, 5, WS_CHILD | WS_VISIBLE));
        hwnd = grid.GetSafeHwnd();
        EXPECT_NE(nullptr, Headless::DropTargetOf(hwnd));
    }
    EXPECT_EQ(nullptr, Headless::DropTargetOf(hwnd));
    EXPECT_EQ(0u, Headless::DropTargetCount());
}

// Without OLE on the thread the grid has no drop target and starts no drag.
TEST_F(DragDrop, WithoutOleDraggingStaysOff)
{
    Headless::Reset();
    Headless::SetOleInitialised(false);
    DragGrid g;
    gridwindowtest::RecordingParent& parent = g.parent;
    parent.CreateTopLevel(404, 304);
    gridwindowtest::LayOut(g.grid, 10, 6, 1, 1);
    ASSERT_TRUE(g.grid.Create(CRect(0, 0, 404, 304), &parent, 77, WS_CHILD | WS_VISIBLE));
    EXPECT_FALSE(g.grid.GetDropTarget().IsRegistered());
    g.Fill();
    g.grid.SetSelectedRange(1, 1, 2, 2);
    Headless::ScriptDrag({{g.grid.GetSafeHwnd(), g.At(4, 3), 0}});
    g.grid.OnBeginDrag();
    EXPECT_EQ(kDropEffectNone, Headless::LastDragEffect());
    EXPECT_EQ("11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", g.Sheet());
}

// Drops of the selection (1,1)-(2,2), taken by its first cell, onto the same
// grid: where the data lands, what the source keeps, and the effect.
TEST_F(DragDrop, DropRangesAndEffects)
{
    struct Case {
        const char* name;
        int row, col;          // the cell under the pointer at the drop
        DWORD keys;
        bool drop;             // false: the drag is cancelled
        bool readOnlyTarget;
        DWORD effect;
        const char* sheet;
        CGridCellRange selection;
    } cases[] = {
        {"a move", 4, 3, 0, true, false, kDropEffectMove,
         ". . . .|. . . .|. . . .|. . 11 12|. . 21 22|. . . .", CGridCellRange(4, 3, 5, 4)},
        {"a Ctrl copy", 4, 3, MK_CONTROL, true, false, kDropEffectCopy,
         "11 12 . .|21 22 . .|. . . .|. . 11 12|. . 21 22|. . . .", CGridCellRange(4, 3, 5, 4)},
        {"onto the selection itself", 1, 1, 0, true, false, kDropEffectNone,
         "11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", CGridCellRange(1, 1, 2, 2)},
        {"a move overlapping the source", 2, 2, 0, true, false, kDropEffectMove,
         ". . . .|. 11 12 .|. 21 22 .|. . . .|. . . .|. . . .", CGridCellRange(2, 2, 3, 3)},
        {"a copy overlapping the source", 2, 2, MK_CONTROL, true, false, kDropEffectCopy,
         "11 12 . .|21 11 12 .|. 21 22 .|. . . .|. . . .|. . . .", CGridCellRange(2, 2, 3, 3)},
        {"onto a read-only cell", 4, 3, 0, true, true, kDropEffectNone,
         "11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", CGridCellRange(1, 1, 2, 2)},
        {"onto a header", 0, 3, 0, true, false, kDropEffectNone,
         "11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", CGridCellRange(1, 1, 2, 2)},
        {"cancelled", 4, 3, 0, false, false, kDropEffectNone,
         "11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", CGridCellRange(1, 1, 2, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragGrid g;
        g.Build(10, 6, 1, 1);
        g.Fill();
        Headless::SetClipboardEntries({{CF_TEXT, std::vector<BYTE>{'u', 0}}});
        if (c.readOnlyTarget)
            g.grid.SetCellReadOnly(c.row, c.col, TRUE);
        g.grid.SetSelectedRange(1, 1, 2, 2);
        const HWND hwnd = g.grid.GetSafeHwnd();
        Headless::ScriptDrag({{hwnd, g.At(3, 4), c.keys}, {hwnd, g.At(c.row, c.col), c.keys}}, c.drop);
        g.grid.OnBeginDrag();
        EXPECT_EQ(1, Headless::DragCount());
        EXPECT_EQ(c.effect, Headless::LastDragEffect());
        EXPECT_EQ(c.sheet, g.Sheet());
        EXPECT_EQ(c.selection, g.grid.GetSelectedRange());
        // The drag offered the private stream only, and the user's clipboard
        // stays as it was.
        const DragFormats offered = Headless::LastDragFormats();
        ASSERT_EQ(1u, offered.size());
        EXPECT_EQ(g.grid.GetClipboardFormatNumber(), offered[0].first);
        EXPECT_EQ("u", Headless::ClipboardText());
        ASSERT_EQ(1u, Headless::ClipboardEntries().size());
        // The drop frame and the drop-target mark are gone.
        EXPECT_FALSE(g.grid.GetDropRange().IsValid());
        EXPECT_FALSE(g.grid.IsValid(g.grid.GetDropTargetCell().row, g.grid.GetDropTargetCell().col));
        EXPECT_EQ(GMM_NOTHING, g.grid.GetMouseMode());
    }
}

// While the pointer moves the drop frame follows it, and the grid's parent
// hears of every position (message 1026).
TEST_F(DragDrop, TheDropFrameFollowsThePointer)
{
    DragGrid g;
    g.Build(10, 6, 1, 1);
    g.Fill();
    g.grid.SetSelectedRange(1, 1, 2, 2);
    CDropTargetHandler* target = Headless::DropTargetOf(g.grid.GetSafeHwnd());
    ASSERT_NE(nullptr, target);
    std::vector<BYTE> stream;
    g.grid.WriteClipRecords(1, 1, 2, 2, stream);
    CMemoryDropData data({{g.grid.GetClipboardFormatNumber(), stream}});
    const POINT p = g.At(4, 2);
    EXPECT_EQ(kDropEffectMove, target->OnDragEnter(&data, 0, CPoint(p.x, p.y)));
    EXPECT_EQ(CGridCellRange(4, 2, 4, 2), g.grid.GetDropRange()) << "data of no drag of ours lands by its first cell";
    EXPECT_TRUE((g.grid.GetCell(4, 2)->GetState() & GCS_DROPTARGET) != 0);
    const POINT q = g.At(5, 3);
    EXPECT_EQ(kDropEffectCopy, target->OnDragOver(&data, MK_CONTROL, CPoint(q.x, q.y)));
    EXPECT_EQ(CGridCellRange(5, 3, 5, 3), g.grid.GetDropRange());
    EXPECT_TRUE((g.grid.GetCell(4, 2)->GetState() & GCS_DROPTARGET) == 0);
    EXPECT_EQ(1, g.parent.Count(WM_GRID_DRAGOVER)) << "each position over the grid is told to the parent";
    target->OnDragLeave();
    EXPECT_FALSE(g.grid.GetDropRange().IsValid());
    EXPECT_TRUE((g.grid.GetCell(5, 3)->GetState() & GCS_DROPTARGET) == 0);
    // Data without the private stream is refused.
    CMemoryDropData text({{static_cast<UINT>(CF_TEXT), std::vector<BYTE>{'x', 0}}});
    EXPECT_EQ(kDropEffectNone, target->OnDragEnter(&text, 0, CPoint(p.x, p.y)));
    EXPECT_FALSE(target->OnDrop(&text, kDropEffectMove, CPoint(p.x, p.y)));
    EXPECT_EQ("", g.Text(4, 2));
    // Dragging off: nothing is taken.
    g.grid.SetAllowDragAndDrop(FALSE);
    EXPECT_EQ(kDropEffectNone, target->OnDragEnter(&data, 0, CPoint(p.x, p.y)));
    EXPECT_FALSE(target->OnDrop(&data, kDropEffectMove, CPoint(p.x, p.y)));
    EXPECT_EQ("", g.Text(4, 2));
    g.grid.SetAllowDragAndDrop(TRUE);
    // Another program's data pastes with its first cell under the pointer.
    EXPECT_TRUE(target->OnDrop(&data, kDropEffectCopy, CPoint(p.x, p.y)));
    EXPECT_EQ("11", g.Text(4, 2));
    EXPECT_EQ("22", g.Text(5, 3));
    EXPECT_EQ(CGridCellRange(4, 2, 5, 3), g.grid.GetSelectedRange());
}

// The real press: on the selection's border at cell (2, 2), then a move with
// the button down starts the drag, which lands so that the cell it was taken
// by is under the pointer.
TEST_F(DragDrop, ADragTakenByAnInnerCellKeepsItsOffset)
{
    DragGrid g;
    g.Build(10, 6, 1, 1);
    g.Fill();
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.grid.SetFocusCell(1, 1);
    // The selection covers client (40,25)-(139,64); (120, 63) is on its
    // bottom border inside cell (2, 2).
    const LPARAM border = MAKELPARAM(120, 63);
    g.grid.SendMessage(WM_MOUSEMOVE, 0, border);
    ASSERT_EQ(GMM_PREPARE_DRAG, g.grid.GetMouseMode());
    g.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, border);
    EXPECT_EQ(CGridCellPos(2, 2), g.grid.GetDragStartCell());
    EXPECT_EQ(CGridCellRange(1, 1, 2, 2), g.grid.GetSelectedRange()) << "the press keeps the selection";
    const HWND hwnd = g.grid.GetSafeHwnd();
    Headless::ScriptDrag({{hwnd, g.At(5, 3), 0}});
    g.grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(125, 70));
    EXPECT_EQ(kDropEffectMove, Headless::LastDragEffect());
    EXPECT_EQ(". . . .|. . . .|. . . .|. 11 12 .|. 21 22 .|. . . .", g.Sheet());
    bool began = false;
    for (const gridwindowtest::ParentNotify& n : g.parent.notifies)
        began = began || (n.code == GVN_BEGINDRAG && n.row == 1 && n.col == 1);
    EXPECT_TRUE(began) << "notification -109 with the dragged range's first cell";
}

// With dragging off the border press is an ordinary click and no drag starts.
TEST_F(DragDrop, DraggingOffMakesTheBorderPressAClick)
{
    DragGrid g;
    g.Build(10, 6, 1, 1);
    g.Fill();
    g.grid.SetAllowDragAndDrop(FALSE);
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.grid.OnBeginDrag();
    EXPECT_EQ(0, Headless::DragCount());
    const LPARAM border = MAKELPARAM(120, 63);
    g.grid.SendMessage(WM_MOUSEMOVE, 0, border);
    EXPECT_NE(GMM_PREPARE_DRAG, g.grid.GetMouseMode());
    g.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, border);
    g.grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(125, 70));
    g.grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(125, 70));
    EXPECT_EQ(0, Headless::DragCount());
    EXPECT_EQ("11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", g.Sheet());
}

// A drag from one grid into another: a move clears the source only when the
// other grid took the data.
TEST_F(DragDrop, IntoAnotherGridAMoveClearsTheSourceOnlyAfterThePaste)
{
    for (bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "refused" : "taken");
        DragGrid a;
        a.Build(10, 6, 1, 1);
        DragGrid b;
        b.parent.CreateTopLevel(404, 304);
        gridwindowtest::LayOut(b.grid, 10, 6, 1, 1);
        ASSERT_TRUE(b.grid.Create(CRect(0, 0, 404, 304), &b.parent, 77, WS_CHILD | WS_VISIBLE));
        a.Fill();
        if (refused)
            b.grid.SetCellReadOnly(3, 2, TRUE);
        a.grid.SetSelectedRange(1, 1, 2, 2);
        Headless::ScriptDrag({{a.grid.GetSafeHwnd(), a.At(3, 3), 0}, {b.grid.GetSafeHwnd(), b.At(3, 2), 0}});
        a.grid.OnBeginDrag();
        if (refused) {
            EXPECT_EQ(kDropEffectNone, Headless::LastDragEffect());
            EXPECT_EQ("11 12 . .|21 22 . .|. . . .|. . . .|. . . .|. . . .", a.Sheet());
            EXPECT_EQ(". . . .|. . . .|. . . .|. . . .|. . . .|. . . .", b.Sheet());
        } else {
            EXPECT_EQ(kDropEffectMove, Headless::LastDragEffect());
            EXPECT_EQ(". . . .|. . . .|. . . .|. . . .|. . . .|. . . .", a.Sheet());
            EXPECT_EQ(". . . .|. . . .|. 11 12 .|. 21 22 .|. . . .|. . . .", b.Sheet());
            EXPECT_EQ(CGridCellRange(3, 2, 4, 3), b.grid.GetSelectedRange());
        }
    }
}

}  // namespace
