// The Cell family of the control's members: one cell's value, colours, font
// and format texts, tip, memo, id, read-only and hidden flags, input limits,
// control type and control texts, focus, rectangle, merged block, borders,
// wrapping, alignment, data type, formula, image and item data.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its row before it and runs the redraw marks after it.
// Rows and columns go to the grid unchecked unless the row names a check; the
// grid answers its own failure for a cell that does not exist.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

namespace {

// The cell a member reads directly, or NULL (no grid engine, no cell).
CGridCellBase* CellAt(CGridCtrl* grid, LONG row, LONG col)
{
    return grid != nullptr ? grid->GetCell(row, col) : nullptr;
}

}  // namespace

// ---- value ------------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetValue(LONG nRow, LONG nCol, const CString& strValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellText(nRow, nCol, strValue);
}

BOOL CKivoSheetCtrl::DoCellSetValueEx(LONG nRow, LONG nCol, double dbValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellValue(nRow, nCol, dbValue);
}

CString CKivoSheetCtrl::DoCellGetValue(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellText(nRow, nCol) : CString();
}

double CKivoSheetCtrl::DoCellGetValueEx(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellValue(nRow, nCol) : 0.0;
}

CString CKivoSheetCtrl::DoCellGetValueEx2(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellDisplayText(nRow, nCol) : CString();
}

// ---- colours ----------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetBackColor(LONG nRow, LONG nCol, LONG clColor)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellBackColor(nRow, nCol, static_cast<COLORREF>(clColor));
}

LONG CKivoSheetCtrl::DoCellGetBackColor(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetCellBackColor(nRow, nCol)) : 0;
}

BOOL CKivoSheetCtrl::DoCellSetTextColor(LONG nRow, LONG nCol, LONG clColor)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellTextColor(nRow, nCol, static_cast<COLORREF>(clColor));
}

LONG CKivoSheetCtrl::DoCellGetTextColor(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetCellTextColor(nRow, nCol)) : 0;
}

BOOL CKivoSheetCtrl::DoCellSetSelBackColor(LONG nRow, LONG nCol, LONG clSelColor)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellSelBackColor(nRow, nCol, static_cast<COLORREF>(clSelColor));
}

LONG CKivoSheetCtrl::DoCellGetSelBackColor(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr ? static_cast<LONG>(cell->GetSelBackColor()) : -1;
}

// ---- font and format texts ----------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetTextFont(LONG nRow, LONG nCol, const CString& strXmlFont)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !grid->SetCellTextFont(nRow, nCol, strXmlFont))
        return FALSE;
    // A taller font makes the row taller while the grid fits rows to their
    // cells; a refused font changes nothing.
    if (grid->GetAutoSizeRowAfterEdit())
        grid->AutoSizeRow(nRow);
    return TRUE;
}

int CKivoSheetCtrl::DoCellSetTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName,
                                              const CString& strPropertyValue)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    const short result = grid->SetCellTextFontProperty(nRow, nCol, strPropertyName, strPropertyValue);
    if (result >= 0 && grid->GetAutoSizeRowAfterEdit())
        grid->AutoSizeRow(nRow);
    return result;
}

BOOL CKivoSheetCtrl::DoCellDelTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DelCellTextFontProperty(nRow, nCol, strPropertyName);
}

CString CKivoSheetCtrl::DoCellGetTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellTextFontProperty(nRow, nCol, strPropertyName) : CString();
}

CString CKivoSheetCtrl::DoCellGetTextFont(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellTextFont(nRow, nCol) : CString();
}

BOOL CKivoSheetCtrl::DoCellSetTextFormat(LONG nRow, LONG nCol, const CString& strXmlFormat)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellTextFormat(nRow, nCol, strXmlFormat);
}

CString CKivoSheetCtrl::DoCellGetTextFormat(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellTextFormat(nRow, nCol) : CString();
}

int CKivoSheetCtrl::DoCellSetTextFormatProperty(LONG nRow, LONG nCol, const CString& strPropertyName,
                                                const CString& strPropertyValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->SetCellTextFormatProperty(nRow, nCol, strPropertyName, strPropertyValue) : 0;
}

