// Hover buttons in a window of the test's own, driven by the real mouse and
// keys (SendInput) and read back from the screen's pixels.
#include "designer/win32/HoverButton.h"

#include "cells/win32/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<std::pair<UINT, UINT>> g_commands;   // (id, code) the parent heard

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && CHoverButton::DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    if (message == WM_COMMAND) {
        g_commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kSilver = RGB(192, 192, 192);

// A side x side bitmap: silver (the transparent colour) with a red square.
HBITMAP RedSquare(int side)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, side, side);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, side, side}, inner = {2, 2, side - 2, side - 2};
    HBRUSH silver = ::CreateSolidBrush(kSilver), red = ::CreateSolidBrush(kRed);
    ::FillRect(dc, &all, silver);
    ::FillRect(dc, &inner, red);
    ::DeleteObject(silver);
    ::DeleteObject(red);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

COLORREF ScreenPixel(HWND hwnd, int x, int y)
{
    POINT p = {x, y};
    ::ClientToScreen(hwnd, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

int CountPixels(HWND hwnd, COLORREF colour)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(hwnd, &origin);
    HDC screen = ::GetDC(nullptr);
    int n = 0;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            n += ::GetPixel(screen, origin.x + x, origin.y + y) == colour ? 1 : 0;
    ::ReleaseDC(nullptr, screen);
    return n;
}

void Settle(DWORD ms = 200)
{
    gridwine::PumpFor(ms);
}

struct ButtonWindow {
    HWND parent = nullptr;
    ButtonWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KivoHoverTestParent";
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        ::RegisterClassA(&wc);
        parent = ::CreateWindowExA(0, wc.lpszClassName, "hover", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420,
                                   260, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(parent);
        g_commands.clear();
    }
    ~ButtonWindow()
    {
        if (parent != nullptr)
            ::DestroyWindow(parent);
    }
    HWND Add(int id, const char* text, DWORD style, int x, int y, int w, int h)
    {
        return ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                 nullptr);
    }
};

void MoveAway(HWND parent)
{
    realinput::PointerTo(parent, POINT{400, 240});
}

}  // namespace

TEST(HoverButtonWine, LightsUpUnderTheMouseAndClearsOnLeaving)
{
    ButtonWindow w;
    HWND hwnd = w.Add(1001, "", BS_PUSHBUTTON, 20, 20, 120, 40);
    CHoverButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1001, w.parent));
    ASSERT_TRUE(button.SetBitmap(RedSquare(16), kSilver));
    button.SetImageAlign(5);
    button.SetCursor(::LoadCursor(nullptr, IDC_HAND));
    button.SetTooltipText(CString("tip of the button"));
    MoveAway(w.parent);
    Settle();

    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // Flat and not hovered: no edge; the picture centred, its silver frame
    // transparent.
    EXPECT_EQ(face, ScreenPixel(hwnd, 0, 20));
    EXPECT_EQ(kRed, ScreenPixel(hwnd, 60, 20));
    EXPECT_EQ(face, ScreenPixel(hwnd, 52, 12));
    EXPECT_EQ(12 * 12, CountPixels(hwnd, kRed));

    // Under the mouse: the raised edge and the button's own cursor.
    realinput::PointerTo(hwnd, POINT{60, 30});
    Settle();
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(light, ScreenPixel(hwnd, 0, 20));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());
    // Resting there brings up the tool tip.
    realinput::PointerTo(hwnd, POINT{62, 31});
    HWND tip = nullptr;
    const DWORD start = ::GetTickCount();
    while (tip == nullptr && ::GetTickCount() - start < 3000) {
        Settle(100);
        HWND h = ::FindWindowA("tooltips_class32", nullptr);
        char text[64] = {0};
        if (h != nullptr && ::IsWindowVisible(h) && ::GetWindowTextA(h, text, sizeof text) > 0 &&
            std::string(text) == "tip of the button")
            tip = h;
    }
    EXPECT_NE(nullptr, tip);

    // Leaving: the look goes within a timer tick or two.
    MoveAway(w.parent);
    Settle(250);
    EXPECT_FALSE(button.IsHover());
    EXPECT_EQ(face, ScreenPixel(hwnd, 0, 20));

    // Disabled: the picture greyed, no red left.
    button.Disable();
    Settle();
    EXPECT_EQ(0, CountPixels(hwnd, kRed));

    // The window gone first: the button refuses quietly.
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, button.Hwnd());
    EXPECT_EQ(nullptr, CHoverButton::FromHwnd(hwnd));
    EXPECT_TRUE(button.SetBitmap(RedSquare(16), kSilver));
    button.SetTooltipText(CString("gone"));
    button.Enable();
    button.SetImageAlign(1);
    EXPECT_FALSE(button.SubclassDlgItem(1001, w.parent));
}

