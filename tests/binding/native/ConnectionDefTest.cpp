// Connection and data-set definitions: their archive form in golden bytes,
// damaged lists refused, and opening against a real SQLite file.
#include "binding/ConnectionDefList.h"
#include "platform/headless/Headless.h"

#include "../DbTestUtil.h"
#include "../../grid/RecordBytes.h"

#include <gtest/gtest.h>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

std::string Name16(const std::string& name)
{
    std::string s = name;
    s.resize(16, '\0');
    return s;
}

TEST(ConnectionDefArchive, TwoDataSetsWriteTheCountAfterTag9510AndReadBack)
{
    CConnectionDefList list;
    ASSERT_EQ(list.AddConnection("db"), 0);
    CConnectionDef* db = list.GetConnectionAt(0);
    db->m_strConnectionString = "DSN=x";
    db->m_nOpenType = 1;
    ASSERT_EQ(db->NewDataSet("a"), 0);
    ASSERT_EQ(db->NewDataSet("b"), 1);
    db->GetDataSetAt(1)->m_strSql = "SELECT 1";
    db->GetDataSetAt(1)->m_nReserved9 = 7;   // a reserved item round-trips

    // Data set "a": name only. "b": name, SQL, reserved 9009.
    const int sizeA = 8 + (8 + 16);
    const int sizeB = 8 + (8 + 16) + (8 + 9) + (8 + 4);
    const int share = 8 + (sizeA + 4) + (sizeB + 4);
    const int sizeDb = 8 + (8 + 16) + (8 + 6) + (8 + 2) + share;
    ByteBuilder expected;
    expected.Int(1).Int(sizeDb).Int(sizeDb)
        .Ints({9501, 16}).Text(Name16("db"), false)
        .Ints({9502, 6}).Text("DSN=x")
        .Ints({9506, 2}).Word(1)
        .Ints({9510, 2})
        .Int(sizeA).Int(sizeA).Ints({9001, 16}).Text(Name16("a"), false).Int(9499)
        .Int(sizeB).Int(sizeB).Ints({9001, 16}).Text(Name16("b"), false).Ints({9002, 9}).Text("SELECT 1")
        .Ints({9009, 4, 7}).Int(9499)
        .Int(9999);
    const Bytes bytes = gridtest::StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(bytes, expected.Get());
    EXPECT_EQ(list.GetStoredSize(), static_cast<int>(bytes.size()));

    CConnectionDefList back;
    ULONGLONG left = 1;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }, &left));
    EXPECT_EQ(left, 0u);
    ASSERT_EQ(back.GetCount(), 1);
    CConnectionDef* read = back.GetConnection("db");
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->m_strConnectionString, "DSN=x");
    EXPECT_EQ(read->m_nOpenType, 1);
    EXPECT_EQ(read->m_nTimeOut, 15);
    ASSERT_EQ(read->GetDataSetCount(), 2);
    EXPECT_STREQ(read->GetDataSetAt(1)->m_strSql, "SELECT 1");
    EXPECT_EQ(read->GetDataSetAt(1)->m_nReserved9, 7);
    EXPECT_EQ(read->GetDataSetAt(1)->GetConnection(), read);
    EXPECT_EQ(gridtest::StoreBytes([&](CArchive& ar) { back.Serialize(ar); }), bytes);
}

TEST(ConnectionDefArchive, UnknownTagsAreSkippedAndDamagedListsRefused)
{
    ByteBuilder unknown;
    const int size = 8 + (8 + 16) + (8 + 3);
    unknown.Int(1).Int(size).Int(size).Ints({9501, 16}).Text(Name16("db"), false).Ints({9600, 3}).Text("xy").Int(9999);
    CConnectionDefList list;
    ASSERT_TRUE(gridtest::LoadBytes(unknown.Get(), [&](CArchive& ar) { list.Serialize(ar); }));
    ASSERT_NE(list.GetConnection("db"), nullptr);

    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"count beyond the data", ByteBuilder().Int(1000).Get()},
        {"negative count", ByteBuilder().Int(-1).Get()},
        {"record size beyond the data", ByteBuilder().Int(1).Int(500).Int(500).Ints({9501, 16}).Get()},
        {"item length beyond the record",
         ByteBuilder().Int(1).Int(8 + 8 + 16).Int(8 + 8 + 16).Ints({9501, 400}).Text(Name16("db"), false).Int(9999).Get()},
        {"data-set count beyond the record",
         ByteBuilder().Int(1).Int(8 + 8 + 4).Int(8 + 8 + 4).Ints({9510, 100000}).Int(0).Int(9999).Get()},
        {"inner size unlike the outer", ByteBuilder().Int(1).Int(32).Int(31).Ints({9501, 16}).Text(Name16("db"), false).Int(9999).Get()},
    };
    for (const Case& c : cases) {
        CConnectionDefList damaged;
        damaged.AddConnection("kept");
        EXPECT_FALSE(gridtest::LoadBytes(c.bytes, [&](CArchive& ar) { damaged.Serialize(ar); })) << c.what;
        EXPECT_EQ(damaged.GetCount(), 0) << c.what;
    }
}

