// The binding dialog (one binding: name, fill type, body binding, data
// source, start cell, automatic rows and columns, group-row settings) and
// the bound-field dialog (one field of a binding), with the settings the
// report wizard's binding and bound-field pages share with them.
#pragma once

#include "designer/DesignerDialog.h"
#include "designer/dialogs/DialogCheck.h"

class IGridControl;

enum : UINT {
    kDlgBindManager = 200,
    kDlgBind = 202,
    kDlgBindFieldManager = 204,
    kDlgBindField = 205,
    kIdcBindName = 1122,
    kIdcBindFillType = 1103,
    kIdcBindBody = 1104,
    kIdcBindConnection = 1105,
    kIdcBindDataSet = 1106,
    kIdcBindStartRow = 1038,
    kIdcBindStartCol = 1040,
    kIdcFieldName = 1103,
    kIdcFieldBindType = 1104,
    kIdcFieldSource = 1105,
    kIdcFieldRow = 1158,
    kIdcFieldCol = 1039,
    kIdcFieldSourceDataSet = 1109,
    kIdcFieldBindName = 1149,
};

// One side of a border: the side code (top 0, bottom 1, left 2, right 3;
// -1 none), line style, width and colour.
struct CSideBorder {
    LONG nSide = -1;
    LONG nStyle = 0;
    LONG nWidth = 1;
    COLORREF crColor = 0;
};

// Borders of a field or of group rows: the CellBorderFlags mask (left 1,
// top 2, right 4, bottom 8) and one record per side in that order.
struct CBorderSet {
    LONG nFlags = 0;
    CSideBorder sides[4];
};

struct CGroupRowFields {
    CString strName = " 分组合计 ";
    BOOL bAddColValue = FALSE;
    BOOL bReadOnly = FALSE;
    BOOL bBackColor = FALSE;
    COLORREF crBack = 0;
    BOOL bTextColor = FALSE;
    COLORREF crText = 0;
    CString strFormat;
    CString strFont;
    LONG nNameCol = -1;
    BOOL bBorder = FALSE;
    CBorderSet borders;
};

struct CBindFields {
    CString strName;
    int nFillType = 1;             // 0 header, 1 body, 2 footer
    CString strBodyBind;           // "" for none (only footers have one)
    CString strConnName;           // "" for "无"
    CString strDataSetName;        // "" for none chosen
    LONG nStartRow = -1;
    LONG nStartCol = -1;
    BOOL bAutoOpen = TRUE;         // "自动关联": fill after loading
    BOOL bAutoRow = TRUE;
    BOOL bAutoCol = FALSE;
    CGroupRowFields group;

    // "绑定名称不能为空!" (name), then "您已经选择了链接对象,
    // 需要选择对应的记录集." (data set) when a connection has no data set.
    CDialogCheck Check() const;
};

class CBindDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgBind; }
    int m_nMode = 1;               // 1 new, 0 change (the name is read-only)
    CBindFields m_data;
};

// Alignment of a bound field: horizontal 0 left, 1 centre, 2 right plus 0,
// 4 or 8 for top, centre, bottom.
LONG EncodeFieldAlign(int horizontal, int vertical);
void DecodeFieldAlign(LONG align, int& horizontal, int& vertical);

struct CFieldFields {
    CString strBindName;
    // The cell of the field being changed (-1: the row and column below);
    // a change may move the field to another cell.
    LONG nOrigRow = -1, nOrigCol = -1;
    CString strFieldName;
    int nBindType = 2;             // FieldBindType; -1 none chosen
    LONG nRow = 1;
    LONG nCol = 1;
    LONG nColWidth = -1;
    int nStatistics = 0;
    CString strFormat, strFont, strControl;
    BOOL bBackColor = FALSE;
    COLORREF crBack = 0;
    BOOL bTextColor = FALSE;
    COLORREF crText = 0;
    BOOL bBorder = FALSE;
    CBorderSet borders;
    int nHAlign = 0;
    int nVAlign = 0;
    int nDefType = 0;              // the list's index: 0 not set, 1 text, 2 number
    CString strDefValue;
    double dbDefValue = 0.0;
    CString strSourceConn;         // the list data source, "" for "无"
    CString strSourceDataSet;
    BOOL bGroup = FALSE, bMerge = FALSE, bReadOnly = FALSE, bWrap = FALSE, bEllipsis = FALSE;

    // In order: "绑定名称不能为空!", "绑定字段为空时 , 绑定类型不能为字段绑定类型!"
    // (bind type), "绑定类型不能为空!", "行号不能小于0!", "列号不能小于0!",
    // "您选择了数据源后,需要选择数据集!".
    CDialogCheck Check() const;
};

class CBindFieldDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgBindField; }
    int m_nMode = 1;               // 1 new, 0 change
    CFieldFields m_data;
};

class CBindManagerDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgBindManager; }
};

class CBindFieldManagerDlg : public CDesignerDialog {
public:
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller
    UINT DialogId() const override { return kDlgBindFieldManager; }
    BOOL m_bMakeMarkers = TRUE;    // "生成字段标识"
};
