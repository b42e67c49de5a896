// The widgets as real windows under Wine: the in-place edit over the system's
// edit control, the skinned scroll bar painting into a real window and
// repeating on real timers, and the title tip as a real popup.
#include "cells/InPlaceEdit.h"
#include "cells/SkinScrollBar.h"
#include "cells/TitleTip.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "cells/WidgetTestWindows.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using cellstest::FakeGrid;
using cellstest::RecordingControl;
using gridwine::PumpFor;

namespace {

// Wine takes about two seconds to hide a shown top-level window under Xvfb,
// so the control window is made once for the whole suite; each test gets a
// grid window of its own.
class WidgetsWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_control = new RecordingControl;
        ASSERT_TRUE(s_control->CreateTopLevel(CRect(50, 50, 650, 500)));
        s_control->ShowWindow(SW_SHOW);
        s_control->UpdateWindow();
    }

    static void TearDownTestSuite()
    {
        delete s_control;
        s_control = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_control);
        s_control->words.clear();
        s_control->rewrite = nullptr;
        ASSERT_TRUE(grid.CreateChild(s_control, CRect(10, 10, 410, 310)));
        grid.SetFocus();
        PumpFor(20);
    }

    void TearDown() override
    {
        CInPlaceEdit::Discard(edit);
        edit = nullptr;
        grid.DestroyWindow();
        PlatformPumpMessages();
    }

    void Open(const char* text, UINT first)
    {
        edit = new CInPlaceEdit;
        ASSERT_TRUE(edit->Create(&grid, CRect(50, 40, 200, 62), ES_AUTOHSCROLL, 8, 2, 3, CString(text), first,
                                 RGB(255, 255, 200), RGB(0, 0, 128)));
        PumpFor(30);
    }

    std::string Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return text.Str();
    }

    static RecordingControl* s_control;
    RecordingControl& control = *s_control;
    FakeGrid grid;
    CInPlaceEdit* edit = nullptr;
};

RecordingControl* WidgetsWineTest::s_control = nullptr;

}  // namespace

TEST_F(WidgetsWineTest, TheSystemEditControlTypesAndEndsOnEnter)
{
    ASSERT_TRUE(CEdit::IsSystemControl());
    Open("abc", 'x');
    EXPECT_EQ("x", Text()) << "the first character replaces the selected text";
    EXPECT_EQ(0, CString(edit->GetWindowClassName()).CompareNoCase("Edit"));

    control.rewrite = [](UINT message, DWORD word) { return message == 1072 && word == 'q' ? DWORD('Q') : word; };
    edit->SendMessage(WM_CHAR, 'y', 1);
    edit->SendMessage(WM_CHAR, 'q', 1);
    EXPECT_EQ("xyQ", Text()) << "the host rewrote q";

    edit->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_EQ(1u, grid.keys.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_RETURN), grid.keys[0].wParam);
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("xyQ", grid.ends[0].text);
    EXPECT_EQ(VK_RETURN, grid.ends[0].key);
    EXPECT_EQ(2, grid.ends[0].row);
    EXPECT_EQ(3, grid.ends[0].column);
    EXPECT_FALSE(IsWindow(grid.ends[0].hwndFrom));
}

TEST_F(WidgetsWineTest, BackspaceStartsWithoutTheLastCharacterAndEscRestores)
{
    Open("abc", VK_BACK);
    EXPECT_EQ("ab", Text());
    edit->SendMessage(WM_CHAR, 'z', 1);
    EXPECT_EQ("abz", Text());
    edit->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("abc", grid.ends[0].text);
    EXPECT_EQ(VK_ESCAPE, grid.ends[0].key);
}

