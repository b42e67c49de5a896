// The designer's own database road on a SQLite file through the ODBC driver
// manager: the connection test, the tables of type "TABLE" (views left
// out), a table's and a query's columns with Chinese names, and failures
// answered with the driver's message.
#include "designer/DesignerDatabase.h"
#include "tests/binding/DbTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Join(const std::vector<CString>& v)
{
    std::string s;
    for (const auto& x : v)
        s += x.Str() + ",";
    return s;
}

struct DesignerDbFixture : ::testing::Test {
    dbtest::SqliteFile file{"designer_db"};
    std::unique_ptr<IDesignerDatabase> db = CreateDesignerDatabase();
    CDesignerDbLogin login;

    void SetUp() override
    {
        login.strConnection = file.ConnectionString();
        std::string failure;
        ASSERT_TRUE(dbtest::RunStatements(login.strConnection,
                                          {"create table Emp (ID integer, NAME text, 部门 text)",
                                           "insert into Emp values (1, 'a', '研发')",
                                           "create table Dept (ID integer)", "create view EmpView as select ID from Emp"},
                                          &failure))
            << failure;
    }
};

TEST_F(DesignerDbFixture, TestsTheConnection)
{
    CString error;
    EXPECT_TRUE(db->Test(login, error));
    CDesignerDbLogin missing = login;
    missing.strConnection = "Driver={No Such Driver 9};Database=/tmp/none.db;";
    EXPECT_FALSE(db->Test(missing, error));
    EXPECT_FALSE(error.IsEmpty());
}

TEST_F(DesignerDbFixture, ListsOnlyTables)
{
    std::vector<CString> tables;
    CString error;
    ASSERT_TRUE(db->ListTables(login, tables, error)) << error.Str();
    std::sort(tables.begin(), tables.end(), [](const CString& a, const CString& b) { return a.Str() < b.Str(); });
    EXPECT_EQ("Dept,Emp,", Join(tables));

    CDesignerDbLogin missing = login;
    missing.strConnection = "Driver={No Such Driver 9};";
    EXPECT_FALSE(db->ListTables(missing, tables, error));
    EXPECT_TRUE(tables.empty());
    EXPECT_FALSE(error.IsEmpty());
}

TEST_F(DesignerDbFixture, ListsColumnsOfTablesAndQueries)
{
    std::vector<CString> columns;
    CString error;
    ASSERT_TRUE(db->ListTableColumns(login, "Emp", columns, error)) << error.Str();
    EXPECT_EQ("ID,NAME,部门,", Join(columns));
    ASSERT_TRUE(db->ListQueryColumns(login, "Select [ID] , [NAME] from [Emp] where ID>3", columns, error));
    EXPECT_EQ("ID,NAME,", Join(columns));
    EXPECT_FALSE(db->ListTableColumns(login, "Nope", columns, error));
    EXPECT_TRUE(columns.empty());
    EXPECT_FALSE(error.IsEmpty());
}

TEST(DesignerDbLogin, UserAndPasswordJoinTheString)
{
    CDesignerDbLogin l;
    l.strConnection = "DSN=x";
    EXPECT_EQ("DSN=x", DesignerDbFullConnection(l).Str());
    l.strUser = "sa";
    l.strPassword = "p w";
    EXPECT_EQ("DSN=x;UID=sa;PWD=p w;", DesignerDbFullConnection(l).Str());
}

TEST(DesignerDbDrivers, TheSqliteDriverIsListed)
{
    const auto drivers = CreateDesignerDatabase()->Drivers();
    EXPECT_NE(drivers.end(), std::find_if(drivers.begin(), drivers.end(),
                                          [](const CString& d) { return d.Str() == "SQLite3"; }));
}

}  // namespace
