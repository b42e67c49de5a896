// The sample host's sheet tried as a new user would: the rich-text notes are
// drawn, a double click opens the editor with its format toolbar beside the
// cell, a click on the bold button formats the selection, and a click
// elsewhere ends the edit with the formatted text kept in the cell.
#include "sample/SampleSheet.h"

#include "cells/GridCellRichText.h"
#include "cells/GridScrollBarHooks.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/win32/GridWineTestUtil.h"
#include "grid/win32/ScreenCapture.h"
#include "cells/win32/RealInput.h"
#include "platform/System.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwine::PumpFor;

namespace {

const int kRichRow = 46;
const int kRichCol = 5;

using screencapture::Capture;
using Shot = screencapture::Picture;

// With KIVO_SAMPLE_SHOTS naming a host folder, saves the whole screen there
// as name.bmp for people to look at.
void SaveScreenIfAsked(const char* name)
{
    char dir[400] = {0};
    if (::GetEnvironmentVariableA("KIVO_SAMPLE_SHOTS", dir, sizeof(dir)) == 0)
        return;
    const RECT all = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    std::string path = std::string(dir[0] == '/' ? "Z:" : "") + dir + "/" + name + ".bmp";
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    screencapture::SaveBmp(Capture(all), path);
}

bool Red(int r, int g, int b) { return r > 150 && g < 90 && b < 90; }
bool Blue(int r, int g, int b) { return b > 150 && r < 90 && g < 140; }
bool Dark(int r, int g, int b) { return r + g + b < 3 * 96; }

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

struct Search {
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchVisible(HWND hwnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    if (ClassOf(hwnd) == s->name && ::IsWindowVisible(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char* className)
{
    Search search = {className, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT ScreenRectOf(CGridCtrl& grid, int row, int col)
{
    CRect rect;
    grid.GetCellRect(row, col, &rect);
    RECT r = rect;
    ::MapWindowPoints(grid.GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The character format of the second line of rich text, read by a rich-edit
// control of the test's own.
CHARFORMAT2A SecondLineFormat(const std::string& rtf)
{
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof cf;
    HWND reader = ::CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (reader == nullptr)
        return cf;
    SETTEXTEX st = {ST_DEFAULT, CP_ACP};
    ::SendMessageA(reader, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(rtf.c_str()));
    const LRESULT start = ::SendMessageA(reader, EM_LINEINDEX, 1, 0);
    const LRESULT length = ::SendMessageA(reader, EM_LINELENGTH, start, 0);
    ::SendMessageA(reader, EM_SETSEL, start, start + length);
    ::SendMessageA(reader, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    ::DestroyWindow(reader);
    return cf;
}

class SampleRichTextWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallGridScrollBarHooks();
        InstallInPlaceEditHooks();
        ::LoadLibraryA("riched20.dll");
        PlatformRegisterWindowClass("KivoSampleFrameTest", CS_HREDRAW | CS_VREDRAW, PlatformLoadCursor(IDC_ARROW),
                                    COLOR_BTNFACE + 1);
        ASSERT_TRUE(frame.CreateEx(0, "KivoSampleFrameTest", "KivoSheet sample", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                   CRect(40, 40, 940, 600), nullptr, 0));
        frame.ShowWindow(SW_SHOW);
        frame.UpdateWindow();
        ::SetForegroundWindow(frame.GetSafeHwnd());
        PumpFor(200);
    }
    void TearDown() override
    {
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
        PumpFor(60);
    }

    SampleFrame frame;
};

TEST_F(SampleRichTextWineTest, TheNotesAreDrawnAndEditedWithTheToolBar)
{
    CGridCtrl& grid = frame.GetGrid();
    // The user scrolls down to the notes.
    grid.EnsureVisible(kRichRow + 2, kRichCol);
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    PumpFor(200);
    auto* cell = dynamic_cast<CGridCellSuperEdit*>(grid.GetCell(kRichRow, kRichCol));
    ASSERT_NE(nullptr, cell) << "a rich-text cell";
    const std::string before(grid.GetCellRichText(kRichRow, kRichCol));
    const std::string text(grid.GetCellText(kRichRow, kRichCol));
    EXPECT_NE(std::string::npos, text.find("\xBC\xD3\xBC\xB1")) << text;   // the first line's bold word
    EXPECT_NE(std::string::npos, text.find("\r\n\xCF\xC2\xD6\xDC")) << text;   // the second line

    // Drawn: the red bold word and the blue second line in the cell, letters
    // in the other two notes.
    const Shot urgent = Capture(ScreenRectOf(grid, kRichRow, kRichCol));
    EXPECT_GT(urgent.CountIf(Red), 15) << "the red word";
    EXPECT_GT(urgent.CountIf(Blue), 15) << "the blue second line";
    EXPECT_GT(Capture(ScreenRectOf(grid, kRichRow + 1, kRichCol)).CountIf(Dark), 15);
    EXPECT_GT(Capture(ScreenRectOf(grid, kRichRow + 2, kRichCol)).CountIf(Blue), 8);
    SaveScreenIfAsked("sample-rich-sheet");

    // A double click opens the editor, and the format toolbar shows at the
    // cell's top right corner.
    const CPoint centre = gridwine::Centre(grid, kRichRow, kRichCol);
    realinput::ClickAt(grid.GetSafeHwnd(), centre);
    realinput::ClickAt(grid.GetSafeHwnd(), centre);
    PumpFor(200);
    ASSERT_TRUE(cell->IsEditing()) << "a double click opens the editor";
    HWND edit = ::GetFocus();
    ASSERT_EQ("RichEdit20A", ClassOf(edit));
    HWND bar = FindThreadWindow("KivoSEToolBarWnd");
    ASSERT_NE(nullptr, bar) << "the format toolbar";
    EXPECT_TRUE(::IsWindowVisible(bar));
    HWND toolbar = ::FindWindowExA(bar, nullptr, "ToolbarWindow32", nullptr);
    ASSERT_NE(nullptr, toolbar);
    const RECT cellRect = ScreenRectOf(grid, kRichRow, kRichCol);
    RECT barRect;
    ::GetWindowRect(bar, &barRect);
    EXPECT_EQ(cellRect.right + 1, barRect.left);
    EXPECT_EQ(cellRect.top + 1, barRect.top);
    realinput::PointerTo(toolbar, CPoint(4, 4));
    PumpFor(200);
    RECT buttons;
    ::GetWindowRect(toolbar, &buttons);
    const Shot barShot = Capture(buttons);
    EXPECT_GT(barShot.CountIf(Dark), 40) << "the buttons' pictures drawn";
    SaveScreenIfAsked("sample-rich-editor");

    // The second line selected, then bold from the toolbar.
    const LRESULT start = ::SendMessageA(edit, EM_LINEINDEX, 1, 0);
    const LRESULT length = ::SendMessageA(edit, EM_LINELENGTH, start, 0);
    ASSERT_GT(length, 0);
    ::SendMessageA(edit, EM_SETSEL, start, start + length);
    PumpFor(40);
    RECT bold = {};
    ::SendMessageA(toolbar, TB_GETRECT, 32768, reinterpret_cast<LPARAM>(&bold));
    realinput::ClickAt(toolbar, CPoint((bold.left + bold.right) / 2, (bold.top + bold.bottom) / 2));
    PumpFor(60);
    ASSERT_TRUE(cell->IsEditing());
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof cf;
    ::SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE((cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD)) << "bold from the toolbar";
    EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONCHECKED, 32768, 0) != 0);
    SaveScreenIfAsked("sample-rich-bold");
    // The size box shows the selection's size over the repainted toolbar:
    // its text and its arrow are drawn, not painted over by the buttons.
    HWND sizeBox = ::GetDlgItem(bar, 1110);
    ASSERT_NE(nullptr, sizeBox);
    char size[16] = {};
    ::GetWindowTextA(sizeBox, size, sizeof size);
    EXPECT_STREQ("9", size);
    ::RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(60);
    RECT sizeRect;
    ::GetWindowRect(sizeBox, &sizeRect);
    EXPECT_GT(Capture(sizeRect).CountIf(Dark), 5) << "the size box drawn over the toolbar";

    // A click on another cell ends the edit; the cell keeps the formatted text.
    realinput::ClickAt(grid.GetSafeHwnd(), gridwine::Centre(grid, kRichRow + 3, 2));
    PumpFor(200);
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(nullptr, FindThreadWindow("KivoSEToolBarWnd")) << "the toolbar went with the editor";
    EXPECT_EQ(text, std::string(grid.GetCellText(kRichRow, kRichCol)));
    const std::string after(grid.GetCellRichText(kRichRow, kRichCol));
    EXPECT_NE(before, after);
    const CHARFORMAT2A kept = SecondLineFormat(after);
    EXPECT_TRUE((kept.dwMask & CFM_BOLD) && (kept.dwEffects & CFE_BOLD)) << after;
    EXPECT_EQ(RGB(0, 80, 200), kept.crTextColor) << "the colour kept";
    const CHARFORMAT2A was = SecondLineFormat(before);
    EXPECT_FALSE(was.dwEffects & CFE_BOLD) << "the reader sees the old line as plain";
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    PumpFor(100);
    EXPECT_GT(Capture(ScreenRectOf(grid, kRichRow, kRichCol)).CountIf(Blue), 15) << "the edited note drawn";
    SaveScreenIfAsked("sample-rich-after");
}

}  // namespace
