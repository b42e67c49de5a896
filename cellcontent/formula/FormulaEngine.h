// CFormulaEngine: compiles formula text into token lists, evaluates them
// against the grid's cells, renders them back to text, and keeps the tables of
// built-in and user-defined functions and constants. The grid owns exactly one
// engine and is its only caller.
//
// Values inside the evaluator are texts: a number travels as its "%f" text with
// trailing zeros removed, a truth value as "1" or "0", and a range as the
// values of its cells joined by FORMULA_RANGE_SEPARATOR.
//
// Nothing here throws or fails as a whole: a compile answers FALSE with a
// message in GetErrorText(); an evaluation always answers a value and leaves a
// message in GetErrorText() when a step went wrong.
#pragma once

#include "base/CArchive.h"
#include "base/CString.h"
#include "base/CStringArray.h"
#include "base/WinTypes.h"
#include "cellcontent/formula/FormulaCellSource.h"
#include "cellcontent/formula/FormulaRangeSummary.h"
#include "cellcontent/formula/FormulaToken.h"

#include <string>
#include <unordered_map>
#include <vector>

// Joins the values of a range (newline, "!", newline, "!", newline, "!").
extern const char FORMULA_RANGE_SEPARATOR[];
const int FORMULA_RANGE_SEPARATOR_LENGTH = 6;

// Identifiers of the built-in functions (their index in the function table).
enum FormulaBuiltinFunction : WORD {
    FORMULA_FN_SUM = 1, FORMULA_FN_AVERAGE, FORMULA_FN_MAX, FORMULA_FN_MIN, FORMULA_FN_COUNT,
    FORMULA_FN_IF, FORMULA_FN_ABS, FORMULA_FN_NOW, FORMULA_FN_SIN, FORMULA_FN_COS, FORMULA_FN_TAN,
    FORMULA_FN_LOG, FORMULA_FN_LN, FORMULA_FN_FACT, FORMULA_FN_MOD, FORMULA_FN_RAND,
    FORMULA_FN_ROUND, FORMULA_FN_ROUNDDOWN, FORMULA_FN_ROUNDUP, FORMULA_FN_SQRT, FORMULA_FN_INT,
    FORMULA_FN_SUMSQ, FORMULA_FN_COUNTA, FORMULA_FN_COUNTBLANK, FORMULA_FN_LEFT, FORMULA_FN_LEN,
    FORMULA_FN_LOWER, FORMULA_FN_MID, FORMULA_FN_REPLACE, FORMULA_FN_REPT, FORMULA_FN_RIGHT,
    FORMULA_FN_RMB, FORMULA_FN_SUBSTITUTE, FORMULA_FN_TRIM, FORMULA_FN_UPPER, FORMULA_FN_AND,
    FORMULA_FN_NOT, FORMULA_FN_OR,
    FORMULA_FN_COUNT_PLUS_ONE   // the size of the built-in table (entry 0 is a placeholder)
};

class CFormulaEngine {
public:
    CFormulaEngine();
    virtual ~CFormulaEngine();

    CFormulaEngine(const CFormulaEngine&) = delete;
    CFormulaEngine& operator=(const CFormulaEngine&) = delete;

    // The grid whose cells formulas read (not owned; NULL: every cell is empty
    // and user functions answer the empty text).
    void SetCellSource(IFormulaCellSource* pSource) { m_pSource = pSource; }
    IFormulaCellSource* GetCellSource() const { return m_pSource; }

    // --- compiling and rendering ----------------------------------------------
    // Compiles the formula text (without its leading "=") of the cell at
    // (nRow, nColumn) into list, which is emptied first. FALSE when the text
    // does not compile; GetErrorText() then holds the message (empty when the
    // formula refers to its own cell) and list holds whatever was built.
    BOOL Compile(int nRow, int nColumn, LPCTSTR pszText, CFormulaTokenList& list);
    // The formula text of a compiled form, without "=": blanks kept, "_" parts
    // of references written "_", numbers so that compiling the text gives the
    // same numbers, texts in double quotes with inner quotes doubled.
    CString FormulaToText(const CFormulaTokenList& list) const;
    // The same with every reference written with letters and digits.
    CString FormulaToExportText(const CFormulaTokenList& list) const;

    // --- evaluating -------------------------------------------------------------
    // The value of a compiled form (the empty text for an empty one). Clears the
    // last error first; a message left afterwards replaces the value on screen.
    CString Evaluate(const CFormulaTokenList& list);
    // Calls a function with its argument values: a built-in (1 to 38) or, for
    // an identifier of FORMULA_USER_ID_BASE or more, a user function through the
    // cell source.
    CString CallBuiltinFunction(WORD nFunctionId, const CStringArray& args);

    // A cell is about to change and has changed: what the engine keeps of the
    // ranges it read (see FormulaRangeSummary.h) follows the change. Between
    // the two calls nothing but the cell at (nRow, nColumn) may change its
    // value; with bOnlyThatCell false (other cells changed too) everything
    // kept is dropped.
    void BeginCellChange(int nRow, int nColumn);
    void EndCellChange(int nRow, int nColumn, bool bOnlyThatCell);

    // The message of the last failed compile or evaluation step ("" when none)
    // and the 0-based position in the formula text stored with it (0 when none).
    CString GetErrorText() const { return m_strError; }
    int GetErrorPosition() const { return m_nErrorPosition; }

