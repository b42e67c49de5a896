#include "control/KivoBindObjects.h"

#include "control/HostObject.h"
#include "control/KivoValueObjects.h"
#include "grid/GridCtrl.h"

namespace {

const HRESULT kOk = kKivoOk;

// Copies a border object's block into every side of the mask and adds the
// mask's side bits to the flags; nothing for a mask outside 0..15 or an
// object that is no border.
void PutBorder(SHORT iPos, CKivoObject* border, short& flags, CBorderBlock (&blocks)[4])
{
    CBorderBlock block;
    if (iPos < 0 || iPos > 15 || !GetKivoBorderBlock(border, block))
        return;
    for (int side = 0; side < 4; ++side) {
        if ((iPos & (1 << side)) == 0)
            continue;
        blocks[side] = block;
        flags = static_cast<short>(flags | (1 << side));
    }
}

void GetBorder(SHORT iPos, const CBorderBlock (&blocks)[4], CKivoObjectPtr& pVal)
{
    if (iPos < 0 || iPos > 3) {
        pVal.reset();
        return;
    }
    pVal = CreateKivoCellBorderObject(blocks[iPos]);
}

const CKivoBindField* AsField(const CKivoObject* object)
{
    return dynamic_cast<const CKivoBindField*>(object);
}

}  // namespace

CKivoObjectPtr CreateKivoBindObject(CBindInfo* pBind)
{
    return std::make_unique<CKivoBind>(pBind);
}

CKivoObjectPtr CreateKivoBindFieldObject(const CBindFieldInfo& record)
{
    return std::make_unique<CKivoBindField>(record);
}

CBindInfo* GetKivoBindPtr(const CKivoObject* object)
{
    const CKivoBind* bind = dynamic_cast<const CKivoBind*>(object);
    return bind != nullptr ? bind->GetBind() : nullptr;
}

// ---- KivoBind -----------------------------------------------------------------------------

CKivoBind::CKivoBind(CBindInfo* pBind) : m_pBind(pBind)
{
    if (pBind != nullptr)
        m_alive = pBind->GetLiveness();
}

HRESULT CKivoBind::get_nFillStartRow(LONG& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->nFillStartRow;
    return kOk;
}

HRESULT CKivoBind::put_nFillStartRow(LONG newVal)
{
    if (CBindInfo* b = GetBind())
        b->nFillStartRow = newVal;
    return kOk;
}

HRESULT CKivoBind::get_FillType(LONG& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->FillType;
    return kOk;
}

HRESULT CKivoBind::put_FillType(LONG newVal)
{
    if (CBindInfo* b = GetBind())
        b->FillType = static_cast<short>(newVal);
    return kOk;
}

HRESULT CKivoBind::get_bAutoCol(SHORT& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = static_cast<SHORT>(b->bAutoCol);
    return kOk;
}

HRESULT CKivoBind::put_bAutoCol(SHORT newVal)
{
    if (CBindInfo* b = GetBind())
        b->bAutoCol = newVal;
    return kOk;
}

HRESULT CKivoBind::get_bAutoRow(SHORT& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = static_cast<SHORT>(b->bAutoRow);
    return kOk;
}

HRESULT CKivoBind::put_bAutoRow(SHORT newVal)
{
    if (CBindInfo* b = GetBind())
        b->bAutoRow = newVal;
    return kOk;
}

HRESULT CKivoBind::SetBodyBind(CKivoObject* Bind, SHORT& iResult)
{
    iResult = 0;
    CBindInfo* b = GetBind();
    CBindInfo* body = GetKivoBindPtr(Bind);
    if (b != nullptr && b->FillType == BFT_BOTTOM && body != nullptr) {
        b->SetBodyBind(body);
        iResult = 1;
    }
    return kOk;
}

HRESULT CKivoBind::SetGroupRowInfo(CKivoObject* GRInfo, SHORT& iResult)
{
    iResult = 0;
    CBindInfo* b = GetBind();
    const CKivoBindGroupRowInfo* info = dynamic_cast<const CKivoBindGroupRowInfo*>(GRInfo);
    if (b != nullptr && info != nullptr) {
        b->GetGroupRowInfo() = info->GetRecord();
        iResult = 1;
    }
    return kOk;
}

