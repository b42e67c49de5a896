// Dragging the selection and dropping onto the grid.
//
// A press on the selection's border and a move start the drag: the
// selection's private stream is offered as the drag's data (the clipboard is
// not touched). Over a grid the drop range is the dragged range placed so
// that the cell the drag was taken by lands on the cell under the pointer;
// a drop pastes the dragged data there from the drag's own data. Ctrl copies;
// otherwise the source is cleared once the drop has pasted, and only what the
// paste did not cover when the drop landed on the source grid itself.
#include "grid/GridCtrl.h"

#include "platform/DragDrop.h"

#include <algorithm>

namespace {

// The drag this process runs: its source grid, where in the dragged range
// the drag was taken, and the range's size. A drop onto any grid of the
// process places the data by it; data dragged from another program lands
// with its first cell under the pointer.
struct GridDragSession {
    const CGridCtrl* source;
    int nRowOffset;
    int nColOffset;
    int nRows;
    int nCols;
};

const GridDragSession* g_pDragSession = nullptr;

}  // namespace

CGridCellRange CGridCtrl::ComputeDropRange(const CGridCellPos& target) const
{
    int nRowOffset = 0, nColOffset = 0, nRows = 1, nCols = 1;
    if (g_pDragSession != nullptr) {
        nRowOffset = g_pDragSession->nRowOffset;
        nColOffset = g_pDragSession->nColOffset;
        nRows = g_pDragSession->nRows;
        nCols = g_pDragSession->nCols;
    }
    // The range starts inside the non-fixed cells however far the pointer
    // is from the dragged range's first cell.
    const int nMinRow = std::max(target.row - nRowOffset, m_nFixedRows);
    const int nMinCol = std::max(target.col - nColOffset, m_nFixedCols);
    return CGridCellRange(nMinRow, nMinCol, std::min(nMinRow + nRows - 1, m_nRows - 1),
                          std::min(nMinCol + nCols - 1, m_nCols - 1));
}

CGridCellPos CGridCtrl::GetDropCellAt(CPoint point)
{
    const CGridCellPos cell = GetCellFromPoint(point);
    if (!IsValid(cell.row, cell.col) || cell.row < m_nFixedRows || cell.col < m_nFixedCols)
        return CGridCellPos();
    return cell;
}

void CGridCtrl::SetDropTargetCell(const CGridCellPos& cell)
{
    if (cell == m_idDropTargetCell)
        return;
    if (CGridCellBase* pOld = GetCell(m_idDropTargetCell.row, m_idDropTargetCell.col)) {
        pOld->SetState(pOld->GetState() & ~static_cast<UINT>(GCS_DROPTARGET));
        RedrawCell(m_idDropTargetCell);
    }
    m_idDropTargetCell = cell;
    if (CGridCellBase* pNew = GetCell(cell.row, cell.col)) {
        pNew->SetState(pNew->GetState() | GCS_DROPTARGET);
        RedrawCell(cell);
    }
}

void CGridCtrl::OnBeginDrag()
{
    m_input.bLMouseButtonDown = FALSE;
    m_input.nMouseMode = GMM_NOTHING;
    if (!m_bAllowDragAndDrop || m_bDragSource || GetSafeHwnd() == nullptr)
        return;
    const CGridCellRange range = GetEditCommandRange();
    std::vector<BYTE> stream;
    if (!range.IsValid() ||
        WriteClipRecords(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), stream) <= 0)
        return;
    // The stream's readers stop at its end mark; the zero byte after it
    // keeps a reader that takes the block as text from running on.
    stream.push_back(0);
    const UINT nFormat = GetClipboardFormatNumber();
    if (nFormat == 0)
        return;

    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GVN_BEGINDRAG);
    m_input.nMouseMode = GMM_DRAGGING;
    if (GetCapture() == this) {
        ReleaseCapture();
        KillTimer(GRID_AUTOSCROLL_TIMER);
    }

    CGridCellPos start = m_idDragStartCell;
    if (!range.InRange(start.row, start.col))
        start = range.GetTopLeft();
    const GridDragSession session = {this, start.row - range.GetMinRow(), start.col - range.GetMinCol(),
                                     range.GetMaxRow() - range.GetMinRow() + 1,
                                     range.GetMaxCol() - range.GetMinCol() + 1};
    const GridDragSession* pOuter = g_pDragSession;
    g_pDragSession = &session;
    m_bDragSource = TRUE;
    m_DragSourceRange = range;
    m_DragPastedRange.Set();

    DragFormats formats;
    formats.emplace_back(nFormat, std::move(stream));
    const DWORD dwEffect = PlatformDoDragDrop(formats, kDropEffectCopy | kDropEffectMove);

    g_pDragSession = pOuter;
    m_bDragSource = FALSE;
    if (dwEffect == kDropEffectMove)
        ClearDragSource(m_DragSourceRange, m_DragPastedRange);
    m_DragSourceRange.Set();
    m_DragPastedRange.Set();
    m_DropRange.Set();
    SetDropTargetCell(CGridCellPos());
    m_input.nMouseMode = GMM_NOTHING;
    Invalidate();
}

