// The colour picker button in a real window under Wine, with real mouse and
// keys: a click opens the palette popup below the button, keys choose a
// colour, the default box or nothing, the button shows the colour in its
// pixels, and the parent hears each step. The picker and its window may end
// in either order.
#include "cells/ColourPalette.h"
#include "cells/win32/ColourPickerWnd.h"
#include "cells/win32/FormatWindows.h"
#include "cells/win32/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

using gridwine::PumpFor;
using gridwine::PumpUntil;

namespace {

const int kPickerId = 212;

struct Heard {
    UINT message;
    COLORREF colour;
    LPARAM lParam;
};
std::vector<Heard> g_heard;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (CColourPicker::Reflect(msg, wParam, lParam))
        return 0;
    if (msg >= palette::MSG_SELCHANGE && msg <= palette::MSG_SELENDCANCEL) {
        g_heard.push_back({msg, static_cast<COLORREF>(wParam), lParam});
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ColourPickerWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "KivoPickerWineHost";
        ::RegisterClassA(&wc);
        m_host = ::CreateWindowExA(0, "KivoPickerWineHost", "picker host", WS_POPUP | WS_VISIBLE | WS_BORDER, 100,
                                   100, 300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_host);
        m_button = ::CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 120, 24, m_host,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPickerId)),
                                     ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_button);
        ::SetForegroundWindow(m_host);
        g_heard.clear();
        PumpFor(60);
    }
    void TearDown() override
    {
        if (m_host != nullptr)
            ::DestroyWindow(m_host);
        PumpFor(30);
    }

    COLORREF ColourPixel()
    {
        ::InvalidateRect(m_button, nullptr, FALSE);
        ::UpdateWindow(m_button);
        HDC dc = ::GetDC(m_button);
        const COLORREF c = ::GetPixel(dc, 12, 12);
        ::ReleaseDC(m_button, dc);
        return c;
    }
    HWND OpenByClick()
    {
        realinput::ClickAt(m_button, POINT{20, 12});
        HWND popup = nullptr;
        PumpUntil([&] { return (popup = ::FindWindowA(kColourPopupClass, nullptr)) != nullptr; }, 1500);
        return popup;
    }
    std::vector<UINT> HeardMessages() const
    {
        std::vector<UINT> m;
        for (const Heard& h : g_heard)
            m.push_back(h.message);
        return m;
    }

    HWND m_host = nullptr;
    HWND m_button = nullptr;
};

