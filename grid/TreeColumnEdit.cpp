// Structure edits of the tree column: adding, inserting and deleting nodes
// with their grid rows, moving a node with its subtree, changing levels, and
// following rows and columns that the grid inserts or deletes.
//
// A node always travels with its whole subtree, and its rows travel inside
// the grid with their cells and heights (CGridCtrl::RotateRows); nothing
// goes through the clipboard.
#include "grid/TreeColumn.h"

#include "base/NumberText.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"

#include <algorithm>
#include <string>
#include <climits>

namespace {

std::vector<CString> SplitLevels(const CString& list)
{
    // A comma is never the trail byte of a two-byte character in code page
    // 936, so the bytes are split in one pass.
    std::vector<CString> items;
    const std::string& bytes = list.Str();
    size_t from = 0;
    for (;;) {
        const size_t comma = bytes.find(',', from);
        const size_t end = comma == std::string::npos ? bytes.size() : comma;
        CString item(bytes.data() + from, static_cast<int>(end - from));
        item.Trim();
        items.push_back(item);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    return items;
}

}  // namespace

void CTreeColumn::AfterStructureEdit()
{
    m_bCacheValid = false;
    Attach();
    ShowAll();
    ApplyRowVisibility();
    RebuildElement();
}

void CTreeColumn::SendRowsChanged(int nRow, int nCount)
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    std::int32_t info[5] = {m_nStartRow, m_nCol, GetEndRow() + m_nStartRow, nRow, nCount};
    m_pGrid->SendMessage(WM_GRID_TREEROWSCHANGED, 20, reinterpret_cast<LPARAM>(info));
}

BOOL CTreeColumn::MakeRowFor(int nPos)
{
    EditScope scope(*this);
    const int row = m_nStartRow + nPos;
    if (nPos < GetRowCount())
        return m_pGrid->InsertRows(row, 1, FALSE);
    // At the tree's end the next grid row joins the tree, unless another
    // tree holds it (a row is inserted then) or the grid ends there.
    if (row >= m_pGrid->GetRowCount())
        return m_pGrid->InsertRows(-1, 1, FALSE);
    if (!m_pGrid->IsTreeRangeFree(row, row + 1, this))
        return m_pGrid->InsertRows(row, 1, FALSE);
    return TRUE;
}

int CTreeColumn::AddChild(int nRow)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr)
        return -1;
    const int level = m_rows[static_cast<size_t>(i)].level;
    if (level < 1 || level >= 127)
        return -1;
    const int pos = SubtreeEnd(i);
    if (!MakeRowFor(pos))
        return -1;
    m_rows.insert(m_rows.begin() + pos, TreeRow{static_cast<unsigned char>(level + 1), 1, -1});
    AfterStructureEdit();
    return m_nStartRow + pos;
}

int CTreeColumn::InsertChild(int nRow, int n, BOOL bAfter)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr)
        return -1;
    const int level = m_rows[static_cast<size_t>(i)].level;
    const int count = GetChildCount(nRow);
    if (level < 1 || level >= 127 || n > count + 1)
        return -1;
    int pos;
    if (n <= 0 || (n == 1 && !bAfter)) {
        pos = i + 1;
    } else {
        // After the subtree of child n (bAfter) or of child n - 1; past the
        // last child both mean the end of the node's subtree.
        const int k = bAfter ? n : n - 1;
        const int child = k <= count ? GetChildRow(nRow, k) : -1;
        pos = child >= 0 ? SubtreeEnd(child - m_nStartRow) : SubtreeEnd(i);
    }
    if (!MakeRowFor(pos))
        return -1;
    m_rows.insert(m_rows.begin() + pos, TreeRow{static_cast<unsigned char>(level + 1), 1, -1});
    AfterStructureEdit();
    return m_nStartRow + pos;
}

BOOL CTreeColumn::DeleteChild(int nRow, int n)
{
    const int child = GetChildRow(nRow, n);
    if (child < 0 || m_pGrid == nullptr)
        return FALSE;
    const int ci = child - m_nStartRow;
    const int count = SubtreeEnd(ci) - ci;
    {
        EditScope scope(*this);
        m_pGrid->DeleteRows(child, count);
    }
    m_rows.erase(m_rows.begin() + ci, m_rows.begin() + ci + count);
    AfterStructureEdit();
    return TRUE;
}

BOOL CTreeColumn::MoveBlocks(int nFirst, int nMiddle, int nLast)
{
    {
        EditScope scope(*this);
        if (!m_pGrid->RotateRows(m_nStartRow + nFirst, m_nStartRow + nMiddle, m_nStartRow + nLast))
            return FALSE;
    }
    std::rotate(m_rows.begin() + nFirst, m_rows.begin() + nMiddle, m_rows.begin() + nLast);
    AfterStructureEdit();
    return TRUE;
}

int CTreeColumn::MoveNodeUp(int nRow)
{
    const int i = Index(nRow);
    if (i <= 0 || m_pGrid == nullptr)
        return -1;
    const int level = m_rows[static_cast<size_t>(i)].level;
    int target = -1;
    for (int j = i - 1; j >= 1; --j) {
        if (m_rows[static_cast<size_t>(j)].level == level) {
            target = j;
            break;
        }
    }
    if (target < 0)
        return -1;
    // The node's block goes right above the target row.
    if (!MoveBlocks(target, i, SubtreeEnd(i)))
        return -1;
    return m_nStartRow + target;
}

int CTreeColumn::MoveNodeDown(int nRow)
{
    const int i = Index(nRow);
    if (i <= 0 || m_pGrid == nullptr)
        return -1;
    const int level = m_rows[static_cast<size_t>(i)].level;
    const int end = SubtreeEnd(i);
    int target = -1;
    for (int j = end; j < GetRowCount(); ++j) {
        if (m_rows[static_cast<size_t>(j)].level == level) {
            target = j;
            break;
        }
    }
    if (target < 0)
        return -1;
    // The node's block goes right below the target's block.
    const int targetEnd = SubtreeEnd(target);
    if (!MoveBlocks(i, end, targetEnd))
        return -1;
    return m_nStartRow + i + (targetEnd - end);
}

BOOL CTreeColumn::UpLevel(int nRow)
{
    const int i = Index(nRow);
    if (i <= 0 || m_pGrid == nullptr || m_rows[static_cast<size_t>(i)].level <= 2)
        return FALSE;
    const int end = SubtreeEnd(i);
    for (int j = i; j < end; ++j)
        --m_rows[static_cast<size_t>(j)].level;
    AfterStructureEdit();
    return TRUE;
}

BOOL CTreeColumn::DownLevel(int nRow)
{
    const int i = Index(nRow);
    if (i <= 0 || m_pGrid == nullptr)
        return FALSE;
    const int level = m_rows[static_cast<size_t>(i)].level;
    bool sibling = false;
    for (int j = i - 1; j >= 0; --j) {
        const int l = m_rows[static_cast<size_t>(j)].level;
        if (l < level)
            break;
        if (l == level) {
            sibling = true;
            break;
        }
    }
    const int end = SubtreeEnd(i);
    if (!sibling)
        return FALSE;
    for (int j = i; j < end; ++j) {
        if (m_rows[static_cast<size_t>(j)].level >= 127)
            return FALSE;
    }
    for (int j = i; j < end; ++j)
        ++m_rows[static_cast<size_t>(j)].level;
    AfterStructureEdit();
    return TRUE;
}

BOOL CTreeColumn::InsertTree(int nRow, const CString& strList)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr)
        return FALSE;
    CString list(strList);
    list.Trim();
    if (list.IsEmpty())
        return FALSE;
    std::vector<CString> items = SplitLevels(list);
    std::vector<TreeRow> added;
    added.reserve(items.size());
    for (const CString& item : items)
        added.push_back(TreeRow{static_cast<unsigned char>(std::min(127, std::max(0, AToI(item)))), 1, -1});
    if (i == 0 && added.front().level < 2)
        return FALSE;
    const int count = static_cast<int>(added.size());
    if (count > INT_MAX / 4 - m_pGrid->GetRowCount())
        return FALSE;
    const int pos = SubtreeEnd(i);
    const int after = m_nStartRow + pos - 1;
    {
        EditScope scope(*this);
        if (!m_pGrid->InsertRows(after, count, TRUE))
            return FALSE;
    }
    m_rows.insert(m_rows.begin() + pos, added.begin(), added.end());
    AfterStructureEdit();
    SendRowsChanged(after, count);
    return TRUE;
}

int CTreeColumn::DeleteTree(int nRow, int nCount)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr || nCount < 1)
        return 0;
    // Each step removes the node at i with its subtree and the next node
    // moves into its place: the rows removed are one run from i.
    const int n = GetRowCount();
    int j = i;
    for (int k = 0; k < nCount && j < n && m_rows[static_cast<size_t>(j)].level > 1; ++k)
        j = SubtreeEnd(j);
    const int removed = j - i;
    // A tree keeps at least one row: a tree text without a top-level node
    // would otherwise lose every row and stay behind empty.
    if (removed == 0 || removed >= n)
        return 0;
    {
        EditScope scope(*this);
        m_pGrid->DeleteRows(m_nStartRow + i, removed);
    }
    m_rows.erase(m_rows.begin() + i, m_rows.begin() + j);
    AfterStructureEdit();
    SendRowsChanged(nRow, -nCount);
    return removed;
}

// --- following the grid ----------------------------------------------------------------------------

