// A decimal spin button tied to an up-down control that another window made
// (as a dialog makes its controls from a template), under Wine with real
// clicks: the parent's plain window procedure hands it the arrow clicks, it
// steps its buddy by a decimal delta and stops or wraps at the range ends,
// and the object and the window may end in either order.
#include "cells/NumericSpinButton.h"
#include "cells/win32/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

using gridwine::PumpFor;
using gridwine::PumpUntil;

namespace {

const int kSpinId = 224, kEditId = 221;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY) {
        LRESULT result = 0;
        if (CNumericSpinButton::ReflectNotify(lParam, &result))
            return result;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

class NumericSpinAttachWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&icc);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "KivoSpinAttachHost";
        ::RegisterClassA(&wc);
        m_parent = ::CreateWindowExA(0, "KivoSpinAttachHost", "margins", WS_POPUP | WS_VISIBLE | WS_BORDER, 120, 120,
                                     240, 120, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_parent);
        m_edit = ::CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 80, 24, m_parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), nullptr, nullptr);
        m_spin = ::CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, 100, 20, 20, 24,
                                   m_parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kSpinId)), nullptr, nullptr);
        ASSERT_NE(nullptr, m_edit);
        ASSERT_NE(nullptr, m_spin);
        ::SetForegroundWindow(m_parent);
        PumpFor(60);
    }
    void TearDown() override
    {
        if (m_parent != nullptr)
            ::DestroyWindow(m_parent);
    }
    std::string Text() const
    {
        char text[64] = {};
        ::GetWindowTextA(m_edit, text, sizeof text);
        return text;
    }
    // Clicks on one place further apart than the double-click time.
    void Click(bool bUp)
    {
        PumpFor(::GetDoubleClickTime() + 50);
        realinput::ClickAt(m_spin, POINT{10, bUp ? 5 : 19});
    }

    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
    HWND m_spin = nullptr;
};

TEST_F(NumericSpinAttachWineTest, ArrowClicksStepByADecimalDeltaAndStopOrWrap)
{
    const struct {
        DWORD style;
        const char* afterUps;    // three clicks up from 9.8, then one down
        const char* afterDown;
    } runs[] = {{0, "9.9 10 10 ", "9.9"}, {UDS_WRAP, "9.9 10 0 ", "10"}};
    for (const auto& run : runs) {
        ::SetWindowLongA(m_spin, GWL_STYLE, (::GetWindowLongA(m_spin, GWL_STYLE) & ~UDS_WRAP) | run.style);
        CNumericSpinButton spin;
        spin.SetRange(0, 10, 0.1);
        spin.SetDecimals(2);
        ASSERT_TRUE(spin.AttachDlgItem(m_parent, kSpinId, kEditId));
        EXPECT_FALSE(CNumericSpinButton().AttachDlgItem(m_parent, kSpinId, kEditId)) << "one object per window";
        EXPECT_EQ(100, spin.GetSteps());
        spin.SetValue(9.8);
        EXPECT_EQ("9.8", Text()) << "two decimals, trailing zero trimmed";
        EXPECT_EQ(98, spin.GetPos32()) << "the position follows in proportion";
        std::string ups;
        for (int i = 0; i < 3; ++i) {
            Click(true);
            ups += Text() + " ";
        }
        EXPECT_EQ(run.afterUps, ups) << "style " << run.style;
        Click(false);
        EXPECT_EQ(run.afterDown, Text()) << "style " << run.style;
        spin.DetachDlgItem();
        EXPECT_EQ(nullptr, spin.GetSafeHwnd());
    }
    EXPECT_FALSE(CNumericSpinButton().AttachDlgItem(m_parent, 999, kEditId)) << "no such control";
}

TEST_F(NumericSpinAttachWineTest, ObjectAndWindowEndInEitherOrder)
{
    // The object goes first: the window stays, and its clicks reach no one.
    {
        CNumericSpinButton spin;
        ASSERT_TRUE(spin.AttachDlgItem(m_parent, kSpinId, kEditId));
        spin.SetValue(5);
    }
    EXPECT_TRUE(::IsWindow(m_spin)) << "a dialog's window is not the object's to destroy";
    Click(true);
    EXPECT_EQ("5", Text());
    LRESULT result = 0;
    NMUPDOWN step = {{m_spin, kSpinId, static_cast<UINT>(UDN_DELTAPOS)}, 0, 1};
    EXPECT_FALSE(CNumericSpinButton::ReflectNotify(reinterpret_cast<LPARAM>(&step), &result));

    // The dialog ends first: the object lets go when told and refuses after.
    CNumericSpinButton spin;
    ASSERT_TRUE(spin.AttachDlgItem(m_parent, kSpinId, kEditId));
    spin.DetachDlgItem();
    ::DestroyWindow(m_parent);
    m_parent = nullptr;
    EXPECT_EQ(0.0, spin.GetValue());
    spin.SetValue(3);                         // nothing to write to
    EXPECT_EQ(nullptr, spin.GetSafeHwnd());
}

}  // namespace
