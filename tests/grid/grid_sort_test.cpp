// Sorting rows by a column: numeric and text comparisons, the sort-type list,
// what stays in place and what travels with the rows.
#include "GridTestUtil.h"
#include "formula_test_util.h"

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

// A grid whose header clicks sort, as the host's switch turns them on, and
// do not select the column (so the focus shows what the sort did).
class HeaderSortGrid : public CGridCtrl {
public:
    HeaderSortGrid()
    {
        m_bHeaderSort = TRUE;
        m_bColumnSelectByHeader = FALSE;
    }
};

// What a sort moved, row by row: column 2's origin names.
std::vector<std::string> OriginsOf(CGridCtrl& grid, int first, int last)
{
    std::vector<std::string> origins;
    for (int row = first; row <= last; ++row)
        origins.push_back(Text(grid, row, 2));
    return origins;
}

// Rows 1..5 keyed 30, 10, 50, 20, 40 in column 1 and named r1..r5 in column 2.
void FillKeys(CGridCtrl& grid)
{
    const int keys[] = {30, 10, 50, 20, 40};
    for (int i = 0; i < 5; ++i) {
        grid.SetCellText(i + 1, 1, std::to_string(keys[i]).c_str());
        grid.SetCellText(i + 1, 2, ("r" + std::to_string(i + 1)).c_str());
    }
}

// References follow the rows they name: the formulas inside the sorted rows,
// and outside them. Sorted ascending the rows go 1->3, 2->1, 3->5, 4->2, 5->4.
TEST(GridSort, FormulaReferencesFollowTheirRows)
{
    using namespace formulatest;
    auto grid = MakeSheet(8, 5, 1, 1);
    FillKeys(*grid);
    ASSERT_TRUE(SetFormula(*grid, "C1", "=A1*2"));        // reads its own row
    ASSERT_TRUE(SetFormula(*grid, "C3", "=A2+1"));        // reads another sorted row
    ASSERT_TRUE(SetFormula(*grid, "D6", "=A1"));
    ASSERT_TRUE(SetFormula(*grid, "D7", "=SUM(A1:A5)"));  // holds every sorted row
    ASSERT_TRUE(SetFormula(*grid, "C7", "=SUM(A1:A2)"));  // rows the sort scatters
    ASSERT_TRUE(SetFormula(*grid, "C6", "=C3*100"));      // a formula cell that moves
    EXPECT_EQ(Text(*grid, "C7"), "40");
    EXPECT_EQ(Text(*grid, "C6"), "1100");

    ASSERT_TRUE(grid->SortRowRange(CGridCtrl::CompareCellsNumeric, 1, TRUE, 0, 1, 5));
    EXPECT_EQ((std::vector<std::string>{"r2", "r4", "r1", "r5", "r3"}), OriginsOf(*grid, 1, 5));
    struct Expect {
        const char* cell;
        const char* formula;
        const char* value;
    } expected[] = {
        {"C3", "=A3*2", "60"},
        {"C5", "=A1+1", "11"},
        {"D6", "=A3", "30"},
        {"D7", "=SUM(A1:A5)", "150"},
        {"C7", "=SUM(A1:A2)", "30"},   // keeps its place and sums what is there now
        {"C6", "=C5*100", "1100"},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(Formula(*grid, e.cell), e.formula) << e.cell;
        EXPECT_EQ(Text(*grid, e.cell), e.value) << e.cell;
    }
    EXPECT_EQ(Formula(*grid, "C1"), "");

    // The formula index found the cells where they went: a change reaches them.
    SetText(*grid, "A3", "7");
    EXPECT_EQ(Text(*grid, "C3"), "14");
    EXPECT_EQ(Text(*grid, "D6"), "7");
    EXPECT_EQ(Text(*grid, "D7"), "127");
    SetText(*grid, "A1", "1");
    EXPECT_EQ(Text(*grid, "C5"), "2");
    EXPECT_EQ(Text(*grid, "C6"), "200");
    EXPECT_EQ(Text(*grid, "C7"), "21");
    EXPECT_EQ(6u, grid->GetFormulaCells().size());
    for (const CGridCellPos& pos : grid->GetFormulaCells())
        EXPECT_EQ(grid->GetCellType(pos.row, pos.col), GCT_FORMULA);
    EXPECT_EQ(6, grid->CalcAll());
}

