// The in-place editor driven through its messages on the host build: keys
// that end the edit, the end-of-edit record, the host seeing (and rewriting)
// characters, numeric filtering, growing with the text, and its lifetime.
#include "cells/InPlaceEdit.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "cells/WidgetTestWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using cellstest::EndOfEdit;
using cellstest::FakeGrid;
using cellstest::RecordingControl;

namespace {

const COLORREF kBack = RGB(255, 255, 200);
const COLORREF kText = RGB(0, 0, 128);
const UINT kEditId = 8;
const LPARAM kKeyFlags = MAKELPARAM(1, 0x4D);

// Knows when it is deleted.
class TrackedEdit : public CInPlaceEdit {
public:
    explicit TrackedEdit(bool* deleted) : m_deleted(deleted) {}
    ~TrackedEdit() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

class InPlaceEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(cellstest::OpenControlAndGrid(control, grid));
    }

    void TearDown() override
    {
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        Headless::ReleaseAllKeys();
    }

    // Opens an editor on cell (3, 4) and delivers the posted first character.
    void Open(const char* text, UINT firstChar, const InPlaceEditOptions& options = InPlaceEditOptions(),
              const CRect& rect = CRect(50, 40, 150, 60), CInPlaceEdit* object = nullptr)
    {
        edit = object != nullptr ? object : new CInPlaceEdit;
        ASSERT_TRUE(edit->Create(&grid, rect, 0, kEditId, 3, 4, CString(text), firstChar, kBack, kText, options));
        PlatformPumpMessages();
    }

    std::string Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return text.Str();
    }

    void Key(UINT vk) { edit->SendMessage(WM_KEYDOWN, vk, kKeyFlags); }
    void Type(UINT ch) { edit->SendMessage(WM_CHAR, ch, 1); }
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p)
            Type(static_cast<unsigned char>(*p));
    }

    // The grid's client rectangle of the editor window.
    CRect WindowRect() const
    {
        CRect rect;
        edit->GetWindowRect(&rect);
        grid.ScreenToClient(&rect);
        return rect;
    }

    RecordingControl control;
    FakeGrid grid;
    CInPlaceEdit* edit = nullptr;
};

struct KeyCase {
    const char* name;
    const char* text;
    int selStart, selEnd;
    UINT key;
    bool ctrl;
    bool exitOnArrows;
    bool leaves;           // passed to the grid, which ends the edit
    int expStart, expEnd;  // the selection afterwards when the edit goes on
};

}  // namespace

