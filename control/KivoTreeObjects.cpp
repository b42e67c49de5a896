// KivoTree and KivoTreeNode over the tree column.
#include "control/KivoTreeObjects.h"

#include "grid/TreeColumn.h"

CTreeLink::CTreeLink(CTreeColumn* pTree)
    : m_pTree(pTree), m_alive(pTree != nullptr ? pTree->GetLiveness() : std::weak_ptr<const void>())
{
}

CKivoObjectPtr CreateKivoTreeObject(CTreeColumn* pTree)
{
    return std::make_unique<CKivoTree>(pTree);
}

CKivoObjectPtr CreateKivoTreeNodeObject(CTreeColumn* pTree, int nRow)
{
    return std::make_unique<CKivoTreeNode>(pTree, nRow);
}

namespace {

// A node for the row the tree answered; no object for -1.
CKivoObjectPtr NodeOrNothing(CTreeColumn* pTree, int nRow)
{
    return nRow >= 0 ? CreateKivoTreeNodeObject(pTree, nRow) : CKivoObjectPtr();
}

// A node for the tree's row strictly between its root and its end.
CKivoObjectPtr NodeInside(CTreeColumn* pTree, LONG nRow)
{
    if (nRow <= pTree->GetStartRow() || nRow >= pTree->GetEndRow())
        return CKivoObjectPtr();
    return CreateKivoTreeNodeObject(pTree, static_cast<int>(nRow));
}

CKivoObjectPtr ChildNode(CTreeColumn* pTree, int nRow, LONG nChild)
{
    if (nChild < 1 || nChild > pTree->GetChildCount(nRow))
        return CKivoObjectPtr();
    return NodeOrNothing(pTree, pTree->GetChildRow(nRow, static_cast<int>(nChild)));
}

}  // namespace

// The empty object's answer: the base's failure values.
#define KIVO_TREE_OR(base_call)                \
    CTreeColumn* tree = m_tree.Get();          \
    if (tree == nullptr)                       \
        return base_call;

// --- KivoTree ----------------------------------------------------------------------------------

HRESULT CKivoTree::get_Boxsize(SHORT& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_Boxsize(pVal))
    pVal = static_cast<SHORT>(tree->GetBoxSize());
    return kKivoOk;
}

HRESULT CKivoTree::put_Boxsize(SHORT newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetBoxSize(newVal);
    return kKivoOk;
}

HRESULT CKivoTree::get_ShowLine(SHORT& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_ShowLine(pVal))
    pVal = static_cast<SHORT>(tree->GetShowLine());
    return kKivoOk;
}

HRESULT CKivoTree::put_ShowLine(SHORT newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetShowLine(newVal);
    return kKivoOk;
}

HRESULT CKivoTree::get_LineColor(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_LineColor(pVal))
    pVal = static_cast<LONG>(tree->GetLineColor());
    return kKivoOk;
}

HRESULT CKivoTree::put_LineColor(LONG newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetLineColor(static_cast<COLORREF>(newVal));
    return kKivoOk;
}

HRESULT CKivoTree::get_BoxLineColor(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_BoxLineColor(pVal))
    pVal = static_cast<LONG>(tree->GetBoxLineColor());
    return kKivoOk;
}

HRESULT CKivoTree::put_BoxLineColor(LONG newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetBoxLineColor(static_cast<COLORREF>(newVal));
    return kKivoOk;
}

HRESULT CKivoTree::get_BoxBgColor(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_BoxBgColor(pVal))
    pVal = static_cast<LONG>(tree->GetBoxBackColor());
    return kKivoOk;
}

HRESULT CKivoTree::put_BoxBgColor(LONG newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetBoxBackColor(static_cast<COLORREF>(newVal));
    return kKivoOk;
}

HRESULT CKivoTree::get_ShowBox(SHORT& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_ShowBox(pVal))
    pVal = static_cast<SHORT>(tree->GetShowRectangle());
    return kKivoOk;
}

HRESULT CKivoTree::put_ShowBox(SHORT newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetShowRectangle(newVal);
    return kKivoOk;
}

HRESULT CKivoTree::get_RowIndex(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_RowIndex(pVal))
    pVal = tree->GetStartRow();
    return kKivoOk;
}

HRESULT CKivoTree::get_ColIndex(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_ColIndex(pVal))
    pVal = tree->GetTreeColumn();
    return kKivoOk;
}

