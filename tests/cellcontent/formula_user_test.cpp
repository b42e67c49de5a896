// The function and constant tables, user functions called through the cell
// source (the record the grid sends as message 1061), and user constants.

#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cellcontent/formula/FormulaEngine.h"
#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const std::string kSep = "\n!\n!\n!";

TEST(FormulaTables, BuiltinTables)
{
    const struct {
        const char* pszName;
        short nCategory;
    } expected[] = {
        {"SUM", 1}, {"AVERAGE", 1}, {"MAX", 1}, {"MIN", 1}, {"COUNT", 1}, {"IF", 1}, {"ABS", 1}, {"NOW", 2},
        {"SIN", 3}, {"COS", 3}, {"TAN", 3}, {"LOG", 3}, {"LN", 3}, {"FACT", 3}, {"MOD", 3}, {"RAND", 3},
        {"ROUND", 3}, {"ROUNDDOWN", 3}, {"ROUNDUP", 3}, {"SQRT", 3}, {"INT", 3}, {"SUMSQ", 3},
        {"COUNTA", 6}, {"COUNTBLANK", 6}, {"LEFT", 4}, {"LEN", 4}, {"LOWER", 4}, {"MID", 4},
        {"REPLACE", 4}, {"REPT", 4}, {"RIGHT", 4}, {"RMB", 4}, {"SUBSTITUTE", 4}, {"TRIM", 4},
        {"UPPER", 4}, {"AND", 9}, {"NOT", 9}, {"OR", 9},
    };
    CFormulaEngine engine;
    for (int i = 0; i < 38; ++i) {
        CString strName;
        short nCategory = -1;
        ASSERT_TRUE(engine.GetSystemFunction(i, &strName, &nCategory)) << i;
        EXPECT_EQ(strName.Str(), expected[i].pszName);
        EXPECT_EQ(nCategory, expected[i].nCategory) << expected[i].pszName;
    }
    CString strName("unchanged");
    short nCategory = 77;
    EXPECT_FALSE(engine.GetSystemFunction(38, &strName, &nCategory));
    EXPECT_FALSE(engine.GetSystemFunction(-1, &strName, &nCategory));
    EXPECT_FALSE(engine.GetSystemFunction(0, nullptr, &nCategory));
    EXPECT_FALSE(engine.GetSystemFunction(0, &strName, nullptr));
    EXPECT_EQ(strName.Str(), "unchanged");
    EXPECT_EQ(nCategory, 77);

    double dValue = 0;
    ASSERT_TRUE(engine.GetSystemConstant(0, &strName, &dValue));
    EXPECT_EQ(strName.Str(), "PI");
    EXPECT_EQ(dValue, 3.1415927);
    EXPECT_FALSE(engine.GetSystemConstant(1, &strName, &dValue));
    EXPECT_FALSE(engine.GetSystemConstant(0, &strName, nullptr));
}

TEST(FormulaTables, AddingUserFunctionsAndConstants)
{
    CFormulaEngine engine;
    EXPECT_FALSE(engine.AddUserFunction("", 1));
    EXPECT_FALSE(engine.AddUserFunction(nullptr, 1));
    EXPECT_FALSE(engine.AddUserFunction("F", -1));
    EXPECT_FALSE(engine.AddUserFunction("F", 11));
    EXPECT_TRUE(engine.AddUserFunction("F", 0));
    EXPECT_TRUE(engine.AddUserFunction("G", 10));
    EXPECT_FALSE(engine.AddUserFunction("f", 3));    // names compare without case
    EXPECT_TRUE(engine.AddUserFunction("SUM", 1));   // allowed, but the built-in wins
    EXPECT_EQ(engine.GetUserFunctionCount(), 3);

    EXPECT_FALSE(engine.AddUserConstant("", 1.0));
    EXPECT_TRUE(engine.AddUserConstant("Rate", 0.25));
    EXPECT_FALSE(engine.AddUserConstant("RATE", 0.5));
    EXPECT_TRUE(engine.AddUserConstant("F", 2.0));   // functions and constants are apart
    EXPECT_EQ(engine.GetUserConstantCount(), 2);

    CString strName;
    short nCategory = 0;
    ASSERT_TRUE(engine.GetUserFunction(1, &strName, &nCategory));
    EXPECT_EQ(strName.Str(), "G");
    EXPECT_EQ(nCategory, 10);
    EXPECT_FALSE(engine.GetUserFunction(3, &strName, &nCategory));
    EXPECT_FALSE(engine.GetUserFunction(-1, &strName, &nCategory));
    double dValue = 0;
    ASSERT_TRUE(engine.GetUserConstant(0, &strName, &dValue));
    EXPECT_EQ(strName.Str(), "Rate");
    EXPECT_EQ(dValue, 0.25);
    EXPECT_FALSE(engine.GetUserConstant(2, &strName, &dValue));
}

