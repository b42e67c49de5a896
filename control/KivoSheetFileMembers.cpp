// The file, string and export members: template files and Base64 template
// strings, remote templates, comma-separated text, the native workbook, the
// workbook exchanged through a spreadsheet program's automation server, and
// the system's file dialog. Each converts nothing but its strings and calls
// one operation of the template, export or grid code; an open through
// GridOpenFile is followed by the control's in-place activation.
#include "control/KivoSheetCtrl.h"

#include "document/ExcelBridge.h"
#include "document/GridXlsExport.h"
#include "document/TemplateFile.h"
#include "document/TemplateRemote.h"
#include "grid/GridCtrl.h"
#include "platform/FileDialog.h"

namespace {

CGridCtrl* EngineOf(CGridPort* port)
{
    return port != nullptr ? port->GetGridCtrl() : nullptr;
}

}  // namespace

LONG CKivoSheetCtrl::DoGridOpenFile(const CString& strFileName, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    const LONG result = grid != nullptr ? OpenTemplateFile(*grid, strFileName, strPwd) : -1;
    if (result == 1 && grid->IsValid(2, 2))
        DispatchGrid()->ClickCell(2, 2);
    if (m_host != nullptr)
        m_host->ActivateInPlace();
    return result;
}

LONG CKivoSheetCtrl::DoGridSaveFile(const CString& strFileName, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? SaveTemplateFile(*grid, strFileName, strPwd) : -1;
}

LONG CKivoSheetCtrl::DoGridSaveCSVFile(const CString& strFileName)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SaveCSVFile(strFileName, ',') ? 1 : 0;
}

LONG CKivoSheetCtrl::DoGridOpenCSVFile(const CString& strFileName)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->LoadCSVFile(strFileName, ',') ? 1 : 0;
}

int CKivoSheetCtrl::DoGridSaveExcelFile(const CString& strFileName, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? SaveExcelFile(*grid, strFileName, strPwd) : 0;
}

int CKivoSheetCtrl::DoGridSaveExcelFileForOle(const CString& strFileName, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? ExportExcelViaAutomation(*grid, strFileName, strPwd) : 0;
}

int CKivoSheetCtrl::DoGridImportExcelFileForOle(const CString& strFileName, const CString& strPwd, LONG nSheetIndex)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? ImportExcelViaAutomation(*grid, strFileName, strPwd, nSheetIndex) : 0;
}

LONG CKivoSheetCtrl::DoGridOpenRemoteFile(const CString& strUrl, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? OpenRemoteFile(*grid, strUrl, strPwd) : -1;
}

int CKivoSheetCtrl::DoGridSaveRemoteFile(const CString& strUrl, const CString& strPwd, const CString& strSaveAsName)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? SaveRemoteFile(*grid, strUrl, strPwd, strSaveAsName) : -1;
}

int CKivoSheetCtrl::DoGridOpenTemplate(const CString& strFileName, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? OpenTemplateAndFill(*grid, strFileName, strPwd) : -1;
}

CString CKivoSheetCtrl::DoGridSaveBase64String(const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? SaveTemplateToBase64(*grid, strPwd) : CString();
}

int CKivoSheetCtrl::DoGridOpenBase64String(const CString& strBase64, const CString& strPwd)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? OpenTemplateFromBase64(*grid, strBase64, strPwd) : -1;
}

CString CKivoSheetCtrl::DoGridShowDialog(SHORT iFlags, const CString& strFilter, const CString& strDefFileName)
{
    return PlatformFileDialog(iFlags != 0, strFilter, strDefFileName);
}

CString CKivoSheetCtrl::DoGridSaveCSVString()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->SaveCSVString(',') : CString();
}
