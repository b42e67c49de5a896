// Inserting and deleting single rows and columns, deleting rows and columns
// in bulk, and emptying the grid.
#include "grid/GridCtrl.h"

#include "platform/System.h"

#include <algorithm>
#include <new>

CGridCellBase* CGridCtrl::MakeInsertedCell(int nRow, int nCol, CGridCellBase* pSource)
{
    if (pSource == nullptr)
        return CreateCell(nRow, nCol);
    // A cell covered by a merged block passes on its format, not its class.
    const CRuntimeClass* pClass = pSource->GetRuntimeClass();
    if (pSource->IsMerged() && !pSource->IsMergeOwnerCell())
        pClass = RUNTIME_CLASS(CGridCell);
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    CGridCellBase* pCell = static_cast<CGridCellBase*>(pObject);
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    pCell->CopyFormat(pSource);
    // The new cell takes its neighbour's format, not its place in a merged
    // block nor its focus or selection marks.
    BOOL bVisible = pCell->IsVisible();
    pCell->ClearMerge();
    pCell->SetVisible(bVisible);
    pCell->SetState(pCell->GetState() &
                    ~static_cast<UINT>(GCS_FOCUSED | GCS_SELECTED | GCS_DROPTARGET));
    return pCell;
}

int CGridCtrl::InsertRow(LPCTSTR szHeading, int nRow)
{
    if (nRow >= 0 && (nRow < m_nFixedRows || nRow > m_nRows))
        return -1;
    if (m_nCols == 0 && !SetColumnCount(1))
        return -1;

    CGridCellPos savedFocus = BeginStructuralChange();
    int newRow = (nRow < 0 || nRow >= m_nRows) ? m_nRows : nRow;
    int result = newRow;
    ShiftFormulaRows(newRow, 1, TRUE);
    try {
        if (!m_bVirtualMode)
            m_RowData.insert(m_RowData.begin() + newRow, GridRow(static_cast<size_t>(m_nCols)));
        m_arRowHeights.InsertAt(newRow, static_cast<UINT>(std::max(0, m_cellDefault.GetHeight())));
        ++m_nRows;
        if (savedFocus.row >= newRow)
            ++savedFocus.row;

        int sourceHeight = -1;
        if (!m_bVirtualMode) {
            GridRow& cells = m_RowData[static_cast<size_t>(newRow)];
            for (int col = 0; col < m_nCols; ++col) {
                CGridCellBase* pSource = nullptr;
                int sourceRow = -1;
                if (m_nRowInsertFormatMode == GIF_BEFORE || FindFormatColumn(col) >= 0)
                    sourceRow = newRow - 1;
                else if (m_nRowInsertFormatMode == GIF_AFTER)
                    sourceRow = newRow + 1;
                if (sourceRow >= 0)
                    pSource = GetCell(sourceRow, col);
                if (pSource != nullptr && pSource->IsFixed())
                    pSource = nullptr;
                if (pSource != nullptr)
                    sourceHeight = GetRowHeight(sourceRow);
                CGridCellBase* pCell = MakeInsertedCell(newRow, col, pSource);
                if (pCell == nullptr) {
                    CString message;
                    message.Format("InsertRow: row=%d,col=%d ", newRow, col);
                    AfxMessageBox(message);
                    continue;
                }
                cells[static_cast<size_t>(col)].reset(pCell);
            }
        }
        if (sourceHeight >= 0)
            m_arRowHeights.SetAt(newRow, static_cast<UINT>(sourceHeight));

        ShiftCellIdRows(newRow, 1);
        AdjustFormatRows(newRow, 1);

        CGridCellBase* pHeader = GetCell(newRow, 0);
        if (pHeader != nullptr && !m_bVirtualMode)
            pHeader->SetText(szHeading != nullptr ? szHeading : "");
        if (m_nRowInsertFormatMode == GIF_PLAIN) {
            bool emptyHeading = szHeading == nullptr || *szHeading == '\0';
            int height = emptyHeading ? m_cellFixedRowDef.GetHeight() : m_cellDefault.GetHeight();
            m_arRowHeights.SetAt(newRow, static_cast<UINT>(std::max(0, height)));
        }
    } catch (const std::bad_alloc&) {
        result = -1;
    }
    FinishStructuralChange(savedFocus);
    return result;
}

