// CGridCellBase: the root of every cell a grid holds.
//
// It keeps what every cell has whatever its content: the state word, the
// merge membership, the eight border blocks, the format and font attribute
// texts with the cached formatted text, the tip text, the memo, the id,
// visibility and the selection back colour, and it declares the virtual
// operations through which the grid, painting, the clipboard, the template
// reader and writer and the automation methods reach any cell. Operations on
// content (text, value, colours, font, editing, control attributes, rich text)
// are empty or neutral here; CGridCell and the typed cells give them bodies.
//
// Rarely used fields sit in a block allocated on first use (CGridCellExtra),
// so a cell that never had a border, an id, a tip or a memo does not pay for
// them.
//
// The tagged cell record: every cell writes itself as one level per class,
// each level being
//     int32 declared size, the parent level, the level's items, int32 end tag
// where an item is int32 tag, int32 data length, data. The declared size is
// 4 + the parent's declared size + the items' bytes + 4, or 0 when the parent's
// declared size and the items are both 0 (an empty level still writes its
// size word, its parent and its end tag). Only values that differ from their
// defaults are written. See GridCellRecord.h for the reader's rules.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "cellcontent/GridDefaultSetting.h"
#include "grid/GridCellExtra.h"
#include "grid/GridCellTypes.h"
#include "grid/GridCellMemory.h"
#include "grid/RuntimeClass.h"
#include "grid/CellValueEpoch.h"

#include <memory>

class CArchive;
class CDC;
class CFont;
class CGridCtrl;
class CWnd;

// End tag of the base level of the cell record.
const int CELL_RECORD_BASE_END = 1999;

