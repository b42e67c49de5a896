// Drawing into memory bitmaps, checked pixel by pixel: the rules hold on both
// builds (the host's stand-in paints the same pixels the system does for these
// operations).
#include "platform/DC.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

// A memory DC drawing into a 32-bit bitmap filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = kWhite)
    {
        std::vector<COLORREF> pixels(static_cast<size_t>(width) * height, background);
        ok = dc.CreateCompatibleDC(nullptr) && bitmap.CreateFromPixels(width, height, pixels.data());
        old = dc.SelectObject(&bitmap);
    }
    ~Canvas() { dc.SelectObject(old); }
    bool ok = false;
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST(DCTest, FillsCoverTheRectangleButNotItsRightAndBottomEdges)
{
    Canvas c(20, 20);
    ASSERT_TRUE(c.ok);
    c.dc.FillSolidRect(2, 3, 4, 5, kRed);
    EXPECT_EQ(c.dc.GetPixel(2, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(5, 7), kRed);
    EXPECT_EQ(c.dc.GetPixel(6, 7), kWhite);
    EXPECT_EQ(c.dc.GetPixel(5, 8), kWhite);
    EXPECT_EQ(c.dc.GetBkColor(), kRed);  // FillSolidRect leaves the background colour set

    CBrush brush(kBlue);
    CRect r(10, 10, 12, 11);
    c.dc.FillRect(&r, &brush);
    EXPECT_EQ(c.dc.GetPixel(11, 10), kBlue);
    EXPECT_EQ(c.dc.GetPixel(12, 10), kWhite);
    EXPECT_EQ(c.dc.GetPixel(10, 11), kWhite);
}

TEST(DCTest, RectangleHasAPenOutlineAndABrushInside)
{
    Canvas c(20, 20);
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kGreen);
    CPen* oldPen = c.dc.SelectObject(&pen);
    CBrush* oldBrush = c.dc.SelectObject(&brush);
    c.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kBlue);
    EXPECT_EQ(c.dc.GetPixel(7, 5), kBlue);
    EXPECT_EQ(c.dc.GetPixel(7, 2), kBlue);
    EXPECT_EQ(c.dc.GetPixel(3, 3), kGreen);
    EXPECT_EQ(c.dc.GetPixel(6, 4), kGreen);
    EXPECT_EQ(c.dc.GetPixel(8, 6), kWhite);
    c.dc.SelectObject(oldPen);
    c.dc.SelectObject(oldBrush);
}

TEST(DCTest, LinesStopBeforeTheirEndPoint)
{
    struct Case {
        int x0, y0, x1, y1;
        POINT first, last, after;
    };
    const Case cases[] = {
        {1, 1, 8, 1, {1, 1}, {7, 1}, {8, 1}},   // horizontal
        {3, 9, 3, 2, {3, 9}, {3, 3}, {3, 2}},   // vertical, upwards
        {0, 0, 5, 5, {0, 0}, {4, 4}, {5, 5}},   // diagonal
    };
    for (const Case& k : cases) {
        Canvas c(12, 12);
        CPen pen(PS_SOLID, 1, kRed);
        CPen* old = c.dc.SelectObject(&pen);
        c.dc.MoveTo(k.x0, k.y0);
        c.dc.LineTo(k.x1, k.y1);
        EXPECT_EQ(c.dc.GetPixel(k.first), kRed);
        EXPECT_EQ(c.dc.GetPixel(k.last), kRed);
        EXPECT_EQ(c.dc.GetPixel(k.after), kWhite);
        EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(k.x1, k.y1));
        c.dc.SelectObject(old);
    }
}

