// Row trees: a tree column whose nodes group the rows below them. The
// commands start from the focus cell.
#include "designer/commands/EditingFamily.h"

#include "base/WinConstants.h"
#include "designer/DesignerUi.h"
#include "designer/commands/TreeMembership.h"
#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/TreeValueReaders.h"

namespace {

// The program's caption on its message boxes.
const char kCaption[] = "翠禾报表设计器";

long FocusLevel(IGridControl& g, LONG row, LONG col)
{
    CString name;
    name.Format("gettreelevel(%d)", static_cast<int>(row));
    return TreePropertyNumber(g, row, col, name);
}

long FocusState(IGridControl& g, LONG row, LONG col)
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
    g.ColumnSetControlTreeProperty(row, col, CString("inserttree"), SiblingInsertValue(FocusLevel(g, row, col), row));
    g.CellSetFocus(row, col);
    ctx.Changed();
}

// The focus cell's tree and, unless the focus is on the tree's root row,
// the node of the focus row. False without a focus cell or a tree there.
struct TreeStep {
    std::unique_ptr<IKivoTree> tree;
    std::unique_ptr<IKivoTreeNode> node;   // null on the root row
    LONG row = -1, col = -1;
    bool OnRoot() const { return !node; }
};
bool StepToNode(IGridControl& g, TreeStep& step)
{
    if (!g.CellGetFocus(step.row, step.col))
        return false;
    step.tree = g.GridGetTreeEx(step.row, step.col);
    if (!step.tree)
        return false;
    if (step.tree->GetRowIndex() == step.row)
        return true;
    step.node = step.tree->GetNodeEx(step.row);
    return step.node != nullptr;
}

void AddChild(CDesignerContext& ctx)
{
    TreeStep step;
    if (!StepToNode(ctx.Grid(), step))
        return;
    if (step.OnRoot())
        step.tree->AddNode();
    else
        step.node->AddNode();
    ctx.Changed();
}

void ExpandOrCollapse(CDesignerContext& ctx, bool expand)
{
    TreeStep step;
    if (!StepToNode(ctx.Grid(), step))
        return;
    if (step.OnRoot())
        expand ? step.tree->Expand() : step.tree->Collapse();
    else
        expand ? step.node->Expand() : step.node->Collapse();
    ctx.Changed();
}

void ExpandAll(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    if (std::unique_ptr<IKivoTree> tree = g.GridGetTreeEx(row, col)) {
        tree->ExpandAll();
        ctx.Changed();
    }
}

void DeleteNode(CDesignerContext& ctx)
{
    TreeStep step;
    if (!StepToNode(ctx.Grid(), step))
        return;
    if (step.OnRoot()) {
        ctx.ui.MessageBox(CString("根节点无法删除.请使用删除树的方式将根节点及其子节点移除!"), CString(kCaption),
                          MB_OK);
        return;
    }
    std::unique_ptr<IKivoTreeNode> parent = step.node->GetParent();
    const LONG index = step.node->GetChildIndex();
    if (parent && index >= 0) {
        parent->DelNode(index);
        ctx.Changed();
        return;
    }
    // A node right below the root has the tree itself for its parent.
    if (!parent && index >= 0 && step.node->GetLevel() == 2) {
        step.tree->DeleteNode(index);
        ctx.Changed();
    }
}

// Moving a node one level up or down, or one place among its siblings; the
// root row stays where it is.
void MoveNode(CDesignerContext& ctx, void (IKivoTreeNode::*move)(), const char* rootMessage)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!g.CellGetFocus(row, col))
        return;
    std::unique_ptr<IKivoObject> made = g.CreateKivoObject(CString("KivoSheet.KivoTree.1"));
    std::unique_ptr<IKivoTree> tree = g.GridGetTreeEx(row, col);
    if (!tree)
        return;
    if (tree->GetRowIndex() == row) {
        ctx.ui.MessageBox(CString(rootMessage), CString(kCaption), MB_OK);
        return;
    }
    made = g.CreateKivoObject(CString("KivoSheet.KivoTreeNode.1"));
    std::unique_ptr<IKivoTreeNode> node = tree->GetNodeEx(row);
    if (!node)
        return;
    ((*node).*move)();
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
    t.Add(32776, [](Ctx& c) {
        LONG row = 0, col = 0;
        if (!GetValidFocus(c.Grid(), row, col))
            return;
        if (c.Grid().GridAddTree(row, col))
            c.Changed();
    }, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = !Selection(c).FocusInTree(row, col);
    });
    t.Add(32802, AddChild, inTree);
    t.Add(32778, [](Ctx& c) { ExpandOrCollapse(c, true); }, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col) && FocusState(c.Grid(), row, col) != 0;
    });
    t.Add(32779, [](Ctx& c) { ExpandOrCollapse(c, false); }, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col) && FocusState(c.Grid(), row, col) == 0;
    });
    t.Add(32914, ExpandAll, inTree);
    t.Add(32916, DeleteNode, inTree);
    t.Add(33005, [](Ctx& c) { MoveNode(c, &IKivoTreeNode::UpLevel, "根节点无法升级!"); }, inTree);
    t.Add(33002, [](Ctx& c) { MoveNode(c, &IKivoTreeNode::DownLevel, "根节点无法降级!"); }, inTree);
    t.Add(33003, [](Ctx& c) { MoveNode(c, &IKivoTreeNode::MoveUp, "根节点无法上移!"); }, inTree);
    t.Add(33004, [](Ctx& c) { MoveNode(c, &IKivoTreeNode::MoveDown, "根节点无法下移!"); }, inTree);
    t.Add(32911, AddSibling, [](Ctx& c, State& s) {
        LONG row = 0, col = 0;
        s.enabled = Selection(c).FocusInTree(row, col) && FocusLevel(c.Grid(), row, col) > 1;
    });
}
