#include "grid/GridFormulaIndex.h"

#include "cellcontent/formula/FormulaReferences.h"

#include <algorithm>

namespace {

bool PosLess(const CGridCellPos& a, const CGridCellPos& b)
{
    return a.row != b.row ? a.row < b.row : a.col < b.col;
}

}  // namespace

int CGridFormulaIndex::Find(const CGridCellPos& pos) const
{
    auto it = m_byPos.find(Key(pos));
    return it != m_byPos.end() ? it->second : -1;
}

void CGridFormulaIndex::Extract(Entry& entry, const CFormulaTokenList& list)
{
    entry.cells.clear();
    entry.ranges.clear();
    for (const CFormulaToken& token : list) {
        const CFormulaOperandObject* pOperand = token.GetOperand();
        if (pOperand == nullptr || IsInvalidFormulaReference(*pOperand))
            continue;
        const FormulaReference& ref = pOperand->ref;
        if (pOperand->nKind == FORMULA_OPERAND_CELL) {
            entry.cells.push_back(CGridCellPos(ref.nFirstRow, ref.nFirstColumn));
        } else if (pOperand->nKind == FORMULA_OPERAND_RANGE) {
            entry.ranges.push_back(CGridCellRange(std::min(ref.nFirstRow, ref.nLastRow),
                                                  std::min(ref.nFirstColumn, ref.nLastColumn),
                                                  std::max(ref.nFirstRow, ref.nLastRow),
                                                  std::max(ref.nFirstColumn, ref.nLastColumn)));
        }
    }
    std::sort(entry.cells.begin(), entry.cells.end(), PosLess);
    entry.cells.erase(std::unique(entry.cells.begin(), entry.cells.end()), entry.cells.end());
}

int CGridFormulaIndex::Set(const CGridCellPos& pos, const void* pCell, unsigned long long nStamp,
                           const CFormulaTokenList& list)
{
    int nId = Find(pos);
    if (nId >= 0) {
        Entry& entry = m_entries[static_cast<size_t>(nId)];
        if (entry.pCell == pCell && entry.nStamp == nStamp)
            return nId;
        RemoveReaders(nId);
    } else {
        if (!m_freeIds.empty()) {
            nId = m_freeIds.back();
            m_freeIds.pop_back();
        } else {
            nId = static_cast<int>(m_entries.size());
            m_entries.emplace_back();
        }
        Entry& entry = m_entries[static_cast<size_t>(nId)];
        entry.pos = pos;
        entry.bLive = true;
        entry.nOrder = m_nNextOrder++;
        m_byPos[Key(pos)] = nId;
        ++m_nLive;
    }
    Entry& entry = m_entries[static_cast<size_t>(nId)];
    entry.pCell = pCell;
    entry.nStamp = nStamp;
    Extract(entry, list);
    AddReaders(nId);
    ++m_nEpoch;
    return nId;
}

void CGridFormulaIndex::Remove(int nId)
{
    if (nId < 0 || nId >= GetCapacity() || !m_entries[static_cast<size_t>(nId)].bLive)
        return;
    RemoveReaders(nId);
    Entry& entry = m_entries[static_cast<size_t>(nId)];
    auto it = m_byPos.find(Key(entry.pos));
    if (it != m_byPos.end() && it->second == nId)
        m_byPos.erase(it);
    entry = Entry();
    m_freeIds.push_back(nId);
    --m_nLive;
    ++m_nEpoch;
}

void CGridFormulaIndex::Clear()
{
    m_entries.clear();
    m_freeIds.clear();
    m_nLive = 0;
    m_byPos.clear();
    m_cellReaders.clear();
    m_rangeReaders.clear();
    m_nDeadRanges = 0;
    m_rangeBounds.Set();
    m_bReadersDirty = false;
    ++m_nEpoch;
}

void CGridFormulaIndex::InvalidateReaders()
{
    m_cellReaders.clear();
    m_rangeReaders.clear();
    m_nDeadRanges = 0;
    m_rangeBounds.Set();
    for (Entry& entry : m_entries)
        entry.rangeSlots.clear();
    m_bReadersDirty = true;
}

void CGridFormulaIndex::RebuildPositions()
{
    m_byPos.clear();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].bLive)
            m_byPos[Key(m_entries[i].pos)] = static_cast<int>(i);
    }
    ++m_nEpoch;
}

// --- the reverse tables ----------------------------------------------------------------

void CGridFormulaIndex::AddReaders(int nId)
{
    if (m_bReadersDirty)
        return;
    Entry& entry = m_entries[static_cast<size_t>(nId)];
    for (const CGridCellPos& cell : entry.cells)
        m_cellReaders[Key(cell)].push_back(nId);
    entry.rangeSlots.clear();
    for (const CGridCellRange& range : entry.ranges) {
        entry.rangeSlots.push_back(static_cast<int>(m_rangeReaders.size()));
        m_rangeReaders.push_back({range, nId});
        if (m_rangeBounds.IsNone()) {
            m_rangeBounds = range;
        } else {
            m_rangeBounds.SetMinRow(std::min(m_rangeBounds.GetMinRow(), range.GetMinRow()));
            m_rangeBounds.SetMinCol(std::min(m_rangeBounds.GetMinCol(), range.GetMinCol()));
            m_rangeBounds.SetMaxRow(std::max(m_rangeBounds.GetMaxRow(), range.GetMaxRow()));
            m_rangeBounds.SetMaxCol(std::max(m_rangeBounds.GetMaxCol(), range.GetMaxCol()));
        }
    }
}

