// The selected cells read one at a time by index. The selection map has no
// order of its own, so the cells are put in row order (and column order
// within a row) once per change of the selection; reading every cell by index
// then costs one lookup each, and the order stays the same for as long as the
// selection does.
#include "grid/GridCtrl.h"

#include <algorithm>

void CGridCtrl::GetSelectedCell(CGridCellPos& cell, int nIndex)
{
    if (m_nSelectedOrderChanges != m_SelectedCellMap.GetChangeCount()) {
        m_arSelectedOrder.clear();
        m_arSelectedOrder.reserve(m_SelectedCellMap.size());
        for (const auto& entry : m_SelectedCellMap)
            m_arSelectedOrder.push_back(entry.second);
        std::sort(m_arSelectedOrder.begin(), m_arSelectedOrder.end(),
                  [](const CGridCellPos& a, const CGridCellPos& b) {
                      return a.row != b.row ? a.row < b.row : a.col < b.col;
                  });
        m_nSelectedOrderChanges = m_SelectedCellMap.GetChangeCount();
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_arSelectedOrder.size()) {
        cell = CGridCellPos();
        return;
    }
    cell = m_arSelectedOrder[static_cast<size_t>(nIndex)];
}
