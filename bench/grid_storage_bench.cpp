// Grid storage: creating a 50,000 x 20 grid of ordinary cells (its speed and
// the memory it holds), and writing and reading back the tagged records of
// its million cells.
//
// The memory figure is the heap the grid holds after it is built (allocated
// bytes of the allocator, mallinfo2 on the host), reported as the counters
// "heap_MB" and "bytes_per_cell".
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

const int kRows = 50000;
const int kCols = 20;

size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The grid as the control makes it: a header row and column, then the size.
std::unique_ptr<CGridCtrl> BuildGrid()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(kCols);
    grid->SetRowCount(kRows);
    return grid;
}

void BM_CreateGrid50000x20(benchmark::State& state)
{
    double heapBytes = 0;
    for (auto _ : state) {
        size_t before = HeapInUse();
        auto grid = BuildGrid();
        heapBytes = static_cast<double>(HeapInUse() - before);
        benchmark::DoNotOptimize(grid->GetCell(kRows - 1, kCols - 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heapBytes / (1024.0 * 1024.0);
    state.counters["bytes_per_cell"] = heapBytes / (static_cast<double>(kRows) * kCols);
}
BENCHMARK(BM_CreateGrid50000x20)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ordinary content: every other cell a short text, the rest numbers.
void Fill(CGridCtrl& grid)
{
    for (int row = 1; row < kRows; ++row) {
        for (int col = 1; col < kCols; ++col) {
            CGridCellBase* cell = grid.GetCell(row, col);
            if ((row + col) % 2 == 0)
                cell->SetValue(row * 0.5 + col);
            else
                cell->SetText("text");
        }
    }
}

void WriteAll(CGridCtrl& grid, CArchive& ar)
{
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col)
            grid.GetCell(row, col)->SerializeRecord(ar, nullptr);
    }
}

void BM_WriteRecords1M(benchmark::State& state)
{
    auto grid = BuildGrid();
    Fill(*grid);
    double bytes = 0;
    for (auto _ : state) {
        CMemFile file(1024 * 1024);
        CArchive ar(&file, CArchive::store);
        WriteAll(*grid, ar);
        bytes = static_cast<double>(file.GetLength());
    }
    state.counters["records_MB"] = bytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_WriteRecords1M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadRecords1M(benchmark::State& state)
{
    auto source = BuildGrid();
    Fill(*source);
    CMemFile stored(1024 * 1024);
    {
        CArchive ar(&stored, CArchive::store);
        WriteAll(*source, ar);
    }
    source.reset();
    auto target = BuildGrid();
    for (auto _ : state) {
        stored.SeekToBegin();
        CArchive ar(&stored, CArchive::load);
        // As a template reader does: a fresh cell per position, loaded from its record.
        for (int row = 0; row < kRows; ++row) {
            for (int col = 0; col < kCols; ++col) {
                CGridCellBase* cell = target->CreateCell(row, col);
                cell->SerializeRecord(ar, nullptr);
                target->PutCell(row, col, cell);
            }
        }
        if (ar.IsFailed())
            state.SkipWithError("a record failed to load");
    }
}
BENCHMARK(BM_ReadRecords1M)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
