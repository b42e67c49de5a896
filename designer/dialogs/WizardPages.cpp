#include "designer/dialogs/WizardPages.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/DatabaseBorders.h"

namespace {
const char* const kCannotConnect = "连接字符串可能不误,不能连接相关数据库.请确认用户名和密码是否正确!";

bool Same(const CString& a, const CString& b) { return a.Compare(b) == 0; }

int IndexOf(const std::vector<CString>& list, const CString& value)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (Same(list[i], value))
            return static_cast<int>(i);
    return -1;
}

CString At(const std::vector<CString>& list, int index)
{
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)] : CString();
}
}  // namespace

CWizardPagesModel::CWizardPagesModel(IGridControl* grid, IDesignerUi& ui, IDesignerDatabase& db)
    : m_grid(grid), m_ui(ui), m_db(db)
{
    conn.strName = "conn1";
    bind.strName = "Bind1";
    bind.nStartRow = 1;
    bind.nStartCol = 1;
}

void CWizardPagesModel::TestConnection()
{
    CDesignerDbLogin login;
    login.strConnection = conn.strConnectionString;
    login.strUser = conn.strUsername;
    login.strPassword = conn.strPwd;
    login.nTimeOut = conn.nTimeOut;
    CString error;
    ShowHint(m_ui, m_db.Test(login, error) ? "链接成功!" : "链接失败!");
}

bool CWizardPagesModel::CreateConnection(CString& connName)
{
    failedFocus = conn.Check().focusId;
    if (!::SaveConnection(m_grid, m_ui, conn, true, true))
        return false;
    failedFocus = 0;
    connName = conn.strName;
    return true;
}

void CWizardPagesModel::SetConnection(const CString& connName)
{
    if (m_grid == nullptr)
        return;
    connections.clear();
    tables.clear();
    tableIndex = -1;
    int chosen = -1;
    const LONG count = m_grid->DBGetConnectionCount();
    for (LONG i = 0; i < count; ++i) {
        auto db = m_grid->DBGetConnectionEx(i);
        const CString name = db ? db->GetstrName() : CString();
        connections.push_back(name);
        if (chosen < 0 && (Same(name, connName) || (connName.IsEmpty() && i == 0))) {
            chosen = static_cast<int>(i);
            ListTables(name);
        }
    }
    connIndex = chosen >= 0 ? chosen : (connections.empty() ? -1 : 0);
}

void CWizardPagesModel::ListTables(const CString& connName)
{
    tables.clear();
    tableIndex = -1;
    auto db = m_grid != nullptr ? m_grid->DBGetConnection(connName) : nullptr;
    if (!db)
        return;
    m_login = CDesignerDbLogin();
    m_login.strConnection = db->GetstrConnectionString();
    m_login.strUser = db->GetstrUsername();
    m_login.strPassword = db->GetstrPwd();
    CString error;
    if (!m_db.ListTables(m_login, tables, error)) {
        tables.clear();
        m_ui.MessageBox(kCannotConnect, "提示", MB_OK | MB_ICONQUESTION);
    }
}

void CWizardPagesModel::ChooseTable(int index)
{
    tableIndex = index;
    columns.available.clear();
    const CString table = At(tables, index);
    if (table.IsEmpty())
        return;
    std::vector<CString> names;
    CString error;
    if (m_db.ListTableColumns(m_login, table, names, error)) {
        columns.SetAvailable(std::move(names));
        return;
    }
    CString ignored;
    if (!m_db.Test(m_login, ignored)) {
        m_ui.MessageBox(kCannotConnect, "提示", MB_OK | MB_ICONQUESTION);
        return;
    }
    CString text;
    text.Format("连接数据库失败!\r\n错误信息:%s", error);
    ShowHint(m_ui, text);
}

bool CWizardPagesModel::CreateDataSet(CString& connName, CString& dsName)
{
    CDialogCheck check;
    if (connIndex < 0 || static_cast<size_t>(connIndex) >= connections.size())
        check = CDialogCheck::Fail("链接名称不能为空!", kIdcWizTableConnection);
    else if (dataSetName.IsEmpty())
        check = CDialogCheck::Fail("数据集名称不能为空!", kIdcWizTableName);
    else if (condition.IsEmpty() && columns.chosen.empty())
        check = CDialogCheck::Fail("SQL语句不能为空!", kIdcWizTableCondition);
    failedFocus = check.focusId;
    if (!ReportCheck(m_ui, check))
        return false;
    const CString sql = BuildDataSetSql(columns.chosen, At(tables, tableIndex), condition);
    if (!WizardCreateDataSet(m_grid, m_ui, connections[static_cast<size_t>(connIndex)], dataSetName, sql))
        return false;
    connName = connections[static_cast<size_t>(connIndex)];
    dsName = dataSetName;
    return true;
}

