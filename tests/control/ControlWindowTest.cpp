// The control window: the grid window inside it, events from the grid's
// notifications, keyboard routing.
#include "control/GridNotify.h"
#include "control/KivoSheetCtrl.h"
#include "control/SheetPicture.h"
#include "grid/GridCtrl.h"
#include "RecordingSink.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

namespace {

void SetKeyStateForTest(int vk, bool down)
{
#ifdef _WIN32
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
#else
    Headless::SetKeyDown(vk, down);
#endif
}

// The events of one name, in the order fired.
std::vector<FiredEvent> EventsNamed(const RecordingSink& sink, const char* name)
{
    std::vector<FiredEvent> found;
    for (const FiredEvent& e : sink.fired)
        if (e.name == name)
            found.push_back(e);
    return found;
}

const char kParentClass[] = "KivoControlTestParent";

// Exposes the window procedure, as a message arriving from the grid reaches it.
class TestCtrl : public CKivoSheetCtrl {
public:
    using CKivoSheetCtrl::WindowProc;
};

class ControlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, kParentClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CRect(0, 0, 640, 480), nullptr, 0));
        ctl.Events().SetSink(&sink);
    }
    void TearDown() override
    {
        ctl.Events().SetSink(nullptr);
        if (ctl.GetSafeHwnd() != nullptr)
            ctl.DestroyWindow();
        parent.DestroyWindow();
    }

    // Creates the control window and lets what its creation reported (the
    // first click on the sheet) arrive before the test looks.
    ::testing::AssertionResult CreateQuietly(const CRect& rect)
    {
        if (!ctl.CreateControl(parent.GetSafeHwnd(), rect))
            return ::testing::AssertionFailure() << "no control window";
        PlatformPumpMessages();
        sink.fired.clear();
        return ::testing::AssertionSuccess();
    }

    CWnd parent;
    TestCtrl ctl;
    RecordingSink sink;
};

// The part of the control the grid window and its own scroll bars cover.
CRect CoveredArea(CKivoSheetCtrl& ctl)
{
    CRect covered(0, 0, 0, 0);
    CGridCtrl* grid = ctl.GetGrid()->GetGridCtrl();
    CWnd* parts[3] = {grid, grid->GetSkinScrollBar(FALSE), grid->GetSkinScrollBar(TRUE)};
    for (CWnd* part : parts) {
        // The test's host window is never shown: the parts' own style says
        // whether they show.
        if (part == nullptr || part->GetSafeHwnd() == nullptr || (part->GetStyle() & WS_VISIBLE) == 0)
            continue;
        CRect rc;
        part->GetWindowRect(&rc);
        ctl.ScreenToClient(&rc);
        covered.UnionRect(&covered, &rc);
    }
    return covered;
}

TEST_F(ControlWindow, GridWindowCoversTheControlAndFollowsItsSize)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(10, 10, 310, 210)));
    CWnd* grid = ctl.GetGrid()->GetGridWindow();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetDlgCtrlID(), static_cast<int>(CKivoSheetCtrl::kGridWindowId));
    EXPECT_EQ(grid->GetParent(), static_cast<CWnd*>(&ctl));
    // The grid window starts at the control's origin, stays inside it and,
    // with the scroll bars it shows beside it, covers all of it.
    for (const CSize size : {CSize(300, 200), CSize(500, 120), CSize(120, 260)}) {
        ctl.MoveWindow(0, 0, size.cx, size.cy, TRUE);
        const CRect client(0, 0, size.cx, size.cy);
        CRect rc;
        grid->GetWindowRect(&rc);
        ctl.ScreenToClient(&rc);
        EXPECT_EQ(rc.TopLeft(), CPoint(0, 0));
        CRect inside;
        inside.IntersectRect(&rc, &client);
        EXPECT_EQ(inside, rc) << size.cx << " x " << size.cy;
        const CRect parts = CoveredArea(ctl);
        CRect covered;
        covered.IntersectRect(&client, &parts);
        EXPECT_EQ(covered, client) << size.cx << " x " << size.cy;
    }
}

