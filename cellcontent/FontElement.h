// CFontElement: a cell font as attribute text ("font" element) and as a
// LOGFONT, converted both ways.
//
// The text written for a font lists charset, fontname, italic, orientation,
// strikeout, underline, weight and fontsize, in that order, e.g.
//   <font  charset = "134" fontname = "Arial"   italic = "0"  orientation = "0"
//   strikeout = "0"  underline = "1"  weight = "FW_BOLD"  fontsize = "9" ></font>
// (on one line). Sizes are in points, converted with the vertical screen
// pixels per inch (cellcontent/ScreenMetrics.h); weights are written by the
// name of their weight constant.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/XmlElement.h"

class CFontElement : public CXmlElement {
public:
    // No text; the log font is all zeros.
    CFontElement();
    // Writes the text for `logFont` and parses it as element "font".
    explicit CFontElement(const LOGFONT& logFont);
    // Parses `text` as element "font" and reads the log font from it:
    // charset (decimal byte), fontname ("Times New Roman" when missing or
    // empty, at most 31 bytes), italic/strikeout/underline ("1" or "yes" in any
    // case), orientation (into the escapement; the orientation stays 0),
    // weight (a weight name; anything else gives 0), fontsize (points, 8 when
    // missing or empty, at most kMaxPointSize either way). Every other member
    // is 0.
    explicit CFontElement(LPCTSTR text);

    // The largest size, in points, a font text may ask for: 1638, the largest
    // the system's font dialog offers (its sizes are tenths of a point in 16
    // bits). A larger "fontsize" reads as this size (a negative one, which
    // asks for a cell height instead of a character height, as its negative).
    static constexpr int kMaxPointSize = 1638;

    void GetLogFont(LOGFONT* pLogFont) const;
    const LOGFONT& GetLogFontRef() const { return m_logFont; }
    // The text written for the log font, or the text given to the constructor.
    CString GetText() const { return m_strWritten; }

    // The weight constant's name written for `weight` (empty when the weight
    // is not one of the ten written values); the weight read for `name` (0 when
    // the name is not known; case counts).
    static CString WeightToName(LONG weight);
    static LONG NameToWeight(LPCTSTR name);

private:
    void WriteText();
    void ReadLogFont();

    LOGFONT m_logFont;
    CString m_strWritten;
};
