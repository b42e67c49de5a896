// Moving a column (row) to another place, as a header dragged there does:
// one new line is inserted after the target, every cell of the source line
// is copied into it (class, content, format, settings and id), the new line
// takes the source's size, and the source line is deleted. Merged blocks,
// formula references, tree columns, hidden lines and format lists follow
// through the insertion and the deletion; a block inside the moved line goes
// with it. A move that would carry part of a block or put the new line
// inside one is refused before anything changes, and so is a row move that
// would bring a cell of another kind (a formula, ...) into a tree's column.
//
// While a header is dragged the paint pass draws the feedback: the dragged
// line tinted in place, a translucent copy of it following the pointer, and
// an arrow at the insertion point.
#include "grid/GridCtrl.h"
#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <algorithm>

namespace {

const UINT kPositionBits = GCS_FOCUSED | GCS_SELECTED | GCS_DROPTARGET | GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL;

// The moved cell: a cell of the source's class with everything the source
// carries, placed at (row, col).
CGridCellBase* CopyForMove(CGridCtrl& grid, CGridCellBase* pSource, int row, int col)
{
    CObject* pObject = pSource->GetRuntimeClass()->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    CGridCellBase* pCell = static_cast<CGridCellBase*>(pObject);
    pCell->SetGrid(&grid);
    pCell->SetCoords(row, col);
    pCell->CopyFrom(pSource);
    CGridCtrl::CarrySettingsAcross(pCell, pSource);
    const CString control = pSource->GetControl();
    if (!control.IsEmpty())
        pCell->SetControl(control);
    if (pSource->IsRichTextCell())
        pCell->SetRichText(pSource->GetRichText());
    // The position's own marks come from the grid, not from the source.
    UINT state = pCell->GetState() & ~kPositionBits;
    if (row < grid.GetFixedRowCount())
        state |= GCS_FIXED | GCS_FIXEDROW;
    if (col < grid.GetFixedColumnCount())
        state |= GCS_FIXED | GCS_FIXEDCOL;
    pCell->SetState(state);
    return pCell;
}

// The cells of a moved line match the trees where they land: a tree's rows
// hold tree cells in its column (a row moved into a tree takes its place in
// it), and a tree cell carried out of every tree becomes a plain cell.
// Whether a row moved to land after nTo would enter a tree whose column
// holds a cell in the row that a tree cell cannot stand for (a formula, a
// check box, ...): it would lose its kind there.
bool MoveEntersTreeWithTypedCell(CGridCtrl& grid, int nFrom, int nTo)
{
    const int at = nTo + 1;                 // where the insertion puts the row
    for (int i = 0; i < grid.GetTreeCount(); ++i) {
        CTreeColumn* pTree = grid.GetTreeAt(i);
        if (pTree->CoversRow(nFrom) || at <= pTree->GetStartRow() || at >= pTree->GetEndRow())
            continue;
        CGridCellBase* pCell = grid.GetCell(nFrom, pTree->GetTreeColumn());
        if (pCell != nullptr && pCell->GetRuntimeClass() != RUNTIME_CLASS(CGridCell) &&
            !pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)))
            return true;
    }
    return false;
}

void MatchTreesAfterMove(CGridCtrl& grid, bool bRows, int nLine)
{
    const int across = bRows ? grid.GetColumnCount() : grid.GetRowCount();
    for (int other = 0; other < across; ++other) {
        const int row = bRows ? nLine : other;
        const int col = bRows ? other : nLine;
        CGridCellBase* pCell = grid.GetCell(row, col);
        if (pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)) &&
            grid.FindColumnControlTree(row, col) == nullptr)
            grid.SetCellType(row, col, RUNTIME_CLASS(CGridCell));
    }
    for (int i = 0; i < grid.GetTreeCount(); ++i) {
        CTreeColumn* pTree = grid.GetTreeAt(i);
        if (bRows ? pTree->CoversRow(nLine) != FALSE : pTree->GetTreeColumn() == nLine)
            pTree->Attach();
    }
}

