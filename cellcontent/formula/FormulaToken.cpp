#include "cellcontent/formula/FormulaToken.h"

#include <utility>

namespace {

struct OperatorEntry {
    const char* pszText;
    BYTE byPriority;
};

// Indexed by operator code. Comparisons and "&" share the lowest priority with
// "+" and "-"; "^" binds tightest.
const OperatorEntry kOperators[FORMULA_OP_COUNT] = {
    {"", 0},   {"+", 1},  {"-", 1},  {"*", 2}, {"/", 2},  {"^", 3},  {"%", 3},
    {">", 1},  {"<", 1},  {"=", 1},  {">=", 1}, {"<=", 1}, {"<>", 1}, {"&", 1},
};

}  // namespace

LPCTSTR FormulaOperatorText(int nCode)
{
    return nCode > 0 && nCode < FORMULA_OP_COUNT ? kOperators[nCode].pszText : "";
}

BYTE FormulaOperatorPriority(int nCode)
{
    return nCode > 0 && nCode < FORMULA_OP_COUNT ? kOperators[nCode].byPriority : 0;
}

CFormulaToken::CFormulaToken(WORD nKind, WORD nBlanks, Object object)
    : m_nKind(nKind), m_nBlanks(nBlanks), m_object(std::move(object))
{
}

CFormulaToken CFormulaToken::Function(WORD nFunctionId, WORD nBlanks)
{
    CFormulaFunctionObject function;
    function.nFunctionId = nFunctionId;
    return CFormulaToken(FORMULA_TOKEN_FUNCTION, nBlanks, std::move(function));
}

CFormulaToken CFormulaToken::Operator(WORD nCode, WORD nBlanks)
{
    CFormulaOperatorObject op;
    op.nCode = nCode;
    op.byPriority = FormulaOperatorPriority(nCode);
    return CFormulaToken(FORMULA_TOKEN_OPERATOR, nBlanks, op);
}

CFormulaToken CFormulaToken::Bracket(WORD nCode, WORD nBlanks)
{
    CFormulaBracketObject bracket;
    bracket.nCode = nCode;
    return CFormulaToken(FORMULA_TOKEN_BRACKET, nBlanks, bracket);
}

CFormulaToken CFormulaToken::Operand(const CFormulaOperandObject& operand, WORD nBlanks)
{
    return CFormulaToken(FORMULA_TOKEN_OPERAND, nBlanks, operand);
}

const CFormulaFunctionObject* CFormulaToken::GetFunction() const
{
    return m_nKind == FORMULA_TOKEN_FUNCTION ? std::get_if<CFormulaFunctionObject>(&m_object) : nullptr;
}

const CFormulaOperatorObject* CFormulaToken::GetOperator() const
{
    return m_nKind == FORMULA_TOKEN_OPERATOR ? std::get_if<CFormulaOperatorObject>(&m_object) : nullptr;
}

const CFormulaBracketObject* CFormulaToken::GetBracket() const
{
    return m_nKind == FORMULA_TOKEN_BRACKET ? std::get_if<CFormulaBracketObject>(&m_object) : nullptr;
}

const CFormulaOperandObject* CFormulaToken::GetOperand() const
{
    return m_nKind == FORMULA_TOKEN_OPERAND ? std::get_if<CFormulaOperandObject>(&m_object) : nullptr;
}

CFormulaOperandObject* CFormulaToken::GetOperand()
{
    return m_nKind == FORMULA_TOKEN_OPERAND ? std::get_if<CFormulaOperandObject>(&m_object) : nullptr;
}

bool CFormulaToken::IsBracket(WORD nCode) const
{
    const CFormulaBracketObject* pBracket = GetBracket();
    return pBracket != nullptr && pBracket->nCode == nCode;
}
