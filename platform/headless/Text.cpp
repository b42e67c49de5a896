// Text on the host build: the fixed metrics (see platform/DC.h), the DrawText
// layout, and the text operations of CDC.
#include "platform/headless/HeadlessInternal.h"

#include "platform/DC.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace headless {

int FontHeight(const GdiObj* font)
{
    if (!font)
        return 16;
    long long h = font->font.lfHeight;
    if (h < 0)
        h = -h;
    if (h == 0)
        return 16;
    return h > 0x7FFF ? 0x7FFF : static_cast<int>(h);
}

int SingleCharWidth(int height)
{
    return (height + 1) / 2;
}

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

namespace {

// Length of the character at text[i] (2 for a lead byte followed by a trail byte).
int CharLength(const char* text, int count, int i)
{
    return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < count) ? 2 : 1;
}

struct Line {
    std::string text;
    int width;
};

struct Measure {
    int height;
    int unit;
    bool expandTabs;
    // Summed in 64 bits; a width past what an int holds answers INT_MAX.
    int Width(const std::string& s) const
    {
        long long width = 0;
        const char* p = s.data();
        int n = static_cast<int>(s.size());
        for (int i = 0; i < n;) {
            int len = CharLength(p, n, i);
            if (expandTabs && p[i] == '\t') {
                int stop = 8 * unit;
                width += stop - width % stop;
            } else {
                width += static_cast<long long>(len) * unit;
            }
            i += len;
        }
        return width > INT_MAX ? INT_MAX : static_cast<int>(width);
    }
};

std::string StripPrefixes(const char* text, int count)
{
    std::string out;
    out.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count;) {
        int len = CharLength(text, count, i);
        if (len == 1 && text[i] == '&') {
            if (i + 1 < count && text[i + 1] == '&') {
                out += '&';
                i += 2;
            } else {
                ++i;  // the prefix mark itself is not shown
            }
            continue;
        }
        out.append(text + i, static_cast<size_t>(len));
        i += len;
    }
    return out;
}

std::vector<std::string> SplitParagraphs(const std::string& text)
{
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            parts.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        current += c;
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size())
            current += text[++i];
    }
    parts.push_back(current);
    return parts;
}

void TrimTrailingBlanks(std::string& s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
}

// Greedy wrapping: breaks after blanks and before or after two-byte characters.
// Blanks may hang past the margin and are dropped at a break; a word wider than
// the line stays whole unless breakWords cuts it between characters.
void WrapParagraph(const std::string& para, int width, bool breakWords, const Measure& m, std::vector<Line>& out)
{
    // Units: a run of blanks, a run of other single-byte characters, or one two-byte character.
    std::vector<std::string> units;
    const char* p = para.data();
    int n = static_cast<int>(para.size());
    for (int i = 0; i < n;) {
        int len = CharLength(p, n, i);
        if (len == 2) {
            units.emplace_back(p + i, 2);
            i += 2;
            continue;
        }
        bool blank = p[i] == ' ';
        int j = i;
        while (j < n && CharLength(p, n, j) == 1 && (p[j] == ' ') == blank)
            ++j;
        units.emplace_back(p + i, static_cast<size_t>(j - i));
        i = j;
    }
    std::string line;
    bool wrapped = false;
    auto flush = [&]() {
        TrimTrailingBlanks(line);
        out.push_back({line, m.Width(line)});
        line.clear();
        wrapped = true;
    };
    auto cutLongWord = [&]() {
        std::string word;
        word.swap(line);
        const char* u = word.data();
        int un = static_cast<int>(word.size());
        for (int i = 0; i < un;) {
            int len = CharLength(u, un, i);
            std::string piece(u + i, static_cast<size_t>(len));
            if (!line.empty() && m.Width(line + piece) > width)
                flush();
            line += piece;
            i += len;
        }
    };
    for (const std::string& unit : units) {
        if (unit[0] == ' ') {
            if (!line.empty() || !wrapped)
                line += unit;
            continue;
        }
        bool onlyBlanks = line.find_first_not_of(' ') == std::string::npos;
        if (!onlyBlanks && m.Width(line + unit) > width)
            flush();
        line += unit;
        if (breakWords && m.Width(line) > width)
            cutLongWord();
    }
    if (!line.empty() || !wrapped)
        flush();
}

