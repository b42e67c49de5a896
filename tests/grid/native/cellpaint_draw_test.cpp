// Painting one cell through the host build's drawing record: the colour
// decisions, the DrawText format and rectangle, borders and grid lines, the
// sort arrow and the tip marker.
#include "grid/cellpaint_util.h"

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace cellpainttest;

namespace {

const COLORREF kTint = 0xF5ECEA;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kOwnBack = RGB(200, 100, 50);

const Headless::DrawOp* LastDrawText()
{
    const Headless::DrawOp* found = nullptr;
    for (const Headless::DrawOp& op : Headless::DrawLog())
        if (op.kind == Headless::DrawKind::DrawText)
            found = &op;
    return found;
}

class CellPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        grid = MakePaintGrid();
    }
    CGridCellBase* Cell(int row, int col) { return grid->GetCell(row, col); }
    void AddState(int row, int col, UINT bits) { Cell(row, col)->SetState(Cell(row, col)->GetState() | bits); }

    std::unique_ptr<CGridCtrl> grid;
};

// --- colours -------------------------------------------------------------------------

struct ColourCase {
    const char* name;
    int row;
    BOOL erase;
    std::function<void(CGridCtrl&, CGridCellBase&)> setup;
    COLORREF fill;         // at the middle of the cell; kUnpainted: no fill
    COLORREF text;
};

TEST_F(CellPaint, ColourDecisions)
{
    const COLORREF own = kOwnBack;
    const std::vector<ColourCase> cases = {
        {"plain cell, erased", 2, TRUE, [](CGridCtrl&, CGridCellBase&) {}, kWhite, kBlack},
        {"plain cell, not erased", 2, FALSE, [](CGridCtrl&, CGridCellBase&) {}, kUnpainted, kBlack},
        {"own back colour paints even unerased", 2, FALSE,
         [&](CGridCtrl&, CGridCellBase& c) { c.SetBackColor(own); }, own, kBlack},
        {"own text colour", 2, TRUE, [](CGridCtrl&, CGridCellBase& c) { c.SetTextColor(RGB(0, 0, 255)); }, kWhite,
         RGB(0, 0, 255)},
        {"default cell's colours", 2, TRUE,
         [](CGridCtrl& g, CGridCellBase&) {
             g.GetDefaultCell(FALSE, FALSE)->SetBackColor(RGB(9, 9, 9));
             g.GetDefaultCell(FALSE, FALSE)->SetTextColor(RGB(7, 7, 7));
         },
         RGB(9, 9, 9), RGB(7, 7, 7)},
        {"selected, default back: the tint", 2, TRUE,
         [](CGridCtrl&, CGridCellBase& c) { c.SetState(c.GetState() | GCS_SELECTED); }, kTint,
         MixColours(kBlack, kTint)},
        {"selected, own back: back and tint mixed", 2, FALSE,
         [&](CGridCtrl&, CGridCellBase& c) {
             c.SetBackColor(own);
             c.SetState(c.GetState() | GCS_SELECTED);
         },
         MixColours(own, kTint), MixColours(kBlack, kTint)},
        {"selected, the grid's selection colour", 2, TRUE,
         [](CGridCtrl& g, CGridCellBase& c) {
             g.GetDefaultSettingRecord().m_crSelColor = RGB(10, 20, 30);
             c.SetState(c.GetState() | GCS_SELECTED);
         },
         RGB(10, 20, 30), MixColours(kBlack, RGB(10, 20, 30))},
        {"selected, the cell's own tint wins", 2, TRUE,
         [](CGridCtrl& g, CGridCellBase& c) {
             g.GetDefaultSettingRecord().m_crSelColor = RGB(10, 20, 30);
             c.SetSelBackColor(RGB(0, 200, 0));
             c.SetState(c.GetState() | GCS_SELECTED);
         },
         RGB(0, 200, 0), MixColours(kBlack, RGB(0, 200, 0))},
        {"odd-row colours, even row", 2, TRUE,
         [](CGridCtrl& g, CGridCellBase&) {
             g.SetRowOddBkColor(RGB(1, 100, 1));
             g.SetRowEvenBkColor(RGB(100, 1, 1));
         },
         RGB(100, 1, 1), kBlack},
        {"odd-row colours, odd row", 3, TRUE,
         [](CGridCtrl& g, CGridCellBase&) {
             g.SetRowOddBkColor(RGB(1, 100, 1));
             g.SetRowEvenBkColor(RGB(100, 1, 1));
         },
         RGB(1, 100, 1), kBlack},
        {"focus cell selected keeps its text colour", 2, TRUE,
         [](CGridCtrl&, CGridCellBase& c) { c.SetState(c.GetState() | GCS_SELECTED | GCS_FOCUSED); }, kTint,
         kBlack},
        {"drop target selected mixes its text colour", 2, FALSE,
         [](CGridCtrl&, CGridCellBase& c) { c.SetState(c.GetState() | GCS_SELECTED | GCS_DROPTARGET); }, kTint,
         MixColours(kBlack, kTint)},
    };
    for (const ColourCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        Headless::Reset();
        grid = MakePaintGrid();
        CGridCellBase* cell = Cell(tc.row, 2);
        cell->SetText("abc");
        tc.setup(*grid, *cell);
        Canvas canvas;
        ASSERT_TRUE(canvas.Ok());
        Headless::ClearDrawLog();
        ASSERT_TRUE(cell->Draw(&canvas.dc, tc.row, 2, kCellRect, tc.erase));
        EXPECT_EQ(tc.fill, canvas.At(40, 20));
        const Headless::DrawOp* text = LastDrawText();
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(tc.text, text->textColor);
        EXPECT_EQ(TRANSPARENT, text->bkMode);
    }
}

