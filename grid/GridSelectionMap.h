// CGridSelectionMap: the grid's map of selected cells, keyed by row and
// column, that counts its changes.
//
// It reads and writes like the hash map the selection code has always used.
// Two things are added:
//  - every write through operator[], erase, clear or assignment raises a
//    change count, so a reader that keeps a derived view (the selected cells
//    in row order, read by index) knows when to rebuild it; writes must go
//    through those members;
//  - its entries come from a pool the map owns, so selecting a whole sheet
//    does not cost one trip to the allocator per cell, and the pool is
//    reused after the selection is cleared.
#pragma once

#include "grid/GridCellTypes.h"

#include <cstdint>
#include <memory_resource>
#include <unordered_map>

namespace gridselection {

// Holds the pool; a base listed before the map, so it exists before the map
// and goes after it.
struct PoolHolder {
    std::pmr::unsynchronized_pool_resource pool;
};

typedef std::pmr::unordered_map<std::uint64_t, CGridCellPos> PooledMap;
typedef std::unordered_map<std::uint64_t, CGridCellPos> PlainMap;

}  // namespace gridselection

class CGridSelectionMap : private gridselection::PoolHolder, public gridselection::PooledMap {
    typedef gridselection::PooledMap Base;

public:
    CGridSelectionMap() : Base(&pool) {}
    CGridSelectionMap(const CGridSelectionMap&) = delete;
    CGridSelectionMap& operator=(const CGridSelectionMap& other)
    {
        if (this != &other) {
            ++m_nChanges;
            Base::operator=(other);
        }
        return *this;
    }
    CGridSelectionMap& operator=(const gridselection::PlainMap& other)
    {
        ++m_nChanges;
        Base::clear();
        Base::insert(other.begin(), other.end());
        return *this;
    }
    // A plain copy, for callers that keep a selection aside.
    operator gridselection::PlainMap() const { return gridselection::PlainMap(begin(), end()); }

    CGridCellPos& operator[](const key_type& key)
    {
        ++m_nChanges;
        return Base::operator[](key);
    }
    size_type erase(const key_type& key)
    {
        ++m_nChanges;
        return Base::erase(key);
    }
    iterator erase(const_iterator it)
    {
        ++m_nChanges;
        return Base::erase(it);
    }
    iterator erase(iterator it)
    {
        ++m_nChanges;
        return Base::erase(it);
    }
    void clear() noexcept
    {
        ++m_nChanges;
        Base::clear();
    }

    // Raised by every write; equal counts mean the same selection.
    std::uint64_t GetChangeCount() const { return m_nChanges; }

private:
    std::uint64_t m_nChanges = 0;
};
