// The colour palette popup without its window: the 40 named colours, which
// entry an initial colour marks as chosen, the keyboard navigation, the
// popup's layout and its placement on the screen, and hit-testing.
//
// Entries are numbered 0-39 (8 per row); kDefaultBox is the default box above
// the grid ("自动", "无"), kCustomBox the custom-colour box below it
// ("更多颜色"), kNoEntry none.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"

namespace palette {

const int kColours = 40;
const int kColumns = 8;
const int kRows = 5;
const int kLastEntry = 39;
const int kDefaultBox = -3;
const int kCustomBox = -2;
const int kNoEntry = -1;

// Popup notifications (wParam colour).
const UINT MSG_SELCHANGE = 2025;
const UINT MSG_DROPDOWN = 2026;
const UINT MSG_CLOSEUP = 2027;
const UINT MSG_SELENDOK = 2028;          // lParam 1 when the default box was chosen
const UINT MSG_SELENDCANCEL = 2029;

struct Entry {
    COLORREF colour;
    const char* name;
};
const Entry& At(int index);              // index 0-39

// The entry an initial colour marks as chosen: the default box when the
// colour is the system window colour and there is a default box, else the
// first palette entry of that colour, else the custom box when there is one,
// else none.
int ChosenEntry(COLORREF initial, COLORREF sysWindow, bool bDefault, bool bCustom);

enum class Key { Down, Up, Right, Left };
// The entry a navigation key moves to from the current one.
int Navigate(Key key, int current, bool bDefault, bool bCustom);

struct Layout {
    int nBoxSize = 18;
    int nMargin = 2;
    CRect window;          // client coordinates, origin at the popup's top-left
    CRect defaultBox;      // empty without a default text
    CRect customBox;       // empty without a custom text
    int nCellsTop = 0;
    CRect CellRect(int index) const;
    // The entry under a client point; kNoEntry outside every entry.
    int HitTest(CPoint pt) const;
};
// nTextWidth, nTextHeight: the larger extent of the two texts in the popup's
// font (0 when neither exists).
Layout MakeLayout(int nEdge, bool bDefault, bool bCustom, int nTextWidth, int nTextHeight);

// The popup's screen rectangle for a wanted top-left, kept on the screen: left
// of the right edge, right of 0, and above the owner's top when it would pass
// the bottom.
CRect Place(CPoint topLeft, CSize size, const CRect& screen, int nOwnerTop);

// What making an entry current does: the popup's current colour afterwards
// and the colour sent to the owner with 2025.
struct CurrentColours {
    COLORREF current;
    COLORREF notified;
};
CurrentColours ColoursForEntry(int entry, COLORREF currentBefore, COLORREF initial, COLORREF defaultValue,
                               COLORREF sysWindow);

}  // namespace palette
