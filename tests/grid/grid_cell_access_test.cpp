// The grid's one-cell setters and getters: the rule they share (refused in
// virtual mode and without a cell, a merged cell copied over its block) and
// each one's exceptions (no block copy, no virtual-mode test, modified marks).
#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using gridtest::MakeSheet;
using gridtest::Text;

namespace {

struct SetterCase {
    const char* name;
    std::function<BOOL(CGridCtrl&, int, int)> set;
    std::function<bool(CGridCellBase*)> applied;   // does the cell show the change?
    bool copiesOverBlock;
    bool refusedInVirtualMode;
    bool marksModified;
};

std::vector<SetterCase> SetterCases()
{
    return {
        {"SetCellText", [](CGridCtrl& g, int r, int c) { return g.SetCellText(r, c, "new"); },
         [](CGridCellBase* p) { return std::string(p->GetText()) == "new"; }, true, true, true},
        {"SetCellValue", [](CGridCtrl& g, int r, int c) { return g.SetCellValue(r, c, 12.5); },
         [](CGridCellBase* p) { return p->GetValue() == 12.5; }, true, true, true},
        {"SetCellItemData", [](CGridCtrl& g, int r, int c) { return g.SetCellItemData(r, c, 77); },
         [](CGridCellBase* p) { return p->GetItemData() == 77; }, false, true, true},
        {"SetCellAlign", [](CGridCtrl& g, int r, int c) { return g.SetCellAlign(r, c, DT_RIGHT); },
         [](CGridCellBase* p) { return p->GetAlign() == DT_RIGHT; }, true, true, false},
        {"SetCellBackColor", [](CGridCtrl& g, int r, int c) { return g.SetCellBackColor(r, c, RGB(1, 2, 3)); },
         [](CGridCellBase* p) { return p->GetBackColor() == RGB(1, 2, 3); }, true, true, false},
        {"SetCellTextColor", [](CGridCtrl& g, int r, int c) { return g.SetCellTextColor(r, c, RGB(4, 5, 6)); },
         [](CGridCellBase* p) { return p->GetTextColor() == RGB(4, 5, 6); }, true, true, false},
        {"SetCellTipText", [](CGridCtrl& g, int r, int c) { return g.SetCellTipText(r, c, "tip"); },
         [](CGridCellBase* p) { return p->GetTipText() == "tip"; }, true, true, false},
        {"SetCellDisplayTip", [](CGridCtrl& g, int r, int c) { return g.SetCellDisplayTip(r, c, FALSE); },
         [](CGridCellBase* p) { return !p->IsDisplayTip(); }, true, true, false},
        {"SetCellMemo", [](CGridCtrl& g, int r, int c) { return g.SetCellMemo(r, c, "memo"); },
         [](CGridCellBase* p) { return p->GetMemo() == "memo"; }, false, true, false},
        {"SetCellReadOnly", [](CGridCtrl& g, int r, int c) { return g.SetCellReadOnly(r, c, TRUE); },
         [](CGridCellBase* p) { return p->IsReadOnly() != FALSE; }, true, true, false},
        {"SetCellDisplayEllipsis",
         [](CGridCtrl& g, int r, int c) { return g.SetCellDisplayEllipsis(r, c, TRUE); },
         [](CGridCellBase* p) { return p->IsDisplayEllipsis() != FALSE; }, true, true, false},
        {"SetCellHide", [](CGridCtrl& g, int r, int c) { return g.SetCellHide(r, c, TRUE); },
         [](CGridCellBase* p) { return !p->IsVisible() && p->IsReadOnly() && !p->IsDisplayTip(); }, true, true,
         false},
        {"SetCellSelBackColor",
         [](CGridCtrl& g, int r, int c) { return g.SetCellSelBackColor(r, c, RGB(7, 8, 9)); },
         [](CGridCellBase* p) { return p->GetSelBackColor() == RGB(7, 8, 9); }, true, true, false},
        {"SetCellInputType", [](CGridCtrl& g, int r, int c) { return g.SetCellInputType(r, c, 1); },
         [](CGridCellBase* p) { return p->GetInputType() == 1; }, true, true, false},
        {"SetCellInputLimit",
         [](CGridCtrl& g, int r, int c) { return g.SetCellInputLimit(r, c, TRUE, -2.0, 9.0); },
         [](CGridCellBase* p) {
             double lo = 0, hi = 0;
             return p->GetInputLimit(lo, hi) && lo == -2.0 && hi == 9.0;
         },
         true, true, false},
        {"SetCellTextWrap", [](CGridCtrl& g, int r, int c) { return g.SetCellTextWrap(r, c, TRUE); },
         [](CGridCellBase* p) { return p->GetWrapText() != FALSE; }, true, false, false},
        {"SetCellDataType", [](CGridCtrl& g, int r, int c) { return g.SetCellDataType(r, c, 3); },
         [](CGridCellBase* p) { return p->GetDataType() == 3; }, false, false, false},
        {"SetCellTextFont",
         [](CGridCtrl& g, int r, int c) {
             return g.SetCellTextFont(r, c, "<font fontname = \"KivoFace\" fontsize = \"20\" ></font>");
         },
         [](CGridCellBase* p) { return p->GetFontXml().Find("KivoFace") >= 0; }, true, true, false},
        {"SetCellTextFormat",
         [](CGridCtrl& g, int r, int c) {
             return g.SetCellTextFormat(r, c, "<format datatype = \"numeric\" ></format>");
         },
         [](CGridCellBase* p) { return p->GetFormatXml().Find("numeric") >= 0; }, true, true, false},
        {"SetCellState", [](CGridCtrl& g, int r, int c) { return g.SetCellState(r, c, GCS_READONLY); },
         [](CGridCellBase* p) { return (p->GetState() & GCS_READONLY) != 0; }, true, true, false},
    };
}

// A sheet with a 2 x 3 block (2, 2)-(3, 4) and a clean modified state.
std::unique_ptr<CGridCtrl> SheetWithBlock()
{
    auto grid = MakeSheet(8, 7, 1, 1);
    grid->MergeCells(2, 2, 3, 4);
    grid->ClearSelection();
    grid->SetModified(FALSE, -1, -1);
    return grid;
}

TEST(GridCellSetters, ChangeTheCellAndFollowTheCommonRule)
{
    for (const SetterCase& c : SetterCases()) {
        SCOPED_TRACE(c.name);
        auto grid = SheetWithBlock();
        EXPECT_TRUE(c.set(*grid, 5, 2));
        EXPECT_TRUE(c.applied(grid->GetCell(5, 2)));
        EXPECT_FALSE(c.applied(grid->GetCell(5, 3))) << "a neighbour is untouched";
        EXPECT_EQ(c.marksModified, grid->GetModified() != FALSE);

        // Without a cell: refused, nothing else changes.
        grid->DestroyCell(6, 1);
        EXPECT_FALSE(c.set(*grid, 6, 1));
        EXPECT_FALSE(c.set(*grid, 99, 1));
        EXPECT_FALSE(c.set(*grid, -1, 1));
    }
}

TEST(GridCellSetters, AMergedCellIsCopiedOverItsBlockExceptWhereNoted)
{
    for (const SetterCase& c : SetterCases()) {
        SCOPED_TRACE(c.name);
        auto grid = SheetWithBlock();
        ASSERT_TRUE(c.set(*grid, 2, 2));
        EXPECT_EQ(c.copiesOverBlock, c.applied(grid->GetCell(3, 4)));
        EXPECT_EQ(c.copiesOverBlock, c.applied(grid->GetCell(2, 3)));
        EXPECT_FALSE(c.applied(grid->GetCell(4, 4))) << "the cell below the block";
        // The block keeps one owner and every cell still names it.
        EXPECT_TRUE(grid->GetCell(2, 2)->IsMergeOwnerCell());
        EXPECT_FALSE(grid->GetCell(3, 4)->IsMergeOwnerCell());
        EXPECT_EQ(CGridCellPos(2, 2), grid->GetCell(3, 4)->GetMergeOwner());
        EXPECT_EQ(CGridCellRange(2, 2, 3, 4), grid->GetCell(3, 4)->GetMergeRange());
    }
}

TEST(GridCellSetters, VirtualModeRefusesAllButWrapAndDataType)
{
    for (const SetterCase& c : SetterCases()) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        grid.SetVirtualMode(TRUE);
        grid.SetRowCount(5);
        grid.SetColumnCount(5);
        EXPECT_EQ(!c.refusedInVirtualMode, c.set(grid, 2, 2) != FALSE);
    }
}