struct ModeHost : CKivoSheetHost {
    explicit ModeHost(bool user) : userMode(user) {}
    bool IsUserMode() override { return userMode; }
    void SetModified() override {}
    void ActivateInPlace() override { ++activations; }
    bool IsUIActive() override { return false; }
    void ShowAboutBox() override {}
    bool userMode;
    int activations = 0;
};

TEST_F(ControlWindow, DesignModeShowsThePictureWithoutAGridWindow)
{
    ModeHost host(false);
    ctl.SetHost(&host);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_EQ(ctl.GetGrid()->GetGridWindow(), nullptr);
    EXPECT_EQ(host.activations, 0);
    ctl.UpdateWindow();
    ctl.DestroyWindow();
    ctl.SetHost(nullptr);
}

// A memory picture of the screen's format to draw the control into.
class MemoryPicture {
public:
    MemoryPicture(CWnd& wnd, int cx, int cy)
    {
        CClientDC screen(&wnd);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, cx, cy);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cy, 0x000000);
    }
    ~MemoryPicture() { dc.SelectObject(old); }
    CDC dc;

private:
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

// Whether the picture shows the bitmap's pixels (sx, sy, cx, cy) at (x, y).
::testing::AssertionResult ShowsBitmap(CDC& picture, CWnd& wnd, CBitmap* bitmap, int x, int y, int sx, int sy,
                                       int cx, int cy)
{
    if (bitmap == nullptr)
        return ::testing::AssertionFailure() << "no bitmap";
    CClientDC screen(&wnd);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap* old = mem.SelectObject(bitmap);
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (int j = 0; j < cy && result; ++j) {
        for (int i = 0; i < cx && result; ++i) {
            const COLORREF want = mem.GetPixel(sx + i, sy + j);
            const COLORREF got = picture.GetPixel(x + i, y + j);
            if (want != got)
                result = ::testing::AssertionFailure() << "pixel (" << x + i << ", " << y + j << ") is " << std::hex
                                                       << got << ", the bitmap has " << want;
        }
    }
    mem.SelectObject(old);
    return result;
}

TEST_F(ControlWindow, DesignPictureShowsHeadersAndSkins)
{
    ModeHost host(false);
    ctl.SetHost(&host);
    MemoryPicture picture(parent, 300, 200);
    const CRect bounds(0, 0, 300, 200);
    ctl.OnDraw(picture.dc, bounds);
    CGridPort& grid = *ctl.GetGrid();
    const SIZE cell = SheetPictureCellSize(picture.dc, grid);
    const int header = cell.cx / 2;
    // The corner box, its mark 4 pixels in from the right and 3 from the
    // bottom, and the row-number column below it.
    EXPECT_EQ(picture.dc.GetPixel(2, 2), static_cast<COLORREF>(0xE9C4A9));
    CBitmap* mark = grid.GetSkinBitmap(SKIN_TOPLEFTSIDE);
    ASSERT_NE(mark, nullptr);
    const CSize m = mark->GetSize();
    EXPECT_TRUE(ShowsBitmap(picture.dc, parent, mark, header - 4 - m.cx, cell.cy - 3 - m.cy, 0, 0, m.cx, m.cy));
    EXPECT_EQ(picture.dc.GetPixel(2, cell.cy + 2), static_cast<COLORREF>(0xF7ECE4));
    // The header row carries the header skin, not the plain fill.
    const COLORREF headerRow = picture.dc.GetPixel(header + 3, cell.cy / 2);
    EXPECT_NE(headerRow, static_cast<COLORREF>(0xF7ECE4));
    EXPECT_NE(headerRow, static_cast<COLORREF>(0xFFFFFF));
    // Body cells are white inside their grid lines.
    EXPECT_EQ(picture.dc.GetPixel(header + cell.cx + 3, 2 * cell.cy + 3), static_cast<COLORREF>(0xFFFFFF));
    ctl.SetHost(nullptr);
}

