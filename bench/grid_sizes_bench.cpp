// Row sizes and structure on large grids with a window: every row height set
// one at a time (each call recomputes the scroll bars), and one row inserted
// in the middle. The grid is made as the control makes it: a header row and
// column, the grid's own skinned scroll bars beside it in a parent window.
//
// Each figure is the processor time of the operation alone; the work
// that puts the grid back between iterations is not counted.
#include "cells/GridScrollBarHooks.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

namespace {

// The processor time of this thread: the timed figures stay meaningful on a
// machine that is busy with other work.
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


// Every height of the grid set one by one, alternately to 21 and 20 so that
// each call changes the height.
void SetAllHeights(benchmark::State& state, int nRows)
{
    WindowedGrid g(nRows, 4);
    int height = 21;
    for (auto _ : state) {
        double start = ThreadSeconds();
        for (int r = 0; r < nRows; ++r)
            g.grid.SetRowHeight(r, height);
        state.SetIterationTime(ThreadSeconds() - start);
        height = height == 21 ? 20 : 21;
    }
    state.counters["vscroll_max"] = g.grid.GetVScrollMax();
}

void BM_SetAllRowHeights_100000Rows(benchmark::State& state) { SetAllHeights(state, 100000); }
BENCHMARK(BM_SetAllRowHeights_100000Rows)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_SetAllRowHeights_1000000Rows(benchmark::State& state) { SetAllHeights(state, 1000000); }
BENCHMARK(BM_SetAllRowHeights_1000000Rows)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// One row inserted in the middle (timed), then deleted again (not timed).
// One insert before the timing lets the row storage grow its capacity once.
void BM_InsertRowInMiddle_1000000Rows(benchmark::State& state)
{
    const int nRows = 1000000;
    WindowedGrid g(nRows, 4);
    g.grid.DeleteRow(g.grid.InsertRow("", nRows / 2));
    for (auto _ : state) {
        double start = ThreadSeconds();
        int row = g.grid.InsertRow("", nRows / 2);
        state.SetIterationTime(ThreadSeconds() - start);
        g.grid.DeleteRow(row);
    }
    state.counters["rows"] = g.grid.GetRowCount();
}
BENCHMARK(BM_InsertRowInMiddle_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(50);

// One row deleted from the middle (timed), then inserted again (not timed).
void BM_DeleteRowInMiddle_1000000Rows(benchmark::State& state)
{
    const int nRows = 1000000;
    WindowedGrid g(nRows, 4);
    for (auto _ : state) {
        double start = ThreadSeconds();
        g.grid.DeleteRow(nRows / 2);
        state.SetIterationTime(ThreadSeconds() - start);
        g.grid.InsertRow("", nRows / 2);
    }
    state.counters["rows"] = g.grid.GetRowCount();
}
BENCHMARK(BM_DeleteRowInMiddle_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(50);

// The index alone: one line inserted in the middle of 1,000,000 and the sums
// brought up to date (what a row insert adds to moving the row storage).
void BM_IndexInsertInMiddle_1000000Lines(benchmark::State& state)
{
    const int nLines = 1000000;
    CGridPositionIndex index;
    index.SetSize(nLines);
    for (int i = 0; i < nLines; ++i)
        index.SetAt(i, 20);
    benchmark::DoNotOptimize(index.Total());
    for (auto _ : state) {
        index.InsertAt(nLines / 2, 20);
        benchmark::DoNotOptimize(index.Total());
        state.PauseTiming();
        index.RemoveAt(nLines / 2);
        benchmark::DoNotOptimize(index.Total());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_IndexInsertInMiddle_1000000Lines)->Unit(benchmark::kMicrosecond);

}  // namespace
