// The built-in functions: values, argument counts, empty first arguments,
// range arguments, and their messages.

#include "base/DateTime.h"
#include "base/NumberText.h"
#include "cellcontent/formula/FormulaEngine.h"
#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct FunctionCase {
    const char* pszFormula;
    const char* pszValue;
    const char* pszError;
};

// A1 = 1, A2 empty, A3 = 2, B1 = "abc", B2 = -5; column C is empty.
class FormulaFunctions : public ::testing::Test, public FormulaFixture {
protected:
    FormulaFunctions()
    {
        grid.SetNumber("A1", 1);
        grid.SetNumber("A3", 2);
        grid.SetText("B1", "abc");
        grid.SetNumber("B2", -5);
    }

    void Check(const FunctionCase* cases, size_t nCount)
    {
        for (size_t i = 0; i < nCount; ++i) {
            EXPECT_EQ(Eval(cases[i].pszFormula), cases[i].pszValue) << cases[i].pszFormula;
            EXPECT_EQ(Error(), cases[i].pszError) << cases[i].pszFormula;
        }
    }
};

#define CHECK_CASES(cases) Check(cases, sizeof(cases) / sizeof(cases[0]))

const char* const kRangeMessage = "函数的参数中有不能直接参与计算的区域参数,例如B2:C4 .";

TEST_F(FormulaFunctions, ListFunctions)
{
    const FunctionCase cases[] = {
        {"SUM(1,2,3)", "6", ""},
        {"SUM()", "0", ""},
        {"SUM(A1:A3)", "3", ""},
        {"SUM(A1:A3,\"x\",4,\"1.5\")", "8.5", ""},
        {"SUM(A1:B2)", "-4", ""},
        {"AVERAGE(A1:A3)", "1.5", ""},            // empty range values are not counted
        {"AVERAGE(1,\"\",2)", "1", ""},           // empty single arguments are
        {"AVERAGE()", "0", ""},
        {"MAX(-5,-3)", "-3", ""},
        {"MAX(A1:B2)", "1", ""},
        {"MIN()", "0", ""},                        // one empty argument reads as 0
        {"MIN(3,A1:A3)", "1", ""},
        {"MIN(A1:B2)", "-5", ""},
        {"COUNT(1,\"a\",\"\",\"2.5\",\" 5\",\"5 \")", "3", ""},
        {"COUNT(A1:B2)", "2", ""},
        {"COUNTA(1,\"\",\"a\")", "2", ""},
        {"COUNTA(A1:B2)", "3", ""},
        {"COUNTBLANK(\"\",1,\"\")", "2", ""},
        {"COUNTBLANK(C1:C3)", "1", ""},            // an all-empty range arrives as one empty argument
        {"COUNTBLANK(A1:A3)", "0", ""},
        {"SUMSQ(1,2,A1:A3)", "10", ""},
        {"SUMSQ()", "0", ""},
        {"AND(1,\"0\")", "0", ""},
        {"AND(1,2)", "1", ""},
        {"AND(\"\")", "1", ""},
        {"AND(A1:A3,0)", "0", ""},
        {"OR()", "1", ""},                         // the empty argument is not "0"
        {"OR(0,\"0\")", "0", ""},
        {"OR(0,A1:A3)", "1", ""},
    };
    CHECK_CASES(cases);
}

TEST_F(FormulaFunctions, ListFunctionsWithoutArguments)
{
    // Calls straight through the dispatcher with no argument at all.
    const CStringArray none;
    EXPECT_EQ(engine.CallBuiltinFunction(FORMULA_FN_AVERAGE, none).Str(), "0");
    EXPECT_EQ(Error(), "平均函数没有参数!");
    EXPECT_EQ(engine.CallBuiltinFunction(FORMULA_FN_MAX, none).Str(), "");
    EXPECT_EQ(engine.CallBuiltinFunction(FORMULA_FN_MIN, none).Str(), "");
    EXPECT_EQ(engine.CallBuiltinFunction(FORMULA_FN_COUNT, none).Str(), "0");
    EXPECT_EQ(engine.CallBuiltinFunction(FORMULA_FN_SUMSQ, none).Str(), "");
    EXPECT_EQ(Error(), "SUMSQ函数参数个数不正确!");
    EXPECT_EQ(engine.CallBuiltinFunction(0, none).Str(), "");
    EXPECT_EQ(engine.CallBuiltinFunction(39, none).Str(), "");
}

