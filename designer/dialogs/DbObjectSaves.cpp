#include "designer/dialogs/DbObjectSaves.h"

#include "designer/DesignerDatabase.h"
#include "designer/DesignerUi.h"
#include "designer/dialogs/DataSetSql.h"
#include "designer/dialogs/DatabaseListTexts.h"

namespace {

const LONG kSideFlags[4] = {1, 2, 4, 8};   // left, top, right, bottom
const LONG kSideCodes[4] = {2, 0, 3, 1};   // the border page's side codes

bool SameName(const CString& a, const CString& b) { return a.Compare(b) == 0; }

template <class Object>
void SetBorders(IGridControl& grid, Object& target, const CBorderSet& borders)
{
    for (int i = 0; i < 4; ++i) {
        if ((borders.nFlags & kSideFlags[i]) == 0)
            continue;
        auto border = grid.CreateKivo<IKivoCellBorder>();
        if (!border)
            continue;
        border->SetcrLineColor(static_cast<LONG>(borders.sides[i].crColor));
        border->SetnLineStyle(static_cast<SHORT>(borders.sides[i].nStyle));
        border->SetnLineWidth(static_cast<SHORT>(borders.sides[i].nWidth));
        target.SetarCellBorder(static_cast<SHORT>(kSideFlags[i]), border.get());
    }
}

template <class Object>
void GetBorders(Object& source, CBorderSet& borders)
{
    borders.nFlags = source.GetemCellBorderFlags();
    for (int i = 0; i < 4; ++i) {
        CSideBorder side;
        if (auto border = source.GetarCellBorder(static_cast<SHORT>(i))) {
            side.nSide = kSideCodes[i];
            side.nStyle = border->GetnLineStyle();
            side.nWidth = border->GetnLineWidth();
            side.crColor = static_cast<COLORREF>(border->GetcrLineColor());
        }
        borders.sides[i] = side;
    }
}

// The object can only add sides; a field that loses one starts again from a
// fresh object carrying every other setting of the stored field.
void CopyFieldWithoutBorders(IKivoBindField& from, IKivoBindField& to)
{
    to.SetnRow(from.GetnRow());
    to.SetnCol(from.GetnCol());
    to.SetsFieldName(from.GetsFieldName());
    to.SetemFieldBindType(from.GetemFieldBindType());
    to.SetstrControlXml(from.GetstrControlXml());
    to.SetstrFormatXml(from.GetstrFormatXml());
    to.SetstrFontXml(from.GetstrFontXml());
    to.SetbReadOnly(from.GetbReadOnly());
    to.SetcrBgColor(from.GetcrBgColor());
    to.SetcrTextColor(from.GetcrTextColor());
    to.SetnAlign(from.GetnAlign());
    to.SetbWrap(from.GetbWrap());
    to.SetbEllipsis(from.GetbEllipsis());
    to.SetnColWidth(from.GetnColWidth());
    to.SetnDefDataType(from.GetnDefDataType());
    to.SetstrDefValue(from.GetstrDefValue());
    to.SetdbDefValue(from.GetdbDefValue());
    to.SetemStatisticsType(from.GetemStatisticsType());
    to.SetbMergeData(from.GetbMergeData());
    to.SetiGroup(from.GetiGroup());
    to.SetKivoSource(from.GetConnName(), from.GetDataSetName());
}

LONG ColorOrNone(BOOL on, COLORREF color) { return on ? static_cast<LONG>(color) : -1; }

void TakeColor(LONG value, BOOL& on, COLORREF& color)
{
    on = value > -1;
    if (on)
        color = static_cast<COLORREF>(value);
}

}  // namespace