TEST(DCTest, StyledPensLeaveGapsThatOpaqueModeFills)
{
    for (int style : {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT}) {
        for (int mode : {TRANSPARENT, OPAQUE}) {
            Canvas c(80, 3);
            CPen pen(style, 1, kBlack);
            CPen* old = c.dc.SelectObject(&pen);
            c.dc.SetBkMode(mode);
            c.dc.SetBkColor(kRed);
            c.dc.MoveTo(0, 1);
            c.dc.LineTo(80, 1);
            int on = 0, gap = 0, other = 0;
            for (int x = 0; x < 80; ++x) {
                COLORREF p = c.dc.GetPixel(x, 1);
                if (p == kBlack)
                    ++on;
                else if (p == (mode == OPAQUE ? kRed : kWhite))
                    ++gap;
                else
                    ++other;
            }
            EXPECT_GT(on, 10) << "style " << style;
            EXPECT_GT(gap, 5) << "style " << style << " mode " << mode;
            EXPECT_EQ(other, 0) << "style " << style << " mode " << mode;
            c.dc.SelectObject(old);
        }
    }
}

TEST(DCTest, PixelsAreSetAndReadInsideTheBitmapOnly)
{
    Canvas c(10, 10);
    EXPECT_EQ(c.dc.SetPixel(4, 5, kGreen), kGreen);
    EXPECT_EQ(c.dc.GetPixel(4, 5), kGreen);
    EXPECT_EQ(c.dc.GetPixel(10, 5), CLR_INVALID);
    EXPECT_EQ(c.dc.GetPixel(-1, 0), CLR_INVALID);
    c.dc.SetPixel(20, 20, kGreen);  // outside: nothing happens
    EXPECT_EQ(c.dc.GetPixel(9, 9), kWhite);
}

TEST(DCTest, ClippingAndOriginsMoveAndLimitDrawing)
{
    Canvas c(20, 20);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 20, 20));

    c.dc.SetWindowOrg(10, 10);  // logical (10, 10) is the bitmap's (0, 0)
    c.dc.FillSolidRect(10, 10, 2, 2, kRed);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kRed);
    c.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kWhite);

    c.dc.IntersectClipRect(5, 5, 10, 10);
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    c.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(c.dc.GetPixel(5, 5), kBlue);
    EXPECT_EQ(c.dc.GetPixel(9, 9), kBlue);
    EXPECT_FALSE(c.dc.PtVisible(12, 12));
    EXPECT_TRUE(c.dc.PtVisible(6, 6));
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kWhite);
    EXPECT_EQ(c.dc.GetPixel(4, 5), kWhite);
}

TEST(DCTest, SavedStatesComeBack)
{
    Canvas c(4, 4);
    c.dc.SetTextColor(kRed);
    c.dc.SetBkMode(TRANSPARENT);
    int level = c.dc.SaveDC();
    ASSERT_GT(level, 0);
    c.dc.SetTextColor(kBlue);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SaveDC();
    c.dc.SetTextColor(kGreen);
    EXPECT_TRUE(c.dc.RestoreDC(level));  // back two levels at once
    EXPECT_EQ(c.dc.GetTextColor(), kRed);
    EXPECT_EQ(c.dc.GetBkMode(), TRANSPARENT);
    EXPECT_FALSE(c.dc.RestoreDC(-1));    // nothing saved any more
}

TEST(DCTest, BlockTransfersCopyStretchAndInvert)
{
    Canvas src(4, 4, kBlue);
    src.dc.SetPixel(0, 0, kRed);
    Canvas dst(12, 12);
    dst.dc.BitBlt(2, 3, 4, 4, &src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(2, 3), kRed);
    EXPECT_EQ(dst.dc.GetPixel(5, 6), kBlue);
    EXPECT_EQ(dst.dc.GetPixel(6, 6), kWhite);

    dst.dc.StretchBlt(0, 8, 8, 4, &src.dc, 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(0, 8), kRed);
    EXPECT_EQ(dst.dc.GetPixel(1, 9), kRed);   // one source pixel became 2 x 2
    EXPECT_EQ(dst.dc.GetPixel(2, 8), kBlue);

    CRect r(2, 3, 4, 4);
    dst.dc.InvertRect(&r);
    EXPECT_EQ(dst.dc.GetPixel(2, 3), RGB(0, 255, 255));
    EXPECT_EQ(dst.dc.GetPixel(3, 3), RGB(255, 255, 0));
    dst.dc.PatBlt(0, 0, 1, 1, BLACKNESS);
    EXPECT_EQ(dst.dc.GetPixel(0, 0), kBlack);
}

