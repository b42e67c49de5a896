// Sorting 100,000 rows by one column, in the orders sheets arrive in: two
// sorted halves one after the other (two lists pasted together), rising then
// falling, already sorted, reversed, and shuffled; by number and by text.
//
// Each iteration puts the column back into its starting order (untimed) and
// sorts it once (timed). The formula cases sort the same rows with a formula
// in every row reading its own row's key (100,000 references that follow
// their rows), and with one more formula summing a few rows the sort scatters
// (every formula recalculated after the sort).
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

const int kRows = 100000;

enum Order { kTwoHalves, kRiseFall, kSorted, kReversed, kShuffled };

std::vector<int> Keys(Order order)
{
    std::vector<int> keys(kRows);
    const int half = kRows / 2;
    for (int i = 0; i < kRows; ++i) {
        switch (order) {
        case kTwoHalves:
            keys[static_cast<size_t>(i)] = i < half ? 2 * i : 2 * (i - half) + 1;
            break;
        case kRiseFall:
            keys[static_cast<size_t>(i)] = i < half ? i : kRows - i;
            break;
        case kSorted:
            keys[static_cast<size_t>(i)] = i;
            break;
        case kReversed:
        case kShuffled:
            keys[static_cast<size_t>(i)] = kRows - i;
            break;
        }
    }
    if (order == kShuffled) {
        std::mt19937 random(12345);
        std::shuffle(keys.begin(), keys.end(), random);
    }
    return keys;
}

std::unique_ptr<CGridCtrl> MakeGrid()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetRowCount(kRows + 1);
    grid->SetColumnCount(4);
    return grid;
}

void Fill(CGridCtrl& grid, const std::vector<int>& keys, bool asText)
{
    char text[16];
    for (int i = 0; i < kRows; ++i) {
        CGridCellBase* cell = grid.GetCell(i + 1, 1);
        if (asText) {
            std::snprintf(text, sizeof(text), "%08d", keys[static_cast<size_t>(i)]);
            cell->SetText(text);
        } else {
            cell->SetValue(keys[static_cast<size_t>(i)]);
        }
    }
}

void SortBench(benchmark::State& state, Order order, bool asText)
{
    auto grid = MakeGrid();
    const std::vector<int> keys = Keys(order);
    for (auto _ : state) {
        state.PauseTiming();
        Fill(*grid, keys, asText);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid->SortColumn(1, TRUE));
    }
}

void FormulaSortBench(benchmark::State& state, bool scatteredRange)
{
    auto grid = MakeGrid();
    grid->SetFreezeBottomRows(1);
    const std::vector<int> keys = Keys(kShuffled);
    char formula[32];
    for (int row = 1; row < kRows; ++row) {
        std::snprintf(formula, sizeof(formula), "=A%d*2", row);
        grid->SetCellFormula(row, 2, formula);
    }
    if (scatteredRange)
        grid->SetCellFormula(kRows, 3, "=SUM(A1:A3)");
    for (auto _ : state) {
        state.PauseTiming();
        Fill(*grid, keys, false);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid->SortColumn(1, TRUE));
    }
}

void BM_SortNumbersTwoSortedHalves(benchmark::State& state) { SortBench(state, kTwoHalves, false); }
void BM_SortNumbersRisingThenFalling(benchmark::State& state) { SortBench(state, kRiseFall, false); }
void BM_SortNumbersSorted(benchmark::State& state) { SortBench(state, kSorted, false); }
void BM_SortNumbersReversed(benchmark::State& state) { SortBench(state, kReversed, false); }
void BM_SortNumbersShuffled(benchmark::State& state) { SortBench(state, kShuffled, false); }
void BM_SortTextsTwoSortedHalves(benchmark::State& state) { SortBench(state, kTwoHalves, true); }
void BM_SortTextsShuffled(benchmark::State& state) { SortBench(state, kShuffled, true); }

void BM_SortRowsWithFormulas(benchmark::State& state) { FormulaSortBench(state, false); }
void BM_SortRowsWithFormulasAndAScatteredRange(benchmark::State& state) { FormulaSortBench(state, true); }

BENCHMARK(BM_SortNumbersTwoSortedHalves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersRisingThenFalling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersReversed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersShuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextsTwoSortedHalves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextsShuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsWithFormulas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsWithFormulasAndAScatteredRange)->Unit(benchmark::kMillisecond);

}  // namespace
