// "表格属性": the sheet-wide settings of the control, read from it when the
// dialog opens and written back on OK in one fixed order.
#pragma once

#include "base/WinTypes.h"
#include "designer/DesignerDialog.h"


class IGridControl;

const UINT kDlgGridProperties = 142;

class CGridPropertiesDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgGridProperties; }

    // Reads every setting from the control; without one the defaults stay.
    void Load(IGridControl* grid);
    // OK: writes every setting into the control (nothing without one).
    void Apply();

    // Whether the control handed out its default-setting record, which
    // holds the whole-sheet read-only mark (without it the check is shown
    // off and not written).
    BOOL EditableKnown() const { return m_bEditableKnown; }

    int m_bClickHeaderSort = 0;    // 1032
    int m_bColumnResize = 0;       // 1035
    int m_bRowResize = 0;          // 1033
    int m_bAutoSizeRow = 0;        // 1152
    int m_bDrawFreezeLine = 0;     // 1156
    int m_bDrawFreezeBlankLine = 0;  // 1157
    int m_bAllowCopy = 0;          // 1153
    int m_bAllowCut = 0;           // 1154
    int m_bAllowPaste = 0;         // 1155
    int m_bAllowDragAndDrop = 0;   // 1158
    int m_bAllowDragRow = 0;       // 1160
    int m_bAllowDragCol = 0;       // 1161
    int m_bReadOnly = 0;           // 1159 "全表只读"
    COLORREF m_crVirtualLine = 0;  // 1037
    COLORREF m_crBack = 0;         // 1038
    COLORREF m_crSelBack = 0;      // 1022
    COLORREF m_crCellBack = 0xFFFFFF;  // 1042
    COLORREF m_crCellText = 0;     // 1043
    int m_nDisplayMode = 0;        // 1044: 0 "0-Excel2002", 1 "1-Excel2007"
    int m_nSelectMode = 0;         // 1036
    int m_nDisplayStyle = 0;       // 1039: 0 flat, 1 3-D
    int m_nVirtualLineStyle = 0;   // 1034
    int m_nSelBoxWidth = 0;        // 1041: index of the widths 0, 2, 3

private:
    IGridControl* m_grid = nullptr;
    BOOL m_bEditableKnown = FALSE;
};
