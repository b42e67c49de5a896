// A small table of cells standing in for the grid in the formula engine tests.
#pragma once

#include "cellcontent/formula/CellNameConverter.h"
#include "cellcontent/formula/FormulaCellSource.h"
#include "cellcontent/formula/FormulaEngine.h"

#include <functional>
#include <map>
#include <string>
#include <utility>

class CFormulaTestGrid : public IFormulaCellSource {
public:
    struct Cell {
        bool bNumber = false;
        double dNumber = 0.0;
        CString strText;
    };

    CFormulaTestGrid(int nRows = 20, int nColumns = 10) : m_nRows(nRows), m_nColumns(nColumns) {}

    // Cells by name ("B3"): numbers and texts.
    void SetNumber(const char* pszName, double dValue) { m_cells[Position(pszName)] = Cell{true, dValue, CString()}; }
    void SetText(const char* pszName, const char* pszText) { m_cells[Position(pszName)] = Cell{false, 0.0, pszText}; }
    void SetNumberAt(int nRow, int nColumn, double dValue) { m_cells[{nRow, nColumn}] = Cell{true, dValue, CString()}; }
    // A cell that lies in a merged block but is not its top-left cell.
    void CoverByMerge(const char* pszName) { m_covered[Position(pszName)] = true; }

    std::function<void(FormulaCallInfo&)> onUserFunction;
    int nUserCalls = 0;

    int GetRowCount() const override { return m_nRows; }
    int GetColumnCount() const override { return m_nColumns; }
    BOOL IsCellPresent(int nRow, int nColumn) const override { return m_cells.count({nRow, nColumn}) != 0; }
    BOOL IsCellCoveredByMerge(int nRow, int nColumn) const override { return m_covered.count({nRow, nColumn}) != 0; }
    BOOL GetCellNumber(int nRow, int nColumn, double& dValue) const override
    {
        auto it = m_cells.find({nRow, nColumn});
        if (it == m_cells.end() || !it->second.bNumber)
            return FALSE;
        dValue = it->second.dNumber;
        return TRUE;
    }
    CString GetCellText(int nRow, int nColumn) const override
    {
        auto it = m_cells.find({nRow, nColumn});
        return it == m_cells.end() ? CString() : it->second.strText;
    }
    void CalcUserFunction(FormulaCallInfo& info) override
    {
        ++nUserCalls;
        if (onUserFunction)
            onUserFunction(info);
    }

    static std::pair<int, int> Position(const char* pszName)
    {
        int nRow = -1;
        int nColumn = -1;
        CCellNameConverter().ParseCellName(pszName, nRow, nColumn);
        return {nRow, nColumn};
    }

private:
    int m_nRows;
    int m_nColumns;
    std::map<std::pair<int, int>, Cell> m_cells;
    std::map<std::pair<int, int>, bool> m_covered;
};

// An engine wired to a test grid, with helpers that compile a formula for a
// cell far from the ones the tests fill.
struct FormulaFixture {
    CFormulaTestGrid grid;
    CFormulaEngine engine;

    FormulaFixture() { engine.SetCellSource(&grid); }

    // Value of a formula compiled for cell (nRow, nColumn); "<compile failed>"
    // when it does not compile.
    std::string Eval(const char* pszFormula, int nRow = 19, int nColumn = 9)
    {
        CFormulaTokenList list;
        if (!engine.Compile(nRow, nColumn, pszFormula, list))
            return "<compile failed>";
        return engine.Evaluate(list).Str();
    }
    std::string Error() const { return engine.GetErrorText().Str(); }
};
