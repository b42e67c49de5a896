// Attribute text: parsing the first tag, editing attributes in place, the
// attribute vocabulary, colours and string cutting.
#include "cellcontent/AttributeKeywords.h"
#include "cellcontent/StringUtil.h"
#include "cellcontent/XmlElement.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

typedef std::vector<std::pair<std::string, std::string>> Pairs;

Pairs AttributesOf(const CXmlElement& element)
{
    Pairs pairs;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        CXmlAttribute attribute = element.GetAttributeAt(i);
        pairs.emplace_back(attribute.name.Str(), attribute.value.Str());
    }
    return pairs;
}

struct ParseCase {
    const char* label;
    const char* text;
    const char* elementName;
    Pairs expected;
};

TEST(AttributeTextParse, ReadsTheAttributesOfTheFirstTag)
{
    const ParseCase cases[] = {
        {"quoted, no blanks, no closing tag", "<format datatype=\"numeric\">", "format", {{"datatype", "numeric"}}},
        {"unquoted last value", "<format datatype=numeric>", "format", {{"datatype", "numeric"}}},
        {"as this system writes it", "<format datatype = \"numeric\" decimal = \"2\" ></format>", "format",
         {{"datatype", "numeric"}, {"decimal", "2"}}},
        {"blanks around = are free", "<control  controltype   =   \"button\"   ></control>", "control",
         {{"controltype", "button"}}},
        {"tag name case counts", "<Format datatype=\"numeric\">", "format", {}},
        {"attribute name case counts", "<format DataType=\"numeric\">", "format", {}},
        {"other element", "<control controltype=\"edit\"></control>", "font", {}},
        {"quoted value keeps blanks", "<font fontname = \"Times New Roman\" ></font>", "font",
         {{"fontname", "Times New Roman"}}},
        {"duplicates give two pairs", "<format same = \"1\" same = \"2\" >", "format", {{"same", "1"}, {"same", "2"}}},
        {"unknown name dropped with its value", "<format foo = \"bar\" datatype = \"x\" >", "format",
         {{"datatype", "x"}}},
        {"value without a name dropped", "<format \"x\" datatype = \"y\" >", "format", {{"datatype", "y"}}},
        {"name without a value dropped", "<format decimal datatype = \"y\" >", "format", {{"datatype", "y"}}},
        {"quoted keyword is a value", "<format symbol = \"decimal\" >", "format", {{"symbol", "decimal"}}},
        {"empty value", "<format symbol = \"\" datatype = \"numeric\" >", "format",
         {{"symbol", ""}, {"datatype", "numeric"}}},
        {"self-closing without a blank", "<font fontname=\"Arial\"/>", "font", {{"fontname", "Arial"}}},
        {"self-closing with a blank", "<font fontname = \"Arial\" />", "font", {{"fontname", "Arial"}}},
        {"self-closing unquoted", "<font fontname=Arial/>", "font", {{"fontname", "Arial"}}},
        {"text before the tag", "abc <format datatype=\"x\">", "format", {{"datatype", "x"}}},
        {"only the first tag", "<format datatype=\"a\"><format decimal=\"2\">", "format", {{"datatype", "a"}}},
        {"no tag", "datatype=\"x\"", "format", {}},
        {"tag never closed", "<format datatype=\"x\"", "format", {}},
        {"no attributes", "<format></format>", "format", {}},
        {"empty text", "", "format", {}},
        {"\">\" inside a value", "<format separator = \">\" datatype = \"numeric\" >", "format",
         {{"separator", ">"}, {"datatype", "numeric"}}},
        {"Chinese values", "<format symbol = \"￥\" lastsymbol = \"整\" >", "format",
         {{"symbol", "￥"}, {"lastsymbol", "整"}}},
        {"misspelt vocabulary as stored", "<format minusymbol = \"负\" ><control ismarign = \"1\">", "format",
         {{"minusymbol", "负"}}},
    };
    for (const ParseCase& c : cases) {
        CXmlElement element(c.text, c.elementName);
        EXPECT_EQ(AttributesOf(element), c.expected) << c.label;
    }
}

