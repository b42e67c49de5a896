// The formula cell's record: golden bytes (item 10203 counting tokens, the
// reserved fields at and off their defaults), reading back, damaged records,
// and a sheet of formula cells stored and loaded again.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cellcontent/formula/FormulaArchive.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"

#include "GridTestUtil.h"
#include "RecordBytes.h"
#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

bool Load(CGridCellBase& cell, const Bytes& bytes, int* pnRunning = nullptr, ULONGLONG* pRemaining = nullptr)
{
    return gridtest::LoadBytes(bytes, [&](CArchive& ar) { cell.SerializeRecord(ar, pnRunning); }, pRemaining);
}

Bytes TokenRecords(const CFormulaTokenList& list)
{
    return gridtest::StoreBytes([&](CArchive& ar) { WriteFormulaTokenRecords(ar, list); });
}

// The ordinary cell's part of a formula cell that holds nothing.
const std::initializer_list<std::int32_t> kEmptyCellLevel = {0, 0, 1999, 2999};

// A formula cell of the grid, made as the grid makes cells of a type (it
// takes its area's defaults, so its ordinary level holds nothing).
CGridCellFormula& MadeCell(CGridCtrl& grid, int row, int col)
{
    EXPECT_TRUE(grid.SetCellType(row, col, GCT_FORMULA));
    return *static_cast<CGridCellFormula*>(grid.GetCell(row, col));
}

struct GoldenCase {
    const char* name;
    const char* formula;   // compiled for (1, 1); NULL: none
    std::function<void(FormulaCellReserved&)> reserved;
    std::int32_t itemBytes;   // as the level counts them
    std::function<void(ByteBuilder&, const Bytes& tokens, int count)> items;
};

}  // namespace

TEST(FormulaCellRecord, GoldenBytes)
{
    const GoldenCase cases[] = {
        {"nothing set", nullptr, [](FormulaCellReserved&) {}, 0, [](ByteBuilder&, const Bytes&, int) {}},
        // 8 + the three tokens of 1+1.
        {"a formula", "1+1", [](FormulaCellReserved&) {}, 11,
         [](ByteBuilder& b, const Bytes& tokens, int count) { b.Int(10203).Int(count).Raw(tokens); }},
        {"every reserved field off its default", "A2*3",
         [](FormulaCellReserved& r) {
             r.byFlagA = 0;
             r.byFlagB = 2;
             r.nNumber = 5;
             r.nShort = -2;
             r.bHasText = true;
             r.strText = "r";
             r.byByte = 7;
         },
         9 + 9 + (8 + 3) + 12 + 10 + 10 + 9,
         [](ByteBuilder& b, const Bytes& tokens, int count) {
             b.Int(10201).Int(1).Byte(0).Int(10202).Int(1).Byte(2);
             b.Int(10203).Int(count).Raw(tokens);
             b.Int(10204).Int(4).Int(5).Int(10205).Int(2).Word(0xFFFE);
             b.Int(10206).Int(2).Text("r").Int(10207).Int(1).Byte(7);
         }},
        {"reserved fields without a formula", nullptr, [](FormulaCellReserved& r) { r.nNumber = 0; }, 12,
         [](ByteBuilder& b, const Bytes&, int) { b.Int(10204).Int(4).Int(0); }},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(4, 4, 1, 1);
        CGridCellFormula& cell = MadeCell(grid, 1, 1);
        if (c.formula != nullptr)
            ASSERT_TRUE(cell.SetFormula(1, 1, c.formula));
        // SetFormula shows nothing until the cell is evaluated.
        EXPECT_STREQ(cell.GetText(), "");
        FormulaCellReserved reserved;
        c.reserved(reserved);
        cell.SetReserved(reserved);

        // The ordinary cell's level as that class writes it (it has golden
        // bytes of its own), then this level's items.
        const Bytes tokens = TokenRecords(cell.GetCompiledForm());
        const Bytes cellLevel = gridtest::StoreBytes([&](CArchive& ar) { cell.CGridCell::SerializeRecord(ar, nullptr); });
        const std::int32_t declared = cell.CGridCell::GetRecordSize() + c.itemBytes + 8;
        ByteBuilder expected;
        expected.Int(declared).Raw(cellLevel);
        c.items(expected, tokens, cell.GetCompiledForm().GetCount());
        expected.Int(10299);
        EXPECT_EQ(Store(cell), expected.Get());
        EXPECT_EQ(cell.GetRecordSize(), declared);

        // Read back into a fresh cell: the same bytes, the same formula.
        CGridCellFormula& again = MadeCell(grid, 2, 2);
        int running = 0;
        ULONGLONG remaining = 99;
        ASSERT_TRUE(Load(again, expected.Get(), &running, &remaining));
        EXPECT_EQ(remaining, 0u);
        EXPECT_EQ(running, declared);
        EXPECT_EQ(Store(again), expected.Get());
        CString a;
        CString b;
        cell.GetFormula(a);
        again.GetFormula(b);
        EXPECT_EQ(a, b);
        EXPECT_EQ(again.GetReserved().nNumber, reserved.nNumber);
        EXPECT_EQ(again.GetReserved().strText, reserved.strText);
    }
}

