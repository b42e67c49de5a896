// The colour picker's own state: what it keeps and tells its parent as its
// popup opens, moves, chooses and cancels, and where it draws.
#include "cells/ColourPalette.h"
#include "cells/ColourPicker.h"

#include <gtest/gtest.h>

using namespace palette;

namespace {

const int kId = 212;

TEST(ColourPicker, StartsAsABackColourButtonWithEnglishTexts)
{
    PickerModel p(0x123456);
    EXPECT_EQ(kPickBackColour, p.nSelectionMode);
    EXPECT_EQ(0u, p.GetColour());
    EXPECT_EQ(0x123456u, p.crText);
    EXPECT_STREQ("Automatic", p.strDefaultText);
    EXPECT_STREQ("More Colours...", p.strCustomText);
    // The mode decides which colour the picker shows and sets.
    p.SetColour(0x0000FF);
    EXPECT_EQ(0x0000FFu, p.crBack);
    p.nSelectionMode = kPickTextColour;
    EXPECT_EQ(0x123456u, p.GetColour());
    p.SetColour(0x00FF00);
    EXPECT_EQ(0x00FF00u, p.crText);
    EXPECT_EQ(0x0000FFu, p.crBack);
    p.SetDefaultText(nullptr);
    p.SetCustomText(nullptr);
    EXPECT_TRUE(p.strDefaultText.IsEmpty());
    EXPECT_TRUE(p.strCustomText.IsEmpty());
}

TEST(ColourPicker, NotificationsThroughAPopup)
{
    const struct {
        const char* what;
        bool track;
        COLORREF start;
        int event;               // 0 chose a colour, 1 chose the default, 2 cancelled
        COLORREF cr;             // the popup's wParam
        COLORREF after;
        bool defaultChosen;
        Notices ending;
    } cases[] = {
        {"a new colour", false, 0x0000FF, 0, 0x00FF00, 0x00FF00, false,
         {{MSG_CLOSEUP, 0x00FF00, kId}, {MSG_SELENDOK, 0x00FF00, kId}, {MSG_SELCHANGE, 0x00FF00, kId}}},
        {"the same colour: no change told", false, 0x0000FF, 0, 0x0000FF, 0x0000FF, false,
         {{MSG_CLOSEUP, 0x0000FF, kId}, {MSG_SELENDOK, 0x0000FF, kId}}},
        {"the default box gives the picker's default, not the popup's 0", false, 0x0000FF, 1, 0, 0xFFFFFF, true,
         {{MSG_CLOSEUP, 0xFFFFFF, kId}, {MSG_SELENDOK, 0, kId}, {MSG_SELCHANGE, 0xFFFFFF, kId}}},
        {"cancelled: back to the initial colour", true, 0x0000FF, 2, 0x0000FF, 0x0000FF, false,
         {{MSG_CLOSEUP, 0x0000FF, kId}, {MSG_SELENDCANCEL, 0x0000FF, kId}}},
    };
    for (const auto& c : cases) {
        PickerModel p;
        p.crDefault = 0xFFFFFF;
        p.bTrackSelection = c.track;
        p.bDefaultChosen = true;
        p.SetColour(c.start);
        EXPECT_EQ((Notices{{MSG_DROPDOWN, c.start, kId}}), p.Click(kId)) << c.what;
        EXPECT_TRUE(p.bPopupOpen);
        EXPECT_TRUE(p.Click(kId).empty()) << "a second click while open opens nothing";
        // Moving over the palette tells the parent; only tracking moves the colour.
        EXPECT_EQ((Notices{{MSG_SELCHANGE, 0x808080, kId}}), p.PopupMoved(0x808080, kId));
        EXPECT_EQ(c.track ? 0x808080u : c.start, p.GetColour()) << c.what;
        const Notices ending = c.event == 2 ? p.PopupCancelled(c.cr, kId) : p.PopupChose(c.cr, c.event == 1, kId);
        EXPECT_EQ(c.ending, ending) << c.what;
        EXPECT_EQ(c.after, p.GetColour()) << c.what;
        EXPECT_EQ(c.defaultChosen, p.bDefaultChosen) << c.what;
        EXPECT_FALSE(p.bPopupOpen) << c.what;
    }
}

TEST(ColourPicker, ArrowColourAreaAndSmallestSize)
{
    // Edges 2, thumbs 17: the arrow is 17 square at the right inside the edges.
    PickerGeometry g = PickerLayout(CRect(0, 0, 100, 22), 2, 2, 17, 17);
    EXPECT_EQ(CRect(81, 2, 98, 20), g.arrow);
    EXPECT_EQ(CRect(2, 2, 81, 20), g.colour);
    EXPECT_EQ(CSize(38, 21), g.minimum);
    // Thin thumbs: five edges decide.
    g = PickerLayout(CRect(10, 10, 110, 40), 3, 2, 8, 9);
    EXPECT_EQ(15, g.arrow.Width());
    EXPECT_EQ(CSize(36, 19), g.minimum);

    const COLORREF window = 0xFFFFFF, face = 0xC0C0C0;
    EXPECT_EQ(0x0000FFu, PickerFill(0x0000FF, false, window, face));
    EXPECT_EQ(face, PickerFill(0x0000FF, true, window, face)) << "disabled";
    EXPECT_EQ(face, PickerFill(window, false, window, face)) << "the window colour shows as the face";
    EXPECT_EQ(0x000000u, PickerCaptionColour(0x101010, 0x101010));
    EXPECT_EQ(0x0000FFu, PickerCaptionColour(0x0000FF, 0x101010));
}

}  // namespace
