// An open edit meets a change of the grid's rows and columns: the change
// commits the edit first, into the cell that was being edited, and no cell
// keeps a pointer to the closed editor. The grid's destructor commits too.
#include "input_test_util.h"

#include "grid/GridTestUtil.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using gridinputtest::InputGrid;

namespace {

class EditStructure : public gridinputtest::EditorTest {};

// No cell of the grid is editing or holds an editor.
void ExpectNoEditorLeft(CGridCtrl& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            CGridCellBase* cell = grid.GetCell(row, col);
            ASSERT_NE(cell, nullptr);
            EXPECT_FALSE(cell->IsEditing()) << row << "," << col;
            EXPECT_EQ(cell->GetEditWnd(), nullptr) << row << "," << col;
        }
}

// Opens the editor on the focus cell (3, 2) by typing "ab".
void TypeIntoFocusCell(InputGrid& g)
{
    g.Grid().SetFocusCell(3, 2);
    g.Char('a');
    PlatformPumpMessages();
    CWnd* editor = g.Grid().GetCell(3, 2)->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    editor->SendMessage(WM_CHAR, 'b', 1);
}

}  // namespace

TEST_F(EditStructure, EveryStructuralChangeCommitsTheEditIntoItsOwnCell)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> change;
        int row;    // where the edited cell is afterwards; -1: it is gone
        int col;
    } cases[] = {
        {"row inserted above", [](CGridCtrl& g) { g.InsertRow("", 2); }, 4, 2},
        {"row inserted below", [](CGridCtrl& g) { g.InsertRow("", 5); }, 3, 2},
        {"row deleted above", [](CGridCtrl& g) { g.DeleteRow(1); }, 2, 2},
        {"its own row deleted", [](CGridCtrl& g) { g.DeleteRow(3); }, -1, -1},
        {"rows deleted above", [](CGridCtrl& g) { g.DeleteRows(1, 2); }, 1, 2},
        {"column inserted left", [](CGridCtrl& g) { g.InsertColumn("", 0, 1); }, 3, 3},
        {"column deleted left", [](CGridCtrl& g) { g.DeleteColumn(1); }, 3, 1},
        {"its own column deleted", [](CGridCtrl& g) { g.DeleteColumn(2); }, -1, -1},
        {"row count lowered past it", [](CGridCtrl& g) { g.SetRowCount(3); }, -1, -1},
        {"row count raised", [](CGridCtrl& g) { g.SetRowCount(20); }, 3, 2},
        {"column count lowered", [](CGridCtrl& g) { g.SetColumnCount(4); }, 3, 2},
        {"fixed rows raised", [](CGridCtrl& g) { g.SetFixedRowCount(2); }, 3, 2},
        {"fixed columns lowered", [](CGridCtrl& g) { g.SetFixedColumnCount(0); }, 3, 1},
        // Descending by text: the only non-empty cell of column 2 comes first.
        {"sorted by its column", [](CGridCtrl& g) { g.SortColumn(2, FALSE); }, 1, 2},
        {"everything deleted", [](CGridCtrl& g) { g.DeleteAllCells(); }, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        TypeIntoFocusCell(g);
        g.host.Clear();

        c.change(grid);
        // A focus change would end an editor still open, reporting to (3, 2).
        grid.SetFocus();
        PlatformPumpMessages();

        EXPECT_EQ(g.host.CountNotifies(GVN_ENDLABELEDIT), 1);
        ASSERT_EQ(g.host.Count(WM_GRID_CELLENDEDIT), 1);
        for (const gridinputtest::Message& m : g.host.messages) {
            if (m.message == WM_GRID_CELLENDEDIT)
                EXPECT_EQ(m.wParam, static_cast<WPARAM>(MAKELONG(3, 2)));   // committed before the change
        }
        if (c.row >= 0)
            EXPECT_EQ(gridtest::Text(grid, c.row, c.col), "ab");
        int holding = 0;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < grid.GetColumnCount(); ++col)
                holding += gridtest::Text(grid, row, col) == "ab" ? 1 : 0;
        EXPECT_EQ(holding, c.row >= 0 ? 1 : 0);
        ExpectNoEditorLeft(grid);

        // The next key edits the focus cell afresh (it once reached a
        // deleted editor through the moved cell).
        if (grid.GetRowCount() > 1 && grid.GetColumnCount() > 1) {
            grid.SetFocusCell(grid.GetRowCount() - 1, grid.GetColumnCount() - 1);
            CGridCellPos focus = grid.GetFocusCell();
            g.Char('z');
            PlatformPumpMessages();
            grid.EndEditing();
            PlatformPumpMessages();
            EXPECT_EQ(gridtest::Text(grid, focus.row, focus.col), "z");
            ExpectNoEditorLeft(grid);
        }
    }
}

