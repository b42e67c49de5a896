#include "designer/dialogs/DatabaseManagers.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/DatabaseListTexts.h"

using namespace dblist;

void SetUpManagerList(IGridControl& list, LONG rows, const std::vector<const char*>& headers,
                      const std::vector<LONG>& widths)
{
    list.RowSetCount(rows);
    list.ColumnSetCount(static_cast<LONG>(headers.size()) + 1);
    list.GridSetDisplayStyle(1);
    if (auto setting = list.GridGetDefaultSetting()) {
        setting->SetbEditable(0);
        setting->SetbTip(0);
        list.GridSetDefautSetting(setting.get());
    }
    list.GridSetSelectMode(2);
    for (size_t i = 0; i < headers.size(); ++i) {
        list.CellSetValue(0, static_cast<LONG>(i) + 1, headers[i]);
        list.ColumnSetWidth(static_cast<LONG>(i) + 1, widths[i]);
    }
}

void SetManagerCheckCell(IGridControl& list, LONG row, LONG col, bool checked)
{
    list.CellSetControl(row, col, kCheckBoxControl);
    list.CellSetControlProperty(row, col, "setcheck", checked ? "1" : "0");
}

namespace {
bool Ask(IDesignerUi& ui, LONG row)
{
    CString text;
    text.Format("您确认要删除第%d行数据吗?", static_cast<int>(row));
    return ui.MessageBox(text, "删除", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
}  // namespace

// ---------------------------------------------------------------- connections

CConnectionManagerModel::CConnectionManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui)
    : m_grid(grid), m_list(list), m_ui(ui)
{
}

void CConnectionManagerModel::Init()
{
    SetUpManagerList(m_list, 1, {"绑定名", "链接字", "用户名", "超时", "是否自动链接", "是否自动关闭"},
                     {50, 300, 50, 45, 90, 90});
    if (m_grid == nullptr)
        return;
    const LONG n = m_grid->DBGetConnectionCount();
    if (n <= 0)
        return;
    m_list.RowSetCount(n + 1);
    for (LONG i = 1; i <= n; ++i) {
        auto db = m_grid->DBGetConnectionEx(i - 1);
        CConnectionFields c;
        if (db && LoadConnection(*m_grid, db->GetstrName(), c))
            WriteRow(i, c);
    }
}

void CConnectionManagerModel::WriteRow(LONG row, const CConnectionFields& c)
{
    m_list.CellSetValue(row, 1, c.strName);
    m_list.CellSetValue(row, 2, c.strConnectionString);
    m_list.CellSetValue(row, 3, c.strUsername);
    m_list.CellSetValue(row, 4, NumberText(c.nTimeOut));
    SetManagerCheckCell(m_list, row, 5, c.bAutoOpen != FALSE);
    SetManagerCheckCell(m_list, row, 6, c.bAutoClose != FALSE);
}

void CConnectionManagerModel::Add()
{
    CConnectionDlg dlg;
    dlg.m_pGrid = m_grid;
    if (m_ui.DoModal(dlg) != IDOK)
        return;
    const LONG row = m_list.RowGetCount();
    m_list.RowSetCount(row + 1);
    WriteRow(row, dlg.m_data);
}

void CConnectionManagerModel::Change()
{
    const LONG row = m_list.CellGetFocusJ(0);
    if (row < 1) {
        ShowHint(m_ui, "请先选择要修改的行!");
        return;
    }
    if (m_grid == nullptr || !m_grid->CreateKivo<IKivoDatabase>()) {
        ShowHint(m_ui, "无法创建Database.KivoDatabase");
        return;
    }
    CConnectionDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_nMode = 0;
    if (!LoadConnection(*m_grid, m_list.CellGetValue(row, 1), dlg.m_data))
        return;
    if (m_ui.DoModal(dlg) == IDOK)
        WriteRow(row, dlg.m_data);
}

void CConnectionManagerModel::Delete()
{
    const LONG row = m_list.CellGetFocusJ(0);
    if (row < 1) {
        ShowHint(m_ui, "请先选择要删除的行!");
        return;
    }
    const CString name = m_list.CellGetValue(row, 1);
    if (name.IsEmpty() || m_grid == nullptr || !Ask(m_ui, row))
        return;
    if (m_grid->DBDelConnection(name) >= 0) {
        ShowHint(m_ui, "删除成功!");
        m_list.RowDelete(row, 1);
    } else {
        ShowHint(m_ui, "删除失败!");
    }
}

// ------------------------------------------------------------------- bindings

CBindManagerModel::CBindManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui)
    : m_grid(grid), m_list(list), m_ui(ui)
{
}

