// The skinned scroll bar on the host build: its scroll information, the
// auto-repeat timers, dragging the thumb, hot and pressed parts, and the
// picture it paints from the skin.
#include "cells/SkinScrollBar.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "cells/WidgetTestWindows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A skin of 9 x 3 parts whose every pixel tells which part and state it
// belongs to: vertical parts (15 x 17 from x 0) have blue 200, horizontal
// parts (17 x 15 from x 60) blue 100; red counts the column, green the state.
COLORREF SkinColour(int column, int state, bool vertical)
{
    return RGB(10 + column * 40, 10 + state * 60, vertical ? 200 : 100);
}

void MakeSkin(CBitmap& skin)
{
    const int width = 144, height = 51;
    std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = x < 60 ? SkinColour(x / 15, y / 17, true) : SkinColour((x - 60) / 17, y / 15, false);
            pixels[static_cast<size_t>(y * width + x)] = c;
        }
    }
    ASSERT_TRUE(skin.CreateFromPixels(width, height, pixels.data()));
}

struct Scroll {
    UINT message;
    int code;
    int pos;
    HWND from;
    int trackPos;  // what the bar answered for SIF_TRACKPOS during the message
};

// The window that receives the bar's messages; when acting it scrolls like a
// grid: a line is 10, a page the bar's page, and it sets the new position.
class ScrollParent : public CWnd {
public:
    std::vector<Scroll> scrolls;
    bool act = false;

    BOOL CreateTopLevel(const RECT& rect)
    {
        return CreateEx(0, "KivoTestScrollParent", "parent", WS_VISIBLE, rect, nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_VSCROLL && message != WM_HSCROLL)
            return CWnd::WindowProc(message, wParam, lParam);
        CWnd* bar = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        bar->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
        const int code = LOWORD(wParam);
        scrolls.push_back({message, code, static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam),
                           info.nTrackPos});
        if (act) {
            int pos = info.nPos;
            const int page = static_cast<int>(info.nPage);
            switch (code) {
            case SB_LINEUP: pos -= 10; break;
            case SB_LINEDOWN: pos += 10; break;
            case SB_PAGEUP: pos -= page; break;
            case SB_PAGEDOWN: pos += page; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: pos = HIWORD(wParam); break;
            default: break;
            }
            const int limit = info.nMax - (page > 0 ? page - 1 : 0);
            pos = pos < info.nMin ? info.nMin : (pos > limit ? limit : pos);
            SCROLLINFO set = {};
            set.cbSize = sizeof(set);
            set.fMask = SIF_POS;
            set.nPos = pos;
            bar->SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&set));
        }
        return 0;
    }
};

class SkinScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(parent.CreateTopLevel(CRect(100, 100, 400, 400)));
        MakeSkin(skin);
    }

    void TearDown() override
    {
        if (bar.GetSafeHwnd() != nullptr)
            bar.DestroyWindow();
        Headless::Reset();
    }

    // A vertical bar 15 x 200 (or a horizontal one 200 x 15) at the parent's origin.
    void CreateBar(bool vertical, int min, int max, int page, int pos)
    {
        CRect rect = vertical ? CRect(0, 0, 15, 200) : CRect(0, 0, 200, 15);
        ASSERT_TRUE(bar.Create(WS_VISIBLE | (vertical ? SBS_VERT : SBS_HORZ), rect, &parent, 1001));
        EXPECT_EQ(vertical ? 1 : 0, bar.SetSkinBitmap(&skin));
        SetInfo(SIF_ALL, min, max, page, pos);
    }

    LRESULT SetInfo(UINT mask, int min, int max, int page, int pos)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = mask;
        info.nMin = min;
        info.nMax = max;
        info.nPage = static_cast<UINT>(page);
        info.nPos = pos;
        return bar.SendMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    }

    SCROLLINFO GetInfo()
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        EXPECT_EQ(1, bar.SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info)));
        return info;
    }

    void Mouse(UINT message, int x, int y, UINT flags)
    {
        bar.SendMessage(message, flags, MAKELPARAM(x, y));
    }
    void Press(int x, int y) { Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void Release(int x, int y) { Mouse(WM_LBUTTONUP, x, y, 0); }
    void Drag(int x, int y) { Mouse(WM_MOUSEMOVE, x, y, MK_LBUTTON); }

    int CountCode(int code) const
    {
        int n = 0;
        for (const Scroll& s : parent.scrolls)
            n += s.code == code ? 1 : 0;
        return n;
    }

    ScrollParent parent;
    CSkinScrollBar bar;
    CBitmap skin;
};

}  // namespace

TEST_F(SkinScrollBarTest, KeepsItsScrollInformation)
{
    CreateBar(true, 0, 99, 50, 20);
    const struct {
        const char* name;
        UINT mask;
        int min, max, page, pos;
        int expMin, expMax, expPage, expPos;
    } cases[] = {
        {"everything", SIF_ALL, 0, 99, 50, 20, 0, 99, 50, 20},
        {"a position above the maximum stores the maximum", SIF_POS, 0, 0, 0, 150, 0, 99, 50, 99},
        {"a position below the minimum stores the minimum", SIF_POS, 0, 0, 0, -5, 0, 99, 50, 0},
        {"the position alone", SIF_POS, 0, 0, 0, 30, 0, 99, 50, 30},
        {"a smaller range pulls the position in", SIF_RANGE, 0, 10, 0, 0, 0, 10, 50, 10},
        {"the page alone", SIF_PAGE, 0, 0, 7, 0, 0, 10, 7, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(1, SetInfo(c.mask, c.min, c.max, c.page, c.pos));
        SCROLLINFO info = GetInfo();
        EXPECT_EQ(c.expMin, info.nMin);
        EXPECT_EQ(c.expMax, info.nMax);
        EXPECT_EQ(static_cast<UINT>(c.expPage), info.nPage);
        EXPECT_EQ(c.expPos, info.nPos);
        EXPECT_EQ(-1, info.nTrackPos) << "no tracking position while not dragging";
    }
    EXPECT_EQ(0, bar.SendMessage(SBM_SETSCROLLINFO, TRUE, 0));
    EXPECT_EQ(0, bar.SendMessage(SBM_GETSCROLLINFO, 0, 0));
}

TEST_F(SkinScrollBarTest, HoldingTheSecondArrowRepeatsUntilTheLastPosition)
{
    CreateBar(true, 0, 99, 50, 20);  // the last reachable position is 50
    parent.act = true;
    Press(7, 195);
    ASSERT_EQ(1u, parent.scrolls.size()) << "one SB_LINEDOWN at once";
    EXPECT_EQ(SB_LINEDOWN, parent.scrolls[0].code);
    EXPECT_EQ(WM_VSCROLL, parent.scrolls[0].message);
    EXPECT_EQ(bar.GetSafeHwnd(), parent.scrolls[0].from);
    EXPECT_EQ(2, bar.GetPartState(kScrollPartSecondArrow));
    EXPECT_TRUE(Headless::HasTimer(bar.GetSafeHwnd(), CSkinScrollBar::kDelayTimer));

    Headless::AdvanceTime(100);
    EXPECT_EQ(1u, parent.scrolls.size()) << "none at 100 ms";
    EXPECT_FALSE(Headless::HasTimer(bar.GetSafeHwnd(), CSkinScrollBar::kDelayTimer));
    EXPECT_TRUE(Headless::HasTimer(bar.GetSafeHwnd(), CSkinScrollBar::kRepeatTimer));
    Headless::AdvanceTime(100);
    EXPECT_EQ(2u, parent.scrolls.size()) << "one at 200 ms";
    Headless::AdvanceTime(100);
    EXPECT_EQ(3u, parent.scrolls.size()) << "one every 100 ms";
    EXPECT_EQ(50, GetInfo().nPos);
    Headless::AdvanceTime(500);
    EXPECT_EQ(3u, parent.scrolls.size()) << "no more at the last position";

    Release(7, 195);
    EXPECT_FALSE(Headless::HasTimer(bar.GetSafeHwnd(), CSkinScrollBar::kRepeatTimer));
    EXPECT_EQ(0, bar.GetPartState(kScrollPartSecondArrow));
    EXPECT_EQ(kScrollPartNone, bar.GetPressedPart());
}

TEST_F(SkinScrollBarTest, TheRepeatPausesWhileTheMouseIsOffThePressedArrow)
{
    CreateBar(true, 0, 99, 10, 90);
    Press(7, 5);
    EXPECT_EQ(SB_LINEUP, parent.scrolls.back().code);
    Drag(7, 100);  // onto the track
    EXPECT_EQ(0, bar.GetPartState(kScrollPartFirstArrow));
    Headless::AdvanceTime(500);
    EXPECT_EQ(1u, parent.scrolls.size());
    Drag(7, 5);
    EXPECT_EQ(2, bar.GetPartState(kScrollPartFirstArrow));
    Headless::AdvanceTime(100);
    EXPECT_EQ(2u, parent.scrolls.size());
    Release(7, 5);
}

TEST_F(SkinScrollBarTest, ADoubleClickOnAnArrowScrollsOnce)
{
    CreateBar(true, 0, 99, 10, 50);
    Press(7, 195);
    Release(7, 195);
    EXPECT_EQ(1, bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 195)));
    Release(7, 195);
    EXPECT_EQ(1u, parent.scrolls.size());
}

