// The grid's default-setting record as plain data.
#include "cellcontent/GridDefaultSetting.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GridDefaultSetting, StartsWithNothingSet)
{
    CGridDefaultSetting setting;
    EXPECT_EQ(setting.m_bEditable, 1);
    EXPECT_EQ(setting.m_wBorderFlags, 0);
    for (const CBorderBlock& block : setting.m_borders) {
        EXPECT_EQ(block.colour, 0);
        EXPECT_EQ(block.lineStyle, 0);
        EXPECT_EQ(block.lineWidth, 0);
    }
    EXPECT_EQ(setting.m_nRowHeight, -1);
    EXPECT_EQ(setting.m_nColWidth, -1);
    EXPECT_EQ(setting.m_crSelColor, -1);
    EXPECT_EQ(setting.m_crCellBgColor, -1);
    EXPECT_EQ(setting.m_crTextColor, -1);
    EXPECT_TRUE(setting.m_strFontXml.IsEmpty());
    EXPECT_EQ(setting.m_bTip, 1);
    EXPECT_EQ(setting.m_bAllowResizeRow, 1);
    EXPECT_EQ(setting.m_bAllowResizeCol, 1);
    EXPECT_EQ(setting.m_bIMResetInitRowHeight, 0);
    EXPECT_EQ(setting.m_bIMResetInitColWidth, 0);
    EXPECT_EQ(setting.m_dwTextAlign, 0);
    EXPECT_EQ(setting.m_nReserved, -1);
    EXPECT_TRUE(setting.m_strSecondText.IsEmpty());
    const LOGFONT zero = {};
    EXPECT_EQ(std::memcmp(&setting.m_logFont, &zero, sizeof(LOGFONT)), 0);
}

TEST(GridDefaultSetting, CopiesAreIndependent)
{
    CGridDefaultSetting source;
    source.m_wBorderFlags = DefaultBorderLeft | DefaultBorderBottom;
    source.m_borders[BorderEdgeBottom] = CBorderBlock{0x0000FF, 2, 3};
    source.m_strFontXml = "<font fontname = \"宋体\" ></font>";
    source.m_strSecondText = "second";
    source.m_logFont.lfHeight = -12;
    std::strcpy(source.m_logFont.lfFaceName, "宋体");

    CGridDefaultSetting copy(source);
    CGridDefaultSetting assigned;
    assigned = source;
    for (CGridDefaultSetting* target : {&copy, &assigned}) {
        EXPECT_EQ(target->m_wBorderFlags, source.m_wBorderFlags);
        EXPECT_EQ(target->m_borders[BorderEdgeBottom].lineWidth, 3);
        EXPECT_EQ(target->m_strFontXml, source.m_strFontXml);
        EXPECT_STREQ(target->m_logFont.lfFaceName, "宋体");
        target->m_strFontXml = "changed";
        target->m_strSecondText.Empty();
        target->m_borders[BorderEdgeBottom].colour = 0;
        target->m_logFont.lfHeight = -20;
    }
    EXPECT_EQ(source.m_strFontXml, "<font fontname = \"宋体\" ></font>");
    EXPECT_EQ(source.m_strSecondText, "second");
    EXPECT_EQ(source.m_borders[BorderEdgeBottom].colour, 0x0000FF);
    EXPECT_EQ(source.m_logFont.lfHeight, -12);
}

}  // namespace
