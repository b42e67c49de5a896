// Row trees: a tree column whose nodes group the rows below them. The
// commands start from the focus cell.
#include "designer/commands/EditingFamily.h"

#include "designer/DesignerUi.h"
#include "designer/commands/TreeMembership.h"

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
    t.Add(32911, AddSibling, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col) && FocusLevel(c.Grid(), row, col) > 1;
    });
}