TEST_F(ColourPickerWineTest, ClicksAndKeysChooseAColourTheDefaultOrNothing)
{
    CColourPicker picker;
    ASSERT_TRUE(picker.SubclassDlgItem(kPickerId, m_host));
    EXPECT_FALSE(picker.SubclassDlgItem(kPickerId, m_host)) << "one window per picker";
    EXPECT_EQ(static_cast<LONG>(BS_OWNERDRAW), ::GetWindowLongA(m_button, GWL_STYLE) & 0x0F);
    picker.SetColour(0x0000FF);                 // palette entry 16, "Red"
    picker.SetDefaultColour(0x00FF00);
    picker.SetDefaultText("自动");
    picker.SetCustomText("更多颜色");
    EXPECT_EQ(0x0000FFu, ColourPixel());

    // A real click opens the popup at the button's bottom-left corner.
    HWND popup = OpenByClick();
    ASSERT_NE(nullptr, popup);
    RECT button, placed;
    ::GetWindowRect(m_button, &button);
    ::GetWindowRect(popup, &placed);
    EXPECT_EQ(button.left, placed.left);
    EXPECT_EQ(button.bottom, placed.top);
    EXPECT_TRUE(picker.IsPopupOpen());
    ASSERT_EQ(1u, g_heard.size());
    EXPECT_EQ(palette::MSG_DROPDOWN, g_heard[0].message);
    EXPECT_EQ(0x0000FFu, g_heard[0].colour);
    EXPECT_EQ(kPickerId, g_heard[0].lParam);

    // Right moves to entry 17 ("Light orange"); Enter takes it.
    g_heard.clear();
    realinput::PressKey(VK_RIGHT);
    realinput::PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([] { return ::FindWindowA(kColourPopupClass, nullptr) == nullptr; }, 1000));
    EXPECT_EQ(0x5BADFFu, picker.GetColour());
    EXPECT_FALSE(picker.IsDefaultChosen());
    EXPECT_FALSE(picker.IsPopupOpen());
    EXPECT_EQ((std::vector<UINT>{palette::MSG_SELCHANGE, palette::MSG_CLOSEUP, palette::MSG_SELENDOK,
                                 palette::MSG_SELCHANGE}),
              HeardMessages());
    EXPECT_EQ(kPickerId, g_heard.back().lParam);
    EXPECT_EQ(0x5BADFFu, ColourPixel());

    // Esc keeps the colour.
    g_heard.clear();
    ASSERT_NE(nullptr, OpenByClick());
    realinput::PressKey(VK_DOWN);
    realinput::PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return ::FindWindowA(kColourPopupClass, nullptr) == nullptr; }, 1000));
    EXPECT_EQ(0x5BADFFu, picker.GetColour());
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(palette::MSG_SELENDCANCEL, g_heard.back().message);
    EXPECT_EQ(0x5BADFFu, g_heard.back().colour);

    // Up three times from entry 17 reaches the default box: the picker takes
    // its own default colour.
    ASSERT_NE(nullptr, OpenByClick());
    for (int i = 0; i < 3; ++i)
        realinput::PressKey(VK_UP);
    realinput::PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([] { return ::FindWindowA(kColourPopupClass, nullptr) == nullptr; }, 1000));
    EXPECT_TRUE(picker.IsDefaultChosen());
    EXPECT_EQ(0x00FF00u, picker.GetColour());
    EXPECT_EQ(0x00FF00u, ColourPixel());

    // A release outside the popup chooses nothing.
    g_heard.clear();
    ASSERT_NE(nullptr, OpenByClick());
    realinput::ClickAt(m_host, POINT{280, 180});
    EXPECT_TRUE(PumpUntil([] { return ::FindWindowA(kColourPopupClass, nullptr) == nullptr; }, 1000));
    EXPECT_EQ(0x00FF00u, picker.GetColour());
    EXPECT_EQ(palette::MSG_SELENDCANCEL, g_heard.empty() ? 0u : g_heard.back().message);
}

TEST_F(ColourPickerWineTest, PickerAndWindowEndInEitherOrder)
{
    // The object goes first, with its popup open: the popup goes with it and
    // the button works on as a plain button.
    {
        CColourPicker picker;
        ASSERT_TRUE(picker.SubclassDlgItem(kPickerId, m_host));
        ASSERT_NE(nullptr, OpenByClick());
    }
    PumpFor(60);
    EXPECT_EQ(nullptr, ::FindWindowA(kColourPopupClass, nullptr));
    g_heard.clear();
    ::SendMessageA(m_button, BM_CLICK, 0, 0);
    PumpFor(60);
    EXPECT_EQ(nullptr, ::FindWindowA(kColourPopupClass, nullptr));
    EXPECT_TRUE(g_heard.empty());

    // The window goes first, with its popup open: the picker forgets it and
    // refuses what needs it.
    CColourPicker picker;
    ASSERT_TRUE(picker.SubclassDlgItem(kPickerId, m_host));
    ASSERT_NE(nullptr, OpenByClick());
    ::DestroyWindow(m_button);
    m_button = nullptr;
    PumpFor(60);
    EXPECT_EQ(nullptr, picker.GetSafeHwnd());
    EXPECT_FALSE(picker.IsPopupOpen());
    EXPECT_EQ(nullptr, ::FindWindowA(kColourPopupClass, nullptr));
    picker.SetColour(0x123456);                  // no window to redraw
    EXPECT_EQ(0x123456u, picker.GetColour());
    EXPECT_FALSE(picker.SubclassDlgItem(kPickerId, m_host)) << "no such button any more";
}

}  // namespace
