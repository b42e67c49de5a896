// The value objects and descriptions: the font object's properties against
// its text, the border block, the default-setting record with its border
// masks, the control descriptions, and the hand-offs between objects.
#include "control/ControlDescriptions.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string S(const CString& s)
{
    return s.GetString();
}

std::string Xml(CKivoFont& font)
{
    CString text;
    EXPECT_EQ(font.get_strXml(text), kKivoOk);
    return S(text);
}

}  // namespace

TEST(ControlDescriptions, InitialTextsAndTheirElements)
{
    struct Case {
        const CControlDescription& description;
        const char* type;
    };
    const CButtonDescription button;
    const CCheckBoxDescription check;
    const CComboBoxDescription combo;
    const CComboCheckDescription comboCheck;
    const CDateTimeDescription dateTime;
    const CImageDescription image;
    const CNumericDescription numeric;
    const CURLDescription url;
    const Case cases[] = {{button, "button"},     {check, "checkbox"}, {combo, "combobox"},
                          {comboCheck, "combocheck"}, {dateTime, "datetime"}, {image, "image"},
                          {numeric, "numeric"},   {url, "url"}};
    for (const Case& c : cases) {
        const std::string text = std::string("<control controltype=\"") + c.type + "\" ></control>";
        EXPECT_EQ(S(c.description.m_strText), text);
        EXPECT_EQ(S(c.description.m_xmlElement.GetXmlText()), text);
        EXPECT_EQ(S(c.description.m_xmlElement.GetElementName()), "control");
        EXPECT_EQ(S(c.description.m_xmlElement.GetAttribute("controltype")), c.type);
        EXPECT_EQ(c.description.m_xmlElement.GetAttributeCount(), 1);
    }
    // The combo check box is a kind of combo box.
    const CComboBoxDescription& asCombo = comboCheck;
    EXPECT_EQ(S(asCombo.m_xmlElement.GetAttribute("controltype")), "combocheck");

    CFontDescription font;
    EXPECT_EQ(S(font.GetText()), "<font charset=\"1\" ></font>");
    EXPECT_EQ(S(font.GetAttribute("charset")), "1");
}

// A new font object reads the initial text's values.
TEST(KivoFont, NewObjectReadsTheInitialText)
{
    CKivoFont font;
    SHORT s = 99;
    LONG l = 99;
    CString text("stale");
    EXPECT_EQ(Xml(font), "<font charset=\"1\" ></font>");
    EXPECT_EQ(font.get_cCharset(s), kKivoOk);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(font.get_nFontSize(l), kKivoOk);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(font.get_strFontName(text), kKivoOk);
    EXPECT_EQ(S(text), "");
    for (auto get : {&CKivoFont::get_iItalic, &CKivoFont::get_iOrientation, &CKivoFont::get_iStrikeout,
                     &CKivoFont::get_iBold, &CKivoFont::get_iUnderline}) {
        s = 99;
        EXPECT_EQ((font.*get)(s), kKivoOk);
        EXPECT_EQ(s, 0);
    }
    // Made by the factory (the ProgID's class) it is the same.
    CKivoObjectPtr made = CreateKivoObjectOfClass(KivoClass_KivoFont);
    CString madeText;
    ASSERT_TRUE(GetKivoFontText(made.get(), madeText));
    EXPECT_EQ(S(madeText), "<font charset=\"1\" ></font>");
}