void CBindManagerModel::Init()
{
    SetUpManagerList(m_list, 1,
                     {"绑定名", "填充类型", "关联表体", "关联链接", "关联数据集", "绑定字段", "起始行", "起始列",
                      "自动增行", "自动增列", "是否自动绑定"},
                     {60, 70, 70, 70, 80, 70, 60, 60, 90, 90, 90});
    if (m_grid == nullptr)
        return;
    const LONG n = m_grid->DBGetBindCount();
    if (n <= 0)
        return;
    m_list.RowSetCount(n + 1);
    for (LONG i = 1; i <= n; ++i) {
        auto b = m_grid->DBGetBindEx(i - 1);
        if (b)
            WriteRow(i, b->GetstrName());
    }
}

void CBindManagerModel::WriteRow(LONG row, const CString& name)
{
    auto b = m_grid != nullptr ? m_grid->DBGetBind(name) : nullptr;
    if (!b)
        return;
    m_list.CellSetValue(row, 1, b->GetstrName());
    m_list.CellSetValue(row, 2, FillTypeText(b->GetFillType()));
    m_list.CellSetValue(row, 3, b->GetBodyBindEx());
    m_list.CellSetValue(row, 4, b->GetConnName());
    m_list.CellSetValue(row, 5, b->GetDataSetName());
    m_list.CellSetValue(row, 6, FieldCountText(b->GetnFieldCount()));
    m_list.CellSetValue(row, 7, NumberText(b->GetnFillStartRow()));
    m_list.CellSetValue(row, 8, NumberText(b->GetnFillStartCol()));
    SetManagerCheckCell(m_list, row, 9, b->GetbAutoRow() != 0);
    SetManagerCheckCell(m_list, row, 10, b->GetbAutoCol() != 0);
    SetManagerCheckCell(m_list, row, 11, b->GetiOpenType() != 0);
}

void CBindManagerModel::Add()
{
    CBindDlg dlg;
    dlg.m_pGrid = m_grid;
    if (m_ui.DoModal(dlg) != IDOK)
        return;
    const LONG row = m_list.RowGetCount();
    m_list.RowSetCount(row + 1);
    WriteRow(row, dlg.m_data.strName);
}

void CBindManagerModel::Change()
{
    const LONG row = m_list.CellGetFocusJ(0);
    const CString name = row >= 1 ? m_list.CellGetValue(row, 1) : CString();
    if (name.IsEmpty() || m_grid == nullptr)
        return;
    CBindDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_nMode = 0;
    if (!LoadBind(*m_grid, name, dlg.m_data))
        return;
    if (m_ui.DoModal(dlg) == IDOK)
        WriteRow(row, name);
}

void CBindManagerModel::Delete()
{
    const LONG row = m_list.CellGetFocusJ(0);
    if (row < 1) {
        ShowHint(m_ui, "请先选择要删除的行!");
        return;
    }
    const CString name = m_list.CellGetValue(row, 1);
    if (name.IsEmpty() || m_grid == nullptr || !Ask(m_ui, row))
        return;
    if (m_grid->DBDelBind(name) >= 0) {
        ShowHint(m_ui, "删除成功!");
        m_list.RowDelete(row, 1);
    } else {
        ShowHint(m_ui, "删除失败!");
    }
}

// ------------------------------------------------------------------ data sets

CDataSetManagerModel::CDataSetManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui)
    : m_grid(grid), m_list(list), m_ui(ui)
{
}

void CDataSetManagerModel::Init()
{
    SetUpManagerList(m_list, 2, {"链接名", "数据集名", "SQL类型", "SQL语句", "是否自动链接", "是否自动关闭"},
                     {100, 70, 60, 300, 90, 90});
    auto tree = m_list.GridAddTree(1, 1);
    if (!tree)
        return;
    tree->SetValue("数据源");
    if (m_grid == nullptr)
        return;
    const LONG n = m_grid->DBGetConnectionCount();
    for (LONG i = 0; i < n; ++i) {
        auto db = m_grid->DBGetConnectionEx(i);
        if (!db)
            continue;
        const CString connName = db->GetstrName();
        auto node = tree->AddNode();
        if (!node)
            continue;
        node->SetValue(connName);
        const LONG count = db->GetDataSetCount();
        for (LONG j = 0; j < count; ++j) {
            auto ds = db->GetDataSetEx(j);
            CDataSetDlg data;
            if (!ds || !LoadDataSet(*m_grid, connName, ds->GetstrName(), data))
                continue;
            if (auto child = node->AddNode())
                WriteRow(child->GetRowIndex(), data);
        }
    }
}

