// The cell formatting commands: fonts from the boxes and buttons, alignment
// with the toolbar's other direction, colours, borders in the line-style
// box's style and colour, wrap, read-only marking and tips.
#include "designer/DesignerFixture.h"

#include "base/WinConstants.h"
#include "designer/DesignerCommands.h"
#include "designer/dialogs/CellToolDialogs.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace designertest;
using namespace designer_cmd;

namespace {

class EditingFormat : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

std::string Font(Designer& d, LONG r, LONG c, const char* name)
{
    return d.grid.CellGetTextFontProperty(r, c, CString(name)).Str();
}

TEST_F(EditingFormat, FontSwitchesFollowTheButtonsShownState)
{
    struct Case {
        UINT id;
        const char *name, *value;
    } switches[] = {
        {32808, "weight", "FW_BOLD"}, {32809, "italic", "1"}, {32810, "underline", "1"}, {32811, "strikeout", "1"}};
    for (const Case& c : switches) {
        SCOPED_TRACE(c.name);
        Designer d;
        d.grid.GridSetSelectRange(2, 2, 3, 3);
        // Mixed: one cell set, the button shows unchecked; a click sets all.
        d.grid.CellSetTextFontProperty(2, 2, CString(c.name), CString(c.value));
        EXPECT_TRUE(d.State(c.id).enabled);
        EXPECT_FALSE(d.State(c.id).checked);
        ASSERT_TRUE(d.Run(c.id));
        for (LONG r = 2; r <= 3; ++r)
            for (LONG col = 2; col <= 3; ++col)
                EXPECT_EQ(c.value, Font(d, r, col, c.name)) << r << "," << col;
        EXPECT_TRUE(d.doc.IsModified());
        // All set: shown checked; a click removes it from every cell.
        EXPECT_TRUE(d.State(c.id).checked);
        ASSERT_TRUE(d.Run(c.id));
        for (LONG r = 2; r <= 3; ++r)
            for (LONG col = 2; col <= 3; ++col)
                EXPECT_EQ("", Font(d, r, col, c.name)) << r << "," << col;
        EXPECT_FALSE(d.State(c.id).checked);
    }
    // Without a selection the buttons are shown unchecked; they stay enabled.
    Designer d;
    d.grid.GridClearSelection();
    EXPECT_FALSE(d.State(32808).checked);
}

TEST_F(EditingFormat, FontBoxesSetTheChosenEntry)
{
    Designer d;
    d.grid.GridSetSelectRange(1, 1, 2, 1);
    d.ui.chosenFontName = "宋体";
    d.ui.chosenFontSize = "14";
    ASSERT_TRUE(d.Run(5420));
    ASSERT_TRUE(d.Run(5421));
    for (LONG r = 1; r <= 2; ++r) {
        EXPECT_EQ("宋体", Font(d, r, 1, "fontname"));
        EXPECT_EQ("14", Font(d, r, 1, "fontsize"));
    }
    EXPECT_TRUE(d.doc.IsModified());
    // No entry chosen: nothing.
    d.ui.chosenFontSize.clear();
    const std::string before = Font(d, 3, 1, "fontsize");
    d.grid.GridSetSelectRange(3, 1, 3, 1);
    ASSERT_TRUE(d.Run(5421));
    EXPECT_EQ(before, Font(d, 3, 1, "fontsize"));
}

TEST_F(EditingFormat, AlignmentKeepsTheToolbarsOtherDirection)
{
    struct Case {
        const char* name;
        UINT id;
        std::vector<UINT> checked;   // buttons the toolbar shows checked
        long align;
    } cases[] = {
        {"居中 with 居下", 32813, {32852}, 9},
        {"居中 with 垂直居中", 32813, {32851}, 5},
        {"左对齐 with nothing", 32812, {}, 0},
        {"居右 with 垂直居中", 32814, {32851}, 6},
        {"居下 with 居右", 32852, {32814}, 10},
        {"垂直居中 with 居中", 32851, {32813}, 5},
        {"垂上 with 居右 and 居中 (right wins)", 32850, {32814, 32813}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        for (UINT id : {32812u, 32813u, 32814u, 32850u, 32851u, 32852u})
            d.ui.toolbarChecks[id] = 0;
        for (UINT id : c.checked)
            d.ui.toolbarChecks[id] = 1;
        d.grid.GridSetSelectRange(2, 2, 2, 3);
        ASSERT_TRUE(d.Run(c.id));
        EXPECT_EQ(c.align, d.grid.CellGetAlign(2, 2));
        EXPECT_EQ(c.align, d.grid.CellGetAlign(2, 3));
    }
}

TEST_F(EditingFormat, AlignmentChecksReadEverySelectedCell)
{
    struct Case {
        long a, b;              // alignments of the two selected cells
        const char* checked;    // left, centre, right, top, middle, bottom
    } cases[] = {
        {0, 0, "100100"}, {9, 9, "010001"}, {6, 6, "001010"}, {1, 2, "000100"}, {4, 8, "100000"}, {5, 9, "010000"},
    };
    const UINT ids[] = {32812, 32813, 32814, 32850, 32851, 32852};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
        Designer d;
        d.grid.CellSetAlign(2, 2, c.a);
        d.grid.CellSetAlign(2, 3, c.b);
        d.grid.GridSetSelectRange(2, 2, 2, 3);
        std::string got;
        for (UINT id : ids)
            got += d.State(id).checked ? '1' : '0';
        EXPECT_EQ(c.checked, got);
    }
}

TEST_F(EditingFormat, ColoursFromTheColourDialog)
{
    Designer d;
    d.grid.CellSetFocus(2, 2);
    d.grid.GridSetSelectRange(2, 2, 2, 3);
    d.ui.colors = {RGB(10, 20, 30), RGB(200, 100, 50)};
    ASSERT_TRUE(d.Run(32806));
    ASSERT_TRUE(d.Run(32807));
    for (LONG c = 2; c <= 3; ++c) {
        EXPECT_EQ(static_cast<LONG>(RGB(10, 20, 30)), d.grid.CellGetTextColor(2, c));
        EXPECT_EQ(static_cast<LONG>(RGB(200, 100, 50)), d.grid.CellGetBackColor(2, c));
    }
    // Cancel changes nothing; the line colour goes to the box.
    ASSERT_TRUE(d.Run(32806));
    EXPECT_EQ(static_cast<LONG>(RGB(10, 20, 30)), d.grid.CellGetTextColor(2, 2));
    d.ui.colors = {RGB(0, 0, 255)};
    ASSERT_TRUE(d.Run(32886));
    EXPECT_EQ(RGB(0, 0, 255), d.ui.lineColor);
}

// The border flags of a block of cells, row by row ("." between rows).
std::string Flags(Designer& d, int r1, int c1, int r2, int c2)
{
    std::string s;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1)
            s += '.';
        for (int c = c1; c <= c2; ++c) {
            const long f = d.grid.CellGetBorderFlags(r, c);
            s += static_cast<char>(f < 10 ? '0' + f : 'a' + f - 10);
        }
    }
    return s;
}

