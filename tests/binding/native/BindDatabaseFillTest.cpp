// Binds filled from real databases through the ODBC driver manager: an
// SQLite file, and the test PostgreSQL cluster when the test script runs one.
// Value types land in the cells as numbers and texts, a missing field is
// reported once, a data set that closes after its fill is closed, and a
// template with automatic binds fills again when opened.
#include "../BindTestSheet.h"
#include "../DbTestUtil.h"

#include "binding/ConnectionDefList.h"
#include "document/TemplateFile.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace bindtest;

namespace {

// A connection "db" with the data set "rows" (both automatic) and a body bind
// "body" (automatic) with the given fields.
CBindInfo* SetUpModel(CGridCtrl& grid, const CString& connection, const char* sql,
                      std::initializer_list<CBindFieldInfo> fields)
{
    CConnectionDefList& list = grid.GetConnectionList();
    CConnectionDef* db = list.GetConnectionAt(list.AddConnection("db"));
    db->m_strConnectionString = connection;
    db->m_nOpenType = 1;
    CDataSetDef* rows = db->GetDataSetAt(db->NewDataSet("rows"));
    rows->m_strSql = sql;
    rows->m_nOpenType = 1;
    CBindInfo* bind = grid.GetBindList().AddBind("body", &grid);
    bind->SetDataSource("db", "rows");
    bind->SetOpenType(1);
    for (const CBindFieldInfo& f : fields)
        bind->GetFieldList().AddField(f);
    return bind;
}

}  // namespace

TEST(BindDatabaseFill, SqliteValuesLandInTheCells)
{
    Headless::Reset();
    dbtest::SqliteFile file("bindfill");
    std::string failure;
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(),
                                      {"CREATE TABLE goods (grp TEXT, name TEXT, qty NUMERIC, big INTEGER)",
                                       "INSERT INTO goods VALUES ('A', '苹果', 1.5, 5000000000)",
                                       "INSERT INTO goods VALUES ('A', '香蕉', 2, 1)",
                                       "INSERT INTO goods VALUES ('B', 'pear', NULL, 2)"},
                                      &failure))
        << failure;
    auto grid = MakeSheet(2, 6);
    CBindFieldInfo group = Field("grp", 1);
    group.iGroup = 1;
    CBindInfo* bind = SetUpModel(*grid, file.ConnectionString(), "SELECT * FROM goods ORDER BY grp, big DESC",
                                 {group, Field("name", 2), Field("big", 3, ST_SUM), Field("nosuch", 4)});
    grid->GetConnectionList().GetConnectionAt(0)->GetDataSetAt(0)->m_nCloseType = 1;

    EXPECT_EQ(1, grid->FillData());
    EXPECT_EQ(6, bind->GetFillCount());
    EXPECT_EQ((Texts{"A", "A", " 分组合计 ", "B", " 分组合计 ", " 分组合计 "}), Column(*grid, 1, 1, 6));
    EXPECT_EQ((Texts{"苹果", "香蕉", "", "pear"}), Column(*grid, 2, 1, 4));
    EXPECT_EQ((Texts{"5000000000", "1", "5000000001", "2", "2", "5000000003"}), Column(*grid, 3, 1, 6));
    // The missing field is reported once, with the recordset's box.
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    EXPECT_EQ("错误", Headless::MessageBoxes()[0].caption);
    // The data set closes after the fill that read it.
    EXPECT_FALSE(grid->GetConnectionList().GetConnectionAt(0)->GetDataSetAt(0)->IsOpen());
}

TEST(BindDatabaseFill, TemplateWithAutomaticBindFillsWhenOpened)
{
    Headless::Reset();
    dbtest::SqliteFile file("bindtemplate");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(),
                                      {"CREATE TABLE t (v INTEGER)", "INSERT INTO t VALUES (7)",
                                       "INSERT INTO t VALUES (8)"}));
    auto grid = MakeSheet(2, 3);
    SetUpModel(*grid, file.ConnectionString(), "SELECT v FROM t ORDER BY v", {Field("v", 1)});
    const std::string path = file.Path() + ".kvx";
    ASSERT_EQ(1, SaveTemplateFile(*grid, path.c_str(), ""));

    auto opened = MakeSheet(2, 3);
    EXPECT_EQ(1, OpenTemplateAndFill(*opened, path.c_str(), ""));
    ASSERT_EQ(1, opened->GetBindList().GetCount());
    EXPECT_EQ((Texts{"7", "8"}), Column(*opened, 1, 1, 2));
    std::remove(path.c_str());
}

TEST(BindDatabaseFill, PostgresTypesLandInTheCells)
{
    const CString connection = dbtest::PostgresConnectionString();
    if (connection.IsEmpty())
        GTEST_SKIP() << "no test PostgreSQL cluster";
    Headless::Reset();
    std::string failure;
    ASSERT_TRUE(dbtest::RunStatements(
        connection,
        {"DROP TABLE IF EXISTS bindfill",
         "CREATE TABLE bindfill (n numeric(12,3), b bigint, d date, ts timestamp, f boolean, t text)",
         "INSERT INTO bindfill VALUES (123456789.125, 5000000000, '2026-12-11', '2026-12-11 10:20:30', true, '中文')"},
        &failure))
        << failure;
    auto grid = MakeSheet(2, 8);
    SetUpModel(*grid, connection, "SELECT n, b, d, ts, f, t FROM bindfill",
               {Field("n", 1), Field("b", 2), Field("d", 3), Field("ts", 4), Field("t", 6)});
    EXPECT_EQ(1, grid->FillData());
    EXPECT_EQ(123456789.125, Value(*grid, 1, 1));
    EXPECT_EQ(5000000000.0, Value(*grid, 1, 2));
    EXPECT_EQ("2026-12-11", Text(*grid, 1, 3));
    EXPECT_EQ("2026-12-11 10:20:30", Text(*grid, 1, 4));
    EXPECT_EQ("中文", Text(*grid, 1, 6));
}
