// Two controls side by side in the platform's ActiveX host, driven with real
// input (SendInput): a range selected with the mouse, Ctrl+C, a click into
// the other grid and Ctrl+V; GridCopy and GridPaste with paste modes 1 and 2;
// another program (xclip on the display) on the clipboard; the right-click
// menu the host fills during GridMenuStart; dragging a selection, within a
// grid and into the other one.
#include "ContainerHost.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace comtest;

namespace {

const DISPID kCellSetValue = 5;
const DISPID kCellGetValue = 7;
const DISPID kCellSetBackColor = 9;
const DISPID kCellGetBackColor = 10;
const DISPID kCellSetReadOnly = 33;
const DISPID kRowSetCount = 52;
const DISPID kColumnSetCount = 56;
const DISPID kCellIsMerged = 87;
const DISPID kCellSetBorder = 145;
const DISPID kCellGetBorderFlags = 147;
const DISPID kCellGetRectJ = 322;
const DISPID kGridCopy = 345;
const DISPID kGridPaste = 347;
const DISPID kGridSetPasteFlags = 394;
const DISPID kColumnGetObject = 452;
const DISPID kColumnGetWidth = 63;
const DISPID kGridOpenFile = 139;
const DISPID kGridAddPopuMenu = 501;
const DISPID kGridMenuStart = 27;
const DISPID kGridMenuCommand = 28;

const LONG kRed = RGB(255, 0, 0);

VARIANT Invoke(IDispatch* target, DISPID id, std::vector<VARIANT> args, HRESULT* pHr = nullptr)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr =
        target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    if (pHr != nullptr)
        *pHr = hr;
    return result;
}

// The result as a number (-999 when the call fails).
LONG Call(IDispatch* target, DISPID id, std::vector<VARIANT> args = {})
{
    HRESULT hr = S_OK;
    VARIANT result = Invoke(target, id, std::move(args), &hr);
    LONG value = -999;
    if (SUCCEEDED(hr) && result.vt != VT_EMPTY && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    else if (SUCCEEDED(hr))
        value = 0;
    ::VariantClear(&result);
    return value;
}

std::string Value(IDispatch* ctl, LONG row, LONG col)
{
    VARIANT result = Invoke(ctl, kCellGetValue, {Long(row), Long(col)});
    std::string text;
    if (result.vt == VT_BSTR && result.bstrVal != nullptr)
        text = Narrow(result.bstrVal);
    ::VariantClear(&result);
    return text;
}

void SetValue(IDispatch* ctl, LONG row, LONG col, const wchar_t* text)
{
    Call(ctl, kCellSetValue, {Long(row), Long(col), Text(text)});
}

// A member of an automation object by name.
LONG CallByName(IDispatch* target, const wchar_t* name)
{
    DISPID id = 0;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    if (target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) != S_OK)
        return -999;
    return Call(target, id);
}

// --- real input -------------------------------------------------------------------

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        Pump();
        ::Sleep(10);
    } while (::GetTickCount() - start < ms);
}

void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(30);
}

void Button(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(60);
}

void Key(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

// Ctrl and a key, pressed and released.
void CtrlKey(WORD vk)
{
    Key(VK_CONTROL, false);
    Key(vk, false);
    Key(vk, true);
    Key(VK_CONTROL, true);
    PumpFor(150);
}

// Moves the pointer in steps from one screen point to another.
void Glide(POINT from, POINT to, int steps = 8)
{
    for (int i = 1; i <= steps; ++i)
        PointerTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
}

// The drag loop of the platform runs inside the grid's mouse handler: the
// input that moves and releases comes from another thread meanwhile.
struct DragPlan {
    POINT from;
    POINT to;
};

DWORD WINAPI PlayDrag(void* p)
{
    const DragPlan* plan = static_cast<const DragPlan*>(p);
    ::Sleep(150);
    for (int i = 1; i <= 12; ++i) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        const LONG x = plan->from.x + (plan->to.x - plan->from.x) * i / 12;
        const LONG y = plan->from.y + (plan->to.y - plan->from.y) * i / 12;
        input.mi.dx = ::MulDiv(x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(40);
    }
    ::Sleep(150);
    INPUT up = {};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof(INPUT));
    return 0;
}

// Picks the nth item (1 = first) of the popup menu once it shows: Down n
// times, then Enter.
struct MenuPick {
    int item;
    bool seen;
};

