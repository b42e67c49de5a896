// CTreeColumn: a row tree (an outline) shown in one column of the grid.
//
// A run of rows, from the start row (the root, level 1) up to the end row
// (exclusive), carries one level byte per row: a row of level k + 1 directly
// below a row of level k is its child. Every cell of the tree column in these
// rows is a CGridTreeCell (GridTreeCell.h) that draws the lines and the +/-
// box of its row and asks this object what to draw. Folding hides rows by
// giving them height 0; the host is asked first (messages 1037 and 1038 to
// the grid's parent, which the control turns into events).
//
// The tree is described by the attribute text of a "control" element:
//   <control treerow = "1,2,2" startrow ="1" treecolumn ="1" linecolor ="..."
//    linestyle ="2" boxsize = "13" ... ></control>
// (GetAttributeText writes it byte for byte; SetControl reads it). Reading a
// text checks it against the grid first: a tree that would start outside the
// grid, reach into the rows of another tree or hold more rows than the text
// can describe is refused and the tree stays as it was.
//
// The grid owns its tree columns (CGridCtrl::AddTree and the tree-column
// list, GridCtrlTrees.cpp) and tells them about inserted and deleted rows and
// columns. Objects that outlive a tree (the automation objects, the tree
// cells) hold its liveness token (GetLiveness) and refuse once it is gone.
//
// Split by job:
//   TreeColumn.cpp          state, attribute text, commands and queries, record
//   TreeColumnModel.cpp     the level model: relations, visibility, row heights
//   TreeColumnEdit.cpp      structure edits: adding, inserting, deleting, moving nodes
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/XmlElement.h"
#include "grid/RuntimeClass.h"

#include <memory>
#include <vector>

class CArchive;
class CGridCtrl;

// Line styles of the outline and of the box frame (pen styles).
enum TreeLineStyle { TLINE_NORMAL = 0, TLINE_DASHED = 1, TLINE_DOTTED = 2, TLINE_DASHDOTTED = 3, TLINE_DASHDOTDOTTED = 4 };

// Tags of the tree column's record.
const int TREE_RECORD_TEXT = 4101;
const int TREE_RECORD_POSITION = 4102;
const int TREE_RECORD_END = 4300;

// Defaults of the drawing attributes.
const COLORREF TREE_DEFAULT_LINE_COLOUR = RGB(132, 130, 132);
const COLORREF TREE_DEFAULT_BOX_BACK = RGB(255, 255, 255);
const int TREE_DEFAULT_BOX_SIZE = 13;

class CTreeColumn : public CObject {
    DECLARE_DYNCREATE(CTreeColumn)

public:
    CTreeColumn();
    ~CTreeColumn() override;

    CTreeColumn(const CTreeColumn&) = delete;
    CTreeColumn& operator=(const CTreeColumn&) = delete;

    // Expires when this object is destroyed.
    std::weak_ptr<const void> GetLiveness() const { return m_token; }

    // --- placement ------------------------------------------------------------
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    CGridCtrl* GetGrid() const { return m_pGrid; }
    // Stores the start row and column and marks the tree as placed.
    void SetTreePosition(int nStartRow, int nCol);
    int GetStartRow() const { return m_nStartRow; }
    int GetTreeColumn() const { return m_nCol; }
    // The first row after the tree (start row + number of tree rows).
    int GetEndRow() const { return m_nStartRow + GetRowCount(); }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    BOOL CoversRow(int nRow) const { return nRow >= m_nStartRow && nRow < GetEndRow(); }

    // One root row at the placed position, the drawing attributes at their
    // defaults, attached and shown. FALSE when the grid cannot hold it.
    BOOL InitializeTree();
    // Makes every cell of the tree column in the tree rows a tree cell linked
    // to this tree (growing the grid to the end row and the tree column when
    // it is smaller), then invalidates the grid. FALSE when a cell cannot be
    // converted (the remaining rows stay as they are).
    BOOL Attach();
    // Every tree cell of the tree rows back to a plain cell keeping its content.
    void CreateTreeCells();
    // Re-attaches with the current levels and shows every row.
    void Refresh();

