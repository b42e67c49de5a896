// The formula compiler: token forms, error messages with their positions, the
// self-reference refusal, and the column-letter converter.

#include "cellcontent/formula/CellNameConverter.h"
#include "cellcontent/formula/FormulaEngine.h"
#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A compact picture of a token list: "fn:1 ( range:1,1-2,2 )", with "<n>|"
// in front of a token that had n blanks before it and "_" after a reference
// part that was written "_".
std::string Describe(const CFormulaTokenList& list)
{
    std::string out;
    auto cell = [](LONG nRow, BYTE byRowMarker, LONG nColumn, BYTE byColumnMarker) {
        return std::to_string(nRow) + (byRowMarker ? "_" : "") + "," + std::to_string(nColumn) +
               (byColumnMarker ? "_" : "");
    };
    for (const CFormulaToken& token : list) {
        if (!out.empty())
            out += ' ';
        if (token.GetBlanks() != 0)
            out += std::to_string(token.GetBlanks()) + "|";
        if (const CFormulaFunctionObject* f = token.GetFunction()) {
            out += "fn:" + std::to_string(f->nFunctionId);
        } else if (const CFormulaOperatorObject* op = token.GetOperator()) {
            out += "op:" + std::to_string(op->nCode);
            EXPECT_EQ(op->byPriority, FormulaOperatorPriority(op->nCode));
        } else if (const CFormulaBracketObject* b = token.GetBracket()) {
            out += b->nCode == 1 ? "(" : b->nCode == 2 ? ")" : ",";
        } else if (const CFormulaOperandObject* o = token.GetOperand()) {
            const FormulaReference& r = o->ref;
            switch (o->nKind) {
            case FORMULA_OPERAND_CELL:
                out += "cell:" + cell(r.nFirstRow, r.byFirstRowMarker, r.nFirstColumn, r.byFirstColumnMarker);
                break;
            case FORMULA_OPERAND_RANGE:
                out += "range:" + cell(r.nFirstRow, r.byFirstRowMarker, r.nFirstColumn, r.byFirstColumnMarker) +
                       "-" + cell(r.nLastRow, r.byLastRowMarker, r.nLastColumn, r.byLastColumnMarker);
                break;
            case FORMULA_OPERAND_NUMBER: {
                char buffer[64];
                snprintf(buffer, sizeof(buffer), "%g", o->dNumber);
                out += std::string("num:") + buffer;
                break;
            }
            case FORMULA_OPERAND_TEXT:
                out += "text:" + o->strText.Str();
                break;
            case FORMULA_OPERAND_CONSTANT:
                out += "const:" + std::to_string(o->nConstantId);
                break;
            default:
                out += "?";
            }
        } else {
            out += "?";
        }
    }
    return out;
}

struct TokenCase {
    const char* pszFormula;
    int nRow;
    int nColumn;
    const char* pszTokens;
};

