// The designer's MDI main frame: menus, accelerators, six toolbars with tool
// tips and fly-by texts, the font, size, line-style and insert-reference
// boxes, the status bar, the recent-file list, dropped files and open
// requests, and the routing of commands to the active document.
#include "designer/win32/Framework.h"

#include "designer/CommandLine.h"
#include "designer/DesignerCommand.h"
#include "designer/DesignerCommands.h"
#include "designer/FontSizeBox.h"
#include "designer/LineStyles.h"
#include "designer/win32/DriverCall.h"
#include "designer/win32/MenuLookup.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace designer_cmd;

const char* const CMainFrame::kClassName = "KivoDesignerMainFrame";

namespace {

const UINT kToolbarId = 0xE800;   // every toolbar carries the framework's first toolbar id
const UINT kStatusId = 0xE801;
const int kSep = 0;

// The buttons of the six toolbars (0 is a separator).
const int kBar128[] = {57600, 57601, 57603, kSep, 32992, 32938, kSep, 57635, 57634, 57637, kSep, 57609, 32957, kSep,
                       57607, kSep, 33041, 57664};
const int kBar147[] = {32835, 32836, kSep, 32806, 32807, kSep, 32808, 32809, 32810, 32811, kSep, 32812, 32813, 32814,
                       kSep, 32850, 32851, 32852, kSep, 32927, kSep, 32935, 32937};
const int kBar151[] = {32853, 32816, 32844, 32847, 32817, kSep, 32855, 32857, 32983, 32984, kSep, 32840, 32819,
                       32841, 32839, 32950, kSep, 33013, 33017, kSep, 32823, 32842, 32825, 32826, kSep, 33034, 33036,
                       33038, 33039, kSep, 32909, 32908, 32827, 33040, 32884, 32885, 32886, kSep, 32837, 32843, kSep,
                       32846, 32849, kSep, 32830, 32832};
const int kBar172[] = {32867, 32868, kSep, 32869, 32870, 32871, 32872, kSep, 32873, 32874, 33022, kSep, 32882, kSep,
                       32991, kSep, 32959, 32960, kSep, 32976};
const int kBar184[] = {32875, 32876, 32877, kSep, 32878, 32879, 32880, kSep, 33010};
const int kBar187[] = {32776, kSep, 32802, 32916, kSep, 33005, 33002, 33003, 33004, kSep, 32778, 32779, 32914, kSep,
                       32777};

struct BarSpec {
    UINT resource;
    const int* buttons;
    size_t count;
    int row;   // the docking row at the top
};
const BarSpec kBars[] = {
    {128, kBar128, sizeof(kBar128) / sizeof(int), 0}, {151, kBar151, sizeof(kBar151) / sizeof(int), 2},
    {147, kBar147, sizeof(kBar147) / sizeof(int), 3}, {172, kBar172, sizeof(kBar172) / sizeof(int), 1},
    {184, kBar184, sizeof(kBar184) / sizeof(int), 1}, {187, kBar187, sizeof(kBar187) / sizeof(int), 1},
};

// A button image of our own drawing: a tinted square with the first
// character of the button's tip.
HBITMAP DrawButtonImage(HDC screen, UINT id, int w, int h)
{
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc = {0, 0, w, h};
    HBRUSH back = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FillRect(dc, &rc, back);
    ::DeleteObject(back);
    const COLORREF tints[] = {RGB(30, 90, 170), RGB(170, 60, 30), RGB(30, 130, 60), RGB(120, 60, 150),
                              RGB(160, 120, 20)};
    HBRUSH tint = ::CreateSolidBrush(tints[id % 5]);
    RECT inner = {1, 1, w - 1, h - 1};
    ::FrameRect(dc, &inner, tint);
    ::DeleteObject(tint);
    CString tip = LoadResourceString(id);
    const int nl = tip.Find('\n');
    if (nl >= 0)
        tip = tip.Mid(nl + 1);
    if (!tip.IsEmpty()) {
        const int len = (static_cast<unsigned char>(tip[0]) >= 0x81 && tip.GetLength() > 1) ? 2 : 1;
        LOGFONTA lf = {};
        lf.lfHeight = -12;
        lf.lfCharSet = GB2312_CHARSET;
        std::strcpy(lf.lfFaceName, "SimSun");
        HFONT font = ::CreateFontIndirectA(&lf);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, tints[id % 5]);
        ::DrawTextA(dc, tip.GetString(), len, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bmp;
}

// The boxes live inside the toolbars: their notifications and owner drawing
// reach the frame, as the framework's reflection would route them.
LRESULT CALLBACK ToolbarForward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR frame)
{
    if (message == WM_COMMAND || message == WM_DRAWITEM || message == WM_MEASUREITEM)
        return ::SendMessageA(reinterpret_cast<HWND>(frame), message, wParam, lParam);
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(hwnd, ToolbarForward, 1);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// One item of the line-style box: the item's line in the line colour across
// the item, a red frame round the selected one.
void DrawLineItem(const DRAWITEMSTRUCT* di, COLORREF colour)
{
    if (di->itemID == static_cast<UINT>(-1))
        return;
    HDC dc = di->hDC;
    RECT rc = di->rcItem;
    ::SetBkMode(dc, TRANSPARENT);
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
    if ((di->itemState & ODS_SELECTED) != 0 && rc.left == 0) {
        HPEN red = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ old = ::SelectObject(dc, red);
        ::MoveToEx(dc, rc.left + 2, rc.top, nullptr);
        ::LineTo(dc, rc.right - 1, rc.top);
        ::LineTo(dc, rc.right - 1, rc.bottom - 1);
        ::LineTo(dc, rc.left + 2, rc.bottom - 1);
        ::LineTo(dc, rc.left + 2, rc.top);
        ::SelectObject(dc, old);
        ::DeleteObject(red);
    }
    int style = 0, width = 1;
    if (!CComboBoxLine::StyleToPen(static_cast<int>(di->itemData), &style, &width))
        return;
    HPEN pen = ::CreatePen(style, width, colour);
    HGDIOBJ old = ::SelectObject(dc, pen);
    const int y = (rc.top + rc.bottom) / 2;
    ::MoveToEx(dc, rc.left + 4, y, nullptr);
    ::LineTo(dc, rc.right - 4, y);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        ::EndDialog(dlg, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

int CALLBACK AddFontFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM box)
{
    HWND hwnd = reinterpret_cast<HWND>(box);
    if (lf->lfFaceName[0] != '@' &&
        ::SendMessageA(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(lf->lfFaceName)) ==
            CB_ERR)
        ::SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lf->lfFaceName));
    return 1;
}

// Selects the entry equal to text (exact, case-sensitive), or clears the box
// when the text is empty or not listed.
void SelectExact(HWND box, const CString& text)
{
    if (box == nullptr)
        return;
    int found = -1;
    if (!text.IsEmpty()) {
        const int n = static_cast<int>(::SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n && found < 0; ++i) {
            const int len = static_cast<int>(::SendMessageA(box, CB_GETLBTEXTLEN, i, 0));
            if (len < 0)
                continue;
            std::string item(static_cast<size_t>(len) + 1, '\0');
            ::SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
            item.resize(static_cast<size_t>(len));
            if (item == text.Str())
                found = i;
        }
    }
    ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

CString BoxText(HWND box)
{
    const int sel = static_cast<int>(::SendMessageA(box, CB_GETCURSEL, 0, 0));
    if (sel < 0)
        return CString();
    const int len = static_cast<int>(::SendMessageA(box, CB_GETLBTEXTLEN, sel, 0));
    if (len <= 0)
        return CString();
    std::string item(static_cast<size_t>(len) + 1, '\0');
    ::SendMessageA(box, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(&item[0]));
    item.resize(static_cast<size_t>(len));
    return CString(item);
}

}  // namespace

CString LoadResourceString(UINT id)
{
    char buf[1024] = {0};
    const int n = ::LoadStringA(::GetModuleHandleA(nullptr), id, buf, sizeof(buf));
    return n > 0 ? CString(buf, n) : CString();
}

CMainFrame::CMainFrame(HINSTANCE instance) : m_instance(instance) {}

CMainFrame::~CMainFrame()
{
    for (Bar& b : m_bars)
        if (b.images != nullptr)
            ImageList_Destroy(b.images);
    if (m_refFont != nullptr)
        ::DeleteObject(m_refFont);
    if (m_menuNoDoc != nullptr && (m_hwnd == nullptr || ::GetMenu(m_hwnd) != m_menuNoDoc))
        ::DestroyMenu(m_menuNoDoc);
    if (m_menuDoc != nullptr && (m_hwnd == nullptr || ::GetMenu(m_hwnd) != m_menuDoc))
        ::DestroyMenu(m_menuDoc);
}

BOOL CMainFrame::LoadFrame()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = m_instance;
    wc.hIcon = ::LoadIconA(m_instance, MAKEINTRESOURCEA(128));
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    // The strips beside docked bars show the bars' face colour; the documents'
    // area is the MDI client's own.
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    wc.cbWndExtra = sizeof(void*);
    if (!::RegisterClassExA(&wc) || !CChildFrame::RegisterClasses(m_instance) ||
        !CDockManager::RegisterClasses(m_instance))
        return FALSE;
    m_menuNoDoc = ::LoadMenuA(m_instance, MAKEINTRESOURCEA(128));
    m_menuDoc = ::LoadMenuA(m_instance, MAKEINTRESOURCEA(129));
    m_accel = ::LoadAcceleratorsA(m_instance, MAKEINTRESOURCEA(128));
    if (m_menuNoDoc == nullptr || m_menuDoc == nullptr || m_accel == nullptr)
        return FALSE;
    m_hwnd = ::CreateWindowExA(WS_EX_ACCEPTFILES, kClassName, LoadResourceString(128),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 1024, 720,
                               nullptr, m_menuNoDoc, m_instance, this);
    if (m_hwnd == nullptr)
        return FALSE;
    RebuildRecentMenu();
    return TRUE;
}

