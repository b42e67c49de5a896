// Cell access at sheet size: setting the text of every cell of a 50,000 x 20
// grid; merging and dissolving 10,000 blocks of 2 x 5 on 1,000 x 100;
// selecting the whole sheet across those blocks; and reading 100,000
// selected cells by index.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CGridCtrl> BuildGrid(int rows, int cols, int fixedRows, int fixedCols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    grid->SetColumnCount(cols);
    grid->SetRowCount(rows);
    return grid;
}

void BM_SetCellTextAllCells50000x20(benchmark::State& state)
{
    const int rows = 50000;
    const int cols = 20;
    std::vector<std::string> texts;
    for (int i = 0; i < 1000; ++i)
        texts.push_back("text " + std::to_string(i * 7919));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = BuildGrid(rows, cols, 1, 1);
        state.ResumeTiming();
        size_t next = 0;
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < cols; ++col) {
                grid->SetCellText(row, col, texts[next].c_str());
                next = next + 1 == texts.size() ? 0 : next + 1;
            }
        }
        benchmark::DoNotOptimize(grid->GetCell(rows - 1, cols - 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["cells"] = static_cast<double>(rows) * cols;
}
BENCHMARK(BM_SetCellTextAllCells50000x20)->Unit(benchmark::kMillisecond)->Iterations(3);

// 1,000 x 100 without fixed lines holds exactly 500 x 20 blocks of 2 x 5.
const int kSheetRows = 1000;
const int kSheetCols = 100;

void MergeAll(CGridCtrl& grid)
{
    for (int row = 0; row < kSheetRows; row += 2)
        for (int col = 0; col < kSheetCols; col += 5)
            grid.MergeCells(row, col, row + 1, col + 4);
}

void BM_Merge10000Blocks(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = BuildGrid(kSheetRows, kSheetCols, 0, 0);
        state.ResumeTiming();
        MergeAll(*grid);
        state.PauseTiming();
        if (grid->GetMergeOwners().size() != 10000)
            state.SkipWithError("not 10,000 blocks");
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Merge10000Blocks)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Dissolve10000Blocks(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = BuildGrid(kSheetRows, kSheetCols, 0, 0);
        MergeAll(*grid);
        state.ResumeTiming();
        for (int row = 0; row < kSheetRows; row += 2)
            for (int col = 0; col < kSheetCols; col += 5)
                grid->UnMergeCellAt(row + 1, col + 3);
        state.PauseTiming();
        if (!grid->GetMergeOwners().empty())
            state.SkipWithError("blocks left");
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Dissolve10000Blocks)->Unit(benchmark::kMillisecond)->Iterations(5);

// The range a mouse drag over the whole sheet selects: it takes in every
// block it touches.
void BM_SelectWholeSheetAcrossBlocks(benchmark::State& state)
{
    auto grid = BuildGrid(kSheetRows, kSheetCols, 0, 0);
    MergeAll(*grid);
    for (auto _ : state) {
        state.PauseTiming();
        grid->ClearSelection();
        grid->SetMouseMode(4);
        state.ResumeTiming();
        grid->SetSelectedRange(0, 0, kSheetRows - 1, kSheetCols - 1);
        state.PauseTiming();
        grid->SetMouseMode(0);
        if (grid->GetSelectedCount() != kSheetRows * kSheetCols)
            state.SkipWithError("not every cell selected");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectWholeSheetAcrossBlocks)->Unit(benchmark::kMillisecond)->Iterations(10);

// Reading every selected cell by index after the selection changed (the
// first read puts them in row order).
void BM_Read100000SelectedCellsByIndex(benchmark::State& state)
{
    auto grid = BuildGrid(kSheetRows, kSheetCols, 0, 0);
    const int count = kSheetRows * kSheetCols;
    for (auto _ : state) {
        state.PauseTiming();
        grid->ClearSelection();
        grid->SetSelectedRange(0, 0, kSheetRows - 1, kSheetCols - 1);
        state.ResumeTiming();
        long long sum = 0;
        CGridCellPos cell;
        for (int i = 0; i < count; ++i) {
            grid->GetSelectedCell(cell, i);
            sum += cell.row + cell.col;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["cells"] = count;
}
BENCHMARK(BM_Read100000SelectedCellsByIndex)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
