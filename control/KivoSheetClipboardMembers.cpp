// The clipboard, edit-command, drag and context-menu members of the Grid
// family: copy, cut and paste of the selection, the paste mode, the switches
// that allow copying, cutting, pasting and dragging (the selection, and
// columns and rows by their headers), and the items a host adds to the
// right-click menu while it handles GridMenuStart.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its table row before it and runs the redraw marks after
// it.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

namespace {

CGridCtrl* EngineOf(CGridPort* port)
{
    return port != nullptr ? port->GetGridCtrl() : nullptr;
}

}  // namespace

// ---- the edit commands -----------------------------------------------------------

void CKivoSheetCtrl::DoGridCopy()
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->OnEditCopy();
}

void CKivoSheetCtrl::DoGridCut()
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->OnEditCut();
}

void CKivoSheetCtrl::DoGridPaste()
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->OnEditPaste();
}

// 0 the private format when the clipboard holds it, else the text; 1 the
// text only; 2 the private format only. Stored as given.
void CKivoSheetCtrl::DoGridSetPasteFlags(SHORT iFlags)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetPasteFlags(iFlags);
}

int CKivoSheetCtrl::DoGridGetPasteFlags()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPasteFlags() : 0;
}

// ---- the switches ------------------------------------------------------------------

void CKivoSheetCtrl::DoGridSetAllowDragAndDrop(SHORT iAllow)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetAllowDragAndDrop(iAllow);
}

int CKivoSheetCtrl::DoGridGetAllowDragAndDrop()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetAllowDragAndDrop() : 0;
}

void CKivoSheetCtrl::DoGridSetAllowCopy(SHORT bAllow)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetAllowCopy(bAllow);
}

int CKivoSheetCtrl::DoGridGetAllowCopy()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetAllowCopy() : 0;
}

void CKivoSheetCtrl::DoGridSetAllowCut(SHORT bAllow)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetAllowCut(bAllow);
}

int CKivoSheetCtrl::DoGridGetAllowCut()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetAllowCut() : 0;
}

void CKivoSheetCtrl::DoGridSetAllowPaste(SHORT bAllow)
{
    if (CGridCtrl* grid = EngineOf(DispatchGrid()))
        grid->SetAllowPaste(bAllow);
}

int CKivoSheetCtrl::DoGridGetAllowPaste()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetAllowPaste() : 0;
}

// ---- the context menu ----------------------------------------------------------------

// Adds an item (menu flags, identifier, text) to the menu the grid is
// building; 0 outside the handling of GridMenuStart.
int CKivoSheetCtrl::DoGridAddPopuMenu(LONG nMenuStyle, LONG nMenuID, const CString& strMenuText)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr)
        return 0;
    return grid->AddPopupMenuItem(static_cast<UINT>(nMenuStyle), static_cast<UINT>(nMenuID), strMenuText) ? 1 : 0;
}
