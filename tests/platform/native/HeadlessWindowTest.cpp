// What the host build's windows keep for tests: invalid areas and paints,
// timers on the test clock, scroll-bar state, hit testing, and the recorded
// drawing of a window's paint.
#include "../RecordingWnd.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kClass[] = "KivoHeadlessTest";

// Paints a fixed picture and remembers the paint area it was given.
class PaintingWnd : public RecordingWnd {
public:
    CRect lastPaintArea;
    BOOL eraseAnswer = TRUE;
    int erases = 0;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        lastPaintArea = dc.m_ps.rcPaint;
        CRect box;
        dc.GetClipBox(&box);
        EXPECT_EQ(box, lastPaintArea);
        dc.FillSolidRect(&lastPaintArea, RGB(10, 20, 30));
    }
    BOOL OnEraseBkgnd(CDC*) override
    {
        ++erases;
        return eraseAnswer;
    }
};

class HeadlessWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(parent.CreateEx(0, kClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 50, 600, 450),
                                    nullptr, 0));
        ASSERT_TRUE(child.CreateEx(0, kClass, "child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 210, 120), &parent, 9));
        PlatformPumpMessages();  // the first paints
        Headless::Reset();       // ... are not counted
        child.erases = 0;
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        Headless::Reset();
    }
    RecordingWnd parent;
    PaintingWnd child;
};

TEST_F(HeadlessWindowTest, InvalidAreasGrowUntilAPaintUsesThem)
{
    child.InvalidateRect(CRect(5, 5, 10, 10), FALSE);
    child.InvalidateRect(CRect(50, 40, 60, 45), FALSE);
    RECT area;
    bool erase = true;
    ASSERT_TRUE(Headless::UpdateArea(child.m_hWnd, &area, &erase));
    EXPECT_EQ(CRect(area), CRect(5, 5, 60, 45));
    EXPECT_FALSE(erase);
    ASSERT_EQ(Headless::Invalidations(child.m_hWnd).size(), 2u);

    child.UpdateWindow();
    EXPECT_EQ(child.lastPaintArea, CRect(5, 5, 60, 45));
    EXPECT_EQ(child.erases, 0);
    EXPECT_FALSE(Headless::UpdateArea(child.m_hWnd, nullptr, nullptr));
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 1);
    ASSERT_EQ(Headless::DrawLog().size(), 1u);
    EXPECT_EQ(Headless::DrawLog()[0].target, static_cast<const void*>(child.m_hWnd));

    child.UpdateWindow();  // nothing invalid: no paint
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 1);
}

TEST_F(HeadlessWindowTest, ErasingIsAskedOfTheWindowWhenRequested)
{
    child.Invalidate(TRUE);
    child.UpdateWindow();
    EXPECT_EQ(child.erases, 1);
    EXPECT_EQ(child.lastPaintArea, CRect(0, 0, 200, 100));
}

TEST_F(HeadlessWindowTest, AreasOutsideTheClientAreaAndPartialValidationAreTrimmed)
{
    child.InvalidateRect(CRect(-20, -20, 500, 500), FALSE);
    RECT area;
    ASSERT_TRUE(Headless::UpdateArea(child.m_hWnd, &area, nullptr));
    EXPECT_EQ(CRect(area), CRect(0, 0, 200, 100));
    child.ValidateRect(CRect(0, 0, 200, 40));  // the top band is done
    ASSERT_TRUE(Headless::UpdateArea(child.m_hWnd, &area, nullptr));
    EXPECT_EQ(CRect(area), CRect(0, 40, 200, 100));
    child.ValidateRect(nullptr);
    EXPECT_FALSE(Headless::UpdateArea(child.m_hWnd, nullptr, nullptr));
}

TEST_F(HeadlessWindowTest, HiddenWindowsAndDisabledRedrawGetNoPaint)
{
    child.SetRedraw(FALSE);
    child.Invalidate();
    EXPECT_FALSE(Headless::UpdateArea(child.m_hWnd, nullptr, nullptr));
    EXPECT_EQ(Headless::Invalidations(child.m_hWnd).size(), 1u);  // the request is still written down
    child.SetRedraw(TRUE);

    child.ShowWindow(SW_HIDE);
    child.Invalidate();
    PlatformPumpMessages();
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 0);
    child.ShowWindow(SW_SHOW);  // shown again: everything is painted
    PlatformPumpMessages();
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 1);
    EXPECT_EQ(child.lastPaintArea, CRect(0, 0, 200, 100));
}

