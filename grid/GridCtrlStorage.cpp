// Creating, placing, replacing and destroying the grid's cells.
#include "grid/GridCtrl.h"

#include <cstring>
#include <new>

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (m_pRtcDefault == nullptr || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    CObject* pObject = m_pRtcDefault->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    CGridCellBase* pCell = static_cast<CGridCellBase*>(pObject);
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    BOOL bFixedRow = nRow < m_nFixedRows;
    BOOL bFixedCol = nCol < m_nFixedCols;
    if (bFixedCol)
        pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
    if (bFixedRow)
        pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDROW);
    CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);
    pCell->SetAlign(pDefault->GetStoredAlign());
    if (bFixedRow || bFixedCol)
        pCell->SetTextColor(pDefault->GetTextColor());
    else
        pCell->SetFont(m_cellDefault.GetFont());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || static_cast<size_t>(nRow) >= m_RowData.size())
        return;
    GridRow& row = m_RowData[static_cast<size_t>(nRow)];
    if (static_cast<size_t>(nCol) < row.size())
        row[static_cast<size_t>(nCol)].reset();
}

BOOL CGridCtrl::PutCell(int nRow, int nCol, CGridCellBase* pCell, CGridCellBase** ppOld)
{
    if (ppOld != nullptr)
        *ppOld = nullptr;
    if (m_bVirtualMode || !IsValid(nRow, nCol) || static_cast<size_t>(nRow) >= m_RowData.size())
        return FALSE;
    GridRow& row = m_RowData[static_cast<size_t>(nRow)];
    if (static_cast<size_t>(nCol) >= row.size())
        return FALSE;
    if (pCell != nullptr)
        pCell->SetCoords(nRow, nCol);
    std::unique_ptr<CGridCellBase>& slot = row[static_cast<size_t>(nCol)];
    if (ppOld != nullptr)
        *ppOld = slot.release();
    slot.reset(pCell);
    return TRUE;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || pRuntimeClass == nullptr ||
        !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    CObject* pObject = pRuntimeClass->CreateObject();
    if (pObject == nullptr)
        return FALSE;
    std::unique_ptr<CGridCellBase> pNew(static_cast<CGridCellBase*>(pObject));
    pNew->SetGrid(this);
    CGridCellBase* pOld = GetCell(nRow, nCol);
    if (pOld != nullptr && std::strcmp(pRuntimeClass->m_lpszClassName, "CTreeColumn") != 0) {
        pNew->CopyFrom(pOld);
        CarrySettingsAcross(pNew.get(), pOld);
    }
    return PutCell(nRow, nCol, pNew.release());
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, int nType)
{
    LPCTSTR className = GetCellTypeClassName(nType);
    if (className == nullptr)
        return FALSE;
    const CRuntimeClass* pClass = CRuntimeClass::FromName(className);
    if (pClass == nullptr)
        return FALSE;
    return SetCellType(nRow, nCol, pClass);
}

int CGridCtrl::GetCellType(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return -1;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return 0;
    return GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName);
}

int CGridCtrl::GetCellTypeFromClassName(LPCTSTR szClassName)
{
    static const struct {
        const char* name;
        int type;
    } kClasses[] = {
        {"CGridCell", GCT_EDIT},           {"CGridCellCheck", GCT_CHECKBOX},
        {"CGridCellCheckCombo", GCT_COMBOCHECK}, {"CGridCellCombo", GCT_COMBOBOX},
        {"CGridCellDateTime", GCT_DATETIME}, {"CGridCellNumeric", GCT_NUMERIC},
        {"CGridURLCell", GCT_URL},         {"CGridCellButton", GCT_BUTTON},
        {"CGridTreeCell", GCT_TREE},       {"CGridCellSuperEdit", GCT_SUPEREDIT},
        {"CGridCellFormula", GCT_FORMULA}, {"CGridCellImage", GCT_IMAGE},
    };
    if (szClassName == nullptr)
        return -1;
    for (const auto& entry : kClasses) {
        if (std::strcmp(entry.name, szClassName) == 0)
            return entry.type;
    }
    return -1;
}
