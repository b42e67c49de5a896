// Filling a sheet from a recordset in memory: 100,000 records of 10 fields,
// a group break every 100 records, with SUM, AVE and COUNT fields. And the
// same number of records of 10 fields from an SQLite file through the ODBC
// driver manager: the automatic fill (connection, data set read whole, fill),
// and the data set's read alone.
#include "binding/BindInfoList.h"
#include "binding/ConnectionDefList.h"
#include "binding/MemoryRecordset.h"
#include "grid/GridCtrl.h"
#include "platform/Database.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::shared_ptr<CMemoryRecordset> MakeRecords(int records)
{
    std::vector<CMemoryRecordset::Column> columns;
    for (int c = 0; c < 10; ++c)
        columns.push_back({"f" + std::to_string(c), c == 0 ? 200 : (c % 2 == 0 ? 5 : 3)});
    std::vector<std::vector<CBindValue>> rows;
    rows.reserve(static_cast<size_t>(records));
    for (int r = 0; r < records; ++r) {
        std::vector<CBindValue> row;
        row.push_back(CBindValue::MakeText(CString(("g" + std::to_string(r / 100)).c_str())));
        for (int c = 1; c < 10; ++c)
            row.push_back(c % 2 == 0 ? CBindValue::MakeReal(r * 0.5 + c) : CBindValue::MakeInteger(r + c));
        rows.push_back(std::move(row));
    }
    return std::make_shared<CMemoryRecordset>(columns, rows);
}

void BM_FillGroupedBody(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    auto rs = MakeRecords(records);
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<CGridCtrl>();
        grid->SetFixedRowCount(1);
        grid->SetFixedColumnCount(1);
        grid->SetRowCount(2);
        grid->SetColumnCount(11);
        CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
        for (int c = 0; c < 10; ++c) {
            CBindFieldInfo field;
            field.SetFieldName(("f" + std::to_string(c)).c_str());
            field.nCol = c + 1;
            field.iGroup = c == 0 ? 1 : 0;
            field.emStatisticsType = c == 1 ? ST_SUM : c == 2 ? ST_AVE : c == 3 ? ST_COUNT : ST_NULL;
            bind->GetFieldList().AddField(field);
        }
        bind->BindSource(rs);
        state.ResumeTiming();
        benchmark::DoNotOptimize(bind->FillData());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * records);
}

// An SQLite file of `records` rows: f0 text, f1 to f9 alternately integers
// and reals. Removed when the benchmark ends.
class SqliteRecords {
public:
    explicit SqliteRecords(int records)
        : m_path("/tmp/kivo_fill_bench_" + std::to_string(::getpid()) + "_" + std::to_string(records) + ".db")
    {
        std::remove(m_path.c_str());
        std::string sql = "CREATE TABLE t AS WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                          std::to_string(records - 1) + ") SELECT 'g' || (x / 100) AS f0";
        for (int c = 1; c < 10; ++c)
            sql += c % 2 == 0 ? ", x * 0.5 + " + std::to_string(c) + " AS f" + std::to_string(c)
                              : ", x + " + std::to_string(c) + " AS f" + std::to_string(c);
        sql += " FROM n";
        auto db = CreateDbConnection();
        CDbError error;
        CDbResult result;
        m_ok = db->Open(Connection(), CString(), CString(), 0, error) && db->Execute(sql.c_str(), result, error);
    }
    ~SqliteRecords() { std::remove(m_path.c_str()); }
    bool ok() const { return m_ok; }
    CString Connection() const { return CString(("Driver={SQLite3};Database=" + m_path + ";").c_str()); }

private:
    std::string m_path;
    bool m_ok = false;
};

// A sheet with an automatic connection, data set and body bind of ten fields.
std::unique_ptr<CGridCtrl> MakeDatabaseSheet(const CString& connection)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetRowCount(2);
    grid->SetColumnCount(11);
    CConnectionDefList& list = grid->GetConnectionList();
    CConnectionDef* db = list.GetConnectionAt(list.AddConnection("db"));
    db->m_strConnectionString = connection;
    db->m_nOpenType = 1;
    CDataSetDef* rows = db->GetDataSetAt(db->NewDataSet("rows"));
    rows->m_strSql = "SELECT * FROM t";
    rows->m_nOpenType = 1;
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->SetDataSource("db", "rows");
    bind->SetOpenType(1);
    for (int c = 0; c < 10; ++c) {
        CBindFieldInfo field;
        field.SetFieldName(("f" + std::to_string(c)).c_str());
        field.nCol = c + 1;
        bind->GetFieldList().AddField(field);
    }
    return grid;
}

void BM_FillFromSqlite(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    SqliteRecords file(records);
    if (!file.ok()) {
        state.SkipWithError("the SQLite ODBC driver is not available");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = MakeDatabaseSheet(file.Connection());
        state.ResumeTiming();
        if (grid->FillData() != 1)
            state.SkipWithError("the fill failed");
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * records);
}

void BM_ReadSqliteDataSet(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    SqliteRecords file(records);
    if (!file.ok()) {
        state.SkipWithError("the SQLite ODBC driver is not available");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = MakeDatabaseSheet(file.Connection());
        CConnectionDef* db = grid->GetConnectionList().GetConnectionAt(0);
        state.ResumeTiming();
        if (!db->Open() || !db->GetDataSetAt(0)->Open())
            state.SkipWithError("the data set did not open");
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * records);
}

}  // namespace

BENCHMARK(BM_FillFromSqlite)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadSqliteDataSet)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FillGroupedBody)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
