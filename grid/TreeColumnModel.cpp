// The tree column's level model: relations between rows, the shown flags and
// the row heights that follow them, and attaching the tree cells.
//
// Two caches, rebuilt in one pass after any change of levels, keep every
// relation short: the parent of each row (the nearest earlier row one level
// up) and the end of each row's block (the first later row that is not
// deeper). Painting a cell then asks O(depth) questions, whatever the size of
// the tree.
#include "grid/TreeColumn.h"

#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "grid/GridTreeCell.h"

#include <algorithm>
#include <utility>

int CTreeColumn::Index(int nRow) const
{
    if (nRow < m_nStartRow || nRow >= GetEndRow())
        return -1;
    return nRow - m_nStartRow;
}

void CTreeColumn::CacheStructure() const
{
    if (m_bCacheValid)
        return;
    const int n = GetRowCount();
    m_parent.assign(static_cast<size_t>(n), -1);
    m_blockEnd.assign(static_cast<size_t>(n), n);
    int lastAt[129];
    std::fill(lastAt, lastAt + 129, -1);
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        const int level = m_rows[static_cast<size_t>(i)].level;
        while (!open.empty() && m_rows[static_cast<size_t>(open.back())].level >= level) {
            m_blockEnd[static_cast<size_t>(open.back())] = i;
            open.pop_back();
        }
        open.push_back(i);
        m_parent[static_cast<size_t>(i)] = level >= 1 ? lastAt[level - 1] : -1;
        lastAt[level] = i;
    }
    m_bCacheValid = true;
}

int CTreeColumn::SubtreeEnd(int nIndex) const
{
    CacheStructure();
    return m_blockEnd[static_cast<size_t>(nIndex)];
}

int CTreeColumn::GetLevel(int nRow) const
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr || m_pGrid->GetCell(nRow, m_nCol) == nullptr)
        return -1;
    return m_rows[static_cast<size_t>(i)].level;
}

int CTreeColumn::GetDescendantCount(int nRow) const
{
    const int i = Index(nRow);
    return i < 0 ? 0 : SubtreeEnd(i) - i - 1;
}

int CTreeColumn::GetChildCount(int nRow) const
{
    const int i = Index(nRow);
    if (i < 0)
        return 0;
    const int end = SubtreeEnd(i);
    const int childLevel = m_rows[static_cast<size_t>(i)].level + 1;
    int count = 0;
    // Every row of the block is deeper than the node; a deeper row's own
    // block holds no row of the child level, so it is stepped over whole.
    for (int j = i + 1; j < end; j = m_blockEnd[static_cast<size_t>(j)]) {
        if (m_rows[static_cast<size_t>(j)].level == childLevel)
            ++count;
    }
    return count;
}

int CTreeColumn::GetChildRow(int nRow, int n) const
{
    const int i = Index(nRow);
    if (i < 0 || n < 1)
        return -1;
    const int end = SubtreeEnd(i);
    const int childLevel = m_rows[static_cast<size_t>(i)].level + 1;
    for (int j = i + 1; j < end; j = m_blockEnd[static_cast<size_t>(j)]) {
        if (m_rows[static_cast<size_t>(j)].level == childLevel && --n == 0)
            return m_nStartRow + j;
    }
    return -1;
}

int CTreeColumn::GetChildIndex(int nRow) const
{
    const int i = Index(nRow);
    if (i <= 0)
        return 1;
    const int level = m_rows[static_cast<size_t>(i)].level;
    int position = 1;
    for (int j = i - 1; j > 0; --j) {
        const int l = m_rows[static_cast<size_t>(j)].level;
        if (l < level)
            break;
        if (l == level)
            ++position;
    }
    return position;
}

int CTreeColumn::GetParentRow(int nRow) const
{
    const int i = Index(nRow);
    if (i < 0)
        return -1;
    CacheStructure();
    const int parent = m_parent[static_cast<size_t>(i)];
    return parent < 0 ? m_nStartRow - 1 : m_nStartRow + parent;
}

int CTreeColumn::IsChild(int nRowA, int nRowB) const
{
    if (nRowB >= nRowA || Index(nRowA) < 0)
        return -1;
    return GetParentRow(nRowA) == nRowB && Index(nRowB) >= 0 ? 1 : 0;
}

