#include "binding/DataSetRecordset.h"

#include "base/DateTime.h"
#include "binding/AdoRecordset.h"
#include "binding/ConnectionDefList.h"

namespace {

CBindValue FromDbValue(const CDbValue& v)
{
    switch (v.GetKind()) {
    case CDbValue::Null: return CBindValue::MakeNull();
    case CDbValue::Integer: return CBindValue::MakeInteger(v.GetInteger());
    case CDbValue::Double:
    case CDbValue::Decimal: return CBindValue::MakeReal(v.GetDouble());
    case CDbValue::Boolean: return CBindValue::MakeBoolean(v.GetInteger() != 0);
    case CDbValue::Date:
    case CDbValue::Timestamp: return CBindValue::MakeDate(v.GetDouble());
    default: return CBindValue::MakeText(v.GetText());
    }
}

class CDataSetRecordset : public IBindRecordset {
public:
    explicit CDataSetRecordset(CDataSetDef* pDataSet) : m_pDataSet(pDataSet), m_alive(pDataSet->GetLiveness()) {}

    BOOL IsOpen() const override { return Rs() != nullptr; }
    BOOL IsEOF() const override
    {
        CAdoRecordset* rs = Rs();
        return rs == nullptr || rs->IsEOF();
    }
    void MoveFirst() override
    {
        if (CAdoRecordset* rs = Rs())
            rs->MoveFirst();
    }
    void MoveNext() override
    {
        if (CAdoRecordset* rs = Rs())
            rs->MoveNext();
    }
    int GetRecordCount() override
    {
        CAdoRecordset* rs = Rs();
        return rs != nullptr ? rs->GetRecordCount() : 0;
    }
    int GetFieldCount() override
    {
        CAdoRecordset* rs = Rs();
        return rs != nullptr ? rs->GetFieldCount() : 0;
    }
    BOOL GetFieldType(int nIndex, int& nType) override
    {
        CAdoRecordset* rs = Rs();
        AdoFieldInfo info;
        if (rs == nullptr || nIndex < 0 || nIndex >= rs->GetFieldCount() || !rs->GetFieldInfo(nIndex, &info))
            return FALSE;
        nType = info.m_nType;
        return TRUE;
    }
    BOOL GetFieldType(LPCTSTR szName, int& nType) override
    {
        // Looked up without the error box: the fill reports a missing field
        // by its first value read.
        CAdoRecordset* rs = Rs();
        const int index = rs != nullptr ? rs->FindField(szName) : -1;
        return index >= 0 && GetFieldType(index, nType);
    }
    BOOL GetFieldValue(int nIndex, CBindValue& value) override
    {
        CAdoRecordset* rs = Rs();
        if (rs == nullptr || !rs->GetFieldValue(nIndex, m_value))
            return FALSE;
        value = FromDbValue(m_value);
        return TRUE;
    }
    BOOL GetFieldValue(LPCTSTR szName, CBindValue& value) override
    {
        CAdoRecordset* rs = Rs();
        if (rs == nullptr || !rs->GetFieldValue(szName, m_value))
            return FALSE;
        value = FromDbValue(m_value);
        return TRUE;
    }

    int FindField(LPCTSTR szName) override
    {
        CAdoRecordset* rs = Rs();
        return rs != nullptr ? rs->FindField(szName) : -1;
    }

private:
    CAdoRecordset* Rs() const
    {
        if (m_alive.expired() || !m_pDataSet->IsOpen())
            return nullptr;
        return m_pDataSet->GetRecordset();
    }

    CDataSetDef* m_pDataSet;
    std::weak_ptr<const void> m_alive;
    CDbValue m_value;   // the value read last; its storage serves the next read
};

}  // namespace

std::shared_ptr<IBindRecordset> CreateDataSetRecordset(CDataSetDef* pDataSet)
{
    if (pDataSet == nullptr)
        return nullptr;
    return std::make_shared<CDataSetRecordset>(pDataSet);
}