DWORD WINAPI PickMenuItem(void* p)
{
    MenuPick* pick = static_cast<MenuPick*>(p);
    const DWORD start = ::GetTickCount();
    HWND menu = nullptr;
    while ((menu = ::FindWindowW(L"#32768", nullptr)) == nullptr || !::IsWindowVisible(menu)) {
        if (::GetTickCount() - start > 4000)
            break;
        ::Sleep(20);
    }
    pick->seen = menu != nullptr && ::IsWindowVisible(menu);
    ::Sleep(100);
    if (!pick->seen) {
        Key(VK_ESCAPE, false);
        Key(VK_ESCAPE, true);
        return 0;
    }
    for (int i = 0; i < pick->item; ++i) {
        Key(VK_DOWN, false);
        Key(VK_DOWN, true);
        ::Sleep(60);
    }
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    return 0;
}

// Another program on the display: a script of the host's shell (xclip) run
// by its Unix path, as Wine runs host programs. The script's exit code does
// not reach us: it writes a file when it is done, which is waited for.
bool RunOnHost(const std::string& script)
{
    const std::string base = "/tmp/kivo_clip_host_" + std::to_string(::GetCurrentProcessId());
    const std::string done = base + ".done";
    ::DeleteFileA(("Z:" + done).c_str());
    {
        std::ofstream out(("Z:" + base + ".sh").c_str(), std::ios::binary);
        out << script << "\necho done > " << done << "\n";
    }
    std::string command = "/bin/sh " + base + ".sh";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                          &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    for (int i = 0; i < 100; ++i) {
        if (::GetFileAttributesA(("Z:" + done).c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Pump();
        ::Sleep(100);
    }
    return false;
}

std::string ReadHostFile(const char* unixPath)
{
    std::ifstream in(std::string("Z:") + unixPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Handles GridMenuStart by adding two items through GridAddPopuMenu.
class MenuSink : public RecordingSink {
public:
    IDispatch* ctl = nullptr;
    std::vector<LONG> added;
    void Answer(DISPID id, DISPPARAMS*) override
    {
        if (id != kGridMenuStart || ctl == nullptr)
            return;
        added.push_back(Call(ctl, kGridAddPopuMenu, {Long(0), Long(20001), Text(L"first item")}));
        added.push_back(Call(ctl, kGridAddPopuMenu, {Long(0), Long(20002), Text(L"second item")}));
    }
};

// Two controls side by side, OLE started on the thread as a container does.
class TwoControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        oleStarted = true;
        ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 300, 400));
        right = ::CreateWindowExW(0, L"AtlAxWin", L"KIVOSHEET.KivoSheetCtrl.1", WS_CHILD | WS_VISIBLE, 310, 0, 300,
                                  400, ax.frame, nullptr, nullptr, nullptr);
        ASSERT_NE(right, nullptr);
        Pump();
        ASSERT_EQ(ax.getControl(right, &rightUnknown), S_OK);
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&l)), S_OK);
        ASSERT_EQ(rightUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&r)), S_OK);
        ::SetForegroundWindow(ax.frame);
        PumpFor(200);
        for (IDispatch* ctl : {l, r}) {
            ASSERT_EQ(-1, Call(ctl, kRowSetCount, {Long(12)}));
            ASSERT_EQ(-1, Call(ctl, kColumnSetCount, {Long(5)}));
        }
        PumpFor(100);
    }
    void TearDown() override
    {
        if (l != nullptr)
            l->Release();
        if (r != nullptr)
            r->Release();
        if (rightUnknown != nullptr)
            rightUnknown->Release();
        ax.Close();
        if (oleStarted)
            ::OleUninitialize();
    }

    HWND LeftGrid() const { return ax.Grid(); }
    HWND RightGrid() const { return FindChildById(right, kGridWindowId); }

    // The centre of a cell on the screen.
    POINT CellCentre(IDispatch* ctl, HWND grid, LONG row, LONG col)
    {
        RECT rc;
        rc.left = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(0)});
        rc.top = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(1)});
        rc.right = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)});
        rc.bottom = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)});
        POINT p = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(grid, &p);
        return p;
    }
    // A point on the bottom edge of a cell, where the selection's border is.
    POINT CellBottomEdge(IDispatch* ctl, HWND grid, LONG row, LONG col)
    {
        const LONG left = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(0)});
        const LONG right = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(2)});
        const LONG bottom = Call(ctl, kCellGetRectJ, {Long(row), Long(col), Short(3)});
        POINT p = {(left + right) / 2, bottom - 1};
        ::ClientToScreen(grid, &p);
        return p;
    }
    void Click(POINT p)
    {
        PointerTo(p);
        Button(MOUSEEVENTF_LEFTDOWN);
        Button(MOUSEEVENTF_LEFTUP);
    }
    // Selects from one cell to another with the real mouse.
    void SelectWithMouse(IDispatch* ctl, HWND grid, LONG r0, LONG c0, LONG r1, LONG c1)
    {
        const POINT from = CellCentre(ctl, grid, r0, c0);
        const POINT to = CellCentre(ctl, grid, r1, c1);
        PointerTo(from);
        Button(MOUSEEVENTF_LEFTDOWN);
        Glide(from, to, 4);
        Button(MOUSEEVENTF_LEFTUP);
    }
    // The left sheet's source block: texts in rows 1..3 of columns 1..2, a
    // red cell, a bordered cell, and column 3 merged over rows 1..3 (the
    // sheet has 12 rows: the column object merges rows 1..11).
    void FillSource()
    {
        SetValue(l, 1, 1, L"a1");
        SetValue(l, 1, 2, L"b1");
        SetValue(l, 2, 1, L"a2");
        SetValue(l, 2, 2, L"b2");
        Call(l, kCellSetBackColor, {Long(1), Long(1), Long(kRed)});
        Call(l, kCellSetBorder, {Long(2), Long(2), Long(0x0F), Long(0), Long(RGB(0, 0, 255)), Long(1)});
    }

    AxHost ax;
    bool oleStarted = false;
    HWND right = nullptr;
    IUnknown* rightUnknown = nullptr;
    IDispatch* l = nullptr;
    IDispatch* r = nullptr;
};

}  // namespace

