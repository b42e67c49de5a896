// CGridDefaultCell: the defaults of one area of a grid.
//
// A grid owns four of them: normal, fixed row, fixed column and the corner of
// fixed rows and columns. A cell reads from the one of its area whatever it
// does not set itself; its width and height are the grid's default column
// width and row height.
//
// Record (not tagged): int32 level size (the ordinary cell level's declared
// size + 76), the ordinary cell level, int32 style word, the 60-byte LOGFONT,
// int32 width, int32 height. Loading applies the font with SetFont (which
// measures a width and height) and then puts the stored width and height in
// their place; a level size below 5 means nothing follows the ordinary cell
// level; bytes the level size still declares beyond that are skipped.
#pragma once

#include "grid/GridCell.h"

class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    // Colours are stored as given, never marked as the cell's own.
    void SetTextColor(COLORREF clr) override;
    void SetBackColor(COLORREF clr) override;
    COLORREF GetTextColor() override { return m_crText; }
    COLORREF GetBackColor() override { return m_crBack; }
    void SetItemData(int) override {}
    void SetState(UINT) override {}
    void SetCoords(int, int) override {}

    // Rebuilds the font; measures a sample run of capital X on a screen
    // device context: width = its width, height = width / 4, margin 3
    // (without a device context: width 40, height 16). NULL: nothing.
    void SetFont(const LOGFONT* plf) override;
    // The cell's own font, never the grid default setting's.
    const LOGFONT* GetFont() override { return m_pFont; }
    // The font object as last built.
    CFont* GetFontObject() override;

    int GetStyle() const { return m_nStyle; }
    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    // The grid default setting's column width (row height) when it is >= 0,
    // else the cell's own.
    int GetWidth();
    int GetHeight();
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }

private:
    int m_nStyle = 0;
    int m_nWidth = 30;
    int m_nHeight = 10;
};

// The message font of the system with face name "Arial" and height -12: the
// font a new default cell starts with.
void GetDefaultCellLogFont(LOGFONT* plf);
