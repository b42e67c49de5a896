// The page set-up dialog's window: dialog 241 with its tab control and the
// four page dialogs 242, 243, 244 and 250 as its children. The controls show
// what the pages of CPageSetupDlg hold; every user action goes to them, and
// OK stores through CPageSetupDlg::Save. The library installs this window as
// the dialog runner when it is loaded.
#include "document/PageSetupDlg.h"

#include "platform/Printer.h"
#include "platform/Wnd.h"
#include "platform/win32/Module.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct DialogState {
    CPageSetupDlg* dialog = nullptr;
    HWND hwnd = nullptr;
    HWND pages[CPageSetupDlg::kTabCount] = {};
    HFONT editFonts[CPageSetupHeaderFooterPage::kSlotCount] = {};
    std::vector<std::pair<int, HBITMAP>> bitmaps;   // loaded once each
    bool filling = false;     // controls are being filled: their change notes are ours
};

CString ItemText(HWND page, int id)
{
    HWND item = ::GetDlgItem(page, id);
    const int length = item != nullptr ? ::GetWindowTextLengthA(item) : 0;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (length > 0)
        ::GetWindowTextA(item, &text[0], length + 1);
    return CString(text.c_str());
}

HBITMAP LoadPicture(DialogState& st, int id)
{
    for (const auto& loaded : st.bitmaps) {
        if (loaded.first == id)
            return loaded.second;
    }
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageA(PlatformModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bmp != nullptr)
        st.bitmaps.emplace_back(id, bmp);
    return bmp;
}

void ShowPicture(DialogState& st, HWND page, int control, int bitmap)
{
    HWND item = ::GetDlgItem(page, control);
    if (item == nullptr)
        return;
    if (bitmap == 0) {
        ::ShowWindow(item, SW_HIDE);
        return;
    }
    ::SendMessageA(item, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(LoadPicture(st, bitmap)));
    ::ShowWindow(item, SW_SHOW);
}

// ---- printer page ----

void ShowPaperSize(HWND page, CPageSetupPrinterPage& p)
{
    ::SetDlgItemInt(page, IDC_PS_WIDTH, static_cast<UINT>(p.GetWidthText()), FALSE);
    ::SetDlgItemInt(page, IDC_PS_HEIGHT, static_cast<UINT>(p.GetHeightText()), FALSE);
    const BOOL readOnly = p.IsSizeEditable() ? FALSE : TRUE;
    ::SendDlgItemMessageA(page, IDC_PS_WIDTH, EM_SETREADONLY, readOnly, 0);
    ::SendDlgItemMessageA(page, IDC_PS_HEIGHT, EM_SETREADONLY, readOnly, 0);
}

void ShowOrientation(DialogState& st, HWND page, CPageSetupPrinterPage& p)
{
    ::CheckRadioButton(page, IDC_PS_PORTRAIT, IDC_PS_LANDSCAPE, p.IsLandscape() ? IDC_PS_LANDSCAPE : IDC_PS_PORTRAIT);
    ShowPicture(st, page, IDC_PS_PORTRAIT_PIC, p.IsLandscape() ? 0 : IDB_PS_PORTRAIT);
    ShowPicture(st, page, IDC_PS_LANDSCAPE_PIC, p.IsLandscape() ? IDB_PS_LANDSCAPE : 0);
}

void ShowCollate(DialogState& st, HWND page, CPageSetupPrinterPage& p)
{
    ::CheckDlgButton(page, IDC_PS_COLLATE, p.GetCollate() ? BST_CHECKED : BST_UNCHECKED);
    const CPageSetupPrinterPage::CollatePictures pics = p.GetCollatePictures();
    ShowPicture(st, page, IDC_PS_COLLATE_PIC1, pics.nPicture258);
    ShowPicture(st, page, IDC_PS_COLLATE_PIC2, pics.nPicture259);
    ShowPicture(st, page, IDC_PS_COLLATE_PIC3, pics.nPicture260);
}

