// CSuperEditToolBarDlg: the rich-text editor's floating format toolbar, a
// small popup (caption "工具栏") holding the common toolbar control built from
// the button table of cells/FormatToolBarModel.h, a font-name box and a
// font-size box over the first two places, and two colour buttons whose
// drop-down arrows open the palette popup. Every click goes at once to the
// editor's selection; the editor sends message 1048 on every selection
// change and the buttons and boxes follow.
//
// The window does not take the activation on a click, so the focus stays in
// the editor; after a box selection, a palette choice or a cancelled palette
// the focus goes back to the editor.
#include "cells/win32/FormatWindows.h"

#include "cells/ColourPalette.h"
#include "cells/FormatToolBarModel.h"
#include "cells/RichFormatOps.h"
#include "cells/ToolBarImages.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

class CFormatToolBarWnd {
public:
    CFormatToolBarWnd(CFormatToolBarSite* pSite) : m_pSite(pSite) {}
    ~CFormatToolBarWnd()
    {
        if (m_hwnd != nullptr && ::IsWindow(m_hwnd)) {
            ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
            ::DestroyWindow(m_hwnd);
        }
        if (m_images != nullptr)
            ImageList_Destroy(m_images);
    }

    bool Create(HWND owner, POINT pos, bool bShow);
    HWND Hwnd() const { return m_hwnd; }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ToolBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct ColourButton {
        UINT id;
        COLORREF marker;
        COLORREF colour;
    };

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(UINT id, UINT code, HWND from);
    void Update(const RichCharFormat& cf, const RichParaFormat& pf);
    void FillFaces();
    void SetButtonColor(UINT id, COLORREF colour);
    COLORREF GetButtonColor(UINT id) const;
    void InstallImages();
    void ShowStrip();
    void OnToolBarMouseUp(POINT client);
    static std::vector<CString> BoxEntries(HWND box);
    // A box's list is open (the focus goes back to the editor when it closes).
    bool BoxDropped() const
    {
        return ::SendMessageA(m_faceBox, CB_GETDROPPEDSTATE, 0, 0) != 0 ||
               ::SendMessageA(m_sizeBox, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }

    CFormatToolBarSite* m_pSite;
    HWND m_hwnd = nullptr;
    HWND m_toolbar = nullptr;
    HWND m_faceBox = nullptr;
    HWND m_sizeBox = nullptr;
    WNDPROC m_toolbarProc = nullptr;
    HIMAGELIST m_images = nullptr;
    toolbarimages::Strip m_unpainted;
    toolbarimages::Strip m_current;
    std::vector<ColourButton> m_colours;
    int m_nFaceWidth = 0;
    bool m_bArmed = false;
    UINT m_nArmedId = 0;
};

namespace {

const char kToolBarWndClass[] = "KivoSEToolBarWnd";
const UINT kToolBarId = 0xE800;
// Posted to itself when shown and when a palette ended: the bar puts itself
// above its owner once the editor has taken the focus. Wine raises an owner that becomes active without
// its owned windows, which would leave the bar under the grid, its clicks
// going to the cell below.
const UINT kRaiseMsg = WM_APP + 0x126;

int ImageOf(UINT id)
{
    for (const formatbar::ButtonEntry& b : formatbar::Buttons()) {
        if (b.id == id)
            return b.image;
    }
    return -1;
}

BOOL CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* faces = reinterpret_cast<std::vector<std::string>*>(lParam);
    if (lf->lfFaceName[0] != '\0' && lf->lfFaceName[0] != '@')
        faces->push_back(lf->lfFaceName);
    return TRUE;
}

}  // namespace