BOOL CTreeColumn::IsRowShown(int nRow) const
{
    const int i = Index(nRow);
    return i >= 0 && m_rows[static_cast<size_t>(i)].shown != 0;
}

BOOL CTreeColumn::HasChild(int nRow) const
{
    return GetChildRow(nRow, 1) >= 0;
}

BOOL CTreeColumn::IsFolded(int nRow) const
{
    const int child = GetChildRow(nRow, 1);
    return child >= 0 && !IsRowShown(child);
}

BOOL CTreeColumn::IsLastChild(int nRow) const
{
    const int i = Index(nRow);
    if (i < 0)
        return FALSE;
    const int next = i + 1;
    if (next >= GetRowCount())
        return TRUE;
    const TreeRow& r = m_rows[static_cast<size_t>(next)];
    return r.level < m_rows[static_cast<size_t>(i)].level || r.shown == 0;
}

unsigned long long CTreeColumn::GetAncestorLines(int nRow) const
{
    const int i = Index(nRow);
    if (i < 0)
        return 0;
    CacheStructure();
    unsigned long long lines = 0;
    const int n = GetRowCount();
    // The ancestor at level k has a later sibling when the first row after
    // its block is at level k and shown.
    for (int a = m_parent[static_cast<size_t>(i)]; a >= 0; a = m_parent[static_cast<size_t>(a)]) {
        const int k = m_rows[static_cast<size_t>(a)].level;
        if (k < 2)
            break;
        const int after = m_blockEnd[static_cast<size_t>(a)];
        if (k < 64 && after < n && m_rows[static_cast<size_t>(after)].level == k &&
            m_rows[static_cast<size_t>(after)].shown != 0)
            lines |= 1ull << k;
    }
    return lines;
}

// --- visibility ---------------------------------------------------------------------------------

void CTreeColumn::Expand(int nRow)
{
    const int i = Index(nRow);
    if (i < 0)
        return;
    const int end = SubtreeEnd(i);
    const int childLevel = m_rows[static_cast<size_t>(i)].level + 1;
    m_rows[static_cast<size_t>(i)].shown = 1;
    for (int j = i + 1; j < end; ++j)
        m_rows[static_cast<size_t>(j)].shown = m_rows[static_cast<size_t>(j)].level == childLevel ? 1 : 0;
}

void CTreeColumn::ExpandSubtree(int nRow)
{
    const int i = Index(nRow);
    if (i < 0)
        return;
    const int end = SubtreeEnd(i);
    for (int j = i; j < end; ++j)
        m_rows[static_cast<size_t>(j)].shown = 1;
}

void CTreeColumn::Collapse(int nRow)
{
    const int i = Index(nRow);
    if (i < 0)
        return;
    const int end = SubtreeEnd(i);
    m_rows[static_cast<size_t>(i)].shown = 1;
    for (int j = i + 1; j < end; ++j)
        m_rows[static_cast<size_t>(j)].shown = 0;
}

void CTreeColumn::ShowAll()
{
    for (TreeRow& r : m_rows)
        r.shown = 1;
}

void CTreeColumn::TakeVisibilityFromRowHeights()
{
    if (m_pGrid == nullptr)
        return;
    const int rowCount = m_pGrid->GetRowCount();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const int row = m_nStartRow + static_cast<int>(i);
        if (row >= rowCount)
            break;
        m_rows[i].shown = m_pGrid->GetRowHeight(row) > 0 ? 1 : 0;
        m_rows[i].savedHeight = -1;
    }
}

int CTreeColumn::DefaultRowHeight() const
{
    CGridDefaultCell* pDefault = m_pGrid != nullptr ? m_pGrid->GetDefaultCell(FALSE, FALSE) : nullptr;
    return pDefault != nullptr ? std::max(0, pDefault->GetHeight()) : 0;
}

