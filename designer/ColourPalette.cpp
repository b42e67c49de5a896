// The palette table, its arrow-key moves and the picker's notifications.
#include "designer/ColourPalette.h"

#include "platform/System.h"

namespace {

#define KV_RGB(r, g, b) static_cast<COLORREF>((r) | ((g) << 8) | ((b) << 16))

const ColourEntry kNamed[] = {
    {KV_RGB(128, 0, 64), "Light Maroon", -1},      {KV_RGB(139, 0, 0), "Dark Red", -1},
    {KV_RGB(255, 0, 0), "Red", -1},                {KV_RGB(255, 20, 147), "Deep Pink", -1},
    {KV_RGB(255, 0, 255), "Magenta", -1},          {KV_RGB(255, 192, 203), "Pink", -1},
    {KV_RGB(255, 182, 193), "Light Pink", -1},     {KV_RGB(255, 228, 225), "Very Light Pink", -1},
    {KV_RGB(255, 140, 0), "Dark Orange", -1},      {KV_RGB(255, 165, 0), "Orange", -1},
    {KV_RGB(255, 160, 122), "Light Salmon", -1},   {KV_RGB(255, 200, 120), "Light Orange", -1},
    {KV_RGB(255, 215, 0), "Gold", -1},             {KV_RGB(255, 255, 0), "Yellow", -1},
    {KV_RGB(238, 221, 130), "Desert Yellow", -1},  {KV_RGB(255, 255, 180), "Pale Yellow", -1},
    {KV_RGB(0, 100, 0), "Dark Green", -1},         {KV_RGB(0, 150, 0), "Medium Green", -1},
    {KV_RGB(0, 128, 0), "Green", -1},              {KV_RGB(0, 90, 90), "Dark Teal", -1},
    {KV_RGB(128, 128, 0), "Olive", -1},            {KV_RGB(0, 128, 128), "Teal", -1},
    {KV_RGB(64, 224, 208), "Turquoise", -1},       {KV_RGB(0, 250, 154), "Medium Spring Green", -1},
    {KV_RGB(152, 255, 152), "Mint Green", -1},     {KV_RGB(0, 255, 0), "Lime", -1},
    {KV_RGB(0, 255, 127), "Spring Green", -1},     {KV_RGB(152, 251, 152), "Pale Green", -1},
    {KV_RGB(127, 255, 212), "Aquamarine", -1},     {KV_RGB(204, 255, 204), "Very Pale Green", -1},
    {KV_RGB(64, 0, 64), "Deep Purple", -1},        {KV_RGB(128, 0, 128), "Purple", -1},
    {KV_RGB(148, 0, 211), "Deep Violet", -1},      {KV_RGB(25, 25, 112), "Midnight Blue", -1},
    {KV_RGB(0, 0, 139), "Dark Blue", -1},          {KV_RGB(0, 0, 128), "Navy", -1},
    {KV_RGB(238, 130, 238), "Violet", -1},         {KV_RGB(0, 0, 255), "Blue", -1},
    {KV_RGB(0, 0, 205), "Medium Blue", -1},        {KV_RGB(135, 206, 250), "Light Sky Blue", -1},
    {KV_RGB(100, 149, 237), "Cornflower Blue", -1}, {KV_RGB(135, 206, 235), "Sky Blue", -1},
    {KV_RGB(0, 139, 139), "Dark Cyan", -1},        {KV_RGB(123, 104, 238), "Medium Slate Blue", -1},
    {KV_RGB(173, 216, 230), "Light Blue", -1},     {KV_RGB(0, 255, 255), "Cyan", -1},
    {KV_RGB(176, 224, 230), "Powder Blue", -1},    {KV_RGB(224, 255, 255), "Light Cyan", -1},
    {KV_RGB(0, 0, 0), "Black", -1},                {KV_RGB(128, 128, 128), "Gray", -1},
    {KV_RGB(152, 152, 152), "Gray 40%", -1},       {KV_RGB(192, 192, 192), "Silver", -1},
    {KV_RGB(211, 211, 211), "Light Gray", -1},     {KV_RGB(245, 245, 220), "Beige", -1},
    {KV_RGB(255, 250, 240), "Floral White", -1},   {KV_RGB(255, 255, 255), "White", -1},
};

const ColourEntry kSystem[] = {
    {0, "Window", COLOR_WINDOW},
    {0, "WindowText", COLOR_WINDOWTEXT},
    {0, "InfoBk", COLOR_INFOBK},
    {0, "InfoText", COLOR_INFOTEXT},
    {0, "ActiveCaption", COLOR_ACTIVECAPTION},
    {0, "CaptionText", COLOR_CAPTIONTEXT},
    {0, "InactiveCaption", COLOR_INACTIVECAPTION},
    {0, "InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT},
    {0, "BtnFace", COLOR_BTNFACE},
    {0, "BtnText", COLOR_BTNTEXT},
    {0, "BtnShadow", COLOR_BTNSHADOW},
    {0, "BtnHighlight", COLOR_BTNHIGHLIGHT},
    {0, "Highlight", COLOR_HIGHLIGHT},
    {0, "HighlightText", COLOR_HIGHLIGHTTEXT},
    {0, "3DLight", COLOR_3DLIGHT},
    {0, "Desktop", COLOR_DESKTOP},
};

const char* const kPlaceholders[16] = {"1", "2", "3", "4", "5", "6", "7", "8",
                                       "9", "10", "11", "12", "13", "14", "15", "16"};
const char* const kCustomNames[16] = {
    "Custom color 1",  "Custom color 2",  "Custom color 3",  "Custom color 4",
    "Custom color 5",  "Custom color 6",  "Custom color 7",  "Custom color 8",
    "Custom color 9",  "Custom color 10", "Custom color 11", "Custom color 12",
    "Custom color 13", "Custom color 14", "Custom color 15", "Custom color 16"};

}  // namespace

CColourPalette::CColourPalette(const COLORREF* custom)
{
    m_entries.reserve(kEntryCount);
    for (const ColourEntry& e : kNamed)
        m_entries.push_back(e);
    for (ColourEntry e : kSystem) {
        e.colour = ::GetSysColor(e.sysIndex) & 0xFFFFFF;
        m_entries.push_back(e);
    }
    for (const char* name : kPlaceholders)
        m_entries.push_back({KV_RGB(192, 192, 192), name, -1});
    for (int i = 0; i < 16; ++i)
        m_entries.push_back({custom != nullptr ? custom[i] : kColourUnset, kCustomNames[i], -1});
}

int CColourPalette::Find(COLORREF colour) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[static_cast<size_t>(i)].colour == colour)
            return i;
    return -1;
}

