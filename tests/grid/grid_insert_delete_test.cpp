// Inserting and deleting rows and columns: refusals, focus and id shifts,
// the insert-format modes and the format-inheriting lists.
#include "GridTestUtil.h"


#include <gtest/gtest.h>

using gridtest::MakeSheet;
using gridtest::Text;

// A cell class of the tests' own, to see insertion copy a cell's class.
class CTestTypedCell : public CGridCell {
    DECLARE_DYNCREATE(CTestTypedCell)
};
IMPLEMENT_DYNCREATE(CTestTypedCell, CGridCell)

namespace {

TEST(GridInsert, RowRefusalsChangeNothing)
{
    auto grid = MakeSheet(5, 3, 2, 1);
    EXPECT_EQ(-1, grid->InsertRow("x", 1));      // inside the fixed rows
    EXPECT_EQ(-1, grid->InsertRow("x", 6));      // beyond the count
    EXPECT_EQ(5, grid->GetRowCount());
    EXPECT_EQ(-1, grid->InsertColumn("x", 0, 0));
    EXPECT_EQ(-1, grid->InsertColumn("x", 0, 4));
    EXPECT_EQ(3, grid->GetColumnCount());
}

TEST(GridInsert, InsertingIntoAnEmptyGridMakesAColumn)
{
    CGridCtrl grid;
    EXPECT_EQ(0, grid.InsertRow("first", -1));
    EXPECT_EQ(1, grid.GetColumnCount());
    EXPECT_EQ("first", Text(grid, 0, 0));
    EXPECT_EQ(1, grid.InsertRow("second"));
    EXPECT_EQ("second", Text(grid, 1, 0));

    CGridCtrl cols;
    EXPECT_EQ(0, cols.InsertColumn("c", 0, -1));
    EXPECT_EQ(1, cols.GetRowCount());
    EXPECT_EQ("c", Text(cols, 0, 0));
}

TEST(GridInsert, RowShiftsFocusIdsAndFormatRows)
{
    auto grid = MakeSheet(6, 4, 1, 1);
    grid->SetFocusCell(4, 2);
    ASSERT_TRUE(grid->SetCellId(4, 2, "below"));
    ASSERT_TRUE(grid->SetCellId(1, 1, "above"));
    grid->AddFormatRow(4);
    CGridCellBase* focused = grid->GetCell(4, 2);

    EXPECT_EQ(3, grid->InsertRow("new", 3));
    EXPECT_EQ(7, grid->GetRowCount());
    EXPECT_EQ("new", Text(*grid, 3, 0));
    EXPECT_EQ(CGridCellPos(5, 2), grid->GetFocusCell());
    EXPECT_EQ(focused, grid->GetCell(5, 2));
    EXPECT_TRUE(focused->IsFocused());
    EXPECT_EQ(1, grid->GetSelectedCount());
    EXPECT_TRUE(grid->IsCellSelected(5, 2));
    const std::vector<GridCellIdEntry>& ids = grid->GetCellIdTable();
    ASSERT_EQ(2u, ids.size());
    EXPECT_EQ(5, ids[0].row);
    EXPECT_EQ(1, ids[1].row);
    EXPECT_EQ(0, grid->FindFormatRow(5));
    EXPECT_EQ(-1, grid->FindFormatRow(4));
    // The row numbers below are not rewritten by a single insertion.
    EXPECT_EQ("3", Text(*grid, 4, 0));
}

TEST(GridInsert, ColumnShiftsFocusAndIds)
{
    auto grid = MakeSheet(4, 5, 1, 1);
    grid->SetFocusCell(2, 3);
    ASSERT_TRUE(grid->SetCellId(2, 3, "n"));
    EXPECT_EQ(2, grid->InsertColumn("Z", 0, 2));
    EXPECT_EQ("Z", Text(*grid, 0, 2));
    EXPECT_EQ(CGridCellPos(2, 4), grid->GetFocusCell());
    EXPECT_EQ(4, grid->GetCellIdTable()[0].col);
    EXPECT_EQ(CString("n"), grid->GetCellId(2, 4));
    EXPECT_EQ(6, grid->InsertColumn("end", 0, 6));   // the count appends
    EXPECT_EQ("end", Text(*grid, 0, 6));
}

class InsertFormat : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = MakeSheet(6, 4, 1, 1);
        grid->GetCell(2, 1)->SetFormatXml("F2");
        grid->GetCell(3, 1)->SetFormatXml("F3");
        grid->GetCell(2, 2)->SetBackColor(RGB(1, 2, 3));
        grid->SetCellType(2, 2, RUNTIME_CLASS(CTestTypedCell));
        grid->SetRowHeight(2, 40);
        grid->SetRowHeight(3, 50);
    }

    std::unique_ptr<CGridCtrl> grid;
};