    // --- function and constant tables -------------------------------------------
    // FALSE for an empty name, a category outside 0..10, or a user function of
    // that name (case-blind); user functions cannot be removed.
    BOOL AddUserFunction(LPCTSTR pszName, int nCategory);
    // FALSE for an empty name or a user constant of that name (case-blind).
    BOOL AddUserConstant(LPCTSTR pszName, double dValue);
    // 0-based entries; the built-in tables skip their placeholder entry. FALSE,
    // outputs untouched, for a NULL output or an index out of range.
    BOOL GetSystemFunction(int nIndex, CString* pstrName, short* pnCategory) const;
    BOOL GetUserFunction(int nIndex, CString* pstrName, short* pnCategory) const;
    BOOL GetSystemConstant(int nIndex, CString* pstrName, double* pdValue) const;
    BOOL GetUserConstant(int nIndex, CString* pstrName, double* pdValue) const;
    int GetUserFunctionCount() const { return static_cast<int>(m_userFunctions.size()); }
    int GetUserConstantCount() const { return static_cast<int>(m_userConstants.size()); }

    // Storing writes one entry record per table entry (the caller has written
    // the count; pnCount is not used). Loading empties the table and reads
    // *pnCount entry records; FALSE (table holding what was read before the
    // failure) when pnCount is NULL, the count cannot fit in what remains of
    // the archive, or a record is malformed.
    BOOL SerializeUserFunctions(CArchive& ar, int* pnCount);
    BOOL SerializeUserConstants(CArchive& ar, int* pnCount);

private:
    struct FunctionEntry {
        CString strName;
        BYTE byCategory;
    };
    struct ConstantEntry {
        CString strName;
        double dValue;
    };
    struct Compiler;
    struct Evaluator;

    // Lookup by name, case-blind; system table first, then user table; 0 when
    // there is no such name.
    WORD FindFunction(const CString& strName) const;
    WORD FindConstant(const CString& strName) const;
    // Name of a function or constant identifier ("" when unknown).
    CString GetFunctionName(WORD nId) const;
    CString GetConstantName(WORD nId) const;
    // Value of a constant identifier; FALSE when unknown.
    BOOL GetConstantValue(WORD nId, double& dValue) const;

    CString RenderText(const CFormulaTokenList& list, bool bExport) const;

    void SetError(const CString& strMessage, int nPosition = 0);
    void ClearError();

    // The value text of a number: "%f" with trailing zeros removed ("-0"
    // becomes "0"). A result that is not a finite number records
    // "#数值计算错误!" and gives "".
    CString NumberValue(double dValue);
    void AppendNumberValue(std::string& strOut, double dValue);

    // Evaluation steps.
    CString ApplyOperator(WORD nCode, const CString& strLeft, const CString& strRight);
    CString OperandValue(const CFormulaOperandObject& operand);
    // Appends the value of one cell (nothing for a cell outside the grid, a
    // missing cell or one covered by a merged block); false when nothing was read.
    bool AppendCellValue(std::string& strOut, LONG nRow, LONG nColumn);
    CString RangeValue(const FormulaReference& ref);
    // The value of an aggregate function (SUM, AVERAGE, MAX, MIN, COUNT,
    // SUMSQ, COUNTA, COUNTBLANK, AND, OR) called with one range alone,
    // computed on numbers; false (nothing recorded) when the joined text must
    // be used instead.
    bool AggregateOverRange(WORD nFunctionId, const FormulaReference& ref, CString& strValue);

    // The part of a range inside the grid, and a summary kept for it.
    struct RangeBounds {
        LONG nFirstRow, nFirstColumn, nLastRow, nLastColumn;
        bool operator==(const RangeBounds& o) const
        {
            return nFirstRow == o.nFirstRow && nFirstColumn == o.nFirstColumn && nLastRow == o.nLastRow &&
                   nLastColumn == o.nLastColumn;
        }
        bool Contains(LONG nRow, LONG nColumn) const
        {
            return nRow >= nFirstRow && nRow <= nLastRow && nColumn >= nFirstColumn && nColumn <= nLastColumn;
        }
    };
    struct KeptRange {
        RangeBounds bounds;
        FormulaRangeSummary summary;
        unsigned long long nEpoch;   // the source's value epoch it holds for
    };
    FormulaRangePiece ReadPiece(LONG nRow, LONG nColumn, bool& bStable);
    // Reads the summary of a range; false when a value can only be read as text.
    bool SummarizeRange(const RangeBounds& bounds, FormulaRangeSummary& summary, bool& bStable);
    CString CallUserFunction(WORD nFunctionId, const CStringArray& args);

    static std::string FoldName(const CString& strName);

    std::vector<FunctionEntry> m_systemFunctions;
    std::vector<FunctionEntry> m_userFunctions;
    std::vector<ConstantEntry> m_systemConstants;
    std::vector<ConstantEntry> m_userConstants;
    // Upper-cased name to the first table index that carries it.
    std::unordered_map<std::string, int> m_systemFunctionIndex;
    std::unordered_map<std::string, int> m_userFunctionIndex;
    std::unordered_map<std::string, int> m_systemConstantIndex;
    std::unordered_map<std::string, int> m_userConstantIndex;

    CString m_strError;
    int m_nErrorPosition = 0;
    // Range summaries kept from one evaluation to the next, and the cell
    // change under way (BeginCellChange).
    std::vector<KeptRange> m_keptRanges;
    struct PendingChange {
        bool bActive = false;
        LONG nRow = 0, nColumn = 0;
        unsigned long long nEpoch = 0;
        FormulaRangePiece before;
    } m_pendingChange;
    IFormulaCellSource* m_pSource = nullptr;
};