void CTreeColumn::ApplyRowVisibility()
{
    if (m_pGrid == nullptr)
        return;
    const int defaultHeight = DefaultRowHeight();
    const int rowCount = m_pGrid->GetRowCount();
    std::vector<std::pair<int, int>> changes;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const int row = m_nStartRow + static_cast<int>(i);
        if (row >= rowCount)
            break;
        TreeRow& r = m_rows[i];
        const int height = m_pGrid->GetRowHeight(row);
        if (r.shown != 0 && height == 0) {
            changes.emplace_back(row, r.savedHeight > 0 ? r.savedHeight : defaultHeight);
            r.savedHeight = -1;
        } else if (r.shown == 0 && height > 0) {
            r.savedHeight = height;
            changes.emplace_back(row, 0);
        }
    }
    m_pGrid->SetRowHeights(changes);
    // The focus never stays in a row a fold hid (typing would edit a cell no
    // one sees): it goes to the nearest ancestor that is shown.
    const CGridCellPos focus = m_pGrid->GetFocusCell();
    const int hidden = Index(focus.row);
    if (hidden >= 0 && m_rows[static_cast<size_t>(hidden)].shown == 0) {
        int level = m_rows[static_cast<size_t>(hidden)].level;
        for (int j = hidden - 1; j >= 0; --j) {
            const TreeRow& r = m_rows[static_cast<size_t>(j)];
            if (r.level >= level)
                continue;
            level = r.level;
            if (r.shown != 0) {
                m_pGrid->SetFocusCell(m_nStartRow + j, focus.col);
                break;
            }
        }
    }
    m_pGrid->Refresh();
}

void CTreeColumn::ToggleNode(int nRow)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr || m_nCol < 0 || i + 1 >= GetRowCount() || !HasChild(nRow))
        return;
    // The host may change the grid while it is asked: this object may be
    // gone when the answer comes.
    std::weak_ptr<const void> alive = GetLiveness();
    if (m_rows[static_cast<size_t>(i) + 1].shown != 0) {
        BOOL mayCollapse = TRUE;
        m_pGrid->SendGridMessage(WM_GRID_TREECOLLAPSE, static_cast<WPARAM>(nRow),
                                 reinterpret_cast<LPARAM>(&mayCollapse));
        if (alive.expired() || Index(nRow) != i)
            return;
        if (mayCollapse)
            Collapse(nRow);
    } else {
        BOOL mayExpand = TRUE;
        std::int32_t expandFlags = 0;
        GridTreeExpandRecord record{&mayExpand, &expandFlags, nRow};
        m_pGrid->SendGridMessage(WM_GRID_TREEEXPAND, 4, reinterpret_cast<LPARAM>(&record));
        if (alive.expired() || Index(nRow) != i)
            return;
        if (mayExpand) {
            if (expandFlags == 0)
                ExpandSubtree(nRow);
            else
                Expand(nRow);
        }
    }
    ApplyRowVisibility();
}

// --- attaching the cells --------------------------------------------------------------------------

BOOL CTreeColumn::Attach()
{
    if (m_pGrid == nullptr || m_nStartRow < 0 || m_nCol < 0)
        return FALSE;
    m_nIndent = m_nBoxSize;
    m_bCacheValid = false;
    const int end = GetEndRow();
    if (m_pGrid->GetRowCount() < end && !m_pGrid->SetRowCount(end))
        return FALSE;
    if (m_pGrid->GetColumnCount() <= m_nCol && !m_pGrid->SetColumnCount(m_nCol + 1))
        return FALSE;
    BOOL result = TRUE;
    for (int row = m_nStartRow; row < end; ++row) {
        CGridCellBase* pCell = m_pGrid->GetCell(row, m_nCol);
        if (pCell == nullptr || !pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase))) {
            if (!m_pGrid->SetCellType(row, m_nCol, RUNTIME_CLASS(CGridTreeCell))) {
                result = FALSE;
                break;
            }
            pCell = m_pGrid->GetCell(row, m_nCol);
        }
        CGridTreeCellBase* pTreeCell = static_cast<CGridTreeCellBase*>(pCell);
        // Rows moved by the grid keep their cells' old coordinates until painted.
        pTreeCell->SetCoords(row, m_nCol);
        pTreeCell->AttachTree(this);
    }
    Invalidate();
    return result;
}

void CTreeColumn::CreateTreeCells()
{
    if (m_pGrid == nullptr || m_nCol < 0)
        return;
    const int end = std::min(GetEndRow(), m_pGrid->GetRowCount());
    for (int row = std::max(0, m_nStartRow); row < end; ++row) {
        CGridCellBase* pCell = m_pGrid->GetCell(row, m_nCol);
        if (pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)))
            m_pGrid->SetCellType(row, m_nCol, RUNTIME_CLASS(CGridCell));
    }
}

void CTreeColumn::Refresh()
{
    Attach();
    ShowAll();
    ApplyRowVisibility();
}
