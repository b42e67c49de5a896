// The formula members over the control's own grid: user functions and
// constants registered and read back by position, the built-in tables, the
// refusals (empty and repeated names, categories out of range, positions
// outside the tables), recalculation of one cell and of all, and the
// engine's last message.
#include "control/KivoSheetCtrl.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class FormulaMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ctl.RowSetCount(5);
        ctl.ColumnSetCount(5);
    }
    CKivoSheetCtrl ctl;
};

TEST_F(FormulaMembers, UserFunctionsAreAddedOnceAndReadByPosition)
{
    const struct {
        const char* name;
        SHORT category;
        LONG result;
    } adds[] = {
        {"TAX", 3, 1},  {"tax", 2, 0},   // names are matched without regard to case
        {"", 1, 0},     {"BAD", 11, 0}, {"NEG", -1, 0},
        {"RATE2", 10, 1}, {"ZERO", 0, 1},
    };
    for (const auto& a : adds)
        EXPECT_EQ(ctl.FormulaAddUserFun(a.name, a.category), a.result) << a.name << " " << a.category;
    EXPECT_EQ(ctl.FormulaGetUserFunCount(), 3);

    CString name;
    SHORT category = -7;
    EXPECT_EQ(ctl.FormulaGetUserFun(1, name, category), 1);
    EXPECT_STREQ(name, "RATE2");
    EXPECT_EQ(category, 10);
    for (LONG bad : {-1L, 3L}) {
        CString untouched("keep");
        SHORT cat = -7;
        EXPECT_EQ(ctl.FormulaGetUserFun(bad, untouched, cat), 0) << bad;
        EXPECT_STREQ(untouched, "keep");
        EXPECT_EQ(cat, -7);
    }
}

TEST_F(FormulaMembers, BuiltInTablesSkipTheirPlaceholder)
{
    const LONG functions = ctl.FormulaGetSysFunCount();
    EXPECT_EQ(functions, 38);
    CString name;
    SHORT category = -1;
    EXPECT_EQ(ctl.FormulaGetSysFun(0, name, category), 1);
    EXPECT_STREQ(name, "SUM");
    EXPECT_EQ(ctl.FormulaGetSysFun(functions - 1, name, category), 1);
    EXPECT_STREQ(name, "OR");
    EXPECT_EQ(ctl.FormulaGetSysFun(functions, name, category), 0);
    EXPECT_EQ(ctl.FormulaGetSysFun(-1, name, category), 0);

    EXPECT_EQ(ctl.FormulaGetSysConstCount(), 1);
    double value = 0.0;
    EXPECT_EQ(ctl.FormulaGetSysConst(0, name, value), 1);
    EXPECT_STREQ(name, "PI");
    EXPECT_NEAR(value, 3.1415927, 1e-9);
    EXPECT_EQ(ctl.FormulaGetSysConst(1, name, value), 0);
    EXPECT_EQ(ctl.FormulaGetSysConst(-1, name, value), 0);
}

TEST_F(FormulaMembers, UserConstantsAreAddedOnceAndUsedByFormulas)
{
    EXPECT_EQ(ctl.FormulaAddUserConst("RATE", 0.5), 1);
    EXPECT_EQ(ctl.FormulaAddUserConst("rate", 9.0), 0);
    EXPECT_EQ(ctl.FormulaAddUserConst("", 1.0), 0);
    EXPECT_EQ(ctl.FormulaGetUserConstCount(), 1);
    // Setting a constant changes nothing: constants are added, never set.
    EXPECT_EQ(ctl.FormulaSetUserConst("RATE", 2.0), 0);

    // The position is a float cut to its whole part; one that is no number
    // or lies far outside any table is refused.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float index;
        int result;
    } reads[] = {{0.0f, 1}, {0.9f, 1}, {-0.5f, 1}, {1.0f, 0}, {-1.0f, 0}, {nan, 0}, {inf, 0}, {-inf, 0}, {3e10f, 0}};
    for (const auto& r : reads) {
        CString name("keep");
        double value = -1.0;
        EXPECT_EQ(ctl.FormulaGetUserConst(r.index, name, value), r.result) << r.index;
        EXPECT_STREQ(name, r.result != 0 ? "RATE" : "keep") << r.index;
        EXPECT_EQ(value, r.result != 0 ? 0.5 : -1.0) << r.index;
    }

    EXPECT_EQ(ctl.CellSetFormula(1, 1, "=RATE*4"), 1);
    EXPECT_EQ(ctl.CellGetValueEx2(1, 1), CString("2"));
}

TEST_F(FormulaMembers, RecalculationOfOneCellAndOfAll)
{
    // A1 is the first cell after the fixed row and column.
    ctl.CellSetValueEx(1, 1, 3.0);
    ASSERT_EQ(ctl.CellSetFormula(1, 2, "=A1*2"), 1);
    ASSERT_EQ(ctl.CellSetFormula(1, 3, "=B1+1"), 1);
    EXPECT_EQ(ctl.CellGetValueEx2(1, 3), CString("7"));

    EXPECT_EQ(ctl.FormulaCalcCell(1, 1), 0);   // a number cell
    EXPECT_EQ(ctl.FormulaCalcCell(4, 4), 0);   // an empty cell
    EXPECT_EQ(ctl.FormulaCalcCell(9, 9), 0);   // outside the sheet
    EXPECT_EQ(ctl.FormulaCalcCell(1, 3), 1);
    EXPECT_EQ(ctl.FormulaCalcAll(), 2);
    EXPECT_EQ(ctl.CellGetValueEx2(1, 3), CString("7"));
}

TEST_F(FormulaMembers, LastErrorTellsWhyAFormulaFailed)
{
    EXPECT_EQ(ctl.CellSetFormula(1, 1, "=1+"), 0);
    EXPECT_FALSE(ctl.FormulaGetLastError().IsEmpty());
    EXPECT_EQ(ctl.CellSetFormula(1, 1, "=1+2"), 1);
    EXPECT_TRUE(ctl.FormulaGetLastError().IsEmpty());
}

}  // namespace
