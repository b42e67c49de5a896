// The Grid family of the control's members, on the sheet as a whole:
// selection and scrolling, sizing, merging and sorting, colours and display
// modes, freezing, row banding, pictures, the default-setting record, a range
// object and drawing a range into the host's device context. The clipboard,
// drag-and-drop, context-menu and tree members live with their own work.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its table row before it and runs the redraw marks after
// it. Without a grid engine every operation answers its failure value.
#include "control/KivoSheetCtrl.h"

#include "base/PictureHeader.h"

#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"
#include "control/PictureSignature.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"

#include <cstdint>

namespace {

CGridCtrl* EngineOf(CGridPort* port)
{
    return port != nullptr ? port->GetGridCtrl() : nullptr;
}

// The scroll position at which the line is the first one scrolled.
int ScrollPositionOf(CGridCtrl& grid, BOOL bRows, int nLine)
{
    const GridBands bands = grid.GetBands();
    long long position = 0;
    for (int i = bRows ? bands.nFirstScrollRow : bands.nFirstScrollCol; i < nLine; ++i)
        position += bRows ? grid.ZoomedRowHeight(i) : grid.ZoomedColumnWidth(i);
    return position > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(position);
}

// Whether the range lies inside the sheet and is ordered (the merge rule).
bool IsMergeRange(const CGridCtrl& grid, LONG r1, LONG c1, LONG r2, LONG c2)
{
    return r1 >= 0 && c1 >= 0 && r2 >= 0 && c2 >= 0 && r1 <= r2 && c1 <= c2 && r2 < grid.GetRowCount() &&
           c2 < grid.GetColumnCount();
}

// The selection frame's width as stored: above 3 is 3, 1 is 2, below 0 is 0.
int SelFrameWidthOf(SHORT iWidth)
{
    if (iWidth > 3)
        return 3;
    if (iWidth == 1)
        return 2;
    return iWidth < 0 ? 0 : iWidth;
}

const COLORREF kDisplaySelColour = 0xF5ECEA;

}  // namespace

// ---- selection and focus -----------------------------------------------------------

void CKivoSheetCtrl::DoGridClearSelection()
{
    if (CGridCtrl* grid = Engine()) {
        grid->SetSelectionKind(GSK_CELLS);
        grid->ClearSelection();
    }
}

BOOL CKivoSheetCtrl::DoGridSetSelectRange(LONG nMinRow, LONG nMinCol, LONG nMaxRow, LONG nMaxCol)
{
    // Only a range inside the scrollable part, ordered; 0 when nothing was applied.
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    if (nMinRow < grid->GetFixedRowCount() || nMinRow > nMaxRow || nMaxRow >= grid->GetRowCount() ||
        nMinCol < grid->GetFixedColumnCount() || nMinCol > nMaxCol || nMaxCol >= grid->GetColumnCount())
        return FALSE;
    grid->SetSelectedRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridSetSelectMode(LONG nMode)
{
    // 0 plain cell selection; 1 to 3 the grid's modes with whole-row marking.
    // Any other value changes nothing.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || nMode < 0 || nMode > 3)
        return FALSE;
    grid->SetSelectionStyle(static_cast<int>(nMode));
    grid->SetListMode(nMode != 0);
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetSelectMode()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSelectionStyle() : 0;
}

LONG CKivoSheetCtrl::DoGridGetSelectedCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSelectedCount() : 0;
}

BOOL CKivoSheetCtrl::DoGridGetSelectedCell(LONG nIndex, LONG& nSelectedRow, LONG& nSelectedCol)
{
    nSelectedRow = -1;
    nSelectedCol = -1;
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    CGridCellPos cell;
    grid->GetSelectedCell(cell, static_cast<int>(nIndex));
    if (!grid->IsValid(cell.row, cell.col))
        return FALSE;
    nSelectedRow = cell.row;
    nSelectedCol = cell.col;
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridGetSelectRange(LONG& nStartRow, LONG& nStartCol, LONG& nEndRow, LONG& nEndCol)
{
    nStartRow = nStartCol = nEndRow = nEndCol = -1;
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    const CGridCellRange range = grid->GetSelectedRange();
    if (!grid->IsRangeValid(range))
        return FALSE;
    nStartRow = range.GetMinRow();
    nStartCol = range.GetMinCol();
    nEndRow = range.GetMaxRow();
    nEndCol = range.GetMaxCol();
    return TRUE;
}

void CKivoSheetCtrl::DoGridSelectAllCells()
{
    if (CGridCtrl* grid = Engine())
        grid->SelectAllCells();
}

BOOL CKivoSheetCtrl::DoGridSelectCol(LONG nCol)
{
    return DoColumnSelect(nCol);
}

BOOL CKivoSheetCtrl::DoGridSelectRow(LONG nRow)
{
    return DoRowSelect(nRow);
}

int CKivoSheetCtrl::DoGridGetCurSelectType()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSelectionKind() : 0;
}

