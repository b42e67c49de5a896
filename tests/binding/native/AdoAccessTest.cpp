// The access layer on a real SQLite file through unixODBC: types, exact
// values, Chinese text, the cursor, command types and the error boxes.
#include "binding/AdoConnection.h"
#include "binding/AdoRecordset.h"
#include "platform/headless/Headless.h"

#include "../DbTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AdoSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        std::string failure;
        ASSERT_TRUE(dbtest::RunStatements(
            m_file.ConnectionString(),
            {"CREATE TABLE goods (id INTEGER, name TEXT, price REAL, qty NUMERIC, big INTEGER)",
             "INSERT INTO goods VALUES (1, '苹果', 2.5, 10, 5000000000)",
             "INSERT INTO goods VALUES (2, '香蕉', NULL, 3, -5000000000)",
             "INSERT INTO goods VALUES (3, 'pear', 0.125, 7, 0)"},
            &failure))
            << failure;
    }

    dbtest::SqliteFile m_file{"access"};
};

TEST_F(AdoSqlite, QueryReadsEveryRowWithExactValues)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_file.ConnectionString(), "", ""));
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_EQ(connection.GetState(), 1);

    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "SELECT id, name, price, qty, big FROM goods ORDER BY id", SQLQuery));
    EXPECT_TRUE(rs.IsOpen());
    EXPECT_EQ(rs.GetRecordCount(), 3);
    EXPECT_EQ(rs.GetFieldCount(), 5);

    CDbValue v;
    ASSERT_TRUE(rs.GetFieldValue("NAME", v));   // names compare without case
    EXPECT_STREQ(v.GetText(), "苹果");
    ASSERT_TRUE(rs.GetFieldValue(4, v));
    EXPECT_EQ(v.GetInteger(), 5000000000LL);
    EXPECT_STREQ(v.GetText(), "5000000000");
    ASSERT_TRUE(rs.GetFieldValue("price", v));
    EXPECT_DOUBLE_EQ(v.GetDouble(), 2.5);

    rs.MoveNext();
    ASSERT_TRUE(rs.GetFieldValue("price", v));
    EXPECT_TRUE(v.IsNull());
    ASSERT_TRUE(rs.GetFieldValue("big", v));
    EXPECT_EQ(v.GetInteger(), -5000000000LL);

    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveFirst();
    EXPECT_FALSE(rs.IsEOF());
    ASSERT_TRUE(rs.GetFieldValue("id", v));
    EXPECT_EQ(v.GetInteger(), 1);
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST_F(AdoSqlite, FieldInfoMapsColumnTypes)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_file.ConnectionString(), "", ""));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "goods", SQLTable));
    struct Case {
        const char* field;
        short type;
    } cases[] = {{"id", adInteger}, {"name", adLongVarChar}, {"price", adDouble}};
    for (const Case& c : cases) {
        AdoFieldInfo info;
        ASSERT_TRUE(rs.GetFieldType(c.field, &info)) << c.field;
        EXPECT_STREQ(info.m_strName, c.field);
        EXPECT_EQ(info.m_nType, c.type) << c.field;
    }
    AdoFieldInfo info;
    ASSERT_TRUE(rs.GetFieldInfo(1, &info));
    EXPECT_EQ(info.m_lSize, 4);   // "苹果" in code page 936
}

