// Drop-down cells: 10,000 "insertitem" commands on one combo cell followed by
// one GetControl (the "datasource" attribute is rebuilt once, not per
// command), and a type-ahead lookup in a list of 100,000 items (the prefix
// matches the last item).
#include "cells/DropDownSelection.h"
#include "cells/GridCellCombo.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ComboInsert10000ThenGetControl(benchmark::State& state)
{
    for (auto _ : state) {
        CGridCellCombo cell;
        cell.SetControl("<control controltype = \"combobox\" ></control>");
        for (int i = 0; i < 10000; ++i) {
            const std::string item = "item " + std::to_string(i);
            cell.SetControlProperty("insertitem", item.c_str());
        }
        benchmark::DoNotOptimize(cell.GetControl());
    }
}
BENCHMARK(BM_ComboInsert10000ThenGetControl)->Unit(benchmark::kMillisecond);

void BM_TypeAheadIn100000Items(benchmark::State& state)
{
    CDropDownSelection list;
    for (int i = 0; i < 100000; ++i)
        list.AddItem(("Item " + std::to_string(i)).c_str());
    list.AddItem("zebra");
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindPrefix("ZEB"));
}
BENCHMARK(BM_TypeAheadIn100000Items)->Unit(benchmark::kMicrosecond);

}  // namespace