TEST_F(HeadlessWindowTest, RedrawWindowInvalidatesAndPaintsAtOnce)
{
    child.RedrawWindow(CRect(1, 2, 3, 4), nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 1);
    EXPECT_EQ(child.lastPaintArea, CRect(1, 2, 3, 4));
    parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Headless::PaintCount(child.m_hWnd), 2);
}

TEST_F(HeadlessWindowTest, TimersFireOnTheTestClockInTimeOrder)
{
    child.SetTimer(200, 100);
    child.SetTimer(100, 30);
    child.SetTimer(5, 1);  // shorter than the system allows: 10 ms
    Headless::AdvanceTime(99);
    std::vector<std::string> fired;
    for (const std::string& call : child.calls) {
        if (call.compare(0, 7, "OnTimer") == 0)
            fired.push_back(call);
    }
    // 5 at 10, 20, 30, ...; 100 at 30, 60, 90. At 30 the timer set first fires first.
    EXPECT_EQ(std::count(fired.begin(), fired.end(), "OnTimer 5"), 9);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), "OnTimer 100"), 3);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), "OnTimer 200"), 0);
    EXPECT_EQ(fired[0], "OnTimer 5");
    EXPECT_EQ(fired[2], "OnTimer 100");
    EXPECT_EQ(fired[3], "OnTimer 5");
    EXPECT_EQ(GetTickCount(), Headless::Now());

    child.KillTimer(5);
    child.KillTimer(100);
    child.calls.clear();
    Headless::AdvanceTime(1);
    EXPECT_EQ(child.Last(), "OnTimer 200");
    EXPECT_TRUE(Headless::HasTimer(child.m_hWnd, 200));
    EXPECT_TRUE(Headless::FireTimer(child.m_hWnd, 200));
    EXPECT_FALSE(Headless::FireTimer(child.m_hWnd, 100));
}

// A timer handler that replaces its own timer, as auto-repeat does.
class RepeatingWnd : public RecordingWnd {
protected:
    void OnTimer(UINT_PTR id) override
    {
        RecordingWnd::OnTimer(id);
        if (id == 200) {
            KillTimer(200);
            SetTimer(100, 100);
        }
    }
};

TEST_F(HeadlessWindowTest, ATimerThatReplacesItselfKeepsTheSchedule)
{
    RepeatingWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, kClass, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 15, 100), &parent, 1001));
    bar.SetTimer(200, 100);
    Headless::AdvanceTime(450);
    std::vector<std::string> fired;
    for (const std::string& call : bar.calls) {
        if (call.compare(0, 7, "OnTimer") == 0)
            fired.push_back(call);
    }
    // 200 at +100, then 100 at +200, +300, +400.
    ASSERT_EQ(fired.size(), 4u);
    EXPECT_EQ(fired[0], "OnTimer 200");
    EXPECT_EQ(fired[3], "OnTimer 100");
}

TEST_F(HeadlessWindowTest, DestroyedWindowsLoseTimersQueuedMessagesAndFocus)
{
    RecordingWnd doomed;
    ASSERT_TRUE(doomed.CreateEx(0, kClass, "doomed", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &parent, 2));
    doomed.SetTimer(1, 10);
    doomed.PostMessage(WM_USER + 1);
    doomed.SetFocus();
    doomed.SetCapture();
    HWND handle = doomed.m_hWnd;
    doomed.DestroyWindow();
    EXPECT_FALSE(Headless::HasTimer(handle, 1));
    EXPECT_TRUE(Headless::QueuedMessages().empty());
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    Headless::AdvanceTime(100);
    EXPECT_TRUE(doomed.privateMessages.empty());
}