// The colour halfway between a and b: per channel (a + b) / 2, the fraction
// dropped. Selected cells mix their text and border colours with the tint.
inline COLORREF MixColours(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

// Colours of cell painting that no setting changes.
const COLORREF CELL_SELECTED_FIXED_FILL = 0xD6BEB5;   // fixed cell in the selection's row or column
const COLORREF CELL_SORT_ARROW_COLOUR = 0xD16C01;
const COLORREF CELL_CORNER_FILL = 0xE9C4A9;           // skinned top-left corner
const COLORREF CELL_CORNER_OUTER_LINE = 0xF2E4D5;
const COLORREF CELL_CORNER_INNER_LINE = 0xF7CFB0;
const COLORREF CELL_TIP_MARKER_COLOUR = 0x0000FF;

// The largest width or height a measured text answers: the largest
// coordinate GDI keeps exactly (its coordinates are 27-bit signed integers).
// A text that needs more is answered this much.
const int GRID_MAX_TEXT_EXTENT = (1 << 27) - 1;

class CGridCellBase : public CObject {
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase();
    ~CGridCellBase() override;

    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    // Cells of every class come from the cell pool (grid/GridCellMemory.h).
    static void* operator new(size_t size) { return gridcellmemory::AllocateCell(size); }
    static void operator delete(void* p, size_t size) noexcept { gridcellmemory::FreeCell(p, size); }

    // --- the cell record ------------------------------------------------------
    // Loads when the archive is loading, stores otherwise. pnRunningSize, when
    // given, is increased by the declared size of the record read. A record
    // that does not fit what remains of itself or of the archive sets the
    // archive's failed state; nothing is read out of bounds.
    virtual void SerializeRecord(CArchive& ar, int* pnRunningSize);
    // The declared size of the record SerializeRecord writes.
    virtual int GetRecordSize();

    // --- setters (nothing here unless stated) -----------------------------------
    virtual void SetText(LPCTSTR szText);          // clears the number flag
    virtual void SetValue(double dValue);          // sets the number flag
    virtual void SetImage(int nImage);
    virtual void SetItemData(int nData);
    virtual void SetState(UINT nState);            // stores the state word
    virtual void SetAlign(UINT nFormat);
    virtual void SetTextColor(COLORREF clr);
    virtual void SetBackColor(COLORREF clr);
    virtual void SetFont(const LOGFONT* plf);
    virtual void SetMargin(int nMargin);
    virtual void SetGrid(CGridCtrl* pGrid);
    virtual void SetCoords(int nRow, int nCol);

    virtual LPCTSTR GetText();                     // NULL here
    virtual CString GetRichText();                 // "" here
    virtual void SetRichText(const CString& strRichText);
    virtual void SetRichTextParam(int nParam1, int nParam2);
    virtual double GetValue();                     // 0.0 here
    virtual void SetWrapText(BOOL bWrap);
    virtual BOOL GetWrapText();                    // FALSE here

    virtual CString GetTipText();
    virtual void SetTipText(LPCTSTR szTip);
    virtual void SetDisplayTip(BOOL bDisplay);
    virtual BOOL IsDisplayTip();

    virtual int GetImage();                        // -1 here
    virtual int GetItemData();                     // 0 here
    virtual UINT GetState();
    virtual UINT GetAlign();                       // 0 here
    virtual COLORREF GetTextColor();               // 0 here
    virtual COLORREF GetBackColor();               // 0 here
    virtual const LOGFONT* GetFont();              // NULL here
    virtual CFont* GetFontObject();                // NULL here
    virtual CGridCtrl* GetGrid();                  // NULL here
    virtual CWnd* GetEditWnd();                    // NULL here
    virtual int GetMargin();                       // 0 here
    // The grid's default cell for this cell's area (by the fixed state bits);
    // NULL without a grid.
    virtual CGridCellBase* GetDefaultCell();
    virtual BOOL IsDefaultFont();                  // FALSE here
    virtual BOOL IsEditing();                      // FALSE here

    virtual BOOL IsFocused();
    virtual BOOL IsFixed();
    virtual BOOL IsFixedCol();
    virtual BOOL IsFixedRow();
    virtual BOOL IsSelected();
    virtual BOOL IsReadOnly();                     // FALSE here
    virtual BOOL IsModified();
    virtual BOOL IsDropTarget();

    // --- rich text: neutral here ------------------------------------------------
    // Setters, commands and truth queries answer 0; numeric getters -1; the
    // two selection getters write -1 to both outputs; text getters give ""
    // (those that fill a caller's buffer write nothing and answer 0).
    virtual BOOL SELockContent();
    virtual BOOL SEUnlockContent();
    virtual BOOL SECharSetSel(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharGetSel(LONG* pnStartChar, LONG* pnEndChar);
    virtual BOOL SEParaSetSel(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaGetSel(LONG* pnStartPara, LONG* pnEndPara);
    virtual BOOL SEClearSel();
    virtual BOOL SECharSetFontName(LPCTSTR szFontName);
    virtual BOOL SECharSetFontNameEx(LONG nStartChar, LONG nEndChar, LPCTSTR szFontName);
    virtual CString SECharGetFontName();
    virtual CString SECharGetFontNameEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetFontSize(LONG nFontSize);
    virtual BOOL SECharSetFontSizeEx(LONG nStartChar, LONG nEndChar, LONG nFontSize);
    virtual LONG SECharGetFontSize();
    virtual LONG SECharGetFontSizeEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetTextColor(COLORREF clColor);
    virtual BOOL SECharSetTextColorEx(LONG nStartChar, LONG nEndChar, COLORREF clColor);
    virtual LONG SECharGetTextColor();
    virtual LONG SECharGetTextColorEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetBgColor(short bSet, COLORREF clColor);
    virtual BOOL SECharSetBgColorEx(LONG nStartChar, LONG nEndChar, short bSet, COLORREF clColor);
    virtual LONG SECharGetBgColor(COLORREF* pclColor);
    virtual LONG SECharGetBgColorEx(LONG nStartChar, LONG nEndChar, COLORREF* pclColor);
    virtual BOOL SECharSetBold(short bBold);
    virtual BOOL SECharSetBoldEx(LONG nStartChar, LONG nEndChar, short bBold);
    virtual BOOL SECharGetBold();
    virtual BOOL SECharGetBoldEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetItalic(short bItalic);
    virtual BOOL SECharSetItalicEx(LONG nStartChar, LONG nEndChar, short bItalic);
    virtual BOOL SECharGetItalic();
    virtual BOOL SECharGetItalicEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetUnderline(short bUnderline);
    virtual BOOL SECharSetUnderlineEx(LONG nStartChar, LONG nEndChar, short bUnderline);
    virtual BOOL SECharGetUnderline();
    virtual BOOL SECharGetUnderlineEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetStrikeout(short bStrikeout);
    virtual BOOL SECharSetStrikeoutEx(LONG nStartChar, LONG nEndChar, short bStrikeout);
    virtual BOOL SECharGetStrikeout();
    virtual BOOL SECharGetStrikeoutEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetSuperscript(short bSuperscript);
    virtual BOOL SECharSetSuperscriptEx(LONG nStartChar, LONG nEndChar, short bSuperscript);
    virtual BOOL SECharGetSuperscript();
    virtual BOOL SECharGetSuperscriptEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SECharSetSubscript(short bSubscript);
    virtual BOOL SECharSetSubscriptEx(LONG nStartChar, LONG nEndChar, short bSubscript);
    virtual BOOL SECharGetSubscript();
    virtual BOOL SECharGetSubscriptEx(LONG nStartChar, LONG nEndChar);
    virtual BOOL SEParaSetAlign(LONG nAlign);
    virtual BOOL SEParaSetAlignEx(LONG nStartPara, LONG nEndPara, LONG nAlign);
    virtual LONG SEParaGetAlign();
    virtual LONG SEParaGetAlignEx(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaSetIndent();
    virtual BOOL SEParaSetOutdent();
    virtual BOOL SEParaSetIndentEx(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaSetOutdentEx(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaSetBullet(LONG nNumbering);
    virtual BOOL SEParaSetBulletEx(LONG nStartPara, LONG nEndPara, LONG nNumbering);
    virtual LONG SEParaGetBullet();
    virtual LONG SEParaGetBulletEx(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaSetLinespacing(short nType, LONG nSpacing);
    virtual BOOL SEParaSetLinespacingEx(LONG nStartPara, LONG nEndPara, short nType, LONG nSpacing);
    virtual short SEParaGetLinespacing(LONG* pnSpacing);
    virtual short SEParaGetLinespacingEx(LONG nStartPara, LONG nEndPara, LONG* pnSpacing);
    virtual BOOL SEParaSetBeforespacing(LONG nSpacing);
    virtual BOOL SEParaSetBeforespacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing);
    virtual LONG SEParaGetBeforespacing();
    virtual LONG SEParaGetBeforespacingEx(LONG nStartPara, LONG nEndPara);
    virtual BOOL SEParaSetAfterspacing(LONG nSpacing);
    virtual BOOL SEParaSetAfterspacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing);
    virtual LONG SEParaGetAfterspacing();
    virtual LONG SEParaGetAfterspacingEx(LONG nStartPara, LONG nEndPara);
    virtual LONG SEParaGetCount();
    // The text getters fill the caller's buffer of nBufferSize bytes and
    // answer the number of characters written.
    virtual LONG SEParaGetContentEx(LONG nStartPara, LONG nEndPara, LPTSTR pszBuffer, int nBufferSize);
    virtual LONG SEParaGetContent(LPTSTR pszBuffer, int nBufferSize);
    virtual LONG SECharGetSelText(LPTSTR pszBuffer, int nBufferSize);
    virtual LONG SECharGetSelTextEx(LONG nStartChar, LONG nEndChar, LPTSTR pszBuffer, int nBufferSize);
    virtual BOOL SECtrlGetCanRedo();
    virtual BOOL SECtrlGetCanUndo();
    virtual BOOL SECtrlGetCanPaste();
    virtual BOOL SECtrlRedo();
    virtual BOOL SECtrlUndo();
    virtual BOOL SECtrlCopy();
    virtual BOOL SECtrlCut();
    virtual BOOL SECtrlPaste();
    virtual BOOL SECtrlSetShowToolBar(short bShow);
    virtual BOOL SECtrlGetShowToolBar();
    virtual BOOL SECtrlSetPopupMenu(short bPopup);
    virtual BOOL SECtrlGetPopupMenu();
    virtual BOOL SECtrlSetTextLimit(LONG nLimitCount);
    virtual LONG SECtrlGetTextLimit();
    virtual BOOL SECtrlSetAutoURL(short bURL);
    virtual BOOL SECtrlGetAutoURL();
    virtual BOOL SECtrlSetRTF(LPCTSTR szRTF);
    virtual CString SECtrlGetRTF();
    virtual BOOL SECtrlSetText(LPCTSTR szText);
    virtual CString SECtrlGetText();
    virtual BOOL SECtrlInsertText(LPCTSTR szText);
    virtual BOOL SECtrlInsertTextEx(LONG nStartChar, LPCTSTR szText);
    virtual BOOL SECtrlDeleteText();
    virtual BOOL SECtrlDeleteTextEx(LONG nStartChar, LONG nEndChar);

    // --- copying ----------------------------------------------------------------
    // Takes over the other cell's value and settings through the virtual
    // setters; nothing when pSrc is this cell or NULL.
    virtual void CopyFrom(CGridCellBase* pSrc);
    // Every field back to the value of a new cell.
    virtual void Reset();

    // --- painting and measuring ---------------------------------------------------
    // Paints the cell on screen into rect, the rectangle the grid's painting
    // passes give it: its right and bottom are the cell's last pixel column
    // and row, and the lines it shares with its neighbours lie on its left
    // column and top row and one pixel beyond its right and bottom. The
    // cell's own colours, the selection tint, fixed-cell skins, borders and
    // grid lines, the sort arrow, the tip marker and the text, in that order
    // (see GridCellBasePaint.cpp). TRUE when drawn; TRUE also for a hidden
    // cell, which draws nothing; FALSE without a DC, for an empty rectangle
    // and for a cell without a default cell.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Moves the text rectangle's left side past the cell's image; TRUE.
    virtual BOOL GetTextRect(LPRECT pRect);
    // The size the text needs in this cell's font, margins included, scaled
    // by the grid's zoom factors (see GridCellBaseMeasure.cpp); each side
    // between 0 and GRID_MAX_TEXT_EXTENT.
    virtual CSize GetTextExtent(LPCTSTR szText, CDC* pDC, int nCol);
    // GetTextExtent of what the cell shows.
    virtual CSize GetCellExtent(CDC* pDC, int nCol);
    // The column width less the grid line (never below 0).
    virtual int GetTextAreaWidth(CDC* pDC, int nCol);

    // The edges of rect (a cell rectangle as Draw receives it): the cell's own
    // border blocks, else the grid default setting's, else the grid lines the
    // grid-line mode asks for; then the diagonal borders. Nothing without a
    // grid window. On a printer grid lines follow the print-grid-lines option.
    void DrawBorders(CGridCtrl* pGrid, CDC* pDC, CRect rect, int nRow, int nCol, BOOL bPrinting);
    // The red corner triangle of a cell whose tip is shown and not empty.
    void DrawTipMarker(CDC* pDC, const CRect& rect);
    // The DrawText format for the text: the cell's align made single-line or
    // word-breaking by the text and the wrap flag, with or without ellipsis.
    UINT GetDrawTextFormat(const CString& strText);
    // The text the cell shows: the display text, or the formatted text when
    // the cell has a format (formatted on pDC and cached on first use).
    // *pnColour receives the colour the format chose, -1 when none.
    CString GetTextToDraw(CDC* pDC, int* pnColour);
    // TRUE for the rich-text cell, whose text its own editor draws.
    BOOL IsRichTextCell() const;

    // --- editing ------------------------------------------------------------------
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);  // FALSE here
    virtual BOOL ValidateInput(UINT nChar);        // TRUE here
    virtual void EndEdit();
    virtual BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect);
    virtual void OnEndEdit();

    // --- mouse (nothing here) -------------------------------------------------------
    virtual void OnMouseOver();
    virtual void OnMouseLeave();
    virtual void OnClick(CPoint ptCellRelative);
    virtual void OnClickDown(CPoint ptCellRelative);
    virtual void OnRClick(CPoint ptCellRelative);
    virtual void OnDblClick(CPoint ptCellRelative);
    virtual BOOL OnSetCursor();                    // the arrow cursor, TRUE

    // --- format, display, merge ------------------------------------------------------
    // The value's format without the value itself (see the .cpp for the list).
    virtual void CopyFormat(CGridCellBase* pSrc);
    // A number as "%f" without trailing zeros ("" for 0 unless the cell is
    // modified and the grid draws zeros); text as GetText.
    virtual CString GetDisplayText();
    virtual BOOL IsVisible();

    virtual CGridCellRange GetMergeRange();
    virtual BOOL HasMergeOwner();                  // the merged flag
    virtual CGridCellPos GetMergeOwner();
    // Stores the owner; row -1 clears the merged flag, any other row sets it.
    virtual void SetMergeOwner(int nRow, int nCol);

    virtual CString GetFormattedText();
    virtual void SetMemo(LPCTSTR szMemo);
    virtual CString GetMemo();
    // Stores at most 31 bytes, cut at a character boundary (CutId).
    virtual void SetId(LPCTSTR szId);
    virtual LPCTSTR GetId();                       // "" when none
    virtual void SetReadOnly(BOOL bReadOnly);
    virtual void SetSelBackColor(COLORREF clr);    // also marks the colour as the cell's own
    virtual COLORREF GetSelBackColor();

    virtual void SetInputType(int nType);
    virtual int GetInputType();                    // -1 here
    virtual void SetInputLimit(BOOL bLimit, double dMin, double dMax);
    virtual BOOL GetInputLimit(double& dMin, double& dMax);  // 0 here, outputs untouched

    virtual void SetDisplayEllipsis(BOOL bEllipsis);
    virtual BOOL IsDisplayEllipsis();
    virtual void SetCellRect(const RECT* pRect);

    // --- control attributes -------------------------------------------------------------
    virtual BOOL SetControl(LPCTSTR szControl);   // FALSE here
    virtual CString GetControl();                  // "" here
    virtual BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue);  // FALSE here
    virtual CString GetControlProperty(LPCTSTR szKey);                // "" here
    virtual BOOL DelControlProperty(LPCTSTR szKey);                   // FALSE here

    // --- non-virtual members ----------------------------------------------------------------
    // Stores the "font" element text and applies the font it describes; an
    // empty text removes the cell's own font.
    void SetFontXml(LPCTSTR szText);
    void SetFormatXml(LPCTSTR szText);             // also empties the formatted-text cache
    CString GetFontXml();                          // the font text, else the text of GetFont()
    CString GetFormatXml();

    void SetVisible(BOOL bVisible);
    void ClearMerge();
    void SetMergeRange(const CGridCellRange& range);
    BOOL IsMerged();
    BOOL IsMergeOwnerCell() const { return m_bits.mergeOwner; }
    void SetMergeOwnerCell(BOOL bOwner) { m_bits.mergeOwner = bOwner ? 1 : 0; }

    // Sets the block on every border bit of nMask (1..255); FALSE for another
    // mask or a block that is not valid (width > 0, pen style 0..4, colour
    // >= 0). A dashed or dotted line gets width 1, a solid one at most 3.
    BOOL SetBorder(UINT nMask, COLORREF clr, int nPenStyle, int nWidth);
    // The block of one border bit when that bit is set (any of the eight).
    BOOL GetBorder(UINT nBit, COLORREF* pclr, int* pnPenStyle, int* pnWidth);
    BOOL RemoveBorder(UINT nMask);                 // clears the bits; the blocks keep their values
    UINT GetBorderMask() const { return m_pExtra ? m_pExtra->nBorderMask : 0; }

    CRect GetCellRect() const { return CRect(m_rcCell); }
    // The id as a cell keeps it: at most 31 bytes, never half a two-byte character.
    static CString CutId(LPCTSTR szId);
    // "" for a merged cell that is not the owner of its block, else GetDisplayText.
    CString GetTextForCopy();

    // The number flag: 1 when the value is a number. The grid's data-type
    // number is kept here too; any value other than 0 counts as a number.
    BOOL IsNumber() const { return m_bits.number; }
    int GetDataType() const;
    void SetDataType(int nType);

    BOOL GetShowText() const { return m_bits.showText; }
    void SetShowText(BOOL bShow) { m_bits.showText = bShow ? 1 : 0; }
    BOOL HasOwnSelBackColor() const { return m_bits.ownSelBack; }
    int GetFormatColour() const { return m_pExtra ? m_pExtra->nFormatColour : -1; }
    // Stores the text (and colour) the format element made for the current value.
    void SetFormattedText(const CString& strText, int nColour);

protected:
    // Flags of every level, packed: the base level's first, then CGridCell's.
    struct Bits {
        unsigned number : 1;
        unsigned displayEllipsis : 1;
        unsigned displayTip : 1;
        unsigned showText : 1;
        unsigned mergeOwner : 1;
        unsigned merged : 1;
        unsigned hidden : 1;
        unsigned ownSelBack : 1;
        unsigned ownTextColour : 1;   // CGridCell
        unsigned ownBackColour : 1;   // CGridCell
        unsigned limit : 1;           // CGridCell
        unsigned wrap : 1;            // CGridCell
        unsigned editing : 1;         // CGridCell
    };

    // The block of rare fields, allocated on first use.
    CGridCellExtra& Extra();
    const CGridCellExtra* ExtraOrNull() const { return m_pExtra.get(); }
    // Releases the block when every field in it holds its default again.
    void ReleaseExtraIfDefault();
    void EmptyFormattedText();

    UINT m_nState = 0;
    Bits m_bits;
    std::unique_ptr<CGridCellExtra> m_pExtra;
    RECT m_rcCell = {0, 0, 0, 0};

private:
    friend class CGridCellRecordAccess;
};