TEST_F(SkinScrollBarTest, DraggingTheThumbTracksAndEndsWithOnePosition)
{
    // Length 200, arrows 17, page 50 of 100: thumb 83 long on a track of 166,
    // 83 pixels of free track for 50 positions.
    CreateBar(true, 0, 99, 50, 0);
    Press(7, 30);
    EXPECT_TRUE(bar.IsDragging());
    EXPECT_EQ(2, bar.GetPartState(kScrollPartThumb));
    EXPECT_EQ(0, GetInfo().nTrackPos);
    EXPECT_TRUE(parent.scrolls.empty()) << "pressing the thumb sends nothing";

    const struct {
        int y;
        bool sends;
        int pos;
    } moves[] = {
        {31, false, 0},   // one pixel is not yet a position
        {71, true, 24},   // 41 pixels
        {71, false, 24},  // the same place again
        {300, true, 50},  // past the end: the last position
        {-100, true, 0},  // above the bar: the first
    };
    size_t expected = 0;
    for (const auto& m : moves) {
        SCOPED_TRACE(m.y);
        Drag(7, m.y);
        if (m.sends) {
            ++expected;
            ASSERT_EQ(expected, parent.scrolls.size());
            EXPECT_EQ(SB_THUMBTRACK, parent.scrolls.back().code);
            EXPECT_EQ(m.pos, parent.scrolls.back().pos);
            EXPECT_EQ(m.pos, parent.scrolls.back().trackPos);
        }
        EXPECT_EQ(expected, parent.scrolls.size());
        EXPECT_EQ(2, bar.GetPartState(kScrollPartThumb));
    }
    Drag(7, 71);
    Release(7, 71);
    ASSERT_EQ(CountCode(SB_THUMBPOSITION), 1);
    EXPECT_EQ(SB_THUMBPOSITION, parent.scrolls.back().code);
    EXPECT_EQ(24, parent.scrolls.back().pos);
    EXPECT_EQ(24, parent.scrolls.back().trackPos) << "the tracking position is readable during the message";
    EXPECT_EQ(-1, GetInfo().nTrackPos);
    EXPECT_FALSE(bar.IsDragging());
    EXPECT_EQ(0, bar.GetPartState(kScrollPartThumb));
}

TEST_F(SkinScrollBarTest, HoldingTheTrackRepeatsUntilTheThumbReachesTheCursor)
{
    // Page 10 of 100: thumb 16 long, it covers y 150 once the position is 80.
    CreateBar(true, 0, 99, 10, 0);
    parent.act = true;
    CPoint cursor(7, 150);
    bar.ClientToScreen(&cursor);
    SetCursorPos(cursor.x, cursor.y);
    Press(7, 150);
    EXPECT_EQ(SB_PAGEDOWN, parent.scrolls.back().code);
    Headless::AdvanceTime(2000);
    EXPECT_EQ(8, CountCode(SB_PAGEDOWN));
    EXPECT_EQ(80, GetInfo().nPos);
    Release(7, 150);
}

TEST_F(SkinScrollBarTest, PartsUnderTheMouseAreHotUntilItLeaves)
{
    CreateBar(true, 0, 99, 50, 0);  // thumb [17, 100)
    Mouse(WM_MOUSEMOVE, 7, 40, 0);
    EXPECT_EQ(1, bar.GetPartState(kScrollPartThumb));
    EXPECT_EQ(0, bar.GetPartState(kScrollPartFirstArrow));
    bool tracked = false;
    for (const TRACKMOUSEEVENT& t : Headless::TrackMouseRequests())
        tracked = tracked || (t.hwndTrack == bar.GetSafeHwnd() && (t.dwFlags & TME_LEAVE));
    EXPECT_TRUE(tracked);
    Mouse(WM_MOUSEMOVE, 7, 5, 0);
    EXPECT_EQ(0, bar.GetPartState(kScrollPartThumb));
    EXPECT_EQ(1, bar.GetPartState(kScrollPartFirstArrow));
    bar.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(0, bar.GetPartState(kScrollPartFirstArrow));
    EXPECT_EQ(0, bar.GetPartState(kScrollPartThumb));
}

