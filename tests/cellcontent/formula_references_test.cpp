// References of a compiled form following inserted, deleted and moved rows
// and columns, and the invalid reference a deleted line leaves: how it
// renders, evaluates and survives the token records.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cellcontent/formula/FormulaArchive.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "cellcontent/formula/FormulaReferences.h"

#include "formula_test_grid.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// The formula's own cell lies far from the references (row 40, column 20).
const int kOwnRow = 40;
const int kOwnColumn = 20;

CFormulaTokenList Compiled(CFormulaEngine& engine, const char* pszText)
{
    CFormulaTokenList list;
    EXPECT_TRUE(engine.Compile(kOwnRow, kOwnColumn, pszText, list)) << pszText;
    return list;
}

enum Change { kInsert, kDelete, kMove };

struct Case {
    const char* name;
    FormulaAxis axis;
    Change change;
    int a;       // insert/delete: first line; move: from
    int b;       // insert/delete: count; move: to
    const char* before;
    const char* after;
};

const Case kCases[] = {
    // Two rows inserted before row 5 (they become rows 5 and 6).
    {"cell below the insertion moves", FORMULA_AXIS_ROWS, kInsert, 5, 2, "A5", "A7"},
    {"cell above the insertion stays", FORMULA_AXIS_ROWS, kInsert, 5, 2, "A4", "A4"},
    {"range across the insertion grows", FORMULA_AXIS_ROWS, kInsert, 5, 2, "SUM(A2:A10)", "SUM(A2:A12)"},
    {"range below the insertion moves", FORMULA_AXIS_ROWS, kInsert, 5, 2, "SUM(A6:A9)", "SUM(A8:A11)"},
    {"range starting at the insertion moves whole", FORMULA_AXIS_ROWS, kInsert, 5, 2, "SUM(A5:A9)", "SUM(A7:A11)"},
    {"range ending above the insertion stays", FORMULA_AXIS_ROWS, kInsert, 5, 2, "SUM(A1:A4)", "SUM(A1:A4)"},
    {"columns do not move with rows", FORMULA_AXIS_ROWS, kInsert, 1, 3, "Z5", "Z8"},
    {"blanks and the rest of the formula stay", FORMULA_AXIS_ROWS, kInsert, 3, 1, "SUM( A2:A3 ) * B9", "SUM( A2:A4 ) * B10"},
    {"an own-row part moves and stays written \"_\"", FORMULA_AXIS_ROWS, kInsert, 10, 1, "B_+1", "B_+1"},
    // Rows 5 and 6 deleted.
    {"cell above the deletion stays", FORMULA_AXIS_ROWS, kDelete, 5, 2, "A4", "A4"},
    {"cell on the deletion becomes invalid", FORMULA_AXIS_ROWS, kDelete, 5, 2, "A5+1", "#引用无效!+1"},
    {"last deleted row too", FORMULA_AXIS_ROWS, kDelete, 5, 2, "A6", "#引用无效!"},
    {"cell below the deletion closes up", FORMULA_AXIS_ROWS, kDelete, 5, 2, "A7", "A5"},
    {"range across the deletion shrinks", FORMULA_AXIS_ROWS, kDelete, 5, 2, "SUM(A2:A10)", "SUM(A2:A8)"},
    {"range losing its first rows", FORMULA_AXIS_ROWS, kDelete, 5, 2, "SUM(A5:A9)", "SUM(A5:A7)"},
    {"range losing its last rows", FORMULA_AXIS_ROWS, kDelete, 5, 2, "SUM(A3:A6)", "SUM(A3:A4)"},
    {"range losing every row becomes invalid", FORMULA_AXIS_ROWS, kDelete, 5, 2, "SUM(A5:A6)", "SUM(#引用无效!)"},
    {"range below the deletion moves", FORMULA_AXIS_ROWS, kDelete, 5, 2, "SUM(B8:C9)", "SUM(B6:C7)"},
    // Columns B and C.
    {"column right of the insertion moves", FORMULA_AXIS_COLUMNS, kInsert, 2, 1, "B3", "C3"},
    {"column left of the insertion stays", FORMULA_AXIS_COLUMNS, kInsert, 2, 1, "A3", "A3"},
    {"column range grows", FORMULA_AXIS_COLUMNS, kInsert, 2, 1, "SUM(A1:D1)", "SUM(A1:E1)"},
    {"column range shrinks", FORMULA_AXIS_COLUMNS, kDelete, 2, 2, "SUM(A1:D1)", "SUM(A1:B1)"},
    {"deleted column becomes invalid", FORMULA_AXIS_COLUMNS, kDelete, 2, 2, "C1*2", "#引用无效!*2"},
    {"column after the deletion closes up", FORMULA_AXIS_COLUMNS, kDelete, 2, 2, "D1", "B1"},
    {"rows do not move with columns", FORMULA_AXIS_COLUMNS, kDelete, 2, 2, "A9", "A9"},
    // Row 2 moved down to 5, and row 6 up to 2.
    {"the moved row's cell follows it", FORMULA_AXIS_ROWS, kMove, 2, 5, "A2", "A5"},
    {"rows between close up", FORMULA_AXIS_ROWS, kMove, 2, 5, "A3+A5", "A2+A4"},
    {"rows beyond stay", FORMULA_AXIS_ROWS, kMove, 2, 5, "A1+A6", "A1+A6"},
    {"a range the row leaves shrinks", FORMULA_AXIS_ROWS, kMove, 2, 5, "SUM(A1:A3)", "SUM(A1:A2)"},
    {"a range the row arrives in grows", FORMULA_AXIS_ROWS, kMove, 2, 5, "SUM(A4:A9)", "SUM(A3:A9)"},
    {"a range of the moved row alone follows it", FORMULA_AXIS_ROWS, kMove, 2, 5, "SUM(A2:B2)", "SUM(A5:B5)"},
    {"a row moved up", FORMULA_AXIS_ROWS, kMove, 6, 2, "A6+A2+A5+A7", "A2+A3+A6+A7"},
    {"a column moved", FORMULA_AXIS_COLUMNS, kMove, 1, 3, "A1+B1+D1", "C1+A1+D1"},
};

}  // namespace

