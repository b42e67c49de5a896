// KivoDatabase and KivoDataSet over the grid's connection and data-set
// definitions.
#include "control/KivoDatabaseObjects.h"

#include "binding/ConnectionDefList.h"

CKivoDatabase::CKivoDatabase(CConnectionDef* pConnection) : m_link(pConnection)
{
}

CKivoDataSet::CKivoDataSet(CDataSetDef* pDataSet) : m_link(pDataSet)
{
}

CKivoObjectPtr CreateKivoDatabaseObject(CConnectionDef* pConnection)
{
    return pConnection != nullptr ? std::make_unique<CKivoDatabase>(pConnection) : CKivoObjectPtr();
}

CKivoObjectPtr CreateKivoDataSetObject(CDataSetDef* pDataSet)
{
    return pDataSet != nullptr ? std::make_unique<CKivoDataSet>(pDataSet) : CKivoObjectPtr();
}

// The empty object's answer: the base's failure values.
#define KIVO_CONNECTION_OR(base_call)          \
    CConnectionDef* db = m_link.Get();         \
    if (db == nullptr)                         \
        return base_call;

#define KIVO_DATASET_OR(base_call)             \
    CDataSetDef* ds = m_link.Get();            \
    if (ds == nullptr)                         \
        return base_call;

// --- KivoDatabase ---------------------------------------------------------------------------

HRESULT CKivoDatabase::get_strConnectionString(CString& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_strConnectionString(pVal))
    pVal = db->m_strConnectionString;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_strConnectionString(const CString& newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_strConnectionString = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::get_strUsername(CString& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_strUsername(pVal))
    pVal = db->m_strUserName;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_strUsername(const CString& newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_strUserName = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::get_strPwd(CString& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_strPwd(pVal))
    pVal = db->m_strPassword;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_strPwd(const CString& newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_strPassword = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::get_strName(CString& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_strName(pVal))
    pVal = db->GetName();
    return kKivoOk;
}

HRESULT CKivoDatabase::get_nTimeOut(LONG& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_nTimeOut(pVal))
    pVal = db->m_nTimeOut;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_nTimeOut(LONG newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    if (newVal > 0)
        db->m_nTimeOut = static_cast<int>(newVal);
    return kKivoOk;
}

HRESULT CKivoDatabase::get_iOpenType(SHORT& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_iOpenType(pVal))
    pVal = db->m_nOpenType;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_iOpenType(SHORT newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_nOpenType = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::get_iCloseType(SHORT& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_iCloseType(pVal))
    pVal = db->m_nCloseType;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_iCloseType(SHORT newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_nCloseType = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::get_iCursorLocation(SHORT& pVal)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::get_iCursorLocation(pVal))
    pVal = db->m_nCursorLocation;
    return kKivoOk;
}

HRESULT CKivoDatabase::put_iCursorLocation(SHORT newVal)
{
    KIVO_CONNECTION_OR(kKivoOk)
    db->m_nCursorLocation = newVal;
    return kKivoOk;
}

HRESULT CKivoDatabase::IsOpen(SHORT& bOpen)
{
    bOpen = 0;
    KIVO_CONNECTION_OR(kKivoOk)
    bOpen = db->IsOpen() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDatabase::Open(SHORT& bOpen)
{
    bOpen = 0;
    KIVO_CONNECTION_OR(kKivoOk)
    bOpen = db->Open() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDatabase::Close(SHORT& bOpen)
{
    bOpen = 0;
    KIVO_CONNECTION_OR(kKivoOk)
    bOpen = db->Close() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDatabase::DelDataSet(const CString& strName, LONG& nDeleteIndex)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::DelDataSet(strName, nDeleteIndex))
    nDeleteIndex = db->DeleteDataSet(strName);
    return kKivoOk;
}

HRESULT CKivoDatabase::FindDataSet(const CString& strName, LONG& nIndex)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::FindDataSet(strName, nIndex))
    nIndex = db->LookupDataSet(strName);
    return kKivoOk;
}

HRESULT CKivoDatabase::GetDataSetCount(LONG& nCount)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::GetDataSetCount(nCount))
    nCount = db->GetDataSetCount();
    return kKivoOk;
}

