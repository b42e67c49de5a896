// The access layer on the test PostgreSQL server through unixODBC: exact
// numerics, 64-bit integers, dates, timestamps, booleans, Chinese text and a
// stored procedure through the call escape. Skipped when no server runs.
#include "binding/AdoConnection.h"
#include "binding/AdoRecordset.h"
#include "platform/headless/Headless.h"

#include "../DbTestUtil.h"

#include <gtest/gtest.h>

namespace {

class AdoPostgres : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_connection = dbtest::PostgresConnectionString();
        if (m_connection.IsEmpty())
            GTEST_SKIP() << "no test PostgreSQL server";
        Headless::Reset();
        std::string failure;
        ASSERT_TRUE(dbtest::RunStatements(
            m_connection,
            {"DROP TABLE IF EXISTS kivo_types",
             "CREATE TABLE kivo_types (id int, amount numeric(12,3), big bigint, day date, moment timestamp, "
             "flag boolean, name varchar(20))",
             "INSERT INTO kivo_types VALUES (1, 123456789.125, 5000000000, '2024-03-05', "
             "'2024-03-05 13:45:10', true, '中文名称')",
             "INSERT INTO kivo_types VALUES (2, NULL, -5000000000, NULL, NULL, false, NULL)",
             "CREATE OR REPLACE FUNCTION kivo_rows(n int) RETURNS TABLE (k int, label text) AS "
             "$$ SELECT g, '行' || g FROM generate_series(1, n) g $$ LANGUAGE sql"},
            &failure))
            << failure;
    }

    CString m_connection;
};

TEST_F(AdoPostgres, ColumnTypesAndValuesLandRight)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_connection, "", ""));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "SELECT amount, big, day, moment, flag, name FROM kivo_types ORDER BY id",
                        SQLQuery));
    ASSERT_EQ(rs.GetRecordCount(), 2);
    struct Case {
        const char* field;
        short type;
        const char* text;
    } cases[] = {
        {"amount", adNumeric, "123456789.125"},
        {"big", adBigInt, "5000000000"},
        {"day", adDBDate, "2024-03-05"},
        {"moment", adDBTimeStamp, "2024-03-05 13:45:10"},
        {"flag", adVarChar, "1"},   // the Unicode driver's booleans are text
        {"name", adVarWChar, "中文名称"},
    };
    for (const Case& c : cases) {
        AdoFieldInfo info;
        ASSERT_TRUE(rs.GetFieldType(c.field, &info)) << c.field;
        EXPECT_EQ(info.m_nType, c.type) << c.field;
        CDbValue v;
        ASSERT_TRUE(rs.GetFieldValue(c.field, v));
        EXPECT_STREQ(v.GetText(), c.text) << c.field;
    }
    AdoFieldInfo amount;
    rs.GetFieldType("amount", &amount);
    EXPECT_EQ(rs.GetColumn(0)->nDecimalDigits, 3);
    CDbValue v;
    rs.GetFieldValue("big", v);
    EXPECT_EQ(v.GetInteger(), 5000000000LL);

    rs.MoveNext();
    rs.GetFieldValue("amount", v);
    EXPECT_TRUE(v.IsNull());
    rs.GetFieldValue("big", v);
    EXPECT_EQ(v.GetInteger(), -5000000000LL);
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST_F(AdoPostgres, StoredProcedureRunsThroughTheCallEscape)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_connection, "", ""));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "kivo_rows(3)", SQLStoredProc));
    ASSERT_EQ(rs.GetRecordCount(), 3);
    rs.MoveNext();
    CDbValue v;
    ASSERT_TRUE(rs.GetFieldValue(1, v));
    EXPECT_STREQ(v.GetText(), "行2");
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST_F(AdoPostgres, WrongPasswordShowsOneConnectionBox)
{
    CAdoConnection connection;
    CString text = m_connection;
    text.Replace("Pwd=kivo;", "");
    // The cluster trusts loopback users, so a wrong database name stands
    // for a refused login.
    text.Replace("Database=kivo;", "Database=no_such_db;");
    EXPECT_FALSE(connection.Open(text, "", ""));
    ASSERT_EQ(Headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(Headless::MessageBoxes()[0].text.rfind("数据库链接异常!", 0), 0u);
}

}  // namespace
