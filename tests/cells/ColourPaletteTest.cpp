// The colour palette popup's model: entries, the chosen entry, keyboard
// navigation, layout, hit-testing and placement on the screen.
#include "cells/ColourPalette.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace palette;

namespace {

const COLORREF kWindow = 0xFFFFFF;

TEST(ColourPalette, FortyNamedColours)
{
    const struct {
        int index;
        COLORREF colour;
        const char* name;
    } some[] = {{0, 0x000000, "Black"},      {1, 0x002AA5, "Brown"},     {7, 0x282828, "Dark grey"},
                {13, 0xFF0000, "Blue"},      {16, 0x0000FF, "Red"},      {23, 0x7F7F7F, "Grey - 50"},
                {31, 0xC0C0C0, "Light grey"}, {35, 0x98FB98, "Pale green "}, {37, 0x8B8368, "Pale blue"},
                {39, 0xFFFFFF, "White"}};
    for (const auto& s : some) {
        EXPECT_EQ(s.colour, At(s.index).colour) << s.index;
        EXPECT_STREQ(s.name, At(s.index).name) << s.index;
    }
    // Entry 35's name keeps its trailing blank.
    EXPECT_EQ(' ', At(35).name[std::strlen(At(35).name) - 1]);
    for (int i = 0; i < kColours; ++i)
        EXPECT_GT(std::strlen(At(i).name), 0u);
}

TEST(ColourPalette, ChosenEntry)
{
    const struct {
        const char* what;
        COLORREF initial;
        bool def, custom;
        int chosen;
    } cases[] = {
        {"window colour with a default box", kWindow, true, true, kDefaultBox},
        {"window colour without one: the palette's white", kWindow, false, true, 39},
        {"palette colour", 0x0000FF, true, true, 16},
        {"first of equal entries", 0x000000, false, false, 0},
        {"not in the palette: custom box", 0x123456, true, true, kCustomBox},
        {"not in the palette, no custom box", 0x123456, true, false, kNoEntry},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.chosen, ChosenEntry(c.initial, kWindow, c.def, c.custom)) << c.what;
}

TEST(ColourPalette, KeyboardNavigationTable)
{
    const int D = kDefaultBox, C = kCustomBox;
    const struct {
        Key key;
        int from;
        bool def, custom;
        int to;
    } cases[] = {
        // from the default box
        {Key::Down, D, true, true, 0},    {Key::Right, D, true, false, 0},
        {Key::Up, D, true, true, C},      {Key::Up, D, true, false, 39},
        {Key::Left, D, true, true, C},    {Key::Left, D, true, false, 39},
        // from the custom box
        {Key::Down, C, true, true, D},    {Key::Down, C, false, true, 0},
        {Key::Right, C, true, true, D},   {Key::Right, C, false, true, 0},
        {Key::Up, C, true, true, 39},     {Key::Left, C, false, true, 39},
        // from cells
        {Key::Down, 3, true, true, 11},   {Key::Down, 35, true, true, C},
        {Key::Down, 35, true, false, D},  {Key::Down, 35, false, false, 0},
        {Key::Up, 11, true, true, 3},     {Key::Up, 3, true, true, D},
        {Key::Up, 3, false, true, C},     {Key::Up, 3, false, false, 39},
        {Key::Right, 7, true, true, 8},   {Key::Right, 39, true, true, C},
        {Key::Right, 39, true, false, D}, {Key::Right, 39, false, false, 0},
        {Key::Left, 8, true, true, 7},    {Key::Left, 0, true, true, D},
        {Key::Left, 0, false, true, C},   {Key::Left, 0, false, false, 39},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.to, Navigate(c.key, c.from, c.def, c.custom))
            << "key " << static_cast<int>(c.key) << " from " << c.from << " D" << c.def << " C" << c.custom;
}

TEST(ColourPalette, LayoutAndHitTest)
{
    const Layout plain = MakeLayout(2, false, false, 0, 0);
    EXPECT_EQ(18, plain.nBoxSize);
    EXPECT_EQ(CRect(0, 0, 2 * 2 + 8 * 18, 2 * 2 + 5 * 18), plain.window);
    EXPECT_TRUE(plain.defaultBox.IsRectEmpty());
    EXPECT_EQ(CRect(2, 2, 20, 20), plain.CellRect(0));
    EXPECT_EQ(CRect(2 + 7 * 18, 2 + 4 * 18, 2 + 8 * 18, 2 + 5 * 18), plain.CellRect(39));
    // A thick edge raises the box size.
    EXPECT_EQ(2 * 6 + 7, MakeLayout(6, false, false, 0, 0).nBoxSize);

    // Default box above, custom box below, widened for a long text.
    const Layout l = MakeLayout(2, true, true, 200, 12);
    const int boxH = 12 + 4 * 2 + 2;
    EXPECT_EQ(204, l.window.Width());
    EXPECT_EQ(CRect(2, 2, 202, 2 + boxH), l.defaultBox);
    EXPECT_EQ(2 + boxH + 2, l.nCellsTop);
    const int cellsBottom = l.nCellsTop + 5 * 18;
    EXPECT_EQ(CRect(2, cellsBottom + 2, 202, cellsBottom + 2 + boxH), l.customBox);
    EXPECT_EQ(l.customBox.bottom + 2, l.window.bottom);

    EXPECT_EQ(kDefaultBox, l.HitTest(CPoint(100, 5)));
    EXPECT_EQ(kCustomBox, l.HitTest(CPoint(100, l.customBox.top + 1)));
    EXPECT_EQ(0, l.HitTest(CPoint(3, l.nCellsTop)));
    EXPECT_EQ(9, l.HitTest(CPoint(2 + 18 + 5, l.nCellsTop + 18 + 5)));
    EXPECT_EQ(39, l.HitTest(CPoint(2 + 8 * 18 - 1, cellsBottom - 1)));
    // Beside the cells of a widened popup, in the margins: nothing.
    EXPECT_EQ(kNoEntry, l.HitTest(CPoint(2 + 8 * 18 + 3, l.nCellsTop + 3)));
    EXPECT_EQ(kNoEntry, l.HitTest(CPoint(0, l.nCellsTop + 3)));
    EXPECT_EQ(kNoEntry, l.HitTest(CPoint(3, cellsBottom)));
}

TEST(ColourPalette, PlacementKeepsThePopupOnTheScreen)
{
    const CRect screen(0, 0, 800, 600);
    const CSize size(150, 130);
    const struct {
        const char* what;
        CPoint at;
        int ownerTop;
        CRect placed;
    } cases[] = {
        {"fits", CPoint(100, 100), 80, CRect(100, 100, 250, 230)},
        {"past the right edge", CPoint(700, 100), 80, CRect(650, 100, 800, 230)},
        {"left of 0", CPoint(-20, 100), 80, CRect(0, 100, 150, 230)},
        {"past the bottom: above its owner", CPoint(100, 520), 500, CRect(100, 370, 250, 500)},
        {"right and bottom edges", CPoint(780, 590), 560, CRect(650, 430, 800, 560)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.placed, Place(c.at, size, screen, c.ownerTop)) << c.what;
}

TEST(ColourPalette, ColoursOfTheCurrentEntry)
{
    // A cell: its colour; the default box: the default value, the window
    // colour to the owner; the custom box: unchanged, the initial colour.
    CurrentColours c = ColoursForEntry(16, 0x111111, 0x222222, 0xFEFFFF, kWindow);
    EXPECT_EQ(0x0000FFu, c.current);
    EXPECT_EQ(0x0000FFu, c.notified);
    c = ColoursForEntry(kDefaultBox, 0x111111, 0x222222, 0xFEFFFF, kWindow);
    EXPECT_EQ(0xFEFFFFu, c.current);
    EXPECT_EQ(kWindow, c.notified);
    c = ColoursForEntry(kCustomBox, 0x111111, 0x222222, 0xFEFFFF, kWindow);
    EXPECT_EQ(0x111111u, c.current);
    EXPECT_EQ(0x222222u, c.notified);
}

}  // namespace
