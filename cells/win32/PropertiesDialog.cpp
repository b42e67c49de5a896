// CSuperEditPropDlg: the rich-text editor's properties dialog (template 214)
// with the font page (217) and the paragraph page (216) inside its tab
// control. What the pages show and give back is cells/FormatDialogPages.h;
// this file moves it between the records and the controls. The colour
// buttons of the font page are colour pickers (CColourPicker) that open the
// palette popup below themselves.
#include "cells/win32/FormatWindows.h"
#include "cells/win32/ColourPickerWnd.h"

#include "base/Cp936.h"
#include "cells/ColourPalette.h"
#include "cells/FormatDialogPages.h"
#include "cells/FormatToolBarModel.h"
#include "cells/NumericSpinButton.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

const int kPropDialog = 214;
const int kFontPageDialog = 217;
const int kParaPageDialog = 216;
const int kTabId = 208;

// Font page controls.
const int kSpacingEdit = 203, kSpacingSpin = 226, kStyleBox = 218, kSizeBox = 211, kFaceBox = 217;
const int kBackPicker = 216, kTextPicker = 212;
const int kStrikeout = 219, kSubscript = 215, kSuperscript = 214, kUnderline = 213;
// Paragraph page controls.
const int kAlignBox = 209, kBulletBox = 210, kLineBox = 219, kLineEdit = 202, kBeforeEdit = 221, kAfterEdit = 222;
const int kLineSpin = 226, kBeforeSpin = 224, kAfterSpin = 225;

HINSTANCE OwnModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

struct DialogState {
    proppages::FontPage font;
    proppages::ParaPage para;
    HWND fontPage = nullptr;
    HWND paraPage = nullptr;
    CColourPicker textPicker;
    CColourPicker backPicker;
    CNumericSpinButton spacingSpin;
    CNumericSpinButton lineSpin;
    CNumericSpinButton beforeSpin;
    CNumericSpinButton afterSpin;
    bool loading = false;        // controls being filled: no choices
};

void Fill(HWND box, const std::vector<CString>& entries)
{
    for (const CString& e : entries)
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.GetString()));
}

CString SelectedText(HWND box)
{
    const LRESULT sel = ::SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (sel < 0)
        return CString();
    const LRESULT len = ::SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
    std::string text(len > 0 ? static_cast<size_t>(len) + 1 : 1, '\0');
    ::SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&text[0]));
    return CString(text.c_str());
}

BOOL CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    HWND box = reinterpret_cast<HWND>(lParam);
    if (lf->lfFaceName[0] != '\0' && lf->lfFaceName[0] != '@' &&
        ::SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(lf->lfFaceName)) ==
            CB_ERR)
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lf->lfFaceName));
    return TRUE;
}

// A whole-number spin over its buddy edit, from 0 to nUpper, raised to the
// value shown so that an arrow click never cuts a larger value down.
void SetSpin(CNumericSpinButton& spin, HWND page, int id, int buddy, int nUpper, int value)
{
    spin.SetDecimals(0);
    spin.SetRange(0, value > nUpper ? value : nUpper, 1);
    if (spin.AttachDlgItem(page, id, buddy))
        spin.SetValue(value);
    else
        ::SetDlgItemInt(page, buddy, static_cast<UINT>(value), FALSE);
}

void LoadFontPage(HWND page, DialogState& st)
{
    st.loading = true;
    const proppages::FontPage& f = st.font;
    HWND faces = ::GetDlgItem(page, kFaceBox);
    HDC dc = ::GetDC(nullptr);
    ::EnumFontsA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&AddFace), reinterpret_cast<LPARAM>(faces));
    ::ReleaseDC(nullptr, dc);
    Fill(::GetDlgItem(page, kSizeBox), formatbar::FontSizes());
    Fill(::GetDlgItem(page, kStyleBox), proppages::FontStyles());
    ::SendMessageA(::GetDlgItem(page, kStyleBox), CB_SETCURSEL, static_cast<WPARAM>(f.nStyle), 0);
    ::CheckDlgButton(page, kUnderline, f.bUnderline ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, kSuperscript, f.bSuperscript ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, kStrikeout, f.bStrikeout ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, kSubscript, f.bSubscript ? BST_CHECKED : BST_UNCHECKED);
    if (!f.strFace.IsEmpty())
        ::SendMessageA(faces, CB_SETCURSEL,
                       static_cast<WPARAM>(::SendMessageA(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(f.strFace.GetString()))),
                       0);
    if (f.nSize > 0) {
        char text[16];
        wsprintfA(text, "%d", f.nSize);
        ::SendMessageA(::GetDlgItem(page, kSizeBox), CB_SETCURSEL,
                       static_cast<WPARAM>(formatbar::FindExact(formatbar::FontSizes(), text)), 0);
    }
    SetSpin(st.spacingSpin, page, kSpacingSpin, kSpacingEdit, 255, f.nSpacing);
    // The pickers: "自动" gives the window-text colour, "无" the window colour.
    struct {
        CColourPicker& picker;
        int id;
        const proppages::PickerState& state;
        const char* defaultText;
    } pickers[] = {{st.textPicker, kTextPicker, f.text, "自动"}, {st.backPicker, kBackPicker, f.back, "无"}};
    for (auto& p : pickers) {
        p.picker.SubclassDlgItem(static_cast<UINT>(p.id), page);
        p.picker.SetDefaultColour(p.state.crDefault);
        p.picker.SetColour(p.state.crColour);
        p.picker.SetDefaultText(p.defaultText);
        p.picker.SetCustomText("更多颜色");
    }
    st.loading = false;
}

