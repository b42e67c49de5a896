#include "cells/InPlaceDateTime.h"

#include "cells/CellEditNotifyInfo.h"
#include "cells/DropButtonPainter.h"
#include "cells/GridCellDateTime.h"
#include "cells/MonthCalendar.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/DC.h"
#include "platform/System.h"

#include <algorithm>
#include <set>

namespace {

const char kEditorClass[] = "KivoDateTimeEditor";
const int kButtonWidth = 17;
// The edit box's margins, left in the low word and right in the high word.
const UINT kGetMargins = 0x00D4;   // EM_GETMARGINS

std::set<const CWnd*>& LiveEditors()
{
    static std::set<const CWnd*> editors;
    return editors;
}

bool IsEndKey(UINT nChar)
{
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

// --- the fields ---------------------------------------------------------------------------

LRESULT CDateTimeMaskEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CInPlaceDateTime* owner = m_pOwner;
    owner->EnterMessage();
    const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    owner->LeaveMessage();   // may delete the editor, and with it this field
    return result;
}

void CDateTimeMaskEdit::OnChar(UINT nChar, UINT, UINT)
{
    m_pOwner->OnFieldChar(m_nField, nChar);
}

void CDateTimeMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_pOwner->OnFieldKeyDown(m_nField, nChar, nRepCnt, nFlags);
}

void CDateTimeMaskEdit::OnKeyUp(UINT nChar, UINT, UINT)
{
    m_pOwner->OnFieldKeyUp(m_nField, nChar);
}

void CDateTimeMaskEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    SetSel(0, -1);
    m_pOwner->ShowCalendar(FALSE);
}

void CDateTimeMaskEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_pOwner->OnFieldFocusLost(m_nField, pNewWnd);
}

void CDateTimeMaskEdit::OnLButtonDown(UINT, CPoint)
{
    // A click only moves the focus; the field then selects its text.
    SetFocus();
}

// --- the editor ---------------------------------------------------------------------------

CInPlaceDateTime::CInPlaceDateTime() : m_edit0(this, 0), m_edit1(this, 1), m_edit2(this, 2)
{
    LiveEditors().insert(this);
}

CInPlaceDateTime::~CInPlaceDateTime()
{
    LiveEditors().erase(this);
}

BOOL CInPlaceDateTime::IsLive(const CWnd* pEditor)
{
    return pEditor != nullptr && LiveEditors().count(pEditor) != 0;
}

CDateTimeMaskEdit* CInPlaceDateTime::GetField(int nField)
{
    switch (nField) {
    case 0: return &m_edit0;
    case 1: return &m_edit1;
    case 2: return &m_edit2;
    default: return nullptr;
    }
}

CWnd* CInPlaceDateTime::GetControlWnd() const
{
    CWnd* grid = GetParent();
    return grid != nullptr ? grid->GetParent() : nullptr;
}

