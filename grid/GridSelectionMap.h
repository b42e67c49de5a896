// CGridSelectionMap: the grid's map of selected cells, keyed by row and
// column, that counts its changes.
//
// It is the hash map the selection code has always used; every write through
// operator[], erase, clear or assignment also raises a change count, so a
// reader that keeps a derived view (the selected cells in row order, read by
// index) knows when to rebuild it. Writes must go through those members.
#pragma once

#include "grid/GridCellTypes.h"

#include <cstdint>
#include <unordered_map>

class CGridSelectionMap : public std::unordered_map<std::uint64_t, CGridCellPos> {
    typedef std::unordered_map<std::uint64_t, CGridCellPos> Base;

public:
    CGridSelectionMap() = default;
    CGridSelectionMap(const CGridSelectionMap&) = default;
    CGridSelectionMap& operator=(const CGridSelectionMap& other)
    {
        ++m_nChanges;
        Base::operator=(other);
        return *this;
    }
    CGridSelectionMap& operator=(const Base& other)
    {
        ++m_nChanges;
        Base::operator=(other);
        return *this;
    }

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