BOOL CKivoSheetCtrl::DoGridRangeIsValid(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsRangeValid(CGridCellRange(nStartRow, nStartCol, nEndRow, nEndCol));
}

void CKivoSheetCtrl::DoGridSetFocus()
{
    if (CWnd* window = GridWindow())
        window->SetFocus();
}

BOOL CKivoSheetCtrl::DoGridSetCellEdit(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->EditCell(nRow, nCol);
}

BOOL CKivoSheetCtrl::DoGridEndCellEdit()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->EndEditing();
    return TRUE;
}

// ---- scrolling and the visible range ----------------------------------------------------

BOOL CKivoSheetCtrl::DoGridGetVisibleRange(LONG& nTopRow, LONG& nLeftCol, LONG& nBottomRow, LONG& nRightCol)
{
    // Without a grid window nothing is visible.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || grid->GetSafeHwnd() == nullptr)
        return FALSE;
    const CGridCellRange visible = grid->GetVisibleRange();
    nTopRow = visible.GetMinRow();
    nLeftCol = visible.GetMinCol();
    nBottomRow = visible.GetMaxRow();
    nRightCol = visible.GetMaxCol();
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridGetTopLeft(LONG& nRow, LONG& nCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || grid->GetSafeHwnd() == nullptr)
        return FALSE;
    const CGridCellPos topLeft = grid->GetTopLeftCell();
    nRow = topLeft.row;
    nCol = topLeft.col;
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridSetTopLeft(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    const CGridCellPos focus = grid->GetFocusCell();
    const CGridCellPos topLeft = grid->GetTopLeftCell();
    const bool window = grid->GetSafeHwnd() != nullptr;
    // Each direction scrolls only when it changes, as a thumb moved there would.
    if (nRow != topLeft.row) {
        const int position = ScrollPositionOf(*grid, TRUE, nRow);
        grid->SetScrollPos(SB_VERT, position, TRUE);
        if (window)
            grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)), 0);
    }
    if (nCol != topLeft.col) {
        const int position = ScrollPositionOf(*grid, FALSE, nCol);
        grid->SetScrollPos(SB_HORZ, position, TRUE);
        if (window)
            grid->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)), 0);
    }
    // The old focus cell (or the first scrollable one) is focused and selected alone.
    CGridCellPos cell = focus;
    if (!grid->IsValid(cell.row, cell.col)) {
        const GridBands bands = grid->GetBands();
        cell = CGridCellPos(bands.nFirstScrollRow, bands.nFirstScrollCol);
    }
    if (grid->IsValid(cell.row, cell.col)) {
        grid->SetFocusCell(cell);
        grid->SetSelectedRange(cell.row, cell.col, cell.row, cell.col);
    }
    return TRUE;
}

// ---- sizes -----------------------------------------------------------------------------

BOOL CKivoSheetCtrl::DoGridAutoSizeAll()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->AutoSize();
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridAutoSizeRow(LONG nRow)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->AutoSizeRow(nRow);
}

BOOL CKivoSheetCtrl::DoGridAutoSizeRows()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->AutoSizeRows();
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridAutoSizeCol(LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->AutoSizeColumn(nCol);
}

BOOL CKivoSheetCtrl::DoGridAutoSizeCols()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->AutoSizeColumns();
    return TRUE;
}

int CKivoSheetCtrl::DoGridGetRangeSize(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol, LONG& nWidth,
                                       LONG& nHeight)
{
    nWidth = 0;
    nHeight = 0;
    CGridCtrl* grid = Engine();
    const CGridCellRange range(nStartRow, nStartCol, nEndRow, nEndCol);
    if (grid == nullptr || !grid->IsRangeValid(range))
        return 0;
    CSize size;
    grid->GetRangeSize(size, range);
    nWidth = size.cx;
    nHeight = size.cy;
    return 1;
}

