// The colour button in a window of the test's own: real keys queued with
// SendInput drive its palette, and the parent records the notifications.
#include "designer/win32/ColourPicker.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<UINT, COLORREF>> g_sent;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= CPN_SELCHANGE && message <= CPN_SELENDCANCEL) {
        EXPECT_EQ(1190, lParam);
        g_sent.push_back({message, static_cast<COLORREF>(wParam)});
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void QueueKeys(std::initializer_list<WORD> keys)
{
    for (WORD vk : keys) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
    }
}

struct PickerWindow {
    HWND parent = nullptr;
    HWND button = nullptr;
    CXColourPicker picker;
    PickerWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KivoPickerTestParent";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::RegisterClassA(&wc);
        parent = ::CreateWindowExA(0, wc.lpszClassName, "picker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        button = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP, 20, 20, 80, 24,
                                   parent, reinterpret_cast<HMENU>(1190), wc.hInstance, nullptr);
        picker.SubclassDlgItem(1190, parent);
        ::SetForegroundWindow(parent);
        ::SetFocus(button);
        Settle();
    }
    ~PickerWindow()
    {
        if (parent != nullptr)
            ::DestroyWindow(parent);
    }
    static void Settle()
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < 300) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::Sleep(10);
        }
    }
};

const COLORREF kRed = RGB(255, 0, 0), kDarkRed = RGB(139, 0, 0), kMagenta = RGB(255, 0, 255);

}  // namespace

TEST(ColourPickerWine, KeyboardChoiceAndItsNotifications)
{
    PickerWindow w;
    ASSERT_NE(nullptr, w.button);
    w.picker.SetColour(kRed);   // entry 2 of the first row

    // Right twice: "Magenta"; Enter confirms it.
    g_sent.clear();
    QueueKeys({VK_RIGHT, VK_RIGHT, VK_RETURN});
    w.picker.DropDown();
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, kRed}, {2027, kMagenta}, {2028, kMagenta},
                                                       {2025, kMagenta}}),
              g_sent);
    EXPECT_EQ(kMagenta, w.picker.GetColour());

    // The current colour confirmed again: no change notification.
    g_sent.clear();
    QueueKeys({VK_RETURN});
    w.picker.DropDown();
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, kMagenta}, {2027, kMagenta}, {2028, kMagenta}}), g_sent);

    // Live tracking, moves, then Esc: the opening colour stays.
    g_sent.clear();
    w.picker.SetTrackSelection(TRUE);
    QueueKeys({VK_LEFT, VK_LEFT, VK_LEFT, VK_ESCAPE});
    w.picker.DropDown();
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, kMagenta}, {2027, kMagenta}, {2029, kMagenta}}), g_sent);
    EXPECT_EQ(kMagenta, w.picker.GetColour());

    // Up from the first row wraps to the last one and Down comes back,
    // stepping over the "Custom..." row both ways: Left once is "Dark Red".
    g_sent.clear();
    w.picker.SetColour(kRed);
    QueueKeys({VK_UP, VK_DOWN, VK_LEFT, VK_RETURN});
    w.picker.DropDown();
    EXPECT_EQ(kDarkRed, w.picker.GetColour());

    // Disabled: silver on screen, the real colour kept, no palette.
    ::EnableWindow(w.button, FALSE);
    PickerWindow::Settle();
    g_sent.clear();
    w.picker.DropDown();
    EXPECT_TRUE(g_sent.empty());
    EXPECT_EQ(kDarkRed, w.picker.GetColour());
    RECT rc;
    ::GetWindowRect(w.button, &rc);
    HDC screen = ::GetDC(nullptr);
    bool silver = false;
    for (int x = rc.left; x < rc.right && !silver; ++x)
        silver = ::GetPixel(screen, x, (rc.top + rc.bottom) / 2) == RGB(192, 192, 192);
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(silver);
}
