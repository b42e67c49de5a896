// The sheet defaults taken as one record: every row of a 1,000,000-row grid
// with a window given a new height (and, separately, every column of a wide
// grid a new width). The grid is made as the control makes it: a header row
// and column, the grid's own skinned scroll bars beside it in a parent window.
//
// Each figure is the processor time of SetDefaultSetting alone.
#include "cells/GridScrollBarHooks.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

double ThreadSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

const int kClientW = 1280;
const int kClientH = 1024;

struct WindowedGrid {
    CWnd parent;
    CGridCtrl grid;

    WindowedGrid(int nRows, int nCols)
    {
        InstallGridScrollBarHooks();
        parent.CreateEx(0, "KivoBenchParent", "bench", WS_VISIBLE, CRect(0, 0, kClientW, kClientH), nullptr, 0);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetColumnCount(nCols);
        grid.SetRowCount(nRows);
        grid.Create(CRect(0, 0, kClientW, kClientH), &parent, 1, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
    }
};

// The record applied with its row-height (or column-width) reset flag on,
// alternately 21 and 20 so each call changes every line; the scroll bars and
// the layout's sums are brought up to date inside the call.
void ApplyDefaultSizes(benchmark::State& state, int nRows, int nCols, bool rows)
{
    WindowedGrid g(nRows, nCols);
    int size = 21;
    for (auto _ : state) {
        CGridDefaultSetting setting = g.grid.GetDefaultSetting();
        if (rows) {
            setting.m_bIMResetInitRowHeight = 1;
            setting.m_nRowHeight = size;
        } else {
            setting.m_bIMResetInitColWidth = 1;
            setting.m_nColWidth = size;
        }
        const double start = ThreadSeconds();
        g.grid.SetDefaultSetting(setting);
        state.SetIterationTime(ThreadSeconds() - start);
        size = size == 21 ? 20 : 21;
    }
    state.counters["vscroll_max"] = g.grid.GetVScrollMax();
    state.counters["hscroll_max"] = g.grid.GetHScrollMax();
}

void BM_SetDefaultSetting_RowHeight_1000000Rows(benchmark::State& state)
{
    ApplyDefaultSizes(state, 1000000, 4, true);
}
BENCHMARK(BM_SetDefaultSetting_RowHeight_1000000Rows)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_SetDefaultSetting_ColumnWidth_100000Cols(benchmark::State& state)
{
    ApplyDefaultSizes(state, 10, 100000, false);
}
BENCHMARK(BM_SetDefaultSetting_ColumnWidth_100000Cols)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace
