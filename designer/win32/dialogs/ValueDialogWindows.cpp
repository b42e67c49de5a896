// Windows of the value dialogs of the file and table menus: each shows its
// model's fields and takes them back on OK.
#include "designer/win32/dialogs/FileTableHelpWindows.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/ToolDialogs.h"
#include "designer/win32/ColourPicker.h"
#include "designer/win32/DialogWindows.h"

#include <commctrl.h>

#include <cstdlib>

namespace {

template <class Window, class Model>
DialogRunner Runner()
{
    return [](HWND owner, CDesignerDialog& model) {
        Window w(static_cast<Model&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    };
}

class CPasswordWindow : public CDialogWindow {
public:
    explicit CPasswordWindow(CPasswordDlg& m) : CDialogWindow(256), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        ::SetFocus(Item(1142));
        return FALSE;   // the password box keeps the focus
    }
    void OnOK() override
    {
        m_m.m_strPassword = GetItemText(1142);
        EndDialog(IDOK);
    }

private:
    CPasswordDlg& m_m;
};

class CBase64Window : public CDialogWindow {
public:
    explicit CBase64Window(CBase64StringDlg& m) : CDialogWindow(268), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        // No length limit: a template's text is often longer than an edit
        // box takes by default, and a pasted text must never be cut.
        ::SendMessageA(Item(1142), EM_SETLIMITTEXT, 0, 0);
        SetItemText(1142, m_m.m_strBase64);
        if (m_m.IsShowOnly()) {
            ::SendMessageA(Item(1142), EM_SETREADONLY, TRUE, 0);
            ::EnableWindow(Item(1145), FALSE);
        }
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1129 || id == IDOK) {
            m_m.m_strBase64 = GetItemText(1142);
            m_m.m_strPassword = GetItemText(1145);
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1130 || id == IDCANCEL) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    CBase64StringDlg& m_m;
};

class CImportExcelWindow : public CDialogWindow {
public:
    explicit CImportExcelWindow(CImportExcelDlg& m) : CDialogWindow(257), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        for (const char* n : {"1", "2", "3", "4"})
            ::SendMessageA(Item(1180), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n));
        SetItemText(1142, m_m.m_strPath);
        SetItemText(1180, m_m.m_strSheet);
        SetItemText(1181, CImportExcelDlg::Explanation());
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1182 && m_m.m_ui != nullptr) {
            const CString path = m_m.m_ui->AskOpenFile(CImportExcelDlg::kFilter, "*.xls");
            if (!path.IsEmpty())
                SetItemText(1142, path);
            return TRUE;
        }
        if (id == 1148 || id == IDOK) {
            CImportExcelDlg check = m_m;
            check.m_strPath = GetItemText(1142);
            check.m_strSheet = SheetText();
            check.m_strPassword = GetItemText(1143);
            if (m_m.m_ui != nullptr && !check.Validate(*m_m.m_ui))
                return TRUE;
            m_m = check;
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1130 || id == IDCANCEL) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    CString SheetText() const
    {
        const LRESULT sel = ::SendMessageA(Item(1180), CB_GETCURSEL, 0, 0);
        char text[64] = {0};
        if (sel != CB_ERR && ::GetWindowTextLengthA(Item(1180)) == 0)
            ::SendMessageA(Item(1180), CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
        else
            ::GetWindowTextA(Item(1180), text, sizeof(text));
        return CString(text);
    }
    CImportExcelDlg& m_m;
};

