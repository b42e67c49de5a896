// Number fields of a dialog of the test's own: a second thread clicks the
// up-down arrows and types into the edit boxes with real input while the
// dialog runs modally, and the texts the boxes show are read back.
#include "designer/win32/DialogWindows.h"
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using designerwine::Click;
using designerwine::ControlTextOf;
using designerwine::Press;
using designerwine::WaitFor;

const UINT kDialogId = 9701;

class SpinTestDialog : public CDialogWindow {
public:
    SpinTestDialog() : CDialogWindow(kDialogId) {}

    CNumberSpinWnd* stops = nullptr;
    CNumberSpinWnd* wraps = nullptr;
    CNumberSpinWnd* quarters = nullptr;
    bool refusedReadOnly = false;
    bool refusedNotSpin = false;
    bool refusedMissing = false;

protected:
    BOOL OnInitDialog() override
    {
        stops = AttachSpin(1002, 1001, 10, 30, 1);
        wraps = AttachSpin(1004, 1003, 10, 30, 1);
        quarters = AttachSpin(1006, 1005, 0, 1, 0.25, 2);
        if (stops != nullptr)
            stops->SetValue(29);
        if (wraps != nullptr)
            wraps->SetValue(30);
        if (quarters != nullptr)
            quarters->SetValue(0.5);
        // A read-only buddy shows what the dialog puts there and no steps.
        CNumberSpinWnd* shown = AttachSpin(1008, 1007, 0, 10, 1);
        refusedReadOnly = shown != nullptr && !shown->SetValue(5);
        SetItemText(1007, "7");
        refusedNotSpin = AttachSpin(1001, 0, 0, 1, 1) == nullptr;
        refusedMissing = AttachSpin(1099, 1001, 0, 1, 1) == nullptr;
        return TRUE;
    }
};

// What the driving thread saw, checked on the test's thread afterwards.
struct Seen {
    HWND dialog = nullptr;
    std::vector<std::string> texts;
    std::vector<int> positions;
};

bool WaitText(HWND edit, const std::string& expected)
{
    return WaitFor([&] { return ControlTextOf(edit) == expected; }, 3000);
}

void ClickArrow(HWND spin, bool up)
{
    RECT r;
    ::GetClientRect(spin, &r);
    const int y = up ? r.bottom / 4 : r.bottom * 3 / 4;
    Click(spin, POINT{r.right / 2, y});
}

// Digits and the decimal point as keys.
void TypeNumber(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        Press(*p == '.' ? VK_OEM_PERIOD : static_cast<WORD>(*p));
}

DWORD WINAPI Drive(void* arg)
{
    auto* seen = static_cast<Seen*>(arg);
    WaitFor(
        [&] {
            seen->dialog = ::FindWindowA("#32770", "spin test");
            return seen->dialog != nullptr && ::IsWindowVisible(seen->dialog);
        },
        10000);
    if (seen->dialog == nullptr)
        return 0;
    HWND dialog = seen->dialog;
    ::SetForegroundWindow(dialog);
    designerwine::Pump(200);
    auto record = [&](int editId, int spinId, const std::string& expected) {
        HWND edit = ::GetDlgItem(dialog, editId);
        WaitText(edit, expected);
        seen->texts.push_back(ControlTextOf(edit));
        DWORD_PTR pos = 0;
        ::SendMessageTimeoutA(::GetDlgItem(dialog, spinId), UDM_GETPOS32, 0, 0, SMTO_ABORTIFHUNG, 3000, &pos);
        seen->positions.push_back(static_cast<int>(pos));
    };
    HWND stops = ::GetDlgItem(dialog, 1002);
    HWND wraps = ::GetDlgItem(dialog, 1004);
    record(1001, 1002, "29");
    ClickArrow(stops, true);
    record(1001, 1002, "30");
    ClickArrow(stops, true);
    designerwine::Pump(300);
    record(1001, 1002, "30");
    ClickArrow(wraps, true);
    record(1003, 1004, "10");
    ClickArrow(wraps, false);
    record(1003, 1004, "30");

    // Typed text is where the next step starts; the arrow keys step too.
    HWND quarters = ::GetDlgItem(dialog, 1005);
    RECT r;
    ::GetClientRect(quarters, &r);
    Click(quarters, POINT{r.right - 4, r.bottom / 2});
    Press(VK_END);
    for (int i = 0; i < 6; ++i)
        Press(VK_BACK);
    TypeNumber("0.3");
    record(1005, 1006, "0.3");
    ClickArrow(::GetDlgItem(dialog, 1006), true);
    record(1005, 1006, "0.55");
    Press(VK_UP);
    record(1005, 1006, "0.8");
    Press(VK_UP);
    record(1005, 1006, "1");
    Press(VK_DOWN);
    record(1005, 1006, "0.75");
    ClickArrow(::GetDlgItem(dialog, 1008), true);
    designerwine::Pump(300);
    record(1007, 1008, "7");

    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return 0;
}

TEST(NumberSpinWine, ArrowsAndTypedValuesStepTheBuddyAndTheSpinRefusesOnceTheDialogIsGone)
{
    Seen seen;
    SpinTestDialog dialog;
    HANDLE driver = ::CreateThread(nullptr, 0, Drive, &seen, 0, nullptr);
    ASSERT_NE(nullptr, driver);
    const INT_PTR result = dialog.DoModal(nullptr);
    ::WaitForSingleObject(driver, 60000);
    ::CloseHandle(driver);

    ASSERT_EQ(IDOK, result);
    ASSERT_NE(nullptr, seen.dialog);
    EXPECT_TRUE(dialog.refusedReadOnly);
    EXPECT_TRUE(dialog.refusedNotSpin);
    EXPECT_TRUE(dialog.refusedMissing);
    // Text after each step, and the control's position within its own
    // integer range (20 steps for 10..30, 4 quarters for 0..1). A control
    // made with UDS_SETBUDDYINT may answer its position by reading the
    // buddy when the text is an integer within its range, so only the
    // other texts say where the spin itself stands.
    const std::vector<std::string> texts = {"29", "30", "30", "10", "30", "0.3", "0.55", "0.8", "1", "0.75", "7"};
    EXPECT_EQ(texts, seen.texts);
    ASSERT_EQ(texts.size(), seen.positions.size());
    EXPECT_EQ(19, seen.positions[0]);
    EXPECT_EQ(20, seen.positions[2]);
    EXPECT_EQ(2, seen.positions[6]);
    EXPECT_EQ(3, seen.positions[7]);
    EXPECT_EQ(3, seen.positions[9]);

    // The dialog window is gone: its spins refuse instead of touching it.
    ASSERT_NE(nullptr, dialog.stops);
    EXPECT_FALSE(dialog.stops->IsAttached());
    EXPECT_FALSE(dialog.stops->SetValue(12));
    EXPECT_EQ(0.0, dialog.stops->GetValue());
    NMUPDOWN change = {};
    change.iDelta = 1;
    EXPECT_EQ(0, dialog.stops->OnDeltaPos(change));
    EXPECT_EQ(nullptr, dialog.Spin(1002));
}

}  // namespace
