// The decimal spin button and the skin button as windows of the host build:
// arrow clicks stepping, clamping and wrapping the buddy's value, the range
// and position kept by the up-down control, a read-only buddy left alone;
// the skin button's faces by state, hover through mouse tracking, and what it
// paints from the skin.
#include "cells/Edit.h"
#include "cells/NumericSpinButton.h"
#include "cells/SkinButton.h"

#include "grid/GridCtrl.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Dialog : public CWnd {
public:
    std::vector<UINT> scrolls;
    BOOL Open() { return CreateEx(0, "KivoTestDialog", "dialog", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0); }

protected:
    void OnVScroll(UINT nSBCode, UINT, CScrollBar*) override { scrolls.push_back(nSBCode); }
};

class SpinButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(10, 10, 110, 32), &dialog, 11));
    }
    void Make(DWORD style, double minimum, double maximum, double delta, int decimals = -1)
    {
        spin.SetRange(minimum, maximum, delta);
        spin.SetDecimals(decimals);
        ASSERT_TRUE(spin.Create(WS_VISIBLE | style, CRect(110, 10, 126, 32), &dialog, 12));
        spin.SetBuddy(&edit);
    }
    std::string Text()
    {
        CString text;
        edit.GetWindowText(text);
        return text.Str();
    }
    void Click(bool up)
    {
        spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, up ? 3 : 18));
        spin.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(8, up ? 3 : 18));
    }

    Dialog dialog;
    CEdit edit;
    CNumericSpinButton spin;
};

TEST_F(SpinButtonTest, ArrowClicksStepTheBuddyAndStopAtTheEnds)
{
    Make(0, 0, 1, 0.1, 2);
    int lower = -1, upper = -1;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(10, upper);
    spin.SetValue(0.8);
    EXPECT_EQ("0.8", Text());
    EXPECT_EQ(8, spin.GetPos32());

    const char* ups[] = {"0.9", "1", "1"};   // stops at the maximum
    for (const char* expected : ups) {
        Click(true);
        EXPECT_EQ(expected, Text());
    }
    EXPECT_EQ(10, spin.GetPos32());
    EXPECT_EQ(3u, dialog.scrolls.size()) << "the parent hears of every click";

    edit.SetWindowText("0.05");               // typed by the user
    Click(false);
    EXPECT_EQ("0", Text()) << "below the minimum by half a step: the minimum";
    EXPECT_DOUBLE_EQ(0.0, spin.GetValue());
}

TEST_F(SpinButtonTest, WrapGoesRoundAtBothEnds)
{
    Make(UDS_WRAP, -5, 5, 2.5);
    spin.SetValue(5);
    Click(true);
    EXPECT_EQ("-5", Text());
    Click(false);
    EXPECT_EQ("5", Text());
    Click(false);
    EXPECT_EQ("2.5", Text());
}

TEST_F(SpinButtonTest, AReadOnlyBuddyOrNoBuddyIsNeverWritten)
{
    Make(0, 0, 10, 1);
    edit.SetWindowText("4");
    edit.ModifyStyle(0, ES_READONLY);
    spin.SetValue(7);
    EXPECT_EQ("4", Text());
    Click(true);
    EXPECT_EQ("4", Text());

    spin.SetBuddy(nullptr);
    EXPECT_DOUBLE_EQ(0.0, spin.GetValue());
    spin.SetValue(3);                        // nothing to write into
    Click(true);
    EXPECT_EQ("4", Text());
}

TEST_F(SpinButtonTest, ARangeOfZeroDeltaKeepsTheControlsRange)
{
    Make(0, 0, 10, 0.5);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(20, upper);
    spin.SetRange(0, 100, 0);
    spin.GetRange32(lower, upper);
    EXPECT_EQ(20, upper);
    double minimum = 0, maximum = 0, delta = -1;
    spin.GetRange(minimum, maximum, delta);
    EXPECT_EQ(100.0, maximum);
    EXPECT_EQ(0.0, delta);
}