TEST(FormulaReferences, LinesInsertedDeletedAndMoved)
{
    CFormulaEngine engine;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CFormulaTokenList list = Compiled(engine, c.before);
        BOOL bChanged = FALSE;
        if (c.change == kMove)
            bChanged = MoveFormulaReferences(list, c.axis, c.a, c.b);
        else
            bChanged = ShiftFormulaReferences(list, c.axis, c.a, c.b, c.change == kInsert);
        EXPECT_EQ(engine.FormulaToText(list).Str(), c.after);
        // "_" parts keep their text while their coordinate moves.
        const bool bTextSame = std::string(c.before) == c.after && std::string(c.before).find('_') == std::string::npos;
        EXPECT_EQ(bChanged != FALSE, !bTextSame);
    }
}

TEST(FormulaReferences, AnOwnRowPartFollowsItsCell)
{
    CFormulaEngine engine;
    CFormulaTokenList list = Compiled(engine, "B_");
    ShiftFormulaReferences(list, FORMULA_AXIS_ROWS, 10, 1, TRUE);
    const CFormulaOperandObject* pOperand = list.GetAt(0).GetOperand();
    ASSERT_NE(pOperand, nullptr);
    EXPECT_EQ(pOperand->ref.nFirstRow, kOwnRow + 1);
    EXPECT_EQ(pOperand->ref.byFirstRowMarker, FORMULA_OWN_POSITION_MARKER);
}

