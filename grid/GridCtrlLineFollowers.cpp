// What follows inserted and deleted rows and columns beyond the grid's own
// tables (formula references and the binding list), and the formula cells a
// paste brings. Their own work fills these in; until then nothing refers to
// lines by index there.
#include "grid/GridCtrl.h"

void CGridCtrl::ShiftBindingRows(int, int) {}
void CGridCtrl::ShiftBindingColumns(int, int) {}
void CGridCtrl::OnFormulaCellPasted(int, int) {}
void CGridCtrl::RetargetFormulaRow(int, int) {}
void CGridCtrl::RetargetFormulaColumn(int, int) {}