TEST_F(CellPaint, FillsTheInsideAndLeavesTheSharedLines)
{
    CGridCellBase* cell = Cell(2, 2);
    cell->SetBackColor(kOwnBack);
    Canvas canvas;
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE));
    // The inside runs from one pixel past the left and top edges to the
    // last column and row; the lines on the edges are not filled.
    EXPECT_EQ(kOwnBack, canvas.At(11, 11));
    EXPECT_EQ(kOwnBack, canvas.At(69, 29));
    EXPECT_EQ(kUnpainted, canvas.At(10, 20));
    EXPECT_EQ(kUnpainted, canvas.At(40, 10));
    EXPECT_EQ(kUnpainted, canvas.At(70, 20));
    EXPECT_EQ(kUnpainted, canvas.At(40, 30));

    // The focus cell leaves two pixels at its left and top.
    AddState(2, 2, GCS_FOCUSED);
    Canvas focus;
    ASSERT_TRUE(cell->Draw(&focus.dc, 2, 2, kCellRect, TRUE));
    EXPECT_EQ(kUnpainted, focus.At(11, 20));
    EXPECT_EQ(kOwnBack, focus.At(12, 12));
}

TEST_F(CellPaint, TheSelectedBandTintsUnselectedCells)
{
    ASSERT_TRUE(GiveWindow(*grid));
    grid->SelectRowBand(CGridCellPos(2, 1));
    ASSERT_TRUE(grid->IsCellInSelectedBand(2, 4));
    CGridCellBase* inBand = Cell(2, 4);
    ASSERT_FALSE(inBand->IsSelected());
    Canvas canvas;
    ASSERT_TRUE(inBand->Draw(&canvas.dc, 2, 4, kCellRect, FALSE));
    EXPECT_EQ(kTint, canvas.At(40, 20));

    // Outside the band an unselected cell keeps its own look.
    Canvas other;
    ASSERT_TRUE(Cell(3, 4)->Draw(&other.dc, 3, 4, kCellRect, TRUE));
    EXPECT_EQ(kWhite, other.At(40, 20));
}

