// What follows inserted and deleted rows and columns beyond the grid's own
// tables: the binding list (its binds keep naming the lines their fills
// wrote); and the hooks for formula cells a paste brings and for references
// retargeted by a move, which do nothing here.
#include "grid/GridCtrl.h"

void CGridCtrl::ShiftBindingRows(int nFirst, int nCount)
{
    m_BindList.FollowRows(nFirst, nCount);
}

void CGridCtrl::ShiftBindingColumns(int nFirst, int nCount)
{
    m_BindList.FollowColumns(nFirst, nCount);
}

void CGridCtrl::OnFormulaCellPasted(int, int) {}
void CGridCtrl::RetargetFormulaRow(int, int) {}
void CGridCtrl::RetargetFormulaColumn(int, int) {}