TEST_F(InsertFormat, RowModes)
{
    struct Case {
        short mode;
        bool listColumn1;
        const char* format1;         // format text of the new (3, 1)
        bool typed2;                 // the new (3, 2) is a CTestTypedCell
        bool heading;
        int height;                  // -1: the default cell's
    } cases[] = {
        {GIF_PLAIN, false, "", false, false, -1},
        {GIF_PLAIN, false, "", false, true, -1},
        {GIF_BEFORE, false, "F2", true, false, 40},
        {GIF_AFTER, false, "F3", false, false, 50},
        {GIF_PLAIN, true, "F2", false, false, -1},   // a listed column copies from above
    };
    for (const Case& c : cases) {
        SetUp();
        grid->SetRowInsertFormatMode(c.mode);
        if (c.listColumn1)
            grid->AddFormatColumn(1);
        ASSERT_EQ(3, grid->InsertRow(c.heading ? "h" : "", 3)) << c.mode;
        CGridCellBase* cell = grid->GetCell(3, 1);
        EXPECT_EQ(CString(c.format1), cell->GetFormatXml()) << c.mode;
        EXPECT_EQ(c.typed2, grid->GetCell(3, 2)->IsKindOf(RUNTIME_CLASS(CTestTypedCell)) != FALSE) << c.mode;
        if (c.typed2) {
            EXPECT_EQ(RGB(1, 2, 3), grid->GetCell(3, 2)->GetBackColor());
        }
        EXPECT_EQ("", Text(*grid, 3, 1)) << c.mode;           // format, never content
        int expected = c.height;
        if (expected < 0)
            expected = c.heading ? grid->GetDefaultCell(FALSE, FALSE)->GetHeight()
                                 : grid->GetDefaultCell(TRUE, FALSE)->GetHeight();
        EXPECT_EQ(expected, grid->GetRowHeight(3)) << c.mode;
        EXPECT_TRUE(grid->GetCell(3, 0)->IsFixedCol());       // the header column stays a header
    }
}

TEST_F(InsertFormat, CopiesNeitherMergesNorMarks)
{
    // (2, 1) owns a block; (2, 2) is covered by it and so passes on a plain cell.
    CGridCellBase* owner = grid->GetCell(2, 1);
    owner->SetMergeRange(CGridCellRange(2, 1, 2, 2));
    owner->SetMergeOwner(2, 1);
    owner->SetMergeOwnerCell(TRUE);
    CGridCellBase* covered = grid->GetCell(2, 2);
    covered->SetMergeRange(CGridCellRange(2, 1, 2, 2));
    covered->SetMergeOwner(2, 1);
    grid->SetFocusCell(2, 1);
    grid->SetRowInsertFormatMode(GIF_BEFORE);
    ASSERT_EQ(3, grid->InsertRow("", 3));
    CGridCellBase* fromOwner = grid->GetCell(3, 1);
    EXPECT_FALSE(fromOwner->IsMerged());
    EXPECT_FALSE(fromOwner->IsMergeOwnerCell());
    EXPECT_FALSE(fromOwner->IsFocused());
    EXPECT_EQ(CString("F2"), fromOwner->GetFormatXml());
    EXPECT_EQ(RUNTIME_CLASS(CGridCell), grid->GetCell(3, 2)->GetRuntimeClass());
    EXPECT_TRUE(grid->GetCell(2, 1)->IsFocused());
}