TEST(AttributeTextParse, QueriesTakeTheFirstOfRepeatedNames)
{
    CXmlElement element("<format same = \"1\" same = \"2\" >", "format");
    EXPECT_EQ(element.GetAttribute("same"), "1");
    EXPECT_EQ(element.FindAttribute("same"), 0);
    EXPECT_EQ(element.FindAttribute("samecolor"), -1);
    EXPECT_EQ(element.GetAttribute("samecolor"), "");
    EXPECT_EQ(element.GetAttribute("notaword"), "");
    EXPECT_EQ(element.GetAttribute(nullptr), "");
    EXPECT_EQ(element.GetAttributeAt(5).name, "");

    // Parsing a second time appends: the list doubles, reads still see the first.
    CXmlElement twice("<format datatype = \"numeric\" >", "format");
    twice.SetText("<format datatype = \"currency\" >", "format");
    ASSERT_EQ(twice.GetAttributeCount(), 2);
    EXPECT_EQ(twice.GetAttribute("datatype"), "numeric");
}

TEST(AttributeTextParse, ValueConstructorKeepsValueAndSetTextEmptiesIt)
{
    CXmlElement element("<format datatype = \"numeric\" >", "3.5", nullptr, "format");
    EXPECT_EQ(element.GetValueString(), "3.5");
    EXPECT_EQ(element.GetChosenColour(), -1);
    EXPECT_EQ(element.GetValueText(), "");  // a plain element formats nothing
    element.SetText("<format >", "format");
    EXPECT_EQ(element.GetValueString(), "");
}

struct EditCase {
    const char* label;
    const char* text;
    const char* elementName;
    bool remove;  // DeleteAttribute instead of SetAttribute
    const char* name;
    const char* value;
    int result;
    const char* expectedText;
};

TEST(AttributeTextEdit, SetsAndDeletesWhereTheParserReadTheAttribute)
{
    const EditCase cases[] = {
        {"no blanks around =", "<control controltype=\"button\" ></control>", "control", false, "controltype",
         "edit", 0, "<control controltype=\"edit\" ></control>"},
        {"name that ends another name", "<format lastsymbol = \"整\" symbol = \"￥\" >", "format", false, "symbol",
         "$", 1, "<format lastsymbol = \"整\" symbol = \"$\" >"},
        {"name that begins another name", "<format samecolor = \"RGB(1,2,3)\" same = \"5\" >", "format", false,
         "same", "6", 1, "<format samecolor = \"RGB(1,2,3)\" same = \"6\" >"},
        {"empty old value", "<format symbol = \"\" >", "format", false, "symbol", "x", 0,
         "<format symbol = \"x\" >"},
        {"unquoted old value", "<format datatype=numeric>", "format", false, "datatype", "currency", 0,
         "<format datatype=\"currency\">"},
        {"self-closing", "<font fontname=\"Arial\"/>", "font", false, "fontname", "宋体", 0,
         "<font fontname=\"宋体\"/>"},
        {"new attribute goes behind the tag name", "<format datatype = \"numeric\" ></format>", "format", false,
         "decimal", "2", 0, "<format decimal = \"2\"  datatype = \"numeric\" ></format>"},
        {"new attribute in an empty tag", "<control></control>", "control", false, "controltype", "edit", 0,
         "<control controltype = \"edit\" ></control>"},
        {"new attribute in a self-closing tag", "<control/>", "control", false, "controltype", "edit", 0,
         "<control controltype = \"edit\" />"},
        {"quotes cannot enter a value", "<format symbol = \"a\" >", "format", false, "symbol", "x\"y", 0,
         "<format symbol = \"xy\" >"},
        {"a quote after a lead byte goes too", "<format symbol = \"a\" >", "format", false, "symbol", "\xC3\"x", 0,
         "<format symbol = \"\xC3x\" >"},
        {"new attribute, empty text", "", "format", false, "datatype", "numeric", -1, ""},
        {"new attribute, other element", "<font >", "format", false, "datatype", "numeric", -1, "<font >"},
        {"new attribute, name only inside a longer tag name", "<formatx >", "format", false, "datatype", "x", -1,
         "<formatx >"},
        {"not a vocabulary word", "<format datatype = \"numeric\" >", "format", false, "Datatype", "x", -1,
         "<format datatype = \"numeric\" >"},
        {"delete keeps the blanks around", "<format lastsymbol = \"整\" symbol = \"￥\" >", "format", true, "symbol",
         nullptr, TRUE, "<format lastsymbol = \"整\"  >"},
        {"delete without blanks", "<control controltype=\"button\" ></control>", "control", true, "controltype",
         nullptr, TRUE, "<control  ></control>"},
        {"delete the first of two", "<format same=\"1\" same=\"2\">", "format", true, "same", nullptr, TRUE,
         "<format  same=\"2\">"},
        {"delete a name inside a value", "<format symbol = \"decimal\" decimal = \"2\" >", "format", true, "decimal",
         nullptr, TRUE, "<format symbol = \"decimal\"  >"},
        {"delete an absent attribute", "<format datatype = \"numeric\" >", "format", true, "decimal", nullptr,
         FALSE, "<format datatype = \"numeric\" >"},
    };
    for (const EditCase& c : cases) {
        CXmlElement element(c.text, c.elementName);
        const int result = c.remove ? element.DeleteAttribute(c.name) : element.SetAttribute(c.name, c.value);
        EXPECT_EQ(result, c.result) << c.label;
        EXPECT_EQ(element.GetXmlText(), c.expectedText) << c.label;

        // The edited list says what the edited text says.
        CXmlElement reread(element.GetXmlText(), c.elementName);
        for (int i = 0; i < element.GetAttributeCount(); ++i) {
            CXmlAttribute attribute = element.GetAttributeAt(i);
            if (element.FindAttribute(attribute.name) == i) {
                EXPECT_EQ(reread.GetAttribute(attribute.name), attribute.value)
                    << c.label << ": " << attribute.name.Str();
            }
        }
        EXPECT_EQ(reread.GetAttributeCount(), element.GetAttributeCount()) << c.label;
    }
}

