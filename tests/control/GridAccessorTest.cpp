// The column, row and range accessors over a 5 x 4 sheet with one fixed row
// and one fixed column: which cells each covers and which one it reads, an
// index outside the sheet or a reversed range changing nothing, the merge
// bounds, and a grid whose owner has gone.
#include "control/GridAccessors.h"
#include "grid/GridCtrl.h"
#include "grid/GridTestUtil.h"
#include "grid/StandInCells.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::ScopedStandIn;

namespace {

const char kEditControl[] = "<control controltype=\"combobox\" datasource=\"a|b\" ></control>";
const char kFont[] = "<font fontname = \"宋体\" fontsize = \"14\" ></font>";
const char kFormat[] = "<format datatype = \"currency\" decimal = \"2\" ></format>";

// The 5 x 4 sheet and the token its link is guarded by.
struct Fixture {
    std::unique_ptr<CGridCtrl> grid = MakeSheet(5, 4, 1, 1);
    std::shared_ptr<const void> token = std::make_shared<int>(0);
    CGridLink Link() { return CGridLink(grid.get(), token); }
};

// How a test names an accessor.
struct AccessorSpec {
    const char* what;
    std::function<std::unique_ptr<CCellAccessor>(const CGridLink&)> make;
};

std::unique_ptr<CCellAccessor> Column(const CGridLink& link, int index)
{
    auto a = std::make_unique<CColumnAccessor>();
    a->SetGrid(link);
    a->SetIndex(index);
    return a;
}

std::unique_ptr<CCellAccessor> Row(const CGridLink& link, int index)
{
    auto a = std::make_unique<CRowAccessor>();
    a->SetGrid(link);
    a->SetIndex(index);
    return a;
}

std::unique_ptr<CCellAccessor> Range(const CGridLink& link, int r1, int c1, int r2, int c2)
{
    auto a = std::make_unique<CRangeAccessor>();
    a->SetGrid(link);
    a->SetRange(r1, c1, r2, c2);
    return a;
}

// The cells (one line per row, 'X' for a cell) where pick answers true.
std::string Map(CGridCtrl& grid, const std::function<bool(int, int)>& pick)
{
    std::string out;
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            out += pick(r, c) ? 'X' : '.';
        out += '|';
    }
    return out;
}

// Everything a setter could change, cell by cell.
std::string Snapshot(CGridCtrl& g)
{
    std::string out;
    for (int r = 0; r < g.GetRowCount(); ++r) {
        for (int c = 0; c < g.GetColumnCount(); ++c) {
            out += std::to_string(r) + "," + std::to_string(c) + ":" + g.GetCellText(r, c).GetString() + "/" +
                   std::to_string(g.GetCellBackColor(r, c)) + "/" + std::to_string(g.GetCellTextColor(r, c)) +
                   "/" + g.GetCellTextFont(r, c).GetString() + "/" + g.GetCellTextFormat(r, c).GetString() + "/" +
                   g.GetCellControl(r, c).GetString() + "/" + std::to_string(g.GetCellType(r, c)) + "/" +
                   std::to_string(g.IsCellTextWrap(r, c)) + std::to_string(g.IsCellReadOnly(r, c)) +
                   std::to_string(g.IsCellHide(r, c)) + std::to_string(g.IsCellMerged(r, c)) + "/" +
                   std::to_string(g.GetCellBorderFlags(r, c)) + "/" + std::to_string(g.GetCellAlign(r, c)) + "\n";
        }
    }
    return out;
}

// One setter with the grid's per-cell getter of what it sets and the
// accessor's getter of the same.
struct SetterCase {
    const char* what;
    std::function<void(CCellAccessor&)> set;
    std::function<std::string(CGridCtrl&, int, int)> cell;
    std::function<std::string(const CCellAccessor&)> read;
};

std::string S(const CString& s)
{
    return s.GetString();
}

