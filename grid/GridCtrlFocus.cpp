// Focus cell, the selection store, modified marks and the end of every
// structural change.
#include "grid/GridCtrl.h"

namespace {

std::uint64_t SelectionKey(int nRow, int nCol)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nRow)) << 32) |
           static_cast<std::uint32_t>(nCol);
}

}  // namespace

CGridCellPos CGridCtrl::BeginStructuralChange()
{
    EndEditBeforeStructuralChange();
    CGridCellPos savedFocus = m_idCurrentCell;
    // Positions are about to move: take the marks off the cells while the
    // stored positions still name them; the end of the change puts them back.
    for (const auto& entry : m_SelectedCellMap) {
        CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(entry.second.row, entry.second.col);
        if (pCell != nullptr)
            pCell->SetState(pCell->GetState() & ~static_cast<UINT>(GCS_SELECTED));
    }
    m_SelectedCellMap.clear();
    CGridCellBase* pFocus = m_bVirtualMode ? nullptr : GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (pFocus != nullptr)
        pFocus->SetState(pFocus->GetState() & ~static_cast<UINT>(GCS_FOCUSED));
    m_idCurrentCell = CGridCellPos();
    return savedFocus;
}

void CGridCtrl::FinishStructuralChange(const CGridCellPos& savedFocus)
{
    m_idTopLeftCell = CGridCellPos();
    UpdateScrollBars();
    MarkModified(TRUE, -1, -1);
    SetFocusCell(savedFocus);
    if (m_bEnableSelection)
        SelectFocusByKind();
    Refresh();
}

CGridCellPos CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    CGridCellPos previous = m_idCurrentCell;
    if (previous == CGridCellPos(nRow, nCol))
        return previous;
    if (nRow != -1 && nRow < m_nFixedRows)
        nRow = m_nFixedRows;
    if (nCol != -1 && nCol < m_nFixedCols)
        nCol = m_nFixedCols;
    if (!IsValid(nRow, nCol)) {
        nRow = -1;
        nCol = -1;
    }
    if (previous == CGridCellPos(nRow, nCol))
        return previous;
    if (IsValid(previous.row, previous.col)) {
        CGridCellBase* pOld = m_bVirtualMode ? nullptr : GetCell(previous.row, previous.col);
        if (pOld != nullptr)
            pOld->SetState(pOld->GetState() & ~static_cast<UINT>(GCS_FOCUSED));
        RedrawCell(previous.row, previous.col);
        if (m_bTrackFocusHeaders) {
            if (previous.col != nCol)
                RedrawFixedCellsOfColumn(previous.col);
            if (previous.row != nRow)
                RedrawFixedCellsOfRow(previous.row);
        }
    }
    m_idCurrentCell.Set(nRow, nCol);
    if (IsValid(nRow, nCol)) {
        CGridCellBase* pNew = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
        if (pNew != nullptr)
            pNew->SetState(pNew->GetState() | GCS_FOCUSED);
        RedrawCell(nRow, nCol);
        if (m_bTrackFocusHeaders) {
            if (previous.col != nCol)
                RedrawFixedCellsOfColumn(nCol);
            if (previous.row != nRow)
                RedrawFixedCellsOfRow(nRow);
        }
    }
    return previous;
}

void CGridCtrl::RedrawFixedCellsOfRow(int nRow)
{
    if (GetSafeHwnd() == nullptr || nRow < 0)
        return;
    for (int col = 0; col < m_nFixedCols; ++col)
        RedrawCell(nRow, col);
}

void CGridCtrl::RedrawFixedCellsOfColumn(int nCol)
{
    if (GetSafeHwnd() == nullptr || nCol < 0)
        return;
    for (int row = 0; row < m_nFixedRows; ++row)
        RedrawCell(row, nCol);
}

void CGridCtrl::SelectCell(int nRow, int nCol, BOOL bSelect)
{
    if (!IsValid(nRow, nCol))
        return;
    std::uint64_t key = SelectionKey(nRow, nCol);
    if (bSelect)
        m_SelectedCellMap[key] = CGridCellPos(nRow, nCol);
    else
        m_SelectedCellMap.erase(key);
    if (m_bVirtualMode)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    UINT state = pCell->GetState();
    pCell->SetState(bSelect ? (state | GCS_SELECTED) : (state & ~static_cast<UINT>(GCS_SELECTED)));
}

void CGridCtrl::SelectFocusByKind()
{
    for (auto it = m_SelectedCellMap.begin(); it != m_SelectedCellMap.end();) {
        CGridCellPos pos = it->second;
        it = m_SelectedCellMap.erase(it);
        CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(pos.row, pos.col);
        if (pCell != nullptr)
            pCell->SetState(pCell->GetState() & ~static_cast<UINT>(GCS_SELECTED));
    }
    CGridCellPos focus = m_idCurrentCell;
    if (!IsValid(focus.row, focus.col))
        return;
    // A row or column selection stays a band (kind and band), as the
    // selection steps make it: only the focus cell carries the selected bit.
    switch (m_nSelectionKind) {
    case GSK_CELLS:
        SelectCell(focus.row, focus.col, TRUE);
        break;
    case GSK_ROWS:
        m_idSelectionAnchor = focus;
        m_nSelBandFirst = m_nSelBandLast = focus.row;
        SelectCell(focus.row, focus.col, TRUE);
        break;
    case GSK_COLUMNS:
        m_idSelectionAnchor = focus;
        m_nSelBandFirst = m_nSelBandLast = focus.col;
        SelectCell(focus.row, focus.col, TRUE);
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol)
{
    if (!m_bEnableSelection)
        return FALSE;
    if (m_bVirtualMode)
        return m_SelectedCellMap.count(SelectionKey(nRow, nCol)) != 0;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->IsSelected();
}

void CGridCtrl::MarkModified(BOOL bModified, int nRow, int nCol)
{
    if (nRow < 0 || nCol < 0) {
        m_bModified = bModified;
    } else {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != nullptr) {
            if (bModified) {
                pCell->SetState(pCell->GetState() | GCS_MODIFIED);
                m_bModified = TRUE;
            } else {
                pCell->SetState(pCell->GetState() & ~static_cast<UINT>(GCS_MODIFIED));
            }
        }
    }
    if (m_bModified || m_bVirtualMode)
        return;
    for (GridRow& row : m_RowData) {
        for (auto& pCell : row) {
            if (pCell)
                pCell->SetState(pCell->GetState() & ~static_cast<UINT>(GCS_MODIFIED));
        }
    }
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortColumn)
        m_nSortColumn = -1;
    MarkModified(bModified, nRow, nCol);
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd() == nullptr || !m_bAllowDraw || !m_bShowContent)
        return;
    Invalidate(TRUE);
}
