// Reading and setting one property of one cell, addressed by row and column.
//
// Every setter follows one rule (see GridCtrlCellSetter.h): nothing in
// virtual mode or without a cell, then the cell's own setter, then a merged
// cell is copied over its block so every cell of a block stays alike. The
// comments in GridCtrl.h name the setters that differ.
#include "grid/GridCtrl.h"

#include "grid/GridCtrlCellSetter.h"

using gridcell::SetOnCell;
using gridcell::StoredCell;

// --- content --------------------------------------------------------------------------

BOOL CGridCtrl::SetCellText(int nRow, int nCol, LPCTSTR szText)
{
    m_FormulaEngine.BeginCellChange(nRow, nCol);
    if (!SetOnCell(*this, nRow, nCol, [szText](CGridCellBase* pCell) { pCell->SetText(szText); })) {
        m_FormulaEngine.EndCellChange(nRow, nCol, true);
        return FALSE;
    }
    SetModified(TRUE, nRow, nCol);
    CGridCellBase* pChanged = GetCell(nRow, nCol);
    m_FormulaEngine.EndCellChange(nRow, nCol, pChanged == nullptr || !pChanged->IsMerged());
    RecalcDependents(CGridCellPos(nRow, nCol));
    return TRUE;
}

BOOL CGridCtrl::SetCellValue(int nRow, int nCol, double dValue)
{
    m_FormulaEngine.BeginCellChange(nRow, nCol);
    if (!SetOnCell(*this, nRow, nCol, [dValue](CGridCellBase* pCell) { pCell->SetValue(dValue); })) {
        m_FormulaEngine.EndCellChange(nRow, nCol, true);
        return FALSE;
    }
    SetModified(TRUE, nRow, nCol);
    CGridCellBase* pChanged = GetCell(nRow, nCol);
    m_FormulaEngine.EndCellChange(nRow, nCol, pChanged == nullptr || !pChanged->IsMerged());
    RecalcDependents(CGridCellPos(nRow, nCol));
    return TRUE;
}

CString CGridCtrl::GetCellText(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return CString();
    return CString(pCell->GetText());
}

double CGridCtrl::GetCellValue(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetValue() : 0.0;
}

BOOL CGridCtrl::SetCellItemData(int nRow, int nCol, int nData)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetItemData(nData);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetCellImage(int nRow, int nCol, int nImage)
{
    if (nImage < 0 || nImage > 0xFFFE)
        return FALSE;
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    // A cell that cannot become an image cell keeps what it was and is not
    // reported as changed.
    if (GetCellType(nRow, nCol) != GCT_IMAGE) {
        if (!SetCellType(nRow, nCol, static_cast<int>(GCT_IMAGE)))
            return FALSE;
        pCell = GetCell(nRow, nCol);
        if (pCell == nullptr)
            return FALSE;
    }
    pCell->SetImage(nImage);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

// --- state -------------------------------------------------------------------------------

BOOL CGridCtrl::SetCellState(int nRow, int nCol, UINT nState)
{
    const BOOL bSelected = (nState & GCS_SELECTED) != 0;
    SelectCell(nRow, nCol, bSelected);       // the selection map follows, virtual mode too
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    if (!pCell->IsMerged()) {
        pCell->SetState(nState);
        return TRUE;
    }
    // A block shares its state: every cell gets the word, and the selection
    // map follows each of them.
    const CGridCellRange block = pCell->GetMergeRange();
    for (int row = block.GetMinRow(); row <= block.GetMaxRow(); ++row) {
        for (int col = block.GetMinCol(); col <= block.GetMaxCol(); ++col) {
            CGridCellBase* pMember = GetCell(row, col);
            if (pMember == nullptr)
                continue;
            SelectCell(row, col, bSelected);
            pMember->SetState(nState);
        }
    }
    return TRUE;
}

UINT CGridCtrl::GetCellState(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetState() : 0;
}

// --- appearance ---------------------------------------------------------------------------

BOOL CGridCtrl::SetCellAlign(int nRow, int nCol, UINT nFormat)
{
    return SetOnCell(*this, nRow, nCol, [nFormat](CGridCellBase* pCell) { pCell->SetAlign(nFormat); });
}

UINT CGridCtrl::GetCellAlign(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetAlign() : 0;
}

BOOL CGridCtrl::SetCellBackColor(int nRow, int nCol, COLORREF clr)
{
    return SetOnCell(*this, nRow, nCol, [clr](CGridCellBase* pCell) { pCell->SetBackColor(clr); });
}

BOOL CGridCtrl::SetCellTextColor(int nRow, int nCol, COLORREF clr)
{
    return SetOnCell(*this, nRow, nCol, [clr](CGridCellBase* pCell) { pCell->SetTextColor(clr); });
}

COLORREF CGridCtrl::GetCellBackColor(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetBackColor() : 0;
}

COLORREF CGridCtrl::GetCellTextColor(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetTextColor() : 0;
}

const LOGFONT* CGridCtrl::GetCellFont(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr)
        return pCell->GetFont();
    return GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols)->GetFont();
}