std::vector<SetterCase> Setters()
{
    using A = CCellAccessor;
    using G = CGridCtrl;
    return {
        {"back colour", [](A& a) { a.SetBackColor(0x123456); },
         [](G& g, int r, int c) { return std::to_string(g.GetCellBackColor(r, c)); },
         [](const A& a) { return std::to_string(a.GetBackColor()); }},
        {"control", [](A& a) { a.SetControl(kEditControl); }, [](G& g, int r, int c) { return S(g.GetCellControl(r, c)) + std::to_string(g.GetCellType(r, c)); },
         [](const A& a) { return S(a.GetControl()) + std::to_string(a.GetCellType()); }},
        {"text colour", [](A& a) { a.SetTextColor(0x00FF00); },
         [](G& g, int r, int c) { return std::to_string(g.GetCellTextColor(r, c)); },
         [](const A& a) { return std::to_string(a.GetTextColor()); }},
        {"font", [](A& a) { a.SetFont(kFont); }, [](G& g, int r, int c) { return S(g.GetCellTextFont(r, c)); },
         [](const A& a) { return S(a.GetFont()); }},
        {"format", [](A& a) { a.SetFormat(kFormat); }, [](G& g, int r, int c) { return S(g.GetCellTextFormat(r, c)); },
         [](const A& a) { return S(a.GetFormat()); }},
        {"text", [](A& a) { a.SetText("x"); }, [](G& g, int r, int c) { return S(g.GetCellText(r, c)); },
         [](const A& a) { return S(a.GetText()); }},
        {"value", [](A& a) { a.SetValue(2.5); }, [](G& g, int r, int c) { return std::to_string(g.GetCellValue(r, c)); },
         [](const A& a) { return std::to_string(a.GetValue()); }},
        {"wrap", [](A& a) { a.SetWrap(TRUE); }, [](G& g, int r, int c) { return std::to_string(g.IsCellTextWrap(r, c)); },
         [](const A& a) { return std::to_string(a.GetWrap()); }},
        {"read-only", [](A& a) { a.SetReadOnly(TRUE); },
         [](G& g, int r, int c) { return std::to_string(g.IsCellReadOnly(r, c)); },
         [](const A& a) { return std::to_string(a.GetReadOnly()); }},
        {"hidden", [](A& a) { a.SetHide(TRUE); },
         [](G& g, int r, int c) { return std::to_string(g.IsCellHide(r, c)) + std::to_string(g.IsCellReadOnly(r, c)); },
         [](const A& a) { return std::to_string(a.GetHide()) + std::to_string(a.GetReadOnly()); }},
        // Top and bottom: the neighbours whose facing sides follow are covered
        // themselves (or fixed, which do not follow).
        {"border", [](A& a) { a.SetBorder(2 | 8, 0, 0xFF, 1); },
         [](G& g, int r, int c) { return std::to_string(g.GetCellBorderFlags(r, c)); },
         [](const A& a) { return std::to_string(a.GetBorderFlags()); }},
        {"alignment", [](A& a) { a.SetAlign(DT_RIGHT | DT_BOTTOM | DT_SINGLELINE); },
         [](G& g, int r, int c) { return std::to_string(g.GetCellAlign(r, c)); },
         [](const A& a) { return std::to_string(a.GetAlign()); }},
    };
}

}  // namespace

// Which cells the getters read (each cell's text names it) and which cells a
// setter reaches (the text "#").
TEST(GridAccessors, CoveredCellsAndTheCellRead)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CCellAccessor>(const CGridLink&)> make;
        const char* covered;
        const char* read;
    };
    const Case cases[] = {
        {"column 2", [](const CGridLink& l) { return Column(l, 2); }, "....|..X.|..X.|..X.|..X.|", "1,2"},
        {"the fixed column", [](const CGridLink& l) { return Column(l, 0); }, "....|X...|X...|X...|X...|", "1,0"},
        {"the last column", [](const CGridLink& l) { return Column(l, 3); }, "....|...X|...X|...X|...X|", "1,3"},
        {"row 3", [](const CGridLink& l) { return Row(l, 3); }, "....|....|....|.XXX|....|", "3,1"},
        {"the fixed row", [](const CGridLink& l) { return Row(l, 0); }, ".XXX|....|....|....|....|", "0,1"},
        {"range 1,1-2,3", [](const CGridLink& l) { return Range(l, 1, 1, 2, 3); }, "....|.XXX|.XXX|....|....|", "1,1"},
        {"range over fixed cells", [](const CGridLink& l) { return Range(l, 0, 0, 1, 1); }, "XX..|XX..|....|....|....|",
         "0,0"},
        {"one-cell range", [](const CGridLink& l) { return Range(l, 4, 3, 4, 3); }, "....|....|....|....|...X|", "4,3"},
        {"range past the sheet", [](const CGridLink& l) { return Range(l, 3, 2, 99, 99); }, "....|....|....|..XX|..XX|",
         "3,2"},
        // Outside the sheet or reversed: no cell, and the getters read none.
        {"column -1", [](const CGridLink& l) { return Column(l, -1); }, "....|....|....|....|....|", ""},
        {"column 4 (the count)", [](const CGridLink& l) { return Column(l, 4); }, "....|....|....|....|....|", ""},
        {"row -1", [](const CGridLink& l) { return Row(l, -1); }, "....|....|....|....|....|", ""},
        {"row 5 (the count)", [](const CGridLink& l) { return Row(l, 5); }, "....|....|....|....|....|", ""},
        {"rows reversed", [](const CGridLink& l) { return Range(l, 3, 1, 1, 2); }, "....|....|....|....|....|", "3,1"},
        {"columns reversed", [](const CGridLink& l) { return Range(l, 1, 3, 2, 1); }, "....|....|....|....|....|",
         "1,3"},
        {"range of no grid position", [](const CGridLink& l) { return Range(l, -1, -1, -1, -1); },
         "....|....|....|....|....|", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        for (int r = 0; r < 5; ++r)
            for (int col = 0; col < 4; ++col)
                f.grid->SetCellText(r, col, (std::to_string(r) + "," + std::to_string(col)).c_str());
        auto accessor = c.make(f.Link());
        // A reversed range reads its minimum corner, which is a cell.
        EXPECT_EQ(S(accessor->GetText()), c.read);
        accessor->SetText("#");
        EXPECT_EQ(Map(*f.grid, [&](int r, int col) { return S(f.grid->GetCellText(r, col)) == "#"; }), c.covered);
    }
}

