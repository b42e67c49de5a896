// CGridPositionIndex: the sizes of a grid's rows (or columns) and where each
// line begins.
//
// The sizes are kept as the grid stores them (unsigned pixels, one per line,
// 0 for a hidden line), behind the same calls as CUIntArray, so code that
// changes sizes or moves lines needs no other step. Beside them the index
// keeps running sums of the zoomed sizes (a Fenwick tree: node i holds the
// sum of the zoomed sizes of lines (i - lowbit(i), i], counted from 1), so
// that where a line begins, which line holds an offset and how long a run of
// lines is are answered in logarithmic time however many lines there are.
//
// A zoomed size is the size multiplied by the zoom factor and truncated, line
// by line, so every sum is the sum of the truncated sizes the layout adds.
//
// Changing one size updates the sums at once. Inserting, removing, resizing
// and a zoom change only note from which node on the sums are stale; the next
// question rebuilds those nodes in one pass, which costs only the lines from
// the change to the end (appending rows rebuilds just the new ones).
//
// There is deliberately no writable reference into the sizes (ElementAt, a
// writable operator[] or GetData): every write goes through SetAt so the sums
// follow it.
#pragma once

#include "base/WinTypes.h"

#include <vector>

class CGridPositionIndex {
public:
    CGridPositionIndex() = default;

    // --- the sizes, as CUIntArray answers them ------------------------------
    int GetSize() const { return static_cast<int>(m_sizes.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_sizes.empty(); }
    // New lines get size 0; a negative size gives an empty index.
    void SetSize(int nNewSize, int nGrowBy = -1);
    // 0 outside [0, GetSize()).
    UINT GetAt(int nIndex) const { return IsValid(nIndex) ? m_sizes[static_cast<size_t>(nIndex)] : 0; }
    UINT operator[](int nIndex) const { return GetAt(nIndex); }
    const UINT* GetData() const { return m_sizes.empty() ? nullptr : m_sizes.data(); }
    std::vector<UINT>::const_iterator begin() const { return m_sizes.begin(); }
    std::vector<UINT>::const_iterator end() const { return m_sizes.end(); }
    // Ignored outside [0, GetSize()).
    void SetAt(int nIndex, UINT nSize);
    // Grows the index first when nIndex is past the end; a negative index is ignored.
    void SetAtGrow(int nIndex, UINT nSize);
    int Add(UINT nSize);
    // nCount lines of nSize before nIndex (0..GetSize(); otherwise ignored).
    void InsertAt(int nIndex, UINT nSize, int nCount = 1);
    // nCount lines from nIndex, clamped to the end; a bad index is ignored.
    void RemoveAt(int nIndex, int nCount = 1);
    void RemoveAll();

    // --- zoom ----------------------------------------------------------------
    // The factor the running sums multiply every size by (1.0 at first).
    void SetZoom(double dZoom);
    double GetZoom() const { return m_dZoom; }
    // nSize times dZoom, truncated (nSize itself at 1.0), within int.
    static int Zoom(int nSize, double dZoom);
    // The zoomed size of a line (never below 0); 0 outside the index.
    int GetZoomedAt(int nIndex) const;

    // --- running sums of the zoomed sizes --------------------------------------
    // The sum of lines [0, nEnd), nEnd clamped to [0, GetSize()).
    long long Prefix(int nEnd) const;
    // The sum of lines [nFirst, nEnd), both clamped; 0 when nEnd <= nFirst.
    long long Sum(int nFirst, int nEnd) const;
    long long Total() const { return Prefix(GetSize()); }
    // The smallest n in [0, GetSize()] with Prefix(n) >= llTarget;
    // GetSize() + 1 when even the whole total is below it.
    int LowerBound(long long llTarget) const;
    // The line that holds the offset from the first line's start:
    // Prefix(i) <= llOffset < Prefix(i + 1). Lines of size 0 hold no offset.
    // -1 before the first line, GetSize() at or past the total.
    int LineAt(long long llOffset) const;

private:
    bool IsValid(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }
    int ZoomedSize(UINT nSize) const;
    // Brings nodes m_nValid + 1 .. GetSize() up to date.
    void Refresh() const;
    void Invalidate(int nFromNode)
    {
        if (nFromNode < m_nValid)
            m_nValid = nFromNode < 0 ? 0 : nFromNode;
    }

    std::vector<UINT> m_sizes;
    double m_dZoom = 1.0;
    // Node i (1-based) of the Fenwick tree; nodes 1..m_nValid are up to date.
    mutable std::vector<long long> m_tree = std::vector<long long>(1, 0);
    mutable int m_nValid = 0;
};
