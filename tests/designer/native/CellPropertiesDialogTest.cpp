// "属性" and its pages: what each page reads from the cells, what OK writes
// over list and range selections with untouched and touched pages, and the
// border page's lines and change mark.
#include "designer/DesignerFixture.h"
#include "designer/DesignerCommands.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/dialogs/CellPropertiesDialog.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/FormatDialogs.h"

#include <gtest/gtest.h>

#include <string>

using namespace designertest;

namespace {

const char* const kNumericFormat = "<format datatype=\"numeric\"  decimal = \"1\"  ></format>";
const char* const kCurrencyFormat = "<format datatype=\"currency\"  decimal = \"2\"  ></format>";

// Two cells with different formats, controls, fonts and colours, both selected
// as a list, the first one focused.
void MixedCells(Designer& d)
{
    d.grid.CellSetTextFormat(1, 1, CString(kNumericFormat));
    d.grid.CellSetTextFormat(1, 2, CString(kCurrencyFormat));
    CComboBoxControlDlg combo;
    combo.m_items = {CString("a")};
    d.grid.CellSetControl(1, 1, combo.BuildText());
    d.grid.CellSetControl(1, 2, CCheckBoxControlDlg().BuildText());
    d.grid.CellSetTextFont(1, 2, CString("<font charset =\"134\"  fontname = \"宋体\" fontsize = \"14\"  >"));
    d.grid.CellSetTextColor(1, 2, RGB(0, 0, 255));
    d.grid.CellSetDateType(1, 2, 1);
    d.grid.GridSetSelectRange(1, 1, 1, 2);
    d.grid.CellSetFocus(1, 1);
    d.grid.GridSetSelectRange(1, 1, 1, 2);
}

struct CellState {
    std::string format, control, font;
    LONG colour, dataType, borders;
    bool operator==(const CellState& o) const
    {
        return format == o.format && control == o.control && font == o.font && colour == o.colour &&
               dataType == o.dataType && borders == o.borders;
    }
};

CellState StateOf(Designer& d, LONG row, LONG col)
{
    return {d.grid.CellGetTextFormat(row, col).Str(), d.grid.CellGetControl(row, col).Str(),
            d.grid.CellGetTextFont(row, col).Str(),   d.grid.CellGetTextColor(row, col),
            d.grid.CellGetDataType(row, col),         d.grid.CellGetBorderFlags(row, col)};
}

}  // namespace

TEST(CellPropertiesDialog, UntouchedPagesWriteNothing)
{
    Designer d;
    MixedCells(d);
    const CellState a = StateOf(d, 1, 1), b = StateOf(d, 1, 2);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    EXPECT_EQ(0, dlg.m_format.m_nSelected);
    EXPECT_EQ(4, dlg.m_control.m_nSelected);  // the combo of the first cell
    dlg.OnOK();
    EXPECT_TRUE(a == StateOf(d, 1, 1));
    EXPECT_TRUE(b == StateOf(d, 1, 2));
    EXPECT_EQ(1, d.grid.CellGetControlType(1, 1));
    EXPECT_EQ(2, d.grid.CellGetControlType(1, 2));
}

TEST(CellPropertiesDialog, AFontChangeOnAMixedSelectionLeavesTheRestAlone)
{
    Designer d;
    MixedCells(d);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    dlg.m_font.m_nStyle = 1;
    dlg.OnOK();
    for (LONG col : {1, 2})
        EXPECT_EQ("FW_BOLD", d.grid.CellGetTextFontProperty(1, col, CString("weight")).Str()) << col;
    EXPECT_EQ("numeric", d.grid.CellGetTextFormatProperty(1, 1, CString("datatype")).Str());
    EXPECT_EQ("currency", d.grid.CellGetTextFormatProperty(1, 2, CString("datatype")).Str());
    EXPECT_EQ(RGB(0, 0, 255), static_cast<COLORREF>(d.grid.CellGetTextColor(1, 2)));  // colour untouched
    EXPECT_EQ(1, d.grid.CellGetDataType(1, 2));
    EXPECT_EQ(2, d.grid.CellGetControlType(1, 2));
}

