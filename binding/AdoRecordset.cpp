#include "binding/AdoRecordset.h"

#include "base/Cp936.h"
#include "binding/AdoConnection.h"

#include <algorithm>
#include <cstring>

namespace {

// SQL type numbers (the ODBC values; kept here so that this file needs no
// ODBC header).
enum : int {
    kSqlChar = 1, kSqlNumeric = 2, kSqlDecimal = 3, kSqlInteger = 4, kSqlSmallInt = 5, kSqlFloat = 6,
    kSqlReal = 7, kSqlDouble = 8, kSqlDate = 9, kSqlTime = 10, kSqlTimestamp = 11, kSqlVarChar = 12,
    kSqlTypeDate = 91, kSqlTypeTime = 92, kSqlTypeTimestamp = 93, kSqlLongVarChar = -1, kSqlBinary = -2,
    kSqlVarBinary = -3, kSqlLongVarBinary = -4, kSqlBigInt = -5, kSqlTinyInt = -6, kSqlBit = -7,
    kSqlWChar = -8, kSqlWVarChar = -9, kSqlWLongVarChar = -10, kSqlGuid = -11,
};

const char kRecordsetHead[] = "数据库记录集异常! Error";

}  // namespace

short AdoTypeOfSqlType(int nSqlType)
{
    switch (nSqlType) {
    case kSqlChar: return adChar;
    case kSqlVarChar: return adVarChar;
    case kSqlLongVarChar: return adLongVarChar;
    case kSqlWChar: return adWChar;
    case kSqlWVarChar: return adVarWChar;
    case kSqlWLongVarChar: return adLongVarWChar;
    case kSqlNumeric:
    case kSqlDecimal: return adNumeric;
    case kSqlInteger: return adInteger;
    case kSqlSmallInt: return adSmallInt;
    case kSqlTinyInt: return adTinyInt;
    case kSqlBigInt: return adBigInt;
    case kSqlBit: return adBoolean;
    case kSqlReal: return adSingle;
    case kSqlFloat:
    case kSqlDouble: return adDouble;
    case kSqlDate:
    case kSqlTypeDate: return adDBDate;
    case kSqlTime:
    case kSqlTypeTime: return adDBTime;
    case kSqlTimestamp:
    case kSqlTypeTimestamp: return adDBTimeStamp;
    case kSqlBinary: return adBinary;
    case kSqlVarBinary: return adVarBinary;
    case kSqlLongVarBinary: return adLongVarBinary;
    case kSqlGuid: return adGUID;
    default: return adVariant;
    }
}

CAdoRecordset::CAdoRecordset() = default;

CAdoRecordset::~CAdoRecordset()
{
    Close();
}

CString CAdoRecordset::StatementFor(LPCTSTR szQuery, int nCommandType)
{
    return DbStatementFor(CString(szQuery != nullptr ? szQuery : ""), nCommandType);
}

BOOL CAdoRecordset::Open(CAdoConnection* pConnection, LPCTSTR szQuery, int nCommandType)
{
    Close();
    if (szQuery != nullptr && *szQuery != '\0')
        m_strQuery = szQuery;
    if (m_pConnection == nullptr)
        m_pConnection = pConnection;
    if (nCommandType < SQLUnknown || nCommandType > SQLStoredProc)
        return FALSE;
    CDbError error;
    IDbConnection* db = m_pConnection != nullptr ? m_pConnection->GetDb() : nullptr;
    if (db == nullptr) {
        error.strSource = "ODBC";
        error.strMessage = "the connection is not open";
        Fail(error);
        return FALSE;
    }
    CDbResult result;
    if (!db->ExecuteCommand(m_strQuery, nCommandType, result, error)) {
        Fail(error);
        return FALSE;
    }
    m_result = std::move(result);
    m_nPos = 0;
    m_bOpen = true;
    m_bInMemory = false;
    return TRUE;
}

void CAdoRecordset::Load(std::vector<CDbColumn> columns, std::vector<std::vector<CDbValue>> rows)
{
    Close();
    m_result.columns = std::move(columns);
    // Every row as wide as the columns: a short row reads nulls.
    m_result.rows.Reset(m_result.columns.size());
    for (const auto& row : rows) {
        for (const CDbValue& value : row)
            m_result.rows.AddValue(value);
        m_result.rows.EndRow();
    }
    m_nPos = 0;
    m_bOpen = true;
    m_bInMemory = true;
}

void CAdoRecordset::Close()
{
    if (!m_bOpen)
        return;
    m_bEditPending = FALSE;
    m_result = CDbResult();
    m_nPos = 0;
    m_bOpen = false;
    m_bInMemory = false;
}