void CDataSetManagerModel::WriteRow(LONG row, const CDataSetDlg& ds)
{
    m_list.CellSetValue(row, 2, ds.m_strName);
    m_list.CellSetValue(row, 3, SqlTypeWord(ds.m_nSqlType));
    m_list.CellSetValue(row, 4, ds.m_strSql);
    SetManagerCheckCell(m_list, row, 5, ds.m_bAutoOpen != FALSE);
    SetManagerCheckCell(m_list, row, 6, ds.m_bAutoClose != FALSE);
}

void CDataSetManagerModel::Add()
{
    const LONG row = m_list.CellGetFocusJ(0);
    if (row < 1) {
        ShowHint(m_ui, "请先选择要添加的类型!");
        return;
    }
    auto tree = m_list.GridGetTreeEx(1, 1);
    if (!tree)
        return;
    if (row == tree->GetRowIndex()) {
        m_ui.MessageBox("请先选择目标链接对象或是其它同类数据集.", "添加数据集", MB_OK | MB_ICONINFORMATION);
        return;
    }
    auto node = tree->GetNodeEx(row);
    if (!node)
        return;
    std::unique_ptr<IKivoTreeNode> connNode =
        m_list.CellGetValue(row, 2).IsEmpty() ? std::move(node) : node->GetParent();
    if (!connNode)
        return;
    CDataSetDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_bAdd = TRUE;
    dlg.m_strConnName = connNode->GetValue();
    if (m_ui.DoModal(dlg) != IDOK)
        return;
    if (auto child = connNode->AddNode())
        WriteRow(child->GetRowIndex(), dlg);
}

void CDataSetManagerModel::Change()
{
    const LONG row = m_list.CellGetFocusJ(0);
    auto tree = m_list.GridGetTreeEx(1, 1);
    if (row < 1 || !tree || row == tree->GetRowIndex() || m_list.CellGetValue(row, 2).IsEmpty()) {
        ShowHint(m_ui, "请先选择要修改的数据集所在行!");
        return;
    }
    auto node = tree->GetNodeEx(row);
    auto parent = node ? node->GetParent() : nullptr;
    if (!parent || m_grid == nullptr)
        return;
    if (!m_grid->CreateKivo<IKivoDatabase>()) {
        ShowHint(m_ui, "创建KivoSheet.KivoDatabase.1 对象失败");
        return;
    }
    if (!m_grid->CreateKivo<IKivoDataSet>()) {
        ShowHint(m_ui, "创建KivoSheet.KivoDataSet.1 对象失败");
        return;
    }
    CDataSetDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_bAdd = FALSE;
    if (!LoadDataSet(*m_grid, parent->GetValue(), m_list.CellGetValue(row, 2), dlg))
        return;
    if (m_ui.DoModal(dlg) == IDOK)
        WriteRow(row, dlg);
}

void CDataSetManagerModel::Delete()
{
    const LONG row = m_list.CellGetFocusJ(0);
    auto tree = m_list.GridGetTreeEx(1, 1);
    if (row < 1 || !tree || row == tree->GetRowIndex() || m_list.CellGetValue(row, 2).IsEmpty()) {
        ShowHint(m_ui, "请先选择要删除的行!");
        return;
    }
    auto node = tree->GetNodeEx(row);
    auto parent = node ? node->GetParent() : nullptr;
    if (!parent || m_grid == nullptr || !Ask(m_ui, row))
        return;
    auto db = m_grid->DBGetConnection(parent->GetValue());
    if (!db || db->DelDataSet(m_list.CellGetValue(row, 2)) < 0) {
        ShowHint(m_ui, "删除失败!");
        return;
    }
    parent->DelNode(node->GetChildIndex());
    ShowHint(m_ui, "删除成功!");
}

void CDataSetManagerModel::DoubleClick()
{
    const LONG row = m_list.CellGetFocusJ(0);
    auto tree = m_list.GridGetTreeEx(1, 1);
    if (row < 1 || !tree)
        return;
    if (row == tree->GetRowIndex()) {
        m_ui.MessageBox("请先选择目标链接对象或是其它同类数据集.", "添加数据集", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_list.CellGetValue(row, 2).IsEmpty())
        Add();
    else
        Change();
}

// --------------------------------------------------------------- bound fields

CBindFieldManagerModel::CBindFieldManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui)
    : m_grid(grid), m_list(list), m_ui(ui)
{
}

