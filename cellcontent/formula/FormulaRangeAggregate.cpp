// The aggregate functions over one range, read on numbers, and the range
// summaries the engine keeps between evaluations (FormulaRangeSummary.h).
//
// SUM(A1:A100000) reads each cell's number as the value it would travel as
// in the joined text, without making the text. A summary is kept with the
// source's value epoch; a later evaluation reuses it while the epoch has not
// moved, and a cell change the grid announces (BeginCellChange and
// EndCellChange) brings it up to date when that gives what a new reading
// would, so a column filled under its total costs one step per cell.
#include "cellcontent/formula/FormulaEngine.h"

#include "base/NumberText.h"
#include "cellcontent/formula/FormulaValue.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// How many range summaries are kept; the oldest goes first.
const size_t kMaxKeptRanges = 32;

const double kExactLimit = 9007199254740992.0;   // 2^53

bool IsAggregate(WORD nFunctionId)
{
    switch (nFunctionId) {
    case FORMULA_FN_SUM:
    case FORMULA_FN_SUMSQ:
    case FORMULA_FN_AVERAGE:
    case FORMULA_FN_MAX:
    case FORMULA_FN_MIN:
    case FORMULA_FN_COUNT:
    case FORMULA_FN_COUNTA:
    case FORMULA_FN_COUNTBLANK:
    case FORMULA_FN_AND:
    case FORMULA_FN_OR:
        return true;
    default:
        return false;
    }
}

void SetTextFacts(FormulaRangePiece& piece, const char* pText, size_t nLength)
{
    piece.bEmpty = false;
    piece.dValue = AToF(pText);
    piece.bWhole = IsWholeNumberText(pText, nLength);
    piece.bZero = nLength == 1 && pText[0] == '0';
    piece.bInteger = std::fabs(piece.dValue) < kExactLimit && piece.dValue == std::trunc(piece.dValue);
}

}  // namespace

FormulaRangePiece CFormulaEngine::ReadPiece(LONG nRow, LONG nColumn, bool& bStable)
{
    FormulaRangePiece piece;
    FormulaCellRead read;
    m_pSource->ReadCell(nRow, nColumn, read);
    bStable = read.bStable;
    if (read.nKind == FormulaCellRead::kNumber) {
        const double d = read.dNumber;
        if (!std::isfinite(d)) {
            // Its text records a message: only the text path gives that.
            piece.bUsable = false;
            return piece;
        }
        if (std::fabs(d) < kExactLimit && d == std::trunc(d)) {
            // A whole number travels as its digits and reads back unchanged.
            piece.bEmpty = false;
            piece.dValue = d + 0.0;
            piece.bWhole = true;
            piece.bZero = d == 0.0;
            piece.bInteger = true;
            return piece;
        }
        std::string text;
        AppendNumberValue(text, d);
        SetTextFacts(piece, text.c_str(), text.size());
        return piece;
    }
    if (read.nKind == FormulaCellRead::kText) {
        const char* pText = read.pszText != nullptr ? read.pszText : "";
        const size_t nLength = std::strlen(pText);
        if (nLength == 0)
            return piece;
        // A line break could join with a separator: the text path splits such
        // a value its own way.
        if (std::memchr(pText, '\n', nLength) != nullptr) {
            piece.bUsable = false;
            return piece;
        }
        SetTextFacts(piece, pText, nLength);
    }
    return piece;
}

bool CFormulaEngine::SummarizeRange(const RangeBounds& bounds, FormulaRangeSummary& summary, bool& bStable)
{
    summary = FormulaRangeSummary();
    bStable = true;
    const long long nWidth = static_cast<long long>(bounds.nLastColumn) - bounds.nFirstColumn + 1;
    for (LONG nRow = bounds.nFirstRow; nRow <= bounds.nLastRow; ++nRow) {
        for (LONG nColumn = bounds.nFirstColumn; nColumn <= bounds.nLastColumn; ++nColumn) {
            bool bCellStable = false;
            const FormulaRangePiece piece = ReadPiece(nRow, nColumn, bCellStable);
            if (!piece.bUsable)
                return false;
            bStable = bStable && bCellStable;
            summary.Append(piece, (static_cast<long long>(nRow) - bounds.nFirstRow) * nWidth +
                                      (nColumn - bounds.nFirstColumn));
        }
    }
    return true;
}

