// Windows of the database managers (a hosted control as their list, the
// list's double click) and of the connection, data-set and query condition
// dialogs. The models do the work; these windows move fields.
#include "designer/win32/dialogs/DatabaseWindows.h"

#include "control/KivoGuids.gen.h"
#include "designer/DesignerDatabase.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlWnd.gen.h"
#include "designer/dialogs/ConnectionStringPick.h"
#include "designer/dialogs/DataLinkPrompt.h"
#include "designer/dialogs/DatabaseManagers.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Message boxes owned by a dialog window; dialogs shown over it.
class COwnedUi : public IDesignerUi {
public:
    explicit COwnedUi(const CDialogWindow& owner) : m_owner(owner) {}
    int MessageBox(const CString& text, const CString& caption, UINT type) override
    {
        return ::MessageBoxA(m_owner.Hwnd(), text.GetString(), caption.GetString(), type);
    }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    int DoModal(CDesignerDialog& dialog) override { return RunDialogWindow(m_owner.Hwnd(), dialog); }

private:
    const CDialogWindow& m_owner;
};

LONG Number(const CString& s) { return std::atol(s.GetString()); }
CString Text(LONG v)
{
    CString s;
    s.Format("%d", static_cast<int>(v));
    return s;
}

// ------------------------------------------------------------------ managers

struct ManagerActions {
    std::function<void()> init, add, change, remove, doubleClick;
};

class CManagerWindow : public CDialogWindow {
public:
    using MakeModel = std::function<ManagerActions(IGridControl& list, IDesignerUi& ui)>;
    CManagerWindow(UINT resourceId, UINT listId, MakeModel make, BOOL* markers)
        : CDialogWindow(resourceId), m_listId(listId), m_make(std::move(make)), m_ui(*this), m_markers(markers)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        CLSID id;
        std::memcpy(&id, kGuid_KivoSheet.bytes, sizeof(id));
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        rc.top += 20;
        rc.left += 8;
        rc.right -= 8;
        rc.bottom -= 40;
        if (!m_list.Create(id, Hwnd(), rc, m_listId))
            return TRUE;
        m_actions = m_make(m_list, m_ui);
        m_list.SetEventHandler([this](int event, const std::vector<long>&) {
            if (event == kEventGridDblClick && m_actions.doubleClick)
                ::PostMessageA(Hwnd(), WM_APP + 7, 0, 0);
        });
        if (m_markers != nullptr)
            SetCheck(1152, *m_markers ? BST_CHECKED : BST_UNCHECKED);
        if (m_actions.init)
            m_actions.init();
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        switch (id) {
        case 1016: Run(m_actions.add); return TRUE;
        case 1018: Run(m_actions.change); return TRUE;
        case 1017: Run(m_actions.remove); return TRUE;
        case 1019:
        case IDCANCEL:
            if (m_markers != nullptr)
                *m_markers = GetCheck(1152) == BST_CHECKED;
            m_list.Destroy();
            EndDialog(IDCANCEL);
            return TRUE;
        default: return CDialogWindow::OnCommand(id, code, control);
        }
    }
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_APP + 7) {
            Run(m_actions.doubleClick);
            return TRUE;
        }
        return FALSE;
    }

private:
    static void Run(const std::function<void()>& f)
    {
        if (f)
            f();
    }
    UINT m_listId;
    MakeModel m_make;
    COwnedUi m_ui;
    BOOL* m_markers;
    CGridControlWnd m_list;
    ManagerActions m_actions;

public:
    template <class Model>
    static ManagerActions Actions(std::shared_ptr<Model> m, bool doubleClickChanges = true)
    {
        ManagerActions a;
        a.init = [m] { m->Init(); };
        a.add = [m] { m->Add(); };
        a.change = [m] { m->Change(); };
        a.remove = [m] { m->Delete(); };
        if (doubleClickChanges)
            a.doubleClick = [m] { m->Change(); };
        return a;
    }
};

template <class Model, class Dlg>
int RunManager(HWND owner, CDesignerDialog& model, UINT listId, BOOL* markers = nullptr,
               std::function<void(Model&)> doubleClick = nullptr)
{
    Dlg& dlg = static_cast<Dlg&>(model);
    IGridControl* grid = dlg.m_pGrid;
    CManagerWindow window(
        model.DialogId(), listId,
        [grid, doubleClick](IGridControl& list, IDesignerUi& ui) {
            auto m = std::make_shared<Model>(grid, list, ui);
            ManagerActions a = CManagerWindow::Actions(m);
            if (doubleClick)
                a.doubleClick = [m, doubleClick] { doubleClick(*m); };
            return a;
        },
        markers);
    window.DoModal(owner);
    return IDCANCEL;
}

