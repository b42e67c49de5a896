// The editing lifecycle: starting an edit with the host's consent, typing
// into the in-place editor, and committing (or refusing) the result.
#include "input_test_util.h"

#include "grid/GridTestUtil.h"

#include "cells/InPlaceEditHooks.h"

#include <gtest/gtest.h>

#include <string>

using gridinputtest::InputGrid;

namespace {

class Editing : public gridinputtest::EditorTest {};

}  // namespace

TEST_F(Editing, TypingOpensTheEditorAndEnterCommitsAndMovesDown)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.GetCell(2, 2)->SetText("old");
    grid.SetFocusCell(2, 2);
    g.Char('h');
    PlatformPumpMessages();
    CGridCellBase* cell = grid.GetCell(2, 2);
    ASSERT_TRUE(cell->IsEditing());
    CWnd* editor = cell->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(g.host.startEdits.size(), 1u);
    editor->SendMessage(WM_CHAR, 'i', 1);
    CString shown;
    editor->GetWindowText(shown);
    EXPECT_STREQ(shown, "hi");

    g.host.Clear();
    editor->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    PlatformPumpMessages();
    EXPECT_EQ(gridtest::Text(grid, 2, 2), "hi");
    EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(grid.GetCell(2, 2)->GetEditWnd(), nullptr);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(g.Focus(), CGridCellPos(3, 2));
    ASSERT_EQ(g.host.Count(WM_GRID_CELLENDEDIT), 1);
    for (const gridinputtest::Message& m : g.host.messages) {
        if (m.message == WM_GRID_CELLENDEDIT) {
            EXPECT_EQ(m.wParam, static_cast<WPARAM>(MAKELONG(2, 2)));
            EXPECT_EQ(m.lParam, static_cast<LPARAM>(GCT_EDIT));
        }
    }
    EXPECT_EQ(g.host.CountNotifies(GVN_ENDLABELEDIT), 1);
}

TEST_F(Editing, EscapeKeepsTheOldTextAndTheFocus)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.GetCell(2, 2)->SetText("old");
    grid.SetFocusCell(2, 2);
    g.Key(VK_F2);
    CWnd* editor = grid.GetCell(2, 2)->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    editor->SendMessage(WM_CHAR, 'x', 1);
    editor->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    PlatformPumpMessages();
    EXPECT_EQ(gridtest::Text(grid, 2, 2), "old");
    EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(g.Focus(), CGridCellPos(2, 2));
}

TEST_F(Editing, TheStartOfAnEditMayBeRefused)
{
    struct Case {
        const char* name;
        bool hostAllows;
        LRESULT beginAnswer;
        size_t expectedAsks;
        bool expectEditor;
    } cases[] = {
        {"allowed", true, 0, 1, true},
        {"host refuses through 1035", false, 0, 1, false},
        {"owner refuses the begin notification", true, -1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        g.host.allowEdit = c.hostAllows;
        g.host.notifyAnswers[GVN_BEGINLABELEDIT] = c.beginAnswer;
        g.Grid().SetFocusCell(3, 4);
        g.Char('z');
        PlatformPumpMessages();
        EXPECT_EQ(g.host.startEdits.size(), c.expectedAsks);
        CGridCellBase* cell = g.Grid().GetCell(3, 4);
        EXPECT_EQ(cell->IsEditing() != FALSE, c.expectEditor);
        EXPECT_EQ(cell->GetEditWnd() != nullptr, c.expectEditor);
        if (c.expectEditor)
            g.Grid().EndEditing();
        EXPECT_EQ(gridtest::Text(g.Grid(), 3, 4), c.expectEditor ? "z" : "");
    }
}

TEST_F(Editing, EditCellFromCodeAsksOnlyTheHostEvenForAReadOnlyCell)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.GetCell(4, 4)->SetReadOnly(TRUE);
    g.host.allowEdit = FALSE;
    EXPECT_TRUE(grid.EditCell(4, 4));
    ASSERT_EQ(g.host.startEdits.size(), 1u);
    EXPECT_TRUE(g.host.notifies.empty());   // no begin-edit notification
    EXPECT_FALSE(grid.IsCellEditing(4, 4));
    EXPECT_FALSE(grid.EditCell(40, 4));     // no cell
}

