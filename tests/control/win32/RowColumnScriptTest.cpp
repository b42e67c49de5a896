// A script host drives the Row and Column members of the control; the
// dragged sizes are read in the platform's ActiveX host during a drag.
#include "ComTestSupport.h"
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <vector>

using namespace comtest;

TEST(RowColumnScript, VbscriptDrivesTheRowAndColumnMembers)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("rows.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("rows ok"), std::string::npos) << output;
}

// The dragged sizes are only there while a divider is being dragged, which no
// script can do: in the platform's ActiveX host a header divider is dragged
// with the mouse and the members are read through IDispatch on the way.
namespace {

const DISPID kRowSetHeight = 60;
const DISPID kRowGetHeight = 61;
const DISPID kColumnSetWidth = 62;
const DISPID kColumnGetWidth = 63;
const DISPID kCellGetRectJ = 322;
const DISPID kColumnGetDragWidth = 473;
const DISPID kRowGetDragHeight = 474;

// Calls a member by DISPID with its arguments in declaration order; the
// result as a number (-999 when the call fails).
LONG CallMember(IDispatch* target, DISPID id, std::vector<VARIANT> args = {})
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                      nullptr, nullptr);
    LONG value = -999;
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

RECT CellRect(IDispatch* ctl, LONG row, LONG col)
{
    RECT rc;
    rc.left = CallMember(ctl, kCellGetRectJ, {Long(row), Long(col), Short(0)});
    rc.top = CallMember(ctl, kCellGetRectJ, {Long(row), Long(col), Short(1)});
    rc.right = CallMember(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)});
    rc.bottom = CallMember(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)});
    return rc;
}

}  // namespace

TEST(RowColumnDrag, DraggedSizesAreReadWhileADividerIsDragged)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 600, 400));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    const HWND grid = ax.Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(-1, CallMember(ctl, kColumnSetWidth, {Long(2), Long(60)}));
    EXPECT_EQ(-1, CallMember(ctl, kRowSetHeight, {Long(3), Long(22)}));
    Pump();
    EXPECT_EQ(0, CallMember(ctl, kColumnGetDragWidth));
    EXPECT_EQ(0, CallMember(ctl, kRowGetDragHeight));

    // Column 2's divider in the header row, dragged right.
    const RECT header = CellRect(ctl, 0, 2);
    ASSERT_GT(header.right, header.left);
    const int y = (header.top + header.bottom) / 2;
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.right, y));
    ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(header.left + 85, y));
    EXPECT_EQ(85, CallMember(ctl, kColumnGetDragWidth));
    ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(header.left + 100, y));
    EXPECT_EQ(100, CallMember(ctl, kColumnGetDragWidth));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(header.left + 100, y));
    Pump();
    EXPECT_EQ(100, CallMember(ctl, kColumnGetWidth, {Long(2)}));

    // Row 3's divider in the header column, dragged down.
    const RECT side = CellRect(ctl, 3, 0);
    ASSERT_GT(side.bottom, side.top);
    const int x = (side.left + side.right) / 2;
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, side.bottom));
    ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, side.top + 40));
    EXPECT_EQ(40, CallMember(ctl, kRowGetDragHeight));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(x, side.top + 40));
    Pump();
    EXPECT_EQ(40, CallMember(ctl, kRowGetHeight, {Long(3)}));
    ctl->Release();
}