TEST(GridCellSetters, EditingAMergedCellLeavesPositionalStateWithEachCell)
{
    // Copying the owner over its block must not spread the focus or the
    // selection: the focus cell and the selection map keep naming the same cells.
    auto grid = SheetWithBlock();
    grid->SetFocusCell(2, 2);
    grid->SetSelectedRange(2, 2, 2, 2);
    ASSERT_TRUE(grid->SetCellText(2, 2, "owner"));
    for (int r = 2; r <= 3; ++r) {
        for (int c = 2; c <= 4; ++c) {
            SCOPED_TRACE(testing::Message() << r << "," << c);
            const UINT state = grid->GetCellState(r, c);
            const bool isOwner = r == 2 && c == 2;
            EXPECT_EQ(isOwner, (state & GCS_FOCUSED) != 0);
            EXPECT_EQ(grid->IsCellSelected(r, c) != FALSE, (state & GCS_SELECTED) != 0);
            EXPECT_EQ("owner", Text(*grid, r, c));
        }
    }
    grid->ClearSelection();
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(0u, grid->GetCellState(r, c) & (GCS_SELECTED | GCS_FOCUSED)) << r << "," << c;
}

TEST(GridCellSetters, StateOfAMergedCellGoesToEveryCellAndTheSelectionMapFollows)
{
    auto grid = SheetWithBlock();
    ASSERT_EQ(0, grid->GetSelectedCount());
    EXPECT_TRUE(grid->SetCellState(3, 3, GCS_SELECTED | GCS_READONLY));
    EXPECT_EQ(6, grid->GetSelectedCount());
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(static_cast<UINT>(GCS_SELECTED | GCS_READONLY), grid->GetCellState(r, c));
    EXPECT_TRUE(grid->SetCellState(2, 2, 0));
    EXPECT_EQ(0, grid->GetSelectedCount());

    // Plain cell: only that cell; the map follows bit 0x02.
    EXPECT_TRUE(grid->SetCellState(5, 5, GCS_SELECTED));
    EXPECT_TRUE(grid->IsCellSelected(5, 5));
    EXPECT_EQ(1, grid->GetSelectedCount());
    EXPECT_EQ(0u, grid->GetCellState(99, 99));

    // In virtual mode the selection map still follows, though no cell is stored.
    CGridCtrl virt;
    virt.SetVirtualMode(TRUE);
    virt.SetRowCount(4);
    virt.SetColumnCount(4);
    EXPECT_FALSE(virt.SetCellState(2, 2, GCS_SELECTED));
    EXPECT_TRUE(virt.IsCellSelected(2, 2));
}

