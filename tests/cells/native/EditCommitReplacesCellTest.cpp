// A commit that replaces the edited cell (a plain cell edited into a formula,
// a formula cell edited into text) while the old cell's end of edit is still
// on the stack: ended from code, by a row change, or by the grid's own end.
// Under AddressSanitizer any touch of the old cell after the commit fails.
#include "cells/InPlaceEditHooks.h"
#include "cells/WidgetTestWindows.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using cellstest::RecordingControl;

namespace {

class EditCommitReplacesCell : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        saved = GetCellEditorHooks();
        InstallInPlaceEditHooks();
        ASSERT_TRUE(control.CreateTopLevel(CRect(0, 0, 500, 400)));
        ASSERT_TRUE(grid.CreateEx(0, "KivoSheet", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &control, 81222));
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(6);
        grid.SetColumnCount(4);
        grid.SetAutoSizeRowAfterEdit(FALSE);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        control.DestroyWindow();
        SetCellEditorHooks(saved);
        Headless::Reset();
    }
    // Opens the editor on (row, col) and types the keys into it.
    bool OpenAndType(int row, int col, const char* keys)
    {
        grid.SetFocusCell(row, col);
        grid.EditCell(row, col);
        PlatformPumpMessages();
        CGridCellBase* cell = grid.GetCell(row, col);
        CWnd* editor = cell != nullptr ? cell->GetEditWnd() : nullptr;
        if (editor == nullptr)
            return false;
        editor->SetWindowText(keys);
        return true;
    }

    CellEditorHooks saved;
    RecordingControl control;
    CGridCtrl grid;
};

TEST_F(EditCommitReplacesCell, EveryWayOfEndingTheEditLeavesTheNewCellWhole)
{
    struct Way {
        const char* name;
        std::function<void(CGridCtrl&)> end;
        int rowAfter;   // where the edited cell stands afterwards
    };
    const Way ways[] = {
        {"end from code", [](CGridCtrl& g) { g.EndEditing(); }, 2},
        {"row inserted above", [](CGridCtrl& g) { g.InsertRow("", 1); }, 3},
        {"rows inserted below", [](CGridCtrl& g) { g.InsertRows(4, 2, FALSE); }, 2},
        {"row deleted below", [](CGridCtrl& g) { g.DeleteRow(4); }, 2},
        {"rows deleted above", [](CGridCtrl& g) { g.DeleteRows(1, 1); }, 1},
    };
    struct Start {
        const char* before;   // "" for a plain cell
        const char* typed;
        bool formulaAfter;
        const char* textAfter;
    };
    const Start starts[] = {
        {"", "=1+2", true, "3"},
        {"=5", "abc", false, "abc"},
    };
    for (const Way& way : ways) {
        for (const Start& start : starts) {
            SCOPED_TRACE(std::string(way.name) + " typing " + start.typed);
            grid.SetRowCount(6);
            grid.SetCellType(2, 2, GCT_EDIT);
            grid.SetCellText(2, 2, "");
            if (*start.before != '\0')
                ASSERT_TRUE(grid.SetCellFormula(2, 2, start.before));
            ASSERT_TRUE(OpenAndType(2, 2, start.typed));
            way.end(grid);
            PlatformPumpMessages();
            CGridCellBase* cell = grid.GetCell(way.rowAfter, 2);
            ASSERT_NE(nullptr, cell);
            EXPECT_FALSE(cell->IsEditing());
            EXPECT_EQ(nullptr, cell->GetEditWnd());
            EXPECT_EQ(start.formulaAfter, cell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) != FALSE);
            EXPECT_EQ(std::string(start.textAfter), std::string(grid.GetCellText(way.rowAfter, 2)));
        }
    }
}

}  // namespace
