// Shared pieces of the cell painting tests: a memory bitmap to paint into and
// a small grid whose cells have known sizes.
#pragma once

#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <memory>
#include <vector>

namespace cellpainttest {

// The colour a canvas starts with: any pixel still holding it was not painted.
const COLORREF kUnpainted = RGB(1, 2, 3);

// The rectangle the grid's painting passes give a 60 x 20 cell at (10, 10):
// its right and bottom are the cell's last pixel column and row.
const CRect kCellRect(10, 10, 69, 29);

// A memory DC drawing into a bitmap filled with kUnpainted.
class Canvas {
public:
    explicit Canvas(int width = 200, int height = 120)
    {
        std::vector<COLORREF> pixels(static_cast<size_t>(width) * height, kUnpainted);
        m_ok = m_bitmap.CreateFromPixels(width, height, pixels.data()) && dc.CreateCompatibleDC(nullptr);
        if (m_ok)
            m_pOld = dc.SelectObject(&m_bitmap);
    }
    ~Canvas()
    {
        if (m_pOld != nullptr)
            dc.SelectObject(m_pOld);
    }
    bool Ok() const { return m_ok; }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    HBITMAP Bitmap() const { return m_bitmap; }

    CDC dc;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
    bool m_ok = false;
};

// 6 x 6 cells, one fixed row and column, every column 60 wide and every row
// 20 high, the zoom 1, no window.
inline std::unique_ptr<CGridCtrl> MakePaintGrid()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetRowCount(6);
    grid->SetColumnCount(6);
    for (int i = 0; i < 6; ++i) {
        grid->SetRowHeight(i, 20);
        grid->SetColumnWidth(i, 60);
    }
    return grid;
}

// Gives the grid a window of its own (borders and grid lines need one).
inline BOOL GiveWindow(CGridCtrl& grid)
{
    return grid.CreateEx(0, "KivoTestCellPaintGrid", "grid", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0);
}

}  // namespace cellpainttest
