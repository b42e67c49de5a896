// The values the workbook bridge sends and reads: sizes, alignment, border
// line styles and weights, fill colour numbers, cell names.
#include "base/WinConstants.h"
#include "document/ExcelBridgeMapping.h"

#include <gtest/gtest.h>

TEST(ExcelBridgeMapping, SizesBothWays)
{
    struct Case {
        int pixels, dpi, width, height;
    } cases[] = {
        {64, 96, 8, 15}, {20, 96, 2, 15}, {0, 96, 0, 0}, {65, 96, 8, 15}, {128, 192, 8, 15}, {64, 0, 8, 15},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.width, ExcelColumnWidthFromPixels(c.pixels, c.dpi)) << c.pixels;
    }
    EXPECT_EQ(15, ExcelRowHeightFromPixels(20, 96));   // 15.13
    EXPECT_EQ(19, ExcelRowHeightFromPixels(26, 96));   // 19.67, cut
    EXPECT_EQ(64, PixelsFromExcelColumnWidth(8, 96));
    EXPECT_EQ(68, PixelsFromExcelColumnWidth(8.5, 96));
    EXPECT_EQ(19, PixelsFromExcelRowHeight(15, 96));
    EXPECT_EQ(0, PixelsFromExcelRowHeight(-3, 96));
    EXPECT_EQ(0, ExcelColumnWidthFromPixels(-5, 96));
}

TEST(ExcelBridgeMapping, AlignmentSentAndReadBack)
{
    struct Case {
        UINT align;
        long horizontal, vertical;
    } sent[] = {
        {DT_LEFT | DT_TOP, 2, 1},
        {DT_CENTER | DT_VCENTER, 3, 2},
        {DT_RIGHT | DT_BOTTOM, 4, 3},
        {DT_RIGHT | DT_CENTER | DT_BOTTOM | DT_VCENTER, 4, 3},
    };
    for (const Case& c : sent) {
        EXPECT_EQ(c.horizontal, ExcelHorizontalFromAlign(c.align)) << c.align;
        EXPECT_EQ(c.vertical, ExcelVerticalFromAlign(c.align)) << c.align;
    }
    struct Back {
        long horizontal, vertical;
        UINT align;
    } back[] = {
        {-4152, -4160, DT_RIGHT},
        {-4131, -4107, DT_LEFT | DT_BOTTOM},
        {1, -4108, DT_LEFT | DT_VCENTER},
        {-4108, -4108, DT_CENTER | DT_VCENTER},
        {7, 99, DT_LEFT},
    };
    for (const Back& b : back)
        EXPECT_EQ(b.align, AlignFromExcel(b.horizontal, b.vertical)) << b.horizontal << " " << b.vertical;
}

TEST(ExcelBridgeMapping, BordersUseTheProgramsConstants)
{
    struct Case {
        int pen;
        long lineStyle;
    } styles[] = {
        {PS_SOLID, 1}, {PS_DASH, -4115}, {PS_DOT, -4118}, {PS_DASHDOT, 4}, {PS_DASHDOTDOT, 5}, {PS_NULL, 1},
    };
    for (const Case& c : styles) {
        EXPECT_EQ(c.lineStyle, ExcelLineStyleFromPen(c.pen)) << c.pen;
        if (c.pen != PS_NULL) {
            EXPECT_EQ(c.pen, PenStyleFromExcelLineStyle(c.lineStyle)) << c.pen;
        }
    }
    EXPECT_EQ(-1, PenStyleFromExcelLineStyle(-4142));   // none
    EXPECT_EQ(PS_SOLID, PenStyleFromExcelLineStyle(-4119));   // double
    struct Weight {
        int width;
        long weight;
    } weights[] = {{1, 2}, {2, -4138}, {3, 4}, {0, 2}, {7, 4}};
    for (const Weight& w : weights)
        EXPECT_EQ(w.weight, ExcelWeightFromWidth(w.width)) << w.width;
    EXPECT_EQ(1, WidthFromExcelWeight(1));
    EXPECT_EQ(1, WidthFromExcelWeight(2));
    EXPECT_EQ(2, WidthFromExcelWeight(-4138));
    EXPECT_EQ(3, WidthFromExcelWeight(4));
}

TEST(ExcelBridgeMapping, FillColourNumbersAreTheProgramsOwn)
{
    struct Case {
        COLORREF colour;
        int index;
    } cases[] = {
        {RGB(0, 0, 0), 1},       {RGB(255, 255, 255), 2}, {RGB(255, 0, 0), 3},
        {RGB(255, 255, 0), 6},   {RGB(192, 192, 192), 15}, {RGB(0, 51, 102), 49},
        {RGB(250, 250, 250), 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, ExcelColorIndexFromColour(c.colour)) << std::hex << c.colour;
}

TEST(ExcelBridgeMapping, CellNames)
{
    EXPECT_STREQ("A1", ExcelCellName(1, 1));
    EXPECT_STREQ("Z10", ExcelCellName(10, 26));
    EXPECT_STREQ("AA3", ExcelCellName(3, 27));
}
