// Value, state, border, merge, id and copy rules of a cell on its own.
#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CellValue, SetValueAndSetTextSwitchTheKindAndMarkModified)
{
    CGridCell cell;
    EXPECT_FALSE(cell.IsModified());
    cell.SetValue(2.5);
    EXPECT_STREQ("", cell.GetText());
    EXPECT_EQ(2.5, cell.GetValue());
    EXPECT_TRUE(cell.IsNumber());
    EXPECT_TRUE(cell.IsModified());

    CGridCell other;
    other.SetText("a");
    EXPECT_EQ(0.0, other.GetValue());
    EXPECT_STREQ("a", other.GetText());
    EXPECT_FALSE(other.IsNumber());
    EXPECT_TRUE(other.IsModified());

    // A data type other than 0 and 1 still counts as a number, but only
    // type 1 answers its value.
    cell.SetDataType(5);
    EXPECT_EQ(5, cell.GetDataType());
    EXPECT_TRUE(cell.IsNumber());
    EXPECT_EQ(0.0, cell.GetValue());
    cell.SetDataType(0);
    EXPECT_EQ(0, cell.GetDataType());
}

TEST(CellValue, DisplayTextOfNumbersAndTexts)
{
    struct Case {
        double value;
        bool modified;
        bool drawZero;
        const char* expected;
    } cases[] = {
        {0.0, false, true, ""},       // an untouched zero shows nothing
        {0.0, true, false, ""},       // nor does a typed one while zeros are not drawn
        {0.0, true, true, "0"},
        {2.50, true, false, "2.5"},
        {3.000, true, false, "3"},
        {-0.125, true, false, "-0.125"},
        {1234567.5, true, false, "1234567.5"},
        {0.0000001, true, false, "0"},   // below the six decimals "%f" prints
    };
    for (const Case& c : cases) {
        CGridCtrl grid;
        grid.SetDrawNumZero(c.drawZero);
        CGridCell cell;
        cell.SetGrid(&grid);
        cell.SetValue(c.value);
        if (!c.modified)
            cell.SetState(cell.GetState() & ~static_cast<UINT>(GCS_MODIFIED));
        EXPECT_EQ(std::string(c.expected), cell.GetDisplayText().Str()) << c.value;
    }
    CGridCell text;
    text.SetText("合计");
    EXPECT_EQ(CString("合计"), text.GetDisplayText());
}

TEST(CellState, EachTestReadsItsOwnBit)
{
    struct Case {
        UINT bit;
        BOOL (CGridCellBase::*test)();
    } cases[] = {
        {GCS_FOCUSED, &CGridCellBase::IsFocused},   {GCS_SELECTED, &CGridCellBase::IsSelected},
        {GCS_DROPTARGET, &CGridCellBase::IsDropTarget}, {GCS_FIXED, &CGridCellBase::IsFixed},
        {GCS_FIXEDROW, &CGridCellBase::IsFixedRow}, {GCS_FIXEDCOL, &CGridCellBase::IsFixedCol},
        {GCS_MODIFIED, &CGridCellBase::IsModified},
    };
    for (const Case& c : cases) {
        CGridCell cell;
        cell.SetState(c.bit);
        for (const Case& other : cases)
            EXPECT_EQ(other.bit == c.bit, (cell.*other.test)() != FALSE) << c.bit << " vs " << other.bit;
    }
    CGridCell cell;
    cell.SetReadOnly(TRUE);
    EXPECT_EQ(static_cast<UINT>(GCS_READONLY), cell.GetState());
    EXPECT_TRUE(cell.IsReadOnly());
    cell.SetReadOnly(FALSE);
    EXPECT_FALSE(cell.IsReadOnly());
}

