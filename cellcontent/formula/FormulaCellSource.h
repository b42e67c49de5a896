// What the formula engine needs from the grid that owns it: the grid's extent,
// the value of a cell by row and column, the merged-cell rule, and the call of
// a host-defined (user) function.
//
// The grid implements this interface and hands itself to its engine
// (CFormulaEngine::SetCellSource). Rows and columns are grid indices counted
// from 0, fixed rows and columns included. The engine never asks for a cell
// outside [0, GetRowCount()) x [0, GetColumnCount()).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// Size of the result buffer of a user-function call: at most 511 bytes of text
// and the terminating NUL.
const int FORMULA_RESULT_BUFFER_SIZE = 512;

// The grid message that carries a user-function call to the host
// (GridCalcUserFunction); its first parameter points to a FormulaCallInfo, the
// second is 0, and it is sent, not posted.
const UINT FORMULA_CALC_USER_FUNCTION_MESSAGE = 1061;

// The record of one user-function call: three pointers, as the message passes
// them to the host. The engine owns all three texts for the length of the call;
// the result buffer holds FORMULA_RESULT_BUFFER_SIZE bytes and is zero-filled
// before the call.
struct FormulaCallInfo {
    LPCTSTR pszFunctionName;
    LPCTSTR pszParameters;   // the argument values joined by "\n!\n!\n!"
    LPTSTR pszResult;        // the host writes the function's value here
};

// Copies a host's result text into the record's buffer: at most 511 bytes, cut
// before a two-byte character that would not fit whole, then a NUL. Used by
// whoever answers the call on the host's behalf.
void SetFormulaCallResult(FormulaCallInfo& info, LPCTSTR pszResult);

// The value text a call left in the record: the buffer's bytes up to the first
// NUL, never more than 511, and never ending in half a two-byte character.
CString GetFormulaCallResult(const FormulaCallInfo& info);

// One cell as the engine reads it: what IsCellPresent, IsCellCoveredByMerge,
// GetCellNumber and GetCellText together tell, in one call.
struct FormulaCellRead {
    enum Kind { kNone, kNumber, kText };
    Kind nKind = kNone;      // kNone: no cell, or one covered by a merged block
    double dNumber = 0.0;    // kNumber
    LPCTSTR pszText = "";    // kText: valid until the cell changes
    // The cell's value changes only together with GetValueEpoch().
    bool bStable = false;
    CString strHeld;         // holds the text when the source makes it
};

class IFormulaCellSource {
public:
    virtual ~IFormulaCellSource() = default;

    virtual int GetRowCount() const = 0;
    virtual int GetColumnCount() const = 0;

    // FALSE when there is no cell object at (nRow, nColumn).
    virtual BOOL IsCellPresent(int nRow, int nColumn) const = 0;
    // TRUE when the cell lies in a merged block of more than one cell and is
    // not the block's top-left (merge owner) cell.
    virtual BOOL IsCellCoveredByMerge(int nRow, int nColumn) const = 0;
    // TRUE, with the number, when the cell holds a number rather than a text.
    virtual BOOL GetCellNumber(int nRow, int nColumn, double& dValue) const = 0;
    // The cell's text (its value when it holds no number).
    virtual CString GetCellText(int nRow, int nColumn) const = 0;

    // Calls a user function: the grid sends FORMULA_CALC_USER_FUNCTION_MESSAGE
    // with the record to its window, synchronously. A host that does not
    // answer leaves the buffer empty.
    virtual void CalcUserFunction(FormulaCallInfo& info) = 0;

    // Reads the cell at (nRow, nColumn), which lies inside the grid. The
    // default asks the four questions above.
    virtual void ReadCell(int nRow, int nColumn, FormulaCellRead& out) const
    {
        out.bStable = false;
        out.nKind = FormulaCellRead::kNone;
        if (!IsCellPresent(nRow, nColumn) || IsCellCoveredByMerge(nRow, nColumn))
            return;
        if (GetCellNumber(nRow, nColumn, out.dNumber)) {
            out.nKind = FormulaCellRead::kNumber;
            return;
        }
        out.nKind = FormulaCellRead::kText;
        out.strHeld = GetCellText(nRow, nColumn);
        out.pszText = out.strHeld.GetString();
    }
    // A count that moves with every change to a cell whose read is stable
    // (and to which cells exist); 0 when the source keeps none, and then the
    // engine keeps nothing it read from one evaluation to the next.
    virtual unsigned long long GetValueEpoch() const { return 0; }
};
