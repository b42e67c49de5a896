// Cell types: by number, by control text and by class, with the cell's
// content and settings kept; control properties; image cells; header numbering.
#include "GridTestUtil.h"
#include "StandInCells.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;
using gridtest::ScopedStandIn;
using gridtest::Text;

namespace {

// A cell with everything a type change must carry across.
void FillCell(CGridCtrl& grid, int r, int c)
{
    grid.SetCellText(r, c, "content");
    grid.SetCellTipText(r, c, "tip");
    grid.SetCellMemo(r, c, "memo");
    grid.SetCellId(r, c, "the-id");
    grid.SetCellTextFormat(r, c, "<format datatype = \"numeric\" ></format>");
    grid.SetCellBackColor(r, c, RGB(1, 2, 3));
    grid.SetCellAlign(r, c, DT_RIGHT);
    grid.SetCellDisplayEllipsis(r, c, TRUE);
    grid.SetCellDisplayTip(r, c, FALSE);
    grid.SetCellSelBackColor(r, c, RGB(9, 8, 7));
    grid.SetCellInputLimit(r, c, TRUE, 1.0, 5.0);
    grid.SetCellBorder(r, c, CBF_LEFT, 0, RGB(4, 4, 4), 1);
}

void ExpectKept(CGridCtrl& grid, int r, int c)
{
    EXPECT_EQ("content", Text(grid, r, c));
    EXPECT_EQ("tip", std::string(grid.GetCellTipText(r, c)));
    EXPECT_EQ("memo", std::string(grid.GetCellMemo(r, c)));
    EXPECT_EQ("the-id", std::string(grid.GetCellId(r, c)));
    EXPECT_NE(-1, grid.GetCellTextFormat(r, c).Find("numeric"));
    EXPECT_EQ(RGB(1, 2, 3), grid.GetCellBackColor(r, c));
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), grid.GetCellAlign(r, c));
    CGridCellBase* cell = grid.GetCell(r, c);
    EXPECT_TRUE(cell->IsDisplayEllipsis());
    EXPECT_FALSE(cell->IsDisplayTip());
    EXPECT_EQ(RGB(9, 8, 7), cell->GetSelBackColor());
    double lo = 0, hi = 0;
    EXPECT_TRUE(grid.GetCellInputLimit(r, c, lo, hi));
    EXPECT_EQ(5.0, hi);
    EXPECT_EQ(static_cast<int>(CBF_LEFT), grid.GetCellBorderFlags(r, c));
}

