#include "designer/dialogs/CellPropertiesDialog.h"

#include "designer/GridControl.gen.h"

const char* const CCellPropertiesDlg::kTabs[kPageCount] = {"数据类型", "格式化", "控件", "字体", "边框"};

CCellPropertiesDlg::CCellPropertiesDlg(IGridControl* grid, IDesignerUi& ui) : m_grid(grid), m_ui(ui)
{
    m_dataType.Init(grid);
    m_font.Init(grid);
    m_control.Init(grid);
    m_format.Init(grid);
    m_border.Init(grid);
}

void CCellPropertiesDlg::ApplyToCell(LONG row, LONG col)
{
    IGridControl& grid = *m_grid;
    if (m_dataType.Changed() && grid.CellGetDataType(row, col) != GetDataType())
        grid.CellSetDateType(row, col, GetDataType());
    if (m_format.Changed() && grid.CellGetTextFormat(row, col) != GetFormatText())
        grid.CellSetTextFormat(row, col, GetFormatText());
    if (m_control.Changed() && grid.CellGetControl(row, col) != GetControlText())
        grid.CellSetControl(row, col, GetControlText());
    if (m_font.FontChanged() && grid.CellGetTextFont(row, col) != GetFontText())
        grid.CellSetTextFont(row, col, GetFontText());
    if (m_font.ColourChanged() && static_cast<COLORREF>(grid.CellGetTextColor(row, col)) != GetTextColor())
        grid.CellSetTextColor(row, col, static_cast<LONG>(GetTextColor()));
    if (m_border.Changed()) {
        grid.CellDelBorder(row, col, 255);
        for (int i = 0; i < CBorderPage::kLineCount; ++i) {
            const CBorderLine line = GetBorder(i);
            if (line.line >= 0)
                grid.CellSetBorder(row, col, CBorderPage::kLineFlags[i], line.style, static_cast<LONG>(line.colour),
                                   line.width);
        }
    }
}

void CCellPropertiesDlg::OnOK()
{
    if (m_grid == nullptr)
        return;
    IGridControl& grid = *m_grid;
    LONG row = 0, col = 0;
    if (grid.GridGetSelectedCell(0, row, col) && grid.GridGetSelectedCount() > 0) {
        if (grid.GridGetCurSelectType() != 0) {
            LONG r1 = 0, c1 = 0, r2 = -1, c2 = -1;
            if (grid.GridGetSelectRange(r1, c1, r2, c2) && r1 <= r2)
                for (LONG r = r1; r <= r2; ++r)
                    for (LONG c = c1; c <= c2; ++c)
                        ApplyToCell(r, c);
        } else {
            const LONG n = grid.GridGetSelectedCount();
            for (LONG i = 0; i < n; ++i)
                if (grid.GridGetSelectedCell(i, row, col))
                    ApplyToCell(row, col);
        }
    }
    grid.GridSetFocus();
}
