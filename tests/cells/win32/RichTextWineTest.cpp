// Rich-text cells in a real grid window under Wine, drawn and edited through
// the system's rich-edit text services: pixels of the drawn runs, the height
// they need, and the SE operations on a locked cell.
#include "cells/GridCellRichText.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellTypes.h"
#include "grid/GridMessages.h"
#include "grid/win32/GridWineTestUtil.h"
#include "cells/win32/RealInput.h"

#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

using gridwine::PumpFor;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// Big bold red letters and two Chinese characters in "宋体".
const char kRedRtf[] =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\plain\\f0\\fs36\\b\\cf1 WWW\\'d6\\'d0\\par}";
// Plain black text with no colour table.
const char kPlainRtf[] = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs36 WWW\\par}";
// Far more text than a cell can show.
const char kLongRtf[] =
    "{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\fs40 WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\\par "
    "WWWW\\par WWWW\\par WWWW\\par WWWW\\par WWWW\\par WWWW}";

bool IsReddish(COLORREF c)
{
    return GetRValue(c) > 160 && GetGValue(c) < 110 && GetBValue(c) < 110;
}

bool IsDark(COLORREF c)
{
    return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
}

// The grid's parent, counting the end-of-edit messages the grid posts it.
class CEndEditCounter : public CWnd {
public:
    int endEdits = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CELLENDEDIT)
            ++endEdits;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void SendKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

class RichTextWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInPlaceEditHooks();
        s_host = new CEndEditCounter;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_host, "KivoRichTextWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           CRect(60, 60, 660, 460)));
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_host);
        gridwine::LayOut(grid, 8, 5, 40, 40, 120);
        ASSERT_TRUE(gridwine::CreateFilling(grid, s_host, 81));
        for (int r = 1; r < 8; ++r)
            for (int c = 1; c < 5; ++c)
                grid.GetCell(r, c)->SetBackColor(kWhite);
        grid.SetFocusCell(7, 4);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }

    CGridCellSuperEdit* MakeRich(int row, int col, const char* rtf)
    {
        EXPECT_TRUE(grid.SetCellType(row, col, GCT_SUPEREDIT));
        CGridCellSuperEdit* cell = dynamic_cast<CGridCellSuperEdit*>(grid.GetCell(row, col));
        EXPECT_NE(nullptr, cell);
        if (cell != nullptr) {
            cell->SetBackColor(kWhite);
            grid.SetCellRichText(row, col, rtf);
        }
        return cell;
    }

    CRect Rect(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        return rect;
    }

    // Pixels of the rectangle that pass the test.
    template <typename Test>
    int Count(const CRect& r, Test test)
    {
        CClientDC dc(&grid);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += test(dc.GetPixel(x, y)) ? 1 : 0;
        return n;
    }

    static CEndEditCounter* s_host;
    CGridCtrl grid;
};

CEndEditCounter* RichTextWineTest::s_host = nullptr;

TEST_F(RichTextWineTest, TheRunsAreDrawnInsideTheCellAndNothingOutside)
{
    ASSERT_NE(nullptr, grid.GetRichTextHost());
    ASSERT_TRUE(grid.GetRichTextHost()->HasTextServices()) << "riched20's text services";
    MakeRich(2, 2, kRedRtf);
    MakeRich(4, 2, kLongRtf);
    gridwine::Repaint(grid);
    const CRect cell = Rect(2, 2);
    EXPECT_GT(Count(cell, IsReddish), 40) << "the red letters";
    // The row below, the cells beside and the column header stay clean.
    const CRect right = Rect(2, 3);
    const CRect below = Rect(3, 2);
    EXPECT_EQ(0, Count(right, IsReddish));
    EXPECT_EQ(0, Count(below, IsReddish));
    // Text far wider and taller than its cell is cut at the cell's edges.
    EXPECT_GT(Count(Rect(4, 2), IsReddish), 40);
    EXPECT_EQ(0, Count(Rect(4, 3), IsReddish));
    EXPECT_EQ(0, Count(Rect(5, 2), IsReddish));
    EXPECT_EQ(0, Count(Rect(3, 2), IsReddish));
}

