#include "cells/InPlaceEdit.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "platform/DC.h"
#include "platform/System.h"

#include <algorithm>

namespace {

// One end of an edit runs at a time in the process: the grid's handling of
// the notification moves the focus, and that focus loss must not end again.
bool g_bEndingEdit = false;

}  // namespace

CInPlaceEdit::CInPlaceEdit()
    : m_nRow(-1), m_nColumn(-1), m_nLastChar(0), m_bExitOnArrows(FALSE), m_crBack(0), m_crText(0),
      m_bWrapText(FALSE), m_nWrapWidth(0), m_nPendingLead(0), m_nMessageDepth(0), m_bDeletePending(false),
      m_bDiscarding(false), m_bAutoDelete(FALSE)
{
}

CInPlaceEdit::~CInPlaceEdit()
{
    // Close the window while this object and its font still exist; an editor
    // that is thrown away this way reports nothing.
    m_bDiscarding = true;
    m_bAutoDelete = FALSE;
    if (m_hWnd != nullptr)
        CEdit::DestroyWindow();
}

BOOL CInPlaceEdit::Create(CWnd* pParent, const RECT& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                          const CString& sInitText, UINT nFirstChar, COLORREF crBack, COLORREF crText,
                          const InPlaceEditOptions& options)
{
    if (pParent == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_nRow = nRow;
    m_nColumn = nColumn;
    m_sInitText = sInitText;
    m_nLastChar = 0;
    m_nPendingLead = 0;
    m_bDiscarding = false;
    m_crBack = crBack;
    m_crText = crText;
    m_bWrapText = options.bWrapText;
    m_nWrapWidth = options.nWrapWidth;

    CRect rc(rect);
    rc.left += 1;
    rc.top += 1;
    rc.right += 2;
    m_Rect = rc;
    m_rectCreate = rc;
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | dwStyle, rc, pParent, nID))
        return FALSE;

    LOGFONT lf = {};
    bool haveFont = false;
    if (options.pFont != nullptr) {
        lf = *options.pFont;
        haveFont = true;
    } else if (options.bBold) {
        if (CFont* parentFont = pParent->GetFont())
            haveFont = parentFont->GetLogFont(&lf) != 0;
    }
    if (haveFont) {
        if (options.bBold)
            lf.lfWeight = FW_BOLD;
        if (m_font.CreateFontIndirect(&lf))
            SetFont(&m_font);
    }

    SetWindowText(m_sInitText);
    FitToText();
    SetFocus();

    const int length = m_sInitText.GetLength();
    if (nFirstChar == kStartByMouse || nFirstChar == VK_BACK || nFirstChar == VK_TAB)
        SetSel(length, length);
    else
        SetSel(0, -1);
    // The key that opened the editor is typed into it, after the caret is
    // placed: a character replaces the selected text, Backspace removes the
    // last character.
    if (nFirstChar > 7)
        PostMessage(nFirstChar < 128 ? WM_CHAR : WM_IME_CHAR, nFirstChar, 1);

    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void CInPlaceEdit::SetInputLimit(BOOL bLimit, double dMin, double dMax)
{
    m_rule.bLimit = bLimit;
    m_rule.dMin = dMin;
    m_rule.dMax = dMax;
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_nMessageDepth;
    LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    if (--m_nMessageDepth == 0 && m_bDeletePending) {
        delete this;
    }
    return result;
}

void CInPlaceEdit::DeleteWhenIdle()
{
    if (m_nMessageDepth > 0)
        m_bDeletePending = true;
    else
        delete this;
}

BOOL CInPlaceEdit::DestroyWindow()
{
    // Closed from outside (by its cell, the grid): the edit is abandoned and
    // nothing is reported.
    m_bDiscarding = true;
    return CEdit::DestroyWindow();  // an editor that owns itself may be gone now
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    if (m_bAutoDelete)
        DeleteWhenIdle();
}

void CInPlaceEdit::Discard(CInPlaceEdit* pEdit)
{
    if (pEdit == nullptr || pEdit->m_bDeletePending)
        return;
    pEdit->m_bAutoDelete = TRUE;
    if (pEdit->m_hWnd != nullptr)
        pEdit->DestroyWindow();  // PostNcDestroy deletes it
    else
        pEdit->DeleteWhenIdle();
}