void CKivoSheetCtrl::DoGridSetAllowAutoSizeRow(SHORT bAutoSize)
{
    if (CGridCtrl* grid = Engine())
        grid->SetAutoSizeRowAfterEdit(bAutoSize != 0);
}

int CKivoSheetCtrl::DoGridGetAllowAutoSizeRow()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetAutoSizeRowAfterEdit() ? 1 : 0;
}

int CKivoSheetCtrl::DoGridSetRowResize(SHORT bResize)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    grid->GetDefaultSettingRecord().m_bAllowResizeRow = bResize;
    return 1;
}

int CKivoSheetCtrl::DoGridGetRowResize()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDefaultSettingRecord().m_bAllowResizeRow : 0;
}

int CKivoSheetCtrl::DoGridSetColumnResize(SHORT bResize)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    grid->GetDefaultSettingRecord().m_bAllowResizeCol = bResize;
    return 1;
}

int CKivoSheetCtrl::DoGridGetColumnResize()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDefaultSettingRecord().m_bAllowResizeCol : 0;
}

// ---- merging, sorting, clearing ---------------------------------------------------------

BOOL CKivoSheetCtrl::DoGridMergeCells(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !IsMergeRange(*grid, nStartRow, nStartCol, nEndRow, nEndCol))
        return FALSE;
    grid->MergeCells(nStartRow, nStartCol, nEndRow, nEndCol);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridUnMergeCells(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->UnMergeCells(nStartRow, nStartCol, nEndRow, nEndCol);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridUnMergeCellsEx(LONG nMergedRow, LONG nMergedCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->UnMergeCellAt(nMergedRow, nMergedCol);
}

BOOL CKivoSheetCtrl::DoGridSortColumn(LONG nCol, SHORT bAsc)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SortColumn(nCol, bAsc != 0);
}

int CKivoSheetCtrl::DoGridSetClickHeaderSort(SHORT bSort)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    grid->SetHeaderSort(bSort);
    return 1;
}

int CKivoSheetCtrl::DoGridGetClickHeaderSort()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetHeaderSort() : 0;
}

BOOL CKivoSheetCtrl::DoGridSetColumnSortType(LONG nColIndex, SHORT bNumSort)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetColumnSortType(nColIndex, bNumSort != 0);
}

LONG CKivoSheetCtrl::DoGridDeleteAllCells()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DeleteAllCells() ? 1 : 0;
}

LONG CKivoSheetCtrl::DoGridClearAllDatas()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->ClearAllData() : 0;
}

LONG CKivoSheetCtrl::DoGridClearRangeDatas(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->ClearRange(CGridCellRange(nStartRow, nStartCol, nEndRow, nEndCol)) : 0;
}

LONG CKivoSheetCtrl::DoGridClearRangeContent(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->ClearRangeContent(CGridCellRange(nStartRow, nStartCol, nEndRow, nEndCol)) : 0;
}

// ---- colours -----------------------------------------------------------------------------

BOOL CKivoSheetCtrl::DoGridSetBackColor(LONG crBack)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->SetGridBkColor(static_cast<COLORREF>(crBack));
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetBackColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetGridBkColor()) : 0;
}

BOOL CKivoSheetCtrl::DoGridSetFixedBkColor(LONG crColor)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    for (CGridDefaultCell* cell :
         {grid->GetDefaultCell(TRUE, FALSE), grid->GetDefaultCell(FALSE, TRUE), grid->GetDefaultCell(TRUE, TRUE)})
        if (cell != nullptr)
            cell->SetBackColor(static_cast<COLORREF>(crColor));
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridSetFixedTextColor(LONG crColor)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    for (CGridDefaultCell* cell :
         {grid->GetDefaultCell(TRUE, FALSE), grid->GetDefaultCell(FALSE, TRUE), grid->GetDefaultCell(TRUE, TRUE)})
        if (cell != nullptr)
            cell->SetTextColor(static_cast<COLORREF>(crColor));
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetFixedBkColor()
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(TRUE, FALSE) : nullptr;
    return cell != nullptr ? static_cast<LONG>(cell->GetBackColor()) : 0;
}

LONG CKivoSheetCtrl::DoGridGetFixedTextColor()
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(TRUE, FALSE) : nullptr;
    return cell != nullptr ? static_cast<LONG>(cell->GetTextColor()) : 0;
}

