// The automation objects of a row tree: KivoTree (a tree column, with its
// root as the tree's first row) and KivoTreeNode (one row of a tree). Both
// forward to the tree column (grid/TreeColumn.h) and add only the argument
// checks and the objects they hand out.
//
// Each holds the tree through a CTreeLink: the tree pointer and the tree's
// liveness token. An object whose tree is gone (deleted, the grid emptied or
// destroyed, the control released) and an object made by its ProgID act as
// empty objects: every member does nothing and every getter answers its
// failure value.
#pragma once

#include "control/KivoObjects.gen.h"

#include <memory>

class CTreeColumn;

class CTreeLink {
public:
    CTreeLink() = default;
    explicit CTreeLink(CTreeColumn* pTree);
    // The tree while it lives; NULL otherwise.
    CTreeColumn* Get() const { return m_pTree != nullptr && !m_alive.expired() ? m_pTree : nullptr; }

private:
    CTreeColumn* m_pTree = nullptr;
    std::weak_ptr<const void> m_alive;
};

// A KivoTree over the tree (empty for NULL).
CKivoObjectPtr CreateKivoTreeObject(CTreeColumn* pTree);
// A KivoTreeNode for the row of the tree.
CKivoObjectPtr CreateKivoTreeNodeObject(CTreeColumn* pTree, int nRow);

class CKivoTree : public CKivoTreeBase {
public:
    CKivoTree() = default;
    explicit CKivoTree(CTreeColumn* pTree) : m_tree(pTree) {}
    CTreeColumn* GetTree() const { return m_tree.Get(); }

    HRESULT get_Boxsize(SHORT& pVal) override;
    HRESULT put_Boxsize(SHORT newVal) override;
    HRESULT get_ShowLine(SHORT& pVal) override;
    HRESULT put_ShowLine(SHORT newVal) override;
    HRESULT get_LineColor(LONG& pVal) override;
    HRESULT put_LineColor(LONG newVal) override;
    HRESULT get_BoxLineColor(LONG& pVal) override;
    HRESULT put_BoxLineColor(LONG newVal) override;
    HRESULT get_BoxBgColor(LONG& pVal) override;
    HRESULT put_BoxBgColor(LONG newVal) override;
    HRESULT get_ShowBox(SHORT& pVal) override;
    HRESULT put_ShowBox(SHORT newVal) override;
    HRESULT get_RowIndex(LONG& pVal) override;
    HRESULT get_ColIndex(LONG& pVal) override;
    HRESULT Expand() override;
    HRESULT Collapse() override;
    HRESULT Sum() override;
    HRESULT Average() override;
    HRESULT get_Children(LONG& pVal) override;
    HRESULT get_Nodes(LONG& pVal) override;
    HRESULT get_LineStyle(LONG& pVal) override;
    HRESULT put_LineStyle(LONG newVal) override;
    HRESULT get_BoxLineStyle(LONG& pVal) override;
    HRESULT put_BoxLineStyle(LONG newVal) override;
    HRESULT get_Value(CString& pVal) override;
    HRESULT put_Value(const CString& newVal) override;
    HRESULT get_ValueEx(double& pVal) override;
    HRESULT put_ValueEx(double newVal) override;
    HRESULT AddNode(CKivoObjectPtr& ppNode) override;
    HRESULT GetNode(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT InsertNode(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT InsertNodeAfter(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT DeleteNode(LONG nChild) override;
    HRESULT ExpandAll() override;
    HRESULT GetNodeEx(LONG nRow, CKivoObjectPtr& ppNode) override;
    HRESULT get_XML(CString& pVal) override;
    HRESULT SumEx(LONG nCol) override;
    HRESULT AverageEx(LONG nCol) override;

private:
    CTreeLink m_tree;
};

class CKivoTreeNode : public CKivoTreeNodeBase {
public:
    CKivoTreeNode() = default;
    CKivoTreeNode(CTreeColumn* pTree, int nRow) : m_tree(pTree), m_nRow(nRow) {}
    CTreeColumn* GetTree() const { return m_tree.Get(); }

    HRESULT AddNode(CKivoObjectPtr& ppNode) override;
    HRESULT InsertNode(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT InsertNodeAfter(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT GetNode(LONG nChild, CKivoObjectPtr& ppNode) override;
    HRESULT GetParent(CKivoObjectPtr& ppNode) override;
    HRESULT GetRoot(CKivoObjectPtr& ppTree) override;
    HRESULT Sum() override;
    HRESULT Average() override;
    HRESULT Expand() override;
    HRESULT Collapse() override;
    HRESULT get_RowIndex(LONG& pVal) override;
    HRESULT get_ColIndex(LONG& pVal) override;
    HRESULT get_Value(CString& pVal) override;
    HRESULT put_Value(const CString& newVal) override;
    HRESULT get_ValueEx(double& pVal) override;
    HRESULT put_ValueEx(double newVal) override;
    HRESULT MoveUp() override;
    HRESULT MoveDown() override;
    HRESULT UpLevel() override;
    HRESULT DownLevel() override;
    HRESULT get_Level(LONG& pVal) override;
    HRESULT get_Children(LONG& pVal) override;
    HRESULT get_Nodes(LONG& pVal) override;
    HRESULT DelNode(LONG nChildIndex) override;
    HRESULT ExpandAll() override;
    HRESULT GetNodeEx(LONG nRow, CKivoObjectPtr& ppNode) override;
    HRESULT get_ChildIndex(LONG& pVal) override;
    HRESULT SumEx(LONG nCol) override;
    HRESULT AverageEx(LONG nCol) override;

private:
    CTreeLink m_tree;
    int m_nRow = -1;
};
