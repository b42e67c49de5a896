// The grid's data-source model reached by name: connection strings and SQL
// texts, filling the automatic binds, and the bound field of a cell.
#include "grid/GridCtrl.h"

namespace {

bool IsEmpty(LPCTSTR sz)
{
    return sz == nullptr || *sz == '\0';
}

}  // namespace

BOOL CGridCtrl::SetConnectionString(LPCTSTR szConnection, LPCTSTR szText)
{
    if (IsEmpty(szConnection) || IsEmpty(szText))
        return FALSE;
    CConnectionDef* pConnection = m_ConnectionList.GetConnection(szConnection);
    if (pConnection == nullptr)
        return FALSE;
    pConnection->m_strConnectionString = szText;
    return TRUE;
}

BOOL CGridCtrl::SetDataSetSql(LPCTSTR szConnection, LPCTSTR szDataSet, LPCTSTR szSql)
{
    if (IsEmpty(szSql))
        return FALSE;
    CDataSetDef* pDataSet = GetDataSet(szConnection, szDataSet);
    if (pDataSet == nullptr)
        return FALSE;
    pDataSet->m_strSql = szSql;
    return TRUE;
}

short CGridCtrl::FillData()
{
    if (m_ConnectionList.OpenAutoConnections() <= 0)
        return -1;
    return m_BindList.FillAutoBinds() > 0 ? 1 : 0;
}

BOOL CGridCtrl::GetBindField(LPCTSTR szBind, int nRow, int nCol, CBindFieldInfo& field)
{
    if (IsEmpty(szBind) || !IsValid(nRow, nCol))
        return FALSE;
    const CBindInfo* pBind = m_BindList.GetBind(szBind);
    if (pBind == nullptr)
        return FALSE;
    const int index = pBind->FindField(nRow, nCol);
    return index >= 0 && pBind->GetFieldList().GetField(index, field);
}

CDataSetDef* CGridCtrl::GetDataSet(LPCTSTR szConnection, LPCTSTR szDataSet)
{
    if (IsEmpty(szConnection) || IsEmpty(szDataSet))
        return nullptr;
    CConnectionDef* pConnection = m_ConnectionList.GetConnection(szConnection);
    return pConnection != nullptr ? pConnection->GetDataSet(szDataSet) : nullptr;
}