TEST_F(WidgetsWineTest, NumericInputAndChineseText)
{
    Open("", CInPlaceEdit::kStartByMouse);
    edit->SetInputType(kInputWholeNumber);
    edit->SetInputLimit(TRUE, 0, 100);
    for (char c : std::string("1a0.1"))
        edit->SendMessage(WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ("10", Text()) << "a letter, a point and 101 are refused";
    edit->SetInputType(kInputFreeText);
    control.words.clear();
    EXPECT_EQ(1, edit->SendMessage(WM_IME_CHAR, 0xD6D0, 1));   // 中 from the input method
    edit->SendMessage(WM_CHAR, 0xCE, 1);                       // 文 as two bytes
    edit->SendMessage(WM_CHAR, 0xC4, 1);
    PumpFor(50);
    EXPECT_EQ("10\xD6\xD0\xCE\xC4", Text());
    ASSERT_EQ(2u, control.words.size()) << "each character is shown to the host once";
    EXPECT_EQ(DWORD(0xD6D0), control.words[0].word);
    EXPECT_EQ(DWORD(0xCEC4), control.words[1].word);
}

TEST_F(WidgetsWineTest, TheEditorPaintsItsBackColour)
{
    Open("", CInPlaceEdit::kStartByMouse);
    edit->UpdateWindow();
    PumpFor(50);
    CClientDC dc(edit);
    CRect client;
    edit->GetClientRect(&client);
    EXPECT_EQ(RGB(255, 255, 200), dc.GetPixel(client.right - 3, client.bottom - 3));
}

TEST_F(WidgetsWineTest, TheScrollBarPaintsItsSkinAndRepeatsOnTimers)
{
    // A skin whose parts are plain colours: column c of state s.
    const int width = 144, height = 51;
    std::vector<COLORREF> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = x < 60 ? RGB(10 + (x / 15) * 40, 10 + (y / 17) * 60, 200) : RGB(0, 0, 0);
    CBitmap skin;
    ASSERT_TRUE(skin.CreateFromPixels(width, height, pixels.data()));

    struct Receiver : public CWnd {
        int lineDowns = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_VSCROLL && LOWORD(wParam) == SB_LINEDOWN)
                ++lineDowns;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } receiver;
    ASSERT_TRUE(receiver.CreateEx(0, "KivoTestReceiver", "", WS_CHILD, CRect(0, 0, 1, 1), &control, 5));

    CSkinScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(420, 10, 435, 210), &control, 1001));
    bar.m_pNotifyWnd = &receiver;
    bar.SetSkinBitmap(&skin);
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 999, 50, 0, 0};
    bar.SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
    bar.UpdateWindow();
    PumpFor(50);
    {
        CClientDC dc(&bar);
        EXPECT_EQ(RGB(10, 10, 200), dc.GetPixel(7, 5)) << "first arrow";
        EXPECT_EQ(RGB(50, 10, 200), dc.GetPixel(7, 195)) << "second arrow";
        EXPECT_EQ(RGB(130, 10, 200), dc.GetPixel(7, 150)) << "track";
    }

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 195));
    EXPECT_EQ(1, receiver.lineDowns);
    PumpFor(600);
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7, 195));
    EXPECT_GE(receiver.lineDowns, 3) << "the repeat timers ran";
    const int after = receiver.lineDowns;
    PumpFor(300);
    EXPECT_EQ(after, receiver.lineDowns) << "and stopped with the release";
}

TEST_F(WidgetsWineTest, TheTitleTipShowsAboveTheCell)
{
    CTitleTip tip;
    tip.SetParentWnd(&grid);
    CRect cell(90, 60, 190, 80);
    grid.ClientToScreen(&cell);
    tip.Show(cell, "\xD6\xD0\xCE\xC4 long text", 0, nullptr, nullptr, RGB(0, 0, 0), RGB(255, 255, 225));
    ASSERT_NE(nullptr, tip.GetSafeHwnd());
    EXPECT_TRUE(tip.IsWindowVisible());
    CRect placed;
    tip.GetWindowRect(&placed);
    EXPECT_EQ(cell.left + 3, placed.left);
    EXPECT_EQ(2 * cell.top - cell.bottom - 1, placed.top);
    EXPECT_EQ(cell.Width(), placed.Width());
    tip.Hide();
    EXPECT_FALSE(tip.IsWindowVisible());
}
