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
    // The block where the old and the new end meet gains or loses lines.
    Invalidate(std::min(n, GetSize()));
    m_sizes.resize(static_cast<size_t>(n));
}

void CGridPositionIndex::SetAt(int nIndex, UINT nSize)
{
    if (!IsValid(nIndex))
        return;
    UINT& slot = m_sizes[static_cast<size_t>(nIndex)];
    long long delta = static_cast<long long>(ZoomedSize(nSize)) - ZoomedSize(slot);
    slot = nSize;
    const int nBlock = nIndex >> kBlockShift;
    if (delta == 0 || nBlock >= m_nValid)
        return;
    m_blockSums[static_cast<size_t>(nBlock)] += delta;
    for (int node = nBlock + 1; node <= m_nValid; node += LowBit(node))
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
    Invalidate(GetSize());
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
    m_blockSums.clear();
    m_tree.assign(1, 0);
    m_nValid = 0;
}

void CGridPositionIndex::Fill(UINT nSize)
{
    std::fill(m_sizes.begin(), m_sizes.end(), nSize);
    Invalidate(0);
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

long long CGridPositionIndex::LineSum(int nFirst, int nEnd) const
{
    const UINT* sizes = m_sizes.data();
    long long sum = 0;
    if (m_dZoom == 1.0) {
        for (int i = nFirst; i < nEnd; ++i)
            sum += std::min<UINT>(sizes[i], INT_MAX);
    } else {
        for (int i = nFirst; i < nEnd; ++i)
            sum += ZoomedSize(sizes[i]);
    }
    return sum;
}

long long CGridPositionIndex::BlockPrefix(int nBlocks) const
{
    long long sum = 0;
    for (int node = nBlocks; node > 0; node -= LowBit(node))
        sum += m_tree[static_cast<size_t>(node)];
    return sum;
}

// The stale blocks are added up from their lines; then every stale tree node,
// in ascending order, takes its own block plus its children (the nodes j - k
// for every power of two k below lowbit(j)), which are final by then.
void CGridPositionIndex::Refresh() const
{
    const int n = GetSize();
    const int nBlocks = (n + kBlockLines - 1) >> kBlockShift;
    if (m_nValid >= nBlocks) {
        m_nValid = nBlocks;
        return;
    }
    m_blockSums.resize(static_cast<size_t>(nBlocks));
    m_tree.resize(static_cast<size_t>(nBlocks) + 1);
    for (int b = m_nValid; b < nBlocks; ++b) {
        int nFirst = b << kBlockShift;
        m_blockSums[static_cast<size_t>(b)] = LineSum(nFirst, std::min(n, nFirst + kBlockLines));
    }
    for (int node = m_nValid + 1; node <= nBlocks; ++node) {
        long long sum = m_blockSums[static_cast<size_t>(node) - 1];
        const int nLow = LowBit(node);
        for (int k = 1; k < nLow; k <<= 1)
            sum += m_tree[static_cast<size_t>(node - k)];
        m_tree[static_cast<size_t>(node)] = sum;
    }
    m_nValid = nBlocks;
}

long long CGridPositionIndex::Prefix(int nEnd) const
{
    nEnd = std::min(std::max(nEnd, 0), GetSize());
    Refresh();
    const int nBlock = nEnd >> kBlockShift;
    return BlockPrefix(nBlock) + LineSum(nBlock << kBlockShift, nEnd);
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
    Refresh();
    const int n = GetSize();
    const int nBlocks = m_nValid;
    // The most whole blocks whose sum stays below the target, found by
    // descending from the highest power of two ...
    int nStep = 1;
    while (nStep <= nBlocks / 2)
        nStep <<= 1;
    int nBlock = 0;
    long long llRest = llTarget;
    for (; nStep > 0; nStep >>= 1) {
        int next = nBlock + nStep;
        if (next <= nBlocks && m_tree[static_cast<size_t>(next)] < llRest) {
            nBlock = next;
            llRest -= m_tree[static_cast<size_t>(next)];
        }
    }
    // ... then the line of the next block that reaches it.
    const UINT* sizes = m_sizes.data();
    const int nEnd = std::min(n, (nBlock + 1) << kBlockShift);
    for (int i = nBlock << kBlockShift; i < nEnd; ++i) {
        llRest -= ZoomedSize(sizes[i]);
        if (llRest <= 0)
            return i + 1;
    }
    return n + 1;
}

int CGridPositionIndex::LineAt(long long llOffset) const
{
    if (llOffset < 0)
        return -1;
    return std::min(LowerBound(llOffset + 1) - 1, GetSize());
}
