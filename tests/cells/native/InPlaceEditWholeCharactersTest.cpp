// The in-place editor types only whole two-byte characters: a lead byte
// waits for a valid second byte (anything else drops it and is typed as
// itself), and a host answer that is not a whole character types nothing.
#include "cells/InPlaceEdit.h"

#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "cells/WidgetTestWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using cellstest::FakeGrid;
using cellstest::RecordingControl;

namespace {

class InPlaceEditWholeCharacters : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(cellstest::OpenControlAndGrid(control, grid));
    }
    void TearDown() override { CInPlaceEdit::Discard(edit); }

    void Open(const char* text)
    {
        CInPlaceEdit::Discard(edit);
        grid.SetFocus();
        edit = new CInPlaceEdit;
        ASSERT_TRUE(edit->Create(&grid, CRect(50, 40, 150, 60), 0, 8, 1, 1, CString(text),
                                 CInPlaceEdit::kStartByMouse, RGB(255, 255, 255), RGB(0, 0, 0)));
        PlatformPumpMessages();
    }
    std::string Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return text.Str();
    }

    RecordingControl control;
    FakeGrid grid;
    CInPlaceEdit* edit = nullptr;
};

}  // namespace

TEST_F(InPlaceEditWholeCharacters, ALeadByteWithoutAValidSecondByteIsDropped)
{
    const struct {
        const char* name;
        std::vector<UINT> chars;
        const char* text;
        std::vector<DWORD> shown;  // what the host saw
    } cases[] = {
        {"lead byte, then NUL", {0xAB, 0}, "ab", {0}},
        {"lead byte, then a digit", {0xB1, '5'}, "ab5", {'5'}},
        {"lead byte, then Backspace", {0xB1, VK_BACK}, "a", {VK_BACK}},
        {"lead byte, then a line feed", {0xB1, '\n'}, "ab\r\n", {'\n'}},
        {"lead byte and a valid second byte", {0xD6, 0xD0}, "ab\xD6\xD0", {0xD6D0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open("ab");
        control.words.clear();
        for (UINT ch : c.chars)
            edit->SendMessage(WM_CHAR, ch, 1);
        EXPECT_EQ(std::string(c.text), Text());
        std::vector<DWORD> shown;
        for (const auto& w : control.words)
            shown.push_back(w.word);
        EXPECT_EQ(c.shown, shown);
    }
}

TEST_F(InPlaceEditWholeCharacters, AHostAnswerThatIsNoWholeCharacterTypesNothing)
{
    const struct {
        const char* name;
        DWORD answer;
        const char* text;
    } cases[] = {
        {"a lead byte without its second byte", 0xA300, "ab"},
        {"a second byte that is not one", 0xA320, "ab"},
        {"a first byte that is no lead byte", 0x4142, "ab"},
        {"more than two bytes", 0x1A3A1, "ab"},
        {"a whole character", 0xA3A1, "ab\xA3\xA1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open("ab");
        const DWORD answer = c.answer;
        control.rewrite = [answer](UINT message, DWORD word) { return message == 1072 && word == '!' ? answer : word; };
        edit->SendMessage(WM_CHAR, '!', 1);
        EXPECT_EQ(std::string(c.text), Text());
        // An IME character the host leaves as it is goes the same way.
        control.rewrite = nullptr;
        edit->SendMessage(WM_IME_CHAR, c.answer, 1);
        EXPECT_EQ(c.answer == 0xA3A1 ? std::string("ab\xA3\xA1\xA3\xA1") : std::string(c.text), Text());
    }
}
