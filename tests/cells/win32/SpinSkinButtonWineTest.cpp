// The decimal spin button over the system's up-down control and the skin
// button over the system's button, in a real window under Wine with real
// mouse input: clicks on the arrows step, clamp and wrap the buddy edit's
// value; the skin button shows its hot face while the mouse is over it, its
// normal face after the mouse left, and its disabled face with a grey caption.
#include "cells/Edit.h"
#include "cells/NumericSpinButton.h"
#include "cells/SkinButton.h"
#include "grid/GridCtrl.h"
#include "grid/SkinBitmaps.h"
#include "grid/win32/GridWineTestUtil.h"
#include "cells/win32/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using gridwine::PumpFor;
using gridwine::PumpUntil;

namespace {

class SpinSkinButtonWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_host = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_host, "KivoSpinSkinWineHost", "host", WS_POPUP | WS_VISIBLE,
                                           CRect(80, 80, 480, 380)));
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }
    void SetUp() override { ::SetForegroundWindow(s_host->GetSafeHwnd()); }

    std::string Text(CEdit& edit)
    {
        CString text;
        edit.GetWindowText(text);
        return text.Str();
    }
    static COLORREF PixelOf(CWnd& wnd, int x, int y)
    {
        HDC dc = ::GetDC(wnd.GetSafeHwnd());
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(wnd.GetSafeHwnd(), dc);
        return c;
    }

    static CWnd* s_host;
};

CWnd* SpinSkinButtonWineTest::s_host = nullptr;

TEST_F(SpinSkinButtonWineTest, ArrowClicksStepClampAndWrapTheBuddy)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(20, 20, 120, 44), s_host, 101));
    struct Run {
        DWORD style;
        const char* ups[3];     // after each of three clicks on the upper arrow
        const char* down;       // after one click on the lower arrow then
    } runs[] = {
        {0, {"0.9", "1", "1"}, "0.9"},
        {UDS_WRAP, {"0.9", "1", "0"}, "1"},
    };
    for (const Run& run : runs) {
        CNumericSpinButton spin;
        spin.SetRange(0, 1, 0.1);
        spin.SetDecimals(1);
        ASSERT_TRUE(spin.Create(WS_VISIBLE | run.style, CRect(120, 20, 140, 44), s_host, 102));
        spin.SetBuddy(&edit);
        spin.SetValue(0.8);
        ASSERT_EQ("0.8", Text(edit));
        EXPECT_EQ(8, spin.GetPos32());
        PumpFor(60);
        for (const char* expected : run.ups) {
            realinput::ClickAt(spin.GetSafeHwnd(), POINT{10, 4});
            EXPECT_TRUE(PumpUntil([&] { return Text(edit) == expected; }, 1000))
                << "style " << run.style << ": " << Text(edit) << " instead of " << expected;
        }
        realinput::ClickAt(spin.GetSafeHwnd(), POINT{10, 20});
        EXPECT_TRUE(PumpUntil([&] { return Text(edit) == run.down; }, 1000))
            << "style " << run.style << ": " << Text(edit) << " instead of " << run.down;
        spin.DestroyWindow();
    }

    // A read-only buddy is never written, by a click or by SetValue.
    CNumericSpinButton spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(120, 20, 140, 44), s_host, 102));
    spin.SetBuddy(&edit);
    edit.SetWindowText("7");
    ::SendMessageA(edit.GetSafeHwnd(), EM_SETREADONLY, TRUE, 0);
    spin.SetValue(3);
    realinput::ClickAt(spin.GetSafeHwnd(), POINT{10, 4});
    EXPECT_EQ("7", Text(edit));
    spin.DestroyWindow();
    edit.DestroyWindow();
}

TEST_F(SpinSkinButtonWineTest, TheSkinButtonShowsHotNormalAndDisabledFaces)
{
    CGridCtrl grid;
    ASSERT_TRUE(grid.Create(CRect(0, 200, 200, 300), s_host, 5, WS_CHILD | WS_VISIBLE));
    grid.SetSkinStyle(1);
    // A skin whose faces are plain colours, so each face is known by a pixel.
    const COLORREF faces[5] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0), RGB(0, 200, 200)};
    {
        CBitmap* skin = grid.GetSkinBitmap(SKIN_BUTTON);
        const CSize size = skin->GetSize();
        ASSERT_GT(size.cy, 10);
        HDC screen = ::GetDC(nullptr);
        HDC mem = ::CreateCompatibleDC(screen);
        HGDIOBJ old = ::SelectObject(mem, reinterpret_cast<HBITMAP>(skin->GetSafeHandle()));
        for (int f = 0; f < 5; ++f) {
            HBRUSH brush = ::CreateSolidBrush(faces[f]);
            RECT band = {0, f * size.cy / 5, size.cx, (f + 1) * size.cy / 5};
            ::FillRect(mem, &band, brush);
            ::DeleteObject(brush);
        }
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
        ::ReleaseDC(nullptr, screen);
    }

    CSkinButton button;
    button.SetGrid(&grid);
    ASSERT_TRUE(button.Create("OK", WS_VISIBLE, CRect(20, 80, 140, 110), s_host, 103));
    ASSERT_TRUE(button.IsSkinned());
    // Away from the pointer first.
    realinput::PointerTo(s_host->GetSafeHwnd(), POINT{300, 20});
    button.Invalidate();
    button.UpdateWindow();
    PumpFor(60);
    const int x = 4, y = 3;    // a pixel of the face clear of the caption
    EXPECT_EQ(faces[0], PixelOf(button, x, y));

    realinput::PointerTo(button.GetSafeHwnd(), POINT{60, 15});
    EXPECT_TRUE(PumpUntil([&] { return button.IsHovering() != FALSE; }, 1000));
    button.UpdateWindow();
    EXPECT_TRUE(PumpUntil([&] { return PixelOf(button, x, y) == faces[3]; }, 1000)) << "the hot face";

    realinput::PointerTo(s_host->GetSafeHwnd(), POINT{300, 20});
    EXPECT_TRUE(PumpUntil([&] { return !button.IsHovering(); }, 1000)) << "the mouse left";
    button.UpdateWindow();
    EXPECT_TRUE(PumpUntil([&] { return PixelOf(button, x, y) != faces[3]; }, 1000));
    const COLORREF after = PixelOf(button, x, y);
    EXPECT_TRUE(after == faces[0] || after == faces[1]) << "normal (or focused) again";

    button.Disable();
    button.Invalidate();
    button.UpdateWindow();
    PumpFor(60);
    EXPECT_EQ(faces[4], PixelOf(button, x, y)) << "the disabled face";
    int grey = 0;
    for (int py = 0; py < 30; ++py)
        for (int px = 0; px < 120; ++px)
            if (PixelOf(button, px, py) == RGB(0x80, 0x80, 0x80))
                ++grey;
    EXPECT_GT(grey, 5) << "the caption in grey";

    button.DestroyWindow();
    grid.DestroyWindow();
    PumpFor(30);
}

}  // namespace
