// The editing model of the host build's edit window: typing, deleting and
// moving over code-page 936 text, selections, lines.
#include "cells/EditBuffer.h"

#include "base/WinConstants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step of a script: a character, an IME character or a key.
struct Step {
    enum Kind { Char, Ime, Key, ShiftKey, CtrlKey, Sel } kind;
    UINT value;
    int selEnd;
};

struct ScriptCase {
    const char* name;
    const char* initial;
    bool multiLine;
    std::vector<Step> steps;
    const char* text;
    int selStart;
    int selEnd;
};

void RunScript(CEditBuffer& buffer, const ScriptCase& c)
{
    buffer.SetText(c.initial);
    for (const Step& s : c.steps) {
        switch (s.kind) {
        case Step::Char:
            buffer.Char(s.value, c.multiLine);
            break;
        case Step::Ime:
            buffer.ImeChar(s.value);
            break;
        case Step::Key:
            buffer.KeyDown(s.value, false, false);
            break;
        case Step::ShiftKey:
            buffer.KeyDown(s.value, true, false);
            break;
        case Step::CtrlKey:
            buffer.KeyDown(s.value, false, true);
            break;
        case Step::Sel:
            buffer.SetSel(static_cast<int>(s.value), s.selEnd);
            break;
        }
    }
}

Step C(UINT ch) { return {Step::Char, ch, 0}; }
Step I(UINT ch) { return {Step::Ime, ch, 0}; }
Step K(UINT vk) { return {Step::Key, vk, 0}; }
Step SK(UINT vk) { return {Step::ShiftKey, vk, 0}; }
Step CK(UINT vk) { return {Step::CtrlKey, vk, 0}; }
Step S(int start, int end) { return {Step::Sel, static_cast<UINT>(start), end}; }

// "中" and "文" in code page 936.
const char kZhong[] = "\xD6\xD0";
const char kWen[] = "\xCE\xC4";

}  // namespace

TEST(EditBufferTest, ScriptsLeaveTextAndSelection)
{
    const std::string zhongwen = std::string(kZhong) + kWen;
    const std::string azhong = std::string("a") + kZhong;
    const std::vector<ScriptCase> cases = {
        {"typing appends at the caret", "", false, {C('a'), C('b'), C('c')}, "abc", 3, 3},
        {"a typed character replaces the selection", "hello", false, {S(0, -1), C('x')}, "x", 1, 1},
        {"backspace removes the character before the caret", "abc", false, {S(3, 3), C(VK_BACK)}, "ab", 2, 2},
        {"backspace at the start does nothing", "abc", false, {C(VK_BACK)}, "abc", 0, 0},
        {"backspace removes a two-byte character whole", zhongwen.c_str(), false, {S(4, 4), C(VK_BACK)}, kZhong, 2, 2},
        {"backspace removes a selection", "abcdef", false, {S(1, 4), C(VK_BACK)}, "aef", 1, 1},
        {"a lead byte waits for its trail byte", "", false, {C(0xD6), C(0xD0)}, kZhong, 2, 2},
        {"an IME character is inserted whole", "a", false, {S(1, 1), I(0xD6D0)}, azhong.c_str(), 3, 3},
        {"Left steps over a two-byte character", azhong.c_str(), false, {S(3, 3), K(VK_LEFT)}, azhong.c_str(), 1, 1},
        {"Right steps over a two-byte character", azhong.c_str(), false, {S(1, 1), K(VK_RIGHT)}, azhong.c_str(), 3, 3},
        {"Right collapses a selection to its end", "abcdef", false, {S(1, 3), K(VK_RIGHT)}, "abcdef", 3, 3},
        {"Shift+Right extends from the anchor", "abcdef", false, {S(2, 2), SK(VK_RIGHT), SK(VK_RIGHT)}, "abcdef", 2, 4},
        {"Shift+Left selects backwards", "abcdef", false, {S(2, 2), SK(VK_LEFT)}, "abcdef", 1, 2},
        {"Delete removes the character after the caret", "abcdef", false, {S(2, 2), K(VK_DELETE)}, "abdef", 2, 2},
        {"Delete removes a line break whole", "ab\r\ncd", true, {S(2, 2), K(VK_DELETE)}, "abcd", 2, 2},
        {"Enter breaks a line in a multi-line field", "abcd", true, {S(2, 2), C('\r')}, "ab\r\ncd", 4, 4},
        {"Enter is ignored in a single-line field", "abcd", false, {S(2, 2), C('\r')}, "abcd", 2, 2},
        {"backspace after a line break joins the lines", "ab\r\ncd", true, {S(4, 4), C(VK_BACK)}, "abcd", 2, 2},
        {"Home goes to the start of the line", "ab\r\ncdef", true, {S(6, 6), K(VK_HOME)}, "ab\r\ncdef", 4, 4},
        {"End goes to the end of the line", "ab\r\ncdef", true, {S(0, 0), K(VK_END)}, "ab\r\ncdef", 2, 2},
        {"Ctrl+End goes to the end of the text", "ab\r\ncdef", true, {S(0, 0), CK(VK_END)}, "ab\r\ncdef", 8, 8},
        {"Up keeps the column", "abc\r\nde", true, {S(7, 7), K(VK_UP)}, "abc\r\nde", 2, 2},
        {"Down stops at a shorter line's end", "abcd\r\nx", true, {S(3, 3), K(VK_DOWN)}, "abcd\r\nx", 7, 7},
        {"a selection end past the text means its end", "abc", false, {S(1, 99)}, "abc", 1, 3},
        {"a start of -1 removes the selection", "abcdef", false, {S(1, 4), S(-1, 0)}, "abcdef", 4, 4},
        {"a position inside a two-byte character moves to its start", zhongwen.c_str(), false, {S(1, 3)},
         zhongwen.c_str(), 0, 2},
        {"other control characters are ignored", "ab", false, {S(2, 2), C(1), C(27)}, "ab", 2, 2},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditBuffer buffer;
        RunScript(buffer, c);
        EXPECT_EQ(std::string(c.text), std::string(buffer.GetText().GetString()));
        int start = -1, end = -1;
        buffer.GetSel(start, end);
        EXPECT_EQ(c.selStart, start);
        EXPECT_EQ(c.selEnd, end);
    }
}

TEST(EditBufferTest, ReplaceSelAnswersWhetherTheTextChanged)
{
    CEditBuffer buffer;
    buffer.SetText("abc");
    buffer.SetSel(1, 1);
    EXPECT_FALSE(buffer.ReplaceSel(""));
    EXPECT_FALSE(buffer.ReplaceSel(nullptr));
    EXPECT_TRUE(buffer.ReplaceSel("XY"));
    EXPECT_STREQ("aXYbc", buffer.GetText().GetString());
    EXPECT_EQ(3, buffer.GetCaret());
    buffer.SetSel(0, -1);
    EXPECT_TRUE(buffer.ReplaceSel(nullptr));
    EXPECT_STREQ("", buffer.GetText().GetString());
}

TEST(EditBufferTest, ReadOnlyTextDoesNotChange)
{
    CEditBuffer buffer;
    buffer.SetText("abc");
    buffer.SetSel(3, 3);
    EXPECT_FALSE(buffer.Char('x', false, true));
    EXPECT_FALSE(buffer.Char(VK_BACK, false, true));
    EXPECT_FALSE(buffer.ImeChar(0xD6D0, true));
    buffer.KeyDown(VK_HOME, false, false, true);
    buffer.KeyDown(VK_DELETE, false, false, true);
    EXPECT_STREQ("abc", buffer.GetText().GetString());
    EXPECT_EQ(0, buffer.GetCaret());
}