BOOL CKivoSheetCtrl::DoGridSetTextColor(LONG crColor)
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(FALSE, FALSE) : nullptr;
    if (cell == nullptr)
        return FALSE;
    cell->SetTextColor(static_cast<COLORREF>(crColor));
    return TRUE;
}

BOOL CKivoSheetCtrl::DoGridSetTextBkColor(LONG crColor)
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(FALSE, FALSE) : nullptr;
    if (cell == nullptr)
        return FALSE;
    cell->SetBackColor(static_cast<COLORREF>(crColor));
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetTextColor()
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(FALSE, FALSE) : nullptr;
    return cell != nullptr ? static_cast<LONG>(cell->GetTextColor()) : 0;
}

LONG CKivoSheetCtrl::DoGridGetTextBkColor()
{
    CGridCtrl* grid = Engine();
    CGridDefaultCell* cell = grid != nullptr ? grid->GetDefaultCell(FALSE, FALSE) : nullptr;
    return cell != nullptr ? static_cast<LONG>(cell->GetBackColor()) : 0;
}

void CKivoSheetCtrl::DoGridSetSelBkColor(LONG crBkColor)
{
    if (CGridCtrl* grid = Engine())
        grid->GetDefaultSettingRecord().m_crSelColor = crBkColor;
}

LONG CKivoSheetCtrl::DoGridGetSelBkColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDefaultSettingRecord().m_crSelColor : 0;
}

BOOL CKivoSheetCtrl::DoGridSetVirtualLineColor(LONG crColor)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->SetGridLineColor(static_cast<COLORREF>(crColor));
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetVirtualLineColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetGridLineColor()) : 0;
}

BOOL CKivoSheetCtrl::DoGridSetVirtualLineShowStyle(LONG nShowStyle)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return FALSE;
    grid->SetVirtualLineShowStyle(nShowStyle);
    return TRUE;
}

LONG CKivoSheetCtrl::DoGridGetVirtualLineShowStyle()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetGridLineMode() : 0;
}

void CKivoSheetCtrl::DoGridSetFixedLineColor(LONG crLineColor)
{
    if (CGridCtrl* grid = Engine())
        grid->SetFixedFrameColor(static_cast<COLORREF>(crLineColor));
}

LONG CKivoSheetCtrl::DoGridGetFixedLineColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetFixedFrameColor()) : 0;
}

void CKivoSheetCtrl::DoGridSetFixedSelLineColor(LONG crLineColor)
{
    if (CGridCtrl* grid = Engine())
        grid->SetSelectedFixedFrameColor(static_cast<COLORREF>(crLineColor));
}

LONG CKivoSheetCtrl::DoGridGetFixedSelLineColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetSelectedFixedFrameColor()) : 0;
}

void CKivoSheetCtrl::DoGridSetFixedColBgColor(LONG crColor)
{
    if (CGridCtrl* grid = Engine())
        grid->SetFixedColumnColor(static_cast<COLORREF>(crColor));
}

LONG CKivoSheetCtrl::DoGridGetFixedColBgColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetFixedColumnColor()) : 0;
}

void CKivoSheetCtrl::DoGridSetFixedColSelColor(LONG crColor)
{
    if (CGridCtrl* grid = Engine())
        grid->SetFixedColumnSelColor(static_cast<COLORREF>(crColor));
}

LONG CKivoSheetCtrl::DoGridGetFixedColSelColor()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? static_cast<LONG>(grid->GetFixedColumnSelColor()) : 0;
}

// ---- row banding ---------------------------------------------------------------------------

void CKivoSheetCtrl::DoGridSetRowOddBkColor(LONG clColor)
{
    if (CGridCtrl* grid = Engine()) {
        grid->SetRowOddBkColor(static_cast<COLORREF>(clColor));
        grid->ResetRowOddEvenBkColor(0);
    }
}

void CKivoSheetCtrl::DoGridSetRowEvenBkColor(LONG clColor)
{
    if (CGridCtrl* grid = Engine()) {
        grid->SetRowEvenBkColor(static_cast<COLORREF>(clColor));
        grid->ResetRowOddEvenBkColor(0);
    }
}

void CKivoSheetCtrl::DoGridCancelRowOddBkColor()
{
    if (CGridCtrl* grid = Engine()) {
        grid->CancelRowOddBkColor();
        grid->ResetRowOddEvenBkColor(0);
    }
}