// Each property against the attribute it writes and what it reads back.
TEST(KivoFont, PropertyToTextTable)
{
    struct Case {
        const char* what;
        const char* start;   // strXml put first; NULL: a new object
        std::function<void(CKivoFont&)> put;
        const char* text;    // the text afterwards
        std::function<long(CKivoFont&)> get;
        long read;
    };
    const auto bold = [](CKivoFont& f) {
        SHORT v = 99;
        f.get_iBold(v);
        return static_cast<long>(v);
    };
    const auto italic = [](CKivoFont& f) {
        SHORT v = 99;
        f.get_iItalic(v);
        return static_cast<long>(v);
    };
    const auto charset = [](CKivoFont& f) {
        SHORT v = 99;
        f.get_cCharset(v);
        return static_cast<long>(v);
    };
    const auto size = [](CKivoFont& f) {
        LONG v = 99;
        f.get_nFontSize(v);
        return static_cast<long>(v);
    };
    const char kWeight[] = "<font weight = \"FW_NORMAL\" fontsize = \"9\" ></font>";
    const std::vector<Case> cases = {
        {"bold on", nullptr, [](CKivoFont& f) { f.put_iBold(1); },
         "<font weight = \"FW_BOLD\"  charset=\"1\" ></font>", bold, 1},
        // A script's True is -1, and any other non-zero value is on too.
        {"bold True", nullptr, [](CKivoFont& f) { f.put_iBold(-1); },
         "<font weight = \"FW_BOLD\"  charset=\"1\" ></font>", bold, 1},
        {"bold 2", nullptr, [](CKivoFont& f) { f.put_iBold(2); },
         "<font weight = \"FW_BOLD\"  charset=\"1\" ></font>", bold, 1},
        {"bold replaced in place", kWeight, [](CKivoFont& f) { f.put_iBold(-1); },
         "<font weight = \"FW_BOLD\" fontsize = \"9\" ></font>", bold, 1},
        {"bold off writes the empty value", kWeight, [](CKivoFont& f) { f.put_iBold(0); },
         "<font weight = \"\" fontsize = \"9\" ></font>", bold, 0},
        {"weight 700 reads bold", "<font weight=\"700\" ></font>", nullptr, "<font weight=\"700\" ></font>", bold, 1},
        {"another weight reads not bold", "<font weight=\"FW_SEMIBOLD\" ></font>", nullptr,
         "<font weight=\"FW_SEMIBOLD\" ></font>", bold, 0},
        {"italic True", nullptr, [](CKivoFont& f) { f.put_iItalic(-1); },
         "<font italic = \"1\"  charset=\"1\" ></font>", italic, 1},
        {"italic off", "<font italic=\"1\" ></font>", [](CKivoFont& f) { f.put_iItalic(0); },
         "<font italic=\"0\" ></font>", italic, 0},
        {"strikeout True", nullptr, [](CKivoFont& f) { f.put_iStrikeout(-1); },
         "<font strikeout = \"1\"  charset=\"1\" ></font>",
         [](CKivoFont& f) {
             SHORT v = 0;
             f.get_iStrikeout(v);
             return static_cast<long>(v);
         },
         1},
        {"underline 5", nullptr, [](CKivoFont& f) { f.put_iUnderline(5); },
         "<font underline = \"1\"  charset=\"1\" ></font>",
         [](CKivoFont& f) {
             SHORT v = 0;
             f.get_iUnderline(v);
             return static_cast<long>(v);
         },
         1},
        {"orientation is decimal", nullptr, [](CKivoFont& f) { f.put_iOrientation(-900); },
         "<font orientation = \"-900\"  charset=\"1\" ></font>",
         [](CKivoFont& f) {
             SHORT v = 0;
             f.get_iOrientation(v);
             return static_cast<long>(v);
         },
         -900},
        {"charset replaced", nullptr, [](CKivoFont& f) { f.put_cCharset(134); }, "<font charset=\"134\" ></font>",
         charset, 134},
        {"font size", nullptr, [](CKivoFont& f) { f.put_nFontSize(12); },
         "<font fontsize = \"12\"  charset=\"1\" ></font>", size, 12},
        {"font name, quotes dropped", nullptr, [](CKivoFont& f) { f.put_strFontName("宋\"体"); },
         "<font fontname = \"宋体\"  charset=\"1\" ></font>",
         [](CKivoFont& f) {
             CString v;
             f.get_strFontName(v);
             return static_cast<long>(v == "宋体");
         },
         1},
        // A new text replaces the old one entirely: no attribute of the old
        // text survives.
        {"text replaced", "<font fontname=\"Arial\" fontsize=\"20\" ></font>", nullptr,
         "<font fontname=\"Arial\" fontsize=\"20\" ></font>", charset, 0},
        // A text that is no font element takes no new attribute.
        {"not a font text", "<format decimal=\"2\" ></format>", [](CKivoFont& f) { f.put_nFontSize(12); },
         "<format decimal=\"2\" ></format>", size, 0},
        {"empty text", "", [](CKivoFont& f) { f.put_iBold(1); }, "", bold, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKivoFont font;
        if (c.start != nullptr) {
            EXPECT_EQ(font.put_strXml(c.start), kKivoOk);
        }
        if (c.put)
            c.put(font);
        EXPECT_EQ(Xml(font), c.text);
        EXPECT_EQ(c.get(font), c.read);
    }
}

TEST(KivoCellBorder, BlockOfColourStyleAndWidth)
{
    CKivoCellBorder border;
    CBorderBlock block;
    block.colour = 7;
    block.lineStyle = 7;
    block.lineWidth = 7;
    ASSERT_TRUE(GetKivoBorderBlock(&border, block));
    EXPECT_EQ(block.colour, 0);
    EXPECT_EQ(block.lineStyle, 0);
    EXPECT_EQ(block.lineWidth, 0);

    EXPECT_EQ(border.put_crLineColor(0x0000FF), kKivoOk);
    EXPECT_EQ(border.put_nLineStyle(2), kKivoOk);
    EXPECT_EQ(border.put_nLineWidth(3), kKivoOk);
    ASSERT_TRUE(GetKivoBorderBlock(&border, block));
    EXPECT_EQ(block.colour, 0xFF);
    EXPECT_EQ(block.lineStyle, 2);
    EXPECT_EQ(block.lineWidth, 3);

    // The block laid out as the records keep it: three 32-bit values.
    static_assert(sizeof(CBorderBlock) == 12, "colour, style, width");
    std::int32_t raw[3];
    std::memcpy(raw, &block, sizeof(raw));
    EXPECT_EQ(raw[0], 0xFF);
    EXPECT_EQ(raw[1], 2);
    EXPECT_EQ(raw[2], 3);

    // Back from a block: style and width in 16 bits, as their properties.
    CKivoCellBorder copy(block);
    LONG colour = 0;
    SHORT style = 0, width = 0;
    copy.get_crLineColor(colour);
    copy.get_nLineStyle(style);
    copy.get_nLineWidth(width);
    EXPECT_EQ(colour, 0xFF);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(width, 3);

    // Only a border object hands out a block.
    CKivoFont font;
    block.colour = 5;
    EXPECT_FALSE(GetKivoBorderBlock(&font, block));
    EXPECT_FALSE(GetKivoBorderBlock(nullptr, block));
    EXPECT_EQ(block.colour, 5);
}

TEST(KivoGridDefaultSetting, NewObjectHoldsTheRecordsDefaults)
{
    CKivoGridDefaultSetting setting;
    struct Case {
        const char* what;
        std::function<long(CKivoGridDefaultSetting&)> get;
        long value;
    };
    auto s = [](HRESULT (CKivoGridDefaultSetting::*get)(SHORT&)) {
        return [get](CKivoGridDefaultSetting& o) {
            SHORT v = 99;
            EXPECT_EQ((o.*get)(v), kKivoOk);
            return static_cast<long>(v);
        };
    };
    auto l = [](HRESULT (CKivoGridDefaultSetting::*get)(LONG&)) {
        return [get](CKivoGridDefaultSetting& o) {
            LONG v = 99;
            EXPECT_EQ((o.*get)(v), kKivoOk);
            return static_cast<long>(v);
        };
    };
    const std::vector<Case> cases = {
        {"bEditable", s(&CKivoGridDefaultSetting::get_bEditable), 1},
        {"nRowHeight", l(&CKivoGridDefaultSetting::get_nRowHeight), -1},
        {"nColWidth", l(&CKivoGridDefaultSetting::get_nColWidth), -1},
        {"crSelColor", l(&CKivoGridDefaultSetting::get_crSelColor), -1},
        {"crCellBgColor", l(&CKivoGridDefaultSetting::get_crCellBgColor), -1},
        {"crTextColor", l(&CKivoGridDefaultSetting::get_crTextColor), -1},
        {"bTip", s(&CKivoGridDefaultSetting::get_bTip), 1},
        {"bAllowResizeRow", s(&CKivoGridDefaultSetting::get_bAllowResizeRow), 1},
        {"bAllowResizeCol", s(&CKivoGridDefaultSetting::get_bAllowResizeCol), 1},
        {"bIMResetInitRowHeight", s(&CKivoGridDefaultSetting::get_bIMResetInitRowHeight), 0},
        {"bIMResetInitColWidth", s(&CKivoGridDefaultSetting::get_bIMResetInitColWidth), 0},
        {"dwTextAlign", l(&CKivoGridDefaultSetting::get_dwTextAlign), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.get(setting), c.value) << c.what;
    CString font("stale");
    setting.get_strFontXml(font);
    EXPECT_EQ(S(font), "");
    EXPECT_EQ(setting.GetRecord().m_wBorderFlags, 0);
    for (int side = 0; side < 4; ++side) {
        CKivoObjectPtr border;
        ASSERT_EQ(setting.get_arCellBorder(static_cast<SHORT>(side), border), kKivoOk);
        CBorderBlock block;
        block.lineWidth = 9;
        ASSERT_TRUE(GetKivoBorderBlock(border.get(), block)) << side;
        EXPECT_EQ(block.lineWidth, 0);
    }
}

TEST(KivoGridDefaultSetting, PutsKeepWhatIsSet)
{
    CKivoGridDefaultSetting setting;
    setting.put_bEditable(0);
    setting.put_nRowHeight(30);
    setting.put_nColWidth(80);
    setting.put_crSelColor(0x010203);
    setting.put_crCellBgColor(0x040506);
    setting.put_crTextColor(0x070809);
    setting.put_strFontXml("<font fontsize = \"12\" ></font>");
    setting.put_bTip(0);
    setting.put_bAllowResizeRow(0);
    setting.put_bAllowResizeCol(0);
    setting.put_bIMResetInitRowHeight(1);
    setting.put_bIMResetInitColWidth(1);
    setting.put_dwTextAlign(0x25);
    const CGridDefaultSetting& r = setting.GetRecord();
    EXPECT_EQ(r.m_bEditable, 0);
    EXPECT_EQ(r.m_nRowHeight, 30);
    EXPECT_EQ(r.m_nColWidth, 80);
    EXPECT_EQ(r.m_crSelColor, 0x010203);
    EXPECT_EQ(r.m_crCellBgColor, 0x040506);
    EXPECT_EQ(r.m_crTextColor, 0x070809);
    EXPECT_EQ(S(r.m_strFontXml), "<font fontsize = \"12\" ></font>");
    EXPECT_EQ(r.m_bTip, 0);
    EXPECT_EQ(r.m_bAllowResizeRow, 0);
    EXPECT_EQ(r.m_bAllowResizeCol, 0);
    EXPECT_EQ(r.m_bIMResetInitRowHeight, 1);
    EXPECT_EQ(r.m_bIMResetInitColWidth, 1);
    EXPECT_EQ(r.m_dwTextAlign, 0x25);

    // The whole record travels, the fields no property shows included.
    CGridDefaultSetting source;
    source.m_nReserved = 42;
    source.m_strSecondText = "second";
    source.m_logFont.lfHeight = -17;
    source.m_borders[2].colour = 0xABCDEF;
    CKivoObjectPtr object = CreateKivoDefaultSettingObject(source);
    CGridDefaultSetting copy;
    ASSERT_TRUE(GetKivoDefaultSetting(object.get(), copy));
    EXPECT_EQ(copy.m_nReserved, 42);
    EXPECT_EQ(S(copy.m_strSecondText), "second");
    EXPECT_EQ(copy.m_logFont.lfHeight, -17);
    EXPECT_EQ(copy.m_borders[2].colour, 0xABCDEF);
    CKivoCellBorder notASetting;
    copy.m_nReserved = 7;
    EXPECT_FALSE(GetKivoDefaultSetting(&notASetting, copy));
    EXPECT_FALSE(GetKivoDefaultSetting(nullptr, copy));
    EXPECT_EQ(copy.m_nReserved, 7);
}

// arCellBorder put takes a mask of sides: the border goes into the block of
// each side named and the sides join the flags; get takes one side's index.
TEST(KivoGridDefaultSetting, BorderMasks)
{
    struct Case {
        SHORT mask;
        std::uint16_t flags;
        std::vector<int> sides;   // blocks that take the border
    };
    const Case cases[] = {
        {15, 15, {0, 1, 2, 3}}, {1, 1, {0}},  {2, 2, {1}},  {4, 4, {2}}, {8, 8, {3}}, {5, 5, {0, 2}},
        {10, 10, {1, 3}},       {0, 0, {}},   {16, 0, {}},  {-1, 0, {}}, {255, 0, {}},
    };
    CKivoCellBorder border;
    border.put_crLineColor(0x112233);
    border.put_nLineStyle(1);
    border.put_nLineWidth(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        CKivoGridDefaultSetting setting;
        EXPECT_EQ(setting.put_arCellBorder(c.mask, &border), kKivoOk);
        const CGridDefaultSetting& r = setting.GetRecord();
        EXPECT_EQ(r.m_wBorderFlags, c.flags);
        for (int side = 0; side < 4; ++side) {
            const bool set = std::find(c.sides.begin(), c.sides.end(), side) != c.sides.end();
            EXPECT_EQ(r.m_borders[side].colour, set ? 0x112233 : 0) << side;
            EXPECT_EQ(r.m_borders[side].lineStyle, set ? 1 : 0) << side;
            EXPECT_EQ(r.m_borders[side].lineWidth, set ? 2 : 0) << side;
        }
    }

    // Flags add up; a later border replaces a side's block.
    CKivoGridDefaultSetting setting;
    setting.put_arCellBorder(1, &border);
    CKivoCellBorder thick;
    thick.put_nLineWidth(4);
    setting.put_arCellBorder(9, &thick);
    EXPECT_EQ(setting.GetRecord().m_wBorderFlags, 9);
    EXPECT_EQ(setting.GetRecord().m_borders[0].lineWidth, 4);
    EXPECT_EQ(setting.GetRecord().m_borders[3].lineWidth, 4);

    // Get hands out a new object per call, holding one side's block.
    CKivoObjectPtr left, again;
    setting.get_arCellBorder(0, left);
    setting.get_arCellBorder(0, again);
    ASSERT_NE(left, nullptr);
    EXPECT_NE(left.get(), again.get());
    CBorderBlock block;
    ASSERT_TRUE(GetKivoBorderBlock(left.get(), block));
    EXPECT_EQ(block.lineWidth, 4);
    for (SHORT bad : {-1, 4, 15}) {
        CKivoObjectPtr none = CreateKivoCellBorderObject(CBorderBlock());
        EXPECT_EQ(setting.get_arCellBorder(bad, none), kKivoOk);
        EXPECT_EQ(none, nullptr) << bad;
    }

    // No object, or an object that is not a border, changes nothing.
    CKivoFont font;
    CKivoGridDefaultSetting untouched;
    untouched.put_arCellBorder(15, nullptr);
    untouched.put_arCellBorder(15, &font);
    EXPECT_EQ(untouched.GetRecord().m_wBorderFlags, 0);
}
