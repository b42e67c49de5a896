// The currency format: grouped digits behind a symbol, and Chinese amounts in
// words with capital or ordinary numerals.
#include "cellcontent/ChineseAmount.h"
#include "cellcontent/CurrencyFormat.h"
#include "cellcontent/FormatElement.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

CString Caption(double amount, int mode = 1, const char* pointSymbol = "", const char* minus = "负")
{
    return GetChineseCaption(amount, mode, "元", "角", "分", pointSymbol, minus, "整");
}

TEST(ChineseAmount, WritesCapitalNumeralsWithUnits)
{
    const std::pair<double, const char*> cases[] = {
        {1234.56, "壹仟贰佰叁拾肆元伍角陆分整"},
        {20.05, "贰拾元伍分整"},
        {10000, "壹万元整"},
        {100, "壹佰元整"},
        {10, "壹拾元整"},
        {101, "壹佰零壹元整"},
        {110, "壹佰壹拾元整"},
        {1005, "壹仟零伍元整"},
        {100000, "壹拾万元整"},
        {1200000, "壹佰贰拾万元整"},
        {10010, "壹万零壹拾元整"},
        {100000000, "壹亿元整"},
        {100000001, "壹亿零壹元整"},
        {100010000, "壹亿零壹万元整"},
        {1000000000000.0, "壹兆元整"},
        {1000000000001.0, "壹兆零壹元整"},
        {0.01, "元壹分整"},
        {0.5, "元伍角整"},
        {0.125, "元壹角叁分整"},  // two decimals as they are printed
        {2.675, "贰元陆角柒分整"},  // 2.675 is stored just below the half
        {-1234.5, "负壹仟贰佰叁拾肆元伍角整"},
        {-0.01, "负元壹分整"},
        {0, "零"},
        {0.001, "零"},   // zero once rounded to two decimals
        {-0.004, "零"},
        {7, "柒元整"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Caption(c.first).Str(), c.second) << c.first;
}

TEST(ChineseAmount, OrdinaryNumeralsAndSymbols)
{
    EXPECT_EQ(Caption(2024, 2), "二千○二十四元整");
    EXPECT_EQ(Caption(10000, 2), "一万元整");
    EXPECT_EQ(Caption(0, 2), "○");
    EXPECT_EQ(Caption(35.7, 2), "三十五元七角整");
    // Any mode other than 2 writes capitals.
    EXPECT_EQ(Caption(5, 7), "伍元整");
    EXPECT_EQ(Caption(5, -1), "伍元整");
    // The point symbol stands once, before the first decimal that is shown.
    EXPECT_EQ(Caption(1.23, 1, "点"), "壹元点贰角叁分整");
    EXPECT_EQ(Caption(1.03, 1, "点"), "壹元点叁分整");
    EXPECT_EQ(Caption(1, 1, "点"), "壹元整");
    // Missing symbols are empty.
    EXPECT_EQ(GetChineseCaption(-12.3, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), "壹拾贰叁");
    // Not a number: nothing to write.
    EXPECT_EQ(Caption(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(Caption(std::numeric_limits<double>::quiet_NaN()), "");
    // The member form is the same routine.
    EXPECT_EQ(CCurrencyFormat::GetChineseCaption(20.05, 1, "元", "角", "分", "", "", "整"), "贰拾元伍分整");
}

struct CurrencyCase {
    const char* attributes;
    const char* value;
    const char* expected;
    int colour;
};

TEST(CurrencyFormat, FormatsDigitsOrWords)
{
    const char* words =
        "datatype = \"currency\" chinesecaption = \"1\" pointfrontsymbol = \"元\" pointbacksymbol1 = \"角\" "
        "pointbacksymbol2 = \"分\" lastsymbol = \"整\" minusymbol = \"负\" symbol = \"￥\" seplen = \"3\" "
        "separator = \",\" decimal = \"2\"";
    const std::string wordsText = words;
    const CurrencyCase cases[] = {
        {"datatype = \"currency\" decimal = \"2\" seplen = \"3\" separator = \",\" symbol = \"￥\"", "1234.5",
         "￥1,234.50", -1},
        {"datatype = \"currency\"", "1234.5678", "1234.5678", -1},
        {"datatype = \"currency\" seplen = \"3\" separator = \",\"", "1234.5678", "1,234.5678", -1},
        {"datatype = \"currency\" decimal = \"2\"", "-12.5", "12.50", -1},
        {"datatype = \"currency\" decimal = \"2\" displayminus = \"yes\"", "-12.5", "-12.50", -1},
        {"datatype = \"currency\" accountingnone = \"1\"", "0", "-", -1},
        {"datatype = \"currency\" accountingnone = \"1\" symbol = \"$\" decimal = \"2\"", "0.00", "$-", -1},
        {"datatype = \"currency\" accountingnone = \"yes\" decimal = \"2\"", "0", "0.00", -1},
        {"datatype = \"currency\" accountingnone = \"1\" decimal = \"2\"", "0.001", "0.00", -1},
        {"datatype = \"currency\" decimal = \"2\" seplen = \"3\" separator = \",\"", "x", "0.00", -1},
        {"datatype = \"currency\" seplen = \"3\" separator = \",\" symbol = \"$\"", "n/a", "$n/a", -1},
        {words, "1234.56", "壹仟贰佰叁拾肆元伍角陆分整", -1},
        {words, "-100000000", "负壹亿元整", -1},
        {words, "0", "零", -1},
        {"datatype = \"currency\" chinesecaption = \"2\" pointfrontsymbol = \"元\" lastsymbol = \"整\"", "105",
         "一百○五元整", -1},
        {"datatype = \"currency\" chinesecaption = \"1\" accountingnone = \"1\"", "0", "零", -1},
        {"datatype = \"currency\" chinesecaption = \"x\" decimal = \"1\"", "7", "7.0", -1},
        {"datatype = \"currency\" decimal = \"2\" lessthan = \"0\" lessthancolor = \"RGB(255,0,0)\"", "-3", "3.00",
         0x0000FF},
        {"datatype = \"currency\" chinesecaption = \"1\" morethan = \"10\" morethancolor = \"RGB(0,0,255)\" "
         "pointfrontsymbol = \"元\"",
         "11", "壹拾壹元", 0xFF0000},
    };
    for (const CurrencyCase& c : cases) {
        CFormatElement element((std::string("<format ") + c.attributes + " >").c_str(), c.value, nullptr);
        EXPECT_EQ(element.FormatValue().Str(), c.expected) << c.attributes << " / " << c.value;
        EXPECT_EQ(element.GetChosenColour(), c.colour) << c.attributes << " / " << c.value;
    }
}

}  // namespace