// The 9 x 9 arrow that marks where a dragged column goes: pointing down.
bool ArrowPixel(int row, int col)
{
    static const int kHalfWidth[9] = {1, 1, 1, 1, 4, 3, 2, 1, 0};
    return col >= 4 - kHalfWidth[row] && col <= 4 + kHalfWidth[row];
}

}  // namespace

struct GridMoveDragImage {
    CBitmap bitmap;
    CDC dc;                     // holds bitmap; goes first
    HGDIOBJ hOldBitmap = nullptr;
    CPoint press;               // where the drag's button went down
    int source = -1;
    BOOL rows = FALSE;

    ~GridMoveDragImage()
    {
        if (hOldBitmap != nullptr)
            dc.SelectObject(hOldBitmap);
    }
};

void GridMoveDragImageDeleter::operator()(GridMoveDragImage* pImage) const
{
    delete pImage;
}

// --- the moves --------------------------------------------------------------------------------

BOOL CGridCtrl::LineMoveCutsABlock(BOOL bRows, int nSource, int nTarget)
{
    const int others = bRows ? m_nCols : m_nRows;
    for (int other = 0; other < others; ++other) {
        // Part of a block in the source line would be carried away.
        CGridCellBase* pCell = bRows ? GetCell(nSource, other) : GetCell(other, nSource);
        if (pCell != nullptr && pCell->IsMerged()) {
            const CGridCellRange block = pCell->GetMergeRange();
            const int first = bRows ? block.GetMinRow() : block.GetMinCol();
            const int last = bRows ? block.GetMaxRow() : block.GetMaxCol();
            if (first != nSource || last != nSource)
                return TRUE;
        }
        // The new line would open a block that reaches past the target.
        CGridCellBase* pAt = bRows ? GetCell(nTarget, other) : GetCell(other, nTarget);
        if (pAt != nullptr && pAt->IsMerged()) {
            const CGridCellRange block = pAt->GetMergeRange();
            if ((bRows ? block.GetMaxRow() : block.GetMaxCol()) > nTarget)
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CGridCtrl::MoveColumn(int nFrom, int nTo)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (m_bVirtualMode || nFrom == nTo || nFrom < m_nFixedCols || nFrom >= m_nCols || nTo < m_nFixedCols ||
        nTo >= m_nCols)
        return FALSE;
    if (LineMoveCutsABlock(FALSE, nFrom, nTo))
        return FALSE;
    // Formula references follow the move as one mapping (the moved line
    // lands at nTo when it moves down, after nTo when it moves up); the
    // insertion and deletion that carry the move out shift nothing meanwhile.
    MoveFormulaColumn(nFrom, nFrom < nTo ? nTo : nTo + 1);
    HoldFormulaShifts(TRUE);
    if (!InsertColumns(nTo, 1, TRUE)) {
        HoldFormulaShifts(FALSE);
        return FALSE;
    }
    const int source = nFrom >= nTo ? nFrom + 1 : nFrom;
    const int target = nTo + 1;
    for (int row = 0; row < m_nRows; ++row) {
        CGridCellBase* pSource = GetCell(row, source);
        if (pSource == nullptr)
            continue;
        CGridCellBase* pCell = CopyForMove(*this, pSource, row, target);
        if (pCell == nullptr)
            continue;
        // A block inside the moved column goes with it.
        if (pCell->GetMergeRange().IsValid()) {
            CGridCellRange block = pCell->GetMergeRange();
            block.SetMinCol(target);
            block.SetMaxCol(target);
            pCell->SetMergeRange(block);
            const CGridCellPos owner = pCell->GetMergeOwner();
            pCell->SetMergeOwner(owner.row, target);
        }
        if (!PutCell(row, target, pCell))
            delete pCell;
    }
    MoveLineFollowers(FALSE, source, target);
    SetColumnWidth(target, std::max(0, GetColumnWidth(source)));
    DeleteColumns(source, 1);
    HoldFormulaShifts(FALSE);
    MatchTreesAfterMove(*this, false, nFrom < nTo ? nTo : nTo + 1);
    // The letters name places, not columns: the moved header takes its new place's.
    RenumberColumnHeaders(std::min(nFrom, nTo), m_nCols - 1);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::MoveRow(int nFrom, int nTo)
{
    const cellvalue::ChangeScope cellsRearranged;
    if (m_bVirtualMode || nFrom == nTo || nFrom < m_nFixedRows || nFrom >= m_nRows || nTo < m_nFixedRows ||
        nTo >= m_nRows)
        return FALSE;
    if (LineMoveCutsABlock(TRUE, nFrom, nTo) || MoveEntersTreeWithTypedCell(*this, nFrom, nTo))
        return FALSE;
    // Formula references follow the move as one mapping (the moved line
    // lands at nTo when it moves down, after nTo when it moves up); the
    // insertion and deletion that carry the move out shift nothing meanwhile.
    MoveFormulaRow(nFrom, nFrom < nTo ? nTo : nTo + 1);
    HoldFormulaShifts(TRUE);
    if (!InsertRows(nTo, 1, TRUE)) {
        HoldFormulaShifts(FALSE);
        return FALSE;
    }
    const int source = nFrom >= nTo ? nFrom + 1 : nFrom;
    const int target = nTo + 1;
    for (int col = 0; col < m_nCols; ++col) {
        CGridCellBase* pSource = GetCell(source, col);
        if (pSource == nullptr)
            continue;
        CGridCellBase* pCell = CopyForMove(*this, pSource, target, col);
        if (pCell == nullptr)
            continue;
        if (pCell->GetMergeRange().IsValid()) {
            CGridCellRange block = pCell->GetMergeRange();
            block.SetMinRow(target);
            block.SetMaxRow(target);
            pCell->SetMergeRange(block);
            const CGridCellPos owner = pCell->GetMergeOwner();
            pCell->SetMergeOwner(target, owner.col);
        }
        if (!PutCell(target, col, pCell))
            delete pCell;
    }
    MoveLineFollowers(TRUE, source, target);
    SetRowHeight(target, std::max(0, GetRowHeight(source)));
    DeleteRows(source, 1);
    HoldFormulaShifts(FALSE);
    MatchTreesAfterMove(*this, true, nFrom < nTo ? nTo : nTo + 1);
    RenumberRowHeaders(std::min(nFrom, nTo), m_nRows - 1);
    Refresh();
    return TRUE;
}

// What names the source line by its index now names the new one: cell ids,
// the hidden-line list (a hidden line stays hidden with its saved size), the
// format list, formula references, the binds' lines, a column's sort type and
// the sort column.
void CGridCtrl::MoveLineFollowers(BOOL bRows, int nSource, int nTarget)
{
    for (GridCellIdEntry& entry : m_arCellIds) {
        std::int32_t& line = bRows ? entry.row : entry.col;
        if (line == nSource)
            line = nTarget;
    }
    for (GridHiddenLine& entry : bRows ? m_arHiddenRows : m_arHiddenCols) {
        if (entry.index == nSource)
            entry.index = nTarget;
    }
    for (int& line : bRows ? m_arFormatRows : m_arFormatCols) {
        if (line == nSource)
            line = nTarget;
    }
    m_BindList.RetargetLine(bRows != FALSE, nSource, nTarget);
    if (bRows) {
        RetargetFormulaRow(nSource, nTarget);
    } else {
        RetargetFormulaColumn(nSource, nTarget);
        MoveColumnSortType(nSource, nTarget);
        if (m_nSortColumn == nSource)
            m_nSortColumn = nTarget;
        // A tree's column carries the tree: the deletion of the source
        // column must not take it.
        for (const std::unique_ptr<CTreeColumn>& pTree : m_arTrees) {
            if (pTree->GetTreeColumn() == nSource)
                pTree->FollowColumnMove(nTarget);
        }
    }
}

// --- drag feedback -----------------------------------------------------------------------

void CGridCtrl::DrawMoveDragFeedback(CDC* pDC)
{
    const int mode = m_input.nMouseMode;
    const bool dragging = m_input.nMovingIndex >= 0 && (mode == GMM_MOVING_COL || mode == GMM_MOVING_ROW);
    if (!dragging) {
        ReleaseMoveDragImage();
        return;
    }
    if (mode == GMM_MOVING_COL)
        DrawColumnDragImage(pDC, m_input.nMovingIndex, m_idMoveDropTarget, m_input.sizeMoveOffset);
    else
        DrawRowDragImage(pDC, m_input.nMovingIndex, m_idMoveDropTarget, m_input.sizeMoveOffset);
}

void CGridCtrl::ReleaseMoveDragImage()
{
    m_pMoveDragImage.reset();
    m_idMoveDropTarget = CGridCellPos();
}

BOOL CGridCtrl::DrawLineDragImage(CDC* pDC, BOOL bRows, int nSource, CGridCellPos& target, CSize offset)
{
    if (pDC == nullptr || nSource < 0)
        return FALSE;
    // The dragged line: its header cell's rectangle, 2 pixels wider on the
    // far side, over the whole client area.
    CRect rect;
    if (!GetCellRect(bRows ? nSource : 0, bRows ? 0 : nSource, &rect))
        return FALSE;
    CRect client;
    GetLayoutClientRect(&client);
    if (bRows) {
        rect.bottom += 2;
        rect.right = client.right;
    } else {
        rect.right += 2;
        rect.bottom = client.bottom;
    }
    if (rect.IsRectEmpty())
        return FALSE;

    // The line's picture, taken at the first paint of this drag.
    GridMoveDragImage* pImage = m_pMoveDragImage.get();
    if (pImage == nullptr || pImage->press != m_input.ptLeftClick || pImage->source != nSource ||
        pImage->rows != bRows) {
        ReleaseMoveDragImage();
        std::unique_ptr<GridMoveDragImage, GridMoveDragImageDeleter> image(new GridMoveDragImage);
        if (image->dc.CreateCompatibleDC(pDC) && image->bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height())) {
            image->hOldBitmap = image->dc.SelectObject(image->bitmap.GetSafeHandle());
            image->dc.BitBlt(0, 0, rect.Width(), rect.Height(), pDC, rect.left, rect.top, SRCCOPY);
            image->press = m_input.ptLeftClick;
            image->source = nSource;
            image->rows = bRows;
            m_pMoveDragImage = std::move(image);
        }
        pImage = m_pMoveDragImage.get();
    }

    // The line tinted in place.
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF colour = pDC->GetPixel(x, y);
            if (colour != CLR_INVALID)
                pDC->SetPixel(x, y, MixColours(colour, 0xC0C0C0));
        }
    }

    // Its translucent copy where the pointer has taken it.
    if (pImage != nullptr) {
        BLENDFUNCTION blend = {};
        blend.BlendOp = AC_SRC_OVER;
        blend.BlendFlags = 0;
        blend.SourceConstantAlpha = 200;
        blend.AlphaFormat = 0;
        const int x = bRows ? rect.left : rect.left + offset.cx;
        const int y = bRows ? rect.top + offset.cy : rect.top;
        pDC->AlphaBlend(x, y, rect.Width(), rect.Height(), &pImage->dc, 0, 0, rect.Width(), rect.Height(), blend);
    }

    // The cell under the pointer is the drop target.
    CPoint pointer;
    if (GetSafeHwnd() != nullptr && ::GetCursorPos(&pointer)) {
        ScreenToClient(&pointer);
    } else {
        pointer = m_input.ptLastMouse;
    }
    target = GetCellFromPoint(pointer);

    // The arrow at the insertion point, on the header.
    CRect header;
    if (IsValid(target.row, target.col) &&
        GetCellRect(bRows ? target.row : 0, bRows ? 0 : target.col, &header)) {
        const int left = bRows ? header.left : header.left - 4;
        const int top = bRows ? header.top - 4 : header.top;
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 9; ++c) {
                // The row arrow is the column arrow turned to point right.
                if (bRows ? ArrowPixel(c, r) : ArrowPixel(r, c))
                    pDC->SetPixel(left + c, top + r, kMoveMarkerColour);
            }
        }
    }
    return TRUE;
}

void CGridCtrl::DrawColumnDragImage(CDC* pDC, int nCol, CGridCellPos& target, CSize offset)
{
    DrawLineDragImage(pDC, FALSE, nCol, target, offset);
}

void CGridCtrl::DrawRowDragImage(CDC* pDC, int nRow, CGridCellPos& target, CSize offset)
{
    DrawLineDragImage(pDC, TRUE, nRow, target, offset);
}
