// The built-in skin pictures, drawn pixel by pixel.
//
// Sizes and layouts follow what each painter cuts out of its picture:
//   BUTTON            40 x 110  five 22-row faces stacked: normal, focused, pressed, hot, disabled
//   COMBOCHECKBOX     52 x 13   13 x 13 boxes at x 0, 13, 26, 39: plain, checked, highlighted,
//                               highlighted and checked
//   COMBOBOX          68 x 17   four 17-pixel frames: normal, hot, pressed, disabled; row 0 the
//   DATETIME          68 x 17   top line, row 16 the bottom line, rows 3 and 13 plain filler,
//                               the glyph in rows 6 to 11
//   FIXEDROW           8 x 24   header tile (stretched to the row height, repeated across)
//   TOPLEFTSIDE        9 x 9    corner mark, drawn at its own size over the corner fill
//   FIXEDSELROW        8 x 24   header tile of the selection's headers
//   PROCESSBG         20 x 27   progress frame: two edge columns each side, the middle repeated
//   PROCESSFG          4 x 21   progress strip, one column repeated
//   SCROLL           144 x 51   scroll-bar parts: a vertical bar's 15 x 17 parts at x 0 and a
//                               horizontal bar's 17 x 15 parts at x 60, columns first arrow,
//                               second arrow, thumb, track, one row per state (normal, hot,
//                               pressed); the 16 x 16 corner square at (128, 0)
//   PREVIEWTOOLBARBG   8 x 30   tool-bar background tile
// Whatever a painter repeats (track, thumb middle, filler rows, tile columns)
// is uniform along the direction it is repeated in.
#include "grid/SkinBitmaps.h"

#include <vector>