void CWizardPagesModel::LoadBindConnections(const CString& connName, const CString& dsName)
{
    m_handedConn = connName;
    m_handedDataSet = dsName;
    bindConnections.assign(1, CString("无"));
    bindConnIndex = 0;
    bindDataSets.clear();
    bindDataSetIndex = -1;
    if (m_grid == nullptr)
        return;
    const LONG count = m_grid->DBGetConnectionCount();
    bool chosen = false;
    for (LONG i = 0; i < count; ++i) {
        auto db = m_grid->DBGetConnectionEx(i);
        const CString name = db ? db->GetstrName() : CString();
        bindConnections.push_back(name);
        if (!chosen && (Same(name, connName) || (connName.IsEmpty() && i == 0))) {
            chosen = true;
            bindConnIndex = static_cast<int>(i) + 1;
            ListBindDataSets(name, dsName);
        }
    }
}

void CWizardPagesModel::ListBindDataSets(const CString& connName, const CString& select)
{
    bindDataSets.clear();
    bindDataSetIndex = -1;
    if (connName.IsEmpty() || m_grid == nullptr)
        return;
    auto db = m_grid->DBGetConnection(connName);
    if (!db || !Same(db->GetstrName(), connName))
        return;
    const LONG count = db->GetDataSetCount();
    for (LONG i = 0; i < count; ++i) {
        auto ds = db->GetDataSetEx(i);
        bindDataSets.push_back(ds ? ds->GetstrName() : CString());
    }
    bindDataSetIndex = IndexOf(bindDataSets, select);
    if (bindDataSetIndex < 0 && !bindDataSets.empty())
        bindDataSetIndex = 0;
}

void CWizardPagesModel::ChooseBindConnection(int index)
{
    bindConnIndex = index;
    if (index < 1)
        ListBindDataSets(CString(), CString());
    else
        ListBindDataSets(At(bindConnections, index), CString());
}

void CWizardPagesModel::ShowBindPage()
{
    if (bindConnections.empty())
        LoadBindConnections(m_handedConn, m_handedDataSet);
    if (bodyBinds.empty() && m_grid != nullptr) {
        bodyIndex = -1;
        const LONG count = m_grid->DBGetBindCount();
        for (LONG i = 0; i < count; ++i) {
            auto b = m_grid->DBGetBindEx(i);
            if (!b || b->GetFillType() != 1)
                continue;
            bodyBinds.push_back(b->GetstrName());
            if (Same(bodyBinds.back(), bind.strBodyBind))
                bodyIndex = static_cast<int>(bodyBinds.size()) - 1;
        }
    }
}

bool CWizardPagesModel::CreateBind(CString& bindName)
{
    bind.strConnName = bindConnIndex >= 1 ? At(bindConnections, bindConnIndex) : CString();
    bind.strDataSetName = At(bindDataSets, bindDataSetIndex);
    bind.strBodyBind = At(bodyBinds, bodyIndex);
    failedFocus = bind.Check().focusId;
    if (!SaveBind(m_grid, m_ui, bind, BindSave::Wizard))
        return false;
    failedFocus = 0;
    bindName = bind.strName;
    bodyBinds.clear();   // a new body binding is listed the next time
    return true;
}

void CWizardPagesModel::SetBind(const CString& bindName)
{
    binds.clear();
    bindIndex = -1;
    if (m_grid == nullptr)
        return;
    const LONG count = m_grid->DBGetBindCount();
    for (LONG i = 0; i < count; ++i) {
        auto b = m_grid->DBGetBindEx(i);
        binds.push_back(b ? b->GetstrName() : CString());
    }
    int index = IndexOf(binds, bindName);
    if (index < 0 && bindName.IsEmpty() && !binds.empty())
        index = 0;
    ChooseBind(index);
}

void CWizardPagesModel::ShowFieldPage()
{
    if (binds.empty())
        SetBind(CString());
}

BOOL CWizardPagesModel::EditBindBorders()
{
    return EditSideBorders(m_ui, bind.group.borders);
}

BOOL CWizardPagesModel::EditFieldBorders()
{
    return EditSideBorders(m_ui, field.borders);
}

void CWizardPagesModel::ChooseBind(int index)
{
    bindIndex = index;
    LoadFields();
}