TEST_F(Editing, CommitSetsThenJudgesAndARefusalRestoresTheOldContent)
{
    struct Case {
        const char* name;
        bool number;            // the cell starts as the number 5, else as the text "old"
        const char* typed;
        LRESULT ownerAnswer;    // answer to the end-edit notification
        bool expectNumber;
        double expectValue;
        const char* expectText;
        bool expectJudged;      // the owner was asked
    } cases[] = {
        {"text accepted", false, "new", 0, false, 0, "new", true},
        {"text refused", false, "new", -1, false, 0, "old", true},
        {"same text", false, "old", 0, false, 0, "old", false},
        {"number accepted", true, "7.5", 0, true, 7.5, "", true},
        {"number refused keeps the number", true, "7.5", -1, true, 5, "", true},
        {"same number", true, "5", 0, true, 5, "", false},
        {"digits and letters become text", true, "12abc", 0, false, 0, "12abc", true},
        {"text on a number refused keeps the number", true, "12abc", -1, true, 5, "", true},
        {"empty on a number reads as zero", true, "", 0, true, 0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        CGridCellBase* cell = grid.GetCell(2, 3);
        if (c.number)
            cell->SetValue(5);
        else
            cell->SetText("old");
        cell->SetState(cell->GetState() & ~static_cast<UINT>(GCS_MODIFIED));
        grid.SetModified(FALSE);
        g.host.notifyAnswers[GVN_ENDLABELEDIT] = c.ownerAnswer;
        grid.OnEndEditCell(2, 3, c.typed, "", 0, 0);
        PlatformPumpMessages();
        cell = grid.GetCell(2, 3);
        EXPECT_EQ(cell->GetDataType() != 0, c.expectNumber);
        if (c.expectNumber) {
            EXPECT_EQ(cell->GetValue(), c.expectValue);
        } else {
            EXPECT_EQ(gridtest::Text(grid, 2, 3), c.expectText);
        }
        EXPECT_EQ(g.host.notifies.size(), c.expectJudged ? 1u : 0u);
        bool changed = c.expectJudged && c.ownerAnswer >= 0;
        EXPECT_EQ(grid.GetModified() != FALSE, changed);
        EXPECT_EQ((cell->GetState() & GCS_MODIFIED) != 0, changed);
        EXPECT_EQ(g.host.Count(WM_GRID_CELLENDEDIT), 1);   // every commit is reported
    }
}

TEST_F(Editing, RichTextLockSurvivesTheCellGoingAway)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    EXPECT_FALSE(grid.UnlockSuperEditContent());
    grid.LockSuperEditContent(3, 3);
    grid.DeleteRow(3);                 // the locked cell is gone
    EXPECT_TRUE(grid.UnlockSuperEditContent());
    EXPECT_FALSE(grid.UnlockSuperEditContent());
    EXPECT_EQ(grid.GetCellRichText(99, 99), CString(""));
}

TEST_F(Editing, TheInstalledTitleTipShowsTheCellsTip)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.GetCell(2, 2)->SetTipText("whole text");
    grid.GetCell(2, 2)->SetDisplayTip(TRUE);
    grid.SetFocus();
    g.Mouse(WM_MOUSEMOVE, 100, 50);
    CWnd* tip = grid.GetInputState().pTitleTip.get();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->IsWindowVisible());
    grid.SetFocusCell(2, 2);
    g.Char('q');                      // editing hides the tip
    EXPECT_FALSE(tip->IsWindowVisible());
    grid.EndEditing();
}
