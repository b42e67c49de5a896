// The cell-id table: names of cells, kept unique over the grid and kept in
// step when rows and columns move.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <cstring>

namespace {

void CopyId(char (&target)[32], LPCTSTR szId)
{
    std::memset(target, 0, sizeof(target));
    if (szId != nullptr)
        std::strncpy(target, szId, sizeof(target) - 1);
}

}  // namespace

BOOL CGridCtrl::SetCellId(int nRow, int nCol, LPCTSTR szId)
{
    // The id as the cell will keep it, so two long ids that agree in their
    // first 31 bytes cannot both be stored.
    CString id = CGridCellBase::CutId(szId);
    for (const GridCellIdEntry& entry : m_arCellIds) {
        if (std::strcmp(entry.szId, id) == 0)
            return FALSE;
    }
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetId(id);
    LPCTSTR stored = pCell->GetId();

    auto found = std::find_if(m_arCellIds.begin(), m_arCellIds.end(), [&](const GridCellIdEntry& entry) {
        return entry.row == nRow && entry.col == nCol;
    });
    if (*stored != '\0') {
        if (found != m_arCellIds.end()) {
            CopyId(found->szId, stored);
        } else {
            GridCellIdEntry entry;
            entry.row = nRow;
            entry.col = nCol;
            CopyId(entry.szId, stored);
            m_arCellIds.push_back(entry);
        }
    } else if (found != m_arCellIds.end()) {
        m_arCellIds.erase(found);
    }
    return TRUE;
}

CString CGridCtrl::GetCellId(int nRow, int nCol)
{
    if (m_bVirtualMode)
        return CString();
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? CString(pCell->GetId()) : CString();
}

void CGridCtrl::AddCellIdEntry(int nRow, int nCol, LPCTSTR szId)
{
    GridCellIdEntry entry;
    entry.row = nRow;
    entry.col = nCol;
    CopyId(entry.szId, szId);
    m_arCellIds.push_back(entry);
}

void CGridCtrl::ShiftCellIdRows(int nRow, int nDelta)
{
    if (nDelta < 0) {
        m_arCellIds.erase(std::remove_if(m_arCellIds.begin(), m_arCellIds.end(),
                                         [&](const GridCellIdEntry& entry) { return entry.row == nRow; }),
                          m_arCellIds.end());
        for (GridCellIdEntry& entry : m_arCellIds) {
            if (entry.row > nRow)
                entry.row += nDelta;
        }
        return;
    }
    for (GridCellIdEntry& entry : m_arCellIds) {
        if (entry.row >= nRow)
            entry.row += nDelta;
    }
}

void CGridCtrl::ShiftCellIdCols(int nCol, int nDelta)
{
    if (nDelta < 0) {
        m_arCellIds.erase(std::remove_if(m_arCellIds.begin(), m_arCellIds.end(),
                                         [&](const GridCellIdEntry& entry) { return entry.col == nCol; }),
                          m_arCellIds.end());
        for (GridCellIdEntry& entry : m_arCellIds) {
            if (entry.col > nCol)
                entry.col += nDelta;
        }
        return;
    }
    for (GridCellIdEntry& entry : m_arCellIds) {
        if (entry.col >= nCol)
            entry.col += nDelta;
    }
}

void CGridCtrl::RemoveCellIdsOutside(int nRows, int nCols)
{
    m_arCellIds.erase(std::remove_if(m_arCellIds.begin(), m_arCellIds.end(),
                                     [&](const GridCellIdEntry& entry) {
                                         return entry.row >= nRows || entry.col >= nCols;
                                     }),
                      m_arCellIds.end());
}