TEST_F(ControlWindow, UserModePaintsOnlyTheScrollBarCorner)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    CGridPort& grid = *ctl.GetGrid();
    // A new sheet of 101 rows and 51 columns needs both bars in 200 x 100.
    ASSERT_EQ(grid.GetScrollBarState(), 3);
    MemoryPicture picture(parent, 200, 100);
    ctl.OnDraw(picture.dc, CRect(0, 0, 200, 100));
    EXPECT_TRUE(ShowsBitmap(picture.dc, parent, grid.GetSkinBitmap(SKIN_SCROLL), 184, 84, 128, 0, 16, 16));
    // Nothing else is painted by the control.
    EXPECT_EQ(picture.dc.GetPixel(100, 50), static_cast<COLORREF>(0x000000));
    EXPECT_EQ(picture.dc.GetPixel(183, 99), static_cast<COLORREF>(0x000000));
}

TEST_F(ControlWindow, UserModeCreationActivatesInPlace)
{
    ModeHost host(true);
    ctl.SetHost(&host);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_NE(ctl.GetGrid()->GetGridWindow(), nullptr);
    EXPECT_EQ(host.activations, 1);
    ctl.DestroyWindow();
    ctl.SetHost(nullptr);
}

TEST_F(ControlWindow, DestroyingAndRecreatingKeepsTheGridObject)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    ctl.SetGridDefCellBgColor(0x123456);
    CGridPort* grid = ctl.GetGrid();
    CGridCtrl* engine = grid->GetGridCtrl();
    ASSERT_NE(engine, nullptr);
    engine->SetRowCount(7);
    engine->SetColumnCount(4);
    ctl.DestroyWindow();
    EXPECT_EQ(grid->GetGridWindow(), nullptr);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 200, 100)));
    EXPECT_EQ(ctl.GetGrid(), grid);
    EXPECT_NE(grid->GetGridWindow(), nullptr);
    EXPECT_EQ(ctl.GetGridDefCellBgColor(), 0x123456);
    // The sheet is not reset to the first-time defaults.
    EXPECT_EQ(engine->GetRowCount(), 7);
    EXPECT_EQ(engine->GetColumnCount(), 4);
}

// What the host did to the sheet before the control window first appeared,
// and the sheet it then sees.
struct FirstShowCase {
    const char* what;
    int rows, cols, fixedRows, fixedCols;   // -1: the host leaves the sheet alone
    int expectRows, expectCols, expectFixedRows, expectFixedCols;
};

TEST_F(ControlWindow, FirstTimeDefaultsApplyOnlyToASheetTheHostLeftAlone)
{
    const FirstShowCase cases[] = {
        {"untouched", -1, -1, -1, -1, 101, 51, 1, 1},
        {"filled by the host", 5, 3, 0, 0, 5, 3, 0, 0},
        {"only columns set", 0, 6, 0, 2, 0, 6, 0, 2},
    };
    for (const FirstShowCase& c : cases) {
        TestCtrl fresh;
        CGridCtrl* grid = fresh.GetGrid()->GetGridCtrl();
        ASSERT_NE(grid, nullptr);
        if (c.rows >= 0) {
            grid->SetRowCount(c.rows);
            grid->SetColumnCount(c.cols);
            grid->SetFixedRowCount(c.fixedRows);
            grid->SetFixedColumnCount(c.fixedCols);
        }
        ASSERT_TRUE(fresh.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 300, 200))) << c.what;
        EXPECT_EQ(grid->GetRowCount(), c.expectRows) << c.what;
        EXPECT_EQ(grid->GetColumnCount(), c.expectCols) << c.what;
        EXPECT_EQ(grid->GetFixedRowCount(), c.expectFixedRows) << c.what;
        EXPECT_EQ(grid->GetFixedColumnCount(), c.expectFixedCols) << c.what;
        if (c.rows < 0) {
            // The row-number column is half a column wide; the click on
            // (2, 2) left the focus and the selection there.
            EXPECT_GT(grid->GetColumnWidth(1), 0);
            EXPECT_EQ(grid->GetColumnWidth(0), grid->GetColumnWidth(1) / 2);
            EXPECT_EQ(grid->GetFocusCell().row, 2);
            EXPECT_EQ(grid->GetFocusCell().col, 2);
            EXPECT_TRUE(grid->IsCellSelected(2, 2));
            // Rows and columns take the size measured on the default font.
            CClientDC dc(&fresh);
            const SIZE cell = SheetPictureCellSize(dc, *fresh.GetGrid());
            EXPECT_EQ(grid->GetRowHeight(5), cell.cy);
            EXPECT_EQ(grid->GetRowHeight(100), cell.cy);
            EXPECT_EQ(grid->GetColumnWidth(50), cell.cx);
            EXPECT_EQ(grid->GetRowHeight(0), cell.cy);
        }
        fresh.DestroyWindow();
    }
}

