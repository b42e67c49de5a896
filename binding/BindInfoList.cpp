#include "binding/BindInfoList.h"

#include "binding/BindNames.h"

// --- field list -----------------------------------------------------------------

int CBindFieldInfoList::AddField(const CBindFieldInfo& field)
{
    m_fields.push_back(field);
    return GetCount() - 1;
}

BOOL CBindFieldInfoList::GetField(int nIndex, CBindFieldInfo& field) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    field = m_fields[static_cast<size_t>(nIndex)];
    return TRUE;
}

BOOL CBindFieldInfoList::SetField(int nIndex, const CBindFieldInfo& field)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_fields[static_cast<size_t>(nIndex)] = field;
    return TRUE;
}

BOOL CBindFieldInfoList::DeleteField(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_fields.erase(m_fields.begin() + nIndex);
    return TRUE;
}

// --- one bind ---------------------------------------------------------------------

CBindInfo::CBindInfo(LPCTSTR szName) : m_strName(CutBindName(szName))
{
}

CBindInfo::~CBindInfo() = default;

void CBindInfo::SetName(LPCTSTR szName)
{
    m_strName = CutBindName(szName);
}

int CBindInfo::FindField(int nRow, int nCol) const
{
    CBindFieldInfo field;
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        m_fields.GetField(i, field);
        if (field.nRow == nRow && field.nCol == nCol)
            return i;
    }
    return -1;
}

// --- the list -----------------------------------------------------------------------

CBindInfoList::CBindInfoList() = default;

CBindInfoList::~CBindInfoList()
{
    DeleteAllBinds();
}

CBindInfo* CBindInfoList::AddBind(LPCTSTR szName, CGridCtrl* pGrid)
{
    CString name = CutBindName(szName);
    if (name.IsEmpty() || FindBind(name) >= 0)
        return nullptr;
    auto pBind = std::make_unique<CBindInfo>(name);
    pBind->SetGrid(pGrid);
    m_binds.push_back(std::move(pBind));
    return m_binds.back().get();
}

int CBindInfoList::FindBind(LPCTSTR szName) const
{
    if (szName == nullptr || *szName == '\0')
        return -1;
    CString name = CutBindName(szName);
    for (size_t i = 0; i < m_binds.size(); ++i) {
        if (m_binds[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

CBindInfo* CBindInfoList::GetBind(LPCTSTR szName) const
{
    return GetBindAt(FindBind(szName));
}

CBindInfo* CBindInfoList::GetBindAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_binds[static_cast<size_t>(nIndex)].get();
}

BOOL CBindInfoList::SetBind(LPCTSTR szName, std::unique_ptr<CBindInfo> pBind)
{
    return SetBindAt(FindBind(szName), std::move(pBind));
}

BOOL CBindInfoList::SetBindAt(int nIndex, std::unique_ptr<CBindInfo> pBind)
{
    if (!pBind || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_binds[static_cast<size_t>(nIndex)] = std::move(pBind);
    return TRUE;
}

BOOL CBindInfoList::DeleteBind(LPCTSTR szName)
{
    return DeleteBindAt(FindBind(szName));
}

BOOL CBindInfoList::DeleteBindAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_binds.erase(m_binds.begin() + nIndex);
    return TRUE;
}

short CBindInfoList::DeleteAllBinds()
{
    short count = static_cast<short>(m_binds.size());
    while (!m_binds.empty())
        m_binds.pop_back();
    return count;
}

short CBindInfoList::FillAllBinds()
{
    return 0;
}

int CBindInfoList::FillAutoBinds()
{
    return 0;
}
