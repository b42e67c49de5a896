// Recording stand-ins of the database objects: each wraps the control's own
// object, writes "Interface.Member" of every call that changes it into a
// shared log and passes the call on; objects it hands out are wrapped too,
// and wrapped objects passed in are unwrapped. Tests read the log to see
// the order of property sets. Written by
// tests/designer/tools/gen_recording_objects.py from the generated interfaces.
#pragma once

#include "designer/GridObjects.gen.h"

#include <memory>
#include <string>
#include <vector>

namespace designertest {

using CallLog = std::vector<std::string>;

inline IKivoObject* InnerObject(IKivoObject* object);

inline std::unique_ptr<IKivoDatabase> RecordObject(std::unique_ptr<IKivoDatabase> inner, CallLog& log);
inline std::unique_ptr<IKivoDataSet> RecordObject(std::unique_ptr<IKivoDataSet> inner, CallLog& log);
inline std::unique_ptr<IKivoBind> RecordObject(std::unique_ptr<IKivoBind> inner, CallLog& log);
inline std::unique_ptr<IKivoBindField> RecordObject(std::unique_ptr<IKivoBindField> inner, CallLog& log);
inline std::unique_ptr<IKivoBindGroupRowInfo> RecordObject(std::unique_ptr<IKivoBindGroupRowInfo> inner, CallLog& log);
inline std::unique_ptr<IKivoCellBorder> RecordObject(std::unique_ptr<IKivoCellBorder> inner, CallLog& log);

class RecDatabase final : public IKivoDatabase {
public:
    RecDatabase(std::unique_ptr<IKivoDatabase> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoDatabase* Inner() const { return m_inner.get(); }
    CString GetstrConnectionString() override { return m_inner->GetstrConnectionString(); }
    void SetstrConnectionString(const CString& newValue) override { m_log.push_back("Database.SetstrConnectionString"); m_inner->SetstrConnectionString(newValue); }
    CString GetstrUsername() override { return m_inner->GetstrUsername(); }
    void SetstrUsername(const CString& newValue) override { m_log.push_back("Database.SetstrUsername"); m_inner->SetstrUsername(newValue); }
    CString GetstrPwd() override { return m_inner->GetstrPwd(); }
    void SetstrPwd(const CString& newValue) override { m_log.push_back("Database.SetstrPwd"); m_inner->SetstrPwd(newValue); }
    CString GetstrName() override { return m_inner->GetstrName(); }
    LONG GetnTimeOut() override { return m_inner->GetnTimeOut(); }
    void SetnTimeOut(LONG newValue) override { m_log.push_back("Database.SetnTimeOut"); m_inner->SetnTimeOut(newValue); }
    SHORT GetiOpenType() override { return m_inner->GetiOpenType(); }
    void SetiOpenType(SHORT newValue) override { m_log.push_back("Database.SetiOpenType"); m_inner->SetiOpenType(newValue); }
    SHORT GetiCloseType() override { return m_inner->GetiCloseType(); }
    void SetiCloseType(SHORT newValue) override { m_log.push_back("Database.SetiCloseType"); m_inner->SetiCloseType(newValue); }
    SHORT GetiCursorLocation() override { return m_inner->GetiCursorLocation(); }
    void SetiCursorLocation(SHORT newValue) override { m_log.push_back("Database.SetiCursorLocation"); m_inner->SetiCursorLocation(newValue); }
    SHORT IsOpen() override { return m_inner->IsOpen(); }
    SHORT Open() override { m_log.push_back("Database.Open"); return m_inner->Open(); }
    SHORT Close() override { m_log.push_back("Database.Close"); return m_inner->Close(); }
    LONG DelDataSet(const CString& strName) override { m_log.push_back("Database.DelDataSet"); return m_inner->DelDataSet(strName); }
    LONG FindDataSet(const CString& strName) override { return m_inner->FindDataSet(strName); }
    LONG GetDataSetCount() override { return m_inner->GetDataSetCount(); }
    std::unique_ptr<IKivoDataSet> GetDataSet(const CString& strName) override { return RecordObject(m_inner->GetDataSet(strName), m_log); }
    std::unique_ptr<IKivoDataSet> AddDataSet(const CString& strName) override { m_log.push_back("Database.AddDataSet"); return RecordObject(m_inner->AddDataSet(strName), m_log); }
    std::unique_ptr<IKivoDataSet> GetDataSetEx(LONG nIndex) override { return RecordObject(m_inner->GetDataSetEx(nIndex), m_log); }
    LONG DelDataSetEx(LONG nIndex) override { m_log.push_back("Database.DelDataSetEx"); return m_inner->DelDataSetEx(nIndex); }
private:
    std::unique_ptr<IKivoDatabase> m_inner;
    CallLog& m_log;
};

class RecDataSet final : public IKivoDataSet {
public:
    RecDataSet(std::unique_ptr<IKivoDataSet> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoDataSet* Inner() const { return m_inner.get(); }
    SHORT Open() override { m_log.push_back("DataSet.Open"); return m_inner->Open(); }
    SHORT Close() override { m_log.push_back("DataSet.Close"); return m_inner->Close(); }
    SHORT IsOpen() override { return m_inner->IsOpen(); }
    CString GetstrSql() override { return m_inner->GetstrSql(); }
    void SetstrSql(const CString& newValue) override { m_log.push_back("DataSet.SetstrSql"); m_inner->SetstrSql(newValue); }
    CString GetstrName() override { return m_inner->GetstrName(); }
    LONG GetCommandType() override { return m_inner->GetCommandType(); }
    void SetCommandType(LONG newValue) override { m_log.push_back("DataSet.SetCommandType"); m_inner->SetCommandType(newValue); }
    SHORT GetiOpenType() override { return m_inner->GetiOpenType(); }
    void SetiOpenType(SHORT newValue) override { m_log.push_back("DataSet.SetiOpenType"); m_inner->SetiOpenType(newValue); }
    SHORT GetiCloseType() override { return m_inner->GetiCloseType(); }
    void SetiCloseType(SHORT newValue) override { m_log.push_back("DataSet.SetiCloseType"); m_inner->SetiCloseType(newValue); }
private:
    std::unique_ptr<IKivoDataSet> m_inner;
    CallLog& m_log;
};

class RecBind final : public IKivoBind {
public:
    RecBind(std::unique_ptr<IKivoBind> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoBind* Inner() const { return m_inner.get(); }
    LONG GetnFillStartRow() override { return m_inner->GetnFillStartRow(); }
    void SetnFillStartRow(LONG newValue) override { m_log.push_back("Bind.SetnFillStartRow"); m_inner->SetnFillStartRow(newValue); }
    LONG GetFillType() override { return m_inner->GetFillType(); }
    void SetFillType(LONG newValue) override { m_log.push_back("Bind.SetFillType"); m_inner->SetFillType(newValue); }
    SHORT GetbAutoCol() override { return m_inner->GetbAutoCol(); }
    void SetbAutoCol(SHORT newValue) override { m_log.push_back("Bind.SetbAutoCol"); m_inner->SetbAutoCol(newValue); }
    SHORT GetbAutoRow() override { return m_inner->GetbAutoRow(); }
    void SetbAutoRow(SHORT newValue) override { m_log.push_back("Bind.SetbAutoRow"); m_inner->SetbAutoRow(newValue); }
    SHORT SetBodyBind(IKivoBind* Bind) override { m_log.push_back("Bind.SetBodyBind"); return m_inner->SetBodyBind(static_cast<IKivoBind*>(InnerObject(Bind))); }
    SHORT SetGroupRowInfo(IKivoBindGroupRowInfo* GRInfo) override { m_log.push_back("Bind.SetGroupRowInfo"); return m_inner->SetGroupRowInfo(static_cast<IKivoBindGroupRowInfo*>(InnerObject(GRInfo))); }
    std::unique_ptr<IKivoBindGroupRowInfo> GetGroupRowInfo() override { return RecordObject(m_inner->GetGroupRowInfo(), m_log); }
    SHORT GetiOpenType() override { return m_inner->GetiOpenType(); }
    void SetiOpenType(SHORT newValue) override { m_log.push_back("Bind.SetiOpenType"); m_inner->SetiOpenType(newValue); }
    void SetKivoSource(const CString& strConnName, const CString& strSetName) override { m_log.push_back("Bind.SetKivoSource"); m_inner->SetKivoSource(strConnName, strSetName); }
    SHORT BindKivoSource() override { m_log.push_back("Bind.BindKivoSource"); return m_inner->BindKivoSource(); }
    CString GetstrName() override { return m_inner->GetstrName(); }
    SHORT SetBodyBindEx(const CString& strName) override { m_log.push_back("Bind.SetBodyBindEx"); return m_inner->SetBodyBindEx(strName); }
    CString GetBodyBindEx() override { return m_inner->GetBodyBindEx(); }
    CString GetConnName() override { return m_inner->GetConnName(); }
    CString GetDataSetName() override { return m_inner->GetDataSetName(); }
    LONG GetnFieldCount() override { return m_inner->GetnFieldCount(); }
    std::unique_ptr<IKivoBindField> GetFieldEx(LONG nRow, LONG nCol) override { return RecordObject(m_inner->GetFieldEx(nRow, nCol), m_log); }
    LONG FindField(LONG nRow, LONG nCol) override { return m_inner->FindField(nRow, nCol); }
    void Merge() override { m_log.push_back("Bind.Merge"); m_inner->Merge(); }
    LONG GetnFillStartCol() override { return m_inner->GetnFillStartCol(); }
    void SetnFillStartCol(LONG newValue) override { m_log.push_back("Bind.SetnFillStartCol"); m_inner->SetnFillStartCol(newValue); }
    LONG FillData() override { m_log.push_back("Bind.FillData"); return m_inner->FillData(); }
    SHORT AddField(IKivoBindField* Field) override { m_log.push_back("Bind.AddField"); return m_inner->AddField(static_cast<IKivoBindField*>(InnerObject(Field))); }
    SHORT SetField(LONG nFieldIndex, IKivoBindField* Field) override { m_log.push_back("Bind.SetField"); return m_inner->SetField(nFieldIndex, static_cast<IKivoBindField*>(InnerObject(Field))); }
    SHORT DeleteField(LONG nFieldIndex) override { m_log.push_back("Bind.DeleteField"); return m_inner->DeleteField(nFieldIndex); }
    std::unique_ptr<IKivoBindField> GetField(LONG nFieldIndex) override { return RecordObject(m_inner->GetField(nFieldIndex), m_log); }
    void BindSource(IKivoObject* rs) override { m_log.push_back("Bind.BindSource"); m_inner->BindSource(static_cast<IKivoObject*>(InnerObject(rs))); }
private:
    std::unique_ptr<IKivoBind> m_inner;
    CallLog& m_log;
};

class RecBindField final : public IKivoBindField {
public:
    RecBindField(std::unique_ptr<IKivoBindField> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoBindField* Inner() const { return m_inner.get(); }
    CString GetsFieldName() override { return m_inner->GetsFieldName(); }
    void SetsFieldName(const CString& newValue) override { m_log.push_back("BindField.SetsFieldName"); m_inner->SetsFieldName(newValue); }
    LONG GetnRow() override { return m_inner->GetnRow(); }
    void SetnRow(LONG newValue) override { m_log.push_back("BindField.SetnRow"); m_inner->SetnRow(newValue); }
    LONG GetnCol() override { return m_inner->GetnCol(); }
    void SetnCol(LONG newValue) override { m_log.push_back("BindField.SetnCol"); m_inner->SetnCol(newValue); }
    LONG GetemFieldBindType() override { return m_inner->GetemFieldBindType(); }
    void SetemFieldBindType(LONG newValue) override { m_log.push_back("BindField.SetemFieldBindType"); m_inner->SetemFieldBindType(newValue); }
    CString GetstrControlXml() override { return m_inner->GetstrControlXml(); }
    void SetstrControlXml(const CString& newValue) override { m_log.push_back("BindField.SetstrControlXml"); m_inner->SetstrControlXml(newValue); }
    CString GetstrFormatXml() override { return m_inner->GetstrFormatXml(); }
    void SetstrFormatXml(const CString& newValue) override { m_log.push_back("BindField.SetstrFormatXml"); m_inner->SetstrFormatXml(newValue); }
    CString GetstrFontXml() override { return m_inner->GetstrFontXml(); }
    void SetstrFontXml(const CString& newValue) override { m_log.push_back("BindField.SetstrFontXml"); m_inner->SetstrFontXml(newValue); }
    SHORT GetbReadOnly() override { return m_inner->GetbReadOnly(); }
    void SetbReadOnly(SHORT newValue) override { m_log.push_back("BindField.SetbReadOnly"); m_inner->SetbReadOnly(newValue); }
    LONG GetcrBgColor() override { return m_inner->GetcrBgColor(); }
    void SetcrBgColor(LONG newValue) override { m_log.push_back("BindField.SetcrBgColor"); m_inner->SetcrBgColor(newValue); }
    LONG GetcrTextColor() override { return m_inner->GetcrTextColor(); }
    void SetcrTextColor(LONG newValue) override { m_log.push_back("BindField.SetcrTextColor"); m_inner->SetcrTextColor(newValue); }
    LONG GetnAlign() override { return m_inner->GetnAlign(); }
    void SetnAlign(LONG newValue) override { m_log.push_back("BindField.SetnAlign"); m_inner->SetnAlign(newValue); }
    SHORT GetbWrap() override { return m_inner->GetbWrap(); }
    void SetbWrap(SHORT newValue) override { m_log.push_back("BindField.SetbWrap"); m_inner->SetbWrap(newValue); }
    SHORT GetbEllipsis() override { return m_inner->GetbEllipsis(); }
    void SetbEllipsis(SHORT newValue) override { m_log.push_back("BindField.SetbEllipsis"); m_inner->SetbEllipsis(newValue); }
    LONG GetnColWidth() override { return m_inner->GetnColWidth(); }
    void SetnColWidth(LONG newValue) override { m_log.push_back("BindField.SetnColWidth"); m_inner->SetnColWidth(newValue); }
    LONG GetnDefDataType() override { return m_inner->GetnDefDataType(); }
    void SetnDefDataType(LONG newValue) override { m_log.push_back("BindField.SetnDefDataType"); m_inner->SetnDefDataType(newValue); }
    CString GetstrDefValue() override { return m_inner->GetstrDefValue(); }
    void SetstrDefValue(const CString& newValue) override { m_log.push_back("BindField.SetstrDefValue"); m_inner->SetstrDefValue(newValue); }
    double GetdbDefValue() override { return m_inner->GetdbDefValue(); }
    void SetdbDefValue(double newValue) override { m_log.push_back("BindField.SetdbDefValue"); m_inner->SetdbDefValue(newValue); }
    LONG GetemStatisticsType() override { return m_inner->GetemStatisticsType(); }
    void SetemStatisticsType(LONG newValue) override { m_log.push_back("BindField.SetemStatisticsType"); m_inner->SetemStatisticsType(newValue); }
    SHORT GetbMergeData() override { return m_inner->GetbMergeData(); }
    void SetbMergeData(SHORT newValue) override { m_log.push_back("BindField.SetbMergeData"); m_inner->SetbMergeData(newValue); }
    SHORT GetiGroup() override { return m_inner->GetiGroup(); }
    void SetiGroup(SHORT newValue) override { m_log.push_back("BindField.SetiGroup"); m_inner->SetiGroup(newValue); }
    std::unique_ptr<IKivoCellBorder> GetarCellBorder(SHORT iPos) override { return RecordObject(m_inner->GetarCellBorder(iPos), m_log); }
    void SetarCellBorder(SHORT iPos, IKivoCellBorder* newValue) override { m_log.push_back("BindField.SetarCellBorder"); m_inner->SetarCellBorder(iPos, static_cast<IKivoCellBorder*>(InnerObject(newValue))); }
    LONG GetemCellBorderFlags() override { return m_inner->GetemCellBorderFlags(); }
    void SetKivoSource(const CString& strConnName, const CString& strSetName) override { m_log.push_back("BindField.SetKivoSource"); m_inner->SetKivoSource(strConnName, strSetName); }
    CString GetConnName() override { return m_inner->GetConnName(); }
    CString GetDataSetName() override { return m_inner->GetDataSetName(); }
private:
    std::unique_ptr<IKivoBindField> m_inner;
    CallLog& m_log;
};

class RecBindGroupRowInfo final : public IKivoBindGroupRowInfo {
public:
    RecBindGroupRowInfo(std::unique_ptr<IKivoBindGroupRowInfo> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoBindGroupRowInfo* Inner() const { return m_inner.get(); }
    CString GetsGroupDefaultName() override { return m_inner->GetsGroupDefaultName(); }
    void SetsGroupDefaultName(const CString& newValue) override { m_log.push_back("BindGroupRowInfo.SetsGroupDefaultName"); m_inner->SetsGroupDefaultName(newValue); }
    SHORT GetbGroupAddColValue() override { return m_inner->GetbGroupAddColValue(); }
    void SetbGroupAddColValue(SHORT newValue) override { m_log.push_back("BindGroupRowInfo.SetbGroupAddColValue"); m_inner->SetbGroupAddColValue(newValue); }
    LONG GetcrGroupRowBgColor() override { return m_inner->GetcrGroupRowBgColor(); }
    void SetcrGroupRowBgColor(LONG newValue) override { m_log.push_back("BindGroupRowInfo.SetcrGroupRowBgColor"); m_inner->SetcrGroupRowBgColor(newValue); }
    LONG GetcrGroupRowTextColor() override { return m_inner->GetcrGroupRowTextColor(); }
    void SetcrGroupRowTextColor(LONG newValue) override { m_log.push_back("BindGroupRowInfo.SetcrGroupRowTextColor"); m_inner->SetcrGroupRowTextColor(newValue); }
    CString GetstrGroupRowFormatXml() override { return m_inner->GetstrGroupRowFormatXml(); }
    void SetstrGroupRowFormatXml(const CString& newValue) override { m_log.push_back("BindGroupRowInfo.SetstrGroupRowFormatXml"); m_inner->SetstrGroupRowFormatXml(newValue); }
    CString GetstrGroupRowFontXml() override { return m_inner->GetstrGroupRowFontXml(); }
    void SetstrGroupRowFontXml(const CString& newValue) override { m_log.push_back("BindGroupRowInfo.SetstrGroupRowFontXml"); m_inner->SetstrGroupRowFontXml(newValue); }
    SHORT GetbGroupRowReadOnly() override { return m_inner->GetbGroupRowReadOnly(); }
    void SetbGroupRowReadOnly(SHORT newValue) override { m_log.push_back("BindGroupRowInfo.SetbGroupRowReadOnly"); m_inner->SetbGroupRowReadOnly(newValue); }
    LONG GetemCellBorderFlags() override { return m_inner->GetemCellBorderFlags(); }
    std::unique_ptr<IKivoCellBorder> GetarCellBorder(SHORT iPos) override { return RecordObject(m_inner->GetarCellBorder(iPos), m_log); }
    void SetarCellBorder(SHORT iPos, IKivoCellBorder* newValue) override { m_log.push_back("BindGroupRowInfo.SetarCellBorder"); m_inner->SetarCellBorder(iPos, static_cast<IKivoCellBorder*>(InnerObject(newValue))); }
    LONG GetnGroupNameDefCol() override { return m_inner->GetnGroupNameDefCol(); }
    void SetnGroupNameDefCol(LONG newValue) override { m_log.push_back("BindGroupRowInfo.SetnGroupNameDefCol"); m_inner->SetnGroupNameDefCol(newValue); }
private:
    std::unique_ptr<IKivoBindGroupRowInfo> m_inner;
    CallLog& m_log;
};

class RecCellBorder final : public IKivoCellBorder {
public:
    RecCellBorder(std::unique_ptr<IKivoCellBorder> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}
    IKivoCellBorder* Inner() const { return m_inner.get(); }
    LONG GetcrLineColor() override { return m_inner->GetcrLineColor(); }
    void SetcrLineColor(LONG newValue) override { m_log.push_back("CellBorder.SetcrLineColor"); m_inner->SetcrLineColor(newValue); }
    SHORT GetnLineStyle() override { return m_inner->GetnLineStyle(); }
    void SetnLineStyle(SHORT newValue) override { m_log.push_back("CellBorder.SetnLineStyle"); m_inner->SetnLineStyle(newValue); }
    SHORT GetnLineWidth() override { return m_inner->GetnLineWidth(); }
    void SetnLineWidth(SHORT newValue) override { m_log.push_back("CellBorder.SetnLineWidth"); m_inner->SetnLineWidth(newValue); }
private:
    std::unique_ptr<IKivoCellBorder> m_inner;
    CallLog& m_log;
};

inline std::unique_ptr<IKivoDatabase> RecordObject(std::unique_ptr<IKivoDatabase> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecDatabase>(std::move(inner), log);
}
inline std::unique_ptr<IKivoDataSet> RecordObject(std::unique_ptr<IKivoDataSet> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecDataSet>(std::move(inner), log);
}
inline std::unique_ptr<IKivoBind> RecordObject(std::unique_ptr<IKivoBind> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecBind>(std::move(inner), log);
}
inline std::unique_ptr<IKivoBindField> RecordObject(std::unique_ptr<IKivoBindField> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecBindField>(std::move(inner), log);
}
inline std::unique_ptr<IKivoBindGroupRowInfo> RecordObject(std::unique_ptr<IKivoBindGroupRowInfo> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecBindGroupRowInfo>(std::move(inner), log);
}
inline std::unique_ptr<IKivoCellBorder> RecordObject(std::unique_ptr<IKivoCellBorder> inner, CallLog& log)
{
    if (!inner)
        return nullptr;
    return std::make_unique<RecCellBorder>(std::move(inner), log);
}
inline IKivoObject* InnerObject(IKivoObject* object)
{
    if (auto* r = dynamic_cast<RecDatabase*>(object))
        return r->Inner();
    if (auto* r = dynamic_cast<RecDataSet*>(object))
        return r->Inner();
    if (auto* r = dynamic_cast<RecBind*>(object))
        return r->Inner();
    if (auto* r = dynamic_cast<RecBindField*>(object))
        return r->Inner();
    if (auto* r = dynamic_cast<RecBindGroupRowInfo*>(object))
        return r->Inner();
    if (auto* r = dynamic_cast<RecCellBorder*>(object))
        return r->Inner();
    return object;
}

}  // namespace designertest