void ShowRange(HWND page, CPageSetupPrinterPage& p)
{
    const int radio = p.GetRange() == CPageSetupPrinterPage::RangePages
                          ? IDC_PS_RANGE_PAGES
                          : (p.GetRange() == CPageSetupPrinterPage::RangeSelection ? IDC_PS_RANGE_SELECTION
                                                                                   : IDC_PS_RANGE_ALL);
    ::CheckDlgButton(page, IDC_PS_RANGE_ALL, radio == IDC_PS_RANGE_ALL ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, IDC_PS_RANGE_PAGES, radio == IDC_PS_RANGE_PAGES ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, IDC_PS_RANGE_SELECTION, radio == IDC_PS_RANGE_SELECTION ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(page, IDC_PS_PAGES_EDIT), p.IsPagesEditEnabled() ? TRUE : FALSE);
    ::EnableWindow(::GetDlgItem(page, IDC_PS_SELECTION_EDIT), p.IsSelectionEditEnabled() ? TRUE : FALSE);
}

// The printer's texts, papers, bins and choices.
void FillPrinterChoices(DialogState& st, HWND page, CPageSetupPrinterPage& p)
{
    st.filling = true;
    ::SetDlgItemTextA(page, IDC_PS_STATUS, p.GetStatusText().GetString());
    ::SetDlgItemTextA(page, IDC_PS_TYPE, p.GetTypeText().GetString());
    ::SetDlgItemTextA(page, IDC_PS_WHERE, p.GetWhereText().GetString());
    ::SetDlgItemTextA(page, IDC_PS_COMMENT, p.GetCommentText().GetString());
    HWND paper = ::GetDlgItem(page, IDC_PS_PAPER);
    ::SendMessageA(paper, CB_RESETCONTENT, 0, 0);
    for (const CPageSetupPrinterPage::PaperEntry& e : p.GetPapers())
        ::SendMessageA(paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.strName.GetString()));
    ::SendMessageA(paper, CB_SETCURSEL, static_cast<WPARAM>(p.GetPaperIndex()), 0);
    HWND bin = ::GetDlgItem(page, IDC_PS_SOURCE);
    ::SendMessageA(bin, CB_RESETCONTENT, 0, 0);
    for (const PrinterBin& b : p.GetBins())
        ::SendMessageA(bin, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(b.strName.GetString()));
    ::SendMessageA(bin, CB_SETCURSEL, static_cast<WPARAM>(p.GetBinIndex()), 0);
    ShowPaperSize(page, p);
    ShowOrientation(st, page, p);
    ShowCollate(st, page, p);
    ::SetDlgItemInt(page, IDC_PS_COPIES, static_cast<UINT>(p.GetCopies()), FALSE);
    st.filling = false;
}

void InitPrinterPage(DialogState& st, HWND page)
{
    CPageSetupPrinterPage& p = st.dialog->PrinterPage();
    HWND printers = ::GetDlgItem(page, IDC_PS_PRINTER);
    for (const PrinterInfo& info : p.GetPrinters())
        ::SendMessageA(printers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.strName.GetString()));
    ::SendMessageA(printers, CB_SETCURSEL, static_cast<WPARAM>(p.GetPrinterIndex()), 0);
    ::SendDlgItemMessageA(page, IDC_PS_COPIES_SPIN, UDM_SETRANGE32, CPageSetupPrinterPage::kCopiesSpinMin,
                          CPageSetupPrinterPage::kCopiesSpinMax);
    FillPrinterChoices(st, page, p);
    ShowRange(page, p);
}

// What the user typed that the page does not follow as it happens.
void ReadPrinterPage(HWND page, CPageSetupPrinterPage& p)
{
    BOOL ok = FALSE;
    const UINT copies = ::GetDlgItemInt(page, IDC_PS_COPIES, &ok, FALSE);
    p.SetCopies(ok ? static_cast<int>(copies > 1000000 ? 1000000 : copies) : 0);
    if (p.IsSizeEditable()) {
        BOOL okW = FALSE, okH = FALSE;
        const UINT w = ::GetDlgItemInt(page, IDC_PS_WIDTH, &okW, FALSE);
        const UINT h = ::GetDlgItemInt(page, IDC_PS_HEIGHT, &okH, FALSE);
        p.SetCustomSize(okW ? static_cast<int>(w > 100000 ? 0 : w) : 0, okH ? static_cast<int>(h > 100000 ? 0 : h) : 0);
    }
}

