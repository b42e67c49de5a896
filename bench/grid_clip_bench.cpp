// Clipboard data of a 10,000 x 10 range: written as the private stream and as
// tab-separated text, and each pasted into another grid.
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kRows = 10000;
const int kCols = 10;

// A sheet with a header row and column, its range of texts, numbers and
// some coloured cells from (1, 1).
std::unique_ptr<CGridCtrl> BuildSheet()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(kCols + 1);
    grid->SetRowCount(kRows + 1);
    char text[32];
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kCols; ++c) {
            CGridCellBase* cell = grid->GetCell(r, c);
            if ((r + c) % 3 == 0) {
                cell->SetValue(r * 0.5 + c);
            } else {
                std::snprintf(text, sizeof(text), "文字%d-%d", r, c);
                cell->SetText(text);
            }
            if ((r * c) % 7 == 0)
                cell->SetBackColor(RGB(r % 256, c * 20, 100));
        }
    }
    grid->SetClipSizeOption(3);
    return grid;
}

void BM_WriteStream(benchmark::State& state)
{
    auto grid = BuildSheet();
    std::vector<BYTE> bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->WriteClipRecords(1, 1, kRows, kCols, bytes));
    state.counters["KB"] = static_cast<double>(bytes.size()) / 1024.0;
}
BENCHMARK(BM_WriteStream)->Unit(benchmark::kMillisecond);

void BM_WriteText(benchmark::State& state)
{
    auto grid = BuildSheet();
    CString text;
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->GetRangeText(CGridCellRange(1, 1, kRows, kCols), text));
    state.counters["KB"] = static_cast<double>(text.GetLength()) / 1024.0;
}
BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond);

void BM_PasteStream(benchmark::State& state)
{
    std::vector<BYTE> bytes;
    BuildSheet()->WriteClipRecords(1, 1, kRows, kCols, bytes);
    auto target = BuildSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(target->PasteClipRecords(1, 1, bytes.data(), static_cast<UINT>(bytes.size())));
}
BENCHMARK(BM_PasteStream)->Unit(benchmark::kMillisecond);

void BM_PasteText(benchmark::State& state)
{
    CString text;
    BuildSheet()->GetRangeText(CGridCellRange(1, 1, kRows, kCols), text);
    auto target = BuildSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(target->PasteTextAtCell(1, 1, text));
}
BENCHMARK(BM_PasteText)->Unit(benchmark::kMillisecond);

}  // namespace
