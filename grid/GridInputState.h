// The grid's keyboard, mouse and editing state, held by CGridCtrl as one
// member (m_input). The input handlers (GridCtrlKeyboard.cpp,
// GridCtrlMouse.cpp, GridCtrlEditing.cpp) own its contents; other parts of the
// grid only read the mouse mode.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "grid/GridCellTypes.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <cstdint>
#include <memory>

class CGridCellBase;
class CGridCtrl;

// Mouse modes.
enum GridMouseMode {
    GMM_NOTHING = 0,
    GMM_SELECT_ALL = 1,        // pressed on the corner header
    GMM_SELECT_COL = 2,        // on a column header
    GMM_SELECT_ROW = 3,        // on a row header (or any cell in list mode)
    GMM_SELECT_CELLS = 4,
    GMM_OVER_ROW_DIVIDE = 6,
    GMM_SIZING_ROW = 7,
    GMM_OVER_COL_DIVIDE = 8,
    GMM_SIZING_COL = 9,
    GMM_PREPARE_DRAG = 11,     // over the selection's border
    GMM_DRAGGING = 12,
    GMM_MOVING_COL = 13,       // a column header dragged to a new place
    GMM_MOVING_ROW = 14,
};

// The auto-scroll timer that runs while cells are selected with the button held.
const UINT_PTR GRID_AUTOSCROLL_TIMER = 513;
const UINT GRID_AUTOSCROLL_ELAPSE = 100;

// The control identifier of a cell's in-place editor in the grid window.
const UINT GRID_INPLACE_EDIT_ID = 8;
// The first character of an edit started by the mouse (or F2): the editor
// keeps the text and puts the caret at its end.
const UINT GRID_EDIT_START_BY_MOUSE = 1;

struct CGridInputState {
    // The wheel step is read from the platform's setting once, here.
    CGridInputState() : nWheelStep(PlatformWheelScrollLines()) {}
    ~CGridInputState() = default;
    CGridInputState(const CGridInputState&) = delete;
    CGridInputState& operator=(const CGridInputState&) = delete;

    // Mouse mode: 0 none, 1 all, 2 columns, 3 rows, 4 cells, 6/7 row divider,
    // 8/9 column divider, 11 over the selection border, 12 dragging, 13/14
    // moving a column/row by its header.
    int nMouseMode = 0;

    // --- keyboard ---------------------------------------------------------------
    UINT nLastKey = 0;                    // virtual-key code of the last key press
    UINT nPendingLead = 0;                // a lead byte of a two-byte character waiting for its trail byte

    // --- mouse ------------------------------------------------------------------
    BOOL bLMouseButtonDown = FALSE;
    CPoint ptLeftClick;                   // where the left button went down
    CGridCellPos idLeftClickCell;         // the cell under it (fixed cells included)
    CPoint ptLastMouse;
    UINT nLastMouseFlags = 0;
    CGridCellPos idDragStartCell;
    // Resizing: the parent may forbid a resize through this flag, whose address
    // goes with messages 1031 and 1032.
    BOOL nResizePermission = 1;
    int nTrackNewHeight = 0;
    int nTrackNewWidth = 0;
    int nResizeIndex = -1;                // the row or column being resized
    int nResizeOrigin = 0;                // its top (left) edge in client coordinates
    int nResizeExtra = 0;                 // row (column) size less the merged block's size
    BOOL bTrackLineShown = FALSE;         // a tracking line is inverted on screen
    CRect rectTrackLine;                  // ... here
    // Moving a header: the line moved and the pointer's offset from the press.
    int nMovingIndex = -1;
    CSize sizeMoveOffset;
    CPoint ptScrollAtPress;               // scroll positions when the header was pressed
    // Options.
    BOOL bMinSizeOneRow = FALSE;          // FALSE: a row may be dragged to height 0
    BOOL bMinSizeOneCol = FALSE;          // FALSE: a column may be dragged to width 0
    BOOL bPickZeroWidthCols = TRUE;       // a divider may pick a column of width 0
    BOOL bPickZeroHeightRows = TRUE;
    // Lines per wheel notch from the platform's setting; (UINT)-1 scrolls a page.
    UINT nWheelStep = 3;

    // --- title tip --------------------------------------------------------------
    BOOL bTitleTips = TRUE;
    BOOL bTipsSuppressed = FALSE;         // until the next right-button release
    std::unique_ptr<CWnd> pTitleTip;      // made through the title-tip hooks on first use
    CGridCellPos idTipCell;               // the cell the tip is shown for, (-1, -1) when hidden

    // --- editing ----------------------------------------------------------------
    BOOL bAutoSizeRowAfterEdit = TRUE;
    // The rich-text cell locked for content operations: its position, and the
    // object (not owned; only compared, never used once the cell is replaced).
    CGridCellPos idLockedRichCell;
    const CGridCellBase* pLockedRichCell = nullptr;
    // The cell the grid last opened an editor on (OnEditCell, EditCell): its
    // position and the object, only compared, so EndEditing finds an edit
    // that is not the focus cell's.
    CGridCellPos idEditCell;
    const CGridCellBase* pEditCell = nullptr;
    BOOL bFormulaCalcSuspended = FALSE;
};

// Helpers the grid's input files share (a friend of CGridCtrl).
struct GridInputImpl {
    // A typed character starts editing the focus cell (keyboard).
    static void StartEditByChar(CGridCtrl& grid, UINT nChar);
    // Resizing by a divider (mouse): the size under the point asked of the
    // parent, and the tracking line drawn; the line erased.
    static void TrackResize(CGridCtrl& grid, CPoint point);
    static void EraseTrackLine(CGridCtrl& grid);
    // Starts a row or column resize at the point (mode 6 -> 7, 8 -> 9).
    static void BeginResize(CGridCtrl& grid, CPoint point);
    // Applies the size of a finished resize.
    static void EndResize(CGridCtrl& grid, CPoint point);
    // Hover effects and the title tip for a mouse move to the point.
    static void TrackHover(CGridCtrl& grid, CPoint point);
    // The cell-relative point of a client point.
    static CPoint CellRelative(CGridCtrl& grid, const CGridCellPos& cell, CPoint point);
    // Copies a cell over its merged block when it owns one and its type is nType.
    static void CopyOverBlock(CGridCtrl& grid, CGridCellBase* pCell, int nType);
    // The text rectangle of a cell (client coordinates); FALSE when it has none.
    static BOOL GetCellTextRect(CGridCtrl& grid, const CGridCellPos& cell, CRect& rect);
};
