// The control's members that hand out or take the automation objects of a
// column, a row, a cell font and a cell's control text. The objects hold the grid through the
// control's GridLink(), so an object kept after the control has gone does
// nothing.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its row before it and runs the redraw marks after it.
#include "control/KivoSheetCtrl.h"

#include "control/KivoControlObjects.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"
#include "grid/GridCtrl.h"

CGridLink CKivoSheetCtrl::GridLink()
{
    return CGridLink(Engine(), m_liveness);
}

CKivoObjectPtr CKivoSheetCtrl::DoRowGetObject(LONG nRowIndex)
{
    // Always an object; an index outside the sheet leaves it at -1.
    return CreateKivoRowObject(GridLink(), nRowIndex);
}

CKivoObjectPtr CKivoSheetCtrl::DoColumnGetObject(LONG nColIndex)
{
    return CreateKivoColumnObject(GridLink(), nColIndex);
}

int CKivoSheetCtrl::DoCellSetTextFontEx(LONG nRow, LONG nCol, CKivoObject* Font)
{
    // The grid's answer; 0 for no object or one that is not a font. The row
    // keeps its height (the plain CellSetTextFont fits it).
    CGridCtrl* grid = Engine();
    CString text;
    if (grid == nullptr || !GetKivoFontText(Font, text))
        return 0;
    return grid->SetCellTextFont(nRow, nCol, text) ? 1 : 0;
}

CKivoObjectPtr CKivoSheetCtrl::DoCellGetTextFontEx(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return CKivoObjectPtr();
    return CreateKivoFontObject(grid->GetCellTextFont(nRow, nCol));
}

int CKivoSheetCtrl::DoCellSetControlEx(LONG nRow, LONG nCol, CKivoObject* Control)
{
    // 0 for no object, an object that is not a cell-control object, or an
    // empty text (nothing changes); otherwise the grid's answer.
    CGridCtrl* grid = Engine();
    CString text;
    if (grid == nullptr || !GetKivoControlText(Control, text) || text.IsEmpty())
        return 0;
    return grid->SetCellControl(nRow, nCol, text) ? 1 : 0;
}

CKivoObjectPtr CKivoSheetCtrl::DoCellGetControlEx(LONG nRow, LONG nCol)
{
    // No object without a cell or for a type without a cell-control class
    // (edit, tree, radio, rich text, formula).
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return CKivoObjectPtr();
    const int type = grid->GetCellType(nRow, nCol);
    if (type < 0)
        return CKivoObjectPtr();
    return CreateKivoControlObject(type, grid->GetCellControl(nRow, nCol));
}
