// A press near the selection's border. The pointer there shows the move
// cursor; a press on a cell outside the selection is an ordinary click, so
// the focus goes to the cell under the pointer, the one the host is told was
// clicked. (A press on the selection's own cell may start dragging it:
// drag_drop_test.cpp.)
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <vector>

using gridinputtest::InputGrid;

namespace {

class BorderClick : public gridinputtest::HookRestoringTest {};

// Columns: 1 [40,90) 2 [90,140) 3 [140,190); rows: 1 [25,45) 2 [45,65) 3 [65,85).
// The selection is cell (2, 2): client (90,45)-(139,64).
TEST_F(BorderClick, APressBesideTheSelectionMovesTheFocusToTheCellUnderThePointer)
{
    struct Case {
        const char* name;
        CPoint point;
        CGridCellPos cell;
        std::vector<int> codes;
    } cases[] = {
        {"first pixel of the cell to the right", {140, 55}, {2, 3}, {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK}},
        {"second pixel of the cell to the right", {141, 55}, {2, 3}, {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK}},
        {"last pixels of the cell to the left", {88, 55}, {2, 1}, {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK}},
        {"first pixel of the cell below", {115, 65}, {3, 2}, {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK}},
        {"last pixel of the cell above", {115, 44}, {1, 2}, {GVN_SELCHANGING, GVN_SELCHANGED, GVN_CLICK}},
        // As a click anywhere on the focus cell: the selection stays as it is.
        {"the focus cell's own edge", {90, 55}, {2, 2}, {GVN_SELCHANGED, GVN_CLICK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        g.Click(115, 55);
        ASSERT_EQ(g.Focus(), CGridCellPos(2, 2));
        g.host.Clear();

        g.Mouse(WM_MOUSEMOVE, c.point.x, c.point.y);
        // Hovering there still shows that the selection could be moved.
        EXPECT_EQ(g.Grid().GetMouseMode(), GMM_PREPARE_DRAG);
        EXPECT_EQ(Headless::CursorId(), static_cast<UINT_PTR>(IDC_SIZEALL));

        g.Mouse(WM_LBUTTONDOWN, c.point.x, c.point.y, MK_LBUTTON);
        g.Mouse(WM_LBUTTONUP, c.point.x, c.point.y);
        EXPECT_EQ(g.Focus(), c.cell);
        EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(c.cell.row, c.cell.col, c.cell.row, c.cell.col));
        EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
        // Every notification names the cell that now has the focus.
        EXPECT_EQ(g.host.Codes(), c.codes);
        for (const gridinputtest::Notify& n : g.host.notifies) {
            EXPECT_EQ(n.row, c.cell.row);
            EXPECT_EQ(n.col, c.cell.col);
        }
    }
}

TEST_F(BorderClick, DraggingFromTheBorderSelectsCellsAsFromAnyOtherPress)
{
    InputGrid g;
    g.Build(10, 6);
    g.Click(115, 55);                                   // (2, 2)
    g.Mouse(WM_MOUSEMOVE, 141, 55);                     // over the border, in (2, 3)
    g.Mouse(WM_LBUTTONDOWN, 141, 55, MK_LBUTTON);
    g.Mouse(WM_MOUSEMOVE, 200, 90, MK_LBUTTON);         // (4, 4)
    g.Mouse(WM_LBUTTONUP, 200, 90);
    EXPECT_EQ(g.Grid().GetSelectedRange(), CGridCellRange(2, 3, 4, 4));
    EXPECT_EQ(g.Grid().GetMouseMode(), GMM_NOTHING);
}

TEST_F(BorderClick, ADoubleClickOnTheFocusCellsEdgeStartsEditing)
{
    // After the first click the clicked cell is the selection, so the pointer
    // at its edge is over the selection's border when the second press comes.
    InputGrid g;
    g.Build(10, 6);
    g.Click(141, 55);                                   // (2, 3), its left edge
    ASSERT_EQ(g.Focus(), CGridCellPos(2, 3));
    g.Mouse(WM_MOUSEMOVE, 141, 55);
    ASSERT_EQ(g.Grid().GetMouseMode(), GMM_PREPARE_DRAG);
    g.host.Clear();
    g.Mouse(WM_LBUTTONDBLCLK, 141, 55, MK_LBUTTON);
    ASSERT_EQ(g.host.startEdits.size(), 1u);
    EXPECT_EQ(g.host.startEdits[0].row, 2);
    EXPECT_EQ(g.host.startEdits[0].col, 3);
    g.Grid().EndEditing();
}

}  // namespace