void CBindFieldManagerModel::Init()
{
    SetUpManagerList(m_list, 2,
                     {"绑定名", "字段名", "字段绑定类型", "行号", "列号", "统计类型", "缺省值", "是否分组", "是否合并",
                      "是否只读"},
                     {100, 100, 90, 60, 60, 90, 90, 90, 90, 90});
    m_list.ColumnSetCount(11);
    auto tree = m_list.GridAddTree(1, 1);
    if (!tree)
        return;
    tree->SetValue("所有绑定");
    if (m_grid == nullptr)
        return;
    const LONG n = m_grid->DBGetBindCount();
    for (LONG i = 0; i < n; ++i) {
        auto bind = m_grid->DBGetBindEx(i);
        auto node = bind ? tree->AddNode() : nullptr;
        if (!node)
            continue;
        const CString name = bind->GetstrName();
        node->SetValue(name);
        const LONG count = bind->GetnFieldCount();
        for (LONG j = 0; j < count; ++j) {
            auto field = bind->GetField(j);
            CFieldFields data;
            if (!field || !LoadField(*m_grid, name, field->GetnRow(), field->GetnCol(), data))
                continue;
            if (auto child = node->AddNode())
                WriteRow(child->GetRowIndex(), data);
        }
    }
}

CBindFieldManagerModel::RowKind CBindFieldManagerModel::KindOf(LONG row)
{
    auto tree = m_list.GridGetTreeEx(1, 1);
    if (row < 1 || !tree)
        return NoRow;
    if (row == tree->GetRowIndex())
        return RootRow;
    auto node = tree->GetNodeEx(row);
    if (!node)
        return NoRow;
    auto parent = node->GetParent();
    return parent && parent->GetRowIndex() != tree->GetRowIndex() ? FieldRow : BindRow;
}

void CBindFieldManagerModel::WriteRow(LONG row, const CFieldFields& f)
{
    m_list.CellSetValue(row, 2, f.strFieldName);
    m_list.CellSetValue(row, 3, FieldBindTypeText(f.nBindType));
    m_list.CellSetValue(row, 4, NumberText(f.nRow));
    m_list.CellSetValue(row, 5, NumberText(f.nCol));
    m_list.CellSetValue(row, 6, StatisticsText(f.nStatistics));
    m_list.CellSetValue(row, 7, DefaultValueText(f.nDefType == 2 ? 1 : 0, f.dbDefValue, f.strDefValue));
    SetManagerCheckCell(m_list, row, 8, f.bGroup != FALSE);
    SetManagerCheckCell(m_list, row, 9, f.bMerge != FALSE);
    SetManagerCheckCell(m_list, row, 10, f.bReadOnly != FALSE);
}

void CBindFieldManagerModel::Add()
{
    const LONG row = m_list.CellGetFocusJ(0);
    const RowKind kind = KindOf(row);
    if (kind == NoRow) {
        ShowHint(m_ui, "请先选择要添加的类型!");
        return;
    }
    if (kind == RootRow) {
        m_ui.MessageBox("请先选择绑定对象或是其它同类绑定字段对象.", "添加绑定字段", MB_OK | MB_ICONINFORMATION);
        return;
    }
    auto node = m_list.GridGetTreeEx(1, 1)->GetNodeEx(row);
    std::unique_ptr<IKivoTreeNode> bindNode = kind == BindRow ? std::move(node) : node->GetParent();
    if (!bindNode || m_grid == nullptr)
        return;
    CBindFieldDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_data.strBindName = bindNode->GetValue();
    if (m_ui.DoModal(dlg) != IDOK)
        return;
    CFieldFields saved;
    if (!LoadField(*m_grid, dlg.m_data.strBindName, dlg.m_data.nRow, dlg.m_data.nCol, saved))
        return;
    if (auto child = bindNode->AddNode())
        WriteRow(child->GetRowIndex(), saved);
}

