// Dialog windows in the host build: no resources, so the window is made of
// the class, styles and size the caller gives, and the controls are the
// caller's. Dialog units map with fixed base units of 6 x 12 pixels.
#include "platform/DialogWnd.h"

#include "platform/WndInternal.h"
#include "platform/headless/HeadlessInternal.h"

namespace {

const int kBaseX = 6;
const int kBaseY = 12;

}  // namespace

BOOL PlatformCreateDialogWindow(CWnd* pWnd, const DialogResourceInfo& info, CWnd* pParent)
{
    if (pWnd == nullptr || pWnd->m_hWnd != nullptr || info.lpszClass == nullptr || info.nId == 0)
        return FALSE;
    RECT rect = {0, 0, info.cxDlu, info.cyDlu};
    rect.right = rect.right * kBaseX / 4;
    rect.bottom = rect.bottom * kBaseY / 8;
    return pWnd->CWnd::CreateEx(info.dwExStyle, info.lpszClass, "", info.dwStyle, rect, pParent,
                                info.nId);
}

bool PlatformDialogHasTemplateControls()
{
    return false;
}

void PlatformMapDialogRect(const CWnd*, RECT* pRect)
{
    if (pRect == nullptr)
        return;
    pRect->left = pRect->left * kBaseX / 4;
    pRect->right = pRect->right * kBaseX / 4;
    pRect->top = pRect->top * kBaseY / 8;
    pRect->bottom = pRect->bottom * kBaseY / 8;
}

BOOL PlatformSubclassWindow(CWnd* pWnd, HWND hWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd != nullptr || headless::FindWindow(hWnd) == nullptr ||
        CWnd::FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    WndAccess::Bind(pWnd, hWnd);
    pWnd->PreSubclassWindow();
    return TRUE;
}