int CColourPalette::Move(int selection, UINT vk) const
{
    const int rows = Rows();
    if (selection == kCustomButton || selection < 0 || selection >= Count()) {
        // From the "Custom..." button (or nothing) the arrows enter the cells.
        if (vk == VK_DOWN || vk == VK_RIGHT)
            return 0;
        if (vk == VK_UP || vk == VK_LEFT)
            return (rows - 1) * kColumns;
        return selection;
    }
    const int row = selection / kColumns;
    const int col = selection % kColumns;
    auto at = [&](int r, int c) {
        int index = r * kColumns + c;
        // A short last row: stay on its last entry.
        return index < Count() ? index : Count() - 1;
    };
    switch (vk) {
    case VK_DOWN: return at(row + 1 < rows ? row + 1 : 0, col);
    case VK_UP: return at(row > 0 ? row - 1 : rows - 1, col);
    case VK_RIGHT: {
        const int inRow = (row == rows - 1) ? Count() - row * kColumns : kColumns;
        return row * kColumns + (col + 1) % inRow;
    }
    case VK_LEFT: {
        const int inRow = (row == rows - 1) ? Count() - row * kColumns : kColumns;
        return row * kColumns + (col + inRow - 1) % inRow;
    }
    default: return selection;
    }
}

int CColourPalette::Margin(int edgeWidth)
{
    // A cell of 18 pixels keeps at least a 5-pixel swatch inside its margins.
    const int cell = 18;
    int margin = edgeWidth > 0 ? edgeWidth : 1;
    if (cell - 2 * margin - 4 < 5)
        margin = (cell - 5 - 4) / 2;
    return margin > 0 ? margin : 1;
}

COLORREF CColourPickerState::ShownColour() const
{
    if (!m_enabled)
        return KV_RGB(192, 192, 192);
    return m_crShown;
}

void CColourPickerState::Opened()
{
    m_crInitial = m_crColour;
    m_crShown = m_crColour;
    m_open = true;
    if (m_notify)
        m_notify(CPN_DROPDOWN, m_crColour);
}

void CColourPickerState::Hover(COLORREF colour)
{
    if (m_open && m_bTrackSelection && colour != kColourUnset)
        m_crShown = colour;
}

void CColourPickerState::Confirm(COLORREF colour)
{
    m_open = false;
    if (colour == kColourUnset)
        colour = m_crInitial;
    if (m_notify) {
        m_notify(CPN_CLOSEUP, colour);
        m_notify(CPN_SELENDOK, colour);
    }
    // With live tracking the shown colour already moved; what counts is the
    // colour current when the palette opened.
    const bool changed = colour != m_crInitial;
    m_crColour = colour;
    m_crShown = colour;
    if (changed && m_notify)
        m_notify(CPN_SELCHANGE, colour);
}

void CColourPickerState::Cancel()
{
    m_open = false;
    m_crColour = m_crInitial;
    m_crShown = m_crInitial;
    if (m_notify) {
        m_notify(CPN_CLOSEUP, m_crInitial);
        m_notify(CPN_SELENDCANCEL, m_crInitial);
    }
}