TEST(CellPropertiesDialog, TouchedPagesReachEveryCellOfARange)
{
    Designer d;
    d.grid.RowSetCount(4);
    d.grid.ColumnSetCount(3);
    d.grid.CellSetFocus(1, 1);
    d.grid.GridSetSelectRange(1, 1, 1, 1);
    d.Engine().SetSelectionKind(GSK_ALL);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    dlg.m_dataType.m_nType = 1;
    d.ui.dialogs.push_back([&d](CDesignerDialog& base) {
        auto& f = dynamic_cast<CPercentageFormatDlg&>(base);
        f.m_nDecimal = 3;
        return f.Accept(d.ui) ? IDOK : IDCANCEL;
    });
    dlg.m_format.m_nSelected = 4;
    dlg.SetFormatParameters();
    dlg.m_control.m_nSelected = 9;  // "超级编辑框": rich-text cells
    dlg.m_border.m_nStyleIndex = 2;
    dlg.m_border.m_crLine = RGB(0, 128, 0);
    dlg.m_border.Outer();
    dlg.m_font.m_crText = RGB(255, 0, 0);
    dlg.OnOK();
    LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ASSERT_TRUE(d.grid.GridGetSelectRange(r1, c1, r2, c2));
    for (LONG r = std::max<LONG>(r1, 1); r <= r2; ++r) {
        for (LONG c = std::max<LONG>(c1, 1); c <= c2; ++c) {
            EXPECT_EQ(1, d.grid.CellGetDataType(r, c));
            EXPECT_EQ("percentage", d.grid.CellGetTextFormatProperty(r, c, CString("datatype")).Str());
            EXPECT_EQ(10, d.grid.CellGetControlType(r, c));
            EXPECT_EQ(15, d.grid.CellGetBorderFlags(r, c));
            EXPECT_EQ(RGB(255, 0, 0), static_cast<COLORREF>(d.grid.CellGetTextColor(r, c)));
            LONG style = 0, colour = 0, width = 0;
            d.grid.CellGetBorder(r, c, 8, style, colour, width);
            EXPECT_EQ(RGB(0, 128, 0), static_cast<COLORREF>(colour));
            EXPECT_EQ(3, width);
        }
    }
}

TEST(CellPropertiesDialog, ControlPageKeepsFormulaAndRichTextCells)
{
    struct Case {
        const char* what;
        LONG type;
        int entry;
    };
    const Case cases[] = {{"rich text", 10, 9}, {"formula", 11, 0}};
    for (const Case& c : cases) {
        Designer d;
        d.grid.CellSetControlType(2, 2, c.type);
        ASSERT_EQ(c.type, d.grid.CellGetControlType(2, 2)) << c.what;
        d.grid.CellSetFocus(2, 2);
        CCellPropertiesDlg dlg(&d.grid, d.ui);
        EXPECT_EQ(c.entry, dlg.m_control.m_nSelected) << c.what;
        EXPECT_FALSE(dlg.m_control.CanSetParameters()) << c.what;
        dlg.OnOK();
        EXPECT_EQ(c.type, d.grid.CellGetControlType(2, 2)) << c.what;
        // Choosing "编辑框" in place of the cell's own type does make an edit cell.
        CCellPropertiesDlg again(&d.grid, d.ui);
        again.m_control.m_nSelected = c.entry == 0 ? 9 : 0;
        again.OnOK();
        EXPECT_EQ(c.entry == 0 ? 10 : 0, d.grid.CellGetControlType(2, 2)) << c.what;
    }
}

TEST(CellPropertiesDialog, ControlPageDialogPresetFromTheCellOrDefaults)
{
    Designer d;
    CCheckBoxControlDlg check;
    check.m_nSize = 20;
    d.grid.CellSetControl(1, 1, check.BuildText());
    d.grid.CellSetFocus(1, 1);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    ASSERT_EQ(3, dlg.m_control.m_nSelected);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        EXPECT_EQ(20, dynamic_cast<CCheckBoxControlDlg&>(base).m_nSize);
        return IDCANCEL;
    });
    dlg.SetControlParameters();
    EXPECT_FALSE(dlg.m_control.Changed());  // a cancelled dialog keeps the text
    dlg.m_control.m_nSelected = 1;
    d.ui.dialogs.push_back([&d](CDesignerDialog& base) {
        auto& n = dynamic_cast<CNumericControlDlg&>(base);
        EXPECT_EQ(0, n.m_nInputType);
        EXPECT_EQ(1000.0, n.m_dMax);
        n.m_nLimit = 1;
        n.m_dMax = 50;
        return n.Accept(d.ui) ? IDOK : IDCANCEL;
    });
    dlg.SetControlParameters();
    EXPECT_TRUE(dlg.m_control.Changed());
    dlg.OnOK();
    EXPECT_EQ(5, d.grid.CellGetControlType(1, 1));
    EXPECT_EQ(50.0, std::stod(d.grid.CellGetControlProperty(1, 1, CString("inputmax")).Str()));
}

