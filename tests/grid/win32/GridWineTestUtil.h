// Shared helpers of the tests that run the grid and its widgets as real
// windows under Wine: the message loop, a shown top-level window, a grid laid
// out and placed in it, and its pixels read back.
#pragma once

#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <windows.h>

namespace gridwine {

// Delivers what is waiting, for about the given time.
inline void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PlatformPumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// Delivers what is waiting until the condition holds or the time is up;
// answers the condition.
template <typename Condition>
bool PumpUntil(Condition done, DWORD ms = 2000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PlatformPumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(10);
    }
}

// A point of a window's client area as a mouse message carries it.
inline LPARAM At(const CPoint& p)
{
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// Creates a top-level window, shows it and lets it settle. Wine is slow to
// hide top-level windows, so a suite makes its window once.
inline bool ShowTopLevel(CWnd* wnd, LPCTSTR className, LPCTSTR title, DWORD style, const CRect& rect)
{
    if (!wnd->CreateEx(0, className, title, style, rect, nullptr, 0))
        return false;
    wnd->ShowWindow(SW_SHOW);
    wnd->UpdateWindow();
    PumpFor(100);
    return true;
}

// One fixed row and one fixed column, every row rowHeight high, the fixed
// column headerWidth wide and the others columnWidth.
inline void LayOut(CGridCtrl& grid, int rows, int columns, int rowHeight, int headerWidth, int columnWidth)
{
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(rows);
    grid.SetColumnCount(columns);
    for (int r = 0; r < rows; ++r)
        grid.SetRowHeight(r, rowHeight);
    for (int c = 0; c < columns; ++c)
        grid.SetColumnWidth(c, c == 0 ? headerWidth : columnWidth);
}

// Creates the grid window over the whole client area of its parent and gives
// it the keyboard focus.
inline bool CreateFilling(CGridCtrl& grid, CWnd* parent, UINT id)
{
    RECT client;
    ::GetClientRect(parent->GetSafeHwnd(), &client);
    if (!grid.Create(client, parent, id, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
        return false;
    grid.SetFocus();
    PumpFor(50);
    return true;
}

inline void Repaint(CGridCtrl& grid)
{
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    PumpFor(60);
}

inline COLORREF Pixel(CGridCtrl& grid, int x, int y)
{
    CClientDC dc(&grid);
    return dc.GetPixel(x, y);
}

inline CPoint Centre(CGridCtrl& grid, int row, int col)
{
    CRect rect;
    grid.GetCellRect(row, col, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Posts to whichever window has the keyboard focus, as the system does, and
// lets it arrive.
inline void PostToFocus(UINT message, WPARAM wParam)
{
    ::PostMessageA(::GetFocus(), message, wParam, 1);
    PumpFor(20);
}

}  // namespace gridwine
