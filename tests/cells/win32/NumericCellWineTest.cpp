// A numeric cell's in-place editor in a real grid window under Wine, typed
// into with real keys (SendInput): letters are refused, a digit that would
// take the number past the limit is refused, Enter commits what was kept.
#include "cells/GridCellNumeric.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridMessages.h"
#include "grid/win32/GridWineTestUtil.h"
#include "cells/win32/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using gridwine::PumpFor;
using gridwine::PumpUntil;

namespace {

std::string FocusText()
{
    char text[256] = {};
    ::GetWindowTextA(::GetFocus(), text, sizeof(text));
    return text;
}

std::string FocusClass()
{
    char name[64] = {};
    ::GetClassNameA(::GetFocus(), name, sizeof(name));
    return name;
}

TEST(NumericCellWineTest, TheEditorRefusesLettersAndValuesPastTheLimit)
{
    InstallInPlaceEditHooks();
    CWnd host;
    ASSERT_TRUE(gridwine::ShowTopLevel(&host, "KivoNumericWineHost", "host", WS_POPUP | WS_VISIBLE,
                                       CRect(60, 60, 560, 400)));
    ::SetForegroundWindow(host.GetSafeHwnd());
    CGridCtrl grid;
    gridwine::LayOut(grid, 6, 4, 24, 40, 120);
    ASSERT_TRUE(gridwine::CreateFilling(grid, &host, 9));
    ASSERT_TRUE(grid.SetCellControl(
        2, 2, "<control controltype=\"numeric\" inputtype=\"1\" limit=\"1\" inputmin=\"0\" inputmax=\"100\" ></control>"));
    ASSERT_NE(nullptr, dynamic_cast<CGridCellNumeric*>(grid.GetCell(2, 2)));
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    PumpFor(40);

    realinput::TypeText("4");
    ASSERT_TRUE(PumpUntil([&] { return grid.GetCell(2, 2)->IsEditing() != FALSE; })) << "typing starts the edit";
    EXPECT_EQ("Edit", FocusClass().substr(0, 4));
    realinput::TypeText("a2bz");
    EXPECT_EQ("42", FocusText()) << "letters are refused";
    realinput::TypeText("9");
    EXPECT_EQ("42", FocusText()) << "429 is past the limit of 100";
    realinput::TypeText("x");
    realinput::PressKey(VK_BACK);
    realinput::TypeText("1");
    EXPECT_EQ("41", FocusText());
    realinput::PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return grid.GetCell(2, 2)->IsEditing() == FALSE; }));
    EXPECT_STREQ("41", grid.GetCell(2, 2)->GetText());

    grid.DestroyWindow();
    host.DestroyWindow();
    PumpFor(30);
}

}  // namespace
