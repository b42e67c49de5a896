// The control-type dialogs: each holds the options of one in-cell control,
// builds the cell's "control" attribute text from them on OK and reads a
// cell's existing control attributes back into them (one reader per type,
// shared by the control-type commands and the cell-properties dialog's
// control page).
//
// Texts keep the exact blanks the control library's attribute parser has
// always been given: the opening "<control controltype = "TYPE"", every
// attribute with a blank on each side, and " ></control>".
#pragma once

#include "designer/dialogs/AttributeDialog.h"

#include <vector>

// Dialog identifiers.
const UINT kDlgNumericControl = 157;
const UINT kDlgButtonControl = 159;
const UINT kDlgCheckBoxControl = 161;
const UINT kDlgComboBoxControl = 163;
const UINT kDlgComboCheckControl = 165;
const UINT kDlgDateTimeControl = 167;
const UINT kDlgUrlControl = 169;
const UINT kDlgImageControl = 263;

// The pictures of a control's picture list, by id in list order.
std::vector<LONG> ListPictureIds(IGridControl& grid);

class CUrlControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgUrlControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);

    int m_nOpenUrl = 1;          // 1080 "是否可以打开"
    int m_nOpenMode = 0;         // 1079: 0 single click, 1 double click
    COLORREF m_crUrl = 32768;    // 1082
    CString m_strUrl;            // 1084 "链接地址"
    CString m_strDisplay;        // 1083 "显示内容": the cell's value, not in the text

    CUrlControlDlg();

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CButtonControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgButtonControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);
    // Lists the pictures of the control (the five picture boxes); the
    // control is kept for the picture-list dialog the window opens.
    void LoadPictures(IGridControl& grid)
    {
        m_pGrid = &grid;
        m_pictureIds = ListPictureIds(grid);
    }
    IGridControl* m_pGrid = nullptr;

    CString m_strText = "...";   // 1143
    int m_nAlign = 2;            // 1103: 0 left, 1 centre, 2 right
    int m_nTextVert = 1;         // 1111: 0 top, 1 centre, 2 bottom
    int m_nTextHorz = 1;         // 1104: 0 left, 1 centre, 2 right
    int m_nWidth = 22;           // 1001
    int m_nDisable = 0;          // 1152
    int m_nLeaveType = 1;        // 1153
    int m_nTextImagePos = 3;     // 1105: list index 0..3, written as 1..4
    LONG m_nImages[5] = {-1, -1, -1, -1, -1};  // picture ids; -1 none
    std::vector<LONG> m_pictureIds;             // the boxes' entries

    static const char* const kImageKeys[5];

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CCheckBoxControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgCheckBoxControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);

    int m_nStyle = 2;            // 1034: 0 "3D", 1 "平面", 2 "XP"
    int m_nCheck = 0;            // 1062
    int m_nEnable = 1;           // 1063
    int m_nSize = 13;            // 1068: 10..30
    int m_nVert = 0;             // 1069: 0 top, 1 centre, 2 bottom
    int m_nHorz = 0;             // 1067: 0 left, 1 centre, 2 right
    int m_nShowText = 1;         // 1152
    COLORREF m_crSide = RGB(133, 153, 185);
    COLORREF m_crTick = RGB(255, 170, 21);
    COLORREF m_crBack = RGB(255, 250, 250);

    // The cell's box position bits: 2 centre and 4 right across, 8 centre
    // and 16 bottom down; left and top add nothing.
    int AlignBits() const;

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CComboBoxControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgComboBoxControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);

    int m_nStyle = 0;            // 1071: 0 editable, 1 read-only
    std::vector<CString> m_items; // the item list (1074)
    int m_nListHeight = 100;     // 1075: 100..500
    int m_nMatch = 1;            // 1072
    int m_nLeaveType = 1;        // 1073
    int m_nAutoDrop = 1;         // 1077 (1078 in the multi-check dialog)

    // The items of a data source: split at every newline, empty pieces
    // dropped.
    static std::vector<CString> SplitItems(const CString& source);
    CString DataSource() const;

protected:
    explicit CComboBoxControlDlg(const char* type) : m_type(type) {}
    BOOL Validate(IDesignerUi& ui) override;
    CString BuildPieces() const;
    const char* m_type;

public:
    CComboBoxControlDlg() : m_type("combobox") {}
};

class CComboCheckControlDlg : public CComboBoxControlDlg {
public:
    CComboCheckControlDlg() : CComboBoxControlDlg("combocheck") {}
    UINT DialogId() const override { return kDlgComboCheckControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);

    CString m_strSeparator = ",";  // 1077; empty is written as ","

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CDateTimeControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgDateTimeControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);
    // The separator entries of a date type: 0 date, 1 time.
    static std::vector<CString> Separators(int dateType);

    int m_nType = 0;             // 1079: 0 date, 1 time
    int m_nFormat = 1;           // 1080: 0 short, 1 long
    int m_nSeparator = 0;        // 1081
    int m_nLeaveType = 1;        // 1073

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CImageControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgImageControl; }
    CString BuildText() const override;
    void Read(const AttrGetter& get);
    void LoadPictures(IGridControl& grid)
    {
        m_pGrid = &grid;
        m_pictureIds = ListPictureIds(grid);
    }
    IGridControl* m_pGrid = nullptr;

    LONG m_nPicture = -1;        // 1103: the chosen picture's id; -1 none
    int m_nSizeType = 0;         // 1104: 0 actual, 1 custom, 2 stretch, 3 thumbnail
    int m_nHeight = 0;           // 1000
    int m_nWidth = 0;            // 1001
    int m_nOffsetLeft = 0, m_nOffsetTop = 0, m_nOffsetRight = 0, m_nOffsetBottom = 0;  // 1142..1145
    int m_nVert = 0;             // 1068: 0 top, 1 centre, 2 bottom
    int m_nHorz = 0;             // 1187: 0 left, 1 centre, 2 right
    std::vector<LONG> m_pictureIds;

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CNumericControlDlg : public CAttributeDialog {
public:
    UINT DialogId() const override { return kDlgNumericControl; }
    CString BuildText() const override;
    // Reads a numeric cell's attributes; the limits are 0 and 1000 when the
    // cell has no limit.
    void Read(const AttrGetter& get);

    int m_nInputType = -1;       // 1049: -1 none, 0 integer, 1 floating point
    int m_nLimit = 0;            // 1050
    double m_dMin = 0.0;         // 1051
    double m_dMax = 0.0;         // 1052

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

// The edit element every plain cell carries.
extern const char* const kEditControlText;
// A rich-text cell.
extern const char* const kRichTextControlText;