BOOL CKivoSheetCtrl::DoCellDelTextFormatProperty(LONG nRow, LONG nCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DelCellTextFormatProperty(nRow, nCol, strAttName);
}

CString CKivoSheetCtrl::DoCellGetTextFormatProperty(LONG nRow, LONG nCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellTextFormatProperty(nRow, nCol, strAttName) : CString();
}

// ---- tips, memo and id ----------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetTipText(LONG nRow, LONG nCol, const CString& strTipText)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellTipText(nRow, nCol, strTipText);
}

CString CKivoSheetCtrl::DoCellGetTipText(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellTipText(nRow, nCol) : CString();
}

CString CKivoSheetCtrl::DoCellGetCurrentTipText(LONG nRow, LONG nCol)
{
    // What a tip window shows: the tip text, or the cell's own text when the
    // sheet shows texts as tips and the cell has no tip of its own.
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return CString();
    CString tip = grid->GetCellTipText(nRow, nCol);
    if (tip.IsEmpty() && grid->GetDefaultSettingRecord().m_bTip != 0)
        tip = grid->GetCellText(nRow, nCol);
    return tip;
}

BOOL CKivoSheetCtrl::DoCellSetDisplayTip(LONG nRow, LONG nCol, SHORT bTip)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellDisplayTip(nRow, nCol, bTip != 0);
}

BOOL CKivoSheetCtrl::DoCellIsDisplayTip(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr && cell->IsDisplayTip();
}

BOOL CKivoSheetCtrl::DoCellSetMemo(LONG nRow, LONG nCol, const CString& strMemo)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellMemo(nRow, nCol, strMemo);
}

CString CKivoSheetCtrl::DoCellGetMemo(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellMemo(nRow, nCol) : CString();
}

BOOL CKivoSheetCtrl::DoCellSetId(LONG nRow, LONG nCol, const CString& strId)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellId(nRow, nCol, strId);
}

CString CKivoSheetCtrl::DoCellGetId(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellId(nRow, nCol) : CString();
}

BOOL CKivoSheetCtrl::DoCellGetMarkFromId(const CString& strId, LONG& nRow, LONG& nCol)
{
    // A cell mark such as "B12": column letters and a row number.
    CGridCtrl* grid = Engine();
    int row = -1;
    int col = -1;
    const BOOL found = grid != nullptr && grid->GetCellFromId(strId, row, col);
    nRow = row;
    nCol = col;
    return found;
}

BOOL CKivoSheetCtrl::DoCellGetFromId(const CString& strId, LONG& nRow, LONG& nCol)
{
    // The cell named by the id table, the text compared exactly.
    CGridCtrl* grid = Engine();
    int row = -1;
    int col = -1;
    const BOOL found = grid != nullptr && grid->FindCellById(strId, row, col);
    nRow = found ? row : -1;
    nCol = found ? col : -1;
    return found;
}

// ---- read-only, ellipsis and hidden cells ------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetReadOnly(LONG nRow, LONG nCol, SHORT bReadOnly)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellReadOnly(nRow, nCol, bReadOnly != 0);
}

BOOL CKivoSheetCtrl::DoCellIsReadOnly(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellReadOnly(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellIsDisplayEllipsis(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr && cell->IsDisplayEllipsis();
}

BOOL CKivoSheetCtrl::DoCellSetDisplayEllipsis(LONG nRow, LONG nCol, SHORT bEllipsis)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellDisplayEllipsis(nRow, nCol, bEllipsis != 0);
}

BOOL CKivoSheetCtrl::DoCellSetHide(LONG nRow, LONG nCol, SHORT bHide)
{
    // The grid's answer: a cell that does not exist is not reported hidden.
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellHide(nRow, nCol, bHide != 0);
}

BOOL CKivoSheetCtrl::DoCellIsHide(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellHide(nRow, nCol);
}

// ---- input type and limits -----------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetInputType(LONG nRow, LONG nCol, LONG nType)
{
    // The grid's answer: FALSE for a type other than 0 and 1 or no cell.
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellInputType(nRow, nCol, nType);
}

LONG CKivoSheetCtrl::DoCellGetInputType(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr ? cell->GetInputType() : -1;
}

BOOL CKivoSheetCtrl::DoCellSetInputLimit(LONG nRow, LONG nCol, SHORT bLimit, double dbMin, double dbMax)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellInputLimit(nRow, nCol, bLimit != 0, dbMin, dbMax);
}