bool SaveConnection(IGridControl* grid, IDesignerUi& ui, const CConnectionFields& data, bool isNew, bool findExisting)
{
    if (!ReportCheck(ui, data.Check()) || grid == nullptr)
        return false;
    auto db = grid->CreateKivo<IKivoDatabase>();
    if (!db) {
        ShowHint(ui, "无法创建IKivoDatabase 接口对象");
        return false;
    }
    if (findExisting)
        isNew = grid->DBFindConnection(data.strName) < 0;
    db = isNew ? grid->DBAddConnection(data.strName) : grid->DBGetConnection(data.strName);
    if (!db || !SameName(db->GetstrName(), data.strName)) {
        ShowHint(ui, "链接添加不成功!");
        return false;
    }
    db->SetstrConnectionString(data.strConnectionString);
    db->SetstrUsername(data.strUsername);
    db->SetstrPwd(data.strPwd);
    db->SetnTimeOut(data.nTimeOut);
    db->SetiCloseType(data.bAutoClose ? 1 : 0);
    db->SetiOpenType(data.bAutoOpen ? 1 : 0);
    return true;
}

bool LoadConnection(IGridControl& grid, const CString& name, CConnectionFields& data)
{
    auto db = grid.DBGetConnection(name);
    if (!db)
        return false;
    data.strName = db->GetstrName();
    data.strConnectionString = db->GetstrConnectionString();
    data.strUsername = db->GetstrUsername();
    data.strPwd = db->GetstrPwd();
    data.nTimeOut = db->GetnTimeOut();
    data.bAutoClose = db->GetiCloseType() == 1;
    data.bAutoOpen = db->GetiOpenType() == 1;
    return true;
}

namespace {
bool StoreDataSet(IGridControl& grid, IDesignerUi& ui, const CString& connName, const CString& name, bool add,
                  bool addWhenMissing, int commandType, const CString& sql, BOOL autoOpen, BOOL autoClose)
{
    auto db = grid.CreateKivo<IKivoDatabase>();
    if (!db) {
        ShowHint(ui, "无法创建IKivoDatabase 接口对象");
        return false;
    }
    db = grid.DBGetConnection(connName);
    auto ds = grid.CreateKivo<IKivoDataSet>();
    if (!ds) {
        ShowHint(ui, "无法创建IKivoDataSet 接口对象");
        return false;
    }
    if (db) {
        if (addWhenMissing)
            add = db->FindDataSet(name) < 0;
        ds = add ? db->AddDataSet(name) : db->GetDataSet(name);
    }
    if (!ds || !SameName(ds->GetstrName(), name)) {
        ShowHint(ui, "链接添加不成功!");
        return false;
    }
    ds->SetCommandType(commandType);
    ds->SetstrSql(sql);
    ds->SetiOpenType(autoOpen ? 1 : 0);
    ds->SetiCloseType(autoClose ? 1 : 0);
    return true;
}
}  // namespace

bool SaveDataSet(IGridControl* grid, IDesignerUi& ui, const CDataSetDlg& data)
{
    if (!ReportCheck(ui, data.Check()) || grid == nullptr)
        return false;
    return StoreDataSet(*grid, ui, data.m_strConnName, data.m_strName, data.m_bAdd != FALSE, false, data.m_nSqlType,
                        data.m_strSql, data.m_bAutoOpen, data.m_bAutoClose);
}

bool WizardCreateDataSet(IGridControl* grid, IDesignerUi& ui, const CString& connName, const CString& name,
                         const CString& sql)
{
    if (grid == nullptr)
        return false;
    return StoreDataSet(*grid, ui, connName, name, false, true, 1, sql, TRUE, TRUE);
}

bool LoadDataSet(IGridControl& grid, const CString& connName, const CString& name, CDataSetDlg& data)
{
    auto db = grid.DBGetConnection(connName);
    auto ds = db ? db->GetDataSet(name) : nullptr;
    if (!ds)
        return false;
    data.m_strConnName = connName;
    data.m_strName = ds->GetstrName();
    data.m_nSqlType = ds->GetCommandType();
    data.m_strSql = ds->GetstrSql();
    data.m_bAutoOpen = ds->GetiOpenType() == 1;
    data.m_bAutoClose = ds->GetiCloseType() == 1;
    return true;
}

