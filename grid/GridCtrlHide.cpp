// Hiding and showing whole rows and columns. A hidden line has size 0; the
// size it had is kept in the grid's hidden-row or hidden-column list until it
// is shown again. Sizes change through SetRowHeight and SetColumnWidth only,
// so everything that follows the sizes (scroll bars, positions) stays right.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

int FindLine(const std::vector<GridHiddenLine>& list, int nIndex)
{
    auto it = std::find_if(list.begin(), list.end(), [nIndex](const GridHiddenLine& e) { return e.index == nIndex; });
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// Hides or shows line nIndex of nCount lines whose size getSize/setSize read
// and write, keeping the list in step.
template <class GetSize, class SetSize>
BOOL HideLine(std::vector<GridHiddenLine>& list, int nIndex, int nCount, BOOL bHide, GetSize getSize,
              SetSize setSize)
{
    if (nIndex < 0 || nIndex >= nCount)
        return FALSE;
    const int found = FindLine(list, nIndex);
    if (bHide) {
        const int size = getSize(nIndex);
        if (found < 0)
            list.push_back(GridHiddenLine{nIndex, size});
        else if (size > 0)
            list[static_cast<size_t>(found)].size = size;   // widened again since it was hidden
        // else: already hidden; the size the first hide saved stays.
        setSize(nIndex, 0);
        return TRUE;
    }
    if (found >= 0) {
        setSize(nIndex, list[static_cast<size_t>(found)].size);
        list.erase(list.begin() + found);
    }
    return TRUE;
}

}  // namespace

BOOL CGridCtrl::SetColumnHide(int nCol, BOOL bHide)
{
    return HideLine(
        m_arHiddenCols, nCol, m_nCols, bHide, [this](int col) { return GetColumnWidth(col); },
        [this](int col, int width) { SetColumnWidth(col, width); });
}

BOOL CGridCtrl::SetRowHide(int nRow, BOOL bHide)
{
    return HideLine(
        m_arHiddenRows, nRow, m_nRows, bHide, [this](int row) { return GetRowHeight(row); },
        [this](int row, int height) { SetRowHeight(row, height); });
}

int CGridCtrl::FindHiddenColumn(int nCol, GridHiddenLine* pEntry) const
{
    if (pEntry == nullptr)
        return -1;
    const int found = FindLine(m_arHiddenCols, nCol);
    if (found >= 0)
        *pEntry = m_arHiddenCols[static_cast<size_t>(found)];
    return found;
}

int CGridCtrl::FindHiddenRow(int nRow, GridHiddenLine* pEntry) const
{
    if (pEntry == nullptr)
        return -1;
    const int found = FindLine(m_arHiddenRows, nRow);
    if (found >= 0)
        *pEntry = m_arHiddenRows[static_cast<size_t>(found)];
    return found;
}

BOOL CGridCtrl::IsColumnHide(int nCol) const
{
    if (FindLine(m_arHiddenCols, nCol) < 0)
        return FALSE;
    return nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) == 0;
}

BOOL CGridCtrl::IsRowHide(int nRow) const
{
    if (FindLine(m_arHiddenRows, nRow) < 0)
        return FALSE;
    return nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) == 0;
}
