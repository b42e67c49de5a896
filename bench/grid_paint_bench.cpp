// Grid painting: one full paint of a 1280 x 1024 client area (about 50 rows x
// 15 columns of text cells shown, two frozen rows and one frozen column)
// through the recording device context, on a grid of 100 rows and on one of
// 1,000,000 rows. The time of a paint must not depend on the grid's size.
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

const int kCols = 16;        // one fixed column and 15 shown
const int kClientW = 1280;
const int kClientH = 1024;

struct PaintFixture {
    CWnd parent;
    CGridCtrl grid;

    explicit PaintFixture(int nRows)
    {
        parent.CreateEx(0, "KivoBenchParent", "bench", WS_VISIBLE, CRect(0, 0, kClientW + 4, kClientH + 4), nullptr, 0);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetColumnCount(kCols);
        grid.SetRowCount(nRows);
        for (int c = 0; c < kCols; ++c)
            grid.SetColumnWidth(c, c == 0 ? 50 : 82);
        for (int r = 0; r < nRows; ++r)
            grid.SetRowHeight(r, 20);
        grid.SetFreezeTopRows(2);
        grid.SetFreezeLeftCols(1);
        char text[32];
        for (int r = 1; r < 60 && r < nRows; ++r) {
            for (int c = 1; c < kCols; ++c) {
                std::snprintf(text, sizeof(text), "R%dC%d %d", r, c, r * c);
                grid.GetCell(r, c)->SetText(text);
            }
        }
        grid.Create(CRect(0, 0, kClientW + 4, kClientH + 4), &parent, 1, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
    }
};

void PaintOnce(benchmark::State& state, PaintFixture& f)
{
    CClientDC dc(&f.grid);
    size_t ops = 0;
    for (auto _ : state) {
        Headless::ClearDrawLog();
        f.grid.OnDraw(&dc);
        ops = Headless::DrawLog().size();
    }
    CGridCellRange visible = f.grid.GetVisibleRange();
    state.counters["rows_shown"] = visible.GetMaxRow() - visible.GetMinRow() + 1 + 3;
    state.counters["cols_shown"] = visible.GetMaxCol() - visible.GetMinCol() + 1 + 2;
    state.counters["draw_ops"] = static_cast<double>(ops);
}

void BM_FullPaint_100Rows(benchmark::State& state)
{
    static PaintFixture f(100);
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_100Rows)->Unit(benchmark::kMicrosecond);

void BM_FullPaint_1000000Rows(benchmark::State& state)
{
    static PaintFixture f(1000000);
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_1000000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace
