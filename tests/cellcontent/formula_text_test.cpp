// Rendering compiled formulas back to text, and compiling the rendered text
// again.

#include "cellcontent/formula/FormulaEngine.h"
#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RenderCase {
    const char* pszFormula;
    int nRow;
    int nColumn;
    const char* pszText;
    const char* pszExportText;
};

TEST(FormulaText, Renderings)
{
    const RenderCase cases[] = {
        {"SUM( A1:A3 )", 19, 9, "SUM( A1:A3 )", "SUM( A1:A3 )"},
        {"  1 +  2", 19, 9, "  1 +  2", "  1 +  2"},
        {"sum(a1,b2)", 19, 9, "SUM(A1,B2)", "SUM(A1,B2)"},
        {"pi*2", 19, 9, "PI*2", "PI*2"},
        {"_1+A_", 4, 3, "_1+A_", "C1+A4"},
        {"SUM(_1:B2)", 9, 3, "SUM(B1:_2)", "SUM(B1:C2)"},   // corners put in order, "_" moving along
        {"SUM(B5:A1)", 19, 9, "SUM(A1:B5)", "SUM(A1:B5)"},
        {"1.50+2.000+.25", 19, 9, "1.5+2+0.25", "1.5+2+0.25"},
        {"0.0000001*10000000", 19, 9, "0.0000001*10000000", "0.0000001*10000000"},
        {"123456789012345678901234567890", 19, 9, "123456789012345680000000000000",
         "123456789012345680000000000000"},
        {"1e999", 19, 9, "1e999", "1e999"},
        {"-5*-A1", 19, 9, "-5*-A1", "-5*-A1"},
        {"-SUM(1)", 19, 9, "-SUM(1)", "-SUM(1)"},
        {"LEFT(\"ab\"\"c\",2)", 19, 9, "LEFT(\"ab\"\"c\",2)", "LEFT(\"ab\"\"c\",2)"},
        {"\"\"&\"中文\"", 19, 9, "\"\"&\"中文\"", "\"\"&\"中文\""},
        {"A1>=B1<>C1<=D1", 19, 9, "A1>=B1<>C1<=D1", "A1>=B1<>C1<=D1"},
        {"AB100", 19, 9, "AB100", "AB100"},
    };
    for (const RenderCase& c : cases) {
        CFormulaEngine engine;
        CFormulaTokenList list;
        ASSERT_TRUE(engine.Compile(c.nRow, c.nColumn, c.pszFormula, list)) << c.pszFormula;
        EXPECT_EQ(engine.FormulaToText(list).Str(), c.pszText) << c.pszFormula;
        EXPECT_EQ(engine.FormulaToExportText(list).Str(), c.pszExportText) << c.pszFormula;
    }
}

TEST(FormulaText, UserNamesRenderAsRegistered)
{
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserFunction("MyFun", 0));
    ASSERT_TRUE(engine.AddUserConstant("税率", 0.13));
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(19, 9, "MYFUN(1)*税率", list));
    EXPECT_EQ(engine.FormulaToText(list).Str(), "MyFun(1)*税率");
}

// Compiling the rendered text gives the same compiled form and the same text.
TEST(FormulaText, RenderedTextCompilesToTheSameForm)
{
    const std::string tiny = "0." + std::string(299, '0') + "1";   // 1e-300
    const std::string formulas[] = {
        "SUM( A1:B3 ) * 2 + 1/3",
        "0.1+0.2+0.333333333333333314829616256247",
        "1.7976931348623157e308-4.9406564584124654",
        tiny,
        "0." + std::string(323, '0') + "5",                            // the smallest double
        "IF(A1>=10,\"say \"\"hi\"\"\",LEFT(\"中文\",2))",
        "-5+-PI*-SUM(-1,2)^-A1",
        "_2+SUM(A_:B_)",
        "AVERAGE(  B5:A1 , 3 )&\"\"",
        "1e999",
    };
    for (const std::string& formula : formulas) {
        CFormulaEngine engine;
        CFormulaTokenList first;
        ASSERT_TRUE(engine.Compile(8, 5, formula.c_str(), first)) << formula << engine.GetErrorText().Str();
        const CString text = engine.FormulaToText(first);
        CFormulaTokenList second;
        ASSERT_TRUE(engine.Compile(8, 5, text, second)) << text.Str();
        EXPECT_EQ(engine.FormulaToText(second), text) << formula;
        ASSERT_EQ(first.GetCount(), second.GetCount()) << formula;
        for (int i = 0; i < first.GetCount(); ++i) {
            const CFormulaOperandObject* a = first.GetAt(i).GetOperand();
            const CFormulaOperandObject* b = second.GetAt(i).GetOperand();
            if (a != nullptr && a->nKind == FORMULA_OPERAND_NUMBER) {
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(a->dNumber, b->dNumber) << formula << " token " << i;
            }
        }
    }
    // The smallest double survives by value.
    CFormulaEngine engine;
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(8, 5, tiny.c_str(), list));
    EXPECT_EQ(list.GetAt(0).GetOperand()->dNumber, 1e-300);
}

}  // namespace