TEST_F(RichTextWineTest, CellsDrawnInTurnLeaveNoFormatBehind)
{
    MakeRich(2, 2, kRedRtf);
    MakeRich(2, 3, kPlainRtf);
    MakeRich(3, 2, kPlainRtf);
    gridwine::Repaint(grid);
    EXPECT_GT(Count(Rect(2, 2), IsReddish), 40);
    for (const CRect& r : {Rect(2, 3), Rect(3, 2)}) {
        EXPECT_EQ(0, Count(r, IsReddish));
        EXPECT_GT(Count(r, IsDark), 20) << "black letters";
    }
}

TEST_F(RichTextWineTest, TheHeightFollowsTheContentAtTheColumnWidth)
{
    CGridCellSuperEdit* one = MakeRich(2, 2, "{\\rtf1\\fs24 one line}");
    CGridCellSuperEdit* three = MakeRich(3, 2, "{\\rtf1\\fs24 one\\par two\\par three}");
    CGridCellSuperEdit* wrapped = MakeRich(4, 2, "{\\rtf1\\fs24 word word word word word word word word word}");
    ASSERT_TRUE(one && three && wrapped);
    CClientDC dc(&grid);
    const CSize a = one->GetTextExtent("", &dc, 2);
    const CSize b = three->GetTextExtent("", &dc, 2);
    const CSize c = wrapped->GetTextExtent("", &dc, 2);
    EXPECT_EQ(120, a.cx);
    EXPECT_GT(a.cy, 8);
    EXPECT_GT(b.cy, 2 * a.cy);
    EXPECT_GT(c.cy, a.cy) << "wrapped at the column's width";
    grid.SetColumnWidth(2, 600);
    EXPECT_LT(wrapped->GetTextExtent("", &dc, 2).cy, c.cy);
}

TEST_F(RichTextWineTest, ALockedCellTakesTheSeOperationsAndUnlockWritesBack)
{
    // Not bold to begin with: the host's default face, the system font, is.
    CGridCellSuperEdit* cell = MakeRich(2, 2, "{\\rtf1\\ansi\\ansicpg936\\b0 abc\\par \\'d6\\'d0\\'ce\\'c4de}");
    ASSERT_NE(nullptr, cell);
    ASSERT_TRUE(grid.LockSuperEditContent(2, 2));
    EXPECT_EQ(2, cell->SEParaGetCount());
    EXPECT_TRUE(cell->SECharSetBoldEx(0, 2, -1));
    EXPECT_TRUE(cell->SECharGetBoldEx(0, 2));
    EXPECT_FALSE(cell->SECharGetBoldEx(0, 3));
    EXPECT_TRUE(cell->SECharSetFontSizeEx(4, 6, 20));
    EXPECT_EQ(20, cell->SECharGetFontSizeEx(4, 6));
    EXPECT_TRUE(cell->SECharSetTextColorEx(0, 1, RGB(0, 0, 255)));
    EXPECT_EQ(static_cast<LONG>(RGB(0, 0, 255)), cell->SECharGetTextColorEx(0, 1));
    EXPECT_TRUE(cell->SEParaSetAlignEx(1, 1, 3));
    EXPECT_EQ(3, cell->SEParaGetAlignEx(1, 1));
    EXPECT_EQ(1, cell->SEParaGetAlignEx(0, 0));
    EXPECT_TRUE(cell->SEParaSetBulletEx(0, 0, 1));
    EXPECT_EQ(1, cell->SEParaGetBulletEx(0, 0));
    char buffer[64] = {};
    EXPECT_EQ(6, cell->SEParaGetContentEx(1, 1, buffer, sizeof buffer));
    EXPECT_EQ(std::string("\xD6\xD0\xCE\xC4" "de"), buffer);
    EXPECT_TRUE(cell->SECtrlInsertTextEx(0, "X"));
    EXPECT_TRUE(cell->SECtrlGetCanUndo());
    EXPECT_TRUE(cell->SECtrlUndo());
    EXPECT_TRUE(cell->SECtrlInsertTextEx(3, "Y"));
    LONG first = 0;
    LONG last = 0;
    cell->SECharSetSel(5, 7);
    EXPECT_TRUE(cell->SEParaGetSel(&first, &last));
    EXPECT_EQ(1, first);
    EXPECT_EQ(1, last);
    const std::string rtf(cell->SECtrlGetRTF());
    EXPECT_NE(std::string::npos, rtf.find("\\b")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("\\qc")) << rtf;
    ASSERT_TRUE(grid.UnlockSuperEditContent());
    EXPECT_EQ(std::string("abcY\r\n\xD6\xD0\xCE\xC4" "de"), std::string(grid.GetCellText(2, 2)));
    const std::string stored(grid.GetCellRichText(2, 2));
    EXPECT_NE(std::string::npos, stored.find("\\b")) << stored;
    EXPECT_NE(std::string::npos, stored.find("cY")) << stored;   // "a" and "b" carry formats of their own
    gridwine::Repaint(grid);
    EXPECT_GT(Count(Rect(2, 2), IsDark), 20);
}