TEST(FormulaCompiler, TokenForms)
{
    const TokenCase cases[] = {
        {"SUM(A1:B2)", 19, 9, "fn:1 ( range:1,1-2,2 )"},
        {"1+2*3", 19, 9, "num:1 op:1 num:2 op:3 num:3"},
        {"(1+2)*3", 19, 9, "( num:1 op:1 num:2 ) op:3 num:3"},
        {"A1=B1", 19, 9, "cell:1,1 op:9 cell:1,2"},
        {"A1<B1&C1>D1", 19, 9, "cell:1,1 op:8 cell:1,2 op:13 cell:1,3 op:7 cell:1,4"},
        {"a1<=b1<>c1>=d1", 19, 9, "cell:1,1 op:11 cell:1,2 op:12 cell:1,3 op:10 cell:1,4"},
        {"6/2^3-1", 19, 9, "num:6 op:4 num:2 op:5 num:3 op:2 num:1"},
        {"1+*2", 19, 9, "num:1 op:1 op:3 num:2"},
        // "-" where an operand is expected is a sign.
        {"-5*2", 19, 9, "num:-5 op:3 num:2"},
        {"1*-2", 19, 9, "num:1 op:3 num:-2"},
        {"1+-2", 19, 9, "num:1 op:1 num:-2"},
        {"1--2", 19, 9, "num:1 op:2 num:-2"},
        {"-A1", 19, 9, "op:2 cell:1,1"},
        {"2^-A1:B2", 19, 9, "num:2 op:5 op:2 range:1,1-2,2"},
        {"-PI*2", 19, 9, "op:2 const:1 op:3 num:2"},
        {"-SUM(1,-2)", 19, 9, "op:2 fn:1 ( num:1 , num:-2 )"},
        {"(-A1)", 19, 9, "( op:2 cell:1,1 )"},
        // Texts, quotes doubled inside, texts outside any bracket.
        {"LEFT(\"ab\"\"c\",2)", 19, 9, "fn:25 ( text:ab\"c , num:2 )"},
        {"A1&\"x\"", 19, 9, "cell:1,1 op:13 text:x"},
        {"\"\"", 19, 9, "text:"},
        {"\"中文\"&\"a(b\"", 19, 9, "text:中文 op:13 text:a(b"},
        // Constants in either case; numbers in their forms.
        {"PI+pi", 19, 9, "const:1 op:1 const:1"},
        {".5+1e3+2.", 19, 9, "num:0.5 op:1 num:1000 op:1 num:2"},
        // Blanks are counted before the token they precede.
        {"SUM( A1:A3 )", 19, 9, "fn:1 ( 1|range:1,1-3,1 1|)"},
        {"  1 +  2", 19, 9, "2|num:1 1|op:1 2|num:2"},
        {" -A1", 19, 9, "1|op:2 cell:1,1"},
        // References: letters and digits, "_" for the formula cell's own row or column.
        {"AA10+az3", 19, 9, "cell:10,27 op:1 cell:3,52"},
        {"_1", 10, 3, "cell:1,3_"},
        {"B_", 5, 1, "cell:5_,2"},
        {"SUM(_1:_5)", 10, 3, "fn:1 ( range:1,3_-5,3_ )"},
        {"A0", 19, 9, "cell:0,1"},
        // A range written from its other corner is the same block.
        {"SUM(B5:A1)", 19, 9, "fn:1 ( range:1,1-5,2 )"},
        {"SUM(A5:B1)", 19, 9, "fn:1 ( range:1,1-5,2 )"},
        // An empty argument list, a trailing empty argument.
        {"NOW()", 19, 9, "fn:8 ( )"},
        {"RAND()*10", 19, 9, "fn:16 ( ) op:3 num:10"},
        {"()&\"\"", 19, 9, "( ) op:13 text:"},
        {"SUM(1,)", 19, 9, "fn:1 ( num:1 , )"},
    };
    for (const TokenCase& c : cases) {
        CFormulaEngine engine;
        CFormulaTokenList list;
        EXPECT_TRUE(engine.Compile(c.nRow, c.nColumn, c.pszFormula, list)) << c.pszFormula << ": " << engine.GetErrorText().Str();
        EXPECT_EQ(Describe(list), c.pszTokens) << c.pszFormula;
        EXPECT_EQ(engine.GetErrorText().Str(), "") << c.pszFormula;
    }
}

struct ErrorCase {
    const char* pszFormula;
    const char* pszMessage;
    int nPosition;   // -1: not checked
};

