// The windows the cell library gives a real (headless) grid: the title tip it
// shows over a cell with a tip text, and the two skinned scroll bars it keeps
// beside its window, which must follow the grid window through being
// destroyed and made again (a container re-creates the control's window when
// it deactivates and activates the control in place).
#include "cells/GridScrollBarHooks.h"
#include "cells/InPlaceEditHooks.h"
#include "cells/SkinScrollBar.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCtrl.h"
#include "grid/GridScrollBarHooks.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The grid's hooks are process-wide: the ones installed here are taken back
// when a test ends, so the other tests of the suite see what they expect.
struct ScopedGridHooks {
    GridScrollBarHooks savedBars = GetGridScrollBarHooks();
    GridTitleTipHooks savedTips = GetGridTitleTipHooks();
    ScopedGridHooks()
    {
        InstallGridScrollBarHooks();
        InstallInPlaceEditHooks();
    }
    ~ScopedGridHooks()
    {
        SetGridScrollBarHooks(savedBars);
        SetGridTitleTipHooks(savedTips);
    }
};

// The control window: a top-level window whose client area the grid and its
// bars share.
class ControlWindow : public CWnd {
public:
    BOOL Make()
    {
        return CreateEx(0, "KivoTestPartsControl", "control", WS_VISIBLE, CRect(20, 20, 444, 344), nullptr, 0);
    }
};

CRect RectInParent(CWnd& wnd, CWnd& parent)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

class GridWindowParts : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        control = std::make_unique<ControlWindow>();
        ASSERT_TRUE(control->Make());
        grid = std::make_unique<CGridCtrl>();
        grid->SetFixedRowCount(1);
        grid->SetFixedColumnCount(1);
        grid->SetRowCount(200);
        grid->SetColumnCount(40);
        for (int r = 0; r < 200; ++r)
            grid->SetRowHeight(r, 20);
        for (int c = 0; c < 40; ++c)
            grid->SetColumnWidth(c, 50);
        ASSERT_TRUE(MakeGridWindow());
    }

    void TearDown() override
    {
        grid.reset();
        control.reset();
        Headless::Reset();
    }

    // The grid window over the control's whole client area, as the control
    // makes it; the grid then gives the bars their share.
    BOOL MakeGridWindow()
    {
        CRect client;
        control->GetClientRect(&client);
        if (!grid->Create(client, control.get(), 81220, WS_CHILD | WS_VISIBLE))
            return FALSE;
        grid->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }

    ScopedGridHooks hooks;
    std::unique_ptr<ControlWindow> control;
    std::unique_ptr<CGridCtrl> grid;
};

}  // namespace

// The tip draws the cell's tip text in the grid's text colour over its back
// colour, so the text can be read.
TEST_F(GridWindowParts, TheTitleTipDrawsItsTextInTheTextColourOverTheBackColour)
{
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(windowText, window);
    grid->GetCell(2, 2)->SetTipText("the whole text");
    grid->GetCell(2, 2)->SetDisplayTip(TRUE);
    grid->SetFocus();
    Headless::ClearDrawLog();
    CRect cell;
    ASSERT_TRUE(grid->GetCellRect(2, 2, &cell));
    grid->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));

    CWnd* tip = grid->GetInputState().pTitleTip.get();
    ASSERT_NE(nullptr, tip);
    ASSERT_TRUE(tip->IsWindowVisible());
    bool filled = false, drawn = false;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.target != tip->GetSafeHwnd())
            continue;
        if (op.kind == Headless::DrawKind::FillRect) {
            filled = true;
            EXPECT_EQ(window, op.color);
        }
        if (op.kind == Headless::DrawKind::DrawText) {
            drawn = true;
            EXPECT_EQ(" the whole text ", op.text);
            EXPECT_EQ(windowText, op.textColor) << "the text must not take the back colour";
            EXPECT_EQ(TRANSPARENT, op.bkMode);
        }
    }
    EXPECT_TRUE(filled);
    EXPECT_TRUE(drawn);
}

