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

using namespace designer_cmd;

void RegisterDatabaseCommands(CDesignerCommands& table)
{
    table.Add(kDbTestTemplate, [](CDesignerContext& ctx) { SaveAndTestTemplate(ctx, kTestTemplatePrompt); });
    table.Add(kDbReportWizard, [](CDesignerContext& ctx) {
        CReportWizardDlg wizard;
        wizard.m_pGrid = &ctx.Grid();
        if (ctx.ui.DoModal(wizard) == IDOK)
            SaveAndTestTemplate(ctx, kWizardTestTemplatePrompt);
        ctx.Grid().GridSetFocus();
    });
    table.Add(kDbConnections, [](CDesignerContext& ctx) {
        CConnectionManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        ctx.ui.DoModal(manager);
    });
    table.Add(kDbDataSets, [](CDesignerContext& ctx) {
        CDataSetManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        ctx.ui.DoModal(manager);
    });
    table.Add(kDbBindings, [](CDesignerContext& ctx) {
        CBindManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        ctx.ui.DoModal(manager);
    });
    table.Add(kDbBoundFields, [](CDesignerContext& ctx) {
        CBindFieldManagerDlg manager;
        manager.m_pGrid = &ctx.Grid();
        ctx.ui.DoModal(manager);
        if (manager.m_bMakeMarkers)
            WriteFieldMarkers(ctx.Grid(), false);
    });
    table.Add(kDbDynamicQuery, [](CDesignerContext& ctx) {
        CQueryConditionDlg query;
        query.m_pGrid = &ctx.Grid();
        if (ctx.ui.DoModal(query) == IDOK)
            ctx.Grid().DBFillData();
    });
}
