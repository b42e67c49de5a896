// The editing lifecycle of the grid.
//
// An edit starts from the user (OnEditCell: a typed character, F2 or a double
// click) or from code (EditCell). The owner may refuse through the -105
// notification and the control window through message 1035; otherwise the
// cell opens its in-place editor. When the editor closes it sends WM_NOTIFY
// -106 with the final text; OnEndEditCell commits it: the new content is set
// first, then judged (ValidateEdit and the -106 notification to the owner),
// and a refused commit puts the previous content back. Message 1036 tells the
// control window of every commit.
#include "grid/GridCtrl.h"

#include "base/NumberText.h"
#include "cells/CellEditNotifyInfo.h"
#include "grid/GridCellFormula.h"
#include "platform/System.h"

#include <cmath>

namespace {

// The whole text as a number: strtod with nothing left over; "" reads as 0.
bool ReadWholeNumber(const CString& text, double& value)
{
    const char* begin = text;
    if (*begin == '\0') {
        value = 0.0;
        return true;
    }
    const char* end = nullptr;
    value = StrToD(begin, &end);
    return end != begin && end != nullptr && *end == '\0';
}

// What a refused commit puts back.
struct CellContent {
    bool number = false;
    double value = 0.0;
    CString text;
    UINT modified = 0;
};

CellContent TakeContent(CGridCellBase* pCell)
{
    CellContent c;
    c.number = pCell->GetDataType() != 0;
    c.value = pCell->GetValue();
    LPCTSTR text = pCell->GetText();
    c.text = text != nullptr ? text : "";
    c.modified = pCell->GetState() & GCS_MODIFIED;
    return c;
}

void PutContent(CGridCellBase* pCell, const CellContent& c)
{
    if (c.number)
        pCell->SetValue(c.value);
    else
        pCell->SetText(c.text);
    pCell->SetState((pCell->GetState() & ~static_cast<UINT>(GCS_MODIFIED)) | c.modified);
}

int TypeOf(CGridCellBase* pCell)
{
    return CGridCtrl::GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName);
}

// Whether what a commit stores lies within the cell's input limits. The
// editor's filter lets through every prefix that further typing can still
// bring into the range ("1" on the way to "15"), so the whole value is judged
// here. A number stored is checked; a text stored must read wholly as a number
// of the cell's input type in the range, except the empty text, which holds
// no value.
bool WithinInputLimits(CGridCellBase* pCell, const CString& text, bool storesNumber, double number)
{
    int inputType = pCell->GetInputType();
    if (inputType != 1 && inputType != 2)
        return true;
    double dMin = 0.0;
    double dMax = 0.0;
    if (!pCell->GetInputLimit(dMin, dMax))
        return true;
    double value = number;
    if (!storesNumber) {
        if (text.IsEmpty())
            return true;
        if (!ReadWholeNumber(text, value))
            return false;
    }
    if (inputType == 1 && value != std::floor(value))
        return false;
    return value >= dMin && value <= dMax;
}

void ForgetOpenedEdit(CGridInputState& input)
{
    input.pEditCell = nullptr;
    input.idEditCell = CGridCellPos();
}

// Remembers the cell when it now has an editor open.
void NoteOpenedEdit(CGridInputState& input, CGridCellBase* pCell, int nRow, int nCol)
{
    if (pCell->IsEditing()) {
        input.pEditCell = pCell;
        input.idEditCell = CGridCellPos(nRow, nCol);
    }
}

// Ends the edit of the cell at pos when it is open: the editor reports its
// text and the grid commits it (OnEndEditCell). With bLetGo the cell also
// lets go of an editor that is still open afterwards, which happens when that
// editor's end is already running further up the stack (a host that changes
// the grid's rows while it judges the commit): the cell is about to move or
// go, and must not keep the editor, which deletes itself when it closes.
void EndEditAt(CGridCtrl& grid, const CGridCellPos& pos, bool bLetGo)
{
    CGridCellBase* pCell = grid.GetCell(pos.row, pos.col);
    if (pCell == nullptr || !pCell->IsEditing())
        return;
    pCell->EndEdit();
    // The commit may have replaced the cell (a formula cell that became text).
    pCell = grid.GetCell(pos.row, pos.col);
    if (bLetGo && pCell != nullptr && pCell->IsEditing())
        pCell->OnEndEdit();
}

