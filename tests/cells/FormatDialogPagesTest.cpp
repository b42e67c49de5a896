// The properties dialog's font and paragraph pages: what they show for a
// format and what they give back.
#include "cells/FormatDialogPages.h"

#include <gtest/gtest.h>

using namespace proppages;
using namespace richtext;

namespace {

const COLORREF kWindow = 0xFFFFFF;
const COLORREF kWindowText = 0x000000;

FontPage PageOf(DWORD mask, DWORD effects)
{
    FontInput in;
    in.cf.dwMask = mask;
    in.cf.dwEffects = effects;
    return FontPageFrom(in, kWindow, kWindowText);
}

TEST(FontPage, ShowsTheStyleAndTheEffects)
{
    const struct {
        DWORD effects;
        int style;
        bool underline, strike, super, sub;
    } cases[] = {
        {0, kRegular, false, false, false, false},
        {RT_CFE_BOLD, kBold, false, false, false, false},
        {RT_CFE_ITALIC, kItalic, false, false, false, false},
        {RT_CFE_BOLD | RT_CFE_ITALIC | RT_CFE_UNDERLINE, kBoldItalic, true, false, false, false},
        {RT_CFE_STRIKEOUT | RT_CFE_SUPERSCRIPT, kRegular, false, true, true, false},
        {RT_CFE_SUBSCRIPT, kRegular, false, false, false, true},
    };
    for (const auto& c : cases) {
        const FontPage p = PageOf(0xFFFFFFFF, c.effects);
        EXPECT_EQ(c.style, p.nStyle) << c.effects;
        EXPECT_EQ(c.underline, p.bUnderline) << c.effects;
        EXPECT_EQ(c.strike, p.bStrikeout) << c.effects;
        EXPECT_EQ(c.super, p.bSuperscript) << c.effects;
        EXPECT_EQ(c.sub, p.bSubscript) << c.effects;
    }
    EXPECT_EQ(4u, FontStyles().size());
    EXPECT_EQ(CString("粗斜体"), FontStyles()[kBoldItalic]);
}

TEST(FontPage, FaceSizeSpacingAndColoursOnlyWhenUniform)
{
    FontInput in;
    in.cf.dwMask = RT_CFM_FACE | RT_CFM_SIZE | RT_CFM_COLOR | RT_CFM_BACKCOLOR;
    in.cf.dwEffects = RT_CFE_AUTOBACKCOLOR;
    in.cf.strFace = "宋体";
    in.cf.yHeight = 240;
    in.cf.crTextColor = 0x0000FF;
    in.bSpacing = true;
    in.sSpacing = 60;
    FontPage p = FontPageFrom(in, kWindow, kWindowText);
    EXPECT_EQ(CString("宋体"), p.strFace);
    EXPECT_EQ(12, p.nSize);
    EXPECT_EQ(3, p.nSpacing);
    EXPECT_EQ(0x0000FFu, p.text.crColour);
    EXPECT_FALSE(p.text.bAuto);
    EXPECT_EQ(kWindowText, p.text.crDefault);
    EXPECT_TRUE(p.back.bAuto);
    EXPECT_EQ(kWindow, p.back.crColour);
    EXPECT_EQ(kWindow, p.back.crDefault);

    // Mixed faces and sizes leave both boxes without a selection.
    in.cf.dwMask = 0;
    in.bSpacing = false;
    p = FontPageFrom(in, kWindow, kWindowText);
    EXPECT_TRUE(p.strFace.IsEmpty());
    EXPECT_EQ(0, p.nSize);
    EXPECT_FALSE(p.text.bKnown);
}

TEST(FontPage, SubscriptAndSuperscriptExcludeEachOther)
{
    FontPage p = PageOf(0x30000, RT_CFE_SUPERSCRIPT);
    p.SetSubscript(true);
    EXPECT_TRUE(p.bSubscript);
    EXPECT_FALSE(p.bSuperscript);
    p.SetSuperscript(true);
    EXPECT_TRUE(p.bSuperscript);
    EXPECT_FALSE(p.bSubscript);
    p.SetSuperscript(false);
    EXPECT_FALSE(p.bSuperscript);
    EXPECT_FALSE(p.bSubscript);
    EXPECT_EQ(RT_CFM_SUPERSCRIPT, FontPageResult(p).cf.dwMask & 0x30000);
    EXPECT_EQ(0u, FontPageResult(p).cf.dwEffects & 0x30000);
}

TEST(FontPage, ResultCarriesEveryEffectItShows)
{
    // Underlined bold text; the user clears the underline box and picks
    // "常规": both effects go.
    FontPage p = PageOf(RT_CFM_BOLD | RT_CFM_UNDERLINE, RT_CFE_BOLD | RT_CFE_UNDERLINE);
    p.bUnderline = false;
    p.nStyle = kRegular;
    RichCharFormat cf = FontPageResult(p).cf;
    const DWORD effectMask = RT_CFM_BOLD | RT_CFM_ITALIC | RT_CFM_UNDERLINE | RT_CFM_STRIKEOUT | 0x30000;
    EXPECT_EQ(effectMask, cf.dwMask & effectMask);
    EXPECT_EQ(0u, cf.dwEffects & (RT_CFE_BOLD | RT_CFE_UNDERLINE));

    const struct {
        int style;
        bool under, strike, super, sub;
        DWORD effects;
    } cases[] = {
        {kItalic, false, false, false, false, RT_CFE_ITALIC},
        {kBold, true, false, false, false, RT_CFE_BOLD | RT_CFE_UNDERLINE},
        {kBoldItalic, false, true, false, false, RT_CFE_BOLD | RT_CFE_ITALIC | RT_CFE_STRIKEOUT},
        {kRegular, false, false, true, false, RT_CFE_SUPERSCRIPT},
        {kRegular, false, false, false, true, RT_CFE_SUBSCRIPT},
    };
    for (const auto& c : cases) {
        FontPage q = PageOf(0, 0);
        q.nStyle = c.style;
        q.bUnderline = c.under;
        q.bStrikeout = c.strike;
        q.bSuperscript = c.super;
        q.bSubscript = c.sub;
        const RichCharFormat r = FontPageResult(q).cf;
        EXPECT_EQ(c.effects, r.dwEffects) << c.style << c.under << c.strike << c.super << c.sub;
        EXPECT_EQ(effectMask, r.dwMask) << "mixed input, nothing chosen: no face, size or colour";
    }
}

TEST(FontPage, FaceSizeAndColoursEnterTheResultWhenKnownOrChosen)
{
    FontInput in;
    in.cf.dwMask = RT_CFM_FACE | RT_CFM_SIZE | RT_CFM_COLOR | RT_CFM_BACKCOLOR;
    in.cf.dwEffects = RT_CFE_AUTOCOLOR | RT_CFE_AUTOBACKCOLOR;
    in.cf.strFace = "Arial";
    in.cf.yHeight = 180;
    FontPage p = FontPageFrom(in, kWindow, kWindowText);
    RichCharFormat cf = FontPageResult(p).cf;
    // Untouched automatic colours stay automatic, not the system colours.
    EXPECT_NE(0u, cf.dwMask & RT_CFM_COLOR);
    EXPECT_NE(0u, cf.dwEffects & RT_CFE_AUTOCOLOR);
    EXPECT_NE(0u, cf.dwEffects & RT_CFE_AUTOBACKCOLOR);
    EXPECT_EQ(CString("Arial"), cf.strFace);
    EXPECT_EQ(180, cf.yHeight);

    // Colours chosen in the pickers: a colour, then the default box.
    FontPage::Choose(p.text, false, 0x00FF00);
    FontPage::Choose(p.back, false, 0x00FFFF);
    cf = FontPageResult(p).cf;
    EXPECT_EQ(0u, cf.dwEffects & (RT_CFE_AUTOCOLOR | RT_CFE_AUTOBACKCOLOR));
    EXPECT_EQ(0x00FF00u, cf.crTextColor);
    EXPECT_EQ(0x00FFFFu, cf.crBackColor);
    FontPage::Choose(p.back, true, 0);
    EXPECT_NE(0u, FontPageResult(p).cf.dwEffects & RT_CFE_AUTOBACKCOLOR);

    // A mixed selection: only what the user chose.
    in.cf.dwMask = 0;
    FontPage mixed = FontPageFrom(in, kWindow, kWindowText);
    FontResult r = FontPageResult(mixed);
    EXPECT_EQ(0u, r.cf.dwMask & (RT_CFM_FACE | RT_CFM_SIZE | RT_CFM_COLOR | RT_CFM_BACKCOLOR));
    EXPECT_FALSE(r.bSpacing);
    mixed.ChooseFace("宋体");
    mixed.ChooseSize(14);
    mixed.ChooseSpacing(300);
    r = FontPageResult(mixed);
    EXPECT_EQ(CString("宋体"), r.cf.strFace);
    EXPECT_EQ(280, r.cf.yHeight);
    EXPECT_TRUE(r.bSpacing);
    EXPECT_EQ(255 * 20, r.sSpacing);
}

TEST(ParaPage, ShowsTheFormat)
{
    const struct {
        WORD align, numbering;
        DWORD mask;
        BYTE rule;
        LONG spacing;
        int alignIndex, bulletIndex, ruleIndex, value;
        bool editable;
    } cases[] = {
        {1, 0, RT_PFM_LINESPACING, 0, 0, 0, 0, 0, 0, false},
        {3, 1, RT_PFM_LINESPACING, 1, 0, 1, 1, 1, 0, false},
        {2, 2, RT_PFM_LINESPACING, 2, 0, 2, 2, 2, 0, false},
        {0, 7, RT_PFM_LINESPACING, 4, 360, 0, 0, 3, 18, true},
        {1, 0, RT_PFM_LINESPACING, 3, 200, 0, 0, 3, 10, true},
        {1, 0, 0, 4, 360, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        RichParaFormat pf;
        pf.dwMask = c.mask;
        pf.wAlignment = c.align;
        pf.wNumbering = c.numbering;
        pf.bLineSpacingRule = c.rule;
        pf.dyLineSpacing = c.spacing;
        const ParaPage p = ParaPageFrom(pf);
        EXPECT_EQ(c.alignIndex, p.nAlign) << c.align;
        EXPECT_EQ(c.bulletIndex, p.nBullet) << c.numbering;
        EXPECT_EQ(c.ruleIndex, p.nLineRule) << int(c.rule);
        EXPECT_EQ(c.value, p.nLineValue) << int(c.rule);
        EXPECT_EQ(c.editable, p.bLineValueEditable) << int(c.rule);
    }
    RichParaFormat pf;
    pf.dwMask = RT_PFM_SPACEBEFORE | RT_PFM_SPACEAFTER;
    pf.dySpaceBefore = 120;
    pf.dySpaceAfter = 60;
    const ParaPage p = ParaPageFrom(pf);
    EXPECT_EQ(120, p.nSpaceBefore);
    EXPECT_EQ(60, p.nSpaceAfter);
}

TEST(ParaPage, ChoosingFixedSpacingShowsTwelveOrTheRecordsValue)
{
    RichParaFormat pf;
    pf.dwMask = RT_PFM_LINESPACING;
    pf.bLineSpacingRule = 0;
    pf.dyLineSpacing = 480;
    ParaPage p = ParaPageFrom(pf);
    p.ChooseLineRule(3);
    EXPECT_TRUE(p.bLineValueEditable);
    EXPECT_EQ(12, p.nLineValue);
    p.ChooseLineRule(1);
    EXPECT_FALSE(p.bLineValueEditable);

    pf.bLineSpacingRule = 4;
    p = ParaPageFrom(pf);
    p.ChooseLineRule(0);
    p.ChooseLineRule(3);
    EXPECT_EQ(24, p.nLineValue);
}

TEST(ParaPage, Result)
{
    const struct {
        int align, bullet, rule, value;
        WORD wAlign, wNumbering;
        BYTE bRule;
        LONG dyLine;
    } cases[] = {
        {0, 0, 0, 0, 1, 0, 0, 0},
        {1, 1, 1, 5, 3, 1, 1, 0},
        {2, 2, 2, 5, 2, 2, 2, 0},
        {0, 0, 3, 15, 1, 0, 4, 300},
    };
    for (const auto& c : cases) {
        ParaPage p;
        p.nAlign = c.align;
        p.nBullet = c.bullet;
        p.nLineRule = c.rule;
        p.nLineValue = c.value;
        p.nSpaceBefore = 100;
        p.nSpaceAfter = 40;
        const RichParaFormat pf = ParaPageResult(p);
        EXPECT_EQ(RT_PFM_ALIGNMENT | RT_PFM_NUMBERING | RT_PFM_LINESPACING | RT_PFM_SPACEBEFORE |
                      RT_PFM_SPACEAFTER,
                  pf.dwMask);
        EXPECT_EQ(c.wAlign, pf.wAlignment);
        EXPECT_EQ(c.wNumbering, pf.wNumbering);
        EXPECT_EQ(c.bRule, pf.bLineSpacingRule);
        EXPECT_EQ(c.dyLine, pf.dyLineSpacing);
        EXPECT_EQ(100, pf.dySpaceBefore);     // twips as typed
        EXPECT_EQ(40, pf.dySpaceAfter);
    }
}

}  // namespace
