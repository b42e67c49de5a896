// CSuperEditWnd: the in-place rich-text editor, a child window of the grid
// laid over the edited cell and holding the system's rich edit control
// (window class "RichEdit20A", control id 1108).
//
// It grows downward with its content, offers a right-click format menu, and
// ends the edit as soon as the focus leaves it: the grid is sent the
// end-of-edit record (cells/CellEditNotifyInfo.h) with the plain text, the
// RTF and the toolbar position, and the window closes. Like the other
// in-place editors it owns itself and is deleted with its window, never while
// one of its own messages is still being handled.
//
// It owns the floating format toolbar (cells/win32/FormatToolBarWnd.cpp),
// shown at the cell's toolbar position and kept up to date on every selection
// change; the focus may move into the toolbar, its boxes, the palette and the
// properties dialog without ending the edit.
#include "cells/RichTextEditorSite.h"
#include "cells/RichTextHost.h"

#include "base/Cp936.h"
#include "cells/CellEditNotifyInfo.h"
#include "cells/FormatDialogPages.h"
#include "cells/FormatToolBarModel.h"
#include "cells/RichFormatOps.h"
#include "cells/win32/FormatWindows.h"
#include "cells/win32/RichEditFormats.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

#include <windows.h>
#include <imm.h>
#include <richedit.h>

#include <memory>
#include <string>

namespace {

const UINT kRichEditId = 1108;
const UINT kEndEditMessage = WM_APP + 0x106;       // posted: the focus left the editor
const UINT kCheckFocusMessage = WM_APP + 0x107;     // posted: ends the edit unless the focus is in the family

// Menu command identifiers and captions (code page 936).
enum MenuCommand {
    kCmdBold = 32789,
    kCmdItalic = 32790,
    kCmdUnderline = 32791,
    kCmdStrikeout = 32792,
    kCmdSuperscript = 32793,
    kCmdSubscript = 32794,
    kCmdAlignLeft = 32795,
    kCmdAlignCenter = 32796,
    kCmdAlignRight = 32797,
    kCmdIndent = 32798,
    kCmdOutdent = 32799,
    kCmdProperties = 32801,
    kCmdBullet = 32803,
    kCmdNumbering = 32804,
};

bool g_bEndingEdit = false;                          // one end of edit at a time, process-wide

class CSuperEditWnd;

// The rich edit as a message back end for the cell's SE operations.
class CRichEditBackEnd : public CRichTextHostBase {
public:
    explicit CRichEditBackEnd(CWnd* pEdit) : m_pEdit(pEdit) {}

    int Init() override { return 0; }
    BOOL HasTextServices() const override { return Hwnd() != nullptr; }
    int GetNaturalHeight(int, int*) override { return 1; }
    int GetNaturalWidth(int, int*) override { return 1; }
    int Draw(CDC*, const CRect&) override { return 0; }

    int GetRTF(CString& strRTF) override
    {
        std::string out;
        StreamOut(SF_RTF, out);
        strRTF = out.c_str();
        return 0;
    }
    int SetRTF(const CString& strRTF) override
    {
        m_strLastRtf = strRTF;
        const std::string bytes(strRTF);
        if (!richedit::LooksLikeRtf(bytes)) {
            SetUnicode(cp936::ToUtf16(bytes), ST_DEFAULT);
            return 0;
        }
        richedit::ReadCookie cookie = {bytes.data(), static_cast<LONG>(bytes.size()), 0};
        EDITSTREAM es = {};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
        es.pfnCallback = &richedit::ReadBytes;
        Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
        return 0;
    }
    CString GetLastRTF() const override { return m_strLastRtf; }
    void GetText(CString& strText) override
    {
        strText = cp936::FromUtf16(richedit::WithCrLf(GetPlainText())).c_str();
    }
    void SetText(const CString& strText) override { SetUnicode(cp936::ToUtf16(std::string(strText)), ST_DEFAULT); }

