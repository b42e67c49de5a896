// A grid cell opens the in-place edit through the grid's editor hooks and
// the editor goes away with the cell's end of the edit.
#include "cells/InPlaceEditHooks.h"

#include "cells/InPlaceEdit.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "cells/WidgetTestWindows.h"

#include <gtest/gtest.h>

#include <string>

using cellstest::RecordingControl;

namespace {

// The part of the grid window's end-of-edit handling the editor relies on:
// the grid takes the focus on a passed key, and on the end notification the
// cell ends its edit (which closes the editor).
class EndingGrid : public CGridCtrl {
public:
    EndingGrid() : CGridCtrl(4, 4, 0, 0) {}
    std::string committed;
    LPARAM key = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN) {
            SetFocus();
            return 0;
        }
        if (message == WM_NOTIFY) {
            const CellEditNotifyInfo* info = reinterpret_cast<const CellEditNotifyInfo*>(lParam);
            if (static_cast<int>(info->hdr.code) == kCellEditEndNotify) {
                committed = info->item.pszText;
                key = info->item.lParam;
                if (CGridCellBase* cell = GetCell(info->item.row, info->item.column))
                    cell->OnEndEdit();
                return 0;
            }
        }
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(InPlaceEditHooksTest, ACellEditsThroughTheInPlaceEdit)
{
    Headless::Reset();
    const CellEditorHooks saved = GetCellEditorHooks();
    InstallInPlaceEditHooks();
    {
        RecordingControl control;
        ASSERT_TRUE(control.CreateTopLevel(CRect(0, 0, 500, 400)));
        EndingGrid grid;
        ASSERT_TRUE(grid.CreateEx(0, "KivoSheet", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &control, 81220));
        CGridCellBase* cell = grid.GetCell(1, 1);
        ASSERT_NE(nullptr, cell);
        cell->SetText("old");

        cell->Edit(1, 1, CRect(20, 20, 80, 40), CPoint(-1, -1), 8, 'n');
        PlatformPumpMessages();
        CWnd* editor = cell->GetEditWnd();
        ASSERT_NE(nullptr, dynamic_cast<CInPlaceEdit*>(editor));
        EXPECT_TRUE(cell->IsEditing());
        EXPECT_EQ(8, editor->GetDlgCtrlID());
        editor->SendMessage(WM_CHAR, 'o', 1);
        editor->SendMessage(WM_KEYDOWN, VK_RETURN, 1);

        EXPECT_EQ("no", grid.committed);
        EXPECT_EQ(VK_RETURN, grid.key);
        EXPECT_FALSE(cell->IsEditing());
        EXPECT_EQ(nullptr, cell->GetEditWnd());
    }
    SetCellEditorHooks(saved);
}
