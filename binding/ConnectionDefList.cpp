#include "binding/ConnectionDefList.h"

#include "binding/BindNames.h"

// --- data set ------------------------------------------------------------------

CDataSetDef::CDataSetDef(LPCTSTR szName, CConnectionDef* pConnection)
    : m_strName(CutBindName(szName)), m_pConnection(pConnection)
{
}

CDataSetDef::~CDataSetDef() = default;

// --- connection -------------------------------------------------------------------

CConnectionDef::CConnectionDef(LPCTSTR szName) : m_strName(CutBindName(szName))
{
}

CConnectionDef::~CConnectionDef()
{
    while (!m_dataSets.empty())
        m_dataSets.pop_back();
}

int CConnectionDef::NewDataSet(LPCTSTR szName)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || LookupDataSet(name) >= 0)
        return -1;
    m_dataSets.push_back(std::make_unique<CDataSetDef>(name, this));
    return GetDataSetCount() - 1;
}

int CConnectionDef::LookupDataSet(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_dataSets.size(); ++i) {
        if (m_dataSets[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CDataSetDef* CConnectionDef::GetDataSet(LPCTSTR szName) const
{
    return GetDataSetAt(LookupDataSet(szName));
}

CDataSetDef* CConnectionDef::GetDataSetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetDataSetCount())
        return nullptr;
    return m_dataSets[static_cast<size_t>(nIndex)].get();
}

int CConnectionDef::DeleteDataSet(LPCTSTR szName)
{
    return DeleteDataSetAt(LookupDataSet(szName));
}

int CConnectionDef::DeleteDataSetAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetDataSetCount())
        return -1;
    m_dataSets.erase(m_dataSets.begin() + nIndex);
    return nIndex;
}

// --- the list -------------------------------------------------------------------------

CConnectionDefList::CConnectionDefList() = default;

CConnectionDefList::~CConnectionDefList()
{
    DeleteAll();
}

void CConnectionDefList::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    for (auto& pConnection : m_connections)
        pConnection->SetGrid(pGrid);
}

int CConnectionDefList::AddConnection(LPCTSTR szName)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || FindConnection(name) >= 0)
        return -1;
    auto pConnection = std::make_unique<CConnectionDef>(name);
    pConnection->SetGrid(m_pGrid);
    m_connections.push_back(std::move(pConnection));
    return GetCount() - 1;
}

int CConnectionDefList::DeleteConnection(LPCTSTR szName)
{
    return DeleteConnectionAt(FindConnection(szName));
}

int CConnectionDefList::DeleteConnectionAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return -1;
    m_connections.erase(m_connections.begin() + nIndex);
    return nIndex;
}

int CConnectionDefList::FindConnection(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_connections.size(); ++i) {
        if (m_connections[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CConnectionDef* CConnectionDefList::GetConnection(LPCTSTR szName) const
{
    return GetConnectionAt(FindConnection(szName));
}

CConnectionDef* CConnectionDefList::GetConnectionAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_connections[static_cast<size_t>(nIndex)].get();
}

int CConnectionDefList::OpenAutoConnections()
{
    return 0;
}

void CConnectionDefList::DeleteAll()
{
    while (!m_connections.empty())
        m_connections.pop_back();
}