TEST(GridCellGetters, AnswerTheirEmptyValueWithoutACell)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    grid->DestroyCell(2, 2);
    for (int row : {2, -1, 4}) {
        SCOPED_TRACE(row);
        int col = 2;
        EXPECT_EQ("", std::string(grid->GetCellText(row, col)));
        EXPECT_EQ(0.0, grid->GetCellValue(row, col));
        EXPECT_EQ(0u, grid->GetCellAlign(row, col));
        EXPECT_EQ(0u, grid->GetCellBackColor(row, col));
        EXPECT_EQ(0u, grid->GetCellTextColor(row, col));
        EXPECT_EQ(-1, grid->GetCellDataType(row, col));
        EXPECT_EQ("", std::string(grid->GetCellTipText(row, col)));
        EXPECT_EQ("", std::string(grid->GetCellMemo(row, col)));
        EXPECT_EQ("", std::string(grid->GetCellTextFont(row, col)));
        EXPECT_EQ("", std::string(grid->GetCellTextFormat(row, col)));
        EXPECT_EQ("", std::string(grid->GetCellControl(row, col)));
        EXPECT_FALSE(grid->IsCellReadOnly(row, col));
        EXPECT_FALSE(grid->IsCellHide(row, col));
        EXPECT_FALSE(grid->IsCellTextWrap(row, col));
        EXPECT_FALSE(grid->IsCellMerged(row, col));
        double lo = 1, hi = 1;
        EXPECT_FALSE(grid->GetCellInputLimit(row, col, lo, hi));
        EXPECT_EQ(0, grid->GetCellBorderFlags(row, col));
        EXPECT_EQ(CSize(0, 0), grid->GetCellTextExtent(row, col, "abc"));
    }
    // The font of a missing cell is its area's default font.
    EXPECT_EQ(grid->GetDefaultCell(FALSE, FALSE)->GetFont(), grid->GetCellFont(2, 2));
    grid->DestroyCell(0, 2);
    EXPECT_EQ(grid->GetDefaultCell(TRUE, FALSE)->GetFont(), grid->GetCellFont(0, 2));
}