// Content that says nothing of a property reads in the cell's own font on
// every path: loaded into the cell's host as RTF or as text, and opened in
// the editor window; a cell without a font of its own reads in "宋体".
TEST_F(RichTextWineTest, ContentThatNamesNoFormatTakesTheCellsFontOnEveryPath)
{
    CGridCellSuperEdit* plain = MakeRich(2, 2, "");
    CGridCellSuperEdit* styled = MakeRich(3, 2, "");
    ASSERT_TRUE(plain && styled);
    LOGFONT lf = {};
    lf.lfHeight = -19;   // 14 points at 96 dots per inch
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = 1;
    lf.lfCharSet = GB2312_CHARSET;
    std::strcpy(lf.lfFaceName, "Arial");
    // The other cell keeps the face it has, upright and regular.
    if (!plain->IsDefaultFont()) {
        LOGFONT regular = *plain->GetFont();
        regular.lfWeight = FW_NORMAL;
        regular.lfItalic = 0;
        plain->SetFont(&regular);
    }
    styled->SetFont(&lf);
    const char kBare[] = "{\\rtf1\\ansi hello world\\par}";
    const struct {
        CGridCellSuperEdit* cell;
        const char* face;
        BOOL italic;
    } kCells[] = {{plain, plain->IsDefaultFont() ? "\xCB\xCE\xCC\xE5" : plain->GetFont()->lfFaceName, FALSE},
                  {styled, "Arial", TRUE}};
    for (const auto& c : kCells) {
        SCOPED_TRACE(c.face);
        ASSERT_TRUE(c.cell->SELockContent());
        for (int path = 0; path < 2; ++path) {
            if (path == 0)
                ASSERT_TRUE(c.cell->SECtrlSetRTF(kBare));
            else
                ASSERT_TRUE(c.cell->SECtrlSetText("hello world"));
            EXPECT_FALSE(c.cell->SECharGetBoldEx(0, 5)) << path;
            EXPECT_EQ(c.italic, c.cell->SECharGetItalicEx(0, 5)) << path;
            EXPECT_EQ(std::string(c.face), std::string(c.cell->SECharGetFontNameEx(0, 5))) << path;
        }
        ASSERT_TRUE(c.cell->SEUnlockContent());
    }
    // The editor window reads the same content the same way.
    grid.SetCellRichText(3, 2, kBare);
    grid.SetFocusCell(3, 2);
    grid.SetFocus();
    PumpFor(30);
    realinput::PressKey(VK_F2);
    ASSERT_TRUE(styled->IsEditing());
    ASSERT_TRUE(grid.LockSuperEditContent(3, 2));
    EXPECT_FALSE(styled->SECharGetBoldEx(0, 5));
    EXPECT_TRUE(styled->SECharGetItalicEx(0, 5));
    EXPECT_EQ(std::string("Arial"), std::string(styled->SECharGetFontNameEx(0, 5)));
    EXPECT_EQ(14, styled->SECharGetFontSizeEx(0, 5));
    grid.UnlockSuperEditContent();
    styled->EndEdit();
    PumpFor(30);
}

// Long content goes into a cell's host without the layout of every
// character on a line of its own; the time is the benchmark's to judge, the
// test reads the whole content back.
TEST_F(RichTextWineTest, LongContentLoadsWholeOnEveryPath)
{
    CGridCellSuperEdit* cell = MakeRich(2, 2, "");
    ASSERT_NE(nullptr, cell);
    ASSERT_TRUE(cell->SELockContent());
    std::string text;
    for (int i = 0; text.size() < 100000; ++i)
        text += (i % 12 == 11) ? ' ' : static_cast<char>('a' + i % 26);
    text.resize(100000);
    const std::string rtf = "{\\rtf1\\ansi " + text + "}";
    const struct {
        const char* name;
        std::function<BOOL()> load;
    } kPaths[] = {
        {"SECtrlSetText", [&] { return cell->SECtrlSetText(text.c_str()); }},
        {"SECtrlSetRTF", [&] { return cell->SECtrlSetRTF(rtf.c_str()); }},
        {"SECtrlInsertText", [&] { return cell->SECtrlSetText("") && cell->SECtrlInsertText(text.c_str()); }},
        {"SECtrlInsertTextEx", [&] { return cell->SECtrlSetText("") && cell->SECtrlInsertTextEx(0, text.c_str()); }},
    };
    for (const auto& p : kPaths) {
        const DWORD start = ::GetTickCount();
        ASSERT_TRUE(p.load()) << p.name;
        const std::string back(cell->SECtrlGetText());
        std::printf("[ figures  ] %s of 100000 characters and reading back: %lu ms\n", p.name,
                    static_cast<unsigned long>(::GetTickCount() - start));
        EXPECT_EQ(text.size(), back.size()) << p.name;
        EXPECT_EQ(text.substr(0, 64), back.substr(0, 64)) << p.name;
    }
    ASSERT_TRUE(cell->SEUnlockContent());
}

