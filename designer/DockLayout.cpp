#include "designer/DockLayout.h"

#include <algorithm>

CDockLayout::Bar* CDockLayout::Find(UINT id)
{
    for (Bar& b : m_bars)
        if (b.id == id)
            return &b;
    return nullptr;
}

void CDockLayout::SetVisible(bool visible)
{
    for (Bar& b : m_bars)
        b.visible = visible;
}

RECT CDockLayout::Arrange(const RECT& client, std::vector<Placed>& placed) const
{
    RECT rest = client;
    const DockSide order[] = {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right};
    for (DockSide side : order) {
        const bool horizontal = side == DockSide::Top || side == DockSide::Bottom;
        std::vector<const Bar*> bars;
        for (const Bar& b : m_bars)
            if (b.visible && b.side == side)
                bars.push_back(&b);
        std::stable_sort(bars.begin(), bars.end(), [](const Bar* a, const Bar* b) { return a->row < b->row; });
        // Along the side: x (or y) runs from the start of the room left;
        // across it each row takes the thickness of its thickest bar.
        const int start = horizontal ? rest.left : rest.top;
        const int limit = horizontal ? rest.right : rest.bottom;
        int along = start, thickness = 0, row = 0;
        int offset = 0;   // thickness of the rows already laid on this side
        bool first = true;
        for (const Bar* b : bars) {
            const SIZE size = horizontal ? b->horizontal : b->vertical;
            const int length = horizontal ? size.cx : size.cy;
            const int thick = horizontal ? size.cy : size.cx;
            if (!first && (b->row != row || along + length > limit)) {
                offset += thickness;
                along = start;
                thickness = 0;
            }
            first = false;
            row = b->row;
            RECT r = {};
            switch (side) {
            case DockSide::Top:
                r = {along, rest.top + offset, along + length, rest.top + offset + thick};
                break;
            case DockSide::Bottom:
                r = {along, rest.bottom - offset - thick, along + length, rest.bottom - offset};
                break;
            case DockSide::Left:
                r = {rest.left + offset, along, rest.left + offset + thick, along + length};
                break;
            default:
                r = {rest.right - offset - thick, along, rest.right - offset, along + length};
                break;
            }
            placed.push_back({b->id, side, r});
            along += length;
            thickness = std::max(thickness, thick);
        }
        offset += thickness;
        switch (side) {
        case DockSide::Top: rest.top = std::min<LONG>(rest.bottom, rest.top + offset); break;
        case DockSide::Bottom: rest.bottom = std::max<LONG>(rest.top, rest.bottom - offset); break;
        case DockSide::Left: rest.left = std::min<LONG>(rest.right, rest.left + offset); break;
        default: rest.right = std::max<LONG>(rest.left, rest.right - offset); break;
        }
    }
    return rest;
}

DockSide CDockLayout::DropSide(const RECT& client, POINT p)
{
    const bool inside = p.x >= client.left - kSnap && p.x < client.right + kSnap && p.y >= client.top - kSnap &&
                        p.y < client.bottom + kSnap;
    if (!inside)
        return DockSide::Floating;
    if (p.y < client.top + kSnap)
        return DockSide::Top;
    if (p.y >= client.bottom - kSnap)
        return DockSide::Bottom;
    if (p.x < client.left + kSnap)
        return DockSide::Left;
    if (p.x >= client.right - kSnap)
        return DockSide::Right;
    return DockSide::Floating;
}

void CDockLayout::Move(UINT id, DockSide side)
{
    Bar* bar = Find(id);
    if (bar == nullptr)
        return;
    int row = 0;
    for (const Bar& b : m_bars)
        if (&b != bar && b.side == side)
            row = std::max(row, b.row + 1);
    bar->side = side;
    bar->row = row;
}