TEST(DCTest, FramesAndThreeDimensionalEdgesUseTheirColours)
{
    Canvas c(12, 12);
    c.dc.Draw3dRect(1, 1, 8, 6, kRed, kBlue);
    EXPECT_EQ(c.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(c.dc.GetPixel(7, 1), kRed);
    EXPECT_EQ(c.dc.GetPixel(8, 1), kBlue);  // the top-right corner belongs to the right edge
    EXPECT_EQ(c.dc.GetPixel(8, 6), kBlue);
    EXPECT_EQ(c.dc.GetPixel(4, 3), kWhite);
    CBrush brush(kGreen);
    CRect r(0, 9, 5, 12);
    c.dc.FrameRect(&r, &brush);
    EXPECT_EQ(c.dc.GetPixel(0, 9), kGreen);
    EXPECT_EQ(c.dc.GetPixel(4, 11), kGreen);
    EXPECT_EQ(c.dc.GetPixel(2, 10), kWhite);
}

TEST(DCTest, AMemoryDCsOwnCompatibleBitmapIsMonochrome)
{
    // The classic trap: a bitmap made compatible with a fresh memory DC gets
    // that DC's 1 x 1 monochrome format, not the screen's colours.
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap mono;
    ASSERT_TRUE(mono.CreateCompatibleBitmap(&memory, 8, 8));
    BITMAP info = {};
    ASSERT_GT(mono.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(mono.GetSize(), CSize(8, 8));

    // Drawn into, it keeps only black and white; copied onto colour, white
    // becomes the target's background colour and black its text colour.
    CBitmap* old = memory.SelectObject(&mono);
    memory.FillSolidRect(0, 0, 8, 8, kWhite);
    memory.FillSolidRect(0, 0, 4, 8, kBlack);
    Canvas target(8, 8);
    target.dc.SetTextColor(kRed);
    target.dc.SetBkColor(kBlue);
    target.dc.BitBlt(0, 0, 8, 8, &memory, 0, 0, SRCCOPY);
    EXPECT_EQ(target.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(target.dc.GetPixel(6, 1), kBlue);
    memory.SelectObject(old);
}

TEST(DCTest, ObjectsSelectedAreTheCurrentOnesUntilRestored)
{
    Canvas c(4, 4);
    CPen pen(PS_SOLID, 3, kRed);
    CPen* old = c.dc.SelectObject(&pen);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, pen.m_hObject);
    LOGPEN lp = {};
    EXPECT_GT(pen.GetLogPen(&lp), 0);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, kRed);
    c.dc.SelectObject(old);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, old->m_hObject);
    EXPECT_NE(c.dc.SelectStockObject(NULL_BRUSH), nullptr);
}

// ------------------------------------------------------------------ text

class TextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LOGFONT lf = {};
        lf.lfHeight = -16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        old = canvas.dc.SelectObject(&font);
        ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
        lineHeight = tm.tmHeight;
    }
    void TearDown() override { canvas.dc.SelectObject(old); }
    int Height(const char* text, int width, UINT format, CRect* out = nullptr)
    {
        CRect r(0, 0, width, 0);
        int h = canvas.dc.DrawText(text, -1, &r, format | DT_CALCRECT);
        if (out)
            *out = r;
        return h;
    }
    Canvas canvas{200, 100};
    CFont font;
    CFont* old = nullptr;
    TEXTMETRIC tm = {};
    int lineHeight = 0;
};

