// Keyboard input of the grid window.
//
// Every key press is shown to the control window first (message 1030), which
// may replace the key or swallow it. The grid then runs the clipboard
// shortcuts, moves a working copy of the focus cell by the key (over hidden
// rows and columns and through merged blocks), rebuilds the selection from
// the anchor, moves the focus and scrolls the new focus cell into view. Typed
// characters and F2 start in-place editing of the focus cell.
#include "grid/GridCtrl.h"

#include "base/Cp936.h"

#include "platform/System.h"

#include <cstdint>

namespace {

bool KeyHeld(int vk)
{
    return GetKeyState(vk) < 0;
}

enum class Travel { Down, Up, Right, Left };

}  // namespace

// Whether a move in the direction may stop at the cell: its line has a size,
// and a cell of a merged block stops the move only as the block's owner or on
// the block's first line in the direction of travel.
static bool IsPassable(CGridCtrl& grid, int nRow, int nCol, Travel travel)
{
    bool vertical = travel == Travel::Down || travel == Travel::Up;
    if (vertical ? grid.GetRowHeight(nRow) <= 0 : grid.GetColumnWidth(nCol) <= 0)
        return false;
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    if (pCell == nullptr || !pCell->HasMergeOwner() || pCell->IsMergeOwnerCell())
        return true;
    CGridCellPos owner = pCell->GetMergeOwner();
    CGridCellBase* pOwner = grid.GetCell(owner.row, owner.col);
    if (pOwner == nullptr)
        return true;
    CGridCellRange block = pOwner->GetMergeRange();
    switch (travel) {
    case Travel::Down: return nRow == block.GetMinRow();
    case Travel::Up: return nRow == block.GetMaxRow();
    case Travel::Right: return nCol == block.GetMinCol();
    case Travel::Left: return nCol == block.GetMaxCol();
    }
    return true;
}

// A cell of a merged block stands for its block: the focus goes to the owner.
static CGridCellPos OwnerOf(CGridCtrl& grid, const CGridCellPos& cell)
{
    CGridCellBase* pCell = grid.GetCell(cell.row, cell.col);
    if (pCell != nullptr && pCell->HasMergeOwner() && !pCell->IsMergeOwnerCell()) {
        CGridCellPos owner = pCell->GetMergeOwner();
        if (grid.IsValid(owner.row, owner.col))
            return owner;
    }
    return cell;
}

// Right arrow and Tab: one column right; Tab at the last column wraps to the
// first column of the next row with a height. Past impassable cells; running
// off the end wraps to the next row when it is shown. FALSE when Tab has
// nowhere to go (the last row): the dialog moves the focus on.
static BOOL MoveRight(CGridCtrl& grid, CGridCellPos& next, BOOL bTab, bool& wrapped)
{
    const int firstCol = grid.GetFixedColumnCount();
    const int lastRow = grid.GetRowCount() - 1;
    const int lastCol = grid.GetColumnCount() - 1;
    int col = next.col;
    if (next.col < lastCol) {
        ++next.col;
    } else if (bTab) {
        if (next.row >= lastRow)
            return FALSE;
        int row = next.row + 1;
        while (row < lastRow && grid.GetRowHeight(row) <= 0)
            ++row;
        next.row = row;
        next.col = firstCol;
        col = firstCol;
        wrapped = true;
    }
    while (next.col <= lastCol && !IsPassable(grid, next.row, next.col, Travel::Right))
        ++next.col;
    if (next.col > lastCol) {
        next.col = col;
        if (next.row + 1 <= lastRow && grid.GetRowHeight(next.row + 1) > 0) {
            ++next.row;
            next.col = firstCol;
        }
    }
    return TRUE;
}