void CKivoSheetCtrl::DoGridCancelRowEvenBkColor()
{
    if (CGridCtrl* grid = Engine()) {
        grid->CancelRowEvenBkColor();
        grid->ResetRowOddEvenBkColor(0);
    }
}

BOOL CKivoSheetCtrl::DoGridGetRowOddSetting()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetRowOddSetting();
}

BOOL CKivoSheetCtrl::DoGridGetRowEvenSetting()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetRowEvenSetting();
}

void CKivoSheetCtrl::DoGridResetRowOddEvenBkColor(LONG nStartRow)
{
    if (CGridCtrl* grid = Engine())
        grid->ResetRowOddEvenBkColor(nStartRow);
}

// ---- display -------------------------------------------------------------------------------

void CKivoSheetCtrl::DoGridRefresh()
{
    // The member's redraw mark does the work.
}

int CKivoSheetCtrl::DoGridSetDisplayStyle(SHORT b3DStyle)
{
    CWnd* window = GridWindow();
    if (window == nullptr)
        return 0;
    const UINT frame = SWP_FRAMECHANGED;
    return b3DStyle == 1 ? window->ModifyStyleEx(0, WS_EX_CLIENTEDGE, frame)
                         : window->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, frame);
}

int CKivoSheetCtrl::DoGridGetDisplayStyle()
{
    // The window the setter changes.
    CWnd* window = GridWindow();
    return window != nullptr && (window->GetExStyle() & WS_EX_CLIENTEDGE) != 0 ? 1 : 0;
}

void CKivoSheetCtrl::DoGridSetDisplayMode(LONG nMode)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return;
    grid->GetDefaultSettingRecord().m_crSelColor = static_cast<std::int32_t>(kDisplaySelColour);
    if (nMode == 1) {
        grid->SetFixedFrameColor(0xCEB69E);
        grid->SetSelectedFixedFrameColor(0x3196F7);
    } else {
        grid->SetFixedFrameColor(0x808080);
        grid->SetSelectedFixedFrameColor(0x6B2708);
        // The grid fills its parent's client area (no bars of its own beside it).
        if (CWnd* window = GridWindow()) {
            if (CWnd* parent = window->GetParent()) {
                CRect client;
                parent->GetClientRect(&client);
                window->MoveWindow(&client, TRUE);
            }
        }
    }
    grid->SetSkinStyle(static_cast<int>(nMode));
    grid->GetTopLeftCell(TRUE);
}

LONG CKivoSheetCtrl::DoGridGetDisplayMode()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSkinStyle() : 0;
}

void CKivoSheetCtrl::DoGridSetAllowDraw(SHORT bDraw)
{
    if (CGridCtrl* grid = Engine())
        grid->SetAllowDraw(bDraw != 0);
}

int CKivoSheetCtrl::DoGridGetAllowDraw()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->IsDrawingAllowed() ? 1 : 0;
}

void CKivoSheetCtrl::DoGridSetDrawTopLeftMost(SHORT bDraw)
{
    if (CGridCtrl* grid = Engine())
        grid->SetDrawTopLeftMost(bDraw);
}

int CKivoSheetCtrl::DoGridGetDrawTopLeftMost()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDrawTopLeftMost() : 0;
}

void CKivoSheetCtrl::DoGridSetDrawFreezeLine(SHORT iDraw)
{
    if (CGridCtrl* grid = Engine())
        grid->SetDrawFreezeLine(iDraw);
}

int CKivoSheetCtrl::DoGridGetDrawFreezeLine()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDrawFreezeLine() : 0;
}

void CKivoSheetCtrl::DoGridSetDrawFreezeBlankLine(SHORT iDraw)
{
    if (CGridCtrl* grid = Engine())
        grid->SetDrawFreezeGridLines(iDraw);
}

int CKivoSheetCtrl::DoGridGetDrawFreezeBlankLine()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDrawFreezeGridLines() : 0;
}

void CKivoSheetCtrl::DoGridSetSelBoxLineWidth(SHORT iWidth)
{
    if (CGridCtrl* grid = Engine())
        grid->SetSelFrameThickness(SelFrameWidthOf(iWidth));
}

int CKivoSheetCtrl::DoGridGetSelBoxLineWidth()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSelFrameThickness() : 0;
}

int CKivoSheetCtrl::DoGridSetDrawNumZero(SHORT bDraw)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    grid->SetDrawNumZero(bDraw);
    return 1;
}

