// The compiled form of a formula: an ordered list of tokens.
//
// A token is a pair of a token kind and the number of blanks that stood before
// it in the formula text, together with the object that carries its data: a
// function (its identifier), an operator (code and priority), a bracket ("(",
// ")" or ","), or an operand (cell, range, number, text or constant). The list
// owns its tokens by value, so copying a list copies every object and text.
//
// Every object keeps a few reserved fields with no behaviour of their own; they
// hold their defaults unless a stored compiled form brought other values, and
// they are written back only when they differ from the defaults.
//
// A token read from a stored form may carry a kind outside 1..4, or an object
// that does not belong to its kind. Such a token is kept as it was read (so it
// is written back unchanged), but the typed accessors below answer NULL for it,
// and the renderings and the evaluator pass over it.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <variant>
#include <vector>

// Token kinds.
enum FormulaTokenKind : WORD {
    FORMULA_TOKEN_NONE = 0,
    FORMULA_TOKEN_FUNCTION = 1,
    FORMULA_TOKEN_OPERATOR = 2,
    FORMULA_TOKEN_OPERAND = 3,
    FORMULA_TOKEN_BRACKET = 4,
};

// Operator codes, with their texts and priorities in FormulaOperatorText and
// FormulaOperatorPriority. Code 6 ("%") exists in the table but the compiler
// never produces it.
enum FormulaOperatorCode : WORD {
    FORMULA_OP_ADD = 1,            // +
    FORMULA_OP_SUBTRACT = 2,       // -
    FORMULA_OP_MULTIPLY = 3,       // *
    FORMULA_OP_DIVIDE = 4,         // /
    FORMULA_OP_POWER = 5,          // ^
    FORMULA_OP_PERCENT = 6,        // %
    FORMULA_OP_GREATER = 7,        // >
    FORMULA_OP_LESS = 8,           // <
    FORMULA_OP_EQUAL = 9,          // =
    FORMULA_OP_GREATER_EQUAL = 10, // >=
    FORMULA_OP_LESS_EQUAL = 11,    // <=
    FORMULA_OP_NOT_EQUAL = 12,     // <>
    FORMULA_OP_CONCAT = 13,        // &
    FORMULA_OP_COUNT = 14,         // first code that is no operator
};

// Bracket codes.
enum FormulaBracketCode : WORD {
    FORMULA_BRACKET_OPEN = 1,      // (
    FORMULA_BRACKET_CLOSE = 2,     // )
    FORMULA_BRACKET_COMMA = 3,     // ,
};

// Operand kinds.
enum FormulaOperandKind : WORD {
    FORMULA_OPERAND_NONE = 0,
    FORMULA_OPERAND_CELL = 1,
    FORMULA_OPERAND_RANGE = 2,
    FORMULA_OPERAND_NUMBER = 3,
    FORMULA_OPERAND_TEXT = 4,
    FORMULA_OPERAND_CONSTANT = 5,
};

// The marker byte of a reference part that was written "_" (the formula
// cell's own row or column).
const BYTE FORMULA_OWN_POSITION_MARKER = '_';

// Identifiers of user functions and user constants start here; below it are
// the built-in ones (1 and up).
const WORD FORMULA_USER_ID_BASE = 0x8000;

// Text and priority of an operator code; "" and 0 for a code outside the table.
LPCTSTR FormulaOperatorText(int nCode);
BYTE FormulaOperatorPriority(int nCode);

// A function token's object.
struct CFormulaFunctionObject {
    WORD nFunctionId = 0;          // built-in index, or FORMULA_USER_ID_BASE + user index
    BYTE byReserved1 = 0;
    BYTE byReserved2 = 0;
    BYTE byReserved3 = 255;
    short nReserved = 0;
    bool bHasReservedText = false;
    CString strReserved;
};

// An operator token's object.
struct CFormulaOperatorObject {
    WORD nCode = 0;
    BYTE byPriority = 0;
    BYTE byReserved = 255;
};

// A bracket token's object.
struct CFormulaBracketObject {
    WORD nCode = 0;
    BYTE byReserved = 255;
};