TEST(GridCellTypes, ByNumberWordAndClassTheContentAndSettingsStay)
{
    ScopedStandIn<GCT_NUMERIC> numeric;
    ScopedStandIn<GCT_COMBOBOX> combo;
    ScopedStandIn<GCT_URL> url;
    struct Case {
        const char* how;
        int expectedType;
    } cases[] = {{"number", GCT_NUMERIC}, {"word", GCT_COMBOBOX}, {"class", GCT_URL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        auto grid = MakeSheet(5, 5, 1, 1);
        FillCell(*grid, 2, 2);
        if (std::string(c.how) == "number") {
            ASSERT_TRUE(grid->SetCellType(2, 2, c.expectedType));
        } else if (std::string(c.how) == "word") {
            ASSERT_TRUE(grid->SetCellControl(2, 2, "<control controltype = \"combobox\" ></control>"));
        } else {
            ASSERT_TRUE(grid->SetCellType(2, 2, CRuntimeClass::FromName("CGridURLCell")));
        }
        EXPECT_EQ(c.expectedType, grid->GetCellType(2, 2));
        ExpectKept(*grid, 2, 2);
        // Back to a plain cell: still all there, but the control text of the
        // old type stays behind.
        ASSERT_TRUE(grid->SetCellType(2, 2, GCT_EDIT));
        EXPECT_EQ(GCT_EDIT, grid->GetCellType(2, 2));
        ExpectKept(*grid, 2, 2);
        EXPECT_EQ("", std::string(grid->GetCellControl(2, 2)));
    }
}

TEST(GridCellTypes, TheControlTypeValueAloneChoosesTheType)
{
    ScopedStandIn<GCT_COMBOBOX> combo;
    ScopedStandIn<GCT_CHECKBOX> check;
    ScopedStandIn<GCT_COMBOCHECK> combocheck;
    ScopedStandIn<GCT_SUPEREDIT> superedit;
    struct Case {
        const char* text;
        BOOL result;
        int type;
    } cases[] = {
        // Item lists that mention other types' words do not decide.
        {"<control controltype = \"combobox\" datasource = \"credit|checkbox|superedit\" ></control>", TRUE,
         GCT_COMBOBOX},
        {"<control controltype = \"combocheck\" ></control>", TRUE, GCT_COMBOCHECK},
        {"<control controltype = \"checkbox\" ></control>", TRUE, GCT_CHECKBOX},
        {"<control controltype = \"superedit\" ></control>", TRUE, GCT_SUPEREDIT},
        {"<control controltype = \"edit\" ></control>", TRUE, GCT_EDIT},
        {"<control controltype = \"Edit\" ></control>", FALSE, -2},       // case counts
        {"<control datasource = \"combobox\" ></control>", FALSE, -2},         // no controltype
        {"<control controltype = \"radio\" ></control>", FALSE, -2},      // no radio cells
        {"combobox", FALSE, -2},
        {"", FALSE, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto grid = MakeSheet(4, 4, 1, 1);
        grid->SetCellText(2, 2, "kept");
        EXPECT_EQ(c.result, grid->SetCellControl(2, 2, c.text));
        const int expected = c.type == -2 ? GCT_EDIT : c.type;
        EXPECT_EQ(expected, grid->GetCellType(2, 2));
        EXPECT_EQ("kept", Text(*grid, 2, 2));
        if (c.result)
            EXPECT_EQ(c.text, std::string(grid->GetCellControl(2, 2)));
    }
}

TEST(GridCellTypes, ATypeWithoutItsClassIsRefusedAndTheCellStays)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    grid->SetCellText(2, 2, "kept");
    CGridCellBase* before = grid->GetCell(2, 2);
    if (!ScopedStandIn<GCT_DATETIME>::RealClassPresent()) {
        EXPECT_FALSE(grid->SetCellControl(2, 2, "<control controltype = \"datetime\" ></control>"));
        EXPECT_FALSE(grid->SetCellType(2, 2, GCT_DATETIME));
    }
    EXPECT_FALSE(grid->SetCellType(2, 2, GCT_RADIO));
    EXPECT_EQ(before, grid->GetCell(2, 2));
    EXPECT_EQ("kept", Text(*grid, 2, 2));
    // A formula text answers the formula's own result.
    EXPECT_EQ(grid->SetCellFormula(2, 2, "=1+1"), grid->SetCellControl(2, 2, "=1+1"));
}

TEST(GridCellTypes, AControlTextOnAMergedCellReachesTheBlock)
{
    ScopedStandIn<GCT_BUTTON> button;
    auto grid = MakeSheet(5, 5, 1, 1);
    grid->MergeCells(1, 1, 2, 2);
    const char* text = "<control controltype = \"button\" caption = \"go\" ></control>";
    ASSERT_TRUE(grid->SetCellControl(1, 1, text));
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(GCT_BUTTON, grid->GetCellType(r, c)) << r << "," << c;
            EXPECT_EQ(text, std::string(grid->GetCellControl(r, c)));
            EXPECT_EQ(CGridCellRange(1, 1, 2, 2), grid->GetCell(r, c)->GetMergeRange());
        }
    }
    EXPECT_EQ(1u, grid->GetMergeOwners().size());
}