// The border flags a block of cells should read back when exactly the given
// lines are drawn: the control keeps one line between two neighbours, so a
// cell reads a side when the line on that side is drawn, whichever cell it
// was set on.
struct Lines {
    std::set<std::pair<int, int>> across, down;   // across: (boundary row, col); down: (row, boundary col)
};
std::string Expected(const Lines& lines, int r1, int c1, int r2, int c2)
{
    std::string s;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1)
            s += '.';
        for (int c = c1; c <= c2; ++c) {
            long f = 0;
            f |= lines.down.count({r, c}) ? 1 : 0;
            f |= lines.across.count({r, c}) ? 2 : 0;
            f |= lines.down.count({r, c + 1}) ? 4 : 0;
            f |= lines.across.count({r + 1, c}) ? 8 : 0;
            s += static_cast<char>(f < 10 ? '0' + f : 'a' + f - 10);
        }
    }
    return s;
}

TEST_F(EditingFormat, OuterAndInnerBordersCellByCell)
{
    const struct {
        int rows, cols;
    } cases[] = {{1, 1}, {1, 3}, {2, 3}, {3, 2}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.cols);
        const int r1 = 2, c1 = 2, r2 = 2 + c.rows - 1, c2 = 2 + c.cols - 1;
        Lines outer, inner;
        for (int col = c1; col <= c2; ++col) {
            outer.across.insert({r1, col});
            outer.across.insert({r2 + 1, col});
            for (int r = r1 + 1; r <= r2; ++r)
                inner.across.insert({r, col});
        }
        for (int r = r1; r <= r2; ++r) {
            outer.down.insert({r, c1});
            outer.down.insert({r, c2 + 1});
            for (int col = c1 + 1; col <= c2; ++col)
                inner.down.insert({r, col});
        }
        for (UINT id : {32908u, 32909u}) {
            Designer d;
            d.ui.lineStyle = 1;
            d.ui.lineColor = RGB(255, 0, 0);
            d.grid.GridSetSelectRange(r1, c1, r2, c2);
            ASSERT_TRUE(d.Run(id));
            // Read back over the range and a ring of one cell around it.
            EXPECT_EQ(Expected(id == 32908 ? outer : inner, r1 - 1, c1 - 1, r2 + 1, c2 + 1),
                      Flags(d, r1 - 1, c1 - 1, r2 + 1, c2 + 1))
                << id;
            const LONG flags = d.grid.CellGetBorderFlags(r1, c1);
            if (flags != 0) {
                LONG style = 0, colour = 0, width = 0;
                ASSERT_TRUE(d.grid.CellGetBorder(r1, c1, flags & -flags, style, colour, width));
                EXPECT_EQ(static_cast<LONG>(RGB(255, 0, 0)), colour);
                EXPECT_EQ(2, width);
            }
        }
    }
}

