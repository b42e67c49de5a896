// The grid's formula services: the engine's cell source, compiling, rendering
// and evaluating for the cells, setting and reading a cell's formula, and the
// user function and constant tables.
#include "grid/GridCtrl.h"

#include "cellcontent/formula/FormulaMessages.h"
#include "grid/GridCellFormula.h"
#include "platform/MessageBox.h"

#include <memory>

namespace {

CGridCellFormula* AsFormulaCell(CGridCellBase* pCell)
{
    return pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) ? static_cast<CGridCellFormula*>(pCell)
                                                                                : nullptr;
}

const char kCircularCaption[] = "公式错误";

}  // namespace

// --- what the engine reads of the grid ------------------------------------------------------

CGridFormulaSource::CGridFormulaSource(CGridCtrl& grid) : m_grid(grid)
{
    grid.GetFormulaEngine().SetCellSource(this);
}

int CGridFormulaSource::GetRowCount() const
{
    return m_grid.GetRowCount();
}

int CGridFormulaSource::GetColumnCount() const
{
    return m_grid.GetColumnCount();
}

BOOL CGridFormulaSource::IsCellPresent(int nRow, int nColumn) const
{
    return m_grid.GetCell(nRow, nColumn) != nullptr;
}

BOOL CGridFormulaSource::IsCellCoveredByMerge(int nRow, int nColumn) const
{
    CGridCellBase* pCell = m_grid.GetCell(nRow, nColumn);
    if (pCell == nullptr || !pCell->IsMerged())
        return FALSE;
    return pCell->GetMergeOwner() != CGridCellPos(nRow, nColumn);
}

BOOL CGridFormulaSource::GetCellNumber(int nRow, int nColumn, double& dValue) const
{
    CGridCellBase* pCell = m_grid.GetCell(nRow, nColumn);
    if (pCell == nullptr || !pCell->IsNumber())
        return FALSE;
    dValue = pCell->GetValue();
    return TRUE;
}

CString CGridFormulaSource::GetCellText(int nRow, int nColumn) const
{
    CGridCellBase* pCell = m_grid.GetCell(nRow, nColumn);
    return pCell != nullptr ? CString(pCell->GetText()) : CString();
}

void CGridFormulaSource::ReadCell(int nRow, int nColumn, FormulaCellRead& out) const
{
    out.nKind = FormulaCellRead::kNone;
    CGridCellBase* pCell = m_grid.GetCell(nRow, nColumn);
    const bool bVirtual = m_grid.GetVirtualMode() != FALSE;
    if (pCell == nullptr) {
        out.bStable = !bVirtual;
        return;
    }
    out.bStable = !bVirtual && pCell->GetRuntimeClass() == RUNTIME_CLASS(CGridCell);
    if (pCell->IsMerged() && pCell->GetMergeOwner() != CGridCellPos(nRow, nColumn))
        return;
    if (pCell->IsNumber()) {
        out.nKind = FormulaCellRead::kNumber;
        out.dNumber = pCell->GetValue();
        return;
    }
    out.nKind = FormulaCellRead::kText;
    out.pszText = pCell->GetText();
    if (out.pszText == nullptr)
        out.pszText = "";
}

unsigned long long CGridFormulaSource::GetValueEpoch() const
{
    return cellvalue::Epoch();
}

void CGridFormulaSource::CalcUserFunction(FormulaCallInfo& info)
{
    if (m_grid.GetSafeHwnd() == nullptr)
        return;
    // The grid window passes the message on to its parent.
    GridUserFunctionRecord record;
    record.name = info.pszFunctionName;
    record.params = info.pszParameters;
    record.result = info.pszResult;
    m_grid.SendMessage(WM_GRID_CALCUSERFUNCTION, reinterpret_cast<WPARAM>(&record), 0);
}

// --- the engine's services ------------------------------------------------------------------

BOOL CGridCtrl::CompileFormula(int nRow, int nCol, LPCTSTR szText, CFormulaTokenList* pList)
{
    if (szText == nullptr || *szText == '\0' || pList == nullptr)
        return FALSE;
    return m_FormulaEngine.Compile(nRow, nCol, szText, *pList);
}

CString CGridCtrl::GetFormulaText(const CFormulaTokenList* pList)
{
    return pList != nullptr ? m_FormulaEngine.FormulaToText(*pList) : CString();
}

CString CGridCtrl::GetFormulaExportText(const CFormulaTokenList* pList)
{
    return pList != nullptr ? m_FormulaEngine.FormulaToExportText(*pList) : CString();
}

CString CGridCtrl::EvaluateFormula(const CFormulaTokenList* pList)
{
    return pList != nullptr ? m_FormulaEngine.Evaluate(*pList) : CString();
}

BOOL CGridCtrl::AddUserFunction(LPCTSTR szName, short nCategory)
{
    return m_FormulaEngine.AddUserFunction(szName, nCategory);
}