void CWizardPagesModel::LoadFields()
{
    fieldNames.clear();
    fieldEntries.clear();
    fieldRows.clear();
    fieldCols.clear();
    fieldIndex = -1;
    const CString name = At(binds, bindIndex);
    if (name.IsEmpty() || m_grid == nullptr)
        return;
    auto b = m_grid->DBGetBind(name);
    if (!b)
        return;
    fieldNames = BindColumnNames(*m_grid, m_db, m_ui, name);
    const LONG count = b->GetnFieldCount();
    for (LONG j = 0; j < count; ++j) {
        auto f = b->GetField(j);
        if (!f)
            continue;
        CString entry;
        entry.Format("字段[%d,%d]", static_cast<int>(f->GetnRow()), static_cast<int>(f->GetnCol()));
        fieldEntries.push_back(entry);
        fieldRows.push_back(f->GetnRow());
        fieldCols.push_back(f->GetnCol());
    }
}

void CWizardPagesModel::ResetField()
{
    CFieldFields fresh;
    fresh.strBindName = At(binds, bindIndex);
    field = fresh;
}

bool CWizardPagesModel::ChooseAutomatic()
{
    if (!custom)
        return true;
    if (m_ui.MessageBox("选择自动绑定将会删除已经添加的绑定字段信息,确认选择吗?", "警告", MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return false;
    const CString name = At(binds, bindIndex);
    if (auto b = m_grid != nullptr && !name.IsEmpty() ? m_grid->DBGetBind(name) : nullptr) {
        for (LONG j = b->GetnFieldCount() - 1; j >= 0; --j)
            b->DeleteField(j);
    }
    fieldEntries.clear();
    fieldRows.clear();
    fieldCols.clear();
    fieldIndex = -1;
    custom = false;
    return true;
}

void CWizardPagesModel::ChooseCustom()
{
    custom = true;
    LoadFields();
}

void CWizardPagesModel::ChooseField(int index)
{
    ResetField();
    fieldIndex = index;
    if (index < 0 || static_cast<size_t>(index) >= fieldRows.size() || m_grid == nullptr)
        return;
    LoadField(*m_grid, At(binds, bindIndex), fieldRows[static_cast<size_t>(index)],
              fieldCols[static_cast<size_t>(index)], field);
    // The wizard's alignment list holds the stored value itself.
    field.nVAlign = 0;
}

bool CWizardPagesModel::SaveField(bool add)
{
    field.strBindName = At(binds, bindIndex);
    const CDialogCheck check = field.Check();
    failedFocus = check.focusId;
    if (!ReportCheck(m_ui, check) || m_grid == nullptr)
        return false;
    if (add) {
        auto b = m_grid->DBGetBind(field.strBindName);
        if (b && b->FindField(field.nRow, field.nCol) >= 0) {
            ShowHint(m_ui, "该单元格已经存在绑定信息,不能再添加.您可以退出对话框,选择修改操作.");
            return false;
        }
    }
    field.nOrigRow = -1;
    field.nOrigCol = -1;
    if (!::SaveField(m_grid, m_ui, field, FieldSave::Wizard))
        return false;
    LoadFields();
    fieldIndex = static_cast<int>(fieldEntries.size()) - 1;
    ResetField();
    return true;
}

bool CWizardPagesModel::DeleteField()
{
    if (fieldIndex < 0 || static_cast<size_t>(fieldIndex) >= fieldRows.size() || m_grid == nullptr)
        return false;
    const LONG row = fieldRows[static_cast<size_t>(fieldIndex)];
    const LONG col = fieldCols[static_cast<size_t>(fieldIndex)];
    CString ask;
    ask.Format("您确认要删除 字段[%d,%d] 的数据吗?", static_cast<int>(row), static_cast<int>(col));
    if (m_ui.MessageBox(ask, "删除", MB_YESNO) != IDYES)
        return false;
    auto b = m_grid->DBGetBind(At(binds, bindIndex));
    if (!b)
        return false;
    const LONG index = b->FindField(row, col);
    if (index < 0 || b->DeleteField(index) < 0)
        return false;
    ShowHint(m_ui, "删除成功!");
    LoadFields();
    ChooseField(static_cast<int>(fieldEntries.size()) - 1);
    fieldIndex = static_cast<int>(fieldEntries.size()) - 1;
    return true;
}

void CWizardPagesModel::WriteMarkers()
{
    if (m_grid != nullptr)
        WriteFieldMarkers(*m_grid, true);
}
