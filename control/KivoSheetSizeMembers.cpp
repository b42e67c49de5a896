// The sheet's size and its fixed (header) rows and columns, as members.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

BOOL CKivoSheetCtrl::DoRowSetCount(LONG nRows)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && nRows > 0 && grid->SetRowCount(nRows);
}

LONG CKivoSheetCtrl::DoRowGetCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetRowCount() : 0;
}

BOOL CKivoSheetCtrl::DoRowSetFixedCount(LONG nFixedRows)
{
    // Success also when the count is refused: the member only stores a setting.
    CGridCtrl* grid = Engine();
    if (grid != nullptr && nFixedRows >= 0 && nFixedRows < grid->GetRowCount())
        grid->SetFixedRowCount(nFixedRows);
    return TRUE;
}

LONG CKivoSheetCtrl::DoRowGetFixedCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFixedRowCount() : 0;
}

BOOL CKivoSheetCtrl::DoColumnSetCount(LONG nCols)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && nCols > 0 && grid->SetColumnCount(nCols);
}

LONG CKivoSheetCtrl::DoColumnGetCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetColumnCount() : 0;
}

BOOL CKivoSheetCtrl::DoColumnSetFixedCount(LONG nFixedCols)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && nFixedCols >= 0 && nFixedCols < grid->GetColumnCount() &&
           grid->SetFixedColumnCount(nFixedCols);
}

LONG CKivoSheetCtrl::DoColumnGetFixedCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFixedColumnCount() : 0;
}