HRESULT CKivoBind::GetGroupRowInfo(CKivoObjectPtr& ppGRInfo)
{
    if (CBindInfo* b = GetBind())
        ppGRInfo = std::make_unique<CKivoBindGroupRowInfo>(b->GetGroupRowInfo());
    return kOk;
}

HRESULT CKivoBind::get_iOpenType(SHORT& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->GetOpenType();
    return kOk;
}

HRESULT CKivoBind::put_iOpenType(SHORT newVal)
{
    if (CBindInfo* b = GetBind())
        b->SetOpenType(newVal);
    return kOk;
}

HRESULT CKivoBind::SetKivoSource(const CString& strConnName, const CString& strSetName)
{
    if (CBindInfo* b = GetBind())
        b->SetDataSource(strConnName, strSetName);
    return kOk;
}

HRESULT CKivoBind::BindKivoSource(SHORT& iResult)
{
    if (CBindInfo* b = GetBind())
        iResult = b->AttachDataSource();
    return kOk;
}

HRESULT CKivoBind::get_strName(CString& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->GetName();
    return kOk;
}

HRESULT CKivoBind::SetBodyBindEx(const CString& strName, SHORT& iResult)
{
    iResult = 0;
    if (CBindInfo* b = GetBind()) {
        b->SetBodyBindName(strName);
        iResult = 1;
    }
    return kOk;
}

HRESULT CKivoBind::GetBodyBindEx(CString& pstrName)
{
    if (CBindInfo* b = GetBind())
        pstrName = b->GetBodyBindName();
    return kOk;
}

HRESULT CKivoBind::GetConnName(CString& pstrName)
{
    if (CBindInfo* b = GetBind())
        pstrName = b->GetConnName();
    return kOk;
}

HRESULT CKivoBind::GetDataSetName(CString& pstrName)
{
    if (CBindInfo* b = GetBind())
        pstrName = b->GetDataSetName();
    return kOk;
}

HRESULT CKivoBind::get_nFieldCount(LONG& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->GetFieldList().GetCount();
    return kOk;
}

HRESULT CKivoBind::GetFieldEx(LONG nRow, LONG nCol, CKivoObjectPtr& ppField)
{
    CBindInfo* b = GetBind();
    const int index = b != nullptr ? b->FindField(nRow, nCol) : -1;
    if (index >= 0)
        ppField = CreateKivoBindFieldObject(*b->GetFieldList().GetFieldPtr(index));
    return kOk;
}

HRESULT CKivoBind::FindField(LONG nRow, LONG nCol, LONG& nIndex)
{
    CBindInfo* b = GetBind();
    nIndex = b != nullptr ? b->FindField(nRow, nCol) : -1;
    return kOk;
}

HRESULT CKivoBind::get_nFillStartCol(LONG& pVal)
{
    if (CBindInfo* b = GetBind())
        pVal = b->nFillStartCol;
    return kOk;
}

HRESULT CKivoBind::put_nFillStartCol(LONG newVal)
{
    if (CBindInfo* b = GetBind())
        b->nFillStartCol = newVal;
    return kOk;
}

HRESULT CKivoBind::FillData(LONG& nFillCount)
{
    if (CBindInfo* b = GetBind()) {
        nFillCount = b->FillData();
        if (b->GetGrid() != nullptr)
            b->GetGrid()->Refresh();
    }
    return kOk;
}

HRESULT CKivoBind::AddField(CKivoObject* Field, SHORT& iResult)
{
    CBindInfo* b = GetBind();
    const CKivoBindField* field = AsField(Field);
    if (b == nullptr || field == nullptr)
        return kOk;
    const CBindFieldInfo& record = field->GetRecord();
    const int existing = b->FindField(record.nRow, record.nCol);
    iResult = static_cast<SHORT>(existing >= 0 ? existing : b->GetFieldList().AddField(record));
    return kOk;
}

