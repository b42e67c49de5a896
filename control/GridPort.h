// The grid operations the control itself uses, in one place.
//
// The control owns one grid object through this interface: the grid engine
// behind CGridCtrlPort (GridCtrlPort.h), made by MakeGridPort(). Tests of the
// control's own behaviour may put another implementation behind it.
#pragma once

#include "base/WinTypes.h"
#include "cellcontent/GridDefaultSetting.h"

#include <memory>

class CBitmap;
class CDC;
class CGridCtrl;
class CWnd;

class CGridPort {
public:
    virtual ~CGridPort() = default;

    // The grid engine the dispatch members drive; NULL for a grid without one.
    virtual CGridCtrl* GetGridCtrl() { return nullptr; }

    // The grid's default-setting record (a copy) and taking a whole record back.
    virtual CGridDefaultSetting GetDefaultSetting() const = 0;
    virtual void SetDefaultSetting(const CGridDefaultSetting& setting) = 0;
    // The colour of the frame around the selection.
    virtual COLORREF GetSelFrameColour() const = 0;
    virtual void SetSelFrameColour(COLORREF colour) = 0;

    // The grid window: NULL until created.
    virtual CWnd* GetGridWindow() = 0;
    // Creates the grid window as a visible child (WS_CHILD | WS_VISIBLE).
    virtual BOOL CreateGridWindow(CWnd* parent, const RECT& rect, UINT id) = 0;
    // Whether the host has put content into the sheet (filled or loaded it).
    virtual bool HasContent() const = 0;
    // The first-time defaults of a new sheet: default cell sizes measured on
    // dc, then 1 fixed column, 1 fixed row, 101 rows and 51 columns.
    virtual void ApplyFirstTimeDefaults(CDC& dc) = 0;
    // Puts the focus cell and the selection on (row, col) as a click would.
    virtual void ClickCell(LONG row, LONG col) = 0;

    // The cell under a point of the grid window (fixed cells count), or (-1, -1).
    virtual void CellFromPoint(POINT point, LONG& row, LONG& col) = 0;
    virtual void EndEditing() = 0;
    virtual BOOL IsCopyAllowed() const = 0;
    virtual void CopySelection() = 0;
    // Full refresh of the grid window (and of its scroll bars).
    virtual void Refresh() = 0;
    // Recomputes the grid's scroll bars (nothing without the grid window).
    virtual void UpdateScrollBars() = 0;

    // Drawing data of the sheet picture: the normal default cell's font
    // (for measuring), margin and the grid line colour.
    virtual const LOGFONT& GetDefaultFont() const = 0;
    virtual int GetDefaultMargin() const = 0;
    virtual COLORREF GetGridLineColour() const = 0;
    // The skin picture of an index (GridSkinBitmap); NULL when there is none.
    virtual CBitmap* GetSkinBitmap(int index) const = 0;
    // Which scroll bars the grid shows: bit 1 horizontal, bit 2 vertical.
    virtual int GetScrollBarState() const = 0;
};

// The grid object the control owns (see above).
std::unique_ptr<CGridPort> MakeGridPort();
