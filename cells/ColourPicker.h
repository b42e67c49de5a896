// The colour picker button without its window: what it holds, what it tells
// its parent when its palette popup opens, moves, chooses and cancels, and
// where it draws its arrow and its colour.
//
// The picker shows one colour: its back colour (selection mode 2, the usual
// one) or its text colour (mode 1). A click opens the palette popup below
// the button; the popup's notifications (cells/ColourPalette.h, 2025-2029)
// come back to the picker, which keeps the chosen colour and passes them on
// to its parent with its control id in lParam.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"

#include <vector>

namespace palette {

const int kPickTextColour = 1;
const int kPickBackColour = 2;

// A message the picker sends its parent.
struct Notice {
    UINT message;
    COLORREF colour;       // wParam
    LPARAM lParam;         // the picker's control id
    bool operator==(const Notice& o) const
    {
        return message == o.message && colour == o.colour && lParam == o.lParam;
    }
};
typedef std::vector<Notice> Notices;

class PickerModel {
public:
    // crBtnText: the system's button-text colour, the text colour at first.
    explicit PickerModel(COLORREF crBtnText = 0) : crText(crBtnText) {}

    bool bPopupOpen = false;
    bool bTrackSelection = false;    // the colour follows the popup's current entry
    bool bDefaultChosen = false;     // the popup's default box was chosen last
    COLORREF crBack = 0;
    COLORREF crText;
    COLORREF crDefault = 0;          // what choosing the default box gives
    int nSelectionMode = kPickBackColour;
    CString strDefaultText = "Automatic";
    CString strCustomText = "More Colours...";

    COLORREF GetColour() const { return nSelectionMode == kPickTextColour ? crText : crBack; }
    void SetColour(COLORREF cr) { (nSelectionMode == kPickTextColour ? crText : crBack) = cr; }
    // NULL is the empty text (the popup then leaves that box out).
    void SetDefaultText(LPCTSTR text) { strDefaultText = text != nullptr ? text : ""; }
    void SetCustomText(LPCTSTR text) { strCustomText = text != nullptr ? text : ""; }

    // The button was clicked: the popup opens (2026 with the colour). Nothing
    // while a popup is already open.
    Notices Click(int nId);
    // The popup's 2025: its current entry moved to this colour.
    Notices PopupMoved(COLORREF cr, int nId);
    // The popup's 2028: a colour or, with bDefault, the default box chosen.
    Notices PopupChose(COLORREF cr, bool bDefault, int nId);
    // The popup's 2029 with the colour it started from.
    Notices PopupCancelled(COLORREF crInitial, int nId);
};

// Where the picker draws: the drop-down arrow at the right, a square of the
// largest of the thumb sizes and five edges, inset by the edges; the colour
// area left of it, inset by the edges; and the smallest size of the button
// (two edges and two arrows wide, an arrow and two edges high).
struct PickerGeometry {
    CRect arrow;
    CRect colour;
    CSize minimum;
};
PickerGeometry PickerLayout(const CRect& client, int cxEdge, int cyEdge, int cxThumb, int cyThumb);

// The colour the colour area is filled with: the button face when disabled
// or when the colour is the system window colour, else the colour.
COLORREF PickerFill(COLORREF cr, bool bDisabled, COLORREF crSysWindow, COLORREF crBtnFace);
// The caption's colour: black when the text colour is the system's
// window-text colour, else the text colour.
COLORREF PickerCaptionColour(COLORREF crText, COLORREF crSysWindowText);

}  // namespace palette
