// The selection: a set of cells (kept in a map and mirrored in each cell's
// selected bit) or a whole-line selection (a band of rows, a band of columns,
// or everything) held as a kind and a band; and clearing the text of it.
#include "grid/GridCtrl.h"

#include "base/NumberText.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

inline std::uint64_t SelKey(int nRow, int nCol)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nRow)) << 32) | static_cast<std::uint32_t>(nCol);
}

}  // namespace

BOOL CGridCtrl::IsRangeValid(const CGridCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
           range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
           range.GetMinCol() <= range.GetMaxCol();
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol)
{
    if (!IsEditable())
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && !pCell->IsReadOnly();
}

// Takes every cell of the current map out of the selection.
void CGridCtrl::DeselectCurrentMap()
{
    for (const auto& entry : m_SelectedCellMap) {
        CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(entry.second.row, entry.second.col);
        if (pCell != nullptr)
            pCell->SetState(pCell->GetState() & ~static_cast<UINT>(GCS_SELECTED));
    }
    m_SelectedCellMap.clear();
}

void CGridCtrl::SetSelectedRange(const CGridCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL /*bForceRepaint*/,
                                 BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;

    // Selecting cells with the mouse takes in every merged block the range touches.
    if (m_input.nMouseMode == 4 && nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= nMinRow && nMaxCol >= nMinCol) {
        CGridCellRange passed(nMinRow, nMinCol, nMaxRow, nMaxCol);
        for (const CGridCellPos& owner : m_arMergeOwners) {
            CGridCellBase* pOwner = GetCell(owner.row, owner.col);
            if (pOwner == nullptr)
                continue;
            CGridCellRange merge = pOwner->GetMergeRange();
            if (!IsRangeValid(merge))
                continue;
            if (merge.GetMaxRow() < passed.GetMinRow() || merge.GetMinRow() > passed.GetMaxRow() ||
                merge.GetMaxCol() < passed.GetMinCol() || merge.GetMinCol() > passed.GetMaxCol())
                continue;
            nMinRow = std::min(nMinRow, merge.GetMinRow());
            nMinCol = std::min(nMinCol, merge.GetMinCol());
            nMaxRow = std::max(nMaxRow, merge.GetMaxRow());
            nMaxCol = std::max(nMaxCol, merge.GetMaxCol());
        }
    }

    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols)
        nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols)
        nMaxCol = m_nFixedCols;

    BOOL bComplete = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
    if (bSelectCells) {
        DeselectCurrentMap();
        if (!(m_bListMode && m_bKeepSelection) && bComplete) {
            for (const auto& entry : m_PrevSelectedCellMap) {
                if (IsValid(entry.second.row, entry.second.col))
                    SelectCell(entry.second.row, entry.second.col, TRUE);
            }
        }
    }

    if (bComplete && nMaxRow < m_nRows && nMaxCol < m_nCols && nMaxRow >= nMinRow && nMaxCol >= nMinCol) {
        for (int row = nMinRow; row <= nMaxRow; ++row) {
            for (int col = nMinCol; col <= nMaxCol; ++col)
                SelectCell(row, col, bSelectCells);
        }
        SendGridMessage(WM_GRID_SELECTRANGE, MAKELONG(static_cast<WORD>(nMinRow), static_cast<WORD>(nMaxRow)),
                        MAKELONG(static_cast<WORD>(nMinCol), static_cast<WORD>(nMaxCol)),
                        GridEventLines{nMinRow, nMinCol, nMaxRow, nMaxCol});
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CGridCtrl::SelectCells(CGridCellPos cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!IsValid(cell.row, cell.col) || IsCellFixed(cell.row, cell.col))
        return;
    m_nSelectionKind = GSK_CELLS;
    m_nSelBandFirst = -1;
    m_nSelBandLast = -1;
    CGridCellPos anchor = IsValid(m_idSelectionAnchor.row, m_idSelectionAnchor.col) ? m_idSelectionAnchor : cell;
    SetSelectedRange(std::min(anchor.row, cell.row), std::min(anchor.col, cell.col), std::max(anchor.row, cell.row),
                     std::max(anchor.col, cell.col), bForceRedraw, bSelectCells);
}