TEST(AttributeTextEdit, NewAttributesStandNewestFirstAndTheListKeepsAdditionOrder)
{
    CXmlElement element("<format ></format>", "format");
    EXPECT_EQ(element.SetAttribute("datatype", "numeric"), 0);
    EXPECT_EQ(element.SetAttributeInt("decimal", -2), 0);
    EXPECT_EQ(element.SetAttributeLong("seplen", 3), 0);
    EXPECT_EQ(element.GetXmlText(),
              "<format seplen = \"3\"  decimal = \"-2\"  datatype = \"numeric\"  ></format>");
    EXPECT_EQ(element.GetAttributeAt(0).name, "datatype");
    EXPECT_EQ(element.GetAttributeAt(2).name, "seplen");
    // Changing an existing attribute answers its index.
    EXPECT_EQ(element.SetAttributeInt("seplen", 4), 2);
    EXPECT_EQ(element.SetAttribute("datatype", "currency"), 0);
    EXPECT_EQ(element.GetXmlText(),
              "<format seplen = \"4\"  decimal = \"-2\"  datatype = \"currency\"  ></format>");
    EXPECT_TRUE(element.DeleteAttribute("decimal"));
    EXPECT_FALSE(element.DeleteAttribute("decimal"));
    EXPECT_EQ(element.GetXmlText(), "<format seplen = \"4\"    datatype = \"currency\"  ></format>");
    EXPECT_EQ(element.GetAttributeCount(), 2);
}

TEST(AttributeTextEdit, CopyAttributesTakesEverythingButNameAndColour)
{
    CXmlElement source("<format datatype = \"numeric\" >", "12", nullptr, "format");
    CXmlElement copy("<control controltype = \"edit\" >", "control");
    copy.CopyAttributes(source);
    EXPECT_EQ(copy.GetElementName(), "control");
    EXPECT_EQ(copy.GetXmlText(), source.GetXmlText());
    EXPECT_EQ(copy.GetValueString(), "12");
    EXPECT_EQ(copy.GetAttributeCount(), 1);
    EXPECT_EQ(copy.GetAttribute("datatype"), "numeric");
    EXPECT_EQ(copy.GetAttribute("controltype"), "");
}

