// The colour picker's portable half: the palette of 104 entries (named
// colours, system colours, sixteen placeholders and sixteen custom colours),
// its 8-column layout with the "Custom..." row below the cells, the arrow-key
// moves, and the picker's state with the notifications it sends its parent.
// The Windows widget (designer/win32/ColourPicker.*) draws and forwards its
// mouse and keys here, so the behaviour is tested natively.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <functional>
#include <vector>

// Notifications of the picker to its parent window: wParam is the colour,
// lParam the button's control identifier.
const UINT CPN_SELCHANGE = 2025;     // the colour changed
const UINT CPN_DROPDOWN = 2026;      // the palette opened
const UINT CPN_CLOSEUP = 2027;       // the palette closed (before 2028 or 2029)
const UINT CPN_SELENDOK = 2028;      // the user confirmed a colour
const UINT CPN_SELENDCANCEL = 2029;  // the user cancelled

// A colour that is not set (a custom colour not filled yet).
const COLORREF kColourUnset = static_cast<COLORREF>(-1);

struct ColourEntry {
    COLORREF colour;
    const char* name;
    int sysIndex;   // COLOR_ index, or -1
};

class CColourPalette {
public:
    static const int kColumns = 8;
    static const int kEntryCount = 104;
    // The special index of the "Custom..." button below the cells.
    static const int kCustomButton = -2;

    // The table with system colours read now and the custom colours taken
    // from custom (16 values; kColourUnset leaves a cell unset).
    explicit CColourPalette(const COLORREF* custom = nullptr);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const ColourEntry& Entry(int index) const { return m_entries[static_cast<size_t>(index)]; }
    int Rows() const { return (Count() + kColumns - 1) / kColumns; }
    // The first entry showing colour, or -1.
    int Find(COLORREF colour) const;

    // Moves a selection (an entry index or kCustomButton) by an arrow key
    // (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN): up and down by rows, wrapping at the
    // ends through the "Custom..." row; left and right within the row,
    // wrapping at its ends. Other keys keep the selection.
    int Move(int selection, UINT vk) const;

    // The pixel layout: cells of 18 pixels with a margin (the system edge
    // width, larger when a cell would leave less than 5 pixels).
    static int Margin(int edgeWidth);

private:
    std::vector<ColourEntry> m_entries;
};

// The picker's state and notification sequence, apart from any window.
class CColourPickerState {
public:
    using Notify = std::function<void(UINT message, COLORREF colour)>;

    explicit CColourPickerState(Notify notify) : m_notify(std::move(notify)) {}

    COLORREF GetColour() const { return m_crColour; }
    // The colour the button shows: silver while disabled, the hovered colour
    // while tracking, else the current one.
    COLORREF ShownColour() const;
    void SetColour(COLORREF colour) { m_crColour = colour; m_crShown = colour; }
    void Enable(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    void SetTrackSelection(bool track) { m_bTrackSelection = track; }
    bool GetTrackSelection() const { return m_bTrackSelection; }
    COLORREF* CustomColours() { return m_crCustom; }

    // The palette opened: remembers the colour to restore; sends 2026.
    void Opened();
    // The palette's selection moved to colour (hover or arrow key).
    void Hover(COLORREF colour);
    // Click, Enter or the colour dialog's OK: 2027, 2028 and, when the
    // colour differs from the current one, the new colour and 2025.
    void Confirm(COLORREF colour);
    // Esc or a click outside: the colour current at opening comes back; 2027
    // and 2029.
    void Cancel();
    bool IsOpen() const { return m_open; }

private:
    Notify m_notify;
    COLORREF m_crColour = 0xFFFFFF;
    COLORREF m_crShown = 0xFFFFFF;
    COLORREF m_crInitial = 0xFFFFFF;
    bool m_enabled = true;
    bool m_bTrackSelection = false;
    bool m_open = false;
    COLORREF m_crCustom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};
