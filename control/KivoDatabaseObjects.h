// The automation objects of the database model: KivoDatabase (one connection
// definition) and KivoDataSet (one data-set definition). Both are views:
// every member reads or writes the definition the grid owns.
//
// Each holds its definition with the definition's liveness token. An object
// whose definition is gone (deleted, the grid emptied or destroyed) and an
// object made by its ProgID act as empty objects: every member does nothing
// and answers its failure value.
#pragma once

#include "control/KivoObjects.gen.h"

#include <memory>

class CConnectionDef;
class CDataSetDef;

// A definition while it lives.
template <class T>
class CDefinitionLink {
public:
    CDefinitionLink() = default;
    explicit CDefinitionLink(T* p) : m_p(p), m_alive(p != nullptr ? p->GetLiveness() : std::weak_ptr<const void>()) {}
    T* Get() const { return m_p != nullptr && !m_alive.expired() ? m_p : nullptr; }

private:
    T* m_p = nullptr;
    std::weak_ptr<const void> m_alive;
};

// A KivoDatabase over the connection (no object for NULL).
CKivoObjectPtr CreateKivoDatabaseObject(CConnectionDef* pConnection);
// A KivoDataSet over the data set (no object for NULL).
CKivoObjectPtr CreateKivoDataSetObject(CDataSetDef* pDataSet);

class CKivoDatabase : public CKivoDatabaseBase {
public:
    CKivoDatabase() = default;
    explicit CKivoDatabase(CConnectionDef* pConnection);
    CConnectionDef* GetConnection() const { return m_link.Get(); }

    HRESULT get_strConnectionString(CString& pVal) override;
    HRESULT put_strConnectionString(const CString& newVal) override;
    HRESULT get_strUsername(CString& pVal) override;
    HRESULT put_strUsername(const CString& newVal) override;
    HRESULT get_strPwd(CString& pVal) override;
    HRESULT put_strPwd(const CString& newVal) override;
    HRESULT get_strName(CString& pVal) override;
    HRESULT get_nTimeOut(LONG& pVal) override;
    HRESULT put_nTimeOut(LONG newVal) override;
    HRESULT get_iOpenType(SHORT& pVal) override;
    HRESULT put_iOpenType(SHORT newVal) override;
    HRESULT get_iCloseType(SHORT& pVal) override;
    HRESULT put_iCloseType(SHORT newVal) override;
    HRESULT get_iCursorLocation(SHORT& pVal) override;
    HRESULT put_iCursorLocation(SHORT newVal) override;
    HRESULT IsOpen(SHORT& bOpen) override;
    HRESULT Open(SHORT& bOpen) override;
    HRESULT Close(SHORT& bOpen) override;
    HRESULT DelDataSet(const CString& strName, LONG& nDeleteIndex) override;
    HRESULT FindDataSet(const CString& strName, LONG& nIndex) override;
    HRESULT GetDataSetCount(LONG& nCount) override;
    HRESULT GetDataSet(const CString& strName, CKivoObjectPtr& ppDataSet) override;
    HRESULT AddDataSet(const CString& strName, CKivoObjectPtr& ppDataSet) override;
    HRESULT GetDataSetEx(LONG nIndex, CKivoObjectPtr& ppDataSet) override;
    HRESULT DelDataSetEx(LONG nIndex, LONG& nDeleteIndex) override;

private:
    CDefinitionLink<CConnectionDef> m_link;
};

class CKivoDataSet : public CKivoDataSetBase {
public:
    CKivoDataSet() = default;
    explicit CKivoDataSet(CDataSetDef* pDataSet);
    CDataSetDef* GetDataSet() const { return m_link.Get(); }

    HRESULT Open(SHORT& bOpen) override;
    HRESULT Close(SHORT& bClose) override;
    HRESULT IsOpen(SHORT& bOpen) override;
    HRESULT get_strSql(CString& pVal) override;
    HRESULT put_strSql(const CString& newVal) override;
    HRESULT get_strName(CString& pVal) override;
    HRESULT get_CommandType(LONG& pVal) override;
    HRESULT put_CommandType(LONG newVal) override;
    HRESULT get_iOpenType(SHORT& pVal) override;
    HRESULT put_iOpenType(SHORT newVal) override;
    HRESULT get_iCloseType(SHORT& pVal) override;
    HRESULT put_iCloseType(SHORT newVal) override;

private:
    CDefinitionLink<CDataSetDef> m_link;
};
