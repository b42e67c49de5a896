// Template files: a sheet of 100,000 rows x 10 columns (Chinese texts,
// numbers, 20 formats, merged blocks) saved to memory and to a file, opened
// from both, and carried as a Base64 string; and a sheet of 100,000 cells
// opened. The open reports the heap the loaded sheet holds ("sheet_MB") and
// (in a run of its own) how far the process's resident memory rose above
// where it stood before the open ("peak_MB", from the kernel's high-water
// mark, reset before the open) and their ratio ("peak_per_sheet", at most 2
// wanted).
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A "VmRSS:"-style field of /proc/self/status in bytes; 0 when unknown.
double StatusBytes(const char* key)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr)
        return 0;
    char line[256];
    double kb = 0;
    const size_t n = std::strlen(key);
    while (std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, key, n) == 0) {
            kb = std::atof(line + n);
            break;
        }
    }
    std::fclose(f);
    return kb * 1024.0;
}

// Sets the resident high-water mark back to the current resident size.
bool ResetPeakResident()
{
    std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (f == nullptr)
        return false;
    const bool ok = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && ok;
}

std::unique_ptr<CGridCtrl> BuildSheet(int rows, int cols)
{
    InstallInPlaceEditHooks();
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetColumnCount(cols);
    grid->SetRowCount(rows);
    static const char* kTexts[] = {"\xD6\xD0\xCE\xC4\xB1\xED\xB8\xF1", "\xBA\xCF\xBC\xC6", "\xC8\xD5\xC6\xDA"};
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if ((row + col) % 2 == 0)
                grid->SetCellText(row, col, kTexts[(row * 7 + col) % 3]);
            else
                grid->SetCellValue(row, col, row * 1.5 + col);
        }
        if (row % 5 == 0) {
            CString format;
            format.Format("<format type=\"number\" decimal=\"%d\"/>", row / 5 % 20);
            grid->SetCellTextFormat(row, 1, format);
        }
    }
    for (int row = 10; row + 1 < rows; row += 1000)
        grid->MergeCells(row, 2, row + 1, 3);
    return grid;
}

CGridCtrl& Million()
{
    static std::unique_ptr<CGridCtrl> grid = BuildSheet(100000, 10);
    return *grid;
}

void BM_SaveMillionCells(benchmark::State& state)
{
    CGridCtrl& grid = Million();
    std::vector<BYTE> bytes;
    for (auto _ : state) {
        SaveTemplateBytes(grid, "", bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SaveMillionCells)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveMillionCellsToFile(benchmark::State& state)
{
    CGridCtrl& grid = Million();
    for (auto _ : state)
        SaveTemplateFile(grid, "kivo_bench_template.kvx", "");
    std::remove("kivo_bench_template.kvx");
}
BENCHMARK(BM_SaveMillionCellsToFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenMillionCells(benchmark::State& state)
{
    std::vector<BYTE> bytes;
    SaveTemplateBytes(Million(), "", bytes);
    double sheet = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<CGridCtrl>();
        const size_t before = HeapInUse();
        state.ResumeTiming();
        OpenTemplateBytes(*grid, bytes.data(), bytes.size(), "");
        state.PauseTiming();
        sheet = static_cast<double>(HeapInUse() - before);
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["sheet_MB"] = sheet / (1024.0 * 1024.0);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_OpenMillionCells)->Unit(benchmark::kMillisecond)->Iterations(3);

// One open, with the heap given back to the system first, so the rise of the
// resident high-water mark is what the open itself needed.
void BM_OpenMillionCellsPeakMemory(benchmark::State& state)
{
    std::vector<BYTE> bytes;
    SaveTemplateBytes(Million(), "", bytes);
    double sheet = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<CGridCtrl>();
        malloc_trim(0);
        const size_t before = HeapInUse();
        const double residentBefore = StatusBytes("VmRSS:");
        const bool peakKnown = ResetPeakResident();
        state.ResumeTiming();
        OpenTemplateBytes(*grid, bytes.data(), bytes.size(), "");
        state.PauseTiming();
        sheet = static_cast<double>(HeapInUse() - before);
        if (peakKnown)
            peak = StatusBytes("VmHWM:") - residentBefore;
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["sheet_MB"] = sheet / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak / (1024.0 * 1024.0);
    state.counters["peak_per_sheet"] = sheet > 0 ? peak / sheet : 0;
}
BENCHMARK(BM_OpenMillionCellsPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Base64SaveAndOpenMillionCells(benchmark::State& state)
{
    CGridCtrl& grid = Million();
    for (auto _ : state) {
        const CString text = SaveTemplateToBase64(grid, "");
        CGridCtrl back;
        OpenTemplateFromBase64(back, text, "");
        benchmark::DoNotOptimize(back.GetRowCount());
    }
}
BENCHMARK(BM_Base64SaveAndOpenMillionCells)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_OpenHundredThousandCells(benchmark::State& state)
{
    auto sheet = BuildSheet(10000, 10);
    std::vector<BYTE> bytes;
    SaveTemplateBytes(*sheet, "", bytes);
    for (auto _ : state) {
        CGridCtrl grid;
        OpenTemplateBytes(grid, bytes.data(), bytes.size(), "");
        benchmark::DoNotOptimize(grid.GetRowCount());
    }
}
BENCHMARK(BM_OpenHundredThousandCells)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