// Left arrow and Shift+Tab: one column left, not into the fixed columns;
// Shift+Tab at the first column wraps to the last column of the previous row.
static BOOL MoveLeft(CGridCtrl& grid, CGridCellPos& next, BOOL bBackTab, bool& wrapped)
{
    const int firstRow = grid.GetFixedRowCount();
    const int firstCol = grid.GetFixedColumnCount();
    const int lastCol = grid.GetColumnCount() - 1;
    int col = next.col;
    if (next.col - 1 >= firstCol) {
        --next.col;
    } else if (bBackTab) {
        if (next.row <= firstRow)
            return FALSE;
        int row = next.row - 1;
        while (row > firstRow && grid.GetRowHeight(row) <= 0)
            --row;
        next.row = row;
        next.col = lastCol;
        col = lastCol;
        wrapped = true;
    }
    while (next.col >= firstCol && !IsPassable(grid, next.row, next.col, Travel::Left))
        --next.col;
    if (next.col < firstCol)
        next.col = col;
    return TRUE;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const LPARAM lParamKey = MAKELONG(nRepCnt, nFlags);
    m_input.nLastKey = nChar;
    if (!IsValid(m_idCurrentCell.row, m_idCurrentCell.col)) {
        DefWindowProc(WM_KEYDOWN, nChar, lParamKey);
        return;
    }

    std::int32_t key = static_cast<std::int32_t>(nChar);
    SendGridMessage(WM_GRID_KEYPRESS, reinterpret_cast<WPARAM>(&key), 1);
    nChar = static_cast<UINT>(key);

    const bool ctrl = KeyHeld(VK_CONTROL);
    const bool shift = KeyHeld(VK_SHIFT);
    if (ctrl) {
        if (nChar == VK_INSERT || nChar == 'C')
            OnEditCopy();
        else if (nChar == 'A')
            OnEditSelectAll();
        else if (nChar == 'V')
            OnEditPaste();
        else if (nChar == 'X')
            OnEditCut();
    } else if (shift && nChar == VK_INSERT) {
        OnEditPaste();
    }

    const int firstRow = m_nFixedRows;
    const int firstCol = m_nFixedCols;
    const int lastRow = m_nRows - 1;
    const int lastCol = m_nCols - 1;
    CGridCellPos next = m_idCurrentCell;
    bool wrapped = false;
    bool vScrolled = false;
    bool hScrolled = false;

    const bool backTab = nChar == VK_TAB && shift;
    switch (nChar) {
    case VK_RIGHT:
    case VK_TAB:
        if (backTab) {
            if (!MoveLeft(*this, next, TRUE, wrapped)) {
                DefWindowProc(WM_KEYDOWN, nChar, lParamKey);
                return;
            }
        } else if (!MoveRight(*this, next, nChar == VK_TAB, wrapped)) {
            DefWindowProc(WM_KEYDOWN, nChar, lParamKey);
            return;
        }
        break;
    case VK_RETURN:
        if (m_nEnterDirection == 1) {
            int col = next.col;
            ++next.col;
            while (next.col <= lastCol && !IsPassable(*this, next.row, next.col, Travel::Right))
                ++next.col;
            if (next.col > lastCol) {
                next.col = col;
                if (next.row + 1 <= lastRow && GetRowHeight(next.row + 1) > 0) {
                    ++next.row;
                    next.col = firstCol;
                }
            }
        } else {
            int row = next.row;
            ++next.row;
            while (next.row <= lastRow && !IsPassable(*this, next.row, next.col, Travel::Down))
                ++next.row;
            if (next.row > lastRow) {
                next.row = row;
                if (next.col + 1 <= lastCol && GetColumnWidth(next.col + 1) > 0) {
                    ++next.col;
                    next.row = firstRow;
                }
            }
        }
        break;
    case VK_UP:
        if (next.row - 1 >= firstRow) {
            int row = next.row;
            --next.row;
            while (next.row >= firstRow && !IsPassable(*this, next.row, next.col, Travel::Up))
                --next.row;
            if (next.row < firstRow)
                next.row = row;
        }
        break;
    case VK_DOWN: {
        int row = next.row;
        ++next.row;
        while (next.row <= lastRow && !IsPassable(*this, next.row, next.col, Travel::Down))
            ++next.row;
        if (next.row > lastRow)
            next.row = row;
        break;
    }
    case VK_LEFT:
        MoveLeft(*this, next, FALSE, wrapped);
        break;
    case VK_DELETE: {
        std::int32_t key = VK_DELETE;
        SendGridMessage(WM_GRID_KEYPRESS, reinterpret_cast<WPARAM>(&key), lParamKey);
        ClearSelectedText();
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        int topBefore = GetTopLeftCell(TRUE).row;
        OnVScroll(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
        vScrolled = true;
        int topAfter = GetTopLeftCell(TRUE).row;
        if (nChar == VK_PRIOR) {
            if (topAfter == topBefore)
                next.row = firstRow;
            else
                next.row = next.row - (topBefore - topAfter) < firstRow ? firstRow : next.row - (topBefore - topAfter);
        } else {
            if (topAfter == topBefore)
                next.row = lastRow;
            else
                next.row = next.row + (topAfter - topBefore) > lastRow ? lastRow : next.row + (topAfter - topBefore);
        }
        break;
    }
    case VK_END:
        if (ctrl) {
            OnVScroll(SB_BOTTOM, 0, nullptr);
            OnHScroll(SB_BOTTOM, 0, nullptr);
            vScrolled = true;
            next.row = lastRow;
        } else {
            OnHScroll(SB_RIGHT, 0, nullptr);
        }
        hScrolled = true;
        next.col = lastCol;
        while (next.col > firstCol && GetColumnWidth(next.col) <= 0)
            --next.col;
        while (next.row > firstRow && GetRowHeight(next.row) <= 0)
            --next.row;
        break;
    case VK_HOME:
        if (ctrl) {
            OnVScroll(SB_TOP, 0, nullptr);
            OnHScroll(SB_TOP, 0, nullptr);
            vScrolled = true;
            next.row = firstRow;
        } else {
            OnHScroll(SB_LEFT, 0, nullptr);
        }
        hScrolled = true;
        next.col = firstCol;
        while (next.col < lastCol && GetColumnWidth(next.col) <= 0)
            ++next.col;
        while (next.row < lastRow && GetRowHeight(next.row) <= 0)
            ++next.row;
        break;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), GRID_EDIT_START_BY_MOUSE);
        return;
    default:
        DefWindowProc(WM_KEYDOWN, nChar, lParamKey);
        return;
    }

    if (GetSafeHwnd() != nullptr)
        SetFocus();
    next = OwnerOf(*this, next);
    if (!IsValid(next.row, next.col) || next == m_idCurrentCell)
        return;

    if (m_input.nMouseMode == GMM_NOTHING || m_input.nMouseMode == GMM_PREPARE_DRAG) {
        m_PrevSelectedCellMap.clear();
        m_input.nMouseMode = m_bListMode ? GMM_SELECT_ROW : GMM_SELECT_CELLS;
        if (!shift || nChar == VK_TAB)
            m_idSelectionAnchor = next;
        SendMessageToParent(next.row, next.col, GVN_SELCHANGING);
        ExtendSelection(next);
        SendMessageToParent(next.row, next.col, GVN_SELCHANGED);
        m_input.nMouseMode = GMM_NOTHING;
    }

    SetFocusCell(next);

    if (!IsCellVisible(next.row, next.col)) {
        if (nChar == VK_TAB && shift) {
            if (wrapped) {
                OnVScroll(SB_LINEUP, 0, nullptr);
                SetScrollPos(SB_HORZ, m_nHScrollMax);
                vScrolled = true;
            } else {
                OnHScroll(SB_LINELEFT, 0, nullptr);
            }
            hScrolled = true;
        } else if (nChar == VK_TAB) {
            if (wrapped) {
                OnVScroll(SB_LINEDOWN, 0, nullptr);
                SetScrollPos(SB_HORZ, 0);
                vScrolled = true;
            } else {
                OnHScroll(SB_LINERIGHT, 0, nullptr);
            }
            hScrolled = true;
        } else if (nChar == VK_LEFT) {
            OnHScroll(SB_LINELEFT, 0, nullptr);
            hScrolled = true;
        } else if (nChar == VK_RIGHT) {
            OnHScroll(SB_LINERIGHT, 0, nullptr);
            hScrolled = true;
        } else if (nChar == VK_UP) {
            OnVScroll(SB_LINEUP, 0, nullptr);
            vScrolled = true;
        } else if (nChar == VK_DOWN) {
            OnVScroll(SB_LINEDOWN, 0, nullptr);
            vScrolled = true;
        }
        EnsureVisible(next.row, next.col);
        RedrawCell(next.row, next.col);
    }
    EnsureVisible(next.row, next.col);
    if (vScrolled)
        OnVScroll(SB_ENDSCROLL, 0, nullptr);
    if (hScrolled)
        OnHScroll(SB_ENDSCROLL, 0, nullptr);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // A two-byte character that arrives as two character messages (lead
    // byte, then trail byte) starts the edit as the one character it is, as
    // an IME character does: started by the lead byte alone, the editor would
    // take the two halves as two characters.
    if (m_input.nPendingLead != 0) {
        const UINT lead = m_input.nPendingLead;
        m_input.nPendingLead = 0;
        if (nChar < 0x100 && cp936::IsTrailByte(static_cast<unsigned char>(nChar))) {
            GridInputImpl::StartEditByChar(*this, (lead << 8) | nChar);
            return;
        }
        // Not a trail byte: the lone lead byte is dropped.
    }
    if (nChar < 0x100 && cp936::IsLeadByte(static_cast<unsigned char>(nChar))) {
        m_input.nPendingLead = nChar;
        return;
    }
    GridInputImpl::StartEditByChar(*this, nChar);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM lParam)
{
    std::int32_t ch = static_cast<std::int32_t>(wParam);
    SendGridMessage(WM_GRID_ONCHAR, reinterpret_cast<WPARAM>(&ch), lParam);
    GridInputImpl::StartEditByChar(*this, static_cast<UINT>(ch));
    return 0;
}

// A typed character starts editing the focus cell with that character,
// unless Ctrl is held, a mouse action is under way, or it is Esc or a Tab the
// grid moves by.
void GridInputImpl::StartEditByChar(CGridCtrl& grid, UINT nChar)
{
    if (KeyHeld(VK_CONTROL))
        return;
    int mode = grid.m_input.nMouseMode;
    if (mode != GMM_NOTHING && mode != GMM_PREPARE_DRAG)
        return;
    if (nChar == VK_ESCAPE || (nChar == VK_TAB && grid.m_bHandleTab))
        return;
    grid.OnEditCell(grid.m_idCurrentCell.row, grid.m_idCurrentCell.col, CPoint(-1, -1), nChar);
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTab && !KeyHeld(VK_CONTROL))
        code |= DLGC_WANTTAB;
    return code;
}
