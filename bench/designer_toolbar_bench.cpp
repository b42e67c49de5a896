// The designer's toolbar synchronisation after a click on a large selection:
// 5,000 x 20 selected cells through the in-process control, all in one font
// but the last, so the walk reads every cell.
#include "control/KivoSheetCtrl.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlOver.gen.h"
#include "designer/KivoSheetDesignerView.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

namespace {

struct QuietUi : IDesignerUi {
    int MessageBox(const CString&, const CString&, UINT) override { return 1; }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString& name) override { lastName = name; }
    void SelectFontSize(const CString& size) override { lastSize = size; }
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    CString lastName, lastSize;
};

void BM_ToolbarSyncOnLargeSelection(benchmark::State& state)
{
    CKivoSheetCtrl ctl;
    TGridControlOver<CKivoSheetCtrl> grid(ctl);
    QuietUi ui;
    CKivoSheetDesignerView view(grid, ui);
    CGridCtrl& engine = *ctl.GetGrid()->GetGridCtrl();
    engine.SetRowCount(5001);
    engine.SetColumnCount(21);
    grid.CellSetTextFontProperty(5000, 20, CString("fontname"), CString("Arial"));
    engine.SetSelectedRange(1, 1, 5000, 20);
    for (auto _ : state)
        view.SyncToolbar(1, 1);
    benchmark::DoNotOptimize(ui.lastName);
}
BENCHMARK(BM_ToolbarSyncOnLargeSelection)->Unit(benchmark::kMillisecond);

}  // namespace
