#include "designer/dialogs/DatabaseBorders.h"

#include "designer/DesignerUi.h"
#include "designer/LineStyles.h"
#include "designer/dialogs/CellPropertyPages.h"

namespace {

const LONG kSideMask = 1 | 2 | 4 | 8;

}  // namespace

BOOL EditSideBorders(IDesignerUi& ui, CBorderSet& borders)
{
    CBorderPopupDlg popup;
    popup.m_pUi = &ui;
    popup.m_nMask = static_cast<int>(borders.nFlags & kSideMask);
    // Records by flag order: left 1, top 2, right 4, bottom 8 are the four
    // sides; the popup's side code is its line (top 0, bottom 1, left 2,
    // right 3).
    for (int i = 0; i < 4; ++i) {
        const CSideBorder& s = borders.sides[i];
        popup.m_records[i] = CBorderLine{static_cast<int>(s.nSide), static_cast<int>(s.nStyle),
                                         static_cast<int>(s.nWidth), s.crColor};
    }
    if (ui.DoModal(popup) != IDOK)
        return FALSE;
    // A side is kept only with its line: a flag without one is no border.
    const LONG mask = static_cast<LONG>(popup.m_nMask) & kSideMask;
    borders.nFlags = 0;
    for (int i = 0; i < 4; ++i) {
        const CBorderLine& r = popup.m_records[i];
        CSideBorder side;
        if ((mask & (1L << i)) != 0 && r.line >= 0) {
            side.nSide = r.line;
            side.nStyle = r.style;
            side.nWidth = r.width;
            side.crColor = r.colour;
            borders.nFlags |= 1L << i;
        }
        borders.sides[i] = side;
    }
    return TRUE;
}

CString SideBordersCaption(const CBorderSet& borders)
{
    return GetBorderFlagName(static_cast<int>(borders.nFlags));
}
