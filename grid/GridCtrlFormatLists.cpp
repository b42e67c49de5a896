// Rows and columns whose cells pass their format on to inserted cells.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

int FindIndex(const std::vector<int>& list, int value)
{
    auto found = std::find(list.begin(), list.end(), value);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

// After nCount lines were inserted at nPos (nCount > 0) or deleted from nPos
// (nCount < 0): entries inside a deleted range go, later ones move.
void AdjustList(std::vector<int>& list, int nPos, int nCount)
{
    if (nCount > 0) {
        for (int& value : list) {
            if (value >= nPos)
                value += nCount;
        }
        return;
    }
    int last = nPos - nCount - 1;
    list.erase(std::remove_if(list.begin(), list.end(), [&](int value) { return value >= nPos && value <= last; }),
               list.end());
    for (int& value : list) {
        if (value > last)
            value += nCount;
    }
}

}  // namespace

void CGridCtrl::AddFormatRow(int nRow)
{
    if (nRow >= 0 && nRow < m_nRows && FindFormatRow(nRow) < 0)
        m_arFormatRows.push_back(nRow);
}

void CGridCtrl::AddFormatColumn(int nCol)
{
    if (nCol >= 0 && nCol < m_nCols && FindFormatColumn(nCol) < 0)
        m_arFormatCols.push_back(nCol);
}

int CGridCtrl::FindFormatRow(int nRow) const
{
    return FindIndex(m_arFormatRows, nRow);
}

int CGridCtrl::FindFormatColumn(int nCol) const
{
    return FindIndex(m_arFormatCols, nCol);
}

void CGridCtrl::AdjustFormatRows(int nPos, int nCount)
{
    AdjustList(m_arFormatRows, nPos, nCount);
}

void CGridCtrl::AdjustFormatColumns(int nPos, int nCount)
{
    AdjustList(m_arFormatCols, nPos, nCount);
}

// --- window teardown --------------------------------------------------------------------

// The skinned scroll bars are siblings of the grid in the control window: they
// go before the grid window, and their objects with them, so that the next
// grid window (a container re-creates the control's window when it
// deactivates and activates it in place) makes bars of its own.
BOOL CGridCtrl::DestroyWindow()
{
    DestroyScrollBarWindows();
    return CWnd::DestroyWindow();
}

void CGridCtrl::DestroyScrollBarWindows()
{
    // Deleting a bar object destroys its window when that still exists.
    m_pHScroll.reset();
    m_pVScroll.reset();
}