BOOL CKivoSheetCtrl::DoCellGetInputLimit(LONG nRow, LONG nCol, double& dbMin, double& dbMax)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    double lo = 0.0;
    double hi = 0.0;
    const BOOL limited = grid->GetCellInputLimit(nRow, nCol, lo, hi);
    dbMin = lo;
    dbMax = hi;
    return limited;
}

// ---- control type and control texts --------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetControlType(LONG nRow, LONG nCol, LONG nCtlType)
{
    // A type number 0 to 12; the radio type (8) has no cell class and fails.
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellType(nRow, nCol, static_cast<int>(nCtlType));
}

LONG CKivoSheetCtrl::DoCellGetControlType(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellType(nRow, nCol) : -1;
}

BOOL CKivoSheetCtrl::DoCellSetControl(LONG nRow, LONG nCol, const CString& strCtlXml)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellControl(nRow, nCol, strCtlXml);
}

CString CKivoSheetCtrl::DoCellGetControl(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellControl(nRow, nCol) : CString();
}

BOOL CKivoSheetCtrl::DoCellSetControlProperty(LONG nRow, LONG nCol, const CString& strAttName,
                                              const CString& strAttValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellControlProperty(nRow, nCol, strAttName, strAttValue);
}

CString CKivoSheetCtrl::DoCellGetControlProperty(LONG nRow, LONG nCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellControlProperty(nRow, nCol, strAttName) : CString();
}

BOOL CKivoSheetCtrl::DoCellDelControlProperty(LONG nRow, LONG nCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DelCellControlProperty(nRow, nCol, strAttName);
}

// ---- focus and rectangle ----------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetFocus(LONG nRow, LONG nCol)
{
    // The member's checks have put (row, col) in the scrollable part.
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    // The keyboard focus goes to the control, which hands it to the grid window.
    if (GetSafeHwnd() != nullptr)
        SetFocus();
    grid->SetFocusCell(nRow, nCol);
    if (!grid->IsCellVisible(nRow, nCol))
        grid->EnsureVisible(nRow, nCol);
    grid->SetSelectedRange(nRow, nCol, nRow, nCol);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoCellGetFocus(LONG& nRow, LONG& nCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos focus = grid->GetFocusCell();
    nRow = focus.row;
    nCol = focus.col;
    return grid->IsCellValid(focus.row, focus.col);
}

BOOL CKivoSheetCtrl::DoCellGetRect(LONG nRow, LONG nCol, LONG& nLeft, LONG& nTop, LONG& nRight, LONG& nBottom)
{
    CGridCtrl* grid = Engine();
    CRect rect;
    if (grid == nullptr || !grid->GetCellRect(nRow, nCol, &rect))
        return FALSE;
    nLeft = rect.left;
    nTop = rect.top;
    nRight = rect.right;
    nBottom = rect.bottom;
    return TRUE;
}

// ---- states and merged blocks -------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellIsMerged(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellMerged(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellIsSelected(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellSelected(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellIsModified(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && (grid->GetCellState(nRow, nCol) & GCS_MODIFIED) != 0;
}

