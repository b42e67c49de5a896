#include "document/XlsCellFormat.h"

#include "base/WinConstants.h"

#include <algorithm>
#include <cstdlib>

void XlsCellFormat::SetHorizontalAlign(int align)
{
    m_align = static_cast<uint8_t>((m_align & ~0x07) | (align & 0x07));
    m_used |= 0x10;
}

void XlsCellFormat::SetVerticalAlign(int align)
{
    m_align = static_cast<uint8_t>((m_align & ~0x70) | ((align & 0x07) << 4));
    m_used |= 0x10;
}

void XlsCellFormat::SetWrap(bool wrap)
{
    m_align = static_cast<uint8_t>(wrap ? (m_align | 0x08) : (m_align & ~0x08));
    m_used |= 0x10;
}

void XlsCellFormat::SetBorder(int shift, int style)
{
    m_border = (m_border & ~(0xFu << shift)) | (static_cast<uint32_t>(style & 0xF) << shift);
    m_used |= 0x20;
}

namespace {
uint32_t BorderColour(int colour) { return static_cast<uint32_t>(colour == 0 ? 64 : colour) & 0x7F; }
}  // namespace

void XlsCellFormat::SetLeftBorder(int style, int colour)
{
    SetBorder(0, style);
    m_border = (m_border & ~(0x7Fu << 16)) | (BorderColour(colour) << 16);
}

void XlsCellFormat::SetRightBorder(int style, int colour)
{
    SetBorder(4, style);
    m_border = (m_border & ~(0x7Fu << 23)) | (BorderColour(colour) << 23);
}

void XlsCellFormat::SetTopBorder(int style, int colour)
{
    SetBorder(8, style);
    m_second = (m_second & ~0x7Fu) | BorderColour(colour);
}

void XlsCellFormat::SetBottomBorder(int style, int colour)
{
    SetBorder(12, style);
    m_second = (m_second & ~(0x7Fu << 7)) | (BorderColour(colour) << 7);
}

void XlsCellFormat::SetSolidFill(int colour)
{
    m_second = (m_second & ~(0x3Fu << 26)) | (1u << 26);
    m_pattern = static_cast<uint16_t>((m_pattern & ~0x7F) | (colour & 0x7F));
    m_used |= 0x40;
}

XlsBytes XlsCellFormat::Data() const
{
    uint8_t bytes[20];
    DataTo(bytes);
    return XlsBytes(bytes, bytes + 20);
}

void XlsCellFormat::DataTo(uint8_t (&out)[20]) const
{
    const uint8_t used = static_cast<uint8_t>(m_used | 0x08);   // the font is its own
    const uint8_t bytes[20] = {
        static_cast<uint8_t>(m_font), static_cast<uint8_t>(m_font >> 8),
        static_cast<uint8_t>(m_format), static_cast<uint8_t>(m_format >> 8),
        0x01, 0x00,   // locked cell XF, parent 0
        m_align, 0, 0, used,
        static_cast<uint8_t>(m_border), static_cast<uint8_t>(m_border >> 8),
        static_cast<uint8_t>(m_border >> 16), static_cast<uint8_t>(m_border >> 24),
        static_cast<uint8_t>(m_second), static_cast<uint8_t>(m_second >> 8),
        static_cast<uint8_t>(m_second >> 16), static_cast<uint8_t>(m_second >> 24),
        static_cast<uint8_t>(m_pattern), static_cast<uint8_t>(m_pattern >> 8),
    };
    std::copy(bytes, bytes + 20, out);
}

XlsRecord XlsCellFormat::Record() const
{
    XlsRecord r;
    r.type = XLS_XF;
    r.data = Data();
    return r;
}

int PixelsToPoints(int pixels, int dpi)
{
    if (dpi <= 0)
        dpi = 96;
    long long num = static_cast<long long>(pixels) * 72;
    if (num >= 0)
        return static_cast<int>((2 * num + dpi) / (2 * dpi));
    return -static_cast<int>((-2 * num + dpi) / (2 * dpi));
}

namespace {
// Black, white, red, green, blue, yellow, magenta, cyan, then the default
// workbook palette from its index 8 on, as 0xRRGGBB.
const uint32_t kColours[57] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366,
};
}  // namespace

COLORREF GetExcelColour(int index)
{
    if (index < 0 || index >= 57)
        return 0;
    uint32_t c = kColours[index];
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

int16_t GetExcelColourIndex(COLORREF clr)
{
    int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < 57; ++i) {
        uint32_t c = kColours[i];
        int dr = r - static_cast<int>((c >> 16) & 0xFF);
        int dg = g - static_cast<int>((c >> 8) & 0xFF);
        int db = b - static_cast<int>(c & 0xFF);
        long dist = static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
        if (dist == 0)
            return static_cast<int16_t>(i);
        if (bestDist < 0 || dist < bestDist) {
            bestDist = dist;
            best = i;
        }
    }
    return static_cast<int16_t>(best);
}

int16_t MapBorderStyleToExcel(int penStyle, int width)
{
    switch (penStyle) {
    case PS_SOLID:
        return width == 2 ? 2 : width == 3 ? 5 : 1;
    case PS_DASH:
        return 3;
    case PS_DOT:
        return 4;
    case PS_DASHDOT:
        return 9;
    case PS_DASHDOTDOT:
        return 11;
    default:
        return 0;
    }
}
