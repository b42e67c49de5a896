// The grid as a real window under Wine: keyboard and mouse messages delivered
// to it through the system's message queue start an in-place edit, type into
// it, commit it, and the edited cells are read back.
#include "cells/InPlaceEditHooks.h"
#include "grid/GridMessages.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwine::At;
using gridwine::PumpFor;

namespace {

// The control window: records the grid messages it receives.
class HostWindow : public CWnd {
public:
    std::vector<UINT> messages;
    std::vector<int> notifies;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 1025 && message <= 1074) {
            messages.push_back(message);
            return 0;
        }
        if (message == WM_NOTIFY) {
            const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
            notifies.push_back(static_cast<int>(hdr->code));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class GridInputWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInPlaceEditHooks();
        s_host = new HostWindow;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_host, "KivoInputWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           CRect(40, 40, 640, 480)));
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_host);
        gridwine::LayOut(grid, 12, 6, 22, 40, 70);
        ASSERT_TRUE(gridwine::CreateFilling(grid, s_host, 77));
        s_host->messages.clear();
        s_host->notifies.clear();
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }

    CPoint Centre(int row, int col) { return gridwine::Centre(grid, row, col); }
    std::string Text(int row, int col)
    {
        LPCTSTR text = grid.GetCell(row, col)->GetText();
        return text != nullptr ? text : "";
    }
    // Posts to whichever window has the keyboard focus, as the system does.
    void TypeChar(UINT ch) { gridwine::PostToFocus(WM_CHAR, ch); }
    void PressKey(UINT vk) { gridwine::PostToFocus(WM_KEYDOWN, vk); }

    static HostWindow* s_host;
    CGridCtrl grid;
};

HostWindow* GridInputWineTest::s_host = nullptr;

}  // namespace

TEST_F(GridInputWineTest, TypingIntoTheFocusCellCommitsOnEnter)
{
    grid.SetFocusCell(2, 2);
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
    TypeChar('4');
    ASSERT_TRUE(grid.IsCellEditing(2, 2));
    EXPECT_NE(::GetFocus(), grid.GetSafeHwnd());   // the editor has the focus
    TypeChar('2');
    TypeChar('x');
    PressKey(VK_RETURN);
    EXPECT_FALSE(grid.IsCellEditing(2, 2));
    EXPECT_EQ(Text(2, 2), "42x");
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(3, 2));
    EXPECT_EQ(::GetFocus(), grid.GetSafeHwnd());

    // Arrows move the focus cell; the next edit lands there.
    PressKey(VK_RIGHT);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(3, 3));
    TypeChar('o');
    TypeChar('k');
    PressKey(VK_TAB);   // Tab ends the edit (the grid moves on)
    EXPECT_EQ(Text(3, 3), "ok");
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(3, 4));
}

TEST_F(GridInputWineTest, MouseClickMovesTheFocusAndDoubleClickEdits)
{
    grid.GetCell(5, 3)->SetText("abc");
    CPoint p = Centre(5, 3);
    ::PostMessageA(grid.GetSafeHwnd(), WM_MOUSEMOVE, 0, At(p));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(p));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, At(p));
    PumpFor(50);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(5, 3));
    EXPECT_EQ(grid.GetSelectedRange(), CGridCellRange(5, 3, 5, 3));

    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(p));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, At(p));
    PumpFor(50);
    ASSERT_TRUE(grid.IsCellEditing(5, 3));
    TypeChar('d');   // the caret is at the end of the text
    // A click on another cell ends the edit and keeps the typed text.
    CPoint q = Centre(7, 2);
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(q));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, At(q));
    PumpFor(50);
    EXPECT_FALSE(grid.IsCellEditing(5, 3));
    EXPECT_EQ(Text(5, 3), "abcd");
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(7, 2));
}

TEST_F(GridInputWineTest, ColumnDividerDragResizesTheColumn)
{
    CRect header;
    grid.GetCellRect(0, 1, &header);
    CPoint press(header.right, header.top + 5);
    CPoint release(header.right + 30, header.top + 5);
    ::PostMessageA(grid.GetSafeHwnd(), WM_MOUSEMOVE, 0, At(press));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(press));
    ::PostMessageA(grid.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(release));
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, At(release));
    PumpFor(50);
    EXPECT_EQ(grid.GetColumnWidth(1), release.x - header.left);
}
