// The border preview and the font box in a window of the test's own: the
// preview's pixels read back from the screen, the font box's lists from the
// system's fonts.
#include "designer/win32/BorderPreview.h"
#include "designer/win32/FontNameCombo.h"

#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

struct Host {
    HWND parent = nullptr;
    Host()
    {
        parent = ::CreateWindowExA(0, "STATIC", "preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 360, 260,
                                   nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SetForegroundWindow(parent);
    }
    ~Host()
    {
        if (parent != nullptr)
            ::DestroyWindow(parent);
    }
};

COLORREF Pixel(HWND hwnd, int x, int y)
{
    POINT p = {x, y};
    ::ClientToScreen(hwnd, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

std::string ItemText(HWND box, int i)
{
    char text[256] = {0};
    if (::SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof text))
        ::SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST(BorderPreviewWine, PaintsMarksTextAndTheLinesThatAreSet)
{
    Host h;
    HWND stat = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 10, 10, 160, 120, h.parent,
                                  reinterpret_cast<HMENU>(1031), nullptr, nullptr);
    CBorderPreview preview;
    ASSERT_TRUE(preview.SubclassDlgItem(1031, h.parent));
    gridwine::PumpFor(200);

    // Unset: white cell edges, grey corner marks, the sample text in the middle.
    const COLORREF white = RGB(255, 255, 255), grey = RGB(192, 192, 192);
    EXPECT_EQ(white, Pixel(stat, 40, 10));
    EXPECT_EQ(white, Pixel(stat, 10, 40));
    EXPECT_EQ(grey, Pixel(stat, 7, 5));
    EXPECT_EQ(grey, Pixel(stat, 154, 112));
    int ink = 0;
    for (int x = 50; x < 110; ++x)
        for (int y = 50; y < 70; ++y)
            ink += Pixel(stat, x, y) != white ? 1 : 0;
    EXPECT_GT(ink, 10);

    // The top edge in blue, the half diagonals from the bottom-right corner
    // in red; then the top edge cleared again.
    preview.SetBorderLineAndRedraw(0, 2, PS_SOLID, 1, RGB(0, 0, 255));
    preview.SetBorderLineAndRedraw(7, 128, PS_SOLID, 1, RGB(255, 0, 0));
    gridwine::PumpFor(200);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(stat, 40, 10));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(stat, 149, 109));   // the corner both start from
    EXPECT_EQ(white, Pixel(stat, 40, 109));              // no bottom edge
    EXPECT_EQ(-1, preview.GetBorderLine(9).flag);
    preview.ClearBorderLine(0);
    gridwine::PumpFor(200);
    EXPECT_EQ(white, Pixel(stat, 40, 10));
    EXPECT_EQ(-1, preview.GetBorderLine(0).flag);
    EXPECT_EQ(128, preview.GetBorderLine(7).flag);

    // The static gone first: the preview keeps its records and draws nothing.
    ::DestroyWindow(stat);
    EXPECT_EQ(nullptr, preview.Hwnd());
    preview.SetBorderLineAndRedraw(1, 8, PS_SOLID, 1, 0);
    preview.ClearBorderLine(7);
    EXPECT_EQ(8, preview.GetBorderLine(1).flag);
}

TEST(FontNameComboWine, ListsFacesScriptsAndSizes)
{
    Host h;
    HWND box = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL,
                                 10, 10, 200, 200, h.parent, reinterpret_cast<HMENU>(1005), nullptr, nullptr);
    HWND plain = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 40,
                                   200, 200, h.parent, reinterpret_cast<HMENU>(1011), nullptr, nullptr);
    CFontNameCombo faces, other;
    ASSERT_TRUE(faces.Attach(1005, h.parent));
    ASSERT_TRUE(other.Attach(1011, h.parent));
    EXPECT_FALSE(CFontNameCombo().Attach(999, h.parent));

    // Every family once.
    faces.SetMode(0);
    faces.Fill(CString(), DEFAULT_CHARSET);
    const int n = static_cast<int>(::SendMessageA(box, CB_GETCOUNT, 0, 0));
    ASSERT_GT(n, 0);
    std::set<std::string> seen;
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(seen.insert(ItemText(box, i)).second) << ItemText(box, i);
    const std::string face = ItemText(box, 0);

    // The scripts of one face carry their character sets.
    other.SetMode(3);
    other.Fill(CString(face.c_str()), DEFAULT_CHARSET);
    ASSERT_GT(::SendMessageA(plain, CB_GETCOUNT, 0, 0), 0);
    const LRESULT charset = ::SendMessageA(plain, CB_GETITEMDATA, 0, 0);
    ::SendMessageA(plain, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(other.SelectData(static_cast<long>(charset)));
    EXPECT_EQ(0, ::SendMessageA(plain, CB_GETCURSEL, 0, 0));
    EXPECT_FALSE(other.SelectData(0x7777));
    other.SetMode(9);   // ignored
    EXPECT_EQ(3, other.GetMode());

    // Sizes in ascending order with their value as item data, in a box
    // that would sort them as text.
    faces.SetMode(1);
    faces.Fill(CString(), DEFAULT_CHARSET);
    const int sizes = static_cast<int>(::SendMessageA(box, CB_GETCOUNT, 0, 0));
    ASSERT_GT(sizes, 0);
    for (int i = 0; i < sizes; ++i) {
        EXPECT_EQ(std::to_string(::SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)), ItemText(box, i));
        if (i > 0)
            EXPECT_LT(::SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i - 1), 0),
                      ::SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    }
    EXPECT_LT(PointSizeToHeight(9), 0);
}