    void GetCharFormat(RichCharFormat& cf) override
    {
        CHARFORMAT2W f;
        std::memset(&f, 0, sizeof f);
        f.cbSize = sizeof f;
        Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
        richedit::FromSystem(f, cf);
    }
    void SetCharFormat(const RichCharFormat& cf, int nScope) override
    {
        CHARFORMAT2W f;
        richedit::ToSystem(cf, f);
        Send(EM_SETCHARFORMAT, static_cast<WPARAM>(nScope), reinterpret_cast<LPARAM>(&f));
    }
    void GetParaFormat(RichParaFormat& pf) override
    {
        PARAFORMAT2 p;
        std::memset(&p, 0, sizeof p);
        p.cbSize = sizeof p;
        p.dwMask = pf.dwMask != 0 ? pf.dwMask : 0xFFFFFFFF;
        Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&p));
        richedit::FromSystem(p, pf);
    }
    void SetParaFormat(const RichParaFormat& pf) override
    {
        PARAFORMAT2 p;
        richedit::ToSystem(pf, p);
        Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&p));
    }
    void SetSel(LONG nStart, LONG nEnd) override { Send(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }
    void GetSel(LONG& nStart, LONG& nEnd) override
    {
        CHARRANGE range = {0, 0};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        nStart = range.cpMin;
        nEnd = range.cpMax;
    }
    void ReplaceSel(const std::u16string& text, BOOL bCanUndo) override
    {
        SetUnicode(text, ST_SELECTION | (bCanUndo ? ST_KEEPUNDO : 0));
    }
    LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        HWND hwnd = Hwnd();
        return hwnd != nullptr ? ::SendMessageA(hwnd, nMsg, wParam, lParam) : 0;
    }
    std::u16string GetPlainText() override
    {
        HWND hwnd = Hwnd();
        if (hwnd == nullptr)
            return std::u16string();
        GETTEXTLENGTHEX len = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
        const LRESULT n = ::SendMessageA(hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
        if (n <= 0)
            return std::u16string();
        std::u16string text(static_cast<size_t>(n) + 1, u'\0');
        GETTEXTEX get = {};
        get.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
        get.flags = GT_DEFAULT;
        get.codepage = 1200;
        const LRESULT got = ::SendMessageA(hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                           reinterpret_cast<LPARAM>(&text[0]));
        text.resize(got > 0 && static_cast<size_t>(got) < text.size() ? static_cast<size_t>(got) : 0);
        return text;
    }

private:
    HWND Hwnd() const
    {
        HWND hwnd = m_pEdit != nullptr ? m_pEdit->GetSafeHwnd() : nullptr;
        return hwnd != nullptr && ::IsWindow(hwnd) ? hwnd : nullptr;
    }
    void StreamOut(UINT nFormat, std::string& out)
    {
        out.clear();
        EDITSTREAM es = {};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
        es.pfnCallback = &richedit::AppendBytes;
        Send(EM_STREAMOUT, nFormat, reinterpret_cast<LPARAM>(&es));
    }
    void SetUnicode(const std::u16string& text, DWORD flags)
    {
        SETTEXTEX set = {flags, 1200};
        Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
    }

    CWnd* m_pEdit;
    CString m_strLastRtf;
};

// The rich edit control inside the editor.
//
// The control is an ANSI window ("RichEdit20A"). Characters of code page 936
// beyond ASCII (the input method's characters, a lead and a trail byte typed
// in turn, the input method's result string) are put in by the editor itself
// as UTF-16 at the selection, with undo: left to the control's own ANSI
// character handling they arrive as '?' under Wine.
class CSuperRichEdit : public CWnd {
public:
    explicit CSuperRichEdit(CSuperEditWnd* pOwner) : m_pOwner(pOwner) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int GetLastChar() const { return m_nLastChar; }

private:
    // Types a character given as code page 936 bytes (one or two).
    void TypeBytes(const std::string& bytes);

    CSuperEditWnd* m_pOwner;
    int m_nLastChar = -1;
    int m_nLeadByte = -1;        // a lead byte waiting for its trail byte
};

class CSuperEditWnd : public CWnd, public CRichTextEditorSite, public CFormatToolBarSite {
public:
    explicit CSuperEditWnd(const SuperEditRequest& request)
        : m_request(request), m_edit(this), m_backEnd(&m_edit), m_ops(&m_backEnd),
          m_hRichEdit(::LoadLibraryW(L"riched20.dll"))
    {
    }
    ~CSuperEditWnd() override
    {
        if (m_hMenu != nullptr)
            ::DestroyMenu(m_hMenu);
        if (m_hRichEdit != nullptr)
            ::FreeLibrary(m_hRichEdit);
    }

    BOOL Open();
    std::weak_ptr<void> Alive() const { return m_alive; }

