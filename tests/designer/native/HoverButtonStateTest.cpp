// The hover button's states, click rules and geometry.
#include "designer/HoverButtonState.h"

#include <gtest/gtest.h>

namespace {

using State = CHoverButtonState;

State Made(unsigned long style, DWORD buttonStyle = State::kFlat)
{
    State s;
    s.TakeType(style);
    s.m_dwStyle = buttonStyle;
    return s;
}

}  // namespace

TEST(HoverButtonState, KeepsTheKindAndAnswersTheDialogCode)
{
    const struct {
        unsigned long style;
        int type;
        BOOL isDefault;
        unsigned code;
    } cases[] = {
        {0x50010000 | 0, State::kPush, FALSE, 0x2000 | 0x20},
        {0x50010000 | 1, State::kPush, TRUE, 0x2000 | 0x10},
        {2, State::kCheck, FALSE, 0x2000},
        {3, State::kAutoCheck, FALSE, 0x2000},
        {4, State::kRadio, FALSE, 0x2000 | 0x40},
        {9 | 0x1000, State::kAutoRadio, FALSE, 0x2000 | 0x40},
    };
    for (const auto& c : cases) {
        State s = Made(c.style);
        EXPECT_EQ(c.type, s.GetButtonType()) << c.style;
        EXPECT_EQ(c.isDefault, s.IsDefault()) << c.style;
        EXPECT_EQ(c.code, s.DialogCode()) << c.style;
    }
    State push = Made(0);
    push.StyleSet(1);
    EXPECT_TRUE(push.IsDefault());
    push.StyleSet(2);   // not a push style: the default stays
    EXPECT_TRUE(push.IsDefault());
    push.StyleSet(0);
    EXPECT_FALSE(push.IsDefault());
    push.m_bCanBeDefault = FALSE;
    EXPECT_EQ(0x2000u, push.DialogCode());
}

TEST(HoverButtonState, HoverFollowsTheMouseAndTheTimer)
{
    State s = Made(0);
    // Dragging in from outside with the button down does not light it.
    State::Effect e = s.MouseMove(true, false, true);
    EXPECT_FALSE(s.m_bHover);
    EXPECT_FALSE(e.takeCapture || e.repaint);

    // Entering: hover, capture, timer, one repaint.
    e = s.MouseMove(false, false, true);
    EXPECT_TRUE(s.m_bHover);
    EXPECT_TRUE(e.takeCapture && e.startTimer && e.repaint);
    EXPECT_EQ(1, s.ColourState());
    EXPECT_EQ(State::Border::Raised, s.BorderKind());

    // Moving inside with the capture: nothing.
    e = s.MouseMove(false, true, true);
    EXPECT_FALSE(e.repaint || e.releaseCapture);

    // Leaving while the button is held keeps the capture.
    e = s.MouseMove(true, true, false);
    EXPECT_FALSE(s.m_bHover);
    EXPECT_TRUE(e.repaint);
    EXPECT_FALSE(e.releaseCapture);

    // Leaving without a button lets the capture go.
    s.m_bHover = TRUE;
    e = s.MouseMove(false, true, false);
    EXPECT_TRUE(e.releaseCapture && e.repaint);
    EXPECT_EQ(State::Border::None, s.BorderKind());

    // The timer clears a hover the mouse moves could not (the cursor left
    // quickly); inside it changes nothing.
    s.m_bHover = TRUE;
    e = s.Timer(true);
    EXPECT_TRUE(s.m_bHover);
    EXPECT_FALSE(e.killTimer);
    e = s.Timer(false);
    EXPECT_FALSE(s.m_bHover);
    EXPECT_TRUE(e.killTimer && e.repaint);
}

