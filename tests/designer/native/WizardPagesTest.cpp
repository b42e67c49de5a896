// The report wizard's pages on the control in process and a SQLite file
// through ODBC, as a new user walks them: a connection (tested, and a
// driver that is not installed), a data set from table Emp with columns ID
// and NAME and a condition, a binding, custom fields, and the markers
// written at the end; back and next again update the same objects.
#include "designer/dialogs/WizardPages.h"

#include "designer/dialogs/CellPropertyPages.h"
#include "tests/binding/DbTestUtil.h"
#include "tests/designer/DesignerFixture.h"

#include <gtest/gtest.h>

using namespace designertest;

namespace {

struct WizardFixture : ::testing::Test {
    dbtest::SqliteFile file{"designer_wizard"};
    Designer d;
    std::unique_ptr<IDesignerDatabase> db = CreateDesignerDatabase();
    CWizardPagesModel pages{&d.grid, d.ui, *db};
    CReportWizardDlg wizard;

    void SetUp() override
    {
        std::string failure;
        ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(),
                                          {"create table Emp (ID integer, NAME text)",
                                           "insert into Emp values (4, '张三')", "insert into Emp values (5, 'b')",
                                           "create view V as select ID from Emp"},
                                          &failure))
            << failure;
    }
    std::string LastBox() const { return d.ui.boxes.empty() ? std::string() : d.ui.boxes.back().text; }

    // Steps 1 to 3 with the connection, the data set and a body binding.
    void WalkToFields()
    {
        ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
        pages.conn.strConnectionString = file.ConnectionString();
        ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
        ASSERT_EQ(1u, pages.tables.size());
        ASSERT_EQ("Emp", pages.tables[0].Str());
        pages.ChooseTable(0);
        ASSERT_EQ(2u, pages.columns.available.size());
        pages.columns.ChooseAll();
        pages.condition = "where ID>3";
        ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
        ASSERT_EQ(1, pages.bindConnIndex);   // "无", conn1
        ASSERT_EQ(0, pages.bindDataSetIndex);
        pages.ShowBindPage();
        ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
        ASSERT_EQ(4, wizard.Step());
    }
};

TEST_F(WizardFixture, TestsTheConnection)
{
    pages.conn.strConnectionString = file.ConnectionString();
    pages.TestConnection();
    EXPECT_EQ("链接成功!", LastBox());
    pages.conn.strConnectionString = "Driver={Not Installed Driver};Database=/tmp/none.db;";
    pages.TestConnection();
    EXPECT_EQ("链接失败!", LastBox());
    EXPECT_EQ("提示", d.ui.boxes.back().caption);
}

TEST_F(WizardFixture, WalksToTheMarkers)
{
    WalkToFields();
    if (HasFatalFailure())
        return;
    auto ds = d.grid.DBGetDataSet("conn1", "DataSet1");
    ASSERT_TRUE(ds);
    EXPECT_EQ("Select [ID] , [NAME] from [Emp] where ID>3", ds->GetstrSql().Str());

    ASSERT_EQ(1u, pages.binds.size());
    EXPECT_EQ("Bind1", pages.binds[0].Str());
    pages.ChooseCustom();
    ASSERT_EQ(2u, pages.fieldNames.size());
    EXPECT_EQ("NAME", pages.fieldNames[1].Str());
    pages.field.strFieldName = "ID";
    pages.field.nRow = 1;
    pages.field.nCol = 1;
    ASSERT_TRUE(pages.SaveField(true));
    pages.field.strFieldName = "NAME";
    pages.field.nRow = 1;
    pages.field.nCol = 2;
    ASSERT_TRUE(pages.SaveField(true));
    EXPECT_EQ((std::vector<CString>{"字段[1,1]", "字段[1,2]"}).size(), pages.fieldEntries.size());
    EXPECT_EQ("字段[1,2]", pages.fieldEntries[1].Str());
    EXPECT_EQ(1, pages.fieldIndex);

    // A second field on the same cell is refused.
    pages.field.strFieldName = "ID";
    pages.field.nRow = 1;
    pages.field.nCol = 2;
    EXPECT_FALSE(pages.SaveField(true));
    EXPECT_EQ("该单元格已经存在绑定信息,不能再添加.您可以退出对话框,选择修改操作.", LastBox());

    ASSERT_EQ(CReportWizardDlg::Finished, wizard.Next(pages));
    EXPECT_EQ("[ID]", d.grid.CellGetValue(1, 1).Str());
    EXPECT_EQ("[NAME]", d.grid.CellGetValue(1, 2).Str());

    // The template fills from the database: rows with ID above 3.
    EXPECT_GE(d.grid.DBFillData(), 0);
}

