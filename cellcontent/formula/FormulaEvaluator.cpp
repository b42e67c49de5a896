// The evaluator: walks a compiled form and computes its value as text.
//
// The walk keeps an accumulated value and a pending operator. An operand with
// no pending operator becomes the accumulated value; an operator becomes the
// pending one (replacing any pending operator); an operand with a pending
// operator is combined with the accumulated value, unless the operator after
// the operand binds tighter, in which case that tighter operation is done
// first, one operation at a time. Operators of equal priority group from the
// left, "^" included (2^3^2 is 64). A bracketed group, and a function call with
// its brackets, count as one operand. A "-" where an operand is expected
// negates the one operand that follows it.
//
// The stored compiled form is only read, never changed.

#include "cellcontent/formula/FormulaEngine.h"

#include "base/Cp936.h"
#include "base/NumberText.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "cellcontent/formula/FormulaReferences.h"
#include "cellcontent/formula/FormulaValue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Deepest nesting of brackets and signs the evaluator follows; deeper forms
// give FORMULA_MSG_TOO_DEEP. Keeps the recursion well inside a thread's stack.
const int kMaxNesting = 200;

bool IsNumberText(const CString& strValue)
{
    return IsWholeNumberText(strValue.GetString(), static_cast<size_t>(strValue.GetLength()));
}

}  // namespace

struct CFormulaEngine::Evaluator {
    CFormulaEngine& engine;
    const CFormulaTokenList& list;
    const int n;
    bool bTooDeep = false;

    // operandStart[i]: an operand, a group or a function call starts at token
    // i, possibly behind signs. Worked out once, from the back, so that a long
    // run of "-" tokens costs no more than one pass.
    std::vector<bool> operandStart;

    Evaluator(CFormulaEngine& e, const CFormulaTokenList& l) : engine(e), list(l), n(l.GetCount())
    {
        operandStart.assign(static_cast<size_t>(n) + 1, false);
        for (int i = n - 1; i >= 0; --i) {
            const CFormulaToken& token = list.GetAt(i);
            const CFormulaOperatorObject* pOperator = token.GetOperator();
            operandStart[static_cast<size_t>(i)] =
                token.GetOperand() != nullptr || token.GetFunction() != nullptr ||
                token.IsBracket(FORMULA_BRACKET_OPEN) ||
                (pOperator != nullptr && pOperator->nCode == FORMULA_OP_SUBTRACT && operandStart[static_cast<size_t>(i) + 1]);
        }
    }

    const CFormulaOperatorObject* OperatorAt(int i) const
    {
        return i < n ? list.GetAt(i).GetOperator() : nullptr;
    }

    bool IsOperandStart(int i) const
    {
        return i < n && operandStart[static_cast<size_t>(i)];
    }

    bool IsSignAt(int i) const
    {
        const CFormulaOperatorObject* pOperator = OperatorAt(i);
        return pOperator != nullptr && pOperator->nCode == FORMULA_OP_SUBTRACT && IsOperandStart(i + 1);
    }

    // Evaluates from i up to a ")" of this level (left in place) or the end.
    // With pArgs, every "," ends one argument value.
    CString Sequence(int& i, CStringArray* pArgs, int nDepth)
    {
        CString strAccumulated;
        const CFormulaOperatorObject* pPending = nullptr;
        bool bExpectOperand = true;
        while (i < n && !bTooDeep) {
            const CFormulaToken& token = list.GetAt(i);
            if (token.IsBracket(FORMULA_BRACKET_CLOSE))
                break;
            if (token.IsBracket(FORMULA_BRACKET_COMMA)) {
                // Outside an argument list a comma only ends the value so far.
                if (pArgs != nullptr)
                    pArgs->Add(strAccumulated);
                strAccumulated.Empty();
                pPending = nullptr;
                bExpectOperand = true;
                ++i;
                continue;
            }
            const CFormulaOperatorObject* pOperator = token.GetOperator();
            if (pOperator != nullptr && !(bExpectOperand && IsSignAt(i))) {
                pPending = pOperator;
                bExpectOperand = true;
                ++i;
                continue;
            }
            if (!IsOperandStart(i)) {
                ++i;   // a token that carries nothing to evaluate
                continue;
            }
            CString strValue = Operand(i, nDepth);
            if (pPending == nullptr) {
                strAccumulated = strValue;
            } else {
                strValue = Climb(strValue, i, pPending->byPriority, nDepth);
                strAccumulated = engine.ApplyOperator(pPending->nCode, strAccumulated, strValue);
                pPending = nullptr;
            }
            bExpectOperand = false;
        }
        return strAccumulated;
    }

