// The database menu, the managers and the report wizard.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/commands/DatabaseCommandIds.h"
#include "designer/commands/TemplateTestCommand.h"
#include "designer/dialogs/BindDlg.h"
#include "designer/dialogs/ConnectionDlg.h"
#include "designer/dialogs/DataSetDlg.h"
#include "designer/dialogs/DbObjectSaves.h"
#include "designer/dialogs/ReportWizard.h"

#include <functional>

using namespace designer_cmd;

namespace {

// Runs an editor of what the template stores (connections, data sets,
// bindings, cells the wizard or a query fills) and marks the document
// modified when the stored template is no longer what it was: work done in
// the editor is then saved or asked about on closing, while an editor closed
// with Esc, or one that changed nothing, leaves the mark as it was. The
// stored form of the whole template is compared, so no editor has to report
// its own changes.
void MarkWhenStoredChanges(CDesignerContext& ctx, const std::function<void()>& edit)
{
    const CString before = ctx.Grid().GridSaveBase64String(CString());
    edit();
    if (ctx.Grid().GridSaveBase64String(CString()) != before)
        ctx.Changed();
}

}  // namespace

void RegisterDatabaseCommands(CDesignerCommands& table)
{
    table.Add(kDbTestTemplate, [](CDesignerContext& ctx) { SaveAndTestTemplate(ctx, kTestTemplatePrompt); });
    table.Add(kDbReportWizard, [](CDesignerContext& ctx) {
        CReportWizardDlg wizard;
        wizard.m_pGrid = &ctx.Grid();
        int answer = IDCANCEL;
        MarkWhenStoredChanges(ctx, [&] { answer = ctx.ui.DoModal(wizard); });
        if (answer == IDOK)
            SaveAndTestTemplate(ctx, kWizardTestTemplatePrompt);
        ctx.Grid().GridSetFocus();
    });
    table.Add(kDbConnections, [](CDesignerContext& ctx) {
        CConnectionManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        MarkWhenStoredChanges(ctx, [&] { ctx.ui.DoModal(manager); });
    });
    table.Add(kDbDataSets, [](CDesignerContext& ctx) {
        CDataSetManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        MarkWhenStoredChanges(ctx, [&] { ctx.ui.DoModal(manager); });
    });
    table.Add(kDbBindings, [](CDesignerContext& ctx) {
        CBindManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        MarkWhenStoredChanges(ctx, [&] { ctx.ui.DoModal(manager); });
    });
    table.Add(kDbBoundFields, [](CDesignerContext& ctx) {
        CBindFieldManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        MarkWhenStoredChanges(ctx, [&] {
            ctx.ui.DoModal(manager);
            if (manager.m_bMakeMarkers)
                WriteFieldMarkers(ctx.Grid(), false);
        });
    });
    table.Add(kDbDynamicQuery, [](CDesignerContext& ctx) {
        CQueryConditionDlg query;
        query.m_pGrid = &ctx.Grid();
        MarkWhenStoredChanges(ctx, [&] {
            if (ctx.ui.DoModal(query) == IDOK)
                ctx.Grid().DBFillData();
        });
    });
}