int CGridCtrl::InsertColumn(LPCTSTR szHeading, UINT, int nCol)
{
    if (nCol >= 0 && (nCol < m_nFixedCols || nCol > m_nCols))
        return -1;
    if (m_nRows == 0 && !SetRowCount(1))
        return -1;

    CGridCellPos savedFocus = BeginStructuralChange();
    int newCol = (nCol < 0 || nCol >= m_nCols) ? m_nCols : nCol;
    int result = newCol;
    ShiftFormulaColumns(newCol, 1, TRUE);
    try {
        if (!m_bVirtualMode) {
            for (GridRow& cells : m_RowData)
                cells.insert(cells.begin() + newCol, std::unique_ptr<CGridCellBase>());
        }
        m_arColWidths.InsertAt(newCol, static_cast<UINT>(std::max(0, m_cellDefault.GetWidth())));
        ++m_nCols;
        if (savedFocus.col >= newCol)
            ++savedFocus.col;

        int sourceWidth = -1;
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row) {
                CGridCellBase* pSource = nullptr;
                int sourceCol = -1;
                if (m_nColInsertFormatMode == GIF_BEFORE || FindFormatRow(row) >= 0)
                    sourceCol = newCol - 1;
                else if (m_nColInsertFormatMode == GIF_AFTER)
                    sourceCol = newCol + 1;
                if (sourceCol >= 0)
                    pSource = GetCell(row, sourceCol);
                if (pSource != nullptr && pSource->IsFixed())
                    pSource = nullptr;
                if (pSource != nullptr)
                    sourceWidth = GetColumnWidth(sourceCol);
                CGridCellBase* pCell = MakeInsertedCell(row, newCol, pSource);
                if (pCell == nullptr) {
                    CString message;
                    message.Format("InsertColumn: row=%d,col=%d ", row, newCol);
                    AfxMessageBox(message);
                    continue;
                }
                m_RowData[static_cast<size_t>(row)][static_cast<size_t>(newCol)].reset(pCell);
            }
        }
        if (sourceWidth >= 0)
            m_arColWidths.SetAt(newCol, static_cast<UINT>(sourceWidth));

        ShiftCellIdCols(newCol, 1);
        AdjustFormatColumns(newCol, 1);

        CGridCellBase* pHeader = GetCell(0, newCol);
        if (pHeader != nullptr && !m_bVirtualMode)
            pHeader->SetText(szHeading != nullptr ? szHeading : "");
        if (m_nColInsertFormatMode == GIF_PLAIN)
            m_arColWidths.SetAt(newCol, static_cast<UINT>(std::max(0, m_cellDefault.GetWidth())));
    } catch (const std::bad_alloc&) {
        result = -1;
    }
    FinishStructuralChange(savedFocus);
    return result;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (!m_bVirtualMode && static_cast<size_t>(nRow) >= m_RowData.size())
        return FALSE;

    CGridCellPos savedFocus = BeginStructuralChange();
    if (savedFocus.row == nRow)
        savedFocus = CGridCellPos();
    else if (savedFocus.row > nRow)
        --savedFocus.row;

    ShiftFormulaRows(nRow, 1, FALSE);
    if (!m_bVirtualMode)
        m_RowData.erase(m_RowData.begin() + nRow);
    m_arRowHeights.RemoveAt(nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    ShiftCellIdRows(nRow, -1);
    AdjustFormatRows(nRow, -1);

    if (savedFocus.row >= 0) {
        savedFocus.row = std::min(std::max(savedFocus.row, m_nFixedRows), m_nRows - 1);
        if (savedFocus.row < 0)
            savedFocus = CGridCellPos();
    }
    RecalcAfterFormulaShift();
    FinishStructuralChange(savedFocus);
    return TRUE;
}

