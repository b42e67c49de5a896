// The display-format dialogs of KivoDesigner.exe fit a 1024 x 768 screen:
// each opens from its command with a cell selected, is no larger than the
// screen, and every one of its controls lies inside it. With
// KIVO_DATE_DIALOG_SHOT naming a host file the date and time dialog is saved
// there as a bitmap.
#include "designer/win32/DesignerDriver.h"
#include "designer/win32/ScreenPicture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DialogFit : public DesignerProgramBase {};

struct ChildCheck {
    RECT dialog;
    int outside;
    int count;
};

BOOL CALLBACK CheckChild(HWND h, LPARAM l)
{
    auto* c = reinterpret_cast<ChildCheck*>(l);
    if (!::IsWindowVisible(h) || ClassOf(h) == "ComboLBox")
        return TRUE;
    RECT r;
    ::GetWindowRect(h, &r);
    ++c->count;
    if (r.left < c->dialog.left || r.top < c->dialog.top || r.right > c->dialog.right || r.bottom > c->dialog.bottom)
        ++c->outside;
    return TRUE;
}

TEST_F(DialogFit, FormatDialogsFitTheScreen)
{
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 60}));
    const struct {
        UINT id;
        const char* name;
    } dialogs[] = {{32875, "numeric"},  {32876, "currency"},   {32877, "date and time"},
                   {32878, "boolean"},  {32879, "percentage"}, {32880, "scientific"}};
    for (const auto& c : dialogs) {
        SCOPED_TRACE(c.name);
        ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        HWND dialog = d.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        Pump(300);
        RECT r;
        ::GetWindowRect(dialog, &r);
        EXPECT_LE(r.right - r.left, 1024);
        EXPECT_LE(r.bottom - r.top, 768);
        ChildCheck check = {r, 0, 0};
        ::EnumChildWindows(dialog, CheckChild, reinterpret_cast<LPARAM>(&check));
        EXPECT_GT(check.count, 2);
        EXPECT_EQ(0, check.outside);
        if (c.id == 32877)
            SaveShotIfAsked("KIVO_DATE_DIALOG_SHOT", dialog);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }
    EXPECT_EQ(0, d.Close());
}

}  // namespace
