// The fill engine over recordsets in memory: body, header and bottom binds,
// subtotals and totals, serial numbers, nulls, blocks, merges and lists.
#include "BindTestSheet.h"

#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellBase.h"

#include <gtest/gtest.h>

using namespace bindtest;

namespace {

// Records grouped as (A,1), (A,2), (B,5): a text group column and a number.
std::shared_ptr<CMemoryRecordset> Grouped(double a1 = 1, double a2 = 2, double b = 5)
{
    return Records({{"grp", 200}, {"amount", 5}}, {{T("A"), R(a1)}, {T("A"), R(a2)}, {T("B"), R(b)}});
}

CBindInfo* GroupedBind(CGridCtrl& grid, short statistics, bool addColValue = false)
{
    CBindInfo* bind = grid.GetBindList().AddBind("body", &grid);
    CBindFieldInfo group = Field("grp", 1);
    group.iGroup = 1;
    bind->GetFieldList().AddField(group);
    bind->GetFieldList().AddField(Field("amount", 2, statistics));
    bind->GetGroupRowInfo().bGroupAddColValue = addColValue ? 1 : 0;
    return bind;
}

}  // namespace

TEST(BindFill, GroupedSumWritesSubtotalsAndGrandTotal)
{
    for (bool addColValue : {false, true}) {
        auto grid = MakeSheet(2, 4);
        CBindInfo* bind = GroupedBind(*grid, ST_SUM, addColValue);
        bind->BindSource(Grouped());
        EXPECT_EQ(6, bind->FillData());
        EXPECT_EQ(6, bind->GetFillCount());
        const std::string caption = " 分组合计 ";
        const Texts groups = {"A", "A", addColValue ? "A" + caption : caption, "B",
                              addColValue ? "B" + caption : caption, caption};
        EXPECT_EQ(groups, Column(*grid, 1, 1, 6)) << addColValue;
        const double amounts[] = {1, 2, 3, 5, 5, 8};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(amounts[i], Value(*grid, 1 + i, 2)) << "row " << 1 + i;
        // The row headers are numbered again from the first total row.
        EXPECT_EQ("6", Text(*grid, 6, 0));
    }
}

TEST(BindFill, StatisticsOfEachKind)
{
    struct Case {
        short statistics;
        double a1, a2, b;
        double firstGroup, lastGroup, grand;
    };
    const Case cases[] = {
        {ST_AVE, 1, 2, 5, 1.5, 5, 8.0 / 3},      // the grand total divides by the record count
        {ST_MAX, -4, -3, -9, -3, -9, -3},        // maxima of negative values start from the first value
        {ST_MIN, 3, 2, 5, 2, 5, 2},              // minima of positive values likewise
        {ST_COUNT, 7, 7, 7, 2, 1, 3},
    };
    for (const Case& c : cases) {
        auto grid = MakeSheet(2, 4);
        CBindInfo* bind = GroupedBind(*grid, c.statistics);
        bind->BindSource(Grouped(c.a1, c.a2, c.b));
        EXPECT_EQ(6, bind->FillData());
        EXPECT_DOUBLE_EQ(c.firstGroup, Value(*grid, 3, 2)) << c.statistics;
        EXPECT_DOUBLE_EQ(c.lastGroup, Value(*grid, 5, 2)) << c.statistics;
        EXPECT_DOUBLE_EQ(c.grand, Value(*grid, 6, 2)) << c.statistics;
    }
}

TEST(BindFill, StatisticsWithoutGroupGiveOnlyTheGrandTotalAndSerialsContinue)
{
    auto grid = MakeSheet(2, 4);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->GetFieldList().AddField(Field("amount", 2, ST_SUM));
    bind->GetFieldList().AddField(Field("", 3, ST_NULL, FBT_SERIAL));
    bind->BindSource(Grouped());
    EXPECT_EQ(4, bind->FillData());
    EXPECT_EQ((Texts{"1", "2", "5", "8"}), Column(*grid, 2, 1, 4));
    EXPECT_EQ((Texts{"1", "2", "3", ""}), Column(*grid, 3, 1, 4));

    // With a group, serial numbers go on across the subtotal rows.
    auto grouped = MakeSheet(2, 4);
    CBindInfo* groupedBind = GroupedBind(*grouped, ST_SUM);
    groupedBind->GetFieldList().AddField(Field("", 3, ST_NULL, FBT_SERIAL));
    groupedBind->BindSource(Grouped());
    groupedBind->FillData();
    EXPECT_EQ((Texts{"1", "2", "", "3"}), Column(*grouped, 3, 1, 4));
}