    // While the operator at i binds tighter than nPriority, performs it on
    // strLeft and the operand after it (itself first raised by any tighter
    // operator behind it).
    CString Climb(CString strLeft, int& i, BYTE byPriority, int nDepth)
    {
        while (!bTooDeep) {
            const CFormulaOperatorObject* pOperator = OperatorAt(i);
            if (pOperator == nullptr || pOperator->byPriority <= byPriority)
                break;
            // Further operators replace this one until an operand comes.
            ++i;
            while (OperatorAt(i) != nullptr && !IsSignAt(i))
                pOperator = OperatorAt(i++);
            if (!IsOperandStart(i))
                break;   // nothing to operate on: the operators are passed over
            CString strRight = Operand(i, nDepth);
            strRight = Climb(strRight, i, pOperator->byPriority, nDepth);
            strLeft = engine.ApplyOperator(pOperator->nCode, strLeft, strRight);
        }
        return strLeft;
    }

    // The value of the operand at i (IsOperandStart(i) holds); i moves past it.
    CString Operand(int& i, int nDepth)
    {
        if (nDepth >= kMaxNesting) {
            if (!bTooDeep)
                engine.SetError(FORMULA_MSG_TOO_DEEP);
            bTooDeep = true;
            i = n;
            return CString();
        }
        const CFormulaToken& token = list.GetAt(i);
        ++i;
        if (token.GetOperator() != nullptr) {
            // A sign: negates the operand that follows.
            const CString strValue = Operand(i, nDepth + 1);
            return engine.NumberValue(0.0 - AToF(strValue));
        }
        if (const CFormulaOperandObject* pOperand = token.GetOperand())
            return engine.OperandValue(*pOperand);
        if (const CFormulaFunctionObject* pFunction = token.GetFunction()) {
            // An aggregate over one range alone is computed on numbers.
            if (i + 2 < n && nDepth + 1 < kMaxNesting && list.GetAt(i).IsBracket(FORMULA_BRACKET_OPEN) &&
                list.GetAt(i + 2).IsBracket(FORMULA_BRACKET_CLOSE)) {
                const CFormulaOperandObject* pArg = list.GetAt(i + 1).GetOperand();
                CString strValue;
                if (pArg != nullptr && pArg->nKind == FORMULA_OPERAND_RANGE && !IsInvalidFormulaReference(*pArg) &&
                    engine.AggregateOverRange(pFunction->nFunctionId, pArg->ref, strValue)) {
                    i += 3;
                    return strValue;
                }
            }
            CStringArray args;
            if (i < n && list.GetAt(i).IsBracket(FORMULA_BRACKET_OPEN)) {
                ++i;
                args.Add(Sequence(i, &args, nDepth + 1));
                if (i < n)
                    ++i;   // the ")"
            }
            if (bTooDeep)
                return CString();
            return engine.CallBuiltinFunction(pFunction->nFunctionId, args);
        }
        // "(": a group.
        CString strValue = Sequence(i, nullptr, nDepth + 1);
        if (i < n)
            ++i;   // the ")"
        return strValue;
    }
};

CString CFormulaEngine::Evaluate(const CFormulaTokenList& list)
{
    ClearError();
    Evaluator evaluator(*this, list);
    int i = 0;
    CString strValue;
    // A ")" without its "(" (only from a stored form) ends nothing: it is passed over.
    while (i < evaluator.n && !evaluator.bTooDeep) {
        strValue = evaluator.Sequence(i, nullptr, 0);
        if (i < evaluator.n)
            ++i;
    }
    return evaluator.bTooDeep ? CString() : strValue;
}