CSize CGridCtrl::GetCellTextExtent(int nRow, int nCol, LPCTSTR szText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return CSize(0, 0);
    return pCell->GetTextExtent(szText, nullptr, nCol);
}

BOOL CGridCtrl::SetCellTipText(int nRow, int nCol, LPCTSTR szTip)
{
    return SetOnCell(*this, nRow, nCol, [szTip](CGridCellBase* pCell) { pCell->SetTipText(szTip); });
}

CString CGridCtrl::GetCellTipText(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetTipText() : CString();
}

BOOL CGridCtrl::SetCellDisplayTip(int nRow, int nCol, BOOL bDisplay)
{
    return SetOnCell(*this, nRow, nCol, [bDisplay](CGridCellBase* pCell) { pCell->SetDisplayTip(bDisplay); });
}

BOOL CGridCtrl::SetCellMemo(int nRow, int nCol, LPCTSTR szMemo)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetMemo(szMemo);
    return TRUE;
}

CString CGridCtrl::GetCellMemo(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetMemo() : CString();
}

BOOL CGridCtrl::SetCellDisplayEllipsis(int nRow, int nCol, BOOL bEllipsis)
{
    return SetOnCell(*this, nRow, nCol,
                     [bEllipsis](CGridCellBase* pCell) { pCell->SetDisplayEllipsis(bEllipsis); });
}

BOOL CGridCtrl::SetCellSelBackColor(int nRow, int nCol, COLORREF clr)
{
    return SetOnCell(*this, nRow, nCol, [clr](CGridCellBase* pCell) { pCell->SetSelBackColor(clr); });
}

BOOL CGridCtrl::SetCellTextWrap(int nRow, int nCol, BOOL bWrap)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetWrapText(bWrap);
    if (!m_bVirtualMode && pCell->IsMerged())
        CopyCellToRange(pCell->GetMergeRange(), pCell);
    return TRUE;
}

BOOL CGridCtrl::IsCellTextWrap(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->GetWrapText();
}

// --- read-only and hidden cells -----------------------------------------------------------

BOOL CGridCtrl::SetCellReadOnly(int nRow, int nCol, BOOL bReadOnly)
{
    return SetOnCell(*this, nRow, nCol, [bReadOnly](CGridCellBase* pCell) { pCell->SetReadOnly(bReadOnly); });
}

BOOL CGridCtrl::IsCellReadOnly(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr && pCell->IsReadOnly();
}

BOOL CGridCtrl::SetCellHide(int nRow, int nCol, BOOL bHide)
{
    return SetOnCell(*this, nRow, nCol, [bHide](CGridCellBase* pCell) {
        pCell->SetVisible(!bHide);
        pCell->SetReadOnly(bHide);
        pCell->SetDisplayTip(!bHide);
    });
}

BOOL CGridCtrl::IsCellHide(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr && !pCell->IsVisible();
}

// --- input rules and data type --------------------------------------------------------------

BOOL CGridCtrl::SetCellInputType(int nRow, int nCol, int nType)
{
    if (nType != 0 && nType != 1)
        return FALSE;
    return SetOnCell(*this, nRow, nCol, [nType](CGridCellBase* pCell) { pCell->SetInputType(nType); });
}

BOOL CGridCtrl::SetCellInputLimit(int nRow, int nCol, BOOL bLimit, double dMin, double dMax)
{
    return SetOnCell(*this, nRow, nCol,
                     [=](CGridCellBase* pCell) { pCell->SetInputLimit(bLimit, dMin, dMax); });
}

BOOL CGridCtrl::GetCellInputLimit(int nRow, int nCol, double& dMin, double& dMax)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr) {
        dMin = 0.0;
        dMax = 0.0;
        return FALSE;
    }
    return pCell->GetInputLimit(dMin, dMax);
}

int CGridCtrl::GetCellDataType(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetDataType() : -1;
}

BOOL CGridCtrl::SetCellDataType(int nRow, int nCol, int nType)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetDataType(nType);
    return TRUE;
}

// --- whole rows and columns -----------------------------------------------------------------

BOOL CGridCtrl::SetRowTextColor(int nRow, COLORREF clr)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    for (int col = m_nFixedCols; col < m_nCols; ++col)
        SetCellTextColor(nRow, col, clr);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetRowBackColor(int nRow, COLORREF clr)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    for (int col = m_nFixedCols; col < m_nCols; ++col)
        SetCellBackColor(nRow, col, clr);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetColumnTextColor(int nCol, COLORREF clr)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    for (int row = m_nFixedRows; row < m_nRows; ++row)
        SetCellTextColor(row, nCol, clr);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetColumnBackColor(int nCol, COLORREF clr)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    for (int row = m_nFixedRows; row < m_nRows; ++row)
        SetCellBackColor(row, nCol, clr);
    Refresh();
    return TRUE;
}

void CGridCtrl::SetVirtualLineShowStyle(int nStyle)
{
    m_nGridLineMode = nStyle;
    Refresh();
}