bool SaveBind(IGridControl* grid, IDesignerUi& ui, const CBindFields& data, BindSave mode)
{
    if (!ReportCheck(ui, data.Check()) || grid == nullptr)
        return false;
    std::unique_ptr<IKivoBind> bind;
    if (mode == BindSave::Wizard) {
        if (!grid->CreateKivo<IKivoBind>())
            return false;
        bind = grid->DBFindBind(data.strName) < 0 ? grid->DBAddBind(data.strName) : grid->DBGetBind(data.strName);
    } else {
        bind = mode == BindSave::New ? grid->DBAddBind(data.strName) : grid->DBGetBind(data.strName);
    }
    if (!bind || !SameName(bind->GetstrName(), data.strName))
        return false;
    const bool wizard = mode == BindSave::Wizard;
    bind->SetFillType(data.nFillType);
    if (!data.strBodyBind.IsEmpty())
        bind->SetBodyBindEx(data.strBodyBind);
    if (!data.strConnName.IsEmpty())
        bind->SetKivoSource(data.strConnName, data.strDataSetName);
    bind->SetnFillStartRow(data.nStartRow);
    bind->SetnFillStartCol(data.nStartCol);
    bind->SetbAutoCol(wizard ? 0 : (data.bAutoCol ? 1 : 0));
    bind->SetbAutoRow(wizard ? 1 : (data.bAutoRow ? 1 : 0));
    bind->SetiOpenType(wizard ? 1 : (data.bAutoOpen ? 1 : 0));

    auto group = grid->CreateKivo<IKivoBindGroupRowInfo>();
    if (group) {
        const CGroupRowFields& g = data.group;
        group->SetsGroupDefaultName(g.strName);
        group->SetbGroupAddColValue(g.bAddColValue ? 1 : 0);
        group->SetbGroupRowReadOnly(g.bReadOnly ? 1 : 0);
        group->SetcrGroupRowBgColor(ColorOrNone(g.bBackColor, g.crBack));
        group->SetcrGroupRowTextColor(ColorOrNone(g.bTextColor, g.crText));
        if (!wizard) {
            group->SetstrGroupRowFormatXml(g.strFormat);
            group->SetstrGroupRowFontXml(g.strFont);
        }
        SetBorders(*grid, *group, g.borders);
        group->SetnGroupNameDefCol(g.nNameCol);
        bind->SetGroupRowInfo(group.get());
    }
    return true;
}

bool LoadBind(IGridControl& grid, const CString& name, CBindFields& data)
{
    auto bind = grid.DBGetBind(name);
    if (!bind)
        return false;
    data.strName = bind->GetstrName();
    data.strBodyBind = bind->GetBodyBindEx();
    data.nFillType = bind->GetFillType();
    data.strDataSetName = bind->GetDataSetName();
    data.strConnName = bind->GetConnName();
    data.nStartCol = bind->GetnFillStartCol();
    data.nStartRow = bind->GetnFillStartRow();
    data.bAutoCol = bind->GetbAutoCol() != 0;
    data.bAutoRow = bind->GetbAutoRow() != 0;
    data.bAutoOpen = bind->GetiOpenType() != 0;
    if (auto group = bind->GetGroupRowInfo()) {
        CGroupRowFields& g = data.group;
        g.strName = group->GetsGroupDefaultName();
        g.bAddColValue = group->GetbGroupAddColValue() != 0;
        g.bReadOnly = group->GetbGroupRowReadOnly() != 0;
        TakeColor(group->GetcrGroupRowBgColor(), g.bBackColor, g.crBack);
        TakeColor(group->GetcrGroupRowTextColor(), g.bTextColor, g.crText);
        GetBorders(*group, g.borders);
        g.bBorder = g.borders.nFlags > 0;
        g.strFormat = group->GetstrGroupRowFormatXml();
        g.strFont = group->GetstrGroupRowFontXml();
        g.nNameCol = group->GetnGroupNameDefCol();
    }
    return true;
}

