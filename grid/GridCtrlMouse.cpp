// Mouse input of the grid window.
//
// Hit tests (which cell, which divider, the selection border), the mouse mode
// state machine (selecting, resizing rows and columns by their dividers with
// the host's consent, moving headers), clicks and double clicks with their
// notifications, the cursor, hover effects and title tips, auto-scroll while
// selecting, and the wheel.
//
// Over the selection's border the pointer shows that the selection could be
// moved, but dragging cells is not built: a press or a double click there is
// an ordinary one.
//
// Client coordinates are signed throughout: while the grid holds the capture
// a point left of or above the window arrives negative.
#include "grid/GridCtrl.h"

#include "grid/CellEditorFactory.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

HCURSOR StandardCursor(UINT_PTR id)
{
    return PlatformLoadCursor(id);
}

inline LPARAM PackPoint(CPoint point)
{
    return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(static_cast<WORD>(point.x), static_cast<WORD>(point.y))));
}

const int kTrackLineThickness = 2;

// A right click on a header keeps the selection when every body cell the
// header stands for (its row, its column, or the whole body for the corner)
// already lies in the selected range: the header's menu then acts on all the
// selected rows or columns instead of on the clicked one alone.
bool HeaderBandSelected(CGridCtrl& grid, const CGridCellPos& header)
{
    const int fixedRows = grid.GetFixedRowCount(), fixedCols = grid.GetFixedColumnCount();
    const int rows = grid.GetRowCount(), cols = grid.GetColumnCount();
    int r1 = header.row, r2 = header.row, c1 = header.col, c2 = header.col;
    if (header.row < fixedRows) {
        r1 = fixedRows;
        r2 = rows - 1;
    }
    if (header.col < fixedCols) {
        c1 = fixedCols;
        c2 = cols - 1;
    }
    if (r1 > r2 || c1 > c2)
        return false;   // no body cells at all
    const CGridCellRange selected = grid.GetSelectedRange();
    return grid.IsRangeValid(selected) && selected.InRange(r1, c1) && selected.InRange(r2, c2);
}

}  // namespace

// ============================================================================
// Hit tests
// ============================================================================

// GetCellFromPoint lives with the layout (GridCtrlLayout.cpp).

BOOL CGridCtrl::IsOverRowDivide(CPoint point)
{
    if (point.x < 0 || point.x >= GetZoomedFixedColumnWidth())
        return FALSE;
    CGridCellPos cell = GetCellFromPoint(point);
    CRect rect;
    if (!IsValid(cell.row, cell.col) || !GetCellRect(cell.row, cell.col, &rect))
        return FALSE;
    const int range = m_nResizeCaptureRange;
    if (cell.row != 0 && point.y < rect.top + range)
        return TRUE;
    return point.y > rect.bottom - range;
}

BOOL CGridCtrl::IsOverColumnDivide(CPoint point)
{
    if (point.y < 0 || point.y >= GetZoomedFixedRowHeight())
        return FALSE;
    CGridCellPos cell = GetCellFromPoint(point);
    CRect rect;
    if (!IsValid(cell.row, cell.col) || !GetCellRect(cell.row, cell.col, &rect))
        return FALSE;
    const int range = m_nResizeCaptureRange;
    if (cell.col != 0 && point.x < rect.left + range)
        return TRUE;
    return point.x > rect.right - range;
}

BOOL CGridCtrl::IsOverSelectionBorder(CPoint point)
{
    CGridCellRange range = GetSelectedRange();
    if (!IsRangeValid(range))
        return FALSE;
    CRect rect;
    if (!GetRangeRect(range, &rect))
        return FALSE;
    const int kNear = 2;
    bool inX = point.x >= rect.left - kNear && point.x <= rect.right + kNear;
    bool inY = point.y >= rect.top - kNear && point.y <= rect.bottom + kNear;
    if (inY && (std::abs(point.x - rect.left) <= kNear || std::abs(point.x - rect.right) <= kNear))
        return TRUE;
    if (inX && (std::abs(point.y - rect.top) <= kNear || std::abs(point.y - rect.bottom) <= kNear))
        return TRUE;
    return FALSE;
}

UINT CGridCtrl::GetMouseWheelStep() const
{
    return m_input.nWheelStep;
}

// ============================================================================
// Helpers
// ============================================================================

