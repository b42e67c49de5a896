#include "designer/win32/dialogs/CellPropertiesWindow.h"

#include "designer/DesignerUi.h"
#include "designer/LineStyles.h"
#include "designer/dialogs/CellPropertiesDialog.h"
#include "designer/win32/BorderPreview.h"
#include "designer/win32/ColourPicker.h"
#include "designer/win32/DialogWindows.h"
#include "designer/win32/FontNameCombo.h"
#include "designer/win32/HoverButton.h"

#include <commctrl.h>

#include <memory>
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
// Their pictures.
const UINT kLineBitmaps[CBorderPage::kLineCount] = {252, 253, 254, 255, 273, 274, 275, 276};

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
    // The colour button: the text colour (1013) of the font page, the line
    // colour (1030) of the border page.
    std::unique_ptr<CXColourPicker> colour;
    CBorderPreview preview;     // the border page's sample cell (1031)
    CFontNameCombo faces;       // the font page's names (1005) and scripts (1011)
    CFontNameCombo scripts;
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

// The scripts of a face (of every face for an empty one), each with its
// character set as item data; selects the one of `charset` (the only one
// when there is one).
void FillCharsets(Page& page, const CString& face, int charset)
{
    CFontNameCombo& box = page.scripts;
    box.Fill(face, DEFAULT_CHARSET);
    if (!box.SelectData(charset) && ::SendMessageA(box.Hwnd(), CB_GETCOUNT, 0, 0) == 1)
        ::SendMessageA(box.Hwnd(), CB_SETCURSEL, 0, 0);
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
    lf.lfHeight = PointSizeToHeight(font.PreviewPoints() > 0 ? font.PreviewPoints() : 9);
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
    page.faces.Attach(1005, hwnd);
    page.faces.SetMode(CFontNameList::kFaces);
    page.faces.Fill(CString(), DEFAULT_CHARSET);
    page.scripts.Attach(1011, hwnd);
    page.scripts.SetMode(CFontNameList::kScripts);
    HWND names = page.faces.Hwnd();
    for (const char* s : CFontPage::kStyles)
        ::SendDlgItemMessageA(hwnd, 1006, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const char* s : CFontPage::kSizes)
        ::SendDlgItemMessageA(hwnd, 1007, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SelectExact(names, font.m_strFace);
    ::SendDlgItemMessageA(hwnd, 1006, CB_SETCURSEL, static_cast<WPARAM>(font.m_nStyle), 0);
    SelectExact(::GetDlgItem(hwnd, 1007), font.m_strSize);
    ::SetDlgItemTextA(hwnd, 1007, font.m_strSize);
    FillCharsets(page, CString(), font.m_nCharset);
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
            FillCharsets(page, font.m_strFace, font.m_nCharset);
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
    default:
        return;
    }
    UpdateSample(page);
}

void SyncBorderButtons(Page& page)
{
    CBorderPage& border = *page.border;
    for (int line = 0; line < CBorderPage::kLineCount; ++line) {
        ::CheckDlgButton(page.hwnd, kLineButtons[line], border.IsChecked(line) ? BST_CHECKED : BST_UNCHECKED);
        const CBorderLine l = border.GetBorder(line);
        if (l.line >= 0)
            page.preview.SetBorderLine(line, l.line, l.style, l.width, l.colour);
        else
            page.preview.SetBorderLine(line, -1, l.style, l.width, l.colour);
    }
    page.preview.Redraw();
}

void InitBorderPage(Page& page)
{
    page.preview.SubclassDlgItem(1031, page.hwnd);
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
    if (id == 1195) {
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

// One entry of the line-style box: its line across the item on the window
// colour; the chosen entry in the list framed in red.
void DrawStyleItem(const DRAWITEMSTRUCT* di)
{
    ::SetBkMode(di->hDC, TRANSPARENT);
    ::FillRect(di->hDC, &di->rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    ::SetTextColor(di->hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    if ((di->itemState & ODS_SELECTED) != 0 && di->rcItem.left == 0) {
        const CBorderLine frame{0, PS_SOLID, 1, RGB(255, 0, 0)};
        const int l = di->rcItem.left + 2, t = di->rcItem.top, r = di->rcItem.right - 1, b = di->rcItem.bottom - 1;
        DrawPen(di->hDC, frame, l, t, r, t);
        DrawPen(di->hDC, frame, l, b, r, b);
        DrawPen(di->hDC, frame, l, t, l, b);
        DrawPen(di->hDC, frame, r, t, r, b + 1);
    }
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
        if (page->index == 1 || page->index == 2) {
            page->buttons[0].SubclassDlgItem(1193, hwnd);
            page->buttons[0].SetBitmap(272, RGB(255, 255, 255));
            page->buttons[0].SetImageAlign(4);
            page->buttons[0].SetTextAlign(DT_RIGHT | DT_VCENTER);
        }
        if (page->index == 4) {
            for (int line = 0; line < CBorderPage::kLineCount; ++line) {
                page->buttons[line].SubclassDlgItem(kLineButtons[line], hwnd);
                page->buttons[line].SetBitmap(kLineBitmaps[line], RGB(192, 192, 192));
                page->buttons[line].SetImageAlign(5);
            }
            page->buttons[0].SetTooltipText(CString("设置上边框"));
            const int framed[2][2] = {{1195, 278}, {1196, 277}};
            for (int i = 0; i < 2; ++i) {
                CHoverButton& b = page->buttons[8 + i];
                b.SubclassDlgItem(framed[i][0], hwnd);
                b.SetBitmap(framed[i][1], RGB(192, 192, 192));
                b.SetImageAlign(1);
                b.SetTextAlign(DT_CENTER | DT_BOTTOM);
            }
        }
        if (page->index == 3 || page->index == 4) {
            const UINT id = page->index == 3 ? 1013 : 1030;
            page->colour = std::make_unique<CXColourPicker>();
            if (page->colour->SubclassDlgItem(id, hwnd))
                page->colour->SetColour(page->index == 3 ? page->owner->Model().m_font.m_crText
                                                         : page->border->m_crLine);
            else
                page->colour.reset();
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
    if (message == CPN_SELCHANGE) {
        // The colour button took another colour.
        const COLORREF colour = static_cast<COLORREF>(wParam);
        if (lParam == 1030) {
            page->border->m_crLine = colour;
        } else if (lParam == 1013 && page->owner != nullptr) {
            page->owner->Model().m_font.m_crText = colour;
            UpdateSample(*page);
        }
        return TRUE;
    }
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
        mi->itemHeight = 20;
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
