// Grid text conversions (CSV text, display texts, date patterns) and the
// small services: column marks, border weights, range offsets, fixed lines.
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;
using gridtest::Text;

namespace {

TEST(GridCsvText, AwkwardTextsNumbersAndMissingCells)
{
    auto grid = MakeSheet(4, 3, 0, 0);
    const char* texts[4][3] = {
        {"a", "b,c", "say \"hi\""},
        {"two\nlines", "cr\rhere", ""},
        {"中文,逗号", "", "tail"},
        {"", "", ""},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid->SetCellText(r, c, texts[r][c]);
    grid->SetCellValue(1, 2, 12.75);
    grid->SetCellValue(2, 1, 3.0);
    grid->SetCellValue(3, 0, 0.1);
    grid->SetCellValue(3, 1, 1e20);
    grid->SetCellValue(3, 2, -2500000.0);
    grid->DestroyCell(2, 2);
    const std::string golden =
        "a,\"b,c\",\"say \"\"hi\"\"\"\n"
        "\"two\nlines\",\"cr\rhere\",12.75\n"
        "\"中文,逗号\",3,\n"
        "0.1,1e+020,-2500000\n";
    EXPECT_EQ(golden, std::string(grid->SaveCSVString(',')));

    // Another separator: a comma no longer needs quotes, a tab does.
    auto tabbed = MakeSheet(1, 2, 0, 0);
    tabbed->SetCellText(0, 0, "a,b");
    tabbed->SetCellText(0, 1, "c\td");
    EXPECT_EQ("a,b\t\"c\td\"\n", std::string(tabbed->SaveCSVString('\t')));

    CGridCtrl empty;
    EXPECT_EQ("", std::string(empty.SaveCSVString(',')));
}

TEST(GridCsvText, NumbersReadBackAsTheSameValue)
{
    const double values[] = {12.75, 0.1, 1.0 / 3.0, 123456789.125, -0.0001, 2.5, 1e-7, 9007199254740993.0,
                             1e16, 99999999999999990.0};
    for (double v : values) {
        auto grid = MakeSheet(1, 1, 0, 0);
        grid->SetCellValue(0, 0, v);
        std::string text(grid->SaveCSVString(','));
        ASSERT_EQ('\n', text.back());
        text.pop_back();
        EXPECT_EQ(v, std::stod(text)) << text;
        EXPECT_EQ(std::string::npos, text.find('"'));
    }
}

TEST(GridTextConv, DisplayTextIsTheFormattedValue)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    grid->SetCellValue(1, 1, 2.5);
    EXPECT_EQ("2.5", std::string(grid->GetCellDisplayText(1, 1)));
    grid->SetCellTextFormat(1, 1, "<format datatype = \"numeric\" decimal = \"2\" ></format>");
    EXPECT_EQ("2.50", std::string(grid->GetCellDisplayText(1, 1)));
    grid->SetCellText(1, 2, "plain");
    EXPECT_EQ("plain", std::string(grid->GetCellDisplayText(1, 2)));
    EXPECT_EQ("", std::string(grid->GetCellDisplayText(3, 1)));
    grid->DestroyCell(2, 2);
    EXPECT_EQ("", std::string(grid->GetCellDisplayText(2, 2)));
}

TEST(GridTextConv, DateTextToFormat)
{
    struct Case {
        const char* text;
        const char* pattern;
    } cases[] = {
        {"2024-03-05 14:07", "yyyy-MM-dd hh:mm"},
        {"2024-03-05 14:07:09", "yyyy-MM-dd hh:mm:ss"},
        {"5/3/2024", "y/M/dddd"},
        {"12:30", "yy:MM"},
        {"2024年3月5日", "yyyy年M月d日"},
        {"2024/3/5", "yyyy/M/d"},
        {"not a date", "@"},
        {"", "@"},
        {"2024-13-05", "@"},
        {"12", "@"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pattern, std::string(CGridCtrl::DateTextToFormat(c.text))) << c.text;
    EXPECT_EQ("@", std::string(CGridCtrl::DateTextToFormat(nullptr)));
}

TEST(GridSmallServices, ColumnMarksAndBorderWeights)
{
    auto grid = MakeSheet(2, 30, 1, 1);
    struct {
        int col;
        const char* mark;
    } marks[] = {{0, ""}, {1, "A"}, {26, "Z"}, {27, "AA"}, {29, "AC"}, {30, ""}, {-1, ""}};
    for (const auto& m : marks)
        EXPECT_EQ(m.mark, std::string(grid->ColumnIdToMark(m.col))) << m.col;

    const int weights[][2] = {{0, 0}, {1, 0}, {2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 0}, {-3, 0}};
    for (const auto& w : weights)
        EXPECT_EQ(w[1], CGridCtrl::BorderWidthToExcelWeight(w[0])) << w[0];
}

TEST(GridSmallServices, OffsetRange)
{
    auto grid = MakeSheet(10, 10, 1, 1);
    const CGridCellRange range(2, 2, 3, 4);
    struct Case {
        CGridCellPos from;
        CGridCellPos to;
        CGridCellRange range;
        CGridCellRange result;
    } cases[] = {
        {{2, 2}, {5, 3}, range, {5, 3, 6, 5}},
        {{5, 5}, {2, 2}, range, {-1, -1, 0, 1}},          // moved, even out of the grid
        {{2, 2}, {2, 2}, range, range},
        {{-1, 2}, {5, 3}, range, range},                 // invalid cells: unchanged
        {{2, 2}, {10, 3}, range, range},
        {{2, 2}, {5, 3}, {3, 3, 2, 2}, {3, 3, 2, 2}},    // invalid range: unchanged
    };
    for (const Case& c : cases) {
        CGridCellRange result(9, 9, 9, 9);
        grid->OffsetRange(result, c.from, c.to, c.range);
        EXPECT_EQ(c.result, result);
    }
}

TEST(GridFixedLines, ColumnsToFixed)
{
    auto grid = MakeSheet(4, 6, 1, 1);
    grid->SetCellText(1, 1, "first data");
    grid->SetCellText(1, 2, "second data");
    EXPECT_FALSE(grid->ColumnsToFixed(5));        // 5 + 1 reaches the column count
    EXPECT_FALSE(grid->ColumnsToFixed(-1));
    EXPECT_TRUE(grid->ColumnsToFixed(2));
    EXPECT_EQ(5, grid->GetColumnCount());         // the old header column went
    EXPECT_EQ(2, grid->GetFixedColumnCount());
    EXPECT_EQ("first data", Text(*grid, 1, 0));
    EXPECT_TRUE(grid->IsCellFixed(1, 1));
    EXPECT_EQ("A", Text(*grid, 0, 2)) << "letters start after the fixed columns";

    CGridCtrl noRows;
    noRows.SetColumnCount(4);
    EXPECT_FALSE(noRows.ColumnsToFixed(1));
}

TEST(GridFixedLines, ResettingKeepsTheDataRowsAndColumns)
{
    auto grid = MakeSheet(5, 4, 1, 1);
    grid->SetCellText(0, 1, "Name");
    grid->SetCellText(0, 2, "Price");
    grid->SetCellText(1, 1, "data");
    grid->SetCellText(2, 0, "Total");
    EXPECT_TRUE(grid->ResetFixedRows());
    EXPECT_EQ(5, grid->GetRowCount());
    EXPECT_EQ(1, grid->GetFixedRowCount());
    EXPECT_EQ("data", Text(*grid, 1, 1));
    EXPECT_EQ("A", Text(*grid, 0, 1));
    EXPECT_EQ("B", Text(*grid, 0, 2));
    EXPECT_EQ("", Text(*grid, 0, 0));

    EXPECT_TRUE(grid->ResetFixedColumns());
    EXPECT_EQ(4, grid->GetColumnCount());
    EXPECT_EQ("data", Text(*grid, 1, 1));
    EXPECT_EQ("2", Text(*grid, 2, 0));
    EXPECT_EQ("4", Text(*grid, 4, 0));

    // Two header rows become one; a sheet without one gets its first row.
    auto two = MakeSheet(5, 3, 2, 1);
    two->SetCellText(2, 1, "data");
    EXPECT_TRUE(two->ResetFixedRows());
    EXPECT_EQ(1, two->GetFixedRowCount());
    EXPECT_EQ(4, two->GetRowCount());
    EXPECT_EQ("data", Text(*two, 1, 1));
    EXPECT_EQ("A", Text(*two, 0, 1));

    auto none = MakeSheet(3, 3, 0, 0);
    EXPECT_TRUE(none->ResetFixedRows());
    EXPECT_EQ(1, none->GetFixedRowCount());
    EXPECT_EQ(3, none->GetRowCount());
    EXPECT_EQ("A", Text(*none, 0, 0));
}

TEST(GridSmallServices, VersionText)
{
    CGridCtrl grid;
    EXPECT_EQ("4.5.1.2", std::string(grid.GetVersionText()));
}

}  // namespace

namespace {

TEST(GridDataSources, TextsByNameAndBoundFields)
{
    auto grid = MakeSheet(5, 5, 1, 1);
    CConnectionDefList& connections = grid->GetConnectionList();
    ASSERT_EQ(0, connections.AddConnection("db"));
    ASSERT_EQ(0, connections.GetConnection("db")->NewDataSet("orders"));

    EXPECT_TRUE(grid->SetConnectionString("db", "Driver={SQLite3};Database=x.db;"));
    EXPECT_EQ("Driver={SQLite3};Database=x.db;", std::string(connections.GetConnection("db")->m_strConnectionString));
    EXPECT_FALSE(grid->SetConnectionString("db", ""));
    EXPECT_FALSE(grid->SetConnectionString("", "x"));
    EXPECT_FALSE(grid->SetConnectionString("nodb", "x"));

    EXPECT_TRUE(grid->SetDataSetSql("db", "orders", "select 1"));
    EXPECT_EQ("select 1", std::string(grid->GetDataSet("db", "orders")->m_strSql));
    EXPECT_FALSE(grid->SetDataSetSql("db", "nothing", "select 1"));
    EXPECT_FALSE(grid->SetDataSetSql("db", "orders", ""));
    EXPECT_EQ(nullptr, grid->GetDataSet("db", ""));
    EXPECT_EQ(nullptr, grid->GetDataSet("other", "orders"));

    CBindInfo* bind = grid->GetBindList().AddBind("main", grid.get());
    ASSERT_NE(nullptr, bind);
    CBindFieldInfo field;
    field.strFieldName = "amount";
    field.nRow = 2;
    field.nCol = 3;
    bind->GetFieldList().AddField(field);
    CBindFieldInfo found;
    EXPECT_TRUE(grid->GetBindField("main", 2, 3, found));
    EXPECT_EQ("amount", std::string(found.strFieldName));
    EXPECT_FALSE(grid->GetBindField("main", 2, 2, found));
    EXPECT_FALSE(grid->GetBindField("main", 9, 3, found));
    EXPECT_FALSE(grid->GetBindField("", 2, 3, found));
    EXPECT_FALSE(grid->GetBindField("other", 2, 3, found));

    // No connection can open yet: nothing is filled.
    EXPECT_EQ(-1, grid->FillData());
}

}  // namespace