    // CRichTextEditorSite
    CRichTextHostBase* GetBackEnd() override { return &m_backEnd; }
    BOOL GetLockMark() const override { return m_bLockMark; }
    void SetLockMark(BOOL bLocked) override { m_bLockMark = bLocked; }
    void SetContentRTF(const CString& strRTF) override { m_backEnd.SetRTF(strRTF); }
    CString GetContentRTF() override
    {
        CString rtf;
        m_backEnd.GetRTF(rtf);
        return rtf;
    }
    CString GetContentText() override
    {
        CString text;
        m_backEnd.GetText(text);
        return text;
    }
    void SetContentText(const CString& strText) override
    {
        m_backEnd.SetCharFormat(m_request.cfDefault, richtext::RT_SCF_DEFAULT);
        m_backEnd.SetText(strText);
        m_backEnd.SetCharFormat(m_request.cfDefault, richtext::RT_SCF_ALL);
    }
    void ShowToolBar(BOOL bShow) override
    {
        if (HWND bar = FormatToolBarHwnd(m_toolbar.get()))
            ::ShowWindow(bar, bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    }

    // Puts text in at the selection as if typed (undo kept).
    void TypeText(const std::u16string& text)
    {
        if (!text.empty())
            m_backEnd.ReplaceSel(text, TRUE);
    }

    // CFormatToolBarSite
    CRichFormatOps& FormatOps() override { return m_ops; }
    void ReturnFocus() override
    {
        if (m_edit.GetSafeHwnd() != nullptr)
            ::SetFocus(m_edit.GetSafeHwnd());
    }
    void CheckFocus() override
    {
        if (m_hWnd != nullptr)
            ::PostMessageA(m_hWnd, kCheckFocusMessage, 0, 0);
    }

    void EndEdit();
    // The rich edit lost the focus to hwndNew.
    void OnEditKillFocus(HWND hwndNew);
    void ShowMenu(CPoint ptScreen);

    // Messages being handled (of this window and of its rich edit).
    void Enter() { ++m_nDepth; }
    void Leave()
    {
        if (--m_nDepth == 0 && m_bDeletePending)
            delete this;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        Enter();
        LRESULT result = 0;
        switch (message) {
        case WM_SETFOCUS:
            if (m_edit.GetSafeHwnd() != nullptr)
                ::SetFocus(m_edit.GetSafeHwnd());
            break;
        case WM_COMMAND:
            // The rich edit itself measures its content (EN_REQUESTRESIZE).
            if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kRichEditId)
                m_backEnd.Send(EM_REQUESTRESIZE, 0, 0);
            break;
        case WM_NOTIFY: {
            const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
            if (hdr != nullptr && hdr->idFrom == kRichEditId && hdr->code == EN_SELCHANGE)
                UpdateToolBar();
            else if (hdr != nullptr && hdr->idFrom == kRichEditId && hdr->code == EN_REQUESTRESIZE)
                Grow(reinterpret_cast<const REQRESIZE*>(lParam)->rc.bottom -
                     reinterpret_cast<const REQRESIZE*>(lParam)->rc.top);
            else
                result = CWnd::WindowProc(message, wParam, lParam);
            break;
        }
        case kEndEditMessage:
            EndEdit();
            break;
        case WM_CLOSE:
            // Closed from outside: the edit ends as when the focus leaves,
            // and EndEdit closes the window after the grid has the texts.
            if (!m_bClosing && !g_bEndingEdit)
                EndEdit();
            else
                result = CWnd::WindowProc(message, wParam, lParam);
            break;
        case kCheckFocusMessage:
            if (!m_bDialogOpen && !InFamily(::GetFocus()))
                EndEdit();
            break;
        case WM_DESTROY:
            m_toolbar.reset();
            result = CWnd::WindowProc(message, wParam, lParam);
            break;
        default:
            result = CWnd::WindowProc(message, wParam, lParam);
            break;
        }
        Leave();
        return result;
    }

