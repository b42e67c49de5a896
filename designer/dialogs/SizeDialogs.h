// The value dialogs of the row and column commands: column width (131),
// row height (130), column count (144), row count (143) and the row-tree
// properties (186). The caller presets the values, shows the dialog and reads
// them back after IDOK; the window checks each number against its range.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"

// A dialog holding one integer within [minimum, maximum].
class CIntValueDlg : public CDesignerDialog {
public:
    CIntValueDlg(UINT id, long minimum, long maximum) : m_id(id), m_min(minimum), m_max(maximum) {}
    UINT DialogId() const override { return m_id; }
    long Minimum() const { return m_min; }
    long Maximum() const { return m_max; }
    // Takes the text of the edit: TRUE and the value when it is an integer
    // within the range; FALSE and the message to show otherwise (the value
    // is left alone).
    BOOL Accept(const CString& text, CString& message);

    long m_nValue = 0;

private:
    UINT m_id;
    long m_min, m_max;
};

class CColumnWidthDlg : public CIntValueDlg {
public:
    static const UINT IDD = 131;
    CColumnWidthDlg() : CIntValueDlg(IDD, 0, 1024) {}
};

class CRowHeightDlg : public CIntValueDlg {
public:
    static const UINT IDD = 130;
    CRowHeightDlg() : CIntValueDlg(IDD, 0, 1024) {}
};

class CColumnCountDlg : public CIntValueDlg {
public:
    static const UINT IDD = 144;
    CColumnCountDlg() : CIntValueDlg(IDD, 0, 1000) {}
};

class CRowCountDlg : public CIntValueDlg {
public:
    static const UINT IDD = 143;
    CRowCountDlg() : CIntValueDlg(IDD, 0, 100000) {}
};

// The look of a row tree: its check-box size (10 to 30), the tree-line,
// box-line and box background colours and whether boxes and lines show.
class CRowTreePropertiesDlg : public CDesignerDialog {
public:
    static const UINT IDD = 186;
    UINT DialogId() const override { return IDD; }
    // Takes the size edit's text as Accept above does.
    BOOL AcceptBoxSize(const CString& text, CString& message);

    long m_nBoxSize = 13;
    COLORREF m_crLine = 8684164;      // RGB 132, 130, 132
    COLORREF m_crBoxLine = 8684164;
    COLORREF m_crBoxBg = 0xFFFFFF;
    BOOL m_bShowRect = TRUE;
    BOOL m_bShowLine = TRUE;
};

// The integer of an edit's text: blanks around a decimal number with an
// optional sign, nothing else; FALSE for anything else or a number beyond
// the long range.
BOOL ParseIntegerText(const CString& text, long& value);
