// The database dialogs' models: validation order, messages and focused
// controls; the data-set page's SQL text and column lists; the managers'
// list words and the field markers; alignment of bound fields; the load
// test's report; the data-source picker's reading of connection strings.
#include "designer/DesignerUi.h"
#include "designer/dialogs/BindDlg.h"
#include "designer/dialogs/ConnectionDlg.h"
#include "designer/dialogs/ConnectionStringPick.h"
#include "designer/dialogs/DataSetDlg.h"
#include "designer/dialogs/DataSetSql.h"
#include "designer/dialogs/DatabaseListTexts.h"
#include "designer/dialogs/TemplateTestDlg.h"
#include "tests/designer/DesignerFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CheckCase {
    const char* what;
    std::function<CDialogCheck()> check;
    const char* message;   // "" passes
    UINT focus;
};

void RunChecks(const std::vector<CheckCase>& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CDialogCheck got = c.check();
        EXPECT_EQ(std::string(c.message), got.message.Str());
        if (*c.message != '\0') {
            EXPECT_EQ(c.focus, got.focusId);
        }
    }
}

CConnectionFields Conn(const char* name, const char* str)
{
    CConnectionFields f;
    f.strName = name;
    f.strConnectionString = str;
    return f;
}

TEST(DatabaseDialogChecks, ConnectionNameBeforeString)
{
    RunChecks({
        {"both empty", [] { return Conn("", "").Check(); }, "链接名称不能为空!", kIdcConnName},
        {"no string", [] { return Conn("c1", "").Check(); }, "链接字符串不能为空!", kIdcConnString},
        {"complete", [] { return Conn("c1", "DSN=x").Check(); }, "", 0},
    });
}

TEST(DatabaseDialogChecks, DataSetInOrder)
{
    auto make = [](const char* conn, const char* name, const char* sql, int type) {
        CDataSetDlg d;
        d.m_strConnName = conn;
        d.m_strName = name;
        d.m_strSql = sql;
        d.m_nSqlType = type;
        return d.Check();
    };
    RunChecks({
        {"no connection", [&] { return make("", "", "", -1); }, "链接名称不能为空!", 0},
        {"no name", [&] { return make("c", "", "", -1); }, "数据集名称不能为空!", kIdcDsName},
        {"no SQL", [&] { return make("c", "d", "", -1); }, "SQL语句不能为空!", kIdcDsSql},
        {"no type", [&] { return make("c", "d", "select 1", -1); }, "SQL类型不能为空!", kIdcDsSqlType},
        {"complete", [&] { return make("c", "d", "select 1", 0); }, "", 0},
    });
}

TEST(DatabaseDialogChecks, BindingNameThenDataSet)
{
    auto make = [](const char* name, const char* conn, const char* ds) {
        CBindFields b;
        b.strName = name;
        b.strConnName = conn;
        b.strDataSetName = ds;
        return b.Check();
    };
    RunChecks({
        {"no name", [&] { return make("", "c", ""); }, "绑定名称不能为空!", kIdcBindName},
        {"connection without data set", [&] { return make("b", "c", ""); },
         "您已经选择了链接对象, 需要选择对应的记录集.", kIdcBindDataSet},
        {"header without source", [&] { return make("b", "", ""); }, "", 0},
        {"with source", [&] { return make("b", "c", "d"); }, "", 0},
    });
}

TEST(DatabaseDialogChecks, BoundFieldInOrder)
{
    auto make = [](std::function<void(CFieldFields&)> change) {
        CFieldFields f;
        f.strBindName = "b";
        f.strFieldName = "NAME";
        change(f);
        return f.Check();
    };
    RunChecks({
        {"no binding", [&] { return make([](CFieldFields& f) { f.strBindName = ""; f.nRow = -1; }); },
         "绑定名称不能为空!", kIdcFieldBindName},
        {"field binding without field", [&] { return make([](CFieldFields& f) { f.strFieldName = ""; }); },
         "绑定字段为空时 , 绑定类型不能为字段绑定类型!", kIdcFieldBindType},
        {"empty binding without field", [&] { return make([](CFieldFields& f) { f.strFieldName = ""; f.nBindType = 0; }); },
         "", 0},
        {"no bind type", [&] { return make([](CFieldFields& f) { f.nBindType = -1; }); }, "绑定类型不能为空!",
         kIdcFieldBindType},
        {"row below 0", [&] { return make([](CFieldFields& f) { f.nRow = -1; f.nCol = -1; }); }, "行号不能小于0!",
         kIdcFieldRow},
        {"column below 0", [&] { return make([](CFieldFields& f) { f.nCol = -1; }); }, "列号不能小于0!", kIdcFieldCol},
        {"row and column 0", [&] { return make([](CFieldFields& f) { f.nRow = 0; f.nCol = 0; }); }, "", 0},
        {"source without data set", [&] { return make([](CFieldFields& f) { f.strSourceConn = "c"; }); },
         "您选择了数据源后,需要选择数据集!", kIdcFieldSourceDataSet},
    });
}

