// The Row and Column members through the generated dispatcher, over the
// control's own grid: counts and fixed counts, sizes, selecting and scrolling
// to a line, insertion and deletion with renumbered headers, whole-line
// colours, hiding at the old size, fixed-line conversions, flags and marks.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Calls a member by name with numbers (and texts) as a script passes them;
// the result as text ("-1"/"0" for bool members, "null" for no object).
std::string Call(CKivoSheetDispatch& target, const std::string& name, const std::vector<long> values = {})
{
    const CMemberInfo* m = FindKivoSheetMemberByName(name.c_str());
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return "";
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc && static_cast<size_t>(i) < values.size(); ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        a.l = static_cast<LONG>(values[static_cast<size_t>(i)]);
        a.s = static_cast<SHORT>(values[static_cast<size_t>(i)]);
        a.d = static_cast<double>(values[static_cast<size_t>(i)]);
    }
    CDispResult r;
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        return std::to_string(r.s);
    case DispType::Long:
        return std::to_string(r.l);
    case DispType::String:
        return std::string("\"") + r.str.GetString() + "\"";
    case DispType::Object:
        return r.obj ? "object" : "null";
    default:
        return "void";
    }
}

// A control whose sheet has 8 rows and 6 columns, one of each fixed, set up
// through the members as a script does.
class RowColumnMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ("-1", Call(ctl, "RowSetCount", {8}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {6}));
        ASSERT_EQ("-1", Call(ctl, "RowSetFixedCount", {1}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetFixedCount", {1}));
        ASSERT_EQ("1", Call(ctl, "ColumnResetFixed"));     // numbers the rows
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
    }
    std::string Text(int row, int col) { return grid->GetCellText(row, col).Str(); }
    std::vector<std::string> RowHeaders()
    {
        std::vector<std::string> out;
        for (int row = grid->GetFixedRowCount(); row < grid->GetRowCount(); ++row)
            out.push_back(Text(row, 0));
        return out;
    }

    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

struct Step {
    const char* member;
    std::vector<long> args;
    const char* answer;
};

void RunSteps(CKivoSheetDispatch& ctl, const std::vector<Step>& steps)
{
    for (const Step& s : steps)
        EXPECT_EQ(s.answer, Call(ctl, s.member, s.args)) << s.member;
}

TEST_F(RowColumnMembers, CountsAndFixedCounts)
{
    RunSteps(ctl, {
                      {"RowGetCount", {}, "8"},
                      {"ColumnGetCount", {}, "6"},
                      {"RowSetCount", {0}, "0"},           // refused, the rows stay
                      {"RowSetCount", {-3}, "0"},
                      {"RowGetCount", {}, "8"},
                      {"ColumnSetCount", {0}, "0"},
                      {"ColumnGetCount", {}, "6"},
                      {"RowSetFixedCount", {8}, "0"},      // as many as the rows: nothing set
                      {"RowSetFixedCount", {-1}, "0"},
                      {"RowGetFixedCount", {}, "1"},
                      {"RowSetFixedCount", {2}, "-1"},
                      {"RowGetFixedCount", {}, "2"},
                      {"ColumnSetFixedCount", {6}, "0"},
                      {"ColumnGetFixedCount", {}, "1"},
                      {"ColumnSetFixedCount", {2}, "-1"},
                      {"ColumnGetFixedCount", {}, "2"},
                      {"RowSetCount", {12}, "-1"},
                      {"RowGetCount", {}, "12"},
                  });
    EXPECT_EQ("10", Text(11, 0));     // the new rows are numbered
}

TEST_F(RowColumnMembers, SizesAndColours)
{
    RunSteps(ctl, {
                      {"RowSetHeight", {2, 31}, "-1"},
                      {"RowGetHeight", {2}, "31"},
                      {"RowSetHeight", {2, -1}, "0"},
                      {"RowSetHeight", {99, 10}, "0"},
                      {"RowGetHeight", {99}, "-1"},
                      {"ColumnSetWidth", {3, 77}, "-1"},
                      {"ColumnGetWidth", {3}, "77"},
                      {"ColumnGetWidth", {-1}, "-1"},
                      {"RowSetBackColor", {3, 0x123456}, "-1"},
                      {"RowGetBackColor", {3}, std::to_string(0x123456).c_str()},
                      {"RowSetTextColor", {3, 0x654321}, "-1"},
                      {"RowGetTextColor", {3}, std::to_string(0x654321).c_str()},
                      {"RowSetBackColor", {30, 1}, "0"},
                      {"ColumnSetBackColor", {2, 0x010203}, "-1"},
                      {"ColumnGetBackColor", {2}, std::to_string(0x010203).c_str()},
                      {"ColumnSetTextColor", {2, 0x0A0B0C}, "-1"},
                      {"ColumnGetTextColor", {2}, std::to_string(0x0A0B0C).c_str()},
                  });
    // Whole-line colours leave the header cells alone.
    EXPECT_NE(static_cast<COLORREF>(0x123456), grid->GetCellBackColor(3, 0));
    EXPECT_EQ(static_cast<COLORREF>(0x123456), grid->GetCellBackColor(3, 5));
}

TEST_F(RowColumnMembers, SelectingWholeLines)
{
    EXPECT_EQ("0", Call(ctl, "RowSelect", {0}));      // a header row is no scrollable row
    EXPECT_EQ("0", Call(ctl, "RowSelect", {8}));
    EXPECT_EQ("-1", Call(ctl, "RowSelect", {3}));
    EXPECT_EQ(CGridCellRange(3, 1, 3, 5), grid->GetSelectedRange());
    EXPECT_EQ("0", Call(ctl, "ColumnSelect", {0}));
    EXPECT_EQ("-1", Call(ctl, "ColumnSelect", {4}));
    EXPECT_EQ(CGridCellRange(1, 4, 7, 4), grid->GetSelectedRange());
}

// The target line becomes the first one scrolled, whatever the sizes of the
// lines before it and of the target itself.
TEST_F(RowColumnMembers, SetTopAndLeftScrollTheLineToTheFront)
{
    ASSERT_EQ("-1", Call(ctl, "RowSetCount", {40}));
    ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {30}));
    grid->SetRowHeight(0, 20);
    grid->SetColumnWidth(0, 30);
    for (int row = 1; row < 40; ++row)
        grid->SetRowHeight(row, 10 + (row % 4) * 9);
    for (int col = 1; col < 30; ++col)
        grid->SetColumnWidth(col, 40 + (col % 3) * 25);
    grid->SetFocusCell(2, 3);
    for (int row : {1, 5, 6, 17}) {
        EXPECT_EQ("-1", Call(ctl, "RowSetTop", {row})) << row;
        EXPECT_EQ(std::to_string(row), Call(ctl, "RowGetTop")) << row;
        EXPECT_EQ(CGridCellPos(row, 3), grid->GetFocusCell()) << row;   // the focus goes along
    }
    EXPECT_EQ("-1", Call(ctl, "RowSetTop", {17}));                        // already the top row
    EXPECT_EQ("17", Call(ctl, "RowGetTop"));
    EXPECT_EQ("0", Call(ctl, "RowSetTop", {0}));
    EXPECT_EQ("0", Call(ctl, "RowSetTop", {40}));

    grid->SetFocusCell(4, 2);
    for (int col : {2, 7, 11}) {
        EXPECT_EQ("-1", Call(ctl, "ColumnSetLeft", {col})) << col;
        EXPECT_EQ(std::to_string(col), Call(ctl, "ColumnGetLeft")) << col;
        EXPECT_EQ(CGridCellPos(4, 2), grid->GetFocusCell()) << col;      // the focus stays
        EXPECT_EQ(CGridCellRange(4, 2, 4, 2), grid->GetSelectedRange()) << col;
    }
    EXPECT_EQ("0", Call(ctl, "ColumnSetLeft", {30}));

    // Without a focus cell the focus goes to the line's first scrollable cell.
    grid->SetFocusCell(-1, -1);
    EXPECT_EQ("-1", Call(ctl, "RowSetTop", {9}));
    EXPECT_EQ(CGridCellPos(9, 1), grid->GetFocusCell());
}