LRESULT CALLBACK CMainFrame::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMainFrame* self = reinterpret_cast<CMainFrame*>(::GetWindowLongPtrA(hwnd, 0));
    if (message == WM_NCCREATE) {
        self = static_cast<CMainFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr)
        return ::DefFrameProcA(hwnd, nullptr, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

bool CMainFrame::CreateBars()
{
    HDC screen = ::GetDC(nullptr);
    for (const BarSpec& spec : kBars) {
        HWND tb = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER |
                                        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                    0, 0, 0, 0, m_hwnd, reinterpret_cast<HMENU>(kToolbarId), m_instance, nullptr);
        if (tb == nullptr) {
            ::ReleaseDC(nullptr, screen);
            return false;
        }
        ::SetWindowLongPtrA(tb, GWLP_USERDATA, static_cast<LONG_PTR>(spec.resource));
        ::SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        if (spec.resource == 128 || spec.resource == 172)
            ::SendMessageA(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
        const int w = 16, h = spec.resource == 147 ? 16 : 15;
        ::SendMessageA(tb, TB_SETBITMAPSIZE, 0, MAKELONG(w, h));
        HIMAGELIST images = ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, static_cast<int>(spec.count), 4);
        std::vector<TBBUTTON> buttons;
        for (size_t i = 0; i < spec.count; ++i) {
            TBBUTTON b = {};
            if (spec.buttons[i] == kSep) {
                b.fsStyle = BTNS_SEP;
                b.iBitmap = 6;
            } else {
                HBITMAP img = DrawButtonImage(screen, static_cast<UINT>(spec.buttons[i]), w, h);
                b.iBitmap = ImageList_AddMasked(images, img, RGB(192, 192, 192));
                ::DeleteObject(img);
                b.idCommand = spec.buttons[i];
                b.fsState = TBSTATE_ENABLED;
                b.fsStyle = BTNS_BUTTON;
                if (spec.buttons[i] == 32959)
                    b.fsStyle |= BTNS_DROPDOWN;
            }
            buttons.push_back(b);
        }
        ::SendMessageA(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        ::SendMessageA(tb, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        ::SetWindowSubclass(tb, ToolbarForward, 1, reinterpret_cast<DWORD_PTR>(m_hwnd));
        m_bars.push_back({spec.resource, tb, images, spec.row});
    }
    ::ReleaseDC(nullptr, screen);

    m_status = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, m_hwnd,
                                 reinterpret_cast<HMENU>(kStatusId), m_instance, nullptr);
    if (m_status == nullptr)
        return false;
    ShowStatusText(LoadResourceString(0xE001));

    // The boxes, each over a button turned into a separator of its width.
    LOGFONTA lf = {};
    HDC dc = ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(10, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, dc);
    lf.lfCharSet = GB2312_CHARSET;
    std::strcpy(lf.lfFaceName, "\xCB\xCE\xCC\xE5");   // the 10-point "宋体"
    m_refFont = ::CreateFontIndirectA(&lf);
    HFONT stock = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    auto place = [this](UINT bar, int command, int width, int drop, DWORD style, HFONT font, UINT id) -> HWND {
        HWND tb = nullptr;
        for (const Bar& b : m_bars)
            if (b.resource == bar)
                tb = b.hwnd;
        const int index = static_cast<int>(::SendMessageA(tb, TB_COMMANDTOINDEX, command, 0));
        if (tb == nullptr || index < 0)
            return nullptr;
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STYLE | TBIF_SIZE;
        info.fsStyle = BTNS_SEP;
        info.cx = static_cast<WORD>(width);
        ::SendMessageA(tb, TB_SETBUTTONINFOA, command, reinterpret_cast<LPARAM>(&info));
        RECT rc;
        ::SendMessageA(tb, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        HWND box = ::CreateWindowExA(0, "COMBOBOX", "",
                                     WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS |
                                         CBS_AUTOHSCROLL | style,
                                     rc.left, rc.top, width, rc.bottom - rc.top + drop, tb,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), m_instance, nullptr);
        if (box != nullptr && font != nullptr)
            ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return box;
    };
    m_fontName = place(147, 32835, 128, 308, CBS_SORT, stock, 5420);
    m_fontSize = place(147, 32836, 64, 308, 0, stock, 5421);
    m_rowRef = place(147, 32935, 128, 208, 0, m_refFont, 5423);
    m_colRef = place(147, 32937, 128, 208, 0, m_refFont, 5424);
    m_lineStyle = place(151, 32885, 128, 208, CBS_OWNERDRAWFIXED, nullptr, 5422);
    if (m_fontName == nullptr || m_fontSize == nullptr || m_rowRef == nullptr || m_colRef == nullptr ||
        m_lineStyle == nullptr)
        return false;
    HDC boxDc = ::GetDC(m_fontName);
    LOGFONTA any = {};
    any.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(boxDc, &any, AddFontFace, reinterpret_cast<LPARAM>(m_fontName), 0);
    ::ReleaseDC(m_fontName, boxDc);
    for (const char* size : FontSizeBoxEntries())
        ::SendMessageA(m_fontSize, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    for (const char* text : {"插行无任何参照", "参照上行格式", "参照下行格式"})
        ::SendMessageA(m_rowRef, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (const char* text : {"插列无任何参照", "参照左列格式", "参照右列格式"})
        ::SendMessageA(m_colRef, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (int i = 0; i < kLineStyleCount; ++i) {
        char text[2] = {static_cast<char>('0' + i), 0};
        const LRESULT at = ::SendMessageA(m_lineStyle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageA(m_lineStyle, CB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
    ::SendMessageA(m_lineStyle, CB_SETCURSEL, 0, 0);
    SelectFirstInsertReferences();
    // Every toolbar, boxes in place, into a dockable bar window.
    m_dock.Attach(m_hwnd, m_instance, [this] { LayOut(); });
    for (const Bar& b : m_bars)
        if (!m_dock.AddBar(b.resource, b.hwnd, b.row))
            return false;
    return true;
}

void CMainFrame::LayOut()
{
    if (m_hwnd == nullptr)
        return;
    RECT rc;
    ::GetClientRect(m_hwnd, &rc);
    int bottom = rc.bottom;
    if (m_status != nullptr) {
        ::ShowWindow(m_status, m_showStatus ? SW_SHOWNA : SW_HIDE);
        if (m_showStatus) {
            ::SendMessageA(m_status, WM_SIZE, 0, 0);
            RECT sr;
            ::GetWindowRect(m_status, &sr);
            bottom -= sr.bottom - sr.top;
            const int width = rc.right;
            int parts[4] = {width - 3 * 48, width - 2 * 48, width - 48, -1};
            ::SendMessageA(m_status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
        }
    }
    // The docked toolbars take their rows along the sides; the documents get
    // what is left.
    m_dock.ShowBars(m_showToolbars);
    RECT area = {0, 0, rc.right, std::max<LONG>(0, bottom)};
    const RECT rest = m_dock.Arrange(area);
    if (m_mdiClient != nullptr)
        ::MoveWindow(m_mdiClient, rest.left, rest.top, std::max<LONG>(0, rest.right - rest.left),
                     std::max<LONG>(0, rest.bottom - rest.top), TRUE);
}

void CMainFrame::ShowStatusText(const CString& text)
{
    if (m_status != nullptr)
        ::SendMessageA(m_status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs = {};
        ccs.hWindowMenu = ::GetSubMenu(m_menuDoc, 8);
        ccs.idFirstChild = kFirstMdiChild;
        m_mdiClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                        m_hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMdiClientId)),
                                        m_instance, &ccs);
        if (m_mdiClient == nullptr || !CreateBars())
            return -1;
        LayOut();
        return 0;
    }
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        HWND from = reinterpret_cast<HWND>(lParam);
        if (from != nullptr && (from == m_fontName || from == m_fontSize)) {
            if (code == CBN_SELENDOK)
                OnFontBoxChosen(from, from == m_fontName);
            return 0;
        }
        if (from != nullptr && (from == m_rowRef || from == m_colRef)) {
            // The chosen reference goes to the active view's grid.
            CChildFrame* child = ActiveChild();
            if (code == CBN_SELCHANGE && child != nullptr) {
                const SHORT index = static_cast<SHORT>(::SendMessageA(from, CB_GETCURSEL, 0, 0));
                if (index >= 0) {
                    if (from == m_rowRef)
                        child->View().SetRowRefFlags(index);
                    else
                        child->View().SetColumnRefFlags(index);
                }
            }
            return 0;
        }
        if (from != nullptr && from == m_lineStyle)
            return 0;   // the line style serves later commands
        if (OnCommand(id))
            return 0;
        break;
    }
    case WM_INITMENUPOPUP: {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        const int n = ::GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i) {
            const UINT id = ::GetMenuItemID(menu, i);
            if (id == static_cast<UINT>(-1) || id == 0 || id >= kFirstMdiChild)
                continue;
            if (id >= kFileMruFirst && id <= kFileMruLast)
                continue;
            ::EnableMenuItem(menu, i, MF_BYPOSITION | (IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
            CCmdState state;
            if (TableCommandState(id, state))
                ::CheckMenuItem(menu, i, MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
            if (id == kViewToolbar || id == kViewStatusBar) {
                const bool on = id == kViewToolbar ? m_showToolbars : m_showStatus;
                ::CheckMenuItem(menu, i, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
            }
        }
        return 0;
    }
    case WM_MENUSELECT: {
        const UINT id = LOWORD(wParam);
        const UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0) {
            ShowStatusText(LoadResourceString(0xE001));
        } else if ((flags & MF_POPUP) == 0 && (flags & MF_SEPARATOR) == 0) {
            CString text = LoadResourceString(id);
            const int nl = text.Find('\n');
            ShowStatusText(nl >= 0 ? text.Left(nl) : text);
        }
        return 0;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mi != nullptr && mi->CtlID == 5422) {
            mi->itemHeight = 20;
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (di != nullptr && di->CtlID == 5422) {
            DrawLineItem(di, m_lineColor);
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<NMHDR*>(lParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_COPYDATA: {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        if (data == nullptr || data->dwData != 0x4B56 || data->lpData == nullptr ||
            data->cbData > 0x10000)
            return 0;
        const std::vector<CString> paths =
            ParseOpenRequest(static_cast<const char*>(data->lpData), static_cast<int>(data->cbData));
        bool any = false;
        for (const CString& p : paths)
            any = OpenDocument(p) != nullptr || any;
        return any ? 1 : 0;
    }
    case WM_CLOSE:
        if (!CloseAll())
            return 0;
        ::DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        SaveRecentFiles();
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefFrameProcA(m_hwnd, m_mdiClient, message, wParam, lParam);
}

void CMainFrame::OnNotify(NMHDR* hdr)
{
    if (hdr == nullptr)
        return;
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        static char tip[256];
        CString text = LoadResourceString(static_cast<UINT>(hdr->idFrom));
        const int nl = text.Find('\n');
        if (nl >= 0)
            text = text.Mid(nl + 1);
        std::strncpy(tip, text.GetString(), sizeof(tip) - 1);
        tip[sizeof(tip) - 1] = '\0';
        info->lpszText = tip;
        // The fly-by text of the button under the pointer.
        CString status = LoadResourceString(static_cast<UINT>(hdr->idFrom));
        const int cut = status.Find('\n');
        ShowStatusText(cut >= 0 ? status.Left(cut) : status);
        return;
    }
    if (hdr->code == TBN_HOTITEMCHANGE) {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(hdr);
        if ((hot->dwFlags & HICF_LEAVING) != 0) {
            ShowStatusText(LoadResourceString(0xE001));
        } else {
            CString status = LoadResourceString(static_cast<UINT>(hot->idNew));
            const int cut = status.Find('\n');
            ShowStatusText(cut >= 0 ? status.Left(cut) : status);
        }
        return;
    }
    if (hdr->code == TBN_DROPDOWN) {
        auto* tb = reinterpret_cast<NMTOOLBARA*>(hdr);
        if (tb->iItem != 32959)
            return;
        HMENU menu = ::LoadMenuA(m_instance, MAKEINTRESOURCEA(129));
        HMENU formula = menu != nullptr ? ::GetSubMenu(menu, 4) : nullptr;
        HMENU common = formula != nullptr ? ::GetSubMenu(formula, 0) : nullptr;
        if (common != nullptr) {
            RECT rc;
            ::SendMessageA(hdr->hwndFrom, TB_GETRECT, tb->iItem, reinterpret_cast<LPARAM>(&rc));
            POINT pt = {rc.left, rc.bottom};
            ::ClientToScreen(hdr->hwndFrom, &pt);
            const int n = ::GetMenuItemCount(common);
            for (int i = 0; i < n; ++i) {
                const UINT id = ::GetMenuItemID(common, i);
                if (id != static_cast<UINT>(-1) && id != 0)
                    ::EnableMenuItem(common, i, MF_BYPOSITION | (IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
            }
            ::TrackPopupMenu(common, TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, 0, m_hwnd, nullptr);
        }
        if (menu != nullptr)
            ::DestroyMenu(menu);
    }
}

void CMainFrame::OnFontBoxChosen(HWND box, bool name)
{
    (void)box;
    // The editing commands set the chosen entry on the selected cells.
    OnCommand(name ? 5420 : 5421);
}

void CMainFrame::OnDropFiles(HDROP drop)
{
    const UINT n = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        char path[MAX_PATH * 2] = {0};
        if (::DragQueryFileA(drop, i, path, sizeof(path) - 1) > 0)
            OpenDocument(CString(path));
    }
    ::DragFinish(drop);
    ::SetForegroundWindow(m_hwnd);
}

CChildFrame* CMainFrame::ActiveChild() const
{
    if (m_mdiClient == nullptr)
        return nullptr;
    HWND active = reinterpret_cast<HWND>(::SendMessageA(m_mdiClient, WM_MDIGETACTIVE, 0, 0));
    return CChildFrame::FromHwnd(active);
}

CKivoSheetDesignerView* CMainFrame::ActiveView() const
{
    CChildFrame* child = ActiveChild();
    return child != nullptr ? &child->View() : nullptr;
}

void CMainFrame::UpdateMenu()
{
    if (m_hwnd == nullptr || m_mdiClient == nullptr)
        return;
    const bool doc = ActiveChild() != nullptr ||
                     ::SendMessageA(m_mdiClient, WM_MDIGETACTIVE, 0, 0) != 0;
    HMENU want = doc ? m_menuDoc : m_menuNoDoc;
    if (::GetMenu(m_hwnd) != want) {
        ::SendMessageA(m_mdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(want),
                       reinterpret_cast<LPARAM>(doc ? ::GetSubMenu(m_menuDoc, 8) : nullptr));
        ::DrawMenuBar(m_hwnd);
    }
}

CChildFrame* CMainFrame::NewDocument()
{
    CChildFrame* child = CChildFrame::Create(this);
    if (child == nullptr)
        return nullptr;
    child->Doc().OnNewDocument(NextDocumentNumber());
    UpdateMenu();
    return child;
}

CChildFrame* CMainFrame::OpenDocument(const CString& path)
{
    // A document already open on the same file is shown instead.
    for (HWND w = ::GetWindow(m_mdiClient, GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
        CChildFrame* c = CChildFrame::FromHwnd(w);
        if (c != nullptr && c->Doc().GetPathName().CompareNoCase(path) == 0) {
            ::SendMessageA(m_mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w), 0);
            return c;
        }
    }
    CChildFrame* child = CChildFrame::Create(this);
    if (child == nullptr)
        return nullptr;
    if (!child->Doc().OnOpenDocument(path)) {
        // Not a document: no window and no recent entry, so no later save can
        // write an empty sheet over the file.
        ::SendMessageA(m_mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child->Hwnd()), 0);
        UpdateMenu();
        return nullptr;
    }
    m_recent.Add(path);
    RebuildRecentMenu();
    SaveRecentFiles();
    UpdateMenu();
    return child;
}

bool CMainFrame::CloseAll()
{
    for (;;) {
        HWND w = ::GetWindow(m_mdiClient, GW_CHILD);
        while (w != nullptr && CChildFrame::FromHwnd(w) == nullptr)
            w = ::GetWindow(w, GW_HWNDNEXT);
        if (w == nullptr)
            return true;
        CChildFrame* c = CChildFrame::FromHwnd(w);
        ::SendMessageA(m_mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w), 0);
        if (!c->CanClose())
            return false;
        ::SendMessageA(m_mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
    }
}

bool CMainFrame::TableCommandState(UINT id, CCmdState& state) const
{
    CChildFrame* child = ActiveChild();
    if (child == nullptr || !CDesignerCommands::Instance().Has(id))
        return false;
    CDesignerContext ctx{child->View(), const_cast<CWin32Ui&>(m_ui), &child->Doc()};
    return CDesignerCommands::Instance().Update(id, ctx, state);
}

BOOL CMainFrame::IsCommandEnabled(UINT id) const
{
    // The command table's handlers come first: they work on the active
    // document's sheet.
    CCmdState state;
    if (TableCommandState(id, state))
        return state.enabled;
    const bool doc = ActiveChild() != nullptr;
    switch (id) {
    case kFileNew:
    case kFileOpen:
    case kFilePrintSetup:
    case kAppAbout:
    case kAppExit:
    case kViewToolbar:
    case kViewStatusBar:
        return TRUE;
    // Save, the clipboard and "运行模板" are the command table's (the view's
    // own commands); without a document they are greyed like every command
    // nobody handles.
    case kFileClose:
    case kFileSaveAs:
    case kNextPane:
    case kPrevPane:
    case 57649:
    case 57650:
    case 57651:
        return doc;
    default:
        return id >= kFileMruFirst && id <= kFileMruLast && static_cast<int>(id - kFileMruFirst) < m_recent.GetCount();
    }
}

BOOL CMainFrame::OnCommand(UINT id)
{
    if (!IsCommandEnabled(id))
        return id >= kFirstMdiChild;   // the window menu's own entries go to the MDI client
    CChildFrame* child = ActiveChild();
    if (child != nullptr && CDesignerCommands::Instance().Has(id)) {
        CDesignerContext ctx{child->View(), m_ui, &child->Doc()};
        CDesignerCommands::Instance().Run(id, ctx);
        return TRUE;
    }
    if (child != nullptr)
        child->View().ForgetSelectionState();
    switch (id) {
    case kFileNew:
        NewDocument();
        return TRUE;
    case kFileOpen: {
        const CString path = m_ui.AskOpenPath();
        if (!path.IsEmpty())
            OpenDocument(path);
        return TRUE;
    }
    case kFileClose:
        ::SendMessageA(child->Hwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    case kFileSaveAs:
        child->Control().GridSetFocus();
        if (child->Doc().DoSave(CString(), true)) {
            m_recent.Add(child->Doc().GetPathName());
            RebuildRecentMenu();
        }
        return TRUE;
    case kFilePrintSetup: {
        PRINTDLGA pd = {};
        pd.lStructSize = sizeof(pd);
        pd.hwndOwner = m_hwnd;
        pd.Flags = PD_PRINTSETUP;
        if (::PrintDlgA(&pd)) {
            if (pd.hDevMode != nullptr)
                ::GlobalFree(pd.hDevMode);
            if (pd.hDevNames != nullptr)
                ::GlobalFree(pd.hDevNames);
        }
        return TRUE;
    }
    case kAppAbout:
        ::DialogBoxParamA(m_instance, MAKEINTRESOURCEA(100), m_hwnd, AboutProc, 0);
        return TRUE;
    case kAppExit:
        ::SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
        return TRUE;
    case kViewToolbar:
        m_showToolbars = !m_showToolbars;
        LayOut();
        return TRUE;
    case kViewStatusBar:
        m_showStatus = !m_showStatus;
        LayOut();
        return TRUE;
    case kNextPane:
    case kPrevPane:
        ::SendMessageA(m_mdiClient, WM_MDINEXT, 0, id == kPrevPane ? 1 : 0);
        return TRUE;
    case 57649:
        ::SendMessageA(m_mdiClient, WM_MDIICONARRANGE, 0, 0);
        return TRUE;
    case 57650:
        ::SendMessageA(m_mdiClient, WM_MDICASCADE, 0, 0);
        return TRUE;
    case 57651:
        ::SendMessageA(m_mdiClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return TRUE;
    default:
        break;
    }
    if (id >= kFileMruFirst && id <= kFileMruLast) {
        const int index = static_cast<int>(id - kFileMruFirst);
        const CString path = m_recent[index];
        if (OpenDocument(path) == nullptr) {
            m_recent.Remove(index);
            RebuildRecentMenu();
        }
        return TRUE;
    }
    return FALSE;
}

void CMainFrame::OnIdle()
{
    for (const Bar& b : m_bars) {
        const int n = static_cast<int>(::SendMessageA(b.hwnd, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            TBBUTTON button = {};
            if (!::SendMessageA(b.hwnd, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) ||
                (button.fsStyle & BTNS_SEP) != 0)
                continue;
            const BOOL on = IsCommandEnabled(static_cast<UINT>(button.idCommand));
            const BOOL was = (button.fsState & TBSTATE_ENABLED) != 0;
            if (on != was)
                ::SendMessageA(b.hwnd, TB_ENABLEBUTTON, button.idCommand, MAKELONG(on, 0));
            CCmdState state;
            const BOOL checked = TableCommandState(static_cast<UINT>(button.idCommand), state) && state.checked;
            if (checked != ((button.fsState & TBSTATE_CHECKED) != 0))
                ::SendMessageA(b.hwnd, TB_CHECKBUTTON, button.idCommand, MAKELONG(checked, 0));
        }
    }
    const bool doc = ActiveChild() != nullptr;
    for (HWND box : {m_fontName, m_fontSize, m_lineStyle, m_rowRef, m_colRef})
        if (box != nullptr && (::IsWindowEnabled(box) != FALSE) != doc)
            ::EnableWindow(box, doc);
    if (m_status != nullptr) {
        const struct {
            int part, vk;
            UINT text;
        } keys[] = {{1, VK_CAPITAL, 0xE002}, {2, VK_NUMLOCK, 0xE003}, {3, VK_SCROLL, 0xE004}};
        for (const auto& k : keys) {
            const CString text = (::GetKeyState(k.vk) & 1) != 0 ? LoadResourceString(k.text) : CString();
            ::SendMessageA(m_status, SB_SETTEXTA, k.part, reinterpret_cast<LPARAM>(text.GetString()));
        }
    }
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        CChildFrame* child = ActiveChild();
        if (child != nullptr && child->Control().PreTranslateMessage(msg))
            return TRUE;
        if (m_mdiClient != nullptr && ::TranslateMDISysAccel(m_mdiClient, msg))
            return TRUE;
        if (m_accel != nullptr && ::TranslateAcceleratorA(m_hwnd, m_accel, msg))
            return TRUE;
    }
    return FALSE;
}

void CMainFrame::SelectFontName(const CString& name)
{
    SelectExact(m_fontName, name);
}

void CMainFrame::SelectFontSize(const CString& size)
{
    SelectExact(m_fontSize, size);
}

void CMainFrame::SelectFirstInsertReferences()
{
    if (m_rowRef != nullptr)
        ::SendMessageA(m_rowRef, CB_SETCURSEL, 0, 0);
    if (m_colRef != nullptr)
        ::SendMessageA(m_colRef, CB_SETCURSEL, 0, 0);
}

namespace {

const char kRecentKey[] = "Software\\Local AppWizard-Generated Applications\\KivoDesigner\\Recent File List";

}  // namespace

void CMainFrame::LoadRecentFiles()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRecentKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::vector<CString> paths;
    for (int i = 0; i < m_recent.GetSize(); ++i) {
        char value[MAX_PATH * 2] = {0};
        DWORD size = sizeof(value) - 1, type = 0;
        if (::RegQueryValueExA(key, CRecentFileList::ValueName(i), nullptr, &type, reinterpret_cast<BYTE*>(value),
                               &size) == ERROR_SUCCESS &&
            type == REG_SZ && size > 0 && size < sizeof(value)) {
            value[size] = '\0';
            if (value[0] != '\0')
                paths.push_back(CString(value));
        }
    }
    ::RegCloseKey(key);
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        m_recent.Add(*it);
}

void CMainFrame::SaveRecentFiles()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRecentKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < m_recent.GetSize(); ++i) {
        const CString name = CRecentFileList::ValueName(i);
        if (i < m_recent.GetCount())
            ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_recent[i].GetString()),
                             static_cast<DWORD>(m_recent[i].GetLength() + 1));
        else
            ::RegDeleteValueA(key, name);
    }
    ::RegCloseKey(key);
}

void CMainFrame::RebuildRecentMenu()
{
    for (HMENU menu : {m_menuNoDoc, m_menuDoc}) {
        // The File menu is the pop-up holding the recent entries (or their
        // placeholder), wherever a maximised document's system menu put it.
        HMENU file = PopupHoldingCommand(menu, kFileMruFirst, kFileMruLast);
        if (file == nullptr)
            continue;
        // Find the place: the first recent entry or the placeholder.
        int place = -1;
        const int n = ::GetMenuItemCount(file);
        for (int i = 0; i < n; ++i) {
            const UINT id = ::GetMenuItemID(file, i);
            if (id >= kFileMruFirst && id <= kFileMruLast) {
                place = i;
                break;
            }
        }
        if (place < 0)
            continue;
        for (UINT id = kFileMruFirst; id <= kFileMruLast; ++id)
            ::DeleteMenu(file, id, MF_BYCOMMAND);
        if (m_recent.GetCount() == 0) {
            ::InsertMenuA(file, static_cast<UINT>(place), MF_BYPOSITION | MF_STRING | MF_GRAYED, kFileMruFirst,
                          "Recent File");
            continue;
        }
        for (int i = 0; i < m_recent.GetCount(); ++i)
            ::InsertMenuA(file, static_cast<UINT>(place + i), MF_BYPOSITION | MF_STRING,
                          kFileMruFirst + static_cast<UINT>(i), m_recent.MenuText(i));
    }
    if (m_hwnd != nullptr)
        ::DrawMenuBar(m_hwnd);
}

// ---- Editing commands: the frame's toolbar state ----

int CMainFrame::ToolbarChecked(UINT id) const
{
    for (const Bar& b : m_bars) {
        if (::SendMessageA(b.hwnd, TB_COMMANDTOINDEX, id, 0) < 0)
            continue;
        return ::SendMessageA(b.hwnd, TB_ISBUTTONCHECKED, id, 0) != 0 ? 1 : 0;
    }
    return -1;
}

int CMainFrame::LineStyleIndex() const
{
    if (m_lineStyle == nullptr)
        return -1;
    const LRESULT sel = ::SendMessageA(m_lineStyle, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR)
        return -1;
    return static_cast<int>(::SendMessageA(m_lineStyle, CB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
}

void CMainFrame::SetLineColor(COLORREF color)
{
    m_lineColor = color;
    if (m_lineStyle != nullptr)
        ::InvalidateRect(m_lineStyle, nullptr, TRUE);
}

CString CMainFrame::ChosenFontName() const
{
    return m_fontName != nullptr ? BoxText(m_fontName) : CString();
}

CString CMainFrame::ChosenFontSize() const
{
    return m_fontSize != nullptr ? BoxText(m_fontSize) : CString();
}