CPoint GridInputImpl::CellRelative(CGridCtrl& grid, const CGridCellPos& cell, CPoint point)
{
    CPoint origin;
    if (!grid.GetCellTopLeft(cell.row, cell.col, &origin))
        return point;
    return CPoint(point.x - origin.x, point.y - origin.y);
}

BOOL GridInputImpl::GetCellTextRect(CGridCtrl& grid, const CGridCellPos& cell, CRect& rect)
{
    if (!grid.GetCellRect(cell.row, cell.col, &rect))
        return FALSE;
    CGridCellBase* pCell = grid.GetCell(cell.row, cell.col);
    return pCell == nullptr || pCell->GetTextRect(&rect);
}

void GridInputImpl::CopyOverBlock(CGridCtrl& grid, CGridCellBase* pCell, int nType)
{
    if (pCell == nullptr || !pCell->IsMergeOwnerCell() || !pCell->IsMerged())
        return;
    if (CGridCtrl::GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName) != nType)
        return;
    grid.CopyCellToRange(pCell->GetMergeRange(), pCell);
}

// --- divider dragging ------------------------------------------------------------

void GridInputImpl::BeginResize(CGridCtrl& grid, CPoint point)
{
    CGridInputState& in = grid.m_input;
    const int range = grid.m_nResizeCaptureRange;
    const bool columns = in.nMouseMode == GMM_OVER_COL_DIVIDE;
    CGridCellPos cell = grid.GetCellFromPoint(point);
    CRect rect;
    if (!grid.IsValid(cell.row, cell.col) || !grid.GetCellRect(cell.row, cell.col, &rect)) {
        in.nMouseMode = GMM_NOTHING;
        return;
    }
    if (columns) {
        // The divider at the cell's left edge belongs to the column before it.
        if (point.x < rect.left + range && cell.col > 0) {
            CGridCellPos left = grid.GetCellFromPoint(CPoint(rect.left - 1, point.y));
            if (grid.IsValid(left.row, left.col) && grid.GetCellRect(left.row, left.col, &rect))
                cell = left;
        }
        CGridCellBase* pCell = grid.GetCell(cell.row, cell.col);
        int col = cell.col;
        if (pCell != nullptr && pCell->IsMerged())
            col = pCell->GetMergeRange().GetMaxCol();
        while (!in.bPickZeroWidthCols && col > 0 && grid.GetColumnWidth(col) <= 0)
            --col;
        in.nResizeIndex = col;
        in.nResizeOrigin = rect.left;
        in.nResizeExtra = grid.GetColumnWidth(col) - (rect.right - rect.left + 1);
        if (pCell == nullptr || !pCell->IsMerged() || col != cell.col)
            in.nResizeExtra = 0;
        in.nMouseMode = GMM_SIZING_COL;
    } else {
        if (point.y < rect.top + range && cell.row > 0) {
            CGridCellPos above = grid.GetCellFromPoint(CPoint(point.x, rect.top - 1));
            if (grid.IsValid(above.row, above.col) && grid.GetCellRect(above.row, above.col, &rect))
                cell = above;
        }
        CGridCellBase* pCell = grid.GetCell(cell.row, cell.col);
        int row = cell.row;
        if (pCell != nullptr && pCell->IsMerged())
            row = pCell->GetMergeRange().GetMaxRow();
        while (!in.bPickZeroHeightRows && row > 0 && grid.GetRowHeight(row) <= 0)
            --row;
        in.nResizeIndex = row;
        in.nResizeOrigin = rect.top;
        in.nResizeExtra = grid.GetRowHeight(row) - (rect.bottom - rect.top + 1);
        if (pCell == nullptr || !pCell->IsMerged() || row != cell.row)
            in.nResizeExtra = 0;
        in.nMouseMode = GMM_SIZING_ROW;
    }
    in.nResizePermission = 1;
    in.bTrackLineShown = FALSE;

    CRect client;
    grid.GetClientRect(&client);
    if (grid.GetSafeHwnd() != nullptr) {
        // The cursor stays right of (below) the resized line's start.
        CRect clip = client;
        if (columns)
            clip.left = std::max<LONG>(client.left, in.nResizeOrigin);
        else
            clip.top = std::max<LONG>(client.top, in.nResizeOrigin);
        grid.ClientToScreen(&clip);
        ClipCursor(&clip);
    }
    TrackResize(grid, point);
}

