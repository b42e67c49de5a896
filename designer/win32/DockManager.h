// The frame's toolbars made dockable: each toolbar sits in a bar window of
// its own that draws a gripper; dragging the gripper and releasing near a
// side of the frame docks the bar on that side (laid out vertically on the
// left and right), releasing elsewhere floats it in a small tool window whose
// close box or caption double click docks it again where it was. The bar
// windows hand the toolbars' commands and notifications to the frame.
#pragma once

#include "designer/DockLayout.h"

#include <windows.h>

#include <functional>
#include <vector>

class CDockManager {
public:
    static const char* const kBarClass;
    static const char* const kFloatClass;
    static bool RegisterClasses(HINSTANCE instance);

    // relayout: asks the frame to lay its children out again.
    void Attach(HWND frame, HINSTANCE instance, std::function<void()> relayout);
    // Puts a toolbar (created as the frame's child) into a bar window docked
    // at the top in the given row.
    bool AddBar(UINT id, HWND toolbar, int row);
    // Places the docked bars in the client rectangle (frame client
    // coordinates); answers the rectangle left for the documents.
    RECT Arrange(const RECT& client);
    void ShowBars(bool show);
    void Dock(UINT id, DockSide side);
    void Float(UINT id, POINT screenTopLeft);
    const CDockLayout& Layout() const { return m_layout; }
    // The bar window holding a toolbar; null when unknown.
    HWND BarWindow(UINT id) const;

private:
    struct BarWnd {
        UINT id;
        HWND host;
        HWND toolbar;
        HWND floating;
        DockSide lastDocked;
        bool vertical;
        std::vector<int> widths;   // separator widths of the horizontal form, by index
    };
    static LRESULT CALLBACK BarProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK FloatProc(HWND, UINT, WPARAM, LPARAM);
    BarWnd* FromHost(HWND host);
    BarWnd* FromFloat(HWND floating);
    void SetVertical(BarWnd& bar, bool vertical);
    SIZE Measure(const BarWnd& bar) const;
    void EndDrag(BarWnd& bar);

    HWND m_frame = nullptr;
    HINSTANCE m_instance = nullptr;
    std::function<void()> m_relayout;
    CDockLayout m_layout;
    std::vector<BarWnd> m_bars;
    bool m_shown = true;
    HWND m_dragging = nullptr;
};
