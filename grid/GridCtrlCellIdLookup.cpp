// Finding cells by name: by the id a cell was given (the cell-id table) and
// by a cell name of column letters and a row number ("B12").
#include "grid/GridCtrl.h"

#include "cellcontent/formula/CellNameConverter.h"

#include <cstring>

BOOL CGridCtrl::FindCellById(LPCTSTR szId, int& nRow, int& nCol)
{
    nRow = -1;
    nCol = -1;
    if (szId == nullptr || *szId == '\0')
        return FALSE;
    for (const GridCellIdEntry& entry : m_arCellIds) {
        if (std::strcmp(entry.szId, szId) == 0) {
            nRow = entry.row;
            nCol = entry.col;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGridCtrl::GetCellFromId(LPCTSTR szName, int& nRow, int& nCol)
{
    int row = -1;
    int col = -1;
    if (szName != nullptr && CCellNameConverter().ParseCellName(szName, row, col) && IsValid(row, col)) {
        nRow = row;
        nCol = col;
        return TRUE;
    }
    nRow = -1;
    nCol = -1;
    return FALSE;
}