CString CFormulaEngine::ApplyOperator(WORD nCode, const CString& strLeft, const CString& strRight)
{
    switch (nCode) {
    case FORMULA_OP_ADD:
        return NumberValue(AToF(strLeft) + AToF(strRight));
    case FORMULA_OP_SUBTRACT:
        return NumberValue(AToF(strLeft) - AToF(strRight));
    case FORMULA_OP_MULTIPLY:
        return NumberValue(AToF(strLeft) * AToF(strRight));
    case FORMULA_OP_DIVIDE: {
        const double dDivisor = AToF(strRight);
        if (dDivisor == 0.0) {
            SetError(FORMULA_MSG_DIVIDE_BY_ZERO);
            return CString();
        }
        return NumberValue(AToF(strLeft) / dDivisor);
    }
    case FORMULA_OP_POWER:
        return NumberValue(std::pow(AToF(strLeft), AToF(strRight)));
    case FORMULA_OP_CONCAT:
        return strLeft + strRight;
    case FORMULA_OP_GREATER:
    case FORMULA_OP_LESS:
    case FORMULA_OP_EQUAL:
    case FORMULA_OP_GREATER_EQUAL:
    case FORMULA_OP_LESS_EQUAL:
    case FORMULA_OP_NOT_EQUAL: {
        // Two numbers compare by value; anything else compares as text.
        int nOrder;
        if (IsNumberText(strLeft) && IsNumberText(strRight)) {
            const double dLeft = AToF(strLeft);
            const double dRight = AToF(strRight);
            nOrder = dLeft < dRight ? -1 : (dLeft > dRight ? 1 : 0);
        } else {
            nOrder = cp936::MbsCompare(strLeft.GetString(), strLeft.GetLength(), strRight.GetString(),
                                       strRight.GetLength());
        }
        bool bHolds = false;
        switch (nCode) {
        case FORMULA_OP_GREATER: bHolds = nOrder > 0; break;
        case FORMULA_OP_LESS: bHolds = nOrder < 0; break;
        case FORMULA_OP_EQUAL: bHolds = nOrder == 0; break;
        case FORMULA_OP_GREATER_EQUAL: bHolds = nOrder >= 0; break;
        case FORMULA_OP_LESS_EQUAL: bHolds = nOrder <= 0; break;
        default: bHolds = nOrder != 0; break;
        }
        return CString(bHolds ? "1" : "0");
    }
    default:
        // "%" and codes outside the table (only from a stored form) do nothing.
        return strLeft;
    }
}

CString CFormulaEngine::OperandValue(const CFormulaOperandObject& operand)
{
    switch (operand.nKind) {
    case FORMULA_OPERAND_NUMBER:
        return NumberValue(operand.dNumber);
    case FORMULA_OPERAND_TEXT:
        return operand.strText;
    case FORMULA_OPERAND_CONSTANT: {
        double dValue = 0.0;
        return GetConstantValue(operand.nConstantId, dValue) ? NumberValue(dValue) : CString();
    }
    case FORMULA_OPERAND_CELL:
    case FORMULA_OPERAND_RANGE: {
        // A reference whose row or column was deleted names no cell.
        if (IsInvalidFormulaReference(operand)) {
            SetError(FORMULA_MSG_INVALID_REFERENCE);
            return CString();
        }
        if (operand.nKind == FORMULA_OPERAND_RANGE)
            return RangeValue(operand.ref);
        std::string strValue;
        AppendCellValue(strValue, operand.ref.nFirstRow, operand.ref.nFirstColumn);
        return CString(strValue);
    }
    default:
        return CString();
    }
}

bool CFormulaEngine::AppendCellValue(std::string& strOut, LONG nRow, LONG nColumn)
{
    if (m_pSource == nullptr || nRow < 0 || nColumn < 0 || nRow >= m_pSource->GetRowCount() ||
        nColumn >= m_pSource->GetColumnCount())
        return false;
    FormulaCellRead read;
    m_pSource->ReadCell(nRow, nColumn, read);
    if (read.nKind == FormulaCellRead::kNone)
        return false;
    if (read.nKind == FormulaCellRead::kNumber)
        AppendNumberValue(strOut, read.dNumber);
    else if (read.pszText != nullptr)
        strOut += read.pszText;
    return true;
}

CString CFormulaEngine::RangeValue(const FormulaReference& ref)
{
    if (m_pSource == nullptr)
        return CString();
    // Only the part of the range that lies inside the grid is walked.
    const LONG nFirstRow = std::max<LONG>(ref.nFirstRow, 0);
    const LONG nFirstColumn = std::max<LONG>(ref.nFirstColumn, 0);
    const LONG nLastRow = std::min<LONG>(ref.nLastRow, m_pSource->GetRowCount() - 1);
    const LONG nLastColumn = std::min<LONG>(ref.nLastColumn, m_pSource->GetColumnCount() - 1);
    std::string strJoined;
    for (LONG nRow = nFirstRow; nRow <= nLastRow; ++nRow) {
        for (LONG nColumn = nFirstColumn; nColumn <= nLastColumn; ++nColumn) {
            // A separator before every value once the joined text holds something.
            if (!strJoined.empty())
                strJoined += FORMULA_RANGE_SEPARATOR;
            AppendCellValue(strJoined, nRow, nColumn);
        }
    }
    return CString(strJoined);
}