TEST_F(ControlWindow, CreationClicksCellTwoTwoAsAUserWould)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 400, 300)));
    PlatformPumpMessages();
    // The click goes through the grid's own mouse handling, so the host hears of it.
    const std::vector<FiredEvent> clicks = EventsNamed(sink, "GridLClickUp");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(ArgNumber(clicks[0].args[3]), 2);
    EXPECT_EQ(ArgNumber(clicks[0].args[4]), 2);
    // In a control too small to show the cell, no click happens.
    TestCtrl small;
    RecordingSink quiet;
    small.Events().SetSink(&quiet);
    ASSERT_TRUE(small.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 20, 10)));
    PlatformPumpMessages();
    EXPECT_TRUE(EventsNamed(quiet, "GridLClickUp").empty());
    small.Events().SetSink(nullptr);
    small.DestroyWindow();
}

TEST_F(ControlWindow, GridNotificationsFireEventsThroughTheWindow)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 400, 300)));
    // A click in the top-left header cell reports row 0 and column 0.
    ctl.SendMessage(gridnotify::kLClickUp, 1, MAKELPARAM(2, 2));
    ASSERT_EQ(sink.fired.size(), 1u);
    EXPECT_EQ(sink.fired[0].name, "GridLClickUp");
    EXPECT_EQ(ArgNumber(sink.fired[0].args[3]), 0);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[4]), 0);
    // Screen coordinates of the point, which lies in the grid's client area.
    CPoint screen(2, 2);
    ctl.GetGrid()->GetGridWindow()->ClientToScreen(&screen);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[1]), screen.x);
    EXPECT_EQ(ArgNumber(sink.fired[0].args[2]), screen.y);
    // A point outside every cell reports -1, -1.
    ctl.SendMessage(gridnotify::kLClickUp, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(ArgNumber(sink.fired[1].args[3]), -1);
    EXPECT_EQ(ArgNumber(sink.fired[1].args[4]), -1);

    // A by-reference answer travels back through the window procedure.
    BOOL allow = 1;
    gridnotify::CStartEditRecord edit{2, 3, 0, &allow};
    sink.answer = [](const CMemberInfo& e, CDispArg* a) {
        if (e.dispid == 18)
            a[3].s = 0;
    };
    ctl.SendMessage(gridnotify::kCellStartEdit, reinterpret_cast<WPARAM>(&edit), 0);
    EXPECT_EQ(allow, 0);
}

