// Aggregates over a range (SUM(A1:D20), COUNT(...), ...) computed on numbers
// and kept from one set to the next answer exactly what the function gives
// for the range's joined text. Random fills and changes (texts, numbers,
// blanks, merged blocks, inserted and deleted rows, other cell types, changes
// made on a cell without telling the grid) are checked, after every set,
// against the function called with the joined text built here from the cells.
#include "cellcontent/formula/CellNameConverter.h"
#include "cellcontent/formula/FormulaEngine.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"

#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

const int kRows = 31;   // rows 1 .. 30 below one fixed row
const int kCols = 8;    // A .. G right of one fixed column

struct Aggregate {
    const char* name;
    WORD id;
};
const Aggregate kAggregates[] = {
    {"SUM", FORMULA_FN_SUM},       {"AVERAGE", FORMULA_FN_AVERAGE}, {"MAX", FORMULA_FN_MAX},
    {"MIN", FORMULA_FN_MIN},       {"COUNT", FORMULA_FN_COUNT},     {"SUMSQ", FORMULA_FN_SUMSQ},
    {"COUNTA", FORMULA_FN_COUNTA}, {"COUNTBLANK", FORMULA_FN_COUNTBLANK},
    {"AND", FORMULA_FN_AND},       {"OR", FORMULA_FN_OR},
};

// "%f" without trailing zeros, "-0" as "0": a number's value text.
std::string NumberText(double d)
{
    char buffer[512];
    std::snprintf(buffer, sizeof(buffer), "%f", d);
    std::string s = buffer;
    const size_t point = s.find('.');
    if (point != std::string::npos) {
        size_t end = s.size();
        while (end > point + 1 && s[end - 1] == '0')
            --end;
        if (end == point + 1)
            end = point;
        s.resize(end);
    }
    if (s == "-0")
        s = "0";
    return s;
}

// What the formula cell shows for FN(range), worked out from the joined text.
std::string Expected(CGridCtrl& grid, WORD id, int r0, int c0, int r1, int c1)
{
    std::string joined;
    bool bNotANumber = false;
    r1 = std::min(r1, grid.GetRowCount() - 1);
    c1 = std::min(c1, grid.GetColumnCount() - 1);
    for (int r = std::max(r0, 0); r <= r1; ++r) {
        for (int c = std::max(c0, 0); c <= c1; ++c) {
            if (!joined.empty())
                joined += FORMULA_RANGE_SEPARATOR;
            CGridCellBase* cell = grid.GetCell(r, c);
            if (cell == nullptr || (cell->IsMerged() && cell->GetMergeOwner() != CGridCellPos(r, c)))
                continue;
            if (cell->IsNumber()) {
                const double d = cell->GetValue();
                if (std::isfinite(d))
                    joined += NumberText(d);
                else
                    bNotANumber = true;
            } else if (cell->GetText() != nullptr) {
                joined += cell->GetText();
            }
        }
    }
    CFormulaEngine engine;
    CStringArray args;
    args.Add(CString(joined));
    const CString value = engine.CallBuiltinFunction(id, args);
    const CString error = engine.GetErrorText();
    if (!error.IsEmpty())
        return error.Str();
    return bNotANumber ? std::string("#数值计算错误!") : value.Str();
}

std::string Name(int row, int col)
{
    return CCellNameConverter().ColumnToLetters(col).Str() + std::to_string(row);
}

struct Checker {
    CGridCtrl& grid;
    int checked = 0;

    // Checks every formula cell of the sheet of the form FN(X:Y); with a
    // changed cell, only those whose range holds it (the ones just
    // recalculated).
    void Check(int changedRow, int changedCol, const std::string& step)
    {
        for (int r = 1; r < grid.GetRowCount(); ++r) {
            for (int c = 1; c < grid.GetColumnCount(); ++c) {
                const std::string formula = grid.GetCellFormula(r, c).Str();
                if (formula.empty())
                    continue;
                const size_t open = formula.find('(');
                const size_t colon = formula.find(':');
                const size_t close = formula.find(')');
                if (open == std::string::npos || colon == std::string::npos || close == std::string::npos)
                    continue;
                const std::string fn = formula.substr(1, open - 1);
                const Aggregate* agg = nullptr;
                for (const Aggregate& a : kAggregates)
                    agg = fn == a.name ? &a : agg;
                int r0 = -1, c0 = -1, r1 = -1, c1 = -1;
                if (agg == nullptr ||
                    !CCellNameConverter().ParseCellName(formula.substr(open + 1, colon - open - 1).c_str(), r0, c0) ||
                    !CCellNameConverter().ParseCellName(formula.substr(colon + 1, close - colon - 1).c_str(), r1, c1))
                    continue;
                if (changedRow >= 0 && !(changedRow >= r0 && changedRow <= r1 && changedCol >= c0 && changedCol <= c1))
                    continue;
                ASSERT_EQ(gridtest::Text(grid, r, c), Expected(grid, agg->id, r0, c0, r1, c1))
                    << formula << " in " << Name(r, c) << " after " << step;
                ++checked;
            }
        }
    }
};

const char* const kTexts[] = {"",   "0",    "-0",  "5",   "12.5", "0.1", "abc", "3e2", "1e999", " 7",
                              "-3", "2,5",  "9007199254740993",   "7",   "0.30000000000000004", "-12",
                              "1e-7", "x\n!\n!\n!y"};
const double kNumbers[] = {0.0, -0.0, 1.0, 2.5, 1e-7, 123456789.123, 1e300, -4.0, 0.1, 4503599627370497.0, -7.0,
                           HUGE_VAL, 12345678901.123456, -98765432109.37};
