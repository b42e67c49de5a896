// The database managers with a second control as their list, as the
// dialogs host one: rows written from the template's objects, adding,
// changing and deleting with their confirmations, the data-set tree, the
// query condition, and the bound-field manager's marker pass.
#include "designer/dialogs/DatabaseManagers.h"

#include "designer/commands/DatabaseCommandIds.h"
#include "tests/designer/DesignerFixture.h"

#include <gtest/gtest.h>

using namespace designertest;

namespace {

struct ManagerFixture : ::testing::Test {
    Designer d;      // the view's control
    Designer host;   // the manager's list
    IGridControl& list = host.grid;

    std::string LastBox() const { return d.ui.boxes.empty() ? std::string() : d.ui.boxes.back().text; }
    std::string Cell(LONG r, LONG c) { return list.CellGetValue(r, c).Str(); }
    void Focus(LONG row) { list.CellSetFocus(row, 2); }

    void AddConnection(const char* name)
    {
        CConnectionFields c;
        c.strName = name;
        c.strConnectionString = "DSN=kivo";
        c.nTimeOut = 20;
        c.bAutoClose = FALSE;
        ASSERT_TRUE(SaveConnection(&d.grid, d.ui, c, true));
    }
};

TEST_F(ManagerFixture, ConnectionsListedAddedChangedAndDeleted)
{
    CConnectionManagerModel m(&d.grid, list, d.ui);
    m.Init();
    EXPECT_EQ(1, list.RowGetCount());
    EXPECT_EQ("链接字", Cell(0, 2));
    AddConnection("c1");
    m.Init();
    ASSERT_EQ(2, list.RowGetCount());
    EXPECT_EQ("c1", Cell(1, 1));
    EXPECT_EQ("20", Cell(1, 4));
    EXPECT_EQ("0", list.CellGetControlProperty(1, 6, "setcheck").Str());
    EXPECT_EQ("1", list.CellGetControlProperty(1, 5, "setcheck").Str());

    d.ui.dialogs.push_back([this](CDesignerDialog& dlg) {
        auto& c = static_cast<CConnectionDlg&>(dlg);
        EXPECT_EQ(1, c.m_nMode);
        c.m_data.strName = "c2";
        c.m_data.strConnectionString = "DSN=other";
        return SaveConnection(c.m_pGrid, d.ui, c.m_data, true) ? IDOK : IDCANCEL;
    });
    m.Add();
    ASSERT_EQ(3, list.RowGetCount());
    EXPECT_EQ("DSN=other", Cell(2, 2));

    Focus(0);
    m.Change();
    EXPECT_EQ("请先选择要修改的行!", LastBox());
    Focus(1);
    d.ui.dialogs.push_back([this](CDesignerDialog& dlg) {
        auto& c = static_cast<CConnectionDlg&>(dlg);
        EXPECT_EQ(0, c.m_nMode);
        EXPECT_EQ("DSN=kivo", c.m_data.strConnectionString.Str());
        c.m_data.strUsername = "sa";
        return SaveConnection(c.m_pGrid, d.ui, c.m_data, false) ? IDOK : IDCANCEL;
    });
    m.Change();
    EXPECT_EQ("sa", Cell(1, 3));

    d.ui.answers = {IDNO};
    m.Delete();
    EXPECT_EQ("您确认要删除第1行数据吗?", LastBox());
    EXPECT_EQ(2, d.grid.DBGetConnectionCount());
    d.ui.answers = {IDYES};
    m.Delete();
    EXPECT_EQ("删除成功!", LastBox());
    EXPECT_EQ(1, d.grid.DBGetConnectionCount());
    ASSERT_EQ(2, list.RowGetCount());
    EXPECT_EQ("c2", Cell(1, 1));   // the next row moved up
}

TEST_F(ManagerFixture, BindingListWords)
{
    CBindFields b;
    b.strName = "body";
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    b.strName = "foot";
    b.nFillType = 2;
    b.strBodyBind = "body";
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    for (LONG c = 1; c <= 3; ++c) {
        CFieldFields f;
        f.strBindName = "body";
        f.nBindType = 1;
        f.nCol = c;
        ASSERT_TRUE(SaveField(&d.grid, d.ui, f, FieldSave::New));
    }
    CBindManagerModel m(&d.grid, list, d.ui);
    m.Init();
    ASSERT_EQ(3, list.RowGetCount());
    EXPECT_EQ("表体填充", Cell(1, 2));
    EXPECT_EQ("绑定3个字段", Cell(1, 6));
    EXPECT_EQ("表尾填充", Cell(2, 2));
    EXPECT_EQ("body", Cell(2, 3));
    EXPECT_EQ("自动绑定", Cell(2, 6));
    EXPECT_EQ("-1", Cell(1, 7));

    Focus(0);
    m.Delete();
    EXPECT_EQ("请先选择要删除的行!", LastBox());
    Focus(1);
    d.ui.answers = {IDYES};
    m.Delete();
    EXPECT_EQ(1, d.grid.DBGetBindCount());
    EXPECT_EQ("foot", Cell(1, 1));
}

TEST_F(ManagerFixture, DataSetTreeAddsUnderTheRowsConnection)
{
    AddConnection("c1");
    ASSERT_TRUE(WizardCreateDataSet(&d.grid, d.ui, "c1", "ds1", "select 1"));
    CDataSetManagerModel m(&d.grid, list, d.ui);
    m.Init();
    // Root, connection, data set.
    EXPECT_EQ("数据源", Cell(1, 1));
    EXPECT_EQ("c1", Cell(2, 1));
    EXPECT_EQ("ds1", Cell(3, 2));
    EXPECT_EQ("查询", Cell(3, 3));

    Focus(1);
    m.Add();
    EXPECT_EQ("请先选择目标链接对象或是其它同类数据集.", LastBox());
    EXPECT_EQ("添加数据集", d.ui.boxes.back().caption);

    Focus(3);   // a data set row: the new one goes under its connection
    d.ui.dialogs.push_back([this](CDesignerDialog& dlg) {
        auto& ds = static_cast<CDataSetDlg&>(dlg);
        EXPECT_EQ("c1", ds.m_strConnName.Str());
        ds.m_strName = "ds2";
        ds.m_strSql = "Emp";
        ds.m_nSqlType = 2;
        return SaveDataSet(ds.m_pGrid, d.ui, ds) ? IDOK : IDCANCEL;
    });
    m.Add();
    EXPECT_EQ(2, d.grid.DBGetConnection("c1")->GetDataSetCount());
    EXPECT_EQ("ds2", Cell(4, 2));
    EXPECT_EQ("表格", Cell(4, 3));

    Focus(2);
    m.Change();
    EXPECT_EQ("请先选择要修改的数据集所在行!", LastBox());

    for (LONG row : {4, 3}) {
        Focus(row);
        d.ui.answers = {IDYES};
        m.Delete();
        EXPECT_EQ("删除成功!", LastBox());
    }
    EXPECT_EQ(0, d.grid.DBGetConnection("c1")->GetDataSetCount());
    EXPECT_EQ("c1", Cell(2, 1));   // the connection stays listed
}

TEST_F(ManagerFixture, QueryConditionReplacesTheSql)
{
    AddConnection("c1");
    ASSERT_TRUE(WizardCreateDataSet(&d.grid, d.ui, "c1", "ds1", "select 1"));
    CQueryConditionModel q(&d.grid, d.ui);
    q.Init();
    q.sql = "select 2";
    q.Apply();   // nothing chosen: nothing happens
    EXPECT_TRUE(d.ui.boxes.empty());
    q.ChooseConnection(0);
    ASSERT_EQ(1u, q.dataSets.size());
    q.ChooseDataSet(0);
    EXPECT_EQ("select 1", q.sql.Str());
    q.sql = "select 2";
    q.Apply();
    EXPECT_EQ("设置成功!", LastBox());
    EXPECT_EQ("select 2", d.grid.DBGetDataSet("c1", "ds1")->GetstrSql().Str());
}

TEST_F(ManagerFixture, BoundFieldManagerWritesMarkersUnlessUnticked)
{
    CBindFields b;
    b.strName = "b1";
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    CFieldFields f;
    f.strBindName = "b1";
    f.strFieldName = "NAME";
    f.nRow = 2;
    f.nCol = 3;
    ASSERT_TRUE(SaveField(&d.grid, d.ui, f, FieldSave::New));
    d.grid.CellSetValue(2, 3, "before");
    d.ui.dialogs.push_back([](CDesignerDialog& dlg) {
        static_cast<CBindFieldManagerDlg&>(dlg).m_bMakeMarkers = FALSE;
        return IDCANCEL;
    });
    ASSERT_TRUE(d.Run(designer_cmd::kDbBoundFields));
    EXPECT_EQ("before", d.grid.CellGetValue(2, 3).Str());
    ASSERT_TRUE(d.Run(designer_cmd::kDbBoundFields));
    EXPECT_EQ("[NAME]", d.grid.CellGetValue(2, 3).Str());
}

TEST_F(ManagerFixture, BoundFieldTreeTellsFieldRowsByTheirNode)
{
    CBindFields b;
    b.strName = "b1";
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    CFieldFields f;
    f.strBindName = "b1";
    f.nBindType = 1;
    f.nRow = 0;   // a field at row 0, column 0: its row and column read as 0
    f.nCol = 0;
    ASSERT_TRUE(SaveField(&d.grid, d.ui, f, FieldSave::New));
    CBindFieldManagerModel m(&d.grid, list, d.ui);
    m.Init();
    EXPECT_EQ("所有绑定", Cell(1, 1));
    EXPECT_EQ("b1", Cell(2, 1));
    EXPECT_EQ("序列绑定", Cell(3, 3));
    EXPECT_EQ("0", Cell(3, 4));

    Focus(3);
    d.ui.dialogs.push_back([this](CDesignerDialog& dlg) {
        auto& fd = static_cast<CBindFieldDlg&>(dlg);
        EXPECT_EQ(0, fd.m_nMode);
        EXPECT_EQ("b1", fd.m_data.strBindName.Str());
        fd.m_data.nStatistics = 5;
        return SaveField(fd.m_pGrid, d.ui, fd.m_data, FieldSave::Change) ? IDOK : IDCANCEL;
    });
    m.Change();
    EXPECT_EQ("计数", Cell(3, 6));

    // Adding on a field row adds under that field's binding.
    d.ui.dialogs.push_back([this](CDesignerDialog& dlg) {
        auto& fd = static_cast<CBindFieldDlg&>(dlg);
        EXPECT_EQ(1, fd.m_nMode);
        EXPECT_EQ("b1", fd.m_data.strBindName.Str());
        fd.m_data.strFieldName = "NAME";
        fd.m_data.nRow = 2;
        fd.m_data.nCol = 2;
        return SaveField(fd.m_pGrid, d.ui, fd.m_data, FieldSave::New) ? IDOK : IDCANCEL;
    });
    m.Add();
    EXPECT_EQ(2, d.grid.DBGetBind("b1")->GetnFieldCount());
    EXPECT_EQ("NAME", Cell(4, 2));

    Focus(1);
    m.Delete();
    EXPECT_EQ("请先选择要删除的字段.", LastBox());
    Focus(3);
    d.ui.answers = {IDYES};
    m.Delete();
    EXPECT_EQ("删除成功!", LastBox());
    EXPECT_EQ(1, d.grid.DBGetBind("b1")->GetnFieldCount());
    EXPECT_EQ("NAME", Cell(3, 2));
}

}  // namespace