TEST(FormulaCompiler, ErrorMessagesAndPositions)
{
    const ErrorCase cases[] = {
        {"*5", "公式语法错误,在0处的\"+\"前面没有操作数, 请确认!", 0},
        {"  ^5", "公式语法错误,在2处的\"+\"前面没有操作数, 请确认!", 2},
        {"(<1)", "公式语法错误,在1处的\"+\"前面没有操作数, 请确认!", 1},
        {"1)", "公式语法错误,在1发现\")\"但没有找到与之匹配的\"(\",请确认!", 1},
        {"SUM(1))+2", "公式语法错误,在6发现\")\"但没有找到与之匹配的\"(\",请确认!", 6},
        {"(1+2", "公式解析错误,无法找到与\"(\"相匹配的符号,请检查公式语法!", -1},
        {"\"abc", "公式解析错误,无法找到与\"\"\"相匹配的符号,请检查公式语法!", -1},
        {"1+", "公式解析错误,缺少操作数,请检查公式语法!", -1},
        {"SUM(1,", "公式解析错误,缺少操作数,请检查公式语法!", -1},
        {"FOO(1)", "没有找到相应的函数,请确认函数是否存在或是否函数名后有空格.", -1},
        {"-(1)", "没有找到相应的函数,请确认函数是否存在或是否函数名后有空格.", -1},
        {"SUM (1)", "无法识别的关键字参数 , [SUM] !", -1},
        {"XYZ", "无法识别的关键字参数 , [XYZ] !", -1},
        {"1+XYZ", "无法识别的关键字参数 , [XYZ] !", -1},
        {"-", "无法识别的关键字参数 , [-] !", -1},
        {"A1B2", "单元格表示错误,没有\":\"符号分隔单元格区域, 请确认!", -1},
        {"A$1", "单元格表示错误,有非正常字符, 请确认!", -1},
        {"A1:B2:C3", "单元格表示错误,有非正常字符, 请确认!", -1},
        {"A_1", "单元格表示错误,有非正常字符, 请确认!", -1},
        {"A1:1", "区域表示错误, \":\"后必须是列标, 请确认!", -1},
        {"A1:", "区域表示错误,\":\"符号后单元格不正确, 请确认!", -1},
        {"SUM(A1:B)", "区域表示错误,\":\"符号后单元格不正确, 请确认!", -1},
        {"5abc", "数值格式不正常,请确认!", -1},
        {"1e-5", "数值格式不正常,请确认!", -1},
        // Two operands with nothing between them.
        {"A1 B1", "公式语法错误,在3处缺少运算符, 请确认!", 3},
        {"(1)(2)", "公式语法错误,在3处缺少运算符, 请确认!", 3},
        {"SUM(1)2", "公式语法错误,在6处缺少运算符, 请确认!", 6},
        {"A1\"x\"", "公式语法错误,在2处缺少运算符, 请确认!", 2},
        {"\"a\" \"b\"", "公式语法错误,在4处缺少运算符, 请确认!", 4},
        // A comma outside a function's brackets.
        {"1,2", "公式语法错误,在1处的\",\"不在函数的参数中, 请确认!", 1},
        {"SUM((1,2))", "公式语法错误,在6处的\",\"不在函数的参数中, 请确认!", 6},
        // A later message replaces an earlier one.
        {"XYZ+1)", "公式语法错误,在5发现\")\"但没有找到与之匹配的\"(\",请确认!", 5},
    };
    for (const ErrorCase& c : cases) {
        CFormulaEngine engine;
        CFormulaTokenList list;
        EXPECT_FALSE(engine.Compile(19, 9, c.pszFormula, list)) << c.pszFormula;
        EXPECT_EQ(engine.GetErrorText().Str(), c.pszMessage) << c.pszFormula;
        if (c.nPosition >= 0) {
            EXPECT_EQ(engine.GetErrorPosition(), c.nPosition) << c.pszFormula;
        }
    }
}

TEST(FormulaCompiler, SelfReferenceIsRefusedWithoutMessage)
{
    const char* const formulas[] = {"B2+1", "SUM(A1:C3)", "SUM(C3:A1)", "_2", "B_", "__"};
    for (const char* pszFormula : formulas) {
        CFormulaEngine engine;
        CFormulaTokenList list;
        engine.Compile(0, 0, "XYZ", list);   // leaves a message behind
        EXPECT_FALSE(engine.Compile(2, 2, pszFormula, list)) << pszFormula;
        EXPECT_EQ(engine.GetErrorText().Str(), "") << pszFormula;
    }
    // The same formulas are fine elsewhere.
    CFormulaEngine engine;
    CFormulaTokenList list;
    EXPECT_TRUE(engine.Compile(5, 5, "B2+SUM(A1:C3)", list));
}

