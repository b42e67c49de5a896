// The font element: LOGFONT to font text and back, at the screen resolution
// the control sets (96 pixels per inch until it does).
#include "cellcontent/FontElement.h"
#include "cellcontent/ScreenMetrics.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

LOGFONT MakeFont(const char* face, LONG height, LONG weight, BYTE italic, BYTE underline, BYTE strikeOut,
                 BYTE charSet)
{
    LOGFONT font;
    std::memset(&font, 0, sizeof(font));
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic;
    font.lfUnderline = underline;
    font.lfStrikeOut = strikeOut;
    font.lfCharSet = charSet;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

// Keeps the process-wide resolution as it was around one test.
class ScreenResolution {
public:
    ScreenResolution() : m_y(GetScreenPixelsPerInchY()), m_x(GetScreenPixelsPerInchX()) {}
    ~ScreenResolution()
    {
        SetScreenPixelsPerInchY(m_y);
        SetScreenPixelsPerInchX(m_x);
    }

private:
    int m_y;
    int m_x;
};

TEST(FontElement, WritesTheTextOfALogFont)
{
    ASSERT_EQ(GetScreenPixelsPerInchY(), 96);
    CFontElement element(MakeFont("Arial", -12, FW_BOLD, 0, 1, 0, 134));
    const char* expected =
        "<font  charset = \"134\" fontname = \"Arial\"   italic = \"0\"  orientation = \"0\"  strikeout = \"0\"  "
        "underline = \"1\"  weight = \"FW_BOLD\"  fontsize = \"9\" ></font>";
    EXPECT_EQ(element.GetText(), expected);
    EXPECT_EQ(element.GetXmlText(), expected);
    // The written text is parsed, so attribute queries work on it.
    EXPECT_EQ(element.GetAttribute("fontname"), "Arial");
    EXPECT_EQ(element.GetAttribute("weight"), "FW_BOLD");

    LOGFONT odd = MakeFont("宋体", -16, 550, 1, 0, 1, 255);
    odd.lfOrientation = -900;
    CFontElement oddElement(odd);
    EXPECT_EQ(oddElement.GetText(),
              "<font  charset = \"255\" fontname = \"宋体\"   italic = \"1\"  orientation = \"-900\"  "
              "strikeout = \"1\"  underline = \"0\"  weight = \"\"  fontsize = \"12\" ></font>");
}

TEST(FontElement, WritesEveryWeightByItsFirstName)
{
    const std::pair<LONG, const char*> weights[] = {
        {0, "FW_DONTCARE"}, {100, "FW_THIN"},   {200, "FW_EXTRALIGHT"}, {300, "FW_LIGHT"},
        {400, "FW_NORMAL"}, {500, "FW_MEDIUM"}, {600, "FW_SEMIBOLD"},   {700, "FW_BOLD"},
        {800, "FW_EXTRABOLD"}, {900, "FW_HEAVY"}, {550, ""},             {1000, ""},
        {-400, ""},
    };
    for (const auto& w : weights)
        EXPECT_EQ(CFontElement::WeightToName(w.first), w.second) << w.first;
}

TEST(FontElement, ReadsALogFontFromText)
{
    struct Case {
        const char* text;
        LONG height;
        LONG weight;
        BYTE italic, underline, strikeOut, charSet;
        LONG escapement;
        const char* face;
    };
    const Case cases[] = {
        {"<font  charset = \"134\" fontname = \"Arial\"   italic = \"0\"  orientation = \"0\"  strikeout = \"0\"  "
         "underline = \"1\"  weight = \"FW_BOLD\"  fontsize = \"9\" ></font>",
         -12, 700, 0, 1, 0, 134, 0, "Arial"},
        {"<font fontsize = \"12\" >", -16, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font fontname = \"\" fontsize = \"\" >", -11, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font fontname = \"宋体\" >", -11, 0, 0, 0, 0, 0, 0, "宋体"},
        {"<font weight = \"700\" >", -11, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font weight = \"fw_bold\" >", -11, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font weight = \"FW_ULTRABOLD\" >", -11, 800, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font weight = \"FW_REGULAR\" >", -11, 400, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font weight = \"FW_BLACK\" >", -11, 900, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<font italic = \"YES\" underline = \"Yes\" strikeout = \"true\" >", -11, 0, 1, 1, 0, 0, 0,
         "Times New Roman"},
        {"<font italic = \"1\" underline = \"0\" strikeout = \"yes\" >", -11, 0, 1, 0, 1, 0, 0, "Times New Roman"},
        {"<font orientation = \"900\" >", -11, 0, 0, 0, 0, 0, 900, "Times New Roman"},
        {"<font charset = \"300\" >", -11, 0, 0, 0, 0, 44, 0, "Times New Roman"},
        {"<font fontsize = \"-10\" >", 13, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"<Font fontsize = \"20\" >", -11, 0, 0, 0, 0, 0, 0, "Times New Roman"},
        {"", -11, 0, 0, 0, 0, 0, 0, "Times New Roman"},
    };
    for (const Case& c : cases) {
        CFontElement element(c.text);
        EXPECT_EQ(element.GetText(), c.text);
        LOGFONT font;
        std::memset(&font, 0x55, sizeof(font));
        element.GetLogFont(&font);
        EXPECT_EQ(font.lfHeight, c.height) << c.text;
        EXPECT_EQ(font.lfWidth, 0) << c.text;
        EXPECT_EQ(font.lfWeight, c.weight) << c.text;
        EXPECT_EQ(font.lfItalic, c.italic) << c.text;
        EXPECT_EQ(font.lfUnderline, c.underline) << c.text;
        EXPECT_EQ(font.lfStrikeOut, c.strikeOut) << c.text;
        EXPECT_EQ(font.lfCharSet, c.charSet) << c.text;
        EXPECT_EQ(font.lfEscapement, c.escapement) << c.text;
        EXPECT_EQ(font.lfOrientation, 0) << c.text;
        EXPECT_EQ(font.lfOutPrecision | font.lfClipPrecision | font.lfQuality | font.lfPitchAndFamily, 0);
        EXPECT_STREQ(font.lfFaceName, c.face) << c.text;
    }
}

TEST(FontElement, CutsLongFaceNamesToThirtyOneBytes)
{
    const std::string face40(40, 'F');
    CFontElement element(("<font fontname = \"" + face40 + "\" >").c_str());
    LOGFONT font;
    element.GetLogFont(&font);
    EXPECT_EQ(std::string(font.lfFaceName), std::string(31, 'F'));

    // A LOGFONT whose face name fills all 32 bytes without a terminating zero.
    LOGFONT full = MakeFont("", -12, FW_NORMAL, 0, 0, 0, 0);
    std::memset(full.lfFaceName, 'G', LF_FACESIZE);
    CFontElement written(full);
    EXPECT_EQ(written.GetAttribute("fontname"), CString(std::string(32, 'G')));
}

TEST(FontElement, RoundTripsToTheNearestWholePoint)
{
    struct Case {
        LONG height;
        LONG heightBack;
        const char* points;
    };
    const Case cases[] = {
        {-12, -12, "9"}, {-11, -11, "8"},  {-13, -13, "10"}, {-15, -15, "11"},
        {-14, -15, "11"},  // 10.5 points round to 11
        {-16, -16, "12"}, {-96, -96, "72"}, {0, 0, "0"},     {12, 12, "-9"},
    };
    for (const Case& c : cases) {
        LOGFONT in = MakeFont("Courier New", c.height, FW_SEMIBOLD, 1, 0, 1, 134);
        CFontElement written(in);
        EXPECT_EQ(written.GetAttribute("fontsize"), c.points) << c.height;
        CFontElement read(written.GetText());
        LOGFONT out;
        read.GetLogFont(&out);
        EXPECT_EQ(out.lfHeight, c.heightBack) << c.height;
        EXPECT_EQ(out.lfWeight, FW_SEMIBOLD);
        EXPECT_EQ(out.lfItalic, 1);
        EXPECT_EQ(out.lfStrikeOut, 1);
        EXPECT_EQ(out.lfUnderline, 0);
        EXPECT_EQ(out.lfCharSet, 134);
        EXPECT_STREQ(out.lfFaceName, "Courier New");
    }
    // A quote cannot stand in an attribute value.
    CFontElement quoted(MakeFont("Ar\"ial", -12, FW_NORMAL, 0, 0, 0, 0));
    EXPECT_EQ(quoted.GetAttribute("fontname"), "Arial");
    EXPECT_EQ(quoted.GetAttribute("fontsize"), "9");
    // A weight without a name is written empty and reads back as 0.
    CFontElement odd(MakeFont("Arial", -12, 550, 0, 0, 0, 0));
    CFontElement back(odd.GetText());
    EXPECT_EQ(back.GetLogFontRef().lfWeight, 0);
}

TEST(FontElement, UsesTheResolutionTheControlSets)
{
    ScreenResolution keep;
    SetScreenPixelsPerInchY(0);  // ignored: a resolution is never 0
    SetScreenPixelsPerInchY(-5);
    EXPECT_EQ(GetScreenPixelsPerInchY(), 96);
    SetScreenPixelsPerInchY(120);
    SetScreenPixelsPerInchX(144);
    EXPECT_EQ(GetScreenPixelsPerInchY(), 120);
    EXPECT_EQ(GetScreenPixelsPerInchX(), 144);

    CFontElement read("<font fontsize = \"9\" >");
    EXPECT_EQ(read.GetLogFontRef().lfHeight, -15);
    CFontElement written(MakeFont("Arial", -15, FW_NORMAL, 0, 0, 0, 0));
    EXPECT_EQ(written.GetAttribute("fontsize"), "9");
}

TEST(FontElement, EmptyElementIsFilledThroughTheElementOperations)
{
    CFontElement element;
    EXPECT_EQ(element.GetText(), "");
    EXPECT_EQ(element.GetLogFontRef().lfHeight, 0);
    element.SetText("<font fontname = \"Arial\" ></font>", "font");
    EXPECT_EQ(element.SetAttribute("fontsize", "10"), 0);
    EXPECT_EQ(element.GetXmlText(), "<font fontsize = \"10\"  fontname = \"Arial\" ></font>");
    EXPECT_EQ(element.GetValueText(), "");
}

}  // namespace