TEST(GridCellTypes, ControlPropertiesAreTheCellsOwnAnswers)
{
    ScopedStandIn<GCT_COMBOBOX> combo;
    auto grid = MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(grid->SetCellControl(1, 1, "<control controltype = \"combobox\" ></control>"));
    EXPECT_TRUE(grid->SetCellControlProperty(1, 1, "datasource", "a|b"));
    EXPECT_EQ("a|b", std::string(grid->GetCellControlProperty(1, 1, "datasource")));
    EXPECT_FALSE(grid->SetCellControlProperty(1, 1, "nosuchword", "1"));
    EXPECT_TRUE(grid->DelCellControlProperty(1, 1, "datasource"));
    EXPECT_EQ("", std::string(grid->GetCellControlProperty(1, 1, "datasource")));
    EXPECT_FALSE(grid->DelCellControlProperty(1, 1, "datasource"));
    grid->DestroyCell(2, 2);
    EXPECT_FALSE(grid->SetCellControlProperty(2, 2, "items", "a"));
    EXPECT_EQ("", std::string(grid->GetCellControlProperty(2, 2, "items")));
    EXPECT_FALSE(grid->DelCellControlProperty(2, 2, "items"));
}

TEST(GridCellTypes, ImageCells)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    grid->SetModified(FALSE, -1, -1);
    if (!ScopedStandIn<GCT_IMAGE>::RealClassPresent()) {
        // A cell that cannot become an image cell: refused, nothing marked.
        CGridCellBase* before = grid->GetCell(1, 1);
        EXPECT_FALSE(grid->SetCellImage(1, 1, 3));
        EXPECT_EQ(before, grid->GetCell(1, 1));
        EXPECT_EQ(-1, grid->GetCell(1, 1)->GetImage());
        EXPECT_FALSE(grid->GetModified());
        EXPECT_EQ(0u, grid->GetCellState(1, 1) & GCS_MODIFIED);
    }
    ScopedStandIn<GCT_IMAGE> image;
    EXPECT_FALSE(grid->SetCellImage(1, 1, 65535));
    EXPECT_FALSE(grid->SetCellImage(1, 1, -1));
    EXPECT_TRUE(grid->SetCellImage(1, 1, 65534));
    EXPECT_EQ(GCT_IMAGE, grid->GetCellType(1, 1));
    EXPECT_EQ(65534, grid->GetCell(1, 1)->GetImage());
    EXPECT_TRUE(grid->GetModified());
    EXPECT_TRUE(grid->SetCellImage(1, 1, 0)) << "already an image cell";
    EXPECT_EQ(0, grid->GetCell(1, 1)->GetImage());
    grid->DestroyCell(2, 2);
    EXPECT_FALSE(grid->SetCellImage(2, 2, 1));
}

TEST(GridHeaders, RenumberingRewritesOnlyTheGridsOwnLabels)
{
    auto grid = MakeSheet(6, 5, 1, 1);
    grid->SetCellText(2, 0, "Total");
    grid->SetCellText(3, 0, "77");
    grid->SetCellText(4, 0, "");
    grid->SetCellText(0, 2, "Name");
    grid->SetCellText(0, 3, "QQ");
    grid->RenumberRowHeaders(1, 5);
    grid->RenumberColumnHeaders(1, 4);
    const char* rows[] = {"", "1", "Total", "3", "4", "5"};
    for (int r = 1; r < 6; ++r)
        EXPECT_EQ(rows[r], Text(*grid, r, 0)) << r;
    EXPECT_EQ(static_cast<UINT>(GRID_HEADER_ALIGN), grid->GetCellAlign(3, 0));
    const char* cols[] = {"", "A", "Name", "C", "D"};
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(cols[c], Text(*grid, 0, c)) << c;

    // Without fixed columns (rows) there is nothing to number.
    auto bare = MakeSheet(3, 3, 0, 0);
    bare->SetCellText(1, 0, "9");
    bare->SetCellText(0, 1, "Z");
    bare->RenumberRowHeaders(0, 2);
    bare->RenumberColumnHeaders(0, 2);
    EXPECT_EQ("9", Text(*bare, 1, 0));
    EXPECT_EQ("Z", Text(*bare, 0, 1));
}

}  // namespace
