// Inserting and deleting rows and columns, one at a time or many in one
// step, and emptying the grid.
//
// Every insertion and deletion, single or bulk, runs through one path per
// direction (InsertRowBlock, DeleteRowBlock and their column pairs): it moves
// the row array (or every row's cells) once, whatever the count, and shifts
// once everything that follows the lines (cell ids, hidden lines, format
// lists, merged blocks, formula references, tree columns, bindings, the sort
// column). A block whose owner's line goes keeps its content: the first
// surviving cell takes it over before the line is deleted.
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include "platform/System.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <new>
#include <stdexcept>

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

// --- what moves with lines ----------------------------------------------------------------

namespace {

// A list of hidden lines after nCount lines were inserted at nFirst (nCount
// > 0) or deleted from nFirst (nCount < 0): entries of deleted lines go,
// later ones move, so a hidden line is still shown at its old size later.
void ShiftHiddenLines(std::vector<GridHiddenLine>& list, int nFirst, int nCount)
{
    if (nCount < 0) {
        const int last = nFirst - nCount - 1;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const GridHiddenLine& e) { return e.index >= nFirst && e.index <= last; }),
                   list.end());
    }
    for (GridHiddenLine& entry : list) {
        if (entry.index >= nFirst)
            entry.index += nCount;
    }
}

// The cell-id table after nCount rows (bRows) or columns were deleted from
// nFirst: the names of the deleted cells go, later ones move back.
void RemoveIdLines(std::vector<GridCellIdEntry>& ids, bool bRows, int nFirst, int nCount)
{
    const int last = nFirst + nCount - 1;
    ids.erase(std::remove_if(ids.begin(), ids.end(),
                             [&](const GridCellIdEntry& e) {
                                 const int line = bRows ? e.row : e.col;
                                 return line >= nFirst && line <= last;
                             }),
              ids.end());
    for (GridCellIdEntry& entry : ids) {
        std::int32_t& line = bRows ? entry.row : entry.col;
        if (line > last)
            line -= nCount;
    }
}

// The lines a focus index keeps after nCount lines from nFirst were deleted:
// -1 when it was one of them.
int IndexAfterDelete(int index, int nFirst, int nCount)
{
    if (index < nFirst)
        return index;
    if (index < nFirst + nCount)
        return -1;
    return index - nCount;
}

}  // namespace

// --- merged blocks following the lines -----------------------------------------------------

void CGridCtrl::MergesFollowInsertion(BOOL bRows, int nFirst, int nCount)
{
    if (m_bVirtualMode || nCount <= 0)
        return;
    m_arMergeOwners.clear();
    std::vector<CGridCellRange> grown;   // blocks across nFirst, in their new extent
    const int rows = static_cast<int>(m_RowData.size());
    for (int row = 0; row < rows; ++row) {
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        const int cols = static_cast<int>(cells.size());
        for (int col = 0; col < cols; ++col) {
            const int line = bRows ? row : col;
            if (line >= nFirst && line < nFirst + nCount)
                continue;                    // a new cell: no block yet
            CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
            if (pCell == nullptr)
                continue;
            CGridCellRange range = pCell->GetMergeRange();
            if (!range.IsValid())
                continue;
            // The stored range counts lines as they were before the insertion.
            int minLine = bRows ? range.GetMinRow() : range.GetMinCol();
            int maxLine = bRows ? range.GetMaxRow() : range.GetMaxCol();
            const bool across = minLine < nFirst && maxLine >= nFirst;
            if (minLine >= nFirst)
                minLine += nCount;
            if (maxLine >= nFirst)
                maxLine += nCount;
            if (bRows) {
                range.SetMinRow(minLine);
                range.SetMaxRow(maxLine);
            } else {
                range.SetMinCol(minLine);
                range.SetMaxCol(maxLine);
            }
            const CGridCellPos owner = range.GetTopLeft();
            pCell->SetMergeRange(range);
            pCell->SetMergeOwner(owner.row, owner.col);
            const bool isOwner = CGridCellPos(row, col) == owner;
            pCell->SetMergeOwnerCell(isOwner);
            if (isOwner && range.GetCellCount() > 1) {
                m_arMergeOwners.Add(owner);
                if (across)
                    grown.push_back(range);
            }
        }
    }
    // The new lines' cells inside a block that grew over them join it and,
    // as every cell of a block does once the grid shows it, hold a copy of
    // the owner.
    for (const CGridCellRange& range : grown) {
        const CGridCellPos owner = range.GetTopLeft();
        const int from = bRows ? range.GetMinCol() : range.GetMinRow();
        const int to = bRows ? range.GetMaxCol() : range.GetMaxRow();
        for (int line = nFirst; line < nFirst + nCount; ++line) {
            for (int other = from; other <= to; ++other) {
                CGridCellBase* pCell = bRows ? GetCell(line, other) : GetCell(other, line);
                if (pCell == nullptr)
                    continue;
                pCell->SetMergeRange(range);
                pCell->SetMergeOwner(owner.row, owner.col);
                pCell->SetMergeOwnerCell(FALSE);
            }
        }
        CGridCellBase* pOwner = GetCell(owner.row, owner.col);
        if (pOwner != nullptr && GetSafeHwnd() != nullptr) {
            const CGridCellRange added = bRows ? CGridCellRange(nFirst, from, nFirst + nCount - 1, to)
                                               : CGridCellRange(from, nFirst, to, nFirst + nCount - 1);
            CopyCellToRange(added, pOwner);
        }
    }
}

