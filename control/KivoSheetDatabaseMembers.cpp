// The control's connection and data-set members: the grid's connection
// definitions by name and position, opening and closing them, the texts the
// host replaces, the automatic fill, and the KivoDatabase and KivoDataSet
// objects over the definitions.
#include "control/KivoSheetCtrl.h"

#include "control/KivoDatabaseObjects.h"
#include "grid/GridCtrl.h"

LONG CKivoSheetCtrl::DoDBDelConnection(const CString& strConnName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetConnectionList().DeleteConnection(strConnName) : -1;
}

LONG CKivoSheetCtrl::DoDBFindConnection(const CString& strConnName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetConnectionList().FindConnection(strConnName) : -1;
}

LONG CKivoSheetCtrl::DoDBGetConnectionCount()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetConnectionList().GetCount() : 0;
}

LONG CKivoSheetCtrl::DoDBOpenAllConnection()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetConnectionList().OpenAll() : 0;
}

LONG CKivoSheetCtrl::DoDBCloseAllConnection()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetConnectionList().CloseAll() : 0;
}

CKivoObjectPtr CKivoSheetCtrl::DoDBAddConnection(const CString& strConnName)
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || strConnName.IsEmpty())
        return CKivoObjectPtr();
    CConnectionDefList& list = grid->GetConnectionList();
    return CreateKivoDatabaseObject(list.GetConnectionAt(list.AddConnection(strConnName)));
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetConnection(const CString& strConnName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? CreateKivoDatabaseObject(grid->GetConnectionList().GetConnection(strConnName))
                           : CKivoObjectPtr();
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetConnectionEx(LONG nIndex)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? CreateKivoDatabaseObject(grid->GetConnectionList().GetConnectionAt(static_cast<int>(nIndex)))
                           : CKivoObjectPtr();
}

int CKivoSheetCtrl::DoDBSetConnectionString(const CString& strConnName, const CString& strConnString)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetConnectionString(strConnName, strConnString) ? 1 : 0;
}

int CKivoSheetCtrl::DoDBSetDSSql(const CString& strConnName, const CString& strDSName, const CString& strSql)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->SetDataSetSql(strConnName, strDSName, strSql) ? 1 : 0;
}

int CKivoSheetCtrl::DoDBFillData()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->FillData() : -1;
}

CKivoObjectPtr CKivoSheetCtrl::DoDBGetDataSet(const CString& strConnName, const CString& strDSName)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? CreateKivoDataSetObject(grid->GetDataSet(strConnName, strDSName)) : CKivoObjectPtr();
}