TEST(CellBorder, SetBorderValidatesAndNormalisesBlocks)
{
    struct Case {
        UINT mask;
        COLORREF colour;
        int style;
        int width;
        BOOL ok;
        int storedWidth;
    } cases[] = {
        {0, 0, 0, 1, FALSE, 0},          // no border bit
        {256, 0, 0, 1, FALSE, 0},        // beyond the eight bits
        {1, 0, 0, 0, FALSE, 0},          // no width
        {1, 0, 5, 1, FALSE, 0},          // unknown pen style
        {1, 0x80000000u, 0, 1, FALSE, 0},  // negative colour
        {1, 0xFF, 2, 5, TRUE, 1},        // a dotted line is 1 wide
        {1, 0xFF, 0, 5, TRUE, 3},        // a solid one at most 3
        {1, 0xFF, 0, 2, TRUE, 2},
    };
    for (const Case& c : cases) {
        CGridCell cell;
        EXPECT_EQ(c.ok, cell.SetBorder(c.mask, c.colour, c.style, c.width)) << c.mask << "/" << c.style;
        if (!c.ok) {
            EXPECT_EQ(0u, cell.GetBorderMask());
            continue;
        }
        COLORREF clr = 0;
        int style = -1;
        int width = -1;
        ASSERT_TRUE(cell.GetBorder(c.mask, &clr, &style, &width));
        EXPECT_EQ(c.colour, clr);
        EXPECT_EQ(c.style, style);
        EXPECT_EQ(c.storedWidth, width);
    }
}

TEST(CellBorder, GetBorderTestsTheBitOfEveryBlockIncludingDiagonals)
{
    CGridCell cell;
    ASSERT_TRUE(cell.SetBorder(CBF_DIAGONAL_DOWN | CBF_RIGHT, RGB(1, 2, 3), 0, 2));
    COLORREF clr = 0;
    int style = 0;
    int width = 0;
    EXPECT_TRUE(cell.GetBorder(CBF_DIAGONAL_DOWN, &clr, &style, &width));
    EXPECT_EQ(RGB(1, 2, 3), clr);
    EXPECT_TRUE(cell.GetBorder(CBF_RIGHT, &clr, &style, &width));
    // A mask of 0x0C is above the right bit's value but the bottom block is
    // not set: the bit decides, not a comparison of numbers.
    EXPECT_FALSE(cell.GetBorder(CBF_BOTTOM, &clr, &style, &width));
    EXPECT_FALSE(cell.GetBorder(CBF_LEFT, &clr, &style, &width));
    EXPECT_FALSE(cell.GetBorder(0, &clr, &style, &width));

    EXPECT_TRUE(cell.RemoveBorder(CBF_RIGHT));
    EXPECT_FALSE(cell.GetBorder(CBF_RIGHT, &clr, &style, &width));
    EXPECT_EQ(static_cast<UINT>(CBF_DIAGONAL_DOWN), cell.GetBorderMask());
}

TEST(CellMerge, OwnerRangeAndClear)
{
    CGridCell cell;
    cell.SetMergeOwner(0, 0);
    EXPECT_TRUE(cell.HasMergeOwner());
    cell.SetMergeOwner(-1, 4);
    EXPECT_FALSE(cell.HasMergeOwner());

    cell.SetMergeRange(CGridCellRange(3, 2, 3, 2));
    EXPECT_FALSE(cell.IsMerged());               // one cell is no block
    cell.SetMergeRange(CGridCellRange(3, 2, 4, 2));
    EXPECT_TRUE(cell.IsMerged());

    cell.SetMergeOwner(3, 2);
    cell.SetMergeOwnerCell(TRUE);
    cell.SetVisible(FALSE);
    cell.ClearMerge();
    EXPECT_FALSE(cell.IsMerged());
    EXPECT_FALSE(cell.HasMergeOwner());
    EXPECT_FALSE(cell.IsMergeOwnerCell());
    EXPECT_TRUE(cell.IsVisible());
    EXPECT_EQ(CGridCellRange(), cell.GetMergeRange());
    EXPECT_EQ(CGridCellPos(), cell.GetMergeOwner());
}

TEST(CellMerge, CopyTextOfCoveredCellsIsEmpty)
{
    CGridCell owner;
    owner.SetText("x");
    owner.SetMergeRange(CGridCellRange(1, 1, 1, 2));
    owner.SetMergeOwnerCell(TRUE);
    CGridCell covered;
    covered.SetText("x");
    covered.SetMergeRange(CGridCellRange(1, 1, 1, 2));
    EXPECT_EQ(CString("x"), owner.GetTextForCopy());
    EXPECT_EQ(CString(""), covered.GetTextForCopy());
}