void GridInputImpl::EraseTrackLine(CGridCtrl& grid)
{
    CGridInputState& in = grid.m_input;
    if (!in.bTrackLineShown)
        return;
    in.bTrackLineShown = FALSE;
    if (grid.GetSafeHwnd() == nullptr)
        return;
    CDC* pDC = grid.GetDC();
    if (pDC != nullptr) {
        pDC->InvertRect(&in.rectTrackLine);
        grid.ReleaseDC(pDC);
    }
}

void GridInputImpl::TrackResize(CGridCtrl& grid, CPoint point)
{
    CGridInputState& in = grid.m_input;
    const bool columns = in.nMouseMode == GMM_SIZING_COL;
    in.nResizePermission = 1;
    if (columns) {
        in.nTrackNewWidth = point.x - in.nResizeOrigin;
        grid.SendGridMessage(WM_GRID_COLUMNRESIZE, static_cast<WPARAM>(in.nResizeIndex),
                             reinterpret_cast<LPARAM>(&in.nResizePermission));
    } else {
        in.nTrackNewHeight = point.y - in.nResizeOrigin;
        grid.SendGridMessage(WM_GRID_ROWRESIZE, static_cast<WPARAM>(in.nResizeIndex),
                             reinterpret_cast<LPARAM>(&in.nResizePermission));
    }
    if (in.nResizePermission == 0)
        return;
    EraseTrackLine(grid);
    CRect client;
    grid.GetClientRect(&client);
    if (columns)
        in.rectTrackLine = CRect(point.x, client.top, point.x + kTrackLineThickness, client.bottom);
    else
        in.rectTrackLine = CRect(client.left, point.y, client.right, point.y + kTrackLineThickness);
    if (grid.GetSafeHwnd() == nullptr)
        return;
    CDC* pDC = grid.GetDC();
    if (pDC != nullptr) {
        pDC->InvertRect(&in.rectTrackLine);
        grid.ReleaseDC(pDC);
        in.bTrackLineShown = TRUE;
    }
}

void GridInputImpl::EndResize(CGridCtrl& grid, CPoint point)
{
    CGridInputState& in = grid.m_input;
    const bool columns = in.nMouseMode == GMM_SIZING_COL;
    // The host judges the size at the release point too, in case no move
    // reached the grid after the press.
    if (point != in.ptLastMouse)
        TrackResize(grid, point);
    EraseTrackLine(grid);
    if (in.nResizePermission == 0 || point == in.ptLeftClick)
        return;
    const int index = in.nResizeIndex;
    if (columns) {
        int size = point.x - in.nResizeOrigin;
        size = std::max(size, in.bMinSizeOneCol ? 1 : 0);
        size = std::max(size + in.nResizeExtra, 0);
        CGridCellRange sel = grid.GetSelectedRange();
        if (grid.GetLastSelectionMode() == GMM_SELECT_COL && grid.IsRangeValid(sel) &&
            index >= sel.GetMinCol() && index <= sel.GetMaxCol()) {
            for (int c = sel.GetMinCol(); c <= sel.GetMaxCol(); ++c)
                grid.SetColumnWidth(c, size);
        } else {
            grid.SetColumnWidth(index, size);
        }
    } else {
        int size = point.y - in.nResizeOrigin;
        size = std::max(size, in.bMinSizeOneRow ? 1 : 0);
        size = std::max(size + in.nResizeExtra, 0);
        CGridCellRange sel = grid.GetSelectedRange();
        if (grid.GetLastSelectionMode() == GMM_SELECT_ROW && grid.IsRangeValid(sel)) {
            for (int r = sel.GetMinRow(); r <= sel.GetMaxRow(); ++r)
                grid.SetRowHeight(r, size);
        } else {
            grid.SetRowHeight(index, size);
        }
    }
    grid.UpdateScrollBars();
}

// --- hover and title tips -----------------------------------------------------------

void CGridCtrl::HideTitleTip()
{
    if (m_input.pTitleTip && GetGridTitleTipHooks().pfnHide != nullptr)
        GetGridTitleTipHooks().pfnHide(m_input.pTitleTip.get());
    m_input.idTipCell = CGridCellPos();
}

void CGridCtrl::SetTitleTips(BOOL b)
{
    m_input.bTitleTips = b;
    if (!b)
        HideTitleTip();
}

BOOL CGridCtrl::GetTitleTips() const
{
    return m_input.bTitleTips;
}

