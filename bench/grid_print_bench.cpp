// Printing speed: paginating a large sheet, drawing one page through the
// recording printer's device context for a small and a large sheet, and
// painting the preview's all-pages mode with many pages (pages out of view
// are not drawn).
#include "document/KivoPreviewCtrl.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/headless/Headless.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

PrinterMetrics A4At300()
{
    PrinterMetrics m;
    m.nDpiX = m.nDpiY = 300;
    m.nOffsetX = m.nOffsetY = 25;
    m.nPageWidth = 2480;
    m.nPageHeight = 3508;
    return m;
}

std::unique_ptr<CGridCtrl> Sheet(int rows, int cols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetVirtualMode(TRUE);         // no cell objects: a million rows fit
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    grid->GetPrintSettings().InitDevMode();
    return grid;
}

void BM_Paginate1MRows50Cols(benchmark::State& state)
{
    auto grid = Sheet(1000000, 50);
    for (auto _ : state) {
        grid->OnBeginPrinting(A4At300(), FALSE, 96);
        benchmark::DoNotOptimize(grid->GetPrintPageCount());
        grid->OnEndPrinting();
    }
}
BENCHMARK(BM_Paginate1MRows50Cols)->Unit(benchmark::kMillisecond);

void BM_PrintOnePage(benchmark::State& state)
{
    auto grid = Sheet(static_cast<int>(state.range(0)), 8);
    Headless::SetRecording(false);
    grid->OnBeginPrinting(A4At300(), FALSE, 96);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const int page = grid->GetPrintPageCount() / 2;
    for (auto _ : state)
        grid->DrawPaperPage(&dc, page, CPoint(-25, -25));
    grid->OnEndPrinting();
    Headless::SetRecording(true);
}
BENCHMARK(BM_PrintOnePage)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_PreviewAllPages1000(benchmark::State& state)
{
    Headless::Reset();
    Headless::SetRecording(false);
    auto grid = Sheet(50000, 4);
    grid->OnBeginPrinting(A4At300(), TRUE, 96);
    CWnd parent;
    parent.CreateEx(0, "KivoPrintBenchParent", "", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0);
    CPreviewPageView view;
    view.Create(&parent, CRect(0, 0, 800, 600), 1);
    view.SetGrid(grid.get());
    view.SetPageSize(CSize(grid->GetPrintState().nPageWidth, grid->GetPrintState().nPageHeight));
    view.SetUnitScale(96.0 / grid->GetPrintState().nLayoutDpiX, 96.0 / grid->GetPrintState().nLayoutDpiY);
    view.SetPageCount(grid->GetPrintPageCount());
    view.SetMode(PREVIEW_ALL_PAGES, 0);
    state.counters["pages"] = grid->GetPrintPageCount();
    for (auto _ : state)
        view.RedrawWindow();
    view.DestroyWindow();
    parent.DestroyWindow();
    grid->OnEndPrinting();
    Headless::SetRecording(true);
}
BENCHMARK(BM_PreviewAllPages1000)->Unit(benchmark::kMillisecond);

}  // namespace