void PrinterCommand(DialogState& st, HWND page, int id, int code)
{
    CPageSetupPrinterPage& p = st.dialog->PrinterPage();
    if (st.filling)
        return;
    switch (id) {
    case IDC_PS_PRINTER:
        if (code == CBN_SELCHANGE) {
            p.SelectPrinter(static_cast<int>(::SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)));
            FillPrinterChoices(st, page, p);
        }
        break;
    case IDC_PS_PAPER:
        if (code == CBN_SELCHANGE) {
            ReadPrinterPage(page, p);
            p.SelectPaper(static_cast<int>(::SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)));
            st.filling = true;
            ShowPaperSize(page, p);
            st.filling = false;
        }
        break;
    case IDC_PS_SOURCE:
        if (code == CBN_SELCHANGE)
            p.SelectBin(static_cast<int>(::SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)));
        break;
    case IDC_PS_PORTRAIT:
    case IDC_PS_LANDSCAPE:
        if (code == BN_CLICKED) {
            p.SetLandscape(id == IDC_PS_LANDSCAPE);
            ShowOrientation(st, page, p);
        }
        break;
    case IDC_PS_COLLATE:
        if (code == BN_CLICKED) {
            p.SetCollate(::IsDlgButtonChecked(page, id) == BST_CHECKED);
            ShowCollate(st, page, p);
        }
        break;
    case IDC_PS_RANGE_ALL:
    case IDC_PS_RANGE_PAGES:
    case IDC_PS_RANGE_SELECTION:
        if (code == BN_CLICKED) {
            p.SetRange(id == IDC_PS_RANGE_PAGES ? CPageSetupPrinterPage::RangePages
                                                : (id == IDC_PS_RANGE_SELECTION ? CPageSetupPrinterPage::RangeSelection
                                                                                : CPageSetupPrinterPage::RangeAll));
            ShowRange(page, p);
        }
        break;
    case IDC_PS_PROPERTIES:
        if (code == BN_CLICKED && p.GetPrinterIndex() >= 0) {
            ReadPrinterPage(page, p);
            PrintDevMode mode = p.GetModeForDriver();
            const CString name = p.GetPrinters()[p.GetPrinterIndex()].strName;
            if (Printer::EditModeWithDriver(st.hwnd, name, mode) == IDOK) {
                p.TakeDriverMode(mode);
                FillPrinterChoices(st, page, p);
            }
        }
        break;
    default: break;
    }
}

// ---- header/footer page ----

int SlotOfEdit(int id)
{
    return id >= IDC_HF_FIRST_EDIT && id < IDC_HF_FIRST_EDIT + CPageSetupHeaderFooterPage::kSlotCount
               ? id - IDC_HF_FIRST_EDIT
               : -1;
}

// Edit positions count characters; the page counts bytes of the system's
// code page.
int BytesBefore(HWND edit, int chars)
{
    const int length = ::GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(edit, &text[0], length + 1);
    if (chars > length)
        chars = length;
    if (chars <= 0)
        return 0;
    return ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), chars, nullptr, 0, nullptr, nullptr);
}

int CharsBefore(HWND edit, int bytes)
{
    const int length = ::GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(edit, &text[0], length + 1);
    if (bytes > length)
        bytes = length;
    if (bytes <= 0)
        return 0;
    return ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), bytes, nullptr, 0);
}