TEST_F(AdoSqlite, UnknownCommandTypeLeavesTheRecordsetClosed)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_file.ConnectionString(), "", ""));
    CAdoRecordset rs;
    EXPECT_FALSE(rs.Open(&connection, "SELECT * FROM goods", 5));
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST_F(AdoSqlite, FailuresShowOneRecordsetBoxAndAnswerFalse)
{
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(m_file.ConnectionString(), "", ""));
    struct Case {
        const char* query;
        int type;
    } cases[] = {
        {"SELECT * FROM missing_table", SQLQuery},
        {"no_such_procedure", SQLStoredProc},   // SQLite knows no procedures
    };
    for (const Case& c : cases) {
        Headless::Reset();
        CAdoRecordset rs;
        EXPECT_FALSE(rs.Open(&connection, c.query, c.type)) << c.query;
        EXPECT_FALSE(rs.IsOpen());
        ASSERT_EQ(Headless::MessageBoxes().size(), 1u) << c.query;
        EXPECT_EQ(Headless::MessageBoxes()[0].caption, "错误");
        EXPECT_EQ(Headless::MessageBoxes()[0].text.rfind("数据库记录集异常! Error\n\t错误代码 = 80004005", 0), 0u)
            << Headless::MessageBoxes()[0].text;
        EXPECT_EQ(std::string(rs.GetLastErrorText()).rfind(std::string("Query = ") + c.query + "\n", 0), 0u);
    }

    // A field the recordset lacks, and a read off the end.
    Headless::Reset();
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "SELECT id FROM goods WHERE id > 100", SQLQuery));
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_TRUE(rs.IsEOF());
    CDbValue v;
    EXPECT_FALSE(rs.GetFieldValue("id", v));
    EXPECT_FALSE(rs.GetFieldValue("nope", v));
    EXPECT_EQ(rs.FindField("nope"), -1);
    EXPECT_EQ(Headless::MessageBoxes().size(), 2u);
}

TEST(AdoConnectionFailure, WrongConnectionStringShowsOneErrorBox)
{
    Headless::Reset();
    CAdoConnection connection;
    EXPECT_FALSE(connection.Open("Driver={No Such Driver};Database=/nonexistent/x.db;", "", ""));
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_EQ(connection.GetState(), -1);
    ASSERT_EQ(Headless::MessageBoxes().size(), 1u);
    const Headless::MessageBoxRecord& box = Headless::MessageBoxes()[0];
    EXPECT_EQ(box.caption, "错误");
    EXPECT_EQ(box.text.rfind("数据库链接异常!\n\t错误代码 = 80004005\n\t错误代码含义 = ", 0), 0u) << box.text;
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(std::string(connection.GetLastErrorText()).rfind("Connection String = Driver={No Such Driver}", 0), 0u);

    // A recordset on a connection that never opened refuses with its own box.
    CAdoRecordset rs;
    EXPECT_FALSE(rs.Open(&connection, "SELECT 1", SQLQuery));
    EXPECT_EQ(Headless::MessageBoxes().size(), 2u);
}

TEST(AdoRecordsetMemory, LoadedRowsActAsAnOpenRecordset)
{
    CAdoRecordset rs;
    CDbColumn a;
    a.strName = "amount";
    a.nSqlType = 2;   // numeric
    rs.Load({a}, {{CDbValue::MakeDecimal("5000000000.125")}, {}});
    EXPECT_TRUE(rs.IsOpen());
    EXPECT_EQ(rs.GetRecordCount(), 2);
    CDbValue v;
    ASSERT_TRUE(rs.GetFieldValue("Amount", v));
    EXPECT_STREQ(v.GetText(), "5000000000.125");
    EXPECT_EQ(v.GetInteger(), 5000000000LL);
    rs.MoveNext();
    ASSERT_TRUE(rs.GetFieldValue(0, v));   // a short row reads null
    EXPECT_TRUE(v.IsNull());
    rs.Close();
    EXPECT_FALSE(rs.IsOpen());
}

