#include "cells/DropDownWnd.h"

#include "cells/DropButtonPainter.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/System.h"

#include <algorithm>

namespace {

const char kHostClass[] = "KivoDropDownHost";
const char kListClass[] = "KivoDropDownList";
const COLORREF kFocusColour = RGB(49, 106, 197);
const COLORREF kFrameColour = RGB(84, 165, 213);
const int kButtonWidth = 17;

void RegisterClasses()
{
    if (!PlatformIsWindowClassRegistered(kHostClass))
        PlatformRegisterWindowClass(kHostClass, 0, PlatformLoadCursor(IDC_ARROW), 0);
    if (!PlatformIsWindowClassRegistered(kListClass))
        PlatformRegisterWindowClass(kListClass, 0, PlatformLoadCursor(IDC_ARROW), 0);
}

// One character as it arrived (one byte, or a two-byte character sent whole).
CString CharText(UINT nChar)
{
    CString text;
    if (nChar > 0xFF) {
        text += static_cast<char>((nChar >> 8) & 0xFF);
        text += static_cast<char>(nChar & 0xFF);
    } else {
        text += static_cast<char>(nChar);
    }
    return text;
}

}  // namespace

// --- the edit ----------------------------------------------------------------------------

LRESULT CDropDownEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CDropDownWnd* host = m_pHost;
    host->EnterMessage();
    const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    host->LeaveMessage();   // may delete the host, and with it this edit
    return result;
}

void CDropDownEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The host sees every key first; what it leaves is the edit's.
    m_pHost->OnEditKeyDown(nChar, nRepCnt, nFlags);
}

void CDropDownEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_pHost->OnEditKeyUp(nChar, nRepCnt, nFlags);
}

void CDropDownEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_TAB)
        return;
    if (m_pHost->IsReadOnly()) {
        if (nChar < 0x20)
            return;
        KillTimer(DROPDOWN_TYPEAHEAD_TIMER);
        const CString& typed = m_typed.Type(CharText(nChar), GetTickCount());
        SetTimer(DROPDOWN_TYPEAHEAD_TIMER, CTypeAhead::kTimeoutMs);
        m_pHost->TextTyped(typed);
        m_bIme = FALSE;
        return;
    }
    if (!m_bIme) {
        CWnd* grid = m_pHost->GetParent();
        CWnd* control = grid != nullptr ? grid->GetParent() : nullptr;
        DWORD word = nChar;
        if (control != nullptr)
            control->SendMessage(WM_GRID_ONCHAR, reinterpret_cast<WPARAM>(&word), 1);
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    m_bIme = FALSE;
    CString text;
    GetWindowText(text);
    m_pHost->TextTyped(text);
}

LRESULT CDropDownEdit::OnImeChar(WPARAM wParam, LPARAM lParam)
{
    m_bIme = TRUE;
    if (!m_pHost->IsReadOnly()) {
        CWnd* grid = m_pHost->GetParent();
        CWnd* control = grid != nullptr ? grid->GetParent() : nullptr;
        DWORD word = static_cast<DWORD>(wParam);
        if (control != nullptr)
            control->SendMessage(WM_GRID_ONCHAR, reinterpret_cast<WPARAM>(&word), 1);
    }
    return CEdit::OnImeChar(wParam, lParam);
}

void CDropDownEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != DROPDOWN_TYPEAHEAD_TIMER) {
        CEdit::OnTimer(nIDEvent);
        return;
    }
    m_typed.Reset();
    KillTimer(DROPDOWN_TYPEAHEAD_TIMER);
}

void CDropDownEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_pHost->OnEditFocusLost(pNewWnd);
}

void CDropDownEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pHost->IsReadOnly()) {
        SetFocus();
        m_pHost->ShowList(0);
        return;
    }
    CEdit::OnLButtonDown(nFlags, point);
}

// --- the list ----------------------------------------------------------------------------

