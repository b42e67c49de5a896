// Keys and characters typed while a cell is edited or about to be: Tab ends
// the edit and moves whichever way it reaches the editor, and a two-byte
// character that starts an edit reaches the editor whole.
#include "input_test_util.h"

#include "grid/GridTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using gridinputtest::InputGrid;

namespace {

class TypedKeys : public gridinputtest::EditorTest {};

std::string EditorText(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    CWnd* editor = cell != nullptr ? cell->GetEditWnd() : nullptr;
    if (editor == nullptr)
        return "(no editor)";
    CString text;
    editor->GetWindowText(text);
    return text.Str();
}

}  // namespace

// "x", Tab, "y": x stays in its cell, y goes to the next one, whether the
// editor gets Tab as a key press (a container's key translation hands it
// over and makes no character of it) or as a character.
TEST_F(TypedKeys, TabEndsTheEditAndMovesRight)
{
    const struct {
        const char* name;
        UINT message;
    } cases[] = {{"key press", WM_KEYDOWN}, {"character", WM_CHAR}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        grid.SetFocusCell(2, 2);
        g.Char('x');
        PlatformPumpMessages();
        CWnd* editor = grid.GetCell(2, 2)->GetEditWnd();
        ASSERT_NE(nullptr, editor);
        editor->SendMessage(c.message, VK_TAB, 1);
        PlatformPumpMessages();
        EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());
        EXPECT_EQ("x", gridtest::Text(grid, 2, 2));
        EXPECT_EQ(CGridCellPos(2, 3), g.Focus());

        g.Char('y');
        PlatformPumpMessages();
        ASSERT_NE(nullptr, grid.GetCell(2, 3)->GetEditWnd());
        grid.GetCell(2, 3)->GetEditWnd()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        PlatformPumpMessages();
        EXPECT_EQ("x", gridtest::Text(grid, 2, 2));
        EXPECT_EQ("y", gridtest::Text(grid, 2, 3));
    }
}

// "销售" (code page 936 bytes CF FA, CA DB) typed on a cell that is not being
// edited: the first character opens the editor and arrives whole, sent as
// an IME character or as its lead and trail bytes.
TEST_F(TypedKeys, FirstDoubleByteCharacterStartsTheEditWhole)
{
    const struct {
        const char* name;
        bool ime;
    } cases[] = {{"lead and trail bytes", false}, {"IME characters", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        grid.SetFocusCell(2, 2);
        for (const unsigned ch : {0xCFFAu, 0xCADBu}) {
            if (c.ime) {
                grid.SendMessage(WM_IME_CHAR, ch, 1);
            } else {
                grid.SendMessage(WM_CHAR, ch >> 8, 1);
                grid.SendMessage(WM_CHAR, ch & 0xFF, 1);
            }
            PlatformPumpMessages();
        }
        EXPECT_EQ("\xCF\xFA\xCA\xDB", EditorText(grid, 2, 2));
    }
}

// A lone lead byte followed by a plain character is dropped; the plain
// character starts the edit as itself.
TEST_F(TypedKeys, LoneLeadByteIsDropped)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    grid.SetFocusCell(2, 2);
    g.Char(0xCF);
    g.Char(0x1B);   // Esc: not a trail byte, starts nothing
    g.Char('a');
    PlatformPumpMessages();
    EXPECT_EQ("a", EditorText(grid, 2, 2));
}
