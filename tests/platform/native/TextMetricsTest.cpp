// The host build's fixed text metrics and DrawText layout, exactly.
#include "platform/DC.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Headless::DrawKind;

class TextMetricsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        std::vector<COLORREF> white(200 * 100, RGB(255, 255, 255));
        ASSERT_TRUE(bitmap.CreateFromPixels(200, 100, white.data()));
        oldBitmap = dc.SelectObject(&bitmap);
        Use(-12);
    }
    void TearDown() override
    {
        dc.SelectObject(oldFont);
        dc.SelectObject(oldBitmap);
    }
    void Use(LONG height)
    {
        if (oldFont)
            dc.SelectObject(oldFont);
        font.DeleteObject();
        LOGFONT lf = {};
        lf.lfHeight = height;
        lf.lfCharSet = GB2312_CHARSET;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        oldFont = dc.SelectObject(&font);
    }
    // The lines DrawText shows for the text in a rectangle of the given width.
    std::string Shown(const char* text, int width, UINT format, CRect* textRect = nullptr)
    {
        Headless::ClearDrawLog();
        CRect r(0, 0, width, 100);
        dc.DrawText(text, -1, &r, format);
        const auto& log = Headless::DrawLog();
        if (log.empty() || log.back().kind != DrawKind::DrawText)
            return "<nothing>";
        if (textRect)
            *textRect = log.back().textRect;
        return log.back().shown;
    }
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    CFont font;
    CFont* oldFont = nullptr;
};

TEST_F(TextMetricsTest, WidthsFollowTheFontHeight)
{
    struct Case {
        LONG lfHeight;
        const char* text;
        int cx, cy;
    };
    const Case cases[] = {
        {-12, "a", 6, 12},     {12, "ab", 12, 12},     {-12, "中文", 24, 12}, {-12, "中a", 18, 12},
        {0, "abc", 24, 16},    {-15, "abc", 24, 15},   {-12, "", 0, 12},      {-12, "\xD6", 6, 12},
        {-1, "abc", 3, 1},
    };
    for (const Case& c : cases) {
        Use(c.lfHeight);
        CSize size = dc.GetTextExtent(c.text, -1);
        EXPECT_EQ(size, CSize(c.cx, c.cy)) << c.lfHeight << " '" << c.text << "'";
    }
    Use(-15);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 15);
    EXPECT_EQ(tm.tmAscent, 12);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    EXPECT_EQ(tm.tmOverhang, 0);
    EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET);
}

TEST_F(TextMetricsTest, DrawTextBreaksWrapsAndShortensLines)
{
    struct Case {
        const char* text;
        int width;
        UINT format;
        const char* shown;
    };
    const Case cases[] = {
        {"abc def ghi", 30, DT_WORDBREAK, "abc\ndef\nghi"},
        {"abc def ghi", 42, DT_WORDBREAK, "abc def\nghi"},
        {"abc   def", 24, DT_WORDBREAK, "abc\ndef"},            // blanks at a break go
        {"  abc", 100, DT_WORDBREAK, "  abc"},                  // leading blanks stay
        {"abcdefgh", 20, DT_WORDBREAK, "abcdefgh"},             // a long word stays whole ...
        {"abcdefgh", 20, DT_WORDBREAK | DT_EDITCONTROL, "abc\ndef\ngh"},  // ... unless cut
        {"中文表格", 30, DT_WORDBREAK, "中文\n表格"},              // two-byte characters break anywhere
        {"ab中文", 30, DT_WORDBREAK, "ab中\n文"},
        {"a\r\nb\nc\rd", 100, 0, "a\nb\nc\nd"},
        {"a\nb", 100, DT_SINGLELINE, "a\nb"},                 // one line: the line feed is a character
        {"&File", 100, DT_SINGLELINE, "File"},
        {"A&&B", 100, DT_SINGLELINE, "A&B"},
        {"&File", 100, DT_SINGLELINE | DT_NOPREFIX, "&File"},
        {"abcdefghij", 40, DT_SINGLELINE | DT_END_ELLIPSIS, "abc..."},
        {"abc", 40, DT_SINGLELINE | DT_END_ELLIPSIS, "abc"},
        {"中文表格数据", 40, DT_SINGLELINE | DT_END_ELLIPSIS, "中..."},
        {"", 40, 0, "<nothing>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(c.text, c.width, c.format), c.shown) << "'" << c.text << "' in " << c.width;
}

TEST_F(TextMetricsTest, DrawTextPlacesLinesByAlignment)
{
    struct Case {
        UINT format;
        CRect textRect;  // in a 100 x 40 rectangle at (0, 0); "abcd" is 24 x 12
    };
    const Case cases[] = {
        {DT_SINGLELINE, CRect(0, 0, 24, 12)},
        {DT_SINGLELINE | DT_RIGHT, CRect(76, 0, 100, 12)},
        {DT_SINGLELINE | DT_CENTER, CRect(38, 0, 62, 12)},
        {DT_SINGLELINE | DT_VCENTER, CRect(0, 14, 24, 26)},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, CRect(76, 28, 100, 40)},
        {DT_VCENTER, CRect(0, 0, 24, 12)},  // vertical alignment needs a single line
    };
    for (const Case& c : cases) {
        Headless::ClearDrawLog();
        CRect r(0, 0, 100, 40);
        dc.DrawText("abcd", -1, &r, c.format);
        ASSERT_EQ(Headless::DrawLog().size(), 1u);
        EXPECT_EQ(CRect(Headless::DrawLog()[0].textRect), c.textRect) << c.format;
        EXPECT_EQ(CRect(Headless::DrawLog()[0].rect), CRect(0, 0, 100, 40));
    }
}

TEST_F(TextMetricsTest, MeasuringGivesTheRectangleTheTextNeeds)
{
    struct Case {
        const char* text;
        int width;
        UINT format;
        CRect result;
        int answer;
    };
    const Case cases[] = {
        {"abc def ghi", 30, DT_WORDBREAK, CRect(0, 0, 18, 36), 36},
        {"abcdefgh", 20, DT_WORDBREAK, CRect(0, 0, 48, 12), 12},
        {"a\nbb", 100, 0, CRect(0, 0, 12, 24), 24},
        {"abcdefghij", 40, DT_SINGLELINE | DT_END_ELLIPSIS, CRect(0, 0, 36, 12), 12},
        {"", 40, 0, CRect(0, 0, 0, 0), 12},
        {"", 40, DT_SINGLELINE, CRect(0, 0, 0, 12), 12},
    };
    for (const Case& c : cases) {
        Headless::ClearDrawLog();
        CRect r(0, 0, c.width, 5);
        EXPECT_EQ(dc.DrawText(c.text, -1, &r, c.format | DT_CALCRECT), c.answer) << c.text;
        EXPECT_EQ(r, c.result) << "'" << c.text << "'";
        EXPECT_TRUE(Headless::DrawLog().empty());  // measuring draws nothing
    }
}

TEST_F(TextMetricsTest, CountsAreBytesAndBoundTheText)
{
    EXPECT_EQ(dc.GetTextExtent("abcdef", 2).cx, 12);
    CRect r(0, 0, 100, 20);
    EXPECT_EQ(Shown("abcdef", 100, DT_SINGLELINE), "abcdef");
    Headless::ClearDrawLog();
    dc.DrawText("abcdef", 3, &r, DT_SINGLELINE);
    EXPECT_EQ(Headless::DrawLog().back().shown, "abc");
    EXPECT_EQ(dc.GetTextExtent(nullptr, 5).cx, 0);
    EXPECT_EQ(dc.DrawText(nullptr, 0, &r, 0), 12);
}

}  // namespace
