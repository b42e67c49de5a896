// Binds following inserted and deleted rows and columns: what a bind holds by
// line index (its start, its fields' cells, its caption column, the rows its
// last fill wrote) keeps naming the same lines, so the next fill writes where
// the last one did and never over lines inserted above it.
#include "binding/BindInfoList.h"

#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

// A line after nCount lines were inserted at nFirst (nCount > 0) or -nCount
// deleted from nFirst: -1 for a deleted line; unset (negative) lines stay.
int LineAfter(int line, int nFirst, int nCount)
{
    if (line < 0 || line < nFirst)
        return line;
    if (nCount > 0)
        return line + nCount;
    if (line >= nFirst - nCount)
        return line + nCount;
    return -1;
}

// A line that moves with its neighbours and is never dropped: a deleted line
// gives the line that now stands in its place.
int LineOrNext(int line, int nFirst, int nCount)
{
    const int after = LineAfter(line, nFirst, nCount);
    return after < 0 && line >= 0 ? nFirst : after;
}

}  // namespace

void CBindInfo::FollowLines(bool bRows, int nFirst, int nCount, int nBodyFillBefore)
{
    if (nCount == 0)
        return;
    // A bottom bind after a body writes its field at the field's row plus the
    // body's fill count less one: the row it writes is what follows the lines.
    const bool belowBody = bRows && FillType == BFT_BOTTOM && m_pBodyBind != nullptr;
    const int offsetBefore = belowBody ? nBodyFillBefore - 1 : 0;
    const int offsetAfter = belowBody ? m_pBodyBind->GetFillCount() - 1 : 0;

    // A start left unset means the first row below the fixed rows; once
    // lines move before it, the bind keeps its rows by an explicit start.
    int start = nFillStartRow;
    if (bRows && start < 0 && m_pGrid != nullptr)
        start = m_pGrid->GetFixedRowCount();
    // The rows the last fill of a body wrote: [start, start + count).
    if (bRows && FillType == BFT_BODY && m_nFillCount > 0 && start >= 0) {
        const int first = start;
        const int end = first + m_nFillCount;
        if (nCount > 0) {
            if (nFirst > first && nFirst < end)
                m_nFillCount += nCount;
        } else {
            const int cut = std::min(end, nFirst - nCount) - std::max(first, nFirst);
            if (cut > 0) {
                m_nFillCount -= cut;
                m_nFilledRows = std::max(0, std::min(m_nFilledRows, m_nFillCount));
            }
        }
    }
    if (bRows) {
        const int moved = LineOrNext(start, nFirst, nCount);
        if (nFillStartRow >= 0 || moved != start)
            nFillStartRow = moved;
    } else {
        nFillStartCol = LineOrNext(nFillStartCol, nFirst, nCount);
        m_groupRow.nGroupNameDefCol = LineAfter(m_groupRow.nGroupNameDefCol, nFirst, nCount);
    }

    // Each field's cell. A body bind writes its fields in the rows of its
    // records, so only their columns name a cell of their own there.
    const bool rowsNameCells = FillType != BFT_BODY;
    for (int i = m_fields.GetCount() - 1; i >= 0; --i) {
        CBindFieldInfo field;
        if (!m_fields.GetField(i, field))
            continue;
        if (bRows) {
            if (field.nRow < 0)
                continue;
            const int written = field.nRow + offsetBefore;
            const int after = rowsNameCells ? LineAfter(written, nFirst, nCount) : LineOrNext(written, nFirst, nCount);
            if (after < 0) {
                m_fields.DeleteField(i);
                continue;
            }
            field.nRow = std::max(0, after - offsetAfter);
        } else {
            if (field.nCol < 0)
                continue;
            const int after = LineAfter(field.nCol, nFirst, nCount);
            if (after < 0) {
                m_fields.DeleteField(i);
                continue;
            }
            field.nCol = after;
        }
        m_fields.SetField(i, field);
    }
}

void CBindInfoList::FollowLines(bool bRows, int nFirst, int nCount)
{
    if (m_nFilling > 0 || nCount == 0)
        return;
    // Bodies first: a bottom bind counts its rows below its body's new fill.
    std::vector<int> fillBefore;
    fillBefore.reserve(m_binds.size());
    for (const std::unique_ptr<CBindInfo>& pBind : m_binds)
        fillBefore.push_back(pBind->GetFillCount());
    auto bodyFillBefore = [&](const CBindInfo& bind) {
        for (size_t i = 0; i < m_binds.size(); ++i) {
            if (m_binds[i].get() == bind.GetBodyBind())
                return fillBefore[i];
        }
        return bind.GetBodyBind() != nullptr ? bind.GetBodyBind()->GetFillCount() : 0;
    };
    for (const std::unique_ptr<CBindInfo>& pBind : m_binds) {
        if (pBind->FillType != BFT_BOTTOM || pBind->GetBodyBind() == nullptr)
            pBind->FollowLines(bRows, nFirst, nCount, 0);
    }
    for (const std::unique_ptr<CBindInfo>& pBind : m_binds) {
        if (pBind->FillType == BFT_BOTTOM && pBind->GetBodyBind() != nullptr)
            pBind->FollowLines(bRows, nFirst, nCount, bodyFillBefore(*pBind));
    }
}

void CBindInfoList::RetargetLine(bool bRows, int nSource, int nTarget)
{
    if (m_nFilling > 0)
        return;
    // A bind's start begins a run of lines: it stays with the run, not with
    // the one line moved away from it.
    for (const std::unique_ptr<CBindInfo>& pBind : m_binds) {
        CBindInfo& bind = *pBind;
        if (!bRows && bind.GetGroupRowInfo().nGroupNameDefCol == nSource)
            bind.GetGroupRowInfo().nGroupNameDefCol = nTarget;
        CBindFieldInfoList& fields = bind.GetFieldList();
        for (int i = 0; i < fields.GetCount(); ++i) {
            CBindFieldInfo field;
            if (!fields.GetField(i, field) || (bRows ? field.nRow : field.nCol) != nSource)
                continue;
            (bRows ? field.nRow : field.nCol) = nTarget;
            fields.SetField(i, field);
        }
    }
}