void CGridCtrl::MergesFollowDeletion(BOOL bRows, int nFirst, int nCount)
{
    if (m_bVirtualMode || nCount <= 0)
        return;
    const int last = nFirst + nCount - 1;
    const int rows = static_cast<int>(m_RowData.size());
    // A block whose owner's line goes but which reaches past the deleted
    // lines keeps its content: the cell that becomes its owner (the first
    // one after the deleted lines, in the owner's column or row) takes a
    // copy of the owner while both still stand.
    std::vector<std::pair<CGridCellPos, CGridCellPos>> handovers;   // old owner, heir
    const int across = bRows ? m_nCols : m_nRows;
    for (int line = nFirst; line <= last; ++line) {
        for (int other = 0; other < across; ++other) {
            const CGridCellPos pos = bRows ? CGridCellPos(line, other) : CGridCellPos(other, line);
            CGridCellBase* pOwner = GetCell(pos.row, pos.col);
            if (pOwner == nullptr || !pOwner->IsMerged())
                continue;
            const CGridCellRange range = pOwner->GetMergeRange();
            if (!(range.GetTopLeft() == pos) || (bRows ? range.GetMaxRow() : range.GetMaxCol()) <= last)
                continue;
            handovers.emplace_back(pos, bRows ? CGridCellPos(last + 1, pos.col) : CGridCellPos(pos.row, last + 1));
        }
    }
    for (const auto& handover : handovers) {
        CGridCellBase* pOwner = GetCell(handover.first.row, handover.first.col);
        if (pOwner != nullptr)
            CopyCellToRange(CGridCellRange(handover.second.row, handover.second.col, handover.second.row,
                                           handover.second.col),
                            pOwner);
    }
    m_arMergeOwners.clear();
    for (int row = 0; row < rows; ++row) {
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        const int cols = static_cast<int>(cells.size());
        for (int col = 0; col < cols; ++col) {
            const int line = bRows ? row : col;
            if (line >= nFirst && line <= last)
                continue;                    // goes with its line
            CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
            if (pCell == nullptr)
                continue;
            CGridCellRange range = pCell->GetMergeRange();
            if (!range.IsValid())
                continue;
            int minLine = bRows ? range.GetMinRow() : range.GetMinCol();
            int maxLine = bRows ? range.GetMaxRow() : range.GetMaxCol();
            // The block's lines that stay, counted as they will be.
            if (minLine > last)
                minLine -= nCount;
            else if (minLine >= nFirst)
                minLine = nFirst;
            if (maxLine > last)
                maxLine -= nCount;
            else if (maxLine >= nFirst)
                maxLine = nFirst - 1;
            if (maxLine < minLine) {
                pCell->ClearMerge();         // nothing of its block stays
                continue;
            }
            if (bRows) {
                range.SetMinRow(minLine);
                range.SetMaxRow(maxLine);
            } else {
                range.SetMinCol(minLine);
                range.SetMaxCol(maxLine);
            }
            if (range.GetCellCount() <= 1) {
                pCell->ClearMerge();         // one cell is no block
                continue;
            }
            const CGridCellPos here = bRows ? CGridCellPos(line > last ? line - nCount : line, col)
                                            : CGridCellPos(row, line > last ? line - nCount : line);
            const CGridCellPos owner = range.GetTopLeft();
            pCell->SetMergeRange(range);
            pCell->SetMergeOwner(owner.row, owner.col);
            if (here == owner) {
                pCell->SetMergeOwnerCell(TRUE);
                pCell->SetVisible(TRUE);
                m_arMergeOwners.Add(owner);
            } else {
                pCell->SetMergeOwnerCell(FALSE);
            }
        }
    }
}