TEST_F(InsertFormat, ColumnModes)
{
    grid->SetColumnWidth(2, 77);
    grid->GetCell(2, 2)->SetFormatXml("L");
    grid->SetColumnInsertFormatMode(GIF_BEFORE);
    ASSERT_EQ(3, grid->InsertColumn("", 0, 3));
    EXPECT_EQ(CString("L"), grid->GetCell(2, 3)->GetFormatXml());
    EXPECT_TRUE(grid->GetCell(2, 3)->IsKindOf(RUNTIME_CLASS(CTestTypedCell)));
    EXPECT_EQ(77, grid->GetColumnWidth(3));

    grid->SetColumnInsertFormatMode(GIF_PLAIN);
    grid->AddFormatRow(2);
    ASSERT_EQ(1, grid->InsertColumn("", 0, 1));
    EXPECT_EQ(CString(""), grid->GetCell(2, 1)->GetFormatXml());   // its left neighbour is a header
    EXPECT_EQ(grid->GetDefaultCell(FALSE, FALSE)->GetWidth(), grid->GetColumnWidth(1));
}

TEST(GridDelete, RowAndColumnKeepFocusAndIdsInStep)
{
    auto grid = MakeSheet(6, 5, 1, 1);
    ASSERT_TRUE(grid->SetCellId(2, 2, "gone"));
    ASSERT_TRUE(grid->SetCellId(4, 2, "moves"));
    grid->AddFormatRow(2);
    grid->AddFormatRow(5);
    grid->SetFocusCell(4, 3);

    EXPECT_FALSE(grid->DeleteRow(6));
    EXPECT_FALSE(grid->DeleteRow(-1));
    EXPECT_TRUE(grid->DeleteRow(2));
    EXPECT_EQ(5, grid->GetRowCount());
    EXPECT_EQ(CGridCellPos(3, 3), grid->GetFocusCell());
    ASSERT_EQ(1u, grid->GetCellIdTable().size());
    EXPECT_EQ(3, grid->GetCellIdTable()[0].row);
    EXPECT_EQ(CString("moves"), grid->GetCellId(3, 2));
    EXPECT_EQ(-1, grid->FindFormatRow(2));
    EXPECT_EQ(0, grid->FindFormatRow(4));

    EXPECT_TRUE(grid->DeleteRow(3));             // the focus row
    EXPECT_EQ(CGridCellPos(), grid->GetFocusCell());
    EXPECT_TRUE(grid->GetCellIdTable().empty());

    grid->SetFocusCell(2, 3);
    EXPECT_TRUE(grid->DeleteColumn(3));          // the focus column
    EXPECT_EQ(CGridCellPos(), grid->GetFocusCell());
    EXPECT_EQ(4, grid->GetColumnCount());
}

TEST(GridDelete, DeletingAFixedLineLowersTheFixedCount)
{
    auto grid = MakeSheet(5, 5, 2, 2);
    EXPECT_TRUE(grid->DeleteRow(0));
    EXPECT_EQ(1, grid->GetFixedRowCount());
    EXPECT_TRUE(grid->DeleteColumn(1));
    EXPECT_EQ(1, grid->GetFixedColumnCount());
    // The focus after a deletion never lands in the fixed part.
    grid->SetFocusCell(1, 1);
    EXPECT_TRUE(grid->DeleteRow(2));
    EXPECT_EQ(CGridCellPos(1, 1), grid->GetFocusCell());
}

TEST(GridDelete, BulkDeletionRenumbersTheHeaders)
{
    auto grid = MakeSheet(8, 6, 1, 1);
    EXPECT_EQ(3, grid->DeleteRows(2, 3));
    EXPECT_EQ(5, grid->GetRowCount());
    EXPECT_EQ("2", Text(*grid, 2, 0));
    EXPECT_EQ("4", Text(*grid, 4, 0));
    EXPECT_EQ(2, grid->DeleteColumns(4, 9));     // the count is cut to what is there
    EXPECT_EQ(4, grid->GetColumnCount());
    EXPECT_EQ(0, grid->DeleteRows(9, 1));
}

