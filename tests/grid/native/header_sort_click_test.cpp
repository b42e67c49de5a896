// Header clicks in a (headless) grid window sort by the clicked column when
// the switch is on; a click over rows that a taller merged block spans sorts
// nothing and leaves the order, the sort column and the blocks as they were.
#include "window_test_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwindowtest::LayOut;
using gridwindowtest::RecordingParent;

namespace {

// A grid whose header clicks sort, as the host's switch turns them on.
class HeaderSortGrid : public CGridCtrl {
public:
    HeaderSortGrid() { m_bHeaderSort = TRUE; }
};

LPARAM At(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class HeaderSortClick : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        parent.CreateTopLevel(404, 304);
        LayOut(grid, 6, 5, 1, 1);
        grid.Create(CRect(0, 0, 404, 304), &parent, 77, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
        const int keys[] = {30, 10, 50, 20, 40};
        for (int row = 1; row <= 5; ++row) {
            grid.SetCellText(row, 1, std::to_string(keys[row - 1]).c_str());
            grid.SetCellText(row, 2, ("r" + std::to_string(row)).c_str());
        }
    }

    void ClickHeader(int col)
    {
        CRect rect;
        ASSERT_TRUE(grid.GetCellRect(0, col, &rect));
        const LPARAM at = At((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        grid.SendMessage(WM_LBUTTONUP, 0, at);
    }

    std::vector<std::string> Origins()
    {
        std::vector<std::string> origins;
        for (int row = 1; row <= 5; ++row)
            origins.push_back(grid.GetCell(row, 2)->GetText());
        return origins;
    }

    RecordingParent parent;
    HeaderSortGrid grid;
};

TEST_F(HeaderSortClick, ClicksSortAndTurnTheDirection)
{
    grid.MergeCells(3, 3, 3, 4);              // inside row 3: travels with it
    ClickHeader(1);
    EXPECT_EQ((std::vector<std::string>{"r2", "r4", "r1", "r5", "r3"}), Origins());
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_EQ(CGridCellRange(5, 3, 5, 4), grid.GetCell(5, 4)->GetMergeRange());
    EXPECT_FALSE(grid.IsCellMerged(3, 3));
    ClickHeader(1);
    EXPECT_EQ((std::vector<std::string>{"r3", "r5", "r1", "r4", "r2"}), Origins());
    EXPECT_FALSE(grid.GetSortAscending());
}

TEST_F(HeaderSortClick, AClickOverATallBlockSortsNothing)
{
    grid.MergeCells(2, 3, 3, 4);
    ClickHeader(1);
    EXPECT_EQ((std::vector<std::string>{"r1", "r2", "r3", "r4", "r5"}), Origins());
    EXPECT_EQ(-1, grid.GetSortColumn());
    for (int row = 2; row <= 3; ++row)
        for (int col = 3; col <= 4; ++col)
            EXPECT_EQ(CGridCellRange(2, 3, 3, 4), grid.GetCell(row, col)->GetMergeRange());
    EXPECT_EQ(1u, grid.GetMergeOwners().size());
}

}  // namespace