    void PostNcDestroy() override
    {
        CWnd::PostNcDestroy();
        // Whoever kept the editor (its cell) lets go of it from now on.
        m_alive.reset();
        if (m_nDepth > 0)
            m_bDeletePending = true;
        else
            delete this;
    }

private:
    // The editor grows downward while its content (natural pixels high)
    // needs more than the cell.
    void Grow(int natural);
    void ApplyEffect(DWORD dwMask, DWORD dwEffect, BOOL bOn);
    void ApplyParagraph(const RichParaFormat& pf);
    // Sends the toolbar the selection's formats (message 1048).
    void UpdateToolBar();
    // The properties dialog on the selection's formats; OK applies its pages.
    void RunProperties();
    // The window is the editor, its toolbar, or a window inside or owned by one.
    bool InFamily(HWND hwnd) const;

    SuperEditRequest m_request;
    CSuperRichEdit m_edit;
    CRichEditBackEnd m_backEnd;
    CRichFormatOps m_ops;
    FormatToolBarPtr m_toolbar;
    bool m_bDialogOpen = false;                          // the properties dialog runs
    HMODULE m_hRichEdit;
    HMENU m_hMenu = nullptr;
    BOOL m_bLockMark = FALSE;
    int m_nDepth = 0;
    bool m_bDeletePending = false;
    bool m_bClosing = false;                             // EndEdit closes the window
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);   // expires with the window
};

LRESULT CSuperRichEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_pOwner->Enter();
    LRESULT result = 0;
    switch (message) {
    case WM_IME_COMPOSITION:
        if ((lParam & GCS_RESULTSTR) != 0) {
            HIMC imc = ::ImmGetContext(m_hWnd);
            if (imc != nullptr) {
                const LONG bytes = ::ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0);
                std::string text(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
                if (bytes > 0)
                    ::ImmGetCompositionStringA(imc, GCS_RESULTSTR, &text[0], static_cast<DWORD>(bytes));
                ::ImmReleaseContext(m_hWnd, imc);
                m_pOwner->TypeText(cp936::ToUtf16(text));
                break;
            }
        }
        result = CWnd::WindowProc(message, wParam, lParam);
        break;
    case WM_IME_CHAR: {
        // One character: a two-byte code has its lead byte in the high byte.
        m_nLastChar = static_cast<int>(wParam & 0xFFFF);
        m_nLeadByte = -1;
        std::string bytes;
        if ((wParam & 0xFF00) != 0)
            bytes.push_back(static_cast<char>((wParam >> 8) & 0xFF));
        bytes.push_back(static_cast<char>(wParam & 0xFF));
        TypeBytes(bytes);
        break;
    }
    case WM_CHAR: {
        m_nLastChar = static_cast<int>(wParam);
        const unsigned int code = static_cast<unsigned int>(wParam & 0xFFFF);
        if (m_nLeadByte >= 0) {
            // The trail byte completes the character (any other byte
            // drops the lone lead byte and is typed on its own).
            const int lead = m_nLeadByte;
            m_nLeadByte = -1;
            if (code <= 0xFF && cp936::IsTrailByte(static_cast<unsigned char>(code))) {
                TypeBytes(std::string{static_cast<char>(lead), static_cast<char>(code)});
                break;
            }
        }
        if (code > 0xFF) {
            TypeBytes(std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
        } else if (code >= 0x80 && cp936::IsLeadByte(static_cast<unsigned char>(code))) {
            m_nLeadByte = static_cast<int>(code);
        } else if (code >= 0x80) {
            TypeBytes(std::string(1, static_cast<char>(code)));
        } else {
            result = CWnd::WindowProc(message, wParam, lParam);
        }
        break;
    }
    case WM_RBUTTONUP: {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ::ClientToScreen(m_hWnd, &pt);
        m_pOwner->ShowMenu(pt);
        result = CWnd::WindowProc(message, wParam, lParam);
        break;
    }
    case WM_KILLFOCUS:
        result = CWnd::WindowProc(message, wParam, lParam);
        m_pOwner->OnEditKillFocus(reinterpret_cast<HWND>(wParam));
        break;
    default:
        result = CWnd::WindowProc(message, wParam, lParam);
        break;
    }
    m_pOwner->Leave();
    return result;
}

void CSuperRichEdit::TypeBytes(const std::string& bytes)
{
    m_pOwner->TypeText(cp936::ToUtf16(bytes));
}