namespace {

struct ArtSize {
    int cx;
    int cy;
};

const ArtSize kSizes[SKIN_BITMAP_COUNT] = {
    {40, 110}, {52, 13}, {68, 17}, {68, 17}, {8, 24}, {9, 9},
    {8, 24},   {20, 27}, {4, 21},  {144, 51}, {8, 30},
};

// --- colours ---------------------------------------------------------------------

const COLORREF kFrameBlue = RGB(158, 182, 206);
const COLORREF kFrameOrange = RGB(232, 160, 70);
const COLORREF kFramePressed = RGB(200, 120, 40);
const COLORREF kFrameGrey = RGB(176, 176, 176);
const COLORREF kGlyph = RGB(77, 97, 133);
const COLORREF kGlyphGrey = RGB(160, 160, 160);
const COLORREF kCornerFill = 0xE9C4A9;    // the skinned corner cell's fill

// One look of a framed part: its frame and the two ends of its fill.
struct Look {
    COLORREF frame;
    COLORREF from;
    COLORREF to;
    COLORREF glyph;
};

const Look kNormal = {kFrameBlue, RGB(252, 253, 255), RGB(210, 224, 242), kGlyph};
const Look kFocused = {RGB(60, 110, 180), RGB(252, 253, 255), RGB(210, 224, 242), kGlyph};
const Look kHot = {kFrameOrange, RGB(255, 246, 222), RGB(255, 215, 140), kGlyph};
const Look kPressed = {kFramePressed, RGB(255, 210, 130), RGB(250, 180, 90), kGlyph};
const Look kDisabled = {kFrameGrey, RGB(244, 244, 244), RGB(226, 226, 226), kGlyphGrey};

COLORREF Blend(COLORREF a, COLORREF b, int step, int steps)
{
    if (steps <= 1)
        return a;
    auto channel = [&](int ca, int cb) { return ca + (cb - ca) * step / (steps - 1); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// --- a pixel canvas --------------------------------------------------------------------

class Canvas {
public:
    Canvas(int cx, int cy, COLORREF fill) : m_cx(cx), m_cy(cy), m_px(static_cast<size_t>(cx) * cy, fill) {}

    void Set(int x, int y, COLORREF c)
    {
        if (x >= 0 && y >= 0 && x < m_cx && y < m_cy)
            m_px[static_cast<size_t>(y) * m_cx + x] = c;
    }
    void Fill(int l, int t, int r, int b, COLORREF c)
    {
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                Set(x, y, c);
    }
    void Frame(int l, int t, int r, int b, COLORREF c)
    {
        for (int x = l; x < r; ++x) {
            Set(x, t, c);
            Set(x, b - 1, c);
        }
        for (int y = t; y < b; ++y) {
            Set(l, y, c);
            Set(r - 1, y, c);
        }
    }
    // Fill changing from top to bottom (each row one colour).
    void GradientDown(int l, int t, int r, int b, COLORREF from, COLORREF to)
    {
        for (int y = t; y < b; ++y)
            Fill(l, y, r, y + 1, Blend(from, to, y - t, b - t));
    }
    // Fill changing from left to right (each column one colour).
    void GradientAcross(int l, int t, int r, int b, COLORREF from, COLORREF to)
    {
        for (int x = l; x < r; ++x)
            Fill(x, t, x + 1, b, Blend(from, to, x - l, r - l));
    }
    // A framed part whose corners are softened by mixing frame and fill.
    void Part(int l, int t, int r, int b, const Look& look, bool across)
    {
        if (across)
            GradientAcross(l + 1, t + 1, r - 1, b - 1, look.from, look.to);
        else
            GradientDown(l + 1, t + 1, r - 1, b - 1, look.from, look.to);
        Frame(l, t, r, b, look.frame);
        const COLORREF soft = Blend(look.frame, look.from, 1, 2);
        Set(l, t, soft);
        Set(r - 1, t, soft);
        Set(l, b - 1, soft);
        Set(r - 1, b - 1, soft);
    }
    // A triangle of 1, 3, 5, 7 pixels whose apex is at (x, y), pointing up,
    // down, left or right ('u', 'd', 'l', 'r').
    void Arrow(int x, int y, char dir, COLORREF c)
    {
        for (int k = 0; k < 4; ++k) {
            for (int s = -k; s <= k; ++s) {
                switch (dir) {
                case 'u': Set(x + s, y + k, c); break;
                case 'd': Set(x + s, y - k, c); break;
                case 'l': Set(x + k, y + s, c); break;
                default: Set(x - k, y + s, c); break;
                }
            }
        }
    }

    BOOL MakeBitmap(CBitmap& bitmap) const { return bitmap.CreateFromPixels(m_cx, m_cy, m_px.data()); }

private:
    int m_cx;
    int m_cy;
    std::vector<COLORREF> m_px;
};

// --- the pictures ---------------------------------------------------------------------------

void DrawButton(Canvas& c)
{
    const Look* faces[5] = {&kNormal, &kFocused, &kPressed, &kHot, &kDisabled};
    for (int i = 0; i < 5; ++i)
        c.Part(0, i * 22, 40, (i + 1) * 22, *faces[i], false);
}

void DrawCheckBoxes(Canvas& c)
{
    for (int i = 0; i < 4; ++i) {
        const int x0 = i * 13;
        const bool checked = (i & 1) != 0;
        const bool highlighted = i >= 2;
        c.Fill(x0, 0, x0 + 13, 13, highlighted ? RGB(255, 240, 207) : RGB(255, 255, 255));
        c.Frame(x0, 0, x0 + 13, 13, RGB(28, 81, 128));
        if (!checked)
            continue;
        // The tick: down from (3, 5) to (5, 7), then up to (9, 3), three pixels thick.
        const int ys[7] = {5, 6, 7, 6, 5, 4, 3};
        for (int k = 0; k < 7; ++k)
            for (int t = 0; t < 3; ++t)
                c.Set(x0 + 3 + k, ys[k] + t, RGB(33, 33, 33));
    }
}

// Four drop-button frames, 17 x 17: the frame's colour in rows 0 and 16 and at
// both sides, one fill colour per column elsewhere, the glyph in rows 6..11.
void DrawDropButtons(Canvas& c, bool dateGlyph)
{
    const Look* looks[4] = {&kNormal, &kHot, &kPressed, &kDisabled};
    for (int i = 0; i < 4; ++i) {
        const Look& look = *looks[i];
        const int x0 = i * 17;
        c.GradientAcross(x0 + 1, 1, x0 + 16, 16, look.from, look.to);
        c.Frame(x0, 0, x0 + 17, 17, look.frame);
        c.Arrow(x0 + 8, dateGlyph ? 9 : 10, 'd', look.glyph);
        if (dateGlyph)
            c.Fill(x0 + 5, 11, x0 + 12, 12, look.glyph);
    }
}

void DrawHeaderTile(Canvas& c, COLORREF top, COLORREF bottom)
{
    c.GradientDown(0, 0, 8, 24, top, bottom);
}

void DrawCornerMark(Canvas& c)
{
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if (x + y == 8)
                c.Set(x, y, RGB(120, 145, 175));
            else if (x + y > 8)
                c.Set(x, y, RGB(167, 186, 208));
}

void DrawProgressFrame(Canvas& c)
{
    c.GradientDown(1, 1, 19, 26, RGB(255, 255, 255), RGB(226, 236, 248));
    c.Frame(0, 0, 20, 27, kFrameBlue);
    c.Set(0, 0, kCornerFill);
    c.Set(19, 0, kCornerFill);
    c.Set(0, 26, kCornerFill);
    c.Set(19, 26, kCornerFill);
}

void DrawProgressStrip(Canvas& c)
{
    c.GradientDown(0, 0, 4, 21, RGB(170, 214, 255), RGB(74, 144, 226));
}

void DrawScrollParts(Canvas& c)
{
    const Look* looks[3] = {&kNormal, &kHot, &kPressed};
    // Vertical bar: parts 15 wide, 17 high, from x 0.
    for (int s = 0; s < 3; ++s) {
        const Look& look = *looks[s];
        const int y0 = s * 17;
        c.Part(0, y0, 15, y0 + 17, look, true);
        c.Arrow(7, y0 + 6, 'u', look.glyph);
        c.Part(15, y0, 30, y0 + 17, look, true);
        c.Arrow(22, y0 + 10, 'd', look.glyph);
        // Thumb: its middle rows (3..13) are alike, so it can be repeated.
        c.GradientAcross(31, y0 + 1, 44, y0 + 16, look.from, look.to);
        c.Fill(30, y0, 31, y0 + 17, look.frame);
        c.Fill(44, y0, 45, y0 + 17, look.frame);
        c.Fill(31, y0, 44, y0 + 1, look.frame);
        c.Fill(31, y0 + 16, 44, y0 + 17, look.frame);
        // Track: one colour per column.
        c.GradientAcross(45, y0, 60, y0 + 17, RGB(236, 241, 248), RGB(248, 250, 253));
    }
    // Horizontal bar: parts 17 wide, 15 high, from x 60.
    for (int s = 0; s < 3; ++s) {
        const Look& look = *looks[s];
        const int y0 = s * 15;
        c.Part(60, y0, 77, y0 + 15, look, false);
        c.Arrow(66, y0 + 7, 'l', look.glyph);
        c.Part(77, y0, 94, y0 + 15, look, false);
        c.Arrow(87, y0 + 7, 'r', look.glyph);
        c.GradientDown(95, y0 + 1, 110, y0 + 14, look.from, look.to);
        c.Fill(94, y0, 111, y0 + 1, look.frame);
        c.Fill(94, y0 + 14, 111, y0 + 15, look.frame);
        c.Fill(94, y0, 95, y0 + 15, look.frame);
        c.Fill(110, y0, 111, y0 + 15, look.frame);
        c.GradientDown(111, y0, 128, y0 + 15, RGB(236, 241, 248), RGB(248, 250, 253));
    }
    // The corner square between two bars.
    c.Fill(128, 0, 144, 51, RGB(233, 238, 245));
    for (int k = 0; k < 3; ++k)
        c.Fill(139 - 4 * k, 11, 141 - 4 * k, 13, kFrameBlue);
}

void DrawToolBarBackground(Canvas& c)
{
    c.GradientDown(0, 0, 8, 30, RGB(227, 239, 255), RGB(175, 210, 255));
    c.Fill(0, 29, 8, 30, kFrameBlue);
}

}  // namespace

CSize GetBuiltInSkinBitmapSize(int nIndex)
{
    if (nIndex < 0 || nIndex >= SKIN_BITMAP_COUNT)
        return CSize(0, 0);
    return CSize(kSizes[nIndex].cx, kSizes[nIndex].cy);
}

BOOL CreateBuiltInSkinBitmap(int nIndex, CBitmap& bitmap)
{
    if (nIndex < 0 || nIndex >= SKIN_BITMAP_COUNT || bitmap.GetSafeHandle() != nullptr)
        return FALSE;
    Canvas c(kSizes[nIndex].cx, kSizes[nIndex].cy, RGB(255, 255, 255));
    switch (nIndex) {
    case SKIN_BUTTON: DrawButton(c); break;
    case SKIN_COMBOCHECKBOX: DrawCheckBoxes(c); break;
    case SKIN_COMBOBOX: DrawDropButtons(c, false); break;
    case SKIN_DATETIME: DrawDropButtons(c, true); break;
    case SKIN_FIXEDROW: DrawHeaderTile(c, RGB(252, 253, 254), RGB(214, 226, 242)); break;
    case SKIN_TOPLEFTSIDE: c.Fill(0, 0, 9, 9, kCornerFill); DrawCornerMark(c); break;
    case SKIN_FIXEDSELROW: DrawHeaderTile(c, RGB(255, 244, 214), RGB(255, 213, 141)); break;
    case SKIN_PROCESSBG: DrawProgressFrame(c); break;
    case SKIN_PROCESSFG: DrawProgressStrip(c); break;
    case SKIN_SCROLL: DrawScrollParts(c); break;
    default: DrawToolBarBackground(c); break;
    }
    return c.MakeBitmap(bitmap);
}
