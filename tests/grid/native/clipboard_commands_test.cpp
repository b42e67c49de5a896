// The edit commands through the headless clipboard: what a copy puts there
// and in which order, paste modes and their results, the allow switches,
// read-only and fixed cells, and clipboards that fail.
#include "window_test_util.h"

#include "platform/Clipboard.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwindowtest::WindowGrid;

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// A 10 x 6 grid (one fixed row and column) in a window, cells (r, c) of rows
// 1..3 and columns 1..3 holding "rc".
struct ClipGrid : WindowGrid {
    ClipGrid()
    {
        Build(10, 6, 1, 1);
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c)
                grid.SetCellText(r, c, (std::to_string(r) + std::to_string(c)).c_str());
    }
    UINT Format() { return grid.GetClipboardFormatNumber(); }
    std::string Text(int r, int c) { return std::string(grid.GetCellText(r, c)); }
};

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end() + 1);   // with its NUL
}

// The private stream of one cell "S" in red, made by a grid of its own.
std::vector<BYTE> RedCellStream()
{
    CGridCtrl source;
    gridwindowtest::LayOut(source, 4, 4, 1, 1);
    source.SetCellText(1, 1, "S");
    source.SetCellBackColor(1, 1, kRed);
    std::vector<BYTE> bytes;
    source.WriteClipRecords(1, 1, 1, 1, bytes);
    return bytes;
}

class ClipboardCommands : public ::testing::Test {
protected:
    void TearDown() override { Headless::Reset(); }
};

TEST_F(ClipboardCommands, CopyPutsTheTextFirstAndThenThePrivateStream)
{
    ClipGrid g;
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.grid.OnEditCopy();
    std::vector<Headless::ClipboardEntry> entries = Headless::ClipboardEntries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(static_cast<UINT>(CF_TEXT), entries[0].format);
    EXPECT_EQ("11\t12\n21\t22", Headless::ClipboardText());
    EXPECT_EQ(g.Format(), entries[1].format);
    std::vector<BYTE> expected;
    g.grid.WriteClipRecords(1, 1, 2, 2, expected);
    EXPECT_EQ(expected, entries[1].bytes);
    EXPECT_EQ(g.grid.GetSafeHwnd(), Headless::ClipboardOwner());
    EXPECT_FALSE(Headless::ClipboardIsOpen());
    // The format is the one every grid registers by name.
    EXPECT_EQ(PlatformRegisterClipboardFormat("KivoSheetClip"), g.Format());
}