// Every setter reaches exactly the covered cells, and its getter reads back
// what it set; the same setter through a column outside the sheet, a row
// outside it or a reversed range changes nothing.
TEST(GridAccessors, EverySetterAndGetter)
{
    ScopedStandIn<GCT_COMBOBOX> combo;
    for (const SetterCase& s : Setters()) {
        SCOPED_TRACE(s.what);
        Fixture f;
        std::vector<std::string> before;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                before.push_back(s.cell(*f.grid, r, c));
        auto column = Column(f.Link(), 2);
        s.set(*column);
        const std::string read = s.read(*column);
        EXPECT_NE(read, before[1 * 4 + 2]) << "the setter changed nothing";
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 4; ++c) {
                const bool covered = c == 2 && r >= 1;
                EXPECT_EQ(s.cell(*f.grid, r, c), covered ? read : before[static_cast<size_t>(r * 4 + c)])
                    << r << "," << c;
            }
        }

        Fixture g;
        const std::string untouched = Snapshot(*g.grid);
        for (auto& outside : {Column(g.Link(), -1), Column(g.Link(), 4), Row(g.Link(), 5), Row(g.Link(), -7),
                              Range(g.Link(), 3, 1, 1, 3), Range(g.Link(), 1, 3, 4, 1)}) {
            s.set(*outside);
            outside->Merge();
        }
        EXPECT_EQ(Snapshot(*g.grid), untouched);
    }
}

// A row accessor on a sheet whose columns are all fixed covers no cell; a
// column accessor on a sheet whose rows are all fixed neither.
TEST(GridAccessors, SheetWithoutScrollableCells)
{
    auto grid = MakeSheet(3, 2, 1, 2);
    auto token = std::make_shared<int>(0);
    const std::string before = Snapshot(*grid);
    Row(CGridLink(grid.get(), token), 1)->SetText("x");
    Row(CGridLink(grid.get(), token), 1)->Merge();
    EXPECT_EQ(Snapshot(*grid), before);

    auto headers = MakeSheet(2, 3, 2, 1);
    const std::string headersBefore = Snapshot(*headers);
    Column(CGridLink(headers.get(), token), 1)->SetBackColor(0xFF);
    Column(CGridLink(headers.get(), token), 1)->Merge();
    EXPECT_EQ(Snapshot(*headers), headersBefore);
}

// Getters on an accessor without a grid answer the values named for that;
// an index outside the sheet answers the grid's own failure values.
TEST(GridAccessors, GettersWithoutAGridOrACell)
{
    Fixture f;
    CColumnAccessor none;
    auto outside = Column(f.Link(), 9);
    for (const CCellAccessor* a : std::vector<const CCellAccessor*>{&none, outside.get()}) {
        EXPECT_EQ(a->GetBackColor(), 0u);
        EXPECT_EQ(S(a->GetControl()), "");
        EXPECT_EQ(a->GetTextColor(), 0u);
        EXPECT_EQ(S(a->GetFont()), "");
        EXPECT_EQ(S(a->GetFormat()), "");
        EXPECT_EQ(S(a->GetText()), "");
        EXPECT_EQ(a->GetValue(), 0.0);
        EXPECT_EQ(a->GetWrap(), FALSE);
        EXPECT_EQ(a->GetReadOnly(), FALSE);
        EXPECT_EQ(a->GetHide(), FALSE);
        EXPECT_EQ(a->GetBorderFlags(), 0);
        EXPECT_EQ(a->GetAlign(), 0u);
        EXPECT_EQ(a->IsMerged(), FALSE);
        EXPECT_EQ(a->GetCellType(), -1);
        EXPECT_FALSE(a->HasReadCell());
    }
    EXPECT_TRUE(Column(f.Link(), 3)->HasReadCell());
    // The sheet's own cell type of a plain cell.
    EXPECT_EQ(Column(f.Link(), 3)->GetCellType(), 0);
}