TEST(BindFill, ValuesByType)
{
    auto grid = MakeSheet(2, 9);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    const char* names[] = {"big", "dec", "cur", "flag", "when", "text", "blob", "un"};
    const int types[] = {20, 131, 6, 11, 135, 202, 205, 21};
    std::vector<CMemoryRecordset::Column> columns;
    for (int i = 0; i < 8; ++i) {
        columns.push_back({names[i], types[i]});
        bind->GetFieldList().AddField(Field(names[i], i + 1));
    }
    auto rs = Records(columns, {{I(5000000000LL), R(123456789012.345), R(922337203685.4775), CBindValue::MakeBoolean(true),
                                 CBindValue::MakeDate(46367.5), T("中文"), T("bytes"),
                                 CBindValue::MakeUnsigned(18000000000000000000ULL)}});
    bind->BindSource(rs);
    bind->bAutoRow = 0;
    EXPECT_EQ(1, bind->FillData());
    EXPECT_EQ(5000000000.0, Value(*grid, 1, 1));        // 64-bit integers in full
    EXPECT_EQ(123456789012.345, Value(*grid, 1, 2));
    EXPECT_EQ(922337203685.4775, Value(*grid, 1, 3));
    EXPECT_EQ(-1.0, Value(*grid, 1, 4));
    EXPECT_EQ("2026-12-11 12:00:00", Text(*grid, 1, 5));
    EXPECT_EQ("中文", Text(*grid, 1, 6));
    EXPECT_EQ("", Text(*grid, 1, 7));                   // a type the fill does not write
    EXPECT_EQ(18000000000000000000.0, Value(*grid, 1, 8));
}

TEST(BindFill, NullIntoNumericCellWritesZeroAndLeavesItUnmodified)
{
    auto grid = MakeSheet(2, 4);
    grid->GetCell(1, 1)->SetValue(7);
    grid->GetCell(1, 1)->SetState(grid->GetCell(1, 1)->GetState() | 0x80);
    grid->GetCell(1, 2)->SetText("old");
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->bAutoRow = 0;
    bind->GetFieldList().AddField(Field("n", 1));
    bind->GetFieldList().AddField(Field("t", 2));
    bind->BindSource(Records({{"n", 3}, {"t", 200}}, {{N(), N()}}));
    EXPECT_EQ(1, bind->FillData());
    CGridCellBase* cell = grid->GetCell(1, 1);
    EXPECT_TRUE(cell->IsNumber());
    EXPECT_EQ(0.0, cell->GetValue());
    EXPECT_EQ(0u, cell->GetState() & 0x80);
    EXPECT_EQ("", Text(*grid, 1, 2));
}

TEST(BindFill, BlockLimitAndFillCountWithoutAutomaticRows)
{
    std::vector<std::vector<CBindValue>> rows;
    for (int i = 0; i < 25; ++i)
        rows.push_back({I(i + 1)});
    auto grid = MakeSheet(2, 3);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->GetFieldList().AddField(Field("v", 1));
    bind->bBlock = 1;
    bind->nRowsPerBlock = 10;
    bind->BindSource(Records({{"v", 3}}, rows));
    EXPECT_EQ(3, bind->GetColumnBlocks());
    bind->FillData();
    EXPECT_EQ(10, bind->GetFilledRows());
    EXPECT_EQ("10", Text(*grid, 10, 1));
    EXPECT_EQ("", Text(*grid, 11, 1));

    // Without automatic rows only the existing rows fill, and the count is
    // the rows written.
    auto fixed = MakeSheet(6, 3);
    CBindInfo* plain = fixed->GetBindList().AddBind("body", fixed.get());
    plain->bAutoRow = 0;
    plain->GetFieldList().AddField(Field("v", 1));
    plain->BindSource(Records({{"v", 3}}, {{I(1)}, {I(2)}, {I(3)}}));
    EXPECT_EQ(3, plain->FillData());
    plain->BindSource(Records({{"v", 3}}, rows));
    EXPECT_EQ(5, plain->FillData());
    EXPECT_EQ(6, fixed->GetRowCount());
}

