// CGridDefaultSetting: the sheet-wide defaults that the grid keeps one copy
// of, that the control reads and changes by copying, that the default-setting
// automation object holds and that a template stores. A value of -1 (or an
// empty text) means "not set": cells then fall back to their default cells.
//
// It is plain data: copying copies every field, both texts and the LOGFONT.
// The grid, when it builds its own copy, sets the selection colour (0xF5ECEA)
// and the text alignment (0x8824) it starts with; the record's own defaults
// are the values below.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstdint>

// Bits of the border flag word: which default border blocks are set.
enum DefaultBorderFlag : std::uint16_t {
    DefaultBorderLeft = 1,
    DefaultBorderTop = 2,
    DefaultBorderRight = 4,
    DefaultBorderBottom = 8
};

// One edge's border: line colour, pen style and width, three 32-bit values.
struct CBorderBlock {
    std::int32_t colour = 0;
    std::int32_t lineStyle = 0;
    std::int32_t lineWidth = 0;
};

// Index of the edges in m_borders.
enum DefaultBorderEdge { BorderEdgeLeft = 0, BorderEdgeTop = 1, BorderEdgeRight = 2, BorderEdgeBottom = 3 };

class CGridDefaultSetting {
public:
    CGridDefaultSetting();

    // Fields in their stored order.
    std::int32_t m_bEditable = 1;            // cells may be edited; 0 makes every cell read-only
    std::uint16_t m_wBorderFlags = 0;        // DefaultBorderFlag bits
    CBorderBlock m_borders[4];               // left, top, right, bottom
    std::int32_t m_nRowHeight = -1;          // default row height in pixels, -1 = not set
    std::int32_t m_nColWidth = -1;           // default column width in pixels, -1 = not set
    std::int32_t m_crSelColor = -1;          // back colour of selected cells, -1 = not set
    std::int32_t m_crCellBgColor = -1;       // cell back colour, -1 = not set
    std::int32_t m_crTextColor = -1;         // text colour, -1 = not set
    CString m_strFontXml;                    // "font" element text; empty = not set
    std::int32_t m_bTip = 1;                 // show a cell's text as its tip when it has no tip text
    std::int32_t m_bAllowResizeRow = 1;      // rows may be resized
    std::int32_t m_bAllowResizeCol = 1;      // columns may be resized
    std::int32_t m_bIMResetInitRowHeight = 0;  // every row takes m_nRowHeight when the record is applied
    std::int32_t m_bIMResetInitColWidth = 0;   // every column takes m_nColWidth when the record is applied
    std::int32_t m_dwTextAlign = 0;          // default DrawText format of cell text; 0 = the grid's own
    std::int16_t m_nReserved = -1;           // kept and stored with the record for the grid
    CString m_strSecondText;                 // kept and stored with the record for the grid
    LOGFONT m_logFont;                       // the default font when m_strFontXml is not empty

    // The selection colour that applies when none is set.
    static const std::int32_t kDefaultSelColor = 0xF5ECEA;
    // The grid's default DrawText format (DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS).
    static const std::int32_t kDefaultTextAlign = 0x8824;
};
