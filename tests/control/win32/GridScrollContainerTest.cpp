// In the platform's ActiveX host window, GridSetTopLeft scrolls the grid so
// that the cell given is the top-left scrolled cell, GridGetTopLeft and
// GridGetVisibleRange read the new place, and the focus cell stays selected
// alone.
#include "ContainerHost.h"

#include <gtest/gtest.h>

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

const DISPID kCellSetFocus = 73;
const DISPID kGridSetTopLeft = 72;
const DISPID kGridGetSelectedCount = 107;
const DISPID kGridGetVisibleRangeJ = 319;
const DISPID kGridGetTopLeftJ = 320;

}  // namespace

TEST(GridScrollContainer, SetTopLeftScrollsBothWays)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 400, 300));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    Pump();
    EXPECT_EQ(1, Call(ctl, kGridGetTopLeftJ, {Short(0)}));
    EXPECT_EQ(1, Call(ctl, kGridGetTopLeftJ, {Short(1)}));
    EXPECT_EQ(-1, Call(ctl, kCellSetFocus, {Long(3), Long(2)}));
    EXPECT_EQ(-1, Call(ctl, kGridSetTopLeft, {Long(40), Long(12)}));
    Pump();
    EXPECT_EQ(40, Call(ctl, kGridGetTopLeftJ, {Short(0)}));
    EXPECT_EQ(12, Call(ctl, kGridGetTopLeftJ, {Short(1)}));
    EXPECT_EQ(40, Call(ctl, kGridGetVisibleRangeJ, {Short(0)}));
    EXPECT_EQ(12, Call(ctl, kGridGetVisibleRangeJ, {Short(1)}));
    EXPECT_EQ(1, Call(ctl, kGridGetSelectedCount, {}));
    // Back to the start; the scroll checks refuse a header row.
    EXPECT_EQ(-1, Call(ctl, kGridSetTopLeft, {Long(1), Long(1)}));
    EXPECT_EQ(1, Call(ctl, kGridGetTopLeftJ, {Short(0)}));
    EXPECT_EQ(0, Call(ctl, kGridSetTopLeft, {Long(0), Long(1)}));
    ctl->Release();
}