TEST_F(CellPaint, AMergedBlockInAFrozenRowTintsOnlyItsFrozenPart)
{
    ASSERT_TRUE(GiveWindow(*grid));
    grid->SetFreezeTopRows(1);
    CGridCellBase* owner = Cell(1, 2);
    owner->SetMergeRange(CGridCellRange(1, 2, 3, 2));
    ASSERT_TRUE(owner->IsMerged());
    grid->SelectRowBand(CGridCellPos(1, 1));
    ASSERT_TRUE(grid->IsCellInSelectedBand(1, 2));
    // The block's three rows of 20 pixels; the two scrolled ones are left out.
    Canvas canvas;
    ASSERT_TRUE(owner->Draw(&canvas.dc, 1, 2, CRect(10, 10, 69, 69), FALSE));
    EXPECT_EQ(kTint, canvas.At(40, 20));
    EXPECT_EQ(kUnpainted, canvas.At(40, 40));

    // Without frozen rows the whole block is tinted.
    grid->SetFreezeTopRows(0);
    Canvas whole;
    ASSERT_TRUE(owner->Draw(&whole.dc, 1, 2, CRect(10, 10, 69, 69), FALSE));
    EXPECT_EQ(kTint, whole.At(40, 60));
}

TEST_F(CellPaint, HiddenEmptyAndDetachedCells)
{
    Canvas canvas;
    CGridCellBase* cell = Cell(2, 2);
    cell->SetVisible(FALSE);
    EXPECT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE)) << "a hidden cell draws nothing, successfully";
    EXPECT_EQ(kUnpainted, canvas.At(40, 20));
    EXPECT_EQ(kCellRect, cell->GetCellRect());
    cell->SetVisible(TRUE);

    EXPECT_FALSE(cell->Draw(nullptr, 2, 2, kCellRect, TRUE));
    EXPECT_FALSE(cell->Draw(&canvas.dc, 2, 2, CRect(10, 10, 10, 29), TRUE));
    EXPECT_FALSE(cell->Draw(&canvas.dc, 2, 2, CRect(10, 10, 69, 10), TRUE));

    CGridCell detached;  // no grid, so no default cell
    EXPECT_FALSE(detached.Draw(&canvas.dc, 0, 0, kCellRect, TRUE));
    EXPECT_EQ(kUnpainted, canvas.At(40, 20));
}

// --- text ------------------------------------------------------------------------------------

struct FormatCase {
    const char* text;
    BOOL wrap;
    BOOL ellipsis;
    UINT align;      // 0: the default 0x8824
    UINT expected;
};

TEST_F(CellPaint, DrawTextFormats)
{
    const std::vector<FormatCase> cases = {
        // One line without wrapping: single line, and no ellipsis unless asked for.
        {"abc", FALSE, FALSE, 0, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
        {"abc", FALSE, TRUE, 0, 0x8824},
        // Line breaks or wrapping: word breaks instead of a single line.
        {"a\nb", FALSE, FALSE, 0, DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORDBREAK | DT_EDITCONTROL},
        {"a\rb", FALSE, FALSE, 0, DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORDBREAK | DT_EDITCONTROL},
        {"abc", TRUE, FALSE, 0, DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORDBREAK | DT_EDITCONTROL},
        {"abc", FALSE, FALSE, DT_RIGHT | DT_BOTTOM, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE},
        {"abc", FALSE, FALSE, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS, DT_CENTER | DT_SINGLELINE},
    };
    for (const FormatCase& tc : cases) {
        SCOPED_TRACE(std::string(tc.text) + " align " + std::to_string(tc.align));
        CGridCellBase* cell = Cell(2, 2);
        cell->SetText(tc.text);
        cell->SetWrapText(tc.wrap);
        cell->SetDisplayEllipsis(tc.ellipsis);
        cell->SetAlign(tc.align != 0 ? tc.align : GRID_DEFAULT_ALIGN);
        Canvas canvas;
        Headless::ClearDrawLog();
        ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE));
        const Headless::DrawOp* op = LastDrawText();
        ASSERT_NE(nullptr, op);
        EXPECT_EQ(tc.expected, op->flags);
        EXPECT_EQ(tc.text, op->text);
        // Margin 3: in by the margin at the sides and half of it at top and bottom.
        EXPECT_EQ(CRect(13, 11, 66, 28), CRect(op->rect));
    }
}