TEST_F(EditStructure, AnEditOpenedFromCodeAwayFromTheFocusIsCommittedToo)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.SetFocusCell(2, 2);
    grid.GetCell(5, 4)->SetText("cell");
    ASSERT_TRUE(grid.EditCell(5, 4));
    CWnd* editor = grid.GetCell(5, 4)->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    editor->SendMessage(WM_CHAR, '!', 1);

    grid.InsertRow("", 1);
    grid.SetFocus();
    PlatformPumpMessages();
    EXPECT_EQ(gridtest::Text(grid, 6, 4), "cell!");
    EXPECT_EQ(gridtest::Text(grid, 5, 4), "");
    ExpectNoEditorLeft(grid);
}

// A host that changes the rows while it judges a commit (the end-edit
// notification): the commit stops, and the edited cell lets go of its editor.
class RestructuringHost : public gridinputtest::HostWindow {
public:
    CGridCtrl* grid = nullptr;
    std::function<void(CGridCtrl&, int row)> onEndEdit;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && grid != nullptr && onEndEdit) {
            const GridNotifyRecord* rec = reinterpret_cast<const GridNotifyRecord*>(lParam);
            if (static_cast<int>(rec->hdr.code) == GVN_ENDLABELEDIT) {
                auto action = onEndEdit;
                onEndEdit = nullptr;
                action(*grid, rec->iRow);
            }
        }
        return HostWindow::WindowProc(message, wParam, lParam);
    }
};

TEST_F(EditStructure, AHostThatChangesTheRowsWhileJudgingTheCommit)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&, int)> change;
        int row;    // where the edited cell is afterwards; -1: gone
    } cases[] = {
        {"deletes the edited row", [](CGridCtrl& g, int row) { g.DeleteRow(row); }, -1},
        {"inserts a row above it", [](CGridCtrl& g, int) { g.InsertRow("", 1); }, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        RestructuringHost host;
        host.CreateTopLevel(440, 340);
        CGridCtrl grid(10, 6, 1, 1);
        grid.Create(CRect(0, 0, 404, 304), &host, 77, WS_CHILD | WS_VISIBLE);
        host.grid = &grid;
        host.onEndEdit = c.change;
        grid.SetFocusCell(3, 2);
        grid.SendMessage(WM_CHAR, 'q', 1);
        PlatformPumpMessages();
        ASSERT_TRUE(grid.IsCellEditing(3, 2));

        grid.SetFocus();                  // the editor's focus loss ends the edit
        PlatformPumpMessages();
        EXPECT_EQ(grid.GetRowCount(), c.row < 0 ? 9 : 11);
        if (c.row >= 0)
            EXPECT_EQ(gridtest::Text(grid, c.row, 2), "q");   // set before it was judged
        ExpectNoEditorLeft(grid);
        grid.SendMessage(WM_CHAR, 'r', 1);
        PlatformPumpMessages();
        grid.EndEditing();
        PlatformPumpMessages();
        ExpectNoEditorLeft(grid);
        host.grid = nullptr;
        grid.DestroyWindow();
    }
}

TEST_F(EditStructure, TheDestructorCommitsAnOpenEdit)
{
    InputGrid g;
    g.Build(10, 6);
    TypeIntoFocusCell(g);
    g.host.Clear();
    g.pGrid.reset();
    PlatformPumpMessages();
    ASSERT_EQ(g.host.CountNotifies(GVN_ENDLABELEDIT), 1);
    EXPECT_EQ(g.host.notifies[0].row, 3);
    EXPECT_EQ(g.host.notifies[0].col, 2);
    EXPECT_EQ(g.host.Count(WM_GRID_CELLENDEDIT), 1);
}

TEST_F(EditStructure, AGridOutlivingItsParentWindowSendsItNothing)
{
    InputGrid g;
    g.Build(10, 6);
    TypeIntoFocusCell(g);
    // The parent's window goes first and takes the grid's window with it;
    // the editor's focus loss on the way commits the edit.
    g.host.DestroyWindow();
    PlatformPumpMessages();
    size_t notifies = g.host.notifies.size();
    size_t messages = g.host.messages.size();
    EXPECT_FALSE(g.Grid().IsCellEditing(3, 2));
    EXPECT_EQ(g.Grid().GetCell(3, 2)->GetEditWnd(), nullptr);
    g.pGrid.reset();
    PlatformPumpMessages();
    EXPECT_EQ(g.host.notifies.size(), notifies);
    EXPECT_EQ(g.host.messages.size(), messages);
}