    // --- drawing attributes (a setter also rewrites the attribute text; the
    // next paint shows the change) -----------------------------------------------
    int GetBoxSize() const { return m_nBoxSize; }
    // Ignored below 10 (the low 16 bits are compared).
    void SetBoxSize(int nSize);
    int GetIndent() const { return m_nIndent; }
    BOOL GetShowLine() const { return m_bShowLine; }
    void SetShowLine(BOOL b) { m_bShowLine = b ? 1 : 0; RebuildElement(); }
    BOOL GetShowRectangle() const { return m_bShowRectangle; }
    void SetShowRectangle(BOOL b) { m_bShowRectangle = b ? 1 : 0; RebuildElement(); }
    COLORREF GetLineColor() const { return m_crLine; }
    void SetLineColor(COLORREF clr) { m_crLine = clr; RebuildElement(); }
    COLORREF GetBoxLineColor() const { return m_crBoxLine; }
    void SetBoxLineColor(COLORREF clr) { m_crBoxLine = clr; RebuildElement(); }
    COLORREF GetBoxBackColor() const { return m_crBoxBack; }
    void SetBoxBackColor(COLORREF clr) { m_crBoxBack = clr; RebuildElement(); }
    int GetLineStyle() const { return m_nLineStyle; }
    void SetLineStyle(int nStyle) { m_nLineStyle = nStyle; RebuildElement(); }
    int GetBoxLineStyle() const { return m_nBoxLineStyle; }
    void SetBoxLineStyle(int nStyle) { m_nBoxLineStyle = nStyle; RebuildElement(); }
    // What the tree cells forward: the text format word and the item data.
    UINT GetFormat() const { return m_nFormat; }
    void SetFormat(UINT nFormat) { m_nFormat = nFormat; }
    int GetItemData() const { return m_nItemData; }
    void SetItemData(int nData) { m_nItemData = nData; }

    // --- attribute text, commands and queries -------------------------------------
    CString GetAttributeText() const;
    // Stores and reads the text; FALSE (nothing changed) when refused.
    BOOL SetControl(LPCTSTR szText);
    CString GetControl() const { return m_element.GetXmlText(); }
    // The commands "inserttree", "deletetree", "collapsetree", "expandtree"
    // and "expandsubtrees"; any other name sets the attribute and re-reads.
    int SetControlProperty(LPCTSTR szName, LPCTSTR szValue);
    // The queries ("getrowcount", "gettreelevel(N)", "haschild(N)",
    // "getstartrow", "getstate(N)", "ischild(A,B)") as "%d" text; any other
    // name answers the attribute's value.
    CString GetControlProperty(LPCTSTR szName);
    // "treerow" cannot be deleted.
    BOOL DelControlProperty(LPCTSTR szName);

    // --- the level model (rows are grid rows) ---------------------------------------
    int GetLevel(int nRow) const;                 // -1 outside the tree
    int GetChildCount(int nRow) const;            // 0 outside
    int GetDescendantCount(int nRow) const;       // 0 outside
    int GetChildRow(int nRow, int n) const;       // n from 1; -1 when none
    int GetChildIndex(int nRow) const;            // 1 for the root and outside
    int GetParentRow(int nRow) const;             // start row - 1 for a root; -1 outside
    // -1 unless B < A and A is a tree row; 1 when B is A's parent row, else 0.
    int IsChild(int nRowA, int nRowB) const;
    BOOL IsRowShown(int nRow) const;
    // A node with a direct child (only such nodes draw a box and fold).
    BOOL HasChild(int nRow) const;
    // A node whose direct children are hidden.
    BOOL IsFolded(int nRow) const;

    // --- visibility ---------------------------------------------------------------------
    void Expand(int nRow);            // node and direct children shown, deeper hidden
    void ExpandSubtree(int nRow);     // node and all descendants shown
    void Collapse(int nRow);          // node shown, all descendants hidden
    void ShowAll();
    // Row heights follow the shown flags in one step: a hidden row gets 0
    // (its height kept for later), a shown row at 0 gets its kept height or
    // the default; then the scroll bars once and the window invalidated.
    void ApplyRowVisibility();
    // The reverse, for a tree read back with its sheet: each row's shown flag
    // follows the grid's row height (a row at height 0 was folded away when
    // the sheet was saved), so the tree reopens folded as it was.
    void TakeVisibilityFromRowHeights();
    // A click in a node's box: asks the host (1038 / 1037) and folds or
    // unfolds, then applies the row heights. Nothing for the last tree row or
    // a node without children.
    void ToggleNode(int nRow);

    // --- structure edits ------------------------------------------------------------------
    int AddChild(int nRow);                                 // new row or -1
    int InsertChild(int nRow, int n, BOOL bAfter);          // new row or -1
    BOOL DeleteChild(int nRow, int n);
    int MoveNodeUp(int nRow);                               // node's new row or -1
    int MoveNodeDown(int nRow);
    BOOL UpLevel(int nRow);                                 // with the whole subtree
    BOOL DownLevel(int nRow);
    // The command "inserttree": TRUE when rows were inserted.
    BOOL InsertTree(int nRow, const CString& strList);
    // The command "deletetree": the number of rows removed.
    int DeleteTree(int nRow, int nCount);

