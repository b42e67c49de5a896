// Filling a sheet from a recordset in memory: 100,000 records of 10 fields,
// a group break every 100 records, with SUM, AVE and COUNT fields.
#include "binding/BindInfoList.h"
#include "binding/MemoryRecordset.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
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

}  // namespace

BENCHMARK(BM_FillGroupedBody)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
