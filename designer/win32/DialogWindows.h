// The windows of the designer's dialog models: each command family registers
// a runner per dialog identifier, and the user interface's DoModal finds it
// there. CDialogWindow is the small base of a modal resource dialog: the
// dialog procedure hands its messages to the object's virtual members.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"
#include "designer/win32/NumberSpinWnd.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

// Shows the window of a model modally over owner; answers IDOK or IDCANCEL.
using DialogRunner = std::function<int(HWND owner, CDesignerDialog& model)>;

void RegisterDialogWindow(UINT dialogId, DialogRunner run);
// IDCANCEL when no window is registered for the model.
int RunDialogWindow(HWND owner, CDesignerDialog& model);

// Each command family registers its dialogs' windows (win32/dialogs/).
void RegisterFileTableHelpDialogWindows();
void RegisterEditingDialogWindows();
void RegisterCellControlDialogWindows();
void RegisterDatabaseDialogWindows();

class CDialogWindow {
public:
    explicit CDialogWindow(UINT resourceId) : m_resourceId(resourceId) {}
    virtual ~CDialogWindow() = default;
    CDialogWindow(const CDialogWindow&) = delete;
    CDialogWindow& operator=(const CDialogWindow&) = delete;

    // Runs the dialog from the program's resources; answers the value given
    // to EndDialog, or -1 when the dialog could not be made.
    INT_PTR DoModal(HWND owner);

    HWND Hwnd() const { return m_hwnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    // Texts of child windows in code page 936.
    CString GetItemText(int id) const;
    void SetItemText(int id, const CString& text);
    int GetCheck(int id) const;
    void SetCheck(int id, int state);
    void EndDialog(int result);

    // A number field: the up-down control spinId steps the decimal value in
    // the edit box buddyId from min to max by step (decimals: digits after
    // the point, -1 automatic). Call from OnInitDialog; the dialog steps it
    // on its own from then on. The spin stays owned by the dialog window and
    // refuses every call once the dialog is gone; nullptr when the ids do
    // not name an up-down control (and, unless 0, an existing buddy).
    CNumberSpinWnd* AttachSpin(int spinId, int buddyId, double min, double max, double step, int decimals = -1);
    // The spin attached to the up-down control spinId, or nullptr.
    CNumberSpinWnd* Spin(int spinId) const;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL go to OnOK and OnCancel; TRUE when handled.
    virtual BOOL OnCommand(UINT id, UINT code, HWND control);
    virtual INT_PTR OnNotify(NMHDR* hdr)
    {
        (void)hdr;
        return 0;
    }
    // Any other message; FALSE lets the system handle it.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        (void)message;
        (void)wParam;
        (void)lParam;
        return FALSE;
    }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    UINT m_resourceId;
    HWND m_hwnd = nullptr;
    std::vector<std::unique_ptr<CNumberSpinWnd>> m_spins;
};