DWORD CInPlaceEdit::AskControl(UINT message, DWORD value, LPARAM lParam)
{
    CWnd* grid = GetParent();
    CWnd* control = grid != nullptr ? grid->GetParent() : nullptr;
    if (control == nullptr)
        return value;
    DWORD word = value;
    control->SendMessage(message, reinterpret_cast<WPARAM>(&word), lParam);
    return word;
}

void CInPlaceEdit::PassToGrid(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_nLastChar = nChar;
    if (CWnd* grid = GetParent())
        grid->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
    // The grid has ended the edit: nothing of this object is used any more.
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (nChar) {
    case VK_TAB:
        // Tab ends the edit here already: a host that hands the editor the
        // key press and keeps it from becoming a character (as a container's
        // key translation does) would otherwise lose it. The grid moves by
        // the key that ended the edit (Shift+Tab backwards).
        if (!ctrl) {
            OnChar(VK_TAB, nRepCnt, nFlags);
            return;
        }
        break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        PassToGrid(nChar, nRepCnt, nFlags);
        return;
    case VK_LEFT:
    case VK_RIGHT:
        if (m_bExitOnArrows || ctrl) {
            PassToGrid(nChar, nRepCnt, nFlags);
            return;
        }
        break;
    default:
        break;
    }

    int start = 0, end = 0;
    GetSel(start, end);
    const int length = GetWindowTextLength();
    switch (nChar) {
    case VK_RIGHT:
    case VK_END:
        if (end >= length) {
            PassToGrid(nChar, nRepCnt, nFlags);
            return;
        }
        if (nChar == VK_RIGHT)
            SetSel(end, end, TRUE);
        else
            SetSel(length, length, TRUE);
        break;
    case VK_LEFT:
    case VK_HOME:
        if (start <= 0) {
            PassToGrid(nChar, nRepCnt, nFlags);
            return;
        }
        if (nChar == VK_LEFT)
            SetSel(start, start, TRUE);
        else
            SetSel(0, 0);
        break;
    case VK_RETURN:
        if (!ctrl) {
            PassToGrid(nChar, nRepCnt, nFlags);
            return;
        }
        AskControl(kGridKeyPress, nChar, 1);
        break;
    default:
        // The host sees the key; its answer does not change the editing.
        AskControl(kGridKeyPress, nChar, 1);
        break;
    }
    if (m_hWnd != nullptr)
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_ESCAPE) {
        m_nPendingLead = 0;
        if (nChar == VK_ESCAPE)
            SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        if (CWnd* grid = GetParent())
            grid->SetFocus();
        return;
    }
    // A two-byte character that arrives as two character messages is shown
    // to the host and typed as the one character it is.
    if (m_nPendingLead != 0) {
        const UINT lead = m_nPendingLead;
        m_nPendingLead = 0;
        if (nChar < 0x100 && cp936::IsTrailByte(static_cast<unsigned char>(nChar))) {
            TypeChar((lead << 8) | nChar, MAKELPARAM(nRepCnt, nFlags), 1);
            return;
        }
        // Not the second byte of a character: the lead byte alone is dropped
        // and this character counts as itself.
    }
    if (nChar < 0x100 && cp936::IsLeadByte(static_cast<unsigned char>(nChar))) {
        m_nPendingLead = nChar;
        return;
    }
    TypeChar(nChar, MAKELPARAM(nRepCnt, nFlags), 1);
}

LRESULT CInPlaceEdit::OnImeChar(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (nChar == VK_TAB || nChar == VK_ESCAPE) {
        OnChar(nChar, LOWORD(lParam), HIWORD(lParam));
        return 1;
    }
    m_nPendingLead = 0;
    return TypeChar(nChar, 1, lParam);
}