TEST_F(WizardFixture, BackAndNextAgainUpdateTheSameObjects)
{
    WalkToFields();
    if (HasFatalFailure())
        return;
    wizard.Back();
    wizard.Back();
    wizard.Back();
    ASSERT_EQ(1, wizard.Step());
    pages.conn.strUsername = "";
    pages.conn.nTimeOut = 30;
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    pages.condition = "where ID>4";
    pages.ChooseTable(0);
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    EXPECT_EQ(1, d.grid.DBGetConnectionCount());
    EXPECT_EQ(1, d.grid.DBGetBindCount());
    auto conn = d.grid.DBGetConnection("conn1");
    ASSERT_TRUE(conn);
    EXPECT_EQ(30, conn->GetnTimeOut());
    EXPECT_EQ(1, conn->GetDataSetCount());
    EXPECT_EQ("Select [ID] , [NAME] from [Emp] where ID>4", d.grid.DBGetDataSet("conn1", "DataSet1")->GetstrSql().Str());
}

TEST_F(WizardFixture, BorderButtonsOfTheBindingAndFieldPages)
{
    WalkToFields();
    if (HasFatalFailure())
        return;
    // The binding page's button: the popup's "外边框" gives the group rows
    // four sides when the binding is made again.
    wizard.Back();
    ASSERT_EQ(3, wizard.Step());
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        popup.Begin();
        popup.m_page.Outer();
        popup.Accept();
        return IDOK;
    });
    ASSERT_TRUE(pages.EditBindBorders());
    EXPECT_EQ(kDlgBorderPopup, d.ui.dialogsShown.back());
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    auto group = d.grid.DBGetBind("Bind1")->GetGroupRowInfo();
    ASSERT_TRUE(group);
    EXPECT_EQ(15, group->GetemCellBorderFlags());

    // The field page's button: a field added with its bottom side, shown
    // again with its border check set, then changed to no sides at all.
    pages.ChooseCustom();
    pages.field.strFieldName = "ID";
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        popup.Begin();
        popup.m_page.SetLine(1, TRUE);
        popup.Accept();
        return IDOK;
    });
    ASSERT_TRUE(pages.EditFieldBorders());
    EXPECT_EQ(8, pages.field.borders.nFlags);
    ASSERT_TRUE(pages.SaveField(true));
    EXPECT_EQ(0, pages.field.borders.nFlags);   // the controls are reset after a save
    pages.ChooseField(0);
    EXPECT_TRUE(pages.field.bBorder);
    EXPECT_EQ(8, pages.field.borders.nFlags);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& popup = dynamic_cast<CBorderPopupDlg&>(base);
        popup.Begin();
        popup.m_page.Clear();
        popup.Accept();
        return IDOK;
    });
    ASSERT_TRUE(pages.EditFieldBorders());
    ASSERT_TRUE(pages.SaveField(false));
    pages.ChooseField(0);
    EXPECT_FALSE(pages.field.bBorder);
    EXPECT_EQ(0, pages.field.borders.nFlags);
    EXPECT_EQ("ID", pages.field.strFieldName.Str());
}

TEST_F(WizardFixture, PagesReportTheirFailuresAndStay)
{
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    // No connection string.
    EXPECT_EQ(CReportWizardDlg::Stayed, wizard.Next(pages));
    EXPECT_EQ("链接字符串不能为空!", LastBox());
    EXPECT_EQ(static_cast<UINT>(kIdcConnString), pages.failedFocus);
    // A connection whose tables cannot be listed.
    pages.conn.strConnectionString = "Driver={Not Installed Driver};";
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    EXPECT_EQ("连接字符串可能不误,不能连接相关数据库.请确认用户名和密码是否正确!", LastBox());
    EXPECT_TRUE(pages.tables.empty());
    // Nothing chosen and no condition.
    EXPECT_EQ(CReportWizardDlg::Stayed, wizard.Next(pages));
    EXPECT_EQ("SQL语句不能为空!", LastBox());
    EXPECT_EQ(static_cast<UINT>(kIdcWizTableCondition), pages.failedFocus);
    pages.dataSetName = "";
    EXPECT_EQ(CReportWizardDlg::Stayed, wizard.Next(pages));
    EXPECT_EQ("数据集名称不能为空!", LastBox());
}

