#include "designer/DesignerCommand.h"

#include "designer/KivoSheetDesignerView.h"
#include "designer/commands/CommandFamilies.h"

IGridControl& CDesignerContext::Grid() const
{
    return view.Grid();
}

void CDesignerContext::Changed() const
{
    view.NotifyChanged();
}

CDesignerCommands& CDesignerCommands::Instance()
{
    static CDesignerCommands* table = [] {
        auto* t = new CDesignerCommands;
        RegisterFileTableHelpCommands(*t);
        RegisterEditingCommands(*t);
        RegisterCellControlCommands(*t);
        RegisterDatabaseCommands(*t);
        return t;
    }();
    return *table;
}

void CDesignerCommands::Add(UINT id, Handler run, Updater update)
{
    if (m_entries.count(id) != 0)
        m_twice.push_back(id);
    m_entries[id] = Entry{std::move(run), std::move(update)};
}

bool CDesignerCommands::Has(UINT id) const
{
    return m_entries.count(id) != 0;
}

bool CDesignerCommands::Run(UINT id, CDesignerContext& ctx) const
{
    CCmdState state;
    if (!Update(id, ctx, state) || !state.enabled)
        return false;
    const Entry& e = m_entries.at(id);
    if (e.run)
        e.run(ctx);
    // Whatever the command did, the update handlers read the cells afresh.
    ctx.view.ForgetSelectionState();
    return true;
}

bool CDesignerCommands::Update(UINT id, CDesignerContext& ctx, CCmdState& state) const
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end()) {
        state.enabled = FALSE;
        state.checked = FALSE;
        return false;
    }
    state = CCmdState();
    if (it->second.update)
        it->second.update(ctx, state);
    return true;
}
