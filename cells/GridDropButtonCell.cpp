#include "cells/GridDropButtonCell.h"

#include "cells/DropButtonPainter.h"
#include "cells/DropDownEditorHooks.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"

int CGridDropButtonCell::GetButtonWidth()
{
    return DropButtonFrameWidth(GetButtonBitmap());
}

CRect CGridDropButtonCell::GetButtonRect(const CRect& rect)
{
    return CRect(rect.right - GetButtonWidth(), rect.top + 1, rect.right, rect.bottom + 1);
}

void CGridDropButtonCell::OnMouseOver()
{
    m_nButtonState = DBS_NORMAL;
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    CPoint point;
    GetCursorPos(&point);
    m_pGrid->ScreenToClient(&point);
    if (GetButtonRect(m_rcLastDrawn).PtInRect(point))
        m_nButtonState = DBS_HOT;
}

void CGridDropButtonCell::OnMouseLeave()
{
    m_nButtonState = DBS_NORMAL;
}

void CGridDropButtonCell::OnClickDown(CPoint ptCellRelative)
{
    if (m_pGrid == nullptr || IsReadOnly())
        return;
    CPoint origin;
    CRect rect;
    if (!m_pGrid->GetCellTopLeft(m_nRow, m_nCol, &origin) || !m_pGrid->GetCellRect(m_nRow, m_nCol, &rect))
        return;
    const CPoint point(origin.x + ptCellRelative.x, origin.y + ptCellRelative.y);
    if (!GetButtonRect(rect).PtInRect(point))
        return;
    m_pGrid->EditCell(m_nRow, m_nCol);
    const DropDownEditorHooks& hooks = GetDropDownEditorHooks();
    if (m_pEditor != nullptr && hooks.pfnDropDown != nullptr)
        hooks.pfnDropDown(m_pEditor);
}
