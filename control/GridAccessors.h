// The accessors the column, row and range objects embed: each applies one
// cell setting to every cell it covers and reads it back from one cell.
//
//   accessor          covers (setters)                         reads (getters)
//   CColumnAccessor   rows fixed..last of its column             (fixed rows, column)
//   CRowAccessor      columns fixed..last of its row             (row, fixed columns)
//   CRangeAccessor    every cell of its inclusive rectangle      (minimum row, minimum column)
//
// A setter runs the grid's own per-cell operation on each covered cell, row
// by row and within a row column by column; a getter runs the grid's getter
// on the cell it reads, which answers the grid's failure value for a cell
// that does not exist. None of them redraws (the grid operations do what
// they do). A column or row index outside the grid, or a rectangle whose
// minimum lies beyond its maximum, covers no cell.
//
// An accessor holds its grid through a CGridLink (GridLink.h). Once the
// link's owner is gone it answers no grid, and every setter does nothing and
// every getter answers the value named for "no grid".
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "control/GridLink.h"

class CGridCtrl;

// Cells by their first and last row and column, inclusive.
struct CCellSpan {
    int minRow = 0;
    int minCol = 0;
    int maxRow = -1;
    int maxCol = -1;
};

class CCellAccessor {
public:
    virtual ~CCellAccessor() = default;

    void SetGrid(const CGridLink& link) { m_link = link; }
    // The grid, or NULL (none set, or its owner gone).
    CGridCtrl* GetGrid() const { return m_link.Get(); }
    // Whether there is a grid and the cell the getters read exists in it.
    bool HasReadCell() const;

    void SetBackColor(COLORREF colour);
    COLORREF GetBackColor() const;                // 0 without a grid
    void SetControl(const CString& text);
    CString GetControl() const;                   // "" without a grid
    void SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    void SetFont(const CString& text);
    CString GetFont() const;
    void SetFormat(const CString& text);
    CString GetFormat() const;
    void SetText(const CString& text);
    CString GetText() const;
    void SetValue(double value);
    double GetValue() const;                      // 0.0 without a grid
    void SetWrap(BOOL wrap);
    BOOL GetWrap() const;                         // 0 without a grid
    void SetReadOnly(BOOL readOnly);
    BOOL GetReadOnly() const;
    void SetHide(BOOL hide);
    BOOL GetHide() const;
    void SetBorder(int mask, int lineStyle, COLORREF colour, int width);
    int GetBorderFlags() const;                   // 0 without a grid
    void SetAlign(UINT format);
    UINT GetAlign() const;                        // the DrawText format; 0 without a grid
    // Joins the covered cells into one block (the grid widens it over the
    // blocks it cuts).
    void Merge();
    BOOL IsMerged() const;                        // 0 without a grid
    int GetCellType() const;                      // -1 without a grid

protected:
    // The covered cells on the grid as it stands now (empty: minRow > maxRow
    // or minCol > maxCol).
    virtual CCellSpan Covered(CGridCtrl& grid) const = 0;
    // The cell the getters read.
    virtual void ReadCell(CGridCtrl& grid, int& row, int& col) const = 0;
    // The rectangle Merge hands the grid (which refuses one that does not
    // lie inside the sheet): the covered cells.
    virtual CCellSpan MergeBounds(CGridCtrl& grid) const { return Covered(grid); }

private:
    template <typename Op>
    void ForEachCell(Op op);

    CGridLink m_link;
};

class CColumnAccessor : public CCellAccessor {
public:
    void SetIndex(int column) { m_nColumn = column; }
    int GetIndex() const { return m_nColumn; }
    // Lists the column with the grid's format columns: rows inserted later
    // give its cells the type and format of their neighbours.
    void RegisterFormatColumn();

protected:
    CCellSpan Covered(CGridCtrl& grid) const override;
    void ReadCell(CGridCtrl& grid, int& row, int& col) const override;

private:
    int m_nColumn = -1;
};

class CRowAccessor : public CCellAccessor {
public:
    void SetIndex(int row) { m_nRow = row; }
    int GetIndex() const { return m_nRow; }
    // Lists the row with the grid's format rows.
    void RegisterFormatRow();

protected:
    CCellSpan Covered(CGridCtrl& grid) const override;
    void ReadCell(CGridCtrl& grid, int& row, int& col) const override;

private:
    int m_nRow = -1;
};

class CRangeAccessor : public CCellAccessor {
public:
    void SetRange(int minRow, int minCol, int maxRow, int maxCol);
    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }

protected:
    CCellSpan Covered(CGridCtrl& grid) const override;
    void ReadCell(CGridCtrl& grid, int& row, int& col) const override;
    // The rectangle as it was given, also where the sheet has shrunk since.
    CCellSpan MergeBounds(CGridCtrl& grid) const override;

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