BOOL CSuperEditWnd::Open()
{
    CWnd* grid = m_request.pGrid;
    if (grid == nullptr || grid->GetSafeHwnd() == nullptr || m_hRichEdit == nullptr)
        return FALSE;
    if (!CreateEx(0, "KivoSuperEditWnd", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, m_request.rect, grid,
                  m_request.nID))
        return FALSE;
    CRect client(0, 0, m_request.rect.Width(), m_request.rect.Height());
    if (!m_edit.CreateEx(0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, client, this,
                         kRichEditId))
        return FALSE;

    // Tab stops every 320 twips, and the notifications the editor follows.
    RichParaFormat tabs;
    tabs.dwMask = richtext::RT_PFM_TABSTOPS;
    tabs.cTabCount = richtext::kMaxTabStops;
    for (int i = 0; i < richtext::kMaxTabStops; ++i)
        tabs.rgxTabs[i] = 320 * (i + 1);
    m_backEnd.SetSel(0, -1);
    m_backEnd.SetParaFormat(tabs);
    const LRESULT mask = m_backEnd.Send(EM_GETEVENTMASK, 0, 0);
    m_backEnd.Send(EM_SETEVENTMASK, 0, mask | ENM_CHANGE | ENM_SCROLL | ENM_SELCHANGE | ENM_REQUESTRESIZE);

    // The control's own default is the bold system face, which content read
    // in would inherit where it says nothing of a property (and an edit would
    // then commit it so): content reads over the cell's own font, as it does
    // when the cell draws it.
    m_backEnd.SetCharFormat(m_request.cfDefault, richtext::RT_SCF_DEFAULT);

    m_backEnd.SetRTF(m_request.strContent);
    CString plain;
    m_backEnd.GetText(plain);
    plain.TrimLeft();
    plain.TrimRight();
    if (plain.IsEmpty()) {
        RichCharFormat cf;
        cf.dwMask = richtext::RT_CFM_SIZE | richtext::RT_CFM_FACE | richtext::RT_CFM_BOLD |
                    richtext::RT_CFM_ITALIC | richtext::RT_CFM_UNDERLINE;
        cf.yHeight = 200;
        cf.strFace = "Times New Roman";
        m_backEnd.SetCharFormat(cf, richtext::RT_SCF_DEFAULT);
    }
    m_backEnd.SetSel(-1, -1);

    // The character that started the edit goes to the rich edit itself;
    // control characters and the cursor keys are not typed.
    const UINT ch = m_request.nChar;
    if (ch >= 0x80)
        ::PostMessageA(m_edit.GetSafeHwnd(), WM_IME_CHAR, ch, 0);
    else if (ch >= 32 && (ch < 36 || ch > 40))
        ::PostMessageA(m_edit.GetSafeHwnd(), WM_CHAR, ch, 0);

    m_backEnd.Send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(m_request.crBack));

    // The toolbar floats at the cell's toolbar position, owned by the grid's
    // top-level window; the editor works on without it when it cannot be made.
    const POINT toolbarPos = {m_request.nToolBarX, m_request.nToolBarY};
    m_toolbar = CreateFormatToolBar(this, ::GetAncestor(m_hWnd, GA_ROOT), toolbarPos, m_request.bShowToolBar != FALSE);
    UpdateToolBar();
    ::SetFocus(m_edit.GetSafeHwnd());
    return TRUE;
}

void CSuperEditWnd::UpdateToolBar()
{
    HWND bar = FormatToolBarHwnd(m_toolbar.get());
    if (bar == nullptr)
        return;
    RichCharFormat cf;
    RichParaFormat pf;
    m_ops.GetFormats(cf, pf);
    ::SendMessageA(bar, formatbar::MSG_UPDATE, reinterpret_cast<WPARAM>(&cf), reinterpret_cast<LPARAM>(&pf));
}

void CSuperEditWnd::RunProperties()
{
    proppages::FontInput fontIn;
    RichParaFormat pfIn;
    m_ops.GetFormats(fontIn.cf, pfIn);
    CHARFORMAT2W spacing;
    std::memset(&spacing, 0, sizeof spacing);
    spacing.cbSize = sizeof spacing;
    m_backEnd.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&spacing));
    fontIn.bSpacing = (spacing.dwMask & CFM_SPACING) != 0;
    fontIn.sSpacing = spacing.sSpacing;

    const HWND hwnd = m_hWnd;
    m_bDialogOpen = true;
    proppages::FontResult fontOut;
    RichParaFormat pfOut;
    const BOOL accepted = RunPropertiesDialog(::GetAncestor(m_hWnd, GA_ROOT), fontIn, pfIn, fontOut, pfOut);
    if (!::IsWindow(hwnd))
        return;                                  // the editor went while the dialog ran
    m_bDialogOpen = false;
    if (accepted) {
        m_ops.ApplyFormats(fontOut.cf, pfOut);
        if (fontOut.bSpacing) {
            CHARFORMAT2W cf;
            std::memset(&cf, 0, sizeof cf);
            cf.cbSize = sizeof cf;
            cf.dwMask = CFM_SPACING;
            cf.sSpacing = static_cast<SHORT>(fontOut.sSpacing);
            m_backEnd.Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        }
    }
    UpdateToolBar();
    ReturnFocus();
}