HRESULT CKivoTree::Expand()
{
    KIVO_TREE_OR(kKivoOk)
    tree->Expand(tree->GetStartRow());
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTree::Collapse()
{
    KIVO_TREE_OR(kKivoOk)
    tree->Collapse(tree->GetStartRow());
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTree::Sum()
{
    KIVO_TREE_OR(kKivoOk)
    tree->SumChildren(tree->GetStartRow());
    return kKivoOk;
}

HRESULT CKivoTree::Average()
{
    KIVO_TREE_OR(kKivoOk)
    tree->AverageChildren(tree->GetStartRow());
    return kKivoOk;
}

HRESULT CKivoTree::get_Children(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_Children(pVal))
    pVal = tree->GetChildCount(tree->GetStartRow());
    return kKivoOk;
}

HRESULT CKivoTree::get_Nodes(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_Nodes(pVal))
    pVal = tree->GetEndRow() - tree->GetStartRow();
    return kKivoOk;
}

HRESULT CKivoTree::get_LineStyle(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_LineStyle(pVal))
    pVal = tree->GetLineStyle();
    return kKivoOk;
}

HRESULT CKivoTree::put_LineStyle(LONG newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetLineStyle(static_cast<int>(newVal));
    return kKivoOk;
}

HRESULT CKivoTree::get_BoxLineStyle(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_BoxLineStyle(pVal))
    pVal = tree->GetBoxLineStyle();
    return kKivoOk;
}

HRESULT CKivoTree::put_BoxLineStyle(LONG newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetBoxLineStyle(static_cast<int>(newVal));
    return kKivoOk;
}

HRESULT CKivoTree::get_Value(CString& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_Value(pVal))
    pVal = tree->GetNodeText(tree->GetStartRow());
    return kKivoOk;
}

HRESULT CKivoTree::put_Value(const CString& newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetNodeText(tree->GetStartRow(), newVal);
    return kKivoOk;
}

HRESULT CKivoTree::get_ValueEx(double& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_ValueEx(pVal))
    pVal = tree->GetNodeValue(tree->GetStartRow());
    return kKivoOk;
}

HRESULT CKivoTree::put_ValueEx(double newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetNodeValue(tree->GetStartRow(), newVal);
    return kKivoOk;
}

HRESULT CKivoTree::AddNode(CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeBase::AddNode(ppNode))
    ppNode = NodeOrNothing(tree, tree->AddChild(tree->GetStartRow()));
    return kKivoOk;
}

HRESULT CKivoTree::GetNode(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeBase::GetNode(nChild, ppNode))
    ppNode = ChildNode(tree, tree->GetStartRow(), nChild);
    return kKivoOk;
}

HRESULT CKivoTree::InsertNode(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeBase::InsertNode(nChild, ppNode))
    ppNode = NodeOrNothing(tree, tree->InsertChild(tree->GetStartRow(), static_cast<int>(nChild), FALSE));
    return kKivoOk;
}

HRESULT CKivoTree::InsertNodeAfter(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeBase::InsertNodeAfter(nChild, ppNode))
    ppNode = NodeOrNothing(tree, tree->InsertChild(tree->GetStartRow(), static_cast<int>(nChild), TRUE));
    return kKivoOk;
}

HRESULT CKivoTree::DeleteNode(LONG nChild)
{
    KIVO_TREE_OR(kKivoOk)
    tree->DeleteChild(tree->GetStartRow(), static_cast<int>(nChild));
    return kKivoOk;
}

HRESULT CKivoTree::ExpandAll()
{
    KIVO_TREE_OR(kKivoOk)
    tree->ExpandSubtree(tree->GetStartRow());
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTree::GetNodeEx(LONG nRow, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeBase::GetNodeEx(nRow, ppNode))
    ppNode = NodeInside(tree, nRow);
    return kKivoOk;
}

HRESULT CKivoTree::get_XML(CString& pVal)
{
    KIVO_TREE_OR(CKivoTreeBase::get_XML(pVal))
    pVal = tree->GetAttributeText();
    return kKivoOk;
}

HRESULT CKivoTree::SumEx(LONG nCol)
{
    KIVO_TREE_OR(kKivoOk)
    if (nCol >= 0)
        tree->SumChildrenInColumn(tree->GetStartRow(), static_cast<int>(nCol));
    return kKivoOk;
}

HRESULT CKivoTree::AverageEx(LONG nCol)
{
    KIVO_TREE_OR(kKivoOk)
    if (nCol >= 0)
        tree->AverageChildrenInColumn(tree->GetStartRow(), static_cast<int>(nCol));
    return kKivoOk;
}

// --- KivoTreeNode ------------------------------------------------------------------------------

HRESULT CKivoTreeNode::AddNode(CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::AddNode(ppNode))
    ppNode = NodeOrNothing(tree, tree->AddChild(m_nRow));
    return kKivoOk;
}

