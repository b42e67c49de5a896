// The control's bind members: adding, finding, replacing and deleting the
// grid's binds, the KivoBind and KivoBindField objects over them, and the
// fills.
//
// Each operation here is the middle of its member: the generated member has
// run the checks of its row before it and runs the redraw marks after it.
#include "control/KivoSheetCtrl.h"

#include "control/KivoBindObjects.h"
#include "grid/GridCtrl.h"

namespace {

// A copy of the bind a KivoBind object views, for the grid, keeping the name
// of the bind it replaces (so names stay unique); NULL for anything else.
std::unique_ptr<CBindInfo> CopyOfBind(CKivoObject* pBind, CGridCtrl* grid, const CString& name)
{
    const CBindInfo* source = GetKivoBindPtr(pBind);
    if (source == nullptr)
        return nullptr;
    auto copy = std::make_unique<CBindInfo>();
    copy->CopySettings(*source);
    copy->SetName(name);
    copy->SetGrid(grid);
    return copy;
}

}  // namespace

CKivoObjectPtr CKivoSheetCtrl::DoDBAddBind(const CString& strBindName)
{
    CGridCtrl* grid = Engine();
    CBindInfo* bind = grid != nullptr ? grid->GetBindList().AddBind(strBindName, grid) : nullptr;
    return bind != nullptr ? CreateKivoBindObject(bind) : CKivoObjectPtr();
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetBind(const CString& strBindName)
{
    CGridCtrl* grid = Engine();
    CBindInfo* bind = grid != nullptr ? grid->GetBindList().GetBind(strBindName) : nullptr;
    return bind != nullptr ? CreateKivoBindObject(bind) : CKivoObjectPtr();
}

LONG CKivoSheetCtrl::DoDBSetBind(const CString& strBindName, CKivoObject* pBind)
{
    CGridCtrl* grid = Engine();
    if (strBindName.IsEmpty())
        return -1;
    if (grid == nullptr)
        return 0;
    CBindInfoList& binds = grid->GetBindList();
    const CBindInfo* target = binds.GetBind(strBindName);
    if (target == nullptr)
        return 0;
    std::unique_ptr<CBindInfo> copy = CopyOfBind(pBind, grid, target->GetName());
    return copy && binds.SetBind(strBindName, std::move(copy)) ? 1 : 0;
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetBindEx(LONG nIndex)
{
    CGridCtrl* grid = Engine();
    CBindInfo* bind = grid != nullptr ? grid->GetBindList().GetBindAt(nIndex) : nullptr;
    return bind != nullptr ? CreateKivoBindObject(bind) : CKivoObjectPtr();
}

LONG CKivoSheetCtrl::DoDBSetBindEx(LONG nIndex, CKivoObject* pBind)
{
    // Indexes run from 0 to count - 1, like DBGetBindEx's.
    CGridCtrl* grid = Engine();
    if (grid == nullptr || nIndex < 0 || nIndex >= grid->GetBindList().GetCount())
        return -1;
    CBindInfoList& binds = grid->GetBindList();
    std::unique_ptr<CBindInfo> copy = CopyOfBind(pBind, grid, binds.GetBindAt(nIndex)->GetName());
    return copy && binds.SetBindAt(nIndex, std::move(copy)) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoDBDelBind(const CString& strBindName)
{
    CGridCtrl* grid = Engine();
    if (strBindName.IsEmpty())
        return -1;
    return grid != nullptr && grid->GetBindList().DeleteBind(strBindName) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoDBDelBindEx(LONG nIndex)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->GetBindList().DeleteBindAt(nIndex) ? 1 : 0;
}

LONG CKivoSheetCtrl::DoDBGetBindCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetBindList().GetCount() : 0;
}

LONG CKivoSheetCtrl::DoDBDeleteAllBind()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetBindList().DeleteAllBinds() : 0;
}

LONG CKivoSheetCtrl::DoDBFillAllBindData()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr)
        return 0;
    const LONG filled = grid->GetBindList().FillAllBinds();
    grid->Refresh();
    return filled;
}

LONG CKivoSheetCtrl::DoDBFindBind(const CString& strBindName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetBindList().FindBind(strBindName) : -1;
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetBindField(const CString& strBindName, LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    CBindFieldInfo field;
    if (grid == nullptr || !grid->GetBindField(strBindName, nRow, nCol, field))
        return CKivoObjectPtr();
    return CreateKivoBindFieldObject(field);
}
