// What a commit stores and reports: a cell's input limits judged on the whole
// value, a refused change leaving the cell exactly as it was (modified mark
// included), and the type that message 1036 reports.
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <string>

using gridinputtest::InputGrid;

namespace {

class Commit : public gridinputtest::EditorTest {};

std::string TextOf(CGridCellBase* cell)
{
    LPCTSTR text = cell->GetText();
    return text != nullptr ? text : "";
}

bool Modified(CGridCellBase* cell)
{
    return (cell->GetState() & GCS_MODIFIED) != 0;
}

void ClearModified(CGridCtrl& grid, CGridCellBase* cell)
{
    cell->SetState(cell->GetState() & ~static_cast<UINT>(GCS_MODIFIED));
    grid.SetModified(FALSE);
}

// The lParam of the one message 1036 the host received.
LPARAM EndEditType(const gridinputtest::HostWindow& host)
{
    LPARAM type = -99;
    int count = 0;
    for (const gridinputtest::Message& m : host.messages) {
        if (m.message == WM_GRID_CELLENDEDIT) {
            type = m.lParam;
            ++count;
        }
    }
    EXPECT_EQ(count, 1);
    return type;
}

}  // namespace

TEST_F(Commit, TheWholeValueMustLieWithinTheCellsLimits)
{
    struct Case {
        const char* name;
        bool number;             // the cell starts as the number 50, else as the text "old"
        int inputType;           // 1 whole number, 2 decimal
        BOOL limit;
        double min, max;
        const char* typed;
        bool stored;             // false: refused, the cell is as it was
    } cases[] = {
        {"below the range", true, 2, TRUE, 10, 100, "5", false},
        {"inside the range", true, 2, TRUE, 10, 100, "75.5", true},
        {"the lower bound", true, 2, TRUE, 10, 100, "10", true},
        {"the upper bound", true, 2, TRUE, 10, 100, "100", true},
        {"above the range", true, 2, TRUE, 10, 100, "100.5", false},
        {"emptied number reads as 0", true, 2, TRUE, 10, 100, "", false},
        {"emptied number with 0 in range", true, 2, TRUE, 0, 100, "", true},
        {"text cell below the range", false, 2, TRUE, 10, 100, "5", false},
        {"text cell inside the range", false, 2, TRUE, 10, 100, "42", true},
        {"text cell not a number", false, 2, TRUE, 10, 100, "4x", false},
        {"text cell only a sign", false, 2, TRUE, -100, 100, "-", false},
        {"text cell emptied holds no value", false, 2, TRUE, 10, 100, "", true},
        {"whole number type refuses a fraction", true, 1, TRUE, 10, 100, "12.5", false},
        {"whole number type", true, 1, TRUE, 10, 100, "12", true},
        {"negative range", true, 2, TRUE, -100, -10, "-50", true},
        {"negative range, too close to 0", true, 2, TRUE, -100, -10, "-5", false},
        {"no limit", true, 2, FALSE, 10, 100, "5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        CGridCellBase* cell = grid.GetCell(2, 3);
        if (c.number)
            cell->SetValue(50);
        else
            cell->SetText("old");
        cell->SetInputType(c.inputType);
        cell->SetInputLimit(c.limit, c.min, c.max);
        ClearModified(grid, cell);

        grid.OnEndEditCell(2, 3, c.typed, "", 0, 0);
        PlatformPumpMessages();
        cell = grid.GetCell(2, 3);
        if (c.stored) {
            if (c.number && *c.typed != '\0' && std::string(c.typed).find_first_not_of("-.0123456789") == std::string::npos)
                EXPECT_EQ(cell->GetValue(), std::stod(c.typed));
            else if (!c.number)
                EXPECT_EQ(TextOf(cell), c.typed);
        } else if (c.number) {
            EXPECT_TRUE(cell->IsNumber());
            EXPECT_EQ(cell->GetValue(), 50.0);
        } else {
            EXPECT_EQ(TextOf(cell), "old");
        }
        EXPECT_EQ(Modified(cell), c.stored);
        EXPECT_EQ(grid.GetModified() != FALSE, c.stored);
        // A value outside the limits is refused before the owner is asked.
        EXPECT_EQ(g.host.notifies.size(), c.stored ? 1u : 0u);
        EndEditType(g.host);
    }
}

TEST_F(Commit, TypingBelowTheMinimumInTheEditorIsRefusedAtTheEnd)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    CGridCellBase* cell = grid.GetCell(2, 2);
    cell->SetValue(50);
    cell->SetInputType(2);
    cell->SetInputLimit(TRUE, 10, 100);
    ClearModified(grid, cell);
    grid.SetFocusCell(2, 2);
    g.Char('5');                 // on the way to 15 or 50: the editor takes it
    PlatformPumpMessages();
    CWnd* editor = grid.GetCell(2, 2)->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    CString shown;
    editor->GetWindowText(shown);
    EXPECT_STREQ(shown, "5");
    editor->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    PlatformPumpMessages();
    cell = grid.GetCell(2, 2);
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(cell->GetValue(), 50.0);
    EXPECT_FALSE(Modified(cell));
    EXPECT_FALSE(grid.GetModified());
}

TEST_F(Commit, ARefusedClearLeavesTheCellUnmodified)
{
    struct Case {
        const char* name;
        bool number;               // the cell holds 0, else the text "old"
        LRESULT ownerAnswer;       // to the end-edit notification
        bool cleared;
    } cases[] = {
        {"zero, refused", true, -1, false},
        {"text, refused", false, -1, false},
        {"zero, accepted", true, 0, true},
        {"text, accepted", false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        grid.SetDrawNumZero(TRUE);
        CGridCellBase* cell = grid.GetCell(3, 3);
        if (c.number)
            cell->SetValue(0);
        else
            cell->SetText("old");
        ClearModified(grid, cell);
        g.host.notifyAnswers[GVN_ENDLABELEDIT] = c.ownerAnswer;

        EXPECT_EQ(grid.ClearRangeContent(CGridCellRange(3, 3, 3, 3)), 1);
        cell = grid.GetCell(3, 3);
        EXPECT_EQ(Modified(cell), c.cleared);
        EXPECT_EQ(grid.GetModified() != FALSE, c.cleared);
        if (!c.cleared) {
            EXPECT_EQ(cell->IsNumber() != FALSE, c.number);
            // An unmodified 0 is not drawn, even with the draw-zero option.
            EXPECT_STREQ(cell->GetDisplayText(), c.number ? "" : "old");
        } else {
            EXPECT_STREQ(cell->GetDisplayText(), "");
        }
    }
}

TEST_F(Commit, MessageEndEditReportsTheCellsRealType)
{
    struct Case {
        const char* name;
        const char* typed;
        int type;
        const char* shown;
    } cases[] = {
        {"plain text", "abc", GCT_EDIT, "abc"},
        {"a formula", "=1+2", GCT_FORMULA, "3"},
        {"a formula that does not compile", "=1+", GCT_FORMULA, "#公式错误!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        grid.OnEndEditCell(2, 3, c.typed, "", 0, 0);
        PlatformPumpMessages();
        EXPECT_EQ(grid.GetCellType(2, 3), c.type);
        EXPECT_EQ(EndEditType(g.host), static_cast<LPARAM>(grid.GetCellType(2, 3)));
        EXPECT_EQ(TextOf(grid.GetCell(2, 3)), c.shown);
    }
}
