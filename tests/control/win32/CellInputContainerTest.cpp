// Typed cells used through the real control in the platform's ActiveX host,
// with real input (SendInput, dispatched by the container's own loop) and
// the events at the container's sink: a button cell's face pressed and
// released by the mouse (GridCellBtnLClickDown, then GridCellBtnLClickUp, the
// pressed face of the BUTTON skin drawn while the button is held), and a
// combo cell's list dropped by its button, an item picked with the mouse and
// the edit ended with Enter (GridCellComboSelChange with the item's index and
// text, then GridCellEndEdit).
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace comtest;

namespace {

LONG Call(IDispatch* target, DISPID id, std::vector<VARIANT> args, std::wstring* text = nullptr)
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
    if (SUCCEEDED(hr) && text != nullptr && result.vt == VT_BSTR)
        *text = result.bstrVal != nullptr ? result.bstrVal : L"";
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

const DISPID kCellGetValue = 7;
const DISPID kCellSetControl = 47;
const DISPID kCellGetRectJ = 322;
const DISPID kGridCellEndEdit = 9;
const DISPID kGridCellBtnLClickUp = 12;
const DISPID kGridCellBtnLClickDown = 13;
const DISPID kGridCellComboSelChange = 16;

// Also keeps the text of each GridCellComboSelChange.
class PickSink : public RecordingSink {
public:
    std::vector<std::wstring> pickTexts;
    void Answer(DISPID id, DISPPARAMS* p) override
    {
        if (id == kGridCellComboSelChange && p->cArgs == 4 && p->rgvarg[0].vt == VT_BSTR)
            pickTexts.push_back(p->rgvarg[0].bstrVal != nullptr ? p->rgvarg[0].bstrVal : L"");
    }
};

RECT CellRect(IDispatch* ctl, LONG row, LONG col)
{
    RECT rc;
    rc.left = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(0)});
    rc.top = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(1)});
    rc.right = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)});
    rc.bottom = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)});
    return rc;
}

void Settle(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        Pump();
        ::Sleep(10);
    }
}

void PointerTo(HWND wnd, POINT client)
{
    ::ClientToScreen(wnd, &client);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(client.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(client.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    Settle(50);
}

void MouseButton(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(INPUT));
}

void ClickAt(HWND wnd, POINT client)
{
    PointerTo(wnd, client);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Settle(60);
    MouseButton(MOUSEEVENTF_LEFTUP);
    Settle(60);
}

void PressKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    Settle(60);
}

COLORREF PixelAt(HWND wnd, int x, int y)
{
    HDC dc = ::GetDC(wnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(wnd, dc);
    return c;
}

// The pressed face of the built-in BUTTON skin is orange (red high, blue
// low); the normal and focused faces are a pale blue-white.
bool IsPressedFace(COLORREF c)
{
    return GetRValue(c) >= 240 && GetGValue(c) <= 215 && GetBValue(c) <= 135;
}

// A shown descendant window of the class, searched from the grid down.
struct ClassSearch {
    const char* name;
    HWND found = nullptr;
};

BOOL CALLBACK FindShown(HWND h, LPARAM l)
{
    auto* search = reinterpret_cast<ClassSearch*>(l);
    char name[64] = {};
    ::GetClassNameA(h, name, sizeof(name));
    if (::lstrcmpiA(name, search->name) == 0 && ::IsWindowVisible(h)) {
        search->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindShownDescendant(HWND root, const char* className)
{
    ClassSearch search;
    search.name = className;
    ::EnumChildWindows(root, FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The height of a row of the drop-down list: a line of the editor's font and
// two pixels.
int ListRowHeight(HWND edit)
{
    HDC dc = ::GetDC(edit);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(edit, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, "X", 1, &size);
    if (old != nullptr)
        ::SelectObject(dc, old);
    ::ReleaseDC(edit, dc);
    return size.cy + 2;
}

class CellInputContainer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 600, 440));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
        grid = ax.Grid();
        ASSERT_NE(grid, nullptr);
        ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
        ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
        ::SetForegroundWindow(ax.frame);
        ::SetFocus(grid);
        Settle(100);
    }
    void TearDown() override
    {
        if (cp != nullptr) {
            cp->Unadvise(cookie);
            cp->Release();
        }
        if (ctl != nullptr)
            ctl->Release();
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
    HWND grid = nullptr;
    IConnectionPoint* cp = nullptr;
    PickSink sink;
    DWORD cookie = 0;
};

TEST_F(CellInputContainer, AButtonCellPressedAndReleasedByTheMouse)
{
    const LONG row = 3, col = 2;
    ASSERT_EQ(-1, Call(ctl, kCellSetControl,
                       {Long(row), Long(col),
                        Text(L"<control controltype=\"button\" align=\"1\" btntext=\"Go\" leavetype=\"1\" ></control>")}));
    Settle(60);
    const RECT cell = CellRect(ctl, row, col);
    ASSERT_GT(cell.right - cell.left, 20);
    // A face pixel beside the caption: inside the cell's 2-pixel inset and the
    // face's 2-pixel edge.
    const POINT face = {cell.left + 6, (cell.top + cell.bottom) / 2};
    const POINT centre = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_FALSE(IsPressedFace(PixelAt(grid, face.x, face.y)));

    PointerTo(grid, centre);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kGridCellBtnLClickDown).empty(); })) << "no press event";
    ::UpdateWindow(grid);
    Settle(60);
    EXPECT_TRUE(IsPressedFace(PixelAt(grid, face.x, face.y))) << std::hex << PixelAt(grid, face.x, face.y);
    EXPECT_TRUE(sink.Of(kGridCellBtnLClickUp).empty()) << "released only when the button goes up";

    MouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kGridCellBtnLClickUp).empty(); })) << "no release event";
    ::UpdateWindow(grid);
    Settle(60);
    EXPECT_FALSE(IsPressedFace(PixelAt(grid, face.x, face.y))) << std::hex << PixelAt(grid, face.x, face.y);
    ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_FALSE(IsPressedFace(PixelAt(grid, face.x, face.y))) << "forced " << std::hex << PixelAt(grid, face.x, face.y);

    const auto downs = sink.Of(kGridCellBtnLClickDown);
    const auto ups = sink.Of(kGridCellBtnLClickUp);
    ASSERT_EQ(1u, downs.size());
    ASSERT_EQ(1u, ups.size());
    ASSERT_EQ(4u, downs[0].args.size());
    EXPECT_EQ(row, downs[0].args[0]);
    EXPECT_EQ(col, downs[0].args[1]);
    EXPECT_EQ(2, downs[0].args[3]) << "pressed";
    EXPECT_EQ(row, ups[0].args[0]);
    EXPECT_EQ(col, ups[0].args[1]);
    EXPECT_EQ(1, ups[0].args[3]) << "released";
}

