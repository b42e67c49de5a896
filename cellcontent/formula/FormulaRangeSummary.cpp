#include "cellcontent/formula/FormulaRangeSummary.h"

#include <cmath>

namespace {

// 2^53: below it every whole number, and every sum of such, is exact.
const double kExactLimit = 9007199254740992.0;

}  // namespace

void FormulaRangeSummary::Append(const FormulaRangePiece& piece, long long nAt)
{
    if (piece.bEmpty)
        return;
    const double d = piece.dValue;
    ++nValues;
    nWhole += piece.bWhole ? 1 : 0;
    nZero += piece.bZero ? 1 : 0;
    dSum += d;
    dSumSquares += d * d;
    if (d > dMax)
        dMax = d;
    if (d < dMin)
        dMin = d;
    bIntegers = bIntegers && piece.bInteger;
    dSizeBound += std::fabs(d);
    dSquareBound += d * d;
    nLast = nAt;
}

bool FormulaRangeSummary::Update(const FormulaRangePiece& before, const FormulaRangePiece& after, long long nAt)
{
    if (!before.bUsable || !after.bUsable)
        return false;
    if (before.bEmpty && after.bEmpty)
        return true;
    if (before.bEmpty && bLastKnown && nAt > nLast) {
        // A value after every other one: added last, as a reading adds it.
        Append(after, nAt);
        return true;
    }
    // Anywhere else only exact arithmetic gives what a reading would.
    if (!bIntegers || (!before.bEmpty && !before.bInteger) || (!after.bEmpty && !after.bInteger))
        return false;
    const double dBefore = before.bEmpty ? 0.0 : before.dValue;
    const double dAfter = after.bEmpty ? 0.0 : after.dValue;
    if (dSizeBound + std::fabs(dAfter) >= kExactLimit || dSquareBound + dAfter * dAfter >= kExactLimit)
        return false;
    dSizeBound += std::fabs(dAfter);
    dSquareBound += dAfter * dAfter;
    dSum = dSum - dBefore + dAfter;
    dSumSquares = dSumSquares - dBefore * dBefore + dAfter * dAfter;
    if (!before.bEmpty) {
        --nValues;
        nWhole -= before.bWhole ? 1 : 0;
        nZero -= before.bZero ? 1 : 0;
        if (dBefore == dMax || dBefore == dMin)
            bExtremesKnown = false;
    }
    if (!after.bEmpty) {
        ++nValues;
        nWhole += after.bWhole ? 1 : 0;
        nZero += after.bZero ? 1 : 0;
        if (dAfter > dMax)
            dMax = dAfter;
        if (dAfter < dMin)
            dMin = dAfter;
    }
    if (bLastKnown) {
        if (!after.bEmpty && nAt > nLast)
            nLast = nAt;
        else if (after.bEmpty && nAt == nLast)
            bLastKnown = false;
    }
    return true;
}
