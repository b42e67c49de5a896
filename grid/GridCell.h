// CGridCell: the ordinary text-or-number cell, and the base of every typed
// cell (button, check, combo, date-time, numeric, formula, image, rich text,
// URL).
//
// It adds to CGridCellBase the content (text or number), the display
// attributes (align, colours, font, margin, image, wrap), the item data, the
// numeric input rules, the control attribute text and the in-place editor.
// Whatever a cell does not set itself it inherits, at the moment it is read,
// from its grid's matching default cell and the grid default setting, so a
// change of a default reaches every cell that has no value of its own.
//
// A cell's own font is a hold on a copy in the process-wide font pool
// (CPooledFontRef): equal fonts are stored once however many cells use them,
// and their GDI font lives only while some cell holds it.
//
// Record level (end tag 2999), after the base level, each item only when set:
//   2001 limit flag (then always 2002 maximum and 2003 minimum, doubles),
//   2006 wrap, 2007 back colour (not the system window colour; loading marks it
//   as the cell's own), 2008 text colour (not the default cell's; the same),
//   2009 fixed back colour (not -1), 2011 value (double, a number) or 2010 text
//   (text with NUL, not a number and not empty), 2012 item data (loads as 0),
//   2013 align (not the default cell's), 2014 image (not -1), 2015 input type
//   (not 0), 2016 margin (not -1), 2017 own font (60 bytes; only on a cell
//   that is not fixed and whose font differs from its default cell's).
//   Read only: 2004 own back colour flag, 2005 own text colour flag.
#pragma once

#include "grid/CellText.h"
#include "grid/GridCellBase.h"
#include "grid/LogFontUtil.h"

const int CELL_RECORD_CELL_END = 2999;

class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    ~CGridCell() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    void SetText(LPCTSTR szText) override;
    void SetValue(double dValue) override;
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetItemData(int nData) override { m_nItemData = nData; }
    void SetAlign(UINT nFormat) override { m_nAlign = nFormat; }
    void SetTextColor(COLORREF clr) override;
    void SetBackColor(COLORREF clr) override;
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(int nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetCoords(int nRow, int nCol) override;
    void SetWrapText(BOOL bWrap) override { m_bits.wrap = bWrap ? 1 : 0; }

    LPCTSTR GetText() override;
    double GetValue() override;
    BOOL GetWrapText() override { return m_bits.wrap; }

    int GetImage() override { return m_nImage; }
    int GetItemData() override { return m_nItemData; }
    UINT GetAlign() override;
    COLORREF GetTextColor() override;
    COLORREF GetBackColor() override;
    const LOGFONT* GetFont() override;
    CFont* GetFontObject() override;
    CGridCtrl* GetGrid() override { return m_pGrid; }
    CWnd* GetEditWnd() override;
    int GetMargin() override;
    BOOL IsDefaultFont() override { return m_pFont == nullptr; }
    BOOL IsEditing() override { return m_bits.editing; }
    BOOL IsReadOnly() override;

    void CopyFormat(CGridCellBase* pSrc) override;
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

    void SetReadOnly(BOOL bReadOnly) override;
    void SetInputType(int nType) override;
    int GetInputType() override;
    void SetInputLimit(BOOL bLimit, double dMin, double dMax) override;
    BOOL GetInputLimit(double& dMin, double& dMax) override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    // --- members of this class ------------------------------------------------
    int GetRow() const { return m_nRow; }
    int GetCol() const { return m_nCol; }
    // The stored values, without inheritance.
    UINT GetStoredAlign() const { return m_nAlign; }
    COLORREF GetStoredTextColor() const { return m_crText; }
    COLORREF GetStoredBackColor() const { return m_crBack; }
    BOOL HasOwnTextColor() const { return m_bits.ownTextColour; }
    BOOL HasOwnBackColor() const { return m_bits.ownBackColour; }
    // Takes another cell's stored colours (fixed back colour included) and
    // whether it owns them: a cell put in place of another follows the
    // grid's default colours exactly where the old one did.
    void TakeColoursOf(const CGridCell& other);
    // The back colour used instead of the own one while the cell is fixed (-1: none).
    COLORREF GetFixedBackColor() const;
    void SetFixedBackColor(COLORREF clr);
    // Puts both colours back to the given values without marking them as the
    // cell's own, so the cell inherits its colours again.
    void ResetColours(COLORREF crBack, COLORREF crText);
    // The editor window while editing (set by the editing code).
    void SetEditWnd(CWnd* pWnd);

protected:
    void WriteCellItems(class CCellRecordWriter& w);
    // The record level of a typed cell whose own settings all live in its
    // control text: the ordinary cell's record, the control text (when there
    // is one) under nControlTag, then nEndTag.
    int GetControlLevelSize(int nControlTag);
    void SerializeControlLevel(CArchive& ar, int* pnRunningSize, int nControlTag, int nEndTag);

    CCellText m_strText;
    double m_dValue = 0.0;
    CGridCtrl* m_pGrid = nullptr;
    CPooledFontRef m_pFont;              // pooled and held; NULL: no font of its own
    int m_nRow = 0;
    int m_nCol = 0;
    UINT m_nAlign;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nMargin = -1;
    int m_nImage = -1;
    int m_nItemData = 0;
};
