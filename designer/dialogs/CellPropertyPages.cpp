#include "designer/dialogs/CellPropertyPages.h"

#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/LineStyles.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/FormatDialogs.h"

#include <cstdlib>
#include <memory>

namespace {

BOOL FirstSelected(IGridControl* grid, LONG& row, LONG& col)
{
    return grid != nullptr && grid->GridGetSelectedCell(0, row, col);
}

}  // namespace

// --- data type ----------------------------------------------------------------------

void CDataTypePage::Init(IGridControl* grid)
{
    m_nType = -1;
    LONG row = -1, col = -1;
    if (grid != nullptr && grid->CellGetFocus(row, col)) {
        const LONG type = grid->CellGetDataType(row, col);
        if (type == 0 || type == 1)
            m_nType = static_cast<int>(type);
    }
    m_nInitial = m_nType;
}

// --- display format -----------------------------------------------------------------

const char* const CFormatPage::kEntries[kTypeCount] = {"数值", "货币", "日期", "布尔型", "百分比", "科学计数"};
const char* const CFormatPage::kTypeWords[kTypeCount] = {"numeric", "currency",   "datetime",
                                                         "boolean", "percentage", "scientific"};

void CFormatPage::Init(IGridControl* grid)
{
    m_grid = grid;
    m_nSelected = 0;
    m_bConfirmed = FALSE;
    m_strText.Empty();
    LONG row = 0, col = 0;
    if (!FirstSelected(grid, row, col))
        return;
    const CString type = grid->CellGetTextFormatProperty(row, col, CString("datatype"));
    for (int i = 0; i < kTypeCount; ++i)
        if (type == kTypeWords[i])
            m_nSelected = i;
    m_strText = grid->CellGetTextFormat(row, col);
}

void CFormatPage::RunDialog(IDesignerUi& ui)
{
    LONG row = 0, col = 0;
    if (!FirstSelected(m_grid, row, col))
        return;
    std::unique_ptr<CFormatDialog> dlg;
    switch (m_nSelected) {
    case 0: dlg = std::make_unique<CNumericFormatDlg>(); break;
    case 1: dlg = std::make_unique<CCurrencyFormatDlg>(); break;
    case 2: dlg = std::make_unique<CDateTimeFormatDlg>(); break;
    case 3: dlg = std::make_unique<CBooleanFormatDlg>(); break;
    case 4: dlg = std::make_unique<CPercentageFormatDlg>(); break;
    case 5: dlg = std::make_unique<CScientificFormatDlg>(); break;
    default: return;
    }
    CString type = m_grid->CellGetTextFormatProperty(row, col, CString("datatype"));
    type.MakeLower();
    if (type == dlg->TypeWord())
        dlg->Read(FormatAttributes(*m_grid, row, col));
    if (ui.DoModal(*dlg) != IDOK)
        return;
    m_strText = dlg->GetAttributeText();
    m_bConfirmed = TRUE;
}

// --- control ------------------------------------------------------------------------

const char* const CControlPage::kEntries[kTypeCount] = {"编辑框", "数值框",   "按钮",   "复选框", "下拉框",
                                                        "复选下拉框", "日期时间", "超链接", "图片",   "超级编辑框"};

namespace {

// The control type of each entry of the control page's list.
const LONG kEntryTypes[CControlPage::kTypeCount] = {0, 5, 6, 2, 1, 3, 4, 9, 12, 10};

// Presets a control dialog from the first selected cell when it has the
// dialog's type, runs it and answers its text on OK ("" otherwise).
template <class Dialog>
CString RunPreset(IDesignerUi& ui, IGridControl& grid, LONG row, LONG col, LONG type, Dialog& dlg)
{
    if (grid.CellGetControlType(row, col) == type)
        dlg.Read(ControlAttributes(grid, row, col));
    if (ui.DoModal(dlg) != IDOK)
        return CString();
    return dlg.GetAttributeText();
}

}  // namespace

int CControlPage::EntryOfType(LONG type)
{
    for (int i = 0; i < kTypeCount; ++i)
        if (kEntryTypes[i] == type)
            return i;
    return 0;
}