BOOL CInPlaceEdit::TypeChar(UINT nChar, LPARAM lParamChar, LPARAM lParamForHost)
{
    const UINT ch = AskControl(kGridOnChar, nChar, lParamForHost);
    if (m_hWnd == nullptr)
        return FALSE;
    if (ch != VK_BACK && (m_rule.nInputType == kInputWholeNumber || m_rule.nInputType == kInputDecimal)) {
        CString text;
        GetWindowText(text);
        int start = 0, end = 0;
        GetSel(start, end);
        if (!NumericCharAcceptable(text, start, end, ch, m_rule))
            return FALSE;
    }
    if (ch > 0xFF) {
        // A two-byte character goes in as text: left to the system's default
        // processing it would come back as two separate character messages.
        // Only a whole character goes in (the host's answer may be anything).
        if (ch > 0xFFFF || !cp936::IsLeadByte(static_cast<unsigned char>(ch >> 8)) ||
            !cp936::IsTrailByte(static_cast<unsigned char>(ch & 0xFF)))
            return FALSE;
        const char text[3] = {static_cast<char>((ch >> 8) & 0xFF), static_cast<char>(ch & 0xFF), '\0'};
        ReplaceSel(text, TRUE);
    } else {
        DefWindowProc(WM_CHAR, ch, lParamChar);
    }
    FitToText();
    return TRUE;
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

HBRUSH CInPlaceEdit::CtlColor(CDC* pDC, UINT)
{
    if (m_brushBack.GetSafeHandle() == nullptr)
        m_brushBack.CreateSolidBrush(m_crBack);
    pDC->SetBkColor(m_crBack);
    pDC->SetTextColor(m_crText);
    return static_cast<HBRUSH>(m_brushBack.GetSafeHandle());
}

void CInPlaceEdit::EndEdit()
{
    if (g_bEndingEdit || m_bDiscarding || m_hWnd == nullptr)
        return;
    g_bEndingEdit = true;
    // The owner's handling may close the window and delete this editor: the
    // deletion waits until this end has run.
    ++m_nMessageDepth;
    const HWND hwnd = m_hWnd;
    CString text;
    GetWindowText(text);

    CellEditNotifyInfo info = {};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = static_cast<UINT>(kCellEditEndNotify);
    info.item.mask = kCellEditMaskTextAndKey;
    info.item.row = m_nRow;
    info.item.column = m_nColumn;
    info.item.pszText = text.GetString();
    info.item.lParam = static_cast<LPARAM>(m_nLastChar);
    if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));

    // The owner's handling may have closed the window (and handed this object
    // to Discard); only a window that is still there is closed here.
    if (IsWindow(hwnd))
        CWnd::FromHandle(hwnd)->SendMessage(WM_CLOSE, 0, 0);
    g_bEndingEdit = false;
    if (--m_nMessageDepth == 0 && m_bDeletePending)
        delete this;
}

void CInPlaceEdit::FitToText()
{
    CWnd* grid = GetParent();
    if (m_hWnd == nullptr || grid == nullptr)
        return;
    CString text;
    GetWindowText(text);

    CSize size(0, 0);
    {
        CClientDC dc(this);
        CFont* oldFont = nullptr;
        if (CFont* font = GetFont())
            oldFont = dc.SelectObject(font);
        if (m_bWrapText) {
            // Word-wrapped in the column's width, as the cell shows it.
            const int width = std::max(1, m_nWrapWidth);
            CRect measure(0, 0, width, 0);
            dc.DrawText(text, &measure, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
            size.cx = std::min(measure.Width(), width);
            size.cy = measure.Height();
        } else {
            TEXTMETRIC tm = {};
            dc.GetTextMetrics(&tm);
            CString rest = text + "\r\n";
            int pos;
            while ((pos = rest.Find("\r\n")) >= 0) {
                CSize extent = dc.GetTextExtent(rest.Left(pos));
                size.cx = std::max<LONG>(size.cx, extent.cx);
                size.cy += std::max<LONG>(extent.cy, tm.tmHeight);
                rest = rest.Mid(pos + 2);
            }
        }
        if (oldFont != nullptr)
            dc.SelectObject(oldFont);
    }

    CRect client;
    grid->GetClientRect(&client);
    if (m_Rect.Width() < size.cx)
        m_Rect.right = std::max<LONG>(m_Rect.right, std::min<LONG>(m_Rect.left + size.cx, client.right));
    if (m_Rect.top + size.cy < client.bottom) {
        if (m_rectCreate.Height() >= size.cy) {
            m_Rect.bottom = m_rectCreate.bottom;
        } else {
            m_Rect.bottom = m_Rect.top + size.cy;
            if (text.Find('\n') >= 0)
                m_Rect.bottom += 5;
        }
    } else {
        m_Rect.bottom = client.bottom;
    }
    MoveWindow(&m_Rect);
}