TEST(GridCellGetters, ReadThroughVirtualModeOnlyWhereTheCellSourceAnswers)
{
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(4);
    grid.SetColumnCount(4);
    EXPECT_FALSE(grid.IsCellReadOnly(1, 1));
    EXPECT_FALSE(grid.IsCellHide(1, 1));
    EXPECT_EQ("", std::string(grid.GetCellMemo(1, 1)));
    EXPECT_EQ("", std::string(grid.GetCellTextFont(1, 1)));
    EXPECT_EQ(-1, grid.SetCellTextFontProperty(1, 1, "fontname", "Arial"));
    EXPECT_FALSE(grid.SetCellControlProperty(1, 1, "items", "a"));
}

TEST(GridCellAccess, HiddenCellsAreReadOnlyWithoutTipsAndShowAgain)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(grid->SetCellHide(2, 2, TRUE));
    EXPECT_TRUE(grid->IsCellHide(2, 2));
    EXPECT_TRUE(grid->IsCellReadOnly(2, 2));
    EXPECT_FALSE(grid->GetCell(2, 2)->IsDisplayTip());
    ASSERT_TRUE(grid->SetCellHide(2, 2, FALSE));
    EXPECT_FALSE(grid->IsCellHide(2, 2));
    EXPECT_FALSE(grid->IsCellReadOnly(2, 2));
    EXPECT_TRUE(grid->GetCell(2, 2)->IsDisplayTip());

    // A grid that is not editable makes every cell read-only.
    grid->GetDefaultSettingRecord().m_bEditable = 0;
    EXPECT_TRUE(grid->IsCellReadOnly(1, 1));
}

TEST(GridCellAccess, InputTypeAndLimits)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    EXPECT_FALSE(grid->SetCellInputType(1, 1, 2));
    EXPECT_FALSE(grid->SetCellInputType(1, 1, -1));
    EXPECT_TRUE(grid->SetCellInputType(1, 1, 0));
    double lo = 0, hi = 0;
    EXPECT_FALSE(grid->GetCellInputLimit(1, 1, lo, hi));
    ASSERT_TRUE(grid->SetCellInputLimit(1, 1, TRUE, 1.5, 8.25));
    EXPECT_TRUE(grid->GetCellInputLimit(1, 1, lo, hi));
    EXPECT_EQ(1.5, lo);
    EXPECT_EQ(8.25, hi);
}

TEST(GridCellAccess, FontAndFormatPropertiesAreWrittenBackOnlyWhenTaken)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(grid->SetCellTextFont(1, 1, "<font fontname = \"Arial\" fontsize = \"12\" ></font>"));
    EXPECT_EQ("Arial", std::string(grid->GetCellTextFontProperty(1, 1, "fontname")));
    // Replacing an existing attribute answers its index; the text follows.
    EXPECT_EQ(0, grid->SetCellTextFontProperty(1, 1, "fontname", "Courier"));
    EXPECT_EQ("Courier", std::string(grid->GetCellTextFontProperty(1, 1, "fontname")));
    EXPECT_STREQ("Courier", grid->GetCellFont(1, 1)->lfFaceName);
    // A word outside the attribute vocabulary is refused and changes nothing.
    CString before = grid->GetCellTextFont(1, 1);
    EXPECT_EQ(-1, grid->SetCellTextFontProperty(1, 1, "nosuchword", "1"));
    EXPECT_EQ(before, grid->GetCellTextFont(1, 1));
    EXPECT_TRUE(grid->DelCellTextFontProperty(1, 1, "fontsize"));
    EXPECT_EQ("", std::string(grid->GetCellTextFontProperty(1, 1, "fontsize")));
    EXPECT_FALSE(grid->DelCellTextFontProperty(1, 1, "fontsize"));

    EXPECT_EQ(-1, grid->SetCellTextFormatProperty(1, 2, "datatype", "numeric"))
        << "no format element to add to";
    ASSERT_TRUE(grid->SetCellTextFormat(1, 2, "<format datatype = \"numeric\" ></format>"));
    EXPECT_GE(grid->SetCellTextFormatProperty(1, 2, "decimal", "2"), 0);
    EXPECT_EQ("2", std::string(grid->GetCellTextFormatProperty(1, 2, "decimal")));
    EXPECT_TRUE(grid->DelCellTextFormatProperty(1, 2, "decimal"));
    EXPECT_EQ("", std::string(grid->GetCellTextFormatProperty(1, 2, "decimal")));
}

