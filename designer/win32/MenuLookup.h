// Finding a pop-up of a menu bar by the commands it holds. The place of a
// pop-up in the bar is not fixed: while an MDI document window is maximised
// the bar's first item is that window's system menu, and every other pop-up
// moves one place to the right.
#pragma once

#include <windows.h>

// The first pop-up of the bar that holds an item (directly, not in a nested
// pop-up) whose command id lies in [firstId, lastId]; null when none does.
inline HMENU PopupHoldingCommand(HMENU bar, UINT firstId, UINT lastId)
{
    if (bar == nullptr)
        return nullptr;
    const int n = ::GetMenuItemCount(bar);
    for (int i = 0; i < n; ++i) {
        HMENU popup = ::GetSubMenu(bar, i);
        if (popup == nullptr)
            continue;
        const int m = ::GetMenuItemCount(popup);
        for (int j = 0; j < m; ++j) {
            const UINT id = ::GetMenuItemID(popup, j);
            if (id != static_cast<UINT>(-1) && id >= firstId && id <= lastId)
                return popup;
        }
    }
    return nullptr;
}