// The edit the grid opened last, when its cell is still where it was.
void EndOpenedEdit(CGridCtrl& grid, bool bLetGo)
{
    CGridInputState& input = grid.GetInputState();
    if (input.pEditCell == nullptr)
        return;
    CGridCellPos pos = input.idEditCell;
    if (grid.GetCell(pos.row, pos.col) == input.pEditCell)
        EndEditAt(grid, pos, bLetGo);
    ForgetOpenedEdit(input);
}

}  // namespace

// A cell in a hidden row or column (folded away, hidden, sized to nothing)
// is never edited: the editor would show over another line.
static bool InHiddenLine(CGridCtrl& grid, int nRow, int nCol)
{
    return grid.GetRowHeight(nRow) <= 0 || grid.GetColumnWidth(nCol) <= 0;
}

// Asks the control window (message 1035) whether the cell may be edited.
static BOOL HostAllowsEdit(CGridCtrl& grid, int nRow, int nCol, int nType)
{
    BOOL allow = 1;
    GridStartEditRecord record;
    record.row = nRow;
    record.col = nCol;
    record.type = nType;
    record.pAllow = &allow;
    grid.SendGridMessage(WM_GRID_CELLSTARTEDIT, reinterpret_cast<WPARAM>(&record), 0);
    return allow != 0;
}

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    HideTitleTip();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol) || InHiddenLine(*this, nRow, nCol))
        return;
    if (!IsCellFrozen(nRow, nCol))
        EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    if (!HostAllowsEdit(*this, nRow, nCol, TypeOf(pCell)))
        return;
    // The host may have changed the grid while it was asked.
    pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    pCell->Edit(nRow, nCol, rect, point, GRID_INPLACE_EDIT_ID, nChar);
    NoteOpenedEdit(m_input, pCell, nRow, nCol);
}

BOOL CGridCtrl::EditCell(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || pCell->IsEditing() || InHiddenLine(*this, nRow, nCol))
        return FALSE;
    CPoint point;
    GetCursorPos(&point);
    if (GetSafeHwnd() != nullptr)
        ScreenToClient(&point);
    CRect rect;
    GetCellRect(nRow, nCol, &rect);
    if (HostAllowsEdit(*this, nRow, nCol, TypeOf(pCell))) {
        pCell = GetCell(nRow, nCol);
        if (pCell != nullptr) {
            pCell->Edit(nRow, nCol, rect, point, GRID_INPLACE_EDIT_ID, GRID_EDIT_START_BY_MOUSE);
            NoteOpenedEdit(m_input, pCell, nRow, nCol);
        }
    }
    return TRUE;
}

void CGridCtrl::EndEditing()
{
    CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (pCell != nullptr)
        pCell->EndEdit();
    EndOpenedEdit(*this, false);
}

void CGridCtrl::EndEditBeforeStructuralChange()
{
    // Rows and columns are about to move: an editor that stayed open would
    // report its text to the position it was opened at, which then names
    // another cell, while its own cell kept a pointer to it.
    if (!m_bVirtualMode)
        EndEditAt(*this, m_idCurrentCell, true);
    EndOpenedEdit(*this, true);
    ++m_nStructureChanges;
    cellvalue::NoteChange();
}