// The sort by a column of formulas, descending: each formula's reference
// into another column follows its row, so every value stays with its row.
TEST(GridSort, AColumnOfFormulasSortsByItsValues)
{
    using namespace formulatest;
    auto grid = MakeSheet(6, 4, 1, 1);
    const char* inputs[] = {"3", "9", "1", "5"};
    for (int row = 1; row <= 4; ++row) {
        grid->SetCellText(row, 1, inputs[row - 1]);
        grid->SetCellText(row, 2, ("r" + std::to_string(row)).c_str());
        const std::string formula = "=A" + std::to_string(row) + "*10";
        ASSERT_TRUE(grid->SetCellFormula(row, 3, formula.c_str()));
    }
    ASSERT_TRUE(grid->SetColumnSortType(3, TRUE));
    ASSERT_TRUE(grid->SortColumn(3, FALSE));
    EXPECT_EQ((std::vector<std::string>{"r2", "r4", "r1", "r3", ""}), OriginsOf(*grid, 1, 5));
    const char* values[] = {"90", "50", "30", "10"};
    for (int row = 1; row <= 4; ++row) {
        const std::string formula = "=A" + std::to_string(row) + "*10";
        EXPECT_EQ(std::string(grid->GetCellFormula(row, 3)), formula) << row;
        EXPECT_EQ(Text(*grid, row, 3), values[row - 1]) << row;
    }
}