TEST_F(HeadlessWindowTest, ScrollBarStateIsVisibleToTests)
{
    EXPECT_FALSE(Headless::ScrollBarShown(child.m_hWnd, SB_HORZ));
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 999, 50, 0, 0};
    child.SetScrollInfo(SB_HORZ, &info);
    EXPECT_TRUE(Headless::ScrollBarShown(child.m_hWnd, SB_HORZ));
    EXPECT_EQ(Headless::ScrollBarArrows(child.m_hWnd, SB_HORZ), static_cast<UINT>(ESB_ENABLE_BOTH));
    info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 10, 50, 0, 0};
    child.SetScrollInfo(SB_HORZ, &info);
    EXPECT_TRUE(Headless::ScrollBarShown(child.m_hWnd, SB_HORZ));
    EXPECT_EQ(Headless::ScrollBarArrows(child.m_hWnd, SB_HORZ), static_cast<UINT>(ESB_DISABLE_BOTH));
    EXPECT_TRUE(child.EnableScrollBar(SB_HORZ, ESB_ENABLE_BOTH));
    EXPECT_EQ(Headless::ScrollBarArrows(child.m_hWnd, SB_HORZ), static_cast<UINT>(ESB_ENABLE_BOTH));

    // The tracking position is the position unless a drag sets it.
    info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 999, 100, 40, 0};
    child.SetScrollInfo(SB_VERT, &info);
    SCROLLINFO out = {sizeof(SCROLLINFO)};
    child.GetScrollInfo(SB_VERT, &out, SIF_TRACKPOS);
    EXPECT_EQ(out.nTrackPos, 40);
    Headless::SetScrollTrackPos(child.m_hWnd, SB_VERT, 700);
    child.GetScrollInfo(SB_VERT, &out, SIF_TRACKPOS);
    EXPECT_EQ(out.nTrackPos, 700);
}

TEST_F(HeadlessWindowTest, WindowFromPointFindsTheDeepestVisibleWindow)
{
    CRect client;
    parent.GetWindowRect(&client);
    CPoint inChild(15, 25);
    parent.ClientToScreen(&inChild);
    EXPECT_EQ(CWnd::WindowFromPoint(inChild), &child);
    CPoint inParent(300, 300);
    parent.ClientToScreen(&inParent);
    EXPECT_EQ(CWnd::WindowFromPoint(inParent), &parent);
    child.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::WindowFromPoint(inChild), &parent);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(5000, 5000)), nullptr);
}

TEST_F(HeadlessWindowTest, WindowsThatKeepPixelsShowWhatWasPainted)
{
    Headless::KeepWindowPixels(child.m_hWnd);
    child.Invalidate(FALSE);
    child.UpdateWindow();
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 199, 99), RGB(10, 20, 30));
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 200, 99), CLR_INVALID);
    CClientDC dc(&child);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(10, 20, 30));
}

TEST_F(HeadlessWindowTest, ADefaultPaintValidatesAndErasesWithTheClassBrush)
{
    RecordingWnd plain;  // no OnPaint of its own
    ASSERT_TRUE(plain.CreateEx(0, kClass, "plain", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 4));
    Headless::ClearDrawLog();
    plain.UpdateWindow();
    EXPECT_FALSE(Headless::UpdateArea(plain.m_hWnd, nullptr, nullptr));
    ASSERT_EQ(Headless::DrawLog().size(), 1u);
    EXPECT_EQ(Headless::DrawLog()[0].kind, Headless::DrawKind::FillRect);
    EXPECT_EQ(Headless::DrawLog()[0].color, GetSysColor(COLOR_WINDOW));
}

TEST_F(HeadlessWindowTest, TwoWindowsOfAClassRegisterItOnce)
{
    RecordingWnd a, b;
    ASSERT_TRUE(a.CreateEx(0, "KivoOnce", "", WS_CHILD, CRect(0, 0, 1, 1), &parent, 1));
    ASSERT_TRUE(b.CreateEx(0, "KivoOnce", "", WS_CHILD, CRect(0, 0, 1, 1), &parent, 2));
    EXPECT_EQ(Headless::ClassRegistrations("KivoOnce"), 1);
    EXPECT_EQ(Headless::ClassRegistrations("kivoonce"), 1);  // class names ignore case
}

TEST_F(HeadlessWindowTest, PostedMessagesArePreTranslatedByTheWindowAndItsParents)
{
    class Filter : public RecordingWnd {
    public:
        int seen = 0;
        BOOL PreTranslateMessage(MSG* msg) override
        {
            ++seen;
            return msg->message == WM_KEYDOWN;
        }
    } filter;
    ASSERT_TRUE(filter.CreateEx(0, kClass, "filter", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 6));
    RecordingWnd inner;
    ASSERT_TRUE(inner.CreateEx(0, kClass, "inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &filter, 7));
    inner.PostMessage(WM_KEYDOWN, VK_DOWN, 1);
    inner.PostMessage(WM_CHAR, 'x', 1);
    PlatformPumpMessages();
    EXPECT_EQ(filter.seen, 2);
    EXPECT_FALSE(inner.Called("OnKeyDown 40 1 0"));  // stopped by the parent
    EXPECT_TRUE(inner.Called("OnChar 120 1 0"));
}

}  // namespace
