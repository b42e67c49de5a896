// The portable rich-text document: reading RTF from outside, writing it back,
// and the editing messages the rich-text operations send.
#include "cells/RichTextDocument.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"

#include <gtest/gtest.h>

#include <string>

using namespace richtext;

namespace {

std::string Ansi(const std::u16string& s)
{
    return cp936::FromUtf16(s);
}

TEST(RichTextDocument, ReadsFormatsColoursAndChineseText)
{
    CRichTextDocument doc;
    doc.LoadRtf("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset134 \\'cb\\'ce"
                "\\'cc\\'e5;}}{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\qc\\f0\\fs24\\b Bo\\b0 "
                "{\\cf1\\f1 \\'d6\\'d0\\u25991?}\\par\\pard x\\{\\}\\\\\\tab y}");
    EXPECT_EQ(std::string("Bo\xD6\xD0\xCE\xC4\rx{}\\\ty"), Ansi(doc.Text()));
    ASSERT_EQ(2u, doc.Paragraphs().size());
    EXPECT_EQ(3, doc.Paragraphs()[0].wAlignment);
    EXPECT_EQ(1, doc.Paragraphs()[1].wAlignment);
    const auto& s = doc.Styles();
    EXPECT_TRUE(s[0].dwEffects & RT_CFE_BOLD);
    EXPECT_EQ(240, s[0].yHeight);
    EXPECT_EQ("Arial", s[0].face);
    EXPECT_FALSE(s[2].dwEffects & RT_CFE_BOLD);
    EXPECT_EQ(RGB(255, 0, 0), s[2].crText);
    EXPECT_FALSE(s[2].dwEffects & RT_CFE_AUTOCOLOR);
    EXPECT_EQ("\xCB\xCE\xCC\xE5", s[2].face);
    EXPECT_TRUE(s[6].dwEffects & RT_CFE_AUTOCOLOR);      // the group ended
}

TEST(RichTextDocument, WhatItWritesReadsBackTheSame)
{
    CRichTextDocument doc;
    doc.LoadRtf("{\\rtf1{\\colortbl ;\\red0\\green128\\blue0;}\\pard\\qr\\li320\\sb40 \\b\\i\\ul\\strike A\\plain "
                "\\super 2\\nosupersub\\sub 3\\par\\pard{\\*\\pn\\pnlvlblt}\\cf1\\highlight1 \\'d6\\'d0\\u8364?}");
    const std::string rtf = doc.SaveRtf();
    CRichTextDocument again;
    again.LoadRtf(rtf);
    EXPECT_EQ(doc.Text(), again.Text());
    ASSERT_EQ(doc.Styles().size(), again.Styles().size());
    for (size_t i = 0; i < doc.Styles().size(); ++i)
        EXPECT_TRUE(doc.Styles()[i] == again.Styles()[i]) << i;
    ASSERT_EQ(2u, again.Paragraphs().size());
    EXPECT_TRUE(doc.Paragraphs()[0] == again.Paragraphs()[0]);
    EXPECT_EQ(1, again.Paragraphs()[1].wNumbering);
    EXPECT_EQ(rtf, again.SaveRtf());
    EXPECT_EQ(u"\u20AC", again.Text().substr(again.Text().size() - 1));
}

TEST(RichTextDocument, BadInputIsReadWithinItsBounds)
{
    struct Case {
        const char* name;
        std::string rtf;
        std::string text;
    } cases[] = {
        {"not rtf: plain text", "just text\r\nline", "just text\rline"},
        {"unclosed groups", "{\\rtf1 {\\b abc", "abc"},
        {"stray closing braces", "{\\rtf1 a}}}b", "a"},
        {"unknown destination dropped", "{\\rtf1 a{\\*\\unknown secret{nested}}b}", "ab"},
        {"skipped tables", "{\\rtf1{\\info{\\title T}}{\\stylesheet{s}}x}", "x"},
        {"broken hex escape", "{\\rtf1 a\\'zz b\\'4", "a b"},
        {"escape at the end", "{\\rtf1 a\\", "a"},
        {"negative and huge numbers", "{\\rtf1\\fs-5\\fs99999999999999\\cf9999 a\\u-3913?}",
         std::string("a") + cp936::FromUtf16(u"\uF0B7")},
        {"overlong control word", "{\\rtf1\\" + std::string(5000, 'x') + " a}", "a"},
        {"a lone lead byte", "{\\rtf1 \\'d6}", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRichTextDocument doc;
        doc.LoadRtf(c.rtf);
        EXPECT_EQ(c.text, Ansi(doc.Text()).substr(0, c.text.size()));
        EXPECT_EQ(doc.Styles().size(), doc.Text().size());
    }
    // Nesting far beyond the limit: the deep part is dropped, the rest read.
    CRichTextDocument deep;
    deep.LoadRtf("{\\rtf1 a" + std::string(100000, '{') + "x" + std::string(100000, '}') + "b}");
    EXPECT_EQ("ab", Ansi(deep.Text()));
    // Text beyond the length limit is cut.
    CRichTextDocument big;
    big.LoadRtf("{\\rtf1 " + std::string(CRichTextDocument::kMaxTextLength + 10, 'q') + "}");
    EXPECT_EQ(static_cast<size_t>(CRichTextDocument::kMaxTextLength), big.Text().size());
}

TEST(RichTextDocument, FormatsOfASelectionAreUniformOrMixed)
{
    CRichTextDocument doc;
    doc.LoadRtf("{\\rtf1 \\b ab\\b0 cd\\par\\qc ef}");
    RichCharFormat cf;
    doc.SetSel(0, 2);
    doc.GetCharFormat(cf);
    EXPECT_TRUE(cf.dwMask & RT_CFM_BOLD);
    EXPECT_TRUE(cf.dwEffects & RT_CFE_BOLD);
    doc.SetSel(1, 3);
    doc.GetCharFormat(cf);
    EXPECT_FALSE(cf.dwMask & RT_CFM_BOLD);
    EXPECT_TRUE(cf.dwMask & RT_CFM_SIZE);
    RichParaFormat pf;
    doc.SetSel(0, 7);
    doc.GetParaFormat(pf);
    EXPECT_FALSE(pf.dwMask & RT_PFM_ALIGNMENT);
    doc.SetSel(5, 7);                                   // the second paragraph only
    doc.GetParaFormat(pf);
    EXPECT_TRUE(pf.dwMask & RT_PFM_ALIGNMENT);
    EXPECT_EQ(3, pf.wAlignment);
    doc.SetSel(0, 5);                                   // up to and with the break: the first only
    doc.GetParaFormat(pf);
    EXPECT_EQ(1, pf.wAlignment);
    // A format set at the caret applies to what is typed there.
    doc.SetSel(7, 7);
    cf = RichCharFormat();
    cf.dwMask = RT_CFM_ITALIC;
    cf.dwEffects = RT_CFE_ITALIC;
    doc.SetCharFormat(cf, RT_SCF_SELECTION);
    doc.ReplaceSel(u"g", TRUE);
    EXPECT_TRUE(doc.Styles().back().dwEffects & RT_CFE_ITALIC);
    EXPECT_FALSE(doc.Styles()[5].dwEffects & RT_CFE_ITALIC);
}

TEST(RichTextDocument, ReplaceUndoRedoAndTheTextLimit)
{
    CRichTextDocument doc;
    doc.LoadText(u"a\r\nb");
    EXPECT_EQ(u"a\rb", doc.Text());
    EXPECT_EQ(u"a\r\nb", doc.SaveText());
    EXPECT_EQ(0, doc.Send(EM_CANUNDO, 0, 0));
    doc.SetSel(1, 2);
    doc.ReplaceSel(u"xy\nz", TRUE);                    // a new break in place of the old one
    EXPECT_EQ(u"axy\rzb", doc.Text());
    EXPECT_EQ(2u, doc.Paragraphs().size());
    EXPECT_EQ(1, doc.Send(EM_CANUNDO, 0, 0));
    doc.Send(EM_UNDO, 0, 0);
    EXPECT_EQ(u"a\rb", doc.Text());
    EXPECT_EQ(1, doc.Send(MSG_CANREDO, 0, 0));
    doc.Send(MSG_REDO, 0, 0);
    EXPECT_EQ(u"axy\rzb", doc.Text());
    doc.SetSel(0, -1);
    doc.Send(WM_CLEAR, 0, 0);
    EXPECT_EQ(u"", doc.Text());
    EXPECT_EQ(1u, doc.Paragraphs().size());
    doc.Send(EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(3, doc.Send(EM_GETLIMITTEXT, 0, 0));
    doc.ReplaceSel(u"12345", TRUE);
    EXPECT_EQ(u"123", doc.Text());
    EXPECT_EQ(0, doc.Send(MSG_AUTOURLDETECT, 1, 0));
    EXPECT_EQ(1, doc.Send(MSG_GETAUTOURLDETECT, 0, 0));
}

}  // namespace
