#include "cells/GridCellCombo.h"

#include "base/NumberText.h"
#include "cells/DropButtonPainter.h"
#include "cells/DropDownEditorHooks.h"
#include "cells/DropDownSelection.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

namespace {

CString Lowered(CString s)
{
    s.MakeLower();
    return s;
}

// "index\ntext": the index before the first newline and the text after it;
// without a newline the index is -1 and the whole value the text.
void SplitIndexAndText(LPCTSTR szValue, int* pIndex, CString* pText)
{
    const CString value = szValue != nullptr ? szValue : "";
    const int newline = value.Find('\n');
    if (newline < 0) {
        *pIndex = -1;
        *pText = value;
        return;
    }
    *pIndex = AToI(value.Left(newline));
    *pText = value.Mid(newline + 1);
}

}  // namespace

CGridCellCombo::CGridCellCombo() = default;

CGridCellCombo::~CGridCellCombo()
{
    // An editor still open closes without a report: its cell is going.
    CWnd* pEditor = m_pEditor;
    m_pEditor = nullptr;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (pEditor != nullptr && hooks.pfnDiscard != nullptr)
        hooks.pfnDiscard(pEditor);
}

CWnd* CGridCellCombo::GetEditWnd()
{
    return nullptr;
}

void CGridCellCombo::ForgetEditor(CWnd* pEditor)
{
    if (pEditor != nullptr && pEditor == m_pEditor)
        m_pEditor = nullptr;
}

// --- the control text ---------------------------------------------------------------------

BOOL CGridCellCombo::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    m_bItemsModified = FALSE;
    ApplyControlText();
    return TRUE;
}

CString CGridCellCombo::GetControl()
{
    SyncDataSource();
    m_element.SetAttributeInt("setcurrentitem", m_nCurIndex);
    return m_element.GetXmlText();
}

void CGridCellCombo::SyncDataSource()
{
    if (!m_bItemsModified)
        return;
    m_bItemsModified = FALSE;
    std::string text;
    size_t total = 0;
    for (const CString& item : m_items)
        total += static_cast<size_t>(item.GetLength()) + 1;
    text.reserve(total);
    for (const CString& item : m_items) {
        text += item.Str();
        if (m_items.size() != 1)
            text += '\n';
    }
    m_element.DeleteAttribute("datasource");
    m_element.SetAttribute("datasource", text.c_str());
}

void CGridCellCombo::ApplyStyleAttributes()
{
    CXmlElement& e = m_element;
    if (e.FindAttribute("style") >= 0) {
        m_dwStyle = AToI(e.GetAttribute("style")) != 0 ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    } else {
        m_dwStyle = CBS_DROPDOWN;
        e.SetAttribute("style", "0");
    }
    if (e.FindAttribute("sort") >= 0) {
        const CString sort = Lowered(e.GetAttribute("sort"));
        if (sort == "1" || sort == "yes")
            m_dwStyle |= CBS_SORT;
        else if (sort == "0" || sort == "no")
            m_dwStyle &= ~static_cast<DWORD>(CBS_SORT);
    } else {
        e.SetAttribute("sort", (m_dwStyle & CBS_SORT) != 0 ? "1" : "0");
    }
    if (e.FindAttribute("displaystyle") < 0)
        e.SetAttribute("displaystyle", "0");
    if (e.FindAttribute("listheight") >= 0) {
        m_nListHeight = AToI(e.GetAttribute("listheight"));
    } else {
        m_nListHeight = 0;
        e.SetAttribute("listheight", "0");
    }
    if (e.FindAttribute("ismatch") >= 0) {
        m_bMatch = AToI(e.GetAttribute("ismatch")) != 0 ? TRUE : FALSE;
    } else {
        m_bMatch = TRUE;
        e.SetAttribute("ismatch", "1");
    }
}

void CGridCellCombo::ReadDataSource()
{
    m_items.clear();
    m_bItemsModified = FALSE;
    for (const CString& piece : CDropDownSelection::Split(m_element.GetAttribute("datasource"), "\n"))
        m_items.push_back(piece);
}

void CGridCellCombo::ReadFlagAttribute(LPCTSTR szName, BOOL& bMember)
{
    // An absent flag is written back "1"; the member takes it at the next
    // application.
    if (m_element.FindAttribute(szName) >= 0)
        bMember = AToI(m_element.GetAttribute(szName)) != 0 ? TRUE : FALSE;
    else
        m_element.SetAttribute(szName, "1");
}

void CGridCellCombo::ApplyControlText()
{
    ApplyStyleAttributes();
    ReadDataSource();
    if (m_element.FindAttribute("setcurrentitem") >= 0) {
        const int index = AToI(m_element.GetAttribute("setcurrentitem"));
        m_nCurIndex = index;
        m_nInitIndex = index;
        // A record keeps the text the cell had; only a control text set from
        // outside puts the item into the cell.
        if (!m_bLoading && index >= 0 && index < static_cast<int>(m_items.size()))
            SetText(m_items[static_cast<size_t>(index)]);
    } else {
        m_nCurIndex = -1;
        m_nInitIndex = -1;
    }
    if (m_element.FindAttribute("leavetype") >= 0)
        m_nLeaveType = AToI(m_element.GetAttribute("leavetype"));
    else
        m_element.SetAttribute("leavetype", "1");
    ReadFlagAttribute("autodropdown", m_bAutoDropDown);
}