TEST_F(RowColumnMembers, InsertionAndDeletionRenumberTheHeaders)
{
    grid->SetCellText(3, 2, "three");
    RunSteps(ctl, {
                      {"RowInsert", {2, 3, 0}, "-1"},
                      {"RowGetCount", {}, "11"},
                      {"RowInsert", {0, 1, 0}, "0"},        // inside the header row
                      {"RowInsert", {-1, 2, 1}, "-1"},      // appended
                      {"RowGetCount", {}, "13"},
                      {"ColumnInsert", {0, 1, 0}, "0"},
                      {"ColumnInsert", {2, 2, 1}, "-1"},
                      {"ColumnGetCount", {}, "8"},
                  });
    EXPECT_EQ("three", Text(6, 2));
    std::vector<std::string> numbers;
    for (int n = 1; n <= 12; ++n)
        numbers.push_back(std::to_string(n));
    EXPECT_EQ(numbers, RowHeaders());
    EXPECT_EQ("C", Text(0, 3));
    RunSteps(ctl, {
                      {"RowDelete", {2, 3}, "3"},
                      {"RowDelete", {40, 1}, "0"},
                      {"RowDelete", {9, 9}, "1"},           // cut to what is there
                      {"ColumnDelete", {3, 2}, "2"},
                      {"ColumnDelete", {9, 1}, "0"},
                      {"RowGetCount", {}, "9"},
                      {"ColumnGetCount", {}, "6"},
                  });
    EXPECT_EQ("three", Text(3, 2));
    numbers.resize(8);
    EXPECT_EQ(numbers, RowHeaders());
}

