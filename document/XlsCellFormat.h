// The cell format (XF) of the workbook writer, held as the packed words of
// the 20-byte XF record, and the mappings from grid colours, pens and pixel
// sizes to workbook values.
#pragma once

#include "base/WinTypes.h"
#include "document/XlsRecords.h"

#include <cstdint>

class XlsCellFormat {
public:
    void SetFont(uint16_t font) { m_font = font; }
    void SetNumberFormat(uint16_t format) { m_format = format; }
    void SetHorizontalAlign(int align);   // 1 left, 2 centre, 3 right
    void SetVerticalAlign(int align);     // 0 top, 1 centre, 2 bottom
    void SetWrap(bool wrap);
    // Border sides: style (bits of 4) and colour index; colour 0 becomes 64.
    void SetLeftBorder(int style, int colour);
    void SetRightBorder(int style, int colour);
    void SetTopBorder(int style, int colour);
    void SetBottomBorder(int style, int colour);
    // Solid fill (pattern 1) in the colour index.
    void SetSolidFill(int colour);

    uint16_t GetFont() const { return m_font; }
    uint8_t GetAlignByte() const { return m_align; }
    uint8_t GetUsedAttributes() const { return m_used; }
    uint32_t GetBorderWord() const { return m_border; }
    uint32_t GetSecondWord() const { return m_second; }
    uint16_t GetPatternColours() const { return m_pattern; }
    int GetTopStyle() const { return (m_border >> 8) & 0xF; }
    int GetBottomStyle() const { return (m_border >> 12) & 0xF; }

    // The XF record's data (20 bytes).
    XlsBytes Data() const;
    void DataTo(uint8_t (&out)[20]) const;
    XlsRecord Record() const;

private:
    void SetBorder(int shift, int style);

    uint16_t m_font = 0;
    uint16_t m_format = 0;
    uint8_t m_align = 0x20;   // bottom aligned, general
    uint8_t m_used = 0;
    uint32_t m_border = 0;
    uint32_t m_second = 0;
    uint16_t m_pattern = 0x20C0;   // pattern colours 64 and 65
};

// Pixels to points at the given vertical dots per inch (96 when 0 or less),
// rounded to the nearest point, halves up.
int PixelsToPoints(int pixels, int dpi = 96);
// The index (0-56) of the nearest colour of the standard workbook colours,
// nearest in red, green and blue; the first one on ties.
int16_t GetExcelColourIndex(COLORREF clr);
// The RGB value of a standard colour index (0-56); 0 outside.
COLORREF GetExcelColour(int index);
// A pen style and width to a workbook border style: solid 1, 2 or 5 by
// width, dash 3, dot 4, dash-dot 9, dash-dot-dot 11, anything else 0.
int16_t MapBorderStyleToExcel(int penStyle, int width);