// --- inserting ------------------------------------------------------------------------------

int CGridCtrl::InsertRow(LPCTSTR szHeading, int nRow)
{
    if (nRow >= 0 && (nRow < m_nFixedRows || nRow > m_nRows))
        return -1;
    if (m_nCols == 0 && !SetColumnCount(1))
        return -1;
    return InsertRowBlock((nRow < 0 || nRow >= m_nRows) ? m_nRows : nRow, 1, szHeading);
}

int CGridCtrl::InsertColumn(LPCTSTR szHeading, UINT, int nCol)
{
    if (nCol >= 0 && (nCol < m_nFixedCols || nCol > m_nCols))
        return -1;
    if (m_nRows == 0 && !SetRowCount(1))
        return -1;
    return InsertColumnBlock((nCol < 0 || nCol >= m_nCols) ? m_nCols : nCol, 1, szHeading);
}

int CGridCtrl::InsertRowBlock(int nNew, int nCount, LPCTSTR szHeading)
{
    if (nCount > GRID_MAX_ROWS - m_nRows)
        return -1;
    const cellvalue::ChangeScope cellsRearranged;
    CGridCellPos savedFocus = BeginStructuralChange();
    // Lines are moved only by an insertion before the last one; an append
    // moves nothing that follows lines.
    const bool bMoves = nNew < m_nRows;
    // Formula references move with the lines while the cells still stand
    // where the formula index knows them.
    ShiftFormulaRows(nNew, nCount, TRUE);
    int result = nNew;
    try {
        // The new rows are made whole before anything moves, so running out
        // of memory leaves the grid as it was.
        std::vector<GridRow> fresh;
        int sourceHeight = -1;
        if (!m_bVirtualMode) {
            // What each column's new cells copy: the cell above (mode 1, or a
            // format column), the cell below (mode 2), or nothing.
            std::vector<CGridCellBase*> sources(static_cast<size_t>(m_nCols), nullptr);
            for (int col = 0; col < m_nCols; ++col) {
                int sourceRow = -1;
                if (m_nRowInsertFormatMode == GIF_BEFORE || FindFormatColumn(col) >= 0)
                    sourceRow = nNew - 1;
                else if (m_nRowInsertFormatMode == GIF_AFTER)
                    sourceRow = nNew;
                CGridCellBase* pSource = sourceRow >= 0 ? GetCell(sourceRow, col) : nullptr;
                if (pSource != nullptr && pSource->IsFixed())
                    pSource = nullptr;
                if (pSource != nullptr)
                    sourceHeight = GetRowHeight(sourceRow);
                sources[static_cast<size_t>(col)] = pSource;
            }
            fresh.resize(static_cast<size_t>(nCount));
            for (int i = 0; i < nCount; ++i) {
                GridRow& cells = fresh[static_cast<size_t>(i)];
                cells.resize(static_cast<size_t>(m_nCols));
                for (int col = 0; col < m_nCols; ++col) {
                    CGridCellBase* pCell = MakeInsertedCell(nNew + i, col, sources[static_cast<size_t>(col)]);
                    if (pCell == nullptr) {
                        CString message;
                        message.Format("InsertRow: row=%d,col=%d ", nNew + i, col);
                        AfxMessageBox(message);
                        continue;
                    }
                    cells[static_cast<size_t>(col)].reset(pCell);
                }
                if (CGridCellBase* pHeader = cells.empty() ? nullptr : cells[0].get())
                    pHeader->SetText(szHeading != nullptr ? szHeading : "");
            }
        }
        UINT height = static_cast<UINT>(std::max(0, m_cellDefault.GetHeight()));
        if (m_nRowInsertFormatMode == GIF_PLAIN) {
            const bool emptyHeading = szHeading == nullptr || *szHeading == '\0';
            height = static_cast<UINT>(
                std::max(0, emptyHeading ? m_cellFixedRowDef.GetHeight() : m_cellDefault.GetHeight()));
        } else if (sourceHeight >= 0) {
            height = static_cast<UINT>(sourceHeight);
        }

        m_arRowHeights.InsertAt(nNew, height, nCount);
        if (!m_bVirtualMode) {
            try {
                m_RowData.insert(m_RowData.begin() + nNew, std::make_move_iterator(fresh.begin()),
                                 std::make_move_iterator(fresh.end()));
            } catch (...) {
                m_arRowHeights.RemoveAt(nNew, nCount);
                throw;
            }
        }
        m_nRows += nCount;
        if (savedFocus.row >= nNew)
            savedFocus.row += nCount;
        ShiftCellIdRows(nNew, nCount);
        AdjustFormatRows(nNew, nCount);
        ShiftHiddenLines(m_arHiddenRows, nNew, nCount);
        if (bMoves) {
            MergesFollowInsertion(TRUE, nNew, nCount);
            ShiftTreeColumnRows(nNew, nCount);
            ShiftBindingRows(nNew, nCount);
        }
    } catch (const std::exception&) {
        result = -1;
    }
    FinishStructuralChange(savedFocus);
    return result;
}

