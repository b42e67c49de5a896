// The designer's view on the control core: the new sheet, the selection walk,
// the right-click menu and its commands, and the font boxes after a click.
#include "designer/DesignerFixture.h"

#include "designer/DesignerCommands.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace designertest;
using namespace designer_cmd;

namespace {

typedef std::vector<std::pair<long, long>> Cells;

// The client point in the middle of a cell of the grid window.
LPARAM PointOf(CGridCtrl& grid, int row, int col)
{
    RECT rc;
    EXPECT_TRUE(grid.GetCellRect(row, col, &rc)) << row << "," << col;
    return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

class DesignerView : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

TEST_F(DesignerView, NewSheetHasTwentyColumnsTheFlatStyleAndFreshReferenceBoxes)
{
    Designer d;
    EXPECT_EQ(20, d.grid.ColumnGetCount());
    EXPECT_EQ(0, d.grid.GridGetDisplayStyle());
    EXPECT_EQ(1, d.ui.firstReferences);
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ("卡沃表格1", d.doc.GetCaption().Str());
}

TEST_F(DesignerView, SelectionWalkVisitsTheListOrTheRangeRowByRow)
{
    struct Case {
        const char* name;
        void (*select)(CGridCtrl&);
        short kind;
        Cells cells;
    } cases[] = {
        {"a block of cells is a list", [](CGridCtrl& g) { g.SetSelectedRange(2, 3, 3, 4); }, 0,
         {{2, 3}, {2, 4}, {3, 3}, {3, 4}}},
        {"one cell", [](CGridCtrl& g) { g.SetSelectedRange(5, 1, 5, 1); }, 0, {{5, 1}}},
        {"a row band is a range, walked row by row",
         [](CGridCtrl& g) {
             g.SetColumnCount(3);
             g.SetRowCount(4);
             g.SelectRowBand(CGridCellPos(2, 1));
         },
         1, {{2, 0}, {2, 1}, {2, 2}}},   // the range the control answers for a row band
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        c.select(d.Engine());
        EXPECT_EQ(c.kind, d.grid.GridGetCurSelectType());
        Cells seen;
        d.view.ForEachSelectedCell([&seen](LONG r, LONG col) { seen.push_back({r, col}); });
        // A list's order is the control's; compare as sets there.
        if (c.kind == 0)
            std::sort(seen.begin(), seen.end());
        EXPECT_EQ(c.cells, seen);
    }
}

// A right click on each area, with and without something to paste: the items
// the view adds, in order, the paste items greyed when nothing can be pasted
// and the commands of later work greyed; the grid shows exactly those items.
TEST_F(DesignerView, RightClickMenuPerArea)
{
    const std::vector<LONG> common = {20000, 20001, 20002, 20003, 30000};
    std::vector<LONG> cell = common, column = common, row = common;
    for (LONG id : {20004, 20006, 30000, 20011, 20012, 30000, 20009, 20010, 30000, 20007, 20008})
        cell.push_back(id);
    for (LONG id : {20020, 20021, 30000, 20004, 20006, 30000, 20022, 20023, 20024, 20025})
        column.push_back(id);
    for (LONG id : {20040, 20041, 30000, 20004, 20006, 30000, 20042, 20043, 20044, 20045})
        row.push_back(id);
    struct Case {
        const char* name;
        int row, col;   // -1: below the last row
        std::vector<LONG> ids;
    } cases[] = {
        {"a cell (1)", 2, 2, cell},
        {"a column header (2)", 0, 2, column},
        {"a row header (3)", 2, 0, row},
        {"the corner (4)", 0, 0, common},
        {"no cell (9)", -1, 2, common},
    };
    for (bool canPaste : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (canPaste ? " with something to paste" : " with nothing to paste"));
            Headless::Reset();
            Designer d;
            d.ui.canPaste = canPaste;
            d.grid.RowSetCount(6);
            LPARAM at;
            if (c.row < 0) {
                RECT rc;
                d.Engine().GetCellRect(5, 2, &rc);
                at = MAKELPARAM((rc.left + rc.right) / 2, rc.bottom + 20);
            } else {
                at = PointOf(d.Engine(), c.row, c.col);
            }
            Headless::QueueMenuChoice(0);
            d.Engine().SendMessage(WM_RBUTTONUP, 0, at);
            std::vector<LONG> ids;
            for (const RecordingGrid::Item& item : d.grid.items) {
                ids.push_back(item.id);
                const bool separator = item.id == 30000;
                const bool paste = item.id == 20002 || item.id == 20003;
                LONG style = separator ? kItemSeparator : kItemNormal;
                if ((paste && !canPaste) || (!separator && !CKivoSheetDesignerView::IsMenuCommandBuilt(item.id)))
                    style = kItemGrayed;
                EXPECT_EQ(style, item.style) << item.id << " " << item.text;
                EXPECT_EQ(separator, item.text.empty()) << item.id;
            }
            EXPECT_EQ(c.ids, ids);
            const std::vector<Headless::MenuShown> shown = Headless::MenusShown();
            ASSERT_EQ(1u, shown.size());
            EXPECT_EQ(c.ids.size(), shown[0].ids.size());
        }
    }
}

