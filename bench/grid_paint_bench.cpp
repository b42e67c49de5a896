// Grid painting: one full paint of a 1280 x 1024 client area (about 50 rows x
// 15 columns of text cells shown, two frozen rows and one frozen column)
// through the recording device context, on a grid of 100 rows and on one of
// 1,000,000 rows. The time of a paint must not depend on the grid's size.
// The same paint with every shown cell a check box, a push button, a
// 16 x 16 picture or a link (at most 2 ms each is the aim).
//
// The first paint after a jump (a scroll-bar message to the top or to the
// bottom, then WM_PAINT through the double buffer) is timed alone: it is the
// paint that finds the top-left cell anew, so the jump to the bottom of
// 1,000,000 rows must cost no more than the one to the top.
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The processor time of this thread: the timed figures stay meaningful on a
// machine that is busy with other work.
double ThreadSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

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

// One grid of 1,000,000 rows for every benchmark of that size (left scrolled
// to the top by each).
PaintFixture& MillionRows()
{
    static PaintFixture f(1000000);
    return f;
}

void BM_FullPaint_1000000Rows(benchmark::State& state)
{
    PaintOnce(state, MillionRows());
}
BENCHMARK(BM_FullPaint_1000000Rows)->Unit(benchmark::kMicrosecond);

// The jump (WM_VSCROLL with nCode) and the paint that follows, timed: either
// WM_PAINT (through the double buffer, whose memory bitmap the host build
// renders pixel by pixel) or OnDraw into the recording window DC. Before it,
// untimed, the jump the other way and its paint, so that every timed paint is
// the first one after a scroll.
void PaintAfterJump(benchmark::State& state, PaintFixture& f, UINT nCode, UINT nBackCode, bool bWmPaint)
{
    CClientDC dc(&f.grid);
    auto paint = [&]() {
        if (bWmPaint)
            f.grid.UpdateWindow();
        else
            f.grid.OnDraw(&dc);
    };
    size_t ops = 0;
    for (auto _ : state) {
        f.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(nBackCode, 0), 0);
        paint();
        f.grid.ValidateRect(nullptr);
        Headless::ClearDrawLog();
        double start = ThreadSeconds();
        f.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
        paint();
        state.SetIterationTime(ThreadSeconds() - start);
        f.grid.ValidateRect(nullptr);
        ops = Headless::DrawLog().size();
    }
    CGridCellPos topLeft = f.grid.GetTopLeftCell();
    state.counters["top_row"] = topLeft.row;
    state.counters["draw_ops"] = static_cast<double>(ops);
    f.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    f.grid.UpdateWindow();
}

void BM_OnDrawAfterJumpToTop_1000000Rows(benchmark::State& state)
{
    PaintAfterJump(state, MillionRows(), SB_TOP, SB_BOTTOM, false);
}
BENCHMARK(BM_OnDrawAfterJumpToTop_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_OnDrawAfterJumpToBottom_1000000Rows(benchmark::State& state)
{
    PaintAfterJump(state, MillionRows(), SB_BOTTOM, SB_TOP, false);
}
BENCHMARK(BM_OnDrawAfterJumpToBottom_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_WmPaintAfterJumpToTop_1000000Rows(benchmark::State& state)
{
    PaintAfterJump(state, MillionRows(), SB_TOP, SB_BOTTOM, true);
}
BENCHMARK(BM_WmPaintAfterJumpToTop_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_WmPaintAfterJumpToBottom_1000000Rows(benchmark::State& state)
{
    PaintAfterJump(state, MillionRows(), SB_BOTTOM, SB_TOP, true);
}
BENCHMARK(BM_WmPaintAfterJumpToBottom_1000000Rows)->Unit(benchmark::kMicrosecond)->UseManualTime();

// WM_PAINT of the whole client through the double buffer, without a scroll.
void BM_WmPaintDoubleBuffered_1000000Rows(benchmark::State& state)
{
    PaintFixture& f = MillionRows();
    for (auto _ : state) {
        Headless::ClearDrawLog();
        f.grid.Invalidate(TRUE);
        f.grid.UpdateWindow();
    }
}
BENCHMARK(BM_WmPaintDoubleBuffered_1000000Rows)->Unit(benchmark::kMicrosecond);

// ---- control-text cells ---------------------------------------------------------------
// The same 1280 x 1024 client with every shown cell of one typed kind: check
// boxes, push buttons, 16 x 16 BMP pictures (own size) or links.

// A 16 x 16 24-bit BMP file of one colour.
std::vector<BYTE> SmallBmp()
{
    std::vector<BYTE> b;
    auto u16 = [&b](int v) { b.push_back(BYTE(v & 0xFF)); b.push_back(BYTE((v >> 8) & 0xFF)); };
    auto u32 = [&u16](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
    const int image = 16 * 16 * 3;
    b.push_back('B');
    b.push_back('M');
    for (int v : {14 + 40 + image, 0, 14 + 40, 40, 16, 16})
        u32(v);
    u16(1);
    u16(24);
    for (int v : {0, image, 2835, 2835, 0, 0})
        u32(v);
    for (int i = 0; i < 16 * 16; ++i) {
        b.push_back(40);
        b.push_back(160);
        b.push_back(220);
    }
    return b;
}

struct TypedPaintFixture : PaintFixture {
    explicit TypedPaintFixture(const char* control) : PaintFixture(100)
    {
        InstallInPlaceEditHooks();
        const std::vector<BYTE> bmp = SmallBmp();
        grid.GetPictureList().AddPictureData(bmp.data(), static_cast<int>(bmp.size()));
        for (int r = 1; r < 60; ++r) {
            for (int c = 1; c < kCols; ++c) {
                grid.SetCellControl(r, c, control);
                grid.GetCell(r, c)->SetText("www.example.cn");
            }
        }
    }
};

void BM_FullPaint_CheckCells(benchmark::State& state)
{
    static TypedPaintFixture f("<control controltype=\"checkbox\" setcheck=\"1\" ></control>");
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_CheckCells)->Unit(benchmark::kMicrosecond);

void BM_FullPaint_ButtonCells(benchmark::State& state)
{
    static TypedPaintFixture f("<control controltype=\"button\" btntext=\"OK\" leavetype=\"1\" ></control>");
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_ButtonCells)->Unit(benchmark::kMicrosecond);

void BM_FullPaint_ImageCells(benchmark::State& state)
{
    static TypedPaintFixture f("<control controltype=\"image\" index=\"0\" sizetype=\"0\" ></control>");
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_ImageCells)->Unit(benchmark::kMicrosecond);

void BM_FullPaint_URLCells(benchmark::State& state)
{
    static TypedPaintFixture f("<control controltype=\"url\" ></control>");
    PaintOnce(state, f);
}
BENCHMARK(BM_FullPaint_URLCells)->Unit(benchmark::kMicrosecond);

}  // namespace
