// The format toolbar's model: button states and box selections that follow a
// selection's formats, the buttons that release each other, and the images
// the colour buttons re-tint.
#include "cells/FormatToolBarModel.h"
#include "cells/ToolBarImages.h"

#include <gtest/gtest.h>

#include <map>

using namespace formatbar;
using namespace richtext;

namespace {

std::map<UINT, BYTE> States(const ToolBarUpdate& u)
{
    std::map<UINT, BYTE> m;
    for (const ButtonState& b : u.buttons)
        m[b.id] = b.state;
    return m;
}

TEST(FormatToolBar, ButtonTableHasTheBarsOrderAndCheckButtons)
{
    const std::vector<ButtonEntry>& b = Buttons();
    ASSERT_EQ(24u, b.size());
    const UINT order[] = {ID_FONTNAME, ID_FONTSIZE, 0, ID_TEXTCOLOR, ID_BACKCOLOR, 0, ID_BOLD, ID_ITALIC,
                          ID_UNDERLINE, ID_STRIKEOUT, 0, ID_SUPERSCRIPT, ID_SUBSCRIPT, 0, ID_ALIGNLEFT, ID_CENTER,
                          ID_ALIGNRIGHT, 0, ID_INDENT, ID_OUTDENT, 0, ID_BULLETS, ID_NUMBERING, 0};
    int checks = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(order[i], b[i].id) << i;
        checks += b[i].check ? 1 : 0;
        if (b[i].image >= 0)
            EXPECT_LT(b[i].image, kImageCount);
    }
    EXPECT_EQ(11, checks);   // 32768-32776, 32780, 32781
    const std::vector<CString>& sizes = FontSizes();
    ASSERT_EQ(18u, sizes.size());
    EXPECT_EQ(CString("6"), sizes.front());
    EXPECT_EQ(CString("72"), sizes.back());
    EXPECT_EQ(CString("14"), sizes[7]);
}

TEST(FormatToolBar, ButtonStatesFollowTheFormats)
{
    struct Case {
        const char* what;
        DWORD mask, effects;
        WORD align, numbering;
        std::vector<UINT> down;
    } cases[] = {
        {"nothing", 0, 0, 0, 0, {}},
        {"bold", RT_CFM_BOLD, RT_CFE_BOLD, 0, 0, {ID_BOLD}},
        {"italic underline", RT_CFM_ITALIC | RT_CFM_UNDERLINE, RT_CFE_ITALIC | RT_CFE_UNDERLINE, 0, 0,
         {ID_ITALIC, ID_UNDERLINE}},
        {"strike-out", RT_CFM_STRIKEOUT, RT_CFE_STRIKEOUT, 0, 0, {ID_STRIKEOUT}},
        {"superscript", 0x30000, 0x20000, 0, 0, {ID_SUPERSCRIPT}},
        {"superscript effect without its mask", 0, 0x20000, 0, 0, {}},
        {"subscript", 0x30000, 0x10000, 0, 0, {ID_SUBSCRIPT}},
        {"left", 0, 0, 1, 0, {ID_ALIGNLEFT}},
        {"centre", 0, 0, 3, 0, {ID_CENTER}},
        {"right", 0, 0, 2, 0, {ID_ALIGNRIGHT}},
        {"bullets", 0, 0, 0, 1, {ID_BULLETS}},
        {"numbering", 0, 0, 0, 2, {ID_NUMBERING}},
        {"other numbering", 0, 0, 0, 3, {}},
    };
    const UINT checkIds[] = {ID_BOLD,      ID_ITALIC, ID_UNDERLINE,  ID_STRIKEOUT, ID_SUPERSCRIPT, ID_SUBSCRIPT,
                             ID_ALIGNLEFT, ID_CENTER, ID_ALIGNRIGHT, ID_BULLETS,   ID_NUMBERING};
    for (const Case& c : cases) {
        RichCharFormat cf;
        cf.dwMask = c.mask;
        cf.dwEffects = c.effects;
        RichParaFormat pf;
        pf.wAlignment = c.align;
        pf.wNumbering = c.numbering;
        const std::map<UINT, BYTE> s = States(UpdateFromFormats(cf, pf));
        EXPECT_EQ(11u, s.size()) << c.what;
        for (UINT id : checkIds) {
            const bool down = std::find(c.down.begin(), c.down.end(), id) != c.down.end();
            EXPECT_EQ(down ? kStateChecked : kStateEnabled, s.at(id)) << c.what << " button " << id;
        }
    }
}

