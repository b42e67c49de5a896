// The connection and data-set members and the KivoDatabase and KivoDataSet
// objects, over the control's own grid and a real SQLite file.
#include "binding/ConnectionDefList.h"
#include "control/KivoDatabaseObjects.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"

#include "../../binding/DbTestUtil.h"

#include <gtest/gtest.h>

namespace {

CKivoDatabase* AsDatabase(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoDatabase*>(p.get());
}

CKivoDataSet* AsDataSet(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoDataSet*>(p.get());
}

class DatabaseMembers : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    CKivoSheetCtrl ctl;
};

TEST_F(DatabaseMembers, ConnectionsByNameAndPosition)
{
    EXPECT_EQ(ctl.DBAddConnection(""), nullptr);
    CKivoObjectPtr db = ctl.DBAddConnection("db");
    ASSERT_NE(AsDatabase(db), nullptr);
    EXPECT_EQ(ctl.DBAddConnection("db"), nullptr);
    EXPECT_EQ(ctl.DBGetConnectionCount(), 1);
    EXPECT_EQ(ctl.DBFindConnection("db"), 0);
    EXPECT_EQ(ctl.DBFindConnection("nope"), -1);
    EXPECT_EQ(ctl.DBGetConnection("nope"), nullptr);
    EXPECT_EQ(ctl.DBGetConnectionEx(-1), nullptr);
    EXPECT_EQ(ctl.DBGetConnectionEx(1), nullptr);

    CString name;
    AsDatabase(ctl.DBGetConnectionEx(0))->get_strName(name);
    EXPECT_STREQ(name, "db");
    EXPECT_EQ(ctl.DBSetConnectionString("db", "DSN=x"), 1);
    EXPECT_EQ(ctl.DBSetConnectionString("db", ""), 0);
    EXPECT_EQ(ctl.DBSetConnectionString("nope", "DSN=x"), 0);
    CString text;
    AsDatabase(db)->get_strConnectionString(text);
    EXPECT_STREQ(text, "DSN=x");

    // Time-outs of 0 and below leave the value.
    const struct {
        LONG put;
        LONG after;
    } timeouts[] = {{0, 15}, {-5, 15}, {30, 30}};
    for (const auto& t : timeouts) {
        AsDatabase(db)->put_nTimeOut(t.put);
        LONG now = 0;
        AsDatabase(db)->get_nTimeOut(now);
        EXPECT_EQ(now, t.after) << t.put;
    }
}

TEST_F(DatabaseMembers, DataSetsThroughTheDatabaseObject)
{
    CKivoObjectPtr db = ctl.DBAddConnection("db");
    CKivoObjectPtr ds;
    AsDatabase(db)->AddDataSet("q", ds);
    ASSERT_NE(AsDataSet(ds), nullptr);
    CKivoObjectPtr again;
    AsDatabase(db)->AddDataSet("q", again);
    EXPECT_EQ(again, nullptr);
    AsDatabase(db)->AddDataSet("", again);
    EXPECT_EQ(again, nullptr);
    LONG count = 0;
    AsDatabase(db)->GetDataSetCount(count);
    EXPECT_EQ(count, 1);

    // Two objects over one definition see each other's changes.
    CKivoObjectPtr byName, byIndex;
    AsDatabase(db)->GetDataSet("q", byName);
    AsDatabase(db)->GetDataSetEx(0, byIndex);
    AsDataSet(byName)->put_strSql("SELECT 1");
    AsDataSet(byName)->put_CommandType(3);
    CString sql;
    AsDataSet(byIndex)->get_strSql(sql);
    EXPECT_STREQ(sql, "SELECT 1");
    LONG type = 0;
    AsDataSet(byIndex)->get_CommandType(type);
    EXPECT_EQ(type, 3);
    EXPECT_EQ(ctl.DBSetDSSql("db", "q", "SELECT 2"), 1);
    EXPECT_EQ(ctl.DBSetDSSql("db", "nope", "SELECT 2"), 0);
    AsDataSet(ctl.DBGetDataSet("db", "q"))->get_strSql(sql);
    EXPECT_STREQ(sql, "SELECT 2");
    EXPECT_EQ(ctl.DBGetDataSet("db", ""), nullptr);

    LONG index = 0;
    AsDatabase(db)->FindDataSet("q", index);
    EXPECT_EQ(index, 0);
    AsDatabase(db)->DelDataSetEx(5, index);
    EXPECT_EQ(index, -1);
    AsDatabase(db)->DelDataSet("q", index);
    EXPECT_EQ(index, 0);

    // The objects over the deleted data set act as empty ones.
    AsDataSet(byName)->get_strSql(sql);
    EXPECT_STREQ(sql, "");
    AsDataSet(byIndex)->put_strSql("ignored");
    SHORT open = 5;
    AsDataSet(byIndex)->Open(open);
    EXPECT_EQ(open, 0);
}