TEST(GridCellAccess, ModifiedMarksAndTheSortColumn)
{
    auto grid = MakeSheet(5, 4, 1, 1);
    grid->SetSortColumn(2);
    grid->SetModified(FALSE, -1, -1);
    EXPECT_EQ(-1, grid->GetSortColumn()) << "a grid-wide mark forgets the sort column";

    grid->SetSortColumn(2);
    grid->SetModified(TRUE, 1, 3);
    EXPECT_EQ(2, grid->GetSortColumn()) << "another column keeps it";
    EXPECT_TRUE(grid->GetModified());
    EXPECT_NE(0u, grid->GetCellState(1, 3) & GCS_MODIFIED);

    ASSERT_TRUE(grid->SetCellText(2, 2, "x"));
    EXPECT_EQ(-1, grid->GetSortColumn()) << "a change in the sort column forgets it";

    grid->SetModified(FALSE, 1, 3);
    EXPECT_EQ(0u, grid->GetCellState(1, 3) & GCS_MODIFIED);
    EXPECT_NE(0u, grid->GetCellState(2, 2) & GCS_MODIFIED) << "the grid is still modified";
    grid->SetModified(FALSE, -1, -1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(0u, grid->GetCellState(r, c) & GCS_MODIFIED) << r << "," << c;
}

TEST(GridCellAccess, RowAndColumnColoursSkipTheHeaders)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    COLORREF header = grid->GetCellBackColor(2, 0);
    EXPECT_TRUE(grid->SetRowBackColor(2, RGB(9, 9, 9)));
    EXPECT_EQ(header, grid->GetCellBackColor(2, 0));
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(RGB(9, 9, 9), grid->GetCellBackColor(2, c));
    EXPECT_TRUE(grid->SetColumnTextColor(3, RGB(1, 1, 1)));
    for (int r = 1; r < 4; ++r)
        EXPECT_EQ(RGB(1, 1, 1), grid->GetCellTextColor(r, 3));
    EXPECT_FALSE(grid->SetRowTextColor(4, 0));
    EXPECT_FALSE(grid->SetColumnBackColor(-1, 0));
}

TEST(GridSelectedCells, ReadByIndexInRowOrderThatStaysWhileTheSelectionDoes)
{
    auto grid = MakeSheet(10, 10, 1, 1);
    grid->SetSelectedRange(3, 6, 5, 8);
    ASSERT_EQ(9, grid->GetSelectedCount());
    std::vector<CGridCellPos> first;
    for (int i = 0; i < 9; ++i) {
        CGridCellPos cell;
        grid->GetSelectedCell(cell, i);
        first.push_back(cell);
    }
    EXPECT_EQ(CGridCellPos(3, 6), first[0]);
    EXPECT_EQ(CGridCellPos(3, 8), first[2]);
    EXPECT_EQ(CGridCellPos(4, 6), first[3]);
    EXPECT_EQ(CGridCellPos(5, 8), first[8]);
    for (int i = 8; i >= 0; --i) {
        CGridCellPos again;
        grid->GetSelectedCell(again, i);
        EXPECT_EQ(first[static_cast<size_t>(i)], again);
    }
    CGridCellPos none(5, 5);
    grid->GetSelectedCell(none, 9);
    EXPECT_EQ(CGridCellPos(), none);
    grid->GetSelectedCell(none, -1);
    EXPECT_EQ(CGridCellPos(), none);

    // A changed selection is read in its new order.
    grid->SetSelectedRange(1, 1, 1, 2);
    CGridCellPos cell;
    grid->GetSelectedCell(cell, 1);
    EXPECT_EQ(CGridCellPos(1, 2), cell);
    grid->GetSelectedCell(cell, 2);
    EXPECT_EQ(CGridCellPos(), cell);
}

}  // namespace
