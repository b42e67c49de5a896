// The grid's formula services: setting, showing, reading and clearing
// formulas; recalculation of dependants and of everything, in dependency
// order and once each; suspended calculation; registration; range copies.
#include "cellcontent/formula/FormulaMessages.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"

#include "GridTestUtil.h"
#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <string>

using formulatest::At;
using formulatest::Formula;
using formulatest::SetFormula;
using formulatest::SetText;
using formulatest::Text;
using formulatest::Type;
using gridtest::MakeSheet;

TEST(GridFormula, SettingShowingAndReading)
{
    struct Case {
        const char* name;
        const char* formula;
        BOOL result;
        int type;
        const char* shown;
        const char* read;   // GetCellFormula
    } cases[] = {
        {"a sum of numbers", "=1+1", TRUE, GCT_FORMULA, "2", "=1+1"},
        {"a range, blanks kept", "=SUM( A1:A3 )", TRUE, GCT_FORMULA, "6", "=SUM( A1:A3 )"},
        {"text from cells", "=A1&\"x\"&C1", TRUE, GCT_FORMULA, "1xtext", "=A1&\"x\"&C1"},
        {"an evaluation message", "=A1/0", TRUE, GCT_FORMULA, "#被除数为0!", "=A1/0"},
        {"no leading =", "1+1", FALSE, GCT_EDIT, "old", ""},
        {"a compile error", "=1+", FALSE, GCT_FORMULA, "#公式错误!", "="},
        {"an empty formula", "=", FALSE, GCT_FORMULA, "#公式错误!", "="},
        {"an unknown function", "=NOSUCH(1)", FALSE, GCT_FORMULA, "#公式错误!", "="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto grid = MakeSheet(10, 6, 1, 1);
        SetText(*grid, "A1", "1");
        SetText(*grid, "A2", "2");
        SetText(*grid, "A3", "3");
        SetText(*grid, "C1", "text");
        SetText(*grid, "B5", "old");
        EXPECT_EQ(SetFormula(*grid, "B5", c.formula), c.result);
        EXPECT_EQ(Type(*grid, "B5"), c.type);
        EXPECT_EQ(Text(*grid, "B5"), c.shown);
        EXPECT_EQ(Formula(*grid, "B5"), c.read);
        // A compile error leaves the engine's message (an empty text compiles to nothing).
        if (c.type == GCT_FORMULA && !c.result && std::string(c.formula) != "=")
            EXPECT_FALSE(grid->GetFormulaLastError().IsEmpty());
    }
}

TEST(GridFormula, NothingChangesWithoutAFormulaOrACell)
{
    auto grid = MakeSheet(5, 5, 1, 1);
    SetText(*grid, "B2", "kept");
    CGridCellBase* before = grid->GetCell(2, 2);
    EXPECT_FALSE(grid->SetCellFormula(2, 2, "1+1"));
    EXPECT_FALSE(grid->SetCellFormula(2, 2, nullptr));
    EXPECT_EQ(grid->GetCell(2, 2), before);
    EXPECT_EQ(Text(*grid, "B2"), "kept");
    EXPECT_FALSE(grid->SetCellFormula(9, 9, "=1"));
    EXPECT_FALSE(grid->SetCellFormula(-1, 1, "=1"));
    EXPECT_EQ(grid->GetCellFormula(9, 9), "");
    EXPECT_EQ(grid->GetCellFormula(2, 2), "");
    EXPECT_EQ(grid->CalcCell(2, 2), FALSE);
}

TEST(GridFormula, TypeElevenThroughEveryDoor)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    EXPECT_TRUE(grid->SetCellType(1, 1, GCT_FORMULA));
    EXPECT_EQ(Type(*grid, "A1"), GCT_FORMULA);
    EXPECT_TRUE(grid->SetCellControl(2, 2, "<control controltype = \"formula\" ></control>"));
    EXPECT_EQ(Type(*grid, "B2"), GCT_FORMULA);
    EXPECT_TRUE(grid->SetCellControl(3, 3, "=2*3"));
    EXPECT_EQ(Text(*grid, "C3"), "6");
    EXPECT_STREQ(GetCellTypeClassName(GCT_FORMULA), "CGridCellFormula");
    EXPECT_NE(CRuntimeClass::FromName("CGridCellFormula"), nullptr);

    // A cell made a formula cell keeps what it had and shows it until it
    // gets a formula; one made plain again keeps the last value.
    SetText(*grid, "D4", "kept");
    grid->GetCell(4, 4)->SetTipText("tip");
    ASSERT_TRUE(grid->SetCellType(4, 4, GCT_FORMULA));
    EXPECT_EQ(Text(*grid, "D4"), "kept");
    EXPECT_EQ(grid->GetCell(4, 4)->GetTipText(), "tip");
    ASSERT_TRUE(SetFormula(*grid, "D4", "=C3+1"));
    ASSERT_TRUE(grid->SetCellType(4, 4, GCT_EDIT));
    EXPECT_EQ(Text(*grid, "D4"), "7");
    EXPECT_EQ(Formula(*grid, "D4"), "");
}

