// The binding objects: KivoBind, a view of one bind the grid owns, and the
// value objects KivoBindField and KivoBindGroupRowInfo, each holding its own
// copy of a bound field or of a bind's group-row settings. A host edits a
// value object and hands it to a KivoBind member, which copies the record
// into the bind; the bind never keeps the object.
//
// A KivoBind holds its bind weakly (the bind's liveness token): once the bind
// is deleted, replaced or its grid is gone, the object acts like one made by
// its ProgID: every member does nothing and answers S_OK with its result
// left at its failure value.
#pragma once

#include "binding/BindInfoList.h"
#include "control/KivoObjects.gen.h"

#include <memory>

class CKivoBind : public CKivoBindBase {
public:
    CKivoBind() = default;
    explicit CKivoBind(CBindInfo* pBind);
    // The bind while it lives; NULL otherwise (GetBindPtr).
    CBindInfo* GetBind() const { return m_pBind != nullptr && !m_alive.expired() ? m_pBind : nullptr; }

    HRESULT get_nFillStartRow(LONG& pVal) override;
    HRESULT put_nFillStartRow(LONG newVal) override;
    HRESULT get_FillType(LONG& pVal) override;
    HRESULT put_FillType(LONG newVal) override;
    HRESULT get_bAutoCol(SHORT& pVal) override;
    HRESULT put_bAutoCol(SHORT newVal) override;
    HRESULT get_bAutoRow(SHORT& pVal) override;
    HRESULT put_bAutoRow(SHORT newVal) override;
    HRESULT SetBodyBind(CKivoObject* Bind, SHORT& iResult) override;
    HRESULT SetGroupRowInfo(CKivoObject* GRInfo, SHORT& iResult) override;
    HRESULT GetGroupRowInfo(CKivoObjectPtr& ppGRInfo) override;
    HRESULT get_iOpenType(SHORT& pVal) override;
    HRESULT put_iOpenType(SHORT newVal) override;
    HRESULT SetKivoSource(const CString& strConnName, const CString& strSetName) override;
    HRESULT BindKivoSource(SHORT& iResult) override;
    HRESULT get_strName(CString& pVal) override;
    HRESULT SetBodyBindEx(const CString& strName, SHORT& iResult) override;
    HRESULT GetBodyBindEx(CString& pstrName) override;
    HRESULT GetConnName(CString& pstrName) override;
    HRESULT GetDataSetName(CString& pstrName) override;
    HRESULT get_nFieldCount(LONG& pVal) override;
    HRESULT GetFieldEx(LONG nRow, LONG nCol, CKivoObjectPtr& ppField) override;
    HRESULT FindField(LONG nRow, LONG nCol, LONG& nIndex) override;
    HRESULT get_nFillStartCol(LONG& pVal) override;
    HRESULT put_nFillStartCol(LONG newVal) override;
    HRESULT FillData(LONG& nFillCount) override;
    HRESULT AddField(CKivoObject* Field, SHORT& iResult) override;
    HRESULT SetField(LONG nFieldIndex, CKivoObject* Field, SHORT& iResult) override;
    HRESULT DeleteField(LONG nFieldIndex, SHORT& iResult) override;
    HRESULT GetField(LONG nFieldIndex, CKivoObjectPtr& ppField) override;
    HRESULT BindSource(CKivoObject* rs) override;

private:
    CBindInfo* m_pBind = nullptr;
    std::weak_ptr<const void> m_alive;
};

class CKivoBindField : public CKivoBindFieldBase {
public:
    CKivoBindField() = default;
    explicit CKivoBindField(const CBindFieldInfo& record) : m_record(record) {}
    const CBindFieldInfo& GetRecord() const { return m_record; }