TEST(HoverButtonWine, ClicksPushCheckAndRadioButtons)
{
    ButtonWindow w;
    w.Add(1001, "push", BS_PUSHBUTTON, 10, 10, 80, 26);
    w.Add(1002, "check", BS_AUTOCHECKBOX, 10, 50, 80, 26);
    w.Add(1003, "one", BS_AUTORADIOBUTTON | WS_GROUP, 110, 10, 80, 26);
    w.Add(1004, "two", BS_AUTORADIOBUTTON, 110, 50, 80, 26);
    w.Add(1005, "three", BS_AUTORADIOBUTTON, 110, 90, 80, 26);
    w.Add(1006, "after", BS_PUSHBUTTON | WS_GROUP, 110, 130, 80, 26);
    CHoverButton buttons[5];
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(buttons[i].SubclassDlgItem(1001 + i, w.parent));
    EXPECT_EQ(BS_AUTOCHECKBOX, buttons[1].GetButtonType());
    EXPECT_EQ(BS_AUTORADIOBUTTON, buttons[2].GetButtonType());
    Settle();

    // A push button without a link only tells its parent.
    realinput::ClickAt(w.parent, POINT{50, 23});
    Settle();
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{1001, BN_CLICKED}}), g_commands);

    // The check box toggles, and shows it sunk in.
    realinput::ClickAt(w.parent, POINT{50, 63});
    Settle();
    EXPECT_EQ(BST_CHECKED, ::SendDlgItemMessageA(w.parent, 1002, BM_GETCHECK, 0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), ScreenPixel(::GetDlgItem(w.parent, 1002), 0, 13));
    realinput::ClickAt(w.parent, POINT{50, 63});
    Settle();
    EXPECT_EQ(BST_UNCHECKED, ::SendDlgItemMessageA(w.parent, 1002, BM_GETCHECK, 0, 0));

    // Radio: the first checked, then the last clears it (walking back), then
    // the first clears the last (walking on); the next group is left alone.
    ::SendDlgItemMessageA(w.parent, 1003, BM_SETCHECK, BST_CHECKED, 0);
    realinput::ClickAt(w.parent, POINT{150, 103});
    Settle();
    EXPECT_EQ(BST_UNCHECKED, ::SendDlgItemMessageA(w.parent, 1003, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, ::SendDlgItemMessageA(w.parent, 1005, BM_GETCHECK, 0, 0));
    realinput::ClickAt(w.parent, POINT{150, 23});
    Settle();
    EXPECT_EQ(BST_CHECKED, ::SendDlgItemMessageA(w.parent, 1003, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, ::SendDlgItemMessageA(w.parent, 1004, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, ::SendDlgItemMessageA(w.parent, 1005, BM_GETCHECK, 0, 0));
    MoveAway(w.parent);
}

TEST(HoverButtonWine, ArrowPartDropsItsMenuAndAutoSizeFitsThePicture)
{
    ButtonWindow w;
    HWND hwnd = w.Add(1001, "", BS_PUSHBUTTON, 20, 20, 50, 20);
    CHoverButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1001, w.parent, CHoverButton::kFlat | CHoverButton::kDropDown |
                                                           CHoverButton::kAutoSize));
    HMENU menu = ::CreateMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING, 4242, "first");
    ::AppendMenuA(sub, MF_STRING, 4243, "second");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "drop");
    button.SetMenu(menu);
    ASSERT_TRUE(button.SetBitmap(RedSquare(24), kSilver));
    Settle();

    // 24 pixels of picture, margins and the 16-pixel arrow part.
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    EXPECT_EQ(24 + 12 + 16, rc.right);
    EXPECT_EQ(24 + 12, rc.bottom);
    // The triangle is drawn in the arrow part.
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), ScreenPixel(hwnd, rc.right - 8, (rc.bottom - 4) / 2));

    // A click on the body is a click; on the arrow the menu drops and the
    // chosen command reaches the parent.
    realinput::ClickAt(hwnd, POINT{10, 10});
    Settle();
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{1001, BN_CLICKED}}), g_commands);
    g_commands.clear();
    realinput::PointerTo(hwnd, POINT{rc.right - 6, 10});
    INPUT input[8] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const WORD vks[3] = {VK_DOWN, VK_DOWN, VK_RETURN};
    for (int i = 0; i < 3; ++i) {
        INPUT* k = &input[2 + 2 * i];
        k[0].type = k[1].type = INPUT_KEYBOARD;
        k[0].ki.wVk = k[1].ki.wVk = vks[i];
        k[1].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(8, input, sizeof(INPUT));
    Settle(400);
    EXPECT_FALSE(button.State().m_bArrowPressed);
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(4243u, g_commands.back().first);
    MoveAway(w.parent);
}