LRESULT CDropDownList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CDropDownWnd* host = m_pHost;
    host->EnterMessage();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    host->LeaveMessage();
    return result;
}

void CDropDownList::SetCurSel(int nIndex)
{
    const int count = m_pHost->Model().GetItemCount();
    m_nCurSel = (nIndex >= 0 && nIndex < count) ? nIndex : -1;
    if (m_hWnd != nullptr && m_nCurSel >= 0) {
        CRect client;
        GetClientRect(&client);
        const int rows = std::max(1, static_cast<int>(client.Height()) / m_nItemHeight);
        if (m_nCurSel < m_nTop)
            m_nTop = m_nCurSel;
        else if (m_nCurSel >= m_nTop + rows)
            m_nTop = m_nCurSel - rows + 1;
    }
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

int CDropDownList::ItemFromPoint(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return -1;
    const int index = m_nTop + point.y / m_nItemHeight;
    return index < m_pHost->Model().GetItemCount() ? index : -1;
}

void CDropDownList::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    CDropDownSelection& model = m_pHost->Model();
    CFont* pFont = m_pHost->GetEdit()->GetFont();
    CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    CBitmap* pBoxes = m_pHost->GetGrid() != nullptr ? m_pHost->GetGrid()->GetSkinBitmap(SKIN_COMBOCHECKBOX) : nullptr;
    const BOOL multi = model.IsMultiCheck();
    dc.SetBkMode(TRANSPARENT);
    for (int index = m_nTop, y = 0; index < model.GetItemCount() && y < client.bottom; ++index, y += m_nItemHeight) {
        const BOOL selected = index == m_nCurSel;
        CRect row(0, y, client.right, y + m_nItemHeight);
        CRect text = row;
        if (multi) {
            text.left = 15;
            if (pBoxes != nullptr && pBoxes->GetSafeHandle() != nullptr) {
                CDC source;
                if (source.CreateCompatibleDC(&dc)) {
                    CBitmap* pOld = source.SelectObject(pBoxes);
                    const int sx = 39 - (selected ? 0 : 26) - (model.IsSelected(index) ? 0 : 13);
                    dc.BitBlt(1, y + 1, 13, 13, &source, sx, 0, SRCCOPY);
                    source.SelectObject(pOld);
                }
            }
        }
        dc.FillSolidRect(&text, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CString label = " " + model.GetItemText(index);
        dc.DrawText(label, &text, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CDropDownList::OnMouseMove(UINT, CPoint point)
{
    const int index = ItemFromPoint(point);
    if (index >= 0 && index != m_nCurSel)
        SetCurSel(index);
}

void CDropDownList::OnLButtonDown(UINT, CPoint point)
{
    // The list never takes the focus: the click picks and is not passed on.
    const int index = ItemFromPoint(point);
    if (index < 0)
        return;
    SetCurSel(index);
    m_pHost->Pick(index);
}

// --- the host ----------------------------------------------------------------------------

CDropDownWnd::CDropDownWnd() : m_edit(this), m_list(this)
{
    m_brushFocus.CreateSolidBrush(kFocusColour);
    m_brushBack.CreateSolidBrush(m_crBack);
}

CDropDownWnd::~CDropDownWnd() = default;

LRESULT CDropDownWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    EnterMessage();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    LeaveMessage();
    return result;
}

void CDropDownWnd::LeaveMessage()
{
    if (--m_nDepth == 0 && m_bDeletePending)
        delete this;
}

void CDropDownWnd::PostNcDestroy()
{
    CWnd::PostNcDestroy();
    if (!m_bAutoDelete)
        return;
    if (m_nDepth > 0)
        m_bDeletePending = TRUE;
    else
        delete this;
}

BOOL CDropDownWnd::CreateHost(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, BOOL bReadOnly)
{
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr)
        return FALSE;
    RegisterClasses();
    m_pGrid = pGrid;
    m_bReadOnly = bReadOnly;
    if (!CreateEx(0, kHostClass, "", dwStyle | WS_CHILD | WS_VISIBLE, rect, pGrid, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const CRect editRect(1, 1, std::max(1, static_cast<int>(client.right) - kButtonWidth), std::max(1, static_cast<int>(client.bottom) - 1));
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (bReadOnly ? ES_READONLY : 0);
    if (!m_edit.Create(editStyle, editRect, this, DROPDOWN_EDIT_ID)) {
        DestroyWindow();
        return FALSE;
    }
    if (CFont* pFont = pGrid->GetFont())
        m_edit.SetFont(pFont);
    return TRUE;
}

void CDropDownWnd::SetColours(COLORREF crText, COLORREF crBack)
{
    m_crText = crText;
    m_crBack = crBack;
    m_brushBack.DeleteObject();
    m_brushBack.CreateSolidBrush(m_crBack);
}

BOOL CDropDownWnd::IsOwnWindow(const CWnd* pWnd) const
{
    if (pWnd == nullptr)
        return FALSE;
    const HWND hwnd = pWnd->GetSafeHwnd();
    return hwnd != nullptr && (hwnd == m_hWnd || hwnd == m_edit.GetSafeHwnd() || hwnd == m_list.GetSafeHwnd());
}

CRect CDropDownWnd::GetListRect()
{
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    int itemHeight = 16;
    {
        CClientDC dc(&m_edit);
        CFont* pFont = m_edit.GetFont();
        CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
        itemHeight = std::max(1, static_cast<int>(dc.GetTextExtent(CString("X")).cy) + 2);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    m_list.SetItemHeight(itemHeight);
    const int height = CDropDownSelection::ListHeight(m_model.GetItemCount(), itemHeight, m_nMaxListHeight);
    // The border takes a pixel above and below.
    return CRect(rect.left, rect.bottom, rect.right, rect.bottom + height + (height > 0 ? 2 : 0));
}

void CDropDownWnd::ShowList(int nMode)
{
    if (m_list.GetSafeHwnd() == nullptr) {
        if (nMode == 2 || GetParent() == nullptr)
            return;
        const CRect rect = GetListRect();
        if (!m_list.CreateEx(0, kListClass, "", WS_CHILD | WS_BORDER | WS_VISIBLE, rect, GetParent(), DROPDOWN_LIST_ID))
            return;
        m_list.SetCurSel(m_model.GetFirstSelected());
        return;
    }
    const BOOL shown = m_list.IsWindowVisible();
    if (nMode == 1 || (nMode == 0 && !shown)) {
        m_list.MoveWindow(GetListRect());
        m_list.ShowWindow(SW_SHOW);
        m_list.Invalidate(FALSE);
    } else if (nMode == 2 || (nMode == 0 && shown)) {
        m_list.ShowWindow(SW_HIDE);
    }
}

BOOL CDropDownWnd::IsListShown() const
{
    return m_list.GetSafeHwnd() != nullptr && m_list.IsWindowVisible();
}

int CDropDownWnd::GetListSelection() const
{
    return IsListShown() ? m_list.GetCurSel() : -1;
}

void CDropDownWnd::SelectItem(int nIndex, BOOL bFlag)
{
    if (!m_model.Select(nIndex, bFlag))
        return;
    if (m_edit.GetSafeHwnd() == nullptr)
        return;
    m_edit.SetFocus();
    m_edit.SetWindowText(m_model.GetSelectionText());
    m_edit.SetSel(0, -1);
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.Invalidate(FALSE);
}

void CDropDownWnd::SetText(const CString& strText)
{
    if (!m_bReadOnly) {
        m_edit.SetWindowText(strText);
        return;
    }
    m_model.MatchText(strText);
    m_edit.SetWindowText(m_model.GetSelectionText());
}

CString CDropDownWnd::GetEditText() const
{
    CString text;
    if (m_edit.GetSafeHwnd() != nullptr)
        m_edit.GetWindowText(text);
    return text;
}

void CDropDownWnd::Pick(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_model.GetItemCount())
        return;
    if (m_model.IsMultiCheck()) {
        SelectItem(nIndex, !m_model.IsSelected(nIndex));
    } else {
        SelectItem(nIndex, TRUE);
        ShowList(2);
    }
    OnPicked();
}

BOOL CDropDownWnd::ApplyKeyRule(UINT nChar)
{
    switch (nChar) {
    case VK_RETURN:
        if (!IsListShown())
            return FALSE;
        if (m_model.IsMultiCheck())
            ShowList(2);
        else
            Pick(m_list.GetCurSel());
        return TRUE;
    case VK_SPACE:
        if (!IsListShown() || !m_model.IsMultiCheck())
            return FALSE;
        Pick(m_list.GetCurSel());
        return TRUE;
    case VK_UP:
    case VK_DOWN: {
        const BOOL wasShown = IsListShown();
        ShowList(1);
        if (!wasShown && m_list.GetCurSel() >= 0)
            return TRUE;
        const int cur = m_list.GetCurSel();
        int next = cur < 0 ? 0 : cur + (nChar == VK_DOWN ? 1 : -1);
        next = std::max(0, std::min(next, m_model.GetItemCount() - 1));
        m_list.SetCurSel(next);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CDropDownWnd::TextTyped(const CString& strTyped)
{
    if (m_bAutoDropDown)
        ShowList(1);
    if (IsListShown())
        m_list.SetCurSel(m_model.FindPrefix(strTyped));
}

void CDropDownWnd::OnEditKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!ApplyKeyRule(nChar))
        m_edit.DefaultKey(WM_KEYDOWN, nChar, nRepCnt, nFlags);
}

void CDropDownWnd::OnEditKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_edit.DefaultKey(WM_KEYUP, nChar, nRepCnt, nFlags);
}

void CDropDownWnd::OnEditFocusLost(CWnd*)
{
    ShowList(2);
}

void CDropDownWnd::DrawButton(int nState)
{
    if (m_hWnd == nullptr)
        return;
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBitmap* pSkin = m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(SKIN_COMBOBOX) : nullptr;
    DrawDropButton(&dc, pSkin, client, nState, 1.0, 1.0);
}

void CDropDownWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, kFrameColour);
    CPen* pOld = dc.SelectObject(&pen);
    dc.MoveTo(client.left, client.top);
    dc.LineTo(client.right - 1, client.top);
    dc.LineTo(client.right - 1, client.bottom - 1);
    dc.LineTo(client.left, client.bottom - 1);
    dc.LineTo(client.left, client.top);
    dc.SelectObject(pOld);
    CBitmap* pSkin = m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(SKIN_COMBOBOX) : nullptr;
    DrawDropButton(&dc, pSkin, client, DBS_NORMAL, 1.0, 1.0);
}

void CDropDownWnd::OnLButtonDown(UINT, CPoint)
{
    DrawButton(DBS_PRESSED);
    m_edit.SetFocus();
    ShowList(0);
}

void CDropDownWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    DrawButton(DBS_NORMAL);
    // The grid gets the release at the same place in its own coordinates.
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    CPoint at = point;
    MapWindowPoints(parent, &at, 1);
    parent->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(at.x, at.y));
}

void CDropDownWnd::OnDestroy()
{
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.DestroyWindow();
    CWnd::OnDestroy();
}

HBRUSH CDropDownWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() == m_edit.GetSafeHwnd()) {
        if (m_bReadOnly && CWnd::GetFocus() == &m_edit) {
            pDC->SetBkColor(kFocusColour);
            pDC->SetTextColor(RGB(255, 255, 255));
            return static_cast<HBRUSH>(m_brushFocus.GetSafeHandle());
        }
        pDC->SetBkColor(m_crBack);
        pDC->SetTextColor(m_crText);
        return static_cast<HBRUSH>(m_brushBack.GetSafeHandle());
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}