BOOL CGridCellCombo::ApplyItemCommand(const CString& key, LPCTSTR szValue, BOOL* pResult)
{
    const int count = static_cast<int>(m_items.size());
    if (key == "setcurrentindex") {
        m_nCurIndex = AToI(szValue != nullptr ? szValue : "");
        *pResult = 0;
        return TRUE;
    }
    if (key == "delitemindex") {
        const int index = AToI(szValue != nullptr ? szValue : "");
        if (index < 0 || index >= count) {
            *pResult = 0;
            return TRUE;
        }
        m_items.erase(m_items.begin() + index);
        m_bItemsModified = TRUE;
        *pResult = 1;
        return TRUE;
    }
    if (key == "setitem" || key == "insertitem") {
        int index = -1;
        CString text;
        SplitIndexAndText(szValue, &index, &text);
        if (index < 0 || index >= count)
            m_items.push_back(text);
        else if (key == "setitem")
            m_items[static_cast<size_t>(index)] = text;
        else
            m_items.insert(m_items.begin() + index, text);
        m_bItemsModified = TRUE;
        *pResult = 1;
        return TRUE;
    }
    if (key == "delitem") {
        const CString text = szValue != nullptr ? szValue : "";
        BOOL removed = FALSE;
        for (int i = count - 1; i >= 0; --i) {
            if (m_items[static_cast<size_t>(i)].Str() == text.Str()) {
                m_items.erase(m_items.begin() + i);
                removed = TRUE;
            }
        }
        if (removed)
            m_bItemsModified = TRUE;
        *pResult = removed;
        return TRUE;
    }
    return FALSE;
}

BOOL CGridCellCombo::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    const CString key = szKey != nullptr ? szKey : "";
    BOOL result = 0;
    if (ApplyItemCommand(key, szValue, &result))
        return result;
    // The attribute is re-applied with the rest: the list goes into the text
    // first, or the re-read "datasource" would undo the item commands, and so
    // does the current choice, or a stale "setcurrentitem" would take its
    // place. Only "setcurrentitem" itself puts an item into the cell's text.
    SyncDataSource();
    if (key != "setcurrentitem")
        m_element.SetAttributeInt("setcurrentitem", m_nCurIndex);
    const short written = m_element.SetAttribute(szKey, szValue);
    ReapplyKeepingText(key == "setcurrentitem");
    return written >= 0 ? TRUE : FALSE;
}

CString CGridCellCombo::QueryItems(const CString& key, BOOL* pAnswered)
{
    *pAnswered = TRUE;
    const int length = key.GetLength();
    if (key.Left(13) == "getitemindex(") {
        if (key.Find(')', 13) < 0 || length <= 14)
            return CString();
        const CString text = key.Mid(13, length - 14);
        const auto it = std::find_if(m_items.begin(), m_items.end(),
                                     [&](const CString& item) { return item.Str() == text.Str(); });
        CString answer;
        answer.Format("%d", it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin()));
        return answer;
    }
    if (key.Left(8) == "getitem(") {
        if (key.Find(')', 8) < 0 || length <= 9)
            return CString();
        const int index = AToI(key.Mid(8, length - 9));
        if (index < 0 || index >= static_cast<int>(m_items.size()))
            return CString();
        return m_items[static_cast<size_t>(index)];
    }
    if (key == "datasource") {
        SyncDataSource();
        return m_element.GetAttribute("datasource");
    }
    *pAnswered = FALSE;
    return CString();
}

CString CGridCellCombo::GetControlProperty(LPCTSTR szKey)
{
    const CString key = szKey != nullptr ? szKey : "";
    if (key == "getcurrentitem")
        return m_strCurText;
    if (key == "getcurrentindex") {
        CString answer;
        answer.Format("%d", m_nCurIndex);
        return answer;
    }
    BOOL answered = FALSE;
    const CString answer = QueryItems(key, &answered);
    if (answered)
        return answer;
    return m_element.GetAttribute(key);
}

BOOL CGridCellCombo::DelControlProperty(LPCTSTR szKey)
{
    SyncDataSource();
    const CString key = szKey != nullptr ? szKey : "";
    if (key != "setcurrentitem")
        m_element.SetAttributeInt("setcurrentitem", m_nCurIndex);
    const BOOL result = m_element.DeleteAttribute(szKey);
    ReapplyKeepingText(FALSE);
    return result;
}

void CGridCellCombo::ReapplyKeepingText(BOOL bMayTakeItem)
{
    const BOOL loading = m_bLoading;
    m_bLoading = loading || !bMayTakeItem;
    ApplyControlText();
    m_bLoading = loading;
}

