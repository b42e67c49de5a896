#include "designer/commands/TemplateTestCommand.h"

#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/dialogs/TemplateTestDlg.h"

const char* const kTestTemplatePrompt =
    "请确认当前绑定设置是否已经保存至文件,否则运行模板后看不到当前设置效果.是否立即保存当前模板?";
const char* const kWizardTestTemplatePrompt =
    "模板已经设置完成,是否需要测试模板? 测试模板前, 请先确认当前绑定设置是否已经保存至文件,"
    "否则运行模板后看不到当前设置效果.是否立即保存当前模板?";

void SaveAndTestTemplate(CDesignerContext& ctx, const char* prompt)
{
    if (ctx.ui.MessageBox(prompt, "保存", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const CString path = ctx.ui.AskSavePath(CString());
    if (path.IsEmpty())
        return;
    // The full path: a bare file name would tie every later save of the view
    // to whatever the current folder is then. A failed save says so and
    // tests nothing; a good one names the window after the file.
    if (ctx.Grid().GridSaveFile(path, CString()) <= 0) {
        ctx.ui.MessageBox(CString(CKivoSheetDesignerDoc::kSaveFailed), CString("提示"), MB_OK);
        return;
    }
    ctx.view.ShowsFileAsStored(path);
    CTemplateTestDlg test;
    test.m_strPath = path;
    ctx.ui.DoModal(test);
}
