// CSV files: a 100,000 x 10 sheet of mixed Chinese texts, quoted fields and
// numbers saved to a file and loaded back. bench/csv_compare.py runs these and
// times Python's csv module writing and reading the same rows beside them.
//
// The rows are made by the same rule as in csv_compare.py: cell (r, c) of the
// data, counted from 0, is by (r * 10 + c) % 5 a whole number, a pair of
// Chinese words, a text with quotes and a comma, a decimal number or one word.
#include "base/CFile.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const int kRows = 100000;
const int kCols = 10;

const char* const kWords[] = {"中文", "表格", "数据", "abc", "hello world", "价格", "北京", "x"};

std::string FilePath()
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/kivo_csv_bench.csv";
}

// The sheet: a header row and column around the data, as the control has it.
std::unique_ptr<CGridCtrl> BuildSheet()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnCount(kCols + 1);
    grid->SetRowCount(kRows + 1);
    char text[64];
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            CGridCellBase* cell = grid->GetCell(r + 1, c + 1);
            switch ((r * kCols + c) % 5) {
            case 0:
                cell->SetValue(r * kCols + c);
                break;
            case 1:
                cell->SetText((std::string(kWords[(r + c) % 8]) + kWords[c % 8]).c_str());
                break;
            case 2:
                std::snprintf(text, sizeof(text), "say \"%d\", ok", r);
                cell->SetText(text);
                break;
            case 3:
                cell->SetValue(r + c / 100.0);
                break;
            default:
                cell->SetText(kWords[r % 8]);
                break;
            }
        }
    }
    return grid;
}

void BM_SaveCsvFile(benchmark::State& state)
{
    auto grid = BuildSheet();
    const std::string path = FilePath();
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->SaveCSVFile(path.c_str(), ','));
    state.counters["MB"] = static_cast<double>(grid->GetCSVFileBytes(',').size()) / (1024.0 * 1024.0);
}
// Each repetition is one save or load; csv_compare.py takes the best
// repetition, as it takes the best of Python's runs.
BENCHMARK(BM_SaveCsvFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void BM_LoadCsvFile(benchmark::State& state)
{
    const std::string path = FilePath();
    BuildSheet()->SaveCSVFile(path.c_str(), ',');
    // One load first, so the loads measured reuse heap the process has.
    CGridCtrl grid;
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.LoadCSVFile(path.c_str(), ',');
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.LoadCSVFile(path.c_str(), ','));
    CFile::Remove(path.c_str());
}
BENCHMARK(BM_LoadCsvFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
