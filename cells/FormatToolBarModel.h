// The format toolbar of the rich-text editor without its windows: the button
// table, the font-size list, the button states and box selections that follow
// the editor's selection, and what each button does to the selection.
//
// The Windows toolbar (cells/win32/FormatToolBarWnd.cpp) builds its buttons
// from this table and asks the model for every state and action.
#pragma once

#include "base/CString.h"
#include "grid/RichTextHostBase.h"

#include <vector>

class CRichFormatOps;

namespace formatbar {

const UINT ID_BOLD = 32768;
const UINT ID_ITALIC = 32769;
const UINT ID_UNDERLINE = 32770;
const UINT ID_STRIKEOUT = 32771;
const UINT ID_SUPERSCRIPT = 32772;
const UINT ID_SUBSCRIPT = 32773;
const UINT ID_ALIGNLEFT = 32774;
const UINT ID_CENTER = 32775;
const UINT ID_ALIGNRIGHT = 32776;
const UINT ID_INDENT = 32777;
const UINT ID_OUTDENT = 32778;
const UINT ID_BULLETS = 32780;
const UINT ID_NUMBERING = 32781;
const UINT ID_BACKCOLOR = 32782;
const UINT ID_TEXTCOLOR = 32783;
const UINT ID_FONTNAME = 32787;
const UINT ID_FONTSIZE = 32788;
const UINT ID_SIZEBOX = 1110;                // the size box's own control id

const int kFontNameWidth = 108;
const int kFontSizeWidth = 54;
const int kImageCount = 17;
const int kImageSize = 16;

// Colours of the two colour buttons: the marker colours in their images
// that take the chosen colour, and the back colour standing for "none".
const COLORREF kTextMarker = 0x0100FF;
const COLORREF kBackMarker = 0xFEFFFF;
const COLORREF kNoBackColour = 0xFEFFFF;
const COLORREF kKeyColour = 0xC0C0C0;

// Toolbar messages.
const UINT MSG_SETFACE = 1046;               // wParam CString* face, lParam index
const UINT MSG_SETSIZE = 1047;               // wParam size, lParam index
const UINT MSG_UPDATE = 1048;                // wParam char format, lParam para format
const UINT MSG_COLOURCHOSEN = 2028;          // wParam colour

struct ButtonEntry {
    UINT id;            // 0: a separator
    int image;          // index in the image strip; -1 for boxes and separators
    bool check;         // a check button
};

// The 24 entries of the bar in their order.
const std::vector<ButtonEntry>& Buttons();

// The 18 sizes of the size box ("6" ... "72").
const std::vector<CString>& FontSizes();

// The first entry whose text equals the text exactly; -1 when none.
int FindExact(const std::vector<CString>& entries, const CString& text);
// The number of a size box entry text (0 for none or an empty text).
int SizeOfText(const CString& text);

// TB_SETSTATE values.
const BYTE kStateEnabled = 4;
const BYTE kStateChecked = 5;

struct ButtonState {
    UINT id;
    BYTE state;
};

// What an update from the editor sets: a state for each check button, and the
// face and size texts to select (only when the format holds them).
struct ToolBarUpdate {
    std::vector<ButtonState> buttons;
    bool bFace = false;
    CString strFace;
    bool bSize = false;
    CString strSize;
};
ToolBarUpdate UpdateFromFormats(const RichCharFormat& cf, const RichParaFormat& pf);
// The selection a box takes for a text: the exact match, else it keeps its
// current selection.
int BoxSelection(const std::vector<CString>& entries, const CString& text, int nCurrent);

// The buttons a check button releases when it goes down (the other align
// buttons, bullets against numbering).
std::vector<UINT> ReleasedBy(UINT id, bool bNowDown);

// Applies a button click (bNowDown: the check button's state after the
// click) through the editor's operations. FALSE for an id that is no button.
BOOL ApplyButton(UINT id, bool bNowDown, CRichFormatOps& ops);
// A colour button's colour reaching the selection.
void ApplyColour(UINT id, COLORREF cr, CRichFormatOps& ops);

// The palette's arguments for a colour button.
struct PaletteRequest {
    COLORREF crDefault;
    const char* pszDefaultText;     // code page 936
    const char* pszCustomText;
};
PaletteRequest PaletteFor(UINT id);

}  // namespace formatbar