// Reads a number box; shows the range message and keeps the dialog open when
// the text is not a number in range.
bool ReadNumber(CDialogWindow& w, int id, long low, long high, long& value)
{
    if (ParseIntInRange(w.GetItemText(id), low, high, value))
        return true;
    ::MessageBoxA(w.Hwnd(), RangeMessage(low, high), "提示", MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(w.Item(id));
    ::SendMessageA(w.Item(id), EM_SETSEL, 0, -1);
    return false;
}

CString Number(long n)
{
    CString s;
    s.Format("%ld", n);
    return s;
}

class CFreezeWindow : public CDialogWindow {
public:
    explicit CFreezeWindow(CFreezeDlg& m) : CDialogWindow(262), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(1142, Number(m_m.m_nTop));
        SetItemText(1143, Number(m_m.m_nBottom));
        SetItemText(1144, Number(m_m.m_nLeft));
        SetItemText(1145, Number(m_m.m_nRight));
        return TRUE;
    }
    void OnOK() override
    {
        long v[4] = {0, 0, 0, 0};
        for (int i = 0; i < 4; ++i)
            if (!ReadNumber(*this, 1142 + i, 0, 0x7FFFFFFF, v[i]))
                return;
        m_m.m_nTop = v[0];
        m_m.m_nBottom = v[1];
        m_m.m_nLeft = v[2];
        m_m.m_nRight = v[3];
        EndDialog(IDOK);
    }

private:
    CFreezeDlg& m_m;
};

class CPasteOptionsWindow : public CDialogWindow {
public:
    explicit CPasteOptionsWindow(CPasteOptionsDlg& m) : CDialogWindow(267), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        const int choice = m_m.m_nChoice >= 0 && m_m.m_nChoice <= 2 ? m_m.m_nChoice : 0;
        ::CheckRadioButton(Hwnd(), 1188, 1190, 1188 + choice);
        return TRUE;
    }
    void OnOK() override
    {
        for (int i = 0; i < 3; ++i)
            if (GetCheck(1188 + i) == BST_CHECKED)
                m_m.m_nChoice = i;
        EndDialog(IDOK);
    }

private:
    CPasteOptionsDlg& m_m;
};

class CGridSkinWindow : public CDialogWindow {
public:
    explicit CGridSkinWindow(CGridSkinDlg& m) : CDialogWindow(270), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(1142, m_m.m_strSkinDir);
        const struct {
            CXColourPicker* picker;
            UINT id;
            COLORREF colour;
        } pickers[] = {{&m_back, 1190, m_m.m_crFixedBack},
                       {&m_selBack, 1038, m_m.m_crFixedSelBack},
                       {&m_line, 1039, m_m.m_crFixedLine},
                       {&m_selLine, 1040, m_m.m_crFixedSelLine}};
        for (const auto& p : pickers) {
            p.picker->SubclassDlgItem(p.id, Hwnd());
            p.picker->SetColour(p.colour);
        }
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1144 && m_m.m_ui != nullptr) {
            CSelectPathDlg chooser;
            chooser.m_strPath = GetItemText(1142);
            if (m_m.m_ui->DoModal(chooser) == IDOK)
                SetItemText(1142, chooser.m_strPath);
            return TRUE;
        }
        if (id == 1129 || id == IDOK) {
            m_m.m_strSkinDir = GetItemText(1142);
            m_m.m_crFixedBack = m_back.GetColour();
            m_m.m_crFixedSelBack = m_selBack.GetColour();
            m_m.m_crFixedLine = m_line.GetColour();
            m_m.m_crFixedSelLine = m_selLine.GetColour();
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1130 || id == IDCANCEL) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    CGridSkinDlg& m_m;
    CXColourPicker m_back, m_selBack, m_line, m_selLine;
};

// Its fields set nothing; OK, Cancel, Enter, Esc and the close box all end
// it, changing nothing.
class CCellValueWindow : public CDialogWindow {
public:
    explicit CCellValueWindow(CCellValueDlg&) : CDialogWindow(219) {}

protected:
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1143 || id == IDOK) {
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1144 || id == IDCANCEL) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }
};

}  // namespace

void RegisterValueDialogWindows()
{
    RegisterDialogWindow(256, Runner<CPasswordWindow, CPasswordDlg>());
    RegisterDialogWindow(268, Runner<CBase64Window, CBase64StringDlg>());
    RegisterDialogWindow(257, Runner<CImportExcelWindow, CImportExcelDlg>());
    RegisterDialogWindow(262, Runner<CFreezeWindow, CFreezeDlg>());
    RegisterDialogWindow(267, Runner<CPasteOptionsWindow, CPasteOptionsDlg>());
    RegisterDialogWindow(270, Runner<CGridSkinWindow, CGridSkinDlg>());
    RegisterDialogWindow(219, Runner<CCellValueWindow, CCellValueDlg>());
}
