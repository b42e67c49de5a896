#include "cells/ColourPalette.h"

namespace palette {

namespace {

const Entry kPalette[kColours] = {
    {0x000000, "Black"},         {0x002AA5, "Brown"},          {0x404000, "Dark Olive Green"},
    {0x005500, "Dark Green"},    {0x5E0000, "Dark Teal"},      {0x8B0000, "Dark blue"},
    {0x82004B, "Indigo"},        {0x282828, "Dark grey"},      {0x00008B, "Dark red"},
    {0x2068FF, "Orange"},        {0x008B8B, "Dark yellow"},    {0x009300, "Green"},
    {0x8E8E38, "Teal"},          {0xFF0000, "Blue"},           {0xC07B7B, "Blue-grey"},
    {0x666666, "Grey - 40"},     {0x0000FF, "Red"},            {0x5BADFF, "Light orange"},
    {0x32CD32, "Lime"},          {0x71B33C, "Sea green"},      {0xD4FF7F, "Aqua"},
    {0xC09E7D, "Light blue"},    {0x800080, "Violet"},         {0x7F7F7F, "Grey - 50"},
    {0xCBC0FF, "Pink"},          {0x00D7FF, "Gold"},           {0x00FFFF, "Yellow"},
    {0x00FF00, "Bright green"},  {0xD0E040, "Turquoise"},      {0xFFFFC0, "Skyblue"},
    {0x480048, "Plum"},          {0xC0C0C0, "Light grey"},     {0xE1E4FF, "Rose"},
    {0x8CB4D2, "Tan"},           {0xE0FFFF, "Light yellow"},   {0x98FB98, "Pale green "},
    {0xEEEEAF, "Pale turquoise"}, {0x8B8368, "Pale blue"},     {0xFAE6E6, "Lavender"},
    {0xFFFFFF, "White"},
};

}  // namespace

const Entry& At(int index)
{
    if (index < 0 || index >= kColours)
        index = 0;
    return kPalette[index];
}

int ChosenEntry(COLORREF initial, COLORREF sysWindow, bool bDefault, bool bCustom)
{
    if (bDefault && initial == sysWindow)
        return kDefaultBox;
    for (int i = 0; i < kColours; ++i) {
        if (kPalette[i].colour == initial)
            return i;
    }
    return bCustom ? kCustomBox : kNoEntry;
}

int Navigate(Key key, int current, bool bDefault, bool bCustom)
{
    const int orCustomDefaultFirst = bCustom ? kCustomBox : (bDefault ? kDefaultBox : 0);
    const int orDefaultCustomLast = bDefault ? kDefaultBox : (bCustom ? kCustomBox : kLastEntry);
    if (current == kDefaultBox) {
        if (key == Key::Down || key == Key::Right)
            return 0;
        return bCustom ? kCustomBox : kLastEntry;
    }
    if (current == kCustomBox) {
        if (key == Key::Down || key == Key::Right)
            return bDefault ? kDefaultBox : 0;
        return kLastEntry;
    }
    if (current < 0 || current > kLastEntry)
        current = 0;
    switch (key) {
    case Key::Down:
        return current + kColumns <= kLastEntry ? current + kColumns : orCustomDefaultFirst;
    case Key::Up:
        return current - kColumns >= 0 ? current - kColumns : orDefaultCustomLast;
    case Key::Right:
        return current + 1 <= kLastEntry ? current + 1 : orCustomDefaultFirst;
    case Key::Left:
        return current - 1 >= 0 ? current - 1 : orDefaultCustomLast;
    }
    return current;
}

CRect Layout::CellRect(int index) const
{
    const int row = index / kColumns;
    const int col = index % kColumns;
    const int left = nMargin + col * nBoxSize;
    const int top = nCellsTop + row * nBoxSize;
    return CRect(left, top, left + nBoxSize, top + nBoxSize);
}

int Layout::HitTest(CPoint pt) const
{
    if (!customBox.IsRectEmpty() && customBox.PtInRect(pt))
        return kCustomBox;
    if (!defaultBox.IsRectEmpty() && defaultBox.PtInRect(pt))
        return kDefaultBox;
    if (pt.x < nMargin || pt.y < nCellsTop)
        return kNoEntry;
    const int col = (pt.x - nMargin) / nBoxSize;
    const int row = (pt.y - nCellsTop) / nBoxSize;
    if (col >= kColumns || row >= kRows)
        return kNoEntry;
    return row * kColumns + col;
}

Layout MakeLayout(int nEdge, bool bDefault, bool bCustom, int nTextWidth, int nTextHeight)
{
    Layout l;
    l.nMargin = nEdge;
    l.nBoxSize = 18 < 2 * nEdge + 7 ? 2 * nEdge + 7 : 18;
    int width = 2 * l.nMargin + kColumns * l.nBoxSize;
    int height = 2 * l.nMargin + kRows * l.nBoxSize;
    l.nCellsTop = l.nMargin;
    const bool anyText = bDefault || bCustom;
    const int textBoxHeight = nTextHeight + 4 * l.nMargin + 2;
    if (anyText && nTextWidth + 2 * l.nMargin > width)
        width = nTextWidth + 2 * l.nMargin;
    if (bDefault) {
        l.defaultBox = CRect(l.nMargin, l.nMargin, width - l.nMargin, l.nMargin + textBoxHeight);
        l.nCellsTop += textBoxHeight + l.nMargin;
        height += textBoxHeight + l.nMargin;
    }
    if (bCustom) {
        // One margin below the last row of cells.
        l.customBox = CRect(l.nMargin, height, width - l.nMargin, height + textBoxHeight);
        height += textBoxHeight + l.nMargin;
    }
    l.window = CRect(0, 0, width, height);
    return l;
}

CRect Place(CPoint topLeft, CSize size, const CRect& screen, int nOwnerTop)
{
    CRect r(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
    if (r.right > screen.right)
        r.OffsetRect(screen.right - r.right, 0);
    if (r.left < screen.left)
        r.OffsetRect(screen.left - r.left, 0);
    if (r.bottom > screen.bottom)
        r.OffsetRect(0, nOwnerTop - r.bottom);
    return r;
}

CurrentColours ColoursForEntry(int entry, COLORREF currentBefore, COLORREF initial, COLORREF defaultValue,
                               COLORREF sysWindow)
{
    if (entry == kDefaultBox)
        return {defaultValue, sysWindow};
    if (entry == kCustomBox)
        return {currentBefore, initial};
    if (entry >= 0 && entry < kColours)
        return {kPalette[entry].colour, kPalette[entry].colour};
    return {currentBefore, currentBefore};
}

}  // namespace palette