// The merged block that the cell at (nRow, nCol) belongs to, as its owner or
// as a covered cell; FALSE when the cell is not merged. A covered cell whose
// owner is gone yields the empty range, which moves nothing.
static BOOL GetMergeBlockAt(CGridCtrl& grid, int nRow, int nCol, CGridCellRange& block)
{
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    if (pCell->IsMerged()) {
        block = pCell->GetMergeRange();
        return TRUE;
    }
    if (!pCell->HasMergeOwner())
        return FALSE;
    CGridCellPos owner = pCell->GetMergeOwner();
    CGridCellBase* pOwner = grid.GetCell(owner.row, owner.col);
    block = pOwner != nullptr ? pOwner->GetMergeRange() : CGridCellRange();
    return TRUE;
}

void CGridCtrl::SelectRowBand(CGridCellPos cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!IsValid(cell.row, cell.col) || cell.row < m_nFixedRows)
        return;
    CGridCellPos anchor = IsValid(m_idSelectionAnchor.row, m_idSelectionAnchor.col) ? m_idSelectionAnchor : cell;
    if (anchor.row < m_nFixedRows)
        anchor.row = cell.row;
    m_nSelectionKind = GSK_ROWS;
    if (m_bSingleBand) {
        m_nSelBandFirst = cell.row;
        m_nSelBandLast = cell.row;
    } else {
        m_nSelBandFirst = std::min(anchor.row, cell.row);
        m_nSelBandLast = std::max(anchor.row, cell.row);
    }
    DeselectCurrentMap();
    int nRow = m_bSingleBand ? cell.row : anchor.row;
    int nCol = m_nFixedCols;
    CGridCellRange merge;
    if (GetMergeBlockAt(*this, nRow, nCol, merge) && merge.GetMaxCol() + 1 < m_nCols && merge.GetMaxCol() >= nCol)
        nCol = merge.GetMaxCol() + 1;
    if (!IsValid(nRow, nCol))
        return;
    SetFocusCell(nRow, nCol);
    SetSelectedRange(nRow, nCol, nRow, nCol, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectColumnBand(CGridCellPos cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!IsValid(cell.row, cell.col) || cell.col < m_nFixedCols)
        return;
    CGridCellPos anchor = IsValid(m_idSelectionAnchor.row, m_idSelectionAnchor.col) ? m_idSelectionAnchor : cell;
    if (anchor.col < m_nFixedCols)
        anchor.col = cell.col;
    m_nSelectionKind = GSK_COLUMNS;
    if (m_bSingleBand) {
        m_nSelBandFirst = cell.col;
        m_nSelBandLast = cell.col;
    } else {
        m_nSelBandFirst = std::min(anchor.col, cell.col);
        m_nSelBandLast = std::max(anchor.col, cell.col);
    }
    DeselectCurrentMap();
    int nCol = m_bSingleBand ? cell.col : anchor.col;
    int nRow = m_nFixedRows;
    CGridCellRange merge;
    if (GetMergeBlockAt(*this, nRow, nCol, merge) && merge.GetMaxRow() + 1 < m_nRows && merge.GetMaxRow() >= nRow)
        nRow = merge.GetMaxRow() + 1;
    if (!IsValid(nRow, nCol))
        return;
    SetFocusCell(nRow, nCol);
    SetSelectedRange(nRow, nCol, nRow, nCol, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    m_nSelBandFirst = -1;
    m_nSelBandLast = -1;
    m_nSelectionKind = GSK_ALL;
    DeselectCurrentMap();
    if (!IsValid(m_nFixedRows, m_nFixedCols))
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nFixedRows, m_nFixedCols, FALSE, TRUE);
    SetFocusCell(m_nFixedRows, m_nFixedCols);
}