BOOL CKivoSheetCtrl::DoCellIsEditing(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellEditing(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellIsFixed(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellFixed(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellIsValid(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellValid(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoCellGetMergeRange(LONG nRow, LONG nCol, LONG& nMgStartRow, LONG& nMgStartCol,
                                         LONG& nMgEndRow, LONG& nMgEndCol)
{
    CGridCtrl* grid = Engine();
    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
    const BOOL merged = grid != nullptr && grid->GetMergeRange(nRow, nCol, minRow, minCol, maxRow, maxCol);
    nMgStartRow = minRow;
    nMgStartCol = minCol;
    nMgEndRow = maxRow;
    nMgEndCol = maxCol;
    return merged;
}

LONG CKivoSheetCtrl::DoCellGetMergeHeight(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetMergeHeight(nRow, nCol) : 0;
}

LONG CKivoSheetCtrl::DoCellGetMergeWidth(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetMergeWidth(nRow, nCol) : 0;
}

// ---- borders ----------------------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetBorder(LONG nRow, LONG nCol, LONG nBorderFlags, LONG nLineStyle, LONG crLineColor,
                                     LONG nLineWidth)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellBorder(nRow, nCol, nBorderFlags, nLineStyle,
                                                  static_cast<COLORREF>(crLineColor), nLineWidth);
}

BOOL CKivoSheetCtrl::DoCellGetBorder(LONG nRow, LONG nCol, LONG nBorderFlag, LONG& nLineStyle, LONG& crLineColor,
                                     LONG& nLineWidth)
{
    // One border bit; the outputs stay as they were when that border is not set.
    CGridCtrl* grid = Engine();
    int style = 0;
    COLORREF colour = 0;
    int width = 0;
    if (grid == nullptr || nBorderFlag <= 0 ||
        !grid->GetCellBorder(nRow, nCol, static_cast<UINT>(nBorderFlag), &style, &colour, &width))
        return FALSE;
    nLineStyle = style;
    crLineColor = static_cast<LONG>(colour);
    nLineWidth = width;
    return TRUE;
}

LONG CKivoSheetCtrl::DoCellGetBorderFlags(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellBorderFlags(nRow, nCol) : 0;
}

BOOL CKivoSheetCtrl::DoCellDelBorder(LONG nRow, LONG nCol, LONG nBorderFlags)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DeleteCellBorder(nRow, nCol, nBorderFlags);
}

// ---- wrapping and alignment -----------------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetTextWrap(LONG nRow, LONG nCol, SHORT bWrap)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !grid->SetCellTextWrap(nRow, nCol, bWrap != 0))
        return FALSE;
    // The row fits its wrapped (or unwrapped) text, whatever the grid's
    // auto-size setting.
    grid->AutoSizeRow(nRow);
    return TRUE;
}

int CKivoSheetCtrl::DoCellIsTextWrap(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsCellTextWrap(nRow, nCol) ? 1 : 0;
}

BOOL CKivoSheetCtrl::DoCellSetAlign(LONG nRow, LONG nCol, LONG nAlign)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellAlign(nRow, nCol, static_cast<UINT>(nAlign));
}

LONG CKivoSheetCtrl::DoCellGetAlign(LONG nRow, LONG nCol)
{
    // The cell's DrawText format reduced to its alignment: right, centre or
    // left, plus bottom or vertical centre (top adds nothing).
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    const UINT format = grid->GetCellAlign(nRow, nCol);
    LONG align = (format & DT_RIGHT) != 0 ? DT_RIGHT : (format & DT_CENTER) != 0 ? DT_CENTER : DT_LEFT;
    if ((format & DT_BOTTOM) != 0)
        align |= DT_BOTTOM;
    else if ((format & DT_VCENTER) != 0)
        align |= DT_VCENTER;
    return align;
}

// ---- data type, formula, image, item data ------------------------------------------------------

BOOL CKivoSheetCtrl::DoCellSetDateType(LONG nRow, LONG nCol, LONG nType)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellDataType(nRow, nCol, nType);
}

LONG CKivoSheetCtrl::DoCellGetDataType(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellDataType(nRow, nCol) : -1;
}

int CKivoSheetCtrl::DoCellSetFormula(LONG nRow, LONG nCol, const CString& strFormula)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellFormula(nRow, nCol, strFormula) ? 1 : 0;
}

CString CKivoSheetCtrl::DoCellGetFormula(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetCellFormula(nRow, nCol) : CString();
}

int CKivoSheetCtrl::DoCellSetImage(LONG nRow, LONG nCol, LONG nImgIndex)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetCellImage(nRow, nCol, nImgIndex) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoCellGetImage(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr ? cell->GetImage() : -1;
}

void CKivoSheetCtrl::DoCellSetItemData(LONG nRow, LONG nCol, LONG pData)
{
    if (CGridCtrl* grid = Engine())
        grid->SetCellItemData(nRow, nCol, pData);
}

LONG CKivoSheetCtrl::DoCellGetItemData(LONG nRow, LONG nCol)
{
    CGridCellBase* cell = CellAt(Engine(), nRow, nCol);
    return cell != nullptr ? cell->GetItemData() : 0;
}
