// The report wizard's window: the explanation, four child pages placed above
// the button strip, and the step buttons; the pages' fields go to and from
// the wizard's page model, which does the work on the view's control.
#include "designer/win32/dialogs/DatabaseWindows.h"

#include "designer/DesignerUi.h"
#include "designer/dialogs/ConnectionStringPick.h"
#include "designer/dialogs/DataLinkPrompt.h"
#include "designer/dialogs/DatabaseBorders.h"
#include "designer/dialogs/WizardPages.h"
#include "designer/win32/ColourPicker.h"
#include "designer/win32/NumberSpinWnd.h"
#include "designer/win32/dialogs/DatabasePictureButtons.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const UINT kPageIds[4] = {kDlgWizardConnection, kDlgWizardTable, kDlgWizardBind, kDlgWizardField};

const char* const kConnectionText =
    "创建数据源:\r\n\t用于链接目标数据库,为数据集提供基础链接,便于取得数据,且减少数据库服务器的连接数!\r\n\t"
    "创建数据源对象可以用\"数据源向导\"或手工输入!";
const char* const kTableText =
    "创建数据集:\r\n\t根据查询SQL语句,取得数据库中的记录集,并为绑定对象提供数据源.\r\n\t"
    "用户可以自己从表中选择相应的字段(在查询条件框中输入相应的条件),也可在查询条件中直接输入SQL语句!";
const char* const kBindText =
    "创建绑定对象:\r\n\t根据数据集提供的数据源,由绑定对象创建报表显示规则,并向报表填充数据.\r\n\t"
    "选取相对应的链接对象和数据集,可以设置关联的绑定的表体,可以设置分组信息!";
const char* const kFieldText =
    "创建绑定字段:\r\n\t绑定字段进一步补充绑定对象制定的规则,用户可选取合适的列进行显示,并设置中每一列的显示规则.\r\n\t"
    "采用[自动绑定]方式将显示绑定数据源中的所有列;采用[自定义绑定]方式,用户自行添加需要绑定的列以及相应的格式信息!";

class CReportWizardWindow : public CDialogWindow {
public:
    CReportWizardWindow(CReportWizardDlg& model)
        : CDialogWindow(kDlgReportWizard), m_model(model), m_ui(this), m_db(CreateDesignerDatabase()),
          m_pages(model.m_pGrid, m_ui, *m_db)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(kIdcWizText, WizardExplanation());
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        rc.bottom -= 50;
        for (int i = 0; i < 4; ++i) {
            m_page[i] = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageIds[i]), Hwnd(),
                                             PageProc, reinterpret_cast<LPARAM>(this));
            if (m_page[i] != nullptr)
                ::MoveWindow(m_page[i], rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
        }
        InitPages();
        m_model.Reset();
        Apply();
        return TRUE;
    }

    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        switch (id) {
        case kIdcWizNext: Next(); return TRUE;
        case kIdcWizBack:
            ReadPage();
            m_model.Back();
            Apply();
            return TRUE;
        case kIdcWizSkip:
            ReadPage();
            m_model.Skip();
            Apply();
            return TRUE;
        case kIdcWizCancel:
        case IDCANCEL: EndDialog(IDCANCEL); return TRUE;
        default: return CDialogWindow::OnCommand(id, code, control);
        }
    }