TEST(CellId, LongIdsAreCutToWholeCharactersWithin31Bytes)
{
    struct Case {
        std::string id;
        std::string stored;
    } cases[] = {
        {"Total", "Total"},
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(40, 'b'), std::string(31, 'b')},
        // 30 ASCII bytes and a two-byte character would make 32: the
        // character is dropped whole.
        {std::string(30, 'c') + "合", std::string(30, 'c')},
        {std::string(29, 'd') + "合计", std::string(29, 'd') + "合"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CString gbk(c.id.c_str());
        CString expected(c.stored.c_str());
        CGridCell cell;
        cell.SetId(gbk);
        EXPECT_EQ(expected, CString(cell.GetId())) << c.id;
        EXPECT_LE(std::strlen(cell.GetId()), 31u);
    }
}

TEST(CellInput, LimitsAndInputType)
{
    CGridCell cell;
    double lo = 7;
    double hi = 7;
    EXPECT_FALSE(cell.GetInputLimit(lo, hi));
    EXPECT_EQ(0.0, lo);
    EXPECT_EQ(0.0, hi);

    cell.SetInputLimit(TRUE, 0, 100);
    EXPECT_EQ(1, cell.GetInputType());           // a limit makes the input numeric
    EXPECT_TRUE(cell.GetInputLimit(lo, hi));
    EXPECT_EQ(0.0, lo);
    EXPECT_EQ(100.0, hi);

    cell.SetInputLimit(FALSE, 5, 6);             // switching off keeps nothing visible
    EXPECT_FALSE(cell.GetInputLimit(lo, hi));
    EXPECT_EQ(0.0, lo);
    EXPECT_EQ(0.0, hi);

    CGridCell typed;
    typed.SetInputType(3);
    typed.SetInputLimit(TRUE, 1, 2);
    EXPECT_EQ(3, typed.GetInputType());          // an input type of its own stays
}

TEST(CellReset, EveryFieldBackToNewExceptTheControlText)
{
    CGridCtrl grid;
    CGridCell cell;
    cell.SetGrid(&grid);
    cell.SetValue(4);
    cell.SetState(GCS_SELECTED | GCS_READONLY);
    cell.SetBorder(CBF_LEFT, 0, 0, 1);
    cell.SetId("n");
    cell.SetMemo("memo");
    cell.SetTipText("tip");
    cell.SetDisplayTip(FALSE);
    cell.SetSelBackColor(RGB(9, 9, 9));
    cell.SetImage(3);
    cell.SetItemData(8);
    cell.SetMargin(5);
    cell.SetWrapText(TRUE);
    cell.SetTextColor(RGB(1, 0, 0));
    cell.SetFormatXml("<format datatype = \"numeric\" ></format>");
    cell.SetControl("<control controltype = \"edit\" ></control>");
    LOGFONT lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfWeight = FW_BOLD;
    cell.SetFont(&lf);

    cell.Reset();
    CGridCell fresh;
    EXPECT_EQ(fresh.GetState(), cell.GetState());
    EXPECT_EQ(0u, cell.GetBorderMask());
    EXPECT_STREQ("", cell.GetId());
    EXPECT_EQ(CString(), cell.GetMemo());
    EXPECT_EQ(CString(), cell.GetTipText());
    EXPECT_TRUE(cell.IsDisplayTip());
    EXPECT_EQ(GRID_DEFAULT_SEL_BACK_COLOUR, cell.GetSelBackColor());
    EXPECT_EQ(-1, cell.GetImage());
    EXPECT_EQ(0, cell.GetItemData());
    EXPECT_EQ(0, cell.GetMargin());              // no grid any more
    EXPECT_FALSE(cell.GetWrapText());
    EXPECT_FALSE(cell.HasOwnTextColor());
    EXPECT_EQ(CString(), cell.GetFormatXml());
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(nullptr, cell.GetGrid());
    EXPECT_FALSE(cell.IsNumber());
    EXPECT_EQ(0.0, cell.GetValue());
    EXPECT_EQ(CString("<control controltype = \"edit\" ></control>"), cell.GetControl());
}