TEST_F(TwoControls, CtrlCAndCtrlVCarryTextsFormatsBordersAndBlocks)
{
    FillSource();
    // A merged block inside the copied range: a column object of a
    // three-row sheet merges its rows.
    IDispatch* left = l;
    Call(left, kRowSetCount, {Long(4)});
    VARIANT column = Invoke(left, kColumnGetObject, {Long(3)});
    ASSERT_EQ(VT_DISPATCH, column.vt);
    ASSERT_NE(nullptr, column.pdispVal);
    CallByName(column.pdispVal, L"Merge");
    ::VariantClear(&column);
    ASSERT_EQ(-1, Call(left, kCellIsMerged, {Long(1), Long(3)}));
    PumpFor(100);

    SelectWithMouse(l, LeftGrid(), 1, 1, 3, 3);
    CtrlKey('C');
    Click(CellCentre(r, RightGrid(), 4, 1));
    CtrlKey('V');
    PumpFor(200);

    EXPECT_EQ("a1", Value(r, 4, 1));
    EXPECT_EQ("b1", Value(r, 4, 2));
    EXPECT_EQ("a2", Value(r, 5, 1));
    EXPECT_EQ("b2", Value(r, 5, 2));
    EXPECT_EQ(kRed, Call(r, kCellGetBackColor, {Long(4), Long(1)}));
    EXPECT_EQ(0x0F, Call(r, kCellGetBorderFlags, {Long(5), Long(2)}));
    EXPECT_EQ(-1, Call(r, kCellIsMerged, {Long(4), Long(3)}));
    EXPECT_EQ(-1, Call(r, kCellIsMerged, {Long(6), Long(3)}));

    // Another program reads the copy as tab-separated rows.
    const char* out = "/tmp/kivo_clip_read.txt";
    ASSERT_TRUE(RunOnHost(std::string("xclip -o -selection clipboard > ") + out + " 2>/dev/null"));
    EXPECT_EQ("a1\tb1\t\na2\tb2\t\n\t\t", ReadHostFile(out));
    std::remove((std::string("Z:") + out).c_str());
}