void CGridCtrl::ExtendSelection(CGridCellPos cell)
{
    if (IsValid(m_idLastSelected.row, m_idLastSelected.col) && m_idLastSelected != cell) {
        CGridCellBase* pPrev = GetCell(m_idLastSelected.row, m_idLastSelected.col);
        if (pPrev != nullptr && pPrev->IsEditing())
            pPrev->EndEdit();
    }
    int nMode = m_input.nMouseMode;
    m_nLastSelectionMode = nMode;
    if (!m_bEnableSelection)
        return;
    if (m_nSelectionStyle == 2) {
        SelectRowBand(cell, FALSE, TRUE);
    } else if (m_nSelectionStyle == 3) {
        SelectColumnBand(cell, FALSE, TRUE);
    } else {
        switch (nMode) {
        case 1:
            SelectAllCells();
            break;
        case 2:
            SelectColumnBand(cell, FALSE, TRUE);
            break;
        case 3:
            SelectRowBand(cell, FALSE, TRUE);
            break;
        case 4:
            SelectCells(cell, FALSE, TRUE);
            break;
        default:
            break;
        }
    }
    m_idLastSelected = cell;
}

CGridCellRange CGridCtrl::GetSelectedRange()
{
    switch (m_nSelectionKind) {
    case GSK_ROWS:
        return CGridCellRange(m_nSelBandFirst, 0, m_nSelBandLast, m_nCols - 1);
    case GSK_COLUMNS:
        return CGridCellRange(0, m_nSelBandFirst, m_nRows - 1, m_nSelBandLast);
    case GSK_ALL:
        return CGridCellRange(0, 0, m_nRows - 1, m_nCols - 1);
    default:
        break;
    }
    int nMinRow = m_nRows, nMinCol = m_nCols, nMaxRow = -1, nMaxCol = -1;
    for (const auto& entry : m_SelectedCellMap) {
        CGridCellPos pos = entry.second;
        if (!IsValid(pos.row, pos.col))
            continue;
        CGridCellRange cover(pos.row, pos.col, pos.row, pos.col);
        CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(pos.row, pos.col);
        if (pCell != nullptr && pCell->IsMerged() && IsRangeValid(pCell->GetMergeRange()))
            cover = pCell->GetMergeRange();
        nMinRow = std::min(nMinRow, cover.GetMinRow());
        nMinCol = std::min(nMinCol, cover.GetMinCol());
        nMaxRow = std::max(nMaxRow, cover.GetMaxRow());
        nMaxCol = std::max(nMaxCol, cover.GetMaxCol());
    }
    return CGridCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
}

