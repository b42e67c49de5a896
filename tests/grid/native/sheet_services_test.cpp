// The grid's sheet services: a whole default-setting record taken at once
// (row heights, column widths, hidden lines, the font) and a range drawn into
// a host's device context (each merged block once, hidden lines skipped, the
// same pixels as the grid's own painting).
#include "window_test_util.h"

#include "cellcontent/FontElement.h"
#include "platform/DC.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <utility>

using gridwindowtest::LayOut;
using gridwindowtest::WindowGrid;

namespace {

// ---- SetDefaultSetting -------------------------------------------------------------------

TEST(SetDefaultSettingTest, SizesEveryLineOnlyWithItsFlagAndASizeOfZeroOrMore)
{
    struct Case {
        int rowFlag, rowHeight, colFlag, colWidth;
        int expectHeight, expectWidth;   // what every row and column then has
    };
    const Case cases[] = {
        {1, 33, 1, 70, 33, 70},
        {1, 0, 0, 70, 0, 50},      // height 0 counts; the width flag is off
        {1, -1, 1, -1, 20, 50},    // -1: not set, nothing changes
        {0, 33, 0, 70, 20, 50},    // flags off
        {0, -1, 1, 9, 20, 9},
    };
    for (const Case& c : cases) {
        CGridCtrl grid;
        LayOut(grid, 6, 4, 1, 1);
        for (int r = 0; r < 6; ++r)
            grid.SetRowHeight(r, 20);
        CGridDefaultSetting s = grid.GetDefaultSetting();
        s.m_bIMResetInitRowHeight = c.rowFlag;
        s.m_nRowHeight = c.rowHeight;
        s.m_bIMResetInitColWidth = c.colFlag;
        s.m_nColWidth = c.colWidth;
        grid.SetDefaultSetting(s);
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ(grid.GetRowHeight(r), c.expectHeight) << "row " << r << " case " << c.rowHeight;
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(grid.GetColumnWidth(col), col == 0 && c.expectWidth == 50 ? 40 : c.expectWidth)
                << "col " << col << " case " << c.colWidth;
        EXPECT_EQ(grid.GetTotalRowHeight(), 6LL * c.expectHeight);
        // The record itself is kept whole.
        EXPECT_EQ(grid.GetDefaultSetting().m_nRowHeight, c.rowHeight);
        EXPECT_EQ(grid.GetDefaultSetting().m_nColWidth, c.colWidth);
    }
}

TEST(SetDefaultSettingTest, HiddenLinesStayHiddenAndShowAtTheNewSize)
{
    CGridCtrl grid;
    LayOut(grid, 6, 5, 1, 1);
    grid.SetRowHide(3, TRUE);
    grid.SetColumnHide(2, TRUE);
    CGridDefaultSetting s = grid.GetDefaultSetting();
    s.m_bIMResetInitRowHeight = 1;
    s.m_nRowHeight = 31;
    s.m_bIMResetInitColWidth = 1;
    s.m_nColWidth = 61;
    grid.SetDefaultSetting(s);
    EXPECT_TRUE(grid.IsRowHide(3));
    EXPECT_TRUE(grid.IsColumnHide(2));
    EXPECT_EQ(grid.GetRowHeight(3), 0);
    EXPECT_EQ(grid.GetTotalRowHeight(), 5LL * 31);
    EXPECT_EQ(grid.GetTotalColumnWidth(), 4LL * 61);
    grid.SetRowHide(3, FALSE);
    grid.SetColumnHide(2, FALSE);
    EXPECT_EQ(grid.GetRowHeight(3), 31);
    EXPECT_EQ(grid.GetColumnWidth(2), 61);
}

TEST(SetDefaultSettingTest, AFontTextBecomesTheGridsFontAndAnEmptyOneLeavesTheCellFont)
{
    CGridCtrl grid;
    LayOut(grid, 3, 3, 1, 1);
    const LOGFONT* cellFont = grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    ASSERT_NE(cellFont, nullptr);
    EXPECT_EQ(grid.GetGridLogFont(), cellFont);

    CGridDefaultSetting s = grid.GetDefaultSetting();
    s.m_strFontXml = "<font charset = \"134\" fontname = \"Arial\" italic = \"1\" weight = \"FW_BOLD\" "
                     "fontsize = \"12\" ></font>";
    grid.SetDefaultSetting(s);
    const LOGFONT* font = grid.GetGridLogFont();
    ASSERT_NE(font, nullptr);
    LOGFONT expected;
    CFontElement(s.m_strFontXml).GetLogFont(&expected);
    EXPECT_STREQ(font->lfFaceName, "Arial");
    EXPECT_EQ(font->lfItalic, 1);
    EXPECT_EQ(font->lfWeight, 700);
    EXPECT_EQ(font->lfHeight, expected.lfHeight);
    // A copy handed out carries the parsed font with it.
    const CGridDefaultSetting copy = grid.GetDefaultSetting();
    EXPECT_EQ(0, std::memcmp(&copy.m_logFont, &expected, sizeof(LOGFONT)));

    s.m_strFontXml = "";
    grid.SetDefaultSetting(s);
    EXPECT_EQ(grid.GetGridLogFont(), cellFont);
}

TEST(SetDefaultSettingTest, WithAWindowTheScrollRangeFollowsTheNewHeights)
{
    WindowGrid w;
    w.Build(200, 4, 1, 1);
    const int before = w.grid.GetVScrollMax();
    CGridDefaultSetting s = w.grid.GetDefaultSetting();
    s.m_bIMResetInitRowHeight = 1;
    s.m_nRowHeight = 40;
    w.grid.SetDefaultSetting(s);
    EXPECT_GT(w.grid.GetVScrollMax(), before);
    EXPECT_EQ(w.grid.GetCellFromPoint(CPoint(45, 40 * 5 + 3)).row, 5);
    w.grid.DestroyWindow();
}

// ---- ClickCell ------------------------------------------------------------------------------

// A click on the host's behalf lands on a shown cell like the user's own; a
// cell off screen or outside the grid takes nothing.
TEST(ClickCellTest, ClicksOnlyACellWhoseCornerIsOnScreen)
{
    WindowGrid w;
    w.Build(200, 4, 1, 1);
    w.grid.ClickCell(3, 2);
    EXPECT_EQ(3, w.grid.GetFocusCell().row);
    EXPECT_EQ(2, w.grid.GetFocusCell().col);
    for (auto cell : {std::make_pair(150, 1), std::make_pair(-1, 1), std::make_pair(2, 9)}) {
        w.grid.ClickCell(cell.first, cell.second);
        EXPECT_EQ(3, w.grid.GetFocusCell().row) << cell.first << "," << cell.second;
        EXPECT_EQ(2, w.grid.GetFocusCell().col);
    }
    w.grid.DestroyWindow();
    w.grid.ClickCell(2, 2);  // no window: nothing
    EXPECT_EQ(3, w.grid.GetFocusCell().row);
}

// ---- DrawToBmp -------------------------------------------------------------------------------

std::map<std::pair<int, int>, int> g_draws;

// A cell that counts where it is drawn.
class CountingCell : public CGridCell {
public:
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd) override
    {
        ++g_draws[std::make_pair(nRow, nCol)];
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    }
};