const int kTextCount = static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]));
const int kNumberCount = static_cast<int>(sizeof(kNumbers) / sizeof(kNumbers[0]));

}  // namespace

TEST(GridFormulaRangeValues, RandomFillsAndChangesAnswerAsTheJoinedText)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto grid = gridtest::MakeSheet(kRows, kCols, 1, 1);
        Checker checker{*grid};

        // Totals in column G over ranges of A..D (some reaching past the
        // sheet's end), and in F25.. over ranges that hold the formulas of
        // column D's last rows.
        for (int i = 1; i <= 12; ++i) {
            const Aggregate& a = kAggregates[pick(10)];
            const int r0 = 1 + pick(20);
            const int c0 = 1 + pick(4);
            const int r1 = r0 + pick(12) + (pick(5) == 0 ? 100 : 0);
            const int c1 = c0 + pick(5 - c0);
            const std::string f = std::string("=") + a.name + "(" + Name(r0, c0) + ":" + Name(r1, c1) + ")";
            ASSERT_TRUE(grid->SetCellFormula(i, 7, f.c_str())) << f;
        }
        ASSERT_TRUE(grid->SetCellFormula(26, 4, "=SUM(A1:C20)"));
        ASSERT_TRUE(grid->SetCellFormula(27, 4, "=COUNT(A1:B10)"));
        ASSERT_TRUE(grid->SetCellFormula(25, 6, "=SUM(C20:D30)"));
        ASSERT_TRUE(grid->SetCellFormula(26, 6, "=COUNTA(D1:D30)"));
        ASSERT_TRUE(grid->SetCellFormula(27, 6, "=MAX(A1:D30)"));
        checker.Check(-1, -1, "the formulas were set");

        for (int step = 0; step < 400; ++step) {
            const int row = 1 + pick(24);
            const int col = 1 + pick(4);
            const std::string at = Name(row, col);
            switch (pick(16)) {
            case 0: {   // a column filled top to bottom
                const int c = 1 + pick(4);
                for (int r = 1; r <= 24; ++r) {
                    grid->SetCellText(r, c, std::to_string(pick(1000) - 200).c_str());
                    checker.Check(r, c, "filling " + Name(r, c));
                }
                break;
            }
            case 1:
            case 2:
                grid->SetCellValue(row, col, kNumbers[pick(kNumberCount)]);
                checker.Check(row, col, "a number in " + at);
                break;
            case 3:   // changed without telling the grid
                if (CGridCellBase* cell = grid->GetCell(row, col))
                    cell->SetText(kTexts[pick(kTextCount)]);
                break;
            case 4:
                if (pick(3) == 0) {
                    grid->MergeCells(row, col, row + pick(2), col + pick(2));
                } else {
                    grid->UnMergeCells(1, 1, 24, 4);
                }
                break;
            case 5:
                if (pick(2) == 0)
                    grid->InsertRows(row, 1 + pick(2), FALSE);
                else
                    grid->DeleteRows(row, 1 + pick(2));
                grid->SetRowCount(kRows);
                break;
            case 6:
                grid->SetCellType(row, col, pick(2) == 0 ? GCT_NUMERIC : GCT_EDIT);
                break;
            case 7:
                grid->CalcAll();
                checker.Check(-1, -1, "CalcAll");
                break;
            default:
                grid->SetCellText(row, col, kTexts[pick(kTextCount)]);
                checker.Check(row, col, "a text in " + at);
                break;
            }
            if (::testing::Test::HasFatalFailure())
                return;
        }
        grid->CalcAll();
        checker.Check(-1, -1, "the last CalcAll");
        EXPECT_GT(checker.checked, 400);
    }
}

// The sum a column keeps while it is filled, then changed in place, then
// emptied from the middle: each value the total shows is the one a new
// reading gives.
TEST(GridFormulaRangeValues, KeptTotalFollowsFillsChangesAndBlanks)
{
    auto grid = gridtest::MakeSheet(202, 4, 1, 1);
    ASSERT_TRUE(grid->SetCellFormula(1, 3, "=SUM(A1:A200)"));
    ASSERT_TRUE(grid->SetCellFormula(2, 3, "=MAX(A1:A200)"));
    ASSERT_TRUE(grid->SetCellFormula(3, 3, "=AVERAGE(A1:A200)"));
    Checker checker{*grid};
    for (int r = 1; r <= 200; ++r) {
        grid->SetCellText(r, 1, std::to_string(r * 3 % 17).c_str());
        checker.Check(r, 1, "filling row " + std::to_string(r));
    }
    EXPECT_EQ(gridtest::Text(*grid, 1, 3), "1599");
    for (int r = 50; r <= 60; ++r) {
        grid->SetCellText(r, 1, r == 55 ? "" : "0.1");
        checker.Check(r, 1, "changing row " + std::to_string(r));
    }
    for (int r = 200; r >= 150; r -= 7) {
        grid->SetCellValue(r, 1, r / 4.0);
        checker.Check(r, 1, "a number in row " + std::to_string(r));
    }
    // Large values with decimals, where the order of additions shows in the
    // sixth decimal: changed in place, they need a new reading.
    for (int r = 1; r <= 200; ++r)
        grid->SetCellText(r, 1, (std::to_string(12345678901LL + r * 7919) + ".1" + std::to_string(r % 7)).c_str());
    checker.Check(-1, -1, "large values");
    for (int r = 20; r <= 180; r += 9) {
        grid->SetCellText(r, 1, (std::to_string(98765432109LL - r) + ".3" + std::to_string(r % 9)).c_str());
        checker.Check(r, 1, "a large value in row " + std::to_string(r));
    }
    EXPECT_EQ(checker.checked, 3 * (200 + 11 + 8 + 1 + 18));
}