TEST(DatabaseDialogChecks, FailedCheckShowsHintAndPassedShowsNothing)
{
    designertest::ScriptedUi ui;
    EXPECT_TRUE(ReportCheck(ui, CDialogCheck()));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(ReportCheck(ui, Conn("", "").Check()));
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("提示", ui.boxes[0].caption);
    EXPECT_EQ("链接名称不能为空!", ui.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), ui.boxes[0].type);
}

TEST(DataSetSqlText, ColumnsTableAndCondition)
{
    const std::vector<CString> idName = {"ID", "NAME"};
    struct Case {
        std::vector<CString> chosen;
        const char* table;
        const char* condition;
        const char* sql;
    } cases[] = {
        {idName, "Emp", "where ID>3", "Select [ID] , [NAME] from [Emp] where ID>3"},
        {{}, "Emp", "select * from Emp", "select * from Emp"},
        {idName, "", "where ID>3", "[ID] , [NAME] where ID>3"},
        {{"ID"}, "Emp", "", "Select [ID] from [Emp] "},
        {{}, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(std::string(c.sql), BuildDataSetSql(c.chosen, c.table, c.condition).Str());
    }
}

std::string Join(const std::vector<CString>& v)
{
    std::string s;
    for (const auto& x : v)
        s += x.Str() + ",";
    return s;
}

TEST(DataSetSqlText, ColumnListsMoveAndReorder)
{
    CColumnPicker p;
    p.SetAvailable({"A", "B", "C", "D"});
    p.Choose({2, 0, 0, 9, -1});
    EXPECT_EQ("A,C,", Join(p.chosen));
    EXPECT_EQ("B,D,", Join(p.available));
    p.ChooseAll();
    EXPECT_EQ("A,C,B,D,", Join(p.chosen));
    EXPECT_TRUE(p.available.empty());

    struct Move {
        const char* what;
        std::function<int(int)> op;
        int focus;
        int answer;
        const char* after;
    } moves[] = {
        {"last down stays", [&](int f) { return p.Down(f); }, 3, 3, "A,C,B,D,"},
        {"first up stays", [&](int f) { return p.Up(f); }, 0, 0, "A,C,B,D,"},
        {"down", [&](int f) { return p.Down(f); }, 1, 2, "A,B,C,D,"},
        {"to top", [&](int f) { return p.ToTop(f); }, 3, 0, "D,A,B,C,"},
        {"to bottom", [&](int f) { return p.ToBottom(f); }, 0, 3, "A,B,C,D,"},
        {"up", [&](int f) { return p.Up(f); }, 2, 1, "A,C,B,D,"},
        {"no focus", [&](int f) { return p.ToTop(f); }, -1, -1, "A,C,B,D,"},
        {"focus past the end", [&](int f) { return p.Down(f); }, 4, -1, "A,C,B,D,"},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.what);
        EXPECT_EQ(m.answer, m.op(m.focus));
        EXPECT_EQ(m.after, Join(p.chosen));
    }
    p.Unchoose({1});
    EXPECT_EQ("C,", Join(p.available));
    p.UnchooseAll();
    EXPECT_EQ("C,A,B,D,", Join(p.available));
}

TEST(DatabaseListWords, ManagersAndMarkers)
{
    EXPECT_EQ("表体填充", dblist::FillTypeText(1).Str());
    EXPECT_EQ("表尾填充", dblist::FillTypeText(2).Str());
    EXPECT_EQ("", dblist::FillTypeText(3).Str());
    EXPECT_EQ("绑定3个字段", dblist::FieldCountText(3).Str());
    EXPECT_EQ("自动绑定", dblist::FieldCountText(0).Str());
    EXPECT_EQ("固定值绑定", dblist::FieldBindTypeText(0).Str());
    EXPECT_EQ("计数", dblist::StatisticsText(5).Str());
    EXPECT_EQ("", dblist::StatisticsText(6).Str());
    EXPECT_EQ("存储过程", dblist::SqlTypeWord(3).Str());
    EXPECT_EQ("", dblist::SqlTypeWord(-1).Str());
    EXPECT_EQ("abc", dblist::DefaultValueText(0, 2.5, "abc").Str());
    EXPECT_EQ("2.5", dblist::DefaultValueText(2, 2.5, "abc").Str());

    struct Marker {
        long type;
        const char* manager;
        const char* wizard;
    } markers[] = {
        {2, "[NAME]", "[NAME]"}, {1, "[填充序列]", "[填充序列]"}, {0, "[空绑定]", "[空绑定]"},
        {3, "", "NAME"},         {-1, "", "NAME"},
    };
    for (const auto& m : markers) {
        SCOPED_TRACE(m.type);
        EXPECT_EQ(m.manager, FieldMarkerAfterManager(m.type, "NAME").Str());
        EXPECT_EQ(m.wizard, FieldMarkerAfterWizard(m.type, "NAME").Str());
    }
}