TEST_F(FormulaFunctions, MathFunctions)
{
    const FunctionCase cases[] = {
        {"ABS(-2.5)", "2.5", ""},                  // fractions are kept
        {"ABS(B2)", "5", ""},
        {"SIN(0)+COS(0)+TAN(0)", "1", ""},
        {"SIN(PI/2)", "1", ""},
        {"LOG(100)", "2", ""},
        {"LN(1)", "0", ""},
        {"SQRT(16)", "4", ""},
        {"INT(-2.5)", "-2", ""},
        {"INT(7.9)", "7", ""},
        {"INT(1e20)", "100000000000000000000", ""},
        {"FACT(5)", "120", ""},
        {"FACT(5.9)", "120", ""},
        {"FACT(0)", "1", ""},
        {"FACT(-3)", "1", ""},
        {"MOD(7,3)", "1", ""},
        {"MOD(-7,3)", "-1", ""},
        {"MOD(7.5,2)", "1.5", ""},
        // Results that are no finite number.
        {"SQRT(-1)", "", "#数值计算错误!"},
        {"LN(0)", "", "#数值计算错误!"},
        {"LOG(-1)", "", "#数值计算错误!"},
        {"FACT(171)", "", "#数值计算错误!"},
        {"FACT(1e300)", "", "#数值计算错误!"},
        {"MOD(7,0)", "", "#被除数为0!"},
    };
    CHECK_CASES(cases);
    EXPECT_EQ(Eval("FACT(170)").substr(0, 8), "72574156");
    EXPECT_EQ(Error(), "");
}

TEST_F(FormulaFunctions, Rounding)
{
    const FunctionCase cases[] = {
        {"ROUND(1.25,1)", "1.3", ""},
        {"ROUND(-0.27,1)", "-0.3", ""},
        {"ROUND(-2.5,0)", "-3", ""},
        {"ROUND(2.5,0)", "3", ""},
        {"ROUND(2.675,2)", "2.68", ""},            // on the decimal value shown
        {"ROUND(1234.5,-2)", "1200", ""},
        {"ROUND(1250,-2)", "1300", ""},
        {"ROUND(0.05,1)", "0.1", ""},
        {"ROUND(-0.04,1)", "0", ""},
        {"ROUND(5,20)", "5", ""},
        {"ROUND(0.0004,3)", "0", ""},
        {"ROUNDUP(1.01,1)", "1.1", ""},
        {"ROUNDUP(1.001,1)", "1.1", ""},
        {"ROUNDUP(-1.001,1)", "-1.1", ""},
        {"ROUNDUP(1.1,1)", "1.1", ""},
        {"ROUNDUP(0.1+0.2,1)", "0.3", ""},
        {"ROUNDUP(0.0004,3)", "0.001", ""},
        {"ROUNDUP(1201,-2)", "1300", ""},
        {"ROUNDDOWN(1.99,0)", "1", ""},
        {"ROUNDDOWN(-1.99,0)", "-1", ""},
        {"ROUNDDOWN(1299,-2)", "1200", ""},
        {"ROUNDDOWN(2.675,2)", "2.67", ""},
        {"ROUND(2.5,0.9)", "3", ""},               // the digit count is read as a whole number
    };
    CHECK_CASES(cases);
}