BOOL CGridCtrl::DeleteColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;

    CGridCellPos savedFocus = BeginStructuralChange();
    if (savedFocus.col == nCol)
        savedFocus = CGridCellPos();
    else if (savedFocus.col > nCol)
        --savedFocus.col;

    ShiftFormulaColumns(nCol, 1, FALSE);
    if (!m_bVirtualMode) {
        for (GridRow& cells : m_RowData) {
            if (static_cast<size_t>(nCol) < cells.size())
                cells.erase(cells.begin() + nCol);
        }
    }
    m_arColWidths.RemoveAt(nCol);
    --m_nCols;
    if (nCol < m_nFixedCols)
        --m_nFixedCols;
    ShiftCellIdCols(nCol, -1);
    AdjustFormatColumns(nCol, -1);

    if (savedFocus.col >= 0) {
        savedFocus.col = std::min(std::max(savedFocus.col, m_nFixedCols), m_nCols - 1);
        if (savedFocus.col < 0)
            savedFocus = CGridCellPos();
    }
    RecalcAfterFormulaShift();
    FinishStructuralChange(savedFocus);
    return TRUE;
}

int CGridCtrl::DeleteRows(int nRow, int nCount)
{
    if (nCount <= 0 || nRow < 0 || nRow >= m_nRows)
        return 0;
    nCount = std::min(nCount, m_nRows - nRow);
    EndEditBeforeStructuralChange();
    ShrinkMergesForRows(nRow, nCount);
    ShiftFormulaRows(nRow, nCount, FALSE);
    HoldFormulaShifts(TRUE);
    int deleted = 0;
    for (int row = nRow + nCount - 1; row >= nRow; --row) {
        if (DeleteRow(row))
            ++deleted;
    }
    HoldFormulaShifts(FALSE);
    RebuildMergeOwners();
    RenumberRowHeaders(std::max(nRow - 1, m_nFixedRows), m_nRows - 1);
    ShiftTreeColumnRows(nRow, -nCount);
    Refresh();
    return deleted;
}

int CGridCtrl::DeleteColumns(int nCol, int nCount)
{
    if (nCount <= 0 || nCol < 0 || nCol >= m_nCols)
        return 0;
    nCount = std::min(nCount, m_nCols - nCol);
    EndEditBeforeStructuralChange();
    ShrinkMergesForColumns(nCol, nCount);
    ShiftFormulaColumns(nCol, nCount, FALSE);
    HoldFormulaShifts(TRUE);
    int deleted = 0;
    for (int col = nCol + nCount - 1; col >= nCol; --col) {
        if (DeleteColumn(col))
            ++deleted;
    }
    HoldFormulaShifts(FALSE);
    RebuildMergeOwners();
    RenumberColumnHeaders(std::max(nCol - 1, m_nFixedCols), m_nCols - 1);
    ShiftTreeColumnCols(nCol, -nCount);
    Refresh();
    return deleted;
}

BOOL CGridCtrl::DeleteAllCells()
{
    EndEditBeforeStructuralChange();
    ClearSelection();
    m_arRowHeights.RemoveAll();
    m_arColWidths.RemoveAll();
    m_arFormatRows.clear();
    m_arFormatCols.clear();
    m_RowData.clear();
    m_BindList.DeleteAllBinds();
    m_ConnectionList.DeleteAll();
    m_arCellIds.clear();
    m_arColumnSortTypes.clear();
    m_arMergeOwners.clear();
    m_nRows = 0;
    m_nFixedRows = 0;
    m_nCols = 0;
    m_nFixedCols = 0;
    m_idTopLeftCell = CGridCellPos();
    UpdateScrollBars();
    MarkModified(TRUE, -1, -1);
    return TRUE;
}
