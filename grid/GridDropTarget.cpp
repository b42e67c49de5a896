// The grid window's drop target (see GridDropTarget.h).
#include "grid/GridDropTarget.h"

#include "grid/GridCtrl.h"

namespace {

// A registration in progress anywhere in the process.
bool g_bRegistering = false;

}  // namespace

CGridDropTarget::~CGridDropTarget()
{
    Revoke();
}

BOOL CGridDropTarget::Register(CWnd* pWnd)
{
    if (m_bRegistered || g_bRegistering)
        return FALSE;
    CGridCtrl* pGrid = dynamic_cast<CGridCtrl*>(pWnd);
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr)
        return FALSE;
    g_bRegistering = true;
    const BOOL bDone = PlatformRegisterDropTarget(pGrid->GetSafeHwnd(), this);
    g_bRegistering = false;
    if (!bDone)
        return FALSE;
    m_pGrid = pGrid;
    m_hWnd = pGrid->GetSafeHwnd();
    m_bRegistered = true;
    return TRUE;
}

void CGridDropTarget::Revoke()
{
    if (!m_bRegistered)
        return;
    m_bRegistered = false;
    PlatformRevokeDropTarget(m_hWnd);
    m_pGrid = nullptr;
    m_hWnd = nullptr;
}

DWORD CGridDropTarget::OnDragEnter(CDropData* pData, DWORD dwKeyState, CPoint point)
{
    return m_bRegistered ? m_pGrid->OnDragEnter(pData, dwKeyState, point) : kDropEffectNone;
}

DWORD CGridDropTarget::OnDragOver(CDropData* pData, DWORD dwKeyState, CPoint point)
{
    return m_bRegistered ? m_pGrid->OnDragOver(pData, dwKeyState, point) : kDropEffectNone;
}

void CGridDropTarget::OnDragLeave()
{
    if (m_bRegistered)
        m_pGrid->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CDropData* pData, DWORD dwDropEffect, CPoint point)
{
    return m_bRegistered ? m_pGrid->OnDrop(pData, dwDropEffect, point) : FALSE;
}

DWORD CGridDropTarget::OnDragScroll(DWORD dwKeyState, CPoint)
{
    if (!m_bRegistered)
        return kDropEffectNone;
    return (dwKeyState & MK_CONTROL) != 0 ? kDropEffectCopy : kDropEffectMove;
}
