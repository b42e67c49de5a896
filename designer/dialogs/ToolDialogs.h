// The small value dialogs of the file, table and help menus: the caller sets
// the fields before showing the dialog and reads them after IDOK. Checks that
// decide whether OK may close a dialog are portable so that tests run them.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"

class IDesignerUi;

// Reads text as a whole decimal integer in [low, high]; false (value kept)
// for anything else: an empty text, signs where none are allowed, letters,
// digits past the range.
bool ParseIntInRange(const CString& text, long low, long high, long& value);
// The message shown when a number box holds something else.
CString RangeMessage(long low, long high);

// The password of an encrypted template (never shown).
class CPasswordDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 256; }
    CString m_strPassword;
};

// A template as one Base64 text: shown read-only when the caller fills the
// text (a saved template to copy), editable with its open password otherwise.
class CBase64StringDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 268; }
    bool IsShowOnly() const { return !m_strBase64.IsEmpty(); }
    CString m_strBase64;
    CString m_strPassword;
};

// The workbook to import, its sheet number and password.
class CImportExcelDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 257; }
    static const char* const kFilter;
    // The explanation beside the fields.
    static CString Explanation();
    // The import button's checks with their messages (caption "提示"); true
    // when the dialog may close with OK.
    bool Validate(IDesignerUi& ui) const;
    CString m_strPath;
    CString m_strSheet = "1";
    CString m_strPassword;
    // The user interface of the checks' boxes and the "..." file dialog.
    IDesignerUi* m_ui = nullptr;
};

// The four frozen edges; 0 unfreezes an edge.
class CFreezeDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 262; }
    long m_nTop = 0, m_nBottom = 0, m_nLeft = 0, m_nRight = 0;
};

// What a paste takes: 0 everything, 1 the data, 2 the formats.
class CPasteOptionsDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 267; }
    int m_nChoice = 0;
};

// The skin folder and the fixed area's four colours.
class CGridSkinDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 270; }
    CString m_strSkinDir;
    COLORREF m_crFixedBack = 0, m_crFixedSelBack = 0, m_crFixedLine = 0, m_crFixedSelLine = 0;
    // The user interface that shows the folder chooser of "...".
    IDesignerUi* m_ui = nullptr;
};

// A value for a cell of the fixed rows: row, column and text are only shown;
// every way of closing changes nothing.
class CCellValueDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 219; }
};

// The folder chooser: the start path in, the chosen path (ending with the
// separator) out.
class CSelectPathDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 216; }
    CString m_strPath;
};
