#include "cellcontent/formula/FormulaReferences.h"

#include <climits>

namespace {

// One axis of a reference: the first and the last coordinate (the last one
// only for a range).
struct AxisEnds {
    LONG* pFirst;
    LONG* pLast;   // NULL for a single cell
};

AxisEnds EndsOf(CFormulaOperandObject& operand, FormulaAxis axis)
{
    FormulaReference& ref = operand.ref;
    const bool bRange = operand.nKind == FORMULA_OPERAND_RANGE;
    if (axis == FORMULA_AXIS_ROWS)
        return {&ref.nFirstRow, bRange ? &ref.nLastRow : nullptr};
    return {&ref.nFirstColumn, bRange ? &ref.nLastColumn : nullptr};
}

bool IsReference(const CFormulaOperandObject& operand)
{
    return operand.nKind == FORMULA_OPERAND_CELL || operand.nKind == FORMULA_OPERAND_RANGE;
}

// A coordinate as it must be stored: false when it falls outside 0..LONG max.
bool Fits(long long nValue)
{
    return nValue >= 0 && nValue <= static_cast<long long>(INT_MAX);
}

// Where a coordinate goes when nCount lines are inserted at nAt.
long long Inserted(long long x, long long nAt, long long nCount)
{
    return x >= nAt ? x + nCount : x;
}

// A range's ends [f, l] (f <= l) after deleting lines nAt .. nEnd; false when
// every line of the range goes.
bool DeletedRange(long long& f, long long& l, long long nAt, long long nEnd)
{
    const long long nCount = nEnd - nAt + 1;
    if (f >= nAt && l <= nEnd)
        return false;
    const long long fNew = f < nAt ? f : (f > nEnd ? f - nCount : nAt);
    const long long lNew = l > nEnd ? l - nCount : (l < nAt ? l : nAt - 1);
    f = fNew;
    l = lNew;
    return true;
}

// A single coordinate after deleting lines nAt .. nEnd; false when its line goes.
bool DeletedCell(long long& x, long long nAt, long long nEnd)
{
    if (x >= nAt && x <= nEnd)
        return false;
    if (x > nEnd)
        x -= nEnd - nAt + 1;
    return true;
}

// Applies a change of one axis to one operand; the change works on the ends
// as 64-bit values and answers false when the reference is lost. The operand
// is written back only when something changed.
template <class Change>
bool ChangeAxis(CFormulaOperandObject& operand, FormulaAxis axis, Change change)
{
    if (!IsReference(operand) || IsInvalidFormulaReference(operand))
        return false;
    AxisEnds ends = EndsOf(operand, axis);
    long long f = *ends.pFirst;
    long long l = ends.pLast != nullptr ? *ends.pLast : f;
    const bool bRange = ends.pLast != nullptr;
    const long long fOld = f;
    const long long lOld = l;
    if (!change(f, l, bRange) || !Fits(f) || !Fits(l)) {
        MakeFormulaReferenceInvalid(operand);
        return true;
    }
    if (f == fOld && l == lOld)
        return false;
    *ends.pFirst = static_cast<LONG>(f);
    if (bRange)
        *ends.pLast = static_cast<LONG>(l);
    return true;
}

template <class Change>
BOOL ChangeList(CFormulaTokenList& list, FormulaAxis axis, Change change)
{
    BOOL bChanged = FALSE;
    for (CFormulaToken& token : list) {
        CFormulaOperandObject* pOperand = token.GetOperand();
        if (pOperand != nullptr && ChangeAxis(*pOperand, axis, change))
            bChanged = TRUE;
    }
    return bChanged;
}

}  // namespace

BOOL IsInvalidFormulaReference(const CFormulaOperandObject& operand)
{
    const FormulaReference& ref = operand.ref;
    if (operand.nKind == FORMULA_OPERAND_CELL)
        return ref.nFirstRow < 0 || ref.nFirstColumn < 0;
    if (operand.nKind == FORMULA_OPERAND_RANGE)
        return ref.nFirstRow < 0 || ref.nFirstColumn < 0 || ref.nLastRow < 0 || ref.nLastColumn < 0;
    return FALSE;
}

void MakeFormulaReferenceInvalid(CFormulaOperandObject& operand)
{
    operand.ref = FormulaReference();
}

BOOL ShiftFormulaReferences(CFormulaTokenList& list, FormulaAxis axis, LONG nAt, LONG nCount, BOOL bInsert,
                            BOOL* pbLostLines)
{
    if (nAt < 0 || nCount <= 0)
        return FALSE;
    const long long at = nAt;
    const long long count = nCount;
    const long long end = at + count - 1;
    bool bLost = false;
    const BOOL bChanged = ChangeList(list, axis, [&](long long& f, long long& l, bool bRange) {
        if (bInsert) {
            f = Inserted(f, at, count);
            l = Inserted(l, at, count);
            return true;
        }
        bool bKept = false;
        const long long nSpan = l - f;
        // Ends stored the wrong way round are moved one by one.
        if (bRange && f <= l)
            bKept = DeletedRange(f, l, at, end);
        else
            bKept = DeletedCell(f, at, end) && DeletedCell(l, at, end);
        if (!bKept || l - f != nSpan)
            bLost = true;
        return bKept;
    });
    if (bLost && pbLostLines != nullptr)
        *pbLostLines = TRUE;
    return bChanged;
}

BOOL MoveFormulaReferences(CFormulaTokenList& list, FormulaAxis axis, LONG nFrom, LONG nTo)
{
    if (nFrom < 0 || nTo < 0 || nFrom == nTo)
        return FALSE;
    const long long from = nFrom;
    const long long to = nTo;
    return ChangeList(list, axis, [&](long long& f, long long& l, bool bRange) {
        if (!bRange || f > l || (f == from && l == from)) {
            // Single coordinates: the moved line's follow it, the others close up.
            for (long long* p : {&f, &l}) {
                if (*p == from)
                    *p = to;
                else
                    *p = Inserted(*p > from ? *p - 1 : *p, to, 1);
            }
            return true;
        }
        if (!DeletedRange(f, l, from, from))
            return false;
        f = Inserted(f, to, 1);
        l = Inserted(l, to, 1);
        return true;
    });
}