TEST_F(CellPaint, WrappedTextIsCentredOrBottomAlignedInAGridWindow)
{
    ASSERT_TRUE(GiveWindow(*grid));
    CGridCellBase* cell = Cell(2, 2);
    cell->SetText("a\nb");  // two lines of 12 pixels: 27 with the margin
    const CRect tall(10, 10, 69, 69);
    struct Case {
        UINT align;
        int top;
    } cases[] = {
        {DT_VCENTER, 11 + (59 - 27) / 2 + 1},
        {DT_BOTTOM, 68 - 27},
        {DT_TOP, 11},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.align);
        cell->SetAlign(tc.align);
        Canvas canvas;
        Headless::ClearDrawLog();
        ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, tall, TRUE));
        ASSERT_NE(nullptr, LastDrawText());
        EXPECT_EQ(tc.top, LastDrawText()->rect.top);
    }
}

TEST_F(CellPaint, FormattedTextIsCachedAndHiddenTextIsNotDrawn)
{
    CGridCellBase* cell = Cell(2, 2);
    cell->SetValue(1234.5);
    cell->SetFormatXml("<format datatype = \"numeric\" decimal = \"2\" seplen = \"3\" separator = \",\" ></format>");
    Canvas canvas;
    Headless::ClearDrawLog();
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE));
    ASSERT_NE(nullptr, LastDrawText());
    EXPECT_EQ("1,234.50", LastDrawText()->text);
    EXPECT_EQ("1,234.50", std::string(cell->GetFormattedText()));
    EXPECT_TRUE(Headless::MessageBoxes().empty());

    cell->SetShowText(FALSE);
    Headless::ClearDrawLog();
    ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, TRUE));
    EXPECT_EQ(nullptr, LastDrawText());
}

// --- borders and grid lines ----------------------------------------------------------------

// The pixels on the four lines of kCellRect's cell: left, top, right, bottom.
struct EdgePixels {
    COLORREF left, top, right, bottom;
};

EdgePixels Edges(const Canvas& c)
{
    return {c.At(10, 20), c.At(40, 10), c.At(70, 20), c.At(40, 30)};
}

struct BorderCase {
    const char* name;
    std::function<void(CGridCtrl&)> setup;
    int row;
    int col;
    bool printing;
    EdgePixels expected;
};