// However the grid window went, the next one has two live bars along the
// control's right and bottom edges, and scrolling moves them.
TEST_F(GridWindowParts, TheScrollBarsComeBackWithARecreatedGridWindow)
{
    const struct {
        const char* name;
        bool destroyGridFirst;   // the control destroys the grid window, then itself
        bool destroyControl;     // the control window goes (and is made again)
    } cases[] = {
        {"the control destroys the grid window and then its own", true, true},
        {"the control window goes with the grid window in it", false, true},
        {"the grid window alone is destroyed and made again", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(nullptr, grid->GetSkinScrollBar(TRUE));
        ASSERT_NE(nullptr, grid->GetSkinScrollBar(TRUE)->GetSafeHwnd());
        if (c.destroyGridFirst) {
            EXPECT_TRUE(grid->DestroyWindow());
        }
        if (c.destroyControl) {
            EXPECT_TRUE(control->DestroyWindow());
            ASSERT_EQ(nullptr, grid->GetSafeHwnd());
            ASSERT_TRUE(control->Make());
        }
        const size_t windowsBefore = Headless::WindowCount();
        ASSERT_TRUE(MakeGridWindow());
        // The grid and its two bars, no more: no bar of the old window is left.
        EXPECT_EQ(windowsBefore + 3, Headless::WindowCount());

        CRect client;
        control->GetClientRect(&client);
        EXPECT_EQ(3, grid->GetScrollBarsVisible());
        EXPECT_EQ(CRect(0, 0, client.Width() - 15, client.Height() - 15), RectInParent(*grid, *control));
        CWnd* pV = grid->GetSkinScrollBar(TRUE);
        CWnd* pH = grid->GetSkinScrollBar(FALSE);
        ASSERT_TRUE(pV != nullptr && pH != nullptr);
        ASSERT_TRUE(pV->GetSafeHwnd() != nullptr && pH->GetSafeHwnd() != nullptr);
        EXPECT_EQ(control.get(), pV->GetParent());
        EXPECT_EQ(control.get(), pH->GetParent());
        EXPECT_TRUE(pV->IsWindowVisible());
        EXPECT_TRUE(pH->IsWindowVisible());
        EXPECT_EQ(CRect(client.Width() - 15, 0, client.Width(), client.Height() - 15), RectInParent(*pV, *control));
        EXPECT_EQ(CRect(0, client.Height() - 15, client.Width() - 15, client.Height()), RectInParent(*pH, *control));

        // The new bar holds the grid's scroll state and reports to the grid.
        CSkinScrollBar* bar = dynamic_cast<CSkinScrollBar*>(pV);
        ASSERT_NE(nullptr, bar);
        bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, client.Height() - 15 - 5));
        bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7, client.Height() - 15 - 5));
        PlatformPumpMessages();
        EXPECT_GT(grid->GetScrollPosition(SB_VERT, FALSE), 0);
        EXPECT_EQ(grid->GetScrollPosition(SB_VERT, FALSE), bar->GetScrollPosition());
        grid->SetScrollPos(SB_VERT, 0);
    }
}

// A tip that shows when the grid window goes does not stay on the screen, and
// the next grid window shows tips again.
TEST_F(GridWindowParts, TheTitleTipGoesWithTheGridWindow)
{
    grid->GetCell(2, 2)->SetTipText("the whole text");
    CRect cell;
    ASSERT_TRUE(grid->GetCellRect(2, 2, &cell));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        grid->SetFocus();
        grid->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
        CWnd* tip = grid->GetInputState().pTitleTip.get();
        ASSERT_NE(nullptr, tip);
        ASSERT_TRUE(tip->IsWindowVisible());
        const HWND tipWindow = tip->GetSafeHwnd();
        const size_t windows = Headless::WindowCount();
        EXPECT_TRUE(control->DestroyWindow());
        EXPECT_EQ(windows - 5, Headless::WindowCount()) << "the control, the grid, two bars and the tip";
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(tipWindow));
        ASSERT_TRUE(control->Make());
        ASSERT_TRUE(MakeGridWindow());
        grid->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    }
}
