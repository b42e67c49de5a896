#include "designer/win32/dialogs/CellPropertiesWindow.h"

#include "designer/DesignerUi.h"
#include "designer/LineStyles.h"
#include "designer/dialogs/CellPropertiesDialog.h"
#include "designer/win32/DialogWindows.h"
#include "designer/win32/HoverButton.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const int kTab = 1002;
const int kOk = 1129;
const int kCancel = 1130;
// Templates of the pages in tab order: data type, format, control, font, border.
const UINT kPageTemplates[CCellPropertiesDlg::kPageCount] = {133, 137, 135, 134, 138};
// The line buttons of the border page, by preview line.
const int kLineButtons[CBorderPage::kLineCount] = {1025, 1028, 1027, 1026, 1035, 1036, 1032, 1033};

class CCellPropertiesWindow;

// The state a page's window procedure reaches.
struct Page {
    CCellPropertiesWindow* owner = nullptr;  // null for the border popup
    CBorderPage* border = nullptr;           // the border page's model
    IDesignerUi* ui = nullptr;
    int index = 0;
    HWND hwnd = nullptr;
    HFONT sampleFont = nullptr;
    // "设置参数(&S)" on the format and control pages; the line buttons,
    // "外边框" and "清空" on the border page.
    CHoverButton buttons[10];
};

class CCellPropertiesWindow : public CDialogWindow {
public:
    explicit CCellPropertiesWindow(CCellPropertiesDlg& model) : CDialogWindow(kDlgCellProperties), m_model(model) {}
    CCellPropertiesDlg& Model() { return m_model; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT id, UINT code, HWND control) override;
    INT_PTR OnNotify(NMHDR* hdr) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowPage(int index);

    CCellPropertiesDlg& m_model;
    Page m_pages[CCellPropertiesDlg::kPageCount];
};

// --- the pages ----------------------------------------------------------------------

void FillListBox(HWND list, const char* const* entries, int count, int selected)
{
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i]));
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM out)
{
    auto* faces = reinterpret_cast<std::vector<std::string>*>(out);
    if (lf->lfFaceName[0] != '@')
        faces->push_back(lf->lfFaceName);
    return 1;
}

int CALLBACK CollectScript(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM out)
{
    auto* scripts = reinterpret_cast<std::vector<std::pair<std::string, int>>*>(out);
    const auto* ex = reinterpret_cast<const ENUMLOGFONTEXA*>(lf);
    for (const auto& s : *scripts)
        if (s.second == lf->lfCharSet)
            return 1;
    scripts->emplace_back(reinterpret_cast<const char*>(ex->elfScript), lf->lfCharSet);
    return 1;
}

// The character sets of a face (all of them for an empty face), each with its
// number as item data; selects the one equal to charset.
void FillCharsets(HWND page, const CString& face, int charset)
{
    HWND box = ::GetDlgItem(page, 1011);
    ::SendMessageA(box, CB_RESETCONTENT, 0, 0);
    std::vector<std::pair<std::string, int>> scripts;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    HDC dc = ::GetDC(page);
    ::EnumFontFamiliesExA(dc, &lf, CollectScript, reinterpret_cast<LPARAM>(&scripts), 0);
    ::ReleaseDC(page, dc);
    for (const auto& s : scripts) {
        const LRESULT at = ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.first.c_str()));
        ::SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(at), s.second);
        if (s.second == charset)
            ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    if (scripts.size() == 1)
        ::SendMessageA(box, CB_SETCURSEL, 0, 0);
}

void SelectExact(HWND box, const CString& text)
{
    const LRESULT at = ::SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.GetString()));
    ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

void UpdateSample(Page& page)
{
    CFontPage& font = page.owner->Model().m_font;
    LOGFONTA lf = {};
    lf.lfCharSet = static_cast<BYTE>(font.m_nCharset);
    lstrcpynA(lf.lfFaceName, font.m_strFace, LF_FACESIZE);
    lf.lfWeight = (font.m_nStyle == 1 || font.m_nStyle == 3) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.m_nStyle == 2 || font.m_nStyle == 3) ? 1 : 0;
    HDC dc = ::GetDC(page.hwnd);
    lf.lfHeight = -MulDiv(font.PreviewPoints() > 0 ? font.PreviewPoints() : 9, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(page.hwnd, dc);
    lf.lfUnderline = font.m_nUnderline ? 1 : 0;
    lf.lfStrikeOut = font.m_nStrikeout ? 1 : 0;
    HFONT made = ::CreateFontIndirectA(&lf);
    ::SendDlgItemMessageA(page.hwnd, 1012, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (page.sampleFont != nullptr)
        ::DeleteObject(page.sampleFont);
    page.sampleFont = made;
    ::InvalidateRect(::GetDlgItem(page.hwnd, 1012), nullptr, TRUE);
    ::InvalidateRect(::GetDlgItem(page.hwnd, 1013), nullptr, TRUE);
}

CString BoxText(HWND box)
{
    char text[256] = {0};
    ::GetWindowTextA(box, text, sizeof text);
    return CString(text);
}

CString SelectedText(HWND box)
{
    const LRESULT at = ::SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (at < 0)
        return CString();
    const LRESULT n = ::SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0);
    std::vector<char> text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    ::SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.data()));
    return CString(text.data());
}

