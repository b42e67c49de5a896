#include "cells/InPlaceEditHooks.h"

#include "cells/RichTextHost.h"

#include "cells/InPlaceCombo.h"
#include "cells/InPlaceEdit.h"
#include "cells/TitleTip.h"
#include "cells/TypedCellClasses.h"
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
    options.bBold = request.bBoldFont;
    options.bWrapText = request.bWrapText;
    options.nWrapWidth = request.nWrapWidth;
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

CWnd* CreateTitleTip(CGridCtrl* pGrid)
{
    CTitleTip* tip = new CTitleTip;
    tip->SetParentWnd(pGrid);
    return tip;
}

void ShowTitleTip(CWnd* pTip, const GridTitleTipRequest& request)
{
    CTitleTip* tip = dynamic_cast<CTitleTip*>(pTip);
    if (tip == nullptr)
        return;
    CRect hover = request.rectHover;
    tip->Show(request.rectScreen, request.strText, request.nXOffset, &hover, request.pFont, request.crText,
              request.crBack);
}

void HideTitleTip(CWnd* pTip)
{
    if (CTitleTip* tip = dynamic_cast<CTitleTip*>(pTip))
        tip->Hide();
}

// Installed as soon as this file is part of the program.
const bool g_installed = (InstallInPlaceEditHooks(), true);

}  // namespace

void InstallInPlaceEditHooks()
{
    (void)g_installed;
    RegisterTypedCellClasses();
    InstallDropDownEditorHooks();
    SetRichTextHostFactory(&NewPlatformRichTextHost);
    InstallSuperEditHooks();
    CellEditorHooks hooks;
    hooks.pfnCreate = &CreateInPlaceEdit;
    hooks.pfnEndEdit = &EndInPlaceEdit;
    SetCellEditorHooks(hooks);
    GridTitleTipHooks tipHooks;
    tipHooks.pfnCreate = &CreateTitleTip;
    tipHooks.pfnShow = &ShowTitleTip;
    tipHooks.pfnHide = &HideTitleTip;
    SetGridTitleTipHooks(tipHooks);
}
