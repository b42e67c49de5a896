// Windows of the batch conversion and batch re-merge: each hosts a grid
// control of its own (child 1120, in the frame 1121) and runs its portable
// model's work on it.
#include "designer/win32/dialogs/FileTableHelpWindows.h"

#include "control/KivoGuids.gen.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlWnd.gen.h"
#include "designer/dialogs/BatchDialogs.h"
#include "designer/dialogs/ToolDialogs.h"
#include "designer/win32/DialogWindows.h"

#include <cstring>

namespace {

const UINT kHostedId = 1120;
const int kFrameId = 1121;

CLSID GridClassId()
{
    CLSID id;
    std::memcpy(&id, kGuid_KivoSheet.bytes, sizeof(id));
    return id;
}

// Creates the hosted control over the frame; FALSE when it cannot be made.
BOOL CreateHosted(CDialogWindow& w, CGridControlWnd& grid)
{
    HWND frame = w.Item(kFrameId);
    RECT rc = {0, 0, 100, 100};
    if (frame != nullptr) {
        ::GetWindowRect(frame, &rc);
        ::MapWindowPoints(nullptr, w.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        ::InflateRect(&rc, -1, -1);
    }
    return grid.Create(GridClassId(), w.Hwnd(), rc, kHostedId);
}

// Asks the folder chooser for a new folder in place of box id's text.
void ChooseFolder(CDialogWindow& w, IDesignerUi* ui, int id)
{
    if (ui == nullptr)
        return;
    CSelectPathDlg chooser;
    chooser.m_strPath = w.GetItemText(id);
    if (ui->DoModal(chooser) == IDOK)
        w.SetItemText(id, chooser.m_strPath);
}

class CBatchConvertWindow : public CDialogWindow {
public:
    explicit CBatchConvertWindow(CBatchExcelConvertDlg& m) : CDialogWindow(259), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(1160, CBatchExcelConvertDlg::Explanation());
        SetItemText(1142, m_m.m_strExcelDir);
        SetItemText(1145, m_m.m_strTargetDir);
        SetCheck(1152, m_m.m_bSubFolders ? BST_CHECKED : BST_UNCHECKED);
        if (!CreateHosted(*this, m_grid) && m_m.m_ui != nullptr)
            m_m.m_ui->MessageBox("无法创建卡沃表格控件!", "提示", MB_OK | MB_ICONSTOP);
        m_m.m_onProgress = [this] {
            SetItemText(1146, m_m.m_strCurrentFile);
            ::UpdateWindow(Item(1146));
        };
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        switch (id) {
        case 1182: ChooseFolder(*this, m_m.m_ui, 1142); return TRUE;
        case 1183: ChooseFolder(*this, m_m.m_ui, 1145); return TRUE;
        case 1184:
            if (m_running || m_grid.Dispatch() == nullptr)
                return TRUE;
            m_running = true;
            m_m.m_strExcelDir = GetItemText(1142);
            m_m.m_strTargetDir = GetItemText(1145);
            m_m.m_bSubFolders = GetCheck(1152) == BST_CHECKED;
            m_m.Start(m_grid);
            m_running = false;
            return TRUE;
        case 1130:
        case IDCANCEL:
            if (!m_running)
                EndDialog(IDCANCEL);
            return TRUE;
        default: return CDialogWindow::OnCommand(id, code, control);
        }
    }
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_DESTROY) {
            m_m.m_onProgress = nullptr;
            m_grid.Destroy();
        }
        return FALSE;
    }

private:
    CBatchExcelConvertDlg& m_m;
    CGridControlWnd m_grid;
    bool m_running = false;
};

class CRemergeWindow : public CDialogWindow {
public:
    explicit CRemergeWindow(CRemergeDlg& m) : CDialogWindow(214), m_m(m) {}

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(1160, CRemergeDlg::Explanation());
        SetItemText(1142, m_m.m_strFolder);
        if (!CreateHosted(*this, m_grid) && m_m.m_ui != nullptr)
            m_m.m_ui->MessageBox("无法创建卡沃表格控件!", "提示", MB_OK | MB_ICONSTOP);
        m_m.m_onProgress = [this] {
            SetItemText(1145, m_m.m_strCurrentFile);
            ::UpdateWindow(Item(1145));
        };
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        switch (id) {
        case 1144: ChooseFolder(*this, m_m.m_ui, 1142); return TRUE;
        case 1143:
            if (m_running || m_grid.Dispatch() == nullptr)
                return TRUE;
            m_running = true;
            m_m.m_strFolder = GetItemText(1142);
            m_m.Reset(m_grid);
            m_running = false;
            return TRUE;
        case 1130:
        case IDCANCEL:
            if (!m_running)
                EndDialog(IDCANCEL);
            return TRUE;
        default: return CDialogWindow::OnCommand(id, code, control);
        }
    }
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_DESTROY) {
            m_m.m_onProgress = nullptr;
            m_grid.Destroy();
        }
        return FALSE;
    }

private:
    CRemergeDlg& m_m;
    CGridControlWnd m_grid;
    bool m_running = false;
};

}  // namespace

void RegisterBatchDialogWindows()
{
    RegisterDialogWindow(259, [](HWND owner, CDesignerDialog& model) {
        CBatchConvertWindow w(static_cast<CBatchExcelConvertDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(214, [](HWND owner, CDesignerDialog& model) {
        CRemergeWindow w(static_cast<CRemergeDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
