// The right-click menu that the host fills: the grid makes an empty menu,
// tells its parent where the click was (message 1073), whose handler may add
// items through AddPopupMenuItem, shows the menu when it has items, and
// reports the chosen command (message 1074).
#include "grid/GridCtrl.h"

#include "platform/PopupMenu.h"

namespace {

// The identifiers of the items a host adds.
const UINT kFirstMenuCommand = 20000;
const UINT kLastMenuCommand = 30000;

LPARAM CellParam(const CGridCellPos& cell)
{
    return MAKELONG(static_cast<WORD>(cell.row), static_cast<WORD>(cell.col));
}

}  // namespace

int CGridCtrl::GetContextMenuArea(const CGridCellPos& cell)
{
    if (!IsValid(cell.row, cell.col))
        return 9;
    const bool fixedRow = cell.row < m_nFixedRows;
    const bool fixedCol = cell.col < m_nFixedCols;
    if (fixedRow && fixedCol)
        return 4;
    if (fixedRow)
        return 2;
    if (fixedCol)
        return 3;
    return IsCellSelected(cell.row, cell.col) || GetSelectedRange().InRange(cell.row, cell.col) ? 1 : 9;
}

void CGridCtrl::ShowContextMenu(const CGridCellPos& cell, CPoint point)
{
    CPopupMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const int nArea = GetContextMenuArea(cell);
    // The host's handler of 1073 adds its items to this menu.
    CPopupMenu* pOuter = m_pPopupMenu;
    m_pPopupMenu = &menu;
    SendGridMessage(WM_GRID_MENUSTART, static_cast<WPARAM>(CellParam(cell)), nArea, GridEventLines{cell.row, cell.col});
    m_pPopupMenu = pOuter;
    if (GetSafeHwnd() == nullptr || menu.GetMenuItemCount() <= 0)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    const UINT nChosen = menu.TrackPopupMenu(screen.x, screen.y, this);
    menu.DestroyMenu();
    if (nChosen >= kFirstMenuCommand && nChosen <= kLastMenuCommand)
        SendGridMessage(WM_GRID_MENUCOMMAND, static_cast<WPARAM>(CellParam(cell)), static_cast<LPARAM>(nChosen),
                        GridEventLines{cell.row, cell.col});
}

BOOL CGridCtrl::AddPopupMenuItem(UINT nFlags, UINT nID, LPCTSTR szText)
{
    if (m_pPopupMenu == nullptr)
        return FALSE;
    return m_pPopupMenu->AppendMenu(nFlags, nID, szText);
}