void GridInputImpl::TrackHover(CGridCtrl& grid, CPoint point)
{
    CGridInputState& in = grid.m_input;
    CGridCellPos prev = grid.GetCellFromPoint(in.ptLastMouse);
    CGridCellPos cur = grid.GetCellFromPoint(point);
    if (point != in.ptLastMouse && prev != cur) {
        if (CGridCellBase* pPrev = grid.GetCell(prev.row, prev.col)) {
            pPrev->OnMouseLeave();
            grid.RedrawCell(prev.row, prev.col);
        }
        if (CGridCellBase* pCur = grid.GetCell(cur.row, cur.col)) {
            pCur->OnMouseOver();
            grid.RedrawCell(cur.row, cur.col);
        }
    }
    if (in.nMouseMode != GMM_NOTHING)
        return;

    if (prev != cur || in.idTipCell != cur)
        grid.HideTitleTip();
    CGridCellBase* pCell = grid.GetCell(cur.row, cur.col);
    if (pCell == nullptr || !in.bTitleTips || in.bTipsSuppressed || pCell->IsEditing() || !pCell->IsDisplayTip())
        return;
    CString tip = pCell->GetTipText();
    if (tip.IsEmpty() || in.idTipCell == cur)
        return;
    const GridTitleTipHooks& hooks = GetGridTitleTipHooks();
    if (hooks.pfnShow == nullptr || grid.GetSafeHwnd() == nullptr)
        return;
    if (!in.pTitleTip) {
        if (hooks.pfnCreate == nullptr)
            return;
        in.pTitleTip.reset(hooks.pfnCreate(&grid));
        if (!in.pTitleTip)
            return;
    }
    CRect rect;
    if (!grid.GetCellRect(cur.row, cur.col, &rect))
        return;
    // The tip's size: the text with two blanks, in the cell's font.
    CSize extent(0, 0);
    CDC* pDC = grid.GetDC();
    if (pDC != nullptr) {
        CFont* pOld = nullptr;
        if (CFont* pFont = pCell->GetFontObject())
            pOld = pDC->SelectObject(pFont);
        extent = pDC->GetTextExtent(tip + "  ");
        if (pOld != nullptr)
            pDC->SelectObject(pOld);
        grid.ReleaseDC(pDC);
    }
    GridTitleTipRequest request;
    request.rectScreen = CRect(rect.right, rect.top, rect.right + extent.cx, rect.top + extent.cy);
    grid.ClientToScreen(&request.rectScreen);
    request.strText = tip;
    request.nXOffset = 0;
    request.rectHover = rect;
    request.pFont = pCell->GetFont();
    request.crText = grid.m_crTitleTipText;
    request.crBack = grid.m_crTitleTipBack;
    hooks.pfnShow(in.pTitleTip.get(), request);
    in.idTipCell = cur;
}