bool SaveField(IGridControl* grid, IDesignerUi& ui, const CFieldFields& data, FieldSave mode)
{
    if (!ReportCheck(ui, data.Check()) || grid == nullptr)
        return false;
    auto bind = grid->CreateKivo<IKivoBind>();
    if (!bind) {
        ShowHint(ui, "无法创建IKivoBind 接口对象");
        return false;
    }
    bind = grid->DBGetBind(data.strBindName);
    if (!bind || !SameName(bind->GetstrName(), data.strBindName))
        return false;
    // The cell the field is looked up at: in a change, the cell it had when
    // the dialog opened (its row and column may have been edited since).
    LONG row = data.nRow, col = data.nCol;
    if (mode == FieldSave::Change && data.nOrigRow >= 0 && data.nOrigCol >= 0) {
        row = data.nOrigRow;
        col = data.nOrigCol;
    }
    const bool moves = row != data.nRow || col != data.nCol;
    if ((mode == FieldSave::New || moves) && bind->FindField(data.nRow, data.nCol) >= 0) {
        ShowHint(ui, "该单元格已经存在绑定信息,不能再添加.您可以退出对话框,选择修改操作.");
        return false;
    }
    auto field = grid->CreateKivo<IKivoBindField>();
    if (!field) {
        ShowHint(ui, "无法创建IKivoBindField 接口对象");
        return false;
    }
    LONG index = -1;
    if (mode != FieldSave::New) {
        index = bind->FindField(row, col);
        if (index >= 0)
            field = bind->GetFieldEx(row, col);
        else if (mode == FieldSave::Change)
            return false;   // the field is gone: nothing to change
        if (!field)
            return false;
        if ((field->GetemCellBorderFlags() & ~data.borders.nFlags & 15) != 0) {
            auto fresh = grid->CreateKivo<IKivoBindField>();
            if (!fresh) {
                ShowHint(ui, "无法创建IKivoBindField 接口对象");
                return false;
            }
            CopyFieldWithoutBorders(*field, *fresh);
            field = std::move(fresh);
        }
    }
    field->SetnRow(data.nRow);
    field->SetnCol(data.nCol);
    field->SetsFieldName(data.strFieldName);
    field->SetemFieldBindType(data.nBindType);
    field->SetnColWidth(data.nColWidth);
    field->SetemStatisticsType(data.nStatistics);
    const bool wizard = mode == FieldSave::Wizard;
    if (!wizard) {
        field->SetstrFormatXml(data.strFormat);
        field->SetstrFontXml(data.strFont);
        field->SetstrControlXml(data.strControl);
    }
    field->SetcrBgColor(ColorOrNone(data.bBackColor, data.crBack));
    field->SetcrTextColor(ColorOrNone(data.bTextColor, data.crText));
    SetBorders(*grid, *field, data.borders);
    field->SetnAlign(wizard ? data.nHAlign : EncodeFieldAlign(data.nHAlign, data.nVAlign));
    if (!wizard) {
        if (data.nDefType > 0) {
            // The fill engine reads 0 as text and any other value as a number.
            field->SetnDefDataType(data.nDefType - 1);
            field->SetstrDefValue(data.strDefValue);
            field->SetdbDefValue(data.dbDefValue);
        }
        if (!data.strSourceConn.IsEmpty())
            field->SetKivoSource(data.strSourceConn, data.strSourceDataSet);
        else
            field->SetKivoSource(CString(), CString());
        field->SetbEllipsis(data.bEllipsis ? 1 : 0);
    }
    field->SetbMergeData(data.bMerge ? 1 : 0);
    field->SetbReadOnly(data.bReadOnly ? 1 : 0);
    field->SetbWrap(data.bWrap ? 1 : 0);
    field->SetiGroup(data.bGroup ? 1 : 0);
    if (index >= 0)
        return bind->SetField(index, field.get()) >= 0;
    return bind->AddField(field.get()) >= 0;
}