TEST_F(RowColumnMembers, HidingAndShowingAtTheOldSize)
{
    grid->SetRowHeight(4, 33);
    grid->SetColumnWidth(2, 66);
    RunSteps(ctl, {
                      {"RowSetHide", {4, 1}, "1"},
                      {"RowIsHide", {4}, "1"},
                      {"RowGetHeight", {4}, "0"},
                      {"RowSetHide", {4, 1}, "1"},          // hidden twice: the first size is kept
                      {"RowSetHide", {4, 0}, "1"},
                      {"RowIsHide", {4}, "0"},
                      {"RowGetHeight", {4}, "33"},
                      {"RowSetHide", {40, 1}, "0"},
                      {"ColumnSetHide", {2, 1}, "1"},
                      {"ColumnIsHide", {2}, "1"},
                      {"ColumnInsert", {1, 1, 0}, "-1"},    // the hidden column moves on
                      {"ColumnIsHide", {3}, "1"},
                      {"ColumnSetHide", {3, 0}, "1"},
                      {"ColumnGetWidth", {3}, "66"},
                  });
}

TEST_F(RowColumnMembers, FixedLinesFlagsMarksAndObjects)
{
    grid->SetCellText(1, 2, "first data");
    grid->SetCellText(2, 2, "second data");
    RunSteps(ctl, {
                      {"RowToFixed", {-1}, "0"},
                      {"RowToFixed", {7}, "0"},             // 7 + 1 fixed reaches the 8 rows
                      {"RowToFixed", {0}, "1"},             // the header row goes, none is left
                      {"RowGetFixedCount", {}, "0"},
                      {"RowGetCount", {}, "7"},
                  });
    EXPECT_EQ("first data", Text(0, 2));
    RunSteps(ctl, {
                      {"RowToFixed", {2}, "1"},
                      {"RowGetFixedCount", {}, "2"},
                      {"RowGetCount", {}, "7"},
                      {"RowResetFixed", {}, "1"},
                      {"RowGetFixedCount", {}, "1"},
                      {"ColumnToFixed", {-1}, "0"},
                      {"ColumnToFixed", {6}, "0"},
                      {"ColumnToFixed", {1}, "1"},
                      {"ColumnGetFixedCount", {}, "1"},
                      {"ColumnResetFixed", {}, "1"},
                      {"RowSetRefFlags", {0x1234}, "void"},
                      {"RowGetRefFlags", {}, std::to_string(0x1234).c_str()},
                      {"ColumnSetRefFlags", {-2}, "void"},
                      {"ColumnGetRefFlags", {}, "-2"},
                      {"ColumnIdToMark", {1}, "\"A\""},
                      {"ColumnIdToMark", {0}, "\"\""},
                      {"ColumnIdToMark", {99}, "\"\""},
                      {"RowGetObject", {3}, "object"},
                      {"ColumnGetObject", {-7}, "object"},   // an object whose index reads -1
                      {"ColumnGetDragWidth", {}, "0"},
                      {"RowGetDragHeight", {}, "0"},
                  });
}

}  // namespace