TEST(CellPropertiesDialog, FormatPageOpensItsDialogWithDefaultsForAnotherType)
{
    Designer d;
    d.grid.CellSetTextFormat(1, 1, CString(kCurrencyFormat));
    d.grid.CellSetFocus(1, 1);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    EXPECT_EQ(1, dlg.m_format.m_nSelected);
    dlg.m_format.m_nSelected = 0;
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& n = dynamic_cast<CNumericFormatDlg&>(base);
        EXPECT_EQ(2, n.m_nDecimal);  // the numeric defaults, not the cell's currency
        EXPECT_TRUE(n.m_rules[0].enabled);
        return IDCANCEL;
    });
    dlg.SetFormatParameters();
    EXPECT_FALSE(dlg.m_format.Changed());

    // A cell without a format: "数值" and an empty text, and OK writes nothing.
    Designer plain;
    plain.grid.CellSetFocus(3, 3);
    CCellPropertiesDlg none(&plain.grid, plain.ui);
    EXPECT_EQ(0, none.m_format.m_nSelected);
    EXPECT_TRUE(none.GetFormatText().IsEmpty());
}

TEST(CellPropertiesDialog, DataTypeAndFontPagesReadTheFocusCell)
{
    Designer d;
    d.grid.CellSetDateType(1, 1, 1);
    d.grid.CellSetTextFont(1, 1,
                           CString("<font charset =\"134\"  fontname = \"宋体\"  weight = \"FW_BOLD\"  italic = \"1\" "
                                   "fontsize = \"12\" strikeout = \"1\"  >"));
    d.grid.CellSetFocus(1, 1);
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    EXPECT_EQ(1, dlg.m_dataType.m_nType);
    EXPECT_EQ("宋体", dlg.m_font.m_strFace.Str());
    EXPECT_EQ(3, dlg.m_font.m_nStyle);
    EXPECT_EQ("12", dlg.m_font.m_strSize.Str());
    EXPECT_EQ(134, dlg.m_font.m_nCharset);
    EXPECT_EQ(1, dlg.m_font.m_nStrikeout);
    EXPECT_EQ(0, dlg.m_font.m_nUnderline);
    EXPECT_FALSE(dlg.m_font.FontChanged());

    CFontPage font;
    font.m_strFace = "宋体";
    font.m_nCharset = 134;
    font.m_nStyle = 1;
    font.m_strSize = "12";
    font.m_nUnderline = 1;
    EXPECT_EQ("<font charset =\"134\"  fontname = \"宋体\"  weight = \"FW_BOLD\" fontsize = \"12\" underline = \"1\"  >",
              font.GetFontText().Str());
    font.m_nStyle = 3;
    font.m_nUnderline = 0;
    font.m_nStrikeout = 1;
    font.m_strSize = "10.5";
    EXPECT_EQ("<font charset =\"134\"  fontname = \"宋体\"  weight = \"FW_BOLD\"  italic = \"1\" fontsize = \"10.5\" "
              "strikeout = \"1\"  >",
              font.GetFontText().Str());
    EXPECT_EQ(10, font.PreviewPoints());
    // The text the page builds is one the cell reads.
    d.grid.CellSetTextFont(2, 2, font.GetFontText());
    EXPECT_EQ("1", d.grid.CellGetTextFontProperty(2, 2, CString("italic")).Str());
}

