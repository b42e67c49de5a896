// CGridCtrl: the grid engine, one per control.
//
// It holds rows and columns of cells (fixed header rows and columns first),
// the row heights and column widths, four default cells, the cell-id table,
// the lists that insertion and sorting consult, the picture list, the print
// settings and the binding and connection lists. It derives from the
// platform's window class; every structural operation here works without a
// window and then only skips what needs one (painting, scroll bars).
//
// The implementation is split by job:
//   GridCtrl.cpp               construction, defaults, owned services, lookup
//   GridCtrlStorage.cpp        creating, placing, replacing and destroying cells
//   GridCtrlCounts.cpp         row, column and fixed counts
//   GridCtrlInsertDelete.cpp   inserting and deleting rows and columns, one or many; DeleteAllCells
//   GridCtrlHeaders.cpp        row numbers and column letters of the header cells
//   GridCtrlSort.cpp           sorting rows by a column
//   GridCtrlSizes.cpp          row heights and column widths
//   GridPositionIndex.*        the sizes with their running sums (where lines begin)
//   GridCtrlMerge.cpp          merged blocks following row and column changes
//   GridCtrlFocus.cpp          focus cell, selection store, modified marks, refresh
//   GridCtrlCellIds.cpp        the cell-id table
//   GridCtrlFormatLists.cpp    format-inheriting rows and columns
//   GridCtrlPrintFonts.cpp     print settings defaults and page header/footer fonts
//   GridCtrlPrintLoop.cpp      OnPrint and its row printers for a host's own print loop
//   GridCtrlWindow.cpp         window class, creation, message routing, parent messages
//   GridCtrlPaint.cpp          painting: background, the sixteen regions, lines, overlays
//   GridCtrlSelectionFrame.cpp the selection frame of skin style 1
//   GridCtrlLayout.cpp         frozen-pane layout: origins, rectangles, visible range, hit test
//   GridCtrlScroll.cpp         scroll bars (own skinned ones or the window's) and scrolling
//   GridCtrlSelection.cpp      selection kinds and ranges, clearing selected text
//   GridCtrlSkins.cpp          the skin bitmaps the grid paints with
//   GridCtrlKeyboard.cpp, GridCtrlMouse.cpp, GridCtrlEditing.cpp: input and editing
//   GridCtrlClipboard.cpp      the edit commands: copy, cut, paste, select all, through the clipboard
//   GridCtrlDragDrop.cpp       dragging the selection and dropping onto the grid (GridDropTarget.*)
//   GridCtrlContextMenu.cpp    the right-click menu the host fills
//   GridCtrlCellAccess.cpp     reading and setting one property of one cell
//   GridCtrlCellAttributes.cpp the font, format and control attribute texts of a cell
//   GridCtrlCellBorders.cpp    cell borders and their neighbours' facing borders
//   GridCtrlCellIdLookup.cpp   cells by id and by cell name
//   GridCtrlCellType.cpp       cell types from control texts, carrying settings across a type change
//   GridCtrlSelectedCells.cpp  the selected cells read by index, in row order
//   GridCtrlRangeCopy.cpp      copying one cell's type, format and content over a range
//   GridCtrlHide.cpp           hiding and showing whole rows and columns
//   GridCtrlAutoSize.cpp       fitting row heights and column widths to their cells
//   GridCtrlTextConv.cpp       display text of a cell, the pattern of a date text
//   GridCtrlCsvText.cpp        the grid as CSV text
//   GridCtrlFixedLines.cpp     resetting and converting fixed rows and columns, small conversions
//   GridCtrlDataSources.cpp    connection strings, SQL texts, filling, bound fields by name
//   GridCtrlFormula.cpp        formula services: compiling, setting and reading formulas, user tables
//   GridCtrlFormulaIndex.cpp   keeping the index of formula cells in step with the cells
//   GridCtrlFormulaCalc.cpp    recalculation in dependency order, the circular-reference test
//   GridCtrlFormulaShift.cpp   references following inserted, deleted and moved rows and columns
//   GridCtrlRangeOps.cpp       clearing ranges, range sizes
//   GridCtrlLineFollowers.cpp  formula and binding shifts (filled by their own work)
//   GridClipStream.cpp         the private clipboard stream: writing and pasting
//   GridClipText.cpp           tab-separated range text: writing and pasting
//   GridCsvFile.cpp            CSV files: saving and loading
//   GridCtrlMoveLines.cpp      moving a row or column, and its drag feedback
//   GridCtrlSheetServices.cpp  the default-setting record taken whole, row-colour repaint
//   GridCtrlDrawToBmp.cpp      drawing a range into a host's device context
//   GridCtrlDragImage.cpp      the focus cell's drag picture, making a file's folder
//   GridCtrlTrees.cpp          the tree-column list (TreeColumn.h), trees following lines
//   GridCtrlPrint.cpp          printing: the print job, pagination, pages, header and footer lines
//   GridCtrlPrintRows.cpp      repeat ranges, custom paper, printed rows and cells
//   GridCtrlPrintSetup.cpp     the printer: loading, mode merge, device context, field codes
//   GridCtrlPrintPreview.cpp   the preview windows the grid opens and closes
#pragma once

#include "base/CArrays.h"
#include "base/CString.h"
#include "base/WinTypes.h"
#include "binding/BindInfoList.h"
#include "binding/ConnectionDefList.h"
#include "cellcontent/GridDefaultSetting.h"
#include "cellcontent/formula/FormulaEngine.h"
#include "cellcontent/formula/FormulaReferences.h"
#include "document/GridPrintSettings.h"
#include "grid/GridPrintState.h"
#include "document/TemplateFileInfo.h"
#include "document/TemplateState.h"
#include "grid/GridCell.h"
#include "grid/GridCellTypes.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridDropTarget.h"
#include "grid/GridEventLines.h"
#include "grid/GridFormulaIndex.h"
#include "grid/GridFormulaSource.h"
#include "grid/GridInputState.h"
#include "grid/GridMergeOwnerList.h"
#include "grid/GridMessages.h"
#include "grid/GridPictureList.h"
#include "grid/GridProgressBar.h"
#include "grid/GridPositionIndex.h"
#include "grid/RichTextHostBase.h"
#include "grid/RuntimeClass.h"
#include "grid/GridSelectionMap.h"
#include "grid/SkinBitmaps.h"
#include "platform/Wnd.h"

#include <cstdint>
#include <memory>
#include <string>

class CArchive;
class CDC;
class CGridCellFormula;
class CGridMeasureFonts;
class CImageList;
class CPopupMenu;
class CTreeColumn;
#include <unordered_map>
#include <vector>

// One entry of the cell-id table: a name for a cell.
struct GridCellIdEntry {
    std::int32_t row;
    std::int32_t col;
    char szId[32];             // NUL-terminated, at most 31 bytes
};

// One entry of a hidden-line list: a row or column hidden with its size then.
struct GridHiddenLine {
    int index;
    int size;
};

// One entry of the column sort-type list.
struct GridColumnSortType {
    int col;
    BOOL bNumeric;
};

// The record a virtual grid's owner fills for one cell (see GetCell).
struct GridDisplayInfo {
    int row;
    int col;
    std::int32_t nMask;        // -1: every field asked for
    UINT nState;
    UINT nFormat;              // DrawText format
    int nImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    int lParam;                // item data
    LOGFONT lfFont;
    UINT nMargin;
    CString strText;
};

// The same record headed for WM_NOTIFY to the grid's owner.
struct GridDisplayInfoNotify {
    NMHDR hdr;
    GridDisplayInfo item;
};

// The most rows and columns a sheet may have, headers included. A count or an
// insertion above them is refused before anything is allocated: a sheet that
// large would not fit in the memory of a 32-bit host anyway, and a count
// asked for by mistake (2147483647) must fail at once instead of exhausting
// memory line by line.
const int GRID_MAX_ROWS = 16777216;
const int GRID_MAX_COLUMNS = 16384;

// WM_NOTIFY code with which a virtual grid asks its owner for a cell.
const int GRID_NOTIFY_GET_DISPLAY_INFO = -150;

// The callback a virtual grid asks for its cells: fills the record; the
// answer is not used.
typedef BOOL (*GRIDCALLBACK)(GridDisplayInfo* pInfo, LPARAM lParam);

// The picture of a line dragged by its header (GridCtrlMoveLines.cpp).
struct GridMoveDragImage;
struct GridMoveDragImageDeleter {
    void operator()(GridMoveDragImage* pImage) const;
};

// Insert-format modes: what a new row (column) takes from its neighbours.
enum GridInsertFormatMode : short {
    GIF_PLAIN = 0,      // plain new cells
    GIF_BEFORE = 1,     // type and format of the cell above (to the left)
    GIF_AFTER = 2,      // of the cell below (to the right)
};

// What setting a formula did (CGridCtrl::TrySetCellFormula).
enum GridFormulaSetResult {
    GFS_SET = 0,            // set (and evaluated unless calculation is suspended)
    GFS_NOT_SET = 1,        // no "=", no cell or virtual mode: nothing changed
    GFS_COMPILE_ERROR = 2,  // a formula cell showing "#公式错误!"
    GFS_CIRCULAR = 3,       // refused: the cell is as it was
};

// Selection kinds: what the focus cell selects after a structural change.
enum GridSelectionKind { GSK_CELLS = 0, GSK_ROWS = 1, GSK_COLUMNS = 2, GSK_ALL = 3 };

// The frozen bands in effect and the rows and columns that scroll:
// [nFirstScrollRow, nEndScrollRow) and [nFirstScrollCol, nEndScrollCol).
struct GridBands {
    int nTop = 0;
    int nBottom = 0;
    int nLeft = 0;
    int nRight = 0;
    int nFirstScrollRow = 0;
    int nEndScrollRow = 0;
    int nFirstScrollCol = 0;
    int nEndScrollCol = 0;
};

class CGridCtrl : public CWnd {
    friend struct GridInputAccess;
    friend struct GridInputImpl;
    friend struct GridWindowAccess;
    friend struct GridTemplateAccess;        // the template body (document/TemplateGridBody.cpp)

public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // ======================================================================
    // Cells and lookup
    // ======================================================================
    // The cell at (nRow, nCol); NULL outside the grid or when there is none.
    // In virtual mode a cell shared by all calls, filled for the position
    // from its default cell and by the owner, valid until the next call.
    CGridCellBase* GetCell(int nRow, int nCol);
    CGridCellBase* GetCellAt(int nRow, int nCol) { return GetCell(nRow, nCol); }
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsCellValid(int nRow, int nCol) const { return IsValid(nRow, nCol); }
    BOOL IsCellFixed(int nRow, int nCol) const;

