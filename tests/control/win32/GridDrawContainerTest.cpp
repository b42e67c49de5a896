// In the platform's ActiveX host window, GridDrawToBmp draws a range into a
// memory device context of the container: the picture has the pixels the
// grid's own painting shows for those cells, and it is cut to the rectangle
// given, or stretched to it.
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace comtest;

namespace {

LONG Call(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                      nullptr, nullptr);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    LONG value = -999;
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

const DISPID kCellSetValue = 5;
const DISPID kCellSetBackColor = 9;
const DISPID kGridClearSelection = 65;
const DISPID kGridMergeCells = 104;
const DISPID kCellGetRectJ = 322;
const DISPID kGridDrawToBmp = 344;
const COLORREF kPaper = RGB(255, 0, 255);

// A memory bitmap of the container, compatible with the grid's screen.
struct MemoryPicture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;

    MemoryPicture(HWND like, int width, int height)
    {
        HDC screen = ::GetDC(like);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(like, screen);
        old = ::SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH paper = ::CreateSolidBrush(kPaper);
        ::FillRect(dc, &all, paper);
        ::DeleteObject(paper);
    }
    ~MemoryPicture()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    // The handle as the member takes it: a 32-bit value.
    LONG Handle() const { return static_cast<LONG>(reinterpret_cast<std::intptr_t>(dc)); }
};

class GridDrawContainer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 500, 400));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
        for (LONG r = 1; r <= 5; ++r)
            for (LONG c = 1; c <= 4; ++c) {
                Call(ctl, kCellSetValue, {Long(r), Long(c), Text(L"ab12")});
                Call(ctl, kCellSetBackColor, {Long(r), Long(c), Long(RGB(40 * r, 50 * c, 120))});
            }
        Call(ctl, kGridMergeCells, {Long(2), Long(2), Long(3), Long(3)});
        Call(ctl, kGridClearSelection, {});
        grid = ax.Grid();
        ASSERT_NE(grid, nullptr);
        ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        Pump();
    }
    void TearDown() override
    {
        if (ctl != nullptr)
            ctl->Release();
    }
    // The bottom-right pixel of a cell on the grid window.
    POINT CellEnd(LONG row, LONG col)
    {
        return POINT{Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)}),
                     Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)})};
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
    HWND grid = nullptr;
};

}  // namespace

TEST_F(GridDrawContainer, ThePictureMatchesTheGridsOwnPainting)
{
    const POINT end = CellEnd(5, 4);
    ASSERT_GT(end.x, 100);
    ASSERT_GT(end.y, 60);
    MemoryPicture picture(grid, 500, 400);
    ASSERT_EQ(-1, Call(ctl, kGridDrawToBmp,
                       {Long(picture.Handle()), Long(0), Long(0), Long(500), Long(400), Long(0), Long(0), Long(5),
                        Long(4), Short(0)}));
    HDC screen = ::GetDC(grid);
    int differing = 0;
    int compared = 0;
    for (int y = 0; y <= end.y; ++y)
        for (int x = 0; x <= end.x; ++x) {
            const COLORREF shown = ::GetPixel(screen, x, y);
            if (shown == CLR_INVALID)
                continue;
            ++compared;
            const COLORREF drawn = ::GetPixel(picture.dc, x, y);
            if (shown != drawn && differing < 10)
                ADD_FAILURE() << "(" << x << "," << y << ") shown " << std::hex << shown << " drawn " << drawn
                              << std::dec;
            differing += shown != drawn ? 1 : 0;
        }
    ::ReleaseDC(grid, screen);
    EXPECT_GT(compared, 100 * 60);
    EXPECT_EQ(differing, 0) << "of " << compared;
    // Nothing is drawn past the range's picture.
    EXPECT_EQ(::GetPixel(picture.dc, end.x + 5, end.y / 2), kPaper);
    EXPECT_EQ(::GetPixel(picture.dc, end.x / 2, end.y + 5), kPaper);
}

TEST_F(GridDrawContainer, TheRectangleCutsOrStretchesThePicture)
{
    // The cell (1, 1) alone: cut to a 10 x 10 corner, then stretched to 200 x 100.
    const POINT end = CellEnd(1, 1);
    MemoryPicture cut(grid, 300, 200);
    ASSERT_EQ(-1, Call(ctl, kGridDrawToBmp,
                       {Long(cut.Handle()), Long(20), Long(30), Long(10), Long(10), Long(1), Long(1), Long(1),
                        Long(1), Short(0)}));
    EXPECT_EQ(::GetPixel(cut.dc, 25, 35), RGB(40, 50, 120));
    EXPECT_EQ(::GetPixel(cut.dc, 31, 35), kPaper);
    EXPECT_EQ(::GetPixel(cut.dc, 25, 41), kPaper);

    MemoryPicture stretched(grid, 300, 200);
    ASSERT_EQ(-1, Call(ctl, kGridDrawToBmp,
                       {Long(stretched.Handle()), Long(0), Long(0), Long(200), Long(100), Long(1), Long(1), Long(1),
                        Long(1), Short(1)}));
    EXPECT_EQ(::GetPixel(stretched.dc, 100, 50), RGB(40, 50, 120));
    EXPECT_EQ(::GetPixel(stretched.dc, 205, 50), kPaper);
    EXPECT_GT(end.x, 0);

    // An invalid range or a handle that is no device context draws nothing.
    EXPECT_EQ(0, Call(ctl, kGridDrawToBmp,
                      {Long(cut.Handle()), Long(0), Long(0), Long(10), Long(10), Long(2), Long(2), Long(1), Long(1),
                       Short(0)}));
    EXPECT_EQ(0, Call(ctl, kGridDrawToBmp,
                      {Long(0x1234), Long(0), Long(0), Long(10), Long(10), Long(1), Long(1), Long(1), Long(1),
                       Short(0)}));
}