TEST_F(CellPaint, BordersAndGridLines)
{
    const COLORREF g = 0xE5D7D0;   // the grid-line colour
    const COLORREF u = kUnpainted;
    const COLORREF red = RGB(255, 0, 0);
    const std::vector<BorderCase> cases = {
        {"both directions", [](CGridCtrl&) {}, 2, 2, false, {g, g, g, g}},
        {"horizontal only", [](CGridCtrl& gr) { gr.SetGridLineMode(1); }, 2, 2, false, {u, g, u, g}},
        {"vertical only", [](CGridCtrl& gr) { gr.SetGridLineMode(2); }, 2, 2, false, {g, u, g, u}},
        {"none", [](CGridCtrl& gr) { gr.SetGridLineMode(0); }, 2, 2, false, {u, u, u, u}},
        {"own right border", [&](CGridCtrl& gr) { gr.GetCell(2, 2)->SetBorder(CBF_RIGHT, red, PS_SOLID, 1); }, 2,
         2, false, {g, g, red, g}},
        {"default-setting bottom border",
         [&](CGridCtrl& gr) {
             CGridDefaultSetting& s = gr.GetDefaultSettingRecord();
             s.m_wBorderFlags = DefaultBorderBottom;
             s.m_borders[BorderEdgeBottom].colour = static_cast<std::int32_t>(red);
             s.m_borders[BorderEdgeBottom].lineStyle = PS_SOLID;
             s.m_borders[BorderEdgeBottom].lineWidth = 1;
         },
         2, 2, false, {g, g, g, red}},
        {"left neighbour's border is left alone",
         [&](CGridCtrl& gr) { gr.GetCell(2, 1)->SetBorder(CBF_RIGHT, red, PS_SOLID, 1); }, 2, 2, false,
         {u, g, g, g}},
        {"upper neighbour's border is left alone",
         [&](CGridCtrl& gr) { gr.GetCell(1, 2)->SetBorder(CBF_BOTTOM, red, PS_SOLID, 1); }, 2, 2, false,
         {g, u, g, g}},
        {"selected cell mixes its border", [&](CGridCtrl& gr) {
             gr.GetCell(2, 2)->SetBorder(CBF_LEFT, red, PS_SOLID, 1);
             gr.GetCell(2, 2)->SetState(gr.GetCell(2, 2)->GetState() | GCS_SELECTED);
         }, 2, 2, false, {MixColours(red, kTint), g, g, g}},
        {"printed without the print-grid-lines option", [](CGridCtrl&) {}, 2, 2, true, {u, u, u, u}},
        {"printed with the print-grid-lines option", [](CGridCtrl& gr) { gr.SetPrintGridLines(TRUE); }, 2, 2, true,
         {g, g, g, g}},
        {"printed border stays unmixed", [&](CGridCtrl& gr) {
             gr.GetCell(2, 2)->SetBorder(CBF_TOP, red, PS_SOLID, 1);
             gr.GetCell(2, 2)->SetState(gr.GetCell(2, 2)->GetState() | GCS_SELECTED);
         }, 2, 2, true, {u, red, u, u}},
    };
    for (const BorderCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        Headless::Reset();
        grid = MakePaintGrid();
        ASSERT_TRUE(GiveWindow(*grid));
        tc.setup(*grid);
        Canvas canvas;
        CGridCellBase* cell = Cell(tc.row, tc.col);
        cell->DrawBorders(grid.get(), &canvas.dc, kCellRect, tc.row, tc.col, tc.printing);
        EdgePixels got = Edges(canvas);
        EXPECT_EQ(tc.expected.left, got.left);
        EXPECT_EQ(tc.expected.top, got.top);
        EXPECT_EQ(tc.expected.right, got.right);
        EXPECT_EQ(tc.expected.bottom, got.bottom);
    }
}

TEST_F(CellPaint, NoGridLinesWithoutAWindowOrOnFixedCells)
{
    Canvas canvas;
    Cell(2, 2)->DrawBorders(grid.get(), &canvas.dc, kCellRect, 2, 2, FALSE);
    EXPECT_EQ(kUnpainted, canvas.At(70, 20)) << "no window";

    ASSERT_TRUE(GiveWindow(*grid));
    Cell(0, 2)->DrawBorders(grid.get(), &canvas.dc, kCellRect, 0, 2, FALSE);
    EXPECT_EQ(kUnpainted, canvas.At(70, 20)) << "fixed cell";
}

TEST_F(CellPaint, DiagonalBorders)
{
    ASSERT_TRUE(GiveWindow(*grid));
    grid->SetGridLineMode(0);
    const COLORREF blue = RGB(0, 0, 255);
    Cell(2, 2)->SetBorder(CBF_DIAGONAL_DOWN, blue, PS_SOLID, 1);
    Canvas canvas;
    Cell(2, 2)->DrawBorders(grid.get(), &canvas.dc, kCellRect, 2, 2, FALSE);
    EXPECT_EQ(blue, canvas.At(10, 10));
    EXPECT_EQ(blue, canvas.At(40, 20));
    EXPECT_EQ(kUnpainted, canvas.At(40, 12));
    EXPECT_EQ(kUnpainted, canvas.At(70, 10));
}

// --- fixed cells -------------------------------------------------------------------------------