void CBindFieldManagerModel::Change()
{
    const LONG row = m_list.CellGetFocusJ(0);
    const RowKind kind = KindOf(row);
    if (kind == RootRow) {
        m_ui.MessageBox("请先选择要修改的绑定字段.", "添加字段", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (kind != FieldRow || m_grid == nullptr)
        return;
    auto parent = m_list.GridGetTreeEx(1, 1)->GetNodeEx(row)->GetParent();
    if (!parent)
        return;
    const LONG fieldRow = static_cast<LONG>(m_list.CellGetValueEx(row, 4));
    const LONG fieldCol = static_cast<LONG>(m_list.CellGetValueEx(row, 5));
    CBindFieldDlg dlg;
    dlg.m_pGrid = m_grid;
    dlg.m_nMode = 0;
    if (!LoadField(*m_grid, parent->GetValue(), fieldRow, fieldCol, dlg.m_data))
        return;
    if (m_ui.DoModal(dlg) != IDOK)
        return;
    CFieldFields saved;
    if (LoadField(*m_grid, dlg.m_data.strBindName, dlg.m_data.nRow, dlg.m_data.nCol, saved))
        WriteRow(row, saved);
}

void CBindFieldManagerModel::Delete()
{
    const LONG row = m_list.CellGetFocusJ(0);
    const RowKind kind = KindOf(row);
    if (kind == RootRow) {
        m_ui.MessageBox("请先选择要删除的字段.", "添加数据集", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (kind != FieldRow) {
        ShowHint(m_ui, "请先选择要删除的行!");
        return;
    }
    auto node = m_list.GridGetTreeEx(1, 1)->GetNodeEx(row);
    auto parent = node->GetParent();
    if (!parent || m_grid == nullptr || !Ask(m_ui, row))
        return;
    auto bind = m_grid->DBGetBind(parent->GetValue());
    const LONG index = bind ? bind->FindField(static_cast<LONG>(m_list.CellGetValueEx(row, 4)),
                                              static_cast<LONG>(m_list.CellGetValueEx(row, 5)))
                            : -1;
    if (index < 0 || bind->DeleteField(index) < 0) {
        ShowHint(m_ui, "删除失败!");
        return;
    }
    parent->DelNode(node->GetChildIndex());
    ShowHint(m_ui, "删除成功!");
}

void CBindFieldManagerModel::DoubleClick()
{
    const LONG row = m_list.CellGetFocusJ(0);
    switch (KindOf(row)) {
    case RootRow:
        m_ui.MessageBox("请先选择目标绑定对象或是其它同类绑定字段.", "添加绑定字段", MB_OK | MB_ICONINFORMATION);
        break;
    case BindRow: Add(); break;
    case FieldRow: Change(); break;
    default: break;
    }
}

// ------------------------------------------------------------ query condition

CQueryConditionModel::CQueryConditionModel(IGridControl* grid, IDesignerUi& ui) : m_grid(grid), m_ui(ui) {}

void CQueryConditionModel::Init()
{
    connections.clear();
    if (m_grid == nullptr)
        return;
    const LONG n = m_grid->DBGetConnectionCount();
    for (LONG i = 0; i < n; ++i)
        if (auto db = m_grid->DBGetConnectionEx(i))
            connections.push_back(db->GetstrName());
}

void CQueryConditionModel::ChooseConnection(int index)
{
    connIndex = index;
    dataSets.clear();
    dataSetIndex = -1;
    if (m_grid == nullptr || index < 0 || static_cast<size_t>(index) >= connections.size())
        return;
    auto db = m_grid->DBGetConnection(connections[static_cast<size_t>(index)]);
    if (!db)
        return;
    const LONG n = db->GetDataSetCount();
    for (LONG i = 0; i < n; ++i)
        if (auto ds = db->GetDataSetEx(i))
            dataSets.push_back(ds->GetstrName());
}

void CQueryConditionModel::ChooseDataSet(int index)
{
    dataSetIndex = index;
    if (m_grid == nullptr || connIndex < 0 || static_cast<size_t>(connIndex) >= connections.size() || index < 0 ||
        static_cast<size_t>(index) >= dataSets.size())
        return;
    if (auto ds = m_grid->DBGetDataSet(connections[static_cast<size_t>(connIndex)],
                                       dataSets[static_cast<size_t>(index)]))
        sql = ds->GetstrSql();
}

void CQueryConditionModel::Apply()
{
    if (m_grid == nullptr || connIndex < 0 || static_cast<size_t>(connIndex) >= connections.size() ||
        dataSetIndex < 0 || static_cast<size_t>(dataSetIndex) >= dataSets.size())
        return;
    if (m_grid->DBSetDSSql(connections[static_cast<size_t>(connIndex)], dataSets[static_cast<size_t>(dataSetIndex)],
                           sql) == 1)
        ShowHint(m_ui, "设置成功!");
}
