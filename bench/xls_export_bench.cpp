// Speed of the grid's workbook export: a full-height sheet of numbers and
// texts in 40 cell formats, and a sheet of 100,000 cells, written to a file.
#include "base/WinConstants.h"
#include "document/GridXlsExport.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// rows x cols; every other column numbers, the rest texts drawn from
// `distinct` strings; 40 formats from 8 back colours x 5 alignments.
std::unique_ptr<CGridCtrl> MakeGrid(int rows, int cols, int distinct)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    static const COLORREF backs[8] = {RGB(255, 255, 255), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                      RGB(255, 255, 0),   RGB(192, 192, 192), RGB(128, 0, 0), RGB(0, 128, 128)};
    static const UINT aligns[5] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_BOTTOM};
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            CGridCellBase* cell = grid->GetCell(r, c);
            if (c % 2 == 0) {
                cell->SetValue(r * 0.25 + c);
            } else {
                cell->SetText(("text " + std::to_string(n++ % distinct)).c_str());
            }
            int f = (r + c) % 40;
            cell->SetBackColor(backs[f % 8]);
            cell->SetAlign(aligns[f / 8]);
        }
    }
    return grid;
}

void Export(benchmark::State& state, CGridCtrl& grid, long long cells)
{
    const std::string path = "kivo_bench_export.xls";
    for (auto _ : state) {
        short ok = SaveExcelFile(grid, path.c_str(), "");
        benchmark::DoNotOptimize(ok);
        if (ok != 1)
            state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * cells);
}

void BM_ExportFullHeightSheet(benchmark::State& state)
{
    static std::unique_ptr<CGridCtrl> grid = MakeGrid(65536, 15, 50000);
    Export(state, *grid, 65536LL * 15);
}
BENCHMARK(BM_ExportFullHeightSheet)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Export100000Cells(benchmark::State& state)
{
    static std::unique_ptr<CGridCtrl> grid = MakeGrid(10000, 10, 30000);
    Export(state, *grid, 100000);
}
BENCHMARK(BM_Export100000Cells)->Unit(benchmark::kMillisecond);

}  // namespace