TEST_F(EditingFormat, BorderButtonsNeedALineStyle)
{
    const UINT ids[] = {32823, 32825, 32842, 32826, 32827, 32908, 32909};
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        Designer d;
        d.ui.lineStyle = -1;
        d.grid.GridSetSelectRange(2, 2, 4, 4);
        EXPECT_TRUE(d.Run(id));
        EXPECT_EQ("000.000.000", Flags(d, 2, 2, 4, 4));
        EXPECT_FALSE(d.doc.IsModified());
    }
    // With a style: each side button sets its side, a second click removes
    // it; "全边框" all four and "清除所有边框" clears them.
    const struct {
        UINT id;
        long flag;
    } sides[] = {{32823, 1}, {32825, 2}, {32842, 4}, {32826, 8}};
    for (const auto& s : sides) {
        SCOPED_TRACE(s.id);
        Designer d;
        d.ui.lineStyle = 3;
        d.grid.GridSetSelectRange(2, 2, 2, 3);
        EXPECT_FALSE(d.State(s.id).checked);
        ASSERT_TRUE(d.Run(s.id));
        EXPECT_EQ(s.flag, d.grid.CellGetBorderFlags(2, 3) & s.flag);
        EXPECT_EQ(s.flag, d.grid.CellGetBorderFlags(2, 2) & s.flag);
        EXPECT_TRUE(d.State(s.id).checked);
        ASSERT_TRUE(d.Run(s.id));
        EXPECT_EQ(0, d.grid.CellGetBorderFlags(2, 3));
    }
    Designer d;
    d.ui.lineStyle = 0;
    d.grid.GridSetSelectRange(2, 2, 2, 3);
    ASSERT_TRUE(d.Run(32827));
    EXPECT_EQ("ff", Flags(d, 2, 2, 2, 3));
    ASSERT_TRUE(d.Run(32884));
    EXPECT_EQ("00", Flags(d, 2, 2, 2, 3));
}

TEST_F(EditingFormat, WrapReadOnlyAndWritable)
{
    Designer d;
    d.grid.GridSetSelectRange(2, 2, 3, 2);
    d.grid.CellSetBackColor(2, 2, RGB(0, 255, 0));
    ASSERT_TRUE(d.Run(32927));
    EXPECT_NE(0, d.grid.CellIsTextWrap(2, 2));
    EXPECT_NE(0, d.grid.CellIsTextWrap(3, 2));
    EXPECT_TRUE(d.State(32927).checked);
    ASSERT_TRUE(d.Run(32927));
    EXPECT_EQ(0, d.grid.CellIsTextWrap(3, 2));

    struct Case {
        UINT readOnly, writable;
    } cases[] = {{32846, 32849}, {kMenuReadOnly, kMenuWritable}};
    for (const Case& c : cases) {
        ASSERT_TRUE(d.Run(c.readOnly));
        for (LONG r = 2; r <= 3; ++r) {
            EXPECT_TRUE(d.grid.CellIsReadOnly(r, 2));
            EXPECT_EQ(0xC8D0D4, d.grid.CellGetBackColor(r, 2));
        }
        ASSERT_TRUE(d.Run(c.writable));
        for (LONG r = 2; r <= 3; ++r) {
            EXPECT_FALSE(d.grid.CellIsReadOnly(r, 2));
            EXPECT_EQ(0xFFFFFF, d.grid.CellGetBackColor(r, 2));   // white, not the former green
        }
    }
}