bool CFormulaEngine::AggregateOverRange(WORD nFunctionId, const FormulaReference& ref, CString& strValue)
{
    if (m_pSource == nullptr || !IsAggregate(nFunctionId))
        return false;
    // The part of the range inside the grid, as RangeValue walks it.
    RangeBounds bounds;
    bounds.nFirstRow = std::max<LONG>(ref.nFirstRow, 0);
    bounds.nFirstColumn = std::max<LONG>(ref.nFirstColumn, 0);
    bounds.nLastRow = std::min<LONG>(ref.nLastRow, m_pSource->GetRowCount() - 1);
    bounds.nLastColumn = std::min<LONG>(ref.nLastColumn, m_pSource->GetColumnCount() - 1);
    if (bounds.nFirstRow > bounds.nLastRow || bounds.nFirstColumn > bounds.nLastColumn) {
        bounds.nFirstRow = bounds.nFirstColumn = 0;
        bounds.nLastRow = bounds.nLastColumn = -1;
    }
    const bool bExtremes = nFunctionId == FORMULA_FN_MAX || nFunctionId == FORMULA_FN_MIN;
    const unsigned long long nEpoch = m_pSource->GetValueEpoch();

    const FormulaRangeSummary* pSummary = nullptr;
    FormulaRangeSummary fresh;
    auto kept = std::find_if(m_keptRanges.begin(), m_keptRanges.end(),
                             [&](const KeptRange& k) { return k.bounds == bounds; });
    if (kept != m_keptRanges.end() && nEpoch != 0 && kept->nEpoch == nEpoch &&
        (!bExtremes || kept->summary.bExtremesKnown)) {
        pSummary = &kept->summary;
    } else {
        bool bStable = false;
        if (bounds.nFirstRow <= bounds.nLastRow && !SummarizeRange(bounds, fresh, bStable))
            return false;
        if (kept != m_keptRanges.end())
            m_keptRanges.erase(kept);
        // Kept only when every cell read changes only with the epoch, and the
        // reading itself changed nothing.
        if (nEpoch != 0 && bStable && m_pSource->GetValueEpoch() == nEpoch) {
            if (m_keptRanges.size() >= kMaxKeptRanges)
                m_keptRanges.erase(m_keptRanges.begin());
            m_keptRanges.push_back(KeptRange{bounds, fresh, nEpoch});
        }
        pSummary = &fresh;
    }
    const FormulaRangeSummary& s = *pSummary;

    // With no value at all the function receives one empty argument.
    const bool bNone = s.nValues == 0;
    switch (nFunctionId) {
    case FORMULA_FN_SUM:
        strValue = NumberValue(bNone ? 0.0 : s.dSum);
        break;
    case FORMULA_FN_SUMSQ:
        strValue = NumberValue(bNone ? 0.0 : s.dSumSquares);
        break;
    case FORMULA_FN_AVERAGE:
        strValue = NumberValue(bNone ? 0.0 : s.dSum / static_cast<double>(s.nValues));
        break;
    case FORMULA_FN_MAX:
        strValue = bNone ? NumberValue(0.0) : (s.dMax == -DBL_MAX ? CString() : NumberValue(s.dMax));
        break;
    case FORMULA_FN_MIN:
        strValue = bNone ? NumberValue(0.0) : (s.dMin == DBL_MAX ? CString() : NumberValue(s.dMin));
        break;
    case FORMULA_FN_COUNT:
        strValue = CString(std::to_string(s.nWhole));
        break;
    case FORMULA_FN_COUNTA:
        strValue = CString(std::to_string(s.nValues));
        break;
    case FORMULA_FN_COUNTBLANK:
        strValue = CString(bNone ? "1" : "0");
        break;
    case FORMULA_FN_AND:
        strValue = CString(s.nZero > 0 ? "0" : "1");
        break;
    default:   // OR
        strValue = CString(bNone || s.nValues > s.nZero ? "1" : "0");
        break;
    }
    return true;
}

void CFormulaEngine::BeginCellChange(int nRow, int nColumn)
{
    m_pendingChange.bActive = false;
    if (m_keptRanges.empty() || m_pSource == nullptr)
        return;
    m_pendingChange.nEpoch = m_pSource->GetValueEpoch();
    m_pendingChange.nRow = nRow;
    m_pendingChange.nColumn = nColumn;
    m_pendingChange.before = FormulaRangePiece();
    if (nRow >= 0 && nColumn >= 0 && nRow < m_pSource->GetRowCount() && nColumn < m_pSource->GetColumnCount()) {
        bool bStable = false;
        m_pendingChange.before = ReadPiece(nRow, nColumn, bStable);
    }
    m_pendingChange.bActive = true;
}

void CFormulaEngine::EndCellChange(int nRow, int nColumn, bool bOnlyThatCell)
{
    const PendingChange change = m_pendingChange;
    m_pendingChange.bActive = false;
    if (m_keptRanges.empty())
        return;
    if (!change.bActive || !bOnlyThatCell || m_pSource == nullptr || change.nRow != nRow ||
        change.nColumn != nColumn || nRow < 0 || nColumn < 0 || nRow >= m_pSource->GetRowCount() ||
        nColumn >= m_pSource->GetColumnCount()) {
        m_keptRanges.clear();
        return;
    }
    const unsigned long long nEpoch = m_pSource->GetValueEpoch();
    bool bStable = false;
    const FormulaRangePiece after = ReadPiece(nRow, nColumn, bStable);
    std::vector<KeptRange> keep;
    keep.reserve(m_keptRanges.size());
    for (KeptRange& k : m_keptRanges) {
        if (k.nEpoch != change.nEpoch)
            continue;   // already out of date
        if (k.bounds.Contains(nRow, nColumn)) {
            if (!bStable)
                continue;
            const long long nWidth = static_cast<long long>(k.bounds.nLastColumn) - k.bounds.nFirstColumn + 1;
            const long long nAt = (static_cast<long long>(nRow) - k.bounds.nFirstRow) * nWidth +
                                  (nColumn - k.bounds.nFirstColumn);
            if (!k.summary.Update(change.before, after, nAt))
                continue;
        }
        k.nEpoch = nEpoch;
        keep.push_back(k);
    }
    m_keptRanges.swap(keep);
}
