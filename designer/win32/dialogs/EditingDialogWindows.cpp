// Windows of the dialogs of the editing commands: the size and count
// dialogs, the row-tree properties and the formula dialogs.
#include "designer/win32/ColourPicker.h"
#include "designer/win32/DialogWindows.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/FormulaDialogs.h"
#include "designer/dialogs/SizeDialogs.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Message boxes over the dialog itself.
class CDialogMessages : public IDesignerUi {
public:
    explicit CDialogMessages(const CDialogWindow& dlg) : m_dlg(dlg) {}
    int MessageBox(const CString& text, const CString& caption, UINT type) override
    {
        return ::MessageBoxA(m_dlg.Hwnd(), text, caption, type);
    }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }

private:
    const CDialogWindow& m_dlg;
};

void FocusAndSelect(HWND edit)
{
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

// One number in one edit; OK checks its range.
class CIntValueWindow : public CDialogWindow {
public:
    CIntValueWindow(CIntValueDlg& model, int edit) : CDialogWindow(model.DialogId()), m_model(model), m_edit(edit) {}

protected:
    BOOL OnInitDialog() override
    {
        CString text;
        text.Format("%ld", m_model.m_nValue);
        SetItemText(m_edit, text);
        FocusAndSelect(Item(m_edit));
        return FALSE;
    }
    void OnOK() override
    {
        CString message;
        if (!m_model.Accept(GetItemText(m_edit), message)) {
            ::MessageBoxA(Hwnd(), message, "提示", MB_OK | MB_ICONEXCLAMATION);
            FocusAndSelect(Item(m_edit));
            return;
        }
        EndDialog(IDOK);
    }

private:
    CIntValueDlg& m_model;
    int m_edit;
};

int RunIntValue(HWND owner, CDesignerDialog& model, int edit)
{
    CIntValueWindow w(static_cast<CIntValueDlg&>(model), edit);
    return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
}

// The row-tree properties: the size with its spin button, three colour
// pickers (the palette, with the colour dialog behind "Custom..."), two
// checks.
class CRowTreePropertiesWindow : public CDialogWindow {
public:
    explicit CRowTreePropertiesWindow(CRowTreePropertiesDlg& model)
        : CDialogWindow(CRowTreePropertiesDlg::IDD), m_model(model)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        // The size steps by 1 from 10 to 30; the size given is shown as it
        // is, also outside that range (OK then refuses it).
        CString text;
        text.Format("%ld", m_model.m_nBoxSize);
        if (CNumberSpinWnd* spin = AttachSpin(1119, 1042, 10, 30, 1, 0))
            spin->SetValue(static_cast<double>(m_model.m_nBoxSize));
        SetItemText(1042, text);
        const struct {
            CXColourPicker* picker;
            UINT id;
            COLORREF colour;
        } pickers[] = {{&m_line, 1041, m_model.m_crLine},
                       {&m_boxLine, 1043, m_model.m_crBoxLine},
                       {&m_boxBg, 1046, m_model.m_crBoxBg}};
        for (const auto& p : pickers) {
            p.picker->SubclassDlgItem(p.id, Hwnd());
            p.picker->SetColour(p.colour);
        }
        SetCheck(1044, m_model.m_bShowRect ? BST_CHECKED : BST_UNCHECKED);
        SetCheck(1045, m_model.m_bShowLine ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    void OnOK() override
    {
        CString message;
        if (!m_model.AcceptBoxSize(GetItemText(1042), message)) {
            ::MessageBoxA(Hwnd(), message, "提示", MB_OK | MB_ICONEXCLAMATION);
            FocusAndSelect(Item(1042));
            return;
        }
        m_model.m_crLine = m_line.GetColour();
        m_model.m_crBoxLine = m_boxLine.GetColour();
        m_model.m_crBoxBg = m_boxBg.GetColour();
        m_model.m_bShowRect = GetCheck(1044) == BST_CHECKED;
        m_model.m_bShowLine = GetCheck(1045) == BST_CHECKED;
        EndDialog(IDOK);
    }

private:
    CRowTreePropertiesDlg& m_model;
    CXColourPicker m_line, m_boxLine, m_boxBg;
};

class CAddUserConstWindow : public CDialogWindow {
public:
    explicit CAddUserConstWindow(CAddUserConstDlg& model) : CDialogWindow(CAddUserConstDlg::IDD), m_model(model), m_ui(*this)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        m_model.SetMessageUi(m_ui);
        Show();
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1016 || id == IDOK) {
            m_model.m_strName = GetItemText(1166);
            const CString text = GetItemText(1143);
            char* end = nullptr;
            const double v = std::strtod(text.GetString(), &end);
            if (text.IsEmpty() || end == nullptr || *end != '\0' || !std::isfinite(v)) {
                ::MessageBoxA(Hwnd(), "请输入一个数值。", "提示", MB_OK | MB_ICONINFORMATION);
                FocusAndSelect(Item(1143));
                return TRUE;
            }
            m_model.m_dValue = v;
            m_model.Add();
            Show();
            FocusAndSelect(Item(1166));
            return TRUE;
        }
        if (id == 1149) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    void Show()
    {
        SetItemText(1166, m_model.m_strName);
        CString value;
        value.Format("%g", m_model.m_dValue);
        SetItemText(1143, value);
    }
    CAddUserConstDlg& m_model;
    CDialogMessages m_ui;
};

class CAddUserFunctionWindow : public CDialogWindow {
public:
    explicit CAddUserFunctionWindow(CAddUserFunctionDlg& model)
        : CDialogWindow(CAddUserFunctionDlg::IDD), m_model(model), m_ui(*this)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        m_model.SetMessageUi(m_ui);
        ::SendMessageA(Item(1142), EM_LIMITTEXT, CAddUserFunctionDlg::kMaxName, 0);
        SetItemText(1142, m_model.m_strName);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1016 || id == IDOK) {
            m_model.m_strName = GetItemText(1142);
            m_model.Add();
            FocusAndSelect(Item(1142));
            return TRUE;
        }
        if (id == 1149) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    CAddUserFunctionDlg& m_model;
    CDialogMessages m_ui;
};

