// References that follow inserted, deleted and moved rows and columns.
//
// The line operations call the shifts just before the lines move. Every
// formula cell the index knows is checked against its cell first (a cell that
// changed unnoticed is recorded anew), so each formula's references move
// once, by the one rule of FormulaReferences.h; then the entries move to
// where their cells are going, and the entries of deleted lines go.
#include "grid/GridCtrl.h"

#include "grid/GridCellFormula.h"

#include <utility>
#include <vector>

namespace {

// Where a line goes: -1 when it is deleted.
int MovedLine(int nLine, int nAt, int nCount, BOOL bInsert)
{
    if (bInsert)
        return nLine >= nAt ? nLine + nCount : nLine;
    if (nLine < nAt)
        return nLine;
    return nLine >= nAt + nCount ? nLine - nCount : -1;
}

}  // namespace

void CGridCtrl::ShiftFormulaRows(int nAt, int nCount, BOOL bInsert)
{
    ShiftFormulaLines(FORMULA_AXIS_ROWS, nAt, nCount, bInsert);
}

void CGridCtrl::ShiftFormulaColumns(int nAt, int nCount, BOOL bInsert)
{
    ShiftFormulaLines(FORMULA_AXIS_COLUMNS, nAt, nCount, bInsert);
}

void CGridCtrl::MoveFormulaRow(int nFrom, int nTo)
{
    MoveFormulaLine(FORMULA_AXIS_ROWS, nFrom, nTo);
}

void CGridCtrl::MoveFormulaColumn(int nFrom, int nTo)
{
    MoveFormulaLine(FORMULA_AXIS_COLUMNS, nFrom, nTo);
}

void CGridCtrl::HoldFormulaShifts(BOOL bHold)
{
    if (bHold) {
        ++m_nFormulaShiftHolds;
        return;
    }
    if (m_nFormulaShiftHolds > 0 && --m_nFormulaShiftHolds == 0)
        RecalcAfterFormulaShift();
}

void CGridCtrl::RecalcAfterFormulaShift()
{
    if (m_nFormulaShiftHolds > 0)
        return;
    std::vector<CGridCellPos> losses;
    losses.swap(m_arFormulaLosses);
    const BOOL bAll = m_bFormulaRecalcAll;
    m_bFormulaRecalcAll = FALSE;
    if (bAll)
        CalcAll();
    else if (!losses.empty())
        RecalcFormulasFrom(losses, true);
}

void CGridCtrl::ShiftFormulaLines(FormulaAxis axis, int nAt, int nCount, BOOL bInsert)
{
    if (m_nFormulaShiftHolds > 0 || m_bVirtualMode || nAt < 0 || nCount <= 0)
        return;
    UpdateFormulaIndex();
    if (m_FormulaIndex.IsEmpty())
        return;
    std::vector<std::pair<int, CGridCellFormula*>> cells;
    for (int nId : m_FormulaIndex.IdsInOrder()) {
        if (CGridCellFormula* pCell = CheckedFormulaCell(nId, nullptr))
            cells.emplace_back(nId, pCell);
    }
    m_FormulaIndex.InvalidateReaders();
    std::vector<int> losers;
    for (const auto& item : cells) {
        BOOL bLost = FALSE;
        item.second->ShiftReferences(axis, nAt, nCount, bInsert, &bLost);
        if (bLost)
            losers.push_back(item.first);
    }
    const bool bRows = axis == FORMULA_AXIS_ROWS;
    m_FormulaIndex.MovePositions([&](const CGridCellPos& pos) {
        CGridCellPos to = pos;
        int& line = bRows ? to.row : to.col;
        line = MovedLine(line, nAt, nCount, bInsert);
        return line >= 0 ? to : CGridCellPos();
    });
    for (const auto& item : cells) {
        const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(item.first);
        if (entry.bLive)
            RegisterFormulaCell(entry.pos.row, entry.pos.col, item.second);
    }
    for (int nId : losers) {
        const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(nId);
        if (entry.bLive)
            m_arFormulaLosses.push_back(entry.pos);
    }
}

void CGridCtrl::MoveFormulaLine(FormulaAxis axis, int nFrom, int nTo)
{
    if (m_bVirtualMode || nFrom < 0 || nTo < 0 || nFrom == nTo)
        return;
    UpdateFormulaIndex();
    for (int nId : m_FormulaIndex.IdsInOrder()) {
        if (CGridCellFormula* pCell = CheckedFormulaCell(nId, nullptr))
            pCell->MoveReferences(axis, nFrom, nTo);
    }
    // The move makes new cells (copies of the moved line's) and lets others
    // go: the index is built again from the cells once it is done, and the
    // ranges the line left or joined sum other cells.
    m_FormulaIndex.Clear();
    m_bFormulaRescan = TRUE;
    m_bFormulaRecalcAll = TRUE;
}

void CGridCtrl::ReorderFormulaRows(int nFirst, const std::vector<int>& newPos)
{
    if (m_bVirtualMode || nFirst < 0 || newPos.empty())
        return;
    // Rows already in order move nothing.
    bool bMoves = false;
    for (size_t i = 0; i < newPos.size() && !bMoves; ++i)
        bMoves = newPos[i] != static_cast<int>(i);
    if (!bMoves)
        return;
    UpdateFormulaIndex();
    if (m_FormulaIndex.IsEmpty())
        return;
    const CFormulaLineOrder order(nFirst, newPos);
    if (order.IsEmpty())
        return;
    std::vector<std::pair<int, CGridCellFormula*>> cells;
    for (int nId : m_FormulaIndex.IdsInOrder()) {
        if (CGridCellFormula* pCell = CheckedFormulaCell(nId, nullptr))
            cells.emplace_back(nId, pCell);
    }
    m_FormulaIndex.InvalidateReaders();
    // A range whose rows the order scatters keeps its ends and sums other
    // cells now: its formula is recalculated once the rows stand.
    std::vector<int> scattered;
    for (const auto& item : cells) {
        BOOL bKeptPlace = FALSE;
        item.second->ReorderReferences(order, FORMULA_AXIS_ROWS, &bKeptPlace);
        if (bKeptPlace)
            scattered.push_back(item.first);
    }
    // The entries go where their cells are going; the cells, placed there,
    // find themselves recorded.
    const int nLast = nFirst + static_cast<int>(newPos.size()) - 1;
    m_FormulaIndex.MovePositions([&](const CGridCellPos& pos) {
        CGridCellPos to = pos;
        if (to.row >= nFirst && to.row <= nLast)
            to.row = nFirst + newPos[static_cast<size_t>(to.row - nFirst)];
        return to;
    });
    for (const auto& item : cells) {
        const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(item.first);
        if (entry.bLive)
            RegisterFormulaCell(entry.pos.row, entry.pos.col, item.second);
    }
    for (int nId : scattered) {
        const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(nId);
        if (entry.bLive)
            m_arFormulaLosses.push_back(entry.pos);
    }
}