HRESULT CKivoBind::SetField(LONG nFieldIndex, CKivoObject* Field, SHORT& iResult)
{
    CBindInfo* b = GetBind();
    const CKivoBindField* field = AsField(Field);
    if (b == nullptr || field == nullptr)
        return kOk;
    iResult = b->GetFieldList().SetField(nFieldIndex, field->GetRecord()) ? 1 : 0;
    return kOk;
}

HRESULT CKivoBind::DeleteField(LONG nFieldIndex, SHORT& iResult)
{
    if (CBindInfo* b = GetBind())
        iResult = b->GetFieldList().DeleteField(nFieldIndex) ? 1 : 0;
    return kOk;
}

HRESULT CKivoBind::GetField(LONG nFieldIndex, CKivoObjectPtr& ppField)
{
    CBindInfo* b = GetBind();
    const CBindFieldInfo* field = b != nullptr ? b->GetFieldList().GetFieldPtr(nFieldIndex) : nullptr;
    if (field != nullptr)
        ppField = CreateKivoBindFieldObject(*field);
    return kOk;
}

HRESULT CKivoBind::BindSource(CKivoObject* rs)
{
    CBindInfo* b = GetBind();
    CHostObject* host = dynamic_cast<CHostObject*>(rs);
    if (b == nullptr || host == nullptr)
        return kOk;
    std::shared_ptr<IBindRecordset> recordset = host->AsRecordset();
    if (recordset)
        b->BindSource(recordset);
    return kOk;
}

// ---- KivoBindField --------------------------------------------------------------------

#define KIVO_FIELD_GETPUT(Name, Type, member, Cast)                  \
    HRESULT CKivoBindField::get_##Name(Type& pVal)                   \
    {                                                                \
        pVal = static_cast<Type>(m_record.member);                   \
        return kOk;                                                  \
    }                                                                \
    HRESULT CKivoBindField::put_##Name(Type newVal)                  \
    {                                                                \
        m_record.member = static_cast<Cast>(newVal);                 \
        return kOk;                                                  \
    }

KIVO_FIELD_GETPUT(nRow, LONG, nRow, int)
KIVO_FIELD_GETPUT(nCol, LONG, nCol, int)
KIVO_FIELD_GETPUT(emFieldBindType, LONG, emFieldBindType, short)
KIVO_FIELD_GETPUT(bReadOnly, SHORT, bReadOnly, int)
KIVO_FIELD_GETPUT(crBgColor, LONG, crBgColor, int)
KIVO_FIELD_GETPUT(crTextColor, LONG, crTextColor, int)
KIVO_FIELD_GETPUT(nAlign, LONG, nAlign, int)
KIVO_FIELD_GETPUT(bWrap, SHORT, bWrap, int)
KIVO_FIELD_GETPUT(bEllipsis, SHORT, bEllipsis, int)
KIVO_FIELD_GETPUT(nColWidth, LONG, nColWidth, int)
KIVO_FIELD_GETPUT(nDefDataType, LONG, nDefDataType, int)
KIVO_FIELD_GETPUT(dbDefValue, double, dbDefValue, double)
KIVO_FIELD_GETPUT(emStatisticsType, LONG, emStatisticsType, short)
KIVO_FIELD_GETPUT(bMergeData, SHORT, bMergeData, int)
KIVO_FIELD_GETPUT(iGroup, SHORT, iGroup, short)
#undef KIVO_FIELD_GETPUT

#define KIVO_FIELD_TEXT(Name, member)                                \
    HRESULT CKivoBindField::get_##Name(CString& pVal)                \
    {                                                                \
        pVal = m_record.member;                                      \
        return kOk;                                                  \
    }                                                                \
    HRESULT CKivoBindField::put_##Name(const CString& newVal)        \
    {                                                                \
        m_record.member = newVal;                                    \
        return kOk;                                                  \
    }