bool CSuperEditWnd::InFamily(HWND hwnd) const
{
    const HWND bar = FormatToolBarHwnd(m_toolbar.get());
    for (int depth = 0; hwnd != nullptr && depth < 64; ++depth) {
        if (hwnd == m_hWnd || (bar != nullptr && hwnd == bar))
            return true;
        hwnd = (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0 ? ::GetParent(hwnd)
                                                                   : ::GetWindow(hwnd, GW_OWNER);
    }
    return false;
}

void CSuperEditWnd::Grow(int natural)
{
    if (m_edit.GetSafeHwnd() == nullptr)
        return;
    RECT editRect;
    ::GetWindowRect(m_edit.GetSafeHwnd(), &editRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&editRect), 2);
    const int width = editRect.right - editRect.left;
    const int needed = natural + 2;
    if (editRect.top + needed == editRect.bottom)
        return;
    if (needed > m_request.rect.Height() || width > m_request.rect.Width()) {
        RECT own;
        ::GetWindowRect(m_hWnd, &own);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&own), 2);
        ::SetWindowPos(m_hWnd, nullptr, own.left, own.top, width, needed, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(m_edit.GetSafeHwnd(), nullptr, editRect.left, editRect.top, width, needed,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CSuperEditWnd::OnEditKillFocus(HWND hwndNew)
{
    // Moving between the editor's own windows (its toolbar, the boxes, the
    // palette, the properties dialog) keeps the edit.
    if (m_bDialogOpen || (hwndNew != nullptr && InFamily(hwndNew)))
        return;
    ::PostMessageA(m_hWnd, kEndEditMessage, 0, 0);
}

void CSuperEditWnd::EndEdit()
{
    if (g_bEndingEdit || m_hWnd == nullptr)
        return;
    g_bEndingEdit = true;
    Enter();
    const HWND hwnd = m_hWnd;
    const CString text = GetContentText();
    const CString rtf = GetContentRTF();
    CellEditNotifyInfo info = {};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(m_request.nID);
    info.hdr.code = static_cast<UINT>(kCellEditEndNotify);
    info.item.mask = kCellEditMaskTextAndKey;
    info.item.row = m_request.nRow;
    info.item.column = m_request.nCol;
    info.item.pszText = text.GetString();
    info.item.lParam = 0;
    info.pszRichText = rtf.GetString();
    info.nRichParam1 = m_request.nToolBarX;
    info.nRichParam2 = m_request.nToolBarY;
    if (HWND bar = FormatToolBarHwnd(m_toolbar.get())) {
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        info.nRichParam1 = barRect.left;
        info.nRichParam2 = barRect.top;
    }
    if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    m_bClosing = true;
    if (::IsWindow(hwnd))
        ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    g_bEndingEdit = false;
    Leave();
}

void CSuperEditWnd::ApplyEffect(DWORD dwMask, DWORD dwEffect, BOOL bOn)
{
    RichCharFormat cf;
    cf.dwMask = dwMask;
    cf.dwEffects = bOn ? dwEffect : 0;
    m_backEnd.SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CSuperEditWnd::ApplyParagraph(const RichParaFormat& pf)
{
    m_backEnd.SetParaFormat(pf);
}

void CSuperEditWnd::ShowMenu(CPoint ptScreen)
{
    if (!m_request.bPopupMenu)
        return;
    RichCharFormat cf;
    m_backEnd.GetCharFormat(cf);
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_ALIGNMENT | richtext::RT_PFM_NUMBERING;
    m_backEnd.GetParaFormat(pf);
    auto on = [&](DWORD mask, DWORD effect) { return (cf.dwMask & mask) != 0 && (cf.dwEffects & effect) != 0; };
    const bool checks[] = {on(richtext::RT_CFM_BOLD, richtext::RT_CFE_BOLD),
                           on(richtext::RT_CFM_ITALIC, richtext::RT_CFE_ITALIC),
                           on(richtext::RT_CFM_UNDERLINE, richtext::RT_CFE_UNDERLINE),
                           on(richtext::RT_CFM_STRIKEOUT, richtext::RT_CFE_STRIKEOUT),
                           on(richtext::RT_CFM_SUPERSCRIPT, richtext::RT_CFE_SUPERSCRIPT),
                           on(richtext::RT_CFM_SUBSCRIPT, richtext::RT_CFE_SUBSCRIPT)};
    struct Item {
        UINT id;
        const char* caption;
    };
    // "粗体" "斜体" "下划线" "删除线" "上标" "下标"
    const Item effects[] = {{kCmdBold, "\xB4\xD6\xCC\xE5"},        {kCmdItalic, "\xD0\xB1\xCC\xE5"},
                            {kCmdUnderline, "\xCF\xC2\xBB\xAE\xCF\xDF"}, {kCmdStrikeout, "\xC9\xBE\xB3\xFD\xCF\xDF"},
                            {kCmdSuperscript, "\xC9\xCF\xB1\xEA"},   {kCmdSubscript, "\xCF\xC2\xB1\xEA"}};
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < sizeof(effects) / sizeof(effects[0]); ++i)
        ::AppendMenuA(menu, MF_STRING | (checks[i] ? MF_CHECKED : 0), effects[i].id, effects[i].caption);
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    HMENU align = ::CreatePopupMenu();
    const bool uniformAlign = (pf.dwMask & richtext::RT_PFM_ALIGNMENT) != 0;
    ::AppendMenuA(align, MF_STRING | (uniformAlign && pf.wAlignment == 1 ? MF_CHECKED : 0), kCmdAlignLeft,
                  "\xBE\xD3\xD7\xF3");                                  // "居左"
    ::AppendMenuA(align, MF_STRING | (uniformAlign && pf.wAlignment == 3 ? MF_CHECKED : 0), kCmdAlignCenter,
                  "\xBE\xD3\xD6\xD0");                                  // "居中"
    ::AppendMenuA(align, MF_STRING | (uniformAlign && pf.wAlignment == 2 ? MF_CHECKED : 0), kCmdAlignRight,
                  "\xBE\xD3\xD3\xD2");                                  // "居右"
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(align), "\xB6\xD4\xC6\xEB\xB7\xBD\xCA\xBD");   // "对齐方式"
    ::AppendMenuA(menu, MF_STRING, kCmdIndent, "\xD7\xF3\xCB\xF5\xBD\xF8");                                 // "左缩进"
    ::AppendMenuA(menu, MF_STRING, kCmdOutdent, "\xD3\xD2\xCB\xF5\xBD\xF8");                                // "右缩进"
    HMENU bullets = ::CreatePopupMenu();
    const bool uniformNumbering = (pf.dwMask & richtext::RT_PFM_NUMBERING) != 0;
    ::AppendMenuA(bullets, MF_STRING | (uniformNumbering && pf.wNumbering == 1 ? MF_CHECKED : 0), kCmdBullet,
                  "\xD4\xB2\xC8\xA6");                                  // "圆圈"
    ::AppendMenuA(bullets, MF_STRING | (uniformNumbering && pf.wNumbering == 2 ? MF_CHECKED : 0), kCmdNumbering,
                  "\xCA\xFD\xD7\xD6");                                  // "数字"
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(bullets), "\xCF\xEE\xC4\xBF\xB7\xFB\xBA\xC5"); // "项目符号"
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, kCmdProperties, "\xCA\xF4\xD0\xD4...");                                 // "属性..."

    const HWND hwnd = m_hWnd;
    const UINT command = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, hwnd,
                         nullptr));
    ::DestroyMenu(menu);
    if (command == 0 || !::IsWindow(hwnd))
        return;
    // A command toggles what its check mark showed.
    auto toggle = [&](size_t i) { return !checks[i]; };
    RichParaFormat para;
    switch (command) {
    case kCmdBold: ApplyEffect(richtext::RT_CFM_BOLD, richtext::RT_CFE_BOLD, toggle(0)); break;
    case kCmdItalic: ApplyEffect(richtext::RT_CFM_ITALIC, richtext::RT_CFE_ITALIC, toggle(1)); break;
    case kCmdUnderline: ApplyEffect(richtext::RT_CFM_UNDERLINE, richtext::RT_CFE_UNDERLINE, toggle(2)); break;
    case kCmdStrikeout: ApplyEffect(richtext::RT_CFM_STRIKEOUT, richtext::RT_CFE_STRIKEOUT, toggle(3)); break;
    case kCmdSuperscript: ApplyEffect(richtext::RT_CFM_SUPERSCRIPT, richtext::RT_CFE_SUPERSCRIPT, toggle(4)); break;
    case kCmdSubscript: ApplyEffect(richtext::RT_CFM_SUBSCRIPT, richtext::RT_CFE_SUBSCRIPT, toggle(5)); break;
    case kCmdAlignLeft:
    case kCmdAlignCenter:
    case kCmdAlignRight:
        para.dwMask = richtext::RT_PFM_ALIGNMENT;
        para.wAlignment = command == kCmdAlignLeft ? 1 : command == kCmdAlignCenter ? 3 : 2;
        ApplyParagraph(para);
        break;
    case kCmdIndent:
    case kCmdOutdent: {
        RichParaFormat cur;
        cur.dwMask = richtext::RT_PFM_STARTINDENT | richtext::RT_PFM_TABSTOPS;
        m_backEnd.GetParaFormat(cur);
        const int count = cur.cTabCount < 0 ? 0 : (cur.cTabCount > richtext::kMaxTabStops ? richtext::kMaxTabStops
                                                                                        : cur.cTabCount);
        LONG indent = command == kCmdIndent ? -1 : 0;
        for (int i = 0; i < count; ++i) {
            if (command == kCmdIndent && cur.rgxTabs[i] > cur.dxStartIndent) {
                indent = cur.rgxTabs[i];
                break;
            }
            if (command == kCmdOutdent && cur.rgxTabs[i] < cur.dxStartIndent)
                indent = cur.rgxTabs[i];
        }
        if (indent >= 0) {
            para.dwMask = richtext::RT_PFM_STARTINDENT | richtext::RT_PFM_OFFSET;
            para.dxStartIndent = indent;
            para.dxOffset = indent;
            ApplyParagraph(para);
        }
        break;
    }
    case kCmdBullet:
    case kCmdNumbering:
        para.dwMask = richtext::RT_PFM_NUMBERING;
        para.wNumbering = static_cast<WORD>(
            command == kCmdBullet ? (uniformNumbering && pf.wNumbering == 1 ? 0 : 1)
                                  : (uniformNumbering && pf.wNumbering == 2 ? 0 : 2));
        ApplyParagraph(para);
        break;
    case kCmdProperties:
        RunProperties();
        break;
    default:
        break;
    }
    if (::IsWindow(hwnd))
        ::SetFocus(m_edit.GetSafeHwnd());
}