TEST(CellCopy, CopyFromTakesTheValueAndCopyFormatLeavesIt)
{
    CGridCtrl grid;
    CGridCell source;
    source.SetGrid(&grid);
    source.SetValue(12.5);
    source.SetAlign(DT_RIGHT);
    source.SetBackColor(RGB(0, 0, 200));
    source.SetBorder(CBF_TOP | CBF_FAN_TOPLEFT, RGB(5, 5, 5), 1, 1);
    source.SetFormatXml("<format datatype = \"currency\" ></format>");
    source.SetTipText("t");
    source.SetMemo("m");
    source.SetControl("<control controltype = \"edit\" ></control>");
    source.SetWrapText(TRUE);

    CGridCell full;
    full.CopyFrom(&source);
    EXPECT_EQ(12.5, full.GetValue());
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), full.GetAlign());
    EXPECT_EQ(RGB(0, 0, 200), full.GetBackColor());
    EXPECT_EQ(source.GetBorderMask(), full.GetBorderMask());
    EXPECT_TRUE(full.GetWrapText());
    EXPECT_EQ(&grid, full.GetGrid());

    CGridCell format;
    format.SetText("keep");
    format.CopyFormat(&source);
    EXPECT_STREQ("keep", format.GetText());
    EXPECT_FALSE(format.IsNumber());
    EXPECT_EQ(RGB(0, 0, 200), format.GetBackColor());
    EXPECT_EQ(source.GetBorderMask(), format.GetBorderMask());
    EXPECT_EQ(source.GetFormatXml(), format.GetFormatXml());
    EXPECT_EQ(CString("t"), format.GetTipText());
    EXPECT_EQ(CString("m"), format.GetMemo());
    EXPECT_EQ(source.GetControl(), format.GetControl());
    // The font travels as its attribute text: the copy holds the source's
    // effective font as a font of its own.
    EXPECT_FALSE(format.GetFontXml().IsEmpty());
    EXPECT_FALSE(format.IsDefaultFont());

    format.CopyFormat(&format);                  // copying onto itself changes nothing
    EXPECT_STREQ("keep", format.GetText());
}

TEST(CellRichText, TheBaseAnswersNeutralResults)
{
    CGridCell cell;
    LONG a = 5;
    LONG b = 5;
    EXPECT_FALSE(cell.SELockContent());
    EXPECT_FALSE(cell.SECharGetSel(&a, &b));
    EXPECT_EQ(-1, a);
    EXPECT_EQ(-1, b);
    a = b = 5;
    EXPECT_FALSE(cell.SEParaGetSel(&a, &b));
    EXPECT_EQ(-1, a);
    EXPECT_EQ(-1, b);
    EXPECT_EQ(-1, cell.SECharGetFontSize());
    EXPECT_EQ(-1, cell.SEParaGetCount());
    EXPECT_EQ(-1, cell.SECtrlGetTextLimit());
    EXPECT_EQ(CString(), cell.SECtrlGetRTF());
    EXPECT_EQ(CString(), cell.SECharGetFontNameEx(0, 3));
    char buffer[8] = "xyz";
    EXPECT_EQ(0, cell.SECharGetSelText(buffer, sizeof(buffer)));
    EXPECT_FALSE(cell.SECtrlSetText("abc"));
    EXPECT_FALSE(cell.SECharGetBold());
}

TEST(CellFontXml, EmptyTextRemovesTheOwnFont)
{
    CGridCell cell;
    cell.SetFontXml("<font fontname = \"宋体\" fontsize = \"12\" weight = \"FW_BOLD\" ></font>");
    ASSERT_FALSE(cell.IsDefaultFont());
    EXPECT_EQ(FW_BOLD, cell.GetFont()->lfWeight);
    cell.SetFontXml("");
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(CString(), cell.GetFontXml());     // no grid, no font: nothing to write
}

TEST(CellFonts, EqualFontsAreStoredOnce)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -15;
    std::strcpy(lf.lfFaceName, "Tahoma");
    CGridCell a;
    CGridCell b;
    a.SetFont(&lf);
    lf.lfHeight = -15;
    b.SetFont(&lf);
    EXPECT_EQ(a.GetFont(), b.GetFont());
    lf.lfHeight = -16;
    b.SetFont(&lf);
    EXPECT_NE(a.GetFont(), b.GetFont());
    EXPECT_EQ(-15, a.GetFont()->lfHeight);
}

}  // namespace