TEST(FormulaCellRecord, AnEmptyRecordDeclaresNothing)
{
    // A cell that differs from no default writes every level's size word and
    // end tag, and declares 0.
    CGridCellFormula cell;
    const Bytes expected = ByteBuilder().Int(0).Ints(kEmptyCellLevel).Int(10299).Get();
    EXPECT_EQ(Store(cell), expected);
    EXPECT_EQ(cell.GetRecordSize(), 0);
    CGridCellFormula again;
    int running = 0;
    ASSERT_TRUE(Load(again, expected, &running));
    EXPECT_EQ(running, 0);
    EXPECT_EQ(Store(again), expected);
}

TEST(FormulaCellRecord, TheValueTravelsInTheCellLevel)
{
    auto grid = gridtest::MakeSheet(5, 5, 1, 1);
    ASSERT_TRUE(formulatest::SetFormula(*grid, "B2", "=2*21"));
    CGridCellBase* cell = grid->GetCell(2, 2);
    const Bytes bytes = Store(*cell);
    CGridCellFormula loaded;
    loaded.SetGrid(grid.get());
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_STREQ(loaded.GetText(), "42");
    CString formula;
    loaded.GetFormula(formula);
    EXPECT_EQ(formula, "=2*21");
}

TEST(FormulaCellRecord, DamagedRecordsAreRefusedWithoutReadingPastThem)
{
    CGridCtrl grid(4, 4, 1, 1);
    CGridCellFormula& source = MadeCell(grid, 1, 1);
    ASSERT_TRUE(source.SetFormula(1, 1, "SUM(A2:B3)+1"));
    const Bytes whole = Store(source);

    struct Case {
        const char* name;
        Bytes bytes;
    };
    std::vector<Case> cases;
    for (size_t cut : {size_t(4), size_t(20), size_t(30), whole.size() / 2, whole.size() - 5})
        cases.push_back({"cut short", Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))});
    // A token count far beyond what follows.
    cases.push_back({"token count too large",
                     ByteBuilder().Int(8 + 100000 + 8).Ints(kEmptyCellLevel).Int(10203).Int(100000).Int(10299).Get()});
    cases.push_back({"negative token count",
                     ByteBuilder().Int(8 + 8).Ints(kEmptyCellLevel).Int(10203).Int(-3).Int(10299).Get()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellFormula& cell = MadeCell(grid, 2, 2);
        ASSERT_TRUE(cell.SetFormula(2, 2, "7"));
        ULONGLONG remaining = 0;
        EXPECT_FALSE(Load(cell, c.bytes, nullptr, &remaining));
        // What it had stays when its formula does not read whole.
        CString formula;
        cell.GetFormula(formula);
        EXPECT_TRUE(formula == "=7" || formula == "=SUM(A2:B3)+1") << formula.Str();
    }
}

TEST(FormulaCellRecord, UnknownItemsAreSkippedByTheirLength)
{
    CGridCtrl grid(4, 4, 1, 1);
    CGridCellFormula& source = MadeCell(grid, 1, 1);
    ASSERT_TRUE(source.SetFormula(1, 1, "3*3"));
    const Bytes tokens = TokenRecords(source.GetCompiledForm());
    const int count = source.GetCompiledForm().GetCount();
    const Bytes bytes = ByteBuilder()
                            .Int(9 + (8 + count) + 12 + 8)
                            .Ints(kEmptyCellLevel)
                            .Int(10250).Int(1).Byte(9)
                            .Int(10203).Int(count).Raw(tokens)
                            .Int(10204).Int(4).Int(11)
                            .Int(10299)
                            .Get();
    CGridCellFormula& cell = MadeCell(grid, 2, 2);
    ASSERT_TRUE(Load(cell, bytes));
    CString formula;
    cell.GetFormula(formula);
    EXPECT_EQ(formula, "=3*3");
    EXPECT_EQ(cell.GetReserved().nNumber, 11);
}