TEST(GridFormula, AChangeReachesEveryReaderOnceAfterWhatItReads)
{
    // A diamond: B1 and B2 read A1, C1 reads both, D1 reads C1 and A1 through
    // a range. Registered in an order that is not the dependency order.
    auto grid = MakeSheet(6, 6, 1, 1);
    SetText(*grid, "A1", "1");
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1+1"));
    ASSERT_TRUE(SetFormula(*grid, "B2", "=A1*10"));
    ASSERT_TRUE(SetFormula(*grid, "C1", "=B1+B2"));
    ASSERT_TRUE(SetFormula(*grid, "D1", "=C1+SUM(A1:A2)"));
    EXPECT_EQ(Text(*grid, "D1"), "13");

    struct Step {
        const char* name;
        const char* cell;
        const char* text;
        const char* b1;
        const char* b2;
        const char* c1;
        const char* d1;
    } steps[] = {
        {"the root", "A1", "2", "3", "20", "23", "25"},
        {"a cell read only through a range", "A2", "5", "3", "20", "23", "30"},
        {"a number", "A1", "", "1", "0", "1", "6"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        SetText(*grid, s.cell, s.text);
        EXPECT_EQ(Text(*grid, "B1"), s.b1);
        EXPECT_EQ(Text(*grid, "B2"), s.b2);
        EXPECT_EQ(Text(*grid, "C1"), s.c1);
        EXPECT_EQ(Text(*grid, "D1"), s.d1);
    }
    grid->SetCellValue(1, 1, 4.5);
    EXPECT_EQ(Text(*grid, "D1"), "60");   // (5.5 + 45) + (4.5 + 5)
    // A change no formula reads recalculates nothing.
    EXPECT_FALSE(grid->RecalcDependents(At("F5")));
    EXPECT_TRUE(grid->RecalcDependents(At("A1")));
}

TEST(GridFormula, SharedPrecedentsAreNotWalkedOverAndOver)
{
    // Forty levels of two cells each reading both cells of the level above:
    // a walk along every path would take 2^40 steps.
    const int levels = 40;
    auto grid = MakeSheet(levels + 2, 4, 1, 1);
    SetText(*grid, "A1", "1");
    SetText(*grid, "B1", "1");
    for (int row = 2; row <= levels; ++row) {
        const std::string above = std::to_string(row - 1);
        ASSERT_TRUE(grid->SetCellFormula(row, 1, ("=A" + above + "+B" + above).c_str()));
        ASSERT_TRUE(grid->SetCellFormula(row, 2, ("=A" + above + "-B" + above + "+1").c_str()));
    }
    SetText(*grid, "A1", "2");
    // Each level: a' = a + b, b' = a - b + 1.
    long long a = 2;
    long long b = 1;
    for (int row = 2; row <= levels; ++row) {
        const long long na = a + b;
        const long long nb = a - b + 1;
        a = na;
        b = nb;
    }
    EXPECT_EQ(gridtest::Text(*grid, levels, 1), std::to_string(a));
    EXPECT_EQ(gridtest::Text(*grid, levels, 2), std::to_string(b));
    EXPECT_EQ(grid->CalcAll(), 2 * (levels - 1));
}

TEST(GridFormula, ALongChainIsFollowedWithoutRecursion)
{
    // A2 is =A1+1, A3 is =A2+1, ... as deep as no call stack would follow.
    const int length = 20000;
    auto grid = MakeSheet(length + 2, 3, 1, 1);
    SetText(*grid, "A1", "0");
    for (int row = 2; row <= length + 1; ++row)
        ASSERT_TRUE(grid->SetCellFormula(row, 1, ("=A" + std::to_string(row - 1) + "+1").c_str()));
    EXPECT_EQ(gridtest::Text(*grid, length + 1, 1), std::to_string(length));
    SetText(*grid, "A1", "5");
    EXPECT_EQ(gridtest::Text(*grid, length + 1, 1), std::to_string(length + 5));
    EXPECT_TRUE(grid->CalcCell(length + 1, 1));
    EXPECT_EQ(grid->CalcAll(), length);
}

TEST(GridFormula, EachCellIsRegisteredOnce)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    ASSERT_TRUE(SetFormula(*grid, "B2", "=1"));
    ASSERT_TRUE(SetFormula(*grid, "B2", "=2"));
    ASSERT_TRUE(SetFormula(*grid, "C3", "=B2*3"));
    grid->AddFormulaCell(2, 2);
    grid->AddFormulaCell(3, 3);
    grid->AddFormulaCell(4, 4);   // no formula cell there: nothing
    // A cell placed again (as a paste or a sort does) is still one cell.
    grid->GetCell(2, 2)->SetCoords(2, 2);
    const std::vector<CGridCellPos> cells = grid->GetFormulaCells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], At("B2"));
    EXPECT_EQ(cells[1], At("C3"));
    EXPECT_EQ(grid->CalcAll(), 2);
    EXPECT_EQ(Text(*grid, "C3"), "6");

    // A formula cell that becomes another cell leaves the list.
    grid->SetCellType(2, 2, GCT_EDIT);
    EXPECT_EQ(grid->GetFormulaCells().size(), 1u);
    grid->RemoveAllFormulaCells();
    EXPECT_TRUE(grid->GetFormulaCells().empty());
    grid->AddFormulaCell(3, 3);
    EXPECT_EQ(grid->CalcAll(), 1);
}