// Deleting columns from a column header's menu over a selection of three
// columns removes exactly those three, starting at the first. (The grid's own
// right click on a header selects that header's column; the command itself
// acts on whatever range is selected when it arrives.)
TEST_F(DesignerView, DeleteColumnFromTheHeaderMenuRemovesTheSelectedColumns)
{
    Designer d;
    d.grid.RowSetCount(4);
    for (LONG c = 1; c < 20; ++c)
        d.grid.CellSetValue(1, c, CString(std::to_string(c)));
    // Columns 3 to 5 selected by their headers: a click, then a shift-click.
    d.Engine().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(d.Engine(), 0, 3));
    d.Engine().SendMessage(WM_LBUTTONUP, 0, PointOf(d.Engine(), 0, 3));
    Headless::SetKeyDown(VK_SHIFT, true);
    d.Engine().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, PointOf(d.Engine(), 0, 5));
    d.Engine().SendMessage(WM_LBUTTONUP, MK_SHIFT, PointOf(d.Engine(), 0, 5));
    Headless::SetKeyDown(VK_SHIFT, false);
    LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ASSERT_TRUE(d.grid.GridGetSelectRange(r1, c1, r2, c2));
    ASSERT_EQ(3, c1);
    ASSERT_EQ(5, c2);
    // The command as the control's GridMenuCommand brings it.
    d.view.OnGridEvent(kEventGridMenuCommand, {0, 4, static_cast<long>(kMenuDeleteColumn)});
    EXPECT_EQ(17, d.grid.ColumnGetCount());
    EXPECT_EQ("2", d.grid.CellGetValue(1, 2).Str());
    EXPECT_EQ("6", d.grid.CellGetValue(1, 3).Str());
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ("卡沃表格1*", d.doc.GetCaption().Str());
}

