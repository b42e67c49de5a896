// The data-source picker's window: the installed drivers or data sources,
// a database file or name, and the connection string built from them.
#include "designer/win32/dialogs/DatabaseWindows.h"

#include "designer/dialogs/ConnectionStringPick.h"
#include "designer/win32/HostPath.h"

#include <commdlg.h>

namespace {

const int kIdcDriverRadio = 1206;
const int kIdcSourceRadio = 1207;

class CDataSourcePickWindow : public CDialogWindow {
public:
    explicit CDataSourcePickWindow(CDataSourcePickDlg& model) : CDialogWindow(kDlgDataSourcePick), m_model(model) {}

protected:
    BOOL OnInitDialog() override
    {
        SetCheck(m_model.m_bDataSource ? kIdcSourceRadio : kIdcDriverRadio, BST_CHECKED);
        FillNames();
        SetItemText(kIdcPickSource, m_model.m_strSource);
        SetItemText(kIdcPickDatabase, m_model.m_strDatabase);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if ((id == kIdcDriverRadio || id == kIdcSourceRadio) && code == BN_CLICKED) {
            m_model.m_bDataSource = id == kIdcSourceRadio;
            FillNames();
            return TRUE;
        }
        if (id == kIdcPickBrowse) {
            char path[MAX_PATH * 2] = {0};
            OPENFILENAMEA ofn = {};
            ofn.lStructSize = sizeof(ofn);
            ofn.hwndOwner = Hwnd();
            ofn.lpstrFilter = "所有文件(*.*)\0*.*\0";
            ofn.lpstrFile = path;
            ofn.nMaxFile = sizeof(path);
            ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
            // The driver opens the file, under Wine on the host.
            if (::GetOpenFileNameA(&ofn))
                SetItemText(kIdcPickDatabase, HostPathForDriver(CString(path)));
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }
    void OnOK() override
    {
        m_model.m_bDataSource = GetCheck(kIdcSourceRadio) == BST_CHECKED;
        m_model.m_strSource = GetItemText(kIdcPickSource);
        m_model.m_strDatabase = GetItemText(kIdcPickDatabase);
        const CDialogCheck check = m_model.Check();
        if (!check.Passed()) {
            ::MessageBoxA(Hwnd(), check.message.GetString(), "提示", MB_OK | MB_ICONINFORMATION);
            ::SetFocus(Item(static_cast<int>(check.focusId)));
            return;
        }
        EndDialog(IDOK);
    }

private:
    void FillNames()
    {
        HWND combo = Item(kIdcPickSource);
        const CString typed = GetItemText(kIdcPickSource);
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& s : m_model.m_bDataSource ? m_model.m_dataSources : m_model.m_drivers)
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
        SetItemText(kIdcPickSource, typed);
    }

    CDataSourcePickDlg& m_model;
};

}  // namespace

int RunDataSourcePickWindow(HWND owner, CDesignerDialog& model)
{
    CDataSourcePickWindow window(static_cast<CDataSourcePickDlg&>(model));
    return window.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
}
