// The check cell in a grid window: a click on the box and the space bar
// toggle it and report 1070 to the parent, only where a click may toggle.
#include "input_test_util.h"

#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellCheck.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <gtest/gtest.h>

using gridinputtest::InputGrid;

namespace {

class CheckCellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
        ui.Build(6, 5);
        ASSERT_TRUE(ui.Grid().SetCellControl(1, 1, "<control controltype = \"checkbox\" ></control>"));
        cell = dynamic_cast<CGridCellCheck*>(ui.Grid().GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
    }
    void TearDown() override
    {
        ui.pGrid.reset();
        Headless::Reset();
    }
    CPoint BoxCentre()
    {
        CRect rect;
        ui.Grid().GetCellRect(1, 1, &rect);
        CRect box = cell->GetBoxRect(rect);
        return CPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    }
    // The 1070 messages delivered so far, as (wParam, lParam).
    std::vector<std::pair<WPARAM, LPARAM>> Checked()
    {
        PlatformPumpMessages();
        std::vector<std::pair<WPARAM, LPARAM>> out;
        for (const auto& m : ui.host.messages)
            if (m.message == WM_GRID_CELLCHECKBOXCHECKED)
                out.push_back({m.wParam, m.lParam});
        return out;
    }

    InputGrid ui;
    CGridCellCheck* cell = nullptr;
};

const WPARAM kCell11 = static_cast<WPARAM>(MAKELONG(1, 1));

TEST_F(CheckCellInput, ClickOnTheBoxTogglesAndReports)
{
    const CPoint box = BoxCentre();
    ui.Click(box.x, box.y);
    EXPECT_TRUE(cell->GetCheck());
    ui.Click(box.x, box.y);
    EXPECT_FALSE(cell->GetCheck());
    const std::vector<std::pair<WPARAM, LPARAM>> expected = {{kCell11, 1}, {kCell11, 0}};
    EXPECT_EQ(expected, Checked());
    // Beside the box (on the cell's text) nothing toggles.
    ui.host.Clear();
    ui.Click(85, 35);
    EXPECT_FALSE(cell->GetCheck());
    EXPECT_TRUE(Checked().empty());
}

TEST_F(CheckCellInput, SpaceBarTogglesOnlyWhereAClickWould)
{
    struct Case {
        const char* name;
        BOOL readOnly;
        const char* enable;
        bool toggles;
    } cases[] = {
        {"plain", FALSE, "1", true},
        {"read-only", TRUE, "1", false},
        {"enablecheck off", FALSE, "no", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cell->SetCheck(FALSE);
        cell->SetReadOnly(c.readOnly);
        cell->SetControlProperty("enablecheck", c.enable);
        ui.host.Clear();
        ui.Char(' ');
        EXPECT_EQ(c.toggles, cell->GetCheck() != FALSE);
        EXPECT_EQ(c.toggles ? 1u : 0u, Checked().size());
        // A click on the box behaves the same.
        cell->SetCheck(FALSE);
        ui.host.Clear();
        const CPoint box = BoxCentre();
        ui.Click(box.x, box.y);
        EXPECT_EQ(c.toggles, cell->GetCheck() != FALSE);
        EXPECT_EQ(c.toggles ? 1u : 0u, Checked().size());
    }
    // Another character opens no editor and changes nothing.
    cell->SetReadOnly(FALSE);
    cell->SetControlProperty("enablecheck", "1");
    cell->SetCheck(FALSE);
    ui.host.Clear();
    ui.Char('x');
    EXPECT_FALSE(cell->GetCheck());
    EXPECT_FALSE(cell->IsEditing());
}

TEST_F(CheckCellInput, ABoxTooBigForItsCellCannotBeClicked)
{
    cell->SetControlProperty("size", "40");
    CRect rect;
    ui.Grid().GetCellRect(1, 1, &rect);
    EXPECT_TRUE(cell->GetBoxRect(rect).IsRectEmpty());
    ui.Click(45, 30);
    EXPECT_FALSE(cell->GetCheck());
    EXPECT_TRUE(Checked().empty());
}

TEST_F(CheckCellInput, PaintsTheTickOfTheXpStyle)
{
    cell->SetControl("<control displaystyle = \"XP\" tickcolor = \"RGB(1,2,3)\" setcheck = \"1\" ></control>");
    CRect rect;
    ui.Grid().GetCellRect(1, 1, &rect);
    const CRect box = cell->GetBoxRect(rect);
    ASSERT_FALSE(box.IsRectEmpty());
    CDC dc;
    CBitmap bitmap;
    CClientDC screen(&ui.Grid());
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 100));
    dc.SelectObject(&bitmap);
    ASSERT_TRUE(cell->Draw(&dc, 1, 1, rect));
    // Row 7 of the tick runs from column 3 to 7; column 1 stays clear.
    EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(box.left + 5, box.top + 7));
    EXPECT_NE(RGB(1, 2, 3), dc.GetPixel(box.left + 1, box.top + 7));
    EXPECT_EQ(RGB(99, 130, 165), dc.GetPixel(box.left, box.top + 5)) << "the frame";
    cell->SetCheck(FALSE);
    cell->Draw(&dc, 1, 1, rect);
    EXPECT_NE(RGB(1, 2, 3), dc.GetPixel(box.left + 5, box.top + 7));
}

}  // namespace
