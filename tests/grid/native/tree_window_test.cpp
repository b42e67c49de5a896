// A tree in a grid window under a host that answers 1037 and 1038: a click on
// a box folds or unfolds with the host's consent, and a double click folds a
// read-only tree cell and edits an editable one.
#include "input_test_util.h"

#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <gtest/gtest.h>

namespace {

// The host's answers: may fold, may unfold, and the expand-flags word.
class TreeHost : public CWnd {
public:
    BOOL mayCollapse = TRUE;
    BOOL mayExpand = TRUE;
    std::int32_t expandFlags = 0;
    std::vector<UINT> asked;
    std::vector<int> rows;

    BOOL CreateTopLevel(int width, int height)
    {
        return CreateEx(0, "KivoTestTreeHost", "host", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_TREECOLLAPSE) {
            asked.push_back(message);
            rows.push_back(static_cast<int>(wParam));
            *reinterpret_cast<BOOL*>(lParam) = mayCollapse;
            return 0;
        }
        if (message == WM_GRID_TREEEXPAND) {
            auto* rec = reinterpret_cast<GridTreeExpandRecord*>(lParam);
            asked.push_back(message);
            rows.push_back(rec->row);
            EXPECT_EQ(wParam, 4u);
            EXPECT_EQ(*rec->pMayExpand, TRUE);
            EXPECT_EQ(*rec->pExpandFlags, 0);
            *rec->pMayExpand = mayExpand;
            *rec->pExpandFlags = expandFlags;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TreeWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
        host.CreateTopLevel(440, 340);
        gridwindowtest::LayOut(grid, 10, 4, 1, 1);
        grid.SetColumnWidth(1, 120);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 404, 304), &host, 77, WS_CHILD | WS_VISIBLE));
        grid.UpdateScrollBars();
        tree = grid.AddTree(1, 1);
        ASSERT_NE(tree, nullptr);
        // 1 / 2 (3) / 2
        ASSERT_TRUE(tree->SetControl("<control treerow = \"1,2,3,2\" ></control>"));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
        Headless::Reset();
    }
    LRESULT Mouse(UINT message, CPoint p, UINT flags = 0)
    {
        return grid.SendMessage(message, flags, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
    void Click(CPoint p)
    {
        Mouse(WM_MOUSEMOVE, p);
        Mouse(WM_LBUTTONDOWN, p, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, p);
    }
    void DoubleClick(CPoint p)
    {
        Click(p);
        Mouse(WM_LBUTTONDBLCLK, p, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, p);
    }
    CPoint BoxCentre(int row)
    {
        CRect cell;
        grid.GetCellRect(row, 1, &cell);
        const CRect box = static_cast<CGridTreeCell*>(grid.GetCell(row, 1))->GetBoxRect();
        return CPoint(cell.left + (box.left + box.right) / 2, cell.top + (box.top + box.bottom) / 2);
    }
    CPoint TextPoint(int row)
    {
        CRect cell;
        grid.GetCellRect(row, 1, &cell);
        return CPoint(cell.right - 10, (cell.top + cell.bottom) / 2);
    }
    std::string Heights()
    {
        std::string s;
        for (int r = 1; r <= 4; ++r)
            s += (r > 1 ? " " : "") + std::to_string(grid.GetRowHeight(r));
        return s;
    }

    TreeHost host;
    CGridCtrl grid;
    CTreeColumn* tree = nullptr;
};

}  // namespace

TEST_F(TreeWindow, ABoxClickFoldsAndUnfoldsWithTheHostsConsent)
{
    EXPECT_FALSE(static_cast<CGridTreeCell*>(grid.GetCell(1, 1))->GetBoxRect().IsRectEmpty());
    EXPECT_TRUE(static_cast<CGridTreeCell*>(grid.GetCell(3, 1))->GetBoxRect().IsRectEmpty());   // a leaf
    EXPECT_TRUE(static_cast<CGridTreeCell*>(grid.GetCell(4, 1))->GetBoxRect().IsRectEmpty());   // the last row

    host.mayCollapse = FALSE;                    // refused: the rows stay
    Click(BoxCentre(1));
    EXPECT_EQ(host.asked, (std::vector<UINT>{WM_GRID_TREECOLLAPSE}));
    EXPECT_EQ(host.rows, (std::vector<int>{1}));
    EXPECT_EQ(Heights(), "20 20 20 20");

    host.mayCollapse = TRUE;
    Click(BoxCentre(2));                         // fold node 2 first
    EXPECT_EQ(Heights(), "20 20 0 20");
    Click(BoxCentre(1));
    EXPECT_EQ(Heights(), "20 0 0 0");

    host.mayExpand = FALSE;                      // refused
    Click(BoxCentre(1));
    EXPECT_EQ(host.asked.back(), WM_GRID_TREEEXPAND);
    EXPECT_EQ(Heights(), "20 0 0 0");

    host.mayExpand = TRUE;
    host.expandFlags = 1;                        // one level only
    Click(BoxCentre(1));
    EXPECT_EQ(Heights(), "20 20 0 20");
    host.expandFlags = 0;                        // flags word 0: the whole branch
    Click(BoxCentre(1));                         // folds again
    Click(BoxCentre(1));
    EXPECT_EQ(Heights(), "20 20 20 20");

    // A click beside the box does nothing to the tree.
    const size_t asked = host.asked.size();
    Click(TextPoint(2));
    EXPECT_EQ(host.asked.size(), asked);
}

TEST_F(TreeWindow, ADoubleClickFoldsAReadOnlyCellAndEditsAnEditableOne)
{
    grid.GetCell(2, 1)->SetReadOnly(TRUE);
    DoubleClick(TextPoint(2));
    EXPECT_EQ(Heights(), "20 20 0 20");
    EXPECT_FALSE(grid.GetCell(2, 1)->IsEditing());

    DoubleClick(TextPoint(1));                   // editable: no fold, an editor
    EXPECT_EQ(Heights(), "20 20 0 20");
    EXPECT_TRUE(grid.GetCell(1, 1)->IsEditing() || grid.IsCellEditing(1, 1));
    grid.EndEditing();
}

TEST_F(TreeWindow, TheHostMayDeleteTheTreeWhileItIsAsked)
{
    // The host's answer arrives after the tree is gone: nothing is touched.
    class Deleter : public CWnd {
    public:
        CGridCtrl* grid = nullptr;
        BOOL CreateTopLevel() { return CreateEx(0, "KivoTestTreeDeleter", "host", WS_VISIBLE, CRect(0, 0, 440, 340), nullptr, 0); }

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_GRID_TREECOLLAPSE) {
                grid->DeleteColumnControlTree(1, 1);
                return 0;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    grid.DestroyWindow();
    Deleter deleter;
    ASSERT_TRUE(deleter.CreateTopLevel());
    CGridCtrl other;
    gridwindowtest::LayOut(other, 10, 4, 1, 1);
    ASSERT_TRUE(other.Create(CRect(0, 0, 404, 304), &deleter, 78, WS_CHILD | WS_VISIBLE));
    deleter.grid = &other;
    CTreeColumn* t = other.AddTree(1, 1);
    ASSERT_TRUE(t->SetControl("<control treerow = \"1,2\" ></control>"));
    std::weak_ptr<const void> alive = t->GetLiveness();
    t->ToggleNode(1);
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(other.GetTreeCount(), 0);
    EXPECT_EQ(other.GetRowHeight(2), 20);
    other.DestroyWindow();
    deleter.DestroyWindow();
}
