// The cells of a tree column (TreeColumn.h).
//
// CGridTreeCellBase is an ordinary cell that belongs to a tree: it takes its
// alignment and item data from the tree, shifts its text right by its
// indentation (box size x level), paints the outline's lines and its row's
// +/- box, folds or unfolds its node on a click in the box (or on a double
// click of a cell that cannot be edited), and opens its editor beside the
// outline. CGridTreeCell is the class the tree makes its cells of (type 7,
// "tree").
//
// A cell knows its tree through a plain pointer and the tree's liveness
// token: it uses the tree only while the tree lives and still covers the
// cell's row and column. Otherwise (a stray cell of type 7, a cell whose tree
// was deleted, a cell moved away) it draws no outline and is not indented.
//
// Record levels (after the base level of CGridCellBase; the ordinary cell's
// level is not written):
//   CGridTreeCellBase, end 4000: 3901 back colour (not the system window
//     colour), 3902 text colour (not the default cell's), 3903 own font (60
//     bytes; a cell that is not fixed and whose font differs from its default
//     cell's).
//   CGridTreeCell, end 4100: 4001 value (a number) or 4002 text with its NUL
//     (not empty).
#pragma once

#include "grid/GridCell.h"

#include <memory>

class CTreeColumn;

const int CELL_RECORD_TREE_BASE_END = 4000;
const int CELL_RECORD_TREE_CELL_END = 4100;

class CGridTreeCellBase : public CGridCell {
    DECLARE_DYNCREATE(CGridTreeCellBase)

public:
    CGridTreeCellBase();

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    void SetAlign(UINT nFormat) override;
    UINT GetAlign() override;
    void SetItemData(int nData) override;
    int GetItemData() override;
    void Reset() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void OnClickDown(CPoint ptCellRelative) override;
    void OnDblClick(CPoint ptCellRelative) override;

    // --- the tree ------------------------------------------------------------------
    void AttachTree(CTreeColumn* pTree);
    // The tree while it lives and covers this cell; NULL otherwise.
    CTreeColumn* GetTree() const;
    // The row's level with bit 7 set when the row is shown (128 without a tree).
    unsigned char GetLevelByte() const;
    int GetBoxSize() const;
    // The text's shift: zoom x box size x level + zoom x margin; 0 without a tree.
    int GetIndentWidth();
    // The +/- box relative to the cell's top-left corner (empty without a
    // tree, at level 0 or without a box for the row).
    CRect GetBoxRect();
    BOOL GetShowBox() const { return m_bBox; }
    void SetShowBox(BOOL bShow) { m_bBox = bShow ? 1 : 0; }

protected:
    // Writes this level's items (and, in the writing pass, nothing else).
    void WriteTreeBaseItems(class CCellRecordWriter& w);
    // Reads the base level of the record and this level; pnRunningSize as
    // SerializeRecord. Used by both classes.
    void LoadTreeBaseLevel(CArchive& ar, int* pnRunningSize);
    int GetTreeBaseLevelSize();
    void StoreTreeBaseLevel(CArchive& ar);
    // The outline of the cell in rect (grid coordinates).
    void DrawOutline(CDC* pDC, CTreeColumn& tree, const CRect& rect);

private:
    CTreeColumn* m_pTree = nullptr;
    std::weak_ptr<const void> m_treeAlive;
    BOOL m_bBox = TRUE;
};

class CGridTreeCell : public CGridTreeCellBase {
    DECLARE_DYNCREATE(CGridTreeCell)

public:
    CGridTreeCell();

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

private:
    void WriteContentItems(class CCellRecordWriter& w);
};
