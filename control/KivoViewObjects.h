// The view objects over a grid: a column, a row or a range of cells. Each
// embeds one accessor (GridAccessors.h) and forwards every member to it:
// setters act on every covered cell, getters read one cell. An object
// without a grid (created by its ProgID), or whose control has gone, does
// nothing and answers failure values: 0, "", no object, and -1 for its
// index or bounds.
#pragma once

#include "control/GridAccessors.h"
#include "control/KivoObjects.gen.h"

// The members the three classes share, over their accessor.
template <class Base, class Accessor>
class CKivoCellsObject : public Base {
public:
    Accessor& Cells() { return m_cells; }

    HRESULT get_crBackColor(LONG& pVal) override;
    HRESULT put_crBackColor(LONG newVal) override;
    HRESULT SetControl(const CString& strXml) override;
    HRESULT GetControl(CString& pstrXml) override;
    // A cell-control object's text, when not empty, as SetControl; other
    // objects change nothing. GetControlEx: a new cell-control object for
    // the first cell's type holding its control text; no object for a type
    // without one or without that cell.
    HRESULT SetControlEx(CKivoObject* Control) override;
    HRESULT GetControlEx(CKivoObjectPtr& ppControl) override;
    HRESULT get_crTextColor(LONG& pVal) override;
    HRESULT put_crTextColor(LONG newVal) override;
    HRESULT SetFont(const CString& strXml) override;
    HRESULT GetFont(CString& pstrXml) override;
    // The font text of a font object, as SetFont; nothing for anything else.
    HRESULT SetFontEx(CKivoObject* Font) override;
    // A new font object with the first cell's font text; no object when that
    // cell does not exist.
    HRESULT GetFontEx(CKivoObjectPtr& ppFont) override;
    HRESULT SetTextFormat(const CString& strXml) override;
    HRESULT GetTextFormat(CString& pstrXml) override;
    HRESULT get_strValue(CString& pVal) override;
    HRESULT put_strValue(const CString& newVal) override;
    HRESULT get_dbValueEx(double& pVal) override;
    HRESULT put_dbValueEx(double newVal) override;
    HRESULT get_iTextWrap(SHORT& pVal) override;
    HRESULT put_iTextWrap(SHORT newVal) override;
    HRESULT get_iReadOnly(SHORT& pVal) override;
    HRESULT put_iReadOnly(SHORT newVal) override;
    HRESULT get_iHide(SHORT& pVal) override;
    HRESULT put_iHide(SHORT newVal) override;
    HRESULT SetBorder(LONG nBorderFlags, LONG nLineStyle, LONG crLineColor, LONG nLineWidth) override;
    HRESULT get_nBorderFlags(LONG& pVal) override;
    HRESULT get_nAlign(LONG& pVal) override;
    HRESULT put_nAlign(LONG newVal) override;
    HRESULT Merge() override;
    HRESULT get_iIsMerged(SHORT& pVal) override;

protected:
    // An index or bound as the object answers it: -1 without a grid.
    LONG Held(int value) const { return m_cells.GetGrid() != nullptr ? value : -1; }

    Accessor m_cells;
};

class CKivoColumn : public CKivoCellsObject<CKivoColumnBase, CColumnAccessor> {
public:
    HRESULT get_nColIndex(LONG& pVal) override;
};

class CKivoRow : public CKivoCellsObject<CKivoRowBase, CRowAccessor> {
public:
    HRESULT get_nRowIndex(LONG& pVal) override;
};

class CKivoRange : public CKivoCellsObject<CKivoRangeBase, CRangeAccessor> {
public:
    HRESULT get_nMinRow(LONG& pVal) override;
    HRESULT get_nMinCol(LONG& pVal) override;
    HRESULT get_nMaxRow(LONG& pVal) override;
    HRESULT get_nMaxCol(LONG& pVal) override;
    // The same as iIsMerged.
    HRESULT get_iIsMerge(SHORT& pVal) override;
};

// A column object of the grid. The index is kept only when 0 <= index <
// the column count, and the column then joins the grid's format columns;
// otherwise the object holds -1 and covers no cell.
CKivoObjectPtr CreateKivoColumnObject(const CGridLink& grid, LONG index);
// The same for a row and the grid's format rows.
CKivoObjectPtr CreateKivoRowObject(const CGridLink& grid, LONG index);
// A range object over the bounds as given (the caller checks them).
CKivoObjectPtr CreateKivoRangeObject(const CGridLink& grid, LONG minRow, LONG minCol, LONG maxRow, LONG maxCol);