    // The default cell of an area: corner, fixed row, fixed column or normal.
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol);
    const CGridDefaultSetting& GetDefaultSettingRecord() const { return m_DefaultSetting; }
    CGridDefaultSetting& GetDefaultSettingRecord() { return m_DefaultSetting; }

    // A new cell of the grid's cell class at (nRow, nCol), with the grid, its
    // position, its fixed state bits, its area's alignment and either the
    // text colour of its default cell (fixed) or the normal default cell's
    // font; NULL when the class is missing or not a cell.
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    // Deletes the cell at the position.
    virtual void DestroyCell(int nRow, int nCol);
    // Puts pCell at the position and gives it its coordinates; the grid owns
    // it from now on. The cell that was there is handed back to the caller
    // (who takes over deleting it) through ppOld, or deleted when ppOld is
    // NULL. FALSE (pCell not taken) in virtual mode or outside the grid.
    BOOL PutCell(int nRow, int nCol, CGridCellBase* pCell, CGridCellBase** ppOld = nullptr);
    // Replaces the cell by a new one of the class that takes over the old
    // one's content and settings. FALSE in virtual mode, outside the grid or
    // for a class that is not a cell.
    BOOL SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass);
    // The same by type number (0..12 but 8); FALSE when the number has no
    // class or its class is not part of the program.
    BOOL SetCellType(int nRow, int nCol, int nType);
    // The type number of the cell's class; -1 outside the grid or for a class
    // outside the table; 0 when the position holds no cell.
    int GetCellType(int nRow, int nCol);
    static int GetCellTypeFromClassName(LPCTSTR szClassName);
    // The class new cells are made of (CGridCell at construction).
    void SetDefaultCellType(const CRuntimeClass* pRuntimeClass) { m_pRtcDefault = pRuntimeClass; }
    const CRuntimeClass* GetDefaultCellType() const { return m_pRtcDefault; }

    // ======================================================================
    // Counts
    // ======================================================================
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    // Both answer FALSE for a negative count, a count above GRID_MAX_ROWS
    // (GRID_MAX_COLUMNS), or when memory runs out while growing; a refused
    // or failed change leaves the sheet exactly as it was.
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);

    int GetFreezeTopRows() const { return m_nFreezeTopRows; }
    int GetFreezeBottomRows() const { return m_nFreezeBottomRows; }
    int GetFreezeLeftCols() const { return m_nFreezeLeftCols; }
    int GetFreezeRightCols() const { return m_nFreezeRightCols; }
    void SetFreezeTopRows(int n) { m_nFreezeTopRows = n < 0 ? 0 : n; }
    void SetFreezeBottomRows(int n) { m_nFreezeBottomRows = n < 0 ? 0 : n; }
    void SetFreezeLeftCols(int n) { m_nFreezeLeftCols = n < 0 ? 0 : n; }
    void SetFreezeRightCols(int n) { m_nFreezeRightCols = n < 0 ? 0 : n; }

    // ======================================================================
    // Inserting, deleting, sorting
    // ======================================================================
    // Inserts a row before nRow (-1 or the row count: at the end); the new
    // row's index, or -1 when nRow lies in the fixed rows or beyond the
    // count, or when memory runs out.
    int InsertRow(LPCTSTR szHeading, int nRow = -1);
    // The column twin; nFormat has no effect.
    int InsertColumn(LPCTSTR szHeading, UINT nFormat = 0, int nCol = -1);
    BOOL DeleteRow(int nRow);
    BOOL DeleteColumn(int nCol);
    // Deletes nCount rows (columns) from nRow (nCol), merged blocks following;
    // answers how many were deleted.
    int DeleteRows(int nRow, int nCount);
    int DeleteColumns(int nCol, int nCount);
    BOOL DeleteAllCells();

    short GetRowInsertFormatMode() const { return m_nRowInsertFormatMode; }
    short GetColumnInsertFormatMode() const { return m_nColInsertFormatMode; }
    void SetRowInsertFormatMode(short nMode) { m_nRowInsertFormatMode = nMode; }
    void SetColumnInsertFormatMode(short nMode) { m_nColInsertFormatMode = nMode; }

    // Sorts the rows below the fixed and frozen top rows by the column:
    // numerically when the column's sort type says so (or, without one, when
    // its first non-fixed cell holds a number), by text otherwise.
    BOOL SortColumn(int nCol, BOOL bAscending, LPARAM lParamExtra = 0);
    // The comparison a row sort uses: negative, 0 or positive.
    typedef int (*GridCompareFunc)(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    // Stable sort of whole rows nLow..nHigh (-1: the last row above the
    // bottom frozen rows) by the cells of nCol: rows that compare equal keep
    // their order; heights, cell ids, hidden and format marks, merged blocks
    // inside one row and formula references travel with their rows. FALSE
    // for a column outside the grid or rows outside the sortable part, when
    // nLow is not below nHigh, or when a merged block taller than one row has
    // a cell among the rows (nothing changes then; SortColumn too refuses
    // such a sort before it changes anything). Rows of a row tree take their
    // levels and fold marks with them when every one of them stays inside
    // its tree under the parent it had (the children of a node reordered
    // among themselves); any other sort over a tree's rows is refused the
    // same way.
    BOOL SortRowRange(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM lParamSort, int nLow,
                      int nHigh);
    static int CompareCellsNumeric(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    static int CompareCellsText(CGridCellBase* pCell1, CGridCellBase* pCell2, LPARAM lParamSort);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bSortAscending; }
    void SetSortColumn(int nCol);
    void SetSortAscending(BOOL bAscending) { m_bSortAscending = bAscending; }
    // Adds or replaces the column's entry of the sort-type list; FALSE for a
    // column outside the grid.
    BOOL SetColumnSortType(int nCol, BOOL bNumeric);
    int FindColumnSortType(int nCol) const;
    const std::vector<GridColumnSortType>& GetColumnSortTypes() const { return m_arColumnSortTypes; }

    // Tree columns follow row and column changes (GridCtrlTrees.cpp): nCount
    // lines inserted at nRow (nCol), or -nCount deleted from it; a tree that
    // loses all its rows or its column is dropped. The Reverse forms undo a shift.
    void ShiftTreeColumnRows(int nRow, int nCount);
    void ShiftTreeColumnRowsReverse(int nRow, int nCount);
    void ShiftTreeColumnCols(int nCol, int nCount);
    void ShiftTreeColumnColsReverse(int nCol, int nCount);

    // ======================================================================
    // Tree columns (GridCtrlTrees.cpp; the tree itself in TreeColumn.h)
    // ======================================================================
    // A new tree of one root row at (nRow, nCol); NULL when nRow is not
    // inside the grid below row 0, nCol is not a column, or a tree already
    // covers the row (in any column). The grid owns the tree.
    CTreeColumn* AddTree(int nRow, int nCol);
    // A tree at (nRow, nCol) read from its attribute text (or its record);
    // the same checks. The tree already starting there takes the text instead.
    BOOL SetColumnControlTree(int nRow, int nCol, LPCTSTR szText);
    BOOL SetColumnControlTree(int nRow, int nCol, CArchive& ar);
    int GetTreeCount() const { return static_cast<int>(m_arTrees.size()); }
    CTreeColumn* GetTreeAt(int nIndex) const;
    // The last tree of the list in column nCol whose rows contain nRow; -1 when none.
    int FindTreeIndex(int nRow, int nCol) const;
    // The first tree covering the cell; NULL for none.
    CTreeColumn* FindColumnControlTree(int nRow, int nCol) const;
    CString GetColumnControlTree(int nRow, int nCol) const;
    int SetColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue);
    CString GetColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey);
    BOOL DelColumnControlTreeProperty(int nRow, int nCol, LPCTSTR szKey);
    // Searches the list from its end for a tree covering the cell; its cells
    // become plain cells and the tree is deleted. FALSE when none.
    BOOL DeleteColumnControlTree(int nRow, int nCol);
    // (-1, -1) and FALSE for an index out of range.
    BOOL GetColumnTreeStart(int nIndex, int& nStartRow, int& nStartCol) const;
    // No tree but pExcept holds a row of [nFirst, nEnd).
    BOOL IsTreeRangeFree(int nFirst, int nEnd, const CTreeColumn* pExcept) const;
    // Moves whole rows: [nFirst, nLast) is turned so that nMiddle comes first
    // (cells, heights and cell names travel with their rows). FALSE for rows
    // outside the grid, in virtual mode, or when a merged block lies in them.
    BOOL RotateRows(int nFirst, int nMiddle, int nLast);
    // Sets each (row, height) and recomputes the scroll bars once.
    void SetRowHeights(const std::vector<std::pair<int, int>>& heights);

    // ======================================================================
    // Header numbering
    // ======================================================================
    // Row numbers in column 0 (only with fixed columns): "%ld" of row - fixed
    // rows + 1, into cells that are empty or hold a whole number.
    void RenumberRowHeaders(int nFirstRow, int nLastRow);
    // Column letters in row 0 (only with fixed rows), into cells that are
    // empty or hold capital letters only.
    void RenumberColumnHeaders(int nFirstCol, int nLastCol);
    // "A" for 1, "AA" for 27; "" below 1.
    static CString ColumnToLetters(int nColumn);

    // ======================================================================
    // Sizes
    // ======================================================================
    int GetRowHeight(int nRow) const;              // -1 outside the grid
    int GetColumnWidth(int nCol) const;            // -1 outside the grid
    BOOL SetRowHeight(int nRow, int nHeight);      // FALSE outside the grid or below 0
    BOOL SetColumnWidth(int nCol, int nWidth);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long long GetTotalRowHeight() const;
    long long GetTotalColumnWidth() const;

    // ======================================================================
    // Merged blocks
    // ======================================================================
    // The list of block owners (one entry per live block); the cell-record
    // reader adds the owners it reads. RemoveMergeOwner answers the entry's
    // former index, -1 when the position was not listed.
    void AddMergeOwner(const CGridCellPos& pos);
    void AddMergeOwner(int nRow, int nCol) { AddMergeOwner(CGridCellPos(nRow, nCol)); }
    int RemoveMergeOwner(const CGridCellPos& pos);
    int RemoveMergeOwner(int nRow, int nCol) { return RemoveMergeOwner(CGridCellPos(nRow, nCol)); }
    const CGridMergeOwnerList& GetMergeOwners() const { return m_arMergeOwners; }
    // Makes the rectangle, widened until no block lies partly inside it, one
    // block owned by its top-left cell; every cell of it is selected. With a
    // window the owner is copied over the block and the grid repainted.
    void MergeCells(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol);
    // Dissolves every block that has a cell in the rectangle: the owner keeps
    // its content, every other cell of a block is emptied and made plain.
    void UnMergeCells(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol);
    // Dissolves the block of the cell; FALSE when the cell is not merged.
    BOOL UnMergeCellAt(int nRow, int nCol);
    BOOL IsCellMerged(int nRow, int nCol);
    // The block of the cell; FALSE with all four -1 outside the grid, without
    // a cell or for a cell that is not merged.
    BOOL GetMergeRange(int nRow, int nCol, int& nMinRow, int& nMinCol, int& nMaxRow, int& nMaxCol);
    // The owner of the cell's block, or the cell itself when it has none.
    void GetMergeOwnerCell(CGridCellPos& owner, int nRow, int nCol);
    // The summed widths (heights) of the block that holds the cell; the
    // column's width (row's height) when it is not merged.
    int GetMergeWidth(int nRow, int nCol);
    int GetMergeHeight(int nRow, int nCol);
    // Blocks follow inserted rows (columns) after position nPos, and shrink
    // over deleted ones from nFirst.
    void ShiftMergesForRows(int nPos, int nCount);
    void ShiftMergesForColumns(int nPos, int nCount);
    void ShrinkMergesForRows(int nFirst, int nCount);
    void ShrinkMergesForColumns(int nFirst, int nCount);

    // ======================================================================
    // Focus, selection, modified marks, refresh
    // ======================================================================
    CGridCellPos GetFocusCell() const { return m_idCurrentCell; }
    // Moves the focus (state bit 0x01) to the cell; a row or column other
    // than -1 is first raised out of the fixed part. Answers the old focus.
    CGridCellPos SetFocusCell(int nRow, int nCol);
    CGridCellPos SetFocusCell(const CGridCellPos& cell) { return SetFocusCell(cell.row, cell.col); }
    // Deselects every selected cell and forgets the focus cell.
    void ClearSelection();
    BOOL IsCellSelected(int nRow, int nCol);
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void EnableSelection(BOOL bEnable) { m_bEnableSelection = bEnable; }
    int GetSelectionKind() const { return m_nSelectionKind; }
    void SetSelectionKind(int nKind) { m_nSelectionKind = nKind; }

    BOOL GetModified() const { return m_bModified; }
    // With a row or column below 0: the grid's modified flag; otherwise the
    // cell's modified bit (a set bit also marks the grid). A clear grid flag
    // clears every cell's bit.
    void MarkModified(BOOL bModified, int nRow = -1, int nCol = -1);
    // As MarkModified, and a change of the whole grid or of the sort column
    // forgets the sort column.
    void SetModified(BOOL bModified, int nRow = -1, int nCol = -1);
    // Repaints the grid; nothing without a window or while drawing is off.
    void Refresh();
    // Recomputes the scroll bars; nothing without a window.
    virtual void UpdateScrollBars();
    BOOL GetDrawNumZero() const { return m_bDrawNumZero; }
    void SetDrawNumZero(BOOL bDraw) { m_bDrawNumZero = bDraw; }
    BOOL IsDrawingAllowed() const { return m_bAllowDraw; }
    void SetAllowDraw(BOOL bAllow) { m_bAllowDraw = bAllow; }


    // ======================================================================
    // Window
    // ======================================================================
    // Registers the window class "KivoSheet" once per module.
    static BOOL RegisterGridClass();
    // The grid window as a child of pParentWnd (the control window): dwStyle
    // less WS_BORDER, plus WS_CLIPCHILDREN | WS_CLIPSIBLINGS; in skin style 1
    // also the two skinned scroll bars beside it. FALSE when the window
    // cannot be made.
    using CWnd::Create;
    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    void PreSubclassWindow() override;
    // The two skinned scroll-bar windows go first, then the grid window; the
    // next Create makes new bars beside the new window.
    BOOL DestroyWindow() override;
    UINT GetClipboardFormat() const { return m_nClipboardFormat; }

    // WM_NOTIFY with a GridNotifyRecord to the owner; 0 without a window or owner.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
    // A numbered grid message (1025..1074) to the parent window: sent (the
    // answer) or posted. 0 / FALSE without a window or parent.
    LRESULT SendGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    BOOL PostGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The same for a message whose parameters pack rows and columns into
    // 16-bit halves: the whole values are kept for the parent to take back
    // with TakeEventLines while it handles the message.
    LRESULT SendGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines);
    BOOL PostGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines);
    // The whole rows and columns of such a message, once; FALSE when the grid
    // kept none for it (the packed parameters are then all there is).
    BOOL TakeEventLines(UINT nMessage, WPARAM wParam, LPARAM lParam, GridEventLines& lines)
    {
        return m_EventLines.Take(nMessage, wParam, lParam, lines) ? TRUE : FALSE;
    }

    // ======================================================================
    // Painting
    // ======================================================================
    // Paints the whole grid into the DC (background, cells, lines, overlays).
    virtual void OnDraw(CDC* pDC);
    // Fills the background areas of the DC's clip box.
    void EraseBkgnd(CDC* pDC);
    // Invalidates the cell's rectangle (one pixel more right and below);
    // FALSE without a window, while drawing is off, or for a cell that is
    // invalid or not visible.
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL RedrawCell(const CGridCellPos& cell, CDC* pDC = nullptr) { return RedrawCell(cell.row, cell.col, pDC); }
    BOOL InvalidateRange(const CGridCellRange& range);
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetDoubleBuffering(BOOL bBuffer) { m_bDoubleBuffer = bBuffer; }
    COLORREF GetGridBkColor() const { return m_crGridBack; }
    void SetGridBkColor(COLORREF clr) { m_crGridBack = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLine; }
    void SetGridLineColor(COLORREF clr) { m_crGridLine = clr; }
    // Values cell painting reads.
    int GetGridLineMode() const { return m_nGridLineMode; }        // 0 none, 1 horizontal, 2 vertical, 3 both
    void SetGridLineMode(int nMode) { m_nGridLineMode = nMode; }
    COLORREF GetFixedFrameColor() const { return m_crSkin[0]; }
    COLORREF GetSelectedFixedFrameColor() const { return m_crSkin[1]; }
    COLORREF GetFixedColumnColor() const { return m_crSkin[2]; }
    COLORREF GetRowOddBkColor() const { return m_crRowOdd; }
    COLORREF GetRowEvenBkColor() const { return m_crRowEven; }
    BOOL GetPrintGridLines() const { return m_bPrintGridLines; }
    void SetPrintGridLines(BOOL b) { m_bPrintGridLines = b; }
    BOOL GetDrawFreezeLine() const { return m_bDrawFreezeLine; }
    void SetDrawFreezeLine(BOOL b) { m_bDrawFreezeLine = b; }
    BOOL GetDrawFreezeGridLines() const { return m_bDrawFreezeGridLines; }
    void SetDrawFreezeGridLines(BOOL b) { m_bDrawFreezeGridLines = b; }
    int GetSelFrameThickness() const { return m_nSelFrameThickness; }
    void SetSelFrameThickness(int n) { m_nSelFrameThickness = n & 0xFF; }
    COLORREF GetSelFrameColor() const { return m_crSelFrame; }
    void SetSelFrameColor(COLORREF clr) { m_crSelFrame = clr; }
    // The range a drop would land on (all -1: none); painted as a drag frame.
    void SetDropRange(const CGridCellRange& range) { m_DropRange = range; }
    const CGridCellRange& GetDropRange() const { return m_DropRange; }

    // ======================================================================
    // Frozen-pane layout
    // ======================================================================
    int GetFrozenTopHeight() const;
    int GetFrozenBottomHeight() const;
    int GetFrozenLeftWidth() const;
    int GetFrozenRightWidth() const;
    BOOL IsCellFrozen(int nRow, int nCol) const;
    GridBands GetBands() const;
    // Sizes as the layout uses them (zoomed, truncated one by one).
    int GetZoomedFixedRowHeight() const;
    int GetZoomedFixedColumnWidth() const;
    int ZoomedRowHeight(int nRow) const;
    int ZoomedColumnWidth(int nCol) const;
    // The first scrolled row and column shown (after the frozen top rows and
    // left columns); cached until a scroll or structural change.
    CGridCellPos GetTopLeftCell(BOOL bForceRecalculation = FALSE);
    // The scrolled cells shown; pRect receives the client area they cover.
    CGridCellRange GetVisibleRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL GetCellTopLeft(int nRow, int nCol, LPPOINT p);
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CGridCellPos& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    BOOL GetRangeRect(const CGridCellRange& range, LPRECT pRect);
    double GetZoomX() const { return m_dZoomX; }
    double GetZoomY() const { return m_dZoomY; }
    void SetZoom(double dZoomX, double dZoomY);
    // The client area the layout uses while the grid has no window.
    void SetPageRect(const RECT& rect) { m_rcPage = rect; }

    // ======================================================================
    // Scrolling
    // ======================================================================
    // Bar 0 horizontal, 1 vertical (SB_HORZ, SB_VERT).
    int GetScrollPosition(int nBar, BOOL bGetTrackPos = FALSE);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetVScrollMax() const { return m_nVScrollMax; }
    int GetHScrollMax() const { return m_nHScrollMax; }
    // Bit 1 horizontal bar shown, bit 2 vertical.
    int GetScrollBarsVisible() const { return m_nBarState; }
    // which: 0 horizontal, 1 vertical, 3 both.
    void ShowGridScrollBar(int nWhich, BOOL bShow);
    // Scrolls so the cell is in view.
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CGridCellPos& cell) { EnsureVisible(cell.row, cell.col); }
    int GetSkinStyle() const { return m_nSkinStyle; }
    void SetSkinStyle(int nStyle);
    // The grid's own scroll-bar window (skin style 1; NULL when none was made).
    CWnd* GetSkinScrollBar(BOOL bVertical) { return bVertical ? m_pVScroll.get() : m_pHScroll.get(); }
    // Takes scroll bars painted from pBitmap (not owned: it must outlive the
    // bars; NULL takes the grid's own scroll skin) in place of the
    // ones the grid had: the window loses its border and client edge (and
    // shrinks by what they took), and two bar windows are made in the parent
    // (ids 1000 horizontal, 1001 vertical) reporting to the grid. FALSE
    // without a window, a parent or the bar maker; the bars may then be
    // missing, the border is gone only when the bars were made.
    BOOL AttachSkinScrollBars(CBitmap* pBitmap);
    // Whether the grid paints its content (print previews switch it off).
    void ShowGridContent(BOOL bShow);
    BOOL IsGridContentShown() const { return m_bShowContent; }

    // ======================================================================
    // Skins
    // ======================================================================
    // Replaces skin bitmaps from files "<folder>\<NAME>.bmp"; answers how
    // many were replaced.
    int SetSkinDir(LPCTSTR szFolder);
    CString GetSkinDir() const { return m_strSkinDir; }
    // The host program's full path (file name included): the base of a
    // relative skin folder ("..\\skin" names a folder beside the program).
    static void SetProgramPath(LPCTSTR szPath);
    CGridSkinBitmaps& GetSkinBitmaps() { return m_SkinBitmaps; }
    // The skin bitmap of an index (SKIN_BUTTON..SKIN_PREVIEWTOOLBARBG); NULL outside.
    CBitmap* GetSkinBitmap(int nIndex) { return m_SkinBitmaps.Get(nIndex); }
    // The progress bar (messages 1062 range, 1063 position, 1064 hide, 1065
    // show): 1065 sets the shown flag to -1 and 1064 to 0; any non-zero flag
    // shows the bar over the double-buffered picture.
    BOOL IsProgressShown() const { return m_nProgressShown != 0; }
    // The bar as the grid's state holds it, placed in the rectangle.
    CGridProgressBar GetProgressBar(const CRect& rcClient) const;
    // Paints the bar over the picture of the client rectangle.
    void DrawProgressBar(CDC* pDC, const CRect& rcClient);

    // ======================================================================
    // Selection (see also Focus above)
    // ======================================================================
    BOOL IsRangeValid(const CGridCellRange& range) const;
    BOOL IsCellEditable(int nRow, int nCol);
    BOOL IsEditable() const { return m_DefaultSetting.m_bEditable != 0; }
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void SetSelectedRange(const CGridCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CGridCellPos cell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRowBand(CGridCellPos cell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectColumnBand(CGridCellPos cell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectAllCells();
    // One selection step of a mouse or keyboard selection, by mouse mode.
    void ExtendSelection(CGridCellPos cell);
    CGridCellRange GetSelectedRange();
    CGridCellPos GetSelectionAnchor() const { return m_idSelectionAnchor; }
    void SetSelectionAnchor(const CGridCellPos& cell) { m_idSelectionAnchor = cell; }
    int GetSelectionStyle() const { return m_nSelectionStyle; }
    void SetSelectionStyle(int nStyle) { m_nSelectionStyle = nStyle; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetListMode(BOOL b) { m_bListMode = b; }
    BOOL GetSingleBand() const { return m_bSingleBand; }
    void SetSingleBand(BOOL b) { m_bSingleBand = b; }
    BOOL GetKeepSelection() const { return m_bKeepSelection; }
    void SetKeepSelection(BOOL b) { m_bKeepSelection = b; }
    BOOL GetTrackFocusHeaders() const { return m_bTrackFocusHeaders; }
    void SetTrackFocusHeaders(BOOL b) { m_bTrackFocusHeaders = b; }
    int GetLastSelectionMode() const { return m_nLastSelectionMode; }
    int GetSelectedBandFirst() const { return m_nSelBandFirst; }
    int GetSelectedBandLast() const { return m_nSelBandLast; }
    // A selected cell (selection map or whole-line band) lies in nRow or in nCol.
    BOOL IsTouchedBySelection(int nRow, int nCol);
    // The selection kind is rows, columns or all and the cell lies in the selected band.
    BOOL IsCellInSelectedBand(int nRow, int nCol);
    // Saves the current selection so cells added with Ctrl merge it back.
    void SavePreviousSelection();
    BOOL IsPreviousSelectionEmpty() const { return m_PrevSelectedCellMap.empty(); }
    // Sets a cell's text the way user input does; 0, or the host's negative
    // answer to the begin-edit notification.
    int SetCellTextChecked(int nRow, int nCol, LPCTSTR szText);
    int ClearRangeContent(const CGridCellRange& range);
    virtual void ClearSelectedText();

    // ======================================================================
    // Input and editing (GridCtrlKeyboard.cpp, GridCtrlMouse.cpp, GridCtrlEditing.cpp)
    // ======================================================================
    CGridInputState& GetInputState() { return m_input; }
    // Hit tests (client coordinates).
    CGridCellPos GetCellFromPoint(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    BOOL IsOverRowDivide(CPoint point);
    BOOL IsOverColumnDivide(CPoint point);
    BOOL IsOverSelectionBorder(CPoint point);
    int GetMouseMode() const { return m_input.nMouseMode; }
    void SetMouseMode(int nMode) { m_input.nMouseMode = nMode; }
    UINT GetMouseWheelStep() const;            // lines per notch, (UINT)-1 = a page
    // Editing lifecycle.
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, const CString& strText, const CString& strRichText,
                               LONG nRichParam1, LONG nRichParam2);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR szText);
    // Ends the edit of the focus cell and of the cell the grid last opened an
    // editor on: the editor's text is committed as when it closes by itself.
    virtual void EndEditing();
    BOOL EditCell(int nRow, int nCol);
    BOOL IsCellEditing(int nRow, int nCol);
    CString GetCellRichText(int nRow, int nCol);
    BOOL SetCellRichText(int nRow, int nCol, LPCTSTR szText);
    BOOL SetCellRichTextParam(int nRow, int nCol, LONG nParam1, LONG nParam2);
    // Makes the cell the target of the rich-text members and locks its
    // content; a cell locked before is unlocked first (its content written
    // back). The cell's SELockContent result; FALSE without a cell.
    BOOL LockSuperEditContent(int nRow, int nCol);
    BOOL UnlockSuperEditContent();
    // The locked cell while it is still the same cell at the same place, else NULL.
    CGridCellBase* GetLockedRichTextCell();
    // The grid's one windowless rich-text host, made (and initialised) on first
    // use through the installed factory; NULL without one.
    CRichTextHostBase* GetRichTextHost();
    void SetAutoSizeRowAfterEdit(BOOL b);
    BOOL GetAutoSizeRowAfterEdit() const;
    void SetTitleTips(BOOL b);
    BOOL GetTitleTips() const;
    void HideTitleTip();
    // Header clicks.
    virtual void OnFixedRowClick(CGridCellPos& cell);
    virtual void OnFixedColumnClick(CGridCellPos& cell);
    // Edit commands (GridCtrlClipboard.cpp), each also reached through its
    // command identifier and the keyboard: copy while copying is allowed;
    // cut and paste while the grid is editable and they are allowed; select
    // all while the grid is editable.
    virtual void OnEditCopy();
    virtual void OnEditCut();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // Puts the range on the clipboard: its tab-separated text as CF_TEXT
    // (when not empty), then its private stream. Nothing for an invalid range.
    virtual void CopyRangeToClipboard(const CGridCellRange& range);
    // The same, answering whether the clipboard took both forms (FALSE when
    // it could not be opened or written); cut clears nothing then.
    BOOL PutRangeOnClipboard(const CGridCellRange& range);
    // Pastes the clipboard with its first cell at (nRow, nCol), by the paste
    // mode: 0 the private stream when the clipboard holds one, else the
    // text; 1 the text only; 2 the stream only. With bSelect the pasted range
    // becomes the selection, else the selection is cleared. TRUE only when a
    // format was pasted; FALSE for an invalid or read-only target, a busy
    // clipboard or data that cannot be had.
    virtual BOOL PasteFromClipboard(int nRow, int nCol, BOOL bSelect);
    // The private format's number, registered by name when the window is
    // made (or at the first use of a grid without one).
    UINT GetClipboardFormatNumber();
    // The selection less its fixed part (what copy, cut and a drag take);
    // none when no non-fixed cell is selected.
    CGridCellRange GetEditCommandRange();
    // Where a paste lands: the selection's first non-fixed cell, else the
    // focus cell, else the top-left scrolled cell; (-1, -1) for none.
    CGridCellPos GetPasteTarget();
    // The switches of the edit commands and of dragging the selection (each
    // on in a new grid).
    BOOL GetAllowCopy() const { return m_bAllowCopy; }
    void SetAllowCopy(BOOL bAllow) { m_bAllowCopy = bAllow; }
    BOOL GetAllowCut() const { return m_bAllowCut; }
    void SetAllowCut(BOOL bAllow) { m_bAllowCut = bAllow; }
    BOOL GetAllowPaste() const { return m_bAllowPaste; }
    void SetAllowPaste(BOOL bAllow) { m_bAllowPaste = bAllow; }
    BOOL GetAllowDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetAllowDragAndDrop(BOOL bAllow) { m_bAllowDragAndDrop = bAllow; }

    // Dragging the selection (GridCtrlDragDrop.cpp): the drag starts from a
    // press on the selection's border; it offers the selection's private
    // stream. A drop pastes the dragged data at the drop range (the dragged
    // range placed so that the cell it was taken by lands under the pointer);
    // a move clears the source after the paste succeeded, Ctrl copies, and
    // the user's clipboard stays as it was.
    virtual void OnBeginDrag();
    virtual DWORD OnDragEnter(CDropData* pData, DWORD dwKeyState, CPoint point);
    virtual DWORD OnDragOver(CDropData* pData, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(CDropData* pData, DWORD dwDropEffect, CPoint point);
    CGridDropTarget& GetDropTarget() { return m_DropTarget; }
    CGridCellPos GetDropTargetCell() const { return m_idDropTargetCell; }
    CGridCellPos GetDragStartCell() const { return m_idDragStartCell; }
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = 3, BOOL bResetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    BOOL CopyCellToRange(const CGridCellRange& range, CGridCellBase* pSource);
    BOOL SetCellFormula(int nRow, int nCol, LPCTSTR szFormula);
    // The context menu of a right click (GridCtrlContextMenu.cpp): an empty
    // menu is made, message 1073 tells the parent the cell and the area
    // clicked (1 a selected cell, 9 another body cell, 2 a column header, 3 a
    // row header, 4 the corner) so that its handler can add items, the menu
    // is shown when it has any, and a chosen command of 20000..30000 goes to
    // the parent as message 1074 with the cell.
    void ShowContextMenu(const CGridCellPos& cell, CPoint point);
    // Appends an item to the menu being built (while 1073 is handled);
    // FALSE when no menu is being built.
    BOOL AddPopupMenuItem(UINT nFlags, UINT nID, LPCTSTR szText);
    // The area class of a clicked cell as 1073 reports it.
    int GetContextMenuArea(const CGridCellPos& cell);

    // ======================================================================
    // Virtual mode
    // ======================================================================
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    // Empties the grid (counts, sizes, cells, ids) and switches the mode.
    void SetVirtualMode(BOOL bVirtual);
    void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam);

    // ======================================================================
    // Cell ids
    // ======================================================================
    // Names the cell; FALSE when any cell already has the id (this one
    // included), in virtual mode or without a cell. "" removes the name. At
    // most 31 bytes are kept, cut at a character boundary.
    BOOL SetCellId(int nRow, int nCol, LPCTSTR szId);
    CString GetCellId(int nRow, int nCol);
    const std::vector<GridCellIdEntry>& GetCellIdTable() const { return m_arCellIds; }
    // Appends an entry as the template reader finds it (row, column, id).
    void AddCellIdEntry(int nRow, int nCol, LPCTSTR szId);

    // ======================================================================
    // Format-inheriting rows and columns
    // ======================================================================
    void AddFormatRow(int nRow);
    void AddFormatColumn(int nCol);
    int FindFormatRow(int nRow) const;
    int FindFormatColumn(int nCol) const;
    const std::vector<int>& GetFormatRows() const { return m_arFormatRows; }
    const std::vector<int>& GetFormatColumns() const { return m_arFormatCols; }

    // ======================================================================
    // Owned services
    // ======================================================================
    CBindInfoList& GetBindList() { return m_BindList; }
    CConnectionDefList& GetConnectionList() { return m_ConnectionList; }
    CGridPictureList& GetPictureList() { return m_PictureList; }
    CFormulaEngine& GetFormulaEngine() { return m_FormulaEngine; }
    CGridPrintSettings& GetPrintSettings() { return m_PrintSettings; }
    TemplateFileInfo& GetFileInfo() { return m_FileInfo; }
    CString GetVersion() const { return m_strVersion; }
    // The header fields, password and file name of the grid's template.
    TemplateGridState& GetTemplateState() { return m_TemplateState; }

    // The grid's current font: the default setting's font when it has one,
    // else the normal default cell's.
    const LOGFONT* GetGridLogFont();

    // Print settings defaults.
    void InitDevMode();
    void InitHeaderFooterFonts();
    void InitPrintMargins();
    void InitPrintOptions();
    void InitPrintSettings();
    void InitFileInfo();
    BOOL IsTemplateVersionAbove(LPCTSTR szVersion) const;

    // Page header and footer fonts as "font" element text; a setter ignores
    // an empty text.
    void SetHeaderLeftFont(LPCTSTR szFont);
    void SetHeaderCenterFont(LPCTSTR szFont);
    void SetHeaderRightFont(LPCTSTR szFont);
    void SetFooterLeftFont(LPCTSTR szFont);
    void SetFooterCenterFont(LPCTSTR szFont);
    void SetFooterRightFont(LPCTSTR szFont);
    CString GetHeaderLeftFont();
    CString GetHeaderCenterFont();
    CString GetHeaderRightFont();
    CString GetFooterLeftFont();
    CString GetFooterCenterFont();
    CString GetFooterRightFont();

    // ======================================================================
    // Printing (GridCtrlPrint*.cpp)
    // ======================================================================
    // Prints every page on the sheet's printer; FALSE when there is no
    // printer, no device context, or the job was aborted (a failed StartDoc
    // or page). Sends 1066 before the job and 1068 after it.
    virtual BOOL Print();
    // Computes the page metrics and page breaks for a printer (bPreview:
    // laid out in screen pixels at nScreenDpi).
    virtual void OnBeginPrinting(const PrinterMetrics& metrics, BOOL bPreview, int nScreenDpi);
    virtual void OnEndPrinting();
    // Draws page nPage (counted from 0) into the printable rectangle.
    virtual void DrawPrintPage(CDC* pDC, int nPage, const CRect& rcPage);
    virtual void PrintHeader(CDC* pDC, int nLeft, int nY, int nRight, int nPage);
    // One whole page (header, cells, footer) with the paper's corner at
    // paper; the rectangles it uses: the cells' area and the header and
    // footer lines. The layout is in printer units; dScaleX and dScaleY
    // (device units per printer unit, 1.0 on the printer) scale it for a
    // preview: the same rows and columns on every page, drawn smaller.
    void DrawPaperPage(CDC* pDC, int nPage, CPoint paper, double dScaleX = 1.0, double dScaleY = 1.0);
    void GetPaperPageRects(CPoint paper, CRect& rcBody, int& nHeaderY, int& nFooterY, double dScaleX = 1.0,
                           double dScaleY = 1.0) const;
    virtual void PrintFooter(CDC* pDC, int nLeft, int nY, int nRight, int nPage);
    // One printed row of a laid-out page: the row's cells over the page's
    // columns, left to right.
    void PrintRow(CDC* pDC, GridPrintPage& page, int nRowIndex);
    // One printed cell; a merged block is drawn once, through its owner,
    // over the part of the block the page shows.
    void PrintCell(CDC* pDC, GridPrintPage& page, int nRowIndex, int nColIndex);
    // Lays page nPage (counted from 0) out from (x, y): its rows and
    // columns, titles included, in order, with where each begins at the
    // grid's present zoom.
    void LayoutPrintPage(int nPage, int x, int y, GridPrintPage& page) const;
    const GridPrintState& GetPrintState() const { return m_PrintState; }
    int GetPrintPageCount() const { return m_PrintState.PageCount(); }
    BOOL IsPrinting() const { return m_PrintState.bPrinting ? TRUE : FALSE; }
    // The seven layout values of the library's own print loop (a negative
    // value keeps the old one).
    void SetPrintLayout(int n1, int n2, int n3, int n4, int n5, int n6, int n7);
    int GetPrintLayoutValue(int nIndex) const;

    // A host's own print loop (GridCtrlPrintLoop.cpp), after
    // OnBeginPrinting: page nPage counted from 1, laid out from the print
    // layout values in the print font's character widths and lines.
    virtual void OnPrint(CDC* pDC, int nPage);
    // One row's cells from nFirstCol towards nEndCol, the first at
    // rect.left, as long as a cell ends within rect.right; answers where the
    // next cell would start.
    virtual int PrintRowCells(int nFirstCol, int nEndCol, int nRow, const CRect& rect, CDC* pDC);
    // The fixed rows over the page's columns (with the corner when the page
    // starts at the first scrollable column), and the fixed columns beside
    // the page's rows with their grid lines.
    virtual void PrintFixedRows(CDC* pDC, int nPage);
    virtual void PrintFixedColumns(CDC* pDC, int nPage);
    // The area OnPrint draws in, for the font selected into pDC.
    CRect GetPrintLoopArea(CDC* pDC) const;
    // The print loop's own pages: the body lines (fixed lines excluded) split
    // by the area left beside and below the fixed lines; page nPage's lines
    // (FALSE for no such page) and the number of pages.
    BOOL GetPrintLoopBreaks(CDC* pDC, std::vector<int>& rowStarts, std::vector<int>& colStarts) const;
    BOOL GetPrintLoopPage(CDC* pDC, int nPage, int& nFirstRow, int& nEndRow, int& nFirstCol, int& nEndCol) const;
    int GetPrintLoopPageCount(CDC* pDC) const;

    // Repeat ranges, custom paper (GridCtrlPrintRows.cpp).
    BOOL SetRepeatRange(LPCTSTR szRange, int nFlag);
    CString GetRepeatRange(int nFlag) const;
    BOOL SetUserPaper(int nWidth, int nLength);
    BOOL GetUserPaper(int& nWidth, int& nLength) const;
    static BOOL ParseRange(LPCTSTR szText, int& nFirst, int& nLast);
    void ParseRepeatRanges();
    void SetPaper(int nPaper);

    // The printer (GridCtrlPrintSetup.cpp).
    BOOL LoadPrinterInfo(LPCTSTR szPrinter);
    char GetDefaultPrinterName(char* szBuffer, int nLength);
    BOOL MergePrinterDefaults();
    // Makes the device context for the stored printer (the default printer
    // when that cannot be opened); FALSE when neither works.
    BOOL CreatePrinterDC(CPrinterJob& job);
    // The printer to use (the default one when the switch says so or none is
    // stored); FALSE, after the message, when no printer is installed.
    BOOL ResolvePrinter(LPCTSTR szNoPrinterText);
    CString GetPrinterName() const;
    BOOL IsPrinterAvailable(LPCTSTR szPrinter) const;
    void SetPrintOrientation(short nValue);
    void SetPrintCopies(short nValue);
    void SetPrintCollate(short nValue);
    CString ExpandHeaderFooterFields(const CString& strText, int nPage) const;
    const std::vector<PrinterPaper>& GetPrinterPapers() const { return m_arPrinterPapers; }
    BOOL ShowPageSetup();
    // An open preview laid out again from the print settings (after the
    // page set-up); nothing without one.
    void RelayoutPreview();
    // An open preview follows a change of the display mode (skin bars, bar).
    void UpdatePreviewDisplayMode();
    // The print option that draws each page's block off-screen first.
    static const int kPrintOptionOffscreen = 4;

    // Print options kept in the settings: 0 default printer, 1 fixed rows,
    // 2 fixed columns, 3 grid lines.
    BOOL GetPrintOption(int nIndex) const;
    void SetPrintOption(int nIndex, BOOL bOn);

    // The preview (GridCtrlPrintPreview.cpp).
    virtual BOOL PrintPreview();
    // The pop-up preview in its host dialog; 0 when no printer can be used.
    int PopupPreview();
    BOOL ClosePreview();
    void SetPreviewTitle(LPCTSTR szTitle);
    CString GetPreviewTitle() const { return m_strPreviewTitle; }
    void SetHideViewBar(BOOL bHide) { m_bHideViewBar = bHide; }
    BOOL GetHideViewBar() const { return m_bHideViewBar; }
    // The open preview frame (inside the control or in the pop-up host);
    // NULL when none is open.
    CWnd* GetPreviewWnd() const;
    CWnd* GetPreviewHost() const;

    // Alternate row colours (what new rows take in SetRowCount).
    void SetRowOddBkColor(COLORREF clr);
    void SetRowEvenBkColor(COLORREF clr);
    void CancelRowOddBkColor() { m_bRowOddColour = FALSE; }
    void CancelRowEvenBkColor() { m_bRowEvenColour = FALSE; }
    BOOL GetRowOddSetting() const { return m_bRowOddColour; }
    BOOL GetRowEvenSetting() const { return m_bRowEvenColour; }
    // Repaints the rows with the alternate colours from nStartRow on; TRUE.
    BOOL ResetRowOddEvenBkColor(int nStartRow);
    // A left button press and release at the cell's top-left corner, through
    // the grid's own mouse handlers; nothing when that corner is not on screen.
    void ClickCell(int nRow, int nCol);

    // ======================================================================
    // Sheet defaults and sheet-wide settings (GridCtrlSheetServices.cpp)
    // ======================================================================
    // A copy of the default-setting record.
    CGridDefaultSetting GetDefaultSetting() const { return m_DefaultSetting; }
    // Takes the record whole. With its row-height (column-width) reset flag
    // on and a height (width) of 0 or more, every row (column) gets that
    // size in one pass (a hidden line stays hidden and shows at the new
    // size); a font text that parses becomes the grid's default font. The
    // window is invalidated.
    void SetDefaultSetting(const CGridDefaultSetting& setting);
    BOOL GetHeaderSort() const { return m_bHeaderSort; }
    void SetHeaderSort(BOOL bSort) { m_bHeaderSort = bSort; }
    // The Enter key's direction, an 8-bit value: 1 moves right, others down.
    int GetEnterDirection() const { return m_nEnterDirection; }
    void SetEnterDirection(int nDown) { m_nEnterDirection = nDown & 0xFF; }
    void SetFixedFrameColor(COLORREF clr) { m_crSkin[0] = clr; }
    void SetSelectedFixedFrameColor(COLORREF clr) { m_crSkin[1] = clr; }
    void SetFixedColumnColor(COLORREF clr) { m_crSkin[2] = clr; }
    COLORREF GetFixedColumnSelColor() const { return m_crSkin[3]; }
    void SetFixedColumnSelColor(COLORREF clr) { m_crSkin[3] = clr; }
    BOOL GetDrawTopLeftMost() const { return m_bDrawTopLeftMost; }
    void SetDrawTopLeftMost(BOOL b) { m_bDrawTopLeftMost = b; }
    // The workbook-export flags (16-bit), kept for the export.
    short GetSaveExcelFlags() const { return m_nSaveExcelFlags; }
    void SetSaveExcelFlags(short nFlags) { m_nSaveExcelFlags = nFlags; }
    // Draws the range's cells, as the grid paints them, into an off-screen
    // picture of the range's size (lines of size 0 skipped, each merged block
    // once through its owner, over the block's whole rectangle) filled with
    // the normal default cell's back colour, then copies it into rcTarget of
    // pDC: stretched to the rectangle with bStretch, else from its top-left
    // corner and cut to the rectangle. FALSE for no DC or an invalid range.
    BOOL DrawToBmp(CDC* pDC, const RECT& rcTarget, const CGridCellRange& range, BOOL bStretch);
    // The focus cell as the picture a drag shows (GridCtrlDragImage.cpp): a
    // new list of one masked image of the cell's size, painted by the cell
    // itself, with the normal default cell's back colour as the mask; the
    // cell's width and height go to *pSize. NULL without a device context of
    // the grid's window or without a focus cell. The caller owns the list.
    virtual CImageList* CreateDragImage(CSize* pSize);
    // Makes the folder of szPath (the text before its last separator) when a
    // search for the folder's entries finds nothing: 0 when it finds some
    // (nothing is made), otherwise whether that one folder level was made.
    BOOL EnsureFolder(LPCTSTR szPath);

    // ======================================================================
    // Cell access (GridCtrlCellAccess.cpp and its neighbours in the index)
    // ======================================================================
    // The setters share one rule unless their comment says otherwise: FALSE
    // in virtual mode and without a cell; after the change a merged cell is
    // copied over its block (CopyCellToRange); TRUE. They do not redraw.
    // Getters answer the cell's value, or the value named for "no cell".
    //
    // Text and number: also mark the cell and the grid modified and
    // recalculate the formulas that read the cell.
    BOOL SetCellText(int nRow, int nCol, LPCTSTR szText);
    BOOL SetCellValue(int nRow, int nCol, double dValue);
    CString GetCellText(int nRow, int nCol);              // "" without a cell
    double GetCellValue(int nRow, int nCol);              // 0.0 without a cell
    // Item data: marks the cell modified; no block copy.
    BOOL SetCellItemData(int nRow, int nCol, int nData);
    // Image index 0..0xFFFE: the cell becomes an image cell first; FALSE (and
    // nothing marked) when it cannot. Marks the cell modified; no block copy.
    BOOL SetCellImage(int nRow, int nCol, int nImage);
    // The state word; the selection map follows bit 0x02 of every cell written
    // (all cells of a merged block, one by one).
    BOOL SetCellState(int nRow, int nCol, UINT nState);
    UINT GetCellState(int nRow, int nCol);                // 0 without a cell
    BOOL SetCellAlign(int nRow, int nCol, UINT nFormat);
    UINT GetCellAlign(int nRow, int nCol);                // 0 without a cell
    BOOL SetCellBackColor(int nRow, int nCol, COLORREF clr);
    BOOL SetCellTextColor(int nRow, int nCol, COLORREF clr);
    COLORREF GetCellBackColor(int nRow, int nCol);        // effective colour; 0 without a cell
    COLORREF GetCellTextColor(int nRow, int nCol);
    // The cell's font; without a cell the font of the default cell of the
    // address's area.
    const LOGFONT* GetCellFont(int nRow, int nCol);
    CSize GetCellTextExtent(int nRow, int nCol, LPCTSTR szText);   // (0, 0) without a cell
    BOOL SetCellTipText(int nRow, int nCol, LPCTSTR szTip);
    CString GetCellTipText(int nRow, int nCol);
    BOOL SetCellDisplayTip(int nRow, int nCol, BOOL bDisplay);
    BOOL SetCellMemo(int nRow, int nCol, LPCTSTR szMemo);   // no block copy
    CString GetCellMemo(int nRow, int nCol);
    BOOL SetCellReadOnly(int nRow, int nCol, BOOL bReadOnly);
    // The cell's read-only bit, or the grid not editable; FALSE in virtual mode.
    BOOL IsCellReadOnly(int nRow, int nCol);
    BOOL SetCellDisplayEllipsis(int nRow, int nCol, BOOL bEllipsis);
    // Hiding a cell also makes it read-only and switches its tip off;
    // showing it undoes both.
    BOOL SetCellHide(int nRow, int nCol, BOOL bHide);
    BOOL IsCellHide(int nRow, int nCol);
    BOOL SetCellSelBackColor(int nRow, int nCol, COLORREF clr);
    BOOL SetCellInputType(int nRow, int nCol, int nType);  // FALSE unless 0 or 1
    BOOL SetCellInputLimit(int nRow, int nCol, BOOL bLimit, double dMin, double dMax);
    // The limit flag with the limits; FALSE in virtual mode or without a cell.
    BOOL GetCellInputLimit(int nRow, int nCol, double& dMin, double& dMax);
    BOOL SetCellTextWrap(int nRow, int nCol, BOOL bWrap);  // no virtual-mode test
    BOOL IsCellTextWrap(int nRow, int nCol);
    // The data-type number (not 0: a number); -1 without a cell. The setter
    // has no virtual-mode test and no block copy.
    int GetCellDataType(int nRow, int nCol);
    BOOL SetCellDataType(int nRow, int nCol, int nType);
    // Colours of a whole row (column) outside the fixed columns (rows), then
    // a refresh; FALSE outside the grid.
    BOOL SetRowTextColor(int nRow, COLORREF clr);
    BOOL SetRowBackColor(int nRow, COLORREF clr);
    BOOL SetColumnTextColor(int nCol, COLORREF clr);
    BOOL SetColumnBackColor(int nCol, COLORREF clr);
    // Grid lines drawn: 0 none, 1 horizontal, 2 vertical, 3 both; then Refresh.
    void SetVirtualLineShowStyle(int nStyle);
    // The nIndex-th selected cell, rows in order and columns in order within
    // a row; (-1, -1) outside 0..count-1.
    void GetSelectedCell(CGridCellPos& cell, int nIndex);

    // Font and format elements ("font" and "format" attribute texts). The
    // property setters answer -1 in virtual mode or without a cell, else the
    // attribute setter's answer (see CXmlElement::SetAttribute); the deleters
    // copy nothing over a block; getters give "" in virtual mode or without a cell.
    BOOL SetCellTextFont(int nRow, int nCol, LPCTSTR szFontXml);
    CString GetCellTextFont(int nRow, int nCol);
    short SetCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue);
    BOOL DelCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey);
    CString GetCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey);
    BOOL SetCellTextFormat(int nRow, int nCol, LPCTSTR szFormatXml);
    CString GetCellTextFormat(int nRow, int nCol);
    short SetCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue);
    BOOL DelCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey);
    CString GetCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey);

    // Borders: mask bits 1 left, 2 top, 4 right, 8 bottom (0x10..0x80 the
    // inner lines). The facing sides of the neighbouring cells that are valid
    // and not fixed follow, along a block's whole outline for a merged cell.
    // 0 for a mask <= 0, without a cell or when the cell refuses.
    BOOL SetCellBorder(int nRow, int nCol, int nMask, int nLineStyle, COLORREF clr, int nWidth);
    BOOL DeleteCellBorder(int nRow, int nCol, int nMask);
    int GetCellBorderFlags(int nRow, int nCol);
    BOOL GetCellBorder(int nRow, int nCol, UINT nBit, int* pnLineStyle, COLORREF* pclr, int* pnWidth);

    // A cell name such as "B12" (letters in either case) to a position inside
    // the grid; FALSE with (-1, -1) otherwise.
    BOOL GetCellFromId(LPCTSTR szName, int& nRow, int& nCol);
    // The cell whose id (cell-id table) is exactly the text; FALSE with (-1, -1).
    BOOL FindCellById(LPCTSTR szId, int& nRow, int& nCol);

    // ======================================================================
    // Cell types and control texts (GridCtrlCellType.cpp)
    // ======================================================================
    // "=..." sets a formula (its result answered); otherwise the value of the
    // "controltype" attribute, equal to one of the type words, chooses the
    // type and the text becomes the cell's control text (the cell's answer).
    BOOL SetCellControl(int nRow, int nCol, LPCTSTR szControl);
    CString GetCellControl(int nRow, int nCol);
    // The cell's own answers; FALSE ("") in virtual mode or without a cell; no block copy.
    BOOL SetCellControlProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue);
    CString GetCellControlProperty(int nRow, int nCol, LPCTSTR szKey);
    BOOL DelCellControlProperty(int nRow, int nCol, LPCTSTR szKey);
    // What a new cell of another class takes over from the cell it replaces
    // beyond CopyFrom: id, tip, memo, font and format texts, ellipsis and tip
    // flags, selection colour, input type and limits.
    static void CarrySettingsAcross(CGridCellBase* pNew, CGridCellBase* pOld);

    // ======================================================================
    // Formulas (GridCtrlFormula*.cpp)
    // ======================================================================
    // A formula cell (CGridCellFormula, type 11) keeps its formula compiled
    // and shows its last value. The grid keeps an index of its formula cells
    // and what each reads: a change recalculates the formulas that read the
    // changed cell, each once, after the formulas it reads itself, in an
    // explicit dependency order (no recursion along a chain). A cycle of
    // references (only stored forms can hold one) is never followed round:
    // its cells show "#公式错误!" and the formula-error text names one of them.
    //
    // SetCellFormula (declared with the editing operations above; TRUE when
    // TrySetCellFormula answers GFS_SET): FALSE, nothing changed, unless the
    // text starts with "="; FALSE without a cell
    // or in virtual mode. The cell becomes a formula cell and the rest of the
    // text is compiled for its position; a failed compile leaves a formula
    // cell showing "#公式错误!" and answers FALSE (the engine's last error
    // says why). A formula that reads its own cell through other formulas is
    // refused: the cell is put back exactly as it was (class, text, formula),
    // an open edit is ended, a message box (no owner, caption "公式错误",
    // MB_ICONQUESTION) shows the formula-error text naming the cell through
    // which the cycle closes, and FALSE is answered. Otherwise the cell is
    // registered (once, however often it is set) and, unless calculation is
    // suspended, evaluated, redrawn and its dependants recalculated; TRUE.
    //
    GridFormulaSetResult TrySetCellFormula(int nRow, int nCol, LPCTSTR szFormula);
    // "=" and the formula text of a formula cell; "" for any other.
    CString GetCellFormula(int nRow, int nCol);
    // The same with every reference in letters and digits (workbook export).
    CString GetCellFormulaForExport(int nRow, int nCol);
    // Recalculates the formula cells that read the cell, directly or through
    // other formulas, each once in dependency order, and then invalidates the
    // window; TRUE when any was. Nothing while calculation is suspended.
    BOOL RecalcDependents(const CGridCellPos& cell);
    // Brings the formulas the cell reads up to date (each once), then the
    // cell; FALSE unless it is a formula cell.
    BOOL CalcCell(int nRow, int nCol);
    // Recalculates every registered formula cell once, in dependency order;
    // answers how many, and invalidates the window when any.
    int CalcAll();
    // While suspended (the data binding fills the grid), setting a formula
    // compiles it without evaluating it and changes recalculate nothing;
    // CalcAll brings everything up to date. A committed edit clears it.
    void SetFormulaCalcSuspended(BOOL bSuspend) { m_input.bFormulaCalcSuspended = bSuspend; }
    BOOL IsFormulaCalcSuspended() const { return m_input.bFormulaCalcSuspended; }
    // The text of the last cycle found ("循环引用发生在引用%s%d单元格!").
    CString GetFormulaErrorText() const { return m_strFormulaError; }

    // The engine's services for the cells (an empty text or a NULL list
    // compiles to FALSE; NULL lists render and evaluate to "").
    BOOL CompileFormula(int nRow, int nCol, LPCTSTR szText, CFormulaTokenList* pList);
    CString GetFormulaText(const CFormulaTokenList* pList);
    CString GetFormulaExportText(const CFormulaTokenList* pList);
    CString EvaluateFormula(const CFormulaTokenList* pList);
    // The engine's last compile or evaluation message.
    CString GetFormulaLastError() const { return m_FormulaEngine.GetErrorText(); }
    // User functions and constants (the engine's rules and answers).
    BOOL AddUserFunction(LPCTSTR szName, short nCategory);
    BOOL AddUserConstant(LPCTSTR szName, double dValue);
    BOOL GetUserFunction(int nIndex, CString* pstrName, short* pnCategory) const;
    BOOL GetSystemFunction(int nIndex, CString* pstrName, short* pnCategory) const;
    BOOL GetUserConstant(int nIndex, CString* pstrName, double* pdValue) const;
    BOOL GetSystemConstant(int nIndex, CString* pstrName, double* pdValue) const;

    // The formula-cell list: the registered formula cells in the order they
    // were registered, each once. Readers of templates and clipboard streams
    // register what they load (AddFormulaCell: nothing unless the position
    // holds a formula cell; again for the same cell records it anew); a
    // template reader empties the list first.
    void AddFormulaCell(int nRow, int nCol);
    void RemoveAllFormulaCells();
    std::vector<CGridCellPos> GetFormulaCells();
    // Called by a formula cell that has been placed or whose formula changed.
    void NoteFormulaCell(const CGridCellFormula* pCell, int nRow, int nCol);

    // References follow the rows and columns (see FormulaReferences.h). The
    // line operations call these just before the lines move: nCount lines
    // about to be inserted at nAt, or lines nAt .. nAt + nCount - 1 about to
    // be deleted. Values are not recalculated.
    void ShiftFormulaRows(int nAt, int nCount, BOOL bInsert);
    void ShiftFormulaColumns(int nAt, int nCount, BOOL bInsert);
    // A line about to move from nFrom to nTo (its index once moved): every
    // reference to it follows it. Call before the move, and move the cells
    // with the shifts held.
    void MoveFormulaRow(int nFrom, int nTo);
    void MoveFormulaColumn(int nFrom, int nTo);
    // Rows nFirst .. nFirst + n - 1 about to be reordered (sorted): the row at
    // nFirst + i goes to nFirst + newPos[i]; references follow their rows
    // (CFormulaLineOrder). Call before the rows move; RecalcAfterFormulaShift
    // once they have.
    void ReorderFormulaRows(int nFirst, const std::vector<int>& newPos);
    // While held (counted), the line operations leave the references alone:
    // for operations built of others that have shifted them once already.
    // The last release recalculates as RecalcAfterFormulaShift does.
    void HoldFormulaShifts(BOOL bHold);
    // Once the lines have moved: recalculates the formulas whose references
    // lost lines (a deleted reference now shows "#引用无效!", a range that
    // shrank sums fewer cells) and their readers, or every formula after a
    // move. Nothing while the shifts are held.
    void RecalcAfterFormulaShift();

    // ======================================================================
    // Hidden rows and columns (GridCtrlHide.cpp)
    // ======================================================================
    // Hiding records the line's size and makes it 0; hiding a hidden line
    // keeps the size the first hide recorded. Showing gives the recorded
    // size back. FALSE outside the grid. Neither redraws.
    BOOL SetColumnHide(int nCol, BOOL bHide);
    BOOL SetRowHide(int nRow, BOOL bHide);
    // The index of the line's entry in its hidden list and a copy of it; -1
    // when it has none or pEntry is NULL.
    int FindHiddenColumn(int nCol, GridHiddenLine* pEntry) const;
    int FindHiddenRow(int nRow, GridHiddenLine* pEntry) const;
    // Listed as hidden and still of size 0 (or no longer inside the grid).
    BOOL IsColumnHide(int nCol) const;
    BOOL IsRowHide(int nRow) const;

    // ======================================================================
    // Fitting sizes to the cells (GridCtrlAutoSize.cpp)
    // ======================================================================
    // See AutoSizeColumn/AutoSizeRow above. Measuring works with or without a
    // window (a memory context compatible with the screen stands in).
    // nAutoSizeStyle 0: the grid's own setting.
    void AutoSizeColumns(UINT nAutoSizeStyle = 0);
    void AutoSizeRows();
    void AutoSize();
    UINT GetAutoSizeStyle() const { return static_cast<UINT>(m_nAutoSizeStyle); }
    void SetAutoSizeStyle(UINT nStyle) { m_nAutoSizeStyle = static_cast<int>(nStyle); }
    // The font cache of the measuring pass that runs, or NULL; the pass
    // (CGridMeasurePass, GridMeasureFonts.h) installs and removes it.
    CGridMeasureFonts* GetMeasureFonts() const { return m_pMeasureFonts; }
    void SetMeasureFonts(CGridMeasureFonts* pFonts) { m_pMeasureFonts = pFonts; }

    // ======================================================================
    // Fixed lines and small conversions (GridCtrlFixedLines.cpp)
    // ======================================================================
    // The first count data columns become the fixed columns, the old fixed
    // columns going; FALSE when count + fixed columns reaches the column
    // count or there are no rows.
    BOOL ColumnsToFixed(int nCount);
    // One header row (column) holding the column letters (row numbers).
    BOOL ResetFixedRows();
    BOOL ResetFixedColumns();
    CString GetVersionText() const { return m_strVersion; }
    // The letters of a column ("A" for 1); "" for 0 or outside the grid.
    CString ColumnIdToMark(int nCol) const;
    // A workbook border weight for a line width: 2, 3 -> 2; 4 -> 3; 5 -> 4; else 0.
    static int BorderWidthToExcelWeight(int nWidth);
    // The range moved by (to - from) when both cells and the range are valid;
    // else the range unchanged.
    void OffsetRange(CGridCellRange& result, const CGridCellPos& from, const CGridCellPos& to,
                     const CGridCellRange& range);

    // ======================================================================
    // Text conversions (GridCtrlTextConv.cpp, GridCtrlCsvText.cpp)
    // ======================================================================
    // The cell's text as shown (its format applied); "" outside the grid or
    // without a cell.
    CString GetCellDisplayText(int nRow, int nCol);
    // Every row, every column, fixed ones included, separated by chSeparator
    // and ended by "\n". A field holding the separator, a quote, CR or LF is
    // quoted with its quotes doubled; a number is the shortest text that reads
    // back as the same value; a position without a cell is an empty field.
    CString SaveCSVString(char chSeparator = ',');
    // The pattern of a date or time text: its digit runs replaced in turn by
    // "y", "M", "d", "h", "m", "s" repeated to the run's length (later runs
    // dropped), the other characters kept; "@" when it is no date or time.
    static CString DateTextToFormat(LPCTSTR szText);

    // ======================================================================
    // Data sources (GridCtrlDataSources.cpp)
    // ======================================================================
    // FALSE when a text is empty or the connection (data set) is not defined.
    BOOL SetConnectionString(LPCTSTR szConnection, LPCTSTR szText);
    BOOL SetDataSetSql(LPCTSTR szConnection, LPCTSTR szDataSet, LPCTSTR szSql);
    // Opens the connections (with their data sets) marked for opening
    // automatically and fills the binds marked so: -1 when no connection
    // opened, else 1 when a bind was filled, 0 when none was.
    short FillData();
    // A copy of the field the bind binds to the cell; FALSE for an empty
    // name, a cell outside the grid, an unknown bind or no field at the cell.
    BOOL GetBindField(LPCTSTR szBind, int nRow, int nCol, CBindFieldInfo& field);
    // The data set of that connection; NULL when a name is empty or unknown.
    CDataSetDef* GetDataSet(LPCTSTR szConnection, LPCTSTR szDataSet);

    // The position forms of the cell queries.
    BOOL IsCellEditable(const CGridCellPos& cell) { return IsCellEditable(cell.row, cell.col); }
    BOOL IsCellSelected(const CGridCellPos& cell) { return IsCellSelected(cell.row, cell.col); }
    BOOL IsCellValid(const CGridCellPos* pCell) const { return pCell != nullptr && IsValid(pCell->row, pCell->col); }
    int GetCellType(const CGridCellPos& cell) { return GetCellType(cell.row, cell.col); }

    // ======================================================================
    // Rows, columns and ranges in bulk (GridCtrlInsertDelete.cpp,
    // GridCtrlRangeOps.cpp); what follows moved lines (GridCtrlLineFollowers.cpp)
    // ======================================================================
    // Inserts nCount empty rows before nRow, or after it with bAfter; nRow -1
    // or at or after the end appends them. The row headers are renumbered,
    // and merged blocks, cell ids, hidden rows, format rows, formula
    // references, tree columns and bindings follow. FALSE for nCount < 1, a
    // negative nRow other than -1, new rows that would lie inside the fixed
    // rows, or when memory runs out (nothing is inserted then).
    BOOL InsertRows(int nRow, int nCount, BOOL bAfter = FALSE);
    // The column twin; also FALSE for column 0. New columns have the normal
    // default cell's width.
    BOOL InsertColumns(int nCol, int nCount, BOOL bRight = FALSE);
    // Replaces every cell of the range by a fresh cell that keeps the old
    // one's state bits but read-only, its id and nothing else; header cells
    // get their row numbers or column letters back. Merged blocks with a cell
    // in the range are dissolved first. Answers the cells cleared (0 for an
    // invalid range and in virtual mode).
    int ClearRange(const CGridCellRange& range);
    int ClearAllData();
    // The range's size in pixels less one per line: the widths (heights) of
    // its columns (rows) minus one each; hidden lines count nothing. (0, 0)
    // for an invalid range.
    void GetRangeSize(CSize& size, const CGridCellRange& range);
    // The range as tab-separated text (see GridClipText.cpp); answers its
    // length counting one terminating NUL, 0 for an invalid range.
    int GetRangeText(const CGridCellRange& range, CString& strText);

    // ======================================================================
    // Clipboard data (GridClipStream.cpp, GridClipText.cpp): the two forms a
    // copied range takes, written and pasted here; the clipboard and drag
    // and drop themselves are the edit commands' business.
    // ======================================================================
    // The sizes a written stream carries: 0 none, 1 row heights, 2 column
    // widths, 3 both.
    int GetClipSizeOption() const { return m_nClipSizeOption; }
    void SetClipSizeOption(int nOption) { m_nClipSizeOption = nOption; }
    // The paste flags (the paste mode): 0 text and the private stream, 1 text
    // only, 2 the stream only; a stream pasted with 2 brings formats without
    // their texts.
    short GetPasteFlags() const { return static_cast<short>(m_nPasteMode); }
    void SetPasteFlags(short nFlags) { m_nPasteMode = nFlags; }
    // The private stream of the range's existing non-fixed cells (see
    // GridClipStream.h); its length, 0 (bytes empty) for an invalid range.
    int WriteClipRecords(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, std::vector<BYTE>& bytes);
    // Pastes a private stream with its first cell at (nRow, nCol). The
    // stream is read whole before any cell changes: a truncated or malformed
    // one pastes nothing. Cells that land outside the grid are skipped.
    // Answers the range pasted, (-1, -1, -1, -1) when nothing was.
    CGridCellRange PasteClipRecords(int nRow, int nCol, const BYTE* pBytes, UINT nLength);
    // Pastes tab-separated text with its first field at (nRow, nCol): lines
    // at "\n" (one trailing line break ignored), fields at tabs, each trimmed
    // and stored through PasteTextToCell where it lands on a cell. Answers
    // the target up to the last row and column written (-1 when none).
    CGridCellRange PasteTextAtCell(int nRow, int nCol, LPCTSTR szText);
    // Stores one pasted field: the cell's text as SetCellText sets it; a
    // read-only cell keeps its own. FALSE when nothing was stored.
    virtual BOOL PasteTextToCell(int nRow, int nCol, LPCTSTR szText);
    // Sets, on (nRow, nCol), each border block of the source cell's border
    // mask (and the facing sides of its neighbours).
    void CopyCellBorders(int nRow, int nCol, CGridCellBase* pSource);
    // A formula cell was pasted at the position (the formula services keep
    // their list of formula cells; nothing until they do).
    virtual void OnFormulaCellPasted(int nRow, int nCol);

    // ======================================================================
    // CSV files (GridCsvFile.cpp; the byte form in GridCsvFile.h)
    // ======================================================================
    // The bytes of the file: the fields of SaveCSVString, rows ended by CR LF.
    std::string GetCSVFileBytes(char chSeparator = ',');
    // Writes them to a temporary file beside szPath, which then replaces the
    // file. FALSE after a message box when the file cannot be made ("Unable
    // to open the file ...") or written ("Unable to save grid list"); an
    // existing file then stays as it was.
    BOOL SaveCSVFile(LPCTSTR szPath, char chSeparator = ',');
    // Reads the whole file, then lays its fields out from cell (1, 1) on in a
    // sheet cut to its top-left cell, grown to fit, columns auto-sized by the
    // grid's own setting. FALSE in virtual mode, and after a message box when
    // the file does not open or cannot be read ("Unable to load grid data"),
    // the sheet then unchanged.
    BOOL LoadCSVFile(LPCTSTR szPath, char chSeparator = ',');

    // ======================================================================
    // Settings the row and column members keep in the grid
    // ======================================================================
    // The row- and column-reference flags (16-bit settings the grid stores).
    short GetRowRefFlags() const { return m_nRowRefFlags; }
    void SetRowRefFlags(short nFlags) { m_nRowRefFlags = nFlags; }
    short GetColumnRefFlags() const { return m_nColRefFlags; }
    void SetColumnRefFlags(short nFlags) { m_nColRefFlags = nFlags; }
    // The size under the pointer while a column (row) divider is dragged:
    // what the host reads while it judges the resize.
    int GetTrackedColumnWidth() const { return m_input.nTrackNewWidth; }
    int GetTrackedRowHeight() const { return m_input.nTrackNewHeight; }

    // ======================================================================
    // Moving a column or row (GridCtrlMoveLines.cpp)
    // ======================================================================
    // Moves the line right after the target line (a column dragged onto
    // column 2 lands at 3; column 2 dragged onto 5 lands at 5 once the source
    // is gone): class, content, format, settings, id and size go with it.
    // FALSE for fixed or missing lines, equal indexes, virtual mode, or when
    // the move would carry part of a merged block or open the new line inside
    // one (nothing changes then).
    BOOL MoveColumn(int nFrom, int nTo);
    BOOL MoveRow(int nFrom, int nTo);
    // The drag feedback of a header drag: the line tinted in place, its
    // picture (taken at the first paint of the drag) blended at the pointer's
    // offset, and the arrow marking the drop target, which target receives.
    void DrawColumnDragImage(CDC* pDC, int nCol, CGridCellPos& target, CSize offset);
    void DrawRowDragImage(CDC* pDC, int nRow, CGridCellPos& target, CSize offset);
    // The colour of the insertion arrow.
    static constexpr COLORREF kMoveMarkerColour = 0x3695FF;
    // Whether a drag of a column (row) header moves its line (off at first).
    BOOL GetMoveColumnsByHeader() const { return m_bMoveColumnsByHeader; }
    void SetMoveColumnsByHeader(BOOL bMove) { m_bMoveColumnsByHeader = bMove; }
    BOOL GetMoveRowsByHeader() const { return m_bMoveRowsByHeader; }
    void SetMoveRowsByHeader(BOOL bMove) { m_bMoveRowsByHeader = bMove; }

    // Followers of inserted and deleted lines that other parts of the grid
    // fill in (formula references follow inside the insert and delete
    // blocks themselves). nCount > 0: nCount lines were inserted at nFirst (lines from
    // nFirst on moved by nCount; called once the new lines are in place);
    // nCount < 0: -nCount lines from nFirst are about to be deleted (called
    // before they go).
    virtual void ShiftBindingRows(int nFirst, int nCount);
    virtual void ShiftBindingColumns(int nFirst, int nCount);
    // A moved line: the references to line nFrom now name line nTo (called
    // once the copy is in place at nTo, before line nFrom is deleted).
    virtual void RetargetFormulaRow(int nFrom, int nTo);
    virtual void RetargetFormulaColumn(int nFrom, int nTo);

