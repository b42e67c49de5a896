// Row trees: a tree column whose nodes group the rows below them. The
// commands start from the focus cell.
#include "designer/commands/EditingFamily.h"

#include "designer/DesignerUi.h"
#include "designer/commands/TreeMembership.h"
#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/TreeValueReaders.h"

namespace {

long FocusLevel(IGridControl& g, LONG row, LONG col)
{
    CString name;
    name.Format("gettreelevel(%d)", static_cast<int>(row));
    return TreePropertyNumber(g, row, col, name);
}

[[maybe_unused]] long FocusState(IGridControl& g, LONG row, LONG col)
{
    CString name;
    name.Format("getstate(%d)", static_cast<int>(row));
    return TreePropertyNumber(g, row, col, name);
}

void AddSibling(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    CString value;
    value.Format("\"%ld\" , %d", FocusLevel(g, row, col), static_cast<int>(row));
    g.ColumnSetControlTreeProperty(row, col, CString("inserttree"), value);
    g.CellSetFocus(row, col);
    ctx.Changed();
}

// The look of the focus cell's tree through its properties dialog.
void TreeProperties(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    auto get = [&](const char* name) { return g.ColumnGetControlTreeProperty(row, col, CString(name)); };
    CRowTreePropertiesDlg dlg;
    dlg.m_bShowRect = ReadTreeNumber(get("showrectangle")) != 0;
    dlg.m_bShowLine = ReadTreeNumber(get("showline")) != 0;
    dlg.m_crBoxBg = ReadTreeColour(get("boxbgcolor"));
    dlg.m_crBoxLine = ReadTreeColour(get("boxlinecolor"));
    dlg.m_crLine = ReadTreeColour(get("linecolor"));
    dlg.m_nBoxSize = ReadTreeNumber(get("boxsize"));
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    auto put = [&](const char* name, long value) {
        CString text;
        text.Format("%ld", value);
        g.ColumnSetControlTreeProperty(row, col, CString(name), text);
    };
    put("showrectangle", dlg.m_bShowRect ? 1 : 0);
    put("showline", dlg.m_bShowLine ? 1 : 0);
    put("boxbgcolor", static_cast<long>(dlg.m_crBoxBg));
    put("boxlinecolor", static_cast<long>(dlg.m_crBoxLine));
    put("linecolor", static_cast<long>(dlg.m_crLine));
    put("boxsize", dlg.m_nBoxSize);
    g.GridRefresh();
    ctx.Changed();
}

}  // namespace

void RegisterTreeCommands(CDesignerCommands& t)
{
    using Ctx = CDesignerContext;
    using State = CCmdState;
    auto inTree = [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col);
    };
    t.Add(32777, [](Ctx& c) {
        LONG row = 0, col = 0;
        if (!c.Grid().CellGetFocus(row, col))
            return;
        c.Grid().ColumnDelControlTree(row, col);
        c.Changed();
    }, inTree);
    t.Add(32915, TreeProperties, inTree);
    t.Add(32911, AddSibling, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col) && FocusLevel(c.Grid(), row, col) > 1;
    });
}