TEST(SkinButtonFace, StateTable)
{
    struct Case {
        BOOL hover;
        BOOL pressed;
        UINT state;
        int face;
    } cases[] = {
        {FALSE, FALSE, 0, 0},
        {FALSE, FALSE, ODS_FOCUS, 1},
        {FALSE, TRUE, ODS_FOCUS, 2},
        {TRUE, TRUE, 0, 2},
        {TRUE, FALSE, ODS_FOCUS, 3},
        {FALSE, FALSE, ODS_DISABLED, 4},
        {FALSE, FALSE, ODS_GRAYED, 4},
        {FALSE, FALSE, ODS_FOCUS | ODS_DISABLED, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.face, SkinButtonFace(c.hover, c.pressed, c.state))
            << c.hover << c.pressed << " state " << c.state;
}

class SkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(grid.Create(CRect(0, 100, 300, 300), &dialog, 5, WS_CHILD | WS_VISIBLE));
    }
    std::vector<Headless::DrawOp> Blits(const std::vector<Headless::DrawOp>& ops)
    {
        std::vector<Headless::DrawOp> blits;
        for (const auto& op : ops)
            if (op.kind == Headless::DrawKind::StretchBlt && op.target == button.GetSafeHwnd())
                blits.push_back(op);
        return blits;
    }

    Dialog dialog;
    CGridCtrl grid;
    CSkinButton button;
};

TEST_F(SkinButtonTest, PaintsEdgesAndRepeatedMiddleOfItsFace)
{
    grid.SetSkinStyle(1);
    button.SetGrid(&grid);
    ASSERT_TRUE(button.Create("OK", WS_VISIBLE, CRect(10, 10, 110, 33), &dialog, 7));
    ASSERT_TRUE(button.IsSkinned());
    const CSize skin = grid.GetSkinBitmap(SKIN_BUTTON)->GetSize();
    const int faceHeight = skin.cy / 5;

    Headless::ClearDrawLog();
    button.Invalidate();
    button.UpdateWindow();
    std::vector<Headless::DrawOp> blits = Blits(Headless::DrawLog());
    ASSERT_GE(blits.size(), 3u);
    EXPECT_EQ(CRect(0, 0, 2, 22), CRect(blits[0].rect));
    EXPECT_EQ(CRect(0, 0, 2, faceHeight), CRect(blits[0].source));
    EXPECT_EQ(CRect(98, 0, 100, 22), CRect(blits[1].rect));
    EXPECT_EQ(skin.cx - 2, blits[1].source.left);
    int covered = 0;
    for (size_t i = 2; i < blits.size(); ++i) {
        EXPECT_EQ(2 + covered, blits[i].rect.left);
        EXPECT_EQ(2, blits[i].source.left);
        EXPECT_LE(blits[i].rect.right - blits[i].rect.left, skin.cx - 4);
        covered += blits[i].rect.right - blits[i].rect.left;
    }
    EXPECT_EQ(96, covered) << "the middle is filled exactly, the last piece cut";

    // The mouse over it: tracking is asked for and the hot face drawn.
    Headless::ClearDrawLog();
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHovering());
    ASSERT_FALSE(Headless::TrackMouseRequests().empty());
    EXPECT_EQ(static_cast<DWORD>(TME_LEAVE), Headless::TrackMouseRequests().back().dwFlags);
    button.UpdateWindow();
    blits = Blits(Headless::DrawLog());
    ASSERT_FALSE(blits.empty());
    EXPECT_EQ(3 * faceHeight, blits[0].source.top);

    button.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHovering());
    button.EnableWindow(FALSE);
    button.Invalidate();
    Headless::ClearDrawLog();
    button.UpdateWindow();
    const std::vector<Headless::DrawOp> ops = Headless::DrawLog();
    blits = Blits(ops);
    ASSERT_FALSE(blits.empty());
    EXPECT_EQ(4 * faceHeight, blits[0].source.top);
    std::vector<COLORREF> captions;
    for (const auto& op : ops)
        if (op.kind == Headless::DrawKind::DrawText && op.text == "OK")
            captions.push_back(op.textColor);
    ASSERT_EQ(2u, captions.size()) << "a disabled caption is drawn twice";
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), captions[1]);
}

TEST_F(SkinButtonTest, WithoutSkinsOrAfterItsGridIsGoneItIsAPlainButton)
{
    grid.SetSkinStyle(0);
    button.SetGrid(&grid);
    ASSERT_TRUE(button.Create("OK", WS_VISIBLE, CRect(10, 10, 110, 33), &dialog, 7));
    EXPECT_FALSE(button.IsSkinned());

    CSkinButton second;
    grid.SetSkinStyle(1);
    second.SetGrid(&grid);
    ASSERT_TRUE(second.Create("Go", WS_VISIBLE, CRect(10, 40, 110, 63), &dialog, 8));
    ASSERT_TRUE(second.IsSkinned());
    grid.DestroyWindow();
    EXPECT_EQ(nullptr, second.GetGrid());
    Headless::ClearDrawLog();
    second.Invalidate();
    second.UpdateWindow();                   // paints its caption, touches no skin
    for (const auto& op : Headless::DrawLog())
        EXPECT_NE(Headless::DrawKind::StretchBlt, op.kind);
}

}  // namespace