int CKivoSheetCtrl::DoGridGetDrawNumZero()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetDrawNumZero() : 0;
}

LONG CKivoSheetCtrl::DoGridSetSkinDir(const CString& strSkinDir)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->SetSkinDir(strSkinDir) : 0;
}

CString CKivoSheetCtrl::DoGridGetSkinDir()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSkinDir() : CString();
}

// ---- freezing ------------------------------------------------------------------------------

namespace {

// A count is refused (compared unsigned, so a negative one too) when with the
// frozen count on the opposite side it reaches the row or column count.
bool FitsBesideOpposite(LONG nCount, int nOpposite, int nTotal)
{
    return static_cast<unsigned long long>(static_cast<ULONG>(nCount)) + static_cast<unsigned>(nOpposite) <
           static_cast<unsigned>(nTotal);
}

}  // namespace

int CKivoSheetCtrl::DoGridSetFreezeTopRows(LONG nRows)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !FitsBesideOpposite(nRows, grid->GetFreezeBottomRows(), grid->GetRowCount()))
        return 0;
    grid->SetFreezeTopRows(nRows);
    return 1;
}

LONG CKivoSheetCtrl::DoGridGetFreezeTopRows()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFreezeTopRows() : 0;
}

int CKivoSheetCtrl::DoGridSetFreezeLeftCols(LONG nCols)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !FitsBesideOpposite(nCols, grid->GetFreezeRightCols(), grid->GetColumnCount()))
        return 0;
    grid->SetFreezeLeftCols(nCols);
    return 1;
}

LONG CKivoSheetCtrl::DoGridGetFreezeLeftCols()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFreezeLeftCols() : 0;
}

int CKivoSheetCtrl::DoGridSetFreezeBottomRows(LONG nRows)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !FitsBesideOpposite(nRows, grid->GetFreezeTopRows(), grid->GetRowCount()))
        return 0;
    grid->SetFreezeBottomRows(nRows);
    return 1;
}

LONG CKivoSheetCtrl::DoGridGetFreezeBottomRows()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFreezeBottomRows() : 0;
}

int CKivoSheetCtrl::DoGridSetFreezeRightCols(LONG nCols)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !FitsBesideOpposite(nCols, grid->GetFreezeLeftCols(), grid->GetColumnCount()))
        return 0;
    grid->SetFreezeRightCols(nCols);
    return 1;
}

LONG CKivoSheetCtrl::DoGridGetFreezeRightCols()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFreezeRightCols() : 0;
}

// ---- switches the grid keeps ------------------------------------------------------------------

void CKivoSheetCtrl::DoGridSetEnterDirection(SHORT iDown)
{
    if (CGridCtrl* grid = Engine())
        grid->SetEnterDirection(iDown);
}

int CKivoSheetCtrl::DoGridGetEnterDirection()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetEnterDirection() : 0;
}

void CKivoSheetCtrl::DoGridSetSaveExcelFlags(SHORT iFlags)
{
    if (CGridCtrl* grid = Engine())
        grid->SetSaveExcelFlags(iFlags);
}

int CKivoSheetCtrl::DoGridGetSaveExcelFlags()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetSaveExcelFlags() : 0;
}

void CKivoSheetCtrl::DoGridSetAllowDragCol(SHORT bCanDrag)
{
    if (CGridCtrl* grid = Engine())
        grid->SetMoveColumnsByHeader(bCanDrag != 0);
}

int CKivoSheetCtrl::DoGridGetAllowDragCol()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetMoveColumnsByHeader() ? 1 : 0;
}

void CKivoSheetCtrl::DoGridSetAllowDragRow(SHORT bCanDrag)
{
    if (CGridCtrl* grid = Engine())
        grid->SetMoveRowsByHeader(bCanDrag != 0);
}

int CKivoSheetCtrl::DoGridGetAllowDragRow()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetMoveRowsByHeader() ? 1 : 0;
}

// ---- pictures ------------------------------------------------------------------------------------

LONG CKivoSheetCtrl::DoGridAddImage(const CString& strImgPath)
{
    CGridCtrl* grid = Engine();
    // A file that is not a picture is refused before it joins the list, and
    // so is one that looks like a picture but does not decode (a cut-short
    // PNG): the list only gains pictures that can be painted.
    if (grid == nullptr || !FileLooksLikePicture(strImgPath))
        return -1;
    return grid->GetPictureList().AddDecodablePictureFile(strImgPath);
}