TEST_F(EditingFormat, DeletingTipsInListAndRangeForm)
{
    for (UINT id : {32832u, static_cast<UINT>(kMenuDeleteTip)}) {
        SCOPED_TRACE(id);
        Designer d;
        d.grid.RowSetCount(6);
        d.grid.ColumnSetCount(4);
        for (LONG r = 1; r <= 3; ++r)
            for (LONG c = 1; c <= 2; ++c)
                d.grid.CellSetTipText(r, c, CString("tip"));
        // A block of cells is a list: only its first cell loses its tip and
        // takes the focus.
        d.grid.GridSetSelectRange(2, 1, 3, 2);
        ASSERT_EQ(0, d.grid.GridGetCurSelectType());
        ASSERT_TRUE(d.Run(id));
        EXPECT_EQ("", std::string(d.grid.CellGetTipText(2, 1).Str()));
        EXPECT_EQ("tip", std::string(d.grid.CellGetTipText(2, 2).Str()));
        EXPECT_EQ("tip", std::string(d.grid.CellGetTipText(3, 1).Str()));
        LONG row = 0, col = 0;
        ASSERT_TRUE(d.grid.CellGetFocus(row, col));
        EXPECT_EQ(2, row);
        EXPECT_EQ(1, col);
        // A row band is a range: every cell of it.
        d.Engine().SelectRowBand(CGridCellPos(3, 1));
        ASSERT_EQ(1, d.grid.GridGetCurSelectType());
        ASSERT_TRUE(d.Run(id));
        for (LONG c = 1; c <= 2; ++c)
            EXPECT_EQ("", std::string(d.grid.CellGetTipText(3, c).Str())) << c;
        EXPECT_EQ("tip", std::string(d.grid.CellGetTipText(1, 1).Str()));
    }
}

// "插入提示" shows the first selected cell's tip in the footnote dialog and
// writes the text back on OK only.
TEST_F(EditingFormat, InsertingATipThroughTheFootnoteDialog)
{
    for (UINT id : {32830u, static_cast<UINT>(kMenuInsertTip)}) {
        SCOPED_TRACE(id);
        Designer d;
        d.grid.CellSetTipText(2, 1, CString("old"));
        d.grid.GridSetSelectRange(2, 1, 3, 2);
        std::string shown;
        d.ui.dialogs = {[&](CDesignerDialog& dlg) {
                            auto& f = static_cast<CFootnoteDlg&>(dlg);
                            shown = f.m_strText.Str();
                            f.m_strText = CString("cancelled");
                            return IDCANCEL;
                        },
                        [](CDesignerDialog& dlg) {
                            static_cast<CFootnoteDlg&>(dlg).m_strText = CString("new tip");
                            return IDOK;
                        }};
        ASSERT_TRUE(d.Run(id));
        EXPECT_EQ("old", shown);
        EXPECT_EQ("old", std::string(d.grid.CellGetTipText(2, 1).Str()));
        EXPECT_FALSE(d.doc.IsModified());
        ASSERT_TRUE(d.Run(id));
        EXPECT_EQ("new tip", std::string(d.grid.CellGetTipText(2, 1).Str()));
        EXPECT_EQ("", std::string(d.grid.CellGetTipText(2, 2).Str()));
        EXPECT_TRUE(d.doc.IsModified());
        EXPECT_EQ((std::vector<UINT>{kDlgFootnote, kDlgFootnote}), d.ui.dialogsShown);
    }
}

TEST_F(EditingFormat, StatesWithoutASelection)
{
    Designer d;
    d.grid.GridClearSelection();
    for (UINT id : {32806u, 32807u, 32827u, 32884u, 32908u, 32909u, 32808u, 32812u, 32850u, 32823u, 32927u})
        EXPECT_FALSE(d.State(id).enabled) << id;
    for (UINT id : {32846u, 32849u, 32886u, 32832u, 5420u, 5421u})
        EXPECT_TRUE(d.State(id).enabled) << id;
}

}  // namespace
