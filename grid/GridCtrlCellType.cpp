// Cell types chosen by a control text, and what a cell keeps when its type
// changes.
//
// A control text names its type in the "controltype" attribute of its
// "control" element; only that value decides, so a combo box whose items
// mention another type's word stays a combo box.
#include "grid/GridCtrl.h"

#include "cellcontent/XmlElement.h"

#include <cstring>

void CGridCtrl::CarrySettingsAcross(CGridCellBase* pNew, CGridCellBase* pOld)
{
    if (pNew == nullptr || pOld == nullptr || pNew == pOld)
        return;
    // CopyFrom has brought the content, colours, font, state, borders and
    // merge membership; these are the cell's other settings. The control
    // text stays behind: it belongs to the old type.
    const int dataType = pOld->GetDataType();
    if (dataType != 0 && dataType != 1)
        pNew->SetDataType(dataType);
    pNew->SetId(pOld->GetId());
    pNew->SetTipText(pOld->GetTipText());
    pNew->SetMemo(pOld->GetMemo());
    pNew->SetFormatXml(pOld->GetFormatXml());
    pNew->SetDisplayTip(pOld->IsDisplayTip());
    pNew->SetDisplayEllipsis(pOld->IsDisplayEllipsis());
    if (pOld->HasOwnSelBackColor())
        pNew->SetSelBackColor(pOld->GetSelBackColor());
    double dMin = 0.0;
    double dMax = 0.0;
    if (pOld->GetInputLimit(dMin, dMax))
        pNew->SetInputLimit(TRUE, dMin, dMax);
    const int inputType = pOld->GetInputType();
    if (inputType >= 0)
        pNew->SetInputType(inputType);
    // CopyFrom gave the new cell the colours the old one showed, as its own;
    // a colour the old cell did not own goes on following the defaults.
    if (pNew->IsKindOf(RUNTIME_CLASS(CGridCell)) && pOld->IsKindOf(RUNTIME_CLASS(CGridCell)))
        static_cast<CGridCell*>(pNew)->TakeColoursOf(*static_cast<CGridCell*>(pOld));
}

BOOL CGridCtrl::SetCellControl(int nRow, int nCol, LPCTSTR szControl)
{
    if (szControl == nullptr || *szControl == '\0')
        return FALSE;
    if (szControl[0] == '=')
        return SetCellFormula(nRow, nCol, szControl);

    const CString word = CXmlElement(szControl, "control").GetAttribute("controltype");
    int nType = -1;
    for (int type = 0; type < GCT_COUNT; ++type) {
        if (word == GetCellTypeWord(type)) {
            nType = type;
            break;
        }
    }
    if (nType < 0)
        return FALSE;
    // A cell of that type already keeps everything; another one is replaced.
    if (GetCellType(nRow, nCol) != nType || m_bVirtualMode) {
        if (!SetCellType(nRow, nCol, nType))
            return FALSE;
    }
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (pCell == nullptr)
        return TRUE;
    BOOL bResult = pCell->SetControl(szControl);
    if (pCell->IsMerged())
        CopyCellToRange(pCell->GetMergeRange(), pCell);
    return bResult;
}