LONG CKivoSheetCtrl::DoGridGetImageCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetPictureList().GetCount() : 0;
}

LONG CKivoSheetCtrl::DoGridGetImageIndex(LONG nIndex)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetPictureList().GetPictureId(nIndex) : -1;
}

LONG CKivoSheetCtrl::DoGridDeleteImage(LONG nImgIndex)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetPictureList().DeletePicture(nImgIndex) : -1;
}

LONG CKivoSheetCtrl::DoGridAddImageEx(const CDispBytes& Stream, LONG nStreamSize)
{
    // Exactly the bytes the caller counted, when the array holds that many.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || nStreamSize <= 0 || Stream.size() < static_cast<size_t>(nStreamSize))
        return -1;
    const std::vector<BYTE> bytes(Stream.begin(), Stream.begin() + nStreamSize);
    // A picture whose header does not fit its bytes is refused.
    if (CheckPictureHeader(bytes.data(), bytes.size()) == PictureHeaderResult::damaged)
        return -1;
    return grid->GetPictureList().AddPictureData(bytes.data(), nStreamSize);
}

// ---- the default-setting record -------------------------------------------------------------------

void CKivoSheetCtrl::DoGridSetDefautSetting(CKivoObject* pGDS)
{
    CGridDefaultSetting record;
    if (!m_grid || !GetKivoDefaultSetting(pGDS, record))
        return;
    m_grid->SetDefaultSetting(record);
    SetModified();
}

CKivoObjectPtr CKivoSheetCtrl::DoGridGetDefaultSetting()
{
    if (!m_grid)
        return CKivoObjectPtr();
    return CreateKivoDefaultSettingObject(m_grid->GetDefaultSetting());
}

void CKivoSheetCtrl::DoGridSetDefCellBorder(SHORT iPos, SHORT iLineStyle, SHORT iLineWidth, LONG crLineColor)
{
    // Each named side's block is written and the side added to the mask; the
    // sides set before stay set.
    if (!m_grid || iPos < 0 || iPos > 15)
        return;
    CGridDefaultSetting record = m_grid->GetDefaultSetting();
    static const struct {
        std::uint16_t bit;
        int edge;
    } kSides[] = {{DefaultBorderLeft, BorderEdgeLeft},
                  {DefaultBorderTop, BorderEdgeTop},
                  {DefaultBorderRight, BorderEdgeRight},
                  {DefaultBorderBottom, BorderEdgeBottom}};
    for (const auto& side : kSides) {
        if ((iPos & side.bit) == 0)
            continue;
        CBorderBlock& block = record.m_borders[side.edge];
        block.colour = crLineColor;
        block.lineStyle = iLineStyle;
        block.lineWidth = iLineWidth;
        record.m_wBorderFlags = static_cast<std::uint16_t>(record.m_wBorderFlags | side.bit);
    }
    m_grid->SetDefaultSetting(record);
    SetModified();
}

// ---- objects and pictures of ranges ------------------------------------------------------------------

CKivoObjectPtr CKivoSheetCtrl::DoGridGetRangeObject(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol)
{
    // The member's range check has refused an invalid range already.
    if (Engine() == nullptr)
        return CKivoObjectPtr();
    return CreateKivoRangeObject(GridLink(), nStartRow, nStartCol, nEndRow, nEndCol);
}

BOOL CKivoSheetCtrl::DoGridDrawToBmp(LONG hDC, LONG nLeft, LONG nTop, LONG nWidth, LONG nHeight, LONG nStartRow,
                                     LONG nStartCol, LONG nEndRow, LONG nEndCol, SHORT bZoom)
{
    // The device context travels as a 32-bit handle value (sign-extended on
    // 64-bit Windows); the system refuses a handle that is not a DC.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || hDC == 0 || nWidth < 0 || nHeight < 0)
        return FALSE;
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(static_cast<std::intptr_t>(hDC)));
    if (dc == nullptr)
        return FALSE;
    auto edge = [](LONG from, LONG size) {
        const long long v = static_cast<long long>(from) + size;
        return static_cast<LONG>(v > 0x7FFFFFFF ? 0x7FFFFFFF : v);
    };
    const RECT target = {nLeft, nTop, edge(nLeft, nWidth), edge(nTop, nHeight)};
    return grid->DrawToBmp(dc, target, CGridCellRange(nStartRow, nStartCol, nEndRow, nEndCol), bZoom != 0);
}