TEST_F(CellPaint, FixedCellsWithoutSkins)
{
    grid->SetSkinStyle(0);
    const COLORREF face = grid->GetDefaultCell(TRUE, FALSE)->GetBackColor();
    Canvas canvas;
    ASSERT_TRUE(Cell(0, 2)->Draw(&canvas.dc, 0, 2, kCellRect, TRUE));
    EXPECT_EQ(face, canvas.At(40, 20));
    EXPECT_EQ(grid->GetFixedFrameColor(), canvas.At(10, 20));
    EXPECT_EQ(grid->GetFixedFrameColor(), canvas.At(70, 20));
    EXPECT_EQ(grid->GetFixedFrameColor(), canvas.At(40, 30));

    // A header with an own back colour but no fixed back colour answers -1:
    // it is painted with the fixed-row default cell's colour.
    CGridCellBase* header = Cell(0, 3);
    header->SetBackColor(RGB(50, 60, 70));
    ASSERT_EQ(static_cast<COLORREF>(-1), header->GetBackColor());
    grid->GetDefaultCell(TRUE, FALSE)->SetBackColor(RGB(90, 80, 70));
    Canvas own;
    ASSERT_TRUE(header->Draw(&own.dc, 0, 3, kCellRect, TRUE));
    EXPECT_EQ(RGB(90, 80, 70), own.At(40, 20));
}

TEST_F(CellPaint, SkinnedFixedCells)
{
    ASSERT_EQ(1, grid->GetSkinStyle());
    // A header row tile: the FIXEDROW picture stretched to the cell's height.
    Canvas row;
    ASSERT_TRUE(Cell(0, 2)->Draw(&row.dc, 0, 2, kCellRect, TRUE));
    const Headless::DrawOp* blt = nullptr;
    for (const Headless::DrawOp& op : Headless::DrawLog())
        if (blt == nullptr && op.kind == Headless::DrawKind::StretchBlt &&
            op.sourceTarget == grid->GetSkinBitmap(SKIN_FIXEDROW)->GetSafeHandle())
            blt = &op;
    ASSERT_NE(nullptr, blt);
    EXPECT_EQ(11, blt->rect.left);
    EXPECT_EQ(11, blt->rect.top);
    EXPECT_EQ(30, blt->rect.bottom);

    // A row header: the fixed-column colour.
    Canvas column;
    ASSERT_TRUE(Cell(2, 0)->Draw(&column.dc, 2, 0, kCellRect, TRUE));
    EXPECT_EQ(grid->GetFixedColumnColor(), column.At(40, 20));

    // The corner: its own fill and frame lines.
    Canvas corner;
    ASSERT_TRUE(Cell(0, 0)->Draw(&corner.dc, 0, 0, kCellRect, TRUE));
    EXPECT_EQ(CELL_CORNER_FILL, corner.At(30, 15));
    EXPECT_EQ(CELL_CORNER_OUTER_LINE, corner.At(11, 20));
    EXPECT_EQ(CELL_CORNER_INNER_LINE, corner.At(69, 20));
}

TEST_F(CellPaint, HeadersOfTheSelectionAreMarked)
{
    grid->SetSkinStyle(0);
    AddState(2, 2, GCS_SELECTED);
    grid->SetSelectedRange(2, 2, 2, 2, FALSE, TRUE);
    ASSERT_TRUE(grid->IsTouchedBySelection(0, 2));
    Canvas canvas;
    ASSERT_TRUE(Cell(0, 2)->Draw(&canvas.dc, 0, 2, kCellRect, TRUE));
    EXPECT_EQ(CELL_SELECTED_FIXED_FILL, canvas.At(40, 20));
    EXPECT_EQ(grid->GetSelectedFixedFrameColor(), canvas.At(70, 20));
    EXPECT_EQ(grid->GetSelectedFixedFrameColor(), canvas.At(40, 30));

    // The header to its right leaves the shared line in the selection's colour.
    Canvas next;
    ASSERT_TRUE(Cell(0, 3)->Draw(&next.dc, 0, 3, kCellRect, TRUE));
    EXPECT_EQ(kUnpainted, next.At(10, 20));
}

// --- sort arrow and tip marker ------------------------------------------------------------------

int CountPixels(const Canvas& c, COLORREF colour, const CRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (c.At(x, y) == colour)
                ++n;
    return n;
}

