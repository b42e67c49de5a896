#include "binding/AdoConnection.h"

#include "base/WinConstants.h"
#include "platform/MessageBox.h"

CString FormatAdoErrorText(LPCTSTR szHead, HRESULT hr, const CDbError& error)
{
    CString meaning = error.strState.IsEmpty() ? CString("未指定的错误") : "SQLSTATE " + error.strState;
    CString text;
    text.Format("%s\n\t错误代码 = %08lx\n\t错误代码含义 = %s\n\t错误源 = %s\n\t错误描述 = %s\n", szHead,
                static_cast<unsigned long>(static_cast<unsigned int>(hr)), meaning, error.strSource,
                error.strMessage);
    return text;
}

HRESULT AdoErrorCode(const CDbError& error)
{
    return error.nCode < 0 ? static_cast<HRESULT>(error.nCode) : kAdoErrorCode;
}

void ShowAdoErrorBox(const CString& strText)
{
    PlatformMessageBox(nullptr, strText, "错误", MB_OK | MB_ICONERROR);
}

CAdoConnection::CAdoConnection() : m_pDb(CreateDbConnection())
{
}

CAdoConnection::~CAdoConnection()
{
    Close();
}

BOOL CAdoConnection::Open(LPCTSTR szConnection, LPCTSTR szUser, LPCTSTR szPassword)
{
    Close();
    if (szConnection != nullptr && *szConnection != '\0')
        m_strConnection = szConnection;
    CDbError error;
    if (m_pDb != nullptr &&
        m_pDb->Open(m_strConnection, CString(szUser != nullptr ? szUser : ""),
                    CString(szPassword != nullptr ? szPassword : ""), m_nTimeOut, error))
        return TRUE;
    if (m_pDb == nullptr)
        error.strMessage = "no database service";
    const HRESULT hr = AdoErrorCode(error);
    const CString text = FormatAdoErrorText("数据库链接异常!", hr, error);
    m_strErrorDescription = error.strMessage;
    m_hrLastError = hr;
    m_strLastError = "Connection String = " + m_strConnection + "\n" + text;
    ShowAdoErrorBox(text);
    return FALSE;
}

BOOL CAdoConnection::IsOpen() const
{
    return m_pDb != nullptr && m_pDb->IsOpen();
}

BOOL CAdoConnection::Close()
{
    if (!IsOpen())
        return FALSE;
    m_pDb->Close();
    return TRUE;
}

int CAdoConnection::GetState() const
{
    return IsOpen() ? 1 : -1;
}