TEST(FormatToolBar, BoxesSelectOnlyWhatTheyListAndWhatTheFormatHolds)
{
    const std::vector<CString> faces = {"Arial", "Times New Roman", "宋体"};
    RichCharFormat cf;
    cf.dwMask = RT_CFM_FACE | RT_CFM_SIZE;
    cf.strFace = "宋体";
    cf.yHeight = 280;
    ToolBarUpdate u = UpdateFromFormats(cf, RichParaFormat());
    ASSERT_TRUE(u.bFace);
    EXPECT_EQ(2, BoxSelection(faces, u.strFace, 0));
    ASSERT_TRUE(u.bSize);
    EXPECT_EQ(CString("14"), u.strSize);
    EXPECT_EQ(7, BoxSelection(FontSizes(), u.strSize, 3));

    // A face or a size the boxes do not list leaves their selections.
    cf.strFace = "Arial Black";
    cf.yHeight = 260 + 10;   // 13.5 points shows as "13"
    u = UpdateFromFormats(cf, RichParaFormat());
    EXPECT_EQ(1, BoxSelection(faces, u.strFace, 1));
    EXPECT_EQ(CString("13"), u.strSize);
    EXPECT_EQ(3, BoxSelection(FontSizes(), u.strSize, 3));
    // Only exact texts match.
    EXPECT_EQ(-1, FindExact(faces, "arial"));

    // Mixed faces and sizes (no mask bits) select nothing.
    cf.dwMask = 0;
    u = UpdateFromFormats(cf, RichParaFormat());
    EXPECT_FALSE(u.bFace);
    EXPECT_FALSE(u.bSize);

    EXPECT_EQ(0, SizeOfText(""));
    EXPECT_EQ(72, SizeOfText("72"));
}

TEST(FormatToolBar, CheckButtonsReleaseTheirPartners)
{
    EXPECT_EQ((std::vector<UINT>{ID_NUMBERING}), ReleasedBy(ID_BULLETS, true));
    EXPECT_EQ((std::vector<UINT>{ID_BULLETS}), ReleasedBy(ID_NUMBERING, true));
    EXPECT_TRUE(ReleasedBy(ID_BULLETS, false).empty());
    EXPECT_EQ((std::vector<UINT>{ID_CENTER, ID_ALIGNRIGHT}), ReleasedBy(ID_ALIGNLEFT, true));
    EXPECT_EQ((std::vector<UINT>{ID_ALIGNLEFT, ID_ALIGNRIGHT}), ReleasedBy(ID_CENTER, true));
    EXPECT_EQ((std::vector<UINT>{ID_ALIGNLEFT, ID_CENTER}), ReleasedBy(ID_ALIGNRIGHT, false));
    EXPECT_TRUE(ReleasedBy(ID_BOLD, true).empty());
}

TEST(FormatToolBar, PaletteArgumentsOfTheColourButtons)
{
    const PaletteRequest text = PaletteFor(ID_TEXTCOLOR);
    EXPECT_EQ(0u, text.crDefault);
    EXPECT_STREQ("自动", text.pszDefaultText);
    EXPECT_STREQ("更多颜色", text.pszCustomText);
    const PaletteRequest back = PaletteFor(ID_BACKCOLOR);
    EXPECT_EQ(0xFEFFFFu, back.crDefault);
    EXPECT_STREQ("无", back.pszDefaultText);
}

TEST(ToolBarImages, RetintingChangesOnlyTheMarkerPixelsOfOneImage)
{
    const toolbarimages::Strip unpainted = toolbarimages::FormatImages();
    ASSERT_EQ(16 * 17, unpainted.nWidth);
    ASSERT_EQ(16, unpainted.nHeight);
    int markers = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            markers += unpainted.At(x, y) == kTextMarker ? 1 : 0;
    ASSERT_GT(markers, 0);

    toolbarimages::Strip current = unpainted;
    ASSERT_TRUE(toolbarimages::Retint(current, unpainted, 0, kTextMarker, 0x00FF00));
    ASSERT_TRUE(toolbarimages::Retint(current, unpainted, 1, kBackMarker, 0x0000FF));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < unpainted.nWidth; ++x) {
            const COLORREF before = unpainted.At(x, y);
            COLORREF want = before;
            if (x < 16 && before == kTextMarker)
                want = 0x00FF00;
            else if (x >= 16 && x < 32 && before == kBackMarker)
                want = 0x0000FF;
            ASSERT_EQ(want, current.At(x, y)) << x << "," << y;
        }
    }
    // A second colour starts again from the unpainted image: the first one's
    // pixels are no markers any more, and still change.
    ASSERT_TRUE(toolbarimages::Retint(current, unpainted, 0, kTextMarker, 0x123456));
    EXPECT_EQ(0x123456u, current.At(0, 15));
    // The key colour and black stay.
    EXPECT_EQ(kKeyColour, current.At(0, 0));

    EXPECT_FALSE(toolbarimages::Retint(current, unpainted, 17, kTextMarker, 0));
    EXPECT_FALSE(toolbarimages::Retint(current, unpainted, -1, kTextMarker, 0));
    toolbarimages::Strip small;
    EXPECT_FALSE(toolbarimages::Retint(small, unpainted, 0, kTextMarker, 0));
}

}  // namespace