TEST_F(DatabaseMembers, ObjectsMadeByProgIdOrLeftAfterDeletionAnswerFailureValues)
{
    CKivoObjectPtr made = CreateKivoObjectOfClass(KivoClass_KivoDatabase);
    CKivoObjectPtr db = ctl.DBAddConnection("db");
    EXPECT_EQ(ctl.DBDelConnection("db"), 0);
    EXPECT_EQ(ctl.DBDelConnection("db"), -1);
    for (CKivoDatabase* object : {AsDatabase(made), AsDatabase(db)}) {
        ASSERT_NE(object, nullptr);
        LONG value = 0;
        object->GetDataSetCount(value);
        EXPECT_EQ(value, -1);
        object->FindDataSet("q", value);
        EXPECT_EQ(value, -1);
        object->DelDataSet("q", value);
        EXPECT_EQ(value, -1);
        object->DelDataSetEx(0, value);
        EXPECT_EQ(value, -1);
        CKivoObjectPtr ds;
        object->AddDataSet("q", ds);
        EXPECT_EQ(ds, nullptr);
        object->put_strConnectionString("x");
        CString text("y");
        object->get_strConnectionString(text);
        EXPECT_STREQ(text, "");
    }
}

TEST_F(DatabaseMembers, OpenAndFillAgainstSqlite)
{
    dbtest::SqliteFile file("members");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(), {"CREATE TABLE t (n INTEGER)"}));
    CKivoObjectPtr db = ctl.DBAddConnection("db");
    AsDatabase(db)->put_strConnectionString(file.ConnectionString());
    CKivoObjectPtr ds;
    AsDatabase(db)->AddDataSet("q", ds);
    AsDataSet(ds)->put_strSql("SELECT n FROM t");
    AsDataSet(ds)->put_iOpenType(1);

    EXPECT_EQ(ctl.DBFillData(), -1);   // no automatic connection
    EXPECT_EQ(ctl.DBOpenAllConnection(), 1);
    SHORT open = 0;
    AsDataSet(ds)->IsOpen(open);
    EXPECT_EQ(open, 1);
    AsDatabase(db)->IsOpen(open);
    EXPECT_EQ(open, 1);
    EXPECT_EQ(ctl.DBCloseAllConnection(), 1);
    AsDatabase(db)->IsOpen(open);
    EXPECT_EQ(open, 0);

    AsDatabase(db)->put_iOpenType(1);
    EXPECT_EQ(ctl.DBFillData(), 0);   // opened; no binding filled
    EXPECT_TRUE(Headless::MessageBoxes().empty());

    AsDatabase(db)->put_strConnectionString("Driver={No Such Driver};");
    AsDatabase(db)->Open(open);
    EXPECT_EQ(open, 0);
    ASSERT_EQ(Headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(Headless::MessageBoxes()[0].caption, "错误");
}

}  // namespace