void Ellipsize(Line& line, int width, const Measure& m)
{
    if (line.width <= width)
        return;
    const std::string dots = "...";
    std::string keep;
    const char* p = line.text.data();
    int n = static_cast<int>(line.text.size());
    for (int i = 0; i < n;) {
        int len = CharLength(p, n, i);
        std::string next = keep + std::string(p + i, static_cast<size_t>(len));
        if (m.Width(next + dots) > width)
            break;
        keep = next;
        i += len;
    }
    line.text = keep + dots;
    line.width = m.Width(line.text);
}

std::vector<Line> Layout(const char* text, int count, int width, UINT format, const Measure& m)
{
    std::string shown = (format & DT_NOPREFIX) ? std::string(text, static_cast<size_t>(count))
                                               : StripPrefixes(text, count);
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({shown, m.Width(shown)});
    } else {
        for (const std::string& para : SplitParagraphs(shown)) {
            if (format & DT_WORDBREAK)
                WrapParagraph(para, width, (format & DT_EDITCONTROL) != 0, m, lines);
            else
                lines.push_back({para, m.Width(para)});
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (Line& line : lines)
            Ellipsize(line, width, m);
    }
    return lines;
}

DCImpl* D(HDC hdc)
{
    return reinterpret_cast<DCImpl*>(hdc);
}

Measure MeasureFor(const DCImpl* dc, UINT format = 0)
{
    int h = FontHeight(dc->attr.font);
    return Measure{h, SingleCharWidth(h), (format & DT_EXPANDTABS) != 0};
}

int SafeCount(LPCTSTR text, int count)
{
    if (!text)
        return 0;
    if (count < 0)
        return static_cast<int>(std::strlen(text));
    return count;
}

}  // namespace

int MeasureText(const char* text, int count, int height)
{
    Measure m{height, SingleCharWidth(height), false};
    return m.Width(std::string(text, static_cast<size_t>(count)));
}

}  // namespace headless

using namespace headless;

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    if (!m_hDC)
        return CSize(0, 0);
    int n = SafeCount(lpszString, nCount);
    int h = FontHeight(D(m_hDC)->attr.font);
    return CSize(n ? MeasureText(lpszString, n, h) : 0, h);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (!m_hDC || !lpMetrics)
        return FALSE;
    const GdiObj* font = D(m_hDC)->attr.font;
    int h = FontHeight(font);
    int w = SingleCharWidth(h);
    std::memset(lpMetrics, 0, sizeof(*lpMetrics));
    lpMetrics->tmHeight = h;
    lpMetrics->tmDescent = h / 5;
    lpMetrics->tmAscent = h - h / 5;
    lpMetrics->tmAveCharWidth = w;
    lpMetrics->tmMaxCharWidth = 2 * w;
    lpMetrics->tmWeight = (font && font->font.lfWeight) ? font->font.lfWeight : FW_NORMAL;
    lpMetrics->tmDigitizedAspectX = 96;
    lpMetrics->tmDigitizedAspectY = 96;
    lpMetrics->tmFirstChar = 0x20;
    lpMetrics->tmLastChar = 0xFF;
    lpMetrics->tmDefaultChar = 0x1F;
    lpMetrics->tmBreakChar = 0x20;
    lpMetrics->tmItalic = font ? font->font.lfItalic : 0;
    lpMetrics->tmUnderlined = font ? font->font.lfUnderline : 0;
    lpMetrics->tmStruckOut = font ? font->font.lfStrikeOut : 0;
    lpMetrics->tmPitchAndFamily = font ? font->font.lfPitchAndFamily : 0;
    lpMetrics->tmCharSet = font ? font->font.lfCharSet : 0;
    return TRUE;
}