TEST_F(FormulaFunctions, TextFunctions)
{
    const FunctionCase cases[] = {
        {"LEFT(\"abcd\",2)", "ab", ""},
        {"LEFT(\"abcd\",9)", "abcd", ""},
        {"LEFT(\"abcd\",-1)", "", ""},
        {"LEFT(\"中文\",3)", "中", ""},
        {"LEFT(\"中文\",1)", "", ""},                // never half a character
        {"LEFT(\"a中\",2)", "a", ""},
        {"RIGHT(\"abcd\",2)", "cd", ""},
        {"RIGHT(\"中文\",3)", "文", ""},
        {"RIGHT(\"中文\",1)", "", ""},
        {"RIGHT(\"中a\",2)", "a", ""},
        {"MID(\"abcd\",4,1)", "d", ""},
        {"MID(\"abcd\",5,1)", "", ""},
        {"MID(\"abcd\",0,1)", "", ""},
        {"MID(\"abcd\",2,10)", "bcd", ""},
        {"MID(\"abcd\",2,-1)", "", ""},
        {"MID(\"中文\",1,3)", "中", ""},
        {"MID(\"中文\",2,2)", "", ""},
        {"MID(\"中文\",2,3)", "文", ""},
        {"REPLACE(\"abcd\",2,2,\"X\")", "aXd", ""},
        {"REPLACE(\"abcd\",2,0,\"X\")", "aXbcd", ""},
        {"REPLACE(\"abcd\",5,1,\"X\")", "abcd", ""},
        {"REPLACE(\"中文\",2,1,\"X\")", "X文", ""},      // the character touched is replaced whole
        {"REPLACE(\"中文\",3,1,\"\")", "中", ""},
        {"REPT(\"ab\",3)", "ababab", ""},
        {"REPT(\"中\",2)", "中中", ""},
        {"REPT(\"ab\",0)", "", ""},
        {"REPT(\"ab\",20000)", "", "REPT函数的结果太长!"},
        {"LEN(\"中a\")", "3", ""},
        {"LEN(A1:A3)", "14", ""},                  // not refused: the range value's bytes
        {"UPPER(\"abc中癮\")", "ABC中癮", ""},      // a trail byte is never a letter
        {"LOWER(\"ABC\")", "abc", ""},
        {"TRIM(\"  a b \")", "a b", ""},
        {"RMB(1234.5)", "￥1,234.50", ""},
        {"RMB(-1234567)", "￥-1,234,567.00", ""},
        {"RMB(999)", "￥999.00", ""},
        {"RMB(0.125)", "￥0.13", ""},
        {"RMB(1e999)", "", "#数值计算错误!"},
        {"SUBSTITUTE(\"a-b-c\",\"-\",\"+\")", "a+b+c", ""},
        {"SUBSTITUTE(\"a-b-c\",\"-\",\"+\",2)", "a-b+c", ""},
        {"SUBSTITUTE(\"a-b-c\",\"-\",\"+\",5)", "a-b-c", ""},
        {"SUBSTITUTE(\"aaa\",\"aa\",\"b\")", "ba", ""},
        {"SUBSTITUTE(\"aaaa\",\"aa\",\"b\",2)", "aab", ""},
        {"SUBSTITUTE(\"abc\",\"\",\"x\")", "abc", ""},
        {"SUBSTITUTE(\"中文\",\"形\",\"x\")", "中文", ""},  // 形 is the middle two bytes of 中文
        {"SUBSTITUTE(\"中文中\",\"中\",\"z\")", "z文z", ""},
        {"NOT(\"abc\")", "1", ""},
        {"NOT(2)", "0", ""},
        {"NOT(0)", "1", ""},
        {"IF(1,\"yes\",\"no\")", "yes", ""},
        {"IF(0,\"yes\",\"no\")", "no", ""},
        {"IF(2>1,A1,B1)", "1", ""},
        {"IF(0.5,1,2)", "2", ""},                  // the condition is read as a whole number
    };
    CHECK_CASES(cases);
}

TEST_F(FormulaFunctions, ArgumentCounts)
{
    const char* const wrong[] = {
        "IF(1,2)", "ABS(1,2)", "SIN(1,2)", "COS(1,2)", "TAN(1,2)", "LOG(1,2)", "LN(1,2)", "FACT(1,2)",
        "MOD(1)", "ROUND(1)", "ROUNDDOWN(1,2,3)", "ROUNDUP(1)", "SQRT(1,2)", "INT(1,2)", "LEFT(1)",
        "LEN(1,2)", "LOWER(1,2)", "MID(1,2)", "REPLACE(1,2,3)", "REPT(1)", "RIGHT(1,2,3)", "RMB(1,2)",
        "SUBSTITUTE(1,2)", "SUBSTITUTE(1,2,3,4,5)", "TRIM(1,2)", "UPPER(1,2)", "NOT(1,2)",
    };
    for (const char* pszFormula : wrong) {
        const std::string name(pszFormula, strchr(pszFormula, '(') - pszFormula);
        EXPECT_EQ(Eval(pszFormula), "") << pszFormula;
        EXPECT_EQ(Error(), name + "函数参数个数不正确!") << pszFormula;
    }
}

