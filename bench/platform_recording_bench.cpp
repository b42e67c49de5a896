// Cost of drawing a screenful of grid cells through the host build's recording
// device context: about 750 cells (50 rows x 15 columns), each filled, given
// two grid lines and a line of text in a font of its own, as the grid's cell
// painting does; then the whole picture copied to a window.
#include "platform/DC.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int kRows = 50;
const int kColumns = 15;
const int kCellWidth = 85;
const int kCellHeight = 20;
const int kWidth = kColumns * kCellWidth;
const int kHeight = kRows * kCellHeight;

void PaintCells(CDC& dc)
{
    CPen grid(PS_SOLID, 1, RGB(0xD0, 0xD7, 0xE5));
    CPen* oldPen = dc.SelectObject(&grid);
    dc.SetBkMode(TRANSPARENT);
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfCharSet = GB2312_CHARSET;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            CRect cell(c * kCellWidth, r * kCellHeight, (c + 1) * kCellWidth, (r + 1) * kCellHeight);
            dc.FillSolidRect(cell.left + 1, cell.top + 1, cell.Width() - 1, cell.Height() - 1,
                             (r & 1) ? RGB(255, 255, 255) : RGB(0xF5, 0xEC, 0xEA));
            dc.MoveTo(cell.right - 1, cell.top);
            dc.LineTo(cell.right - 1, cell.bottom);
            dc.MoveTo(cell.left, cell.bottom - 1);
            dc.LineTo(cell.right, cell.bottom - 1);
            CFont font;
            font.CreateFontIndirect(&lf);
            CFont* oldFont = dc.SelectObject(&font);
            dc.SetTextColor(RGB(0, 0, 0));
            CRect text(cell.left + 2, cell.top + 1, cell.right - 2, cell.bottom - 1);
            dc.DrawText((c & 1) ? "1,234.50" : "产品名称", -1, &text,
                        DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            dc.SelectObject(oldFont);
        }
    }
    dc.SelectObject(oldPen);
}

// Into a memory bitmap (painted and recorded), then one copy to the window.
void BM_GridPaintDoubleBuffered(benchmark::State& state)
{
    Headless::Reset();
    CWnd window;
    window.CreateEx(0, "KivoBench", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr, 0);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    std::vector<COLORREF> white(static_cast<size_t>(kWidth) * kHeight, RGB(255, 255, 255));
    CBitmap bitmap;
    bitmap.CreateFromPixels(kWidth, kHeight, white.data());
    CBitmap* old = memory.SelectObject(&bitmap);
    for (auto _ : state) {
        Headless::ClearDrawLog();
        PaintCells(memory);
        CClientDC screen(&window);
        screen.BitBlt(0, 0, kWidth, kHeight, &memory, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(Headless::DrawLog().size());
    }
    memory.SelectObject(old);
    state.counters["ops"] = static_cast<double>(Headless::DrawLog().size());
}
BENCHMARK(BM_GridPaintDoubleBuffered)->Unit(benchmark::kMicrosecond);

// Straight into a window that keeps no pixels: the cost of recording alone.
void BM_GridPaintRecordOnly(benchmark::State& state)
{
    Headless::Reset();
    CWnd window;
    window.CreateEx(0, "KivoBench", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr, 0);
    for (auto _ : state) {
        Headless::ClearDrawLog();
        CClientDC dc(&window);
        PaintCells(dc);
        benchmark::DoNotOptimize(Headless::DrawLog().size());
    }
}
BENCHMARK(BM_GridPaintRecordOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