TEST_F(WizardFixture, TableColumnsOfAMissingTableShowTheDatabaseError)
{
    pages.conn.strConnectionString = file.ConnectionString();
    CString name;
    ASSERT_TRUE(pages.CreateConnection(name));
    pages.SetConnection(name);
    pages.tables.push_back("Gone");
    pages.ChooseTable(1);
    EXPECT_EQ(0u, LastBox().find("连接数据库失败!\r\n错误信息:"));
    EXPECT_TRUE(pages.columns.available.empty());
}

TEST_F(WizardFixture, BindPageListsTheDataSetsOfTheChosenConnection)
{
    for (const char* c : {"a", "b"}) {
        CConnectionFields f;
        f.strName = c;
        f.strConnectionString = file.ConnectionString();
        ASSERT_TRUE(SaveConnection(&d.grid, d.ui, f, true));
        ASSERT_TRUE(WizardCreateDataSet(&d.grid, d.ui, c, CString("ds_") + c, "select 1"));
    }
    pages.LoadBindConnections("a", "ds_a");
    ASSERT_EQ(1, pages.bindConnIndex);
    pages.ChooseBindConnection(2);
    ASSERT_EQ(1u, pages.bindDataSets.size());
    EXPECT_EQ("ds_b", pages.bindDataSets[0].Str());
    CString bind;
    ASSERT_TRUE(pages.CreateBind(bind));
    EXPECT_EQ("ds_b", d.grid.DBGetBind(bind)->GetDataSetName().Str());
    pages.ChooseBindConnection(0);
    EXPECT_TRUE(pages.bindDataSets.empty());
}

TEST_F(WizardFixture, AutomaticModeAsksAndRemovesOnlyThatBindingsFields)
{
    CBindFields b;
    for (const char* name : {"b1", "b2"}) {
        b.strName = name;
        ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
        CFieldFields f;
        f.strBindName = name;
        f.nBindType = 1;
        ASSERT_TRUE(SaveField(&d.grid, d.ui, f, FieldSave::New));
    }
    pages.SetBind("b1");
    pages.ChooseCustom();
    ASSERT_EQ(1u, pages.fieldEntries.size());
    d.ui.answers = {IDNO};
    EXPECT_FALSE(pages.ChooseAutomatic());
    EXPECT_TRUE(pages.custom);
    EXPECT_EQ("警告", d.ui.boxes.back().caption);
    d.ui.answers = {IDYES};
    EXPECT_TRUE(pages.ChooseAutomatic());
    EXPECT_EQ(0, d.grid.DBGetBind("b1")->GetnFieldCount());
    EXPECT_EQ(1, d.grid.DBGetBind("b2")->GetnFieldCount());
}

TEST_F(WizardFixture, DeletingAFieldAsksFirst)
{
    CBindFields b;
    b.strName = "b1";
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    pages.SetBind("b1");
    pages.ChooseCustom();
    pages.field.nBindType = 0;
    pages.field.strFieldName = "";
    pages.field.nRow = 2;
    pages.field.nCol = 3;
    ASSERT_TRUE(pages.SaveField(true));   // an empty binding without a field name is accepted
    d.ui.answers = {IDNO};
    EXPECT_FALSE(pages.DeleteField());
    EXPECT_EQ("您确认要删除 字段[2,3] 的数据吗?", LastBox());
    d.ui.answers = {IDYES};
    EXPECT_TRUE(pages.DeleteField());
    EXPECT_EQ("删除成功!", LastBox());
    EXPECT_TRUE(pages.fieldEntries.empty());
}

TEST(WizardWithoutControl, CreatesNothingAndStaysSilently)
{
    ScriptedUi ui;
    auto db = CreateDesignerDatabase();
    CWizardPagesModel pages(nullptr, ui, *db);
    CReportWizardDlg wizard;
    ASSERT_EQ(CReportWizardDlg::Moved, wizard.Next(pages));
    pages.conn.strConnectionString = "DSN=x";
    EXPECT_EQ(CReportWizardDlg::Stayed, wizard.Next(pages));
    EXPECT_TRUE(ui.boxes.empty());
    pages.SetConnection("conn1");
    EXPECT_TRUE(pages.connections.empty());
    wizard.Skip();
    wizard.Skip();
    pages.ShowBindPage();
    EXPECT_EQ(CReportWizardDlg::Stayed, wizard.Next(pages));
    wizard.Skip();
    pages.ShowFieldPage();
    EXPECT_FALSE(pages.SaveField(true));   // no binding to add to
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("绑定名称不能为空!", ui.boxes[0].text);
    EXPECT_FALSE(pages.DeleteField());
    EXPECT_EQ(CReportWizardDlg::Finished, wizard.Next(pages));   // no markers to write
    EXPECT_EQ(1u, ui.boxes.size());
}

}  // namespace