// A cell reference (first cell only) or a range. Rows and columns are grid
// indices as written (A1 is row 1, column 1); -1 when unset. A marker byte is
// 0, or FORMULA_OWN_POSITION_MARKER when that part was written "_".
struct FormulaReference {
    LONG nFirstRow = -1;
    LONG nFirstColumn = -1;
    LONG nLastRow = -1;
    LONG nLastColumn = -1;
    BYTE byFirstRowMarker = 0;
    BYTE byFirstColumnMarker = 0;
    BYTE byLastRowMarker = 0;
    BYTE byLastColumnMarker = 0;
};

// An operand token's object. The value that counts is chosen by nKind.
struct CFormulaOperandObject {
    WORD nKind = FORMULA_OPERAND_NONE;
    FormulaReference ref;          // FORMULA_OPERAND_CELL and FORMULA_OPERAND_RANGE
    double dNumber = 0.0;          // FORMULA_OPERAND_NUMBER
    CString strText;               // FORMULA_OPERAND_TEXT (without quotes)
    WORD nConstantId = 0;          // FORMULA_OPERAND_CONSTANT
    BYTE byReserved = 255;
    short nReserved = 0;
    bool bHasReservedText = false;
    CString strReserved;
};

// One token: kind, blanks before it, and its object.
class CFormulaToken {
public:
    typedef std::variant<std::monostate, CFormulaFunctionObject, CFormulaOperatorObject,
                         CFormulaOperandObject, CFormulaBracketObject>
        Object;

    CFormulaToken() = default;
    CFormulaToken(WORD nKind, WORD nBlanks, Object object);

    static CFormulaToken Function(WORD nFunctionId, WORD nBlanks);
    static CFormulaToken Operator(WORD nCode, WORD nBlanks);
    static CFormulaToken Bracket(WORD nCode, WORD nBlanks);
    static CFormulaToken Operand(const CFormulaOperandObject& operand, WORD nBlanks);

    WORD GetKind() const { return m_nKind; }
    WORD GetBlanks() const { return m_nBlanks; }
    void SetKind(WORD nKind) { m_nKind = nKind; }
    void SetBlanks(WORD nBlanks) { m_nBlanks = nBlanks; }

    // The object when it matches the token's kind; NULL otherwise.
    const CFormulaFunctionObject* GetFunction() const;
    const CFormulaOperatorObject* GetOperator() const;
    const CFormulaBracketObject* GetBracket() const;
    const CFormulaOperandObject* GetOperand() const;
    CFormulaOperandObject* GetOperand();

    // Whether this is a bracket token with the given code.
    bool IsBracket(WORD nCode) const;

    // The object as held, whatever the kind (for storing and loading).
    const Object& GetObject() const { return m_object; }
    Object& GetObject() { return m_object; }

private:
    WORD m_nKind = FORMULA_TOKEN_NONE;
    WORD m_nBlanks = 0;
    Object m_object;
};

// The token list of one compiled formula.
class CFormulaTokenList {
public:
    int GetCount() const { return static_cast<int>(m_tokens.size()); }
    bool IsEmpty() const { return m_tokens.empty(); }
    // The token at nIndex; the caller keeps nIndex within [0, GetCount()).
    const CFormulaToken& GetAt(int nIndex) const { return m_tokens[static_cast<size_t>(nIndex)]; }
    CFormulaToken& ElementAt(int nIndex) { return m_tokens[static_cast<size_t>(nIndex)]; }
    void Add(CFormulaToken token) { m_tokens.push_back(std::move(token)); }
    void RemoveAll() { m_tokens.clear(); }

    std::vector<CFormulaToken>::const_iterator begin() const { return m_tokens.begin(); }
    std::vector<CFormulaToken>::const_iterator end() const { return m_tokens.end(); }
    std::vector<CFormulaToken>::iterator begin() { return m_tokens.begin(); }
    std::vector<CFormulaToken>::iterator end() { return m_tokens.end(); }

private:
    std::vector<CFormulaToken> m_tokens;
};