// ============================================================================
// Handlers
// ============================================================================

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    SendGridMessage(WM_GRID_MOUSEMOVE, nFlags, PackPoint(point));
    CRect client;
    GetClientRect(&client);
    // Outside the window a held button scrolls by the timer instead.
    if (!client.PtInRect(point) && m_input.nMouseMode != GMM_DRAGGING)
        return;

    if (m_input.bLMouseButtonDown && (nFlags & MK_LBUTTON) == 0)
        m_input.bLMouseButtonDown = FALSE;

    if (m_input.bLMouseButtonDown && m_input.nMouseMode != GMM_NOTHING) {
        if (!IsValid(m_input.idLeftClickCell.row, m_input.idLeftClickCell.col)) {
            m_input.ptLastMouse = point;
            return;
        }
        switch (m_input.nMouseMode) {
        case GMM_SELECT_COL:
        case GMM_SELECT_ROW:
        case GMM_SELECT_CELLS: {
            CGridCellPos cell = GetCellFromPoint(point);
            if (IsValid(cell.row, cell.col)) {
                ExtendSelection(cell);
                SetFocusCell(m_idCurrentCell);
            }
            break;
        }
        case GMM_SIZING_ROW:
        case GMM_SIZING_COL:
            GridInputImpl::TrackResize(*this, point);
            break;
        case GMM_PREPARE_DRAG:
            OnBeginDrag();
            break;
        case GMM_MOVING_COL:
        case GMM_MOVING_ROW:
            m_input.sizeMoveOffset =
                CSize(point.x - m_input.ptLeftClick.x + GetScrollPosition(SB_HORZ) - m_input.ptScrollAtPress.x,
                      point.y - m_input.ptLeftClick.y + GetScrollPosition(SB_VERT) - m_input.ptScrollAtPress.y);
            Invalidate();
            break;
        default:
            break;
        }
        m_input.ptLastMouse = point;
        return;
    }

    // No button held: the cursor tells what a press would do here.
    const CGridDefaultSetting& setting = m_DefaultSetting;
    int oldMode = m_input.nMouseMode;
    if (setting.m_bAllowResizeCol && IsOverColumnDivide(point)) {
        SetCursor(StandardCursor((UINT_PTR)(IDC_SIZEWE)));
        m_input.nMouseMode = GMM_OVER_COL_DIVIDE;
    } else if (setting.m_bAllowResizeRow && IsOverRowDivide(point)) {
        SetCursor(StandardCursor((UINT_PTR)(IDC_SIZENS)));
        m_input.nMouseMode = GMM_OVER_ROW_DIVIDE;
    } else if (m_bAllowDragAndDrop && IsOverSelectionBorder(point)) {
        SetCursor(StandardCursor((UINT_PTR)(IDC_SIZEALL)));
        m_input.nMouseMode = GMM_PREPARE_DRAG;
    } else if (oldMode != GMM_DRAGGING) {
        if (oldMode != GMM_NOTHING)
            SetCursor(StandardCursor((UINT_PTR)(IDC_ARROW)));
        m_input.nMouseMode = GMM_NOTHING;
    }

    if ((m_input.nMouseMode == GMM_NOTHING || m_input.nMouseMode == GMM_PREPARE_DRAG) &&
        (!m_bVirtualMode || m_input.bTitleTips))
        GridInputImpl::TrackHover(*this, point);
    m_input.ptLastMouse = point;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_input.nLastMouseFlags = nFlags;
    CWnd::OnLButtonDown(nFlags, point);
    if (GetSafeHwnd() != nullptr)
        SetFocus();
    HideTitleTip();
    m_input.ptLeftClick = point;
    m_input.ptLastMouse = point;
    m_input.bLMouseButtonDown = TRUE;
    m_input.idLeftClickCell = GetCellFromPoint(point);
    const CGridCellPos click = m_input.idLeftClickCell;
    if (!IsValid(click.row, click.col))
        return;

    const bool ctrl = (nFlags & MK_CONTROL) != 0;
    const bool shift = (nFlags & MK_SHIFT) != 0;
    // A press on the selection's border, on a selected cell, without Ctrl,
    // may start dragging the selection (OnMouseMove, OnBeginDrag); anywhere
    // else it is an ordinary click.
    const bool dragPress = m_input.nMouseMode == GMM_PREPARE_DRAG && m_bAllowDragAndDrop && !ctrl &&
                           IsCellSelected(click.row, click.col);
    if (m_input.nMouseMode == GMM_PREPARE_DRAG && !dragPress)
        m_input.nMouseMode = GMM_NOTHING;
    if (!shift)
        m_idSelectionAnchor = click;
    else if (!IsValid(m_idSelectionAnchor.row, m_idSelectionAnchor.col))
        m_idSelectionAnchor = m_idCurrentCell;

    EndEditing();
    CGridCellBase* pCell = GetCell(click.row, click.col);
    if (pCell != nullptr) {
        pCell->OnClickDown(GridInputImpl::CellRelative(*this, click, point));
        GridInputImpl::CopyOverBlock(*this, pCell, GCT_BUTTON);
    }

    if (dragPress) {
        m_idDragStartCell = click;
        if (GetSafeHwnd() != nullptr) {
            SetCapture();
            SetCursor(StandardCursor((UINT_PTR)(IDC_SIZEALL)));
        }
        return;
    }

    // A press inside the focus cell's text: editing starts by a double click,
    // typing or F2, not here.
    CRect textRect;
    if (!ctrl && click == m_idCurrentCell && IsCellEditable(click.row, click.col) &&
        GridInputImpl::GetCellTextRect(*this, click, textRect) && textRect.PtInRect(point)) {
        m_input.nMouseMode = GMM_SELECT_CELLS;
        SetFocusCell(click);
        ExtendSelection(click);
        return;
    }

    if (IsCellSelected(click.row, click.col)) {
        if (ctrl) {
            SetFocusCell(click);
            SavePreviousSelection();
            if (m_bListMode)
                SelectRowBand(click, TRUE, TRUE);
            else
                SelectCells(click, TRUE, TRUE);
            return;
        }
    }

    int mode = m_input.nMouseMode;
    if (mode != GMM_OVER_COL_DIVIDE && mode != GMM_OVER_ROW_DIVIDE) {
        if (click.row >= m_nFixedRows && click.col >= m_nFixedCols)
            SetFocusCell(click);
        else
            SetFocusCell(-1, -1);
    }

    if (GetSafeHwnd() != nullptr)
        SetCapture();

    if (m_input.nMouseMode == GMM_NOTHING) {
        if (m_DefaultSetting.m_bAllowResizeCol && IsOverColumnDivide(point)) {
            SetCursor(StandardCursor((UINT_PTR)(IDC_SIZEWE)));
            m_input.nMouseMode = GMM_OVER_COL_DIVIDE;
        } else if (m_DefaultSetting.m_bAllowResizeRow && IsOverRowDivide(point)) {
            SetCursor(StandardCursor((UINT_PTR)(IDC_SIZENS)));
            m_input.nMouseMode = GMM_OVER_ROW_DIVIDE;
        }
    }

    if (m_input.nMouseMode == GMM_OVER_COL_DIVIDE || m_input.nMouseMode == GMM_OVER_ROW_DIVIDE) {
        GridInputImpl::BeginResize(*this, point);
        return;
    }

    SendMessageToParent(click.row, click.col, GVN_SELCHANGING);
    m_PrevSelectedCellMap.clear();
    if (ctrl)
        SavePreviousSelection();

    CGridCellPos header = click;
    if (m_bMoveColumnsByHeader && click.row < m_nFixedRows) {
        OnFixedRowClick(header);
        m_input.nMovingIndex = click.col;
        m_input.ptScrollAtPress = CPoint(GetScrollPosition(SB_HORZ), GetScrollPosition(SB_VERT));
        m_input.sizeMoveOffset = CSize(0, 0);
        m_input.nMouseMode = GMM_MOVING_COL;
        if (GetSafeHwnd() != nullptr)
            SetCapture();
    } else if (m_bMoveRowsByHeader && click.col < m_nFixedCols) {
        OnFixedColumnClick(header);
        m_input.nMovingIndex = click.row;
        m_input.ptScrollAtPress = CPoint(GetScrollPosition(SB_HORZ), GetScrollPosition(SB_VERT));
        m_input.sizeMoveOffset = CSize(0, 0);
        m_input.nMouseMode = GMM_MOVING_ROW;
        if (GetSafeHwnd() != nullptr)
            SetCapture();
    } else if (click.row < m_nFixedRows) {
        OnFixedRowClick(header);
    } else if (click.col < m_nFixedCols) {
        OnFixedColumnClick(header);
    } else {
        m_input.nMouseMode = m_bListMode ? GMM_SELECT_ROW : GMM_SELECT_CELLS;
        SetFocusCell(click);
        ExtendSelection(click);
        if (GetSafeHwnd() != nullptr)
            SetTimer(GRID_AUTOSCROLL_TIMER, GRID_AUTOSCROLL_ELAPSE);
    }
}