BOOL CGridCtrl::AddUserConstant(LPCTSTR szName, double dValue)
{
    return m_FormulaEngine.AddUserConstant(szName, dValue);
}

BOOL CGridCtrl::GetUserFunction(int nIndex, CString* pstrName, short* pnCategory) const
{
    return m_FormulaEngine.GetUserFunction(nIndex, pstrName, pnCategory);
}

BOOL CGridCtrl::GetSystemFunction(int nIndex, CString* pstrName, short* pnCategory) const
{
    return m_FormulaEngine.GetSystemFunction(nIndex, pstrName, pnCategory);
}

BOOL CGridCtrl::GetUserConstant(int nIndex, CString* pstrName, double* pdValue) const
{
    return m_FormulaEngine.GetUserConstant(nIndex, pstrName, pdValue);
}

BOOL CGridCtrl::GetSystemConstant(int nIndex, CString* pstrName, double* pdValue) const
{
    return m_FormulaEngine.GetSystemConstant(nIndex, pstrName, pdValue);
}

// --- a cell's formula -------------------------------------------------------------------------

CString CGridCtrl::GetCellFormula(int nRow, int nCol)
{
    CString formula;
    if (CGridCellFormula* pCell = AsFormulaCell(m_bVirtualMode ? nullptr : GetCell(nRow, nCol)))
        pCell->GetFormula(formula);
    return formula;
}

CString CGridCtrl::GetCellFormulaForExport(int nRow, int nCol)
{
    CString formula;
    if (CGridCellFormula* pCell = AsFormulaCell(m_bVirtualMode ? nullptr : GetCell(nRow, nCol)))
        pCell->GetFormulaForExport(formula);
    return formula;
}

BOOL CGridCtrl::SetCellFormula(int nRow, int nCol, LPCTSTR szFormula)
{
    return TrySetCellFormula(nRow, nCol, szFormula) == GFS_SET;
}

GridFormulaSetResult CGridCtrl::TrySetCellFormula(int nRow, int nCol, LPCTSTR szFormula)
{
    // Nothing changes for a text that is no formula.
    if (szFormula == nullptr || szFormula[0] != '=' || m_bVirtualMode)
        return GFS_NOT_SET;
    CGridCellBase* pOld = GetCell(nRow, nCol);
    if (pOld == nullptr)
        return GFS_NOT_SET;
    // The text may live in the cell that is about to be replaced.
    const CString text(szFormula + 1);
    UpdateFormulaIndex();

    // A cell of another class is replaced by a formula cell that takes over
    // its content and settings; the old cell is kept until the formula is
    // accepted, so that a refusal can put it back as it was.
    CGridCellFormula* pCell = AsFormulaCell(pOld);
    std::unique_ptr<CGridCellBase> pReplaced;
    CFormulaTokenList previous;
    if (pCell == nullptr) {
        std::unique_ptr<CGridCellFormula> pNew(new CGridCellFormula);
        pNew->SetGrid(this);
        pNew->CopyFrom(pOld);
        CarrySettingsAcross(pNew.get(), pOld);
        CGridCellBase* pTaken = nullptr;
        if (!PutCell(nRow, nCol, pNew.get(), &pTaken))
            return GFS_NOT_SET;
        pCell = pNew.release();
        pReplaced.reset(pTaken);
    } else {
        previous = pCell->GetCompiledForm();
    }

    const CGridCellPos pos(nRow, nCol);
    if (!pCell->SetFormula(nRow, nCol, text)) {
        // The cell stays a formula cell and shows "#公式错误!"; the formula
        // it may have had is gone, and what read its value reads the message.
        const int nId = m_FormulaIndex.Find(pos);
        if (nId >= 0)
            m_FormulaIndex.Remove(nId);
        RedrawCell(nRow, nCol);
        RecalcDependents(pos);
        return GFS_COMPILE_ERROR;
    }

    const CGridCellPos through = FindCircularReference(pCell->GetCompiledForm(), nRow, nCol);
    if (through.IsValid()) {
        m_strFormulaError.Format("循环引用发生在引用%s%d单元格!", static_cast<LPCTSTR>(ColumnToLetters(through.col)),
                                 through.row);
        if (pReplaced) {
            CGridCellBase* pFormula = nullptr;
            PutCell(nRow, nCol, pReplaced.release(), &pFormula);
            delete pFormula;
        } else {
            pCell->SetCompiledForm(previous);
            RegisterFormulaCell(nRow, nCol, pCell);
        }
        EndEditing();
        PlatformMessageBox(nullptr, m_strFormulaError, kCircularCaption, MB_ICONQUESTION);
        return GFS_CIRCULAR;
    }

    RegisterFormulaCell(nRow, nCol, pCell);
    if (m_input.bFormulaCalcSuspended)
        return GFS_SET;
    EvaluateFormulaCell(nRow, nCol);
    RedrawCell(nRow, nCol);
    RecalcDependents(pos);
    return GFS_SET;
}
