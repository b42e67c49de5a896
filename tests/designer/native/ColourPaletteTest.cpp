// The colour picker's palette and notification sequence.
#include "designer/ColourPalette.h"

#include "platform/System.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

COLORREF Rgb(int r, int g, int b) { return static_cast<COLORREF>(r | (g << 8) | (b << 16)); }

}  // namespace

TEST(ColourPalette, HoldsTheNamedSystemPlaceholderAndCustomEntriesInOrder)
{
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = kColourUnset;
    custom[3] = Rgb(1, 2, 3);
    CColourPalette p(custom);
    ASSERT_EQ(104, p.Count());
    EXPECT_EQ(13, p.Rows());
    const struct {
        int index;
        const char* name;
        COLORREF colour;
    } cases[] = {
        {0, "Light Maroon", Rgb(128, 0, 64)}, {2, "Red", Rgb(255, 0, 0)},
        {12, "Gold", Rgb(255, 215, 0)},       {50, "Gray 40%", Rgb(152, 152, 152)},
        {55, "White", Rgb(255, 255, 255)},    {72, "1", Rgb(192, 192, 192)},
        {87, "16", Rgb(192, 192, 192)},       {88, "Custom color 1", kColourUnset},
        {91, "Custom color 4", Rgb(1, 2, 3)}, {103, "Custom color 16", kColourUnset},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.name, p.Entry(c.index).name) << c.index;
        EXPECT_EQ(c.colour, p.Entry(c.index).colour) << c.index;
        EXPECT_EQ(-1, p.Entry(c.index).sysIndex) << c.index;
    }
    // The system entries take the system's colours when the palette is made.
    const std::pair<int, int> system[] = {{56, COLOR_WINDOW}, {57, COLOR_WINDOWTEXT}, {64, COLOR_BTNFACE},
                                          {70, COLOR_3DLIGHT}, {71, COLOR_DESKTOP}};
    for (const auto& s : system) {
        EXPECT_EQ(s.second, p.Entry(s.first).sysIndex);
        EXPECT_EQ(::GetSysColor(s.second) & 0xFFFFFF, p.Entry(s.first).colour);
    }
    EXPECT_STREQ("Window", p.Entry(56).name);
    EXPECT_STREQ("Desktop", p.Entry(71).name);
}

TEST(ColourPalette, ArrowKeysWrapAndStepOverTheCustomRow)
{
    CColourPalette p;
    const int last = 12 * 8;   // first cell of the last row
    const struct {
        int from;
        UINT vk;
        int to;
    } cases[] = {
        {0, VK_DOWN, 8},          {3, VK_UP, last + 3},      {last + 5, VK_DOWN, 5},  // wraps past "Custom..."
        {0, VK_LEFT, 7},          {7, VK_RIGHT, 0},          {9, VK_RIGHT, 10},
        {last + 7, VK_RIGHT, last}, {CColourPalette::kCustomButton, VK_DOWN, 0},
        {CColourPalette::kCustomButton, VK_UP, last}, {5, VK_RETURN, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.to, p.Move(c.from, c.vk)) << c.from << " key " << c.vk;
    // A full round of Down comes back to the start and never leaves the cells.
    int s = 4;
    for (int i = 0; i < p.Rows(); ++i) {
        s = p.Move(s, VK_DOWN);
        ASSERT_GE(s, 0);
    }
    EXPECT_EQ(4, s);
}

TEST(ColourPickerState, NotificationSequences)
{
    std::vector<std::pair<UINT, COLORREF>> sent;
    CColourPickerState picker([&](UINT m, COLORREF c) { sent.push_back({m, c}); });
    const COLORREF red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255), gold = Rgb(255, 215, 0);
    picker.SetColour(red);

    // The current colour confirmed: closed and confirmed, no change.
    picker.Opened();
    picker.Confirm(red);
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, red}, {2027, red}, {2028, red}}), sent);

    // Another colour: closed, confirmed, changed.
    sent.clear();
    picker.Opened();
    picker.Confirm(blue);
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, red}, {2027, blue}, {2028, blue}, {2025, blue}}), sent);
    EXPECT_EQ(blue, picker.GetColour());

    // Esc after hovering with live tracking: the button followed the hover and
    // comes back to the colour of the opening; nothing reached the parent
    // while hovering.
    sent.clear();
    picker.SetTrackSelection(true);
    picker.Opened();
    picker.Hover(gold);
    EXPECT_EQ(gold, picker.ShownColour());
    picker.Hover(red);
    EXPECT_EQ(red, picker.ShownColour());
    EXPECT_EQ(1u, sent.size());
    picker.Cancel();
    EXPECT_EQ((std::vector<std::pair<UINT, COLORREF>>{{2026, blue}, {2027, blue}, {2029, blue}}), sent);
    EXPECT_EQ(blue, picker.GetColour());
    EXPECT_EQ(blue, picker.ShownColour());

    // Tracking, then confirming the colour that was current at opening: the
    // shown colour had moved, but the colour did not change.
    sent.clear();
    picker.Opened();
    picker.Hover(gold);
    picker.Confirm(blue);
    EXPECT_EQ(3u, sent.size());

    // Without tracking the button keeps showing the current colour.
    picker.SetTrackSelection(false);
    picker.Opened();
    picker.Hover(gold);
    EXPECT_EQ(blue, picker.ShownColour());
    picker.Cancel();
}

TEST(ColourPickerState, DisabledShowsSilverAndKeepsItsColour)
{
    CColourPickerState picker(nullptr);
    EXPECT_EQ(0xFFFFFFu, picker.GetColour());
    picker.SetColour(Rgb(0, 128, 0));
    picker.Enable(false);
    EXPECT_EQ(Rgb(192, 192, 192), picker.ShownColour());
    EXPECT_EQ(Rgb(0, 128, 0), picker.GetColour());
    picker.Enable(true);
    EXPECT_EQ(Rgb(0, 128, 0), picker.ShownColour());
}
