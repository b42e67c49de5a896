// The formula members: the template's user functions and constants, the
// system tables, and recalculation. The tables live in the grid's formula
// engine and are stored with the template.
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"

#include <cmath>

namespace {

// Entries of a system table: counted by asking until the engine has no more
// (the tables are small and fixed).
template <typename Get>
LONG CountEntries(Get get)
{
    LONG n = 0;
    while (n < 100000 && get(static_cast<int>(n)))
        ++n;
    return n;
}

}  // namespace

LONG CKivoSheetCtrl::DoFormulaAddUserFun(const CString& sFunName, SHORT iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetFormulaEngine().AddUserFunction(sFunName, iCategory) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetUserFunCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetFormulaEngine().GetUserFunctionCount() : 0;
}

int CKivoSheetCtrl::DoFormulaGetUserFun(LONG nIndex, CString& sFunName, SHORT& iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetFormulaEngine().GetUserFunction(static_cast<int>(nIndex), &sFunName, &iCategory)
               ? 1
               : 0;
}

LONG CKivoSheetCtrl::DoFormulaGetSysFunCount()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    const CFormulaEngine& engine = grid->GetFormulaEngine();
    return CountEntries([&engine](int i) {
        CString name;
        short category = 0;
        return engine.GetSystemFunction(i, &name, &category) != FALSE;
    });
}

int CKivoSheetCtrl::DoFormulaGetSysFun(LONG nIndex, CString& sFunName, SHORT& iCategory)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr &&
                   grid->GetFormulaEngine().GetSystemFunction(static_cast<int>(nIndex), &sFunName, &iCategory)
               ? 1
               : 0;
}

int CKivoSheetCtrl::DoFormulaCalcCell(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->CalcCell(static_cast<int>(nRow), static_cast<int>(nCol)) ? 1 : 0;
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
    if (grid == nullptr)
        return 0;
    const CFormulaEngine& engine = grid->GetFormulaEngine();
    return CountEntries([&engine](int i) {
        CString name;
        double value = 0;
        return engine.GetSystemConstant(i, &name, &value) != FALSE;
    });
}

int CKivoSheetCtrl::DoFormulaGetSysConst(LONG nIndex, CString& sConstName, double& dbValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr &&
                   grid->GetFormulaEngine().GetSystemConstant(static_cast<int>(nIndex), &sConstName, &dbValue)
               ? 1
               : 0;
}

int CKivoSheetCtrl::DoFormulaGetUserConst(float nIndex, CString& sConstName, double& dbValue)
{
    CGridCtrl* grid = Engine();
    // The index arrives as a float: only a whole number within the table
    // names an entry.
    if (grid == nullptr || !std::isfinite(nIndex) || nIndex < 0 || nIndex > 1.0e9f ||
        std::floor(nIndex) != nIndex)
        return 0;
    return grid->GetFormulaEngine().GetUserConstant(static_cast<int>(nIndex), &sConstName, &dbValue) ? 1 : 0;
}

int CKivoSheetCtrl::DoFormulaAddUserConst(const CString& sConstName, double dbValue)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && std::isfinite(dbValue) && grid->GetFormulaEngine().AddUserConstant(sConstName, dbValue)
               ? 1
               : 0;
}
