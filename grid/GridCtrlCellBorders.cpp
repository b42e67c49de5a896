// Cell borders. A border drawn on one side of a cell is also the facing side
// of its neighbour, so setting or deleting a side changes the neighbour too:
// the cell to the left gets its right side, the cell above its bottom side,
// and so on, along the whole outline of a merged block. Neighbours outside
// the grid and fixed (header) cells are never changed.
#include "grid/GridCtrl.h"

#include "grid/GridCtrlCellSetter.h"

using gridcell::StoredCell;

namespace {

// A neighbour of the cell or of its block, and the side of it that faces the cell.
struct Facing {
    int row;
    int col;
    UINT side;
};

// Calls visit(Facing) for every neighbour across the sides named in nMask:
// along the block's outline when the cell is merged, else the four neighbours.
template <class Visit>
void ForEachFacing(CGridCellBase* pCell, int nRow, int nCol, UINT nMask, Visit&& visit)
{
    CGridCellRange block(nRow, nCol, nRow, nCol);
    if (pCell->IsMerged())
        block = pCell->GetMergeRange();
    if ((nMask & CBF_TOP) != 0)
        for (int col = block.GetMinCol(); col <= block.GetMaxCol(); ++col)
            visit(Facing{block.GetMinRow() - 1, col, CBF_BOTTOM});
    if ((nMask & CBF_BOTTOM) != 0)
        for (int col = block.GetMinCol(); col <= block.GetMaxCol(); ++col)
            visit(Facing{block.GetMaxRow() + 1, col, CBF_TOP});
    if ((nMask & CBF_LEFT) != 0)
        for (int row = block.GetMinRow(); row <= block.GetMaxRow(); ++row)
            visit(Facing{row, block.GetMinCol() - 1, CBF_RIGHT});
    if ((nMask & CBF_RIGHT) != 0)
        for (int row = block.GetMinRow(); row <= block.GetMaxRow(); ++row)
            visit(Facing{row, block.GetMaxCol() + 1, CBF_LEFT});
}

}  // namespace

void CGridCtrl::SetFacingBorder(int nRow, int nCol, UINT nSide, int nLineStyle, COLORREF clr, int nWidth)
{
    if (!IsValid(nRow, nCol) || IsCellFixed(nRow, nCol))
        return;
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->SetBorder(nSide, clr, nLineStyle, nWidth);
}

void CGridCtrl::DeleteFacingBorder(int nRow, int nCol, UINT nSide)
{
    if (!IsValid(nRow, nCol) || IsCellFixed(nRow, nCol))
        return;
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->RemoveBorder(nSide);
}

BOOL CGridCtrl::SetCellBorder(int nRow, int nCol, int nMask, int nLineStyle, COLORREF clr, int nWidth)
{
    if (nMask <= 0)
        return FALSE;
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    if (!pCell->SetBorder(static_cast<UINT>(nMask), clr, nLineStyle, nWidth))
        return FALSE;
    ForEachFacing(pCell, nRow, nCol, static_cast<UINT>(nMask), [&](const Facing& f) {
        SetFacingBorder(f.row, f.col, f.side, nLineStyle, clr, nWidth);
    });
    if (pCell->IsMerged())
        CopyCellToRange(pCell->GetMergeRange(), pCell);
    return TRUE;
}

BOOL CGridCtrl::DeleteCellBorder(int nRow, int nCol, int nMask)
{
    if (nMask <= 0)
        return FALSE;
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    // Nothing to remove: the cell and its neighbours stay as they are.
    if ((pCell->GetBorderMask() & static_cast<UINT>(nMask)) == 0)
        return FALSE;
    pCell->RemoveBorder(static_cast<UINT>(nMask));
    ForEachFacing(pCell, nRow, nCol, static_cast<UINT>(nMask),
                  [&](const Facing& f) { DeleteFacingBorder(f.row, f.col, f.side); });
    if (pCell->IsMerged())
        CopyCellToRange(pCell->GetMergeRange(), pCell);
    return TRUE;
}

int CGridCtrl::GetCellBorderFlags(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? static_cast<int>(pCell->GetBorderMask()) : 0;
}

BOOL CGridCtrl::GetCellBorder(int nRow, int nCol, UINT nBit, int* pnLineStyle, COLORREF* pclr, int* pnWidth)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    return pCell->GetBorder(nBit, pclr, pnLineStyle, pnWidth);
}
