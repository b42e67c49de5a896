// Formulas at sheet size: a chain of 10,000 formulas (A2 is =A1+1, A3 is
// =A2+1, ...) recalculated from its first cell and by CalcAll; a million cell
// texts set on a sheet that holds those formulas (texts no formula reads, and
// texts of cells a range reads); a row inserted and a row deleted above them.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kChain = 10000;

// Column 1 (A) holds the chain: A1 a number, rows 2 .. kChain + 1 formulas.
std::unique_ptr<CGridCtrl> ChainSheet(int rows, int cols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(cols);
    grid->SetRowCount(rows);
    grid->SetCellText(1, 1, "0");
    for (int row = 2; row <= kChain + 1; ++row)
        grid->SetCellFormula(row, 1, ("=A" + std::to_string(row - 1) + "+1").c_str());
    return grid;
}

void BM_ChainOf10000RecalculatedFromItsFirstCell(benchmark::State& state)
{
    auto grid = ChainSheet(kChain + 2, 3);
    int value = 0;
    for (auto _ : state) {
        grid->SetCellText(1, 1, std::to_string(++value).c_str());
        benchmark::DoNotOptimize(grid->GetCell(kChain + 1, 1)->GetText());
    }
    state.counters["formulas"] = kChain;
}
BENCHMARK(BM_ChainOf10000RecalculatedFromItsFirstCell)->Unit(benchmark::kMillisecond);

void BM_CalcAllOverAChainOf10000(benchmark::State& state)
{
    auto grid = ChainSheet(kChain + 2, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->CalcAll());
    state.counters["formulas"] = kChain;
}
BENCHMARK(BM_CalcAllOverAChainOf10000)->Unit(benchmark::kMillisecond);

// 1,000,000 texts (50,000 rows x 20 columns) on a sheet whose column A holds
// the chain; with bRangeReaders, ten formulas also sum blocks of the columns
// the texts go to, so every text set lands in a range some formula reads.
void SetMillionTexts(benchmark::State& state, bool bRangeReaders)
{
    const int rows = 50001;
    const int cols = 22;
    std::vector<std::string> texts;
    for (int i = 0; i < 1000; ++i)
        texts.push_back("text " + std::to_string(i * 7919));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = ChainSheet(rows, cols);
        if (bRangeReaders) {
            for (int i = 0; i < 10; ++i)
                grid->SetCellFormula(kChain + 2 + i, 1,
                                     ("=COUNTA(C" + std::to_string(40000 + i) + ":D" + std::to_string(40100 + i) + ")")
                                         .c_str());
        }
        state.ResumeTiming();
        size_t next = 0;
        for (int row = 1; row < rows; ++row) {
            for (int col = 2; col < cols; ++col) {
                grid->SetCellText(row, col, texts[next].c_str());
                next = next + 1 == texts.size() ? 0 : next + 1;
            }
        }
        benchmark::DoNotOptimize(grid->GetCell(rows - 1, cols - 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["texts"] = 50000.0 * 20;
}

void BM_MillionTextsOnASheetOf10000Formulas(benchmark::State& state)
{
    SetMillionTexts(state, false);
}
BENCHMARK(BM_MillionTextsOnASheetOf10000Formulas)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MillionTextsSomeReadByRanges(benchmark::State& state)
{
    SetMillionTexts(state, true);
}
BENCHMARK(BM_MillionTextsSomeReadByRanges)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RowInsertedAbove10000Formulas(benchmark::State& state)
{
    auto grid = ChainSheet(kChain + 2, 3);
    for (auto _ : state) {
        grid->InsertRow(nullptr, 1);
        state.PauseTiming();
        grid->DeleteRow(1);
        state.ResumeTiming();
    }
    state.counters["formulas"] = kChain;
}
BENCHMARK(BM_RowInsertedAbove10000Formulas)->Unit(benchmark::kMillisecond);

void BM_RowDeletedAbove10000Formulas(benchmark::State& state)
{
    auto grid = ChainSheet(kChain + 2, 3);
    for (auto _ : state) {
        state.PauseTiming();
        grid->InsertRow(nullptr, 1);
        state.ResumeTiming();
        grid->DeleteRow(1);
    }
    state.counters["formulas"] = kChain;
}
BENCHMARK(BM_RowDeletedAbove10000Formulas)->Unit(benchmark::kMillisecond);

}  // namespace
