// Row, column and fixed counts.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

CString RowNumberText(int nNumber)
{
    CString text;
    text.Format("%ld", static_cast<LONG>(nNumber));
    return text;
}

// The hidden-line and format-line entries of lines nCount and later, which a
// lowered count cut: a line made there later starts afresh.
void ForgetLinesFrom(std::vector<GridHiddenLine>& hidden, std::vector<int>& formats, int nCount)
{
    hidden.erase(std::remove_if(hidden.begin(), hidden.end(),
                                [nCount](const GridHiddenLine& entry) { return entry.index >= nCount; }),
                 hidden.end());
    formats.erase(std::remove_if(formats.begin(), formats.end(), [nCount](int line) { return line >= nCount; }),
                  formats.end());
}

}  // namespace

CGridCellBase* CGridCtrl::NewCellOrThrow(int nRow, int nCol)
{
    CGridCellBase* pCell = CreateCell(nRow, nCol);
    if (pCell == nullptr)
        throw std::bad_alloc();
    return pCell;
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (nRows < 0 || nRows > GRID_MAX_ROWS)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;

    CGridCellPos savedFocus = BeginStructuralChange();
    BOOL bResult = TRUE;
    if (m_nFixedRows > nRows)
        m_nFixedRows = nRows;
    if (savedFocus.row >= nRows)
        savedFocus = nRows > 0 ? CGridCellPos(nRows - 1, std::max(savedFocus.col, m_nFixedCols)) : CGridCellPos();

    int nOldRows = m_nRows;
    try {
        if (nRows < nOldRows) {
            // The cut rows go as deleted rows go: references to them become
            // invalid and ranges over them shrink, decided while the cells
            // still stand where the formula index knows them.
            ShiftFormulaRows(nRows, nOldRows - nRows, FALSE);
            if (!m_bVirtualMode) {
                ShrinkMergesForRows(nRows, nOldRows - nRows);
                m_RowData.resize(static_cast<size_t>(nRows));
                RebuildMergeOwners();
            }
            RemoveCellIdsOutside(nRows, m_nCols);
            ForgetLinesFrom(m_arHiddenRows, m_arFormatRows, nRows);
            m_arRowHeights.SetSize(nRows);
            m_nRows = nRows;
            RecalcAfterFormulaShift();
            // Trees lose the rows cut off (a tree left without rows goes);
            // binds lose their fields there.
            ShiftTreeColumnRows(nRows, nRows - nOldRows);
            ShiftBindingRows(nRows, nRows - nOldRows);
        } else {
            // The new rows are made whole, cells and header texts included,
            // before the sheet takes them: running out of memory on the way
            // leaves the sheet as it was.
            const UINT height = static_cast<UINT>(std::max(0, m_cellDefault.GetHeight()));
            std::vector<GridRow> fresh;
            if (!m_bVirtualMode) {
                m_RowData.reserve(static_cast<size_t>(nRows));
                fresh.resize(static_cast<size_t>(nRows - nOldRows));
                const COLORREF crNormal = m_cellDefault.GetBackColor();
                for (int row = nOldRows; row < nRows; ++row) {
                    GridRow& cells = fresh[static_cast<size_t>(row - nOldRows)];
                    cells.resize(static_cast<size_t>(m_nCols));
                    for (int col = 0; col < m_nCols; ++col) {
                        CGridCellBase* pCell = NewCellOrThrow(row, col);
                        cells[static_cast<size_t>(col)].reset(pCell);
                        if (row < m_nFixedRows || col < m_nFixedCols)
                            continue;
                        if ((row % 2) == 1 && m_bRowOddColour)
                            pCell->SetBackColor(m_crRowOdd);
                        else if ((row % 2) == 0 && m_bRowEvenColour)
                            pCell->SetBackColor(m_crRowEven);
                        else
                            pCell->SetBackColor(crNormal);
                    }
                    // Row numbers go into column 0 when there is a header column.
                    if (m_nFixedCols > 0 && m_nCols > 0 && row >= m_nFixedRows) {
                        cells[0]->SetText(RowNumberText(row - m_nFixedRows + 1));
                        cells[0]->SetAlign(GRID_HEADER_ALIGN);
                    }
                }
            }
            m_arRowHeights.SetSize(nRows);
            // Nothing below allocates.
            for (int row = nOldRows; row < nRows; ++row)
                m_arRowHeights.SetAt(row, height);
            for (GridRow& cells : fresh)
                m_RowData.push_back(std::move(cells));
            m_nRows = nRows;
        }
    } catch (const std::bad_alloc&) {
        bResult = FALSE;
        if (nRows > nOldRows) {
            // Growing failed before the sheet took anything but a longer
            // height list, which goes back to its length.
            m_arRowHeights.SetSize(nOldRows);
        }
    }
    FinishStructuralChange(savedFocus);
    return bResult;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (nCols < 0 || nCols > GRID_MAX_COLUMNS)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;

    CGridCellPos savedFocus = BeginStructuralChange();
    BOOL bResult = TRUE;
    if (m_nFixedCols > nCols)
        m_nFixedCols = nCols;
    if (savedFocus.col >= nCols)
        savedFocus = nCols > 0 ? CGridCellPos(std::max(savedFocus.row, m_nFixedRows), nCols - 1) : CGridCellPos();

    int nOldCols = m_nCols;
    try {
        if (nCols < nOldCols) {
            ShiftFormulaColumns(nCols, nOldCols - nCols, FALSE);
            if (!m_bVirtualMode) {
                ShrinkMergesForColumns(nCols, nOldCols - nCols);
                for (GridRow& cells : m_RowData)
                    cells.resize(static_cast<size_t>(nCols));
                RebuildMergeOwners();
            }
            RemoveCellIdsOutside(m_nRows, nCols);
            ForgetLinesFrom(m_arHiddenCols, m_arFormatCols, nCols);
            m_arColWidths.SetSize(nCols);
            m_nCols = nCols;
            RecalcAfterFormulaShift();
            ShiftTreeColumnCols(nCols, nCols - nOldCols);
            ShiftBindingColumns(nCols, nCols - nOldCols);
            if (m_nSortColumn >= nCols)
                m_nSortColumn = -1;
        } else {
            // Every row's new cells are made, header letters included, before
            // any row takes them: running out of memory on the way leaves the
            // sheet as it was.
            const UINT width = static_cast<UINT>(std::max(0, m_cellDefault.GetWidth()));
            std::vector<GridRow> fresh;
            if (!m_bVirtualMode) {
                for (GridRow& cells : m_RowData)
                    cells.reserve(static_cast<size_t>(nCols));
                fresh.resize(static_cast<size_t>(m_nRows));
                for (int row = 0; row < m_nRows; ++row) {
                    GridRow& cells = fresh[static_cast<size_t>(row)];
                    cells.reserve(static_cast<size_t>(nCols - nOldCols));
                    for (int col = nOldCols; col < nCols; ++col)
                        cells.emplace_back(NewCellOrThrow(row, col));
                }
                // Column letters go into row 0 when there is a header row.
                if (m_nFixedRows > 0 && m_nRows > 0) {
                    for (int col = std::max(nOldCols, m_nFixedCols); col < nCols; ++col) {
                        CGridCellBase* pCell = fresh[0][static_cast<size_t>(col - nOldCols)].get();
                        pCell->SetText(ColumnToLetters(col - m_nFixedCols + 1));
                        pCell->SetAlign(GRID_HEADER_ALIGN);
                    }
                }
            }
            m_arColWidths.SetSize(nCols);
            // Nothing below allocates: every row has its room reserved.
            for (int col = nOldCols; col < nCols; ++col)
                m_arColWidths.SetAt(col, width);
            for (size_t row = 0; row < fresh.size(); ++row) {
                GridRow& cells = m_RowData[row];
                for (auto& pCell : fresh[row])
                    cells.push_back(std::move(pCell));
            }
            m_nCols = nCols;
        }
    } catch (const std::bad_alloc&) {
        bResult = FALSE;
        if (nCols > nOldCols)
            m_arColWidths.SetSize(nOldCols);
    }
    FinishStructuralChange(savedFocus);
    return bResult;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_nFixedRows)
        return TRUE;
    if (m_nRows < nFixedRows && !SetRowCount(nFixedRows))
        return FALSE;

    int nOld = m_nFixedRows;
    if (nFixedRows < nOld) {
        // Lowering the count removes header rows rather than turning them
        // into data rows: the first rows go while they are still fixed, and
        // each fixed row deleted lowers the count by one.
        DeleteRows(0, nOld - nFixedRows);
        m_nFixedRows = std::min(nFixedRows, m_nRows);
        CGridCellPos savedFocus = BeginStructuralChange();
        RenumberRowHeaders(m_nFixedRows, m_nRows - 1);
        FinishStructuralChange(savedFocus);
        return TRUE;
    }

    CGridCellPos savedFocus = BeginStructuralChange();
    if (savedFocus.row >= 0 && savedFocus.row < nFixedRows)
        savedFocus.row = nFixedRows;
    m_nFixedRows = nFixedRows;
    ApplyFixedRowState(nOld, nFixedRows);
    // Header rows lose the row numbers the grid itself wrote there while they
    // were data rows; any other text stays.
    if (!m_bVirtualMode && m_nFixedCols > 0) {
        for (int row = nOld; row < nFixedRows; ++row) {
            CGridCellBase* pCell = GetCell(row, 0);
            if (pCell != nullptr && !pCell->IsNumber() && RowNumberText(row - nOld + 1) == pCell->GetText())
                pCell->SetText("");
        }
    }
    RenumberRowHeaders(nFixedRows, m_nRows - 1);
    FinishStructuralChange(savedFocus);
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == m_nFixedCols)
        return TRUE;
    if (m_nCols < nFixedCols && !SetColumnCount(nFixedCols))
        return FALSE;

    int nOld = m_nFixedCols;
    if (nFixedCols < nOld) {
        DeleteColumns(0, nOld - nFixedCols);
        m_nFixedCols = std::min(nFixedCols, m_nCols);
        CGridCellPos savedFocus = BeginStructuralChange();
        if (m_nFixedCols > 0)
            SetColumnWidth(0, m_cellFixedColDef.GetWidth() / 2);
        RenumberColumnHeaders(m_nFixedCols, m_nCols - 1);
        FinishStructuralChange(savedFocus);
        return TRUE;
    }

    CGridCellPos savedFocus = BeginStructuralChange();
    if (savedFocus.col >= 0 && savedFocus.col < nFixedCols)
        savedFocus.col = nFixedCols;
    m_nFixedCols = nFixedCols;
    ApplyFixedColumnState(nOld, nFixedCols);
    // Header columns lose the column letters the grid itself wrote there
    // while they were data columns; a user's text such as "NAME" stays.
    if (!m_bVirtualMode && m_nFixedRows > 0) {
        for (int col = nOld; col < nFixedCols; ++col) {
            CGridCellBase* pCell = GetCell(0, col);
            if (pCell != nullptr && !pCell->IsNumber() && ColumnToLetters(col - nOld + 1) == pCell->GetText())
                pCell->SetText("");
        }
    }
    if (m_nFixedCols > 0)
        SetColumnWidth(0, m_cellFixedColDef.GetWidth() / 2);
    RenumberColumnHeaders(nFixedCols, m_nCols - 1);
    FinishStructuralChange(savedFocus);
    return TRUE;
}

void CGridCtrl::ApplyFixedRowState(int nOldFixed, int nNewFixed)
{
    if (m_bVirtualMode)
        return;
    for (int row = nOldFixed; row < nNewFixed && row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != nullptr)
                pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDROW);
        }
    }
}

void CGridCtrl::ApplyFixedColumnState(int nOldFixed, int nNewFixed)
{
    if (m_bVirtualMode)
        return;
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = nOldFixed; col < nNewFixed && col < m_nCols; ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
            if (pCell->IsKindOf(RUNTIME_CLASS(CGridCell)))
                static_cast<CGridCell*>(pCell)->ResetColours(m_crDefaultBack, m_crDefaultText);
        }
    }
}
