// Sorting rows by a column: numeric and text comparisons, the sort-type list,
// what stays in place and what travels with the rows.
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::Text;

namespace {

// A sheet of one header row and column with the given column-1 cells: a
// leading '#' makes the rest a number.
std::unique_ptr<CGridCtrl> SheetOf(const std::vector<std::string>& values)
{
    auto grid = MakeSheet(static_cast<int>(values.size()) + 1, 3, 1, 1);
    for (size_t i = 0; i < values.size(); ++i) {
        CGridCellBase* cell = grid->GetCell(static_cast<int>(i) + 1, 1);
        if (!values[i].empty() && values[i][0] == '#')
            cell->SetValue(std::stod(values[i].substr(1)));
        else
            cell->SetText(values[i].c_str());
        grid->GetCell(static_cast<int>(i) + 1, 2)->SetText(("r" + std::to_string(i)).c_str());
    }
    return grid;
}

// Column 2 of the data rows after the sort, which names each row's origin.
std::vector<std::string> Origins(CGridCtrl& grid)
{
    std::vector<std::string> origins;
    for (int row = 1; row < grid.GetRowCount(); ++row)
        origins.push_back(Text(grid, row, 2));
    return origins;
}

TEST(GridSort, NumericAndTextOrders)
{
    struct Case {
        const char* name;
        std::vector<std::string> values;
        BOOL ascending;
        int sortType;                 // -1 none, 0 text, 1 numeric
        std::vector<std::string> origins;
    } cases[] = {
        {"numbers ascending", {"#10", "#2", "#33", "#2.5"}, TRUE, -1, {"r1", "r3", "r0", "r2"}},
        {"numbers descending", {"#10", "#2", "#33", "#2.5"}, FALSE, -1, {"r2", "r0", "r3", "r1"}},
        {"texts", {"b", "a", "c"}, TRUE, -1, {"r1", "r0", "r2"}},
        // Two-byte characters sort after every single byte.
        {"chinese after ascii", {"中", "z", "A"}, TRUE, -1, {"r2", "r1", "r0"}},
        {"number texts as text", {"10", "9", "100"}, TRUE, -1, {"r0", "r2", "r1"}},
        {"number texts as numbers", {"10", "9", "100"}, TRUE, 1, {"r1", "r0", "r2"}},
        {"forced text sort of numbers", {"#10", "#9"}, TRUE, 0, {"r0", "r1"}},
        // The first data cell decides without a sort type: text here, so
        // numbers compare by their (empty) text and keep their order.
        {"first cell decides", {"x", "#5", "a"}, TRUE, -1, {"r1", "r2", "r0"}},
    };
    for (const Case& c : cases) {
        auto grid = SheetOf(c.values);
        if (c.sortType >= 0) {
            ASSERT_TRUE(grid->SetColumnSortType(1, c.sortType == 1));
        }
        EXPECT_TRUE(grid->SortColumn(1, c.ascending)) << c.name;
        EXPECT_EQ(c.origins, Origins(*grid)) << c.name;
        EXPECT_EQ(1, grid->GetSortColumn());
        EXPECT_EQ(c.ascending, grid->GetSortAscending());
    }
}

TEST(GridSort, HeadersAndFrozenRowsStayAndRowsTravelWhole)
{
    auto grid = SheetOf({"#9", "#3", "#7", "#1", "#5"});
    grid->SetFreezeTopRows(1);                   // row 1 is frozen
    grid->SetRowHeight(4, 44);                   // the row holding 1
    ASSERT_TRUE(grid->SetCellId(4, 2, "one"));
    grid->SetFocusCell(3, 1);
    ASSERT_TRUE(grid->SortColumn(1, TRUE));
    EXPECT_EQ((std::vector<std::string>{"r0", "r3", "r1", "r4", "r2"}), Origins(*grid));
    EXPECT_EQ("A", Text(*grid, 0, 1));
    EXPECT_EQ(44, grid->GetRowHeight(2));
    EXPECT_EQ(CString("one"), grid->GetCellId(2, 2));
    ASSERT_EQ(1u, grid->GetCellIdTable().size());
    EXPECT_EQ(2, grid->GetCellIdTable()[0].row);
    EXPECT_EQ(CGridCellPos(), grid->GetFocusCell());
    EXPECT_EQ(0, grid->GetSelectedCount());
}

TEST(GridSort, RefusalsAndSortTypes)
{
    auto grid = SheetOf({"#1"});
    EXPECT_FALSE(grid->SortColumn(1, TRUE));     // one row: nothing to sort
    EXPECT_FALSE(grid->SortColumn(3, TRUE));
    EXPECT_FALSE(grid->SetColumnSortType(3, TRUE));
    EXPECT_TRUE(grid->SetColumnSortType(2, TRUE));
    EXPECT_TRUE(grid->SetColumnSortType(2, FALSE));
    ASSERT_EQ(1u, grid->GetColumnSortTypes().size());
    EXPECT_FALSE(grid->GetColumnSortTypes()[0].bNumeric);
    EXPECT_EQ(0, grid->FindColumnSortType(2));
    EXPECT_EQ(-1, grid->FindColumnSortType(1));
}

TEST(GridSort, EqualKeysKeepTheirOrder)
{
    struct Case {
        const char* name;
        std::vector<std::string> values;
        BOOL ascending;
        std::vector<std::string> origins;
    } cases[] = {
        {"numbers ascending", {"#2", "#1", "#2", "#1", "#3", "#2"}, TRUE, {"r1", "r3", "r0", "r2", "r5", "r4"}},
        {"numbers descending", {"#2", "#1", "#2", "#1", "#3", "#2"}, FALSE, {"r4", "r0", "r2", "r5", "r1", "r3"}},
        {"texts ascending", {"b", "a", "b", "a", "b"}, TRUE, {"r1", "r3", "r0", "r2", "r4"}},
        {"texts descending", {"b", "a", "b", "a", "b"}, FALSE, {"r0", "r2", "r4", "r1", "r3"}},
        {"all equal", {"#7", "#7", "#7", "#7"}, TRUE, {"r0", "r1", "r2", "r3"}},
        {"all equal descending", {"#7", "#7", "#7", "#7"}, FALSE, {"r0", "r1", "r2", "r3"}},
        // A number whose text is not a number reads as 0 by atof.
        {"numbers and their texts", {"#0", "x", "#-1", "y"}, TRUE, {"r2", "r0", "r1", "r3"}},
    };
    for (const Case& c : cases) {
        auto grid = SheetOf(c.values);
        EXPECT_TRUE(grid->SortColumn(1, c.ascending)) << c.name;
        EXPECT_EQ(c.origins, Origins(*grid)) << c.name;
    }
}

// The orders sheets arrive in, small: the result is the stable order of the
// keys, and heights and cell ids travel with their rows.
TEST(GridSort, EverydayOrdersSortStably)
{
    const int n = 300;
    struct Case {
        const char* name;
        std::function<int(int)> key;
    } cases[] = {
        {"two sorted halves", [](int i) { return i < n / 2 ? 2 * i : 2 * (i - n / 2) + 1; }},
        {"two sorted halves with equal keys", [](int i) { return (i < n / 2 ? i : i - n / 2) / 3; }},
        {"rising then falling", [](int i) { return i < n / 2 ? i : n - i; }},
        {"falling then rising", [](int i) { return i < n / 2 ? n - i : i; }},
        {"sorted", [](int i) { return i; }},
        {"reversed", [](int i) { return n - i; }},
        {"few distinct keys", [](int i) { return (i * 7) % 5; }},
        {"saw teeth", [](int i) { return i % 17; }},
        {"shuffled", [](int i) { return (i * 7919) % n; }},
    };
    for (const Case& c : cases) {
        for (BOOL ascending : {TRUE, FALSE}) {
            SCOPED_TRACE(std::string(c.name) + (ascending ? " ascending" : " descending"));
            auto grid = MakeSheet(n + 1, 3, 1, 1);
            std::vector<int> keys(n);
            for (int i = 0; i < n; ++i) {
                keys[static_cast<size_t>(i)] = c.key(i);
                grid->GetCell(i + 1, 1)->SetValue(keys[static_cast<size_t>(i)]);
                grid->GetCell(i + 1, 2)->SetText(std::to_string(i).c_str());
                grid->SetRowHeight(i + 1, 10 + i);
            }
            ASSERT_TRUE(grid->SetCellId(1 + n / 2, 2, "middle"));

            std::vector<int> expected(n);
            for (int i = 0; i < n; ++i)
                expected[static_cast<size_t>(i)] = i;
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                return ascending ? keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)]
                                 : keys[static_cast<size_t>(a)] > keys[static_cast<size_t>(b)];
            });

            ASSERT_TRUE(grid->SortColumn(1, ascending));
            int middleRow = -1;
            for (int row = 1; row <= n; ++row) {
                int origin = expected[static_cast<size_t>(row - 1)];
                ASSERT_EQ(std::to_string(origin), Text(*grid, row, 2)) << "row " << row;
                EXPECT_EQ(10 + origin, grid->GetRowHeight(row));
                auto* cell = static_cast<CGridCell*>(grid->GetCell(row, 2));
                EXPECT_EQ(row, cell->GetRow());
                EXPECT_EQ(2, cell->GetCol());
                if (origin == n / 2)
                    middleRow = row;
            }
            EXPECT_EQ(CString("middle"), grid->GetCellId(middleRow, 2));
            ASSERT_EQ(1u, grid->GetCellIdTable().size());
            EXPECT_EQ(middleRow, grid->GetCellIdTable()[0].row);
        }
    }
}

TEST(GridSort, OrderedAndReversedSheetsSortWithoutDeepRecursion)
{
    const int rows = 20000;
    for (bool reversed : {false, true}) {
        auto grid = MakeSheet(rows + 1, 2, 1, 1);
        for (int i = 0; i < rows; ++i)
            grid->GetCell(i + 1, 1)->SetValue(reversed ? rows - i : (i % 2 == 0 ? i : rows + i));
        ASSERT_TRUE(grid->SortColumn(1, TRUE));
        bool ordered = true;
        for (int row = 2; row <= rows && ordered; ++row)
            ordered = grid->GetCell(row - 1, 1)->GetValue() <= grid->GetCell(row, 1)->GetValue();
        EXPECT_TRUE(ordered) << reversed;
    }
}

}  // namespace
