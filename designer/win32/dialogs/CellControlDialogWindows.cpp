// Windows of the dialogs of the cell controls, display formats and cell
// properties: each binds its model's fields to the controls of its template
// (designer/res/CellControl.rc).
#include "designer/win32/DialogWindows.h"

#include "control/KivoGuids.gen.h"

#include "designer/GridControlWnd.gen.h"
#include "designer/dialogs/CellToolDialogs.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/FormatDialogs.h"
#include "designer/dialogs/GridPropertiesDialog.h"
#include "designer/dialogs/ItemListGrid.h"
#include "designer/win32/dialogs/BoundDialogWindow.h"
#include "designer/win32/dialogs/CellPropertiesWindow.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <memory>

namespace {

CLSID ControlClassId()
{
    CLSID id;
    std::memcpy(&id, kGuid_KivoSheet.bytes, sizeof(id));
    return id;
}

std::vector<CString> Entries(std::initializer_list<const char*> texts)
{
    std::vector<CString> out;
    for (const char* t : texts)
        out.emplace_back(t);
    return out;
}

std::vector<CString> PictureEntries(const std::vector<LONG>& ids)
{
    std::vector<CString> out;
    for (LONG id : ids)
        out.push_back(CImageListDlg::EntryText(id));
    return out;
}

int IndexOfId(const std::vector<LONG>& ids, LONG id)
{
    const auto it = std::find(ids.begin(), ids.end(), id);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

LONG IdAt(const std::vector<LONG>& ids, int index)
{
    return index >= 0 && index < static_cast<int>(ids.size()) ? ids[static_cast<size_t>(index)] : -1;
}

int ListIndex(CBoundDialogWindow& w, int id)
{
    return static_cast<int>(::SendMessageA(w.Item(id), CB_GETCURSEL, 0, 0));
}

// Opens the picture list on the control and lists its pictures again.
void EditPictures(CBoundDialogWindow& w, IGridControl* grid, std::vector<LONG>& ids)
{
    if (grid == nullptr)
        return;
    CImageListDlg list(grid, w.Ui());
    w.Ui().DoModal(list);
    ids = ListPictureIds(*grid);
}

// --- control types ------------------------------------------------------------------

void BuildUrl(CBoundDialogWindow& w, CUrlControlDlg& m)
{
    w.BindCheck(1080, &m.m_nOpenUrl);
    w.BindList(1079, &m.m_nOpenMode, Entries({"单击打开", "双击打开"}));
    w.BindColour(1082, &m.m_crUrl);
    w.BindText(1083, &m.m_strDisplay);
    w.BindText(1084, &m.m_strUrl);
}

void BuildButton(CBoundDialogWindow& w, CButtonControlDlg& m)
{
    static const int kBoxes[5] = {1106, 1108, 1107, 1109, 1110};
    w.BindText(1143, &m.m_strText);
    w.BindList(1103, &m.m_nAlign, Entries({"0 - 左对齐", "1 - 居中对齐", "2 - 右对齐"}));
    w.BindList(1111, &m.m_nTextVert, Entries({"0 - 靠上对齐", "4 - 垂直居中", "8 - 靠下对齐"}));
    w.BindList(1104, &m.m_nTextHorz, Entries({"0 - 左对齐", "1 - 居中对齐", "2 - 右对齐"}));
    w.BindInt(1001, &m.m_nWidth);
    w.BindCheck(1152, &m.m_nDisable);
    w.BindCheck(1153, &m.m_nLeaveType);
    w.BindList(1105, &m.m_nTextImagePos,
               Entries({"1 - 文本在图片左部", "2 - 文本在图片顶部", "3 - 文本在图片右部", "4 - 文本在图片底部"}));
    auto fill = [&m](CBoundDialogWindow& win) {
        for (int i = 0; i < 5; ++i)
            win.FillList(kBoxes[i], PictureEntries(m.m_pictureIds), IndexOfId(m.m_pictureIds, m.m_nImages[i]));
    };
    auto read = [&m](CBoundDialogWindow& win) {
        for (int i = 0; i < 5; ++i)
            m.m_nImages[i] = IdAt(m.m_pictureIds, ListIndex(win, kBoxes[i]));
    };
    w.onInit = fill;
    w.onRead = read;
    w.onCommand = [&m, fill, read](CBoundDialogWindow& win, UINT id, UINT code) -> BOOL {
        if (code != BN_CLICKED || (id != 1211 && id != 1212))
            return FALSE;
        read(win);  // the current choices survive the new list
        if (id == 1211)
            EditPictures(win, m.m_pGrid, m.m_pictureIds);
        else if (m.m_pGrid != nullptr)
            m.m_pictureIds = ListPictureIds(*m.m_pGrid);
        fill(win);
        return TRUE;
    };
}

void BuildCheckBox(CBoundDialogWindow& w, CCheckBoxControlDlg& m)
{
    w.BindList(1034, &m.m_nStyle, Entries({"3D", "平面", "XP"}));
    w.BindCheck(1062, &m.m_nCheck);
    w.BindCheck(1063, &m.m_nEnable);
    w.BindInt(1068, &m.m_nSize);
    w.BindSpin(1070, 1068, 10, 30, 1);
    w.BindList(1069, &m.m_nVert, Entries({"靠上", "居中", "靠下"}));
    w.BindList(1067, &m.m_nHorz, Entries({"居左", "居中", "居右"}));
    w.BindCheck(1152, &m.m_nShowText);
    w.BindColour(1064, &m.m_crSide);
    w.BindColour(1065, &m.m_crTick);
    w.BindColour(1021, &m.m_crBack);
    w.onUpdate = [](CBoundDialogWindow& win) {
        const bool xp = ListIndex(win, 1034) == 2;
        for (int id : {1064, 1065, 1021})
            win.Enable(id, xp);
    };
}

// The combo dialogs host a grid control as their item list.
struct ItemListHost {
    CGridControlWnd grid;
};

void BuildCombo(CBoundDialogWindow& w, CComboBoxControlDlg& m, int autoDropId, std::shared_ptr<ItemListHost> host)
{
    w.BindList(1071, &m.m_nStyle, Entries({"可编辑", "只读"}));
    w.BindInt(1075, &m.m_nListHeight);
    w.BindSpin(1076, 1075, 100, 500, 1);
    w.BindCheck(1072, &m.m_nMatch);
    w.BindCheck(1073, &m.m_nLeaveType);
    w.BindCheck(autoDropId, &m.m_nAutoDrop);
    w.onInit = [&m, host](CBoundDialogWindow& win) {
        HWND frame = win.Item(1074);
        RECT rc;
        ::GetWindowRect(frame, &rc);
        ::MapWindowPoints(nullptr, win.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        ::DestroyWindow(frame);
        if (host->grid.Create(ControlClassId(), win.Hwnd(), rc, 1074)) {
            host->grid.GridSetDisplayStyle(0);
            itemlist::Fill(host->grid, m.m_items);
        }
    };
    w.onRead = [&m, host](CBoundDialogWindow&) {
        if (host->grid.Dispatch() != nullptr)
            m.m_items = itemlist::Read(host->grid);
    };
    w.onCommand = [host](CBoundDialogWindow&, UINT id, UINT code) -> BOOL {
        if (code != BN_CLICKED || (id != 3 && id != 4) || host->grid.Dispatch() == nullptr)
            return FALSE;
        if (id == 3)
            itemlist::AddRow(host->grid);
        else
            itemlist::DeleteTicked(host->grid);
        return TRUE;
    };
}

int RunCombo(HWND owner, CDesignerDialog& base)
{
    auto host = std::make_shared<ItemListHost>();
    int result = IDCANCEL;
    if (auto* multi = dynamic_cast<CComboCheckControlDlg*>(&base)) {
        CBoundDialogWindow w(kDlgComboCheckControl, multi);
        BuildCombo(w, *multi, 1078, host);
        w.BindText(1077, &multi->m_strSeparator);
        auto init = w.onInit;
        w.onInit = [init, multi](CBoundDialogWindow& win) {
            init(win);
            HWND box = win.Item(1077);
            for (const char* s : {",", "#", "$", "@", "/", "*", "&"})
                ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            win.SetItemText(1077, multi->m_strSeparator);
        };
        result = w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    } else if (auto* combo = dynamic_cast<CComboBoxControlDlg*>(&base)) {
        CBoundDialogWindow w(kDlgComboBoxControl, combo);
        BuildCombo(w, *combo, 1077, host);
        result = w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    }
    host->grid.Destroy();
    return result;
}

void BuildDateTime(CBoundDialogWindow& w, CDateTimeControlDlg& m)
{
    w.BindList(1079, &m.m_nType, Entries({"0 -- 日期格式", "1 -- 时间格式"}));
    w.BindList(1080, &m.m_nFormat, Entries({"0 -- 短格式", "1 -- 长格式"}));
    w.BindList(1081, &m.m_nSeparator, CDateTimeControlDlg::Separators(m.m_nType));
    w.BindCheck(1073, &m.m_nLeaveType);
    w.onCommand = [](CBoundDialogWindow& win, UINT id, UINT code) -> BOOL {
        if (id != 1079 || code != CBN_SELCHANGE)
            return FALSE;
        // The separators follow the date type, the first one chosen.
        win.FillList(1081, CDateTimeControlDlg::Separators(ListIndex(win, 1079)), 0);
        return TRUE;
    };
}

void BuildImage(CBoundDialogWindow& w, CImageControlDlg& m)
{
    w.BindList(1104, &m.m_nSizeType, Entries({"0-实际大小", "1-自定义大小", "2-随单元格大小变化", "3-缩略图"}));
    w.BindInt(1000, &m.m_nHeight);
    w.BindInt(1001, &m.m_nWidth);
    w.BindInt(1142, &m.m_nOffsetLeft);
    w.BindInt(1143, &m.m_nOffsetTop);
    w.BindInt(1144, &m.m_nOffsetRight);
    w.BindInt(1145, &m.m_nOffsetBottom);
    w.BindList(1068, &m.m_nVert, Entries({"0-上对齐", "1-垂直居中", "2-下对齐"}));
    w.BindList(1187, &m.m_nHorz, Entries({"0-左对齐", "1-水平居中", "2-右对齐"}));
    auto fill = [&m](CBoundDialogWindow& win) {
        win.FillList(1103, PictureEntries(m.m_pictureIds), IndexOfId(m.m_pictureIds, m.m_nPicture));
    };
    w.onInit = fill;
    w.onRead = [&m](CBoundDialogWindow& win) { m.m_nPicture = IdAt(m.m_pictureIds, ListIndex(win, 1103)); };
    w.onUpdate = [](CBoundDialogWindow& win) {
        const int type = ListIndex(win, 1104);
        for (int id : {1000, 1001})
            win.Enable(id, type == 1);
        for (int id : {1142, 1143, 1144, 1145})
            win.Enable(id, type == 2);
        for (int id : {1068, 1187})
            win.Enable(id, type != 1 && type != 2);
    };
    w.onCommand = [&m, fill](CBoundDialogWindow& win, UINT id, UINT code) -> BOOL {
        if (id != 1188 || code != BN_CLICKED)
            return FALSE;
        m.m_nPicture = IdAt(m.m_pictureIds, ListIndex(win, 1103));
        EditPictures(win, m.m_pGrid, m.m_pictureIds);
        fill(win);
        return TRUE;
    };
}

void BuildNumeric(CBoundDialogWindow& w, CNumericControlDlg& m)
{
    w.BindList(1049, &m.m_nInputType, Entries({"整数", "浮点数"}));
    w.BindCheck(1050, &m.m_nLimit);
    w.BindDouble(1051, &m.m_dMin);
    w.BindDouble(1052, &m.m_dMax);
    w.BindSpin(1053, 1051, -32767, 32767, 1);
    w.BindSpin(1054, 1052, -32767, 32767, 1);
    w.onUpdate = [](CBoundDialogWindow& win) {
        const bool limit = win.GetCheck(1050) == BST_CHECKED;
        win.Enable(1051, limit);
        win.Enable(1052, limit);
    };
}

// --- display formats ----------------------------------------------------------------

void BindRules(CBoundDialogWindow& w, CNumericFormatDlg& m)
{
    static const int kIds[3][3] = {{1099, 1090, 1092}, {1101, 1096, 1098}, {1100, 1093, 1095}};
    // The comparison values' spins keep the spin's own range, 0 to 100.
    static const int kSpins[3] = {1091, 1097, 1094};
    for (int i = 0; i < 3; ++i) {
        w.BindBool(kIds[i][0], &m.m_rules[i].enabled);
        w.BindDouble(kIds[i][1], &m.m_rules[i].value);
        w.BindSpin(kSpins[i], kIds[i][1], 0, 100, 1);
        w.BindColour(kIds[i][2], &m.m_rules[i].colour);
    }
    w.onUpdate = [](CBoundDialogWindow& win) {
        for (const auto& ids : kIds) {
            const bool on = win.GetCheck(ids[0]) == BST_CHECKED;
            win.Enable(ids[1], on);
            win.Enable(ids[2], on);
        }
    };
}

void BindNumber(CBoundDialogWindow& w, CNumericFormatDlg& m)
{
    w.BindText(1085, &m.m_strSeparator);
    w.BindCheck(1089, &m.m_nDisplayMinus);
    w.BindInt(1087, &m.m_nDecimal);
    w.BindInt(1084, &m.m_nSepLen);
    w.BindSpin(1088, 1087, 0, 15, 1);
    w.BindSpin(1086, 1084, 2, 10, 1);
}

void BuildNumericFormat(CBoundDialogWindow& w, CNumericFormatDlg& m)
{
    BindNumber(w, m);
    BindRules(w, m);
}

void BuildCurrencyFormat(CBoundDialogWindow& w, CCurrencyFormatDlg& m)
{
    BindNumber(w, m);
    w.BindList(1071, &m.m_nChinese, Entries({"数字", "中文大写", "中文小写"}));
    w.BindText(1102, &m.m_strPointFront);
    w.BindText(1104, &m.m_strPointBack1);
    w.BindText(1105, &m.m_strPointBack2);
    w.BindText(1107, &m.m_strPoint);
    w.BindText(1108, &m.m_strLast);
    w.BindText(1109, &m.m_strSymbol);
    w.BindText(1110, &m.m_strMinus);
    BindRules(w, m);
}

void BuildDateTimeFormat(CBoundDialogWindow& w, CDateTimeFormatDlg& m)
{
    static const int kSeq[6] = {1103, 1110, 1111, 1112, 1113, 1114};
    w.BindList(1071, &m.m_nChinese, Entries({"数字", "中文大写", "中文小写"}));
    for (int i = 0; i < 6; ++i) {
        w.BindText(1104 + i, &m.m_strSymbols[i]);
        w.BindList(kSeq[i], &m.m_nSeq[i], Entries({"1", "2", "3", "4", "5", "6"}));
        w.BindCheck(1115 + i, &m.m_nDisplay[i]);
        w.BindInt(1121 + i, &m.m_nDigits[i]);
    }
    w.BindText(1127, &m.m_strDayHour);
}

void BuildBooleanFormat(CBoundDialogWindow& w, CBooleanFormatDlg& m)
{
    w.BindText(1116, &m.m_strTrue);
    w.BindText(1117, &m.m_strFalse);
}

void BuildDecimals(CBoundDialogWindow& w, CDecimalsFormatDlg& m)
{
    w.BindInt(1087, &m.m_nDecimal);
}

// --- cell menu tools ----------------------------------------------------------------

void BuildFootnote(CBoundDialogWindow& w, CFootnoteDlg& m)
{
    w.BindText(1045, &m.m_strText);
    w.onInit = [](CBoundDialogWindow& win) { ::SetFocus(win.Item(1045)); };
}

int RunPictureList(HWND owner, CDesignerDialog& base)
{
    auto* m = dynamic_cast<CImageListDlg*>(&base);
    if (m == nullptr)
        return IDCANCEL;
    CBoundDialogWindow w(kDlgPictureList, m);
    w.BindText(1142, &m->m_strPath);
    auto fill = [m](CBoundDialogWindow& win) {
        HWND list = win.Item(1186);
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (long id : m->Ids())
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CImageListDlg::EntryText(id).GetString()));
    };
    w.onInit = fill;
    w.onCommand = [m, fill](CBoundDialogWindow& win, UINT id, UINT code) -> BOOL {
        if (code != BN_CLICKED)
            return FALSE;
        switch (id) {
        case 1130:
            win.EndDialog(IDCANCEL);
            return TRUE;
        case 1185: {
            char path[MAX_PATH * 2] = {0};
            OPENFILENAMEA ofn = {};
            ofn.lStructSize = sizeof(ofn);
            ofn.hwndOwner = win.Hwnd();
            std::string filter = CImageListDlg::kFileFilter;
            std::replace(filter.begin(), filter.end(), '|', '\0');
            ofn.lpstrFilter = filter.c_str();
            ofn.lpstrFile = path;
            ofn.nMaxFile = sizeof(path);
            ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
            if (::GetOpenFileNameA(&ofn))
                win.SetItemText(1142, CString(path));
            return TRUE;
        }
        case 1016:
            m->m_strPath = win.GetItemText(1142);
            if (m->Add()) {
                win.SetItemText(1142, m->m_strPath);
                fill(win);
            }
            return TRUE;
        case 1017: {
            const int index = static_cast<int>(::SendMessageA(win.Item(1186), LB_GETCURSEL, 0, 0));
            if (m->Delete(index))
                fill(win);
            return TRUE;
        }
        default:
            return FALSE;
        }
    };
    w.DoModal(owner);
    return IDCANCEL;
}

void BuildGridProperties(CBoundDialogWindow& w, CGridPropertiesDlg& m)
{
    const struct {
        int id;
        int* field;
    } checks[] = {{1032, &m.m_bClickHeaderSort}, {1035, &m.m_bColumnResize},     {1033, &m.m_bRowResize},
                  {1152, &m.m_bAutoSizeRow},     {1156, &m.m_bDrawFreezeLine},   {1157, &m.m_bDrawFreezeBlankLine},
                  {1153, &m.m_bAllowCopy},       {1154, &m.m_bAllowCut},         {1155, &m.m_bAllowPaste},
                  {1158, &m.m_bAllowDragAndDrop}, {1160, &m.m_bAllowDragRow},    {1161, &m.m_bAllowDragCol},
                  {1159, &m.m_bReadOnly}};
    for (const auto& c : checks)
        w.BindCheck(c.id, c.field);
    w.BindColour(1037, &m.m_crVirtualLine);
    w.BindColour(1038, &m.m_crBack);
    w.BindColour(1022, &m.m_crSelBack);
    w.BindColour(1042, &m.m_crCellBack);
    w.BindColour(1043, &m.m_crCellText);
    w.BindList(1044, &m.m_nDisplayMode, Entries({"0-Excel2002", "1-Excel2007"}));
    w.BindList(1036, &m.m_nSelectMode, Entries({"0 - 无", "1 - 单元格", "2 - 行", "3 - 列"}));
    w.BindList(1039, &m.m_nDisplayStyle, Entries({"平面", "立体"}));
    w.BindList(1034, &m.m_nVirtualLineStyle, Entries({"0 - 无", "1 - 水平", "2 - 垂直", "3 - 水平垂直"}));
    w.BindList(1041, &m.m_nSelBoxWidth, Entries({"0-无选择框", "2-较细边框", "3-默认边框"}));
    w.onInit = [&m](CBoundDialogWindow& win) { win.Enable(1159, m.EditableKnown() != FALSE); };
}

}  // namespace