TEST(CellPropertiesDialog, BorderPageLinesAndChangeMark)
{
    Designer d;
    d.grid.CellSetBorder(1, 1, 2 | 16, 0, RGB(1, 2, 3), 2);
    d.grid.CellSetFocus(1, 1);
    CBorderPage page;
    page.Init(&d.grid);
    EXPECT_EQ(0, page.ChangeMark());  // reading the cell is no change
    EXPECT_TRUE(page.IsChecked(0));
    EXPECT_TRUE(page.IsChecked(4));
    EXPECT_FALSE(page.IsChecked(1));
    EXPECT_EQ(RGB(1, 2, 3), page.GetBorder(0).colour);
    EXPECT_EQ(-1, page.GetBorder(8).line);
    EXPECT_EQ(-1, page.GetBorder(-1).line);

    // A line takes the style and colour chosen when it is set.
    page.m_nStyleIndex = 3;
    page.m_crLine = RGB(9, 9, 9);
    page.SetLine(1, TRUE);
    page.m_crLine = RGB(7, 7, 7);
    EXPECT_EQ(RGB(9, 9, 9), page.GetBorder(1).colour);
    EXPECT_EQ(1, page.ChangeMark());
    // "外边框" sets the four edges and leaves the diagonal.
    page.Outer();
    EXPECT_EQ(16 | 15, page.Mask());
    EXPECT_EQ(RGB(7, 7, 7), page.GetBorder(1).colour);

    // Removing lines alone counts as a change; OK then clears the cell's borders.
    CBorderPage removal;
    removal.Init(&d.grid);
    removal.Clear();
    EXPECT_TRUE(removal.Changed());
    EXPECT_EQ(0, removal.Mask());
    CCellPropertiesDlg dlg(&d.grid, d.ui);
    dlg.m_border.SetLine(4, FALSE);
    dlg.OnOK();
    EXPECT_EQ(2, d.grid.CellGetBorderFlags(1, 1));

    // The popup form: stored records in flag order come back the same.
    CBorderLine stored[8];
    stored[0] = CBorderLine{2, 0, 1, RGB(5, 5, 5)};  // flag 1: the left line
    stored[3] = CBorderLine{1, 0, 3, RGB(6, 6, 6)};  // flag 8: the bottom line
    CBorderPage popup;
    popup.InitStored(1 | 8, stored);
    EXPECT_EQ(0, popup.ChangeMark());
    EXPECT_TRUE(popup.IsChecked(2));
    CBorderLine back[8];
    popup.Store(back);
    EXPECT_EQ(RGB(5, 5, 5), back[0].colour);
    EXPECT_EQ(3, back[3].width);
    EXPECT_EQ(-1, back[1].line);
}

TEST(CellPropertiesDialog, CommandRepeatsOnTheFocusCellAndCancelChangesNothing)
{
    Designer d;
    d.grid.CellSetFocus(2, 2);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CCellPropertiesDlg&>(base);
        dlg.m_dataType.m_nType = 1;
        dlg.OnOK();
        return IDOK;
    });
    EXPECT_TRUE(d.Run(cellcmd::kCellProperties));
    EXPECT_EQ(1, d.grid.CellGetDataType(2, 2));
    EXPECT_TRUE(d.doc.IsModified());

    Designer c;
    c.grid.CellSetFocus(2, 2);
    c.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CCellPropertiesDlg&>(base);
        dlg.m_dataType.m_nType = 1;
        return IDCANCEL;
    });
    c.Run(cellcmd::kCellProperties);
    EXPECT_EQ(0, c.grid.CellGetDataType(2, 2));

    // The right-click "单元格属性..." opens the same dialog.
    c.view.OnGridMenuCommand(2, 2, static_cast<LONG>(designer_cmd::kMenuCellProperties));
    EXPECT_EQ(kDlgCellProperties, c.ui.dialogsShown.back());
}

TEST(CellPropertiesDialog, BorderPopupEditsTheRecordsItIsGiven)
{
    CBorderPopupDlg popup;
    popup.m_nMask = 4 | 16;
    popup.m_records[2] = CBorderLine{3, 0, 2, RGB(1, 1, 1)};   // flag 4: the right line
    popup.m_records[4] = CBorderLine{4, 2, 1, RGB(2, 2, 2)};   // flag 16: a diagonal
    popup.Begin();
    EXPECT_TRUE(popup.m_page.IsChecked(3));
    EXPECT_FALSE(popup.m_page.Changed());
    popup.m_page.SetLine(4, FALSE);
    popup.m_page.m_nStyleIndex = 2;
    popup.m_page.SetLine(0, TRUE);
    popup.Accept();
    EXPECT_EQ(4 | 2, popup.m_nMask);
    EXPECT_EQ(-1, popup.m_records[4].line);
    EXPECT_EQ(0, popup.m_records[1].line);  // flag 2: the top line
    EXPECT_EQ(3, popup.m_records[1].width);
    EXPECT_EQ(RGB(1, 1, 1), popup.m_records[2].colour);
    COLORREF colour = 5;
    EXPECT_FALSE(popup.PickColour(colour));  // no user interface: the colour stays
    EXPECT_EQ(5u, colour);
}