// Clears the moved cells: the source range less what the drop pasted over it.
void CGridCtrl::ClearDragSource(const CGridCellRange& source, const CGridCellRange& pasted)
{
    if (!source.IsValid())
        return;
    const bool overlap = pasted.IsValid() && pasted.GetMinRow() <= source.GetMaxRow() &&
                         pasted.GetMaxRow() >= source.GetMinRow() && pasted.GetMinCol() <= source.GetMaxCol() &&
                         pasted.GetMaxCol() >= source.GetMinCol();
    if (!overlap) {
        ClearRange(source);
    } else {
        const int r0 = source.GetMinRow(), r1 = source.GetMaxRow();
        const int c0 = source.GetMinCol(), c1 = source.GetMaxCol();
        const int pr0 = std::max(r0, pasted.GetMinRow()), pr1 = std::min(r1, pasted.GetMaxRow());
        const CGridCellRange parts[4] = {
            CGridCellRange(r0, c0, pr0 - 1, c1),                         // above the paste
            CGridCellRange(pr1 + 1, c0, r1, c1),                         // below it
            CGridCellRange(pr0, c0, pr1, std::min(c1, pasted.GetMinCol() - 1)),  // left of it
            CGridCellRange(pr0, std::max(c0, pasted.GetMaxCol() + 1), pr1, c1),  // right of it
        };
        for (const CGridCellRange& part : parts)
            if (part.IsValid())
                ClearRange(part);
    }
    SetModified(TRUE);
    Refresh();
}

DWORD CGridCtrl::OnDragEnter(CDropData* pData, DWORD dwKeyState, CPoint point)
{
    const UINT nFormat = GetClipboardFormatNumber();
    if (!m_bAllowDragAndDrop || pData == nullptr || nFormat == 0 || !pData->IsFormatAvailable(nFormat))
        return kDropEffectNone;
    const CGridCellPos cell = GetDropCellAt(point);
    SetDropTargetCell(cell);
    if (!IsValid(cell.row, cell.col) || !IsCellEditable(cell.row, cell.col))
        return kDropEffectNone;
    m_DropRange = ComputeDropRange(cell);
    Invalidate();
    return (dwKeyState & MK_CONTROL) != 0 ? kDropEffectCopy : kDropEffectMove;
}

DWORD CGridCtrl::OnDragOver(CDropData* pData, DWORD dwKeyState, CPoint point)
{
    SendGridMessage(WM_GRID_DRAGOVER, static_cast<WPARAM>(LOWORD(dwKeyState)),
                    MAKELONG(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    const UINT nFormat = GetClipboardFormatNumber();
    if (!m_bAllowDragAndDrop || !IsEditable() || pData == nullptr || nFormat == 0 ||
        !pData->IsFormatAvailable(nFormat))
        return kDropEffectNone;
    const CGridCellPos cell = GetDropCellAt(point);
    if (!IsValid(cell.row, cell.col)) {
        OnDragLeave();
        return kDropEffectNone;
    }
    if (!IsCellEditable(cell.row, cell.col))
        return kDropEffectNone;
    if (cell != m_idDropTargetCell || !m_DropRange.IsValid()) {
        SetDropTargetCell(cell);
        m_DropRange = ComputeDropRange(cell);
        Invalidate();
    }
    return (dwKeyState & MK_CONTROL) != 0 ? kDropEffectCopy : kDropEffectMove;
}

void CGridCtrl::OnDragLeave()
{
    SetDropTargetCell(CGridCellPos());
    if (m_DropRange.IsValid()) {
        m_DropRange.Set();
        Invalidate();
    }
}

BOOL CGridCtrl::OnDrop(CDropData* pData, DWORD dwDropEffect, CPoint point)
{
    m_input.nMouseMode = GMM_NOTHING;
    const UINT nFormat = GetClipboardFormatNumber();
    const CGridCellPos cell = GetDropCellAt(point);
    OnDragLeave();
    if (!m_bAllowDragAndDrop || !IsEditable() || pData == nullptr || nFormat == 0 ||
        dwDropEffect == kDropEffectNone || !IsValid(cell.row, cell.col) || !IsCellEditable(cell.row, cell.col))
        return FALSE;
    const CGridCellRange range = ComputeDropRange(cell);
    // A selection dropped onto itself stays as it is.
    if (m_bDragSource && range == m_DragSourceRange)
        return FALSE;
    std::vector<BYTE> bytes;
    if (!pData->GetData(nFormat, bytes) || bytes.empty())
        return FALSE;
    const CGridCellRange pasted =
        PasteClipRecords(range.GetMinRow(), range.GetMinCol(), bytes.data(), static_cast<UINT>(bytes.size()));
    if (!pasted.IsValid())
        return FALSE;
    if (m_bDragSource)
        m_DragPastedRange = pasted;
    SetSelectedRange(pasted, TRUE, TRUE);
    SetFocusCell(pasted.GetMinRow(), pasted.GetMinCol());
    SetModified(TRUE);
    return TRUE;
}