void CGridCtrl::ClearSelection()
{
    m_PrevSelectedCellMap.clear();
    DeselectCurrentMap();
    SetFocusCell(-1, -1);
    m_nSelBandFirst = -1;
    m_nSelBandLast = -1;
    m_idSelectionAnchor = CGridCellPos();
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CGridCtrl::SavePreviousSelection() { m_PrevSelectedCellMap = m_SelectedCellMap; }

BOOL CGridCtrl::IsTouchedBySelection(int nRow, int nCol)
{
    if (m_nSelectionKind != GSK_CELLS) {
        CGridCellRange range = GetSelectedRange();
        if (!IsRangeValid(range))
            return FALSE;
        return (nRow >= range.GetMinRow() && nRow <= range.GetMaxRow()) ||
               (nCol >= range.GetMinCol() && nCol <= range.GetMaxCol());
    }
    for (const auto& entry : m_SelectedCellMap) {
        if (entry.second.row == nRow || entry.second.col == nCol)
            return TRUE;
    }
    return FALSE;
}

BOOL CGridCtrl::IsCellInSelectedBand(int nRow, int nCol)
{
    switch (m_nSelectionKind) {
    case GSK_ROWS:
        return m_nSelBandFirst >= 0 && nRow >= m_nSelBandFirst && nRow <= m_nSelBandLast;
    case GSK_COLUMNS:
        return m_nSelBandFirst >= 0 && nCol >= m_nSelBandFirst && nCol <= m_nSelBandLast;
    case GSK_ALL:
        return IsValid(nRow, nCol);
    default:
        return FALSE;
    }
}

// --- clearing text -------------------------------------------------------------------------

namespace {

// A combo box cell (or a multi-check one, which derives from it) whose list
// is a drop-down list: its text comes from the list only. The grid knows the
// class by name; its "style" attribute holds the style (non-zero: a list).
bool IsDropDownListCell(CGridCellBase* pCell)
{
    for (const CRuntimeClass* p = pCell->GetRuntimeClass(); p != nullptr; p = p->m_pBaseClass) {
        if (std::strcmp(p->m_lpszClassName, "CGridCellCombo") == 0)
            return AToI(pCell->GetControlProperty("style")) != 0;
    }
    return false;
}

}  // namespace

int CGridCtrl::SetCellTextChecked(int nRow, int nCol, LPCTSTR szText)
{
    if (!IsCellEditable(nRow, nCol))
        return 0;
    LRESULT nAnswer = SendMessageToParent(nRow, nCol, GVN_BEGINLABELEDIT);
    if (nAnswer < 0)
        return static_cast<int>(nAnswer);
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || IsDropDownListCell(pCell))
        return 0;
    const char* szNew = szText != nullptr ? szText : "";
    BOOL bNumber = pCell->IsNumber();
    double dOld = pCell->GetValue();
    CString strOld = pCell->GetText() != nullptr ? CString(pCell->GetText()) : CString();
    if (bNumber) {
        if (*szNew != '\0' && AToF(szNew) == dOld)
            return 0;
    } else if (strOld == szNew) {
        return 0;
    }
    const UINT modifiedBefore = pCell->GetState() & GCS_MODIFIED;
    const unsigned structure = m_nStructureChanges;
    pCell->SetText(szNew);
    bool accepted = ValidateEdit(nRow, nCol, szNew) && SendMessageToParent(nRow, nCol, GVN_ENDLABELEDIT) >= 0;
    // The judges may have moved or removed rows; the cell may be gone.
    if (structure != m_nStructureChanges)
        return 0;
    if (accepted) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
        return 0;
    }
    // Refused: the cell as it was, its modified mark included (a 0 that is
    // not modified is not drawn with the draw-zero option).
    if (bNumber)
        pCell->SetValue(dOld);
    else
        pCell->SetText(strOld);
    pCell->SetState((pCell->GetState() & ~static_cast<UINT>(GCS_MODIFIED)) | modifiedBefore);
    return 0;
}

int CGridCtrl::ClearRangeContent(const CGridCellRange& range)
{
    if (!IsRangeValid(range))
        return 0;
    int nVisited = 0;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            SetCellTextChecked(row, col, "");
            ++nVisited;
        }
    }
    Refresh();
    return nVisited;
}

void CGridCtrl::ClearSelectedText()
{
    if (!IsEditable())
        return;
    std::vector<CGridCellPos> cells;
    CGridCellRange range = GetSelectedRange();
    switch (m_nSelectionKind) {
    case GSK_CELLS:
        for (const auto& entry : m_SelectedCellMap)
            cells.push_back(entry.second);
        break;
    case GSK_ROWS:
        if (IsRangeValid(range)) {
            for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row)
                for (int col = m_nFixedCols; col <= range.GetMaxCol(); ++col)
                    cells.emplace_back(row, col);
        }
        break;
    case GSK_COLUMNS:
        if (IsRangeValid(range)) {
            for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col)
                for (int row = m_nFixedRows; row <= range.GetMaxRow(); ++row)
                    cells.emplace_back(row, col);
        }
        break;
    default:
        for (int row = m_nFixedRows; row < m_nRows; ++row)
            for (int col = m_nFixedCols; col < m_nCols; ++col)
                cells.emplace_back(row, col);
        break;
    }
    for (const CGridCellPos& pos : cells)
        SetCellTextChecked(pos.row, pos.col, "");
}