void LoadParaPage(HWND page, DialogState& st)
{
    st.loading = true;
    const proppages::ParaPage& p = st.para;
    Fill(::GetDlgItem(page, kAlignBox), proppages::Alignments());
    Fill(::GetDlgItem(page, kBulletBox), proppages::Bullets());
    Fill(::GetDlgItem(page, kLineBox), proppages::LineSpacings());
    ::SendMessageA(::GetDlgItem(page, kAlignBox), CB_SETCURSEL, static_cast<WPARAM>(p.nAlign), 0);
    ::SendMessageA(::GetDlgItem(page, kBulletBox), CB_SETCURSEL, static_cast<WPARAM>(p.nBullet), 0);
    ::SendMessageA(::GetDlgItem(page, kLineBox), CB_SETCURSEL, static_cast<WPARAM>(p.nLineRule), 0);
    SetSpin(st.lineSpin, page, kLineSpin, kLineEdit, 100, p.nLineValue);
    SetSpin(st.beforeSpin, page, kBeforeSpin, kBeforeEdit, 100, p.nSpaceBefore);
    SetSpin(st.afterSpin, page, kAfterSpin, kAfterEdit, 100, p.nSpaceAfter);
    ::SendMessageA(::GetDlgItem(page, kLineEdit), EM_SETREADONLY, p.bLineValueEditable ? FALSE : TRUE, 0);
    st.loading = false;
}

int ReadInt(HWND page, int id, int fallback)
{
    BOOL ok = FALSE;
    const UINT v = ::GetDlgItemInt(page, id, &ok, FALSE);
    return ok ? static_cast<int>(v) : fallback;
}

void SaveFontPage(HWND page, DialogState& st)
{
    proppages::FontPage& f = st.font;
    const LRESULT style = ::SendMessageA(::GetDlgItem(page, kStyleBox), CB_GETCURSEL, 0, 0);
    f.nStyle = style >= 0 && style < 4 ? static_cast<int>(style) : proppages::kRegular;
    f.bUnderline = ::IsDlgButtonChecked(page, kUnderline) == BST_CHECKED;
    f.bStrikeout = ::IsDlgButtonChecked(page, kStrikeout) == BST_CHECKED;
    f.bSuperscript = ::IsDlgButtonChecked(page, kSuperscript) == BST_CHECKED;
    f.bSubscript = !f.bSuperscript && ::IsDlgButtonChecked(page, kSubscript) == BST_CHECKED;
}

void SaveParaPage(HWND page, DialogState& st)
{
    proppages::ParaPage& p = st.para;
    const LRESULT align = ::SendMessageA(::GetDlgItem(page, kAlignBox), CB_GETCURSEL, 0, 0);
    const LRESULT bullet = ::SendMessageA(::GetDlgItem(page, kBulletBox), CB_GETCURSEL, 0, 0);
    p.nAlign = align >= 0 && align < 3 ? static_cast<int>(align) : 0;
    p.nBullet = bullet >= 0 && bullet < 3 ? static_cast<int>(bullet) : 0;
    if (p.nLineRule == 3)
        p.nLineValue = ReadInt(page, kLineEdit, p.nLineValue);
    p.nSpaceBefore = ReadInt(page, kBeforeEdit, p.nSpaceBefore);
    p.nSpaceAfter = ReadInt(page, kAfterEdit, p.nSpaceAfter);
}