COLORREF CellColour(int row, int col) { return RGB(20 + row * 30, 40 + col * 30, 200); }

// A window whose client pixels are kept: the host's device context.
class Canvas : public CWnd {
public:
    void Make(int width, int height)
    {
        CreateEx(0, "KivoTestCanvas", "", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
        Headless::KeepWindowPixels(GetSafeHwnd());
        PlatformPumpMessages();
        CClientDC dc(this);
        dc.FillSolidRect(0, 0, width, height, kPaper);
    }
    COLORREF At(int x, int y) { return Headless::WindowPixel(GetSafeHwnd(), x, y); }
    static constexpr COLORREF kPaper = RGB(1, 2, 3);

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override { CPaintDC dc(this); }
};

// A 6 x 5 sheet without fixed lines: rows 20 px, columns 50 px (column 0
// 40 px), every cell a counting cell in its own colour.
void ColourSheet(CGridCtrl& grid)
{
    LayOut(grid, 6, 5, 0, 0);
    grid.SetRowHeight(0, 20);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c) {
            CountingCell* cell = new CountingCell;
            cell->SetGrid(&grid);
            grid.PutCell(r, c, cell);
            grid.SetCellBackColor(r, c, CellColour(r, c));
        }
}

TEST(DrawToBmpTest, CellsLandAtTheirPlacesHiddenLinesSkipped)
{
    Headless::Reset();
    CGridCtrl grid;
    ColourSheet(grid);
    grid.SetColumnHide(2, TRUE);
    grid.SetRowHide(2, TRUE);
    Canvas canvas;
    canvas.Make(400, 300);
    CClientDC dc(&canvas);
    g_draws.clear();
    ASSERT_TRUE(grid.DrawToBmp(&dc, CRect(10, 10, 390, 290), CGridCellRange(1, 1, 4, 4), FALSE));
    // Visible rows 1, 3, 4 (20 px each), columns 1, 3, 4 (50 px each), from (10, 10).
    const int rows[] = {1, 3, 4};
    const int cols[] = {1, 3, 4};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(canvas.At(10 + j * 50 + 25, 10 + i * 20 + 10), CellColour(rows[i], cols[j]))
                << rows[i] << "," << cols[j];
    for (int c : {2})
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(g_draws.count(std::make_pair(r, c)), 0u) << "hidden column drawn";
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(g_draws.count(std::make_pair(2, c)), 0u) << "hidden row drawn";
    // Nothing outside the picture (3 x 50 + 2 wide, 3 x 20 + 2 high) is touched.
    EXPECT_EQ(canvas.At(10 + 152 + 3, 20), Canvas::kPaper);
    EXPECT_EQ(canvas.At(30, 10 + 62 + 3), Canvas::kPaper);
    canvas.DestroyWindow();
}