KIVO_FIELD_TEXT(strControlXml, strControlXml)
KIVO_FIELD_TEXT(strFormatXml, strFormatXml)
KIVO_FIELD_TEXT(strFontXml, strFontXml)
KIVO_FIELD_TEXT(strDefValue, strDefValue)
#undef KIVO_FIELD_TEXT

HRESULT CKivoBindField::get_sFieldName(CString& pVal)
{
    pVal = m_record.strFieldName;
    return kOk;
}

HRESULT CKivoBindField::put_sFieldName(const CString& newVal)
{
    m_record.SetFieldName(newVal);
    return kOk;
}

HRESULT CKivoBindField::get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal)
{
    GetBorder(iPos, m_record.arBorders, pVal);
    return kOk;
}

HRESULT CKivoBindField::put_arCellBorder(SHORT iPos, CKivoObject* newVal)
{
    PutBorder(iPos, newVal, m_record.emCellBorderFlags, m_record.arBorders);
    return kOk;
}

HRESULT CKivoBindField::get_emCellBorderFlags(LONG& pVal)
{
    pVal = m_record.emCellBorderFlags;
    return kOk;
}

HRESULT CKivoBindField::SetKivoSource(const CString& strConnName, const CString& strSetName)
{
    m_record.SetKivoSource(strConnName, strSetName);
    return kOk;
}

HRESULT CKivoBindField::GetConnName(CString& pstrName)
{
    pstrName = m_record.strConnName;
    return kOk;
}

HRESULT CKivoBindField::GetDataSetName(CString& pstrName)
{
    pstrName = m_record.strDataSetName;
    return kOk;
}

// ---- KivoBindGroupRowInfo -----------------------------------------------------------

#define KIVO_GROUP_GETPUT(Name, Type, member, Cast)                  \
    HRESULT CKivoBindGroupRowInfo::get_##Name(Type& pVal)            \
    {                                                                \
        pVal = static_cast<Type>(m_record.member);                   \
        return kOk;                                                  \
    }                                                                \
    HRESULT CKivoBindGroupRowInfo::put_##Name(Type newVal)           \
    {                                                                \
        m_record.member = static_cast<Cast>(newVal);                 \
        return kOk;                                                  \
    }

KIVO_GROUP_GETPUT(bGroupAddColValue, SHORT, bGroupAddColValue, int)
KIVO_GROUP_GETPUT(crGroupRowBgColor, LONG, crGroupRowBgColor, int)
KIVO_GROUP_GETPUT(crGroupRowTextColor, LONG, crGroupRowTextColor, int)
KIVO_GROUP_GETPUT(bGroupRowReadOnly, SHORT, bGroupRowReadOnly, int)
KIVO_GROUP_GETPUT(nGroupNameDefCol, LONG, nGroupNameDefCol, int)
#undef KIVO_GROUP_GETPUT

HRESULT CKivoBindGroupRowInfo::get_sGroupDefaultName(CString& pVal)
{
    pVal = m_record.sGroupDefaultName;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::put_sGroupDefaultName(const CString& newVal)
{
    m_record.SetCaption(newVal);
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::get_strGroupRowFormatXml(CString& pVal)
{
    pVal = m_record.strGroupRowFormatXml;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::put_strGroupRowFormatXml(const CString& newVal)
{
    m_record.strGroupRowFormatXml = newVal;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::get_strGroupRowFontXml(CString& pVal)
{
    pVal = m_record.strGroupRowFontXml;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::put_strGroupRowFontXml(const CString& newVal)
{
    m_record.strGroupRowFontXml = newVal;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::get_emCellBorderFlags(LONG& pVal)
{
    pVal = m_record.emCellBorderFlags;
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal)
{
    GetBorder(iPos, m_record.arBorders, pVal);
    return kOk;
}

HRESULT CKivoBindGroupRowInfo::put_arCellBorder(SHORT iPos, CKivoObject* newVal)
{
    PutBorder(iPos, newVal, m_record.emCellBorderFlags, m_record.arBorders);
    return kOk;
}
