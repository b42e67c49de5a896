// "属性": the cell-properties dialog. Its five pages read the cells when it
// opens; OK writes what the user changed on them into every selected cell,
// each setting only where it differs from what the cell has.
#pragma once

#include "designer/DesignerDialog.h"
#include "designer/dialogs/CellPropertyPages.h"

const UINT kDlgCellProperties = 132;

class CCellPropertiesDlg : public CDesignerDialog {
public:
    static const int kPageCount = 5;
    // Tab captions, left to right.
    static const char* const kTabs[kPageCount];

    // The control may be null: the pages then show their defaults and OK
    // writes nothing.
    CCellPropertiesDlg(IGridControl* grid, IDesignerUi& ui);
    UINT DialogId() const override { return kDlgCellProperties; }

    CDataTypePage m_dataType;
    CFormatPage m_format;
    CControlPage m_control;
    CFontPage m_font;
    CBorderPage m_border;

    // The pages' "设置参数(&S)" buttons.
    void SetFormatParameters() { m_format.RunDialog(m_ui); }
    void SetControlParameters() { m_control.RunDialog(m_ui); }

    // OK: takes the results from the pages and writes the changed ones into
    // the selected cells (the cells of a range selection row by row, else
    // the list of selected cells).
    void OnOK();

    // The results, valid after OK.
    CString GetFontText() const { return m_font.GetFontText(); }
    COLORREF GetTextColor() const { return m_font.GetTextColor(); }
    int GetDataType() const { return m_dataType.GetDataType(); }
    CString GetFormatText() const { return m_format.GetFormatText(); }
    CString GetControlText() const { return m_control.GetControlText(); }
    CBorderLine GetBorder(int i) const { return m_border.GetBorder(i); }

    IDesignerUi& Ui() { return m_ui; }

    // Writes the changed settings into one cell.
    void ApplyToCell(LONG row, LONG col);

private:
    IGridControl* m_grid;
    IDesignerUi& m_ui;
};