// Rows and columns past 65535 reach the host whole in every event that
// carries them, sent (a selection, a menu command) or posted (an edit's end).
TEST_F(ControlWindow, RowsPastSixteenBitsReachTheHostWhole)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 400, 300)));
    CGridCtrl* grid = ctl.GetGrid()->GetGridCtrl();
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(grid->SetRowCount(70000));
    ASSERT_TRUE(grid->SetColumnCount(5));
    PlatformPumpMessages();
    sink.fired.clear();

    grid->SetSelectedRange(66000, 2, 66001, 3);
    std::vector<FiredEvent> ranges = EventsNamed(sink, "GridSelectRange");
    ASSERT_FALSE(ranges.empty());
    const std::vector<double> expected = {66000, 2, 66001, 3};
    std::vector<double> got;
    for (const CDispArg& a : ranges.back().args)
        got.push_back(ArgNumber(a));
    EXPECT_EQ(got, expected);

    // A small range after a large one whose packed halves are the same
    // (66000 = 464 + 65536) is reported as it is.
    sink.fired.clear();
    grid->SetSelectedRange(464, 2, 465, 3);
    ranges = EventsNamed(sink, "GridSelectRange");
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ(ArgNumber(ranges.back().args[0]), 464);
    EXPECT_EQ(ArgNumber(ranges.back().args[2]), 465);

    sink.fired.clear();
    grid->SetFocusCell(69999, 4);
    grid->SendMessage(WM_COMMAND, MAKEWPARAM(20001, 0), 0);   // a host's menu item, chosen
    const std::vector<FiredEvent> commands = EventsNamed(sink, "GridMenuCommand");
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(ArgNumber(commands.back().args[0]), 69999);
    EXPECT_EQ(ArgNumber(commands.back().args[1]), 4);

    sink.fired.clear();
    grid->SetFocusCell(66000, 2);
    ASSERT_TRUE(grid->EditCell(66000, 2));
    grid->EndEditing();
    PlatformPumpMessages();
    const std::vector<FiredEvent> ends = EventsNamed(sink, "GridCellEndEdit");
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ArgNumber(ends[0].args[0]), 66000);
    EXPECT_EQ(ArgNumber(ends[0].args[1]), 2);
}

TEST_F(ControlWindow, AClickOnTheGridWindowReachesTheHost)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 400, 300)));
    CGridCtrl* grid = ctl.GetGrid()->GetGridCtrl();
    ASSERT_NE(grid, nullptr);
    CRect cell;
    ASSERT_TRUE(grid->GetCellRect(3, 2, &cell));
    const CPoint at = cell.CenterPoint();
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    // The grid posts the click; it arrives when the queue is served.
    PlatformPumpMessages();
    const std::vector<FiredEvent> clicks = EventsNamed(sink, "GridLClickUp");
    ASSERT_EQ(clicks.size(), 1u);
    CPoint screen = at;
    grid->ClientToScreen(&screen);
    EXPECT_EQ(ArgNumber(clicks[0].args[1]), screen.x);
    EXPECT_EQ(ArgNumber(clicks[0].args[2]), screen.y);
    EXPECT_EQ(ArgNumber(clicks[0].args[3]), 3);
    EXPECT_EQ(ArgNumber(clicks[0].args[4]), 2);
}

// A key pressed in the grid, the key the host's handler puts in its place
// (0: none), and where the focus cell goes from (2, 2).
struct KeyCase {
    UINT key;
    LONG answer;
    int row, col;
};

