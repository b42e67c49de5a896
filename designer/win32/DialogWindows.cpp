#include "designer/win32/DialogWindows.h"

#include <map>
#include <vector>

namespace {

std::map<UINT, DialogRunner>& Runners()
{
    static auto* runners = new std::map<UINT, DialogRunner>;
    return *runners;
}

void RegisterFamilies()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterFileTableHelpDialogWindows();
    RegisterEditingDialogWindows();
    RegisterCellControlDialogWindows();
    RegisterDatabaseDialogWindows();
}

}  // namespace

void RegisterDialogWindow(UINT dialogId, DialogRunner run)
{
    Runners()[dialogId] = std::move(run);
}

int RunDialogWindow(HWND owner, CDesignerDialog& model)
{
    RegisterFamilies();
    const auto it = Runners().find(model.DialogId());
    if (it == Runners().end() || !it->second)
        return IDCANCEL;
    return it->second(owner, model);
}

INT_PTR CDialogWindow::DoModal(HWND owner)
{
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_resourceId), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

CString CDialogWindow::GetItemText(int id) const
{
    HWND item = Item(id);
    if (item == nullptr)
        return CString();
    const int n = ::GetWindowTextLengthA(item);
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
    ::GetWindowTextA(item, buf.data(), n + 1);
    return CString(buf.data());
}

void CDialogWindow::SetItemText(int id, const CString& text)
{
    ::SetDlgItemTextA(m_hwnd, id, text.GetString());
}

int CDialogWindow::GetCheck(int id) const
{
    return static_cast<int>(::IsDlgButtonChecked(m_hwnd, id));
}

void CDialogWindow::SetCheck(int id, int state)
{
    ::CheckDlgButton(m_hwnd, id, static_cast<UINT>(state));
}

void CDialogWindow::EndDialog(int result)
{
    if (m_hwnd != nullptr)
        ::EndDialog(m_hwnd, result);
}

BOOL CDialogWindow::OnCommand(UINT id, UINT, HWND)
{
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialogWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialogWindow* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogWindow*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->m_hwnd = hwnd;
        return self->OnInitDialog();
    }
    self = reinterpret_cast<CDialogWindow*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        const INT_PTR r = self->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, r);
        return r != 0 ? TRUE : FALSE;
    }
    case WM_NCDESTROY: {
        const INT_PTR r = self->OnMessage(message, wParam, lParam);
        self->m_hwnd = nullptr;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        return r;
    }
    default:
        return self->OnMessage(message, wParam, lParam);
    }
}
