// The control window: the grid window inside it, events from the grid's
// notifications, keyboard routing.
#include "control/GridNotify.h"
#include "control/KivoSheetCtrl.h"
#include "RecordingSink.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

namespace {

void SetKeyStateForTest(int vk, bool down)
{
#ifdef _WIN32
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
#else
    Headless::SetKeyDown(vk, down);
#endif
}

const char kParentClass[] = "KivoControlTestParent";

// Exposes the window procedure, as a message arriving from the grid reaches it.
class TestCtrl : public CKivoSheetCtrl {
public:
    using CKivoSheetCtrl::WindowProc;
};

class ControlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, kParentClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CRect(0, 0, 640, 480), nullptr, 0));
        ctl.Events().SetSink(&sink);
    }
    void TearDown() override
    {
        ctl.Events().SetSink(nullptr);
        if (ctl.GetSafeHwnd() != nullptr)
            ctl.DestroyWindow();
        parent.DestroyWindow();
    }

    CWnd parent;
    TestCtrl ctl;
    RecordingSink sink;
};

TEST_F(ControlWindow, GridWindowCoversTheControlAndFollowsItsSize)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(10, 10, 310, 210)));
    CWnd* grid = ctl.GetGrid()->GetGridWindow();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetDlgCtrlID(), static_cast<int>(CKivoSheetCtrl::kGridWindowId));
    EXPECT_EQ(grid->GetParent(), static_cast<CWnd*>(&ctl));
    CRect rc;
    grid->GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 300, 200));
    ctl.MoveWindow(0, 0, 500, 120, TRUE);
    grid->GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 500, 120));
}

struct ModeHost : CKivoSheetHost {
    explicit ModeHost(bool user) : userMode(user) {}
    bool IsUserMode() override { return userMode; }
    void SetModified() override {}
    void ActivateInPlace() override { ++activations; }
    bool IsUIActive() override { return false; }
    void ShowAboutBox() override {}
    bool userMode;
    int activations = 0;
};

TEST_F(ControlWindow, DesignModeShowsThePictureWithoutAGridWindow)
{
    ModeHost host(false);
    ctl.SetHost(&host);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_EQ(ctl.GetGrid()->GetGridWindow(), nullptr);
    EXPECT_EQ(host.activations, 0);
    ctl.UpdateWindow();
    ctl.DestroyWindow();
    ctl.SetHost(nullptr);
}

TEST_F(ControlWindow, UserModeCreationActivatesInPlace)
{
    ModeHost host(true);
    ctl.SetHost(&host);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_NE(ctl.GetGrid()->GetGridWindow(), nullptr);
    EXPECT_EQ(host.activations, 1);
    ctl.DestroyWindow();
    ctl.SetHost(nullptr);
}

TEST_F(ControlWindow, DestroyingAndRecreatingKeepsTheGridObject)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    ctl.SetGridDefCellBgColor(0x123456);
    CGridPort* grid = ctl.GetGrid();
    ctl.DestroyWindow();
    EXPECT_EQ(grid->GetGridWindow(), nullptr);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_EQ(ctl.GetGrid(), grid);
    EXPECT_NE(grid->GetGridWindow(), nullptr);
    EXPECT_EQ(ctl.GetGridDefCellBgColor(), 0x123456);
}

TEST_F(ControlWindow, GridNotificationsFireEventsThroughTheWindow)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 400, 300)));
    // A click in the top-left header cell reports row 0 and column 0.
    ctl.SendMessage(gridnotify::kLClickUp, 1, MAKELPARAM(2, 2));
    ASSERT_EQ(sink.fired.size(), 1u);
    EXPECT_EQ(sink.fired[0].name, "GridLClickUp");
    EXPECT_EQ(ArgNumber(sink.fired[0].args[3]), 0);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[4]), 0);
    // Screen coordinates of the point.
    CPoint screen(2, 2);
    ctl.ClientToScreen(&screen);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[1]), screen.x);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[2]), screen.y);
    // A point outside every cell reports -1, -1.
    ctl.SendMessage(gridnotify::kLClickUp, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(ArgNumber(sink.fired[1].args[3]), -1);
    EXPECT_EQ(ArgNumber(sink.fired[1].args[4]), -1);

    // A by-reference answer travels back through the window procedure.
    BOOL allow = 1;
    gridnotify::CStartEditRecord edit{2, 3, 0, &allow};
    sink.answer = [](const CMemberInfo& e, CDispArg* a) {
        if (e.dispid == 18)
            a[3].s = 0;
    };
    ctl.SendMessage(gridnotify::kCellStartEdit, reinterpret_cast<WPARAM>(&edit), 0);
    EXPECT_EQ(allow, 0);
}

TEST_F(ControlWindow, NoEventReachesTheHostOnceTheWindowIsGone)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 100, 100)));
    ctl.DestroyWindow();
    UINT key = 'k';
    EXPECT_EQ(ctl.WindowProc(gridnotify::kKeyPress, reinterpret_cast<WPARAM>(&key), 0), 1);
    EXPECT_EQ(ctl.WindowProc(gridnotify::kLClickUp, 0, 0), 1);
    EXPECT_TRUE(sink.fired.empty());
    EXPECT_EQ(key, static_cast<UINT>('k'));
}

TEST_F(ControlWindow, KeyboardRouting)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 100, 100)));
    CWnd* grid = ctl.GetGrid()->GetGridWindow();
    ASSERT_NE(grid, nullptr);
    grid->SetFocus();
    MSG msg = {};
    msg.hwnd = grid->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    // Navigation keys are taken for the focus window.
    for (UINT key : {UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_LEFT), UINT(VK_DOWN)}) {
        msg.wParam = key;
        EXPECT_TRUE(ctl.PreTranslateKey(&msg)) << key;
    }
    // Ctrl+Enter is left to the container; other keys take the usual path.
    SetKeyStateForTest(VK_CONTROL, true);
    msg.wParam = VK_RETURN;
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));
    SetKeyStateForTest(VK_CONTROL, false);
    msg.wParam = 'A';
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));
    msg.wParam = 'C';
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));   // C without Ctrl
    msg.message = WM_CHAR;
    msg.wParam = VK_TAB;
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));   // only key-down and key-up
}

}  // namespace