// Merge joins the covered cells: a column's body, a row's body, a range as
// given; the grid widens the block over a block it cuts.
TEST(GridAccessors, MergeBounds)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CCellAccessor>(const CGridLink&)> make;
        bool existingBlock;   // (2,2)-(3,3) merged first
        int probeRow, probeCol;
        std::vector<int> block;   // min row, min col, max row, max col; -1s: not merged
    };
    const std::vector<Case> cases = {
        {"column", [](const CGridLink& l) { return Column(l, 2); }, false, 3, 2, {1, 2, 4, 2}},
        {"row", [](const CGridLink& l) { return Row(l, 3); }, false, 3, 3, {3, 1, 3, 3}},
        {"range", [](const CGridLink& l) { return Range(l, 1, 1, 2, 2); }, false, 2, 2, {1, 1, 2, 2}},
        {"range over fixed cells", [](const CGridLink& l) { return Range(l, 0, 0, 1, 1); }, false, 0, 0, {0, 0, 1, 1}},
        {"row cutting a block", [](const CGridLink& l) { return Row(l, 3); }, true, 3, 1, {2, 1, 3, 3}},
        {"one-cell range", [](const CGridLink& l) { return Range(l, 2, 1, 2, 1); }, false, 2, 1, {-1, -1, -1, -1}},
        {"range past the sheet", [](const CGridLink& l) { return Range(l, 3, 2, 99, 3); }, false, 3, 2,
         {-1, -1, -1, -1}},
        {"reversed range", [](const CGridLink& l) { return Range(l, 3, 1, 1, 2); }, false, 2, 1, {-1, -1, -1, -1}},
        {"column -1", [](const CGridLink& l) { return Column(l, -1); }, false, 1, 1, {-1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        if (c.existingBlock)
            f.grid->MergeCells(2, 2, 3, 3);
        auto accessor = c.make(f.Link());
        accessor->Merge();
        int r1 = -1, c1 = -1, r2 = -1, c2 = -1;
        f.grid->GetMergeRange(c.probeRow, c.probeCol, r1, c1, r2, c2);
        EXPECT_EQ((std::vector<int>{r1, c1, r2, c2}), c.block);
        EXPECT_EQ(f.grid->IsCellMerged(c.probeRow, c.probeCol) != FALSE, c.block[0] >= 0);
    }
    // The getter reads the first covered cell's block.
    Fixture f;
    auto column = Column(f.Link(), 2);
    EXPECT_FALSE(column->IsMerged());
    column->Merge();
    EXPECT_TRUE(column->IsMerged());
    EXPECT_FALSE(Column(f.Link(), 1)->IsMerged());
}

// Once the link's owner lets go of its token the accessor has no grid:
// setters change nothing, getters answer the "no grid" values.
TEST(GridAccessors, NoGridOnceTheOwnerHasGone)
{
    Fixture f;
    auto column = Column(f.Link(), 2);
    column->SetText("before");
    EXPECT_EQ(S(column->GetText()), "before");
    const std::string kept = Snapshot(*f.grid);
    f.token.reset();
    EXPECT_EQ(column->GetGrid(), nullptr);
    for (const SetterCase& s : Setters())
        s.set(*column);
    column->Merge();
    EXPECT_EQ(Snapshot(*f.grid), kept);
    EXPECT_EQ(S(column->GetText()), "");
    EXPECT_EQ(column->GetCellType(), -1);
    // A link made without a grid has none either.
    EXPECT_EQ(CGridLink().Get(), nullptr);
    EXPECT_EQ(CGridLink(nullptr, std::make_shared<int>(0)).Get(), nullptr);
}

// Column and row accessors put their line on the grid's format lists, once.
TEST(GridAccessors, FormatLists)
{
    Fixture f;
    CColumnAccessor column;
    column.SetGrid(f.Link());
    column.SetIndex(2);
    column.RegisterFormatColumn();
    column.RegisterFormatColumn();
    CRowAccessor row;
    row.SetGrid(f.Link());
    row.SetIndex(3);
    row.RegisterFormatRow();
    EXPECT_EQ(f.grid->GetFormatColumns(), std::vector<int>{2});
    EXPECT_EQ(f.grid->GetFormatRows(), std::vector<int>{3});
    CColumnAccessor none;
    none.RegisterFormatColumn();   // no grid: nothing to register with
}