TEST_F(SkinScrollBarTest, LosingTheMouseToAnotherWindowStopsTheRepeat)
{
    CreateBar(true, 0, 99, 10, 0);
    Press(7, 195);
    parent.SetCapture();
    EXPECT_FALSE(Headless::HasTimer(bar.GetSafeHwnd(), CSkinScrollBar::kDelayTimer));
    EXPECT_EQ(kScrollPartNone, bar.GetPressedPart());
    Headless::AdvanceTime(1000);
    EXPECT_EQ(1u, parent.scrolls.size());
    ReleaseCapture();
}

TEST_F(SkinScrollBarTest, PaintsArrowsTrackAndThumbFromTheSkin)
{
    CreateBar(true, 0, 99, 50, 25);  // thumb 83 long at 58
    Headless::KeepWindowPixels(bar.GetSafeHwnd());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HWND h = bar.GetSafeHwnd();
    EXPECT_EQ(SkinColour(0, 0, true), Headless::WindowPixel(h, 7, 5)) << "first arrow";
    EXPECT_EQ(SkinColour(1, 0, true), Headless::WindowPixel(h, 7, 195)) << "second arrow";
    EXPECT_EQ(SkinColour(3, 0, true), Headless::WindowPixel(h, 7, 30)) << "track before the thumb";
    EXPECT_EQ(SkinColour(3, 0, true), Headless::WindowPixel(h, 7, 160)) << "track after the thumb";
    EXPECT_EQ(SkinColour(2, 0, true), Headless::WindowPixel(h, 1, 60)) << "thumb";
    EXPECT_EQ(SkinColour(2, 0, true), Headless::WindowPixel(h, 13, 139)) << "thumb end";
    // Four grip lines 2 apart from 58 + (83 - 7) / 2 = 96, x 4 to 11.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(RGB(129, 135, 144), Headless::WindowPixel(h, 4, 96 + 2 * i));
        EXPECT_EQ(RGB(129, 135, 144), Headless::WindowPixel(h, 11, 96 + 2 * i));
        EXPECT_EQ(SkinColour(2, 0, true), Headless::WindowPixel(h, 12, 96 + 2 * i));
        EXPECT_EQ(SkinColour(2, 0, true), Headless::WindowPixel(h, 4, 97 + 2 * i));
    }
    // A pressed arrow shows its pressed picture.
    Press(7, 195);
    EXPECT_EQ(SkinColour(1, 2, true), Headless::WindowPixel(h, 7, 195));
    Release(7, 195);
    EXPECT_EQ(SkinColour(1, 0, true), Headless::WindowPixel(h, 7, 195));
}

TEST_F(SkinScrollBarTest, AHorizontalBarPaintsItsOwnParts)
{
    CreateBar(false, 0, 99, 50, 0);  // thumb [17, 100)
    Headless::KeepWindowPixels(bar.GetSafeHwnd());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HWND h = bar.GetSafeHwnd();
    EXPECT_EQ(SkinColour(0, 0, false), Headless::WindowPixel(h, 5, 7));
    EXPECT_EQ(SkinColour(1, 0, false), Headless::WindowPixel(h, 195, 7));
    EXPECT_EQ(SkinColour(3, 0, false), Headless::WindowPixel(h, 150, 7));
    EXPECT_EQ(SkinColour(2, 0, false), Headless::WindowPixel(h, 30, 1));
    Mouse(WM_MOUSEMOVE, 40, 7, 0);
    EXPECT_EQ(SkinColour(2, 1, false), Headless::WindowPixel(h, 30, 1)) << "the hot thumb";
}

TEST_F(SkinScrollBarTest, WithoutASkinTheBarIsPlain)
{
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 15, 200), &parent, 1001));
    Headless::KeepWindowPixels(bar.GetSafeHwnd());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR), Headless::WindowPixel(bar.GetSafeHwnd(), 7, 100));
}
