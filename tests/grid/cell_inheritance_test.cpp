// What cells inherit from the grid's four default cells and from the grid
// default setting.
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CellInheritance : public ::testing::Test {
protected:
    CellInheritance() : grid(6, 5, 1, 1) {}

    CGridCell* Cell(int row, int col) { return static_cast<CGridCell*>(grid.GetCell(row, col)); }

    CGridCtrl grid;
};

TEST_F(CellInheritance, DefaultCellFollowsTheFixedBits)
{
    struct Case {
        int row;
        int col;
        CGridDefaultCell* expected;
    } cases[] = {
        {0, 0, grid.GetDefaultCell(TRUE, TRUE)},    // corner
        {0, 3, grid.GetDefaultCell(TRUE, FALSE)},   // fixed row
        {3, 0, grid.GetDefaultCell(FALSE, TRUE)},   // fixed column
        {3, 3, grid.GetDefaultCell(FALSE, FALSE)},  // normal
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<CGridCellBase*>(c.expected), Cell(c.row, c.col)->GetDefaultCell()) << c.row << "," << c.col;
    CGridCell loose;
    EXPECT_EQ(nullptr, loose.GetDefaultCell());
}

TEST_F(CellInheritance, DefaultAlignFollowsTheSettingOnlyOutsideTheHeaders)
{
    grid.GetDefaultSettingRecord().m_dwTextAlign = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    CGridCell* data = Cell(2, 2);
    CGridCell* header = Cell(0, 2);
    header->SetAlign(GRID_DEFAULT_ALIGN);
    data->SetAlign(GRID_DEFAULT_ALIGN);
    EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE), data->GetAlign());
    EXPECT_EQ(GRID_DEFAULT_ALIGN, header->GetAlign());
    data->SetAlign(DT_RIGHT);
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), data->GetAlign());
}

TEST_F(CellInheritance, TextColour)
{
    CGridCell* data = Cell(2, 2);
    EXPECT_EQ(GetDefaultTextColour(), data->GetTextColor());
    grid.GetDefaultSettingRecord().m_crTextColor = RGB(0, 128, 0);
    EXPECT_EQ(RGB(0, 128, 0), data->GetTextColor());
    // The setting does not reach header cells; a header cell created by the
    // grid holds its default cell's colour as its own.
    EXPECT_EQ(GetDefaultTextColour(), Cell(0, 2)->GetTextColor());
    // A colour of the normal default cell wins over the setting.
    grid.GetDefaultCell(FALSE, FALSE)->SetTextColor(RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), data->GetTextColor());
    data->SetTextColor(RGB(200, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), data->GetTextColor());
}

TEST_F(CellInheritance, BackColour)
{
    CGridCell loose;
    loose.SetGrid(&grid);
    loose.SetCoords(2, 2);
    EXPECT_EQ(GetDefaultBackColour(), loose.GetBackColor());
    grid.GetDefaultSettingRecord().m_crCellBgColor = RGB(250, 250, 200);
    EXPECT_EQ(RGB(250, 250, 200), loose.GetBackColor());

    // A fixed cell without a colour of its own shows the fixed-row default.
    loose.SetState(GCS_FIXED | GCS_FIXEDCOL);
    grid.GetDefaultCell(TRUE, FALSE)->SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), loose.GetBackColor());
    // With a colour of its own it shows its fixed back colour, -1 while it has none.
    loose.SetBackColor(RGB(9, 9, 9));
    EXPECT_EQ(static_cast<COLORREF>(-1), loose.GetBackColor());
    loose.SetFixedBackColor(RGB(7, 7, 7));
    EXPECT_EQ(RGB(7, 7, 7), loose.GetBackColor());
    loose.SetState(0);
    EXPECT_EQ(RGB(9, 9, 9), loose.GetBackColor());
}