// Column widths come across with the cells when the copying sheet asks for
// them: its size-copy option, which a template stores and brings along when
// the control opens it.
TEST_F(TwoControls, CtrlCAndCtrlVCarryColumnWidthsFromASheetThatAsksForThem)
{
    CGridCtrl made;
    made.SetRowCount(12);
    made.SetColumnCount(5);
    made.SetFixedRowCount(1);
    made.SetFixedColumnCount(1);
    made.SetColumnWidth(1, 150);
    made.SetColumnWidth(2, 45);
    made.SetClipSizeOption(2);   // widths, not heights
    std::vector<BYTE> bytes;
    ASSERT_TRUE(SaveTemplateBytes(made, "", bytes));
    char dir[MAX_PATH] = {0};
    ::GetTempPathA(sizeof(dir), dir);
    const std::string path = std::string(dir) + "kivo_widths.kvx";
    {
        std::ofstream f(path, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::wstring widePath(path.begin(), path.end());
    ASSERT_EQ(1, Call(l, kGridOpenFile, {Text(widePath.c_str()), Text(L"")}));
    ASSERT_EQ(150, Call(l, kColumnGetWidth, {Long(1)}));
    SetValue(l, 1, 1, L"wide");
    SetValue(l, 1, 2, L"narrow");
    const LONG untouched = Call(r, kColumnGetWidth, {Long(3)});
    PumpFor(100);

    SelectWithMouse(l, LeftGrid(), 1, 1, 2, 2);
    CtrlKey('C');
    Click(CellCentre(r, RightGrid(), 3, 1));
    CtrlKey('V');
    PumpFor(200);

    EXPECT_EQ("wide", Value(r, 3, 1));
    EXPECT_EQ("narrow", Value(r, 3, 2));
    EXPECT_EQ(150, Call(r, kColumnGetWidth, {Long(1)}));
    EXPECT_EQ(45, Call(r, kColumnGetWidth, {Long(2)}));
    EXPECT_EQ(untouched, Call(r, kColumnGetWidth, {Long(3)}));
    std::remove(path.c_str());
}

TEST_F(TwoControls, GridCopyAndGridPasteTakeTheFormatOfThePasteMode)
{
    FillSource();
    SelectWithMouse(l, LeftGrid(), 1, 1, 2, 2);
    EXPECT_EQ(0, Call(l, kGridCopy));

    struct Case {
        short mode;
        LONG row;
        const char* text;
        bool red;
    } cases[] = {
        {1, 2, "a1", false},   // the text only
        {2, 5, "", true},      // the private format's formats, without the texts
        {0, 8, "a1", true},    // the private format, texts and formats
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Click(CellCentre(r, RightGrid(), c.row, 1));
        Call(r, kGridSetPasteFlags, {Short(c.mode)});
        EXPECT_EQ(0, Call(r, kGridPaste));
        PumpFor(100);
        EXPECT_EQ(c.text, Value(r, c.row, 1));
        EXPECT_EQ(c.red, Call(r, kCellGetBackColor, {Long(c.row), Long(1)}) == kRed);
    }
}

TEST_F(TwoControls, TextAnotherProgramCopiedPastesAsCells)
{
    // xclip keeps serving the clipboard in the background until another
    // program takes it; it must hold none of this process's output.
    ASSERT_TRUE(RunOnHost("printf 'x1\\ty1\\nx2\\ty2\\n' | xclip -i -selection clipboard >/dev/null 2>&1"));
    PumpFor(300);
    Click(CellCentre(r, RightGrid(), 2, 2));
    CtrlKey('V');
    PumpFor(200);
    EXPECT_EQ("x1", Value(r, 2, 2));
    EXPECT_EQ("y1", Value(r, 2, 3));
    EXPECT_EQ("x2", Value(r, 3, 2));
    EXPECT_EQ("y2", Value(r, 3, 3));
}

TEST_F(TwoControls, RightClickShowsTheHostsItemsAndReportsThePickedOne)
{
    MenuSink sink;
    sink.ctl = r;
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(rightUnknown, &cp));
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    PointerTo(CellCentre(r, RightGrid(), 3, 2));
    MenuPick pick = {2, false};
    HANDLE picker = ::CreateThread(nullptr, 0, PickMenuItem, &pick, 0, nullptr);
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return !sink.Of(kGridMenuCommand).empty(); }, 5000));
    ::WaitForSingleObject(picker, 5000);
    ::CloseHandle(picker);

    EXPECT_TRUE(pick.seen) << "the menu was shown";
    EXPECT_EQ((std::vector<LONG>{1, 1}), sink.added);
    const std::vector<RecordingSink::Fired> starts = sink.Of(kGridMenuStart);
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ((std::vector<LONG>{3, 2, 1}), starts[0].args);
    const std::vector<RecordingSink::Fired> commands = sink.Of(kGridMenuCommand);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((std::vector<LONG>{3, 2, 20002}), commands[0].args);
    EXPECT_EQ(cp->Unadvise(cookie), S_OK);
    cp->Release();
}

