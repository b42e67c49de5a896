// Operations whose own work arrives separately: the clipboard and drag
// commands and the context menu. Until then each does nothing and answers
// failure.
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
void CGridCtrl::ShowContextMenu(const CGridCellPos&, CPoint) {}
