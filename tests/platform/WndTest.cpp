// Window behaviour that holds on both builds: creation, message decoding into
// the handlers, parent messages, posting, focus, capture, scroll bars,
// positions and destruction.
#include "RecordingWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kClass[] = "KivoPlatformTest";

class WndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, kClass, "parent", WS_POPUP | WS_CLIPCHILDREN,
                                    CRect(0, 0, 480, 360), nullptr, 0));
        ASSERT_TRUE(child.CreateEx(0, kClass, "child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), &parent, 77));
    }
    void TearDown() override
    {
        if (parent.m_hWnd)
            parent.DestroyWindow();
        PlatformPumpMessages();
    }
    RecordingWnd parent;
    RecordingWnd child;
};

TEST_F(WndTest, ChildIsCreatedUnderItsParentAndSized)
{
    ASSERT_GE(child.calls.size(), 2u);
    EXPECT_EQ(child.calls[0], "OnCreate child");
    EXPECT_EQ(child.LastOf("OnSize"), "OnSize 0 100 50");
    EXPECT_EQ(child.GetDlgCtrlID(), 77);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(CWnd::FromHandle(child.m_hWnd), &child);
    EXPECT_EQ(CWnd::FromHandlePermanent(child.m_hWnd), &child);
    EXPECT_TRUE(PlatformIsWindowClassRegistered(kClass));
    EXPECT_TRUE(parent.IsChild(&child));
    EXPECT_FALSE(child.IsChild(&parent));
    EXPECT_EQ(child.GetTopLevelParent(), &parent);
    EXPECT_EQ(std::string(child.GetWindowClassName()), kClass);
    EXPECT_EQ(parent.GetDlgItem(77), &child);
}

TEST_F(WndTest, RegisteringAClassTwiceFails)
{
    EXPECT_TRUE(PlatformIsWindowClassRegistered(kClass));
    EXPECT_FALSE(PlatformRegisterWindowClass(kClass, CS_DBLCLKS, PlatformLoadCursor(IDC_ARROW), COLOR_BTNFACE + 1));
    EXPECT_FALSE(PlatformIsWindowClassRegistered("KivoNoSuchClass"));
}

TEST_F(WndTest, CreationRefusedByOnCreateLeavesNoWindow)
{
    RecordingWnd refused;
    refused.createAnswer = -1;
    EXPECT_FALSE(refused.CreateEx(0, kClass, "refused", WS_CHILD, CRect(0, 0, 10, 10), &parent, 5));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.postNcDestroys, 1);
    EXPECT_FALSE(refused.Called("OnDestroy"));  // it never existed for its handlers
    EXPECT_FALSE(refused.Called("OnSize 0 10 10"));
}

TEST_F(WndTest, MessagesReachTheirHandlersWithDecodedArguments)
{
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* call;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -7), "OnLButtonDown 1 -5 -7"},
        {WM_LBUTTONUP, 0, MAKELPARAM(40, 30), "OnLButtonUp 0 40 30"},
        {WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, MAKELPARAM(1, 2), "OnLButtonDblClk 9 1 2"},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4), "OnRButtonDown 2 3 4"},
        {WM_RBUTTONUP, 0, MAKELPARAM(-1, 0), "OnRButtonUp 0 -1 0"},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(300, 65535), "OnMouseMove 5 300 -1"},
        {WM_KEYDOWN, VK_F2, MAKELPARAM(3, 0x13C), "OnKeyDown 113 3 316"},
        {WM_KEYUP, VK_RETURN, MAKELPARAM(1, 0xC01C), "OnKeyUp 13 1 49180"},
        {WM_CHAR, 'a', MAKELPARAM(1, 30), "OnChar 97 1 30"},
        {WM_SYSKEYDOWN, VK_F10, MAKELPARAM(1, 0x2044), "OnSysKeyDown 121 1 8260"},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(100, 200),
         "OnMouseWheel 8 -240 100 200"},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 345), 0, "OnHScroll 5 345 none"},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, "OnVScroll 1 0 none"},
        {WM_TIMER, 513, 0, "OnTimer 513"},
        {WM_COMMAND, MAKEWPARAM(57634, 0), 0, "OnCommand 57634 0"},
        {WM_SYSCOLORCHANGE, 0, 0, "OnSysColorChange"},
        {WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1), "OnContextMenu -1 -1"},
    };
    for (const Case& c : cases) {
        child.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(child.Last(), c.call) << "message " << c.message;
    }
}

