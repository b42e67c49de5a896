// A popup menu: items appended, shown at a point, the chosen command read.
//
// Windows: a real popup menu (CreatePopupMenu, AppendMenu, TrackPopupMenu,
// DestroyMenu). The host build records each menu shown and answers the
// choice a test queued (Headless.h), else none.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"

#include <string>
#include <vector>

#ifndef _WIN32
#define MF_STRING 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_SEPARATOR 0x0800
#define TPM_LEFTALIGN 0x0000
#define TPM_RIGHTBUTTON 0x0002
#define TPM_NONOTIFY 0x0080
#define TPM_RETURNCMD 0x0100
#endif

class CWnd;

class CPopupMenu {
public:
    CPopupMenu() = default;
    ~CPopupMenu();                          // destroys a menu still held
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // An empty popup menu; FALSE when one is already held or none can be made.
    BOOL CreatePopupMenu();
    BOOL IsCreated() const { return m_hMenu != nullptr ? TRUE : FALSE; }
    // Appends an item (MF_* flags, command identifier, text); FALSE without a menu.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem);
    // The number of items; 0 without a menu.
    int GetMenuItemCount() const;
    // Shows the menu at a screen point for the owner window and waits until
    // it closes; answers the command chosen, 0 for none.
    UINT TrackPopupMenu(int x, int y, CWnd* pOwner);
    BOOL DestroyMenu();

private:
    HMENU m_hMenu = nullptr;
#ifndef _WIN32
public:
    // The host build's record of the items (Headless.h reads the menus shown).
    struct Item {
        UINT flags;
        UINT_PTR id;
        std::string text;
    };

private:
    std::vector<Item> m_items;
#endif
};