TEST(DrawToBmpTest, EachMergedBlockIsDrawnOnceThroughItsOwnerOverTheWholeBlock)
{
    Headless::Reset();
    CGridCtrl grid;
    ColourSheet(grid);
    grid.SetCellBackColor(1, 1, RGB(250, 0, 0));
    grid.SetCellBackColor(4, 0, RGB(0, 250, 0));
    grid.MergeCells(1, 1, 2, 3);   // owner (1, 1)
    grid.MergeCells(4, 0, 5, 1);   // owner (4, 0), partly outside the range below
    ASSERT_TRUE(grid.IsCellMerged(1, 2));
    ASSERT_TRUE(grid.IsCellMerged(5, 1));
    grid.ClearSelection();   // merging selects the block
    Canvas canvas;
    canvas.Make(400, 300);
    CClientDC dc(&canvas);
    g_draws.clear();
    ASSERT_TRUE(grid.DrawToBmp(&dc, CRect(0, 0, 400, 300), CGridCellRange(0, 1, 5, 4), FALSE));
    EXPECT_EQ(g_draws[std::make_pair(1, 1)], 1);
    EXPECT_EQ(g_draws[std::make_pair(4, 0)], 1);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            if (r != 1 || c != 1)
                EXPECT_EQ(g_draws.count(std::make_pair(r, c)), 0u) << r << "," << c;
    EXPECT_EQ(g_draws.count(std::make_pair(5, 1)), 0u);
    EXPECT_EQ(g_draws[std::make_pair(0, 1)], 1);
    // The first block covers columns 1..3 (x 0..149) of rows 1..2 (y 20..59).
    EXPECT_EQ(canvas.At(25, 30), RGB(250, 0, 0));
    EXPECT_EQ(canvas.At(125, 50), RGB(250, 0, 0));
    EXPECT_EQ(canvas.At(175, 30), CellColour(1, 4));
    // The second block's owner lies left of the range: its colour still
    // fills the block's part inside it (column 1, rows 4..5).
    EXPECT_EQ(canvas.At(25, 90), RGB(0, 250, 0));
    EXPECT_EQ(canvas.At(25, 110), RGB(0, 250, 0));
    canvas.DestroyWindow();
}

TEST(DrawToBmpTest, StretchFillsTheTargetAndAnInvalidRangeDrawsNothing)
{
    Headless::Reset();
    CGridCtrl grid;
    ColourSheet(grid);
    Canvas canvas;
    canvas.Make(400, 300);
    CClientDC dc(&canvas);
    // Two columns of 50 and two rows of 20 (+2) stretched to 204 x 88: twice as large.
    ASSERT_TRUE(grid.DrawToBmp(&dc, CRect(0, 0, 204, 88), CGridCellRange(1, 1, 2, 2), TRUE));
    EXPECT_EQ(canvas.At(50, 20), CellColour(1, 1));
    EXPECT_EQ(canvas.At(150, 60), CellColour(2, 2));
    EXPECT_EQ(canvas.At(210, 20), Canvas::kPaper);

    Headless::ClearDrawLog();
    for (const CGridCellRange& bad : {CGridCellRange(2, 2, 1, 1), CGridCellRange(0, 0, 6, 4),
                                      CGridCellRange(-1, 0, 1, 1), CGridCellRange(-1, -1, -1, -1)})
        EXPECT_FALSE(grid.DrawToBmp(&dc, CRect(0, 0, 400, 300), bad, FALSE));
    EXPECT_FALSE(grid.DrawToBmp(nullptr, CRect(0, 0, 400, 300), CGridCellRange(1, 1, 2, 2), FALSE));
    EXPECT_TRUE(Headless::DrawLog().empty());
    canvas.DestroyWindow();
}

TEST(DrawToBmpTest, MatchesTheGridsOwnPainting)
{
    WindowGrid w;
    w.Build(6, 5, 1, 1);   // header lines meet the body: the grid paints the body first
    for (int r = 0; r < 6; ++r)
        w.grid.SetRowHeight(r, 20);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c) {
            w.grid.SetCellText(r, c, "ab");
            w.grid.SetCellBackColor(r, c, CellColour(r, c));
        }
    w.grid.MergeCells(1, 1, 2, 2);
    w.grid.SetCellBorder(3, 3, 15, PS_SOLID, RGB(0, 0, 0), 1);
    w.grid.ClearSelection();
    Headless::KeepWindowPixels(w.grid.GetSafeHwnd());
    w.grid.Invalidate();
    w.grid.UpdateWindow();

    Canvas canvas;
    canvas.Make(400, 300);
    CClientDC dc(&canvas);
    ASSERT_TRUE(w.grid.DrawToBmp(&dc, CRect(0, 0, 400, 300), CGridCellRange(0, 0, 4, 3), FALSE));
    // The range covers x 0..189 and y 0..99 on the grid.
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 190; ++x)
            differing += canvas.At(x, y) != Headless::WindowPixel(w.grid.GetSafeHwnd(), x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
    canvas.DestroyWindow();
    w.grid.DestroyWindow();
}

}  // namespace