TEST_F(WndTest, HandlerResultsAreTheMessageResults)
{
    EXPECT_EQ(child.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS));
    EXPECT_EQ(child.SendMessage(WM_IME_CHAR, 0xD6D0, 1), 1);
    EXPECT_EQ(child.Last(), "OnImeChar 54992 1");
    EXPECT_EQ(child.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(0, 0)), TRUE);
}

TEST_F(WndTest, NotificationsAnswerWhatTheHandlerSets)
{
    NMHDR header = {child.m_hWnd, 77, static_cast<UINT>(-106)};
    parent.notifyHandled = TRUE;
    parent.notifyResult = 42;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(parent.Last(), "OnNotify 77 -106");
    parent.notifyHandled = FALSE;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)), 0);
}

TEST_F(WndTest, UnhandledMessagesReachTheDefaultProcedure)
{
    child.SetWindowText("表格一");
    CString text;
    child.GetWindowText(text);
    EXPECT_EQ(std::string(text), std::string("表格一"));
    EXPECT_EQ(child.GetWindowTextLength(), 6);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(child.GetWindowText(small, 3), 2);
    EXPECT_EQ(small[2], '\0');
}

TEST_F(WndTest, ChildTalksToItsParentWithPrivateMessages)
{
    parent.privateAnswer = 7;
    LRESULT answer = child.GetParent()->SendMessage(WM_USER + 3, MAKEWPARAM(1, 5), MAKELPARAM(2, 6));
    EXPECT_EQ(answer, 7);
    ASSERT_EQ(parent.privateMessages.size(), 1u);
    EXPECT_EQ(parent.privateMessages[0].message, static_cast<UINT>(1027));
    EXPECT_EQ(LOWORD(parent.privateMessages[0].wParam), 1);
    EXPECT_EQ(HIWORD(parent.privateMessages[0].wParam), 5);
    EXPECT_EQ(LOWORD(parent.privateMessages[0].lParam), 2);
    EXPECT_EQ(HIWORD(parent.privateMessages[0].lParam), 6);
}

TEST_F(WndTest, PostedMessagesArriveInOrderWhenPumped)
{
    PlatformPumpMessages();
    parent.privateMessages.clear();
    EXPECT_TRUE(parent.PostMessage(WM_USER + 4, 1, 0));
    EXPECT_TRUE(parent.PostMessage(WM_USER + 5, 2, 0));
    EXPECT_TRUE(parent.PostMessage(WM_USER + 4, 3, 0));
    EXPECT_TRUE(parent.privateMessages.empty());
    PlatformPumpMessages();
    ASSERT_EQ(parent.privateMessages.size(), 3u);
    EXPECT_EQ(parent.privateMessages[0].wParam, 1u);
    EXPECT_EQ(parent.privateMessages[1].message, static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(parent.privateMessages[2].wParam, 3u);
}

TEST_F(WndTest, FocusMovesWithKillAndSetNotifications)
{
    RecordingWnd other;
    ASSERT_TRUE(other.CreateEx(0, kClass, "other", WS_CHILD | WS_VISIBLE, CRect(120, 20, 200, 70), &parent, 78));
    parent.ShowWindow(SW_SHOW);
    child.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &child);
    child.calls.clear();
    CWnd* previous = other.SetFocus();
    EXPECT_EQ(previous, &child);
    EXPECT_EQ(CWnd::GetFocus(), &other);
    EXPECT_EQ(child.LastOf("OnKillFocus"), RecordingWnd::WindowCall("OnKillFocus", other.m_hWnd));
    EXPECT_EQ(other.LastOf("OnSetFocus"), RecordingWnd::WindowCall("OnSetFocus", child.m_hWnd));
}

