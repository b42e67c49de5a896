// Formula evaluation: operators and precedence, the text value model, cell and
// range values read through the cell source, and evaluation messages.

#include "cellcontent/formula/FormulaEngine.h"
#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EvalCase {
    const char* pszFormula;
    const char* pszValue;
    const char* pszError;
};

void CheckCases(FormulaFixture& f, const EvalCase* cases, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i) {
        const EvalCase& c = cases[i];
        EXPECT_EQ(f.Eval(c.pszFormula), c.pszValue) << c.pszFormula;
        EXPECT_EQ(f.Error(), c.pszError) << c.pszFormula;
    }
}

TEST(FormulaEvaluate, OperatorsAndPrecedence)
{
    const EvalCase cases[] = {
        {"1+2*3", "7", ""},
        {"(1+2)*3", "9", ""},
        {"2*(1+2+3)", "12", ""},
        {"2^3^2", "64", ""},              // "^" groups from the left
        {"10-2-3", "5", ""},
        {"8/2/2", "2", ""},
        {"1-2*3-4", "-9", ""},
        {"1+2*3*4", "25", ""},
        {"2*3+4*5", "26", ""},
        {"1+2*3^2^2", "163", ""},         // 1 + 2 * ((3^2)^2)
        {"2>1+1", "2", ""},               // comparisons share "+"'s priority: (2>1)+1
        {"1/3*3", "0.999999", ""},        // six decimals survive each step
        {"1/3", "0.333333", ""},
        {"0.1+0.2", "0.3", ""},
        {"1+*2", "2", ""},                // the later operator replaces the earlier one
        {"\"abc\"+1", "1", ""},
        {"1&2", "12", ""},
        {"1.50&\"\"", "1.5", ""},
        {"100000000000000000000*1", "100000000000000000000", ""},
        {"0-0.0000001", "0", ""},         // no "-0"
        // Signs.
        {"-5*2", "-10", ""},
        {"1*-2", "-2", ""},
        {"1+-2", "-1", ""},
        {"1--2", "3", ""},
        {"-2^2", "4", ""},                // a sign binds tighter than any operator
        {"2^-1", "0.5", ""},
        {"-PI", "-3.141593", ""},
        {"-SUM(1,2)*2", "-6", ""},
        {"(-3)*(-3)", "9", ""},
        // Groups and calls as operands.
        {"SUM((1+2)*2,4)", "10", ""},
        {"(((7)))", "7", ""},
        {"()", "", ""},
    };
    FormulaFixture f;
    CheckCases(f, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FormulaEvaluate, Comparisons)
{
    const EvalCase cases[] = {
        {"10>9", "1", ""},                // numbers compare by value
        {"\"10\">\"9\"", "1", ""},        // number texts too
        {"2<10", "1", ""},
        {"1=1.0", "1", ""},
        {"1.5>=1.5", "1", ""},
        {"2<=1", "0", ""},
        {"2<>3", "1", ""},
        {"\"abc\"<\"abd\"", "1", ""},     // anything else compares as text
        {"\"b\">\"abc\"", "1", ""},
        {"\"a\"=\"A\"", "0", ""},
        {"\"10a\"<\"9\"", "1", ""},
        {"\"\"=0", "0", ""},
        {"\"中\">\"z\"", "1", ""},        // a two-byte character sorts after single bytes
    };
    FormulaFixture f;
    CheckCases(f, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FormulaEvaluate, ErrorsLeaveMessagesAndGoOn)
{
    const EvalCase cases[] = {
        {"5/0", "", "#被除数为0!"},
        {"5/0+1", "1", "#被除数为0!"},     // the walk goes on with an empty left value
        {"5/\"abc\"", "", "#被除数为0!"},
        {"2^10000", "", "#数值计算错误!"},
        {"(-8)^0.5", "", "#数值计算错误!"},
        {"1e999", "", "#数值计算错误!"},
        {"1e999+1", "1", "#数值计算错误!"},
        {"1+1", "2", ""},                  // a new evaluation starts without a message
    };
    FormulaFixture f;
    CheckCases(f, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FormulaEvaluate, CellsAndRanges)
{
    FormulaFixture f;
    f.grid.SetNumber("A1", 1);
    f.grid.SetNumber("A3", 2);
    f.grid.SetNumber("A4", 2.5);
    f.grid.SetText("B1", "abc");
    f.grid.SetText("B2", "");
    f.grid.SetNumber("C1", 5);
    f.grid.SetNumber("C2", 7);
    f.grid.CoverByMerge("C2");
    f.grid.SetNumber("I19", 4);        // the last cell of the 20 x 10 grid
    const EvalCase cases[] = {
        {"A1", "1", ""},
        {"A4", "2.5", ""},
        {"B1&\"!\"", "abc!", ""},
        {"A2&\"|\"", "|", ""},                      // no cell: the empty text
        {"-A1", "-1", ""},
        {"C2", "", ""},                             // covered by a merged block
        {"SUM(C1:C2)", "5", ""},
        {"SUM(A1:A3)", "3", ""},
        {"AVERAGE(A1:A3)", "1.5", ""},
        // The range value: values joined by the separator, nothing for empty
        // cells before the first value.
        {"A1:A3&\"\"", "1\n!\n!\n!\n!\n!\n!2", ""},
        {"B2:B3&A2:A3", "2", ""},
        // Ranges reversed, and ranges beyond the grid, which are clamped.
        {"SUM(A3:A1)", "3", ""},
        {"SUM(A1:Z25)", "14.5", ""},
        {"I19", "4", ""},
        {"J19&I20&A0&\"x\"", "x", ""},
    };
    for (const EvalCase& c : cases) {
        EXPECT_EQ(f.Eval(c.pszFormula, 30, 30), c.pszValue) << c.pszFormula;
        EXPECT_EQ(f.Error(), c.pszError) << c.pszFormula;
    }
    // "_" reads the formula cell's own column (A) or row.
    EXPECT_EQ(f.Eval("_1+_3", 10, 1), "3");
    EXPECT_EQ(f.Eval("C_*2", 1, 9), "10");
}

TEST(FormulaEvaluate, WithoutGridEveryCellIsEmpty)
{
    CFormulaEngine engine;
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(5, 5, "A1&SUM(A1:B2)&\"x\"", list));
    EXPECT_EQ(engine.Evaluate(list).Str(), "0x");
    EXPECT_EQ(engine.Evaluate(CFormulaTokenList()).Str(), "");
}

TEST(FormulaEvaluate, TheCompiledFormIsNotChanged)
{
    FormulaFixture f;
    f.grid.SetNumber("A1", 2);
    CFormulaTokenList list;
    ASSERT_TRUE(f.engine.Compile(5, 5, "SUM(A1,3)*(A1+1)", list));
    const CString strBefore = f.engine.FormulaToText(list);
    EXPECT_EQ(f.engine.Evaluate(list).Str(), "15");
    f.grid.SetNumber("A1", 3);
    EXPECT_EQ(f.engine.Evaluate(list).Str(), "24");
    EXPECT_EQ(f.engine.FormulaToText(list), strBefore);
}

TEST(FormulaEvaluate, DeepNestingIsBounded)
{
    FormulaFixture f;
    const std::string shallow = std::string(150, '(') + "1" + std::string(150, ')');
    EXPECT_EQ(f.Eval(shallow.c_str()), "1");
    const std::string deep = std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_EQ(f.Eval(deep.c_str()), "");
    EXPECT_EQ(f.Error(), "#公式嵌套层数太多!");

    // A stored form can hold any run of signs; it is followed only so far.
    CFormulaTokenList signs;
    for (int i = 0; i < 100000; ++i)
        signs.Add(CFormulaToken::Operator(FORMULA_OP_SUBTRACT, 0));
    CFormulaOperandObject one;
    one.nKind = FORMULA_OPERAND_NUMBER;
    one.dNumber = 1;
    signs.Add(CFormulaToken::Operand(one, 0));
    EXPECT_EQ(f.engine.Evaluate(signs).Str(), "");
    EXPECT_EQ(f.Error(), "#公式嵌套层数太多!");
    CFormulaTokenList fewSigns;
    for (int i = 0; i < 3; ++i)
        fewSigns.Add(CFormulaToken::Operator(FORMULA_OP_SUBTRACT, 0));
    fewSigns.Add(CFormulaToken::Operand(one, 0));
    EXPECT_EQ(f.engine.Evaluate(fewSigns).Str(), "-1");
}

}  // namespace
