#include "cells/ColourPicker.h"

#include "cells/ColourPalette.h"

#include <algorithm>

namespace palette {

Notices PickerModel::Click(int nId)
{
    if (bPopupOpen)
        return {};
    bPopupOpen = true;
    return {{MSG_DROPDOWN, GetColour(), nId}};
}

Notices PickerModel::PopupMoved(COLORREF cr, int nId)
{
    if (bTrackSelection)
        SetColour(cr);
    return {{MSG_SELCHANGE, cr, nId}};
}

Notices PickerModel::PopupChose(COLORREF cr, bool bDefault, int nId)
{
    const COLORREF before = GetColour();
    bDefaultChosen = bDefault;
    SetColour(bDefault ? crDefault : cr);
    bPopupOpen = false;
    Notices notices = {{MSG_CLOSEUP, GetColour(), nId}, {MSG_SELENDOK, cr, nId}};
    if (GetColour() != before)
        notices.push_back({MSG_SELCHANGE, GetColour(), nId});
    return notices;
}

Notices PickerModel::PopupCancelled(COLORREF crInitial, int nId)
{
    bDefaultChosen = false;
    bPopupOpen = false;
    SetColour(crInitial);
    return {{MSG_CLOSEUP, crInitial, nId}, {MSG_SELENDCANCEL, crInitial, nId}};
}

PickerGeometry PickerLayout(const CRect& client, int cxEdge, int cyEdge, int cxThumb, int cyThumb)
{
    const int arrow = std::max({cxThumb, 5 * cxEdge, cyThumb, 5 * cyEdge});
    PickerGeometry g;
    g.minimum = CSize(2 * cxEdge + 2 * arrow, arrow + 2 * cyEdge);
    g.arrow = CRect(client.right - cxEdge - arrow, client.top + cyEdge, client.right - cxEdge,
                    client.bottom - cyEdge);
    g.colour = CRect(client.left + cxEdge, client.top + cyEdge, g.arrow.left, client.bottom - cyEdge);
    return g;
}

COLORREF PickerFill(COLORREF cr, bool bDisabled, COLORREF crSysWindow, COLORREF crBtnFace)
{
    return bDisabled || cr == crSysWindow ? crBtnFace : cr;
}

COLORREF PickerCaptionColour(COLORREF crText, COLORREF crSysWindowText)
{
    return crText == crSysWindowText ? 0x000000 : crText;
}

}  // namespace palette
