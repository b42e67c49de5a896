// Small value types shared by the cells and the grid: cell positions and
// ranges, the bits of a cell's state word, the border bits, and the cell type
// numbers with their class names and control words.
#pragma once

#include "base/WinTypes.h"

// Bits of a cell's state word.
enum GridCellState : UINT {
    GCS_FOCUSED = 0x01,      // the grid's focus cell
    GCS_SELECTED = 0x02,
    GCS_DROPTARGET = 0x04,   // current drop target of an OLE drag
    GCS_READONLY = 0x08,
    GCS_FIXED = 0x10,
    GCS_FIXEDROW = 0x20,     // in a fixed row
    GCS_FIXEDCOL = 0x40,     // in a fixed column
    GCS_MODIFIED = 0x80,
};

// Border bits of a cell: one border block each, in this order.
enum CellBorderFlags : UINT {
    CBF_LEFT = 0x01,             // left edge, top to bottom
    CBF_TOP = 0x02,              // top edge, left to right
    CBF_RIGHT = 0x04,            // right edge, bottom to top
    CBF_BOTTOM = 0x08,           // bottom edge, right to left
    CBF_DIAGONAL_DOWN = 0x10,    // top-left to bottom-right
    CBF_DIAGONAL_UP = 0x20,      // top-right to bottom-left
    CBF_FAN_TOPLEFT = 0x40,      // top-left corner to the middles of the right and bottom edges
    CBF_FAN_BOTTOMRIGHT = 0x80,  // bottom-right corner to the middles of the top and left edges
    CBF_EDGES = 0x0F,
    CBF_ALL = 0xFF,
};
const int CELL_BORDER_BLOCK_COUNT = 8;

// Cell type numbers: the class of a cell object, as the grid, the control
// texts and the automation interface name it.
enum GridCellType : int {
    GCT_EDIT = 0,
    GCT_COMBOBOX = 1,
    GCT_CHECKBOX = 2,
    GCT_COMBOCHECK = 3,
    GCT_DATETIME = 4,
    GCT_NUMERIC = 5,
    GCT_BUTTON = 6,
    GCT_TREE = 7,
    GCT_RADIO = 8,       // has no class: every request for it fails
    GCT_URL = 9,
    GCT_SUPEREDIT = 10,
    GCT_FORMULA = 11,
    GCT_IMAGE = 12,
    GCT_COUNT = 13,
};

// The control word of a type number ("edit" ... "image"); NULL outside 0..12.
LPCTSTR GetCellTypeWord(int nType);
// The class name of a type number ("CGridCell" ...); NULL for GCT_RADIO and
// numbers outside 0..12.
LPCTSTR GetCellTypeClassName(int nType);

// DrawText format of a header cell the grid numbers or letters itself
// (DT_CENTER | DT_VCENTER | DT_SINGLELINE).
const UINT GRID_HEADER_ALIGN = 37;
// The default DrawText format of a cell (DT_VCENTER | DT_SINGLELINE |
// DT_NOPREFIX | DT_END_ELLIPSIS).
const UINT GRID_DEFAULT_ALIGN = 0x8824;
// Selection tint of a cell that sets none of its own.
const COLORREF GRID_DEFAULT_SEL_BACK_COLOUR = 0xF5ECEA;

// A cell address: row and column counted from 0, fixed rows and columns
// included; -1 means none.
struct CGridCellPos {
    int row = -1;
    int col = -1;

    CGridCellPos() = default;
    CGridCellPos(int nRow, int nCol) : row(nRow), col(nCol) {}

    BOOL IsValid() const { return row >= 0 && col >= 0; }
    void Set(int nRow, int nCol)
    {
        row = nRow;
        col = nCol;
    }
    bool operator==(const CGridCellPos& other) const { return row == other.row && col == other.col; }
    bool operator!=(const CGridCellPos& other) const { return !(*this == other); }
};

// A rectangle of cells by its first and last row and column (inclusive);
// all -1 means none.
class CGridCellRange {
public:
    CGridCellRange() = default;
    CGridCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol)
    {
    }

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }

    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int n) { m_nMinRow = n; }
    void SetMinCol(int n) { m_nMinCol = n; }
    void SetMaxRow(int n) { m_nMaxRow = n; }
    void SetMaxCol(int n) { m_nMaxCol = n; }

    // All four bounds non-negative and each minimum at most its maximum.
    BOOL IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow &&
               m_nMinCol <= m_nMaxCol;
    }
    // All four bounds -1.
    BOOL IsNone() const { return m_nMinRow == -1 && m_nMinCol == -1 && m_nMaxRow == -1 && m_nMaxCol == -1; }
    BOOL InRange(int nRow, int nCol) const
    {
        return nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol && nCol <= m_nMaxCol;
    }
    // (max - min + 1) x (max - min + 1) in 64 bits, so any stored values are safe.
    long long GetCellCount() const
    {
        return (static_cast<long long>(m_nMaxCol) - m_nMinCol + 1) *
               (static_cast<long long>(m_nMaxRow) - m_nMinRow + 1);
    }
    CGridCellPos GetTopLeft() const { return CGridCellPos(m_nMinRow, m_nMinCol); }

    bool operator==(const CGridCellRange& o) const
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow &&
               m_nMaxCol == o.m_nMaxCol;
    }
    bool operator!=(const CGridCellRange& o) const { return !(*this == o); }

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