TEST(GridFormula, SuspendedCalculationWaitsForCalcAll)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    SetText(*grid, "A1", "1");
    SetText(*grid, "B1", "old");
    grid->SetFormulaCalcSuspended(TRUE);
    // Registered in the reverse of the dependency order.
    ASSERT_TRUE(SetFormula(*grid, "C1", "=B1*2"));
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1+1"));
    EXPECT_EQ(Text(*grid, "B1"), "old");
    EXPECT_EQ(Text(*grid, "C1"), "");
    SetText(*grid, "A1", "5");
    EXPECT_EQ(Text(*grid, "B1"), "old");
    EXPECT_EQ(grid->CalcAll(), 2);
    EXPECT_EQ(Text(*grid, "B1"), "6");
    EXPECT_EQ(Text(*grid, "C1"), "12");
    grid->SetFormulaCalcSuspended(FALSE);
    SetText(*grid, "A1", "0");
    EXPECT_EQ(Text(*grid, "C1"), "2");
}

TEST(GridFormula, CalcCellBringsWhatItReadsUpToDateFirst)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    SetText(*grid, "A1", "1");
    grid->SetFormulaCalcSuspended(TRUE);
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1+1"));
    ASSERT_TRUE(SetFormula(*grid, "B2", "=SUM(B1:B1)*2"));
    ASSERT_TRUE(SetFormula(*grid, "C1", "=B1+B2"));
    ASSERT_TRUE(SetFormula(*grid, "C2", "=99"));
    EXPECT_TRUE(grid->CalcCell(1, 3));
    EXPECT_EQ(Text(*grid, "C1"), "6");
    EXPECT_EQ(Text(*grid, "B2"), "4");
    EXPECT_EQ(Text(*grid, "C2"), "");   // not read by C1
}

TEST(GridFormula, ClearingAndReplacingFormulas)
{
    auto grid = MakeSheet(6, 6, 1, 1);
    SetText(*grid, "A1", "3");
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1*2"));
    ASSERT_TRUE(SetFormula(*grid, "C1", "=B1+1"));
    // The reader of a formula cell follows it when the formula changes ...
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1*3"));
    EXPECT_EQ(Text(*grid, "C1"), "10");
    // ... and when it stops compiling ...
    EXPECT_FALSE(SetFormula(*grid, "B1", "=A1*"));
    EXPECT_EQ(Text(*grid, "B1"), "#公式错误!");
    EXPECT_EQ(Text(*grid, "C1"), "1");   // the message reads as 0
    // ... and once the cell is a plain cell: B1 no longer follows A1.
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A1"));
    grid->SetCellType(1, 2, GCT_EDIT);
    SetText(*grid, "A1", "8");
    EXPECT_EQ(Text(*grid, "B1"), "3");
    SetText(*grid, "B1", "40");
    EXPECT_EQ(Text(*grid, "C1"), "41");
}

