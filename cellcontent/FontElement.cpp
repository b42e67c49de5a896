#include "cellcontent/FontElement.h"

#include "base/NumberText.h"
#include "cellcontent/ScreenMetrics.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace {

const char kFontElementName[] = "font";
const char kDefaultFaceName[] = "Times New Roman";
const int kDefaultPointSize = 8;

struct WeightName {
    const char* name;
    LONG weight;
    bool written;  // the name written for this weight (the first one that has it)
};

const WeightName kWeightNames[] = {
    {"FW_DONTCARE", 0, true},     {"FW_THIN", 100, true},      {"FW_EXTRALIGHT", 200, true},
    {"FW_ULTRALIGHT", 200, false}, {"FW_LIGHT", 300, true},     {"FW_NORMAL", 400, true},
    {"FW_REGULAR", 400, false},    {"FW_MEDIUM", 500, true},    {"FW_SEMIBOLD", 600, true},
    {"FW_DEMIBOLD", 600, false},   {"FW_BOLD", 700, true},      {"FW_EXTRABOLD", 800, true},
    {"FW_ULTRABOLD", 800, false},  {"FW_HEAVY", 900, true},     {"FW_BLACK", 900, false},
};

// "1" or "yes" in any case.
bool IsFlagOn(CString value)
{
    value.MakeLower();
    return value == "1" || value == "yes";
}

void AppendAttribute(CString& text, const char* name, const CString& value, const char* after)
{
    text += " ";
    text += name;
    text += " = \"";
    text += value;
    text += "\"";
    text += after;
}

// -value without overflow (the most negative int has no positive counterpart).
int Negate(int value)
{
    return value == INT_MIN ? INT_MAX : -value;
}

// Length of a face name that may fill its whole field without a terminating zero.
int FaceNameLength(const char* face)
{
    int length = 0;
    while (length < LF_FACESIZE && face[length] != '\0')
        ++length;
    return length;
}

CString Decimal(long value)
{
    CString s;
    s.Format("%ld", value);
    return s;
}

}  // namespace

CFontElement::CFontElement()
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
}

CFontElement::CFontElement(const LOGFONT& logFont)
{
    m_logFont = logFont;
    WriteText();
    SetText(m_strWritten, kFontElementName);
}

CFontElement::CFontElement(LPCTSTR text)
{
    m_strWritten = text != nullptr ? CString(text) : CString();
    SetText(m_strWritten, kFontElementName);
    ReadLogFont();
}

void CFontElement::GetLogFont(LOGFONT* pLogFont) const
{
    if (pLogFont != nullptr)
        *pLogFont = m_logFont;
}

CString CFontElement::WeightToName(LONG weight)
{
    for (const WeightName& entry : kWeightNames) {
        if (entry.written && entry.weight == weight)
            return CString(entry.name);
    }
    return CString();
}

LONG CFontElement::NameToWeight(LPCTSTR name)
{
    if (name == nullptr)
        return 0;
    for (const WeightName& entry : kWeightNames) {
        if (std::strcmp(entry.name, name) == 0)
            return entry.weight;
    }
    return 0;
}

void CFontElement::WriteText()
{
    // The face name may fill all 32 bytes without a terminating zero; a double
    // quote cannot stand in an attribute value.
    std::string faceBytes(m_logFont.lfFaceName, static_cast<size_t>(FaceNameLength(m_logFont.lfFaceName)));
    faceBytes.erase(std::remove(faceBytes.begin(), faceBytes.end(), '"'), faceBytes.end());
    const CString face(faceBytes);
    const int points = Negate(MulDiv(m_logFont.lfHeight, 72, GetScreenPixelsPerInchY()));

    CString text("<font ");
    AppendAttribute(text, "charset", Decimal(static_cast<BYTE>(m_logFont.lfCharSet)), "");
    AppendAttribute(text, "fontname", face, "  ");
    AppendAttribute(text, "italic", m_logFont.lfItalic ? "1" : "0", " ");
    AppendAttribute(text, "orientation", Decimal(m_logFont.lfOrientation), " ");
    AppendAttribute(text, "strikeout", m_logFont.lfStrikeOut ? "1" : "0", " ");
    AppendAttribute(text, "underline", m_logFont.lfUnderline ? "1" : "0", " ");
    AppendAttribute(text, "weight", WeightToName(m_logFont.lfWeight), " ");
    AppendAttribute(text, "fontsize", Decimal(points), " ");
    text += "></font>";
    m_strWritten = text;
}

void CFontElement::ReadLogFont()
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfCharSet = static_cast<BYTE>(AToI(GetAttribute("charset")));

    CString face = GetAttribute("fontname");
    if (face.IsEmpty())
        face = kDefaultFaceName;
    const int faceBytes = face.GetLength() < LF_FACESIZE - 1 ? face.GetLength() : LF_FACESIZE - 1;
    std::memcpy(m_logFont.lfFaceName, face.GetString(), static_cast<size_t>(faceBytes));
    m_logFont.lfFaceName[faceBytes] = '\0';

    m_logFont.lfItalic = IsFlagOn(GetAttribute("italic")) ? 1 : 0;
    m_logFont.lfStrikeOut = IsFlagOn(GetAttribute("strikeout")) ? 1 : 0;
    m_logFont.lfUnderline = IsFlagOn(GetAttribute("underline")) ? 1 : 0;
    m_logFont.lfEscapement = AToL(GetAttribute("orientation"));
    m_logFont.lfWeight = NameToWeight(GetAttribute("weight"));

    CString size = GetAttribute("fontsize");
    const int points = size.IsEmpty() ? kDefaultPointSize : std::clamp(AToL(size), -kMaxPointSize, kMaxPointSize);
    m_logFont.lfHeight = Negate(MulDiv(points, GetScreenPixelsPerInchY(), 72));
    m_logFont.lfWidth = 0;
}