void SetEditFont(DialogState& st, HWND page, int slot, const LOGFONT& lf)
{
    HFONT font = ::CreateFontIndirectA(&lf);
    if (font == nullptr)
        return;
    ::SendDlgItemMessageA(page, IDC_HF_FIRST_EDIT + slot, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (st.editFonts[slot] != nullptr)
        ::DeleteObject(st.editFonts[slot]);
    st.editFonts[slot] = font;
}

void InitHeaderFooterPage(DialogState& st, HWND page)
{
    CPageSetupHeaderFooterPage& p = st.dialog->HeaderFooterPage();
    for (int slot = 0; slot < CPageSetupHeaderFooterPage::kSlotCount; ++slot) {
        ::SetDlgItemTextA(page, IDC_HF_FIRST_EDIT + slot, p.GetText(slot).GetString());
        if (p.GetFont(slot).lfFaceName[0] != '\0' || p.GetFont(slot).lfHeight != 0)
            SetEditFont(st, page, slot, p.GetFont(slot));
    }
}

void ReadHeaderFooterPage(HWND page, CPageSetupHeaderFooterPage& p)
{
    for (int slot = 0; slot < CPageSetupHeaderFooterPage::kSlotCount; ++slot)
        p.SetText(slot, ItemText(page, IDC_HF_FIRST_EDIT + slot));
}

void HeaderFooterCommand(DialogState& st, HWND page, int id, int code)
{
    CPageSetupHeaderFooterPage& p = st.dialog->HeaderFooterPage();
    const int slot = SlotOfEdit(id);
    if (slot >= 0) {
        if (code == EN_KILLFOCUS) {
            HWND edit = ::GetDlgItem(page, id);
            DWORD start = 0, end = 0;
            ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            p.RememberSelection(slot, BytesBefore(edit, static_cast<int>(start)),
                                BytesBefore(edit, static_cast<int>(end)));
        }
        return;
    }
    if (code != BN_CLICKED || p.GetFocusSlot() < 0)
        return;
    const int focus = p.GetFocusSlot();
    HWND edit = ::GetDlgItem(page, IDC_HF_FIRST_EDIT + focus);
    if (id == IDC_HF_FONT) {
        LOGFONT lf = p.GetFont(focus);
        HFONT current = reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0));
        if (current != nullptr)
            ::GetObjectA(current, sizeof(lf), &lf);
        CHOOSEFONTA cf = {};
        cf.lStructSize = sizeof(cf);
        cf.hwndOwner = st.hwnd;
        cf.lpLogFont = &lf;
        cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
        if (::ChooseFontA(&cf)) {
            p.SetFont(focus, lf);
            SetEditFont(st, page, focus, lf);
        }
        ::SetFocus(edit);
        return;
    }
    const char* code_ = CPageSetupHeaderFooterPage::FieldCodeOf(id);
    if (code_ == nullptr)
        return;
    ReadHeaderFooterPage(page, p);
    const int caret = p.InsertField(code_);
    if (caret < 0)
        return;
    ::SetWindowTextA(edit, p.GetText(focus).GetString());
    ::SetFocus(edit);
    const int chars = CharsBefore(edit, caret);
    ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(chars), static_cast<LPARAM>(chars));
}

// ---- margins page ----

void InitMarginsPage(HWND page, CPageSetupMarginsPage& p)
{
    static const char* const kHorz[] = {"居左", "居中", "居右"};
    static const char* const kVert[] = {"靠上", "居中", "靠下"};
    for (int i = 0; i < 3; ++i) {
        ::SendDlgItemMessageA(page, IDC_MG_HORZ, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kHorz[i]));
        ::SendDlgItemMessageA(page, IDC_MG_VERT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kVert[i]));
    }
    for (int i = 0; i < CPageSetupMarginsPage::MarginCount; ++i)
        ::SendDlgItemMessageA(page, IDC_MG_FIRST_SPIN + i, UDM_SETRANGE32, 0, 1000);
    if (!p.IsShown())
        return;
    for (int i = 0; i < CPageSetupMarginsPage::MarginCount; ++i)
        ::SetDlgItemTextA(page, IDC_MG_FIRST_EDIT + i, p.GetText(i).GetString());
    ::SendDlgItemMessageA(page, IDC_MG_HORZ, CB_SETCURSEL, static_cast<WPARAM>(p.GetHorzAlign()), 0);
    ::SendDlgItemMessageA(page, IDC_MG_VERT, CB_SETCURSEL, static_cast<WPARAM>(p.GetVertAlign()), 0);
}

void ReadMarginsPage(HWND page, CPageSetupMarginsPage& p)
{
    if (!p.IsShown())
        return;
    for (int i = 0; i < CPageSetupMarginsPage::MarginCount; ++i)
        p.SetText(i, ItemText(page, IDC_MG_FIRST_EDIT + i));
    p.SetHorzAlign(static_cast<int>(::SendDlgItemMessageA(page, IDC_MG_HORZ, CB_GETCURSEL, 0, 0)));
    p.SetVertAlign(static_cast<int>(::SendDlgItemMessageA(page, IDC_MG_VERT, CB_GETCURSEL, 0, 0)));
}