TEST(HoverButtonState, ClicksByKind)
{
    // Push: pressed while down; a link opens only when there is one.
    State push = Made(0, 0);
    EXPECT_EQ(State::Border::PushFrame, push.BorderKind());
    State::Effect e = push.LButtonDown(false);
    EXPECT_TRUE(push.m_bPressed && e.defaultHandling);
    EXPECT_EQ(State::Border::Sunken, push.BorderKind());
    EXPECT_EQ(2, push.ColourState());
    EXPECT_FALSE(push.Clicked(CString()).openLink);
    EXPECT_TRUE(push.Clicked(CString("http://127.0.0.1/")).openLink);
    e = push.LButtonUp();
    EXPECT_TRUE(e.releaseCapture);
    EXPECT_FALSE(push.m_bPressed);
    EXPECT_FALSE(push.LButtonUp().releaseCapture);
    EXPECT_EQ(0, push.GetCheck());
    push.SetCheck(true);
    EXPECT_EQ(0, push.GetCheck());   // a push button has no check

    // Check box: each click toggles, a link never opens, up changes nothing.
    State check = Made(3);
    EXPECT_FALSE(check.Clicked(CString("x")).openLink);
    EXPECT_EQ(1, check.GetCheck());
    EXPECT_TRUE(check.m_bPressed);
    check.LButtonUp();
    EXPECT_TRUE(check.m_bPressed);
    check.Clicked(CString());
    EXPECT_EQ(0, check.GetCheck());

    // Radio: checks itself and asks for the group to be cleared, every time.
    State radio = Made(9);
    e = radio.Clicked(CString());
    EXPECT_TRUE(e.checkGroup);
    EXPECT_TRUE(radio.Clicked(CString()).checkGroup);
    EXPECT_EQ(1, radio.GetCheck());
    radio.SetCheck(false);
    EXPECT_EQ(0, radio.GetCheck());
    EXPECT_FALSE(radio.m_bPressed);
}

TEST(HoverButtonState, TheArrowPartOpensTheMenu)
{
    const HoverRect client{0, 0, 80, 24};
    State plain = Made(0);
    EXPECT_FALSE(plain.HitsArrow(client, 75, 10));
    EXPECT_FALSE(plain.LButtonDown(true).showMenu);   // no arrow part: a press

    State s = Made(0, State::kFlat | State::kDropDown);
    EXPECT_TRUE(s.HitsArrow(client, 64, 0));
    EXPECT_TRUE(s.HitsArrow(client, 79, 23));
    EXPECT_FALSE(s.HitsArrow(client, 63, 10));
    EXPECT_FALSE(s.HitsArrow(client, 80, 10));
    State::Effect e = s.LButtonDown(true);
    EXPECT_TRUE(e.showMenu);
    EXPECT_TRUE(s.m_bArrowPressed);
    EXPECT_FALSE(s.m_bPressed);
    // A second press while the arrow is down only lets it go.
    e = s.LButtonDown(false);
    EXPECT_FALSE(e.showMenu || e.defaultHandling);
    EXPECT_FALSE(s.m_bArrowPressed || s.m_bPressed);
    s.LButtonDown(true);
    s.MenuClosed();
    EXPECT_FALSE(s.m_bArrowPressed);
}

TEST(HoverButtonState, PictureArrowAndSize)
{
    const HoverRect client{0, 0, 100, 40};
    const struct {
        DWORD align;
        bool arrow;
        int x, y;
    } cases[] = {
        {0, false, 3, 3},   {1, false, 42, 3},  {2, false, 81, 3},  {4, false, 3, 12},
        {5, false, 42, 12}, {8, false, 3, 21},  {10, false, 81, 21}, {1, true, 34, 3},
        {2, true, 65, 3},
    };
    for (const auto& c : cases) {
        int x = -1, y = -1;
        State::ImagePosition(client, 16, 16, c.align, c.arrow, &x, &y);
        EXPECT_EQ(c.x, x) << c.align << " " << c.arrow;
        EXPECT_EQ(c.y, y) << c.align << " " << c.arrow;
    }
    int cx = 0, cy = 0;
    State::AutoSize(16, 16, 40, 13, false, &cx, &cy);
    EXPECT_EQ(40 + 12, cx);
    EXPECT_EQ(16 + 12, cy);
    State::AutoSize(50, 20, 10, 13, true, &cx, &cy);
    EXPECT_EQ(50 + 12 + 16, cx);
    EXPECT_EQ(20 + 12, cy);

    // The triangle points down inside the arrow part: 7, 5, 3, 1 pixels.
    const auto rows = State::Triangle(client);
    ASSERT_EQ(4u, rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(7 - 2 * static_cast<int>(i), rows[i].length);
        EXPECT_EQ(rows[0].x + static_cast<int>(i), rows[i].x);
        EXPECT_EQ(rows[0].y + static_cast<int>(i), rows[i].y);
        EXPECT_GE(rows[i].x, 84);
        EXPECT_LE(rows[i].x + rows[i].length, 100);
    }
}
