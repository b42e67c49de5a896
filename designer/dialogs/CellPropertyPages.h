// The pages of the cell-properties dialog ("属性"): data type, display
// format, control, font and borders. Each page reads the cell it starts from
// when the dialog opens and remembers whether the user changed it, so that
// the dialog writes only what was changed: a page left untouched writes
// nothing, and a mixed selection keeps each cell's own settings.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "designer/DesignerDialog.h"

class IDesignerUi;
class IGridControl;

// One border line of the preview: its line (0..7) or -1 when absent, the pen
// style, the width and the colour.
struct CBorderLine {
    int line = -1;
    int style = 0;
    int width = 0;
    COLORREF colour = 0;
};

// "数据类型": two radio buttons, "字符串" (0) and "数值" (1).
class CDataTypePage {
public:
    // Reads the focus cell's data type; any value but 0 and 1 selects neither.
    void Init(IGridControl* grid);
    // 0, 1, or -1 when neither button is selected.
    int m_nType = -1;
    // 0 for "字符串" or no choice, 1 for "数值".
    int GetDataType() const { return m_nType == 1 ? 1 : 0; }
    BOOL Changed() const { return m_nType != m_nInitial; }

private:
    int m_nInitial = -1;
};

// "格式化": the type list and "设置参数(&S)", which runs the format dialog of
// the selected type.
class CFormatPage {
public:
    static const int kTypeCount = 6;
    static const char* const kEntries[kTypeCount];
    static const char* const kTypeWords[kTypeCount];

    void Init(IGridControl* grid);
    // "设置参数(&S)": the dialog of the selected type, preset from the first
    // selected cell when it has that type; its text is kept on OK.
    void RunDialog(IDesignerUi& ui);
    const CString& GetFormatText() const { return m_strText; }
    BOOL Changed() const { return m_bConfirmed; }

    int m_nSelected = 0;

private:
    IGridControl* m_grid = nullptr;
    CString m_strText;
    BOOL m_bConfirmed = FALSE;
};

// "控件": the type list and "设置参数(&S)", which runs the control dialog of
// the selected type.
class CControlPage {
public:
    static const int kTypeCount = 10;
    static const char* const kEntries[kTypeCount];
    // The list index of a cell's control type; 0 for a type the list lacks
    // (tree, radio, formula).
    static int EntryOfType(LONG type);

    void Init(IGridControl* grid);
    // Whether "设置参数(&S)" is enabled: entries 1 to 8.
    BOOL CanSetParameters() const { return m_nSelected >= 1 && m_nSelected <= 8; }
    void RunDialog(IDesignerUi& ui);
    // "编辑框" gives the edit element, "超级编辑框" a rich-text cell; the
    // other entries the text of the cell or of the confirmed dialog.
    CString GetControlText() const;
    // Changed when a type dialog was confirmed, or "编辑框" or "超级编辑框"
    // was chosen in place of the cell's own type.
    BOOL Changed() const;

    int m_nSelected = 0;

private:
    IGridControl* m_grid = nullptr;
    int m_nInitial = 0;
    CString m_strText;
    BOOL m_bConfirmed = FALSE;
};

// "字体": face, style, size, character set, underline, strike-out and colour.
class CFontPage {
public:
    static const int kStyleCount = 4;
    static const char* const kStyles[kStyleCount];
    static const int kSizeCount = 15;
    static const char* const kSizes[kSizeCount];
    static const char* const kSampleText;

    void Init(IGridControl* grid);
    // The font attribute text, e.g.
    // <font charset ="134"  fontname = "宋体"  weight = "FW_BOLD" fontsize = "12" underline = "1"  >
    CString GetFontText() const;
    COLORREF GetTextColor() const { return m_crText; }
    // The whole points of the size text (ten and a half previews at 10).
    int PreviewPoints() const;
    BOOL FontChanged() const;
    BOOL ColourChanged() const { return m_crText != m_initial.m_crText; }

    CString m_strFace;
    int m_nStyle = 0;        // 0 "常规", 1 "粗体", 2 "斜体", 3 "粗体 斜体"
    CString m_strSize;
    int m_nCharset = 1;
    int m_nUnderline = 0;
    int m_nStrikeout = 0;
    COLORREF m_crText = 0;

private:
    struct Fields {
        CString face, size;
        int style = 0, charset = 1, underline = 0, strikeout = 0;
        COLORREF m_crText = 0;
    } m_initial;
};

// "边框": eight lines (top, bottom, left, right, the two diagonals and the
// two pairs of half diagonals) shown in a preview, each set with the line
// style and colour chosen at that moment.
class CBorderPage {
public:
    static const int kLineCount = 8;
    // The border flag of each line.
    static const LONG kLineFlags[kLineCount];
    // The line of a border flag; -1 for anything but one flag.
    static int LineOfFlag(LONG flag);

    // With a control: reads the first selected cell's lines.
    void Init(IGridControl* grid);
    // Without one: the mask and the records stored by flag order (1, 2, 4,
    // ... 128) that the binding dialogs hand over.
    void InitStored(int mask, const CBorderLine stored[kLineCount]);

    // The style box entry (0..6) and the colour new lines take.
    int m_nStyleIndex = 0;
    COLORREF m_crLine = 0;

    // A line button pressed in (on) or released.
    void SetLine(int line, BOOL on);
    // "外边框": the four edges.
    void Outer();
    // "清空": every line.
    void Clear();
    // Line i as (line, style, width, colour); a record with line -1 outside
    // 0..7.
    CBorderLine GetBorder(int i) const;
    int Mask() const { return m_nMask; }
    BOOL IsChecked(int line) const { return (m_nMask & kLineFlags[line]) != 0; }
    // The preview's change mark: -1 while reading, 0 after, 1 once the user
    // set or removed a line.
    int ChangeMark() const { return m_nChange; }
    BOOL Changed() const { return m_nChange == 1; }
    // The popup's OK: the lines stored back in flag order.
    void Store(CBorderLine stored[kLineCount]) const;

private:
    int m_nMask = 0;
    CBorderLine m_lines[kLineCount];
    int m_nChange = -1;
};

// "边框" on its own (template 281): the binding dialogs hand it a border mask
// and the records of the lines by flag order (1, 2, 4, ... 128), and read them
// back after OK.
const UINT kDlgBorderPopup = 281;

class CBorderPopupDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgBorderPopup; }

    int m_nMask = 0;
    CBorderLine m_records[CBorderPage::kLineCount];
    // The colour dialog the page's colour button opens (the caller's user
    // interface); without one the colour stays.
    IDesignerUi* m_pUi = nullptr;

    // The window opens: the page shows the mask and records.
    void Begin() { m_page.InitStored(m_nMask, m_records); }
    // OK: the page's lines become the mask and records.
    void Accept()
    {
        m_page.Store(m_records);
        m_nMask = m_page.Mask();
    }
    BOOL PickColour(COLORREF& colour);

    CBorderPage m_page;
};