TEST(GridFormula, CopyingAFormulaOverARange)
{
    auto grid = MakeSheet(8, 6, 1, 1);
    for (int row = 1; row <= 5; ++row)
        grid->SetCellText(row, 1, std::to_string(row * 10).c_str());
    ASSERT_TRUE(SetFormula(*grid, "B1", "=A_+C1"));
    SetText(*grid, "C1", "1");
    CGridCellBase* source = grid->GetCell(1, 2);
    ASSERT_TRUE(grid->CopyCellToRange(CGridCellRange(2, 2, 4, 2), source));
    struct Row {
        const char* cell;
        const char* formula;
        const char* shown;
    } rows[] = {{"B2", "=A_+C1", "21"}, {"B3", "=A_+C1", "31"}, {"B4", "=A_+C1", "41"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cell);
        EXPECT_EQ(Formula(*grid, r.cell), r.formula);
        EXPECT_EQ(Text(*grid, r.cell), r.shown);
    }
    SetText(*grid, "C1", "2");
    EXPECT_EQ(Text(*grid, "B4"), "42");
    EXPECT_EQ(grid->GetFormulaCells().size(), 4u);
}

TEST(GridFormula, ARangeCopyTakesTheSourceCellsOwnFormula)
{
    // The source remembers a position that another formula now holds (it
    // was made outside the grid): the copy is of the source's formula all
    // the same.
    auto grid = MakeSheet(8, 6, 1, 1);
    ASSERT_TRUE(SetFormula(*grid, "E5", "=100"));
    CGridCellFormula source;
    source.SetGrid(grid.get());
    ASSERT_TRUE(source.SetFormula(5, 5, "7*6"));
    ASSERT_TRUE(grid->CopyCellToRange(CGridCellRange(2, 2, 2, 3), &source));
    EXPECT_EQ(Formula(*grid, "B2"), "=7*6");
    EXPECT_EQ(Text(*grid, "C2"), "42");
}

TEST(GridFormula, CyclesFromStoredFormsNeitherLoopNorRecurse)
{
    // A1 = B1+1 and B1 = A1+1, compiled where they do not yet read each
    // other and placed as a reader of stored cells would place them; C1 reads
    // itself; D1 reads the cycle.
    auto grid = MakeSheet(6, 6, 1, 1);
    struct Placed {
        const char* cell;
        const char* formula;
    } placed[] = {{"A1", "B1+1"}, {"B1", "A1+1"}, {"C1", "C1+1"}};
    CFormulaEngine& engine = grid->GetFormulaEngine();
    for (const Placed& p : placed) {
        CFormulaTokenList list;
        ASSERT_TRUE(engine.Compile(5, 5, p.formula, list));
        const CGridCellPos pos = At(p.cell);
        ASSERT_TRUE(grid->SetCellType(pos.row, pos.col, GCT_FORMULA));
        formulatest::FormulaCell(*grid, p.cell)->SetCompiledForm(list);
    }
    ASSERT_TRUE(SetFormula(*grid, "D1", "=A1&\"!\""));
    ASSERT_TRUE(SetFormula(*grid, "E1", "=10"));

    EXPECT_EQ(grid->CalcAll(), 5);
    for (const char* cell : {"A1", "B1", "C1"}) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(Text(*grid, cell), FORMULA_MSG_FORMULA_ERROR);
    }
    EXPECT_EQ(Text(*grid, "D1"), "#公式错误!!");
    EXPECT_EQ(Text(*grid, "E1"), "10");
    const std::string error = grid->GetFormulaErrorText().Str();
    EXPECT_EQ(error.find("循环引用发生在引用"), 0u) << error;

    // A change inside the cycle, a change it reads, the cell alone: all end.
    SetText(*grid, "F5", "1");
    EXPECT_TRUE(grid->RecalcDependents(At("A1")));
    EXPECT_TRUE(grid->CalcCell(1, 4));
    EXPECT_EQ(Text(*grid, "D1"), "#公式错误!!");
    // A formula reading the cycle from outside is no cycle of its own.
    EXPECT_TRUE(SetFormula(*grid, "E2", "=B1"));
}

