// The control's formula members: user functions and constants registered
// with the grid's formula engine, the engine's built-in tables read by
// position, recalculation of one formula cell or of all, and the engine's
// last message. A user function's value comes from the host: a formula that
// calls one raises GridCalcUserFunction, and the text the handler writes
// back is the call's value.
#include "control/KivoSheetCtrl.h"

#include "cellcontent/formula/FormulaEngine.h"
#include "grid/GridCtrl.h"

#include <cmath>

namespace {

// Built-in constants are counted by reading them: the engine keeps their
// table to itself.
LONG SystemConstantCount(const CGridCtrl& grid)
{
    CString name;
    double value = 0.0;
    LONG count = 0;
    while (grid.GetSystemConstant(count, &name, &value))
        ++count;
    return count;
}

}  // namespace

LONG CKivoSheetCtrl::DoFormulaAddUserFun(const CString& sFunName, SHORT iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->AddUserFunction(sFunName, iCategory) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetUserFunCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFormulaEngine().GetUserFunctionCount() : 0;
}

int CKivoSheetCtrl::DoFormulaGetUserFun(LONG nIndex, CString& sFunName, SHORT& iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetUserFunction(nIndex, &sFunName, &iCategory) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetSysFunCount()
{
    // The table's first entry is a placeholder, not a function.
    return FORMULA_FN_COUNT_PLUS_ONE - 1;
}

int CKivoSheetCtrl::DoFormulaGetSysFun(LONG nIndex, CString& sFunName, SHORT& iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetSystemFunction(nIndex, &sFunName, &iCategory) ? 1 : 0;
}

int CKivoSheetCtrl::DoFormulaCalcCell(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->CalcCell(nRow, nCol) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoFormulaCalcAll()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->CalcAll() : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetUserConstCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFormulaEngine().GetUserConstantCount() : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetSysConstCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? SystemConstantCount(*grid) : 0;
}

int CKivoSheetCtrl::DoFormulaGetSysConst(LONG nIndex, CString& sConstName, double& dbValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetSystemConstant(nIndex, &sConstName, &dbValue) ? 1 : 0;
}

int CKivoSheetCtrl::DoFormulaGetUserConst(float nIndex, CString& sConstName, double& dbValue)
{
    // The position comes as a float and is cut to its whole part; one that
    // is not a number or lies beyond any table is no position.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !std::isfinite(nIndex) || std::fabs(nIndex) > 1.0e9f)
        return 0;
    return grid->GetUserConstant(static_cast<int>(nIndex), &sConstName, &dbValue) ? 1 : 0;
}

int CKivoSheetCtrl::DoFormulaAddUserConst(const CString& sConstName, double dbValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->AddUserConstant(sConstName, dbValue) ? 1 : 0;
}

int CKivoSheetCtrl::DoFormulaSetUserConst(const CString& sConstName, double dbValue)
{
    // Constants are set once, by FormulaAddUserConst; this member changes nothing.
    (void)sConstName;
    (void)dbValue;
    return 0;
}

CString CKivoSheetCtrl::DoFormulaGetLastError()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFormulaLastError() : CString();
}