BOOL CInPlaceDateTime::Create(const DateTimeEditorRequest& request)
{
    if (request.pGrid == nullptr || request.pGrid->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!PlatformIsWindowClassRegistered(kEditorClass))
        PlatformRegisterWindowClass(kEditorClass, 0, PlatformLoadCursor(IDC_ARROW), 0);
    m_pGrid = request.pGrid;
    m_nRow = request.nRow;
    m_nCol = request.nCol;
    m_crText = request.crText;
    m_crBack = request.crBack;
    m_brushBack.CreateSolidBrush(m_crBack);
    m_fields = CDateTimeFields(request.nMode, request.nStyle, request.nZeroFill);
    CRect rect = request.rect;
    rect.right += 2;
    rect.bottom += 2;
    if (!CreateEx(0, kEditorClass, "", WS_CHILD | WS_VISIBLE, rect, request.pGrid, request.nID))
        return FALSE;
    CFont* pFont = request.pGrid->GetFont();
    int digitHeight = 1;
    int separatorWidths[3] = {1, 1, 1};
    {
        CClientDC dc(this);
        CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
        m_nDigitWidth = 1;
        for (char digit = '0'; digit <= '9'; ++digit) {
            const CSize size = dc.GetTextExtent(CString(digit));
            m_nDigitWidth = std::max(m_nDigitWidth, static_cast<int>(size.cx));
            digitHeight = std::max(digitHeight, static_cast<int>(size.cy));
        }
        for (int i = 0; i < 3; ++i)
            separatorWidths[i] = std::max(1, static_cast<int>(dc.GetTextExtent(m_fields.GetSeparator(i)).cx));
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    CRect client;
    GetClientRect(&client);
    const int top = std::max(0, (static_cast<int>(client.Height()) - digitHeight + 1) / 2);
    const int limit = std::max(0, static_cast<int>(client.right) - kButtonWidth);
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        CDateTimeMaskEdit* edit = GetField(i);
        const int digits = (i == 0 && m_fields.GetMode() == DTM_DATE) ? 4 : 2;
        CRect field(std::min(x, limit), top, std::min(x + digits * m_nDigitWidth, limit), top + digitHeight);
        if (!edit->Create(WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_RIGHT, field, this,
                          DATETIME_FIELD_ID_FIRST + static_cast<UINT>(i))) {
            DestroyWindow();
            return FALSE;
        }
        if (pFont != nullptr)
            edit->SetFont(pFont);
        // Every digit the field holds shows in the editor's font: the digits
        // at the widest digit's width, the edit box's own margins (known once
        // it has the font) and a pixel for the caret after the last digit.
        const LRESULT margins = edit->SendMessage(kGetMargins, 0, 0);
        const int width = digits * m_nDigitWidth + static_cast<int>(LOWORD(margins)) +
                          static_cast<int>(HIWORD(margins)) + 1;
        field.left = std::min(x, limit);
        field.right = std::min(x + width, limit);
        edit->MoveWindow(&field, FALSE);
        x += width;
        m_rcSeparators[i] = CRect(x, client.top, x + separatorWidths[i], client.bottom);
        x += separatorWidths[i];
    }
    SetDateTime(COleDateTime(request.dtStart));
    m_edit0.SetFocus();
    const UINT nChar = request.nChar;
    if (nChar >= 0x80)
        m_edit0.PostMessage(WM_IME_CHAR, nChar, 0);
    else if (nChar >= 8 && nChar < 0x80 && !(nChar >= 33 && nChar <= 40))
        m_edit0.PostMessage(WM_CHAR, nChar, 0);
    return TRUE;
}

void CInPlaceDateTime::SetDateTime(const COleDateTime& value)
{
    m_fields.SetDateTime(value);
    for (int i = 0; i < 3; ++i) {
        if (GetField(i)->GetSafeHwnd() != nullptr)
            GetField(i)->SetWindowText(m_fields.GetField(i));
    }
}

BOOL CInPlaceDateTime::IsEditorWindow(const CWnd* pWnd) const
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const HWND hwnd = pWnd->GetSafeHwnd();
    if (m_hCalendar != nullptr && IsWindow(m_hCalendar) &&
        (hwnd == m_hCalendar || CWnd::FromHandle(m_hCalendar)->IsChild(pWnd)))
        return TRUE;
    return hwnd == m_hWnd || hwnd == m_edit0.GetSafeHwnd() || hwnd == m_edit1.GetSafeHwnd() ||
           hwnd == m_edit2.GetSafeHwnd();
}

BOOL CInPlaceDateTime::IsCalendarShown() const
{
    return IsMonthCalendarShown(m_hCalendar);
}

void CInPlaceDateTime::ShowCalendar(BOOL bShow)
{
    if (!bShow) {
        ShowMonthCalendar(m_hCalendar, FALSE, COleDateTime());
        return;
    }
    if (m_fields.GetMode() != DTM_DATE || m_hWnd == nullptr)
        return;
    const COleDateTime date = m_fields.GetDateTime();
    if (m_hCalendar == nullptr || !IsWindow(m_hCalendar)) {
        CRect rect;
        GetWindowRect(&rect);
        POINT corner = {rect.left, rect.bottom};
        m_hCalendar = CreateMonthCalendar(this, corner, date);
    }
    ShowMonthCalendar(m_hCalendar, TRUE, date);
}

