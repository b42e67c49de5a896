// The sheet-wide defaults the grid takes as one record, the repaint after a
// change of the alternate row colours, and a click made on the host's behalf.
#include "grid/GridCtrl.h"

#include "cellcontent/FontElement.h"

namespace {

// Every line of the index gets nSize in one pass; a hidden line stays at 0
// and its hidden-list entry remembers nSize for when it is shown again.
void SizeEveryLine(CGridPositionIndex& sizes, std::vector<GridHiddenLine>& hidden, int nSize)
{
    sizes.Fill(static_cast<UINT>(nSize));
    for (GridHiddenLine& line : hidden) {
        if (line.index >= 0 && line.index < sizes.GetSize()) {
            line.size = nSize;
            sizes.SetAt(line.index, 0);
        }
    }
}

}  // namespace

void CGridCtrl::SetDefaultSetting(const CGridDefaultSetting& setting)
{
    m_DefaultSetting = setting;
    BOOL bSized = FALSE;
    if (setting.m_bIMResetInitRowHeight != 0 && setting.m_nRowHeight >= 0) {
        SizeEveryLine(m_arRowHeights, m_arHiddenRows, setting.m_nRowHeight);
        bSized = TRUE;
    }
    if (setting.m_bIMResetInitColWidth != 0 && setting.m_nColWidth >= 0) {
        SizeEveryLine(m_arColWidths, m_arHiddenCols, setting.m_nColWidth);
        bSized = TRUE;
    }
    if (!setting.m_strFontXml.IsEmpty())
        CFontElement(setting.m_strFontXml).GetLogFont(&m_DefaultSetting.m_logFont);
    if (bSized) {
        m_idTopLeftCell = CGridCellPos();
        UpdateScrollBars();
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CGridCtrl::ResetRowOddEvenBkColor(int /*nStartRow*/)
{
    // The painting reads the colours and their switches; a repaint shows them.
    Refresh();
    return TRUE;
}

void CGridCtrl::ClickCell(int nRow, int nCol)
{
    if (GetSafeHwnd() == nullptr || !IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return;
    POINT corner;
    if (!GetCellTopLeft(nRow, nCol, &corner))
        return;
    const LPARAM at = MAKELPARAM(corner.x, corner.y);
    SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessage(WM_LBUTTONUP, MK_LBUTTON, at);
}
