#include "cellcontent/formula/FormulaReferences.h"

#include <algorithm>
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

CFormulaLineOrder::CFormulaLineOrder(LONG nFirst, const std::vector<int>& newPos)
{
    const std::size_t n = newPos.size();
    if (nFirst < 0 || n == 0 || static_cast<long long>(nFirst) + static_cast<long long>(n) - 1 > INT_MAX)
        return;
    std::vector<char> seen(n, 0);
    for (int pos : newPos) {
        if (pos < 0 || static_cast<std::size_t>(pos) >= n || seen[static_cast<std::size_t>(pos)] != 0)
            return;
        seen[static_cast<std::size_t>(pos)] = 1;
    }
    m_nFirst = nFirst;
    m_newPos = newPos;
    m_low.assign(2 * n, 0);
    m_high.assign(2 * n, 0);
    for (std::size_t i = 0; i < n; ++i)
        m_low[n + i] = m_high[n + i] = newPos[i];
    for (std::size_t i = n - 1; i > 0; --i) {
        m_low[i] = std::min(m_low[2 * i], m_low[2 * i + 1]);
        m_high[i] = std::max(m_high[2 * i], m_high[2 * i + 1]);
    }
}

void CFormulaLineOrder::Span(std::size_t first, std::size_t last, int& nLow, int& nHigh) const
{
    const std::size_t n = m_newPos.size();
    nLow = INT_MAX;
    nHigh = INT_MIN;
    for (std::size_t l = first + n, r = last + n + 1; l < r; l >>= 1, r >>= 1) {
        if ((l & 1) != 0) {
            nLow = std::min(nLow, m_low[l]);
            nHigh = std::max(nHigh, m_high[l]);
            ++l;
        }
        if ((r & 1) != 0) {
            --r;
            nLow = std::min(nLow, m_low[r]);
            nHigh = std::max(nHigh, m_high[r]);
        }
    }
}

BOOL CFormulaLineOrder::Apply(CFormulaTokenList& list, FormulaAxis axis, BOOL* pbKeptPlace) const
{
    if (m_newPos.empty())
        return FALSE;
    const long long a = m_nFirst;
    const long long b = m_nFirst + static_cast<long long>(m_newPos.size()) - 1;
    auto follow = [&](long long x) {
        return x >= a && x <= b ? a + m_newPos[static_cast<std::size_t>(x - a)] : x;
    };
    bool bKept = false;
    const BOOL bChanged = ChangeList(list, axis, [&](long long& f, long long& l, bool bRange) {
        // Single coordinates (and a range of one line, or ends stored the
        // wrong way round) follow their lines.
        if (!bRange || f >= l) {
            f = follow(f);
            l = follow(l);
            return true;
        }
        // Wholly outside the reordered lines, or holding all of them: the
        // same lines as before.
        if (l < a || f > b || (f <= a && l >= b))
            return true;
        const long long p = std::max(f, a);
        const long long q = std::min(l, b);
        int nLow = 0;
        int nHigh = 0;
        Span(static_cast<std::size_t>(p - a), static_cast<std::size_t>(q - a), nLow, nHigh);
        const bool bTogether = static_cast<long long>(nHigh) - nLow == q - p;
        // Lines outside the reordered ones are only met when the lines
        // inside land at that edge.
        const bool bMeetsAbove = f >= a || nLow == 0;
        const bool bMeetsBelow = l <= b || a + nHigh == b;
        if (bTogether && bMeetsAbove && bMeetsBelow) {
            f = f < a ? f : a + nLow;
            l = l > b ? l : a + nHigh;
        } else {
            bKept = true;
        }
        return true;
    });
    if (bKept && pbKeptPlace != nullptr)
        *pbKeptPlace = TRUE;
    return bChanged;
}