TEST_F(CellPaint, SortArrow)
{
    grid->SetFixedRowCount(2);
    grid->SetSortColumn(2);
    struct Case {
        const char* name;
        BOOL ascending;
        int row;
        CRect rect;
        int pixels;            // arrow pixels drawn
        int firstRowPixels;    // in the arrow's top row
        int textRight;
    };
    // Default font height 12: "M" is 12 high, so the arrow sits at
    // text right - 8 + 1 and six pixels below the text rectangle's top.
    const Case cases[] = {
        {"ascending", TRUE, 0, kCellRect, 25, 1, 66 - 5},
        {"descending", FALSE, 0, kCellRect, 25, 9, 66 - 5},
        {"too narrow", TRUE, 0, CRect(10, 10, 18, 29), 0, 0, 15},
        {"another header row", TRUE, 1, kCellRect, 0, 0, 66},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        grid->SetSortAscending(tc.ascending);
        CGridCellBase* cell = Cell(tc.row, 2);
        cell->SetText("H");
        Canvas canvas;
        Headless::ClearDrawLog();
        ASSERT_TRUE(cell->Draw(&canvas.dc, tc.row, 2, tc.rect, TRUE));
        EXPECT_EQ(tc.pixels, CountPixels(canvas, CELL_SORT_ARROW_COLOUR, CRect(0, 0, 120, 60)));
        if (tc.pixels > 0) {
            EXPECT_EQ(tc.firstRowPixels, CountPixels(canvas, CELL_SORT_ARROW_COLOUR, CRect(59, 17, 68, 18)));
            EXPECT_EQ(CELL_SORT_ARROW_COLOUR, canvas.At(63, 17));
        }
        ASSERT_NE(nullptr, LastDrawText());
        EXPECT_EQ(tc.textRight, LastDrawText()->rect.right);
    }
}

TEST_F(CellPaint, TipMarker)
{
    struct Case {
        const char* tip;
        BOOL display;
        int pixels;
    } cases[] = {{"note", TRUE, 15}, {"note", FALSE, 0}, {"", TRUE, 0}};
    for (const Case& tc : cases) {
        SCOPED_TRACE(std::string(tc.tip) + (tc.display ? " shown" : " hidden"));
        CGridCellBase* cell = Cell(2, 2);
        cell->SetTipText(tc.tip);
        cell->SetDisplayTip(tc.display);
        Canvas canvas;
        ASSERT_TRUE(cell->Draw(&canvas.dc, 2, 2, kCellRect, FALSE));
        EXPECT_EQ(tc.pixels, CountPixels(canvas, CELL_TIP_MARKER_COLOUR, CRect(0, 0, 120, 60)));
        if (tc.pixels > 0) {
            // Five rows from top + 1, each one pixel shorter, ending at the right.
            EXPECT_EQ(5, CountPixels(canvas, CELL_TIP_MARKER_COLOUR, CRect(60, 11, 75, 12)));
            EXPECT_EQ(CELL_TIP_MARKER_COLOUR, canvas.At(65, 11));
            EXPECT_EQ(CELL_TIP_MARKER_COLOUR, canvas.At(69, 15));
            EXPECT_EQ(kUnpainted, canvas.At(68, 15));
        }
    }
}

TEST_F(CellPaint, ContentForPrintingUsesTheZoom)
{
    ASSERT_TRUE(GiveWindow(*grid));
    grid->SetZoom(2.0, 2.0);
    CGridCellBase* cell = Cell(2, 2);
    cell->SetText("abc");
    AddState(2, 2, GCS_SELECTED);
    cell->SetTipText("tip");
    Canvas canvas;
    Headless::ClearDrawLog();
    ASSERT_TRUE(cell->DrawContent(&canvas.dc, 2, 2, kCellRect));
    // No selection tint and no tip marker on paper.
    EXPECT_EQ(kWhite, canvas.At(40, 20));
    EXPECT_EQ(0, CountPixels(canvas, CELL_TIP_MARKER_COLOUR, CRect(0, 0, 120, 60)));
    const Headless::DrawOp* op = LastDrawText();
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(CRect(16, 12, 63, 27), CRect(op->rect));
    EXPECT_EQ(-24, op->font.lfHeight);
    EXPECT_EQ(-12, cell->GetFont()->lfHeight) << "the cell's font is not changed";
}

}  // namespace