TEST(FormulaCellRecord, ASheetStoredAndLoadedRebuildsItsFormulaList)
{
    // The cells' records written one after the other, as a template writes
    // them, and read into a new sheet: the formulas register as they land.
    auto from = gridtest::MakeSheet(6, 5, 1, 1);
    formulatest::SetText(*from, "A1", "4");
    ASSERT_TRUE(formulatest::SetFormula(*from, "B1", "=A1*2"));
    ASSERT_TRUE(formulatest::SetFormula(*from, "C1", "=B1+A_"));
    ASSERT_TRUE(formulatest::SetFormula(*from, "B3", "=SUM(B1:C1)"));
    Bytes stream;
    for (int row = 1; row < from->GetRowCount(); ++row) {
        for (int col = 1; col < from->GetColumnCount(); ++col) {
            const Bytes record = Store(*from->GetCell(row, col));
            stream.insert(stream.end(), record.begin(), record.end());
        }
    }

    auto to = gridtest::MakeSheet(6, 5, 1, 1);
    ASSERT_TRUE(gridtest::LoadBytes(stream, [&](CArchive& ar) {
        for (int row = 1; row < to->GetRowCount(); ++row) {
            for (int col = 1; col < to->GetColumnCount(); ++col) {
                const int type = from->GetCellType(row, col);
                ASSERT_TRUE(to->SetCellType(row, col, type));
                to->GetCell(row, col)->SerializeRecord(ar, nullptr);
            }
        }
    }));
    const std::vector<CGridCellPos> formulas = to->GetFormulaCells();
    ASSERT_EQ(formulas.size(), 3u);
    EXPECT_EQ(formulatest::Formula(*to, "C1"), "=B1+A_");
    EXPECT_EQ(formulatest::Text(*to, "B3"), "20");   // the stored value
    formulatest::SetText(*to, "A1", "1");
    EXPECT_EQ(formulatest::Text(*to, "B1"), "2");
    EXPECT_EQ(formulatest::Text(*to, "C1"), "3");
    EXPECT_EQ(formulatest::Text(*to, "B3"), "5");
}

TEST(FormulaCellRecord, RecordsHoldingACycleLoadAndCalculate)
{
    // Records of A1 = B1+1 and B1 = A1+1 (each written where the other was
    // no formula yet), read into a sheet after the plain cells: loading,
    // calculating, changing and extending the sheet all end.
    auto from = gridtest::MakeSheet(4, 4, 1, 1);
    Bytes stream;
    const char* formulas[] = {"B1+1", "A1+1"};
    for (int i = 0; i < 2; ++i) {
        CFormulaTokenList list;
        ASSERT_TRUE(from->GetFormulaEngine().Compile(3, 3, formulas[i], list));
        CGridCellFormula& cell = MadeCell(*from, 1, 1 + i);
        cell.SetCompiledForm(list);
        const Bytes record = Store(cell);
        stream.insert(stream.end(), record.begin(), record.end());
    }
    auto to = gridtest::MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(gridtest::LoadBytes(stream, [&](CArchive& ar) {
        for (int col = 1; col <= 2; ++col)
            MadeCell(*to, 1, col).SerializeRecord(ar, nullptr);
    }));
    ASSERT_TRUE(formulatest::SetFormula(*to, "C1", "=A1&B1"));
    EXPECT_EQ(to->CalcAll(), 3);
    EXPECT_EQ(formulatest::Text(*to, "A1"), "#公式错误!");
    EXPECT_EQ(formulatest::Text(*to, "C1"), "#公式错误!#公式错误!");
    EXPECT_TRUE(to->RecalcDependents(formulatest::At("A1")));
    EXPECT_TRUE(to->CalcCell(1, 3));
    ASSERT_EQ(to->InsertRow(nullptr, 1), 1);
    EXPECT_EQ(formulatest::Formula(*to, "A2"), "=B2+1");
    EXPECT_EQ(to->CalcAll(), 3);
}
