// CGridDropTarget: the grid window's drop target. The platform calls it while
// something is dragged over the window; it forwards to the grid's drag
// virtuals (OnDragEnter, OnDragOver, OnDragLeave, OnDrop).
//
// A grid registers its window once, when the window is made; a second
// registration is refused, and so is one made while another registration is
// in progress or for a window that is no grid. The registration ends when the
// window goes (Revoke) and at the latest when this object does.
#pragma once

#include "platform/DragDrop.h"

class CGridCtrl;
class CWnd;

class CGridDropTarget : public CDropTargetHandler {
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;
    CGridDropTarget(const CGridDropTarget&) = delete;
    CGridDropTarget& operator=(const CGridDropTarget&) = delete;

    // FALSE while registered, while another registration runs, for a window
    // that is no grid or has no handle, and when the platform refuses (no
    // OLE on this thread).
    BOOL Register(CWnd* pWnd);
    void Revoke();
    BOOL IsRegistered() const { return m_bRegistered ? TRUE : FALSE; }
    CGridCtrl* GetGrid() const { return m_pGrid; }

    DWORD OnDragEnter(CDropData* pData, DWORD dwKeyState, CPoint point) override;
    DWORD OnDragOver(CDropData* pData, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(CDropData* pData, DWORD dwDropEffect, CPoint point) override;
    // The effect while the drag scrolls the grid: copy with Ctrl, else move;
    // none when no grid is registered.
    DWORD OnDragScroll(DWORD dwKeyState, CPoint point);

private:
    CGridCtrl* m_pGrid = nullptr;   // the registered grid (it owns this object)
    HWND m_hWnd = nullptr;
    bool m_bRegistered = false;
};