BOOL CInPlaceDateTime::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    COleDateTime picked;
    if (!ReadMonthCalendarPick(lParam, &picked))
        return CWnd::OnNotify(wParam, lParam, pResult);
    // A day picked: the fields take it and the calendar goes.
    SetDateTime(picked);
    ShowCalendar(FALSE);
    m_edit0.SetFocus();
    *pResult = 0;
    return TRUE;
}

void CInPlaceDateTime::OnDestroy()
{
    DestroyMonthCalendar(m_hCalendar);
    m_hCalendar = nullptr;
    CWnd::OnDestroy();
}

CRect CInPlaceDateTime::GetButtonRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(std::max(static_cast<int>(client.left), static_cast<int>(client.right) - kButtonWidth), client.top, client.right, client.bottom);
}

void CInPlaceDateTime::OnFieldChar(int nField, UINT nChar)
{
    CDateTimeMaskEdit* edit = GetField(nField);
    if (edit == nullptr || nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_TAB)
        return;
    DWORD word = nChar;
    if (CWnd* control = GetControlWnd())
        control->SendMessage(WM_GRID_ONCHAR, reinterpret_cast<WPARAM>(&word), 1);
    CString text;
    edit->GetWindowText(text);
    m_fields.SetField(nField, text);
    int start = 0;
    int end = 0;
    edit->GetSel(start, end);
    int caret = 0;
    if (m_fields.TypeChar(nField, nChar, start, end, &caret)) {
        edit->SetWindowText(m_fields.GetField(nField));
        edit->SetSel(caret, caret);
    } else {
        // Refused: the field as it was, all of it selected.
        edit->SetWindowText(m_fields.GetField(nField));
        edit->SetSel(0, -1);
    }
}

void CInPlaceDateTime::EndAndMove(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_nEndKey = nChar;
    if (CWnd* grid = GetParent())
        grid->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CInPlaceDateTime::OnFieldKeyDown(int, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (IsEndKey(nChar) || (nChar == VK_RETURN && !ctrl)) {
        EndAndMove(nChar, nRepCnt, nFlags);
        return;
    }
    if (nChar == VK_DELETE)
        return;
    DWORD word = nChar;
    if (CWnd* control = GetControlWnd())
        control->SendMessage(WM_GRID_KEYPRESS, reinterpret_cast<WPARAM>(&word), 1);
}

void CInPlaceDateTime::OnFieldKeyUp(int, UINT nChar)
{
    if (nChar != VK_ESCAPE)
        return;
    m_nEndKey = nChar;
    if (CWnd* grid = GetParent())
        grid->SetFocus();
}

void CInPlaceDateTime::OnFieldFocusLost(int nField, CWnd* pNewWnd)
{
    if (m_bEnding)
        return;
    const int type = m_fields.GetFieldType(nField);
    if (type == DTF_MONTH || type == DTF_YEAR) {
        for (int i = 0; i < 3; ++i) {
            CString text;
            GetField(i)->GetWindowText(text);
            m_fields.SetField(i, text);
        }
        if (m_fields.ClampDay())
            m_edit2.SetWindowText(m_fields.GetField(2));
    }
    if (!IsEditorWindow(pNewWnd))
        EndEdit();
}

void CInPlaceDateTime::ForwardChar(UINT nChar)
{
    if (m_edit0.GetSafeHwnd() == nullptr)
        return;
    if (nChar >= 0x80)
        m_edit0.PostMessage(WM_IME_CHAR, nChar, 0);
    else if (nChar < VK_HOME || nChar > VK_DOWN)
        m_edit0.PostMessage(WM_CHAR, nChar, 0);
}

void CInPlaceDateTime::DropDown()
{
    // Date mode drops the calendar where the platform has one; otherwise the
    // first field takes the focus.
    if (m_fields.GetMode() == DTM_DATE) {
        ShowCalendar(TRUE);
        if (IsCalendarShown())
            return;
    }
    if (m_edit0.GetSafeHwnd() != nullptr)
        m_edit0.SetFocus();
}

void CInPlaceDateTime::EndEdit()
{
    if (m_bEnding || m_hWnd == nullptr)
        return;
    m_bEnding = TRUE;
    EnterMessage();
    const HWND hwnd = m_hWnd;
    ShowCalendar(FALSE);
    for (int i = 0; i < 3; ++i) {
        CString text;
        GetField(i)->GetWindowText(text);
        m_fields.SetField(i, text);
    }
    // No invalid date is committed: the day follows the month.
    m_fields.ClampDay();
    const CString text = m_fields.FormatText();
    CellEditNotifyInfo info = {};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = static_cast<UINT>(kCellEditEndNotify);
    info.item.mask = kCellEditMaskTextAndKey;
    info.item.row = m_nRow;
    info.item.column = m_nCol;
    info.item.pszText = text.GetString();
    info.item.lParam = static_cast<LPARAM>(m_nEndKey);
    if (CWnd* grid = GetParent())
        grid->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (IsWindow(hwnd))
        CWnd::FromHandle(hwnd)->SendMessage(WM_CLOSE, 0, 0);
    LeaveMessage();
}

LRESULT CInPlaceDateTime::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    EnterMessage();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    LeaveMessage();
    return result;
}

