// Binds following inserted, deleted and moved lines: the next fill writes
// where the last one did, never over lines inserted above it; a bound
// report's merged footer stays whole through the fill's own row insertions.
#include "BindTestSheet.h"

#include "grid/GridCellBase.h"

#include <gtest/gtest.h>

using namespace bindtest;

namespace {

std::shared_ptr<CMemoryRecordset> Three()
{
    return Records({{"v", 3}}, {{I(1)}, {I(2)}, {I(3)}});
}

}  // namespace

// Rows inserted above a filled body (single or bulk) are not written over by
// the next fill; rows deleted above bring it up again.
TEST(BindFollowLines, TheNextFillWritesWhereTheBodyMoved)
{
    struct Case {
        const char* name;
        void (*change)(CGridCtrl&);
        int bodyAfter;
    };
    const Case cases[] = {
        {"bulk insertion above", [](CGridCtrl& g) { g.InsertRows(1, 2, FALSE); }, 4},
        {"single insertion above", [](CGridCtrl& g) { g.InsertRow("", 2); }, 3},
        {"deletion above", [](CGridCtrl& g) { g.DeleteRow(1); }, 1},
        {"insertion below", [](CGridCtrl& g) { g.InsertRows(6, 2, FALSE); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(4, 3);    // 0 headers, 1 a title, 2 body template, 3 below
        grid->SetCellText(1, 2, "title");
        CBindInfo* body = grid->GetBindList().AddBind("body", grid.get());
        body->nFillStartRow = 2;
        body->GetFieldList().AddField(Field("v", 1));
        body->BindSource(Three());
        ASSERT_EQ(3, body->FillData());
        c.change(*grid);
        EXPECT_EQ(c.bodyAfter, body->nFillStartRow);
        for (int row = 1; row < c.bodyAfter; ++row)
            grid->SetCellText(row, 1, "mine");
        body->BindSource(Records({{"v", 3}}, {{I(7)}}));
        body->bAutoRow = 0;
        ASSERT_EQ(1, body->FillData());
        EXPECT_EQ("7", Text(*grid, c.bodyAfter, 1));
        for (int row = 1; row < c.bodyAfter; ++row)
            EXPECT_EQ("mine", Text(*grid, row, 1)) << "row " << row;
    }
}

// Header fields follow their cells; a field whose cell is deleted goes.
TEST(BindFollowLines, HeaderFieldsFollowTheirCells)
{
    auto grid = MakeSheet(8, 6);
    CBindInfo* head = grid->GetBindList().AddBind("head", grid.get());
    head->FillType = BFT_HEADER;
    CBindFieldInfo a = Field("a", 2);
    a.nRow = 3;
    CBindFieldInfo b = Field("b", 4);
    b.nRow = 5;
    head->GetFieldList().AddField(a);
    head->GetFieldList().AddField(b);
    head->GetGroupRowInfo().nGroupNameDefCol = 4;

    ASSERT_TRUE(grid->InsertRows(2, 1, FALSE));     // above both
    ASSERT_TRUE(grid->InsertColumns(3, 2, FALSE));  // between them
    CBindFieldInfo f;
    ASSERT_TRUE(head->GetFieldList().GetField(0, f));
    EXPECT_EQ(4, f.nRow);
    EXPECT_EQ(2, f.nCol);
    ASSERT_TRUE(head->GetFieldList().GetField(1, f));
    EXPECT_EQ(6, f.nRow);
    EXPECT_EQ(6, f.nCol);
    EXPECT_EQ(6, head->GetGroupRowInfo().nGroupNameDefCol);

    EXPECT_EQ(1, grid->DeleteRows(4, 1));            // the first field's row
    ASSERT_EQ(1, head->GetFieldList().GetCount());
    ASSERT_TRUE(head->GetFieldList().GetField(0, f));
    EXPECT_EQ("b", std::string(f.strFieldName));
    EXPECT_EQ(5, f.nRow);

    ASSERT_TRUE(grid->MoveColumn(6, 2));             // the field's column moves
    ASSERT_TRUE(head->GetFieldList().GetField(0, f));
    EXPECT_EQ(3, f.nCol);
    EXPECT_TRUE(grid->DeleteColumn(3));
    EXPECT_EQ(0, head->GetFieldList().GetCount());
}

// A bottom bind below a body: rows inserted inside the filled body push the
// footer down, and the footer's next fill writes there.
TEST(BindFollowLines, AFooterFollowsRowsInsertedInsideItsBody)
{
    auto grid = MakeSheet(3, 3);    // 0 headers, 1 body template, 2 footer template
    CBindInfoList& binds = grid->GetBindList();
    CBindInfo* body = binds.AddBind("body", grid.get());
    body->GetFieldList().AddField(Field("v", 1));
    body->BindSource(Three());
    CBindInfo* bottom = binds.AddBind("bottom", grid.get());
    bottom->FillType = BFT_BOTTOM;
    bottom->SetBodyBindName("body");
    CBindFieldInfo total = Field("sum", 1);
    total.nRow = 2;
    bottom->GetFieldList().AddField(total);
    bottom->BindSource(Records({{"sum", 3}}, {{I(6)}}));
    ASSERT_EQ(2, binds.FillAllBinds());
    ASSERT_EQ((Texts{"1", "2", "3", "6"}), Column(*grid, 1, 1, 4));

    ASSERT_TRUE(grid->InsertRows(2, 1, FALSE));
    EXPECT_EQ(4, body->GetFillCount());
    bottom->BindSource(Records({{"sum", 3}}, {{I(7)}}));
    bottom->FillData();
    EXPECT_EQ((Texts{"1", "", "2", "3", "7"}), Column(*grid, 1, 1, 5));

    EXPECT_EQ(2, grid->DeleteRows(2, 2));
    EXPECT_EQ(2, body->GetFillCount());
    bottom->BindSource(Records({{"sum", 3}}, {{I(8)}}));
    bottom->FillData();
    EXPECT_EQ((Texts{"1", "3", "8"}), Column(*grid, 1, 1, 3));
}

// The fill inserts its group and total rows one at a time: a merged footer
// below the body moves with them and stays one block whose owner holds the
// text, which unmerging leaves in place.
TEST(BindFollowLines, AMergedFooterStaysWholeThroughAGroupedFill)
{
    auto grid = MakeSheet(3, 4);    // 0 headers, 1 body template, 2 footer
    grid->MergeCells(2, 1, 2, 3);
    grid->SetCellText(2, 1, "footer");
    CBindInfo* bind = grid->GetBindList().AddBind("body", grid.get());
    CBindFieldInfo group = Field("grp", 1);
    group.iGroup = 1;
    bind->GetFieldList().AddField(group);
    bind->GetFieldList().AddField(Field("amount", 2, ST_SUM));
    bind->BindSource(Records({{"grp", 200}, {"amount", 5}}, {{T("A"), R(1)}, {T("A"), R(2)}, {T("B"), R(5)}}));
    ASSERT_EQ(6, bind->FillData());

    const int footer = grid->GetRowCount() - 1;
    EXPECT_EQ("footer", Text(*grid, footer, 1));
    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
    ASSERT_TRUE(grid->GetMergeRange(footer, 3, minRow, minCol, maxRow, maxCol));
    EXPECT_EQ(footer, minRow);
    EXPECT_EQ(footer, maxRow);
    EXPECT_EQ(1, minCol);
    EXPECT_EQ(3, maxCol);
    // No other cell claims a block.
    for (int row = 0; row < footer; ++row)
        for (int col = 0; col < 4; ++col)
            EXPECT_FALSE(grid->IsCellMerged(row, col)) << row << "," << col;
    ASSERT_EQ(1u, grid->GetMergeOwners().size());
    EXPECT_EQ(CGridCellPos(footer, 1), grid->GetMergeOwners()[0]);
    EXPECT_TRUE(grid->UnMergeCellAt(footer, 2));
    EXPECT_EQ("footer", Text(*grid, footer, 1));
    EXPECT_FALSE(grid->IsCellMerged(footer, 1));
}
