// The edit commands: copy, cut, paste and select all, through the system
// clipboard with two formats, CF_TEXT (the range's tab-separated text) and the
// private stream "KivoSheetClip" (GridClipStream.h).
#include "grid/GridCtrl.h"

#include "platform/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The name every grid registers its private format under.
const char kClipFormatName[] = "KivoSheetClip";

// A window of an in-place editor that takes WM_COPY and WM_PASTE itself.
bool IsEditBoxWindow(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return false;
    const CString name = pWnd->GetWindowClassName();
    return name.CompareNoCase("Edit") == 0 || name.CompareNoCase("ComboBox") == 0;
}

// The text of a CF_TEXT block: up to its first NUL (a system block may be
// longer than the text it holds).
std::string TextOfBlock(const std::vector<BYTE>& bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), static_cast<BYTE>(0));
    return std::string(bytes.begin(), end);
}

}  // namespace

UINT CGridCtrl::GetClipboardFormatNumber()
{
    if (m_nClipboardFormat == 0)
        m_nClipboardFormat = PlatformRegisterClipboardFormat(kClipFormatName);
    return m_nClipboardFormat;
}

// The selection without its fixed part: a whole-row, whole-column or whole-
// sheet selection reaches into the headers, which the edit commands leave alone.
CGridCellRange CGridCtrl::GetEditCommandRange()
{
    CGridCellRange range = GetSelectedRange();
    if (!IsRangeValid(range))
        return CGridCellRange();
    range.SetMinRow(std::max(range.GetMinRow(), m_nFixedRows));
    range.SetMinCol(std::max(range.GetMinCol(), m_nFixedCols));
    return IsRangeValid(range) ? range : CGridCellRange();
}

void CGridCtrl::CopyRangeToClipboard(const CGridCellRange& range)
{
    PutRangeOnClipboard(range);
}

BOOL CGridCtrl::PutRangeOnClipboard(const CGridCellRange& range)
{
    if (!range.IsValid() || !IsRangeValid(range))
        return FALSE;
    const UINT nFormat = GetClipboardFormatNumber();
    CString strText;
    GetRangeText(range, strText);
    std::vector<BYTE> stream;
    WriteClipRecords(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), stream);

    CClipboard clipboard(GetSafeHwnd());
    if (!clipboard.IsOpen() || !clipboard.Empty())
        return FALSE;
    BOOL bDone = TRUE;
    if (!strText.IsEmpty())
        bDone = clipboard.SetData(CF_TEXT, static_cast<LPCTSTR>(strText), static_cast<size_t>(strText.GetLength()) + 1);
    if (!stream.empty() && nFormat != 0)
        bDone = clipboard.SetData(nFormat, stream.data(), stream.size()) && bDone;
    return bDone;
}

BOOL CGridCtrl::PasteFromClipboard(int nRow, int nCol, BOOL bSelect)
{
    // Header cells take no paste: their texts are the row numbers and
    // column letters.
    if (!IsValid(nRow, nCol) || nRow < m_nFixedRows || nCol < m_nFixedCols || !IsCellEditable(nRow, nCol))
        return FALSE;
    const UINT nFormat = GetClipboardFormatNumber();
    const int nMode = m_nPasteMode;

    CGridCellRange pasted;
    {
        CClipboard clipboard(GetSafeHwnd());
        if (!clipboard.IsOpen())
            return FALSE;
        // The private stream carries everything the text does and more: it is
        // taken when the clipboard holds it, the text otherwise.
        const bool bStream = nMode != 1 && nFormat != 0 && clipboard.IsFormatAvailable(nFormat);
        const bool bText = !bStream && nMode != 2 && clipboard.IsFormatAvailable(CF_TEXT);
        std::vector<BYTE> bytes;
        if (bStream) {
            if (!clipboard.GetData(nFormat, bytes))
                return FALSE;
            clipboard.Close();
            pasted = PasteClipRecords(nRow, nCol, bytes.data(), static_cast<UINT>(bytes.size()));
        } else if (bText) {
            if (!clipboard.GetData(CF_TEXT, bytes))
                return FALSE;
            clipboard.Close();
            const std::string text = TextOfBlock(bytes);
            pasted = PasteTextAtCell(nRow, nCol, text.c_str());
        } else {
            return FALSE;
        }
    }
    if (!pasted.IsValid())
        return FALSE;
    ShowPastedRange(pasted, bSelect);
    return TRUE;
}

void CGridCtrl::ShowPastedRange(const CGridCellRange& pasted, BOOL bSelect)
{
    if (bSelect) {
        SetSelectedRange(pasted, TRUE, TRUE);
    } else {
        ClearSelection();
        Refresh();
    }
}

void CGridCtrl::OnEditCopy()
{
    if (!m_bAllowCopy)
        return;
    if (IsCellEditing(m_idCurrentCell.row, m_idCurrentCell.col)) {
        CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
        CWnd* pEditor = pCell != nullptr ? pCell->GetEditWnd() : nullptr;
        if (IsEditBoxWindow(pEditor))
            pEditor->SendMessage(WM_COPY, 0, 0);
        return;
    }
    CopyRangeToClipboard(GetEditCommandRange());
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable() || !m_bAllowCut)
        return;
    const CGridCellRange range = GetEditCommandRange();
    if (!range.IsValid())
        return;
    // The cells go only once the clipboard holds them.
    if (!PutRangeOnClipboard(range))
        return;
    ClearRange(range);
    SetModified(TRUE);
    Refresh();
}

CGridCellPos CGridCtrl::GetPasteTarget()
{
    CGridCellRange selection = GetSelectedRange();
    if (IsRangeValid(selection)) {
        const CGridCellPos first(std::max(selection.GetMinRow(), m_nFixedRows),
                                 std::max(selection.GetMinCol(), m_nFixedCols));
        if (IsValid(first.row, first.col))
            return first;
    }
    if (IsValid(m_idCurrentCell.row, m_idCurrentCell.col))
        return m_idCurrentCell;
    const CGridCellPos topLeft = GetTopLeftCell();
    return IsValid(topLeft.row, topLeft.col) ? topLeft : CGridCellPos();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable() || !m_bAllowPaste)
        return;
    const CGridCellPos target = GetPasteTarget();
    if (!IsValid(target.row, target.col))
        return;
    if (IsCellEditing(target.row, target.col)) {
        CGridCellBase* pCell = GetCell(target.row, target.col);
        CWnd* pEditor = pCell != nullptr ? pCell->GetEditWnd() : nullptr;
        if (IsEditBoxWindow(pEditor))
            pEditor->SendMessage(WM_PASTE, 0, 0);
        return;
    }
    if (PasteFromClipboard(target.row, target.col, TRUE))
        SetModified(TRUE);
}

void CGridCtrl::OnEditSelectAll()
{
    if (!IsEditable())
        return;
    SendMessageToParent(m_input.idLeftClickCell.row, m_input.idLeftClickCell.col, GVN_SELCHANGING);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
}