TEST(BindFill, WithoutFieldRecordsColumnsGoSideBySide)
{
    auto grid = MakeSheet(2, 3, 1, 1);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->bAutoCol = 1;
    bind->BindSource(Records({{"a", 200}, {"b", 3}, {"c", 200}}, {{T("x"), I(1), T("y")}, {T("z"), I(2), T("w")}}));
    bind->FillData();
    EXPECT_EQ(1, bind->nFillStartCol);                  // the fixed column count, stored back
    EXPECT_EQ(4, grid->GetColumnCount());
    EXPECT_EQ((Texts{"x", "1", "y"}), (Texts{Text(*grid, 1, 1), Text(*grid, 1, 2), Text(*grid, 1, 3)}));
    EXPECT_EQ((Texts{"z", "2", "w"}), (Texts{Text(*grid, 2, 1), Text(*grid, 2, 2), Text(*grid, 2, 3)}));
}

TEST(BindFill, MergeRunsStopAtGroupBreaks)
{
    auto grid = MakeSheet(2, 4);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    CBindFieldInfo merged = Field("m", 2);
    merged.bMergeData = 1;
    bind->GetFieldList().AddField(merged);
    bind->BindSource(Records({{"m", 200}}, {{T("x")}, {T("x")}, {T("x")}, {T("y")}}));
    bind->FillData();
    EXPECT_TRUE(grid->GetCell(1, 2)->IsMerged());
    EXPECT_EQ(3, grid->GetCell(1, 2)->GetMergeRange().GetMaxRow());
    EXPECT_FALSE(grid->GetCell(4, 2)->IsMerged());

    // A group field earlier in the list stops the merge at its break.
    auto grouped = MakeSheet(2, 4);
    CBindInfo* groupedBind = grouped->GetBindList().AddBind("body", grouped.get());
    CBindFieldInfo group = Field("g", 1);
    group.iGroup = 1;
    groupedBind->GetFieldList().AddField(group);
    groupedBind->GetFieldList().AddField(merged);
    groupedBind->BindSource(Records({{"g", 200}, {"m", 200}}, {{T("A"), T("x")}, {T("B"), T("x")}}));
    groupedBind->FillData();
    EXPECT_FALSE(grouped->GetCell(1, 2)->IsMerged());
}

TEST(BindFill, EachComboFieldGetsItsOwnList)
{
    InstallInPlaceEditHooks();
    auto grid = MakeSheet(2, 4);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    CBindFieldInfo first = Field("a", 1);
    first.strControlXml = "<control controltype = \"combobox\" ></control>";
    first.pListSource = Records({{"k", 200}}, {{T("one")}, {T("two")}});
    CBindFieldInfo second = Field("b", 2);
    second.strControlXml = first.strControlXml;
    second.pListSource = Records({{"k", 3}}, {{I(7)}, {I(8)}});
    bind->GetFieldList().AddField(first);
    bind->GetFieldList().AddField(second);
    bind->BindSource(Records({{"a", 200}, {"b", 200}}, {{T("one"), T("8")}, {T("two"), T("7")}}));
    bind->FillData();
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ("one\ntwo\n", std::string(grid->GetCellControlProperty(row, 1, "datasource"))) << row;
        EXPECT_EQ("7\n8\n", std::string(grid->GetCellControlProperty(row, 2, "datasource"))) << row;
    }
    EXPECT_EQ("two", Text(*grid, 2, 1));
}

