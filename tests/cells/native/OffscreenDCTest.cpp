// Double-buffered painting: drawing lands in a memory bitmap of the area to
// paint and reaches the target in one block transfer.
#include "cells/OffscreenDC.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);

class PaintedWindow : public CWnd {
public:
    std::function<void(CDC*)> paint;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        dc.SetBkColor(RGB(0, 0, 255));
        if (paint)
            paint(&dc);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
};

class OffscreenDCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(window.CreateEx(0, "KivoTestPainted", "", WS_VISIBLE, CRect(0, 0, 100, 80), nullptr, 0));
        Headless::KeepWindowPixels(window.GetSafeHwnd());
        PlatformPumpMessages();
        Headless::ClearDrawLog();
    }

    int CountOps(Headless::DrawKind kind, const void* target) const
    {
        int n = 0;
        for (const Headless::DrawOp& op : Headless::DrawLog())
            n += (op.kind == kind && op.target == target) ? 1 : 0;
        return n;
    }

    PaintedWindow window;
};

}  // namespace

TEST_F(OffscreenDCTest, DrawsIntoABitmapOfTheAreaAndCopiesItOnce)
{
    bool buffered = false;
    CRect area;
    window.paint = [&](CDC* dc) {
        COffscreenDC buffer(dc);
        buffered = buffer.IsBuffered() != FALSE;
        area = buffer.GetArea();
        buffer.FillSolidRect(20, 20, 10, 10, kRed);
    };
    CRect invalid(10, 10, 50, 50);
    window.InvalidateRect(&invalid);
    PlatformPumpMessages();

    EXPECT_TRUE(buffered);
    EXPECT_EQ(invalid, area);
    const HWND h = window.GetSafeHwnd();
    EXPECT_EQ(0, CountOps(Headless::DrawKind::FillRect, h)) << "nothing is drawn into the window directly";
    ASSERT_EQ(1, CountOps(Headless::DrawKind::BitBlt, h));
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind == Headless::DrawKind::BitBlt && op.target == h) {
            EXPECT_EQ(invalid, CRect(op.rect));
            EXPECT_EQ(static_cast<UINT>(SRCCOPY), op.flags);
        }
    }
    // Logical coordinates are the window's; the rest of the area has the
    // target's background colour; outside the area nothing changed.
    EXPECT_EQ(kRed, Headless::WindowPixel(h, 20, 20));
    EXPECT_EQ(kRed, Headless::WindowPixel(h, 29, 29));
    EXPECT_EQ(RGB(0, 0, 255), Headless::WindowPixel(h, 30, 30));
    EXPECT_EQ(RGB(0, 0, 255), Headless::WindowPixel(h, 10, 10));
    EXPECT_NE(RGB(0, 0, 255), Headless::WindowPixel(h, 60, 60));
    EXPECT_EQ(0u, Headless::DCCount());
}

TEST_F(OffscreenDCTest, PrintingOrAnEmptyAreaDrawsStraightIntoTheTarget)
{
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    std::vector<COLORREF> white(40 * 40, RGB(255, 255, 255));
    ASSERT_TRUE(bitmap.CreateFromPixels(40, 40, white.data()));
    CBitmap* old = memory.SelectObject(&bitmap);
    const struct {
        const char* name;
        BOOL printing;
        CRect area;
    } cases[] = {
        {"a printing target", TRUE, CRect(0, 0, 40, 40)},
        {"an empty area", FALSE, CRect(5, 5, 5, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memory.m_bPrinting = c.printing;
        Headless::ClearDrawLog();
        {
            COffscreenDC buffer(&memory, &c.area);
            EXPECT_FALSE(buffer.IsBuffered());
            EXPECT_EQ(memory.GetSafeHdc(), buffer.GetSafeHdc());
            buffer.FillSolidRect(1, 1, 2, 2, kRed);
        }
        EXPECT_EQ(kRed, Headless::BitmapPixel(static_cast<HBITMAP>(bitmap.GetSafeHandle()), 1, 1));
        for (const Headless::DrawOp& op : Headless::DrawLog())
            EXPECT_NE(Headless::DrawKind::BitBlt, op.kind);
        EXPECT_NE(nullptr, memory.GetSafeHdc()) << "the target stays usable";
        memory.FillSolidRect(1, 1, 2, 2, 0);
    }
    memory.m_bPrinting = FALSE;
    memory.SelectObject(old);
}
