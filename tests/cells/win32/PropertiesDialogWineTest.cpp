// The rich-text editor's properties dialog under Wine, driven from a timer as
// a user would drive it: its pages show the formats, the tabs switch, OK gives
// back the pages' results and Cancel gives nothing; real clicks on the spin
// arrows step their edit boxes and the text-colour picker chooses from its
// palette with real keys.
#include "cells/FormatDialogPages.h"
#include "cells/win32/FormatWindows.h"
#include "cells/win32/RealInput.h"
#include "grid/win32/GridWineTestUtil.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Script {
    bool ok = true;              // press OK, else Cancel
    bool spinsAndPicker = false; // the spins and the picker, by real input
    std::string spaceBeforeShown;
    std::string spaceBeforeAfterClicks;
    std::string spacingAfterClick;
    bool popupBelowPicker = false;
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

struct ClassSearch {
    int id;
    const char* cls;
    HWND found;
};

BOOL CALLBACK MatchIdAndClass(HWND hwnd, LPARAM lParam)
{
    ClassSearch* s = reinterpret_cast<ClassSearch*>(lParam);
    char name[32] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (::GetDlgCtrlID(hwnd) == s->id && ::lstrcmpiA(name, s->cls) == 0 && ::IsWindowVisible(hwnd) &&
        s->found == nullptr)
        s->found = hwnd;
    return TRUE;
}

HWND FindChildOfClass(HWND parent, int id, const char* cls)
{
    ClassSearch s = {id, cls, nullptr};
    ::EnumChildWindows(parent, MatchIdAndClass, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string TextOf(HWND hwnd)
{
    char text[64] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

void ShowTab(HWND dlg, int index)
{
    HWND tab = ::GetDlgItem(dlg, 208);
    ::SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR hdr = {tab, 208, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageA(dlg, WM_NOTIFY, 208, reinterpret_cast<LPARAM>(&hdr));
    gridwine::PumpFor(60);
}

// Clicks the upper (bUp) or lower half of an up-down control.
void ClickArrow(HWND spin, bool bUp)
{
    RECT r;
    ::GetClientRect(spin, &r);
    realinput::ClickAt(spin, POINT{r.right / 2, bUp ? r.bottom / 4 : r.bottom * 3 / 4});
}

void DriveSpinsAndPicker(HWND dlg, Script& s)
{
    ::SetForegroundWindow(dlg);
    gridwine::PumpFor(60);
    // The font page: one click up on the character spacing.
    HWND spacingSpin = FindChildOfClass(dlg, 226, "msctls_updown32");
    HWND spacingEdit = FindChildOfClass(dlg, 203, "Edit");
    if (spacingSpin != nullptr && ::IsWindowVisible(spacingSpin)) {
        ClickArrow(spacingSpin, true);
        s.spacingAfterClick = TextOf(spacingEdit);
    }
    // The text-colour picker: a real click opens the palette below it; Down
    // from black ("Black", entry 0) goes to "Dark red", Enter takes it.
    HWND picker = FindChildOfClass(dlg, 212, "Button");
    if (picker != nullptr) {
        realinput::ClickAt(picker, POINT{8, 6});
        HWND popup = nullptr;
        gridwine::PumpUntil([&] { return (popup = ::FindWindowA(kColourPopupClass, nullptr)) != nullptr; }, 1500);
        if (popup != nullptr) {
            RECT pr, br;
            ::GetWindowRect(picker, &br);
            ::GetWindowRect(popup, &pr);
            s.popupBelowPicker = pr.left == br.left && pr.top == br.bottom;
            realinput::PressKey(VK_DOWN);
            realinput::PressKey(VK_RETURN);
            gridwine::PumpUntil([] { return ::FindWindowA(kColourPopupClass, nullptr) == nullptr; }, 1000);
        }
    }
    // The paragraph page: space before shows the record's 240 twips, above
    // the spin's usual top of 100; two clicks up keep it, one down steps.
    ShowTab(dlg, 1);
    HWND beforeSpin = FindChildOfClass(dlg, 224, "msctls_updown32");
    HWND beforeEdit = FindChildOfClass(dlg, 221, "Edit");
    s.spaceBeforeShown = TextOf(beforeEdit);
    if (beforeSpin != nullptr) {
        for (bool up : {true, true, false}) {
            ClickArrow(beforeSpin, up);
            s.spaceBeforeAfterClicks += TextOf(beforeEdit) + " ";
        }
    }
    ::SendMessageA(::GetDlgItem(dlg, s.ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
}

BOOL CALLBACK Drive(HWND hwnd, LPARAM)
{
    wchar_t caption[16] = {};
    ::GetWindowTextW(hwnd, caption, 16);
    if (!::IsWindowVisible(hwnd) || std::wstring(caption) != L"\x5C5E\x6027")   // "属性"
        return TRUE;
    Script& s = *g_script;
    s.seen = true;
    if (s.spinsAndPicker) {
        DriveSpinsAndPicker(hwnd, s);
        return FALSE;
    }
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
    in.bSpacing = true;
    in.sSpacing = 3 * 20;
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_ALIGNMENT | richtext::RT_PFM_LINESPACING | richtext::RT_PFM_SPACEBEFORE;
    pf.wAlignment = 3;
    pf.dySpaceBefore = 240;
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

TEST(PropertiesDialogWine, SpinArrowsStepTheirEditsAndThePickerChoosesByKeys)
{
    Script script;
    script.spinsAndPicker = true;
    proppages::FontResult font;
    RichParaFormat para;
    ASSERT_TRUE(RunDialog(script, font, para));
    ASSERT_TRUE(script.seen);
    EXPECT_EQ("4", script.spacingAfterClick) << "3 points and one step up";
    EXPECT_TRUE(font.bSpacing);
    EXPECT_EQ(4 * 20, font.sSpacing);
    EXPECT_TRUE(script.popupBelowPicker);
    EXPECT_NE(0u, font.cf.dwMask & richtext::RT_CFM_COLOR);
    EXPECT_EQ(0u, font.cf.dwEffects & richtext::RT_CFE_AUTOCOLOR) << "a chosen colour is no longer automatic";
    EXPECT_EQ(0x00008Bu, font.cf.crTextColor) << "Down from black is dark red";
    // A value above the spin's usual 100 is not cut down to it by a click.
    EXPECT_EQ("240", script.spaceBeforeShown);
    EXPECT_EQ("240 240 239 ", script.spaceBeforeAfterClicks);
    EXPECT_NE(0u, para.dwMask & richtext::RT_PFM_SPACEBEFORE);
    EXPECT_EQ(239, para.dySpaceBefore);
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
