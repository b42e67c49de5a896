// How a bind reaches the data sets of the grid's connection list.
#include "binding/BindInfoList.h"

#include "binding/ConnectionDefList.h"
#include "binding/DataSetRecordset.h"
#include "grid/GridCtrl.h"

namespace {

CDataSetDef* FindDataSet(CGridCtrl* pGrid, const CString& connName, const CString& dataSetName)
{
    if (pGrid == nullptr || connName.IsEmpty() || dataSetName.IsEmpty())
        return nullptr;
    CConnectionDef* pConnection = pGrid->GetConnectionList().GetConnection(connName);
    return pConnection != nullptr ? pConnection->GetDataSet(dataSetName) : nullptr;
}

// The open recordset of a data set; NULL while the data set is not open.
std::shared_ptr<IBindRecordset> OpenRecordset(CDataSetDef* pDataSet)
{
    if (pDataSet == nullptr || !pDataSet->IsOpen())
        return nullptr;
    return CreateDataSetRecordset(pDataSet);
}

}  // namespace

short CBindInfo::AttachDataSource()
{
    std::shared_ptr<IBindRecordset> pRecordset = OpenRecordset(FindDataSet(m_pGrid, m_strConnName, m_strDataSetName));
    if (!pRecordset)
        return 0;
    BindSource(pRecordset);
    return 1;
}

CString CBindInfo::GetListText(LPCTSTR szConnName, LPCTSTR szDataSetName)
{
    std::shared_ptr<IBindRecordset> pRecordset =
        OpenRecordset(FindDataSet(m_pGrid, CString(szConnName != nullptr ? szConnName : ""),
                                  CString(szDataSetName != nullptr ? szDataSetName : "")));
    return pRecordset ? GetListText(*pRecordset) : CString();
}

void CBindInfo::CloseAfterFill()
{
    CDataSetDef* pDataSet = FindDataSet(m_pGrid, m_strConnName, m_strDataSetName);
    if (pDataSet == nullptr || pDataSet->m_nCloseType != 1)
        return;
    m_pRecordset.reset();
    pDataSet->Close();
}

// --- filling every bind -------------------------------------------------------------

int CBindInfoList::FillPasses(bool bAutoOnly)
{
    int filled = 0;
    auto fill = [&filled](CBindInfo& bind) {
        bind.AttachDataSource();
        if (bind.GetRecordset() != nullptr && bind.FillData() >= 0)
            ++filled;
    };
    for (auto& bind : m_binds) {
        if (bind->FillType != BFT_BOTTOM && (!bAutoOnly || bind->GetOpenType() == 1))
            fill(*bind);
    }
    for (auto& bind : m_binds) {
        if (bind->FillType != BFT_BOTTOM || (bAutoOnly && bind->GetOpenType() != 1))
            continue;
        if (!bind->GetBodyBindName().IsEmpty()) {
            CBindInfo* pBody = GetBind(bind->GetBodyBindName());
            if (pBody != nullptr)
                bind->SetBodyBind(pBody);
        }
        fill(*bind);
    }
    return filled;
}

short CBindInfoList::FillAllBinds()
{
    return static_cast<short>(FillPasses(false));
}

int CBindInfoList::FillAutoBinds()
{
    if (m_pGrid == nullptr)
        return FillPasses(true);
    m_pGrid->SetFormulaCalcSuspended(TRUE);
    const int filled = FillPasses(true);
    m_pGrid->SetFormulaCalcSuspended(FALSE);
    m_pGrid->CalcAll();
    return filled;
}