// The two list dialogs: a kind box and the list of that kind.
class CFormulaListWindow : public CDialogWindow {
public:
    CFormulaListWindow(CFormulaListBase& model, int kindBox, int list, int okButton)
        : CDialogWindow(model.DialogId()), m_model(model), m_kindBox(kindBox), m_list(list), m_ok(okButton)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        for (const char* kind : kFormulaKindNames)
            ::SendMessageA(Item(m_kindBox), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
        ::SendMessageA(Item(m_kindBox), CB_SETCURSEL, 0, 0);
        Refill(0);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (static_cast<int>(id) == m_kindBox && code == CBN_SELCHANGE) {
            const int kind = static_cast<int>(::SendMessageA(Item(m_kindBox), CB_GETCURSEL, 0, 0));
            Refill(kind < 0 ? 0 : kind);
            return TRUE;
        }
        if (static_cast<int>(id) == m_ok || id == IDOK || (static_cast<int>(id) == m_list && code == LBN_DBLCLK)) {
            if (static_cast<int>(id) == m_list && m_model.DialogId() != CFormulaListDlg::IDD)
                return TRUE;
            Choose();
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1149) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    void Refill(int kind)
    {
        m_model.Fill(kind);
        HWND list = Item(m_list);
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const CString& entry : m_model.m_entries)
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.GetString()));
    }
    void Choose()
    {
        if (m_model.DialogId() != CFormulaListDlg::IDD)
            return;
        const LRESULT sel = ::SendMessageA(Item(m_list), LB_GETCURSEL, 0, 0);
        auto& functions = static_cast<CFormulaListDlg&>(m_model);
        if (sel >= 0 && static_cast<size_t>(sel) < m_model.m_entries.size())
            functions.m_strSelected = m_model.m_entries[static_cast<size_t>(sel)];
        else
            functions.m_strSelected.Empty();
    }
    CFormulaListBase& m_model;
    int m_kindBox, m_list, m_ok;
};

}  // namespace

void RegisterEditingDialogWindows()
{
    RegisterDialogWindow(CColumnWidthDlg::IDD, [](HWND owner, CDesignerDialog& m) { return RunIntValue(owner, m, 1001); });
    RegisterDialogWindow(CRowHeightDlg::IDD, [](HWND owner, CDesignerDialog& m) { return RunIntValue(owner, m, 1000); });
    RegisterDialogWindow(CColumnCountDlg::IDD, [](HWND owner, CDesignerDialog& m) { return RunIntValue(owner, m, 1036); });
    RegisterDialogWindow(CRowCountDlg::IDD, [](HWND owner, CDesignerDialog& m) { return RunIntValue(owner, m, 1035); });
    RegisterDialogWindow(CRowTreePropertiesDlg::IDD, [](HWND owner, CDesignerDialog& m) {
        CRowTreePropertiesWindow w(static_cast<CRowTreePropertiesDlg&>(m));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(CAddUserConstDlg::IDD, [](HWND owner, CDesignerDialog& m) {
        CAddUserConstWindow w(static_cast<CAddUserConstDlg&>(m));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(CAddUserFunctionDlg::IDD, [](HWND owner, CDesignerDialog& m) {
        CAddUserFunctionWindow w(static_cast<CAddUserFunctionDlg&>(m));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(CConstantListDlg::IDD, [](HWND owner, CDesignerDialog& m) {
        CFormulaListWindow w(static_cast<CFormulaListBase&>(m), 1164, 1165, 1129);
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(CFormulaListDlg::IDD, [](HWND owner, CDesignerDialog& m) {
        CFormulaListWindow w(static_cast<CFormulaListBase&>(m), 1103, 1162, 1163);
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
