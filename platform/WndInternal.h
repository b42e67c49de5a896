// Shared by the two window implementations (not for code above the platform
// layer): the map from window handles to CWnd objects and access to the
// members the implementations keep in CWnd.
#pragma once

#include "platform/Wnd.h"

struct WndAccess {
    // Ties pWnd to hWnd (m_hWnd and the handle map).
    static void Bind(CWnd* pWnd, HWND hWnd);
    // Unties pWnd from its window (m_hWnd becomes NULL).
    static void Unbind(CWnd* pWnd);
    static void*& Super(CWnd* pWnd) { return pWnd->m_pfnSuper; }
};

// How many window procedures of this thread are running; temporary objects are
// deleted only at depth 0.
int& PlatformDispatchDepth();