TEST(BoundFieldAlignment, EncodedAndReadBack)
{
    struct Case {
        int h, v;
        LONG align;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {0, 1, 4}, {1, 1, 5}, {2, 2, 10}, {1, 2, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        EXPECT_EQ(c.align, EncodeFieldAlign(c.h, c.v));
        int h = -1, v = -1;
        DecodeFieldAlign(c.align, h, v);
        EXPECT_EQ(c.h, h);
        EXPECT_EQ(c.v, v);
    }
    // A stored value with both horizontal bits reads as right, both vertical
    // bits as bottom.
    int h = 0, v = 0;
    DecodeFieldAlign(3 + 12, h, v);
    EXPECT_EQ(2, h);
    EXPECT_EQ(2, v);
}

TEST(TemplateLoadTest, ElapsedTimeAndReport)
{
    EXPECT_EQ(1250, LoadElapsedMs({10, 59, 59, 900}, {11, 0, 1, 150}));
    EXPECT_EQ(0, LoadElapsedMs({1, 2, 3, 4}, {1, 2, 3, 4}));
    // A load over midnight counts on instead of turning negative.
    EXPECT_EQ(300, LoadElapsedMs({23, 59, 59, 900}, {0, 0, 0, 200}));
    const std::string text = LoadTestText({9, 5, 7, 12}, {9, 5, 8, 2}).Str();
    EXPECT_NE(std::string::npos, text.find("开始时间:09时:05分:07秒:12毫秒\n\t"));
    EXPECT_NE(std::string::npos, text.find("结束时间:09时:05分:08秒:2毫秒\n\t"));
    EXPECT_NE(std::string::npos, text.find("\n\r总消耗时间: 990 (毫秒)\n\t"));
    EXPECT_EQ(0u, text.find("第一次测试模板加载速度"));
}

TEST(DataSourcePicker, ReadsConnectionStrings)
{
    struct Case {
        const char* text;
        const char* pairs;   // key=value| ...
    } cases[] = {
        {"Driver={SQLite3};Database=/tmp/a.db;", "Driver=SQLite3|Database=/tmp/a.db|"},
        {" DSN = kivo ; UID=sa;PWD={p;w}}d} ;", "DSN=kivo|UID=sa|PWD=p;w}d|"},
        {"novalue;=x;a=;b", "a=|"},
        {"Driver={unclosed", "Driver=unclosed|"},
        {"", ""},
        {";;;", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string got;
        for (const auto& p : ReadConnectionString(c.text))
            got += p.first.Str() + "=" + p.second.Str() + "|";
        EXPECT_EQ(c.pairs, got);
    }
}

TEST(DataSourcePicker, PresetAndBuildRoundTrip)
{
    CDataSourcePickDlg d;
    d.Preset("driver={SQLite3};database=/tmp/x;y.db;");
    EXPECT_FALSE(d.m_bDataSource);
    EXPECT_EQ("SQLite3", d.m_strSource.Str());
    EXPECT_EQ("/tmp/x", d.m_strDatabase.Str());

    d.m_strDatabase = "/tmp/a;b}.db";
    CDataSourcePickDlg again;
    again.Preset(d.Result());
    EXPECT_EQ("/tmp/a;b}.db", again.m_strDatabase.Str());
    EXPECT_EQ("SQLite3", again.m_strSource.Str());

    d.Preset("DSN=kivo");
    EXPECT_TRUE(d.m_bDataSource);
    EXPECT_EQ("DSN=kivo;", d.Result().Str());

    CDataSourcePickDlg none;
    EXPECT_EQ("请选择驱动程序或数据源!", none.Check().message.Str());
    EXPECT_EQ(static_cast<UINT>(kIdcPickSource), none.Check().focusId);
}

}  // namespace
