// The grid's list of tree columns: adding, finding, reading and deleting
// trees, the trees following inserted and deleted rows and columns, and the
// two row services the trees need (moving whole rows, setting many heights
// at once).
#include "grid/GridCtrl.h"

#include "grid/GridCell.h"
#include "grid/TreeColumn.h"

#include <algorithm>

CTreeColumn* CGridCtrl::AddTree(int nRow, int nCol)
{
    if (nRow <= 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols || m_bVirtualMode ||
        !IsTreeRangeFree(nRow, nRow + 1, nullptr))
        return nullptr;
    std::unique_ptr<CTreeColumn> pTree(new CTreeColumn);
    pTree->SetGrid(this);
    pTree->SetTreePosition(nRow, nCol);
    if (!pTree->InitializeTree()) {
        pTree->CreateTreeCells();
        return nullptr;
    }
    m_arTrees.push_back(std::move(pTree));
    return m_arTrees.back().get();
}

BOOL CGridCtrl::SetColumnControlTree(int nRow, int nCol, LPCTSTR szText)
{
    for (const std::unique_ptr<CTreeColumn>& pTree : m_arTrees) {
        if (pTree->GetStartRow() == nRow && pTree->GetTreeColumn() == nCol)
            return pTree->SetControl(szText);
    }
    if (nRow < 1 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols || m_bVirtualMode)
        return FALSE;
    std::unique_ptr<CTreeColumn> pTree(new CTreeColumn);
    pTree->SetGrid(this);
    pTree->SetTreePosition(nRow, nCol);
    if (!pTree->SetControl(szText) || pTree->GetRowCount() == 0) {
        pTree->CreateTreeCells();
        return FALSE;
    }
    m_arTrees.push_back(std::move(pTree));
    return TRUE;
}

BOOL CGridCtrl::SetColumnControlTree(int nRow, int nCol, CArchive& ar)
{
    if (nRow < 1 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols || m_bVirtualMode ||
        !IsTreeRangeFree(nRow, nRow + 1, nullptr))
        return FALSE;
    std::unique_ptr<CTreeColumn> pTree(new CTreeColumn);
    pTree->SetGrid(this);
    pTree->SetTreePosition(nRow, nCol);
    pTree->Serialize(ar);
    if (ar.IsFailed() || pTree->GetRowCount() == 0) {
        pTree->CreateTreeCells();
        return FALSE;
    }
    m_arTrees.push_back(std::move(pTree));
    return TRUE;
}

CTreeColumn* CGridCtrl::GetTreeAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetTreeCount())
        return nullptr;
    return m_arTrees[static_cast<size_t>(nIndex)].get();
}

int CGridCtrl::FindTreeIndex(int nRow, int nCol) const
{
    for (int i = GetTreeCount() - 1; i >= 0; --i) {
        const CTreeColumn& tree = *m_arTrees[static_cast<size_t>(i)];
        if (tree.GetTreeColumn() == nCol && tree.CoversRow(nRow))
            return i;
    }
    return -1;
}

CTreeColumn* CGridCtrl::FindColumnControlTree(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    for (const std::unique_ptr<CTreeColumn>& pTree : m_arTrees) {
        if (pTree->GetTreeColumn() == nCol && pTree->CoversRow(nRow))
            return pTree.get();
    }
    return nullptr;
}

CString CGridCtrl::GetColumnControlTree(int nRow, int nCol) const
{
    CTreeColumn* pTree = FindColumnControlTree(nRow, nCol);
    return pTree != nullptr ? pTree->GetAttributeText() : CString();
}

int CGridCtrl::SetColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue)
{
    CTreeColumn* pTree = FindColumnControlTree(nRow, nCol);
    if (pTree == nullptr || szKey == nullptr || *szKey == '\0')
        return 0;
    return pTree->SetControlProperty(szKey, szValue != nullptr ? szValue : "");
}

CString CGridCtrl::GetColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey)
{
    CTreeColumn* pTree = FindColumnControlTree(nRow, nCol);
    if (pTree == nullptr || szKey == nullptr || *szKey == '\0')
        return CString();
    return pTree->GetControlProperty(szKey);
}

BOOL CGridCtrl::DelColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey)
{
    CTreeColumn* pTree = FindColumnControlTree(nRow, nCol);
    if (pTree == nullptr || szKey == nullptr || *szKey == '\0')
        return FALSE;
    return pTree->DelControlProperty(szKey);
}

