// Where the frame's toolbars stand: docked in rows along any of the four
// sides of the frame's client area, or floating in windows of their own.
// The model decides the rectangles of the docked bars and what is left for
// the documents, and where a bar dragged by its gripper lands; the Windows
// frame moves the bar windows accordingly.
#pragma once

#include "base/WinTypes.h"

#include <vector>

enum class DockSide { Top, Bottom, Left, Right, Floating };

class CDockLayout {
public:
    // A bar's sizes: laid out along a horizontal side and along a vertical
    // one.
    struct Bar {
        UINT id = 0;
        DockSide side = DockSide::Top;
        int row = 0;            // rows count outwards-in from the frame's edge
        SIZE horizontal = {0, 0};
        SIZE vertical = {0, 0};
        bool visible = true;
    };
    struct Placed {
        UINT id;
        DockSide side;
        RECT rect;
    };

    // Distance from a side within which a released bar docks there.
    static const int kSnap = 24;

    void Add(const Bar& bar) { m_bars.push_back(bar); }
    const std::vector<Bar>& Bars() const { return m_bars; }
    Bar* Find(UINT id);
    void SetVisible(bool visible);

    // Lays the visible docked bars out in the client rectangle: top rows
    // first, then bottom, left and right; a row too long for the side wraps
    // onto a new row. Fills placed and answers the rectangle left over.
    RECT Arrange(const RECT& client, std::vector<Placed>& placed) const;

    // The side a bar released at point (client coordinates) docks on, or
    // Floating when the point is near no side. Top and bottom win at the
    // corners.
    static DockSide DropSide(const RECT& client, POINT point);

    // Docks a bar on a side in a row of its own inside every row already
    // there, or floats it.
    void Move(UINT id, DockSide side);

private:
    std::vector<Bar> m_bars;
};
