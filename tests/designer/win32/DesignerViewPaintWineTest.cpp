// The document view of KivoDesigner.exe draws nothing of its own: the hosted
// control covers it. With the control made smaller, the uncovered part of the
// view keeps what the screen showed there (no background is filled in), and
// a repaint of the view leaves no region waiting to be painted.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

using namespace designerwine;

namespace {

COLORREF ScreenAt(HWND hwnd, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    HDC dc = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return c;
}

class DesignerViewPaint : public DesignerProgramBase {};

}  // namespace

TEST_F(DesignerViewPaint, ViewPaintsNothingAroundTheControl)
{
    Designer d;
    ASSERT_TRUE(d.started);
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = d.Documents();
        return docs.size() == 1;
    }));
    HWND control = ChildById(docs[0], 923);
    ASSERT_NE(nullptr, control);
    HWND view = ::GetParent(control);
    ASSERT_NE(nullptr, view);
    d.Foreground();
    Pump(300);
    RECT rc;
    ::GetClientRect(view, &rc);
    ASSERT_GT(rc.right, 200);
    ASSERT_GT(rc.bottom, 200);

    // A point on the grid's column headers, right of where the smaller
    // control will end: a header colour, not the window colour.
    const POINT header = {rc.right * 3 / 4, 6};
    const COLORREF shown = ScreenAt(view, header);
    ASSERT_NE(::GetSysColor(COLOR_WINDOW), shown);

    ::SetWindowPos(control, nullptr, 0, 0, rc.right / 2, rc.bottom / 2, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(view, nullptr, TRUE);
    ::UpdateWindow(view);
    Pump(500);
    RECT pending;
    EXPECT_FALSE(::GetUpdateRect(view, &pending, FALSE));
    EXPECT_EQ(shown, ScreenAt(view, header));

    // The control takes the whole view again when the view is sized.
    ::SetWindowPos(control, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(300);
    EXPECT_EQ(0, d.Close());
}