TEST_F(TextTest, ExtentsGrowWithTheTextAndTwoByteCharactersAreWider)
{
    EXPECT_EQ(canvas.dc.GetTextExtent("", 0).cx, 0);
    CSize a = canvas.dc.GetTextExtent("a", 1);
    CSize aa = canvas.dc.GetTextExtent("aa", 2);
    CSize han = canvas.dc.GetTextExtent("中", -1);
    EXPECT_GT(a.cx, 0);
    EXPECT_EQ(aa.cx, 2 * a.cx);
    EXPECT_GT(han.cx, a.cx);
    EXPECT_EQ(a.cy, lineHeight);
    EXPECT_EQ(canvas.dc.GetTextExtent(CString("中文")).cx, 2 * han.cx);
}

TEST_F(TextTest, LinesAreCountedTheWayTheSystemCountsThem)
{
    EXPECT_EQ(Height("a\nb", 100, 0), 2 * lineHeight);
    EXPECT_EQ(Height("a\r\n\r\nb", 100, 0), 3 * lineHeight);
    EXPECT_EQ(Height("a\nb", 100, DT_SINGLELINE), lineHeight);

    // A word wider than the line stays whole, unless the edit-control rule cuts it.
    CRect r;
    EXPECT_EQ(Height("abcdefghijklmnopqrst", 30, DT_WORDBREAK, &r), lineHeight);
    EXPECT_GT(r.Width(), 30);
    EXPECT_GT(Height("abcdefghijklmnopqrst", 30, DT_WORDBREAK | DT_EDITCONTROL, &r), 2 * lineHeight);
    EXPECT_LE(r.Width(), 30);
    // Words wrap at blanks.
    EXPECT_EQ(Height("abc def ghi", canvas.dc.GetTextExtent("abc d", 5).cx, DT_WORDBREAK), 3 * lineHeight);
}

TEST_F(TextTest, PrefixesAndEllipsesChangeWhatIsMeasured)
{
    CRect plain, prefixed, raw;
    Height("a&b", 500, DT_SINGLELINE | DT_NOPREFIX, &raw);
    Height("ab", 500, DT_SINGLELINE, &plain);
    Height("&ab", 500, DT_SINGLELINE, &prefixed);
    EXPECT_EQ(prefixed.Width(), plain.Width());
    EXPECT_GT(raw.Width(), plain.Width());
    CRect amp;
    Height("a&&b", 500, DT_SINGLELINE, &amp);
    EXPECT_EQ(amp.Width(), raw.Width());

    CRect cut;
    int narrow = canvas.dc.GetTextExtent("abcdefgh", 8).cx / 2;
    Height("abcdefghabcdefgh", narrow, DT_SINGLELINE | DT_END_ELLIPSIS, &cut);
    EXPECT_LE(cut.Width(), narrow);
    EXPECT_GT(cut.Width(), 0);
}

TEST_F(TextTest, CentredAndBottomTextAnswerTheOffsetOfTheirBottom)
{
    CRect r(0, 0, 100, 50);
    // The top is the middle less half a line, each halved on its own.
    EXPECT_EQ(canvas.dc.DrawText("abc", -1, &r, DT_SINGLELINE | DT_VCENTER), 50 / 2 - lineHeight / 2 + lineHeight);
    CRect odd(0, 0, 100, 49);
    EXPECT_EQ(canvas.dc.DrawText("abc", -1, &odd, DT_SINGLELINE | DT_VCENTER), 49 / 2 - lineHeight / 2 + lineHeight);
    EXPECT_EQ(canvas.dc.DrawText("abc", -1, &r, DT_SINGLELINE | DT_BOTTOM), 50);
    EXPECT_EQ(canvas.dc.DrawText("abc", -1, &r, DT_SINGLELINE), lineHeight);
    EXPECT_EQ(canvas.dc.DrawText("", -1, &r, DT_SINGLELINE), lineHeight);
}

}  // namespace
