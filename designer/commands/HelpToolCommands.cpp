// The help menu's version and contact boxes, the template file association,
// and the two batch tools.
#include "designer/commands/FileTableHelp.h"

#include "designer/CGFILTYP.h"
#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/dialogs/BatchDialogs.h"

namespace {

void Version(CDesignerContext& ctx)
{
    ctx.ui.MessageBox("当前系统运行的卡沃企业版本: [" + ctx.Grid().GridGetOCXVersion() + "]", CString(), MB_OK);
}

void Contact(CDesignerContext& ctx)
{
    ctx.ui.MessageBox(CString("感谢您使用卡沃表格!\r\n\r\n") + "我们的联系方式:\r\n" +
                          "    电子邮件: support@kivosheet.example\r\n" +
                          "    网站: https://kivosheet.example\r\n\r\n" + "(按 Ctrl+C 可以复制本框中的文字)",
                      CString(), MB_OK);
}

}  // namespace

int AssociateTemplateFiles(IDesignerUi& ui)
{
    IRegistryRoot* root = ui.ClassesRoot();
    const CString program = ui.ProgramPath();
    if (root == nullptr || program.IsEmpty())
        return FALSE;
    CGCFileTypeAccess access;
    access.SetFileExtension("kvx");
    // The program path is quoted so that a path with blanks stays whole.
    const CString command = CGCFileTypeAccess::OpenCommandFor(program);
    access.SetOpenCommand(command);
    access.SetAppPath(command);
    access.SetTypeName("CKivoSheetDesigner.Document");
    access.SetIconPath(program + ",0");
    const BOOL ok = access.RegisterAll(root);
    ui.AssociationsChanged();
    return ok;
}

void RegisterHelpToolCommands(CDesignerCommands& table)
{
    table.Add(32929, Version);
    table.Add(32930, Contact);
    table.Add(32945, [](CDesignerContext& ctx) {
        if (!AssociateTemplateFiles(ctx.ui))
            ctx.ui.MessageBox("无法写入注册表, 卡沃模板文件(.kvx)未能与本程序关联!", "提示", MB_OK | MB_ICONSTOP);
    });
    table.Add(32953, [](CDesignerContext& ctx) {
        CRemergeDlg dlg;
        dlg.m_ui = &ctx.ui;
        ctx.ui.DoModal(dlg);
    });
    table.Add(33000, [](CDesignerContext& ctx) {
        CBatchExcelConvertDlg dlg;
        dlg.m_ui = &ctx.ui;
        ctx.ui.DoModal(dlg);
    });
}
