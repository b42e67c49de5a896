// A change of the system colours while a grid is alive: the default cells take
// the new window colours, and cells that inherit them still count as having
// no colour of their own (selection tint, odd-row colours, unerased paint).
#include "grid/cellpaint_util.h"

#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace cellpainttest;

namespace {

const COLORREF kTint = 0xF5ECEA;
const COLORREF kNewWindow = RGB(230, 231, 232);
const COLORREF kNewWindowText = RGB(20, 30, 40);

class SysColourChange : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override
    {
        // Back to the standard scheme for the tests that follow.
        Headless::Reset();
        CacheDefaultColours();
    }
};

struct Case {
    const char* name;
    int row;
    BOOL erase;
    std::function<void(CGridCtrl&, CGridCellBase&)> setup;
    COLORREF fill;   // at the middle of the cell; kUnpainted: no fill
};

TEST_F(SysColourChange, CellsWithoutColoursOfTheirOwnStillInheritAfterTheChange)
{
    const std::vector<Case> cases = {
        {"plain cell, erased: the new window colour", 2, TRUE, [](CGridCtrl&, CGridCellBase&) {}, kNewWindow},
        {"plain cell, not erased: nothing painted", 2, FALSE, [](CGridCtrl&, CGridCellBase&) {}, kUnpainted},
        {"selected: the tint itself", 2, TRUE,
         [](CGridCtrl&, CGridCellBase& c) { c.SetState(c.GetState() | GCS_SELECTED); }, kTint},
        {"odd-row colours", 3, TRUE,
         [](CGridCtrl& g, CGridCellBase&) {
             g.SetRowOddBkColor(RGB(1, 100, 1));
             g.SetRowEvenBkColor(RGB(100, 1, 1));
         },
         RGB(1, 100, 1)},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Headless::Reset();
        CacheDefaultColours();
        auto grid = MakePaintGrid();
        ASSERT_TRUE(GiveWindow(*grid));
        Headless::SetSysColor(COLOR_WINDOW, kNewWindow);
        Headless::SetSysColor(COLOR_WINDOWTEXT, kNewWindowText);
        grid->SendMessage(WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_EQ(kNewWindow, grid->GetDefaultCell(FALSE, FALSE)->GetBackColor());
        EXPECT_EQ(kNewWindowText, grid->GetDefaultCell(FALSE, FALSE)->GetTextColor());

        CGridCellBase* cell = grid->GetCell(tc.row, 2);
        cell->SetText("abc");
        tc.setup(*grid, *cell);
        Canvas canvas;
        ASSERT_TRUE(canvas.Ok());
        ASSERT_TRUE(cell->Draw(&canvas.dc, tc.row, 2, kCellRect, tc.erase));
        EXPECT_EQ(tc.fill, canvas.At(40, 20));
    }
}

TEST_F(SysColourChange, ACellWithAColourOfItsOwnKeepsIt)
{
    auto grid = MakePaintGrid();
    ASSERT_TRUE(GiveWindow(*grid));
    CGridCellBase* cell = grid->GetCell(2, 2);
    cell->SetBackColor(RGB(200, 100, 50));
    Headless::SetSysColor(COLOR_WINDOW, kNewWindow);
    grid->SendMessage(WM_SYSCOLORCHANGE, 0, 0);
    Canvas canvas;
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, FALSE));
    EXPECT_EQ(RGB(200, 100, 50), canvas.At(40, 20));
    cell->SetState(cell->GetState() | GCS_SELECTED);
    Canvas selected;
    ASSERT_TRUE(cell->Draw(&selected.dc, 2, 2, kCellRect, FALSE));
    EXPECT_EQ(MixColours(RGB(200, 100, 50), kTint), selected.At(40, 20));
}

}  // namespace
