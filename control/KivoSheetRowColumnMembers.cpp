// The Row and Column families of the control's members: the sheet's size and
// fixed lines, sizes, selecting a whole line, scrolling to a line, insertion
// and deletion, whole-line colours, hiding, the reference flags and the sizes
// of a divider being dragged.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its table row before it and runs the redraw marks after
// it. The tree-column members and the row and column objects keep their
// failure answers until tree columns and those objects exist.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

namespace {

CGridCtrl* EngineOf(CGridPort* port)
{
    return port != nullptr ? port->GetGridCtrl() : nullptr;
}

}  // namespace

// ---- size and fixed lines ---------------------------------------------------------

BOOL CKivoSheetCtrl::DoRowSetCount(LONG nRows)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && nRows > 0 && grid->SetRowCount(nRows);
}

LONG CKivoSheetCtrl::DoRowGetCount()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetRowCount() : 0;
}

// A count outside 0..rows - 1 sets nothing and says so.
BOOL CKivoSheetCtrl::DoRowSetFixedCount(LONG nFixedRows)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && nFixedRows >= 0 && nFixedRows < grid->GetRowCount() &&
           grid->SetFixedRowCount(nFixedRows);
}

LONG CKivoSheetCtrl::DoRowGetFixedCount()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetFixedRowCount() : 0;
}

BOOL CKivoSheetCtrl::DoColumnSetCount(LONG nCols)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && nCols > 0 && grid->SetColumnCount(nCols);
}

LONG CKivoSheetCtrl::DoColumnGetCount()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetColumnCount() : 0;
}

BOOL CKivoSheetCtrl::DoColumnSetFixedCount(LONG nFixedCols)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && nFixedCols >= 0 && nFixedCols < grid->GetColumnCount() &&
           grid->SetFixedColumnCount(nFixedCols);
}

LONG CKivoSheetCtrl::DoColumnGetFixedCount()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetFixedColumnCount() : 0;
}

// ---- sizes, selection, scrolling ------------------------------------------------------

BOOL CKivoSheetCtrl::DoRowSetHeight(LONG nRow, LONG nHeight)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetRowHeight(nRow, nHeight);
}

LONG CKivoSheetCtrl::DoRowGetHeight(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetRowHeight(nRow) : -1;
}

BOOL CKivoSheetCtrl::DoColumnSetWidth(LONG nCol, LONG nWidth)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetColumnWidth(nCol, nWidth);
}

LONG CKivoSheetCtrl::DoColumnGetWidth(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetColumnWidth(nCol) : -1;
}

BOOL CKivoSheetCtrl::DoRowSelect(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return FALSE;
    grid->SetSelectedRange(nRow, grid->GetFixedColumnCount(), nRow, grid->GetColumnCount() - 1);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoColumnSelect(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return FALSE;
    grid->SetSelectedRange(grid->GetFixedRowCount(), nCol, grid->GetRowCount() - 1, nCol);
    return TRUE;
}

namespace {

// The scroll position at which the line is the first one scrolled: the size
// of the scrollable lines before it.
int ScrollPositionOfRow(CGridCtrl& grid, int nRow)
{
    long long position = 0;
    for (int row = grid.GetBands().nFirstScrollRow; row < nRow; ++row)
        position += grid.ZoomedRowHeight(row);
    return position > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(position);
}

int ScrollPositionOfColumn(CGridCtrl& grid, int nCol)
{
    long long position = 0;
    for (int col = grid.GetBands().nFirstScrollCol; col < nCol; ++col)
        position += grid.ZoomedColumnWidth(col);
    return position > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(position);
}

}  // namespace

BOOL CKivoSheetCtrl::DoRowSetTop(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos focus = grid->GetFocusCell();
    grid->SetFocusCell(nRow, focus.col >= 0 ? focus.col : grid->GetBands().nFirstScrollCol);
    grid->SetScrollPos(SB_VERT, ScrollPositionOfRow(*grid, nRow), TRUE);
    grid->UpdateScrollBars();
    return TRUE;
}

BOOL CKivoSheetCtrl::DoColumnSetLeft(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos focus = grid->GetFocusCell();
    grid->SetFocusCell(focus.row >= 0 ? focus.row : grid->GetBands().nFirstScrollRow, nCol);
    const int position = ScrollPositionOfColumn(*grid, nCol);
    grid->SetScrollPos(SB_HORZ, position, TRUE);
    // The grid's own scrolling takes the new position, as a thumb moved there would.
    if (grid->GetSafeHwnd() != nullptr)
        grid->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)), 0);
    // The focus stays where it was, selected alone.
    grid->SetFocusCell(focus);
    if (grid->IsValid(focus.row, focus.col))
        grid->SetSelectedRange(focus.row, focus.col, focus.row, focus.col);
    return TRUE;
}

LONG CKivoSheetCtrl::DoRowGetTop()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetTopLeftCell().row : 0;
}

LONG CKivoSheetCtrl::DoColumnGetLeft()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetTopLeftCell().col : 0;
}