void CGridFormulaIndex::RemoveReaders(int nId)
{
    if (m_bReadersDirty)
        return;
    Entry& entry = m_entries[static_cast<size_t>(nId)];
    for (const CGridCellPos& cell : entry.cells) {
        auto it = m_cellReaders.find(Key(cell));
        if (it == m_cellReaders.end())
            continue;
        std::vector<int>& ids = it->second;
        ids.erase(std::remove(ids.begin(), ids.end(), nId), ids.end());
        if (ids.empty())
            m_cellReaders.erase(it);
    }
    for (int nSlot : entry.rangeSlots) {
        m_rangeReaders[static_cast<size_t>(nSlot)].nId = -1;
        ++m_nDeadRanges;
    }
    entry.rangeSlots.clear();
    // Mostly dead slots are swept out (and the bounds drawn in again).
    if (m_nDeadRanges > 64 && m_nDeadRanges * 2 > static_cast<int>(m_rangeReaders.size()))
        InvalidateReaders();
}

void CGridFormulaIndex::EnsureReaders()
{
    if (!m_bReadersDirty)
        return;
    m_bReadersDirty = false;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].bLive)
            AddReaders(static_cast<int>(i));
    }
}

unsigned CGridFormulaIndex::NewMark()
{
    if (m_marks.size() < m_entries.size())
        m_marks.resize(m_entries.size(), 0);
    if (++m_nMark == 0) {
        std::fill(m_marks.begin(), m_marks.end(), 0);
        m_nMark = 1;
    }
    return m_nMark;
}

void CGridFormulaIndex::ReadersOf(const CGridCellPos& pos, std::vector<int>& ids)
{
    ids.clear();
    if (m_nLive == 0)
        return;
    EnsureReaders();
    auto it = m_cellReaders.find(Key(pos));
    const bool bInRanges = !m_rangeBounds.IsNone() && m_rangeBounds.InRange(pos.row, pos.col);
    if (it == m_cellReaders.end() && !bInRanges)
        return;
    const unsigned mark = NewMark();
    auto take = [&](int nId) {
        unsigned& m = m_marks[static_cast<size_t>(nId)];
        if (m != mark) {
            m = mark;
            ids.push_back(nId);
        }
    };
    if (it != m_cellReaders.end()) {
        for (int nId : it->second)
            take(nId);
    }
    if (bInRanges) {
        for (const RangeReader& reader : m_rangeReaders) {
            if (reader.nId >= 0 && reader.range.InRange(pos.row, pos.col))
                take(reader.nId);
        }
    }
}

void CGridFormulaIndex::FormulasIn(const CGridCellRange& range, std::vector<int>& ids) const
{
    ids.clear();
    if (m_nLive == 0 || !range.IsValid())
        return;
    if (range.GetCellCount() <= static_cast<long long>(m_nLive)) {
        for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
            for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
                const int nId = Find(CGridCellPos(row, col));
                if (nId >= 0)
                    ids.push_back(nId);
            }
        }
        return;
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.bLive && range.InRange(entry.pos.row, entry.pos.col))
            ids.push_back(static_cast<int>(i));
    }
    std::sort(ids.begin(), ids.end(),
              [this](int a, int b) { return PosLess(At(a).pos, At(b).pos); });
}

void CGridFormulaIndex::PrecedentsOf(int nId, std::vector<int>& ids)
{
    ids.clear();
    const unsigned mark = NewMark();
    auto take = [&](int nOther) {
        unsigned& m = m_marks[static_cast<size_t>(nOther)];
        if (m != mark) {
            m = mark;
            ids.push_back(nOther);
        }
    };
    const Entry& entry = m_entries[static_cast<size_t>(nId)];
    for (const CGridCellPos& cell : entry.cells) {
        const int nOther = Find(cell);
        if (nOther >= 0)
            take(nOther);
    }
    std::vector<int> inRange;
    for (const CGridCellRange& range : entry.ranges) {
        FormulasIn(range, inRange);
        for (int nOther : inRange)
            take(nOther);
    }
}

bool CGridFormulaIndex::Reads(int nId, const CGridCellPos& pos) const
{
    const Entry& entry = m_entries[static_cast<size_t>(nId)];
    if (std::binary_search(entry.cells.begin(), entry.cells.end(), pos, PosLess))
        return true;
    for (const CGridCellRange& range : entry.ranges) {
        if (range.InRange(pos.row, pos.col))
            return true;
    }
    return false;
}

std::vector<int> CGridFormulaIndex::IdsInOrder() const
{
    std::vector<int> ids;
    ids.reserve(static_cast<size_t>(m_nLive));
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].bLive)
            ids.push_back(static_cast<int>(i));
    }
    std::sort(ids.begin(), ids.end(), [this](int a, int b) { return At(a).nOrder < At(b).nOrder; });
    return ids;
}
