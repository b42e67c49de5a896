// The batch re-merge of one template of 200,000 cells (2,000 rows x 100
// columns, every cell holding text) with 2,000 merged blocks, one of them
// 100 x 50: open, re-merge, save, through the in-process control.
#include "control/KivoSheetCtrl.h"
#include "designer/DesignerFiles.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlOver.gen.h"
#include "designer/dialogs/BatchDialogs.h"
#include "platform/Wnd.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

struct QuietUi : IDesignerUi {
    int MessageBox(const CString& text, const CString&, UINT) override
    {
        last = text;
        return 1;
    }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    IDesignerFiles* Files() override { return files; }
    IDesignerFiles* files = nullptr;
    CString last;
};

struct DiskFiles : IDesignerFiles {
    bool List(const CString& folder, std::vector<CDesignerFileEntry>& out) override
    {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(folder.Str(), ec))
            out.push_back({CString(e.path().filename().string().c_str()), e.is_directory(), false});
        return !ec;
    }
    bool IsDirectory(const CString& path) override { return fs::is_directory(path.Str()); }
    bool MakeDirectory(const CString& path) override { return fs::create_directory(path.Str()); }
    char Separator() const override { return '/'; }
};

struct Hosted {
    CWnd host;
    CKivoSheetCtrl ctl;
    TGridControlOver<CKivoSheetCtrl> grid{ctl};
    Hosted()
    {
        host.CreateEx(0, "KivoRemergeBenchHost", "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0);
        ctl.CreateControl(host.GetSafeHwnd(), CRect(0, 0, 800, 600));
    }
    ~Hosted()
    {
        ctl.DestroyWindow();
        host.DestroyWindow();
    }
};

fs::path MakeTemplate()
{
    const fs::path dir = fs::temp_directory_path() / "kivo_remerge_bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    Hosted h;
    h.grid.RowSetCount(2000);
    h.grid.ColumnSetCount(100);
    const CString v("v");
    for (LONG r = 0; r < 2000; ++r)
        for (LONG c = 0; c < 100; ++c)
            h.grid.CellSetValue(r, c, v);
    int blocks = 0;
    h.grid.GridMergeCells(1, 1, 100, 50);
    ++blocks;
    for (int r = 1; r <= 100; ++r, ++blocks)
        h.grid.GridMergeCells(r, 60, r, 61);
    for (int r = 101; blocks < 2000; ++r, ++blocks)
        h.grid.GridMergeCells(r, 1, r, 2);
    h.grid.GridSaveFile((dir / "big.kvx").string().c_str(), "");
    return dir;
}

void BM_RemergeTemplateOf200000Cells(benchmark::State& state)
{
    const fs::path dir = MakeTemplate();
    DiskFiles files;
    QuietUi ui;
    ui.files = &files;
    Hosted hosted;
    for (auto _ : state) {
        CRemergeDlg dlg;
        dlg.m_ui = &ui;
        dlg.m_strFolder = dir.string().c_str();
        if (dlg.Reset(hosted.grid) != 1)
            state.SkipWithError("the template was not re-merged");
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_RemergeTemplateOf200000Cells)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
