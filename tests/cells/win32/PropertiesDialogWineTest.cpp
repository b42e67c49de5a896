// The rich-text editor's properties dialog under Wine, driven from a timer as
// a user would drive it: its pages show the formats, the tabs switch, OK gives
// back the pages' results and Cancel gives nothing.
#include "cells/FormatDialogPages.h"
#include "cells/win32/FormatWindows.h"
#include "grid/win32/GridWineTestUtil.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Script {
    bool ok = true;              // press OK, else Cancel
    bool seen = false;
    bool fontPageShown = false;
    bool paraPageShown = false;
    bool underlineTicked = false;
};
Script* g_script = nullptr;

struct ChildSearch {
    int id;
    HWND found;
};

// A callback of the system's calling convention (a lambda is not one on
// 32-bit Windows).
BOOL CALLBACK MatchButtonId(HWND hwnd, LPARAM lParam)
{
    ChildSearch* s = reinterpret_cast<ChildSearch*>(lParam);
    if (::GetDlgCtrlID(hwnd) == s->id && ::GetParent(::GetParent(hwnd)) != nullptr) {
        char name[32] = {};
        ::GetClassNameA(hwnd, name, sizeof name);
        if (std::string(name) == "Button" && s->found == nullptr)
            s->found = hwnd;
    }
    return TRUE;
}

HWND FindChildById(HWND parent, int id)
{
    ChildSearch s = {id, nullptr};
    ::EnumChildWindows(parent, MatchButtonId, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

BOOL CALLBACK Drive(HWND hwnd, LPARAM)
{
    wchar_t caption[16] = {};
    ::GetWindowTextW(hwnd, caption, 16);
    if (!::IsWindowVisible(hwnd) || std::wstring(caption) != L"\x5C5E\x6027")   // "属性"
        return TRUE;
    Script& s = *g_script;
    s.seen = true;
    HWND tab = ::GetDlgItem(hwnd, 208);
    HWND underline = FindChildById(hwnd, 213);
    s.fontPageShown = underline != nullptr && ::IsWindowVisible(underline);
    s.underlineTicked = underline != nullptr && ::SendMessageA(underline, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // The paragraph tab, as a click on it would choose it.
    ::SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    NMHDR hdr = {tab, 208, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageA(hwnd, WM_NOTIFY, 208, reinterpret_cast<LPARAM>(&hdr));
    s.paraPageShown = underline != nullptr && !::IsWindowVisible(underline);
    // Clear the underline box and close.
    if (underline != nullptr && s.underlineTicked)
        ::SendMessageA(underline, BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(hwnd, s.ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    return FALSE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_script != nullptr && !g_script->seen)
        ::EnumThreadWindows(::GetCurrentThreadId(), Drive, 0);
}

BOOL RunDialog(Script& script, proppages::FontResult& font, RichParaFormat& para)
{
    proppages::FontInput in;
    in.cf.dwMask = richtext::RT_CFM_UNDERLINE | richtext::RT_CFM_FACE | richtext::RT_CFM_COLOR;
    in.cf.dwEffects = richtext::RT_CFE_UNDERLINE | richtext::RT_CFE_AUTOCOLOR;
    in.cf.strFace = "Tahoma";
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_ALIGNMENT | richtext::RT_PFM_LINESPACING;
    pf.wAlignment = 3;
    g_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, OnTimer);
    const BOOL accepted = RunPropertiesDialog(nullptr, in, pf, font, para);
    ::KillTimer(nullptr, timer);
    g_script = nullptr;
    return accepted;
}

TEST(PropertiesDialogWine, OkGivesThePagesResultsWithTheClearedUnderline)
{
    Script script;
    proppages::FontResult font;
    RichParaFormat para;
    ASSERT_TRUE(RunDialog(script, font, para));
    EXPECT_TRUE(script.seen);
    EXPECT_TRUE(script.fontPageShown);
    EXPECT_TRUE(script.underlineTicked) << "the page shows the selection's underline";
    EXPECT_TRUE(script.paraPageShown) << "the tab switched the pages";
    EXPECT_NE(0u, font.cf.dwMask & richtext::RT_CFM_UNDERLINE);
    EXPECT_EQ(0u, font.cf.dwEffects & richtext::RT_CFE_UNDERLINE) << "the cleared underline is removed";
    EXPECT_NE(0u, font.cf.dwEffects & richtext::RT_CFE_AUTOCOLOR) << "untouched automatic colour stays";
    EXPECT_EQ(0u, font.cf.dwMask & richtext::RT_CFM_SIZE) << "a size the selection did not have is not set";
    EXPECT_EQ(3, para.wAlignment);
}

TEST(PropertiesDialogWine, CancelGivesNothing)
{
    Script script;
    script.ok = false;
    proppages::FontResult font;
    RichParaFormat para;
    EXPECT_FALSE(RunDialog(script, font, para));
    EXPECT_TRUE(script.seen);
}

}  // namespace