BOOL CGridCtrl::IsCellEditing(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->IsEditing();
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR szText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return TRUE;
    UINT nFirst = (szText != nullptr) ? static_cast<unsigned char>(szText[0]) : 0;
    return pCell->ValidateInput(nFirst);
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, const CString& strText, const CString& strRichText,
                              LONG nRichParam1, LONG nRichParam2)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    if (m_input.idEditCell == CGridCellPos(nRow, nCol))
        ForgetOpenedEdit(m_input);
    // Copies: the texts may live in the editor, which closes below.
    const CString text = strText;
    const CString rich = strRichText;
    const CellContent original = TakeContent(pCell);
    int type = TypeOf(pCell);
    bool refused = false;
    bool changed = false;   // the commit changed the content
    // The judges (a derived grid's ValidateEdit, the owner's notification)
    // may insert or delete rows; the edit was then let go of, and the cell
    // may be gone: the commit ends there.
    const unsigned structure = m_nStructureChanges;
    auto accepted = [&](bool storesNumber, double value) {
        return WithinInputLimits(pCell, text, storesNumber, value) && ValidateEdit(nRow, nCol, text) &&
               structure == m_nStructureChanges && SendMessageToParent(nRow, nCol, GVN_ENDLABELEDIT) >= 0;
    };

    double number = 0.0;
    if (pCell->GetDataType() != 0 && rich.IsEmpty() && ReadWholeNumber(text, number)) {
        if (number != pCell->GetValue()) {
            CellContent before = TakeContent(pCell);
            pCell->SetValue(number);
            bool ok = accepted(true, number);
            if (structure != m_nStructureChanges)
                return;
            if (ok) {
                SetModified(TRUE, nRow, nCol);
                RedrawCell(nRow, nCol);
                changed = true;
            } else {
                PutContent(pCell, before);
                refused = true;
            }
        }
    } else {
        LPCTSTR current = pCell->GetText();
        bool numberBefore = pCell->GetDataType() != 0;
        if (numberBefore || text != CString(current != nullptr ? current : "")) {
            CellContent before = TakeContent(pCell);
            bool leftFormula = false;
            CFormulaTokenList formulaBefore;
            if (type == GCT_FORMULA && (text.IsEmpty() || text[0] != '=')) {
                if (pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)))
                    formulaBefore = static_cast<CGridCellFormula*>(pCell)->GetCompiledForm();
                SetCellType(nRow, nCol, GCT_EDIT);
                type = GCT_EDIT;
                leftFormula = true;
                pCell = GetCell(nRow, nCol);
                if (pCell == nullptr)
                    return;
            }
            pCell->SetText(text);
            bool ok = accepted(false, 0.0);
            if (structure != m_nStructureChanges)
                return;
            if (ok) {
                SetModified(TRUE, nRow, nCol);
                RedrawCell(nRow, nCol);
                changed = true;
            } else {
                // A refused commit leaves the cell as it was, formula included.
                if (leftFormula && SetCellType(nRow, nCol, GCT_FORMULA)) {
                    type = GCT_FORMULA;
                    pCell = GetCell(nRow, nCol);
                    if (pCell == nullptr)
                        return;
                    if (pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula))) {
                        static_cast<CGridCellFormula*>(pCell)->SetCompiledForm(formulaBefore);
                        AddFormulaCell(nRow, nCol);
                    }
                }
                PutContent(pCell, before);
                refused = true;
            }
        }
    }

    if (type == GCT_SUPEREDIT) {
        if (rich != pCell->GetRichText())
            pCell->SetRichText(rich);
        pCell->SetRichTextParam(nRichParam1, nRichParam2);
    } else if (!refused && (type == GCT_FORMULA || (!text.IsEmpty() && text[0] == '='))) {
        m_input.bFormulaCalcSuspended = FALSE;
        const GridFormulaSetResult result = TrySetCellFormula(nRow, nCol, text);
        pCell = GetCell(nRow, nCol);
        if (pCell == nullptr)
            return;
        // A formula refused as circular leaves the cell as it was before the edit.
        if (result == GFS_CIRCULAR)
            PutContent(pCell, original);
        changed = false;   // setting the formula recalculated what reads the cell
        // The cell's own type: a text that does not become a formula leaves
        // the cell as it was.
        type = TypeOf(pCell);
    }
    if (changed) {
        // The formulas that read the cell follow its new content.
        RecalcDependents(CGridCellPos(nRow, nCol));
        pCell = GetCell(nRow, nCol);
        if (pCell == nullptr)
            return;
    }

    PostGridMessage(WM_GRID_CELLENDEDIT, static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(nRow, nCol))),
                    static_cast<LPARAM>(type), GridEventLines{nRow, nCol});
    pCell->OnEndEdit();
    if (pCell->IsMerged())
        CopyCellToRange(pCell->GetMergeRange(), pCell);
    if (!text.IsEmpty() && m_input.bAutoSizeRowAfterEdit)
        AutoSizeRow(nRow, TRUE);
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr == nullptr || hdr->code != static_cast<UINT>(kCellEditEndNotify) || hdr->idFrom != GRID_INPLACE_EDIT_ID)
        return CWnd::OnNotify(wParam, lParam, pResult);

    const CellEditNotifyInfo* info = reinterpret_cast<const CellEditNotifyInfo*>(lParam);
    const CString text = (info->item.mask & kCellEditMaskText) != 0 && info->item.pszText != nullptr
                             ? CString(info->item.pszText)
                             : CString();
    const CString rich = info->pszRichText != nullptr ? CString(info->pszRichText) : CString();
    const UINT key = (info->item.mask & kCellEditMaskParam) != 0 ? static_cast<UINT>(info->item.lParam) : 0;
    OnEndEditCell(info->item.row, info->item.column, text, rich, info->nRichParam1, info->nRichParam2);
    // The key that ended the edit moves on as a key press of the grid.
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        OnKeyDown(key, 1, 0);
        break;
    default:
        break;
    }
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

