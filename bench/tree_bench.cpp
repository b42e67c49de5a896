// Row trees in a grid window of 1280 x 1024 with a tree of 100,000 rows in
// four levels (a root, 10 nodes, 100 below each, 98 leaves below those): reading
// the tree's attribute text (every row's cell made a tree cell), folding and
// unfolding the root (the changed heights set in one step), and a full paint
// of a screen of tree cells at the top and in the middle of the tree. The
// paint must not depend on where in the tree it is: a cell's ancestor lines
// come from the tree's cached relations, not from a walk of the rows.
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"
#include "platform/DC.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

const int kClientW = 1280;
const int kClientH = 1024;

std::string TreeText()
{
    std::string levels = "1";
    for (int a = 0; a < 10; ++a) {
        levels += ",2";
        for (int b = 0; b < 100; ++b) {
            levels += ",3";
            for (int c = 0; c < 98; ++c)
                levels += ",4";
        }
    }
    return "<control treerow = \"" + levels + "\" ></control>";
}

const std::string& Text()
{
    static const std::string text = TreeText();
    return text;
}

struct TreeFixture {
    CWnd parent;
    CGridCtrl grid;
    CTreeColumn* tree = nullptr;

    explicit TreeFixture(bool bRead = true)
    {
        Headless::SetRecording(true);
        parent.CreateEx(0, "KivoBenchTreeParent", "bench", WS_VISIBLE, CRect(0, 0, kClientW + 4, kClientH + 4),
                        nullptr, 0);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetColumnCount(3);
        grid.SetRowCount(100005);
        grid.SetColumnWidth(0, 50);
        grid.SetColumnWidth(1, 1000);
        grid.SetColumnWidth(2, 200);
        grid.Create(CRect(0, 0, kClientW + 4, kClientH + 4), &parent, 1, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
        tree = grid.AddTree(1, 1);
        if (bRead)
            tree->SetControl(Text().c_str());
    }
};

void BM_ReadTreeText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<TreeFixture>(false);
        state.ResumeTiming();
        f->tree->SetControl(Text().c_str());
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadTreeText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FoldRoot(benchmark::State& state)
{
    TreeFixture f;
    for (auto _ : state) {
        f.tree->Collapse(1);
        f.tree->ApplyRowVisibility();
        state.PauseTiming();
        f.tree->ExpandSubtree(1);
        f.tree->ApplyRowVisibility();
        state.ResumeTiming();
    }
    state.counters["rows"] = f.tree->GetRowCount();
}
BENCHMARK(BM_FoldRoot)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UnfoldRoot(benchmark::State& state)
{
    TreeFixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.tree->Collapse(1);
        f.tree->ApplyRowVisibility();
        state.ResumeTiming();
        f.tree->ExpandSubtree(1);
        f.tree->ApplyRowVisibility();
    }
}
BENCHMARK(BM_UnfoldRoot)->Unit(benchmark::kMillisecond)->Iterations(5);

void Paint(benchmark::State& state, int nTopRow)
{
    TreeFixture f;
    f.grid.EnsureVisible(nTopRow + 45, 1);
    f.grid.EnsureVisible(nTopRow, 1);
    CClientDC dc(&f.grid);
    size_t ops = 0;
    for (auto _ : state) {
        Headless::ClearDrawLog();
        f.grid.OnDraw(&dc);
        ops = Headless::DrawLog().size();
    }
    state.counters["draw_ops"] = static_cast<double>(ops);
    state.counters["top_row"] = f.grid.GetTopLeftCell().row;
}

void BM_PaintTreeTop(benchmark::State& state)
{
    Paint(state, 1);
}
BENCHMARK(BM_PaintTreeTop)->Unit(benchmark::kMillisecond);

void BM_PaintTreeMiddle(benchmark::State& state)
{
    Paint(state, 50000);
}
BENCHMARK(BM_PaintTreeMiddle)->Unit(benchmark::kMillisecond);

}  // namespace
