// The file menu's template, workbook, CSV and preview commands. They act on
// the control directly; the template commands keep the chosen path in the
// view's m_strFilePath (and so in the document: SetFilePath), which the
// view's Save, the encrypted save and the close prompt write to without
// asking, so it changes only when a template was really opened (or a path
// chosen for an encrypted save). A command that replaces the sheet with a
// template asks about unsaved changes first, as Open does.
#include "designer/commands/FileTableHelp.h"

#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/dialogs/ToolDialogs.h"

#include <cstdlib>

namespace {

const char kTemplateFilter[] = "卡沃文件格式(*.kvx)|*.kvx|所有文件(*.*)|*.*||";
const char kCsvFilter[] = "CSV文件(*.csv)|*.csv|所有文件(*.*)|*.*||";
const UINT kTipStyle = MB_OK | MB_ICONQUESTION;

void Tip(CDesignerContext& ctx, const char* text)
{
    ctx.ui.MessageBox(text, "提示", kTipStyle);
}

// An open result that put the file's sheet in the grid: the open itself
// succeeded even when the template's automatic connections or fills found
// nothing to do.
bool SheetOpened(int result)
{
    return result == 1 || result == -9 || result == -10;
}

// Unsaved changes are saved (to the file they belong to), dropped or kept by
// cancelling: false when the command must not go on.
bool MayReplaceSheet(CDesignerContext& ctx)
{
    return ctx.doc == nullptr || ctx.doc->SaveModified();
}

void RunTemplate(CDesignerContext& ctx)
{
    if (!MayReplaceSheet(ctx))
        return;
    const CString path = ctx.ui.AskOpenFile(kTemplateFilter, "kvx");
    if (path.IsEmpty())
        return;
    if (SheetOpened(ctx.Grid().GridOpenTemplate(path, CString())))
        ctx.view.ShowsFileAsStored(path);
}

void OpenEncrypted(CDesignerContext& ctx)
{
    if (!MayReplaceSheet(ctx))
        return;
    const CString path = ctx.ui.AskOpenFile(kTemplateFilter, "kvx");
    if (path.IsEmpty())
        return;
    CPasswordDlg dlg;
    if (ctx.ui.DoModal(dlg) != IDOK) {
        ctx.view.SetFilePath(CString());
        return;
    }
    if (ctx.Grid().GridOpenFile(path, dlg.m_strPassword) == 1)
        ctx.view.ShowsFileAsStored(path);
}

// A failed save says so, as the plain save does; a good one names the
// window after the file and clears the modified mark.
void SaveEncrypted(CDesignerContext& ctx)
{
    if (ctx.view.m_strFilePath.IsEmpty()) {
        const CString path = ctx.ui.AskSaveFile(kTemplateFilter, "kvx");
        if (path.IsEmpty())
            return;
        ctx.view.SetFilePath(path);
    }
    CPasswordDlg dlg;
    if (ctx.ui.DoModal(dlg) != IDOK) {
        ctx.view.SetFilePath(CString());
        return;
    }
    const CString path = ctx.view.m_strFilePath;
    if (ctx.Grid().GridSaveFile(path, dlg.m_strPassword) <= 0) {
        ctx.ui.MessageBox(CString(CKivoSheetDesignerDoc::kSaveFailed), CString("提示"), MB_OK);
        return;
    }
    ctx.view.ShowsFileAsStored(path);
}

void OpenBase64(CDesignerContext& ctx)
{
    CBase64StringDlg dlg;
    if (ctx.ui.DoModal(dlg) != IDOK || dlg.m_strBase64.IsEmpty())
        return;
    ctx.Grid().GridOpenBase64String(dlg.m_strBase64, dlg.m_strPassword);
}

void SaveBase64(CDesignerContext& ctx)
{
    CBase64StringDlg dlg;
    dlg.m_strBase64 = ctx.Grid().GridSaveBase64String(CString());
    ctx.ui.DoModal(dlg);
}

void ImportWorkbook(CDesignerContext& ctx)
{
    CImportExcelDlg dlg;
    dlg.m_ui = &ctx.ui;
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    const int result = ctx.Grid().GridImportExcelFileForOle(dlg.m_strPath, dlg.m_strPassword,
                                                            std::atoi(dlg.m_strSheet.GetString()));
    Tip(ctx, result == 1 ? "导入完毕!" : "导入失败!");
    if (result == 1)
        ctx.Changed();
}

void ExportWorkbook(CDesignerContext& ctx)
{
    const CString path = ctx.ui.AskSaveFile(CImportExcelDlg::kFilter, "xls");
    if (path.IsEmpty())
        return;
    Tip(ctx, ctx.Grid().GridSaveExcelFileForOle(path, CString()) == 1 ? "导出完毕!" : "导出失败!");
}

void ExportCsv(CDesignerContext& ctx)
{
    const CString path = ctx.ui.AskSaveFile(kCsvFilter, "csv");
    if (path.IsEmpty())
        return;
    Tip(ctx, ctx.Grid().GridSaveCSVFile(path) == 1 ? "导出完毕!" : "导出失败!");
}

}  // namespace

void RegisterFileCommands(CDesignerCommands& table)
{
    table.Add(32939, RunTemplate);
    table.Add(32988, OpenEncrypted);
    table.Add(32989, SaveEncrypted);
    table.Add(33031, OpenBase64);
    table.Add(33033, SaveBase64);
    table.Add(32992, ImportWorkbook);
    table.Add(32938, ExportWorkbook);
    table.Add(32955, ExportCsv);
    table.Add(32957, [](CDesignerContext& ctx) { ctx.Grid().PRTPopupPreview(); });
}
