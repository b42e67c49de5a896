// The control's tree members: adding, finding and deleting the grid's tree
// columns, their attribute texts, and the KivoTree objects over them.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its row before it and runs the redraw marks after it.
#include "control/KivoSheetCtrl.h"

#include "control/KivoTreeObjects.h"
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

CKivoObjectPtr CKivoSheetCtrl::DoGridAddTree(LONG nTreeRow, LONG nTreeCol)
{
    CGridCtrl* grid = Engine();
    CTreeColumn* tree = grid != nullptr ? grid->AddTree(nTreeRow, nTreeCol) : nullptr;
    return tree != nullptr ? CreateKivoTreeObject(tree) : CKivoObjectPtr();
}

CKivoObjectPtr CKivoSheetCtrl::DoGridGetTree(LONG nIndex)
{
    // Always an object; one that holds no tree for an index out of range.
    CGridCtrl* grid = Engine();
    return CreateKivoTreeObject(grid != nullptr ? grid->GetTreeAt(nIndex) : nullptr);
}

LONG CKivoSheetCtrl::DoGridGetTreeCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetTreeCount() : 0;
}

LONG CKivoSheetCtrl::DoGridGetColumnTreeCount()
{
    return DoGridGetTreeCount();
}

int CKivoSheetCtrl::DoGridDeleteTree(LONG nTreeRow, LONG nTreeCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DeleteColumnControlTree(nTreeRow, nTreeCol) ? 1 : 0;
}

CKivoObjectPtr CKivoSheetCtrl::DoGridGetTreeEx(LONG nTreeRow, LONG nTreeCol)
{
    CGridCtrl* grid = Engine();
    const int index = grid != nullptr ? grid->FindTreeIndex(nTreeRow, nTreeCol) : -1;
    return index >= 0 ? CreateKivoTreeObject(grid->GetTreeAt(index)) : CKivoObjectPtr();
}

BOOL CKivoSheetCtrl::DoGridGetColumnTreeStart(LONG nIndex, LONG& nStartRow, LONG& nStartCol)
{
    CGridCtrl* grid = Engine();
    int row = -1;
    int col = -1;
    const BOOL found = grid != nullptr && grid->GetColumnTreeStart(nIndex, row, col);
    nStartRow = row;
    nStartCol = col;
    return found;
}

BOOL CKivoSheetCtrl::DoColumnSetControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName,
                                                    const CString& strAttValue)
{
    // An attribute the text takes answers its place in the text (0 is a
    // new one); a command answers 1 or 0; -1 is a refusal.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || grid->FindColumnControlTree(nStartRow, nStartCol) == nullptr || strAttName.IsEmpty())
        return FALSE;
    CString name(strAttName);
    name.MakeLower();
    const int result = grid->SetColumnControlTreeProperty(nStartRow, nStartCol, strAttName, strAttValue);
    const bool command = name == "inserttree" || name == "deletetree" || name == "collapsetree" ||
                         name == "expandtree" || name == "expandsubtrees";
    return command ? result > 0 : result >= 0;
}

BOOL CKivoSheetCtrl::DoColumnSetControlTree(LONG nStartRow, LONG nStartCol, const CString& strXml)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetColumnControlTree(nStartRow, nStartCol, strXml);
}

CString CKivoSheetCtrl::DoColumnGetControlTree(LONG nStartRow, LONG nStartCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetColumnControlTree(nStartRow, nStartCol) : CString();
}

BOOL CKivoSheetCtrl::DoColumnDelControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DelColumnControlTreeProperty(nStartRow, nStartCol, strAttName);
}

BOOL CKivoSheetCtrl::DoColumnDelControlTree(LONG nStartRow, LONG nStartCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->DeleteColumnControlTree(nStartRow, nStartCol);
}

CString CKivoSheetCtrl::DoColumnGetControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetColumnControlTreeProperty(nStartRow, nStartCol, strAttName) : CString();
}
