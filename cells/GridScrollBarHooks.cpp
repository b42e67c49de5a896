#include "cells/GridScrollBarHooks.h"

#include "cells/SkinScrollBar.h"
#include "grid/GridScrollBarHooks.h"

#include <memory>

namespace {

CWnd* CreateSkinBar(CWnd* pParentWnd, CWnd* pNotifyWnd, BOOL bVertical, const RECT& rect, UINT nID, CBitmap* pSkin)
{
    std::unique_ptr<CSkinScrollBar> pBar(new CSkinScrollBar);
    DWORD dwStyle = WS_CHILD | (bVertical ? SBS_VERT : SBS_HORZ);
    if (!pBar->Create(dwStyle, rect, pParentWnd, nID))
        return nullptr;
    pBar->m_pNotifyWnd = pNotifyWnd;
    if (pSkin != nullptr && pSkin->GetSafeHandle() != nullptr)
        pBar->SetSkinBitmap(pSkin);
    return pBar.release();
}

}  // namespace

void InstallGridScrollBarHooks()
{
    GridScrollBarHooks hooks;
    hooks.pfnCreate = &CreateSkinBar;
    SetGridScrollBarHooks(hooks);
}