TEST_F(CellInputContainer, AComboPickReachesTheSinkThenTheEndOfTheEdit)
{
    const LONG row = 2, col = 1;
    ASSERT_EQ(-1, Call(ctl, kCellSetControl,
                       {Long(row), Long(col),
                        Text(L"<control controltype=\"combobox\" style=\"1\" datasource=\"apple\nbanana\nbox\nbob\" "
                             L"></control>")}));
    Settle(60);
    const RECT cell = CellRect(ctl, row, col);
    // Focus the cell, then a click on its drop button.
    ClickAt(grid, POINT{(cell.left + cell.right) / 2 - 10, (cell.top + cell.bottom) / 2});
    ClickAt(grid, POINT{cell.right - 8, (cell.top + cell.bottom) / 2});
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (list = FindShownDescendant(grid, "KivoDropDownList")) != nullptr; }))
        << "the list did not drop";
    HWND edit = FindShownDescendant(grid, "Edit");
    ASSERT_NE(edit, nullptr);
    const int h = ListRowHeight(edit);
    sink.fired.clear();
    ClickAt(list, POINT{20, h + h / 2});
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kGridCellComboSelChange).empty(); })) << "no pick event";
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kGridCellEndEdit).empty(); })) << "no end-of-edit event";

    const auto picks = sink.Of(kGridCellComboSelChange);
    ASSERT_EQ(1u, picks.size());
    ASSERT_EQ(4u, picks[0].args.size());
    EXPECT_EQ(row, picks[0].args[0]);
    EXPECT_EQ(col, picks[0].args[1]);
    EXPECT_EQ(1, picks[0].args[2]);
    ASSERT_EQ(1u, sink.pickTexts.size());
    EXPECT_EQ(L"banana", sink.pickTexts[0]);
    const auto ends = sink.Of(kGridCellEndEdit);
    EXPECT_EQ(row, ends[0].args[0]);
    EXPECT_EQ(col, ends[0].args[1]);
    size_t pickAt = 0, endAt = 0;
    for (size_t i = 0; i < sink.fired.size(); ++i) {
        if (sink.fired[i].id == kGridCellComboSelChange && pickAt == 0)
            pickAt = i + 1;
        if (sink.fired[i].id == kGridCellEndEdit && endAt == 0)
            endAt = i + 1;
    }
    EXPECT_LT(pickAt, endAt) << "the pick, then the end of the edit";
    std::wstring value;
    Call(ctl, kCellGetValue, {Long(row), Long(col)}, &value);
    EXPECT_EQ(L"banana", value);
}

}  // namespace