// ---- insertion and deletion ---------------------------------------------------------------

BOOL CKivoSheetCtrl::DoRowInsert(LONG nRow, LONG nCount, SHORT bAfter)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->InsertRows(nRow, nCount, bAfter != 0);
}

BOOL CKivoSheetCtrl::DoColumnInsert(LONG nCol, LONG nCount, SHORT bRight)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->InsertColumns(nCol, nCount, bRight != 0);
}

LONG CKivoSheetCtrl::DoRowDelete(LONG nRow, LONG nCount)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->DeleteRows(nRow, nCount) : 0;
}

LONG CKivoSheetCtrl::DoColumnDelete(LONG nCol, LONG nCount)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->DeleteColumns(nCol, nCount) : 0;
}

// ---- whole-line colours -------------------------------------------------------------------

BOOL CKivoSheetCtrl::DoRowSetTextColor(LONG nRow, LONG crColor)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetRowTextColor(nRow, static_cast<COLORREF>(crColor));
}

BOOL CKivoSheetCtrl::DoRowSetBackColor(LONG nRow, LONG crColor)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetRowBackColor(nRow, static_cast<COLORREF>(crColor));
}

// The colours of a line are those of its first scrollable cell.
LONG CKivoSheetCtrl::DoRowGetBackColor(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? static_cast<LONG>(grid->GetCellBackColor(nRow, grid->GetFixedColumnCount())) : 0;
}

LONG CKivoSheetCtrl::DoRowGetTextColor(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? static_cast<LONG>(grid->GetCellTextColor(nRow, grid->GetFixedColumnCount())) : 0;
}

BOOL CKivoSheetCtrl::DoColumnSetTextColor(LONG nCol, LONG crColor)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetColumnTextColor(nCol, static_cast<COLORREF>(crColor));
}

BOOL CKivoSheetCtrl::DoColumnSetBackColor(LONG nCol, LONG crColor)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetColumnBackColor(nCol, static_cast<COLORREF>(crColor));
}

LONG CKivoSheetCtrl::DoColumnGetTextColor(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? static_cast<LONG>(grid->GetCellTextColor(grid->GetFixedRowCount(), nCol)) : 0;
}

LONG CKivoSheetCtrl::DoColumnGetBackColor(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? static_cast<LONG>(grid->GetCellBackColor(grid->GetFixedRowCount(), nCol)) : 0;
}

// ---- hiding ---------------------------------------------------------------------------------

int CKivoSheetCtrl::DoRowSetHide(LONG nRow, SHORT bHide)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return 0;
    const BOOL result = grid->SetRowHide(nRow, bHide != 0);
    grid->UpdateScrollBars();
    return result;
}

int CKivoSheetCtrl::DoRowIsHide(LONG nRow)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->IsRowHide(nRow) : 0;
}

int CKivoSheetCtrl::DoColumnSetHide(LONG nCol, SHORT bHide)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return 0;
    const BOOL result = grid->SetColumnHide(nCol, bHide != 0);
    grid->UpdateScrollBars();
    return result;
}

int CKivoSheetCtrl::DoColumnIsHide(LONG nCol)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->IsColumnHide(nCol) : 0;
}

// ---- settings, fixed lines, marks, dragged sizes ----------------------------------------

void CKivoSheetCtrl::DoRowSetRefFlags(SHORT iRefFlags)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetRowRefFlags(iRefFlags);
}

int CKivoSheetCtrl::DoRowGetRefFlags()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetRowRefFlags() : 0;
}

void CKivoSheetCtrl::DoColumnSetRefFlags(SHORT iRefFlags)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetColumnRefFlags(iRefFlags);
}

int CKivoSheetCtrl::DoColumnGetRefFlags()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetColumnRefFlags() : 0;
}

// The current header rows go and the first nCount rows become the headers.
int CKivoSheetCtrl::DoRowToFixed(LONG nCount)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr || nCount < 0 || static_cast<long long>(nCount) + grid->GetFixedRowCount() >= grid->GetRowCount() ||
        grid->GetColumnCount() <= 0)
        return 0;
    if (grid->GetFixedRowCount() > 0)
        grid->DeleteRows(0, grid->GetFixedRowCount());
    grid->SetFixedRowCount(nCount);
    return 1;
}

int CKivoSheetCtrl::DoColumnToFixed(LONG nCount)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr || nCount < 0)
        return 0;
    return grid->ColumnsToFixed(nCount);
}

int CKivoSheetCtrl::DoRowResetFixed()
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->ResetFixedRows();
    return 1;
}

int CKivoSheetCtrl::DoColumnResetFixed()
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->ResetFixedColumns();
    return 1;
}

CString CKivoSheetCtrl::DoColumnIdToMark(LONG nColIndex)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->ColumnIdToMark(nColIndex) : CString();
}

LONG CKivoSheetCtrl::DoColumnGetDragWidth()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetTrackedColumnWidth() : 0;
}

LONG CKivoSheetCtrl::DoRowGetDragHeight()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetTrackedRowHeight() : 0;
}
