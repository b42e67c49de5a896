// The editing commands on rows, columns, merges and sorting, run through the
// command table on the control core.
#include "designer/DesignerFixture.h"

#include "designer/DesignerCommands.h"
#include "designer/dialogs/SizeDialogs.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace designertest;
using namespace designer_cmd;

namespace {

class EditingRowColumn : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

void SetRows(Designer& d, int rows)
{
    d.grid.RowSetCount(rows);
    d.doc.SetModifiedFlag(FALSE);
}

// The merged blocks of the sheet, each as its range.
std::set<std::tuple<long, long, long, long>> MergedBlocks(Designer& d)
{
    std::set<std::tuple<long, long, long, long>> blocks;
    for (LONG r = 0; r < d.grid.RowGetCount(); ++r)
        for (LONG c = 0; c < d.grid.ColumnGetCount(); ++c) {
            LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
            if (d.grid.CellIsMerged(r, c) && d.grid.CellGetMergeRange(r, c, r1, c1, r2, c2))
                blocks.insert(std::make_tuple(r1, c1, r2, c2));
        }
    return blocks;
}

TEST_F(EditingRowColumn, InsertAndDeleteCountsFromTheRangeAndTheFocus)
{
    struct Case {
        const char* name;
        UINT id;
        int r1, c1, r2, c2;   // the selection (the focus is its first cell)
        long rows, cols;      // counts after the command (from 10 rows, 20 columns)
    } cases[] = {
        {"增行 inserts one row", 32840, 2, 1, 4, 3, 11, 20},
        {"删行 deletes the range's rows", 32819, 2, 1, 4, 3, 7, 20},
        {"增列 inserts one column", 32841, 2, 1, 4, 3, 10, 21},
        {"删列 with three columns selected deletes three", 32839, 2, 1, 4, 3, 10, 17},
        {"focus: row after", 32783, 3, 2, 3, 2, 11, 20},
        {"focus: delete row", 32784, 3, 2, 3, 2, 9, 20},
        {"focus: column after", 32788, 3, 2, 3, 2, 10, 21},
        {"focus: delete column", 32794, 3, 2, 3, 2, 10, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        SetRows(d, 10);
        d.grid.CellSetValue(c.r1, c.c1, CString("first"));
        d.grid.CellSetFocus(c.r1, c.c1);
        d.grid.GridSetSelectRange(c.r1, c.c1, c.r2, c.c2);
        EXPECT_TRUE(d.Run(c.id));
        EXPECT_EQ(c.rows, d.grid.RowGetCount());
        EXPECT_EQ(c.cols, d.grid.ColumnGetCount());
        EXPECT_TRUE(d.doc.IsModified());
    }
    // The range's start on a fixed cell outside the grid's cells: the range
    // commands are disabled and nothing changes.
    Designer d;
    SetRows(d, 10);
    d.grid.GridClearSelection();
    for (UINT id : {32840u, 32819u, 32841u, 32839u, 32855u, 32857u}) {
        EXPECT_FALSE(d.State(id).enabled) << id;
        EXPECT_FALSE(d.Run(id)) << id;
    }
    EXPECT_EQ(10, d.grid.RowGetCount());
    EXPECT_EQ(20, d.grid.ColumnGetCount());
    EXPECT_FALSE(d.doc.IsModified());
}

TEST_F(EditingRowColumn, MergesPerRowPerColumnAndMergeAndCentre)
{
    {
        Designer d;
        d.grid.GridSetSelectRange(1, 1, 3, 4);   // 3 x 4
        ASSERT_TRUE(d.Run(32844));
        EXPECT_EQ((std::set<std::tuple<long, long, long, long>>{
                      {1, 1, 1, 4}, {2, 1, 2, 4}, {3, 1, 3, 4}}),
                  MergedBlocks(d));
        EXPECT_TRUE(d.doc.IsModified());
        // Every cell merged now: no merge command is offered, unmerging is.
        for (UINT id : {32816u, 32853u, 32844u, 32847u})
            EXPECT_FALSE(d.State(id).enabled) << id;
        EXPECT_TRUE(d.State(32817).enabled);
        ASSERT_TRUE(d.Run(32817));
        EXPECT_TRUE(MergedBlocks(d).empty());
    }
    {
        Designer d;
        d.grid.GridSetSelectRange(1, 1, 3, 4);
        ASSERT_TRUE(d.Run(32847));
        EXPECT_EQ((std::set<std::tuple<long, long, long, long>>{
                      {1, 1, 3, 1}, {1, 2, 3, 2}, {1, 3, 3, 3}, {1, 4, 3, 4}}),
                  MergedBlocks(d));
    }
    // Merge and centre: the horizontal part becomes centre, the vertical part
    // stays (a right-aligned cell is not made centre and right at once).
    const struct {
        long before, after;
    } aligns[] = {{0, 1}, {2, 1}, {4, 5}, {8, 9}, {10, 9}};
    for (const auto& a : aligns) {
        SCOPED_TRACE(a.before);
        Designer d;
        d.grid.CellSetAlign(2, 2, a.before);
        d.grid.GridSetSelectRange(2, 2, 3, 4);
        ASSERT_TRUE(d.Run(32853));
        EXPECT_EQ((std::set<std::tuple<long, long, long, long>>{{2, 2, 3, 4}}), MergedBlocks(d));
        EXPECT_EQ(a.after, d.grid.CellGetAlign(2, 2));
    }
}

TEST_F(EditingRowColumn, MergeStatesFollowTheRangeShape)
{
    struct Case {
        int r1, c1, r2, c2;
        bool merge, byRow, byColumn;
    } cases[] = {
        {2, 2, 2, 2, false, false, false},
        {2, 2, 2, 4, true, true, false},
        {2, 2, 4, 2, true, false, true},
        {2, 2, 3, 3, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r1 << "," << c.c1 << "-" << c.r2 << "," << c.c2);
        Designer d;
        d.grid.GridSetSelectRange(c.r1, c.c1, c.r2, c.c2);
        EXPECT_EQ(c.merge, d.State(32816).enabled != FALSE);
        EXPECT_EQ(c.merge, d.State(32853).enabled != FALSE);
        EXPECT_EQ(c.byRow, d.State(32844).enabled != FALSE);
        EXPECT_EQ(c.byColumn, d.State(32847).enabled != FALSE);
        EXPECT_FALSE(d.State(32817).enabled);
    }
}

TEST_F(EditingRowColumn, SizeDialogsOpenWithTheCommonSizeOrZeroAndSetEveryLine)
{
    struct Case {
        const char* name;
        UINT id;
        bool columns;
        bool mixed;
    } cases[] = {
        {"设置列宽 over equal widths", 32857, true, false},
        {"设置列宽 over mixed widths", 32857, true, true},
        {"设置行高 over mixed heights", 32855, false, true},
        {"right-click 列宽...", kMenuColumnWidth, true, true},
        {"right-click 行高...", kMenuRowHeight, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        SetRows(d, 10);
        for (LONG i = 2; i <= 4; ++i) {
            if (c.columns)
                d.grid.ColumnSetWidth(i, c.mixed ? 40 + i : 50);
            else
                d.grid.RowSetHeight(i, c.mixed ? 20 + i : 30);
        }
        d.grid.GridSetSelectRange(2, 2, 4, 4);
        long shown = -1;
        d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
            EXPECT_EQ(c.columns ? 131u : 130u, dlg.DialogId());
            auto& value = static_cast<CIntValueDlg&>(dlg);
            shown = value.m_nValue;
            value.m_nValue = 77;
            return IDOK;
        });
        EXPECT_TRUE(d.Run(c.id));
        EXPECT_EQ(c.mixed ? 0 : (c.columns ? 50 : 30), shown);
        for (LONG i = 2; i <= 4; ++i)
            EXPECT_EQ(77, c.columns ? d.grid.ColumnGetWidth(i) : d.grid.RowGetHeight(i)) << i;
        EXPECT_TRUE(d.doc.IsModified());
    }
    // Cancel changes nothing.
    Designer d;
    d.grid.GridSetSelectRange(2, 2, 4, 4);
    const LONG width = d.grid.ColumnGetWidth(3);
    EXPECT_TRUE(d.Run(32857));
    EXPECT_EQ(width, d.grid.ColumnGetWidth(3));
    EXPECT_FALSE(d.doc.IsModified());
}

TEST_F(EditingRowColumn, CountDialogsSetOnlyADifferentCount)
{
    Designer d;
    SetRows(d, 10);
    long shownCols = -1, shownRows = -1;
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(144u, dlg.DialogId());
        shownCols = static_cast<CIntValueDlg&>(dlg).m_nValue;
        static_cast<CIntValueDlg&>(dlg).m_nValue = 25;
        return IDOK;
    });
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(143u, dlg.DialogId());
        shownRows = static_cast<CIntValueDlg&>(dlg).m_nValue;
        return IDOK;   // the same count: nothing to do
    });
    EXPECT_TRUE(d.Run(32799));
    EXPECT_TRUE(d.Run(32798));
    EXPECT_EQ(20, shownCols);
    EXPECT_EQ(10, shownRows);
    EXPECT_EQ(25, d.grid.ColumnGetCount());
    EXPECT_EQ(10, d.grid.RowGetCount());
}