TEST_F(CellInheritance, Font)
{
    CGridCell loose;
    loose.SetGrid(&grid);
    const LOGFONT* normal = grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    ASSERT_NE(nullptr, normal);
    EXPECT_TRUE(IsSameLogFont(normal, loose.GetFont()));

    // The setting's font reaches cells without a font of their own.
    CGridDefaultSetting& setting = grid.GetDefaultSettingRecord();
    setting.m_strFontXml = "<font fontname = \"宋体\" fontsize = \"9\" ></font>";
    std::memset(&setting.m_logFont, 0, sizeof(setting.m_logFont));
    setting.m_logFont.lfHeight = -20;
    std::strcpy(setting.m_logFont.lfFaceName, "SimSun");
    EXPECT_EQ(-20, loose.GetFont()->lfHeight);

    // An own font equal to the normal default cell's is taken over by the
    // setting's font; a different own font stays.
    CGridCell equal;
    equal.SetGrid(&grid);
    equal.SetFont(normal);
    EXPECT_EQ(-20, equal.GetFont()->lfHeight);
    CGridCell bold;
    bold.SetGrid(&grid);
    LOGFONT lf = *normal;
    lf.lfWeight = FW_BOLD;
    bold.SetFont(&lf);
    EXPECT_EQ(FW_BOLD, bold.GetFont()->lfWeight);
    EXPECT_EQ(normal->lfHeight, bold.GetFont()->lfHeight);
}

TEST_F(CellInheritance, MarginAndReadOnly)
{
    CGridCell* data = Cell(2, 2);
    EXPECT_EQ(3, data->GetMargin());             // the default cell's
    data->SetMargin(6);
    EXPECT_EQ(6, data->GetMargin());

    EXPECT_FALSE(data->IsReadOnly());
    grid.GetDefaultSettingRecord().m_bEditable = 0;
    EXPECT_TRUE(data->IsReadOnly());
    EXPECT_EQ(0u, data->GetState() & GCS_READONLY);
}

TEST_F(CellInheritance, DefaultSizesComeFromTheSettingWhenSet)
{
    CGridDefaultCell* normal = grid.GetDefaultCell(FALSE, FALSE);
    normal->SetWidth(70);
    normal->SetHeight(22);
    EXPECT_EQ(70, normal->GetWidth());
    EXPECT_EQ(22, normal->GetHeight());
    grid.GetDefaultSettingRecord().m_nColWidth = 90;
    grid.GetDefaultSettingRecord().m_nRowHeight = 0;
    EXPECT_EQ(90, normal->GetWidth());
    EXPECT_EQ(0, normal->GetHeight());
}

TEST_F(CellInheritance, DefaultCellsStoreColoursWithoutOwnFlagsAndIgnoreState)
{
    CGridDefaultCell* fixedRow = grid.GetDefaultCell(TRUE, FALSE);
    fixedRow->SetBackColor(RGB(3, 3, 3));
    EXPECT_EQ(RGB(3, 3, 3), fixedRow->GetBackColor());
    EXPECT_FALSE(fixedRow->HasOwnBackColor());
    fixedRow->SetState(GCS_FIXED);
    EXPECT_EQ(0u, fixedRow->GetState());
    fixedRow->SetItemData(9);
    EXPECT_EQ(0, fixedRow->GetItemData());
    EXPECT_EQ(3, fixedRow->GetMargin());
}

TEST(DefaultCell, ConstructionDefaults)
{
    CGridDefaultCell cell;
    EXPECT_EQ(GRID_DEFAULT_ALIGN, cell.GetStoredAlign());
    EXPECT_EQ(GetDefaultTextColour(), cell.GetTextColor());
    EXPECT_EQ(GetDefaultBackColour(), cell.GetBackColor());
    ASSERT_NE(nullptr, cell.GetFont());
    EXPECT_STREQ("Arial", cell.GetFont()->lfFaceName);
    EXPECT_EQ(-12, cell.GetFont()->lfHeight);
    EXPECT_EQ(3, cell.GetMargin());
    EXPECT_GT(cell.GetWidth(), 0);
    EXPECT_EQ(cell.GetWidth() / 4, cell.GetHeight());
    cell.SetFont(nullptr);                       // nothing for NULL
    EXPECT_STREQ("Arial", cell.GetFont()->lfFaceName);
}

}  // namespace