    // --- values ---------------------------------------------------------------------------------
    double SumChildren(int nRow) { return SumChildrenInColumn(nRow, m_nCol); }
    double AverageChildren(int nRow) { return AverageChildrenInColumn(nRow, m_nCol); }
    double SumChildrenInColumn(int nRow, int nCol);
    double AverageChildrenInColumn(int nRow, int nCol);
    void SetNodeText(int nRow, LPCTSTR szText);
    void SetNodeValue(int nRow, double dValue);
    CString GetNodeText(int nRow) const;
    double GetNodeValue(int nRow) const;

    // --- record -------------------------------------------------------------------------------------
    // The attribute text's length + 25, or 0 for a tree without rows.
    int GetRecordSize() const;
    // Stores the record, or loads it (fields in any order, unknown tags
    // skipped, every length checked against what remains); a record that is
    // malformed or whose text is refused marks the archive failed and leaves
    // the tree as it was.
    void Serialize(CArchive& ar);

    // --- following the grid ---------------------------------------------------------------------------
    // nCount rows inserted at nFirst (> 0) or -nCount rows deleted from it.
    // Answers FALSE when the tree lost all its rows or its column.
    BOOL FollowRows(int nFirst, int nCount);
    BOOL FollowColumns(int nFirst, int nCount);
    // The tree's column moved to nCol (its cells were carried there).
    void FollowColumnMove(int nCol);
    // The rows from nLow reordered (a sort): newPosOf[i] is where row nLow + i
    // goes. Each of the tree's rows takes its level and fold marks with it.
    // FALSE (nothing changed) when a row would leave the tree or enter it,
    // or when a row would end under another parent than its own: a sort may
    // reorder the children of one node, never the outline. bApply: follow.
    BOOL FollowReorder(int nLow, const std::vector<int>& newPosOf, BOOL bApply);
    // Set while the tree edits its own rows: the grid's followers leave it alone.
    BOOL IsEditingRows() const { return m_nEditing > 0; }

    // --- drawing support (the tree cells) -----------------------------------------------------------
    // For the row: whether the next tree row is shallower, hidden or absent
    // (the node is its parent's last child), and for each ancestor level k
    // from 2 to level - 1 whether the ancestor at level k has a later shown
    // sibling (bit k of the answer). Cached per structure; O(depth).
    BOOL IsLastChild(int nRow) const;
    unsigned long long GetAncestorLines(int nRow) const;

private:
    struct TreeRow {
        unsigned char level;
        unsigned char shown;
        int savedHeight;     // the height the row had when a fold hid it; -1 none
    };

    int Index(int nRow) const;                     // row - start, -1 outside
    int SubtreeEnd(int nIndex) const;              // index after the node's subtree
    void RebuildElement();
    BOOL ReadAttributes(CXmlElement& element, BOOL bCommit);
    int DefaultRowHeight() const;
    void Invalidate();
    // Runs an edit of the tree's own rows with the followers held.
    struct EditScope {
        explicit EditScope(CTreeColumn& t) : tree(t) { ++tree.m_nEditing; }
        ~EditScope() { --tree.m_nEditing; }
        CTreeColumn& tree;
    };
    // Grid rows for a new entry at index nPos: a row inserted before it, or
    // at the tree's end the next grid row joins. FALSE when no row can be had.
    BOOL MakeRowFor(int nPos);
    void AfterStructureEdit();
    void SendRowsChanged(int nRow, int nCount);
    void CacheStructure() const;
    BOOL MoveBlocks(int nFirst, int nMiddle, int nLast);

    std::shared_ptr<char> m_token = std::make_shared<char>(0);
    CGridCtrl* m_pGrid = nullptr;
    std::vector<TreeRow> m_rows;
    int m_nStartRow = -1;
    int m_nCol = -1;
    BOOL m_bPlaced = FALSE;
    int m_nIndent = 10;
    int m_nBoxSize = TREE_DEFAULT_BOX_SIZE;
    BOOL m_bShowLine = TRUE;
    BOOL m_bShowRectangle = TRUE;
    COLORREF m_crLine = TREE_DEFAULT_LINE_COLOUR;
    COLORREF m_crBoxLine = TREE_DEFAULT_LINE_COLOUR;
    COLORREF m_crBoxBack = TREE_DEFAULT_BOX_BACK;
    int m_nLineStyle = TLINE_DOTTED;
    int m_nBoxLineStyle = TLINE_NORMAL;
    UINT m_nFormat = 0x8824;
    int m_nItemData = 0;
    CXmlElement m_element;
    int m_nEditing = 0;
    // Structure caches (parent index, index after the node's block), rebuilt
    // on first use after a change of levels.
    mutable std::vector<int> m_parent;
    mutable std::vector<int> m_blockEnd;
    mutable bool m_bCacheValid = false;
};
