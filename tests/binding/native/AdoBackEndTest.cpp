// The access layer's two back ends: which one a connection string opens
// through, ADO's values as the ODBC back end gives them, the ADO calls by the
// object model's names and argument orders, and ADO's errors in the layer's
// error boxes. ADO is the stand-in of tests/binding/standin/, put in as the
// platform's automation handler for each test; without it the host build has
// no ADO at all.
#include "../BindTestSheet.h"
#include "../DbTestUtil.h"

#include "binding/AdoConnection.h"
#include "binding/AdoRecordset.h"
#include "binding/ConnectionDefList.h"
#include "binding/standin/AdoStandIn.h"
#include "platform/Automation.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace bindtest;

namespace {

const char kStandIn[] = "Provider=KivoStandIn.1;Data Source=kivo;";

// The stand-in answers "ADODB.*" for the test's duration.
class WithStandInAdo {
public:
    WithStandInAdo()
    {
        m_old = SetPlatformAutomationHandler(
            [this](LPCTSTR szProgId) { return CreateAdoStandInObject(szProgId, &log); });
    }
    ~WithStandInAdo() { SetPlatformAutomationHandler(m_old); }
    AdoStandInLog log;

private:
    PlatformAutomationHandler m_old;
};

// The log's lines that hold `text`, in order, as one string for messages.
std::string Lines(const AdoStandInLog& log)
{
    std::string all;
    for (const std::string& line : log.lines)
        all += line + "\n";
    return all;
}

// The position of the first line at or after `from` holding `text`; -1 when none.
int Find(const AdoStandInLog& log, const std::string& text, int from = 0)
{
    for (size_t i = static_cast<size_t>(from); i < log.lines.size(); ++i)
        if (log.lines[i].find(text) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(AdoBackEnd, ChosenByTheConnectionString)
{
    struct Case {
        const char* connection;
        bool adoAvailable;
        DbBackEnd backEnd;
        const char* given;   // what the back end gets (nullptr: the string as it stands)
    };
    const Case cases[] = {
        {"Provider=SQLOLEDB;Data Source=srv;Initial Catalog=sales;", true, DbBackEnd::Ado, nullptr},
        {"Provider=SQLOLEDB;Data Source=srv;Initial Catalog=sales;", false, DbBackEnd::NoProvider, nullptr},
        {" provider = Microsoft.ACE.OLEDB.12.0 ; Data Source=c:\\a.accdb", false, DbBackEnd::NoProvider, nullptr},
        {"Driver={SQLite3};Database=/tmp/a.db;", true, DbBackEnd::Odbc, nullptr},
        {"Driver={SQLite3};Database=/tmp/a.db;", false, DbBackEnd::Odbc, nullptr},
        {"DSN=sales;UID=kivo;", true, DbBackEnd::Odbc, nullptr},
        {"FILEDSN=c:\\sales.dsn;", true, DbBackEnd::Odbc, nullptr},
        {"Provider=MSDASQL;Driver={SQLite3};Database=/tmp/a.db;", true, DbBackEnd::Ado, nullptr},
        {"Provider=MSDASQL;Data Source=sales;User ID=kivo;Password=p;w;", false, DbBackEnd::Odbc,
         "DSN=sales;UID=kivo;PWD=p;"},
        {"Provider=MSDASQL.1;Data Source=sales;User ID=kivo;Password='p;w'", false, DbBackEnd::Odbc,
         "DSN=sales;UID=kivo;PWD={p;w};"},
        {"Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=\"Driver={SQLite3};Database=/tmp/a.db\"",
         false, DbBackEnd::Odbc, "Driver={SQLite3};Database=/tmp/a.db;Persist Security Info=False;"},
        {"Provider=;Driver={SQLite3};", false, DbBackEnd::Odbc, nullptr},
        {"", true, DbBackEnd::Odbc, nullptr},
        {"", false, DbBackEnd::Odbc, nullptr},
    };
    for (const Case& c : cases) {
        const DbBackEndChoice choice = ChooseDbBackEnd(c.connection, c.adoAvailable);
        EXPECT_EQ(static_cast<int>(c.backEnd), static_cast<int>(choice.backEnd))
            << c.connection << (c.adoAvailable ? " with ADO" : " without ADO");
        EXPECT_STREQ(c.given != nullptr ? c.given : c.connection, choice.strConnection) << c.connection;
    }
}

TEST(AdoBackEnd, WithoutAdoAProviderFailsWithTheErrorBoxAndMsdasqlGoesThroughOdbc)
{
    Headless::Reset();
    CAdoConnection connection;
    EXPECT_FALSE(connection.Open("Provider=SQLOLEDB;Data Source=srv;", "", ""));
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    const Headless::MessageBoxRecord& box = Headless::MessageBoxes()[0];
    EXPECT_EQ("错误", box.caption);
    EXPECT_EQ(0u, box.text.find("数据库链接异常!\n\t错误代码 = 800a0e7a")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("Provider cannot be found")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("SQLOLEDB")) << box.text;
    EXPECT_EQ(static_cast<HRESULT>(0x800A0E7AL), connection.GetLastErrorCode());

    dbtest::SqliteFile file("msdasql");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(), {"CREATE TABLE t (v INTEGER)", "INSERT INTO t VALUES (7)"}));
    Headless::Reset();
    const CString msdasql = ("Provider=MSDASQL.1;Extended Properties=\"Driver={SQLite3};Database=" + file.Path() + "\"").c_str();
    ASSERT_TRUE(connection.Open(msdasql, "", ""));
    EXPECT_EQ(static_cast<int>(DbBackEnd::Odbc), static_cast<int>(connection.GetBackEnd()));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "t", SQLTable));
    CDbValue v;
    ASSERT_TRUE(rs.GetFieldValue("v", v));
    EXPECT_EQ(7, v.GetInteger());
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST(AdoBackEnd, ValuesMapAsTheOdbcOnesDoAndCallsFollowTheObjectModel)
{
    Headless::Reset();
    WithStandInAdo ado;
    CAdoConnection connection;
    ASSERT_TRUE(connection.Open(kStandIn, "kivo", "secret")) << Lines(ado.log);
    EXPECT_EQ(static_cast<int>(DbBackEnd::Ado), static_cast<int>(connection.GetBackEnd()));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(&connection, "SELECT * FROM typed ORDER BY id", SQLQuery)) << Lines(ado.log);
    ASSERT_EQ(2, rs.GetRecordCount());
    ASSERT_EQ(10, rs.GetFieldCount());

    struct Expect {
        const char* field;
        CDbValue::Kind kind;
        const char* text;   // GetText
        short type;         // the field information's type
    };
    const Expect first[] = {
        {"id", CDbValue::Integer, "1", adInteger},
        {"big", CDbValue::Integer, "9007199254740993", adBigInt},
        {"price", CDbValue::Decimal, "12345678901234.5678", adCurrency},
        {"amount", CDbValue::Decimal, "-12345678901234567.890", adNumeric},
        {"day", CDbValue::Date, "2024-02-29", adDBDate},
        {"stamp", CDbValue::Timestamp, "2024-02-29 13:45:30", adDBTimeStamp},
        {"name", CDbValue::Text, "香蕉", adVarWChar},
        {"note", CDbValue::Null, "", adVarWChar},
        {"ratio", CDbValue::Double, "0.125", adDouble},
        {"flag", CDbValue::Boolean, "1", adBoolean},
    };
    const Expect second[] = {
        {"big", CDbValue::Integer, "-5000000000", adBigInt},
        {"price", CDbValue::Decimal, "-0.0001", adCurrency},
        {"amount", CDbValue::Decimal, "0.000", adNumeric},
        {"day", CDbValue::Date, "1999-12-31", adDBDate},
        {"stamp", CDbValue::Timestamp, "2000-01-01 00:00:00", adDBTimeStamp},
        {"flag", CDbValue::Boolean, "0", adBoolean},
    };
    auto check = [&](const Expect& e) {
        CDbValue v;
        ASSERT_TRUE(rs.GetFieldValue(e.field, v)) << e.field;
        EXPECT_EQ(e.kind, v.GetKind()) << e.field;
        EXPECT_STREQ(e.text, v.GetText()) << e.field;
        AdoFieldInfo info;
        ASSERT_TRUE(rs.GetFieldType(e.field, &info));
        EXPECT_EQ(e.type, info.m_nType) << e.field;
    };
    for (const Expect& e : first)
        check(e);
    CDbValue big;
    ASSERT_TRUE(rs.GetFieldValue("big", big));
    EXPECT_EQ(9007199254740993LL, big.GetInteger());
    rs.MoveNext();
    for (const Expect& e : second)
        check(e);
    EXPECT_TRUE(Headless::MessageBoxes().empty());

    // The calls by ADO's names and argument orders: Connection.Open
    // (ConnectionString, UserID, Password, Options), the recordset's cursor
    // set before Recordset.Open (Source, ActiveConnection, CursorType,
    // LockType, Options), fields read through Fields.Item.
    const AdoStandInLog& log = ado.log;
    EXPECT_TRUE(log.Has("call Connection.Open(s:Provider=KivoStandIn.1;Data Source=kivo;,s:kivo,s:secret,i:0)"))
        << Lines(log);
    const int cursorType = Find(log, "put Recordset.CursorType(i:3)");
    const int cursorLocation = Find(log, "put Recordset.CursorLocation(i:3)");
    const int open = Find(log, "call Recordset.Open(s:SELECT * FROM typed ORDER BY id,obj,i:3,i:3,i:8)");
    EXPECT_TRUE(cursorType >= 0 && cursorLocation > cursorType && open > cursorLocation) << Lines(log);
    EXPECT_TRUE(Find(log, "get Fields.Item(i:9)", open) > open) << Lines(log);
    EXPECT_TRUE(Find(log, "get Field.Value", open) > open) << Lines(log);
    EXPECT_TRUE(Find(log, "call Recordset.MoveNext()", open) > open) << Lines(log);

    // A table: keyset cursor and the table command; a stored procedure
    // through a Command on the connection, with the client cursor.
    ASSERT_TRUE(rs.Open(&connection, "goods", SQLTable)) << Lines(log);
    EXPECT_TRUE(log.Has("call Recordset.Open(s:goods,obj,i:1,i:3,i:2)")) << Lines(log);
    ASSERT_TRUE(rs.Open(&connection, "goods_by_qty", SQLStoredProc)) << Lines(log);
    const int active = Find(log, "put Command.ActiveConnection(obj)");
    const int text = Find(log, "put Command.CommandText(s:goods_by_qty)", active);
    const int type = Find(log, "put Command.CommandType(i:4)", text);
    const int client = Find(log, "put Connection.CursorLocation(i:3)", type);
    EXPECT_TRUE(active >= 0 && text > active && type > text && client > type &&
                Find(log, "call Command.Execute()", client) > client)
        << Lines(log);
    CDbValue qty;
    ASSERT_TRUE(rs.GetFieldValue("qty", qty));
    EXPECT_EQ(2, qty.GetInteger());
    // Command type 5: no call, FALSE, closed.
    const size_t calls = log.lines.size();
    EXPECT_FALSE(rs.Open(&connection, "goods", 5));
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(calls, log.lines.size());
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST(AdoBackEnd, AdoErrorsReachTheErrorBoxes)
{
    Headless::Reset();
    WithStandInAdo ado;
    CAdoConnection connection;
    EXPECT_FALSE(connection.Open("Provider=KivoStandIn.1;Data Source=nowhere;", "", ""));
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    std::string text = Headless::MessageBoxes()[0].text;
    EXPECT_EQ("错误", Headless::MessageBoxes()[0].caption);
    EXPECT_EQ(0u, text.find("数据库链接异常!\n\t错误代码 = 80004005")) << text;
    EXPECT_NE(std::string::npos, text.find("SQLSTATE 08001")) << text;
    EXPECT_NE(std::string::npos, text.find("错误源 = KivoStandIn")) << text;
    EXPECT_NE(std::string::npos, text.find("错误描述 = [KivoStandIn] Data source 'nowhere' cannot be found.")) << text;
    EXPECT_FALSE(connection.IsOpen());

    Headless::Reset();
    ASSERT_TRUE(connection.Open(kStandIn, "", ""));
    CAdoRecordset rs;
    EXPECT_FALSE(rs.Open(&connection, "SELECT name FROM nosuch", SQLQuery));
    ASSERT_EQ(1u, Headless::MessageBoxes().size());
    text = Headless::MessageBoxes()[0].text;
    EXPECT_EQ(0u, text.find("数据库记录集异常! Error\n\t错误代码 = 80040e37")) << text;
    EXPECT_NE(std::string::npos, text.find("[KivoStandIn] Invalid object name 'nosuch'.")) << text;
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(0u, rs.GetLastErrorText().Find("Query = SELECT name FROM nosuch\n"));
}