TEST_F(InPlaceEditTest, KeysThatLeaveTheCellGoToTheGridAndEndTheEdit)
{
    const std::vector<KeyCase> cases = {
        {"Page Up", "abc", 1, 1, VK_PRIOR, false, false, true, 0, 0},
        {"Page Down", "abc", 1, 1, VK_NEXT, false, false, true, 0, 0},
        {"Up", "abc", 1, 1, VK_UP, false, false, true, 0, 0},
        {"Down", "abc", 1, 1, VK_DOWN, false, false, true, 0, 0},
        {"Enter", "abc", 1, 1, VK_RETURN, false, false, true, 0, 0},
        {"Right at the end", "abc", 3, 3, VK_RIGHT, false, false, true, 0, 0},
        {"Right with the whole text selected", "abc", 0, 3, VK_RIGHT, false, false, true, 0, 0},
        {"Right in the middle moves the caret", "abc", 1, 1, VK_RIGHT, false, false, false, 2, 2},
        {"Right collapses a selection to its end, then steps", "abcd", 0, 1, VK_RIGHT, false, false, false, 2, 2},
        {"End at the end", "abc", 3, 3, VK_END, false, false, true, 0, 0},
        {"End in the middle moves the caret to the end", "abc", 1, 1, VK_END, false, false, false, 3, 3},
        {"Left at the start", "abc", 0, 0, VK_LEFT, false, false, true, 0, 0},
        {"Left with the whole text selected", "abc", 0, 3, VK_LEFT, false, false, true, 0, 0},
        {"Left in the middle moves the caret", "abc", 2, 2, VK_LEFT, false, false, false, 1, 1},
        {"Home at the start", "abc", 0, 0, VK_HOME, false, false, true, 0, 0},
        {"Home in the middle moves the caret to 0", "abc", 2, 2, VK_HOME, false, false, false, 0, 0},
        {"Left in the middle with arrow exit", "abc", 2, 2, VK_LEFT, false, true, true, 0, 0},
        {"Right in the middle with Ctrl", "abc", 1, 1, VK_RIGHT, true, false, true, 0, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.text, CInPlaceEdit::kStartByMouse);
        edit->SetExitOnArrows(c.exitOnArrows);
        edit->SetSel(c.selStart, c.selEnd);
        Headless::SetKeyDown(VK_CONTROL, c.ctrl);
        grid.keys.clear();
        grid.ends.clear();
        control.words.clear();

        Key(c.key);

        EXPECT_TRUE(control.words.empty()) << "navigation keys are not shown to the host";
        if (c.leaves) {
            ASSERT_EQ(1u, grid.keys.size());
            EXPECT_EQ(static_cast<WPARAM>(c.key), grid.keys[0].wParam);
            EXPECT_EQ(kKeyFlags, grid.keys[0].lParam);
            ASSERT_EQ(1u, grid.ends.size());
            EXPECT_EQ(static_cast<LPARAM>(c.key), grid.ends[0].key);
            EXPECT_EQ(std::string(c.text), grid.ends[0].text);
            EXPECT_FALSE(IsWindow(grid.ends[0].hwndFrom)) << "the editor closes its window";
        } else {
            EXPECT_TRUE(grid.keys.empty());
            EXPECT_TRUE(grid.ends.empty());
            int start = -1, end = -1;
            edit->GetSel(start, end);
            EXPECT_EQ(c.expStart, start);
            EXPECT_EQ(c.expEnd, end);
            EXPECT_EQ(std::string(c.text), Text());
        }
        Headless::SetKeyDown(VK_CONTROL, false);
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, OtherKeysAreShownToTheHostWhoseAnswerIsNotUsed)
{
    Open("abc", CInPlaceEdit::kStartByMouse);
    edit->SetSel(1, 1);
    control.rewrite = [](UINT, DWORD) { return static_cast<DWORD>(VK_END); };
    Key(VK_DELETE);
    ASSERT_EQ(1u, control.words.size());
    EXPECT_EQ(1030u, control.words[0].message);
    EXPECT_EQ(static_cast<DWORD>(VK_DELETE), control.words[0].word);
    EXPECT_EQ(1, control.words[0].lParam);
    EXPECT_EQ("ac", Text()) << "the edit deletes, whatever the host answered";

    // Ctrl+Enter stays in the editor and is shown to the host.
    control.words.clear();
    control.rewrite = nullptr;
    Headless::SetKeyDown(VK_CONTROL, true);
    Key(VK_RETURN);
    ASSERT_EQ(1u, control.words.size());
    EXPECT_EQ(static_cast<DWORD>(VK_RETURN), control.words[0].word);
    EXPECT_TRUE(grid.keys.empty());
    EXPECT_TRUE(grid.ends.empty());
}

TEST_F(InPlaceEditTest, TabAndEscEndTheEditWithTheirKey)
{
    const struct {
        const char* name;
        UINT ch;
        const char* expectedText;
    } cases[] = {
        {"Tab keeps the typed text", VK_TAB, "abxy"},
        {"Esc puts the initial text back", VK_ESCAPE, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ends.clear();
        Open("ab", CInPlaceEdit::kStartByMouse);
        const HWND editor = edit->GetSafeHwnd();
        Type("xy");
        ASSERT_EQ("abxy", Text());

        Type(c.ch);

        ASSERT_EQ(1u, grid.ends.size());
        const EndOfEdit& end = grid.ends[0];
        EXPECT_EQ(editor, end.hwndFrom);
        EXPECT_EQ(static_cast<UINT_PTR>(kEditId), end.idFrom);
        EXPECT_EQ(-106, end.code);
        EXPECT_EQ(5u, end.mask);
        EXPECT_EQ(3, end.row);
        EXPECT_EQ(4, end.column);
        EXPECT_EQ(std::string(c.expectedText), end.text);
        EXPECT_EQ(static_cast<LPARAM>(c.ch), end.key);
        EXPECT_EQ(static_cast<UINT>(c.ch), edit->GetLastChar());
        EXPECT_FALSE(IsWindow(editor));
        EXPECT_EQ(grid.GetSafeHwnd(), CWnd::GetFocus()->GetSafeHwnd());
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, TheHostSeesEveryCharacterAndMayRewriteIt)
{
    Open("", CInPlaceEdit::kStartByMouse);
    control.rewrite = [](UINT message, DWORD word) { return message == 1072 && word == 'a' ? DWORD('b') : word; };
    Type("ax");
    EXPECT_EQ("bx", Text());
    ASSERT_EQ(2u, control.words.size());
    EXPECT_EQ(1072u, control.words[0].message);
    EXPECT_EQ(DWORD('a'), control.words[0].word);
    EXPECT_EQ(1, control.words[0].lParam);
    EXPECT_EQ(DWORD('x'), control.words[1].word);

    // An IME character goes to the host with its own lParam, and the plain
    // character typed after it is still shown to the host. A two-byte
    // character typed as its two bytes is shown once, whole.
    control.words.clear();
    EXPECT_EQ(1, edit->SendMessage(WM_IME_CHAR, 0xD6D0, 0x1234));
    Type('z');
    Type("\xCE\xC4");
    EXPECT_EQ("bx\xD6\xD0z\xCE\xC4", Text());
    ASSERT_EQ(3u, control.words.size());
    EXPECT_EQ(DWORD(0xD6D0), control.words[0].word);
    EXPECT_EQ(0x1234, control.words[0].lParam);
    EXPECT_EQ(DWORD('z'), control.words[1].word);
    EXPECT_EQ(DWORD(0xCEC4), control.words[2].word);

    // The host may turn a character into a two-byte one.
    control.rewrite = [](UINT, DWORD word) { return word == '!' ? DWORD(0xA3A1) : word; };
    Type('!');
    EXPECT_EQ("bx\xD6\xD0z\xCE\xC4\xA3\xA1", Text());
}

TEST_F(InPlaceEditTest, TheFirstCharacterStartsTheEdit)
{
    const struct {
        const char* name;
        UINT first;
        const char* text;
        int selStart, selEnd;
    } cases[] = {
        {"a letter replaces the text", 'x', "x", 1, 1},
        {"Backspace removes the last character", VK_BACK, "ab", 2, 2},
        {"the mouse puts the caret at the end", CInPlaceEdit::kStartByMouse, "abc", 3, 3},
        {"a dollar sign is typed like any character", '$', "$", 1, 1},
        {"a blank is typed like any character", ' ', " ", 1, 1},
        {"an opening parenthesis is typed like any character", '(', "(", 1, 1},
        {"a two-byte character arrives as an IME character", 0xD6D0, "\xD6\xD0", 2, 2},
        {"a code below 8 selects the text and types nothing", 5, "abc", 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open("abc", c.first);
        EXPECT_EQ(std::string(c.text), Text());
        int start = -1, end = -1;
        edit->GetSel(start, end);
        EXPECT_EQ(c.selStart, start);
        EXPECT_EQ(c.selEnd, end);
        EXPECT_EQ(edit->GetSafeHwnd(), CWnd::GetFocus()->GetSafeHwnd());
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, NumericInputDropsRefusedCharacters)
{
    Open("", CInPlaceEdit::kStartByMouse);
    edit->SetInputType(kInputDecimal);
    edit->SetInputLimit(TRUE, 10, 100);
    Type('-');
    EXPECT_EQ("", Text()) << "no negative number lies in the range";
    EXPECT_EQ(1u, control.words.size()) << "the host saw it before it was refused";
    Type("150");
    EXPECT_EQ("15", Text()) << "150 lies above the maximum";
    Type(VK_BACK);
    EXPECT_EQ("1", Text());
    // The filter judges the character the host left.
    control.rewrite = [](UINT, DWORD word) { return word == 'x' ? DWORD('7') : word; };
    Type('x');
    EXPECT_EQ("17", Text());
    Type('y');
    EXPECT_EQ("17", Text());
}

TEST_F(InPlaceEditTest, AnEndDuringAnEndSendsNothingMore)
{
    Open("abc", CInPlaceEdit::kStartByMouse);
    grid.onEnd = [this](const EndOfEdit&) {
        // The grid's end handling ends the edit again and moves the focus
        // around: no second notification.
        edit->EndEdit();
        edit->SetFocus();
        grid.SetFocus();
    };
    grid.SetFocus();
    EXPECT_EQ(1u, grid.ends.size());
    edit->EndEdit();
    EXPECT_EQ(1u, grid.ends.size()) << "the window is closed: nothing left to end";
}

TEST_F(InPlaceEditTest, AnOwnerDiscardingTheEditorWhileItEndsIsSafe)
{
    const UINT enders[] = {VK_DOWN, VK_ESCAPE};
    for (UINT ender : enders) {
        SCOPED_TRACE(ender);
        bool deleted = false;
        grid.ends.clear();
        Open("abc", CInPlaceEdit::kStartByMouse, InPlaceEditOptions(), CRect(50, 40, 150, 60),
             new TrackedEdit(&deleted));
        grid.onEnd = [this](const EndOfEdit&) {
            CInPlaceEdit::Discard(edit);  // the cell's end-of-edit work
            edit = nullptr;
        };
        CInPlaceEdit* opened = edit;
        if (ender == VK_ESCAPE)
            opened->SendMessage(WM_CHAR, ender, 1);
        else
            opened->SendMessage(WM_KEYDOWN, ender, kKeyFlags);
        EXPECT_TRUE(deleted) << "deleted once its message returned";
        EXPECT_EQ(1u, grid.ends.size());
        grid.onEnd = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, DiscardingAnOpenEditorReportsNothing)
{
    bool deleted = false;
    Open("abc", 'q', InPlaceEditOptions(), CRect(50, 40, 150, 60), new TrackedEdit(&deleted));
    CInPlaceEdit::Discard(edit);
    edit = nullptr;
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(grid.ends.empty());
}

TEST_F(InPlaceEditTest, FormulaCellsAreEditedInBold)
{
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    const struct {
        BOOL bold;
        LONG weight;
    } cases[] = {{FALSE, FW_NORMAL}, {TRUE, FW_BOLD}};
    for (const auto& c : cases) {
        InPlaceEditOptions options;
        options.pFont = &lf;
        options.bBold = c.bold;
        Open("=A1", CInPlaceEdit::kStartByMouse, options);
        CFont* font = edit->GetFont();
        ASSERT_NE(nullptr, font);
        LOGFONT used = {};
        font->GetLogFont(&used);
        EXPECT_EQ(c.weight, used.lfWeight);
        EXPECT_EQ(-12, used.lfHeight);
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, TheWindowGrowsToFitItsText)
{
    // The host font is 16 high and 8 wide per character. The grid's client
    // area is 400 x 300; a rectangle (50, 40, 150, 60) gives the window
    // (51, 41, 152, 60).
    const std::string twenty(20, 'w');
    const std::string sixty(60, 'w');
    const struct {
        const char* name;
        std::string text;
        CRect given;
        BOOL wrap;
        CRect expected;
    } cases[] = {
        {"a short text keeps the rectangle", "abc", CRect(50, 40, 150, 60), FALSE, CRect(51, 41, 152, 60)},
        {"a wide text widens it", twenty, CRect(50, 40, 150, 60), FALSE, CRect(51, 41, 211, 60)},
        {"never past the grid's right edge", sixty, CRect(50, 40, 150, 60), FALSE, CRect(51, 41, 400, 60)},
        {"lines make it taller, 5 pixels more with a line feed", "ab\r\ncd\r\nef", CRect(50, 40, 150, 60), FALSE,
         CRect(51, 41, 152, 94)},
        {"near the bottom it reaches the grid's bottom", "a\r\nb", CRect(50, 280, 150, 298), FALSE,
         CRect(51, 281, 152, 300)},
        {"a wrapping cell measures in the column width", "aaaa bbbb cccc dddd", CRect(50, 40, 150, 60), TRUE,
         CRect(51, 41, 152, 73)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InPlaceEditOptions options;
        options.bWrapText = c.wrap;
        options.nWrapWidth = 100;
        Open(c.text.c_str(), CInPlaceEdit::kStartByMouse, options, c.given);
        EXPECT_EQ(CRect(c.given.left + 1, c.given.top + 1, c.given.right + 2, c.given.bottom),
                  edit->GetCreationRect());
        EXPECT_EQ(c.expected, edit->GetCurrentRect());
        EXPECT_EQ(c.expected, WindowRect());
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.SetFocus();
    }
}

TEST_F(InPlaceEditTest, GrowsAsCharactersAreTyped)
{
    Open("", CInPlaceEdit::kStartByMouse);
    EXPECT_EQ(CRect(51, 41, 152, 60), WindowRect());
    Type(std::string(15, 'w').c_str());
    EXPECT_EQ(CRect(51, 41, 171, 60), WindowRect());
}

TEST_F(InPlaceEditTest, PaintsInTheColoursItWasGiven)
{
    Headless::ClearDrawLog();
    Open("abc", CInPlaceEdit::kStartByMouse);
    bool filled = false, wrote = false;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.target != edit->GetSafeHwnd())
            continue;
        if (op.kind == Headless::DrawKind::FillRect && op.color == kBack)
            filled = true;
        if (op.kind == Headless::DrawKind::DrawText && op.text == "abc" && op.textColor == kText)
            wrote = true;
    }
    EXPECT_TRUE(filled);
    EXPECT_TRUE(wrote);
}

TEST_F(InPlaceEditTest, AWindowClosedFromOutsideReportsNothing)
{
    Open("abc", 'q');
    edit->DestroyWindow();
    EXPECT_TRUE(grid.ends.empty());
}

TEST_F(InPlaceEditTest, AnEditorThatOwnsItselfGoesWithItsWindow)
{
    const struct {
        const char* name;
        int how;  // 0 Enter (closed by its own end), 1 EndEdit from outside, 2 DestroyWindow from outside
        size_t ends;
    } cases[] = {
        {"ended by a key", 0, 1},
        {"ended by its owner", 1, 1},
        {"closed by its owner", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool deleted = false;
        grid.ends.clear();
        TrackedEdit* own = new TrackedEdit(&deleted);
        own->SetAutoDelete(TRUE);
        Open("abc", CInPlaceEdit::kStartByMouse, InPlaceEditOptions(), CRect(50, 40, 150, 60), own);
        edit = nullptr;  // not ours to discard
        if (c.how == 0)
            own->SendMessage(WM_KEYDOWN, VK_RETURN, kKeyFlags);
        else if (c.how == 1)
            own->EndEdit();
        else
            own->DestroyWindow();
        EXPECT_TRUE(deleted);
        EXPECT_EQ(c.ends, grid.ends.size());
        grid.SetFocus();
    }
}