// A margin spin: the page steps the text; the spin keeps no value itself.
bool MarginSpin(HWND page, CPageSetupMarginsPage& p, const NMHDR* hdr)
{
    if (hdr->code != UDN_DELTAPOS)
        return false;
    const int margin = static_cast<int>(hdr->idFrom) - IDC_MG_FIRST_SPIN;
    if (margin < 0 || margin >= CPageSetupMarginsPage::MarginCount || !p.IsShown())
        return false;
    const NMUPDOWN* ud = reinterpret_cast<const NMUPDOWN*>(hdr);
    p.SetText(margin, ItemText(page, IDC_MG_FIRST_EDIT + margin));
    p.Spin(margin, ud->iDelta);
    ::SetDlgItemTextA(page, IDC_MG_FIRST_EDIT + margin, p.GetText(margin).GetString());
    return true;
}

// ---- options page ----

const int kOptionIds[CPageSetupOptionsPage::OptionCount] = {IDC_OP_ROWHEADERS, IDC_OP_COLHEADERS, IDC_OP_GRIDLINES};
const int kRangeIds[CPageSetupOptionsPage::RangeCount] = {IDC_OP_TOP, IDC_OP_BOTTOM, IDC_OP_LEFT, IDC_OP_RIGHT};

void InitOptionsPage(DialogState& st, HWND page, CPageSetupOptionsPage& p)
{
    for (int i = 0; i < CPageSetupOptionsPage::OptionCount; ++i)
        ::CheckDlgButton(page, kOptionIds[i], p.GetOption(i) ? BST_CHECKED : BST_UNCHECKED);
    for (int i = 0; i < CPageSetupOptionsPage::RangeCount; ++i) {
        ::SendDlgItemMessageA(page, kRangeIds[i], EM_LIMITTEXT, CPageSetupOptionsPage::kRangeCapacity - 1, 0);
        ::SetDlgItemTextA(page, kRangeIds[i], p.GetRangeText(i).GetString());
    }
    ShowPicture(st, page, IDC_OP_ORDER_PIC, IDB_PS_ORDER);
}

void ReadOptionsPage(HWND page, CPageSetupOptionsPage& p)
{
    for (int i = 0; i < CPageSetupOptionsPage::OptionCount; ++i)
        p.SetOption(i, ::IsDlgButtonChecked(page, kOptionIds[i]) == BST_CHECKED);
    for (int i = 0; i < CPageSetupOptionsPage::RangeCount; ++i)
        p.SetRangeText(i, ItemText(page, kRangeIds[i]));
}