CWnd* CreateSuperEdit(const SuperEditRequest& request)
{
    CSuperEditWnd* editor = new CSuperEditWnd(request);
    if (!editor->Open()) {
        if (editor->GetSafeHwnd() != nullptr)
            editor->DestroyWindow();            // PostNcDestroy deletes it
        else
            delete editor;
        return nullptr;
    }
    return editor;
}

CRichTextEditorSite* SiteOf(CWnd* pWnd)
{
    return dynamic_cast<CSuperEditWnd*>(pWnd);
}

void EndSuperEdit(CWnd* pWnd)
{
    if (CSuperEditWnd* editor = dynamic_cast<CSuperEditWnd*>(pWnd))
        editor->EndEdit();
}

std::weak_ptr<void> AliveOf(CWnd* pWnd)
{
    CSuperEditWnd* editor = dynamic_cast<CSuperEditWnd*>(pWnd);
    return editor != nullptr ? editor->Alive() : std::weak_ptr<void>();
}

}  // namespace

void InstallSuperEditHooks()
{
    SuperEditHooks hooks;
    hooks.pfnCreate = &CreateSuperEdit;
    hooks.pfnSite = &SiteOf;
    hooks.pfnEndEdit = &EndSuperEdit;
    hooks.pfnAlive = &AliveOf;
    SetSuperEditHooks(hooks);
}
