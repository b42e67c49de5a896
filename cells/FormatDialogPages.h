// The properties dialog's two pages without their windows: what the font page
// and the paragraph page show for a character and a paragraph format, and the
// formats they give back when the user accepts.
//
// The font page's result carries the state of every effect it shows (bold and
// italic from the style box, underline, strike-out, superscript, subscript),
// so a cleared box or "常规" removes the effect. The face, the size, the
// spacing and each colour enter the result only when the selection had them
// uniform or the user changed them: a mixed selection keeps its faces and
// sizes, and untouched automatic colours stay automatic.
#pragma once

#include "base/CString.h"
#include "grid/RichTextHostBase.h"

#include <vector>

namespace proppages {

// Combo lists, in order.
const std::vector<CString>& FontStyles();        // "常规", "斜体", "粗体", "粗斜体"
const std::vector<CString>& Alignments();        // "居左", "居中", "居右"
const std::vector<CString>& Bullets();           // "无", "圆圈", "数字"
const std::vector<CString>& LineSpacings();      // "正常", "1.5倍", "双倍", "固定值"

enum FontStyle { kRegular = 0, kItalic = 1, kBold = 2, kBoldItalic = 3 };

// The character spacing the page edits (twips in the record).
struct FontInput {
    RichCharFormat cf;
    bool bSpacing = false;
    LONG sSpacing = 0;
};

// One colour picker of the font page.
struct PickerState {
    COLORREF crDefault = 0;       // the picker's default (automatic) colour
    COLORREF crColour = 0;        // what it shows
    bool bAuto = false;           // automatic (the default box) rather than a colour
    bool bKnown = false;          // the selection had one colour
    bool bChanged = false;        // the user chose in the picker
};

struct FontPage {
    int nStyle = kRegular;
    bool bUnderline = false;
    bool bStrikeout = false;
    bool bSuperscript = false;
    bool bSubscript = false;
    CString strFace;              // selected face; empty: none selected
    bool bFaceKnown = false;
    bool bFaceChanged = false;
    int nSize = 0;                // selected size in points; 0: none selected
    bool bSizeKnown = false;
    bool bSizeChanged = false;
    int nSpacing = 0;             // points, 0 to 255
    bool bSpacingKnown = false;
    bool bSpacingChanged = false;
    PickerState back;
    PickerState text;

    void SetSuperscript(bool bOn);   // ticking one clears the other
    void SetSubscript(bool bOn);
    void ChooseFace(const CString& strFace);
    void ChooseSize(int nPoints);
    void ChooseSpacing(int nPoints);
    // The picker's choice: the default box or a colour.
    static void Choose(PickerState& picker, bool bDefault, COLORREF cr);
};

FontPage FontPageFrom(const FontInput& in, COLORREF sysWindow, COLORREF sysWindowText);

struct FontResult {
    RichCharFormat cf;
    bool bSpacing = false;
    LONG sSpacing = 0;
};
FontResult FontPageResult(const FontPage& page);

struct ParaPage {
    int nAlign = 0;               // index in Alignments()
    int nBullet = 0;              // index in Bullets()
    int nLineRule = 0;            // index in LineSpacings()
    int nLineValue = 0;           // points (shown only for "固定值")
    bool bLineValueEditable = false;
    int nSpaceBefore = 0;         // twips
    int nSpaceAfter = 0;          // twips
    // The record's line spacing, for a later choice of "固定值".
    bool bRecordFixed = false;
    LONG dyRecordLineSpacing = 0;

    // A choice in the line-spacing combo.
    void ChooseLineRule(int nIndex);
};

ParaPage ParaPageFrom(const RichParaFormat& pf);
RichParaFormat ParaPageResult(const ParaPage& page);

}  // namespace proppages