protected:
    // --- message handlers: window, painting, scrolling ----------------------
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDestroy() override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnSysColorChange() override;
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The context-menu command of an identifier 20000..30000 (message 1074).
    virtual void OnContextMenuCommand(UINT nID);

    // --- message handlers: input (GridCtrlKeyboard/Mouse/Editing.cpp) --------
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // --- painting helpers -----------------------------------------------------
    // One band of rows by one band of columns ([first, last] each; an empty
    // band when last < first), starting at the band's pixel origin.
    void DrawRegion(CDC* pDC, const CRect& rcClip, int nFirstRow, int nLastRow, int nTop, int nFirstCol,
                    int nLastCol, int nLeft);
    void DrawFreezeLines(CDC* pDC, const CRect& rcDraw);
    void DrawFrozenGridLines(CDC* pDC, const CRect& rcDraw);
    void DrawSelectionFrame(CDC* pDC);
    void DrawDropRect(CDC* pDC);
    void SendCacheHint(const CGridCellRange& range);
    void DeselectCurrentMap();
    // Redraws the fixed cells of a row (the row header) or a column.
    void RedrawFixedCellsOfRow(int nRow);
    void RedrawFixedCellsOfColumn(int nCol);
    // --- layout helpers -------------------------------------------------------
    void GetLayoutClientRect(LPRECT pRect) const;
    int ColumnOriginX(int nCol);
    int RowOriginY(int nRow);
    void CreateScrollBarWindows();
    // Destroys the skinned scroll-bar windows and their objects.
    void DestroyScrollBarWindows();
    void PlaceScrollBars();
    void SetScrollInfoOfBar(int nBar, const SCROLLINFO& info);
    int GetScrollPage(int nBar);
    void ScrollBy(int nBar, UINT nSBCode);

    typedef std::vector<std::unique_ptr<CGridCellBase>> GridRow;

    // --- structural helpers -------------------------------------------------
    // Every structural change starts by taking the focus and selection marks
    // off the cells (positions are about to move) and answers the focus to
    // restore; it ends here: the top-left cache invalidated, the
    // scroll bars recomputed, the grid marked modified, the saved focus
    // restored and selected by the selection kind, the grid refreshed.
    CGridCellPos BeginStructuralChange();
    // Every change that moves or removes rows or columns first ends an open
    // edit (committing it) and counts itself, so a commit that is judged
    // while the host restructures the grid notices its cell may be gone.
    void EndEditBeforeStructuralChange();
    void FinishStructuralChange(const CGridCellPos& savedFocus);
    void SelectFocusByKind();
    void SelectCell(int nRow, int nCol, BOOL bSelect);
    void InitDefaultCells();
    void ShrinkMerges(BOOL bRows, int nFirst, int nCount);
    void ShiftMerges(BOOL bRows, int nPos, int nCount);
    void RebuildMergeOwners();
    void RunOwnedServicesInit();
    // A new cell for an inserted position, from a neighbour (or NULL).
    CGridCellBase* MakeInsertedCell(int nRow, int nCol, CGridCellBase* pSource);
    // The bodies of InsertRow/InsertColumn and InsertRows/InsertColumns:
    // nCount lines at index nNew (the count when appending), each headed by
    // szHeading. The new index, or -1 when memory runs out (nothing changed).
    // nWidth >= 0 gives every new column that width.
    int InsertRowBlock(int nNew, int nCount, LPCTSTR szHeading);
    int InsertColumnBlock(int nNew, int nCount, LPCTSTR szHeading, int nWidth = -1);
    // The bodies of DeleteRows/DeleteColumns: nCount lines from nFirst, all
    // inside the grid, in one step.
    void DeleteRowBlock(int nFirst, int nCount);
    void DeleteColumnBlock(int nFirst, int nCount);
    // Merged blocks after nCount rows (bRows) or columns were inserted at
    // nFirst: blocks from nFirst on move, blocks across nFirst grow over the
    // new lines. Before nCount lines from nFirst are deleted: blocks are cut
    // back to the lines that stay (a block left with one cell is no block).
    // Each walks the cells once and rebuilds the owner list in that walk.
    void MergesFollowInsertion(BOOL bRows, int nFirst, int nCount);
    // The stable order of a row sort over nLow..nHigh: for each row of the
    // range (by position) the position it goes to.
    std::vector<int> SortOrder(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM lParamSort, int nLow,
                               int nHigh);
    // Whether every tree can follow the rows from nLow reordered by
    // newPosOf; with bApply the trees follow (asked first without).
    BOOL TreesFollowSort(int nLow, const std::vector<int>& newPosOf, BOOL bApply);
    void MergesFollowDeletion(BOOL bRows, int nFirst, int nCount);
    // Moving lines (GridCtrlMoveLines.cpp): the refusal test, what follows
    // the moved line by its index, and the drag feedback of the paint pass.
    BOOL LineMoveCutsABlock(BOOL bRows, int nSource, int nTarget);
    void MoveLineFollowers(BOOL bRows, int nSource, int nTarget);
    void DrawMoveDragFeedback(CDC* pDC);
    BOOL DrawLineDragImage(CDC* pDC, BOOL bRows, int nSource, CGridCellPos& target, CSize offset);
    void ReleaseMoveDragImage();
    void ShiftCellIdRows(int nRow, int nDelta);
    void ShiftCellIdCols(int nCol, int nDelta);
    // The sort-type list after nCount columns were inserted at nFirst (nCount
    // > 0) or deleted from nFirst (nCount < 0), and after a column moved.
    void ShiftColumnSortTypes(int nFirst, int nCount);
    void MoveColumnSortType(int nSource, int nTarget);
    // Drops the names of cells outside nRows x nCols (cut by a lower count).
    void RemoveCellIdsOutside(int nRows, int nCols);
    void AdjustFormatRows(int nPos, int nCount);
    void AdjustFormatColumns(int nPos, int nCount);
    // CreateCell for a line being grown; throws std::bad_alloc when no cell
    // can be made, so that the growing is undone as a whole.
    CGridCellBase* NewCellOrThrow(int nRow, int nCol);
    void ApplyFixedRowState(int nOldFixed, int nNewFixed);
    void ApplyFixedColumnState(int nOldFixed, int nNewFixed);
    // Header-font slot helpers.
    void SetHeaderFooterFont(HeaderFooterSet& set, int nSlot, LPCTSTR szFont);
    CString GetHeaderFooterFont(const HeaderFooterSet& set, int nSlot) const;

    // --- storage --------------------------------------------------------------
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    int m_nFreezeTopRows = 0;
    int m_nFreezeBottomRows = 0;
    int m_nFreezeLeftCols = 0;
    int m_nFreezeRightCols = 0;
    // Heights and widths with the running sums the layout answers from.
    CGridPositionIndex m_arRowHeights;
    CGridPositionIndex m_arColWidths;
    std::vector<GridRow> m_RowData;
    BOOL m_bVirtualMode = FALSE;
    GRIDCALLBACK m_pfnCallback = nullptr;
    LPARAM m_lParamCallback = 0;

    CGridDefaultCell m_cellDefault;           // normal
    CGridDefaultCell m_cellFixedColDef;       // a non-fixed row in a fixed column
    CGridDefaultCell m_cellFixedRowDef;       // a fixed row in a non-fixed column
    CGridDefaultCell m_cellFixedRowColDef;    // fixed row and fixed column
    const CRuntimeClass* m_pRtcDefault;

    std::vector<GridCellIdEntry> m_arCellIds;
    std::vector<GridColumnSortType> m_arColumnSortTypes;
    std::vector<int> m_arFormatRows;
    std::vector<int> m_arFormatCols;
    CGridMergeOwnerList m_arMergeOwners;
    short m_nRowInsertFormatMode = GIF_PLAIN;
    short m_nColInsertFormatMode = GIF_PLAIN;
    int m_nSortColumn = -1;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bRowOddColour = FALSE;
    COLORREF m_crRowOdd = 0;
    BOOL m_bRowEvenColour = FALSE;
    COLORREF m_crRowEven = 0;
    BOOL m_bModified = FALSE;
    unsigned m_nStructureChanges = 0;         // see EndEditBeforeStructuralChange

    // --- focus and selection ------------------------------------------------------
    CGridCellPos m_idCurrentCell;             // focus cell
    CGridCellPos m_idSelectionAnchor;
    CGridCellPos m_idDropTargetCell;
    CGridCellPos m_idTopLeftCell;             // cached; (-1, -1) when stale
    // Selected cells keyed by the full row and column.
    CGridSelectionMap m_SelectedCellMap;
    int m_nSelectionKind = GSK_CELLS;

    // --- options (with the defaults a new grid has) ---------------------------------
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    int m_nGridLineMode = 3;
    BOOL m_bDrawFreezeLine = TRUE;
    BOOL m_bDrawFreezeGridLines = TRUE;
    int m_nSelFrameThickness = 3;
    BOOL m_bPrintGridLines = FALSE;
    COLORREF m_crSelFrame = 0;
    int m_nSkinStyle = 1;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleBand = FALSE;
    BOOL m_bKeepSelection = FALSE;
    int m_nSelectionStyle = 1;
    BOOL m_bTrackFocusHeaders = TRUE;
    BOOL m_bHandleTab = TRUE;
    int m_nEnterDirection = 0;
    BOOL m_bAllowDragAndDrop = TRUE;
    BOOL m_bAllowCopy = TRUE;
    BOOL m_bAllowCut = TRUE;
    BOOL m_bAllowPaste = TRUE;
    int m_nPasteMode = 0;
    BOOL m_bColumnSelectByHeader = TRUE;
    BOOL m_bRowSelectByHeader = TRUE;
    BOOL m_bHeaderSort = FALSE;
    BOOL m_bMoveColumnsByHeader = FALSE;
    BOOL m_bMoveRowsByHeader = FALSE;
    BOOL m_bAutoSizeRowOnDblClick = TRUE;
    int m_nAutoSizeStyle = 3;
    CGridMeasureFonts* m_pMeasureFonts = nullptr;   // not owned
    int m_nResizeCaptureRange = 3;
    BOOL m_bDrawNumZero = FALSE;
    BOOL m_bDrawTopLeftMost = FALSE;
    short m_nSaveExcelFlags = 0;
    double m_dZoomX = 1.0;
    double m_dZoomY = 1.0;

    // --- colours -----------------------------------------------------------------------
    COLORREF m_crDefaultText;
    COLORREF m_crDefaultBack;
    COLORREF m_crFixedBack;
    COLORREF m_crShadow;
    COLORREF m_crGridLine = 0xE5D7D0;
    COLORREF m_crTitleTipBack;
    COLORREF m_crTitleTipText;
    COLORREF m_crSkin[4] = {0xCEB69E, 0x3196F7, 0xF7ECE4, 0x8CD7FF};

    // --- owned services ---------------------------------------------------------------------
    CGridDefaultSetting m_DefaultSetting;
    CBindInfoList m_BindList;
    CConnectionDefList m_ConnectionList;
    CGridPictureList m_PictureList;
    CFormulaEngine m_FormulaEngine;
    CGridPrintSettings m_PrintSettings;
    TemplateFileInfo m_FileInfo;
    TemplateGridState m_TemplateState;
    CString m_strVersion;
    int m_nPrintRanges[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    GridPrintState m_PrintState;
    std::vector<PrinterPaper> m_arPrinterPapers;
    int m_nPrintLayout[7] = {0, 0, 40, 40, 60, 60, 1};
    // The zoomed width of the fixed columns and height of the fixed rows.
    int FixedWidth() const;
    int FixedHeight() const;
    CString m_strPreviewTitle;
    BOOL m_bHideViewBar = FALSE;
    std::unique_ptr<CWnd> m_pPreview;         // the open preview frame (CKivoPreviewCtrl)
    std::unique_ptr<CWnd> m_pPreviewHost;     // the pop-up preview's host window

    // --- window, painting, layout, scrolling ------------------------------------------
    UINT m_nClipboardFormat = 0;
    // --- the edit commands' drag and drop and context menu ---------------------------------
    CGridDropTarget m_DropTarget;
    CGridCellPos m_idDragStartCell;
    CGridCellRange m_DragSourceRange;          // what this grid's drag took, while it runs
    CGridCellRange m_DragPastedRange;          // where a drop onto this grid itself pasted
    BOOL m_bDragSource = FALSE;
    CPopupMenu* m_pPopupMenu = nullptr;        // the menu being built, during ShowContextMenu
    // After a paste: the pasted range becomes the selection, or the selection is cleared.
    void ShowPastedRange(const CGridCellRange& pasted, BOOL bSelect);
    // Drag and drop (GridCtrlDragDrop.cpp): the range a drop at the cell
    // would paste, the non-fixed cell under a point, the drop-target mark,
    // and clearing a moved source.
    CGridCellRange ComputeDropRange(const CGridCellPos& target) const;
    CGridCellPos GetDropCellAt(CPoint point);
    void SetDropTargetCell(const CGridCellPos& cell);
    void ClearDragSource(const CGridCellRange& source, const CGridCellRange& pasted);
    COLORREF m_crGridBack = 0xEBC3A4;
    CGridCellRange m_DropRange;
    CRect m_rcPage = CRect(0, 0, 0, 0);
    CRect m_rcBuffer = CRect(-1, -1, -1, -1);
    CBitmap m_bmpBuffer;                       // the double buffer, kept until the size changes
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    int m_nBarState = 0;
    BOOL m_bShowContent = TRUE;
    BOOL m_bInOnSize = FALSE;
    BOOL m_bSubclassed = FALSE;
    std::unique_ptr<CWnd> m_pHScroll;          // made through the scroll-bar hooks
    std::unique_ptr<CWnd> m_pVScroll;
    SCROLLINFO m_siBar[2] = {};                   // the grid's own bars' state (0 horizontal, 1 vertical)
    int m_nProgressLow = 0;
    int m_nProgressHigh = 100;
    int m_nProgressPos = 0;
    int m_nProgressShown = 0;
    // --- skins ----------------------------------------------------------------------------
    CString m_strSkinDir;
    CGridSkinBitmaps m_SkinBitmaps;
    CGridEventLines m_EventLines;
    // --- selection ------------------------------------------------------------------------
    std::unordered_map<std::uint64_t, CGridCellPos> m_PrevSelectedCellMap;
    int m_nSelBandFirst = -1;
    int m_nSelBandLast = -1;
    int m_nLastSelectionMode = 0;
    CGridCellPos m_idLastSelected;
    // --- input -----------------------------------------------------------------------------
    CGridInputState m_input;
    std::unique_ptr<CRichTextHostBase> m_pRichTextHost;   // see GetRichTextHost
    BOOL m_bRichTextHostTried = FALSE;
    // --- clipboard data, reference flags -------------------------------------------------
    int m_nClipSizeOption = 0;
    short m_nRowRefFlags = 0;
    short m_nColRefFlags = 0;
    // --- a header drag's picture and drop target ------------------------------------------
    std::unique_ptr<GridMoveDragImage, GridMoveDragImageDeleter> m_pMoveDragImage;
    CGridCellPos m_idMoveDropTarget;
    // --- cell access, hidden lines -------------------------------------------------------
    std::vector<GridHiddenLine> m_arHiddenCols;
    std::vector<GridHiddenLine> m_arHiddenRows;
    // The selected cells in row order, rebuilt when the selection changed.
    std::vector<CGridCellPos> m_arSelectedOrder;
    std::uint64_t m_nSelectedOrderChanges = ~static_cast<std::uint64_t>(0);
    // --- tree columns (GridCtrlTrees.cpp) --------------------------------------------------
    std::vector<std::unique_ptr<CTreeColumn>> m_arTrees;
    // --- formulas (GridCtrlFormula*.cpp) -------------------------------------------------
    CGridFormulaSource m_FormulaSource{*this};   // after m_FormulaEngine, whose source it becomes
    CGridFormulaIndex m_FormulaIndex;
    CString m_strFormulaError;
    // Placements and changes the formula cells reported, not yet taken into the index.
    // A cell is kept as the address of its CGridCellBase, compared only.
    std::vector<std::pair<CGridCellPos, const void*>> m_arFormulaNotes;
    BOOL m_bFormulaRescan = FALSE;            // the index is to be built again from the cells
    BOOL m_bInFormulaPass = FALSE;            // a recalculation is running
    int m_nFormulaShiftHolds = 0;
    // The formula cell the entry names, when the entry still holds for it; a
    // stale entry is dropped (or, for a formula cell that changed unnoticed,
    // re-recorded with *pbChanged set).
    CGridCellFormula* CheckedFormulaCell(int nId, bool* pbChanged);
    // Takes the noted placements into the index; builds it again from the
    // cells when a note no longer matches its cell.
    void UpdateFormulaIndex();
    void RebuildFormulaIndex();
    int RegisterFormulaCell(int nRow, int nCol, CGridCellFormula* pCell);
    // Evaluates the formula cell at the position and shows the result. A
    // formula that calls user functions is evaluated from a copy, and the
    // result is shown only when the same cell is still there afterwards: the
    // host's handler may change the grid.
    void EvaluateFormulaCell(int nRow, int nCol);
    // Evaluates the entries in order (cycle members show the error); stops
    // when the grid changes under it. Answers how many were evaluated.
    int EvaluateFormulaOrder(const std::vector<int>& order, const std::vector<char>& cyclic);
    // The first cell through which the compiled form at (nRow, nCol) reads
    // its own cell; (-1, -1) when none.
    CGridCellPos FindCircularReference(const CFormulaTokenList& list, int nRow, int nCol);
    // Recalculates the formulas that read the cells (and, with
    // bWithFormulasThere, the formulas at those cells) and their readers.
    BOOL RecalcFormulasFrom(const std::vector<CGridCellPos>& changed, bool bWithFormulasThere);
    // Formulas whose references lost lines in the last shifts (their
    // positions once the lines are gone), and whether a move asks for all.
    std::vector<CGridCellPos> m_arFormulaLosses;
    BOOL m_bFormulaRecalcAll = FALSE;
    void ShiftFormulaLines(FormulaAxis axis, int nAt, int nCount, BOOL bInsert);
    void MoveFormulaLine(FormulaAxis axis, int nFrom, int nTo);
    // Fits one column (row) on the DC without touching the scroll bars.
    BOOL AutoSizeColumnOn(CDC* pDC, int nCol, UINT nAutoSizeStyle);
    BOOL AutoSizeRowOn(CDC* pDC, int nRow);
    // Sets one side on the neighbour when it is a valid, non-fixed cell.
    void SetFacingBorder(int nRow, int nCol, UINT nSide, int nLineStyle, COLORREF clr, int nWidth);
    void DeleteFacingBorder(int nRow, int nCol, UINT nSide);
};