TEST(AdoRecordsetStatements, CommandTypesBuildTheirStatements)
{
    struct Case {
        const char* query;
        int type;
        const char* statement;
    } cases[] = {
        {"SELECT 1", SQLQuery, "SELECT 1"},
        {"SELECT 1", SQLUnknown, "SELECT 1"},
        {"goods", SQLTable, "SELECT * FROM goods"},
        {"report", SQLStoredProc, "{call report()}"},
        {" report(1, 'a') ", SQLStoredProc, "{call report(1, 'a')}"},
        {"{call report(2)}", SQLStoredProc, "{call report(2)}"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CAdoRecordset::StatementFor(c.query, c.type), c.statement) << c.query;
}

TEST(DbValues, KindsReadAsTextAndNumber)
{
    struct Case {
        CDbValue value;
        const char* text;
        double number;
    } cases[] = {
        {CDbValue::MakeInteger(5000000000LL), "5000000000", 5000000000.0},
        {CDbValue::MakeDecimal("-12.340"), "-12.340", -12.34},
        {CDbValue::MakeDecimal("abc"), "abc", 0.0},   // no number: kept as text
        {CDbValue::MakeDouble(0.1), "0.1", 0.1},
        {CDbValue::MakeBoolean(true), "1", 1.0},
        {CDbValue::MakeDate(2024, 3, 5), "2024-03-05", 45356.0},
        {CDbValue::MakeTimestamp(2024, 3, 5, 12, 0, 0), "2024-03-05 12:00:00", 45356.5},
        {CDbValue::MakeTimestamp(2024, 3, 5, 12, 0, 0, 250000000), "2024-03-05 12:00:00.25", 45356.5},
        {CDbValue::MakeBinary({0x0A, 0xFF}), "0AFF", 0.0},
        {CDbValue(), "", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.value.GetText(), c.text);
        EXPECT_DOUBLE_EQ(c.value.GetDouble(), c.number) << c.text;
    }
    EXPECT_EQ(CDbValue::MakeDecimal("99999999999999999999").GetInteger(), INT64_MAX);
}

// The compact row table gives back every kind of value exactly as it was
// added, across its slot and byte blocks, with short rows padded by nulls
// and values past the last column dropped.
TEST(DbRows, ValuesComeBackAsAdded)
{
    const std::string longText(70000, 'x');   // larger than a shared byte block
    const std::vector<CDbValue> kinds = {
        CDbValue::MakeInteger(-5000000000LL),
        CDbValue::MakeDouble(0.1),
        CDbValue::MakeBoolean(true),
        CDbValue::MakeDecimal("-12.340"),
        CDbValue::MakeText("\xD6\xD0\xCE\xC4 text"),
        CDbValue::MakeText(""),
        CDbValue::MakeText(CString(longText.c_str())),
        CDbValue::MakeDate(2024, 3, 5),
        CDbValue::MakeTime(23, 59, 58),
        CDbValue::MakeTimestamp(2024, 3, 5, 12, 0, 0, 250000000),
        CDbValue::MakeBinary({0x00, 0x0A, 0xFF}),
        CDbValue(),
    };
    CDbRows rows;
    rows.Reset(kinds.size());
    const size_t kRows = 1000;   // many slot blocks
    for (size_t r = 0; r < kRows; ++r) {
        for (const CDbValue& v : kinds)
            rows.AddValue(v);
        rows.EndRow();
    }
    rows.AddInteger(7);   // a short row
    rows.EndRow();
    ASSERT_EQ(rows.GetRowCount(), kRows + 1);
    CDbValue v;
    for (size_t r = 0; r < kRows; r += 333) {
        for (size_t c = 0; c < kinds.size(); ++c) {
            rows.GetValue(r, c, v);
            EXPECT_TRUE(v == kinds[c]) << "row " << r << " column " << c << ": " << v.GetText().Left(40).GetString();
            EXPECT_EQ(rows.GetKind(r, c), kinds[c].GetKind());
        }
    }
    EXPECT_EQ(rows.GetValue(kRows, 0).GetInteger(), 7);
    EXPECT_TRUE(rows.GetValue(kRows, 1).IsNull());
    // Outside the table: null.
    EXPECT_TRUE(rows.GetValue(kRows + 1, 0).IsNull());
    EXPECT_TRUE(rows.GetValue(0, kinds.size()).IsNull());

    // A row given more values than columns keeps the first ones.
    CDbRows narrow;
    narrow.Reset(1);
    narrow.AddBytes(CDbValue::Text, "a", 1);
    narrow.AddInteger(2);
    narrow.EndRow();
    EXPECT_EQ(narrow.GetRowCount(), 1u);
    EXPECT_STREQ(narrow.GetValue(0, 0).GetText(), "a");

    rows.Reset(2);
    EXPECT_TRUE(rows.IsEmpty());
    EXPECT_TRUE(rows.GetValue(0, 0).IsNull());
}

}  // namespace