void RegisterCellControlDialogWindows()
{
    RegisterDialogWindow(kDlgUrlControl, BoundRunner<CUrlControlDlg>(kDlgUrlControl, BuildUrl));
    RegisterDialogWindow(kDlgButtonControl, BoundRunner<CButtonControlDlg>(kDlgButtonControl, BuildButton));
    RegisterDialogWindow(kDlgCheckBoxControl, BoundRunner<CCheckBoxControlDlg>(kDlgCheckBoxControl, BuildCheckBox));
    RegisterDialogWindow(kDlgComboBoxControl, RunCombo);
    RegisterDialogWindow(kDlgComboCheckControl, RunCombo);
    RegisterDialogWindow(kDlgDateTimeControl, BoundRunner<CDateTimeControlDlg>(kDlgDateTimeControl, BuildDateTime));
    RegisterDialogWindow(kDlgImageControl, BoundRunner<CImageControlDlg>(kDlgImageControl, BuildImage));
    RegisterDialogWindow(kDlgNumericControl, BoundRunner<CNumericControlDlg>(kDlgNumericControl, BuildNumeric));
    RegisterDialogWindow(kDlgNumericFormat, BoundRunner<CNumericFormatDlg>(kDlgNumericFormat, BuildNumericFormat));
    RegisterDialogWindow(kDlgCurrencyFormat, BoundRunner<CCurrencyFormatDlg>(kDlgCurrencyFormat, BuildCurrencyFormat));
    RegisterDialogWindow(kDlgDateTimeFormat, BoundRunner<CDateTimeFormatDlg>(kDlgDateTimeFormat, BuildDateTimeFormat));
    RegisterDialogWindow(kDlgBooleanFormat, BoundRunner<CBooleanFormatDlg>(kDlgBooleanFormat, BuildBooleanFormat));
    RegisterDialogWindow(kDlgPercentageFormat,
                         BoundRunner<CPercentageFormatDlg>(kDlgPercentageFormat,
                                                           [](CBoundDialogWindow& w, CPercentageFormatDlg& m) {
                                                               BuildDecimals(w, m);
                                                           }));
    RegisterDialogWindow(kDlgScientificFormat,
                         BoundRunner<CScientificFormatDlg>(kDlgScientificFormat,
                                                           [](CBoundDialogWindow& w, CScientificFormatDlg& m) {
                                                               BuildDecimals(w, m);
                                                           }));
    RegisterDialogWindow(kDlgFootnote, BoundRunner<CFootnoteDlg>(kDlgFootnote, BuildFootnote));
    RegisterDialogWindow(kDlgPictureList, RunPictureList);
    RegisterDialogWindow(kDlgGridProperties, BoundRunner<CGridPropertiesDlg>(kDlgGridProperties, BuildGridProperties));
    RegisterCellPropertiesWindow();
}
