#include "cells/InPlaceCombo.h"

#include "cells/CellEditNotifyInfo.h"
#include "cells/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/System.h"

#include <set>

namespace {

std::set<const CWnd*>& LiveEditors()
{
    static std::set<const CWnd*> editors;
    return editors;
}

}  // namespace

CInPlaceCombo::CInPlaceCombo()
{
    LiveEditors().insert(this);
}

CInPlaceCombo::~CInPlaceCombo()
{
    LiveEditors().erase(this);
}

BOOL CInPlaceCombo::IsLive(const CWnd* pEditor)
{
    return pEditor != nullptr && LiveEditors().count(pEditor) != 0;
}

CWnd* CInPlaceCombo::GetControlWnd() const
{
    CWnd* grid = GetParent();
    return grid != nullptr ? grid->GetParent() : nullptr;
}

BOOL CInPlaceCombo::Create(const DropDownEditorRequest& request)
{
    m_nRow = request.nRow;
    m_nCol = request.nCol;
    m_strStartText = request.strText;
    CRect rect = request.rect;
    rect.right += 2;
    rect.bottom += 2;
    const BOOL readOnly = (request.dwStyle & 3) == CBS_DROPDOWNLIST;
    CDropDownSelection& model = Model();
    model.SetMultiCheck(request.bMultiCheck);
    model.SetSeparator(request.strSeparator);
    for (const CString& item : request.items)
        model.AddItem(item);
    SetMaxListHeight(request.nListHeight);
    SetAutoDropDown(request.bAutoDropDown);
    SetColours(request.crText, request.crBack);
    if (!CreateHost(request.pGrid, rect, WS_TABSTOP, request.nID, readOnly))
        return FALSE;
    SetText(request.strText);
    if (request.bMultiCheck) {
        // The checks the cell's text names, also behind an editable text,
        // then the pending command.
        model.MatchText(request.strText);
        model.ApplyCommand(request.nSelectionCommand);
        if (readOnly || request.nSelectionCommand != DDSC_NONE)
            m_edit.SetWindowText(model.GetSelectionText());
    } else if (request.nInitialIndex >= 0 && request.nInitialIndex < model.GetItemCount()) {
        SelectItem(request.nInitialIndex, TRUE);
    }
    m_edit.SetFocus();
    StartKey(request.nChar);
    return TRUE;
}

void CInPlaceCombo::StartKey(UINT nChar)
{
    const int length = m_edit.GetWindowTextLength();
    if (nChar == 1 || nChar == VK_BACK || nChar == VK_TAB || (nChar >= 38 && nChar <= 40)) {
        m_edit.SetSel(length, length);
    } else {
        m_edit.SetSel(0, -1);
        if (nChar >= VK_SPACE && nChar <= VK_LEFT)
            return;
    }
    if (nChar >= 0x80)
        m_edit.PostMessage(WM_IME_CHAR, nChar, 0);
    else if (nChar >= 8 && nChar < 0x80)
        m_edit.PostMessage(WM_CHAR, nChar, 0);
}

void CInPlaceCombo::ForwardChar(UINT nChar)
{
    if (m_edit.GetSafeHwnd() == nullptr)
        return;
    if (nChar >= 0x80)
        m_edit.PostMessage(WM_IME_CHAR, nChar, 0);
    else if (nChar < VK_HOME || nChar > VK_DOWN)
        m_edit.PostMessage(WM_CHAR, nChar, 0);
}

void CInPlaceCombo::GetState(DropDownEditorState* pState)
{
    const CDropDownSelection& model = Model();
    pState->nFirstSelected = model.GetFirstSelected();
    pState->strFirstText = model.GetItemText(pState->nFirstSelected);
    pState->strSelectionText = model.GetSelectionText();
    pState->strCheckedIndexes = model.GetCheckedIndexText();
    pState->nCheckedCount = model.GetCheckedCount();
}