private:
    // A message box owned by the wizard.
    class WindowUi : public IDesignerUi {
    public:
        explicit WindowUi(CReportWizardWindow* owner) : m_owner(owner) {}
        int MessageBox(const CString& text, const CString& caption, UINT type) override
        {
            return ::MessageBoxA(m_owner->Hwnd(), text.GetString(), caption.GetString(), type);
        }
        bool CanPaste() override { return false; }
        void SelectFontName(const CString&) override {}
        void SelectFontSize(const CString&) override {}
        void SelectFirstInsertReferences() override {}
        CString AskSavePath(const CString&) override { return CString(); }
        // The border popup of the pages' "边框" buttons.
        int DoModal(CDesignerDialog& dialog) override { return RunDialogWindow(m_owner->Hwnd(), dialog); }
        BOOL PickColor(COLORREF& color) override { return PickSystemColor(m_owner->Hwnd(), color); }

    private:
        CReportWizardWindow* m_owner;
    };

    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
            return TRUE;
        }
        auto* self = reinterpret_cast<CReportWizardWindow*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
        if (self != nullptr && message == WM_COMMAND) {
            self->OnPageCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        }
        if (self != nullptr && message == WM_NOTIFY) {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
            if (hdr != nullptr && hdr->code == UDN_DELTAPOS)
                for (const auto& spin : self->m_spins)
                    if (spin->Spin() == hdr->hwndFrom && spin->IsAttached()) {
                        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT,
                                            spin->OnDeltaPos(*reinterpret_cast<const NMUPDOWN*>(lParam)));
                        return TRUE;
                    }
            return FALSE;
        }
        if (self != nullptr && message == WM_DRAWITEM &&
            self->m_pictures.DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    }

    HWND PageItem(int page, int id) const { return ::GetDlgItem(m_page[page], id); }
    CString PageText(int page, int id) const
    {
        HWND item = PageItem(page, id);
        const int n = item != nullptr ? ::GetWindowTextLengthA(item) : 0;
        std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
        if (item != nullptr)
            ::GetWindowTextA(item, buf.data(), n + 1);
        return CString(buf.data());
    }
    void SetPageText(int page, int id, const CString& text) { ::SetDlgItemTextA(m_page[page], id, text.GetString()); }
    LONG PageNumber(int page, int id) const { return std::atol(PageText(page, id).GetString()); }
    void SetPageNumber(int page, int id, LONG v)
    {
        CString s;
        s.Format("%d", static_cast<int>(v));
        SetPageText(page, id, s);
    }
    bool PageCheck(int page, int id) const { return ::IsDlgButtonChecked(m_page[page], id) == BST_CHECKED; }
    void SetPageCheck(int page, int id, bool on) { ::CheckDlgButton(m_page[page], id, on ? BST_CHECKED : BST_UNCHECKED); }

    static void FillCombo(HWND combo, const std::vector<CString>& items, int selected)
    {
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& s : items)
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    static void FillList(HWND list, const std::vector<CString>& items)
    {
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const auto& s : items)
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
    }
    static int ComboIndex(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
    static std::vector<int> ListSelection(HWND list)
    {
        std::vector<int> out;
        const int n = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
                out.push_back(i);
        return out;
    }

    void InitPages()
    {
        SetPageText(0, 1160, kConnectionText);
        SetPageText(1, 1160, kTableText);
        SetPageText(2, 1160, kBindText);
        SetPageText(3, 1160, kFieldText);
        // The pages' number fields: time-out, start cell and group-name
        // column, the field's row, column and width.
        const struct {
            int page, spin, buddy;
            double max;
        } spins[] = {{0, 1134, 1128, 1000},  {2, 1135, 1038, 1024}, {2, 1137, 1040, 1024}, {2, 1140, 1147, 1024},
                     {3, 1137, 1158, 65535}, {3, 1136, 1039, 1024}, {3, 1159, 1043, 1024}};
        for (const auto& s : spins) {
            auto spin = std::make_unique<CNumberSpinWnd>();
            spin->SetDecimals(0);
            spin->SetRange(0, s.max, 1);
            if (spin->Attach(m_page[s.page], s.spin, s.buddy))
                m_spins.push_back(std::move(spin));
        }
        const CConnectionFields& c = m_pages.conn;
        SetPageText(0, 1122, c.strName);
        SetPageNumber(0, 1128, c.nTimeOut);
        SetPageCheck(0, 1131, c.bAutoOpen != FALSE);
        SetPageCheck(0, 1132, c.bAutoClose != FALSE);
        SetPageText(1, 1123, m_pages.dataSetName);
        FillCombo(PageItem(2, 1103), {"0 - 表头", "1 - 表体", "2 - 表尾"}, m_pages.bind.nFillType);
        SetPageText(2, 1122, m_pages.bind.strName);
        SetPageNumber(2, 1038, m_pages.bind.nStartRow);
        SetPageNumber(2, 1040, m_pages.bind.nStartCol);
        SetPageText(2, 1142, m_pages.bind.group.strName);
        SetPageNumber(2, 1147, m_pages.bind.group.nNameCol);
        // The colour pickers of the binding and field pages.
        m_bindBack.SubclassDlgItem(1021, m_page[2]);
        m_bindText.SubclassDlgItem(1144, m_page[2]);
        m_fieldBack.SubclassDlgItem(1021, m_page[3]);
        m_fieldText.SubclassDlgItem(1144, m_page[3]);
        m_bindBack.SetColour(m_pages.bind.group.crBack);
        m_bindText.SetColour(m_pages.bind.group.crText);
        ShowColorChecks(m_page[2], m_pages.bind.group.bBackColor, m_pages.bind.group.bTextColor);
        // The column buttons' pictures (white transparent) and the border
        // buttons' (magenta transparent) with the mask's name.
        const struct {
            int id;
            UINT bitmap;
        } columnButtons[] = {{1026, 245}, {1175, 243}, {1027, 246}, {1146, 244},
                             {1147, 249}, {1148, 247}, {1149, 248}, {1028, 250}};
        for (const auto& b : columnButtons)
            m_pictures.Add(PageItem(1, b.id), b.bitmap, RGB(255, 255, 255), false);
        m_pictures.Add(PageItem(2, 1148), 251, RGB(255, 0, 255), true);
        m_pictures.Add(PageItem(3, 1148), 251, RGB(255, 0, 255), true);
        ShowBorderButton(2, m_pages.bind.group.borders, m_pages.bind.group.bBorder, true);
        FillCombo(PageItem(3, 1104), {"空 绑  定", "序列绑定", "字段绑定"}, 2);
        FillCombo(PageItem(3, 1110), {"无统计", "合  计", "平  均", "最大值", "最小值", "计  数 "}, 0);
        FillCombo(PageItem(3, 1067), {"左 对 齐", "居中对齐", "右 对 齐"}, 0);
        SetPageCheck(3, 1172, true);
        SetPageCheck(3, 1179, true);
        ShowField();
        EnableCustom(false);
    }

    void Apply()
    {
        const int step = m_model.Step();
        ::ShowWindow(Item(kIdcWizText), step == 0 ? SW_SHOW : SW_HIDE);
        for (int i = 0; i < 4; ++i)
            if (m_page[i] != nullptr)
                ::ShowWindow(m_page[i], step == i + 1 ? SW_SHOW : SW_HIDE);
        if (step == 2 && m_pages.connections.empty()) {
            m_pages.SetConnection(CString());
            ShowTablePage();
        }
        if (step == 3) {
            m_pages.ShowBindPage();
            ShowBindPage();
        }
        if (step == 4) {
            m_pages.ShowFieldPage();
            ShowFieldPage();
        }
        const WizardStep& s = m_model.Current();
        ::SetWindowTextA(Hwnd(), s.caption);
        ::ShowWindow(Item(kIdcWizSkip), s.showSkip ? SW_SHOW : SW_HIDE);
        ::ShowWindow(Item(kIdcWizBack), s.showBack ? SW_SHOW : SW_HIDE);
        ::ShowWindow(Item(kIdcWizNext), s.showNext ? SW_SHOW : SW_HIDE);
        ::EnableWindow(Item(kIdcWizCancel), s.enableCancel ? TRUE : FALSE);
        SetItemText(kIdcWizNext, s.nextText);
    }

    // The current page's controls into the model.
    void ReadPage()
    {
        switch (m_model.Step()) {
        case 1: {
            CConnectionFields& c = m_pages.conn;
            c.strName = PageText(0, 1122);
            c.strConnectionString = PageText(0, 1123);
            c.strUsername = PageText(0, 1126);
            c.strPwd = PageText(0, 1127);
            c.nTimeOut = PageNumber(0, 1128);
            c.bAutoOpen = PageCheck(0, 1131);
            c.bAutoClose = PageCheck(0, 1132);
            break;
        }
        case 2:
            m_pages.connIndex = ComboIndex(PageItem(1, 1105));
            m_pages.dataSetName = PageText(1, 1123);
            m_pages.condition = PageText(1, 1124);
            break;
        case 3: {
            CBindFields& b = m_pages.bind;
            b.strName = PageText(2, 1122);
            b.nFillType = ComboIndex(PageItem(2, 1103));
            m_pages.bindConnIndex = ComboIndex(PageItem(2, 1105));
            m_pages.bindDataSetIndex = ComboIndex(PageItem(2, 1106));
            m_pages.bodyIndex = ComboIndex(PageItem(2, 1104));
            b.nStartRow = PageNumber(2, 1038);
            b.nStartCol = PageNumber(2, 1040);
            b.group.strName = PageText(2, 1142);
            b.group.nNameCol = PageNumber(2, 1147);
            b.group.bAddColValue = PageCheck(2, 1132);
            b.group.bReadOnly = PageCheck(2, 1134);
            b.group.crBack = m_bindBack.GetColour();
            b.group.crText = m_bindText.GetColour();
            break;
        }
        case 4: ReadField(); break;
        default: break;
        }
    }

    void ReadField()
    {
        CFieldFields& f = m_pages.field;
        f.strFieldName = PageText(3, 1103);
        f.nBindType = ComboIndex(PageItem(3, 1104));
        f.nRow = PageNumber(3, 1158);
        f.nCol = PageNumber(3, 1039);
        f.nColWidth = PageNumber(3, 1043);
        f.nStatistics = ComboIndex(PageItem(3, 1110));
        f.nHAlign = ComboIndex(PageItem(3, 1067));
        f.bGroup = PageCheck(3, 1060);
        f.bMerge = PageCheck(3, 1156);
        f.bReadOnly = PageCheck(3, 1134);
        f.bWrap = PageCheck(3, 1154);
        f.crBack = m_fieldBack.GetColour();
        f.crText = m_fieldText.GetColour();
        m_pages.makeMarkers = PageCheck(3, kIdcWizMakeMarkers);
    }

    void ShowField()
    {
        const CFieldFields& f = m_pages.field;
        SetPageText(3, 1103, f.strFieldName);
        ::SendMessageA(PageItem(3, 1104), CB_SETCURSEL, static_cast<WPARAM>(f.nBindType), 0);
        SetPageNumber(3, 1158, f.nRow);
        SetPageNumber(3, 1039, f.nCol);
        SetPageNumber(3, 1043, f.nColWidth);
        ::SendMessageA(PageItem(3, 1110), CB_SETCURSEL, static_cast<WPARAM>(f.nStatistics), 0);
        ::SendMessageA(PageItem(3, 1067), CB_SETCURSEL, static_cast<WPARAM>(f.nHAlign), 0);
        SetPageCheck(3, 1060, f.bGroup != FALSE);
        SetPageCheck(3, 1156, f.bMerge != FALSE);
        SetPageCheck(3, 1134, f.bReadOnly != FALSE);
        SetPageCheck(3, 1154, f.bWrap != FALSE);
        m_fieldBack.SetColour(f.crBack);
        m_fieldText.SetColour(f.crText);
        ShowColorChecks(m_page[3], f.bBackColor, f.bTextColor);
        const bool custom = ::IsWindowEnabled(PageItem(3, 1150)) != FALSE;
        if (!custom) {
            ::EnableWindow(PageItem(3, 1021), FALSE);
            ::EnableWindow(PageItem(3, 1144), FALSE);
        }
        ShowBorderButton(3, f.borders, f.bBorder, custom);
    }

    // The "边框" check 1152 of a page and its button 1148, enabled by the
    // check (and, on the field page, by the custom mode), captioned with
    // the name of the mask.
    void ShowBorderButton(int page, const CBorderSet& borders, BOOL on, bool usable)
    {
        SetPageCheck(page, 1152, on != FALSE);
        ::EnableWindow(PageItem(page, 1148), on && usable ? TRUE : FALSE);
        SetPageText(page, 1148, SideBordersCaption(borders));
        ::InvalidateRect(PageItem(page, 1148), nullptr, TRUE);
    }
    // The check and the button of a page; TRUE when the command was one.
    bool BorderCommand(int page, UINT id, UINT code, CBorderSet& borders, BOOL& on, bool usable)
    {
        if (code != BN_CLICKED || (id != 1152 && id != 1148))
            return false;
        if (id == 1152)
            on = PageCheck(page, 1152);
        else if (page == 2)
            m_pages.EditBindBorders();
        else
            m_pages.EditFieldBorders();
        ShowBorderButton(page, borders, on, usable);
        return true;
    }

    void ShowTablePage()
    {
        FillCombo(PageItem(1, 1105), m_pages.connections, m_pages.connIndex);
        FillCombo(PageItem(1, 1174), m_pages.tables, m_pages.tableIndex);
        ShowColumns();
    }
    void ShowColumns()
    {
        FillList(PageItem(1, 1169), m_pages.columns.available);
        FillList(PageItem(1, 1170), m_pages.columns.chosen);
    }
    void ShowBindPage()
    {
        FillCombo(PageItem(2, 1105), m_pages.bindConnections, m_pages.bindConnIndex);
        FillCombo(PageItem(2, 1106), m_pages.bindDataSets, m_pages.bindDataSetIndex);
        FillCombo(PageItem(2, 1104), m_pages.bodyBinds, m_pages.bodyIndex);
    }
    void ShowFieldPage()
    {
        FillCombo(PageItem(3, 1177), m_pages.binds, m_pages.bindIndex);
        FillCombo(PageItem(3, 1170), m_pages.fieldEntries, m_pages.fieldIndex);
        HWND names = PageItem(3, 1103);
        const CString typed = PageText(3, 1103);
        ::SendMessageA(names, CB_RESETCONTENT, 0, 0);
        for (const auto& s : m_pages.fieldNames)
            ::SendMessageA(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
        SetPageText(3, 1103, typed);
    }
    void EnableCustom(bool on)
    {
        for (int id : {1177, 1170, 1103, 1104, 1158, 1039, 1043, 1110, 1067, 1060, 1156, 1134, 1154, 1178, 1018, 1180,
                       1150, 1151, 1152, 1137, 1136, 1159})
            ::EnableWindow(PageItem(3, id), on ? TRUE : FALSE);
        // The colour buttons also need their checks.
        ::EnableWindow(PageItem(3, 1021), on && m_pages.field.bBackColor ? TRUE : FALSE);
        ::EnableWindow(PageItem(3, 1144), on && m_pages.field.bTextColor ? TRUE : FALSE);
        ::EnableWindow(PageItem(3, 1148), on && m_pages.field.bBorder ? TRUE : FALSE);
    }
    void FocusFailed(int page)
    {
        if (m_pages.failedFocus != 0 && PageItem(page, static_cast<int>(m_pages.failedFocus)) != nullptr)
            ::SetFocus(PageItem(page, static_cast<int>(m_pages.failedFocus)));
    }

    void Next()
    {
        ReadPage();
        const int step = m_model.Step();
        const CReportWizardDlg::Outcome outcome = m_model.Next(m_pages);
        if (outcome == CReportWizardDlg::Finished) {
            EndDialog(IDOK);
            return;
        }
        if (outcome == CReportWizardDlg::Stayed) {
            FocusFailed(step - 1);
            return;
        }
        if (m_model.Step() == 2)
            ShowTablePage();
        if (m_model.Step() == 3)
            ShowBindPage();
        if (m_model.Step() == 4)
            ShowFieldPage();
        Apply();
    }

    void OnPageCommand(HWND page, UINT id, UINT code)
    {
        if (page == m_page[0]) {
            if (id == 1125 && code == BN_CLICKED) {
                ReadPage();
                m_pages.TestConnection();
            } else if (id == 1124 && code == BN_CLICKED) {
                ReadPage();
                // The system's data-link prompt where there is one; else the picker.
                CString chosen;
                const DataLinkOutcome outcome = PromptDataLink(m_pages.conn.strConnectionString,
                                                               reinterpret_cast<intptr_t>(Hwnd()), chosen);
                if (outcome == DataLinkOutcome::Chosen)
                    SetPageText(0, 1123, chosen);
                if (outcome != DataLinkOutcome::Unavailable)
                    return;
                CDataSourcePickDlg pick;
                pick.Preset(m_pages.conn.strConnectionString);
                pick.m_drivers = m_db->Drivers();
                pick.m_dataSources = m_db->DataSources();
                if (RunDialogWindow(Hwnd(), pick) == IDOK)
                    SetPageText(0, 1123, pick.Result());
            }
        } else if (page == m_page[1]) {
            if (id == 1105 && code == CBN_SELCHANGE) {
                m_pages.connIndex = ComboIndex(PageItem(1, 1105));
                if (m_pages.connIndex >= 0)
                    m_pages.SetConnection(m_pages.connections[static_cast<size_t>(m_pages.connIndex)]);
                ShowTablePage();
            } else if (id == 1174 && code == CBN_SELCHANGE) {
                m_pages.ChooseTable(ComboIndex(PageItem(1, 1174)));
                ShowColumns();
            } else if (code == BN_CLICKED) {
                ColumnButton(id);
            }
        } else if (page == m_page[2]) {
            CGroupRowFields& g = m_pages.bind.group;
            if (code == BN_CLICKED && ColorCommand(page, id, g.bBackColor, g.crBack, g.bTextColor, g.crText))
                return;
            if (BorderCommand(2, id, code, g.borders, g.bBorder, true))
                return;
            if (id == 1105 && code == CBN_SELCHANGE) {
                m_pages.ChooseBindConnection(ComboIndex(PageItem(2, 1105)));
                FillCombo(PageItem(2, 1106), m_pages.bindDataSets, m_pages.bindDataSetIndex);
            }
        } else if (page == m_page[3]) {
            FieldCommand(id, code);
        }
    }

    void ColumnButton(UINT id)
    {
        CColumnPicker& p = m_pages.columns;
        HWND chosen = PageItem(1, 1170);
        const int focus = static_cast<int>(::SendMessageA(chosen, LB_GETCARETINDEX, 0, 0));
        int select = -1;
        switch (id) {
        case 1026: p.Choose(ListSelection(PageItem(1, 1169))); break;
        case 1175: p.ChooseAll(); break;
        case 1027: p.Unchoose(ListSelection(chosen)); break;
        case 1146: p.UnchooseAll(); break;
        case 1147: select = p.ToTop(focus); break;
        case 1148: select = p.Up(focus); break;
        case 1149: select = p.Down(focus); break;
        case 1028: select = p.ToBottom(focus); break;
        default: return;
        }
        ShowColumns();
        if (select >= 0) {
            ::SendMessageA(chosen, LB_SETSEL, TRUE, select);
            ::SendMessageA(chosen, LB_SETCARETINDEX, static_cast<WPARAM>(select), 0);
        }
    }

    void FieldCommand(UINT id, UINT code)
    {
        CFieldFields& f = m_pages.field;
        if (code == BN_CLICKED && (id == 1150 || id == 1151 || id == 1021 || id == 1144)) {
            if (::IsWindowEnabled(PageItem(3, 1150)))
                ColorCommand(m_page[3], id, f.bBackColor, f.crBack, f.bTextColor, f.crText);
            return;
        }
        if (BorderCommand(3, id, code, f.borders, f.bBorder, ::IsWindowEnabled(PageItem(3, 1152)) != FALSE))
            return;
        if (id == 1172 && code == BN_CLICKED) {
            if (m_pages.ChooseAutomatic()) {
                EnableCustom(false);
                FillCombo(PageItem(3, 1170), m_pages.fieldEntries, -1);
            } else {
                SetPageCheck(3, 1171, true);
                SetPageCheck(3, 1172, false);
            }
        } else if (id == 1171 && code == BN_CLICKED) {
            SetPageCheck(3, 1171, true);
            SetPageCheck(3, 1172, false);
            m_pages.ChooseCustom();
            EnableCustom(true);
            ShowFieldPage();
        } else if (id == 1177 && code == CBN_SELCHANGE) {
            m_pages.ChooseBind(ComboIndex(PageItem(3, 1177)));
            ShowFieldPage();
        } else if (id == 1170 && code == CBN_SELCHANGE) {
            m_pages.ChooseField(ComboIndex(PageItem(3, 1170)));
            ShowField();
        } else if ((id == 1178 || id == 1018) && code == BN_CLICKED) {
            ReadField();
            if (m_pages.SaveField(id == 1178)) {
                ShowFieldPage();
                ShowField();
            } else {
                FocusFailed(3);
            }
        } else if (id == 1180 && code == BN_CLICKED) {
            if (m_pages.DeleteField()) {
                ShowFieldPage();
                ShowField();
            }
        }
    }

    CReportWizardDlg& m_model;
    WindowUi m_ui;
    std::unique_ptr<IDesignerDatabase> m_db;
    CWizardPagesModel m_pages;
    HWND m_page[4] = {};
    CDatabasePictureButtons m_pictures;
    CXColourPicker m_bindBack, m_bindText, m_fieldBack, m_fieldText;
    std::vector<std::unique_ptr<CNumberSpinWnd>> m_spins;
};

}  // namespace

int RunReportWizardWindow(HWND owner, CDesignerDialog& model)
{
    CReportWizardWindow window(static_cast<CReportWizardDlg&>(model));
    return window.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
}
