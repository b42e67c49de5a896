// Rows in bulk: 10,000 rows inserted in one call into the middle of a
// 100,000 x 20 sheet that holds 1,000 merged blocks, and deleted again.
//
// The warm figures run after one insertion and deletion, so the 200,000 new
// cells reuse heap the process already has; the cold figure is the first
// insertion into a freshly built sheet, whose new cells first touch new
// memory pages.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int kRows = 100000;
const int kCols = 20;
const int kBlocks = 1000;
const int kInserted = 10000;

std::unique_ptr<CGridCtrl> BuildSheet()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(kCols);
    grid->SetRowCount(kRows);
    // Blocks of 2 x 3 cells spread over the sheet, some across the middle.
    const int step = (kRows - 10) / kBlocks;
    for (int i = 0; i < kBlocks; ++i) {
        const int row = 1 + i * step;
        const int col = 1 + (i % 5) * 3;
        grid->MergeCells(row, col, row + 1, col + 2);
    }
    return grid;
}

void BM_InsertRowsIntoMiddle(benchmark::State& state)
{
    auto grid = BuildSheet();
    grid->InsertRows(kRows / 2, kInserted, FALSE);
    grid->DeleteRows(kRows / 2, kInserted);
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid->InsertRows(kRows / 2, kInserted, FALSE));
        state.PauseTiming();
        grid->DeleteRows(kRows / 2, kInserted);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertRowsIntoMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeleteRowsFromMiddle(benchmark::State& state)
{
    auto grid = BuildSheet();
    grid->InsertRows(kRows / 2, kInserted, FALSE);
    grid->DeleteRows(kRows / 2, kInserted);
    for (auto _ : state) {
        state.PauseTiming();
        grid->InsertRows(kRows / 2, kInserted, FALSE);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid->DeleteRows(kRows / 2, kInserted));
    }
}
BENCHMARK(BM_DeleteRowsFromMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_InsertRowsIntoFreshSheet(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = BuildSheet();
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid->InsertRows(kRows / 2, kInserted, FALSE));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertRowsIntoFreshSheet)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