TEST(GridDelete, DeleteAllCellsEmptiesEverything)
{
    auto grid = MakeSheet(5, 4, 1, 1);
    grid->SetCellId(2, 2, "id");
    grid->SetColumnSortType(2, TRUE);
    grid->AddFormatColumn(2);
    grid->GetBindList().AddBind("b", grid.get());
    grid->GetConnectionList().AddConnection("c");
    EXPECT_TRUE(grid->DeleteAllCells());
    EXPECT_EQ(0, grid->GetRowCount());
    EXPECT_EQ(0, grid->GetColumnCount());
    EXPECT_EQ(0, grid->GetFixedRowCount());
    EXPECT_EQ(0, grid->GetFixedColumnCount());
    EXPECT_TRUE(grid->GetCellIdTable().empty());
    EXPECT_TRUE(grid->GetColumnSortTypes().empty());
    EXPECT_TRUE(grid->GetFormatColumns().empty());
    EXPECT_EQ(0, grid->GetBindList().GetCount());
    EXPECT_EQ(0, grid->GetConnectionList().GetCount());
    EXPECT_TRUE(grid->GetModified());
    EXPECT_EQ(nullptr, grid->GetCell(0, 0));
}

TEST(GridFormatLists, AddOnlyInsideTheGridAndOnce)
{
    auto grid = MakeSheet(4, 3, 1, 1);
    grid->AddFormatRow(2);
    grid->AddFormatRow(2);
    grid->AddFormatRow(4);
    grid->AddFormatRow(-1);
    grid->AddFormatColumn(2);
    grid->AddFormatColumn(3);
    EXPECT_EQ(1u, grid->GetFormatRows().size());
    EXPECT_EQ(0, grid->FindFormatRow(2));
    EXPECT_EQ(-1, grid->FindFormatRow(3));
    EXPECT_EQ(1u, grid->GetFormatColumns().size());
    EXPECT_EQ(0, grid->FindFormatColumn(2));
}

}  // namespace

namespace {

// After a structural change the focus cell's row (column) is selected again
// as a band: the kind and the band say so, and only the focus cell carries
// the selected bit, however long the line.
TEST(GridStructureSelection, ARowOrColumnSelectionStaysABand)
{
    struct Case {
        const char* name;
        int kind;
        CGridCellRange range;      // the selected range afterwards
    } cases[] = {
        {"rows", GSK_ROWS, CGridCellRange(4, 0, 4, 39)},
        {"columns", GSK_COLUMNS, CGridCellRange(0, 3, 49, 3)},
        {"cells", GSK_CELLS, CGridCellRange(4, 3, 4, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(49, 40, 1, 1);
        grid->SetSelectionKind(c.kind);
        grid->SetFocusCell(3, 3);
        ASSERT_EQ(2, grid->InsertRow("", 2));
        EXPECT_EQ(CGridCellPos(4, 3), grid->GetFocusCell());
        EXPECT_EQ(1, grid->GetSelectedCount());
        EXPECT_TRUE(grid->IsCellSelected(4, 3));
        EXPECT_FALSE(grid->IsCellSelected(4, 5));
        EXPECT_FALSE(grid->IsCellSelected(7, 3));
        EXPECT_EQ(c.kind, grid->GetSelectionKind());
        EXPECT_EQ(c.range, grid->GetSelectedRange());
        if (c.kind != GSK_CELLS)
            EXPECT_EQ(CGridCellPos(4, 3), grid->GetSelectionAnchor());
        EXPECT_EQ(c.kind == GSK_ROWS, grid->IsCellInSelectedBand(4, 20) != FALSE);
        EXPECT_EQ(c.kind == GSK_COLUMNS, grid->IsCellInSelectedBand(30, 3) != FALSE);
    }
}

}  // namespace