TEST(FormulaUserFunction, TheCallRecord)
{
    FormulaFixture f;
    ASSERT_TRUE(f.engine.AddUserFunction("MyFun", 1));
    f.grid.SetNumber("A1", 1);
    f.grid.SetNumber("A3", 2);
    std::string name;
    std::string parameters;
    bool bZeroFilled = false;
    f.grid.onUserFunction = [&](FormulaCallInfo& info) {
        name = info.pszFunctionName;
        parameters = info.pszParameters;
        bZeroFilled = true;
        for (int i = 0; i < FORMULA_RESULT_BUFFER_SIZE; ++i)
            bZeroFilled = bZeroFilled && info.pszResult[i] == 0;
        SetFormulaCallResult(info, "42");
    };
    EXPECT_EQ(f.Eval("myfun(1,\"a\",A1:A3)+1"), "43");
    EXPECT_EQ(name, "MyFun");
    EXPECT_EQ(parameters, "1" + kSep + "a" + kSep + "1" + kSep + kSep + "2");
    EXPECT_TRUE(bZeroFilled);

    // Empty values before the first non-empty one leave no trace.
    f.Eval("MyFun(,\"x\",)");
    EXPECT_EQ(parameters, "x" + kSep);
    f.Eval("MyFun()");
    EXPECT_EQ(parameters, "");
    EXPECT_EQ(f.grid.nUserCalls, 3);
}

TEST(FormulaUserFunction, ResultsAreCutAtACharacterBoundary)
{
    FormulaFixture f;
    ASSERT_TRUE(f.engine.AddUserFunction("Host", 0));
    std::string answer;
    f.grid.onUserFunction = [&](FormulaCallInfo& info) { SetFormulaCallResult(info, answer.c_str()); };

    const struct {
        std::string answer;
        std::string value;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {std::string(511, 'a'), std::string(511, 'a')},
        {std::string(600, 'a'), std::string(511, 'a')},
        {std::string(510, 'a') + "中", std::string(510, 'a')},          // 中 would end past byte 511
        {std::string(509, 'a') + "中中", std::string(509, 'a') + "中"},
        {std::string(509, 'a') + "中", std::string(509, 'a') + "中"},
    };
    for (const auto& c : cases) {
        answer = c.answer;
        EXPECT_EQ(f.Eval("Host()"), c.value) << c.answer.size();
    }

    // A host that fills the whole buffer without a terminating zero.
    f.grid.onUserFunction = [&](FormulaCallInfo& info) {
        std::memset(info.pszResult, 'b', FORMULA_RESULT_BUFFER_SIZE);
        info.pszResult[509] = '\xD6';
        info.pszResult[510] = '\xD0';
        info.pszResult = nullptr;   // even a host that loses the pointer does no harm
    };
    EXPECT_EQ(f.Eval("Host()"), std::string(509, 'b') + "中");

    // No host answer, no grid: the empty text.
    f.grid.onUserFunction = nullptr;
    EXPECT_EQ(f.Eval("Host()&\"|\""), "|");
    f.engine.SetCellSource(nullptr);
    EXPECT_EQ(f.Eval("Host()&\"|\""), "|");
    EXPECT_EQ(f.Error(), "");
}

TEST(FormulaUserConstant, ValueIsReadWhenEvaluated)
{
    FormulaFixture f;
    ASSERT_TRUE(f.engine.AddUserConstant("Rate", 0.25));
    CFormulaTokenList list;
    ASSERT_TRUE(f.engine.Compile(5, 5, "100*Rate", list));
    EXPECT_EQ(f.engine.Evaluate(list).Str(), "25");

    // The table is replaced by a stored one with another value for Rate.
    CFormulaEngine other;
    ASSERT_TRUE(other.AddUserConstant("Rate", 0.5));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(other.SerializeUserConstants(ar, nullptr));
        ar.Flush();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    int nCount = 1;
    ASSERT_TRUE(f.engine.SerializeUserConstants(ar, &nCount));
    EXPECT_EQ(f.engine.Evaluate(list).Str(), "50");
}

}  // namespace
