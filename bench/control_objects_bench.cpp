// The automation view objects at sheet size: a column object's back colour
// over 100,000 body cells (100,001 rows, one fixed), and a range object's
// value over 100,000 cells (1,000 rows x 100 columns).
#include "control/KivoViewObjects.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>

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

void BM_ColumnBackColour100000Cells(benchmark::State& state)
{
    auto grid = BuildGrid(100001, 3, 1, 1);
    auto token = std::make_shared<int>(0);
    CKivoObjectPtr object = CreateKivoColumnObject(CGridLink(grid.get(), token), 1);
    CKivoColumnBase* column = static_cast<CKivoColumnBase*>(object.get());
    LONG colour = 0x010203;
    for (auto _ : state) {
        column->put_crBackColor(colour);
        colour ^= 0x00FF00;
    }
    LONG read = 0;
    column->get_crBackColor(read);
    benchmark::DoNotOptimize(read);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ColumnBackColour100000Cells)->Unit(benchmark::kMillisecond);

void BM_RangeValue100000Cells(benchmark::State& state)
{
    auto grid = BuildGrid(1001, 101, 1, 1);
    auto token = std::make_shared<int>(0);
    CKivoObjectPtr object = CreateKivoRangeObject(CGridLink(grid.get(), token), 1, 1, 1000, 100);
    CKivoRangeBase* range = static_cast<CKivoRangeBase*>(object.get());
    double value = 1.5;
    for (auto _ : state) {
        range->put_dbValueEx(value);
        value += 1.0;
    }
    double read = 0;
    range->get_dbValueEx(read);
    benchmark::DoNotOptimize(read);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_RangeValue100000Cells)->Unit(benchmark::kMillisecond);

}  // namespace