TEST(FormulaCompiler, TwoByteCharactersAreNeverSplit)
{
    // 0x5E ("^") and 0x5F ("_") are also trail bytes of two-byte characters:
    // inside a name they must not act as an operator or an own-position mark.
    const char szName[] = {'\xB5', '\x5E', '\xB5', '\x5F', 0};
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserConstant(szName, 2.5));
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(19, 9, (std::string(szName) + "*2").c_str(), list)) << engine.GetErrorText().Str();
    EXPECT_EQ(Describe(list), "const:32768 op:3 num:2");
    EXPECT_EQ(engine.Evaluate(list).Str(), "5");
}

TEST(FormulaCompiler, UserNamesResolveAfterBuiltins)
{
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserFunction("SUM", 1));      // shadowed by the built-in
    ASSERT_TRUE(engine.AddUserFunction("MyFun", 4));
    ASSERT_TRUE(engine.AddUserConstant("PI", 3.0));     // shadowed by the built-in
    ASSERT_TRUE(engine.AddUserConstant("Rate", 0.5));
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(19, 9, "sum(1)+MYFUN(2)+pi+rate", list));
    EXPECT_EQ(Describe(list), "fn:1 ( num:1 ) op:1 fn:32769 ( num:2 ) op:1 const:1 op:1 const:32769");
}

TEST(FormulaCompiler, CompileEmptiesTheListFirst)
{
    CFormulaEngine engine;
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(19, 9, "1+2", list));
    ASSERT_TRUE(engine.Compile(19, 9, "3", list));
    EXPECT_EQ(Describe(list), "num:3");
    engine.Compile(19, 9, "", list);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CellNameConverter, ColumnsLettersAndNames)
{
    CCellNameConverter converter;
    const struct {
        int nColumn;
        const char* pszLetters;
    } columns[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {28, "AB"}, {52, "AZ"}, {702, "ZZ"}, {703, "AAA"},
                   {16384, "XFD"}, {0, ""}, {-5, ""}};
    for (const auto& c : columns) {
        EXPECT_EQ(converter.ColumnToLetters(c.nColumn).Str(), c.pszLetters) << c.nColumn;
        EXPECT_EQ(converter.GetLetterCount(c.nColumn), static_cast<int>(strlen(c.pszLetters))) << c.nColumn;
        if (c.nColumn > 0) {
            EXPECT_EQ(converter.LettersToColumn(c.pszLetters), c.nColumn) << c.pszLetters;
        }
    }
    EXPECT_EQ(converter.LettersToColumn("ab"), 28);
    EXPECT_EQ(converter.LettersToColumn("A1"), 1 * 26 + 0);   // "1" adds nothing but keeps its place
    EXPECT_EQ(converter.LettersToColumn(""), 0);
    EXPECT_EQ(converter.LettersToColumn("ZZZZZZZZZZZZ"), INT_MAX);

    const struct {
        const char* pszName;
        BOOL bResult;
        int nRow;
        int nColumn;
    } names[] = {
        {"AB12", TRUE, 12, 28}, {"b3", TRUE, 3, 2}, {"A0", TRUE, 0, 1}, {"A", FALSE, -1, -1},
        {"12", FALSE, -1, -1},  {"A1B", FALSE, -1, -1}, {"A-1", FALSE, -1, -1}, {"", FALSE, -1, -1},
        {"A99999999999", FALSE, -1, -1},
    };
    for (const auto& c : names) {
        int nRow = 7;
        int nColumn = 7;
        EXPECT_EQ(converter.ParseCellName(c.pszName, nRow, nColumn), c.bResult) << c.pszName;
        EXPECT_EQ(nRow, c.nRow) << c.pszName;
        EXPECT_EQ(nColumn, c.nColumn) << c.pszName;
    }
}

}  // namespace
