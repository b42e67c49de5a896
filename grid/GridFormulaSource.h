// CGridFormulaSource: what the grid's formula engine reads of the grid
// (IFormulaCellSource): its extent, cell values, the merge-owner rule, and user
// functions, which go to the grid window as message 1061 (the window passes
// them on to its parent, whose handler writes the value).
//
// The grid owns one and hands it to its engine when it is made.
#pragma once

#include "cellcontent/formula/FormulaCellSource.h"

class CGridCtrl;

class CGridFormulaSource : public IFormulaCellSource {
public:
    // Becomes the cell source of the grid's engine.
    explicit CGridFormulaSource(CGridCtrl& grid);

    CGridFormulaSource(const CGridFormulaSource&) = delete;
    CGridFormulaSource& operator=(const CGridFormulaSource&) = delete;

    int GetRowCount() const override;
    int GetColumnCount() const override;
    BOOL IsCellPresent(int nRow, int nColumn) const override;
    BOOL IsCellCoveredByMerge(int nRow, int nColumn) const override;
    BOOL GetCellNumber(int nRow, int nColumn, double& dValue) const override;
    CString GetCellText(int nRow, int nColumn) const override;
    // One lookup of the cell. Its read is stable for a plain cell (CGridCell
    // itself) and for no cell: their values change only with the epoch.
    void ReadCell(int nRow, int nColumn, FormulaCellRead& out) const override;
    unsigned long long GetValueEpoch() const override;
    // Without a grid window the call is not answered: the value is empty.
    void CalcUserFunction(FormulaCallInfo& info) override;

private:
    CGridCtrl& m_grid;
};
