// CGridMergeOwnerList: the positions of the owners (top-left cells) of the
// grid's merged blocks, one entry per live block.
//
// It reads like an array (size, index, iteration in the order the entries
// are kept) and finds, adds and removes a position without searching: an
// index from position to entry sits beside the array, and a removed entry is
// replaced by the last one. Code that walks the list must therefore not rely
// on the order in which blocks were merged.
#pragma once

#include "grid/GridCellTypes.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CGridMergeOwnerList {
public:
    typedef std::vector<CGridCellPos>::const_iterator const_iterator;

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const CGridCellPos& operator[](std::size_t index) const { return m_entries[index]; }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

    // Index of the position's entry; -1 when it is not listed.
    int Find(const CGridCellPos& pos) const
    {
        auto it = m_index.find(Key(pos));
        return it == m_index.end() ? -1 : static_cast<int>(it->second);
    }
    bool Contains(const CGridCellPos& pos) const { return m_index.count(Key(pos)) != 0; }
    // Appends the position unless it is listed already; FALSE when it was.
    bool Add(const CGridCellPos& pos)
    {
        auto inserted = m_index.emplace(Key(pos), m_entries.size());
        if (!inserted.second)
            return false;
        m_entries.push_back(pos);
        return true;
    }
    // Removes the position's entry; its former index, or -1 when it was not listed.
    int Remove(const CGridCellPos& pos)
    {
        auto it = m_index.find(Key(pos));
        if (it == m_index.end())
            return -1;
        const std::size_t index = it->second;
        m_index.erase(it);
        const std::size_t last = m_entries.size() - 1;
        if (index != last) {
            m_entries[index] = m_entries[last];
            m_index[Key(m_entries[index])] = index;
        }
        m_entries.pop_back();
        return static_cast<int>(index);
    }
    void clear()
    {
        m_entries.clear();
        m_index.clear();
    }
    // Array-style appending, for callers that build the list themselves.
    void push_back(const CGridCellPos& pos) { Add(pos); }

private:
    static std::uint64_t Key(const CGridCellPos& pos)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pos.row)) << 32) |
               static_cast<std::uint32_t>(pos.col);
    }

    std::vector<CGridCellPos> m_entries;
    std::unordered_map<std::uint64_t, std::size_t> m_index;
};