TEST_F(WndTest, CaptureChangesAreReportedToTheLoser)
{
    RecordingWnd other;
    ASSERT_TRUE(other.CreateEx(0, kClass, "other", WS_CHILD | WS_VISIBLE, CRect(120, 20, 200, 70), &parent, 78));
    parent.ShowWindow(SW_SHOW);
    child.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &child);
    other.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &other);
    EXPECT_EQ(child.LastOf("OnCaptureChanged"), RecordingWnd::WindowCall("OnCaptureChanged", other.m_hWnd));
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(other.LastOf("OnCaptureChanged"), RecordingWnd::WindowCall("OnCaptureChanged", nullptr));
}

TEST_F(WndTest, ScrollInformationIsClampedLikeTheSystemDoes)
{
    struct Case {
        int min, max;
        UINT page;
        int pos;
        UINT wantPage;
        int wantPos;
        int wantLimit;
    };
    const Case cases[] = {
        {0, 99, 10, 95, 10, 90, 90},   // position stops where the last page begins
        {0, 99, 200, 50, 100, 0, 0},   // the page never exceeds the range
        {0, 99, 10, -5, 10, 0, 90},    // never below the minimum
        {10, 20, 0, 25, 0, 20, 20},    // no page: up to the maximum
        {5, 5, 1, 9, 1, 5, 5},         // a range of one
    };
    for (const Case& c : cases) {
        SCROLLINFO in = {};
        in.cbSize = sizeof(in);
        in.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        in.nMin = c.min;
        in.nMax = c.max;
        in.nPage = c.page;
        in.nPos = c.pos;
        child.SetScrollInfo(SB_VERT, &in);
        SCROLLINFO out = {};
        out.cbSize = sizeof(out);
        ASSERT_TRUE(child.GetScrollInfo(SB_VERT, &out, SIF_ALL));
        EXPECT_EQ(out.nMin, c.min);
        EXPECT_EQ(out.nMax, c.max);
        EXPECT_EQ(out.nPage, c.wantPage) << c.min << ".." << c.max << " page " << c.page;
        EXPECT_EQ(out.nPos, c.wantPos) << c.min << ".." << c.max << " pos " << c.pos;
        EXPECT_EQ(child.GetScrollPos(SB_VERT), c.wantPos);
        EXPECT_EQ(child.GetScrollLimit(SB_VERT), c.wantLimit);
    }
}

TEST_F(WndTest, AShownScrollBarTakesClientSpace)
{
    CRect before;
    child.GetClientRect(&before);
    SCROLLINFO in = {};
    in.cbSize = sizeof(in);
    in.fMask = SIF_RANGE | SIF_PAGE;
    in.nMax = 499;
    in.nPage = 50;
    child.SetScrollInfo(SB_VERT, &in);
    CRect with;
    child.GetClientRect(&with);
    EXPECT_EQ(with.Width(), before.Width() - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(child.LastOf("OnSize"), "OnSize 0 " + std::to_string(with.Width()) + " " + std::to_string(with.Height()));

    const int narrow = before.Width() - GetSystemMetrics(SM_CXVSCROLL);
    struct Step {
        const char* what;
        UINT mask;
        int max;
        UINT page;
        int width;
    };
    const Step steps[] = {
        {"not needed, kept disabled", SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 499, 500, narrow},
        {"not needed: removed", SIF_RANGE | SIF_PAGE, 299, 500, before.Width()},
        {"disabling never brings it back", SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 199, 500, before.Width()},
        {"needed again: shown", SIF_RANGE | SIF_PAGE, 999, 10, narrow},
    };
    for (const Step& step : steps) {
        in.fMask = step.mask;
        in.nMax = step.max;
        in.nPage = step.page;
        child.SetScrollInfo(SB_VERT, &in);
        CRect now;
        child.GetClientRect(&now);
        EXPECT_EQ(now.Width(), step.width) << step.what;
    }
    child.ShowScrollBar(SB_VERT, FALSE);
    CRect without;
    child.GetClientRect(&without);
    EXPECT_EQ(without.Width(), before.Width());
    child.ShowScrollBar(SB_VERT, TRUE);
    child.GetClientRect(&with);
    EXPECT_EQ(with.Width(), narrow);
}

TEST_F(WndTest, FramesShrinkTheClientArea)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
        int inset;  // on each side
    };
    const Case cases[] = {
        {0, 0, 0},
        {WS_BORDER, 0, GetSystemMetrics(SM_CXBORDER)},
        {0, WS_EX_CLIENTEDGE, GetSystemMetrics(SM_CXEDGE)},
        {WS_BORDER, WS_EX_CLIENTEDGE, GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXEDGE)},
    };
    for (const Case& c : cases) {
        RecordingWnd framed;
        ASSERT_TRUE(framed.CreateEx(c.exStyle, kClass, "framed", WS_CHILD | WS_VISIBLE | c.style, CRect(0, 0, 100, 60),
                                    &parent, 90));
        CRect client;
        framed.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 100 - 2 * c.inset, 60 - 2 * c.inset)) << c.style << " " << c.exStyle;
        CPoint origin(0, 0);
        framed.ClientToScreen(&origin);
        CRect window;
        framed.GetWindowRect(&window);
        EXPECT_EQ(origin, CPoint(window.left + c.inset, window.top + c.inset));
    }
}

