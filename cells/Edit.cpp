#include "cells/Edit.h"

#include "base/WinConstants.h"
#include "cells/EditBuffer.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <cstring>

bool CEdit::IsSystemControl()
{
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

CEdit::CEdit() : m_hFont(nullptr)
{
    if (!IsSystemControl())
        m_pBuffer.reset(new CEditBuffer);
}

CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, "EDIT", "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                          reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, 0, 0));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pBuffer)
        return CWnd::DefWindowProc(message, wParam, lParam);
    return BufferProc(message, wParam, lParam);
}

LRESULT CEdit::BufferProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CEditBuffer& buffer = *m_pBuffer;
    const DWORD style = GetStyle();
    const bool multiLine = (style & ES_MULTILINE) != 0;
    const bool readOnly = (style & ES_READONLY) != 0;
    switch (message) {
    case WM_SETTEXT:
        buffer.SetText(reinterpret_cast<LPCTSTR>(lParam));
        CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate();
        return TRUE;
    case WM_GETTEXT: {
        char* out = reinterpret_cast<char*>(lParam);
        int size = static_cast<int>(wParam);
        if (out == nullptr || size <= 0)
            return 0;
        int n = buffer.GetLength() < size - 1 ? buffer.GetLength() : size - 1;
        std::memcpy(out, buffer.GetText().GetString(), static_cast<size_t>(n));
        out[n] = '\0';
        return n;
    }
    case WM_GETTEXTLENGTH:
        return buffer.GetLength();
    case EM_GETSEL: {
        int start, end;
        buffer.GetSel(start, end);
        if (wParam != 0)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam != 0)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        return MAKELRESULT(start > 0xFFFF ? 0xFFFF : start, end > 0xFFFF ? 0xFFFF : end);
    }
    case EM_SETSEL:
        buffer.SetSel(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<int>(lParam));
        Invalidate();
        return 0;
    case EM_REPLACESEL:
        if (buffer.ReplaceSel(reinterpret_cast<LPCTSTR>(lParam)))
            Invalidate();
        return 0;
    case EM_SCROLLCARET:
        return TRUE;
    case WM_CHAR:
        if (buffer.Char(static_cast<UINT>(wParam), multiLine, readOnly))
            Invalidate();
        return 0;
    case WM_IME_CHAR:
        if (buffer.ImeChar(static_cast<UINT>(wParam), readOnly))
            Invalidate();
        return 0;
    case WM_KEYDOWN:
        if (buffer.KeyDown(static_cast<UINT>(wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                           readOnly))
            Invalidate();
        return 0;
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (multiLine ? DLGC_WANTALLKEYS : 0);
    case WM_LBUTTONDOWN:
        SetFocus();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // painted with the text
    case WM_PAINT:
        PaintBuffer();
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CEdit::PaintBuffer()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    HBRUSH brush = nullptr;
    if (CWnd* parent = GetParent())
        brush = reinterpret_cast<HBRUSH>(
            parent->SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                reinterpret_cast<LPARAM>(m_hWnd)));
    if (brush != nullptr)
        dc.FillRect(&client, CBrush::FromHandle(brush));
    else
        dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));

    CFont* oldFont = nullptr;
    if (m_hFont != nullptr)
        oldFont = dc.SelectObject(CFont::FromHandle(m_hFont));
    const DWORD style = GetStyle();
    UINT format = DT_NOPREFIX;
    if (style & ES_RIGHT)
        format |= DT_RIGHT;
    else if (style & ES_CENTER)
        format |= DT_CENTER;
    if (!(style & ES_MULTILINE))
        format |= DT_SINGLELINE;
    dc.SetBkMode(TRANSPARENT);
    CRect text = client;
    text.DeflateRect(1, 0);
    dc.DrawText(m_pBuffer->GetText(), &text, format);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}
