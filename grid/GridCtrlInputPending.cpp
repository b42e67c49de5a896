// Operations the input handlers call whose own work arrives separately:
// the clipboard and drag commands, automatic sizing, copying a cell over a
// range, formulas, moving rows and columns, and the context menu. Until then
// each does nothing and answers failure.
#include "grid/GridCtrl.h"

void CGridCtrl::OnEditCopy() {}
void CGridCtrl::OnEditCut() {}
void CGridCtrl::OnEditPaste() {}

// Selects every cell, as the select-all command does.
void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

void CGridCtrl::OnBeginDrag() {}
BOOL CGridCtrl::AutoSizeColumn(int, UINT, BOOL) { return FALSE; }
BOOL CGridCtrl::AutoSizeRow(int, BOOL) { return FALSE; }
BOOL CGridCtrl::CopyCellToRange(const CGridCellRange&, CGridCellBase*) { return FALSE; }
BOOL CGridCtrl::SetCellFormula(int, int, LPCTSTR) { return FALSE; }
BOOL CGridCtrl::MoveColumn(int, int) { return FALSE; }
BOOL CGridCtrl::MoveRow(int, int) { return FALSE; }
void CGridCtrl::ShowContextMenu(const CGridCellPos&, CPoint) {}