TEST(GridFormula, InsertingAndDeletingLinesKeepsReferencesOnTheirCells)
{
    auto grid = MakeSheet(12, 6, 1, 1);
    for (int row = 1; row <= 10; ++row)
        grid->SetCellText(row, 1, std::to_string(row).c_str());
    ASSERT_TRUE(SetFormula(*grid, "C5", "=A5*100+A4"));
    ASSERT_TRUE(SetFormula(*grid, "C1", "=SUM(A2:A10)"));
    ASSERT_TRUE(SetFormula(*grid, "D1", "=SUM(A6:A9)"));
    ASSERT_TRUE(SetFormula(*grid, "E1", "=C5+1"));
    EXPECT_EQ(Text(*grid, "C5"), "504");

    // Two rows inserted before row 5.
    ASSERT_EQ(grid->InsertRow(nullptr, 5), 5);
    ASSERT_EQ(grid->InsertRow(nullptr, 5), 5);
    EXPECT_EQ(Formula(*grid, "C7"), "=A7*100+A4");
    EXPECT_EQ(Formula(*grid, "C1"), "=SUM(A2:A12)");
    EXPECT_EQ(Formula(*grid, "D1"), "=SUM(A8:A11)");
    EXPECT_EQ(Formula(*grid, "E1"), "=C7+1");
    EXPECT_EQ(Text(*grid, "C7"), "504");
    // The list follows, and changes still reach the moved formula.
    SetText(*grid, "A7", "9");
    EXPECT_EQ(Text(*grid, "C7"), "904");
    EXPECT_EQ(Text(*grid, "E1"), "905");

    // A column inserted before A moves every reference one column right.
    ASSERT_EQ(grid->InsertColumn(nullptr, 0, 1), 1);
    EXPECT_EQ(Formula(*grid, "D7"), "=B7*100+B4");
    EXPECT_EQ(Formula(*grid, "F1"), "=D7+1");

    // Deleting the row a formula reads leaves an invalid reference, shown
    // at once; a range that loses rows sums fewer.
    const int sumBefore = std::stoi(Text(*grid, "D1"));
    EXPECT_EQ(grid->DeleteRows(7, 1), 1);
    EXPECT_EQ(Formula(*grid, "D1"), "=SUM(B2:B11)");
    EXPECT_EQ(Formula(*grid, "F1"), "=#引用无效!+1");
    EXPECT_EQ(Text(*grid, "F1"), FORMULA_MSG_INVALID_REFERENCE);
    EXPECT_EQ(std::stoi(Text(*grid, "D1")), sumBefore - 9);
    // A range that loses every row is invalid too.
    EXPECT_EQ(grid->DeleteRows(7, 4), 4);
    EXPECT_EQ(Formula(*grid, "E1"), "=SUM(#引用无效!)");
    // Deleting the column of a reference.
    EXPECT_EQ(grid->DeleteColumns(2, 1), 1);
    EXPECT_EQ(Formula(*grid, "C1"), "=SUM(#引用无效!)");
    EXPECT_EQ(Text(*grid, "C1"), FORMULA_MSG_INVALID_REFERENCE);
    // Nothing ever lands on a neighbour: the list is where the cells are.
    for (const CGridCellPos& pos : grid->GetFormulaCells())
        EXPECT_EQ(grid->GetCellType(pos.row, pos.col), GCT_FORMULA);
}

TEST(GridFormula, AMovedLineTakesItsReferencesAlong)
{
    // A line moved as the header drag moves it: the references follow first,
    // then the line is inserted, copied and deleted with the shifts held.
    auto grid = MakeSheet(10, 5, 1, 1);
    for (int row = 1; row <= 6; ++row)
        grid->SetCellText(row, 1, std::to_string(row).c_str());
    ASSERT_TRUE(SetFormula(*grid, "B8", "=A2*10"));
    ASSERT_TRUE(SetFormula(*grid, "C8", "=SUM(A1:A3)"));
    ASSERT_TRUE(SetFormula(*grid, "D8", "=A5"));

    // Row 2 to row 5 (it lands after row 5: index 5 once moved).
    grid->MoveFormulaRow(2, 5);
    grid->HoldFormulaShifts(TRUE);
    ASSERT_EQ(grid->InsertRow(nullptr, 6), 6);
    for (int col = 0; col < grid->GetColumnCount(); ++col)
        grid->GetCell(6, col)->CopyFrom(grid->GetCell(2, col));
    ASSERT_TRUE(grid->DeleteRow(2));
    grid->HoldFormulaShifts(FALSE);

    EXPECT_EQ(Text(*grid, "A5"), "2");
    EXPECT_EQ(Formula(*grid, "B8"), "=A5*10");
    EXPECT_EQ(Formula(*grid, "C8"), "=SUM(A1:A2)");
    EXPECT_EQ(Formula(*grid, "D8"), "=A4");
    EXPECT_EQ(Text(*grid, "B8"), "20");
    EXPECT_EQ(Text(*grid, "C8"), "4");   // 1 + 3: the moved row left the range
    EXPECT_EQ(Text(*grid, "D8"), "5");
    SetText(*grid, "A5", "7");
    EXPECT_EQ(Text(*grid, "B8"), "70");
}