void CInPlaceCombo::EndAndMove(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_nEndKey = nChar;
    if (CWnd* grid = GetParent())
        grid->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CInPlaceCombo::OnEditKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    int start = 0;
    int end = 0;
    m_edit.GetSel(start, end);
    const int length = m_edit.GetWindowTextLength();
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        if (ctrl || !IsListShown())
            EndAndMove(nChar, nRepCnt, nFlags);
        else if (!ApplyKeyRule(nChar))
            m_edit.DefaultKey(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        return;
    case VK_END:
    case VK_RIGHT:
        if ((ctrl && nChar == VK_RIGHT) || IsReadOnly() || end >= length)
            EndAndMove(nChar, nRepCnt, nFlags);
        else
            m_edit.DefaultKey(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        return;
    case VK_HOME:
    case VK_LEFT:
        if ((ctrl && nChar == VK_LEFT) || IsReadOnly() || start <= 0)
            EndAndMove(nChar, nRepCnt, nFlags);
        else
            m_edit.DefaultKey(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        return;
    case VK_RETURN:
        if (!ctrl) {
            // A shown list gives its item first (single choice) or closes.
            ApplyKeyRule(VK_RETURN);
            if (Model().IsMultiCheck() && IsReadOnly() && Model().GetCheckedCount() > 0)
                m_edit.SetWindowText(Model().GetSelectionText());
            EndAndMove(VK_RETURN, nRepCnt, nFlags);
            return;
        }
        break;
    default:
        break;
    }
    UINT key = nChar;
    if (!IsReadOnly()) {
        DWORD word = nChar;
        if (CWnd* control = GetControlWnd())
            control->SendMessage(WM_GRID_KEYPRESS, reinterpret_cast<WPARAM>(&word), 1);
        key = word;
    }
    if (!ApplyKeyRule(key))
        m_edit.DefaultKey(WM_KEYDOWN, key, nRepCnt, nFlags);
}

void CInPlaceCombo::RestoreStartText()
{
    CDropDownWnd::SetText(m_strStartText);
    if (Model().IsMultiCheck() && !IsReadOnly())
        Model().MatchText(m_strStartText);
}

void CInPlaceCombo::OnEditKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool multi = Model().IsMultiCheck();
    if (nChar == VK_ESCAPE) {
        RestoreStartText();
        m_nEndKey = nChar;
        if (CWnd* grid = GetParent())
            grid->SetFocus();
        return;
    }
    if (!multi && (nChar == VK_TAB || nChar == VK_RETURN)) {
        m_nEndKey = nChar;
        if (CWnd* grid = GetParent())
            grid->SetFocus();
        return;
    }
    m_edit.DefaultKey(WM_KEYUP, nChar, nRepCnt, nFlags);
}

void CInPlaceCombo::OnEditFocusLost(CWnd* pNewWnd)
{
    CDropDownWnd::OnEditFocusLost(pNewWnd);
    if (IsOwnWindow(pNewWnd))
        return;
    // An editable multi-check text stays open until the grid ends it.
    if (Model().IsMultiCheck() && !IsReadOnly())
        return;
    EndEdit();
}

void CInPlaceCombo::OnPicked()
{
    if (Model().IsMultiCheck())
        return;
    const int index = Model().GetFirstSelected();
    CWnd* control = GetControlWnd();
    if (index < 0 || control == nullptr)
        return;
    const CString text = Model().GetItemText(index);
    GridComboSelRecord record = {m_nRow, m_nCol, index, text.GetString()};
    // A focus change while the host handles the pick does not end the edit.
    m_bNotifyingPick = TRUE;
    control->SendMessage(WM_GRID_CELLCOMBOSELCHANGE, 1, reinterpret_cast<LPARAM>(&record));
    m_bNotifyingPick = FALSE;
}

void CInPlaceCombo::EndEdit()
{
    if (m_bEnding || m_bNotifyingPick || m_hWnd == nullptr)
        return;
    m_bEnding = TRUE;
    EnterMessage();
    const HWND hwnd = m_hWnd;
    ShowList(2);
    const CString text = GetEditText();
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

void CInPlaceCombo::Discard()
{
    m_bEnding = TRUE;
    m_bDiscarded = TRUE;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CInPlaceCombo::PostNcDestroy()
{
    // The cell forgets this editor: it is found by its place, so a cell that
    // is gone is never touched.
    CGridCtrl* grid = m_bDiscarded ? nullptr : GetGrid();
    if (grid != nullptr) {
        if (CGridCellCombo* cell = dynamic_cast<CGridCellCombo*>(grid->GetCell(m_nRow, m_nCol)))
            cell->ForgetEditor(this);
    }
    LiveEditors().erase(this);
    CDropDownWnd::PostNcDestroy();
}

