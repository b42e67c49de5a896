// Copying one cell over a range: every other cell of the range takes the
// source's class, format and content. Merged blocks use it to keep all their
// cells alike, and the setters use it after changing a merged cell.
//
// What belongs to a position rather than to the content stays with each
// target: its focus, selected, drop-target and fixed bits (the selection map
// and the focus cell keep naming the same cells) and its membership of a
// merged block (a block keeps exactly one owner).
#include "grid/GridCtrl.h"

namespace {

const UINT kPlaceBits = GCS_FOCUSED | GCS_SELECTED | GCS_DROPTARGET | GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL;

// The cell's format (CopyFormat) and the display and input settings it does
// not take: the tip and ellipsis flags, the selection colour, the input type
// and limits.
void CopyFormatInPlace(CGridCellBase* pTarget, CGridCellBase* pSource)
{
    const UINT placeBits = pTarget->GetState() & kPlaceBits;
    const CGridCellRange mergeRange = pTarget->GetMergeRange();
    const CGridCellPos mergeOwner = pTarget->GetMergeOwner();
    const BOOL bOwner = pTarget->IsMergeOwnerCell();
    pTarget->CopyFormat(pSource);
    pTarget->SetState((pTarget->GetState() & ~kPlaceBits) | placeBits);
    pTarget->SetMergeRange(mergeRange);
    pTarget->SetMergeOwner(mergeOwner.row, mergeOwner.col);
    pTarget->SetMergeOwnerCell(bOwner);

    pTarget->SetDisplayTip(pSource->IsDisplayTip());
    pTarget->SetDisplayEllipsis(pSource->IsDisplayEllipsis());
    if (pSource->HasOwnSelBackColor())
        pTarget->SetSelBackColor(pSource->GetSelBackColor());
    double dMin = 0.0;
    double dMax = 0.0;
    const BOOL bLimit = pSource->GetInputLimit(dMin, dMax);
    pTarget->SetInputLimit(bLimit, dMin, dMax);
    const int inputType = pSource->GetInputType();
    if (inputType >= 0)
        pTarget->SetInputType(inputType);
}

}  // namespace

BOOL CGridCtrl::CopyCellToRange(const CGridCellRange& range, CGridCellBase* pSource)
{
    if (pSource == nullptr || m_bVirtualMode || !IsRangeValid(range))
        return FALSE;

    const CRuntimeClass* pClass = pSource->GetRuntimeClass();
    const int type = GetCellTypeFromClassName(pClass->m_lpszClassName);
    // The source's content, read once: targets may be the source's own block.
    const CString control = type != GCT_EDIT ? pSource->GetControl() : CString();
    const bool number = pSource->GetDataType() != 0;
    const double value = pSource->GetValue();
    const CString text(pSource->GetText());
    const CString richText = type == GCT_SUPEREDIT ? pSource->GetRichText() : CString();
    CString formula;
    if (type == GCT_FORMULA && pSource->IsKindOf(RUNTIME_CLASS(CGridCell))) {
        const CGridCell* pFormulaCell = static_cast<const CGridCell*>(pSource);
        formula = GetCellFormula(pFormulaCell->GetRow(), pFormulaCell->GetCol());
    }

    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            if (pCell->GetRuntimeClass() != pClass) {
                if (!SetCellType(row, col, pClass))
                    continue;
                pCell = GetCell(row, col);
                if (pCell == nullptr)
                    continue;
            }
            if (pCell == pSource)
                continue;
            CopyFormatInPlace(pCell, pSource);
            if (type != GCT_EDIT)
                pCell->SetControl(control);
            switch (type) {
            case GCT_SUPEREDIT:
                pCell->SetRichText(richText);
                break;
            case GCT_FORMULA:
                SetCellFormula(row, col, formula);
                break;
            default:
                // A check box's state lives in its value as well.
                if (number)
                    pCell->SetValue(value);
                else
                    pCell->SetText(text);
                break;
            }
        }
    }
    return TRUE;
}
