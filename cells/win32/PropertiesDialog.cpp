// CSuperEditPropDlg: the rich-text editor's properties dialog (template 214)
// with the font page (217) and the paragraph page (216) inside its tab
// control. What the pages show and give back is cells/FormatDialogPages.h;
// this file moves it between the records and the controls. The colour
// buttons of the font page are owner-drawn pickers that open the palette
// popup below themselves.
#include "cells/win32/FormatWindows.h"

#include "base/Cp936.h"
#include "cells/ColourPalette.h"
#include "cells/FormatDialogPages.h"
#include "cells/FormatToolBarModel.h"

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
    int openPicker = 0;          // the picker whose palette is open
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

void SetSpin(HWND page, int spin, int buddy, int lo, int hi, int value)
{
    HWND s = ::GetDlgItem(page, spin);
    ::SendMessageA(s, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(page, buddy)), 0);
    ::SendMessageA(s, UDM_SETRANGE32, lo, hi);
    ::SendMessageA(s, UDM_SETPOS32, 0, value);
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
    SetSpin(page, kSpacingSpin, kSpacingEdit, 0, 255, f.nSpacing);
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
    SetSpin(page, kLineSpin, kLineEdit, 0, 100, p.nLineValue);
    SetSpin(page, kBeforeSpin, kBeforeEdit, 0, 100, p.nSpaceBefore);
    SetSpin(page, kAfterSpin, kAfterEdit, 0, 100, p.nSpaceAfter);
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

// The picker button: the colour area with a sunken edge and a drop-down arrow.
void DrawPicker(const DRAWITEMSTRUCT* di, const proppages::PickerState& picker)
{
    RECT r = di->rcItem;
    const bool pushed = (di->itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(di->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int arrow = ::GetSystemMetrics(SM_CXHTHUMB);
    RECT arrowRect = {r.right - arrow - 2, r.top + 2, r.right - 2, r.bottom - 2};
    ::DrawFrameControl(di->hDC, &arrowRect, DFC_SCROLL,
                       DFCS_SCROLLDOWN | DFCS_FLAT | ((di->itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0));
    RECT colour = {r.left + 3, r.top + 3, arrowRect.left - 2, r.bottom - 3};
    ::DrawEdge(di->hDC, &colour, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool face = (di->itemState & ODS_DISABLED) != 0 || picker.crColour == ::GetSysColor(COLOR_WINDOW);
    HBRUSH brush = ::CreateSolidBrush(face ? ::GetSysColor(COLOR_BTNFACE) : picker.crColour);
    ::FillRect(di->hDC, &colour, brush);
    ::DeleteObject(brush);
    if (di->itemState & ODS_FOCUS) {
        RECT focus = di->rcItem;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(di->hDC, &focus);
    }
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
    switch (msg) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (di->CtlID == static_cast<UINT>(kTextPicker) || di->CtlID == static_cast<UINT>(kBackPicker)) {
            DrawPicker(di, di->CtlID == static_cast<UINT>(kTextPicker) ? st->font.text : st->font.back);
            return TRUE;
        }
        return FALSE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (st->loading)
            return FALSE;
        if ((id == kTextPicker || id == kBackPicker) && code == BN_CLICKED) {
            RECT r;
            ::GetWindowRect(::GetDlgItem(page, id), &r);
            const proppages::PickerState& picker = id == kTextPicker ? st->font.text : st->font.back;
            st->openPicker = id;
            OpenColourPopup(POINT{r.left, r.bottom}, picker.crColour, page, 0,
                            id == kTextPicker ? "自动" : "无", "更多颜色");
            return TRUE;
        }
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
    case palette::MSG_SELENDOK:
        if (st->openPicker != 0) {
            proppages::PickerState& picker = st->openPicker == kTextPicker ? st->font.text : st->font.back;
            proppages::FontPage::Choose(picker, lParam != 0, static_cast<COLORREF>(wParam));
            ::InvalidateRect(::GetDlgItem(page, st->openPicker), nullptr, TRUE);
            st->openPicker = 0;
        }
        return TRUE;
    case palette::MSG_SELENDCANCEL:
        st->openPicker = 0;
        return TRUE;
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
    if (st == nullptr || st->loading)
        return FALSE;
    if (msg == WM_COMMAND && LOWORD(wParam) == kLineBox && HIWORD(wParam) == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageA(::GetDlgItem(page, kLineBox), CB_GETCURSEL, 0, 0);
        st->para.ChooseLineRule(static_cast<int>(sel));
        st->loading = true;
        ::SendMessageA(::GetDlgItem(page, kLineEdit), EM_SETREADONLY, st->para.bLineValueEditable ? FALSE : TRUE, 0);
        if (st->para.bLineValueEditable)
            ::SetDlgItemInt(page, kLineEdit, static_cast<UINT>(st->para.nLineValue), FALSE);
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