void CGridCtrl::OnFixedRowClick(CGridCellPos& cell)
{
    if (!IsValid(cell.row, cell.col) || cell.row >= m_nFixedRows)
        return;
    if (m_bHeaderSort && cell.col >= m_nFixedCols) {
        BOOL ascending = !(cell.col == m_nSortColumn && m_bSortAscending);
        SortColumn(cell.col, ascending);
        Invalidate();
    }
    if (m_bColumnSelectByHeader) {
        m_input.nMouseMode = cell.col < m_nFixedCols ? GMM_SELECT_ALL : GMM_SELECT_COL;
        ExtendSelection(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CGridCellPos& cell)
{
    if (!IsValid(cell.row, cell.col) || cell.col >= m_nFixedCols)
        return;
    if (m_bRowSelectByHeader) {
        m_input.nMouseMode = cell.row < m_nFixedRows ? GMM_SELECT_ALL : GMM_SELECT_ROW;
        ExtendSelection(cell);
    }
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_input.nLastMouseFlags = 0;
    CWnd::OnLButtonUp(nFlags, point);
    PostGridMessage(WM_GRID_LCLICKUP, nFlags, PackPoint(point));
    m_input.bLMouseButtonDown = FALSE;
    if (GetSafeHwnd() != nullptr) {
        ClipCursor(nullptr);
        if (GetCapture() == this) {
            ReleaseCapture();
            KillTimer(GRID_AUTOSCROLL_TIMER);
        }
    }

    const CGridCellPos click = m_input.idLeftClickCell;
    const int mode = m_input.nMouseMode;
    if (mode == GMM_SIZING_ROW || mode == GMM_SIZING_COL) {
        GridInputImpl::EndResize(*this, point);
    } else if (mode == GMM_MOVING_COL || mode == GMM_MOVING_ROW) {
        CGridCellPos target = GetCellFromPoint(point);
        int from = m_input.nMovingIndex;
        if (mode == GMM_MOVING_COL && target.col >= m_nFixedCols && from >= m_nFixedCols && target.col != from &&
            MoveColumn(from, target.col)) {
            m_idSelectionAnchor = CGridCellPos(m_nFixedRows, target.col);
            m_input.nMouseMode = GMM_SELECT_COL;
            SelectColumnBand(m_idSelectionAnchor, FALSE, TRUE);
        } else if (mode == GMM_MOVING_ROW && target.row >= m_nFixedRows && from >= m_nFixedRows &&
                   target.row != from && MoveRow(from, target.row)) {
            m_idSelectionAnchor = CGridCellPos(target.row, m_nFixedCols);
            m_input.nMouseMode = GMM_SELECT_ROW;
            SelectRowBand(m_idSelectionAnchor, FALSE, TRUE);
        }
        m_input.nMovingIndex = -1;
        m_input.sizeMoveOffset = CSize(0, 0);
    } else {
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
        if (CGridCellBase* pFocus = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) {
            pFocus->OnClick(GridInputImpl::CellRelative(*this, m_idCurrentCell, point));
            GridInputImpl::CopyOverBlock(*this, pFocus, GCT_CHECKBOX);
            GridInputImpl::CopyOverBlock(*this, pFocus, GCT_BUTTON);
        }
        SendMessageToParent(click.row, click.col, GVN_CLICK);
    }

    if (mode == GMM_SIZING_ROW || mode == GMM_SIZING_COL || mode == GMM_MOVING_COL || mode == GMM_MOVING_ROW)
        Invalidate();
    m_input.nMouseMode = GMM_NOTHING;
    if (GetSafeHwnd() != nullptr)
        SetCursor(StandardCursor((UINT_PTR)(IDC_ARROW)));
    if (IsValid(click.row, click.col) && GetSafeHwnd() != nullptr) {
        if (CWnd* pOwner = GetParent())
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(GetSafeHwnd()));
    }
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    PostGridMessage(WM_GRID_DBLCLICK, nFlags, PackPoint(point));
    // As for a single press: over the selection's border it is an ordinary
    // double click while the grid cannot drag cells.
    if (m_input.nMouseMode == GMM_PREPARE_DRAG)
        m_input.nMouseMode = GMM_NOTHING;
    CGridCellPos cell = GetCellFromPoint(point);
    CRect rect;
    if (IsValid(cell.row, cell.col) && GetCellRect(cell.row, cell.col, &rect)) {
        const int range = m_nResizeCaptureRange;
        if (m_input.nMouseMode == GMM_OVER_COL_DIVIDE) {
            int col = cell.col;
            if (point.x < rect.left + range) {
                col = cell.col - 1;
                while (col > 0 && GetColumnWidth(col) <= 0)
                    --col;
            }
            if (col >= 0) {
                AutoSizeColumn(col, static_cast<UINT>(m_nAutoSizeStyle));
                Invalidate();
            }
        } else if (m_input.nMouseMode == GMM_OVER_ROW_DIVIDE) {
            int row = cell.row;
            if (point.y < rect.top + range) {
                row = cell.row - 1;
                while (row > 0 && GetRowHeight(row) <= 0)
                    --row;
            }
            if (row >= 0 && m_bAutoSizeRowOnDblClick) {
                AutoSizeRow(row);
                Invalidate();
            }
        } else if (m_input.nMouseMode == GMM_NOTHING) {
            CRect textRect;
            if (!IsCellFixed(cell.row, cell.col) && GridInputImpl::GetCellTextRect(*this, cell, textRect) &&
                textRect.PtInRect(point)) {
                OnEditCell(cell.row, cell.col, point, GRID_EDIT_START_BY_MOUSE);
            }
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
                pCell->OnDblClick(GridInputImpl::CellRelative(*this, cell, point));
        }
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);
    m_input.bTipsSuppressed = FALSE;
    EndEditing();
    CGridCellPos cell = GetCellFromPoint(point);
    m_idSelectionAnchor = cell;
    if (IsValid(cell.row, cell.col)) {
        CGridCellPos header = cell;
        if (cell.row < m_nFixedRows || cell.col < m_nFixedCols) {
            if (!HeaderBandSelected(*this, cell)) {
                if (cell.row < m_nFixedRows)
                    OnFixedRowClick(header);
                else
                    OnFixedColumnClick(header);
            }
            m_input.nMouseMode = GMM_NOTHING;
        } else if (!GetSelectedRange().InRange(cell.row, cell.col)) {
            SendMessageToParent(cell.row, cell.col, GVN_SELCHANGING);
            m_input.nMouseMode = GMM_SELECT_CELLS;
            SetFocusCell(cell);
            ExtendSelection(cell);
            // The right click is over: keys act on the selection again.
            m_input.nMouseMode = GMM_NOTHING;
            SendMessageToParent(cell.row, cell.col, GVN_RCLICK);
        }
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnRClick(GridInputImpl::CellRelative(*this, cell, point));
        InvalidateRange(GetSelectedRange());
    } else {
        SendMessageToParent(-1, -1, GVN_RCLICK);
    }
    SendGridMessage(WM_GRID_RCLICKUP, nFlags, PackPoint(point));
    ShowContextMenu(cell, point);
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    SendGridMessage(WM_GRID_MOUSEWHEEL, nFlags, static_cast<LPARAM>(zDelta));
    const UINT step = m_input.nWheelStep;
    if (step == static_cast<UINT>(-1)) {
        int notches = zDelta / WHEEL_DELTA;
        UINT code = notches > 0 ? SB_PAGEUP : SB_PAGEDOWN;
        for (int i = 0; i < std::abs(notches); ++i)
            PostMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
        return TRUE;
    }
    // Lines to scroll: a huge setting scrolls at most the whole grid.
    long long lines =
        static_cast<long long>(zDelta) * static_cast<long long>(std::min<UINT>(step, INT_MAX)) / -WHEEL_DELTA;
    lines = std::max<long long>(std::min<long long>(lines, m_nRows), -static_cast<long long>(m_nRows));
    if (lines < 0) {
        for (long long i = 0; i < -lines; ++i)
            PostMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    } else {
        for (long long i = 0; i < lines; ++i)
            SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    }
    return TRUE;
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_input.nMouseMode) {
    case GMM_OVER_ROW_DIVIDE:
        SetCursor(StandardCursor((UINT_PTR)(IDC_SIZENS)));
        return TRUE;
    case GMM_OVER_COL_DIVIDE:
        SetCursor(StandardCursor((UINT_PTR)(IDC_SIZEWE)));
        return TRUE;
    case GMM_DRAGGING:
        return TRUE;
    default:
        break;
    }
    if (!m_bVirtualMode) {
        DWORD pos = GetMessagePos();
        CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        ScreenToClient(&point);
        CGridCellPos cell = GetCellFromPoint(point);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            return pCell->OnSetCursor();
    }
    SetCursor(StandardCursor((UINT_PTR)(IDC_ARROW)));
    return TRUE;
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this) {
        if (GetSafeHwnd() != nullptr)
            KillTimer(GRID_AUTOSCROLL_TIMER);
        if (m_input.nMouseMode == GMM_DRAGGING)
            m_input.nMouseMode = GMM_NOTHING;
    }
    CWnd::OnCaptureChanged(pWnd);
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    if (!GetCursorPos(&point))
        return;
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    const int fixedHeight = GetZoomedFixedRowHeight();
    const int fixedWidth = GetZoomedFixedColumnWidth();
    const int x = std::min<LONG>(std::max<LONG>(point.x, client.left), client.right - 1);
    const int y = std::min<LONG>(std::max<LONG>(point.y, client.top), client.bottom - 1);

    if (point.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        CGridCellPos cell = GetCellFromPoint(CPoint(x, client.bottom - 1));
        if (IsValid(cell.row, cell.col))
            ExtendSelection(cell);
    } else if (point.y < fixedHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        CGridCellPos cell = GetCellFromPoint(CPoint(x, fixedHeight + 1));
        if (IsValid(cell.row, cell.col))
            ExtendSelection(cell);
    }
    if (point.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        CGridCellPos cell = GetCellFromPoint(CPoint(client.right - 1, y));
        if (IsValid(cell.row, cell.col))
            ExtendSelection(cell);
    } else if (point.x < fixedWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        CGridCellPos cell = GetCellFromPoint(CPoint(fixedWidth + 1, y));
        if (IsValid(cell.row, cell.col))
            ExtendSelection(cell);
    }
}