int CGridCtrl::InsertColumnBlock(int nNew, int nCount, LPCTSTR szHeading, int nWidth)
{
    if (nCount > GRID_MAX_COLUMNS - m_nCols)
        return -1;
    const cellvalue::ChangeScope cellsRearranged;
    CGridCellPos savedFocus = BeginStructuralChange();
    const bool bMoves = nNew < m_nCols;
    ShiftFormulaColumns(nNew, nCount, TRUE);
    int result = nNew;
    try {
        // Made whole first, as for rows: one block of new cells per row.
        std::vector<GridRow> fresh;
        int sourceWidth = -1;
        if (!m_bVirtualMode) {
            fresh.resize(static_cast<size_t>(m_nRows));
            for (int row = 0; row < m_nRows; ++row) {
                int sourceCol = -1;
                if (m_nColInsertFormatMode == GIF_BEFORE || FindFormatRow(row) >= 0)
                    sourceCol = nNew - 1;
                else if (m_nColInsertFormatMode == GIF_AFTER)
                    sourceCol = nNew;
                CGridCellBase* pSource = sourceCol >= 0 ? GetCell(row, sourceCol) : nullptr;
                if (pSource != nullptr && pSource->IsFixed())
                    pSource = nullptr;
                if (pSource != nullptr)
                    sourceWidth = GetColumnWidth(sourceCol);
                GridRow& cells = fresh[static_cast<size_t>(row)];
                cells.resize(static_cast<size_t>(nCount));
                for (int i = 0; i < nCount; ++i) {
                    CGridCellBase* pCell = MakeInsertedCell(row, nNew + i, pSource);
                    if (pCell == nullptr) {
                        CString message;
                        message.Format("InsertColumn: row=%d,col=%d ", row, nNew + i);
                        AfxMessageBox(message);
                        continue;
                    }
                    cells[static_cast<size_t>(i)].reset(pCell);
                }
            }
            if (!fresh.empty()) {
                for (std::unique_ptr<CGridCellBase>& pHeader : fresh[0]) {
                    if (pHeader)
                        pHeader->SetText(szHeading != nullptr ? szHeading : "");
                }
            }
            // Room in every row before any row changes.
            for (GridRow& cells : m_RowData)
                cells.reserve(cells.size() + static_cast<size_t>(nCount));
        }
        UINT width = static_cast<UINT>(std::max(0, m_cellDefault.GetWidth()));
        if (nWidth >= 0)
            width = static_cast<UINT>(nWidth);
        else if (m_nColInsertFormatMode != GIF_PLAIN && sourceWidth >= 0)
            width = static_cast<UINT>(sourceWidth);

        m_arColWidths.InsertAt(nNew, width, nCount);
        if (!m_bVirtualMode) {
            for (size_t row = 0; row < m_RowData.size() && row < fresh.size(); ++row) {
                GridRow& cells = m_RowData[row];
                GridRow& add = fresh[row];
                cells.insert(cells.begin() + std::min<size_t>(static_cast<size_t>(nNew), cells.size()),
                             std::make_move_iterator(add.begin()), std::make_move_iterator(add.end()));
            }
        }
        m_nCols += nCount;
        if (savedFocus.col >= nNew)
            savedFocus.col += nCount;
        ShiftCellIdCols(nNew, nCount);
        AdjustFormatColumns(nNew, nCount);
        ShiftHiddenLines(m_arHiddenCols, nNew, nCount);
        ShiftColumnSortTypes(nNew, nCount);
        if (m_nSortColumn >= nNew)
            m_nSortColumn += nCount;
        if (bMoves) {
            MergesFollowInsertion(FALSE, nNew, nCount);
            ShiftTreeColumnCols(nNew, nCount);
            ShiftBindingColumns(nNew, nCount);
        }
    } catch (const std::exception&) {
        result = -1;
    }
    FinishStructuralChange(savedFocus);
    return result;
}