void InitFontPage(Page& page)
{
    CFontPage& font = page.owner->Model().m_font;
    HWND hwnd = page.hwnd;
    std::vector<std::string> faces;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    HDC dc = ::GetDC(hwnd);
    ::EnumFontFamiliesExA(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(hwnd, dc);
    HWND names = ::GetDlgItem(hwnd, 1005);
    for (const std::string& f : faces)
        if (::SendMessageA(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(f.c_str())) < 0)
            ::SendMessageA(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    for (const char* s : CFontPage::kStyles)
        ::SendDlgItemMessageA(hwnd, 1006, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const char* s : CFontPage::kSizes)
        ::SendDlgItemMessageA(hwnd, 1007, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SelectExact(names, font.m_strFace);
    ::SendDlgItemMessageA(hwnd, 1006, CB_SETCURSEL, static_cast<WPARAM>(font.m_nStyle), 0);
    SelectExact(::GetDlgItem(hwnd, 1007), font.m_strSize);
    ::SetDlgItemTextA(hwnd, 1007, font.m_strSize);
    FillCharsets(hwnd, CString(), font.m_nCharset);
    ::CheckDlgButton(hwnd, 1008, font.m_nUnderline ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(hwnd, 1009, font.m_nStrikeout ? BST_CHECKED : BST_UNCHECKED);
    UpdateSample(page);
}

void FontPageCommand(Page& page, UINT id, UINT code)
{
    CFontPage& font = page.owner->Model().m_font;
    HWND hwnd = page.hwnd;
    switch (id) {
    case 1005:
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
            HWND box = ::GetDlgItem(hwnd, 1005);
            if (code == CBN_EDITCHANGE) {
                const CString typed = BoxText(box);
                const LRESULT at = ::SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(typed.GetString()));
                if (at < 0 || SelectedText(box) == typed)
                    return;
                ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
            }
            font.m_strFace = SelectedText(box);
            FillCharsets(hwnd, font.m_strFace, font.m_nCharset);
            if (::SendDlgItemMessageA(hwnd, 1006, CB_GETCURSEL, 0, 0) < 0) {
                ::SendDlgItemMessageA(hwnd, 1006, CB_SETCURSEL, 0, 0);
                font.m_nStyle = 0;
            }
            if (font.m_strSize.IsEmpty()) {
                ::SendDlgItemMessageA(hwnd, 1007, CB_SETCURSEL, 3, 0);
                font.m_strSize = "11";
            }
        }
        break;
    case 1006:
        if (code == CBN_SELCHANGE)
            font.m_nStyle = static_cast<int>(::SendDlgItemMessageA(hwnd, 1006, CB_GETCURSEL, 0, 0));
        break;
    case 1007:
        if (code == CBN_SELCHANGE)
            font.m_strSize = SelectedText(::GetDlgItem(hwnd, 1007));
        else if (code == CBN_EDITCHANGE)
            font.m_strSize = BoxText(::GetDlgItem(hwnd, 1007));
        break;
    case 1011:
        if (code == CBN_SELCHANGE) {
            const LRESULT at = ::SendDlgItemMessageA(hwnd, 1011, CB_GETCURSEL, 0, 0);
            font.m_nCharset = at < 0 ? 1 : static_cast<int>(::SendDlgItemMessageA(hwnd, 1011, CB_GETITEMDATA, at, 0));
        }
        break;
    case 1008:
        font.m_nUnderline = ::IsDlgButtonChecked(hwnd, 1008) == BST_CHECKED ? 1 : 0;
        break;
    case 1009:
        font.m_nStrikeout = ::IsDlgButtonChecked(hwnd, 1009) == BST_CHECKED ? 1 : 0;
        break;
    case 1013: {
        COLORREF colour = font.m_crText;
        if (code == BN_CLICKED && page.owner->Model().Ui().PickColor(colour))
            font.m_crText = colour;
        break;
    }
    default:
        return;
    }
    UpdateSample(page);
}

void SyncBorderButtons(Page& page)
{
    CBorderPage& border = *page.border;
    for (int line = 0; line < CBorderPage::kLineCount; ++line)
        ::CheckDlgButton(page.hwnd, kLineButtons[line], border.IsChecked(line) ? BST_CHECKED : BST_UNCHECKED);
    ::InvalidateRect(::GetDlgItem(page.hwnd, 1031), nullptr, TRUE);
    ::InvalidateRect(::GetDlgItem(page.hwnd, 1030), nullptr, TRUE);
}

void InitBorderPage(Page& page)
{
    HWND box = ::GetDlgItem(page.hwnd, 1029);
    for (int i = 0; i < kLineStyleCount; ++i) {
        const LRESULT at = ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
        ::SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
    ::SendMessageA(box, CB_SETCURSEL, 0, 0);
    SyncBorderButtons(page);
}

void BorderPageCommand(Page& page, UINT id, UINT code)
{
    CBorderPage& border = *page.border;
    if (id == 1029 && code == CBN_SELCHANGE) {
        border.m_nStyleIndex = static_cast<int>(::SendDlgItemMessageA(page.hwnd, 1029, CB_GETCURSEL, 0, 0));
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == 1030) {
        COLORREF colour = border.m_crLine;
        if (page.ui->PickColor(colour))
            border.m_crLine = colour;
    } else if (id == 1195) {
        border.Outer();
    } else if (id == 1196) {
        border.Clear();
    } else {
        for (int line = 0; line < CBorderPage::kLineCount; ++line)
            if (static_cast<int>(id) == kLineButtons[line])
                border.SetLine(line, ::IsDlgButtonChecked(page.hwnd, id) == BST_CHECKED);
    }
    SyncBorderButtons(page);
}

void DrawPen(HDC dc, const CBorderLine& l, int x1, int y1, int x2, int y2)
{
    HPEN pen = ::CreatePen(l.style, l.width > 0 ? l.width : 1, l.colour);
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

// The border preview: a sample cell with its eight lines.
void DrawPreview(const CBorderPage& border, const DRAWITEMSTRUCT* di)
{
    HDC dc = di->hDC;
    RECT rc = di->rcItem;
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::InflateRect(&rc, -10, -10);
    const int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
    const int mx = (l + r) / 2, my = (t + b) / 2;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(160, 160, 160));
    ::DrawTextA(dc, "文本", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CBorderLine lines[8] = {border.GetBorder(0), border.GetBorder(1), border.GetBorder(2), border.GetBorder(3),
                                  border.GetBorder(4), border.GetBorder(5), border.GetBorder(6), border.GetBorder(7)};
    if (lines[0].line >= 0) DrawPen(dc, lines[0], l, t, r, t);
    if (lines[1].line >= 0) DrawPen(dc, lines[1], l, b, r, b);
    if (lines[2].line >= 0) DrawPen(dc, lines[2], l, t, l, b);
    if (lines[3].line >= 0) DrawPen(dc, lines[3], r, t, r, b);
    if (lines[4].line >= 0) DrawPen(dc, lines[4], l, t, r, b);
    if (lines[5].line >= 0) DrawPen(dc, lines[5], r, t, l, b);
    if (lines[6].line >= 0) {
        DrawPen(dc, lines[6], l, t, r, my);
        DrawPen(dc, lines[6], l, t, mx, b);
    }
    if (lines[7].line >= 0) {
        DrawPen(dc, lines[7], r, b, mx, t);
        DrawPen(dc, lines[7], r, b, l, my);
    }
}

void DrawColourButton(const DRAWITEMSTRUCT* di, COLORREF colour)
{
    RECT rc = di->rcItem;
    ::DrawEdge(di->hDC, &rc, (di->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    ::InflateRect(&rc, -2, -2);
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(di->hDC, &rc, brush);
    ::DeleteObject(brush);
    ::FrameRect(di->hDC, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void DrawStyleItem(const DRAWITEMSTRUCT* di)
{
    ::FillRect(di->hDC, &di->rcItem, ::GetSysColorBrush((di->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CBorderLine l;
    if (di->itemID == static_cast<UINT>(-1) ||
        !CComboBoxLine::StyleToPen(static_cast<int>(di->itemData), &l.style, &l.width))
        return;
    const int y = (di->rcItem.top + di->rcItem.bottom) / 2;
    DrawPen(di->hDC, l, di->rcItem.left + 4, y, di->rcItem.right - 4, y);
}

INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<Page*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        page->hwnd = hwnd;
        if (page->index == 1 || page->index == 2)
            page->buttons[0].SubclassDlgItem(1193, hwnd);
        if (page->index == 4) {
            for (int line = 0; line < CBorderPage::kLineCount; ++line)
                page->buttons[line].SubclassDlgItem(kLineButtons[line], hwnd);
            page->buttons[0].SetTooltipText(CString("设置上边框"));
            page->buttons[8].SubclassDlgItem(1195, hwnd);
            page->buttons[9].SubclassDlgItem(1196, hwnd);
        }
        if (page->owner == nullptr) {
            InitBorderPage(*page);
            return FALSE;
        }
        CCellPropertiesDlg& m = page->owner->Model();
        switch (page->index) {
        case 0:
            ::CheckDlgButton(hwnd, 1003, m.m_dataType.m_nType == 0 ? BST_CHECKED : BST_UNCHECKED);
            ::CheckDlgButton(hwnd, 1004, m.m_dataType.m_nType == 1 ? BST_CHECKED : BST_UNCHECKED);
            break;
        case 1:
            FillListBox(::GetDlgItem(hwnd, 1194), CFormatPage::kEntries, CFormatPage::kTypeCount, m.m_format.m_nSelected);
            break;
        case 2:
            FillListBox(::GetDlgItem(hwnd, 1192), CControlPage::kEntries, CControlPage::kTypeCount,
                        m.m_control.m_nSelected);
            ::EnableWindow(::GetDlgItem(hwnd, 1193), m.m_control.CanSetParameters());
            break;
        case 3:
            InitFontPage(*page);
            break;
        case 4:
            InitBorderPage(*page);
            break;
        default:
            break;
        }
        return FALSE;
    }
    auto* page = reinterpret_cast<Page*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (page == nullptr)
        return FALSE;
    if (page->owner == nullptr && message == WM_COMMAND) {
        BorderPageCommand(*page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (page->owner == nullptr && message != WM_DRAWITEM && message != WM_MEASUREITEM)
        return FALSE;
    CCellPropertiesDlg* model = page->owner != nullptr ? &page->owner->Model() : nullptr;
    switch (message) {
    case WM_COMMAND: {
        CCellPropertiesDlg& m = *model;
        const UINT id = LOWORD(wParam), code = HIWORD(wParam);
        switch (page->index) {
        case 0:
            if (code == BN_CLICKED && (id == 1003 || id == 1004))
                m.m_dataType.m_nType = id == 1003 ? 0 : 1;
            break;
        case 1:
            if (id == 1194 && code == LBN_SELCHANGE)
                m.m_format.m_nSelected = static_cast<int>(::SendDlgItemMessageA(hwnd, 1194, LB_GETCURSEL, 0, 0));
            else if (id == 1193 && code == BN_CLICKED)
                m.SetFormatParameters();
            break;
        case 2:
            if (id == 1192 && code == LBN_SELCHANGE) {
                m.m_control.m_nSelected = static_cast<int>(::SendDlgItemMessageA(hwnd, 1192, LB_GETCURSEL, 0, 0));
                ::EnableWindow(::GetDlgItem(hwnd, 1193), m.m_control.CanSetParameters());
            } else if (id == 1193 && code == BN_CLICKED) {
                m.SetControlParameters();
            }
            break;
        case 3:
            FontPageCommand(*page, id, code);
            break;
        case 4:
            BorderPageCommand(*page, id, code);
            break;
        default:
            break;
        }
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (CHoverButton::DrawItem(di))
            ;
        else if (di->CtlID == 1031)
            DrawPreview(*page->border, di);
        else if (di->CtlID == 1030)
            DrawColourButton(di, page->border->m_crLine);
        else if (di->CtlID == 1013 && model != nullptr)
            DrawColourButton(di, model->m_font.m_crText);
        else if (di->CtlID == 1029)
            DrawStyleItem(di);
        else
            return FALSE;
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mi->CtlID != 1029)
            return FALSE;
        mi->itemHeight = 16;
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (model != nullptr && reinterpret_cast<HWND>(lParam) == ::GetDlgItem(hwnd, 1012)) {
            ::SetTextColor(reinterpret_cast<HDC>(wParam), model->m_font.m_crText);
            ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
    case WM_DESTROY:
        if (page->sampleFont != nullptr) {
            ::DeleteObject(page->sampleFont);
            page->sampleFont = nullptr;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// --- the dialog ---------------------------------------------------------------------

BOOL CCellPropertiesWindow::OnInitDialog()
{
    HWND tab = Item(kTab);
    for (int i = 0; i < CCellPropertiesDlg::kPageCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(CCellPropertiesDlg::kTabs[i]);
        ::SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT rc;
    ::GetClientRect(tab, &rc);
    rc.left += 10;
    rc.top += 30;
    rc.right -= 10;
    rc.bottom -= 10;
    for (int i = 0; i < CCellPropertiesDlg::kPageCount; ++i) {
        m_pages[i].owner = this;
        m_pages[i].index = i;
        m_pages[i].border = &m_model.m_border;
        m_pages[i].ui = &m_model.Ui();
        HWND page = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageTemplates[i]), tab, PageProc,
                                         reinterpret_cast<LPARAM>(&m_pages[i]));
        if (page != nullptr)
            ::MoveWindow(page, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    }
    ShowPage(0);
    return TRUE;
}

void CCellPropertiesWindow::ShowPage(int index)
{
    for (int i = 0; i < CCellPropertiesDlg::kPageCount; ++i)
        if (m_pages[i].hwnd != nullptr)
            ::ShowWindow(m_pages[i].hwnd, i == index ? SW_SHOW : SW_HIDE);
}

INT_PTR CCellPropertiesWindow::OnNotify(NMHDR* hdr)
{
    if (hdr != nullptr && hdr->idFrom == kTab && hdr->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(::SendMessageA(Item(kTab), TCM_GETCURSEL, 0, 0)));
    return 0;
}

BOOL CCellPropertiesWindow::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == kOk && code == BN_CLICKED) {
        m_model.OnOK();
        EndDialog(IDOK);
        return TRUE;
    }
    if (id == kCancel || id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (id == IDOK)
        return TRUE;  // Enter in a page does not close the dialog
    return CDialogWindow::OnCommand(id, code, control);
}

INT_PTR CCellPropertiesWindow::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message == WM_DESTROY)
        for (Page& p : m_pages)
            if (p.hwnd != nullptr) {
                ::DestroyWindow(p.hwnd);
                p.hwnd = nullptr;
            }
    return FALSE;
}

// The border page on its own (template 281): the binding dialogs' popup.
class CBorderPopupWindow : public CDialogWindow {
public:
    explicit CBorderPopupWindow(CBorderPopupDlg& model) : CDialogWindow(kDlgBorderPopup), m_model(model) {}

protected:
    BOOL OnInitDialog() override
    {
        m_page.border = &m_model.m_page;
        m_page.ui = &m_ui;
        m_page.index = 4;
        HWND frame = Item(1031);
        RECT rc;
        ::GetWindowRect(frame, &rc);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        ::DestroyWindow(frame);
        HWND page = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(138), Hwnd(), PageProc,
                                         reinterpret_cast<LPARAM>(&m_page));
        if (page != nullptr) {
            ::MoveWindow(page, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
            ::ShowWindow(page, SW_SHOW);
        }
        return TRUE;
    }
    void OnOK() override
    {
        m_model.Accept();
        EndDialog(IDOK);
    }

private:
    class PopupUi : public IDesignerUi {
    public:
        explicit PopupUi(CBorderPopupWindow& w) : m_w(w) {}
        int MessageBox(const CString& text, const CString& caption, UINT type) override
        {
            return ::MessageBoxA(m_w.Hwnd(), text, caption, type);
        }
        bool CanPaste() override { return false; }
        void SelectFontName(const CString&) override {}
        void SelectFontSize(const CString&) override {}
        void SelectFirstInsertReferences() override {}
        CString AskSavePath(const CString&) override { return CString(); }
        BOOL PickColor(COLORREF& color) override { return m_w.m_model.PickColour(color); }

    private:
        CBorderPopupWindow& m_w;
    };

    CBorderPopupDlg& m_model;
    PopupUi m_ui{*this};
    Page m_page;
};

}  // namespace

void RegisterCellPropertiesWindow()
{
    RegisterDialogWindow(kDlgCellProperties, [](HWND owner, CDesignerDialog& base) {
        auto* model = dynamic_cast<CCellPropertiesDlg*>(&base);
        if (model == nullptr)
            return IDCANCEL;
        CCellPropertiesWindow window(*model);
        return window.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
    RegisterDialogWindow(kDlgBorderPopup, [](HWND owner, CDesignerDialog& base) {
        auto* model = dynamic_cast<CBorderPopupDlg*>(&base);
        if (model == nullptr)
            return IDCANCEL;
        model->Begin();
        CBorderPopupWindow window(*model);
        return window.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