TEST(ConnectionDefNames, NamesAreCutAndCheckedAfterTheCut)
{
    CConnectionDefList list;
    EXPECT_EQ(list.AddConnection("0123456789abcdefXYZ"), 0);
    EXPECT_EQ(list.AddConnection("0123456789abcdeQ"), -1);   // the same 15 bytes
    EXPECT_EQ(list.AddConnection(""), -1);
    EXPECT_STREQ(list.GetConnectionAt(0)->GetName(), "0123456789abcde");
}

class ConnectionDefSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(dbtest::RunStatements(m_file.ConnectionString(),
                                          {"CREATE TABLE t (n INTEGER)", "INSERT INTO t VALUES (1)"}));
        m_list.AddConnection("db");
        m_db = m_list.GetConnection("db");
        m_db->m_strConnectionString = m_file.ConnectionString();
    }

    dbtest::SqliteFile m_file{"defs"};
    CConnectionDefList m_list;
    CConnectionDef* m_db = nullptr;
};

TEST_F(ConnectionDefSqlite, OpenAllOpensOnlyTheAutomaticDataSet)
{
    for (const char* name : {"a", "b", "c"}) {
        m_db->NewDataSet(name);
        m_db->GetDataSet(name)->m_strSql = "SELECT n FROM t";
    }
    m_db->GetDataSet("b")->m_nOpenType = 1;
    EXPECT_EQ(m_list.OpenAll(), 1);
    EXPECT_TRUE(m_db->IsOpen());
    EXPECT_FALSE(m_db->GetDataSet("a")->IsOpen());
    EXPECT_TRUE(m_db->GetDataSet("b")->IsOpen());
    EXPECT_FALSE(m_db->GetDataSet("c")->IsOpen());
    EXPECT_EQ(m_db->GetDataSet("b")->GetRecordset()->GetRecordCount(), 1);
    EXPECT_EQ(m_list.CloseAll(), 1);
    EXPECT_FALSE(m_db->IsOpen());
    EXPECT_FALSE(m_db->GetDataSet("b")->IsOpen());
    EXPECT_TRUE(Headless::MessageBoxes().empty());
}

TEST_F(ConnectionDefSqlite, AutomaticOpenFailsWholeWhenADataSetFails)
{
    m_db->m_nOpenType = 1;
    m_db->NewDataSet("good");
    m_db->GetDataSet("good")->m_strSql = "SELECT n FROM t";
    m_db->GetDataSet("good")->m_nOpenType = 1;
    EXPECT_EQ(m_list.OpenAutoConnections(), 1);
    m_list.CloseAll();

    m_db->NewDataSet("bad");
    m_db->GetDataSet("bad")->m_strSql = "SELECT * FROM missing";
    m_db->GetDataSet("bad")->m_nOpenType = 1;
    EXPECT_EQ(m_list.OpenAutoConnections(), -1);
    EXPECT_FALSE(m_db->IsOpen());
    EXPECT_FALSE(m_db->GetDataSet("good")->IsOpen());
    EXPECT_EQ(Headless::MessageBoxes().size(), 1u);

    // A data set without an open connection refuses quietly.
    EXPECT_FALSE(m_db->GetDataSet("good")->Open());
    EXPECT_EQ(Headless::MessageBoxes().size(), 1u);
}

TEST_F(ConnectionDefSqlite, DeletedDefinitionsReportThroughTheirLiveness)
{
    m_db->NewDataSet("a");
    std::weak_ptr<const void> dataSet = m_db->GetDataSet("a")->GetLiveness();
    std::weak_ptr<const void> connection = m_db->GetLiveness();
    EXPECT_EQ(m_db->DeleteDataSet("a"), 0);
    EXPECT_TRUE(dataSet.expired());
    EXPECT_FALSE(connection.expired());
    m_list.DeleteAll();
    EXPECT_TRUE(connection.expired());
}

}  // namespace