BOOL CGridCtrl::InsertRows(int nRow, int nCount, BOOL bAfter)
{
    if (nCount < 1 || nCount > INT_MAX - m_nRows || nRow < -1)
        return FALSE;
    if (m_nCols == 0 && !SetColumnCount(1))
        return FALSE;
    if (nRow == -1 || nRow >= m_nRows) {
        const int oldRows = m_nRows;
        if (InsertRowBlock(m_nRows, nCount, nullptr) < 0)
            return FALSE;
        RenumberRowHeaders(oldRows, m_nRows - 1);
    } else {
        const int first = bAfter ? nRow + 1 : nRow;
        if (first < m_nFixedRows)
            return FALSE;
        if (InsertRowBlock(first, nCount, nullptr) < 0)
            return FALSE;
        RenumberRowHeaders(std::max(nRow, m_nFixedRows), m_nRows - 1);
    }
    // Odd and even row colours are painted by row index: a refresh applies them.
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::InsertColumns(int nCol, int nCount, BOOL bRight)
{
    if (nCount < 1 || nCount > INT_MAX - m_nCols || nCol < -1)
        return FALSE;
    if (m_nRows == 0 && !SetRowCount(1))
        return FALSE;
    const int width = std::max(0, m_cellDefault.GetWidth());
    if (nCol == -1 || nCol >= m_nCols) {
        const int oldCols = m_nCols;
        if (InsertColumnBlock(m_nCols, nCount, nullptr, width) < 0)
            return FALSE;
        RenumberColumnHeaders(oldCols, m_nCols - 1);
    } else {
        if (nCol < 1 || nCol < m_nFixedCols)
            return FALSE;
        const int first = bRight ? nCol + 1 : nCol;
        if (InsertColumnBlock(first, nCount, nullptr, width) < 0)
            return FALSE;
        RenumberColumnHeaders(nCol, m_nCols - 1);
    }
    Refresh();
    return TRUE;
}

// --- deleting -------------------------------------------------------------------------------

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (!m_bVirtualMode && static_cast<size_t>(nRow) >= m_RowData.size())
        return FALSE;
    DeleteRowBlock(nRow, 1);
    return TRUE;
}

BOOL CGridCtrl::DeleteColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    DeleteColumnBlock(nCol, 1);
    return TRUE;
}

void CGridCtrl::DeleteRowBlock(int nFirst, int nCount)
{
    const cellvalue::ChangeScope cellsRearranged;
    // An open editor commits while its cell still stands; then the merged
    // blocks and the bindings are cut back while the lines are still there.
    EndEditBeforeStructuralChange();
    MergesFollowDeletion(TRUE, nFirst, nCount);
    ShiftBindingRows(nFirst, -nCount);
    CGridCellPos savedFocus = BeginStructuralChange();
    ShiftFormulaRows(nFirst, nCount, FALSE);
    savedFocus.row = IndexAfterDelete(savedFocus.row, nFirst, nCount);
    if (savedFocus.row < 0)
        savedFocus = CGridCellPos();

    if (!m_bVirtualMode)
        m_RowData.erase(m_RowData.begin() + nFirst, m_RowData.begin() + nFirst + nCount);
    m_arRowHeights.RemoveAt(nFirst, nCount);
    m_nRows -= nCount;
    m_nFixedRows -= std::max(0, std::min(nFirst + nCount, m_nFixedRows) - nFirst);
    RemoveIdLines(m_arCellIds, true, nFirst, nCount);
    AdjustFormatRows(nFirst, -nCount);
    ShiftHiddenLines(m_arHiddenRows, nFirst, -nCount);
    ShiftTreeColumnRows(nFirst, -nCount);

    if (savedFocus.row >= 0) {
        savedFocus.row = std::min(std::max(savedFocus.row, m_nFixedRows), m_nRows - 1);
        if (savedFocus.row < 0)
            savedFocus = CGridCellPos();
    }
    // Formulas that lost references show their new results.
    RecalcAfterFormulaShift();
    FinishStructuralChange(savedFocus);
}

