// A column filled one cell at a time under a total that sums it: the total
// (=SUM over the whole column, in a cell beside it) is brought up to date
// after every set, as a user or an automation client filling a sheet sees it.
// Whole numbers and numbers with decimals, top to bottom; and a column whose
// cells are all set once and then changed again in place.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Column A (1) takes the values in rows 1 .. rows; B1 holds the total.
std::unique_ptr<CGridCtrl> TotalSheet(int rows)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(3);
    grid->SetRowCount(rows + 1);
    grid->SetCellFormula(1, 2, ("=SUM(A1:A" + std::to_string(rows) + ")").c_str());
    return grid;
}

void FillUnderTotal(benchmark::State& state, bool bDecimals, bool bRefill)
{
    const int rows = static_cast<int>(state.range(0));
    std::vector<std::string> texts;
    for (int i = 0; i < 997; ++i)
        texts.push_back(bDecimals ? std::to_string(i) + "." + std::to_string(i % 10) + "5" : std::to_string(i * 13));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = TotalSheet(rows);
        if (bRefill) {
            for (int row = 1; row <= rows; ++row)
                grid->SetCellText(row, 1, "1");
        }
        state.ResumeTiming();
        size_t next = 0;
        for (int row = 1; row <= rows; ++row) {
            grid->SetCellText(row, 1, texts[next].c_str());
            next = next + 1 == texts.size() ? 0 : next + 1;
        }
        benchmark::DoNotOptimize(grid->GetCellText(1, 2));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

void BM_FillColumnUnderTotal(benchmark::State& state) { FillUnderTotal(state, false, false); }
void BM_FillColumnOfDecimalsUnderTotal(benchmark::State& state) { FillUnderTotal(state, true, false); }
void BM_RefillColumnUnderTotal(benchmark::State& state) { FillUnderTotal(state, false, true); }

BENCHMARK(BM_FillColumnUnderTotal)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FillColumnOfDecimalsUnderTotal)
    ->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RefillColumnUnderTotal)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
