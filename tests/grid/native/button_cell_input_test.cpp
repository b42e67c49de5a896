// The button cell in a grid window: the states the mouse gives it and the
// press and release messages (1040, 1039) its parent receives.
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellButton.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using gridinputtest::InputGrid;

namespace {

class ButtonCellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
        ui.Build(6, 5);
        // Cell (1, 1) spans x 40..89, y 25..44; its button the right 20 pixels.
        ASSERT_TRUE(ui.Grid().SetCellControl(
            1, 1, "<control controltype = \"button\" align = \"2\" btnwidth = \"20\" ></control>"));
        cell = dynamic_cast<CGridCellButton*>(ui.Grid().GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
    }
    void TearDown() override
    {
        ui.pGrid.reset();
        Headless::Reset();
    }
    // The button messages delivered so far: (message, wParam, lParam).
    std::vector<std::vector<long long>> Messages()
    {
        PlatformPumpMessages();
        std::vector<std::vector<long long>> out;
        for (const auto& m : ui.host.messages)
            if (m.message == WM_GRID_CELLBTNLCLICKDOWN || m.message == WM_GRID_CELLBTNLCLICKUP)
                out.push_back({static_cast<long long>(m.message), static_cast<long long>(m.wParam),
                               static_cast<long long>(m.lParam)});
        return out;
    }
    void MoveTo(int x, int y)
    {
        CPoint screen(x, y);
        ui.Grid().ClientToScreen(&screen);
        SetCursorPos(screen.x, screen.y);
        ui.Mouse(WM_MOUSEMOVE, x, y);
    }

    InputGrid ui;
    CGridCellButton* cell = nullptr;
};

const long long kCell11 = MAKELONG(1, 1);

TEST_F(ButtonCellInput, PressAndReleaseOnTheButton)
{
    ui.Mouse(WM_LBUTTONDOWN, 80, 35, MK_LBUTTON);
    EXPECT_EQ(GBS_PRESSED, cell->GetButtonState());
    ui.Mouse(WM_LBUTTONUP, 80, 35);
    EXPECT_EQ(GBS_RELEASED, cell->GetButtonState());
    const std::vector<std::vector<long long>> expected = {
        {WM_GRID_CELLBTNLCLICKDOWN, kCell11, MAKELONG(0, 2)},
        {WM_GRID_CELLBTNLCLICKUP, kCell11, MAKELONG(0, 1)},
    };
    EXPECT_EQ(expected, Messages());
}

TEST_F(ButtonCellInput, AClickBesideTheButtonReportsNothing)
{
    ui.Click(50, 35);
    EXPECT_EQ(GBS_NORMAL, cell->GetButtonState());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ButtonCellInput, ADisabledButtonPostsNeitherPressNorRelease)
{
    cell->SetControlProperty("disable", "1");
    EXPECT_EQ(GBS_DISABLED, cell->GetButtonState());
    ui.Click(80, 35);
    EXPECT_EQ(GBS_DISABLED, cell->GetButtonState());
    EXPECT_TRUE(Messages().empty());
    cell->SetControlProperty("disable", "0");
    ui.Click(80, 35);
    EXPECT_EQ(2u, Messages().size());
}

TEST_F(ButtonCellInput, HoverStates)
{
    MoveTo(150, 70);               // another cell
    MoveTo(80, 35);                // onto the button
    EXPECT_EQ(GBS_HOT, cell->GetButtonState());
    MoveTo(150, 70);
    EXPECT_EQ(GBS_NORMAL, cell->GetButtonState());
    MoveTo(50, 35);                // onto the cell's text
    EXPECT_EQ(GBS_NORMAL, cell->GetButtonState());
    MoveTo(150, 70);
    cell->SetControlProperty("disable", "1");
    MoveTo(80, 35);
    EXPECT_EQ(GBS_DISABLED, cell->GetButtonState());
}

TEST_F(ButtonCellInput, APressOnTheButtonOpensNoEditor)
{
    CRect rect;
    ui.Grid().GetCellRect(1, 1, &rect);
    EXPECT_FALSE(cell->Edit(1, 1, rect, CPoint(80, 35), 1, 1)) << "mouse on the button";
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_EQ(nullptr, cell->GetEditWnd());
}

// With leave type 0 only the focus cell shows its button face.
TEST_F(ButtonCellInput, LeaveTypeZeroShowsTheFaceOnTheFocusCellOnly)
{
    ASSERT_TRUE(ui.Grid().SetCellControl(
        2, 2, "<control controltype = \"button\" align = \"2\" btnwidth = \"20\" btntext = \"\" ></control>"));
    CGridCellBase* other = ui.Grid().GetCell(2, 2);
    CRect rect;
    ui.Grid().GetCellRect(2, 2, &rect);
    const CPoint face(rect.right - 8, (rect.top + rect.bottom) / 2);
    CClientDC screen(&ui.Grid());
    CDC dc;
    CBitmap bitmap;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 300, 200));
    dc.SelectObject(&bitmap);
    auto faceColour = [&]() {
        dc.FillSolidRect(0, 0, 300, 200, RGB(1, 1, 1));
        other->Draw(&dc, 2, 2, rect);
        return dc.GetPixel(face);
    };
    const COLORREF plain = faceColour();
    other->SetControlProperty("leavetype", "0");
    const COLORREF hidden = faceColour();
    EXPECT_NE(plain, hidden) << "no face on a cell without the focus";
    ui.Grid().SetFocusCell(2, 2);
    EXPECT_EQ(plain == hidden, faceColour() == hidden);
    EXPECT_NE(hidden, faceColour()) << "the focus cell shows its face";
}

}  // namespace
