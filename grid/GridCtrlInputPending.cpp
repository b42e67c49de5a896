// Operations whose own work arrives separately: the clipboard and drag
// commands, formulas (setting, reading, recalculating the cells that read a
// changed cell), and the context menu. Until then
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
BOOL CGridCtrl::SetCellFormula(int, int, LPCTSTR) { return FALSE; }
BOOL CGridCtrl::RecalcDependents(const CGridCellPos&) { return FALSE; }
CString CGridCtrl::GetCellFormula(int, int) { return CString(); }
void CGridCtrl::ShowContextMenu(const CGridCellPos&, CPoint) {}