void CGridCtrl::DeleteColumnBlock(int nFirst, int nCount)
{
    const cellvalue::ChangeScope cellsRearranged;
    EndEditBeforeStructuralChange();
    MergesFollowDeletion(FALSE, nFirst, nCount);
    ShiftBindingColumns(nFirst, -nCount);
    CGridCellPos savedFocus = BeginStructuralChange();
    ShiftFormulaColumns(nFirst, nCount, FALSE);
    savedFocus.col = IndexAfterDelete(savedFocus.col, nFirst, nCount);
    if (savedFocus.col < 0)
        savedFocus = CGridCellPos();

    if (!m_bVirtualMode) {
        for (GridRow& cells : m_RowData) {
            const size_t first = std::min(static_cast<size_t>(nFirst), cells.size());
            const size_t end = std::min(static_cast<size_t>(nFirst + nCount), cells.size());
            cells.erase(cells.begin() + first, cells.begin() + end);
        }
    }
    m_arColWidths.RemoveAt(nFirst, nCount);
    m_nCols -= nCount;
    m_nFixedCols -= std::max(0, std::min(nFirst + nCount, m_nFixedCols) - nFirst);
    RemoveIdLines(m_arCellIds, false, nFirst, nCount);
    AdjustFormatColumns(nFirst, -nCount);
    ShiftHiddenLines(m_arHiddenCols, nFirst, -nCount);
    ShiftColumnSortTypes(nFirst, -nCount);
    ShiftTreeColumnCols(nFirst, -nCount);
    // The sort column keeps naming its column; a deleted one is no sort column.
    if (m_nSortColumn >= nFirst + nCount)
        m_nSortColumn -= nCount;
    else if (m_nSortColumn >= nFirst)
        m_nSortColumn = -1;

    if (savedFocus.col >= 0) {
        savedFocus.col = std::min(std::max(savedFocus.col, m_nFixedCols), m_nCols - 1);
        if (savedFocus.col < 0)
            savedFocus = CGridCellPos();
    }
    // Formulas that lost references show their new results.
    RecalcAfterFormulaShift();
    FinishStructuralChange(savedFocus);
}

int CGridCtrl::DeleteRows(int nRow, int nCount)
{
    if (nCount <= 0 || nRow < 0 || nRow >= m_nRows)
        return 0;
    if (!m_bVirtualMode && static_cast<size_t>(m_nRows) > m_RowData.size())
        return 0;
    nCount = std::min(nCount, m_nRows - nRow);
    DeleteRowBlock(nRow, nCount);
    RenumberRowHeaders(std::max(nRow - 1, m_nFixedRows), m_nRows - 1);
    Refresh();
    return nCount;
}

int CGridCtrl::DeleteColumns(int nCol, int nCount)
{
    if (nCount <= 0 || nCol < 0 || nCol >= m_nCols)
        return 0;
    nCount = std::min(nCount, m_nCols - nCol);
    DeleteColumnBlock(nCol, nCount);
    RenumberColumnHeaders(std::max(nCol - 1, m_nFixedCols), m_nCols - 1);
    Refresh();
    return nCount;
}

BOOL CGridCtrl::DeleteAllCells()
{
    const cellvalue::ChangeScope cellsRearranged;
    EndEditBeforeStructuralChange();
    ClearSelection();
    m_arRowHeights.RemoveAll();
    m_arColWidths.RemoveAll();
    m_arFormatRows.clear();
    m_arFormatCols.clear();
    m_arTrees.clear();
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