// --- rich-text content -------------------------------------------------------------

CString CGridCtrl::GetCellRichText(int nRow, int nCol)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetRichText() : CString();
}

BOOL CGridCtrl::SetCellRichText(int nRow, int nCol, LPCTSTR szText)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetRichText(szText != nullptr ? CString(szText) : CString());
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetCellRichTextParam(int nRow, int nCol, LONG nParam1, LONG nParam2)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetRichTextParam(nParam1, nParam2);
    return TRUE;
}

BOOL CGridCtrl::LockSuperEditContent(int nRow, int nCol)
{
    // One cell is locked at a time: the one before gets its content back
    // before the new target is taken.
    if (m_input.pLockedRichCell != nullptr)
        UnlockSuperEditContent();
    CGridCellBase* pCell = GetCell(nRow, nCol);
    m_input.pLockedRichCell = pCell;
    m_input.idLockedRichCell = pCell != nullptr ? CGridCellPos(nRow, nCol) : CGridCellPos();
    return pCell != nullptr ? pCell->SELockContent() : FALSE;
}

BOOL CGridCtrl::UnlockSuperEditContent()
{
    if (m_input.pLockedRichCell == nullptr)
        return FALSE;
    // Rows and columns may have moved or the cell been replaced since it was
    // locked: only the same cell at the same place is unlocked.
    CGridCellPos pos = m_input.idLockedRichCell;
    CGridCellBase* pCell = GetCell(pos.row, pos.col);
    if (pCell != nullptr && pCell == m_input.pLockedRichCell) {
        pCell->SEUnlockContent();
        if (pCell->IsMerged())
            CopyCellToRange(pCell->GetMergeRange(), pCell);
    }
    m_input.pLockedRichCell = nullptr;
    m_input.idLockedRichCell = CGridCellPos();
    return TRUE;
}

CGridCellBase* CGridCtrl::GetLockedRichTextCell()
{
    if (m_input.pLockedRichCell == nullptr)
        return nullptr;
    CGridCellPos pos = m_input.idLockedRichCell;
    CGridCellBase* pCell = GetCell(pos.row, pos.col);
    return pCell != nullptr && pCell == m_input.pLockedRichCell ? pCell : nullptr;
}

CRichTextHostBase* CGridCtrl::GetRichTextHost()
{
    if (!m_pRichTextHost && !m_bRichTextHostTried) {
        m_bRichTextHostTried = TRUE;
        m_pRichTextHost.reset(CreateRichTextHost());
        if (m_pRichTextHost)
            m_pRichTextHost->Init();
    }
    return m_pRichTextHost.get();
}

void CGridCtrl::SetAutoSizeRowAfterEdit(BOOL b)
{
    m_input.bAutoSizeRowAfterEdit = b;
}

BOOL CGridCtrl::GetAutoSizeRowAfterEdit() const
{
    return m_input.bAutoSizeRowAfterEdit;
}