TEST(BindFill, HeaderAndBottomBinds)
{
    // Rows: 0 column headers, 1 body template, 2 bottom template.
    for (bool bottomFirst : {false, true}) {
        auto grid = MakeSheet(3, 3);
        CBindInfoList& binds = grid->GetBindList();
        CBindInfo* bottom = nullptr;
        CBindInfo* body = nullptr;
        if (bottomFirst)
            bottom = binds.AddBind("bottom", grid.get());
        body = binds.AddBind("body", grid.get());
        if (!bottomFirst)
            bottom = binds.AddBind("bottom", grid.get());
        body->GetFieldList().AddField(Field("v", 1));
        body->BindSource(Records({{"v", 3}}, {{I(1)}, {I(2)}, {I(3)}}));
        bottom->FillType = BFT_BOTTOM;
        bottom->SetBodyBindName("body");
        CBindFieldInfo total = Field("sum", 1);
        total.nRow = 2;
        bottom->GetFieldList().AddField(total);
        bottom->BindSource(Records({{"sum", 3}}, {{I(6)}}));
        EXPECT_EQ(2, binds.FillAllBinds());
        EXPECT_EQ((Texts{"1", "2", "3", "6"}), Column(*grid, 1, 1, 4)) << bottomFirst;
        EXPECT_EQ(5, grid->GetRowCount());
    }

    // A header bind with automatic rows only grows the sheet; the last
    // record's values remain in its cells.
    auto grid = MakeSheet(10, 3);
    CBindInfo* header = grid->GetBindList().AddBind("head", grid.get());
    header->FillType = BFT_HEADER;
    header->bAutoCol = 1;
    CBindFieldInfo title = Field("t", 1);
    title.nRow = 0;
    header->GetFieldList().AddField(title);
    header->BindSource(Records({{"t", 200}}, {{T("first")}, {T("last")}}));
    header->FillData();
    EXPECT_EQ(10, grid->GetRowCount());
    EXPECT_EQ(3, grid->GetColumnCount());
    EXPECT_EQ("last", Text(*grid, 0, 1));
}

TEST(BindFill, BindsSharingARecordsetEachStartAtTheFirstRecord)
{
    auto grid = MakeSheet(4, 4);
    auto rs = Records({{"v", 3}}, {{I(1)}, {I(2)}, {I(3)}});
    CBindInfo* left = grid->GetBindList().AddBind("left", grid.get());
    CBindInfo* right = grid->GetBindList().AddBind("right", grid.get());
    for (CBindInfo* bind : {left, right})
        bind->bAutoRow = 0;
    left->GetFieldList().AddField(Field("v", 1));
    right->GetFieldList().AddField(Field("v", 2));
    left->BindSource(rs);
    right->BindSource(rs);
    EXPECT_EQ(3, left->FillData());
    EXPECT_EQ(3, right->FillData());
    EXPECT_EQ((Texts{"1", "2", "3"}), Column(*grid, 2, 1, 3));
}

TEST(BindFill, MissingFieldIsAskedForOncePerFillAndNoGridFillsNothing)
{
    auto grid = MakeSheet(2, 4);
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    bind->GetFieldList().AddField(Field("nosuch", 1));
    bind->GetFieldList().AddField(Field("v", 2));
    auto rs = Records({{"v", 3}}, {{I(1)}, {I(2)}, {I(3)}});
    bind->BindSource(rs);
    EXPECT_EQ(3, bind->FillData());
    EXPECT_EQ(1, rs->GetFailedReads());
    EXPECT_EQ((Texts{"1", "2", "3"}), Column(*grid, 2, 1, 3));

    CBindInfo orphan("x");
    orphan.BindSource(rs);
    EXPECT_EQ(-1, orphan.FillData());

    // No recordset: nothing is written.
    CBindInfo* idle = grid->GetBindList().AddBind("idle", grid.get());
    idle->bAutoRow = 0;
    idle->GetFieldList().AddField(Field("v", 3));
    EXPECT_EQ(0, idle->FillData());
}