void CInPlaceDateTime::LeaveMessage()
{
    if (--m_nDepth == 0 && m_bDeletePending)
        delete this;
}

void CInPlaceDateTime::Discard()
{
    m_bEnding = TRUE;
    m_pGrid = nullptr;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CInPlaceDateTime::PostNcDestroy()
{
    if (m_pGrid != nullptr) {
        if (CGridCellDateTime* cell = dynamic_cast<CGridCellDateTime*>(m_pGrid->GetCell(m_nRow, m_nCol)))
            cell->ForgetEditor(this);
    }
    LiveEditors().erase(this);
    CWnd::PostNcDestroy();
    if (m_nDepth > 0)
        m_bDeletePending = TRUE;
    else
        delete this;
}

void CInPlaceDateTime::DrawButton(CDC* pDC, int nState)
{
    CRect client;
    GetClientRect(&client);
    CBitmap* pSkin = m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(SKIN_DATETIME) : nullptr;
    DrawDropButton(pDC, pSkin, client, nState, 1.0, 1.0);
}

void CInPlaceDateTime::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_crBack);
    CFont* pFont = m_pGrid != nullptr ? m_pGrid->GetFont() : nullptr;
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_crText);
    for (int i = 0; i < 3; ++i) {
        CRect sep = m_rcSeparators[i];
        dc.DrawText(m_fields.GetSeparator(i), &sep, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    }
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    DrawButton(&dc, DBS_NORMAL);
}

void CInPlaceDateTime::OnLButtonDown(UINT, CPoint point)
{
    if (!GetButtonRect().PtInRect(point))
        return;
    {
        CClientDC dc(this);
        DrawButton(&dc, DBS_PRESSED);
    }
    if (m_fields.GetMode() == DTM_TIME)
        SetDateTime(COleDateTime::GetCurrentTime());
    else if (IsCalendarShown())
        ShowCalendar(FALSE);
    else
        DropDown();
}

void CInPlaceDateTime::OnLButtonUp(UINT, CPoint)
{
    CClientDC dc(this);
    DrawButton(&dc, DBS_NORMAL);
}

HBRUSH CInPlaceDateTime::OnCtlColor(CDC* pDC, CWnd*, UINT)
{
    pDC->SetBkColor(m_crBack);
    pDC->SetTextColor(m_crText);
    return static_cast<HBRUSH>(m_brushBack.GetSafeHandle());
}
