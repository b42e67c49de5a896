// In the platform's ActiveX host window, CellSetTextWrap makes the row as
// tall as the wrapped text: the text is drawn over several lines, all of
// them inside the row, with no empty line below the last.
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <vector>

using namespace comtest;

namespace {

// Calls a member by DISPID with its arguments in declaration order; the
// result as a number (-999 when the call fails).
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
const DISPID kCellSetTextWrap = 148;
const DISPID kCellGetRectJ = 322;

struct Ink {
    int top = -1;      // first and last pixel row with dark pixels, or -1
    int bottom = -1;
};

// The dark (text) pixels inside a rectangle of the grid window, a few
// pixels in from its edges so that grid lines do not count.
Ink DarkRows(HWND grid, const RECT& cell)
{
    Ink ink;
    HDC dc = ::GetDC(grid);
    for (int y = cell.top + 2; y <= cell.bottom - 2; ++y) {
        for (int x = cell.left + 3; x <= cell.right - 3; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
                if (ink.top < 0)
                    ink.top = y;
                ink.bottom = y;
                break;
            }
        }
    }
    ::ReleaseDC(grid, dc);
    return ink;
}

RECT CellRect(IDispatch* ctl, LONG row, LONG col)
{
    RECT rc;
    rc.left = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(0)});
    rc.top = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(1)});
    rc.right = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)});
    rc.bottom = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)});
    return rc;
}

}  // namespace

TEST(CellWrapContainer, WrappingMakesTheRowAsTallAsTheText)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 600, 440));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    HWND grid = ax.Grid();
    ASSERT_NE(grid, nullptr);

    // A sentence far wider than its column, in a cell away from the
    // selection frame.
    const LONG row = 4, col = 2;
    ASSERT_EQ(Call(ctl, kCellSetValue,
                   {Long(row), Long(col), Text(L"wrapped words fill this narrow cell over several lines of text")}),
              -1);
    const RECT before = CellRect(ctl, row, col);
    const int oneLine = before.bottom - before.top + 1;
    ASSERT_GT(oneLine, 5);
    ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const Ink single = DarkRows(grid, before);
    ASSERT_GE(single.top, 0) << "the text is not drawn";

    ASSERT_EQ(Call(ctl, kCellSetTextWrap, {Long(row), Long(col), Short(1)}), -1);
    Pump();
    const RECT after = CellRect(ctl, row, col);
    const int height = after.bottom - after.top + 1;
    EXPECT_EQ(after.top, before.top);
    EXPECT_GT(height, 2 * oneLine);
    ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const Ink wrapped = DarkRows(grid, after);
    const int lineInk = single.bottom - single.top + 1;
    // Several lines of text from the top of the row ...
    EXPECT_GT(wrapped.bottom - wrapped.top + 1, 2 * lineInk);
    EXPECT_LT(wrapped.top - after.top, oneLine);
    // ... down to its bottom: the last line is inside the row and no empty
    // line is left under it.
    EXPECT_LT(after.bottom - wrapped.bottom, oneLine);
    const Ink below = DarkRows(grid, CellRect(ctl, row + 1, col));
    EXPECT_LT(below.top, 0) << "text spills into the next row";

    ctl->Release();
}