DialogState* StateOf(HWND hwnd)
{
    return reinterpret_cast<DialogState*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR CALLBACK FontPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrA(page, DWLP_USER, lParam);
        LoadFontPage(page, *reinterpret_cast<DialogState*>(lParam));
        return FALSE;
    }
    DialogState* st = StateOf(page);
    if (st == nullptr)
        return FALSE;
    if (CColourPicker::Reflect(msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!CNumericSpinButton::ReflectNotify(lParam, &result))
            return FALSE;
        ::SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DESTROY:
        st->spacingSpin.DetachDlgItem();
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (st->loading)
            return FALSE;
        if (id == kSuperscript && code == BN_CLICKED && ::IsDlgButtonChecked(page, kSuperscript) == BST_CHECKED)
            ::CheckDlgButton(page, kSubscript, BST_UNCHECKED);
        if (id == kSubscript && code == BN_CLICKED && ::IsDlgButtonChecked(page, kSubscript) == BST_CHECKED)
            ::CheckDlgButton(page, kSuperscript, BST_UNCHECKED);
        if (id == kFaceBox && code == CBN_SELCHANGE)
            st->font.ChooseFace(SelectedText(::GetDlgItem(page, kFaceBox)));
        if (id == kSizeBox && code == CBN_SELCHANGE)
            st->font.ChooseSize(formatbar::SizeOfText(SelectedText(::GetDlgItem(page, kSizeBox))));
        if (id == kSpacingEdit && code == EN_CHANGE)
            st->font.ChooseSpacing(ReadInt(page, kSpacingEdit, st->font.nSpacing));
        return FALSE;
    }
    case palette::MSG_SELENDOK: {
        // A picker's choice (lParam its id): the default box or a colour.
        CColourPicker* picker = lParam == kTextPicker ? &st->textPicker
                                : lParam == kBackPicker ? &st->backPicker : nullptr;
        if (picker != nullptr)
            proppages::FontPage::Choose(lParam == kTextPicker ? st->font.text : st->font.back,
                                        picker->IsDefaultChosen(), picker->GetColour());
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ParaPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrA(page, DWLP_USER, lParam);
        LoadParaPage(page, *reinterpret_cast<DialogState*>(lParam));
        return FALSE;
    }
    DialogState* st = StateOf(page);
    if (st == nullptr)
        return FALSE;
    if (msg == WM_DESTROY) {
        for (CNumericSpinButton* spin : {&st->lineSpin, &st->beforeSpin, &st->afterSpin})
            spin->DetachDlgItem();
        return FALSE;
    }
    if (msg == WM_NOTIFY) {
        LRESULT result = 0;
        if (!CNumericSpinButton::ReflectNotify(lParam, &result))
            return FALSE;
        ::SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (st->loading)
        return FALSE;
    if (msg == WM_COMMAND && LOWORD(wParam) == kLineBox && HIWORD(wParam) == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageA(::GetDlgItem(page, kLineBox), CB_GETCURSEL, 0, 0);
        st->para.ChooseLineRule(static_cast<int>(sel));
        st->loading = true;
        ::SendMessageA(::GetDlgItem(page, kLineEdit), EM_SETREADONLY, st->para.bLineValueEditable ? FALSE : TRUE, 0);
        if (st->para.bLineValueEditable) {
            if (st->lineSpin.GetSafeHwnd() != nullptr)
                st->lineSpin.SetValue(st->para.nLineValue);
            else
                ::SetDlgItemInt(page, kLineEdit, static_cast<UINT>(st->para.nLineValue), FALSE);
        }
        st->loading = false;
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PropDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        DialogState* st = reinterpret_cast<DialogState*>(lParam);
        HWND tab = ::GetDlgItem(dlg, kTabId);
        const char* names[] = {"字体", "段落"};
        for (int i = 0; i < 2; ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(names[i]);
            ::SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        st->fontPage = ::CreateDialogParamA(OwnModule(), MAKEINTRESOURCEA(kFontPageDialog), tab, FontPageProc, lParam);
        st->paraPage = ::CreateDialogParamA(OwnModule(), MAKEINTRESOURCEA(kParaPageDialog), tab, ParaPageProc, lParam);
        RECT r;
        ::GetClientRect(tab, &r);
        for (HWND page : {st->fontPage, st->paraPage}) {
            if (page != nullptr)
                ::SetWindowPos(page, HWND_TOP, r.left + 4, r.top + 30, r.right - r.left - 8, r.bottom - r.top - 34,
                               SWP_HIDEWINDOW);
        }
        if (st->fontPage != nullptr)
            ::ShowWindow(st->fontPage, SW_SHOW);
        ::SendMessageA(tab, TCM_SETCURSEL, 0, 0);
        return TRUE;
    }
    DialogState* st = StateOf(dlg);
    if (st == nullptr)
        return FALSE;
    if (msg == WM_NOTIFY) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == static_cast<UINT_PTR>(kTabId) && hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
            const LRESULT sel = ::SendMessageA(hdr->hwndFrom, TCM_GETCURSEL, 0, 0);
            ::ShowWindow(st->fontPage, SW_HIDE);
            ::ShowWindow(st->paraPage, SW_HIDE);
            ::ShowWindow(sel == 1 ? st->paraPage : st->fontPage, SW_SHOW);
            ::SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            SaveFontPage(st->fontPage, *st);
            SaveParaPage(st->paraPage, *st);
        }
        ::EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

BOOL RunPropertiesDialog(HWND hwndOwner, const proppages::FontInput& fontIn, const RichParaFormat& pfIn,
                         proppages::FontResult& fontOut, RichParaFormat& pfOut)
{
    DialogState st;
    st.font = proppages::FontPageFrom(fontIn, ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT));
    st.para = proppages::ParaPageFrom(pfIn);
    const INT_PTR result = ::DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(kPropDialog), hwndOwner, PropDialogProc,
                                             reinterpret_cast<LPARAM>(&st));
    if (result != IDOK)
        return FALSE;
    fontOut = proppages::FontPageResult(st.font);
    pfOut = proppages::ParaPageResult(st.para);
    return TRUE;
}
