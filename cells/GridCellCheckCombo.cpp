#include "cells/GridCellCheckCombo.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "cells/DropDownEditorHooks.h"
#include "cells/DropDownSelection.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"

IMPLEMENT_DYNCREATE(CGridCellCheckCombo, CGridCellCombo)

void CGridCellCheckCombo::ApplyControlText()
{
    ApplyStyleAttributes();
    if (m_element.FindAttribute("setcurrentitem") >= 0)
        m_nInitIndex = AToI(m_element.GetAttribute("setcurrentitem"));
    else
        m_nInitIndex = -1;
    ReadDataSource();
    if (m_element.FindAttribute("leavetype") >= 0)
        m_nLeaveType = AToI(m_element.GetAttribute("leavetype"));
    else
        m_element.SetAttribute("leavetype", "1");
    if (m_element.FindAttribute("itemspliter") >= 0)
        m_strSeparator = m_element.GetAttribute("itemspliter");
    else
        m_element.SetAttribute("itemspliter", ",");
    ReadFlagAttribute("autodropdown", m_bAutoDropDown);
}

BOOL CGridCellCheckCombo::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    const CString key = szKey != nullptr ? szKey : "";
    if (key == "selectall") {
        m_nPendingCommand = DDSC_SELECTALL;
        return TRUE;
    }
    if (key == "cancelall") {
        m_nPendingCommand = DDSC_CANCELALL;
        return TRUE;
    }
    if (key == "invertselect") {
        m_nPendingCommand = DDSC_INVERT;
        return TRUE;
    }
    return CGridCellCombo::SetControlProperty(szKey, szValue);
}

CString CGridCellCheckCombo::GetControlProperty(LPCTSTR szKey)
{
    const CString key = szKey != nullptr ? szKey : "";
    if (key == "getcurrentitem")
        return m_strCheckedItems;
    if (key == "getcurrentindex")
        return m_strCheckedIndexes;
    if (key == "getcheckcount") {
        CString answer;
        answer.Format("%d", m_nCheckedCount);
        return answer;
    }
    return CGridCellCombo::GetControlProperty(szKey);
}

// --- editing ----------------------------------------------------------------------------------

BOOL CGridCellCheckCombo::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (IsEditing() && m_pEditor != nullptr)
        return TRUE;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (IsReadOnly() || nChar == VK_RETURN || hooks.pfnCreateCombo == nullptr)
        return FALSE;
    DropDownEditorRequest request;
    request.pGrid = m_pGrid;
    request.rect = rect;
    request.dwStyle = m_dwStyle;
    request.nID = nID;
    request.nRow = nRow;
    request.nCol = nCol;
    request.crText = GetTextColor();
    request.crBack = GetBackColor();
    request.items = m_items;
    request.strText = GetText() != nullptr ? GetText() : "";
    request.nChar = nChar;
    request.nListHeight = GetEffectiveListHeight();
    request.bAutoDropDown = m_bAutoDropDown;
    request.bMultiCheck = TRUE;
    request.strSeparator = m_strSeparator;
    request.bMatch = m_bMatch;
    request.nSelectionCommand = m_nPendingCommand;
    m_bits.editing = 1;
    m_pEditor = hooks.pfnCreateCombo(request);
    if (m_pEditor == nullptr) {
        m_bits.editing = 0;
        return FALSE;
    }
    // The command has been handed to the checks.
    m_nPendingCommand = DDSC_NONE;
    return TRUE;
}

void CGridCellCheckCombo::TakeEditorState()
{
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    DropDownEditorState state;
    if (m_pEditor == nullptr || hooks.pfnGetState == nullptr || !hooks.pfnGetState(m_pEditor, &state))
        return;
    m_strCheckedItems = state.strSelectionText;
    m_strCheckedIndexes = state.strCheckedIndexes;
    m_nCheckedCount = state.nCheckedCount;
}

void CGridCellCheckCombo::EndEdit()
{
    m_bits.editing = 0;
    CWnd* pEditor = m_pEditor;
    if (pEditor == nullptr)
        return;
    TakeEditorState();
    // The editor's state is taken; the commit the end leads to may replace
    // or move this cell, so the cell lets go of the editor before it.
    m_pEditor = nullptr;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (hooks.pfnEndEdit != nullptr)
        hooks.pfnEndEdit(pEditor);
}

void CGridCellCheckCombo::OnEndEdit()
{
    m_bits.editing = 0;
    TakeEditorState();
}

BOOL CGridCellCheckCombo::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    return CGridCellCombo::DrawContent(pDC, nRow, nCol, rect);
}

// --- the record ------------------------------------------------------------------------------------

int CGridCellCheckCombo::GetCheckLevelSize()
{
    CCellRecordWriter counter(nullptr);
    if (m_nPendingCommand != DDSC_NONE)
        counter.Int(CELL_RECORD_CHECKCOMBO_COMMAND, m_nPendingCommand);
    if (!m_strCheckedItems.IsEmpty())
        counter.Text(CELL_RECORD_CHECKCOMBO_ITEMS, m_strCheckedItems);
    if (!m_strCheckedIndexes.IsEmpty())
        counter.Text(CELL_RECORD_CHECKCOMBO_INDEXES, m_strCheckedIndexes);
    return CellRecordLevelSize(CGridCellCombo::GetRecordSize(), counter.GetItemBytes());
}

int CGridCellCheckCombo::GetRecordSize()
{
    return GetCheckLevelSize();
}

void CGridCellCheckCombo::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << GetCheckLevelSize();
        CGridCellCombo::SerializeRecord(ar, nullptr);
        CCellRecordWriter writer(&ar);
        if (m_nPendingCommand != DDSC_NONE)
            writer.Int(CELL_RECORD_CHECKCOMBO_COMMAND, m_nPendingCommand);
        if (!m_strCheckedItems.IsEmpty())
            writer.Text(CELL_RECORD_CHECKCOMBO_ITEMS, m_strCheckedItems);
        if (!m_strCheckedIndexes.IsEmpty())
            writer.Text(CELL_RECORD_CHECKCOMBO_INDEXES, m_strCheckedIndexes);
        ar << CELL_RECORD_CHECKCOMBO_END;
        return;
    }
    CCellRecordReader rd(ar, pnRunningSize);
    CGridCellCombo::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_CHECKCOMBO_END, tag, length)) {
        if (tag == CELL_RECORD_CHECKCOMBO_COMMAND) {
            int command = DDSC_NONE;
            // Only the commands there are; anything else leaves none pending.
            if (rd.ReadInt(command))
                m_nPendingCommand = (command >= DDSC_SELECTALL && command <= DDSC_INVERT) ? command : DDSC_NONE;
        } else if (tag == CELL_RECORD_CHECKCOMBO_ITEMS) {
            rd.ReadText(m_strCheckedItems);
        } else if (tag == CELL_RECORD_CHECKCOMBO_INDEXES) {
            rd.ReadText(m_strCheckedIndexes);
        } else {
            rd.SkipItem();
        }
    }
    // The count is not stored: it follows from the indexes.
    m_nCheckedCount = static_cast<int>(CDropDownSelection::Split(m_strCheckedIndexes, m_strSeparator).size());
}