// ------------------------------------------------------------------- dialogs

class CConnectionWindow : public CDialogWindow {
public:
    explicit CConnectionWindow(CConnectionDlg& model) : CDialogWindow(kDlgConnection), m_model(model), m_ui(*this) {}

protected:
    BOOL OnInitDialog() override
    {
        // The time-out steps within 0 to 1000; a larger one typed is kept.
        AttachSpin(kIdcConnTimeOutSpin, kIdcConnTimeOut, 0, 1000, 1, 0);
        const CConnectionFields& c = m_model.m_data;
        SetItemText(kIdcConnName, c.strName);
        SetItemText(kIdcConnString, c.strConnectionString);
        SetItemText(kIdcConnUser, c.strUsername);
        SetItemText(kIdcConnPassword, c.strPwd);
        SetItemText(kIdcConnTimeOut, Text(c.nTimeOut));
        SetCheck(kIdcConnAutoOpen, c.bAutoOpen ? BST_CHECKED : BST_UNCHECKED);
        SetCheck(kIdcConnAutoClose, c.bAutoClose ? BST_CHECKED : BST_UNCHECKED);
        ::EnableWindow(Item(kIdcConnName), m_model.m_nMode == 1 ? TRUE : FALSE);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1129) {
            Read();
            if (SaveConnection(m_model.m_pGrid, m_ui, m_model.m_data, m_model.m_nMode == 1))
                EndDialog(IDOK);
            else if (m_model.m_data.Check().focusId != 0)
                ::SetFocus(Item(static_cast<int>(m_model.m_data.Check().focusId)));
            return TRUE;
        }
        if (id == 1130) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        if (id == kIdcConnTest) {
            Read();
            auto db = CreateDesignerDatabase();
            CDesignerDbLogin login;
            login.strConnection = m_model.m_data.strConnectionString;
            login.strUser = m_model.m_data.strUsername;
            login.strPassword = m_model.m_data.strPwd;
            CString error;
            ShowHint(m_ui, db->Test(login, error) ? "链接成功!" : "链接失败!");
            return TRUE;
        }
        if (id == kIdcConnCreate) {
            Read();
            // The system's data-link prompt where there is one; else the picker.
            CString chosen;
            const DataLinkOutcome outcome = PromptDataLink(m_model.m_data.strConnectionString,
                                                           reinterpret_cast<intptr_t>(Hwnd()), chosen);
            if (outcome == DataLinkOutcome::Chosen)
                SetItemText(kIdcConnString, chosen);
            if (outcome != DataLinkOutcome::Unavailable)
                return TRUE;
            auto db = CreateDesignerDatabase();
            CDataSourcePickDlg pick;
            pick.Preset(m_model.m_data.strConnectionString);
            pick.m_drivers = db->Drivers();
            pick.m_dataSources = db->DataSources();
            if (RunDialogWindow(Hwnd(), pick) == IDOK)
                SetItemText(kIdcConnString, pick.Result());
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    void Read()
    {
        CConnectionFields& c = m_model.m_data;
        c.strName = GetItemText(kIdcConnName);
        c.strConnectionString = GetItemText(kIdcConnString);
        c.strUsername = GetItemText(kIdcConnUser);
        c.strPwd = GetItemText(kIdcConnPassword);
        c.nTimeOut = Number(GetItemText(kIdcConnTimeOut));
        c.bAutoOpen = GetCheck(kIdcConnAutoOpen) == BST_CHECKED;
        c.bAutoClose = GetCheck(kIdcConnAutoClose) == BST_CHECKED;
    }
    CConnectionDlg& m_model;
    COwnedUi m_ui;
};

class CDataSetWindow : public CDialogWindow {
public:
    explicit CDataSetWindow(CDataSetDlg& model) : CDialogWindow(kDlgDataSet), m_model(model), m_ui(*this) {}

protected:
    BOOL OnInitDialog() override
    {
        HWND type = Item(kIdcDsSqlType);
        for (const char* s : {"0-任意", "1-查询", "2-表格", "3-存储过程"})
            ::SendMessageA(type, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        ::SendMessageA(type, CB_SETCURSEL, static_cast<WPARAM>(m_model.m_nSqlType), 0);
        SetItemText(kIdcDsConnName, m_model.m_strConnName);
        SetItemText(kIdcDsName, m_model.m_strName);
        SetItemText(kIdcDsSql, m_model.m_strSql);
        SetCheck(kIdcDsAutoOpen, m_model.m_bAutoOpen ? BST_CHECKED : BST_UNCHECKED);
        SetCheck(kIdcDsAutoClose, m_model.m_bAutoClose ? BST_CHECKED : BST_UNCHECKED);
        ::SendMessageA(Item(kIdcDsName), EM_SETREADONLY, m_model.m_bAdd ? FALSE : TRUE, 0);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1129) {
            m_model.m_strName = GetItemText(kIdcDsName);
            m_model.m_strSql = GetItemText(kIdcDsSql);
            m_model.m_nSqlType = static_cast<int>(::SendMessageA(Item(kIdcDsSqlType), CB_GETCURSEL, 0, 0));
            m_model.m_bAutoOpen = GetCheck(kIdcDsAutoOpen) == BST_CHECKED;
            m_model.m_bAutoClose = GetCheck(kIdcDsAutoClose) == BST_CHECKED;
            if (SaveDataSet(m_model.m_pGrid, m_ui, m_model))
                EndDialog(IDOK);
            else if (m_model.Check().focusId != 0)
                ::SetFocus(Item(static_cast<int>(m_model.Check().focusId)));
            return TRUE;
        }
        if (id == 1130) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    CDataSetDlg& m_model;
    COwnedUi m_ui;
};

class CQueryConditionWindow : public CDialogWindow {
public:
    explicit CQueryConditionWindow(CQueryConditionDlg& dlg)
        : CDialogWindow(kDlgQueryCondition), m_ui(*this), m_model(dlg.m_pGrid, m_ui)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        m_model.Init();
        Fill(kIdcQcConnection, m_model.connections, -1);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == kIdcQcConnection && code == CBN_SELCHANGE) {
            m_model.ChooseConnection(Selected(kIdcQcConnection));
            Fill(kIdcQcDataSet, m_model.dataSets, -1);
            return TRUE;
        }
        if ((id == kIdcQcDataSet && code == CBN_SELCHANGE) || id == 1146) {
            m_model.ChooseDataSet(Selected(kIdcQcDataSet));
            SetItemText(kIdcQcSql, m_model.sql);
            return TRUE;
        }
        if (id == 1143) {
            m_model.sql = GetItemText(kIdcQcSql);
            m_model.Apply();
            return TRUE;
        }
        if (id == 1129) {
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1130) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    int Selected(int id) const { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    void Fill(int id, const std::vector<CString>& items, int selected)
    {
        ::SendMessageA(Item(id), CB_RESETCONTENT, 0, 0);
        for (const auto& s : items)
            ::SendMessageA(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
        ::SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    COwnedUi m_ui;
    CQueryConditionModel m_model;
};

}  // namespace

void RegisterDatabaseManagerWindows()
{
    RegisterDialogWindow(kDlgConnectionManager, [](HWND owner, CDesignerDialog& model) {
        return RunManager<CConnectionManagerModel, CConnectionManagerDlg>(owner, model, 1120);
    });
    RegisterDialogWindow(kDlgDataSetManager, [](HWND owner, CDesignerDialog& model) {
        return RunManager<CDataSetManagerModel, CDataSetManagerDlg>(
            owner, model, 1135, nullptr, [](CDataSetManagerModel& m) { m.DoubleClick(); });
    });
    RegisterDialogWindow(kDlgBindManager, [](HWND owner, CDesignerDialog& model) {
        return RunManager<CBindManagerModel, CBindManagerDlg>(owner, model, 1140);
    });
    RegisterDialogWindow(kDlgBindFieldManager, [](HWND owner, CDesignerDialog& model) {
        auto& dlg = static_cast<CBindFieldManagerDlg&>(model);
        return RunManager<CBindFieldManagerModel, CBindFieldManagerDlg>(
            owner, model, 1151, &dlg.m_bMakeMarkers, [](CBindFieldManagerModel& m) { m.DoubleClick(); });
    });
    RegisterDialogWindow(kDlgConnection, [](HWND owner, CDesignerDialog& model) {
        CConnectionWindow w(static_cast<CConnectionDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(kDlgDataSet, [](HWND owner, CDesignerDialog& model) {
        CDataSetWindow w(static_cast<CDataSetDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(kDlgQueryCondition, [](HWND owner, CDesignerDialog& model) {
        CQueryConditionWindow w(static_cast<CQueryConditionDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