void CGridCellCombo::CopyFormat(CGridCellBase* pSrc)
{
    if (pSrc == this || pSrc == nullptr)
        return;
    CGridCell::CopyFormat(pSrc);
    m_nCurIndex = -1;
    m_strCurText.Empty();
    GetControl();
    ApplyControlText();
    SetText("");
}

void CGridCellCombo::SetCurrent(int nIndex, const CString& strText)
{
    m_nCurIndex = nIndex;
    m_strCurText = strText;
}

int CGridCellCombo::GetEffectiveListHeight() const
{
    return m_nListHeight > 0 ? m_nListHeight : DROPDOWN_DEFAULT_LIST_HEIGHT;
}

// --- editing ----------------------------------------------------------------------------

BOOL CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (IsEditing() && m_pEditor != nullptr) {
        if (hooks.pfnForwardChar != nullptr)
            hooks.pfnForwardChar(m_pEditor, nChar);
        return TRUE;
    }
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
    request.nInitialIndex = m_nInitIndex;
    m_bits.editing = 1;
    m_pEditor = hooks.pfnCreateCombo(request);
    if (m_pEditor == nullptr) {
        m_bits.editing = 0;
        return FALSE;
    }
    return TRUE;
}

void CGridCellCombo::EndEdit()
{
    m_bits.editing = 0;
    CWnd* pEditor = m_pEditor;
    if (pEditor == nullptr)
        return;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    DropDownEditorState state;
    if (hooks.pfnGetState != nullptr && hooks.pfnGetState(pEditor, &state) && state.nFirstSelected >= 0)
        SetCurrent(state.nFirstSelected, state.strFirstText);
    // The pick is taken; the commit the end leads to may replace or move
    // this cell, so the cell lets go of the editor before it.
    m_pEditor = nullptr;
    if (hooks.pfnEndEdit != nullptr)
        hooks.pfnEndEdit(pEditor);
}

void CGridCellCombo::OnEndEdit()
{
    m_bits.editing = 0;
    CWnd* pEditor = m_pEditor;
    if (pEditor == nullptr)
        return;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    DropDownEditorState state;
    if (hooks.pfnGetState != nullptr && hooks.pfnGetState(pEditor, &state) && state.nFirstSelected >= 0)
        SetCurrent(state.nFirstSelected, state.strFirstText);
}

// --- the button -----------------------------------------------------------------------------

int CGridCellCombo::GetButtonSkin() const
{
    return SKIN_COMBOBOX;
}

int CGridCellCombo::GetStripFillInset(double zx) const
{
    return static_cast<int>(2 * zx);
}

CBitmap* CGridCellCombo::GetButtonBitmap()
{
    return m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(GetButtonSkin()) : nullptr;
}

BOOL CGridCellCombo::IsButtonVisible()
{
    return IsFocused() || m_nLeaveType != 0;
}

// --- painting ------------------------------------------------------------------------------------

BOOL CGridCellCombo::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    m_rcLastDrawn = rect;
    if (IsEditing())
        return TRUE;
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    const BOOL visible = IsButtonVisible();
    const int w = GetButtonWidth();
    CRect strip;
    CRect text = rect;
    if (visible) {
        strip = CRect(rect.right - w, rect.top + static_cast<int>(zy), rect.right, rect.bottom - static_cast<int>(zx));
        text.right = rect.right - w + static_cast<int>(zx);
        if (text.Width() >= w && rect.Height() >= 17) {
            CRect fill = strip;
            fill.left += GetStripFillInset(zx);
            pDC->FillSolidRect(&fill, GetBackColor());
        }
    }
    const BOOL result = CGridCell::Draw(pDC, nRow, nCol, text, bEraseBkgnd);
    if (visible) {
        DrawBorders(m_pGrid, pDC, strip, nRow, nCol, FALSE);
        CRect fill = strip;
        fill.bottom += static_cast<int>(2 * zy);
        pDC->FillSolidRect(&fill, GetBackColor());
        DrawDropButton(pDC, GetButtonBitmap(), strip, m_nButtonState, zx, zy);
    }
    return result;
}

BOOL CGridCellCombo::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    if (m_nLeaveType == 0)
        return CGridCell::DrawContent(pDC, nRow, nCol, rect);
    const int w = GetButtonWidth();
    const CRect strip(rect.right - w, rect.top + static_cast<int>(zy), rect.right, rect.bottom - static_cast<int>(zx));
    CRect text = rect;
    text.right = strip.left;
    const BOOL result = CGridCell::DrawContent(pDC, nRow, nCol, text);
    DrawBorders(m_pGrid, pDC, strip, nRow, nCol, TRUE);
    pDC->FillSolidRect(&strip, GetBackColor());
    DrawDropButton(pDC, GetButtonBitmap(), strip, DBS_NORMAL, zx, zy);
    return result;
}

CSize CGridCellCombo::GetCellExtent(CDC* pDC, int nCol)
{
    CSize size = CGridCell::GetCellExtent(pDC, nCol);
    if (IsButtonVisible()) {
        const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
        size.cx += static_cast<int>(GetButtonWidth() * zx);
    }
    return size;
}