bool LoadField(IGridControl& grid, const CString& bindName, LONG row, LONG col, CFieldFields& data)
{
    auto bind = grid.DBGetBind(bindName);
    auto field = bind ? bind->GetFieldEx(row, col) : nullptr;
    if (!field)
        return false;
    data.strBindName = bindName;
    data.nOrigRow = row;
    data.nOrigCol = col;
    data.strFieldName = field->GetsFieldName();
    data.nBindType = field->GetemFieldBindType();
    data.nRow = field->GetnRow();
    data.nCol = field->GetnCol();
    data.nColWidth = field->GetnColWidth();
    data.nStatistics = field->GetemStatisticsType();
    data.strFormat = field->GetstrFormatXml();
    data.strFont = field->GetstrFontXml();
    data.strControl = field->GetstrControlXml();
    TakeColor(field->GetcrBgColor(), data.bBackColor, data.crBack);
    TakeColor(field->GetcrTextColor(), data.bTextColor, data.crText);
    GetBorders(*field, data.borders);
    data.bBorder = data.borders.nFlags != 0;
    DecodeFieldAlign(field->GetnAlign(), data.nHAlign, data.nVAlign);
    const LONG defType = field->GetnDefDataType();
    data.nDefType = defType < 0 ? 0 : (defType == 0 ? 1 : 2);
    data.strDefValue = field->GetstrDefValue();
    data.dbDefValue = field->GetdbDefValue();
    data.strSourceConn = field->GetConnName();
    data.strSourceDataSet = field->GetDataSetName();
    data.bGroup = field->GetiGroup() != 0;
    data.bMerge = field->GetbMergeData() != 0;
    data.bReadOnly = field->GetbReadOnly() != 0;
    data.bWrap = field->GetbWrap() != 0;
    data.bEllipsis = field->GetbEllipsis() != 0;
    return true;
}

std::vector<CString> BindColumnNames(IGridControl& grid, IDesignerDatabase& db, IDesignerUi& ui, const CString& bindName)
{
    std::vector<CString> names;
    auto bind = bindName.IsEmpty() ? nullptr : grid.DBGetBind(bindName);
    if (!bind)
        return names;
    const CString connName = bind->GetConnName();
    const CString dsName = bind->GetDataSetName();
    if (connName.IsEmpty() || dsName.IsEmpty())
        return names;
    auto conn = grid.DBGetConnection(connName);
    auto ds = conn ? conn->GetDataSet(dsName) : nullptr;
    if (!ds)
        return names;
    CDesignerDbLogin login;
    login.strConnection = conn->GetstrConnectionString();
    login.strUser = conn->GetstrUsername();
    login.strPassword = conn->GetstrPwd();
    login.nTimeOut = conn->GetnTimeOut();
    CString error;
    if (!db.ListQueryColumns(login, ds->GetstrSql(), names, error)) {
        names.clear();
        CString text;
        text.Format("无法取得绑定字段列表! 数据库记录集异常! Error\n\t错误代码 = %08lx\n\t错误代码含义 = %s\n\t"
                    "错误源 = %s\n\t错误描述 = %s\n",
                    0L, "", "ODBC", error);
        ui.MessageBox(text, "错误", MB_OK | MB_ICONERROR);
    }
    return names;
}

void WriteFieldMarkers(IGridControl& grid, bool afterWizard)
{
    if (!grid.CreateKivo<IKivoBind>() || !grid.CreateKivo<IKivoBindField>())
        return;
    // The counts are read again on every turn: a fill or a host may change them.
    for (LONG i = 0; i < grid.DBGetBindCount(); ++i) {
        auto bind = grid.DBGetBindEx(i);
        if (!bind)
            continue;
        for (LONG j = 0; j < bind->GetnFieldCount(); ++j) {
            auto field = bind->GetField(j);
            if (!field)
                continue;
            const CString name = field->GetsFieldName();
            const LONG type = field->GetemFieldBindType();
            const CString marker = afterWizard ? FieldMarkerAfterWizard(type, name) : FieldMarkerAfterManager(type, name);
            grid.CellSetValue(field->GetnRow(), field->GetnCol(), marker);
        }
    }
}