TEST_F(EditingRowColumn, NumberEditsKeepToTheirRanges)
{
    struct Case {
        const char* text;
        bool width, count, rowCount;   // accepted by the width (0..1024), column count (0..1000), row count
    } cases[] = {
        {"1024", true, false, true}, {"1025", false, false, true}, {"0", true, true, true},
        {"-1", false, false, false}, {"12a", false, false, false}, {"", false, false, false},
        {" 7 ", true, true, true},   {"99999999999", false, false, false}, {"100001", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CColumnWidthDlg width;
        CColumnCountDlg count;
        CRowCountDlg rows;
        width.m_nValue = count.m_nValue = rows.m_nValue = 5;
        CString message;
        EXPECT_EQ(c.width, width.Accept(CString(c.text), message) != FALSE);
        EXPECT_EQ(c.count, count.Accept(CString(c.text), message) != FALSE);
        EXPECT_EQ(c.rowCount, rows.Accept(CString(c.text), message) != FALSE);
        if (!c.width) {
            EXPECT_EQ(5, width.m_nValue);
            EXPECT_FALSE(message.IsEmpty());
        }
    }
    CRowTreePropertiesDlg tree;
    CString message;
    EXPECT_FALSE(tree.AcceptBoxSize(CString("31"), message));
    EXPECT_FALSE(tree.AcceptBoxSize(CString("9"), message));
    EXPECT_TRUE(tree.AcceptBoxSize(CString("10"), message));
    EXPECT_TRUE(tree.AcceptBoxSize(CString("30"), message));
    EXPECT_EQ(30, tree.m_nBoxSize);
}

TEST_F(EditingRowColumn, HideShowAndFitWorkOnTheSelectedLines)
{
    Designer d;
    SetRows(d, 10);
    d.grid.GridSetSelectRange(2, 3, 4, 5);
    ASSERT_TRUE(d.Run(32790));
    ASSERT_TRUE(d.Run(32785));
    for (LONG i = 3; i <= 5; ++i)
        EXPECT_NE(0, d.grid.ColumnIsHide(i)) << i;
    for (LONG i = 2; i <= 4; ++i)
        EXPECT_NE(0, d.grid.RowIsHide(i)) << i;
    EXPECT_EQ(0, d.grid.ColumnIsHide(6));
    d.grid.GridSetSelectRange(2, 3, 4, 5);
    ASSERT_TRUE(d.Run(32795));
    ASSERT_TRUE(d.Run(32786));
    for (LONG i = 3; i <= 5; ++i)
        EXPECT_EQ(0, d.grid.ColumnIsHide(i)) << i;
    for (LONG i = 2; i <= 4; ++i)
        EXPECT_EQ(0, d.grid.RowIsHide(i)) << i;

    // Fitting: a long text widens its column, a short column narrows.
    d.grid.CellSetValue(2, 3, CString("a rather long text for one column"));
    const LONG before = d.grid.ColumnGetWidth(3);
    d.grid.GridSetSelectRange(2, 3, 4, 3);
    ASSERT_TRUE(d.Run(32787));
    EXPECT_GT(d.grid.ColumnGetWidth(3), before);
}

TEST_F(EditingRowColumn, SortingAndSortTypes)
{
    Designer d;
    SetRows(d, 6);
    const char* values[] = {"10", "9", "100", "2", "33"};
    for (LONG r = 1; r <= 5; ++r)
        d.grid.CellSetValue(r, 2, CString(values[r - 1]));
    auto column = [&d] {
        std::string s;
        for (LONG r = 1; r <= 5; ++r)
            s += std::string(d.grid.CellGetValue(r, 2).Str()) + " ";
        return s;
    };
    d.grid.GridSetSelectRange(3, 2, 4, 2);
    ASSERT_TRUE(d.Run(32907));   // by value
    d.grid.CellSetFocus(3, 2);
    ASSERT_TRUE(d.Run(32775));
    EXPECT_EQ("2 9 10 33 100 ", column());
    LONG row = 0, col = 0;
    EXPECT_TRUE(d.grid.CellGetFocus(row, col));
    EXPECT_EQ(3, row);
    EXPECT_EQ(2, col);
    ASSERT_TRUE(d.Run(32797));
    EXPECT_EQ("100 33 10 9 2 ", column());
    d.grid.GridSetSelectRange(3, 2, 4, 2);
    ASSERT_TRUE(d.Run(32906));   // by characters
    ASSERT_TRUE(d.Run(32837));
    EXPECT_EQ("10 100 2 33 9 ", column());
    d.grid.GridSetSelectRange(3, 2, 4, 2);   // sorting drops the selection
    ASSERT_TRUE(d.Run(32843));
    EXPECT_EQ("9 33 2 100 10 ", column());

    // Click-header sorting switches, and its item shows the state.
    d.grid.GridSetSelectRange(3, 2, 4, 2);
    const SHORT was = d.grid.GridGetClickHeaderSort();
    EXPECT_EQ(was != 0, d.State(32864).checked != FALSE);
    ASSERT_TRUE(d.Run(32864));
    EXPECT_EQ(was == 0, d.grid.GridGetClickHeaderSort() != 0);
    EXPECT_EQ(was == 0, d.State(32864).checked != FALSE);
    d.grid.GridClearSelection();
    EXPECT_FALSE(d.State(32864).enabled);
    EXPECT_FALSE(d.State(32864).checked);
}

}  // namespace