BOOL CTreeColumn::FollowRows(int nFirst, int nCount)
{
    if (m_nEditing > 0 || nCount == 0 || m_rows.empty())
        return TRUE;
    const int end = GetEndRow();
    if (nCount > 0) {
        if (nFirst <= m_nStartRow) {
            m_nStartRow += nCount;
        } else if (nFirst < end) {
            // Rows inserted inside the tree join it beside the row they pushed down.
            const int at = nFirst - m_nStartRow;
            const TreeRow like{m_rows[static_cast<size_t>(at)].level, m_rows[static_cast<size_t>(at)].shown, -1};
            m_rows.insert(m_rows.begin() + at, static_cast<size_t>(nCount), like);
            m_bCacheValid = false;
        } else {
            return TRUE;
        }
        Attach();
        RebuildElement();
        return TRUE;
    }
    const int last = nFirst - nCount;                  // first row after the deleted ones
    const int before = std::max(0, std::min(last, m_nStartRow) - nFirst);
    const int from = std::max(nFirst, m_nStartRow);
    const int to = std::min(last, end);
    if (to > from) {
        m_rows.erase(m_rows.begin() + (from - m_nStartRow), m_rows.begin() + (to - m_nStartRow));
        m_bCacheValid = false;
        if (m_rows.empty())
            return FALSE;
        // What is left stays a tree: a root first, no level more than one
        // below the row above.
        int previous = 0;
        for (TreeRow& r : m_rows) {
            r.level = static_cast<unsigned char>(std::max(1, std::min<int>(r.level, previous + 1)));
            previous = r.level;
        }
    } else if (before == 0) {
        return TRUE;
    }
    m_nStartRow -= before;
    m_bCacheValid = false;
    Attach();
    RebuildElement();
    return TRUE;
}

void CTreeColumn::FollowColumnMove(int nCol)
{
    if (m_nCol < 0 || nCol < 0 || nCol == m_nCol)
        return;
    m_nCol = nCol;
    Attach();
    RebuildElement();
}

BOOL CTreeColumn::FollowColumns(int nFirst, int nCount)
{
    if (nCount == 0 || m_nCol < 0)
        return TRUE;
    if (nCount > 0) {
        if (nFirst <= m_nCol) {
            m_nCol += nCount;
            Attach();
            RebuildElement();
        }
        return TRUE;
    }
    const int last = nFirst - nCount;
    if (m_nCol >= nFirst && m_nCol < last)
        return FALSE;
    if (m_nCol >= last) {
        m_nCol += nCount;
        Attach();
        RebuildElement();
    }
    return TRUE;
}

namespace {

// The parent of each row of a level list (by index; -1 for a top row): the
// nearest row above one level up.
std::vector<int> ParentsOf(const std::vector<int>& levels)
{
    std::vector<int> parents(levels.size(), -1);
    std::vector<int> lastAt;            // per level - 1: the last row of that level
    for (size_t i = 0; i < levels.size(); ++i) {
        const int level = std::max(1, levels[i]);
        if (level >= 2 && static_cast<size_t>(level - 1) <= lastAt.size())
            parents[i] = lastAt[static_cast<size_t>(level - 2)];
        lastAt.resize(static_cast<size_t>(level));
        lastAt[static_cast<size_t>(level - 1)] = static_cast<int>(i);
    }
    return parents;
}

}  // namespace

BOOL CTreeColumn::FollowReorder(int nLow, const std::vector<int>& newPosOf, BOOL bApply)
{
    const int nHigh = nLow + static_cast<int>(newPosOf.size()) - 1;
    const int end = GetEndRow();
    if (m_nEditing > 0 || m_rows.empty() || nHigh < m_nStartRow || nLow >= end)
        return TRUE;
    // Rows may move only among the tree's own rows: a row of the range that
    // is inside the tree must land inside it (so none from outside lands there).
    const size_t count = m_rows.size();
    std::vector<int> to(count);
    for (size_t i = 0; i < count; ++i) {
        const int row = m_nStartRow + static_cast<int>(i);
        to[i] = static_cast<int>(i);
        if (row < nLow || row > nHigh)
            continue;
        const int target = nLow + newPosOf[static_cast<size_t>(row - nLow)];
        if (target < m_nStartRow || target >= end)
            return FALSE;
        to[i] = target - m_nStartRow;
    }
    std::vector<TreeRow> moved(m_rows);
    std::vector<int> levelsBefore(count);
    std::vector<int> levelsAfter(count);
    for (size_t i = 0; i < count; ++i) {
        moved[static_cast<size_t>(to[i])] = m_rows[i];
        levelsBefore[i] = m_rows[i].level;
    }
    for (size_t i = 0; i < count; ++i)
        levelsAfter[i] = moved[i].level;
    // Every node keeps its parent: the sort may reorder the children of a
    // node among themselves, never move a row under another node.
    const std::vector<int> parentsBefore = ParentsOf(levelsBefore);
    const std::vector<int> parentsAfter = ParentsOf(levelsAfter);
    for (size_t i = 0; i < count; ++i) {
        const int parent = parentsBefore[i];
        const int expected = parent < 0 ? -1 : to[static_cast<size_t>(parent)];
        if (parentsAfter[static_cast<size_t>(to[i])] != expected)
            return FALSE;
    }
    if (!bApply)
        return TRUE;
    m_rows.swap(moved);
    m_bCacheValid = false;
    Attach();
    RebuildElement();
    return TRUE;
}
