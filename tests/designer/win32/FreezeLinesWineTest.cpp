// Frozen rows and columns set through KivoDesigner.exe with real input (the
// table toolbar's top-left freeze button, then the freeze dialog answered
// from the keyboard), checked on the screen: each frozen edge shows a black
// line one pixel wide at the edge of its band, and a band unfrozen again
// loses its line.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace designerwine;

namespace {

// The pixels of a window's client area as the screen shows them.
class Capture {
public:
    explicit Capture(HWND hwnd)
    {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        POINT origin = {0, 0};
        ::ClientToScreen(hwnd, &origin);
        width = rc.right;
        height = rc.bottom;
        if (width <= 0 || height <= 0)
            return;
        HDC screen = ::GetDC(nullptr);
        HDC mem = ::CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;   // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bmp != nullptr) {
            HGDIOBJ old = ::SelectObject(mem, bmp);
            ::BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
            ::GdiFlush();
            const auto* p = static_cast<const uint32_t*>(bits);
            pixels.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
            ::SelectObject(mem, old);
            ::DeleteObject(bmp);
        }
        ::DeleteDC(mem);
        ::ReleaseDC(nullptr, screen);
    }
    // The colour at a client point (white outside the picture).
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty())
            return RGB(255, 255, 255);
        const uint32_t v = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Whether a horizontal (or vertical) stretch of pixels is all black.
    bool BlackRow(int y, int x1, int x2) const
    {
        for (int x = x1; x <= x2; ++x)
            if (At(x, y) != RGB(0, 0, 0))
                return false;
        return true;
    }
    bool BlackColumn(int x, int y1, int y2) const
    {
        for (int y = y1; y <= y2; ++y)
            if (At(x, y) != RGB(0, 0, 0))
                return false;
        return true;
    }
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

struct Edges {
    int top = 0, left = 0, bottom = 0, right = 0;   // where each freeze line belongs
};

// Sum of the first n row heights (column widths) of the sheet's layout.
LONG Heights(CGridControlWnd& layout, LONG n)
{
    LONG sum = 0;
    for (LONG r = 0; r < n; ++r)
        sum += layout.RowGetHeight(r);
    return sum;
}
LONG Widths(CGridControlWnd& layout, LONG n)
{
    LONG sum = 0;
    for (LONG c = 0; c < n; ++c)
        sum += layout.ColumnGetWidth(c);
    return sum;
}

class DesignerFreezeLines : public DesignerProgramBase {};

}  // namespace

TEST_F(DesignerFreezeLines, FrozenEdgesShowBlackLinesWhereTheBandsEnd)
{
    const LONG rows = 40, cols = 10;
    const std::string path = TempFile("kivo_designer_freeze_lines.kvx");
    Reader layout;
    ASSERT_TRUE(layout.created);
    layout.grid.RowSetCount(rows);
    layout.grid.ColumnSetCount(cols);
    layout.grid.CellSetValue(1, 1, CString("x"));
    ASSERT_EQ(1, layout.grid.GridSaveFile(CString(path.c_str()), CString()));

    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = d.Documents();
        return docs.size() == 1;
    }));
    HWND control = ChildById(docs[0], 923);
    HWND grid = ChildById(control, 81220);
    ASSERT_NE(nullptr, grid);
    RECT client;
    ::GetClientRect(grid, &client);

    // The top-left freeze of focus (3, 3) freezes rows 1-2 and columns 1-2:
    // the lines belong right below row 2 and right of column 2. The dialog
    // then adds two bottom rows and one right column.
    Edges at;
    at.top = Heights(layout.grid, 3);
    at.left = Widths(layout.grid, 3);
    at.bottom = client.bottom - (layout.grid.RowGetHeight(rows - 2) + layout.grid.RowGetHeight(rows - 1));
    at.right = client.right - layout.grid.ColumnGetWidth(cols - 1);
    // Stretches along each line, clear of the other lines and the headers.
    const int midX1 = at.left + 5, midX2 = at.right - 5, midY1 = at.top + 5, midY2 = at.bottom - 5;
    ASSERT_LT(midX1, midX2);
    ASSERT_LT(midY1, midY2);

    // Focus on (3, 3) (the first click may only have brought the window
    // forward).
    ASSERT_TRUE(ClickIntoGrid(d, control, CellPoint(layout.grid, 3, 3)));
    Click(control, CellPoint(layout.grid, 3, 3));
    Pump(300);
    {
        const Capture before(grid);
        EXPECT_FALSE(before.BlackRow(at.top, midX1, midX2));
        EXPECT_FALSE(before.BlackColumn(at.left, midY1, midY2));
    }

    ASSERT_TRUE(ClickToolbarButton(d, 33013));
    Pump(500);
    {
        const Capture shot(grid);
        EXPECT_TRUE(shot.BlackRow(at.top, midX1, midX2));
        EXPECT_TRUE(shot.BlackColumn(at.left, midY1, midY2));
        // One pixel wide: the cells on either side keep their own colours.
        EXPECT_FALSE(shot.BlackRow(at.top - 2, midX1, midX2));
        EXPECT_FALSE(shot.BlackRow(at.top + 2, midX1, midX2));
        EXPECT_FALSE(shot.BlackColumn(at.left + 2, midY1, midY2));
        EXPECT_FALSE(shot.BlackColumn(at.right, midY1, midY2));
        EXPECT_FALSE(shot.BlackRow(at.bottom, midX1, midX2));
    }

    // The freeze dialog from the toolbar: top, bottom, left, right in tab
    // order; two bottom rows and one right column, Enter for OK.
    ASSERT_TRUE(ClickToolbarButton(d, 33017));
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("冻结行列", TextOf(dialog));
    EXPECT_EQ("2", ControlTextOf(::GetDlgItem(dialog, 1142)));
    Press(VK_TAB);
    Press('2');
    Press(VK_TAB);
    Press(VK_TAB);
    Press('1');
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    d.Foreground();
    Pump(500);
    {
        const Capture shot(grid);
        EXPECT_TRUE(shot.BlackRow(at.top, midX1, midX2));
        EXPECT_TRUE(shot.BlackColumn(at.left, midY1, midY2));
        EXPECT_TRUE(shot.BlackRow(at.bottom, midX1, midX2));
        EXPECT_TRUE(shot.BlackColumn(at.right, midY1, midY2));
    }

    // The top-left button again: that side thaws and loses its lines, the
    // bottom and right keep theirs.
    ASSERT_TRUE(ClickToolbarButton(d, 33013));
    Pump(500);
    {
        const Capture shot(grid);
        EXPECT_FALSE(shot.BlackRow(at.top, midX1, midX2));
        EXPECT_FALSE(shot.BlackColumn(at.left, midY1, midY2));
        EXPECT_TRUE(shot.BlackRow(at.bottom, midX1, midX2));
        EXPECT_TRUE(shot.BlackColumn(at.right, midY1, midY2));
    }

    // The sheet saved holds what the screen showed.
    HWND doc = docs[0];
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc).find('*') != std::string::npos; }));
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_freeze_lines.kvx"; }));
    EXPECT_EQ(0, d.Close());
    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ(0, reader.grid.GridGetFreezeTopRows());
    EXPECT_EQ(0, reader.grid.GridGetFreezeLeftCols());
    EXPECT_EQ(2, reader.grid.GridGetFreezeBottomRows());
    EXPECT_EQ(1, reader.grid.GridGetFreezeRightCols());
    ::DeleteFileA(path.c_str());
}
