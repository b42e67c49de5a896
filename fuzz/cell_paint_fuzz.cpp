// Fuzzes painting and measuring a cell whose text, font text and format text
// come from outside (a template, a record, an automation call).
//
// Byte 0 picks options: wrapping, an ellipsis, vertical alignment, the zoom,
// selection and focus states, and whether the grid has a window (borders,
// grid lines and vertical centring need one). Byte 1 is the column width.
// The rest is the cell's text, font text and format text, separated by zero
// bytes (missing parts are empty).
//
// Nothing may crash or hang; every extent must be a size between 0 and
// GRID_MAX_TEXT_EXTENT, and a cell that goes away must leave no GDI object
// behind.
#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/headless/Headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kCanvasWidth = 160;
const int kCanvasHeight = 80;
const CRect kCellRect(10, 10, 69, 29);

// Two grids made once: one with a window, one without.
CGridCtrl* MakeGrid(bool window)
{
    Headless::SetRecording(false);
    CGridCtrl* grid = new CGridCtrl(6, 6, 1, 1);
    for (int i = 0; i < 6; ++i) {
        grid->SetRowHeight(i, 20);
        grid->SetColumnWidth(i, 60);
    }
    if (window)
        grid->CreateEx(0, "KivoFuzzCellPaint", "grid", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0);
    grid->SetGridLineMode(3);
    return grid;
}

std::vector<std::string> SplitAtZeros(const uint8_t* data, size_t size, size_t parts)
{
    std::vector<std::string> out(parts);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part + 1 < parts) {
            ++part;
            continue;
        }
        out[part] += static_cast<char>(data[i]);
    }
    return out;
}

void CheckExtent(const CSize& size)
{
    if (size.cx < 0 || size.cy < 0 || size.cx > GRID_MAX_TEXT_EXTENT || size.cy > GRID_MAX_TEXT_EXTENT)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static CGridCtrl* windowed = MakeGrid(true);
    static CGridCtrl* bare = MakeGrid(false);
    const uint8_t options = data[0];
    const int columnWidth = data[1];
    const std::vector<std::string> parts = SplitAtZeros(data + 2, size - 2, 3);

    CGridCtrl* grid = (options & 0x80) ? windowed : bare;
    grid->SetColumnWidth(2, columnWidth);
    const double zooms[4] = {1.0, 2.0, 0.5, 1.0 / 3.0};
    const double zoom = zooms[(options >> 5) & 3];
    grid->SetZoom(zoom, zoom);

    CBitmap bitmap;
    CDC dc;
    std::vector<COLORREF> pixels(static_cast<size_t>(kCanvasWidth) * kCanvasHeight, RGB(1, 2, 3));
    if (!bitmap.CreateFromPixels(kCanvasWidth, kCanvasHeight, pixels.data()) || !dc.CreateCompatibleDC(nullptr))
        std::abort();
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const size_t objectsBefore = Headless::GdiObjectCount();
    {
        CGridCell cell;
        cell.SetGrid(grid);
        cell.SetText(parts[0].c_str());
        cell.SetFontXml(parts[1].c_str());
        cell.SetFormatXml(parts[2].c_str());
        cell.SetWrapText((options & 0x01) != 0);
        cell.SetDisplayEllipsis((options & 0x02) != 0);
        UINT align = DT_LEFT;
        if (options & 0x04)
            align |= DT_VCENTER;
        else if (options & 0x08)
            align |= DT_BOTTOM;
        cell.SetAlign(align);
        UINT state = 0;
        if (options & 0x10)
            state |= GCS_SELECTED;
        if ((options & 0x18) == 0x18)
            state |= GCS_FOCUSED;
        cell.SetState(state);

        cell.Draw(&dc, 2, 2, kCellRect, TRUE);
        cell.DrawContent(&dc, 2, 2, kCellRect);
        CheckExtent(cell.GetTextExtent(parts[0].c_str(), &dc, 2));
        CheckExtent(cell.GetCellExtent(&dc, 2));
        CheckExtent(cell.GetTextExtent(parts[0].c_str(), nullptr, 2));
    }
    if (Headless::GdiObjectCount() != objectsBefore)
        std::abort();
    dc.SelectObject(pOld);
    return 0;
}
