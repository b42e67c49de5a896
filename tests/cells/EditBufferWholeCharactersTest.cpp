// The editing buffer keeps its text in whole code-page 936 characters: a
// lead byte goes in only with a valid second byte, whatever way it arrives
// (two character messages, an IME character, a paste), and the caret never
// ends up inside a character.
#include "cells/EditBuffer.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct WholeCase {
    const char* name;
    const char* initial;
    int selStart, selEnd;
    std::function<void(CEditBuffer&)> edit;
    const char* text;
    int caret;
};

}  // namespace

TEST(EditBufferWholeCharacters, HalfCharactersNeverGoIn)
{
    const std::vector<WholeCase> cases = {
        {"a lead byte then Backspace: the lead byte goes, Backspace deletes", "ab", 2, 2,
         [](CEditBuffer& b) {
             b.Char(0x81, false);
             b.Char(VK_BACK, false);
         },
         "a", 1},
        {"a lead byte then a digit: the digit is typed alone", "ab", 2, 2,
         [](CEditBuffer& b) {
             b.Char(0xB1, false);
             b.Char('5', false);
         },
         "ab5", 3},
        {"a lead byte then a line break in a multi-line text", "ab", 2, 2,
         [](CEditBuffer& b) {
             b.Char(0xB1, true);
             b.Char('\r', true);
         },
         "ab\r\n", 4},
        {"a lead byte then a valid second byte makes the character", "ab", 1, 1,
         [](CEditBuffer& b) {
             b.Char(0xD6, false);
             b.Char(0xD0, false);
         },
         "a\xD6\xD0" "b", 3},
        {"an IME character of a lead byte alone is ignored, the selection kept", "abc", 0, 3,
         [](CEditBuffer& b) { b.ImeChar(0x00B1); }, "abc", 3},
        {"an IME character without a valid second byte is ignored", "abc", 1, 1,
         [](CEditBuffer& b) { b.ImeChar(0x8100); }, "abc", 1},
        {"an IME character whose first byte is no lead byte is ignored", "abc", 1, 1,
         [](CEditBuffer& b) { b.ImeChar(0x4142); }, "abc", 1},
        {"a paste ending in a lead byte leaves that byte out", "ab", 1, 1,
         [](CEditBuffer& b) { b.ReplaceSel("x\x81"); }, "axb", 2},
        {"a paste of a lead byte alone replaces the selection by nothing", "abc", 1, 2,
         [](CEditBuffer& b) { b.ReplaceSel("\x81"); }, "ac", 1},
        {"a paste of whole characters goes in as it is", "ab", 1, 1,
         [](CEditBuffer& b) { b.ReplaceSel("\xD6\xD0"); }, "a\xD6\xD0" "b", 3},
        {"Backspace after a line feed whose \\r is a second byte removes the line feed alone", "\x81\r\n", 3, 3,
         [](CEditBuffer& b) { b.Char(VK_BACK, true); }, "\x81\r", 2},
    };
    for (const WholeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditBuffer buffer;
        buffer.SetText(c.initial);
        buffer.SetSel(c.selStart, c.selEnd);
        c.edit(buffer);
        EXPECT_EQ(std::string(c.text), buffer.GetText().Str());
        int start = -1, end = -1;
        buffer.GetSel(start, end);
        EXPECT_EQ(c.caret, buffer.GetCaret());
        const std::string text = buffer.GetText().Str();
        EXPECT_TRUE(cp936::IsCharBoundary(text.data(), static_cast<int>(text.size()), start));
        EXPECT_TRUE(cp936::IsCharBoundary(text.data(), static_cast<int>(text.size()), end));
    }
}