BOOL CAdoRecordset::IsOpen() const
{
    if (!m_bOpen)
        return FALSE;
    return m_bInMemory || (m_pConnection != nullptr && m_pConnection->IsOpen());
}

int CAdoRecordset::GetState() const
{
    return m_pConnection != nullptr && m_pConnection->IsOpen() ? m_pConnection->GetState() : -1;
}

BOOL CAdoRecordset::IsEOF() const
{
    return !m_bOpen || m_nPos >= m_result.rows.GetRowCount();
}

BOOL CAdoRecordset::IsBOF() const
{
    return !m_bOpen || m_result.rows.IsEmpty();
}

void CAdoRecordset::MoveNext()
{
    if (m_bOpen && m_nPos < m_result.rows.GetRowCount())
        ++m_nPos;
}

void CAdoRecordset::MoveFirst()
{
    m_nPos = 0;
}

int CAdoRecordset::GetRecordCount() const
{
    // Every row is read when the recordset opens: the count is known.
    return m_bOpen ? static_cast<int>(std::min<size_t>(m_result.rows.GetRowCount(), 0x7FFFFFFF)) : -1;
}

int CAdoRecordset::GetFieldCount() const
{
    return m_bOpen ? static_cast<int>(m_result.columns.size()) : 0;
}

int CAdoRecordset::FindField(LPCTSTR szName) const
{
    if (!m_bOpen || szName == nullptr)
        return -1;
    for (size_t i = 0; i < m_result.columns.size(); ++i) {
        if (m_result.columns[i].strName.CompareNoCase(szName) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const CDbColumn* CAdoRecordset::GetColumn(int nIndex) const
{
    if (!m_bOpen || nIndex < 0 || static_cast<size_t>(nIndex) >= m_result.columns.size())
        return nullptr;
    return &m_result.columns[static_cast<size_t>(nIndex)];
}

void CAdoRecordset::Fail(const CDbError& error)
{
    const HRESULT hr = AdoErrorCode(error);
    const CString text = FormatAdoErrorText(kRecordsetHead, hr, error);
    m_hrLastError = hr;
    m_strLastError = "Query = " + m_strQuery + "\n" + text;
    ShowAdoErrorBox(text);
}

bool CAdoRecordset::CurrentRowOk(int nIndex)
{
    CDbError error;
    error.strSource = "ODBC";
    if (GetColumn(nIndex) == nullptr)
        error.strMessage = "no such field in the recordset";
    else if (IsEOF())
        error.strMessage = "the recordset is at its end";
    else
        return true;
    Fail(error);
    return false;
}

BOOL CAdoRecordset::GetFieldValue(LPCTSTR szName, CDbValue& value)
{
    return GetFieldValue(FindField(szName), value);
}

BOOL CAdoRecordset::GetFieldValue(int nIndex, CDbValue& value)
{
    if (!CurrentRowOk(nIndex))
        return FALSE;
    m_result.rows.GetValue(m_nPos, static_cast<size_t>(nIndex), value);
    return TRUE;
}

BOOL CAdoRecordset::GetFieldType(LPCTSTR szName, AdoFieldInfo* pInfo)
{
    return GetFieldInfo(FindField(szName), pInfo);
}

BOOL CAdoRecordset::GetFieldInfo(int nIndex, AdoFieldInfo* pInfo)
{
    const CDbColumn* column = GetColumn(nIndex);
    if (pInfo == nullptr)
        return FALSE;
    if (column == nullptr) {
        CDbError error;
        error.strSource = "ODBC";
        error.strMessage = "no such field in the recordset";
        Fail(error);
        return FALSE;
    }
    *pInfo = AdoFieldInfo();
    // The name, cut to 29 bytes at a character boundary.
    const char* name = column->strName;
    const int length = column->strName.GetLength();
    int keep = 0;
    while (keep < length) {
        const int next = cp936::NextChar(name, length, keep);
        if (next > static_cast<int>(sizeof pInfo->m_strName) - 1)
            break;
        keep = next;
    }
    std::memcpy(pInfo->m_strName, name, static_cast<size_t>(keep));
    pInfo->m_nType = column->nAdoType != 0 ? column->nAdoType : AdoTypeOfSqlType(column->nSqlType);
    pInfo->m_lDefinedSize = column->nSize;
    pInfo->m_lAttributes = column->bNullable ? (adFldMayBeNull | adFldIsNullable) : 0;
    if (!IsEOF()) {
        const CDbValue v = m_result.rows.GetValue(m_nPos, static_cast<size_t>(nIndex));
        pInfo->m_lSize = v.GetKind() == CDbValue::Binary ? static_cast<long>(v.GetBytes().size())
                                                          : static_cast<long>(v.GetText().GetLength());
    }
    return TRUE;
}