// The stand-in refuses what ADO refuses, with ADO's codes.
TEST(AdoBackEnd, StandInRefusesWhatAdoRefuses)
{
    AdoStandInLog log;
    AutomationObjectPtr connection = CreateAdoStandInObject("ADODB.Connection", &log);
    AutomationObjectPtr rs = CreateAdoStandInObject("ADODB.Recordset", &log);
    AutomationValue out;
    const std::vector<AutomationValue> openArgs = {AutomationValue::Text("SELECT * FROM goods"),
                                                   AutomationValue::Object(connection), AutomationValue::Int(3),
                                                   AutomationValue::Int(3), AutomationValue::Int(8)};
    // A closed connection.
    EXPECT_GT(0, rs->CallMethod("Open", openArgs, out));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0E78u), rs->GetLastFault().hr);
    // A cursor location outside ADO's.
    EXPECT_GT(0, rs->PutProperty("CursorLocation", AutomationValue::Int(7)));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0BB9u), rs->GetLastFault().hr);
    // A missing field.
    ASSERT_EQ(0, connection->CallMethod("Open", {AutomationValue::Text(kStandIn)}, out));
    ASSERT_EQ(0, rs->CallMethod("Open", openArgs, out));
    ASSERT_EQ(0, rs->GetProperty("Fields", {}, out));
    AutomationObjectPtr fields = out.object;
    EXPECT_GT(0, fields->GetProperty("Item", {AutomationValue::Text("nope")}, out));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0CC1u), fields->GetLastFault().hr);
    EXPECT_EQ(0, fields->GetProperty("Item", {AutomationValue::Text("QTY")}, out));
}