HRESULT CKivoTreeNode::InsertNode(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::InsertNode(nChild, ppNode))
    ppNode = NodeOrNothing(tree, tree->InsertChild(m_nRow, static_cast<int>(nChild), FALSE));
    return kKivoOk;
}

HRESULT CKivoTreeNode::InsertNodeAfter(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::InsertNodeAfter(nChild, ppNode))
    ppNode = NodeOrNothing(tree, tree->InsertChild(m_nRow, static_cast<int>(nChild), TRUE));
    return kKivoOk;
}

HRESULT CKivoTreeNode::GetNode(LONG nChild, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::GetNode(nChild, ppNode))
    ppNode = ChildNode(tree, m_nRow, nChild);
    return kKivoOk;
}

HRESULT CKivoTreeNode::GetParent(CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::GetParent(ppNode))
    const int parent = tree->GetParentRow(m_nRow);
    ppNode = parent >= tree->GetStartRow() ? CreateKivoTreeNodeObject(tree, parent) : CKivoObjectPtr();
    return kKivoOk;
}

HRESULT CKivoTreeNode::GetRoot(CKivoObjectPtr& ppTree)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::GetRoot(ppTree))
    ppTree = CreateKivoTreeObject(tree);
    return kKivoOk;
}

HRESULT CKivoTreeNode::Sum()
{
    KIVO_TREE_OR(kKivoOk)
    tree->SumChildren(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::Average()
{
    KIVO_TREE_OR(kKivoOk)
    tree->AverageChildren(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::Expand()
{
    KIVO_TREE_OR(kKivoOk)
    tree->Expand(m_nRow);
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTreeNode::Collapse()
{
    KIVO_TREE_OR(kKivoOk)
    tree->Collapse(m_nRow);
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_RowIndex(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_RowIndex(pVal))
    pVal = m_nRow;
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_ColIndex(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_ColIndex(pVal))
    pVal = tree->GetTreeColumn();
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_Value(CString& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_Value(pVal))
    pVal = tree->GetNodeText(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::put_Value(const CString& newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetNodeText(m_nRow, newVal);
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_ValueEx(double& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_ValueEx(pVal))
    pVal = tree->GetNodeValue(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::put_ValueEx(double newVal)
{
    KIVO_TREE_OR(kKivoOk)
    tree->SetNodeValue(m_nRow, newVal);
    return kKivoOk;
}

HRESULT CKivoTreeNode::MoveUp()
{
    KIVO_TREE_OR(kKivoOk)
    const int row = tree->MoveNodeUp(m_nRow);
    if (row >= 0)
        m_nRow = row;
    return kKivoOk;
}

HRESULT CKivoTreeNode::MoveDown()
{
    KIVO_TREE_OR(kKivoOk)
    const int row = tree->MoveNodeDown(m_nRow);
    if (row >= 0)
        m_nRow = row;
    return kKivoOk;
}

HRESULT CKivoTreeNode::UpLevel()
{
    KIVO_TREE_OR(kKivoOk)
    tree->UpLevel(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::DownLevel()
{
    KIVO_TREE_OR(kKivoOk)
    tree->DownLevel(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_Level(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_Level(pVal))
    pVal = tree->GetLevel(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_Children(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_Children(pVal))
    pVal = tree->GetChildCount(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_Nodes(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_Nodes(pVal))
    pVal = tree->GetDescendantCount(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::DelNode(LONG nChildIndex)
{
    KIVO_TREE_OR(kKivoOk)
    tree->DeleteChild(m_nRow, static_cast<int>(nChildIndex));
    return kKivoOk;
}

HRESULT CKivoTreeNode::ExpandAll()
{
    KIVO_TREE_OR(kKivoOk)
    tree->ExpandSubtree(m_nRow);
    tree->ApplyRowVisibility();
    return kKivoOk;
}

HRESULT CKivoTreeNode::GetNodeEx(LONG nRow, CKivoObjectPtr& ppNode)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::GetNodeEx(nRow, ppNode))
    ppNode = NodeInside(tree, nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::get_ChildIndex(LONG& pVal)
{
    KIVO_TREE_OR(CKivoTreeNodeBase::get_ChildIndex(pVal))
    pVal = tree->GetChildIndex(m_nRow);
    return kKivoOk;
}

HRESULT CKivoTreeNode::SumEx(LONG nCol)
{
    KIVO_TREE_OR(kKivoOk)
    if (nCol >= 0)
        tree->SumChildrenInColumn(m_nRow, static_cast<int>(nCol));
    return kKivoOk;
}

HRESULT CKivoTreeNode::AverageEx(LONG nCol)
{
    KIVO_TREE_OR(kKivoOk)
    if (nCol >= 0)
        tree->AverageChildrenInColumn(m_nRow, static_cast<int>(nCol));
    return kKivoOk;
}