TEST_F(TwoControls, ARealDragMovesTheSelectionAlsoIntoTheOtherGrid)
{
    FillSource();
    // Within the left grid: rows 1..2 of columns 1..2, taken by the bottom
    // edge of cell (2, 1), dropped so that cell lands on (6, 2).
    SelectWithMouse(l, LeftGrid(), 1, 1, 2, 2);
    PumpFor(100);
    DragPlan within = {CellBottomEdge(l, LeftGrid(), 2, 1), CellCentre(l, LeftGrid(), 6, 2)};
    PointerTo(within.from);
    PointerTo({within.from.x + 1, within.from.y});
    HANDLE player = ::CreateThread(nullptr, 0, PlayDrag, &within, 0, nullptr);
    Button(MOUSEEVENTF_LEFTDOWN);
    PumpFor(1500);
    ::WaitForSingleObject(player, 5000);
    ::CloseHandle(player);
    PumpFor(200);
    EXPECT_EQ("a1", Value(l, 5, 2));
    EXPECT_EQ("b2", Value(l, 6, 3));
    EXPECT_EQ(kRed, Call(l, kCellGetBackColor, {Long(5), Long(2)}));
    EXPECT_EQ("", Value(l, 1, 1)) << "a move clears the source";
    EXPECT_EQ("", Value(l, 2, 1));

    // Into the right grid: the moved block (now selected) by the bottom edge
    // of (6, 2), dropped on the right grid's (3, 2).
    DragPlan across = {CellBottomEdge(l, LeftGrid(), 6, 2), CellCentre(r, RightGrid(), 3, 2)};
    PointerTo(across.from);
    PointerTo({across.from.x + 1, across.from.y});
    player = ::CreateThread(nullptr, 0, PlayDrag, &across, 0, nullptr);
    Button(MOUSEEVENTF_LEFTDOWN);
    PumpFor(1500);
    ::WaitForSingleObject(player, 5000);
    ::CloseHandle(player);
    PumpFor(200);
    EXPECT_EQ("a1", Value(r, 2, 2));
    EXPECT_EQ("b2", Value(r, 3, 3));
    EXPECT_EQ("", Value(l, 5, 2)) << "the move into the other grid clears the source";
    EXPECT_EQ("", Value(l, 6, 3));
}

// Ctrl at the drop copies: the right grid's drop target, as OLE registered
// it, is given a data object of the test's (the clipboard's, holding the left
// grid's copy) with Ctrl held; a read-only target refuses the drop.
TEST_F(TwoControls, ACtrlDropCopiesAndAReadOnlyCellRefusesTheDrop)
{
    FillSource();
    SelectWithMouse(l, LeftGrid(), 1, 1, 2, 2);
    Call(l, kGridCopy);
    // The clipboard's data object holds the left grid's private stream.
    IDataObject* data = nullptr;
    ASSERT_EQ(S_OK, ::OleGetClipboard(&data));
    ASSERT_NE(nullptr, data);
    IDropTarget* target = static_cast<IDropTarget*>(::GetPropW(RightGrid(), L"OleDropTargetInterface"));
    ASSERT_NE(nullptr, target) << "the grid window is registered for drops";

    struct Case {
        LONG row;
        bool readOnly;
        DWORD effect;
        const char* text;
    } cases[] = {
        {3, false, DROPEFFECT_COPY, "a1"},
        {7, true, DROPEFFECT_NONE, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        if (c.readOnly)
            Call(r, kCellSetReadOnly, {Long(c.row), Long(2), Short(1)});
        const POINT at = CellCentre(r, RightGrid(), c.row, 2);
        const POINTL pt = {at.x, at.y};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, target->DragEnter(data, MK_CONTROL | MK_LBUTTON, pt, &effect));
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, target->DragOver(MK_CONTROL | MK_LBUTTON, pt, &effect));
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(S_OK, target->Drop(data, MK_CONTROL, pt, &effect));
        EXPECT_EQ(c.effect, effect);
        EXPECT_EQ(c.text, Value(r, c.row, 2));
    }
    EXPECT_EQ("a1", Value(l, 1, 1)) << "the source of a copy keeps its cells";
    data->Release();
}
