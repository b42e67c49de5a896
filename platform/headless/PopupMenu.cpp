// The host build's popup menus: recorded when shown, answering a queued choice.
#include "platform/PopupMenu.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessInternal.h"

#include <deque>

namespace {

struct MenuState {
    std::vector<Headless::MenuShown> shown;
    std::deque<UINT> choices;
};

MenuState& M()
{
    static MenuState state;
    return state;
}

}  // namespace

namespace headless {

void ResetPopupMenus()
{
    M().shown.clear();
    M().choices.clear();
}

}  // namespace headless

CPopupMenu::~CPopupMenu()
{
    DestroyMenu();
}

BOOL CPopupMenu::CreatePopupMenu()
{
    if (m_hMenu != nullptr)
        return FALSE;
    m_hMenu = reinterpret_cast<HMENU>(this);
    m_items.clear();
    return TRUE;
}

BOOL CPopupMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    if (m_hMenu == nullptr)
        return FALSE;
    m_items.push_back({nFlags, nIDNewItem, lpszNewItem != nullptr ? lpszNewItem : ""});
    return TRUE;
}

int CPopupMenu::GetMenuItemCount() const
{
    return m_hMenu != nullptr ? static_cast<int>(m_items.size()) : 0;
}

UINT CPopupMenu::TrackPopupMenu(int x, int y, CWnd* pOwner)
{
    if (m_hMenu == nullptr || m_items.empty())
        return 0;
    Headless::MenuShown record;
    record.owner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    record.screen = {x, y};
    for (const Item& item : m_items) {
        record.texts.push_back(item.text);
        record.ids.push_back(item.id);
    }
    UINT answer = 0;
    if (!M().choices.empty()) {
        answer = M().choices.front();
        M().choices.pop_front();
    }
    // Only an item of the menu can be chosen, and no separator or greyed one.
    bool found = false;
    for (const Item& item : m_items)
        found = found || (item.id == answer && (item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) == 0);
    record.answer = found ? answer : 0;
    M().shown.push_back(record);
    return record.answer;
}

BOOL CPopupMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    m_hMenu = nullptr;
    m_items.clear();
    return TRUE;
}

namespace Headless {

std::vector<MenuShown> MenusShown()
{
    return M().shown;
}

void QueueMenuChoice(UINT id)
{
    M().choices.push_back(id);
}

}  // namespace Headless