// ---- the page dialogs and the dialog ----

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(page, GWLP_USERDATA, lParam);
        return TRUE;
    }
    DialogState* st = reinterpret_cast<DialogState*>(::GetWindowLongPtrA(page, GWLP_USERDATA));
    if (st == nullptr || st->dialog == nullptr)
        return FALSE;
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (page == st->pages[0])
            PrinterCommand(*st, page, id, code);
        else if (page == st->pages[1])
            HeaderFooterCommand(*st, page, id, code);
        return TRUE;
    }
    if (message == WM_NOTIFY && page == st->pages[2]) {
        if (MarginSpin(page, st->dialog->MarginsPage(), reinterpret_cast<const NMHDR*>(lParam))) {
            ::SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void ShowTab(DialogState& st, int tab)
{
    for (int i = 0; i < CPageSetupDlg::kTabCount; ++i)
        ::ShowWindow(st.pages[i], i == tab ? SW_SHOW : SW_HIDE);
    ::SendDlgItemMessageA(st.hwnd, IDC_PAGESETUP_TAB, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
}

bool InitDialog(DialogState& st)
{
    HWND tab = ::GetDlgItem(st.hwnd, IDC_PAGESETUP_TAB);
    for (int i = 0; i < CPageSetupDlg::kTabCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(CPageSetupDlg::TabText(i));
        ::SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    // The pages fill the tab control's area less 30 pixels at the top and 4
    // on the other sides.
    RECT area;
    ::GetClientRect(tab, &area);
    ::MapWindowPoints(tab, st.hwnd, reinterpret_cast<POINT*>(&area), 2);
    area.top += 30;
    area.left += 4;
    area.right -= 4;
    area.bottom -= 4;
    static const int kPageIds[CPageSetupDlg::kTabCount] = {IDD_PAGESETUP_PRINTER, IDD_PAGESETUP_HEADERFOOTER,
                                                           IDD_PAGESETUP_MARGINS, IDD_PAGESETUP_OPTIONS};
    for (int i = 0; i < CPageSetupDlg::kTabCount; ++i) {
        st.pages[i] = ::CreateDialogParamA(PlatformModuleInstance(), MAKEINTRESOURCEA(kPageIds[i]), st.hwnd,
                                           &PageProc, reinterpret_cast<LPARAM>(&st));
        if (st.pages[i] == nullptr)
            return false;
        ::SetWindowPos(st.pages[i], tab, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOACTIVATE);
    }
    InitPrinterPage(st, st.pages[0]);
    InitHeaderFooterPage(st, st.pages[1]);
    InitMarginsPage(st.pages[2], st.dialog->MarginsPage());
    InitOptionsPage(st, st.pages[3], st.dialog->OptionsPage());
    ShowTab(st, 0);
    return true;
}

void OnOk(DialogState& st)
{
    CPageSetupDlg& d = *st.dialog;
    ReadPrinterPage(st.pages[0], d.PrinterPage());
    ReadHeaderFooterPage(st.pages[1], d.HeaderFooterPage());
    ReadMarginsPage(st.pages[2], d.MarginsPage());
    ReadOptionsPage(st.pages[3], d.OptionsPage());
    const int refused = d.Save();
    if (refused < 0) {
        ::EndDialog(st.hwnd, IDOK);
        return;
    }
    // The refusing page comes to the front with its field focused.
    ShowTab(st, refused);
    int field = IDC_PS_COPIES;
    const char* text = "请输入 1 到 65535 之间的打印份数.";
    if (refused == 2) {
        field = IDC_MG_FIRST_EDIT + d.MarginsPage().FirstInvalid();
        text = "请输入 0 到 100 之间的边距(厘米).";
    }
    ::MessageBoxA(st.hwnd, text, "提示", MB_OK | MB_ICONINFORMATION);
    HWND item = ::GetDlgItem(st.pages[refused], field);
    ::SetFocus(item);
    ::SendMessageA(item, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        DialogState* st = reinterpret_cast<DialogState*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
        st->hwnd = hwnd;
        if (!InitDialog(*st))
            ::EndDialog(hwnd, -1);
        return TRUE;
    }
    DialogState* st = reinterpret_cast<DialogState*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (st == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(*st);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == IDC_PAGESETUP_TAB && hdr->code == TCN_SELCHANGE) {
            const int tab = static_cast<int>(::SendMessageA(hdr->hwndFrom, TCM_GETCURSEL, 0, 0));
            for (int i = 0; i < CPageSetupDlg::kTabCount; ++i)
                ::ShowWindow(st->pages[i], i == tab ? SW_SHOW : SW_HIDE);
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

INT_PTR RunPageSetup(CWnd* pParent, CPageSetupDlg& dialog)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    DialogState st;
    st.dialog = &dialog;
    HWND owner = pParent != nullptr ? pParent->GetSafeHwnd() : nullptr;
    if (owner != nullptr)
        owner = ::GetAncestor(owner, GA_ROOT);
    const INT_PTR answer = ::DialogBoxParamA(PlatformModuleInstance(), MAKEINTRESOURCEA(IDD_PAGESETUP), owner,
                                             &DialogProc, reinterpret_cast<LPARAM>(&st));
    for (HFONT font : st.editFonts) {
        if (font != nullptr)
            ::DeleteObject(font);
    }
    for (const auto& loaded : st.bitmaps)
        ::DeleteObject(loaded.second);
    return answer == IDOK ? IDOK : IDCANCEL;
}

// Installed when the library is loaded.
const bool g_runnerInstalled = (SetPageSetupRunner(&RunPageSetup), true);

}  // namespace
