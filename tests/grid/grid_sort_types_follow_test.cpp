// A column's sort type stays with the column when columns are inserted,
// deleted or moved, as its width does.
#include "GridTestUtil.h"

#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using gridtest::MakeSheet;

namespace {

// Column -> numeric, for the columns the list names.
std::map<int, bool> Types(const CGridCtrl& grid)
{
    std::map<int, bool> types;
    for (const GridColumnSortType& t : grid.GetColumnSortTypes())
        types[t.col] = t.bNumeric != FALSE;
    return types;
}

TEST(GridSortTypes, FollowInsertedDeletedAndMovedColumns)
{
    const struct {
        const char* what;
        std::function<void(CGridCtrl&)> change;
        std::map<int, bool> types;
    } cases[] = {
        {"nothing", [](CGridCtrl&) {}, {{2, true}, {4, false}, {6, true}}},
        {"two inserted before column 4", [](CGridCtrl& g) { ASSERT_TRUE(g.InsertColumns(4, 2, FALSE)); },
         {{2, true}, {6, false}, {8, true}}},
        {"one inserted after the last", [](CGridCtrl& g) { ASSERT_TRUE(g.InsertColumns(7, 1, TRUE)); },
         {{2, true}, {4, false}, {6, true}}},
        {"3 and 4 deleted", [](CGridCtrl& g) { ASSERT_EQ(2, g.DeleteColumns(3, 2)); },
         {{2, true}, {4, true}}},
        {"1 deleted", [](CGridCtrl& g) { ASSERT_EQ(1, g.DeleteColumns(1, 1)); },
         {{1, true}, {3, false}, {5, true}}},
        {"6 moved onto 2", [](CGridCtrl& g) { ASSERT_TRUE(g.MoveColumn(6, 2)); },
         {{2, true}, {3, true}, {5, false}}},
        {"2 moved onto 5", [](CGridCtrl& g) { ASSERT_TRUE(g.MoveColumn(2, 5)); },
         {{3, false}, {5, true}, {6, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto grid = MakeSheet(5, 8, 1, 1);
        ASSERT_TRUE(grid->SetColumnSortType(2, TRUE));
        ASSERT_TRUE(grid->SetColumnSortType(4, FALSE));
        ASSERT_TRUE(grid->SetColumnSortType(6, TRUE));
        grid->SetColumnWidth(4, 77);
        const int widthBefore = grid->GetColumnWidth(4);
        c.change(*grid);
        EXPECT_EQ(c.types, Types(*grid));
        // The width of the column typed "text" went the same way.
        for (const auto& t : c.types) {
            if (!t.second)
                EXPECT_EQ(widthBefore, grid->GetColumnWidth(t.first));
        }
    }
}

}  // namespace
