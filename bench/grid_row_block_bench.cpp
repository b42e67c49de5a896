// A block of 1,000 rows inserted into the middle of a sheet of 1,000,000
// numbered rows (one fixed column holds the row numbers), and deleted again:
// the row headers below the block are renumbered.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int kRows = 1000000;
const int kCols = 3;
const int kBlock = 1000;

void BM_InsertRowBlockIntoMillionRows(benchmark::State& state)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(kCols);
    grid->SetRowCount(kRows);
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid->InsertRows(kRows / 2, kBlock, FALSE));
        state.PauseTiming();
        grid->DeleteRows(kRows / 2, kBlock);
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_InsertRowBlockIntoMillionRows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