// Which format a paste takes, by mode and by what the clipboard holds. The
// clipboard's text "T1\tT2" and its stream (one red cell "S") differ, so the
// cells show which was pasted.
TEST_F(ClipboardCommands, PasteModesTakeTheirFormatOnly)
{
    enum Holds { kTextAndStream, kStreamAndText, kTextOnly, kStreamOnly, kNothing };
    struct Case {
        const char* name;
        short mode;
        Holds holds;
        BOOL pasted;
        const char* at;        // the target cell (5, 3) afterwards
        const char* right;     // its right neighbour (the text's second field)
        bool red;              // the target took the stream's colour
    } cases[] = {
        {"mode 0, text then stream", 0, kTextAndStream, TRUE, "S", "", true},
        {"mode 0, stream then text", 0, kStreamAndText, TRUE, "S", "", true},
        {"mode 0, text only", 0, kTextOnly, TRUE, "T1", "T2", false},
        {"mode 0, stream only", 0, kStreamOnly, TRUE, "S", "", true},
        {"mode 1, both", 1, kTextAndStream, TRUE, "T1", "T2", false},
        {"mode 1, stream only", 1, kStreamOnly, FALSE, "", "", false},
        // The stream of mode 2 brings the formats without the texts.
        {"mode 2, both", 2, kTextAndStream, TRUE, "", "", true},
        {"mode 2, text only", 2, kTextOnly, FALSE, "", "", false},
        {"mode 0, empty clipboard", 0, kNothing, FALSE, "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        const Headless::ClipboardEntry text = {CF_TEXT, Bytes("T1\tT2")};
        const Headless::ClipboardEntry stream = {g.Format(), RedCellStream()};
        std::vector<Headless::ClipboardEntry> entries;
        switch (c.holds) {
        case kTextAndStream: entries = {text, stream}; break;
        case kStreamAndText: entries = {stream, text}; break;
        case kTextOnly: entries = {text}; break;
        case kStreamOnly: entries = {stream}; break;
        case kNothing: break;
        }
        Headless::SetClipboardEntries(entries);
        g.grid.SetPasteFlags(c.mode);
        EXPECT_EQ(c.pasted, g.grid.PasteFromClipboard(5, 3, TRUE));
        EXPECT_EQ(c.at, g.Text(5, 3));
        EXPECT_EQ(c.right, g.Text(5, 4));
        EXPECT_EQ(c.red, g.grid.GetCellBackColor(5, 3) == kRed);
        EXPECT_FALSE(Headless::ClipboardIsOpen());
    }
}

// The paste's result and where it leaves the selection.
TEST_F(ClipboardCommands, APasteSelectsWhatItPastedOrClearsTheSelection)
{
    for (BOOL select : {TRUE, FALSE}) {
        ClipGrid g;
        Headless::SetClipboardEntries({{CF_TEXT, Bytes("a\tb\nc\td\n")}});
        g.grid.SetSelectedRange(1, 1, 1, 1);
        ASSERT_TRUE(g.grid.PasteFromClipboard(4, 2, select));
        EXPECT_EQ("a", g.Text(4, 2));
        EXPECT_EQ("d", g.Text(5, 3));
        const CGridCellRange selected = g.grid.GetSelectedRange();
        if (select) {
            EXPECT_EQ(CGridCellRange(4, 2, 5, 3), selected);
        } else {
            EXPECT_FALSE(g.grid.IsRangeValid(selected));
        }
    }
}

// A paste that cannot happen answers FALSE, changes no cell and leaves the
// clipboard closed.
TEST_F(ClipboardCommands, AFailedPasteChangesNothing)
{
    struct Case {
        const char* name;
        int row, col;
        bool busy;
        bool failText;
        bool readOnly;
    } cases[] = {
        {"the text's data cannot be had", 5, 2, false, true, false},
        {"another program holds the clipboard", 5, 2, true, false, false},
        {"a read-only target", 5, 2, false, false, true},
        {"a target outside the grid", 10, 2, false, false, false},
        {"a fixed target", 0, 2, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        Headless::SetClipboardEntries({{CF_TEXT, Bytes("x\ty")}});
        if (c.failText)
            Headless::FailClipboardData(CF_TEXT);
        Headless::SetClipboardBusy(c.busy);
        if (c.readOnly)
            g.grid.SetCellReadOnly(c.row, c.col, TRUE);
        EXPECT_FALSE(g.grid.PasteFromClipboard(c.row, c.col, TRUE));
        EXPECT_EQ("", g.Text(5, 2));
        EXPECT_EQ("", g.Text(5, 3));
        Headless::SetClipboardBusy(false);
        EXPECT_FALSE(Headless::ClipboardIsOpen());
    }
}

// A cut whose copy the clipboard did not take clears nothing: the cells
// would be lost.
TEST_F(ClipboardCommands, ACutTheClipboardRefusesKeepsTheCells)
{
    ClipGrid g;
    g.grid.SetSelectedRange(1, 1, 1, 2);
    Headless::SetClipboardBusy(true);
    g.grid.OnEditCut();
    Headless::SetClipboardBusy(false);
    EXPECT_EQ("11", g.Text(1, 1));
    EXPECT_EQ("12", g.Text(1, 2));
    EXPECT_TRUE(Headless::ClipboardEntries().empty());
    g.grid.OnEditCut();
    EXPECT_EQ("", g.Text(1, 1));
    EXPECT_EQ("11\t12", Headless::ClipboardText());
}

// A malformed stream pastes nothing and answers so.
TEST_F(ClipboardCommands, ABrokenStreamPastesNothing)
{
    ClipGrid g;
    std::vector<BYTE> broken = RedCellStream();
    broken.resize(broken.size() / 2);
    Headless::SetClipboardEntries({{g.Format(), broken}});
    EXPECT_FALSE(g.grid.PasteFromClipboard(5, 2, TRUE));
    EXPECT_EQ("", g.Text(5, 2));
}

// The edit commands under the allow switches and the editable setting.
TEST_F(ClipboardCommands, EditCommandsFollowTheirSwitches)
{
    enum Command { kCopy, kCut, kPaste };
    struct Case {
        const char* name;
        Command command;
        BOOL allow;
        BOOL editable;
        bool clipboardWritten;
        bool sourceCleared;
        bool pasted;
    } cases[] = {
        {"copy", kCopy, TRUE, TRUE, true, false, false},
        {"copy not allowed", kCopy, FALSE, TRUE, false, false, false},
        {"copy from a grid not editable", kCopy, TRUE, FALSE, true, false, false},
        {"cut", kCut, TRUE, TRUE, true, true, false},
        {"cut not allowed", kCut, FALSE, TRUE, false, false, false},
        {"cut from a grid not editable", kCut, TRUE, FALSE, false, false, false},
        {"paste", kPaste, TRUE, TRUE, false, false, true},
        {"paste not allowed", kPaste, FALSE, TRUE, false, false, false},
        {"paste into a grid not editable", kPaste, TRUE, FALSE, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        Headless::SetClipboardEntries({{CF_TEXT, Bytes("P")}});
        g.grid.SetSelectedRange(1, 1, 1, 2);
        g.grid.GetDefaultSettingRecord().m_bEditable = c.editable;
        switch (c.command) {
        case kCopy:
            g.grid.SetAllowCopy(c.allow);
            g.grid.OnEditCopy();
            break;
        case kCut:
            g.grid.SetAllowCut(c.allow);
            g.grid.OnEditCut();
            break;
        case kPaste:
            g.grid.SetAllowPaste(c.allow);
            g.grid.OnEditPaste();
            break;
        }
        EXPECT_EQ(c.clipboardWritten, Headless::ClipboardText() == "11\t12");
        EXPECT_EQ(c.sourceCleared, g.Text(1, 2).empty());
        EXPECT_EQ(c.pasted, g.Text(1, 1) == "P");
    }
}

// Cut and copy of a whole-row, whole-column or whole-sheet selection take the
// non-fixed part: the header cells keep their texts.
TEST_F(ClipboardCommands, CutNeverClearsHeaderCells)
{
    struct Case {
        const char* name;
        void (*select)(CGridCtrl&);
        const char* text;
    } cases[] = {
        {"a whole row", [](CGridCtrl& grid) { grid.SelectRowBand(CGridCellPos(2, 1)); }, "21\t22\t23\t\t"},
        {"a whole column", [](CGridCtrl& grid) { grid.SelectColumnBand(CGridCellPos(1, 2)); },
         "12\n22\n32\n\n\n\n\n\n"},
        {"the whole sheet", [](CGridCtrl& grid) { grid.SelectAllCells(); }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        g.grid.SetCellText(0, 2, "header");
        g.grid.SetCellText(2, 0, "row head");
        c.select(g.grid);
        g.grid.OnEditCut();
        if (c.text != nullptr) {
            EXPECT_EQ(c.text, Headless::ClipboardText());
        }
        EXPECT_EQ("header", g.Text(0, 2));
        EXPECT_EQ("row head", g.Text(2, 0));
        EXPECT_EQ("", g.Text(2, 2));
    }
}

// A paste lands on the selection's first non-fixed cell, else on the focus
// cell; a read-only target takes nothing.
TEST_F(ClipboardCommands, PasteTargetsTheFirstNonFixedCellOfTheSelection)
{
    {
        ClipGrid g;
        Headless::SetClipboardEntries({{CF_TEXT, Bytes("P")}});
        g.grid.SelectColumnBand(CGridCellPos(1, 4));
        g.grid.OnEditPaste();
        EXPECT_EQ("P", g.Text(1, 4));
        EXPECT_NE("P", g.Text(0, 4));
    }
    {
        ClipGrid g;
        Headless::SetClipboardEntries({{CF_TEXT, Bytes("P")}});
        g.grid.SetFocusCell(3, 3);
        g.grid.SetCellReadOnly(3, 3, TRUE);
        g.grid.SetSelectedRange(3, 3, 3, 3);
        g.grid.OnEditPaste();
        EXPECT_EQ("33", g.Text(3, 3));
    }
}

// The grid's copy of a range pastes back equal into another grid: texts,
// colours, borders, merged blocks and column widths.
TEST_F(ClipboardCommands, CopyAndPasteCarryFormatsBordersBlocksAndWidths)
{
    ClipGrid a;
    ClipGrid b;   // made first: a new window grid starts from an empty clipboard
    a.grid.SetCellBackColor(1, 1, kRed);
    a.grid.SetCellBorder(2, 2, 0x0F, 0, RGB(0, 0, 255), 1);
    a.grid.MergeCells(3, 1, 3, 2);
    a.grid.SetColumnWidth(2, 77);
    a.grid.SetClipSizeOption(2);
    a.grid.SetSelectedRange(1, 1, 3, 3);
    a.grid.OnEditCopy();

    b.grid.SetSelectedRange(4, 2, 4, 2);
    b.grid.OnEditPaste();
    EXPECT_EQ("11", b.Text(4, 2));
    EXPECT_EQ("33", b.Text(6, 4));
    EXPECT_EQ(kRed, b.grid.GetCellBackColor(4, 2));
    EXPECT_EQ(0x0F, b.grid.GetCellBorderFlags(5, 3));
    int r0, c0, r1, c1;
    ASSERT_TRUE(b.grid.GetMergeRange(6, 2, r0, c0, r1, c1));
    EXPECT_EQ(CGridCellRange(6, 2, 6, 3), CGridCellRange(r0, c0, r1, c1));
    EXPECT_EQ(77, b.grid.GetColumnWidth(3));
    EXPECT_EQ(CGridCellRange(4, 2, 6, 4), b.grid.GetSelectedRange());
}

// Select all: notifications -100 and -101 around it, only while editable.
TEST_F(ClipboardCommands, SelectAllNotifiesAndNeedsAnEditableGrid)
{
    for (BOOL editable : {TRUE, FALSE}) {
        ClipGrid g;
        g.grid.GetDefaultSettingRecord().m_bEditable = editable;
        g.grid.OnEditSelectAll();
        std::vector<int> codes;
        for (const gridwindowtest::ParentNotify& n : g.parent.notifies)
            codes.push_back(n.code);
        if (editable) {
            EXPECT_EQ(GSK_ALL, g.grid.GetSelectionKind());
            ASSERT_GE(codes.size(), 2u);
            EXPECT_EQ(GVN_SELCHANGING, codes.front());
            EXPECT_EQ(GVN_SELCHANGED, codes.back());
        } else {
            EXPECT_NE(GSK_ALL, g.grid.GetSelectionKind());
            EXPECT_TRUE(codes.empty());
        }
    }
}

// Ctrl+C, Ctrl+X and Ctrl+V reach the commands through the keyboard.
TEST_F(ClipboardCommands, KeysReachTheCommands)
{
    ClipGrid g;
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 1, 1);
    Headless::SetKeyDown(VK_CONTROL, true);
    g.grid.SendMessage(WM_KEYDOWN, 'C', 0);
    EXPECT_EQ("11", Headless::ClipboardText());
    g.grid.SetSelectedRange(2, 2, 2, 2);
    g.grid.SetFocusCell(2, 2);
    g.grid.SendMessage(WM_KEYDOWN, 'V', 0);
    EXPECT_EQ("11", g.Text(2, 2));
    Headless::SetKeyDown(VK_CONTROL, false);
}

}  // namespace