TEST_F(FormulaFunctions, EmptyFirstArgumentGivesEmptyValueWithoutMessage)
{
    const char* const formulas[] = {
        "ABS()", "SIN()", "COS()", "TAN()", "LOG()", "LN()", "FACT()", "MOD(,2)", "ROUND(,1)",
        "ROUNDDOWN(,1)", "ROUNDUP(,1)", "SQRT()", "INT()", "LEFT(,1)", "LEN()", "LOWER()",
        "MID(,1,1)", "REPLACE(,1,1,\"x\")", "REPT(,3)", "RIGHT(,1)", "RMB()", "SUBSTITUTE(,\"a\",\"b\")",
        "TRIM()", "UPPER()", "NOT()", "ABS(C1)", "ABS(C1:C3)",
    };
    for (const char* pszFormula : formulas) {
        EXPECT_EQ(Eval(pszFormula), "") << pszFormula;
        EXPECT_EQ(Error(), "") << pszFormula;
    }
}

TEST_F(FormulaFunctions, RangeArgumentsAreRefusedWhereOneValueIsNeeded)
{
    const struct {
        const char* pszFormula;
        const char* pszName;
        const char* pszValue;
    } cases[] = {
        {"IF(1,A1:A3,2)", "IF", ""},
        {"ABS(A1:A3)", "ABS", "0"},
        {"SIN(A1:A3)", "SIN", "0"},
        {"COS(A1:A3)", "COS", "0"},
        {"TAN(A1:A3)", "TAN", "0"},
        {"LOG(A1:A3)", "LOG", "0"},
        {"LN(A1:A3)", "LN", "0"},
        {"FACT(A1:A3)", "FACT", "0"},
        {"MOD(7,A1:A3)", "MOD", "0"},
        {"ROUND(1,A1:A3)", "ROUND", "0"},
        {"ROUNDDOWN(A1:A3,1)", "ROUNDDOWN", "0"},
        {"ROUNDUP(A1:A3,1)", "ROUNDUP", "0"},
        {"LEFT(\"ab\",A1:A3)", "LEFT", ""},
        {"MID(\"ab\",1,A1:A3)", "Mid", ""},
        {"REPLACE(\"ab\",1,1,A1:A3)", "REPLACE", ""},
        {"RIGHT(A1:A3,1)", "RIGHT", ""},
        {"SUBSTITUTE(\"ab\",\"a\",\"b\",A1:A3)", "SUBSTITUTE", ""},
        {"RMB(A1:A3)", "RMB", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Eval(c.pszFormula), c.pszValue) << c.pszFormula;
        EXPECT_EQ(Error(), std::string(c.pszName) + kRangeMessage) << c.pszFormula;
    }
}

TEST_F(FormulaFunctions, RandAndNow)
{
    KivoSrand(1);
    EXPECT_EQ(Eval("RAND()"), "0.00041");         // 41 * 999 * 1.00000001e-8
    for (int i = 0; i < 50; ++i) {
        const double d = AToF(Eval("RAND()").c_str());
        EXPECT_GE(d, 0.0);
        EXPECT_LE(d, 0.328);
    }
    EXPECT_EQ(Eval("RAND(1)"), "");
    EXPECT_EQ(Error(), "RAND函数不允许有参数!");

    const COleDateTime now = COleDateTime::GetCurrentTime();
    const std::string value = Eval("NOW()");
    ASSERT_EQ(value.size(), 16u) << value;
    EXPECT_EQ(value.substr(0, 4), std::to_string(now.GetYear()));
    EXPECT_EQ(value[4], '-');
    EXPECT_EQ(value[7], '-');
    EXPECT_EQ(value[10], ' ');
    EXPECT_EQ(value[13], '-');             // hours and minutes joined by "-"
    EXPECT_EQ(Eval("NOW(1,2)").size(), 16u);
}

}  // namespace