TEST(FormulaReferences, InvalidReferencesEvaluateRenderAndStore)
{
    FormulaFixture f;
    f.grid.SetNumber("A4", 3);
    f.grid.SetNumber("A5", 7);
    CFormulaTokenList list = Compiled(f.engine, "A4+A5*2");
    ASSERT_TRUE(ShiftFormulaReferences(list, FORMULA_AXIS_ROWS, 5, 1, FALSE));

    f.engine.Evaluate(list);
    EXPECT_EQ(f.engine.GetErrorText().Str(), FORMULA_MSG_INVALID_REFERENCE);
    EXPECT_EQ(f.engine.FormulaToText(list).Str(), "A4+#引用无效!*2");
    EXPECT_EQ(f.engine.FormulaToExportText(list).Str(), "A4+#REF!*2");

    // The token records carry it like any reference.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteFormulaTokenRecords(ar, list);
    }
    CMemFile readBack(const_cast<BYTE*>(file.GetBufferPtr()), static_cast<UINT>(file.GetLength()));
    CArchive ar(&readBack, CArchive::load);
    CFormulaTokenList loaded;
    ASSERT_TRUE(ReadFormulaTokenRecords(ar, list.GetCount(), loaded, TRUE));
    EXPECT_EQ(f.engine.FormulaToText(loaded).Str(), "A4+#引用无效!*2");
    f.engine.Evaluate(loaded);
    EXPECT_EQ(f.engine.GetErrorText().Str(), FORMULA_MSG_INVALID_REFERENCE);

    // An invalid reference stays invalid whatever moves after it.
    EXPECT_TRUE(ShiftFormulaReferences(loaded, FORMULA_AXIS_ROWS, 1, 3, TRUE));
    EXPECT_EQ(f.engine.FormulaToText(loaded).Str(), "A7+#引用无效!*2");
}

TEST(FormulaReferences, StoredFormsAtTheLimits)
{
    CFormulaEngine engine;
    // A reference at the largest row a stored form holds cannot move further.
    CFormulaOperandObject operand;
    operand.nKind = FORMULA_OPERAND_CELL;
    operand.ref.nFirstRow = INT_MAX;
    operand.ref.nFirstColumn = 1;
    CFormulaTokenList list;
    list.Add(CFormulaToken::Operand(operand, 0));
    EXPECT_TRUE(ShiftFormulaReferences(list, FORMULA_AXIS_ROWS, 3, 1, TRUE));
    EXPECT_TRUE(IsInvalidFormulaReference(*list.GetAt(0).GetOperand()));

    // A range stored with its ends the other way round moves end by end.
    CFormulaOperandObject range;
    range.nKind = FORMULA_OPERAND_RANGE;
    range.ref = {9, 1, 2, 1, 0, 0, 0, 0};
    CFormulaTokenList reversed;
    reversed.Add(CFormulaToken::Operand(range, 0));
    EXPECT_TRUE(ShiftFormulaReferences(reversed, FORMULA_AXIS_ROWS, 5, 1, FALSE));
    EXPECT_EQ(reversed.GetAt(0).GetOperand()->ref.nFirstRow, 8);
    EXPECT_EQ(reversed.GetAt(0).GetOperand()->ref.nLastRow, 2);
    EXPECT_TRUE(ShiftFormulaReferences(reversed, FORMULA_AXIS_ROWS, 2, 1, FALSE));
    EXPECT_TRUE(IsInvalidFormulaReference(*reversed.GetAt(0).GetOperand()));

    // Nothing to do: no lines, a negative position, a move onto itself.
    CFormulaTokenList same = Compiled(engine, "A5");
    EXPECT_FALSE(ShiftFormulaReferences(same, FORMULA_AXIS_ROWS, 1, 0, TRUE));
    EXPECT_FALSE(ShiftFormulaReferences(same, FORMULA_AXIS_ROWS, -1, 2, FALSE));
    EXPECT_FALSE(MoveFormulaReferences(same, FORMULA_AXIS_ROWS, 5, 5));
    EXPECT_EQ(engine.FormulaToText(same).Str(), "A5");
}