// One bind filled through ADO and through ODBC from the same rows gives the
// same cells.
TEST(AdoBackEnd, FillThroughAdoGivesTheCellsOfOdbc)
{
    dbtest::SqliteFile file("adofill");
    {
        auto db = CreateDbConnection();
        CDbError error;
        ASSERT_TRUE(db->Open(file.ConnectionString(), "", "", 0, error)) << error.strMessage.GetString();
        for (const std::string& statement : AdoStandInGoodsStatements()) {
            CDbResult result;
            ASSERT_TRUE(db->Execute(statement.c_str(), result, error)) << error.strMessage.GetString();
        }
    }
    auto fill = [](const CString& connection) {
        auto grid = MakeSheet(2, 4);
        CConnectionDefList& list = grid->GetConnectionList();
        CConnectionDef* db = list.GetConnectionAt(list.AddConnection("db"));
        db->m_strConnectionString = connection;
        db->m_nOpenType = 1;
        CDataSetDef* rows = db->GetDataSetAt(db->NewDataSet("rows"));
        rows->m_strSql = "SELECT name, qty FROM goods ORDER BY qty";
        rows->m_nOpenType = 1;
        CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
        bind->SetDataSource("db", "rows");
        bind->SetOpenType(1);
        bind->GetFieldList().AddField(Field("name", 1));
        bind->GetFieldList().AddField(Field("qty", 2, ST_SUM));
        EXPECT_EQ(1, grid->FillData());
        std::vector<std::string> cells;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 2; ++c)
                cells.push_back(Text(*grid, r, c));
        return cells;
    };
    Headless::Reset();
    const std::vector<std::string> odbc = fill(file.ConnectionString());
    WithStandInAdo ado;
    const std::vector<std::string> viaAdo = fill(kStandIn);
    EXPECT_TRUE(ado.log.Has("call Recordset.Open(s:SELECT name, qty FROM goods ORDER BY qty,obj,i:3,i:3,i:8)"))
        << Lines(ado.log);
    EXPECT_EQ((std::vector<std::string>{"pear", "2", "苹果", "5000000000", "", "5000000002"}), odbc);
    EXPECT_EQ(odbc, viaAdo);
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}