HRESULT CKivoDatabase::GetDataSet(const CString& strName, CKivoObjectPtr& ppDataSet)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::GetDataSet(strName, ppDataSet))
    ppDataSet = CreateKivoDataSetObject(db->GetDataSet(strName));
    return kKivoOk;
}

HRESULT CKivoDatabase::AddDataSet(const CString& strName, CKivoObjectPtr& ppDataSet)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::AddDataSet(strName, ppDataSet))
    const int index = db->NewDataSet(strName);
    CDataSetDef* pDataSet = db->GetDataSetAt(index);
    if (pDataSet != nullptr)
        pDataSet->SetConnection(db);
    ppDataSet = CreateKivoDataSetObject(pDataSet);
    return kKivoOk;
}

HRESULT CKivoDatabase::GetDataSetEx(LONG nIndex, CKivoObjectPtr& ppDataSet)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::GetDataSetEx(nIndex, ppDataSet))
    ppDataSet = CreateKivoDataSetObject(db->GetDataSetAt(static_cast<int>(nIndex)));
    return kKivoOk;
}

HRESULT CKivoDatabase::DelDataSetEx(LONG nIndex, LONG& nDeleteIndex)
{
    KIVO_CONNECTION_OR(CKivoDatabaseBase::DelDataSetEx(nIndex, nDeleteIndex))
    nDeleteIndex = db->DeleteDataSetAt(static_cast<int>(nIndex));
    return kKivoOk;
}

// --- KivoDataSet ----------------------------------------------------------------------------

HRESULT CKivoDataSet::Open(SHORT& bOpen)
{
    bOpen = 0;
    KIVO_DATASET_OR(kKivoOk)
    bOpen = ds->Open() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDataSet::Close(SHORT& bClose)
{
    bClose = 0;
    KIVO_DATASET_OR(kKivoOk)
    bClose = ds->Close() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDataSet::IsOpen(SHORT& bOpen)
{
    bOpen = 0;
    KIVO_DATASET_OR(kKivoOk)
    bOpen = ds->IsOpen() ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoDataSet::get_strSql(CString& pVal)
{
    KIVO_DATASET_OR(CKivoDataSetBase::get_strSql(pVal))
    pVal = ds->m_strSql;
    return kKivoOk;
}

HRESULT CKivoDataSet::put_strSql(const CString& newVal)
{
    KIVO_DATASET_OR(kKivoOk)
    ds->m_strSql = newVal;
    return kKivoOk;
}

HRESULT CKivoDataSet::get_strName(CString& pVal)
{
    KIVO_DATASET_OR(CKivoDataSetBase::get_strName(pVal))
    pVal = ds->GetName();
    return kKivoOk;
}

HRESULT CKivoDataSet::get_CommandType(LONG& pVal)
{
    KIVO_DATASET_OR(CKivoDataSetBase::get_CommandType(pVal))
    pVal = ds->m_nCommandType;   // 16 bits, sign-extended
    return kKivoOk;
}

HRESULT CKivoDataSet::put_CommandType(LONG newVal)
{
    KIVO_DATASET_OR(kKivoOk)
    ds->m_nCommandType = static_cast<short>(newVal);
    return kKivoOk;
}

HRESULT CKivoDataSet::get_iOpenType(SHORT& pVal)
{
    KIVO_DATASET_OR(CKivoDataSetBase::get_iOpenType(pVal))
    pVal = ds->m_nOpenType;
    return kKivoOk;
}

HRESULT CKivoDataSet::put_iOpenType(SHORT newVal)
{
    KIVO_DATASET_OR(kKivoOk)
    ds->m_nOpenType = newVal;
    return kKivoOk;
}

HRESULT CKivoDataSet::get_iCloseType(SHORT& pVal)
{
    KIVO_DATASET_OR(CKivoDataSetBase::get_iCloseType(pVal))
    pVal = ds->m_nCloseType;
    return kKivoOk;
}

HRESULT CKivoDataSet::put_iCloseType(SHORT newVal)
{
    KIVO_DATASET_OR(kKivoOk)
    ds->m_nCloseType = newVal;
    return kKivoOk;
}
