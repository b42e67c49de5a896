// How the grid gets its own skinned scroll-bar windows.
//
// The scroll-bar control belongs to the layer above the grid, so the grid asks
// for one through a hook that layer installs once at start-up. Without the hook
// the grid keeps its scroll state itself and shows no bar windows.
#pragma once

#include "base/WinTypes.h"

class CBitmap;
class CWnd;

struct GridScrollBarHooks {
    // A child scroll-bar window of pParentWnd that reports WM_HSCROLL /
    // WM_VSCROLL to pNotifyWnd, painted from pSkin (not owned). The caller owns
    // the object (delete destroys the window). NULL when none could be made.
    CWnd* (*pfnCreate)(CWnd* pParentWnd, CWnd* pNotifyWnd, BOOL bVertical, const RECT& rect, UINT nID,
                       CBitmap* pSkin) = nullptr;
};

void SetGridScrollBarHooks(const GridScrollBarHooks& hooks);
const GridScrollBarHooks& GetGridScrollBarHooks();