// Rows 3 .. 7 reordered as a sort reorders them; newPos[i] is where row 3 + i goes.
TEST(FormulaReferences, ReorderedLinesTakeTheirReferencesAlong)
{
    const std::vector<int> kRotate = {4, 0, 1, 2, 3};    // row 3 to the bottom, 4..7 up one
    const std::vector<int> kReverse = {4, 3, 2, 1, 0};
    const std::vector<int> kSwapTop = {1, 0, 2, 3, 4};   // rows 3 and 4 change places
    struct OrderCase {
        const char* name;
        FormulaAxis axis;
        const std::vector<int>* newPos;
        const char* before;
        const char* after;
        bool keptPlace;   // a range scattered by the order keeps its ends
    } cases[] = {
        {"a cell follows its row", FORMULA_AXIS_ROWS, &kRotate, "A3+A4*2", "A7+A3*2", false},
        {"rows outside stay", FORMULA_AXIS_ROWS, &kReverse, "A2+A8+A7", "A2+A8+A3", false},
        {"a range holding every row stays", FORMULA_AXIS_ROWS, &kReverse, "SUM(A1:A9)", "SUM(A1:A9)", false},
        {"a range of exactly the rows stays", FORMULA_AXIS_ROWS, &kRotate, "SUM(A3:A7)", "SUM(A3:A7)", false},
        {"rows that stay together follow", FORMULA_AXIS_ROWS, &kRotate, "SUM(B4:C7)", "SUM(B3:C6)", false},
        {"a range of one row follows it", FORMULA_AXIS_ROWS, &kReverse, "SUM(A4:C4)", "SUM(A6:C6)", false},
        {"together and still meeting the rows above", FORMULA_AXIS_ROWS, &kSwapTop, "SUM(A1:A4)", "SUM(A1:A4)",
         false},
        {"together and still meeting the rows below", FORMULA_AXIS_ROWS, &kSwapTop, "SUM(A5:A9)", "SUM(A5:A9)",
         false},
        {"scattered rows keep the ends", FORMULA_AXIS_ROWS, &kRotate, "SUM(A1:A4)", "SUM(A1:A4)", true},
        {"together but torn from the rows above", FORMULA_AXIS_ROWS, &kReverse, "SUM(A1:A5)", "SUM(A1:A5)", true},
        {"together but torn from the rows below", FORMULA_AXIS_ROWS, &kReverse, "SUM(A6:A9)", "SUM(A6:A9)", true},
        {"scattered inside", FORMULA_AXIS_ROWS, &kSwapTop, "SUM(A4:A5)", "SUM(A4:A5)", true},
        {"columns C .. G", FORMULA_AXIS_COLUMNS, &kReverse, "C1+D9+H2+SUM(C1:G1)", "G1+F9+H2+SUM(C1:G1)", false},
        {"rows do not move with columns", FORMULA_AXIS_COLUMNS, &kRotate, "A3", "A3", false},
    };
    CFormulaEngine engine;
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFormulaTokenList list = Compiled(engine, c.before);
        const CFormulaLineOrder order(3, *c.newPos);
        BOOL bKeptPlace = FALSE;
        const BOOL bChanged = order.Apply(list, c.axis, &bKeptPlace);
        EXPECT_EQ(engine.FormulaToText(list).Str(), c.after);
        EXPECT_EQ(bChanged != FALSE, std::string(c.before) != c.after);
        EXPECT_EQ(bKeptPlace != FALSE, c.keptPlace);
    }
}

TEST(FormulaReferences, AnOrderThatIsNoReorderingMovesNothing)
{
    CFormulaEngine engine;
    const std::vector<std::vector<int>> bad = {{}, {0, 0, 1}, {0, 3, 1}, {-1, 0}};
    for (const std::vector<int>& newPos : bad) {
        const CFormulaLineOrder order(3, newPos);
        EXPECT_TRUE(order.IsEmpty());
        CFormulaTokenList list = Compiled(engine, "A3+A4+A5");
        EXPECT_FALSE(order.Apply(list, FORMULA_AXIS_ROWS));
        EXPECT_EQ(engine.FormulaToText(list).Str(), "A3+A4+A5");
    }
    EXPECT_TRUE(CFormulaLineOrder(-1, {1, 0}).IsEmpty());
    EXPECT_TRUE(CFormulaLineOrder(INT_MAX, {1, 0}).IsEmpty());
    // An own-row part keeps its marker while its coordinate follows the row.
    CFormulaTokenList list = Compiled(engine, "B_");
    std::vector<int> newPos(3);
    newPos = {2, 1, 0};
    EXPECT_TRUE(CFormulaLineOrder(kOwnRow, newPos).Apply(list, FORMULA_AXIS_ROWS));
    const CFormulaOperandObject* pOperand = list.GetAt(0).GetOperand();
    ASSERT_NE(pOperand, nullptr);
    EXPECT_EQ(pOperand->ref.nFirstRow, kOwnRow + 2);
    EXPECT_EQ(pOperand->ref.byFirstRowMarker, FORMULA_OWN_POSITION_MARKER);
}