TEST_F(RichTextWineTest, TheEditorTakesTypingGrowsTakesTheMenuAndCommitsOnAClickElsewhere)
{
    CGridCellSuperEdit* cell = MakeRich(2, 2, "");
    ASSERT_NE(nullptr, cell);
    const CRect cellRect = Rect(2, 2);
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    PumpFor(30);
    const int endEditsBefore = s_host->endEdits;

    realinput::PressKey(VK_F2);
    ASSERT_TRUE(cell->IsEditing());
    CWnd* editor = cell->GetEditWnd();
    ASSERT_NE(nullptr, editor);
    HWND edit = ::GetFocus();
    ASSERT_EQ("RichEdit20A", ClassOf(edit));
    ASSERT_EQ(editor->GetSafeHwnd(), ::GetParent(edit));
    RECT editorRect;
    ::GetWindowRect(editor->GetSafeHwnd(), &editorRect);
    const int startHeight = editorRect.bottom - editorRect.top;
    EXPECT_LE(startHeight, cellRect.Height() + 1);

    realinput::PressKey('A');
    realinput::PressKey('B');
    ::PostMessageA(edit, WM_IME_CHAR, 0xD6D0, 1);    // "中" through the input method's character
    ::PostMessageA(edit, WM_CHAR, 0xCE, 1);          // "文" as a lead and a trail byte
    ::PostMessageA(edit, WM_CHAR, 0xC4, 1);
    PumpFor(60);
    for (int i = 0; i < 3; ++i)
        realinput::PressKey(VK_RETURN);
    realinput::PressKey('C');
    ASSERT_TRUE(cell->IsEditing());
    ::GetWindowRect(editor->GetSafeHwnd(), &editorRect);
    EXPECT_GT(editorRect.bottom - editorRect.top, cellRect.Height()) << "grown downward";
    POINT topLeft = {editorRect.left, editorRect.top};
    ::ScreenToClient(grid.GetSafeHwnd(), &topLeft);
    EXPECT_EQ(cellRect.left + 1, topLeft.x);
    EXPECT_EQ(cellRect.top + 1, topLeft.y);

    // The right-click menu's first item, "粗体", chosen by keys, on the first line.
    ::SendMessageA(edit, EM_SETSEL, 0, 3);
    std::thread keys([] {
        ::Sleep(400);
        SendKey(VK_DOWN);
        ::Sleep(150);
        SendKey(VK_RETURN);
    });
    ::PostMessageA(edit, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(900);
    keys.join();
    PumpFor(60);
    ASSERT_TRUE(cell->IsEditing());
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof cf;
    ::SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE((cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD)) << "bold from the menu";

    realinput::ClickAt(grid.GetSafeHwnd(), gridwine::Centre(grid, 5, 3));
    PumpFor(100);
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(nullptr, cell->GetEditWnd());
    EXPECT_EQ(std::string("ab\xD6\xD0\xCE\xC4\r\n\r\n\r\nc"), std::string(grid.GetCellText(2, 2)));
    const std::string rtf(grid.GetCellRichText(2, 2));
    EXPECT_NE(std::string::npos, rtf.find("\\b")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("ab")) << rtf;
    EXPECT_EQ(endEditsBefore + 1, s_host->endEdits);
    gridwine::Repaint(grid);
    EXPECT_GT(Count(Rect(2, 2), IsDark), 10) << "the new content drawn";
}

// --- the format toolbar over a real editor ------------------------------------------------

struct ThreadWindowSearch {
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchVisibleClass(HWND hwnd, LPARAM lParam)
{
    ThreadWindowSearch* s = reinterpret_cast<ThreadWindowSearch*>(lParam);
    if (ClassOf(hwnd) == s->name && ::IsWindowVisible(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char* className)
{
    ThreadWindowSearch search = {className, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchVisibleClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class FormatToolBarWineTest : public RichTextWineTest {
protected:
    // Opens the editor on cell (2, 2) with F2; the rich edit has the focus.
    void OpenEditor()
    {
        cell = MakeRich(2, 2, kPlainRtf);
        ASSERT_NE(nullptr, cell);
        grid.SetFocusCell(2, 2);
        grid.SetFocus();
        PumpFor(30);
        realinput::PressKey(VK_F2);
        PumpFor(60);
        ASSERT_TRUE(cell->IsEditing());
        edit = ::GetFocus();
        ASSERT_EQ("RichEdit20A", ClassOf(edit));
        bar = FindThreadWindow("KivoSEToolBarWnd");
        ASSERT_NE(nullptr, bar);
        toolbar = ::FindWindowExA(bar, nullptr, "ToolbarWindow32", nullptr);
        ASSERT_NE(nullptr, toolbar);
        // The pointer rests on the bar before the first click, as a user's does.
        realinput::PointerTo(toolbar, CPoint(4, 4));
        PumpFor(200);
    }
    CPoint ButtonCentre(UINT id)
    {
        RECT r = {};
        ::SendMessageA(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&r));
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Click(UINT id)
    {
        realinput::ClickAt(toolbar, ButtonCentre(id));
        PumpFor(40);
    }
    bool Checked(UINT id) { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, id, 0) != 0; }
    CHARFORMAT2W Char()
    {
        CHARFORMAT2W cf = {};
        cf.cbSize = sizeof cf;
        ::SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }
    PARAFORMAT2 Para()
    {
        PARAFORMAT2 pf = {};
        pf.cbSize = sizeof pf;
        ::SendMessageA(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        return pf;
    }
    // Pixels of the toolbar button that have the colour.
    int ButtonPixels(UINT id, COLORREF colour)
    {
        ::RedrawWindow(toolbar, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE);
        PumpFor(30);
        RECT r = {};
        ::SendMessageA(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&r));
        HDC dc = ::GetDC(toolbar);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += ::GetPixel(dc, x, y) == colour ? 1 : 0;
        ::ReleaseDC(toolbar, dc);
        return n;
    }
    // Clicks a colour button's arrow and answers the palette popup.
    HWND OpenPalette(UINT id)
    {
        RECT r = {};
        ::SendMessageA(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&r));
        realinput::ClickAt(toolbar, CPoint(r.right - 4, (r.top + r.bottom) / 2));
        PumpFor(60);
        return FindThreadWindow("KivoColourPopup");
    }

    CGridCellSuperEdit* cell = nullptr;
    HWND edit = nullptr;
    HWND bar = nullptr;
    HWND toolbar = nullptr;
};

// The buttons, boxes and palettes over the real editor, clicked and typed
// with real input; the edit stays open while the focus is in the bar.
TEST_F(FormatToolBarWineTest, TheToolBarFollowsAndFormatsTheSelection)
{
    OpenEditor();
    // At the cell's toolbar position: the right and top edges of the cell.
    CRect cellRect = Rect(2, 2);
    POINT corner = {cellRect.right + 1, cellRect.top + 1};
    ::ClientToScreen(grid.GetSafeHwnd(), &corner);
    RECT barRect;
    ::GetWindowRect(bar, &barRect);
    EXPECT_EQ(corner.x, barRect.left);
    EXPECT_EQ(corner.y, barRect.top);

    ::SendMessageA(edit, EM_SETSEL, 0, 2);
    PumpFor(30);
    const struct {
        UINT id;
        DWORD effect;
    } effects[] = {{32768, CFE_BOLD},      {32769, CFE_ITALIC},      {32770, CFE_UNDERLINE},
                   {32771, CFE_STRIKEOUT}, {32772, CFE_SUPERSCRIPT}, {32773, CFE_SUBSCRIPT}};
    // The cell's content says nothing of bold: it is not bold in the editor
    // either (the control's own default face is the bold system font).
    EXPECT_EQ(0u, Char().dwEffects & CFE_BOLD);
    EXPECT_FALSE(Checked(32768));
    for (const auto& e : effects) {
        Click(e.id);
        EXPECT_NE(0u, Char().dwEffects & e.effect) << e.id;
        EXPECT_TRUE(Checked(e.id)) << e.id;
        EXPECT_EQ(edit, ::GetFocus()) << "the focus stays in the editor";
        ASSERT_TRUE(cell->IsEditing());
    }
    EXPECT_EQ(0u, Char().dwEffects & CFE_SUPERSCRIPT) << "subscript replaced superscript";
    Click(32768);
    EXPECT_EQ(0u, Char().dwEffects & CFE_BOLD) << "bold released";

    Click(32775);
    EXPECT_EQ(PFA_CENTER, Para().wAlignment);
    Click(32776);
    EXPECT_EQ(PFA_RIGHT, Para().wAlignment);
    EXPECT_FALSE(Checked(32775));
    Click(32774);
    EXPECT_EQ(PFA_LEFT, Para().wAlignment);
    Click(32777);
    EXPECT_GT(Para().dxStartIndent, 0);
    Click(32778);
    EXPECT_EQ(0, Para().dxStartIndent);
    Click(32780);
    EXPECT_EQ(PFN_BULLET, Para().wNumbering);
    Click(32781);
    EXPECT_EQ(2, Para().wNumbering);
    EXPECT_FALSE(Checked(32780)) << "numbering released bullets";
    EXPECT_TRUE(Checked(32781));

    // A size chosen in the size box by keys.
    HWND sizeBox = ::GetDlgItem(bar, 1110);
    ASSERT_NE(nullptr, sizeBox);
    RECT boxRect;
    ::GetClientRect(sizeBox, &boxRect);
    realinput::ClickAt(sizeBox, CPoint(boxRect.right / 2, boxRect.bottom / 2));
    PumpFor(60);
    realinput::PressKey(VK_DOWN);
    realinput::PressKey(VK_RETURN);
    PumpFor(60);
    ASSERT_TRUE(cell->IsEditing()) << "the edit stays open while the focus is in the box";
    const LRESULT sizeSel = ::SendMessageA(sizeBox, CB_GETCURSEL, 0, 0);
    char sizeText[8] = {};
    ::SendMessageA(sizeBox, CB_GETLBTEXT, static_cast<WPARAM>(sizeSel), reinterpret_cast<LPARAM>(sizeText));
    EXPECT_EQ(std::atoi(sizeText) * 20, Char().yHeight);
    EXPECT_EQ(edit, ::GetFocus());

    // A face chosen in the face box.
    HWND faceBox = ::GetDlgItem(bar, 32787);
    ASSERT_NE(nullptr, faceBox);
    const LRESULT arial = ::SendMessageA(faceBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>("Tahoma"));
    if (arial >= 0) {
        ::SendMessageA(faceBox, CB_SETCURSEL, static_cast<WPARAM>(arial), 0);
        ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(32787, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faceBox));
        PumpFor(30);
        EXPECT_STREQ(L"Tahoma", Char().szFaceName);
    }

    // Moving the selection updates the buttons and the boxes.
    ::SendMessageA(edit, EM_SETSEL, 2, 3);
    PumpFor(30);
    EXPECT_FALSE(Checked(32769)) << "the third letter is not italic";
    ::SendMessageA(edit, EM_SETSEL, 0, 1);
    PumpFor(30);
    EXPECT_TRUE(Checked(32769));
    EXPECT_EQ(sizeSel, ::SendMessageA(sizeBox, CB_GETCURSEL, 0, 0));
    ::SendMessageA(edit, EM_SETSEL, 2, 3);
    PumpFor(30);
    char shown[8] = {};
    ::SendMessageA(sizeBox, CB_GETLBTEXT, static_cast<WPARAM>(::SendMessageA(sizeBox, CB_GETCURSEL, 0, 0)),
                   reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ("18", shown);

    ASSERT_TRUE(cell->IsEditing());
    // Ending the edit draws the committed cell through the windowless text
    // services, which do not work under Wine yet: the editor is closed with
    // the grid.
}

TEST_F(FormatToolBarWineTest, ColourButtonsOpenThePaletteBelowThemAndApplyTheChoice)
{
    OpenEditor();
    ::SendMessageA(edit, EM_SETSEL, 0, 2);
    PumpFor(30);

    const COLORREF darkRed = 0x00008B;
    EXPECT_EQ(0, ButtonPixels(32783, darkRed));
    HWND popup = OpenPalette(32783);
    ASSERT_NE(nullptr, popup);
    RECT button = {};
    ::SendMessageA(toolbar, TB_GETRECT, 32783, reinterpret_cast<LPARAM>(&button));
    POINT below = {button.left, button.bottom};
    ::ClientToScreen(toolbar, &below);
    RECT popupRect;
    ::GetWindowRect(popup, &popupRect);
    EXPECT_EQ(below.x, popupRect.left);
    EXPECT_EQ(below.y, popupRect.top);
    ASSERT_TRUE(cell->IsEditing());
    // Black is chosen; Down moves to the dark red under it.
    realinput::PressKey(VK_DOWN);
    realinput::PressKey(VK_RETURN);
    PumpFor(60);
    EXPECT_EQ(nullptr, FindThreadWindow("KivoColourPopup"));
    ASSERT_TRUE(cell->IsEditing());
    CHARFORMAT2W cf = Char();
    EXPECT_EQ(darkRed, cf.crTextColor);
    EXPECT_EQ(0u, cf.dwEffects & CFE_AUTOCOLOR);
    EXPECT_GT(ButtonPixels(32783, darkRed), 5) << "the button's image shows the colour";

    // "更多颜色" with the colour dialog cancelled keeps the colour.
    popup = OpenPalette(32783);
    ASSERT_NE(nullptr, popup);
    std::thread cancel([] {
        ::Sleep(900);
        SendKey(VK_ESCAPE);
    });
    realinput::PressKey(VK_UP);      // dark red -> black
    realinput::PressKey(VK_UP);      // -> the default box
    realinput::PressKey(VK_UP);      // -> the custom box
    realinput::PressKey(VK_RETURN);  // the colour dialog, cancelled by the thread
    PumpFor(1200);
    cancel.join();
    PumpFor(60);
    ASSERT_TRUE(cell->IsEditing());
    EXPECT_EQ(darkRed, Char().crTextColor);
    EXPECT_GT(ButtonPixels(32783, darkRed), 5);

    // The back colour: a colour, then "无" for the automatic background.
    popup = OpenPalette(32782);
    ASSERT_NE(nullptr, popup);
    realinput::PressKey(VK_DOWN);    // the default box -> black
    realinput::PressKey(VK_RIGHT);   // -> brown
    realinput::PressKey(VK_RETURN);
    PumpFor(60);
    cf = Char();
    EXPECT_EQ(0x002AA5u, cf.crBackColor);
    EXPECT_EQ(0u, cf.dwEffects & CFE_AUTOBACKCOLOR);
    popup = OpenPalette(32782);
    ASSERT_NE(nullptr, popup);
    realinput::PressKey(VK_UP);      // brown -> the default box "无"
    realinput::PressKey(VK_RETURN);
    PumpFor(60);
    EXPECT_NE(0u, Char().dwEffects & CFE_AUTOBACKCOLOR);

    // A release outside the arrow after a press on it opens nothing.
    RECT back = {};
    ::SendMessageA(toolbar, TB_GETRECT, 32782, reinterpret_cast<LPARAM>(&back));
    realinput::PointerTo(toolbar, CPoint(back.right - 4, (back.top + back.bottom) / 2));
    realinput::Button(MOUSEEVENTF_LEFTDOWN);
    realinput::PointerTo(toolbar, ButtonCentre(32774));
    realinput::Button(MOUSEEVENTF_LEFTUP);
    PumpFor(60);
    EXPECT_EQ(nullptr, FindThreadWindow("KivoColourPopup"));
    ASSERT_TRUE(cell->IsEditing());
}

// The edit ends while the palette's colour dialog is open (the editor is
// closed from outside): the toolbar, the palette and the dialog go with the
// editor, the palette does not touch itself after the dialog returns, and the
// typed text is committed.
TEST_F(FormatToolBarWineTest, TheEditEndingUnderTheColourDialogTakesThePaletteAlong)
{
    OpenEditor();
    const int endEditsBefore = s_host->endEdits;
    const HWND editor = ::GetParent(edit);
    ASSERT_EQ(std::string("KivoSuperEditWnd"), ClassOf(editor));
    HWND popup = OpenPalette(32783);
    ASSERT_NE(nullptr, popup);
    std::thread closer([editor] {
        ::Sleep(900);
        ::PostMessageA(editor, WM_CLOSE, 0, 0);
    });
    realinput::PressKey(VK_UP);      // black -> the default box
    realinput::PressKey(VK_UP);      // -> the custom box
    realinput::PressKey(VK_RETURN);  // the colour dialog, open when the editor closes
    PumpFor(1200);
    closer.join();
    PumpFor(60);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_FALSE(::IsWindow(bar));
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(endEditsBefore + 1, s_host->endEdits);
    // A new edit of the cell has a toolbar and a palette of its own.
    grid.SetFocus();
    PumpFor(30);
    realinput::PressKey(VK_F2);
    PumpFor(60);
    ASSERT_TRUE(cell->IsEditing());
    bar = FindThreadWindow("KivoSEToolBarWnd");
    ASSERT_NE(nullptr, bar);
    toolbar = ::FindWindowExA(bar, nullptr, "ToolbarWindow32", nullptr);
    ASSERT_NE(nullptr, toolbar);
    popup = OpenPalette(32783);
    ASSERT_NE(nullptr, popup);
    realinput::PressKey(VK_ESCAPE);
    PumpFor(60);
    EXPECT_FALSE(::IsWindow(popup));
    ASSERT_TRUE(cell->IsEditing());
}

// The grid's window goes while the editor is open (the editor's window goes
// with it): the cell lets go of the editor instead of touching it, and the
// grid's own end (the fixture's) finds nothing open.
TEST_F(RichTextWineTest, AnEditorThatWentWithTheGridWindowIsForgotten)
{
    CGridCellSuperEdit* cell = MakeRich(2, 2, kPlainRtf);
    ASSERT_NE(nullptr, cell);
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    PumpFor(30);
    realinput::PressKey(VK_F2);
    ASSERT_TRUE(cell->IsEditing());
    ASSERT_NE(nullptr, cell->GetEditWnd());
    ASSERT_TRUE(grid.LockSuperEditContent(2, 2));
    EXPECT_TRUE(cell->IsLockedOnEditor());

    grid.DestroyWindow();
    PumpFor(30);
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(nullptr, cell->GetEditWnd());
    EXPECT_FALSE(cell->IsLocked());
    EXPECT_EQ(0, cell->SECharGetFontSize()) << "no content to work on";
    cell->EndEdit();
    cell->OnEndEdit();
    // The stored content opens on a host of the cell's own again.
    ASSERT_TRUE(cell->SELockContent());
    EXPECT_EQ(std::string("WWW"), std::string(cell->SECtrlGetText()).substr(0, 3));
    EXPECT_TRUE(cell->SEUnlockContent());
}

// Closing the editor window from outside (WM_CLOSE) ends the edit as the
// focus leaving it does: the grid commits what was typed.
TEST_F(RichTextWineTest, ClosingTheEditorWindowCommitsTheEdit)
{
    CGridCellSuperEdit* cell = MakeRich(2, 2, "");
    ASSERT_NE(nullptr, cell);
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    PumpFor(30);
    const int endEditsBefore = s_host->endEdits;
    realinput::PressKey(VK_F2);
    ASSERT_TRUE(cell->IsEditing());
    realinput::PressKey('X');
    realinput::PressKey(VK_ESCAPE);                  // typed into the editor, which stays open
    ASSERT_TRUE(cell->IsEditing());
    ::SendMessageA(cell->GetEditWnd()->GetSafeHwnd(), WM_CLOSE, 0, 0);
    PumpFor(60);
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(nullptr, cell->GetEditWnd());
    EXPECT_EQ(std::string("x"), std::string(grid.GetCellText(2, 2)));
    EXPECT_NE(std::string::npos, std::string(grid.GetCellRichText(2, 2)).find("x"));
    EXPECT_EQ(endEditsBefore + 1, s_host->endEdits);
}

TEST_F(RichTextWineTest, EnterOrAReadOnlyCellOpensNoEditor)
{
    CGridCellSuperEdit* cell = MakeRich(2, 2, kPlainRtf);
    ASSERT_NE(nullptr, cell);
    EXPECT_TRUE(cell->Edit(2, 2, Rect(2, 2), CPoint(-1, -1), 8, 13));
    EXPECT_FALSE(cell->IsEditing());
    cell->SetState(cell->GetState() | GCS_READONLY);
    EXPECT_TRUE(cell->Edit(2, 2, Rect(2, 2), CPoint(-1, -1), 8, 'x'));
    EXPECT_FALSE(cell->IsEditing());
}

}  // namespace
