// The format toolbar's buttons applied to a selection of a rich-text document
// through the editor's formatting operations, formats read back.
#include "cells/FormatToolBarModel.h"
#include "cells/RichFormatOps.h"
#include "cells/RichTextHost.h"

#include <gtest/gtest.h>

#include <memory>

using namespace formatbar;
using namespace richtext;

namespace {

struct Doc {
    std::unique_ptr<CRichTextHostBase> host{NewPlatformRichTextHost()};
    CRichFormatOps ops{host.get()};
    Doc()
    {
        host->Init();
        host->SetRTF("{\\rtf1 abcdef\\par ghij}");
        host->SetSel(1, 4);
    }
    RichCharFormat Char()
    {
        RichCharFormat cf;
        host->GetCharFormat(cf);
        return cf;
    }
    RichParaFormat Para()
    {
        RichParaFormat pf;
        pf.dwMask = RT_PFM_ALIGNMENT | RT_PFM_NUMBERING | RT_PFM_STARTINDENT;
        host->GetParaFormat(pf);
        return pf;
    }
};

TEST(FormatToolBarActions, EffectButtonsSwitchTheSelectionsEffects)
{
    const struct {
        UINT id;
        DWORD effect;
    } cases[] = {{ID_BOLD, RT_CFE_BOLD},           {ID_ITALIC, RT_CFE_ITALIC},
                 {ID_UNDERLINE, RT_CFE_UNDERLINE}, {ID_STRIKEOUT, RT_CFE_STRIKEOUT},
                 {ID_SUPERSCRIPT, RT_CFE_SUPERSCRIPT}, {ID_SUBSCRIPT, RT_CFE_SUBSCRIPT}};
    for (const auto& c : cases) {
        Doc d;
        ASSERT_TRUE(ApplyButton(c.id, true, d.ops));
        EXPECT_NE(0u, d.Char().dwEffects & c.effect) << c.id;
        ASSERT_TRUE(ApplyButton(c.id, false, d.ops));
        EXPECT_EQ(0u, d.Char().dwEffects & c.effect) << c.id;
    }
    Doc d;
    EXPECT_FALSE(ApplyButton(ID_FONTNAME, true, d.ops));
    EXPECT_FALSE(ApplyButton(12345, true, d.ops));
}

TEST(FormatToolBarActions, ParagraphButtonsAlignIndentAndNumber)
{
    Doc d;
    ApplyButton(ID_CENTER, true, d.ops);
    EXPECT_EQ(3, d.Para().wAlignment);
    ApplyButton(ID_ALIGNRIGHT, true, d.ops);
    EXPECT_EQ(2, d.Para().wAlignment);
    ApplyButton(ID_ALIGNLEFT, true, d.ops);
    EXPECT_EQ(1, d.Para().wAlignment);

    ApplyButton(ID_BULLETS, true, d.ops);
    EXPECT_EQ(1, d.Para().wNumbering);
    ApplyButton(ID_NUMBERING, true, d.ops);         // numbering takes over from bullets
    EXPECT_EQ(2, d.Para().wNumbering);
    ApplyButton(ID_NUMBERING, false, d.ops);
    EXPECT_EQ(0, d.Para().wNumbering);

    // Without tab stops of its own the paragraph steps by 320 twips.
    ApplyButton(ID_INDENT, false, d.ops);
    EXPECT_EQ(320, d.Para().dxStartIndent);
    ApplyButton(ID_INDENT, false, d.ops);
    EXPECT_EQ(640, d.Para().dxStartIndent);
    ApplyButton(ID_OUTDENT, false, d.ops);
    ApplyButton(ID_OUTDENT, false, d.ops);
    EXPECT_EQ(0, d.Para().dxStartIndent);
    ApplyButton(ID_OUTDENT, false, d.ops);
    EXPECT_EQ(0, d.Para().dxStartIndent);

    RichParaFormat tabs;
    tabs.dwMask = RT_PFM_TABSTOPS;
    tabs.cTabCount = 2;
    tabs.rgxTabs[0] = 320;
    tabs.rgxTabs[1] = 640;
    d.host->SetParaFormat(tabs);
    ApplyButton(ID_INDENT, false, d.ops);
    EXPECT_EQ(320, d.Para().dxStartIndent);
    ApplyButton(ID_INDENT, false, d.ops);
    EXPECT_EQ(640, d.Para().dxStartIndent);
    ApplyButton(ID_INDENT, false, d.ops);           // past the last stop: stays
    EXPECT_EQ(640, d.Para().dxStartIndent);
    ApplyButton(ID_OUTDENT, false, d.ops);
    EXPECT_EQ(320, d.Para().dxStartIndent);
}

TEST(FormatToolBarActions, ColoursFacesAndSizesReachTheSelection)
{
    Doc d;
    ApplyColour(ID_TEXTCOLOR, 0x0000FF, d.ops);
    RichCharFormat cf = d.Char();
    EXPECT_EQ(0x0000FFu, cf.crTextColor);
    EXPECT_EQ(0u, cf.dwEffects & RT_CFE_AUTOCOLOR);

    ApplyColour(ID_BACKCOLOR, 0x00FFFF, d.ops);
    cf = d.Char();
    EXPECT_EQ(0x00FFFFu, cf.crBackColor);
    EXPECT_EQ(0u, cf.dwEffects & RT_CFE_AUTOBACKCOLOR);
    // "无" on the back colour: automatic background.
    ApplyColour(ID_BACKCOLOR, kNoBackColour, d.ops);
    EXPECT_NE(0u, d.Char().dwEffects & RT_CFE_AUTOBACKCOLOR);

    d.ops.SetFontName("宋体");
    d.ops.SetFontSize(16);
    cf = d.Char();
    EXPECT_EQ(CString("宋体"), cf.strFace);
    EXPECT_EQ(320, cf.yHeight);
    // A size of 0 (nothing selected in the box) and an empty face change nothing.
    d.ops.SetFontSize(0);
    d.ops.SetFontName("");
    cf = d.Char();
    EXPECT_EQ(320, cf.yHeight);
    EXPECT_EQ(CString("宋体"), cf.strFace);

    CRichFormatOps none(nullptr);                  // no back end: nothing happens
    none.SetBold(true);
    none.Indent();
}

}  // namespace
