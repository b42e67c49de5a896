// CGridCellFormula: the formula cell (cell type 11, "formula" in control
// texts), made by its class name like every cell.
//
// It keeps its formula in compiled form (the engine's token list) and shows
// the formula's last value as its text: the value, the evaluation message
// ("#被除数为0!", "#引用无效!" ...), or "#公式错误!" after a failed compile
// or on a cycle of references. The value is kept as text; a recalculation
// never sets the cell's number. The in-place editor opens on the formula text
// ("=" and the rendering) in bold, 100 pixels wider than the cell.
//
// Compiling, rendering and evaluating go through the cell's grid (its formula
// engine); the grid's formula services (GridCtrlFormula*.cpp) call the
// operations below. A cell with a grid tells the grid whenever it is placed
// (SetCoords) or its compiled form changes, so the grid's index of formula
// cells follows cells that are sorted, pasted, copied or loaded; it never
// follows the cell itself, only compares it.
//
// Record level (end tag 10299), after the whole CGridCell record, each item
// only when it differs from its default:
//   10201 reserved flag A (1 byte, default 1), 10202 reserved flag B (1 byte,
//   default 1), 10203 the compiled form: the length field holds the number of
//   tokens and one token record follows per token (FormulaArchive.h), 10204
//   reserved number (int32, default -1), 10205 reserved short (int16,
//   default 0), 10206 reserved text (text with NUL, when present), 10207
//   reserved byte (1 byte, default 255).
// The level's declared size counts item 10203 as 8 plus the token count, not
// its bytes, and so does the reader; stored files rely on it. The reserved
// fields have no behaviour: they survive a load and a save.
#pragma once

#include "base/CString.h"
#include "cellcontent/formula/FormulaReferences.h"
#include "cellcontent/formula/FormulaToken.h"
#include "grid/GridCell.h"

const int CELL_RECORD_FORMULA_END = 10299;

// The fields of the formula level that have no behaviour.
struct FormulaCellReserved {
    BYTE byFlagA = 1;
    BYTE byFlagB = 1;
    int nNumber = -1;
    short nShort = 0;
    bool bHasText = false;
    CString strText;
    BYTE byByte = 255;

    bool IsDefault() const
    {
        return byFlagA == 1 && byFlagB == 1 && nNumber == -1 && nShort == 0 && !bHasText && byByte == 255;
    }
};

class CGridCellFormula : public CGridCell {
    DECLARE_DYNCREATE(CGridCellFormula)

public:
    CGridCellFormula();
    ~CGridCellFormula() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    // The cell's text (its last value), also when the cell holds a number.
    LPCTSTR GetText() override;
    // The formula text while the in-place editor is being opened.
    CString GetDisplayText() override;
    // Also tells the grid where the cell now lies.
    void SetCoords(int nRow, int nCol) override;
    // A formula cell source gives its compiled form too (deep copies).
    void CopyFrom(CGridCellBase* pSrc) override;
    void CopyFormat(CGridCellBase* pSrc) override;
    void Reset() override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;

    // --- the formula ----------------------------------------------------------
    // Remembers (nRow, nCol) as the cell's position and compiles the text
    // (without "=") for it through the grid; a failed compile (or no grid)
    // leaves the compiled form empty and the text "#公式错误!". Does not
    // evaluate.
    BOOL SetFormula(int nRow, int nCol, LPCTSTR szText);
    // "=" and the formula text (GetFormulaForExport: the workbook rendering);
    // answers the text's length.
    int GetFormula(CString& strOut);
    int GetFormulaForExport(CString& strOut);
    // Evaluates the compiled form through the grid and shows the result
    // (ShowResult); strOut receives the resulting text. The grid's own
    // recalculation goes through CGridCtrl::EvaluateFormulaCell instead,
    // which survives a host that changes the grid during a user function.
    void Recalculate(CString& strOut);
    // Shows a result: the value becomes the cell's text, or the evaluation
    // message when there is one (then the formatted text too, so that no
    // format turns it into a number); the number flag goes.
    void ShowResult(const CString& strValue, const CString& strMessage);
    // Shows "#公式错误!" in place of a value (a formula on a cycle).
    void ShowFormulaError();
    // Whether the compiled form calls a user function (host code may run
    // while it is evaluated).
    BOOL CallsUserFunction() const;
    // Whether a valid reference of the compiled form names the cell: a cell
    // reference equal to it, or a range holding it.
    BOOL ReferencesCell(int nRow, int nCol) const;
    // The references follow inserted, deleted or moved rows or columns (see
    // FormulaReferences.h); TRUE when any changed.
    BOOL ShiftReferences(FormulaAxis axis, int nAt, int nCount, BOOL bInsert, BOOL* pbLostLines = nullptr);
    BOOL MoveReferences(FormulaAxis axis, int nFrom, int nTo);
    BOOL ReorderReferences(const CFormulaLineOrder& order, FormulaAxis axis, BOOL* pbKeptPlace = nullptr);

    const CFormulaTokenList& GetCompiledForm() const { return m_formula; }
    // Replaces the compiled form (the value text stays).
    void SetCompiledForm(const CFormulaTokenList& list);
    const FormulaCellReserved& GetReserved() const { return m_reserved; }
    void SetReserved(const FormulaCellReserved& reserved) { m_reserved = reserved; }

    // Changes with every change of the compiled form, and differs between
    // any two cells: the grid's index tells by it whether what it recorded
    // for the cell is still true.
    unsigned long long GetFormulaStamp() const { return m_nStamp; }
    // Sets the position without telling the grid (the grid's own moves).
    void SetPosition(int nRow, int nCol) { CGridCell::SetCoords(nRow, nCol); }

private:
    // A new stamp, and the grid told of the change.
    void FormulaChanged();
    void WriteFormulaItems(CArchive* pAr, int& nDeclared);

    CFormulaTokenList m_formula;
    FormulaCellReserved m_reserved;
    unsigned long long m_nStamp;
    bool m_bOpeningEditor = false;
};
