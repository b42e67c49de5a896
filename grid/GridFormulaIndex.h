// CGridFormulaIndex: the grid's record of its formula cells and of what each
// of them reads, so that a change reaches the formulas that read the changed
// cell without walking all formulas.
//
// One entry per formula cell position (a cell registered again keeps its
// entry): the position, the cell it found there (compared, never followed),
// the cell's formula stamp at the time, the order of registration, and the
// valid references of the compiled form: single cells and ranges. Two reverse
// tables answer "who reads this cell": a hash table of single-cell readers and
// a list of range readers inside their common bounding box.
//
// The index holds only what it was told; the grid checks an entry against the
// cell it finds before it trusts it (GridCtrlFormula*.cpp). Entry ids stay
// fixed while the entry lives; a removed entry's id may be reused.
#pragma once

#include "cellcontent/formula/FormulaToken.h"
#include "grid/GridCellTypes.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CGridFormulaIndex {
public:
    struct Entry {
        CGridCellPos pos;
        const void* pCell = nullptr;          // compared only
        unsigned long long nStamp = 0;
        unsigned long long nOrder = 0;        // registration order
        std::vector<CGridCellPos> cells;      // single-cell references, sorted, no repeats
        std::vector<CGridCellRange> ranges;   // range references, corners ordered
        std::vector<int> rangeSlots;          // where its ranges sit in the range-reader list
        bool bLive = false;
    };

    bool IsEmpty() const { return m_nLive == 0; }
    int GetCount() const { return m_nLive; }
    // Ids are below this.
    int GetCapacity() const { return static_cast<int>(m_entries.size()); }
    const Entry& At(int nId) const { return m_entries[static_cast<size_t>(nId)]; }
    // The id of the entry at the position, -1 when none.
    int Find(const CGridCellPos& pos) const;
    // Changes with every change of the entries (added, removed, moved or
    // re-recorded), so a walk can tell that the index changed under it.
    unsigned long long GetEpoch() const { return m_nEpoch; }

    // Records the formula cell at the position (a new entry, or the entry
    // there re-recorded); answers its id.
    int Set(const CGridCellPos& pos, const void* pCell, unsigned long long nStamp, const CFormulaTokenList& list);
    void Remove(int nId);
    void Clear();
    // Drops the reverse tables; they are built again, once, when next asked.
    // For changes that re-record many entries at once.
    void InvalidateReaders();
    // Moves every entry to map(pos); an entry mapped outside (row or column
    // below 0) is removed. The references are re-recorded by the caller
    // (Set) afterwards.
    template <class Map>
    void MovePositions(Map map)
    {
        for (size_t i = 0; i < m_entries.size(); ++i) {
            Entry& entry = m_entries[i];
            if (!entry.bLive)
                continue;
            const CGridCellPos to = map(entry.pos);
            if (!to.IsValid())
                Remove(static_cast<int>(i));
            else
                entry.pos = to;
        }
        RebuildPositions();
    }

    // The ids of the formulas that read the cell (by a single reference or a
    // range holding it), each once, in no particular order.
    void ReadersOf(const CGridCellPos& pos, std::vector<int>& ids);
    // The ids of the formulas that lie in the range, rows then columns.
    void FormulasIn(const CGridCellRange& range, std::vector<int>& ids) const;
    // The ids of the formulas the entry reads, each once.
    void PrecedentsOf(int nId, std::vector<int>& ids);
    // Whether the entry reads the cell.
    bool Reads(int nId, const CGridCellPos& pos) const;
    // Every live id in registration order.
    std::vector<int> IdsInOrder() const;

private:
    struct RangeReader {
        CGridCellRange range;
        int nId;   // -1: a slot of a removed entry
    };

    static std::uint64_t Key(const CGridCellPos& pos)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pos.row)) << 32) |
               static_cast<std::uint32_t>(pos.col);
    }
    static void Extract(Entry& entry, const CFormulaTokenList& list);
    void AddReaders(int nId);
    void RemoveReaders(int nId);
    void EnsureReaders();
    void RebuildPositions();
    // A fresh mark for collecting ids without repeats.
    unsigned NewMark();

    std::vector<Entry> m_entries;
    std::vector<int> m_freeIds;
    int m_nLive = 0;
    unsigned long long m_nNextOrder = 0;
    unsigned long long m_nEpoch = 0;
    std::unordered_map<std::uint64_t, int> m_byPos;
    std::unordered_map<std::uint64_t, std::vector<int>> m_cellReaders;
    std::vector<RangeReader> m_rangeReaders;
    int m_nDeadRanges = 0;
    CGridCellRange m_rangeBounds;   // none while there is no range reader
    bool m_bReadersDirty = false;   // the reverse tables wait to be rebuilt
    std::vector<unsigned> m_marks;
    unsigned m_nMark = 0;
};
