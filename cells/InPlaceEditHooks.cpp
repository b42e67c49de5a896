#include "cells/InPlaceEditHooks.h"

#include "cells/InPlaceEdit.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCtrl.h"
#include "platform/Gdi.h"

namespace {

CWnd* CreateInPlaceEdit(const CellEditorRequest& request)
{
    CWnd* grid = request.pGrid;
    if (grid == nullptr || grid->GetSafeHwnd() == nullptr)
        return nullptr;
    LOGFONT lf = {};
    InPlaceEditOptions options;
    if (request.pFont != nullptr && request.pFont->GetLogFont(&lf) != 0)
        options.pFont = &lf;
    CInPlaceEdit* edit = new CInPlaceEdit;
    edit->SetAutoDelete(TRUE);
    edit->SetInputType(request.nInputType);
    edit->SetInputLimit(request.bLimit, request.dMin, request.dMax);
    if (!edit->Create(grid, request.rect, request.dwStyle, request.nID, request.nRow, request.nCol, request.strText,
                      request.nChar, request.crBack, request.crText, options)) {
        delete edit;
        return nullptr;
    }
    return edit;
}

void EndInPlaceEdit(CWnd* pEditor)
{
    if (CInPlaceEdit* edit = dynamic_cast<CInPlaceEdit*>(pEditor))
        edit->EndEdit();
}

}  // namespace

void InstallInPlaceEditHooks()
{
    CellEditorHooks hooks;
    hooks.pfnCreate = &CreateInPlaceEdit;
    hooks.pfnEndEdit = &EndInPlaceEdit;
    SetCellEditorHooks(hooks);
}
