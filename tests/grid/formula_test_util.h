// Helpers of the formula tests: cells by name ("B3" is row 3, column 2 in a
// sheet with one fixed row and one fixed column).
#pragma once

#include "cellcontent/formula/CellNameConverter.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"

#include "GridTestUtil.h"

#include <string>

namespace formulatest {

inline CGridCellPos At(const char* name)
{
    int row = -1;
    int col = -1;
    CCellNameConverter().ParseCellName(name, row, col);
    return CGridCellPos(row, col);
}

inline BOOL SetFormula(CGridCtrl& grid, const char* name, const char* formula)
{
    const CGridCellPos pos = At(name);
    return grid.SetCellFormula(pos.row, pos.col, formula);
}

inline void SetText(CGridCtrl& grid, const char* name, const char* text)
{
    const CGridCellPos pos = At(name);
    grid.SetCellText(pos.row, pos.col, text);
}

inline std::string Text(CGridCtrl& grid, const char* name)
{
    const CGridCellPos pos = At(name);
    return gridtest::Text(grid, pos.row, pos.col);
}

inline std::string Formula(CGridCtrl& grid, const char* name)
{
    const CGridCellPos pos = At(name);
    return grid.GetCellFormula(pos.row, pos.col).Str();
}

inline int Type(CGridCtrl& grid, const char* name)
{
    const CGridCellPos pos = At(name);
    return grid.GetCellType(pos.row, pos.col);
}

inline CGridCellFormula* FormulaCell(CGridCtrl& grid, const char* name)
{
    const CGridCellPos pos = At(name);
    CGridCellBase* cell = grid.GetCell(pos.row, pos.col);
    return cell != nullptr && cell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) ? static_cast<CGridCellFormula*>(cell)
                                                                              : nullptr;
}

}  // namespace formulatest