void CControlPage::Init(IGridControl* grid)
{
    m_grid = grid;
    m_nSelected = 0;
    m_bConfirmed = FALSE;
    m_strText.Empty();
    LONG row = 0, col = 0;
    if (FirstSelected(grid, row, col)) {
        m_nSelected = EntryOfType(grid->CellGetControlType(row, col));
        m_strText = grid->CellGetControl(row, col);
    }
    m_nInitial = m_nSelected;
}

void CControlPage::RunDialog(IDesignerUi& ui)
{
    LONG row = 0, col = 0;
    if (!CanSetParameters() || !FirstSelected(m_grid, row, col))
        return;
    IGridControl& grid = *m_grid;
    const LONG type = kEntryTypes[m_nSelected];
    CString text;
    switch (m_nSelected) {
    case 1: {
        CNumericControlDlg dlg;
        dlg.Read([](const char*) { return CString(); });  // a plain range of 0 to 1000
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 2: {
        CButtonControlDlg dlg;
        dlg.LoadPictures(grid);
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 3: {
        CCheckBoxControlDlg dlg;
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 4: {
        CComboBoxControlDlg dlg;
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 5: {
        CComboCheckControlDlg dlg;
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 6: {
        CDateTimeControlDlg dlg;
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 7: {
        CUrlControlDlg dlg;
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    case 8: {
        CImageControlDlg dlg;
        dlg.LoadPictures(grid);
        text = RunPreset(ui, grid, row, col, type, dlg);
        break;
    }
    default:
        return;
    }
    if (text.IsEmpty())
        return;
    m_strText = text;
    m_bConfirmed = TRUE;
}

CString CControlPage::GetControlText() const
{
    if (m_nSelected == 0)
        return CString(kEditControlText);
    if (m_nSelected == 9)
        return CString(kRichTextControlText);
    return m_strText;
}

BOOL CControlPage::Changed() const
{
    if (m_bConfirmed)
        return TRUE;
    return m_nSelected != m_nInitial && (m_nSelected == 0 || m_nSelected == 9);
}

// --- font ---------------------------------------------------------------------------

const char* const CFontPage::kStyles[kStyleCount] = {"常规", "粗体", "斜体", "粗体 斜体"};
const char* const CFontPage::kSizes[kSizeCount] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                                   "20", "22", "24", "26", "28", "36", "72"};
const char* const CFontPage::kSampleText = "表格 Grid ";

void CFontPage::Init(IGridControl* grid)
{
    LONG row = -1, col = -1;
    if (grid != nullptr && grid->CellGetFocus(row, col) && grid->CellIsValid(row, col)) {
        auto get = [&](const char* name) { return grid->CellGetTextFontProperty(row, col, CString(name)); };
        m_strFace = get("fontname");
        m_strSize = get("fontsize");
        const CString weight = get("weight");
        const bool italic = get("italic") == "1";
        const bool bold = weight == "FW_BOLD" || weight == "700";
        m_nStyle = bold && italic ? 3 : italic ? 2 : bold ? 1 : 0;
        m_nCharset = static_cast<int>(std::strtol(get("charset"), nullptr, 10));
        m_nStrikeout = get("strikeout") == "1" ? 1 : 0;
        m_nUnderline = get("underline") == "1" ? 1 : 0;
        m_crText = static_cast<COLORREF>(grid->CellGetTextColor(row, col));
    }
    m_initial.face = m_strFace;
    m_initial.size = m_strSize;
    m_initial.style = m_nStyle;
    m_initial.charset = m_nCharset;
    m_initial.underline = m_nUnderline;
    m_initial.strikeout = m_nStrikeout;
    m_initial.m_crText = m_crText;
}

CString CFontPage::GetFontText() const
{
    CString text("<font ");
    CString piece;
    piece.Format("charset =\"%d\"  ", m_nCharset);
    text += piece;
    text += "fontname = \"" + m_strFace + "\" ";
    if (m_nStyle == 1 || m_nStyle == 3)
        text += " weight = \"FW_BOLD\" ";
    if (m_nStyle == 2 || m_nStyle == 3)
        text += " italic = \"1\" ";
    text += "fontsize = \"" + m_strSize + "\" ";
    if (m_nUnderline)
        text += "underline = \"1\" ";
    if (m_nStrikeout)
        text += "strikeout = \"1\" ";
    return text + " >";
}

int CFontPage::PreviewPoints() const
{
    const double points = std::strtod(m_strSize, nullptr);
    if (!(points > 0) || points > 1638)
        return 0;
    return static_cast<int>(points);
}

BOOL CFontPage::FontChanged() const
{
    return m_strFace != m_initial.face || m_strSize != m_initial.size || m_nStyle != m_initial.style ||
           m_nCharset != m_initial.charset || m_nUnderline != m_initial.underline ||
           m_nStrikeout != m_initial.strikeout;
}

// --- borders ------------------------------------------------------------------------

const LONG CBorderPage::kLineFlags[kLineCount] = {2, 8, 1, 4, 16, 32, 64, 128};

int CBorderPage::LineOfFlag(LONG flag)
{
    for (int i = 0; i < kLineCount; ++i)
        if (kLineFlags[i] == flag)
            return i;
    return -1;
}

void CBorderPage::Init(IGridControl* grid)
{
    m_nChange = -1;
    m_nMask = 0;
    for (CBorderLine& l : m_lines)
        l = CBorderLine();
    LONG row = 0, col = 0;
    if (FirstSelected(grid, row, col)) {
        const LONG mask = grid->CellGetBorderFlags(row, col);
        if (mask >= 1) {
            m_nMask = static_cast<int>(mask & 255);
            for (int i = 0; i < kLineCount; ++i) {
                if (!(m_nMask & kLineFlags[i]))
                    continue;
                LONG style = 0, colour = 0, width = 0;
                grid->CellGetBorder(row, col, kLineFlags[i], style, colour, width);
                m_lines[i] = CBorderLine{i, static_cast<int>(style), static_cast<int>(width),
                                         static_cast<COLORREF>(colour)};
            }
        }
    }
    m_nChange = 0;
}

void CBorderPage::InitStored(int mask, const CBorderLine stored[kLineCount])
{
    m_nChange = -1;
    m_nMask = 0;
    for (CBorderLine& l : m_lines)
        l = CBorderLine();
    if (mask >= 1) {
        for (int bit = 0; bit < kLineCount; ++bit) {
            const LONG flag = 1L << bit;
            if (!(mask & flag))
                continue;
            const CBorderLine& record = stored[bit];
            if (record.line >= 0 && record.line < kLineCount)
                m_lines[record.line] = record;
            m_nMask |= static_cast<int>(flag);
        }
    }
    m_nChange = 0;
}

void CBorderPage::SetLine(int line, BOOL on)
{
    if (line < 0 || line >= kLineCount)
        return;
    if (!on) {
        m_nMask &= ~static_cast<int>(kLineFlags[line]);
        m_lines[line] = CBorderLine();
    } else {
        int style = 0, width = 1;
        CComboBoxLine::StyleToPen(m_nStyleIndex, &style, &width);
        m_lines[line] = CBorderLine{line, style, width, m_crLine};
        m_nMask |= static_cast<int>(kLineFlags[line]);
    }
    // Removing a line is a change as much as adding one.
    if (m_nChange >= 0)
        m_nChange = 1;
}

void CBorderPage::Outer()
{
    for (int line = 0; line < 4; ++line)
        SetLine(line, TRUE);
}

void CBorderPage::Clear()
{
    for (int line = 0; line < kLineCount; ++line)
        SetLine(line, FALSE);
}

CBorderLine CBorderPage::GetBorder(int i) const
{
    if (i < 0 || i >= kLineCount)
        return CBorderLine();
    return m_lines[i];
}

void CBorderPage::Store(CBorderLine stored[kLineCount]) const
{
    for (int bit = 0; bit < kLineCount; ++bit)
        stored[bit] = m_lines[LineOfFlag(1L << bit)];
}

BOOL CBorderPopupDlg::PickColour(COLORREF& colour)
{
    return m_pUi != nullptr && m_pUi->PickColor(colour);
}
