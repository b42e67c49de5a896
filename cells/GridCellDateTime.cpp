#include "cells/GridCellDateTime.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "cells/DateTimeFields.h"
#include "cells/DropButtonPainter.h"
#include "cells/DropDownEditorHooks.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

IMPLEMENT_DYNCREATE(CGridCellDateTime, CGridCell)

namespace {

CString Upper(CString s)
{
    s.MakeUpper();
    return s;
}

}  // namespace

CGridCellDateTime::CGridCellDateTime() : m_reference(COleDateTime::GetCurrentTime()) {}

CGridCellDateTime::~CGridCellDateTime()
{
    CWnd* pEditor = m_pEditor;
    m_pEditor = nullptr;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (pEditor != nullptr && hooks.pfnDiscard != nullptr)
        hooks.pfnDiscard(pEditor);
}

void CGridCellDateTime::ForgetEditor(CWnd* pEditor)
{
    if (pEditor != nullptr && pEditor == m_pEditor)
        m_pEditor = nullptr;
}

// --- the control text ---------------------------------------------------------------------

BOOL CGridCellDateTime::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyControlText();
    return TRUE;
}

CString CGridCellDateTime::GetControl()
{
    return m_element.GetXmlText();
}

BOOL CGridCellDateTime::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyControlText();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridCellDateTime::GetControlProperty(LPCTSTR szKey)
{
    return m_element.GetAttribute(szKey);
}

BOOL CGridCellDateTime::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyControlText();
    return result;
}

void CGridCellDateTime::ApplyControlText()
{
    CXmlElement& e = m_element;
    if (e.FindAttribute("dttype") >= 0) {
        const int type = AToI(Upper(e.GetAttribute("dttype")));
        m_nType = (type == 0 || type == 1) ? type : 0;
    } else {
        e.SetAttributeInt("dttype", m_nType);
    }
    if (e.FindAttribute("datetimestyle") >= 0) {
        const CString style = Upper(e.GetAttribute("datetimestyle"));
        if (style == "0" || style == "LONGDATE")
            m_nFormat = 1;
        else if (style == "1" || style == "SHORTDATE")
            m_nFormat = 0;
        else if (!style.IsEmpty())
            m_nFormat = 1;
    } else if (e.FindAttribute("dataformat") >= 0) {
        const int format = AToI(e.GetAttribute("dataformat"));
        m_nFormat = format == 0 ? 0 : 1;
    } else {
        e.SetAttributeInt("dataformat", m_nFormat);
    }
    if (e.FindAttribute("splitertype") >= 0) {
        const int separator = AToI(e.GetAttribute("splitertype"));
        m_nSeparator = (separator >= 0 && separator <= 2) ? separator : 0;
    } else {
        e.SetAttributeInt("splitertype", m_nSeparator);
    }
    if (e.FindAttribute("leavetype") >= 0)
        m_nLeaveType = AToI(e.GetAttribute("leavetype"));
    else
        e.SetAttributeInt("leavetype", m_nLeaveType);
}

// --- editing ----------------------------------------------------------------------------

COleDateTime CGridCellDateTime::GetStartValue()
{
    return CDateTimeFields::ReadStartValue(GetDisplayText(), m_nType, m_reference);
}

BOOL CGridCellDateTime::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (IsEditing() && m_pEditor != nullptr) {
        if (hooks.pfnForwardChar != nullptr)
            hooks.pfnForwardChar(m_pEditor, nChar);
        return TRUE;
    }
    if (IsReadOnly() || nChar == VK_RETURN || hooks.pfnCreateDateTime == nullptr)
        return FALSE;
    DateTimeEditorRequest request;
    request.pGrid = m_pGrid;
    request.rect = rect;
    request.nID = nID;
    request.nRow = nRow;
    request.nCol = nCol;
    request.crText = GetTextColor();
    request.crBack = GetBackColor();
    request.nMode = m_nType;
    request.nStyle = m_nSeparator;
    request.nZeroFill = m_nFormat;
    request.dtStart = GetStartValue().m_dt;
    request.nChar = nChar;
    m_bits.editing = 1;
    m_pEditor = hooks.pfnCreateDateTime(request);
    if (m_pEditor == nullptr) {
        m_bits.editing = 0;
        return FALSE;
    }
    return TRUE;
}

void CGridCellDateTime::EndEdit()
{
    CWnd* pEditor = m_pEditor;
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (pEditor != nullptr && hooks.pfnEndEdit != nullptr)
        hooks.pfnEndEdit(pEditor);
}

void CGridCellDateTime::OnEndEdit()
{
    m_bits.editing = 0;
    m_pEditor = nullptr;
}

// --- the button -----------------------------------------------------------------------------

CBitmap* CGridCellDateTime::GetButtonBitmap()
{
    return m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(SKIN_DATETIME) : nullptr;
}

// --- painting ------------------------------------------------------------------------------------

BOOL CGridCellDateTime::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    m_rcLastDrawn = rect;
    if (IsEditing())
        return TRUE;
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    const BOOL visible = IsFocused() || m_nLeaveType != 0;
    const int w = GetButtonWidth();
    CRect strip;
    CRect text = rect;
    if (visible) {
        strip = CRect(rect.right - w, rect.top + static_cast<int>(zy), rect.right, rect.bottom - static_cast<int>(zx));
        text.right = rect.right - w + static_cast<int>(zx);
        if (text.Width() >= w && rect.Height() >= 17) {
            CRect fill = strip;
            fill.left += static_cast<int>(2 * zx);
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

BOOL CGridCellDateTime::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    if (m_nLeaveType == 0)
        return CGridCell::DrawContent(pDC, nRow, nCol, rect);
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
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

CSize CGridCellDateTime::GetCellExtent(CDC* pDC, int nCol)
{
    CSize size = CGridCell::GetCellExtent(pDC, nCol);
    if (IsFocused() || m_nLeaveType != 0) {
        const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
        size.cx += static_cast<int>(GetButtonWidth() * zx);
    }
    return size;
}

// --- the record ---------------------------------------------------------------------------

int CGridCellDateTime::GetRecordSize()
{
    return GetControlLevelSize(CELL_RECORD_DATETIME_CONTROL);
}

void CGridCellDateTime::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    SerializeControlLevel(ar, pnRunningSize, CELL_RECORD_DATETIME_CONTROL, CELL_RECORD_DATETIME_END);
}
