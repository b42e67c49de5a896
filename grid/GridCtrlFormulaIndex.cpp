// Keeping the index of formula cells in step with the cells.
//
// Formula cells report where they are placed and when their formula changes
// (NoteFormulaCell); the notes are taken in at the start of every formula
// operation. An entry is trusted only while the position still holds the
// cell it names with the same formula stamp: a cell that went is dropped from
// the index, one that changed unnoticed is recorded anew. Row and column
// insertion and deletion move the entries themselves (GridCtrlFormulaShift.cpp).
#include "grid/GridCtrl.h"

#include "grid/GridCellFormula.h"

#include <algorithm>

namespace {

CGridCellFormula* AsFormulaCell(CGridCellBase* pCell)
{
    return pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) ? static_cast<CGridCellFormula*>(pCell)
                                                                                : nullptr;
}

const void* Address(const CGridCellFormula* pCell)
{
    return static_cast<const CGridCellBase*>(pCell);
}

// Notes kept before they are taken in; more than this many are replaced by
// building the index again from the cells.
const size_t kMaxFormulaNotes = 4096;

}  // namespace

void CGridCtrl::NoteFormulaCell(const CGridCellFormula* pCell, int nRow, int nCol)
{
    if (pCell == nullptr || m_bVirtualMode || m_bFormulaRescan)
        return;
    const int nId = m_FormulaIndex.Find(CGridCellPos(nRow, nCol));
    if (nId >= 0) {
        const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(nId);
        if (entry.pCell == Address(pCell) && entry.nStamp == pCell->GetFormulaStamp())
            return;
    }
    if (m_arFormulaNotes.size() >= kMaxFormulaNotes) {
        m_arFormulaNotes.clear();
        m_bFormulaRescan = TRUE;
        return;
    }
    m_arFormulaNotes.emplace_back(CGridCellPos(nRow, nCol), Address(pCell));
}

int CGridCtrl::RegisterFormulaCell(int nRow, int nCol, CGridCellFormula* pCell)
{
    pCell->SetPosition(nRow, nCol);
    return m_FormulaIndex.Set(CGridCellPos(nRow, nCol), Address(pCell), pCell->GetFormulaStamp(),
                              pCell->GetCompiledForm());
}

void CGridCtrl::UpdateFormulaIndex()
{
    if (m_bVirtualMode) {
        m_arFormulaNotes.clear();
        if (!m_FormulaIndex.IsEmpty())
            m_FormulaIndex.Clear();
        return;
    }
    if (m_bFormulaRescan) {
        RebuildFormulaIndex();
        return;
    }
    if (m_arFormulaNotes.empty())
        return;
    std::vector<std::pair<CGridCellPos, const void*>> notes;
    notes.swap(m_arFormulaNotes);
    for (const auto& note : notes) {
        CGridCellBase* pCell = GetCell(note.first.row, note.first.col);
        // A note whose cell is no longer there speaks of a cell that went.
        if (pCell == nullptr || static_cast<const void*>(pCell) != note.second)
            continue;
        if (CGridCellFormula* pFormula = AsFormulaCell(pCell))
            RegisterFormulaCell(note.first.row, note.first.col, pFormula);
    }
}

void CGridCtrl::RebuildFormulaIndex()
{
    m_bFormulaRescan = FALSE;
    m_arFormulaNotes.clear();
    m_FormulaIndex.Clear();
    if (m_bVirtualMode)
        return;
    const int nRows = std::min(m_nRows, static_cast<int>(m_RowData.size()));
    for (int row = 0; row < nRows; ++row) {
        const GridRow& cells = m_RowData[static_cast<size_t>(row)];
        const int nCols = std::min(m_nCols, static_cast<int>(cells.size()));
        for (int col = 0; col < nCols; ++col) {
            if (CGridCellFormula* pFormula = AsFormulaCell(cells[static_cast<size_t>(col)].get()))
                RegisterFormulaCell(row, col, pFormula);
        }
    }
}

CGridCellFormula* CGridCtrl::CheckedFormulaCell(int nId, bool* pbChanged)
{
    const CGridFormulaIndex::Entry& entry = m_FormulaIndex.At(nId);
    const CGridCellPos pos = entry.pos;
    CGridCellBase* pCell = GetCell(pos.row, pos.col);
    CGridCellFormula* pFormula = AsFormulaCell(pCell);
    if (pFormula != nullptr && entry.pCell == Address(pFormula) && entry.nStamp == pFormula->GetFormulaStamp())
        return pFormula;
    if (pFormula == nullptr) {
        m_FormulaIndex.Remove(nId);
        return nullptr;
    }
    RegisterFormulaCell(pos.row, pos.col, pFormula);
    if (pbChanged != nullptr)
        *pbChanged = true;
    return pFormula;
}

void CGridCtrl::AddFormulaCell(int nRow, int nCol)
{
    if (m_bVirtualMode)
        return;
    UpdateFormulaIndex();
    if (CGridCellFormula* pFormula = AsFormulaCell(GetCell(nRow, nCol)))
        RegisterFormulaCell(nRow, nCol, pFormula);
}

void CGridCtrl::RemoveAllFormulaCells()
{
    m_FormulaIndex.Clear();
    m_arFormulaNotes.clear();
    m_bFormulaRescan = FALSE;
}

std::vector<CGridCellPos> CGridCtrl::GetFormulaCells()
{
    UpdateFormulaIndex();
    std::vector<CGridCellPos> cells;
    for (int nId : m_FormulaIndex.IdsInOrder()) {
        if (CheckedFormulaCell(nId, nullptr) != nullptr)
            cells.push_back(m_FormulaIndex.At(nId).pos);
    }
    return cells;
}

void CGridCtrl::EvaluateFormulaCell(int nRow, int nCol)
{
    CGridCellFormula* pCell = AsFormulaCell(GetCell(nRow, nCol));
    if (pCell == nullptr)
        return;
    if (!pCell->CallsUserFunction()) {
        CString value = m_FormulaEngine.Evaluate(pCell->GetCompiledForm());
        m_FormulaEngine.BeginCellChange(nRow, nCol);
        pCell->ShowResult(value, m_FormulaEngine.GetErrorText());
        m_FormulaEngine.EndCellChange(nRow, nCol, true);
        return;
    }
    // The host answers user functions and may change the grid meanwhile.
    const CFormulaTokenList formula = pCell->GetCompiledForm();
    const void* pBefore = Address(pCell);
    const unsigned long long nStamp = pCell->GetFormulaStamp();
    const CString value = m_FormulaEngine.Evaluate(formula);
    const CString message = m_FormulaEngine.GetErrorText();
    pCell = AsFormulaCell(GetCell(nRow, nCol));
    if (pCell != nullptr && Address(pCell) == pBefore && pCell->GetFormulaStamp() == nStamp)
        pCell->ShowResult(value, message);
}