    HRESULT get_sFieldName(CString& pVal) override;
    HRESULT put_sFieldName(const CString& newVal) override;
    HRESULT get_nRow(LONG& pVal) override;
    HRESULT put_nRow(LONG newVal) override;
    HRESULT get_nCol(LONG& pVal) override;
    HRESULT put_nCol(LONG newVal) override;
    HRESULT get_emFieldBindType(LONG& pVal) override;
    HRESULT put_emFieldBindType(LONG newVal) override;
    HRESULT get_strControlXml(CString& pVal) override;
    HRESULT put_strControlXml(const CString& newVal) override;
    HRESULT get_strFormatXml(CString& pVal) override;
    HRESULT put_strFormatXml(const CString& newVal) override;
    HRESULT get_strFontXml(CString& pVal) override;
    HRESULT put_strFontXml(const CString& newVal) override;
    HRESULT get_bReadOnly(SHORT& pVal) override;
    HRESULT put_bReadOnly(SHORT newVal) override;
    HRESULT get_crBgColor(LONG& pVal) override;
    HRESULT put_crBgColor(LONG newVal) override;
    HRESULT get_crTextColor(LONG& pVal) override;
    HRESULT put_crTextColor(LONG newVal) override;
    HRESULT get_nAlign(LONG& pVal) override;
    HRESULT put_nAlign(LONG newVal) override;
    HRESULT get_bWrap(SHORT& pVal) override;
    HRESULT put_bWrap(SHORT newVal) override;
    HRESULT get_bEllipsis(SHORT& pVal) override;
    HRESULT put_bEllipsis(SHORT newVal) override;
    HRESULT get_nColWidth(LONG& pVal) override;
    HRESULT put_nColWidth(LONG newVal) override;
    HRESULT get_nDefDataType(LONG& pVal) override;
    HRESULT put_nDefDataType(LONG newVal) override;
    HRESULT get_strDefValue(CString& pVal) override;
    HRESULT put_strDefValue(const CString& newVal) override;
    HRESULT get_dbDefValue(double& pVal) override;
    HRESULT put_dbDefValue(double newVal) override;
    HRESULT get_emStatisticsType(LONG& pVal) override;
    HRESULT put_emStatisticsType(LONG newVal) override;
    HRESULT get_bMergeData(SHORT& pVal) override;
    HRESULT put_bMergeData(SHORT newVal) override;
    HRESULT get_iGroup(SHORT& pVal) override;
    HRESULT put_iGroup(SHORT newVal) override;
    HRESULT get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal) override;
    HRESULT put_arCellBorder(SHORT iPos, CKivoObject* newVal) override;
    HRESULT get_emCellBorderFlags(LONG& pVal) override;
    HRESULT SetKivoSource(const CString& strConnName, const CString& strSetName) override;
    HRESULT GetConnName(CString& pstrName) override;
    HRESULT GetDataSetName(CString& pstrName) override;

private:
    CBindFieldInfo m_record;
};

class CKivoBindGroupRowInfo : public CKivoBindGroupRowInfoBase {
public:
    CKivoBindGroupRowInfo() = default;
    explicit CKivoBindGroupRowInfo(const CBindGroupRowInfo& record) : m_record(record) {}
    const CBindGroupRowInfo& GetRecord() const { return m_record; }

    HRESULT get_sGroupDefaultName(CString& pVal) override;
    HRESULT put_sGroupDefaultName(const CString& newVal) override;
    HRESULT get_bGroupAddColValue(SHORT& pVal) override;
    HRESULT put_bGroupAddColValue(SHORT newVal) override;
    HRESULT get_crGroupRowBgColor(LONG& pVal) override;
    HRESULT put_crGroupRowBgColor(LONG newVal) override;
    HRESULT get_crGroupRowTextColor(LONG& pVal) override;
    HRESULT put_crGroupRowTextColor(LONG newVal) override;
    HRESULT get_strGroupRowFormatXml(CString& pVal) override;
    HRESULT put_strGroupRowFormatXml(const CString& newVal) override;
    HRESULT get_strGroupRowFontXml(CString& pVal) override;
    HRESULT put_strGroupRowFontXml(const CString& newVal) override;
    HRESULT get_bGroupRowReadOnly(SHORT& pVal) override;
    HRESULT put_bGroupRowReadOnly(SHORT newVal) override;
    HRESULT get_emCellBorderFlags(LONG& pVal) override;
    HRESULT get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal) override;
    HRESULT put_arCellBorder(SHORT iPos, CKivoObject* newVal) override;
    HRESULT get_nGroupNameDefCol(LONG& pVal) override;
    HRESULT put_nGroupNameDefCol(LONG newVal) override;

private:
    CBindGroupRowInfo m_record;
};

// Objects over a bind (an empty object for NULL) and copies of records.
CKivoObjectPtr CreateKivoBindObject(CBindInfo* pBind);
CKivoObjectPtr CreateKivoBindFieldObject(const CBindFieldInfo& record);
// The bind a KivoBind object views; NULL for anything else or a stale object.
CBindInfo* GetKivoBindPtr(const CKivoObject* object);
