// Popup menus on Windows.
#include "platform/PopupMenu.h"
#include "platform/Wnd.h"

CPopupMenu::~CPopupMenu()
{
    DestroyMenu();
}

BOOL CPopupMenu::CreatePopupMenu()
{
    if (m_hMenu != nullptr)
        return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr ? TRUE : FALSE;
}

BOOL CPopupMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

int CPopupMenu::GetMenuItemCount() const
{
    if (m_hMenu == nullptr)
        return 0;
    const int count = ::GetMenuItemCount(m_hMenu);
    return count > 0 ? count : 0;
}

UINT CPopupMenu::TrackPopupMenu(int x, int y, CWnd* pOwner)
{
    if (m_hMenu == nullptr || pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return 0;
    // The menu needs its owner in the foreground to close when the user
    // clicks elsewhere.
    ::SetForegroundWindow(pOwner->GetSafeHwnd());
    const BOOL chosen = ::TrackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x,
                                         y, 0, pOwner->GetSafeHwnd(), nullptr);
    return static_cast<UINT>(chosen);
}

BOOL CPopupMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    const BOOL done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return done;
}
