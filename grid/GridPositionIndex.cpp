#include "grid/GridPositionIndex.h"

#include <algorithm>
#include <climits>

namespace {

inline int LowBit(int n) { return n & -n; }

}  // namespace

// --- the sizes -------------------------------------------------------------------------

void CGridPositionIndex::SetSize(int nNewSize, int nGrowBy)
{
    (void)nGrowBy;
    int n = std::max(0, nNewSize);
    m_sizes.resize(static_cast<size_t>(n));
    // Nodes up to the new end cover only lines that stay.
    Invalidate(n);
}

void CGridPositionIndex::SetAt(int nIndex, UINT nSize)
{
    if (!IsValid(nIndex))
        return;
    UINT& slot = m_sizes[static_cast<size_t>(nIndex)];
    long long delta = static_cast<long long>(ZoomedSize(nSize)) - ZoomedSize(slot);
    slot = nSize;
    if (delta == 0)
        return;
    for (int node = nIndex + 1; node <= m_nValid; node += LowBit(node))
        m_tree[static_cast<size_t>(node)] += delta;
}

void CGridPositionIndex::SetAtGrow(int nIndex, UINT nSize)
{
    if (nIndex < 0)
        return;
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
    SetAt(nIndex, nSize);
}

int CGridPositionIndex::Add(UINT nSize)
{
    m_sizes.push_back(nSize);
    return GetSize() - 1;
}

void CGridPositionIndex::InsertAt(int nIndex, UINT nSize, int nCount)
{
    if (nIndex < 0 || nIndex > GetSize() || nCount <= 0)
        return;
    m_sizes.insert(m_sizes.begin() + nIndex, static_cast<size_t>(nCount), nSize);
    Invalidate(nIndex);
}

void CGridPositionIndex::RemoveAt(int nIndex, int nCount)
{
    if (!IsValid(nIndex) || nCount <= 0)
        return;
    int nLast = nCount > GetSize() - nIndex ? GetSize() : nIndex + nCount;
    m_sizes.erase(m_sizes.begin() + nIndex, m_sizes.begin() + nLast);
    Invalidate(nIndex);
}

void CGridPositionIndex::RemoveAll()
{
    m_sizes.clear();
    m_tree.assign(1, 0);
    m_nValid = 0;
}

// --- zoom ----------------------------------------------------------------------------------

void CGridPositionIndex::SetZoom(double dZoom)
{
    if (dZoom == m_dZoom)
        return;
    m_dZoom = dZoom;
    Invalidate(0);
}

int CGridPositionIndex::Zoom(int nSize, double dZoom)
{
    if (dZoom == 1.0)
        return nSize;
    double d = nSize * dZoom;
    if (!(d == d))
        return 0;
    if (d >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (d <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(d);
}

int CGridPositionIndex::ZoomedSize(UINT nSize) const
{
    int n = nSize > static_cast<UINT>(INT_MAX) ? INT_MAX : static_cast<int>(nSize);
    return std::max(0, Zoom(n, m_dZoom));
}

int CGridPositionIndex::GetZoomedAt(int nIndex) const
{
    return IsValid(nIndex) ? ZoomedSize(m_sizes[static_cast<size_t>(nIndex)]) : 0;
}

// --- running sums --------------------------------------------------------------------------

// Node i's final value is its own line plus the final values of its children
// (the nodes c with c + lowbit(c) == i). Nodes up to m_nValid are final; the
// ones among them whose parent lies beyond are exactly the nodes a prefix
// query of m_nValid visits, so they are added to their parents first, then
// every stale node from m_nValid + 1 on is completed in ascending order and
// added to its own parent.
void CGridPositionIndex::Refresh() const
{
    const int n = GetSize();
    if (m_nValid >= n) {
        m_nValid = n;
        return;
    }
    m_tree.resize(static_cast<size_t>(n) + 1);
    for (int node = m_nValid + 1; node <= n; ++node)
        m_tree[static_cast<size_t>(node)] = ZoomedSize(m_sizes[static_cast<size_t>(node - 1)]);
    for (int child = m_nValid; child > 0; child -= LowBit(child)) {
        int parent = child + LowBit(child);
        if (parent <= n)
            m_tree[static_cast<size_t>(parent)] += m_tree[static_cast<size_t>(child)];
    }
    for (int node = m_nValid + 1; node <= n; ++node) {
        int parent = node + LowBit(node);
        if (parent <= n)
            m_tree[static_cast<size_t>(parent)] += m_tree[static_cast<size_t>(node)];
    }
    m_nValid = n;
}

long long CGridPositionIndex::Prefix(int nEnd) const
{
    nEnd = std::min(std::max(nEnd, 0), GetSize());
    if (nEnd > m_nValid)
        Refresh();
    long long sum = 0;
    for (int node = nEnd; node > 0; node -= LowBit(node))
        sum += m_tree[static_cast<size_t>(node)];
    return sum;
}

long long CGridPositionIndex::Sum(int nFirst, int nEnd) const
{
    if (nEnd <= nFirst)
        return 0;
    return Prefix(nEnd) - Prefix(nFirst);
}

int CGridPositionIndex::LowerBound(long long llTarget) const
{
    if (llTarget <= 0)
        return 0;
    const int n = GetSize();
    Refresh();
    // The largest position whose prefix stays below the target, found by
    // descending from the highest power of two.
    int nStep = 1;
    while (nStep <= n / 2)
        nStep <<= 1;
    int nPos = 0;
    long long llRest = llTarget;
    for (; nStep > 0; nStep >>= 1) {
        int next = nPos + nStep;
        if (next <= n && m_tree[static_cast<size_t>(next)] < llRest) {
            nPos = next;
            llRest -= m_tree[static_cast<size_t>(next)];
        }
    }
    return nPos + 1;
}

int CGridPositionIndex::LineAt(long long llOffset) const
{
    if (llOffset < 0)
        return -1;
    return std::min(LowerBound(llOffset + 1) - 1, GetSize());
}
