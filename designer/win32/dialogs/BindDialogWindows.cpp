// Windows of the binding and bound-field dialogs: fields to and from the
// models; saving is the models' work on the view's control.
#include "designer/win32/dialogs/DatabaseWindows.h"

#include "designer/DesignerDatabase.h"
#include "designer/DesignerUi.h"
#include "designer/dialogs/DatabaseBorders.h"
#include "designer/dialogs/DbObjectSaves.h"
#include "designer/win32/ColourPicker.h"
#include "designer/win32/dialogs/DatabasePictureButtons.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdlib>
#include <vector>

namespace {

class CHintUi : public IDesignerUi {
public:
    explicit CHintUi(const CDialogWindow& owner) : m_owner(owner) {}
    int MessageBox(const CString& text, const CString& caption, UINT type) override
    {
        return ::MessageBoxA(m_owner.Hwnd(), text.GetString(), caption.GetString(), type);
    }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    // The border popup of the "边框" button, owned by the dialog.
    int DoModal(CDesignerDialog& dialog) override { return RunDialogWindow(m_owner.Hwnd(), dialog); }
    BOOL PickColor(COLORREF& color) override { return PickSystemColor(m_owner.Hwnd(), color); }

private:
    const CDialogWindow& m_owner;
};

class CFieldsWindow : public CDialogWindow {
protected:
    using CDialogWindow::CDialogWindow;
    LONG Number(int id) const { return std::atol(GetItemText(id).GetString()); }
    void SetNumber(int id, LONG v)
    {
        CString s;
        s.Format("%d", static_cast<int>(v));
        SetItemText(id, s);
    }
    bool Checked(int id) const { return GetCheck(id) == BST_CHECKED; }
    void Check(int id, bool on) { SetCheck(id, on ? BST_CHECKED : BST_UNCHECKED); }
    int Selected(int id) const { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    CString SelectedText(int id) const
    {
        const int i = Selected(id);
        if (i < 0)
            return CString();
        const int n = static_cast<int>(::SendMessageA(Item(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
        std::vector<char> buf(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
        ::SendMessageA(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
        return CString(buf.data());
    }
    void Fill(int id, const std::vector<CString>& items, const CString& select, int fallback = -1)
    {
        ::SendMessageA(Item(id), CB_RESETCONTENT, 0, 0);
        int chosen = fallback;
        for (size_t i = 0; i < items.size(); ++i) {
            ::SendMessageA(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].GetString()));
            if (!select.IsEmpty() && items[i].Compare(select) == 0)
                chosen = static_cast<int>(i);
        }
        ::SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
    static std::vector<CString> Connections(IGridControl* grid)
    {
        std::vector<CString> names = {CString("无")};
        if (grid != nullptr)
            for (LONG i = 0; i < grid->DBGetConnectionCount(); ++i)
                if (auto db = grid->DBGetConnectionEx(i))
                    names.push_back(db->GetstrName());
        return names;
    }
    // The "边框" check 1152 enables the border button 1148, which shows the
    // picture 251 and the name of the mask.
    void ShowBorderButton(const CBorderSet& borders, BOOL on)
    {
        Check(1152, on != FALSE);
        ::EnableWindow(Item(1148), on ? TRUE : FALSE);
        SetItemText(1148, SideBordersCaption(borders));
        ::InvalidateRect(Item(1148), nullptr, TRUE);
    }
    // The check and the button; TRUE when the command was one of them.
    BOOL BorderCommand(UINT id, UINT code, CBorderSet& borders, BOOL& on, IDesignerUi& ui)
    {
        if (code != BN_CLICKED)
            return FALSE;
        if (id == 1152) {
            on = Checked(1152);
            ShowBorderButton(borders, on);
            return TRUE;
        }
        if (id == 1148) {
            if (EditSideBorders(ui, borders))
                ShowBorderButton(borders, on);
            return TRUE;
        }
        return FALSE;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM && m_pictures.DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return CDialogWindow::OnMessage(message, wParam, lParam);
    }
    CDatabasePictureButtons m_pictures;
    // The background (1021) and text (1144) colour pickers, showing the
    // colours they hold.
    void AttachColours(COLORREF back, COLORREF text)
    {
        m_backPicker.SubclassDlgItem(1021, Hwnd());
        m_backPicker.SetColour(back);
        m_textPicker.SubclassDlgItem(1144, Hwnd());
        m_textPicker.SetColour(text);
    }
    void ReadColours(COLORREF& back, COLORREF& text) const
    {
        if (m_backPicker.GetSafeHwnd() != nullptr)
            back = m_backPicker.GetColour();
        if (m_textPicker.GetSafeHwnd() != nullptr)
            text = m_textPicker.GetColour();
    }
    CXColourPicker m_backPicker, m_textPicker;

    static std::vector<CString> DataSets(IGridControl* grid, const CString& conn)
    {
        std::vector<CString> names;
        auto db = grid != nullptr && !conn.IsEmpty() ? grid->DBGetConnection(conn) : nullptr;
        if (db && db->GetstrName().Compare(conn) == 0)
            for (LONG i = 0; i < db->GetDataSetCount(); ++i)
                if (auto ds = db->GetDataSetEx(i))
                    names.push_back(ds->GetstrName());
        return names;
    }
};

class CBindWindow : public CFieldsWindow {
public:
    explicit CBindWindow(CBindDlg& model) : CFieldsWindow(kDlgBind), m_model(model), m_ui(*this) {}

protected:
    BOOL OnInitDialog() override
    {
        const CBindFields& b = m_model.m_data;
        SetItemText(kIdcBindName, b.strName);
        ::SendMessageA(Item(kIdcBindName), EM_SETREADONLY, m_model.m_nMode == 0 ? TRUE : FALSE, 0);
        Fill(kIdcBindFillType, {"0 - 表头", "1 - 表体", "2 - 表尾"}, CString(), b.nFillType);
        Fill(kIdcBindConnection, Connections(m_model.m_pGrid), b.strConnName, 0);
        Fill(kIdcBindDataSet, DataSets(m_model.m_pGrid, b.strConnName), b.strDataSetName,
             b.strDataSetName.IsEmpty() ? 0 : -1);
        FillBodies();
        SetNumber(kIdcBindStartRow, b.nStartRow);
        SetNumber(kIdcBindStartCol, b.nStartCol);
        Check(1131, b.bAutoOpen != FALSE);
        Check(1138, b.bAutoRow != FALSE);
        Check(1139, b.bAutoCol != FALSE);
        SetItemText(1142, b.group.strName);
        SetNumber(1147, b.group.nNameCol);
        SetItemText(1145, b.group.strFormat);
        SetItemText(1146, b.group.strFont);
        Check(1132, b.group.bAddColValue != FALSE);
        Check(1134, b.group.bReadOnly != FALSE);
        AttachColours(b.group.crBack, b.group.crText);
        ShowColorChecks(Hwnd(), b.group.bBackColor, b.group.bTextColor);
        m_pictures.Add(Item(1148), 251, RGB(255, 0, 255), true);
        ShowBorderButton(b.group.borders, b.group.bBorder);
        // Start row, start column and the group-name column.
        AttachSpin(1135, kIdcBindStartRow, 0, 1024, 1, 0);
        AttachSpin(1137, kIdcBindStartCol, 0, 1024, 1, 0);
        AttachSpin(1140, 1147, 0, 1024, 1, 0);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        CGroupRowFields& g = m_model.m_data.group;
        if (code == BN_CLICKED && ColorCommand(Hwnd(), id, g.bBackColor, g.crBack, g.bTextColor, g.crText))
            return TRUE;
        if (BorderCommand(id, code, g.borders, g.bBorder, m_ui))
            return TRUE;
        if (id == kIdcBindFillType && code == CBN_SELCHANGE) {
            FillBodies();
            return TRUE;
        }
        if (id == kIdcBindConnection && code == CBN_SELCHANGE) {
            if (Selected(kIdcBindConnection) < 1)
                Fill(kIdcBindDataSet, {}, CString());
            else
                Fill(kIdcBindDataSet, DataSets(m_model.m_pGrid, SelectedText(kIdcBindConnection)), CString(), 0);
            return TRUE;
        }
        if (id == 1129) {
            Read();
            if (SaveBind(m_model.m_pGrid, m_ui, m_model.m_data, m_model.m_nMode == 1 ? BindSave::New : BindSave::Change))
                EndDialog(IDOK);
            else if (m_model.m_data.Check().focusId != 0)
                ::SetFocus(Item(static_cast<int>(m_model.m_data.Check().focusId)));
            return TRUE;
        }
        if (id == 1130) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CFieldsWindow::OnCommand(id, code, control);
    }

private:
    // Only a footer belongs to a body binding.
    void FillBodies()
    {
        std::vector<CString> bodies;
        if (Selected(kIdcBindFillType) == 2 && m_model.m_pGrid != nullptr)
            for (LONG i = 0; i < m_model.m_pGrid->DBGetBindCount(); ++i)
                if (auto b = m_model.m_pGrid->DBGetBindEx(i))
                    if (b->GetFillType() == 1)
                        bodies.push_back(b->GetstrName());
        Fill(kIdcBindBody, bodies, m_model.m_data.strBodyBind);
        ::EnableWindow(Item(kIdcBindBody), Selected(kIdcBindFillType) == 2 ? TRUE : FALSE);
    }
    void Read()
    {
        CBindFields& b = m_model.m_data;
        b.strName = GetItemText(kIdcBindName);
        b.nFillType = Selected(kIdcBindFillType);
        b.strBodyBind = b.nFillType == 2 ? SelectedText(kIdcBindBody) : CString();
        b.strConnName = Selected(kIdcBindConnection) >= 1 ? SelectedText(kIdcBindConnection) : CString();
        b.strDataSetName = SelectedText(kIdcBindDataSet);
        b.nStartRow = Number(kIdcBindStartRow);
        b.nStartCol = Number(kIdcBindStartCol);
        b.bAutoOpen = Checked(1131);
        b.bAutoRow = Checked(1138);
        b.bAutoCol = Checked(1139);
        b.group.strName = GetItemText(1142);
        b.group.nNameCol = Number(1147);
        b.group.strFormat = GetItemText(1145);
        b.group.strFont = GetItemText(1146);
        b.group.bAddColValue = Checked(1132);
        b.group.bReadOnly = Checked(1134);
        ReadColours(b.group.crBack, b.group.crText);
    }
    CBindDlg& m_model;
    CHintUi m_ui;
};

class CBindFieldWindow : public CFieldsWindow {
public:
    explicit CBindFieldWindow(CBindFieldDlg& model) : CFieldsWindow(kDlgBindField), m_model(model), m_ui(*this) {}

protected:
    BOOL OnInitDialog() override
    {
        const CFieldFields& f = m_model.m_data;
        SetItemText(kIdcFieldBindName, f.strBindName);
        Fill(kIdcFieldBindType, {"空 绑  定", "序列绑定", "字段绑定"}, CString(), f.nBindType);
        Fill(1110, {"无统计", "合  计", "平  均", "最大值", "最小值", "计  数 "}, CString(), f.nStatistics);
        Fill(1067, {"居左", "水平居中", "居右"}, CString(), f.nHAlign);
        Fill(1068, {"靠上", "垂直居中", "靠下"}, CString(), f.nVAlign);
        if (m_model.m_pGrid != nullptr) {
            auto db = CreateDesignerDatabase();
            for (const auto& name : BindColumnNames(*m_model.m_pGrid, *db, m_ui, f.strBindName))
                ::SendMessageA(Item(kIdcFieldName), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
        }
        SetItemText(kIdcFieldName, f.strFieldName);
        SetNumber(kIdcFieldRow, f.nRow);
        SetNumber(kIdcFieldCol, f.nCol);
        SetNumber(1043, f.nColWidth);
        SetItemText(1145, f.strFormat);
        SetItemText(1146, f.strFont);
        Check(1060, f.bGroup != FALSE);
        Check(1156, f.bMerge != FALSE);
        Check(1134, f.bReadOnly != FALSE);
        Check(1154, f.bWrap != FALSE);
        Check(1155, f.bEllipsis != FALSE);
        AttachColours(f.crBack, f.crText);
        ShowColorChecks(Hwnd(), f.bBackColor, f.bTextColor);
        SetItemText(1042, f.strControl);
        Fill(1106, {"不 设 置", "字符类型", "数值类型"}, CString(), f.nDefType);
        SetItemText(1044, f.strDefValue);
        CString number;
        number.Format("%g", f.dbDefValue);
        SetItemText(1045, number);
        m_pictures.Add(Item(1148), 251, RGB(255, 0, 255), true);
        ShowBorderButton(f.borders, f.bBorder);
        AttachSpin(1137, kIdcFieldRow, 0, 65535, 1, 0);
        AttachSpin(1136, kIdcFieldCol, 0, 1024, 1, 0);
        AttachSpin(1159, 1043, 0, 1024, 1, 0);
        // The number value has no range of its own.
        AttachSpin(1139, 1045, -1e15, 1e15, 1);
        Fill(kIdcFieldSource, Connections(m_model.m_pGrid), f.strSourceConn, 0);
        Fill(kIdcFieldSourceDataSet, DataSets(m_model.m_pGrid, f.strSourceConn), f.strSourceDataSet,
             f.strSourceDataSet.IsEmpty() ? 0 : -1);
        return TRUE;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        CFieldFields& fields = m_model.m_data;
        if (code == BN_CLICKED &&
            ColorCommand(Hwnd(), id, fields.bBackColor, fields.crBack, fields.bTextColor, fields.crText))
            return TRUE;
        if (BorderCommand(id, code, fields.borders, fields.bBorder, m_ui))
            return TRUE;
        if (id == kIdcFieldSource && code == CBN_SELCHANGE) {
            if (Selected(kIdcFieldSource) < 1)
                Fill(kIdcFieldSourceDataSet, {}, CString());
            else
                Fill(kIdcFieldSourceDataSet, DataSets(m_model.m_pGrid, SelectedText(kIdcFieldSource)), CString(), 0);
            return TRUE;
        }
        if (id == 1129) {
            CFieldFields& f = m_model.m_data;
            f.strControl = GetItemText(1042);
            f.nDefType = Selected(1106) < 0 ? 0 : Selected(1106);
            f.strDefValue = GetItemText(1044);
            f.dbDefValue = std::atof(GetItemText(1045).GetString());
            f.strSourceConn = Selected(kIdcFieldSource) >= 1 ? SelectedText(kIdcFieldSource) : CString();
            f.strSourceDataSet = SelectedText(kIdcFieldSourceDataSet);
            f.strFieldName = GetItemText(kIdcFieldName);
            f.nBindType = Selected(kIdcFieldBindType);
            f.nRow = Number(kIdcFieldRow);
            f.nCol = Number(kIdcFieldCol);
            f.nColWidth = Number(1043);
            f.nStatistics = Selected(1110);
            f.nHAlign = Selected(1067);
            f.nVAlign = Selected(1068);
            f.strFormat = GetItemText(1145);
            f.strFont = GetItemText(1146);
            f.bGroup = Checked(1060);
            f.bMerge = Checked(1156);
            f.bReadOnly = Checked(1134);
            f.bWrap = Checked(1154);
            f.bEllipsis = Checked(1155);
            ReadColours(f.crBack, f.crText);
            if (SaveField(m_model.m_pGrid, m_ui, f, m_model.m_nMode == 1 ? FieldSave::New : FieldSave::Change))
                EndDialog(IDOK);
            else if (f.Check().focusId != 0)
                ::SetFocus(Item(static_cast<int>(f.Check().focusId)));
            return TRUE;
        }
        if (id == 1130) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CFieldsWindow::OnCommand(id, code, control);
    }

private:
    CBindFieldDlg& m_model;
    CHintUi m_ui;
};

}  // namespace

void ShowColorChecks(HWND dialog, BOOL backOn, BOOL textOn)
{
    ::CheckDlgButton(dialog, 1150, backOn ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, 1151, textOn ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(dialog, 1021), backOn);
    ::EnableWindow(::GetDlgItem(dialog, 1144), textOn);
}

BOOL ColorCommand(HWND dialog, UINT id, BOOL& backOn, COLORREF& back, BOOL& textOn, COLORREF& text)
{
    if (id == 1150 || id == 1151) {
        backOn = ::IsDlgButtonChecked(dialog, 1150) == BST_CHECKED;
        textOn = ::IsDlgButtonChecked(dialog, 1151) == BST_CHECKED;
        ShowColorChecks(dialog, backOn, textOn);
        return TRUE;
    }
    if (id != 1021 && id != 1144)
        return FALSE;
    PickSystemColor(dialog, id == 1021 ? back : text);
    return TRUE;
}

BOOL PickSystemColor(HWND owner, COLORREF& color)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&cc))
        return FALSE;
    color = cc.rgbResult;
    return TRUE;
}

void RegisterBindDialogWindows()
{
    RegisterDialogWindow(kDlgBind, [](HWND owner, CDesignerDialog& model) {
        CBindWindow w(static_cast<CBindDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(kDlgBindField, [](HWND owner, CDesignerDialog& model) {
        CBindFieldWindow w(static_cast<CBindFieldDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
