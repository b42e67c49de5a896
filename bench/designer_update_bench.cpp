// The designer's idle update with a large selection: 10,000 x 20 selected
// cells through the in-process control, every menu item and toolbar button
// of the editing commands asked for its state as the frame asks at an idle
// moment: the first update after the selection changed (the cells are read)
// and an update when nothing changed (the answers are kept). And fitting the
// width of a whole selected column of 100,000 rows.
#include "control/KivoSheetCtrl.h"
#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlOver.gen.h"
#include "designer/KivoSheetDesignerView.h"
#include "grid/GridCtrl.h"

#include <benchmark/benchmark.h>

namespace {

struct QuietUi : IDesignerUi {
    int MessageBox(const CString&, const CString&, UINT) override { return 1; }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    int LineStyleIndex() override { return 0; }
};

// The toolbar buttons and menu items of the editing commands.
const UINT kIds[] = {32787, 32857, 32841, 32839, 32790, 32795, 32782, 32855, 32840, 32819, 32785, 32786, 32816,
                     32817, 32853, 32844, 32847, 32775, 32797, 32837, 32843, 32906, 32907, 32864, 32777, 32911,
                     32808, 32809, 32810, 32811, 32812, 32813, 32814, 32850, 32851, 32852, 32806, 32807, 32823,
                     32825, 32842, 32826, 32827, 32884, 32908, 32909, 32886, 32927, 32846, 32849, 32832, 32966};

struct Sheet {
    CKivoSheetCtrl ctl;
    TGridControlOver<CKivoSheetCtrl> grid{ctl};
    QuietUi ui;
    CKivoSheetDesignerView view{grid, ui};
    CGridCtrl& engine = *ctl.GetGrid()->GetGridCtrl();

    void UpdateAll()
    {
        CDesignerContext ctx{view, ui, nullptr};
        for (UINT id : kIds) {
            CCmdState s;
            CDesignerCommands::Instance().Update(id, ctx, s);
            benchmark::DoNotOptimize(s);
        }
    }
};

void BM_FirstIdleUpdateAfterSelecting(benchmark::State& state)
{
    Sheet s;
    s.engine.SetRowCount(10001);
    s.engine.SetColumnCount(21);
    // Every cell bold: the bold check reads every selected cell.
    for (int r = 1; r <= 10000; ++r)
        for (int c = 1; c <= 20; ++c)
            s.grid.CellSetTextFontProperty(r, c, CString("weight"), CString("FW_BOLD"));
    for (auto _ : state) {
        state.PauseTiming();
        s.engine.SetSelectedRange(1, 1, 10000, 20);
        s.view.ForgetSelectionState();
        state.ResumeTiming();
        s.UpdateAll();
    }
}
BENCHMARK(BM_FirstIdleUpdateAfterSelecting)->Unit(benchmark::kMillisecond);

void BM_IdleUpdateWhenNothingChanged(benchmark::State& state)
{
    Sheet s;
    s.engine.SetRowCount(10001);
    s.engine.SetColumnCount(21);
    s.engine.SetSelectedRange(1, 1, 10000, 20);
    s.UpdateAll();
    for (auto _ : state)
        s.UpdateAll();
}
BENCHMARK(BM_IdleUpdateWhenNothingChanged)->Unit(benchmark::kMicrosecond);

void BM_FitWidthOfAWholeColumn(benchmark::State& state)
{
    Sheet s;
    s.engine.SetRowCount(100001);
    s.engine.SetColumnCount(5);
    for (int r = 1; r <= 100000; r += 997)
        s.grid.CellSetValue(r, 2, CString("some text of a width"));
    for (auto _ : state) {
        state.PauseTiming();
        s.engine.SelectColumnBand(CGridCellPos(1, 2));
        state.ResumeTiming();
        CDesignerContext ctx{s.view, s.ui, nullptr};
        CDesignerCommands::Instance().Run(32787, ctx);
    }
}
BENCHMARK(BM_FitWidthOfAWholeColumn)->Unit(benchmark::kMillisecond);

}  // namespace