TEST(AttributeVocabulary, HoldsTheStoredWordsExactly)
{
    EXPECT_EQ(GetAttributeKeywordCount(), 147);
    EXPECT_STREQ(GetAttributeKeyword(0), "datatype");
    EXPECT_STREQ(GetAttributeKeyword(47), "dayhoursymbol");
    EXPECT_STREQ(GetAttributeKeyword(48), "charset");
    EXPECT_STREQ(GetAttributeKeyword(56), "controltype");
    EXPECT_STREQ(GetAttributeKeyword(146), "offsetbottom");
    EXPECT_EQ(GetAttributeKeyword(147), nullptr);
    EXPECT_EQ(GetAttributeKeyword(-1), nullptr);
    int getstate = 0;
    for (int i = 0; i < GetAttributeKeywordCount(); ++i)
        getstate += std::string(GetAttributeKeyword(i)) == "getstate" ? 1 : 0;
    EXPECT_EQ(getstate, 2);

    const std::pair<const char*, BOOL> words[] = {
        {"minusymbol", TRUE}, {"ismarign", TRUE},  {"itemspliter", TRUE}, {"seconddecimal", TRUE},
        {"minussymbol", FALSE}, {"ismargin", FALSE}, {"Datatype", FALSE}, {"datatype ", FALSE},
        {"", FALSE},           {"\"datatype\"", FALSE},
    };
    for (const auto& w : words)
        EXPECT_EQ(CXmlElement::IsKeyword(w.first), w.second) << w.first;
    EXPECT_FALSE(CXmlElement::IsKeyword(nullptr));
}

TEST(ParseColour, ReadsRgbTextsAndDecimalColours)
{
    const std::pair<const char*, COLORREF> cases[] = {
        {"", 0},
        {"RGB(1,2,3)", 0x030201},
        {"rgb(1,2,3)", 0x030201},
        {"  Rgb(255, 128, 0)  ", 0x0080FF},
        {"rgb(1,2,3", 0},            // no closing bracket: read as a number
        {"RGB(,5,6)", 0x0605},       // empty pieces move the others up
        {"RGB(1,,2,3)", 0x030201},
        {"RGB(1,2,3,4)", 0x04030201},  // a fourth piece lands in the top byte
        {"RGB(1,2,3,4,5)", 0x04030205},
        {"RGB(256,2,3)", 0x030200},  // low byte only
        {"RGB(-1,0,0)", 0xFF},
        {"RGB()", 0},
        {"12345", 12345},
        {"16777215", 0xFFFFFF},
        {"-1", 0xFFFFFFFF},
        {"red", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CXmlElement::ParseColour(c.first), c.second) << c.first;
    EXPECT_EQ(CXmlElement::ParseColour(nullptr), 0u);
}

TEST(SplitString, CutsAtEveryDelimiterAndDropsEmptyPieces)
{
    struct Case {
        const char* text;
        const char* delimiter;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a,b,,c", ",", {"a", "b", "c"}},
        {",a,", ",", {"a"}},
        {",,,", ",", {}},
        {"", ",", {}},
        {"abc", ",", {"abc"}},
        {"abc", "", {"abc"}},
        {"C:\\x\\y", "\\", {"C:", "x", "y"}},
        {"a\n!\n!\n!b\n!\n!\n!", "\n!\n!\n!", {"a", "b"}},
        {"one, two", ", ", {"one", "two"}},
        // "\xB6\x5C" is one character whose second byte is "\": no cut there.
        {"C:\\\xB6\x5C\\a.bmp", "\\", {"C:", "\xB6\x5C", "a.bmp"}},
        {"表,格", ",", {"表", "格"}},
    };
    for (const Case& c : cases) {
        CStringArray pieces;
        pieces.Add("kept");
        const int added = SplitString(c.text, c.delimiter, pieces);
        ASSERT_EQ(added, static_cast<int>(c.pieces.size())) << c.text;
        ASSERT_EQ(pieces.GetSize(), added + 1);
        EXPECT_EQ(pieces[0], "kept");
        for (int i = 0; i < added; ++i)
            EXPECT_EQ(pieces[i + 1].Str(), c.pieces[static_cast<size_t>(i)]) << c.text;
    }
    CStringArray none;
    EXPECT_EQ(SplitString(nullptr, ",", none), 0);
    EXPECT_EQ(SplitString("a,b", nullptr, none), 1);
}

TEST(TrimTrailingZeros, TrimsFixedPointText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12.500000", "12.5"}, {"12.000000", "12"},  {"0.000000", "0"},     {"-0.500000", "-0.5"},
        {"10.010000", "10.01"}, {"100.000", "100"},   {"1000000.000000", "1000000"},
        {"0.100000", "0.1"},   {"5.", "5"},           {"100", "100"},       {"", ""},
        {"-0.000000", "-0"},
    };
    for (const auto& c : cases) {
        CString text(c.first);
        TrimTrailingZeros(text);
        EXPECT_EQ(text, c.second) << c.first;
    }
}

}  // namespace
