// CGridPositionIndex: the sizes of a grid's rows (or columns) and where each
// line begins.
//
// The sizes are kept as the grid stores them (unsigned pixels, one per line,
// 0 for a hidden line), behind the same calls as CUIntArray, so code that
// changes sizes or moves lines needs no other step. Beside them the index
// keeps running sums of the zoomed sizes, in two levels: the sum of each
// block of 64 lines, and a Fenwick tree over the block sums (node j holds the
// sum of blocks (j - lowbit(j), j], counted from 1). Where a line begins,
// which line holds an offset and how long a run of lines is are answered from
// the tree and at most one block's lines, so in logarithmic time however many
// lines there are.
//
// A zoomed size is the size multiplied by the zoom factor and truncated, line
// by line, so every sum is the sum of the truncated sizes the layout adds.
//
// Changing one size updates its block and the tree at once. Inserting,
// removing, resizing and a zoom change only note from which block on the sums
// are stale; the next question adds those blocks up again in one sequential
// pass over the sizes and rebuilds the small tree (appending rows adds up
// just the new blocks).
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
    // Every line gets nSize; the sums are added up again at the next question.
    void Fill(UINT nSize);

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
    static const int kBlockShift = 6;
    static const int kBlockLines = 1 << kBlockShift;

    bool IsValid(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }
    int ZoomedSize(UINT nSize) const;
    // The zoomed sizes of lines [nFirst, nEnd), added one by one.
    long long LineSum(int nFirst, int nEnd) const;
    // The sum of blocks [0, nBlocks) from the tree.
    long long BlockPrefix(int nBlocks) const;
    // Brings the block sums and tree nodes from m_nValid on up to date.
    void Refresh() const;
    // The sums of the block holding nLine and of every later one are stale.
    void Invalidate(int nLine)
    {
        int nBlock = (nLine < 0 ? 0 : nLine) >> kBlockShift;
        if (nBlock < m_nValid)
            m_nValid = nBlock;
    }

    std::vector<UINT> m_sizes;
    double m_dZoom = 1.0;
    // The zoomed sum of each block of lines (the last one may be short), and
    // the tree over them (node 0 unused). Blocks [0, m_nValid) and nodes
    // 1..m_nValid are up to date.
    mutable std::vector<long long> m_blockSums;
    mutable std::vector<long long> m_tree = std::vector<long long>(1, 0);
    mutable int m_nValid = 0;
};