namespace {

// The box of a text drawn at (x, y) with the DC's alignment.
RECT TextBox(DCImpl* dc, int x, int y, int width, int height)
{
    UINT align = dc->attr.textAlign;
    if (align & TA_UPDATECP) {
        x = dc->attr.position.x;
        y = dc->attr.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (align & TA_RIGHT)
        left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - (height - height / 5);
    else if (align & TA_BOTTOM)
        top = y - height;
    if (align & TA_UPDATECP)
        dc->attr.position.x = (align & TA_RIGHT) ? left : left + width;
    return ToDevice(dc, RECT{left, top, left + width, top + height});
}

void FillOpaque(DCImpl* dc, const RECT& device, const RECT* clip)
{
    RECT area = device;
    if (clip) {
        area = RECT{std::max(area.left, clip->left), std::max(area.top, clip->top), std::min(area.right, clip->right),
                    std::min(area.bottom, clip->bottom)};
    }
    FillDeviceRect(dc, area, dc->attr.bkColor);
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    int n = SafeCount(lpszString, nCount);
    int h = FontHeight(dc->attr.font);
    int w = n ? MeasureText(lpszString, n, h) : 0;
    POINT origin = ToDevice(dc, x, y);
    RECT box = TextBox(dc, x, y, w, h);
    DrawOp& op = Record(dc, DrawKind::TextOut);
    op.from = origin;
    op.rect = op.textRect = box;
    op.text.assign(lpszString ? lpszString : "", static_cast<size_t>(n));
    op.font = dc->attr.font ? dc->attr.font->font : LOGFONT{};
    if (dc->attr.bkMode == OPAQUE)
        FillOpaque(dc, box, nullptr);
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    int n = lpszString ? static_cast<int>(nCount) : 0;
    int h = FontHeight(dc->attr.font);
    int w = 0;
    if (lpDxWidths) {
        for (int i = 0; i < n; ++i)
            w += lpDxWidths[i];
    } else if (n) {
        w = MeasureText(lpszString, n, h);
    }
    RECT box = TextBox(dc, x, y, w, h);
    RECT option = lpRect ? ToDevice(dc, *lpRect) : box;
    DrawOp& op = Record(dc, DrawKind::ExtTextOut);
    op.from = ToDevice(dc, x, y);
    op.rect = option;
    op.textRect = box;
    op.flags = nOptions;
    op.text.assign(lpszString ? lpszString : "", static_cast<size_t>(n));
    op.font = dc->attr.font ? dc->attr.font->font : LOGFONT{};
    if ((nOptions & ETO_OPAQUE) && lpRect)
        FillDeviceRect(dc, option, dc->attr.bkColor);
    else if (dc->attr.bkMode == OPAQUE && n)
        FillOpaque(dc, box, (nOptions & ETO_CLIPPED) && lpRect ? &option : nullptr);
    return TRUE;
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!m_hDC || !lpRect)
        return 0;
    DCImpl* dc = D(m_hDC);
    int n = SafeCount(lpszString, nCount);
    Measure m = MeasureFor(dc, nFormat);
    int h = m.height;
    int width = lpRect->right - lpRect->left;

    if (n == 0) {
        // The system answers one line's height for an empty text; measuring it
        // gives no width, and a height only on a single line.
        if (nFormat & DT_CALCRECT) {
            lpRect->right = lpRect->left;
            lpRect->bottom = lpRect->top + ((nFormat & DT_SINGLELINE) ? h : 0);
        }
        return h;
    }

    std::vector<Line> lines = Layout(lpszString, n, width, nFormat, m);
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, line.width);
    const long long allLines = static_cast<long long>(h) * static_cast<long long>(lines.size());
    int total = allLines > INT_MAX / 2 ? INT_MAX / 2 : static_cast<int>(allLines);

    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + widest;
        lpRect->bottom = lpRect->top + total;
        return total;
    }

    int top = lpRect->top;
    if (nFormat & DT_SINGLELINE) {
        if (nFormat & DT_VCENTER)
            top = lpRect->top + (lpRect->bottom - lpRect->top) / 2 - h / 2;  // the system halves each separately
        else if (nFormat & DT_BOTTOM)
            top = lpRect->bottom - h;
    }
    RECT bounds = {INT_MAX, top, INT_MIN, top + total};
    std::string shown;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        int left = lpRect->left;
        if (nFormat & DT_CENTER)
            left = lpRect->left + (width - line.width) / 2;
        else if (nFormat & DT_RIGHT)
            left = lpRect->right - line.width;
        bounds.left = std::min<LONG>(bounds.left, left);
        bounds.right = std::max<LONG>(bounds.right, left + line.width);
        if (i)
            shown += '\n';
        shown += line.text;
        if (dc->attr.bkMode == OPAQUE) {
            RECT lineBox = ToDevice(dc, RECT{left, top + h * static_cast<int>(i), left + line.width,
                                             top + h * static_cast<int>(i + 1)});
            RECT formatting = ToDevice(dc, *lpRect);
            FillOpaque(dc, lineBox, (nFormat & DT_NOCLIP) ? nullptr : &formatting);
        }
    }
    DrawOp& op = Record(dc, DrawKind::DrawText);
    op.rect = ToDevice(dc, *lpRect);
    op.textRect = ToDevice(dc, bounds);
    op.flags = nFormat;
    op.text.assign(lpszString, static_cast<size_t>(n));
    op.shown = shown;
    op.font = dc->attr.font ? dc->attr.font->font : LOGFONT{};
    if ((nFormat & DT_SINGLELINE) && (nFormat & (DT_VCENTER | DT_BOTTOM)))
        return top + h - lpRect->top;
    return total;
}
