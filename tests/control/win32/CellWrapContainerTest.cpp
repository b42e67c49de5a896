// In the platform's ActiveX host window, CellSetTextWrap makes the row as
// tall as the wrapped text: the text is drawn over several lines, all of
// them inside the row, with no empty line below the last.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace comtest;

namespace {

typedef BOOL(WINAPI* AtlAxWinInitFn)();
typedef HRESULT(WINAPI* AtlAxGetControlFn)(HWND, IUnknown**);

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<ChildSearch*>(l);
    if (::GetDlgCtrlID(h) == s->id) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// The grid window inside the host (the control's child of id 81220).
HWND FindGrid(HWND host)
{
    ChildSearch s = {81220, nullptr};
    ::EnumChildWindows(host, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

VARIANT Long(LONG v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I4;
    x.lVal = v;
    return x;
}

VARIANT Short(SHORT v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_I2;
    x.iVal = v;
    return x;
}

VARIANT Text(const wchar_t* v)
{
    VARIANT x;
    ::VariantInit(&x);
    x.vt = VT_BSTR;
    x.bstrVal = ::SysAllocString(v);
    return x;
}

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
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    HMODULE atl = ::LoadLibraryW(L"atl.dll");
    ASSERT_NE(atl, nullptr);
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl =
        reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
    ASSERT_NE(init, nullptr);
    ASSERT_NE(getControl, nullptr);
    // Wine's host refuses a second registration of its window classes in a
    // process: a class left by an earlier test will do.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(init() || ::GetClassInfoExW(nullptr, L"AtlAxWin", &wc) || ::GetClassInfoExW(atl, L"AtlAxWin", &wc));

    HWND frame = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                   640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    HWND host = ::CreateWindowExW(0, L"AtlAxWin", L"KIVOSHEET.KivoSheetCtrl.1", WS_CHILD | WS_VISIBLE, 0, 0, 600,
                                  440, frame, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    Pump();
    IUnknown* unknown = nullptr;
    ASSERT_EQ(getControl(host, &unknown), S_OK);
    IDispatch* ctl = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    HWND grid = FindGrid(host);
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
    unknown->Release();
    ::DestroyWindow(frame);
    Pump();
    // The host's classes go, so that a later test can register them again.
    for (const wchar_t* name : {L"AtlAxWin", L"AtlAxWinLic"}) {
        for (HINSTANCE instance : {::GetModuleHandleW(nullptr), atl})
            ::UnregisterClassW(name, instance);
    }
    ::CoUninitialize();
}