// Merged blocks and the sort: a block inside one row travels with the row; a
// block taller than a row among the sorted rows refuses the sort, which then
// changes nothing (not the order, the sort column, the focus or the selection).
TEST(GridSort, MergedBlocksTravelWithTheirRowOrRefuseTheSort)
{
    struct Block {
        int r1, c1, r2, c2;
    };
    struct Case {
        const char* name;
        std::vector<Block> blocks;
        bool sorts;
    } cases[] = {
        {"a block inside one row", {{1, 2, 1, 3}}, true},
        {"two blocks inside rows", {{1, 2, 1, 3}, {5, 1, 5, 4}}, true},
        {"a block over two sorted rows", {{2, 3, 3, 3}}, false},
        {"a block from the header row into the sorted rows", {{0, 3, 1, 3}}, false},
        {"a block from the sorted rows into the frozen bottom row", {{5, 4, 6, 4}}, false},
        {"a block in the header row only", {{0, 2, 0, 3}}, true},
        {"a tall block in the frozen bottom rows", {{6, 2, 7, 3}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(8, 5, 1, 1);
        grid->SetFreezeBottomRows(2);                        // rows 6 and 7 stay
        FillKeys(*grid);
        for (const Block& b : c.blocks) {
            grid->MergeCells(b.r1, b.c1, b.r2, b.c2);
            ASSERT_TRUE(grid->IsCellMerged(b.r1, b.c1));
        }
        grid->SetSelectedRange(-1, -1, -1, -1);
        grid->SetFocusCell(2, 4);
        const int selected = grid->GetSelectedCount();

        const BOOL sorted = grid->SortColumn(1, TRUE);
        EXPECT_EQ(sorted != FALSE, c.sorts);
        if (!c.sorts) {
            EXPECT_EQ((std::vector<std::string>{"r1", "r2", "r3", "r4", "r5"}), OriginsOf(*grid, 1, 5));
            EXPECT_EQ(-1, grid->GetSortColumn());
            EXPECT_EQ(CGridCellPos(2, 4), grid->GetFocusCell());
            EXPECT_EQ(selected, grid->GetSelectedCount());
            for (const Block& b : c.blocks) {
                const CGridCellRange range = grid->GetCell(b.r1, b.c1)->GetMergeRange();
                EXPECT_EQ(CGridCellRange(b.r1, b.c1, b.r2, b.c2), range);
            }
            continue;
        }
        ASSERT_EQ((std::vector<std::string>{"r2", "r4", "r1", "r5", "r3"}), OriginsOf(*grid, 1, 5));
        // Each block stands where its row went, every cell naming it and its owner.
        const int newRowOf[] = {0, 3, 1, 5, 2, 4, 6, 7};
        size_t owners = 0;
        for (const Block& b : c.blocks) {
            const int r1 = newRowOf[b.r1];
            const int r2 = newRowOf[b.r2];
            for (int row = r1; row <= r2; ++row) {
                for (int col = b.c1; col <= b.c2; ++col) {
                    CGridCellBase* cell = grid->GetCell(row, col);
                    EXPECT_EQ(CGridCellRange(r1, b.c1, r2, b.c2), cell->GetMergeRange()) << row << "," << col;
                    EXPECT_EQ(CGridCellPos(r1, b.c1), cell->GetMergeOwner()) << row << "," << col;
                }
            }
            EXPECT_TRUE(grid->GetMergeOwners().Contains(CGridCellPos(r1, b.c1)));
            ++owners;
        }
        EXPECT_EQ(owners, grid->GetMergeOwners().size());
        // No cell outside the blocks believes it is merged.
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            for (int col = 0; col < grid->GetColumnCount(); ++col) {
                bool inBlock = false;
                for (const Block& b : c.blocks)
                    inBlock = inBlock || (row >= newRowOf[b.r1] && row <= newRowOf[b.r2] && col >= b.c1 && col <= b.c2);
                EXPECT_EQ(inBlock, grid->IsCellMerged(row, col) != FALSE) << row << "," << col;
            }
        }
    }
}

// Sorting by a header click goes the same way: refused over a tall block,
// with the sort column, the order and the focus as they were.
TEST(GridSort, HeaderClickSortingAndBlocks)
{
    HeaderSortGrid grid;
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(6);
    grid.SetColumnCount(5);
    FillKeys(grid);
    grid.MergeCells(3, 1, 3, 2);              // inside row 3: travels
    CGridCellPos header(0, 1);
    grid.OnFixedRowClick(header);
    EXPECT_EQ((std::vector<std::string>{"r2", "r4", "r1", "r5", "r3"}), OriginsOf(grid, 1, 5));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(CGridCellRange(5, 1, 5, 2), grid.GetCell(5, 2)->GetMergeRange());
    grid.OnFixedRowClick(header);             // again: descending
    EXPECT_EQ((std::vector<std::string>{"r3", "r5", "r1", "r4", "r2"}), OriginsOf(grid, 1, 5));
    EXPECT_FALSE(grid.GetSortAscending());

    grid.MergeCells(2, 3, 4, 3);              // rows 2..4: no sort may split it
    grid.SetFocusCell(4, 4);
    CGridCellPos other(0, 3);
    grid.OnFixedRowClick(other);
    EXPECT_EQ((std::vector<std::string>{"r3", "r5", "r1", "r4", "r2"}), OriginsOf(grid, 1, 5));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(CGridCellPos(4, 4), grid.GetFocusCell());
    EXPECT_EQ(CGridCellRange(2, 3, 4, 3), grid.GetCell(3, 3)->GetMergeRange());
}

// Hidden rows keep their saved height and format rows their mark as they move.
TEST(GridSort, HiddenAndFormatRowsTravel)
{
    auto grid = MakeSheet(6, 3, 1, 1);
    FillKeys(*grid);
    grid->SetRowHeight(1, 33);
    ASSERT_TRUE(grid->SetRowHide(1, TRUE));   // r1 (30) goes to row 3
    grid->AddFormatRow(2);                    // r2 (10) goes to row 1
    ASSERT_TRUE(grid->SortColumn(1, TRUE));
    EXPECT_TRUE(grid->IsRowHide(3));
    EXPECT_FALSE(grid->IsRowHide(1));
    EXPECT_EQ(0, grid->GetRowHeight(3));
    ASSERT_TRUE(grid->SetRowHide(3, FALSE));
    EXPECT_EQ(33, grid->GetRowHeight(3));
    EXPECT_EQ(0, grid->FindFormatRow(1));
    EXPECT_EQ(-1, grid->FindFormatRow(2));
}

}  // namespace