BOOL CGridCtrl::DeleteColumnControlTree(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    for (size_t i = m_arTrees.size(); i-- > 0;) {
        CTreeColumn& tree = *m_arTrees[i];
        if (tree.GetTreeColumn() != nCol || !tree.CoversRow(nRow))
            continue;
        tree.CreateTreeCells();
        // Rows the tree had folded are shown again.
        tree.ShowAll();
        tree.ApplyRowVisibility();
        m_arTrees.erase(m_arTrees.begin() + static_cast<std::ptrdiff_t>(i));
        Refresh();
        return TRUE;
    }
    return FALSE;
}

BOOL CGridCtrl::GetColumnTreeStart(int nIndex, int& nStartRow, int& nStartCol) const
{
    const CTreeColumn* pTree = GetTreeAt(nIndex);
    nStartRow = pTree != nullptr ? pTree->GetStartRow() : -1;
    nStartCol = pTree != nullptr ? pTree->GetTreeColumn() : -1;
    return pTree != nullptr;
}

BOOL CGridCtrl::IsTreeRangeFree(int nFirst, int nEnd, const CTreeColumn* pExcept) const
{
    for (const std::unique_ptr<CTreeColumn>& pTree : m_arTrees) {
        if (pTree.get() == pExcept)
            continue;
        if (nFirst < pTree->GetEndRow() && pTree->GetStartRow() < nEnd)
            return FALSE;
    }
    return TRUE;
}

// --- following rows and columns ------------------------------------------------------------------------

void CGridCtrl::ShiftTreeColumnRows(int nRow, int nCount)
{
    for (size_t i = m_arTrees.size(); i-- > 0;) {
        if (!m_arTrees[i]->FollowRows(nRow, nCount))
            m_arTrees.erase(m_arTrees.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void CGridCtrl::ShiftTreeColumnRowsReverse(int nRow, int nCount)
{
    ShiftTreeColumnRows(nRow, -nCount);
}

void CGridCtrl::ShiftTreeColumnCols(int nCol, int nCount)
{
    for (size_t i = m_arTrees.size(); i-- > 0;) {
        if (!m_arTrees[i]->FollowColumns(nCol, nCount))
            m_arTrees.erase(m_arTrees.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void CGridCtrl::ShiftTreeColumnColsReverse(int nCol, int nCount)
{
    ShiftTreeColumnCols(nCol, -nCount);
}

// --- row services ------------------------------------------------------------------------------------------

BOOL CGridCtrl::RotateRows(int nFirst, int nMiddle, int nLast)
{
    if (m_bVirtualMode || nFirst < 0 || nFirst > nMiddle || nMiddle > nLast || nLast > m_nRows ||
        static_cast<size_t>(nLast) > m_RowData.size())
        return FALSE;
    if (nFirst == nMiddle || nMiddle == nLast)
        return TRUE;
    for (int row = nFirst; row < nLast; ++row) {
        for (const std::unique_ptr<CGridCellBase>& pCell : m_RowData[static_cast<size_t>(row)]) {
            if (pCell && pCell->IsMerged())
                return FALSE;
        }
    }
    EndEditBeforeStructuralChange();
    const CGridCellPos focus = BeginStructuralChange();
    std::vector<UINT> heights;
    heights.reserve(static_cast<size_t>(nLast - nFirst));
    for (int row = nFirst; row < nLast; ++row)
        heights.push_back(m_arRowHeights.GetAt(row));
    std::rotate(heights.begin(), heights.begin() + (nMiddle - nFirst), heights.end());
    std::rotate(m_RowData.begin() + nFirst, m_RowData.begin() + nMiddle, m_RowData.begin() + nLast);
    for (int row = nFirst; row < nLast; ++row) {
        m_arRowHeights.SetAt(row, heights[static_cast<size_t>(row - nFirst)]);
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        for (size_t col = 0; col < cells.size(); ++col) {
            if (cells[col])
                cells[col]->SetCoords(row, static_cast<int>(col));
        }
    }
    // A row from the moved part lands (nMiddle - nFirst) rows up; one of the
    // other part (nLast - nMiddle) rows down.
    for (GridCellIdEntry& entry : m_arCellIds) {
        if (entry.row >= nFirst && entry.row < nMiddle)
            entry.row += nLast - nMiddle;
        else if (entry.row >= nMiddle && entry.row < nLast)
            entry.row -= nMiddle - nFirst;
    }
    RenumberRowHeaders(nFirst, nLast - 1);
    FinishStructuralChange(focus);
    return TRUE;
}

void CGridCtrl::SetRowHeights(const std::vector<std::pair<int, int>>& heights)
{
    bool changed = false;
    for (const std::pair<int, int>& h : heights) {
        if (h.first < 0 || h.first >= m_nRows || h.second < 0)
            continue;
        m_arRowHeights.SetAt(h.first, static_cast<UINT>(h.second));
        changed = true;
    }
    if (changed) {
        m_idTopLeftCell = CGridCellPos();
        UpdateScrollBars();
    }
}