TEST_F(WndTest, MovingAChildSizesItAndPlacesItInTheParent)
{
    child.MoveWindow(5, 6, 200, 100);
    EXPECT_EQ(child.LastOf("OnSize"), "OnSize 0 200 100");
    CRect window;
    child.GetWindowRect(&window);
    parent.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(5, 6, 205, 106));
    CPoint p(7, 8);
    child.ClientToScreen(&p);
    child.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(7, 8));
    CPoint q(0, 0);
    child.MapWindowPoints(&parent, &q, 1);
    EXPECT_EQ(q, CPoint(5, 6));
    child.SetWindowPos(nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER);
    child.GetWindowRect(&window);
    parent.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(5, 6, 55, 46));
}

TEST_F(WndTest, VisibilityAndEnablingFollowTheAncestors)
{
    EXPECT_FALSE(child.IsWindowVisible());  // the parent is hidden
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(parent.ShowWindow(SW_SHOW));
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.EnableWindow(TRUE));
    EXPECT_TRUE(child.IsWindowEnabled());
}

TEST_F(WndTest, StylesChangeAndReportWhetherTheyDid)
{
    EXPECT_TRUE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(child.GetStyle() & WS_TABSTOP);
    EXPECT_FALSE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(child.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    EXPECT_TRUE(child.GetExStyle() & WS_EX_CLIENTEDGE);
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 100 - 2 * GetSystemMetrics(SM_CXEDGE));
}

TEST_F(WndTest, TimersAreSetAndKilledByIdentifier)
{
    EXPECT_EQ(child.SetTimer(513, 100), 513u);
    EXPECT_TRUE(child.KillTimer(513));
    EXPECT_FALSE(child.KillTimer(513));
}

TEST_F(WndTest, DestroyingTheParentDestroysTheChild)
{
    HWND childHandle = child.m_hWnd;
    HWND parentHandle = parent.m_hWnd;
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_TRUE(parent.Called("OnDestroy"));
    EXPECT_TRUE(child.Called("OnDestroy"));
    EXPECT_EQ(parent.postNcDestroys, 1);
    EXPECT_EQ(child.postNcDestroys, 1);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(parent.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_FALSE(IsWindow(parentHandle));
    EXPECT_EQ(CWnd::FromHandlePermanent(childHandle), nullptr);
}

TEST_F(WndTest, AnObjectGoingAwayTakesItsWindowWithIt)
{
    HWND handle = nullptr;
    {
        RecordingWnd scoped;
        ASSERT_TRUE(scoped.CreateEx(0, kClass, "scoped", WS_CHILD, CRect(0, 0, 10, 10), &parent, 3));
        handle = scoped.m_hWnd;
        EXPECT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WndTest, ADetachedWindowIsReachedThroughATemporaryObject)
{
    HWND handle = child.Detach();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
    CWnd* temp = CWnd::FromHandle(handle);
    ASSERT_NE(temp, nullptr);
    EXPECT_NE(temp, &child);
    temp->SetWindowText("temp");
    char text[16] = {};
    temp->GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "temp");
    child.calls.clear();
    temp->SendMessage(WM_KEYDOWN, VK_F2, 1);
    EXPECT_TRUE(child.calls.empty());  // no longer routed to the object
    EXPECT_TRUE(child.Attach(handle));
    PlatformDeleteTempObjects();
}

}  // namespace