// The menu commands over a selection of rows 2..3 and columns 2..3.
TEST_F(DesignerView, MenuCommandsActOnTheSelectedRange)
{
    struct Case {
        const char* name;
        LONG id;
        LONG rows, cols;                                   // counts afterwards
        std::vector<std::pair<std::pair<long, long>, const char*>> values;   // cell -> text afterwards
        bool (*check)(Designer&);
        bool changes;
    } cases[] = {
        {"insert column", kMenuInsertColumn, 6, 7, {{{2, 2}, ""}, {{2, 3}, "22"}}, nullptr, true},
        {"delete columns", kMenuDeleteColumn, 6, 4, {{{2, 2}, "24"}}, nullptr, true},
        {"insert row", kMenuInsertRow, 7, 6, {{{2, 2}, ""}, {{3, 2}, "22"}}, nullptr, true},
        {"delete rows", kMenuDeleteRow, 4, 6, {{{2, 2}, "42"}}, nullptr, true},
        {"clear content", kMenuClearContent, 6, 6, {{{2, 2}, ""}, {{3, 3}, ""}, {{2, 4}, "24"}}, nullptr, true},
        {"clear all", kMenuClearAll, 6, 6, {{{3, 2}, ""}, {{1, 2}, "12"}}, nullptr, true},
        {"hide columns", kMenuHideColumns, 6, 6, {},
         [](Designer& d) { return d.grid.ColumnIsHide(2) != 0 && d.grid.ColumnIsHide(3) != 0 && !d.grid.ColumnIsHide(4); },
         true},
        {"hide rows", kMenuHideRows, 6, 6, {},
         [](Designer& d) { return d.grid.RowIsHide(2) != 0 && d.grid.RowIsHide(3) != 0 && !d.grid.RowIsHide(1); },
         true},
        {"fit columns", kMenuFitColumns, 6, 6, {},
         [](Designer& d) { return d.grid.ColumnGetWidth(2) > d.grid.ColumnGetWidth(4); }, true},
        {"copy changes nothing", kMenuCopy, 6, 6, {{{2, 2}, "22"}}, nullptr, false},
        {"a command still to come does nothing", kMenuCellProperties, 6, 6, {{{2, 2}, "22"}}, nullptr, false},
        {"an identifier outside the menu's", 19999, 6, 6, {{{2, 2}, "22"}}, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        d.grid.RowSetCount(6);
        d.grid.ColumnSetCount(6);
        for (LONG r = 1; r < 6; ++r)
            for (LONG col = 1; col < 6; ++col)
                d.grid.CellSetValue(r, col, CString(std::to_string(r * 10 + col)));
        if (std::string(c.name) == "fit columns")
            d.grid.CellSetValue(3, 2, CString("a much longer text than the others"));
        d.Engine().SetSelectedRange(2, 2, 3, 3);
        d.view.OnGridMenuCommand(0, 0, c.id);
        EXPECT_EQ(c.rows, d.grid.RowGetCount());
        EXPECT_EQ(c.cols, d.grid.ColumnGetCount());
        for (const auto& v : c.values)
            EXPECT_EQ(v.second, d.grid.CellGetValue(v.first.first, v.first.second).Str())
                << v.first.first << "," << v.first.second;
        if (c.check != nullptr) {
            EXPECT_TRUE(c.check(d));
        }
        EXPECT_EQ(c.changes, d.doc.IsModified() != FALSE);
    }
}

// After a click the font boxes show the font of the selected cells: both
// when the cells agree, the name cleared when the names differ, the size
// cleared when only the sizes differ; a click on the corner changes nothing.
TEST_F(DesignerView, FontBoxesFollowTheSelectedCells)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::pair<long, long>, std::pair<const char*, const char*>>> fonts;
        int r1, c1, r2, c2;
        int clickRow, clickCol;
        std::vector<std::string> names, sizes;
    } cases[] = {
        {"one cell with a name and a size", {{{1, 1}, {"宋体", "12"}}}, 1, 1, 1, 1, 1, 1, {"宋体"}, {"12"}},
        {"two cells that agree", {{{1, 1}, {"Arial", "9"}}, {{1, 2}, {"Arial", "9"}}}, 1, 1, 1, 2, 1, 1,
         {"Arial"}, {"9"}},
        // The names differ at the first cell, before any size was read: both clear.
        {"two font names", {{{1, 1}, {"Arial", "9"}}, {{1, 2}, {"宋体", "9"}}}, 1, 1, 1, 2, 1, 1, {""}, {""}},
        {"names differ after two agreeing cells", {{{1, 1}, {"Arial", "9"}}, {{1, 2}, {"Arial", "9"}}, {{1, 3}, {"宋体", "9"}}},
         1, 1, 1, 3, 1, 1, {""}, {"9"}},
        {"two sizes", {{{1, 1}, {"Arial", "9"}}, {{1, 2}, {"Arial", "14"}}}, 1, 1, 1, 2, 1, 1, {"Arial"}, {""}},
        {"the corner", {{{1, 1}, {"Arial", "9"}}}, 1, 1, 1, 1, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        for (const auto& f : c.fonts) {
            d.grid.CellSetTextFontProperty(f.first.first, f.first.second, CString("fontname"), CString(f.second.first));
            d.grid.CellSetTextFontProperty(f.first.first, f.first.second, CString("fontsize"), CString(f.second.second));
        }
        d.Engine().SetSelectedRange(c.r1, c.c1, c.r2, c.c2);
        d.ui.fontNames.clear();
        d.ui.fontSizes.clear();
        d.view.OnGridEvent(kEventGridLClickUp, {0, 0, 0, c.clickRow, c.clickCol});
        EXPECT_EQ(c.names, d.ui.fontNames);
        EXPECT_EQ(c.sizes, d.ui.fontSizes);
    }
}

// The control's edit, check, combo and resize events mark the document
// modified; selecting and moving the mouse do not.
TEST_F(DesignerView, EditingEventsMarkTheDocumentModified)
{
    struct Case {
        int dispid;
        bool marks;
    } cases[] = {
        {kEventGridCellEndEdit, true},        {kEventGridCellCheckBoxChecked, true},
        {kEventGridCellComboSelChange, true}, {kEventGridRowResize, true},
        {kEventGridColumnResize, true},       {kEventGridSelectRange, false},
        {kEventGridMouseMove, false},         {kEventGridLClickUp, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dispid);
        Designer d;
        d.view.OnGridEvent(c.dispid, {1, 1, 1, 1, 1});
        EXPECT_EQ(c.marks, d.doc.IsModified() != FALSE);
    }
}

}  // namespace