bool CFormatToolBarWnd::Create(HWND owner, POINT pos, bool bShow)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CFormatToolBarWnd::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kToolBarWndClass;
        registered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kToolBarWndClass, "工具栏", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               pos.x, pos.y, 100, 40, owner, nullptr, ::GetModuleHandleA(nullptr), this);
    if (m_hwnd == nullptr)
        return false;

    // The face and size boxes lie over the toolbar as its siblings: the
    // toolbar clips them out of its painting, or every repaint of its
    // buttons would wipe them.
    m_toolbar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "KivoSEToolBar",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                      CCS_NORESIZE | CCS_NOPARENTALIGN,
                                  0, 0, 100, 30, m_hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolBarId)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (m_toolbar == nullptr)
        return false;
    ::SetWindowLongPtrA(m_toolbar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_toolbarProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CFormatToolBarWnd::ToolBarProc)));
    ::SendMessageA(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(m_toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(formatbar::kImageSize, formatbar::kImageSize));
    InstallImages();
    ::SendMessageA(m_toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    std::vector<TBBUTTON> buttons;
    for (const formatbar::ButtonEntry& b : formatbar::Buttons()) {
        TBBUTTON tb = {};
        tb.idCommand = static_cast<int>(b.id);
        tb.fsState = TBSTATE_ENABLED;
        if (b.id == 0) {
            tb.fsStyle = TBSTYLE_SEP;
        } else if (b.id == formatbar::ID_FONTNAME || b.id == formatbar::ID_FONTSIZE) {
            tb.fsStyle = TBSTYLE_SEP;     // a place for the box
            tb.iBitmap = b.id == formatbar::ID_FONTNAME ? formatbar::kFontNameWidth : formatbar::kFontSizeWidth;
        } else {
            tb.iBitmap = b.image;
            tb.fsStyle = static_cast<BYTE>(b.check ? TBSTYLE_CHECK : TBSTYLE_BUTTON);
            if (b.id == formatbar::ID_TEXTCOLOR || b.id == formatbar::ID_BACKCOLOR)
                tb.fsStyle |= TBSTYLE_DROPDOWN;
        }
        buttons.push_back(tb);
    }
    ::SendMessageA(m_toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageA(m_toolbar, TB_AUTOSIZE, 0, 0);
    SIZE size = {};
    ::SendMessageA(m_toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    if (size.cx <= 0 || size.cy <= 0) {
        size.cx = 560;
        size.cy = 26;
    }
    ::SetWindowPos(m_toolbar, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    // The two boxes over their places, above the toolbar.
    HFONT font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    RECT place = {};
    ::SendMessageA(m_toolbar, TB_GETRECT, formatbar::ID_FONTNAME, reinterpret_cast<LPARAM>(&place));
    m_faceBox = ::CreateWindowExA(0, "COMBOBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_SORT |
                                      CBS_HASSTRINGS,
                                  place.left, place.top + 1, place.right - place.left, 268 + (place.bottom - place.top),
                                  m_hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(formatbar::ID_FONTNAME)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(m_toolbar, TB_GETRECT, formatbar::ID_FONTSIZE, reinterpret_cast<LPARAM>(&place));
    m_sizeBox = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL,
                                  place.left, place.top + 1, place.right - place.left, 268 + (place.bottom - place.top),
                                  m_hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(formatbar::ID_SIZEBOX)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    for (HWND box : {m_faceBox, m_sizeBox}) {
        if (box != nullptr) {
            ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    FillFaces();
    ::SendMessageA(m_faceBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("宋体"));
    for (const CString& s : formatbar::FontSizes())
        ::SendMessageA(m_sizeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.GetString()));
    ::SendMessageA(m_sizeBox, CB_SETCURSEL, static_cast<WPARAM>(formatbar::FindExact(formatbar::FontSizes(), "9")), 0);

    // The colour buttons: black text, white background.
    m_colours.push_back({formatbar::ID_TEXTCOLOR, formatbar::kTextMarker, 0});
    m_colours.push_back({formatbar::ID_BACKCOLOR, formatbar::kBackMarker, 0xFFFFFF});
    SetButtonColor(formatbar::ID_TEXTCOLOR, 0);
    SetButtonColor(formatbar::ID_BACKCOLOR, 0xFFFFFF);

    // The window fits the toolbar.
    RECT frame = {0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
    ::SetWindowPos(m_hwnd, nullptr, pos.x, pos.y, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (bShow)
        ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    return true;
}

void CFormatToolBarWnd::InstallImages()
{
    m_unpainted = toolbarimages::FormatImages();
    m_current = m_unpainted;
    m_images = ImageList_Create(formatbar::kImageSize, formatbar::kImageSize, ILC_COLOR24 | ILC_MASK,
                                formatbar::kImageCount, 0);
    ShowStrip();
    ::SendMessageA(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
}

void CFormatToolBarWnd::ShowStrip()
{
    if (m_images == nullptr)
        return;
    // The strip as a 32-bit bitmap with the key colour turned into the button
    // face, added masked by that colour.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = m_current.nWidth;
    bi.bmiHeader.biHeight = -m_current.nHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (bmp == nullptr || bits == nullptr) {
        if (bmp != nullptr)
            ::DeleteObject(bmp);
        return;
    }
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    DWORD* out = static_cast<DWORD*>(bits);
    for (size_t i = 0; i < m_current.pixels.size(); ++i) {
        COLORREF c = m_current.pixels[i];
        if (c == formatbar::kKeyColour)
            c = face;
        else if (c == face)
            c ^= 0x010000;        // a chosen colour equal to the face stays visible
        out[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    ImageList_Remove(m_images, -1);
    ImageList_AddMasked(m_images, bmp, face);
    ::DeleteObject(bmp);
}

void CFormatToolBarWnd::SetButtonColor(UINT id, COLORREF colour)
{
    for (ColourButton& b : m_colours) {
        if (b.id != id)
            continue;
        b.colour = colour;
        toolbarimages::Retint(m_current, m_unpainted, ImageOf(id), b.marker, colour);
        ShowStrip();
        ::RedrawWindow(m_toolbar, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
        return;
    }
}

COLORREF CFormatToolBarWnd::GetButtonColor(UINT id) const
{
    for (const ColourButton& b : m_colours) {
        if (b.id == id)
            return b.colour;
    }
    return 0;
}

void CFormatToolBarWnd::FillFaces()
{
    std::vector<std::string> faces;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontsA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&AddFace), reinterpret_cast<LPARAM>(&faces));
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    for (const std::string& face : faces) {
        if (::SendMessageA(m_faceBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(face.c_str())) != CB_ERR)
            continue;
        ::SendMessageA(m_faceBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
        const std::string measured = face + "0";
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
        m_nFaceWidth = size.cx > m_nFaceWidth ? size.cx : m_nFaceWidth;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
}

std::vector<CString> CFormatToolBarWnd::BoxEntries(HWND box)
{
    std::vector<CString> entries;
    const LRESULT n = ::SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = ::SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(len > 0 ? static_cast<size_t>(len) + 1 : 1, '\0');
        ::SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        entries.push_back(text.c_str());
    }
    return entries;
}

void CFormatToolBarWnd::Update(const RichCharFormat& cf, const RichParaFormat& pf)
{
    const formatbar::ToolBarUpdate u = formatbar::UpdateFromFormats(cf, pf);
    for (const formatbar::ButtonState& b : u.buttons)
        ::SendMessageA(m_toolbar, TB_SETSTATE, b.id, MAKELPARAM(b.state, 0));
    if (u.bFace) {
        const int current = static_cast<int>(::SendMessageA(m_faceBox, CB_GETCURSEL, 0, 0));
        const int sel = formatbar::BoxSelection(BoxEntries(m_faceBox), u.strFace, current);
        if (sel != current)
            ::SendMessageA(m_faceBox, CB_SETCURSEL, static_cast<WPARAM>(sel), 0);
    }
    if (u.bSize) {
        const int current = static_cast<int>(::SendMessageA(m_sizeBox, CB_GETCURSEL, 0, 0));
        const int sel = formatbar::BoxSelection(formatbar::FontSizes(), u.strSize, current);
        if (sel != current)
            ::SendMessageA(m_sizeBox, CB_SETCURSEL, static_cast<WPARAM>(sel), 0);
    }
}

void CFormatToolBarWnd::OnCommand(UINT id, UINT code, HWND from)
{
    CRichFormatOps& ops = m_pSite->FormatOps();
    if (from == m_faceBox && from != nullptr) {
        if (code == CBN_DROPDOWN) {
            ::SendMessageA(m_faceBox, CB_SETDROPPEDWIDTH,
                           static_cast<WPARAM>(m_nFaceWidth + ::GetSystemMetrics(SM_CXVSCROLL)), 0);
        } else if (code == CBN_SELCHANGE) {
            const std::vector<CString> entries = BoxEntries(m_faceBox);
            const LRESULT sel = ::SendMessageA(m_faceBox, CB_GETCURSEL, 0, 0);
            const CString face = sel >= 0 && static_cast<size_t>(sel) < entries.size() ? entries[sel] : CString();
            ::SendMessageA(m_hwnd, formatbar::MSG_SETFACE, reinterpret_cast<WPARAM>(&face), sel);
        } else if (code == CBN_CLOSEUP) {
            m_pSite->ReturnFocus();
        } else if (code == CBN_KILLFOCUS) {
            m_pSite->CheckFocus();
        }
        return;
    }
    if (from == m_sizeBox && from != nullptr) {
        if (code == CBN_SELCHANGE) {
            const LRESULT sel = ::SendMessageA(m_sizeBox, CB_GETCURSEL, 0, 0);
            const std::vector<CString>& sizes = formatbar::FontSizes();
            const int size =
                sel >= 0 && static_cast<size_t>(sel) < sizes.size() ? formatbar::SizeOfText(sizes[sel]) : 0;
            ::SendMessageA(m_hwnd, formatbar::MSG_SETSIZE, static_cast<WPARAM>(size), sel);
        } else if (code == CBN_CLOSEUP) {
            m_pSite->ReturnFocus();
        } else if (code == CBN_KILLFOCUS) {
            m_pSite->CheckFocus();
        }
        return;
    }
    if (id == formatbar::ID_TEXTCOLOR || id == formatbar::ID_BACKCOLOR) {
        formatbar::ApplyColour(id, GetButtonColor(id), ops);
        m_pSite->ReturnFocus();
        return;
    }
    const bool down = ::SendMessageA(m_toolbar, TB_ISBUTTONCHECKED, id, 0) != 0;
    for (UINT other : formatbar::ReleasedBy(id, down))
        ::SendMessageA(m_toolbar, TB_CHECKBUTTON, other, MAKELPARAM(FALSE, 0));
    formatbar::ApplyButton(id, down, ops);
}

void CFormatToolBarWnd::OnToolBarMouseUp(POINT client)
{
    if (!m_bArmed)
        return;
    m_bArmed = false;
    RECT button = {};
    if (!::SendMessageA(m_toolbar, TB_GETRECT, m_nArmedId, reinterpret_cast<LPARAM>(&button)))
        return;
    if (!::PtInRect(&button, client))
        return;                                   // released elsewhere: nothing opens
    POINT corner = {button.left, button.bottom};
    ::ClientToScreen(m_toolbar, &corner);
    const formatbar::PaletteRequest req = formatbar::PaletteFor(m_nArmedId);
    OpenColourPopup(corner, GetButtonColor(m_nArmedId), m_hwnd, req.crDefault, req.pszDefaultText,
                    req.pszCustomText);
}

LRESULT CALLBACK CFormatToolBarWnd::ToolBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CFormatToolBarWnd* self = reinterpret_cast<CFormatToolBarWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->m_toolbarProc == nullptr)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    // A quick second click on a button is a click of its own (the toolbar
    // would take it for a double click: no press, no drop-down arrow).
    if (msg == WM_LBUTTONDBLCLK)
        msg = WM_LBUTTONDOWN;
    const LRESULT result = ::CallWindowProcA(self->m_toolbarProc, hwnd, msg, wParam, lParam);
    if (msg == WM_LBUTTONUP) {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        self->OnToolBarMouseUp(pt);
    }
    return result;
}

LRESULT CALLBACK CFormatToolBarWnd::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CFormatToolBarWnd* self = reinterpret_cast<CFormatToolBarWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<CFormatToolBarWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

LRESULT CFormatToolBarWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;                     // clicks leave the focus in the editor
    case WM_SHOWWINDOW:
        if (wParam)
            ::PostMessageA(m_hwnd, kRaiseMsg, 0, 0);
        break;
    case kRaiseMsg:
        if (::IsWindowVisible(m_hwnd))
            ::SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr != nullptr && hdr->hwndFrom == m_toolbar && hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
            m_bArmed = true;
            m_nArmedId = static_cast<UINT>(reinterpret_cast<const NMTOOLBARA*>(lParam)->iItem);
            return TBDDRET_DEFAULT;
        }
        break;
    }
    case formatbar::MSG_SETFACE: {
        const CString* face = reinterpret_cast<const CString*>(wParam);
        if (face != nullptr)
            m_pSite->FormatOps().SetFontName(*face);
        if (!BoxDropped())
            m_pSite->ReturnFocus();
        return 0;
    }
    case formatbar::MSG_SETSIZE:
        m_pSite->FormatOps().SetFontSize(static_cast<int>(wParam));
        if (!BoxDropped())
            m_pSite->ReturnFocus();
        return 0;
    case formatbar::MSG_UPDATE:
        if (wParam != 0 && lParam != 0)
            Update(*reinterpret_cast<const RichCharFormat*>(wParam), *reinterpret_cast<const RichParaFormat*>(lParam));
        return 0;
    case palette::MSG_SELENDOK:
        if (m_nArmedId != 0) {
            const UINT id = m_nArmedId;
            m_nArmedId = 0;
            // The default box stands for the button's default colour.
            const COLORREF colour = lParam != 0 ? formatbar::PaletteFor(id).crDefault : static_cast<COLORREF>(wParam);
            SetButtonColor(id, colour);
            formatbar::ApplyColour(id, colour, m_pSite->FormatOps());
        }
        m_pSite->ReturnFocus();
        ::PostMessageA(m_hwnd, kRaiseMsg, 0, 0);   // the owner came back to the top with the focus
        return 0;
    case palette::MSG_SELENDCANCEL:
        m_nArmedId = 0;
        m_pSite->ReturnFocus();
        ::PostMessageA(m_hwnd, kRaiseMsg, 0, 0);
        return 0;
    case WM_CLOSE:
        ::ShowWindow(m_hwnd, SW_HIDE);            // closed by its box: hidden until shown again
        m_pSite->ReturnFocus();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

void FormatToolBarDeleter::operator()(CFormatToolBarWnd* p) const
{
    delete p;
}

FormatToolBarPtr CreateFormatToolBar(CFormatToolBarSite* pSite, HWND hwndOwner, POINT pos, bool bShow)
{
    FormatToolBarPtr p(new CFormatToolBarWnd(pSite));
    if (!p->Create(hwndOwner, pos, bShow))
        return nullptr;
    return p;
}

HWND FormatToolBarHwnd(const CFormatToolBarWnd* p)
{
    return p != nullptr ? p->Hwnd() : nullptr;
}
