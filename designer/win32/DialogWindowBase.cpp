// CDialogWindow: the modal resource dialog under every dialog model's window,
// with the number spins its dialog declares.
#include "designer/win32/DialogWindows.h"

#include <vector>

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

CNumberSpinWnd* CDialogWindow::AttachSpin(int spinId, int buddyId, double min, double max, double step,
                                          int decimals)
{
    if (m_hwnd == nullptr)
        return nullptr;
    CNumberSpinWnd* spin = Spin(spinId);
    if (spin == nullptr) {
        m_spins.push_back(std::make_unique<CNumberSpinWnd>());
        spin = m_spins.back().get();
    }
    // The rules first, so that attaching applies the range once.
    spin->Detach();
    spin->SetDecimals(decimals);
    spin->SetRange(min, max, step);
    if (!spin->Attach(m_hwnd, spinId, buddyId))
        return nullptr;
    return spin;
}

CNumberSpinWnd* CDialogWindow::Spin(int spinId) const
{
    for (const auto& spin : m_spins) {
        if (spin->SpinId() == spinId && spin->IsAttached())
            return spin.get();
    }
    return nullptr;
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
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr != nullptr && hdr->code == UDN_DELTAPOS) {
            for (const auto& spin : self->m_spins) {
                if (spin->Spin() == hdr->hwndFrom && spin->IsAttached()) {
                    const LRESULT r = spin->OnDeltaPos(*reinterpret_cast<const NMUPDOWN*>(lParam));
                    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, r);
                    return TRUE;
                }
            }
        }
        const INT_PTR r = self->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, r);
        return r != 0 ? TRUE : FALSE;
    }
    case WM_NCDESTROY: {
        const INT_PTR r = self->OnMessage(message, wParam, lParam);
        self->m_hwnd = nullptr;
        for (const auto& spin : self->m_spins)
            spin->Detach();
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        return r;
    }
    default:
        return self->OnMessage(message, wParam, lParam);
    }
}