TEST_F(ControlWindow, TheHostsAnswerToAKeyPressIsTheKeyTheGridActsOn)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 400, 300)));
    CGridCtrl* grid = ctl.GetGrid()->GetGridCtrl();
    ASSERT_NE(grid, nullptr);
    const KeyCase cases[] = {
        {VK_DOWN, 0, 3, 2},
        {VK_DOWN, VK_RIGHT, 2, 3},
        {VK_RIGHT, VK_UP, 1, 2},
    };
    for (const KeyCase& c : cases) {
        grid->SetFocusCell(2, 2);
        sink.fired.clear();
        const LONG answer = c.answer;
        LONG seen = 0;
        sink.answer = [answer, &seen](const CMemberInfo& e, CDispArg* a) {
            if (e.dispid != 6)
                return;
            seen = a[0].l;
            if (answer != 0)
                a[0].l = answer;
        };
        grid->SendMessage(WM_KEYDOWN, c.key, 1);
        PlatformPumpMessages();
        ASSERT_EQ(EventsNamed(sink, "GridKeyPress").size(), 1u) << c.key;
        EXPECT_EQ(seen, static_cast<LONG>(c.key));
        EXPECT_EQ(grid->GetFocusCell().row, c.row) << c.key << " -> " << c.answer;
        EXPECT_EQ(grid->GetFocusCell().col, c.col) << c.key << " -> " << c.answer;
    }
    sink.answer = nullptr;
}

TEST_F(ControlWindow, TheHostMayKeepTheEditorClosed)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 400, 300)));
    CGridCtrl* grid = ctl.GetGrid()->GetGridCtrl();
    ASSERT_NE(grid, nullptr);
    // F2 on the focus cell (2, 2) asks the host, which lets the edit start or not.
    for (const bool refuse : {true, false}) {
        sink.fired.clear();
        sink.answer = [refuse](const CMemberInfo& e, CDispArg* a) {
            if (e.dispid == 18 && refuse)
                a[3].s = 0;
        };
        grid->SetFocusCell(2, 2);
        grid->SendMessage(WM_KEYDOWN, VK_F2, 1);
        const std::vector<FiredEvent> starts = EventsNamed(sink, "GridCellStartEdit");
        ASSERT_EQ(starts.size(), 1u) << refuse;
        EXPECT_EQ(ArgNumber(starts[0].args[0]), 2);
        EXPECT_EQ(ArgNumber(starts[0].args[1]), 2);
        EXPECT_EQ(grid->IsCellEditing(2, 2), refuse ? FALSE : TRUE) << refuse;
        grid->EndEditing();
        PlatformPumpMessages();
    }
    sink.answer = nullptr;
}

TEST_F(ControlWindow, NoEventReachesTheHostOnceTheWindowIsGone)
{
    ASSERT_TRUE(CreateQuietly(CRect(0, 0, 100, 100)));
    ctl.DestroyWindow();
    PlatformPumpMessages();
    UINT key = 'k';
    EXPECT_EQ(ctl.WindowProc(gridnotify::kKeyPress, reinterpret_cast<WPARAM>(&key), 0), 1);
    EXPECT_EQ(ctl.WindowProc(gridnotify::kLClickUp, 0, 0), 1);
    EXPECT_TRUE(sink.fired.empty());
    EXPECT_EQ(key, static_cast<UINT>('k'));
}

TEST_F(ControlWindow, KeyboardRouting)
{
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 100, 100)));
    CWnd* grid = ctl.GetGrid()->GetGridWindow();
    ASSERT_NE(grid, nullptr);
    grid->SetFocus();
    MSG msg = {};
    msg.hwnd = grid->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    // Navigation keys are taken for the focus window.
    for (UINT key : {UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_LEFT), UINT(VK_DOWN)}) {
        msg.wParam = key;
        EXPECT_TRUE(ctl.PreTranslateKey(&msg)) << key;
    }
    // Ctrl+Enter is left to the container; other keys take the usual path.
    SetKeyStateForTest(VK_CONTROL, true);
    msg.wParam = VK_RETURN;
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));
    // Ctrl+C in the grid is the grid's copy.
    msg.wParam = 'C';
    EXPECT_TRUE(ctl.PreTranslateKey(&msg));
    SetKeyStateForTest(VK_CONTROL, false);
    msg.wParam = 'A';
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));
    msg.wParam = 'C';
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));   // C without Ctrl
    msg.message = WM_CHAR;
    msg.wParam = VK_TAB;
    EXPECT_FALSE(ctl.PreTranslateKey(&msg));   // only key-down and key-up
}

}  // namespace
